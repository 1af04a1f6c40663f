#include "PedigreeChartGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "CalendarMonth.h"
#include "FakePaginatorWindow.h"
#include "FakePorts.h"
#include "FamilyFileInfo.h"
#include "FamilyLinkRecord.h"
#include "LibreOffice.h"
#include "MultimediaChain.h"
#include "PedigreeRegistration.h"
#include "RecordingDevice.h"
#include "ReportFamilies.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

using rpt::PedigreeRunParameters;

// A text run of a recorded page.
struct TextRun {
  int x = 0, y = 0;
  std::string text;
};

std::vector<TextRun> TextRuns(const std::vector<std::string>& calls) {
  std::vector<TextRun> runs;
  for (const std::string& call : calls) {
    if (call.rfind("TextOut ", 0) != 0) continue;
    std::istringstream in(call.substr(8));
    TextRun run;
    in >> run.x >> run.y;
    std::getline(in, run.text);
    if (!run.text.empty() && run.text[0] == ' ') run.text.erase(0, 1);
    runs.push_back(run);
  }
  return runs;
}

// Records the pen's width before each line ("Pen 10").
class PenRecordingDevice : public RecordingDevice {
 public:
  int LineTo(int x, int y) override {
    rpt::LogPen pen;
    GetPen(pen);
    calls.push_back("Pen " + std::to_string(pen.width));
    return RecordingDevice::LineTo(x, y);
  }
};

// A straight line of a recorded page (MoveTo then LineTo) with the width of
// the pen it was drawn with, when recorded.
struct Segment {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0, pen = 0;
};

std::vector<Segment> Segments(const std::vector<std::string>& calls) {
  std::vector<Segment> segments;
  int x = 0, y = 0, pen = 0;
  for (const std::string& call : calls) {
    std::istringstream in(call);
    std::string op;
    in >> op;
    if (op == "Pen") {
      in >> pen;
    } else if (op == "MoveTo") {
      in >> x >> y;
    } else if (op == "LineTo") {
      Segment s{x, y, 0, 0, pen};
      in >> s.x2 >> s.y2;
      segments.push_back(s);
      x = s.x2;
      y = s.y2;
    }
  }
  return segments;
}

const TextRun* Find(const std::vector<TextRun>& runs, const std::string& text) {
  for (const TextRun& run : runs)
    if (run.text == text) return &run;
  return nullptr;
}

bool Contains(const std::vector<TextRun>& runs, const std::string& part) {
  return std::any_of(runs.begin(), runs.end(),
                     [&](const TextRun& run) { return run.text.find(part) != std::string::npos; });
}

// The one-letter runs right of name's run on its line, left to right.
std::string LettersBeside(const std::vector<TextRun>& runs, const std::string& name) {
  const TextRun* at = Find(runs, name);
  std::string letters;
  if (at == nullptr) return letters;
  std::vector<const TextRun*> found;
  for (const TextRun& r : runs)
    if (r.y == at->y && r.x > at->x && r.text.size() == 1) found.push_back(&r);
  std::sort(found.begin(), found.end(),
            [](const TextRun* a, const TextRun* b) { return a->x < b->x; });
  for (const TextRun* r : found) letters += r->text;
  return letters;
}

int CountOf(const std::vector<TextRun>& runs, const std::string& text) {
  return static_cast<int>(
      std::count_if(runs.begin(), runs.end(), [&](const TextRun& r) { return r.text == text; }));
}

class PedigreeChartGeneratorTest : public ReportFamiliesFixture {
 protected:
  void SetUp() override {
    ReportFamiliesFixture::SetUp();
    previousWindow_ = rpt::SetPaginatorWindow(&window_);
  }
  void TearDown() override {
    rpt::CleanupPedigreePages();
    rpt::SetPaginatorWindow(previousWindow_);
    ReportFamiliesFixture::TearDown();
  }

  // Person n of a full pedigree of generations generations is the child of
  // 2n and 2n + 1.
  std::map<int, std::int32_t> BuildPedigree(int generations) {
    std::map<int, std::int32_t> rins;
    const int last = (1 << generations) - 1;
    for (int n = 1; n <= last; ++n)
      rins[n] = Person("P" + std::to_string(n), "Line", n % 2 == 0 || n == 1 ? 'M' : 'F', 1800);
    for (int n = 1; 2 * n + 1 <= last; ++n) Child(Marry(rins[2 * n], rins[2 * n + 1]), rins[n]);
    return rins;
  }

  // Paginates and draws every page; the text runs of each page.
  std::vector<std::vector<TextRun>> Draw(const PedigreeRunParameters& run,
                                         const rpt::PedigreeChartOptions& options,
                                         RecordingDevice& dc, int indexLines = 40) {
    std::vector<std::vector<TextRun>> pages;
    const int count = rpt::PaginatePedigreeChart(run, indexLines);
    rpt::CPedigreeChartGenerator g(run, options);
    g.BeginPrinting(dc);
    columns_.clear();
    split_ = g.Split();
    for (int column = 1; column <= run.generationsPerChart + (split_ ? 1 : 0); ++column)
      columns_.push_back(g.ColumnAt(column));
    for (int page = 1; page <= count; ++page) {
      dc.calls.clear();
      g.DrawPage(dc, page);
      pages.push_back(TextRuns(dc.calls));
    }
    g.EndPrinting();
    return pages;
  }

  // The family in which child is a child.
  static std::int32_t ParentsOfChild(std::int32_t child) {
    std::vector<std::int32_t> family;
    DbGetRelation(child, db::kRelParents, 0, family);
    return family.empty() ? 0 : family[0];
  }

  static PedigreeRunParameters Cascading(std::int32_t start, int perChart, int total) {
    PedigreeRunParameters run;
    run.runType = PedigreeRunParameters::kCascading;
    run.startPerson = start;
    run.generationsPerChart = perChart;
    run.totalGenerations = total;
    run.numbering = PedigreeRunParameters::kSequential;
    run.firstChart = 1;
    run.sameAsChart = 1;
    run.sameAsPosition = 1;
    run.firstContinuation = 2;
    return run;
  }

  CancellingPaginatorWindow window_;
  rpt::PaginatorWindow* previousWindow_ = nullptr;
  std::vector<rpt::CPedigreeChartGenerator::Column> columns_;  // of the last Draw
  bool split_ = false;
};

