#pragma once
// The test the relative pickers make before an existing individual is linked
// to another one as father, mother, spouse or child: a required sex, the
// individual itself, and relations the two already have.

#include <cstdint>

// 0 when chosen may be linked to individual rin, else the string id of the
// reason. requiredSex 0 tests no sex, a blank refuses everyone, 'M' or 'F'
// needs that stored sex. When the two are already spouses the user is asked
// whether to make another marriage; any answer but Yes sets answered and
// refuses.
int CheckRelativeLink(std::int32_t rin, std::int32_t chosen, char requiredSex, bool& answered);
