// The record parsers of the GEDCOM import on small hand-written files: what
// each structure becomes in the family file, and what goes to the log.

#include <gtest/gtest.h>

#include "EventTypeRecord.h"
#include "ImportFixture.h"
#include "MultimediaChain.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"
#include "TimeStamp.h"

namespace {

const std::string kHead = "0 HEAD\n1 CHAR ANSI\n";
const std::string kTrailer = "0 TRLR\n";

std::string File(const std::string& body) { return kHead + body + kTrailer; }

using ImportParsers = ImportFixture;

TEST_F(ImportParsers, NameForms) {
  struct Case {
    const char* name;
    const char* sub;  // further lines under NAME
    const char* surname;
    const char* given[3];
  } cases[] = {
      {"John Quincy Adams /Smith/", "", "Smith", {"John", "Quincy", "Adams"}},
      {"John /Smith/ Jr.", "", "Smith", {"John", "Jr.", ""}},
      {"/Smith/", "", "Smith", {"", "", ""}},
      {"Mary  Ann", "", "", {"Mary", "Ann", ""}},
      {"Ann_Marie /Lee_Hall/", "", "Lee Hall", {"Ann", "Marie", ""}},
      // The NAME line's own parts win; the pieces fill what the line lacks.
      {"Bob /Ray/", "2 GIVN Robert James\n2 SURN Raymond\n", "Ray", {"Bob", "", ""}},
      {"Jan /ten Meijen/",
       "2 GIVN Jan\n2 SPFX ten\n2 SURN Meijen\n",
       "ten Meijen",
       {"Jan", "", ""}},
      {"Robert /Capet/ de Clermont",
       "2 GIVN Robert\n2 SURN Capet\n",
       "Capet",
       {"Robert", "de", "Clermont"}},
      {"/Smith/", "2 GIVN John Paul\n", "Smith", {"John", "Paul", ""}},
      {"Anna //", "2 SPFX van der\n2 SURN Berg\n", "van der Berg", {"Anna", "", ""}},
      {"", "2 GIVN Eva\n2 SURN Holm\n", "Holm", {"Eva", "", ""}},
      {"", "", "<Living>", {"", "", ""}},
  };
  std::string body;
  int n = 0;
  for (const Case& c : cases)
    body += "0 @I" + std::to_string(++n) + "@ INDI\n1 NAME " + c.name + "\n" + c.sub;
  ASSERT_EQ(ImportText(File(body)), 1);
  n = 0;
  for (const Case& c : cases) {
    const CIndividualRecord p = Person("I" + std::to_string(++n));
    EXPECT_EQ(p.surname, c.surname) << c.name;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(p.givenNames[i], c.given[i]) << c.name << " " << i;
  }
}

TEST_F(ImportParsers, NamePiecesThatDisagreeWithTheNameLineAreLogged) {
  ASSERT_EQ(ImportText(File("0 @I1@ INDI\n1 NAME Bob /Ray/\n2 GIVN Robert\n2 SURN Raymond\n"
                            "0 @I2@ INDI\n1 NAME Jan /ten Meijen/\n2 GIVN jan\n2 SPFX ten\n"
                            "2 SURN Meijen\n")),
            1);
  EXPECT_TRUE(LogHas("The NAME line gives the given names 'Bob'; GIVN 'Robert' is not kept."))
      << importLog_;
  EXPECT_TRUE(LogHas("The NAME line gives the surname 'Ray'; 'Raymond' is not kept."));
  EXPECT_FALSE(LogHas("'jan'")) << "pieces that agree with the line are not named";
  EXPECT_FALSE(LogHas("SPFX")) << importLog_;
}

TEST_F(ImportParsers, NameParts) {
  ASSERT_EQ(ImportText(File("0 @I1@ INDI\n1 NAME Al /Poe/\n2 NPFX Dr.\n2 NSFX III\n2 NICK Ally\n"
                            "2 _AKA Edgar\n2 _MARNM Grey\n1 NAME Second /Name/\n")),
            1);
  const CIndividualRecord p = Person("I1");
  EXPECT_EQ(p.title, "Dr.");
  EXPECT_EQ(p.suffix, "III");
  EXPECT_EQ(p.nameExtensions[0], "Ally");
  EXPECT_EQ(p.nameExtensions[1], "Edgar");
  EXPECT_EQ(p.texts2[1], "Grey");
  EXPECT_EQ(p.surname, "Poe");
  EXPECT_TRUE(
      LogHas("ORV cannot store more than one name per individual.\n\n\t1 NAME Second /Name/\n"))
      << importLog_;
}

TEST_F(ImportParsers, OwnEventsThenUserEvents) {
  ASSERT_EQ(ImportText(File("0 @I1@ INDI\n1 NAME A /B/\n"
                            "1 BIRT\n2 DATE 1 JAN 1900\n2 PLAC Town, County, State, Land\n"
                            "1 BIRT\n2 DATE 2 JAN 1900\n"
                            "1 DEAT\n2 DATE 1950\n2 CAUS Fever\n"
                            "1 OCCU Smith\n"
                            "1 EVEN\n2 TYPE Military\n"
                            "1 EVEN Knighted\n"
                            "1 EVEN\n")),
            1);
  const CIndividualRecord p = Person("I1");
  EXPECT_EQ(p.birth.place[0], "Town");
  EXPECT_EQ(p.birth.place[3], "Land");
  EXPECT_FALSE(p.death.date.ToString().empty());
  EXPECT_EQ(p.texts2[0], "Fever");
  const auto events = UserEvents(Rin("I1"), db::kOwnerIndividual);
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0], "Birth");
  EXPECT_EQ(events[2], "Military");
  EXPECT_EQ(events[3], "Knighted");
  EXPECT_EQ(events[4], "Event");
  EXPECT_TRUE(LogHas("'EVEN' tag missing subordinate 'TYPE' tag; using 'Knighted'"));
  EXPECT_TRUE(LogHas("'EVEN' tag missing subordinate 'TYPE' tag; using 'Event'"));
  EXPECT_TRUE(LogHas("Custom event 'Military' added; edit this event to add missing fields."));
  EXPECT_FALSE(LogHas("Custom event 'OCCU'")) << "OCCU is a default event type";
}

