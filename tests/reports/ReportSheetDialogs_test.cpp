// What the sheet's small dialogs decide: titles, font choices, photo
// captions, preferences left off by page, the item preview and its
// exclusive pairs, and the marriage range.

#include <gtest/gtest.h>

#include "FakePorts.h"
#include "ReportSheetRules.h"
#include "SheetDialogRules.h"

namespace {

using namespace rpt;

TEST(ReportSheetDialogs, TitleJoinsTheNonEmptyParts) {
  struct Case {
    const char *prefix, *name, *suffix;
    bool include;
    const char* title;
  } cases[] = {
      {"Ancestors of", "Ann Lee", "", true, "Ancestors of Ann Lee"},
      {"Ancestors of ", "Erik Lind", "", true, "Ancestors of Erik Lind"},
      {"Scrapbook Page for ", "Ann Lee", "(draft)", true, "Scrapbook Page for Ann Lee (draft)"},
      {"Ancestors of", "Ann Lee", "", false, "Ancestors of"},
      {"", "Ann Lee", "(draft)", true, "Ann Lee (draft)"},
      {"A", "", "B", true, "A B"},
      {"", "", "", true, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(JoinReportTitle(c.prefix, c.name, c.suffix, c.include), c.title);
  EXPECT_EQ(JoinReportTitle("", std::string(100, 'x'), "", true).size(), 80u);
}

TEST(ReportSheetDialogs, FontChoicesPerPageWithDefaultsAndLimits) {
  plat::FakeProfile profile;
  plat::ScopedProfile scope(&profile);
  CAppOptions options;
  options.fonts[kFontPedPrim] = "Courier;Bold;11pt";
  struct Entry {
    const char *label, *def;
    int low, high;
  };
  struct Case {
    int page;
    bool wall;
    const char* caption;
    std::vector<Entry> entries;
  } cases[] = {
      {kPagePedigree,
       false,
       "Fonts for Pedigree",
       {{"Title", "Arial;Bold;16pt", 10, 32},
        {"Primary Individual", "Times New Roman;Bold;10pt", 6, 14},
        {"Other Individuals", "Times New Roman;Bold;9pt", 4, 12},
        {"Event Information", "Times New Roman;Normal;9pt", 4, 12},
        {"Index Headers", "Arial;Bold;11pt", 6, 12}}},
      {kPageFamilyGroup,
       false,
       "Fonts for Family Group Record",
       {{"Title", "Arial;Bold;16pt", 10, 36},
        {"Parent", "Times New Roman;Bold;12pt", 8, 20},
        {"Child", "Times New Roman;Bold;11pt", 6, 18},
        {"Event Information", "Times New Roman;Normal;9pt", 6, 12},
        {"Report Notes", "Times New Roman;Normal;9pt", 3, 12}}},
      {kPageDescendants,
       false,
       "Fonts for Descendants Chart",
       {{"Main Header", "Arial;Bold;14pt", 5, 48},
        {"Primary Individual", "Times New Roman;Bold;10pt", 5, 24},
        {"Other Individuals", "Times New Roman;Normal;9pt", 4, 18}}},
      {kPageAncestry,
       true,
       "Fonts for Ancestry Wall Chart",
       {{"Main Header", "Arial;Bold;14pt", 5, 150},
        {"Generation Headers", "Arial;Normal;11pt", 4, 150},
        {"Primary Individual (or Name)", "Times New Roman;Bold;10pt", 3, 150},
        {"Other Individuals (or Events)", "Times New Roman;Normal;9pt", 5, 150}}},
      {kPageIndividualSummary,
       false,
       "Notes Font for Reports",
       {{"Report Notes", "Times New Roman;Normal;9pt", 3, 12}}},
      {kPageLists, false, "", {}},
  };
  for (const Case& c : cases) {
    const shell::FontListModel model = ReportFontChoices(c.page, c.wall, options);
    EXPECT_EQ(model.caption, c.caption);
    ASSERT_EQ(model.entries.size(), c.entries.size()) << c.page;
    for (std::size_t i = 0; i < c.entries.size(); ++i) {
      const shell::FontEntry& e = model.entries[i];
      EXPECT_EQ(e.label, c.entries[i].label);
      EXPECT_EQ(e.defaultDescription, c.entries[i].def);
      EXPECT_EQ(e.minSize, c.entries[i].low) << e.label;
      EXPECT_EQ(e.maxSize, c.entries[i].high) << e.label;
      EXPECT_NE(e.flags & shell::kFontLimitSize, 0u);
    }
  }
  // The options' current font is shown; OK stores the edited choice back.
  shell::FontListModel pedigree = ReportFontChoices(kPagePedigree, false, options);
  EXPECT_EQ(pedigree.entries[1].description, "Courier;Bold;11pt");
  pedigree.entries[0].description = "Arial;Bold;20pt";
  StoreReportFontChoices(kPagePedigree, false, pedigree, options);
  EXPECT_EQ(options.fonts[kFontPedTitle], "Arial;Bold;20pt");
  EXPECT_EQ(options.fonts[kFontPedPrim], "Courier;Bold;11pt");
  // The calendar keeps its fonts in the profile's Options section.
  shell::FontListModel calendar = ReportFontChoices(kPageCalendar, false, options);
  ASSERT_EQ(calendar.entries.size(), 4u);
  calendar.entries[3].description = "Arial;Normal;7pt";
  StoreReportFontChoices(kPageCalendar, false, calendar, options);
  EXPECT_EQ(profile.GetString("Options", "FontCalText", ""), "Arial;Normal;7pt");
}

TEST(ReportSheetDialogs, PhotoCaptionAndHint) {
  struct Case {
    int index;
    const char* caption;
  } cases[] = {{1, "Photo Options for Pedigree"}, {2, "Photo Options for FGR"},
               {3, "Photo Options for Ancestry"}, {4, "Photo Options for Descendants"},
               {5, "Photo Options for Books"},    {6, "Photo Options for Individual"},
               {7, "Photo Options for Scrapbook"}};
  for (const Case& c : cases) EXPECT_EQ(PhotoDialogCaption(c.index), c.caption);
  EXPECT_EQ(PhotoDialogExplanation("Sizes in inches.", true),
            "Sizes in inches. Leave at 0 for defaults.");
  EXPECT_EQ(PhotoDialogExplanation("Sizes in inches.", false), "Sizes in inches.");
}

TEST(ReportSheetDialogs, PreferencesLeftOffByPage) {
  struct Case {
    int page;
    PreferencesDisabled off;  // zel, shading, placeholders
  } cases[] = {
      {kPagePedigree, {false, true, false}}, {kPageIndividualSummary, {false, true, false}},
      {kPageAncestry, {true, false, false}}, {kPageDescendants, {true, false, false}},
      {kPageBooks, {true, true, false}},     {kPageScrapbook, {true, true, false}},
      {kPageCalendar, {true, true, true}},   {kPageCustom, {true, false, true}},
      {kPageLists, {true, false, true}},     {kPageFamilyGroup, {false, false, false}},
  };
  for (const Case& c : cases) EXPECT_EQ(ReportPreferencesDisabled(c.page), c.off) << c.page;
}

TEST(ReportSheetDialogs, ItemPreviewAndExclusivePairs) {
  EXPECT_EQ(NameLinePreview(true, true, true), "Name (b.9999 m.9999 d.9999)");
  EXPECT_EQ(NameLinePreview(false, true, false), "Name (m.9999)");
  EXPECT_EQ(NameLinePreview(true, false, true), "Name (b.9999 d.9999)");
  EXPECT_EQ(NameLinePreview(false, false, false), "Name");

  struct Case {
    int first, second;  // checked in this order
    std::array<bool, kWallItemCount> result;
  } cases[] = {
      {kItemBirth, kItemChristening, {true, true, false, false, false, false, false, false, false}},
      {kItemBirth,
       kItemBirthOrChristening,
       {false, false, true, false, false, false, false, false, false}},
      {kItemBirthOrChristening,
       kItemChristening,
       {false, true, false, false, false, false, false, false, false}},
      {kItemDeathOrBurial,
       kItemBurial,
       {false, false, false, false, true, false, false, false, false}},
      {kItemDeath,
       kItemDeathOrBurial,
       {false, false, false, false, false, true, false, false, false}},
      {kItemDateLine,
       kItemDateAndPlace,
       {false, false, false, false, false, false, false, false, true}},
      {kItemDateAndPlace,
       kItemPlaceLine,
       {false, false, false, false, false, false, false, true, false}},
      // Pairs of different groups do not touch each other.
      {kItemBirthOrChristening,
       kItemDeathOrBurial,
       {false, false, true, false, false, true, false, false, false}},
  };
  for (const Case& c : cases) {
    std::array<bool, kWallItemCount> items{};
    CheckWallItem(items, c.first, true);
    CheckWallItem(items, c.second, true);
    EXPECT_EQ(items, c.result) << c.first << " then " << c.second;
  }
  std::array<bool, kWallItemCount> items{};
  items[kItemBirthOrChristening] = true;
  CheckWallItem(items, kItemBirth, false);
  EXPECT_TRUE(items[kItemBirthOrChristening]) << "clearing leaves the other side alone";
}

TEST(ReportSheetDialogs, NumberRange) { EXPECT_EQ(NumberRangeText(1, 250), "1 to 250"); }

}  // namespace

namespace {

TEST(ReportSheetDialogs, TitlesOnlyForTheirPages) {
  struct Case {
    int page;
    bool modifiedRegister;
    const char *name, *section, *prefix;
  } cases[] = {
      {rpt::kPageAncestry, false, "Ancestry Chart", "AncRpt", "Ancestors of "},
      {rpt::kPageDescendants, false, "Descendants Chart", "DescRpt", "Descendants of "},
      {rpt::kPageBooks, true, "Modified Register", "MRRpt", "Modified Register for"},
      {rpt::kPageBooks, false, "Ahnentafel", "AhnRpt", "Ahnentafel Chart for "},
      {rpt::kPageIndividualSummary, false, "Individual Summary", "IndRpt",
       "Individual Summary for"},
      {rpt::kPageScrapbook, false, "Scrapbook", "ScrapRpt", "Scrapbook Page for "},
      {rpt::kPageCalendar, false, "Event Calendar", "CalendarRpt", ""},
      {rpt::kPagePedigree, false, "", "", ""},
      {rpt::kPageFamilyGroup, false, "", "", ""},
  };
  for (const Case& c : cases) {
    const rpt::TitleSettings t = rpt::TitleSettingsOf(c.page, c.modifiedRegister);
    EXPECT_EQ(t.reportName, c.name);
    EXPECT_EQ(t.section, c.section);
    EXPECT_EQ(t.prefix, c.prefix);
  }
}

}  // namespace
