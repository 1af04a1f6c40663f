#include <gtest/gtest.h>

#include <vector>

#include "DateKeywords.h"
#include "DateValue.h"

namespace {

CDateValue Typed(const char* text) {
  CDateValue d;
  d.Parse(text, false, true);
  return d;
}

TEST(DateCompare, CoreOrderOfParts) {
  struct {
    const char* a;
    const char* b;
    int result;
    int byQualifier;
  } cases[] = {
      {"1 Jan 1900", "2 Jan 1900", -1, 0},
      {"Feb 1900", "Jan 1900", 1, 0},
      {"1899", "Jan 1900", -1, 0},
      {"5 Jan 1900", "5 Jan 1900", 0, 0},
      {"Jan 1900", "5 Jan 1900", 0, 0},
      {"Aft 1900", "1900", -1, 1},
      {"Bef 1900", "1900", 1, 1},
      {"Aft 1900", "Bef 1900", -1, 1},
      {"Aft 1900", "Aft 1900", 0, 0},
      {"Abt 1900", "1900", 0, 0},
      {"Aft Jan 1900", "Jan 1900", -1, 1},
      {"Aft 1899", "1900", -1, 0},
      {"500 BC", "100 BC", -1, 0},
      {"100 BC", "5", -1, 0},
      {"5", "100 BC", 1, 0},
      {"Jan", "1900", -2, 0},
      {"1900", "5 Jan", -2, 0},
      {"1900", "4 Jan", -2, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
    int byQualifier = -1;
    EXPECT_EQ(Typed(c.a).CompareCore(Typed(c.b), &byQualifier), c.result);
    EXPECT_EQ(byQualifier, c.byQualifier);
  }
}

TEST(DateCompare, StatusCodesSortAfterMonths) {
  CDateValue status, date;
  status.Set(1900, CDateValue::kStatusDone);
  date.Set(1900, 12, 31);
  EXPECT_EQ(status.CompareCore(date, nullptr), 1);
}

TEST(DateCompare, TextOnlyDatesCompareByYear) {
  CDateValue a, b, noYear;
  a.SetText("spring 1850");
  b.SetText("winter 1860");
  noYear.SetText("unknown");
  EXPECT_EQ(a.CompareCore(b, nullptr), -1);
  EXPECT_EQ(b.CompareCore(a, nullptr), 1);
  CDateValue c;
  c.SetText("summer 1850");
  EXPECT_EQ(a.CompareCore(c, nullptr), -2);
  EXPECT_EQ(a.CompareCore(noYear, nullptr), -2);
  EXPECT_EQ(a.CompareCore(Typed("1 Jan 1851"), nullptr), -1);
  EXPECT_EQ(a.CompareCore(a, nullptr), 0);
}

TEST(DateCompare, CompareOrderMarksQualifierDecisions) {
  EXPECT_EQ(Typed("Aft 1900").CompareOrder(Typed("1900")), -2);
  EXPECT_EQ(Typed("Bef 1900").CompareOrder(Typed("1900")), 2);
  EXPECT_EQ(Typed("1899").CompareOrder(Typed("1900")), -1);
  EXPECT_EQ(Typed("1901").CompareOrder(Typed("1900")), 1);
  EXPECT_EQ(Typed("Jan").CompareOrder(Typed("1900")), 0);
  EXPECT_EQ(Typed("1900").CompareOrder(Typed("1900")), 0);
}

TEST(DateCompare, SortCompareIsOneOrderBothWays) {
  std::vector<CDateValue> dates;
  for (const char* text :
       {"", "Jan", "5 Jan", "1900", "Aft 1900", "Bef 1900", "Abt 1900", "1 Jan 1900",
        "Aft 1 Jan 1900", "1745/46", "500 BC", "100 BC", "DNS", "Done", "Est 1899", "1901"})
    dates.push_back(Typed(text));
  CDateValue textA, textB, textNone;
  textA.SetText("spring 1850");
  textB.SetText("summer 1850");
  textNone.SetText("unknown");
  dates.push_back(textA);
  dates.push_back(textB);
  dates.push_back(textNone);
  auto sign = [](int v) { return (v > 0) - (v < 0); };
  for (const CDateValue& a : dates)
    for (const CDateValue& b : dates) {
      SCOPED_TRACE(a.Format() + " / " + b.Format());
      EXPECT_EQ(sign(a.SortCompare(b)), -sign(b.SortCompare(a)));
    }
}

TEST(DateCompare, SortCompareForUndatedAndTextDates) {
  CDateValue empty, bare, dated;
  bare.SetText("unknown");
  dated.Set(1900, 0);
  EXPECT_LT(empty.SortCompare(dated), 0);
  EXPECT_GT(dated.SortCompare(empty), 0);
  EXPECT_LT(bare.SortCompare(dated), 0);
  EXPECT_GT(dated.SortCompare(bare), 0);
  CDateValue bare2;
  bare2.SetText("lost");
  EXPECT_EQ(bare.SortCompare(bare2), 0);
  // Aft before plain, Bef after, from either side.
  EXPECT_LT(Typed("Aft 1900").SortCompare(Typed("1900")), 0);
  EXPECT_GT(Typed("1900").SortCompare(Typed("Aft 1900")), 0);
  EXPECT_GT(Typed("Bef 1900").SortCompare(Typed("1900")), 0);
  EXPECT_LT(Typed("1900").SortCompare(Typed("Bef 1900")), 0);
}

TEST(DateCompare, EqualsAndMatches) {
  EXPECT_TRUE(Typed("Abt 5 Jan 1745/46").Equals(Typed("Abt 5 Jan 1745/46")));
  EXPECT_FALSE(Typed("Abt 5 Jan 1900").Equals(Typed("5 Jan 1900")));
  EXPECT_FALSE(Typed("1900 BC").Equals(Typed("1900")));
  CDateValue a, b;
  a.SetText("Spring 1850");
  b.SetText("spring 1850");
  EXPECT_FALSE(a.Equals(b));
  b.SetText("Spring 1850");
  EXPECT_TRUE(a.Equals(b));

  CDateValue pattern;
  pattern.Set(1900, 0);
  EXPECT_TRUE(pattern.Matches(Typed("5 Jan 1900")));
  EXPECT_FALSE(pattern.Matches(Typed("5 Jan 1901")));
  EXPECT_FALSE(pattern.Matches(Typed("1900 BC")));
  pattern.Set(0, 1);
  EXPECT_TRUE(pattern.Matches(Typed("Abt Jan 1800")));
  pattern.Set(0, CDateValue::kStatusSubmitted);
  EXPECT_TRUE(pattern.Matches(Typed("Sub 1900")));
  EXPECT_FALSE(pattern.Matches(Typed("1900")));
  pattern.Set(0, 0, 0, CDateValue::kQualSub);
  EXPECT_TRUE(pattern.Matches(Typed("Submitted")));
  EXPECT_FALSE(pattern.Matches(Typed("Abt 1900")));
}

TEST(DateCalendar, FebruaryFollowsTheOldRuleBefore1753) {
  EXPECT_EQ(FebruaryDays(0), 29);
  EXPECT_EQ(FebruaryDays(1700), 29);
  EXPECT_EQ(FebruaryDays(1701), 28);
  EXPECT_EQ(FebruaryDays(1800), 28);
  EXPECT_EQ(FebruaryDays(1900), 28);
  EXPECT_EQ(FebruaryDays(2000), 29);
  EXPECT_EQ(DaysInMonth(4, 1900), 30);
  EXPECT_EQ(DaysInMonth(0, 1900), 31);
  EXPECT_EQ(DaysInMonth(CDateValue::kStatusDone, 1900), 31);
}

TEST(DateCalendar, DayNumbersIncreaseByOneEachDay) {
  EXPECT_EQ(DayNumber(1, 1, 1), 1);
  EXPECT_EQ(DayNumber(1701, 1, 1) - DayNumber(1700, 12, 31), 1);
  long previous = 0;
  for (int year = 1; year <= 2400; ++year)
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= DaysInMonth(month, year); ++day) {
        const long number = DayNumber(year, month, day);
        ASSERT_EQ(number, previous + 1) << year << "-" << month << "-" << day;
        previous = number;
      }
}

TEST(DateCalendar, YearsBetweenAndSpans) {
  EXPECT_EQ(Typed("5 Jun 1900").YearsBetween(Typed("4 Jun 1950"), false), 49);
  EXPECT_EQ(Typed("5 Jun 1900").YearsBetween(Typed("5 Jun 1950"), false), 50);
  EXPECT_EQ(Typed("Jun 1900").YearsBetween(Typed("May 1950"), false), 49);
  EXPECT_EQ(Typed("1900").YearsBetween(Typed("Jan"), false), -1);
  EXPECT_EQ(Typed("100 BC").YearsBetween(Typed("50 BC"), false), 50);
  EXPECT_EQ(Typed("10 BC").YearsBetween(Typed("10"), false), 19);
  CDateValue status;
  status.Set(1950, CDateValue::kStatusDone);
  EXPECT_EQ(Typed("Dec 1900").YearsBetween(status, false), -1);
  EXPECT_EQ(Typed("Dec 1900").YearsBetween(status, true), 50);

  CDateValue d = Typed("31 Jan 1900");
  CDateValue span;
  span.Set(1, 11, 1);
  d.AddSpan(span);
  EXPECT_EQ(d.day, 1);
  EXPECT_EQ(d.month, 1);
  EXPECT_EQ(d.year, 1902);
}

TEST(DateValue, ConstructionFromPartsAndOldFormat) {
  CDateValue d = CDateValue::DateValueFromParts(1900, 2, 29, 7);
  EXPECT_EQ(d.year, 1900);
  EXPECT_EQ(d.month, 2);
  EXPECT_EQ(d.day, 0);
  EXPECT_EQ(d.qualifier, 0);
  d = CDateValue::DateValueFromParts(1700, 13, 29, 3);
  EXPECT_EQ(d.month, 0);
  EXPECT_EQ(d.day, 29);
  EXPECT_EQ(d.qualifier, 3);

  struct {
    int year, code, day, kind, dual;
    int month, qualifier, textOnly;
  } old[] = {
      {1900, 1, 5, 0, 0, 1, CDateValue::kQualBef, 0},
      {1900, 1, 5, 1, 0, 1, CDateValue::kQualAbt, 0},
      {1900, 1, 5, 2, 0, 1, 0, 0},
      {1900, 1, 5, 3, 0, 1, CDateValue::kQualAft, 0},
      {0, 0, 0, 0, 0, 0, 0, 0},
      {0, 14, 0, 1, 0, CDateValue::kStatusSubmitted, 0, 0},
      {0, 21, 0, 0, 0, CDateValue::kStatusDNSCAN, 0, 0},
      {0, 22, 0, 0, 0, CDateValue::kStatusDNS, 0, 0},
      {0, 29, 0, 0, 0, CDateValue::kStatusPre1970, 0, 0},
      {1850, 13, 0, 0, 0, 0, 0, 1},
  };
  for (const auto& o : old) {
    SCOPED_TRACE(o.code);
    CDateValue v;
    v.SetFromOldFormat(o.year, o.code, o.day, o.kind, o.dual);
    EXPECT_EQ(v.month, o.month);
    EXPECT_EQ(v.qualifier, o.qualifier);
    EXPECT_EQ(v.textOnly, o.textOnly);
    if (o.textOnly) {
      EXPECT_EQ(v.text, "See Notes");
      EXPECT_EQ(v.year, 1850);
    }
  }
  CDateValue a;
  a.SetFromOldFormat(1745, 3, 2, 2, 1);
  EXPECT_EQ(a.Format(false, 0, false, true), "2 MAR 1745/1746");
}

TEST(DateValue, OrdinanceStates) {
  struct {
    int month;
    int qualifier;
    int b, e, p;
  } cases[] = {
      {CDateValue::kStatusBIC, 0, 0, 0, 2},       {CDateValue::kStatusDone, 0, 2, 2, 2},
      {CDateValue::kStatusChild, 0, 1, 1, 0},     {CDateValue::kStatusDNSCAN, 0, 1, 1, 1},
      {CDateValue::kStatusUncleared, 0, 0, 0, 0}, {CDateValue::kStatusCleared, 0, 3, 3, 3},
      {CDateValue::kStatusSubmitted, 0, 3, 3, 3}, {CDateValue::kStatusDead, 0, 0, 0, 0},
      {5, CDateValue::kQualSub, 3, 3, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.month);
    CDateValue d;
    d.Set(0, c.month, 0, c.qualifier);
    EXPECT_EQ(CDateValue::GetOrdinanceState(&d, 'B'), c.b);
    EXPECT_EQ(CDateValue::GetOrdinanceState(&d, 'E'), c.e);
    EXPECT_EQ(CDateValue::GetOrdinanceState(&d, 'P'), c.p);
  }
  CDateValue dated = Typed("1900");
  EXPECT_EQ(CDateValue::GetOrdinanceState(&dated, 'B'), 2);
  CDateValue text;
  text.SetText("temple record");
  EXPECT_EQ(CDateValue::GetOrdinanceState(&text, 'E'), 2);
  EXPECT_EQ(CDateValue::GetOrdinanceState(nullptr, 'B'), 0);
  CDateValue empty;
  EXPECT_EQ(CDateValue::GetOrdinanceState(&empty, 'B'), 0);
}

}  // namespace
