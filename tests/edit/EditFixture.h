#pragma once
// A family file opened as the current database at a fixed today (15 June
// 2020), with helpers that add people, marriages and user events through
// the database calls and load the in-memory individual an editing screen
// starts from.

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "EditEnvironment.h"
#include "EventTypeRecord.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageNode.h"
#include "MarriageRecord.h"
#include "OpenFamilyFixture.h"
#include "RecordAccess.h"
#include "TempleTable.h"
#include "UserEventRecord.h"

class EditFamilyFixture : public OpenFamilyFixture {
 protected:
  void SetUp() override {
    OpenFamilyFixture::SetUp();
    LoadTempleTable();
    saved_ = EditEnvironment().options;
    EditEnvironment().options = EditOptions{};
  }
  void TearDown() override {
    EditEnvironment().options = saved_;
    for (CDittoList* list : {&EditEnvironment().places, &EditEnvironment().dates,
                             &EditEnvironment().givenNames, &EditEnvironment().surnames})
      list->RemoveAll();
    OpenFamilyFixture::TearDown();
  }
  std::time_t Today() const override { return LocalTimeOf(2020, 6, 15, 12, 0); }

  static CDateValue Year(int year) {
    CDateValue d;
    d.Set(year, 0);
    return d;
  }
  static std::int32_t Add(CIndividualRecord& person, const char* surname, const char* given,
                          char sex) {
    person.surname = surname;
    person.givenNames[0] = given;
    person.sex = sex;
    return static_cast<std::int32_t>(family::Add(person, 0));
  }
  static std::int32_t Add(const char* surname, const char* given, char sex, int born = 0) {
    CIndividualRecord person;
    if (born != 0) person.birth.date = Year(born);
    return Add(person, surname, given, sex);
  }
  static std::int32_t Marry(std::int32_t husband, std::int32_t wife) {
    return DbSetRelation(husband, wife, db::kRelHusband, 0);
  }
  static void AddChild(std::int32_t mrin, std::int32_t child) {
    ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, mrin), 0);
  }
  // A new event type of a date kind and a user event of it for owner.
  static std::int32_t AddUserEvent(std::int32_t owner, const char* title, int dateKind,
                                   bool description = false, int year = 0) {
    CEventTypeRecord type;
    type.title = title;
    type.shortTitle = title;
    type.dateKind = static_cast<std::uint8_t>(dateKind);
    type.hasDescription = description ? 1 : 0;
    const std::int32_t typeNumber = DbAddRecord(db::kEventType, 0, &type);
    EXPECT_GT(typeNumber, 0);
    CUserEventRecord event(owner, db::kOwnerIndividual, typeNumber, 0);
    if (year != 0) event.GetEvent()->date = Year(year);
    const auto number = static_cast<std::int32_t>(family::Add(event, 0));
    EXPECT_GT(number, 0);
    EXPECT_GT(DbLinkRecord(number, db::kUserEvent, owner, db::kOwnerIndividual), 0);
    return number;
  }
  // The individual as the screen gets it (link mode 3), counted once.
  static CIndividualNode* Node(std::int32_t rin) {
    CIndividualRecord record;
    EXPECT_EQ(family::Read(record, rin), 1);
    CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
    node->AddRef();
    return node;
  }
  // The last message box text, "" when none was shown.
  std::string LastMessage() const {
    return boxes.Calls().empty() ? std::string() : boxes.Calls().back().text;
  }

  EditOptions saved_;
};
