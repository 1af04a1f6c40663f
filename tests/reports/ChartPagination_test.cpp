#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AncestryChartPagination.h"
#include "DescendantsChartPagination.h"
#include "FakePaginatorWindow.h"
#include "FamilyLinkRecord.h"
#include "ReportFamilies.h"

namespace {

// The rows of a pass run at one row a page: the page entries' last records
// in page order, with their kind letters on the Descendants chart.
struct Row {
  std::int32_t record;
  char kind;
  bool operator==(const Row&) const = default;
};

class ChartPaginationTest : public ReportFamiliesFixture {
 protected:
  void SetUp() override {
    ReportFamiliesFixture::SetUp();
    previous_ = rpt::SetPaginatorWindow(&window_);
  }
  void TearDown() override {
    rpt::CleanupChartPages();
    rpt::SetPaginatorWindow(previous_);
    ReportFamiliesFixture::TearDown();
  }

  static std::vector<Row> Rows() {
    std::vector<Row> rows;
    for (int page = 1;; ++page) {
      const rpt::CChartPageEntry* entry = rpt::FindChartPage(page);
      if (entry == nullptr) break;
      const char kind =
          rpt::CurrentChartRun().ancestry ? 'I' : static_cast<char>(entry->codes.back());
      rows.push_back({static_cast<std::int32_t>(entry->records.back()), kind});
    }
    return rows;
  }
  static std::vector<Row> People(const std::vector<std::int32_t>& rins) {
    std::vector<Row> rows;
    for (std::int32_t r : rins) rows.push_back({r, 'I'});
    return rows;
  }

  // Pass results.
  int generations = 0, repeat = -1;
  int Ancestry(std::int32_t root, int limit = 99, int first = 1, int other = 1) {
    generations = limit;
    return rpt::PaginateAncestryChart(&generations, &repeat, root, first, other);
  }
  int Descendants(std::int32_t root, int limit = 99, int first = 1, int other = 1, int wall = 0) {
    generations = limit;
    return rpt::PaginateDescendantsChart(&generations, &repeat, root, first, other, wall);
  }

  // father and mother become the parents of child; answers the marriage.
  static std::int32_t Parents(std::int32_t child, std::int32_t father, std::int32_t mother) {
    const std::int32_t mrin = Marry(father, mother);
    Child(mrin, child);
    return mrin;
  }
  // Sets the relationship letters of child's link to mrin.
  static void LinkLetters(std::int32_t child, std::int32_t mrin, char father, char mother) {
    std::vector<std::int32_t> links;
    DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, child, 0);
    for (std::int32_t n : links) {
      CFamilyLinkRecord link;
      ASSERT_EQ(DbGetRecord(n, db::kFamilyLink, &link), 1);
      if (link.mrin != mrin) continue;
      link.firstParentRelation = father;
      link.secondParentRelation = mother;
      ASSERT_EQ(family::Update(link, 0), 1);
    }
  }

  CancellingPaginatorWindow window_;
  rpt::PaginatorWindow* previous_ = nullptr;
};

TEST_F(ChartPaginationTest, RootWithoutParentsOrChildrenIsOneRowOnePage) {
  const std::int32_t alone = Person("Solo", "Stone", 'M', 1900);
  EXPECT_EQ(Ancestry(alone, 99, 40, 50), 1);
  EXPECT_EQ(generations, 1);
  EXPECT_EQ(repeat, 0);
  EXPECT_EQ(Rows(), People({alone}));
  EXPECT_EQ(Descendants(alone, 99, 40, 50), 1);
  EXPECT_EQ(generations, 1);
  EXPECT_EQ(Rows(), People({alone}));
}

TEST_F(ChartPaginationTest, NoLivePersonGivesNoPagesAndLeavesNoWorkFile) {
  EXPECT_EQ(Ancestry(4711), 0);
  EXPECT_EQ(Descendants(4711), 0);
  EXPECT_FALSE(rpt::Paginator().workFile.IsOpen());
  EXPECT_EQ(rpt::FindChartPage(1), nullptr);
}

