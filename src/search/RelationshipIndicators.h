#pragma once
// The relationship indicators: for every individual related to a root person
// by blood or by marriage, the relationship code relative to the root stored
// in the individual's record as text; every other individual's indicator is
// cleared. Runs under the progress port and keeps the windows alive.

#include <cstdint>

namespace kin {

struct IndicatorRun {
  std::int32_t root = 0;         // 0: none
  bool compute = true;           // the check box; off only clears
  bool changeLogOption = false;  // the application's change-log option
};

// Computes (when asked and a root is set), then clears stale indicators from
// RIN 1 to the highest individual number. Change logging is off during the
// run when the option is on, and on again afterwards.
void SetRelationshipIndicators(const IndicatorRun& run);

}  // namespace kin