TEST_F(PedigreeChartGeneratorTest, CascadingChartsShowTheirPersonsAndContinuations) {
  const auto rins = BuildPedigree(5);
  RecordingDevice dc;
  rpt::PedigreeChartOptions options;
  options.suppressNumbers = true;
  const auto pages = Draw(Cascading(rins.at(1), 4, 6), options, dc);
  ASSERT_EQ(pages.size(), 9u);  // chart 1 and the charts 2 .. 9 of positions 8 .. 15
  const std::vector<TextRun>& first = pages[0];
  for (int n = 1; n <= 15; ++n)
    EXPECT_NE(Find(first, "P" + std::to_string(n) + " Line"), nullptr) << n;
  EXPECT_EQ(Find(first, "P16 Line"), nullptr);
  const TextRun* chartNo = Find(first, "Chart no. 1");
  ASSERT_NE(chartNo, nullptr);
  EXPECT_FALSE(Contains(first, "same as no."));  // chart 1, same as 1 on chart 1
  // Continuation numbers stand at the right edge beside the last column.
  const int right = chartNo->x + dc.charWidth * static_cast<int>(chartNo->text.size());
  std::vector<std::string> continuations;
  for (const TextRun& run : first)
    if (run.x + dc.charWidth * static_cast<int>(run.text.size()) == right && &run != chartNo)
      continuations.push_back(run.text);
  EXPECT_EQ(continuations, (std::vector<std::string>{"2", "3", "4", "5", "6", "7", "8", "9"}));
  // Position numbers beside the lines, and the continuation chart of P8.
  for (int position = 2; position <= 15; ++position)
    EXPECT_NE(Find(first, std::to_string(position)), nullptr) << position;
  const std::vector<TextRun>& second = pages[1];
  EXPECT_NE(Find(second, "Chart no. 2"), nullptr);
  EXPECT_NE(Find(second, "P8 Line"), nullptr);
  EXPECT_NE(Find(second, "P16 Line"), nullptr);
  EXPECT_EQ(Find(second, "P31 Line"), nullptr);  // on chart 9
  EXPECT_NE(Find(second, "No. 1 on this chart is the same as no. 8 on chart no. 1"), nullptr);
  // Numbers beside the names: one per person of chart 1 when not suppressed.
  auto numberRuns = [](const std::vector<TextRun>& runs) {
    return std::count_if(runs.begin(), runs.end(), [](const TextRun& r) {
      return !r.text.empty() && r.text.find_first_not_of("0123456789") == std::string::npos;
    });
  };
  rpt::CleanupPedigreePages();
  RecordingDevice withNumbers;
  const auto numbered = Draw(Cascading(rins.at(1), 4, 6), {}, withNumbers);
  ASSERT_EQ(numbered.size(), 9u);
  EXPECT_EQ(numberRuns(numbered[0]) - numberRuns(first), 15);
  EXPECT_NE(Find(numbered[0], std::to_string(rins.at(15))), nullptr);
}

TEST_F(PedigreeChartGeneratorTest, SameAsBoxMarriageLineAndIndex) {
  const Collapse f = BuildPedigreeCollapse();
  SetMarriageStatus(f.charlesEdith, 'D');
  CMarriageRecord record;
  ASSERT_EQ(family::Read(record, f.charlesEdith), 1);
  record.marriage.date.Set(1900, 6, 12);
  ASSERT_EQ(family::Update(record, 0), 1);
  const std::int32_t wife = Person("Wendy", "Wood", 'F', 1991);
  const std::int32_t kevinWendy = Marry(f.kevin, wife);
  auto run = Cascading(f.kevin, 4, 4);
  run.marriage = kevinWendy;
  run.indexWanted = true;
  run.firstChart = 5;
  run.sameAsChart = 2;
  run.sameAsPosition = 12;
  RecordingDevice dc;
  const auto pages = Draw(run, {}, dc);
  ASSERT_EQ(pages.size(), 2u);
  const std::vector<TextRun>& chart = pages[0];
  EXPECT_NE(Find(chart, "No. 1 on this chart is the same as no. 12 on chart no. 2"), nullptr);
  EXPECT_NE(Find(chart, "This person is the same as no. 8 on chart no. 5"), nullptr);
  EXPECT_NE(Find(chart, "This person is the same as no. 9 on chart no. 5"), nullptr);
  EXPECT_NE(Find(chart, "Wendy Wood"), nullptr);
  // The spouse's name and caption stand under the root's box and above his
  // mother's name, all in the first column.
  {
    const TextRun* kevin = Find(chart, "Kevin Ashdown");
    const TextRun* wendy = Find(chart, "Wendy Wood");
    const TextRun* caption = Find(chart, "(Spouse of no. 1)");
    const TextRun* mother = Find(chart, "Helen Grant");
    ASSERT_TRUE(kevin && wendy && caption && mother);
    EXPECT_EQ(wendy->x, kevin->x);
    EXPECT_EQ(mother->x, kevin->x);
    // His six labels (birth, marriage, death, each with its place) down to
    // his mother's line.
    int kevinBottom = kevin->y, labels = 0;
    for (const TextRun& r : chart)
      if (r.x == kevin->x && r.y < kevin->y && r.y > kevin->y - columns_[0].pitch / 2 &&
          r.text.size() == 2 && r.text[1] == ':') {
        kevinBottom = std::min(kevinBottom, r.y);
        ++labels;
      }
    EXPECT_EQ(labels, 6);
    const int lineHeight = 111 + dc.leading;  // of the 8-point event and 7-point captions
    EXPECT_LT(wendy->y, kevinBottom - lineHeight);
    EXPECT_LT(caption->y, wendy->y);
    EXPECT_GT(caption->y - lineHeight, mother->y);
  }
  EXPECT_TRUE(Contains(chart, "(Div) -- " + std::to_string(f.charlesEdith)));
  EXPECT_NE(Find(chart, std::to_string(f.arthur)), nullptr);  // the RIN beside the name

  const std::vector<TextRun>& index = pages[1];
  EXPECT_NE(Find(index, "Alphabetical Index"), nullptr);
  // Rows in name order: Ashdown (Arthur, Charles, Diana, Frank, Kevin), Bell, Evans, Grant
  // (George, Helen), Wood.
  const TextRun* wendy = Find(index, "Wendy Wood");
  ASSERT_NE(wendy, nullptr);
  std::vector<std::string> names;
  for (const TextRun& r : index)
    if (r.x == wendy->x && r.text != "Name") names.push_back(r.text);
  const TextRun* arthur = Find(index, "Arthur Ashdown");
  const TextRun* born = Find(index, "14 May 1850");
  ASSERT_NE(arthur, nullptr);
  ASSERT_NE(born, nullptr);
  EXPECT_EQ(born->y, arthur->y);
  EXPECT_EQ(names,
            (std::vector<std::string>{"Arthur Ashdown", "Charles Ashdown", "Diana Ashdown",
                                      "Frank Ashdown", "Kevin Ashdown", "Beatrice Bell",
                                      "Edith Evans", "George Grant", "Helen Grant", "Wendy Wood"}));
  const TextRun* spouse = Find(index, "Spouse");
  ASSERT_NE(spouse, nullptr);
  EXPECT_EQ(spouse->y, wendy->y);
  // The footer: today's date at the left, the page number at the right.
  const TextRun* footer = Find(index, "Page  1");
  ASSERT_NE(footer, nullptr);
  std::string today;
  FormatToday(today);
  const TextRun* date = Find(index, today);
  ASSERT_NE(date, nullptr);
  EXPECT_EQ(date->y, footer->y);
  EXPECT_LT(date->x, footer->x);
  EXPECT_LT(footer->y, wendy->y);
}

TEST_F(PedigreeChartGeneratorTest, SingleChartWithoutIndexPlacesPersonsAsItDraws) {
  const Collapse f = BuildPedigreeCollapse();
  auto run = Cascading(f.kevin, 4, 4);
  run.runType = PedigreeRunParameters::kSingleChart;
  RecordingDevice dc;
  const auto pages = Draw(run, {}, dc);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(window_.caption.empty());  // no pass window
  // Arthur and Beatrice are drawn at 8 and 9; at 14 and 15 they are "same as" boxes.
  EXPECT_NE(Find(pages[0], "This person is the same as no. 8 on chart no. 1"), nullptr);
  EXPECT_NE(Find(pages[0], "This person is the same as no. 9 on chart no. 1"), nullptr);
  EXPECT_EQ(std::count_if(pages[0].begin(), pages[0].end(),
                          [](const TextRun& r) { return r.text == "Arthur Ashdown"; }),
            2);
}

