#pragma once
// Makes the Individual Summary (kind 6) and the Family Ordinance Summary
// (kind 114) available to the report job and its print set-up.

#include <functional>

class CBitSet;

namespace rpt {

void RegisterSummaryReports();

// The chosen set of the current Individual List, which the Individual
// Summary prints with its list option; the screens install it. Without one
// (or when it answers null) the list option prints nothing.
void SetSummaryListSetSource(std::function<const CBitSet*()> source);

}  // namespace rpt
