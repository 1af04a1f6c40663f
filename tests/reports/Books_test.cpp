// The Ahnentafel and Modified Register books: numbering, repeats, web plans,
// pages that meet exactly, the drawn pages and the RTF book.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "AhnentafelPagination.h"
#include "BookLayout.h"
#include "BookPagination.h"
#include "BookReportGenerator.h"
#include "CodePage.h"
#include "LibreOffice.h"
#include "PaginationRun.h"
#include "RecordingDevice.h"
#include "RegisterPagination.h"
#include "ReportFamilies.h"
#include "ScopedCodePage.h"
#include "TestHelpers.h"

using namespace rpt;
namespace fs = std::filesystem;

namespace {

std::vector<std::uint32_t> Numbers() {
  std::vector<std::uint32_t> out;
  for (const BookPerson& p : CurrentBook().persons) out.push_back(p.number);
  return out;
}

std::set<std::uint32_t> References() {
  std::set<std::uint32_t> out;
  for (const BookPerson& p : CurrentBook().persons)
    if (p.reference) out.insert(p.number);
  return out;
}

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

}  // namespace

class BooksTest : public ReportFamiliesFixture {
 protected:
  void SetUp() override {
    ReportFamiliesFixture::SetUp();
    dc.SetMapMode(MM_HIENGLISH);
  }
  void TearDown() override {
    CleanupBookPages();
    ReportFamiliesFixture::TearDown();
  }

  static BookOptions Print(std::int32_t start) {
    BookOptions o;
    o.startRin = start;
    o.textWidth = 6500;
    o.pageHalfLines = 60;
    o.indexColumns = 2;
    o.suppressRin = true;
    return o;
  }
  static BookOptions Web(std::int32_t start, int perPage) {
    BookOptions o = Print(start);
    o.mode = 2;
    o.textWidth = 7500;
    o.pageHalfLines = perPage;
    return o;
  }

  // The collapse family, and parents for Arthur, who appears twice among
  // Kevin's great-grandparents.
  Collapse Family() {
    Collapse f = BuildPedigreeCollapse();
    zed = Person("Zed", "Ashdown", 'M', 1820, 1890);
    yvonne = Person("Yvonne", "Young", 'F', 1825, 1895);
    Child(Marry(zed, yvonne), f.arthur);
    return f;
  }

  RecordingDevice dc{1000};
  std::int32_t zed = 0, yvonne = 0;
};

TEST_F(BooksTest, AhnentafelNumbersAndRepeatedAncestors) {
  const Collapse f = Family();
  const std::int32_t highest = DbGetMaxRecordCount(db::kIndividual);
  struct Case {
    int repeat;
    std::vector<std::uint32_t> numbers;
    std::set<std::uint32_t> references;
  } cases[] = {
      {0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 14, 15, 16, 17}, {14, 15}},
      {1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 14, 15, 16, 17, 28, 29}, {14, 15, 28, 29}},
      {2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 14, 15, 16, 17, 28, 29}, {}},
  };
  for (const Case& c : cases) {
    BookOptions o = Web(f.kevin, 32);
    o.repeat = c.repeat;
    ASSERT_GT(PaginateAhnentafel(o, nullptr), 0) << c.repeat;
    EXPECT_EQ(Numbers(), c.numbers) << c.repeat;
    EXPECT_EQ(References(), c.references) << c.repeat;
    // The second Arthur keeps his RIN but gets the first slot above the
    // highest RIN, and points at the first occurrence.
    const auto& persons = CurrentBook().persons;
    const BookPerson& second = persons[9];
    ASSERT_EQ(second.number, 14u);
    EXPECT_EQ(second.rin, f.arthur);
    EXPECT_EQ(second.slot, highest + 1);
    EXPECT_EQ(persons[static_cast<std::size_t>(second.firstOccurrence)].number, 8u);
    EXPECT_EQ(persons[10].slot, highest + 2);
    EXPECT_EQ(persons[7].slot, f.arthur) << "first occurrences keep the RIN slot";
    // The slot file: the first occurrence under the RIN, the second above
    // the highest RIN, each with its number, generation and page.
    const BookPersonSlot first = ReadBookPersonSlot(f.arthur);
    EXPECT_EQ(first.number, 8u);
    EXPECT_EQ(first.generation, 4);
    EXPECT_EQ(first.page, persons[7].page);
    EXPECT_EQ(ReadBookPersonSlot(highest + 1).number, 14u);
    EXPECT_EQ(ReadBookPersonSlot(f.edith).number, 5u);
    EXPECT_EQ(ReadBookPersonSlot(highest + 99).number, 0u) << "an unused slot reads empty";
    // The father carries the marriage of the child's parents, the mother only
    // without a father.
    EXPECT_EQ(persons[1].marriage, f.cousins);
    EXPECT_EQ(persons[2].marriage, 0);
    EXPECT_EQ(persons[3].marriage, f.charlesEdith);
    // The web writer's links: child to first parent and back.
    EXPECT_EQ(persons[0].parentItem, 1);
    EXPECT_EQ(persons[1].childItem, 0);
    EXPECT_EQ(persons[2].childItem, 0);
    EXPECT_EQ(persons[2].parentItem, 5) << "Helen's father George";
    // One generation a page in the web plan.
    EXPECT_EQ(persons[0].page, 1);
    EXPECT_EQ(persons[2].page, 2);
    EXPECT_EQ(persons[3].page, 3);
  }
}

