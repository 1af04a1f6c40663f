// The Lists page's choices: the kept list index and its fallback, the
// enabling per list, the save step's keys, the shared ranges, what a run
// puts into the request, and the option dialogs' OK checks and keys.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePorts.h"
#include "ListsPageOptions.h"
#include "ReportChoiceState.h"

namespace {

using namespace rpt;

class RecordingProfile : public plat::FakeProfile {
 public:
  std::vector<std::string> writes;
  bool SetInt(const std::string& section, const std::string& key, int v) override {
    writes.push_back(section + "/" + key + "=" + std::to_string(v));
    return plat::FakeProfile::SetInt(section, key, v);
  }
  bool SetString(const std::string& section, const std::string& key,
                 const std::string& v) override {
    writes.push_back(section + "/" + key + "=" + v);
    return plat::FakeProfile::SetString(section, key, v);
  }
};

class ListsPageTest : public ::testing::Test {
 protected:
  void SetUp() override { ChosenListIndex() = 0; }
  void TearDown() override { ChosenListIndex() = 0; }
  RecordingProfile profile;
  plat::ScopedProfile scope{&profile};
  LiveNumbers live{3, 40, 2, 12};
};

TEST_F(ListsPageTest, StoredIndexAboveElevenFallsBackWithoutZel) {
  const struct {
    int stored;
    bool showZel;
    int expected;
  } cases[] = {{13, false, 0}, {13, true, 13}, {11, false, 11}, {14, true, 14}, {15, true, 0}};
  for (const auto& c : cases) {
    ChosenListIndex() = c.stored;
    CListsPageOptions page(c.showZel, nullptr, live, false);
    EXPECT_EQ(page.listIndex, c.expected) << c.stored << " zel " << c.showZel;
    EXPECT_EQ(page.ReportKind(), 100 + c.expected);
  }
}

TEST_F(ListsPageTest, EnablingFollowsTheChosenList) {
  CListsPageOptions page(true, nullptr, live, false);
  using E = CListsPageOptions::Enabled;
  // options, starting person, preview, OK reads "OK"
  const E expected[15] = {
      {false, false, true, false}, {true, false, true, false},  {true, false, true, false},
      {true, false, true, false},  {true, false, true, false},  {true, false, true, false},
      {true, true, true, false},   {true, true, false, true},   {false, false, true, false},
      {false, false, true, false}, {false, false, true, false}, {false, false, true, false},
      {true, false, true, false},  {true, false, true, false},  {false, true, true, false}};
  for (int i = 0; i < 15; ++i) {
    page.SelectList(i);
    EXPECT_EQ(page.EnabledStates(), expected[i]) << "list " << i;
    EXPECT_EQ(ChosenListIndex(), i);
  }
  // Leaving the reunion list gives Preview back.
  page.SelectList(7);
  page.SelectList(2);
  EXPECT_TRUE(page.EnabledStates().preview);
  EXPECT_FALSE(page.EnabledStates().okReadsOk);
}

TEST_F(ListsPageTest, ProblemSettingsAreWrittenOnlyForThatList) {
  CListsPageOptions page(false, nullptr, live, false);
  page.SelectList(3);
  page.WriteSettings();
  EXPECT_EQ(profile.writes, (std::vector<std::string>{"LstRpt/PageLM=400", "LstRpt/PageRM=400",
                                                      "LstRpt/PageTM=500", "LstRpt/PageBM=500"}));
  profile.writes.clear();
  page.SelectList(5);
  page.problems.hwSpan = 20;
  page.WriteSettings();
  EXPECT_EQ(profile.writes, (std::vector<std::string>{
                                "LstRpt/PageLM=400", "LstRpt/PageRM=400", "LstRpt/PageTM=500",
                                "LstRpt/PageBM=500", "PrRpt/MoLowest=16", "PrRpt/MoHighest=45",
                                "PrRpt/FaLowest=16", "PrRpt/FaHighest=45", "PrRpt/HWSpan=20",
                                "PrRpt/CheckZEL=1", "PrRpt/CheckMCOrder=1", "PrRpt/Sort=0"}));
}

TEST_F(ListsPageTest, StoredSettingsAreRead) {
  profile.SetInt("PrRpt", "MoHighest", 50);
  profile.SetInt("PrRpt", "Sort", 1);
  profile.SetInt("LstRpt", "PageTM", 750);
  CListsPageOptions page(false, nullptr, live, false);
  EXPECT_EQ(page.problems.moHighest, 50);
  EXPECT_EQ(page.problems.sort, 1);
  EXPECT_EQ(page.margins.top, 750);
  EXPECT_EQ(page.margins.left, 400);
}

TEST_F(ListsPageTest, RangesComeFromAndGoBackToTheKeptChoices) {
  CReportChoiceState kept;
  kept.rangeNumbers = {-1, 7, 4, -1, -1, -1};
  kept.rangeTexts = {"B", "M", "", "Z", "", "Z"};
  CListsPageOptions page(false, &kept, live, false);
  // -1: first live for a start, last live for an end.
  EXPECT_EQ(page.RinStart(), 3);
  EXPECT_EQ(page.RinEnd(), 7);
  EXPECT_EQ(page.MrinStart(), 4);
  EXPECT_EQ(page.MrinEnd(), 12);
  // The alphabetical and the problems list share one name pair.
  page.NameStart() = "Carr";
  page.RinEnd() = 30;
  page.WriteSettings();
  EXPECT_EQ(kept.rangeTexts[0], "Carr");
  EXPECT_EQ(kept.rangeNumbers[1], 30);
  EXPECT_EQ(kept.rangeNumbers[0], 3);

  ReportRequest alpha;
  page.SelectList(3);
  ASSERT_TRUE(page.FillRequest(alpha));
  EXPECT_EQ(alpha.nameStart, "Carr");
  ReportRequest problems;
  page.SelectList(5);
  ASSERT_TRUE(page.FillRequest(problems));
  EXPECT_EQ(problems.startRin, 3);
  EXPECT_EQ(problems.endRin, 30);
}

TEST_F(ListsPageTest, ZelRangesDependOnAPendingReport) {
  profile.SetString("ZELRpt", "StartNm", "Ad");
  profile.SetInt("ZELRpt", "StartYr", 1800);
  profile.SetInt("ZELRpt", "EndId", 9);
  CListsPageOptions fresh(true, nullptr, live, false);
  EXPECT_EQ(fresh.zelNameStart, "");
  EXPECT_EQ(fresh.zelNameEnd, "Z");
  EXPECT_EQ(fresh.zelStartYear, 0);
  EXPECT_EQ(fresh.sealEndYear, 2047);
  EXPECT_EQ(fresh.sealMrinStart, 2);
  EXPECT_EQ(fresh.sealMrinEnd, 12);
  CListsPageOptions pending(true, nullptr, live, true);
  EXPECT_EQ(pending.zelNameStart, "Ad");
  EXPECT_EQ(pending.zelStartYear, 1800);
  EXPECT_EQ(pending.sealMrinEnd, 9);

  ReportRequest request;
  pending.SelectList(12);
  ASSERT_TRUE(pending.FillRequest(request));
  EXPECT_EQ(request.mode, 1800);
  EXPECT_EQ(request.count, 2047);
  EXPECT_EQ(request.nameStart, "Ad");
}

TEST_F(ListsPageTest, ReunionListWritesItsFileInsteadOfAReport) {
  CListsPageOptions page(false, nullptr, live, false);
  int written = 0;
  page.writeReunionList = [&written] { ++written; };
  CurrentReportRunState().printState = 1;
  page.SelectList(6);
  ReportRequest request;
  EXPECT_TRUE(page.FillRequest(request));
  EXPECT_EQ(written, 0);
  page.SelectList(7);
  EXPECT_FALSE(page.FillRequest(request));
  EXPECT_EQ(written, 1);
  // Nothing is left pending, so the sheet does not open again.
  EXPECT_EQ(CurrentReportRunState().printState, 0);
}

TEST_F(ListsPageTest, CitationsListRunsForTheChosenSourceOnly) {
  CListsPageOptions page(false, nullptr, live, false);
  page.startingRin = 5;
  int asked = 0;
  std::int32_t answer = 0;
  page.chooseSource = [&] {
    ++asked;
    return answer;
  };
  // Another list does not ask.
  page.SelectList(10);
  ReportRequest request;
  EXPECT_TRUE(page.FillRequest(request));
  EXPECT_EQ(asked, 0);

  const struct {
    std::int32_t chosen;
    bool starts;
    std::int32_t sourceRin;
  } cases[] = {{17, true, 17}, {0, false, -1}};
  page.SelectList(11);
  for (const auto& c : cases) {
    answer = c.chosen;
    ReportRequest r;
    r.sourceRin = r.startRin = -1;
    EXPECT_EQ(page.FillRequest(r), c.starts) << c.chosen;
    EXPECT_EQ(r.sourceRin, c.sourceRin) << c.chosen;
    // The source is not the starting person.
    EXPECT_EQ(r.startRin, -1) << c.chosen;
  }
  EXPECT_EQ(asked, 2);
  // Without a way to choose, nothing starts.
  page.chooseSource = nullptr;
  EXPECT_FALSE(page.FillRequest(request));
}

TEST(ListOptionChecks, OrderAndRangeChecks) {
  EXPECT_EQ(CheckRinOrder(5, 5), 0u);
  EXPECT_EQ(CheckRinOrder(5, 4), 3241u);
  EXPECT_EQ(CheckRinOrder(5, 6), 0u);
  const struct {
    const char *start, *end;
    unsigned expected;
  } names[] = {{"smith", "SMITH", 0},    {"Smith", "smith", 0}, {"Jones", "Smith", 0},
               {"smith", "jones", 3242}, {"", "Z", 0},          {"Zz", "Z", 3242}};
  for (const auto& n : names) {
    EXPECT_EQ(CheckNameOrder(n.start, n.end), n.expected) << n.start << " " << n.end;
    EXPECT_EQ(CheckMarriageNameOrder(n.start, n.end), n.expected) << n.start << " " << n.end;
  }
  const struct {
    int start, end;
    unsigned expected;
  } rins[] = {{3, 3, 0}, {3, 40, 0}, {40, 40, 0}, {10, 9, 3241}, {1, 20, 3243}, {5, 41, 3243}};
  for (const auto& r : rins)
    EXPECT_EQ(CheckProblemsRins(r.start, r.end, 3, 40), r.expected) << r.start << "-" << r.end;
  EXPECT_EQ(CheckMessage(3243, 3, 40), "Please type a number between 3 and 40.");
  EXPECT_EQ(CheckMessage(3241), "The ending RIN must be larger than starting RIN.");
}

TEST_F(ListsPageTest, ZelDialogsWriteExactlyTheirKeys) {
  ZelListOptions o;
  o.startYear = 1700;
  o.startName = "A";
  o.endName = "K";
  o.startMrin = 2;
  o.endMrin = 8;
  WriteZelOrdinances(o);
  EXPECT_EQ(profile.writes,
            (std::vector<std::string>{"ZELRpt/Deceased=1", "ZELRpt/EOL=1", "ZELRpt/Sub=1",
                                      "ZELRpt/Complete=0", "ZELRpt/Temple=2", "ZELRpt/StartYr=1700",
                                      "ZELRpt/EndYr=2047", "ZELRpt/StartNm=A", "ZELRpt/EndNm=K"}));
  profile.writes.clear();
  WriteZelSealings(o);
  EXPECT_EQ(profile.writes,
            (std::vector<std::string>{"ZELRpt/Deceased=1", "ZELRpt/Sub=1", "ZELRpt/Complete=0",
                                      "ZELRpt/Temple=2", "ZELRpt/StartYr=1700", "ZELRpt/EndYr=2047",
                                      "ZELRpt/StartId=2", "ZELRpt/EndId=8"}));
  const ZelListOptions back = ReadZelListOptions();
  EXPECT_EQ(back.startName, "A");
  EXPECT_EQ(back.endMrin, 8);
}

TEST_F(ListsPageTest, EndOfLineAndMarriageSortDefaults) {
  EXPECT_EQ(ReadEndOfLineType(), 1);
  EXPECT_EQ(ReadMarriageSort(), 1);
  WriteEndOfLineType(0);
  WriteMarriageSort(2);
  EXPECT_EQ(ReadEndOfLineType(), 0);
  EXPECT_EQ(ReadMarriageSort(), 2);
}

}  // namespace
