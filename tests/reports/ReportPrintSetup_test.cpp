// The print set-up of the views: margins, titles and page counts by kind,
// the messages that stop a run, the clean-up of a cancelled dialog, and the
// views' print hooks around it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePorts.h"
#include "RecordingDevice.h"
#include "ReportJob.h"
#include "ReportPrintSetup.h"

namespace {

class FakeHost : public CViewReportPrinting::Host {
 public:
  bool printer = true;
  int width = 7500;
  int height = 950 + 162 * 10;  // ten list lines
  bool dialogOk = true;
  int calendarCount = 1;
  bool rtfPathOk = true;
  CViewReportPrinting* view = nullptr;
  bool prepareOnPrint = false;
  RecordingDevice dc;

  std::vector<rpt::Rect> margins;
  std::vector<std::string> events;
  std::string title;
  bool lastSilent = false, lastHideToFile = false;

  bool PrintablePage(const rpt::Rect& m, int& w, int& h, rpt::ReportDevice*& d,
                     int& units) override {
    margins.push_back(m);
    if (!printer) return false;
    w = width;
    h = height;
    d = &dc;
    units = 0;
    return true;
  }
  bool RunPrintDialog(CPrintInfo& info, bool silent, bool hide) override {
    events.push_back("dialog max " + std::to_string(info.maxPage));
    lastSilent = silent;
    lastHideToFile = hide;
    return dialogOk;
  }
  void SetDocumentTitle(const std::string& t) override { title = t; }
  void ResetDocumentTitle() override {
    title = "family";
    events.push_back("reset title");
  }
  int CalendarSelectionCount() override { return calendarCount; }
  void EndPrintingFromSetup() override {
    events.push_back("end printing");
    if (view) view->OnEndPrinting(nullptr, nullptr);
  }
  bool AskRtfPath(std::string& path) override {
    if (!rtfPathOk) return false;
    path = "/tmp/report.rtf";
    return true;
  }
  void RunPrintLoop(bool toFile) override { events.push_back(toFile ? "loop to file" : "loop"); }
  void RunFilePrint() override {
    events.push_back("file print");
    if (prepareOnPrint && view) {
      CPrintInfo info;
      view->OnPreparePrinting(info, false);
    }
  }
  void PostReportsCommand() override { events.push_back("reports command"); }
};

class ReportPrintSetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rpt::CurrentReportRequest() = {};
    rpt::CurrentReportRunState() = {};
    for (int kind : kKinds)
      rpt::RegisterReportPaginator(
          kind,
          [this](const rpt::PaginateArgs& a) {
            paginated.push_back(a.kind);
            lines = a.lines;
            return answer;
          },
          [this, kind] { cleaned.push_back(kind); });
  }
  void TearDown() override {
    for (int kind : kKinds) rpt::RegisterReportPaginator(kind, nullptr, nullptr);
  }

  static constexpr int kKinds[] = {1,   2,   3,   4,   6,   7,   8,   10,  100, 101,
                                   102, 103, 104, 105, 106, 112, 113, 114, 200, 201};
  plat::FakeMessageBox box;
  plat::ScopedMessageBox scopedBox{&box};
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  FakeHost host;
  CReportPrintSetup setup{host};
  int answer = 1;
  int lines = 0;
  std::vector<int> paginated;
  std::vector<int> cleaned;

  int Prepare(int kind, bool preview = false) {
    setup.SetReportKind(kind);
    CPrintInfo info;
    const int r = setup.PreparePrinting(info, preview);
    maxPage = info.maxPage;
    return r;
  }
  int maxPage = 0;
};

