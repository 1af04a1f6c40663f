// The roads that open, create, switch and close family files, driven with
// fake dialogs and document windows over real family files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>

#include "AppOptions.h"
#include "AsUnprivilegedUser.h"
#include "Clock.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyFileRoads.h"
#include "IndividualRecord.h"
#include "OldFamilyWriter.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

using shell::FamilyFileRoads;

class FakeDialogs : public shell::FileDialogs {
 public:
  std::string AskOpenPath(const std::string& filter, const std::string& title,
                          const std::string&) override {
    asked.push_back("open:" + title);
    lastFilter = filter;
    return Next();
  }
  std::string AskSavePath(const std::string& title, const std::string&, const std::string& ext,
                          const std::string&, const std::vector<std::string>& forbid) override {
    asked.push_back("save:" + title);
    defaultExt = ext;
    forbidden = forbid;
    return Next();
  }
  int AskWelcome(std::string& path) override {
    asked.push_back("welcome");
    path = welcomePath;
    return welcomeAnswer;
  }
  void ShowSplash() override { asked.push_back("splash"); }
  void ShowAbout() override { asked.push_back("about"); }
  void RunBackup() override { asked.push_back("backup"); }
  void RunCheckRepair(const std::string& path) override { asked.push_back("check:" + path); }
  void ShowPreparerPreferences() override { asked.push_back("preparer"); }
  void ImportGedcom(const std::string& path) override { asked.push_back("gedcom:" + path); }
  bool AskConversionOptions(const std::string& location, const std::string& title, long individuals,
                            orv2::ConversionOptions& options) override {
    asked.push_back("convert options:" + location + "|" + title + "|" +
                    std::to_string(individuals));
    options = conversionOptions;
    return acceptConversion;
  }
  int RunConverter(CFamilyDatabase& source, const orv2::ConversionOptions& options,
                   const std::string& destination) override {
    asked.push_back("convert:" + destination);
    usedOptions = options;
    sourceWasOld = source.type == CFamilyDatabase::kOldFormat && &source != CurrentDatabase;
    if (!runConverter) return 0;
    orv2::COrv2Converter converter(source, options, view);
    return converter.Run(destination);
  }
  struct QuietView : orv2::ConverterView {
    void ShowPass(const std::string&) override {}
    void ShowCounter(const std::string&) override {}
    bool Pump() override { return true; }
    orv2::SourceNoteAnswer AskSourceNote(const std::string&, const orv2::SourceNote&) override {
      return {};
    }
  } view;
  orv2::ConversionOptions conversionOptions, usedOptions;
  bool acceptConversion = true, runConverter = true, sourceWasOld = false;

  std::string Next() {
    if (paths.empty()) return "";
    std::string p = paths.front();
    paths.pop_front();
    return p;
  }

  std::deque<std::string> paths;  // answers of the file dialogs in turn; "" = Cancel
  std::vector<std::string> asked, forbidden;
  std::string lastFilter, defaultExt, welcomePath;
  int welcomeAnswer = shell::kWelcomeCancel;
};

// Document windows as a list of paths, the last one active.
class FakeWindows : public shell::DocumentWindows {
 public:
  bool HasWindow(const std::string& path, bool ignoreCase) override {
    return std::any_of(paths.begin(), paths.end(), [&](const std::string& p) {
      return ignoreCase ? shell::RecentFileList::SamePath(p, path) : p == path;
    });
  }
  std::vector<std::string> WindowPaths() override { return paths; }
  void CreateWindow() override {
    paths.push_back(openPath());
    log.push_back("create:" + paths.back());
  }
  void ActivateWindow(const std::string& path) override {
    log.push_back("activate:" + path);
    auto it = std::find_if(paths.begin(), paths.end(), [&](const std::string& p) {
      return shell::RecentFileList::SamePath(p, path);
    });
    if (it == paths.end()) return;
    std::string p = *it;
    paths.erase(it);
    paths.push_back(p);
  }
  void DestroyActiveWindow() override {
    if (paths.empty()) return;
    log.push_back("destroy:" + paths.back());
    paths.pop_back();
  }
  void DestroyWindows(const std::string& path) override {
    log.push_back("destroy:" + path);
    std::erase_if(paths,
                  [&](const std::string& p) { return shell::RecentFileList::SamePath(p, path); });
  }
  void RepaintCurrentView() override { ++repaints; }
  std::int32_t CurrentViewRin() override { return viewRin; }

