#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ChartPages.h"
#include "FakePaginatorWindow.h"
#include "FakePorts.h"
#include "FamilyLinkRecord.h"
#include "LibreOffice.h"
#include "LongPlaces.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "MultimediaItem.h"
#include "RecordingDevice.h"
#include "ReportFamilies.h"
#include "ReportKinds.h"
#include "TempDir.h"
#include "TestHelpers.h"
#include "TextRoutines.h"

namespace {

using rpt::CChartPagesGenerator;
using rpt::ChartPageOptions;

// A TextOut call of a recorded page.
struct Text {
  int x = 0, y = 0;
  std::string text;
};
std::vector<Text> TextsOf(const std::vector<std::string>& calls) {
  std::vector<Text> texts;
  for (const std::string& call : calls) {
    const bool tabbed = call.rfind("TabbedTextOut ", 0) == 0;
    if (call.rfind("TextOut ", 0) != 0 && !tabbed) continue;
    std::istringstream in(call.substr(tabbed ? 14 : 8));
    Text t;
    in >> t.x >> t.y;
    in.get();
    std::getline(in, t.text);
    texts.push_back(t);
  }
  return texts;
}
bool HasText(const std::vector<std::string>& calls, const std::string& text) {
  for (const Text& t : TextsOf(calls))
    if (t.text.find(text) != std::string::npos) return true;
  return false;
}

// A line from the recorded MoveTo and LineTo calls.
struct Segment {
  int x1, y1, x2, y2;
};
std::vector<Segment> SegmentsOf(const std::vector<std::string>& calls) {
  std::vector<Segment> lines;
  int x = 0, y = 0;
  for (const std::string& call : calls) {
    std::istringstream in(call);
    std::string op;
    int a = 0, b = 0;
    in >> op >> a >> b;
    if (op == "MoveTo") {
      x = a;
      y = b;
    } else if (op == "LineTo") {
      lines.push_back({x, y, a, b});
      x = a;
      y = b;
    }
  }
  return lines;
}

class ChartPagesTest : public ReportFamiliesFixture {
 protected:
  void SetUp() override {
    ReportFamiliesFixture::SetUp();
    previous_ = rpt::SetPaginatorWindow(&window_);
  }
  void TearDown() override {
    rpt::CleanupChartPages();
    rpt::CurrentReportRunState() = {};
    rpt::SetPaginatorWindow(previous_);
    ReportFamiliesFixture::TearDown();
  }

  static ChartPageOptions Options(bool ancestry) {
    ChartPageOptions o = rpt::ReadChartPageOptions(ancestry);
    o.suppressRin = true;
    o.shading = false;
    o.parInd = o.relInd = false;
    return o;
  }
  static std::string Name(std::int32_t rin) {
    CIndividualRecord person;
    EXPECT_EQ(DbGetIndividualRecord(rin, person, 3), 1);
    return person.GetName(0, false, 1, false);
  }

  // The rows of the walk in order: each row's name (a marriage row: the
  // spouse's), from a pass at one row a page.
  // The individual of each row (0 on a marriage row), beside WalkRows.
  std::vector<std::int32_t> rowPeople;

  std::vector<std::string> WalkRows(bool ancestry, std::int32_t root, int wall = 0) {
    rowPeople.clear();
    int gens = 99, repeat = 0;
    const int pages = ancestry ? rpt::PaginateAncestryChart(&gens, &repeat, root, 1, 1)
                               : rpt::PaginateDescendantsChart(&gens, &repeat, root, 1, 1, wall);
    std::vector<std::string> names;
    for (int page = 1; page <= pages; ++page) {
      const rpt::CChartPageEntry* entry = rpt::FindChartPage(page);
      const auto record = static_cast<std::int32_t>(entry->records.back());
      const bool individual = ancestry || entry->codes.back() == 'I';
      rowPeople.push_back(individual ? record : 0);
      if (individual) {
        names.push_back(Name(record));
        continue;
      }
      // The marriage's individual is the one before it in the snapshot.
      const auto person = static_cast<std::int32_t>(entry->records[entry->records.size() - 2]);
      CMarriageRecord m;
      EXPECT_EQ(DbGetRecord(record, db::kMarriage, &m), 1);
      const std::int32_t spouse = m.husband == person ? m.wife : m.husband;
      names.push_back(spouse != 0 ? Name(spouse) : "UNKNOWN");
    }
    return names;
  }

  // Paginates with the generator's rows and draws every page.
  std::vector<std::vector<std::string>> Draw(CChartPagesGenerator& g, RecordingDevice& dc,
                                             std::int32_t root, int limit = 99) {
    g.Measure(dc);
    int gens = limit, repeat = 0;
    const bool ancestry = g.Options().ancestry;
    const int rowPages =
        ancestry
            ? rpt::PaginateAncestryChart(&gens, &repeat, root, g.FirstPageRows(), g.OtherPageRows())
            : rpt::PaginateDescendantsChart(&gens, &repeat, root, g.FirstPageRows(),
                                            g.OtherPageRows(), g.Options().wallChart);
    EXPECT_GT(rowPages, 0);
    g.BeginPrinting(&dc, nullptr);
    const int pages = g.Options().wallChart
                          ? rowPages * rpt::WallChartTileColumns(gens, g.Options().gensPerPage)
                          : rowPages;
    std::vector<std::vector<std::string>> out;
    for (int page = 1; page <= pages; ++page) {
      dc.calls.clear();
      g.DrawChartPage(dc, page, page == pages);
      out.push_back(dc.calls);
    }
    return out;
  }