TEST_F(BooksTest, ThirtyTwoGenerationsReachTheLargestNumberAndNoFurther) {
  // A line of mothers 33 deep; the profile asks for more than 32 generations.
  std::vector<std::int32_t> line{Person("Start", "Line", 'F', 1990)};
  for (int g = 1; g <= 33; ++g) {
    const std::int32_t mother = Person("Mother" + std::to_string(g), "Line", 'F', 1990 - 25 * g);
    const std::int32_t mrin = DbSetRelation(mother, 0, db::kRelWife, 0);
    ASSERT_GT(mrin, 0);
    Child(mrin, line.back());
    line.push_back(mother);
  }
  BookOptions o = Web(line[0], 32);
  o.generations = 40;
  ASSERT_GT(PaginateAhnentafel(o, nullptr), 0);
  const auto& persons = CurrentBook().persons;
  ASSERT_EQ(persons.size(), 32u);
  for (std::size_t g = 0; g < persons.size(); ++g) {
    EXPECT_EQ(persons[g].number, static_cast<std::uint32_t>((std::uint64_t{1} << (g + 1)) - 1));
    EXPECT_EQ(persons[g].rin, line[g]);
  }
  EXPECT_EQ(persons.back().number, 4294967295u);
  EXPECT_EQ(CurrentBook().options.generations, 32);

  // One generation queues no parents.
  o.generations = 1;
  ASSERT_GT(PaginateAhnentafel(o, nullptr), 0);
  EXPECT_EQ(CurrentBook().persons.size(), 1u);
}

TEST(BookWebPlans, GenerationPagesKeepCouplesTogether) {
  auto people = [](std::vector<std::pair<int, std::uint32_t>> list) {
    std::vector<BookPerson> out;
    for (auto [generation, number] : list) {
      BookPerson p;
      p.generation = generation;
      p.number = number;
      out.push_back(p);
    }
    return out;
  };
  auto pages = [](const std::vector<BookPerson>& list) {
    std::vector<int> out;
    for (const BookPerson& p : list) out.push_back(p.page);
    return out;
  };
  // Three a page: the mother 7 joins her husband's full page; 12 opens a page.
  auto ahnentafel = people({{1, 1},
                            {2, 2},
                            {2, 3},
                            {3, 4},
                            {3, 5},
                            {3, 6},
                            {3, 7},
                            {4, 8},
                            {4, 9},
                            {4, 10},
                            {4, 11},
                            {4, 12},
                            {4, 13}});
  EXPECT_EQ(PlanAhnentafelWebPages(ahnentafel, 3), 5);
  EXPECT_EQ(pages(ahnentafel), (std::vector<int>{1, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5}));

  std::vector<std::pair<int, std::uint32_t>> many{{1, 1}};
  for (std::uint32_t n = 2; n <= 27; ++n) many.emplace_back(2, n);
  auto nodes = people(many);
  EXPECT_EQ(PlanRegisterWebPages(nodes, 12), 4);
  const std::vector<int> expected = [] {
    std::vector<int> v{1};
    for (int i = 0; i < 26; ++i) v.push_back(2 + i / 12);
    return v;
  }();
  EXPECT_EQ(pages(nodes), expected);
}

