// The Individual Summary and the Family Ordinance Summary printed on a Qt
// PDF printer and written as RTF: pdftotext finds each page's texts, and
// LibreOffice reads the same words from the RTF. With KORVANE_REPORT_KEEP
// set the files are kept there, to look at their pages (pdftoppm).
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <fstream>
#include <functional>

#include "BitSet.h"
#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyOrdinanceSummary.h"
#include "IndividualRecord.h"
#include "IndividualSummaryGenerator.h"
#include "LibreOffice.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "MultimediaItem.h"
#include "QtReportDevice.h"
#include "RecordAccess.h"
#include "ReportKindPdf.h"
#include "SourceRecord.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

std::string PdfPageText(const std::string& pdf, int page) {
  const std::string txt = pdf + "." + std::to_string(page) + ".txt";
  QProcess::execute("pdftotext",
                    {"-layout", "-f", QString::number(page), "-l", QString::number(page),
                     QString::fromStdString(pdf), QString::fromStdString(txt)});
  return ReadAll(txt);
}

std::int32_t AddPerson(const std::string& given, const std::string& surname, char sex, int born) {
  CIndividualRecord person;
  person.givenNames[0] = given;
  person.surname = surname;
  person.sex = sex;
  person.birth.date.Set(born, 4, 12);
  person.birth.place[0] = "Halifax";
  person.birth.place[3] = "England";
  person.death.date.Set(born + 70, 9, 3);
  person.baptism.date.Set(born + 8, 6, 1);
  person.baptism.templeCode = "LOGAN";
  return static_cast<std::int32_t>(family::Add(person, 0));
}

std::int32_t Marry(std::int32_t husband, std::int32_t wife) {
  return DbSetRelation(husband, wife, db::kRelHusband, 0);
}

void Child(std::int32_t mrin, std::int32_t child) {
  Stored(DbSetRelation(child, 0, db::kRelParents, mrin), "link");
}

struct Family {
  std::int32_t root = 0, second = 0, third = 0;
};

// Four generations above Roger, his wife and children, notes and sources.
Family Build(const std::string& folder) {
  Family f;
  f.root = AddPerson("Roger", "Holroyd", 'M', 1880);
  const std::int32_t wife = AddPerson("Mary", "Sutcliffe", 'F', 1882);
  const std::int32_t m = Marry(f.root, wife);
  CMarriageRecord marriage;
  if (family::Read(marriage, m) == 1) {
    marriage.marriage.date.Set(1904, 6, 2);
    marriage.marriage.place[0] = "Hallstad church";
    Stored(family::Update(marriage, 0), "record");
  }
  for (const char* child : {"Alice", "Bertram", "Cecily"})
    Child(m, AddPerson(child, "Holroyd", 'F', 1905));
  std::int32_t person = f.root;
  for (int g = 1; g < 5; ++g) {
    const std::int32_t father =
        AddPerson("Father" + std::to_string(g), "Holroyd", 'M', 1880 - 30 * g);
    const std::int32_t mother =
        AddPerson("Mother" + std::to_string(g), "Crowther", 'F', 1882 - 30 * g);
    Child(Marry(father, mother), person);
    person = father;
  }
  std::string notes;
  for (int p = 0; p < 6; ++p) {
    for (int i = 0; i < 25; ++i) notes += "Roger worked the <I>Calder</I> mills all his life. ";
    notes += "\r\n\r\n";
  }
  Stored(DbSetNotes(f.root, notes, 0, 0, db::kIndividual), "notes");
  CSourceRecord source;
  source.title = "Halifax Parish Register";
  const std::int32_t s = DbAddRecord(db::kSource, 0, &source);
  CCitationRecord citation;
  citation.sourceRin = s;
  citation.ownerLetter = db::kOwnerBirth;
  citation.ownerNumber = f.root;
  citation.pageText = "folio 17";
  Stored(DbAddRecord(db::kCitation, 0, &citation), "record");
  // A photo of Roger.
  QImage image(200, 300, QImage::Format_RGB32);
  image.fill(QColor(120, 140, 200));
  const std::string photo = folder + "roger.png";
  image.save(QString::fromStdString(photo));
  auto item = std::make_unique<CMultimediaItem>();
  item->fileName = photo;
  item->kind = CMultimediaItem::kPhoto;
  item->flags |= CMultimediaItem::kFlagDefault;
  CMultimediaList list = std::move(item);
  if (DbSaveMultimediaChain(f.root, list.get(), db::kIndividual) != 1)
    QTest::qFail("the picture was not saved", __FILE__, __LINE__);
  f.second = AddPerson("Edwin", "Greenwood", 'M', 1890);
  f.third = AddPerson("Hannah", "Greenwood", 'F', 1893);
  return f;
}