  // The drawn names of each page, in drawing order.
  static std::vector<std::vector<std::string>> DrawnNames(
      const std::vector<std::vector<std::string>>& pages, const std::set<std::string>& names) {
    std::vector<std::vector<std::string>> out;
    for (const auto& page : pages) {
      out.emplace_back();
      for (const Text& t : TextsOf(page))
        if (names.count(t.text) != 0) out.back().push_back(t.text);
    }
    return out;
  }

  // A family of four generations on both sides of Kevin (the cousin
  // marriage), and descendants of Arthur with a second marriage.
  Collapse BuildFamily() {
    Collapse f = BuildPedigreeCollapse();
    Child(Marry(Person("Zed", "Ashdown", 'M', 1820), Person("Yve", "Young", 'F', 1822)), f.arthur);
    const std::int32_t second = Marry(f.charles, Person("Olga", "Other", 'F', 1880));
    Child(second, Person("Pia", "Ashdown", 'F', 1905));
    Child(second, Person("Quin", "Ashdown", 'M', 1907));
    return f;
  }
  std::set<std::string> AllNames() {
    std::set<std::string> names;
    for (std::int32_t rin = 1; rin <= DbGetMaxRecordCount(db::kIndividual); ++rin) {
      CIndividualRecord person;
      if (DbGetIndividualRecord(rin, person, 3) == 1)
        names.insert(person.GetName(0, false, 1, false));
    }
    names.insert("UNKNOWN");
    return names;
  }

  CancellingPaginatorWindow window_;
  rpt::PaginatorWindow* previous_ = nullptr;
};

TEST_F(ChartPagesTest, PagesDrawTheWalksRowsInOrder) {
  const Collapse f = BuildFamily();
  const std::set<std::string> names = AllNames();
  const struct {
    bool ancestry;
    std::int32_t Collapse::*root;
    int paperHeight;
  } cases[] = {{true, &Collapse::kevin, 11000},  {true, &Collapse::kevin, 1700},
               {true, &Collapse::kevin, 1300},   {false, &Collapse::arthur, 11000},
               {false, &Collapse::arthur, 1700}, {false, &Collapse::arthur, 1300}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.ancestry ? "ancestry " : "descendants ") +
                 std::to_string(c.paperHeight));
    const std::int32_t root = f.*(c.root);
    const std::vector<std::string> expected = WalkRows(c.ancestry, root);
    RecordingDevice dc;
    dc.paperHeight = c.paperHeight;
    CChartPagesGenerator g(c.ancestry, Options(c.ancestry));
    const auto pages = DrawnNames(Draw(g, dc, root), names);
    std::vector<std::string> drawn;
    for (std::size_t p = 0; p < pages.size(); ++p) {
      // Every page but the last is full; the heading's page holds fewer rows.
      const int rows = rpt::ChartRowsOnPage(static_cast<int>(p) + 1);
      if (p + 1 < pages.size()) {
        EXPECT_EQ(static_cast<int>(pages[p].size()), rows) << p;
      }
      drawn.insert(drawn.end(), pages[p].begin(), pages[p].end());
    }
    EXPECT_EQ(drawn, expected);
    if (c.paperHeight < 2000) {
      EXPECT_GT(pages.size(), 2u);
    }
    // Each person's first box stands at the page (and row) of its slot.
    std::set<std::int32_t> seen;
    std::size_t n = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
      for (std::size_t r = 0; r < pages[p].size() && n < rowPeople.size(); ++r, ++n) {
        const std::int32_t rin = rowPeople[n];
        if (rin == 0 || !seen.insert(rin).second) continue;
        const rpt::ChartSlot slot = rpt::ReadChartSlot(rin);
        EXPECT_EQ(slot.first, static_cast<int>(p) + 1) << pages[p][r];
        if (!c.ancestry) {
          EXPECT_EQ(slot.second, static_cast<int>(r) + 1) << pages[p][r];
        }
      }
    }
    EXPECT_EQ(n, rowPeople.size());
  }
}