TEST_F(BooksTest, RegisterNumbersBreadthFirstWithRepeats) {
  const Collapse f = Family();
  const std::int32_t zoe = Person("Zoe", "Zane", 'F', 1991);
  const std::int32_t liam = Person("Liam", "Ashdown", 'M', 2015);
  Child(Marry(f.kevin, zoe), liam);
  struct Case {
    int repeat;
    std::vector<std::uint32_t> nodes;
    std::set<std::uint32_t> references;
    std::uint32_t lastNumber;
  } cases[] = {
      {0, {1, 2, 3, 4, 5, 6}, {}, 8},
      {1, {1, 2, 3, 4, 5, 6, 7}, {7}, 9},
      {2, {1, 2, 3, 4, 5, 6, 7}, {}, 9},
  };
  for (const Case& c : cases) {
    BookOptions o = Web(f.arthur, 12);
    o.repeat = c.repeat;
    o.generations = 10;
    ASSERT_GT(PaginateModifiedRegister(o, nullptr), 0) << c.repeat;
    EXPECT_EQ(Numbers(), c.nodes) << c.repeat;
    EXPECT_EQ(References(), c.references) << c.repeat;
    std::uint32_t last = 0;
    std::map<std::uint32_t, std::int32_t> children;
    for (const auto& [key, listing] : CurrentBook().listings) {
      last = std::max(last, listing.number);
      if (!listing.spouse) children[listing.number] = listing.rin;
    }
    EXPECT_EQ(last, c.lastNumber) << c.repeat;
    // Children are numbered as they are listed, generation by generation.
    EXPECT_EQ(children[2], f.charles);
    EXPECT_EQ(children[3], f.diana);
    EXPECT_EQ(children[4], f.frank);
    EXPECT_EQ(children[5], f.helen);
    EXPECT_EQ(children[6], f.kevin);
    EXPECT_EQ(children[7], f.kevin) << "Kevin descends from Arthur twice";
    EXPECT_EQ(children[8], liam);
    // Only the runs that eliminate or abbreviate repeats keep first listings.
    int page = 0;
    EXPECT_EQ(FindRegisterEntryPage(f.kevin, page), c.repeat == 2 ? 0u : 6u);
  }
}

TEST_F(BooksTest, RegisterGenerationLimitsAndSpouseCodes) {
  const Collapse f = Family();
  // Two generations: the children are listed and none is carried.
  BookOptions o = Web(f.arthur, 12);
  o.generations = 2;
  ASSERT_GT(PaginateModifiedRegister(o, nullptr), 0);
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{1}));
  const auto& two = CurrentBook().listings;
  // Arthur's wife, the two children and the children's spouses.
  ASSERT_EQ(two.size(), 6u);
  EXPECT_EQ(two.at({0, 1}).rin, f.beatrice);
  EXPECT_EQ(two.at({0, 2 + 256}).rin, f.edith);
  EXPECT_EQ(two.at({0, 3 + 256}).rin, f.george);
  EXPECT_TRUE(two.at({0, 1}).spouse);
  EXPECT_EQ(two.at({0, 2}).number, 2u);
  EXPECT_EQ(two.at({0, 3}).number, 3u);

  // Three: Frank (code 2 in Charles's block, after the family's code 1) is
  // not carried; his wife is listed as code 2 + 256.
  o.generations = 3;
  ASSERT_GT(PaginateModifiedRegister(o, nullptr), 0);
  const auto& three = CurrentBook().listings;
  const RegisterListing& frank = three.at({1, 2});
  EXPECT_EQ(frank.rin, f.frank);
  EXPECT_FALSE(frank.spouse);
  const RegisterListing& wife = three.at({1, 2 + 256});
  EXPECT_EQ(wife.rin, f.helen);
  EXPECT_TRUE(wife.spouse);
  EXPECT_EQ(wife.number, frank.number);
}

// ---------------------------------------------------------------- pages

