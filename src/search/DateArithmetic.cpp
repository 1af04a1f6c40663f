#include "DateArithmetic.h"

#include <cstdlib>

namespace kin {

int DaysInMonth(int year, int month) {
  switch (month) {
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    case 2:
      return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 29 : 28;
    default:
      return 31;
  }
}

CountedDate ToCounted(const CDateValue& date) {
  CountedDate out;
  out.year = date.bc ? 1 - static_cast<int>(date.year) : static_cast<int>(date.year);
  out.month = date.month >= 1 && date.month <= 12 ? date.month : 1;
  out.day = date.day >= 1 ? date.day : 1;
  return out;
}

CDateValue FromCounted(const CountedDate& date) {
  CDateValue out;
  const bool bc = date.year <= 0;
  out.Set(bc ? 1 - date.year : date.year, date.month, date.day, 0, 0, 0, bc);
  return out;
}

CountedDate ComputeStart(const CountedDate& end, const DateSpan& span) {
  int y = end.year - span.years;
  int m = end.month - span.months;
  if (m < 1) {
    y -= 1;
    m += 12;
  }
  int d = end.day - span.days;
  while (d < 1) {
    if (--m < 1) {
      y -= 1;
      m = 12;
    }
    d += DaysInMonth(y, m);
  }
  if (d > DaysInMonth(y, m)) d = DaysInMonth(y, m);
  return CountedDate{y, m, d};
}

CountedDate ComputeEnd(const CountedDate& start, const DateSpan& span) {
  int y = start.year + span.years;
  int m = start.month + span.months;
  if (m > 12) {
    y += 1;
    m -= 12;
  }
  int d = start.day;
  // The leap rule of a BC year goes by its BC number.
  const auto length = [](int year, int month) {
    return DaysInMonth(year < 0 ? 1 - year : year, month);
  };
  if (d > length(y, m)) d = length(y, m);
  int r = span.days;
  while (r != 0) {
    const int L = length(y, m);
    if (d + r <= L) {
      d += r;
      break;
    }
    r = d + r - L;
    d = 0;
    if (++m > 12) {
      y += 1;
      m = 1;
    }
  }
  return CountedDate{y, m, d};
}

bool ComputeDifference(const CountedDate& start, const CountedDate& end, DateSpan& span) {
  const auto later = [](const CountedDate& a, const CountedDate& b) {
    if (a.year != b.year) return a.year > b.year;
    if (a.month != b.month) return a.month > b.month;
    return a.day > b.day;
  };
  if (later(start, end)) return false;
  int ey = end.year;
  int t;
  if (start.day > end.day) {
    t = end.month - 1;
    if (t == 0) {
      ey -= 1;
      t = 12;
    }
    span.days = DaysInMonth(ey, t) - start.day + end.day;
  } else {
    span.days = end.day - start.day;
    t = end.month;
  }
  span.months = t - start.month;
  if (start.month > t) {
    ey -= 1;
    span.months += 12;
  }
  span.years = std::abs(ey - start.year);
  return true;
}

bool CalendarHiddenFor(const CDateValue& date) {
  const int v = static_cast<int>(date.year) * 100 + date.month;
  return v != 0 && (v <= 175209 || date.bc);
}

}  // namespace kin
