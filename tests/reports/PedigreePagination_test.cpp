#include "PedigreePagination.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "FakePaginatorWindow.h"
#include "ReportFamilies.h"

namespace {

using rpt::PedigreeRunParameters;

// One placement a test expects: the person by pedigree number (1 the start
// person, 2n and 2n + 1 the parents of n) and his (chart, position).
struct Slot {
  int number;
  std::int64_t chart;
  std::int32_t position;
};

class PedigreePaginationTest : public ReportFamiliesFixture {
 protected:
  void SetUp() override {
    ReportFamiliesFixture::SetUp();
    previousWindow_ = rpt::SetPaginatorWindow(&window_);
  }
  void TearDown() override {
    rpt::CleanupPedigreePages();
    rpt::SetPedigreeSortOpen(nullptr);
    rpt::SetPaginatorWindow(previousWindow_);
    ReportFamiliesFixture::TearDown();
  }

  // A pedigree of generations generations by pedigree number; the numbers in
  // missing are left out together with their ancestors.
  std::map<int, std::int32_t> BuildPedigree(int generations, const std::set<int>& missing = {}) {
    std::map<int, std::int32_t> rins;
    const int last = (1 << generations) - 1;
    for (int n = 1; n <= last; ++n) {
      bool absent = false;
      for (int m = n; m >= 1; m /= 2)
        if (missing.count(m) != 0) absent = true;
      if (absent) continue;
      rins[n] = Person("P" + std::to_string(n), "Line", n % 2 == 0 || n == 1 ? 'M' : 'F');
    }
    for (int n = 1; 2 * n + 1 <= last; ++n) {
      if (rins.count(n) == 0) continue;
      const bool father = rins.count(2 * n) != 0, mother = rins.count(2 * n + 1) != 0;
      if (!father && !mother) continue;
      std::int32_t mrin = 0;
      if (father && mother)
        mrin = Marry(rins[2 * n], rins[2 * n + 1]);
      else
        mrin = DbSetRelation(father ? rins[2 * n] : rins[2 * n + 1], 0,
                             father ? db::kRelHusband : db::kRelWife, 0);
      EXPECT_GT(mrin, 0);
      Child(mrin, rins[n]);
    }
    return rins;
  }

  static std::vector<std::int64_t> ChartNumbers() {
    std::vector<std::int64_t> numbers;
    for (int page = 1;; ++page) {
      rpt::PedigreePageEntry* entry = rpt::FindPedigreePageEntry(page);
      if (entry == nullptr) break;
      if (entry->kind == rpt::PedigreePageEntry::kChart)
        numbers.push_back(entry->chart->chartNumber);
    }
    return numbers;
  }

  static void ExpectSlots(const std::map<int, std::int32_t>& rins, const std::vector<Slot>& slots) {
    for (const Slot& s : slots) {
      std::int64_t chart = 0;
      std::int32_t position = 0;
      const bool placed = rpt::GetPedigreeChartPlace(rins.at(s.number), chart, position);
      EXPECT_EQ(placed, s.chart != 0) << "number " << s.number;
      EXPECT_EQ(chart, s.chart) << "number " << s.number;
      EXPECT_EQ(position, s.position) << "number " << s.number;
    }
  }

  static std::vector<std::int32_t> IndexRins() {
    std::vector<std::int32_t> out;
    rpt::PedigreeIndexEntry entry;
    for (std::uint32_t n = 0; rpt::GetPedigreeIndexEntry(n, entry); ++n) out.push_back(entry.rin);
    return out;
  }

