// The Family Group Record from the family file to the drawn page: the pass
// over records read from the database, the page entries it leaves, and the
// generator drawing every page on the recording device, which must agree
// with the pass (rows, note bytes, citation lines) in every layout.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "ChartBox.h"
#include "CitationNumbers.h"
#include "FakePaginatorWindow.h"
#include "FamilyGroupFamily.h"
#include "FamilyGroupGenerator.h"
#include "FamilyGroupKind.h"
#include "FamilyGroupRegistration.h"
#include "FamilyGroupRun.h"
#include "Ports.h"
#include "RecordingDevice.h"
#include "ReportFamilies.h"
#include "ReportKinds.h"

namespace {

using rpt::FamilyGroupOptions;
using rpt::FamilyGroupPageEntry;

// One parsed drawing call: its name and first two numbers.
struct Call {
  std::string name;
  int x = 0, y = 0;
  std::string text;
};
Call Parse(const std::string& line) {
  Call c;
  std::istringstream in(line);
  in >> c.name >> c.x >> c.y;
  std::getline(in, c.text);
  if (!c.text.empty() && c.text[0] == ' ') c.text.erase(0, 1);
  return c;
}

bool PageHasText(const std::vector<std::string>& calls, const std::string& text) {
  for (const std::string& line : calls) {
    const Call c = Parse(line);
    if (c.name == "TextOut" && c.text.find(text) != std::string::npos) return true;
  }
  return false;
}

// An open family file with settings of the test's own; the pagination is
// freed after each test.
class FamilyGroupFixture : public ReportFamiliesFixture {
 protected:
  void SetUp() override {
    ReportFamiliesFixture::SetUp();
    plat::SetProfilePort(&profile);
  }
  void TearDown() override {
    rpt::CleanupFamilyGroupPages();
    plat::SetProfilePort(nullptr);
    ReportFamiliesFixture::TearDown();
  }
  plat::MemoryProfile profile;
};

class FamilyGroupRecordTest : public FamilyGroupFixture {
 protected:
  using Big = FamilyGroupFamily;

  Big BuildBig() {
    Big b = BuildFamilyGroupFamily();
    EXPECT_GT(b.husband, 0);
    EXPECT_GT(b.wife, 0);
    EXPECT_GT(b.family, 0);
    EXPECT_GT(b.other, 0);
    EXPECT_EQ(b.children.size(), 9u);
    EXPECT_EQ(b.citations, 23);
    return b;
  }

  static FamilyGroupOptions AllOptions() {
    FamilyGroupOptions o;
    o.sourceNotes = 3;
    o.otherMarr = true;
    o.otherEvents = true;
    return o;
  }

  struct Run {
    int pageCount = 0;
    rpt::FamilyGroupGeometry geometry;
    rpt::FamilyGroupRunArgs args;
    std::vector<std::vector<std::string>> pages;
    std::vector<std::vector<std::string>> noteLines;  // per page
    std::vector<FamilyGroupPageEntry> entries;
    int overflow = 0;
  };

  // Paginates and draws every page of the request.
  Run RunReport(const FamilyGroupOptions& o, const rpt::ReportRequest& request) {
    Run run;
    RecordingDevice dc(1000);
    dc.SetMapMode(rpt::MM_HIENGLISH);
    rpt::PrintableArea area;
    rpt::GetPrintableMargins(dc, o.pageLM, o.pageTM, o.pageRM, o.pageBM, area, false);
    run.args = rpt::FamilyGroupRunArgsFrom(request, o, dc, area.width, area.height);
    rpt::HeadlessPaginatorWindow window;
    run.pageCount = o.type == 2 ? 3 : rpt::PaginateFamilyGroupRecord(run.args, o, window);
    rpt::CFamilyGroupGenerator generator(o, {request.startRin, rpt::FamilyGroupLoneRole(request)});
    generator.SetUp(dc);
    run.geometry = generator.Geometry();
    for (int page = 1; page <= run.pageCount; ++page) {
      if (const FamilyGroupPageEntry* e = rpt::FindFamilyGroupPage(page)) run.entries.push_back(*e);
      dc.calls.clear();
      const std::size_t before = generator.NoteLines().size();
      generator.DrawPage(dc, page);
      run.pages.push_back(dc.calls);
      run.noteLines.emplace_back(generator.NoteLines().begin() + static_cast<long>(before),
                                 generator.NoteLines().end());
    }
    run.overflow = generator.OverflowRows();
    return run;
  }

