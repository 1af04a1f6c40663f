// The sample family built from the description kept in the repository: the
// people and families the views are tried on must be in the file as the
// description says, read back through the database calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CitationRecord.h"
#include "CodePage.h"
#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FileLayout.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "RecordAccess.h"
#include "SampleBuilder.h"
#include "SampleDescription.h"
#include "ScopedCodePage.h"
#include "SourceRecord.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

using List = std::vector<std::int32_t>;

class SampleFamilyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<std::string> errors;
    const sample::Description description =
        sample::ParseDescription(ReadAll(KORVANE_SAMPLE_DESCRIPTION), errors);
    ASSERT_EQ(errors, std::vector<std::string>{});
    ASSERT_TRUE(sample::BuildFamilyFile(description, file, counts, error)) << error;
    ASSERT_EQ(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
  }
  void TearDown() override {
    DbCloseCurrent();
    EXPECT_TRUE(boxes.Calls().empty()) << boxes.Calls().front().text;
  }

  // The RIN of the one individual with these given names and surname (UTF-8).
  static std::int32_t Rin(const std::string& given, const std::string& surname) {
    std::int32_t found = 0;
    for (std::int32_t r = 1; r <= DbGetMaxRecordCount(db::kIndividual); ++r) {
      CIndividualRecord person;
      if (DbGetRecord(r, db::kIndividual, &person, 1) != 1) continue;
      if (plat::AnsiToUtf8(person.GetGivenNames()) == given &&
          plat::AnsiToUtf8(person.surname) == surname) {
        EXPECT_EQ(found, 0) << given << " " << surname << " twice";
        found = r;
      }
    }
    EXPECT_NE(found, 0) << given << " " << surname << " missing";
    return found;
  }
  static CIndividualRecord Person(std::int32_t rin) {
    CIndividualRecord person;
    EXPECT_EQ(family::Read(person, rin), 1);
    return person;
  }
  static CMarriageRecord Marriage(std::int32_t mrin) {
    CMarriageRecord marriage;
    EXPECT_EQ(family::Read(marriage, mrin), 1);
    return marriage;
  }
  // Marriage, husband and wife of the first parent family.
  static List Parents(std::int32_t rin) {
    List out;
    DbGetRelation(rin, db::kRelParents, 0, out);
    return out;
  }
  static List Marriages(std::int32_t rin) {
    List out;
    DbGetRelationList(out, db::kRelSpouses, 0, rin, 0);
    return out;
  }
  static List Children(std::int32_t mrin) {
    List out;
    DbGetRelation(mrin, db::kRelChildren, 100, out);
    return out;
  }

  ScopedCodePage codePage{plat::kCodePageWestern};
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  TempDir dir;
  std::string file = dir.File("sample.orv");
  sample::BuildCounts counts;
  std::string error;
};

TEST_F(SampleFamilyTest, HoldsEveryoneTheDescriptionLists) {
  EXPECT_EQ(counts.individuals, 23);
  EXPECT_EQ(counts.marriages, 7);
  EXPECT_EQ(counts.sources, 1);
  EXPECT_EQ(counts.citations, 2);
  EXPECT_EQ(DbGetActiveRecordCount(db::kIndividual), 23);
  EXPECT_EQ(DbGetActiveRecordCount(db::kMarriage), 7);
  // The first person listed is record 1, where the program starts.
  EXPECT_EQ(Rin("Erik Anders", "Lindqvist"), 1);
}

TEST_F(SampleFamilyTest, FourGenerationsFromTheYoungestUp) {
  const std::int32_t anders = Rin("Anders", "Lindqvist");
  const std::int32_t johan = Rin("Johan Anders", "Lindqvist");
  const std::int32_t erik = Rin("Erik Anders", "Lindqvist");
  const std::int32_t olof = Rin("Olof", "Lindqvist");
  EXPECT_EQ(Parents(olof).at(1), erik);
  EXPECT_EQ(Parents(erik).at(1), johan);
  EXPECT_EQ(Parents(johan).at(1), anders);
  EXPECT_EQ(Parents(anders), List({0, 0, 0}));
  EXPECT_EQ(Parents(johan).at(2), Rin("Brita", "Åkesdotter"));
}