namespace {

struct DrawnLine {
  std::size_t block = 0, offset = 0, length = 0;
  int used = 0;
};

// Records the lines of one page as the generator's walk makes them.
class LineRecorder : public BookLayoutSink {
 public:
  bool NewPage(const BookPosition&) override { return false; }
  void Line(std::size_t b, const BookBlock& block, bool, int, int used, std::string_view text,
            std::uint8_t) override {
    const std::size_t offset = text.empty() || block.text.empty()
                                   ? 0
                                   : static_cast<std::size_t>(text.data() - block.text.data());
    lines.push_back({b, offset, text.size(), used});
  }
  std::vector<DrawnLine> lines;
};

std::size_t SkipBreak(const std::string& text, std::size_t at) {
  if (text.compare(at, 4, "\r\n\r\n") == 0) return at + 4;
  if (text.compare(at, 2, "\r\n") == 0) return at + 2;
  return at;
}

}  // namespace

class BookPagesTest : public BooksTest {
 protected:
  // Every page starts at its entry's position, the lines of all pages tile
  // every block's text exactly once, and no line passes the page's last.
  void ExpectPagesMeet(int pages) {
    BookRun& run = CurrentBook();
    const int lines = run.options.pageHalfLines;
    std::vector<DrawnLine> all;
    int narrativePages = 0;
    for (int page = 1; page <= pages; ++page) {
      const BookPageEntry* entry = FindBookPage(page);
      ASSERT_NE(entry, nullptr) << page;
      if (entry->section == BookPageEntry::kIndex) continue;
      ++narrativePages;
      BookLayout layout(run.blocks, run.fonts, dc, lines);
      LineRecorder recorder;
      layout.Walk(entry->position, recorder);
      ASSERT_FALSE(recorder.lines.empty()) << "page " << page;
      EXPECT_EQ(recorder.lines.front().block, entry->position.block) << page;
      EXPECT_EQ(recorder.lines.front().offset, entry->position.offset) << page;
      for (const DrawnLine& line : recorder.lines) EXPECT_LE(line.used + 2, lines) << page;
      all.insert(all.end(), recorder.lines.begin(), recorder.lines.end());
    }
    EXPECT_GT(narrativePages, 1) << "the fixture must need several pages";
    std::size_t block = 0, next = 0;
    for (const DrawnLine& line : all) {
      if (line.block != block) {
        EXPECT_EQ(SkipBreak(run.blocks[block].text, next), run.blocks[block].text.size())
            << "block " << block << " ends where its last line ends";
        EXPECT_EQ(line.block, block + 1) << "no block is left out";
        block = line.block;
        next = 0;
      }
      EXPECT_EQ(line.offset, SkipBreak(run.blocks[block].text, next)) << "block " << block;
      next = line.offset + line.length;
    }
    EXPECT_EQ(block + 1, run.blocks.size());
  }

  Collapse Notes() {
    Collapse f = Family();
    for (std::int32_t rin : {f.kevin, f.frank, f.arthur, zed}) {
      std::string long_notes;
      for (int p = 0; p < 6; ++p)
        long_notes += "Paragraph " + std::to_string(p) +
                      " of notes that run long enough to need several lines on the page, "
                      "with words enough to wrap.\r\n\r\n";
      long_notes += "!Marked paragraph.\r\n\r\n~Confidential paragraph.";
      EXPECT_GT(DbSetNotes(rin, long_notes, 0, 0, db::kIndividual), 0);
    }
    CSourceRecord source;
    source.title = "Parish Register of Saint Mary";
    const std::int32_t s = DbAddRecord(db::kSource, 0, &source);
    for (std::int32_t rin : {f.kevin, f.helen, f.charles, f.beatrice, yvonne})
      Cite(s, db::kOwnerBirth, rin, "folio " + std::to_string(rin));
    return f;
  }
};

