#include "ReportPrintSetup.h"

#include <algorithm>
#include <map>
#include <utility>

#include "AppOptions.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

struct KindPagination {
  Paginator paginate;
  PageCleanup cleanup;
};
std::map<int, KindPagination>& Paginators() {
  static std::map<int, KindPagination> table;
  return table;
}

bool IsEntryCountList(int kind) {
  return kind == kIndividualsByRin || kind == kIndividualsByAlpha || kind == kMarriagesList ||
         kind == kEndOfLine;
}

bool IsListKind(int kind) {
  return kind == kCustomReport || (kind >= kUnlinkedList && kind <= kCitationsList) ||
         (kind >= kIncompleteOrdinances && kind <= kFamilyOrdinanceSummary);
}

Rect WallChartMargins() {
  return {CAppOptions::GetDescRptWCPageLM(), CAppOptions::GetDescRptWCPageTM(),
          CAppOptions::GetDescRptWCPageRM(), CAppOptions::GetDescRptWCPageBM()};
}
Rect StandardChartMargins() {
  return {CAppOptions::GetAncRptStdPageLM(), CAppOptions::GetAncRptStdPageTM(),
          CAppOptions::GetAncRptStdPageRM(), CAppOptions::GetAncRptStdPageBM()};
}

int ProfileInt(const char* section, const char* key, int def) {
  return plat::Profile().GetInt(section, key, def);
}

}  // namespace

void RegisterReportPaginator(int kind, Paginator paginate, PageCleanup cleanup) {
  if (!paginate && !cleanup)
    Paginators().erase(kind);
  else
    Paginators()[kind] = {std::move(paginate), std::move(cleanup)};
}

Rect ReportMarginsOf(int kind) {
  switch (kind) {
    case kPedigreeChart:
      return {CAppOptions::GetPedRptPageLM(), CAppOptions::GetPedRptPageTM(),
              CAppOptions::GetPedRptPageRM(), CAppOptions::GetPedRptPageBM()};
    case kFamilyGroupRecord:
      return {CAppOptions::GetFgrRptPageLM(), CAppOptions::GetFgrRptPageTM(),
              CAppOptions::GetFgrRptPageRM(), CAppOptions::GetFgrRptPageBM()};
    case kAncestryChart:
      return CAppOptions::GetAncRptType() != 0 ? WallChartMargins() : StandardChartMargins();
    case kDescendantsChart:
      return CAppOptions::GetDescRptType() != 0 ? WallChartMargins() : StandardChartMargins();
    case kIndividualSummary:
      return {CAppOptions::GetIndRptPageLM(), CAppOptions::GetIndRptPageTM(),
              CAppOptions::GetIndRptPageRM(), CAppOptions::GetIndRptPageBM()};
    case kScrapbook:
      return {CAppOptions::GetScrapRptPageLM(), CAppOptions::GetScrapRptPageTM(),
              CAppOptions::GetScrapRptPageRM(), CAppOptions::GetScrapRptPageBM()};
    case kEventCalendar:
      return {CAppOptions::GetCalendarRptPageLM(), CAppOptions::GetCalendarRptPageTM(),
              CAppOptions::GetCalendarRptPageRM(), CAppOptions::GetCalendarRptPageBM()};
    case kAhnentafel:
    case kModifiedRegister:
      return {CAppOptions::GetBkRptPageLM(), CAppOptions::GetBkRptPageTM(),
              CAppOptions::GetBkRptPageRM(), CAppOptions::GetBkRptPageBM()};
    default:
      if (IsListKind(kind))
        return {CAppOptions::GetLstRptPageLM(), CAppOptions::GetLstRptPageTM(),
                CAppOptions::GetLstRptPageRM(), CAppOptions::GetLstRptPageBM()};
      return {};
  }
}