TEST_F(PedigreeChartGeneratorTest, PreparedByBlockOrTodaysDateAlone) {
  const auto rins = BuildPedigree(2);
  std::string today;
  FormatToday(today);
  CFamilyFileInfo preparer;
  preparer.givenName = "Ada";
  preparer.surname = "Lovelace";
  preparer.address1 = "12 Mill Lane";
  preparer.address3 = "Leeds";
  preparer.country = "England";
  preparer.phone = "555 0100";
  rpt::PedigreeChartOptions options;
  options.preparer = &preparer;
  RecordingDevice dc;
  const auto pages = Draw(Cascading(rins.at(1), 4, 4), options, dc);
  ASSERT_EQ(pages.size(), 1u);
  // The preparer's lines go through clipped text runs.
  auto clippedEndsWith = [&](const std::string& text) {
    return std::any_of(dc.calls.begin(), dc.calls.end(), [&](const std::string& call) {
      return call.rfind("ExtTextOut ", 0) == 0 && call.size() > text.size() &&
             call.compare(call.size() - text.size(), text.size(), text) == 0;
    });
  };
  for (const char* text :
       {"Prepared by", "Ada Lovelace", "12 Mill Lane", "Leeds England", "Telephone", "555 0100"})
    EXPECT_TRUE(clippedEndsWith(text)) << text;
  EXPECT_NE(Find(pages[0], "Date prepared"), nullptr);
  const TextRun* date = Find(pages[0], today);
  ASSERT_NE(date, nullptr);

  rpt::CleanupPedigreePages();
  RecordingDevice plain;
  const auto without = Draw(Cascading(rins.at(1), 4, 4), {}, plain);
  ASSERT_EQ(without.size(), 1u);
  EXPECT_EQ(Find(without[0], "Date prepared"), nullptr);
  const TextRun* alone = Find(without[0], today);
  ASSERT_NE(alone, nullptr);
  EXPECT_LT(alone->x, date->x);  // at the left edge, not centred in a date column
}

TEST_F(PedigreeChartGeneratorTest, NarrowPageGivesTheSpaceMessageOnce) {
  const auto rins = BuildPedigree(3);
  RecordingDevice dc;
  dc.paperWidth = 3000;
  boxes.Clear();
  auto run = Cascading(rins.at(1), 6, 6);
  const auto pages = Draw(run, {}, dc);
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text.rfind("Your options require more space", 0), 0u);
  // Still drawn, the names cut to the narrow boxes.
  EXPECT_TRUE(std::any_of(pages[0].begin(), pages[0].end(),
                          [](const TextRun& r) { return r.text.rfind("P7", 0) == 0; }));

  boxes.Clear();
  RecordingDevice letter;
  Draw(Cascading(rins.at(1), 4, 4), {}, letter);
  EXPECT_TRUE(boxes.Calls().empty());
}

// The root shares the first column with his parents: g generations take
// g - 1 columns. With the default fonts and boxes of 26 characters of 60
// (1610 wide), five generations fit A4 and letter without the message; six
// do not. Printable A4 is 7260 by 11090 (usable 7132 by 10822), letter 7500
// by 10400 (7372 by 10132).
TEST_F(PedigreeChartGeneratorTest, ColumnsAreTheGenerationsLessOne) {
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  const rpt::PedigreeChartOptions defaults = rpt::PedigreeOptionsFromProfile();
  ASSERT_EQ(defaults.eventFont.points, 9);
  const auto rins = BuildPedigree(6);
  const auto& k = rpt::PedigreeLayout();
  struct Case {
    const char* paper;
    int paperWidth, paperHeight, g;
    int spare, columnWidth;  // the boxes fit: the spare goes left of the first column
    bool message;
  } cases[] = {
      {"A4", 8268, 11693, 4, 380, (7132 - 380) / 3, false},
      {"A4", 8268, 11693, 5, 0, 7132 / 4, false},  // too low for the boxes: squeezed
      {"A4", 8268, 11693, 6, 0, 7132 / 5, true},
      {"letter", 8500, 11000, 4, 380, (7372 - 380) / 3, false},
      {"letter", 8500, 11000, 5, 0, 7372 / 4, false},
      {"letter", 8500, 11000, 6, 0, 7372 / 5, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.paper) + " " + std::to_string(c.g));
    rpt::CleanupPedigreePages();
    PenRecordingDevice dc;
    dc.charWidth = 60;
    dc.paperWidth = c.paperWidth;
    dc.paperHeight = c.paperHeight;
    boxes.Clear();
    const auto pages = Draw(Cascading(rins.at(1), c.g, c.g), defaults, dc);
    ASSERT_EQ(pages.size(), 1u);
    const bool shown = !boxes.Calls().empty();
    EXPECT_EQ(shown, c.message);
    if (shown) {
      EXPECT_EQ(boxes.Calls()[0].text.rfind("Your options require more space", 0), 0u);
    }
    rpt::CPedigreeChartGenerator g(Cascading(rins.at(1), c.g, c.g), defaults);
    g.BeginPrinting(dc);
    EXPECT_EQ(g.ColumnCount(), c.g - 1);
    // The root's line starts the number room in from the left margin (700
    // plus the 4 kept off the edge), his parents' column the spare further.
    EXPECT_EQ(g.RootLineX(), 704 + k.numberRoom);
    EXPECT_EQ(g.ColumnAt(1).x, g.ColumnAt(2).x);
    EXPECT_EQ(g.ColumnAt(2).x - g.RootLineX(), c.spare);
    for (int generation = 3; generation <= c.g; ++generation)
      EXPECT_EQ(g.ColumnAt(generation).x - g.ColumnAt(generation - 1).x, c.columnWidth);
    // The last column reaches the right edge of the printable page.
    EXPECT_EQ(g.ColumnAt(c.g).x + g.ColumnAt(c.g).width, 704 + c.paperWidth / 10 * 10 - 1000 - 4);

    // On the page: the root's name right of his parents' bracket, his line
    // from the root line's x with "1" before it, as his parents' numbers
    // stand before theirs.
    const std::vector<TextRun>& page = pages[0];
    const TextRun* root = Find(page, "P1 Line");
    const TextRun* father = Find(page, "P2 Line");
    ASSERT_TRUE(root && father);
    EXPECT_EQ(root->x, father->x);
    EXPECT_EQ(root->x, g.ColumnAt(2).x + k.nameIndent);
    const TextRun* one = Find(page, "1");
    const TextRun* two = Find(page, "2");
    ASSERT_TRUE(one && two);
    EXPECT_EQ(one->x, g.RootLineX() - 10 - 2 * dc.charWidth);
    EXPECT_EQ(two->x, g.ColumnAt(2).x - 10 - 2 * dc.charWidth);
    // The root's line, thick, from the root line's x midway between his
    // parents' lines, crossed by the bracket joining them.
    const std::vector<Segment> lines = Segments(dc.calls);
    const Segment* rootLine = nullptr;
    const Segment* bracket = nullptr;
    for (const Segment& l : lines) {
      if (l.x1 == g.RootLineX() && l.y1 == l.y2 && rootLine == nullptr) rootLine = &l;
      if (l.x1 == g.ColumnAt(2).x && l.x2 == l.x1 && bracket == nullptr) bracket = &l;
    }
    ASSERT_TRUE(rootLine && bracket);
    EXPECT_EQ(rootLine->pen, 10);
    EXPECT_NEAR(rootLine->y1, (bracket->y1 + bracket->y2) / 2, 1);
    EXPECT_GT(rootLine->x2, bracket->x1);
    EXPECT_EQ(rootLine->x2, g.ColumnAt(2).x + g.ColumnAt(2).width);
    EXPECT_EQ(one->y, rootLine->y1 + 40);
    EXPECT_GT(root->y, rootLine->y1);
  }
}

