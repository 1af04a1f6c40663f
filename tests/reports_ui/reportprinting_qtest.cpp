// Running a report on Qt: the progress window and its owner, a test report
// printed through the print loop to PDF (pages in the chosen order, read
// back with pdftotext), and the preview window with its toolbar. With
// KORVANE_SHOTS=<folder> the PDF, its page pictures and pictures of the
// windows are kept there for looking at.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CodePage.h"
#include "FakePorts.h"
#include "PreviewViewKor.h"
#include "ReportJob.h"
#include "ReportPrintDialog.h"
#include "ReportPrintSetup.h"
#include "ReportPrinting.h"
#include "ReportProgressDialog.h"
#include "TempDir.h"

namespace {

bool OnPath(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}
int Shell(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str());
}
std::string Shots() {
  const char* folder = std::getenv("KORVANE_SHOTS");
  return folder != nullptr ? folder : "";
}
std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

constexpr int kTestKind = rpt::kUnlinkedList;
constexpr int kTestPages = 3;

// A report of numbered pages: a framed title, a rule and the printed-by line.
class TestPagesGenerator : public CReportPageGenerator {
 public:
  void BeginPrinting(rpt::ReportDevice*, CPrintInfo*) override { ++begins; }
  int PrintPage(CReportJob& job, CPrintInfo* info) override {
    rpt::ReportDevice* dc = job.DC();
    dc->SelectFont({-300, 700, false, false, "Times New Roman"});
    const std::string title = "Korvane test report page " + std::to_string(info->currentPage) +
                              " of " + std::to_string(info->maxPage);
    dc->SelectPen({rpt::PS_SOLID, 20, 0});
    RectangleXY(dc, 400, -400, 7600, -900);  // filled: drawn before its text
    TextOutString(dc, 500, -500, title);
    MoveTo(dc, 400, -1200);
    LineTo(dc, 7600, -1200);
    dc->SelectFont({-140, 400, false, false, "Arial"});
    for (int line = 0; line < 10; ++line)
      TextOutString(
          dc, 600, -1400 - line * 200,
          "Line " + std::to_string(line + 1) + " of page " + std::to_string(info->currentPage));
    job.DrawPrintedByLine(dc, 500, -9800);
    return 1;
  }
  void EndPrinting(rpt::ReportDevice*, CPrintInfo*) override { ++ends; }
  static inline int begins = 0;
  static inline int ends = 0;
};

}  // namespace

class ReportPrintingTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    rpt::CurrentReportRequest() = {};
    rpt::CurrentReportRunState() = {};
    rpt::RegisterReportGenerator(rpt::GeneratorClass::kUnlinked, [](const rpt::GeneratorArgs&) {
      return std::unique_ptr<CReportPageGenerator>(new TestPagesGenerator);
    });
    rpt::RegisterReportPaginator(
        kTestKind, [](const rpt::PaginateArgs&) { return kTestPages; }, [] {});
  }
  void cleanup() {
    rpt::RegisterReportGenerator(rpt::GeneratorClass::kUnlinked, nullptr);
    rpt::RegisterReportPaginator(kTestKind, nullptr, nullptr);
  }

  void progressDisablesItsOwnerWhileOpen() {
    QWidget owner;
    owner.show();
    {
      CReportProgressDialog progress("Printing report");
      QVERIFY(progress.Create(&owner));
      QVERIFY(!owner.isEnabled());
      progress.SetRange(0, 4);
      progress.SetStep(1);
      progress.StepIt();
      auto* percent = qobject_cast<QLabel*>(progress.GetControl(CReportProgressDialog::kIdPercent));
      auto* bar =
          qobject_cast<QProgressBar*>(progress.GetControl(CReportProgressDialog::kIdProgress));
      QVERIFY(percent && bar);
      QCOMPARE(percent->text(), QString("25%"));
      QCOMPARE(bar->value(), 1);
      QCOMPARE(progress.windowTitle(), QString("Printing report"));
      auto* cancel =
          qobject_cast<QPushButton*>(progress.GetControl(CReportProgressDialog::kIdCancel));
      QVERIFY(cancel);
      cancel->click();
      cancel->click();
      QVERIFY(progress.CheckCancel());
      QVERIFY(!progress.CheckCancel());
      if (!Shots().empty()) progress.grab().save(QString::fromStdString(Shots() + "/progress.png"));
    }
    QVERIFY(owner.isEnabled());
  }

  // The caption is code-page text and shows as typed.
  void progressCaptionShowsANameWhole() {
    for (const char* utf8 : {"Łukasiewicz", "Müller"}) {
      CReportProgressDialog progress(plat::Utf8ToAnsi(utf8));
      QVERIFY(progress.Create(nullptr));
      QCOMPARE(progress.windowTitle(), QString::fromUtf8(utf8));
    }
  }

  void ownerEnabledAgainWhenCreateFails() {
    struct Failing : CReportProgressDialog {
      Failing() : CReportProgressDialog("Saving report") {}
      bool CreateWindow() override { return false; }
    };
    QWidget owner;
    owner.show();
    Failing progress;
    QVERIFY(!progress.Create(&owner));
    QVERIFY(owner.isEnabled());

    QWidget disabled;
    disabled.setEnabled(false);
    {
      CReportProgressDialog other("Saving report");
      QVERIFY(other.Create(&disabled));
    }
    QVERIFY(!disabled.isEnabled());  // not ours to enable
  }

  void preparingPagesWindowMovesForwardOnly() {
    CPreparingPagesDialog dialog(nullptr);
    dialog.SetCaption(7088);
    dialog.SetRange(0, 100);
    dialog.AdvanceProgress(40);
    dialog.AdvanceProgress(10);
    dialog.SetPageCount(12);
    auto* bar = qobject_cast<QProgressBar*>(dialog.GetControl(CPreparingPagesDialog::kIdProgress));
    auto* status = qobject_cast<QLabel*>(dialog.GetControl(CPreparingPagesDialog::kIdStatus));
    QVERIFY(bar && status);
    QCOMPARE(bar->value(), 40);
    QCOMPARE(status->text(), QString("# Pages 12"));
    QCOMPARE(dialog.windowTitle(), QString("Family Group Record"));
    QVERIFY(!dialog.Cancelled());
    qobject_cast<QPushButton*>(dialog.GetControl(CPreparingPagesDialog::kIdCancel))->click();
    QVERIFY(dialog.Cancelled());
    dialog.show();
    if (!Shots().empty()) dialog.grab().save(QString::fromStdString(Shots() + "/preparing.png"));
  }

  void printDialogKeepsTheRunsPrinter() {
    for (bool hide : {true, false}) {
      QPrinter printer(QPrinter::HighResolution);
      CReportPrintDialog dialog(&printer, 7, hide);
      QVERIFY(!dialog.testOption(QAbstractPrintDialog::PrintSelection));
      QCOMPARE(dialog.testOption(QAbstractPrintDialog::PrintToFile), !hide);
      QCOMPARE(dialog.maxPage(), 7);
      QCOMPARE(dialog.minPage(), 1);
      dialog.open();
      QApplication::processEvents();
      auto* printers = dialog.findChild<QComboBox*>("printers");
      QVERIFY(printers);
      QVERIFY(!printers->isEnabled());
      auto* properties = dialog.findChild<QPushButton*>("properties");
      QVERIFY(!properties || !properties->isVisible());
      if (!Shots().empty() && hide)
        dialog.grab().save(QString::fromStdString(Shots() + "/printdialog.png"));
      dialog.reject();
    }
  }

  void testReportPrintsToPdfInTheChosenOrder() {
    TempDir dir;
    const std::string keep = Shots().empty() ? dir.Path() : Shots();
    const std::string pdf = keep + "/testreport.pdf";
    std::filesystem::remove(pdf);
    QWidget window;
    window.setWindowTitle("family");
    CReportPrinting printing(&window);
    printing.Printer().setOutputFormat(QPrinter::PdfFormat);
    printing.Printer().setOutputFileName(QString::fromStdString(pdf));
    printing.onTitle = [&](const QString& t) {
      window.setWindowTitle(t);
    };
    printing.familyTitle = [] { return std::string("family"); };
    int dialogs = 0;
    printing.printDialog = [&](QPrinter&, CPrintInfo& info, int&, int&) {
      ++dialogs;
      return info.maxPage == kTestPages;
    };
    TestPagesGenerator::begins = TestPagesGenerator::ends = 0;
    printing.View().Setup().SetReportKind(kTestKind);
    QCOMPARE(printing.Print(), 0);
    QCOMPARE(dialogs, 1);
    QCOMPARE(TestPagesGenerator::begins, 1);
    QCOMPARE(TestPagesGenerator::ends, 1);
    QCOMPARE(window.windowTitle(), QString("family"));
    QVERIFY(window.isEnabled());
    QVERIFY(std::filesystem::exists(pdf));
    QVERIFY(printing.View().Setup().Job() == nullptr);

    if (!OnPath("pdftotext")) QSKIP("pdftotext is not installed");
    QCOMPARE(Shell("pdftotext -layout '" + pdf + "' '" + keep + "/testreport.txt'"), 0);
    const std::string text = ReadAll(keep + "/testreport.txt");
    const auto p1 = text.find("Korvane test report page 1 of 3");
    const auto p2 = text.find("Korvane test report page 2 of 3");
    const auto p3 = text.find("Korvane test report page 3 of 3");
    QVERIFY(p1 != std::string::npos && p2 != std::string::npos && p3 != std::string::npos);
    QVERIFY(p1 < p2 && p2 < p3);
    QVERIFY(text.find("Printed by Korvane") != std::string::npos);
    QVERIFY(text.find("Line 10 of page 3") != std::string::npos);
    QCOMPARE(std::count(text.begin(), text.end(), '\f'), 3L);
    if (!Shots().empty()) Shell("pdftoppm -r 40 -png '" + pdf + "' '" + keep + "/testreport'");
  }

  void backwardRangePrintsPagesDescending() {
    TempDir dir;
    const std::string pdf = dir.Path() + "/backwards.pdf";
    QWidget window;
    CReportPrinting printing(&window);
    printing.Printer().setOutputFormat(QPrinter::PdfFormat);
    printing.Printer().setOutputFileName(QString::fromStdString(pdf));
    // The dialog's range entered backwards: from 3 to 2.
    printing.printDialog = [](QPrinter&, CPrintInfo&, int& from, int& to) {
      from = 3;
      to = 2;
      return true;
    };
    printing.View().Setup().SetReportKind(kTestKind);
    QCOMPARE(printing.Print(), 0);
    if (!OnPath("pdftotext")) QSKIP("pdftotext is not installed");
    QCOMPARE(Shell("pdftotext '" + pdf + "' '" + dir.Path() + "/b.txt'"), 0);
    const std::string text = ReadAll(dir.Path() + "/b.txt");
    const auto p3 = text.find("page 3 of 3");
    const auto p2 = text.find("page 2 of 3");
    QVERIFY(p3 != std::string::npos && p2 != std::string::npos);
    QVERIFY(p3 < p2);
    QVERIFY(text.find("page 1 of 3") == std::string::npos);
  }

  void previewShowsThePagesAndItsToolbar() {
    QWidget window;
    window.setWindowTitle("family");
    CReportPrinting printing(&window);
    printing.modal = false;
    printing.onTitle = [&](const QString& t) {
      window.setWindowTitle(t);
    };
    printing.familyTitle = [] { return std::string("family"); };
    int sheetReopened = 0;
    printing.reopenSheet = [&] { ++sheetReopened; };
    rpt::CurrentReportRunState().printState = 2;  // started from the report sheet
    printing.View().Setup().SetReportKind(kTestKind);
    printing.View().Setup().AttachRtfOutput(true);  // a preview never writes RTF
    QVERIFY(printing.Preview());
    CPreviewViewKor* preview = printing.PreviewWindow();
    QVERIFY(preview);
    QCOMPARE(window.windowTitle(), QString("Unlinked Individuals"));
    QVERIFY(!printing.View().Setup().Job()->RTFOutput());
    for (const char* name : {"print", "next", "previous", "twoPage", "zoomIn", "zoomOut", "close"})
      QVERIFY2(preview->Action(name) != nullptr, name);
    QTRY_COMPARE(preview->Preview()->pageCount(), kTestPages);
    QVERIFY(preview->Action("next")->isEnabled());
    QVERIFY(!preview->Action("previous")->isEnabled());
    const QPixmap one = preview->grab();
    preview->SetTwoPages(true);
    QCOMPARE(preview->Preview()->viewMode(), QPrintPreviewWidget::FacingPagesView);
    QApplication::processEvents();
    const QPixmap two = preview->grab();
    if (!Shots().empty()) {
      one.save(QString::fromStdString(Shots() + "/preview.png"));
      two.save(QString::fromStdString(Shots() + "/preview-two.png"));
    }
    preview->Action("close")->trigger();
    QApplication::processEvents();
    QCOMPARE(rpt::CurrentReportRunState().printState, 6);
    QCOMPARE(sheetReopened, 1);
    QVERIFY(printing.View().Setup().Job() == nullptr);
    QCOMPARE(window.windowTitle(), QString("family"));
  }

  void printFromPreviewReusesThePages() {
    TempDir dir;
    const std::string pdf = dir.Path() + "/frompreview.pdf";
    QWidget window;
    CReportPrinting printing(&window);
    printing.modal = false;
    printing.Printer().setOutputFormat(QPrinter::PdfFormat);
    printing.Printer().setOutputFileName(QString::fromStdString(pdf));
    int paginations = 0;
    rpt::RegisterReportPaginator(
        kTestKind, [&](const rpt::PaginateArgs&) { return ++paginations, kTestPages; }, [] {});
    int dialogs = 0;
    printing.printDialog = [&](QPrinter&, CPrintInfo& info, int&, int&) {
      ++dialogs;
      return info.maxPage == kTestPages;
    };
    printing.View().Setup().SetReportKind(kTestKind);
    QVERIFY(printing.Preview());
    QCOMPARE(paginations, 1);
    printing.PreviewWindow()->Action("print")->trigger();
    QApplication::processEvents();
    QCOMPARE(paginations, 1);
    QCOMPARE(dialogs, 1);  // the preview itself asks nothing
    QCOMPARE(rpt::CurrentReportRunState().printState, 5);
    QVERIFY(std::filesystem::exists(pdf));
  }
};

QTEST_MAIN(ReportPrintingTest)
#include "reportprinting_qtest.moc"