TEST_F(ImportParsers, PedigreeWordsSetTheFamilyLink) {
  // The family file keeps one relationship for both parents: a second one,
  // or a status, is named in the log.
  struct Case {
    const char* lines;
    char relation;
    const char* logged;
  } cases[] = {
      {"", 'b', nullptr},
      {"2 PEDI adopted\n", 'a', nullptr},
      {"2 PEDI Foster\n", 'g', nullptr},
      {"2 PEDI step\n", 'g', nullptr},
      {"2 PEDI sealing\n", 's', nullptr},
      {"2 PEDI birth\n", 'b', nullptr},
      {"2 PEDI\n3 TYPE step\n", 'g', nullptr},
      {"2 PEDI challenged\n", 'c', "The status 'c' of the child 'I8' in family 'F1' is not kept."},
      {"2 PEDI birth\n3 _WIFE adopted\n", 'b',
       "The child 'I9' has the relationships 'b' and 'a' to the parents of family 'F1'; 'b' is "
       "kept for both."},
  };
  std::string body = "0 @F1@ FAM\n";
  int n = 0;
  for (const Case& c : cases)
    body += "0 @I" + std::to_string(++n) + "@ INDI\n1 NAME X /Y/\n1 FAMC @F1@\n" + c.lines;
  ASSERT_EQ(ImportText(File(body)), 1);
  n = 0;
  for (const Case& c : cases) {
    const CFamilyLinkRecord link = Link("I" + std::to_string(++n), "F1");
    EXPECT_EQ(link.firstParentRelation, c.relation) << c.lines;
    if (c.logged) {
      EXPECT_TRUE(LogHas(c.logged)) << c.logged << "\n" << importLog_;
    }
  }
}

TEST_F(ImportParsers, ChildLinesOfAFamily) {
  ASSERT_EQ(ImportText(File("0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n"
                            "1 CHIL @I3@\n2 ADOP\n1 CHIL @I4@\n2 _FREL step\n2 _MREL nonsense\n"
                            "0 @I1@ INDI\n1 NAME Dad /Y/\n0 @I2@ INDI\n1 NAME Mum /Y/\n"
                            "0 @I5@ INDI\n1 NAME Famc /Only/\n1 FAMC @F1@\n"
                            "0 @I3@ INDI\n1 NAME Kid /Y/\n0 @I4@ INDI\n1 NAME Kid2 /Y/\n")),
            1);
  // The listed children first, then the one linked only by its FAMC line.
  EXPECT_EQ(Children("F1"), (std::vector<std::int32_t>{Rin("I3"), Rin("I4"), Rin("I5")}));
  EXPECT_EQ(Link("I3", "F1").firstParentRelation, 'a');
  EXPECT_EQ(Link("I3", "F1").secondParentRelation, 'a');
  EXPECT_EQ(Link("I4", "F1").firstParentRelation, 'g');
  EXPECT_TRUE(LogHas("Unknown child-to-mother relationship 'nonsense'."));
  EXPECT_EQ(Person("I1").sex, 'M');
  EXPECT_EQ(Person("I2").sex, 'F');
}

TEST_F(ImportParsers, DivorceLines) {
  ASSERT_EQ(ImportText(File("0 @F1@ FAM\n1 DIV N\n0 @F2@ FAM\n1 DIV\n"
                            "0 @F3@ FAM\n1 DIV\n2 DATE 1910\n")),
            1);
  EXPECT_EQ(Family("F1").status, 'M');
  EXPECT_EQ(Family("F2").status, 'D');
  EXPECT_TRUE(UserEvents(Rin("F2"), db::kOwnerMarriage).empty());
  EXPECT_EQ(Family("F3").status, 'D');
  EXPECT_EQ(UserEvents(Rin("F3"), db::kOwnerMarriage).size(), 1u);
}

