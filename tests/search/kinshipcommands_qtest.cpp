// The relationship tools' commands in the application: enabled with a
// family file open (the calculators always), opened on the person of the
// active view, and the Descendancy List's choice moving the view.
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "AppCommandTest.h"
#include "CalculatorDialogs.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "DescendancyListDialog.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "KinshipCommands.h"
#include "KorApp.h"
#include "MainFrame.h"
#include "RecordAccess.h"
#include "RelationshipCalculatorDialog.h"

class KinshipCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(h_.Start(
        [this] {
          const std::int32_t mrin = AddLindCouple(father_);
          child_ = AddLind("Ivar", 'M');
          QVERIFY(DbSetRelation(child_, 0, db::kRelParents, mrin) > 0);
        },
        [](CKorApp& app) { RegisterKinshipCommands(app); }));
  }
  void cleanup() { h_.Stop(); }

  void commandsFollowTheOpenFile() {
    CMainFrame* frame = h_.app->GetMainFrame();
    for (unsigned id : {shell::kIdToolsRelationshipCalculator, shell::kIdToolsSoundexCalculator,
                        shell::kIdToolsDateCalculator, shell::kIdSearchDescendancy})
      QVERIFY2(frame->CommandAction(id)->isEnabled(), qPrintable(QString::number(id)));
    const std::int32_t current = h_.app->ActiveViewRin();
    QVERIFY(current > 0);

    QVERIFY(TriggerAndInspect<CRelationshipCalculatorDialog>(
        frame->CommandAction(shell::kIdToolsRelationshipCalculator),
        [current](CRelationshipCalculatorDialog& d) {
          QCOMPARE(d.Model().Person(1).rin, current);
        }));
    QVERIFY(TriggerAndInspect<CSoundexCalculatorDialog>(
        frame->CommandAction(shell::kIdToolsSoundexCalculator), [](CSoundexCalculatorDialog&) {}));

    frame->CommandAction(shell::kIdFileClose)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(h_.app->ActiveViewRin(), 0);
    QVERIFY(!frame->CommandAction(shell::kIdToolsRelationshipCalculator)->isEnabled());
    QVERIFY(!frame->CommandAction(shell::kIdSearchDescendancy)->isEnabled());
    QVERIFY(frame->CommandAction(shell::kIdToolsSoundexCalculator)->isEnabled());
    QVERIFY(frame->CommandAction(shell::kIdToolsDateCalculator)->isEnabled());
  }

  void descendancyChoiceMovesTheView() {
    CMainFrame* frame = h_.app->GetMainFrame();
    h_.app->ShowInActiveView(child_);
    QCOMPARE(h_.app->ActiveViewRin(), child_);
    QVERIFY(TriggerAndInspect<CDescendancyListDialog>(
        frame->CommandAction(shell::kIdSearchDescendancy), [this](CDescendancyListDialog& d) {
          QCOMPARE(d.Model().Current(), child_);
          d.Control<QListWidget>(CDescendancyListDialog::kIdcList)->setCurrentRow(0);
          d.accept();
        }));
    QCOMPARE(h_.app->ActiveViewRin(), father_);
  }

 private:
  AppCommandHarness h_;
  std::int32_t father_ = 0, child_ = 0;
};

QTEST_MAIN(KinshipCommandsTest)
#include "kinshipcommands_qtest.moc"
