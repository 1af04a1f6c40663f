#pragma once
// The repository record (record type 131): where sources are kept.

#include <cstdint>
#include <string>

#include "DbCodes.h"

class CRepositoryRecord {
 public:
  static constexpr int kRecordType = db::kRepository;

  // Empties the texts and the note and sets the two numbers to 0; the record
  // number is left as it is.
  void Clear();
  // The same repository for the merging of duplicates: name, address lines,
  // phone and note equal.
  bool IsSame(const CRepositoryRecord& other) const;

  std::string name;
  std::string address[4];
  std::string phone;
  std::string note;  // empty = no note text
  std::int32_t recordNumber = 0;
  std::int32_t numbers[2] = {};
};
