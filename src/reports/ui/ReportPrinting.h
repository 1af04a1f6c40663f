#pragma once
// The Qt side of a view's report printing: the printer chosen for the run
// (the default printer, or a PDF file on the locale's paper when none is
// installed), the print dialog, the print loop with its progress window, and
// the preview window. The decisions live in CViewReportPrinting.

#include <QPointer>
#include <QPrinter>
#include <functional>
#include <memory>
#include <string>

#include "PreviewViewKor.h"
#include "ReportPrintSetup.h"

class QWidget;

class CReportPrinting : public CViewReportPrinting::Host {
 public:
  explicit CReportPrinting(QWidget* window);
  ~CReportPrinting() override;

  CViewReportPrinting& View() { return view_; }
  QPrinter& Printer() { return printer_; }

  // File > Print: 0 printed, 1 saved as RTF, 2 cancelled.
  int Print() { return view_.SaveReportAsRtf(); }
  // File > Print Preview: false when nothing could be shown.
  bool Preview();
  CPreviewViewKor* PreviewWindow() const { return preview_; }

  // The owner's side: the window title of the document, the family file's
  // path (its title between reports), the report sheet, the calendar's
  // selection.
  std::function<void(const QString&)> onTitle;
  std::function<std::string()> familyTitle;
  std::function<void()> reopenSheet;
  std::function<int()> calendarSelection;
  // In place of the print dialog (tests): answers whether to print; may
  // change the page range (first page to print, last page to print).
  std::function<bool(QPrinter&, CPrintInfo&, int& from, int& to)> printDialog;
  // Shows the modal windows (the preview) with exec(); tests set false.
  bool modal = true;

  // PrintSetupHost
  bool PrintablePage(const rpt::Rect& margins, int& width, int& height, rpt::ReportDevice*& dc,
                     int& unitsFlag) override;
  bool RunPrintDialog(CPrintInfo& info, bool silent, bool hidePrintToFile) override;
  void SetDocumentTitle(const std::string& title) override;
  void ResetDocumentTitle() override;
  int CalendarSelectionCount() override;
  void EndPrintingFromSetup() override { view_.OnEndPrinting(nullptr, nullptr); }
  bool AskRtfPath(std::string& path) override;
  void RunPrintLoop(bool toFile) override;
  void RunFilePrint() override;
  void PostReportsCommand() override;

  // Draws pages first..last of the prepared report on a printer that is
  // not yet painting (preview and tests).
  void PaintPages(QPrinter* printer, int first, int last);

 private:
  class LoopTarget;

  QPointer<QWidget> window_;
  QPrinter printer_;
  CViewReportPrinting view_;
  std::unique_ptr<rpt::ReportDevice> measure_;
  int fromPage_ = 1, toPage_ = 1;
  QPointer<CPreviewViewKor> preview_;
};