TEST_F(ReportPrintSetupTest, MarginsByKind) {
  const struct {
    int kind;
    int ancType, descType;
    rpt::Rect margins;
  } cases[] = {
      {1, 0, 0, {700, 300, 300, 300}},
      {2, 0, 0, {700, 300, 300, 300}},
      {3, 0, 1, {500, 300, 300, 300}},
      {3, 1, 0, {250, 250, 250, 250}},
      {4, 1, 0, {500, 300, 300, 300}},
      {4, 0, 1, {250, 250, 250, 250}},
      {6, 0, 0, {600, 300, 300, 300}},
      {7, 0, 0, {700, 300, 300, 300}},
      {8, 0, 0, {400, 500, 400, 500}},
      {10, 0, 0, {300, 300, 300, 300}},
      {100, 0, 0, {400, 500, 400, 500}},
      {106, 0, 0, {400, 500, 400, 500}},
      {113, 0, 0, {400, 500, 400, 500}},
      {114, 0, 0, {400, 500, 400, 500}},
      {200, 0, 0, {1000, 1000, 1000, 1000}},
      {201, 0, 0, {1000, 1000, 1000, 1000}},
      {5, 0, 0, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    profile.SetInt("AncRpt", "Type", c.ancType);
    profile.SetInt("DescRpt", "Type", c.descType);
    EXPECT_EQ(rpt::ReportMarginsOf(c.kind), c.margins);
  }
  profile.SetInt("LstRpt", "PageLM", 123);
  host.margins.clear();
  Prepare(101);
  ASSERT_EQ(host.margins.size(), 1u);
  EXPECT_EQ(host.margins[0].left, 123);
}

TEST_F(ReportPrintSetupTest, TitlesByKind) {
  const struct {
    int kind;
    const char* title;
  } cases[] = {
      {1, "Pedigree Chart"},
      {3, "Ancestry Chart"},
      {4, "Descendancy Chart"},
      {7, "Scrapbook Report"},
      {102, "Individuals by RIN"},
      {106, "End-of-Line Report"},
      {200, "Ahnentafel Chart"},
      {201, "Modified Register Report"},
      {114, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    host.title = "before";
    ASSERT_EQ(Prepare(c.kind), 1);
    EXPECT_EQ(host.title, *c.title ? c.title : "before");
  }
}

TEST_F(ReportPrintSetupTest, ListPageCountsFromEntries) {
  const struct {
    int kind, entries, pages;
  } cases[] = {
      {102, 1, 1},  {102, 10, 1}, {102, 11, 2}, {103, 21, 3},
      {104, 10, 1}, {106, 11, 2}, {101, 7, 7},  // 101 answers pages
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind * 1000 + c.entries);
    answer = c.entries;
    ASSERT_EQ(Prepare(c.kind), 1);
    EXPECT_EQ(lines, 10);
    EXPECT_EQ(maxPage, c.pages);
    EXPECT_EQ(rpt::CurrentReportRunState().pageCount, c.pages);
    if (c.kind != 101) {
      EXPECT_EQ(rpt::CurrentReportRequest().entryCount, c.entries);
    }
  }
}

TEST_F(ReportPrintSetupTest, ChartsAndFormsPageRules) {
  const struct {
    const char* name;
    int kind, mode, vip, ancType, count, answer, pages;
    bool paginates;
  } cases[] = {
      {"pedigree mode 0: one page", 1, 0, 0, 0, 0, 5, 1, false},
      {"pedigree VIP: one page", 1, 1, 1, 0, 0, 5, 1, false},
      {"pedigree paginated", 1, 1, 0, 0, 0, 5, 5, true},
      {"family group mode 2: three pages", 2, 2, 0, 0, 0, 9, 3, false},
      {"family group paginated", 2, 1, 0, 0, 0, 9, 9, true},
      {"standard ancestry chart", 3, 0, 0, 0, 10, 4, 4, true},
      {"wall chart 3 charts, 10 generations, 4 a page", 3, 0, 0, 1, 10, 3, 9, true},
      {"wall chart 1 chart, 4 generations", 3, 0, 0, 1, 4, 1, 1, true},
  };
  profile.SetInt("AncRpt", "GensPg", 4);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    paginated.clear();
    profile.SetInt("PedRpt", "VIP", c.vip);
    profile.SetInt("AncRpt", "Type", c.ancType);
    rpt::CurrentReportRequest().mode = c.mode;
    rpt::CurrentReportRequest().count = c.count;
    answer = c.answer;
    ASSERT_EQ(Prepare(c.kind), 1);
    EXPECT_EQ(maxPage, c.pages);
    EXPECT_EQ(!paginated.empty(), c.paginates);
    if (c.ancType) {
      EXPECT_EQ(rpt::CurrentReportRequest().chartCount, c.answer);
    }
  }
}

