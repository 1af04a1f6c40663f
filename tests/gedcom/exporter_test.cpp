// The export job over a family file built through the database calls: exact
// bytes of a small family, the reduced living individual, selections of the
// web generator, one-sided families, disks and submission stamps.

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FamilyLinkRecord.h"
#include "GedcomExporter.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "OpenFamilyFixture.h"
#include "PreparerRecord.h"
#include "RecordAccess.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"
#include "UserEventRecord.h"

namespace {

using gedcom::CGedcomExporter;
using gedcom::SelectionEntry;

struct BigDrive : gedcom::GedcomDrive {
  bool IsRemovable(const std::string&) override { return removable; }
  std::uint64_t FreeBytes(const std::string&) override { return capacity; }
  bool removable = false;
  std::uint64_t capacity = 1u << 30;
};

struct SetFilter : gedcom::ExportFilterSet {
  explicit SetFilter(std::set<std::int32_t> r) : rins(std::move(r)) {}
  bool Contains(std::int32_t rin) const override { return rins.count(rin) != 0; }
  std::set<std::int32_t> rins;
};

class ExporterTest : public OpenFamilyFixture {
 protected:
  static std::int32_t Person(const char* given, const char* surname, char sex,
                             const char* born = nullptr, const char* died = nullptr) {
    CIndividualRecord p;
    p.surname = surname;
    p.givenNames[0] = given;
    p.sex = sex;
    if (born) {
      EXPECT_EQ(p.birth.date.Parse(born), 1);
    }
    if (died) {
      EXPECT_EQ(p.death.date.Parse(died), 1);
    }
    return static_cast<std::int32_t>(family::Add(p, 0));
  }
  static std::int32_t Marry(std::int32_t husband, std::int32_t wife) {
    return DbSetRelation(husband, wife, db::kRelHusband, 0);
  }
  static void AddChild(std::int32_t child, std::int32_t mrin) {
    ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, mrin), 0);
  }

  // Runs an export to out.ged and answers the file's text.
  std::string Run(const std::vector<SelectionEntry>* selection, const SetFilter* filter,
                  bool expectComplete = true) {
    CGedcomExporter exporter(drive_);
    exporter.options = options_;
    EXPECT_TRUE(exporter.Open(dir.File("out.ged")));
    exporter.SetFamilyPath(family);
    EXPECT_EQ(exporter.Export(selection, filter), expectComplete);
    exporter.Close();
    summary_ = exporter.Summary();
    return ReadAll(dir.File("out.ged"));
  }
  // The lines of a text without the header (up to the first level-0 line
  // after HEAD).
  static std::string Body(const std::string& text) {
    const std::size_t start = text.find("\r\n0 ", text.find("0 HEAD"));
    return start == std::string::npos ? text : text.substr(start + 2);
  }

  BigDrive drive_;
  gedcom::ExportOptions options_;
  std::string summary_;
};

// Ola (dead, notes, nickname with "@", accent in the wife's name) and Kari
// marry and divorce; their son Per is living and adopted;
// Anne has only a cause of death and a 300-character description.
class SmallFamilyTest : public ExporterTest {
 protected:
  void SetUp() override {
    ExporterTest::SetUp();
    ola = Person("Ola", "Lund", 'M', "4 May 1850", "1920");
    kari = Person("Kari", "Berg\xE9", 'F', nullptr, "1901");
    per = Person("Per", "Lund", 'M', "1990");
    anne = Person("", "Holm", 'F', "1800");
    CIndividualRecord p;
    ASSERT_EQ(family::Read(p, ola), 1);
    p.birth.place[0] = "Bergen";
    p.birth.place[1] = "Hordaland";
    p.nameExtensions[0] = "Ola @ home";  // nickname
    ASSERT_EQ(family::Update(p, 0), 1);
    ASSERT_EQ(family::Read(p, anne), 1);
    p.texts2[0] = "Fever";                // cause of death
    p.texts2[2] = std::string(300, 'd');  // physical description: 255 are stored
    ASSERT_EQ(family::Update(p, 0), 1);
    ASSERT_GT(DbSetNotes(ola, "Sailor at sea.\r\nMail: ola@lund.no", 0, 0, db::kIndividual), 0);
    mrin = Marry(ola, kari);
    CMarriageRecord m;
    ASSERT_EQ(family::Read(m, mrin), 1);
    ASSERT_EQ(m.marriage.date.Parse("12 Jun 1875"), 1);
    m.marriage.place[0] = "Voss";
    m.status = 'D';
    ASSERT_EQ(family::Update(m, 0), 1);
    AddChild(per, mrin);
    std::vector<std::int32_t> links;
    DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, per, 0);
    ASSERT_EQ(links.size(), 1u);
    CFamilyLinkRecord link;
    ASSERT_EQ(DbGetRecord(links[0], db::kFamilyLink, &link), 1);
    link.firstParentRelation = 'a';
    link.secondParentRelation = 'a';
    ASSERT_EQ(DbUpdateRecord(links[0], db::kFamilyLink, &link), 1);
    options_.notesAndSources = 1;
  }
  std::int32_t ola = 0, kari = 0, per = 0, anne = 0, mrin = 0;
};

// The change stamp of a record changed at the fixture's today.
constexpr const char* kChan = "1 CHAN\r\n2 DATE 3 JUL 2001\r\n3 TIME 09:05:00\r\n";

