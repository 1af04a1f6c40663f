#include "EventCalendarGenerator.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "DateKeywords.h"
#include "DateValue.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "NameFit.h"
#include "RecordAccess.h"
#include "ReportKinds.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

constexpr int kMargin = 30;
constexpr int kGap = 24;

std::string WithNumber(std::string text, int n) {
  const std::size_t at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(n));
  return text;
}

// Joins the non-empty parts with one blank where none is.
void AppendPart(std::string& out, const std::string& part) {
  if (part.empty()) return;
  if (!out.empty() && out.back() != ' ' && part.front() != ' ') out += ' ';
  out += part;
}

// The surname of the husband of a woman's latest marriage (by marriage
// date, a marriage marked Not Married passed over); "" when none.
std::string LatestHusbandSurname(std::int32_t rin) {
  std::vector<std::int32_t> marriages;
  const int count = DbGetRelationCount(rin, db::kRelMarriages, 0, 1);
  if (count <= 0 || DbGetRelation(rin, db::kRelMarriages, count, marriages) <= 0) return {};
  std::tuple<int, int, int> latest{-1, -1, -1};
  std::int32_t husband = 0;
  for (const std::int32_t mrin : marriages) {
    CMarriageRecord marriage;
    if (mrin <= 0 || family::Read(marriage, mrin) != 1) continue;
    const CDateValue& d = marriage.marriage.date;
    if (d.month == CDateValue::kStatusNotMarried) continue;
    const std::tuple<int, int, int> when{d.year, d.month <= 12 ? d.month : 0, d.day};
    if (marriage.husband != 0 && marriage.husband != rin && when >= latest) {
      latest = when;
      husband = marriage.husband;
    }
  }
  CIndividualRecord record;
  if (husband == 0 || family::Read(record, husband) != 1) return {};
  return record.surname;
}

// Measures in the font selected on a report device.
class TextFontMeasure : public plat::TextMeasure {
 public:
  explicit TextFontMeasure(ReportDevice& dc) : dc_(dc) {}
  int TextWidth(std::string_view text) const override { return dc_.GetTextExtent(text).cx; }
  int AverageCharWidth() const override { return TextWidth("x"); }
  int PixelsPerInchY() const override { return 1000; }

 private:
  ReportDevice& dc_;
};

// The longest start of text that fits into width with "..." after it.
std::string WithEllipsis(const plat::TextMeasure& measure, const std::string& text, int width) {
  std::string cut = text;
  while (!cut.empty() && measure.TextWidth(cut + "...") > width) cut.pop_back();
  while (!cut.empty() && cut.back() == ' ') cut.pop_back();
  return cut + "...";
}

}  // namespace

int CEventCalendarGenerator::PrintPage(CReportJob& job, CPrintInfo* info) {
  if (info == nullptr) return 0;
  return DrawEventCalendarPage(job.DC(), info->currentPage,
                               static_cast<int>(Paginator().pageEntries.size()));
}

void CEventCalendarGenerator::EndPrinting(ReportDevice* dc, CPrintInfo* info) {
  if (CurrentReportRunState().printState != 4) CleanupCalendarPages();
  FinishRTFDocument(dc, info);
}

void CEventCalendarGenerator::BeginEventCalendar(ReportDevice* dc) {
  titleFont_ = CalendarFont(options_.titleFont);
  daysFont_ = CalendarFont(options_.daysFont);
  dateFont_ = CalendarFont(options_.dateFont);
  textFont_ = CalendarFont(options_.textFont);
  if (dc == nullptr) return;
  dc->SetMapMode(MM_HIENGLISH);
  SetPageMargins(dc, {options_.pageLM, options_.pageTM, options_.pageRM, options_.pageBM});
  PrintableArea area;
  GetPrintableMargins(*dc, options_.pageLM, options_.pageTM, options_.pageRM, options_.pageBM, area,
                      false);
  laidOut_ = LayoutEventCalendar(options_, area, *dc, geometry_);
}

void CEventCalendarGenerator::Text(ReportDevice* dc, const LogFont& font, int x, int y,
                                   const std::string& text) {
  if (text.empty()) return;
  dc->SelectFont(font);
  TextOutString(dc, x, y, text);
}