// With both places on, a row's places are fitted to what its name and dates
// leave up to the right margin: no row runs past it, and the places still
// show where there is room.
TEST_F(ChartPagesTest, RowsWithPlacesEndAtTheRightMargin) {
  const Collapse f = BuildFamily();
  ASSERT_EQ(GiveLongPlaces(1, DbGetMaxRecordCount(db::kIndividual)), 0);
  for (const bool ancestry : {true, false}) {
    SCOPED_TRACE(ancestry ? "ancestry" : "descendants");
    ChartPageOptions o = Options(ancestry);
    o.birthPlace = o.deathPlace = true;
    o.dateType = 2;
    RecordingDevice dc;
    CChartPagesGenerator g(ancestry, o);
    const auto pages = Draw(g, dc, ancestry ? f.kevin : f.arthur);
    const int right = dc.paperWidth - o.standardMargins.right;
    bool places = false;
    for (const auto& page : pages) {
      std::map<int, int> rowEnd;  // by y
      for (const Text& t : TextsOf(page)) {
        const int end = t.x + dc.charWidth * static_cast<int>(t.text.size());
        rowEnd[t.y] = std::max(rowEnd[t.y], end);
        EXPECT_LE(end, right) << t.text;
        places = places || t.text.find("Kingdom") != std::string::npos ||
                 t.text.find("Middlewick") != std::string::npos;
      }
      EXPECT_GT(rowEnd.size(), 3u);
    }
    EXPECT_TRUE(places);
  }
}

// "Hide shading in print preview": the rows lose their shading in a preview
// shown from the report sheet, never on paper.
TEST_F(ChartPagesTest, HideShadeLeavesTheShadingOutOfThePreviewOnly) {
  const Collapse f = BuildFamily();
  const struct {
    int printState;
    bool hideShade;
    bool shaded;
  } cases[] = {{2, true, false}, {3, true, false}, {1, true, true},
               {4, true, true},  {0, true, true},  {2, false, true}};
  for (bool ancestry : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(ancestry ? "ancestry " : "descendants ") +
                   std::to_string(c.printState) + (c.hideShade ? " hide" : ""));
      rpt::CurrentReportRunState().printState = c.printState;
      ChartPageOptions o = Options(ancestry);
      o.shading = true;
      o.hideShade = c.hideShade;
      o.shadeColor = 0x123456;
      CChartPagesGenerator g(ancestry, o);
      RecordingDevice dc;
      const auto pages = Draw(g, dc, ancestry ? f.kevin : f.arthur);
      int fills = 0;
      for (const auto& page : pages)
        for (const std::string& call : page)
          if (call.rfind("FillRect ", 0) == 0 && call.find(" 1193046") != std::string::npos)
            ++fills;
      if (c.shaded)
        EXPECT_GT(fills, 0);
      else
        EXPECT_EQ(fills, 0);
      rpt::CleanupChartPages();
    }
  }
}

TEST_F(ChartPagesTest, LaterBoxesReferToThePageOfTheFirst) {
  const Collapse f = BuildFamily();
  for (bool ancestry : {true, false}) {
    SCOPED_TRACE(ancestry ? "ancestry" : "descendants");
    // Descendants of Arthur through both children meet in Kevin.
    const std::int32_t root = ancestry ? f.kevin : f.arthur;
    const std::string repeated = Name(ancestry ? f.arthur : f.kevin);
    RecordingDevice dc;
    dc.paperHeight = 1500;
    CChartPagesGenerator g(ancestry, Options(ancestry));
    const auto pages = Draw(g, dc, root);
    int firstPage = 0, references = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
      const std::vector<Text> texts = TextsOf(pages[p]);
      for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].text != repeated) continue;
        const std::string rest = i + 1 < texts.size() ? texts[i + 1].text : "";
        if (firstPage == 0) {
          firstPage = static_cast<int>(p) + 1;
          EXPECT_EQ(rest.find("Printed on Page"), std::string::npos);
          continue;
        }
        ++references;
        EXPECT_NE(rest.find("** Printed on Page " + std::to_string(firstPage) + " **"),
                  std::string::npos)
            << rest;
      }
    }
    EXPECT_GT(firstPage, 0);
    EXPECT_EQ(references, 1);
  }
}

TEST_F(ChartPagesTest, PageBeginningInAFamilyGoesOnWithTheRemainingSiblings) {
  const std::int32_t root = Person("Root", "Kin", 'M', 1850);
  const std::int32_t m = Marry(root, Person("Rue", "Kin", 'F', 1851));
  std::vector<std::string> children;
  for (const char* given : {"Ann", "Bob", "Cy", "Dee", "Eve", "Fay", "Gus"}) {
    const std::int32_t child = Person(given, "Kin", 'M', 1880);
    Child(m, child);
    children.push_back(Name(child));
  }
  RecordingDevice dc;
  dc.paperHeight = 1300;
  CChartPagesGenerator g(false, Options(false));
  const auto pages = DrawnNames(Draw(g, dc, root), AllNames());
  ASSERT_GT(pages.size(), 2u);
  std::vector<std::string> drawnChildren;
  for (std::size_t p = 0; p < pages.size(); ++p)
    for (const std::string& name : pages[p])
      if (std::find(children.begin(), children.end(), name) != children.end())
        drawnChildren.push_back(name);
  EXPECT_EQ(drawnChildren, children);
  // Some page begins with a later child: its remaining siblings follow.
  bool midFamily = false;
  for (std::size_t p = 1; p < pages.size(); ++p)
    if (!pages[p].empty() && pages[p].front() != children.front() &&
        std::find(children.begin(), children.end(), pages[p].front()) != children.end())
      midFamily = true;
  EXPECT_TRUE(midFamily);
}