TEST_F(ChartPaginationTest, GenerationLimitOne) {
  const std::int32_t root = Person("Root", "Ray", 'M', 1900);
  const std::int32_t wife = Person("Wife", "Wren", 'F', 1902);
  Parents(root, Person("Dad", "Ray", 'M', 1870), Person("Mum", "Moe", 'F', 1872));
  const std::int32_t m = Marry(root, wife);
  Child(m, Person("Kid", "Ray", 'M', 1930));
  EXPECT_EQ(Ancestry(root, 1), 1);
  EXPECT_EQ(Rows(), People({root}));
  EXPECT_EQ(generations, 1);
  EXPECT_EQ(Descendants(root, 1), 2);
  EXPECT_EQ(Rows(), (std::vector<Row>{{root, 'I'}, {m, 'M'}}));
}

// Kevin's parents are first cousins: Arthur and Beatrice stand twice among
// his great-grandparents. Arthur has parents of his own here, so that his
// second appearance is cut.
TEST_F(ChartPaginationTest, CousinMarriageRepeatsABoxWithoutAncestors) {
  const Collapse f = BuildPedigreeCollapse();
  const std::int32_t zed = Person("Zed", "Ashdown", 'M', 1820);
  const std::int32_t yve = Person("Yve", "Young", 'F', 1822);
  Parents(f.arthur, zed, yve);

  ASSERT_EQ(Ancestry(f.kevin), 13);
  EXPECT_EQ(Rows(), People({zed, f.arthur, yve, f.charles, f.beatrice, f.frank, f.edith, f.kevin,
                            f.george, f.helen, f.arthur, f.diana, f.beatrice}));
  EXPECT_EQ(generations, 5);
  EXPECT_EQ(repeat, 4);
  // The slot keeps the first child and the page of the first box.
  const rpt::ChartSlot arthur = rpt::ReadChartSlot(f.arthur);
  EXPECT_EQ(arthur.first, 2);
  EXPECT_EQ(arthur.second, f.charles);
  const rpt::ChartSlot beatrice = rpt::ReadChartSlot(f.beatrice);
  EXPECT_EQ(beatrice.first, 5);
  EXPECT_EQ(beatrice.second, f.charles);
  EXPECT_EQ(rpt::ReadChartSlot(f.kevin).second, f.kevin);
}

TEST_F(ChartPaginationTest, LoopsInTheDataEnd) {
  // Ancestry: Rex is the father of his own father.
  const std::int32_t rex = Person("Rex", "Loop", 'M', 1900);
  const std::int32_t fred = Person("Fred", "Loop", 'M', 1870);
  Parents(rex, fred, Person("Ma", "Loop", 'F', 1871));
  const std::int32_t wife = Person("Wynn", "Loop", 'F', 1850);
  Parents(fred, rex, wife);
  ASSERT_GT(Ancestry(rex), 0);
  const std::vector<Row> rows = Rows();
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows.front(), (Row{rex, 'I'}));  // the loop's box, cut
  EXPECT_EQ(repeat, 3);

  // Descendants: Dan is the child of his own son.
  const std::int32_t dan = Person("Dan", "Ring", 'M', 1900);
  const std::int32_t son = Person("Son", "Ring", 'M', 1930);
  const std::int32_t m1 = Marry(dan, Person("Eve", "Ring", 'F', 1901));
  Child(m1, son);
  const std::int32_t m2 = Marry(son, Person("Ann", "Ring", 'F', 1931));
  Child(m2, dan);
  ASSERT_EQ(Descendants(dan), 5);
  EXPECT_EQ(Rows(), (std::vector<Row>{{dan, 'I'}, {m1, 'M'}, {son, 'I'}, {m2, 'M'}, {dan, 'I'}}));
  EXPECT_EQ(rpt::ReadChartSlot(dan).first, 1);
}

