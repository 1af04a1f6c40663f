// The Ancestry and Descendants pages' choices: defaults from an empty
// store, the save step's keys in order with the margins of the current
// chart type only, the RIN rule, the spin limits, the request, and the
// wall-chart box style and item keys.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "AncDescPageOptions.h"
#include "ChartPageOptions.h"
#include "DbCalls.h"
#include "EventTypeRecord.h"
#include "FakePorts.h"
#include "IndividualRecord.h"
#include "OpenFamilyFixture.h"
#include "RecordAccess.h"
#include "SheetFamilyReads.h"
#include "TextMeasure.h"

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

// Every item key of the dialog, in the order it is written.
std::vector<std::string> ItemSave(const std::string& s, const std::string& nameM,
                                  const std::string& lpt) {
  return {s + "/WCNameB=1", s + "/WCNameM=" + nameM, s + "/WCNameD=1", s + "/WCBirth=0",
          s + "/WCChr=0",   s + "/WCBorC=0",         s + "/WCDeath=0", s + "/WCBurial=0",
          s + "/WCDorBu=0", s + "/WCMar=0",          s + "/WCEvent1=", s + "/WCEvent2=",
          s + "/WCDate=0",  s + "/WCPlace=0",        s + "/WCDNP=0",   s + "/WCDescr=0",
          s + "/WCNote1=",  s + "/WCNote2=",         s + "/WCTagNm=1", s + "/WCLpt=" + lpt,
          s + "/WCDthCs=0", s + "/WCID=0",           s + "/WCSBN=0",   s + "/WCZEL=0"};
}

TEST_F(AncDescTest, BoxItemsFromAnEmptyStoreWriteEveryKeyInOrder) {
  struct Case {
    bool ancestry;
    const char* section;
    const char* nameMarriage;
    const char* linesPerNote;
  } cases[] = {{true, "AncRpt", "0", "0"}, {false, "DescRpt", "1", "1"}};
  for (const Case& c : cases) {
    profile.writes.clear();
    WriteWallBoxItems(c.ancestry, ReadWallBoxItems(c.ancestry));
    EXPECT_EQ(profile.writes, ItemSave(c.section, c.nameMarriage, c.linesPerNote)) << c.section;
  }
}

TEST_F(AncDescTest, EachBoxItemKeyLoadsAndSavesItsOwnMember) {
  // One stored key at a time: only its member changes, and saving writes
  // the same value back under the same key.
  struct Case {
    const char* key;
    const char* stored;  // a number for int keys
    std::function<void(WallBoxItems&)> expect;
  } cases[] = {
      {"WCMar", "1", [](WallBoxItems& w) { w.marriage = 1; }},
      {"WCEvent1", "Graduation", [](WallBoxItems& w) { w.event1 = "Graduation"; }},
      {"WCEvent2", "Military", [](WallBoxItems& w) { w.event2 = "Military"; }},
      {"WCDescr", "1", [](WallBoxItems& w) { w.descriptionLine = 1; }},
      {"WCNote1", "BIOGRAPHY:", [](WallBoxItems& w) { w.note1 = "BIOGRAPHY:"; }},
      {"WCNote2", "RESEARCH:", [](WallBoxItems& w) { w.note2 = "RESEARCH:"; }},
      {"WCTagNm", "0", [](WallBoxItems& w) { w.tagName = 0; }},
      {"WCLpt", "2", [](WallBoxItems& w) { w.linesPerNote = 2; }},
      {"WCDthCs", "1", [](WallBoxItems& w) { w.causeOfDeath = 1; }},
      {"WCID", "1", [](WallBoxItems& w) { w.id = 1; }},
      {"WCSBN", "1", [](WallBoxItems& w) { w.sbn = 1; }},
      {"WCZEL", "1", [](WallBoxItems& w) { w.zel = 1; }},
      {"WCDNP", "1", [](WallBoxItems& w) { w.dateAndPlace = 1; }},
  };
  const WallBoxItems defaults[] = {ReadWallBoxItems(true), ReadWallBoxItems(false)};
  for (bool ancestry : {true, false}) {
    const char* section = ancestry ? "AncRpt" : "DescRpt";
    for (const Case& c : cases) {
      plat::FakeProfile fresh;
      plat::ScopedProfile scoped(&fresh);
      const bool isText =
          std::string(c.key).rfind("WCEvent", 0) == 0 || std::string(c.key).rfind("WCNote", 0) == 0;
      if (isText)
        fresh.SetString(section, c.key, c.stored);
      else
        fresh.SetInt(section, c.key, std::stoi(c.stored));
      WallBoxItems expected = defaults[ancestry ? 0 : 1];
      // The other chart's section is untouched.
      EXPECT_EQ(ReadWallBoxItems(!ancestry), defaults[ancestry ? 1 : 0]) << c.key;
      c.expect(expected);
      const WallBoxItems read = ReadWallBoxItems(ancestry);
      EXPECT_EQ(read, expected) << section << " " << c.key;
      plat::FakeProfile written;
      {
        plat::ScopedProfile out(&written);
        WriteWallBoxItems(ancestry, read);
      }
      if (isText)
        EXPECT_EQ(written.GetString(section, c.key, "?"), c.stored) << c.key;
      else
        EXPECT_EQ(written.GetInt(section, c.key, -1), std::stoi(c.stored)) << c.key;
    }
  }
}

