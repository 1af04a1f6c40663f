// The Individual Summary, Scrapbook and Calendar pages' choices: defaults
// from an empty store, the save step's keys in order, the enabling rules,
// the "Use list" texts and what a run puts into the request.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakePorts.h"
#include "PersonPageOptions.h"

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

class PersonPagesTest : public ::testing::Test {
 protected:
  RecordingProfile profile;
  plat::ScopedProfile scope{&profile};
};

std::vector<std::string> Prefixed(const std::string& section, std::vector<std::string> keys) {
  for (std::string& key : keys) key = section + "/" + key;
  return keys;
}

TEST_F(PersonPagesTest, EmptyStoreWritesTheDefaultsInSaveOrder) {
  CIndividualSummaryOptions(1).WriteSettings();
  EXPECT_EQ(profile.writes,
            Prefixed("IndRpt",
                     {"Notes=1",    "SuppressRIN=0", "Source=1",    "MarkedOnly=0", "TitleOnly=0",
                      "ActText=1",  "Comments=1",    "ParInd=0",    "RelInd=0",     "Confident=0",
                      "Contact=0",  "PhotoOpt=0",    "PageLM=600",  "PageRM=300",   "PageTM=300",
                      "PageBM=300", "PhotoX=2000",   "PhotoY=2000", "PhotoPlace=2", "PhotoRsrv=1",
                      "ListOpt=0"}));
  profile.writes.clear();
  CScrapbookOptions(1).WriteSettings();
  EXPECT_EQ(
      profile.writes,
      Prefixed("ScrapRpt", {"SuppressRIN=1", "Caption=1", "CapPos=1", "FN=0", "Descr=1", "Box=1",
                            "Across=2", "Down=3", "PhotoUse=1", "PhotoX=1000", "PhotoY=1000",
                            "PageLM=700", "PageRM=300", "PageTM=300", "PageBM=300", "ListOpt=0"}));
  profile.writes.clear();
  CCalendarOptions(2026, 11).WriteSettings();
  EXPECT_EQ(
      profile.writes,
      Prefixed("CalendarRpt", {"PageLM=300", "PageRM=300", "PageTM=300", "PageBM=300", "Year=2026",
                               "Living=1", "Birthday=1", "Anniversary=1", "Age=1", "AgeUnder=999",
                               "WomenName=1", "DivorceStat=0", "StartDayOfWeek=0", "Month=11"}));
}

TEST_F(PersonPagesTest, StoredValuesComeBackUnchanged) {
  const struct {
    const char* section;
    const char* key;
    int value;
  } stored[] = {{"IndRpt", "Notes", 0},
                {"IndRpt", "Contact", 1},
                {"IndRpt", "PageLM", 1234},
                {"IndRpt", "PhotoPlace", 4},
                {"IndRpt", "ListOpt", 1},
                {"ScrapRpt", "Across", 7},
                {"ScrapRpt", "Down", 9},
                {"ScrapRpt", "PageBM", 450},
                {"ScrapRpt", "PhotoUse", 0},
                {"CalendarRpt", "AgeUnder", 21},
                {"CalendarRpt", "Year", 1901},
                {"CalendarRpt", "Month", 4},
                {"CalendarRpt", "StartDayOfWeek", 1}};
  for (const auto& s : stored) profile.SetInt(s.section, s.key, s.value);
  profile.writes.clear();
  CIndividualSummaryOptions(1).WriteSettings();
  CScrapbookOptions(1).WriteSettings();
  CCalendarOptions(2026, 11).WriteSettings();
  for (const auto& s : stored) {
    const std::string expected =
        std::string(s.section) + "/" + s.key + "=" + std::to_string(s.value);
    EXPECT_NE(std::find(profile.writes.begin(), profile.writes.end(), expected),
              profile.writes.end())
        << expected;
  }
}

