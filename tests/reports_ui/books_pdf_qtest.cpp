// The Ahnentafel and the Modified Register printed on a Qt PDF printer:
// pdftotext finds each person's number and name on the page the book's index
// gives. With KORVANE_REPORT_KEEP set the PDFs are kept there, to look at
// their pages (pdftoppm).
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <regex>

#include "BookKinds.h"
#include "BookPagination.h"
#include "BookReportGenerator.h"
#include "ChartBox.h"
#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "LibreOffice.h"
#include "QtReportDevice.h"
#include "RecordAccess.h"
#include "ReportKindPdf.h"
#include "SourceRecord.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

std::int32_t Person(const std::string& given, const std::string& surname, char sex, int born) {
  CIndividualRecord p;
  p.givenNames[0] = given;
  p.surname = surname;
  p.sex = sex;
  p.birth.date.Set(born, 4, 2);
  p.birth.place[0] = "Ashbourne";
  return static_cast<std::int32_t>(family::Add(p, 0));
}

// Four generations of ancestors above the start person, each with notes and
// a cited birth; a line of descendants below the oldest couple.
std::int32_t BuildFamily(std::vector<std::int32_t>& everyone) {
  CSourceRecord source;
  source.title = "Parish Register of Saint Oswald";
  const std::int32_t register_ = DbAddRecord(db::kSource, 0, &source);
  const char* surnames[] = {"Harrington", "Whitfield", "Osborne",  "Kendrick", "Pemberton",
                            "Ashcroft",   "Blackwood", "Carrow",   "Dunmore",  "Ellery",
                            "Fairbairn",  "Gresham",   "Holloway", "Ingram",   "Jessop"};
  std::vector<std::int32_t> level{Person("Eleanor", "Harrington", 'F', 1950)};
  everyone = level;
  int next = 1;
  for (int generation = 2; generation <= 4; ++generation) {
    std::vector<std::int32_t> parents;
    for (std::int32_t child : level) {
      const std::int32_t father =
          Person("Thomas", surnames[next++ % 15], 'M', 1950 - 28 * generation);
      const std::int32_t mother =
          Person("Mary", surnames[next++ % 15], 'F', 1952 - 28 * generation);
      const std::int32_t mrin = DbSetRelation(father, mother, db::kRelHusband, 0);
      Stored(DbSetRelation(child, 0, db::kRelParents, mrin), "link");
      parents.push_back(father);
      parents.push_back(mother);
    }
    level = parents;
    everyone.insert(everyone.end(), parents.begin(), parents.end());
  }
  for (std::int32_t rin : everyone) {
    std::string notes;
    for (int p = 0; p < 3; ++p)
      notes +=
          "A paragraph of family notes, told by a cousin and written down in the "
          "parish book, long enough to wrap over several lines.\r\n\r\n";
    Stored(DbSetNotes(rin, notes, 0, 0, db::kIndividual), "notes");
    CCitationRecord c;
    c.sourceRin = register_;
    c.ownerLetter = db::kOwnerBirth;
    c.ownerNumber = rin;
    c.pageText = "folio " + std::to_string(rin);
    Stored(DbAddRecord(db::kCitation, 0, &c), "record");
  }
  return everyone.front();
}

// People with long lives: born, died and buried in named places, with two
// paragraphs of notes each and a cited birth, so that their narratives run
// over many full lines.
class LongLives {
 public:
  std::int32_t Add(const std::string& surname, char sex, int born) {
    const char* towns[] = {"Ashbourne",    "Wirksworth", "Matlock Bath", "Bakewell",
                           "Chesterfield", "Belper",     "Cromford",     "Hartington"};
    const char* given[] = {"William", "Elizabeth", "Jonathan", "Margaret", "Frederick", "Harriet"};
    CIndividualRecord p;
    p.givenNames[0] = given[next_ % 6];
    p.givenNames[1] = given[(next_ + 3) % 6];
    p.surname = surname;
    p.sex = sex;
    p.birth.date.Set(born, 1 + next_ % 12, 1 + next_ % 28);
    p.birth.place[0] = towns[next_ % 8];
    p.birth.place[1] = "High Peak";
    p.birth.place[2] = "Derbyshire";
    p.birth.place[3] = "England";
    p.death.date.Set(born + 61 + next_ % 17, 1 + (next_ + 5) % 12, 1 + (next_ + 9) % 28);
    p.death.place[0] = towns[(next_ + 3) % 8];
    p.death.place[2] = "Derbyshire";
    p.burial.date = p.death.date;
    p.burial.place[0] = towns[(next_ + 3) % 8];
    ++next_;
    const auto rin = static_cast<std::int32_t>(family::Add(p, 0));
    std::string notes;
    for (int paragraph = 0; paragraph < 2; ++paragraph)
      notes +=
          "Remembered by the family as a careful keeper of the accounts of the farm and of the "
          "chapel, who wrote the names of every child into the front of the old bible.\r\n\r\n";
    Stored(DbSetNotes(rin, notes, 0, 0, db::kIndividual), "notes");
    if (source_ == 0) {
      CSourceRecord source;
      source.title = "Parish Registers of the Wirksworth Hundred, Baptisms and Burials";
      source_ = DbAddRecord(db::kSource, 0, &source);
    }
    CCitationRecord c;
    c.sourceRin = source_;
    c.ownerLetter = db::kOwnerBirth;
    c.ownerNumber = rin;
    c.pageText = "volume " + std::to_string(rin % 7 + 1) + ", folio " + std::to_string(rin);
    Stored(DbAddRecord(db::kCitation, 0, &c), "record");
    return rin;
  }

