// The database object: file types, open with read-only detection, create,
// close, the alphabetic index's freshness, companion files and their
// same-file guard, deleting a family file and the shell registration.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "AsUnprivilegedUser.h"
#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FileLayout.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "IndividualRecord.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace fs = std::filesystem;

namespace {

std::time_t Modified(const std::string& path) { return plat::GetFileTimes(path)->modified; }

// The closing slot of an alphabetic index that belongs to the family file.
std::string StampOf(const std::string& family) {
  plat::FileHandle file;
  file.Open(family, plat::FileHandle::Access::ReadOnly);
  std::string slot(4, '\0');
  orv::PutI32(reinterpret_cast<std::uint8_t*>(slot.data()),
              static_cast<std::int32_t>(AlphaIndexStamp(file)));
  return slot;
}

class FamilyDatabaseTest : public ::testing::Test {
 protected:
  void TearDown() override {
    DbCloseCurrent();
    SetOpenFamilyFileFolder("");
  }

  // A family file made by DbCreate (closed again).
  std::string MakeFamily(const std::string& name = "family.orv") {
    const std::string p = dir.File(name);
    EXPECT_EQ(DbCreate(p, CFamilyDatabase::kCurrentFormat), 1);
    return p;
  }
  std::string Companion(const std::string& p, char letter) {
    return CompanionFilePath(p, 101, letter);
  }

  TempDir dir;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
};

}  // namespace

