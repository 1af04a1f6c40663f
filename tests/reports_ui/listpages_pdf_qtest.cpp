// The prepared lists printed on a Qt PDF printer and written as RTF: pdftotext
// finds each list's title and its names in list order; LibreOffice reads the
// RTF back. With KORVANE_REPORT_KEEP set the files are kept there, to look
// at their pages (pdftoppm).
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <fstream>

#include "CustomFieldCatalog.h"
#include "CustomReport.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "LibreOffice.h"
#include "ListPages.h"
#include "ListPagination.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "QtReportDevice.h"
#include "RecordAccess.h"
#include "RecordProblems.h"
#include "ReportJob.h"
#include "ReportKindPdf.h"
#include "ReportKinds.h"
#include "ReportPrintSetup.h"
#include "TempDir.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

std::int32_t Add(const std::string& given, const std::string& surname, char sex, int born) {
  CIndividualRecord person;
  person.surname = surname;
  person.givenNames[0] = given;
  person.sex = sex;
  person.birth.date.Set(born, 4, 2);
  return static_cast<std::int32_t>(family::Add(person, 0));
}

// The lines per page of paper inside the list margins.
int PaperLines(int kind, QPageSize::PageSizeId paper = QPageSize::Letter) {
  const rpt::Rect m = rpt::ReportMarginsOf(kind);
  const int height = static_cast<int>(QPageSize(paper).size(QPageSize::Inch).height() * 1000);
  return CListPagesGenerator::LinesPerPage(height - m.top - m.bottom);
}

// Prints pages 1..pages to pdf on Letter paper: begin(dc, info) once, then
// draw(dc, info) for each page.
template <class Begin, class Draw>
void PrintPagesToPdf(const std::string& pdf, int pages, Begin begin, Draw draw) {
  QPrinter printer(QPrinter::HighResolution);
  SetUpPdfPrinter(printer, pdf, QPageSize(QPageSize::Letter));
  fw::CQtReportDevice dc(&printer);
  CPrintInfo info;
  dc.SetMapMode(rpt::MM_HIENGLISH);
  begin(dc, info);
  for (int page = 1; page <= pages; ++page) {
    if (page > 1) printer.newPage();
    dc.SetMapMode(rpt::MM_HIENGLISH);
    info.currentPage = page;
    draw(dc, info);
  }
}

// Prints pages 1..pages of kind to pdf through a report job.
void PrintPdf(int kind, int pages, const std::string& pdf) {
  CReportJob job(kind);
  PrintPagesToPdf(
      pdf, pages, [&](auto& dc, CPrintInfo& info) { job.BeginPrinting(&dc, &info); },
      [&](auto& dc, CPrintInfo& info) { job.PrintPage(&dc, &info); });
}

// Prints pages 1..pages of the prepared custom report of layout to pdf.
void PrintCustomPdf(const CCustomReportLayout& layout, int pages, const std::string& pdf) {
  CListPagesGenerator g(rpt::kCustomReport, 0);
  g.SetCustomLayout(&layout);
  PrintPagesToPdf(
      pdf, pages, [&](auto& dc, CPrintInfo& info) { g.BeginPrinting(&dc, &info); },
      [&](auto& dc, CPrintInfo& info) { g.DrawPage(&dc, &info, nullptr); });
}

// The text of pdf by pdftotext (kept beside it); "" when it fails.
std::string PdfText(const std::string& pdf) {
  const std::string txt = pdf + ".txt";
  if (QProcess::execute("pdftotext",
                        {"-layout", QString::fromStdString(pdf), QString::fromStdString(txt)}) != 0)
    return {};
  return ReadAll(txt);
}

void AddCustomColumn(CCustomReportLayout& layout, int id, int width, const char* heading) {
  auto c = std::make_unique<CCustomReportColumn>();
  c->fieldId = id;
  c->width = width;
  c->heading = heading;
  layout.columns.push_back(std::move(c));
}

// Rows in name order: the husbands, then the wives.
std::string CoupleRow(int k) {
  return k < 80 ? "Name" + std::to_string(100 + k) + ", Hugo"
                : "Wife" + std::to_string(20 + k) + ", Hilda";
}

