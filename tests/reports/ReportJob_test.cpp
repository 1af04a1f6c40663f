// The report job: which generator each kind makes and how the job drives it,
// and the drawing helpers the generators share.

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "FamilyLinkRecord.h"
#include "RecordingDevice.h"
#include "ReportJob.h"
#include "ReportKinds.h"

namespace {

std::vector<std::string> g_log;

class FakeGenerator : public CReportPageGenerator {
 public:
  explicit FakeGenerator(std::string tag) : tag(std::move(tag)) {}
  void BeginPrinting(rpt::ReportDevice*, CPrintInfo*) override { g_log.push_back(tag + " begin"); }
  int PrintPage(CReportJob& job, CPrintInfo* info) override {
    g_log.push_back(tag + " page " + std::to_string(info->currentPage) +
                    (job.DC() != nullptr ? " dc" : " nodc"));
    return 1;
  }
  void EndPrinting(rpt::ReportDevice*, CPrintInfo*) override { g_log.push_back(tag + " end"); }
  virtual std::string Form() const { return "plain"; }
  std::string tag;
};
// The two book forms: one class, each with its own overrides.
class FakeAhnentafel : public FakeGenerator {
 public:
  using FakeGenerator::FakeGenerator;
  std::string Form() const override { return "ahnentafel"; }
};
class FakeRegister : public FakeGenerator {
 public:
  using FakeGenerator::FakeGenerator;
  std::string Form() const override { return "register"; }
};

struct ClassName {
  rpt::GeneratorClass cls;
  const char* name;
};
constexpr ClassName kClasses[] = {
    {rpt::GeneratorClass::kPedigree, "pedigree"},
    {rpt::GeneratorClass::kFamilyGroup, "family group"},
    {rpt::GeneratorClass::kAncestry, "ancestry"},
    {rpt::GeneratorClass::kDescendants, "descendants"},
    {rpt::GeneratorClass::kIndividualSummary, "summary"},
    {rpt::GeneratorClass::kScrapbook, "scrapbook"},
    {rpt::GeneratorClass::kCustom, "custom"},
    {rpt::GeneratorClass::kCalendar, "calendar"},
    {rpt::GeneratorClass::kUnlinked, "unlinked"},
    {rpt::GeneratorClass::kDuplicates, "duplicates"},
    {rpt::GeneratorClass::kSortedIndividuals, "sorted"},
    {rpt::GeneratorClass::kMarriages, "marriages"},
    {rpt::GeneratorClass::kRecordProblems, "problems"},
    {rpt::GeneratorClass::kIncompleteOrdinances, "ordinances"},
    {rpt::GeneratorClass::kMissingSealings, "sealings"},
    {rpt::GeneratorClass::kFamilyOrdinanceSummary, "family ordinances"},
    {rpt::GeneratorClass::kBook, "book"},
};

class ReportJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_log.clear();
    rpt::CurrentReportRequest() = {};
    for (const auto& c : kClasses) {
      const std::string name = c.name;
      rpt::RegisterReportGenerator(
          c.cls, [name](const rpt::GeneratorArgs& args) -> std::unique_ptr<CReportPageGenerator> {
            std::unique_ptr<FakeGenerator> g;
            if (name == "book" && args.modifiedRegister)
              g = std::make_unique<FakeRegister>(name);
            else if (name == "book")
              g = std::make_unique<FakeAhnentafel>(name);
            else
              g = std::make_unique<FakeGenerator>(name);
            g->listKind = args.listKind;
            g->listStartRin = args.startRin;
            return g;
          });
    }
  }
  void TearDown() override {
    for (const auto& c : kClasses) rpt::RegisterReportGenerator(c.cls, nullptr);
  }
};

