// The list reports printed on a Qt PDF printer: pdftotext finds each page's
// "Page n of m" and its rows. Each list is also written as RTF on letter and
// on A4 and read back by LibreOffice against its printed pages. With
// KORVANE_REPORT_KEEP set the files are kept there, to look at their pages
// (pdftoppm).
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <memory>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "LibreOffice.h"
#include "ListReports.h"
#include "QtReportDevice.h"
#include "RecordAccess.h"
#include "ReportKindPdf.h"
#include "ReportKinds.h"
#include "ReportPrintSetup.h"
#include "SourceRecord.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

std::unique_ptr<CListReport> MakeList(int kind, std::int32_t source) {
  switch (kind) {
    case rpt::kPlacesList:
      return std::make_unique<CPlaceListReport>();
    case rpt::kNotesList:
      return std::make_unique<CIndividualNotesListReport>();
    case rpt::kSourcesList:
      return std::make_unique<CSourceListReport>();
    default:
      return std::make_unique<CSourceCitationsListReport>(source);
  }
}

// Lays out report on dc for paper with the kind's margins; the page count.
int PaginateList(CListReport& report, rpt::ReportDevice& dc, const QPageSize& paper,
                 CPrintInfo& info) {
  const QSizeF inches = paper.size(QPageSize::Inch);
  report.SetPaper(qRound(inches.width() * 1000), qRound(inches.height() * 1000), true);
  report.SetMargins(rpt::ReportMarginsOf(report.Kind()));
  plat::FakeProgress progress;
  dc.SetMapMode(rpt::MM_HIENGLISH);
  return report.Paginate(&dc, &info, &progress) == 1 ? report.PageCount() : 0;
}

void PrintListPages(CListReport& report, rpt::ReportDevice& dc, CPrintInfo& info,
                    const std::function<void()>& newPage) {
  report.BeginPrinting(&dc, &info);
  for (int page = 1; page <= report.PageCount(); ++page) {
    if (page > 1) newPage();
    dc.SetMapMode(rpt::MM_HIENGLISH);
    info.currentPage = page;
    report.PrintPageOn(&dc, &info);
  }
}

