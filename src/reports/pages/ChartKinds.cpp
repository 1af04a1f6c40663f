#include "ChartKinds.h"

#include "ReportJob.h"
#include "ReportPrintSetup.h"

namespace rpt {

namespace {

int Paginate(const PaginateArgs& args, bool ancestry) {
  if (args.job == nullptr || args.dc == nullptr || args.request == nullptr) return 0;
  return PaginateChartKind(args.job->Generator(), *args.dc, *args.request, ancestry);
}

}  // namespace

void RegisterAncestryDescendantsCharts() {
  RegisterReportGenerator(GeneratorClass::kAncestry,
                          [](const GeneratorArgs&) { return MakeChartPagesGenerator(true); });
  RegisterReportGenerator(GeneratorClass::kDescendants,
                          [](const GeneratorArgs&) { return MakeChartPagesGenerator(false); });
  RegisterReportPaginator(
      kAncestryChart, [](const PaginateArgs& args) { return Paginate(args, true); },
      CleanupChartKind);
  RegisterReportPaginator(
      kDescendantsChart, [](const PaginateArgs& args) { return Paginate(args, false); },
      CleanupChartKind);
}

}  // namespace rpt
