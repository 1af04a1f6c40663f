// Match/Merge Options in both modes, and Global Search and Replace on a real
// family file: the dialog's OK rule and the empty-replacement question, and
// the command from the Tools menu changing the places. With KORVANE_SHOTS
// set, each dialog saves its picture.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "AppCommandTest.h"
#include "AppOptions.h"
#include "CommandIds.h"
#include "GlobalReplaceDialog.h"
#include "MainFrame.h"
#include "MatchMergeOptionsDialog.h"
#include "MergeCommands.h"

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
    // Multimedia file names cannot run yet.
    search->setText(QStringLiteral("a.jpg"));
    replace->setText(QStringLiteral("b.jpg"));
    target->setCurrentIndex(0);
    QVERIFY(!dialog.IsControlEnabled(fw::kIdOk));

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
