// The report job's side of the Pedigree Chart. Kept apart from the run's
// settings (PedigreeRunSettings.cpp): the print set-up's Paginator type
// and the pagination frame's Paginator() share a name.
#include "PedigreeRegistration.h"

#include "ReportPrintSetup.h"

namespace rpt {

void RegisterPedigreeChart() {
  RegisterReportGenerator(GeneratorClass::kPedigree,
                          [](const GeneratorArgs&) { return MakePedigreeChartGenerator(); });
  RegisterReportPaginator(
      kPedigreeChart,
      [](const PaginateArgs& args) {
        return PaginatePedigreeRequest(
            args.request != nullptr ? *args.request : CurrentReportRequest(), args.height);
      },
      CleanupPedigreeRequest);
}

}  // namespace rpt
