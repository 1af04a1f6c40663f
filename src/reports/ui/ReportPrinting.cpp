#include "ReportPrinting.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QWidget>

#include "ChartBox.h"
#include "FileDialogRun.h"
#include "Ports.h"
#include "PreviewViewKor.h"
#include "QtPorts.h"
#include "QtReportDevice.h"
#include "ReportPrintDialog.h"
#include "ReportPrintLoop.h"
#include "ReportProgressDialog.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

// "A|*.a|B|*.b||" as a Qt filter list.
QString QtFilter(const std::string& filter) {
  QStringList parts = fw::ToQString(filter).split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2)
    if (!parts[i].isEmpty()) out << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
  return out.join(";;");
}
}  // namespace

// The print loop on the run's printer.
class CReportPrinting::LoopTarget : public PrintLoopTarget {
 public:
  explicit LoopTarget(CReportPrinting& owner, bool showDialog)
      : owner_(owner), showDialog_(showDialog) {}

  bool Prepare(CPrintInfo& info, int& from, int& to, int& minPage) override {
    if (!owner_.view_.OnPreparePrinting(info, false)) return false;
    minPage = 1;
    from = owner_.fromPage_;
    to = owner_.toPage_;
    return true;
  }
  // A PDF printer without a file (no printer installed) prints to a file
  // chosen here; the print dialog's own file choice already names one.
  bool PrintToFileChosen() override {
    return showDialog_ && owner_.printer_.outputFormat() == QPrinter::PdfFormat &&
           owner_.printer_.outputFileName().isEmpty();
  }
  bool AskPrintFile(std::string& path) override {
    QFileDialog dialog(owner_.window_, QObject::tr("Print to File"), "Output.prn",
                       QObject::tr("Printer Files (*.prn);;All Files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("prn");
    if (fw::RunFileDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
      return false;
    path = fw::FromQPath(dialog.selectedFiles().first());
    return true;
  }
  std::string DocumentTitle() override {
    return owner_.window_ ? fw::FromQString(owner_.window_->windowTitle()) : std::string();
  }
  void BeginPrinting(CPrintInfo& info) override {
    owner_.view_.Setup().BeginPrinting(owner_.measure_.get(), &info);
  }
  // Disabling the window takes the focus from the family window that had
  // it; it is given back, or the frame's activation would make the first
  // focusable family window the active one, and so its family the open one.
  void EnableMainWindow(bool enable) override {
    if (!owner_.window_) return;
    if (!enable && owner_.window_->isEnabled()) focus_ = owner_.window_->focusWidget();
    owner_.window_->setEnabled(enable);
    if (enable && focus_ && focus_->isEnabled()) focus_->setFocus(Qt::OtherFocusReason);
    if (enable) focus_ = nullptr;
  }
  bool StartDoc(const std::string& name, const std::string& file) override {
    owner_.printer_.setDocName(fw::ToQString(name));
    if (!file.empty()) {
      owner_.printer_.setOutputFormat(QPrinter::PdfFormat);
      owner_.printer_.setOutputFileName(QString::fromStdString(file));
    }
    device_ = std::make_unique<fw::CQtReportDevice>(&owner_.printer_);
    first_ = true;
    return device_ != nullptr;
  }
  bool StartPage() override {
    if (!first_ && !owner_.printer_.newPage()) return false;
    first_ = false;
    return true;
  }
  void PrintPage(CPrintInfo& info) override {
    rpt::ReportDevice* dc = device_ ? device_.get() : owner_.measure_.get();
    owner_.view_.Setup().PrintPage(dc, &info);
  }
  bool EndPage() override { return true; }
  void EndDoc() override { device_.reset(); }
  void AbortDoc() override {
    owner_.printer_.abort();
    device_.reset();
  }
  void EndPrinting(CPrintInfo& info) override {
    device_.reset();
    owner_.view_.OnEndPrinting(owner_.measure_.get(), &info);
  }
  CReportProgress* CreateProgress() override {
    progress_ =
        std::make_unique<CReportProgressDialog>(fw::FromQString(QObject::tr("Printing report")));
    if (!progress_->Create(owner_.window_)) {
      progress_.reset();
      return nullptr;
    }
    return &progress_->Model();
  }
  void DestroyProgress() override { progress_.reset(); }
  void ShowMessage(const std::string& text) override {
    QMessageBox::warning(owner_.window_, QString(), fw::ToQString(text));
  }

 private:
  CReportPrinting& owner_;
  bool showDialog_;
  std::unique_ptr<fw::CQtReportDevice> device_;
  std::unique_ptr<CReportProgressDialog> progress_;
  QPointer<QWidget> focus_;  // the window's focus while it is disabled
  bool first_ = true;
};

CReportPrinting::CReportPrinting(QWidget* window)
    : window_(window), printer_(QPrinter::HighResolution), view_(*this) {
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    // No printer installed: printing writes a PDF on the locale's paper.
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setPageLayout(fw::CQtReportDevice::DefaultPaper());
  }
}

CReportPrinting::~CReportPrinting() = default;

bool CReportPrinting::PrintablePage(const rpt::Rect& margins, int& width, int& height,
                                    rpt::ReportDevice*& dc, int& unitsFlag) {
  if (!printer_.isValid()) return false;
  measure_ = std::make_unique<fw::CQtReportDevice>(printer_.resolution(), printer_.pageLayout());
  rpt::PrintableArea area;
  unitsFlag = rpt::GetPrintableMargins(*measure_, margins.left, margins.top, margins.right,
                                       margins.bottom, area, false);
  width = area.width;
  height = area.height;
  dc = measure_.get();
  return true;
}

bool CReportPrinting::RunPrintDialog(CPrintInfo& info, bool silent, bool hidePrintToFile) {
  fromPage_ = 1;
  toPage_ = info.maxPage;
  if (silent) return true;
  if (printDialog) return printDialog(printer_, info, fromPage_, toPage_);
  CReportPrintDialog dialog(&printer_, info.maxPage, hidePrintToFile, window_);
  if (dialog.exec() != QDialog::Accepted) return false;
  if (printer_.printRange() == QPrinter::PageRange) {
    fromPage_ = printer_.fromPage();
    toPage_ = printer_.toPage();
  }
  return true;
}

void CReportPrinting::SetDocumentTitle(const std::string& title) {
  if (onTitle) onTitle(fw::ToQString(title));
}

void CReportPrinting::ResetDocumentTitle() {
  if (!onTitle) return;
  const std::string path = familyTitle ? familyTitle() : std::string();
  onTitle(path.empty() ? fw::ToQString(res::LoadString(res::kIdsUntitled)) : fw::ToQPath(path));
}

int CReportPrinting::CalendarSelectionCount() {
  return calendarSelection ? calendarSelection() : 0;
}

bool CReportPrinting::AskRtfPath(std::string& path) {
  QFileDialog dialog(window_, QString(), QString(), QtFilter(res::LoadString(res::kIdsRtfFilter)));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("rtf");
  const std::string folder = plat::Profile().GetPath("Folders", "Report", "");
  if (!folder.empty()) dialog.setDirectory(fw::ToQPath(folder));
  dialog.selectFile("*.rtf");
  if (fw::RunFileDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return false;
  path = fw::FromQPath(dialog.selectedFiles().first());
  return true;
}

void CReportPrinting::RunPrintLoop(bool toFile) {
  LoopTarget target(*this, false);
  PrintViewPages(target, toFile);
}

void CReportPrinting::RunFilePrint() {
  LoopTarget target(*this, true);
  PrintViewPages(target, false);
}

void CReportPrinting::PostReportsCommand() {
  if (reopenSheet) reopenSheet();
}

void CReportPrinting::PaintPages(QPrinter* printer, int first, int last) {
  fw::CQtReportDevice dc(printer);
  CPrintInfo info;
  info.maxPage = last;
  view_.Setup().BeginPrinting(&dc, &info);
  for (int page = first; page <= last; ++page) {
    if (page > first) printer->newPage();
    info.currentPage = page;
    view_.Setup().PrintPage(&dc, &info);
  }
}

bool CReportPrinting::Preview() {
  CPrintInfo info;
  if (!view_.OnPreparePrinting(info, true)) return false;
  const int pages = info.maxPage;
  auto* window = new CPreviewViewKor(
      &printer_, [this, pages](QPrinter* p) { PaintPages(p, 1, pages); },
      [this] { view_.PrintFromPreview(); }, window_);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->resize(900, 700);
  preview_ = window;
  QObject::connect(window, &QDialog::finished, window, [this] {
    // The preview's report run ends with its window.
    view_.OnEndPrinting(measure_.get(), nullptr);
    view_.OnEndPrintPreview();
  });
  if (modal)
    window->exec();
  else
    window->show();
  return true;
}