TEST_F(ChartPaginationTest, PagesHoldTheirRows) {
  // A father line of five generations: five rows.
  std::int32_t person = Person("G1", "Line", 'M');
  const std::int32_t root = person;
  for (int g = 2; g <= 5; ++g) {
    const std::int32_t father = Person("G" + std::to_string(g), "Line", 'M');
    const std::int32_t m = DbSetRelation(father, 0, db::kRelHusband, 0);
    Child(m, person);
    person = father;
  }
  const struct {
    int first, other, pages;
  } cases[] = {{5, 5, 1}, {4, 5, 2}, {4, 1, 2}, {3, 1, 3}, {1, 1, 5}, {0, 0, 5}, {-3, 2, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.first) + " " + std::to_string(c.other));
    EXPECT_EQ(Ancestry(root, 99, c.first, c.other), c.pages);
  }
  // The page that a row opens holds the whole stack, root first.
  ASSERT_EQ(Ancestry(root, 99, 1, 1), 5);
  const rpt::CChartPageEntry* first = rpt::FindChartPage(1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->records.size(), 5u);
  EXPECT_EQ(first->records.front(), static_cast<std::uint32_t>(root));
  EXPECT_EQ(first->codes.back(), rpt::AncestryChartNode::kBoxDue);
}

TEST_F(ChartPaginationTest, ChildOfTwoDescendantsIsExpandedOnce) {
  const std::int32_t root = Person("Root", "Tree", 'M', 1850);
  const std::int32_t rm = Marry(root, Person("Rosa", "Tree", 'F', 1852));
  const std::int32_t a = Person("Abel", "Tree", 'M', 1875);
  const std::int32_t b = Person("Bea", "Tree", 'F', 1877);
  Child(rm, a);
  Child(rm, b);
  const std::int32_t am = Marry(a, Person("Ada", "Else", 'F', 1876));
  const std::int32_t bm = Marry(Person("Ben", "Other", 'M', 1874), b);
  const std::int32_t x = Person("Xan", "Tree", 'M', 1900);
  Child(am, x);
  Child(bm, x);
  const std::int32_t xm = Marry(x, Person("Xia", "Else", 'F', 1901));
  const std::int32_t y = Person("Yul", "Tree", 'M', 1925);
  Child(xm, y);

  ASSERT_EQ(Descendants(root), 10);
  EXPECT_EQ(Rows(), (std::vector<Row>{{root, 'I'},
                                      {rm, 'M'},
                                      {a, 'I'},
                                      {am, 'M'},
                                      {x, 'I'},
                                      {xm, 'M'},
                                      {y, 'I'},
                                      {b, 'I'},
                                      {bm, 'M'},
                                      {x, 'I'}}));
  EXPECT_EQ(generations, 4);
  EXPECT_EQ(repeat, 0);
  EXPECT_EQ(rpt::ReadChartSlot(x).first, 5);
  EXPECT_EQ(rpt::ReadChartSlot(x).second, 1);

  // With more rows a page, the slot names the row too.
  ASSERT_EQ(Descendants(root, 99, 6, 6), 2);
  EXPECT_EQ(rpt::ReadChartSlot(x).first, 1);
  EXPECT_EQ(rpt::ReadChartSlot(x).second, 5);
  EXPECT_EQ(rpt::ReadChartSlot(y).first, 2);
  EXPECT_EQ(rpt::ReadChartSlot(y).second, 1);
}