int CEventCalendarGenerator::TextWidth(ReportDevice* dc, const std::string& text) const {
  const LogFont previous = dc->SelectFont(textFont_);
  const int width = dc->GetTextExtent(text).cx;
  dc->SelectFont(previous);
  return width;
}

void CEventCalendarGenerator::ClippedText(ReportDevice* dc, int x, int y, int width,
                                          const std::string& text) {
  if (text.empty() || width <= 0) return;
  dc->SelectFont(textFont_);
  const std::string fitted = FitTextToWidth(dc, {x, y, x + width, y - 1}, text);
  const Rect clip{x, y + 300, x + width, y - 300};
  ExtTextOutString(dc, x, y, ETO_CLIPPED, &clip, fitted, nullptr);
}

bool CEventCalendarGenerator::ShortNameParts(std::int32_t rin, bool withSurname,
                                             std::vector<std::string>& given,
                                             std::string& surname) const {
  given.clear();
  surname.clear();
  CIndividualRecord record;
  if (rin <= 0 || family::Read(record, rin) != 1) return false;
  if (!record.texts1[0].empty()) {
    given.push_back(record.texts1[0]);
  } else {
    for (const std::string& name : record.givenNames)
      if (!name.empty()) given.push_back(name);
  }
  if (!withSurname) return true;
  surname = record.surname;
  if (options_.womenName) {
    if (!record.texts2[1].empty()) {
      surname = record.texts2[1];
    } else if (record.sex == 'F') {
      const std::string married = LatestHusbandSurname(rin);
      if (!married.empty()) surname = married;
    }
  }
  return true;
}

std::string CEventCalendarGenerator::FittedShortName(ReportDevice* dc, std::int32_t rin,
                                                     bool withSurname, int width) const {
  std::vector<std::string> given;
  std::string surname;
  if (!ShortNameParts(rin, withSurname, given, surname))
    return res::LoadString(res::kIdsUnknownUpper);
  const LogFont previous = dc->SelectFont(textFont_);
  const TextFontMeasure measure(*dc);
  const int room = width - 1;  // narrower than width, as the clipped text is
  std::string fitted;
  if (measure.TextWidth(surname) > room) {
    fitted = WithEllipsis(measure, surname, room);
  } else {
    // Each given name is a word of its own for the fitter: a word is shown
    // whole, as its initial, or not at all.
    NameFitInput in;
    in.surname = surname;
    for (const std::string& name : given) {
      std::size_t at = 0;
      while ((at = name.find_first_not_of(' ', at)) != std::string::npos) {
        const std::size_t end = std::min(name.find(' ', at), name.size());
        in.parts.push_back(name.substr(at, end - at));
        at = end;
      }
    }
    in.maxChars = 100;
    in.pixelWidth = room;
    in.dc = &measure;
    in.trim = true;
    fitted = FitNameGivenFirst(in);
    while (!fitted.empty() && fitted.back() == ' ') fitted.pop_back();
  }
  dc->SelectFont(previous);
  return fitted;
}

void CEventCalendarGenerator::DrawCalendarBirthday(ReportDevice* dc,
                                                   const CalendarEventRecord& event, int x, int y,
                                                   int width) {
  CIndividualRecord record;
  std::string prefix;
  if (family::Read(record, event.record) == 1 && options_.age && record.birth.date.year != 0 &&
      event.years < options_.ageUnder) {
    prefix = std::to_string(event.years) + " ";
  }
  ClippedText(dc, x, y, width,
              prefix + FittedShortName(dc, event.record, true, width - TextWidth(dc, prefix)));
}

