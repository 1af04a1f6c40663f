// Stored 32-bit time stamps read as unsigned: times up to 2106 round-trip
// and order correctly, and times before 2038 keep their stored bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>

#include "TimeStamp.h"

namespace {

// Noon UTC of a day, as seconds since 1970.
std::time_t UtcNoon(int year, int month, int day) {
  // Days from 1970-01-01 (proleptic Gregorian), after Howard Hinnant's civil
  // day count.
  const int y = year - (month <= 2);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long long days = static_cast<long long>(era) * 146097 + doe - 719468;
  return static_cast<std::time_t>(days * 86400 + 12 * 3600);
}

TEST(StoredStamp, RoundTripsUntil2106) {
  const struct {
    int year, month, day;
  } dates[] = {{1970, 1, 2},  {2001, 7, 3},   {2038, 1, 19}, {2038, 1, 20},
               {2050, 6, 15}, {2099, 12, 31}, {2106, 2, 6}};
  for (const auto& d : dates) {
    SCOPED_TRACE(d.year);
    const std::time_t t = UtcNoon(d.year, d.month, d.day);
    EXPECT_EQ(StampToTime(TimeToStamp(t)), t);
  }
  // Before 2038 the stored bits are the plain signed value.
  EXPECT_EQ(TimeToStamp(1'700'000'000), 1'700'000'000);
  EXPECT_EQ(StampToTime(1'700'000'000), 1'700'000'000);
  // Out of the stamp's range: no stamp.
  EXPECT_EQ(TimeToStamp(-1), 0);
  EXPECT_EQ(TimeToStamp(UtcNoon(2106, 2, 8)), 0);
}

TEST(StoredStamp, LaterTimesCompareLater) {
  const std::int32_t s2030 = TimeToStamp(UtcNoon(2030, 3, 1));
  const std::int32_t s2037 = TimeToStamp(UtcNoon(2037, 12, 31));
  const std::int32_t s2050 = TimeToStamp(UtcNoon(2050, 3, 1));
  ASSERT_LT(s2050, 0);  // its stored bits have the top bit set
  EXPECT_EQ(CompareStamps(s2050, s2030), 1);
  EXPECT_EQ(CompareStamps(s2030, s2050), -1);
  EXPECT_EQ(CompareStamps(s2037, s2050), -1);
  EXPECT_EQ(CompareStamps(s2050, s2050), 0);
  EXPECT_GT(StampToTime(s2050), StampToTime(s2030));
}

TEST(StoredStamp, TimeStampShowsTheDateOfA2050Stamp) {
  CTimeStamp stamp;
  const std::int32_t stored = TimeToStamp(UtcNoon(2050, 6, 15));
  EXPECT_EQ(stamp.SetStamp(stored), UtcNoon(2050, 6, 15));
  EXPECT_EQ(stamp.local.tm_year + 1900, 2050);
  EXPECT_EQ(stamp.local.tm_mon + 1, 6);  // noon UTC: the 15th or a neighbour in any zone
  EXPECT_NEAR(stamp.local.tm_mday, 15, 1);
}

}  // namespace
