// The change log: line layout, the file beside the family file, append-only
// writing, and the cases where nothing may be written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "ChangeLog.h"
#include "Clock.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "OpenFamilyFixture.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace fs = std::filesystem;

namespace {}  // namespace

TEST(ChangeLogLine, Layouts) {
  plat::LocalTime when;
  when.year = 2001;
  when.month = 7;
  when.day = 3;
  when.hour = 9;
  when.minute = 5;
  const struct {
    char kind, action;
    long number, second;
    const char* text;
    const char* line;
  } cases[] = {
      {db::kLogIndividual, db::kLogAdd, 25, 0, nullptr, "7-3-2001 09:05 Add Ind 25\r\n"},
      {db::kLogMarriage, db::kLogDelete, 4, 0, nullptr, "7-3-2001 09:05 Del Mar 4\r\n"},
      {db::kLogSpouseLink, db::kLogLink, 7, 3, nullptr, "7-3-2001 09:05 Lnk Sp  7 3\r\n"},
      {db::kLogChildLink, db::kLogUnlink, 12, 9, nullptr, "7-3-2001 09:05 Unl Ch  12 9\r\n"},
      {db::kLogNotes, db::kLogModify, 8, 0, nullptr, "7-3-2001 09:05 Mod Nts 8\r\n"},
      {db::kLogBackup, 0, 0, 0, "/home/a/family.bak", "7-3-2001 09:05 Bak /home/a/family.bak\r\n"},
      {db::kLogRestore, 0, 0, 0, "/home/a/family.orv", "7-3-2001 09:05 Res /home/a/family.orv\r\n"},
      {db::kLogSource, db::kLogAdd, 17, 0, "Parish register",
       "7-3-2001 09:05 Add Src Parish register\r\n"},
      {db::kLogRepository, db::kLogModify, 2, 0, nullptr, "7-3-2001 09:05 Mod Rep \r\n"},
      {'Q', 'Z', 1, 0, nullptr, "7-3-2001 09:05 xxx xxx 1\r\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatChangeLogLine(c.kind, c.action, c.number, c.second, c.text, when), c.line);

  when = {2012, 12, 31, 0, 23, 59, 0};
  EXPECT_EQ(FormatChangeLogLine(db::kLogIndividual, db::kLogLink, 5, -1, nullptr, when),
            "12-31-2012 23:59 Lnk Ind 5 -1\r\n");
}

using ChangeLogTest = OpenFamilyFixture;

TEST_F(ChangeLogTest, AppendsBesideTheFamilyFile) {
  EXPECT_EQ(ChangeLogPath(*CurrentDatabase), log);
  {
    std::ofstream earlier(log, std::ios::binary);
    earlier << "earlier line\r\n";
  }
  DbLogChange(db::kLogIndividual, db::kLogAdd, 25, 0, nullptr);
  DbLogChange(db::kLogSpouseLink, db::kLogLink, 7, 3, nullptr);
  EXPECT_EQ(ReadAll(log),
            "earlier line\r\n"
            "7-3-2001 09:05 Add Ind 25\r\n"
            "7-3-2001 09:05 Lnk Sp  7 3\r\n");
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(ChangeLogTest, CreatesAMissingLog) {
  ASSERT_FALSE(fs::exists(log));
  EXPECT_EQ(DbLogChange(db::kLogBackup, 0, 0, 0, "/backup/family.bak"), 1);
  EXPECT_EQ(ReadAll(log), "7-3-2001 09:05 Bak /backup/family.bak\r\n");
}

TEST_F(ChangeLogTest, OldFormatLogIsNamedKrl) {
  CFamilyDatabase old;
  old.type = CFamilyDatabase::kOldFormat;
  old.path = dir.Path();
  old.folder = dir.Path();
  old.baseName = "indiv2";
  old.extension = ".dat";
  EXPECT_EQ(ChangeLogPath(old), dir.File("indiv2.krl"));
  EXPECT_EQ(LogChange(old, db::kLogMarriage, db::kLogModify, 3, 0, nullptr), 1);
  EXPECT_EQ(ReadAll(dir.File("indiv2.krl")), "7-3-2001 09:05 Mod Mar 3\r\n");
}

TEST_F(ChangeLogTest, UnusableLogIsSkippedSilently) {
  // A folder of that name, then a FIFO without a reader (must not hang).
  fs::create_directory(log);
  EXPECT_EQ(DbLogChange(db::kLogIndividual, db::kLogAdd, 1, 0, nullptr), 0);
  fs::remove(log);
  ASSERT_EQ(::mkfifo(log.c_str(), 0600), 0);
  EXPECT_EQ(DbLogChange(db::kLogIndividual, db::kLogAdd, 1, 0, nullptr), 0);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(ChangeLogTest, NeverWritesIntoTheFamilyFile) {
  // A family file named like its own log.
  DbCloseCurrent();
  const std::string odd = dir.File("odd.orl");
  ASSERT_EQ(DbCreate(odd, CFamilyDatabase::kCurrentFormat), 1);
  ASSERT_EQ(DbOpen(odd, CFamilyDatabase::kCurrentFormat), 1);
  const std::string before = ReadAll(odd);
  EXPECT_EQ(DbLogChange(db::kLogIndividual, db::kLogAdd, 1, 0, nullptr), 0);
  DbCloseCurrent();
  std::string after = ReadAll(odd);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(DbDetectFileType(odd), 101);
}

TEST(ChangeLogNoDatabase, NothingWithoutAFamilyFile) {
  CFamilyDatabase none;
  EXPECT_EQ(LogChange(none, db::kLogIndividual, db::kLogAdd, 1, 0, nullptr), 0);
  EXPECT_FALSE(fs::exists(".orl"));
}