// With the ordinance letters shown, the first column and the spare width
// together are at least 1030 wide, else widened to 1230: on a page 2720
// wide (usable 2592) three columns of 830-wide boxes leave 102 spare.
TEST_F(PedigreeChartGeneratorTest, OrdinanceLettersWidenTheSpareOnANarrowPage) {
  const auto rins = BuildPedigree(4);
  struct Case {
    bool ordinances;
    int spare, columnWidth;
  } cases[] = {
      {false, 102, (2592 - 102) / 3},
      {true, 1230 - 830, (2720 - (1230 - 830) - 120) / 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ordinances);
    RecordingDevice dc;
    dc.charWidth = 30;
    dc.paperWidth = 3728;
    rpt::PedigreeChartOptions options;
    options.suppressNumbers = true;
    options.showOrdinances = c.ordinances;
    rpt::CPedigreeChartGenerator g(Cascading(rins.at(1), 4, 4), options);
    boxes.Clear();
    g.BeginPrinting(dc);
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(g.ColumnAt(2).x - g.RootLineX(), c.spare);
    EXPECT_EQ(g.ColumnAt(3).x - g.ColumnAt(2).x, c.columnWidth);
    EXPECT_EQ(g.ColumnAt(4).x - g.ColumnAt(3).x, c.columnWidth);
  }
}

// The number beside a name and in the index is the RIN, the custom ID or
// the SBN, as the options show after names.
TEST_F(PedigreeChartGeneratorTest, NumbersBesideNamesAreTheRinTheIdOrTheSbn) {
  const auto rins = BuildPedigree(2);
  CIndividualRecord father;
  ASSERT_EQ(family::Read(father, rins.at(2)), 1);
  father.texts1[0] = "ID-77";
  father.texts1[1] = "SBN4411";
  // Names beside the numbers, never shown as them.
  father.nameExtensions[0] = "Nick";
  father.nameExtensions[1] = "Aka";
  ASSERT_EQ(family::Update(father, 0), 1);
  // The mother's name is too long for her box: it is cut short of her number.
  CIndividualRecord mother;
  ASSERT_EQ(family::Read(mother, rins.at(3)), 1);
  const std::string longName = "Maximiliana Theodora Wilhelmina Evangeline";
  mother.givenNames[0] = longName;
  mother.texts1[0] = "ID-78";
  mother.texts1[1] = "SBN4412";
  ASSERT_EQ(family::Update(mother, 0), 1);
  using Options = rpt::PedigreeChartOptions;
  struct Case {
    int kind;
    std::string number, heading, motherNumber;
  } cases[] = {
      {Options::kRin, std::to_string(rins.at(2)), "RIN", std::to_string(rins.at(3))},
      {Options::kId, "ID-77", "ID", "ID-78"},
      {Options::kSbn, "SBN4411", "SBN", "SBN4412"},
  };
  auto run = Cascading(rins.at(1), 4, 4);
  run.indexWanted = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.heading);
    rpt::CleanupPedigreePages();
    Options options;
    options.numberKind = c.kind;
    RecordingDevice dc;
    const auto pages = Draw(run, options, dc);
    ASSERT_EQ(pages.size(), 2u);
    // Beside the father's name, ending left of the next column's position
    // numbers ("4" placed by the width of "20").
    const TextRun* name = Find(pages[0], "P2 Line");
    ASSERT_NE(name, nullptr);
    const TextRun* number = nullptr;
    for (const TextRun& r : pages[0])
      if (r.y == name->y && r.x > name->x && r.text == c.number) number = &r;
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->x + dc.charWidth * static_cast<int>(c.number.size()),
              columns_[2].x - 10 - 2 * dc.charWidth - 20);
    const TextRun* cut = nullptr;
    for (const TextRun& r : pages[0])
      if (r.text.rfind("Maximiliana", 0) == 0) cut = &r;
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ((longName + " Line").rfind(cut->text, 0), 0u);
    EXPECT_LT(cut->text.size(), longName.size() + 5);
    const TextRun* motherNumber = nullptr;
    for (const TextRun& r : pages[0])
      if (r.y == cut->y && r.text == c.motherNumber) motherNumber = &r;
    ASSERT_NE(motherNumber, nullptr);
    EXPECT_LE(cut->x + dc.charWidth * static_cast<int>(cut->text.size()), motherNumber->x - 20);
    EXPECT_GT(cut->x + dc.charWidth * static_cast<int>(cut->text.size() + 1), motherNumber->x - 20);
    const TextRun* four = Find(pages[0], "4");
    ASSERT_NE(four, nullptr);
    EXPECT_EQ(four->x, columns_[2].x - 10 - 2 * dc.charWidth);
    // In the index: the heading, and the number on the father's row, a RIN
    // right-aligned before the name column, an ID or SBN at the left edge.
    const std::vector<TextRun>& index = pages[1];
    const TextRun* heading = Find(index, c.heading);
    const TextRun* row = Find(index, "P2 Line");
    const TextRun* title = Find(index, "Pedigree Chart");
    ASSERT_TRUE(heading && row && title);
    const TextRun* rowNumber = nullptr;  // left of the name, not the position column
    for (const TextRun& r : index)
      if (r.y == row->y && r.text == c.number && r.x < row->x) rowNumber = &r;
    ASSERT_NE(rowNumber, nullptr);
    if (c.kind == Options::kRin)
      EXPECT_EQ(rowNumber->x + dc.charWidth * static_cast<int>(c.number.size()), row->x - 300);
    else
      EXPECT_EQ(rowNumber->x, title->x);
    EXPECT_EQ(heading->x, title->x);
  }
  // Suppressed: no number beside the name, no heading.
  rpt::CleanupPedigreePages();
  Options options;
  options.suppressNumbers = true;
  options.numberKind = Options::kId;
  RecordingDevice dc;
  const auto pages = Draw(run, options, dc);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Find(pages[0], "ID-77"), nullptr);
  EXPECT_EQ(Find(pages[1], "ID-77"), nullptr);
  EXPECT_EQ(Find(pages[1], "ID"), nullptr);
}