TEST_F(SampleFamilyTest, JohanMarriedTwiceWithChildrenOfEach) {
  const std::int32_t johan = Rin("Johan Anders", "Lindqvist");
  const List marriages = Marriages(johan);
  ASSERT_EQ(marriages.size(), 2u);
  const CMarriageRecord first = Marriage(marriages[0]);
  const CMarriageRecord second = Marriage(marriages[1]);
  EXPECT_EQ(first.husband, johan);
  EXPECT_EQ(first.wife, Rin("Märta", "Sjöberg"));
  EXPECT_EQ(first.marriage.date.year, 1794);
  EXPECT_EQ(second.husband, johan);
  EXPECT_EQ(second.wife, Rin("Renée Élise", "Dufour"));
  EXPECT_EQ(Children(marriages[0]),
            List({Rin("Erik Anders", "Lindqvist"), Rin("Anna Maria", "Lindqvist")}));
  EXPECT_EQ(Children(marriages[1]), List({Rin("Per", "Lindqvist")}));
}

TEST_F(SampleFamilyTest, ErikAndSaraWithNineChildrenInOrder) {
  const std::int32_t erik = Rin("Erik Anders", "Lindqvist");
  const std::int32_t sara = Rin("Sara", "Ek");
  EXPECT_EQ(DbGetSex(sara), 'F');
  const List marriages = Marriages(erik);
  ASSERT_EQ(marriages.size(), 1u);
  EXPECT_EQ(Marriage(marriages[0]).wife, sara);
  EXPECT_EQ(Marriages(sara), marriages);
  List expected;
  for (const char* given :
       {"Olof", "Greta", "Lars Johan", "Karin", "Jöns", "Stina", "Mats", "Elsa Kristina", "Sven"})
    expected.push_back(Rin(given, "Lindqvist"));
  EXPECT_EQ(Children(marriages[0]), expected);
}

// The family people first try the program on passes its own Check/Repair.
TEST_F(SampleFamilyTest, PassesCheckRepair) {
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
  const std::string reportPath = dir.File("sample.txt");
  unsigned long problems = 0;
  {
    CDatabaseChecker checker(file, reportPath, *CurrentDatabase, 0);
    EXPECT_EQ(checker.Run(), 1);
    problems = checker.ProblemCount();
    checker.Finish();
  }
  EXPECT_EQ(problems, 0u) << ReadAll(reportPath);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "No problems were found.");
  boxes.Clear();
}