TEST_F(BookPagesTest, AhnentafelPagesMeetWithEveryArrangement) {
  const Collapse f = Notes();
  struct Case {
    bool embed, endChapter, newPage;
    int repeat;
    int photo;  // 0 none, 1 left, 2 right
  } cases[] = {{true, true, false, 2, 0},
               {false, false, false, 1, 1},
               {true, false, true, 0, 2},
               {false, true, true, 2, 1},
               {true, true, false, 1, 2}};
  for (const Case& c : cases) {
    BookOptions o = Print(f.kevin);
    o.pageHalfLines = 40;
    o.generalNotes = true;
    o.sourceNotes = true;
    o.embedNotes = c.embed;
    o.endChapter = c.endChapter;
    o.newPagePerGeneration = c.newPage;
    o.repeat = c.repeat;
    o.photos = c.photo != 0;
    o.photoLeft = c.photo == 1;
    o.photoReserve = true;
    o.photoWidth = 900;
    o.photoHeight = 1000;
    const int pages = PaginateAhnentafel(o, &dc);
    ASSERT_GT(pages, 2);
    SCOPED_TRACE("embed " + std::to_string(c.embed) + " chapter " + std::to_string(c.endChapter));
    ExpectPagesMeet(pages);
    const auto& blocks = CurrentBook().blocks;
    auto has = [&](BookBlockKind kind) {
      return std::any_of(blocks.begin(), blocks.end(),
                         [kind](const BookBlock& b) { return b.kind == kind; });
    };
    EXPECT_EQ(has(BookBlockKind::kNotesAppendixHeading), !c.embed);
    EXPECT_EQ(has(BookBlockKind::kSourcesHeading), c.endChapter);
    EXPECT_EQ(has(BookBlockKind::kSourcesAppendixHeading), !c.endChapter);
    // Notes are filtered alike everywhere: no confidential paragraph, no marks.
    for (const BookBlock& b : blocks)
      if (b.kind == BookBlockKind::kNotes) {
        EXPECT_EQ(b.text.find("Confidential"), std::string::npos);
        EXPECT_NE(b.text.find("Marked paragraph"), std::string::npos);
        EXPECT_EQ(b.text.find("!Marked"), std::string::npos);
      }
    // The index pages follow the book.
    EXPECT_EQ(FindBookPage(pages)->section, BookPageEntry::kIndex);
    CleanupBookPages();
  }
}

TEST_F(BookPagesTest, RegisterPagesMeet) {
  const Collapse f = Notes();
  const std::int32_t zoe = Person("Zoe", "Zane", 'F', 1991);
  Child(Marry(f.kevin, zoe), Person("Liam", "Ashdown", 'M', 2015));
  for (bool embed : {true, false}) {
    BookOptions o = Print(f.arthur);
    o.pageHalfLines = 40;
    o.generalNotes = true;
    o.sourceNotes = true;
    o.embedNotes = embed;
    o.repeat = 1;
    o.photos = true;
    o.photoLeft = embed;
    o.photoReserve = true;
    const int pages = PaginateModifiedRegister(o, &dc);
    ASSERT_GT(pages, 2);
    ExpectPagesMeet(pages);
    CleanupBookPages();
  }
}

// The PAGINATOR window names the register's phases with what each counts,
// and counts the pages of a printed book as they are made, ending at the
// last page of the text.
TEST_F(BookPagesTest, WindowShowsPhasesAndCountsThePages) {
  const Collapse f = Notes();
  for (bool modifiedRegister : {false, true}) {
    SCOPED_TRACE(modifiedRegister ? "register" : "ahnentafel");
    rpt::HeadlessPaginatorWindow window;
    rpt::PaginatorWindow* previous = rpt::SetPaginatorWindow(&window);
    BookOptions o = Print(modifiedRegister ? f.arthur : f.kevin);
    o.pageHalfLines = 40;
    o.generalNotes = true;
    o.sourceNotes = true;
    o.index = false;
    const int pages =
        modifiedRegister ? PaginateModifiedRegister(o, &dc) : PaginateAhnentafel(o, &dc);
    rpt::SetPaginatorWindow(previous);
    ASSERT_GT(pages, 2);
    ASSERT_FALSE(window.numbers.empty());
    EXPECT_EQ(window.numbers.back(), pages);
    std::vector<int> counted(window.numbers.end() - pages, window.numbers.end());
    for (int page = 1; page <= pages; ++page) EXPECT_EQ(counted[page - 1], page);
    if (modifiedRegister) {
      EXPECT_EQ(window.texts, (std::vector<std::string>{"INITIALIZING! Please Wait...",
                                                        "Preparing Pages.  Please Wait..."}));
      // The first phase counts register numbers, the second pages.
      EXPECT_EQ(window.labels, (std::vector<std::string>{"ID #:", "# Pages:"}));
    }
    CleanupBookPages();
  }
}

