// The Preferences pages' rules and what the sheet writes back: conversions
// between what a box shows and what is stored, the controls that follow one
// another, the folder checks, and that only OK writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "AppOptions.h"
#include "DateValue.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyFileInfo.h"
#include "IndividualNode.h"
#include "OpenFamilyFixture.h"
#include "PreferencesPages.h"
#include "StringTable.h"
#include "SystemColors.h"
#include "TempDir.h"

namespace {

using namespace shell;

// A profile that remembers which values were written or removed.
class RecordingProfile : public plat::MemoryProfile {
 public:
  bool SetInt(const std::string& s, const std::string& v, int x) override {
    writes.insert(s + "/" + v);
    return MemoryProfile::SetInt(s, v, x);
  }
  bool SetString(const std::string& s, const std::string& v, const std::string& x) override {
    writes.insert(s + "/" + v);
    return MemoryProfile::SetString(s, v, x);
  }
  bool Remove(const std::string& s, const std::string& v) override {
    writes.insert("-" + s + "/" + v);
    return MemoryProfile::Remove(s, v);
  }
  std::set<std::string> writes;
};

TEST(PreferencesInfoBoxTest, WaitTimeIsShownInTenthsAndStoredCappedInMilliseconds) {
  struct Case {
    int tenths, stored;
  };
  const Case cases[] = {{650, 60000}, {5, 500}, {600, 60000}, {601, 60000},
                        {655, 60000}, {0, 0},   {1, 100},     {599, 59900}};
  for (const Case& c : cases) EXPECT_EQ(InfoBoxPage::StoredWait(c.tenths), c.stored) << c.tenths;

  struct Shown {
    int stored, tenths;
  };
  const Shown shown[] = {{1000, 10}, {60000, 600}, {550, 5}, {0, 0}, {99, 0}};
  for (const Shown& s : shown) {
    CAppOptions options;
    options.infoTimeOut = s.stored;
    InfoBoxPage page;
    page.Load(options);
    EXPECT_EQ(page.waitTenths, s.tenths) << s.stored;
  }
}

TEST(PreferencesInfoBoxTest, WaitBoxFollowsTheFloatingChoice) {
  InfoBoxPage page;
  for (int floating : {0, 1, 2}) {
    page.floaterOpt = floating;
    EXPECT_EQ(page.WaitEnabled(), floating != 0) << floating;
  }
}

TEST(PreferencesGeneralTest, ZelReportBoxFollowsUseZel) {
  GeneralPage page;
  page.showZel = 1;
  page.showZelRpt = 0;
  EXPECT_TRUE(page.ZelReportEnabled());
  page.SetShowZel(false);
  EXPECT_EQ(page.showZelRpt, 0);
  EXPECT_FALSE(page.ZelReportEnabled());
  page.SetShowZel(true);
  EXPECT_EQ(page.showZelRpt, 1);
  EXPECT_TRUE(page.ZelReportEnabled());
}

TEST(PreferencesGeneralTest, ProfileValuesHaveTheirOwnDefaults) {
  plat::MemoryProfile profile;
  CAppOptions options;
  GeneralPage page;
  page.Load(options, profile);
  EXPECT_EQ(page.useDescList, 1);
  EXPECT_EQ(page.returnAsTab, -1);
  EXPECT_EQ(page.dateEntry, 0);
  EXPECT_EQ(page.hideShade, 0);

  profile.SetInt("Options", "UseDescList", 0);
  profile.SetInt("Start Up", "ReturnAsTab", 1);
  profile.SetInt("Date", "Entry", 1);
  profile.SetInt("Reports", "Hide Shade", 1);
  page.Load(options, profile);
  EXPECT_EQ(page.useDescList, 0);
  EXPECT_EQ(page.returnAsTab, 1);
  EXPECT_EQ(page.dateEntry, 1);
  EXPECT_EQ(page.hideShade, 1);
}

TEST(PreferencesGeneralTest, ChoosingTheLanguageInForceChangesNothing) {
  RecordingProfile profile;
  profile.MemoryProfile::SetString("Options", "LanguageUI", "de");
  EXPECT_FALSE(ChooseLanguage("DE", profile));
  EXPECT_FALSE(ChooseLanguage("de", profile));
  EXPECT_TRUE(profile.writes.empty());

  EXPECT_TRUE(ChooseLanguage("FR", profile));
  EXPECT_EQ(profile.GetString("Options", "LanguageUI", ""), "FR");
  EXPECT_FALSE(ChooseLanguage("fr", profile));
}

TEST(PreferencesGeneralTest, LanguagesListEnglishAndThoseWithACatalog) {
  const auto choices = AvailableLanguages([](const std::string& code) { return code == "FR"; });
  ASSERT_EQ(choices.size(), 2u);
  EXPECT_EQ(choices[0].code, "EN");
  EXPECT_EQ(choices[0].name, "English");
  EXPECT_EQ(choices[1].code, "FR");
  EXPECT_EQ(choices[1].name, "French");

  plat::MemoryProfile profile;
  EXPECT_EQ(CurrentLanguageIndex(choices, profile), 0);
  profile.SetString("Options", "LanguageUI", "fr");
  EXPECT_EQ(CurrentLanguageIndex(choices, profile), 1);
  profile.SetString("Options", "LanguageUI", "DE");  // no catalog: English shows
  EXPECT_EQ(CurrentLanguageIndex(choices, profile), 0);
}

TEST(PreferencesFileTest, RinBoxShowsTheHomePersonElseTheLastShown) {
  CFamilyFileInfo info;
  info.settings.homeRin = 0;
  info.settings.lastRin = 42;
  FilePage page;
  page.Load(info, false, 0, "/x/family.orl", true);
  EXPECT_EQ(page.useHomePerson, 0);
  EXPECT_EQ(page.rinText, "42");
  EXPECT_EQ(page.HomeRin(), 0);  // "Last used": no home person stored
  EXPECT_EQ(page.LogCheckText(), "Lo&g to 'family.orl'");

  info.settings.homeRin = 7;
  page.Load(info, false, 0, "/x/family.orl", true);
  EXPECT_EQ(page.useHomePerson, 1);
  EXPECT_EQ(page.rinText, "7");

  struct Case {
    const char* text;
    std::int32_t rin;
  };
  const Case cases[] = {{"15", 15}, {"abc", 0}, {"-3", 0}, {"", 0}, {"1234567", 1234567}};
  for (const Case& c : cases) {
    page.rinText = c.text;
    EXPECT_EQ(page.HomeRin(), c.rin) << c.text;
  }
}

TEST(PreferencesFileTest, ReadOnlyFileOrMissingLogDisablesControls) {
  CFamilyFileInfo info;
  FilePage page;
  page.Load(info, true, 1, "/x/f.orl", true);
  EXPECT_FALSE(page.ControlsEnabled());
  EXPECT_FALSE(page.LogButtonsEnabled());
  EXPECT_EQ(page.RelationshipText(), "Showing");
  page.Load(info, false, 0, "/x/f.orl", false);
  EXPECT_TRUE(page.ControlsEnabled());
  EXPECT_FALSE(page.LogButtonsEnabled());
  EXPECT_EQ(page.RelationshipText(), "Not showing");
  page.Load(info, false, 0, "/x/f.orl", true);
  EXPECT_TRUE(page.LogButtonsEnabled());
}

TEST(PreferencesFontsTest, DescriptionsInWordsAndChosenSizesWithinLimits) {
  EXPECT_EQ(FontsPage::Shown("Arial;Normal;8pt", false), "Arial Normal");
  EXPECT_EQ(FontsPage::Shown("Arial;Bold Italic;8pt", true), "Arial Bold Italic 8pt");
  EXPECT_EQ(FontsPage::Shown("Times New Roman;Normal;9pt", true), "Times New Roman Normal 9pt");

  struct Case {
    FontChoiceLimits limits;
    double points;
    int weight;
    bool italic;
    const char* expected;
  };
  const Case cases[] = {
      {NotesEditFontLimits(), 40, 400, false, "Courier;Normal;32pt"},
      {NotesEditFontLimits(), 2, 700, false, "Courier;Bold;4pt"},
      {NotesReportFontLimits(), 2, 400, true, "Courier;Normal Italic;3pt"},
      {NotesReportFontLimits(), 14, 400, false, "Courier;Normal;12pt"},
      {ViewsFontLimits(), 72, 600, false, "Courier;SemiBold;72pt"},
      {ViewsFontLimits(), 10.6, 400, false, "Courier;Normal;11pt"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChosenFontDescription("Courier", c.points, c.weight, c.italic, c.limits), c.expected)
        << c.expected;
  EXPECT_TRUE(NotesReportFontLimits().needsPrinter);
  EXPECT_FALSE(NotesEditFontLimits().needsPrinter);

  FontsPage page;
  page.views = page.notesEdit = page.notesReport = "X;Bold;20pt";
  page.SetDefaults();
  EXPECT_EQ(page.views, "Arial;Normal;8pt");
  EXPECT_EQ(page.notesEdit, "Times New Roman;Normal;9pt");
  EXPECT_EQ(page.notesReport, "Times New Roman;Normal;9pt");
}

TEST(PreferencesMultimediaTest, DefaultsAndColoursAsText) {
  RecordingProfile profile;
  MultimediaPage page;
  page.slideTime = page.slideRatio = page.scaleType = 99;
  page.Load(profile);
  EXPECT_EQ(page.slideTime, 20);
  EXPECT_EQ(page.slideSize, 0);
  EXPECT_EQ(page.slideRatio, 50);
  EXPECT_EQ(page.slideColor, 0x000000u);
  EXPECT_EQ(page.scrapColor, 0xFFFFFFu);
  EXPECT_EQ(page.scaleType, 1);
  EXPECT_EQ(page.familyViewPhoto, 1);
  EXPECT_FALSE(page.RatioEnabled());

  page.ColorOf(1) = 0x00C0FF;
  page.ColorOf(0) = 0x102030;
  page.slideSize = 1;
  EXPECT_TRUE(page.RatioEnabled());
  page.Save(profile);
  EXPECT_EQ(profile.GetString("Multimedia", "MMScrapClr", ""), "0XC0FF");
  EXPECT_EQ(profile.GetString("Multimedia", "MMSlideClr", ""), "0X102030");
  MultimediaPage again;
  again.Load(profile);
  EXPECT_EQ(again.scrapColor, 0x00C0FFu);
  EXPECT_EQ(again.slideColor, 0x102030u);
  EXPECT_EQ(again.slideSize, 1);
}

TEST(PreferencesFormatsTest, MonthNamesForceTheSpaceSeparator) {
  FormatsPage page;
  page.monthStyle = 0;
  page.dateSeparator = 2;
  EXPECT_TRUE(page.SeparatorsEnabled());
  page.SetMonthStyle(3);  // "AUG"
  EXPECT_EQ(page.dateSeparator, 0);
  EXPECT_FALSE(page.SeparatorsEnabled());
  page.SetMonthStyle(1);
  EXPECT_TRUE(page.SeparatorsEnabled());
  page.dateSeparator = 3;
  page.SetMonthStyle(1);
  EXPECT_EQ(page.dateSeparator, 3);  // a numeric style keeps the choice
  page.SetMonthStyle(2);
  EXPECT_EQ(page.dateSeparator, 0);
}

TEST(PreferencesFormatsTest, SamplesFollowThePageNotTheLiveOptions) {
  struct Case {
    int order, day, month, sep;
    const char* expected;
  };
  const Case cases[] = {
      {1, 0, 2, 0, "Bef 3 Aug 1886"},  {0, 0, 2, 0, "Bef Aug 3 1886"},
      {1, 1, 3, 0, "Bef 03 AUG 1886"}, {1, 0, 0, 1, "Bef 3-8-1886"},
      {0, 1, 1, 2, "Bef 08/03/1886"},  {1, 0, 1, 3, "Bef 3.08.1886"},
  };
  const DateDisplayOptions before = GetDateDisplayOptions();
  for (const Case& c : cases) {
    FormatsPage page;
    page.dateOrder = c.order;
    page.dayStyle = c.day;
    page.monthStyle = c.month;
    page.dateSeparator = c.sep;
    EXPECT_EQ(page.DateSample(), c.expected) << c.expected;
  }
  EXPECT_EQ(GetDateDisplayOptions().monthStyle, before.monthStyle);
  EXPECT_EQ(GetDateDisplayOptions().separator, before.separator);

  FormatsPage page;
  page.trim = 0;
  EXPECT_EQ(page.NameSample(), "Martin Evan Crane");
  page.trim = 1;
  EXPECT_EQ(page.NameSample(), "Martin E D Crane");

  // Wide enough: the whole place; narrow: the parts the place order keeps.
  plat::FixedWidthTextMeasure measure(1);
  page.placeLevels = 5;
  EXPECT_EQ(page.PlaceSample(&measure, 200), "\xC5rj\xE4ng, Lungsund, V\xE4rmland, Sweden");
  EXPECT_EQ(page.PlaceSample(&measure, 20), "\xC5, L, V, Sweden");
  page.placeLevels = 0;
  EXPECT_EQ(page.PlaceSample(&measure, 20), "\xC5rj\xE4ng, L, V, S");
}

TEST(PreferencesFoldersTest, RemovableMountPoints) {
  struct Case {
    const char* path;
    bool removable;
  };
  const Case cases[] = {
      {"/media/usb/", true},
      {"/media/ann/STICK/", true},
      {"/run/media/ann/CARD/", true},
      {"/mnt/share/", true},
      {"/mnt/", false},
      {"/media/ann/STICK/x/", false},
      {"/home/ann/media/x/", false},
      {"media/usb/", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsRemovableMountPoint(c.path), c.removable) << c.path;
}

class PreferencesFolderCheckTest : public ::testing::Test {
 protected:
  TempDir dir;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scoped{&boxes};
};

TEST_F(PreferencesFolderCheckTest, ExistingEmptyAndRemovableFoldersPassWithoutAQuestion) {
  std::string existing = dir.Path();
  existing.pop_back();  // no final separator
  EXPECT_TRUE(CheckFolder(existing));
  EXPECT_EQ(existing, dir.Path());

  std::string empty;
  EXPECT_TRUE(CheckFolder(empty));
  EXPECT_EQ(empty, "");

  std::string stick = "/media/nobody-here/STICK";
  EXPECT_TRUE(CheckFolder(stick));
  EXPECT_EQ(stick, "/media/nobody-here/STICK/");
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(PreferencesFolderCheckTest, MissingFolderIsCreatedOnYesAndRefusedOnNo) {
  std::string missing = dir.File("a/b/c");
  boxes.QueueAnswer(plat::kIdNo);
  EXPECT_FALSE(CheckFolder(missing));
  EXPECT_FALSE(std::filesystem::exists(dir.File("a")));
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text,
            "Folder '" + dir.File("a/b/c") + "/' does not exist. Do you want to create it?");

  boxes.QueueAnswer(plat::kIdYes);
  EXPECT_TRUE(CheckFolder(missing));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("a/b/c")));
  EXPECT_EQ(boxes.Calls().size(), 2u);
}

TEST_F(PreferencesFolderCheckTest, FolderThatCannotBeCreatedIsReported) {
  {
    std::FILE* f = std::fopen(dir.File("plain").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
  }
  std::string below = dir.File("plain/sub");
  boxes.QueueAnswer(plat::kIdYes);
  EXPECT_FALSE(CheckFolder(below));
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(boxes.Calls()[1].text, "Can't create " + dir.File("plain/sub") + "/");
}

// The sheet on an open family file.
class PreferencesSheetTest : public OpenFamilyFixture {
 protected:
  void SetUp() override {
    OpenFamilyFixture::SetUp();
    info.ReadFileOptions(1);
    info.ReadPreparer();
  }
  RecordingProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  CAppOptions options;
  CFamilyFileInfo info;
};

TEST_F(PreferencesSheetTest, CancelWritesNothingButTheLastPageIndex) {
  const CAppOptions before = options;
  const CFamilyFileInfo::SettingsBlock settingsBefore = info.settings;
  {
    PreferencesSheetModel sheet(options, &info, profile);
    sheet.infoBox.waitTenths = 650;
    sheet.general.appendVal = 2;
    sheet.formats.SetMonthStyle(3);
    sheet.folders.folders[1] = dir.Path();
    sheet.preparer.fields[0] = "Ada";
    sheet.file.useHomePerson = 1;
    sheet.file.rinText = "5";
    sheet.file.logChanges = !settingsBefore.logChanges;
    sheet.Close(kPageFolders);
  }
  EXPECT_TRUE(profile.writes.empty());
  EXPECT_EQ(options.lastPrefsPage, kPageFolders);
  EXPECT_EQ(options.infoTimeOut, before.infoTimeOut);
  EXPECT_EQ(options.appendVal, before.appendVal);
  EXPECT_EQ(options.monthStyle, before.monthStyle);
  EXPECT_EQ(info.settings.homeRin, settingsBefore.homeRin);
  EXPECT_EQ(info.settings.logChanges, settingsBefore.logChanges);
  EXPECT_EQ(info.givenName, "");
  CFamilyFileInfo stored;
  ASSERT_EQ(stored.ReadPreparer(), 1);
  EXPECT_EQ(stored.givenName, "");
  ASSERT_EQ(stored.ReadFileOptions(1), 1);
  EXPECT_EQ(stored.settings.homeRin, settingsBefore.homeRin);
  EXPECT_EQ(stored.settings.logChanges, settingsBefore.logChanges);
}

TEST_F(PreferencesSheetTest, OkWritesEveryPageBackWithItsConversions) {
  {
    PreferencesSheetModel sheet(options, &info, profile);
    sheet.infoBox.waitTenths = 650;
    sheet.infoBox.selectOpt = 5;
    sheet.general.appendVal = 7;
    sheet.general.noteTool = 5;
    sheet.general.SetShowZel(false);
    sheet.general.useDescList = 0;
    sheet.general.returnAsTab = 1;
    sheet.formats.dateSeparator = 2;
    sheet.formats.SetMonthStyle(3);
    sheet.folders.folders[0] = "/data/family";
    sheet.folders.folders[4] = "";
    sheet.preparer.fields[0] = "Ada";
    sheet.preparer.fields[7] = "ABCDEFGHIJKLMNOP";  // longer than the SBN's 12
    sheet.fonts.notesEdit = "Courier;Bold;12pt";
    sheet.multimedia.scrapColor = 0x0000FF;
    sheet.file.useHomePerson = 1;
    sheet.file.rinText = "23";
    sheet.file.logChanges = 0;
    sheet.Confirm(kPageGeneral);
    sheet.Close(kPageInfoBox);
  }
  EXPECT_EQ(options.lastPrefsPage, kPageInfoBox);
  EXPECT_EQ(profile.GetInt("Options", "InfoTimeOut", -1), 60000);
  EXPECT_EQ(profile.GetInt("Options", "SelectOpt", -1), 0);
  EXPECT_EQ(profile.GetInt("Options", "AppendVal", -1), 0);
  EXPECT_EQ(profile.GetInt("Options", "NoteTool", -1), 1);
  EXPECT_EQ(profile.GetInt("Options", "ShowZEL", -1), 0);
  EXPECT_EQ(profile.GetInt("Options", "ShowZelRpt", -1), 0);
  EXPECT_EQ(profile.GetInt("Options", "DMM", -1), 3);
  EXPECT_EQ(profile.GetInt("Options", "DSep", -1), 0);
  EXPECT_EQ(profile.GetInt("Options", "UseDescList", -1), 0);
  EXPECT_EQ(profile.GetInt("Start Up", "ReturnAsTab", -1), 1);
  EXPECT_EQ(profile.GetString("Options", "FontNotesEdit", ""), "Courier;Bold;12pt");
  EXPECT_EQ(profile.GetString("Folders", "Data", ""), "/data/family/");
  EXPECT_EQ(profile.GetString("Folders", "Web", "x"), "");
  EXPECT_EQ(profile.GetString("Multimedia", "MMScrapClr", ""), "0XFF");
  // The password is written only by its own dialog.
  EXPECT_EQ(profile.writes.count("Options/Pwd"), 0u);

  CFamilyFileInfo stored;
  ASSERT_EQ(stored.ReadPreparer(), 1);
  EXPECT_EQ(stored.givenName, "Ada");
  EXPECT_EQ(stored.sbn, "ABCDEFGHIJKL");
  ASSERT_EQ(stored.ReadFileOptions(1), 1);
  EXPECT_EQ(stored.settings.homeRin, 23);
}

TEST_F(PreferencesSheetTest, ReadOnlyFileKeepsItsPreparerAndSettings) {
  CurrentDatabase->host.readOnly = true;
  {
    PreferencesSheetModel sheet(options, &info, profile);
    EXPECT_FALSE(sheet.file.ControlsEnabled());
    sheet.preparer.fields[0] = "Ada";
    sheet.file.useHomePerson = 1;
    sheet.file.rinText = "9";
    sheet.infoBox.waitTenths = 5;
    sheet.Confirm(kPageGeneral);
    sheet.Close(kPageGeneral);
  }
  CurrentDatabase->host.readOnly = false;
  EXPECT_EQ(profile.GetInt("Options", "InfoTimeOut", -1), 500);  // the options still save
  CFamilyFileInfo stored;
  ASSERT_EQ(stored.ReadPreparer(), 1);
  EXPECT_EQ(stored.givenName, "");
  ASSERT_EQ(stored.ReadFileOptions(1), 1);
  EXPECT_NE(stored.settings.homeRin, 9);
}

TEST_F(PreferencesSheetTest, StartPageIsTheLastOneUsedForMinusOne) {
  options.lastPrefsPage = kPageFormats;
  PreferencesSheetModel sheet(options, &info, profile);
  EXPECT_EQ(sheet.StartPage(-1), kPageFormats);
  EXPECT_EQ(sheet.StartPage(kPagePreparer), kPagePreparer);
  EXPECT_EQ(sheet.StartPage(12), 0);
}

TEST_F(PreferencesSheetTest, FilePageReadsTheOpenFile) {
  ASSERT_EQ(CurrentDatabase->SetFileOption(1, 1), 1);
  {
    std::FILE* f = std::fopen(log.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
  }
  PreferencesSheetModel sheet(options, &info, profile);
  EXPECT_EQ(sheet.file.relationshipOption, 1);
  EXPECT_EQ(sheet.file.logPath, log);
  EXPECT_TRUE(sheet.file.LogButtonsEnabled());
  EXPECT_EQ(sheet.file.LogCheckText(), "Lo&g to 'family.orl'");
}

}  // namespace

TEST(PreferencesApplyTest, DisplayChoicesReachTheInMemoryRecords) {
  const NodeOptions before = GetNodeOptions();
  struct Case {
    int append, showZel, capSurname;
  };
  for (const Case c : {Case{1, 0, 1}, Case{3, 1, 0}, Case{0, 0, 0}}) {
    CAppOptions options;
    options.appendVal = c.append;
    options.showZel = c.showZel;
    options.capSurname = c.capSurname;
    ApplyDisplayOptions(options);
    EXPECT_EQ(GetNodeOptions().appendVal, c.append);
    EXPECT_EQ(GetNodeOptions().showZel, c.showZel != 0);
    EXPECT_EQ(GetNodeOptions().capSurname, c.capSurname != 0);
  }
  SetNodeOptions(before);
}

TEST(PreferencesApplyTest, DescendUsesTheListUnlessOffOrOneChild) {
  struct Case {
    int stored;  // -1 none
    int children;
    bool list;
  } cases[] = {{-1, 0, true}, {-1, 1, false}, {-1, 3, true}, {1, 2, true}, {0, 2, false}};
  for (const Case& c : cases) {
    plat::MemoryProfile p;
    if (c.stored >= 0) p.SetInt(CAppOptions::kSection, "UseDescList", c.stored);
    EXPECT_EQ(DescendThroughList(p, c.children), c.list) << c.stored << "/" << c.children;
  }
}