  std::function<std::string()> openPath;
  std::vector<std::string> paths, log;
  int repaints = 0;
  std::int32_t viewRin = 0;
};

class FamilyFileRoadsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::SetFixedTime(LocalTimeOf(2003, 2, 1, 10, 0));
    windows.openPath = [this] { return roads.openPath; };
    for (const std::string& f : {a, b}) {
      ASSERT_EQ(DbCreate(f, CFamilyDatabase::kCurrentFormat), 1);
      DbClose();
    }
  }
  void TearDown() override {
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
    plat::SetFixedTime(0);
  }

  // Opens path as File > Open does; the new window's block is the document's.
  void OpenThroughDialog(const std::string& path) {
    dialogs.paths.push_back(path);
    roads.OnFileOpen();
    roads.fileInfo = &info;
    info.ReadFileOptions(roads.fileOpen);
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& call : boxes.Calls()) out.push_back(call.text);
    return out;
  }
  bool Shown(const std::string& part) const {
    for (const std::string& t : Texts())
      if (t.find(part) != std::string::npos) return true;
    return false;
  }

  TempDir dir;
  std::string a = dir.File("alpha.orv");
  std::string b = dir.File("beta.orv");
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  CAppOptions options;
  FakeDialogs dialogs;
  FakeWindows windows;
  CFamilyFileInfo info;
  FamilyFileRoads roads{options, dialogs, windows};
};

TEST_F(FamilyFileRoadsTest, OpenGivesAWindowAndARecentEntry) {
  OpenThroughDialog(a);
  EXPECT_EQ(roads.fileOpen, 1);
  EXPECT_EQ(roads.openPath, a);
  EXPECT_EQ(roads.openFolder, dir.Path());
  EXPECT_EQ(roads.openType, CFamilyDatabase::kCurrentFormat);
  EXPECT_EQ(DbGetFilePath(), a);
  EXPECT_EQ(windows.paths, std::vector<std::string>{a});
  EXPECT_EQ(roads.Recent().Get(0), a);
  EXPECT_EQ(roads.guard, 1);
  EXPECT_EQ(dialogs.asked, std::vector<std::string>{"open:Open Family File"});
  EXPECT_NE(dialogs.lastFilter.find("GEDCOM (*.ged)"), std::string::npos);
  EXPECT_TRUE(boxes.Calls().empty()) << Texts()[0];
}

TEST_F(FamilyFileRoadsTest, OpeningASecondFileClosesTheFirstAndKeepsBothWindows) {
  OpenThroughDialog(a);
  OpenThroughDialog(b);
  EXPECT_EQ(DbGetFilePath(), b);
  EXPECT_EQ(windows.paths, (std::vector<std::string>{a, b}));
  EXPECT_EQ(roads.Recent().Entries(), (std::vector<std::string>{b, a}));
}

TEST_F(FamilyFileRoadsTest, AnAlreadyShownPathOnlyActivatesItsWindow) {
  OpenThroughDialog(a);
  OpenThroughDialog(b);
  windows.log.clear();
  dialogs.paths.push_back(a);
  roads.OnFileOpen();
  EXPECT_EQ(windows.log, std::vector<std::string>{"activate:" + a});
  EXPECT_EQ(windows.paths.size(), 2u);
  EXPECT_EQ(DbGetFilePath(), b);  // the switch is the activation's business

  // The same from the recent-file list.
  windows.log.clear();
  roads.OpenRecentFile(1);
  EXPECT_EQ(windows.log, std::vector<std::string>{"activate:" + a});
  EXPECT_EQ(roads.guard, 1);
}

