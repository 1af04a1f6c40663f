#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "CalendarMonth.h"
#include "Clock.h"
#include "DateValue.h"
#include "FakePorts.h"
#include "IndividualRecord.h"
#include "KeyEventDate.h"
#include "MarriageRecord.h"

namespace {

std::time_t LocalNoon(int year, int month, int day) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = 12;
  t.tm_isdst = -1;
  return std::mktime(&t);
}

class CalendarTest : public ::testing::Test {
 protected:
  void SetUp() override { SetDateDisplayOptions(DateDisplayOptions{}); }
  void TearDown() override {
    plat::SetFixedTime(0);
    SetDateDisplayOptions(DateDisplayOptions{});
  }
  plat::FakeMessageBox boxes_;
  plat::ScopedMessageBox scopedBoxes_{&boxes_};
  plat::FakeProfile profile_;
  plat::ScopedProfile scopedProfile_{&profile_};
};

TEST_F(CalendarTest, TodayInTheUsersStyle) {
  plat::SetFixedTime(LocalNoon(2021, 3, 5));
  EXPECT_EQ(GetTodayString(), "5 Mar 2021");
  DateDisplayOptions options;
  options.order = 0;
  options.dayStyle = 1;
  options.monthStyle = 1;
  options.separator = 2;
  SetDateDisplayOptions(options);
  std::string out = "old";
  FormatToday(out);
  EXPECT_EQ(out, "03/05/2021");
  EXPECT_EQ(FormatTimeAsDate(LocalNoon(1999, 12, 31)), "12/31/1999");
}

TEST_F(CalendarTest, WeekdayIndexEdgesAndRanges) {
  struct Case {
    int day, month, year, first, expected;
  };
  const Case cases[] = {
      {1, 1, 2000, 0, 6},  // a Saturday, counted from Sunday
      {1, 1, 2000, 1, 5},  // counted from Monday
      {1, 1, 2000, 6, 0},
      {29, 2, 2000, 0, 2},
      {1, 3, 2000, 0, 3},
      {4, 7, 1776, 0, 4},  // a Thursday
      // Before the reform the Gregorian count goes on: 15 Oct 1582 (the
      // reform's first day, a Friday) and 4 Oct 1582 (Thursday in the old
      // calendar) counted as a Gregorian Monday.
      {15, 10, 1582, 0, 5},
      {4, 10, 1582, 0, 1},
      {1, 1, 100, 0, 5},  // the first and last day of the range, both Fridays
      {31, 12, 2100, 0, 5},
      {1, 1, 99, 0, -1},
      {31, 12, 2101, 0, -1},
      {0, 1, 2000, 0, -1},
      {32, 1, 2000, 0, -1},
      {1, 0, 2000, 0, -1},
      {1, 13, 2000, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.day) + "." + std::to_string(c.month) + "." +
                 std::to_string(c.year) + " from " + std::to_string(c.first));
    EXPECT_EQ(WeekdayIndex(c.day, c.month, c.year, c.first), c.expected);
  }
}

