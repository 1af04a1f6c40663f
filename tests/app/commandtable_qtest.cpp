// The main menu walked on the sample family in the real main frame, with
// every screen library's commands handed over as the program does: each
// command sits on its menu with its accelerator and is enabled exactly when
// its rule holds for the family view's focus, with no file open, and on a
// family file opened read-only.
#include <sys/stat.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdint>
#include <memory>
#include <string>

#include "AsUnprivilegedUser.h"
#include "CodePage.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyViewLayout.h"
#include "FamilyViewModel.h"
#include "FindRecordDialog.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "KorDoc.h"
#include "KorView.h"
#include "KorView2.h"
#include "MDIChildWnd.h"
#include "MainFrame.h"
#include "MarriageNode.h"
#include "NoFileDialogs.h"
#include "ProgramCommands.h"
#include "RecordAccess.h"
#include "SampleBuilder.h"
#include "SampleDescription.h"
#include "SampleFamilyRun.h"
#include "TestHelpers.h"

using namespace shell;
using namespace shell::famview;

namespace {

// The situations a row's states are given for, in this order:
//  J  Johan (parents, two marriages, children) in the family view, his pane
//  A  Anders, who has no parent family
//  M  Johan with the marriage pane selected
//  F  Johan with his father's pane selected
//  R  Johan on a family file opened read-only
//  N  no family file open
enum Situation { kJohan, kAnders, kMarriagePane, kFatherPane, kReadOnly, kNoFile, kSituations };
constexpr const char* kSituationNames[kSituations] = {"Johan",       "Anders",    "marriage pane",
                                                      "father pane", "read-only", "no file"};

// E enabled, D disabled, '-' not reachable there (neither on the shown menu
// nor on a key), so not checked.
struct CommandRow {
  unsigned id;
  const char* menu;  // the document menu's popup ("" none: a key only)
  const char* keys;  // "" none
  const char* states;
};

// clang-format off
const CommandRow kRows[] = {
    //                                                             JAMFRN
    {kIdFileNew,                    "File",   "",             "EEEEEE"},
    {kIdFileOpen,                   "File",   "Ctrl+O",       "EEEEEE"},
    {kIdFileClose,                  "File",   "Ctrl+F4",      "EEEEED"},
    {kIdFileSaveAs,                 "File",   "",             "EEEEE-"},
    {kIdFileImport,                 "File",   "",             "EEEEDE"},
    {kIdFileExport,                 "File",   "",             "EEEEE-"},
    {kIdFileBackup,                 "File",   "",             "EEEEE-"},
    {kIdFileRestore,                "File",   "",             "EEEEEE"},
    {kIdFileCheckRepair,            "File",   "",             "EEEEEE"},
    {kIdFileDelete,                 "File",   "",             "EEEEEE"},
    {kIdFileProperties,             "File",   "",             "EEEEE-"},
    {kIdFilePrintReports,           "File",   "Ctrl+P",       "EEEEED"},
    {kIdAppExit,                    "File",   "",             "EEEEEE"},
    {kIdEditIndividual,             "Edit",   "Ctrl+I",       "EEDEED"},
    {kIdEditMarriage,               "Edit",   "",             "EEEEE-"},
    {kIdEditParents,                "Edit",   "",             "EDEDE-"},
    {kIdEditParentsMarriage,        "Edit",   "",             "EDEDE-"},
    {kIdEditNotes,                  "Edit",   "Ctrl+N",       "EEEEED"},
    {kIdEditMultimedia,             "Edit",   "Ctrl+M",       "EEEEED"},
    {kIdEditPhoto,                  "Edit",   "",             "EEEEE-"},
    {kIdEditOrderSpouses,           "Edit",   "",             "EDEEE-"},
    {kIdEditOrderChildren,          "Edit",   "",             "EEEEE-"},
    // Unlink needs a relative's pane.
    {kIdEditUnlinkIndividual,       "Edit",   "",             "DDDED-"},
    {kIdEditDeleteIndividual,       "Edit",   "",             "EEDEE-"},
    {kIdEditSourceList,             "Edit",   "",             "EEEEE-"},
    {kIdEditRepositoryList,         "Edit",   "",             "EEEEE-"},
    {kIdAddIndividual,              "Add",    "Ctrl+A",       "EEEEDD"},
    // Father and mother follow the primary individual's parents' marriage,
    // whichever pane is selected.
    {kIdAddFather,                  "Add",    "Ctrl+T",       "DEDDDD"},
    {kIdAddMother,                  "Add",    "Ctrl+H",       "DEDDDD"},
    {kIdAddSpouse,                  "Add",    "Ctrl+U",       "EEEEED"},
    {kIdAddChild,                   "Add",    "Ctrl+L",       "EEEEED"},
    {kIdAddParents,                 "Add",    "",             "EDEDE-"},
    {kIdViewPedigree,               "View",   "",             "EEEEE-"},
    {kIdViewFamily,                 "View",   "",             "EEEEE-"},
    {kIdViewMoveToPrimary,          "View",   "",             "EEEEE-"},
    {kIdViewToolbar,                "View",   "",             "EEEEEE"},
    {kIdViewStatusBar,              "View",   "",             "EEEEEE"},
    {kIdViewSwitch,                 "",       "Ctrl+S",       "EEEEEE"},
    {kIdViewOtherMarriages,         "",       "Alt+M",        "EEEEED"},
    {kIdViewParents,                "",       "Alt+P",        "EEEEED"},
    {kIdSearchIndividualList,       "Search", "Ctrl+F",       "EEEEED"},
    {kIdSearchMarriageList,         "Search", "",             "EEEEE-"},
    {kIdSearchDescendancy,          "Search", "Ctrl+D",       "EEEEED"},
    {kIdSearchFindRecord,           "Search", "Ctrl+R",       "EEEEED"},
    {kIdSearchAdvancedFilter,       "Search", "",             "EEEEE-"},
    {kIdSearchHomePerson,           "Search", "Ctrl+Home",    "EEEEED"},
    {kIdToolsMatchMerge,            "Tools",  "",             "EEEEE-"},
    {kIdToolsMergeSbns,             "Tools",  "",             "EEEED-"},
    // The sample family holds one source.
    {kIdToolsMergeSources,          "Tools",  "",             "DDDDD-"},
    {kIdToolsSearchReplace,         "Tools",  "",             "EEEEE-"},
    {kIdToolsMixedCase,             "Tools",  "",             "EEEEE-"},
    {kIdToolsWebPage,               "Tools",  "",             "EEEEE-"},
    {kIdToolsRelationshipCalculator,"Tools",  "",             "EEEEE-"},
    {kIdToolsDateCalculator,        "Tools",  "",             "EEEEE-"},
    {kIdToolsSoundexCalculator,     "Tools",  "",             "EEEEE-"},
    {kIdToolsPreferences,           "Tools",  "Shift+Ctrl+P", "EEEEED"},
    // There is no help file: the keyboard topic stays off.
    {kIdHelpKeyboard,               "Help",   "",             "DDDDDD"},
    {kIdAppAbout,                   "Help",   "",             "EEEEEE"},
};
// clang-format on

QString Plain(QString text) { return text.remove(QLatin1Char('&')); }

// The popups of the menu bar as shown now, by their plain titles.
QStringList ShownMenus(CMainFrame& frame) {
  QStringList titles;
  for (QAction* action : frame.menuBar()->actions()) titles << Plain(action->text());
  return titles;
}

// The plain titles of the top-level popups that hold action.
QStringList MenusHolding(QAction* action) {
  QStringList titles;
  for (QObject* object : action->associatedObjects())
    if (auto* menu = qobject_cast<QMenu*>(object)) titles << Plain(menu->title());
  return titles;
}

}  // namespace

class CommandTableTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::string path_;
  plat::FakeMessageBox boxes_;
  plat::FakeProfile profile_;
  std::unique_ptr<plat::ScopedMessageBox> scopedBoxes_;
  std::unique_ptr<plat::ScopedProfile> scopedProfile_;
  NoDialogs dialogs_;
  std::unique_ptr<CKorApp> app_;

  // The application with every command on the sample family (writable or
  // read-only).
  bool Start(bool readOnly) {
    app_ = std::make_unique<CKorApp>();
    app_->SetDialogs(&dialogs_);
    RegisterProgramCommands(*app_);
    if (!readOnly) return app_->InitInstance("-s " + path_);
    // The file may not be written: the open road offers read-only access.
    ::chmod(dir_.path().toLocal8Bit().constData(), 0755);
    ::chmod(path_.c_str(), 0444);
    AsUnprivilegedUser nobody;
    if (!nobody.Active()) return false;
    boxes_.QueueAnswer(plat::kIdYes);
    return app_->InitInstance("-s " + path_);
  }

  CKorView2* FamilyView() const {
    fw::CMDIChildWnd* child = app_->GetMainFrame()->MDIGetActive();
    return child ? qobject_cast<CKorView2*>(child->GetActiveView()) : nullptr;
  }

  // Shows the individual of the given name in the family view with pane
  // selected.
  void Focus(const std::string& given, int pane) {
    CKorView2* view = FamilyView();
    QVERIFY(view);
    const std::int32_t rin = RinOf(given);
    QVERIFY(rin > 0);
    app_->ShowInActiveView(rin);
    QCOMPARE(view->Model()->Primary() ? view->Model()->Primary()->GetRin() : 0, rin);
    view->Model()->Click(pane);
  }

  // Every row's state and place for situation s.
  void Walk(Situation s) {
    app_->UpdateCommandStates();
    CMainFrame& frame = *app_->GetMainFrame();
    for (const CommandRow& row : kRows) {
      const QString what = QStringLiteral("command %1 (%2): ").arg(row.id).arg(kSituationNames[s]);
      QAction* action = frame.CommandAction(row.id);
      QVERIFY2(action, qPrintable(what + "no action"));
      QCOMPARE(action->shortcut(), QKeySequence(QString::fromLatin1(row.keys)));
      const QStringList holders = MenusHolding(action);
      if (*row.menu)
        QVERIFY2(holders.contains(QString::fromLatin1(row.menu)),
                 qPrintable(what + "not on " + row.menu + ": " + holders.join(',')));
      else
        QVERIFY2(holders.isEmpty(), qPrintable(what + "on a menu"));
      const char state = row.states[s];
      if (state == '-') {
        // Not reachable: no key, and the shown menu does not hold it.
        QVERIFY2(!*row.keys, qPrintable(what + "a key reaches it"));
        QVERIFY2(!MenuOfBarHolds(frame, QString::fromLatin1(row.menu), action),
                 qPrintable(what + "on the shown menu"));
        continue;
      }
      QVERIFY2(action->isEnabled() == (state == 'E'),
               qPrintable(what + (state == 'E' ? "disabled" : "enabled")));
    }
  }

  // With KORVANE_SHOTS set: the main window, and the document's Edit and
  // Add menus as they open (the menus bring their states up to date).
  void Shots(const char* tag) {
    if (!qEnvironmentVariableIsSet("KORVANE_SHOTS")) return;
    const QString folder = qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/');
    CMainFrame& frame = *app_->GetMainFrame();
    frame.resize(1000, 700);
    frame.show();
    QApplication::processEvents();
    frame.grab().save(folder + QStringLiteral("commandtable-%1-frame.png").arg(tag));
    for (QAction* top : frame.menuBar()->actions()) {
      const QString title = Plain(top->text());
      if (!top->menu() || (title != QLatin1String("Edit") && title != QLatin1String("Add")))
        continue;
      top->menu()->popup(QPoint(0, 0));
      QApplication::processEvents();
      top->menu()->grab().save(folder +
                               QStringLiteral("commandtable-%1-%2.png").arg(tag, title.toLower()));
      top->menu()->hide();
    }
  }

  static bool MenuOfBarHolds(CMainFrame& frame, const QString& title, QAction* action) {
    for (QAction* top : frame.menuBar()->actions())
      if (Plain(top->text()) == title && top->menu() && top->menu()->actions().contains(action))
        return true;
    return false;
  }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    std::string error;
    path_ = PrepareSampleRun(dir_, error);
    QVERIFY2(!path_.empty(), error.c_str());
  }

  void init() {
    boxes_.Clear();
    scopedBoxes_ = std::make_unique<plat::ScopedMessageBox>(&boxes_);
    scopedProfile_ = std::make_unique<plat::ScopedProfile>(&profile_);
  }

  void cleanup() {
    if (app_) app_->ExitInstance();
    app_.reset();
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
    ::chmod(path_.c_str(), 0644);
    scopedProfile_.reset();
    scopedBoxes_.reset();
  }

  void familyViewFocus() {
    QVERIFY(Start(false));
    QVERIFY(FamilyView());
    Focus("Johan", kPanePrimary);
    Walk(kJohan);
    Shots("johan");
    Focus("Anders", kPanePrimary);
    Walk(kAnders);
    Shots("anders");
    Focus("Johan", kPaneMarriage);
    Walk(kMarriagePane);
    Focus("Johan", kPaneFather);
    Walk(kFatherPane);
  }

  // Find by RIN/MRIN and Home Person move the family view: to the found
  // individual, to the found marriage's husband (on the marriage pane), and
  // to the file's home person.
  void findAndHomePersonMoveTheView() {
    QVERIFY(Start(false));
    CKorView2* view = FamilyView();
    QVERIFY(view);
    CMainFrame& frame = *app_->GetMainFrame();
    const auto primary = [view] {
      return view->Model()->Primary() ? view->Model()->Primary()->GetRin() : 0;
    };
    const auto find = [&](const std::string& number) {
      QTimer::singleShot(0, [number] {
        if (auto* dialog = qobject_cast<CFindRecordDialog*>(QApplication::activeModalWidget())) {
          dialog->SetControlText(CFindRecordDialog::kIdcNumber, number);
          dialog->accept();
        }
      });
      app_->UpdateCommandStates();
      frame.CommandAction(kIdSearchFindRecord)->trigger();
    };
    Focus("Anders", kPanePrimary);
    find(std::to_string(RinOf("Per")));
    QCOMPARE(primary(), RinOf("Per"));
    // From the marriage pane the dialog finds a marriage: Per's parents',
    // Johan's second.
    std::vector<std::int32_t> perParents;
    DbGetRelationList(perParents, db::kRelParents, 4, RinOf("Per"), 0);
    QCOMPARE(perParents.size(), std::size_t{1});
    const std::int32_t second = perParents[0];
    QVERIFY(second > 0);
    Focus("Per", kPaneMarriage);
    find(std::to_string(second));
    QCOMPARE(primary(), RinOf("Johan"));
    QVERIFY(view->Model()->GetCurrentMarriage());
    QCOMPARE(view->Model()->GetCurrentMarriage()->GetMrin(), second);

    app_->GetCurrentDocument()->m_fileInfo.settings.homeRin = RinOf("Lovisa");
    app_->UpdateCommandStates();
    frame.CommandAction(kIdSearchHomePerson)->trigger();
    QCOMPARE(primary(), RinOf("Lovisa"));
  }

  // A move by key in either view brings the toolbar's and the keys'
  // commands to the new individual at once, with no menu opened: every
  // command is as a fresh update leaves it, and Add Father (Ctrl+T) is
  // open for Anders, who has no parents, and closed for Johan, who has.
  void commandStatesFollowMoves() {
    QVERIFY(Start(false));
    CMainFrame& frame = *app_->GetMainFrame();
    QAction* addFather = frame.CommandAction(kIdAddFather);
    QVERIFY(addFather);
    const auto statesNow = [&] {
      QList<bool> states;
      for (const CommandRow& row : kRows) states << frame.CommandAction(row.id)->isEnabled();
      return states;
    };
    const auto statesFresh = [&] {
      app_->UpdateCommandStates();
      return statesNow();
    };

    Focus("Johan", kPanePrimary);
    app_->UpdateCommandStates();
    QVERIFY(!addFather->isEnabled());
    CKorView2* family = FamilyView();
    QTest::keyClick(family, Qt::Key_F);
    QCOMPARE(family->Model()->Primary()->GetRin(), RinOf("Anders"));
    QVERIFY(addFather->isEnabled());
    QList<bool> shown = statesNow();
    QCOMPARE(shown, statesFresh());
    // Back down to the child: his father is known again.
    QTest::keyClick(family, Qt::Key_C);
    QCOMPARE(family->Model()->Primary()->GetRin(), RinOf("Johan"));
    QVERIFY(!addFather->isEnabled());
    shown = statesNow();
    QCOMPARE(shown, statesFresh());

    // The pedigree view with Johan in the root box; Page Up moves the
    // current box to his father.
    frame.CommandAction(kIdViewPedigree)->trigger();
    CKorView* pedigree = app_->ActivePedigreeView();
    QVERIFY(pedigree);
    QTRY_COMPARE(pedigree->GetCurrentIndividual(0), std::intptr_t{RinOf("Johan")});
    app_->UpdateCommandStates();
    QVERIFY(!addFather->isEnabled());
    QTest::keyRelease(pedigree, Qt::Key_PageUp);
    QCOMPARE(pedigree->GetCurrentIndividual(0), std::intptr_t{RinOf("Anders")});
    QVERIFY(addFather->isEnabled());
    shown = statesNow();
    QCOMPARE(shown, statesFresh());
  }

  // View > Pedigree and View > Family carry the check mark of the view
  // shown, also after the shown view's item is chosen again.
  void viewMenuMarksTheCurrentView() {
    QVERIFY(Start(false));
    CMainFrame& frame = *app_->GetMainFrame();
    QAction* pedigree = frame.CommandAction(kIdViewPedigree);
    QAction* family = frame.CommandAction(kIdViewFamily);
    QVERIFY(FamilyView());
    QVERIFY(family->isChecked());
    QVERIFY(!pedigree->isChecked());
    family->trigger();
    QVERIFY(family->isChecked());
    pedigree->trigger();
    QVERIFY(app_->ActivePedigreeView());
    QVERIFY(pedigree->isChecked());
    QVERIFY(!family->isChecked());
    pedigree->trigger();
    QVERIFY(pedigree->isChecked());
    QVERIFY(!family->isChecked());
  }

  void noFileOpen() {
    QVERIFY(Start(false));
    app_->GetMainFrame()->CommandAction(kIdFileClose)->trigger();
    QVERIFY(!CurrentDatabase->IsOpen());
    QVERIFY(!FamilyView());
    Walk(kNoFile);
    // The menu without a document window.
    QCOMPARE(ShownMenus(*app_->GetMainFrame()), (QStringList{"File", "View", "Tools", "Help"}));
  }

  void readOnlyFile() {
    if (!Start(true)) {
      if (!AsUnprivilegedUser().Active()) QSKIP("no unprivileged user to test permissions with");
      QFAIL("the application did not start on the read-only file");
    }
    QCOMPARE(CurrentDatabase->ReadOnly(), CFamilyDatabase::kReadOnly);
    Focus("Johan", kPanePrimary);
    Walk(kReadOnly);
    // Unlink on a read-only file says why and changes nothing.
    Focus("Johan", kPaneFather);
    app_->UpdateCommandStates();
    boxes_.Clear();
    app_->GetMainFrame()->CommandAction(kIdEditUnlinkIndividual)->trigger();
    QCOMPARE(boxes_.Calls().size(), std::size_t{1});
    QVERIFY(boxes_.Calls()[0].text.rfind("This file has been saved on a read only device.", 0) ==
            0);
    QVERIFY(FamilyView()->Model()->GetPaneContent(kPaneFather));
  }

  // Runs last: it changes the sample family. Unlink asks the pane's
  // question; Cancel keeps the child, OK takes it out of the family.
  void unlinkAsksAndRemovesTheRelative() {
    QVERIFY(Start(false));
    const std::int32_t anna = RinOf("Anna");
    Focus("Johan", kPaneChildren);
    FamilyView()->Model()->Click(kPaneChildren, 1);
    QCOMPARE(FamilyView()->Model()->Focus().individual, anna);
    app_->UpdateCommandStates();
    QAction* unlink = app_->GetMainFrame()->CommandAction(kIdEditUnlinkIndividual);
    QVERIFY(unlink->isEnabled());
    const auto parentsOfAnna = [anna] {
      std::vector<std::int32_t> list;
      DbGetRelationList(list, db::kRelParents, 4, anna, 0);
      return list.size();
    };
    boxes_.Clear();
    boxes_.QueueAnswer(plat::kIdCancel);
    unlink->trigger();
    QCOMPARE(parentsOfAnna(), std::size_t{1});
    boxes_.QueueAnswer(plat::kIdOk);
    FamilyView()->Model()->Click(kPaneChildren, 1);
    unlink->trigger();
    QCOMPARE(parentsOfAnna(), std::size_t{0});
    QCOMPARE(boxes_.Calls().size(), std::size_t{2});
    QCOMPARE(boxes_.Calls()[1].text,
             std::string("This will unlink this child from the family.\nDo you want to continue?"));
    // The view shows Johan's family without her.
    QCOMPARE(FamilyView()->Model()->Children().Count(), 1);
  }
};

QTEST_MAIN(CommandTableTest)
#include "commandtable_qtest.moc"
