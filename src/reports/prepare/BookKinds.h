#pragma once
// The entry points of the two book kinds for the report job: kept apart from
// the book's state so that the print set-up's names and the paginator
// state's names never meet in one file.

#include <cstdint>
#include <memory>

class CReportPageGenerator;

namespace rpt {

class ReportDevice;

// Paginates the Ahnentafel (modifiedRegister false) or the Modified Register
// of startRin for a printable page of width x height (thousandths of an
// inch) with the BkRpt options; answers the page count, 0 on failure.
int PaginateBookKind(bool modifiedRegister, ReportDevice* dc, int width, int height,
                     std::int32_t startRin);
void CleanupBookPages();
// The page generator of both books.
std::unique_ptr<CReportPageGenerator> MakeBookGenerator(bool modifiedRegister);

}  // namespace rpt