TEST_F(FamilyFileRoadsTest, AMissingRecentFileIsReportedAndDropped) {
  OpenThroughDialog(a);
  const std::string gone = dir.File("gone.orv");
  profile.SetString("Recent File List", "File1", b);
  profile.SetString("Recent File List", "File2", gone);
  profile.SetString("Recent File List", "File3", a);
  roads.OpenRecentFile(1);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Could not open file:\n\n" + gone});
  EXPECT_EQ(roads.Recent().Entries(), (std::vector<std::string>{b, a}));
  // The open file was not touched.
  EXPECT_EQ(roads.fileOpen, 1);
  EXPECT_EQ(DbGetFilePath(), a);
  EXPECT_EQ(roads.guard, 1);
}

// A file that is no family file, or whose header is cut, is refused with one
// message that names it, and the open file is never closed meanwhile.
TEST_F(FamilyFileRoadsTest, ADamagedFileIsReportedAndTheOpenFileKeepsItsState) {
  OpenThroughDialog(a);
  const auto* engine = CurrentDatabase->engine.get();
  for (const std::string& bytes : {std::string(4096, 'x'), std::string("ORV not a family")}) {
    const std::string damaged = dir.File("damaged.orv");
    WriteAll(damaged, bytes);
    boxes.Clear();
    OpenThroughDialog(damaged);
    ASSERT_EQ(Texts(),
              std::vector<std::string>{
                  damaged + "\n\nThe file appears to be damaged.\n\nRun Check/Repair (File menu) "
                            "on it, or replace it from its backup with File > Restore."});
    EXPECT_EQ(boxes.Calls()[0].flags & plat::kMbIconMask, unsigned{plat::kMbIconExclamation});
    EXPECT_EQ(roads.fileOpen, 1);
    EXPECT_EQ(DbGetFilePath(), a);
    EXPECT_EQ(CurrentDatabase->engine.get(), engine);
    EXPECT_EQ(windows.paths, std::vector<std::string>{a});
    EXPECT_EQ(roads.Recent().Entries(), std::vector<std::string>{a});
  }
}

TEST_F(FamilyFileRoadsTest, OldFormatAndForeignFilesAreRefused) {
  OpenThroughDialog(a);
  // An old family whose other data files are missing cannot be converted.
  const std::string old = dir.File("indiv2.dat");
  WriteAll(old, "old");
  OpenThroughDialog(old);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Could not open file:\n\n" + old});
  EXPECT_EQ(dialogs.asked.back(), "open:Open Family File");
  // The open core itself never opens an old family.
  boxes.Clear();
  EXPECT_EQ(roads.OpenFamilyFile(old, CFamilyDatabase::kOldFormat), 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{"This is a ORV 2.x file.  You must convert this file "
                                              "to the new format before you can open it."});
  EXPECT_EQ(DbGetFilePath(), a);

  boxes.Clear();
  const std::string text = dir.File("notes.txt");
  WriteAll(text, "text");
  OpenThroughDialog(text);
  EXPECT_EQ(Texts(), std::vector<std::string>{text + " is not a ORV file."});

  const std::string gedcom = dir.File("tree.ged");
  OpenThroughDialog(gedcom);
  EXPECT_EQ(dialogs.asked.back(), "gedcom:" + gedcom);
  EXPECT_EQ(DbGetFilePath(), a);
  EXPECT_EQ(windows.paths, std::vector<std::string>{a});
}

TEST_F(FamilyFileRoadsTest, AReadOnlyFileIsOfferedReadOnly) {
  ASSERT_EQ(::chmod(b.c_str(), 0444), 0);
  AsUnprivilegedUser nobody;
  if (!nobody.Active()) GTEST_SKIP() << "no unprivileged user to test permissions with";

  boxes.QueueAnswer(plat::kIdNo);
  EXPECT_EQ(roads.OpenFamilyFile(b, CFamilyDatabase::kCurrentFormat), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text,
            b + "\n\nThis file cannot be opened for read-write access. Would you like to open it "
                "for read-only access?");
  EXPECT_EQ(boxes.Calls()[0].flags & plat::kMbButtonMask, plat::kMbYesNo);
  EXPECT_EQ(roads.fileOpen, 0);
  EXPECT_EQ(roads.guard, 1);

  boxes.QueueAnswer(plat::kIdYes);
  EXPECT_EQ(roads.OpenFamilyFile(b, CFamilyDatabase::kCurrentFormat), 1);
  EXPECT_EQ(roads.fileOpen, 1);
  EXPECT_EQ(CurrentDatabase->ReadOnly(), CFamilyDatabase::kReadOnly);
  roads.CloseFamilyFile(0);
}

