#pragma once
// A family built through the database calls that uses every kind of data the
// exporter writes: all name parts, events with places and citations, notes
// with line breaks and "@", tagged and untagged user events, ordinances and
// sealings, each pedigree kind, a divorce, contact data, multimedia, a source
// with its repository, accented letters and a 300-character value.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FamilyLinkRecord.h"
#include "GedcomExporter.h"
#include "ImportFixture.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "RecordAccess.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"
#include "UserEventRecord.h"

// The lines of a GEDCOM text (CR LF ends), a last unended one included.
inline std::vector<std::string> GedcomLines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t at = 0;
  for (std::size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
    out.push_back(text.substr(at, end - at));
  if (at < text.size()) out.push_back(text.substr(at));
  return out;
}

// The NAME lines and the PLAC lines of events of a GEDCOM text.
inline std::vector<std::string> NameAndPlaceLines(const std::string& text) {
  std::vector<std::string> out;
  for (const std::string& line : GedcomLines(text))
    if (line.starts_with("1 NAME ") || line.starts_with("2 PLAC ")) out.push_back(line);
  return out;
}

struct ExportDrive : gedcom::GedcomDrive {
  bool IsRemovable(const std::string&) override { return false; }
  std::uint64_t FreeBytes(const std::string&) override { return 1u << 30; }
};

// Every live individual of the open file.
struct WholeFileFilter : gedcom::ExportFilterSet {
  WholeFileFilter() {
    for (std::int32_t r = DbGetRIN(0, db::kQueryIndividuals, db::kWalkNext); r > 0;
         r = DbGetRIN(r, db::kQueryIndividuals, db::kWalkNext))
      rins.insert(r);
  }
  bool Contains(std::int32_t rin) const override { return rins.count(rin) != 0; }
  std::set<std::int32_t> rins;
};

