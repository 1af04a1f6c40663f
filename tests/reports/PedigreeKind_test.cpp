// The Pedigree Chart as the report job runs it: the run read from the
// report request and the PedRpt settings, the pass and the pages through the
// print set-up, the fixed-position chart and the blank form, and when the
// pages are freed.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "FakePorts.h"
#include "PedigreeRegistration.h"
#include "RecordingDevice.h"
#include "ReportFamilies.h"
#include "ReportKinds.h"
#include "ReportPrintSetup.h"

namespace {

bool Drew(const std::vector<std::string>& calls, const std::string& text) {
  return std::any_of(calls.begin(), calls.end(), [&](const std::string& call) {
    return call.size() >= text.size() &&
           call.compare(call.size() - text.size(), text.size(), text) == 0;
  });
}

// A view whose printer has letter paper; Print runs a kind through the print
// set-up and answers the drawing calls of each page.
class LetterHost : public PrintSetupHost {
 public:
  RecordingDevice measuring;
  bool PrintablePage(const rpt::Rect& m, int& w, int& h, rpt::ReportDevice*& d,
                     int& units) override {
    w = 8500 - m.left - m.right;
    h = 11000 - m.top - m.bottom;
    d = &measuring;
    units = 0;
    return true;
  }
  bool RunPrintDialog(CPrintInfo&, bool, bool) override { return true; }
  void SetDocumentTitle(const std::string&) override {}
  void ResetDocumentTitle() override {}
  int CalendarSelectionCount() override { return 0; }
  void EndPrintingFromSetup() override {}
  bool AskRtfPath(std::string&) override { return false; }
};

struct LetterPrintRun {
  LetterHost host;
  CReportPrintSetup setup{host};

  // Prepares (paginates), draws every page and ends printing; beforeEnd
  // runs before the end of printing.
  std::vector<std::vector<std::string>> Print(int kind,
                                              const std::function<void()>& beforeEnd = {}) {
    setup.SetReportKind(kind);
    CPrintInfo info;
    if (setup.PreparePrinting(info, false) == 0) return {};
    return DrawAndEnd(info, beforeEnd);
  }
  // A job that takes the page count of the last run (print state 4).
  std::vector<std::vector<std::string>> PrintAgain(int kind, int pages) {
    setup.SetReportKind(kind);
    CPrintInfo info;
    if (setup.PreparePrinting(info, false) == 0) return {};
    EXPECT_EQ(info.maxPage, pages);
    auto drawn = DrawAndEnd(info, {});
    // Pages that drew nothing are not pages.
    drawn.erase(std::remove_if(drawn.begin(), drawn.end(),
                               [](const std::vector<std::string>& p) { return p.empty(); }),
                drawn.end());
    return drawn;
  }

 private:
  std::vector<std::vector<std::string>> DrawAndEnd(CPrintInfo& info,
                                                   const std::function<void()>& beforeEnd) {
    RecordingDevice dc;
    dc.SetMapMode(rpt::MM_HIENGLISH);
    setup.BeginPrinting(&dc, &info);
    std::vector<std::vector<std::string>> pages;
    for (int page = 1; page <= info.maxPage; ++page) {
      dc.calls.clear();
      info.currentPage = page;
      setup.PrintPage(&dc, &info);
      pages.push_back(dc.calls);
    }
    if (beforeEnd) beforeEnd();
    setup.EndPrinting(&dc, &info);
    return pages;
  }
};

class PedigreeKind : public ReportFamiliesFixture {
 protected:
  void SetUp() override {
    ReportFamiliesFixture::SetUp();
    rpt::CurrentReportRequest() = {};
    rpt::CurrentReportRunState() = {};
    rpt::RegisterPedigreeChart();
  }
  void TearDown() override {
    rpt::RegisterReportGenerator(rpt::GeneratorClass::kPedigree, nullptr);
    rpt::CleanupPedigreeRequest();
    ReportFamiliesFixture::TearDown();
  }

  // Person n of a full pedigree is the child of 2n and 2n + 1.
  std::vector<std::int32_t> BuildPedigree(int generations) {
    std::vector<std::int32_t> rins(1u << generations, 0);
    for (std::size_t n = 1; n < rins.size(); ++n)
      rins[n] = Person("P" + std::to_string(n), "Line", n % 2 == 0 || n == 1 ? 'M' : 'F', 1800);
    for (std::size_t n = 1; 2 * n + 1 < rins.size(); ++n)
      Child(Marry(rins[2 * n], rins[2 * n + 1]), rins[n]);
    return rins;
  }