TEST_F(FamilyFileRoadsTest, AReadOnlyFileWithoutACurrentHeaderIsRefused) {
  const std::string never = dir.File("never.orv");
  WriteAll(never, std::string(2048, '\0'));
  ASSERT_EQ(::chmod(never.c_str(), 0444), 0);
  AsUnprivilegedUser nobody;
  if (!nobody.Active()) GTEST_SKIP() << "no unprivileged user to test permissions with";
  EXPECT_EQ(roads.OpenFamilyFile(never, CFamilyDatabase::kCurrentFormat), 0);
  EXPECT_EQ(Texts(),
            std::vector<std::string>{never + "\n\nCan't open this file because it is a read-only "
                                             "file and it has never been opened in this version "
                                             "of Korvane."});
  EXPECT_EQ(boxes.Calls()[0].flags & plat::kMbIconMask, unsigned{plat::kMbIconExclamation});
}

TEST_F(FamilyFileRoadsTest, TheBackupReminderAsksAtTheCloseAfterTheInterval) {
  OpenThroughDialog(a);
  info.settings.backupInterval = 5;
  info.settings.closeCount = 0;
  std::vector<int> askedAt;
  for (int close = 1; close <= 12; ++close) {
    std::size_t before = boxes.Calls().size();
    roads.CloseFamilyFile(1);
    if (boxes.Calls().size() > before) askedAt.push_back(close);
    ASSERT_EQ(roads.OpenFamilyFile(a, CFamilyDatabase::kCurrentFormat), 1);
  }
  EXPECT_EQ(askedAt, (std::vector<int>{6, 12}));
  EXPECT_EQ(boxes.Calls()[0].text,
            a + "\n\nThis file has not been backed up recently.\nDo you wish to back it up now?");
  EXPECT_EQ(boxes.Calls()[0].flags & plat::kMbIconMask, plat::kMbIconQuestion);

  // The count is written to the file; Yes runs the backup; without the
  // reminder flag nothing is counted.
  CFamilyFileInfo stored;
  ASSERT_EQ(stored.ReadFileOptions(1), 1);
  EXPECT_EQ(stored.settings.closeCount, 0);
  info.settings.closeCount = 5;
  roads.CloseFamilyFile(0);
  boxes.Clear();
  ASSERT_EQ(roads.OpenFamilyFile(a, CFamilyDatabase::kCurrentFormat), 1);
  ASSERT_EQ(stored.ReadFileOptions(1), 1);
  EXPECT_EQ(stored.settings.closeCount, 5);
  boxes.QueueAnswer(plat::kIdYes);
  roads.CloseFamilyFile(1);
  EXPECT_EQ(dialogs.asked.back(), "backup");
  EXPECT_EQ(roads.fileOpen, 0);
}

TEST_F(FamilyFileRoadsTest, CloseStoresThePersonLastShown) {
  OpenThroughDialog(a);
  windows.viewRin = 17;
  roads.CloseFamilyFile(0);
  ASSERT_EQ(roads.OpenFamilyFile(a, CFamilyDatabase::kCurrentFormat), 1);
  CFamilyFileInfo stored;
  ASSERT_EQ(stored.ReadFileOptions(1), 1);
  EXPECT_EQ(stored.settings.lastRin, 17);
  roads.startPersonOverride = 4;
  roads.CloseFamilyFile(0);
  ASSERT_EQ(roads.OpenFamilyFile(a, CFamilyDatabase::kCurrentFormat), 1);
  ASSERT_EQ(stored.ReadFileOptions(1), 1);
  EXPECT_EQ(stored.settings.lastRin, 4);
  // The path stays known after a close, for the start-up record.
  roads.CloseFamilyFile(0);
  EXPECT_EQ(roads.fileOpen, 0);
  EXPECT_EQ(roads.openPath, a);
}