TEST_F(PedigreeChartGeneratorTest, OrdinanceLettersOnTheNameLine) {
  const Ordinances o = BuildOrdinances();
  // A status code whose baptism counts as cleared or submitted.
  std::int32_t cleared = 0;
  for (int status = CDateValue::kFirstStatus; status <= CDateValue::kLastStatus; ++status) {
    CDateValue date;
    date.Set(0, status);
    if (CDateValue::GetOrdinanceState(&date, 'B') == CDateValue::kOrdinanceClearedOrSubmitted)
      cleared = o.byStatus[status - CDateValue::kFirstStatus];
  }
  ASSERT_NE(cleared, 0);
  // The dated (done) person's parents: the cleared one and one with none.
  Child(Marry(cleared, o.none), o.dated);
  rpt::PedigreeChartOptions options;
  options.showOrdinances = true;
  options.suppressNumbers = true;
  RecordingDevice dc;
  const auto pages = Draw(Cascading(o.dated, 4, 4), options, dc);
  ASSERT_EQ(pages.size(), 1u);
  auto lettersBeside = [&](const std::string& name) { return LettersBeside(pages[0], name); };
  EXPECT_EQ(lettersBeside("Dated Status"), "B");
  const std::string clearedName =
      "Code" +
      std::to_string(CDateValue::kFirstStatus +
                     static_cast<int>(std::find(o.byStatus.begin(), o.byStatus.end(), cleared) -
                                      o.byStatus.begin())) +
      " Status";
  EXPECT_EQ(lettersBeside(clearedName), "b");
  EXPECT_EQ(lettersBeside("None Status"), "");

  // Without the option no letters.
  rpt::CleanupPedigreePages();
  RecordingDevice plain;
  options.showOrdinances = false;
  const auto without = Draw(Cascading(o.dated, 4, 4), options, plain);
  ASSERT_EQ(without.size(), 1u);
  EXPECT_EQ(Find(without[0], "B"), nullptr);
}

TEST_F(PedigreeChartGeneratorTest, FixedPositionChartPlacesFifteenPersonsAndNothingElse) {
  const auto rins = BuildPedigree(3);  // persons 1 .. 7; 8 .. 15 unknown
  CIndividualRecord start;
  ASSERT_EQ(family::Read(start, rins.at(1)), 1);
  start.birth.place[0] = "Uppsala";
  start.birth.place[3] = "Sweden";
  ASSERT_EQ(family::Update(start, 0), 1);
  rpt::PedigreeChartOptions options;
  options.fixedPositions = true;
  PedigreeRunParameters run = Cascading(rins.at(1), 4, 4);
  const auto& k = rpt::PedigreeLayout();
  struct Case {
    int widthMm, heightMm;  // the printable page
    double scale;           // of the points
  } cases[] = {
      {250, 300, 1.0},                                           // room for the whole design
      {215, 300, 215 * 394 / 10 / double(k.fixedDesignWidth)},   // letter's width
      {215, 250, 250 * 394 / 10 / double(k.fixedDesignHeight)},  // and lower
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.widthMm);
    rpt::CPedigreeChartGenerator g(run, options);
    RecordingDevice dc;
    dc.printableWidthMm = c.widthMm;
    dc.printableHeightMm = c.heightMm;
    g.BeginPrinting(dc);
    dc.calls.clear();
    g.DrawPage(dc, 1);
    std::map<std::string, std::pair<int, int>> at;  // first text run of each text
    for (const std::string& call : dc.calls) {
      ASSERT_EQ(call.rfind("ExtTextOut ", 0), 0u) << call;  // no lines, numbers or header
      std::istringstream in(call.substr(11));
      int x = 0, y = 0;
      unsigned flags = 0;
      std::string clip[4], text;
      in >> x >> y >> flags >> clip[0] >> clip[1] >> clip[2] >> clip[3];
      std::getline(in, text);
      at.emplace(text.substr(1), std::make_pair(x, y));
    }
    auto scaled = [&](int v) { return static_cast<int>(v * c.scale); };
    for (int n = 1; n <= 7; ++n) {
      const auto found = at.find("P" + std::to_string(n) + " Line");
      ASSERT_NE(found, at.end()) << n;
      EXPECT_EQ(found->second, std::make_pair(scaled(k.fixedPoints[n - 1][0] + 100),
                                              scaled(k.fixedPoints[n - 1][1] - 100)))
          << n;
    }
    EXPECT_EQ(at.count("Uppsala, Sweden"), 1u);
    EXPECT_EQ(dc.calls.size(), 7u + 7u + 1u);  // names, birth dates and the one place
  }
}

TEST_F(PedigreeChartGeneratorTest, BlankFormScalesToASmallerPage) {
  PedigreeRunParameters run;
  run.runType = PedigreeRunParameters::kBlankForm;
  ASSERT_EQ(rpt::PaginatePedigreeChart(run, 40), 1);
  rpt::PedigreeChartOptions options;
  options.showOrdinances = true;
  struct Case {
    int widthMm, heightMm;
    int dx;        // how far the form moves left
    double scale;  // of every y
  } cases[] = {
      {216, 279, 0, 1.0},                                 // letter: as designed
      {180, 200, 450, (200 * 394 / 10 - 350) / 10050.0},  // lower and narrower
      {200, 279, 8000 - 200 * 394 / 10, 1.0},             // a little narrower only
  };
  for (const Case& c : cases) {
    RecordingDevice dc;
    dc.printableWidthMm = c.widthMm;
    dc.printableHeightMm = c.heightMm;
    rpt::CPedigreeChartGenerator g(run, options);
    g.BeginPrinting(dc);
    dc.calls.clear();
    g.DrawPage(dc, 1);
    const std::vector<TextRun> runs = TextRuns(dc.calls);
    auto expectAt = [&](const std::string& text, int x, int y) {
      const TextRun* found = Find(runs, text);
      ASSERT_NE(found, nullptr) << text;
      EXPECT_EQ(found->x, x - c.dx) << text << " width " << c.widthMm;
      EXPECT_EQ(found->y, static_cast<int>(y * c.scale)) << text << " height " << c.heightMm;
    };
    expectAt("Pedigree Chart", 450, 0);
    expectAt("Prepared by", 490, -8820);
    expectAt("Circle the letters when ordinances are completed.", 450, -870);
    expectAt("Family group record exists for this couple", 610, -1084 - 5 * 164);
    expectAt("(Father of no. 7)", 1050 + 4600 + 700, -7000 + 120);
    expectAt("(Spouse of no. 1)", 1100, -6790 - 40);
    EXPECT_EQ(std::count_if(runs.begin(), runs.end(),
                            [](const TextRun& r) { return r.text == "Cont. on"; }),
              8);
    EXPECT_EQ(std::count_if(runs.begin(), runs.end(),
                            [](const TextRun& r) { return r.text == "Married"; }),
              8);  // the start person and the seven husbands
    // The letters to circle: B, E, P beside every box, S, C, F beside the
    // eight husbands' boxes, and each once in the legend.
    for (const auto& [letter, count] :
         std::vector<std::pair<std::string, int>>{{"B", 16}, {"P", 16}, {"S", 9}, {"F", 9}})
      EXPECT_EQ(CountOf(runs, letter), count) << letter;
    // Every y stays on the page.
    for (const TextRun& r : runs) EXPECT_GE(r.y, -c.heightMm * 394 / 10) << r.text;
  }
}