TEST_F(ChartPaginationTest, WallChartMarriageSharesTheRowOfItsFirstChild) {
  const std::int32_t root = Person("Root", "Wall", 'M', 1850);
  const std::int32_t m = Marry(root, Person("Rita", "Wall", 'F', 1851));
  const std::int32_t c1 = Person("Cal", "Wall", 'M', 1880);
  const std::int32_t c2 = Person("Cid", "Wall", 'M', 1882);
  Child(m, c1);
  Child(m, c2);
  const std::int32_t childless = Marry(root, Person("Una", "Wall", 'F', 1860));

  EXPECT_EQ(Descendants(root, 99, 10, 10, 0), 1);
  EXPECT_EQ(rpt::ReadChartSlot(c1).second, 3);
  EXPECT_EQ(rpt::ReadChartSlot(c2).second, 4);
  EXPECT_EQ(Descendants(root, 99, 10, 10, 1), 1);
  EXPECT_EQ(rpt::ReadChartSlot(c1).second, 2);
  EXPECT_EQ(rpt::ReadChartSlot(c2).second, 3);

  // One row a page: the marriage's page is also the first child's; the
  // childless marriage keeps a row of its own.
  ASSERT_EQ(Descendants(root, 99, 1, 1, 1), 4);
  EXPECT_EQ(Rows(), (std::vector<Row>{{root, 'I'}, {m, 'M'}, {c2, 'I'}, {childless, 'M'}}));
  EXPECT_EQ(rpt::ReadChartSlot(c1).first, 2);
}

TEST_F(ChartPaginationTest, EachLegendBitIsSetByItsFixture) {
  const struct {
    const char* name;
    char father, mother;
    bool secondFamily;
    std::uint16_t bits;
  } cases[] = {
      {"biological", 'b', 'b', false, 0},
      {"several parent sets", 'b', 'b', true, rpt::kChartMultipleParents},
      {"adopted", 'a', 'a', false, rpt::kChartAdopted},
      {"guardian", 'g', 'g', false, rpt::kChartGuardian},
      {"sealing", 's', 's', false, rpt::kChartSealing},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::int32_t root = Person("Root", c.name, 'M', 1900);
    const std::int32_t pa = Person("Pa", c.name, 'M');
    const std::int32_t m = Parents(root, pa, Person("Ma", c.name, 'F'));
    LinkLetters(root, m, c.father, c.mother);
    if (c.secondFamily) Parents(root, Person("Pb", c.name, 'M'), Person("Mb", c.name, 'F'));
    ASSERT_GT(Ancestry(root), 0);
    EXPECT_EQ(rpt::GetChartLegendFlags(), c.bits);
    ASSERT_GT(Descendants(pa), 0);
    EXPECT_EQ(rpt::GetChartLegendFlags(), c.bits);
  }
  // On the Ancestry chart a mother's code has its legend line too.
  const std::int32_t kid = Person("Kid", "Mother", 'M', 1950);
  const std::int32_t mum = Person("Mum", "Mother", 'F', 1920);
  Parents(kid, Person("Dad", "Mother", 'M', 1919), mum);
  const std::int32_t mumParents =
      Parents(mum, Person("Gpa", "Mother", 'M'), Person("Gma", "Mother", 'F'));
  LinkLetters(mum, mumParents, 'a', 'a');
  ASSERT_GT(Ancestry(kid), 0);
  EXPECT_EQ(rpt::GetChartLegendFlags(), rpt::kChartAdopted);
}

TEST_F(ChartPaginationTest, CancelFreesEverything) {
  std::int32_t person = Person("G1", "Long", 'M');
  const std::int32_t root = person;
  for (int g = 2; g <= 120; ++g) {
    const std::int32_t father = Person("G" + std::to_string(g), "Long", 'M');
    Child(DbSetRelation(father, 0, db::kRelHusband, 0), person);
    person = father;
  }
  window_.cancelOnPump = 1;
  EXPECT_EQ(Ancestry(root, 500), 0);
  EXPECT_FALSE(rpt::Paginator().workFile.IsOpen());
  EXPECT_TRUE(rpt::Paginator().pageEntries.empty());
  window_.cancelOnPump = -1;
  window_.pumps = 0;
  EXPECT_EQ(Ancestry(root, 500), 120);
  EXPECT_GE(window_.pumps, 2);
}

}  // namespace
