// The report progress logic and the views' print loop.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePorts.h"
#include "ReportPrintLoop.h"
#include "ReportProgress.h"

namespace {

TEST(ReportProgress, HundredThousandStepsPumpAboutAHundredTimes) {
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scoped(&pump);
  CReportProgress p;
  p.SetRange(0, 100000);
  p.SetStep(1);
  int barMoves = 0, texts = 0;
  p.onBarPosition = [&](int) { ++barMoves; };
  p.onPercentText = [&](const std::string&) { ++texts; };
  int changed = 0;
  for (int i = 0; i < 100000; ++i) changed += p.StepIt() ? 1 : 0;
  EXPECT_LE(pump.pumps, 101);
  EXPECT_GE(pump.pumps, 100);
  EXPECT_EQ(changed, pump.pumps);
  EXPECT_EQ(barMoves, pump.pumps);
  EXPECT_EQ(texts, 101);  // 0% .. 100%, each once
  EXPECT_EQ(p.PercentText(), "100%");
}

TEST(ReportProgress, PercentageTable) {
  const struct {
    int low, high, step, steps;
    const char* text;
    bool lastChanged;
  } cases[] = {
      {0, 10, 3, 1, "30%", true},   {0, 10, 10, 1, "100%", true},
      {0, 10, 15, 1, "50%", true},  {0, 10, 5, 3, "50%", true},    // 150 % shows 50
      {0, 200, 84, 1, "42%", true}, {0, 1000, 1, 5, "0%", false},  // still 0 %
      {0, 3, 1, 2, "66%", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.low) + ".." + std::to_string(c.high) + " +" +
                 std::to_string(c.step) + " x" + std::to_string(c.steps));
    plat::FakeMessagePump pump;
    plat::ScopedMessagePump scoped(&pump);
    CReportProgress p;
    p.SetRange(c.low, c.high);
    p.SetStep(c.step);
    bool changed = false;
    for (int i = 0; i < c.steps; ++i) changed = p.StepIt();
    EXPECT_EQ(p.PercentText(), c.text);
    EXPECT_EQ(changed, c.lastChanged);
    EXPECT_EQ(p.Position(), c.step * c.steps);
  }
}

TEST(ReportProgress, EmptyRangeShowsNoPercentage) {
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scoped(&pump);
  CReportProgress p;
  p.SetRange(7, 7);
  p.SetStep(1);
  EXPECT_FALSE(p.StepIt());
  EXPECT_FALSE(p.StepIt());
  EXPECT_EQ(p.PercentText(), " 0 %");
  EXPECT_EQ(pump.pumps, 0);
}

TEST(ReportProgress, CancelIsSeenOnceAndPumps) {
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scoped(&pump);
  CReportProgress p;
  EXPECT_FALSE(p.CheckCancel());
  p.Cancel();
  p.Cancel();
  EXPECT_TRUE(p.CheckCancel());
  EXPECT_FALSE(p.CheckCancel());
  EXPECT_EQ(pump.pumps, 3);
}

TEST(PreparingPages, BarOnlyMovesForward) {
  CPreparingPages p;
  std::vector<int> moves;
  p.onBarPosition = [&](int pos) { moves.push_back(pos); };
  EXPECT_TRUE(p.AdvanceProgress(40));
  EXPECT_FALSE(p.AdvanceProgress(20));
  EXPECT_FALSE(p.AdvanceProgress(40));
  EXPECT_TRUE(p.AdvanceProgress(41));
  EXPECT_EQ(moves, (std::vector<int>{40, 41}));
  EXPECT_EQ(p.Position(), 41);
  p.SetPageCount(7);
  EXPECT_EQ(p.StatusText(), "# Pages 7");
}

// ---- print loop ----

TEST(PrintPageOrder, Table) {
  const struct {
    int from, to, min, max;
    std::vector<int> pages;
  } cases[] = {
      {5, 2, 1, 9, {5, 4, 3, 2}}, {2, 5, 1, 9, {2, 3, 4, 5}}, {0, 99, 1, 3, {1, 2, 3}},
      {3, 3, 1, 9, {3}},          {9, 1, 2, 4, {4, 3, 2}},    {1, 1, 1, 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + ".." + std::to_string(c.to));
    EXPECT_EQ(PrintPageOrder(c.from, c.to, c.min, c.max), c.pages);
  }
}

class FakeTarget : public PrintLoopTarget {
 public:
  int from = 1, to = 3, maxPage = 3;
  bool prepareOk = true, startDocOk = true, toFileChosen = false;
  bool progressOk = true;
  int cancelOnPage = 0;
  std::vector<std::string> calls;
  CReportProgress progress;
  bool windowEnabled = true;

