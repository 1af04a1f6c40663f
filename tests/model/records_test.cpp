#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FamilyLinkRecord.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "UserEventRecord.h"

namespace {

CDateValue MakeDate(std::uint16_t year, std::uint8_t month, std::uint8_t day) {
  CDateValue d;
  d.year = year;
  d.month = month;
  d.day = day;
  return d;
}

// Event values and dated-place event objects share their field names.
template <class Event>
void ExpectEmptyEvent(const Event& e) {
  EXPECT_EQ(e.date.year, 0);
  EXPECT_EQ(e.date.month, 0);
  EXPECT_TRUE(e.date.text.empty());
  for (const auto& part : e.place) EXPECT_TRUE(part.empty());
  EXPECT_EQ(e.firstCitation, 0);
  EXPECT_EQ(e.secondNumber, 0);
}

template <class Ordinance>
void ExpectEmptyOrdinance(const Ordinance& o, char kind) {
  EXPECT_EQ(o.date.year, 0);
  EXPECT_EQ(o.date.month, 0);
  EXPECT_TRUE(o.templeCode.empty());
  EXPECT_EQ(o.firstCitation, 0);
  EXPECT_EQ(o.secondNumber, 0);
  EXPECT_EQ(o.kind, kind);
}

// An individual with every field set to something other than its cleared value.
CIndividualRecord FilledIndividual() {
  CIndividualRecord r;
  for (int i = 0; i < CIndividualRecord::kNumberCount; ++i) r.numbers[i] = 100 + i;
  r.marriageCount = 2;
  r.parentFamilyCount = 1;
  r.surname = "Smith";
  r.givenNames[0] = "John";
  r.givenNames[1] = "Henry";
  r.givenNames[2] = "Paul";
  r.suffix = "Jr.";
  r.nameExtensions[0] = "ext1";
  r.nameExtensions[1] = "ext2";
  r.texts1[0] = "a";
  r.texts1[1] = "b";
  r.title = "Dr.";
  r.texts2[0] = "c";
  r.texts2[1] = "d";
  r.texts2[2] = "e";
  for (int i = 0; i < CIndividualRecord::kContactFieldCount; ++i) {
    r.contact[i] = "contact" + std::to_string(i);
  }
  r.linkText = "link";
  r.sex = 'M';
  r.flags = 3;
  r.birth.date = MakeDate(1900, 1, 2);
  r.birth.place[0] = "Town";
  r.birth.firstCitation = 5;
  r.christening.place[3] = "Country";
  r.death.date = MakeDate(1970, 3, 4);
  r.burial.secondNumber = 9;
  r.fifthEvent.date.textOnly = 1;
  r.fifthEvent.date.text = "in spring";
  r.baptism.date = MakeDate(1910, 5, 6);
  r.baptism.templeCode = "SLAKE";
  r.endowment.firstCitation = 11;
  r.sealingToParents.date.month = 17;  // a status code
  r.extension = std::make_unique<CIndividualExtensionNode>();
  r.extension->next = std::make_unique<CIndividualExtensionNode>();
  for (int i = 0; i < CIndividualRecord::kTrailingCount; ++i) r.trailing[i] = 200 + i;
  return r;
}

void ExpectClearedIndividual(const CIndividualRecord& r) {
  for (auto n : r.numbers) EXPECT_EQ(n, 0);
  EXPECT_EQ(r.marriageCount, -1);
  EXPECT_EQ(r.parentFamilyCount, -1);
  EXPECT_TRUE(r.surname.empty());
  for (const auto& s : r.givenNames) EXPECT_TRUE(s.empty());
  EXPECT_TRUE(r.suffix.empty());
  for (const auto& s : r.nameExtensions) EXPECT_TRUE(s.empty());
  for (const auto& s : r.texts1) EXPECT_TRUE(s.empty());
  EXPECT_TRUE(r.title.empty());
  for (const auto& s : r.texts2) EXPECT_TRUE(s.empty());
  for (const auto& s : r.contact) EXPECT_TRUE(s.empty());
  EXPECT_TRUE(r.linkText.empty());
  EXPECT_EQ(r.sex, 'U');
  EXPECT_EQ(r.flags, 0);
  for (const CEventValue* e : {&r.birth, &r.christening, &r.death, &r.burial, &r.fifthEvent}) {
    ExpectEmptyEvent(*e);
  }
  ExpectEmptyOrdinance(r.baptism, 'B');
  ExpectEmptyOrdinance(r.endowment, 'E');
  ExpectEmptyOrdinance(r.sealingToParents, 'P');
  EXPECT_EQ(r.extension, nullptr);
  for (auto n : r.trailing) EXPECT_EQ(n, 0);
}

TEST(IndividualRecordTest, ConstructedAndClearedStateIsTheSame) {
  CIndividualRecord fresh;
  ExpectClearedIndividual(fresh);
  EXPECT_EQ(fresh.GetRecordType(), db::kIndividual);
  EXPECT_EQ(fresh.GetRecordNumber(), 0);

  CIndividualRecord r = FilledIndividual();
  r.Clear();
  ExpectClearedIndividual(r);
}

TEST(IndividualRecordTest, ResetKeepsTextsAndEvents) {
  CIndividualRecord r = FilledIndividual();
  r.Reset();
  for (auto n : r.numbers) EXPECT_EQ(n, 0);
  EXPECT_EQ(r.marriageCount, -1);
  EXPECT_EQ(r.parentFamilyCount, -1);
  EXPECT_EQ(r.sex, 'U');
  EXPECT_EQ(r.flags, 0);
  EXPECT_EQ(r.extension, nullptr);
  for (auto n : r.trailing) EXPECT_EQ(n, 0);
  EXPECT_EQ(r.surname, "Smith");
  EXPECT_EQ(r.contact[CIndividualRecord::kContactHomePage], "contact9");
  EXPECT_EQ(r.birth.date.year, 1900);
  EXPECT_EQ(r.baptism.templeCode, "SLAKE");
}

TEST(IndividualRecordTest, CopyTakesEveryFieldButTheExtensionChain) {
  const CIndividualRecord source = FilledIndividual();
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass == 0 ? "copy construction" : "copy assignment");
    std::unique_ptr<CIndividualRecord> made;
    if (pass == 0) {
      made = std::make_unique<CIndividualRecord>(source);
    } else {
      made = std::make_unique<CIndividualRecord>();
      made->extension = std::make_unique<CIndividualExtensionNode>();
      *made = source;
    }
    const CIndividualRecord& copy = *made;
    for (int i = 0; i < CIndividualRecord::kNumberCount; ++i) EXPECT_EQ(copy.numbers[i], 100 + i);
    EXPECT_EQ(copy.marriageCount, 2);
    EXPECT_EQ(copy.parentFamilyCount, 1);
    EXPECT_EQ(copy.GetName(0, false, 0, false), "Dr. John Henry Paul Smith Jr.");
    EXPECT_EQ(copy.nameExtensions[1], "ext2");
    EXPECT_EQ(copy.texts1[1], "b");
    EXPECT_EQ(copy.texts2[2], "e");
    EXPECT_EQ(copy.contact[CIndividualRecord::kContactName], "contact0");
    EXPECT_EQ(copy.contact[CIndividualRecord::kContactHomePage], "contact9");
    EXPECT_EQ(copy.linkText, "link");
    EXPECT_EQ(copy.sex, 'M');
    EXPECT_EQ(copy.flags, 3);
    EXPECT_EQ(copy.birth.place[0], "Town");
    EXPECT_EQ(copy.birth.firstCitation, 5);
    EXPECT_EQ(copy.christening.place[3], "Country");
    EXPECT_EQ(copy.death.date.year, 1970);
    EXPECT_EQ(copy.burial.secondNumber, 9);
    EXPECT_EQ(copy.fifthEvent.date.text, "in spring");
    EXPECT_EQ(copy.baptism.templeCode, "SLAKE");
    EXPECT_EQ(copy.endowment.firstCitation, 11);
    EXPECT_EQ(copy.sealingToParents.date.month, 17);
    EXPECT_EQ(copy.sealingToParents.kind, 'P');
    EXPECT_EQ(copy.extension, nullptr);
    for (int i = 0; i < CIndividualRecord::kTrailingCount; ++i)
      EXPECT_EQ(copy.trailing[i], 200 + i);
  }
  EXPECT_NE(source.extension, nullptr);
}

