// The options store: every option's value name, default and round trip
// through the profile, the colours that follow the desktop until changed, the
// password written on its own, and the small profile stores beside it.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <variant>
#include <vector>

#include "AppOptions.h"
#include "Clock.h"
#include "FakePorts.h"
#include "SystemColors.h"
#include "TestHelpers.h"

namespace {

using ScopedSystemColors = plat::ScopedPortT<plat::SystemColorsPort, plat::SetSystemColorsPort>;

// Desktop colours no default of the headless port shares.
constexpr int kHighlightText = 0x0000FFEE;
constexpr int kHighlight = 0x00804020;
constexpr int kWindowText = 0x00010203;
constexpr int kWindow = 0x00F0F1F2;
constexpr int kButtonFace = 0x00C8D0D4;

// Where a row's value lives in the options.
using Field = std::variant<int CAppOptions::*, AppFont, std::string CAppOptions::*>;

struct Row {
  const char* name;
  Field field;
  std::string def;      // as text
  std::string changed;  // a value other than def
  bool saved = true;    // written by Save
};

std::string Get(const CAppOptions& o, const Field& f) {
  if (auto* i = std::get_if<int CAppOptions::*>(&f)) return std::to_string(o.*(*i));
  if (auto* font = std::get_if<AppFont>(&f)) return o.fonts[*font];
  return o.*std::get<std::string CAppOptions::*>(f);
}

void Set(CAppOptions& o, const Field& f, const std::string& v) {
  if (auto* i = std::get_if<int CAppOptions::*>(&f))
    o.*(*i) = std::stoi(v);
  else if (auto* font = std::get_if<AppFont>(&f))
    o.fonts[*font] = v;
  else
    o.*std::get<std::string CAppOptions::*>(f) = v;
}

bool IsInt(const Field& f) { return std::holds_alternative<int CAppOptions::*>(f); }

// Every stored option, with its default (today fixed in 2001, the desktop
// colours above).
const std::vector<Row>& Rows() {
  using O = CAppOptions;
  static const std::vector<Row> rows = {
      {"FloaterOpt", &O::floaterOpt, "1", "2"},
      {"SelectOpt", &O::selectOpt, "2", "0"},
      {"Trim", &O::trim, "1", "0"},
      {"DOrder", &O::dateOrder, "1", "0"},
      {"DDay", &O::dayStyle, "0", "1"},
      {"DMM", &O::monthStyle, "2", "3"},
      {"DSep", &O::dateSeparator, "0", "2"},
      {"FPos", &O::placeLevels, "5", "1"},
      {"AppendVal", &O::appendVal, "0", "3"},
      {"InfoTimeOut", &O::infoTimeOut, "1000", "2500"},
      {"SortDef", &O::sortDef, "0", "4"},
      {"ShowZEL", &O::showZel, "1", "0"},
      {"ShowZelRpt", &O::showZelRpt, "1", "0"},
      {"NoteTool", &O::noteTool, "0", "1"},
      {"EditNote", &O::editNote, "0", "1"},
      {"VerifyNew", &O::verifyNew, "0", "1"},
      {"EditMarr", &O::editMarr, "1", "0"},
      {"CapSurname", &O::capSurname, "0", "1"},
      {"Shading", &O::shading, "1", "0"},
      {"MrgDOB", &O::mrgDob, "0", "1"},
      {"MrgIds", &O::mrgIds, "0", "1"},
      {"MrgMiddles", &O::mrgMiddles, "0", "1"},
      {"MrgNotes", &O::mrgNotes, "1", "0"},
      {"MrgCitations", &O::mrgCitations, "1", "0"},
      {"MrgMedia", &O::mrgMedia, "1", "0"},
      {"MrgSurname", &O::mrgSurname, "0", "1"},
      {"MrgParents", &O::mrgParents, "1", "0"},
      {"MrgVerify", &O::mrgVerify, "1", "0"},
      {"AllowSbnEdit", &O::allowSbnEdit, "0", "1"},
      {"Allow3PSearch", &O::allow3PSearch, "0", "1", false},
      {"ShowSpsBullet", &O::showSpsBullet, "0", "1", false},
      {"AutoNames", &O::autoNames, "0", "1"},
      {"MrgYears", &O::mrgYears, "10", "25"},
      {"FamReunType", &O::famReunType, "1", "2"},
      {"FamReunAll", &O::famReunAll, "0", "1"},
      {"FamReunYr", &O::famReunYr, "1983", "1950"},
      {"ColorSelectedNameText", &O::colorSelectedNameText, std::to_string(kHighlightText),
       std::to_string(0x00112233)},
      {"ColorSelectedNameBackground", &O::colorSelectedNameBackground, std::to_string(kHighlight),
       std::to_string(0x00445566)},
      {"ColorNameText", &O::colorNameText, std::to_string(kWindowText), std::to_string(0x000000FF)},
      {"ColorNameBackground", &O::colorNameBackground, std::to_string(kWindow),
       std::to_string(0x00FFFF00)},
      {"ColorBackground", &O::colorBackground, std::to_string(kButtonFace),
       std::to_string(0x00808080)},
      {"FontPedSized", kFontPedSized, "Arial;Normal;8pt", "Verdana;Bold Italic;9pt"},
      {"FontNotesEdit", kFontNotesEdit, "Times New Roman;Normal;9pt", "Courier New;Normal;10pt"},
      {"FontNotesRpt", kFontNotesRpt, "Times New Roman;Normal;9pt", "Arial;Light;8pt"},
      {"FontPedHdrs", kFontPedHdrs, "Arial;Bold;11pt", "Arial;Normal;11pt"},
      {"FontPedTitle", kFontPedTitle, "Arial;Bold;16pt", "Arial;Bold;18pt"},
      {"FontPedPrim", kFontPedPrim, "Times New Roman;Bold;10pt", "Arial;Bold;10pt"},
      {"FontPedName", kFontPedName, "Times New Roman;Bold;9pt", "Arial;Bold;9pt"},
      {"FontPedData", kFontPedData, "Times New Roman;Normal;9pt", "Arial;Normal;7pt"},
      {"FontFgrTitle", kFontFgrTitle, "Arial;Bold;16pt", "Arial;Heavy;16pt"},
      {"FontFgrParent", kFontFgrParent, "Times New Roman;Bold;12pt", "Arial;Bold;12pt"},
      {"FontFgrChild", kFontFgrChild, "Times New Roman;Bold;11pt", "Arial;Bold;11pt"},
      {"FontFgrData", kFontFgrData, "Times New Roman;Normal;9pt", "Arial;Normal;8pt"},
      {"FontAncMain", kFontAncMain, "Arial;Bold;14pt", "Arial;Bold;15pt"},
      {"FontAncGen", kFontAncGen, "Arial;Normal;11pt", "Arial;Normal;12pt"},
      {"FontAncPrim", kFontAncPrim, "Times New Roman;Bold;10pt", "Arial;Bold;11pt"},
      {"FontAncOther", kFontAncOther, "Times New Roman;Normal;9pt", "Arial;Normal;10pt"},
      {"FontDescMain", kFontDescMain, "Arial;Bold;14pt", "Arial;Bold;13pt"},
      {"FontDescGen", kFontDescGen, "Arial;Normal;11pt", "Arial;Normal;10pt"},
      {"FontDescPrim", kFontDescPrim, "Times New Roman;Bold;10pt", "Arial;Bold;9pt"},
      {"FontDescOther", kFontDescOther, "Times New Roman;Normal;9pt", "Arial;Normal;8pt"},
      {"FontAncStdMain", kFontAncStdMain, "Arial;Bold;14pt", "Arial;Bold;20pt"},
      {"FontAncStdPrim", kFontAncStdPrim, "Times New Roman;Bold;10pt", "Arial;Bold;21pt"},
      {"FontAncStdOther", kFontAncStdOther, "Times New Roman;Normal;9pt", "Arial;Normal;22pt"},
      {"FontDescStdMain", kFontDescStdMain, "Arial;Bold;14pt", "Arial;Bold;23pt"},
      {"FontDescStdPrim", kFontDescStdPrim, "Times New Roman;Bold;10pt", "Arial;Bold;24pt"},
      {"FontDescStdOther", kFontDescStdOther, "Times New Roman;Normal;9pt", "Arial;Normal;25pt"},
      {"FontScrapTitle", kFontScrapTitle, "Arial;Bold;14pt", "Arial;Bold;26pt"},
      {"FontScrapCaption", kFontScrapCaption, "Times New Roman;Normal;10pt", "Arial;Normal;27pt"},
      {"FontScrapFN", kFontScrapFN, "Times New Roman;Normal;10pt", "Arial;Normal;28pt"},
      {"FontScrapDesc", kFontScrapDesc, "Times New Roman;Normal;10pt", "Arial;Normal;29pt"},
      {"Pwd", &O::password, "", "Open Sesame; 42", false},
  };
  return rows;
}

// Records the names Save writes, in order.
class RecordingProfile : public plat::MemoryProfile {
 public:
  bool SetInt(const std::string& section, const std::string& value, int v) override {
    written.push_back(section + "/" + value);
    return MemoryProfile::SetInt(section, value, v);
  }
  bool SetString(const std::string& section, const std::string& value,
                 const std::string& v) override {
    written.push_back(section + "/" + value);
    return MemoryProfile::SetString(section, value, v);
  }
  std::vector<std::string> written;
};

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::SetFixedTime(LocalTimeOf(2001, 7, 3, 9, 5));
    colors.Set(plat::SystemColor::kHighlightText, kHighlightText);
    colors.Set(plat::SystemColor::kHighlight, kHighlight);
    colors.Set(plat::SystemColor::kWindowText, kWindowText);
    colors.Set(plat::SystemColor::kWindow, kWindow);
    colors.Set(plat::SystemColor::kButtonFace, kButtonFace);
  }
  void TearDown() override { plat::SetFixedTime(0); }

  // Options as the start-up has them: defaults, then Load.
  CAppOptions Loaded() {
    CAppOptions o;
    o.Load();
    return o;
  }

  RecordingProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  plat::FixedSystemColors colors;
  ScopedSystemColors scopedColors{&colors};
};

