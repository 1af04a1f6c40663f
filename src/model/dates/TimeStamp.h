#pragma once
// A time value with its local calendar breakdown, as kept for change dates.

#include <cstdint>
#include <ctime>
#include <string>

// Time stamps stored in records (creation, last change and submission times)
// are 32 bits of seconds since 1970, read as unsigned so that they run until
// 2106; every time before 2038 has the same stored bits either way.
// The stored bits of t; 0 (no stamp) for a time before 1970 or after 2106.
std::int32_t TimeToStamp(std::time_t t);
// The time stored bits stand for.
std::time_t StampToTime(std::int32_t stored);
// -1, 0 or 1 as stamp a is earlier than, equal to or later than b.
int CompareStamps(std::int32_t a, std::int32_t b);

class CTimeStamp {
 public:
  std::tm local{};        // broken-down local time (month 0-11, years since 1900)
  std::time_t value = 0;  // the time value it came from

  // Stores t and its local breakdown; a value that cannot be broken down
  // becomes 0 with a zeroed breakdown. Returns the stored value.
  std::time_t Set(std::time_t t);
  // Set from a stored stamp.
  std::time_t SetStamp(std::int32_t stored) { return Set(StampToTime(stored)); }
  // The calendar date in the user's date style; "" for a stamp never set.
  std::string FormatDate() const;
};