TEST_F(ReportJobTest, EachKindDrivesItsOwnGenerator) {
  const struct {
    int kind;
    const char* tag;
  } cases[] = {
      {1, "pedigree"},    {2, "family group"},        {3, "ancestry"}, {4, "descendants"},
      {6, "summary"},     {7, "scrapbook"},           {8, "custom"},   {10, "calendar"},
      {100, "unlinked"},  {101, "duplicates"},        {102, "sorted"}, {103, "sorted"},
      {104, "marriages"}, {105, "problems"},          {106, "sorted"}, {112, "ordinances"},
      {113, "sealings"},  {114, "family ordinances"}, {200, "book"},   {201, "book"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    g_log.clear();
    RecordingDevice dc;
    CPrintInfo info;
    {
      CReportJob job(c.kind);
      ASSERT_NE(job.Generator(), nullptr);
      EXPECT_EQ(job.Generator()->Job(), &job);
      job.BeginPrinting(&dc, &info);
      info.currentPage = 2;
      EXPECT_EQ(job.PrintPage(&dc, &info), 1);
      EXPECT_EQ(job.DC(), &dc);
      job.EndPrinting(&dc, &info);
    }
    const std::string tag = c.tag;
    EXPECT_EQ(g_log, (std::vector<std::string>{tag + " begin", tag + " page 2 dc", tag + " end"}));
  }
}

TEST_F(ReportJobTest, SortedListsShareOneClassAndBooksTwoForms) {
  rpt::CurrentReportRequest().startRin = 77;
  for (int kind : {102, 103, 106}) {
    CReportJob job(kind);
    auto* g = dynamic_cast<FakeGenerator*>(job.Generator());
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->tag, "sorted");
    EXPECT_EQ(g->listKind, kind);
    EXPECT_EQ(g->listStartRin, kind == 106 ? 77 : 0) << kind;
  }
  CReportJob ahnentafel(200), modifiedRegister(201);
  auto* a = dynamic_cast<FakeGenerator*>(ahnentafel.Generator());
  auto* r = dynamic_cast<FakeGenerator*>(modifiedRegister.Generator());
  ASSERT_TRUE(a && r);
  EXPECT_EQ(a->tag, r->tag);
  EXPECT_EQ(a->Form(), "ahnentafel");
  EXPECT_EQ(r->Form(), "register");
}

TEST_F(ReportJobTest, KindWithoutGeneratorMakesOnlyTheFont) {
  rpt::RegisterReportGenerator(rpt::GeneratorClass::kScrapbook, nullptr);
  for (int kind : {0, 5, 7, 9, 107, 108, 999}) {
    SCOPED_TRACE(kind);
    EXPECT_FALSE(rpt::IsReportKindAvailable(kind));
    CReportJob job(kind);
    EXPECT_EQ(job.Generator(), nullptr);
    RecordingDevice dc;
    CPrintInfo info;
    EXPECT_FALSE(job.Font().has_value());
    job.BeginPrinting(&dc, &info);
    ASSERT_TRUE(job.Font().has_value());
    EXPECT_EQ(job.Font()->face, "Arial");
    EXPECT_EQ(job.Font()->height, -85);
    EXPECT_EQ(job.PrintPage(&dc, &info), 0);
    job.EndPrinting(&dc, &info);
  }
  EXPECT_TRUE(g_log.empty());
  EXPECT_TRUE(rpt::IsReportKindAvailable(102));
}

TEST_F(ReportJobTest, RtfOutputAndPathReachTheGenerator) {
  CReportJob job(104);
  ASSERT_NE(job.Generator(), nullptr);
  EXPECT_FALSE(job.Generator()->IsRTFMode());
  job.SetRTFDocument(true);
  job.SetOutputFileName("/tmp/out.rtf");
  EXPECT_TRUE(job.Generator()->IsRTFMode());
  EXPECT_EQ(job.Generator()->GetOutputFileName(), "/tmp/out.rtf");
}

TEST_F(ReportJobTest, PrintedByLineDrawsOnTheDeviceInItsOwnFont) {
  CReportJob job(104);
  job.SetRTFDocument(true);  // the line is never an RTF element
  RecordingDevice dc;
  CPrintInfo info;
  const rpt::LogFont before{-200, 700, false, false, "Times New Roman"};
  dc.SelectFont(before);
  job.BeginPrinting(&dc, &info);
  job.DrawPrintedByLine(&dc, 120, -10400);
  EXPECT_EQ(dc.calls, (std::vector<std::string>{"TextOut 120 -10400 Printed by Korvane"}));
  rpt::LogFont now;
  dc.GetFont(now);
  EXPECT_EQ(now, before);
}

// ---- relationship codes ----

