// The File menu's maintenance commands over real family files: Backup
// closes, backs up and reopens and counts only a backup that was made,
// Restore finds its target, asks before replacing and closes the open file
// without the reminder, Delete closes the file's windows and forgets it, and
// File Properties' free-space rule; Save As, Restore and Delete refuse a
// family file another program holds and say so.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <memory>

#include "AppOptions.h"
#include "Backup.h"
#include "Clock.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyFileInfo.h"
#include "FileLayout.h"
#include "FileHandle.h"
#include "FileProperties.h"
#include "IndividualRecord.h"
#include "MaintenanceCommands.h"
#include "NoFileDialogs.h"
#include "OtherProcess.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

class WindowList : public shell::DocumentWindows {
 public:
  bool HasWindow(const std::string& path, bool) override {
    return std::find(paths.begin(), paths.end(), path) != paths.end();
  }
  std::vector<std::string> WindowPaths() override { return paths; }
  void CreateWindow() override { paths.push_back(*openPath); }
  void ActivateWindow(const std::string&) override {}
  void DestroyActiveWindow() override {
    if (!paths.empty()) paths.pop_back();
  }
  void DestroyWindows(const std::string& path) override { std::erase(paths, path); }
  void RepaintCurrentView() override { ++repaints; }
  std::int32_t CurrentViewRin() override { return 0; }
  const std::string* openPath = nullptr;
  std::vector<std::string> paths;
  int repaints = 0;
};

class Screens : public shell::MaintenanceScreens {
 public:
  std::string AskBackupPath(const std::string& fileName, const std::string& folder) override {
    asked.push_back("backup:" + fileName + " in " + folder);
    return Next();
  }
  std::string AskRestorePath(const std::string& folder) override {
    asked.push_back("restore in " + folder);
    return Next();
  }
  std::string AskDeletePath(const std::string& folder) override {
    asked.push_back("delete in " + folder);
    return Next();
  }
  void BeginClosedWork() override { asked.push_back("begin"); }
  void EndClosedWork() override { asked.push_back("end"); }
  std::string Next() {
    if (answers.empty()) return "";
    std::string a = answers.front();
    answers.pop_front();
    return a;
  }
  std::deque<std::string> answers;
  std::vector<std::string> asked;
};

// The file dialogs answer Save As with the queued paths, then cancel.
class SaveDialogs : public NoDialogs {
 public:
  std::string AskSavePath(const std::string&, const std::string&, const std::string&,
                          const std::string&, const std::vector<std::string>&) override {
    if (savePaths.empty()) return {};
    std::string path = savePaths.front();
    savePaths.pop_front();
    return path;
  }
  std::deque<std::string> savePaths;
};

// A family file held as another program holds it: by a write lock of
// another process, or by a read lock on another open file description.
class HeldFile {
 public:
  enum class By { kOtherProcess, kOtherOpen };
  HeldFile(const std::string& path, By by) {
    const auto lock = [path](plat::FileHandle& file, bool forWriting) {
      return file.Open(path, forWriting ? plat::FileHandle::Access::ReadWrite
                                        : plat::FileHandle::Access::ReadOnly) == plat::kFileOk &&
             file.Lock(forWriting);
    };
    if (by == By::kOtherOpen) {
      holding_ = lock(open_, false);
      return;
    }
    other_ = std::make_unique<OtherProcess>(
        [lock] {
          static plat::FileHandle held;
          return lock(held, true);
        },
        [] { return true; });
    holding_ = other_->Holding();
  }
  bool Holding() const { return holding_; }

 private:
  plat::FileHandle open_;
  std::unique_ptr<OtherProcess> other_;
  bool holding_ = false;
};

}  // namespace

class MaintenanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::SetFixedTime(LocalTimeOf(2004, 5, 6, 7, 8));
    windows.openPath = &roads.openPath;
    profile.SetString("Folders", "Data", dir.Path());
    profile.SetString("Folders", "Backup", dir.Path() + "backups");
    std::filesystem::create_directory(dir.File("backups"));
    for (const std::string& f : {family, other}) {
      ASSERT_EQ(DbCreate(f, CFamilyDatabase::kCurrentFormat), 1);
      ASSERT_EQ(DbOpen(f, CFamilyDatabase::kCurrentFormat), 1);
      CIndividualRecord person;
      person.surname = f == family ? "Harlow" : "Quist";
      ASSERT_GT(DbAddRecord(db::kIndividual, 0, &person), 0);
      DbCloseCurrent();
    }
    Open(family);
  }
  void TearDown() override {
    roads.fileInfo = nullptr;
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
    plat::SetFixedTime(0);
  }
  void Open(const std::string& path) {
    roads.OpenFamilyFile(path, CFamilyDatabase::kCurrentFormat);
    ASSERT_EQ(roads.fileOpen, 1);
    windows.CreateWindow();
    roads.fileInfo = &info;
    info.settings.logChanges = 1;
    info.settings.closeCount = 7;
    info.settings.backupInterval = 3;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& call : boxes.Calls()) out.push_back(call.text);
    return out;
  }

  TempDir dir;
  std::string family = dir.File("harlow.orv");
  std::string other = dir.File("quist.orv");
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
  CAppOptions options;
  SaveDialogs dialogs;
  WindowList windows;
  shell::FamilyFileRoads roads{options, dialogs, windows};
  CFamilyFileInfo info;
  Screens screens;
  shell::MaintenanceCommands commands{roads, windows, screens};
};

