// What an import stores as the file says, and Check/Repair takes as sound:
// names apart only by a punctuation mark, couples whose stated sexes are not
// their roles, and every sample file.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ImportFixture.h"

namespace {

const std::string kSamples = KORVANE_GEDCOM_SAMPLES;

class ImportCheckTest : public ImportFixture {
 protected:
  // A new empty family file in place of the open one.
  void NewFamilyFile(const std::string& name) {
    DbCloseCurrent();
    family = dir.File(name + ".orv");
    ASSERT_EQ(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  }
  // Check/Repair with repair over the open file: the problems it found.
  unsigned long RepairProblems(std::string& report) {
    plat::FakeShell reportShell;
    plat::ScopedShell scopedShell{&reportShell};
    CDatabaseChecker checker(family, dir.File("repair.rpt"), *CurrentDatabase, 1);
    EXPECT_EQ(checker.Run(), 1);
    checker.Finish();
    report = ReadAll(dir.File("repair.rpt"));
    return checker.ProblemCount();
  }
  // Check finds the open file clean; a repair finds nothing either and
  // changes no byte of it. The check's report.
  std::string ExpectCleanAndUntouchedByRepair() {
    std::string report, repaired;
    EXPECT_EQ(CheckProblems(report), 0u) << report;
    const std::string before = ReadAll(family);
    EXPECT_EQ(RepairProblems(repaired), 0u) << repaired;
    EXPECT_TRUE(ReadAll(family) == before) << "the repair changed the file";
    return report;
  }
};

// ---- every sample ------------------------------------------------------------

TEST_F(ImportCheckTest, EverySampleImportsIntoAFileCheckFindsClean) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(kSamples)) {
    std::string ext = entry.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) { return std::tolower(c); });
    if (entry.is_regular_file() && ext == ".ged") files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  ASSERT_GE(files.size(), 13u);
  for (std::size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(files[i]);
    NewFamilyFile("sample" + std::to_string(i));
    Import(files[i]);
    std::string report;
    EXPECT_EQ(CheckProblems(report), 0u) << report;
  }
}

// ---- names apart only by punctuation -----------------------------------------

// Each group's surnames collate equal: they differ in a right quote (U+2019)
// or a low quote (U+201A) only, stored as code page 1252's 0x92 and 0x82.
struct TiedNamesCase {
  std::vector<std::string> gedcom;  // the NAME values, in file order
  std::vector<std::string> stored;  // the surnames stored, in the code page
};

const TiedNamesCase kTiedNames[] = {
    {{"Ann /Sur/", "Bo /Sur\u2019/", "Cy /Sur\u201A/"}, {"Sur", "Sur\x92", "Sur\x82"}},
    {{"Ann /Tor\u201A/", "Bo /Tor\u2019/", "Cy /Tor/"}, {"Tor\x82", "Tor\x92", "Tor"}},
    {{"Ann /O\u2019Neil/", "Bo /ONeil/", "Cy /O\u201ANeil/"}, {"O\x92Neil", "ONeil", "O\x82Neil"}},
};

TEST_F(ImportCheckTest, NamesApartOnlyByPunctuationAreCheckedCleanAndKept) {
  std::string text = "0 HEAD\n1 CHAR UTF-8\n";
  std::vector<std::string> stored;
  int n = 0;
  for (const TiedNamesCase& c : kTiedNames) {
    for (std::size_t i = 0; i < c.gedcom.size(); ++i) {
      text += "0 @I" + std::to_string(++n) + "@ INDI\n1 NAME " + c.gedcom[i] + "\n";
      stored.push_back(c.stored[i]);
    }
  }
  ASSERT_EQ(ImportText(text + "0 TRLR\n"), 1) << importLog_;
  for (int i = 1; i <= n; ++i)
    EXPECT_EQ(Person("I" + std::to_string(i)).surname, stored[i - 1]) << i;
  ExpectCleanAndUntouchedByRepair();
  for (int i = 1; i <= n; ++i)
    EXPECT_EQ(Person("I" + std::to_string(i)).surname, stored[i - 1]) << i;
}