TEST_F(FamilyFileRoadsTest, NewCreatesOpensAndAsksForThePreparer) {
  OpenThroughDialog(a);
  const std::string fresh = dir.File("fresh.orv");
  dialogs.paths.push_back(fresh);
  roads.OnFileNew();
  EXPECT_EQ(DbGetFilePath(), fresh);
  EXPECT_EQ(dialogs.forbidden, std::vector<std::string>{a});
  EXPECT_EQ(dialogs.defaultExt, ".orv");
  EXPECT_EQ(dialogs.asked, (std::vector<std::string>{"open:Open Family File",
                                                     "save:Create New Family File", "preparer"}));
  EXPECT_EQ(windows.paths, (std::vector<std::string>{a, fresh}));
  EXPECT_EQ(roads.Recent().Get(0), fresh);
  EXPECT_EQ(roads.guard, 1);
}

TEST_F(FamilyFileRoadsTest, NewThenCancelLeavesTheGuardSoActivationStillSwitches) {
  OpenThroughDialog(a);
  roads.OnFileNew();  // no path queued: Cancel
  EXPECT_EQ(roads.guard, 1);
  EXPECT_EQ(DbGetFilePath(), a);
  EXPECT_TRUE(roads.SwitchToFile(b, CFamilyDatabase::kCurrentFormat));
  EXPECT_EQ(DbGetFilePath(), b);
  EXPECT_EQ(roads.openPath, b);
  // No switch while a road is under way.
  roads.guard = 0;
  EXPECT_FALSE(roads.SwitchToFile(a, CFamilyDatabase::kCurrentFormat));
  EXPECT_EQ(DbGetFilePath(), b);
}

TEST_F(FamilyFileRoadsTest, AFailedSwitchReopensThePreviousFile) {
  OpenThroughDialog(a);
  std::remove(b.c_str());
  EXPECT_FALSE(roads.SwitchToFile(b, CFamilyDatabase::kCurrentFormat));
  EXPECT_EQ(roads.fileOpen, 1);
  EXPECT_EQ(DbGetFilePath(), a);
  EXPECT_EQ(roads.guard, 1);
}

TEST_F(FamilyFileRoadsTest, ACreationFailureReopensThePreviousFile) {
  OpenThroughDialog(a);
  dialogs.paths.push_back(dir.File("no/such/folder/x.orv"));
  roads.OnFileNew();
  EXPECT_EQ(Texts(), std::vector<std::string>{"Cannot create file."});
  EXPECT_EQ(roads.fileOpen, 1);
  EXPECT_EQ(DbGetFilePath(), a);
  EXPECT_EQ(dialogs.asked.back(), "save:Create New Family File");
  EXPECT_EQ(roads.guard, 1);
}

TEST_F(FamilyFileRoadsTest, SaveAsOntoAnotherOpenWindowsPathClosesThatWindowFirst) {
  OpenThroughDialog(b);
  OpenThroughDialog(a);
  windows.log.clear();
  const std::string original = ReadAll(a);
  dialogs.paths.push_back(b);
  roads.OnFileSaveAs();
  EXPECT_EQ(windows.log, (std::vector<std::string>{"destroy:" + b, "destroy:" + a, "create:" + b}));
  EXPECT_EQ(DbGetFilePath(), b);
  EXPECT_EQ(windows.paths, std::vector<std::string>{b});
  EXPECT_EQ(roads.Recent().Get(0), b);
  EXPECT_EQ(dialogs.asked.back(), "save:Save Family File As");
  EXPECT_EQ(roads.guard, 1);
  DbClose();
  EXPECT_EQ(ReadAll(b).size(), original.size());
}