TEST_F(OptionsTest, EmptyStoreLoadsEveryDefault) {
  CAppOptions o = Loaded();
  for (const Row& r : Rows()) EXPECT_EQ(Get(o, r.field), r.def) << r.name;
  EXPECT_EQ(o.lastPrefsPage, 0);
  for (int f = 0; f < kAppFontCount; ++f)
    EXPECT_EQ(o.fonts[f], CAppOptions::DefaultFont(static_cast<AppFont>(f)));
}

TEST_F(OptionsTest, EachOptionRoundTripsUnderItsOwnName) {
  for (const Row& r : Rows()) {
    SCOPED_TRACE(r.name);
    plat::MemoryProfile store;
    plat::ScopedProfile scoped(&store);
    CAppOptions changed;
    Set(changed, r.field, r.changed);
    changed.Save();
    if (r.saved) {
      ASSERT_TRUE(store.Has("Options", r.name));
    } else {
      // Set only outside the program (or by SetPassword); put it there.
      EXPECT_FALSE(store.Has("Options", r.name));
      if (IsInt(r.field))
        store.SetInt("Options", r.name, std::stoi(r.changed));
      else
        store.SetString("Options", r.name, r.changed);
    }
    CAppOptions again = Loaded();
    // The value comes back, and no other option moved with it.
    for (const Row& other : Rows())
      EXPECT_EQ(Get(again, other.field), &other == &r ? r.changed : other.def) << other.name;
  }
}

