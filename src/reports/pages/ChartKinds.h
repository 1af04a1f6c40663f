#pragma once
// The entry points of the Ancestry and Descendants charts (kinds 3 and 4)
// for the report job: the generator, the pass on the generator's measures
// and the clean-up; and their registration.

#include <memory>

#include "ReportDevice.h"
#include "ReportKinds.h"

namespace rpt {

std::unique_ptr<CReportPageGenerator> MakeChartPagesGenerator(bool ancestry);
// Measures the rows on the generator and runs the pass; request.count is
// the generation limit on entry and the deepest generation afterwards.
// Answers the page count (a wall chart: its row pages).
int PaginateChartKind(CReportPageGenerator* generator, ReportDevice& dc, ReportRequest& request,
                      bool ancestry);
void CleanupChartKind();

// Makes kinds 3 and 4 available to the report job and its print set-up.
void RegisterAncestryDescendantsCharts();

}  // namespace rpt