  // A cascading request from start: first chart 1, same as 1 on chart 1.
  static rpt::ReportRequest Request(int mode, std::int32_t start, int generations, bool index) {
    rpt::ReportRequest request;
    request.mode = mode;
    request.startRin = start;
    request.count = generations;
    request.options[rpt::kPedigreeFirstChart] = 1;
    request.options[rpt::kPedigreeSameAsChart] = 1;
    request.options[rpt::kPedigreeSameAsPosition] = 1;
    request.options[rpt::kPedigreeFirstContinuation] = 2;
    request.options[rpt::kPedigreeIndex] = index ? 1 : 0;
    return request;
  }

  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
  LetterPrintRun printer;
};

TEST_F(PedigreeKind, CascadingChartsWithIndexPrintThroughTheSetUp) {
  const auto rins = BuildPedigree(5);
  profile.SetInt("PedRpt", "GensPerPage", 4);
  profile.SetInt("PedRpt", "IncludeSubmit", 0);
  rpt::CurrentReportRequest() = Request(2, rins[1], 5, true);
  EXPECT_TRUE(rpt::IsReportKindAvailable(rpt::kPedigreeChart));
  const auto pages = printer.Print(rpt::kPedigreeChart);
  // Chart 1, the continuation charts 2 .. 9 of positions 8 .. 15, one index page.
  ASSERT_EQ(pages.size(), 10u);
  for (int n = 1; n <= 15; ++n) EXPECT_TRUE(Drew(pages[0], "P" + std::to_string(n) + " Line")) << n;
  EXPECT_TRUE(Drew(pages[0], "Chart no. 1"));
  EXPECT_TRUE(Drew(pages[1], "Chart no. 2"));
  EXPECT_TRUE(Drew(pages[1], "P16 Line"));
  EXPECT_TRUE(Drew(pages[8], "P31 Line"));
  EXPECT_TRUE(Drew(pages[9], "Alphabetical Index"));
  for (int n = 1; n <= 31; ++n) EXPECT_TRUE(Drew(pages[9], "P" + std::to_string(n) + " Line")) << n;
  // Printing ended: the pages are freed, the next job of the same print state
  // finds none.
  rpt::CurrentReportRunState().printState = 4;
  EXPECT_TRUE(printer.PrintAgain(rpt::kPedigreeChart, 10).empty());
}

TEST_F(PedigreeKind, PreviewPrintKeepsThePagesForThePrinter) {
  const auto rins = BuildPedigree(5);
  profile.SetInt("PedRpt", "GensPerPage", 4);
  rpt::CurrentReportRequest() = Request(2, rins[1], 5, false);
  // The preview's Print sets print state 4 before the preview ends.
  const auto previewed =
      printer.Print(rpt::kPedigreeChart, [] { rpt::CurrentReportRunState().printState = 4; });
  ASSERT_EQ(previewed.size(), 9u);
  // The printer's job takes the previewed pages without a pass.
  rpt::CurrentReportRunState().printState = 4;
  const auto printed = printer.PrintAgain(rpt::kPedigreeChart, 9);
  ASSERT_EQ(printed.size(), 9u);
  EXPECT_EQ(printed, previewed);
}

TEST_F(PedigreeKind, FixedPositionChartAndBlankFormNeedNoPass) {
  const auto rins = BuildPedigree(4);
  profile.SetInt("PedRpt", "VIP", 1);
  rpt::CurrentReportRequest() = Request(2, rins[1], 20, true);
  const auto vip = printer.Print(rpt::kPedigreeChart);
  ASSERT_EQ(vip.size(), 1u);
  for (int n = 1; n <= 15; ++n) EXPECT_TRUE(Drew(vip[0], "P" + std::to_string(n) + " Line")) << n;
  EXPECT_FALSE(Drew(vip[0], "Chart no. 1"));

  profile.SetInt("PedRpt", "VIP", 0);
  rpt::CurrentReportRequest() = Request(0, 0, 0, false);
  const auto form = printer.Print(rpt::kPedigreeChart);
  ASSERT_EQ(form.size(), 1u);
  // The report job's "Printed by" line under the "Prepared by" frame.
  EXPECT_TRUE(Drew(form[0], "TextOut 450 -10350 Printed by Korvane"));
  EXPECT_TRUE(Drew(form[0], "Cont. on"));
  EXPECT_FALSE(Drew(form[0], "P1 Line"));
}

}  // namespace