 private:
  int next_ = 0;
  std::int32_t source_ = 0;
};

// Four generations of descendants of one couple, each child with a spouse
// and three children of his own. Answers the couple's husband.
std::int32_t BuildDescendants(LongLives& lives) {
  const std::int32_t root = lives.Add("Harrington", 'M', 1800);
  std::vector<std::int32_t> level{root};
  for (int generation = 1; generation <= 3; ++generation) {
    std::vector<std::int32_t> children;
    for (std::int32_t parent : level) {
      const bool male = DbGetSex(parent) == 'M';
      const std::int32_t spouse =
          lives.Add(male ? "Whitfield" : "Osborne", male ? 'F' : 'M', 1800 + 28 * (generation - 1));
      const std::int32_t mrin = male ? DbSetRelation(parent, spouse, db::kRelHusband, 0)
                                     : DbSetRelation(spouse, parent, db::kRelHusband, 0);
      for (int c = 0; c < 3; ++c) {
        const std::int32_t child =
            lives.Add(male ? "Harrington" : "Osborne", c % 2 == 0 ? 'M' : 'F',
                      1800 + 28 * generation + 2 * c);
        Stored(DbSetRelation(child, 0, db::kRelParents, mrin), "link");
        children.push_back(child);
      }
    }
    level = children;
  }
  return root;
}

// Five generations of ancestors: both parents of everyone above the start.
// Answers the start person.
std::int32_t BuildAncestors(LongLives& lives) {
  const std::int32_t start = lives.Add("Kendrick", 'M', 1950);
  std::vector<std::int32_t> level{start};
  for (int generation = 1; generation <= 4; ++generation) {
    std::vector<std::int32_t> parents;
    for (std::int32_t child : level) {
      const std::int32_t father = lives.Add("Kendrick", 'M', 1950 - 28 * generation);
      const std::int32_t mother = lives.Add("Pemberton", 'F', 1952 - 28 * generation);
      Stored(DbSetRelation(child, 0, db::kRelParents,
                           DbSetRelation(father, mother, db::kRelHusband, 0)),
             "link");
      parents.push_back(father);
      parents.push_back(mother);
    }
    level = parents;
  }
  return start;
}

// Pages of a PDF as pdftotext counts them.
int PdfPages(const std::string& pdf) { return static_cast<int>(ReadPdfWords(pdf).size()); }

}  // namespace