  static rpt::ReportRequest FamilyRequest(std::int32_t mrin, std::int32_t start) {
    rpt::ReportRequest r;
    r.startRin = start;
    r.familyMrin = mrin;
    return r;
  }

  // The lines of a text as the pages print them, from byte offset from.
  static std::vector<std::string> Lines(const std::string& text, std::size_t from,
                                        rpt::ReportDevice& dc, int width) {
    rpt::CStyleFontSet fonts = rpt::FamilyGroupNoteFonts("Times New Roman;Normal;9pt");
    const rpt::FamilyGroupLineFit fit = [&](std::string_view t) {
      return rpt::FitTextLine(t, dc, width, width / 80, &fonts);
    };
    std::vector<std::string> lines;
    for (std::size_t pos = from; pos < text.size();) {
      const std::size_t end = rpt::FamilyGroupNextLine(text, pos, fit);
      std::string line = text.substr(pos, end - pos);
      while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
      lines.push_back(line);
      pos = rpt::FamilyGroupSkipLineBreak(text, end);
    }
    return lines;
  }
};

// ---- pass and page agree --------------------------------------------------------

struct LayoutCase {
  const char* name;
  int layout;
  bool zel;
  bool photos;
  int photoPlace;
  bool reserve;
  bool start1st;
  bool notePar;
};

TEST_F(FamilyGroupRecordTest, PassAndPagesAgreeInEveryLayout) {
  const Big b = BuildBig();
  const LayoutCase cases[] = {
      {"expanded", 0, false, false, 2, true, false, false},
      {"medium zel", 1, true, false, 2, true, true, false},
      {"condensed zel", 2, true, false, 2, false, false, true},
      {"photo left reserved", 0, false, true, 0, true, false, false},
      {"photo right zel", 1, true, true, 2, true, true, false},
      {"photo right not reserved", 2, false, true, 1, false, false, false},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    FamilyGroupOptions o = AllOptions();
    o.layout = c.layout;
    o.showZel = c.zel;
    o.photoOpt = c.photos;
    o.photoPlace = c.photoPlace;
    o.photoRsrv = c.reserve;
    o.start1st = c.start1st;
    o.notePar = c.notePar;
    const Run run = RunReport(o, FamilyRequest(b.family, b.husband));
    ASSERT_GT(run.pageCount, 2);
    // The pass measured with the page's own geometry.
    EXPECT_EQ(run.args.bodyHeight, run.geometry.BodyHeight());
    EXPECT_EQ(run.args.notesWidth, run.geometry.notesWidth);
    EXPECT_EQ(run.overflow, 0);
    const int footer = run.geometry.footerY;
    for (std::size_t p = 0; p < run.pages.size(); ++p) {
      for (const std::string& line : run.pages[p]) {
        const Call call = Parse(line);
        if (call.name == "MoveTo" || call.name == "LineTo") {
          EXPECT_GE(call.y, footer) << "page " << p + 1 << ": " << line;
        } else if (call.name == "TextOut" && call.y < footer) {
          EXPECT_EQ(call.y, footer - 10) << "page " << p + 1 << ": " << line;  // the foot line
        }
      }
    }
    // Every page names its place in the record.
    for (const FamilyGroupPageEntry& e : run.entries) {
      const std::string label =
          "Page " + std::to_string(e.pageInRecord) + " of " + std::to_string(e.recordPageCount);
      EXPECT_TRUE(PageHasText(run.pages[e.page - 1], label)) << label;
    }
  }
}

TEST_F(FamilyGroupRecordTest, NotesAndSourcesPagesResumeWhereThePreviousPageEnded) {
  const Big b = BuildBig();
  for (int layout = 0; layout < 3; ++layout) {
    SCOPED_TRACE(layout);
    FamilyGroupOptions o = AllOptions();
    o.layout = layout;
    const Run run = RunReport(o, FamilyRequest(b.family, b.husband));
    RecordingDevice dc(1000);
    dc.SetMapMode(rpt::MM_HIENGLISH);
    const rpt::FamilyGroupMeasure measure = rpt::FamilyGroupMeasureOf(o, 3, false);
    DiscardCitationNumberLists();
    const auto content =
        rpt::ReadFamilyGroupRecord({b.family, rpt::FamilyRecordKind::Family, 0}, measure);
    ASSERT_TRUE(content.has_value());

    // Every line of every owner's notes and every source note, in order,
    // exactly once over the pages (blank lines aside).
    std::vector<std::string> expected, drawn;
    for (const auto& owner : content->notes)
      for (const std::string& line : Lines(owner.text, 0, dc, run.args.notesWidth))
        if (!line.empty()) expected.push_back(line);
    for (const std::string& text : content->citationTexts)
      for (const std::string& line : Lines(text, 0, dc, run.args.notesWidth))
        if (!line.empty()) expected.push_back(line);
    for (const auto& page : run.noteLines)
      for (const std::string& line : page)
        if (!line.empty()) drawn.push_back(line);
    ASSERT_EQ(drawn.size(), expected.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) ASSERT_EQ(drawn[i], expected[i]) << i;

    int notesPages = 0, sourcesPages = 0;
    for (const FamilyGroupPageEntry& e : run.entries) {
      const auto& first = run.noteLines[e.page - 1];
      if (e.kind == rpt::kNotesPage && e.lineOffset > 0) {
        ++notesPages;
        const auto owner = std::find_if(content->notes.begin(), content->notes.end(),
                                        [&](const auto& n) { return n.owner == e.start; });
        ASSERT_NE(owner, content->notes.end());
        const auto lines = Lines(owner->text, e.lineOffset, dc, run.args.notesWidth);
        ASSERT_FALSE(first.empty());
        EXPECT_EQ(first.front(), lines.front()) << "page " << e.page;
        EXPECT_TRUE(PageHasText(run.pages[e.page - 1], "(Continued)"));
      }
      if (e.kind == rpt::kSourcesPage && (e.start > 0 || e.lineOffset > 0)) {
        ++sourcesPages;
        const auto lines = Lines(content->citationTexts[e.start], 0, dc, run.args.notesWidth);
        ASSERT_LT(static_cast<std::size_t>(e.lineOffset), lines.size());
        ASSERT_FALSE(first.empty());
        EXPECT_EQ(first.front(), lines[e.lineOffset]) << "page " << e.page;
      }
    }
    EXPECT_GT(notesPages, 0);
  }
}

// ---- measuring blocks -------------------------------------------------------------

TEST_F(FamilyGroupRecordTest, SpouseBlockRowsFollowTheOptions) {
  const Big b = BuildBig();
  struct Case {
    const char* name;
    bool zel, reserve, otherEvents, otherMarr, confident;
    int husbandRows, wifeRows;
  };
  // Harold: born and died (no christening or burial), an occupation and a
  // confidential event; married, with a marriage event (Banns); another
  // marriage; parents. Wendy: born and died; no parents.
  const Case cases[] = {
      {"plain", false, false, false, false, false, 2 + 1 + 2, 2 + 2},
      {"reserved", false, true, false, false, false, 4 + 1 + 2, 4 + 2},
      {"other events", false, false, true, false, false, 3 + 2 + 2, 2 + 2},
      {"confidential too", false, false, true, false, true, 4 + 2 + 2, 2 + 2},
      {"other marriages", false, false, false, true, false, 2 + 1 + 2 + 2, 2 + 2},
      {"zel fills to four", true, false, false, false, false, 4 + 1 + 2, 4 + 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FamilyGroupOptions o;
    o.showZel = c.zel;
    o.reserveStd = c.reserve;
    o.otherEvents = c.otherEvents;
    o.otherMarr = c.otherMarr;
    o.confident = c.confident;
    const rpt::FamilyGroupBlockSetup setup{o, {}};
    const auto husband = rpt::BuildSpouseBlock(b.husband, b.family, rpt::kRoleHusband, setup);
    const auto wife = rpt::BuildSpouseBlock(b.wife, b.family, rpt::kRoleWife, setup);
    EXPECT_EQ(husband.Rows(), c.husbandRows);
    EXPECT_EQ(wife.Rows(), c.wifeRows);
    // The pass's estimate is the measured block.
    const rpt::FamilyGroupMeasure measure = rpt::FamilyGroupMeasureOf(o, 1, false);
    const auto content =
        rpt::ReadFamilyGroupRecord({b.family, rpt::FamilyRecordKind::Family, 0}, measure);
    ASSERT_TRUE(content.has_value());
    const rpt::FamilyGroupRows rows = rpt::FamilyGroupRowsOf(0);
    EXPECT_EQ(content->shape.husbandHeight, rpt::MeasureSpouseBlock(husband, rows, o, 0));
    EXPECT_EQ(content->shape.husbandHeight, rows.heading + c.husbandRows * rows.row);
    EXPECT_EQ(content->shape.wifeHeight, rows.heading + c.wifeRows * rows.row);
  }
}

TEST_F(FamilyGroupRecordTest, AChildWithoutMarriageShowsEmptySpouseRowsOnlyWhenReserved) {
  const Big b = BuildBig();
  const std::int32_t unmarried = b.children[1];  // Child2 has no marriage
  const std::int32_t married = b.children[0];
  for (const bool reserve : {false, true}) {
    SCOPED_TRACE(reserve);
    FamilyGroupOptions o;
    o.reserveStd = reserve;
    const rpt::FamilyGroupBlockSetup setup{o, {}};
    const auto lone = rpt::BuildChildBlock(unmarried, setup);
    const auto wed = rpt::BuildChildBlock(married, setup);
    // Born (and, reserved, christened, died, buried); then spouse and married.
    EXPECT_EQ(lone.Rows(), reserve ? 4 + 2 : 1);
    EXPECT_EQ(lone.hasSpouseRows, reserve);
    EXPECT_EQ(wed.Rows(), (reserve ? 4 : 1) + 2);
    EXPECT_TRUE(wed.hasSpouseRows);
  }
}

// ---- citations ---------------------------------------------------------------------

TEST_F(FamilyGroupRecordTest, CitationsAreNumberedPerRecordBySource) {
  const Big b = BuildBig();
  const auto c = BuildCitations();  // Nora North: one source, four citations
  FamilyGroupOptions o;
  o.sourceNotes = 1;
  const rpt::FamilyGroupMeasure measure = rpt::FamilyGroupMeasureOf(o, 1, false);
  const auto big =
      rpt::ReadFamilyGroupRecord({b.family, rpt::FamilyRecordKind::Family, 0}, measure);
  const auto nora =
      rpt::ReadFamilyGroupRecord({c.marriage, rpt::FamilyRecordKind::Family, 0}, measure);
  ASSERT_TRUE(big && nora);
  // Each record starts again at 1; one entry per source first seen.
  ASSERT_EQ(nora->citations.size(), 1u);
  ASSERT_EQ(big->citations.size(), 2u);
  const auto sourceOf = [](std::int32_t citation) {
    CCitationRecord record;
    return DbGetRecord(citation, db::kCitation, &record) ? record.sourceRin : 0;
  };
  EXPECT_EQ(rpt::RecordCitationNumber(nora->citations, c.onDeathWithPicture, sourceOf), 1);
  EXPECT_EQ(sourceOf(big->citations[0]) == b.source2 ? 1 : 2,
            rpt::RecordCitationNumber(big->citations, big->citations[0], sourceOf));

  // The numbers printed on a row: the husband's name carries both sources.
  rpt::FamilyGroupBlockSetup setup{
      o,
      [&](std::int32_t cit) { return rpt::RecordCitationNumber(big->citations, cit, sourceOf); }};
  const auto husband = rpt::BuildSpouseBlock(b.husband, b.family, rpt::kRoleHusband, setup);
  EXPECT_EQ(husband.nameMarks, (std::vector<std::int32_t>{1, 2}));
}

TEST_F(FamilyGroupRecordTest, APageDrawnAloneShowsTheSameNumbersAsInSequence) {
  const Big b = BuildBig();
  FamilyGroupOptions o = AllOptions();
  const Run all = RunReport(o, FamilyRequest(b.family, b.husband));
  ASSERT_GE(all.pageCount, 3);
  // Draw the last family or children page by itself.
  RecordingDevice dc(1000);
  dc.SetMapMode(rpt::MM_HIENGLISH);
  rpt::PrintableArea area;
  rpt::GetPrintableMargins(dc, o.pageLM, o.pageTM, o.pageRM, o.pageBM, area, false);
  rpt::HeadlessPaginatorWindow window;
  ASSERT_EQ(
      rpt::PaginateFamilyGroupRecord(rpt::FamilyGroupRunArgsFrom(FamilyRequest(b.family, b.husband),
                                                                 o, dc, area.width, area.height),
                                     o, window),
      all.pageCount);
  for (int page : {2, all.pageCount}) {
    rpt::CFamilyGroupGenerator alone(o, {b.husband, 1});
    alone.SetUp(dc);
    dc.calls.clear();
    alone.DrawPage(dc, page);
    EXPECT_EQ(dc.calls, all.pages[page - 1]) << "page " << page;
  }
}

TEST_F(FamilyGroupRecordTest, MarksFollowWhatTheCitationAppliesTo) {
  struct Case {
    int appliesTo;
    bool date, place;
    std::vector<std::int32_t> atDate, atPlace, atRow;
  };
  const Case cases[] = {
      {0, true, true, {7}, {}, {}},   {0, false, true, {}, {}, {7}}, {1, true, true, {}, {7}, {}},
      {1, true, false, {}, {}, {7}},  {2, true, true, {7}, {7}, {}}, {2, false, true, {}, {7}, {}},
      {2, false, false, {}, {}, {7}}, {3, true, true, {}, {}, {7}},  {5, true, true, {}, {}, {}},
  };
  for (const Case& c : cases) {
    rpt::FamilyGroupMarks marks;
    rpt::FileFamilyGroupCitation(c.appliesTo, 7, c.date, c.place, marks);
    EXPECT_EQ(marks.date, c.atDate) << c.appliesTo;
    EXPECT_EQ(marks.place, c.atPlace) << c.appliesTo;
    EXPECT_EQ(marks.row, c.atRow) << c.appliesTo;
  }
}

// ---- page entries and edge cases -----------------------------------------------------

TEST_F(FamilyGroupRecordTest, EachRecordCountsItsOwnPages) {
  const Big b = BuildBig();
  const Couples couples = BuildCouples();
  FamilyGroupOptions o = AllOptions();
  o.listOpt = true;
  rpt::ReportRequest request;
  request.nameStart = std::to_string(b.family) + " " + std::to_string(couples.married);
  const Run run = RunReport(o, request);
  ASSERT_GE(run.entries.size(), 4u);
  const FamilyGroupPageEntry& firstOfSecond = run.entries[run.entries.front().recordPageCount];
  EXPECT_EQ(firstOfSecond.key, couples.married);
  EXPECT_EQ(firstOfSecond.pageInRecord, 1);
  EXPECT_TRUE(PageHasText(run.pages[firstOfSecond.page - 1],
                          "Page 1 of " + std::to_string(firstOfSecond.recordPageCount)));
  // A family without children: no "Children" row.
  for (const std::string& line : run.pages[firstOfSecond.page - 1])
    EXPECT_EQ(line.find("List each child"), std::string::npos) << line;
  EXPECT_TRUE(PageHasText(run.pages[0], "List each child in order of birth."));
  EXPECT_TRUE(PageHasText(run.pages[0], "Prepared by"));
}

// The shading takes the colour the Report Preferences store, white when
// shading is off or when a preview hides it.
TEST_F(FamilyGroupRecordTest, ShadingFollowsTheStoredColourAndHideShade) {
  const Big b = BuildBig();
  profile.SetString("Reports", "ShadeClr", "0X123456");
  const struct {
    int shading, printState, hideShade;
    const char* colour;
  } cases[] = {
      {1, 1, 0, "1193046"}, {1, 2, 0, "1193046"}, {1, 2, 1, "16777215"}, {1, 3, 1, "16777215"},
      {1, 4, 1, "1193046"}, {1, 0, 1, "1193046"}, {0, 1, 0, "16777215"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.shading) + " " + std::to_string(c.printState) + " " +
                 std::to_string(c.hideShade));
    profile.SetInt("Options", "Shading", c.shading);
    profile.SetInt("Reports", "Hide Shade", c.hideShade);
    rpt::CurrentReportRunState().printState = c.printState;
    const Run run = RunReport(AllOptions(), FamilyRequest(b.family, b.husband));
    rpt::CurrentReportRunState() = {};
    int fills = 0;
    for (const std::string& line : run.pages.at(0))
      if (line.rfind("FillRect ", 0) == 0) {
        ++fills;
        EXPECT_EQ(line.substr(line.rfind(' ') + 1), c.colour) << line;
      }
    EXPECT_GT(fills, 0);
  }
}

TEST_F(FamilyGroupRecordTest, NotesBeginOnTheFirstPageOnlyWithStartFirst) {
  const Couples couples = BuildCouples();
  CMarriageRecord marriage;
  ASSERT_EQ(family::Read(marriage, couples.married), 1);
  ASSERT_GT(DbSetNotes(marriage.husband, "A short note.", 0, 0, db::kIndividual), 0);
  for (const bool first : {false, true}) {
    SCOPED_TRACE(first);
    FamilyGroupOptions o = AllOptions();
    o.start1st = first;
    const Run run = RunReport(o, FamilyRequest(couples.married, marriage.husband));
    ASSERT_EQ(run.pageCount, first ? 1 : 2);
    EXPECT_EQ(PageHasText(run.pages[0], "A short note."), first);
    if (!first) {
      EXPECT_TRUE(PageHasText(run.pages[1], "A short note."));
    }
  }
}

TEST_F(FamilyGroupRecordTest, LoneParentAndLoneChildRecords) {
  const std::int32_t alone = Person("Ada", "Alone", 'F', 1950);
  ASSERT_GT(DbSetNotes(alone, "Ada kept a diary.", 0, 0, db::kIndividual), 0);
  for (const int role : {0, 1}) {
    SCOPED_TRACE(role);
    FamilyGroupOptions o;
    o.sourceNotes = 2;
    o.start1st = true;
    rpt::ReportRequest request;
    request.startRin = alone;
    request.options[rpt::kFgrSlotRole] = role;
    const Run run = RunReport(o, request);
    ASSERT_EQ(run.pageCount, 1);
    EXPECT_EQ(run.entries[0].key, 0);
    EXPECT_TRUE(PageHasText(run.pages[0], "Ada Alone"));
    EXPECT_TRUE(PageHasText(run.pages[0], "Ada kept a diary."));
    // As a child she is child 1 under the "Children" row; as a parent, the wife.
    EXPECT_EQ(PageHasText(run.pages[0], "List each child"), role == 1);
    EXPECT_TRUE(PageHasText(run.pages[0], role == 1 ? "CHILD  1" : "WIFE"));
  }
}

TEST_F(FamilyGroupRecordTest, BlankFormHasThreePages) {
  FamilyGroupOptions o;
  o.type = 2;
  o.includeSubmit = false;
  const Run run = RunReport(o, {});
  ASSERT_EQ(run.pages.size(), 3u);
  EXPECT_TRUE(PageHasText(run.pages[0], "Prepared by"));
  EXPECT_TRUE(PageHasText(run.pages[0], "Given name(s)"));
  EXPECT_TRUE(PageHasText(run.pages[1], "List each child in order of birth."));
  EXPECT_TRUE(PageHasText(run.pages[2], "Other marriages"));
  EXPECT_TRUE(PageHasText(run.pages[2], "Notes and sources of information"));
}

}  // namespace