TEST_F(OptionsTest, NonNumberFallsBackToTheDefaultButAPresentNumberStands) {
  for (const Row& r : Rows()) {
    if (!IsInt(r.field)) continue;
    SCOPED_TRACE(r.name);
    plat::MemoryProfile store;
    plat::ScopedProfile scoped(&store);
    store.SetString("Options", r.name, "often");
    EXPECT_EQ(Get(Loaded(), r.field), r.def);
    // No range check: an odd number is taken as it stands.
    store.SetInt("Options", r.name, -7);
    EXPECT_EQ(Get(Loaded(), r.field), "-7");
  }
}

TEST_F(OptionsTest, ReportsZelSettingFollowsTheScreenSettingUntilStored) {
  profile.SetInt("Options", "ShowZEL", 0);
  CAppOptions o = Loaded();
  EXPECT_EQ(o.showZel, 0);
  EXPECT_EQ(o.showZelRpt, 0);

  profile.SetInt("Options", "ShowZelRpt", 1);
  o = Loaded();
  EXPECT_EQ(o.showZel, 0);
  EXPECT_EQ(o.showZelRpt, 1);

  // A changed field in memory is not what the reports setting follows: the
  // value read for "ShowZEL" is.
  profile.Remove("Options", "ShowZelRpt");
  profile.SetInt("Options", "ShowZEL", 1);
  o.showZelRpt = 0;
  o.Load();
  EXPECT_EQ(o.showZelRpt, 1);
}