TEST(IndividualRecordTest, LongExtensionChainIsFreed) {
  CIndividualRecord r;
  for (int i = 0; i < 200000; ++i) {
    auto node = std::make_unique<CIndividualExtensionNode>();
    node->next = std::move(r.extension);
    r.extension = std::move(node);
  }
  r.Clear();
  EXPECT_EQ(r.extension, nullptr);
}

TEST(IndividualRecordTest, SetRecordNumberKeepsTheRin) {
  // The database's new number goes back to the caller, not into the object.
  CIndividualRecord r;
  r.numbers[CIndividualRecord::kRin] = 17;
  CRecordObject& asRecord = r;
  EXPECT_EQ(asRecord.SetRecordNumber(99), 99);
  EXPECT_EQ(asRecord.GetRecordNumber(), 17);
  EXPECT_EQ(asRecord.GetRecordType(), db::kIndividual);
}

TEST(IndividualRecordTest, AnyContactFieldCountsAsContactInfo) {
  EXPECT_FALSE(CIndividualRecord().HasContactInfo());
  for (int i = 0; i < CIndividualRecord::kContactFieldCount; ++i) {
    CIndividualRecord r;
    r.contact[i] = "x";
    EXPECT_TRUE(r.HasContactInfo()) << "field " << i;
  }
  CIndividualRecord r;
  r.linkText = "not a contact field";
  r.texts2[2] = "nor this";
  EXPECT_FALSE(r.HasContactInfo());
}