  bool Prepare(CPrintInfo& info, int& f, int& t, int& minPage) override {
    calls.push_back("prepare");
    info.maxPage = maxPage;
    f = from;
    t = to;
    minPage = 1;
    return prepareOk;
  }
  bool PrintToFileChosen() override { return toFileChosen; }
  bool AskPrintFile(std::string& path) override {
    calls.push_back("ask file");
    path = "Output.prn";
    return true;
  }
  std::string DocumentTitle() override { return std::string(40, 'T'); }
  void BeginPrinting(CPrintInfo&) override { calls.push_back("begin"); }
  void EnableMainWindow(bool e) override { windowEnabled = e; }
  bool StartDoc(const std::string& name, const std::string& file) override {
    calls.push_back("start doc " + std::to_string(name.size()) + " " + file);
    return startDocOk;
  }
  bool StartPage() override {
    calls.push_back("start page");
    return true;
  }
  void PrintPage(CPrintInfo& info) override {
    calls.push_back("page " + std::to_string(info.currentPage));
    if (info.currentPage == cancelOnPage) {
      progress.Cancel();
      progress.Cancel();
    }
  }
  bool EndPage() override {
    calls.push_back("end page");
    return true;
  }
  void EndDoc() override { calls.push_back("end doc"); }
  void AbortDoc() override { calls.push_back("abort doc"); }
  void EndPrinting(CPrintInfo& info) override {
    calls.push_back(std::string("end printing") + (info.continuePrinting ? "" : " cancelled"));
  }
  CReportProgress* CreateProgress() override { return progressOk ? &progress : nullptr; }
  void DestroyProgress() override { calls.push_back("progress gone"); }
  void ShowMessage(const std::string& text) override { calls.push_back("message " + text); }
};

TEST(PrintViewPages, ToPrinterAndToFile) {
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scoped(&pump);
  FakeTarget printer;
  printer.from = 3;
  printer.to = 2;
  EXPECT_TRUE(PrintViewPages(printer, false));
  EXPECT_EQ(printer.calls,
            (std::vector<std::string>{"prepare", "begin", "start doc 31 ", "start page", "page 3",
                                      "end page", "start page", "page 2", "end page",
                                      "progress gone", "end doc", "end printing"}));
  EXPECT_TRUE(printer.windowEnabled);

  FakeTarget file;
  EXPECT_TRUE(PrintViewPages(file, true));
  EXPECT_EQ(file.calls, (std::vector<std::string>{"prepare", "begin", "page 1", "page 2", "page 3",
                                                  "progress gone", "end printing"}));
}

TEST(PrintViewPages, PrintToFileAsksForTheFile) {
  FakeTarget t;
  t.toFileChosen = true;
  t.to = 1;
  EXPECT_TRUE(PrintViewPages(t, false));
  EXPECT_EQ(t.calls[1], "ask file");
  EXPECT_EQ(t.calls[3], "start doc 31 Output.prn");
}

TEST(PrintViewPages, CancelStopsAndTidiesUp) {
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scoped(&pump);
  FakeTarget t;
  t.to = 3;
  t.cancelOnPage = 2;
  EXPECT_FALSE(PrintViewPages(t, true));
  EXPECT_EQ(t.calls, (std::vector<std::string>{"prepare", "begin", "page 1", "page 2",
                                               "progress gone", "end printing cancelled"}));
  EXPECT_TRUE(t.windowEnabled);
}

TEST(PrintViewPages, FailuresStillEndPrinting) {
  FakeTarget declined;
  declined.prepareOk = false;
  EXPECT_FALSE(PrintViewPages(declined, false));
  EXPECT_EQ(declined.calls, std::vector<std::string>{"prepare"});

  FakeTarget noJob;
  noJob.startDocOk = false;
  EXPECT_FALSE(PrintViewPages(noJob, false));
  EXPECT_EQ(noJob.calls.back(), "message Could not start print job.");
  EXPECT_EQ(noJob.calls[noJob.calls.size() - 2], "end printing");
  EXPECT_TRUE(noJob.windowEnabled);

  FakeTarget noProgress;
  noProgress.progressOk = false;
  EXPECT_FALSE(PrintViewPages(noProgress, true));
  EXPECT_EQ(noProgress.calls, (std::vector<std::string>{"prepare", "begin", "end printing"}));
  EXPECT_TRUE(noProgress.windowEnabled);
}

}  // namespace