TEST_F(ImportParsers, NotesBeforeAndAfterTheirRecordAreLinkedAlike) {
  ASSERT_EQ(ImportText(File("0 @N1@ NOTE Early note\n"
                            "0 @I1@ INDI\n1 NAME A /B/\n1 NOTE @N1@\n1 NOTE @N2@\n1 NOTE Inline\n"
                            "1 NOTE @I1@\n1 NOTE @N9@\n"
                            "0 @N2@ NOTE Late note\n1 CONT second line\n")),
            1);
  const std::string notes = DbGetNotes(Rin("I1"), 0, db::kIndividual, 0, 1, 0);
  EXPECT_EQ(notes, "Inline\r\n\r\nEarly note\r\n\r\nLate note\r\nsecond line");
  EXPECT_TRUE(LogHas("Individual 'I1' referenced non-note pointer 'I1'.")) << importLog_;
  EXPECT_TRUE(LogHas("Individual 'I1' referenced undefined note 'N9'."));
}

TEST_F(ImportParsers, ImportNotesOffSkipsNotesAndSaysSoOnce) {
  gedcom::ImportOptions options;
  options.importNotes = false;
  ASSERT_EQ(ImportText(File("0 @N1@ NOTE A\n0 @I1@ INDI\n1 NAME A /B/\n1 NOTE @N1@\n1 NOTE Text\n"),
                       options),
            1);
  EXPECT_EQ(DbGetNotes(Rin("I1"), 0, db::kIndividual, 0, 1, 0), "");
  const std::size_t first = importLog_.find("Notes are not imported");
  ASSERT_NE(first, std::string::npos) << importLog_;
  EXPECT_EQ(importLog_.find("Notes are not imported", first + 1), std::string::npos);
}

TEST_F(ImportParsers, CitationsKeepFileOrderAndTextSourcesBecomeSources) {
  ASSERT_EQ(
      ImportText(File("0 @S1@ SOUR\n1 TITL Parish book\n"
                      "0 @I1@ INDI\n1 NAME A /B/\n"
                      "1 BIRT\n2 DATE 1900\n2 SOUR @S1@\n3 PAGE p. 1\n2 SOUR @S1@\n3 PAGE p. 2\n"
                      "3 QUAY 2\n3 DATA\n4 TEXT copied\n"
                      "1 SOUR A letter from grandma\n2 NOTE kept in a box\n")),
      1);
  const auto birth = Citations(Rin("I1"), db::kOwnerBirth);
  ASSERT_EQ(birth.size(), 2u);
  EXPECT_EQ(birth[0].pageText, "p. 1");
  EXPECT_EQ(birth[1].pageText, "p. 2");
  EXPECT_EQ(birth[1].actualText, "copied");
  const auto own = Citations(Rin("I1"), db::kOwnerIndividual);
  ASSERT_EQ(own.size(), 1u);
  EXPECT_EQ(own[0].comments, "kept in a box");
  CSourceRecord letter;
  ASSERT_EQ(DbGetRecord(own[0].sourceRin, db::kSource, &letter), 1);
  EXPECT_EQ(letter.title, "A letter from grandma");
  EXPECT_EQ(CountLive(db::kQuerySources), 2);
  EXPECT_TRUE(LogHas("    Sources:      2\n"));
}

TEST_F(ImportParsers, SourceTitleAndAbbreviation) {
  ASSERT_EQ(ImportText(File("0 @S1@ SOUR\n1 TITL Long title\n"
                            "0 @S2@ SOUR\n1 TITL Long title\n1 ABBR Short\n1 AUTH Me\n1 PUBL 1901\n"
                            "1 REPO @R1@\n2 CALN 12\n3 MEDI Book\n"
                            "0 @R1@ REPO\n1 NAME Archive\n")),
            1);
  CSourceRecord s1, s2;
  ASSERT_EQ(DbGetRecord(Rin("S1"), db::kSource, &s1), 1);
  ASSERT_EQ(DbGetRecord(Rin("S2"), db::kSource, &s2), 1);
  EXPECT_EQ(s1.abbreviatedTitle, "Long title");
  EXPECT_EQ(s2.abbreviatedTitle, "Short");
  EXPECT_EQ(s2.author, "Me");
  EXPECT_EQ(s2.publication, "1901");
  EXPECT_EQ(s2.repositoryRin, Rin("R1"));
  EXPECT_EQ(s2.callNumber, "12");
  EXPECT_EQ(s2.comments, "Source Media Type: Book");
}

TEST_F(ImportParsers, RepositoryAddresses) {
  ASSERT_EQ(ImportText(File(
                "0 @R1@ REPO\n1 NAME Town hall\n1 ADDR\n2 CITY Leiden\n2 CTRY Netherlands\n"
                "0 @R2@ REPO\n1 NAME Library\n1 ADDR Main St 1\n2 ADR2 Floor 2\n2 CITY Ely\n"
                "2 POST 123\n2 CITY Again\n2 FOO x\n2 _EMAIL a@@b.c\n"
                "1 ADDR Second address\n1 PHON 1\n1 PHON 2\n1 PHON 3\n1 PHON 4\n1 _URL www\n")),
            1);
  CRepositoryRecord r1, r2;
  ASSERT_EQ(DbGetRecord(Rin("R1"), db::kRepository, &r1), 1);
  ASSERT_EQ(DbGetRecord(Rin("R2"), db::kRepository, &r2), 1);
  EXPECT_EQ(r1.address[0], "Leiden, Netherlands");
  EXPECT_EQ(r1.address[1], "");
  EXPECT_EQ(r2.address[0], "Main St 1");
  EXPECT_EQ(r2.address[1], "Floor 2");
  EXPECT_EQ(r2.address[2], "Ely, 123");
  EXPECT_EQ(r2.phone, "1");
  for (const char* line :
       {"'CITY' is already defined.", "Ignoring invalid tag 'FOO'.",
        "A repository has no field for '_EMAIL'", "A repository has no field for '_URL'",
        "Too many phones defined.", "this further ADDR is not kept."})
    EXPECT_TRUE(LogHas(line)) << line << "\n" << importLog_;
}