std::string ReportTitleOf(int kind) {
  auto s = [](unsigned id) { return res::LoadString(id); };
  auto two = [&](unsigned a, unsigned b) { return s(a) + " " + s(b); };
  switch (kind) {
    case kPedigreeChart:
      return s(7087);
    case kFamilyGroupRecord:
      return s(7088);
    case kAncestryChart:
      return two(7225, 7178);
    case kDescendantsChart:
      return two(7057, 7178);
    case kIndividualSummary:
      return s(3366);
    case kScrapbook:
      return two(3332, 3248);
    case kCustomReport:
      return s(5011);
    case kEventCalendar:
      return s(3545);
    case kUnlinkedList:
      return s(3213);
    case kDuplicatesList:
      return s(7233);
    case kIndividualsByRin:
      return s(3258);
    case kIndividualsByAlpha:
      return s(3259);
    case kMarriagesList:
      return s(3412);
    case kRecordProblems:
      return s(3280);
    case kEndOfLine:
      return s(3467);
    case kIncompleteOrdinances:
      return s(3217);
    case kMissingSealings:
      return s(3214);
    case kAhnentafel:
      return two(3253, 7178);
    case kModifiedRegister:
      return two(3262, 3248);
    default:
      return {};
  }
}

}  // namespace rpt

int CReportPrintSetup::AskRtfFileName(std::string& path) {
  if (!rtfAttached_) return 0;
  if (!host_.AskRtfPath(path)) return 2;
  rtfPath_ = path;
  return 1;
}

int CReportPrintSetup::PreparePrinting(CPrintInfo& info, bool preview) {
  using namespace rpt;
  job_ = std::make_unique<CReportJob>(kind_);
  ReportRunState& run = CurrentReportRunState();
  int pages = 0;
  if (run.printState == 4) {
    pages = run.pageCount;
  } else {
    const Rect margins = ReportMarginsOf(kind_);
    if (kind_ == kEventCalendar && host_.CalendarSelectionCount() == 0 &&
        plat::MessageBox(res::LoadString(res::kIdsBlankCalendar), "",
                         plat::kMbYesNo | plat::kMbIconQuestion) == plat::kIdNo) {
      host_.EndPrintingFromSetup();
      job_.reset();
      return 0;
    }
    int width = 0, height = 0, unitsFlag = 0;
    ReportDevice* dc = nullptr;
    if (!host_.PrintablePage(margins, width, height, dc, unitsFlag)) {
      plat::MessageBox(res::LoadString(res::kIdsUnableToConnect), "", plat::kMbOk);
      job_.reset();
      return 0;
    }
    pages = Paginate(info, width, height, dc, unitsFlag);
    run.pageCount = pages;
    if (pages == 0) {
      plat::MessageBox(res::LoadString(res::kIdsNothingToReport), "", plat::kMbOk);
      host_.EndPrintingFromSetup();
      job_.reset();
      return 0;
    }
  }
  const std::string title = ReportTitleOf(kind_);
  if (!title.empty()) host_.SetDocumentTitle(title);
  info.maxPage = pages;

  const bool rtfRun = rtfAttached_ && !preview;
  const bool hideToFile = !rtfRun && CAppOptions::GetReportsAllowRawPrintToFile() == 0;
  // A preview, like an RTF run, takes the printer defaults without a dialog.
  if (!host_.RunPrintDialog(info, rtfRun || preview, hideToFile)) {
    CleanupKind();
    job_.reset();
    return 0;
  }
  if (!preview) {
    job_->SetRTFDocument(rtfAttached_);
    if (rtfAttached_) job_->SetOutputFileName(rtfPath_);
  }
  return 1;
}

