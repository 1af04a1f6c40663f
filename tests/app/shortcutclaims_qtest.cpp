// One owner per key in every window: the main frame with the family view on
// a person with two marriages (the Other Marriages button shown), on his marriage
// pane, with the pedigree view and with no family file open; and each modal
// dialog the main menu's commands open on the sample family, each page of a
// tabbed one in turn. A key two shortcuts or mnemonics claim at once does
// nothing in Qt ("Ambiguous shortcut overload").
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <string>

#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyViewLayout.h"
#include "FamilyViewModel.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "KorView2.h"
#include "MDIChildWnd.h"
#include "MainFrame.h"
#include "NoFileDialogs.h"
#include "ProgramCommands.h"
#include "RecordAccess.h"
#include "SampleFamilyRun.h"
#include "ShortcutClaims.h"

using namespace shell;

namespace {

// The commands whose screens are looked at: each opens a modal dialog (or
// asks first) and changes nothing when that dialog is cancelled.
const unsigned kDialogCommands[] = {
    kIdFileOpen,          kIdFileSaveAs,           kIdFileExport,
    kIdFileBackup,        kIdFileCheckRepair,      kIdFileProperties,
    kIdFilePrintReports,  kIdEditIndividual,       kIdEditMarriage,
    kIdEditParents,       kIdEditParentsMarriage,  kIdEditNotes,
    kIdEditMultimedia,    kIdEditOrderSpouses,     kIdEditOrderChildren,
    kIdEditSourceList,    kIdEditRepositoryList,   kIdAddIndividual,
    kIdAddSpouse,         kIdAddChild,             kIdViewOtherMarriages,
    kIdViewParents,       kIdSearchIndividualList, kIdSearchMarriageList,
    kIdSearchDescendancy, kIdSearchFindRecord,     kIdSearchAdvancedFilter,
    kIdToolsMatchMerge,   kIdToolsSearchReplace,   kIdToolsWebPage,
    kIdToolsRelationshipCalculator, kIdToolsDateCalculator, kIdToolsSoundexCalculator,
    kIdToolsPreferences,  kIdAppAbout,
};

}  // namespace

class ShortcutClaimsTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::string path_;
  plat::FakeMessageBox boxes_;
  plat::FakeProfile profile_;
  std::unique_ptr<plat::ScopedMessageBox> scopedBoxes_;
  std::unique_ptr<plat::ScopedProfile> scopedProfile_;
  NoDialogs dialogs_;
  std::unique_ptr<CKorApp> app_;

  CKorView2* FamilyView() const {
    fw::CMDIChildWnd* child = app_->GetMainFrame()->MDIGetActive();
    return child ? qobject_cast<CKorView2*>(child->GetActiveView()) : nullptr;
  }

  // Johan, who has two marriages and a second parent family, in the family
  // view with his buttons shown.
  void ShowJohan(int pane) {
    app_->ShowFamilyView();
    CKorView2* view = FamilyView();
    QVERIFY(view);
    const std::int32_t rin = RinOf("Johan");
    QVERIFY(rin > 0);
    app_->ShowInActiveView(rin);
    view->Model()->Click(pane);
    QApplication::processEvents();
  }

  static QStringList FrameClashes(CMainFrame& frame) {
    ShortcutClaims claims;
    claims.Collect(&frame);
    return claims.Clashes();
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
    app_ = std::make_unique<CKorApp>();
    app_->SetDialogs(&dialogs_);
    RegisterProgramCommands(*app_);
    QVERIFY(app_->InitInstance("-s " + path_));
    CMainFrame& frame = *app_->GetMainFrame();
    frame.resize(1280, 800);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
  }

  void cleanup() {
    if (app_) app_->ExitInstance();
    app_.reset();
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
    scopedProfile_.reset();
    scopedBoxes_.reset();
  }

  void mainFrameWithEachView() {
    CMainFrame& frame = *app_->GetMainFrame();
    ShowJohan(famview::kPanePrimary);
    // The view's Other Marriages button is there to clash with the frame's
    // keys.
    auto* otherMarriages = FamilyView()->findChild<QPushButton*>(QStringLiteral("button703"));
    QVERIFY(otherMarriages);
    QVERIFY(otherMarriages->isVisibleTo(&frame));
    QStringList clashes = FrameClashes(frame);
    QVERIFY2(clashes.isEmpty(), qPrintable("family view: " + clashes.join("; ")));
    ShowJohan(famview::kPaneMarriage);
    clashes = FrameClashes(frame);
    QVERIFY2(clashes.isEmpty(), qPrintable("marriage pane: " + clashes.join("; ")));
    app_->ShowPedigreeView();
    QApplication::processEvents();
    clashes = FrameClashes(frame);
    QVERIFY2(clashes.isEmpty(), qPrintable("pedigree view: " + clashes.join("; ")));
    frame.CommandAction(kIdFileClose)->trigger();
    QApplication::processEvents();
    QVERIFY(!CurrentDatabase->IsOpen());
    clashes = FrameClashes(frame);
    QVERIFY2(clashes.isEmpty(), qPrintable("no file: " + clashes.join("; ")));
  }

  // Alt+M on Johan reaches the other-marriages command (the button's
  // mnemonic no longer competes with it).
  void altMReachesTheOtherMarriages() {
    ShowJohan(famview::kPanePrimary);
    CKorView2* view = FamilyView();
    view->setFocus();
    QString seen;
    QTimer::singleShot(0, [&] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        seen = QString::fromLatin1(modal->metaObject()->className());
        modal->close();
      }
    });
    QTest::keyClick(view, Qt::Key_M, Qt::AltModifier);
    QApplication::processEvents();
    QVERIFY2(!seen.isEmpty(), "Alt+M opened nothing");
  }

  // Ctrl+F4 reaches File > Close (the document window's own Close does not
  // compete with it).
  void ctrlF4ClosesTheFamilyFile() {
    ShowJohan(famview::kPanePrimary);
    CKorView2* view = FamilyView();
    QVERIFY(view);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_F4, Qt::ControlModifier);
    QApplication::processEvents();
    QVERIFY(!CurrentDatabase->IsOpen());
  }

  void everyDialogOfTheMenu() {
    CMainFrame& frame = *app_->GetMainFrame();
    ShowJohan(famview::kPanePrimary);
    QStringList failures;
    QStringList looked;
    for (unsigned id : kDialogCommands) {
      QAction* action = frame.CommandAction(id);
      QVERIFY2(action, qPrintable(QStringLiteral("command %1").arg(id)));
      app_->UpdateCommandStates();
      if (!action->isEnabled()) continue;
      // Each modal window met while the command runs is looked at once,
      // then cancelled.
      QWidget* last = nullptr;
      QTimer poll;
      poll.setInterval(0);
      connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == last) return;
        last = modal;
        ShortcutClaims claims;
        claims.CollectPages(modal);
        const QString name = QString::fromLatin1(modal->metaObject()->className());
        looked << name;
        for (const QString& clash : claims.Clashes()) failures << name + ": " + clash;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
          dialog->reject();
        else
          modal->close();
      });
      poll.start();
      boxes_.Clear();
      action->trigger();
      poll.stop();
      QApplication::processEvents();
      if (!FamilyView()) app_->ShowFamilyView();
      ShowJohan(famview::kPanePrimary);
    }
    qInfo("dialogs looked at: %s", qPrintable(looked.join(", ")));
    QVERIFY(looked.contains(QStringLiteral("CEditIndividualDialog")));
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join("\n")));
  }
};

QTEST_MAIN(ShortcutClaimsTest)
#include "shortcutclaims_qtest.moc"