TEST_F(ChartPagesTest, MarriageRows) {
  const std::int32_t root = Person("Lone", "Parent", 'F', 1900);
  const std::int32_t alone = DbSetRelation(root, 0, db::kRelWife, 0);
  Child(alone, Person("Kid", "Parent", 'M', 1925));
  const std::int32_t husband = Person("Hal", "Husband", 'M', 1898);
  const std::int32_t married = Marry(husband, root);
  CMarriageRecord record;
  ASSERT_EQ(family::Read(record, married), 1);
  record.marriage.date.Set(1930, 6, 1);
  record.status = 'D';
  ASSERT_EQ(family::Update(record, 0), 1);
  const std::int32_t grandchild = Person("Gran", "Husband", 'F', 1932);
  Child(married, grandchild);

  RecordingDevice dc;
  CChartPagesGenerator g(false, Options(false));
  // At the deepest generation (limit 1) a marriage shows its spouse row only.
  const auto limited = Draw(g, dc, root, 1);
  ASSERT_EQ(limited.size(), 1u);
  EXPECT_TRUE(HasText(limited[0], "UNKNOWN"));
  EXPECT_TRUE(HasText(limited[0], Name(husband)));
  EXPECT_FALSE(HasText(limited[0], Name(grandchild)));
  EXPECT_TRUE(HasText(limited[0], "m.1930(Div)"));
  EXPECT_TRUE(HasText(limited[0], "sp: "));
  const auto full = Draw(g, dc, root, 99);
  EXPECT_TRUE(HasText(full[0], Name(grandchild)));
}

TEST_F(ChartPagesTest, DateTypeTwoWidensTheSampleAndShrinksTheIndent) {
  const std::int32_t root = Person("Deep", "Line", 'M', 1950);
  std::int32_t person = root;
  for (int g = 2; g <= 8; ++g) {
    const std::int32_t father = Person("F" + std::to_string(g), "Line", 'M', 1950 - 25 * g);
    Child(DbSetRelation(father, 0, db::kRelHusband, 0), person);
    person = father;
  }
  std::map<int, int> indents;
  for (int dateType : {1, 2}) {
    RecordingDevice dc;
    ChartPageOptions o = Options(true);
    o.dateType = dateType;
    o.indent = 10;
    CChartPagesGenerator g(true, o);
    const auto pages = Draw(g, dc, root);
    indents[dateType] = g.Indent();
    // The full date prints with DateType 2.
    EXPECT_EQ(HasText(pages[0], "(b.1950"), dateType == 1);
    EXPECT_EQ(HasText(pages[0], "May"), dateType == 2);
  }
  EXPECT_LT(indents[2], indents[1]);
  EXPECT_GE(indents[2], rpt::kChartThousandths.minIndent);
}

TEST_F(ChartPagesTest, LegendAndCodesOnThePage) {
  const std::int32_t kid = Person("Kid", "Code", 'M', 1950);
  const std::int32_t mum = Person("Mum", "Code", 'F', 1920);
  Child(Marry(Person("Dad", "Code", 'M', 1919), mum), kid);
  const std::int32_t parents = Marry(Person("Gpa", "Code", 'M'), Person("Gma", "Code", 'F'));
  Child(parents, mum);
  SetParentRelation(mum, 'a');

  RecordingDevice dc;
  ChartPageOptions o = Options(true);
  o.relInd = o.parInd = true;
  CChartPagesGenerator g(true, o);
  const auto pages = Draw(g, dc, kid);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(HasText(pages[0], "{A}"));
  EXPECT_TRUE(HasText(pages[0], "Relationship Codes:"));
  EXPECT_TRUE(HasText(pages[0], "Adopted"));
}

TEST_F(ChartPagesTest, MissingPageEntryPrintsTheError) {
  const std::int32_t root = Person("Only", "One", 'M', 1900);
  RecordingDevice dc;
  CChartPagesGenerator g(true, Options(true));
  Draw(g, dc, root);
  dc.calls.clear();
  g.DrawChartPage(dc, 7, true);
  EXPECT_EQ(TextsOf(dc.calls).size(), 1u);
  EXPECT_TRUE(HasText(dc.calls, "System Error: Unable to print this page"));
}

// ---- wall charts ----

