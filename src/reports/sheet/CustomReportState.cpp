#include "CustomReportState.h"

#include <memory>

#include "CustomLayoutFile.h"

namespace rpt {
namespace {

std::unique_ptr<CCustomReportLayout>& LayoutSlot() {
  static std::unique_ptr<CCustomReportLayout> layout;
  return layout;
}

CustomSelectionProvider& SelectionSlot() {
  static CustomSelectionProvider provider;
  return provider;
}

}  // namespace

CCustomReportLayout& CurrentCustomLayout() {
  auto& slot = LayoutSlot();
  if (!slot) {
    slot = std::make_unique<CCustomReportLayout>();
    ResetCustomLayout(*slot);
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
