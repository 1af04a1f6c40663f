#include "CalendarMonth.h"

#include <algorithm>

#include "DateValue.h"
#include "FontDescription.h"

namespace {

// A font of n points is n x 1000 / 72 thousandths of an inch high.
int PointsToThousandths(int points) { return points * 1000 / 72; }

CCalendarFont CreateFont(std::string_view description, int* heightOut = nullptr) {
  std::string face;
  int size = 0;
  int weight = 0;
  int italic = 0;
  ParseFontDescription(description, face, size, weight, italic);
  CCalendarFont font;
  font.height = PointsToThousandths(size);
  font.weight = weight;
  if (heightOut != nullptr) *heightOut = font.height;
  return font;
}

int Modulo7(int value) { return ((value % 7) + 7) % 7; }

}  // namespace

void FormatToday(std::string& out) {
  CDateValue today;
  today.SetToday();
  out = today.Format();
}

std::string GetTodayString() {
  std::string out;
  FormatToday(out);
  return out;
}

std::string FormatTimeAsDate(std::time_t t) {
  CDateValue date;
  if (!date.SetFromTime(t)) return {};
  return date.Format();
}

int WeekdayIndex(int day, int month, int year, int firstWeekday) {
  if (day < 1 || day > 31 || month < 1 || month > 12 || year < 100 || year > 2100) return -1;
  // Zeller's congruence: January and February count as months 13 and 14 of
  // the previous year; h is 0 for Saturday.
  if (month < 3) {
    month += 12;
    --year;
  }
  const int k = year % 100;
  const int j = year / 100;
  const int h = (day + 13 * (month + 1) / 5 + k + k / 4 + j / 4 + 5 * j) % 7;
  const int weekday = (h + 6) % 7;  // 0 Sunday
  return Modulo7(weekday - firstWeekday);
}

int CalendarMonthLength(int month, int year) {
  switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
      return 31;
    case 2:
      return (year % 400 == 0 || (year % 4 == 0 && year % 100 != 0)) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return 0;
  }
}

bool LayoutCalendarMonth(CCalendarMonthLayout& layout, int width, int height, int year, int month,
                         int firstWeekday, int margin, int gap, std::string_view titleFont,
                         std::string_view dayNumberFont, std::string_view textFont,
                         const CCalendarDevice& dc, int slotCount) {
  if (month < 0 || month > 11) return false;
  const int monthLength = CalendarMonthLength(month + 1, year);
  const int firstColumn = WeekdayIndex(1, month + 1, year, firstWeekday);
  const int lastColumn = WeekdayIndex(monthLength, month + 1, year, firstWeekday);
  if (firstColumn < 0 || lastColumn < 0) return false;

  CCalendarMonthLayout out;
  CreateFont(titleFont, &out.titleFontHeight);
  out.dayNumberFont = CreateFont(dayNumberFont);
  out.textFont = CreateFont(textFont);
  out.titleHeight = out.titleFontHeight * 3 / 2;

  out.firstColumn = firstColumn;
  out.lastColumn = lastColumn;
  out.monthLength = monthLength;
  // The first row runs from the first column to the end of the week; every
  // further week, whole or part, adds a row.
  out.rows = (firstColumn + monthLength + 6) / 7;
  out.columnWidth = width / 7;
  out.rowHeight = (height - out.titleHeight) / out.rows;

  if (slotCount >= 1) {
    // A month that ends in the last column leaves no room (not a negative width).
    out.freeSlotWidth = std::max(0, ((6 - lastColumn) * out.columnWidth - margin) / slotCount);
    out.fullSlotWidth = width / slotCount;
    out.slotsAcross = out.fullSlotWidth > 0 ? width / out.fullSlotWidth : 0;
  }

  // A line is never thinner than one unit, so the counts below stay defined.
  out.lineHeight = std::max(1, out.textFont.height * 6 / 5);
  out.linesPerPage = height / out.lineHeight;

  const int numberWidth = dc.MeasureWith(out.dayNumberFont)->TextWidth("25 ");
  const int sampleWidth = dc.MeasureWith(out.textFont)->TextWidth("20 Torvik A AMBERLY");
  out.numberBesideText = numberWidth + sampleWidth <= out.columnWidth - 2 * margin;
  if (out.numberBesideText) {
    out.textLeft = numberWidth + margin;
    out.textTop = gap;
    out.linesPerCell = std::max(0, (out.rowHeight - 2 * gap) / out.lineHeight);
  } else {
    out.textLeft = margin;
    out.textTop = out.dayNumberFont.height * 6 / 5 + gap;
    out.linesPerCell = std::max(0, (out.rowHeight - out.textTop - gap) / out.lineHeight);
  }
  layout = out;
  return true;
}
