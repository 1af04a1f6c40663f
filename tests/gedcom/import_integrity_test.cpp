// Odd but readable GEDCOM input: the family file stays sound (Check/Repair
// finds nothing), and what cannot be kept is named in the import log.

#include <gtest/gtest.h>

#include "ImportFixture.h"
#include "MultimediaChain.h"

namespace {

const std::string kHead = "0 HEAD\n1 CHAR ANSI\n";
const std::string kTrailer = "0 TRLR\n";

std::string File(const std::string& body) { return kHead + body + kTrailer; }

class ImportIntegrity : public ImportFixture {
 protected:
  // Imports body and expects a file that Check/Repair finds sound.
  void ImportSound(const std::string& body) {
    ASSERT_EQ(ImportText(File(body)), 1) << importLog_;
    std::string report;
    EXPECT_EQ(CheckProblems(report), 0u) << report;
  }
};

TEST_F(ImportIntegrity, ThePersonWhoIsHusbandIsNotAlsoWife) {
  // Either role may come first; the second one is refused.
  ImportSound(
      "0 @I3@ INDI\n1 NAME Pat /Doe/\n1 SEX M\n1 FAMS @F1@\n"
      "0 @I4@ INDI\n1 NAME Sam /Doe/\n1 FAMS @F2@\n"
      "0 @F1@ FAM\n1 HUSB @I3@\n1 WIFE @I3@\n"
      "0 @F2@ FAM\n1 WIFE @I4@\n1 HUSB @I4@\n");
  EXPECT_EQ(Family("F1").husband, Rin("I3"));
  EXPECT_EQ(Family("F1").wife, 0);
  EXPECT_EQ(Family("F2").husband, 0);
  EXPECT_EQ(Family("F2").wife, Rin("I4"));
  EXPECT_EQ(Person("I4").sex, 'F');
  EXPECT_TRUE(LogHas("'I3' is already the husband in this family; the WIFE line is not kept."))
      << importLog_;
  EXPECT_TRUE(LogHas("'I4' is already the wife in this family; the HUSB line is not kept."));
  EXPECT_FALSE(LogHas("has been defined as the")) << "the refused role sets no sex";
  EXPECT_EQ(Relation(Rin("I3"), db::kRelMarriages), std::vector<std::int32_t>{Rin("F1")});
  EXPECT_EQ(Relation(Rin("I4"), db::kRelMarriages), std::vector<std::int32_t>{Rin("F2")});
}

TEST_F(ImportIntegrity, AFamilyKeepsItsFirstHusbandAndWife) {
  // A second, different spouse line of a role is refused and named in the
  // log; it sets no sex and links the person to no marriage.
  ImportSound(
      "0 @I1@ INDI\n1 NAME Al /Doe/\n1 FAMS @F1@\n"
      "0 @I2@ INDI\n1 NAME Bo /Doe/\n1 FAMS @F1@\n"
      "0 @I3@ INDI\n1 NAME Cy /Roe/\n1 FAMS @F1@\n"
      "0 @I4@ INDI\n1 NAME Di /Roe/\n1 FAMS @F1@\n"
      "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I3@\n1 HUSB @I2@\n1 WIFE @I4@\n");
  EXPECT_EQ(Family("F1").husband, Rin("I1"));
  EXPECT_EQ(Family("F1").wife, Rin("I3"));
  EXPECT_TRUE(LogHas("This family already has a husband; the HUSB line for 'I2' is not kept."))
      << importLog_;
  EXPECT_TRUE(LogHas("This family already has a wife; the WIFE line for 'I4' is not kept."));
  EXPECT_EQ(Person("I2").sex, 'U');
  EXPECT_EQ(Person("I4").sex, 'U');
  EXPECT_TRUE(Relation(Rin("I2"), db::kRelMarriages).empty());
  EXPECT_TRUE(Relation(Rin("I4"), db::kRelMarriages).empty());
  EXPECT_EQ(Relation(Rin("I1"), db::kRelMarriages), std::vector<std::int32_t>{Rin("F1")});
  EXPECT_EQ(Relation(Rin("I3"), db::kRelMarriages), std::vector<std::int32_t>{Rin("F1")});
}

TEST_F(ImportIntegrity, StoredMultimediaLinksDrawNoError) {
  ImportSound(
      "0 @I70@ INDI\n1 NAME A /B/\n1 OBJE\n2 FILE a.jpg\n1 OBJE\n2 FILE b.wav\n"
      "0 @F1@ FAM\n1 HUSB @I70@\n1 OBJE\n2 FILE wedding.jpg\n");
  EXPECT_GT(DbGetMultimediaHead(Rin("I70"), db::kIndividual), 0);
  EXPECT_GT(DbGetMultimediaHead(Rin("F1"), db::kMarriage), 0);
  EXPECT_FALSE(LogHas("Can't store the multimedia links")) << importLog_;
  EXPECT_EQ(importer_->Errors(), 0) << importLog_;
}

TEST_F(ImportIntegrity, EachParentFamilyKeepsTheRelationshipItsLinesGive) {
  // The family file makes a second parent link adopted unless told
  // otherwise; an explicit or default birth is written to the link.
  ImportSound(
      "0 @F3@ FAM\n1 CHIL @I3@\n2 ADOP\n"
      "0 @I1@ INDI\n1 NAME A /B/\n1 FAMC @F1@\n1 FAMC @F2@\n2 PEDI birth\n"
      "0 @I2@ INDI\n1 NAME C /B/\n1 FAMC @F1@\n1 FAMC @F2@\n"
      "0 @I3@ INDI\n1 NAME D /B/\n1 FAMC @F3@\n"
      "0 @I4@ INDI\n1 NAME E /B/\n1 FAMC @F1@\n2 PEDI\n3 TYPE step\n"
      "0 @F1@ FAM\n0 @F2@ FAM\n");
  EXPECT_EQ(Link("I1", "F1").firstParentRelation, 'b');
  EXPECT_EQ(Link("I1", "F2").firstParentRelation, 'b');
  EXPECT_EQ(Link("I2", "F2").firstParentRelation, 'b');
  // A FAMC without PEDI leaves what the family's CHIL line said.
  EXPECT_EQ(Link("I3", "F3").firstParentRelation, 'a');
  EXPECT_EQ(ParentFamilies("I3").size(), 1u);
  // A step child is kept as a foster child: the family file knows no step link.
  EXPECT_EQ(Link("I4", "F1").firstParentRelation, 'g');
}

TEST_F(ImportIntegrity, AttributeDetailsAreKeptOrLogged) {
  ImportSound(
      "0 @S1@ SOUR\n1 TITL Census\n"
      "0 @I1@ INDI\n1 NAME A /B/\n"
      "1 DSCR Tall, dark hair\n2 DATE 1900\n2 PLAC Oslo\n2 SOUR @S1@\n3 PAGE p. 4\n"
      "2 NOTE Seen at the fair\n"
      "1 TITL Jr.\n2 SOUR @S1@\n3 PAGE p. 5\n"
      "1 RELI Lutheran\n2 DATE 1900\n2 SOUR @S1@\n3 PAGE p. 6\n"
      "1 ALIA @I2@\n0 @I2@ INDI\n1 NAME C /D/\n");
  const CIndividualRecord p = Person("I1");
  EXPECT_EQ(p.texts2[2], "Tall, dark hair");
  EXPECT_EQ(p.suffix, "Jr.");
  std::vector<std::string> pages;
  for (const CCitationRecord& c : Citations(Rin("I1"), db::kOwnerIndividual))
    pages.push_back(c.pageText);
  EXPECT_EQ(pages, (std::vector<std::string>{"p. 4", "p. 5"}));
  EXPECT_EQ(DbGetNotes(Rin("I1"), 0, db::kIndividual, 0, 1, 0), "Seen at the fair");
  EXPECT_TRUE(LogHas("Unexpected tag 'DATE' in Individual Attribute.\n\n\t2 DATE 1900\n"))
      << importLog_;
  EXPECT_TRUE(LogHas("Unexpected tag 'PLAC' in Individual Attribute.\n\n\t2 PLAC Oslo\n"));
  EXPECT_TRUE(LogHas("A citation of DSCR is kept as a citation of the individual."));
  EXPECT_TRUE(LogHas("    ALIA pointing to a record: 1\n"));
  // RELI is an event: it keeps its date and citation.
  EXPECT_EQ(UserEvents(Rin("I1"), db::kOwnerIndividual).size(), 1u);
  EXPECT_FALSE(LogHas("in Individual Attribute.\n\n\t2 SOUR")) << importLog_;
}

TEST_F(ImportIntegrity, QualitiesAndScopesAreKeptOrCountedInTheLog) {
  ImportSound(
      "0 @S1@ SOUR\n1 TITL Census\n1 QUAY 3\n"
      "0 @I1@ INDI\n1 NAME A /B/\n"
      "1 BIRT\n2 DATE 1900\n2 SOUR @S1@\n3 QUAY 2\n3 _APPLIES_TO DATE\n"
      "2 SOUR @S1@\n3 QUAY 1\n3 REFN R-7\n2 SOUR @S1@\n3 QUAY high\n");
  const auto citations = Citations(Rin("I1"), db::kOwnerBirth);
  ASSERT_EQ(citations.size(), 3u);
  // What the family file keeps is kept; what it does not is counted once
  // per kind at the end of the log.
  int qualitiesKept = 0, referencesKept = 0;
  for (const CCitationRecord& c : citations) {
    qualitiesKept += c.quality <= 3 ? 1 : 0;
    referencesKept += c.detailText.empty() ? 0 : 1;
  }
  auto counted = [&](const std::string& kind, int count) {
    return count == 0 ? !LogHas("    " + kind + ":")
                      : LogHas("    " + kind + ": " + std::to_string(count) + "\n");
  };
  EXPECT_TRUE(counted("QUAY of a source", 1)) << importLog_;
  EXPECT_TRUE(counted("_APPLIES_TO of a citation", 1));
  EXPECT_TRUE(counted("QUAY of a citation", 2 - qualitiesKept));
  EXPECT_TRUE(counted("REFN of a citation", 1 - referencesKept));
  EXPECT_TRUE(LogHas("Invalid QUAY 'high' of a citation")) << importLog_;
  EXPECT_EQ(importer_->Errors(), 0) << importLog_;
}

TEST_F(ImportIntegrity, EventAddressesAreCountedOncePerKind) {
  const std::string body =
      "0 @I1@ INDI\n1 NAME A /B/\n"
      "1 BIRT\n2 DATE 1900\n2 ADDR Main St 1\n3 CITY Oslo\n2 PHON 555\n"
      "1 RESI\n2 ADDR Kaien 2\n1 OCCU Smith\n2 ADDR Forge lane\n"
      "0 @F1@ FAM\n1 MARR\n2 ADDR Town hall\n";
  ImportSound(body);
  EXPECT_TRUE(LogHas("    ADDR of an event: 4\n    PHON of an event: 1\n")) << importLog_;
  EXPECT_FALSE(LogHas("Unexpected tag 'ADDR'"));
  EXPECT_EQ(importer_->Errors(), 0);
  // With the listing in the notes, the lines are kept there.
  gedcom::ImportOptions options;
  options.listingInNotes = true;
  ASSERT_EQ(ImportText(File(body), options), 1);
  const std::string notes = DbGetNotes(Rin("I1"), 0, db::kIndividual, 0, 1, 0);
  EXPECT_NE(notes.find("2 ADDR Main St 1\r\n3 CITY Oslo"), std::string::npos) << notes;
}

TEST_F(ImportIntegrity, NamePiecesAndNulBytesGiveSoundRecords) {
  ImportSound(
      "0 @I1@ INDI\n1 NAME Jan /ten Meijen/\n2 SPFX ten\n2 SURN Meijen\n"
      "0 @I2@ INDI\n1 NAME Robert /Capet/ de Clermont\n2 GIVN Robert\n2 SURN Capet\n"
      "0 @I3@ INDI\n1 NAME Ola /Nul" +
      std::string(1, '\0') + "lund/\n1 NOTE a" + std::string(1, '\0') + "b\n");
  EXPECT_EQ(Person("I1").surname, "ten Meijen");
  EXPECT_EQ(Person("I2").GetGivenNames(), "Robert de Clermont");
  EXPECT_EQ(Person("I3").surname, "Nullund");
  EXPECT_EQ(DbGetNotes(Rin("I3"), 0, db::kIndividual, 0, 1, 0), "ab");
  EXPECT_TRUE(LogHas("The value holds a NUL byte, which is left out.")) << importLog_;
}

TEST_F(ImportIntegrity, SpouseAgesAtFamilyEventsAreKeptInTheNotes) {
  ImportSound(
      "0 @F1@ FAM\n1 MARR\n2 DATE 1900\n2 HUSB\n3 AGE 25y\n2 WIFE\n3 AGE 22y\n"
      "3 _SHOE 38\n");
  EXPECT_EQ(DbGetNotes(Rin("F1"), 0, db::kMarriage, 0, 1, 0), "HUSB AGE 25y\r\n\r\nWIFE AGE 22y");
  EXPECT_TRUE(LogHas("Unexpected tag '_SHOE' in Event Detail Structure.")) << importLog_;
  EXPECT_FALSE(LogHas("Unexpected tag 'HUSB'"));
}

}  // namespace
