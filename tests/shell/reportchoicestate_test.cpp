// The report-choice state starts with the values the Reports and Charts
// sheet expects on its first opening.
#include <gtest/gtest.h>

#include "ReportChoiceState.h"

TEST(ReportChoiceStateTest, InitialValues) {
  const CReportChoiceState s;
  const int numbers[] = {s.startingRin,
                         s.pedigreeMrin,
                         s.pedigreeFirstChart,
                         s.startSameAs,
                         s.onChart,
                         s.continuationStart,
                         s.familyGroupRin,
                         s.familyGroupMrin,
                         s.chosenMarriage,
                         s.parentFamily,
                         s.role,
                         s.blankRole,
                         s.coupleSet};
  const int expected[] = {0, 0, 1, 1, 1, 2, 0, -1, -1, -1, 0, 0, 0};
  for (std::size_t i = 0; i < std::size(numbers); ++i) EXPECT_EQ(numbers[i], expected[i]) << i;
  EXPECT_EQ(s.primaryName, "");
  EXPECT_EQ(s.spouseName, "");
  for (int n : s.rangeNumbers) EXPECT_EQ(n, -1);
  const std::array<std::string, 6> texts = {"", "Z", "", "Z", "", "Z"};
  EXPECT_EQ(s.rangeTexts, texts);
}
