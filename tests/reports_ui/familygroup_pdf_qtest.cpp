// The Family Group Record printed on a Qt PDF printer in each layout, and
// written as RTF and printed by LibreOffice: pdftotext finds the names,
// "Page 2 of n" and "Prepared by" in both, page for page.
// With KORVANE_REPORT_KEEP set the PDFs and RTF are kept there, to look at
// their pages (pdftoppm).
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <fstream>

#include "ChartBox.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyGroupFamily.h"
#include "FamilyGroupGenerator.h"
#include "FamilyGroupKind.h"
#include "FamilyGroupRun.h"
#include "LibreOffice.h"
#include "QtReportDevice.h"
#include "ReportKindPdf.h"
#include "TempDir.h"

namespace {

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Paginates on dc and draws every page: newPage between pages (printer
// runs) or an RTF page end. Answers the page count.
int PrintRecord(rpt::ReportDevice& dc, const rpt::FamilyGroupOptions& o,
                const rpt::ReportRequest& request, rpt::CFamilyGroupGenerator& generator,
                const std::function<void()>& betweenPages) {
  dc.SetMapMode(rpt::MM_HIENGLISH);
  int pages = 3;
  if (o.type != 2) {
    rpt::PrintableArea area;
    rpt::GetPrintableMargins(dc, o.pageLM, o.pageTM, o.pageRM, o.pageBM, area, false);
    rpt::HeadlessPaginatorWindow window;
    pages = rpt::PaginateFamilyGroupRecord(
        rpt::FamilyGroupRunArgsFrom(request, o, dc, area.width, area.height), o, window);
  }
  generator.SetUp(dc);
  for (int page = 1; page <= pages; ++page) {
    if (page > 1) betweenPages();
    dc.SetMapMode(rpt::MM_HIENGLISH);
    generator.DrawPage(dc, page);
  }
  return pages;
}

}  // namespace

class FamilyGroupPdfTest : public QObject {
  Q_OBJECT
 private:
  plat::FakeProfile profile_;
  TempDir dir_;
  std::string keep_;
  FamilyGroupFamily family_;

  rpt::ReportRequest Request() const {
    rpt::ReportRequest request;
    request.startRin = family_.husband;
    request.familyMrin = family_.family;
    return request;
  }