TEST_F(ImportParsers, AnIdentifierOfOneKindIsNotTakenForAnother) {
  ASSERT_EQ(ImportText(File("0 @X1@ INDI\n1 NAME Only /Person/\n"
                            "0 @X1@ FAM\n1 HUSB @X1@\n0 @S1@ SOUR\n1 TITL Book\n"
                            "0 @F1@ FAM\n1 HUSB @F1@\n1 WIFE @X1@\n1 CHIL @S1@\n"
                            "0 @I2@ INDI\n1 FAMS @S1@\n1 SOUR @X1@\n")),
            1);
  EXPECT_EQ(CountLive(db::kQueryIndividuals), 2);
  EXPECT_EQ(CountLive(db::kQueryMarriages), 1);
  EXPECT_EQ(CountLive(db::kQuerySources), 1);
  EXPECT_TRUE(LogHas("'@X1@' is a family here, but it names an individual.")) << importLog_;
  EXPECT_TRUE(LogHas("'@F1@' is an individual here, but it names a family."));
  EXPECT_TRUE(LogHas("'@S1@' is an individual here, but it names a source."));
  EXPECT_TRUE(LogHas("'@S1@' is a family here, but it names a source."));
  EXPECT_TRUE(LogHas("'@X1@' is a source here, but it names an individual."));
  EXPECT_TRUE(Relation(Rin("I2"), db::kRelMarriages).empty());
  EXPECT_TRUE(Citations(Rin("I2"), db::kOwnerIndividual).empty());
  EXPECT_EQ(Family("F1").husband, 0);
  EXPECT_EQ(Family("F1").wife, Rin("X1"));
  EXPECT_EQ(Person("X1").surname, "Person");
  EXPECT_TRUE(LogHas("    Individuals:  2\n    Marriages:    1\n"));
}

TEST_F(ImportParsers, EveryUndefinedKindIsLogged) {
  ASSERT_EQ(ImportText(File("0 @I1@ INDI\n1 NAME A /B/\n1 FAMS @F9@\n1 SOUR @S9@\n"
                            "0 @F1@ FAM\n1 HUSB @I9@\n0 @S1@ SOUR\n1 REPO @R9@\n")),
            1);
  for (const char* line :
       {"The individual 'I9' was not defined.", "The family 'F9' was not defined.",
        "The source 'S9' was not defined.", "The repository 'R9' was not defined."})
    EXPECT_TRUE(LogHas(line)) << line << "\n" << importLog_;
  EXPECT_EQ(Person("I9").surname, "<Unknown>");
}

TEST_F(ImportParsers, UnexpectedStructuresGoToTheLogAndOptionallyToTheNotes) {
  const std::string text = File("0 @I1@ INDI\n1 NAME A /B/\n1 _COLOR blue\n2 _SHADE dark\n");
  gedcom::ImportOptions options;
  options.listingInNotes = true;
  ASSERT_EQ(ImportText(text, options), 1);
  EXPECT_TRUE(LogHas(
      "Unexpected tag '_COLOR' in Individual Record.\n\n\t1 _COLOR blue\n\t2 _SHADE dark\n\n"))
      << importLog_;
  EXPECT_EQ(DbGetNotes(Rin("I1"), 0, db::kIndividual, 0, 1, 0),
            "1 _COLOR blue\r\n2 _SHADE dark\r\n");
}

TEST_F(ImportParsers, OrdinancesAndTempleCodes) {
  ASSERT_EQ(ImportText(File("0 @I1@ INDI\n1 NAME A /B/\n"
                            "1 BAPL\n2 DATE 1 JAN 1950\n2 TEMP ZZQX-2\n"
                            "1 ENDL\n2 STAT COMPLETED\n"
                            "0 @F1@ FAM\n1 SLGS\n2 DATE 1960\n2 TEMP WQZ\n")),
            1);
  const CIndividualRecord p = Person("I1");
  EXPECT_FALSE(p.baptism.date.ToString().empty());
  EXPECT_EQ(p.baptism.templeCode, "ZZQX-2");
  EXPECT_TRUE(LogHas("Unknown temple code 'ZZQX-2' used in ZEL Ordinance.")) << importLog_;
  EXPECT_FALSE(p.endowment.date.ToString().empty());
  EXPECT_FALSE(Family("F1").sealingToSpouse.date.ToString().empty());
  EXPECT_EQ(Family("F1").sealingToSpouse.templeCode, "WQZ");
}

TEST_F(ImportParsers, OldSourceSystemGivesTheOrdinanceDateOnItsLine) {
  ASSERT_EQ(ImportText("0 HEAD\n1 SOUR ORV 2.1\n1 CHAR ANSI\n"
                       "0 @I1@ INDI\n1 NAME A /B/\n1 BAPL 3 MAR 1940\n2 TEMP SLAKE\n0 TRLR\n"),
            1);
  const CIndividualRecord p = Person("I1");
  EXPECT_FALSE(p.baptism.date.ToString().empty());
  EXPECT_EQ(p.baptism.templeCode, "");
}