TEST(MarriageRecordTest, ClearRestoresTheConstructedState) {
  CMarriageRecord r;
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass == 0 ? "constructed" : "cleared");
    for (auto n : r.numbers) EXPECT_EQ(n, 0);
    ExpectEmptyEvent(r.marriage);
    ExpectEmptyOrdinance(r.sealingToSpouse, 'S');
    EXPECT_EQ(r.husband, 0);
    EXPECT_EQ(r.wife, 0);
    EXPECT_EQ(r.value1, 0);
    EXPECT_EQ(r.value2, -1);
    EXPECT_EQ(r.childCount, 0);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.flags, 0);

    for (auto& n : r.numbers) n = 4;
    r.marriage.date = MakeDate(1920, 6, 1);
    r.marriage.place[1] = "County";
    r.sealingToSpouse.templeCode = "LONDO";
    r.husband = 1;
    r.wife = 2;
    r.value1 = 3;
    r.value2 = 4;
    r.childCount = 5;
    r.status = 'D';
    r.flags = 1;
    r.Clear();
  }
}

TEST(MarriageRecordTest, RecordInterface) {
  CMarriageRecord r;
  r.numbers[CMarriageRecord::kMrin] = 8;
  CRecordObject& asRecord = r;
  EXPECT_EQ(asRecord.GetRecordType(), db::kMarriage);
  EXPECT_EQ(asRecord.SetRecordNumber(30), 30);
  EXPECT_EQ(asRecord.GetRecordNumber(), 8);
}

