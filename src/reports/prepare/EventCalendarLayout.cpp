#include "EventCalendarLayout.h"

#include <algorithm>

#include "AppOptions.h"
#include "FontDescription.h"
#include "Ports.h"

namespace rpt {

namespace {

constexpr const char* kSection = "CalendarRpt";
constexpr int kMargin = 30;
constexpr int kGap = 24;
constexpr int kListColumnWidth = 2000;

class DeviceFontMeasure : public plat::TextMeasure {
 public:
  DeviceFontMeasure(ReportDevice& dc, const LogFont& font) : dc_(dc), font_(font) {}
  int TextWidth(std::string_view text) const override {
    const LogFont previous = dc_.SelectFont(font_);
    const int w = dc_.GetTextExtent(text).cx;
    dc_.SelectFont(previous);
    return w;
  }
  int AverageCharWidth() const override { return TextWidth("x"); }
  int PixelsPerInchY() const override { return 1000; }

 private:
  ReportDevice& dc_;
  LogFont font_;
};

}  // namespace

EventCalendarOptions EventCalendarOptions::Load() {
  EventCalendarOptions o;
  plat::ProfilePort& p = plat::Profile();
  auto num = [&](const char* key, int def) { return p.GetInt(kSection, key, def); };
  auto color = [&](const char* key, ColorRef def) {
    return static_cast<ColorRef>(p.GetColor(kSection, key, def));
  };
  o.pageLM = CAppOptions::GetCalendarRptPageLM();
  o.pageRM = CAppOptions::GetCalendarRptPageRM();
  o.pageTM = CAppOptions::GetCalendarRptPageTM();
  o.pageBM = CAppOptions::GetCalendarRptPageBM();
  o.boxCorner = num("BoxCorner", 0);
  o.boxLine = num("BoxLine", 0);
  o.boxShade = num("BoxShade", 0) != 0;
  o.shadeColor = color("ShadeClr", 0xF0F0F0);
  o.borderColor = color("BorderLineClr", 0);
  o.lineColor = color("LineClr", 0);
  o.backColor = color("BackClr", 0xFFFFFF);
  o.useName = num("UseName", 1) != 0;
  o.titlePrefix = p.GetString(kSection, "TitlePrefix", "");
  o.titleSuffix = p.GetString(kSection, "TitleSuffix", "");
  o.year = num("Year", 0);
  o.month = std::clamp(num("Month", 0), 0, 11);
  o.startDay = std::clamp(num("StartDayOfWeek", 0), 0, 6);
  o.age = num("Age", 1) != 0;
  o.ageUnder = num("AgeUnder", 999);
  o.womenName = num("WomenName", 1) != 0;
  o.living = num("Living", 1) != 0;
  o.birthday = num("Birthday", 1) != 0;
  o.anniversary = num("Anniversary", 1) != 0;
  o.divorced = num("DivorceStat", 0) != 0;
  CAppOptions::GetOptionsFontCalTitle(o.titleFont);
  CAppOptions::GetOptionsFontCalDays(o.daysFont);
  CAppOptions::GetOptionsFontCalDate(o.dateFont);
  CAppOptions::GetOptionsFontCalText(o.textFont);
  return o;
}

LogFont CalendarFont(const std::string& description) {
  std::string face;
  int points = 10, weight = 400, italic = 0;
  ParseFontDescription(description, face, points, weight, italic);
  LogFont font;
  font.face = face;
  font.height = -(points * 1000 / 72);
  font.weight = weight;
  font.italic = italic != 0;
  return font;
}

std::unique_ptr<plat::TextMeasure> ReportCalendarDevice::MeasureWith(
    const CCalendarFont& font) const {
  LogFont f;
  f.face = "Arial";
  f.height = -font.height;
  f.weight = font.weight;
  return std::make_unique<DeviceFontMeasure>(dc_, f);
}

Rect EventCalendarGeometry::DayBox(int day) const {
  const int index = day + month.firstColumn - 1;
  const int column = index % 7, row = index / 7;
  const int left = gridLeft + column * month.columnWidth;
  const int top = rowsTop - row * month.rowHeight;
  return {left, top, left + month.columnWidth, top - month.rowHeight};
}

Rect EventCalendarGeometry::FreeCell() const { return DayBox(month.monthLength + 1); }

bool LayoutEventCalendar(const EventCalendarOptions& options, const PrintableArea& area,
                         ReportDevice& dc, EventCalendarGeometry& out) {
  EventCalendarGeometry g;
  g.frame = {area.left + 4, -area.top - 4, area.left + area.width - 4, -area.top - area.height + 4};
  const int titleHeight = -CalendarFont(options.titleFont).height;
  const int inset = options.CornerInset();
  g.gridLeft = g.frame.left + inset;
  g.gridWidth = std::max(7, area.width - 2 * inset - 8);
  g.weekdayTop = g.frame.top - titleHeight * 3 / 2;
  g.gridHeight = std::max(1, area.height - titleHeight * 3 / 2 - inset - 8);
  ReportCalendarDevice measure(dc);
  if (!LayoutCalendarMonth(g.month, g.gridWidth, g.gridHeight, options.year, options.month,
                           options.startDay, kMargin, kGap, options.daysFont, options.dateFont,
                           options.textFont, measure, kListColumnWidth)) {
    return false;
  }
  g.rowsTop = g.weekdayTop - g.month.titleHeight;
  g.lineHeight = g.month.lineHeight;
  g.list.page1Columns = g.month.freeSlotWidth;
  g.list.page1Lines = std::max(0, (g.month.rowHeight - 2 * kGap) / g.lineHeight);
  g.list.columnsPerPage = std::max(1, g.month.fullSlotWidth);
  g.list.linesPerColumn = std::max(1, g.month.linesPerPage);
  g.furtherColumnWidth = g.month.slotsAcross > 0 ? g.month.slotsAcross : g.gridWidth;
  out = g;
  return true;
}

CalendarRunSettings MakeCalendarRunSettings(const EventCalendarOptions& options,
                                            const EventCalendarGeometry& geometry,
                                            const CBitSet* chosen) {
  CalendarRunSettings s;
  s.chosen = chosen;
  s.year = options.year;
  s.month = options.month + 1;
  s.livingOnly = options.living;
  s.birthdays = options.birthday;
  s.anniversaries = options.anniversary;
  s.divorced = options.divorced;
  s.linesPerBox = geometry.month.linesPerCell;
  s.list = geometry.list;
  return s;
}

}  // namespace rpt