TEST(RestoreTarget, DataFolderElseOpenFolderElseDocuments) {
  struct Case {
    const char* backup;
    const char* data;
    const char* open;
    const char* expected;
  };
  const Case cases[] = {
      {"/b/Smith.bak", "", "", "/home/u/Documents/Smith.orv"},
      {"/b/Smith.bak", "/data", "/open/", "/data/Smith.orv"},
      {"/b/Smith.bak", "/data/", "", "/data/Smith.orv"},
      {"/b/Smith.bak", "", "/open/", "/open/Smith.orv"},
      {"/b/my.family.bak", "/d", "", "/d/my.family.orv"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(
        shell::MaintenanceCommands::RestoreTarget(c.backup, c.data, c.open, "/home/u/Documents"),
        c.expected)
        << c.backup << " " << c.data << " " << c.open;
}

TEST_F(MaintenanceTest, BackupReopensTheFileAndCountsOnlyABackupThatWasMade) {
  const std::string log = dir.File("harlow.orl");
  // Cancelled in the dialog: nothing is closed.
  EXPECT_EQ(commands.BackupFamilyFile(), -1);
  EXPECT_EQ(screens.asked.front(), "backup:harlow.bak in " + dir.Path() + "backups");
  EXPECT_TRUE(CurrentDatabase->IsOpen());

  // Cancelled while it runs: reopened, but the count stays and no line.
  screens.answers = {dir.File("backups/harlow.bak")};
  progress.cancelAfter = 1;
  EXPECT_EQ(commands.BackupFamilyFile(), backup::kBackupCancelled);
  EXPECT_TRUE(CurrentDatabase->IsOpen());
  EXPECT_EQ(roads.fileOpen, 1);
  EXPECT_EQ(info.settings.closeCount, 7);
  EXPECT_FALSE(std::filesystem::exists(log) && ReadAll(log).find("Bak") != std::string::npos);

  progress.cancelAfter = -1;
  screens.answers = {dir.File("backups/harlow.bak")};
  EXPECT_EQ(commands.BackupFamilyFile(), backup::kBackupOk);
  EXPECT_TRUE(CurrentDatabase->IsOpen());
  EXPECT_EQ(info.settings.closeCount, 0);
  EXPECT_EQ(ReadAll(log), "5-6-2004 07:08 Bak " + dir.File("backups/harlow.bak") + "\r\n");
  EXPECT_EQ(Texts().back(), "Backup complete.");
  EXPECT_EQ(screens.asked.back(), "end");
}

// A damaged family file backed up: Cancel at the reopen's question leaves
// the file closed, and its window goes with it.
TEST_F(MaintenanceTest, BackupOfADamagedFileCancelledAtTheReopenClosesItsWindow) {
  DbCloseCurrent();
  roads.fileOpen = 0;
  windows.paths.clear();
  // The header counts more individuals than the file's blocks hold.
  std::string bytes = ReadAll(family);
  orv::PutI32(reinterpret_cast<std::uint8_t*>(bytes.data()) + orv::kHeadHighestIndividual, 1000000);
  WriteAll(family, bytes);
  Open(family);  // the damage question answered OK
  ASSERT_EQ(windows.paths, std::vector<std::string>{family});
  screens.answers = {dir.File("backups/harlow.bak")};
  boxes.QueueAnswer(plat::kIdOk);      // "Backup complete."
  boxes.QueueAnswer(plat::kIdCancel);  // the damage question at the reopen
  EXPECT_EQ(commands.BackupFamilyFile(), backup::kBackupOk);
  const auto texts = Texts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Backup complete."), texts.end());
  EXPECT_FALSE(CurrentDatabase->IsOpen());
  EXPECT_EQ(roads.fileOpen, 0);
  EXPECT_TRUE(windows.paths.empty());
}

TEST_F(MaintenanceTest, RestoreOverTheOpenFileAsksAndClosesItWithoutTheReminder) {
  ASSERT_EQ(backup::CompressToBackup(family, dir.File("backups/harlow.bak")), 0);
  // Changed after the backup.
  CIndividualRecord person;
  person.surname = "Later";
  ASSERT_GT(DbAddRecord(db::kIndividual, 0, &person), 0);
  DbFlush();

  screens.answers = {dir.File("backups/harlow.bak")};
  boxes.QueueAnswer(plat::kIdNo);
  EXPECT_EQ(commands.OnFileRestore(), -1);
  EXPECT_EQ(Texts().back(),
            "You are about to replace the current file with the backup copy.\n\nAre you sure?");
  EXPECT_TRUE(CurrentDatabase->IsOpen());

  screens.answers = {dir.File("backups/harlow.bak")};
  boxes.QueueAnswer(plat::kIdYes);
  EXPECT_EQ(commands.OnFileRestore(), backup::kRestoreOk);
  EXPECT_EQ(dialogs.reminderBackups, 0);
  EXPECT_EQ(Texts().back(), "Restore complete.");
  EXPECT_EQ(roads.fileOpen, 1);
  EXPECT_EQ(roads.openPath, family);
  EXPECT_EQ(DbGetActiveRecordCount(db::kIndividual), 1);
  EXPECT_EQ(roads.Recent().Get(0), family);
  EXPECT_EQ(windows.paths, std::vector<std::string>{family});
  EXPECT_NE(ReadAll(dir.File("harlow.orl")).find("Res " + family), std::string::npos);
}

TEST_F(MaintenanceTest, RestoreOverAnotherFileAsksWithItsPath) {
  ASSERT_EQ(backup::CompressToBackup(family, dir.File("backups/quist.bak")), 0);
  screens.answers = {dir.File("backups/quist.bak")};
  boxes.QueueAnswer(plat::kIdNo);
  const std::string before = ReadAll(other);
  EXPECT_EQ(commands.OnFileRestore(), -1);
  EXPECT_EQ(Texts().back(), "Are you sure you want to replace " + other + " with the backup copy?");
  EXPECT_EQ(ReadAll(other), before);
  EXPECT_EQ(roads.openPath, family);
}

TEST_F(MaintenanceTest, DeletingTheOpenFileClosesItsWindowAndForgetsIt) {
  roads.Recent().Add(other);
  roads.Recent().Add(family);
  WriteAll(dir.File("harlow.orl"), "a change log");
  screens.answers = {family};
  EXPECT_EQ(commands.OnFileDelete(), 1);
  EXPECT_EQ(screens.asked.back(), "delete in " + dir.Path());
  EXPECT_EQ(roads.fileOpen, 0);
  EXPECT_FALSE(CurrentDatabase->IsOpen());
  EXPECT_TRUE(windows.paths.empty());
  // The file last, after the companions that exist (its change log).
  ASSERT_FALSE(shell.trashed.empty());
  EXPECT_EQ(shell.trashed.back(), family);
  EXPECT_NE(std::find(shell.trashed.begin(), shell.trashed.end(), dir.File("harlow.orl")),
            shell.trashed.end());
  EXPECT_EQ(roads.Recent().Entries(), std::vector<std::string>{other});
  EXPECT_EQ(dialogs.reminderBackups, 0);

  // The trash refuses and the user keeps the file: the error, and the
  // list forgets it all the same.
  shell.trashResult = false;
  boxes.QueueAnswer(plat::kIdNo);
  screens.answers = {other};
  EXPECT_EQ(commands.OnFileDelete(), 0);
  EXPECT_EQ(Texts().back(), "Error deleting file.");
  EXPECT_TRUE(roads.Recent().Entries().empty());
}

// Save As onto, Restore onto and Delete of a family file another program
// has open are refused with a message that says so and what to do; the
// file keeps its bytes.
TEST_F(MaintenanceTest, ARefusalOnAFileAnotherProgramHoldsSaysSoAndWhatToDo) {
  enum class Command { kSaveAs, kRestore, kDelete };
  struct Case {
    const char* name;
    Command command;
    HeldFile::By by;
  };
  const Case cases[] = {
      {"save as, other process", Command::kSaveAs, HeldFile::By::kOtherProcess},
      {"save as, other open", Command::kSaveAs, HeldFile::By::kOtherOpen},
      {"restore, other process", Command::kRestore, HeldFile::By::kOtherProcess},
      {"restore, other open", Command::kRestore, HeldFile::By::kOtherOpen},
      {"delete, other process", Command::kDelete, HeldFile::By::kOtherProcess},
      {"delete, other open", Command::kDelete, HeldFile::By::kOtherOpen},
  };
  ASSERT_EQ(backup::CompressToBackup(family, dir.File("backups/quist.bak")), backup::kBackupOk);
  const std::string before = ReadAll(other);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HeldFile held(other, c.by);
    ASSERT_TRUE(held.Holding());
    boxes.Clear();
    std::string expected;
    switch (c.command) {
      case Command::kSaveAs:
        dialogs.savePaths = {other};
        roads.OnFileSaveAs();
        expected = "Another program has the family file " + other +
                   " open.\n\nClose it in that program, or choose another name.";
        break;
      case Command::kRestore:
        screens.answers = {dir.File("backups/quist.bak")};
        boxes.QueueAnswer(plat::kIdYes);  // replace quist.orv
        EXPECT_EQ(commands.OnFileRestore(), backup::kRestoreHeld);
        expected =
            "Restore failed: Another program has the family file open.\n\nClose it in that "
            "program and try again.";
        break;
      case Command::kDelete:
        screens.answers = {other};
        EXPECT_EQ(commands.OnFileDelete(), 0);
        expected = "Another program has the family file " + other +
                   " open, so it was not deleted.\n\nClose it in that program and try again.";
        break;
    }
    ASSERT_FALSE(Texts().empty());
    EXPECT_EQ(Texts().back(), expected);
    EXPECT_EQ(ReadAll(other), before);
    EXPECT_TRUE(shell.trashed.empty());
    // The family file that was open is open again after the Save As.
    if (c.command == Command::kSaveAs) {
      EXPECT_EQ(roads.openPath, family);
    }
    if (!roads.fileOpen) Open(family);
  }
}

TEST_F(MaintenanceTest, BackupNeedsIndividualsAndChangeNamesAsksFirst) {
  EXPECT_TRUE(commands.CanBackup());
  boxes.QueueAnswer(plat::kIdNo);
  EXPECT_EQ(commands.ChangeNamesToMixedCase(), -1);
  boxes.QueueAnswer(plat::kIdYes);
  EXPECT_EQ(commands.ChangeNamesToMixedCase(), 1);
  EXPECT_EQ(windows.repaints, 1);
  std::string found;
  EXPECT_EQ(DbFindString("Harlow", 0, found), 1);
  roads.CloseFamilyFile(0);
  EXPECT_FALSE(commands.CanBackup());
}

TEST(FileProperties, FreeSpaceInKilobytesOrMegabytes) {
  const std::pair<std::uint64_t, const char*> cases[] = {
      {0, "1 KB"},
      {1023, "1 KB"},
      {1024, "1 KB"},
      {10240ull * 1024, "10240 KB"},
      {10241ull * 1024, "10 MB"},
      {10241ull * 1024 - 1, "10240 KB"},
      {5ull << 30, "5120 MB"},
      {(1ull << 42) + (1ull << 20), "4194305 MB"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(shell::FreeSpaceText(bytes), text) << bytes;
}

TEST_F(MaintenanceTest, PropertiesShowCountsAlsoWhenTheFileCannotBeExamined) {
  CIndividualRecord person;
  const std::int32_t gone = DbAddRecord(db::kIndividual, 0, &person);
  ASSERT_EQ(DbDeleteRecord(gone, db::kIndividual), 1);
  DbFlush();
  shell::FileProperties p = shell::ReadFileProperties(family, 3u << 20);
  EXPECT_EQ(p.location, family);
  EXPECT_EQ(p.size, static_cast<std::uint32_t>(std::filesystem::file_size(family)));
  EXPECT_FALSE(p.modified.empty());
  EXPECT_EQ(p.modified.substr(p.modified.size() - 9, 1), " ");
  EXPECT_EQ(p.freeSpace, "3072 KB");
  EXPECT_EQ(p.individuals, 2);
  EXPECT_EQ(p.deletedIndividuals, 1);
  EXPECT_EQ(p.marriages, 0);

  p = shell::ReadFileProperties(dir.File("nowhere.orv"), 0);
  EXPECT_EQ(p.size, 0u);
  EXPECT_EQ(p.modified, "");
  EXPECT_EQ(p.individuals, 2);
}
