#include "ListRegistration.h"

#include "ListReports.h"
#include "Ports.h"
#include "ReportKinds.h"
#include "ReportPrintSetup.h"

namespace rpt {

namespace {

std::unique_ptr<CListReport> MakeListReport(int kind) {
  switch (kind) {
    case kNotesList:
      return std::make_unique<CIndividualNotesListReport>();
    case kSourcesList:
      return std::make_unique<CSourceListReport>();
    case kPlacesList:
      return std::make_unique<CPlaceListReport>();
    case kCitationsList:
      // The source the user picked before printing.
      return std::make_unique<CSourceCitationsListReport>(CurrentReportRequest().sourceRin);
    default:
      return nullptr;
  }
}

// The page count of a list: the printable page (inside the margins) gives
// the paper and its orientation when the device cannot tell its paper.
int PaginateList(const PaginateArgs& args) {
  if (args.job == nullptr) return 0;
  auto* report = dynamic_cast<CListReport*>(args.job->Generator());
  if (report == nullptr) return 0;
  const Rect margins = ReportMarginsOf(args.kind);
  int width = args.width + margins.left + margins.right;
  int height = args.height + margins.top + margins.bottom;
  if (args.dc != nullptr && args.dc->GetDeviceCaps(LOGPIXELSX) > 0 &&
      args.dc->GetDeviceCaps(LOGPIXELSY) > 0 && args.dc->GetDeviceCaps(PHYSICALWIDTH) > 0) {
    // The printer's own paper, whatever its size.
    width = args.dc->GetDeviceCaps(PHYSICALWIDTH) * 1000 / args.dc->GetDeviceCaps(LOGPIXELSX);
    height = args.dc->GetDeviceCaps(PHYSICALHEIGHT) * 1000 / args.dc->GetDeviceCaps(LOGPIXELSY);
  }
  report->SetPaper(width, height, height >= width);
  report->SetMargins(margins);
  if (report->Paginate(args.dc, args.info, &plat::Progress()) == 0) return 0;
  return report->PageCount();
}

}  // namespace

void RegisterListReports() {
  RegisterReportGenerator(GeneratorClass::kLists,
                          [](const GeneratorArgs& args) -> std::unique_ptr<CReportPageGenerator> {
                            return MakeListReport(args.kind);
                          });
  for (int kind : {kPlacesList, kNotesList, kSourcesList, kCitationsList})
    RegisterReportPaginator(kind, PaginateList, nullptr);
}

}  // namespace rpt