TEST_F(AncDescTest, NoteTagChoicesLeaveOutAllAndPreferTheUsersTags) {
  // Without tags of the user's own the standard ones are offered.
  std::vector<std::string> standard = WallItemNoteTagChoices();
  ASSERT_GT(standard.size(), 2u);
  EXPECT_EQ(standard.front(), "");
  for (const std::string& tag : standard) EXPECT_NE(tag, "All");
  EXPECT_EQ(standard[1], "BIOGRAPHY:");

  profile.SetString("Note Tags", "Tag1", "FAMILY:");
  profile.SetString("Note Tags", "Tag2", "all");
  profile.SetString("Note Tags", "Tag3", "WAR:");
  profile.SetString("Note Tags", "Tag5", "AFTER A GAP:");
  EXPECT_EQ(WallItemNoteTagChoices(), (std::vector<std::string>{"", "FAMILY:", "WAR:"}));
}

class WallItemEventsTest : public OpenFamilyFixture {};

TEST_F(WallItemEventsTest, OnlyIndividualEventTypesAreOffered) {
  const std::vector<std::string> before = WallItemEventChoices();
  ASSERT_FALSE(before.empty());
  EXPECT_EQ(before.front(), "");
  CEventTypeRecord own;
  own.title = "Graduation";
  own.ownerKind = db::kOwnerIndividual;
  ASSERT_GT(DbAddRecord(db::kEventType, 0, &own), 0);
  CEventTypeRecord couple;
  couple.title = "Engagement";
  couple.ownerKind = db::kOwnerMarriage;
  ASSERT_GT(DbAddRecord(db::kEventType, 0, &couple), 0);
  const std::vector<std::string> after = WallItemEventChoices();
  EXPECT_EQ(after.size(), before.size() + 1);
  EXPECT_NE(std::find(after.begin(), after.end(), "Graduation"), after.end());
  EXPECT_EQ(std::find(after.begin(), after.end(), "Engagement"), after.end());
}

class TitleNameTest : public OpenFamilyFixture {};

TEST_F(TitleNameTest, IdentifierOnlyWhileShownAndNotSuppressed) {
  CIndividualRecord person;
  person.surname = "Hart";
  person.givenNames[0] = "Adam";
  const std::int32_t rin = static_cast<std::int32_t>(family::Add(person, 0));
  ASSERT_GT(rin, 0);
  const std::string plain = "Adam Hart";
  const std::string withRin = plain + "-" + std::to_string(rin);
  struct Case {
    int display;
    bool suppressed;
    std::string name;
  } cases[] = {{1, false, withRin}, {1, true, plain}, {0, false, plain}, {0, true, plain}};
  for (const Case& c : cases)
    EXPECT_EQ(TitlePersonName(rin, c.display, c.suppressed), c.name)
        << c.display << " " << c.suppressed;
  EXPECT_EQ(TitlePersonName(rin + 1, 1, false), "");
  // Fitted to 480 pixels: at 60 pixels a character the given name gives way
  // to its initial, while the RIN stays whole.
  CIndividualRecord longer;
  longer.surname = "Hart";
  longer.givenNames[0] = "Bartholomew";
  const std::int32_t second = static_cast<std::int32_t>(family::Add(longer, 0));
  ASSERT_GT(second, 0);
  const std::string tail = "-" + std::to_string(second);
  const plat::FixedWidthTextMeasure wide(60);
  EXPECT_EQ(TitlePersonName(second, 1, false, &wide), "B Hart" + tail);
  EXPECT_EQ(TitlePersonName(second, 1, false), "Bartholomew Hart" + tail);
}

}  // namespace