class FakeLinks : public RelationshipLinks {
 public:
  std::map<std::int32_t, std::vector<std::int32_t>> persons;
  std::map<std::int32_t, CFamilyLinkRecord> links;
  int reads = 0;
  std::vector<std::int32_t> ParentLinks(std::int32_t rin) override { return persons[rin]; }
  bool ReadLink(std::int32_t link, CFamilyLinkRecord& out) override {
    ++reads;
    const auto it = links.find(link);
    if (it == links.end()) return false;
    out.firstParentRelation = it->second.firstParentRelation;
    out.secondParentRelation = it->second.secondParentRelation;
    out.mrin = it->second.mrin;
    out.nextInParents = it->second.nextInParents;
    return true;
  }
  void Link(std::int32_t n, char father, char mother, std::int32_t mrin, std::int32_t next) {
    CFamilyLinkRecord& r = links[n];
    r.firstParentRelation = father;
    r.secondParentRelation = mother;
    r.mrin = mrin;
    r.nextInParents = next;
  }
};

TEST(RelationshipCodes, Table) {
  FakeLinks db;
  db.Link(1, 'b', 'b', 10, 0);  // person 1: natural child
  db.persons[1] = {1};
  db.Link(2, 'a', 'a', 20, 0);  // person 2: adopted by both
  db.persons[2] = {2};
  db.Link(3, 'a', 'g', 30, 0);  // person 3: adopted father, guardian mother
  db.persons[3] = {3};
  db.Link(4, 's', 'b', 40, 5);  // person 4: two families, sealed to the first
  db.Link(5, 'b', 'd', 41, 0);
  db.persons[4] = {4, 5};
  db.Link(6, 'c', 'd', 60, 7);  // person 6: a looping chain 6 -> 7 -> 6
  db.Link(7, 'b', 'g', 61, 6);
  db.persons[6] = {6, 7};
  db.Link(8, 'x', 'b', 80, 0);  // person 8: an unknown letter
  db.persons[8] = {8};

  const struct {
    const char* name;
    std::int32_t rin;
    bool rel, multi;
    std::int32_t marriage;
    int result;
    const char* text;
    int flags;
  } cases[] = {
      {"no person", 0, true, true, 0, 0, "keep", 0},
      {"natural child", 1, true, true, 0, 0, "keep", 0},
      {"both adopted: one code", 2, true, true, 0, 2, "{A}", 0x10},
      {"adopted and guardian: mother's code", 3, true, true, 0, 4, "{G}", 0x110},
      {"relationship off", 3, false, true, 0, 0, "keep", 0},
      {"multiple parents only", 4, false, true, 0, 1, "{+}", 0x1},
      {"multiple and sealed", 4, true, true, 0, 3, "{+}{S}", 0x1001},
      {"multiple off", 4, true, false, 0, 2, "{S}", 0x1000},
      {"marriage picks second link", 4, true, false, 41, 2, "{D}", 0x100000},
      {"marriage on no link: no code", 4, true, true, 99, 1, "{+}", 0x1},
      {"looping chain stops", 6, true, false, 99, 0, "keep", 0},
      {"looping chain finds its link", 6, true, true, 61, 3, "{+}{G}", 0x101},
      {"both letters of first link", 6, true, true, 0, 5, "{+}{D}", 0x110001},
      {"unknown letter", 8, true, true, 0, 2, "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = "keep";
    int flags = 0;
    db.reads = 0;
    EXPECT_EQ(CReportJob::GetRelationshipCodes(text, flags, db, c.rin, c.rel, c.multi, c.marriage),
              c.result);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(flags, c.flags);
    EXPECT_LE(db.reads, 3);
  }
}

TEST(RelationshipCodes, FlagsAreOnlyAdded) {
  FakeLinks db;
  db.Link(1, 'a', 'b', 10, 0);
  db.persons[1] = {1};
  std::string text;
  int flags = kRelDisproved;
  CReportJob::GetRelationshipCodes(text, flags, db, 1, true, true, 0);
  EXPECT_EQ(flags, kRelDisproved | kRelAdopted);
}

// ---- legend ----

TEST(RelationshipLegend, LayoutsOnTheRecordingDevice) {
  // Fixed-width text: 50 per character; heights: font height + 20.
  const rpt::LogFont text{-100, 400, false, false, "Arial"};                       // 120 high
  const rpt::LogFont code{-60, 700, false, false, "Arial"};                        // 80 high
  const int all = kRelMultipleParents | kRelAdopted | kRelGuardian | kRelSealing;  // c = 5
  const struct {
    const char* name;
    int flags, x, right, layout;
    bool multi, rel;
    std::vector<std::string> calls;
  } cases[] = {
      {"no flags", 0, 0, 0, 0, true, true, {}},
      {"both options off", all, 0, 0, 0, false, false, {}},
      {"layout 0 at x",
       kRelMultipleParents | kRelAdopted,
       0,
       0,
       0,
       true,
       true,
       {"TextOut 0 0 Relationship Codes:", "TextOut 1050 0 {+}", "TextOut 1250 20 Multiple Parents",
        "TextOut 2150 0 {A}", "TextOut 2350 20 Adopted"}},
      {"layout 0 centred",
       kRelAdopted,
       0,
       10000,
       0,
       true,
       true,
       // c = 2, step 1050: x = 5000 - 1050
       {"TextOut 3950 0 Relationship Codes:", "TextOut 5000 0 {A}", "TextOut 5200 20 Adopted"}},
      {"layout 0 too wide to centre",
       kRelAdopted,
       100,
       1000,
       0,
       true,
       true,
       {"TextOut 100 0 Relationship Codes:", "TextOut 1150 0 {A}", "TextOut 1350 20 Adopted"}},
      {"layout 1: heading and first half",
       all,
       0,
       8000,
       1,
       true,
       true,
       // x = 8000 - 950 * 5 / 2; entries numbered 2..5, drawn up to 5 / 2
       {"TextOut 5625 0 Relationship Codes:", "TextOut 6575 0 {+}",
        "TextOut 6775 20 Multiple Parents"}},
      {"layout 2: second half",
       all,
       300,
       8000,
       2,
       true,
       true,
       {"TextOut 300 0 {A}", "TextOut 500 20 Adopted", "TextOut 950 0 {G}",
        "TextOut 1150 20 Guardian", "TextOut 1650 0 {S}", "TextOut 1850 20 Sealing"}},
      {"multiple parents only",
       kRelMultipleParents | kRelAdopted,
       0,
       0,
       0,
       true,
       false,
       {"TextOut 0 0 Relationship Codes:", "TextOut 1050 0 {+}",
        "TextOut 1250 20 Multiple Parents"}},
      {"relationship only skips {+}",
       kRelMultipleParents | kRelDisproved,
       0,
       0,
       0,
       false,
       true,
       {"TextOut 0 0 Relationship Codes:", "TextOut 1050 0 {D}", "TextOut 1250 20 Disproved"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingDevice dc;
    dc.SetMapMode(rpt::MM_HIENGLISH);
    CReportJob::DrawRelationshipLegend(&dc, c.x, 0, text, code, c.flags, c.right, c.layout, c.multi,
                                       c.rel);
    EXPECT_EQ(dc.calls, c.calls);
    if (!c.calls.empty()) {
      rpt::LogFont selected;
      dc.GetFont(selected);
      EXPECT_EQ(selected, text);
    }
  }
}

// ---- style tags ----

TEST(DrawTextToNextTag, Table) {
  const rpt::LogFont normal{-100, 400, false, false, "Normal"};
  const rpt::LogFont italic{-100, 400, true, false, "Italic"};
  const rpt::LogFont bold{-100, 700, false, false, "Bold"};
  const rpt::LogFont special{-100, 400, false, false, "Special"};
  enum : int { N = 1, I = 2, B = 4, S = 8 };
  const struct {
    const char* name;
    const char* text;
    int offset, fonts;
    unsigned char usedBefore;
    int result, x;
    unsigned char usedAfter;
    const char* face;  // selected afterwards
    std::vector<std::string> calls;
  } cases[] = {
      {"plain to the end", "plain", 0, N | I | B | S, 0, 0, 250, 0, "Start", {"TextOut 0 0 plain"}},
      {"italic opens", "ab<I>cd", 0, N | I, 0, 5, 100, 0x01, "Italic", {"TextOut 0 0 ab"}},
      {"italic without its font is text",
       "ab<I>cd",
       0,
       N | B,
       0,
       0,
       350,
       0,
       "Start",
       {"TextOut 0 0 ab<I>cd"}},
      {"bold opens", "x<B>y", 0, N | B, 0x01, 4, 50, 0x11, "Bold", {"TextOut 0 0 x"}},
      {"special opens at once", "<S>z", 0, S, 0, 3, 0, 0x10, "Special", {}},
      {"closing keeps the bold bit",
       "x</B>y",
       0,
       N | B,
       0x11,
       5,
       50,
       0x10,
       "Normal",
       {"TextOut 0 0 x"}},
      {"closing without normal font is text",
       "x</I>y",
       0,
       I,
       0x01,
       0,
       300,
       0x01,
       "Start",
       {"TextOut 0 0 x</I>y"}},
      {"from an offset", "ab<B>cd", 5, N | B, 0, 0, 100, 0, "Start", {"TextOut 0 0 cd"}},
      {"unknown tag is text",
       "a<U>b",
       0,
       N | I | B | S,
       0,
       0,
       250,
       0,
       "Start",
       {"TextOut 0 0 a<U>b"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingDevice dc;
    dc.SetMapMode(rpt::MM_HIENGLISH);
    dc.SelectFont({-100, 400, false, false, "Start"});
    CReportGenerator generator;
    ReportStyleFonts fonts;
    if (c.fonts & N) fonts.normal = normal;
    if (c.fonts & I) fonts.italic = italic;
    if (c.fonts & B) fonts.bold = bold;
    if (c.fonts & S) fonts.special = special;
    fonts.used = c.usedBefore;
    int x = 0;
    EXPECT_EQ(CReportJob::DrawTextToNextTag(&generator, &dc, fonts, c.text,
                                            static_cast<int>(std::strlen(c.text)), x, 0, c.offset),
              c.result);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(fonts.used, c.usedAfter);
    EXPECT_EQ(dc.calls, c.calls);
    rpt::LogFont selected;
    dc.GetFont(selected);
    EXPECT_EQ(selected.face, c.face);
  }
}

TEST(DrawTextToNextTag, RtfModeMakesTextElements) {
  RecordingDevice dc;
  dc.SetMapMode(rpt::MM_HIENGLISH);
  CReportGenerator generator;
  generator.SetRTFOutput(true);
  ReportStyleFonts fonts;
  fonts.italic = rpt::LogFont{-100, 400, true, false, "Arial"};
  int x = 0;
  const char* text = "Born<I>x";
  EXPECT_EQ(CReportJob::DrawTextToNextTag(&generator, &dc, fonts, text, 8, x, -100, 0), 7);
  EXPECT_TRUE(dc.calls.empty());
  EXPECT_EQ(generator.PageTexts().ElementCount(), 1);
  EXPECT_EQ(x, 200);
}

// ---- See Notes list ----

TEST(FormatSeeNotesList, Table) {
  const struct {
    const char* name;
    unsigned size;
    std::vector<std::uint32_t> numbers;
    bool prefix;
    const char* expected;
  } cases[] = {
      {"prefix and list", 80, {1, 4, 7}, true, "See Notes1,4,7."},
      {"no prefix", 80, {3, 12}, false, "3,12"},
      {"empty list", 80, {}, true, "See Notes."},
      {"too long skipped, shorter kept", 16, {1, 123456, 2}, true, "See Notes1,2."},
      {"no room for the stop", 13, {1, 2}, true, "See Notes1,2"},
      {"stop fits exactly", 14, {1, 2}, true, "See Notes1,2."},
      {"buffer shorter than the prefix", 5, {1}, true, "See "},
      {"one byte", 1, {1}, true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    char buffer[100];
    std::memset(buffer, '#', sizeof buffer);
    CReportJob::FormatSeeNotesList(buffer, c.size, c.numbers, c.prefix);
    EXPECT_STREQ(buffer, c.expected);
    for (unsigned i = c.size; i < sizeof buffer; ++i) ASSERT_EQ(buffer[i], '#') << i;
  }
}

TEST(InsertSortedUnique, KeepsTheListAscending) {
  std::vector<std::uint32_t> v{3, 5};
  CReportJob::InsertSortedUnique(4, v);
  CReportJob::InsertSortedUnique(5, v);
  CReportJob::InsertSortedUnique(9, v);
  CReportJob::InsertSortedUnique(1, v);
  EXPECT_EQ(v, (std::vector<std::uint32_t>{1, 3, 4, 5, 9}));
}

}  // namespace
