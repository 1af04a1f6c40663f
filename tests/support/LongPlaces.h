#pragma once
// Gives people of the open family file birth and death places longer than a
// report row is wide, for the tests of how rows fit their places.

#include <cstdint>

#include "IndividualRecord.h"
#include "RecordAccess.h"

// Stores the long places on every live individual from first to last;
// answers how many could not be stored.
inline int GiveLongPlaces(std::int32_t first, std::int32_t last) {
  int failed = 0;
  for (std::int32_t rin = first; rin <= last; ++rin) {
    CIndividualRecord person;
    if (family::Read(person, rin) != 1) continue;
    if (!person.death.date.IsSet()) person.death.date.Set(1990, 11, 2);
    for (CEventValue* event : {&person.birth, &person.death}) {
      event->place[0] = "Lower Middlewick-upon-Severn";
      event->place[1] = "Worcestershire";
      event->place[2] = "West Midlands Region";
      event->place[3] = "United Kingdom of Great Britain";
    }
    if (family::Update(person, 0) != 1) ++failed;
  }
  return failed;
}