TEST_F(PersonPagesTest, IdentifierDisplayOffForcesSuppressRins) {
  // A stored 0 is overridden while AppendVal is off, and kept while it is on.
  const struct {
    int display;
    int expected;
    bool enabled;
  } cases[] = {{0, 1, false}, {1, 0, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.display);
    for (const char* section : {"IndRpt", "ScrapRpt"}) profile.SetInt(section, "SuppressRIN", 0);
    CIndividualSummaryOptions summary(c.display);
    CScrapbookOptions scrapbook(c.display);
    EXPECT_EQ(summary.suppressRin, c.expected);
    EXPECT_EQ(scrapbook.suppressRin, c.expected);
    EXPECT_EQ(summary.EnabledStates().suppressRin, c.enabled);
    EXPECT_EQ(scrapbook.EnabledStates().suppressRin, c.enabled);
    // Whatever the check shows, a hidden option saves as 1.
    summary.suppressRin = scrapbook.suppressRin = 0;
    summary.WriteSettings();
    scrapbook.WriteSettings();
    EXPECT_EQ(profile.GetInt("IndRpt", "SuppressRIN", -1), c.display == 0 ? 1 : 0);
    EXPECT_EQ(profile.GetInt("ScrapRpt", "SuppressRIN", -1), c.display == 0 ? 1 : 0);
  }
}

TEST_F(PersonPagesTest, SummaryNotesEnabling) {
  const struct {
    int notes, source, titleOnly;
    CIndividualSummaryOptions::Enabled on;
  } cases[] = {
      {1, 1, 0, {true, true, true, true, true}},
      {0, 1, 1, {false, true, false, false, true}},
      // Source notes off: titles only is off, so text and comments stay off.
      {1, 0, 0, {true, false, false, false, true}},
      {0, 0, 1, {false, false, false, false, true}},
  };
  for (const auto& c : cases) {
    CIndividualSummaryOptions options(1);
    options.notes = c.notes;
    options.source = c.source;
    options.titleOnly = c.titleOnly;
    EXPECT_EQ(options.EnabledStates(), c.on) << c.notes << c.source << c.titleOnly;
  }
}

TEST_F(PersonPagesTest, UseListTexts) {
  const FilterSummary none;
  const FilterSummary named{true, "Hart line", 42};
  const FilterSummary unnamed{true, "", 0};
  EXPECT_EQ(MakeStartingGroupTexts(true, none, "Hart, Adam"),
            (StartingGroupTexts{"Filter", "Individuals: 0", "&Select"}));
  EXPECT_EQ(MakeStartingGroupTexts(true, named, "Hart, Adam"),
            (StartingGroupTexts{"Filter - Hart line", "Individuals: 42", "&Select"}));
  EXPECT_EQ(MakeStartingGroupTexts(true, unnamed, ""),
            (StartingGroupTexts{"Filter - ", "Individuals: 0", "&Select"}));
  EXPECT_EQ(MakeStartingGroupTexts(false, named, "Hart, Adam"),
            (StartingGroupTexts{"Starting Person", "Hart, Adam", "&Search"}));
}

TEST_F(PersonPagesTest, RequestTakesThePersonOnlyWithoutTheList) {
  CIndividualSummaryOptions summary(1);
  CScrapbookOptions scrapbook(1);
  summary.startingRin = scrapbook.startingRin = 17;
  for (int listOpt : {0, 1}) {
    summary.listOpt = scrapbook.listOpt = listOpt;
    ReportRequest a, b;
    a.startRin = b.startRin = 99;
    ASSERT_TRUE(summary.FillRequest(a));
    ASSERT_TRUE(scrapbook.FillRequest(b));
    EXPECT_EQ(a.startRin, listOpt ? 0 : 17);
    EXPECT_EQ(b.startRin, listOpt ? 0 : 17);
  }
}

