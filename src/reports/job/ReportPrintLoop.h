#pragma once
// The report views' own print loop: the pages of a report printed in the
// chosen range, one progress window in place of the usual printing dialog,
// Cancel honoured between pages. With the to-file flag set no print job,
// page start or page end is issued: the generators then only add RTF
// elements and the end of printing writes the file.

#include <string>
#include <vector>

#include "ReportGenerator.h"
#include "ReportProgress.h"

// The pages from..to (both held in min..max), backwards when to < from.
std::vector<int> PrintPageOrder(int from, int to, int minPage, int maxPage);

class PrintLoopTarget {
 public:
  virtual ~PrintLoopTarget() = default;
  // The view's print preparation (dialog or printer defaults); false stops.
  // Sets fromPage and toPage.
  virtual bool Prepare(CPrintInfo& info, int& fromPage, int& toPage, int& minPage) = 0;
  virtual bool PrintToFileChosen() { return false; }
  // "Print to File" save dialog proposing "Output.prn"; false cancelled.
  virtual bool AskPrintFile(std::string& path) = 0;
  virtual std::string DocumentTitle() = 0;
  virtual void BeginPrinting(CPrintInfo& info) = 0;
  virtual void EnableMainWindow(bool enable) = 0;
  virtual bool StartDoc(const std::string& documentName, const std::string& outputFile) = 0;
  virtual bool StartPage() = 0;
  virtual void PrintPage(CPrintInfo& info) = 0;
  virtual bool EndPage() = 0;
  virtual void EndDoc() = 0;
  virtual void AbortDoc() = 0;
  virtual void EndPrinting(CPrintInfo& info) = 0;
  // The "Printing report" progress window; null when it cannot be made.
  virtual CReportProgress* CreateProgress() = 0;
  virtual void DestroyProgress() = 0;
  virtual void ShowMessage(const std::string& text) = 0;
};

// Runs the loop; true when every page was printed.
bool PrintViewPages(PrintLoopTarget& target, bool toFile);
