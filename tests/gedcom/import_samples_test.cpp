// The sample GEDCOM files imported into new family files: the records made,
// their links, and the log that counts them.

#include <gtest/gtest.h>

#include "FakePorts.h"
#include "ImportFixture.h"
#include "ParamNames.h"
#include "TestHelpers.h"

namespace {

const std::string kSamples = KORVANE_GEDCOM_SAMPLES;

struct SampleCase {
  const char* file;
  int individuals, marriages, sources, repositories;
};

class SampleImport : public ImportFixture, public ::testing::WithParamInterface<SampleCase> {};

TEST_P(SampleImport, CountsInTheLogEqualTheRecordsMade) {
  const SampleCase& c = GetParam();
  EXPECT_EQ(Import(kSamples + "/" + c.file), 1);
  EXPECT_EQ(CountLive(db::kQueryIndividuals), c.individuals);
  EXPECT_EQ(CountLive(db::kQueryMarriages), c.marriages);
  EXPECT_EQ(CountLive(db::kQuerySources), c.sources);
  EXPECT_EQ(CountLive(db::kQueryRepositories), c.repositories);
  EXPECT_TRUE(LogHas("    Individuals:  " + std::to_string(c.individuals) + "\n")) << importLog_;
  EXPECT_TRUE(LogHas("    Marriages:    " + std::to_string(c.marriages) + "\n"));
  EXPECT_TRUE(LogHas("    Sources:      " + std::to_string(c.sources) + "\n"));
  EXPECT_TRUE(LogHas("    Repositories: " + std::to_string(c.repositories) + "\n"));
  ASSERT_EQ(shell_.opened.size(), 1u);
  EXPECT_EQ(shell_.opened[0], dir.File("import.lst"));
}

// What the import made passes Check/Repair in report mode: every pointer,
// chain, tree and count sound. Same-sex spouses are noted as stated.
TEST_P(SampleImport, CheckFindsTheImportedFileSound) {
  const SampleCase& c = GetParam();
  ASSERT_EQ(Import(kSamples + "/" + c.file), 1);
  std::string report;
  EXPECT_EQ(CheckProblems(report), 0u) << report;
  if (std::string(c.file) == "gedcom555-SSMARR.GED") {
    EXPECT_NE(report.find("Note: Wife's record (RIN 2) in marriage 1 is male, as stated."),
              std::string::npos)
        << report;
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleImport,
                         ::testing::Values(SampleCase{"gedcom555-555SAMPLE.GED", 3, 2, 1, 1},
                                           SampleCase{"gedcom555-555SAMPLE16LE.GED", 3, 2, 1, 1},
                                           SampleCase{"gedcom555-555SAMPLE16BE.GED", 3, 2, 1, 1},
                                           SampleCase{"gedcom555-MINIMAL555.GED", 0, 0, 0, 0},
                                           SampleCase{"gedcom555-REMARR.GED", 3, 3, 0, 0},
                                           SampleCase{"gedcom555-SSMARR.GED", 2, 1, 0, 0},
                                           SampleCase{"misc-allged.ged", 8, 4, 1, 0}),
                         ParamNameOfFile());

TEST_F(ImportFixture, Sample555LinksJoeToBothFamiliesAdoptedInTheSecond) {
  ASSERT_EQ(Import(kSamples + "/gedcom555-555SAMPLE.GED"), 1);
  EXPECT_EQ(Children("F1"), std::vector<std::int32_t>{Rin("I3")});
  EXPECT_EQ(Children("F2"), std::vector<std::int32_t>{Rin("I3")});
  EXPECT_EQ(Link("I3", "F1").firstParentRelation, 'b');
  EXPECT_EQ(Link("I3", "F2").firstParentRelation, 'a');
  EXPECT_EQ(Link("I3", "F2").secondParentRelation, 'a');
  const CIndividualRecord robert = Person("I1");
  EXPECT_EQ(robert.surname, "Williams");
  EXPECT_EQ(robert.givenNames[0], "Robert");
  EXPECT_EQ(robert.givenNames[1], "Eugene");
  EXPECT_EQ(robert.sex, 'M');
  EXPECT_EQ(robert.birth.place[0], "Weston");
  EXPECT_EQ(robert.birth.date.ToString().empty(), false);
  const auto birthCitations = Citations(Rin("I1"), db::kOwnerBirth);
  ASSERT_EQ(birthCitations.size(), 1u);
  EXPECT_EQ(birthCitations[0].pageText, "Sec. 2, p. 45");
  EXPECT_EQ(birthCitations[0].sourceRin, Rin("S1"));
  EXPECT_EQ(Relation(Rin("I1"), db::kRelMarriages),
            (std::vector<std::int32_t>{Rin("F1"), Rin("F2")}));
}

TEST_F(ImportFixture, UnicodeFormsOfTheSampleGiveEqualRecords) {
  std::vector<std::string> names[3];
  const char* files[] = {"gedcom555-555SAMPLE.GED", "gedcom555-555SAMPLE16LE.GED",
                         "gedcom555-555SAMPLE16BE.GED"};
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(Import(kSamples + "/" + files[i]), 1);
    for (const char* x : {"I1", "I2", "I3"}) {
      const CIndividualRecord p = Person(x);
      names[i].push_back(p.GetNameSurnameFirst() + "|" + p.birth.date.ToString() + "|" +
                         p.birth.FormatPlace(", ") + "|" + p.sex);
    }
  }
  EXPECT_EQ(names[0], names[1]);
  EXPECT_EQ(names[0], names[2]);
}

TEST_F(ImportFixture, MinimalFileNamesItsSubmitterWithoutErrors) {
  ASSERT_EQ(Import(kSamples + "/gedcom555-MINIMAL555.GED"), 1);
  EXPECT_TRUE(LogHas("    Submitted by: gedcom.org\n")) << importLog_;
  EXPECT_TRUE(LogHas("    Errors:       0\n"));
  EXPECT_EQ(importer_->Errors(), 0);
}

TEST_F(ImportFixture, RemarriedWifeKeepsHerMarriagesInFileOrderAndDatedDivorcesAreEvents) {
  ASSERT_EQ(Import(kSamples + "/gedcom555-REMARR.GED"), 1);
  EXPECT_EQ(Relation(Rin("I2"), db::kRelMarriages),
            (std::vector<std::int32_t>{Rin("F1"), Rin("F2"), Rin("F3")}));
  EXPECT_EQ(Relation(Rin("I1"), db::kRelMarriages),
            (std::vector<std::int32_t>{Rin("F1"), Rin("F3")}));
  for (const char* f : {"F1", "F2"}) {
    EXPECT_EQ(Family(f).status, 'D') << f;
    EXPECT_EQ(UserEvents(Rin(f), db::kOwnerMarriage).size(), 1u) << f;
  }
  EXPECT_TRUE(UserEvents(Rin("F3"), db::kOwnerMarriage).empty());
}

TEST_F(ImportFixture, SameSexSpousesAreBothKeptWithTheRoleError) {
  ASSERT_EQ(Import(kSamples + "/gedcom555-SSMARR.GED"), 1);
  EXPECT_TRUE(LogHas("A male individual (I2) has been defined as the wife in a family."))
      << importLog_;
  EXPECT_EQ(Person("I2").sex, 'M');
  const CMarriageRecord f = Family("F1");
  EXPECT_EQ(f.husband, Rin("I1"));
  EXPECT_EQ(f.wife, Rin("I2"));
}

TEST_F(ImportFixture, AllTagsSampleJoinsConcAndDumpsWhatItCannotStore) {
  ASSERT_EQ(Import(kSamples + "/misc-allged.ged"), 1);
  EXPECT_TRUE(LogHas("Unexpected tag")) << importLog_;
  EXPECT_GT(importer_->Errors(), 0);
  const std::string notes = DbGetNotes(Rin("PERSON1"), 0, db::kIndividual, 0, 1, 0);
  EXPECT_NE(notes.find("The word TEST should not be broken!"), std::string::npos) << notes;
}

struct MalformedCase {
  const char* file;
  const char* logLine;
  int individuals, marriages;
};

class MalformedImport : public ImportFixture,
                        public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedImport, EachFileGetsItsLogLineAndLosesNothingElse) {
  Import(kSamples + "/malformed/" + GetParam().file);
  EXPECT_TRUE(LogHas(GetParam().logLine)) << importLog_;
  EXPECT_EQ(CountLive(db::kQueryIndividuals), GetParam().individuals);
  EXPECT_EQ(CountLive(db::kQueryMarriages), GetParam().marriages);
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, MalformedImport,
    ::testing::Values(
        MalformedCase{"missing-header.ged", "Can't find HEAD record at the beginning of the file.",
                      0, 0},
        MalformedCase{"duplicate-xref.ged", "I1 is multiply defined at", 1, 1},
        MalformedCase{"invalid-level.ged",
                      "Level number doesn't increment by one. Skipped lines 6 through 6.", 1, 0},
        MalformedCase{"invalid-xref.ged", "The family 'F999' was not defined.", 1, 1},
        MalformedCase{"missing-xref.ged", "The family 'F999' was not defined.", 1, 1},
        MalformedCase{"circular-reference.ged",
                      "A male individual (I1) has been defined as the wife in a family.", 3, 3}),
    ParamNameOfFile());

}  // namespace