TEST_F(PersonPagesTest, ScrapbookEnablingSpinsAndPhotoLabel) {
  CScrapbookOptions options(1);
  EXPECT_EQ(options.EnabledStates(), (CScrapbookOptions::Enabled{true, true, true}));
  options.box = 0;
  options.caption = 0;
  EXPECT_EQ(options.EnabledStates(), (CScrapbookOptions::Enabled{false, false, true}));

  const struct {
    int value, delta, expected;
  } steps[] = {{1, -1, 1}, {2, -1, 1}, {98, 1, 99}, {99, 1, 99}, {5, 1, 6}};
  for (const auto& s : steps)
    EXPECT_EQ(CScrapbookOptions::Step(s.value, s.delta), s.expected) << s.value << s.delta;

  EXPECT_EQ(CScrapbookOptions(1).PhotoSizeLabel(), "Use Photo Size ( 1.000\" x 1.000\") As");
  // Height first, then width, each as inches and thousandths.
  options.photos.width = 2500;
  options.photos.height = 1075;
  EXPECT_EQ(options.PhotoSizeLabel(), "Use Photo Size ( 1.075\" x 2.500\") As");
}

TEST_F(PersonPagesTest, CaptionsOffKeepTheLoadedPosition) {
  profile.SetInt("ScrapRpt", "CapPos", 0);
  profile.SetInt("ScrapRpt", "Caption", 0);
  CScrapbookOptions options(1);
  options.SetShownCaptionPosition(1);
  options.WriteSettings();
  EXPECT_EQ(profile.GetInt("ScrapRpt", "CapPos", -1), 0);
  options.caption = 1;
  options.SetShownCaptionPosition(1);
  options.WriteSettings();
  EXPECT_EQ(profile.GetInt("ScrapRpt", "CapPos", -1), 1);
}

TEST_F(PersonPagesTest, CalendarYearZeroTakesTodaysMonth) {
  const struct {
    int storedYear, storedMonth, year, month;
  } cases[] = {{0, 7, 2026, 11}, {1950, 7, 1950, 7}, {0, 0, 2026, 11}};
  for (const auto& c : cases) {
    profile.SetInt("CalendarRpt", "Year", c.storedYear);
    profile.SetInt("CalendarRpt", "Month", c.storedMonth);
    const CCalendarOptions options(2026, 11);
    EXPECT_EQ(options.year, c.year) << c.storedYear;
    EXPECT_EQ(options.month, c.month) << c.storedYear;
  }
  const struct {
    int year, delta, expected;
  } steps[] = {{100, -1, 100}, {2100, 1, 2100}, {1999, 1, 2000}, {101, -1, 100}};
  for (const auto& s : steps) EXPECT_EQ(CCalendarOptions::StepYear(s.year, s.delta), s.expected);
}

TEST_F(PersonPagesTest, CalendarColoursAreWrittenAtOnce) {
  CCalendarOptions options(2026, 0);
  EXPECT_EQ(options.ColourOf(CCalendarOptions::kDateBackground), 0xFFFFFFu);
  options.SetColour(CCalendarOptions::kBorderLines, 0x0000FF);
  options.SetColour(CCalendarOptions::kLines, 0x00FF00);
  options.SetColour(CCalendarOptions::kDateBackground, 0xABCDEF);
  options.SetBorderStyle(2, 1, 1, 0x123456);
  // Nothing else was saved (the sheet was cancelled), yet the colours stay.
  EXPECT_EQ(profile.writes, Prefixed("CalendarRpt", {"BorderLineClr=0XFF", "LineClr=0XFF00",
                                                     "BackClr=0XABCDEF", "BoxCorner=2", "BoxLine=1",
                                                     "BoxShade=1", "ShadeClr=0X123456"}));
  const CCalendarOptions again(2026, 0);
  EXPECT_EQ(again.ColourOf(CCalendarOptions::kBorderLines), 0x0000FFu);
  EXPECT_EQ(again.ColourOf(CCalendarOptions::kLines), 0x00FF00u);
  EXPECT_EQ(again.ColourOf(CCalendarOptions::kDateBackground), 0xABCDEFu);
  EXPECT_EQ(again.shadeColour, 0x123456u);
  EXPECT_EQ(again.boxCorner, 2);
}

}  // namespace