// ---- couples whose stated sexes are not their roles -----------------------------

struct StatedSexCase {
  const char* name;
  char husband, wife;  // the SEX values of I1 and I2, kept as they are
  bool familyFirst;    // the FAM record comes before the INDI records
  const char* logLine;
  const char* noted;  // "Husband" or "Wife": the spouse Check notes
  const char* sex;    // that spouse's sex in the note
};

// The couple I1 and I2 of family F1 with their SEX values.
std::string Couple(const StatedSexCase& c) {
  const std::string family = "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n";
  const std::string people = std::string("0 @I1@ INDI\n1 NAME Al /Ek/\n1 SEX ") + c.husband +
                             "\n1 FAMS @F1@\n0 @I2@ INDI\n1 NAME Bo /Ek/\n1 SEX " + c.wife +
                             "\n1 FAMS @F1@\n";
  return "0 HEAD\n1 CHAR UTF-8\n" + (c.familyFirst ? family + people : people + family) +
         "0 TRLR\n";
}

class StatedSexImport : public ImportCheckTest,
                        public ::testing::WithParamInterface<StatedSexCase> {};

TEST_P(StatedSexImport, KeptAsStatedLoggedAndOnlyNotedByCheck) {
  const StatedSexCase& c = GetParam();
  ASSERT_EQ(ImportText(Couple(c)), 1) << importLog_;
  EXPECT_EQ(Person("I1").sex, c.husband);
  EXPECT_EQ(Person("I2").sex, c.wife);
  EXPECT_EQ(Family("F1").husband, Rin("I1"));
  EXPECT_EQ(Family("F1").wife, Rin("I2"));
  EXPECT_TRUE(LogHas(c.logLine)) << importLog_;

  const std::string report = ExpectCleanAndUntouchedByRepair();
  const std::string note = "Note: " + std::string(c.noted) + "'s record (RIN " +
                           std::to_string(Rin(c.noted[0] == 'W' ? "I2" : "I1")) + ") in marriage " +
                           std::to_string(Rin("F1")) + " is " + c.sex + ", as stated.";
  EXPECT_NE(report.find(note), std::string::npos) << note << "\n" << report;
  EXPECT_EQ(Person("I1").sex, c.husband);
  EXPECT_EQ(Person("I2").sex, c.wife);

  // Nor does the open call the file damaged.
  const std::size_t shown = boxes.Calls().size();
  DbCloseCurrent();
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  EXPECT_EQ(boxes.Calls().size(), shown) << boxes.Calls().back().text;
}

constexpr const char* kMaleWife =
    "A male individual (I2) has been defined as the wife in a family.";
constexpr const char* kUnknownWife =
    "An individual of unknown sex (I2) has been defined as the wife in a family.";
constexpr const char* kFemaleHusband =
    "A female individual (I1) has been defined as the husband in a family.";

INSTANTIATE_TEST_SUITE_P(
    Couples, StatedSexImport,
    ::testing::Values(
        StatedSexCase{"MaleWifeFamilyAfter", 'M', 'M', false, kMaleWife, "Wife", "male"},
        StatedSexCase{"MaleWifeFamilyFirst", 'M', 'M', true, kMaleWife, "Wife", "male"},
        StatedSexCase{"UnknownWifeFamilyAfter", 'M', 'U', false, kUnknownWife, "Wife",
                      "of unknown sex"},
        StatedSexCase{"UnknownWifeFamilyFirst", 'M', 'U', true, kUnknownWife, "Wife",
                      "of unknown sex"},
        StatedSexCase{"FemaleHusbandFamilyAfter", 'F', 'F', false, kFemaleHusband, "Husband",
                      "female"},
        StatedSexCase{"FemaleHusbandFamilyFirst", 'F', 'F', true, kFemaleHusband, "Husband",
                      "female"}),
    [](const ::testing::TestParamInfo<StatedSexCase>& info) { return info.param.name; });

}  // namespace
