#pragma once
// The Scrapbook and the Event Calendar as the print set-up runs them,
// declared apart from the pagination frame so that the registration sees
// only these calls.

#include <cstdint>
#include <memory>

class CBitSet;
class CReportPageGenerator;

namespace rpt {

class ReportDevice;

// Paginates with the stored options: startRin, or with the list option
// every individual of set. Answers the page count.
int PaginateScrapbookRun(std::int32_t startRin, const CBitSet* set);
// Paginates the month of the stored options for the printable area of dc
// and the chosen set. Answers the page count.
int PaginateEventCalendarRun(ReportDevice* dc, const CBitSet* set);
void CleanupScrapbookRun();
void CleanupEventCalendarRun();
// The page generators with the stored options.
std::unique_ptr<CReportPageGenerator> MakeScrapbookGenerator();
std::unique_ptr<CReportPageGenerator> MakeEventCalendarGenerator();

}  // namespace rpt
