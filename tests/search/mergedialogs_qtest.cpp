// Merge Individuals side by side (Next Match, the pre-checked boxes, the
// confirmation and Shift, Merge blocked for different sexes), Match/Merge
// Options in both modes, and Global Search and Replace on a real
// family file: the dialog's OK rule and the empty-replacement question, and
// the command from the Tools menu changing the places. With KORVANE_SHOTS
// set, each dialog saves its picture.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <deque>

#include "AppCommandTest.h"
#include "AppOptions.h"
#include "Clock.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FindRecordDialog.h"
#include "FitUnit.h"
#include "GlobalReplaceDialog.h"
#include "KinshipWidgets.h"
#include "MainFrame.h"
#include "MaintenanceCommands.h"
#include "MarriageRecord.h"
#include "MatchMergeOptionsDialog.h"
#include "MergeCommands.h"
#include "MergeIndividualsDialog.h"
#include "SortCountersWindow.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TimeStamp.h"

namespace {

void Shot(QWidget& w, const char* name) {
  if (!qEnvironmentVariableIsSet("KORVANE_SHOTS")) return;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  w.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') +
                QString::fromLatin1(name) + QStringLiteral(".png"));
}

std::int32_t BornIn(const char* given, const char* town) {
  CIndividualRecord person;
  person.surname = "Lind";
  person.givenNames[0] = given;
  person.sex = 'F';
  person.birth.place[0] = town;
  return static_cast<std::int32_t>(family::Add(person, 0));
}

// A new family file opened for one test, with message boxes and profile
// faked; closed at the end.
struct OpenFamily {
  OpenFamily() {
    const std::string path = dir.filePath(QStringLiteral("family.orv")).toStdString();
    opened = DbCreate(path, CFamilyDatabase::kCurrentFormat) == 1 &&
             DbOpen(path, CFamilyDatabase::kCurrentFormat) == 1;
  }
  ~OpenFamily() {
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
  }
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  QTemporaryDir dir;
  bool opened = false;
};

// The backup's save dialog answered with one path.
class BackupPathScreens : public shell::MaintenanceScreens {
 public:
  std::string AskBackupPath(const std::string&, const std::string&) override { return answer; }
  std::string AskRestorePath(const std::string&) override { return {}; }
  std::string AskDeletePath(const std::string&) override { return {}; }
  void BeginClosedWork() override {}
  void EndClosedWork() override {}
  std::string answer;
};

}  // namespace

class MergeDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void optionsStoreAndReportModeRestricts() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes(&boxes);
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile(&profile);
    CAppOptions options;
    options.Load();
    using D = CMatchMergeOptionsDialog;
    {
      D dialog(options, false);
      QCOMPARE(dialog.windowTitle(), QStringLiteral("Match/Merge Options"));
      dialog.show();
      Shot(dialog, "matchmergeoptions");
      QCOMPARE(dialog.GetControlText(D::kIdcYears), std::string("10"));
      QCOMPARE(dialog.GetCheck(D::kIdcParents), 1);
      QCOMPARE(dialog.GetCheck(D::kIdcSurname), 0);
      for (int id : {D::kIdcNotes, D::kIdcCitations, D::kIdcMedia, D::kIdcVerify})
        QVERIFY(dialog.IsControlEnabled(id));
      dialog.SetCheck(D::kIdcSurname, 1);
      dialog.SetCheck(D::kIdcParents, 0);
      dialog.SetCheck(D::kIdcVerify, 0);
      dialog.SetControlText(D::kIdcYears, "-1");
      dialog.Control<QPushButton>(fw::kIdOk)->click();
      QVERIFY(dialog.isVisible());  // out of range: refused
      QCOMPARE(options.mrgSurname, 0);
      dialog.SetControlText(D::kIdcYears, "0");
      dialog.Control<QPushButton>(fw::kIdOk)->click();
      QVERIFY(!dialog.isVisible());
    }
    const MatchOptions stored = MatchOptionsOf(options);
    QCOMPARE(stored.mrgSurname, 1);
    QCOMPARE(stored.mrgParents, 0);
    QCOMPARE(stored.mrgVerify, 0);
    QCOMPARE(stored.mrgYears, 0);
    QCOMPARE(profile.GetInt("Options", "MrgSurname", -1), 1);
    QCOMPARE(profile.GetInt("Options", "MrgYears", -1), 0);

    D report(options, true);
    QCOMPARE(report.windowTitle(), QStringLiteral("Duplicate Individuals Report Options"));
    report.show();
    Shot(report, "matchmergeoptions_report");
    for (int id : {D::kIdcNotes, D::kIdcCitations, D::kIdcMedia, D::kIdcVerify})
      QVERIFY(!report.IsControlEnabled(id));
    QVERIFY(report.IsControlEnabled(D::kIdcMiddles));
  }

  void mergeIndividualsSideBySide() {
    OpenFamily family;
    QVERIFY(family.opened);
    plat::FakeMessageBox& boxes = family.boxes;
    const std::int32_t anna = BornIn("Anna", "");
    std::int32_t ana = 0;
    {
      CIndividualRecord r;
      r.surname = "Lind";
      r.givenNames[0] = "Ana";
      r.sex = 'F';
      r.birth.place[0] = "Lyon";
      r.texts1[1] = "S-7";
      ana = static_cast<std::int32_t>(family::Add(r, 0));
    }
    const std::int32_t olaf = BornIn("Olaf", "Bonn");
    const std::int32_t olafTwin = BornIn("Olof", "Bonn");
    CAppOptions options;
    options.Load();
    options.mrgDob = 1;
    using D = CMergeIndividualsDialog;
    D dialog(options, CMergeWorkFile::kNameMode);
    bool shift = false;
    dialog.shiftHeld = [&shift] { return shift; };
    std::vector<bool> answers{false};
    int asked = 0;
    dialog.askMerge = [&] { return answers[asked++]; };
    dialog.show();
    QVERIFY(!dialog.IsControlEnabled(D::kIdcMerge));
    QVERIFY(!dialog.IsControlEnabled(D::kIdcSwitch));
    CIndividualRecord after;
    QTest::mouseClick(dialog.Control<QPushButton>(D::kIdcNextMatch), Qt::LeftButton);
    QCOMPARE(dialog.session.Primary(), anna);
    QCOMPARE(dialog.session.Duplicate(), ana);
    // The work file was sorted under the three counters.
    CSortCountersWindow* sort = dialog.SortWindow();
    QCOMPARE(sort->windowTitle(), QStringLiteral("Merge Sort File"));
    const QString all = QString::number(DbGetActiveRecordCount(db::kIndividual));
    QCOMPARE(sort->RecordsText(), all);
    QCOMPARE(sort->ProcessedText(), all);
    QCOMPARE(sort->SortedText(), all);
    QVERIFY(!sort->isVisible());
    Shot(dialog, "mergeindividuals");
    QCOMPARE(dialog.GetControlText(D::kIdcPrimaryHeading),
             "Primary Individual - " + std::to_string(anna));
    QCOMPARE(dialog.GetControlText(D::kIdcBirthPlace), std::string("Lyon"));
    // What the primary lacks starts checked.
    QCOMPARE(dialog.GetCheck(D::kIdcBirthPlace), 1);
    QCOMPARE(dialog.GetCheck(D::kIdcSbn), 1);
    QCOMPARE(dialog.GetCheck(D::kIdcName), 0);
    QVERIFY(dialog.IsControlEnabled(D::kIdcMerge));
    // No keeps both; Shift merges without asking.
    dialog.Control<QPushButton>(D::kIdcMerge)->click();
    QCOMPARE(asked, 1);
    QCOMPARE(dialog.session.Duplicate(), ana);
    QVERIFY(!dialog.merged);
    shift = true;
    // A read-only file refuses the merge with its message; nothing changes.
    dialog.readOnly = [] { return true; };
    dialog.Control<QPushButton>(D::kIdcMerge)->click();
    QVERIFY(!dialog.merged);
    QCOMPARE(boxes.Calls().size(), std::size_t{1});
    QCOMPARE(boxes.Calls()[0].text, res::LoadString(res::kIdsReadOnlyDevice));
    QCOMPARE(DbGetIndividualRecord(ana, after, 1), 1);
    boxes.Clear();
    dialog.readOnly = [] { return false; };
    dialog.Control<QPushButton>(D::kIdcMerge)->click();
    QCOMPARE(asked, 1);
    QVERIFY(boxes.Calls().empty());
    QVERIFY(dialog.merged);
    QCOMPARE(dialog.session.Duplicate(), 0);
    QCOMPARE(DbGetIndividualRecord(anna, after, 9), 1);
    QCOMPARE(after.birth.place[0], std::string("Lyon"));
    QCOMPARE(after.texts1[1], std::string("S-7"));
    QVERIFY(DbGetIndividualRecord(ana, after, 1) != 1);
    // Once the Olaf pair differs in sex, Merge is disabled with the reason.
    dialog.Control<QPushButton>(D::kIdcNextMatch)->click();
    QCOMPARE(dialog.session.Primary(), olaf);
    QCOMPARE(dialog.session.Duplicate(), olafTwin);
    QVERIFY(dialog.IsControlEnabled(D::kIdcMerge));
    {
      CIndividualRecord r;
      QCOMPARE(DbGetIndividualRecord(olafTwin, r, 9), 1);
      r.sex = 'M';
      QCOMPARE(family::Update(r, 0), 1);
    }
    dialog.ShowPanels();
    QVERIFY(!dialog.IsControlEnabled(D::kIdcMerge));
    QCOMPARE(dialog.GetControlText(D::kIdcBlock),
             std::string("You cannot merge these two individuals because their sex is different."));
    Shot(dialog, "mergeindividuals_blocked");
    dialog.Control<QPushButton>(D::kIdcSwitch)->click();
    QCOMPARE(dialog.session.Primary(), olafTwin);
    dialog.close();
    DbCloseCurrent();
  }

  // Long places are fitted to the panel's place column: the dialog keeps
  // its width (it used to grow past a 1,600 pixel screen).
  void longPlacesAreFittedToThePanel() {
    OpenFamily family;
    QVERIFY(family.opened);
    const std::string part(40, 'x');
    for (const char* given : {"Ada", "Ada"}) {
      CIndividualRecord r;
      r.surname = "Lind";
      r.givenNames[0] = given;
      r.sex = 'F';
      r.birth.date.Set(1850, 3, 12);
      for (std::string& place : r.birth.place) place = "Oxbridge " + part;
      r.death.place[0] = "Oxbridge " + part;
      r.death.place[1] = "Longshire " + part;
      QVERIFY(family::Add(r, 0) > 0);
    }
    CAppOptions options;
    options.Load();
    options.mrgDob = 1;
    using D = CMergeIndividualsDialog;
    D dialog(options, CMergeWorkFile::kNameMode);
    dialog.show();
    QTest::mouseClick(dialog.Control<QPushButton>(D::kIdcNextMatch), Qt::LeftButton);
    QVERIFY(dialog.session.Duplicate() > 0);
    Shot(dialog, "mergeindividuals_longplaces");
    const int column = dialog.DialogUnitsToPixels(90, 0).width();
    for (int id : {D::kIdcBirthPlace, D::kIdcDeathPlace}) {
      auto* box = dialog.Control<QCheckBox>(id);
      const QString text = box->text();
      QVERIFY2(text.contains(QStringLiteral("xxx")), qPrintable(text));
      QVERIFY2(box->fontMetrics().horizontalAdvance(text) <= column, qPrintable(text));
      QVERIFY(text.size() <= 81);
    }
    for (int row = 1; row <= 4; ++row) {
      auto* label = dialog.Control<QLabel>(D::kIdcPrimaryRows + row);
      QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <
                   dialog.DialogUnitsToPixels(170, 0).width(),
               qPrintable(label->text()));
    }
    QVERIFY2(dialog.sizeHint().width() < 1000,
             qPrintable(QString::number(dialog.sizeHint().width())));
  }

  void sortWindowCountsAndCancels() {
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    CSortCountersWindow sort(&owner);
    sort.Begin("Merge Sort File", 120);
    QVERIFY(sort.isVisible());
    QCOMPARE(sort.RecordsText(), QStringLiteral("120"));
    QCOMPARE(sort.ProcessedText(), QStringLiteral("0"));
    sort.SetProcessed(50);
    sort.SetSorted(100);
    QCOMPARE(sort.ProcessedText(), QStringLiteral("50"));
    QCOMPARE(sort.SortedText(), QStringLiteral("100"));
    Shot(sort, "sortcounters");
    QVERIFY(!sort.CancelRequested());
    QTest::mouseClick(sort.findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
    QVERIFY(sort.CancelRequested());
    sort.End();
    QVERIFY(!sort.isVisible());
    // A new build starts without the old Cancel.
    sort.Begin("Merge Sort File", 3);
    QVERIFY(!sort.CancelRequested());
    sort.End();
  }

  void marriagePageChoosesTheMarriagesTaken() {
    OpenFamily family;
    QVERIFY(family.opened);
    plat::FakeMessageBox& boxes = family.boxes;
    // The two sides were last changed on different days.
    struct FixedClock {
      ~FixedClock() { plat::SetFixedTime(0); }
    } clock;
    const std::time_t primaryDay = 631195200;     // 1990-01-01 12:00 UTC
    const std::time_t duplicateDay = 1000000000;  // 2001-09-09
    plat::SetFixedTime(primaryDay);
    const std::int32_t anna = BornIn("Anna", "");
    plat::SetFixedTime(duplicateDay);
    const std::int32_t ana = BornIn("Anna", "");
    const auto husband = [](const char* given) {
      CIndividualRecord r;
      r.surname = "Berg";
      r.givenNames[0] = given;
      r.sex = 'M';
      return static_cast<std::int32_t>(family::Add(r, 0));
    };
    const std::int32_t bo = husband("Bo");
    const std::int32_t cy = husband("Cy");
    const std::int32_t withBo = DbSetRelation(bo, ana, db::kRelHusband, 0);
    const std::int32_t withCy = DbSetRelation(cy, ana, db::kRelHusband, 0);
    QVERIFY(withBo > 0 && withCy > 0);
    {
      CMarriageRecord m;
      QCOMPARE(family::Read(m, withBo), 1);
      m.marriage.date.Set(1921, 6, 4);
      m.marriage.place[0] = "Saint-Germain-en-Laye";
      m.marriage.place[1] = "Arrondissement de Saint-Germain-en-Laye";
      m.marriage.place[2] = "Yvelines";
      m.marriage.place[3] = "France";
      QCOMPARE(family::Update(m, 0), 1);
    }
    CAppOptions options;
    options.Load();
    options.mrgDob = 1;
    using D = CMergeIndividualsDialog;
    D dialog(options, CMergeWorkFile::kNameMode);
    dialog.shiftHeld = [] { return true; };
    dialog.show();
    dialog.Control<QPushButton>(D::kIdcNextMatch)->click();
    QCOMPARE(dialog.session.Primary(), anna);
    QCOMPARE(dialog.session.Duplicate(), ana);
    // Each side shows the day of its own last change.
    const auto day = [](std::time_t t) {
      CTimeStamp stamp;
      stamp.Set(t);
      return stamp.FormatDate();
    };
    QVERIFY(day(primaryDay) != day(duplicateDay));
    QCOMPARE(dialog.GetControlText(D::kIdcPrimaryLastChanged), day(primaryDay));
    QCOMPARE(dialog.GetControlText(D::kIdcDuplicateLastChanged), day(duplicateDay));
    QVERIFY(dialog.GetControlText(D::kIdcPrimaryLastChanged).find("1990") != std::string::npos);
    // The spouse lines name the duplicate's husbands; the primary has none.
    QCOMPARE(dialog.GetControlText(D::kIdcDuplicateFamilyRows + 2), std::string("Bo Berg"));
    QCOMPARE(dialog.GetControlText(D::kIdcDuplicateFamilyRows + 3), std::string("Cy Berg"));
    QCOMPARE(dialog.GetControlText(D::kIdcPrimaryFamilyRows + 2), std::string());
    auto* pages = dialog.Control<QTabWidget>(D::kIdcPages);
    pages->setCurrentIndex(1);
    // The merge waits for the individual page.
    QVERIFY(!dialog.IsControlEnabled(D::kIdcMerge));
    QVERIFY(!dialog.IsControlEnabled(D::kIdcNextMatch));
    auto* theirs = dialog.Control<QListWidget>(D::kIdcDuplicateMarriages);
    QCOMPARE(theirs->count(), 2);
    QCOMPARE(dialog.Control<QListWidget>(D::kIdcPrimaryMarriages)->count(), 0);
    QVERIFY(theirs->item(0)->isSelected() && theirs->item(1)->isSelected());
    // Lines are MRIN, spouse, date and place at the list's tab stops, the
    // place fitted into its column.
    QVERIFY(dynamic_cast<kinui::TabStopDelegate*>(theirs->itemDelegate()) != nullptr);
    const QStringList columns = theirs->item(0)->text().split(QLatin1Char('\t'));
    QCOMPARE(columns.size(), 4);
    QCOMPARE(columns[0], QString::number(withBo));
    QCOMPARE(columns[1], QStringLiteral("Bo Berg"));
    QVERIFY2(columns[2].contains(QStringLiteral("1921")), qPrintable(columns[2]));
    QVERIFY2(columns[3].endsWith(QStringLiteral(", France")), qPrintable(columns[3]));
    QVERIFY2(QFontMetrics(theirs->font()).horizontalAdvance(columns[3]) <= 200,
             qPrintable(columns[3]));
    QVERIFY(columns[3] !=
            QStringLiteral("Saint-Germain-en-Laye, Arrondissement de Saint-Germain-en-Laye, "
                           "Yvelines, France"));
    QCOMPARE(theirs->item(1)->text().split(QLatin1Char('\t')).size(), 4);
    Shot(dialog, "mergeindividuals_marriages");
    // Only the marriage to Bo is taken; asked about the one left behind, No
    // keeps it in the file without the duplicate.
    theirs->item(1)->setSelected(false);
    pages->setCurrentIndex(0);
    QVERIFY(dialog.IsControlEnabled(D::kIdcMerge));
    boxes.QueueAnswer(plat::kIdNo);
    dialog.Control<QPushButton>(D::kIdcMerge)->click();
    QVERIFY(dialog.merged);
    QCOMPARE(boxes.Calls().size(), std::size_t{1});
    QVERIFY2(boxes.Calls()[0].text.rfind("1 of the duplicate's marriages", 0) == 0,
             boxes.Calls()[0].text.c_str());
    CMarriageRecord m;
    QCOMPARE(family::Read(m, withBo), 1);
    QCOMPARE(m.wife, anna);
    QCOMPARE(family::Read(m, withCy), 1);
    QCOMPARE(m.husband, cy);
    QCOMPARE(m.wife, 0);
    // The duplicate side is empty again, its last change too.
    QCOMPARE(dialog.GetControlText(D::kIdcDuplicateLastChanged), std::string());
    dialog.close();
    DbCloseCurrent();
  }

  void findChoosesASideAndRefusesTheOtherSidesIndividual() {
    OpenFamily family;
    QVERIFY(family.opened);
    plat::FakeMessageBox& boxes = family.boxes;
    const std::int32_t anna = BornIn("Anna", "Lyon");
    const std::int32_t berta = BornIn("Berta", "Nice");
    {
      CIndividualRecord r;
      QCOMPARE(DbGetIndividualRecord(berta, r, 9), 1);
      r.baptism.templeCode = "LOGAN";
      QCOMPARE(family::Update(r, 0), 1);
    }
    CAppOptions options;
    options.Load();
    options.showZel = 1;
    using D = CMergeIndividualsDialog;
    D dialog(options, CMergeWorkFile::kNameMode);
    dialog.show();
    // Answers the Find dialog with number.
    const auto find = [&](int button, std::int32_t number) {
      QTimer::singleShot(0, [number] {
        auto* f = qobject_cast<CFindRecordDialog*>(QApplication::activeModalWidget());
        if (f == nullptr) return;
        f->SetControlText(CFindRecordDialog::kIdcNumber, std::to_string(number));
        f->Control<QPushButton>(fw::kIdOk)->click();
      });
      dialog.Control<QPushButton>(button)->click();
    };
    find(D::kIdcPrimaryFind, anna);
    QCOMPARE(dialog.session.Primary(), anna);
    find(D::kIdcDuplicateFind, berta);
    QCOMPARE(dialog.session.Duplicate(), berta);
    QCOMPARE(dialog.GetControlText(D::kIdcDuplicateHeading),
             "Duplicate Individual - " + std::to_string(berta));
    QVERIFY(boxes.Calls().empty());
    // With ZEL data the ordinance rows show, the baptism the primary lacks
    // already chosen.
    QVERIFY(dialog.GetControl(D::kIdcBaptism)->isVisible());
    QCOMPARE(dialog.GetControlText(D::kIdcBaptism), std::string("LOGAN"));
    QCOMPARE(dialog.GetCheck(D::kIdcBaptism), 1);
    QCOMPARE(dialog.GetCheck(D::kIdcEndowment), 0);
    QVERIFY(dialog.Choices().zelShown && dialog.Choices().baptism);
    Shot(dialog, "mergeindividuals_zel");
    // The primary cannot also be the duplicate.
    find(D::kIdcDuplicateFind, anna);
    QCOMPARE(dialog.session.Duplicate(), berta);
    QCOMPARE(boxes.Calls().size(), std::size_t{1});
    QCOMPARE(boxes.Calls()[0].caption, std::string("Invalid Merge RIN"));
    dialog.close();
    DbCloseCurrent();
  }

  // Without ZEL data the ordinance rows are hidden and the dialog is
  // shorter, yet a merge still hands the duplicate's baptism to a primary
  // without one and keeps the primary's own endowment.
  void zelRowsHiddenYetOrdinancesMove() {
    OpenFamily family;
    QVERIFY(family.opened);
    const std::int32_t anna = BornIn("Anna", "Lyon");
    const std::int32_t ana = BornIn("Anna", "Lyon");
    const auto ordinances = [](std::int32_t rin, const char* baptism, const char* endowment) {
      CIndividualRecord r;
      QVERIFY(DbGetIndividualRecord(rin, r, 9) == 1);
      r.baptism.templeCode = baptism;
      r.endowment.templeCode = endowment;
      QVERIFY(family::Update(r, 0) == 1);
    };
    ordinances(anna, "", "SLAKE");
    ordinances(ana, "LOGAN", "MANTI");
    CAppOptions options;
    options.Load();
    options.mrgDob = 1;
    using D = CMergeIndividualsDialog;
    options.showZel = 1;
    int zelHeight = 0;
    {
      D shown(options, CMergeWorkFile::kNameMode);
      shown.show();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
      zelHeight = shown.height();
      shown.close();
    }
    options.showZel = 0;
    D dialog(options, CMergeWorkFile::kNameMode);
    dialog.shiftHeld = [] { return true; };
    dialog.show();
    dialog.Control<QPushButton>(D::kIdcNextMatch)->click();
    QCOMPARE(dialog.session.Primary(), anna);
    QCOMPARE(dialog.session.Duplicate(), ana);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QVERIFY2(dialog.height() < zelHeight,
             qPrintable(QStringLiteral("%1 < %2").arg(dialog.height()).arg(zelHeight)));
    for (int id :
         {D::kIdcBaptism, D::kIdcEndowment, D::kIdcSealingToParents, D::kIdcPrimaryZelRows})
      QVERIFY(!dialog.GetControl(id)->isVisible());
    // A birth with a place and no date shows just the place.
    QCOMPARE(dialog.GetControlText(D::kIdcPrimaryRows + 1), std::string("Lyon"));
    Shot(dialog, "mergeindividuals_nozel");
    QVERIFY(!dialog.Choices().zelShown);
    dialog.Control<QPushButton>(D::kIdcMerge)->click();
    QVERIFY(dialog.merged);
    CIndividualRecord after;
    QCOMPARE(DbGetIndividualRecord(anna, after, 9), 1);
    QCOMPARE(after.baptism.templeCode, std::string("LOGAN"));
    QCOMPARE(after.endowment.templeCode, std::string("SLAKE"));
    dialog.close();
    DbCloseCurrent();
  }

  void autoMergeShowsEachPairAndCounts() {
    OpenFamily family;
    QVERIFY(family.opened);
    plat::FakeMessageBox& boxes = family.boxes;
    std::vector<std::int32_t> rins;
    for (const char* given : {"Anna", "Anna", "Bo", "Bo"}) {
      CIndividualRecord r;
      r.surname = "Lind";
      r.givenNames[0] = given;
      r.sex = 'F';
      r.texts1[1] = given;
      rins.push_back(static_cast<std::int32_t>(family::Add(r, 0)));
    }
    CAppOptions options;
    options.Load();
    CMergeIndividualsDialog dialog(options, CMergeWorkFile::kSbnMode);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Merge on SBNs"));
    dialog.show();
    std::vector<std::string> shown;
    std::deque<MergeConfirmPort::Answer> answers{MergeConfirmPort::kNo, MergeConfirmPort::kYes};
    const int merged = dialog.AutoMerge([&] {
      shown.push_back(dialog.GetControlText(CMergeIndividualsDialog::kIdcPrimaryHeading) + " / " +
                      dialog.GetControlText(CMergeIndividualsDialog::kIdcDuplicateHeading));
      const MergeConfirmPort::Answer a = answers.front();
      answers.pop_front();
      return a;
    });
    QCOMPARE(merged, 1);
    QVERIFY(dialog.merged);
    const std::vector<std::string> expected{
        "Primary Individual - " + std::to_string(rins[0]) + " / Duplicate Individual - " +
            std::to_string(rins[1]),
        "Primary Individual - " + std::to_string(rins[2]) + " / Duplicate Individual - " +
            std::to_string(rins[3])};
    QCOMPARE(shown, expected);
    QCOMPARE(boxes.Calls().size(), std::size_t{1});
    QCOMPARE(boxes.Calls()[0].text, std::string("1 duplicate individual(s) merged."));
    QCOMPARE(boxes.Calls()[0].caption, std::string("AutoMerge Complete!"));
    CConfirmMergeDialog confirm;
    confirm.show();
    Shot(confirm, "confirmmerge");
    QCOMPARE(CConfirmMergeDialog::AnswerOf(7), MergeConfirmPort::kNo);
    QCOMPARE(CConfirmMergeDialog::AnswerOf(1), MergeConfirmPort::kYesToAll);
    QCOMPARE(CConfirmMergeDialog::AnswerOf(2), MergeConfirmPort::kCancel);
    confirm.Control<QPushButton>(CConfirmMergeDialog::kIdYes)->click();
    QCOMPARE(confirm.result(), CConfirmMergeDialog::kIdYes);
    dialog.close();
    DbCloseCurrent();
  }

  void confirmQuestionStoresTheBoxOnEitherAnswer() {
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile(&profile);
    CAppOptions options;
    options.Load();
    QCOMPARE(options.mrgVerify, 1);
    using Q = CConfirmMergeQuestionDialog;
    struct Row {
      bool untick;
      int button;
      int verify;
    } rows[] = {{true, Q::kIdNo, 0}, {false, Q::kIdYes, 1}, {true, Q::kIdYes, 0}};
    for (const Row& row : rows) {
      options.mrgVerify = 1;
      Q question(options);
      question.show();
      Shot(question, "confirmmergequestion");
      QCOMPARE(question.GetCheck(Q::kIdcAskEachTime), 1);
      if (row.untick) question.SetCheck(Q::kIdcAskEachTime, 0);
      question.Control<QPushButton>(row.button)->click();
      QCOMPARE(question.result(), row.button);
      QCOMPARE(options.mrgVerify, row.verify);
    }
  }

  void okFollowsTheTexts() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scoped(&boxes);
    CGlobalReplaceDialog dialog;
    auto* target = dialog.Control<QComboBox>(CGlobalReplaceDialog::kIdcTarget);
    QCOMPARE(target->count(), 2);
    QCOMPARE(target->currentIndex(), 0);
    QCOMPARE(target->itemText(1), QStringLiteral("Places"));
    dialog.show();
    Shot(dialog, "globalreplace");
    auto* search = dialog.Control<QLineEdit>(CGlobalReplaceDialog::kIdcSearch);
    auto* replace = dialog.Control<QLineEdit>(CGlobalReplaceDialog::kIdcReplace);
    target->setCurrentIndex(1);
    struct Row {
      const char* search;
      const char* replace;
      bool ok;
    } rows[] = {{"", "", false},
                {"Ulm", "", true},
                {"Ulm", "Ulm", false},
                {"Ulm", "ulm", true},
                {"", "Bonn", false}};
    for (const Row& row : rows) {
      search->setText(QString::fromLatin1(row.search));
      replace->setText(QString::fromLatin1(row.replace));
      QCOMPARE(dialog.IsControlEnabled(fw::kIdOk), row.ok);
    }
    // Multimedia file names follow the same rule.
    search->setText(QStringLiteral("a.jpg"));
    replace->setText(QStringLiteral("b.jpg"));
    target->setCurrentIndex(0);
    QVERIFY(dialog.IsControlEnabled(fw::kIdOk));

    // An empty replacement asks; No keeps the dialog open.
    target->setCurrentIndex(1);
    search->setText(QStringLiteral("Old "));
    replace->setText(QString());
    boxes.QueueAnswer(plat::kIdNo);
    dialog.Control<QPushButton>(fw::kIdOk)->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(boxes.Calls().size(), std::size_t{1});
    QCOMPARE(boxes.Calls()[0].text,
             std::string("Do you want to delete all occurrences of 'Old '?"));
    boxes.QueueAnswer(plat::kIdYes);
    dialog.Control<QCheckBox>(CGlobalReplaceDialog::kIdcCaseSensitive)->setChecked(true);
    dialog.Control<QPushButton>(fw::kIdOk)->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(fw::kIdOk));
    QCOMPARE(dialog.job.target, int(CGlobalReplaceJob::kPlacesTarget));
    QCOMPARE(dialog.job.search, std::string("Old "));
    QVERIFY(dialog.job.replacement.empty());
    QVERIFY(dialog.job.caseSensitive);
  }

  // Tools > Match/Merge offers a backup as it opens (Yes makes one) and Find
  // on the empty primary side starts on the person the view shows.
  void matchMergeOffersABackupAndStartsOnTheCurrentPerson() {
    AppCommandHarness harness;
    std::int32_t ada = 0;
    QVERIFY(harness.Start(
        [&] {
          BornIn("Bo", "Bonn");
          ada = BornIn("Ada", "Ulm");
        },
        [](CKorApp& app) { RegisterMergeCommands(app); }));
    BackupPathScreens screens;
    screens.answer = harness.dir.filePath(QStringLiteral("before-merge.bak")).toStdString();
    harness.app->SetMaintenanceScreens(&screens);
    harness.app->ShowInActiveView(ada);
    QTRY_COMPARE(harness.app->ActiveViewRin(), ada);
    harness.boxes.QueueAnswer(plat::kIdYes);

    std::int32_t findStart = -1;
    std::string findText;
    int ticks = 0;
    QTimer driver;
    connect(&driver, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* find = qobject_cast<CFindRecordDialog*>(modal)) {
        findStart = find->find.number;
        findText = find->find.searchText;
        find->reject();
      } else if (auto* merge = qobject_cast<CMergeIndividualsDialog*>(modal)) {
        if (findStart >= 0)
          merge->reject();
        else if (++ticks == 5)
          QTimer::singleShot(0,
                             merge->Control<QPushButton>(CMergeIndividualsDialog::kIdcPrimaryFind),
                             &QPushButton::click);
      }
    });
    driver.start(20);
    harness.app->GetMainFrame()->CommandAction(shell::kIdToolsMatchMerge)->trigger();
    driver.stop();

    QVERIFY(!harness.boxes.Calls().empty());
    QCOMPARE(harness.boxes.Calls()[0].text, res::LoadString(res::kIdsBackupFirst));
    QCOMPARE(harness.boxes.Calls()[0].caption, std::string("WARNING!"));
    QVERIFY(QFileInfo::exists(QString::fromStdString(screens.answer)));
    QCOMPARE(findStart, ada);
    QCOMPARE(findText, std::string("Lind, Ada"));
    harness.app->SetMaintenanceScreens(nullptr);
    harness.Stop();
  }

  void commandChangesThePlaces() {
    AppCommandHarness harness;
    std::int32_t ulm = 0, bonn = 0;
    QVERIFY(harness.Start(
        [&] {
          ulm = BornIn("Ada", "Ulm");
          bonn = BornIn("Bo", "Bonn");
        },
        [](CKorApp& app) { RegisterMergeCommands(app); }));
    QAction* action = harness.app->GetMainFrame()->CommandAction(shell::kIdToolsSearchReplace);
    QVERIFY(action->isEnabled());
    QVERIFY(TriggerAndInspect<CGlobalReplaceDialog>(action, [](CGlobalReplaceDialog& d) {
      d.Control<QComboBox>(CGlobalReplaceDialog::kIdcTarget)->setCurrentIndex(1);
      d.Control<QLineEdit>(CGlobalReplaceDialog::kIdcSearch)->setText(QStringLiteral("ULM"));
      d.Control<QLineEdit>(CGlobalReplaceDialog::kIdcReplace)->setText(QStringLiteral("Neu-Ulm"));
      d.Control<QPushButton>(fw::kIdOk)->click();
    }));
    CIndividualRecord r;
    QCOMPARE(DbGetIndividualRecord(ulm, r, 9), 1);
    QCOMPARE(r.birth.place[0], std::string("Neu-Ulm"));
    QCOMPARE(DbGetIndividualRecord(bonn, r, 9), 1);
    QCOMPARE(r.birth.place[0], std::string("Bonn"));
    QVERIFY(!harness.boxes.Calls().empty());
    QCOMPARE(harness.boxes.Calls().back().text, std::string("Changed 1 places."));
    harness.Stop();
  }
};

QTEST_MAIN(MergeDialogsTest)
#include "mergedialogs_qtest.moc"