TEST_F(ImportParsers, MultimediaLinksAndRecords) {
  ASSERT_EQ(ImportText(File("0 @I1@ INDI\n1 NAME A /B/\n"
                            "1 OBJE @M1@\n"
                            "1 OBJE\n2 FILE face.jpg\n2 TITL Face\n2 _PRIM Y\n"
                            "1 OBJE\n2 TITL No file here\n"
                            "1 OBJE @M9@\n"
                            "1 OBJE\n2 FILE song.wav\n2 _TYPE sound\n"
                            "0 @M1@ OBJE\n1 FILE house.png\n2 FORM png\n2 TITL The house\n")),
            1);
  std::vector<CMultimediaItem> items;
  for (std::int32_t r = DbGetMultimediaHead(Rin("I1"), db::kIndividual); r > 0;) {
    items.emplace_back();
    ASSERT_EQ(DbGetRecord(r, db::kMultimedia, &items.back()), 1);
    r = items.back().nextRecordNumber;
    ASSERT_LE(items.size(), 10u);
  }
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].fileName, "house.png");
  EXPECT_EQ(items[0].caption, "The house");
  EXPECT_EQ(items[1].fileName, "face.jpg");
  EXPECT_TRUE(items[1].IsDefault());
  EXPECT_EQ(items[2].kind, 'S');
  EXPECT_TRUE(LogHas("A multimedia link of 'I1' has no FILE and is skipped.")) << importLog_;
  EXPECT_TRUE(LogHas("The multimedia object 'M9' was not defined."));
}

TEST_F(ImportParsers, MultimediaKindFollowsTheFileUnlessTypeSaysOtherwise) {
  struct Case {
    const char* lines;  // the OBJE's lines below it
    char kind;
  } cases[] = {
      {"2 FILE song.wav\n", 'S'},
      {"2 FILE Tune.MID\n", 'S'},
      {"2 FILE organ.rmi\n", 'S'},
      {"2 FILE clip.avi\n", 'V'},
      {"2 FILE film.mpg\n", 'V'},
      {"2 FILE movie.MOV\n", 'V'},
      {"2 FILE face.jpg\n", 'P'},
      {"2 FORM wav\n2 FILE recording\n", 'S'},
      {"2 FILE recording\n3 FORM avi\n", 'V'},
      {"2 FILE scan\n2 FORM bmp\n", 'P'},
      // A stated type wins over the file's extension.
      {"2 FILE voice.wav\n2 _TYPE PHOTO\n", 'P'},
      {"2 FILE still.jpg\n2 _TYPE video\n", 'V'},
  };
  std::string body;
  int n = 0;
  for (const Case& c : cases)
    body += "0 @I" + std::to_string(++n) + "@ INDI\n1 NAME A /B/\n1 OBJE\n" + c.lines;
  // An OBJE record is read the same way.
  body += "0 @I99@ INDI\n1 NAME C /D/\n1 OBJE @M1@\n0 @M1@ OBJE\n1 FILE hymn.wav\n";
  ASSERT_EQ(ImportText(File(body)), 1);
  auto kindOf = [&](const std::string& xref) {
    CMultimediaItem item;
    const std::int32_t r = DbGetMultimediaHead(Rin(xref), db::kIndividual);
    EXPECT_GT(r, 0) << xref;
    EXPECT_EQ(DbGetRecord(r, db::kMultimedia, &item), 1) << xref;
    return item.kind;
  };
  n = 0;
  for (const Case& c : cases) EXPECT_EQ(kindOf("I" + std::to_string(++n)), c.kind) << c.lines;
  EXPECT_EQ(kindOf("I99"), 'S');
  EXPECT_FALSE(LogHas("Multimedia Object")) << importLog_;
}

TEST_F(ImportParsers, SealingsToParentsGoToTheFamilyLink) {
  ASSERT_EQ(ImportText(File("0 @F1@ FAM\n1 CHIL @I1@\n2 SLGC 3 MAR 1950\n3 TEMP LOGAN\n"
                            "1 CHIL @I2@\n2 SLGC sometime\n"
                            "0 @I1@ INDI\n1 NAME A /B/\n0 @I2@ INDI\n1 NAME C /B/\n"
                            "0 @I3@ INDI\n1 NAME D /B/\n1 SLGC\n2 DATE 4 APR 1960\n2 FAMC @F1@\n")),
            1);
  const CFamilyLinkRecord first = Link("I1", "F1");
  ASSERT_NE(first.GetSealingEvent(), nullptr);
  EXPECT_FALSE(first.GetSealingEvent()->GetDateString().empty());
  EXPECT_EQ(first.GetSealingEvent()->templeCode, "LOGAN");
  EXPECT_TRUE(LogHas("Invalid SLGC date 'sometime'")) << importLog_;
  const CFamilyLinkRecord third = Link("I3", "F1");
  ASSERT_NE(third.GetSealingEvent(), nullptr);
  EXPECT_FALSE(third.GetSealingEvent()->GetDateString().empty());
  EXPECT_EQ(Children("F1"), (std::vector<std::int32_t>{Rin("I1"), Rin("I2"), Rin("I3")}));
}

