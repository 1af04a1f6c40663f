#include "ScrapbookCalendarReports.h"

#include "ReportKinds.h"
#include "ReportPrintSetup.h"
#include "ScrapbookCalendarRun.h"

namespace rpt {

namespace {

std::function<const CBitSet*()>& SetSource() {
  static std::function<const CBitSet*()> source;
  return source;
}

const CBitSet* ChosenSet() { return SetSource() ? SetSource()() : nullptr; }

int PaginateScrapbookKind(const PaginateArgs& args) {
  return PaginateScrapbookRun(args.request != nullptr ? args.request->startRin : 0, ChosenSet());
}

int PaginateCalendarKind(const PaginateArgs& args) {
  return PaginateEventCalendarRun(args.dc, ChosenSet());
}

}  // namespace

void SetScrapbookCalendarSetSource(std::function<const CBitSet*()> source) {
  SetSource() = std::move(source);
}

void RegisterScrapbookAndCalendar() {
  RegisterReportGenerator(GeneratorClass::kScrapbook,
                          [](const GeneratorArgs&) { return MakeScrapbookGenerator(); });
  RegisterReportGenerator(GeneratorClass::kCalendar,
                          [](const GeneratorArgs&) { return MakeEventCalendarGenerator(); });
  RegisterReportPaginator(kScrapbook, PaginateScrapbookKind, CleanupScrapbookRun);
  RegisterReportPaginator(kEventCalendar, PaginateCalendarKind, CleanupEventCalendarRun);
}

}  // namespace rpt
