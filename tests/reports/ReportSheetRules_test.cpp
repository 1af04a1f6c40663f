// The sheet's fixed rules: report kinds of the pages, the printable-area
// minimums of Page Setup and of the check before a run, sizes typed in
// inches, and the wall chart's sample box with its warning.

#include "ReportSheetRules.h"

#include <gtest/gtest.h>

#include "FakePorts.h"
#include "RecordingDevice.h"

namespace {

using namespace rpt;

TEST(ReportSheetKinds, EachPageStartsItsReportKind) {
  struct Case {
    int page;
    bool modifiedRegister;
    int listIndex;
    int kind;
  } cases[] = {
      {kPagePedigree, false, 0, 1},         {kPageFamilyGroup, false, 0, 2},
      {kPageAncestry, false, 0, 3},         {kPageDescendants, false, 0, 4},
      {kPageBooks, false, 0, 200},          {kPageBooks, true, 0, 201},
      {kPageIndividualSummary, true, 0, 6}, {kPageScrapbook, false, 0, 7},
      {kPageCustom, false, 0, 8},           {kPageLists, false, 0, 100},
      {kPageLists, false, 4, 104},          {kPageLists, false, 14, 114},
      {kPageCalendar, false, 3, 10},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReportKindOfPage(c.page, c.modifiedRegister, c.listIndex), c.kind)
        << "page " << c.page << " list " << c.listIndex;
}

TEST(ReportSheetPageSetup, MinimumAreaIsAcceptedAndOneThousandthLessRefused) {
  struct Case {
    int page;
    bool wall;
    PrintableSize least;
  } cases[] = {
      {kPagePedigree, false, {6000, 6500}},
      {kPageFamilyGroup, false, {6000, 5000}},
      {kPageAncestry, false, {4000, 3000}},
      {kPageAncestry, true, {2500, 3000}},
      {kPageDescendants, true, {2500, 3000}},
      {kPageBooks, false, {3500, 3500}},
      {kPageIndividualSummary, false, {6500, 5000}},
      {kPageScrapbook, false, {3500, 3500}},
      {kPageCustom, false, {7400, 3500}},
      {kPageLists, false, {7400, 3500}},
      {kPageCalendar, false, {6000, 6000}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetMinimumPrintableSize(c.page, c.wall), c.least) << c.page;
    // Letter paper, margins leaving exactly the minimum.
    const int side = (8500 - c.least.width) / 2;
    const int tb = (11000 - c.least.height) / 2;
    PageMargins exact{side, tb, 8500 - c.least.width - side, 11000 - c.least.height - tb};
    EXPECT_TRUE(PageSetupMarginsFit(c.page, c.wall, 8500, 11000, exact)) << c.page;
    PageMargins wider = exact;
    ++wider.right;
    EXPECT_FALSE(PageSetupMarginsFit(c.page, c.wall, 8500, 11000, wider)) << c.page;
    PageMargins taller = exact;
    ++taller.top;
    EXPECT_FALSE(PageSetupMarginsFit(c.page, c.wall, 8500, 11000, taller)) << c.page;
  }
}

TEST(ReportSheetPageSetup, RefusalAndCaptionNameTheReport) {
  EXPECT_EQ(PageSetupRefusal(kPagePedigree, false),
            "Pedigree Charts require a minimum of 6.0\"\nof printable width, and 6.5\" of\n"
            "printable height.  Please readjust\nyour margin or paper size selections.");
  struct Case {
    int page;
    bool wall;
    const char* plural;
    const char* caption;
  } cases[] = {
      {kPageFamilyGroup, false, "Family Group Records", "Family Group Record Margins"},
      {kPageAncestry, true, "Wall Charts", "Wall Chart Margins"},
      {kPageDescendants, false, "Lineage Charts", "Lineage Chart Margins"},
      {kPageBooks, false, "Books", "Book Margins"},
      {kPageIndividualSummary, false, "Individual Summaries", "Individual Summary Margins"},
      {kPageScrapbook, false, "Scrapbook", "Scrapbook Margins"},
      {kPageCustom, false, "Custom Reports", "Custom Report Margins"},
      {kPageLists, false, "Lists", "List Margins"},
      {kPageCalendar, false, "Event Calendar", "Event Calendar Margins"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PageSetupNamesOf(c.page, c.wall).plural, c.plural);
    EXPECT_EQ(PageSetupCaption(c.page, c.wall), c.caption);
  }
  EXPECT_NE(PageSetupRefusal(kPageAncestry, true).find("2.5\"\nof printable width, and 3.0\""),
            std::string::npos);
}

RecordingDevice Printer(int paperWidth, int paperHeight) {
  RecordingDevice dc(600);
  dc.paperWidth = paperWidth;
  dc.paperHeight = paperHeight;
  dc.printableWidthMm = static_cast<int>(paperWidth * 25.4 / 1000) + 1;
  dc.printableHeightMm = static_cast<int>(paperHeight * 25.4 / 1000) + 1;
  return dc;
}

TEST(ReportSheetPrintableArea, CheckOnAPrinterWithTheLargePaperRuleForCharts) {
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scope(&boxes);
  const RecordingDevice letter = Printer(8500, 11000);
  const RecordingDevice a4 = Printer(8268, 11693);
  const RecordingDevice wall = Printer(40000, 30000);
  const PageMargins listDefaults{400, 500, 400, 500};
  struct Case {
    const char* name;
    const RecordingDevice* dc;
    int page;
    bool wallChart;
    PageMargins margins;
    const char* shortfall;  // null: the check passes
  } cases[] = {
      {"pedigree on letter", &letter, kPagePedigree, false, {700, 300, 300, 300}, nullptr},
      {"pedigree too narrow",
       &letter,
       kPagePedigree,
       false,
       {1300, 300, 1300, 300},
       "The printable width is 5.900\", 0.100\" less than the 6.000\" this report needs.\n"},
      {"pedigree too short",
       &letter,
       kPagePedigree,
       false,
       {700, 2300, 300, 2300},
       "The printable height is 6.400\", 0.100\" less than the 6.500\" this report needs.\n"},
      // A pedigree is never measured in hundredths: 6 inches on wide paper pass.
      {"pedigree on wide paper", &wall, kPagePedigree, false, {30000, 300, 4000, 300}, nullptr},
      // A wall chart over 32 inches is measured in hundredths against a tenth
      // of the minimum: 3 inches wide pass, 2.4 do not.
      {"wall chart 3 inches", &wall, kPageAncestry, true, {30000, 300, 7000, 300}, nullptr},
      {"wall chart 2.4 inches",
       &wall,
       kPageDescendants,
       true,
       {30000, 300, 7600, 300},
       "The printable width is 2.400\", 0.100\" less than the 2.500\" this report needs.\n"},
      // The lists and the custom report with their default margins on A4
      // (7.47 inches wide) and on letter.
      {"lists on A4", &a4, kPageLists, false, listDefaults, nullptr},
      {"custom report on A4", &a4, kPageCustom, false, listDefaults, nullptr},
      {"lists on letter", &letter, kPageLists, false, listDefaults, nullptr},
      {"lists too narrow",
       &letter,
       kPageLists,
       false,
       {600, 500, 600, 500},
       "The printable width is 7.300\", 0.100\" less than the 7.400\" this report needs.\n"},
  };
  for (const Case& c : cases) {
    boxes.Clear();
    EXPECT_EQ(CheckPrintableArea(c.dc, c.page, c.wallChart, c.margins), c.shortfall == nullptr)
        << c.name;
    if (c.shortfall == nullptr) {
      EXPECT_TRUE(boxes.Calls().empty()) << c.name;
    } else {
      ASSERT_EQ(boxes.Calls().size(), 1u) << c.name;
      // What is missing, and where to change it.
      EXPECT_EQ(boxes.Calls()[0].text,
                std::string("This report requires more printable\narea than you have allowed.\n\n"
                            "Please make adjustments in Page Setup.\n\n") +
                    c.shortfall +
                    "Page Setup in the Reports and Charts window sets the paper and the margins.")
          << c.name;
    }
  }
  boxes.Clear();
  EXPECT_FALSE(CheckPrintableArea(nullptr, kPagePedigree, false, {700, 300, 300, 300}));
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Unable to connect to printer");
}

TEST(ReportSheetInches, TypedSizesAndTheirRefusals) {
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scope(&boxes);
  struct Case {
    const char* text;
    int value;
    const char* message;  // nullptr: no box
  } cases[] = {
      {".75", 750, nullptr},
      {"2.5", 2500, nullptr},
      {"9.9999", 9999, nullptr},
      {"1.2345", 1234, nullptr},
      {"3", 3000, nullptr},
      {"1.250\"", 1250, nullptr},
      {"0", 0, nullptr},
      {"", -1, nullptr},
      {"10", -1, "10 is larger than 9.999\""},
      {"12.5", -1, "12.5 is larger than 9.999\""},
      {"1.2.3", -1, "1.2.3 contains invalid formatting."},
      {"1\".5", -1, "1\".5 contains invalid formatting."},
      {"1,5", -1, "1,5 contains an invalid character"},
      {"-1", -1, "-1 contains an invalid character"},
      {"2 in", -1, "2 in contains an invalid character"},
  };
  for (const Case& c : cases) {
    boxes.Clear();
    EXPECT_EQ(ParseInches(c.text), c.value) << c.text;
    if (c.message == nullptr) {
      EXPECT_TRUE(boxes.Calls().empty()) << c.text;
    } else {
      ASSERT_EQ(boxes.Calls().size(), 1u) << c.text;
      EXPECT_EQ(boxes.Calls()[0].text, c.message);
      EXPECT_EQ(boxes.Calls()[0].caption, "Size Error");
      EXPECT_EQ(boxes.Calls()[0].flags & plat::kMbIconMask, plat::kMbIconExclamation);
    }
  }
  EXPECT_EQ(FormatInches(1250), "1.250\"");
  EXPECT_EQ(FormatInches(750), "0.750\"");
  EXPECT_EQ(FormatInches(9999), "9.999\"");
}

// Text 10 units a character in the name font, 8 in the event font.
int Width(const std::string& text, bool nameFont) {
  return static_cast<int>(text.size()) * (nameFont ? 10 : 8);
}

TEST(ReportSheetWallChart, SampleLinesAndBoxWidths) {
  WallChartSample base;  // Ancestry, no identifiers, no box
  struct Case {
    const char* name;
    WallChartSample sample;
    const char* nameLine;
    const char* eventLine;
    int width;
  };
  auto with = [&base](auto change) {
    WallChartSample s = base;
    change(s);
    return s;
  };
  const Case cases[] = {
      {"plain name", base, "First Mid LastNm", "", 160 + 60 + 200},
      {"descendants spouse", with([](auto& s) { s.chart = 1; }), "  sp: First Mid LastNm", "",
       220 + 60 + 250},
      {"RIN", with([](auto& s) { s.identifierDisplay = 1; }), "First Mid LastNm-520", "",
       200 + 60 + 200},
      {"custom id", with([](auto& s) { s.identifierDisplay = 2; }), "First Mid LastNm-AE512I", "",
       230 + 60 + 200},
      {"suppressed", with([](auto& s) {
         s.identifierDisplay = 1;
         s.suppressRin = true;
       }),
       "First Mid LastNm", "", 420},
      {"all years", with([](auto& s) { s.birthYear = s.marriageYear = s.deathYear = true; }),
       "First Mid LastNm(b.1999 m.1999 d.1999)", "", 380 + 60 + 200},
      {"death year", with([](auto& s) { s.deathYear = true; }), "First Mid LastNm(d.1999)", "",
       240 + 60 + 200},
      {"event without a line", with([](auto& s) { s.anyEvent = true; }), "First Mid LastNm", "",
       420},
      {"place line", with([](auto& s) {
         s.anyEvent = true;
         s.placeLine = true;
       }),
       "First Mid LastNm", "Brenwick, Ardel, Olvan", 176 + 60 + 200},
      {"date and place", with([](auto& s) {
         s.anyEvent = true;
         s.dateAndPlace = true;
       }),
       "First Mid LastNm", "B: 12 Dec 1999-Brenwick, Ardel, Olvan", 296 + 60 + 200},
      {"photo beside", with([](auto& s) {
         s.photo = true;
         s.photoWidth = 1000;
         s.photoPlace = 0;
       }),
       "First Mid LastNm", "", 160 + 1050 + 60 + 200},
      {"photo above is the widest", with([](auto& s) {
         s.photo = true;
         s.photoWidth = 1000;
         s.photoPlace = 3;
       }),
       "First Mid LastNm", "", 1000 + 60 + 200},
      {"square single box", with([](auto& s) { s.box = true; }), "First Mid LastNm", "",
       160 + 100 + 200},
      {"square double box with shadow", with([](auto& s) {
         s.box = true;
         s.boxLine = 2;
         s.boxShadow = true;
       }),
       "First Mid LastNm", "", 160 + 100 + 60 + 80 + 200},
      // r = 0.1 * 0.2^0.33 = 0.05880...: round adds 2(r*sqrt2 - r), inverted 2r.
      {"round box", with([](auto& s) {
         s.box = true;
         s.boxCorner = 1;
       }),
       "First Mid LastNm", "", 200 + 48 + 200},
      {"inverted box with shadow", with([](auto& s) {
         s.box = true;
         s.boxCorner = 2;
         s.boxShadow = true;
       }),
       "First Mid LastNm", "", 160 + 109 + 80 + 200},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WallChartSampleNameLine(c.sample), c.nameLine) << c.name;
    EXPECT_EQ(WallChartSampleEventLine(c.sample), c.eventLine) << c.name;
    EXPECT_EQ(MeasureWallChartSampleBox(c.sample, Width), c.width) << c.name;
  }
}

TEST(ReportSheetWallChart, ColumnAsWideAsTheSampleFitsAndTheWarningReads) {
  EXPECT_TRUE(WallChartColumnFits(10000, 4, 2500, false));
  EXPECT_FALSE(WallChartColumnFits(10000, 4, 2501, false));
  EXPECT_TRUE(WallChartColumnFits(1000, 4, 2500, true));  // hundredths
  EXPECT_FALSE(WallChartColumnFits(1000, 4, 2510, true));
  EXPECT_EQ(WallChartWarningCaption(), "Wall Chart Warning");
  EXPECT_EQ(WallChartWarningText(),
            "The options you have chosen will likely cause undesired\ntruncation of "
            "information.  You might want to:\n   1. Select fewer generations per page;\n   "
            "2. Adjust the photo layout, if any;\n   3. Adjust the item options to put less on "
            "a single line.\n\nPush OK to continue with report, or Cancel to return\nand "
            "adjust options.");
}

}  // namespace
