// The Add menu in the application: its commands are enabled by the
// command table's rules for the active view's individual, ask the chooser
// with the individual's name, and refuse a spouse for an individual of
// unknown sex.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QtTest>
#include <string>

#include "AddCommands.h"
#include "AppCommandTest.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EditCommands.h"
#include "EditIndividualDialog.h"
#include "FamilyViewLayout.h"
#include "FamilyViewModel.h"
#include "FieldListTyping.h"
#include "FindRecordDialog.h"
#include "IndividualListDialog.h"
#include "KorApp.h"
#include "KorView.h"
#include "KorView2.h"
#include "ListCommands.h"
#include "MainFrame.h"
#include "MarriageRecord.h"
#include "PickerDialogs.h"
#include "SmallRecordDialogs.h"
#include "StringIds.h"
#include "TestHelpers.h"

namespace {

// Runs act on the next modal dialog of class D once it shows.
template <class D>
void WhenModal(std::function<void(D*)> act) {
  QTimer::singleShot(0, [act] {
    if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) act(dialog);
  });
}

// The chooser answers Select Existing, and the Find dialog then picks rin.
void PickExistingThroughFind(std::int32_t rin) {
  WhenModal<CAddOrSelectIndividualDialog>([rin](CAddOrSelectIndividualDialog* chooser) {
    WhenModal<CFindRecordDialog>([rin](CFindRecordDialog* find) {
      find->SetControlText(CFindRecordDialog::kIdcNumber, std::to_string(rin));
      find->accept();
    });
    chooser->done(CAddOrSelectIndividualDialog::kSelectExisting);
  });
}

// The chooser answers Select Existing; the Find dialog's Individual List
// button opens the list, where rin is typed and taken with OK.
void PickExistingThroughIndividualList(std::int32_t rin, bool& listSeen) {
  WhenModal<CAddOrSelectIndividualDialog>([rin, &listSeen](CAddOrSelectIndividualDialog* chooser) {
    WhenModal<CFindRecordDialog>([rin, &listSeen](CFindRecordDialog* find) {
      WhenModal<CIndividualListDialog>([rin, &listSeen](CIndividualListDialog* list) {
        listSeen = true;
        auto* search = list->Control<QLineEdit>(CIndividualListDialog::kIdcSearch);
        search->selectAll();
        QTest::keyClicks(search, QString::number(rin));
        QTest::mouseClick(list->GetControl(fw::kIdOk), Qt::LeftButton);
      });
      QTest::mouseClick(find->GetControl(CFindRecordDialog::kIdcIndividualList), Qt::LeftButton);
    });
    chooser->done(CAddOrSelectIndividualDialog::kSelectExisting);
  });
}

