// Add > Father with a single individual in the file: no chooser, the Edit
// Individual screen opens at once in add mode with the caption, the child's
// surname and the male sex preset; cancelling it adds nothing.
#include <QAction>
#include <QtTest>
#include <string>

#include "AddCommands.h"
#include "AppCommandTest.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EditIndividualDialog.h"
#include "KorApp.h"
#include "MainFrame.h"

class AddFatherTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(h_.Start([this] { child_ = AddLind("Ola", 'M'); },
                     [](CKorApp& app) { RegisterAddCommands(app); }));
  }
  void cleanup() { h_.Stop(); }

  void opensTheAddScreenWithoutTheChooser() {
    QTRY_COMPARE(h_.app->ActiveViewRin(), child_);
    h_.app->UpdateCommandStates();
    QAction* add = h_.app->GetMainFrame()->CommandAction(shell::kIdAddFather);
    QVERIFY(add->isEnabled());
    QVERIFY(TriggerAndInspect<CEditIndividualDialog>(add, [](CEditIndividualDialog& d) {
      QCOMPARE(d.windowTitle(), QStringLiteral("Add father for Ola Lind"));
      QVERIFY(d.Session().IsNew());
      QCOMPARE(d.Session().Model().GetSurname(), std::string("Lind"));
      QCOMPARE(d.Session().Model().GetSex(), 'M');
      if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
        d.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QStringLiteral("/add_father.png"));
    }));
    QCOMPARE(DbGetActiveRecordCount(db::kIndividual), 1);
    QCOMPARE(DbGetActiveRecordCount(db::kMarriage), 0);
  }

 private:
  AppCommandHarness h_;
  std::int32_t child_ = 0;
};

QTEST_MAIN(AddFatherTest)
#include "addfather_qtest.moc"