// A list written as one flowing RTF text, which the word processor pages
// under the header, read by LibreOffice (rtfPdf) against the list printed on
// the same paper (printedPdf): every page of the same size, with the title
// and its own page number, no line past the bottom margin, and the words of
// the printed rows (below the top margin) all there in their order.
// Each of the headings (blanks left out) comes once, as there are no pages
// in the flowing text to repeat it on. Answers what differs, "" when
// nothing does.
std::string FlowingListDiffers(const std::string& printedPdf, const std::string& rtfPdf,
                               const std::string& title, const rpt::Rect& margins,
                               const std::vector<std::string>& headings) {
  // pdftotext gives words by text blocks (a column at a time): put them in
  // line order, the words of one line as they came.
  auto inLines = [](std::vector<PdfPageWords> pages) {
    for (PdfPageWords& page : pages)
      std::stable_sort(page.words.begin(), page.words.end(), [](const auto& a, const auto& b) {
        return std::lround(a.second) < std::lround(b.second);
      });
    return pages;
  };
  const std::vector<PdfPageWords> printed = inLines(ReadPdfWords(printedPdf));
  const std::vector<PdfPageWords> read = inLines(ReadPdfWords(rtfPdf));
  if (printed.empty() || read.empty()) return "no pages";
  auto runTogether = [](const PdfPageWords& page) {
    std::string text;
    for (const auto& word : page.words) text += word.first;
    return text;
  };
  std::string out, all;
  std::string titleWords = title;
  std::erase(titleWords, ' ');
  for (std::size_t n = 0; n < read.size(); ++n) {
    const PdfPageWords& page = read[n];
    const std::string where = "page " + std::to_string(n + 1);
    if (std::abs(page.width - printed[0].width) > 2 ||
        std::abs(page.height - printed[0].height) > 2)
      out += where + " is " + std::to_string(page.width) + " by " + std::to_string(page.height) +
             " points; ";
    if (page.Lowest() > page.height - margins.bottom * 72.0 / 1000 + 2)
      out += where + " ends at " + std::to_string(page.Lowest()) + " points; ";
    const std::string text = runTogether(page);
    if (text.find(titleWords) == std::string::npos) out += where + " has no title; ";
    if (text.find("Page" + std::to_string(n + 1)) == std::string::npos)
      out += where + " has no page number; ";
    all += text;
  }
  for (const std::string& heading : headings) {
    int times = 0;
    for (auto at = all.find(heading); at != std::string::npos; at = all.find(heading, at + 1))
      ++times;
    if (times != 1) out += heading + " shown " + std::to_string(times) + " times; ";
  }
  std::size_t at = 0;
  for (const PdfPageWords& page : printed)
    for (const auto& [word, bottom] : page.words) {
      if (bottom <= margins.top * 72.0 / 1000) continue;  // the page header
      // A printed page repeats a heading that the flowing text has once.
      if (std::any_of(headings.begin(), headings.end(),
                      [&](const std::string& h) { return h.find(word) != std::string::npos; }))
        continue;
      const std::size_t found = all.find(word, at);
      if (found == std::string::npos) return out + word + " missing or out of order";
      at = found + word.size();
    }
  return out;
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

  // Each list written as RTF on letter and on A4 with its margins reads back
  // in LibreOffice with the rows printed on that paper.
  void rtfReadsLikeThePrintedPages_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("paper");
    QTest::addColumn<QString>("title");
    const struct {
      const char* name;
      int kind;
      const char* title;
    } kinds[] = {{"places", rpt::kPlacesList, "Place List"},
                 {"notes", rpt::kNotesList, "Individuals with Notes"},
                 {"sources", rpt::kSourcesList, "Source List"},
                 {"citations", rpt::kCitationsList, "Citations Referencing a Source"}};
    for (const auto& k : kinds) {
      QTest::newRow((std::string(k.name) + "-letter").c_str())
          << k.kind << int(QPageSize::Letter) << k.title;
      QTest::newRow((std::string(k.name) + "-a4").c_str())
          << k.kind << int(QPageSize::A4) << k.title;
    }
  }
  void rtfReadsLikeThePrintedPages() {
    QFETCH(int, kind);
    QFETCH(int, paper);
    QFETCH(QString, title);
    if (!LibreOfficeInstalled()) QSKIP("LibreOffice or pdftotext is not installed");
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile(&profile);
    plat::FakeShell shell;
    plat::ScopedShell scopedShell{&shell};
    TempDir dir;
    const QString keepEnv = qEnvironmentVariable("KORVANE_REPORT_KEEP");
    const std::string keep = keepEnv.isEmpty() ? dir.Path() : keepEnv.toStdString() + "/";
    const std::string family = dir.Path() + "lists.fam";
    QCOMPARE(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    struct Closer {
      ~Closer() { DbCloseCurrent(); }
    } closer;
    const std::int32_t source = AddListRecords();
    const QPageSize size(static_cast<QPageSize::PageSizeId>(paper));
    const std::string name = QTest::currentDataTag();
    int pages = 0;
    {
      QPrinter printer(QPrinter::HighResolution);
      SetUpPdfPrinter(printer, keep + name + "-printed.pdf", size);
      printer.setFullPage(true);
      fw::CQtReportDevice dc(&printer);
      auto report = MakeList(kind, source);
      CPrintInfo info;
      pages = PaginateList(*report, dc, size, info);
      PrintListPages(*report, dc, info, [&] { printer.newPage(); });
    }
    QVERIFY(pages >= 1);
    {
      fw::CQtReportDevice dc(600, QPageLayout(size, QPageLayout::Portrait, QMarginsF()));
      auto report = MakeList(kind, source);
      report->SetRTFOutput(true);
      report->SetOutputFileName(keep + name + ".rtf");
      CPrintInfo info;
      QCOMPARE(PaginateList(*report, dc, size, info), pages);
      PrintListPages(*report, dc, info, [] {});
      report->EndPrinting(&dc, &info);
    }
    QCOMPARE(ConvertWithLibreOffice({keep + name + ".rtf"}, "pdf", keep + "lo"), 0);
    // Each town's heading once, also the one whose rows a printed page
    // break splits.
    std::vector<std::string> headings;
    if (kind == rpt::kPlacesList)
      for (int town = 0; town < 10; ++town) headings.push_back("USA,,,Town" + std::to_string(town));
    const std::string differs =
        FlowingListDiffers(keep + name + "-printed.pdf", keep + "lo/" + name + ".pdf",
                           title.toStdString(), rpt::ReportMarginsOf(kind), headings);
    QVERIFY2(differs.empty(), (name + ": " + differs).c_str());
  }

 private:
  // Seventy people born in ten towns, each with notes and a citation of the
  // register; forty more sources with authors. Answers the register.
  static std::int32_t AddListRecords() {
    CSourceRecord registerSource;
    registerSource.title = "Parish Register of Saint Mary";
    registerSource.author = "Vicar of Saint Mary";
    const std::int32_t source = DbAddRecord(db::kSource, 0, &registerSource);
    for (int i = 0; i < 40; ++i) {
      CSourceRecord other;
      other.title = "Land records of lot " + std::to_string(100 + i);
      other.author = "Clerk " + std::to_string(i);
      Stored(DbAddRecord(db::kSource, 0, &other), "record");
    }
    for (int i = 0; i < 70; ++i) {
      CIndividualRecord person;
      person.surname = "Reed" + std::to_string(10 + i);
      person.givenNames[0] = "Rose";
      person.birth.date.Set(1850 + i, 3, 9);
      person.birth.place[0] = "Town" + std::to_string(i % 10);
      person.birth.place[3] = "USA";
      const auto rin = static_cast<std::int32_t>(family::Add(person, 0));
      Stored(DbSetNotes(rin, "Plain paragraph of notes for Rose.", 0, 0, db::kIndividual), "notes");
      CCitationRecord citation;
      citation.sourceRin = source;
      citation.ownerLetter = db::kOwnerIndividual;
      citation.ownerNumber = rin;
      citation.pageText = "folio " + std::to_string(i + 1);
      Stored(DbAddRecord(db::kCitation, 0, &citation), "record");
    }
    return source;
  }
};

QTEST_MAIN(ListReportPdfTest)
#include "listreport_pdf_qtest.moc"