// The block of family links typed as another kind (one bit too many):
// Check/Repair knows the block by what it holds and brings back every link,
// the parent link of a child without a marriage among them.
TEST_F(SampleFamilyTest, RetypedBlockOfFamilyLinksIsRestoredByRepair) {
  const std::int32_t erik = Rin("Erik Anders", "Lindqvist");
  const List marriages = Marriages(erik);
  ASSERT_FALSE(marriages.empty());
  const List children = Children(marriages.front());
  ASSERT_EQ(children.size(), 9u);
  const std::int32_t links = DbGetMaxRecordCount(db::kFamilyLink);
  ASSERT_EQ(DbCloseCurrent(), 1);
  std::string bytes = ReadAll(file);
  bool retyped = false;
  for (std::size_t k = 1; k < 64 && !retyped; ++k)
    if (bytes[orv::kBlocksOffset + k] == orv::kBlockFamilyLinks) {
      bytes[orv::kBlocksOffset + k] = orv::kBlockDescriptors;
      retyped = true;
    }
  ASSERT_TRUE(retyped);
  WriteAll(file, bytes);
  ASSERT_EQ(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
  for (const int mode : {1, 0}) {
    CDatabaseChecker checker(file, dir.File("repair.txt"), *CurrentDatabase, mode);
    EXPECT_EQ(checker.Run(), 1);
    if (mode == 0) {
      EXPECT_EQ(checker.ProblemCount(), 0u) << ReadAll(dir.File("repair.txt"));
    }
  }
  boxes.Clear();
  EXPECT_EQ(DbGetMaxRecordCount(db::kFamilyLink), links);
  EXPECT_EQ(Children(marriages.front()), children);
}

TEST_F(SampleFamilyTest, FamiliesWithSomeoneMissing) {
  // Kerstin's son: a marriage without a husband.
  const std::int32_t kerstin = Rin("Kerstin", "Lindqvist");
  const List parentsOfNils = Parents(Rin("Nils", "Lindqvist"));
  EXPECT_EQ(parentsOfNils.at(1), 0);
  EXPECT_EQ(parentsOfNils.at(2), kerstin);
  EXPECT_EQ(Marriages(kerstin), List({parentsOfNils.at(0)}));

  // Lovisa: a marriage of neither husband nor wife.
  const std::int32_t lovisa = Rin("Lovisa", "Hedman");
  const List parentsOfLovisa = Parents(lovisa);
  ASSERT_GT(parentsOfLovisa.at(0), 0);
  EXPECT_EQ(parentsOfLovisa.at(1), 0);
  EXPECT_EQ(parentsOfLovisa.at(2), 0);
  EXPECT_EQ(Children(parentsOfLovisa.at(0)), List({lovisa}));

  // Ingrid: a parent family link that names no marriage, so no parents.
  const std::int32_t ingrid = Rin("Ingrid", "Holm");
  List links;
  EXPECT_EQ(DbGetRelationList(links, db::kRelParents, 5, ingrid, 0), 2);
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0], 0);
  EXPECT_GT(links[1], 0);
  EXPECT_EQ(DbGetRelationList(links, db::kRelParents, 4, ingrid, 0), 0);
  EXPECT_EQ(DbGetRelationCount(ingrid, db::kRelFather, 0, 1), 0);

  // Per and Ingrid: divorced, no marriage event.
  const List perMarriages = Marriages(Rin("Per", "Lindqvist"));
  ASSERT_EQ(perMarriages.size(), 1u);
  const CMarriageRecord parted = Marriage(perMarriages[0]);
  EXPECT_EQ(parted.wife, ingrid);
  EXPECT_EQ(parted.status, 'D');
  EXPECT_FALSE(parted.marriage.date.IsSet());
  EXPECT_EQ(Children(perMarriages[0]), List({Rin("Hedvig", "Lindqvist")}));
}

TEST_F(SampleFamilyTest, DatesKeepTheirQualifiersAndDualYear) {
  struct Case {
    const char* given;
    const char* surname;
    CEventValue CIndividualRecord::*event;
    const char* shown;
    int qualifier;
  };
  const Case cases[] = {
      {"Brita", "Åkesdotter", &CIndividualRecord::birth, "11 Feb 1745/1746", CDateValue::kQualNone},
      {"Anders", "Lindqvist", &CIndividualRecord::birth, "Abt 1745", CDateValue::kQualAbt},
      {"Anders", "Lindqvist", &CIndividualRecord::death, "Bef 1810", CDateValue::kQualBef},
      {"Brita", "Åkesdotter", &CIndividualRecord::death, "Aft 1800", CDateValue::kQualAft},
      {"Ingrid", "Holm", &CIndividualRecord::birth, "Cal 1806", CDateValue::kQualCal},
      {"Johan Anders", "Lindqvist", &CIndividualRecord::burial, "25 Nov 1832",
       CDateValue::kQualNone},
  };
  for (const Case& c : cases) {
    const CIndividualRecord person = Person(Rin(c.given, c.surname));
    const CDateValue& date = (person.*c.event).date;
    EXPECT_EQ(date.textOnly, 0) << c.shown;
    EXPECT_EQ(date.qualifier, c.qualifier) << c.shown;
    EXPECT_EQ(date.Format(), c.shown);
  }
  const CIndividualRecord brita = Person(Rin("Brita", "Åkesdotter"));
  EXPECT_EQ(brita.birth.date.year, 1745);
  EXPECT_NE(brita.birth.date.dualYear, 0);
}

