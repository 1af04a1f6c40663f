// The Pedigree Chart printed on a Qt PDF printer: pdftotext finds every
// placed person on the page of his chart, the index page lists them all,
// and the fixed-position chart and the blank form (on letter paper and on a
// smaller page) print. With KORVANE_REPORT_KEEP set the PDFs are kept there,
// to look at their pages (pdftoppm).
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <fstream>
#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyFileInfo.h"
#include "IndividualRecord.h"
#include "LibreOffice.h"
#include "MultimediaChain.h"
#include "MultimediaItem.h"
#include "PedigreeChartGenerator.h"
#include "PedigreeRegistration.h"
#include "RecordAccess.h"
#include "ReportKindPdf.h"
#include "TempDir.h"
#include "TestPictures.h"

namespace {

// The pedigree kind with its own generator; the driver's generator is not used.
ReportKindUnderTest PedigreeKind(const rpt::PedigreeRunParameters& run,
                                 const rpt::PedigreeChartOptions& options,
                                 std::unique_ptr<rpt::CPedigreeChartGenerator>& generator) {
  generator = std::make_unique<rpt::CPedigreeChartGenerator>(run, options);
  rpt::CPedigreeChartGenerator* g = generator.get();
  ReportKindUnderTest kind;
  kind.paginate = [run, options](rpt::ReportDevice&) {
    return run.runType == rpt::PedigreeRunParameters::kBlankForm || options.fixedPositions
               ? 1
               : rpt::PaginatePedigreeChart(run, 60);
  };
  kind.setUpFonts = [g](CReportGenerator&, rpt::ReportDevice& dc) { g->BeginPrinting(dc); };
  kind.drawPage = [g](CReportGenerator&, rpt::ReportDevice& dc, int page) {
    g->DrawPage(dc, page);
  };
  kind.cleanup = [g] { g->EndPrinting(); };
  return kind;
}

// The text of each page of a PDF.
std::vector<std::string> PdfPages(const std::string& pdf) {
  return TextPages(PdfToText(pdf, false));
}

}  // namespace

class PedigreePdfTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    keep_ = qEnvironmentVariable("KORVANE_REPORT_KEEP").toStdString();
    if (keep_.empty()) keep_ = dir_.Path();
    if (keep_.back() != '/') keep_ += '/';
    const std::string family = dir_.Path() + "pedigree.fam";
    QCOMPARE(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    // A full pedigree of six generations: n is the child of 2n and 2n + 1.
    rins_.assign(64, 0);
    for (int n = 1; n < 64; ++n) {
      CIndividualRecord person;
      person.surname = "Lindqvist" + std::to_string(n);
      person.givenNames[0] = "Anna";
      person.sex = n % 2 == 0 || n == 1 ? 'M' : 'F';
      person.birth.date.Set(1950 - 25 * (31 - __builtin_clz(n)), 4, n % 28 + 1);
      person.birth.place[0] = "Vasa" + std::to_string(n);
      person.birth.place[3] = "Finland";
      rins_[n] = static_cast<std::int32_t>(family::Add(person, 0));
      QVERIFY(rins_[n] > 0);
    }
    for (int n = 1; 2 * n + 1 < 64; ++n) {
      const std::int32_t mrin = DbSetRelation(rins_[2 * n], rins_[2 * n + 1], db::kRelHusband, 0);
      QVERIFY(mrin > 0);
      QVERIFY(DbSetRelation(rins_[n], 0, db::kRelParents, mrin) > 0);
    }
    // The start person's wife, shown under him on his first chart.
    {
      CIndividualRecord wife;
      wife.surname = "Holm";
      wife.givenNames[0] = "Berit";
      wife.sex = 'F';
      const std::int32_t rin = static_cast<std::int32_t>(family::Add(wife, 0));
      QVERIFY(rin > 0);
      marriage_ = DbSetRelation(rins_[1], rin, db::kRelHusband, 0);
      QVERIFY(marriage_ > 0);
    }
    // Photos of the start person and two grandparents.
    for (int n : {1, 4, 7}) {
      const std::string path = dir_.Path() + "photo" + std::to_string(n) + ".png";
      QVERIFY(testpic::Quadrants(60, 80).save(QString::fromStdString(path)));
      auto item = std::make_unique<CMultimediaItem>();
      item->fileName = path;
      item->kind = CMultimediaItem::kPhoto;
      item->flags |= CMultimediaItem::kFlagDefault;
      QCOMPARE(DbSaveMultimediaChain(rins_[n], item.get(), db::kIndividual), 1);
    }
  }
  void cleanupTestCase() { DbCloseCurrent(); }

  void cascadingChartsAndIndexHoldTheirPersons() {
    rpt::PedigreeRunParameters run;
    run.runType = rpt::PedigreeRunParameters::kCascading;
    run.startPerson = rins_[1];
    run.generationsPerChart = 4;
    run.totalGenerations = 5;
    run.indexWanted = true;
    run.sameAsChart = 1;
    run.sameAsPosition = 1;
    rpt::PedigreeChartOptions options;
    options.photos = true;
    options.photoPlace = 0;
    options.photoWidth = 450;
    options.photoHeight = 600;
    options.showOrdinances = true;
    std::unique_ptr<rpt::CPedigreeChartGenerator> g;
    const std::string pdf = keep_ + "pedigree-charts.pdf";
    const int pages = PrintReportKindPdf(PedigreeKind(run, options, g), pdf, 600);
    // Chart 1, the charts 2 .. 9 of positions 8 .. 15, one index page.
    QCOMPARE(pages, 10);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::vector<std::string> text = PdfPages(pdf);
    QCOMPARE(text.size(), std::size_t{10});
    auto name = [](int n) { return "Anna Lindqvist" + std::to_string(n); };
    auto onPage = [&](int page, int n) {
      // The name, not a longer one that starts with it.
      const std::string& t = text[page - 1];
      const std::string s = name(n);
      for (std::size_t at = t.find(s); at != std::string::npos; at = t.find(s, at + 1))
        if (at + s.size() == t.size() ||
            !std::isdigit(static_cast<unsigned char>(t[at + s.size()])))
          return true;
      return false;
    };
    for (int n = 1; n <= 15; ++n) QVERIFY2(onPage(1, n), name(n).c_str());
    QVERIFY(!onPage(1, 16));
    for (int chart = 2; chart <= 9; ++chart) {
      const int root = chart + 6;
      for (int n : {root, 2 * root, 2 * root + 1})
        QVERIFY2(onPage(chart, n), (name(n) + " on chart " + std::to_string(chart)).c_str());
    }
    QVERIFY(text[9].find("Alphabetical Index") != std::string::npos);
    for (int n = 1; n <= 31; ++n) QVERIFY2(onPage(10, n), name(n).c_str());
  }

  // Five generations on one landscape page, too low for the last one's
  // boxes: split, every person is on the page.
  void splitLastGenerationOnALandscapePage() {
    rpt::PedigreeRunParameters run;
    run.runType = rpt::PedigreeRunParameters::kSingleChart;
    run.startPerson = rins_[1];
    run.generationsPerChart = 5;
    run.totalGenerations = 5;
    run.sameAsChart = 1;
    run.sameAsPosition = 1;
    rpt::PedigreeChartOptions options;
    options.split = true;
    options.suppressNumbers = true;
    const std::string pdf = keep_ + "pedigree-split.pdf";
    {
      QPrinter printer(QPrinter::HighResolution);
      SetUpPdfPrinter(printer, pdf, QPageSize(QPageSize::Letter));
      printer.setPageOrientation(QPageLayout::Landscape);
      fw::CQtReportDevice dc(&printer);
      dc.SetMapMode(rpt::MM_HIENGLISH);
      QCOMPARE(rpt::PaginatePedigreeChart(run, 60), 1);
      rpt::CPedigreeChartGenerator g(run, options);
      g.BeginPrinting(dc);
      QVERIFY(g.Split());
      g.DrawPage(dc, 1);
      g.EndPrinting();
    }
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::vector<std::string> text = PdfPages(pdf);
    QCOMPARE(text.size(), std::size_t{1});
    for (int n = 1; n <= 31; ++n)
      QVERIFY2(text[0].find("Anna Lindqvist" + std::to_string(n) + "\n") != std::string::npos,
               std::to_string(n).c_str());
  }

  // The charts with the default fonts on A4 and letter, with the "Prepared
  // by" block: four and five generations per chart fit without the space
  // message, also with the RINs and the ordinance letters shown; every
  // person of the first chart is on its page.
  void defaultFontsFitA4AndLetter() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    CFamilyFileInfo preparer;
    preparer.givenName = "Ada";
    preparer.surname = "Lindqvist";
    preparer.address1 = "Storgatan 12";
    preparer.address3 = "Vasa";
    preparer.country = "Finland";
    preparer.phone = "06 123 4567";
    struct Paper {
      const char* name;
      QPageSize size;
    } papers[] = {{"a4", QPageSize(QPageSize::A4)}, {"letter", QPageSize(QPageSize::Letter)}};
    struct Shown {
      const char* name;
      int appendVal, ordinances;
    } variants[] = {{"", 0, 0}, {"-rin-zel", 1, 1}};
    for (const Shown& shown : variants) {
      profile_.SetInt("Options", "AppendVal", shown.appendVal);
      profile_.SetInt("Options", "ShowZelRpt", shown.ordinances);
      for (const Paper& paper : papers) {
        for (int g : {4, 5, 6}) {
          rpt::PedigreeRunParameters run;
          run.runType = rpt::PedigreeRunParameters::kCascading;
          run.startPerson = rins_[1];
          run.marriage = marriage_;
          run.generationsPerChart = g;
          run.totalGenerations = 6;
          run.indexWanted = true;
          run.sameAsChart = 1;
          run.sameAsPosition = 1;
          run.firstContinuation = 2;
          rpt::PedigreeChartOptions options = rpt::PedigreeOptionsFromProfile();
          QCOMPARE(options.showOrdinances, shown.ordinances != 0);
          options.preparer = &preparer;
          std::unique_ptr<rpt::CPedigreeChartGenerator> generator;
          const std::string where = std::string(paper.name) + "-" + std::to_string(g) + shown.name;
          const std::string pdf = keep_ + "pedigree-" + where + ".pdf";
          boxes_.Clear();
          const int pages =
              PrintReportKindPdf(PedigreeKind(run, options, generator), pdf, 600, paper.size);
          QVERIFY(pages >= 2);
          if (g < 6) QVERIFY2(boxes_.Calls().empty(), where.c_str());
          const std::vector<std::string> text = PdfPages(pdf);
          QCOMPARE(text.size(), std::size_t(pages));
          // A name, not a longer one that starts with it.
          auto onFirstPage = [&](const std::string& name) {
            const std::string& t = text[0];
            for (std::size_t at = t.find(name); at != std::string::npos; at = t.find(name, at + 1))
              if (at + name.size() == t.size() ||
                  !std::isdigit(static_cast<unsigned char>(t[at + name.size()])))
                return true;
            return false;
          };
          QVERIFY2(onFirstPage("Berit Holm"), where.c_str());
          QVERIFY2(onFirstPage("Storgatan 12"), where.c_str());
          for (int n = 1; n < (1 << g); ++n) {
            const std::string name = "Anna Lindqvist" + std::to_string(n);
            QVERIFY2(onFirstPage(name), (where + " " + name).c_str());
          }
        }
      }
    }
    profile_.SetInt("Options", "AppendVal", 0);
    profile_.SetInt("Options", "ShowZelRpt", 0);
  }

  // Cascading charts with the "Prepared by" block written as RTF on A4 and
  // on letter: LibreOffice lays out every chart on a page of its own as
  // printed on that paper, the block at the bottom included.
  void rtfReadsLikeThePrintedCharts_data() { AddPaperRows(); }
  void rtfReadsLikeThePrintedCharts() {
    QFETCH(int, paper);
    if (!LibreOfficeInstalled()) QSKIP("LibreOffice or pdftotext is not installed");
    const QPageSize size(static_cast<QPageSize::PageSizeId>(paper));
    const std::string name = "pedigree-rtf-" + std::string(QTest::currentDataTag());
    CFamilyFileInfo preparer;
    preparer.givenName = "Ada";
    preparer.surname = "Lindqvist";
    preparer.address1 = "Storgatan 12";
    rpt::PedigreeRunParameters run;
    run.runType = rpt::PedigreeRunParameters::kCascading;
    run.startPerson = rins_[1];
    run.marriage = marriage_;
    run.generationsPerChart = 4;
    run.totalGenerations = 6;
    rpt::PedigreeChartOptions options = rpt::PedigreeOptionsFromProfile();
    options.preparer = &preparer;
    std::unique_ptr<rpt::CPedigreeChartGenerator> printing;
    const std::string printed = keep_ + name + "-printed.pdf";
    const int pages = PrintReportKindPdf(PedigreeKind(run, options, printing), printed, 600, size);
    QVERIFY(pages >= 2);

    const std::string rtf = keep_ + name + ".rtf";
    {
      plat::FakeShell shell;
      plat::ScopedShell scopedShell{&shell};
      fw::CQtReportDevice dc(600, QPageLayout(size, QPageLayout::Portrait, QMarginsF()));
      dc.SetMapMode(rpt::MM_HIENGLISH);
      QCOMPARE(rpt::PaginatePedigreeChart(run, 60), pages);
      rpt::CPedigreeChartGenerator g(run, options);
      g.SetRTFOutput(true);
      g.SetOutputFileName(rtf);
      g.BeginPrinting(dc);
      for (int page = 1; page <= pages; ++page) {
        dc.SetMapMode(rpt::MM_HIENGLISH);
        g.DrawPage(dc, page, page == pages);
      }
      CPrintInfo info;
      info.maxPage = pages;
      g.FinishRTFDocument(&dc, &info);
      g.EndPrinting();
    }
    QCOMPARE(ConvertWithLibreOffice({rtf}, "pdf", keep_ + "lo"), 0);
    const std::string read = keep_ + "lo/" + name + ".pdf";
    QVERIFY(PdfToText(read).find("Storgatan 12") != std::string::npos);
    const std::string differs = RtfPagesDifferFromPrinted(printed, read);
    QVERIFY2(differs.empty(), differs.c_str());
  }

  void fixedChartAndBlankForms() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    rpt::PedigreeRunParameters run;
    run.startPerson = rins_[1];
    rpt::PedigreeChartOptions vip;
    vip.fixedPositions = true;
    std::unique_ptr<rpt::CPedigreeChartGenerator> g;
    const std::string vipPdf = keep_ + "pedigree-vip.pdf";
    QCOMPARE(PrintReportKindPdf(PedigreeKind(run, vip, g), vipPdf, 600), 1);
    const std::vector<std::string> vipText = PdfPages(vipPdf);
    QCOMPARE(vipText.size(), std::size_t{1});
    // Persons 1 .. 7 whole; the last column's blocks (x 7850 to 9525) run
    // past a letter page's right edge.
    for (int n = 1; n <= 7; ++n)
      QVERIFY2(vipText[0].find("Anna Lindqvist" + std::to_string(n) + "\n") != std::string::npos,
               std::to_string(n).c_str());
    QVERIFY(vipText[0].find("Vasa7, Finland") != std::string::npos);
    QVERIFY(vipText[0].find("Vasa15") != std::string::npos);

    // The blank form on letter paper and scaled onto a smaller page.
    run.runType = rpt::PedigreeRunParameters::kBlankForm;
    rpt::PedigreeChartOptions form;
    form.showOrdinances = true;
    struct Paper {
      const char* file;
      QPageSize size;
    } papers[] = {{"pedigree-form-letter.pdf", QPageSize(QPageSize::Letter)},
                  {"pedigree-form-small.pdf", QPageSize(QSizeF(7.9, 9.0), QPageSize::Inch)}};
    for (const Paper& paper : papers) {
      const std::string pdf = keep_ + paper.file;
      {
        QPrinter printer(QPrinter::HighResolution);
        printer.setResolution(600);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        printer.setPageSize(paper.size);
        fw::CQtReportDevice dc(&printer);
        dc.SetMapMode(rpt::MM_HIENGLISH);
        rpt::CPedigreeChartGenerator generator(run, form);
        generator.BeginPrinting(dc);
        generator.DrawPage(dc, 1);
      }
      const std::vector<std::string> t = PdfPages(pdf);
      QCOMPARE(t.size(), std::size_t{1});
      for (const char* caption : {"Pedigree Chart", "Prepared by", "Date prepared", "Cont. on",
                                  "Circle the letters", "Family group record exists"})
        QVERIFY2(t[0].find(caption) != std::string::npos,
                 (std::string(paper.file) + caption).c_str());
    }
  }

 private:
  TempDir dir_;
  std::string keep_;
  std::vector<std::int32_t> rins_;
  std::int32_t marriage_ = 0;  // of the start person and his wife
  plat::FakeProfile profile_;
  plat::ScopedProfile scopedProfile_{&profile_};
  plat::FakeMessageBox boxes_;
  plat::ScopedMessageBox scopedBoxes_{&boxes_};
};

QTEST_MAIN(PedigreePdfTest)
#include "pedigree_pdf_qtest.moc"
