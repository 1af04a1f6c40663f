// Key event dates and citation owner labels read from a family file built
// through the database calls.
#include <gtest/gtest.h>

#include <string>

#include "CitationOwnerLabel.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "KeyEventDate.h"
#include "MarriageRecord.h"
#include "OpenFamilyFixture.h"
#include "RecordAccess.h"
#include "StoredKeyEventDate.h"
#include "TextRoutines.h"
#include "UserEventRecord.h"

namespace {

class KeyEventDbTest : public OpenFamilyFixture {
 protected:
  static std::int32_t AddPerson(const char* given, char sex) {
    CIndividualRecord person;
    person.surname = "Lund";
    person.givenNames[0] = given;
    person.sex = sex;
    return static_cast<std::int32_t>(family::Add(person, 0));
  }
  static void SetEvent(CEventValue& event, const char* date, const char* town, const char* county) {
    ASSERT_EQ(event.date.Parse(date), 1) << date;
    event.place[0] = town;
    event.place[1] = county;
  }
  static std::int32_t Marry(std::int32_t husband, std::int32_t wife, const char* date,
                            const char* town) {
    const std::int32_t m = DbSetRelation(husband, wife, db::kRelHusband, 0);
    EXPECT_GT(m, 0);
    CMarriageRecord marriage;
    EXPECT_EQ(family::Read(marriage, m), 1);
    if (date) SetEvent(marriage.marriage, date, town, "Vestland");
    EXPECT_EQ(family::Update(marriage, 0), 1);
    return m;
  }
};

TEST_F(KeyEventDbTest, FirstKnownEventOfStoredIndividuals) {
  // Only a christening.
  const std::int32_t ola = AddPerson("Ola", 'M');
  CIndividualRecord person;
  ASSERT_EQ(family::Read(person, ola), 1);
  SetEvent(person.christening, "4 May 1850", "Bergen", "Hordaland");
  SetEvent(person.death, "1920", "Oslo", "");
  ASSERT_EQ(family::Update(person, 0), 1);

  // No birth or christening: the first marriage with a year counts before death.
  const std::int32_t kari = AddPerson("Kari", 'F');
  const std::int32_t per = AddPerson("Per", 'M');
  const std::int32_t nils = AddPerson("Nils", 'M');
  ASSERT_EQ(family::Read(person, kari), 1);
  SetEvent(person.death, "1901", "Voss", "");
  ASSERT_EQ(family::Update(person, 0), 1);
  Marry(per, kari, nullptr, nullptr);
  Marry(nils, kari, "Abt 1875", "Voss");

  std::string text, place;
  EXPECT_EQ(GetKeyEventDate(ola, text, &place, true), 'c');
  EXPECT_EQ(text, "c.1850");
  EXPECT_EQ(place, "Bergen, Hordaland");

  EXPECT_EQ(GetKeyEventDate(kari, text, &place, true), 'm');
  EXPECT_EQ(text, "m.1875");
  EXPECT_EQ(place, "Voss, Vestland");
  EXPECT_EQ(GetKeyEventDate(kari, text, &place, false), 'd');
  EXPECT_EQ(text, "d.1901");
  EXPECT_EQ(place, "Voss");
  EXPECT_EQ(GetKeyEventDate(kari, text, nullptr, true), 'm');

  // Nothing known; then a number that is no individual.
  place = "x";
  EXPECT_EQ(GetKeyEventDate(per, text, &place, true), 0);
  EXPECT_EQ(text, "");
  EXPECT_EQ(place, "");
  text = "x";
  EXPECT_EQ(GetKeyEventDate(99, text, &place, true), 0);
  EXPECT_EQ(text, "");
  // A failed read does not leave another individual to pass for it.
  EXPECT_EQ(GetKeyEventDate(ola, text, &place, true), 'c');
  EXPECT_EQ(text, "c.1850");
}

TEST_F(KeyEventDbTest, AnotherFileIsReadAfresh) {
  const std::int32_t ola = AddPerson("Ola", 'M');
  CIndividualRecord person;
  ASSERT_EQ(family::Read(person, ola), 1);
  SetEvent(person.christening, "1850", "Bergen", "");
  ASSERT_EQ(family::Update(person, 0), 1);
  std::string text;
  EXPECT_EQ(GetKeyEventDate(ola, text, nullptr, true), 'c');
  DbCloseCurrent();

  // The same number in another file is another individual.
  const std::string other = dir.File("other.orv");
  ASSERT_EQ(DbCreate(other, CFamilyDatabase::kCurrentFormat), 1);
  ASSERT_EQ(DbOpen(other, CFamilyDatabase::kCurrentFormat), 1);
  const std::int32_t eli = AddPerson("Eli", 'F');
  ASSERT_EQ(eli, ola);
  ASSERT_EQ(family::Read(person, eli), 1);
  SetEvent(person.birth, "1702", "Leeds", "");
  ASSERT_EQ(family::Update(person, 0), 1);
  EXPECT_EQ(GetKeyEventDate(eli, text, nullptr, true), 'b');
  EXPECT_EQ(text, "b.1702");
}

TEST_F(KeyEventDbTest, CitationOwnerLabels) {
  const std::int32_t ola = AddPerson("Ola", 'M');
  CEventTypeRecord kind;
  kind.title = "Apprenticeship";
  kind.shortTitle = "Apprent";
  const std::int32_t kindNumber = DbAddRecord(db::kEventType, 0, &kind);
  ASSERT_GT(kindNumber, 0);
  CUserEventRecord event(ola, db::kOwnerIndividual, kindNumber, 0);
  const auto eventNumber = family::Add(event, 0);
  ASSERT_GT(eventNumber, 0);
  CUserEventRecord untyped(ola, db::kOwnerIndividual, 0, 0);
  const auto untypedNumber = family::Add(untyped, 0);
  ASSERT_GT(untypedNumber, 0);

  struct Case {
    char letter;
    long number;
    const char* label;
  } cases[] = {
      {db::kOwnerBirth, 0, "Birth"},
      {db::kOwnerFamilyLink, 0, "Sealing to Parent"},
      {db::kOwnerMarriage, 0, "Marriage Record"},
      {db::kOwnerChristening, eventNumber, "Apprenticeship"},
      {db::kOwnerChristening, untypedNumber, "Christening"},
      {db::kOwnerIndividualUserEvent, eventNumber, "Apprenticeship"},
      {db::kOwnerMarriageUserEvent, eventNumber, "Apprenticeship"},
      {db::kOwnerIndividualUserEvent, untypedNumber, "Unknown"},
      {db::kOwnerMarriageUserEvent, 77, "Unknown"},
      {'X', eventNumber, ""},
  };
  for (const Case& c : cases) {
    std::string label = "old";
    GetCitationOwnerLabel(c.letter, label, c.number);
    EXPECT_EQ(label, c.label) << c.letter << c.number;
  }
}

}  // namespace