constexpr const char* kHeader55Ansel =
    "0 HEAD\r\n1 SOUR ORV\r\n2 NAME Korvane\r\n2 VERS 1.0.0.0\r\n2 CORP Quenmoor\r\n"
    "3 ADDR 14 Harbour Row\r\n4 CONT Quenmoor Bay\r\n1 DEST ORV\r\n1 DATE 3 JUL 2001\r\n"
    "2 TIME 09:05:00\r\n1 FILE out.ged\r\n1 GEDC\r\n2 VERS 5.5\r\n2 FORM LINEAGE-LINKED\r\n"
    "1 CHAR ANSEL\r\n1 LANG English\r\n";

// The header's FILE line names the file alone, in the export's character
// set, whatever the folder and the file are named.
TEST_F(SmallFamilyTest, FileLineNamesTheFileAlone) {
  options_.form55 = true;
  options_.ansel = false;
  const std::string folder = dir.File("Släkt Åsa");
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  const std::string path = folder + "/Ærø's.ged";
  CGedcomExporter exporter(drive_);
  exporter.options = options_;
  ASSERT_TRUE(exporter.Open(path));
  exporter.SetFamilyPath(family);
  SetFilter none(std::set<std::int32_t>{});
  exporter.Export(nullptr, &none);
  exporter.Close();
  const std::string text = ReadAll(path);
  EXPECT_NE(text.find("\r\n1 FILE \xC6r\xF8's.ged\r\n1 GEDC\r\n"), std::string::npos) << text;
}

TEST_F(SmallFamilyTest, Standard55AnselExactBytes) {
  SetFilter all({ola, kari, per, anne});
  const std::string expected =
      std::string(kHeader55Ansel) +
      "0 @I1@ INDI\r\n1 NAME Ola /Lund/\r\n2 GIVN Ola\r\n2 SURN Lund\r\n2 NICK Ola @@ home\r\n"
      "1 SEX M\r\n1 BIRT\r\n2 DATE 4 MAY 1850\r\n2 PLAC Bergen,Hordaland\r\n1 DEAT\r\n"
      "2 DATE 1920\r\n1 FAMS @F1@\r\n1 NOTE Sailor at sea.\r\n2 CONT Mail: ola@@lund.no\r\n" +
      kChan +
      "0 @I2@ INDI\r\n1 NAME Kari /Berg\xE2"
      "e/\r\n2 GIVN Kari\r\n2 SURN Berg\xE2"
      "e\r\n"
      "1 SEX F\r\n1 DEAT\r\n2 DATE 1901\r\n1 FAMS @F1@\r\n" +
      kChan +
      "0 @I3@ INDI\r\n1 NAME LIVING\r\n1 SEX M\r\n1 FAMC @F1@\r\n2 PEDI adopted\r\n"
      "0 @I4@ INDI\r\n1 NAME /Holm/\r\n2 SURN Holm\r\n1 SEX F\r\n1 BIRT\r\n2 DATE 1800\r\n"
      "1 DEAT Y\r\n2 CAUS Fever\r\n1 DSCR " +
      std::string(93, 'd') + "\r\n2 CONC " + std::string(93, 'd') + "\r\n2 CONC " +
      std::string(69, 'd') + "\r\n" + kChan +
      "0 @F1@ FAM\r\n1 DIV Y\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n"
      "1 MARR\r\n2 DATE 12 JUN 1875\r\n2 PLAC Voss\r\n0 TRLR\r\n";
  EXPECT_EQ(Run(nullptr, &all), expected);
  EXPECT_EQ(summary_, "4 individuals exported\n1 marriages exported");
}