TEST_F(BookPagesTest, DrawnPagesStayAboveTheLastLineAndShowTheIndex) {
  const Collapse f = Notes();
  BookOptions o = Print(f.kevin);
  o.pageHalfLines = 40;
  o.generalNotes = true;
  o.embedNotes = false;
  const int pages = PaginateAhnentafel(o, &dc);
  ASSERT_GT(pages, 2);
  CBookReportGenerator g(false);
  std::string index;
  for (int page = 1; page <= pages; ++page) {
    dc.calls.clear();
    CPrintInfo info;
    info.currentPage = page;
    ASSERT_EQ(g.DrawPage(&dc, &info), 1);
    const int lowest = g.Top() - (o.pageHalfLines - 2) * kBookHalfLine;
    int texts = 0;
    for (const std::string& call : dc.calls) {
      if (call.rfind("TextOut ", 0) != 0) continue;
      if (++texts <= 3) continue;  // the footer
      int x = 0, y = 0;
      ASSERT_EQ(std::sscanf(call.c_str(), "TextOut %d %d", &x, &y), 2) << call;
      EXPECT_GE(y, lowest) << "page " << page << ": " << call;
      EXPECT_LT(y, g.Top() + 1) << call;
      if (FindBookPage(page)->section == BookPageEntry::kIndex) index += call + "\n";
    }
  }
  // Arthur appears twice (numbers 8 and 14) under one name.
  EXPECT_EQ(Count(index, "Ashdown, Arthur"), 1) << index;
  EXPECT_NE(index.find(" 14\n"), std::string::npos) << index;

  dc.calls.clear();
  CPrintInfo missing;
  missing.currentPage = pages + 1;
  g.DrawPage(&dc, &missing);
  ASSERT_EQ(dc.calls.size(), 1u);
  EXPECT_EQ(dc.calls[0], "TextOut 0 0 System Error:  Unable to print this page");
}

TEST_F(BookPagesTest, ARepeatedChildRefersToItsFirstListing) {
  const Collapse f = Family();
  const std::int32_t zoe = Person("Zoe", "Zane", 'F', 1991);
  Child(Marry(f.kevin, zoe), Person("Liam", "Ashdown", 'M', 2015));
  BookOptions o = Print(f.arthur);
  o.repeat = 0;
  o.generations = 10;
  const int pages = PaginateModifiedRegister(o, &dc);
  ASSERT_GT(pages, 1);
  CBookReportGenerator g(true);
  std::vector<std::string> texts;
  for (int page = 1; page <= pages; ++page) {
    if (FindBookPage(page)->section == BookPageEntry::kIndex) continue;
    CPrintInfo info;
    info.currentPage = page;
    dc.calls.clear();
    g.DrawPage(&dc, &info);
    for (const std::string& call : dc.calls)
      if (call.rfind("TextOut ", 0) == 0)  // "TextOut x y text"
        texts.push_back(call.substr(call.find(' ', call.find(' ', 8) + 1) + 1));
  }
  auto drawn = [&](const std::string& text) {
    int n = 0;
    for (const std::string& t : texts) n += t.find(text) != std::string::npos ? 1 : 0;
    return n;
  };
  int page = 0;
  ASSERT_EQ(FindRegisterEntryPage(f.kevin, page), 6u);
  // Kevin's second listing (7, under Helen): a reference, not carried.
  EXPECT_EQ(drawn(" is printed as #6 on page " + std::to_string(page) + "."), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "7"), 1) << "the new number";
  // Carried children: Charles, Diana, Frank, Helen and the first Kevin.
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "+"), 5);
}

TEST_F(BookPagesTest, AStartWithoutParentsOrFamiliesIsOnePageAndTheIndex) {
  const std::int32_t alone = Person("Alone", "Single", 'F', 1950);
  Person("Other", "Person", 'M', 1950);
  for (bool modifiedRegister : {false, true}) {
    BookOptions o = Print(alone);
    const int pages =
        modifiedRegister ? PaginateModifiedRegister(o, &dc) : PaginateAhnentafel(o, &dc);
    EXPECT_EQ(pages, 2) << modifiedRegister;
    EXPECT_EQ(FindBookPage(2)->section, BookPageEntry::kIndex);
    EXPECT_EQ(CurrentBook().persons.size(), 1u);
    o.index = false;
    EXPECT_EQ(modifiedRegister ? PaginateModifiedRegister(o, &dc) : PaginateAhnentafel(o, &dc), 1);
  }
  BookOptions none = Print(9999);
  EXPECT_EQ(PaginateAhnentafel(none, &dc), 0);
}

