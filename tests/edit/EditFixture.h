#pragma once
// The family file of the node tests (opened as the current database at 15
// June 2020) with the temple table, fresh editing options, and helpers that
// add user events and load the in-memory individual an editing screen
// starts from.

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "../family/NodeFixture.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EditEnvironment.h"
#include "EventTypeRecord.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageNode.h"
#include "MarriageRecord.h"
#include "RecordAccess.h"
#include "TempleTable.h"
#include "UserEventBuilder.h"
#include "UserEventRecord.h"

class EditFamilyFixture : public NodeFamilyFixture {
 protected:
  void SetUp() override {
    NodeFamilyFixture::SetUp();
    LoadTempleTable();
    saved_ = EditEnvironment().options;
    EditEnvironment().options = EditOptions{};
  }
  void TearDown() override {
    EditEnvironment().options = saved_;
    for (CDittoList* list : {&EditEnvironment().places, &EditEnvironment().dates,
                             &EditEnvironment().givenNames, &EditEnvironment().surnames})
      list->RemoveAll();
    NodeFamilyFixture::TearDown();
  }

  static CDateValue Year(int year) { return Date(year); }
  using NodeFamilyFixture::Add;
  // An individual born in a year.
  static std::int32_t Add(const char* surname, const char* given, char sex, int born) {
    CIndividualRecord person;
    person.birth.date = Year(born);
    return Add(person, surname, given, sex);
  }
  // A new event type of a date kind and a user event of it for owner.
  static std::int32_t AddUserEvent(std::int32_t owner, const char* title, int dateKind,
                                   bool description = false, int year = 0) {
    return AddIndividualUserEvent(owner, title, dateKind, description, [&](CUserEventRecord& e) {
      if (year != 0) e.GetEvent()->date = Year(year);
    });
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