TEST_F(ReportPrintSetupTest, WallChartTileColumnsNeverDivideByZero) {
  // 10 generations in 3 row pages: the tile columns by the stored figure.
  const struct {
    const char* name;
    int gensPg;  // -1: none stored
    int pages;
  } cases[] = {
      {"three a tile when none is stored", -1, 3 * 4},
      {"a stored 0 counts as 1", 0, 3 * 10},
      {"a negative figure counts as 1", -2, 3 * 10},
      {"five a tile", 5, 3 * 2},
  };
  profile.SetInt("AncRpt", "Type", 1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.gensPg == -1)
      profile.Remove("AncRpt", "GensPg");
    else
      profile.SetInt("AncRpt", "GensPg", c.gensPg);
    rpt::CurrentReportRequest().mode = 0;
    rpt::CurrentReportRequest().count = 10;
    answer = 3;
    ASSERT_EQ(Prepare(3), 1);
    EXPECT_EQ(maxPage, c.pages);
  }
}

TEST_F(ReportPrintSetupTest, NothingToReport) {
  for (int kind : {102, 105, 8}) {
    SCOPED_TRACE(kind);
    box.Clear();
    cleaned.clear();
    host.events.clear();
    answer = 0;
    EXPECT_EQ(Prepare(kind), 0);
    ASSERT_EQ(box.Calls().size(), 1u);
    EXPECT_EQ(box.Calls()[0].text, "Nothing to report!");
    EXPECT_EQ(cleaned, std::vector<int>{kind});
    EXPECT_EQ(host.events, (std::vector<std::string>{"end printing"}));
    EXPECT_EQ(setup.Job(), nullptr);
  }
}

TEST_F(ReportPrintSetupTest, NoPrinter) {
  host.printer = false;
  EXPECT_EQ(Prepare(104), 0);
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_EQ(box.Calls()[0].text, "Unable to connect to printer");
  EXPECT_TRUE(paginated.empty());
  EXPECT_EQ(setup.Job(), nullptr);
}

TEST_F(ReportPrintSetupTest, BlankCalendarQuestion) {
  host.calendarCount = 0;
  box.QueueAnswer(plat::kIdNo);
  EXPECT_EQ(Prepare(10), 0);
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_NE(box.Calls()[0].text.find("blank calendar page?"), std::string::npos);
  EXPECT_EQ(box.Calls()[0].flags, plat::kMbYesNo | plat::kMbIconQuestion);
  EXPECT_TRUE(paginated.empty());
  EXPECT_EQ(host.events, (std::vector<std::string>{"end printing"}));

  box.QueueAnswer(plat::kIdYes);
  EXPECT_EQ(Prepare(10), 1);
  EXPECT_EQ(paginated, std::vector<int>{10});

  box.Clear();
  host.calendarCount = 4;
  EXPECT_EQ(Prepare(10), 1);
  EXPECT_TRUE(box.Calls().empty());
}

TEST_F(ReportPrintSetupTest, CancelledDialogRunsTheKindsCleanup) {
  const struct {
    int kind, mode;
    bool cleans;
  } cases[] = {
      {1, 0, false}, {1, 1, true}, {2, 2, false},  {2, 1, true},   {2, 0, true},
      {3, 0, true},  {7, 0, true}, {102, 0, true}, {200, 0, true},
  };
  host.dialogOk = false;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind * 10 + c.mode);
    cleaned.clear();
    rpt::CurrentReportRequest().mode = c.mode;
    EXPECT_EQ(Prepare(c.kind), 0);
    EXPECT_EQ(setup.Job(), nullptr);
    EXPECT_EQ(cleaned, c.cleans ? std::vector<int>{c.kind} : std::vector<int>{});
  }
}

