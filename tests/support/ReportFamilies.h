#pragma once
// Fixture families for report tests, built through the database calls in a
// new family file opened as the current database:
//  - a pedigree collapse through a cousin marriage: Arthur and Beatrice's
//    grandchildren Frank and Helen (first cousins) marry, so their son Kevin
//    has Arthur and Beatrice twice among his great-grandparents;
//  - a divorced couple beside a married one;
//  - living people (born recently, no death) beside dead ones;
//  - notes with a marked ("!") and a confidential ("~") paragraph;
//  - citations of a source on a birth, on a marriage event and on a person,
//    and two (death, burial) that show the same picture of the register;
//  - user events of a person: a dated one with a place and one with a
//    description only;
//  - one person per ordinance status of the baptism, one with a dated
//    baptism in a temple and one with none.

#include <cstdint>
#include <string>
#include <vector>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyLinkRecord.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaItem.h"
#include "OpenFamilyFixture.h"
#include "RecordAccess.h"
#include "SourceRecord.h"
#include "UserEventBuilder.h"

class ReportFamiliesFixture : public OpenFamilyFixture {
 protected:
  struct Collapse {
    std::int32_t arthur = 0, beatrice = 0, charles = 0, diana = 0, edith = 0, george = 0, frank = 0,
                 helen = 0, kevin = 0;
    std::int32_t grandparents = 0, charlesEdith = 0, dianaGeorge = 0, cousins = 0;
  };
  struct Couples {
    std::int32_t divorced = 0, married = 0;
  };
  struct Ordinances {
    std::vector<std::int32_t> byStatus;  // baptism status 13 .. 29, in order
    std::int32_t dated = 0, none = 0;
  };
  struct UserEvents {
    std::int32_t person = 0, occupation = 0, immigration = 0;
  };
  struct Citations {
    std::int32_t source = 0, person = 0, marriage = 0;
    std::int32_t onBirth = 0, onMarriage = 0, onPerson = 0;
    std::int32_t onDeathWithPicture = 0, onBurialWithPicture = 0;
  };

