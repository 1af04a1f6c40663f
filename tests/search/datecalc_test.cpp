// The Date Calculator's arithmetic: start, end and difference computed from
// the other two, BC years, month lengths, and when the calendar is hidden.
#include <gtest/gtest.h>

#include "DateArithmetic.h"
#include "DateCalculator.h"
#include "FakePorts.h"

using kin::CountedDate;
using kin::DateSpan;

namespace {

TEST(DateArithmetic, Table) {
  enum Mode { kStart, kEnd, kDifference };
  struct Case {
    Mode mode;
    CountedDate start;
    DateSpan span;
    CountedDate end;
  } cases[] = {
      // End minus a month keeps within February; minus 31 days borrows.
      {kStart, {2000, 2, 29}, {0, 1, 0}, {2000, 3, 31}},
      {kStart, {2000, 2, 29}, {0, 0, 31}, {2000, 3, 31}},
      {kStart, {1999, 12, 31}, {0, 0, 1}, {2000, 1, 1}},
      {kStart, {1998, 11, 30}, {1, 1, 1}, {2000, 1, 1}},
      // February 2001 (28 days) is borrowed.
      {kDifference, {2000, 1, 10}, {1, 1, 23}, {2001, 3, 5}},
      {kDifference, {1900, 6, 1}, {0, 0, 0}, {1900, 6, 1}},
      {kDifference, {1999, 12, 31}, {0, 0, 1}, {2000, 1, 1}},
      {kDifference, {0, 1, 1}, {1, 0, 0}, {1, 1, 1}},  // 1 January 1 BC to 1 January AD 1
      // The end takes the day limit too: 31 January plus one month.
      {kEnd, {2000, 1, 31}, {0, 1, 0}, {2000, 2, 29}},
      {kEnd, {2001, 1, 31}, {0, 1, 0}, {2001, 2, 28}},
      {kEnd, {0, 1, 1}, {0, 0, 1}, {0, 1, 2}},  // 1 January 1 BC plus a day
      {kEnd, {2000, 12, 31}, {0, 0, 1}, {2001, 1, 1}},
      {kEnd, {2000, 2, 28}, {0, 0, 2}, {2000, 3, 1}},
      {kEnd, {1999, 11, 15}, {2, 2, 20}, {2002, 2, 4}},
      // The leap rule of a BC year goes by its BC number: 4 BC (counted -3)
      // is a leap year, 5 BC (counted -4) is not.
      {kEnd, {-3, 2, 28}, {0, 0, 1}, {-3, 2, 29}},
      {kEnd, {-4, 2, 28}, {0, 0, 1}, {-4, 3, 1}},
  };
  for (const Case& c : cases) {
    switch (c.mode) {
      case kStart:
        EXPECT_EQ(kin::ComputeStart(c.end, c.span), c.start) << c.end.year << "-" << c.end.month;
        break;
      case kEnd:
        EXPECT_EQ(kin::ComputeEnd(c.start, c.span), c.end) << c.start.year << "-" << c.start.month;
        break;
      case kDifference: {
        DateSpan span{-1, -1, -1};
        ASSERT_TRUE(kin::ComputeDifference(c.start, c.end, span));
        EXPECT_EQ(span, c.span) << c.start.year << "-" << c.start.month;
        break;
      }
    }
  }
}

TEST(DateArithmetic, StartAfterEndIsRefused) {
  DateSpan span;
  EXPECT_FALSE(kin::ComputeDifference({2000, 3, 2}, {2000, 3, 1}, span));
  EXPECT_TRUE(kin::ComputeDifference({2000, 3, 1}, {2000, 3, 1}, span));
}

TEST(DateArithmetic, DaysInMonthFollowsTheGregorianRule) {
  EXPECT_EQ(kin::DaysInMonth(1900, 2), 28);
  EXPECT_EQ(kin::DaysInMonth(2000, 2), 29);
  EXPECT_EQ(kin::DaysInMonth(2004, 2), 29);
  EXPECT_EQ(kin::DaysInMonth(2001, 2), 28);
  EXPECT_EQ(kin::DaysInMonth(2001, 4), 30);
  EXPECT_EQ(kin::DaysInMonth(2001, 12), 31);
}

TEST(DateArithmetic, YearOnlyDatesAndTheCalendarNote) {
  CDateValue year;
  year.Set(1700, 0);
  EXPECT_EQ(kin::ToCounted(year), (CountedDate{1700, 1, 1}));
  EXPECT_TRUE(kin::CalendarHiddenFor(year));
  CDateValue late;
  late.Set(1752, 10, 1);
  EXPECT_FALSE(kin::CalendarHiddenFor(late));
  CDateValue september;
  september.Set(1752, 9, 30);
  EXPECT_TRUE(kin::CalendarHiddenFor(september));
  CDateValue bc;
  bc.Set(1, 1, 1, 0, 0, 0, true);
  EXPECT_TRUE(kin::CalendarHiddenFor(bc));
  EXPECT_EQ(kin::ToCounted(bc).year, 0);
  EXPECT_FALSE(kin::CalendarHiddenFor(CDateValue()));
  const CDateValue back = kin::FromCounted({-1, 5, 6});
  EXPECT_EQ(back.year, 2);
  EXPECT_TRUE(back.bc);
}

}  // namespace

namespace {

class DateCalculatorLogicTest : public ::testing::Test {
 protected:
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scoped{&boxes};
};

TEST_F(DateCalculatorLogicTest, PortionsAndMessages) {
  kin::CDateCalculatorLogic logic;
  EXPECT_EQ(logic.Calculate({}), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text,
            "You must fill in at least two of the three portions: Start, Difference, End.");

  // A start after the end is refused with its message; nothing computed.
  logic.startText = "2 Mar 2000";
  logic.endText = "1 Mar 2000";
  EXPECT_EQ(logic.Calculate({}), 0);
  EXPECT_EQ(boxes.Calls().back().text, "Start date must be BEFORE end date!");
  EXPECT_EQ(logic.span, (DateSpan{0, 0, 0}));

  // End minus a month: the start is computed and written in the user's style.
  logic.startText.clear();
  logic.endText = "31 Mar 2000";
  logic.span = DateSpan{0, 1, 0};
  EXPECT_EQ(logic.Calculate({}), 0);
  EXPECT_EQ(logic.startValue.year, 2000);
  EXPECT_EQ(logic.startValue.month, 2);
  EXPECT_EQ(logic.startValue.day, 29);
  EXPECT_EQ(logic.startText, logic.startValue.Format());

  // All three filled: the Solver's Cancel computes nothing.
  const std::string before = logic.startText;
  int asked = 0;
  EXPECT_EQ(logic.Calculate([&] {
    ++asked;
    return kin::CDateCalculatorLogic::kSolveCancel;
  }),
            0);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(logic.startText, before);
  // Difference chosen: the span is recomputed from the two dates.
  EXPECT_EQ(logic.Calculate([] { return kin::CDateCalculatorLogic::kSolveDifference; }), 0);
  EXPECT_EQ(logic.span, (DateSpan{0, 1, 2}));
}

TEST_F(DateCalculatorLogicTest, YearOnlyStartHidesItsCalendar) {
  kin::CDateCalculatorLogic logic;
  logic.startText = "1700";
  ASSERT_TRUE(logic.AcceptText(true));
  EXPECT_TRUE(logic.startCalendarHidden);
  EXPECT_EQ(logic.startValue.month, 1);
  EXPECT_EQ(logic.startValue.day, 1);
  logic.startText.clear();
  ASSERT_TRUE(logic.AcceptText(true));
  EXPECT_FALSE(logic.startCalendarHidden);
}

}  // namespace
