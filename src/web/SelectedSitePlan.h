#pragma once
// The page plan of a site of selected families and individuals: every
// family with at least two selected members (husband, wife, children) goes
// on family pages, ten a page in MRIN order; every selected individual on
// no family page goes on individuals pages after them, thirty a page.

#include <cstdint>
#include <vector>

namespace web {

struct SelectedSitePlan {
  std::vector<bool> familyMembers;         // by RIN: placed on a family page
  std::vector<bool> placedFamilies;        // by MRIN
  std::vector<std::int32_t> familyStarts;  // the first MRIN of each family page
  std::vector<std::int32_t> personStarts;  // the first RIN of each individuals page
  int firstPersonPage = 0;                 // 0 without individuals pages
  int pageCount = 0;

  bool IsMember(std::int32_t rin) const;
  bool IsPlaced(std::int32_t mrin) const;
  // The family page that holds mrin (given), else the individuals page
  // that holds rin; 0 when there is none.
  int FindFamilyPage(std::int32_t rin, std::int32_t mrin) const;
};

inline constexpr int kFamiliesPerPage = 10;
inline constexpr int kPersonsPerPage = 30;

// selected: by RIN, true for a selected individual (the open family file's
// relations decide the families).
SelectedSitePlan CollectSelectedPages(const std::vector<bool>& selected,
                                      int familiesPerPage = kFamiliesPerPage,
                                      int personsPerPage = kPersonsPerPage);

// The selected members of family mrin: husband, wife (0 when missing or
// unselected) and the selected children in order.
struct SelectedFamily {
  std::int32_t husband = 0, wife = 0;
  std::vector<std::int32_t> children;  // every child, selected or not
};
SelectedFamily ReadFamily(std::int32_t mrin);

}  // namespace web