// ---------------------------------------------------------------- RTF

class BookRtfTest : public BookPagesTest {
 protected:
  // Writes the book as RTF; answers the file's text.
  std::string WriteRtf(const BookOptions& o, bool modifiedRegister, const std::string& path,
                       int& pages) {
    plat::FakeShell shell;
    plat::ScopedShell scoped{&shell};
    pages = modifiedRegister ? PaginateModifiedRegister(o, &dc) : PaginateAhnentafel(o, &dc);
    EXPECT_GT(pages, 1);
    CBookReportGenerator g(modifiedRegister);
    g.SetRTFOutput(true);
    g.SetOutputFileName(path);
    CPrintInfo info;
    info.maxPage = pages;
    for (int page = 1; page <= pages; ++page) {
      info.currentPage = page;
      g.DrawPage(&dc, &info);
    }
    g.EndPrinting(&dc, &info);
    EXPECT_EQ(shell.opened.size(), 1u);
    return ReadAll(path);
  }
};

TEST_F(BookRtfTest, EachLineIsAnIndentedParagraphWithItsNumberHanging) {
  ScopedCodePage western(plat::kCodePageWestern);
  const Collapse f = Notes();
  const std::int32_t odd = Person("J\xf6rg {Brace}", "Back\\Slash", 'M', 1995);
  Child(Marry(f.kevin, Person("Zoe", "Zane", 'F', 1991)), odd);
  BookOptions o = Print(f.arthur);
  o.pageHalfLines = 40;
  int pages = 0;
  const std::string rtf = WriteRtf(o, true, dir.File("register.rtf"), pages);
  EXPECT_EQ(Count(rtf, "\\par \\page \\par "), pages - 1);
  EXPECT_EQ(Count(rtf, "\\footer"), 1) << "the footer is written once";
  EXPECT_GE(Count(rtf, "{\\v {\\xe {\\v "), 10);
  EXPECT_NE(rtf.find("Back\\\\Slash"), std::string::npos);
  EXPECT_NE(rtf.find("J\\'f6rg \\{Brace\\}"), std::string::npos);
  // Arthur's paragraph: a tab set with the number's right stop, then the
  // paragraph whose first line hangs left by the number's indent.
  const std::size_t number = rtf.find("1.  ");
  ASSERT_NE(number, std::string::npos);
  const std::size_t paragraph = rtf.rfind("\\li", number);
  ASSERT_NE(paragraph, std::string::npos);
  std::smatch m;
  const std::string head = rtf.substr(paragraph, number - paragraph);
  ASSERT_TRUE(std::regex_search(head, m, std::regex(R"(^\\li(\d+)\\fi-(\d+) )"))) << head;
  EXPECT_EQ(m[1], m[2]) << "the number starts at the margin's left";
  const std::size_t tabs = rtf.rfind("\\pard", paragraph);
  ASSERT_NE(tabs, std::string::npos);
  EXPECT_NE(rtf.substr(tabs, paragraph - tabs).find("\\tqr"), std::string::npos);
  // Every line: one tab set, one paragraph.
  const std::regex line(R"(\\li-?\d+\\fi-?\d+ )");
  const auto lines =
      std::distance(std::sregex_iterator(rtf.begin(), rtf.end(), line), std::sregex_iterator());
  EXPECT_GT(lines, 20);
  EXPECT_GE(Count(rtf, "\\pard"), lines);
}