class ExportFamilyFixture : public ImportFixture {
 protected:
  static std::int32_t Person(const char* given, const char* surname, char sex, const char* born,
                             const char* died) {
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
  static void SetRelations(std::int32_t child, std::int32_t mrin, char father, char mother) {
    ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, mrin), 0);
    std::vector<std::int32_t> links;
    DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, child, 0);
    for (std::int32_t l : links) {
      CFamilyLinkRecord link;
      ASSERT_EQ(DbGetRecord(l, db::kFamilyLink, &link), 1);
      if (link.mrin != mrin) continue;
      link.firstParentRelation = father;
      link.secondParentRelation = mother;
      ASSERT_EQ(DbUpdateRecord(l, db::kFamilyLink, &link), 1);
    }
  }
  static void Cite(std::int32_t source, std::int32_t owner, char kind, const char* page,
                   const char* text) {
    CCitationRecord c;
    c.sourceRin = source;
    c.pageText = page;
    c.actualText = text;
    c.ownerLetter = kind;
    c.ownerNumber = owner;
    const std::int32_t n = DbAddRecord(db::kCitation, 0, &c);
    ASSERT_GT(n, 0);
    ASSERT_GT(DbLinkRecord(n, db::kCitation, owner, kind), 0);
  }
  static void UserEvent(std::int32_t owner, char ownerKind, std::int32_t type,
                        const char* description, char confidential, const char* date = nullptr,
                        const char* place = nullptr) {
    CUserEventRecord ev(owner, ownerKind, type, 0);
    ev.SetDescription(description);
    ev.yesNo = confidential;
    if (CPlaceEventObject* event = ev.GetEvent()) {
      if (date) {
        EXPECT_EQ(event->date.Parse(date), 1);
      }
      if (place) event->place[0] = place;
    }
    const long n = family::Add(ev, 0);
    ASSERT_GT(n, 0);
    ASSERT_GT(DbLinkRecord(static_cast<std::int32_t>(n), db::kUserEvent, owner, ownerKind), 0);
  }

  // Builds the family in the open file.
  void BuildFamily() {
    using R = CIndividualRecord;
    ola = Person("Ola", "Lund", 'M', "4 May 1850", "1920");
    kari = Person("Kari", "Berg\xE9", 'F', "ABT 1852", "1901");
    per = Person("Per", "Lund", 'M', "1990", nullptr);  // living
    anne = Person("Anne Marie", "Holm", 'F', "1800", nullptr);
    nils = Person("Nils", "Lund", 'M', "1878", "1950");
    siri = Person("Siri", "Lund", 'F', "1880", "1960");

    CIndividualRecord p;
    ASSERT_EQ(family::Read(p, ola), 1);
    p.givenNames[1] = "Johan";
    p.title = "Capt.";
    p.suffix = "Sr.";
    p.nameExtensions[0] = "Ola @ home";      // nickname
    p.nameExtensions[1] = "Ole the Sailor";  // also known as
    p.texts2[1] = "Lundberg";                // married name
    p.texts1[0] = "Ref 7";  // custom ID (the import takes one shaped like an SBN for an SBN)
    p.texts1[1] = "SB-1";   // SBN
    p.birth.place[0] = "Bergen";
    p.birth.place[1] = "Hordaland";
    p.death.place[0] = "S\xF8rfjord";
    ASSERT_EQ(p.christening.date.Parse("11 May 1850"), 1);
    p.christening.place[0] = "Bergen";
    ASSERT_EQ(p.burial.date.Parse("3 Mar 1920"), 1);
    p.burial.place[0] = "Voss";
    ASSERT_EQ(p.baptism.date.Parse("1 Jan 1900"), 1);
    p.baptism.templeCode = "SLAKE";
    p.endowment.date.Set(0, CDateValue::kStatusCompleted);  // a status alone
    p.contact[R::kContactName] = "Ola Lund";
    p.contact[R::kContactAddress1] = "Kaien 2";
    p.contact[R::kContactCity] = "Bergen";
    p.contact[R::kContactPostalCode] = "5003";
    p.contact[R::kContactPhone] = "555 1234";
    p.contact[R::kContactEmail] = "ola@lund.no";
    ASSERT_EQ(family::Update(p, 0), 1);

    // Nils qualifies for his own ordinances in a Rosterly submission.
    ASSERT_EQ(family::Read(p, nils), 1);
    p.birth.place[0] = "Voss";
    p.death.place[0] = "Oslo";
    ASSERT_EQ(family::Update(p, 0), 1);

    ASSERT_EQ(family::Read(p, anne), 1);
    p.texts2[0] = "Fever";                // cause of death
    p.texts2[2] = std::string(300, 'd');  // physical description: 255 are stored
    ASSERT_EQ(family::Update(p, 0), 1);

    ASSERT_GT(DbSetNotes(ola, "Sailor at sea.\r\nMail: ola@lund.no", 0, 0, db::kIndividual), 0);
    ASSERT_GT(DbSetNotes(kari,
                         "A long note that runs on past the width of one line so that the "
                         "writer has to continue it on the next line with a CONC line, and "
                         "then some more words to be sure of it.",
                         0, 0, db::kIndividual),
              0);

    mrin = DbSetRelation(ola, kari, db::kRelHusband, 0);
    ASSERT_GT(mrin, 0);
    CMarriageRecord m;
    ASSERT_EQ(family::Read(m, mrin), 1);
    ASSERT_EQ(m.marriage.date.Parse("12 Jun 1875"), 1);
    m.marriage.place[0] = "Voss";
    m.status = 'D';
    ASSERT_EQ(m.sealingToSpouse.date.Parse("2 Feb 1910"), 1);
    m.sealingToSpouse.templeCode = "LOGAN";
    ASSERT_EQ(family::Update(m, 0), 1);
    ASSERT_GT(DbSetNotes(mrin, "Wed at home.", 0, 0, db::kMarriage), 0);

    SetRelations(nils, mrin, 'b', 'b');
    SetRelations(siri, mrin, 'a', 'a');
    SetRelations(per, mrin, 's', 's');
    eva = Person("Eva", "Lund", 'F', "1882", "1970");
    SetRelations(eva, mrin, 'g', 'g');
    olav = Person("Olav", "Lund", 'M', "1884", "1971");
    SetRelations(olav, mrin, 'c', 'c');
    // Olav's custom ID looks like an SBN.
    ASSERT_EQ(family::Read(p, olav), 1);
    p.texts1[0] = "A123";
    ASSERT_EQ(family::Update(p, 0), 1);
    dag = Person("Dag", "Lund", 'M', "1886", "1972");
    SetRelations(dag, mrin, 'd', 'd');
    // Nils is sealed to his parents.
    std::vector<std::int32_t> links;
    DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, nils, 0);
    ASSERT_EQ(links.size(), 1u);
    CFamilyLinkRecord link;
    ASSERT_EQ(DbGetRecord(links[0], db::kFamilyLink, &link), 1);
    COrdinanceValue sealing;
    ASSERT_EQ(sealing.date.Parse("5 Apr 1911"), 1);
    sealing.templeCode = "manti";
    link.SetSealingEvent(std::make_unique<COrdinanceObject>(&sealing, 'S'));
    ASSERT_EQ(DbUpdateRecord(links[0], db::kFamilyLink, &link), 1);
    // Anne is Kari's child by a second marriage to nobody, and Ola's step
    // child there.
    const std::int32_t second = DbSetRelation(kari, 0, db::kRelWife, 0);
    ASSERT_GT(second, 0);
    SetRelations(anne, second, 't', 'b');

    CRepositoryRecord archive;
    archive.name = "State Archive";
    archive.address[0] = "Box 1";
    archive.address[2] = "Bergen";
    const std::int32_t repo = DbAddRecord(db::kRepository, 0, &archive);
    ASSERT_GT(repo, 0);
    CSourceRecord book;
    book.title = "Parish book of Voss";
    book.author = "Vicar @ Voss";
    book.repositoryRin = repo;
    source = DbAddRecord(db::kSource, 0, &book);
    ASSERT_GT(source, 0);
    Cite(source, ola, db::kOwnerBirth, "p. 12", "Ola, son of Gorm");
    CRepositoryRecord library;
    library.name = "City Library";
    library.address[0] = "Main Street 3";
    library.address[1] = "Voss";
    library.phone = "555 9000";
    CSourceRecord census;
    census.title = "Census of 1900";
    census.abbreviatedTitle = "Census";
    census.author = "Statistics Office";
    census.abbreviatedAuthor = "SO";
    census.publication = "Oslo, 1901";
    census.titleSupplement = "vol. 2";
    census.callNumber = "C-1900";
    census.comments = "Microfilm.";
    census.actualText = "Household list.";
    census.italicTitle = 1;
    census.parenthesizeFacts = 1;
    census.repositoryRin = DbAddRecord(db::kRepository, 0, &library);
    ASSERT_GT(census.repositoryRin, 0);
    const std::int32_t censusSource = DbAddRecord(db::kSource, 0, &census);
    ASSERT_GT(censusSource, 0);
    Cite(censusSource, siri, db::kOwnerBirth, "sheet 4", "");
    Cite(censusSource, mrin, db::kOwnerMarriage, "sheet 9", "");
    Cite(censusSource, mrin, db::kOwnerSealingToSpouse, "sheet 10", "");
    Cite(censusSource, ola, db::kOwnerBaptism, "sheet 11", "");
    Cite(censusSource, ola, db::kOwnerBurial, "sheet 12", "");
    Cite(source, mrin, db::kOwnerMarriageEvent, "p. 40", "");
    {
      // A citation with every part, on Kari's death.
      CCitationRecord c;
      c.sourceRin = source;
      c.pageText = "p. 77";
      c.comments = "Hard to read.";
      ASSERT_EQ(c.entryDate.Parse("9 Sep 1901"), 1);
      c.actualText = "Kari died.";
      c.ownerLetter = db::kOwnerDeath;
      c.ownerNumber = kari;
      const std::int32_t n = DbAddRecord(db::kCitation, 0, &c);
      ASSERT_GT(n, 0);
      ASSERT_GT(DbLinkRecord(n, db::kCitation, kari, db::kOwnerDeath), 0);
    }
    Cite(source, ola, db::kOwnerIndividual, "p. 3", "");

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
    UserEvent(ola, db::kOwnerIndividual, untagged, "as a miller", 'N');
    UserEvent(nils, db::kOwnerIndividual, tagged, "to Dakota", 'Y', "1905", "New York");
    CEventTypeRecord banns;
    banns.title = "Banns";
    banns.ownerKind = db::kOwnerMarriage;
    banns.hasDescription = 1;
    const std::int32_t marriageType = DbAddRecord(db::kEventType, 0, &banns);
    ASSERT_GT(marriageType, 0);
    UserEvent(mrin, db::kOwnerMarriage, marriageType, "read twice", 'N', "1 May 1875", "Voss");

    // Siri's christening slot holds her baptism, an alternate birth.
    std::vector<CEventTypeRecord> types;
    DbGetRecord(0, db::kEventTypeList, &types);
    const auto baptism = std::find_if(types.begin(), types.end(),
                                      [](const CEventTypeRecord& t) { return t.tag == "BAPM"; });
    ASSERT_NE(baptism, types.end());
    {
      CIndividualRecord s;
      ASSERT_EQ(family::Read(s, siri), 1);
      ASSERT_EQ(s.christening.date.Parse("2 Feb 1880"), 1);
      s.christening.place[0] = "Voss";
      s.numbers[CIndividualRecord::kChristeningType] = baptism->recordNumber;
      ASSERT_EQ(family::Update(s, 0), 1);
    }

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
  }

  // Imports text into a new family file, which becomes the open one.
  void ImportIntoNewFile(const std::string& text, const std::string& name) {
    DbCloseCurrent();
    family = dir.File(name + ".orv");
    ASSERT_EQ(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    ASSERT_EQ(ImportText(text), 1) << importLog_;
  }

  // Exports the open file to out.ged with options and answers its bytes.
  std::string Export(const gedcom::ExportOptions& options) {
    ExportDrive drive;
    gedcom::CGedcomExporter exporter(drive);
    exporter.options = options;
    EXPECT_TRUE(exporter.Open(dir.File("out.ged")));
    exporter.SetFamilyPath(family);
    WholeFileFilter all;
    EXPECT_TRUE(exporter.Export(nullptr, &all));
    EXPECT_TRUE(exporter.Close());
    exportSummary_ = exporter.Summary();
    return ReadAll(dir.File("out.ged"));
  }

  std::string exportSummary_;  // of the last Export

  std::int32_t ola = 0, kari = 0, per = 0, anne = 0, nils = 0, siri = 0, eva = 0, olav = 0, dag = 0,
               mrin = 0, source = 0;
};
