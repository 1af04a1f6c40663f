#include "ReportSheetModel.h"

#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {
void ReadMarginsAndPhotos(const char* section, PageMargins& m, PagePhotos& p) {
  plat::ProfilePort& profile = plat::Profile();
  m = {profile.GetInt(section, "PageLM", m.left), profile.GetInt(section, "PageTM", m.top),
       profile.GetInt(section, "PageRM", m.right), profile.GetInt(section, "PageBM", m.bottom)};
  p = {profile.GetInt(section, "PhotoOpt", p.opt), profile.GetInt(section, "PhotoX", p.width),
       profile.GetInt(section, "PhotoY", p.height), profile.GetInt(section, "PhotoPlace", p.place),
       profile.GetInt(section, "PhotoRsrv", p.reserve)};
}

void WriteMarginsAndPhotos(const char* section, const PageMargins& m, const PagePhotos& p) {
  plat::ProfilePort& profile = plat::Profile();
  profile.SetInt(section, "PageLM", m.left);
  profile.SetInt(section, "PageTM", m.top);
  profile.SetInt(section, "PageRM", m.right);
  profile.SetInt(section, "PageBM", m.bottom);
  profile.SetInt(section, "PhotoOpt", p.opt);
  profile.SetInt(section, "PhotoX", p.width);
  profile.SetInt(section, "PhotoY", p.height);
  profile.SetInt(section, "PhotoPlace", p.place);
  profile.SetInt(section, "PhotoRsrv", p.reserve);
}

std::unique_ptr<CReportChoiceState>& ReportChoiceSlot() {
  static std::unique_ptr<CReportChoiceState> slot;
  return slot;
}

int& NextReportSheetPage() {
  static int page = 0;
  return page;
}

CReportSheetModel::CReportSheetModel(ReportSheetTarget& target,
                                     std::function<bool(std::int32_t, std::string&)> readName)
    : target_(target), readName_(std::move(readName)) {
  ReportRunState& run = CurrentReportRunState();
  auto& slot = ReportChoiceSlot();
  if (run.printState == 6) {
    // Reopened after a stopped print or a preview: the choices stay.
    if (!slot) slot = std::make_unique<CReportChoiceState>();
    run.printState = 0;
  } else {
    slot = std::make_unique<CReportChoiceState>();
  }
  std::int32_t rin = slot->startingRin;
  if (rin == 0) rin = target_.CurrentRin();
  if (!SetStartingPerson(rin)) {
    plat::MessageBox(
        res::LoadString(res::kIdsNoStartingPerson),
        res::LoadString(res::kIdsSearchForValidSheet) + " " + res::LoadString(res::kIdsRinSheet),
        plat::kMbOk | plat::kMbIconExclamation);
    startingRin_ = 1;
  }
  printToFile_ = plat::Profile().GetInt(kReportsSection, kPrintToFileKey, 0) != 0;
}

bool CReportSheetModel::SetStartingPerson(std::int32_t rin) {
  std::string name;
  if (rin <= 0 || !readName_ || !readName_(rin, name)) return false;
  startingRin_ = rin;
  startingName_ = name;
  hasStartingPerson_ = true;
  return true;
}

void CReportSheetModel::SetPrintToFile(bool on) {
  printToFile_ = on;
  plat::Profile().SetInt(kReportsSection, kPrintToFileKey, on ? 1 : 0);
}

bool CReportSheetModel::RunReport(SheetPageLogic& page, bool preview) {
  ReportRunState& run = CurrentReportRunState();
  target_.SetRtfOutput(printToFile_);
  run.printState = 6;
  Choices().startingRin = startingRin_;
  if (preview) page.WriteSettings();
  if (checks.saveOptions) checks.saveOptions();
  if ((checks.printableArea && !checks.printableArea(page)) ||
      (page.WallChart() && checks.wallChartFit && !checks.wallChartFit(page))) {
    // A stopped preview leaves the sheet open: nothing is left to reopen it.
    if (preview) run.printState = 0;
    return false;
  }
  run.printState = preview ? 2 : 1;
  page.BeforeRun(Choices(), preview);
  if (preview) printOnOk_ = false;
  return StartReport(page, preview ? shell::kIdFilePrintPreview : shell::kIdFilePrint);
}

bool CReportSheetModel::StartReport(SheetPageLogic& page, unsigned command) {
  ReportRequest& request = CurrentReportRequest();
  if (!page.FillRequest(request)) return false;
  const int view = target_.ViewKind();
  if (view == 1 || view == 3) target_.SetReportKind(page.ReportKind());
  target_.PostCommand(command);
  return true;
}

void CReportSheetModel::DropReportChoiceState() {
  if (CurrentReportRunState().printState == 0) ReportChoiceSlot().reset();
}

}  // namespace rpt
