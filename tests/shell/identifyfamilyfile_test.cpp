// Telling family files from other files: the old format's folder of data
// files, the current format's header, and what the Open dialog's information
// panel makes of a selected path.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "AsUnprivilegedUser.h"
#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "FileHandle.h"
#include "FileLayout.h"
#include "IdentifyFamilyFile.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "RecordAccess.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

struct Facts {
  int type = -1;
  std::int32_t individuals = -1, marriages = -1;
  std::string name;
  std::uint64_t size = 0;
  int error = -1;
};

Facts Identify(const std::string& path) {
  Facts f;
  f.type = IdentifyFamilyFile(path, &f.individuals, &f.marriages, &f.name, &f.size, &f.error);
  return f;
}

// A current-format family file with individuals and marriages added, closed
// again; title (when given) written into the header's title field.
void MakeFamily(const std::string& path, int individuals, int marriages,
                const std::string& title = "") {
  ASSERT_EQ(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
  ASSERT_EQ(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);
  for (int i = 0; i < individuals; ++i) {
    CIndividualRecord person;
    person.surname = "Lind";
    person.sex = 'M';
    ASSERT_GT(family::Add(person, 0), 0L);
  }
  for (int i = 0; i < marriages; ++i) {
    CMarriageRecord marriage;
    ASSERT_GT(family::Add(marriage, 0), 0L);
  }
  DbCloseCurrent();
  if (!title.empty()) {
    std::string bytes = ReadAll(path);
    bytes.replace(orv::kHeadTitle, title.size(), title);
    WriteAll(path, bytes);
  }
}

TEST(IdentifyFamilyFileTest, OldFormatCountsFromFileSizes) {
  struct Case {
    std::size_t indivBytes, marrBytes;
    std::int32_t individuals, marriages;
  };
  const Case cases[] = {
      {92, 28, 0, 0},  {93, 29, 0, 0},         {184, 56, 1, 1},
      {183, 55, 0, 0}, {9292, 2828, 100, 100}, {0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteAll(dir.File("indiv2.dat"), std::string(c.indivBytes, 'x'));
    WriteAll(dir.File("marr2.dat"), std::string(c.marrBytes, 'x'));
    WriteAll(dir.File("family.ini"), "[Family]\nFamilyName=Holm\n");
    const Facts f = Identify(dir.File("indiv2.dat"));
    SCOPED_TRACE(c.indivBytes);
    EXPECT_EQ(f.type, kOldFormatFamily);
    EXPECT_EQ(f.individuals, c.individuals);
    EXPECT_EQ(f.marriages, c.marriages);
    EXPECT_EQ(f.size, c.indivBytes);
    EXPECT_EQ(f.name, "Holm");
  }
}

TEST(IdentifyFamilyFileTest, OldFormatNameAndCompanions) {
  TempDir dir;
  WriteAll(dir.File("INDIV2.DAT"), std::string(184, 'x'));
  // Without marr2.dat the folder holds no family.
  EXPECT_EQ(Identify(dir.File("INDIV2.DAT")).type, kNoFamilyFile);

  WriteAll(dir.File("marr2.dat"), std::string(28, 'x'));
  // No family.ini, one without the value, an empty value: "Untitled".
  EXPECT_EQ(Identify(dir.File("INDIV2.DAT")).name, "Untitled");
  WriteAll(dir.File("family.ini"), "[Other]\nFamilyName=Wrong\n[Family]\nPlace=Here\n");
  EXPECT_EQ(Identify(dir.File("INDIV2.DAT")).name, "Untitled");
  WriteAll(dir.File("family.ini"), "[Family]\r\nFamilyName=\r\n");
  EXPECT_EQ(Identify(dir.File("INDIV2.DAT")).name, "Untitled");
  // Section and key in any case, blanks and quotes dropped.
  WriteAll(dir.File("family.ini"), "; comment\r\n[ family ]\r\nfamilyname = \"Sand Berg\" \r\n");
  EXPECT_EQ(Identify(dir.File("INDIV2.DAT")).name, "Sand Berg");
  // The old format is known by its name, not by marr2.dat or family.ini.
  EXPECT_EQ(Identify(dir.File("marr2.dat")).type, kNoFamilyFile);
  EXPECT_EQ(Identify(dir.File("missing/indiv2.dat")).type, kNoFamilyFile);
}

TEST(IdentifyFamilyFileTest, CurrentFormatReadsTheHeader) {
  TempDir dir;
  MakeFamily(dir.File("lind.orv"), 3, 2, "Lind Family");
  Facts f = Identify(dir.File("lind.orv"));
  EXPECT_EQ(f.type, kCurrentFormatFamily);
  EXPECT_EQ(f.individuals, 3);
  EXPECT_EQ(f.marriages, 2);
  EXPECT_EQ(f.name, "Lind Family");
  EXPECT_EQ(f.size, static_cast<std::uint64_t>(ReadAll(dir.File("lind.orv")).size()));
  EXPECT_EQ(f.error, 0);

  // Any case of the extension; outs may be left out.
  ASSERT_EQ(rename(dir.File("lind.orv").c_str(), dir.File("LIND.ORV").c_str()), 0);
  EXPECT_EQ(IdentifyFamilyFile(dir.File("LIND.ORV"), nullptr, nullptr, nullptr, nullptr, nullptr),
            kCurrentFormatFamily);
}

TEST(IdentifyFamilyFileTest, UntitledFileIsNamedAfterTheFile) {
  TempDir dir;
  MakeFamily(dir.File("smith.orv"), 0, 0);
  MakeFamily(dir.File("McKay.orv"), 0, 0);
  EXPECT_EQ(Identify(dir.File("smith.orv")).name, "Smith");
  EXPECT_EQ(Identify(dir.File("McKay.orv")).name, "McKay");
}

TEST(IdentifyFamilyFileTest, OtherFilesAreNoFamilyFiles) {
  TempDir dir;
  MakeFamily(dir.File("good.orv"), 1, 0);
  const std::string good = ReadAll(dir.File("good.orv"));
  WriteAll(dir.File("short.orv"), good.substr(0, orv::kHeaderSize - 1));
  std::string wrongMagic = good;
  wrongMagic[0] = 'X';
  WriteAll(dir.File("magic.orv"), wrongMagic);
  WriteAll(dir.File("good.txt"), good);  // a family file's bytes under another name
  WriteAll(dir.File("notes.orv"), "plain text");
  for (const char* name : {"short.orv", "magic.orv", "good.txt", "notes.orv", "missing.orv"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Identify(dir.File(name)).type, kNoFamilyFile);
  }
  // A pipe named like a family file is not opened (that would block).
  ASSERT_EQ(mkfifo(dir.File("pipe.orv").c_str(), 0600), 0);
  EXPECT_EQ(Identify(dir.File("pipe.orv")).type, kNoFamilyFile);
}

TEST(IdentifyFamilyFileTest, UnopenableFileReportsTheCause) {
  TempDir dir;
  MakeFamily(dir.File("locked.orv"), 1, 0);
  ASSERT_EQ(chmod(dir.File("locked.orv").c_str(), 0), 0);
  AsUnprivilegedUser nobody;
  if (!nobody.Active()) GTEST_SKIP() << "cannot drop privileges";
  // The folder must be reachable for nobody.
  Facts f = Identify(dir.File("locked.orv"));
  EXPECT_EQ(f.type, kNoFamilyFile);
  EXPECT_NE(f.error, 0);
}

TEST(FamilyFilePanelTest, StateForSelectedPath) {
  TempDir dir;
  MakeFamily(dir.File("lind.orv"), 12, 4, "Lind");
  MakeFamily(dir.File("open.orv"), 1, 1);
  WriteAll(dir.File("notes.txt"), "text");

  FamilyFilePanel p = DescribeFamilyFilePanel(dir.File("lind.orv"), {dir.File("open.orv")});
  EXPECT_EQ(p.state, kPanelFileInfo);
  EXPECT_EQ(p.familyName, "Lind");
  EXPECT_EQ(p.individuals, "12");
  EXPECT_EQ(p.marriages, "4");

  // The file the program holds open, also when named another way.
  const std::string other = dir.Path() + "./open.orv";
  EXPECT_EQ(DescribeFamilyFilePanel(other, {dir.File("open.orv")}).state, kPanelAlreadyOpen);
  ASSERT_EQ(symlink(dir.File("open.orv").c_str(), dir.File("alias.orv").c_str()), 0);
  EXPECT_EQ(DescribeFamilyFilePanel(dir.File("alias.orv"), {dir.File("open.orv")}).state,
            kPanelAlreadyOpen);

  for (const std::string& path : {dir.File("notes.txt"), dir.Path(), dir.File("*.orv"),
                                  dir.File("lind?.orv"), dir.File("missing.orv"), std::string()}) {
    SCOPED_TRACE(path);
    const FamilyFilePanel q = DescribeFamilyFilePanel(path, {});
    EXPECT_EQ(q.state, kPanelUnavailable);
    EXPECT_EQ(q.individuals, "0");
  }
}

}  // namespace
