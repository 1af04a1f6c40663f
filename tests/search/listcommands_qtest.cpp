// The list commands in the application: Search > Individual List and
// Marriage List are enabled with a family file open, the Individual List
// opens on the active view's individual, and a choice in either moves the
// view.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
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
#include "DescendancyListDialog.h"
#include "EditEnvironment.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FilterSet.h"
#include "FindRecordDialog.h"
#include "IndividualListDialog.h"
#include "IndividualRecord.h"
#include "KinshipCommands.h"
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

// Runs step on the modal dialog in front once the event loop turns.
template <class Dialog>
void OnModal(std::function<void(Dialog&)> step) {
  QTimer::singleShot(0, [step] {
    if (auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget())) step(*d);
  });
}

void Click(fw::CDialogBase& d, int id) { QTest::mouseClick(d.GetControl(id), Qt::LeftButton); }

void Shot(QWidget& w, const char* name) {
  if (!qEnvironmentVariableIsSet("KORVANE_SHOTS")) return;
  w.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') +
                QString::fromLatin1(name) + QStringLiteral(".png"));
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
    RegisterKinshipCommands(*app_);  // the Descendancy List
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

  // With ZEL data off, a temple-names list switches it on for its time:
  // the Marriage screen that Seal to Spouse Status opens with Edit shows
  // the ordinances too, and afterwards the screens are as before.
  void sealToSpouseEditShowsTheOrdinances() {
    app_->m_options.showZel = 0;
    app_->ApplyEditOptions();
    const auto editMarriage = AppScreens().editMarriage;
    std::int32_t edited = 0;
    bool zelWhileEditing = false;
    AppScreens().editMarriage = [&](QWidget*, std::int32_t mrin) {
      edited = mrin;
      zelWhileEditing = EditEnvironment().options.showZel;
      return false;
    };
    const std::int32_t fay = 6;
    OnModal<CIndividualListDialog>([](CIndividualListDialog& list) {
      OnModal<CSealToSpouseStatusDialog>([](CSealToSpouseStatusDialog& status) {
        Click(status, CSealToSpouseStatusDialog::kIdcEdit);
        status.accept();
      });
      Click(list, CIndividualListDialog::kIdcAdvanced);  // "&Marriages"
      list.reject();
    });
    AppScreens().selectIndividuals(app_->GetMainFrame(), fay, true);
    AppScreens().editMarriage = editMarriage;
    QCOMPARE(edited, lonely_);
    QVERIFY(zelWhileEditing);
    QVERIFY(!EditEnvironment().options.showZel);
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

  // Search > Find by RIN/MRIN: the Find dialog's list buttons open the
  // lists, and the person chosen there is the Find dialog's answer.
  void findIndividualListChoosesThePerson() {
    QAction* find = app_->GetMainFrame()->CommandAction(shell::kIdSearchFindRecord);
    bool listSeen = false;
    OnModal<CFindRecordDialog>([&](CFindRecordDialog& f) {
      QVERIFY(f.IsControlEnabled(CFindRecordDialog::kIdcIndividualList));
      QVERIFY(f.IsControlEnabled(CFindRecordDialog::kIdcDescendancyList));
      Shot(f, "find-lists");
      OnModal<CIndividualListDialog>([&](CIndividualListDialog& list) {
        listSeen = true;
        QCOMPARE(list.windowTitle(), QStringLiteral("Find Individual"));
        Shot(list, "find-individual-list");
        auto* search = list.Control<QLineEdit>(CIndividualListDialog::kIdcSearch);
        search->selectAll();
        QTest::keyClicks(search, QStringLiteral("4"));
        QCOMPARE(list.Model().SelectedRin(), 4);
        Click(list, fw::kIdOk);
      });
      Click(f, CFindRecordDialog::kIdcIndividualList);
    });
    find->trigger();
    QVERIFY(listSeen);
    QCOMPARE(app_->ActiveViewRin(), 4);
  }

  // Cancel in a list leaves the Find dialog open on its number.
  void cancelInTheListKeepsFind() {
    QAction* find = app_->GetMainFrame()->CommandAction(shell::kIdSearchFindRecord);
    const std::int32_t before = app_->ActiveViewRin();
    bool stayed = false;
    OnModal<CFindRecordDialog>([&](CFindRecordDialog& f) {
      OnModal<CIndividualListDialog>(
          [](CIndividualListDialog& list) { Click(list, fw::kIdCancel); });
      Click(f, CFindRecordDialog::kIdcIndividualList);
      stayed = f.isVisible();
      f.reject();
    });
    find->trigger();
    QVERIFY(stayed);
    QCOMPARE(app_->ActiveViewRin(), before);
  }

  void findDescendancyListChoosesAChild() {
    const std::int32_t father = AddPerson("Gus", 'M');
    const std::int32_t mrin = DbSetRelation(father, 0, db::kRelHusband, 0);
    const std::int32_t child = AddPerson("Hal", 'M');
    QVERIFY(DbSetRelation(child, 0, db::kRelParents, mrin) > 0);
    app_->ShowInActiveView(father);
    QAction* find = app_->GetMainFrame()->CommandAction(shell::kIdSearchFindRecord);
    bool listSeen = false;
    OnModal<CFindRecordDialog>([&](CFindRecordDialog& f) {
      OnModal<CDescendancyListDialog>([&](CDescendancyListDialog& list) {
        listSeen = true;
        QCOMPARE(list.Model().Current(), father);
        Shot(list, "find-descendancy-list");
        int row = -1;
        const auto& lines = list.Model().Lines();
        for (int i = 0; i < static_cast<int>(lines.size()); ++i)
          if (lines[static_cast<std::size_t>(i)].rin == child) row = i;
        QVERIFY(row >= 0);
        auto* box = list.Control<QListWidget>(CDescendancyListDialog::kIdcList);
        box->setCurrentRow(row);
        Click(list, fw::kIdOk);
      });
      Click(f, CFindRecordDialog::kIdcDescendancyList);
    });
    find->trigger();
    QVERIFY(listSeen);
    QCOMPARE(app_->ActiveViewRin(), child);
  }

  // In marriage mode the list button opens the Marriages Search List; the
  // marriage chosen there is the answer of a caller that looks for one.
  void findMarriageModeOpensTheMarriageList() {
    bool listSeen = false;
    CFindRecordDialog find(app_->GetMainFrame());
    find.find.marriageMode = true;
    OnModal<CFindRecordDialog>([&](CFindRecordDialog& f) {
      QVERIFY(!f.IsControlEnabled(CFindRecordDialog::kIdcDescendancyList));
      OnModal<CMarriageSearchListDialog>([&](CMarriageSearchListDialog& list) {
        listSeen = true;
        QCOMPARE(list.windowTitle().right(8), QStringLiteral("Marriage"));
        list.Model().Search(std::to_string(lonely_));
        Click(list, fw::kIdOk);
      });
      Click(f, CFindRecordDialog::kIdcIndividualList);
    });
    QCOMPARE(find.exec(), fw::kIdOk);
    QVERIFY(listSeen);
    QVERIFY(find.find.marriageMode);
    QCOMPARE(find.find.number, lonely_);
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