TEST_F(OptionsTest, ReunionYearReadsTodayThroughATwoDigitYear) {
  struct Case {
    int year, expected;
  };
  const Case cases[] = {
      {1985, 1977}, {2005, 1987}, {1979, 2061},  // 79 reads as 2079
      {1980, 1977}, {1993, 1977}, {2080, 1977},  // 80 to 93 all read as 1995
      {1994, 1976}, {1999, 1981}, {2000, 1982}, {2026, 2008}, {2099, 1981},
  };
  for (const Case& c : cases) {
    plat::SetFixedTime(LocalTimeOf(c.year, 3, 15, 12, 0));
    EXPECT_EQ(CAppOptions().famReunYr, c.expected) << c.year;
    EXPECT_EQ(Loaded().famReunYr, c.expected) << c.year;
  }
  // Today, by the real clock.
  plat::SetFixedTime(0);
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  const int year = tm.tm_year + 1900;
  ASSERT_LT(year, 2080) << "the two-digit year rule needs a new case";
  EXPECT_EQ(CAppOptions().famReunYr, year - 18);
}

TEST_F(OptionsTest, ColorsAreStoredOnlyOnceOneDiffersFromTheDesktop) {
  const char* const names[] = {"ColorSelectedNameText", "ColorSelectedNameBackground",
                               "ColorNameText", "ColorNameBackground", "ColorBackground"};
  CAppOptions o = Loaded();
  o.Save();
  for (const char* n : names) EXPECT_FALSE(profile.Has("Options", n)) << n;

  // A theme change reaches options that were never stored.
  colors.Set(plat::SystemColor::kWindow, 0x00202020);
  o.LoadColors();
  EXPECT_EQ(o.colorNameBackground, 0x00202020);

  o.colorNameText = 0x000000FF;
  o.SaveColors();
  const int expected[] = {kHighlightText, kHighlight, 0x000000FF, 0x00202020, kButtonFace};
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(profile.Has("Options", names[i])) << names[i];
    EXPECT_EQ(profile.GetInt("Options", names[i], -1), expected[i]) << names[i];
  }

  // Once stored, the desktop no longer moves them.
  colors.Set(plat::SystemColor::kWindow, 0x00303030);
  o.LoadColors();
  EXPECT_EQ(o.colorNameBackground, 0x00202020);
  EXPECT_EQ(o.colorNameText, 0x000000FF);

  // Reset removes all five and the desktop's colours apply again, also later.
  o.ResetColors();
  for (const char* n : names) EXPECT_FALSE(profile.Has("Options", n)) << n;
  EXPECT_EQ(o.colorNameText, kWindowText);
  EXPECT_EQ(o.colorNameBackground, 0x00303030);
  colors.Set(plat::SystemColor::kHighlight, 0x00404040);
  o.LoadColors();
  EXPECT_EQ(o.colorSelectedNameBackground, 0x00404040);
}

