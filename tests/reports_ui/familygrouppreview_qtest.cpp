// The Family Group Record in its preview window, with ZEL data on reports:
// the husband's and wife's ordinance boxes show their shaded heading row
// ("ZEL ordinance dates", "Temple") as the children's heading does.
#include <QPrintPreviewWidget>
#include <QTest>

#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyGroupFamily.h"
#include "FamilyGroupRegistration.h"
#include "ReportKinds.h"
#include "ReportPrinting.h"
#include "TempDir.h"

namespace {

// The shading of the report's heading rows: a colour no other part of the
// page has (0x00BBGGRR).
constexpr const char* kShade = "0XC0E0FF";
const QColor kShadeColor(0xFF, 0xE0, 0xC0);

bool IsShade(QRgb pixel) {
  return std::abs(qRed(pixel) - kShadeColor.red()) < 8 &&
         std::abs(qGreen(pixel) - kShadeColor.green()) < 8 &&
         std::abs(qBlue(pixel) - kShadeColor.blue()) < 8;
}

// The shaded bands of a page image: runs of rows with a stretch of shade.
int ShadedBands(const QImage& image) {
  int bands = 0;
  bool inBand = false;
  for (int y = 0; y < image.height(); ++y) {
    int shaded = 0;
    for (int x = 0; x < image.width(); ++x) shaded += IsShade(image.pixel(x, y));
    const bool row = shaded >= 20;
    if (row && !inBand) ++bands;
    inBand = row;
  }
  return bands;
}

}  // namespace

class FamilyGroupPreviewTest : public QObject {
  Q_OBJECT
  plat::FakeProfile profile_;
  TempDir dir_;
  FamilyGroupFamily family_;

 private slots:
  void initTestCase() {
    plat::SetProfilePort(&profile_);
    const std::string file = dir_.Path() + "fgr.orv";
    QCOMPARE(DbCreate(file, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
    family_ = BuildFamilyGroupFamily();
    rpt::RegisterFamilyGroupRecord();
  }
  void cleanupTestCase() {
    DbCloseCurrent();
    plat::SetProfilePort(nullptr);
  }

  void previewShowsTheSpousesOrdinanceHeadings() {
    profile_.SetInt("Options", "ShowZEL", 1);
    profile_.SetInt("Options", "ShowZelRpt", 1);
    profile_.SetString("Reports", "ShadeClr", kShade);
    rpt::CurrentReportRunState() = {};
    rpt::ReportRequest& request = rpt::CurrentReportRequest();
    request = {};
    request.startRin = family_.husband;
    request.familyMrin = family_.family;
    QWidget window;
    CReportPrinting printing(&window);
    printing.modal = false;
    printing.Printer().setOutputFormat(QPrinter::PdfFormat);
    printing.View().Setup().SetReportKind(rpt::kFamilyGroupRecord);
    QVERIFY(printing.Preview());
    CPreviewViewKor* preview = printing.PreviewWindow();
    QVERIFY(preview);
    preview->resize(1000, 1400);
    preview->show();
    QTRY_VERIFY(preview->Preview()->pageCount() > 1);
    preview->Preview()->fitInView();
    QTest::qWait(100);
    const QImage page = preview->Preview()->grab().toImage();
    if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
      page.save(qEnvironmentVariable("KORVANE_SHOTS") + "/familygroup-preview.png");
    // The husband's, the wife's and the children's heading rows.
    QCOMPARE(ShadedBands(page), 3);
    preview->close();
  }
};

QTEST_MAIN(FamilyGroupPreviewTest)
#include "familygrouppreview_qtest.moc"