rpt::IndividualSummaryOptions SummaryOptions() {
  rpt::IndividualSummaryOptions o;
  o.photoOpt = true;
  o.photoPlace = 0;  // at the left, beside the title
  o.photoX = 1200;
  o.photoY = 1500;
  o.showZel = true;
  return o;
}

}  // namespace

class SummaryPdfTest : public QObject {
  Q_OBJECT

 private:
  plat::FakeProfile profile_;
  plat::FakeProgress progress_;
  plat::FakeShell shell_;
  TempDir dir_;
  std::string keep_;
  Family family_;

 private slots:
  void initTestCase() {
    plat::SetProfilePort(&profile_);
    plat::SetProgressPort(&progress_);
    plat::SetShellPort(&shell_);
    const QString keepEnv = qEnvironmentVariable("KORVANE_REPORT_KEEP");
    keep_ = keepEnv.isEmpty() ? dir_.Path() : keepEnv.toStdString() + "/";
    const std::string file = dir_.Path() + "summary.fam";
    QCOMPARE(DbCreate(file, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
    family_ = Build(dir_.Path());
  }
  void cleanupTestCase() {
    DbCloseCurrent();
    plat::SetProfilePort(nullptr);
    plat::SetProgressPort(nullptr);
    plat::SetShellPort(nullptr);
  }

  // A set of three: the photo on the left of Roger's first page, the pages
  // of the three running on, each person's name on his own page.
  void individualSummaryPdf() {
    const std::string pdf = keep_ + "individual-summary.pdf";
    const rpt::IndividualSummaryOptions o = SummaryOptions();
    int pages = 0;
    std::vector<std::int32_t> keys;
    {
      QPrinter printer(QPrinter::HighResolution);
      SetUpPdfPrinter(printer, pdf, QPageSize(QPageSize::Letter));
      fw::CQtReportDevice dc(&printer);
      dc.SetMapMode(rpt::MM_HIENGLISH);
      CBitSet set;
      for (std::int32_t rin : {family_.root, family_.second, family_.third}) set.SetBit(rin, 1);
      rpt::SummaryRunRequest request;
      request.set = &set;
      rpt::HeadlessPaginatorWindow window;
      pages = rpt::PaginateIndividualSummary(request, rpt::MakeSummaryWalkSetup(&dc, o), window);
      QVERIFY(pages >= 4);
      rpt::CIndividualSummaryGenerator g(o);
      g.CreateSummaryFonts(&dc);
      for (int page = 1; page <= pages; ++page) {
        if (page > 1) printer.newPage();
        dc.SetMapMode(rpt::MM_HIENGLISH);
        g.PrintSummaryPage(&dc, page, page == pages);
        keys.push_back(rpt::FindPageEntryByPage(rpt::Paginator(), page)->key);
        QVERIFY(g.LowestY() >= -o.pageTM - 10400);
      }
      QVERIFY(g.PhotoFailures().empty());
      rpt::CleanupIndividualSummaryPages();
    }
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::string first = PdfPageText(pdf, 1);
    // The title is split in two lines beside the photo.
    for (const char* text : {"Individual Summary", "for Roger Holroyd", "Born", "Halifax, England",
                             "Parents", "Marriages", "Mary Sutcliffe", "Baptized", "LOGAN", "Page"})
      QVERIFY2(first.find(text) != std::string::npos, (std::string(text) + "\n" + first).c_str());
    const std::string second = PdfPageText(pdf, 2);
    QVERIFY2(second.find("Notes (Continued)") != std::string::npos ||
                 second.find("Sources") != std::string::npos,
             second.c_str());
    QCOMPARE(keys[pages - 2], family_.second);
    QVERIFY(PdfPageText(pdf, pages - 1).find("Edwin Greenwood") != std::string::npos);
    QVERIFY(PdfPageText(pdf, pages).find("Hannah Greenwood") != std::string::npos);
    const std::string all = PdfPageText(pdf, 2) + PdfPageText(pdf, 3);
    QVERIFY2(all.find("1. ") != std::string::npos &&
                 all.find("Halifax Parish Register") != std::string::npos,
             all.c_str());
  }

  // Four generations on a narrow (portrait) and a wide (landscape) page.
  void familyOrdinanceSummaryPdf() {
    for (const bool wide : {false, true}) {
      const std::string pdf = keep_ + (wide ? "fos-wide.pdf" : "fos-narrow.pdf");
      rpt::FamilyOrdinanceOptions o;
      o.generations = 4;
      int pages = 0;
      {
        QPrinter printer(QPrinter::HighResolution);
        printer.setResolution(600);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        printer.setPageSize(QPageSize(wide ? QPageSize::Legal : QPageSize::Letter));
        printer.setPageOrientation(wide ? QPageLayout::Landscape : QPageLayout::Portrait);
        fw::CQtReportDevice dc(&printer);
        pages = DrawFos(dc, o, "", [&] { printer.newPage(); });
        QVERIFY(pages >= 1);
      }
      if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext is not installed");
      std::string text;
      for (int page = 1; page <= pages; ++page) text += PdfPageText(pdf, page);
      for (const char* t : {"Family Ordinance Summary for Roger Holroyd", "Page 1 of",
                            "Individual, Spouse, and children", "FATHER'S ANCESTORS",
                            "Grandfather's", "Seal-Spouse", "Children", "Cecily Holroyd"})
        QVERIFY2(text.find(t) != std::string::npos, (std::string(t) + "\n" + text).c_str());
      QCOMPARE(text.find("Place") != std::string::npos, wide);
    }
  }

  // Roger's Family Ordinance Summary on dc, as DrawSummary.
  int DrawFos(fw::CQtReportDevice& dc, const rpt::FamilyOrdinanceOptions& o, const std::string& rtf,
              const std::function<void()>& newPage) {
    dc.SetMapMode(rpt::MM_HIENGLISH);
    rpt::CFamilyOrdinanceSummaryGenerator g(family_.root, o);
    g.SetRTFOutput(!rtf.empty());
    g.SetOutputFileName(rtf);
    const int pages = g.PaginateFamilyOrdinanceSummary(&dc);
    g.OpenFosFiles(&dc);
    for (int page = 1; page <= pages; ++page) {
      if (page > 1) newPage();
      dc.SetMapMode(rpt::MM_HIENGLISH);
      g.PrintFosPage(&dc, page, page == pages);
    }
    CPrintInfo info;
    info.maxPage = pages;
    return g.EndFosPrinting(&dc, &info) == 1 ? pages : 0;
  }

  // The Family Ordinance Summary as RTF on letter and on A4: LibreOffice
  // lays out its pages as printed on that paper.
  void familyOrdinanceSummaryRtf_data() { AddPaperRows(); }
  void familyOrdinanceSummaryRtf() {
    QFETCH(int, paper);
    if (!LibreOfficeInstalled()) QSKIP("LibreOffice or pdftotext is not installed");
    const auto size = static_cast<QPageSize::PageSizeId>(paper);
    const std::string name = "fos-" + std::string(QTest::currentDataTag());
    rpt::FamilyOrdinanceOptions o;
    o.generations = 4;
    int pages = 0;
    {
      fw::CQtReportDevice dc(600, QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF()));
      pages = DrawFos(dc, o, keep_ + name + ".rtf", [] {});
    }
    QVERIFY(pages >= 1);
    const std::string printed = keep_ + name + "-printed.pdf";
    {
      QPrinter printer(QPrinter::HighResolution);
      SetUpPdfPrinter(printer, printed, QPageSize(size));
      fw::CQtReportDevice dc(&printer);
      QCOMPARE(DrawFos(dc, o, "", [&] { printer.newPage(); }), pages);
    }
    QCOMPARE(ConvertWithLibreOffice({keep_ + name + ".rtf"}, "pdf", keep_ + "lo"), 0);
    const std::string differs = RtfPagesDifferFromPrinted(printed, keep_ + "lo/" + name + ".pdf");
    QVERIFY2(differs.empty(), differs.c_str());
  }

  // Roger's summary on dc: RTF when rtf names a file, else a printer's pages
  // with newPage between them. Answers the page count.
  int DrawSummary(fw::CQtReportDevice& dc, const std::string& rtf,
                  const std::function<void()>& newPage) {
    const rpt::IndividualSummaryOptions o = SummaryOptions();
    dc.SetMapMode(rpt::MM_HIENGLISH);
    rpt::SummaryRunRequest request;
    request.individual = family_.root;
    rpt::HeadlessPaginatorWindow window;
    const int pages =
        rpt::PaginateIndividualSummary(request, rpt::MakeSummaryWalkSetup(&dc, o), window);
    rpt::CIndividualSummaryGenerator g(o);
    g.SetRTFOutput(!rtf.empty());
    g.SetOutputFileName(rtf);
    g.CreateSummaryFonts(&dc);
    for (int page = 1; page <= pages; ++page) {
      if (page > 1) newPage();
      dc.SetMapMode(rpt::MM_HIENGLISH);
      g.PrintSummaryPage(&dc, page, page == pages);
    }
    CPrintInfo info;
    info.maxPage = pages;
    g.EndSummaryPrinting(&dc, &info);
    return pages;
  }

  // The Individual Summary as RTF on letter and on A4: LibreOffice reads the
  // same words, page for page as they were printed on that paper, and keeps
  // an event's date apart from its place.
  void individualSummaryRtf_data() { AddPaperRows(); }
  void individualSummaryRtf() {
    QFETCH(int, paper);
    const auto size = static_cast<QPageSize::PageSizeId>(paper);
    const std::string name = "individual-summary-" + std::string(QTest::currentDataTag());
    const std::string rtf = keep_ + name + ".rtf";
    int pages = 0;
    {
      fw::CQtReportDevice dc(600, QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF()));
      pages = DrawSummary(dc, rtf, [] {});
    }
    QVERIFY(pages >= 2);
    const std::string document = ReadAll(rtf);
    QVERIFY(document.starts_with("{\\rtf"));
    if (!LibreOfficeInstalled()) QSKIP("LibreOffice (libreoffice-writer-nogui) is not installed");
    // The page's texts are positioned frames: LibreOffice lays them out as
    // PDF pages, which pdftotext reads.
    const std::string outDir = keep_ + "lo/";
    QCOMPARE(ConvertWithLibreOffice({rtf}, "pdf", outDir), 0);
    const std::string converted = outDir + name + ".pdf";
    const std::string text = PdfToText(converted);
    for (const char* t : {"Individual Summary for", "Roger Holroyd", "Born", "Marriages", "Notes",
                          "Calder", "Sources", "Halifax Parish Register"})
      QVERIFY2(text.find(t) != std::string::npos, (std::string(t) + "\n" + text).c_str());
    // The marriage's date stands apart from its place, as printed.
    QVERIFY2(text.find("2 Jun 1904 Hallstad church") != std::string::npos, text.c_str());
    const std::string printed = keep_ + name + "-printed.pdf";
    {
      QPrinter printer(QPrinter::HighResolution);
      SetUpPdfPrinter(printer, printed, QPageSize(size));
      fw::CQtReportDevice dc(&printer);
      QCOMPARE(DrawSummary(dc, "", [&] { printer.newPage(); }), pages);
    }
    const std::string differs = RtfPagesDifferFromPrinted(printed, converted);
    QVERIFY2(differs.empty(), differs.c_str());
  }
};

QTEST_MAIN(SummaryPdfTest)
#include "summary_pdf_qtest.moc"
