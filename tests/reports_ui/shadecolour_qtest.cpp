// The shading colour through the real settings store: the colour the Report
// Preferences dialog stores is the one the reports read back and draw. With
// KORVANE_SHOTS=<folder> a Family Group Record page in that colour, drawn as
// the preview draws it, is kept there for looking at.

#include <QImage>
#include <QPushButton>
#include <QTest>
#include <cstdlib>

#include "AppOptions.h"
#include "ChartBox.h"
#include "ChartOptionDialogs.h"
#include "ChartPageOptions.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "FamilyGroupGenerator.h"
#include "FamilyGroupKind.h"
#include "FamilyGroupRun.h"
#include "IndividualRecord.h"
#include "QtPorts.h"
#include "QtReportDevice.h"
#include "RecordAccess.h"
#include "RecordingDevice.h"
#include "ReportKinds.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

std::int32_t AddPerson(const char* given, const char* surname, char sex, int born) {
  CIndividualRecord person;
  person.surname = surname;
  person.givenNames[0] = given;
  person.sex = sex;
  person.birth.date.Set(born, 5, 14);
  person.birth.place[0] = "Ashbourne";
  return static_cast<std::int32_t>(family::Add(person, 0));
}

}  // namespace

class ShadeColourTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { previous_ = plat::SetProfilePort(&profile_); }
  void cleanup() {
    profile_.Remove("Reports", "ShadeClr");
    profile_.Remove("Options", "Shading");
    plat::SetProfilePort(previous_);
  }

  void preferencesColourReachesTheReports() {
    CAppOptions options;
    options.shading = 1;
    CReportPreferencesDialog dialog(options);
    dialog.chooseColor = [](std::uint32_t) { return 0x123456u; };
    dialog.show();
    dialog.Control<QPushButton>(CReportPreferencesDialog::kIdcShadeColor)->click();
    dialog.Control<QPushButton>(fw::kIdOk)->click();
    QCOMPARE(profile_.GetString("Reports", "ShadeClr", ""), std::string("0X123456"));
    QCOMPARE(CAppOptions::GetReportsShadeClr(), 0x123456u);
    QCOMPARE(rpt::ReadChartPageOptions(true).shadeColor, 0x123456u);

    // The Family Group Record's blank form shades its children heading.
    profile_.SetInt("Options", "Shading", 1);
    rpt::FamilyGroupOptions o;
    o.type = 2;
    rpt::CFamilyGroupGenerator generator(o, {});
    RecordingDevice dc(1000);
    dc.SetMapMode(rpt::MM_HIENGLISH);
    generator.SetUp(dc);
    generator.DrawPage(dc, 1);
    int fills = 0;
    for (const std::string& call : dc.calls)
      if (call.rfind("FillRect ", 0) == 0) {
        ++fills;
        QCOMPARE(call.substr(call.rfind(' ') + 1), std::to_string(0x123456));
      }
    QVERIFY(fills > 0);
  }

  // A family's record drawn on a picture as the preview draws it.
  void familyGroupPagePicture() {
    const char* shots = std::getenv("KORVANE_SHOTS");
    if (shots == nullptr) QSKIP("KORVANE_SHOTS not set");
    TempDir dir;
    const std::string path = dir.File("family.orv");
    QCOMPARE(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);
    const std::int32_t husband = AddPerson("Arthur", "Ashdown", 'M', 1850);
    const std::int32_t wife = AddPerson("Beatrice", "Bell", 'F', 1853);
    const std::int32_t mrin = DbSetRelation(husband, wife, db::kRelHusband, 0);
    for (const char* child : {"Charles", "Diana", "Edith"})
      QVERIFY(DbSetRelation(AddPerson(child, "Ashdown", 'M', 1878), 0, db::kRelParents, mrin) > 0);
    profile_.SetColor("Reports", "ShadeClr", 0x80C0FF);  // orange
    profile_.SetInt("Options", "Shading", 1);
    rpt::CurrentReportRunState().printState = 2;
    QImage image(850, 1100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      fw::CQtReportDevice dc(&image);
      dc.SetMapMode(rpt::MM_HIENGLISH);
      rpt::FamilyGroupOptions o;
      rpt::ReportRequest request;
      request.startRin = husband;
      request.familyMrin = mrin;
      rpt::PrintableArea area;
      rpt::GetPrintableMargins(dc, o.pageLM, o.pageTM, o.pageRM, o.pageBM, area, false);
      const rpt::FamilyGroupRunArgs args =
          rpt::FamilyGroupRunArgsFrom(request, o, dc, area.width, area.height);
      rpt::HeadlessPaginatorWindow window;
      QVERIFY(rpt::PaginateFamilyGroupRecord(args, o, window) > 0);
      rpt::CFamilyGroupGenerator generator(o, {husband, rpt::FamilyGroupLoneRole(request)});
      generator.SetUp(dc);
      generator.DrawPage(dc, 1);
      rpt::CleanupFamilyGroupPages();
    }
    rpt::CurrentReportRunState() = {};
    DbCloseCurrent();
    QVERIFY(image.save(QString::fromStdString(std::string(shots) + "/fgr-shaded.png")));
  }

  void colourOfTheDefaultWhenNoneIsStored() {
    QCOMPARE(CAppOptions::GetReportsShadeClr(), 0xF6F6F6u);
    CAppOptions options;
    CReportPreferencesDialog dialog(options);
    dialog.show();
    QCOMPARE(dialog.ShadeColor(), 0xF6F6F6u);
  }

 private:
  fw::QtProfile profile_;
  plat::ProfilePort* previous_ = nullptr;
};

QTEST_MAIN(ShadeColourTest)
#include "shadecolour_qtest.moc"
