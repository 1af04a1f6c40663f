#pragma once
// What the custom report runs on: the layout the open document holds (made
// on first use as a new "Custom Report" layout) and the individuals of the
// document's filter set, which the application supplies.

#include <cstdint>
#include <functional>
#include <vector>

#include "CustomReportLayout.h"

namespace rpt {

// The document's layout; the Custom page edits it and the report prints it.
// It starts afresh whenever another family file is open.
CCustomReportLayout& CurrentCustomLayout();
// A new document or family file: the layout starts afresh.
void ResetCurrentCustomLayout();

// The RINs of the filter set's combined result, in RIN order; empty
// without a filter set.
using CustomSelectionProvider = std::function<std::vector<std::int32_t>()>;
void SetCustomReportSelection(CustomSelectionProvider provider);
std::vector<std::int32_t> CustomReportSelection();

}  // namespace rpt