TEST_F(ImportParsers, AFileThatDoesNotOpenIsToldToTheUser) {
  EXPECT_EQ(Import(dir.File("missing.ged")), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_NE(boxes.Calls()[0].text.find("missing.ged"), std::string::npos);
  EXPECT_TRUE(shell_.opened.empty());
}

TEST_F(ImportParsers, EventDefinitionsFillOnlyNewEventTypes) {
  ASSERT_EQ(ImportText(File(
                "0 _EVENT_DEFN _KNIGHT\n1 TITL Knighthood\n2 ABBR Kn.\n1 TYPE I\n"
                "1 _VERB was knighted\n1 _PREP at\n1 _DATE_TYPE 2\n"
                "0 _EVENT_DEFN OCCU\n1 TITL Job of work\n"
                "0 @I1@ INDI\n1 NAME A /B/\n1 EVEN\n2 TYPE _KNIGHT\n2 DATE 1950\n1 OCCU Baker\n")),
            1);
  const auto events = UserEvents(Rin("I1"), db::kOwnerIndividual);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0], "Knighthood");
  EXPECT_NE(events[1], "Job of work");
  CEventTypeRecord knight;
  EXPECT_GT(DbFindEventType("Knighthood", knight), 0);
  EXPECT_EQ(knight.verbPhrase, "was knighted");
  EXPECT_EQ(knight.placePreposition, "at");
  EXPECT_EQ(knight.shortTitle, "Kn.");
  EXPECT_EQ(knight.dateKind, 2);
}

TEST_F(ImportParsers, EventDefinitionAfterItsEventsAndConfidentialEvents) {
  // The export writes the definitions after the records that use them; a
  // definition without _DESC_FLAG or _DATE_TYPE says 0.
  ASSERT_EQ(ImportText(File("0 @I1@ INDI\n1 NAME A /B/\n1 EVEN as a miller\n2 TYPE Apprenticeship\n"
                            "1 EMIG to Dakota\n2 _CONFIDENTIAL Y\n1 IMMI to Oslo\n"
                            "0 _EVENT_DEFN Apprenticeship\n1 TYPE I\n1 TITL Apprenticeship\n"
                            "2 ABBR Apprent\n1 _VERB apprenticed\n")),
            1);
  CEventTypeRecord type;
  ASSERT_GT(DbFindEventType("Apprenticeship", type), 0);
  EXPECT_EQ(type.shortTitle, "Apprent");
  EXPECT_EQ(type.verbPhrase, "apprenticed");
  EXPECT_EQ(type.dateKind, 0);
  EXPECT_EQ(type.hasDescription, 0);
  std::vector<std::int32_t> list;
  DbGetRinList(list, db::kUserEvent, Rin("I1"), db::kOwnerIndividual);
  std::vector<char> confidential;
  for (std::int32_t e : list) {
    CUserEventRecord ev;
    ASSERT_EQ(DbGetRecord(e, db::kUserEvent, &ev), 1);
    confidential.push_back(ev.yesNo == 'Y' ? 'Y' : 'N');
  }
  EXPECT_EQ(confidential, (std::vector<char>{'N', 'Y', 'N'}));
}

TEST_F(ImportParsers, LongIdentifiersAreKeptWhole) {
  const std::string a = "A_VERY_LONG_IDENTIFIER_SHARED_BY_TWO_1";
  const std::string b = "A_VERY_LONG_IDENTIFIER_SHARED_BY_TWO_2";
  ASSERT_EQ(ImportText(File("0 @" + a + "@ INDI\n1 NAME One /X/\n0 @" + b +
                            "@ INDI\n1 NAME Two /X/\n0 @F1@ FAM\n1 HUSB @" + a + "@\n1 WIFE @" + b +
                            "@\n")),
            1);
  EXPECT_EQ(CountLive(db::kQueryIndividuals), 2);
  EXPECT_EQ(Family("F1").husband, Rin(a));
  EXPECT_EQ(Family("F1").wife, Rin(b));
  EXPECT_FALSE(LogHas("multiply defined")) << importLog_;
}

