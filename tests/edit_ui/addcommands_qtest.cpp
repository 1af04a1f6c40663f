// The Add menu in the application: its commands are enabled by the
// command table's rules for the active view's individual, ask the chooser
// with the individual's name, and refuse a spouse for an individual of
// unknown sex.
#include <QAction>
#include <QApplication>
#include <QtTest>
#include <string>

#include "AddCommands.h"
#include "AppCommandTest.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EditCommands.h"
#include "KorApp.h"
#include "KorView.h"
#include "MainFrame.h"
#include "MarriageRecord.h"
#include "PickerDialogs.h"

class AddCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(h_.Start(
        [this] {
          mrin_ = AddLindCouple(father_);
          CMarriageRecord couple;
          if (family::Read(couple, mrin_) == 1) wife_ = couple.wife;
          child_ = AddLind("Ola", 'M');
          DbSetRelation(child_, 0, db::kRelParents, mrin_);
          unknown_ = AddLind("Kim", ' ');
        },
        [](CKorApp& app) {
          RegisterEditCommands(app);
          RegisterAddCommands(app);
        }));
  }
  void cleanup() { h_.Stop(); }

  // Enabled states of the Add and Edit menus for the individual shown.
  void enablingFollowsTheShownIndividual() {
    struct Case {
      const char* who;
      std::int32_t* rin;
      unsigned id;
      bool enabled;
    };
    const Case cases[] = {
        {"father", &father_, shell::kIdAddFather, true},
        {"father", &father_, shell::kIdAddMother, true},
        {"father", &father_, shell::kIdAddSpouse, true},
        {"father", &father_, shell::kIdAddChild, true},
        {"father", &father_, shell::kIdAddIndividual, true},
        {"father", &father_, shell::kIdEditMarriage, true},
        {"child", &child_, shell::kIdAddFather, false},
        {"child", &child_, shell::kIdAddMother, false},
        {"child", &child_, shell::kIdEditMarriage, false},
        {"child", &child_, shell::kIdEditIndividual, true},
        {"child", &child_, shell::kIdEditDeleteIndividual, true},
    };
    CMainFrame* frame = h_.app->GetMainFrame();
    for (const Case& c : cases) {
      Show(*c.rin);
      QCOMPARE(h_.app->ActiveViewRin(), *c.rin);
      QVERIFY2(frame->CommandAction(c.id)->isEnabled() == c.enabled,
               qPrintable(QStringLiteral("%1 %2").arg(c.who).arg(c.id)));
    }
  }

  void fatherAsksTheChooserWithTheName() {
    Show(father_);
    CMainFrame* frame = h_.app->GetMainFrame();
    const std::int32_t before = DbGetActiveRecordCount(db::kIndividual);
    QVERIFY(TriggerAndInspect<CAddOrSelectIndividualDialog>(
        frame->CommandAction(shell::kIdAddFather), [](CAddOrSelectIndividualDialog& d) {
          QCOMPARE(d.Prompt(), std::string("Add father for\nDag Lind"));
        }));
    QCOMPARE(DbGetActiveRecordCount(db::kIndividual), before);
  }

  void spouseOfUnknownSexIsRefused() {
    h_.boxes.Clear();
    Show(unknown_);
    const std::int32_t marriages = DbGetActiveRecordCount(db::kMarriage);
    h_.app->GetMainFrame()->CommandAction(shell::kIdAddSpouse)->trigger();
    QCOMPARE(h_.boxes.Calls().size(), std::size_t{1});
    QCOMPARE(h_.boxes.Calls().front().text,
             std::string("Kim Lind\n\nmust be Male or Female to add spouse"));
    QCOMPARE(DbGetActiveRecordCount(db::kMarriage), marriages);
  }

  // Deleting the pedigree view's root moves the chart on to the next live
  // individual after it, else to the one before it.
  void deletingTheRootShowsALiveIndividual() {
    h_.boxes.Clear();
    h_.app->ShowPedigreeView();
    CKorView* pedigree = h_.app->ActivePedigreeView();
    QVERIFY(pedigree);
    QAction* remove = h_.app->GetMainFrame()->CommandAction(shell::kIdEditDeleteIndividual);
    const auto root = [&](std::int32_t rin) {
      pedigree->OnShowIndividual(rin, 0);
      QCOMPARE(pedigree->Tree().RinOf(0), rin);
      h_.app->UpdateCommandStates();
    };
    root(father_);
    h_.boxes.QueueAnswer(plat::kIdOk);
    remove->trigger();
    QCOMPARE(DbIsRecordDeleted(db::kIndividual, father_), 1);
    QCOMPARE(pedigree->Tree().RinOf(0), wife_);  // the next one after him
    // A Cancel deletes nothing.
    h_.boxes.QueueAnswer(plat::kIdCancel);
    remove->trigger();
    QCOMPARE(DbIsRecordDeleted(db::kIndividual, wife_), 0);
    QCOMPARE(pedigree->Tree().RinOf(0), wife_);
    // The last individual: the one before it.
    root(unknown_);
    h_.boxes.QueueAnswer(plat::kIdOk);
    remove->trigger();
    QCOMPARE(DbIsRecordDeleted(db::kIndividual, unknown_), 1);
    QCOMPARE(pedigree->Tree().RinOf(0), child_);
    QCOMPARE(h_.boxes.Calls().size(), std::size_t{3});
    QVERIFY(h_.boxes.Calls().front().text.rfind(
                "Dag Lind\n\nThis individual will be removed from the disk", 0) == 0);
    QVERIFY(h_.boxes.Calls().front().text.find("linked to 1 marriage(s).") != std::string::npos);
  }

 private:
  void Show(std::int32_t rin) {
    h_.app->ShowInActiveView(rin);
    QTRY_COMPARE(h_.app->ActiveViewRin(), rin);
    h_.app->UpdateCommandStates();
  }

  AppCommandHarness h_;
  std::int32_t father_ = 0, wife_ = 0, child_ = 0, unknown_ = 0, mrin_ = 0;
};

QTEST_MAIN(AddCommandsTest)
#include "addcommands_qtest.moc"
