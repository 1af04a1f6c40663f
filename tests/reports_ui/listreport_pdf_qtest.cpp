// The list reports printed on a Qt PDF printer: pdftotext finds each page's
// "Page n of m" and its rows. With KORVANE_REPORT_KEEP set the PDF is kept
// there, to look at its pages (pdftoppm).
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <fstream>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "ListReports.h"
#include "QtReportDevice.h"
#include "RecordAccess.h"
#include "TempDir.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

}  // namespace

class ListReportPdfTest : public QObject {
  Q_OBJECT
 private slots:
  void placeListPagesHoldTheirRows() {
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile(&profile);
    TempDir dir;
    const QString keepEnv = qEnvironmentVariable("KORVANE_REPORT_KEEP");
    const std::string keep = keepEnv.isEmpty() ? dir.Path() : keepEnv.toStdString() + "/";
    const std::string family = dir.Path() + "places.fam";
    QCOMPARE(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    CIndividualRecord person;
    for (int i = 0; i < 60; ++i) {
      person.Clear();
      person.surname = "Walker" + std::to_string(100 + i);
      person.givenNames[0] = "Ruth";
      person.birth.date.Set(1850 + i, 3, 9);
      person.birth.place[0] = "Town" + std::to_string(10 + i % 20);
      person.birth.place[2] = "Ohio";
      person.birth.place[3] = "USA";
      QVERIFY(family::Add(person, 0) > 0);
    }
    const std::string pdf = keep + "placelist.pdf";
    int pages = 0;
    {
      QPrinter printer(QPrinter::HighResolution);
      printer.setResolution(600);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(pdf));
      printer.setPageSize(QPageSize(QPageSize::Letter));
      fw::CQtReportDevice dc(&printer);
      CPlaceListReport report;
      report.SetPaper(8500, 11000, true);
      CPrintInfo info;
      plat::FakeProgress progress;
      QCOMPARE(report.Paginate(&dc, &info, &progress), 1);
      pages = report.PageCount();
      for (int page = 1; page <= pages; ++page) {
        if (page > 1) printer.newPage();
        dc.SetMapMode(rpt::MM_HIENGLISH);
        info.currentPage = page;
        report.PrintPageOn(&dc, &info);
      }
    }
    DbCloseCurrent();
    QVERIFY(pages >= 2);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::string txt = keep + "placelist.txt";
    QCOMPARE(QProcess::execute("pdftotext", {"-layout", QString::fromStdString(pdf),
                                             QString::fromStdString(txt)}),
             0);
    const std::string text = ReadAll(txt);
    for (int page = 1; page <= pages; ++page) {
      const std::string pageText = "Page " + std::to_string(page) + " of " + std::to_string(pages);
      QVERIFY2(text.find(pageText) != std::string::npos, pageText.c_str());
    }
    QVERIFY(text.find("Place List") != std::string::npos);
    QVERIFY(text.find("USA, Ohio, , Town10") != std::string::npos);
    QVERIFY(text.find("WALKER100, Ruth") != std::string::npos ||
            text.find("Walker100, Ruth") != std::string::npos);
    // The last town's heading and rows are on the last page.
    const std::size_t lastPage = text.find("Page " + std::to_string(pages) + " of");
    QVERIFY(text.find("Town29", lastPage) != std::string::npos);
  }
};

QTEST_MAIN(ListReportPdfTest)
#include "listreport_pdf_qtest.moc"