namespace {

// The keys of each record's first page, in report order.
std::vector<std::int32_t> RecordKeys() {
  std::vector<std::int32_t> keys;
  for (std::int32_t page = 1;; ++page) {
    const rpt::FamilyGroupPageEntry* e = rpt::FindFamilyGroupPage(page);
    if (e == nullptr) break;
    if (e->pageInRecord == 1) keys.push_back(e->key);
  }
  return keys;
}

using FamilyGroupCascadeRunTest = FamilyGroupFixture;

TEST_F(FamilyGroupCascadeRunTest, CascadeUpThroughTheWorkFilePrintsSharedAncestorsOnce) {
  const Collapse f = BuildPedigreeCollapse();
  struct Case {
    int generations;
    std::vector<std::int32_t> keys;
  };
  const Case cases[] = {
      {1, {f.cousins}},
      {2, {f.cousins, f.charlesEdith, f.dianaGeorge}},
      {999, {f.cousins, f.charlesEdith, f.grandparents, f.dianaGeorge}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.generations);
    RecordingDevice dc(1000);
    dc.SetMapMode(rpt::MM_HIENGLISH);
    rpt::FamilyGroupRunArgs args;
    args.mode = rpt::kFamilyGroupCascadeUp;
    args.generations = c.generations;
    args.startIsChild = true;
    args.startRin = f.kevin;
    args.chosenFamily = f.cousins;
    args.dc = &dc;
    args.notesWidth = 6000;
    args.bodyHeight = 9000;
    args.notesLineHeight = 162;
    CancellingPaginatorWindow window;
    const int pages = rpt::PaginateFamilyGroupRecord(args, FamilyGroupOptions{}, window);
    EXPECT_EQ(pages, static_cast<int>(c.keys.size()));
    EXPECT_EQ(RecordKeys(), c.keys);
    // The cascade's work file is gone once the run is over.
    EXPECT_FALSE(rpt::Paginator().workFile.IsOpen());
    EXPECT_TRUE(window.cancelShown);
  }
}

TEST_F(FamilyGroupCascadeRunTest, CancelLeavesNoPages) {
  const Collapse f = BuildPedigreeCollapse();
  RecordingDevice dc(1000);
  rpt::FamilyGroupRunArgs args;
  args.mode = rpt::kFamilyGroupCascadeDown;
  args.startRin = f.arthur;
  args.chosenFamily = f.grandparents;
  args.dc = &dc;
  args.notesWidth = 6000;
  args.bodyHeight = 9000;
  CancellingPaginatorWindow window;
  window.cancelOnPump = 1;
  EXPECT_EQ(rpt::PaginateFamilyGroupRecord(args, FamilyGroupOptions{}, window), 0);
  EXPECT_TRUE(rpt::Paginator().pageEntries.empty());
}

}  // namespace