TEST_F(PedigreeChartGeneratorTest, SixLineBoxesCarryPlacesUnderTheirDates) {
  const auto rins = BuildPedigree(4);
  CIndividualRecord start;
  ASSERT_EQ(family::Read(start, rins.at(1)), 1);
  start.birth.place[0] = "Uppsala";
  start.birth.place[3] = "Sweden";
  ASSERT_EQ(family::Update(start, 0), 1);
  CMarriageRecord parents;
  ASSERT_EQ(family::Read(parents, ParentsOfChild(rins.at(1))), 1);
  parents.marriage.date.Set(1790, 2, 3);
  parents.marriage.place[0] = "Lund";
  ASSERT_EQ(family::Update(parents, 0), 1);
  rpt::PedigreeChartOptions options;
  options.suppressNumbers = true;
  RecordingDevice dc;
  const auto pages = Draw(Cascading(rins.at(1), 4, 4), options, dc);
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(columns_.size(), 4u);
  // A letter page gives the first three columns six lines, the last three.
  EXPECT_EQ(columns_[0].lines, 6);
  EXPECT_EQ(columns_[2].lines, 6);
  EXPECT_EQ(columns_[3].lines, 3);
  const std::vector<TextRun>& page = pages[0];
  // Six-line boxes (1 .. 7): capitals, a place line under each event; the
  // marriage lines for the husbands 2, 4 and 6 (the root has no chosen
  // marriage). Three-line boxes (8 .. 15): small letters, no places.
  const std::pair<const char*, int> labels[] = {{"B:", 7}, {"D:", 7}, {"M:", 3}, {"P:", 17},
                                                {"b:", 8}, {"d:", 8}, {"m:", 4}};
  for (const auto& [label, count] : labels) EXPECT_EQ(CountOf(page, label), count) << label;
  // The birth place one event line under the root's birth date.
  const TextRun* root = Find(page, "P1 Line");
  const TextRun* place = Find(page, "Uppsala, Sweden");
  ASSERT_NE(root, nullptr);
  ASSERT_NE(place, nullptr);
  // The root shares his column with his parents: his is the first label
  // under his name.
  const TextRun* birthLabel = nullptr;
  for (const TextRun& r : page)
    if (r.text == "B:" && r.x == root->x && r.y < root->y &&
        (birthLabel == nullptr || r.y > birthLabel->y))
      birthLabel = &r;
  ASSERT_NE(birthLabel, nullptr);
  const int eventLine = place->y - birthLabel->y;
  EXPECT_LT(eventLine, 0);
  EXPECT_EQ(Find(page, "P:")->x, birthLabel->x);
  const TextRun* birthDate = nullptr;
  for (const TextRun& r : page)
    if (r.y == birthLabel->y && r.x > birthLabel->x) birthDate = &r;
  ASSERT_NE(birthDate, nullptr);
  EXPECT_EQ(birthDate->text, "14 May 1800");
  EXPECT_EQ(place->x, birthDate->x);
  // The father's marriage: date, then its place on the next line.
  const TextRun* married = nullptr;
  for (const TextRun& r : page)
    if (r.text.rfind("3 Feb 1790", 0) == 0) married = &r;
  ASSERT_NE(married, nullptr);
  const TextRun* lund = Find(page, "Lund");
  ASSERT_NE(lund, nullptr);
  EXPECT_EQ(lund->x, married->x);
  EXPECT_EQ(lund->y, married->y + eventLine);
  EXPECT_EQ(married->x, Find(page, "P2 Line")->x + birthDate->x - birthLabel->x);
}

TEST_F(PedigreeChartGeneratorTest, OneLineBoxesShowTheFirstEventThatIsSet) {
  const auto rins = BuildPedigree(5);
  // In the fifth column of a five-generation chart: P16 as built (born),
  // P17 only christened, P18 only dead.
  CIndividualRecord person;
  ASSERT_EQ(family::Read(person, rins.at(17)), 1);
  person.birth = {};
  person.christening.date.Set(1801, 7, 8);
  ASSERT_EQ(family::Update(person, 0), 1);
  ASSERT_EQ(family::Read(person, rins.at(18)), 1);
  person.birth = {};
  person.death.date.Set(1860, 9, 10);
  ASSERT_EQ(family::Update(person, 0), 1);
  rpt::PedigreeChartOptions options;
  options.suppressNumbers = true;
  RecordingDevice dc;
  const auto pages = Draw(Cascading(rins.at(1), 5, 5), options, dc);
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(columns_[4].lines, 1);
  const std::vector<TextRun>& page = pages[0];
  struct Case {
    int person;
    std::string label, text;
  } cases[] = {{16, "b:", "14 May 1800"}, {17, "c:", "8 Jul 1801"}, {18, "d:", "10 Sep 1860"}};
  for (const Case& c : cases) {
    const TextRun* name = Find(page, "P" + std::to_string(c.person) + " Line");
    ASSERT_NE(name, nullptr) << c.person;
    // The one line under the name: its label and its date.
    std::vector<std::string> under;
    for (const TextRun& r : page)
      if (r.y < name->y && r.y > name->y - 2 * columns_[4].pitch / 3 && r.x >= name->x &&
          r.x < name->x + columns_[4].width)
        under.push_back(r.text);
    EXPECT_EQ(under, (std::vector<std::string>{c.label, c.text})) << c.person;
  }
}

TEST_F(PedigreeChartGeneratorTest, SealingAndChildrensLettersBesideTheHusbandWithTheirLegend) {
  const auto rins = BuildPedigree(2);
  const std::int32_t family = ParentsOfChild(rins.at(1));
  CMarriageRecord couple;
  ASSERT_EQ(family::Read(couple, family), 1);
  couple.sealingToSpouse.date.Set(1950, 3, 4);
  couple.sealingToSpouse.templeCode = "SLAKE";
  ASSERT_EQ(family::Update(couple, 0), 1);
  // The only child's own ordinances done: the children's ordinances are.
  CIndividualRecord child;
  ASSERT_EQ(family::Read(child, rins.at(1)), 1);
  for (COrdinanceValue* o : {&child.baptism, &child.endowment}) {
    o->date.Set(1930, 1, 2);
    o->templeCode = "SLAKE";
  }
  ASSERT_EQ(family::Update(child, 0), 1);
  std::vector<std::int32_t> links;
  DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, rins.at(1), 0);
  ASSERT_EQ(links.size(), 1u);
  CFamilyLinkRecord link;
  ASSERT_EQ(DbGetRecord(links[0], db::kFamilyLink, &link), 1);
  ASSERT_NE(link.GetSealingEvent(), nullptr);
  link.GetSealingEvent()->date.Set(1931, 1, 2);
  link.GetSealingEvent()->templeCode = "SLAKE";
  ASSERT_EQ(family::Update(link, 0), 1);
  ASSERT_EQ(DbGetChildrenOrdinanceStatus(family, db::kMarriage), 2);

  rpt::PedigreeChartOptions options;
  options.showOrdinances = true;
  options.suppressNumbers = true;
  RecordingDevice dc;
  const auto pages = Draw(Cascading(rins.at(1), 4, 4), options, dc);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(LettersBeside(pages[0], "P2 Line"), "SC");
  EXPECT_EQ(LettersBeside(pages[0], "P3 Line"), "");  // a wife's box has no couple letters
  EXPECT_EQ(LettersBeside(pages[0], "P1 Line").substr(0, 2), "BE");
  // The legend of the letters, one under the other.
  for (const char* text : {"Completed Ordinances:", "Baptized", "Endowed", "Sealed to parents",
                           "Sealed to spouse", "Children's ordinances"})
    EXPECT_NE(Find(pages[0], text), nullptr) << text;
  EXPECT_EQ(Find(pages[0], "Endowed")->y - Find(pages[0], "Baptized")->y,
            -rpt::PedigreeLayout().legendStep);

  rpt::CleanupPedigreePages();
  RecordingDevice plain;
  options.showOrdinances = false;
  const auto without = Draw(Cascading(rins.at(1), 4, 4), options, plain);
  EXPECT_EQ(Find(without[0], "Completed Ordinances:"), nullptr);
  EXPECT_EQ(LettersBeside(without[0], "P2 Line"), "");
}