TEST_F(CalendarTest, WeekdayIndexAgreesWithTheCivilCalendarOverTheWholeRange) {
  using namespace std::chrono;
  int mismatches = 0;
  for (int y = 100; y <= 2100; ++y) {
    for (unsigned m = 1; m <= 12; ++m) {
      const unsigned days = CalendarMonthLength(static_cast<int>(m), y);
      for (unsigned d = 1; d <= days; ++d) {
        const year_month_day date{year{y}, month{m}, day{d}};
        ASSERT_TRUE(date.ok());
        const int expected = static_cast<int>(weekday{sys_days{date}}.c_encoding());
        const int first = static_cast<int>((d + m) % 7);
        if (WeekdayIndex(static_cast<int>(d), static_cast<int>(m), y, first) !=
            (expected - first + 7) % 7)
          ++mismatches;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(CalendarTest, MonthLengthsAreGregorian) {
  EXPECT_EQ(CalendarMonthLength(2, 1900), 28);
  EXPECT_EQ(CalendarMonthLength(2, 2000), 29);
  EXPECT_EQ(CalendarMonthLength(2, 2024), 29);
  EXPECT_EQ(CalendarMonthLength(2, 2023), 28);
  // The calendar counts century years by the Gregorian rule also before
  // 1753, unlike the date module's FebruaryDays.
  EXPECT_EQ(CalendarMonthLength(2, 1700), 28);
  EXPECT_EQ(CalendarMonthLength(1, 2023), 31);
  EXPECT_EQ(CalendarMonthLength(4, 2023), 30);
  EXPECT_EQ(CalendarMonthLength(12, 2023), 31);
  EXPECT_EQ(CalendarMonthLength(13, 2023), 0);
}

// Measures every font with a fixed character width of half its height.
class HalfHeightDevice : public CCalendarDevice {
 public:
  std::unique_ptr<plat::TextMeasure> MeasureWith(const CCalendarFont& font) const override {
    fonts.push_back(font);
    return std::make_unique<plat::FixedWidthTextMeasure>(font.height / 2, 1000);
  }
  mutable std::vector<CCalendarFont> fonts;
};

constexpr const char* kTitleFont = "Arial;Bold;14pt";    // 194 high
constexpr const char* kDayFont = "Arial;SemiBold;10pt";  // 138 high
constexpr const char* kTextFont = "Arial;Normal;8pt";    // 111 high

TEST_F(CalendarTest, MonthStartingOnEachWeekday) {
  struct Case {
    int month;  // 0-11 of 2023
    int firstWeekday;
    int firstColumn;
    int length;
    int lastColumn;
    int rows;
  };
  const Case cases[] = {
      {0, 0, 0, 31, 2, 5},   // January starts on a Sunday
      {4, 0, 1, 31, 3, 5},   // May, Monday
      {7, 0, 2, 31, 4, 5},   // August, Tuesday
      {1, 0, 3, 28, 2, 5},   // February, Wednesday
      {5, 0, 4, 30, 5, 5},   // June, Thursday
      {8, 0, 5, 30, 6, 5},   // September, Friday
      {11, 0, 5, 31, 0, 6},  // December, Friday, one day more
      {3, 0, 6, 30, 0, 6},   // April, Saturday
      {0, 1, 6, 31, 1, 6},   // January from Monday
      {3, 1, 5, 30, 6, 5},   // April from Monday
  };
  HalfHeightDevice dc;
  for (const Case& c : cases) {
    SCOPED_TRACE("month " + std::to_string(c.month) + " from " + std::to_string(c.firstWeekday));
    CCalendarMonthLayout layout;
    ASSERT_TRUE(LayoutCalendarMonth(layout, 7000, 5291, 2023, c.month, c.firstWeekday, 50, 20,
                                    kTitleFont, kDayFont, kTextFont, dc, 2));
    EXPECT_EQ(layout.firstColumn, c.firstColumn);
    EXPECT_EQ(layout.monthLength, c.length);
    EXPECT_EQ(layout.lastColumn, c.lastColumn);
    EXPECT_EQ(layout.rows, c.rows);
    EXPECT_EQ(layout.rowHeight, (5291 - 291) / c.rows);
  }
}

TEST_F(CalendarTest, FebruaryLengthsAndTheFourRowMonth) {
  HalfHeightDevice dc;
  CCalendarMonthLayout layout;
  ASSERT_TRUE(LayoutCalendarMonth(layout, 7000, 5000, 1900, 1, 0, 50, 20, kTitleFont, kDayFont,
                                  kTextFont, dc, 1));
  EXPECT_EQ(layout.monthLength, 28);
  ASSERT_TRUE(LayoutCalendarMonth(layout, 7000, 5000, 2000, 1, 0, 50, 20, kTitleFont, kDayFont,
                                  kTextFont, dc, 1));
  EXPECT_EQ(layout.monthLength, 29);
  // February 2015 starts on a Sunday and has 28 days.
  ASSERT_TRUE(LayoutCalendarMonth(layout, 7000, 5000, 2015, 1, 0, 50, 20, kTitleFont, kDayFont,
                                  kTextFont, dc, 1));
  EXPECT_EQ(layout.firstColumn, 0);
  EXPECT_EQ(layout.lastColumn, 6);
  EXPECT_EQ(layout.rows, 4);
  // No free cell after the last day: no room, rather than a negative width.
  EXPECT_EQ(layout.freeSlotWidth, 0);
}

TEST_F(CalendarTest, LayoutFiguresWithNumberBesideText) {
  HalfHeightDevice dc;
  CCalendarMonthLayout layout;
  // June 2023 from Sunday: columns 4 to 5, 5 rows. Columns 2000 wide.
  ASSERT_TRUE(LayoutCalendarMonth(layout, 14000, 5291, 2023, 5, 0, 50, 20, kTitleFont, kDayFont,
                                  kTextFont, dc, 3));
  EXPECT_EQ(layout.titleFontHeight, 194);
  EXPECT_EQ(layout.titleHeight, 291);
  EXPECT_EQ(layout.dayNumberFont.height, 138);
  EXPECT_EQ(layout.dayNumberFont.weight, 600);
  EXPECT_EQ(layout.textFont.height, 111);
  EXPECT_EQ(layout.textFont.weight, 400);
  EXPECT_EQ(layout.columnWidth, 2000);
  EXPECT_EQ(layout.rowHeight, 1000);
  EXPECT_EQ(layout.freeSlotWidth, (1 * 2000 - 50) / 3);
  EXPECT_EQ(layout.fullSlotWidth, 14000 / 3);
  EXPECT_EQ(layout.slotsAcross, 3);
  EXPECT_EQ(layout.lineHeight, 133);
  EXPECT_EQ(layout.linesPerPage, 5291 / 133);
  // "25 " is 3 x 69, the sample 19 x 55: 1252 fits in 2000 - 100.
  EXPECT_TRUE(layout.numberBesideText);
  EXPECT_EQ(layout.textLeft, 207 + 50);
  EXPECT_EQ(layout.textTop, 20);
  EXPECT_EQ(layout.linesPerCell, (1000 - 40) / 133);
  ASSERT_EQ(dc.fonts.size(), 2u);
  EXPECT_EQ(dc.fonts[0].height, 138);
  EXPECT_EQ(dc.fonts[1].height, 111);
}

TEST_F(CalendarTest, LayoutFiguresWithNumberOnItsOwnLine) {
  HalfHeightDevice dc;
  CCalendarMonthLayout layout;
  // Columns 1000 wide: 1252 does not fit in 900.
  ASSERT_TRUE(LayoutCalendarMonth(layout, 7000, 5291, 2023, 5, 0, 50, 20, kTitleFont, kDayFont,
                                  kTextFont, dc, 2));
  EXPECT_FALSE(layout.numberBesideText);
  EXPECT_EQ(layout.textLeft, 50);
  EXPECT_EQ(layout.textTop, 138 * 6 / 5 + 20);
  // The text's top and one more gap below the cell's lines.
  EXPECT_EQ(layout.linesPerCell, (1000 - 185 - 20) / 133);
  EXPECT_TRUE(boxes_.Calls().empty());
}

TEST_F(CalendarTest, LayoutRefusesWhatItCannotCount) {
  HalfHeightDevice dc;
  CCalendarMonthLayout layout;
  layout.rows = 99;
  EXPECT_FALSE(LayoutCalendarMonth(layout, 7000, 5000, 99, 0, 0, 50, 20, kTitleFont, kDayFont,
                                   kTextFont, dc, 1));
  EXPECT_FALSE(LayoutCalendarMonth(layout, 7000, 5000, 2101, 0, 0, 50, 20, kTitleFont, kDayFont,
                                   kTextFont, dc, 1));
  EXPECT_FALSE(LayoutCalendarMonth(layout, 7000, 5000, 2000, 12, 0, 50, 20, kTitleFont, kDayFont,
                                   kTextFont, dc, 1));
  EXPECT_FALSE(LayoutCalendarMonth(layout, 7000, 5000, 2000, -1, 0, 50, 20, kTitleFont, kDayFont,
                                   kTextFont, dc, 1));
  EXPECT_EQ(layout.rows, 99);
  // No slots: the slot figures stay 0 and nothing divides by zero.
  ASSERT_TRUE(LayoutCalendarMonth(layout, 7000, 5000, 2000, 0, 0, 50, 20, kTitleFont, kDayFont,
                                  kTextFont, dc, 0));
  EXPECT_EQ(layout.freeSlotWidth, 0);
  EXPECT_EQ(layout.fullSlotWidth, 0);
  EXPECT_EQ(layout.slotsAcross, 0);
}

TEST_F(CalendarTest, UnreadableFontFallsBackWithAMessage) {
  HalfHeightDevice dc;
  CCalendarMonthLayout layout;
  ASSERT_TRUE(LayoutCalendarMonth(layout, 7000, 5000, 2000, 0, 0, 50, 20, kTitleFont, "garbage",
                                  kTextFont, dc, 1));
  EXPECT_EQ(boxes_.Calls().size(), 1u);
  EXPECT_EQ(layout.dayNumberFont.height, 10 * 1000 / 72);  // the fallback's 10pt
}

// ---- key event dates ----

CEventValue Event(CDateValue date, const char* town = "", const char* county = "") {
  return CEventValue::EventValueFrom(date, town, county);
}

CDateValue Year(int year) {
  CDateValue d;
  d.Set(year, 0);
  return d;
}

TEST_F(CalendarTest, KeyEventIsTheFirstKnownEvent) {
  CDateValue deceased;
  deceased.Set(0, CDateValue::kStatusDeceased);
  CDateValue noYear;
  noYear.Set(0, 5, 3);
  CMarriageRecord undated;
  undated.marriage = Event(CDateValue(), "Nowhere");
  CMarriageRecord dated;
  dated.marriage = Event(Year(1875), "Calder", "Wessery");

  struct Case {
    const char* name;
    CEventValue birth, christening, death, burial;
    bool withMarriage;
    char letter;
    std::string text;
    std::string place;
  };
  const Case cases[] = {
      {"birth first",
       Event(Year(1850), "Saltbrook"),
       Event(Year(1851)),
       Event(Year(1900)),
       {},
       true,
       'b',
       "b.1850",
       "Saltbrook"},
      {"only a christening",
       {},
       Event(Year(1850), "Fennick", "Norrland"),
       {},
       {},
       true,
       'c',
       "c.1850",
       "Fennick, Norrland"},
      {"birth without a year",
       Event(noYear, "Here"),
       Event(Year(1852)),
       {},
       {},
       false,
       'c',
       "c.1852",
       ""},
      {"first dated marriage",
       {},
       {},
       Event(Year(1900)),
       {},
       true,
       'm',
       "m.1875",
       "Calder, Wessery"},
      {"marriages not asked for",
       {},
       {},
       Event(Year(1900), "Ashby"),
       {},
       false,
       'd',
       "d.1900",
       "Ashby"},
      {"death known by its status",
       {},
       {},
       Event(deceased),
       Event(Year(1901)),
       false,
       'd',
       "d.Deceased",
       ""},
      {"burial",
       {},
       {},
       Event(noYear),
       Event(Year(1901), "Tamsin Hill"),
       false,
       'u',
       "b.1901",
       "Tamsin Hill"},
      {"nothing known", Event(noYear, "Here"), {}, {}, {}, false, 0, "", ""},
  };
  const CMarriageRecord* marriages[] = {nullptr, &undated, &dated};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CIndividualRecord individual;
    individual.birth = c.birth;
    individual.christening = c.christening;
    individual.death = c.death;
    individual.burial = c.burial;
    std::string text = "old";
    std::string place = "old";
    EXPECT_EQ(GetKeyEventDateOf(individual, marriages, text, &place, c.withMarriage), c.letter);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(place, c.place);
    std::string textOnly;
    EXPECT_EQ(GetKeyEventDateOf(individual, marriages, textOnly, nullptr, c.withMarriage),
              c.letter);
    EXPECT_EQ(textOnly, c.text);
  }
}

}  // namespace