TEST_F(OptionsTest, SaveWritesTheOptionsInOrderAndNeverThePassword) {
  CAppOptions o = Loaded();
  o.colorBackground = 0x00ABCDEF;
  o.password = "secret";
  o.Save();
  std::vector<std::string> expected;
  for (const char* n : {"ShowZEL",
                        "ShowZelRpt",
                        "Trim",
                        "DOrder",
                        "DDay",
                        "DMM",
                        "DSep",
                        "FPos",
                        "AppendVal",
                        "NoteTool",
                        "EditNote",
                        "SortDef",
                        "VerifyNew",
                        "CapSurname",
                        "EditMarr",
                        "Shading",
                        "AllowSbnEdit",
                        "AutoNames",
                        "ColorSelectedNameText",
                        "ColorSelectedNameBackground",
                        "ColorNameText",
                        "ColorNameBackground",
                        "ColorBackground",
                        "FloaterOpt",
                        "SelectOpt",
                        "InfoTimeOut",
                        "MrgDOB",
                        "MrgIds",
                        "MrgMiddles",
                        "MrgNotes",
                        "MrgCitations",
                        "MrgMedia",
                        "MrgSurname",
                        "MrgParents",
                        "MrgYears",
                        "MrgVerify",
                        "FamReunType",
                        "FamReunAll",
                        "FamReunYr"})
    expected.push_back(std::string("Options/") + n);
  for (int f = 0; f < kAppFontCount; ++f)
    expected.push_back(std::string("Options/") +
                       CAppOptions::FontValueName(static_cast<AppFont>(f)));
  EXPECT_EQ(profile.written, expected);
}

TEST_F(OptionsTest, SetPasswordWritesAtOnceAndLoadReadsIt) {
  CAppOptions o = Loaded();
  EXPECT_TRUE(o.password.empty());
  o.SetPassword(" Abc;def ");
  EXPECT_EQ(o.password, " Abc;def ");
  EXPECT_EQ(profile.written, std::vector<std::string>{"Options/Pwd"});
  EXPECT_EQ(profile.GetString("Options", "Pwd", "?"), " Abc;def ");
  EXPECT_EQ(Loaded().password, " Abc;def ");
  // Clearing the password unlocks editing and is stored too.
  o.SetPassword("");
  EXPECT_EQ(Loaded().password, "");
}

TEST_F(OptionsTest, SetDefaultsKeepsTheColors) {
  CAppOptions o = Loaded();
  o.colorNameText = 0x00123456;
  o.fonts[kFontScrapFN] = "Arial;Bold;30pt";
  o.mrgYears = 3;
  o.SetDefaults();
  EXPECT_EQ(o.colorNameText, 0x00123456);
  EXPECT_EQ(o.fonts[kFontScrapFN], "Times New Roman;Normal;10pt");
  EXPECT_EQ(o.mrgYears, 10);
}

TEST_F(OptionsTest, NoteTagsLiveInTheirOwnSection) {
  std::string tag = "stale";
  GetNoteTag(3, tag);
  EXPECT_EQ(tag, "");
  SetNoteTag(3, "Research:");
  SetNoteTag(12, "Sources:");
  EXPECT_EQ(profile.GetString("Note Tags", "Tag3", ""), "Research:");
  GetNoteTag(3, tag);
  EXPECT_EQ(tag, "Research:");
  GetNoteTag(12, tag);
  EXPECT_EQ(tag, "Sources:");
  GetNoteTag(1, tag);
  EXPECT_EQ(tag, "");
}

TEST_F(OptionsTest, ProfileAccessorsReadTheirValuesWithDefaults) {
  std::string folder = "stale";
  EXPECT_EQ(CAppOptions::GetReportsHideShade(), 0);
  EXPECT_EQ(GetPreviewPhotoPlaceholder(), 0);
  GetWebFolder(folder);
  EXPECT_EQ(folder, "");

  profile.SetInt("Reports", "Hide Shade", 1);
  profile.SetInt("Multimedia", "MMPPrevPH", 1);
  profile.SetString("Folders", "Web", "/home/a/web pages");
  EXPECT_EQ(CAppOptions::GetReportsHideShade(), 1);
  EXPECT_EQ(GetPreviewPhotoPlaceholder(), 1);
  GetWebFolder(folder);
  EXPECT_EQ(folder, "/home/a/web pages");
}

}  // namespace
