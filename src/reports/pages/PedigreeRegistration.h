#pragma once
// Makes the Pedigree Chart (kind 1) available to the report job and its
// print set-up: the run read from the report request and the PedRpt
// settings, its pass and clean-up, and its page generator.

#include <memory>

#include "ReportKinds.h"

class CReportPageGenerator;

namespace rpt {

struct PedigreeRunParameters;
struct PedigreeChartOptions;

// The run of a request, with the generations per chart and the numbering
// from the PedRpt settings. Missing chart numbers start the charts at 1.
PedigreeRunParameters PedigreeRunFromRequest(const ReportRequest& request);
// The drawing options from the PedRpt settings, the options' ZEL and
// number display and the Pedigree fonts.
PedigreeChartOptions PedigreeOptionsFromProfile();
// Whether the "Prepared by" block is printed (PedRpt "IncludeSubmit").
bool PedigreeIncludesPreparer();
// Index rows per page of a printable page height (thousandths of an inch):
// (height - 1208) divided by the index row height of a names font of
// namePoints.
int PedigreeIndexLinesPerPage(int pageHeight, int namePoints);

// The generator of the current request, with the preparer when the block
// is printed.
std::unique_ptr<CReportPageGenerator> MakePedigreeChartGenerator();
// The pass over the current request on a printable page pageHeight high.
int PaginatePedigreeRequest(const ReportRequest& request, int pageHeight);
void CleanupPedigreeRequest();

void RegisterPedigreeChart();

}  // namespace rpt
