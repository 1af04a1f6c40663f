#pragma once
// The values of the Edit Individual and Marriage screens as the in-memory
// individual and marriage take them over after OK. The screens fill these;
// the nodes read them (SetFromScreen).

#include <cstdint>
#include <string>

#include "EventValue.h"

class CIndividualEditValues {
 public:
  std::string surname;
  std::string givenNames;  // one text, split into three parts by the node
  std::string title;
  std::string suffix;
  std::int32_t rin = 0;
  std::int32_t recordNumber8 = 0;  // the record's ninth integer (first user event)
  std::int32_t recordNumber7 = 0;  // the record's eighth integer (change stamp)
  std::int32_t parentLink = 0;     // the family link to the parents, 0 = not looked up
  std::int32_t firstNote = 0;
  // The detail texts: the record's eighth, eleventh, ninth, twelfth and
  // thirteenth strings.
  std::string detailTexts[5];
  std::string nameExtensions[2];
  char sex = 'U';
  std::int32_t contactNumber = 0;  // the record's eleventh integer
  bool editFlag = false;           // bit 0 of the node's second flags
  bool flagByteClear = false;      // the record's flag byte is to be 0 (bit 6, inverted)
  CEventValue birth;
  CEventValue christening;
  CEventValue death;
  CEventValue burial;
  CEventValue fifthEvent;
  COrdinanceValue baptism;
  COrdinanceValue endowment;
  COrdinanceValue sealingToParents;
};

class CMarriageEditValues {
 public:
  bool divorced = false;
  CEventValue marriage;
  COrdinanceValue sealingToSpouse;
  // The two further numbers the screen changes: the marriage record's third
  // and fourth integers (first user event, first note block).
  std::int32_t firstUserEvent = 0;
  std::int32_t firstNote = 0;
};
