#pragma once
// The lines of Seal to Spouse Status: for each marriage of an individual
// the spouse, the marriage date and place, and whether the sealing to that
// spouse qualifies for a temple-names submission.

#include <cstdint>
#include <string>
#include <vector>

#include "TextMeasure.h"

class CFilterSet;

struct SealToSpouseLine {
  std::int32_t mrin = 0;
  std::string text;  // "mark TAB MRIN TAB spouse TAB date TAB place TAB state TAB reason"
};

// The line of one marriage of rin; false when "show results only" leaves
// it out (the spouse or the individual outside the combined set).
bool BuildSealToSpouseLine(std::int32_t rin, std::int32_t mrin, const CFilterSet* filter,
                           bool resultsOnly, const plat::TextMeasure* dc, SealToSpouseLine& out);
// The lines of every marriage of rin, in the order the file keeps them.
std::vector<SealToSpouseLine> BuildSealToSpouseLines(std::int32_t rin, const CFilterSet* filter,
                                                     bool resultsOnly, const plat::TextMeasure* dc);
