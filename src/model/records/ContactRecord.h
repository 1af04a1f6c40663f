#pragma once
// The contact record (record type 145): the address, phone and internet
// addresses of a living individual, kept apart from the individual record.

#include <cstdint>
#include <string>

#include "DbCodes.h"

class CContactRecord {
 public:
  static constexpr int kRecordType = db::kContact;
  static constexpr int kFieldCount = 10;

  // Owner and number 0, the texts emptied.
  void Clear() { *this = CContactRecord(); }
  bool IsEmpty() const {
    for (const auto& t : texts)
      if (!t.empty()) return false;
    return true;
  }

  std::int32_t recordNumber = 0;
  std::int32_t owner = 0;  // the individual's RIN
  // Name, two address lines, city, state, postal code, country, phone,
  // e-mail, home page: the order of CIndividualRecord::ContactField.
  std::string texts[kFieldCount];
};