TEST_F(ImportParsers, AnAlternateBirthTakesTheChristeningSlot) {
  ASSERT_EQ(ImportText(File("0 @I1@ INDI\n1 NAME A /B/\n"
                            "1 BAPM\n2 _ALT_BIRTH Y\n2 DATE 2 FEB 1880\n2 PLAC Voss\n"
                            "2 SOUR Parish book\n"
                            "1 BAPM\n2 _ALT_BIRTH Y\n2 DATE 1881\n"
                            "0 @I2@ INDI\n1 NAME C /D/\n1 CHR\n2 DATE 1890\n"
                            "1 EVEN\n2 TYPE Naming\n2 _ALT_BIRTH Y\n2 DATE 1891\n")),
            1)
      << importLog_;
  const CIndividualRecord a = Person("I1");
  EXPECT_EQ(a.christening.date.year, 1880);
  EXPECT_EQ(a.christening.place[0], "Voss");
  CEventTypeRecord type;
  ASSERT_EQ(DbGetRecord(a.numbers[CIndividualRecord::kChristeningType], db::kEventType, &type), 1);
  EXPECT_EQ(type.tag, "BAPM");
  std::vector<std::int32_t> citations;
  DbGetRinList(citations, db::kCitation, Rin("I1"), db::kOwnerChristening);
  EXPECT_EQ(citations.size(), 1u);
  // The slot holds one event: a second alternate birth stays a user event.
  std::vector<std::int32_t> events;
  DbGetRinList(events, db::kUserEvent, Rin("I1"), db::kOwnerIndividual);
  EXPECT_EQ(events.size(), 1u);
  // A christening already in the slot keeps it.
  const CIndividualRecord c = Person("I2");
  EXPECT_EQ(c.christening.date.year, 1890);
  EXPECT_EQ(c.numbers[CIndividualRecord::kChristeningType], 0);
  events.clear();
  DbGetRinList(events, db::kUserEvent, Rin("I2"), db::kOwnerIndividual);
  EXPECT_EQ(events.size(), 1u);
}

TEST_F(ImportParsers, SourceSystemContactForms) {
  using R = CIndividualRecord;
  // One source system writes the six address fields as the lines of ADDR.
  ASSERT_EQ(ImportText("0 HEAD\n1 SOUR KVT\n2 VERS 5.00\n1 CHAR ANSI\n"
                       "0 @I1@ INDI\n1 NAME A /B/\n1 ADDR Kaien 2\n2 CONT Loft\n2 CONT Bergen\n"
                       "2 CONT Vestland\n2 CONT 5003\n2 CONT Norway\n2 PHON 555\n2 CITY X\n"
                       "0 TRLR\n"),
            1);
  const R a = Person("I1");
  EXPECT_EQ(a.contact[R::kContactAddress1], "Kaien 2");
  EXPECT_EQ(a.contact[R::kContactAddress2], "Loft");
  EXPECT_EQ(a.contact[R::kContactCity], "Bergen");
  EXPECT_EQ(a.contact[R::kContactState], "Vestland");
  EXPECT_EQ(a.contact[R::kContactPostalCode], "5003");
  EXPECT_EQ(a.contact[R::kContactCountry], "Norway");
  EXPECT_EQ(a.contact[R::kContactPhone], "555");
  EXPECT_TRUE(LogHas("CITY")) << importLog_;

  // Another writes the contact as an event of type "Address".
  ASSERT_EQ(ImportText("0 HEAD\n1 SOUR Marlok\n2 VERS 2.0\n1 CHAR ANSI\n"
                       "0 @I1@ INDI\n1 NAME A /B/\n1 EVEN\n2 TYPE address\n"
                       "2 ADDR Ola Lund\n3 CONT Kaien 2\n3 CONT Salem, New York 12345\n"
                       "2 PHON 555-1234\n"
                       "1 EVEN\n2 TYPE Voyage\n2 DATE 1900\n0 TRLR\n"),
            1);
  const R b = Person("I1");
  EXPECT_EQ(b.contact[R::kContactName], "Ola Lund");
  EXPECT_EQ(b.contact[R::kContactAddress1], "Kaien 2");
  EXPECT_EQ(b.contact[R::kContactCity], "Salem");
  EXPECT_EQ(b.contact[R::kContactState], "New York");
  EXPECT_EQ(b.contact[R::kContactPostalCode], "12345");
  EXPECT_EQ(b.contact[R::kContactPhone], "555-1234");
  std::vector<std::int32_t> events;
  DbGetRinList(events, db::kUserEvent, Rin("I1"), db::kOwnerIndividual);
  EXPECT_EQ(events.size(), 1u);  // only the voyage

  // Without that source system an "Address" event stays an event.
  ASSERT_EQ(ImportText(File("0 @I1@ INDI\n1 NAME A /B/\n1 EVEN\n2 TYPE Address\n2 DATE 1900\n")),
            1);
  EXPECT_EQ(Person("I1").contact[R::kContactName], "");
  events.clear();
  DbGetRinList(events, db::kUserEvent, Rin("I1"), db::kOwnerIndividual);
  EXPECT_EQ(events.size(), 1u);
}

TEST_F(ImportParsers, ChangeDatesAreKept) {
  ASSERT_EQ(ImportText(File("0 @I1@ INDI\n1 NAME A /B/\n1 CHAN\n2 DATE 3 MAR 2001\n"
                            "3 TIME 10:20:30\n"
                            "0 @I2@ INDI\n1 NAME C /D/\n1 CHAN\n2 DATE 4 APR 2002\n"
                            "0 @I3@ INDI\n1 NAME E /F/\n1 CHAN\n2 DATE ABT 2003\n"
                            "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n")),
            1)
      << importLog_;
  CTimeStamp first, second;
  first.SetStamp(Person("I1").numbers[CIndividualRecord::kUpdatedStamp]);
  EXPECT_EQ(first.local.tm_year + 1900, 2001);
  EXPECT_EQ(first.local.tm_mon, 2);
  EXPECT_EQ(first.local.tm_mday, 3);
  EXPECT_EQ(first.local.tm_hour * 3600 + first.local.tm_min * 60 + first.local.tm_sec, 37230);
  second.SetStamp(Person("I2").numbers[CIndividualRecord::kUpdatedStamp]);
  EXPECT_EQ(second.local.tm_year + 1900, 2002);
  EXPECT_EQ(second.local.tm_hour, 0);
  // A date that names no day leaves the import's own stamp.
  CTimeStamp third;
  third.SetStamp(Person("I3").numbers[CIndividualRecord::kUpdatedStamp]);
  EXPECT_NE(third.local.tm_year + 1900, 2003);
  EXPECT_FALSE(LogHas("Unexpected tag")) << importLog_;
}

