// The report device on Qt: paper and offsets from the page layout, the
// measuring-only device, and the sample page to a picture, to PDF through the
// printer and to RTF read back by LibreOffice: both PDFs must give the same
// words. With KORVANE_SHOTS=<folder> the picture, the PDFs and their page
// pictures are kept there for looking at.

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "FakePorts.h"
#include "LibreOffice.h"
#include "QtReportDevice.h"
#include "SampleReportPage.h"
#include "TempDir.h"

namespace {

int Shell(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str());
}

std::set<std::string> WordsOf(const std::string& textFile) {
  std::ifstream in(textFile);
  std::set<std::string> words;
  std::string word;
  while (in >> word) words.insert(word);
  return words;
}

QPageLayout Layout(QPageSize::PageSizeId size, QPageLayout::Orientation orientation) {
  return QPageLayout(QPageSize(size), orientation, QMarginsF(0.25, 0.25, 0.25, 0.25),
                     QPageLayout::Inch);
}

std::string Shots() {
  const char* folder = std::getenv("KORVANE_SHOTS");
  return folder != nullptr ? folder : "";
}

}  // namespace

class ReportDeviceTest : public QObject {
  Q_OBJECT

 private slots:
  void paperComesFromTheLayout_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("twipsWide");
    QTest::addColumn<int>("twipsHigh");
    QTest::addColumn<int>("pixelsWide");
    QTest::newRow("letter") << int(QPageSize::Letter) << int(QPageLayout::Portrait) << 12240
                            << 15840 << 5100;
    QTest::newRow("letter landscape")
        << int(QPageSize::Letter) << int(QPageLayout::Landscape) << 15840 << 12240 << 6600;
    QTest::newRow("A4") << int(QPageSize::A4) << int(QPageLayout::Portrait) << 11906 << 16838
                        << 4958;
    QTest::newRow("A4 landscape") << int(QPageSize::A4) << int(QPageLayout::Landscape) << 16838
                                  << 11906 << 7017;
  }
  void paperComesFromTheLayout() {
    QFETCH(int, size);
    QFETCH(int, orientation);
    QFETCH(int, twipsWide);
    QFETCH(int, twipsHigh);
    QFETCH(int, pixelsWide);
    const QPageLayout layout = Layout(static_cast<QPageSize::PageSizeId>(size),
                                      static_cast<QPageLayout::Orientation>(orientation));
    int w = 0, h = 0;
    fw::CQtReportDevice::PaperTwips(layout, w, h);
    QCOMPARE(w, twipsWide);
    QCOMPARE(h, twipsHigh);
    fw::CQtReportDevice dc(600, layout);
    // Qt keeps page sizes in whole points: A4 is 595 points wide.
    QCOMPARE(dc.GetDeviceCaps(rpt::PHYSICALWIDTH), pixelsWide);
    QCOMPARE(dc.GetDeviceCaps(rpt::PHYSICALOFFSETX), 150);  // a quarter inch
    QCOMPARE(dc.GetDeviceCaps(rpt::PHYSICALOFFSETY), 150);
    QCOMPARE(dc.GetDeviceCaps(rpt::LOGPIXELSX), 600);
  }

  void withoutAPrinterTheLocaleChoosesThePaper() {
    using fw::CQtReportDevice;
    QCOMPARE(CQtReportDevice::PaperForLocale(QLocale(QLocale::English, QLocale::UnitedStates)),
             QPageSize::Letter);
    QCOMPARE(CQtReportDevice::PaperForLocale(QLocale(QLocale::Swedish, QLocale::Sweden)),
             QPageSize::A4);
    QCOMPARE(CQtReportDevice::PaperForLocale(QLocale(QLocale::English, QLocale::UnitedKingdom)),
             QPageSize::A4);
    const QPageLayout paper = CQtReportDevice::DefaultPaper();
    QVERIFY(paper.isValid());
    QVERIFY(paper.fullRect(QPageLayout::Millimeter).width() > 200);
  }

  void measuringDeviceMeasuresAtItsResolution() {
    fw::CQtReportDevice dc(600, Layout(QPageSize::Letter, QPageLayout::Portrait));
    QVERIFY(dc.MeasuresOnly());
    dc.SetMapMode(rpt::MM_HIENGLISH);
    QCOMPARE(dc.LPtoDP({1000, -2000}), (rpt::Point{600, 1200}));
    dc.SelectFont({-167, 400, false, false, "Arial"});
    const rpt::Size one = dc.GetTextExtent("Korvane");
    const rpt::Size two = dc.GetTextExtent("Korvane Korvane");
    QVERIFY(one.cx > 300 && one.cx < 1500);  // about 0.7 inch at 12 points
    QVERIFY(two.cx > 2 * one.cx);
    QVERIFY(one.cy >= 167);
    // The margins of a printable area come back in thousandths.
    rpt::PrintableArea area;
    QCOMPARE(rpt::GetPrintableMargins(dc, 400, 500, 400, 500, area, true), 0);
    QCOMPARE(area.width, 8500 - 800);
  }

  void samplePageGoesToAPicture() {
    QImage image(850, 1100, QImage::Format_RGB32);  // letter at 100 dpi
    image.setDotsPerMeterX(3937);
    image.setDotsPerMeterY(3937);
    image.fill(Qt::white);
    {
      fw::CQtReportDevice dc(&image);
      CReportGenerator page;
      DrawSamplePage(page, dc, KORVANE_RTF_PICTURES "/red.jpg");
    }
    if (!Shots().empty()) image.save(QString::fromStdString(Shots() + "/samplepage.png"));
    // The title's ink at the top left, the shade of the first box, the photo.
    auto inked = [&](QRect area, auto test) {
      for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
          if (test(image.pixelColor(x, y))) return true;
      return false;
    };
    QVERIFY(inked(QRect(50, 30, 150, 30), [](QColor c) { return c.lightness() < 100; }));
    QVERIFY(inked(QRect(330, 230, 40, 20), [](QColor c) { return c == QColor(0xD0, 0xE0, 0xF0); }));
    QVERIFY(inked(QRect(50, 460, 200, 200),
                  [](QColor c) { return c.red() > 180 && c.green() < 80 && c.blue() < 80; }));
  }

  void samplePageGivesTheSameWordsInPdfAndRtf() {
    TempDir dir;
    const std::string keep = Shots().empty() ? dir.Path() : Shots();
    const std::string pdf = keep + "/samplepage.pdf";
    const QPageLayout layout = Layout(QPageSize::Letter, QPageLayout::Portrait);
    {
      QPrinter printer(QPrinter::HighResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(pdf));
      printer.setPageLayout(layout);
      fw::CQtReportDevice dc(&printer);
      CReportGenerator page;
      DrawSamplePage(page, dc, KORVANE_RTF_PICTURES "/red.jpg");
    }
    QVERIFY(std::filesystem::file_size(pdf) > 1000);

    const std::string rtf = keep + "/samplepage.rtf";
    {
      plat::FakeShell shell;
      plat::ScopedShell scoped{&shell};
      fw::CQtReportDevice dc(600, layout);
      CReportGenerator page;
      page.SetRTFOutput(true);
      page.SetOutputFileName(rtf);
      int w = 0, h = 0;
      fw::CQtReportDevice::PaperTwips(layout, w, h);
      page.SetPaperSize(w, h);
      DrawSamplePage(page, dc, KORVANE_RTF_PICTURES "/red.jpg");
      CPrintInfo info;
      page.FinishRTFDocument(&dc, &info);
      QCOMPARE(shell.opened, std::vector<std::string>{rtf});
    }
    if (!ProgramOnPath("pdftotext")) QSKIP("pdftotext is not installed");
    QCOMPARE(Shell("pdftotext '" + pdf + "' '" + keep + "/printed.txt'"), 0);
    const std::set<std::string> printed = WordsOf(keep + "/printed.txt");
    for (const char* word : kSamplePageWords) {
      QVERIFY2(printed.count(word) == 1, word);
    }
    if (!ProgramOnPath("soffice"))
      QSKIP("LibreOffice is not installed (tools/rtf-libreoffice-check)");
    const std::string out = keep + "/lo";
    std::filesystem::create_directories(out);
    QCOMPARE(ConvertWithLibreOffice({rtf}, "pdf", out), 0);
    QCOMPARE(Shell("pdftotext '" + out + "/samplepage.pdf' '" + keep + "/rtf.txt'"), 0);
    const std::set<std::string> fromRtf = WordsOf(keep + "/rtf.txt");
    QCOMPARE(fromRtf, printed);
    if (!Shots().empty()) {
      Shell("pdftoppm -r 60 -png '" + pdf + "' '" + keep + "/printed'");
      Shell("pdftoppm -r 60 -png '" + out + "/samplepage.pdf' '" + keep + "/rtf'");
    }
  }
};

QTEST_MAIN(ReportDeviceTest)
#include "reportdevice_qtest.moc"