namespace {

// Kind 2 through the report job: registration, the paginator from the
// report request, the job's pages, and the end of printing that frees the
// pagination unless the preview hands it to the printer.
TEST_F(FamilyGroupCascadeRunTest, TheReportJobPrintsKindTwo) {
  const Couples couples = BuildCouples();
  rpt::RegisterFamilyGroupRecord();
  EXPECT_TRUE(rpt::IsReportKindAvailable(rpt::kFamilyGroupRecord));
  rpt::ReportRequest& request = rpt::CurrentReportRequest();
  const rpt::ReportRequest saved = request;
  request = {};
  CMarriageRecord marriage;
  ASSERT_EQ(family::Read(marriage, couples.married), 1);
  request.startRin = marriage.husband;
  request.familyMrin = couples.married;
  for (const int printState : {0, 4}) {
    SCOPED_TRACE(printState);
    rpt::CurrentReportRunState().printState = printState;
    RecordingDevice dc(1000);
    dc.SetMapMode(rpt::MM_HIENGLISH);
    const int pages = rpt::PaginateFamilyGroupRequest(request, &dc, 7500, 10400);
    ASSERT_EQ(pages, 1);
    CReportJob job(rpt::kFamilyGroupRecord);
    ASSERT_NE(dynamic_cast<rpt::CFamilyGroupGenerator*>(job.Generator()), nullptr);
    CPrintInfo info;
    info.maxPage = pages;
    job.BeginPrinting(&dc, &info);
    info.currentPage = 1;
    dc.calls.clear();
    EXPECT_EQ(job.PrintPage(&dc, &info), 1);
    EXPECT_TRUE(PageHasText(dc.calls, "Leo Lane"));
    EXPECT_TRUE(PageHasText(dc.calls, "Mia Moss"));
    job.EndPrinting(&dc, &info);
    EXPECT_EQ(rpt::Paginator().pageEntries.empty(), printState != 4);
    rpt::CleanupFamilyGroupPages();
  }
  // The list option without a list prints nothing.
  profile.SetInt("FgrRpt", "ListOpt", 1);
  RecordingDevice dc(1000);
  EXPECT_EQ(rpt::PaginateFamilyGroupRequest(request, &dc, 7500, 10400), 0);
  profile.SetInt("FgrRpt", "ListOpt", 0);
  profile.SetInt("FgrRpt", "Type", 2);
  EXPECT_EQ(rpt::PaginateFamilyGroupRequest(request, &dc, 7500, 10400), 3);
  rpt::CurrentReportRunState().printState = 0;
  request = saved;
  rpt::RegisterReportGenerator(rpt::GeneratorClass::kFamilyGroup, nullptr);
}

}  // namespace
