#pragma once
// An entry of the alphabetic name index (record types 118 and 120): the
// individual's RIN and name parts as the index keeps them.

#include <cstdint>
#include <string>

#include "DbCodes.h"

class CAlphaNameRecord {
 public:
  static constexpr int kRecordType = db::kAlphaName;

  CAlphaNameRecord() { Reset(); }

  // Both numbers -1 (no entry); the name texts are left as they are.
  void Reset();

  std::int32_t rin = -1;
  std::int32_t secondNumber = -1;
  std::string surname;
  std::string givenNames[3];
  std::string suffix;
};
