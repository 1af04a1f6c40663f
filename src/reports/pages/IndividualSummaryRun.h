#pragma once
// The Individual Summary as the print set-up runs it, declared apart from
// the pagination frame so that the registration sees only these calls.

#include <cstdint>
#include <memory>

class CBitSet;
class CReportPageGenerator;

namespace rpt {

class ReportDevice;

// Paginates with the stored options: startRin, or with the list option
// every individual of set. Answers the page count.
int PaginateIndividualSummaryRun(ReportDevice* dc, std::int32_t startRin, const CBitSet* set);
// Frees the pages of the run.
void CleanupIndividualSummaryRun();
// The page generator with the stored options.
std::unique_ptr<CReportPageGenerator> MakeIndividualSummaryGenerator();

}  // namespace rpt