TEST_F(ReportPrintSetupTest, PrintToFileAndRtfOutput) {
  const struct {
    const char* name;
    int allowRaw;
    bool rtf, preview, silent, hide, jobRtf;
  } cases[] = {
      {"printer, raw to file not allowed", 0, false, false, false, true, false},
      {"printer, raw to file allowed", 1, false, false, false, false, false},
      {"RTF run is silent", 0, true, false, true, false, true},
      {"preview never attaches RTF", 0, true, true, true, true, false},
  };
  rpt::RegisterReportGenerator(
      rpt::GeneratorClass::kMarriages,
      [](const rpt::GeneratorArgs&) -> std::unique_ptr<CReportPageGenerator> {
        struct G : CReportPageGenerator {
          void BeginPrinting(rpt::ReportDevice*, CPrintInfo*) override {}
          int PrintPage(CReportJob&, CPrintInfo*) override { return 1; }
          void EndPrinting(rpt::ReportDevice*, CPrintInfo*) override {}
        };
        return std::make_unique<G>();
      });
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    profile.SetInt("Reports", "AllowRawPrintToFile", c.allowRaw);
    setup.AttachRtfOutput(c.rtf);
    setup.SetRtfPath("/tmp/x.rtf");
    ASSERT_EQ(Prepare(104, c.preview), 1);
    EXPECT_EQ(host.lastSilent, c.silent);
    EXPECT_EQ(host.lastHideToFile, c.hide);
    ASSERT_NE(setup.Job(), nullptr);
    ASSERT_NE(setup.Job()->Generator(), nullptr);
    EXPECT_EQ(setup.Job()->Generator()->IsRTFMode(), c.jobRtf);
    EXPECT_EQ(setup.Job()->OutputFileName(), c.jobRtf ? "/tmp/x.rtf" : "");
  }
  rpt::RegisterReportGenerator(rpt::GeneratorClass::kMarriages, nullptr);
}

TEST_F(ReportPrintSetupTest, PrintFromPreviewReusesThePageCount) {
  answer = 25;  // 3 pages of ten lines
  ASSERT_EQ(Prepare(102, true), 1);
  EXPECT_EQ(maxPage, 3);
  paginated.clear();
  rpt::CurrentReportRunState().printState = 4;
  ASSERT_EQ(Prepare(102), 1);
  EXPECT_TRUE(paginated.empty());
  EXPECT_EQ(maxPage, 3);
  setup.EndPrinting(nullptr, nullptr);
  EXPECT_EQ(rpt::CurrentReportRunState().printState, 5);
  EXPECT_EQ(setup.Job(), nullptr);
  EXPECT_EQ(host.title, "family");
}

// ---- the views' hooks ----

class ViewPrintingTest : public ReportPrintSetupTest {
 protected:
  CViewReportPrinting view{host};
  void SetUp() override {
    ReportPrintSetupTest::SetUp();
    host.view = &view;
  }
};

TEST_F(ViewPrintingTest, SaveReportAsRtfResults) {
  const struct {
    const char* name;
    bool attached, pathOk, prepares;
    int result;
    std::vector<std::string> events;
  } cases[] = {
      {"no RTF output: print", false, true, false, 0, {"file print", "reset title"}},
      {"printed through preparation", false, true, true, 0, {"file print", "dialog max 1"}},
      {"RTF file chosen", true, true, false, 1, {"loop to file", "reset title"}},
      {"RTF dialog cancelled", true, false, false, 2, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host.events.clear();
    host.prepareOnPrint = c.prepares;
    host.rtfPathOk = c.pathOk;
    view.Setup().SetReportKind(104);
    view.Setup().SetRtfPath("");
    view.Setup().AttachRtfOutput(c.attached);
    EXPECT_EQ(view.SaveReportAsRtf(), c.result);
    EXPECT_EQ(host.events, c.events);
    EXPECT_EQ(view.Setup().RtfPath(), c.result == 1 ? "/tmp/report.rtf" : "");
  }
}

TEST_F(ViewPrintingTest, EndOfPreviewReopensTheSheet) {
  const struct {
    int before, after;
    bool posts;
  } cases[] = {{2, 6, true}, {3, 6, true}, {0, 0, false}, {4, 4, false}, {5, 5, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    host.events.clear();
    rpt::CurrentReportRunState().printState = c.before;
    view.OnEndPrintPreview();
    EXPECT_EQ(rpt::CurrentReportRunState().printState, c.after);
    const std::vector<std::string> expected =
        c.posts ? std::vector<std::string>{"reset title", "reports command"}
                : std::vector<std::string>{"reset title"};
    EXPECT_EQ(host.events, expected);
  }
}

TEST_F(ViewPrintingTest, PreviewsPrintSetsStateFour) {
  rpt::CurrentReportRunState().printState = 2;
  view.PrintFromPreview();
  EXPECT_EQ(rpt::CurrentReportRunState().printState, 4);
  EXPECT_EQ(host.events, std::vector<std::string>{"file print"});
}

}  // namespace
