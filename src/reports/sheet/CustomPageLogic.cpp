#include "CustomPageLogic.h"

#include "CustomFieldCatalog.h"
#include "CustomLayoutFile.h"
#include "CustomReportState.h"
#include "Ports.h"
#include "ReportKinds.h"
#include "ReportSheetRules.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {
namespace {

void Tell(unsigned id) {
  plat::MessageBox(res::LoadString(id), res::LoadString(res::kIdsCustomReport),
                   plat::kMbOk | plat::kMbIconExclamation);
}

}  // namespace

int AskRelationshipIndicators(const CCustomReportLayout& layout, const std::function<bool()>& shown,
                              const std::function<void()>& ask) {
  int asks = 0;
  for (const auto& column : layout.columns) {
    if (column->fieldId != kFieldRelationshipIndicator) continue;
    if (shown && shown()) break;
    if (ask) ask();
    ++asks;
  }
  return asks;
}

CCustomPageLogic::CCustomPageLogic(CCustomReportLayout& layout) : layout_(layout) {
  plat::ProfilePort& profile = plat::Profile();
  margins_.left = profile.GetInt(kMarginSection, "PageLM", 400);
  margins_.right = profile.GetInt(kMarginSection, "PageRM", 400);
  margins_.top = profile.GetInt(kMarginSection, "PageTM", 500);
  margins_.bottom = profile.GetInt(kMarginSection, "PageBM", 500);
}

int CCustomPageLogic::PageKind() const { return kPageCustom; }

void CCustomPageLogic::WriteSettings() {
  plat::ProfilePort& profile = plat::Profile();
  profile.SetInt(kMarginSection, "PageLM", margins_.left);
  profile.SetInt(kMarginSection, "PageRM", margins_.right);
  profile.SetInt(kMarginSection, "PageTM", margins_.top);
  profile.SetInt(kMarginSection, "PageBM", margins_.bottom);
}

bool CCustomPageLogic::FillRequest(ReportRequest& request) {
  request = ReportRequest{};
  // Without individuals or without fields there is nothing to print: said at
  // once, and a stopped print opens the sheet again (a stopped preview never
  // closed it).
  unsigned missing = 0;
  if (CustomReportSelection().empty())
    missing = res::kIdsSelectIndividuals;
  else if (layout_.columns.empty())
    missing = res::kIdsSelectFields;
  if (missing == 0) return true;
  Tell(missing);
  ReportRunState& run = CurrentReportRunState();
  run.printState = run.printState == 1 ? 6 : 0;
  return false;
}

void CCustomPageLogic::New() {
  ResetCustomLayout(layout_);
  path_.clear();
  modified_ = false;
  version_ = kNewVersion;
}

bool CCustomPageLogic::Open(const std::string& path) {
  modified_ = false;
  CCustomReportLayout fresh;
  int version = 0;
  if (!LoadCustomLayout(path, fresh, &version)) {
    path_.clear();
    Tell(res::kIdsCouldNotOpenLayout);
    return false;
  }
  layout_ = std::move(fresh);
  path_ = path;
  version_ = version;
  return true;
}

bool CCustomPageLogic::SaveAs(const std::string& path, const std::string& name) {
  layout_.title = name;
  if (SaveCustomLayout(path, layout_) != 0) {
    Tell(res::kIdsCouldNotSaveLayout);
    return false;
  }
  path_ = path;
  version_ = kNewVersion;
  modified_ = false;
  return true;
}

bool CCustomPageLogic::Save() {
  if (path_.empty() || SaveCustomLayout(path_, layout_) != 0) {
    Tell(res::kIdsCouldNotSaveLayout);
    return false;
  }
  modified_ = false;
  return true;
}

std::string CCustomPageLogic::FilterCaption(const std::string& filterName) {
  return GroupCaption(res::LoadString(res::kIdsFilter), filterName);
}

std::string CCustomPageLogic::GroupCaption(const std::string& caption,
                                           const std::string& filterName) {
  return filterName.empty() ? caption : caption + " - " + filterName;
}

}  // namespace rpt
