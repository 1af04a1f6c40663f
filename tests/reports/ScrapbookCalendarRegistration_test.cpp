// The Scrapbook and the Event Calendar through the print set-up: the
// registration makes both kinds available, the set-up paginates them with
// the stored options and the report request, and the job draws their pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "BitSet.h"
#include "DbCalls.h"
#include "MultimediaChain.h"
#include "RecordingDevice.h"
#include "ReportFamilies.h"
#include "ReportJob.h"
#include "ReportKinds.h"
#include "ReportPrintSetup.h"
#include "ScrapbookCalendarReports.h"

namespace {

class Host : public PrintSetupHost {
 public:
  RecordingDevice dc;
  int chosen = 1;
  bool PrintablePage(const rpt::Rect& m, int& w, int& h, rpt::ReportDevice*& d,
                     int& units) override {
    w = 8500 - m.left - m.right;
    h = 11000 - m.top - m.bottom;
    d = &dc;
    units = 0;
    return true;
  }
  bool RunPrintDialog(CPrintInfo&, bool, bool) override { return true; }
  void SetDocumentTitle(const std::string&) override {}
  void ResetDocumentTitle() override {}
  int CalendarSelectionCount() override { return chosen; }
  void EndPrintingFromSetup() override {}
  bool AskRtfPath(std::string&) override { return false; }
};

class ScrapbookCalendarKinds : public ReportFamiliesFixture {
 protected:
  void SetUp() override {
    ReportFamiliesFixture::SetUp();
    rpt::CurrentReportRequest() = {};
    rpt::CurrentReportRunState() = {};
    rpt::RegisterScrapbookAndCalendar();
    rpt::SetScrapbookCalendarSetSource([this] { return &set; });
    host.dc.SetMapMode(rpt::MM_HIENGLISH);
  }
  void TearDown() override {
    rpt::SetScrapbookCalendarSetSource(nullptr);
    rpt::RegisterReportGenerator(rpt::GeneratorClass::kScrapbook, nullptr);
    rpt::RegisterReportGenerator(rpt::GeneratorClass::kCalendar, nullptr);
    rpt::RegisterReportPaginator(rpt::kScrapbook, nullptr, nullptr);
    rpt::RegisterReportPaginator(rpt::kEventCalendar, nullptr, nullptr);
    ReportFamiliesFixture::TearDown();
  }

  // Prints kind through the set-up; answers every page's drawing calls.
  std::vector<std::vector<std::string>> Print(int kind) {
    setup.SetReportKind(kind);
    CPrintInfo info;
    std::vector<std::vector<std::string>> pages;
    if (setup.PreparePrinting(info, false) != 1) return pages;
    RecordingDevice dc;
    dc.SetMapMode(rpt::MM_HIENGLISH);
    setup.BeginPrinting(&dc, &info);
    for (int page = 1; page <= info.maxPage; ++page) {
      dc.calls.clear();
      info.currentPage = page;
      setup.PrintPage(&dc, &info);
      pages.push_back(dc.calls);
    }
    setup.EndPrinting(&dc, &info);
    return pages;
  }

  static bool Has(const std::vector<std::string>& calls, const std::string& text) {
    return std::any_of(calls.begin(), calls.end(),
                       [&](const std::string& c) { return c.find(text) != std::string::npos; });
  }

  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
  Host host;
  CReportPrintSetup setup{host};
  CBitSet set;
};

TEST_F(ScrapbookCalendarKinds, BothKindsPrintThroughTheSetUp) {
  EXPECT_TRUE(rpt::IsReportKindAvailable(rpt::kScrapbook));
  EXPECT_TRUE(rpt::IsReportKindAvailable(rpt::kEventCalendar));

  const std::int32_t ann = Person("Ann", "Album", 'F', 1950);  // born 14 May
  CMultimediaList head;
  for (int i = 7; i >= 1; --i) {
    auto item = std::make_unique<CMultimediaItem>();
    item->kind = CMultimediaItem::kPhoto;
    item->flags = CMultimediaItem::kFlagScrapbook;
    item->fileName = "pic" + std::to_string(i);
    item->next = std::move(head);
    head = std::move(item);
  }
  ASSERT_GE(DbSaveMultimediaChain(ann, head.get(), db::kIndividual), 0);

  // The start person of the request without the list option.
  rpt::CurrentReportRequest().startRin = ann;
  auto pages = Print(rpt::kScrapbook);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_TRUE(Has(pages[0], "Scrapbook Page for Ann Album"));
  EXPECT_TRUE(Has(pages[1], "DrawPhoto pic7"));

  // With the list option the chosen set; an empty one prints nothing.
  profile.SetInt("ScrapRpt", "ListOpt", 1);
  EXPECT_TRUE(Print(rpt::kScrapbook).empty());
  set.SetBit(ann, 1);
  EXPECT_EQ(Print(rpt::kScrapbook).size(), 2u);

  // The calendar of the stored month for the chosen set.
  profile.SetInt("CalendarRpt", "Year", 2001);
  profile.SetInt("CalendarRpt", "Month", 4);  // May
  pages = Print(rpt::kEventCalendar);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(Has(pages[0], "May 2001"));
  EXPECT_TRUE(Has(pages[0], "51 Ann Album"));
}

}  // namespace