TEST_F(ImportParsers, CitationAppliesToAndIdentifier) {
  ASSERT_EQ(ImportText(File("0 @S1@ SOUR\n1 TITL Book\n0 @I1@ INDI\n1 NAME A /B/\n"
                            "1 BIRT\n2 DATE 1900\n2 SOUR @S1@\n3 _APPLIES_TO DATE_AND_PLACE\n"
                            "3 _RIN 7\n2 SOUR @S1@\n3 _APPLIES_TO date\n3 _RIN 7\n")),
            1);
  EXPECT_TRUE(LogHas("Invalid value 'date'.  Use DATE, PLACE, or DATE_AND_PLACE.")) << importLog_;
  EXPECT_FALSE(LogHas("DATE_AND_PLACE'")) << importLog_;
  EXPECT_FALSE(LogHas("_RIN")) << importLog_;
  // A repeated identifier still makes a citation of its own.
  std::vector<std::int32_t> citations;
  DbGetRinList(citations, db::kCitation, Rin("I1"), db::kOwnerBirth);
  EXPECT_EQ(citations.size(), 2u);
}

TEST_F(ImportParsers, AReferenceShapedLikeAnSbnIsTheSbnExceptInOurOwnExport) {
  struct Case {
    const char* head;
    const char* sbn;
    const char* reference;
  } cases[] = {
      {"0 HEAD\n1 SOUR OTHER\n1 GEDC\n2 VERS 5.5\n", "A123", ""},
      {"0 HEAD\n1 SOUR ORV\n1 GEDC\n2 VERS 4.0\n", "A123", ""},
      {"0 HEAD\n1 SOUR ORV\n1 GEDC\n2 VERS 5.5\n", "", "A123"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(ImportText(std::string(c.head) + "1 CHAR ANSI\n0 @I1@ INDI\n1 NAME A /B/\n"
                                               "1 REFN A123\n0 TRLR\n"),
              1);
    const CIndividualRecord p = Person("I1");
    EXPECT_EQ(p.texts1[1], c.sbn) << c.head;
    EXPECT_EQ(p.texts1[0], c.reference) << c.head;
  }
}

TEST_F(ImportParsers, ASexSaidToBeUnknownStaysUnknownInASpouseRole) {
  ASSERT_EQ(ImportText(File("0 @I1@ INDI\n1 NAME A /B/\n1 SEX U\n0 @I2@ INDI\n1 NAME C /B/\n"
                            "0 @I3@ INDI\n1 NAME D /B/\n1 SEX U\n1 FAMS @F1@\n1 FAMS @F2@\n"
                            "0 @F1@ FAM\n1 WIFE @I1@\n1 HUSB @I2@\n0 @F2@ FAM\n1 WIFE @I3@\n")),
            1);
  EXPECT_EQ(Person("I1").sex, 'U');
  EXPECT_EQ(Person("I2").sex, 'M');
  // Said in the log, as the file states it.
  for (const char* x : {"I1", "I3"})
    EXPECT_TRUE(LogHas("An individual of unknown sex (" + std::string(x) +
                       ") has been defined as the wife in a family."))
        << importLog_;
  EXPECT_FALSE(LogHas("(I2) has been defined as the")) << importLog_;
  EXPECT_TRUE(LogHas("Can't determine the sex of individual 'I3'."));
}

TEST_F(ImportParsers, EventDefinitionShortFieldsAreTakenAsTheyFit) {
  ASSERT_EQ(ImportText(File("0 _EVENT_DEFN Hebrew Month Naming\n1 TYPE I\n"
                            "1 TITL Hebrew Month Naming\n2 ABBR Hebrew Month Naming\n"
                            "0 _EVENT_DEFN Apprenticeship\n1 TYPE I\n1 TITL Apprenticeship\n"
                            "2 ABBR Apprenticed\n1 ABBR App\n")),
            1);
  CEventTypeRecord naming, apprenticeship;
  ASSERT_GT(DbFindEventType("Hebrew Month Naming", naming), 0);
  EXPECT_EQ(naming.shortTitle, "") << "the export's stand-in for no short title";
  EXPECT_FALSE(LogHas("Hebrew Month Naming' is cut")) << importLog_;
  ASSERT_GT(DbFindEventType("Apprenticeship", apprenticeship), 0);
  EXPECT_TRUE(
      LogHas("The short title 'Apprenticed' of the event type 'Apprenticeship' is cut to '" +
             apprenticeship.shortTitle + "'."))
      << importLog_;
  EXPECT_TRUE(LogHas("The abbreviation 'App' of the event type 'Apprenticeship' is cut to '" +
                     apprenticeship.abbreviation + "'."));
}

}  // namespace