void CEventCalendarGenerator::DrawCalendarAnniversary(ReportDevice* dc,
                                                      const CalendarEventRecord& event, int x,
                                                      int y, int width) {
  CMarriageRecord marriage;
  const bool read = family::Read(marriage, event.record) == 1;
  std::string prefix;
  if (read && event.years != 0 && marriage.marriage.date.year != 0)
    prefix = std::to_string(event.years) + " ";
  const std::string unknown = res::LoadString(res::kIdsUnknownUpper);
  const std::string tail = " " + res::LoadString(res::kIdsAndCalendar);
  const int room = width - kMargin;
  const std::string husband =
      read && marriage.husband != 0
          ? FittedShortName(dc, marriage.husband, false, room - TextWidth(dc, prefix + tail))
          : unknown;
  const std::string wife =
      read && marriage.wife != 0 ? FittedShortName(dc, marriage.wife, true, room) : unknown;
  ClippedText(dc, x, y, room, prefix + husband + tail);
  ClippedText(dc, x, y + textFont_.height * 11 / 10, room, wife);
}

void CEventCalendarGenerator::DrawTitle(ReportDevice* dc, int page) {
  std::string title;
  AppendPart(title, options_.titlePrefix);
  if (options_.useName) {
    const auto& months = InterfaceDateKeywords().months.written;
    const std::size_t index = 12 + static_cast<std::size_t>(options_.month);
    if (index < months.size()) AppendPart(title, months[index]);
    title += " " + std::to_string(options_.year);
  }
  AppendPart(title, options_.titleSuffix);
  if (page > 1) AppendPart(title, WithNumber(res::LoadString(res::kIdsPageSuffix), page));
  dc->SelectFont(titleFont_);
  const Rect& f = geometry_.frame;
  const int width = dc->GetTextExtent(title).cx;
  Text(dc, titleFont_, f.left + (f.right - f.left - width) / 2, f.top - 40, title);
}

void CEventCalendarGenerator::DrawGrid(ReportDevice* dc) {
  const EventCalendarGeometry& g = geometry_;
  const CCalendarMonthLayout& m = g.month;
  for (int column = 0; column < 7; ++column) {
    const std::string name = res::LoadString(
        res::kIdsFirstWeekday + static_cast<unsigned>((options_.startDay + column) % 7));
    dc->SelectFont(daysFont_);
    const int w = dc->GetTextExtent(name).cx;
    Text(dc, daysFont_, g.gridLeft + column * m.columnWidth + (m.columnWidth - w) / 2, g.weekdayTop,
         name);
  }
  const LogPen oldPen = dc->SelectPen({PS_SOLID, 4, options_.lineColor});
  const LogBrush oldBrush = dc->SelectBrush({options_.backColor, false});
  for (int day = 1; day <= m.monthLength; ++day) {
    const Rect box = g.DayBox(day);
    RectangleXY(dc, box.left, box.top, box.right, box.bottom);
  }
  dc->SelectPen(oldPen);
  dc->SelectBrush(oldBrush);
  for (int day = 1; day <= m.monthLength; ++day) {
    const Rect box = g.DayBox(day);
    Text(dc, dateFont_, box.left + kMargin, box.top - kGap, std::to_string(day));
  }
}

void CEventCalendarGenerator::DrawBoxEvents(ReportDevice* dc) {
  const EventCalendarGeometry& g = geometry_;
  const CCalendarMonthLayout& m = g.month;
  int day = 0, line = 0, markedDay = 0;
  CalendarEventRecord event;
  for (int i = 0; GetCalendarEntry(0, i, event) != 0; ++i) {
    if (event.day < 1 || event.day > m.monthLength) continue;
    if (event.day != day) {
      day = event.day;
      line = 0;
    }
    const Rect box = g.DayBox(day);
    if (event.kind == CalendarEventRecord::kMarker) {
      if (markedDay == day) continue;
      markedDay = day;
      // After the day number, on its line.
      dc->SelectFont(dateFont_);
      const int x = box.left + kMargin + dc->GetTextExtent(std::to_string(day)).cx;
      Text(dc, dateFont_, x, box.top - kGap, " *");
      continue;
    }
    const int x = box.left + m.textLeft;
    const int y = box.top - m.textTop - line * g.lineHeight;
    const int width = box.right - x - kMargin;
    if (event.kind == CalendarEventRecord::kAnniversary)
      DrawCalendarAnniversary(dc, event, x, y, width);
    else
      DrawCalendarBirthday(dc, event, x, y, width);
    line += event.Lines();
  }
}