TEST(WallChartTiles, PagesMapToTilesColumnByColumn) {
  const struct {
    int page, rowPages, column, row;
  } cases[] = {{1, 3, 1, 1}, {2, 3, 1, 2}, {3, 3, 1, 3}, {4, 3, 2, 1},
               {6, 3, 2, 3}, {1, 1, 1, 1}, {5, 1, 5, 1}, {3, 0, 3, 1}};
  for (const auto& c : cases) {
    const rpt::ChartTile tile = rpt::WallChartTileOf(c.page, c.rowPages);
    EXPECT_EQ(tile.column, c.column) << c.page << "/" << c.rowPages;
    EXPECT_EQ(tile.row, c.row) << c.page << "/" << c.rowPages;
  }
  const struct {
    int deepest, perPage, columns;
  } columns[] = {{1, 3, 1}, {3, 3, 1}, {4, 3, 2}, {14, 3, 5}, {5, 0, 5}, {5, -2, 5}};
  for (const auto& c : columns)
    EXPECT_EQ(rpt::WallChartTileColumns(c.deepest, c.perPage), c.columns)
        << c.deepest << "/" << c.perPage;
}

class WallChartPagesTest : public ChartPagesTest {
 protected:
  static ChartPageOptions Wall(bool ancestry, int gensPerPage) {
    ChartPageOptions o = Options(ancestry);
    o.wallChart = true;
    o.gensPerPage = gensPerPage;
    o.nameBirth = o.nameMarriage = o.nameDeath = false;
    o.wall.birth = o.wall.date = true;
    o.wall.gensPerPage = gensPerPage;
    return o;
  }
  // A full pedigree of generations generations; answers the root.
  std::int32_t Pedigree(int generations) {
    std::vector<std::int32_t> people(1u << generations, 0);
    for (std::size_t n = 1; n < people.size(); ++n)
      people[n] = Person("N" + std::to_string(n), "Wall", n % 2 == 0 || n == 1 ? 'M' : 'F', 1900);
    for (std::size_t n = 1; 2 * n + 1 < people.size(); ++n)
      Child(Marry(people[2 * n], people[2 * n + 1]), people[n]);
    return people[1];
  }
};

TEST_F(WallChartPagesTest, ThreeByTwoTilesHaveMarksOnInnerEdgesAndLabels) {
  const std::int32_t root = Pedigree(6);  // 63 boxes: several tile rows
  RecordingDevice dc;
  dc.paperHeight = 4000;
  CChartPagesGenerator g(true, Wall(true, 3));
  const auto pages = Draw(g, dc, root);
  const int rowPages = static_cast<int>(rpt::Paginator().pageEntries.size());
  ASSERT_GE(rowPages, 2);
  ASSERT_EQ(static_cast<int>(pages.size()), rowPages * 2);
  const int left = 250, right = 8500 - 250, top = -250, bottom = -(4000 - 250);
  for (int page = 1; page <= static_cast<int>(pages.size()); ++page) {
    SCOPED_TRACE(page);
    const rpt::ChartTile tile = rpt::WallChartTileOf(page, rowPages);
    int leftMarks = 0, rightMarks = 0, topMarks = 0, bottomMarks = 0;
    for (const Segment& s : SegmentsOf(pages[page - 1])) {
      if (s.x1 == s.x2 && s.x1 == left - 10 && std::abs(s.y2 - s.y1) == 200) ++leftMarks;
      if (s.x1 == s.x2 && s.x1 == right + 10 && std::abs(s.y2 - s.y1) == 200) ++rightMarks;
      if (s.y1 == s.y2 && s.y1 == top + 10 && std::abs(s.x2 - s.x1) == 200) ++topMarks;
      if (s.y1 == s.y2 && s.y1 == bottom - 10 && std::abs(s.x2 - s.x1) == 200) ++bottomMarks;
    }
    EXPECT_EQ(leftMarks, tile.column > 1 ? 2 : 0);
    EXPECT_EQ(rightMarks, tile.column < 2 ? 2 : 0);
    EXPECT_EQ(topMarks, tile.row > 1 ? 2 : 0);
    EXPECT_EQ(bottomMarks, tile.row < rowPages ? 2 : 0);
    const std::string label =
        "Tile (" + std::to_string(tile.column) + ", " + std::to_string(tile.row) + ")";
    const bool labelled = tile.row > 1 || rowPages > 1;
    EXPECT_EQ(HasText(pages[page - 1], label), labelled);
    // Generations 1-3 on the first tile column, 4-6 on the second.
    const bool firstColumn = tile.column == 1;
    if (tile.row == 1) {
      EXPECT_EQ(HasText(pages[page - 1], "1st"), firstColumn);
      EXPECT_EQ(HasText(pages[page - 1], "4th"), !firstColumn);
    }
  }
}

TEST_F(WallChartPagesTest, OneTileChartHasNoMarksAndNoLabel) {
  const std::int32_t root = Pedigree(3);
  RecordingDevice dc;
  CChartPagesGenerator g(true, Wall(true, 3));
  const auto pages = Draw(g, dc, root);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_FALSE(HasText(pages[0], "Tile ("));
  for (const Segment& s : SegmentsOf(pages[0])) {
    EXPECT_GE(std::min(s.x1, s.x2), 250) << "outside the frame";
    EXPECT_LE(std::max(s.y1, s.y2), -250) << "outside the frame";
  }
  EXPECT_TRUE(HasText(pages[0], "Ancestors of N1 Wall"));
}

