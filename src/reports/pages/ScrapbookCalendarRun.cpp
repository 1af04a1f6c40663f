#include "ScrapbookCalendarRun.h"

#include "ChartBox.h"
#include "EventCalendarGenerator.h"
#include "ScrapbookGenerator.h"

namespace rpt {

int PaginateScrapbookRun(std::int32_t startRin, const CBitSet* set) {
  const ScrapbookOptions options = ScrapbookOptions::Load();
  return PaginateScrapbook(options.listOpt ? 0 : startRin, options.PicturesPerPage(),
                           options.listOpt ? set : nullptr, CurrentPaginatorWindow());
}

int PaginateEventCalendarRun(ReportDevice* dc, const CBitSet* set) {
  if (dc == nullptr) return 0;
  const EventCalendarOptions options = EventCalendarOptions::Load();
  PrintableArea area;
  GetPrintableMargins(*dc, options.pageLM, options.pageTM, options.pageRM, options.pageBM, area,
                      false);
  EventCalendarGeometry geometry;
  if (!LayoutEventCalendar(options, area, *dc, geometry)) return 0;
  return PaginateEventCalendar(MakeCalendarRunSettings(options, geometry, set),
                               CurrentPaginatorWindow());
}

void CleanupScrapbookRun() { CleanupScrapbookPages(); }

void CleanupEventCalendarRun() { CleanupCalendarPages(); }

std::unique_ptr<CReportPageGenerator> MakeScrapbookGenerator() {
  return std::make_unique<CScrapbookGenerator>(ScrapbookOptions::Load());
}

std::unique_ptr<CReportPageGenerator> MakeEventCalendarGenerator() {
  return std::make_unique<CEventCalendarGenerator>(EventCalendarOptions::Load());
}

}  // namespace rpt
