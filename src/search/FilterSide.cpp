#include "FilterSide.h"

#include "FilterSet.h"

FilterSideStates GetFilterSideStates(const CFilterSet* set, bool resultsOnly, bool readOnly) {
  FilterSideStates s;
  if (!set) return s;
  s.deselect = set->GetCount(CFilterSet::kRelationSet) > 0;
  s.replace = !set->criteria.empty();
  s.filteredList = set->GetCount(CFilterSet::kCombinedSet) > 0;
  s.save = s.filteredList && !readOnly;
  s.prevNext = s.filteredList && !resultsOnly;
  const int order[3] = {CFilterSet::kRelationSet, CFilterSet::kFieldSet, CFilterSet::kCombinedSet};
  for (int i = 0; i < 3; ++i) s.counts[i] = std::to_string(set->GetCount(order[i]));
  return s;
}

bool RunEmptySetChecks(CFilterSet* set, bool relationChange) {
  if (!set) return true;
  if (relationChange) {
    if (set->HasSet(CFilterSet::kRelationSet) && set->GetCount(CFilterSet::kRelationSet) == 0) {
      set->DeleteSet(CFilterSet::kRelationSet);
      set->relationFilterPresent = 0;
    }
  } else if (set->criteria.empty()) {
    set->DeleteSet(CFilterSet::kFieldSet);
    set->fieldFilterPresent = 0;
  }
  if (set->HasSet(CFilterSet::kCombinedSet) && set->GetCount(CFilterSet::kCombinedSet) == 0) {
    const int other = relationChange ? CFilterSet::kFieldSet : CFilterSet::kRelationSet;
    if (!set->HasSet(other)) set->DeleteSet(CFilterSet::kCombinedSet);
    set->name.clear();
  }
  return set->GetCount(CFilterSet::kCombinedSet) <= 0;
}
