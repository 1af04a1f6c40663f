// The Check/Repair window over a run: the file, the stages with their
// counts, the error count, and Cancel that asks before it stops the run.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "CheckRepairWindow.h"
#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "QtPorts.h"

class CheckRepairWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir = std::make_unique<QTemporaryDir>();
    family = dir->filePath(QStringLiteral("family.orv")).toStdString();
    report = dir->filePath(QStringLiteral("checkfix.rpt")).toStdString();
    QCOMPARE(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    for (int i = 0; i < 80; ++i) {
      CIndividualRecord person;
      person.surname = "Adams";
      person.sex = 'F';
      QVERIFY(DbAddRecord(db::kIndividual, 0, &person) > 0);
    }
  }
  void cleanup() {
    DbCloseCurrent();
    dir.reset();
  }

  void showsTheRunAndItsErrors() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    plat::FakeShell shell;
    plat::ScopedShell scopedShell{&shell};
    // One fault: an invalid sex letter.
    std::vector<std::uint8_t> rec(orv::IndividualRec::kSize);
    auto& records = CurrentDatabase->engine->Records();
    QVERIFY(records.ReadRaw(orv::RecordKind::Individual, 3, rec.data()));
    rec[0] = 'X';
    QVERIFY(records.WriteRaw(orv::RecordKind::Individual, 3, rec.data()));

    CCheckRepairDialog window;
    CDatabaseChecker checker(family, report, *CurrentDatabase, 0, &window);
    QCOMPARE(checker.Run(), 1);
    QCOMPARE(window.GetControlText(CCheckRepairDialog::kIdcFile), family);
    QCOMPARE(window.GetControlText(CCheckRepairDialog::kIdcErrors), std::string("1"));
    QCOMPARE(window.Control<QProgressBar>(CCheckRepairDialog::kIdcTotalBar)->value(), 100);
    QVERIFY(window.isVisible());
    if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
      window.grab().save(qEnvironmentVariable("KORVANE_SHOTS") +
                         QStringLiteral("/checkrepair.png"));
    checker.Finish();
    QVERIFY(!window.isVisible());
    QCOMPARE(shell.opened.size(), std::size_t{1});
    QCOMPARE(shell.opened[0], report);
  }

  void cancelAnsweredNoGoesOnAndYesStops() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    plat::FakeShell shell;
    plat::ScopedShell scopedShell{&shell};
    fw::QtMessagePump pump;
    plat::ScopedMessagePump scopedPump{&pump};
    for (const int answer : {plat::kIdNo, plat::kIdYes}) {
      CCheckRepairDialog window;
      CDatabaseChecker checker(family, report, *CurrentDatabase, 0, &window);
      // The click waits in the queue until the run lets events through.
      QTimer::singleShot(0, &window,
                         [&window] { window.Control<QPushButton>(fw::kIdCancel)->click(); });
      boxes.QueueAnswer(answer);
      QCOMPARE(checker.Run(), answer == plat::kIdNo ? 1 : 0);
      checker.Finish();
    }
    // Each run asked once; neither found a problem.
    const std::string question = "Check/Repair is not complete.\nAre you sure you want to quit?";
    QCOMPARE(boxes.Calls().size(), std::size_t{4});
    QCOMPARE(boxes.Calls()[0].text, question);
    QCOMPARE(boxes.Calls()[1].text, std::string("No problems were found."));
    QCOMPARE(boxes.Calls()[2].text, question);
    QVERIFY(shell.opened.empty());
  }

 private:
  std::unique_ptr<QTemporaryDir> dir;
  std::string family, report;
};

QTEST_MAIN(CheckRepairWindowTest)
#include "checkrepair_qtest.moc"
