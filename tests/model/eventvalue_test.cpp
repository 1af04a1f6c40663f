#include <gtest/gtest.h>

#include <string>

#include "Clock.h"
#include "DateValue.h"
#include "EventValue.h"
#include "TimeStamp.h"

namespace {

TEST(PlaceParts, SplitTable) {
  struct {
    const char* text;
    const char* parts[4];
  } cases[] = {
      {"Leeds, Yorkshire", {"Leeds", "Yorkshire", "", ""}},
      {"a, b, c, d, e", {"a", "b", "c", "d, e"}},
      {"   ", {"", "", "", ""}},
      {"", {"", "", "", ""}},
      {" , , ,England ", {"", "", "", "England"}},
      {"\tSt Mary ,\r\nLondon,", {"St Mary", "London", "", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string parts[4] = {"x", "x", "x", "x"};
    SplitPlaceParts(c.text, parts);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(parts[i], c.parts[i]) << i;
  }
}

TEST(PlaceParts, JoinKeepsPositions) {
  EXPECT_EQ(JoinPlaceParts("", "", "", "England", ", "), ", , , England");
  EXPECT_EQ(JoinPlaceParts("Leeds", "", "", "", ", "), "Leeds");
  EXPECT_EQ(JoinPlaceParts("Leeds", "", "Yorks", "", ", "), "Leeds, , Yorks");
  EXPECT_EQ(JoinPlaceParts("a", "b", "c", "d", ","), "a,b,c,d");
  // A join with ", " splits back into the same parts.
  const char* sets[][4] = {{"", "Parish", "", "England"},
                           {"Town", "", "", ""},
                           {"", "", "County", ""},
                           {"a", "b", "c", "d"}};
  for (const auto& set : sets) {
    std::string parts[4];
    SplitPlaceParts(JoinPlaceParts(set[0], set[1], set[2], set[3], ", "), parts);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(parts[i], set[i]);
  }
}

TEST(EventValue, ConstructionClearAndPlace) {
  CDateValue date;
  date.Set(1900, 1, 5);
  CEventValue e = CEventValue::EventValueFrom(date, "Leeds", {}, "Yorkshire");
  EXPECT_TRUE(e.date.Equals(date));
  EXPECT_EQ(e.place[0], "Leeds");
  EXPECT_EQ(e.place[1], "");
  EXPECT_EQ(e.place[2], "Yorkshire");
  EXPECT_EQ(e.FormatPlace(", "), "Leeds, , Yorkshire");
  EXPECT_FALSE(CEventValue::IsPlaceEmpty(&e));
  e.firstCitation = 4;
  e.secondNumber = 9;
  e.Clear();
  EXPECT_FALSE(e.date.IsSet());
  EXPECT_TRUE(CEventValue::IsPlaceEmpty(&e));
  EXPECT_EQ(e.firstCitation, 0);
  EXPECT_EQ(e.secondNumber, 0);
  EXPECT_TRUE(CEventValue::IsPlaceEmpty(nullptr));

  COrdinanceValue o;
  o.date.Set(0, CDateValue::kStatusDone);
  o.templeCode = "SLAKE";
  o.kind = 'B';
  o.firstCitation = 2;
  o.Clear();
  EXPECT_FALSE(o.date.IsSet());
  EXPECT_TRUE(o.templeCode.empty());
  EXPECT_EQ(o.kind, 0);
  EXPECT_EQ(o.firstCitation, 0);
}

TEST(TimeStamp, SetAndFormatDate) {
  SetDateDisplayOptions(DateDisplayOptions{});
  std::tm local{};
  local.tm_year = 2004 - 1900;
  local.tm_mon = 1;
  local.tm_mday = 29;
  local.tm_hour = 12;
  local.tm_isdst = -1;
  const std::time_t t = std::mktime(&local);
  CTimeStamp stamp;
  EXPECT_EQ(stamp.FormatDate(), "");
  EXPECT_EQ(stamp.Set(t), t);
  EXPECT_EQ(stamp.value, t);
  EXPECT_EQ(stamp.local.tm_mday, 29);
  EXPECT_EQ(stamp.local.tm_mon, 1);
  EXPECT_EQ(stamp.FormatDate(), "29 Feb 2004");
}

}  // namespace