void CEventCalendarGenerator::DrawList(ReportDevice* dc, int page, int start) {
  if (start < 0) return;
  const EventCalendarGeometry& g = geometry_;
  CalendarListCursor cursor(g.list);
  const Rect free = g.FreeCell();
  const int lh = g.lineHeight;
  int previousDay = -1;
  CalendarEventRecord event;
  for (int i = 0; GetCalendarEntry(1, i, event) != 0; ++i) {
    const bool opensDay = i == 0 || event.day != previousDay;
    previousDay = event.day;
    const CalendarListSlot slot = cursor.Place(event.Lines(), opensDay);
    if (slot.page < page) continue;
    if (slot.page > page) break;
    int x = 0, y = 0, width = 0;
    if (page == 1) {
      width = g.page1ColumnWidth;
      x = free.left + kMargin + (slot.column - 1) * width;
      y = free.top - kGap - slot.line * lh;
    } else {
      width = g.furtherColumnWidth;
      x = g.gridLeft + (slot.column - 1) * width;
      y = g.weekdayTop - slot.line * lh;
    }
    if (i == 0) {
      // The heading takes one event line: the event font, in bold.
      LogFont heading = textFont_;
      heading.weight = 700;
      Text(dc, heading, x, y, res::LoadString(res::kIdsAdditionalEvents));
      y -= lh;
    }
    if (opensDay) {
      CDateValue date;
      date.Set(options_.year, options_.month + 1, event.day);
      Text(dc, dateFont_, x, y, date.Format());
      y -= 2 * lh;
    }
    if (event.kind == CalendarEventRecord::kAnniversary)
      DrawCalendarAnniversary(dc, event, x, y, width - kMargin);
    else
      DrawCalendarBirthday(dc, event, x, y, width - kMargin);
  }
}

// A month without any event says so in the free cells after its last day
// when they hold the text, or else centred in the room between the grid and
// the foot of the frame, so that it crosses no line.
void CEventCalendarGenerator::DrawNoEvents(ReportDevice* dc) {
  CalendarEventRecord event;
  if (GetCalendarEntry(0, 0, event) != 0 || GetCalendarEntry(1, 0, event) != 0) return;
  const std::string text =
      res::LoadString(options_.living ? res::kIdsNoLivingEvents : res::kIdsNoEvents);
  const CCalendarMonthLayout& m = geometry_.month;
  const Rect& frame = geometry_.frame;
  const Rect free = geometry_.FreeCell();
  dc->SelectFont(textFont_);
  const int width = dc->GetTextExtent(text).cx;
  const int freeRight = geometry_.gridLeft + 7 * m.columnWidth;
  if (m.lastColumn < 6 && freeRight - free.left >= width + 2 * kMargin) {
    Text(dc, textFont_, free.left + kMargin, free.top - kGap, text);
    return;
  }
  const int gridBottom = geometry_.rowsTop - m.rows * m.rowHeight;
  const int lineHeight = -textFont_.height * 6 / 5;
  const int room = gridBottom - frame.bottom;
  Text(dc, textFont_, frame.left + (frame.right - frame.left - width) / 2,
       gridBottom - std::max(0, (room - lineHeight) / 2), text);
}

int CEventCalendarGenerator::DrawEventCalendarPage(ReportDevice* dc, int page, int pageCount) {
  if (dc == nullptr || !laidOut_) return 0;
  const LogFont previousFont = dc->SelectFont(textFont_);
  const int start = CalendarPageStart(page);

  ChartBox frame;
  frame.rect = geometry_.frame;
  frame.corners = options_.boxCorner;
  frame.fill = options_.boxShade;
  frame.pen = {PS_SOLID, options_.boxLine == 1 ? 10 : 4, options_.borderColor};
  frame.brush = {options_.shadeColor, false};
  DrawChartBox(*dc, frame, this);

  DrawTitle(dc, page);
  if (page == 1) {
    DrawGrid(dc);
    DrawBoxEvents(dc);
    DrawNoEvents(dc);
  }
  DrawList(dc, page, start);
  dc->SelectFont(previousFont);
  if (IsRTFMode() && page < pageCount) EndRTFPage();
  return 1;
}

}  // namespace rpt
