// The Scrapbook and the Event Calendar printed on a Qt PDF printer and
// written as RTF: pdftotext finds each page's texts, and LibreOffice reads
// the same words from the RTF. With KORVANE_REPORT_KEEP set the files are
// kept there, to look at their pages (pdftoppm).
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <fstream>
#include <functional>

#include "BitSet.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventCalendarGenerator.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "LibreOffice.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "MultimediaItem.h"
#include "QtReportDevice.h"
#include "RecordAccess.h"
#include "ReportKindPdf.h"
#include "ScrapbookGenerator.h"
#include "TempDir.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

std::string PdfPageText(const std::string& pdf, int page) {
  const std::string txt = pdf + "." + std::to_string(page) + ".txt";
  QProcess::execute("pdftotext",
                    {"-layout", "-f", QString::number(page), "-l", QString::number(page),
                     QString::fromStdString(pdf), QString::fromStdString(txt)});
  return ReadAll(txt);
}

std::int32_t AddPerson(const std::string& given, const std::string& surname, char sex, int year,
                       int month, int day) {
  CIndividualRecord person;
  person.givenNames[0] = given;
  person.surname = surname;
  person.sex = sex;
  person.birth.date.Set(year, month, day);
  return static_cast<std::int32_t>(family::Add(person, 0));
}

// Seven marked pictures of Agnes, each a colour of its own.
void GiveAlbum(std::int32_t rin, const std::string& folder) {
  CMultimediaList head;
  CMultimediaItem* last = nullptr;
  for (int i = 1; i <= 7; ++i) {
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(i * 45 % 360, 160, 220));
    const std::string path = folder + "album-" + std::to_string(i) + ".png";
    image.save(QString::fromStdString(path));
    auto item = std::make_unique<CMultimediaItem>();
    item->fileName = path;
    item->kind = CMultimediaItem::kPhoto;
    item->flags = CMultimediaItem::kFlagScrapbook;
    item->caption = "Picture " + std::to_string(i) + " of the album";
    item->description = "Taken at Hebden Bridge in summer " + std::to_string(1920 + i) + ".";
    CMultimediaItem* raw = item.get();
    if (last == nullptr)
      head = std::move(item);
    else
      last->next = std::move(item);
    last = raw;
  }
  QCOMPARE(DbSaveMultimediaChain(rin, head.get(), db::kIndividual), 1);
}

// Runs pages 1..count on the device, starting a printer page between them.
void PrintPages(int count, const std::function<void()>& newPage,
                const std::function<void(int)>& draw) {
  for (int page = 1; page <= count; ++page) {
    if (page > 1) newPage();
    draw(page);
  }
}

rpt::EventCalendarOptions July1975() {
  rpt::EventCalendarOptions o;
  o.year = 1975;
  o.month = 6;
  o.living = false;
  return o;
}

}  // namespace

class ScrapbookCalendarPdfTest : public QObject {
  Q_OBJECT

 private:
  plat::FakeProfile profile_;
  plat::FakeShell shell_;
  TempDir dir_;
  std::string keep_;
  std::int32_t agnes_ = 0;
  CBitSet chosen_;
  std::size_t failures_ = 0;  // photos the last scrapbook could not load

  // The calendar's pass for the layout of g on dc.
  int PaginateCalendar(rpt::CEventCalendarGenerator& g) {
    rpt::CalendarRunSettings s = rpt::MakeCalendarRunSettings(July1975(), g.Geometry(), &chosen_);
    rpt::HeadlessPaginatorWindow window;
    return rpt::PaginateEventCalendar(s, window);
  }

  // Agnes's scrapbook on dc: RTF when rtf names a file, else a printer's
  // pages with newPage between them. Answers the page count.
  int DrawScrapbook(fw::CQtReportDevice& dc, const rpt::ScrapbookOptions& o, const std::string& rtf,
                    const std::function<void()>& newPage) {
    dc.SetMapMode(rpt::MM_HIENGLISH);
    rpt::HeadlessPaginatorWindow window;
    const int pages = rpt::PaginateScrapbook(agnes_, o.PicturesPerPage(), nullptr, window);
    rpt::CScrapbookGenerator g(o);
    g.SetRTFOutput(!rtf.empty());
    g.SetOutputFileName(rtf);
    g.BeginScrapbook(&dc);
    PrintPages(pages, newPage, [&](int page) {
      dc.SetMapMode(rpt::MM_HIENGLISH);
      g.PrintScrapbookPage(&dc, page);
    });
    failures_ = g.PhotoFailures().size();
    if (!rtf.empty()) {
      CPrintInfo info;
      info.maxPage = pages;
      g.EndPrinting(&dc, &info);
    } else {
      rpt::CleanupScrapbookPages();
    }
    return pages;
  }