namespace {

using namespace rpt;

class BooksPageTest : public ::testing::Test {
 protected:
  RecordingProfile profile;
  plat::ScopedProfile scope{&profile};
};

TEST_F(BooksPageTest, EmptyStoreWritesTheDefaultsInSaveOrder) {
  CBooksOptions(1, true).WriteSettings();
  EXPECT_EQ(profile.writes,
            Prefixed("BkRpt", {"Type=0",        "SuppressRIN=0", "EmbedNotes=1", "EndChap=1",
                               "SourceNotes=1", "OtherNotes=1",  "MarkedOnly=0", "TitleOnly=0",
                               "ActText=1",     "Comments=1",    "Confident=0",  "ParInd=0",
                               "RelInd=0",      "OtherEvents=0", "Index=1",      "PhotoOpt=0",
                               "ZEL=0",         "PageLM=1000",   "PageRM=1000",  "PageTM=1000",
                               "PageBM=1000",   "PhotoX=750",    "PhotoY=750",   "PhotoPlace=2",
                               "PhotoRsrv=0",   "Gens=32",       "NewPg=1",      "Repeat=0"}));
}

TEST_F(BooksPageTest, ZelAndRinsFollowThePreferences) {
  const struct {
    int display;
    bool showZel;
    int zelSaved, rinSaved;
  } cases[] = {{1, true, 1, 0}, {1, false, 0, 0}, {0, true, 1, 1}, {0, false, 0, 1}};
  for (const auto& c : cases) {
    profile.SetInt("BkRpt", "ZEL", 1);
    profile.SetInt("BkRpt", "SuppressRIN", 0);
    CBooksOptions options(c.display, c.showZel);
    EXPECT_EQ(options.EnabledStates().zelShown, c.showZel);
    EXPECT_EQ(options.EnabledStates().suppressRin, c.display != 0);
    options.WriteSettings();
    EXPECT_EQ(profile.GetInt("BkRpt", "ZEL", -1), c.zelSaved) << c.display << c.showZel;
    EXPECT_EQ(profile.GetInt("BkRpt", "SuppressRIN", -1), c.rinSaved) << c.display << c.showZel;
  }
}

TEST_F(BooksPageTest, NotesCouplings) {
  // A stored end of chapter opens with the new-page check on too.
  profile.SetInt("BkRpt", "EndChap", 1);
  profile.SetInt("BkRpt", "NewPg", 0);
  CBooksOptions options(1, false);
  EXPECT_EQ(options.newPg, 1);
  options.SetNewPage(false);
  EXPECT_EQ(options.endChap, 0);
  options.SetNewPage(true);
  EXPECT_EQ(options.endChap, 0);  // setting the page alone leaves the chapter notes
  options.SetEndOfChapter(false);
  EXPECT_EQ(options.newPg, 1);
  options.SetNewPage(false);
  options.SetEndOfChapter(true);
  EXPECT_EQ(options.newPg, 1);

  const struct {
    int source, titleOnly, other;
    bool titles, endChapter, text, marked;
  } cases[] = {{1, 0, 1, true, true, true, true},
               {1, 1, 0, true, true, false, false},
               {0, 0, 1, false, false, false, true},
               {0, 1, 0, false, false, false, false}};
  for (const auto& c : cases) {
    options.sourceNotes = c.source;
    options.titleOnly = c.titleOnly;
    options.otherNotes = c.other;
    const CBooksOptions::Enabled on = options.EnabledStates();
    EXPECT_EQ(on.titlesOnly, c.titles);
    EXPECT_EQ(on.endOfChapter, c.endChapter);
    EXPECT_EQ(on.text, c.text);
    EXPECT_EQ(on.comments, c.text);
    EXPECT_EQ(on.markedOnly, c.marked);
    EXPECT_EQ(on.embed, c.marked);
  }
}

TEST_F(BooksPageTest, TypeChoosesKindAndGenerationLimit) {
  CBooksOptions options(1, false);
  EXPECT_EQ(options.ReportKind(), 200);
  EXPECT_EQ(options.GenerationsHigh(), 32);
  options.type = CBooksOptions::kModifiedRegister;
  EXPECT_EQ(options.ReportKind(), 201);
  EXPECT_EQ(options.GenerationsHigh(), 999);
  options.startingRin = 12;
  ReportRequest request;
  ASSERT_TRUE(options.FillRequest(request));
  EXPECT_EQ(request.startRin, 12);
}

}  // namespace