// The footer's texts are set at the footer font's size, not raised and
// shrunk as the citation marks of the same size are.
TEST_F(BookRtfTest, TheFooterIsPlainText) {
  ScopedCodePage western(plat::kCodePageWestern);
  const Collapse f = Notes();
  BookOptions o = Print(f.arthur);
  o.pageHalfLines = 40;
  for (const bool modifiedRegister : {false, true}) {
    int pages = 0;
    const std::string rtf = WriteRtf(o, modifiedRegister, dir.File("footer.rtf"), pages);
    const std::size_t footer = rtf.find("{\\footer");
    ASSERT_NE(footer, std::string::npos) << modifiedRegister;
    const std::string group = rtf.substr(footer, rtf.find("\\par}", footer) - footer);
    EXPECT_NE(group.find("\\chpgn"), std::string::npos) << group;
    EXPECT_EQ(group.find("\\super"), std::string::npos) << group;
  }
}

// A book laid out on A4 is written on A4 and LibreOffice shows its pages,
// one a page of the book, on that paper.
TEST_F(BookRtfTest, AnA4BookStaysOnA4InLibreOffice) {
  ScopedCodePage western(plat::kCodePageWestern);
  const Collapse f = Notes();
  dc.paperWidth = 8268;
  dc.paperHeight = 11693;
  BookOptions o = Print(f.arthur);
  o.pageHalfLines = 40;
  int pages = 0;
  const std::string path = dir.File("register-a4.rtf");
  const std::string rtf = WriteRtf(o, true, path, pages);
  EXPECT_NE(rtf.find("\\paperw11905\\paperh16837\\margl"), std::string::npos);
  if (!LibreOfficeInstalled()) GTEST_SKIP() << "LibreOffice or pdftotext is not installed";
  ASSERT_EQ(ConvertWithLibreOffice({path}, "pdf", dir.Path()), 0);
  const std::vector<PdfPageWords> read = ReadPdfWords(dir.File("register-a4.pdf"));
  EXPECT_EQ(static_cast<int>(read.size()), pages);
  for (const PdfPageWords& page : read) {
    EXPECT_NEAR(page.width, 595, 2);
    EXPECT_NEAR(page.height, 842, 2);
  }
}

TEST_F(BookRtfTest, LibreOfficeKeepsTheParagraphsAndIndexMarks) {
  if (!ProgramOnPath("soffice") || !ProgramOnPath("unzip"))
    GTEST_SKIP() << "LibreOffice or unzip missing";
  ScopedCodePage western(plat::kCodePageWestern);
  const Collapse f = Notes();
  // The book of a child whose name holds RTF's special characters.
  const std::int32_t odd = Person("J\xf6rg {Brace}", "Back\\Slash", 'M', 1995);
  Child(Marry(f.kevin, Person("Zoe", "Zane", 'F', 1991)), odd);
  BookOptions o = Print(odd);
  o.pageHalfLines = 40;
  o.generalNotes = true;
  o.embedNotes = false;
  int pages = 0;
  const std::string path = dir.File("ahnentafel.rtf");
  const std::string rtf = WriteRtf(o, false, path, pages);
  const int marks = Count(rtf, "{\\v {\\xe {\\v ");
  ASSERT_GT(marks, 5);
  ASSERT_EQ(ConvertWithLibreOffice({path}, "odt", dir.Path()), 0);
  const std::string xml = dir.File("content.xml");
  ASSERT_EQ(
      std::system(
          ("unzip -p '" + dir.File("ahnentafel.odt") + "' content.xml > '" + xml + "'").c_str()),
      0);
  const std::string content = ReadAll(xml);
  // With KORVANE_RTF_KEEP set, the book is kept there as RTF and as PDF.
  if (const char* keep = std::getenv("KORVANE_RTF_KEEP")) {
    fs::create_directories(keep);
    fs::copy_file(path, fs::path(keep) / "ahnentafel.rtf", fs::copy_options::overwrite_existing);
    ConvertWithLibreOffice({path}, "pdf", keep);
  }
  EXPECT_EQ(Count(content, "<text:alphabetical-index-mark "), marks);
  for (const char* text : {"J\xc3\xb6rg {Brace}", "Back\\Slash", "Kevin", "Arthur",
                           "First Generation", "Appendix A", "Index"})
    EXPECT_NE(content.find(text), std::string::npos) << text;
  // Every printed line of the book is a paragraph of its own.
  const std::regex line(R"(\\li-?\d+\\fi-?\d+ )");
  EXPECT_GE(
      Count(content, "<text:p "),
      std::distance(std::sregex_iterator(rtf.begin(), rtf.end(), line), std::sregex_iterator()));
}
