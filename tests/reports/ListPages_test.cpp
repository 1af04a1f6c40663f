// The list pages on the recording device: the frame (title, headings,
// footer, "Printed by"), each kind's columns and the shading.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "CustomFieldCatalog.h"
#include "CustomReport.h"
#include "FakePorts.h"
#include "ListPages.h"
#include "ListPagination.h"
#include "MergeWorkFile.h"
#include "RecordingDevice.h"
#include "ReportFamilies.h"
#include "ReportJob.h"
#include "ReportKinds.h"
#include "ReportPrintSetup.h"
#include "TestHelpers.h"

namespace {

// The texts a page wrote, in order.
std::vector<std::string> Texts(const std::vector<std::string>& calls) {
  std::vector<std::string> out;
  for (const std::string& call : calls) {
    if (call.rfind("TextOut ", 0) != 0) continue;
    // "TextOut x y text"
    std::size_t at = call.find(' ', 8);
    at = call.find(' ', at + 1);
    out.push_back(at == std::string::npos ? std::string() : call.substr(at + 1));
  }
  return out;
}

bool Has(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

int Count(const std::vector<std::string>& calls, const std::string& prefix) {
  return static_cast<int>(std::count_if(
      calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
}

// The index in texts of the first text that starts with prefix (-1 none).
int IndexOf(const std::vector<std::string>& texts, const std::string& prefix) {
  for (std::size_t i = 0; i < texts.size(); ++i)
    if (texts[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
  return -1;
}

// The top of "FillRect left top right bottom colour".
int FillTop(const std::string& call) {
  int left = 0, top = 0;
  std::sscanf(call.c_str(), "FillRect %d %d", &left, &top);
  return top;
}

class ListPages : public ReportFamiliesFixture {
 protected:
  void SetUp() override {
    ReportFamiliesFixture::SetUp();
    rpt::RegisterMoreListReports();
  }
  void TearDown() override {
    rpt::CleanupListPages();
    rpt::CurrentReportRequest() = {};
    ReportFamiliesFixture::TearDown();
  }
  // The lines per page of the recording device's page.
  int Lines() {
    RecordingDevice dc(1000);
    const rpt::Rect m = rpt::ReportMarginsOf(rpt::kIndividualsByRin);
    return CListPagesGenerator::LinesPerPage(dc.paperHeight - m.top - m.bottom);
  }
  // The drawing calls of one page of kind.
  std::vector<std::string> Draw(int kind, int page = 1, bool preview = false) {
    CReportJob job(kind);
    auto* g = dynamic_cast<CListPagesGenerator*>(job.Generator());
    EXPECT_NE(g, nullptr);
    if (g == nullptr) return {};
    g->SetPreviewing(preview);
    RecordingDevice dc(1000);
    dc.SetMapMode(rpt::MM_HIENGLISH);
    CPrintInfo info;
    info.currentPage = page;
    job.BeginPrinting(&dc, &info);
    job.PrintPage(&dc, &info);
    return dc.calls;
  }
};

TEST_F(ListPages, SortedRinListFrameColumnsAndRelatedPerson) {
  const Collapse f = BuildPedigreeCollapse();
  ASSERT_GT(rpt::PaginateSortedRINList(f.frank, f.kevin, Lines()), 0);
  const auto calls = Draw(rpt::kIndividualsByRin);
  const auto t = Texts(calls);
  for (const char* text : {"Sorted Individuals List", "Born", "Died", "/Chr", "/Bur", "RIN", "Name",
                           "MRIN", "Spouse, Parent or Child", "Printed by Korvane", "Page  1"})
    EXPECT_TRUE(Has(t, text)) << text;
  // Given names first in this kind, in RIN order; Frank's spouse Helen.
  const int frank = IndexOf(t, "Frank");
  const int helen = IndexOf(t, "Helen");
  const int kevin = IndexOf(t, "Kevin");
  ASSERT_GE(frank, 0);
  EXPECT_LT(frank, helen);
  EXPECT_LT(helen, kevin);
  EXPECT_EQ(t[static_cast<std::size_t>(frank) + 3], std::to_string(f.cousins));
  EXPECT_EQ(t[static_cast<std::size_t>(frank) + 4], "S");
  EXPECT_EQ(t[static_cast<std::size_t>(frank) + 5], "Grant, Helen");
  // Kevin (no death date) has no spouse: his parents' family and his father.
  EXPECT_EQ(t[static_cast<std::size_t>(kevin) + 2], std::to_string(f.cousins));
  EXPECT_EQ(t[static_cast<std::size_t>(kevin) + 3], "P");
  EXPECT_EQ(t[static_cast<std::size_t>(kevin) + 4], "Ashdown, Frank");
}

TEST_F(ListPages, NoPrintedByLineInThePreview) {
  BuildCouples();
  ASSERT_GT(rpt::PaginateSortedRINList(1, 100, Lines()), 0);
  EXPECT_TRUE(Has(Texts(Draw(rpt::kIndividualsByRin, 1, false)), "Printed by Korvane"));
  EXPECT_FALSE(Has(Texts(Draw(rpt::kIndividualsByRin, 1, true)), "Printed by Korvane"));
}

TEST_F(ListPages, RowsFourToSixOfEverySixAreShaded) {
  struct Case {
    int people;
    std::vector<int> shadedLines;
  };
  const Case cases[] = {{3, {}}, {5, {3, 4}}, {8, {3, 4, 5}}, {13, {3, 4, 5, 9, 10, 11}}};
  for (const Case& c : cases) {
    for (int i = 0; i < c.people; ++i) Person("P" + std::to_string(i), "Unlinked", 'M', 1900);
    ASSERT_GT(rpt::PaginateUnlinkedList(Lines()), 0);
    const auto calls = Draw(rpt::kUnlinkedList);
    std::vector<int> tops;
    for (const std::string& call : calls)
      if (call.rfind("FillRect ", 0) == 0) tops.push_back(FillTop(call));
    ASSERT_EQ(tops.size(), c.shadedLines.size()) << c.people;
    for (std::size_t i = 1; i < tops.size(); ++i)
      EXPECT_EQ(tops[i - 1] - tops[i], 162 * (c.shadedLines[i] - c.shadedLines[i - 1]));
    rpt::CleanupListPages();
    for (std::int32_t rin = DbGetRIN(0, db::kQueryIndividuals, db::kWalkNext); rin != 0;
         rin = DbGetRIN(0, db::kQueryIndividuals, db::kWalkNext))
      ASSERT_EQ(DbDeleteRecord(rin, db::kIndividual), 1);
  }
}

TEST_F(ListPages, MarriagesWithoutSpousesShowTheOldestChildOrEmpty) {
  const Couples c = BuildCouples();
  CMarriageRecord none;
  const auto withChild = static_cast<std::int32_t>(family::Add(none, 0));
  const auto empty = static_cast<std::int32_t>(family::Add(none, 0));
  Child(withChild, Person("Orphan", "Oak", 'F', 1990));
  ASSERT_EQ(rpt::PaginateMarriageList(0, 1, 100, "", "", Lines()), 4);
  const auto t = Texts(Draw(rpt::kMarriagesList));
  for (const char* text : {"Sorted Marriages List", "Husband", "Marriage", "(*Oldest Child)",
                           "Wife", "Date", "Place", "(Div)", "Empty Marriage"})
    EXPECT_TRUE(Has(t, text)) << text;
  EXPECT_EQ(IndexOf(t, "*Orphan"), IndexOf(t, std::to_string(withChild)) + 1);
  EXPECT_EQ(IndexOf(t, "Empty Marriage"), IndexOf(t, std::to_string(empty)) + 1);
  EXPECT_GE(IndexOf(t, "Irwin, Ivan"), 0);
  EXPECT_LT(IndexOf(t, "Irwin, Ivan"), IndexOf(t, "Lane, Leo"));
  (void)c;
}

TEST_F(ListPages, EndOfLineForOnePersonNamesHimInTheTitle) {
  const Collapse f = BuildPedigreeCollapse();
  rpt::CurrentReportRequest().startRin = f.kevin;
  ASSERT_EQ(rpt::PaginateEndOfLineList(1, f.kevin, Lines()), 4);
  const auto t = Texts(Draw(rpt::kEndOfLine));
  EXPECT_TRUE(Has(t, "End-of-Line Report for Kevin Ashdown"));
  EXPECT_TRUE(Has(t, "Spouse or Child"));
  // Surname first, in name order.
  EXPECT_LT(IndexOf(t, "Ashdown, Arthur"), IndexOf(t, "Bell, Beatrice"));
  EXPECT_LT(IndexOf(t, "Evans, Edith"), IndexOf(t, "Grant, George"));
}

TEST_F(ListPages, DuplicateGroupsStartAfterABlankLineAndAlternateTheirShading) {
  for (int i = 0; i < 2; ++i) Person("Anna", "Abel", 'F', 1900);
  for (int i = 0; i < 2; ++i) Person("Bert", "Cole", 'M', 1900);
  MatchOptions m;
  m.mrgParents = 0;
  ASSERT_EQ(rpt::PaginateDuplicatesList(m, Lines()), 1);
  const auto calls = Draw(rpt::kDuplicatesList);
  const auto t = Texts(calls);
  EXPECT_TRUE(Has(t, "Duplicates List"));
  // The second group is on lines 3 and 4 (after the blank line 2): shaded.
  EXPECT_EQ(Count(calls, "FillRect "), 2);
  // The first group is not shaded: its lines lie above every shaded top.
  int firstAbel = 0;
  for (const std::string& call : calls)
    if (call.rfind("TextOut ", 0) == 0 && call.find("ABEL, Anna") != std::string::npos) {
      std::sscanf(call.c_str(), "TextOut %*d %d", &firstAbel);
      break;
    }
  for (const std::string& call : calls)
    if (call.rfind("FillRect ", 0) == 0) {
      EXPECT_LT(FillTop(call), firstAbel - 162);
    }
}

TEST_F(ListPages, APageWithoutAnEntryDrawsNothing) {
  Person("Solo", "Single", 'M', 1900);
  ASSERT_EQ(rpt::PaginateUnlinkedList(Lines()), 1);
  EXPECT_TRUE(Draw(rpt::kUnlinkedList, 2).empty());
  EXPECT_FALSE(Draw(rpt::kUnlinkedList, 1).empty());
}

}  // namespace

namespace {

class CustomPages : public ListPages {
 protected:
  void TearDown() override {
    rpt::CleanupCustomReportPages();
    ListPages::TearDown();
  }
  static void Column(CCustomReportLayout& layout, std::int32_t id, int width,
                     const std::string& heading) {
    auto c = std::make_unique<CCustomReportColumn>();
    c->fieldId = id;
    c->width = width;
    c->heading = heading;
    layout.columns.push_back(std::move(c));
  }
  std::vector<std::string> DrawCustom(const CCustomReportLayout& layout, int page = 1) {
    CListPagesGenerator g(rpt::kCustomReport, 0);
    g.SetCustomLayout(&layout);
    RecordingDevice dc(1000);
    dc.SetMapMode(rpt::MM_HIENGLISH);
    CPrintInfo info;
    info.currentPage = page;
    g.BeginPrinting(&dc, &info);
    g.DrawPage(&dc, &info, nullptr);
    return dc.calls;
  }
  // The y of the text call whose text is text (0 when none).
  static int YOf(const std::vector<std::string>& calls, const std::string& text) {
    for (const std::string& call : calls) {
      const std::size_t at = call.rfind(" " + text);
      if (call.rfind("ExtTextOut ", 0) == 0 && at != std::string::npos &&
          at + text.size() + 1 == call.size()) {
        int x = 0, y = 0;
        std::sscanf(call.c_str(), "ExtTextOut %d %d", &x, &y);
        return y;
      }
    }
    return 0;
  }
};

TEST_F(CustomPages, ColumnsWrapToASecondRowAndLinesAlternateTheirShading) {
  std::vector<std::int32_t> rins;
  for (int i = 0; i < 4; ++i)
    rins.push_back(Person("G" + std::to_string(i), "Wrap", 'M', 1900 + i));
  CCustomReportLayout layout;
  layout.title = "My Layout";
  Column(layout, rpt::kFieldSurnameGiven, 30, "Full Name");
  Column(layout, rpt::kFieldRin, 6, "RIN");
  Column(layout, rpt::kFieldBirthDate, 150, "Born");  // too wide for the first row
  ASSERT_EQ(rpt::PaginateCustomReport(rins, layout, 10), 1);
  const auto calls = DrawCustom(layout);
  EXPECT_TRUE(Has(Texts(calls), "My Layout"));
  const int fullName = YOf(calls, "Full Name");
  const int born = YOf(calls, "Born");
  ASSERT_NE(fullName, 0);
  EXPECT_LT(born, fullName) << "the wide heading starts a second row";
  EXPECT_EQ(YOf(calls, "RIN"), fullName);
  // Each line takes two rows; the second and fourth lines are shaded.
  EXPECT_EQ(Count(calls, "FillRect "), 2);
  const int first = YOf(calls, "Wrap, G0");
  const int second = YOf(calls, "Wrap, G1");
  EXPECT_GT(first, YOf(calls, "14 May 1900"));
  EXPECT_GT(YOf(calls, "14 May 1900"), second);
}

// A full page ends above the footer's rule, in one row a line or two, and
// a date column shows a whole double-dated date.
TEST_F(CustomPages, AFullPageEndsAboveTheFooterAndDatesStayWhole) {
  std::vector<std::int32_t> rins;
  for (int i = 0; i < 150; ++i) {
    CIndividualRecord person;
    person.surname = "Full";
    person.givenNames[0] = "G" + std::to_string(i);
    person.sex = 'M';
    person.birth.date.Set(1712, 3, 19, 0, 1);
    person.birth.place[0] = "Hallstad";
    rins.push_back(static_cast<std::int32_t>(family::Add(person, 0)));
  }
  const struct {
    const char* name;
    int placeWidth;
  } cases[] = {{"one row", 20}, {"two rows", 150}};
  // The default body font, 10 points: rows 6/5 of its height apart.
  const int bodyRow = 10 * 1000 / 72 * 6 / 5;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CCustomReportLayout layout;
    layout.title = "Full Pages";
    Column(layout, rpt::kFieldSurnameGiven, 25, "Name");
    Column(layout, rpt::kFieldBirthDate, 15, "Birth Date");
    Column(layout, rpt::kFieldBirthPlace, c.placeWidth, "Birth Place");
    RecordingDevice measure(1000);
    const int lines = CListPagesGenerator::CustomLinesPerPage(&measure, layout);
    ASSERT_GT(lines, 10);
    ASSERT_GE(rpt::PaginateCustomReport(rins, layout, lines), 2);
    const auto calls = DrawCustom(layout, 1);
    int footer = 0, lowest = 0, rows = 0;
    for (const std::string& call : calls) {
      int x = 0, y = 0;
      if (call.rfind("TextOut ", 0) == 0 && call.ends_with(" Page  1")) {
        std::sscanf(call.c_str(), "TextOut %d %d", &x, &y);
        footer = y;
      }
      if (call.rfind("ExtTextOut ", 0) == 0 && call.ends_with(" Hallstad")) {
        std::sscanf(call.c_str(), "ExtTextOut %d %d", &x, &y);
        lowest = std::min(lowest, y);
        ++rows;
      }
    }
    EXPECT_EQ(rows, lines) << "the page is full";
    ASSERT_NE(footer, 0);
    // The rule is 50 above the footer's texts.
    EXPECT_GT(lowest - bodyRow, footer + 50);
    EXPECT_NE(YOf(calls, "19 Mar 1712/1713"), 0);
    rpt::CleanupCustomReportPages();
  }
}

// Saved as RTF, each row of a two-row layout is set under tab stops of its
// own, in order, and a second-row cell lands under its own heading.
TEST_F(CustomPages, TheRTFOfATwoRowLayoutSetsEachRowUnderItsOwnStops) {
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
  CIndividualRecord person;
  person.surname = "Tabb";
  person.givenNames[0] = "Ada";
  person.sex = 'F';
  person.birth.date.Set(1850, 4, 2, 0, 0);
  person.birth.place[0] = "Bornville";
  person.death.date.Set(1920, 7, 9, 0, 0);
  person.death.place[0] = "Diedham";
  const std::vector<std::int32_t> rins{static_cast<std::int32_t>(family::Add(person, 0))};
  CCustomReportLayout layout;
  layout.title = "Two Rows";
  Column(layout, rpt::kFieldSurnameGiven, 25, "Name");
  Column(layout, rpt::kFieldBirthDate, 15, "Birth Date");
  Column(layout, rpt::kFieldBirthPlace, 100, "Birth Place");
  Column(layout, rpt::kFieldDeathDate, 15, "Death Date");
  Column(layout, rpt::kFieldDeathPlace, 60, "Death Place");
  ASSERT_EQ(rpt::PaginateCustomReport(rins, layout, 10), 1);
  const auto calls = DrawCustom(layout);
  ASSERT_LT(YOf(calls, "Death Date"), YOf(calls, "Birth Place")) << "a second row";

  const std::string path = dir.File("custom.rtf");
  CListPagesGenerator g(rpt::kCustomReport, 0);
  g.SetCustomLayout(&layout);
  g.SetRTFOutput(true);
  g.SetOutputFileName(path);
  RecordingDevice dc(1000);
  dc.SetMapMode(rpt::MM_HIENGLISH);
  CPrintInfo info;
  info.currentPage = 1;
  info.maxPage = 1;
  g.BeginPrinting(&dc, &info);
  g.DrawPage(&dc, &info, nullptr);
  g.EndPrinting(&dc, &info);
  const std::string rtf = ReadAll(path);
  ASSERT_FALSE(rtf.empty());

  // Every tab set: stops rising, none twice.
  std::vector<std::vector<int>> sets;
  for (std::size_t at = rtf.find("\\pard"); at != std::string::npos;
       at = rtf.find("\\pard", at + 1)) {
    std::vector<int> stops;
    std::size_t p = at + 5;
    while (true) {
      if (rtf.compare(p, 5, "\\tqr ") == 0) p += 5;
      if (rtf.compare(p, 3, "\\tx") != 0) break;
      stops.push_back(std::atoi(rtf.c_str() + p + 3));
      p = rtf.find_first_not_of("0123456789-", p + 3);
    }
    if (!stops.empty()) sets.push_back(stops);
    for (std::size_t i = 1; i < stops.size(); ++i)
      EXPECT_LT(stops[i - 1], stops[i]) << rtf.substr(at, 120);
  }
  ASSERT_FALSE(sets.empty());

  // The second row of the person's line: its death date at the origin, the
  // place one tab on, under a set of the second row's two columns.
  const std::size_t place = rtf.find("Diedham");
  ASSERT_NE(place, std::string::npos);
  std::size_t start = place;
  do start = rtf.rfind("\\par", start - 1);
  while (start != std::string::npos && rtf.compare(start, 5, "\\pard") == 0);
  ASSERT_NE(start, std::string::npos);
  const std::string line = rtf.substr(start + 4, place - start - 4);
  const std::size_t date = line.find("1920");
  ASSERT_NE(date, std::string::npos) << line;
  ASSERT_NE(line.find("\\tab"), std::string::npos) << line;
  EXPECT_EQ(line.find("\\tab"), line.rfind("\\tab")) << "one tab: " << line;
  EXPECT_GT(line.find("\\tab"), date) << line;
  const std::size_t pard = rtf.rfind("\\pard", place);
  ASSERT_NE(pard, std::string::npos);
  const std::string set = rtf.substr(pard, rtf.find(' ', pard) - pard);
  int stops = 0;
  for (std::size_t at = set.find("\\tx"); at != std::string::npos; at = set.find("\\tx", at + 1))
    ++stops;
  EXPECT_EQ(stops, 2) << set;
}

TEST_F(CustomPages, OneRowLinesShadeRowsFourToSix) {
  std::vector<std::int32_t> rins;
  for (int i = 0; i < 7; ++i) rins.push_back(Person("G" + std::to_string(i), "Row", 'M', 1900));
  CCustomReportLayout layout;
  layout.title = "Rows";
  Column(layout, rpt::kFieldSurnameGiven, 20, "Name");
  ASSERT_EQ(rpt::PaginateCustomReport(rins, layout, 5), 2);
  EXPECT_EQ(Count(DrawCustom(layout, 1), "FillRect "), 2) << "lines 4 and 5 of page 1";
  EXPECT_EQ(Count(DrawCustom(layout, 2), "FillRect "), 0);
  EXPECT_TRUE(DrawCustom(layout, 3).empty());
}

}  // namespace

namespace {

TEST_F(ListPages, OrdinanceAndSealingListsShowTheirDatesAndStatuses) {
  CIndividualRecord person;
  person.surname = "Ord";
  person.givenNames[0] = "Olga";
  person.sex = 'F';
  person.birth.date.Set(1900, 5, 14);
  person.baptism.date.Set(1950, 3, 4);
  person.endowment.date.Set(0, CDateValue::kStatusSubmitted);
  const auto rin = static_cast<std::int32_t>(family::Add(person, 0));
  const std::int32_t mrin = Marry(Person("Sam", "Seal", 'M', 1898), rin);
  CMarriageRecord m;
  ASSERT_EQ(family::Read(m, mrin), 1);
  m.marriage.date.Set(1921, 6, 1);
  m.status = 'D';
  ASSERT_EQ(family::Update(m, 0), 1);

  ASSERT_EQ(rpt::PaginateIncompleteOrdinances(Lines(), 0, 0, "ORD", "ORD", 0, 1, 1, 0, 2), 1);
  auto t = Texts(Draw(rpt::kIncompleteOrdinances));
  for (const char* text : {"Missing Individual Ordinances", "Baptized", "Endowed", "Sealed to",
                           "Parents", "Ord, Olga", "4 Mar 1950"})
    EXPECT_TRUE(Has(t, text)) << text;
  // Born, then (no death) baptized, then the endowment's status.
  EXPECT_EQ(IndexOf(t, "Ord, Olga") + 2, IndexOf(t, "4 Mar 1950"));
  EXPECT_EQ(IndexOf(t, "Ord, Olga") + 3, IndexOf(t, "Submitted"));
  rpt::CleanupListPages();

  ASSERT_EQ(rpt::PaginateMissingSealings(Lines(), 0, 0, 1, 0, 0, 0, 0, 2), 1);
  t = Texts(Draw(rpt::kMissingSealings));
  for (const char* text : {"Missing Marriage Sealings", "Marriage", "Date of", "Year", "Sealing",
                           "1921", "(Div)", "Seal, Sam", "Ord, Olga"})
    EXPECT_TRUE(Has(t, text)) << text;
}

}  // namespace

namespace {

class NoViewHost : public PrintSetupHost {
 public:
  bool PrintablePage(const rpt::Rect&, int&, int&, rpt::ReportDevice*&, int&) override {
    return false;
  }
  bool RunPrintDialog(CPrintInfo&, bool, bool) override { return true; }
  void SetDocumentTitle(const std::string&) override {}
  void ResetDocumentTitle() override {}
  int CalendarSelectionCount() override { return 0; }
  void EndPrintingFromSetup() override {}
  bool AskRtfPath(std::string&) override { return false; }
};

TEST_F(ListPages, CountedListsGiveNoPageForNoRecordsAndOneForAFullPage) {
  // Five lines a page: (height - 950) / 162.
  const int height = 950 + 162 * 5;
  struct Case {
    int people, pages;
  };
  const Case cases[] = {{0, 0}, {5, 1}, {6, 2}};
  int made = 0;
  for (const Case& c : cases) {
    for (; made < c.people; ++made) Person("P" + std::to_string(made), "Count", 'M', 1900);
    rpt::CurrentReportRequest().startRin = 1;
    rpt::CurrentReportRequest().endRin = 1000;
    NoViewHost host;
    CReportPrintSetup setup(host);
    setup.SetReportKind(rpt::kIndividualsByRin);
    CPrintInfo info;
    RecordingDevice dc(1000);
    EXPECT_EQ(setup.Paginate(info, 7500, height, &dc, 0), c.pages) << c.people;
    EXPECT_EQ(rpt::CurrentReportRequest().entryCount, c.people);
    rpt::CloseListWorkFile();
  }
}

}  // namespace

// ---- every column's text stays in its column ----

namespace {

constexpr const char* kGreatFire = "(in the year of the great fire, 1637)";

struct Paper {
  const char* name;
  int width, height;  // thousandths of an inch
};
constexpr Paper kA4{"A4", 8268, 11693};
constexpr Paper kLetter{"Letter", 8500, 11000};

struct ColumnCase {
  int kind;
  const char* name;
  Paper paper;
};

std::string ColumnCaseName(const testing::TestParamInfo<ColumnCase>& info) {
  return std::string(info.param.name) + "_" + info.param.paper.name;
}

void PrintTo(const ColumnCase& c, std::ostream* os) { *os << c.name << " on " << c.paper.name; }

// "TextOut x y text" split.
struct TextRun {
  int x = 0, y = 0;
  std::string text;
};
std::vector<TextRun> Runs(const std::vector<std::string>& calls) {
  std::vector<TextRun> runs;
  for (const std::string& call : calls) {
    TextRun r;
    int consumed = 0;
    if (std::sscanf(call.c_str(), "TextOut %d %d %n", &r.x, &r.y, &consumed) < 2) continue;
    r.text = call.substr(static_cast<std::size_t>(consumed));
    if (!r.text.empty()) runs.push_back(r);
  }
  return runs;
}

}  // namespace

class ListColumns : public ListPages, public testing::WithParamInterface<ColumnCase> {
 protected:
  // A husband and wife, and one unlinked person, whose dates are long texts
  // and whose names and places are long.
  void BuildLongTexts() {
    auto add = [](const char* given, const char* surname, char sex) {
      CIndividualRecord person;
      person.surname = surname;
      person.givenNames[0] = given;
      person.givenNames[1] = "Maximilian Bartholomew";
      person.sex = sex;
      person.birth.date.SetText(kGreatFire);
      person.death.date.SetText("(after the long winter of the plague, 1665)");
      const auto rin = static_cast<std::int32_t>(family::Add(person, 0));
      EXPECT_GT(rin, 0);
      return rin;
    };
    const std::int32_t husband = add("Frederick", "Ashdown-Worthington", 'M');
    const std::int32_t wife = add("Henrietta", "Bellingham-Fairweather", 'F');
    add("Ulrich", "Unlinkedsson-Longname", 'M');
    const std::int32_t mrin = Marry(husband, wife);
    CMarriageRecord marriage;
    ASSERT_EQ(family::Read(marriage, mrin), 1);
    marriage.marriage.date.SetText(kGreatFire);
    marriage.marriage.place[0] = "Saint Mary Magdalene in the Fields";
    marriage.marriage.place[1] = "Westminster";
    marriage.marriage.place[2] = "Middlesex";
    marriage.marriage.place[3] = "England";
    marriage.status = 'D';
    ASSERT_EQ(family::Update(marriage, 0), 1);
  }

  // The alphabetical list's RTF on paper: the long person's row.
  void RTFCellsOn(const Paper& paper);

  std::vector<std::string> DrawOn(const Paper& paper, int kind) {
    CReportJob job(kind);
    auto* g = dynamic_cast<CListPagesGenerator*>(job.Generator());
    EXPECT_NE(g, nullptr);
    if (g == nullptr) return {};
    RecordingDevice dc(1000);
    dc.paperWidth = paper.width;
    dc.paperHeight = paper.height;
    dc.SetMapMode(rpt::MM_HIENGLISH);
    CPrintInfo info;
    info.currentPage = 1;
    job.BeginPrinting(&dc, &info);
    job.PrintPage(&dc, &info);
    return dc.calls;
  }
};

TEST_P(ListColumns, NoTextRunsIntoTheNextColumnOrPastTheRightEdge) {
  const ColumnCase c = GetParam();
  BuildLongTexts();
  const rpt::Rect m = rpt::ReportMarginsOf(c.kind);
  const int lines = CListPagesGenerator::LinesPerPage(c.paper.height - m.top - m.bottom);
  switch (c.kind) {
    case rpt::kUnlinkedList:
      ASSERT_GT(rpt::PaginateUnlinkedList(lines), 0);
      break;
    case rpt::kIndividualsByRin:
      ASSERT_GT(rpt::PaginateSortedRINList(1, 100, lines), 0);
      break;
    case rpt::kIndividualsByAlpha:
      ASSERT_GT(rpt::PaginateAlphaList("", "", lines), 0);
      break;
    case rpt::kMarriagesList:
      ASSERT_GT(rpt::PaginateMarriageList(0, 1, 100, "", "", lines), 0);
      break;
  }
  const std::vector<TextRun> runs = Runs(DrawOn(c.paper, c.kind));
  const int right = c.paper.width - m.right;
  const int width = 50;  // the recording device's character
  bool dated = false;
  for (const TextRun& run : runs) {
    dated |= run.text.rfind("(in the year", 0) == 0;
    EXPECT_LE(run.x + width * static_cast<int>(run.text.size()), right)
        << "past the right edge: " << run.text;
    // The next text to the right on the same line starts after this one ends.
    const TextRun* next = nullptr;
    for (const TextRun& other : runs)
      if (other.y == run.y && other.x > run.x && (next == nullptr || other.x < next->x))
        next = &other;
    if (next != nullptr) {
      EXPECT_LE(run.x + width * static_cast<int>(run.text.size()), next->x)
          << "\"" << run.text << "\" runs into \"" << next->text << "\"";
    }
  }
  EXPECT_TRUE(dated) << "the long date is shown, fitted";
}

INSTANTIATE_TEST_SUITE_P(
    KindsAndPapers, ListColumns,
    testing::Values(ColumnCase{rpt::kUnlinkedList, "Unlinked", kA4},
                    ColumnCase{rpt::kUnlinkedList, "Unlinked", kLetter},
                    ColumnCase{rpt::kIndividualsByRin, "ByRin", kA4},
                    ColumnCase{rpt::kIndividualsByRin, "ByRin", kLetter},
                    ColumnCase{rpt::kIndividualsByAlpha, "Alphabetical", kA4},
                    ColumnCase{rpt::kIndividualsByAlpha, "Alphabetical", kLetter},
                    ColumnCase{rpt::kMarriagesList, "Marriages", kA4},
                    ColumnCase{rpt::kMarriagesList, "Marriages", kLetter}),
    ColumnCaseName);

// In the RTF the long dates are fitted to their columns too, so that each
// cell of the row ends before the tab stop of the next one: the row keeps
// one tab per column and no cell is wider than its column.
class LongTextsRtf : public ListColumns {};

TEST_F(LongTextsRtf, CellsAreFittedToTheirColumns) {
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
  BuildLongTexts();
  for (const Paper& paper : {kA4, kLetter}) {
    SCOPED_TRACE(paper.name);
    RTFCellsOn(paper);
    rpt::CloseListWorkFile();
  }
}

void ListColumns::RTFCellsOn(const Paper& paper) {
  const ColumnCase c{rpt::kIndividualsByAlpha, "Alphabetical", paper};
  const rpt::Rect m = rpt::ReportMarginsOf(c.kind);
  ASSERT_GT(rpt::PaginateAlphaList("", "", CListPagesGenerator::LinesPerPage(
                                               c.paper.height - m.top - m.bottom)),
            0);
  const std::string path = dir.File(std::string("alpha-") + paper.name + ".rtf");
  CReportJob job(c.kind);
  job.SetRTFDocument(true);
  job.SetOutputFileName(path);
  RecordingDevice dc(1000);
  dc.paperWidth = c.paper.width;
  dc.paperHeight = c.paper.height;
  dc.SetMapMode(rpt::MM_HIENGLISH);
  CPrintInfo info;
  info.currentPage = 1;
  info.maxPage = 1;
  job.BeginPrinting(&dc, &info);
  job.PrintPage(&dc, &info);
  job.Generator()->FlushPage(false);
  job.EndPrinting(&dc, &info);
  const std::string rtf = ReadAll(path);
  const std::size_t at = rtf.find("Ashdown-Worthington");
  ASSERT_NE(at, std::string::npos);
  const std::size_t start = rtf.rfind("\\par", at);
  const std::string row = rtf.substr(start, rtf.find("\\par", at) - start);
  // The cells: RIN, name, born, died, MRIN, letter, spouse.
  std::vector<std::string> cells;
  for (std::size_t from = row.find("\\tab"); from != std::string::npos;) {
    const std::size_t next = row.find("\\tab", from + 4);
    std::string cell = row.substr(from + 4, next == std::string::npos ? next : next - from - 4);
    if (!cell.empty() && cell[0] == ' ') cell.erase(0, 1);
    cells.push_back(cell);
    from = next;
  }
  ASSERT_EQ(cells.size(), 7u) << row;
  for (const auto& [index, width] : {std::pair{2, 1200}, std::pair{3, 1200}}) {
    const std::string& cell = cells[static_cast<std::size_t>(index)];
    EXPECT_FALSE(cell.empty()) << row;
    EXPECT_LT(50 * static_cast<int>(cell.size()), width) << cell;
  }
  EXPECT_EQ(cells[2], std::string(kGreatFire).substr(0, cells[2].size()));
  EXPECT_EQ(cells[5], "S");
}

// A three-row layout whose third row is empty for everyone (no one has a
// death place): on A4 and on letter each person's block takes the two rows
// that hold texts, the next person follows at once, and the pages hold the
// more people for it, their last row still above the footer.
TEST_F(CustomPages, AnEmptyRowOfAPersonsBlockTakesNoRoom) {
  std::vector<std::int32_t> rins;
  for (int i = 0; i < 120; ++i) {
    CIndividualRecord person;
    person.surname = "Block";
    person.givenNames[0] = "G" + std::to_string(100 + i);
    person.sex = 'M';
    person.birth.date.Set(1850, 3, 19);
    person.birth.place[0] = "Hallstad";
    rins.push_back(static_cast<std::int32_t>(family::Add(person, 0)));
  }
  CCustomReportLayout layout;
  layout.title = "Blocks";
  Column(layout, 6000, 25, "Name");
  Column(layout, 6009, 15, "Birth Date");
  Column(layout, 6010, 150, "Birth Place");
  Column(layout, 6021, 150, "Death Place");
  for (const Paper& paper : {kA4, kLetter}) {
    SCOPED_TRACE(paper.name);
    RecordingDevice dc(1000);
    dc.paperWidth = paper.width;
    dc.paperHeight = paper.height;
    dc.SetMapMode(rpt::MM_HIENGLISH);
    const int lines = CListPagesGenerator::CustomLinesPerPage(&dc, layout);
    const rpt::CustomRowPlan rows = CListPagesGenerator::CustomRows(&dc, layout);
    ASSERT_EQ(rows.columnRows, (std::vector<int>{0, 0, 1, 2}));
    const int fixedPages = rpt::PaginateCustomReport(rins, layout, lines);
    rpt::CleanupCustomReportPages();
    const int pages = rpt::PaginateCustomReport(rins, layout, lines, &rows);
    ASSERT_GE(pages, 2);
    EXPECT_LT(pages, fixedPages) << "the empty rows made pages";
    CListPagesGenerator g(rpt::kCustomReport, 0);
    g.SetCustomLayout(&layout);
    CPrintInfo info;
    info.currentPage = 1;
    g.BeginPrinting(&dc, &info);
    g.DrawPage(&dc, &info, nullptr);
    std::vector<int> names;
    int footer = 0, lowest = 0;
    for (const std::string& call : dc.calls) {
      int x = 0, y = 0;
      if (call.rfind("TextOut ", 0) == 0 && call.ends_with(" Page  1")) {
        std::sscanf(call.c_str(), "TextOut %d %d", &x, &y);
        footer = y;
      }
      if (call.rfind("ExtTextOut ", 0) != 0) continue;
      std::sscanf(call.c_str(), "ExtTextOut %d %d", &x, &y);
      if (call.find(" Block, G") != std::string::npos) names.push_back(y);
      if (call.ends_with(" Hallstad")) lowest = std::min(lowest, y);
    }
    ASSERT_GT(names.size(), static_cast<std::size_t>(lines)) << "more people than full blocks";
    const int bodyRow = 10 * 1000 / 72 * 6 / 5;
    for (std::size_t i = 1; i < names.size(); ++i)
      EXPECT_EQ(names[i - 1] - names[i], 2 * bodyRow) << "person " << i;
    ASSERT_NE(footer, 0);
    EXPECT_GT(lowest - bodyRow, footer + 50);
    rpt::CleanupCustomReportPages();
  }
}