  // The July 1975 calendar on dc, as DrawScrapbook.
  int DrawCalendar(fw::CQtReportDevice& dc, const std::string& rtf,
                   const std::function<void()>& newPage) {
    dc.SetMapMode(rpt::MM_HIENGLISH);
    rpt::CEventCalendarGenerator g(July1975());
    g.SetRTFOutput(!rtf.empty());
    g.SetOutputFileName(rtf);
    g.BeginEventCalendar(&dc);
    const int pages = PaginateCalendar(g);
    PrintPages(pages, newPage, [&](int page) {
      dc.SetMapMode(rpt::MM_HIENGLISH);
      g.DrawEventCalendarPage(&dc, page, pages);
    });
    if (!rtf.empty()) {
      CPrintInfo info;
      info.maxPage = pages;
      g.EndPrinting(&dc, &info);
    } else {
      rpt::CleanupCalendarPages();
    }
    return pages;
  }

  // Prints draw's pages to a PDF on paper; answers draw's page count.
  static int PrintPdf(const std::string& pdf, QPageSize::PageSizeId paper,
                      const std::function<int(fw::CQtReportDevice&, std::function<void()>)>& draw) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, pdf, QPageSize(paper));
    fw::CQtReportDevice dc(&printer);
    return draw(dc, [&] { printer.newPage(); });
  }

  std::string ConvertRtf(const std::string& rtf) {
    const std::string outDir = keep_ + "lo/";
    if (ConvertWithLibreOffice({rtf}, "pdf", outDir) != 0) return {};
    std::string name = rtf.substr(rtf.find_last_of('/') + 1);
    name = name.substr(0, name.size() - 4) + ".pdf";
    const std::string converted = outDir + name;
    QProcess::execute("pdftotext", {"-layout", QString::fromStdString(converted),
                                    QString::fromStdString(converted + ".txt")});
    return ReadAll(converted + ".txt");
  }

 private slots:
  void initTestCase() {
    plat::SetProfilePort(&profile_);
    plat::SetShellPort(&shell_);
    const QString keepEnv = qEnvironmentVariable("KORVANE_REPORT_KEEP");
    keep_ = keepEnv.isEmpty() ? dir_.Path() : keepEnv.toStdString() + "/";
    const std::string file = dir_.Path() + "scrapcal.fam";
    QCOMPARE(DbCreate(file, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
    agnes_ = AddPerson("Agnes", "Sutcliffe", 'F', 1900, 7, 4);
    GiveAlbum(agnes_, dir_.Path());
    // July birthdays: sixty on the 9th (most go to the list), a few others.
    chosen_.SetBit(agnes_, 1);
    for (int i = 0; i < 60; ++i)
      chosen_.SetBit(AddPerson("Cousin" + std::to_string(i), "Greenwood", 'M', 1930 + i % 40, 7, 9),
                     1);
    const std::int32_t tom = AddPerson("Thomas", "Crowther", 'M', 1920, 2, 1);
    const std::int32_t ivy = AddPerson("Ivy", "Barraclough", 'F', 1922, 3, 1);
    const std::int32_t mrin = DbSetRelation(tom, ivy, db::kRelHusband, 0);
    CMarriageRecord marriage;
    QCOMPARE(family::Read(marriage, mrin), 1);
    marriage.marriage.date.Set(1945, 7, 21);
    QCOMPARE(family::Update(marriage, 0), 1);
    chosen_.SetBit(tom, 1);
    chosen_.SetBit(ivy, 1);
    chosen_.SetBit(AddPerson("Undated", "Holroyd", 'M', 1950, 7, 0), 1);
  }

  void cleanupTestCase() {
    DbCloseCurrent();
    plat::SetProfilePort(nullptr);
    plat::SetShellPort(nullptr);
  }

  // Seven pictures on two pages: six cells of page 1, the seventh alone.
  void scrapbookPdf() {
    const std::string pdf = keep_ + "scrapbook.pdf";
    const rpt::ScrapbookOptions o;
    QCOMPARE(PrintPdf(pdf, QPageSize::Letter,
                      [&](fw::CQtReportDevice& dc, std::function<void()> newPage) {
                        return DrawScrapbook(dc, o, "", newPage);
                      }),
             2);
    QCOMPARE(failures_, std::size_t{0});
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::string first = PdfPageText(pdf, 1), second = PdfPageText(pdf, 2);
    for (const char* t : {"Scrapbook Page for Agnes Sutcliffe", "Page 1", "Picture 1 of the album",
                          "Picture 6 of the album", "Hebden Bridge"})
      QVERIFY2(first.find(t) != std::string::npos, (std::string(t) + "\n" + first).c_str());
    QVERIFY(first.find("Picture 7") == std::string::npos);
    for (const char* t : {"Scrapbook Page for Agnes Sutcliffe", "Page 2", "Picture 7 of the album"})
      QVERIFY2(second.find(t) != std::string::npos, (std::string(t) + "\n" + second).c_str());
  }

  // Captions above, file names shortened to the cell, round framed cells of
  // a 3 x 2 grid.
  void scrapbookOptionsPdf() {
    const std::string pdf = keep_ + "scrapbook-options.pdf";
    rpt::ScrapbookOptions o;
    o.captionAbove = true;
    o.fileName = true;
    o.across = 3;
    o.down = 2;
    o.boxCorner = rpt::kRoundCorners;
    o.boxShade = true;
    {
      QPrinter printer(QPrinter::HighResolution);
      SetUpPdfPrinter(printer, pdf, QPageSize(QPageSize::Letter));
      fw::CQtReportDevice dc(&printer);
      dc.SetMapMode(rpt::MM_HIENGLISH);
      rpt::HeadlessPaginatorWindow window;
      QCOMPARE(rpt::PaginateScrapbook(agnes_, o.PicturesPerPage(), nullptr, window), 2);
      rpt::CScrapbookGenerator g(o);
      g.BeginScrapbook(&dc);
      g.PrintScrapbookPage(&dc, 1);
      rpt::CleanupScrapbookPages();
    }
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::string text = PdfPageText(pdf, 1);
    for (const char* t : {"Picture 1 of the album", "Picture 6 of the album", "...", "album-1.png"})
      QVERIFY2(text.find(t) != std::string::npos, (std::string(t) + "\n" + text).c_str());
  }

  // July 1975: a grid on page 1, the list of the 9th's cousins running on.
  void calendarPdf() {
    const std::string pdf = keep_ + "calendar.pdf";
    const int pages = PrintPdf(pdf, QPageSize::Letter,
                               [&](fw::CQtReportDevice& dc, std::function<void()> newPage) {
                                 return DrawCalendar(dc, "", newPage);
                               });
    QVERIFY2(pages >= 2, std::to_string(pages).c_str());
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");
    const std::string first = PdfPageText(pdf, 1);
    for (const char* t : {"July 1975", "Sunday", "Saturday", "31", "75 Agnes Sutcliffe",
                          "30 Thomas and", "Ivy Crowther", "* Additional Events"})
      QVERIFY2(first.find(t) != std::string::npos, (std::string(t) + "\n" + first).c_str());
    std::string all;
    for (int page = 1; page <= pages; ++page) all += PdfPageText(pdf, page);
    QVERIFY2(PdfPageText(pdf, 2).find("July 1975 - Page 2") != std::string::npos, all.c_str());
    for (const char* t : {"Cousin59 Greenwood", "Undated Holroyd"})
      QVERIFY2(all.find(t) != std::string::npos, (std::string(t) + "\n" + all).c_str());
  }

  // Both reports as RTF on A4 and on letter: LibreOffice reads the same
  // words, page for page as they were printed on that paper (the calendar's
  // last week included).
  void rtfThroughLibreOffice_data() { AddPaperRows(); }
  void rtfThroughLibreOffice() {
    QFETCH(int, paper);
    const auto size = static_cast<QPageSize::PageSizeId>(paper);
    const std::string tag = QTest::currentDataTag();
    fw::CQtReportDevice dc(600, QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF()));
    const std::string scrapRtf = keep_ + "scrapbook-" + tag + ".rtf";
    const std::string calRtf = keep_ + "calendar-" + tag + ".rtf";
    const rpt::ScrapbookOptions o;
    QCOMPARE(DrawScrapbook(dc, o, scrapRtf, [] {}), 2);
    const int calendarPages = DrawCalendar(dc, calRtf, [] {});
    QVERIFY(calendarPages >= 2);
    QVERIFY(ReadAll(scrapRtf).starts_with("{\\rtf"));
    QVERIFY(ReadAll(calRtf).starts_with("{\\rtf"));
    if (!LibreOfficeInstalled()) QSKIP("LibreOffice (libreoffice-writer-nogui) is not installed");
    const std::string scrap = ConvertRtf(scrapRtf);
    for (const char* t : {"Scrapbook Page for Agnes Sutcliffe", "Picture 1 of the album",
                          "Picture 7 of the album", "Hebden Bridge"})
      QVERIFY2(scrap.find(t) != std::string::npos, (std::string(t) + "\n" + scrap).c_str());
    const std::string cal = ConvertRtf(calRtf);
    for (const char* t :
         {"July 1975", "Sunday", "75 Agnes Sutcliffe", "* Additional Events", "Cousin59 Greenwood"})
      QVERIFY2(cal.find(t) != std::string::npos, (std::string(t) + "\n" + cal).c_str());

    const std::string scrapPdf = keep_ + "scrapbook-" + tag + "-printed.pdf";
    const std::string calPdf = keep_ + "calendar-" + tag + "-printed.pdf";
    QCOMPARE(PrintPdf(scrapPdf, size,
                      [&](fw::CQtReportDevice& printer, std::function<void()> newPage) {
                        return DrawScrapbook(printer, o, "", newPage);
                      }),
             2);
    QCOMPARE(PrintPdf(calPdf, size,
                      [&](fw::CQtReportDevice& printer, std::function<void()> newPage) {
                        return DrawCalendar(printer, "", newPage);
                      }),
             calendarPages);
    for (const auto& [printed, read] : {std::pair{scrapPdf, keep_ + "lo/scrapbook-" + tag + ".pdf"},
                                        std::pair{calPdf, keep_ + "lo/calendar-" + tag + ".pdf"}}) {
      const std::string differs = RtfPagesDifferFromPrinted(printed, read);
      QVERIFY2(differs.empty(), (read + ": " + differs).c_str());
    }
  }
};

QTEST_MAIN(ScrapbookCalendarPdfTest)
#include "scrapcal_pdf_qtest.moc"
