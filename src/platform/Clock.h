#pragma once
// The clock. Everything that stamps or compares times asks here, so tests can
// fix the time.

#include <ctime>

namespace plat {

struct LocalTime {
  int year = 0;     // e.g. 2026
  int month = 0;    // 1-12
  int day = 0;      // 1-31
  int weekday = 0;  // 0 Sunday .. 6 Saturday
  int hour = 0, minute = 0, second = 0;
};

std::time_t Now();
LocalTime ToLocalTime(std::time_t t);
LocalTime LocalNow();

// Fixes the time answered by Now() (tests); 0 returns to the real clock.
void SetFixedTime(std::time_t t);

}  // namespace plat