TEST_F(WallChartPagesTest, TitleSplitsAcrossTheMiddleColumns) {
  const std::int32_t root = Pedigree(7);
  RecordingDevice dc;
  dc.paperHeight = 30000;  // one tile row
  ChartPageOptions o = Wall(true, 2);
  o.titlePrefix = "Ancestors of the family";
  CChartPagesGenerator g(true, o);
  const auto pages = Draw(g, dc, root);
  ASSERT_EQ(pages.size(), 4u);  // 7 generations, 2 a tile
  // Title "Ancestors of the family N1 Wall" splits at the middle blank: the
  // first half ends at the right of tile 2, the second starts on tile 3.
  std::string first, second;
  SplitTextInHalf("Ancestors of the family N1 Wall", first, second);
  const int width = 8500 - 500;
  for (int page = 1; page <= 4; ++page) {
    SCOPED_TRACE(page);
    const std::vector<Text> texts = TextsOf(pages[page - 1]);
    auto find = [&](const std::string& text) {
      return std::find_if(texts.begin(), texts.end(),
                          [&](const Text& t) { return t.text == text; });
    };
    const auto a = find(first), b = find(second);
    EXPECT_EQ(a != texts.end(), page == 2);
    EXPECT_EQ(b != texts.end(), page == 3);
    if (a != texts.end()) {
      EXPECT_EQ(a->x + 50 * static_cast<int>(first.size()), 250 + width);
    }
    if (b != texts.end()) {
      EXPECT_EQ(b->x, 250);
    }
  }
}

TEST_F(WallChartPagesTest, DescendantsMarriageSharesTheRowOfItsFirstChild) {
  const std::int32_t root = Person("Root", "Share", 'M', 1850);
  const std::int32_t wife = Person("Wife", "Share", 'F', 1851);
  const std::int32_t m = Marry(root, wife);
  const std::int32_t child = Person("Child", "Share", 'M', 1880);
  Child(m, child);
  RecordingDevice dc;
  CChartPagesGenerator g(false, Wall(false, 3));
  const auto pages = Draw(g, dc, root);
  ASSERT_EQ(pages.size(), 1u);
  int wifeY = 0, childY = 0, rootY = 0;
  for (const Text& t : TextsOf(pages[0])) {
    if (t.text == Name(wife)) wifeY = t.y;
    if (t.text == Name(child)) childY = t.y;
    if (t.text == Name(root)) rootY = t.y;
  }
  EXPECT_NE(wifeY, 0);
  EXPECT_EQ(wifeY, childY);
  EXPECT_GT(rootY, wifeY);
}

TEST_F(WallChartPagesTest, LargeChartIsDrawnInHundredths) {
  const std::int32_t root = Pedigree(3);
  RecordingDevice dc;
  dc.paperWidth = 40000;  // 40 inches
  CChartPagesGenerator g(true, Wall(true, 3));
  const auto pages = Draw(g, dc, root);
  EXPECT_TRUE(g.LargeArea());
  EXPECT_EQ(dc.GetMapMode(), rpt::MM_LOENGLISH);
  // Boxes start 20 hundredths into their columns of (4000 - 50) / 3.
  int firstX = 1 << 30;
  for (const Text& t : TextsOf(pages[0]))
    if (t.text == Name(root)) firstX = t.x;
  EXPECT_EQ(firstX, 25 + 20 + rpt::kChartHundredths.labelGap30);
  RecordingDevice small;
  CChartPagesGenerator normal(true, Wall(true, 3));
  Draw(normal, small, root);
  EXPECT_FALSE(normal.LargeArea());
}

TEST(ChartOrdinanceLetters, DoneUpperClearedLowerOthersNothing) {
  using D = CDateValue;
  const struct {
    int states[5];
    const char* letters;
  } cases[] = {
      {{D::kOrdinanceDone, D::kOrdinanceDone, D::kOrdinanceDone, D::kOrdinanceDone,
        D::kOrdinanceDone},
       "BEPSC"},
      {{D::kOrdinanceClearedOrSubmitted, D::kOrdinanceClearedOrSubmitted,
        D::kOrdinanceClearedOrSubmitted, D::kOrdinanceClearedOrSubmitted,
        D::kOrdinanceClearedOrSubmitted},
       "bepsc"},
      {{D::kOrdinanceNothing, D::kOrdinanceNotToBeDone, -1, D::kOrdinanceNothing, 0}, ""},
      {{D::kOrdinanceDone, D::kOrdinanceClearedOrSubmitted, D::kOrdinanceNotToBeDone,
        D::kOrdinanceNothing, D::kOrdinanceDone},
       "BeC"},
  };
  for (const auto& c : cases) EXPECT_EQ(rpt::ChartOrdinanceLetters(c.states), c.letters);
}

