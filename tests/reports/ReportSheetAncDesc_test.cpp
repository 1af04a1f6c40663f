// The Ancestry and Descendants pages' choices: defaults from an empty
// store, the save step's keys in order with the margins of the current
// chart type only, the RIN rule, the spin limits, the request, and the
// wall-chart box style and item keys.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AncDescPageOptions.h"
#include "ChartPageOptions.h"
#include "FakePorts.h"

namespace {

using namespace rpt;

// Remembers every write as "Section/Key=value", in order.
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

class AncDescTest : public ::testing::Test {
 protected:
  RecordingProfile profile;
  plat::ScopedProfile scope{&profile};
};

std::vector<std::string> StandardSave(const std::string& s, const std::string& printGens) {
  return {s + "/Gens=999",        s + "/Indent=3",
          s + "/Title=1",         s + "/PrintGens=" + printGens,
          s + "/StdBirthPl=0",    s + "/StdDeathPl=0",
          s + "/SuppressRIN=0",   s + "/Type=0",
          s + "/GensPg=3",        s + "/PhotoOpt=0",
          s + "/Box=0",           s + "/ParInd=0",
          s + "/RelInd=0",        s + "/DateType=1",
          "AncRpt/StdPageLM=500", "AncRpt/StdPageRM=300",
          "AncRpt/StdPageTM=300", "AncRpt/StdPageBM=300",
          s + "/PhotoX=1000",     s + "/PhotoY=1000",
          s + "/PhotoPlace=3",    s + "/PhotoRsrv=1"};
}

TEST_F(AncDescTest, EmptyStoreSavesTheDefaultsInOrder) {
  struct Case {
    bool ancestry;
    const char* section;
    const char* printGens;  // the one default that differs
  } cases[] = {{true, "AncRpt", "0"}, {false, "DescRpt", "1"}};
  for (const Case& c : cases) {
    profile.writes.clear();
    CAncDescOptions page(c.ancestry, 1);
    page.WriteSettings();
    EXPECT_EQ(profile.writes, StandardSave(c.section, c.printGens)) << c.section;
  }
}

TEST_F(AncDescTest, OnlyTheCurrentChartTypesMarginsAreWritten) {
  profile.SetInt("AncRpt", "StdPageLM", 111);
  profile.SetInt("DescRpt", "WCPageLM", 222);
  for (bool ancestry : {true, false}) {
    // A standard chart never touches the wall-chart margins.
    CAncDescOptions standard(ancestry, 1);
    EXPECT_EQ(standard.Margins().left, 111);
    standard.SetMargins({700, 710, 720, 730});
    profile.writes.clear();
    standard.WriteSettings();
    for (const std::string& w : profile.writes) EXPECT_EQ(w.find("WCPage"), std::string::npos) << w;
    EXPECT_EQ(profile.GetInt("AncRpt", "StdPageRM", 0), 720);
    EXPECT_EQ(profile.GetInt("DescRpt", "WCPageLM", 0), 222);

    // Page Setup with the wall chart chosen goes to DescRpt, shared by both
    // wall charts, and leaves the standard margins alone.
    CAncDescOptions wall(ancestry, 1);
    wall.type = CAncDescOptions::kWall;
    EXPECT_TRUE(wall.WallChart());
    EXPECT_EQ(wall.Margins().left, 222);
    wall.SetMargins({300 + ancestry, 310, 320, 330});
    EXPECT_EQ(wall.standardMargins.left, 700);
    profile.writes.clear();
    wall.WriteSettings();
    for (const std::string& w : profile.writes)
      EXPECT_EQ(w.find("StdPage"), std::string::npos) << w;
    CAncDescOptions other(!ancestry, 1);
    other.type = CAncDescOptions::kWall;
    EXPECT_EQ(other.Margins(), (PageMargins{300 + ancestry, 310, 320, 330}));
    profile.SetInt("AncRpt", "StdPageLM", 111);
    profile.SetInt("DescRpt", "WCPageLM", 222);
  }
}

TEST_F(AncDescTest, IdentifierDisplayOffForcesSuppressedRins) {
  struct Case {
    int display;
    int stored;
    int loaded;
    bool enabled;
  } cases[] = {{0, 0, 1, false}, {0, 1, 1, false}, {1, 0, 0, true}, {2, 1, 1, true}};
  for (const Case& c : cases) {
    for (const char* section : {"AncRpt", "DescRpt"}) {
      profile.SetInt(section, "SuppressRIN", c.stored);
      CAncDescOptions page(std::string(section) == "AncRpt", c.display);
      EXPECT_EQ(page.suppressRin, c.loaded) << section << " display " << c.display;
      EXPECT_EQ(page.SuppressRinEnabled(), c.enabled);
      page.WriteSettings();
      EXPECT_EQ(profile.GetInt(section, "SuppressRIN", -1), c.loaded);
    }
  }
}

TEST_F(AncDescTest, GenerationsPerPageSpinStopsAtOneAndNinetyNine) {
  struct Case {
    int from, delta, to;
  } cases[] = {{3, 1, 4}, {3, -1, 2}, {99, 1, 99}, {1, -1, 1}, {98, 1, 99}, {2, -1, 1}};
  CAncDescOptions page(true, 1);
  for (const Case& c : cases) {
    page.gensPerPage = c.from;
    page.StepGensPerPage(c.delta);
    EXPECT_EQ(page.gensPerPage, c.to) << c.from << " by " << c.delta;
  }
}

TEST_F(AncDescTest, SavedSettingsReachTheChartRun) {
  for (bool ancestry : {true, false}) {
    CAncDescOptions page(ancestry, 1);
    page.type = CAncDescOptions::kWall;
    page.gens = 12;
    page.gensPerPage = 5;
    page.indent = 7;
    page.dateType = 2;
    page.stdBirthPl = 1;
    page.relInd = 1;
    page.wallMargins = {400, 410, 420, 430};
    page.WriteSettings();
    const ChartPageOptions run = ReadChartPageOptions(ancestry);
    EXPECT_TRUE(run.wallChart);
    EXPECT_EQ(run.gensPerPage, 5);
    EXPECT_EQ(run.indent, 7);
    EXPECT_EQ(run.dateType, 2);
    EXPECT_TRUE(run.birthPlace);
    EXPECT_TRUE(run.relInd);
    EXPECT_EQ(run.wallMargins, (Rect{400, 410, 420, 430}));

    page.startingRin = [] { return 42; };
    ReportRequest request;
    ASSERT_TRUE(page.FillRequest(request));
    EXPECT_EQ(request.startRin, 42);
    EXPECT_EQ(request.count, 12);
    EXPECT_EQ(request.options[CAncDescOptions::kRequestTitleSlot], 1);
    EXPECT_EQ(page.PageKind(), ancestry ? kPageAncestry : kPageDescendants);
  }
}

TEST_F(AncDescTest, BoxStyleWritesItsKeysAndColours) {
  EXPECT_EQ(ReadWallBoxStyle("AncRpt"), WallBoxStyle{});
  WriteWallBoxStyle("DescRpt", {2, 1, 1, 0, 0xABCDEF, 0x10});
  EXPECT_EQ(profile.writes, (std::vector<std::string>{"DescRpt/BoxCorner=2", "DescRpt/BoxLine=1",
                                                      "DescRpt/BoxShade=1", "DescRpt/BoxShadow=0",
                                                      "Reports/WallShadeClr=0XABCDEF",
                                                      "Reports/WallShadowClr=0X10"}));
  EXPECT_EQ(ReadWallBoxStyle("DescRpt"), (WallBoxStyle{2, 1, 1, 0, 0xABCDEF, 0x10}));
  // The colours are shared; the section keys are not.
  EXPECT_EQ(ReadWallBoxStyle("AncRpt"), (WallBoxStyle{0, 0, 0, 0, 0xABCDEF, 0x10}));
}

TEST_F(AncDescTest, BoxItemsKeepTheirKeysPerChart) {
  const WallBoxItems anc = ReadWallBoxItems(true);
  const WallBoxItems desc = ReadWallBoxItems(false);
  EXPECT_EQ(anc.nameMarriage, 0);
  EXPECT_EQ(desc.nameMarriage, 1);
  EXPECT_EQ(anc.nameBirth, 1);
  EXPECT_EQ(anc.nameDeath, 1);
  WallBoxItems changed = anc;
  changed.nameBirth = 0;
  changed.christening = 1;
  changed.dateAndPlace = 1;
  WriteWallBoxItems(true, changed);
  EXPECT_EQ(profile.GetInt("AncRpt", "WCNameB", -1), 0);
  EXPECT_EQ(profile.GetInt("AncRpt", "WCChr", -1), 1);
  EXPECT_EQ(profile.GetInt("AncRpt", "WCDNP", -1), 1);
  EXPECT_EQ(ReadWallBoxItems(true), changed);
  EXPECT_EQ(ReadWallBoxItems(false), desc);
  // The chart run reads what the dialog keys say.
  const ChartPageOptions run = ReadChartPageOptions(true);
  EXPECT_FALSE(run.nameBirth);
}

}  // namespace