  // "Given Surname" of sex, born in year (0: no birth), dead in year (0: no death).
  static std::int32_t Person(const std::string& given, const std::string& surname, char sex,
                             int born = 0, int died = 0) {
    CIndividualRecord person;
    person.surname = surname;
    person.givenNames[0] = given;
    person.sex = sex;
    if (born != 0) person.birth.date.Set(born, 5, 14);
    if (died != 0) person.death.date.Set(died, 11, 2);
    const auto rin = static_cast<std::int32_t>(family::Add(person, 0));
    EXPECT_GT(rin, 0) << given;
    return rin;
  }
  static std::int32_t Marry(std::int32_t husband, std::int32_t wife) {
    const std::int32_t mrin = DbSetRelation(husband, wife, db::kRelHusband, 0);
    EXPECT_GT(mrin, 0);
    return mrin;
  }
  static void Child(std::int32_t mrin, std::int32_t child) {
    EXPECT_GT(DbSetRelation(child, 0, db::kRelParents, mrin), 0);
  }
  // Sets the relationship letter of child's only parent link (the family
  // file keeps one letter for both parents).
  static void SetParentRelation(std::int32_t child, char letter) {
    std::vector<std::int32_t> links;
    DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, child, 0);
    ASSERT_EQ(links.size(), 1u);
    CFamilyLinkRecord link;
    ASSERT_EQ(DbGetRecord(links[0], db::kFamilyLink, &link), 1);
    link.firstParentRelation = link.secondParentRelation = letter;
    ASSERT_EQ(family::Update(link, 0), 1);
  }
  // Seals child to its parents in a temple in year; answers the parents'
  // family link, on whose sealing the sealing's citations hang.
  static std::int32_t SealToParents(std::int32_t child, int year) {
    std::vector<std::int32_t> links;
    DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, child, 0);
    EXPECT_EQ(links.size(), 1u);
    if (links.empty()) return 0;
    CFamilyLinkRecord link;
    EXPECT_EQ(DbGetRecord(links[0], db::kFamilyLink, &link), 1);
    if (link.GetSealingEvent() == nullptr) {
      ADD_FAILURE() << "no sealing on the link";
      return 0;
    }
    link.GetSealingEvent()->date.Set(year, 1, 2);
    link.GetSealingEvent()->templeCode = "SLAKE";
    EXPECT_EQ(family::Update(link, 0), 1);
    return links[0];
  }
  static void SetMarriageStatus(std::int32_t mrin, char status) {
    CMarriageRecord record;
    ASSERT_EQ(family::Read(record, mrin), 1);
    record.status = status;
    ASSERT_EQ(family::Update(record, 0), 1);
  }

  static Collapse BuildPedigreeCollapse() {
    Collapse f;
    f.arthur = Person("Arthur", "Ashdown", 'M', 1850, 1920);
    f.beatrice = Person("Beatrice", "Bell", 'F', 1853, 1931);
    f.grandparents = Marry(f.arthur, f.beatrice);
    f.charles = Person("Charles", "Ashdown", 'M', 1875, 1940);
    f.diana = Person("Diana", "Ashdown", 'F', 1878, 1950);
    Child(f.grandparents, f.charles);
    Child(f.grandparents, f.diana);
    f.edith = Person("Edith", "Evans", 'F', 1877, 1944);
    f.george = Person("George", "Grant", 'M', 1874, 1939);
    f.charlesEdith = Marry(f.charles, f.edith);
    f.dianaGeorge = Marry(f.george, f.diana);
    f.frank = Person("Frank", "Ashdown", 'M', 1902, 1975);
    f.helen = Person("Helen", "Grant", 'F', 1905, 1988);
    Child(f.charlesEdith, f.frank);
    Child(f.dianaGeorge, f.helen);
    f.cousins = Marry(f.frank, f.helen);
    f.kevin = Person("Kevin", "Ashdown", 'M', 1990);  // living
    Child(f.cousins, f.kevin);
    return f;
  }

  static Couples BuildCouples() {
    Couples c;
    c.divorced = Marry(Person("Ivan", "Irwin", 'M', 1960), Person("Jane", "Jones", 'F', 1962));
    SetMarriageStatus(c.divorced, 'D');
    c.married = Marry(Person("Leo", "Lane", 'M', 1970), Person("Mia", "Moss", 'F', 1972));
    return c;
  }

  // Notes of person: a plain, a marked and a confidential paragraph.
  static void AddNotes(std::int32_t rin) {
    ASSERT_GT(DbSetNotes(rin,
                         "Plain paragraph of notes.\r\n\r\n!Marked paragraph for the reports."
                         "\r\n\r\n~Confidential paragraph kept private.",
                         0, 0, db::kIndividual),
              0);
  }

  static constexpr const char* kRegisterPicture = "register-page.jpg";

  static std::int32_t Cite(std::int32_t source, char ownerLetter, std::int32_t owner,
                           const std::string& page, const std::string& picture = "") {
    CCitationRecord citation;
    if (!picture.empty()) {
      citation.image = std::make_unique<CMultimediaItem>();
      citation.image->fileName = picture;
    }
    citation.sourceRin = source;
    citation.ownerLetter = ownerLetter;
    citation.ownerNumber = owner;
    citation.pageText = page;
    const std::int32_t number = DbAddRecord(db::kCitation, 0, &citation);
    EXPECT_GT(number, 0) << page;
    return number;
  }

  static Citations BuildCitations() {
    Citations c;
    CSourceRecord source;
    source.title = "Parish Register of Saint Mary";
    source.author = "Vicar of Saint Mary";
    c.source = DbAddRecord(db::kSource, 0, &source);
    EXPECT_GT(c.source, 0);
    c.person = Person("Nora", "North", 'F', 1801, 1870);
    c.marriage = Marry(Person("Otto", "North", 'M', 1799, 1860), c.person);
    c.onBirth = Cite(c.source, db::kOwnerBirth, c.person, "folio 12");
    c.onMarriage = Cite(c.source, db::kOwnerMarriageEvent, c.marriage, "folio 40");
    c.onPerson = Cite(c.source, db::kOwnerIndividual, c.person, "folio 41");
    c.onDeathWithPicture = Cite(c.source, db::kOwnerDeath, c.person, "folio 77", kRegisterPicture);
    c.onBurialWithPicture =
        Cite(c.source, db::kOwnerBurial, c.person, "folio 78", kRegisterPicture);
    return c;
  }

  static UserEvents BuildUserEvents() {
    UserEvents u;
    u.person = Person("Paul", "Pratt", 'M', 1880, 1951);
    CDateValue arrived;
    arrived.Set(1906, 4, 17);
    u.immigration =
        AddIndividualUserEvent(u.person, "Immigration", 1, false, [&](CUserEventRecord& e) {
          e.GetEvent()->date = arrived;
          e.GetEvent()->place[0] = "Boston";
        });
    u.occupation = AddIndividualUserEvent(u.person, "Occupation", 0, true,
                                          [](CUserEventRecord& e) { e.description = "Cooper"; });
    return u;
  }

  static Ordinances BuildOrdinances() {
    Ordinances o;
    for (int status = CDateValue::kFirstStatus; status <= CDateValue::kLastStatus; ++status) {
      CIndividualRecord person;
      person.surname = "Status";
      person.givenNames[0] = "Code" + std::to_string(status);
      person.sex = 'M';
      person.baptism.date.Set(0, status);
      const auto rin = static_cast<std::int32_t>(family::Add(person, 0));
      EXPECT_GT(rin, 0) << status;
      o.byStatus.push_back(rin);
    }
    CIndividualRecord dated;
    dated.surname = "Status";
    dated.givenNames[0] = "Dated";
    dated.sex = 'F';
    dated.baptism.date.Set(1910, 6, 1);
    dated.baptism.templeCode = "SLAKE";
    o.dated = static_cast<std::int32_t>(family::Add(dated, 0));
    o.none = Person("None", "Status", 'F', 1911);
    return o;
  }
};
