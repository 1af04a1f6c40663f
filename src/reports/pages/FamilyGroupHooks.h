#pragma once
// What the report job's registration of the Family Group Record calls,
// declared apart from the paginator state so that the print set-up's names
// and the state's do not meet in one file.

#include <memory>

class CReportPageGenerator;

namespace rpt {
struct ReportRequest;
class ReportDevice;

// Paginates the request on a printable page of width by height (inside the
// margins) measured on dc; the page count, 0 for nothing to print.
int PaginateFamilyGroupRequest(const ReportRequest& request, ReportDevice* dc, int width,
                               int height);
void CleanupFamilyGroupPages();
// The generator of the current request.
std::unique_ptr<CReportPageGenerator> MakeFamilyGroupGenerator();
}  // namespace rpt