// LibreOffice's pages of a list written as one flowing RTF text against the
// pages laid out: as many pages, each with the title and its page number
// in the footer, and the rows in order, the last one on the last page.
// Answers what differs, "" when nothing does.
std::string FlowingPagesDiffer(const std::string& pdf, const std::string& title, int rows,
                               int pages) {
  const std::vector<std::string> read = TextPages(PdfToText(pdf));
  std::string out;
  if (static_cast<int>(read.size()) != pages)
    out += std::to_string(read.size()) + " pages, " + std::to_string(pages) + " laid out; ";
  std::size_t page = 0, at = 0;
  for (int k = 0; k < rows && page < read.size(); ++k) {
    while (page < read.size() && read[page].find(CoupleRow(k), at) == std::string::npos) {
      ++page;
      at = 0;
    }
    if (page == read.size())
      out += CoupleRow(k) + " missing or out of order; ";
    else
      at = read[page].find(CoupleRow(k), at);
  }
  if (page + 1 != read.size()) out += "the last row is not on the last page; ";
  for (std::size_t p = 0; p < read.size(); ++p) {
    if (read[p].find(title) == std::string::npos)
      out += "no title on page " + std::to_string(p + 1) + "; ";
    if (read[p].find("Page " + std::to_string(p + 1)) == std::string::npos)
      out += "no footer on page " + std::to_string(p + 1) + "; ";
  }
  return out;
}

}  // namespace

class ListPagesPdfTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    keepEnv_ = qEnvironmentVariable("KORVANE_REPORT_KEEP");
    keep_ = keepEnv_.isEmpty() ? dir_.Path() : keepEnv_.toStdString() + "/";
    const std::string family = dir_.Path() + "lists.orv";
    QCOMPARE(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    rpt::RegisterMoreListReports();
    // 80 couples with scrambled surnames: two pages of each list.
    for (int i = 0; i < 80; ++i) {
      const std::string surname = "Name" + std::to_string(100 + (i * 37) % 80);
      const std::int32_t him = Add("Hugo", surname, 'M', 1850 + i);
      const std::int32_t her = Add("Hilda", "Wife" + std::to_string(100 + i), 'F', 1900 + i);
      QVERIFY(DbSetRelation(him, her, db::kRelHusband, 0) > 0);
    }
  }
  void cleanupTestCase() { DbCloseCurrent(); }

  void listsHoldTheirTitlesAndNamesInOrder_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("later");
    QTest::newRow("by RIN") << int(rpt::kIndividualsByRin) << "Sorted Individuals List"
                            << "Hugo Name100"
                            << "Hugo Name137";
    QTest::newRow("alphabetical") << int(rpt::kIndividualsByAlpha) << "Sorted Individuals List"
                                  << "Name100, Hugo"
                                  << "Name101, Hugo";
    QTest::newRow("marriages") << int(rpt::kMarriagesList) << "Sorted Marriages List"
                               << "Wife100, Hilda"
                               << "Wife101, Hilda";
    QTest::newRow("problems") << int(rpt::kRecordProblems) << "Possible Record Problems"
                              << "Name100, Hugo"
                              << "Name137, Hugo";
  }
  void listsHoldTheirTitlesAndNamesInOrder() {
    QFETCH(int, kind);
    QFETCH(QString, title);
    QFETCH(QString, first);
    QFETCH(QString, later);
    const int lines = PaperLines(kind);
    int pages = 0;
    switch (kind) {
      case rpt::kIndividualsByRin:
        pages = (rpt::PaginateSortedRINList(1, 1000, lines) - 1) / lines + 1;
        break;
      case rpt::kIndividualsByAlpha:
        pages = (rpt::PaginateAlphaList("", "", lines) - 1) / lines + 1;
        break;
      case rpt::kMarriagesList:
        pages = (rpt::PaginateMarriageList(0, 1, 1000, "", "", lines) - 1) / lines + 1;
        break;
      default: {
        rpt::RecordProblemOptions options;
        options.span = 10;  // every couple is 50 years apart
        plat::FakeProfile profile;
        profile.SetInt("PrRpt", "HWSpan", 10);
        plat::ScopedProfile scoped(&profile);
        pages = rpt::PaginateRecordProblems(1, 1000, options, lines);
        QVERIFY(pages >= 2);
        const std::string pdf = keep_ + "list" + std::to_string(kind) + ".pdf";
        PrintPdf(kind, pages, pdf);
        Check(pdf, title, first, later, pages);
        return;
      }
    }
    QVERIFY(pages >= 2);
    const std::string pdf = keep_ + "list" + std::to_string(kind) + ".pdf";
    PrintPdf(kind, pages, pdf);
    Check(pdf, title, first, later, pages);
  }

  void customReportWrapsAWideColumn() {
    CCustomReportLayout layout;
    layout.title = "Couples by Name";
    const std::pair<int, const char*> columns[] = {{rpt::kFieldSurnameGiven, "Name"},
                                                   {rpt::kFieldRin, "RIN"},
                                                   {rpt::kFieldBirthDate, "Born"},
                                                   {rpt::kFieldSpouse, "Spouse"},
                                                   {rpt::kFieldBirthPlace, "Birth Place"}};
    for (const auto& [id, heading] : columns)
      AddCustomColumn(layout, id, id == rpt::kFieldBirthPlace ? 60 : 24, heading);
    auto key = std::make_unique<CCustomReportSortKey>();
    key->fieldId = rpt::kFieldSurnameGiven;
    key->kind = CCustomReportSortKey::kText;
    layout.sortKeys.push_back(std::move(key));
    std::vector<std::int32_t> rins;
    for (std::int32_t rin = 1; rin <= 40; ++rin) rins.push_back(rin);
    const int pages = rpt::PaginateCustomReport(rins, layout, 12);
    QVERIFY(pages >= 2);
    const std::string pdf = keep_ + "custom.pdf";
    PrintCustomPdf(layout, pages, pdf);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::string text = PdfText(pdf);
    QVERIFY(!text.empty());
    QVERIFY(text.find("Couples by Name") != std::string::npos);
    QVERIFY(text.find("Birth Place") != std::string::npos);
    const std::size_t a = text.find("Name100, Hugo");
    const std::size_t b = text.find("Name101, Hugo");
    QVERIFY(a != std::string::npos);
    QVERIFY(b != std::string::npos);
    QVERIFY(a < b);
    rpt::CleanupCustomReportPages();
  }

  // The alphabetical list as RTF on letter and on A4 with the default
  // margins, one flowing text: LibreOffice shows as many pages as were laid
  // out, each with the header and the footer's page number, and every row
  // in order, the last one on the last page.
  void rtfReadsBackInLibreOffice_data() { AddPaperRows(); }
  void rtfReadsBackInLibreOffice() {
    QFETCH(int, paper);
    if (!LibreOfficeInstalled()) QSKIP("LibreOffice or pdftotext is not installed");
    const auto size = static_cast<QPageSize::PageSizeId>(paper);
    const int lines = PaperLines(rpt::kIndividualsByAlpha, size);
    const int count = rpt::PaginateAlphaList("", "", lines);
    QCOMPARE(count, 160);
    const int pages = (count - 1) / lines + 1;
    const std::string name = "alpha-" + std::string(QTest::currentDataTag());
    const std::string rtf = keep_ + name + ".rtf";
    {
      plat::FakeShell shell;
      plat::ScopedShell scoped{&shell};
      fw::CQtReportDevice dc(600, QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF()));
      CReportJob job(rpt::kIndividualsByAlpha);
      job.SetRTFDocument(true);
      job.SetOutputFileName(rtf);
      CPrintInfo info;
      info.maxPage = pages;
      dc.SetMapMode(rpt::MM_HIENGLISH);
      job.BeginPrinting(&dc, &info);
      for (int page = 1; page <= pages; ++page) {
        info.currentPage = page;
        job.PrintPage(&dc, &info);
      }
      job.Generator()->FlushPage(false);
      job.EndPrinting(&dc, &info);
    }
    QVERIFY(!ReadAll(rtf).empty());
    QCOMPARE(ConvertWithLibreOffice({rtf}, "pdf", keep_), 0);
    const std::string differs =
        FlowingPagesDiffer(keep_ + name + ".pdf", "Sorted Individuals List", count, pages);
    QVERIFY2(differs.empty(), differs.c_str());
  }

  // The custom report as RTF on letter and on A4: as many pages as laid out
  // in LibreOffice, and its dates whole.
  void customReportRtf_data() { AddPaperRows(); }
  void customReportRtf() {
    QFETCH(int, paper);
    if (!LibreOfficeInstalled()) QSKIP("LibreOffice or pdftotext is not installed");
    const auto size = static_cast<QPageSize::PageSizeId>(paper);
    CCustomReportLayout layout;
    layout.title = "Couples by Name";
    AddCustomColumn(layout, rpt::kFieldSurnameGiven, 25, "Name");
    AddCustomColumn(layout, rpt::kFieldBirthDate, 15, "Birth Date");
    AddCustomColumn(layout, rpt::kFieldRin, 8, "RIN");
    auto key = std::make_unique<CCustomReportSortKey>();
    key->fieldId = rpt::kFieldSurnameGiven;
    key->kind = CCustomReportSortKey::kText;
    layout.sortKeys.push_back(std::move(key));
    std::vector<std::int32_t> rins;
    for (std::int32_t rin = 1; rin <= 160; ++rin) rins.push_back(rin);
    const std::string name = "custom-" + std::string(QTest::currentDataTag());
    const std::string rtf = keep_ + name + ".rtf";
    int pages = 0;
    {
      plat::FakeShell shell;
      plat::ScopedShell scoped{&shell};
      fw::CQtReportDevice dc(600, QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF()));
      const int lines = CListPagesGenerator::CustomLinesPerPage(&dc, layout);
      pages = rpt::PaginateCustomReport(rins, layout, lines);
      QVERIFY(pages >= 2);
      CListPagesGenerator g(rpt::kCustomReport, 0);
      g.SetCustomLayout(&layout);
      g.SetRTFOutput(true);
      g.SetOutputFileName(rtf);
      CPrintInfo info;
      info.maxPage = pages;
      dc.SetMapMode(rpt::MM_HIENGLISH);
      g.BeginPrinting(&dc, &info);
      for (int page = 1; page <= pages; ++page) {
        info.currentPage = page;
        dc.SetMapMode(rpt::MM_HIENGLISH);
        g.DrawPage(&dc, &info, nullptr);
      }
      g.EndPrinting(&dc, &info);
    }
    QCOMPARE(ConvertWithLibreOffice({rtf}, "pdf", keep_), 0);
    const std::string differs =
        FlowingPagesDiffer(keep_ + name + ".pdf", "Couples by Name", 160, pages);
    QVERIFY2(differs.empty(), differs.c_str());
    QVERIFY(PdfToText(keep_ + name + ".pdf").find("2 Apr 1850") != std::string::npos);
  }

  // Runs last: it adds people to the family file.
  void customReportShowsLinksChainsAndTheLiveBaptism() {
    const std::int32_t father = Add("Otto", "Quist", 'M', 1900);
    const std::int32_t mother = Add("Olga", "Quist", 'F', 1902);
    const std::int32_t mrin = DbSetRelation(father, mother, db::kRelHusband, 0);
    QVERIFY(mrin > 0);
    const std::int32_t child = Add("Pia", "Quist", 'F', 1930);
    QVERIFY(DbSetRelation(child, 0, db::kRelParents, mrin) > 0);
    CEventTypeRecord infant;
    infant.title = "Infant Baptism";
    infant.shortTitle = "Inf Bap";
    const std::int32_t type = DbAddRecord(db::kEventType, 0, &infant);
    QVERIFY(type > 0);
    CIndividualRecord pia;
    QCOMPARE(family::Read(pia, child), 1);
    pia.numbers[CIndividualRecord::kChristeningType] = type;
    pia.christening.date.Set(1930, 5, 1);
    pia.fifthEvent.place[0] = "Provo";
    pia.fifthEvent.place[1] = "Utah";
    QCOMPARE(family::Update(pia, 0), 1);
    auto picture = std::make_unique<CMultimediaItem>();
    picture->fileName = "pia.jpg";
    picture->kind = 'P';
    QCOMPARE(DbSaveMultimediaChain(child, picture.get(), db::kIndividual), 1);

    CCustomReportLayout layout;
    layout.title = "Quist Family Fields";
    AddCustomColumn(layout, rpt::kFieldSurnameGiven, 20, "Name");
    AddCustomColumn(layout, rpt::kFieldChristening, 16, "Christening");
    AddCustomColumn(layout, rpt::kFieldHasMultimedia, 4, "MM");
    AddCustomColumn(layout, rpt::kFieldZelLiveBaptism, 8, "Live Bap");
    AddCustomColumn(layout, rpt::kFieldBaptismTemple, 18, "Bap Temple/*Place");
    AddCustomColumn(layout, rpt::kFieldFatherRelationshipType, 6, "Fa Rel");
    AddCustomColumn(layout, rpt::kFieldHasCitations, 7, "Has Cit");
    const int pages = rpt::PaginateCustomReport({father, mother, child}, layout, 40);
    QCOMPARE(pages, 1);
    const std::string pdf = keep_ + "customfields.pdf";
    PrintCustomPdf(layout, pages, pdf);
    rpt::CleanupCustomReportPages();
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::string text = PdfText(pdf);
    QVERIFY(!text.empty());
    QVERIFY(text.find("Quist Family Fields") != std::string::npos);
    // Pia's line: her christening's own title, a picture, a live baptism
    // with its place marked, a born child of her father, no citations.
    const std::size_t line = text.find("Quist, Pia");
    QVERIFY(line != std::string::npos);
    const std::string pias = text.substr(line, text.find('\n', line) - line);
    QVERIFY2(pias.find("Infant Baptism") != std::string::npos, pias.c_str());
    QVERIFY2(pias.find("Provo, Utah*") != std::string::npos, pias.c_str());
    QVERIFY2(pias.find(" Y ") != std::string::npos, pias.c_str());
    QVERIFY2(pias.find(" b ") != std::string::npos, pias.c_str());
    const std::size_t otto = text.find("Quist, Otto");
    QVERIFY(otto != std::string::npos);
    const std::string ottos = text.substr(otto, text.find('\n', otto) - otto);
    QVERIFY2(ottos.find("Christening") != std::string::npos, ottos.c_str());
    QVERIFY2(ottos.find(" Y") == std::string::npos, ottos.c_str());
  }

  // A couple whose dates are long texts, in the alphabetical and marriage
  // lists written as RTF on letter and on A4: in LibreOffice's pages no word
  // overlaps another on its line, and every row's related-person letter (or
  // marriage status) stands in one column, not pushed right by a long date.
  // Runs after the tests that count the family's people.
  void longTextsStayInTheirColumnsInLibreOffice_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("paper");
    for (const auto& [tag, kind] : {std::pair{"alphabetical", int(rpt::kIndividualsByAlpha)},
                                    std::pair{"marriages", int(rpt::kMarriagesList)}}) {
      QTest::addRow("%s-letter", tag) << kind << int(QPageSize::Letter);
      QTest::addRow("%s-a4", tag) << kind << int(QPageSize::A4);
    }
  }
  void longTextsStayInTheirColumnsInLibreOffice() {
    QFETCH(int, kind);
    QFETCH(int, paper);
    if (!LibreOfficeInstalled()) QSKIP("LibreOffice or pdftotext is not installed");
    if (longCouple_ == 0) {
      const std::int32_t him = Add("Frederick", "Aaberg", 'M', 1600);
      const std::int32_t her = Add("Henrietta", "Aaberg", 'F', 1601);
      for (std::int32_t rin : {him, her}) {
        CIndividualRecord person;
        QCOMPARE(family::Read(person, rin), 1);
        person.birth.date.SetText("(in the year of the great fire, 1637)");
        person.death.date.SetText("(after the long winter of the plague, 1665)");
        QCOMPARE(family::Update(person, 0), 1);
      }
      longCouple_ = DbSetRelation(him, her, db::kRelHusband, 0);
      QVERIFY(longCouple_ > 0);
      CMarriageRecord marriage;
      QCOMPARE(family::Read(marriage, longCouple_), 1);
      marriage.marriage.date.SetText("(in the year of the great fire, 1637)");
      marriage.marriage.place[0] = "Saint Mary Magdalene in the Fields";
      marriage.marriage.place[1] = "Westminster";
      marriage.status = 'D';
      QCOMPARE(family::Update(marriage, 0), 1);
      // A divorced marriage beside it, with a short date.
      QCOMPARE(family::Read(marriage, longCouple_ - 1), 1);
      marriage.marriage.date.Set(1700, 1, 2);
      marriage.status = 'D';
      QCOMPARE(family::Update(marriage, 0), 1);
    }
    const auto size = static_cast<QPageSize::PageSizeId>(paper);
    const int lines = PaperLines(kind, size);
    // The long couple sorts first in the alphabetical list and last of the
    // marriages asked for: one page is enough.
    if (kind == rpt::kIndividualsByAlpha)
      QVERIFY(rpt::PaginateAlphaList("", "", lines) > 0);
    else
      QVERIFY(rpt::PaginateMarriageList(0, longCouple_ - 20, longCouple_, "", "", lines) > 0);
    const std::string name = std::string("long-") + QTest::currentDataTag();
    const std::string rtf = keep_ + name + ".rtf";
    {
      plat::FakeShell shell;
      plat::ScopedShell scoped{&shell};
      fw::CQtReportDevice dc(600, QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF()));
      CReportJob job(kind);
      job.SetRTFDocument(true);
      job.SetOutputFileName(rtf);
      CPrintInfo info;
      info.maxPage = 1;
      info.currentPage = 1;
      dc.SetMapMode(rpt::MM_HIENGLISH);
      job.BeginPrinting(&dc, &info);
      job.PrintPage(&dc, &info);
      job.Generator()->FlushPage(false);
      job.EndPrinting(&dc, &info);
    }
    QCOMPARE(ConvertWithLibreOffice({rtf}, "pdf", keep_), 0);
    const std::vector<PdfPageWords> pages = ReadPdfWords(keep_ + name + ".pdf");
    QVERIFY(!pages.empty());
    const PdfPageWords& page = pages.front();
    QString overlaps;
    bool dated = false;
    std::vector<double> marks;  // left edges of the letter or status column
    for (std::size_t i = 0; i < page.words.size(); ++i) {
      const std::string& word = page.words[i].first;
      dated |= word == "(in";
      if (word == "S" || word == "P" || word == "C" || word == "(Div)")
        marks.push_back(page.lefts[i]);
      for (std::size_t j = 0; j < page.words.size(); ++j)
        if (j != i && std::abs(page.words[j].second - page.words[i].second) < 1 &&
            page.lefts[j] > page.lefts[i] && page.lefts[j] < page.rights[i] - 0.5)
          overlaps += QString::fromStdString(word + " over " + page.words[j].first + "; ");
    }
    QVERIFY2(overlaps.isEmpty(), qPrintable(overlaps));
    QVERIFY2(dated, "the long date is shown");
    QVERIFY(marks.size() > 1);
    for (double left : marks)
      QVERIFY2(std::abs(left - marks.front()) < 2,
               qPrintable(QStringLiteral("a mark at %1 points, another at %2")
                              .arg(left)
                              .arg(marks.front())));
    rpt::CloseListWorkFile();
  }

 private:
  void Check(const std::string& pdf, const QString& title, const QString& first,
             const QString& later, int pages) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::string text = PdfText(pdf);
    QVERIFY(!text.empty());
    QVERIFY2(text.find(title.toStdString()) != std::string::npos, qPrintable(title));
    const std::size_t a = text.find(first.toStdString());
    const std::size_t b = text.find(later.toStdString());
    QVERIFY2(a != std::string::npos, qPrintable(first));
    QVERIFY2(b != std::string::npos, qPrintable(later));
    QVERIFY(a < b);
    const std::string last = std::to_string(pages);
    QVERIFY2(text.find("Page  " + last) != std::string::npos ||
                 text.find("Page " + last) != std::string::npos,
             last.c_str());
    rpt::CleanupListPages();
  }

  TempDir dir_;
  std::int32_t longCouple_ = 0;
  QString keepEnv_;
  std::string keep_;
};

QTEST_MAIN(ListPagesPdfTest)
#include "listpages_pdf_qtest.moc"
