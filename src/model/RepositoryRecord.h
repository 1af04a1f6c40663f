#pragma once
// The repository record (record type 131): where sources are kept.

#include <cstdint>
#include <string>

class CRepositoryRecord {
 public:
  static constexpr int kRecordType = 131;

  std::string name;
  std::string address[4];
  std::string phone;
  std::string note;  // empty = no note text
  std::int32_t recordNumber = 0;
  std::int32_t numbers[2] = {};
};
