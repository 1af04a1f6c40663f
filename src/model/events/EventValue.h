#pragma once
// The date, place and first citation of an event, and the date or status,
// temple and citation of an ordinance.

#include <cstdint>
#include <string>
#include <string_view>

#include "DateValue.h"

class CPlaceEventObject;
class COrdinanceObject;

class CEventValue {
 public:
  CDateValue date;
  std::string place[4];            // most particular (town) first, country last
  std::int32_t firstCitation = 0;  // record number, 0 = none
  std::int32_t secondNumber = 0;   // a further record number carried with the event

  // The date and the place parts given (an empty part stays empty); the
  // numbers 0.
  static CEventValue EventValueFrom(const CDateValue& date, std::string_view part1 = {},
                                    std::string_view part2 = {}, std::string_view part3 = {},
                                    std::string_view part4 = {});
  void Clear();
  // True for a null value or one whose four place parts are empty.
  static bool IsPlaceEmpty(const CEventValue* value);
  // The place as one text, parts joined by separator (JoinPlaceParts).
  std::string FormatPlace(std::string_view separator) const;
  // Date, place parts, first citation and second number of a dated-place
  // event object.
  void SetFromObject(const CPlaceEventObject& object);

  // An event stated to have happened with neither date nor place (a GEDCOM
  // "1 MARR Y" or a bare "1 BURI"): the unset date carries the mark in its
  // flag B, which the family file keeps with the date. A date set later
  // clears it.
  bool HappenedWithoutDetails() const {
    return date.flagB != 0 && !date.IsSet() && IsPlaceEmpty(this);
  }
  void MarkHappened() { date.flagB = 1; }
};

class COrdinanceValue {
 public:
  CDateValue date;         // a date, or a status code 13-29 in its month
  std::string templeCode;  // upper case
  char kind = 0;           // the ordinance kind character of the event object that filled it
  std::int32_t firstCitation = 0;
  std::int32_t secondNumber = 0;

  void Clear();
  // Date, temple code, kind, first citation and second number of an
  // ordinance object.
  void SetFromObject(const COrdinanceObject& object);
};

// Joins the four place parts: trailing empty parts are dropped, empty leading
// or middle parts keep their separators, so each part keeps its position.
std::string JoinPlaceParts(std::string_view part1, std::string_view part2, std::string_view part3,
                           std::string_view part4, std::string_view separator);
// Splits a comma-separated place into four parts (the fourth takes the rest,
// commas included); blanks and control characters around each part are cut.
void SplitPlaceParts(std::string_view text, std::string (&parts)[4]);