  int PrintPdf(const rpt::FamilyGroupOptions& o, const std::string& pdf,
               QPageSize::PageSizeId paper = QPageSize::Letter) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, pdf, QPageSize(paper));
    fw::CQtReportDevice dc(&printer);
    rpt::CFamilyGroupGenerator generator(o, {family_.husband, 1});
    const int pages = PrintRecord(dc, o, Request(), generator, [&] { printer.newPage(); });
    rpt::CleanupFamilyGroupPages();
    return pages;
  }

  std::string PdfText(const std::string& pdf) {
    const std::string txt = pdf + ".txt";
    if (QProcess::execute("pdftotext", {"-layout", QString::fromStdString(pdf),
                                        QString::fromStdString(txt)}) != 0)
      return {};
    return ReadAll(txt);
  }

 private slots:
  void initTestCase() {
    plat::SetProfilePort(&profile_);
    const QString keepEnv = qEnvironmentVariable("KORVANE_REPORT_KEEP");
    keep_ = keepEnv.isEmpty() ? dir_.Path() : keepEnv.toStdString() + "/";
    const std::string file = dir_.Path() + "fgr.fam";
    QCOMPARE(DbCreate(file, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
    family_ = BuildFamilyGroupFamily();
    QVERIFY(family_.family > 0 && family_.children.size() == 9);
  }
  void cleanupTestCase() {
    DbCloseCurrent();
    plat::SetProfilePort(nullptr);
  }

  void eachLayoutPrintsNamesPagesAndPreparer_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<bool>("zel");
    QTest::addColumn<bool>("photos");
    QTest::newRow("expanded") << 0 << false << false;
    QTest::newRow("medium zel") << 1 << true << false;
    QTest::newRow("condensed photos") << 2 << false << true;
  }
  void eachLayoutPrintsNamesPagesAndPreparer() {
    QFETCH(int, layout);
    QFETCH(bool, zel);
    QFETCH(bool, photos);
    rpt::FamilyGroupOptions o;
    o.layout = layout;
    o.showZel = zel;
    o.photoOpt = photos;
    o.sourceNotes = 3;
    o.otherMarr = true;
    o.otherEvents = true;
    const std::string pdf = keep_ + "fgr-layout" + std::to_string(layout) + ".pdf";
    const int pages = PrintPdf(o, pdf);
    QVERIFY(pages >= 3);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::string text = PdfText(pdf);
    QCOMPARE(Count(text, "\f"), pages);
    for (const char* part :
         {"Family Group Record", "Harold Hart", "Wendy Wood", "Child9 Hart", "Prepared by",
          "Children", "Sources", "Notes", "Page 1 of ", "Page 2 of ", "Olive Oak", "Frank Hart"})
      QVERIFY2(text.find(part) != std::string::npos, part);
    const std::string last = "Page " + std::to_string(pages) + " of " + std::to_string(pages);
    QVERIFY2(text.find(last) != std::string::npos, last.c_str());
  }

  void blankFormHasThreePages() {
    rpt::FamilyGroupOptions o;
    o.type = 2;
    const std::string pdf = keep_ + "fgr-blank.pdf";
    QCOMPARE(PrintPdf(o, pdf), 3);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::string text = PdfText(pdf);
    QCOMPARE(Count(text, "\f"), 3);
    for (const char* part :
         {"Prepared by", "Given name(s)", "Other marriages", "Notes and sources of information"})
      QVERIFY2(text.find(part) != std::string::npos, part);
  }

  // Written as RTF on A4 and on letter, LibreOffice lays out the pages as
  // they were printed on that paper: each page's words, the footer's
  // "Page n of m" at its bottom included, on the same page.
  void rtfReadsLikeThePrintedPages_data() { AddPaperRows(); }
  void rtfReadsLikeThePrintedPages() {
    QFETCH(int, paper);
    if (!LibreOfficeInstalled()) QSKIP("LibreOffice or pdftotext is not installed");
    const auto size = static_cast<QPageSize::PageSizeId>(paper);
    const std::string name = "fgr-" + std::string(QTest::currentDataTag());
    rpt::FamilyGroupOptions o;
    o.sourceNotes = 3;
    const int printed = PrintPdf(o, keep_ + name + "-printed.pdf", size);
    const std::string rtf = keep_ + name + ".rtf";
    plat::FakeShell shell;
    plat::ScopedPortT<plat::ShellPort, plat::SetShellPort> scopedShell(&shell);
    fw::CQtReportDevice dc(600, QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF()));
    rpt::CFamilyGroupGenerator generator(o, {family_.husband, 1});
    generator.SetRTFOutput(true);
    generator.SetOutputFileName(rtf);
    const int pages = PrintRecord(dc, o, Request(), generator, [&] { generator.EndRTFPage(); });
    QVERIFY(pages >= 3);
    QCOMPARE(pages, printed);
    CPrintInfo info;
    info.maxPage = pages;
    generator.FinishRTFDocument(&dc, &info);
    rpt::CleanupFamilyGroupPages();
    const std::string out = keep_ + name + "-rtf";
    QCOMPARE(ConvertWithLibreOffice({rtf}, "pdf", out), 0);
    const std::string text = PdfText(out + "/" + name + ".pdf");
    for (const char* part : {"Family Group Record", "Harold Hart", "Wendy Wood", "Child9 Hart",
                             "Prepared by", "Harold paragraph 1 sentence 1", "Page 2 of "})
      QVERIFY2(text.find(part) != std::string::npos, part);
    QCOMPARE(Count(text, "\f"), pages);
    const std::string differs =
        RtfPagesDifferFromPrinted(keep_ + name + "-printed.pdf", out + "/" + name + ".pdf");
    QVERIFY2(differs.empty(), differs.c_str());
  }
};

QTEST_MAIN(FamilyGroupPdfTest)
#include "familygroup_pdf_qtest.moc"
