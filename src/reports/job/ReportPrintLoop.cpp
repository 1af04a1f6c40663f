#include "ReportPrintLoop.h"

#include <algorithm>

namespace {
constexpr const char* kCouldNotStart = "Could not start print job.";
}

std::vector<int> PrintPageOrder(int from, int to, int minPage, int maxPage) {
  std::vector<int> pages;
  if (maxPage < minPage) return pages;
  from = std::clamp(from, minPage, maxPage);
  to = std::clamp(to, minPage, maxPage);
  const int step = to >= from ? 1 : -1;
  for (int page = from; page != to + step; page += step) pages.push_back(page);
  return pages;
}

bool PrintViewPages(PrintLoopTarget& target, bool toFile) {
  CPrintInfo info;
  int from = 1, to = 1, minPage = 1;
  if (!target.Prepare(info, from, to, minPage)) return false;
  std::string outputFile;
  if (target.PrintToFileChosen() && !target.AskPrintFile(outputFile)) return false;
  std::string name = target.DocumentTitle();
  if (name.size() > 31) name.resize(31);

  target.BeginPrinting(info);
  target.EnableMainWindow(false);
  if (!toFile && !target.StartDoc(name, outputFile)) {
    target.EnableMainWindow(true);
    target.EndPrinting(info);
    target.ShowMessage(kCouldNotStart);
    return false;
  }

  bool error = false;
  bool cancelled = false;
  CReportProgress* progress = target.CreateProgress();
  if (progress) {
    progress->SetRange(0, info.maxPage);
    progress->SetStep(1);
    for (int page : PrintPageOrder(from, to, minPage, info.maxPage)) {
      info.currentPage = page;
      if (!info.continuePrinting) break;
      if (!toFile && !target.StartPage()) {
        error = true;
        break;
      }
      target.PrintPage(info);
      if (!toFile && !target.EndPage()) {
        error = true;
        break;
      }
      progress->StepIt();
      if (progress->CheckCancel()) {
        info.continuePrinting = false;
        cancelled = true;
        break;
      }
    }
    target.DestroyProgress();
  }
  if (!toFile) {
    if (error)
      target.AbortDoc();
    else
      target.EndDoc();
  }
  target.EnableMainWindow(true);
  target.EndPrinting(info);
  return progress && !error && !cancelled;
}