int CReportPrintSetup::Paginate(CPrintInfo& info, int width, int height, rpt::ReportDevice* dc,
                                int unitsFlag) {
  using namespace rpt;
  ReportRequest& request = CurrentReportRequest();
  if (kind_ == kPedigreeChart && (request.mode == 0 || ProfileInt("PedRpt", "VIP", 0) != 0))
    return 1;
  if (kind_ == kFamilyGroupRecord && request.mode == 2) return 3;

  const auto it = Paginators().find(kind_);
  if (it == Paginators().end() || !it->second.paginate) return 0;
  PaginateArgs args;
  args.kind = kind_;
  args.width = width;
  args.height = height;
  args.dc = dc;
  args.unitsFlag = unitsFlag;
  args.lines = (height - 950) / 162;
  args.request = &request;
  args.job = job_.get();
  args.info = &info;
  const int result = it->second.paginate(args);
  int pages = result;
  if (IsEntryCountList(kind_)) {
    request.entryCount = result;
    pages = result > 0 && args.lines > 0 ? (result - 1) / args.lines + 1 : 0;
  } else if ((kind_ == kAncestryChart && CAppOptions::GetAncRptType() != 0) ||
             (kind_ == kDescendantsChart && CAppOptions::GetDescRptType() != 0)) {
    request.chartCount = result;
    // A stored 0 would divide by zero: at least one generation a tile.
    const int perPage =
        std::max(1, ProfileInt(kind_ == kAncestryChart ? "AncRpt" : "DescRpt", "GensPg", 3));
    pages = result * ((std::max(1, request.count) - 1) / perPage + 1);
  } else if (kind_ == kFamilyOrdinanceSummary) {
    request.entryCount = result;
  }
  if (pages <= 0) {
    if (it->second.cleanup) it->second.cleanup();
    return 0;
  }
  return pages;
}

void CReportPrintSetup::CleanupKind() {
  using namespace rpt;
  const int mode = CurrentReportRequest().mode;
  if (kind_ == kPedigreeChart && mode == 0) return;
  if (kind_ == kFamilyGroupRecord && mode >= 2) return;
  const auto it = Paginators().find(kind_);
  if (it != Paginators().end() && it->second.cleanup) it->second.cleanup();
}

void CReportPrintSetup::BeginPrinting(rpt::ReportDevice* dc, CPrintInfo* info) {
  if (job_) job_->BeginPrinting(dc, info);
}

int CReportPrintSetup::PrintPage(rpt::ReportDevice* dc, CPrintInfo* info) {
  if (!job_) return 0;
  if (dc) dc->SetMapMode(rpt::MM_HIENGLISH);
  return job_->PrintPage(dc, info);
}

void CReportPrintSetup::EndPrinting(rpt::ReportDevice* dc, CPrintInfo* info) {
  if (job_) {
    job_->EndPrinting(dc, info);
    job_.reset();
    rpt::ReportRunState& run = rpt::CurrentReportRunState();
    if (run.printState == 4) run.printState = 5;
  }
  host_.ResetDocumentTitle();
}

int CViewReportPrinting::OnPreparePrinting(CPrintInfo& info, bool preview) {
  printFlag_ = 0;
  return setup_.PreparePrinting(info, preview);
}

void CViewReportPrinting::OnEndPrinting(rpt::ReportDevice* dc, CPrintInfo* info) {
  setup_.EndPrinting(dc, info);
}

void CViewReportPrinting::OnEndPrintPreview() {
  host_.ResetDocumentTitle();
  rpt::ReportRunState& run = rpt::CurrentReportRunState();
  if (run.printState == 2 || run.printState == 3) {
    run.printState = 6;
    host_.PostReportsCommand();
  }
}

void CViewReportPrinting::PrintFromPreview() {
  rpt::CurrentReportRunState().printState = 4;
  host_.RunFilePrint();
}

int CViewReportPrinting::SaveReportAsRtf() {
  // Cleared by OnPreparePrinting: still set afterwards means no preparation
  // ran this time, and the report state is tidied here.
  printFlag_ = 1;
  std::string path;
  const int answer = setup_.AskRtfFileName(path);
  if (answer == 2) return 2;
  if (answer == 1) {
    setup_.SetRtfPath(path);
    host_.RunPrintLoop(true);
  } else {
    host_.RunFilePrint();
  }
  if (printFlag_ == 1) OnEndPrinting(nullptr, nullptr);
  return answer;
}
