// The document's family-file information: the preparer's address and the
// per-file settings block, read from and written to the open family file.
#include <gtest/gtest.h>

#include "AppOptions.h"
#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "FamilyFileInfo.h"
#include "OpenFamilyFixture.h"
#include "PreparerRecord.h"

namespace {

CFamilyFileInfo Preparer() {
  CFamilyFileInfo info;
  info.givenName = "Ada Mae";
  info.surname = "Lovell";
  info.address1 = "12 Quarry Lane";
  info.address2 = "Upper Dell";
  info.address3 = "Ketterby";
  info.country = "England";
  info.phone = "+44 1632 960123";
  info.sbn = "AB12-CD3";
  info.email = "ada@example.org";
  return info;
}

TEST(FamilyFileInfoTest, PreparerNameJoinsOnlyPresentParts) {
  struct Case {
    const char *given, *surname, *expected;
  };
  const Case cases[] = {
      {"Ada Mae", "Lovell", "Ada Mae Lovell"},
      {"", "Lovell", "Lovell"},
      {"Ada", "", "Ada"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    CFamilyFileInfo info;
    info.givenName = c.given;
    info.surname = c.surname;
    EXPECT_EQ(info.GetPreparerName(), c.expected) << c.given << "|" << c.surname;
  }
}

TEST(FamilyFileInfoTest, ClearEmptiesTheTextsAndResetsTheBlock) {
  CFamilyFileInfo info = Preparer();
  info.spare[1] = "x";
  info.settings = {1, 7, 8, 3, 0, 99};
  info.Clear();
  EXPECT_EQ(info.GetPreparerName(), "");
  EXPECT_EQ(info.address1 + info.address2 + info.address3 + info.country + info.phone + info.sbn +
                info.email + info.spare[0] + info.spare[1] + info.spare[2],
            "");
  EXPECT_EQ(info.settings.logChanges, 0);
  EXPECT_EQ(info.settings.homeRin, 0);
  EXPECT_EQ(info.settings.lastRin, 0);
  EXPECT_EQ(info.settings.closeCount, 0);
  EXPECT_EQ(info.settings.backupInterval, 10);
  EXPECT_EQ(info.settings.reserved, 0);
}

class FamilyFileInfoFileTest : public OpenFamilyFixture {};

TEST_F(FamilyFileInfoFileTest, PreparerRoundTripsThroughTheFile) {
  ASSERT_EQ(Preparer().WritePreparer(), 1);
  CPreparerRecord stored;
  ASSERT_EQ(DbGetRecord(1, db::kPreparer, &stored), 1);
  EXPECT_EQ(stored.givenNames, "Ada Mae");
  EXPECT_EQ(stored.country, "England");
  EXPECT_EQ(stored.unused, "");

  // Reopened, so the texts come from the file and not from memory.
  DbCloseCurrent();
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  CFamilyFileInfo read;
  ASSERT_EQ(read.ReadPreparer(), 1);
  const CFamilyFileInfo want = Preparer();
  EXPECT_EQ(read.givenName, want.givenName);
  EXPECT_EQ(read.surname, want.surname);
  EXPECT_EQ(read.address1, want.address1);
  EXPECT_EQ(read.address2, want.address2);
  EXPECT_EQ(read.address3, want.address3);
  EXPECT_EQ(read.country, want.country);
  EXPECT_EQ(read.phone, want.phone);
  EXPECT_EQ(read.sbn, want.sbn);
  EXPECT_EQ(read.email, want.email);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(FamilyFileInfoFileTest, SettingsBlockRoundTripsAndMirrorsTheOptions) {
  CFamilyFileInfo info;
  info.settings = {1, 42, 17, 4, 25, 123456};
  CAppOptions options;
  options.showZel = 0;
  options.appendVal = 2;
  options.capSurname = 1;
  ASSERT_EQ(info.WriteFileOptions(options), 1);
  EXPECT_TRUE(CurrentDatabase->host.logChanges);
  const orv::FileHead& head = CurrentDatabase->engine->Blocks().Head();
  EXPECT_EQ(head.Byte(orv::kHeadShowZel), 0);
  EXPECT_EQ(head.Byte(orv::kHeadAppendLetter), 'I');
  EXPECT_EQ(head.Byte(orv::kHeadCapSurname), 1);

  DbCloseCurrent();
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  CFamilyFileInfo read;
  read.settings = {};
  // Not opened: nothing is read.
  EXPECT_EQ(read.ReadFileOptions(0), 0);
  EXPECT_EQ(read.settings.homeRin, 0);
  ASSERT_EQ(read.ReadFileOptions(1), 1);
  EXPECT_EQ(read.settings.logChanges, 1);
  EXPECT_EQ(read.settings.homeRin, 42);
  EXPECT_EQ(read.settings.lastRin, 17);
  EXPECT_EQ(read.settings.closeCount, 4);
  EXPECT_EQ(read.settings.backupInterval, 25);
  EXPECT_EQ(read.settings.reserved, 123456);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(FamilyFileInfoFileTest, WithoutAnOpenFileTheBlockStaysAsItWas) {
  DbCloseCurrent();
  CFamilyFileInfo info;
  info.settings = {1, 5, 6, 7, 8, 9};
  EXPECT_EQ(info.ReadFileOptions(1), 0);
  EXPECT_EQ(info.settings.homeRin, 5);
  EXPECT_EQ(info.settings.reserved, 9);
  EXPECT_EQ(info.WriteFileOptions(CAppOptions()), 0);
  // Reopen so the fixture closes what it opened.
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
}

}  // namespace
