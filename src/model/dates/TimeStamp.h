#pragma once
// A time value with its local calendar breakdown, as kept for change dates.

#include <ctime>
#include <string>

class CTimeStamp {
 public:
  std::tm local{};        // broken-down local time (month 0-11, years since 1900)
  std::time_t value = 0;  // the time value it came from

  // Stores t and its local breakdown; a value that cannot be broken down
  // becomes 0 with a zeroed breakdown. Returns the stored value.
  std::time_t Set(std::time_t t);
  // The calendar date in the user's date style; "" for a stamp never set.
  std::string FormatDate() const;
};
