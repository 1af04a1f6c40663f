// The add-on and web commands in the application: the Tools menu's add-on
// items, a library add-on called with the closed family file's path and the
// current numbers, a program add-on started with the path on its command
// line, the web searches and their enabling, and the Help menu's pages.
#include <dlfcn.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <memory>

#include "AddOnCommands.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FileLayout.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "KorView.h"
#include "Launcher.h"
#include "MainFrame.h"
#include "NoFileDialogs.h"
#include "RecordAccess.h"
#include "WebLinks.h"

namespace {

std::int32_t AddPerson(const char* given1, const char* given2, const char* surname, char sex) {
  CIndividualRecord person;
  person.surname = surname;
  person.givenNames[0] = given1;
  person.givenNames[1] = given2;
  person.sex = sex;
  return static_cast<std::int32_t>(family::Add(person, 0));
}

void PutAddOn(shell::MemoryKeyStore& store, const std::string& key, const std::string& menu,
              const std::string& target, int pass, const std::string& start = "/") {
  const std::string path = std::string("AddOn/") + key;
  store.WriteString(path, "Menu", menu);
  store.WriteString(path, "Target", target);
  store.WriteString(path, "StartIn", start);
  store.WriteInt(path, "PassFileName", pass);
}

// The test add-on, held open by the test so that what it kept stays after
// the application frees it.
struct TestLibrary {
  void* handle = dlopen(KORVANE_TEST_ADDON, RTLD_NOW);
  ~TestLibrary() {
    if (handle) dlclose(handle);
  }
};

// What the probe saw while the add-on ran.
bool g_probeRan = false;
bool g_databaseOpenDuringCall = true;
int g_fileOpenFlagDuringCall = -1;
CKorApp* g_app = nullptr;

// A header value the probe writes into the closed family file, making it
// count more individuals than it holds; 0 writes nothing.
std::int32_t g_damageHighestTo = 0;
std::string g_familyPath;

void Probe() {
  if (g_damageHighestTo != 0) {
    std::fstream file(g_familyPath, std::ios::in | std::ios::out | std::ios::binary);
    std::uint8_t value[4];
    orv::PutI32(value, g_damageHighestTo);
    file.seekp(orv::kHeadHighestIndividual);
    file.write(reinterpret_cast<const char*>(value), sizeof value);
  }
  g_probeRan = true;
  g_databaseOpenDuringCall = CurrentDatabase->IsOpen();
  g_fileOpenFlagDuringCall = g_app ? g_app->Files().fileOpen : -1;
}

// The texts of the menu's visible add-on items.
QStringList AddOnTexts(QMenu* menu) {
  QStringList texts;
  for (QAction* action : menu->actions()) {
    const unsigned id = action->property("commandId").toUInt();
    if (id >= shell::kIdToolsAddOnFirst && id <= shell::kIdToolsAddOnLast && action->isVisible())
      texts << action->text();
  }
  return texts;
}

QMenu* DocumentMenu(CMainFrame* frame, unsigned memberId) {
  for (QObject* object : frame->CommandAction(memberId)->associatedObjects())
    if (auto* menu = qobject_cast<QMenu*>(object))
      if (menu->actions().size() > 3) return menu;
  return nullptr;
}

void Shot(QMenu* menu, const char* name) {
  if (!qEnvironmentVariableIsSet("KORVANE_SHOTS")) return;
  menu->popup(QPoint(0, 0));
  QApplication::processEvents();
  menu->grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') + QLatin1String(name));
  menu->hide();
}

}  // namespace

class AddOnCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    scopedBoxes_ = std::make_unique<plat::ScopedMessageBox>(&boxes_);
    profile_ = std::make_unique<plat::FakeProfile>();
    scopedProfile_ = std::make_unique<plat::ScopedProfile>(profile_.get());
    shell_.opened.clear();
    scopedShell_ = std::make_unique<plat::ScopedShell>(&shell_);
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("my family")));
    path_ = dir_->filePath(QStringLiteral("my family/Berg family.orv")).toStdString();
    user_ = std::make_unique<shell::MemoryKeyStore>();
    system_ = std::make_unique<shell::MemoryKeyStore>();
  }
  void cleanup() {
    commands_ = nullptr;
    g_app = nullptr;
    app_.reset();
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
    scopedShell_.reset();
    scopedProfile_.reset();
    scopedBoxes_.reset();
  }

  void toolsMenuShowsTwentyAddOnsInListOrder() {
    for (int i = 0; i < 21; ++i)
      PutAddOn(*user_, "Tool" + QString::number(100 + i).toStdString(),
               "Tool " + QString::number(100 + i).toStdString(), "/opt/tool", 0);
    // Without "PassFileName" a key is no add-on.
    user_->WriteString("AddOn/Zeta", "Menu", "Half Registered");
    user_->WriteString("AddOn/Zeta", "Target", "/opt/zeta");
    user_->WriteString("AddOn/Zeta", "StartIn", "/opt");
    StartApp(true);

    CMainFrame* frame = app_->GetMainFrame();
    QMenu* tools = DocumentMenu(frame, shell::kIdToolsPreferences);
    QVERIFY(tools);
    const QStringList texts = AddOnTexts(tools);
    QCOMPARE(texts.size(), 20);
    QCOMPARE(texts.front(), QStringLiteral("Tool 120"));
    QCOMPARE(texts.back(), QStringLiteral("Tool 101"));
    QVERIFY(!texts.contains(QStringLiteral("Half Registered")));
    QVERIFY(frame->CommandAction(shell::kIdToolsAddOnFirst)->isEnabled());
    Shot(tools, "tools-menu.png");

    // Registering a companion whose text is on the menu changes that item.
    QCOMPARE(commands_->List().Register("Again", "Tool 105", "/opt/new", "/opt/", 1), 1);
    commands_->UpdateAddOnMenu();
    QCOMPARE(commands_->List().GetCount(), 21);
    QCOMPARE(commands_->List().GetAt(15)->target, std::string("/opt/new"));
    QCOMPARE(AddOnTexts(tools), texts);
  }

  void fewAddOnsHideTheOtherItems() {
    PutAddOn(*system_, "Only", "Only Tool", "/opt/only", 0);
    StartApp(true);
    CMainFrame* frame = app_->GetMainFrame();
    QMenu* tools = DocumentMenu(frame, shell::kIdToolsPreferences);
    QCOMPARE(AddOnTexts(tools), QStringList{QStringLiteral("Only Tool")});
    // A later registration brings the next item back.
    QCOMPARE(commands_->List().Register("Next", "Next Tool", "/opt/next", "/opt/", 0), 1);
    commands_->UpdateAddOnMenu();
    QCOMPARE(AddOnTexts(tools),
             (QStringList{QStringLiteral("Only Tool"), QStringLiteral("Next Tool")}));
    Shot(tools, "tools-menu-two.png");
  }

  void libraryAddOnIsCalledWithTheClosedFileAndCurrentNumbers() {
    TestLibrary library;
    StartWithLibraryAddOn(library);
    if (QTest::currentTestFailed()) return;
    const std::int32_t rin = app_->ActiveViewRin();
    QVERIFY(rin == anna_ || rin == jan_);

    app_->GetMainFrame()->CommandAction(shell::kIdToolsAddOnFirst)->trigger();

    QCOMPARE(Call<int>(library, "TestAddOnCalls"), 1);
    QCOMPARE(Call<unsigned>(library, "TestAddOnSize"), 24u);
    QCOMPARE(QString::fromUtf8(Call<const char*>(library, "TestAddOnFile")),
             QString::fromStdString(path_));
    QCOMPARE(Call<int>(library, "TestAddOnRin"), rin);
    QCOMPARE(Call<int>(library, "TestAddOnMrin"), mrin_);
    // The file was closed for the call and is open again after it.
    QVERIFY(g_probeRan);
    QVERIFY(!g_databaseOpenDuringCall);
    QCOMPARE(g_fileOpenFlagDuringCall, 0);
    QVERIFY(CurrentDatabase->IsOpen());
    QCOMPARE(app_->Files().fileOpen, 1);
    QCOMPARE(app_->ActiveViewRin(), rin);

    // From the pedigree view as well, which shows its individual again.
    app_->ShowPedigreeView();
    QTRY_VERIFY(app_->ActivePedigreeView() && app_->ActiveViewRin() > 0);
    const std::int32_t pedigreeRin = app_->ActiveViewRin();
    const auto pedigreeMrin = static_cast<int>(app_->ActivePedigreeView()->GetCurrentMarriage(0));
    app_->GetMainFrame()->CommandAction(shell::kIdToolsAddOnFirst)->trigger();
    QCOMPARE(Call<int>(library, "TestAddOnCalls"), 2);
    QCOMPARE(Call<int>(library, "TestAddOnRin"), pedigreeRin);
    QCOMPARE(Call<int>(library, "TestAddOnMrin"), pedigreeMrin);
    QVERIFY(!g_databaseOpenDuringCall);
    QVERIFY(CurrentDatabase->IsOpen());
    QCOMPARE(app_->ActiveViewRin(), pedigreeRin);
  }

  // An add-on that leaves the family file damaged, answered Cancel at the
  // reopen's question: the file stays closed and no window shows its family.
  void libraryAddOnLeavingADamagedFileCancelledAtTheReopenLeavesNoWindow() {
    TestLibrary library;
    StartWithLibraryAddOn(library);
    if (QTest::currentTestFailed()) return;
    QCOMPARE(app_->GetMainFrame()->MDIClient()->subWindowList().size(), 1);
    g_familyPath = path_;
    g_damageHighestTo = 1000000;
    boxes_.QueueAnswer(plat::kIdCancel);
    app_->GetMainFrame()->CommandAction(shell::kIdToolsAddOnFirst)->trigger();
    g_damageHighestTo = 0;
    QVERIFY(g_probeRan);
    QVERIFY(!CurrentDatabase->IsOpen());
    QCOMPARE(app_->Files().fileOpen, 0);
    QCOMPARE(app_->GetMainFrame()->MDIClient()->subWindowList().size(), 0);
  }

  void libraryAddOnGetsZeroWithoutACurrentIndividual() {
    PutAddOn(*user_, "Lib", "Library Tool", KORVANE_TEST_ADDON, 0);
    StartApp(false);
    TestLibrary library;
    QVERIFY2(library.handle, dlerror());
    Arm(library);
    QCOMPARE(app_->ActiveViewRin(), 0);

    app_->GetMainFrame()->CommandAction(shell::kIdToolsAddOnFirst)->trigger();

    QCOMPARE(Call<int>(library, "TestAddOnCalls"), 1);
    QCOMPARE(Call<int>(library, "TestAddOnRin"), 0);
    QCOMPARE(Call<int>(library, "TestAddOnMrin"), 0);
    // Pass mode 0 hands over an empty text, not a missing one.
    const char* file = Call<const char*>(library, "TestAddOnFile");
    QVERIFY(file != nullptr);
    QCOMPARE(QString::fromUtf8(file), QString());
    QVERIFY(CurrentDatabase->IsOpen());
  }

  void programAddOnArgumentsFollowThePassMode() {
    const QString script = dir_->filePath(QStringLiteral("args.sh"));
    QFile file(script);
    QVERIFY(file.open(QIODevice::WriteOnly));
    // The script writes its folder, its argument count and its arguments.
    file.write(
        "out=\"$(dirname \"$0\")/$1.args\"\nshift\n"
        "{ pwd; printf '%s\\n' \"$#\" \"$@\"; } > \"$out.tmp\" && mv \"$out.tmp\" "
        "\"$out\"\n");
    file.close();
    const std::string start = dir_->path().toStdString() + "/my family";
    const std::string run = "/bin/sh \"" + script.toStdString() + "\" ";
    PutAddOn(*user_, "A", "Quoted", run + "quoted", 1, start);
    PutAddOn(*user_, "B", "Plain", run + "plain", 2, start);
    PutAddOn(*user_, "C", "None", run + "none", 0, start);
    StartApp(true);
    struct Case {
      const char* menu;
      const char* out;
      QStringList lines;
    };
    const QString path = QString::fromStdString(path_);
    const QString folder = QString::fromStdString(start);
    const QStringList parts = path.split(QLatin1Char(' '));
    const Case cases[] = {
        // The quoted path with its blanks stays one argument.
        {"Quoted", "quoted.args", {folder, QStringLiteral("1"), path}},
        // The plain path goes as it is, so its blanks split it.
        {"Plain", "plain.args", QStringList{folder, QString::number(parts.size())} + parts},
        {"None", "none.args", {folder, QStringLiteral("0")}},
    };
    for (const Case& c : cases) {
      int index = -1;
      for (int i = 0; i < commands_->List().GetCount(); ++i)
        if (commands_->List().GetAt(i)->menuText == c.menu) index = i;
      QVERIFY(index >= 0);
      app_->GetMainFrame()
          ->CommandAction(shell::kIdToolsAddOnFirst + static_cast<unsigned>(index))
          ->trigger();
      const QString out = dir_->filePath(QLatin1String(c.out));
      QTRY_VERIFY(QFile::exists(out));
      QFile args(out);
      QVERIFY(args.open(QIODevice::ReadOnly));
      QCOMPARE(QString::fromUtf8(args.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
               c.lines);
    }
  }

  void webSearchesLookUpTheCurrentIndividual() {
    profile_->SetInt("Options", "Allow3PSearch", 1);
    StartApp(true);
    app_->ShowInActiveView(anna_);
    QTRY_COMPARE(app_->ActiveViewRin(), anna_);
    CMainFrame* frame = app_->GetMainFrame();
    QMenu* search = DocumentMenu(frame, shell::kIdSearchSeekwell);
    QVERIFY(search);
    emit search->aboutToShow();
    for (unsigned id :
         {shell::kIdSearchSeekwell, shell::kIdSearchOutside1, shell::kIdSearchOutside2}) {
      QVERIFY2(frame->CommandAction(id)->isEnabled(), qPrintable(QString::number(id)));
      QVERIFY(search->actions().contains(frame->CommandAction(id)));
    }

    Shot(search, "search-menu.png");
    frame->CommandAction(shell::kIdSearchSeekwell)->trigger();
    frame->CommandAction(shell::kIdSearchOutside2)->trigger();
    commands_->OnWebSearch(shell::kWebSearchOutside3);
    // The kind without an address opens nothing.
    commands_->OnWebSearch(shell::kWebSearchNone);
    QCOMPARE(shell_.opened.size(), std::size_t{3});
    QVERIFY2(QString::fromStdString(shell_.opened[0])
                 .endsWith(QStringLiteral("?first_name=Anna%20Maria&last_name=de%20Vries")),
             shell_.opened[0].c_str());
    QVERIFY(shell_.opened[0].find(".example/Search/ancestorsearchresults.asp") !=
            std::string::npos);
    QVERIFY2(QString::fromStdString(shell_.opened[1])
                 .endsWith(QStringLiteral("&first=Anna&middle=Maria&last=de%20Vries")),
             shell_.opened[1].c_str());
    QVERIFY(QString::fromStdString(shell_.opened[2]).contains(QStringLiteral("/cgi-bin/iff?")));
  }

  void searchItemsAreDisabledWithoutACurrentIndividual() {
    profile_->SetInt("Options", "Allow3PSearch", 1);
    StartApp(false);
    CMainFrame* frame = app_->GetMainFrame();
    QMenu* search = DocumentMenu(frame, shell::kIdSearchSeekwell);
    emit search->aboutToShow();
    for (unsigned id :
         {shell::kIdSearchSeekwell, shell::kIdSearchOutside1, shell::kIdSearchOutside2})
      QVERIFY2(!frame->CommandAction(id)->isEnabled(), qPrintable(QString::number(id)));
    for (int kind = 0; kind <= 4; ++kind) commands_->OnWebSearch(kind);
    QVERIFY(shell_.opened.empty());
  }

  void outsideSitesLeaveTheMenuWhenNotAllowed() {
    profile_->SetInt("Options", "Allow3PSearch", 0);
    StartApp(true);
    CMainFrame* frame = app_->GetMainFrame();
    QMenu* search = DocumentMenu(frame, shell::kIdSearchSeekwell);
    QVERIFY(search);
    QVERIFY(search->actions().contains(frame->CommandAction(shell::kIdSearchSeekwell)));
    QVERIFY(!search->actions().contains(frame->CommandAction(shell::kIdSearchOutside1)));
    QVERIFY(!search->actions().contains(frame->CommandAction(shell::kIdSearchOutside2)));
  }

  void settingsFilesHoldAddOnsAsKeys() {
    const QString file = dir_->filePath(QStringLiteral("settings.conf"));
    {
      CSettingsKeyStore store(std::make_unique<QSettings>(file, QSettings::IniFormat), "Korvane/");
      QVERIFY(store.WriteString("AddOn/Beta Tool", "Menu", "Beta"));
      QVERIFY(store.WriteString("AddOn/Beta Tool", "Target", "/opt/beta"));
      QVERIFY(store.WriteString("AddOn/Beta Tool", "StartIn", "/opt"));
      QVERIFY(store.WriteInt("AddOn/Beta Tool", "PassFileName", 2));
      QVERIFY(store.WriteString("AddOn/Alpha", "Menu", "Alpha"));
      QVERIFY(store.WriteString("SOFTWARE/Quenmoor/Plotwell", "", "/opt/plotwell/plotwell"));
    }
    // Read back by another store on the same file.
    CSettingsKeyStore store(std::make_unique<QSettings>(file, QSettings::IniFormat), "Korvane/");
    QCOMPARE(store.SubKeys("AddOn"), (std::vector<std::string>{"Alpha", "Beta Tool"}));
    QCOMPARE(store.ReadString("AddOn/Beta Tool", "Target"),
             std::optional<std::string>("/opt/beta"));
    QCOMPARE(store.ReadInt("AddOn/Beta Tool", "PassFileName"), std::optional<int>(2));
    QVERIFY(!store.ReadInt("AddOn/Beta Tool", "Menu").has_value());
    QVERIFY(!store.ReadString("AddOn/Alpha", "Target").has_value());
    QCOMPARE(store.ReadString("SOFTWARE/Quenmoor/Plotwell", ""),
             std::optional<std::string>("/opt/plotwell/plotwell"));
    // The list takes the complete key only.
    shell::CAddOnList list(store, nullptr);
    QCOMPARE(list.GetCount(), 1);
    QCOMPARE(list.GetAt(0)->passMode, 2);
    // Another prefix sees none of it.
    CSettingsKeyStore other(std::make_unique<QSettings>(file, QSettings::IniFormat), "");
    QVERIFY(other.SubKeys("AddOn").empty());
  }

  void launcherStartsNothingForAnEmptyCommandLine() {
    QCOMPARE(LaunchCommandLine("", "/"), -1);
    QCOMPARE(LaunchCommandLine("  \t", "/"), -1);
    QCOMPARE(LaunchCommandLine("/no/such/program -a", "/"), 2);
    // A quoted program path with a blank, and its parameters.
    const QString folder = dir_->filePath(QStringLiteral("my family"));
    const QString program = folder + QStringLiteral("/touch it.sh");
    QFile script(program);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s|' \"$@\" > launched.tmp && mv launched.tmp launched\n");
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
    QCOMPARE(LaunchCommandLine("\"" + program.toStdString() + "\" one \"two words\"",
                               folder.toStdString()),
             0);
    const QString out = folder + QStringLiteral("/launched");
    QTRY_VERIFY(QFile::exists(out));
    QFile launched(out);
    QVERIFY(launched.open(QIODevice::ReadOnly));
    QCOMPARE(launched.readAll(), QByteArray("one|two words|"));
  }

  void helpItemsOpenThePagesAndTheReadme() {
    StartApp(true);
    CMainFrame* frame = app_->GetMainFrame();
    commands_->programFolder = KORVANE_PROGRAM_DIR "/";
    for (unsigned id : {shell::kIdHelpPublisherHome, shell::kIdHelpFeedback,
                        shell::kIdToolsSeekwellService, shell::kIdHelpGettingStarted}) {
      QVERIFY2(frame->CommandAction(id)->isEnabled(), qPrintable(QString::number(id)));
      frame->CommandAction(id)->trigger();
    }
    QCOMPARE(shell_.opened.size(), std::size_t{4});
    for (int i = 0; i < 3; ++i) {
      const QUrl url(QString::fromStdString(shell_.opened[static_cast<std::size_t>(i)]));
      QVERIFY2(url.isValid() && url.host().endsWith(QStringLiteral(".example")),
               shell_.opened[static_cast<std::size_t>(i)].c_str());
    }
    QCOMPARE(shell_.opened[3], std::string(KORVANE_PROGRAM_DIR "/readme.rtf"));
    // The document is there, beside the program.
    QFile readme(QString::fromStdString(shell_.opened[3]));
    QVERIFY(readme.open(QIODevice::ReadOnly));
    QVERIFY(readme.readAll().startsWith("{\\rtf1"));

    profile_->SetString("Options", "LanguageUI", "DE");
    frame->CommandAction(shell::kIdHelpGettingStarted)->trigger();
    QCOMPARE(shell_.opened.back(), std::string(KORVANE_PROGRAM_DIR "/readmeDE.rtf"));

    QMenu* help = DocumentMenu(frame, shell::kIdHelpGettingStarted);
    QVERIFY(help);
    Shot(help, "help-menu.png");
  }

 private:
  // A family file with Anna Maria de Vries married to Jan Berg (people) or
  // none, opened by the application with the add-on commands.
  void StartApp(bool people) {
    QCOMPARE(DbCreate(path_, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path_, CFamilyDatabase::kCurrentFormat), 1);
    if (people) {
      anna_ = AddPerson("Anna", "Maria", "de Vries", 'F');
      jan_ = AddPerson("Jan", "", "Berg", 'M');
      mrin_ = DbSetRelation(jan_, anna_, db::kRelHusband, 0);
      QVERIFY(mrin_ > 0);
    }
    DbCloseCurrent();
    app_ = std::make_unique<CKorApp>();
    g_app = app_.get();
    app_->SetDialogs(&dialogs_);
    QVERIFY(app_->InitInstance("-s \"" + path_ + "\""));
    QVERIFY(CurrentDatabase->IsOpen());
    commands_ = new CAddOnCommands(*app_, *user_, system_.get());
  }

  // The two-person family open, with the test library as the add-on that
  // is passed the family file's path, armed.
  void StartWithLibraryAddOn(TestLibrary& library) {
    PutAddOn(*user_, "Lib", "Library Tool", KORVANE_TEST_ADDON, 1);
    StartApp(true);
    QVERIFY2(library.handle, dlerror());
    Arm(library);
  }

  void Arm(TestLibrary& library) {
    g_probeRan = false;
    g_databaseOpenDuringCall = true;
    g_fileOpenFlagDuringCall = -1;
    auto setProbe =
        reinterpret_cast<void (*)(void (*)())>(dlsym(library.handle, "TestAddOnSetProbe"));
    QVERIFY(setProbe);
    setProbe(&Probe);
  }

  template <class T>
  static T Call(TestLibrary& library, const char* name) {
    auto function = reinterpret_cast<T (*)()>(dlsym(library.handle, name));
    if (!function) qFatal("missing %s", name);
    return function();
  }

  plat::FakeMessageBox boxes_;
  std::unique_ptr<plat::FakeProfile> profile_;
  plat::FakeShell shell_;
  NoFileDialogs dialogs_;
  std::unique_ptr<plat::ScopedMessageBox> scopedBoxes_;
  std::unique_ptr<plat::ScopedProfile> scopedProfile_;
  std::unique_ptr<plat::ScopedShell> scopedShell_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<shell::MemoryKeyStore> user_, system_;
  std::unique_ptr<CKorApp> app_;
  CAddOnCommands* commands_ = nullptr;
  std::string path_;
  std::int32_t anna_ = 0, jan_ = 0, mrin_ = 0;
};

QTEST_MAIN(AddOnCommandsTest)
#include "addons_qtest.moc"