TEST_F(PedigreeChartGeneratorTest, RelationshipCodesAfterNamesWithTheLegendUnderTheChart) {
  const auto rins = BuildPedigree(3);
  std::vector<std::int32_t> links;
  DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, rins.at(2), 0);
  ASSERT_EQ(links.size(), 1u);
  CFamilyLinkRecord link;
  ASSERT_EQ(DbGetRecord(links[0], db::kFamilyLink, &link), 1);
  link.firstParentRelation = 'a';
  link.secondParentRelation = 'a';
  ASSERT_EQ(family::Update(link, 0), 1);

  struct Case {
    const char* name;
    bool codes;
    bool adopted;  // P2 printed with "{A}" and the legend under the chart
  } cases[] = {{"codes on", true, true}, {"codes off", false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rpt::CleanupPedigreePages();
    rpt::PedigreeChartOptions options;
    options.suppressNumbers = true;
    options.relationshipCodes = c.codes;
    RecordingDevice dc;
    const auto pages = Draw(Cascading(rins.at(1), 4, 4), options, dc);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Find(pages[0], "P2 Line {A}") != nullptr, c.adopted);
    EXPECT_EQ(Find(pages[0], "P2 Line") != nullptr, !c.adopted);
    EXPECT_NE(Find(pages[0], "P3 Line"), nullptr);  // a birth child: no code
    const TextRun* legend = Find(pages[0], "Relationship Codes:");
    ASSERT_EQ(legend != nullptr, c.adopted);
    if (legend == nullptr) continue;
    for (const TextRun& r : pages[0])
      if (r.text.find(" Line") != std::string::npos) {
        EXPECT_GT(r.y, legend->y) << r.text;
      }
  }
  // Codes on, but nobody has one: no legend.
  rpt::CleanupPedigreePages();
  rpt::PedigreeChartOptions options;
  options.relationshipCodes = true;
  RecordingDevice dc;
  const auto pages = Draw(Cascading(rins.at(3), 4, 4), options, dc);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(Find(pages[0], "Relationship Codes:"), nullptr);
}

// Six generations on one chart with photos beside the text: the photo box
// shrinks with the boxes, keeps the photo's proportions and is dropped in
// the last column; the text starts right of it.
TEST_F(PedigreeChartGeneratorTest, SixGenerationChartWithPhotosBesideTheText) {
  const auto rins = BuildPedigree(6);
  auto give = [](std::int32_t owner, const char* file) {
    auto item = std::make_unique<CMultimediaItem>();
    item->fileName = file;
    item->kind = CMultimediaItem::kPhoto;
    item->flags |= CMultimediaItem::kFlagDefault;
    EXPECT_EQ(1, DbSaveMultimediaChain(owner, item.get(), db::kIndividual));
  };
  const std::pair<int, const char*> photos[] = {
      {1, "p1.jpg"}, {8, "p8.jpg"}, {16, "p16.jpg"}, {32, "p32.jpg"}};
  for (const auto& [n, file] : photos) give(rins.at(n), file);
  rpt::PedigreeChartOptions options;
  options.suppressNumbers = true;
  options.photos = true;
  options.photoPlace = 0;
  options.photoWidth = 600;
  options.photoHeight = 800;
  const auto run = Cascading(rins.at(1), 6, 6);
  RecordingDevice dc;
  boxes.Clear();
  const auto pages = Draw(run, options, dc);
  ASSERT_EQ(pages.size(), 1u);
  // Too wide for six columns: the space message, once.
  EXPECT_EQ(boxes.Calls().size(), 1u);
  ASSERT_EQ(columns_.size(), 6u);
  const auto& k = rpt::PedigreeLayout();
  for (int column = 1; column <= 5; ++column) {
    const auto& c = columns_[column - 1];
    ASSERT_GT(c.photoWidth, 0) << column;
    EXPECT_LE(c.photoWidth, 600);
    EXPECT_NEAR(c.photoHeight * 600.0 / c.photoWidth, 800, 8) << column;
    EXPECT_GE(c.photoWidth, k.photoMinWidth);
    EXPECT_GE(c.photoHeight, k.photoMinHeight);
  }
  EXPECT_EQ(columns_[5].photoWidth, 0);  // the last column has no room
  EXPECT_LT(columns_[4].photoHeight, columns_[3].photoHeight);

  std::vector<std::string> drawn;
  for (const std::string& call : dc.calls)
    if (call.rfind("DrawPhoto ", 0) == 0) drawn.push_back(call);
  ASSERT_EQ(drawn.size(), 3u);  // not P32's, in the last column
  struct Case {
    int person, column;
  } cases[] = {{1, 1}, {8, 4}, {16, 5}};
  const std::vector<TextRun> runs = TextRuns(dc.calls);
  for (const Case& c : cases) {
    const auto& col = columns_[c.column - 1];
    const std::string prefix = "DrawPhoto p" + std::to_string(c.person) + ".jpg ";
    const auto call = std::find_if(drawn.begin(), drawn.end(),
                                   [&](const std::string& d) { return d.rfind(prefix, 0) == 0; });
    ASSERT_NE(call, drawn.end()) << c.person;
    std::istringstream in(call->substr(prefix.size()));
    int left = 0, top = 0;
    in >> left >> top;
    EXPECT_EQ(left, col.x + k.photoMargin) << c.person;
    // The name stays on the line; the event labels start right of the photo.
    const TextRun* name = Find(runs, "P" + std::to_string(c.person) + " Line");
    ASSERT_NE(name, nullptr);
    EXPECT_GT(name->y, top);
    const TextRun* label = nullptr;
    for (const TextRun& r : runs)
      if (r.text.size() == 2 && r.text[1] == ':' && r.y < name->y &&
          r.y > name->y - col.pitch / 2 && r.x >= col.x && r.x < col.x + col.width &&
          (label == nullptr || r.y > label->y))
        label = &r;
    ASSERT_NE(label, nullptr) << c.person;
    EXPECT_EQ(label->x, name->x + col.photoWidth + 2 * k.photoMargin) << c.person;
  }
  // Persons of columns 1 .. 5 without a photo keep the room as an empty frame.
  const auto frames = std::count_if(dc.calls.begin(), dc.calls.end(), [](const std::string& c) {
    return c.rfind("Rectangle ", 0) == 0;
  });
  EXPECT_EQ(frames, 31 - 3);

  // Without reserving the room: no frames, and their text at the box's left.
  rpt::CleanupPedigreePages();
  options.reservePhotoSpace = false;
  RecordingDevice unreserved;
  const auto second = Draw(run, options, unreserved);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(std::count_if(unreserved.calls.begin(), unreserved.calls.end(),
                          [](const std::string& c) { return c.rfind("Rectangle ", 0) == 0; }),
            0);
  const TextRun* p9 = Find(second[0], "P9 Line");
  ASSERT_NE(p9, nullptr);
  bool labelAtLeft = false;
  for (const TextRun& r : second[0])
    labelAtLeft = labelAtLeft || ((r.text == "B:" || r.text == "b:") && r.x == p9->x &&
                                  r.y < p9->y && r.y > p9->y - columns_[3].pitch / 2);
  EXPECT_TRUE(labelAtLeft);
}

