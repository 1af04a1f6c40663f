// Start-up and shut-down of the application object on the offscreen
// platform: the command line, the remembered file, the welcome choices, the
// recent-file items, switching and closing family files, the language
// catalog, the clock test and the hand-over from a second start.
#include <QAction>
#include <QEventLoop>
#include <QLocalSocket>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <fstream>
#include <memory>

#include "AppScreens.h"
#include "Clock.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FileLayout.h"
#include "FileSystem.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "KorMDIChildWnd.h"
#include "KorView.h"
#include "KorView2.h"
#include "MainFrame.h"
#include "OldFamilyWriter.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

class FakeDialogs : public shell::FileDialogs {
 public:
  std::string AskOpenPath(const std::string&, const std::string&, const std::string&) override {
    asked << QStringLiteral("open");
    return Next();
  }
  std::string AskSavePath(const std::string&, const std::string&, const std::string&,
                          const std::string&, const std::vector<std::string>&) override {
    asked << QStringLiteral("save");
    return Next();
  }
  int AskWelcome(std::string& path) override {
    asked << QStringLiteral("welcome");
    path = welcomePath;
    return welcomeAnswer;
  }
  void ShowSplash() override { asked << QStringLiteral("splash"); }
  void ShowAbout() override { asked << QStringLiteral("about"); }
  void RunBackup() override {}
  void RunCheckRepair(const std::string&) override {}
  void ShowPreparerPreferences() override { asked << QStringLiteral("preparer"); }
  void ImportGedcom(const std::string& path) override {
    asked << QStringLiteral("gedcom");
    named = path;
  }
  bool AskConversionOptions(const std::string& folder, const std::string&, long,
                            orv2::ConversionOptions&) override {
    asked << QStringLiteral("convert options");
    named = folder;
    return false;
  }
  int RunConverter(CFamilyDatabase&, const orv2::ConversionOptions&, const std::string&) override {
    asked << QStringLiteral("convert");
    return 0;
  }

  std::string Next() {
    if (paths.empty()) return {};
    std::string p = paths.front();
    paths.pop_front();
    return p;
  }

  std::deque<std::string> paths;
  QStringList asked;
  std::string named;  // the file of the GEDCOM import, the folder of a conversion
  std::string welcomePath;
  int welcomeAnswer = shell::kWelcomeCancel;
};

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// A message box that, as a real one, runs an event loop of its own while it
// is shown.
class ModalBox : public plat::FakeMessageBox {
 public:
  int Show(const std::string& text, const std::string& caption, unsigned flags) override {
    QEventLoop loop;
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
    return FakeMessageBox::Show(text, caption, flags);
  }
};

