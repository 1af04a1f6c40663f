#pragma once
// CReportPrintSetup: how a main view prints a report. Before printing it
// builds the report job, measures the printable page of the default printer,
// runs the kind's paginator and sets the page count, the document title and
// the print dialog; at the end it deletes the job and restores the title.
// The view's side (dialogs, printer, title) comes through PrintSetupHost.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ReportDevice.h"
#include "ReportGenerator.h"
#include "ReportJob.h"
#include "ReportKinds.h"

namespace rpt {

// What a paginator is given: the printable page inside the kind's margins,
// the measuring device, and the list lines per page.
struct PaginateArgs {
  int kind = 0;
  int width = 0;
  int height = 0;
  ReportDevice* dc = nullptr;
  int unitsFlag = 0;
  int lines = 0;  // (height - 950) / 162
  ReportRequest* request = nullptr;
  CReportJob* job = nullptr;
  CPrintInfo* info = nullptr;
};
// Answers the page count (0: nothing to print); the lists 102, 103, 104 and
// 106 answer their number of entries; a wall chart its number of charts.
using Paginator = std::function<int(const PaginateArgs&)>;
// Frees the kind's page data and work files.
using PageCleanup = std::function<void()>;

void RegisterReportPaginator(int kind, Paginator paginate, PageCleanup cleanup);

// Margins of a kind in thousandths of an inch (left, top, right, bottom).
Rect ReportMarginsOf(int kind);
// The document title of a kind ("" for kinds without one).
std::string ReportTitleOf(int kind);

}  // namespace rpt

class PrintSetupHost {
 public:
  virtual ~PrintSetupHost() = default;
  // The default printer's printable page inside the margins; false when no
  // printer can be reached. dc is a measuring device of that printer.
  virtual bool PrintablePage(const rpt::Rect& margins, int& width, int& height,
                             rpt::ReportDevice*& dc, int& unitsFlag) = 0;
  // The print dialog (silent: printer defaults without a dialog, for RTF
  // runs and previews); false when cancelled.
  virtual bool RunPrintDialog(CPrintInfo& info, bool silent, bool hidePrintToFile) = 0;
  virtual void SetDocumentTitle(const std::string& title) = 0;
  // The family file's name, or "Untitled".
  virtual void ResetDocumentTitle() = 0;
  // Individuals in the filter set's result (the calendar's selection).
  virtual int CalendarSelectionCount() = 0;
  // The view's end of printing (which calls CReportPrintSetup::EndPrinting).
  virtual void EndPrintingFromSetup() = 0;
  // The save dialog of the RTF file; false when cancelled.
  virtual bool AskRtfPath(std::string& path) = 0;
};

class CReportPrintSetup {
 public:
  explicit CReportPrintSetup(PrintSetupHost& host) : host_(host) {}

  void SetReportKind(int kind) { kind_ = kind; }
  int ReportKind() const { return kind_; }
  // Set by the report sheet when the run goes to an RTF file.
  void AttachRtfOutput(bool attached) { rtfAttached_ = attached; }
  bool RtfOutputAttached() const { return rtfAttached_; }
  void SetRtfPath(const std::string& path) { rtfPath_ = path; }
  const std::string& RtfPath() const { return rtfPath_; }
  CReportJob* Job() const { return job_.get(); }

  // 0 no RTF output attached, 1 path chosen (stored), 2 cancelled.
  int AskRtfFileName(std::string& path);
  // Non-zero to go on printing.
  int PreparePrinting(CPrintInfo& info, bool preview);
  int Paginate(CPrintInfo& info, int width, int height, rpt::ReportDevice* dc, int unitsFlag);
  void BeginPrinting(rpt::ReportDevice* dc, CPrintInfo* info);
  int PrintPage(rpt::ReportDevice* dc, CPrintInfo* info);
  void EndPrinting(rpt::ReportDevice* dc, CPrintInfo* info);
  // The clean-up that a cancelled print dialog runs for the current kind.
  void CleanupKind();

 private:
  PrintSetupHost& host_;
  int kind_ = 0;
  std::unique_ptr<CReportJob> job_;
  bool rtfAttached_ = false;
  std::string rtfPath_;
};

// The print hooks of a main view: its print flag and print set-up.
class CViewReportPrinting {
 public:
  class Host : public PrintSetupHost {
   public:
    // The views' own print loop to the RTF output.
    virtual void RunPrintLoop(bool toFile) = 0;
    // The ordinary print command: dialog and print loop.
    virtual void RunFilePrint() = 0;
    // Reopens the report sheet.
    virtual void PostReportsCommand() = 0;
  };

  explicit CViewReportPrinting(Host& host) : host_(host), setup_(host) {}

  CReportPrintSetup& Setup() { return setup_; }
  int PrintFlag() const { return printFlag_; }

  int OnPreparePrinting(CPrintInfo& info, bool preview);
  void OnEndPrinting(rpt::ReportDevice* dc, CPrintInfo* info);
  void OnEndPrintPreview();
  // The preview's Print button.
  void PrintFromPreview();
  // The Print command: 0 printed, 1 written to the chosen RTF file, 2 cancelled.
  int SaveReportAsRtf();

 private:
  Host& host_;
  CReportPrintSetup setup_;
  int printFlag_ = 1;
};