class BooksPdfTest : public QObject {
  Q_OBJECT
 private:
  // Prints the book; fills page -> text and checks every index entry.
  void PrintAndCheck(bool modifiedRegister, std::int32_t start, const std::string& pdf,
                     std::size_t persons) {
    int pages = 0;
    struct Expected {
      std::string number, given, surname;
      int page;
    };
    std::vector<Expected> expected;
    {
      QPrinter printer(QPrinter::HighResolution);
      printer.setResolution(600);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(pdf));
      printer.setPageSize(QPageSize(QPageSize::Letter));
      fw::CQtReportDevice dc(&printer);
      dc.SetMapMode(rpt::MM_HIENGLISH);
      rpt::PrintableArea area;
      rpt::GetPrintableMargins(dc, 1000, 1000, 1000, 1000, area, false);
      pages = rpt::PaginateBookKind(modifiedRegister, &dc, area.width, area.height, start);
      QVERIFY(pages > 2);
      CBookReportGenerator g(modifiedRegister);
      g.BeginPrinting(&dc, nullptr);
      CPrintInfo info;
      for (int page = 1; page <= pages; ++page) {
        if (page > 1) printer.newPage();
        dc.SetMapMode(rpt::MM_HIENGLISH);
        info.currentPage = page;
        QCOMPARE(g.DrawPage(&dc, &info), 1);
      }
      // What the index says: every listed person's number and page.
      const rpt::BookRun& run = rpt::CurrentBook();
      rpt::BookIndexEntry e;
      for (std::uint32_t n = 0; rpt::GetBookIndexEntry(n, e); ++n) {
        CIndividualRecord person;
        QCOMPARE(DbGetRecord(e.payload1, db::kIndividual, &person), 1);
        std::uint32_t number = 0;
        int page = 0;
        if (modifiedRegister) {
          const auto& listing = run.listings.at({e.payload3, e.payload2});
          if (listing.spouse) continue;  // shown in the spouse's paragraph by name only
          number = listing.number;
          page = run.blockPage[listing.block];
        } else {
          const rpt::BookPerson* p = rpt::GetBookPerson(e.payload3);
          number = p->number;
          page = p->page;
        }
        expected.push_back({std::to_string(number), person.givenNames[0], person.surname, page});
      }
      rpt::CleanupBookPages();
    }
    QCOMPARE(expected.size(), persons);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    for (const Expected& x : expected) {
      const std::string txt = pdf + "." + std::to_string(x.page) + ".txt";
      QCOMPARE(QProcess::execute("pdftotext",
                                 {"-f", QString::number(x.page), "-l", QString::number(x.page),
                                  QString::fromStdString(pdf), QString::fromStdString(txt)}),
               0);
      const std::string text = ReadAll(txt);
      // The number as a whole number ("12." before a paragraph, "12" in a
      // children list).
      const std::regex number("(^|[^0-9])" + x.number + "([^0-9]|$)");
      QVERIFY2(std::regex_search(text, number),
               (x.number + " on page " + std::to_string(x.page)).c_str());
      QVERIFY2(text.find(x.surname) != std::string::npos,
               (x.surname + " on page " + std::to_string(x.page)).c_str());
    }
  }

 private slots:
  void indexPagesMatchThePrintedPages() {
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile(&profile);
    profile.SetInt("BkRpt", "OtherNotes", 1);
    profile.SetInt("BkRpt", "EmbedNotes", 0);
    profile.SetInt("BkRpt", "SourceNotes", 1);
    profile.SetInt("BkRpt", "EndChap", 0);
    profile.SetInt("BkRpt", "Index", 1);
    profile.SetInt("BkRpt", "PhotoOpt", 1);
    profile.SetInt("BkRpt", "PhotoRsrv", 1);
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes(&boxes);
    TempDir dir;
    const QString keepEnv = qEnvironmentVariable("KORVANE_REPORT_KEEP");
    const std::string keep = keepEnv.isEmpty() ? dir.Path() : keepEnv.toStdString() + "/";
    const std::string family = dir.Path() + "books.fam";
    QCOMPARE(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    std::vector<std::int32_t> everyone;
    const std::int32_t start = BuildFamily(everyone);
    PrintAndCheck(false, start, keep + "ahnentafel.pdf", 15);
    profile.SetInt("BkRpt", "PhotoPlace", 1);
    profile.SetInt("BkRpt", "EndChap", 1);
    // The oldest father: his line of four generations down to the start. A
    // carried child is listed under its parents and again with its own
    // paragraph: 1 + 2 x 2 + 1 listings.
    PrintAndCheck(true, everyone.back() - 1, keep + "register.pdf", 6);
    DbCloseCurrent();
    QVERIFY(boxes.Calls().empty());
  }

  // Each book printed and saved as RTF on the same paper: LibreOffice lays
  // the RTF out on as many pages as the print, give or take one, so it
  // neither leaves words on lines of their own nor runs a page over.
  void rtfTakesThePagesOfThePrint_data() {
    QTest::addColumn<bool>("modifiedRegister");
    QTest::addColumn<int>("paper");
    QTest::addColumn<bool>("appendix");  // notes and sources in appendices
    for (const bool modifiedRegister : {true, false})
      for (const auto& [tag, paper] :
           {std::pair{"letter", QPageSize::Letter}, std::pair{"a4", QPageSize::A4}}) {
        const std::string name = std::string(modifiedRegister ? "register-" : "ahnentafel-") + tag;
        QTest::newRow(name.c_str()) << modifiedRegister << int(paper) << false;
        // The appendices once for each book, on the other paper for each.
        if (modifiedRegister == (paper == QPageSize::A4))
          QTest::newRow((name + "-appendix").c_str()) << modifiedRegister << int(paper) << true;
      }
  }
  void rtfTakesThePagesOfThePrint() {
    QFETCH(bool, modifiedRegister);
    QFETCH(int, paper);
    QFETCH(bool, appendix);
    if (!LibreOfficeInstalled()) QSKIP("LibreOffice or pdftotext is not installed");
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile(&profile);
    profile.SetInt("BkRpt", "OtherNotes", 1);
    profile.SetInt("BkRpt", "EmbedNotes", appendix ? 0 : 1);
    profile.SetInt("BkRpt", "SourceNotes", appendix ? 1 : 0);
    profile.SetInt("BkRpt", "Index", 1);
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes(&boxes);
    plat::FakeShell shell;
    plat::ScopedShell scopedShell{&shell};
    TempDir dir;
    const QString keepEnv = qEnvironmentVariable("KORVANE_REPORT_KEEP");
    const std::string keep = keepEnv.isEmpty() ? dir.Path() : keepEnv.toStdString() + "/";
    const std::string family = dir.Path() + "descendants.fam";
    QCOMPARE(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    LongLives lives;
    const std::int32_t start = modifiedRegister ? BuildDescendants(lives) : BuildAncestors(lives);
    const QPageLayout layout(QPageSize(static_cast<QPageSize::PageSizeId>(paper)),
                             QPageLayout::Portrait, {});
    const std::string name = QTest::currentDataTag();
    const std::string printed = keep + name + "-printed.pdf";
    int pages = 0;
    {
      QPrinter printer(QPrinter::HighResolution);
      SetUpPdfPrinter(printer, printed, layout.pageSize());
      fw::CQtReportDevice dc(&printer);
      pages = PrintBook(
          modifiedRegister, dc, start, [&] { printer.newPage(); }, "");
    }
    QVERIFY2(pages > 4, std::to_string(pages).c_str());
    {
      fw::CQtReportDevice dc(600, layout);
      QCOMPARE(PrintBook(
                   modifiedRegister, dc, start, [] {}, keep + name + ".rtf"),
               pages);
    }
    DbCloseCurrent();
    QCOMPARE(ConvertWithLibreOffice({keep + name + ".rtf"}, "pdf", keep + "lo"), 0);
    QCOMPARE(PdfPages(printed), pages);
    const int read = PdfPages(keep + "lo/" + name + ".pdf");
    QVERIFY2(std::abs(read - pages) <= 1,
             (name + ": " + std::to_string(pages) + " pages printed, " + std::to_string(read) +
              " in LibreOffice")
                 .c_str());
  }

 private:
  // Lays the book out on dc and draws every page, newPage between pages; with
  // an rtf path the drawing is the RTF document, written there at the end.
  // Answers the page count.
  static int PrintBook(bool modifiedRegister, fw::CQtReportDevice& dc, std::int32_t start,
                       const std::function<void()>& newPage, const std::string& rtf) {
    dc.SetMapMode(rpt::MM_HIENGLISH);
    rpt::PrintableArea area;
    rpt::GetPrintableMargins(dc, 1000, 1000, 1000, 1000, area, false);
    const int pages = rpt::PaginateBookKind(modifiedRegister, &dc, area.width, area.height, start);
    if (pages <= 0) return 0;
    CBookReportGenerator g(modifiedRegister);
    if (!rtf.empty()) {
      g.SetRTFOutput(true);
      g.SetOutputFileName(rtf);
    }
    g.BeginPrinting(&dc, nullptr);
    CPrintInfo info;
    info.maxPage = pages;
    for (int page = 1; page <= pages; ++page) {
      if (page > 1) newPage();
      dc.SetMapMode(rpt::MM_HIENGLISH);
      info.currentPage = page;
      if (g.DrawPage(&dc, &info) != 1) return 0;
    }
    g.EndPrinting(&dc, &info);
    return pages;
  }
};

QTEST_MAIN(BooksPdfTest)
#include "books_pdf_qtest.moc"
