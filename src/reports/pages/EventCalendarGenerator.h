#pragma once
// CEventCalendarGenerator draws the Event Calendar (report kind 10) from the
// work files of its pass: page 1 is the month as a framed grid of day boxes
// under a large title and a row of weekday names, each box with its day
// number and the birthdays and anniversaries that fit; the events that did
// not fit, and those without a day, follow as the "* Additional Events"
// list, first in the free cells after the month's last day, then in columns
// on further pages.

#include <string>
#include <vector>

#include "EventCalendarLayout.h"
#include "ReportJob.h"

namespace rpt {

class CEventCalendarGenerator : public CReportPageGenerator {
 public:
  explicit CEventCalendarGenerator(const EventCalendarOptions& options) : options_(options) {}

  void BeginPrinting(ReportDevice* dc, CPrintInfo* /*info*/) override { BeginEventCalendar(dc); }
  int PrintPage(CReportJob& job, CPrintInfo* info) override;
  void EndPrinting(ReportDevice* dc, CPrintInfo* info) override;

  void BeginEventCalendar(ReportDevice* dc);
  // Draws page (from 1) of pageCount; in RTF mode every page but the last
  // ends its RTF page.
  int DrawEventCalendarPage(ReportDevice* dc, int page, int pageCount);

  const EventCalendarGeometry& Geometry() const { return geometry_; }

  // One event at x, y (its first line's top) in width.
  void DrawCalendarBirthday(ReportDevice* dc, const CalendarEventRecord& event, int x, int y,
                            int width);
  void DrawCalendarAnniversary(ReportDevice* dc, const CalendarEventRecord& event, int x, int y,
                               int width);

  // The name the calendar prints: the given names, or the record's first
  // detail text when set; with surname also the surname, which WomenName
  // replaces by the record's married-name text or, for a woman, the surname
  // of the husband of her latest marriage. "UNKNOWN" for no individual. It
  // is fitted into width in the event font: given names give way to their
  // initials, a word is never cut; a surname too long for the room alone is
  // cut and ends in "...".
  std::string FittedShortName(ReportDevice* dc, std::int32_t rin, bool surname, int width) const;

 private:
  void DrawTitle(ReportDevice* dc, int page);
  void DrawGrid(ReportDevice* dc);
  void DrawBoxEvents(ReportDevice* dc);
  void DrawList(ReportDevice* dc, int page, int start);
  void DrawNoEvents(ReportDevice* dc);
  void Text(ReportDevice* dc, const LogFont& font, int x, int y, const std::string& text);
  void ClippedText(ReportDevice* dc, int x, int y, int width, const std::string& text);
  // The width of text in the event font.
  int TextWidth(ReportDevice* dc, const std::string& text) const;
  // The given names and the surname of the calendar's name; false for no
  // individual.
  bool ShortNameParts(std::int32_t rin, bool withSurname, std::vector<std::string>& given,
                      std::string& surname) const;

  EventCalendarOptions options_;
  EventCalendarGeometry geometry_;
  bool laidOut_ = false;
  LogFont titleFont_, daysFont_, dateFont_, textFont_;
};

}  // namespace rpt
