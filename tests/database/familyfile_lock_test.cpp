// One program writes a family file at a time: while another process holds
// the file, this one neither opens it for writing, nor empties, replaces or
// deletes it, and the holder's records survive; a process that dies lets go
// of the file.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "Backup.h"
#include "Clock.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FileCopy.h"
#include "FileHandle.h"
#include "IndividualRecord.h"
#include "OtherProcess.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

std::int32_t AddPerson(const std::string& surname) {
  CIndividualRecord person;
  person.surname = surname;
  person.givenNames[0] = "Ann";
  person.sex = 'F';
  return DbAddRecord(db::kIndividual, 0, &person);
}

std::string SurnameOf(std::int32_t rin) {
  CIndividualRecord person;
  return DbGetIndividualRecord(rin, person, 10) == 1 ? person.surname : "(none)";
}

class FamilyFileLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::SetFixedTime(LocalTimeOf(2002, 3, 4, 5, 6));
    ASSERT_EQ(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    ASSERT_EQ(AddPerson("First"), 1);
    DbCloseCurrent();
  }
  void TearDown() override {
    DbCloseCurrent();
    plat::SetFixedTime(0);
  }

  // The other process opens the family file as this program does and adds
  // a person; when let go, it adds another and closes the file.
  OtherProcess Writer() {
    return OtherProcess(
        [this] {
          return DbOpen(family, CFamilyDatabase::kCurrentFormat) == 1 &&
                 CurrentDatabase->ReadOnly() == 0 && AddPerson("Second") == 2;
        },
        [] { return AddPerson("Third") == 3 && DbCloseCurrent() == 1; });
  }

  TempDir dir;
  std::string family = dir.File("family.orv");
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
};

}  // namespace

TEST_F(FamilyFileLockTest, AFileAnotherProgramWritesIsNeitherOpenedNorReplaced) {
  // A backup of the file as it is now, and another family file.
  ASSERT_EQ(backup::CompressToBackup(family, dir.File("family.bak")), backup::kBackupOk);
  const std::string other = dir.File("other.orv");
  ASSERT_EQ(DbCreate(other, CFamilyDatabase::kCurrentFormat), 1);

  OtherProcess writer = Writer();
  ASSERT_TRUE(writer.Holding());
  const std::string held = ReadAll(family);

  EXPECT_EQ(DbCheckWriteAccess(family), 1);
  EXPECT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 0);
  EXPECT_EQ(CurrentDatabase->engine, nullptr);
  EXPECT_EQ(DbCreate(family, CFamilyDatabase::kCurrentFormat), 0);
  EXPECT_EQ(backup::RestoreFromBackup(dir.File("family.bak"), family),
            backup::kRestoreHeld);
  EXPECT_EQ(CopyFileRaw(other, family, false), -plat::kFileSharingViolation);
  EXPECT_EQ(DbDeleteFamilyFile(family), 0);
  EXPECT_TRUE(shell.trashed.empty());
  EXPECT_EQ(ReadAll(family), held);

  // The holder goes on writing, and everything it wrote is there.
  ASSERT_TRUE(writer.Release());
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  EXPECT_EQ(CurrentDatabase->ReadOnly(), 0);
  EXPECT_EQ(DbGetActiveRecordCount(db::kIndividual), 3);
  EXPECT_EQ(SurnameOf(2), "Second");
  EXPECT_EQ(SurnameOf(3), "Third");
  DbCloseCurrent();

  // Let go, the file may be replaced again.
  EXPECT_EQ(backup::RestoreFromBackup(dir.File("family.bak"), family), backup::kRestoreOk);
}

TEST_F(FamilyFileLockTest, AFileThisProgramWritesIsHeldAgainstAnother) {
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  // The second process opens through an object of its own: the one it
  // took over from this process shares this process's open of the file.
  OtherProcess second(
      [this] {
        CFamilyDatabase other;
        return other.Open(family, CFamilyDatabase::kCurrentFormat) == 0 && !other.engine;
      },
      [] { return true; });
  EXPECT_TRUE(second.Holding()) << "a second process opened the file";
  EXPECT_TRUE(second.Release());
  EXPECT_EQ(AddPerson("Mine"), 2);
}

TEST_F(FamilyFileLockTest, AFileAnotherProgramReadsIsOfferedReadOnly) {
  OtherProcess reader(
      [this] {
        static plat::FileHandle file;
        return file.Open(family, plat::FileHandle::Access::ReadOnly) == plat::kFileOk &&
               file.Lock(false);
      },
      [] { return true; });
  ASSERT_TRUE(reader.Holding());
  EXPECT_EQ(DbCheckWriteAccess(family), 2);
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  EXPECT_EQ(CurrentDatabase->ReadOnly(), 3);
  EXPECT_EQ(SurnameOf(1), "First");
  DbCloseCurrent();
  EXPECT_TRUE(reader.Release());
}

TEST_F(FamilyFileLockTest, AProgramKilledWhileWritingLetsGoOfTheFile) {
  OtherProcess writer = Writer();
  ASSERT_TRUE(writer.Holding());
  EXPECT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 0);
  writer.Kill();
  EXPECT_EQ(DbCheckWriteAccess(family), 1);
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  EXPECT_EQ(CurrentDatabase->ReadOnly(), 0);
  EXPECT_EQ(SurnameOf(2), "Second");
}