TEST_F(PedigreeChartGeneratorTest, MarginsAndTheNamesFontComeFromTheOptions) {
  const auto rins = BuildPedigree(2);
  auto run = Cascading(rins.at(1), 4, 4);
  run.indexWanted = true;
  struct Case {
    int marginLeft, namePoints;
  } cases[] = {{700, 9}, {1200, 9}, {700, 14}};
  std::vector<std::pair<int, int>> titleXAndRowPitch;
  for (const Case& c : cases) {
    rpt::CleanupPedigreePages();
    rpt::PedigreeChartOptions options;
    options.suppressNumbers = true;
    options.marginLeft = c.marginLeft;
    options.nameFont.points = c.namePoints;
    RecordingDevice dc;
    const auto pages = Draw(run, options, dc);
    ASSERT_EQ(pages.size(), 2u);
    const TextRun* title = Find(pages[0], "Pedigree Chart");
    const TextRun* first = Find(pages[1], "P1 Line");
    const TextRun* second = Find(pages[1], "P2 Line");
    ASSERT_TRUE(title && first && second);
    titleXAndRowPitch.emplace_back(title->x, first->y - second->y);
  }
  EXPECT_EQ(titleXAndRowPitch[1].first - titleXAndRowPitch[0].first, 500);
  EXPECT_EQ(titleXAndRowPitch[0].second, 9 * 1000 / 72 * 10 / 9);
  EXPECT_EQ(titleXAndRowPitch[2].second, 14 * 1000 / 72 * 10 / 9);
}

// Six generations on a letter page: too low for the last generation's
// boxes. With "Split" the fathers and mothers of that generation stand side
// by side on their child's line, with room for an event line each.
TEST_F(PedigreeChartGeneratorTest, SplitLastGenerationStandsOnItsChildsLine) {
  const auto rins = BuildPedigree(7);
  struct Case {
    bool split;
  } cases[] = {{true}, {false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.split);
    rpt::CleanupPedigreePages();
    rpt::PedigreeChartOptions options;
    options.suppressNumbers = true;
    options.split = c.split;
    RecordingDevice dc;
    dc.charWidth = 30;
    boxes.Clear();
    const auto pages = Draw(Cascading(rins.at(1), 6, 7), options, dc);
    ASSERT_GE(pages.size(), 1u);
    EXPECT_TRUE(boxes.Calls().empty());  // either way there is room across
    ASSERT_EQ(split_, c.split);
    const std::vector<TextRun>& page = pages[0];
    const TextRun* child = Find(page, "P16 Line");
    const TextRun* father = Find(page, "P32 Line");
    const TextRun* mother = Find(page, "P33 Line");
    ASSERT_TRUE(child && father && mother);
    // The last generation's event line: "b:" under the name.
    auto hasEventLine = [&](const TextRun* name, int pitch) {
      return std::any_of(page.begin(), page.end(), [&](const TextRun& r) {
        return r.text == "b:" && r.x == name->x && r.y < name->y && r.y > name->y - pitch;
      });
    };
    if (c.split) {
      ASSERT_EQ(columns_.size(), 7u);
      EXPECT_EQ(father->y, child->y);
      EXPECT_EQ(mother->y, child->y);
      EXPECT_EQ(father->x, columns_[5].x + 15);
      EXPECT_EQ(mother->x, columns_[6].x + 15);
      EXPECT_EQ(columns_[5].pitch, columns_[4].pitch);
      EXPECT_EQ(columns_[5].lines, 1);
      EXPECT_TRUE(hasEventLine(father, columns_[5].pitch));
      EXPECT_TRUE(hasEventLine(mother, columns_[6].pitch));
      // Continuation numbers at the right end of each box: the father's
      // left of the mother's line, the mother's at the page's right.
      const auto& f = columns_[5];
      const auto& m = columns_[6];
      bool fatherNumber = false, motherNumber = false;
      for (const TextRun& r : page) {
        if (r.text == "2" && r.x + dc.charWidth == f.x + f.width) fatherNumber = r.y < father->y;
        if (r.text == "3" && r.x + dc.charWidth == m.x + m.width) motherNumber = r.y < mother->y;
      }
      EXPECT_TRUE(fatherNumber);
      EXPECT_TRUE(motherNumber);
    } else {
      ASSERT_EQ(columns_.size(), 6u);
      EXPECT_EQ(father->x, mother->x);
      EXPECT_GT(father->y, mother->y);
      EXPECT_EQ(columns_[5].lines, 0);
      EXPECT_FALSE(hasEventLine(father, columns_[5].pitch));
    }
  }
}

// The same run written as RTF and read back by LibreOffice shows every
// person of each chart on the page of that chart.
TEST_F(PedigreeChartGeneratorTest, RtfRunReadByLibreOfficeShowsTheSameNames) {
  if (!LibreOfficeInstalled()) GTEST_SKIP() << "LibreOffice or pdftotext is not installed";
  const auto rins = BuildPedigree(5);
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
  TempDir dir;
  const std::string rtf = dir.File("pedigree.rtf");
  auto run = Cascading(rins.at(1), 4, 5);
  const int pages = rpt::PaginatePedigreeChart(run, 40);
  ASSERT_EQ(pages, 9);
  RecordingDevice dc;
  dc.SetMapMode(rpt::MM_HIENGLISH);
  rpt::CPedigreeChartGenerator g(run, {});
  g.SetRTFOutput(true);
  g.SetOutputFileName(rtf);
  g.SetPaperSize(12240, 15840);
  g.BeginPrinting(dc);
  for (int page = 1; page <= pages; ++page) g.DrawPage(dc, page, page == pages);
  CPrintInfo info;
  info.maxPage = pages;
  g.FinishRTFDocument(&dc, &info);
  g.EndPrinting();
  ASSERT_TRUE(std::filesystem::exists(rtf));

  ASSERT_EQ(ConvertWithLibreOffice({rtf}, "pdf", dir.Path()), 0);
  ASSERT_EQ(std::system(("pdftotext '" + dir.File("pedigree.pdf") + "'").c_str()), 0);
  std::vector<std::string> pageTexts;
  {
    const std::string text = ReadAll(dir.File("pedigree.txt"));
    std::size_t from = 0;
    for (std::size_t at = text.find('\f'); at != std::string::npos; at = text.find('\f', from)) {
      pageTexts.push_back(text.substr(from, at - from));
      from = at + 1;
    }
  }
  ASSERT_EQ(pageTexts.size(), 9u);
  // Chart 1 holds 1 .. 15; chart c (2 .. 9) holds the parents of 6 + c.
  for (int n = 1; n <= 15; ++n)
    EXPECT_NE(pageTexts[0].find("P" + std::to_string(n) + " Line"), std::string::npos) << n;
  for (int c = 2; c <= 9; ++c) {
    const int root = 6 + c;
    for (int n : {root, 2 * root, 2 * root + 1})
      EXPECT_NE(pageTexts[c - 1].find("P" + std::to_string(n) + " Line"), std::string::npos)
          << "chart " << c << " person " << n;
  }
}

}  // namespace