CMarriageRecord MarriageOf(std::int32_t mrin) {
  CMarriageRecord m;
  family::Read(m, mrin);
  return m;
}

}  // namespace

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
          Stored(DbSetRelation(child_, 0, db::kRelParents, mrin_), "child link");
          unknown_ = AddLind("Kim", ' ');
        },
        [](CKorApp& app) {
          RegisterEditCommands(app);
          RegisterAddCommands(app);
          RegisterListCommands(app);
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

  // In the family view a spouse for a primary individual whose shown
  // marriage lacks the partner goes into that marriage after Yes to the
  // question, and into a new marriage after No.
  void spouseQuestionDecidesTheMarriage() {
    h_.app->m_options.editMarr = 0;
    const std::int32_t eva = AddLind("Eva", 'F');
    const std::int32_t alone = DbSetRelation(eva, 0, db::kRelWife, 0);
    QVERIFY(alone > 0);
    const std::string question =
        "Do you want to add this spouse to the current marriage?\nYES - The spouse will be "
        "added to the selected marriage.\nNO - The spouse will be added to a new marriage.";
    struct Case {
      int answer;
      bool intoShown;
    };
    for (const Case c : {Case{plat::kIdNo, false}, Case{plat::kIdYes, true}}) {
      const std::int32_t spouse = AddLind(c.intoShown ? "Per" : "Bo", 'M');
      Show(eva);
      h_.boxes.Clear();
      h_.boxes.QueueAnswer(c.answer);
      const std::int32_t marriages = DbGetActiveRecordCount(db::kMarriage);
      PickExistingThroughFind(spouse);
      h_.app->GetMainFrame()->CommandAction(shell::kIdAddSpouse)->trigger();
      QCOMPARE(h_.boxes.Calls().size(), std::size_t{1});
      QCOMPARE(h_.boxes.Calls().front().text, question);
      QCOMPARE(MarriageOf(alone).husband, c.intoShown ? spouse : 0);
      QCOMPARE(DbGetActiveRecordCount(db::kMarriage), marriages + (c.intoShown ? 0 : 1));
    }
    // With the partner there, no question: a new marriage.
    Show(eva);
    h_.boxes.Clear();
    const std::int32_t marriages = DbGetActiveRecordCount(db::kMarriage);
    PickExistingThroughFind(AddLind("Lars", 'M'));
    h_.app->GetMainFrame()->CommandAction(shell::kIdAddSpouse)->trigger();
    QCOMPARE(h_.boxes.Calls().size(), std::size_t{0});
    QCOMPARE(DbGetActiveRecordCount(db::kMarriage), marriages + 1);
  }

  // An existing spouse or child is chosen in the Individual List that the
  // Find dialog opens, and linked as the command says.
  void existingRelativeComesFromTheIndividualList() {
    h_.app->m_options.editMarr = 0;
    struct Case {
      unsigned command;
      const char* given;
      char sex;
    };
    for (const Case c :
         {Case{shell::kIdAddSpouse, "Ina", 'F'}, Case{shell::kIdAddChild, "Ulf", 'M'}}) {
      const std::int32_t chosen = AddLind(c.given, c.sex);
      Show(father_);
      h_.boxes.Clear();
      h_.boxes.QueueAnswer(plat::kIdNo);  // no other child
      bool listSeen = false;
      PickExistingThroughIndividualList(chosen, listSeen);
      h_.app->GetMainFrame()->CommandAction(c.command)->trigger();
      QVERIFY2(listSeen, c.given);
      if (c.command == shell::kIdAddSpouse) {
        std::vector<std::int32_t> marriages;
        DbGetRelationList(marriages, db::kRelSpouses, 0, chosen, 0);
        QCOMPARE(marriages.size(), std::size_t{1});
        QCOMPARE(MarriageOf(marriages.front()).husband, father_);
      } else {
        CIndividualRecord child;
        QCOMPARE(family::Read(child, chosen), 1);
        QCOMPARE(child.numbers[CIndividualRecord::kParentsMrin], mrin_);
      }
    }
  }

  // The Individual List that the person picker's Find dialog opens chooses
  // a person: it offers neither Edit nor Delete, so the individual in focus
  // cannot be deleted while a father is chosen for him.
  void individualListFromAPickerOffersNoEditing() {
    Show(father_);
    bool seen = false, edit = true, remove = true;
    WhenModal<CAddOrSelectIndividualDialog>([&](CAddOrSelectIndividualDialog* chooser) {
      WhenModal<CFindRecordDialog>([&](CFindRecordDialog* find) {
        WhenModal<CIndividualListDialog>([&](CIndividualListDialog* list) {
          seen = true;
          edit = list->IsControlEnabled(CIndividualListDialog::kIdcEdit);
          remove = list->IsControlEnabled(CIndividualListDialog::kIdcDelete);
          list->reject();
        });
        QTest::mouseClick(find->GetControl(CFindRecordDialog::kIdcIndividualList), Qt::LeftButton);
        if (find->isVisible()) find->reject();
      });
      chooser->done(CAddOrSelectIndividualDialog::kSelectExisting);
    });
    h_.app->GetMainFrame()->CommandAction(shell::kIdAddFather)->trigger();
    QVERIFY(seen);
    QVERIFY(!edit);
    QVERIFY(!remove);
  }

  // A marriage shown alone: Add > Individual asks whether the new one is its
  // child; Yes opens Edit Individual for a child of the marriage, No for an
  // unlinked individual.
  void individualForALoneMarriageAsksToLink() {
    CMarriageRecord empty;
    const std::int32_t lone = DbAddRecord(db::kMarriage, 0, &empty);
    QVERIFY(lone > 0);
    CKorView2* view = h_.app->ActiveFamilyView();
    QVERIFY(view);
    view->ShowMarriage(lone);
    QVERIFY(view->Model()->LoneMarriage());
    h_.app->UpdateCommandStates();
    QAction* add = h_.app->GetMainFrame()->CommandAction(shell::kIdAddIndividual);
    QVERIFY(add->isEnabled());
    struct Case {
      int answer;
      std::string caption;
    };
    const Case cases[] = {{plat::kIdYes, "Add Child for Marriage - " + std::to_string(lone)},
                          {plat::kIdNo, "Add New Individual"}};
    for (const Case& c : cases) {
      h_.boxes.Clear();
      h_.boxes.QueueAnswer(c.answer);
      std::string caption;
      WhenModal<CEditIndividualDialog>([&caption](CEditIndividualDialog* d) {
        caption = d->caption;
        d->reject();
      });
      add->trigger();
      QCOMPARE(h_.boxes.Calls().size(), std::size_t{1});
      QCOMPARE(h_.boxes.Calls().front().text,
               std::string("Would you like to link this individual to the current marriage?"));
      QCOMPARE(caption, c.caption);
    }
  }

  // The Address of a new spouse not yet named is captioned for the new
  // individual; once a name is typed, for that name.
  void addressOfANewSpouseNamesTheNewIndividual() {
    Show(father_);
    QStringList captions;
    WhenModal<CAddOrSelectIndividualDialog>([&captions](CAddOrSelectIndividualDialog* chooser) {
      WhenModal<CEditIndividualDialog>([&captions](CEditIndividualDialog* edit) {
        const auto address = [&captions, edit] {
          WhenModal<editui::CContactInfoDialog>([&captions](editui::CContactInfoDialog* d) {
            captions << d->windowTitle();
            d->reject();
          });
          QTest::mouseClick(edit->GetControl(CEditIndividualDialog::kIdcAddress), Qt::LeftButton);
        };
        address();
        TypeInto(edit->List(), res::kIdsGivenName, "Eva");
        TypeInto(edit->List(), res::kIdsSurname, "Holm");
        address();
        edit->reject();
      });
      chooser->done(CAddOrSelectIndividualDialog::kAddNew);
    });
    h_.boxes.Clear();
    h_.boxes.QueueAnswer(plat::kIdNo);  // the changes are not saved
    h_.app->GetMainFrame()->CommandAction(shell::kIdAddSpouse)->trigger();
    QCOMPARE(captions, QStringList({QStringLiteral("Contact Information for New Individual"),
                                    QStringLiteral("Contact Information for Eva Holm")}));
  }

  // Enter on the family view's empty spouse pane runs Add Spouse for the
  // primary individual.
  void emptySpousePaneAddsASpouseForThePrimary() {
    const std::int32_t eva = AddLind("Eva", 'F');
    Show(eva);
    CKorView2* view = h_.app->ActiveFamilyView();
    QVERIFY(view);
    view->Model()->Click(shell::famview::kPaneSpouse);
    std::string prompt;
    WhenModal<CAddOrSelectIndividualDialog>([&prompt](CAddOrSelectIndividualDialog* d) {
      prompt = d->Prompt();
      d->reject();
    });
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(prompt, std::string("Add spouse for\nEva Lind"));
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
