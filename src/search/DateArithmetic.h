#pragma once
// The Date Calculator's arithmetic on calendar dates: a start date, an end
// date and the difference between them in years, months and days, any one
// computed from the other two. Years are counted so that 1 BC is 0, 2 BC is
// -1; the Gregorian leap rule applies to every year.

#include "DateValue.h"

namespace kin {

struct CountedDate {
  int year = 0;  // counted year: a BC year Y is 1 - Y
  int month = 1;
  int day = 1;
  bool operator==(const CountedDate&) const = default;
};
struct DateSpan {
  int years = 0, months = 0, days = 0;
  bool operator==(const DateSpan&) const = default;
};

int DaysInMonth(int year, int month);

// A date with a year gets day 1 and month 1 where they are missing.
CountedDate ToCounted(const CDateValue& date);
// The date value of a counted date (a counted year of 0 or below is BC).
CDateValue FromCounted(const CountedDate& date);

// End minus the span; the day is limited to the month's length.
CountedDate ComputeStart(const CountedDate& end, const DateSpan& span);
// Start plus the span; the day is limited to the month's length as the start
// computation does (31 January plus one month is 29 February in a leap year).
CountedDate ComputeEnd(const CountedDate& start, const DateSpan& span);
// The span from start to end; false when start is later than end.
bool ComputeDifference(const CountedDate& start, const CountedDate& end, DateSpan& span);

// True when the month calendar is replaced by the note: a date before
// October 1752, or a BC date.
bool CalendarHiddenFor(const CDateValue& date);

}  // namespace kin