namespace {

TEST_F(ImportFixture, LogOfASmallFileEqualsItsGoldenCopy) {
  ASSERT_EQ(Import(kSamples + "/import-small.ged"), 1);
  EXPECT_EQ(importLog_, ReadAll(kSamples + "/import-small.lst"));
}

// Cancels at the first question, which comes after 32 records.
class CancelAtOnce : public gedcom::ImportProgress {
 public:
  bool CancelRequested() override {
    ++asked;
    return true;
  }
  int asked = 0;
};

TEST_F(ImportFixture, CancelStillLinksTheRecordsRead) {
  std::string text = "0 HEAD\n1 CHAR ANSI\n0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I2@\n";
  for (int i = 1; i <= 40; ++i)
    text += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME P" + std::to_string(i) + " /Q/\n" +
            (i == 3 ? "1 FAMC @F1@\n1 NOTE @N1@\n" : "");
  text += "0 @N1@ NOTE never read\n0 TRLR\n";
  CancelAtOnce progress;
  EXPECT_EQ(ImportText(text, {}, &progress), 0);
  EXPECT_EQ(progress.asked, 1);
  EXPECT_TRUE(importer_->Cancelled());
  // The family and 31 individuals are the 32 records read.
  EXPECT_EQ(CountLive(db::kQueryIndividuals), 31);
  EXPECT_EQ(Children("F1"), (std::vector<std::int32_t>{Rin("I2"), Rin("I3")}));
  EXPECT_EQ(Relation(Rin("I1"), db::kRelMarriages), std::vector<std::int32_t>{Rin("F1")});
  EXPECT_TRUE(LogHas("Individual 'I3' referenced undefined note 'N1'.")) << importLog_;
  EXPECT_EQ(shell_.opened.size(), 1u);
}

}  // namespace
