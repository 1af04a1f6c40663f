#pragma once
// The test the relative pickers make before an existing individual is linked
// to another one as father, mother, spouse or child: a required sex, the
// individual itself, and relations the two already have.

#include <cstdint>

namespace relativelink {
// Message ids of the refusals.
inline constexpr int kMustBeMaleOrFemale = 3754;
inline constexpr int kMustBeMale = 3755;
inline constexpr int kMustBeFemale = 3756;
inline constexpr int kLinkedToItself = 7054;
inline constexpr int kAskAnotherMarriage = 7191;
inline constexpr int kAlreadySpouse = 3200;
inline constexpr int kAlreadyChild = 3201;
inline constexpr int kAlreadyFather = 3202;
inline constexpr int kAlreadyMother = 3203;
}  // namespace relativelink

// 0 when chosen may be linked to individual rin, else the string id of the
// reason. requiredSex 0 tests no sex, a blank refuses everyone, 'M' or 'F'
// needs that stored sex. When the two are already spouses the user is asked
// whether to make another marriage; any answer but Yes sets answered and
// refuses.
int CheckRelativeLink(std::int32_t rin, std::int32_t chosen, char requiredSex, bool& answered);
