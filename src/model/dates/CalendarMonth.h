#pragma once
// Date routines of pages and lists: today's date in the user's style, the
// weekday of a date and the layout of one month of the event calendar.
//
// The calendar counts weekdays and month lengths on the Gregorian calendar
// for every year it accepts (100-2100), also before the Gregorian reform.

#include <ctime>
#include <memory>
#include <string>
#include <string_view>

#include "TextMeasure.h"

// Today's local date, formatted by CDateValue::Format in the user's style.
void FormatToday(std::string& out);
std::string GetTodayString();
// The local date of t in the same style; "" when t cannot be broken down.
std::string FormatTimeAsDate(std::time_t t);

// The weekday of a date counted from firstWeekday (0 Sunday ... 6 Saturday):
// 0-6, or -1 when the day is outside 1-31, the month outside 1-12 or the year
// outside 100-2100.
int WeekdayIndex(int day, int month, int year, int firstWeekday);
// Days of month 1-12 on the Gregorian calendar; 0 for another month.
int CalendarMonthLength(int month, int year);

// A font the calendar creates: a swiss-family font of the default character
// set, its height in thousandths of an inch.
struct CCalendarFont {
  int height = 0;
  int weight = 400;
};

// The device the calendar is laid out for: measures text, in thousandths of
// an inch, in a font the layout creates.
class CCalendarDevice {
 public:
  virtual ~CCalendarDevice() = default;
  virtual std::unique_ptr<plat::TextMeasure> MeasureWith(const CCalendarFont& font) const = 0;
};

// One month of the calendar; lengths in thousandths of an inch.
struct CCalendarMonthLayout {
  CCalendarFont dayNumberFont;
  CCalendarFont textFont;
  int titleFontHeight = 0;
  int titleHeight = 0;  // the title band above the rows

  int firstColumn = 0;  // column of day 1 (0 = the first weekday)
  int lastColumn = 0;   // column of the last day
  int monthLength = 0;
  int rows = 0;  // week rows the month touches
  int columnWidth = 0;
  int rowHeight = 0;

  // Room for the caller's extra items: the free cells after the last day
  // shared among the slots, the whole width shared among them, and how many
  // of the latter fit across.
  int freeSlotWidth = 0;
  int fullSlotWidth = 0;
  int slotsAcross = 0;

  int lineHeight = 0;  // one line of the text font
  int linesPerPage = 0;

  bool numberBesideText = false;  // day number and text share the first line
  int textLeft = 0;               // where a cell's text starts, from its left edge
  int textTop = 0;                // and from its top edge
  int linesPerCell = 0;
};

// Lays out month (0-11) of year in a width x height area. margin and gap are
// the cells' inner spacing; the fonts are font descriptions
// ("face;style;size"); slotCount is the number of the caller's extra items
// (below 1: the slot figures stay 0). False, and the layout untouched, when
// the month or the year cannot be laid out (WeekdayIndex gives -1).
bool LayoutCalendarMonth(CCalendarMonthLayout& layout, int width, int height, int year, int month,
                         int firstWeekday, int margin, int gap, std::string_view titleFont,
                         std::string_view dayNumberFont, std::string_view textFont,
                         const CCalendarDevice& dc, int slotCount);
