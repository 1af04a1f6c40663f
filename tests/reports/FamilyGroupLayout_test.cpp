// How a family record spreads its couple and children over pages.
#include "FamilyGroupLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using rpt::FamilyGroupChild;
using rpt::FamilyGroupPageSetup;
using rpt::FamilyGroupRecordShape;

constexpr int H = 240, R = 210;  // the Expanded layout

// Entries as "kind:start:lineOffset", with "*n" for a direct-line child.
std::string Describe(const rpt::FamilyGroupRecordPages& pages) {
  std::string text;
  for (const auto& e : pages.entries) {
    if (!text.empty()) text += ' ';
    text +=
        std::to_string(e.kind) + ':' + std::to_string(e.start) + ':' + std::to_string(e.lineOffset);
    if (e.directChild != 0) text += '*' + std::to_string(e.directChild);
  }
  return text;
}

FamilyGroupPageSetup PageOf(int body) {
  FamilyGroupPageSetup setup;
  setup.bodyHeight = body;
  setup.rows = rpt::FamilyGroupRowsOf(0);
  return setup;
}

TEST(FamilyGroupLayout, RowsOfEachLayout) {
  EXPECT_EQ(rpt::FamilyGroupRowsOf(0).heading, 240);
  EXPECT_EQ(rpt::FamilyGroupRowsOf(0).row, 210);
  EXPECT_EQ(rpt::FamilyGroupRowsOf(1).heading, 200);
  EXPECT_EQ(rpt::FamilyGroupRowsOf(1).row, 165);
  EXPECT_EQ(rpt::FamilyGroupRowsOf(2).heading, 185);
  EXPECT_EQ(rpt::FamilyGroupRowsOf(2).row, 138);
  // H + 6R unless chosen; never above 10R.
  EXPECT_EQ(rpt::FamilyGroupPhotoHeight({240, 210}, 0), 1500);
  EXPECT_EQ(rpt::FamilyGroupPhotoHeight({240, 210}, 1000), 1000);
  EXPECT_EQ(rpt::FamilyGroupPhotoHeight({240, 210}, 5000), 2100);
}

TEST(FamilyGroupLayout, SpouseBlocksMoveOrSplit) {
  struct Case {
    const char* what;
    int body;
    bool preparedBy, legend;
    int husbandRows, wifeRows;
    const char* entries;
    int used;
  };
  const Case cases[] = {
      {"both fit", 9000, true, false, 7, 6, "0:0:0", 3 * R + H + 7 * R + H + 6 * R},
      {"legend row", 9000, true, true, 7, 6, "0:0:0", 4 * R + H + 7 * R + H + 6 * R},
      // 10 husband rows fit below "Prepared by"; the other 10 continue under
      // one heading row; the wife then has 2 rows left (< 6) and moves.
      {"husband split, wife moved", 3000, true, false, 20, 6, "0:0:0 0:1:10 0:2:0", H + H + 6 * R},
      // Only 5 rows are free for the wife: she moves to a page under the
      // husband's heading row.
      {"wife moved", 3000, false, false, 7, 6, "0:0:0 0:2:0", H + H + 6 * R},
      // The wife has 30 rows: 12 fit, the rest continue 12 a page under two
      // heading rows: 12, then the last 6.
      {"wife split over pages", 3000, false, false, 0, 30, "0:0:0 0:2:12 0:2:24", 2 * H + 6 * R},
  };
  for (const Case& c : cases) {
    FamilyGroupRecordShape shape;
    shape.key = 7;
    shape.preparedBy = c.preparedBy;
    shape.legend = c.legend;
    shape.husbandHeight = H + c.husbandRows * R;
    shape.wifeHeight = H + c.wifeRows * R;
    const auto pages = rpt::LayoutFamilyGroupRecord(shape, PageOf(c.body), 1);
    EXPECT_EQ(Describe(pages), c.entries) << c.what;
    EXPECT_EQ(pages.usedHeight, c.used) << c.what;
    for (const auto& e : pages.entries) EXPECT_EQ(e.key, 7) << c.what;
  }
}

TEST(FamilyGroupLayout, PagesNumberedWithinRecordAndReport) {
  FamilyGroupRecordShape shape;
  shape.husbandHeight = H + 20 * R;
  shape.wifeHeight = H + 6 * R;
  const auto pages = rpt::LayoutFamilyGroupRecord(shape, PageOf(3000), 5);
  ASSERT_EQ(pages.entries.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(pages.entries[i].page, 5 + i);
    EXPECT_EQ(pages.entries[i].pageInRecord, 1 + i);
  }
}

TEST(FamilyGroupLayout, ChildrenPages) {
  struct Case {
    const char* what;
    std::vector<FamilyGroupChild> children;
    bool photos;
    int direct;
    const char* entries;
  };
  // Body 3000; the couple (7 and 6 rows) leaves the wife on page 2 at
  // y 1740; the "Children" row brings y to 1980, room for 4 rows.
  const Case cases[] = {
      {"no children", {}, false, 0, "0:0:0 0:2:0"},
      {"one fits", {{3, false, false}}, false, 1, "0:0:0 0:2:0*1"},
      // Children pages begin at 3H + R = 930: 9 rows fit below a heading.
      {"next page",
       {{3, false, false}, {4, false, false}, {2, false, false}},
       false,
       3,
       "0:0:0 0:2:0 1:2:0*3"},
      // A 12-row child starting a children page: 8 rows fit, 4 continue.
      {"split", {{3, false, false}, {12, false, false}}, false, 2, "0:0:0 0:2:0 1:2:0*2 1:2:8"},
      // With spouse rows, a split leaves at least 2 rows: 9 rows, 8 fit.
      {"split keeps spouse rows",
       {{3, false, false}, {9, true, false}},
       false,
       0,
       "0:0:0 0:2:0 1:2:0 1:2:7"},
      {"split without spouse rows",
       {{3, false, false}, {9, false, false}},
       false,
       0,
       "0:0:0 0:2:0 1:2:0 1:2:8"},
      // A child with a photo goes whole to the next page rather than split.
      {"photo child whole",
       {{3, false, false}, {3, false, false}, {6, false, true}},
       true,
       0,
       "0:0:0 0:2:0 1:2:0 1:3:0"},
      {"same child without photo split",
       {{3, false, false}, {3, false, false}, {6, false, false}},
       true,
       0,
       "0:0:0 0:2:0 1:2:0 1:3:4"},
  };
  for (const Case& c : cases) {
    FamilyGroupRecordShape shape;
    shape.husbandHeight = H + 7 * R;
    shape.wifeHeight = H + 6 * R;
    shape.children = c.children;
    shape.directChild = c.direct;
    FamilyGroupPageSetup setup = PageOf(3000);
    setup.photos = c.photos;
    setup.photoHeight = c.photos ? rpt::FamilyGroupPhotoHeight(setup.rows, 0) : 0;
    const auto pages = rpt::LayoutFamilyGroupRecord(shape, setup, 1);
    EXPECT_EQ(Describe(pages), c.entries) << c.what;
    EXPECT_LE(pages.usedHeight, 3000) << c.what;
  }
}

}  // namespace
