#pragma once
// The Event Calendar's settings (profile section CalendarRpt and the
// calendar fonts) and the page geometry that both the pass and the page
// drawing derive from the printable area: the frame, the month grid, and
// the columns of the additional-events list.

#include <memory>
#include <string>

#include "CalendarMonth.h"
#include "ChartBox.h"
#include "EventCalendarPagination.h"
#include "ReportDevice.h"

namespace rpt {

struct EventCalendarOptions {
  int pageLM = 300, pageRM = 300, pageTM = 300, pageBM = 300;
  int boxCorner = 0, boxLine = 0;
  bool boxShade = false;
  ColorRef shadeColor = 0xF0F0F0, borderColor = 0, lineColor = 0, backColor = 0xFFFFFF;
  bool useName = true;
  std::string titlePrefix, titleSuffix;
  int year = 0;
  int month = 0;  // 0-11
  int startDay = 0;
  bool age = true;
  int ageUnder = 999;
  bool womenName = true;
  bool living = true, birthday = true, anniversary = true, divorced = false;
  std::string titleFont = "Times New Roman;Bold;48pt";
  std::string daysFont = "Times New Roman;Bold;15pt";
  std::string dateFont = "Arial;Bold;12pt";
  std::string textFont = "Times New Roman;Normal;8pt";

  static EventCalendarOptions Load();
  // The grid's side inset for the frame's corner style.
  int CornerInset() const { return boxCorner == 1 ? 180 : boxCorner == 2 ? 260 : 140; }
};

// A font of a description, points x 1000 / 72 high.
LogFont CalendarFont(const std::string& description);

// Measures calendar fonts on a report device (its own font is kept).
class ReportCalendarDevice : public CCalendarDevice {
 public:
  explicit ReportCalendarDevice(ReportDevice& dc) : dc_(dc) {}
  std::unique_ptr<plat::TextMeasure> MeasureWith(const CCalendarFont& font) const override;

 private:
  ReportDevice& dc_;
};

// The geometry of the calendar pages, in logical units (y up).
struct EventCalendarGeometry {
  Rect frame;          // the printable area inset by 4
  int gridLeft = 0;    // the grid's left edge
  int gridWidth = 0;   // and width
  int weekdayTop = 0;  // the weekday row, 1.5 title heights below the frame top
  int rowsTop = 0;     // the first week row
  int gridHeight = 0;  // the height given to the month layout
  CCalendarMonthLayout month;
  CalendarListFigures list;
  int page1ColumnWidth = 2000;
  int furtherColumnWidth = 2000;
  int lineHeight = 1;  // one event line

  // The box of day (1-based) of the month.
  Rect DayBox(int day) const;
  // The cell after the month's last day.
  Rect FreeCell() const;
};

// Lays out the month of options on a printable area; false when the month
// cannot be laid out (a year outside 100-2100).
bool LayoutEventCalendar(const EventCalendarOptions& options, const PrintableArea& area,
                         ReportDevice& dc, EventCalendarGeometry& out);

// The pass's settings for the layout.
CalendarRunSettings MakeCalendarRunSettings(const EventCalendarOptions& options,
                                            const EventCalendarGeometry& geometry,
                                            const CBitSet* chosen);

}  // namespace rpt
