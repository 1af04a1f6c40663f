#include "CustomRegistration.h"

#include "CustomReport.h"
#include "CustomReportState.h"
#include "ListPages.h"
#include "ReportKinds.h"
#include "ReportPrintSetup.h"

namespace rpt {

void RegisterCustomReport() {
  RegisterReportGenerator(GeneratorClass::kCustom,
                          [](const GeneratorArgs& args) -> std::unique_ptr<CReportPageGenerator> {
                            auto generator = std::make_unique<CListPagesGenerator>(
                                args.kind, CurrentReportRequest().startRin);
                            generator->SetCustomLayout(&CurrentCustomLayout());
                            return generator;
                          });
  RegisterReportPaginator(
      kCustomReport,
      [](const PaginateArgs& args) {
        const CCustomReportLayout& layout = CurrentCustomLayout();
        const std::vector<std::int32_t> rins = CustomReportSelection();
        // Its own fonts and wrapped rows decide how many line records a page holds.
        const int lines = args.dc != nullptr
                              ? CListPagesGenerator::CustomLinesPerPage(args.dc, layout)
                              : args.lines;
        if (lines <= 0 || layout.columns.empty() || rins.empty()) return 0;
        if (args.dc == nullptr) return PaginateCustomReport(rins, layout, lines);
        const CustomRowPlan rows = CListPagesGenerator::CustomRows(args.dc, layout);
        return PaginateCustomReport(rins, layout, lines, &rows);
      },
      [] { CleanupCustomReportPages(); });
}

}  // namespace rpt
