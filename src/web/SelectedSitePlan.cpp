#include "SelectedSitePlan.h"

#include <algorithm>

#include "DbCalls.h"
#include "DbCodes.h"

namespace web {
namespace {

bool In(const std::vector<bool>& set, std::int32_t n) {
  return n > 0 && static_cast<std::size_t>(n) < set.size() && set[static_cast<std::size_t>(n)];
}
void Set(std::vector<bool>& set, std::int32_t n) {
  if (n <= 0) return;
  if (static_cast<std::size_t>(n) >= set.size()) set.resize(static_cast<std::size_t>(n) + 1);
  set[static_cast<std::size_t>(n)] = true;
}

// The page among starts (first keys of pages 1..n) whose range holds key.
int ScanPages(const std::vector<std::int32_t>& starts, std::size_t n, std::int32_t key) {
  std::size_t i = 1;
  while (i < n && key >= starts[i]) ++i;
  return static_cast<int>(i);
}

}  // namespace

SelectedFamily ReadFamily(std::int32_t mrin) {
  SelectedFamily family;
  std::vector<std::int32_t> spouses;
  if (DbGetRelation(mrin, db::kRelSpouses, 2, spouses) > 0) {
    if (!spouses.empty()) family.husband = spouses[0];
    if (spouses.size() > 1) family.wife = spouses[1];
  }
  family.children = DbGetRelationChain(mrin, db::kRelChildren);
  family.children.erase(std::remove(family.children.begin(), family.children.end(), 0),
                        family.children.end());
  return family;
}

bool SelectedSitePlan::IsMember(std::int32_t rin) const { return In(familyMembers, rin); }
bool SelectedSitePlan::IsPlaced(std::int32_t mrin) const { return In(placedFamilies, mrin); }

SelectedSitePlan CollectSelectedPages(const std::vector<bool>& selected, int familiesPerPage,
                                      int personsPerPage) {
  SelectedSitePlan plan;
  const std::int32_t highestMrin = std::max<std::int32_t>(DbGetMaxRecordCount(db::kMarriage), 0);
  int onPage = 0;
  for (std::int32_t mrin = 1; mrin <= highestMrin; ++mrin) {
    if (DbGetRIN(mrin, db::kQueryMarriages, db::kWalkExact) != mrin) continue;
    const SelectedFamily family = ReadFamily(mrin);
    std::vector<std::int32_t> members;
    for (std::int32_t rin : {family.husband, family.wife})
      if (In(selected, rin)) members.push_back(rin);
    for (std::int32_t rin : family.children)
      if (In(selected, rin)) members.push_back(rin);
    if (members.size() < 2) continue;
    if (plan.familyStarts.empty() || onPage >= familiesPerPage) {
      plan.familyStarts.push_back(mrin);
      onPage = 0;
    }
    ++onPage;
    Set(plan.placedFamilies, mrin);
    for (std::int32_t rin : members) Set(plan.familyMembers, rin);
  }
  const int familyPages = static_cast<int>(plan.familyStarts.size());
  int onPersonPage = 0;
  for (std::size_t rin = 1; rin < selected.size(); ++rin) {
    const auto r = static_cast<std::int32_t>(rin);
    if (!selected[rin] || plan.IsMember(r)) continue;
    if (plan.personStarts.empty() || onPersonPage >= personsPerPage) {
      plan.personStarts.push_back(r);
      onPersonPage = 0;
    }
    ++onPersonPage;
  }
  if (!plan.personStarts.empty()) plan.firstPersonPage = familyPages + 1;
  plan.pageCount = familyPages + static_cast<int>(plan.personStarts.size());
  return plan;
}

int SelectedSitePlan::FindFamilyPage(std::int32_t rin, std::int32_t mrin) const {
  if (mrin != 0 && !familyStarts.empty()) {
    std::size_t n = familyStarts.size();
    if (n < 2) return 1;
    return ScanPages(familyStarts, n, mrin);
  }
  if (personStarts.empty() || mrin != 0 || rin == 0) return 0;
  const std::size_t n = personStarts.size();
  if (n < 2) return firstPersonPage;
  return firstPersonPage + ScanPages(personStarts, n, rin) - 1;
}

}  // namespace web
