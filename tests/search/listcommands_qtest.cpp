// The list commands in the application: Search > Individual List and
// Marriage List are enabled with a family file open, the Individual List
// opens on the active view's individual, and a choice in either moves the
// view.
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "AppCommandTest.h"
#include "AppScreens.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FilterSet.h"
#include "IndividualListDialog.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "KorDoc.h"
#include "ListCommands.h"
#include "MainFrame.h"
#include "RecordAccess.h"

namespace {

std::int32_t AddPerson(const char* given, char sex) {
  CIndividualRecord person;
  person.surname = "Lind";
  person.givenNames[0] = given;
  person.sex = sex;
  return static_cast<std::int32_t>(family::Add(person, 0));
}

}  // namespace

class ListCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    scopedBoxes_ = std::make_unique<plat::ScopedMessageBox>(&boxes_);
    scopedProfile_ = std::make_unique<plat::ScopedProfile>(&profile_);
    path_ = dir_.filePath(QStringLiteral("family.orv")).toStdString();
    QCOMPARE(DbCreate(path_, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path_, CFamilyDatabase::kCurrentFormat), 1);
    for (const char* given : {"Ada", "Bo", "Cy", "Di", "Ed"}) AddPerson(given, 'F');
    lonely_ = DbSetRelation(AddPerson("Fay", 'F'), 0, db::kRelWife, 0);
    DbCloseCurrent();
    app_ = std::make_unique<CKorApp>();
    app_->SetDialogs(&dialogs_);
    RegisterListCommands(*app_);
    QVERIFY(app_->InitInstance("-s " + path_));
  }
  void cleanup() {
    app_.reset();
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
    scopedProfile_.reset();
    scopedBoxes_.reset();
  }

  void individualListOpensOnTheViewAndMovesIt() {
    CMainFrame* frame = app_->GetMainFrame();
    QAction* action = frame->CommandAction(shell::kIdSearchIndividualList);
    QVERIFY(action->isEnabled());
    QVERIFY(frame->CommandAction(shell::kIdSearchMarriageList)->isEnabled());
    const std::int32_t current = app_->ActiveViewRin();
    QVERIFY(current > 0);
    QVERIFY(TriggerAndInspect<CIndividualListDialog>(action, [current](CIndividualListDialog& d) {
      QCOMPARE(d.Model().SelectedRin(), current);
      QVERIFY(!d.GetControl(CIndividualListDialog::kIdcEdit)->isEnabled());
      // Advanced opens the filter side.
      QVERIFY(d.GetControl(CIndividualListDialog::kIdcAdvanced)->isEnabled());
      d.Model().SearchRin("4");
      d.accept();
    }));
    QCOMPARE(app_->ActiveViewRin(), 4);
  }

  void selectionHookHandsTheSetToTheDocument() {
    QVERIFY(AppScreens().selectIndividuals);
    app_->m_options.showZel = 0;
    bool zelWhileOpen = false;
    std::int32_t answer = -1;
    QTimer::singleShot(0, [&] {
      auto* d = qobject_cast<CIndividualListDialog*>(QApplication::activeModalWidget());
      if (!d) return;
      QCOMPARE(d->windowTitle().left(6), QStringLiteral("Select"));
      QCOMPARE(d->Model().SelectedRin(), 3);
      zelWhileOpen = app_->m_options.showZel == 1;
      auto* list = d->Control<QListWidget>(CIndividualListDialog::kIdcList);
      const QRect rect = list->visualItemRect(list->item(list->currentRow()));
      QTest::mousePress(list->viewport(), Qt::LeftButton, {}, rect.center());
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
      QTest::mouseClick(d->GetControl(fw::kIdOk), Qt::LeftButton);
    });
    answer = AppScreens().selectIndividuals(app_->GetMainFrame(), 3, true);
    QCOMPARE(answer, 3);
    // ZEL data shows while a temple-names set is chosen, then as before.
    QVERIFY(zelWhileOpen);
    QCOMPARE(app_->m_options.showZel, 0);
    const CFilterSet* set = app_->GetCurrentDocument()->m_filterSet.get();
    QVERIFY(set);
    QCOMPARE(set->GetCount(CFilterSet::kCombinedSet), 1);
    QCOMPARE(set->IsInSet(CFilterSet::kCombinedSet, 3), 1);
  }

  void marriageListMovesToTheWifeWithoutAHusband() {
    CMainFrame* frame = app_->GetMainFrame();
    QVERIFY(TriggerAndInspect<CMarriageSearchListDialog>(
        frame->CommandAction(shell::kIdSearchMarriageList), [this](CMarriageSearchListDialog& d) {
          d.Model().Search(std::to_string(lonely_));
          d.accept();
        }));
    QCOMPARE(app_->ActiveViewRin(), 6);
  }

  void marriageListOpensAtTheViewsMarriage() {
    // Enough marriages that the view's is not on the list's first page.
    std::int32_t husband = 0;
    std::int32_t mrin = 0;
    for (int i = 0; i < 30; ++i) {
      husband = AddPerson("Gus", 'M');
      mrin = DbSetRelation(husband, AddPerson("Ida", 'F'), db::kRelHusband, 0);
    }
    QVERIFY(mrin > 25);
    app_->ShowInActiveView(husband);
    QCOMPARE(app_->ActiveViewMrin(), mrin);
    std::int32_t selected = 0;
    QVERIFY(TriggerAndInspect<CMarriageSearchListDialog>(
        app_->GetMainFrame()->CommandAction(shell::kIdSearchMarriageList),
        [&](CMarriageSearchListDialog& d) {
          auto* list = d.Control<QListWidget>(CMarriageSearchListDialog::kIdcList);
          const int line = list->currentRow();
          if (line >= 0) selected = d.Model().Pager().Keys()[static_cast<std::size_t>(line)];
          QTest::keyClick(list, Qt::Key_Up);
          QTest::keyClick(list, Qt::Key_Return);
        }));
    QCOMPARE(selected, mrin);
    // The marriage above it was chosen: the view shows its husband.
    QCOMPARE(app_->ActiveViewMrin(), mrin - 1);
  }

  void commandsAreOffWithoutAFile() {
    CMainFrame* frame = app_->GetMainFrame();
    frame->CommandAction(shell::kIdFileClose)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!frame->CommandAction(shell::kIdSearchIndividualList)->isEnabled());
    QVERIFY(!frame->CommandAction(shell::kIdSearchMarriageList)->isEnabled());
  }

 private:
  QTemporaryDir dir_;
  std::string path_;
  plat::FakeMessageBox boxes_;
  plat::FakeProfile profile_;
  std::unique_ptr<plat::ScopedMessageBox> scopedBoxes_;
  std::unique_ptr<plat::ScopedProfile> scopedProfile_;
  NoDialogs dialogs_;
  std::unique_ptr<CKorApp> app_;
  std::int32_t lonely_ = 0;
};

QTEST_MAIN(ListCommandsTest)
#include "listcommands_qtest.moc"