TEST_F(SmallFamilyTest, Gedcom40AnsiForm) {
  options_.form55 = false;
  options_.ansel = false;
  options_.mode = gedcom::kExportGedcom40;
  options_.fullLiving = true;
  SetFilter all({ola, kari, per});
  const std::string text = Run(nullptr, &all);
  EXPECT_NE(text.find("1 SOUR ORV 4.0\r\n"), std::string::npos);
  EXPECT_NE(text.find("2 VERS 4.0\r\n2 FORM LINEAGE-LINKED\r\n1 CHAR ANSI\r\n"), std::string::npos);
  // Names without the 5.5 parts, the wife's accent as stored, notes as NOTE
  // lines, no pedigree lines.
  EXPECT_NE(text.find("1 NAME Ola /Lund/\r\n1 SEX M\r\n"), std::string::npos);
  EXPECT_NE(text.find("1 NAME Kari /Berg\xE9/\r\n"), std::string::npos);
  EXPECT_NE(text.find("1 NOTE Sailor at sea.\r\n1 NOTE Mail: ola@@lund.no\r\n"), std::string::npos);
  EXPECT_NE(text.find("1 FAMC @F1@\r\n0 @F1@ FAM\r\n1 DIV Y\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("1 MARR\r\n2 DATE 12 JUN 1875\r\n2 PLAC Voss\r\n0 TRLR"), std::string::npos);
  for (const char* tag : {"GIVN", "NICK", "PEDI", "CONT"})
    EXPECT_EQ(Body(text).find(std::string(" ") + tag + " "), std::string::npos) << tag;
}

TEST_F(SmallFamilyTest, LivingIndividualByOptions) {
  struct Case {
    bool fullLiving, namesOnLiving;
    std::string record;
  };
  const Case cases[] = {
      {false, false, "0 @I3@ INDI\r\n1 NAME LIVING\r\n1 SEX M\r\n1 FAMC @F1@\r\n"},
      {false, true,
       "0 @I3@ INDI\r\n1 NAME Per /Lund/\r\n2 GIVN Per\r\n2 SURN Lund\r\n1 SEX M\r\n"
       "1 FAMC @F1@\r\n"},
      {true, false,
       "0 @I3@ INDI\r\n1 NAME Per /Lund/\r\n2 GIVN Per\r\n2 SURN Lund\r\n1 SEX M\r\n"
       "1 BIRT\r\n2 DATE 1990\r\n1 FAMC @F1@\r\n"},
  };
  SetFilter all({ola, kari, per});
  for (const Case& c : cases) {
    options_.fullLiving = c.fullLiving;
    options_.namesOnLiving = c.namesOnLiving;
    const std::string text = Run(nullptr, &all);
    EXPECT_NE(text.find(c.record), std::string::npos) << text;
  }
}

TEST_F(SmallFamilyTest, IndividualTextsUnderTheirTags) {
  CIndividualRecord p;
  ASSERT_EQ(family::Read(p, kari), 1);
  p.nameExtensions[0] = "Kaja";
  p.nameExtensions[1] = "Karen";
  p.texts2[0] = "Old age";
  p.texts2[1] = "Lund";
  p.texts2[2] = "Tall";
  p.texts1[0] = "Ref 9";
  p.texts1[1] = "SB-22";
  ASSERT_EQ(family::Update(p, 0), 1);
  SetFilter only({kari});
  const std::string body = Body(Run(nullptr, &only));
  for (const char* line : {"2 NICK Kaja\r\n2 _AKA Karen\r\n2 _MARNM Lund\r\n",
                           "2 DATE 1901\r\n2 CAUS Old age\r\n1 DSCR Tall\r\n1 SBN SB-22\r\n"
                           "1 REFN Ref 9\r\n"})
    EXPECT_NE(body.find(line), std::string::npos) << line << body;
  // The 4.0 form keeps the reference number and leaves out the SBN.
  options_.form55 = false;
  options_.mode = gedcom::kExportGedcom40;
  const std::string form40 = Body(Run(nullptr, &only));
  EXPECT_NE(form40.find("1 DSCR Tall\r\n1 REFN Ref 9\r\n"), std::string::npos) << form40;
  EXPECT_EQ(form40.find("SBN"), std::string::npos) << form40;
}

TEST_F(SmallFamilyTest, DeathCauseWrittenUnderOneDeat) {
  struct Case {
    const char* died;
    const char* cause;
    std::string lines;
  };
  const Case cases[] = {
      {nullptr, "Fever", "1 DEAT Y\r\n2 CAUS Fever\r\n"},
      {"Deceased", "Fever", "1 DEAT Y\r\n2 CAUS Fever\r\n"},
      {"Deceased", "", "1 DEAT Y\r\n"},
      {"Dead", "", "1 DEAT\r\n2 DATE DEAD\r\n"},
      {"1821", "Fever", "1 DEAT\r\n2 DATE 1821\r\n2 CAUS Fever\r\n"},
      {"1821", "", "1 DEAT\r\n2 DATE 1821\r\n"},
  };
  for (const Case& c : cases) {
    CIndividualRecord p;
    ASSERT_EQ(family::Read(p, anne), 1);
    p.death.date = CDateValue{};
    if (c.died) {
      ASSERT_EQ(p.death.date.Parse(c.died), 1);
    }
    p.texts2[0] = c.cause;
    ASSERT_EQ(family::Update(p, 0), 1);
    SetFilter only({anne});
    const std::string body = Body(Run(nullptr, &only));
    EXPECT_NE(body.find(c.lines), std::string::npos) << body;
    EXPECT_EQ(body.find("1 DEAT"), body.rfind("1 DEAT")) << body;
  }
}

TEST_F(SmallFamilyTest, EmptySelectionWritesHeaderAndTrailer) {
  SetFilter none(std::set<std::int32_t>{});
  EXPECT_EQ(Run(nullptr, &none), std::string(kHeader55Ansel) + "0 TRLR\r\n");
  EXPECT_EQ(Run(nullptr, nullptr), std::string(kHeader55Ansel) + "0 TRLR\r\n");
}

TEST_F(SmallFamilyTest, CitationsBringTheirSourcesAndRepositories) {
  CRepositoryRecord archive;
  archive.name = "State Archive";
  archive.address[0] = "Box 1";
  archive.address[2] = "Bergen";
  const std::int32_t repo = DbAddRecord(db::kRepository, 0, &archive);
  ASSERT_GT(repo, 0);
  CSourceRecord book;
  book.title = "Parish book";
  book.author = "Vicar";
  book.repositoryRin = repo;
  const std::int32_t source = DbAddRecord(db::kSource, 0, &book);
  ASSERT_GT(source, 0);
  auto cite = [&](std::int32_t src, char kind, const char* page) {
    CCitationRecord c;
    c.sourceRin = src;
    c.pageText = page;
    c.ownerLetter = kind;
    c.ownerNumber = ola;
    const std::int32_t n = DbAddRecord(db::kCitation, 0, &c);
    ASSERT_GT(n, 0);
    ASSERT_GT(DbLinkRecord(n, db::kCitation, ola, kind), 0);
  };
  cite(source, db::kOwnerBirth, "p. 12");
  options_.notesAndSources = 3;
  SetFilter only({ola});
  const std::string body = Body(Run(nullptr, &only));
  EXPECT_NE(body.find("2 PLAC Bergen,Hordaland\r\n2 SOUR @S1@\r\n3 PAGE p. 12\r\n1 DEAT"),
            std::string::npos)
      << body;
  EXPECT_NE(body.find("2 CONT Mail: ola@@lund.no\r\n" + std::string(kChan) +
                      "0 @S1@ SOUR\r\n"
                      "1 REPO @REPO1@\r\n1 TITL Parish book\r\n1 AUTH Vicar\r\n"
                      "0 @REPO1@ REPO\r\n1 NAME State Archive\r\n1 ADDR Box 1\r\n"
                      "2 CONT Bergen\r\n0 TRLR\r\n"),
            std::string::npos)
      << body;
  // The 4.0 form writes them as notes with headings, and no SOUR record.
  options_.form55 = false;
  options_.mode = gedcom::kExportGedcom40;
  const std::string form40 = Body(Run(nullptr, &only));
  EXPECT_NE(form40.find("1 NOTE !BIRTH: "), std::string::npos) << form40;
  EXPECT_NE(form40.find("p. 12"), std::string::npos) << form40;
  EXPECT_EQ(form40.find("SOUR"), std::string::npos) << form40;
  options_.form55 = true;
  options_.mode = gedcom::kExportStandard;

  // Without bit 1 the citations, and with them the source, stay out.
  options_.notesAndSources = 1;
  const std::string notesOnly = Run(nullptr, &only);
  EXPECT_EQ(notesOnly.find("SOUR @S1@"), std::string::npos);
  EXPECT_EQ(notesOnly.find("0 @S1@"), std::string::npos);
}

TEST_F(SmallFamilyTest, OrdinancesWithTheZelOption) {
  CIndividualRecord p;
  ASSERT_EQ(family::Read(p, ola), 1);
  ASSERT_EQ(p.baptism.date.Parse("1 Jan 1900"), 1);
  p.baptism.templeCode = "SLAKE";
  p.endowment.date.Set(0, CDateValue::kStatusCompleted);  // a status alone
  ASSERT_EQ(family::Update(p, 0), 1);
  CMarriageRecord m;
  ASSERT_EQ(family::Read(m, mrin), 1);
  ASSERT_EQ(m.sealingToSpouse.date.Parse("2 Feb 1910"), 1);
  m.sealingToSpouse.templeCode = "LOGAN";
  ASSERT_EQ(family::Update(m, 0), 1);
  SetFilter all({ola, kari});

  const std::string without = Body(Run(nullptr, &all));
  for (const char* tag : {"BAPL", "ENDL", "SLGS", "TEMP"})
    EXPECT_EQ(without.find(tag), std::string::npos) << tag;

  options_.zel = true;
  const std::string body = Body(Run(nullptr, &all));
  EXPECT_NE(body.find("1 BAPL\r\n2 DATE 1 JAN 1900\r\n2 TEMP SLAKE\r\n1 ENDL\r\n"
                      "2 STAT COMPLETED\r\n1 FAMS"),
            std::string::npos)
      << body;
  EXPECT_NE(body.find("1 MARR\r\n2 DATE 12 JUN 1875\r\n2 PLAC Voss\r\n1 SLGS\r\n"
                      "2 DATE 2 FEB 1910\r\n2 TEMP LOGAN\r\n"),
            std::string::npos)
      << body;
}

TEST_F(SmallFamilyTest, ProgressAndCancel) {
  plat::FakeProgress progress;
  plat::ScopedProgress scoped(&progress);
  SetFilter all({ola, kari, per, anne});
  options_.mode = gedcom::kExportLineroll;
  Run(nullptr, &all);
  EXPECT_EQ(progress.titles, (std::vector<std::string>{"GEDCOM Export"}));
  EXPECT_EQ(progress.texts,
            (std::vector<std::string>{"Type: Lineroll", "Selecting data for export...",
                                      "Type: Lineroll"}));
  EXPECT_EQ(progress.ends, 1);
  EXPECT_TRUE(boxes.Calls().empty());

  // Cancel, then No: the export goes on; Cancel again, then Yes: the file
  // goes and the summary says so.
  progress.cancelAfter = 2;
  boxes.QueueAnswer(plat::kIdNo);
  boxes.QueueAnswer(plat::kIdYes);
  CGedcomExporter exporter(drive_);
  exporter.options = options_;
  ASSERT_TRUE(exporter.Open(dir.File("quit.ged")));
  EXPECT_FALSE(exporter.Export(nullptr, &all));
  exporter.Close();
  EXPECT_TRUE(exporter.Cancelled());
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(boxes.Calls()[0].text,
            "Export is not complete.\n\nIf you quit now, you will likely have problems with "
            "your file.\n\nAre you sure you want to quit?");
  EXPECT_EQ(boxes.Calls()[0].flags, plat::kMbYesNo | plat::kMbIconExclamation);
  EXPECT_FALSE(std::filesystem::exists(dir.File("quit.ged")));
  EXPECT_EQ(exporter.Summary().rfind("The GEDCOM export was cancelled", 0), 0u);
  EXPECT_EQ(exporter.IndividualsWritten(), 1);
}

TEST_F(SmallFamilyTest, UserEventsTaggedUntaggedAndConfidential) {
  CEventTypeRecord apprenticeship;
  apprenticeship.title = "Apprenticeship";
  apprenticeship.shortTitle = "Apprent";
  apprenticeship.verbPhrase = "apprenticed";
  const std::int32_t untagged = DbAddRecord(db::kEventType, 0, &apprenticeship);
  ASSERT_GT(untagged, 0);
  CEventTypeRecord emigration;
  emigration.title = "Emigration";
  emigration.tag = "EMIG";
  emigration.hasTag = 1;
  const std::int32_t tagged = DbAddRecord(db::kEventType, 0, &emigration);
  ASSERT_GT(tagged, 0);
  auto add = [&](std::int32_t type, const char* description, char confidential) {
    CUserEventRecord ev(ola, db::kOwnerIndividual, type, 0);
    ev.SetDescription(description);
    ev.yesNo = confidential;
    const long n = family::Add(ev, 0);
    ASSERT_GT(n, 0);
    ASSERT_GT(DbLinkRecord(static_cast<std::int32_t>(n), db::kUserEvent, ola, db::kOwnerIndividual),
              0);
  };
  add(untagged, "as a miller", 'N');
  add(tagged, "to Dakota", 'Y');
  SetFilter only({ola});
  std::string body = Body(Run(nullptr, &only));
  EXPECT_NE(body.find("1 EVEN as a miller\r\n2 TYPE Apprenticeship\r\n1 NOTE"), std::string::npos)
      << body;
  EXPECT_EQ(body.find("EMIG"), std::string::npos);
  EXPECT_NE(body.find("0 _EVENT_DEFN Apprenticeship\r\n1 TYPE I\r\n1 TITL Apprenticeship\r\n"
                      "2 ABBR Apprent\r\n1 _VERB apprenticed\r\n1 _DATE_TYPE 1\r\n0 TRLR"),
            std::string::npos)
      << body;

  options_.confidential = true;
  options_.mode = gedcom::kExportStirpbank;  // no event definitions outside mode 3
  body = Body(Run(nullptr, &only));
  EXPECT_NE(body.find("2 TYPE Apprenticeship\r\n1 EMIG to Dakota\r\n2 _CONFIDENTIAL Y\r\n"),
            std::string::npos)
      << body;
  EXPECT_EQ(body.find("_EVENT_DEFN"), std::string::npos);
}

TEST_F(SmallFamilyTest, MultimediaWithTheOption) {
  CMultimediaItem photo;
  photo.fileName = "/pictures/ola.jpg";
  photo.caption = "Ola at sea";
  photo.kind = CMultimediaItem::kPhoto;
  photo.flags = CMultimediaItem::kFlagDefault;
  auto sound = std::make_unique<CMultimediaItem>();
  sound->fileName = "/sounds/song.wav";
  sound->kind = CMultimediaItem::kSound;
  sound->flags = CMultimediaItem::kFlagScrapbook;
  photo.next = std::move(sound);
  ASSERT_GE(DbSaveMultimediaChain(ola, &photo, db::kIndividual), 0);
  SetFilter only({ola});
  EXPECT_EQ(Run(nullptr, &only).find("OBJE"), std::string::npos);
  options_.multimedia = true;
  const std::string body = Body(Run(nullptr, &only));
  EXPECT_NE(body.find("1 OBJE\r\n2 FORM jpg\r\n2 FILE /pictures/ola.jpg\r\n2 TITL Ola at sea\r\n"
                      "2 _SCBK N\r\n2 _PRIM Y\r\n2 _TYPE PHOTO\r\n1 OBJE\r\n2 FORM wav\r\n"
                      "2 FILE /sounds/song.wav\r\n2 _SCBK Y\r\n2 _PRIM N\r\n2 _TYPE SOUND\r\n"
                      "0 TRLR"),
            std::string::npos)
      << body;
}

TEST_F(SmallFamilyTest, RosterlySummary) {
  options_.mode = gedcom::kExportRosterly;
  options_.zel = true;
  options_.submitAllSelected = true;
  SetFilter some({ola, kari, anne});
  const std::string report = dir.File("family.orr");
  // Marking without the report creates no file, and none is opened.
  plat::FakeShell noShell;
  plat::ScopedShell scopedNoShell(&noShell);
  options_.markSubmitted = true;
  Run(nullptr, &some);
  EXPECT_FALSE(std::filesystem::exists(report));
  EXPECT_TRUE(noShell.opened.empty());
  options_.markSubmitted = false;
  options_.submissionReport = true;
  plat::FakeShell shell;
  plat::ScopedShell scopedShell(&shell);
  Run(nullptr, &some);
  EXPECT_EQ(shell.opened, (std::vector<std::string>{report}));
  const std::string sep = "-------------------------------------------------------------------\r\n";
  const std::string pad56 = std::string(56, ' ');
  auto padded = [&](const std::string& name) { return name + pad56.substr(name.size()); };
  // Ten characters, eleven bytes in UTF-8.
  const std::string kari56 = "Kari Berg\xC3\xA9" + pad56.substr(10);
  const std::string expected =
      "Korvane\r\nTemple Names Preparation Summary\r\nFile: " + dir.File("out.ged") +
      "\r\nDate:  3 Jul 2001\r\n" + sep +
      "Instructions: Review the information on the report for accuracy. Then take the labeled "
      "disk to your local Arvendel Center, run the file through the Rosterly program there, and "
      "submit the file that Rosterly creates.\r\n" +
      sep + "Codes:\r\n    B-Baptism\r\n    E-Endowment\r\n    SP-Seal to Parents\r\n" +
      "    SS-Seal to Spouse\r\n" + sep + "Records selected from: " + family + "\r\n" + sep +
      "Individuals                                   Qualified Ordinances\r\n" + sep +
      padded("Ola Lund") + "        \r\n  Birth: 4 May 1850   Bergen, Hordaland\r\n" +
      "B: (Not needed)\r\nE: (Not needed)\r\nSP: (Not qualified) No father\r\n" +
      "This record added to facilitate a sealing to spouse.\r\n---\r\n" + kari56 +
      "        \r\n  Death: 1901   \r\n" + "B: (Not qualified) Missing event date/place\r\n" +
      "E: (Not qualified) Missing event date/place\r\n" +
      "SP: (Not qualified) Missing event date/place\r\n" +
      "This record added to facilitate a sealing to spouse.\r\n---\r\n" + padded("Holm") +
      "        \r\n  Birth: 1800   \r\n" + "B: (Not qualified) Missing event date/place\r\n" +
      "E: (Not qualified) Missing event date/place\r\n" +
      "SP: (Not qualified) Missing event date/place\r\n" +
      "This record added to facilitate a sealing to spouse.\r\n---\r\n" + sep +
      "Total Individual Ordinances -- B: 0  E: 0  SP: 0\r\n\r\n" + sep +
      "Marriages                                     Qualified Ordinances\r\n" + sep +
      padded("Ola Lund") +
      "\r\nKari Berg\xC3\xA9\r\n   Marriage: 12 Jun 1875-MRIN 1 -    Voss\r\n" +
      "SS: (Not needed)\r\n---\r\n" + sep + "Total Marriage Ordinances -- SS: 0\r\n\r\n";
  // The summary is a text for a person to read on this desktop: UTF-8, the
  // accented name as its characters.
  EXPECT_EQ(ReadAll(report), expected);

  // A name of 56 characters or more is not padded: its codes follow it.
  const std::int32_t longName =
      Person(std::string(30, 'G').c_str(), std::string(30, 'S').c_str(), 'M', "1700", "1790");
  some.rins.insert(longName);
  Run(nullptr, &some);
  EXPECT_NE(
      ReadAll(report).find(std::string(30, 'G') + " " + std::string(30, 'S') + "        \r\n"),
      std::string::npos);
}

TEST_F(SmallFamilyTest, RosterlyExportsOnlyWhoNeedsAnOrdinance) {
  const std::int32_t sven = Person("Sven", "Dahl", 'M', "1 Jan 1800", "1 Jan 1880");
  CIndividualRecord p;
  ASSERT_EQ(family::Read(p, sven), 1);
  p.birth.place[0] = "Oslo";
  p.death.place[0] = "Oslo";
  ASSERT_EQ(family::Update(p, 0), 1);
  options_.mode = gedcom::kExportRosterly;
  options_.zel = true;
  SetFilter some({sven, anne, kari});
  const std::string body = Body(Run(nullptr, &some));
  // Anne needs nothing and is nobody's parent or spouse: left out. Kari
  // stays for her sealing to Ola, and her own ordinances are not to be done.
  EXPECT_EQ(body.find("0 @I4@"), std::string::npos) << body;
  const std::size_t kariAt = body.find("0 @I2@ INDI"), svenAt = body.find("0 @I5@ INDI");
  ASSERT_NE(kariAt, std::string::npos);
  ASSERT_NE(svenAt, std::string::npos);
  EXPECT_NE(body.substr(kariAt, svenAt - kariAt)
                .find("2 DATE 1901\r\n1 BAPL\r\n2 STAT DONTDOIT\r\n1 ENDL\r\n2 STAT DONTDOIT\r\n"),
            std::string::npos)
      << body;
  // Sven qualifies for both: nothing held back.
  EXPECT_EQ(body.substr(svenAt).find("DONTDOIT"), std::string::npos) << body;

  // Both spouses selected and their sealing qualifies: the family goes with
  // nothing held back.
  SetFilter couple({ola, kari});
  const std::string family = Body(Run(nullptr, &couple));
  const std::size_t famAt = family.find("0 @F1@ FAM");
  ASSERT_NE(famAt, std::string::npos) << family;
  EXPECT_EQ(family.substr(famAt).find("SLGS"), std::string::npos) << family;

  // With submit-all-selected every selected individual goes.
  options_.submitAllSelected = true;
  const std::string all = Body(Run(nullptr, &some));
  EXPECT_NE(all.find("0 @I4@"), std::string::npos);
  EXPECT_EQ(all.find("DONTDOIT"), std::string::npos);
}

TEST_F(SmallFamilyTest, HeaderByModeFormAndLanguage) {
  struct Case {
    int mode;
    bool form55, ansel;
    const char* language;
    std::string header;
  };
  auto header = [](const char* sour, const char* dest, const char* vers, const char* chr,
                   const char* lang) {
    std::string h = std::string("0 HEAD\r\n1 SOUR ") + sour +
                    "\r\n2 NAME Korvane\r\n2 VERS 1.0.0.0\r\n2 CORP Quenmoor\r\n"
                    "3 ADDR 14 Harbour Row\r\n4 CONT Quenmoor Bay\r\n";
    if (*dest) h += std::string("1 DEST ") + dest + "\r\n";
    h += "1 DATE 3 JUL 2001\r\n2 TIME 09:05:00\r\n1 FILE out.ged\r\n1 GEDC\r\n2 VERS ";
    h += std::string(vers) + "\r\n2 FORM LINEAGE-LINKED\r\n1 CHAR " + chr + "\r\n";
    if (*lang) h += std::string("1 LANG ") + lang + "\r\n";
    return h + "0 TRLR\r\n";
  };
  const Case cases[] = {
      {gedcom::kExportGedcom40, false, true, "EN",
       header("ORV 4.0", "ORV", "4.0", "ANSEL", "English")},
      {gedcom::kExportStirpbank, true, true, "DE",
       header("ORV", "STIRPBNK", "5.5", "ANSEL", "German")},
      {gedcom::kExportRosterly, true, false, "FR",
       header("ORV", "Rosterly", "5.5", "ANSI", "French")},
      {gedcom::kExportStandard, true, true, "PT",
       header("ORV", "ORV", "5.5", "ANSEL", "Portuguese")},
      {gedcom::kExportLineroll, true, true, "ES", header("ORV", "LRL", "5.5", "ANSEL", "Spanish")},
      {7, true, true, "NO", header("ORV", "", "5.5", "ANSEL", "")},
  };
  SetFilter none(std::set<std::int32_t>{});
  for (const Case& c : cases) {
    CGedcomExporter exporter(drive_);
    exporter.options.mode = c.mode;
    exporter.options.form55 = c.form55;
    exporter.options.ansel = c.ansel;
    exporter.program.language = c.language;
    ASSERT_TRUE(exporter.Open(dir.File("out.ged")));
    EXPECT_TRUE(exporter.Export(nullptr, &none));
    exporter.Close();
    EXPECT_EQ(ReadAll(dir.File("out.ged")), c.header) << c.mode;
  }
}

TEST_F(SmallFamilyTest, OutputThatCannotBeCreated) {
  CGedcomExporter exporter(drive_);
  EXPECT_FALSE(exporter.Open(dir.File("no-such-folder/out.ged")));
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Could not create GEDCOM file.");
  EXPECT_EQ(boxes.Calls()[0].caption, "EXPORT FAILED");
  SetFilter none(std::set<std::int32_t>{});
  EXPECT_FALSE(exporter.Export(nullptr, &none));
}

TEST_F(SmallFamilyTest, ContactBlockWithTheOption) {
  CIndividualRecord p;
  ASSERT_EQ(family::Read(p, ola), 1);
  using R = CIndividualRecord;
  p.contact[R::kContactName] = "Ola Lund";
  p.contact[R::kContactAddress1] = "Kaien 2";
  p.contact[R::kContactCity] = "Bergen";
  p.contact[R::kContactPhone] = "555 1234";
  p.contact[R::kContactEmail] = "ola@lund.no";
  ASSERT_EQ(family::Update(p, 0), 1);
  SetFilter only({ola});
  EXPECT_EQ(Run(nullptr, &only).find("1 ADDR"), std::string::npos);
  options_.contact = true;
  EXPECT_NE(Run(nullptr, &only)
                .find("1 ADDR\r\n2 _NAME Ola Lund\r\n2 ADR1 Kaien 2\r\n"
                      "2 CITY Bergen\r\n1 PHON 555 1234\r\n1 _EMAIL ola@@lund.no\r\n"),
            std::string::npos);
}

TEST_F(SmallFamilyTest, SubmitterFromThePreparer) {
  options_.submitter = true;
  SetFilter none(std::set<std::int32_t>{});
  // An empty preparer writes no submitter.
  EXPECT_EQ(Run(nullptr, &none), std::string(kHeader55Ansel) + "0 TRLR\r\n");
  CPreparerRecord prep;
  prep.givenNames = "Siri";
  prep.surname = "Moe";
  prep.address2 = "Storgata 1";
  prep.address3 = "Oslo";
  prep.sbn = "SB-1";
  prep.email = "siri@moe.no";
  ASSERT_EQ(DbUpdateRecord(CPreparerRecord::kRecordNumber, db::kPreparer, &prep), 1);
  const std::string submitter =
      "1 SUBM @SUB1@\r\n0 @SUB1@ SUBM\r\n1 NAME Siri Moe\r\n1 ADDR Storgata 1\r\n"
      "2 CONT Oslo\r\n";
  EXPECT_EQ(Run(nullptr, &none),
            std::string(kHeader55Ansel) + submitter + "1 _EMAIL siri@@moe.no\r\n0 TRLR\r\n");
  options_.mode = gedcom::kExportStirpbank;
  EXPECT_NE(Run(nullptr, &none).find(submitter + "1 SBN SB-1\r\n1 _EMAIL"), std::string::npos);
}

TEST_F(SmallFamilyTest, FamilyWhoseHusbandIsNotExported) {
  SetFilter some({kari, per});
  const std::string body = Body(Run(nullptr, &some));
  EXPECT_EQ(body.find("0 @I1@"), std::string::npos);
  EXPECT_NE(body.find("0 @F1@ FAM\r\n1 DIV Y\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n"), std::string::npos)
      << body;
  EXPECT_NE(body.find("1 FAMS @F1@"), std::string::npos);
}

TEST_F(SmallFamilyTest, FamilyMarkedByALaterIndividualKeepsEarlierLinks) {
  // Ola (RIN 1) does not bring in his marriage (Kari is not selected); Per
  // (RIN 3) does, after Ola was considered: Ola still gets his FAMS line.
  SetFilter some({ola, per});
  const std::string body = Body(Run(nullptr, &some));
  const std::size_t ola = body.find("0 @I1@ INDI"), per = body.find("0 @I3@ INDI");
  ASSERT_NE(ola, std::string::npos);
  EXPECT_NE(body.substr(ola, per - ola).find("1 FAMS @F1@"), std::string::npos) << body;
  EXPECT_NE(body.find("0 @F1@ FAM"), std::string::npos);
}

// Three generations: Gorm and Gunn are Ola's parents; Ola and Kari are
// Per's.
class GenerationsTest : public SmallFamilyTest {
 protected:
  void SetUp() override {
    SmallFamilyTest::SetUp();
    gorm = Person("Gorm", "Lund", 'M', "1800");
    gunn = Person("Gunn", "Dal", 'F', "1802");
    grandparents = Marry(gorm, gunn);
    AddChild(ola, grandparents);
    options_.fullLiving = true;
  }
  std::vector<std::string> Records(const std::vector<SelectionEntry>& selection) {
    const std::string text = Run(&selection, nullptr);
    std::vector<std::string> records;
    for (std::size_t at = text.find("\r\n0 @"); at != std::string::npos;
         at = text.find("\r\n0 @", at + 1))
      records.push_back(text.substr(at + 4, text.find(' ', at + 4) - at - 4));
    return records;
  }
  std::int32_t gorm = 0, gunn = 0, grandparents = 0;
};

TEST_F(GenerationsTest, WebGeneratorDescendantsAndAncestors) {
  using R = std::vector<std::string>;
  // Count 2 (entry 1): the person, spouses, marriages and children.
  EXPECT_EQ(Records({{ola, SelectionEntry::kDescendants, 1}}), (R{"@I1@", "@I2@", "@I3@", "@F1@"}));
  // Count 1 (entry 0): the person alone.
  EXPECT_EQ(Records({{ola, SelectionEntry::kDescendants, 0}}), (R{"@I1@"}));
  // Ancestors, count 2: the person, its parents and its primary parent family.
  EXPECT_EQ(Records({{ola, SelectionEntry::kAncestors, 1}}), (R{"@I1@", "@I5@", "@I6@", "@F2@"}));
  EXPECT_EQ(Records({{ola, SelectionEntry::kAncestors, 0}}), (R{"@I1@"}));
  // Per's grandparents' family is written with its husband and wife, and
  // the marriage of Ola and Kari with Ola's parents as a FAMC.
  EXPECT_EQ(Records({{per, SelectionEntry::kAncestors, 2}}),
            (R{"@I1@", "@I2@", "@I3@", "@I5@", "@I6@", "@F1@", "@F2@"}));
}

TEST_F(GenerationsTest, WalksEndOnACircularReference) {
  // Gorm, Ola's father, is also made a child of Ola and Kari, so both walks
  // meet individuals they have walked already.
  AddChild(gorm, mrin);
  EXPECT_EQ(Records({{per, SelectionEntry::kAncestors, 50}}).size(), 7u);
  EXPECT_EQ(Records({{gorm, SelectionEntry::kDescendants, 50}}).size(), 7u);
}

TEST_F(SmallFamilyTest, RemovableDiskSetAndFullFixedDisk) {
  SetFilter all({ola, kari, per, anne});
  const std::string whole = Run(nullptr, &all);
  // Each disk holds a little more than a third of the file.
  drive_.removable = true;
  drive_.capacity = whole.size() / 3 + 40;
  Run(nullptr, &all);
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_NE(boxes.Calls()[0].text.find("#2 and click OK"), std::string::npos);
  EXPECT_NE(boxes.Calls()[1].text.find("#3 and click OK"), std::string::npos);
  EXPECT_EQ(
      ReadAll(dir.File("out.ged")) + ReadAll(dir.File("out.G00")) + ReadAll(dir.File("out.G01")),
      whole);
  boxes.Clear();

  drive_.removable = false;
  const std::string part = Run(nullptr, &all, false);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Not enough disk space to complete.");
  EXPECT_EQ(part.find("0 TRLR"), std::string::npos);
  EXPECT_EQ(summary_.rfind("The GEDCOM export is not complete.", 0), 0u) << summary_;
}

TEST_F(SmallFamilyTest, SubmissionStampedOnlyAfterTheTrailer) {
  options_.mode = gedcom::kExportStirpbank;
  SetFilter all({ola, kari, per, anne});
  DbFlush();
  const std::string before = ReadAll(family);
  drive_.capacity = 600;  // the header fits, the records do not
  Run(nullptr, &all, false);
  DbFlush();
  EXPECT_EQ(ReadAll(family), before);
  drive_.capacity = 1u << 30;
  Run(nullptr, &all);
  DbFlush();
  EXPECT_NE(ReadAll(family), before);
}

}  // namespace
