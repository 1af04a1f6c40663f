#include "BookRegistration.h"

#include "BookKinds.h"
#include "ChartBox.h"
#include "ReportJob.h"
#include "ReportKinds.h"
#include "ReportPrintSetup.h"

namespace rpt {

namespace {

// The book is measured on the printable page inside the BkRpt margins, the
// same page its generator draws on.
int PaginateBook(const PaginateArgs& args) {
  if (args.dc == nullptr || args.request == nullptr) return 0;
  const bool modifiedRegister = args.kind == kModifiedRegister;
  int width = args.width, height = args.height;
  if (args.dc->GetDeviceCaps(LOGPIXELSX) > 0 && args.dc->GetDeviceCaps(PHYSICALWIDTH) > 0) {
    const Rect m = ReportMarginsOf(args.kind);
    PrintableArea area;
    GetPrintableMargins(*args.dc, m.left, m.top, m.right, m.bottom, area, false);
    width = area.width;
    height = area.height;
  }
  return PaginateBookKind(modifiedRegister, args.dc, width, height, args.request->startRin);
}

}  // namespace

void RegisterBookReports() {
  RegisterReportGenerator(
      GeneratorClass::kBook,
      [](const GeneratorArgs& args) -> std::unique_ptr<CReportPageGenerator> {
        return MakeBookGenerator(args.modifiedRegister || args.kind == kModifiedRegister);
      });
  for (int kind : {kAhnentafel, kModifiedRegister})
    RegisterReportPaginator(kind, PaginateBook, CleanupBookPages);
}

}  // namespace rpt