  CancellingPaginatorWindow window_;
  rpt::PaginatorWindow* previousWindow_ = nullptr;
};

PedigreeRunParameters Cascading(std::int32_t start, int perChart, int total, int numbering) {
  PedigreeRunParameters run;
  run.runType = PedigreeRunParameters::kCascading;
  run.startPerson = start;
  run.generationsPerChart = perChart;
  run.totalGenerations = total;
  run.numbering = numbering;
  run.firstChart = 1;
  run.firstContinuation = 2;
  return run;
}

TEST_F(PedigreePaginationTest, FixedNumberingGivesEachLastColumnPositionItsOwnChart) {
  // Number 17 (and so 34 and 35) is missing: chart 3 is never made.
  const auto rins = BuildPedigree(7, {17});
  const int pages =
      rpt::PaginatePedigreeChart(Cascading(rins.at(1), 5, 9, PedigreeRunParameters::kFixed), 40);
  std::vector<std::int64_t> expected = {1, 2};
  for (std::int64_t chart = 4; chart <= 17; ++chart) expected.push_back(chart);
  EXPECT_EQ(ChartNumbers(), expected);
  EXPECT_EQ(pages, static_cast<int>(expected.size()));
  ExpectSlots(rins, {{1, 1, 1},
                     {2, 1, 2},
                     {3, 1, 3},
                     {15, 1, 15},
                     {16, 1, 16},  // the last column stays on chart 1 ...
                     {31, 1, 31},
                     {32, 2, 2},  // ... and its parents open the chart of its number
                     {33, 2, 3},
                     {36, 4, 2},
                     {63, 17, 3},
                     {64, 2, 4},
                     {127, 17, 7}});
  // Continuation charts point back to their root's place.
  rpt::PedigreePageEntry* third = rpt::FindPedigreePageEntry(3);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->chart->chartNumber, 4);
  EXPECT_EQ(third->chart->root, rins.at(18));
  EXPECT_EQ(third->chart->spouse, rins.at(19));
  EXPECT_EQ(third->chart->previousChart, 1);
  EXPECT_EQ(third->chart->previousPosition, 18);
  EXPECT_EQ(third->chart->generation, 5);
  EXPECT_EQ(window_.caption, "Pedigree Chart");
}

TEST_F(PedigreePaginationTest, SequentialNumberingFollowsDiscoveryOrder) {
  const auto rins = BuildPedigree(6, {9});  // 18 and 19 are missing in the last column
  auto run = Cascading(rins.at(1), 4, 7, PedigreeRunParameters::kSequential);
  run.firstContinuation = 100;
  ASSERT_GT(rpt::PaginatePedigreeChart(run, 40), 0);
  // Chart 1's last column is 8..15; 9 is missing.
  EXPECT_EQ(ChartNumbers(), (std::vector<std::int64_t>{1, 100, 101, 102, 103, 104, 105, 106}));
  ExpectSlots(rins,
              {{8, 1, 8}, {16, 100, 2}, {17, 100, 3}, {20, 101, 2}, {31, 106, 3}, {62, 106, 6}});
  // Each continuation chart learns the number its own first continuation gets.
  rpt::PedigreePageEntry* first = rpt::FindPedigreePageEntry(1);
  rpt::PedigreePageEntry* second = rpt::FindPedigreePageEntry(2);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->chart->firstContinuation, 100);
  EXPECT_EQ(second->chart->firstContinuation, 107);
}

TEST_F(PedigreePaginationTest, SingleChartWithIndexPlacesButMakesNoContinuation) {
  const auto rins = BuildPedigree(6);
  auto run = Cascading(rins.at(1), 4, 10, PedigreeRunParameters::kSequential);
  run.runType = PedigreeRunParameters::kSingleChart;
  run.indexWanted = true;
  EXPECT_EQ(rpt::PaginatePedigreeChart(run, 10), 3);  // one chart, 15 rows over two index pages
  EXPECT_EQ(ChartNumbers(), (std::vector<std::int64_t>{1}));
  ExpectSlots(rins, {{15, 1, 15}, {16, 0, 0}, {63, 0, 0}});
  EXPECT_EQ(rpt::PedigreeIndexCount(), 15u);
  rpt::PedigreePageEntry* index = rpt::FindPedigreePageEntry(3);
  ASSERT_NE(index, nullptr);
  EXPECT_EQ(index->kind, rpt::PedigreePageEntry::kIndex);
  EXPECT_EQ(index->firstIndexEntry, 10u);
}

TEST_F(PedigreePaginationTest, IndexOnlyNumbersItsPagesFromOne) {
  const auto rins = BuildPedigree(5);
  auto run = Cascading(rins.at(1), 4, 5, PedigreeRunParameters::kSequential);
  run.indexWanted = true;
  run.indexOnly = true;
  EXPECT_EQ(rpt::PaginatePedigreeChart(run, 12), 3);  // 31 rows
  std::vector<std::uint32_t> starts;
  for (int page = 1; page <= 3; ++page) {
    rpt::PedigreePageEntry* entry = rpt::FindPedigreePageEntry(page);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->kind, rpt::PedigreePageEntry::kIndex);
    starts.push_back(entry->firstIndexEntry);
  }
  EXPECT_EQ(starts, (std::vector<std::uint32_t>{0, 12, 24}));
  // The ancestors are still placed on the charts they would have had.
  ExpectSlots(rins, {{8, 1, 8}, {16, 2, 2}});
}

