#pragma once
// What the filter side of the Individual List decides after each change of
// its filter set: which buttons are usable, which sets remain (an emptied
// source set goes, and an empty combination loses the set's name), and the
// counters it shows.

#include <memory>
#include <string>

class CFilterSet;

struct FilterSideStates {
  bool deselect = false;      // and Clear of the relationship filter
  bool replace = false;       // and Clear of the field filter
  bool filteredList = false;  // Prev, Next, Show results only
  bool save = false;
  bool prevNext = false;
  std::string counts[3];  // relationship, field filter, combined ("%ld")
};

// resultsOnly: "Show results only" is checked; readOnly: the family file
// cannot be written.
FilterSideStates GetFilterSideStates(const CFilterSet* set, bool resultsOnly, bool readOnly);

// The checks after a change of the relationship filter (relationChange) or
// of the field filter: an empty relationship set is deleted with its flag;
// without criteria the field-filter set is deleted with its flag; an empty
// combined set loses the set's name and is deleted when no source set
// remains. True when the combined set is (now) empty or absent.
bool RunEmptySetChecks(CFilterSet* set, bool relationChange);
