// A name comes back the same through an export and an import: the export
// writes no '/' on a NAME line but the two around the surname, whatever the
// name parts hold, and the import takes the parts back whole.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ExportFamily.h"

namespace {

struct NameCase {
  const char* name;
  const char* line;  // the NAME value of the first file
};

const NameCase kNames[] = {
    {"SecondSurnamePair", "John /Smith/ /Jones/"},
    {"SlashInGivenNames", "John/Paul /Smith/"},
    {"ThreeSlashes", "Jean /Du/Pont/"},
    {"TextAfterSurname", "Anna /Cruz/ de la Vega"},
    {"SurnameOnly", "/Smith/"},
    {"GivenNamesOnly", "Mary Ann"},
    {"Plain", "Ola Nils /Lund/"},
};

gedcom::ExportOptions Full() {
  gedcom::ExportOptions o;
  o.mode = gedcom::kExportStandard;
  o.fullLiving = true;
  return o;
}

class NameRoundTrip : public ExportFamilyFixture {
 protected:
  // The stored name parts of the only individual.
  static std::vector<std::string> Names() {
    const std::int32_t rin = DbGetRIN(0, db::kQueryIndividuals, db::kWalkNext);
    CIndividualRecord p;
    EXPECT_EQ(DbGetRecord(rin, db::kIndividual, &p), 1);
    return {p.surname, p.givenNames[0], p.givenNames[1], p.givenNames[2]};
  }
  // Every '/' of the export's NAME lines is one of the two around a surname.
  static void ExpectOnlySurnameSlashes(const std::string& text) {
    for (const std::string& line : GedcomLines(text)) {
      if (!line.starts_with("1 NAME ")) continue;
      EXPECT_EQ(std::count(line.begin(), line.end(), '/'), 2) << line;
      EXPECT_EQ(line.back(), '/') << line;
    }
  }
  // Exported, imported into a new file and exported again: the names kept
  // and the export stay the same.
  void ExpectStable(const std::string& label) {
    const std::vector<std::string> before = Names();
    const std::string first = Export(Full());
    ExpectOnlySurnameSlashes(first);
    ImportIntoNewFile(first, label + "2");
    EXPECT_EQ(Names(), before) << first;
    const std::string second = Export(Full());
    ImportIntoNewFile(second, label + "3");
    EXPECT_EQ(Names(), before) << second;
    EXPECT_EQ(NameAndPlaceLines(second), NameAndPlaceLines(first));
  }
};

class NameLines : public NameRoundTrip, public ::testing::WithParamInterface<NameCase> {};

TEST_P(NameLines, ImportExportImportKeepsTheNames) {
  ASSERT_EQ(ImportText(std::string("0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME ") +
                       GetParam().line + "\n0 TRLR\n"),
            1)
      << importLog_;
  ExpectStable(GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Names, NameLines, ::testing::ValuesIn(kNames),
                         [](const ::testing::TestParamInfo<NameCase>& info) {
                           return std::string(info.param.name);
                         });

// A '/' typed into a name part on the edit screen is stored as typed.
TEST_F(NameRoundTrip, SlashTypedIntoANamePartComesBack) {
  CIndividualRecord p;
  p.givenNames[0] = "John/Johann";
  p.givenNames[1] = "Paul";
  p.surname = "Smith/Smed";
  ASSERT_GT(DbAddRecord(db::kIndividual, 0, &p), 0);
  ExpectStable("typed");
}

}  // namespace