TEST_F(SampleFamilyTest, PlacesAreSplitTownFirst) {
  const CIndividualRecord erik = Person(Rin("Erik Anders", "Lindqvist"));
  EXPECT_EQ(erik.christening.place[0], "Hallstad church");
  EXPECT_EQ(erik.christening.place[1], "Norrbo");
  EXPECT_EQ(erik.christening.place[2], "");
  EXPECT_EQ(Person(Rin("Lovisa", "Hedman")).birth.place[0], "");
}

TEST_F(SampleFamilyTest, AccentedNamesReadBackInTheCodePage) {
  const CIndividualRecord brita = Person(Rin("Brita", "Åkesdotter"));
  EXPECT_EQ(brita.surname, "\xC5kesdotter");  // Å in code page 1252
  const CIndividualRecord renee = Person(Rin("Renée Élise", "Dufour"));
  EXPECT_EQ(renee.givenNames[0],
            "Ren\xE9"
            "e");
  EXPECT_EQ(renee.givenNames[1], "\xC9lise");
  EXPECT_EQ(plat::AnsiToUtf8(Person(Rin("Jöns", "Lindqvist")).givenNames[0]), "Jöns");
  EXPECT_EQ(plat::AnsiToUtf8(Person(Rin("Brita", "Åkesdotter")).birth.place[0]), "Östvik");
}

TEST_F(SampleFamilyTest, NotesOfAPersonAndOfAMarriage) {
  EXPECT_EQ(DbGetNotes(Rin("Anders", "Lindqvist"), 0, db::kIndividual, 0, 0, 0),
            "Anders built the mill at Hallstad and kept it for forty years.\r\n\r\n"
            "The mill stood where the stream leaves the lake.");
  const List marriages = Marriages(Rin("Johan Anders", "Lindqvist"));
  ASSERT_EQ(marriages.size(), 2u);
  EXPECT_EQ(plat::AnsiToUtf8(DbGetNotes(marriages[1], 0, db::kMarriage, 0, 0, 0)),
            "Johan and Renée met when her family came north with the timber trade.");
  EXPECT_EQ(DbGetNotes(marriages[0], 0, db::kMarriage, 0, 0, 0), "");
}

TEST_F(SampleFamilyTest, CitationsOfTheRegister) {
  const std::int32_t brita = Rin("Brita", "Åkesdotter");
  List cited;
  ASSERT_EQ(DbGetRinList(cited, db::kCitation, brita, db::kOwnerBirth), 1);
  CCitationRecord citation;
  ASSERT_EQ(DbGetRecord(cited[0], db::kCitation, &citation), 1);
  EXPECT_EQ(citation.pageText, "p. 112");
  CSourceRecord source;
  ASSERT_EQ(DbGetRecord(citation.sourceRin, db::kSource, &source), 1);
  EXPECT_EQ(source.title, "Hallstad parish register, births and marriages 1740-1830");
  EXPECT_EQ(source.author, "Hallstad parish");
  EXPECT_EQ(DbGetRinList(cited, db::kCitation, brita, db::kOwnerIndividual), 0);

  const List marriages = Marriages(Rin("Johan Anders", "Lindqvist"));
  ASSERT_EQ(DbGetRinList(cited, db::kCitation, marriages.at(0), db::kOwnerMarriageEvent), 1);
  ASSERT_EQ(DbGetRecord(cited[0], db::kCitation, &citation), 1);
  EXPECT_EQ(citation.pageText, "p. 208");
}

TEST(SampleBuildTest, RefusesAFileThatExists) {
  TempDir dir;
  const std::string file = dir.File("taken.orv");
  WriteAll(file, "mine");
  std::vector<std::string> errors;
  const sample::Description description =
      sample::ParseDescription("person a\n  surname A\n", errors);
  ASSERT_TRUE(errors.empty());
  sample::BuildCounts counts;
  std::string error;
  EXPECT_FALSE(sample::BuildFamilyFile(description, file, counts, error));
  EXPECT_NE(error.find("exists already"), std::string::npos);
  EXPECT_EQ(ReadAll(file), "mine");
  EXPECT_EQ(counts.individuals, 0);
}

}  // namespace
