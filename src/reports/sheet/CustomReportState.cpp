#include "CustomReportState.h"

#include <memory>
#include <string>

#include "CustomLayoutFile.h"
#include "FamilyDatabase.h"

namespace rpt {
namespace {

std::unique_ptr<CCustomReportLayout>& LayoutSlot() {
  static std::unique_ptr<CCustomReportLayout> layout;
  return layout;
}

// The family file the layout belongs to.
std::string& LayoutFamily() {
  static std::string path;
  return path;
}

CustomSelectionProvider& SelectionSlot() {
  static CustomSelectionProvider provider;
  return provider;
}

}  // namespace

CCustomReportLayout& CurrentCustomLayout() {
  auto& slot = LayoutSlot();
  // Another family file opened (or a new one made): its layout starts afresh.
  const std::string family = DbGetFilePath();
  if (!slot || family != LayoutFamily()) {
    if (!slot) slot = std::make_unique<CCustomReportLayout>();
    ResetCustomLayout(*slot);
    LayoutFamily() = family;
  }
  return *slot;
}

void ResetCurrentCustomLayout() { ResetCustomLayout(CurrentCustomLayout()); }

void SetCustomReportSelection(CustomSelectionProvider provider) {
  SelectionSlot() = std::move(provider);
}

std::vector<std::int32_t> CustomReportSelection() {
  return SelectionSlot() ? SelectionSlot()() : std::vector<std::int32_t>();
}

}  // namespace rpt