TEST_F(WallChartPagesTest, BoxesShowOrdinanceLettersByState) {
  const Ordinances o = BuildOrdinances();
  const struct {
    int status;
    const char* letter;  // "" none
  } cases[] = {{CDateValue::kStatusCleared, "b"},
               {CDateValue::kStatusCompleted, "B"},
               {CDateValue::kStatusDone, "B"},
               {CDateValue::kStatusUncleared, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    ChartPageOptions options = Wall(true, 3);
    options.wall.zel = options.wall.showZel = true;
    RecordingDevice dc;
    CChartPagesGenerator g(true, options);
    const auto pages = Draw(g, dc, o.byStatus[c.status - 13]);
    ASSERT_EQ(pages.size(), 1u);
    // With birth dates on their own line the letters stand on that line.
    EXPECT_FALSE(HasText(pages[0], "ZEL: "));
    const std::vector<Text> texts = TextsOf(pages[0]);
    const bool shown =
        std::any_of(texts.begin(), texts.end(), [&](const Text& t) { return t.text == c.letter; });
    if (*c.letter != 0) {
      EXPECT_TRUE(shown);
    }
  }
}

TEST_F(WallChartPagesTest, PhotoPlacesAndNoteLines) {
  const std::int32_t with = Person("Pic", "Tured", 'M', 1900);
  auto photo = std::make_unique<CMultimediaItem>();
  photo->fileName = "face.jpg";
  photo->kind = CMultimediaItem::kPhoto;
  photo->flags |= CMultimediaItem::kFlagDefault;
  EXPECT_EQ(1, DbSaveMultimediaChain(with, photo.get(), db::kIndividual));
  ASSERT_GT(DbSetNotes(with,
                       "NOTE First line of the note that is long enough to wrap in a box.\r\n"
                       "Second line.",
                       0, 0, db::kIndividual),
            0);
  const std::int32_t without = Person("No", "Picture", 'M', 1900);
  const int columnLeft = 250, column = (8500 - 500) / 3;
  const struct {
    int place;
    bool left, right, top;  // where the photo stands in the box
  } cases[] = {{0, true, false, false},
               {1, true, false, false},  // placed as 0
               {2, false, true, false},
               {3, false, false, true},
               {4, false, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.place);
    ChartPageOptions o = Wall(true, 3);
    o.wall.photoOpt = 1;
    o.wall.photoX = o.wall.photoY = 600;
    o.wall.photoPlace = c.place == 1 ? 0 : c.place;  // as the options store reads it
    o.wall.noteTags = {"NOTE", ""};
    o.wall.noteLines = 1;
    RecordingDevice dc;
    CChartPagesGenerator g(true, o);
    const auto pages = Draw(g, dc, with);
    std::string photoCall;
    for (const std::string& call : pages[0])
      if (call.rfind("DrawPhoto face.jpg", 0) == 0) photoCall = call;
    ASSERT_FALSE(photoCall.empty());
    std::istringstream in(photoCall.substr(19));
    int l = 0, t = 0, r = 0, b = 0;
    in >> l >> t >> r >> b;
    const int boxLeft = columnLeft + 200, boxRight = columnLeft + column;
    const int centre = (boxLeft + boxRight) / 2, photoCentre = (l + r) / 2;
    EXPECT_EQ(photoCentre < centre - 100, c.left) << photoCall;
    EXPECT_EQ(photoCentre > centre + 100, c.right) << photoCall;
    EXPECT_EQ(r - l, 600) << photoCall;
    int nameY = 0, nameX = 0, noteLines = 0;
    for (const Text& text : TextsOf(pages[0])) {
      if (text.text == Name(with)) {
        nameX = text.x;
        nameY = text.y;
      }
    }
    for (const std::string& call : pages[0])
      if (call.rfind("TabbedTextOut ", 0) == 0) ++noteLines;
    EXPECT_EQ(nameX >= r, c.left);  // the text gives way to a photo on its left
    if (c.top) {                    // the text starts below the photo
      EXPECT_LE(nameY, b);
    }
    if (!c.left && !c.right && !c.top) {
      EXPECT_GE(b, nameY - 2000);
    }
    // Two lines of the note (WCLpt 1): the first led by its tag, then the
    // rest of the wrapped paragraph; the second paragraph has no room.
    EXPECT_EQ(noteLines, 2);
    EXPECT_TRUE(HasText(pages[0], "NOTE First line"));
    EXPECT_FALSE(HasText(pages[0], "Second line"));
    // Without a photo the room stays empty.
    RecordingDevice other;
    CChartPagesGenerator h(true, o);
    const auto empty = Draw(h, other, without);
    for (const std::string& call : empty[0])
      EXPECT_EQ(call.rfind("DrawPhoto", 0), std::string::npos);
  }
}

TEST_F(WallChartPagesTest, ExtraEventLines) {
  const UserEvents u = BuildUserEvents();
  CDateValue sailed;
  sailed.Set(1906, 4, 17);
  AddIndividualUserEvent(u.person, "Voyage", 1, false, [&](CUserEventRecord& e) {
    e.GetEvent()->date = sailed;
    e.GetEvent()->place[0] = "Boston";
  });
  const struct {
    const char* name;
    std::string event1, event2;
    bool description, dateAndPlace;
    std::vector<std::string> shown, hidden;
  } cases[] = {
      // The label is the event type's short title as stored.
      {"no extra events", "", "", true, false, {}, {"Voyage", "Occup"}},
      {"voyage with its place",
       "Voyage",
       "",
       false,
       true,
       {"Voyage: 17 Apr 1906 - Boston"},
       {"Occup"}},
      {"occupation with its description",
       "",
       "Occupation",
       true,
       false,
       {"Occupatio: -Cooper"},
       {"Voyage"}},
      {"description left out", "Occupation", "", false, false, {"Occupatio: "}, {"Cooper"}},
      {"a title no event type has", "Coronation", "", true, false, {}, {"Coron", "Occup"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ChartPageOptions o = Wall(true, 3);
    o.wall.otherEvents = {c.event1, c.event2};
    o.wall.descriptionLine = c.description;
    o.wall.dateAndPlace = c.dateAndPlace;
    RecordingDevice dc;
    CChartPagesGenerator g(true, o);
    const auto pages = Draw(g, dc, u.person);
    ASSERT_EQ(pages.size(), 1u);
    for (const std::string& text : c.shown) EXPECT_TRUE(HasText(pages[0], text)) << text;
    for (const std::string& text : c.hidden) EXPECT_FALSE(HasText(pages[0], text)) << text;
  }
}

TEST_F(WallChartPagesTest, IdSbnAndCauseOfDeathLines) {
  CIndividualRecord record;
  record.surname = "Texts";
  record.givenNames[0] = "Tia";
  record.sex = 'F';
  record.texts1[0] = "REF-77";
  record.texts1[1] = "SBN-123";
  record.texts2[0] = "Fever";
  const auto rin = static_cast<std::int32_t>(family::Add(record, 0));
  ASSERT_GT(rin, 0);
  const struct {
    bool ancestry, id, sbn, cause;
  } cases[] = {{true, true, true, true},
               {true, false, true, false},
               {false, true, true, true},  // the Descendants chart has no SBN line
               {true, false, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.ancestry) + std::to_string(c.id) + std::to_string(c.sbn) +
                 std::to_string(c.cause));
    ChartPageOptions o = Wall(c.ancestry, 3);
    o.wall.id = c.id;
    o.wall.sbn = c.sbn;
    o.wall.causeOfDeath = c.cause;
    RecordingDevice dc;
    CChartPagesGenerator g(c.ancestry, o);
    const auto pages = Draw(g, dc, rin);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(HasText(pages[0], "ID: REF-77"), c.id);
    EXPECT_EQ(HasText(pages[0], "SBN: SBN-123"), c.sbn && c.ancestry);
    EXPECT_EQ(HasText(pages[0], "Cause of Death: Fever"), c.cause);
  }
}

// ---- RTF through LibreOffice ----

TEST_F(ChartPagesTest, RtfShowsTheSameTextInLibreOffice) {
  if (!LibreOfficeInstalled()) GTEST_SKIP() << "LibreOffice or pdftotext is not installed";
  const Collapse f = BuildFamily();
  TempDir dir;
  const char* keep = std::getenv("KORVANE_RTF_KEEP");
  const std::string out = keep != nullptr ? std::string(keep) + "/" : dir.Path();
  for (bool ancestry : {true, false}) {
    SCOPED_TRACE(ancestry ? "ancestry" : "descendants");
    const std::string stem = ancestry ? "ancestry-chart" : "descendants-chart";
    plat::FakeShell shell;
    plat::ScopedShell scopedShell{&shell};
    RecordingDevice dc;
    dc.paperHeight = 3000;  // several pages
    dc.charWidth = 90;      // about the width of the text font
    CChartPagesGenerator g(ancestry, Options(ancestry));
    g.SetRTFOutput(true);
    g.SetOutputFileName(out + stem + ".rtf");
    const auto pages = Draw(g, dc, ancestry ? f.kevin : f.arthur);
    ASSERT_GE(pages.size(), 2u);
    CPrintInfo info;
    info.maxPage = static_cast<int>(pages.size());
    g.EndChart(&dc, &info);
    ASSERT_EQ(ConvertWithLibreOffice({out + stem + ".rtf"}, "pdf", out), 0);
    ASSERT_EQ(std::system(("pdftotext -layout '" + out + stem + ".pdf'").c_str()), 0);
    const std::string text = ReadAll(out + stem + ".txt");
    EXPECT_NE(text.find(ancestry ? "Ancestors of Kevin Ashdown" : "Descendants of Arthur Ashdown"),
              std::string::npos);
    for (const std::string& name : WalkRows(ancestry, ancestry ? f.kevin : f.arthur))
      EXPECT_NE(text.find(name), std::string::npos) << name;
    EXPECT_NE(text.find("** Printed on Page"), std::string::npos);
  }
}

}  // namespace
