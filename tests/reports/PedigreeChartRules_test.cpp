#include "PedigreeChartRules.h"

#include <gtest/gtest.h>

namespace {

TEST(PedigreeChartRules, LinesPerBoxFollowTheRoomInEventLines) {
  struct Case {
    int rows, besidePhoto;
    bool photoBeside;
    int lines;
  } cases[] = {
      {20, 0, true, 6},  {14, 0, false, 6}, {13, 6, true, 6}, {13, 5, true, 3},
      {12, 0, false, 6}, {12, 5, true, 3},  {11, 0, true, 3}, {8, 0, false, 3},
      {7, 3, true, 3},   {7, 2, true, 2},   {7, 0, false, 3}, {6, 9, true, 2},
      {5, 0, false, 1},  {4, 0, true, 1},   {3, 9, false, 0}, {0, 0, false, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(rpt::PedigreeLinesPerBox(c.rows, c.besidePhoto, c.photoBeside), c.lines)
        << c.rows << " rows, " << c.besidePhoto << " beside photo " << c.photoBeside;
}

TEST(PedigreeChartRules, FitCasesFromTheRoomAndTheBoxes) {
  // Boxes of 1000 (six lines) and 700 (three lines), a name-only box of 200,
  // event lines of 131, on a tree of 7200 by 9000. The root shares the first
  // column with his parents: g generations take g - 1 columns of 7200 /
  // (g - 1), a split chart g.
  struct Case {
    const char* name;
    int height, g, boxWidth;
    bool allowSplit;
    int fitCase;
    bool split;
  } cases[] = {
      {"four generations fit", 9000, 4, 1500, true, 0, false},
      {"four in three columns, just wide enough", 9000, 4, 2400, false, 0, false},
      {"four, one unit too wide for three columns", 9000, 4, 2401, false, 3, false},
      {"five split with six-line boxes", 9000, 5, 1000, true, 1, true},
      {"five split in five columns, just wide enough", 9000, 5, 1440, true, 1, true},
      {"five not allowed to split", 9000, 5, 1000, false, 3, false},
      {"six split, boxes too low for six lines", 9000, 6, 1000, true, 2, true},
      {"six split in six columns, just wide enough", 9000, 6, 1200, true, 2, true},
      {"six without split: names only", 9000, 6, 1000, false, 4, false},
      {"six too narrow to split", 9000, 6, 1201, true, 4, false},
      {"high enough but too narrow", 9000, 4, 2500, true, 3, false},
      {"a low page", 6000, 4, 1500, false, 3, false},
  };
  for (const Case& c : cases) {
    const rpt::PedigreeFit fit =
        rpt::PedigreeFitCase(7200, c.height, c.g, 1000, 700, 200, 131, c.boxWidth, c.allowSplit);
    EXPECT_EQ(fit.fitCase, c.fitCase) << c.name;
    EXPECT_EQ(fit.split, c.split) << c.name;
  }
}

TEST(PedigreeChartRules, FixedContinuationNumbersMatchThePass) {
  struct Case {
    std::int64_t chart;
    std::int32_t position;
    int perChart;
    std::int64_t next;
  } cases[] = {
      {1, 8, 4, 2},     {1, 15, 4, 9}, {2, 8, 4, 10},
      {3, 15, 4, 25},   {1, 16, 5, 2}, {1, 31, 5, 17},
      {18, 16, 5, 274}, {1, 32, 6, 2}, {286331154, 16, 5, 4581298450},
  };
  for (const Case& c : cases)
    EXPECT_EQ(rpt::FixedContinuationChart(c.chart, c.position, c.perChart), c.next)
        << "chart " << c.chart << " position " << c.position;
}

TEST(PedigreeChartRules, SameAsLineOnlyWhenTheStartPersonIsElsewhere) {
  rpt::PedigreeChartRecord chart;
  chart.chartNumber = 1;
  chart.previousChart = 1;
  chart.previousPosition = 1;
  EXPECT_FALSE(rpt::ShowsSameAsLine(chart));
  chart.chartNumber = 5;
  chart.previousChart = 2;
  chart.previousPosition = 12;
  ASSERT_TRUE(rpt::ShowsSameAsLine(chart));
  EXPECT_EQ(rpt::SameAsLineText(chart), "No. 1 on this chart is the same as no. 12 on chart no. 2");
  chart.chartNumber = 2;
  chart.previousPosition = 1;
  EXPECT_FALSE(rpt::ShowsSameAsLine(chart));
  chart.previousPosition = 3;
  EXPECT_TRUE(rpt::ShowsSameAsLine(chart));
  EXPECT_EQ(rpt::SameAsBoxText(9, 4581298450),
            "This person is the same as no. 9 on chart no. 4581298450");
}

TEST(PedigreeChartRules, MarriageLine) {
  struct Case {
    const char* date;
    char status;
    bool suppress, tight;
    const char* text;
  } cases[] = {
      {"12 Jun 1900", 'M', false, false, "12 Jun 1900  -- 45"},
      {"12 Jun 1900", 'D', false, false, "12 Jun 1900 (Div) -- 45"},
      {"12 Jun 1900", 'D', false, true, "12 Jun 1900 (D)--45"},
      {"12 Jun 1900", 'N', false, false, "12 Jun 1900 (nm) -- 45"},
      {"12 Jun 1900", 'N', false, true, "12 Jun 1900 (N)--45"},
      {"", 'M', false, false, "-- 45"},
      {"12 Jun 1900", 'D', true, false, "12 Jun 1900 (Div)"},
      {"12 Jun 1900", 'M', true, false, "12 Jun 1900"},
      {"", 'M', true, false, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(rpt::PedigreeMarriageText(c.date, c.status, 45, c.suppress, c.tight), c.text)
        << c.date << " " << c.status << " suppress " << c.suppress << " tight " << c.tight;
}

TEST(PedigreeChartRules, OrdinanceLettersAndRelationCaptions) {
  EXPECT_EQ(rpt::OrdinanceLetter('B', 2), 'B');
  EXPECT_EQ(rpt::OrdinanceLetter('B', 3), 'b');
  EXPECT_EQ(rpt::OrdinanceLetter('E', 1), 0);
  EXPECT_EQ(rpt::OrdinanceLetter('P', 0), 0);
  EXPECT_EQ(rpt::RelationCaption('F', 4), "(Father of no. 4)");
  EXPECT_EQ(rpt::RelationCaption('M', 7), "(Mother of no. 7)");
  EXPECT_EQ(rpt::RelationCaption('S', 1), "(Spouse of no. 1)");
  EXPECT_EQ(rpt::RelationCaption('x', 2), "(Unknown of no. 2)");
}

}  // namespace