TEST_F(FamilyFileRoadsTest, ASaveAsCopyFailureReopensTheOldFileAndAsksAgain) {
  OpenThroughDialog(a);
  windows.log.clear();
  dialogs.paths = {dir.File("no/such/folder/copy.orv"), ""};
  roads.OnFileSaveAs();
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].flags & plat::kMbIconMask, plat::kMbIconInformation);
  EXPECT_EQ(std::count(dialogs.asked.begin(), dialogs.asked.end(), "save:Save Family File As"), 2);
  EXPECT_EQ(roads.fileOpen, 1);
  EXPECT_EQ(DbGetFilePath(), a);
  EXPECT_EQ(windows.log, (std::vector<std::string>{"destroy:" + a, "create:" + a}));
  EXPECT_EQ(roads.guard, 1);
}

TEST_F(FamilyFileRoadsTest, CloseCommandClosesTheFileAndItsWindow) {
  OpenThroughDialog(a);
  roads.OnFileClose();
  EXPECT_EQ(roads.fileOpen, 0);
  EXPECT_FALSE(CurrentDatabase->IsOpen());
  EXPECT_TRUE(windows.paths.empty());
}

TEST_F(FamilyFileRoadsTest, WelcomeChoices) {
  dialogs.welcomeAnswer = shell::kWelcomeCancel;
  roads.ShowWelcome();
  EXPECT_EQ(roads.fileOpen, 0);
  EXPECT_TRUE(windows.paths.empty());

  dialogs.welcomeAnswer = shell::kWelcomeSearched;
  dialogs.welcomePath = b;
  roads.ShowWelcome();
  EXPECT_EQ(DbGetFilePath(), b);
  EXPECT_EQ(windows.paths, std::vector<std::string>{b});
  EXPECT_EQ(roads.Recent().Get(0), b);

  dialogs.welcomeAnswer = shell::kWelcomeOpen;
  dialogs.paths.push_back(a);
  roads.ShowWelcome();
  EXPECT_EQ(DbGetFilePath(), a);

  dialogs.welcomeAnswer = shell::kWelcomeNew;
  roads.ShowWelcome();  // Cancel in the save dialog
  EXPECT_EQ(dialogs.asked.back(), "save:Create New Family File");
  EXPECT_EQ(DbGetFilePath(), a);
}

TEST_F(FamilyFileRoadsTest, StartupFile) {
  using Result = FamilyFileRoads::StartupResult;
  profile.SetString("Start Up", "FamilyFile", dir.File("gone.orv"));
  EXPECT_EQ(roads.OpenStartupFile(dir.File("gone.orv")), Result::kForgotten);
  EXPECT_FALSE(profile.Has("Start Up", "FamilyFile"));
  EXPECT_TRUE(boxes.Calls().empty());

  // Named on the command line, its absence is said; the remembered file stays.
  profile.SetString("Start Up", "FamilyFile", a);
  EXPECT_EQ(roads.OpenStartupFile(dir.File("gone.orv"), true), Result::kNotOpened);
  ASSERT_EQ(Texts(), std::vector<std::string>{"Could not open file:\n\n" + dir.File("gone.orv") +
                                              "\n\nFile not found."});
  EXPECT_EQ(boxes.Calls()[0].flags & plat::kMbIconMask, unsigned{plat::kMbIconExclamation});
  EXPECT_EQ(profile.GetString("Start Up", "FamilyFile", ""), a);
  boxes.Clear();

  EXPECT_EQ(roads.OpenStartupFile(""), Result::kNone);
  EXPECT_EQ(roads.OpenStartupFile(dir.File("import.ged")), Result::kGedcom);
  EXPECT_EQ(roads.fileOpen, 0);

  EXPECT_EQ(roads.OpenStartupFile(a), Result::kOpened);
  EXPECT_EQ(DbGetFilePath(), a);
  EXPECT_EQ(roads.Recent().Get(0), a);
  // Start-up leaves the window to the application.
  EXPECT_TRUE(windows.paths.empty());
}

}  // namespace

