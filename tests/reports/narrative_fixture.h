#pragma once
// A family file opened as the current database with the records the
// narrative tests describe, built through the database calls.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "CitationNumbers.h"
#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FakePorts.h"
#include "FamilyLinkRecord.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "NarrativeBuilder.h"
#include "OpenFamilyFixture.h"
#include "ScopedCodePage.h"
#include "SourceRecord.h"
#include "TempleTable.h"
#include "UserEventRecord.h"

class NarrativeFixture : public OpenFamilyFixture {
 public:
  void SetUp() override {
    OpenFamilyFixture::SetUp();
    LoadTempleTable();
    DiscardCitationNumberLists();
  }
  void TearDown() override {
    DiscardCitationNumberLists();
    OpenFamilyFixture::TearDown();
  }

  static CDateValue Year(int year) {
    CDateValue d;
    d.Set(year, 0);
    return d;
  }
  static CDateValue Day(int year, int month, int day) {
    CDateValue d;
    d.Set(year, month, day);
    return d;
  }
  static CDateValue Status(int status) {
    CDateValue d;
    d.Set(0, status);
    return d;
  }
  static CEventValue Event(const CDateValue& date, const char* place = "") {
    return CEventValue::EventValueFrom(date, place);
  }
  static CEventValue Place(const char* place) { return CEventValue::EventValueFrom({}, place); }

  using Edit = std::function<void(CIndividualRecord&)>;
  std::int32_t Person(const char* given, const char* surname, char sex, const Edit& edit = {}) {
    CIndividualRecord p;
    p.givenNames[0] = given;
    p.surname = surname;
    p.sex = sex;
    if (edit) edit(p);
    const std::int32_t rin = DbAddRecord(db::kIndividual, 0, &p);
    EXPECT_GT(rin, 0);
    return rin;
  }
  void Change(std::int32_t rin, const Edit& edit) {
    CIndividualRecord p;
    ASSERT_EQ(DbGetRecord(rin, db::kIndividual, &p), 1);
    edit(p);
    ASSERT_EQ(DbUpdateRecord(rin, db::kIndividual, &p), 1);
  }
  std::int32_t Marry(std::int32_t husband, std::int32_t wife,
                     const std::function<void(CMarriageRecord&)>& edit = {}) {
    const std::int32_t mrin = husband && wife ? DbSetRelation(husband, wife, db::kRelHusband, 0)
                              : husband       ? DbSetRelation(husband, 0, db::kRelHusband, 0)
                                              : DbSetRelation(wife, 0, db::kRelWife, 0);
    EXPECT_GT(mrin, 0);
    if (edit) {
      CMarriageRecord m;
      EXPECT_EQ(DbGetRecord(mrin, db::kMarriage, &m), 1);
      edit(m);
      EXPECT_EQ(DbUpdateRecord(mrin, db::kMarriage, &m), 1);
    }
    return mrin;
  }
  void AddChild(std::int32_t child, std::int32_t mrin) {
    ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, mrin), 0);
  }
  // Sets the relationship letters of the child's first parent link.
  void SetParentLink(std::int32_t child, char first, char second) {
    CIndividualRecord p;
    ASSERT_EQ(DbGetRecord(child, db::kIndividual, &p), 1);
    CFamilyLinkRecord link;
    ASSERT_EQ(DbGetRecord(p.numbers[CIndividualRecord::kParentLink], db::kFamilyLink, &link), 1);
    link.firstParentRelation = first;
    link.secondParentRelation = second;
    ASSERT_EQ(DbUpdateRecord(link.linkNumber, db::kFamilyLink, &link), 1);
  }
  // The child's sealing to the parents of its first parent link.
  void SetParentSealing(std::int32_t child, const CDateValue& date, const char* temple) {
    CIndividualRecord p;
    ASSERT_EQ(DbGetRecord(child, db::kIndividual, &p), 1);
    CFamilyLinkRecord link;
    ASSERT_EQ(DbGetRecord(p.numbers[CIndividualRecord::kParentLink], db::kFamilyLink, &link), 1);
    ASSERT_NE(link.GetSealingEvent(), nullptr);
    link.GetSealingEvent()->date = date;
    link.GetSealingEvent()->templeCode = temple;
    ASSERT_EQ(DbUpdateRecord(link.linkNumber, db::kFamilyLink, &link), 1);
  }
  std::int32_t Source(const char* title) {
    CSourceRecord s;
    s.title = title;
    const std::int32_t n = DbAddRecord(db::kSource, 0, &s);
    EXPECT_GT(n, 0);
    return n;
  }
  std::int32_t Cite(std::int32_t source, std::int32_t owner, char letter) {
    CCitationRecord c;
    c.sourceRin = source;
    c.ownerLetter = letter;
    c.ownerNumber = owner;
    const std::int32_t n = DbAddRecord(db::kCitation, 0, &c);
    EXPECT_GT(n, 0);
    EXPECT_GT(DbLinkRecord(n, db::kCitation, owner, letter), 0);
    return n;
  }
  std::int32_t EventType(const char* title, const char* verb, const char* preposition, int dateKind,
                         bool description) {
    CEventTypeRecord t;
    t.title = title;
    t.verbPhrase = verb;
    t.placePreposition = preposition;
    t.dateKind = static_cast<std::uint8_t>(dateKind);
    t.hasDescription = description ? 1 : 0;
    const std::int32_t n = DbAddRecord(db::kEventType, 0, &t);
    EXPECT_GT(n, 0);
    return n;
  }
  std::int32_t UserEvent(std::int32_t owner, std::int32_t type, const CDateValue& date,
                         const char* place, const char* description = "",
                         const CDateValue& second = {}, bool confidential = false) {
    CUserEventRecord e(owner, db::kOwnerIndividual, type, 0);
    e.GetEvent()->date = date;
    e.GetEvent()->place[0] = place;
    e.description = description;
    e.secondDate = second;
    if (confidential) e.yesNo = 'Y';
    const std::int32_t n = DbAddRecord(db::kUserEvent, 0, &e);
    EXPECT_GT(n, 0);
    EXPECT_GT(DbLinkRecord(n, db::kUserEvent, owner, db::kOwnerIndividual), 0);
    return n;
  }

  CitationContext Context() { return {&numbers, &seen, nullptr, 0}; }
  void ResetCitations() {
    numbers.clear();
    seen.clear();
    DiscardCitationNumberLists();
  }

  std::string Narrate(const PersonNarrativeArgs& base, const CNarrativeBuilder& builder = {}) {
    std::string text = "left over";
    PersonNarrativeArgs args = base;
    args.text = &text;
    if (!args.citations.numbers) args.citations = Context();
    builder.BuildPersonNarrative(args);
    return text;
  }
  std::string Paragraph(std::int32_t rin, std::int32_t marriage = 0, bool suppressMrin = false) {
    PersonNarrativeArgs args;
    args.rin = rin;
    args.marriage = marriage;
    args.suppressMrin = suppressMrin;
    return Narrate(args);
  }

  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
  ScopedCodePage codePage{plat::kCodePageWestern};
  std::vector<std::int32_t> numbers;
  std::vector<std::uint8_t> seen;
};