TEST(EventTypeRecordTest, FreshRecordAndClear) {
  CEventTypeRecord r;
  EXPECT_EQ(r.GetRecordType(), db::kEventType);
  EXPECT_EQ(r.GetRecordNumber(), 0);
  EXPECT_EQ(r.ownerKind, db::kOwnerIndividual);
  EXPECT_EQ(r.dateKind, 1);
  EXPECT_EQ(r.hasDescription, 0);
  EXPECT_EQ(r.hasTag, 0);
  CRecordObject& asRecord = r;
  EXPECT_EQ(asRecord.SetRecordNumber(5), 5);
  EXPECT_EQ(asRecord.GetRecordNumber(), 0);

  r.recordNumber = 12;
  r.SetTitle("Immigration");
  r.SetShortTitle("Immigr");
  r.SetAbbreviation("IM");
  r.SetTag("IMMI");
  r.SetVerbPhrase("immigrated");
  r.SetPlacePreposition("to");
  r.dateKind = 2;
  r.hasDescription = 1;
  r.ownerKind = db::kOwnerMarriage;
  r.hasTag = 1;
  EXPECT_EQ(r.GetRecordNumber(), 12);
  EXPECT_EQ(r.title, "Immigration");
  EXPECT_EQ(r.shortTitle, "Immigr");
  EXPECT_EQ(r.abbreviation, "IM");
  EXPECT_EQ(r.tag, "IMMI");
  EXPECT_EQ(r.verbPhrase, "immigrated");
  EXPECT_EQ(r.placePreposition, "to");

  r.Clear();
  EXPECT_EQ(r.GetRecordNumber(), 0);
  for (const std::string* s :
       {&r.title, &r.shortTitle, &r.abbreviation, &r.tag, &r.verbPhrase, &r.placePreposition}) {
    EXPECT_TRUE(s->empty());
  }
  EXPECT_EQ(r.dateKind, 1);
  EXPECT_EQ(r.hasDescription, 0);
  EXPECT_EQ(r.ownerKind, db::kOwnerIndividual);
}

TEST(FamilyLinkRecordTest, ConstructedState) {
  CFamilyLinkRecord r;
  EXPECT_EQ(r.firstParentRelation, 'b');
  EXPECT_EQ(r.secondParentRelation, 'b');
  EXPECT_EQ(r.thirdLetter, 'V');
  EXPECT_EQ(r.mrin, 0);
  EXPECT_EQ(r.child, 0);
  EXPECT_EQ(r.GetRecordNumber(), 0);
  EXPECT_EQ(r.GetRecordType(), db::kFamilyLink);
  ASSERT_NE(r.GetSealingEvent(), nullptr);
  ExpectEmptyOrdinance(*r.GetSealingEvent(), 'S');
  EXPECT_FALSE(r.HasFamily());
}

TEST(FamilyLinkRecordTest, NumberIsKeptAndResetEmptiesTheLink) {
  CFamilyLinkRecord r;
  CRecordObject& asRecord = r;
  EXPECT_EQ(asRecord.SetRecordNumber(77), 77);
  EXPECT_EQ(asRecord.GetRecordNumber(), 77);

  r.mrin = 4;
  EXPECT_TRUE(r.HasFamily());
  r.firstParentRelation = 'a';
  r.thirdLetter = 'X';
  r.nextInMarriage = r.nextInParents = r.child = 3;
  r.GetSealingEvent()->templeCode = "PROVO";
  r.GetSealingEvent()->date = MakeDate(1990, 2, 3);
  const COrdinanceObject* sealing = r.GetSealingEvent();
  r.Reset();
  EXPECT_EQ(r.firstParentRelation, 'b');
  EXPECT_EQ(r.thirdLetter, 'V');
  EXPECT_EQ(r.mrin, 0);
  EXPECT_EQ(r.nextInMarriage, 0);
  EXPECT_EQ(r.nextInParents, 0);
  EXPECT_EQ(r.child, 0);
  EXPECT_EQ(r.GetRecordNumber(), 0);
  EXPECT_EQ(r.GetSealingEvent(), sealing);  // reset in place
  ExpectEmptyOrdinance(*r.GetSealingEvent(), 'S');
}

TEST(FamilyLinkRecordTest, SetSealingEventReplacesTheSealing) {
  CFamilyLinkRecord r;
  auto built = std::make_unique<COrdinanceObject>(nullptr, 'S');
  built->templeCode = "MANTI";
  const COrdinanceObject* raw = built.get();
  r.SetSealingEvent(std::move(built));
  EXPECT_EQ(r.GetSealingEvent(), raw);
  EXPECT_EQ(r.GetSealingEvent()->templeCode, "MANTI");
  r.SetSealingEvent(nullptr);
  EXPECT_EQ(r.GetSealingEvent(), nullptr);
  r.Reset();  // no sealing to reset
  EXPECT_EQ(r.GetSealingEvent(), nullptr);
}