TEST_F(PedigreePaginationTest, StartPersonWithoutParentsGivesOnePageWithoutTheWindow) {
  const std::int32_t alone = Person("Solo", "Single", 'M', 1900);
  EXPECT_EQ(rpt::PaginatePedigreeChart(Cascading(alone, 4, 8, 1), 40), 1);
  EXPECT_TRUE(window_.caption.empty());
  EXPECT_TRUE(window_.numbers.empty());
}

TEST_F(PedigreePaginationTest, AncestorReachedTwiceIsPlacedAtTheFirstPlaceOnly) {
  const Collapse f = BuildPedigreeCollapse();
  auto run = Cascading(f.kevin, 4, 6, PedigreeRunParameters::kSequential);
  run.indexWanted = true;
  ASSERT_GT(rpt::PaginatePedigreeChart(run, 40), 0);
  const std::map<int, std::int32_t> rins = {{1, f.kevin},   {2, f.frank},  {3, f.helen},
                                            {4, f.charles}, {8, f.arthur}, {9, f.beatrice},
                                            {7, f.diana},   {6, f.george}, {5, f.edith}};
  ExpectSlots(rins, {{1, 1, 1}, {2, 1, 2}, {4, 1, 4}, {8, 1, 8}, {9, 1, 9}, {7, 1, 7}});
  const std::vector<std::int32_t> indexed = IndexRins();
  EXPECT_EQ(std::count(indexed.begin(), indexed.end(), f.arthur), 1);
  EXPECT_EQ(indexed.size(), 9u);
}

TEST_F(PedigreePaginationTest, FixedChartNumbersPastThirtyTwoBitsAreKeptWhole) {
  // A line of fathers over 38 generations: with 5 per chart each chart's
  // position 16 opens chart 16 * (c - 2) + 18.
  std::vector<std::int32_t> line;
  for (int g = 0; g < 38; ++g) line.push_back(Person("G" + std::to_string(g), "Far", 'M'));
  for (int g = 0; g + 1 < 38; ++g) {
    const std::int32_t mrin = DbSetRelation(line[g + 1], 0, db::kRelHusband, 0);
    ASSERT_GT(mrin, 0);
    Child(mrin, line[g]);
  }
  ASSERT_GT(
      rpt::PaginatePedigreeChart(Cascading(line[0], 5, 38, PedigreeRunParameters::kFixed), 40), 0);
  EXPECT_EQ(ChartNumbers(), (std::vector<std::int64_t>{1, 2, 18, 274, 4370, 69906, 1118482,
                                                       17895698, 286331154, 4581298450}));
  std::int64_t chart = 0;
  std::int32_t position = 0;
  ASSERT_TRUE(rpt::GetPedigreeChartPlace(line[37], chart, position));
  EXPECT_EQ(chart, 4581298450);
  EXPECT_EQ(position, 2);
}

TEST(PedigreeIndexKey, CompactsBlankRuns) {
  struct Case {
    const char* surname;
    const char* given1;
    const char* given2;
    std::string key;
  } cases[] = {
      {"Smith", "John", "Robert", "SMITH JOHN RO"},
      {"Lee", "Ann", "B", "LEE ANN B"},
      {"", "", "", ""},
      {"", "Ann", "", " ANN"},
      {"Van  Dyke", "jan", "", "VAN DYKE JAN"},
      {"Abcdefghijklmnopqrstuvwxyzabcdefgh", "Jo", "Al", "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDJO AL"},
      // Every byte used: nothing to compact, the last byte kept.
      {"Abcdefghijklmnopqrstuvwxyzabcd", "Abcdefghijklmnopqrstuvwx", "Yz",
       "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDABCDEFGHIJKLMNOPQRSTUVWXYZ"},
  };
  for (const Case& c : cases) {
    const auto key = rpt::MakePedigreeIndexKey(c.surname, c.given1, c.given2);
    std::string padded = c.key;
    padded.resize(rpt::kPedigreeKeySize, ' ');
    EXPECT_EQ(std::string(key.begin(), key.end()), padded) << c.surname << "/" << c.given1;
  }
}