TEST(FamilyDatabaseTypes, FileTypeByName) {
  const struct {
    const char* name;
    int type;
  } cases[] = {
      {"/home/a/Smith.orv", 101}, {"/home/a/SMITH.ORV", 101},   {"/home/a/INDIV2.DAT", 100},
      {"indiv2.dat", 100},        {"/home/a/other.dat", 0},     {"", 0},
      {"/home/a/tree.GED", 103},  {"/home/a/orv.dir/notes", 0}, {"/home/a/Smith.orva", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(DbGetFileType(c.name), c.type) << c.name;
}

TEST(FamilyDatabasePaths, SplitAndCompanions) {
  CFamilyDatabase db;
  db.type = CFamilyDatabase::kCurrentFormat;
  db.SplitPath("/home/a/Smith.orv", 101);
  EXPECT_EQ(db.folder, "/home/a/");
  EXPECT_EQ(db.baseName, "Smith");
  EXPECT_EQ(db.extension, ".orv");
  EXPECT_EQ(db.CompanionPath('a'), "/home/a/Smith.ora");
  EXPECT_EQ(db.CompanionPath('l'), "/home/a/Smith.orl");

  // An old-format family by its folder or by its indiv2.dat.
  db.type = CFamilyDatabase::kOldFormat;
  db.SplitPath("/home/a/Smith", 100);
  EXPECT_EQ(db.folder, "/home/a/Smith/");
  EXPECT_EQ(db.baseName, "indiv2");
  EXPECT_EQ(db.extension, ".dat");
  EXPECT_EQ(db.CompanionPath('m'), "/home/a/Smith/indiv2.datm");
  db.SplitPath("/home/a/Jones/INDIV2.DAT", 100);
  EXPECT_EQ(db.folder, "/home/a/Jones/");
  EXPECT_EQ(db.baseName, "indiv2");
}

TEST_F(FamilyDatabaseTest, DetectFileTypeFromFirstBytes) {
  const std::string family = MakeFamily();
  EXPECT_EQ(DbDetectFileType(family), 101);
  EXPECT_EQ(DbDetectFileType(""), -1);
  EXPECT_EQ(DbDetectFileType(dir.File("missing.orv")), -1);

  auto header = [](char version) {
    std::string h(
        "ORV\0"
        "300\0"
        "4",
        9);
    h[8] = version;
    return h + std::string(20, '\0');
  };
  WriteAll(dir.File("v9.orv"), header('9'));
  EXPECT_EQ(DbDetectFileType(dir.File("v9.orv")), 101);
  WriteAll(dir.File("short.orv"), header('4').substr(0, 8));
  EXPECT_EQ(DbDetectFileType(dir.File("short.orv")), -1);
  WriteAll(dir.File("indiv2.dat"), std::string(40, 'x'));
  EXPECT_EQ(DbDetectFileType(dir.File("indiv2.dat")), 100);
  WriteAll(dir.File("notes.txt"), std::string(40, 'x'));
  EXPECT_EQ(DbDetectFileType(dir.File("notes.txt")), -1);
  EXPECT_TRUE(boxes.Calls().empty());

  // The magic with version '2' is refused with a message.
  WriteAll(dir.File("old.orv"), header('2'));
  EXPECT_EQ(DbDetectFileType(dir.File("old.orv")), -1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "This file is not a valid ORV 3 or 4 file.");
}

TEST_F(FamilyDatabaseTest, CurrentFormatNeedsWholeHeaderOfVersion400OrLater) {
  const std::string family = MakeFamily();
  EXPECT_EQ(IsCurrentFormatFile(family), 1);
  std::string bytes = ReadAll(family);
  bytes.replace(8, 3, "399");
  WriteAll(dir.File("older.orv"), bytes);
  EXPECT_EQ(IsCurrentFormatFile(dir.File("older.orv")), 0);
  bytes.replace(8, 3, "410");
  WriteAll(dir.File("newer.orv"), bytes);
  EXPECT_EQ(IsCurrentFormatFile(dir.File("newer.orv")), 1);
  WriteAll(dir.File("cut.orv"), bytes.substr(0, 1000));
  EXPECT_EQ(IsCurrentFormatFile(dir.File("cut.orv")), 0);
  EXPECT_EQ(IsCurrentFormatFile(dir.File("missing.orv")), 0);
}

TEST_F(FamilyDatabaseTest, OpenAndCloseKeepObjectState) {
  const std::string family = MakeFamily();
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  CFamilyDatabase& db = *CurrentDatabase;
  EXPECT_EQ(DbGetFileType(), 101);
  EXPECT_EQ(DbGetFilePath(), family);
  EXPECT_EQ(db.folder, dir.Path());
  EXPECT_EQ(db.baseName, "family");
  EXPECT_EQ(db.extension, ".orv");
  EXPECT_EQ(db.ReadOnly(), 0);
  ASSERT_NE(db.engine, nullptr);
  EXPECT_EQ(db.engine->Blocks().GetFormatVersion(), "400");
  EXPECT_EQ(db.host.highestIndividual, 0);
  EXPECT_EQ(db.host.liveIndividuals, 0);
  EXPECT_EQ(db.nameCacheEntries, 30);
  EXPECT_EQ(GetOpenFamilyFileFolder(), dir.Path());

  EXPECT_EQ(DbClose(), 1);
  EXPECT_EQ(db.engine, nullptr);
  EXPECT_FALSE(db.IsOpen());
  EXPECT_EQ(db.type, 101);  // the type stays until the next open
  EXPECT_EQ(GetOpenFamilyFileFolder(), "");
  EXPECT_EQ(DbReopen(family), 1);
  EXPECT_TRUE(db.IsOpen());
}

TEST_F(FamilyDatabaseTest, UnknownTypesAreRefusedWithTheCallNumber) {
  const std::string family = dir.File("family.orv");
  EXPECT_EQ(DbCreate(family, CFamilyDatabase::kOldFormat), 0);
  EXPECT_FALSE(fs::exists(family));
  EXPECT_EQ(DbOpen(family, 55), 0);
  // An old family whose other data files are missing does not open; that
  // is no unknown type.
  WriteAll(dir.File("indiv2.dat"), std::string(100, 'x'));
  EXPECT_EQ(DbOpen(dir.File("indiv2.dat"), CFamilyDatabase::kOldFormat), 0);
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(boxes.Calls()[0].text, "File Error\nUnknown File Type (1)");
  EXPECT_EQ(boxes.Calls()[1].text, "File Error\nUnknown File Type (3)");
}

TEST_F(FamilyDatabaseTest, RefusedFileIsLeftUnwritten) {
  // A file with the magic but cut short: the engine cannot read its header.
  // Closing must not write a header back over it.
  const std::string broken = dir.File("broken.orv");
  const std::string bytes = std::string(
                                "ORV\0"
                                "300\0"
                                "400\0",
                                12) +
                            std::string(300, '\x5a');
  WriteAll(broken, bytes);
  EXPECT_EQ(DbOpen(broken, CFamilyDatabase::kCurrentFormat), -1);
  EXPECT_FALSE(CurrentDatabase->IsOpen());
  EXPECT_EQ(DbClose(), 1);
  EXPECT_EQ(ReadAll(broken), bytes);
  EXPECT_EQ(DbOpen(dir.File("missing.orv"), CFamilyDatabase::kCurrentFormat), 0);
}

// Opening and closing without an edit leaves the family file's bytes as
// they were: a sound file, and damage that opening holds in memory (a
// format version with a changed bit, the DBMap's location or type byte).
TEST_F(FamilyDatabaseTest, UneditedOpenAndCloseWritesNothing) {
  const std::string family = MakeFamily();
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  CIndividualRecord person;
  person.surname = "Kept";
  ASSERT_EQ(DbAddRecord(db::kIndividual, 0, &person), 1);
  DbClose();
  const std::string sound = ReadAll(family);
  const struct {
    const char* name;
    std::size_t at;
    char flip;
  } cases[] = {
      {"sound", 0, 0},
      {"version bit flipped", orv::kHeadFormatVersion, 0x01},
      {"DBMap location -1", orv::kHeadDBMapBlock, 0},
      {"DBMap type byte changed", orv::kBlocksOffset + 1, 0x04},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes = sound;
    bytes[c.at] ^= c.flip;
    if (c.at == orv::kHeadDBMapBlock) bytes.replace(c.at, 4, std::string(4, '\xff'));
    WriteAll(family, bytes);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    CIndividualRecord read;
    EXPECT_EQ(DbGetIndividualRecord(1, read, 10), 1);
    EXPECT_EQ(read.surname, "Kept");
    DbClose();
    EXPECT_EQ(ReadAll(family), bytes);
  }
}

TEST_F(FamilyDatabaseTest, CreatingOverAnOlderFileLeavesNoCompanions) {
  const std::string family = MakeFamily();
  for (char c : {'a', 'r', 's', 'x', 'm', 'l'}) WriteAll(Companion(family, c), "stale");
  EXPECT_EQ(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
  for (char c : {'a', 'r', 's', 'x', 'm', 'l'}) EXPECT_FALSE(fs::exists(Companion(family, c))) << c;
  EXPECT_EQ(DbDetectFileType(family), 101);
  EXPECT_FALSE(CurrentDatabase->IsOpen());
}

TEST_F(FamilyDatabaseTest, CreateFailsInAFolderThatDoesNotExist) {
  EXPECT_EQ(DbCreate(dir.File("no/such/family.orv"), CFamilyDatabase::kCurrentFormat), 0);
}

// The freshness of the alphabetic index against the family file's time T.
TEST_F(FamilyDatabaseTest, AlphabeticIndexFreshness) {
  const std::string family = MakeFamily();
  const std::string ora = Companion(family, 'a');
  const std::string orx = Companion(family, 'x');
  const std::time_t t = 1'000'000'000;
  // Five entries and the closing slot with the family file's stamp.
  const std::string index = std::string(4 * 5, '\0') + StampOf(family);
  const std::string links(8, '\0');  // right length: no individuals + 1

  const struct {
    const char* name;
    bool hasOra;
    long oraAge;  // seconds after T
    bool hasOrx;
    std::string orxBytes;
    long orxAge;
    int stale;
  } cases[] = {
      {"no index", false, 0, false, "", 0, 1},
      {"index as new as the file", true, 0, false, "", 0, 0},
      {"index newer", true, 50, false, "", 0, 0},
      {"index older", true, -50, false, "", 0, 1},
      {"links newer, index old", true, -50, true, links, 50, 0},
      {"links newer, no index", false, 0, true, links, 50, 1},
      {"links of right length but older", true, -50, true, links, -50, 1},
      {"links of wrong length", true, -50, true, links + links, 50, 1},
      {"links of wrong length, index newer", true, 50, true, links + links, 50, 0},
      {"index of another family file", true, 50, false, "", 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(ora);
    fs::remove(orx);
    if (c.hasOra) {
      WriteAll(ora, std::string(c.name) == "index of another family file"
                        ? index.substr(0, 20) + std::string(4, '\x5a')
                        : index);
      plat::SetFileModified(ora, t + c.oraAge);
    }
    if (c.hasOrx) {
      WriteAll(orx, c.orxBytes);
      plat::SetFileModified(orx, t + c.orxAge);
    }
    plat::SetFileModified(family, t);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    CFamilyDatabase& db = *CurrentDatabase;
    EXPECT_EQ(db.indexStale, c.stale);
    EXPECT_FALSE(db.indexFile.IsOpen());
    if (c.stale == 0) {
      EXPECT_EQ(db.alphaEntries, 5);
      EXPECT_TRUE(db.host.alphaFile.IsOpen());
    }
    DbClose();
    // Closing removes the link file; a current index gets the file's time,
    // a stale one is deleted.
    EXPECT_FALSE(fs::exists(orx));
    if (c.stale == 0) {
      ASSERT_TRUE(fs::exists(ora));
      EXPECT_EQ(Modified(ora), Modified(family));
    } else {
      EXPECT_FALSE(fs::exists(ora));
    }
  }
}

TEST_F(FamilyDatabaseTest, CurrentIndexStaysCurrentOverCloseAndOpen) {
  const std::string family = MakeFamily();
  WriteAll(Companion(family, 'a'), StampOf(family));
  plat::SetFileModified(family, 1'000'000'000);
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  ASSERT_EQ(CurrentDatabase->indexStale, 0);
  EXPECT_EQ(CurrentDatabase->alphaEntries, 0);
  DbClose();  // writes the header: the family file's time moves on
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  EXPECT_EQ(CurrentDatabase->indexStale, 0);
}

// An older copy of the family file put back with its time kept finds the
// index of the newer one stale, and lists only its own individuals.
TEST_F(FamilyDatabaseTest, IndexOfAnotherCopyOfTheFamilyFileIsRebuilt) {
  const std::string family = MakeFamily();
  const auto add = [](const char* surname) {
    CIndividualRecord person;
    person.surname = surname;
    return DbAddRecord(db::kIndividual, 0, &person);
  };
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  ASSERT_GT(add("Older"), 0);
  DbClose();
  const std::string older = ReadAll(family);
  const std::time_t olderTime = Modified(family);
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  ASSERT_GT(add("Newer"), 0);
  ASSERT_GT(add("Newest"), 0);
  ASSERT_EQ(CurrentDatabase->engine->Trees().NameIndexEntries(), 3);
  DbClose();
  ASSERT_TRUE(fs::exists(Companion(family, 'a')));
  WriteAll(family, older);
  plat::SetFileModified(family, olderTime);
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  EXPECT_EQ(CurrentDatabase->indexStale, 1);
  EXPECT_EQ(CurrentDatabase->engine->Trees().NameIndexEntries(), 1);
  DbClose();
}

// Companion names that lead back to the family file itself must never be
// deleted, truncated or written.
TEST_F(FamilyDatabaseTest, CompanionThatIsTheFamilyFileIsLeftAlone) {
  for (const char* name : {"family.ora", "family.orx", "family.orl", "family.orm"}) {
    SCOPED_TRACE(name);
    const std::string family = MakeFamily(name);
    ASSERT_TRUE(fs::exists(family));
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_FALSE(CurrentDatabase->indexFile.IsOpen());
    EXPECT_EQ(CurrentDatabase->indexStale, 1);
    DbClose();
    ASSERT_TRUE(fs::exists(family));
    EXPECT_EQ(DbDetectFileType(family), 101);
    DeleteCompanionFiles(family, 101);
    EXPECT_TRUE(fs::exists(family));
  }
}

TEST_F(FamilyDatabaseTest, CompanionLinkedToTheFamilyFileIsLeftAlone) {
  const std::string family = MakeFamily();
  const long long size = plat::FileSize(family);
  // The index name is a link to the family file itself; the family file is
  // newer, so the index counts as stale and would be deleted and rebuilt.
  fs::create_symlink(family, Companion(family, 'a'));
  fs::create_hard_link(family, Companion(family, 'x'));
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  EXPECT_FALSE(CurrentDatabase->host.alphaFile.IsOpen());
  EXPECT_FALSE(CurrentDatabase->indexFile.IsOpen());
  DbClose();
  EXPECT_TRUE(fs::is_symlink(Companion(family, 'a')));
  EXPECT_TRUE(fs::exists(Companion(family, 'x')));
  EXPECT_EQ(plat::FileSize(family), size);
  EXPECT_EQ(DbDetectFileType(family), 101);
}

TEST_F(FamilyDatabaseTest, WriteAccess) {
  const std::string family = MakeFamily();
  EXPECT_EQ(DbCheckWriteAccess(family), 1);
  EXPECT_EQ(DbCheckWriteAccess(dir.File("missing.orv")), 0);
}

TEST_F(FamilyDatabaseTest, FileWithoutWritePermissionOpensReadOnly) {
  const std::string family = MakeFamily();
  fs::permissions(family, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string before = ReadAll(family);
  {
    AsUnprivilegedUser user;
    if (!user.Active()) GTEST_SKIP() << "cannot leave the privileged user";
    EXPECT_EQ(DbCheckWriteAccess(family), 2);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_EQ(CurrentDatabase->ReadOnly(), 3);
    EXPECT_TRUE(CurrentDatabase->host.readOnly);
    DbClose();
  }
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(ReadAll(family), before);  // not even the header was written back
}

TEST_F(FamilyDatabaseTest, FileInAFolderThatTakesNoNewFileOpensReadOnly) {
  // The user may write the file but not create files beside it.
  const std::string family = MakeFamily();
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(family.c_str(), AsUnprivilegedUser::NobodyUid(), static_cast<gid_t>(-1)), 0);
    fs::permissions(dir.Path(), fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
  } else {
    fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  }
  {
    AsUnprivilegedUser user;
    if (!user.Active()) GTEST_SKIP() << "cannot leave the privileged user";
    ASSERT_TRUE(plat::IsWritable(family));
    EXPECT_EQ(DbCheckWriteAccess(family), 2);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_EQ(CurrentDatabase->ReadOnly(), 3);
    DbClose();
  }
  fs::permissions(dir.Path(), fs::perms::owner_all);
}

// A damaged family file opened for a check that only reports: nothing is
// asked or told at the open, and neither the open, the check nor the close
// writes to the file. Opened for a repair, it is not asked about either.
TEST_F(FamilyDatabaseTest, ADamagedFileOpensForACheckWithoutQuestionOrWrite) {
  const std::string family = MakeFamily();
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  for (const char* surname : {"Vale", "Wren", "Ash"}) {
    CIndividualRecord person;
    person.surname = surname;
    ASSERT_GT(DbAddRecord(db::kIndividual, 0, &person), 0);
  }
  DbClose();
  std::string bytes = ReadAll(family);
  bytes[orv::kHeadHighestIndividual + 3] ^= 0x40;
  WriteAll(family, bytes);

  CFamilyDatabase check;
  ASSERT_EQ(check.OpenForCheck(family, false), 1);
  EXPECT_EQ(check.ReadOnly(), 3);
  EXPECT_TRUE(boxes.Calls().empty()) << boxes.Calls().front().text;
  {
    CFamilyDatabase* const saved = CurrentDatabase;
    CurrentDatabase = &check;
    CDatabaseChecker checker(family, dir.File("checkfix.rpt"), check, 0);
    EXPECT_EQ(checker.Run(), 1);
    CurrentDatabase = saved;
  }
  check.Close();
  EXPECT_EQ(ReadAll(family), bytes);

  boxes.Clear();
  ASSERT_EQ(check.OpenForCheck(family, true), 1);
  EXPECT_EQ(check.ReadOnly(), 0);
  EXPECT_TRUE(boxes.Calls().empty()) << boxes.Calls().front().text;
  check.Close();
}

TEST_F(FamilyDatabaseTest, DeleteMovesTheFileToTheTrashWithItsCompanions) {
  const std::string family = MakeFamily();
  for (char c : {'a', 'r', 's', 'x', 'm', 'l'}) WriteAll(Companion(family, c), "c");
  fs::remove(Companion(family, 'm'));
  EXPECT_EQ(DbDeleteFamilyFile(family), 1);
  std::vector<std::string> expected;
  for (char c : {'a', 'r', 's', 'x', 'l'}) expected.push_back(Companion(family, c));
  expected.push_back(family);
  EXPECT_EQ(shell.trashed, expected);
  EXPECT_TRUE(boxes.Calls().empty());

  // Companions the trash refuses are deleted; the family file is asked about.
  for (char c : {'a', 'r', 's', 'x', 'm', 'l'}) WriteAll(Companion(family, c), "c");
  shell.trashResult = false;
  boxes.QueueAnswer(plat::kIdNo);
  EXPECT_EQ(DbDeleteFamilyFile(family), 0);
  for (char c : {'a', 'r', 's', 'x', 'm', 'l'}) EXPECT_FALSE(fs::exists(Companion(family, c))) << c;
  EXPECT_TRUE(fs::exists(family));
}

TEST_F(FamilyDatabaseTest, DeleteAsksBeforeDeletingForGoodWhenTheTrashRefuses) {
  const std::string family = MakeFamily();
  shell.trashResult = false;
  boxes.QueueAnswer(plat::kIdNo);
  EXPECT_EQ(DbDeleteFamilyFile(family), 0);
  EXPECT_TRUE(fs::exists(family));
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].flags & plat::kMbButtonMask, plat::kMbYesNo);
  EXPECT_NE(boxes.Calls()[0].text.find(family), std::string::npos);

  boxes.QueueAnswer(plat::kIdYes);
  EXPECT_EQ(DbDeleteFamilyFile(family), 1);
  EXPECT_FALSE(fs::exists(family));
  EXPECT_EQ(DbDeleteFamilyFile(family), 0);
}

TEST_F(FamilyDatabaseTest, RegisterFileTypesThroughTheShell) {
  EXPECT_EQ(RegisterFileTypes(), 1);
  EXPECT_EQ(shell.registered, std::vector<std::string>{plat::ProgramPath()});
  EXPECT_EQ(profile.GetString("Installed Location", "", "?"), plat::ProgramPath());

  plat::FakeShell refusing;
  refusing.registerResult = false;
  plat::ScopedShell scoped{&refusing};
  plat::FakeProfile untouched;
  plat::ScopedProfile scopedProfile2{&untouched};
  EXPECT_EQ(RegisterFileTypes(), 0);
  EXPECT_FALSE(untouched.Has("Installed Location", ""));
}

TEST_F(FamilyDatabaseTest, SecondObjectLeavesTheSharedFolderAlone) {
  const std::string family = MakeFamily();
  CFamilyDatabase source;
  ASSERT_EQ(source.Open(family, 101), 1);
  EXPECT_EQ(GetOpenFamilyFileFolder(), "");
  EXPECT_EQ(CurrentDatabase->engine, nullptr);
  source.Close();
}

TEST_F(FamilyDatabaseTest, OpeningAnotherFileClosesTheFirstProperly) {
  const std::string first = MakeFamily("first.orv");
  const std::string second = MakeFamily("second.orv");
  ASSERT_EQ(DbOpen(first, CFamilyDatabase::kCurrentFormat), 1);
  CurrentDatabase->engine->Blocks().BeginBatch();
  CurrentDatabase->engine->Blocks().Head().SetI32(orv::kHeadHighestDescriptor, 77);
  WriteAll(Companion(first, 'x'), "links of a build");
  ASSERT_EQ(DbOpen(second, CFamilyDatabase::kCurrentFormat), 1);
  // The first file's batch was ended (header written) and its link file
  // removed, as its close does.
  EXPECT_FALSE(fs::exists(Companion(first, 'x')));
  plat::FileHandle file;
  ASSERT_EQ(file.Open(first, plat::FileHandle::Access::ReadOnly), 0);
  std::uint8_t four[4];
  ASSERT_TRUE(file.ReadAt(orv::kHeadHighestDescriptor, four, 4));
  EXPECT_EQ(orv::GetI32(four), 77);
  EXPECT_EQ(DbGetFilePath(), second);
}