TEST(UserEventRecordTest, ClearKeepsTheSecondDateAndTexts) {
  CUserEventRecord r(6);
  EXPECT_EQ(r.value, 6);
  r.recordNumber = 1;
  r.number2 = 2;
  r.number3 = 3;
  r.eventTypeNumber = 4;
  r.ownerNumber = 5;
  r.ownerKind = db::kOwnerMarriage;
  r.SetYesNo(1);
  r.GetEvent()->place[0] = "Town";
  r.SetFirstCitation(12);
  r.secondDate = MakeDate(1850, 4, 1);
  r.text1 = "one";
  r.SetDescription("Farmer");
  r.text3 = "three";

  r.Clear();
  EXPECT_EQ(r.GetRecordNumber(), 0);
  EXPECT_EQ(r.number2, 0);
  EXPECT_EQ(r.number3, 0);
  EXPECT_EQ(r.eventTypeNumber, 0);
  EXPECT_EQ(r.GetOwnerNumber(), 0);
  EXPECT_EQ(r.ownerKind, ' ');
  EXPECT_EQ(r.yesNo, 0);
  EXPECT_EQ(r.GetYesNo(), 0);
  ASSERT_NE(r.GetEvent(), nullptr);
  ExpectEmptyEvent(*r.GetEvent());
  EXPECT_EQ(r.GetFirstCitation(), 0);
  EXPECT_EQ(r.GetSecondDate()->year, 1850);
  EXPECT_EQ(r.text1, "one");
  EXPECT_EQ(r.GetDescription(), "Farmer");
  EXPECT_EQ(r.text3, "three");
  EXPECT_EQ(r.value, 6);
}

TEST(UserEventRecordTest, ConstructedForAnOwner) {
  CUserEventRecord r(25, db::kOwnerIndividual, 3, 9);
  EXPECT_EQ(r.GetOwnerNumber(), 25);
  EXPECT_EQ(r.ownerKind, db::kOwnerIndividual);
  EXPECT_EQ(r.eventTypeNumber, 3);
  EXPECT_EQ(r.value, 9);
  EXPECT_EQ(r.GetRecordNumber(), 0);
  EXPECT_EQ(r.number2, 0);
  EXPECT_EQ(r.number3, 0);
  EXPECT_EQ(r.yesNo, 0);
  ASSERT_NE(r.GetEvent(), nullptr);
  ExpectEmptyEvent(*r.GetEvent());
  EXPECT_EQ(r.GetRecordType(), db::kUserEvent);
  EXPECT_EQ(r.GetKindLetter(), 'U');
}

TEST(UserEventRecordTest, EventOperations) {
  CUserEventRecord r;
  CRecordObject& asRecord = r;
  EXPECT_EQ(asRecord.SetRecordNumber(40), 40);
  EXPECT_EQ(asRecord.GetRecordNumber(), 40);

  r.SetYesNo(5);
  EXPECT_EQ(r.yesNo, 'Y');
  EXPECT_EQ(r.GetYesNo(), 1);
  r.SetYesNo(0);
  EXPECT_EQ(r.yesNo, 'N');
  EXPECT_EQ(r.GetYesNo(), 0);

  auto built = std::make_unique<CPlaceEventObject>();
  built->date = MakeDate(1888, 8, 8);
  built->firstCitation = 14;
  r.SetEvent(std::move(built));
  ASSERT_NE(r.GetDate(), nullptr);
  EXPECT_EQ(r.GetDate()->year, 1888);
  EXPECT_EQ(r.GetFirstCitation(), 14);
  r.SetFirstCitation(15);
  EXPECT_EQ(r.GetEvent()->firstCitation, 15);
  EXPECT_NE(r.GetDate(), r.GetSecondDate());

  r.SetEvent(nullptr);
  EXPECT_EQ(r.GetDate(), nullptr);
  EXPECT_EQ(r.GetFirstCitation(), 0);
  r.SetFirstCitation(3);  // nothing to store it in
  EXPECT_EQ(r.GetFirstCitation(), 0);
  ASSERT_NE(r.GetSecondDate(), nullptr);
}

}  // namespace