// The maintenance commands' file dialogs, answering one path each.
class FakeMaintenanceScreens : public shell::MaintenanceScreens {
 public:
  std::string AskBackupPath(const std::string&, const std::string&) override { return answer; }
  std::string AskRestorePath(const std::string&) override { return answer; }
  std::string AskDeletePath(const std::string&) override { return answer; }
  void BeginClosedWork() override {}
  void EndClosedWork() override {}
  std::string answer;
};

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<plat::FakeMessageBox> boxes_;
  std::unique_ptr<plat::FakeProfile> profile_;
  std::unique_ptr<plat::FakeShell> shell_;
  std::unique_ptr<plat::ScopedMessageBox> scopedBoxes_;
  std::unique_ptr<plat::ScopedProfile> scopedProfile_;
  std::unique_ptr<plat::ScopedShell> scopedShell_;
  std::unique_ptr<FakeDialogs> dialogs_;
  std::unique_ptr<CKorApp> app_;
  std::string a_, b_;
  std::string startFolder_ = plat::CurrentDirectory();

  std::string File(const char* name) { return dir_->filePath(QLatin1String(name)).toStdString(); }

  bool Start(const std::string& commandLine) {
    app_ = std::make_unique<CKorApp>();
    app_->SetDialogs(dialogs_.get());
    return app_->InitInstance(commandLine);
  }

  CMainFrame* Frame() { return app_->GetMainFrame(); }
  // Family file a gets its one individual.
  void AddTolliver() {
    QCOMPARE(DbOpen(a_, CFamilyDatabase::kCurrentFormat), 1);
    CIndividualRecord person;
    person.surname = "Tolliver";
    QVERIFY(DbAddRecord(db::kIndividual, 0, &person) > 0);
    DbCloseCurrent();
  }

  QList<QMdiSubWindow*> Windows() { return Frame()->MDIClient()->subWindowList(); }

  QStringList BoxTexts() {
    QStringList texts;
    for (const auto& call : boxes_->Calls()) texts << QString::fromStdString(call.text);
    return texts;
  }

  // The texts of the File menu's recent-file items, in menu order.
  QStringList RecentItems() {
    QStringList items;
    QAction* first = Frame()->CommandAction(shell::kIdFileRecent1);
    QMenu* menu = nullptr;
    for (QObject* o : first->associatedObjects())
      if ((menu = qobject_cast<QMenu*>(o))) break;
    if (!menu) return items;
    for (QAction* action : menu->actions()) {
      unsigned id = action->property("commandId").toUInt();
      if (id >= shell::kIdFileRecent1 && id <= shell::kIdFileRecent4) items << action->text();
    }
    return items;
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    boxes_ = std::make_unique<plat::FakeMessageBox>();
    profile_ = std::make_unique<plat::FakeProfile>();
    shell_ = std::make_unique<plat::FakeShell>();
    scopedBoxes_ = std::make_unique<plat::ScopedMessageBox>(boxes_.get());
    scopedProfile_ = std::make_unique<plat::ScopedProfile>(profile_.get());
    scopedShell_ = std::make_unique<plat::ScopedShell>(shell_.get());
    dialogs_ = std::make_unique<FakeDialogs>();
    a_ = File("alpha.orv");
    b_ = File("beta.orv");
    for (const std::string& f : {a_, b_}) {
      QCOMPARE(DbCreate(f, CFamilyDatabase::kCurrentFormat), 1);
      DbClose();
    }
  }

  void cleanup() {
    app_.reset();
    if (!startFolder_.empty()) plat::SetCurrentDirectory(startFolder_);
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
    res::UnloadCatalog();
    plat::SetFixedTime(0);
    scopedShell_.reset();
    scopedProfile_.reset();
    scopedBoxes_.reset();
    dir_.reset();
  }

  void commandLineFileOpensInAWindowWithTheFamilysCaption() {
    QVERIFY(Start("-s " + a_));
    QCOMPARE(Windows().size(), 1);
    QCOMPARE(DbGetFilePath(), a_);
    QCOMPARE(Windows()[0]->windowTitle(), QString::fromStdString(a_));
    // The run's first document window opens maximized; the frame names the
    // family file once.
    QVERIFY(Windows()[0]->isMaximized());
    QVERIFY(Frame()->windowTitle().startsWith(QStringLiteral("Korvane - ")));
    QCOMPARE(Frame()->windowTitle().count(QString::fromStdString(a_)), 1);
    // No splash after "-s", no welcome with a file open.
    QCOMPARE(dialogs_->asked, QStringList());
    // The stored view type is missing: the family view.
    QCOMPARE(app_->m_currentViewType, CKorApp::kViewFamily);
    auto* child = qobject_cast<CKorMDIChildWnd*>(Windows()[0]);
    QVERIFY(qobject_cast<CKorView2*>(child->GetActiveView()));
    QVERIFY(Frame()->CommandAction(shell::kIdFileClose)->isEnabled());
    QVERIFY(Frame()->CommandAction(shell::kIdFileSaveAs)->isEnabled());
    QCOMPARE(app_->GetRecentFile(0), a_);
    QVERIFY(BoxTexts().isEmpty());
  }

  // A file named relative to the folder the program starts in is found there,
  // although start-up then moves to the data folder; the frame and the
  // recent-file list name it by its absolute path.
  void aRelativeNameIsFoundFromTheStartFolder_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("found");  // below the start folder
    QTest::newRow("family file") << "orv" << QStringLiteral("-s \"Släkt Åsa/s1.orv\"")
                                 << QStringLiteral("Släkt Åsa/s1.orv");
    QTest::newRow("unquoted dot") << "orv" << QStringLiteral("-s ./work/../work/s1.orv")
                                  << QStringLiteral("work/s1.orv");
    QTest::newRow("gedcom") << "ged" << QStringLiteral("-s \"Släkt Åsa/people.ged\"")
                            << QStringLiteral("Släkt Åsa/people.ged");
    QTest::newRow("old-format family") << "old" << QStringLiteral("-s \"Släkt Åsa/old/indiv2.dat\"")
                                       << QStringLiteral("Släkt Åsa/old");
  }
  void aRelativeNameIsFoundFromTheStartFolder() {
    QFETCH(QString, kind);
    QFETCH(QString, line);
    QFETCH(QString, found);
    const QString absolute = dir_->filePath(found);
    const std::string path = absolute.toStdString();
    QVERIFY(QDir().mkpath(dir_->filePath(QStringLiteral("Släkt Åsa"))));
    QVERIFY(QDir().mkpath(dir_->filePath(QStringLiteral("work"))));
    QVERIFY(QDir().mkpath(dir_->filePath(QStringLiteral("Data"))));
    if (kind == QLatin1String("orv")) {
      QCOMPARE(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
      DbClose();
    } else if (kind == QLatin1String("ged")) {
      std::ofstream(path) << "0 HEAD\n1 CHAR ANSEL\n0 @I1@ INDI\n1 NAME Ann /Lund/\n0 TRLR\n";
    } else {
      oldfamily::Writer old;
      oldfamily::Individual person;
      person.surname = "Lund";
      old.Add(person);
      QVERIFY(QDir().mkpath(absolute));
      old.Write(path + "/");
    }
    // Started in the test's folder, with the data folder elsewhere.
    profile_->SetPath("Folders", "Data", dir_->filePath(QStringLiteral("Data")).toStdString());
    QVERIFY(plat::SetCurrentDirectory(dir_->path().toStdString()));
    QVERIFY(Start(line.toStdString()));
    QVERIFY2(BoxTexts().isEmpty(), qPrintable(BoxTexts().join(QLatin1Char('\n'))));
    if (kind == QLatin1String("orv")) {
      QCOMPARE(DbGetFilePath(), path);
      QCOMPARE(Windows().size(), 1);
      QCOMPARE(Windows()[0]->windowTitle(), absolute);
      QCOMPARE(Frame()->windowTitle().count(absolute), 1);
      QCOMPARE(app_->GetRecentFile(0), path);
      QCOMPARE(RecentItems().value(0), QStringLiteral("&1 ") + absolute);
    } else {
      QCOMPARE(dialogs_->asked.value(0), kind == QLatin1String("ged")
                                             ? QStringLiteral("gedcom")
                                             : QStringLiteral("convert options"));
      QCOMPARE(dialogs_->named, path);
    }
  }

  void splashFollowsTheCommandLine_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("splash");
    QTest::newRow("unquoted") << "plain" << true;
    QTest::newRow("quoted") << "quoted" << false;
    QTest::newRow("-s") << "option" << false;
  }
  void splashFollowsTheCommandLine() {
    QFETCH(QString, kind);
    QFETCH(bool, splash);
    std::string line = kind == QLatin1String("plain")    ? a_
                       : kind == QLatin1String("quoted") ? Quoted(a_)
                                                         : "-s " + a_;
    QVERIFY(Start(line));
    QCOMPARE(dialogs_->asked.contains(QStringLiteral("splash")), splash);
    QCOMPARE(DbGetFilePath(), a_);
  }

  void theLastFileNameCounts() {
    QVERIFY(Start("-s " + b_ + " " + a_));
    QCOMPARE(DbGetFilePath(), a_);
    QCOMPARE(Windows().size(), 1);
  }

  void aLineEndingInABlankOpensNoFileNotEvenTheRemembered() {
    profile_->SetString("Start Up", "FamilyFile", a_);
    QVERIFY(Start("-s "));
    QCOMPARE(app_->Files().fileOpen, 0);
    QCOMPARE(Windows().size(), 0);
    QCOMPARE(dialogs_->asked, QStringList{QStringLiteral("welcome")});
  }

  void theRememberedFileOpensInTheStoredViewType() {
    profile_->SetString("Start Up", "FamilyFile", b_);
    profile_->SetInt("Start Up", "ViewType", CKorApp::kViewPedigree);
    QVERIFY(Start(""));
    QCOMPARE(DbGetFilePath(), b_);
    auto* child = qobject_cast<CKorMDIChildWnd*>(Windows().value(0));
    QVERIFY(child);
    QVERIFY(qobject_cast<CKorView*>(child->GetActiveView()));
    QCOMPARE(Frame()->CommandAction(shell::kIdViewPedigree)->text(), QStringLiteral("&Pedigree"));
    QCOMPARE(Frame()->CommandAction(shell::kIdViewFamily)->text(),
             QStringLiteral("&Family\tCtrl+S"));
  }

  // The view switched to brings the commands up to date once it shows its
  // individual, without waiting for a menu to open.
  void switchingViewsKeepsTheCommandsUpToDate() {
    QCOMPARE(DbOpen(a_, CFamilyDatabase::kCurrentFormat), 1);
    CIndividualRecord person;
    person.surname = "Lind";
    person.givenNames[0] = "Ada";
    person.sex = 'F';
    QVERIFY(DbAddRecord(db::kIndividual, 0, &person) > 0);
    DbClose();
    QVERIFY(Start("-s " + a_));
    QAction* edit = Frame()->CommandAction(shell::kIdEditDeleteIndividual);
    QTRY_VERIFY(app_->ActiveViewRin() > 0);
    QTRY_VERIFY(edit->isEnabled());
    Frame()->CommandAction(shell::kIdViewPedigree)->trigger();
    auto* child = qobject_cast<CKorMDIChildWnd*>(Windows().value(0));
    QVERIFY(child);
    QTRY_VERIFY(qobject_cast<CKorView*>(child->GetActiveView()));
    QTRY_VERIFY(edit->isEnabled());
    Frame()->CommandAction(shell::kIdViewFamily)->trigger();
    QTRY_VERIFY(qobject_cast<CKorView2*>(child->GetActiveView()));
    QTRY_VERIFY(edit->isEnabled());
  }

  void anUnknownViewTypeOpensThePedigreeView() {
    profile_->SetInt("Start Up", "ViewType", 2);
    QVERIFY(Start("-s " + a_));
    QCOMPARE(boxes_->Calls().size(), std::size_t{1});
    QCOMPARE(boxes_->Calls()[0].text, std::string("Unknown View Type"));
    QCOMPARE(boxes_->Calls()[0].caption, std::string("Yo"));
    auto* child = qobject_cast<CKorMDIChildWnd*>(Windows().value(0));
    QVERIFY(qobject_cast<CKorView*>(child->GetActiveView()));
  }

  void maintenanceCommandsFollowTheOpenFile() {
    // No file: only the commands that pick their own file.
    QVERIFY(Start("-s  "));
    const auto enabled = [this](unsigned id) { return Frame()->CommandAction(id)->isEnabled(); };
    for (unsigned id : {shell::kIdFileRestore, shell::kIdFileDelete, shell::kIdFileCheckRepair})
      QVERIFY2(enabled(id), qPrintable(QString::number(id)));
    for (unsigned id : {shell::kIdFileBackup, shell::kIdFileProperties, shell::kIdToolsMixedCase,
                        shell::kIdFileImport, shell::kIdFileExport})
      QVERIFY2(!enabled(id), qPrintable(QString::number(id)));
    // An empty family file: no backup until it holds individuals; GEDCOM
    // import and export wait for their dialogs.
    app_.reset();
    QVERIFY(Start("-s " + a_));
    QVERIFY(enabled(shell::kIdFileProperties));
    QVERIFY(enabled(shell::kIdToolsMixedCase));
    QVERIFY(!enabled(shell::kIdFileBackup));
    QVERIFY(!enabled(shell::kIdFileImport));
    QVERIFY(!enabled(shell::kIdFileExport));
  }
  void backupDeleteAndRestoreThroughTheMenu() {
    AddTolliver();
    profile_->SetString("Folders", "Data", dir_->path().toStdString());
    QVERIFY(Start("-s " + a_));
    FakeMaintenanceScreens screens;
    app_->SetMaintenanceScreens(&screens);
    QVERIFY(Frame()->CommandAction(shell::kIdFileBackup)->isEnabled());

    screens.answer = File("alpha.bak");
    Frame()->CommandAction(shell::kIdFileBackup)->trigger();
    QCOMPARE(BoxTexts().last(), QStringLiteral("Backup complete."));
    QVERIFY(CurrentDatabase->IsOpen());
    QCOMPARE(Windows().size(), 1);

    // Delete: the window goes first, the file to the trash, the list forgets it.
    screens.answer = a_;
    Frame()->CommandAction(shell::kIdFileDelete)->trigger();
    QCOMPARE(Windows().size(), 0);
    QVERIFY(!CurrentDatabase->IsOpen());
    QCOMPARE(shell_->trashed.back(), a_);
    QVERIFY(app_->GetRecentFile(0) != a_);

    // The fake trash left the file: Restore asks before replacing it (Yes is
    // the box's default) and opens the restored file in a window.
    screens.answer = File("alpha.bak");
    Frame()->CommandAction(shell::kIdFileRestore)->trigger();
    QCOMPARE(BoxTexts().last(), QStringLiteral("Restore complete."));
    QCOMPARE(Windows().size(), 1);
    QCOMPARE(DbGetFilePath(), a_);
    QCOMPARE(DbGetActiveRecordCount(db::kIndividual), 1);
    QCOMPARE(app_->GetRecentFile(0), a_);
  }
  // File > Backup of a damaged family file, answered Cancel at the reopen's
  // damage question: no file is open, and no window shows its family.
  void backupOfADamagedFileCancelledAtTheReopenLeavesNoWindow() {
    AddTolliver();
    // One changed value: the header counts more individuals than the
    // file's blocks hold.
    std::fstream file(a_, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(orv::kHeadHighestIndividual);
    const char highest[4] = {0x40, 0x42, 0x0f, 0x00};
    file.write(highest, sizeof highest);
    file.close();
    QVERIFY(Start("-s " + a_));  // the damage question answered OK
    QVERIFY(CurrentDatabase->IsOpen());
    QCOMPARE(Windows().size(), 1);
    FakeMaintenanceScreens screens;
    app_->SetMaintenanceScreens(&screens);
    screens.answer = File("alpha.bak");
    boxes_->Clear();
    boxes_->QueueAnswer(plat::kIdOk);      // "Backup complete."
    boxes_->QueueAnswer(plat::kIdCancel);  // the damage question at the reopen
    Frame()->CommandAction(shell::kIdFileBackup)->trigger();
    QVERIFY(BoxTexts().contains(QStringLiteral("Backup complete.")));
    QVERIFY(!CurrentDatabase->IsOpen());
    QCOMPARE(app_->Files().fileOpen, 0);
    QCOMPARE(Windows().size(), 0);
    QVERIFY(!Frame()->CommandAction(shell::kIdFileBackup)->isEnabled());
    app_->SetMaintenanceScreens(nullptr);
  }
  void gedcomImportAndExportThroughTheirScreens() {
    std::vector<std::string> imported;
    int exports = 0;
    AppScreens().importGedcom = [&](QWidget*, const std::string& path) {
      imported.push_back(path);
      CIndividualRecord person;
      person.surname = "Imported";
      return DbAddRecord(db::kIndividual, 0, &person) > 0;
    };
    AppScreens().exportGedcom = [&](QWidget*) { return ++exports > 0; };
    QVERIFY(Start("-s " + a_));
    // An empty file imports but has nothing to export.
    QVERIFY(Frame()->CommandAction(shell::kIdFileImport)->isEnabled());
    QVERIFY(!Frame()->CommandAction(shell::kIdFileExport)->isEnabled());
    // The GEDCOM road of File > Open: the empty file shows what came in.
    app_->ImportGedcomFile(File("people.ged"));
    QCOMPARE(imported, (std::vector<std::string>{File("people.ged")}));
    QVERIFY(app_->ActiveViewRin() > 0);
    QVERIFY(Frame()->CommandAction(shell::kIdFileExport)->isEnabled());
    Frame()->CommandAction(shell::kIdFileExport)->trigger();
    QCOMPARE(exports, 1);
    AppScreens().importGedcom = nullptr;
    AppScreens().exportGedcom = nullptr;
  }
  void aRememberedFileThatIsGoneIsForgottenWithoutABox() {
    profile_->SetString("Start Up", "FamilyFile", File("gone.orv"));
    QVERIFY(Start(""));
    QVERIFY(BoxTexts().isEmpty());
    QVERIFY(!profile_->Has("Start Up", "FamilyFile"));
    QCOMPARE(dialogs_->asked, (QStringList{QStringLiteral("splash"), QStringLiteral("welcome")}));
    QCOMPARE(Windows().size(), 0);
    QVERIFY(!Frame()->CommandAction(shell::kIdFileClose)->isEnabled());
    QVERIFY(Frame()->CommandAction(shell::kIdFileOpen)->isEnabled());
    QVERIFY(Frame()->CommandAction(shell::kIdFileNew)->isEnabled());
  }

  void welcomeChoices_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("expectedDialog");
    QTest::addColumn<bool>("opens");
    QTest::newRow("searched") << shell::kWelcomeSearched << QString() << true;
    QTest::newRow("open") << shell::kWelcomeOpen << QStringLiteral("open") << true;
    QTest::newRow("new") << shell::kWelcomeNew << QStringLiteral("save") << true;
    QTest::newRow("cancel") << shell::kWelcomeCancel << QString() << false;
  }
  void welcomeChoices() {
    QFETCH(int, answer);
    QFETCH(QString, expectedDialog);
    QFETCH(bool, opens);
    const std::string fresh = File("fresh.orv");
    dialogs_->welcomeAnswer = answer;
    dialogs_->welcomePath = b_;
    dialogs_->paths.push_back(answer == shell::kWelcomeNew ? fresh : b_);
    QVERIFY(Start("-s"));
    QStringList expected{QStringLiteral("welcome")};
    if (!expectedDialog.isEmpty()) expected << expectedDialog;
    if (answer == shell::kWelcomeNew) expected << QStringLiteral("preparer");
    QCOMPARE(dialogs_->asked, expected);
    QCOMPARE(Windows().size(), opens ? 1 : 0);
    if (opens) {
      const std::string wanted = answer == shell::kWelcomeNew ? fresh : b_;
      QCOMPARE(DbGetFilePath(), wanted);
      QCOMPARE(RecentItems().value(0), QStringLiteral("&1 ") + QString::fromStdString(wanted));
    }
  }

  void recentFileItemsFollowTheList() {
    QVERIFY(Start("-s"));
    QCOMPARE(RecentItems(), QStringList{QStringLiteral("Recent File")});
    QVERIFY(!Frame()->CommandAction(shell::kIdFileRecent1)->isEnabled());

    app_->AddRecentFile("/x/one.orv");
    app_->AddRecentFile("/x/two.orv");
    app_->AddRecentFile("/x/three.orv");
    QCOMPARE(RecentItems(),
             (QStringList{QStringLiteral("&1 /x/three.orv"), QStringLiteral("&2 /x/two.orv"),
                          QStringLiteral("&3 /x/one.orv")}));
    QVERIFY(Frame()->CommandAction(shell::kIdFileRecent1)->isEnabled());
    app_->RemoveRecentFile("/x/two.orv");
    QCOMPARE(RecentItems(),
             (QStringList{QStringLiteral("&1 /x/three.orv"), QStringLiteral("&2 /x/one.orv")}));

    // An "&" of a path is shown as it is, not taken for a mnemonic.
    app_->AddRecentFile("/x/B&B/four.orv");
    QCOMPARE(RecentItems().value(0), QStringLiteral("&1 /x/B&&B/four.orv"));
    QCOMPARE(RecentItems().value(1), QStringLiteral("&2 /x/three.orv"));

    // An item opens its file.
    app_->AddRecentFile(a_);
    Frame()->CommandAction(shell::kIdFileRecent1)->trigger();
    QCOMPARE(DbGetFilePath(), a_);
    QCOMPARE(Windows().size(), 1);
  }

  void aSecondFileClosesTheFirstAndActivationSwitchesBack() {
    QVERIFY(Start("-s " + a_));
    dialogs_->paths.push_back(b_);
    Frame()->CommandAction(shell::kIdFileOpen)->trigger();
    QCOMPARE(Windows().size(), 2);
    QCOMPARE(DbGetFilePath(), b_);
    QCOMPARE(app_->m_openFilePath, b_);
    QCOMPARE(RecentItems().value(0), QStringLiteral("&1 ") + QString::fromStdString(b_));

    QMdiSubWindow* first = nullptr;
    for (QMdiSubWindow* w : Windows())
      if (w->windowTitle() == QString::fromStdString(a_)) first = w;
    QVERIFY(first);
    Frame()->MDIClient()->setActiveSubWindow(first);
    QCOMPARE(DbGetFilePath(), a_);
    QCOMPARE(app_->GetCurrentDocument()->m_familyFilePath, a_);

    // Close: the window goes and the other one's file comes back.
    Frame()->CommandAction(shell::kIdFileClose)->trigger();
    QCOMPARE(Windows().size(), 1);
    QCOMPARE(DbGetFilePath(), b_);
    QVERIFY(CurrentDatabase->IsOpen());
  }

  void closingTheFrameClosesTheFileAndWritesStartUp() {
    QVERIFY(Start("-s " + a_));
    Frame()->close();
    QCOMPARE(profile_->GetString("Start Up", "FamilyFile", ""), a_);
    QCOMPARE(profile_->GetInt("Start Up", "ViewType", 0), CKorApp::kViewFamily);
    QVERIFY(!CurrentDatabase->IsOpen());
    QCOMPARE(app_->Files().fileOpen, 0);
  }

  void languageOption_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("title");
    QTest::newRow("catalog") << "-lDE"
                             << "DE"
                             << "Korvane auf Deutsch";
    QTest::newRow("missing catalog") << "-lXX"
                                     << "FR"
                                     << "Korvane";
    QTest::newRow("at the end") << "-s -l"
                                << ""
                                << "Korvane";
  }
  void languageOption() {
    QFETCH(QString, option);
    QFETCH(QString, stored);
    QFETCH(QString, title);
    const std::string catalog = res::CatalogPath(plat::ProgramPath(), "DE");
    {
      std::ofstream out(catalog, std::ios::binary);
      out << "101\tKorvane auf Deutsch\n";
    }
    profile_->SetString("Options", "LanguageUI", "FR");
    QVERIFY(Start(option.toStdString()));
    std::remove(catalog.c_str());
    QCOMPARE(QString::fromStdString(profile_->GetString("Options", "LanguageUI", "?")), stored);
    QCOMPARE(QString::fromStdString(res::LoadString(res::kIdsAppName)), title);
  }

  void theClockTest() {
    auto built = plat::GetFileTimes(plat::ProgramPath());
    QVERIFY(built);
    plat::SetFixedTime(built->modified - 86400);
    QVERIFY(Start("-s"));
    QCOMPARE(BoxTexts().size(), 1);
    QVERIFY(BoxTexts()[0].startsWith(QStringLiteral("Your computer's system date may be")));
    app_.reset();

    boxes_->Clear();
    QDateTime late(QDate(2106, 1, 10), QTime(12, 0), Qt::UTC);
    plat::SetFixedTime(late.toSecsSinceEpoch());
    QVERIFY(!Start("-s"));
    QCOMPARE(app_->ExitCode(), -1);
    QCOMPARE(BoxTexts().size(), 1);
    QVERIFY(BoxTexts()[0].startsWith(QStringLiteral("This software cannot run after the year")));
    QCOMPARE(boxes_->Calls()[0].flags & plat::kMbIconMask, unsigned{plat::kMbIconStop});
  }

  void aSecondStartHandsOverItsFile() {
    QVERIFY(Start("-s " + a_));
    // A second start finds this one, hands its command line over and ends.
    CKorApp& first = *app_;
    QVERIFY(first.IsSingleInstance("-s " + Quoted(b_)));
    QTRY_COMPARE(DbGetFilePath(), b_);
    QCOMPARE(Windows().size(), 2);
  }

  void aHandedOverFileThatIsNoFamilyFileIsRefusedWithoutHarm() {
    QVERIFY(Start("-s " + a_));
    const std::string text = File("notes.orv");
    {
      std::ofstream out(text, std::ios::binary);
      for (int i = 0; i < 200; ++i) out << "Not a family file at all.\n";
    }
    ModalBox modal;
    plat::ScopedMessageBox scoped(&modal);
    // The boxes run their event loops while the second start hangs up.
    QVERIFY(app_->IsSingleInstance("-s " + Quoted(text)));
    QTRY_VERIFY(!modal.Calls().empty());
    QTest::qWait(400);
    QVERIFY(app_->GetMainFrame());
    QCOMPARE(Windows().size(), 1);
  }
};

QTEST_MAIN(StartupTest)
#include "startup_qtest.moc"