namespace {

// ---- the conversion road ----

class ConversionRoadTest : public FamilyFileRoadsTest {
 protected:
  void WriteOld() {
    std::filesystem::create_directories(oldDir);
    oldfamily::Individual p;
    p.surname = "Pell";
    p.given[0] = "Ada";
    old.Add(p);
    old.Add(p);
    old.people[2].deleted = true;
    old.familyName = "The Pells";
    old.Write(oldDir);
  }
  std::string oldDir = dir.Path() + "old/";
  std::string target = dir.File("converted.orv");
  oldfamily::Writer old;
};

TEST_F(ConversionRoadTest, OpeningAnOldFamilyConvertsItAndOpensTheNewFile) {
  WriteOld();
  OpenThroughDialog(a);
  dialogs.conversionOptions.preserveNumbers = true;
  dialogs.paths.push_back(target);
  roads.OpenPath(oldDir + "indiv2.dat");
  EXPECT_EQ(dialogs.asked,
            (std::vector<std::string>{"open:Open Family File",
                                      "convert options:" + dir.Path() + "old|The Pells|1",
                                      "save:Create New Family File", "convert:" + target}));
  EXPECT_EQ(dialogs.defaultExt, ".orv");
  EXPECT_TRUE(dialogs.sourceWasOld);
  EXPECT_TRUE(dialogs.usedOptions.preserveNumbers);
  EXPECT_EQ(roads.fileOpen, 1);
  EXPECT_EQ(DbGetFilePath(), target);
  EXPECT_EQ(roads.Recent().Get(0), target);
  EXPECT_EQ(windows.paths, (std::vector<std::string>{a, target}));
  CIndividualRecord r;
  ASSERT_EQ(DbGetRecord(1, db::kIndividual, &r), 1);
  EXPECT_EQ(r.surname, "Pell");
  EXPECT_EQ(roads.guard, 1);
}

TEST_F(ConversionRoadTest, ACancelledIntroductionOrSaveLeavesTheOpenFile) {
  WriteOld();
  OpenThroughDialog(a);
  dialogs.acceptConversion = false;
  roads.OpenPath(oldDir + "indiv2.dat");
  EXPECT_EQ(dialogs.asked.back(), "convert options:" + dir.Path() + "old|The Pells|1");
  dialogs.acceptConversion = true;
  roads.OpenPath(oldDir + "indiv2.dat");  // the save dialog answers Cancel
  EXPECT_EQ(dialogs.asked.back(), "save:Create New Family File");
  EXPECT_EQ(DbGetFilePath(), a);
  EXPECT_EQ(windows.paths, std::vector<std::string>{a});
  EXPECT_FALSE(std::filesystem::exists(target));
  EXPECT_EQ(roads.guard, 1);
}

TEST_F(ConversionRoadTest, AFailedConversionOpensNothing) {
  WriteOld();
  OpenThroughDialog(a);
  dialogs.runConverter = false;
  dialogs.paths.push_back(target);
  roads.OpenPath(oldDir + "indiv2.dat");
  EXPECT_EQ(dialogs.asked.back(), "convert:" + target);
  EXPECT_EQ(DbGetFilePath(), a);
  EXPECT_EQ(windows.paths, std::vector<std::string>{a});
  EXPECT_EQ(roads.Recent().Get(0), a);
}

TEST_F(ConversionRoadTest, AWindowOfTheChosenFileIsClosedFirst) {
  WriteOld();
  OpenThroughDialog(a);
  dialogs.paths.push_back(a);  // the new file takes the open file's place
  roads.OpenPath(oldDir + "indiv2.dat");
  EXPECT_EQ(windows.log[1], "activate:" + a);
  EXPECT_EQ(windows.log[2], "destroy:" + a);
  EXPECT_EQ(DbGetFilePath(), a);
  EXPECT_EQ(windows.paths, std::vector<std::string>{a});
  CIndividualRecord r;
  ASSERT_EQ(DbGetRecord(1, db::kIndividual, &r), 1);
  EXPECT_EQ(r.surname, "Pell");
}

}  // namespace
