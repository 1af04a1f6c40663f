// The Ancestry and Descendants charts printed on a Qt PDF printer: a shaded
// standard Ancestry chart, a standard Descendants chart with generation
// numbers and places, and a wall chart of 3 x 2 tiles. pdftotext finds the
// names and the cross references. With KORVANE_REPORT_KEEP set the PDFs stay
// there, to look at their pages (pdftoppm, and montage for the tiles).
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <fstream>
#include <functional>

#include "ChartPages.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "LibreOffice.h"
#include "LongPlaces.h"
#include "QtReportDevice.h"
#include "RecordAccess.h"
#include "ReportKindPdf.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

std::int32_t Person(const std::string& given, const std::string& surname, char sex, int born,
                    int died, const std::string& town = "") {
  CIndividualRecord person;
  person.surname = surname;
  person.givenNames[0] = given;
  person.sex = sex;
  if (born != 0) person.birth.date.Set(born, 3, 9);
  if (died != 0) person.death.date.Set(died, 10, 2);
  if (!town.empty()) {
    person.birth.place[0] = town;
    person.birth.place[3] = "Ardel";
    if (died != 0) person.death.place[0] = town;
  }
  return static_cast<std::int32_t>(family::Add(person, 0));
}
std::int32_t Marry(std::int32_t husband, std::int32_t wife) {
  return DbSetRelation(husband, wife, db::kRelHusband, 0);
}
void Child(std::int32_t mrin, std::int32_t child) {
  Stored(DbSetRelation(child, 0, db::kRelParents, mrin), "child link");
}

// Draws every page of the chart on dc, with newPage between pages; answers
// the page count. In RTF mode the end writes the document.
int DrawChart(rpt::CChartPagesGenerator& g, fw::CQtReportDevice& dc, std::int32_t root,
              const std::function<void()>& newPage) {
  g.Measure(dc);
  int gens = 99, repeat = 0;
  const rpt::ChartPageOptions& o = g.Options();
  const int rowPages =
      o.ancestry
          ? rpt::PaginateAncestryChart(&gens, &repeat, root, g.FirstPageRows(), g.OtherPageRows())
          : rpt::PaginateDescendantsChart(&gens, &repeat, root, g.FirstPageRows(),
                                          g.OtherPageRows(), o.wallChart);
  if (rowPages <= 0) return 0;
  g.BeginChart(dc);
  const int pages =
      o.wallChart ? rowPages * rpt::WallChartTileColumns(gens, o.gensPerPage) : rowPages;
  for (int page = 1; page <= pages; ++page) {
    if (page > 1) newPage();
    g.DrawChartPage(dc, page, page == pages);
  }
  CPrintInfo info;
  info.maxPage = pages;
  g.EndChart(&dc, &info);
  return pages;
}

// Prints every page of the chart to pdf; answers the pages printed.
int PrintChart(rpt::CChartPagesGenerator& g, const std::string& pdf, std::int32_t root,
               const QPageLayout& layout) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setResolution(600);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdf));
  printer.setPageLayout(layout);
  fw::CQtReportDevice dc(&printer);
  return DrawChart(g, dc, root, [&] { printer.newPage(); });
}

std::string PdfText(const std::string& pdf) {
  const std::string txt = pdf.substr(0, pdf.size() - 4) + ".txt";
  if (QProcess::execute("pdftotext",
                        {"-layout", QString::fromStdString(pdf), QString::fromStdString(txt)}) != 0)
    return {};
  return ReadAll(txt);
}

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

}  // namespace

class ChartsPdfTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    const QString keepEnv = qEnvironmentVariable("KORVANE_REPORT_KEEP");
    keep_ = keepEnv.isEmpty() ? dir_.Path() : keepEnv.toStdString() + "/";
    const std::string family = dir_.Path() + "charts.fam";
    QCOMPARE(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    // Kevin's parents Frank and Helen are first cousins.
    zed_ = Person("Zebulon", "Ashdown", 'M', 1820, 1890, "Brenwick");
    const std::int32_t yve = Person("Yvette", "Young", 'F', 1822, 1899, "Olvan");
    arthur_ = Person("Arthur", "Ashdown", 'M', 1850, 1920, "Brenwick");
    Child(Marry(zed_, yve), arthur_);
    const std::int32_t beatrice = Person("Beatrice", "Bell", 'F', 1853, 1931, "Olvan");
    const std::int32_t grand = Marry(arthur_, beatrice);
    const std::int32_t charles = Person("Charles", "Ashdown", 'M', 1875, 1940, "Brenwick");
    const std::int32_t diana = Person("Diana", "Ashdown", 'F', 1878, 1950, "Brenwick");
    Child(grand, charles);
    Child(grand, diana);
    const std::int32_t edith = Person("Edith", "Evans", 'F', 1877, 1944, "Wynd");
    const std::int32_t george = Person("George", "Grant", 'M', 1874, 1939, "Wynd");
    const std::int32_t frank = Person("Frank", "Ashdown", 'M', 1902, 1975, "Brenwick");
    const std::int32_t helen = Person("Helen", "Grant", 'F', 1905, 1988, "Wynd");
    Child(Marry(charles, edith), frank);
    Child(Marry(george, diana), helen);
    kevin_ = Person("Kevin", "Ashdown", 'M', 1930, 0, "Brenwick");
    Child(Marry(frank, helen), kevin_);
    // A line of fathers back to the seventh generation, with a full
    // pedigree behind the first four: 3 tile columns, 2 tile rows on A4.
    tilesRoot_ = Person("Root", "Tiles", 'M', 1990, 0);
    std::vector<std::int32_t> level{tilesRoot_};
    for (int g = 2; g <= 5; ++g) {
      std::vector<std::int32_t> next;
      for (std::size_t i = 0; i < level.size(); ++i) {
        const std::int32_t f = Person("F" + std::to_string(g) + "x" + std::to_string(i), "Tiles",
                                      'M', 2000 - 25 * g, 0);
        const std::int32_t m = Person("M" + std::to_string(g) + "x" + std::to_string(i), "Tiles",
                                      'F', 2000 - 25 * g, 0);
        Child(Marry(f, m), level[i]);
        next.push_back(f);
        next.push_back(m);
      }
      level = next;
    }
    std::int32_t line = level.front();
    for (int g = 6; g <= 7; ++g) {
      const std::int32_t f = Person("Far" + std::to_string(g), "Tiles", 'M', 2000 - 25 * g, 0);
      Child(Marry(f, Person("Mor" + std::to_string(g), "Tiles", 'F', 2000 - 25 * g, 0)), line);
      line = f;
    }
  }
  void cleanupTestCase() { DbCloseCurrent(); }

  void shadedStandardAncestryChart() {
    plat::FakeProfile profile;
    plat::ScopedProfile scoped(&profile);
    rpt::ChartPageOptions o = rpt::ReadChartPageOptions(true);
    o.shading = true;
    o.printGens = true;
    rpt::CChartPagesGenerator g(true, o);
    const std::string pdf = keep_ + "ancestry-standard.pdf";
    QCOMPARE(PrintChart(g, pdf, kevin_, PortraitLetter()), 1);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::string text = PdfText(pdf);
    QVERIFY(text.find("Ancestors of Kevin Ashdown") != std::string::npos);
    for (const char* name : {"Zebulon Ashdown", "Kevin Ashdown", "Helen Grant", "Edith Evans"})
      QVERIFY2(text.find(name) != std::string::npos, name);
    QCOMPARE(Count(text, "Arthur Ashdown"), 2);
    QCOMPARE(Count(text, "** Printed on Page 1 **"), 2);  // Arthur and Beatrice again
  }

  void standardDescendantsChartWithGenerationsAndPlaces() {
    plat::FakeProfile profile;
    plat::ScopedProfile scoped(&profile);
    rpt::ChartPageOptions o = rpt::ReadChartPageOptions(false);
    o.birthPlace = o.deathPlace = true;
    QVERIFY(o.printGens);
    rpt::CChartPagesGenerator g(false, o);
    const std::string pdf = keep_ + "descendants-standard.pdf";
    QCOMPARE(PrintChart(g, pdf, zed_, PortraitLetter()), 1);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::string text = PdfText(pdf);
    QVERIFY(text.find("Descendants of Zebulon Ashdown") != std::string::npos);
    QVERIFY(text.find("1. Zebulon Ashdown") != std::string::npos);
    QVERIFY(text.find("5. Kevin Ashdown") != std::string::npos);
    QVERIFY(text.find("b.1850 Brenwick, Ardel") != std::string::npos);
    QVERIFY(text.find("sp: Beatrice Bell") != std::string::npos);
    QCOMPARE(Count(text, "Kevin Ashdown"), 2);
    QCOMPARE(Count(text, "** Printed on Page 1 **"), 1);
  }

  // The standard charts in portrait and the wall charts in landscape, as RTF
  // on A4 and on letter, with places (the standard ones over more than one
  // page): LibreOffice lays out each page as it was printed on that paper.
  void chartsAsRtf_data() {
    QTest::addColumn<bool>("ancestry");
    QTest::addColumn<bool>("wall");
    QTest::addColumn<int>("paper");
    for (const bool wall : {false, true})
      for (const bool ancestry : {true, false})
        for (const auto& [tag, paper] :
             {std::pair{"letter", QPageSize::Letter}, std::pair{"a4", QPageSize::A4}}) {
          const std::string name =
              std::string(ancestry ? "ancestry-" : "descendants-") + (wall ? "wall-" : "") + tag;
          QTest::newRow(name.c_str()) << ancestry << wall << int(paper);
        }
  }
  void chartsAsRtf() {
    QFETCH(bool, ancestry);
    QFETCH(bool, wall);
    QFETCH(int, paper);
    if (!LibreOfficeInstalled()) QSKIP("LibreOffice or pdftotext is not installed");
    const QPageLayout layout(QPageSize(static_cast<QPageSize::PageSizeId>(paper)),
                             wall ? QPageLayout::Landscape : QPageLayout::Portrait, {});
    plat::FakeProfile profile;
    plat::ScopedProfile scoped(&profile);
    plat::FakeShell shell;
    plat::ScopedShell scopedShell{&shell};
    rpt::ChartPageOptions o = rpt::ReadChartPageOptions(ancestry);
    std::int32_t root = ancestry ? kevin_ : zed_;
    if (wall) {
      o.wallChart = true;
      o.wall.box = true;
      o.wall.birth = o.wall.dateAndPlace = true;
      if (ancestry) {
        // The tiled pedigree: more than one tile across and down.
        o.gensPerPage = o.wall.gensPerPage = 3;
        root = tilesRoot_;
      } else {
        o.gensPerPage = o.wall.gensPerPage = 5;
      }
    } else {
      o.birthPlace = o.deathPlace = true;
    }
    const std::string name = QTest::currentDataTag();
    rpt::CChartPagesGenerator printing(ancestry, o);
    const int pages = PrintChart(printing, keep_ + name + "-printed.pdf", root, layout);
    QVERIFY(pages >= 1);
    rpt::CChartPagesGenerator g(ancestry, o);
    g.SetRTFOutput(true);
    g.SetOutputFileName(keep_ + name + ".rtf");
    fw::CQtReportDevice dc(600, layout);
    QCOMPARE(DrawChart(g, dc, root, [] {}), pages);
    QCOMPARE(ConvertWithLibreOffice({keep_ + name + ".rtf"}, "pdf", keep_ + "lo"), 0);
    const std::string differs =
        RtfPagesDifferFromPrinted(keep_ + name + "-printed.pdf", keep_ + "lo/" + name + ".pdf");
    QVERIFY2(differs.empty(), (name + ": " + differs).c_str());
  }

  // Rows whose places are longer than the page is wide end at the right
  // margin, printed and in LibreOffice, on A4 and on letter.
  void longPlacesStayInsideTheMargin() {
    if (!LibreOfficeInstalled()) QSKIP("LibreOffice or pdftotext is not installed");
    const std::int32_t root = Person("Wilhelmina", "Longplace", 'F', 1800, 1870);
    std::int32_t parent = root;
    for (int g = 0; g < 4; ++g) {
      const std::int32_t spouse = Person("Spouse" + std::to_string(g), "Farfield", 'M', 1798, 1880);
      const std::int32_t child =
          Person("Child" + std::to_string(g), "Longplace", 'F', 1830 + 25 * g, 1900 + 25 * g);
      Child(Marry(spouse, parent), child);
      parent = child;
    }
    QCOMPARE(GiveLongPlaces(root, parent), 0);
    plat::FakeProfile profile;
    plat::ScopedProfile scoped(&profile);
    plat::FakeShell shell;
    plat::ScopedShell scopedShell{&shell};
    for (const bool ancestry : {true, false})
      for (const auto& [tag, paper] :
           {std::pair{"letter", QPageSize::Letter}, std::pair{"a4", QPageSize::A4}}) {
        const std::string name =
            std::string(ancestry ? "long-ancestry-" : "long-descendants-") + tag;
        const QPageLayout layout(QPageSize(paper), QPageLayout::Portrait, {});
        rpt::ChartPageOptions o = rpt::ReadChartPageOptions(ancestry);
        o.birthPlace = o.deathPlace = true;
        o.dateType = 2;
        const std::int32_t start = ancestry ? parent : root;
        rpt::CChartPagesGenerator printing(ancestry, o);
        QVERIFY(PrintChart(printing, keep_ + name + "-printed.pdf", start, layout) >= 1);
        rpt::CChartPagesGenerator g(ancestry, o);
        g.SetRTFOutput(true);
        g.SetOutputFileName(keep_ + name + ".rtf");
        fw::CQtReportDevice dc(600, layout);
        QVERIFY(DrawChart(g, dc, start, [] {}) >= 1);
        QCOMPARE(ConvertWithLibreOffice({keep_ + name + ".rtf"}, "pdf", keep_ + "lo"), 0);
        for (const std::string& pdf :
             {keep_ + name + "-printed.pdf", keep_ + "lo/" + name + ".pdf"}) {
          bool placed = false;
          for (const PdfPageWords& page : ReadPdfWords(pdf)) {
            const double margin = page.width - o.standardMargins.right * 72.0 / 1000;
            for (std::size_t i = 0; i < page.words.size(); ++i) {
              // Within a twenty-fourth of an inch: the two measure a little
              // differently; a row that runs on ends far past.
              QVERIFY2(page.rights[i] <= margin + 3,
                       (pdf + ": " + page.words[i].first + " ends at " +
                        std::to_string(page.rights[i]) + " of " + std::to_string(margin))
                           .c_str());
              for (const char* part : {"Middlewick", "Worcestershire", "Kingdom"})
                placed = placed || page.words[i].first.find(part) != std::string::npos;
            }
          }
          QVERIFY2(placed, pdf.c_str());
        }
      }
  }

  void wallChartOfThreeByTwoTiles() {
    plat::FakeProfile profile;
    plat::ScopedProfile scoped(&profile);
    rpt::ChartPageOptions o = rpt::ReadChartPageOptions(true);
    o.wallChart = true;
    o.gensPerPage = o.wall.gensPerPage = 3;
    o.wall.box = true;
    o.wall.boxCorner = 1;
    o.wall.boxShadow = true;
    o.boxShade = true;
    o.wall.birth = o.wall.dateAndPlace = true;
    rpt::CChartPagesGenerator g(true, o);
    const std::string pdf = keep_ + "ancestry-wall.pdf";
    const int pages = PrintChart(g, pdf, tilesRoot_,
                                 QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, {}));
    QCOMPARE(pages, 6);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::string text = PdfText(pdf);
    for (const char* label :
         {"Tile (1, 1)", "Tile (2, 1)", "Tile (3, 1)", "Tile (1, 2)", "Tile (2, 2)", "Tile (3, 2)"})
      QVERIFY2(text.find(label) != std::string::npos, label);
    for (const char* name : {"Root Tiles", "F5x0 Tiles", "M5x7 Tiles", "Far7 Tiles", "Mor7 Tiles"})
      QVERIFY2(text.find(name) != std::string::npos, name);
    QVERIFY(text.find("7th") != std::string::npos);
  }

  void descendantsWallChart() {
    plat::FakeProfile profile;
    plat::ScopedProfile scoped(&profile);
    rpt::ChartPageOptions o = rpt::ReadChartPageOptions(false);
    o.wallChart = true;
    o.gensPerPage = o.wall.gensPerPage = 5;
    o.wall.box = true;
    o.wall.birth = o.wall.death = o.wall.date = true;
    rpt::CChartPagesGenerator g(false, o);
    const std::string pdf = keep_ + "descendants-wall.pdf";
    QCOMPARE(PrintChart(g, pdf, zed_,
                        QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, {})),
             1);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::string text = PdfText(pdf);
    for (const char* name : {"Zebulon Ashdown", "Yvette Young", "Charles Ashdown", "Helen Grant"})
      QVERIFY2(text.find(name) != std::string::npos, name);
    QCOMPARE(Count(text, "(*Already Printed*)"), 1);  // Kevin under Helen
  }

 private:
  static QPageLayout PortraitLetter() {
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, {});
  }
  TempDir dir_;
  std::string keep_;
  std::int32_t zed_ = 0, arthur_ = 0, kevin_ = 0, tilesRoot_ = 0;
};

QTEST_MAIN(ChartsPdfTest)
#include "charts_pdf_qtest.moc"