TEST_F(PedigreePaginationTest, IndexSortsByNameThenSecondGivenName) {
  // The start person's parents and grandparents carry chosen names.
  auto make = [](const char* given1, const char* given2, const char* surname, char sex) {
    CIndividualRecord person;
    person.surname = surname;
    person.givenNames[0] = given1;
    person.givenNames[1] = given2;
    person.sex = sex;
    return static_cast<std::int32_t>(family::Add(person, 0));
  };
  const std::int32_t start = make("Zed", "", "Young", 'M');
  const std::int32_t father = make("Mary", "Beth", "Smith", 'M');
  const std::int32_t mother = make("Mary", "Ann", "Smith", 'F');
  const std::int32_t grandfather = make("Adam", "", "Brown", 'M');
  const std::int32_t grandmother = make("Mary", "Cora", "Smith", 'F');
  Child(Marry(father, mother), start);
  Child(Marry(grandfather, grandmother), father);
  auto run = Cascading(start, 4, 4, PedigreeRunParameters::kSequential);
  run.indexWanted = true;
  ASSERT_EQ(rpt::PaginatePedigreeChart(run, 40), 2);
  EXPECT_FALSE(rpt::PedigreeIndexSorted());
  ASSERT_NE(rpt::FindPedigreePageEntry(2), nullptr);
  EXPECT_TRUE(rpt::PedigreeIndexSorted());
  EXPECT_EQ(IndexRins(),
            (std::vector<std::int32_t>{grandfather, mother, father, grandmother, start}));
  rpt::PedigreeIndexEntry entry;
  ASSERT_TRUE(rpt::GetPedigreeIndexEntry(3, entry));
  EXPECT_EQ(entry.chart, 1);
  EXPECT_EQ(entry.position, 5);
  EXPECT_FALSE(rpt::GetPedigreeIndexEntry(5, entry));
}

TEST_F(PedigreePaginationTest, CancelFreesThePagesAndDeletesTheWorkFiles) {
  const auto rins = BuildPedigree(7);
  auto run = Cascading(rins.at(1), 4, 7, PedigreeRunParameters::kSequential);
  run.indexWanted = true;
  window_.cancelOnPump = 2;  // during the continuation charts
  EXPECT_EQ(rpt::PaginatePedigreeChart(run, 40), 0);
  EXPECT_EQ(rpt::FindPedigreePageEntry(1), nullptr);
  const rpt::PaginatorState& state = rpt::Paginator();
  EXPECT_FALSE(state.workFile.IsOpen());
  EXPECT_FALSE(state.indexFile.IsOpen());
  std::int64_t chart = 0;
  std::int32_t position = 0;
  EXPECT_FALSE(rpt::GetPedigreeChartPlace(rins.at(1), chart, position));

  // A full run keeps its work files until the clean-up removes them.
  window_.cancelOnPump = -1;
  window_.pumps = 0;
  ASSERT_GT(rpt::PaginatePedigreeChart(run, 40), 0);
  const std::string placement = state.workFile.Path(), index = state.indexFile.Path();
  EXPECT_TRUE(std::filesystem::exists(placement));
  EXPECT_TRUE(std::filesystem::exists(index));
  rpt::CleanupPedigreePages();
  EXPECT_FALSE(std::filesystem::exists(placement));
  EXPECT_FALSE(std::filesystem::exists(index));
}

int FailingSortOpen(std::size_t, bool, int (*)(const void*, const void*)) { return -1; }

TEST_F(PedigreePaginationTest, FailedSortLeavesTheIndexReadableUnsorted) {
  const auto rins = BuildPedigree(3);
  auto run = Cascading(rins.at(1), 4, 4, PedigreeRunParameters::kSequential);
  run.indexWanted = true;
  ASSERT_EQ(rpt::PaginatePedigreeChart(run, 40), 2);
  rpt::SetPedigreeSortOpen(&FailingSortOpen);
  boxes.Clear();
  ASSERT_NE(rpt::FindPedigreePageEntry(2), nullptr);
  ASSERT_NE(rpt::FindPedigreePageEntry(2), nullptr);  // not tried again
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].caption, "Pedigree Index Sort");
  EXPECT_FALSE(rpt::PedigreeIndexSorted());
  // Rows in placement order, with their true places.
  const std::vector<std::int32_t> expected = {rins.at(1), rins.at(2), rins.at(4), rins.at(5),
                                              rins.at(3), rins.at(6), rins.at(7)};
  EXPECT_EQ(IndexRins(), expected);
  rpt::PedigreeIndexEntry entry;
  ASSERT_TRUE(rpt::GetPedigreeIndexEntry(4, entry));
  EXPECT_EQ(entry.chart, 1);
  EXPECT_EQ(entry.position, 3);
}

}  // namespace
