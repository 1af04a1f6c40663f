// The Family Ordinance Summary: the walk's lines and headings, its work
// files read back by the pages, page breaks, Cancel and the marriage choice.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FakePorts.h"
#include "FamilyOrdinanceSummary.h"
#include "RecordingDevice.h"
#include "ReportFamilies.h"
#include "ReportKinds.h"

namespace {

// The kind letter and the first field of each line.
std::vector<std::string> Heads(const std::vector<std::vector<std::string>>& pages) {
  std::vector<std::string> out;
  for (const auto& page : pages)
    for (const std::string& line : page) {
      const std::size_t a = line.find('\x01');
      const std::size_t b = line.find('\x01', a + 1);
      out.push_back(line.substr(0, 1) + ":" +
                    line.substr(a + 1, b == std::string::npos ? b : b - a - 1));
    }
  return out;
}

class FamilyOrdinanceSummaryTest : public ReportFamiliesFixture {
 protected:
  void TearDown() override {
    rpt::SetFosMarriageChooser(nullptr);
    ReportFamiliesFixture::TearDown();
  }
  static RecordingDevice Device(int width, int height) {
    RecordingDevice dc;
    dc.SetMapMode(rpt::MM_HIENGLISH);
    dc.paperWidth = width + 800;
    dc.paperHeight = height + 1000;
    return dc;
  }
  static rpt::FamilyOrdinanceOptions Options(int generations) {
    rpt::FamilyOrdinanceOptions o;
    o.generations = generations;
    return o;
  }
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
};

TEST_F(FamilyOrdinanceSummaryTest, WalkWritesTheSectionsOfEachGeneration) {
  const Collapse f = BuildPedigreeCollapse();
  struct Case {
    int generations;
    std::vector<std::string> headings;
  };
  const std::vector<Case> cases = {
      {1, {"Individual, Spouse, and children"}},
      {2, {"Individual, Spouse, and children", "Father, Mother, brothers and sisters"}},
      {3,
       {"Individual, Spouse, and children", "Father, Mother, brothers and sisters",
        "FATHER'S ANCESTORS", "MOTHER'S ANCESTORS"}},
      {5,
       {"Individual, Spouse, and children", "Father, Mother, brothers and sisters",
        "FATHER'S ANCESTORS", "Grandfather's (Charles Ashdown) Parents", "MOTHER'S ANCESTORS",
        "Grandmother's (Diana Ashdown) Parents"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.generations);
    RecordingDevice dc = Device(10000, 10000);
    rpt::CFamilyOrdinanceSummaryGenerator g(f.kevin, Options(c.generations));
    ASSERT_EQ(g.PaginateFamilyOrdinanceSummary(&dc), 1);
    std::vector<std::string> headings;
    int individuals = 0, marriages = 0, children = 0;
    for (const std::string& h : Heads(g.PassPages())) {
      if (h[0] == 'G' || h[0] == 'A') headings.push_back(h.substr(2));
      if (h[0] == 'I') ++individuals;
      if (h[0] == 'M') ++marriages;
      if (h.rfind("C:Children", 0) != 0 && h[0] == 'C') ++children;
    }
    EXPECT_EQ(headings, c.headings);
    // Each ancestor couple's section: the person, the spouse and their
    // marriage; Kevin, unmarried, has his own line only.
    EXPECT_EQ(individuals, 2 * static_cast<int>(c.headings.size()) - 1);
    EXPECT_EQ(marriages, static_cast<int>(c.headings.size()) - 1);
    if (c.generations >= 2) {  // Kevin under his parents
      EXPECT_GE(children, 1);
    }
  }
}

// An I line: name, sex, birth date, birth place, death date and the three
// ordinances, each led by the separator.
TEST_F(FamilyOrdinanceSummaryTest, PersonLineHoldsTheEightFields) {
  CIndividualRecord person;
  person.surname = "Quill";
  person.givenNames[0] = "Ida";
  person.sex = 'F';
  person.christening.date.Set(1801, 2, 3);
  person.christening.place[0] = "York";
  person.christening.place[3] = "England";
  person.death.date.Set(1870, 1, 9);
  person.endowment.date.Set(1850, 4, 5);
  const auto rin = static_cast<std::int32_t>(family::Add(person, 0));
  RecordingDevice dc = Device(10000, 10000);
  rpt::CFamilyOrdinanceSummaryGenerator g(rin, Options(1));
  ASSERT_EQ(g.PaginateFamilyOrdinanceSummary(&dc), 1);
  ASSERT_EQ(g.PassPages()[0].size(), 2u);
  const std::string s = "\x01";
  // Without a birth date the christening stands in.
  EXPECT_EQ(g.PassPages()[0][1], "I" + s + "Ida Quill" + s + "F" + s +
                                     person.christening.date.ToString() + s + "York, England" + s +
                                     person.death.date.ToString() + s + s +
                                     person.endowment.date.ToString() + s);
}

// The A line carries the group title and the grandparents' heading; from
// depth 4 on the ordinal stands before "Great" with two blanks.
TEST(FosHeadings, TextsByDepthAndSex) {
  struct Case {
    int depth;
    bool male;
    std::string line;
  };
  const std::string s = "\x01";
  for (const Case& c : std::vector<Case>{
           {0, true, "G" + s + "Individual, Spouse, and children"},
           {1, false, "G" + s + "Father, Mother, brothers and sisters"},
           {2, true,
            "A" + s + "FATHER'S ANCESTORS" + s + "Father's (Al) Parents -- Grandparents of Ro"},
           {2, false,
            "A" + s + "MOTHER'S ANCESTORS" + s + "Mother's (Al) Parents -- Grandparents of Ro"},
           {3, true, "G" + s + "Grandfather's (Al) Parents"},
           {3, false, "G" + s + "Grandmother's (Al) Parents"},
           {4, true, "G" + s + "1st  Great Grandfather's (Al) Parents"},
           {5, false, "G" + s + "2nd  Great Grandmother's (Al) Parents"},
           {6, true, "G" + s + "3rd  Great Grandfather's (Al) Parents"},
           {7, true, "G" + s + "4th  Great Grandfather's (Al) Parents"},
       })
    EXPECT_EQ(rpt::FosHeadingLine(c.depth, c.male, "Al", "Ro"), c.line) << c.depth;
}

TEST(FosFields, LineBreaksAndTheSeparatorBecomeBlanks) {
  EXPECT_EQ(rpt::FosField("a\nb\x01"
                          "c\rd"),
            "a b c d");
  EXPECT_EQ(rpt::FosField("plain"), "plain");
}

TEST(FosColumns, PlaceColumnOnlyOnWidePages) {
  for (const int width : {8000, 9001, 14000}) {
    const auto c = rpt::BuildFosColumns(0, width);
    ASSERT_EQ(c.size(), 9u);
    const int place = width > 9000 ? 2000 : 0;
    const int h = (width - place - 2750) / 6;
    EXPECT_EQ(c[3].right - c[3].left, place) << width;
    EXPECT_EQ(c[4].left, 2700 + h + place) << width;
    EXPECT_EQ(c[8].right, 2700 + 5 * h + place + h - 100) << width;
    for (std::size_t i = 0; i < c.size(); ++i) EXPECT_LE(c[i].right, width) << width << " " << i;
  }
}

// On narrow and wide short pages: every page holds a line, the pages read
// back from the work files are the pass's pages, nothing is drawn below the
// bottom, and the end of printing deletes both files.
TEST_F(FamilyOrdinanceSummaryTest, PagesReadBackWhatThePassWrote) {
  const Collapse f = BuildPedigreeCollapse();
  for (const int width : {7000, 10000}) {
    SCOPED_TRACE(width);
    const int height = 910 + 6 * 170 + 60;
    RecordingDevice dc = Device(width, height);
    rpt::CFamilyOrdinanceSummaryGenerator g(f.kevin, Options(5));
    const int pages = g.PaginateFamilyOrdinanceSummary(&dc);
    ASSERT_GT(pages, 3);
    ASSERT_EQ(static_cast<int>(g.PassPages().size()), pages);
    const std::string content = g.Folder() + rpt::CFamilyOrdinanceSummaryGenerator::kContentName;
    const std::string offsets = g.Folder() + rpt::CFamilyOrdinanceSummaryGenerator::kOffsetName;
    EXPECT_EQ(std::filesystem::file_size(offsets), static_cast<std::uintmax_t>(pages * 4));
    g.OpenFosFiles(&dc);
    for (int page = 1; page <= pages; ++page) {
      EXPECT_FALSE(g.PassPages()[page - 1].empty());
      g.PrintFosPage(&dc, page, page == pages);
      EXPECT_EQ(g.LastPageLines(), g.PassPages()[page - 1]) << page;
      EXPECT_GE(g.LowestY(), -500 - height) << page;
    }
    CPrintInfo info;
    info.maxPage = pages;
    EXPECT_EQ(g.EndFosPrinting(&dc, &info), 1);
    EXPECT_FALSE(std::filesystem::exists(content));
    EXPECT_FALSE(std::filesystem::exists(offsets));
  }
}

// A preview keeps the work files, and the Print of the preview draws the
// same pages with a generator of its own; that printing deletes them.
TEST_F(FamilyOrdinanceSummaryTest, PreviewPrintReadsThePreviewedFiles) {
  const Collapse f = BuildPedigreeCollapse();
  RecordingDevice dc = Device(10000, 910 + 8 * 170);
  CPrintInfo info;
  rpt::CFamilyOrdinanceSummaryGenerator preview(f.kevin, Options(5));
  const int pages = preview.PaginateFamilyOrdinanceSummary(&dc);
  ASSERT_GT(pages, 1);
  info.maxPage = pages;
  rpt::CurrentReportRunState().printState = 2;
  preview.OpenFosFiles(&dc);
  EXPECT_EQ(preview.EndFosPrinting(&dc, &info), 1);
  const std::string content =
      preview.Folder() + rpt::CFamilyOrdinanceSummaryGenerator::kContentName;
  EXPECT_TRUE(std::filesystem::exists(content));

  rpt::CurrentReportRunState().printState = 4;
  rpt::CFamilyOrdinanceSummaryGenerator printer(f.kevin, Options(5));
  printer.OpenFosFiles(&dc);
  EXPECT_EQ(printer.PageCount(), pages);
  printer.PrintFosPage(&dc, pages, true);
  EXPECT_EQ(printer.LastPageLines(), preview.PassPages().back());
  EXPECT_EQ(printer.EndFosPrinting(&dc, &info), 1);
  EXPECT_FALSE(std::filesystem::exists(content));
  rpt::CurrentReportRunState().printState = 0;
}

TEST_F(FamilyOrdinanceSummaryTest, CancelGivesNoPagesAndNoFiles) {
  const Collapse f = BuildPedigreeCollapse();
  progress.cancelAfter = 3;
  RecordingDevice dc = Device(10000, 10000);
  rpt::CFamilyOrdinanceSummaryGenerator g(f.kevin, Options(5));
  EXPECT_EQ(g.PaginateFamilyOrdinanceSummary(&dc), 0);
  EXPECT_TRUE(g.Cancelled());
  EXPECT_FALSE(
      std::filesystem::exists(g.Folder() + rpt::CFamilyOrdinanceSummaryGenerator::kContentName));
  CPrintInfo info;
  EXPECT_EQ(g.EndFosPrinting(&dc, &info), 0);
}

TEST_F(FamilyOrdinanceSummaryTest, SecondMarriageIsAskedForAndShown) {
  const std::int32_t man = Person("Max", "Twice", 'M', 1900);
  Marry(man, Person("Wendy", "First", 'F', 1901));
  const std::int32_t second = Marry(man, Person("Vera", "Second", 'F', 1902));
  std::vector<std::int32_t> asked;
  rpt::SetFosMarriageChooser([&](std::int32_t rin) {
    asked.push_back(rin);
    return second;
  });
  RecordingDevice dc = Device(10000, 10000);
  rpt::CFamilyOrdinanceSummaryGenerator g(man, Options(1));
  ASSERT_EQ(g.PaginateFamilyOrdinanceSummary(&dc), 1);
  EXPECT_EQ(asked, std::vector<std::int32_t>{man});
  const auto heads = Heads(g.PassPages());
  ASSERT_GE(heads.size(), 3u);
  EXPECT_NE(heads[2].find("Vera"), std::string::npos) << heads[2];
}

}  // namespace
