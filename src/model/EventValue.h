#pragma once
// The date, place and first citation of an event, and the date or status,
// temple and citation of an ordinance.

#include <cstdint>
#include <string>

#include "DateValue.h"

class CEventValue {
 public:
  CDateValue date;
  std::string place[4];            // most particular (town) first, country last
  std::int32_t firstCitation = 0;  // record number, 0 = none
  std::int32_t secondNumber = 0;   // a further record number carried with the event
};

class COrdinanceValue {
 public:
  CDateValue date;         // a date, or a status code 13-29 in its month
  std::string templeCode;  // upper case
  char kind = 0;           // the ordinance kind character of the event object that filled it
  std::int32_t firstCitation = 0;
  std::int32_t secondNumber = 0;
};
