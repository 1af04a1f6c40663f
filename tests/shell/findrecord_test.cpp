// The Find dialog's decisions on a real family file: ranges narrowed to the
// live records, the mode rules, the texts, the live-record check on OK and
// the step from a chosen marriage to one of its individuals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DbCalls.h"
#include "FindRecordLogic.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "OpenFamilyFixture.h"
#include "RecordAccess.h"

namespace {

using shell::FindOutcome;
using shell::FindRecordLogic;

class FindRecordTest : public OpenFamilyFixture {
 protected:
  static std::int32_t AddPerson(char sex = 'M') {
    CIndividualRecord person;
    person.surname = "Lind";
    person.givenNames[0] = "Per";
    person.sex = sex;
    return static_cast<std::int32_t>(family::Add(person, 0));
  }
  // Individuals 1..count, of which those in deleted are deleted again.
  static void AddPeople(int count, const std::vector<std::int32_t>& deleted = {}) {
    for (int i = 1; i <= count; ++i) ASSERT_EQ(AddPerson(), i);
    for (std::int32_t rin : deleted) ASSERT_EQ(DbDeleteRecord(rin, db::kIndividual), 1);
  }
  static std::int32_t AddEmptyMarriage() {
    CMarriageRecord marriage;
    return DbAddRecord(db::kMarriage, 0, &marriage);
  }
  std::string LastMessage() const {
    return boxes.Calls().empty() ? std::string("(none)") : boxes.Calls().back().text;
  }
};

TEST_F(FindRecordTest, RangeIsNarrowedToTheLiveIndividualsAndTheNumberClamped) {
  AddPeople(40, {1, 2});
  struct Case {
    std::int32_t start, shown;
  } cases[] = {{1, 3}, {3, 3}, {17, 17}, {40, 40}, {41, 40}, {FindRecordLogic::kMaxNumber, 40}};
  for (const Case& c : cases) {
    FindRecordLogic find;
    find.number = c.start;
    find.Open();
    EXPECT_EQ(find.rinLow, 3);
    EXPECT_EQ(find.rinHigh, 40);
    EXPECT_EQ(find.number, c.shown) << c.start;
    EXPECT_EQ(find.initialNumber, c.start);
    EXPECT_EQ(find.RangeText(), "Valid Range: 3 to 40");
    EXPECT_EQ(find.Label(), "RIN:");
    EXPECT_EQ(find.Title(), "Find Individual");
    EXPECT_TRUE(find.DescendancyListEnabled());
  }
  // A caller's narrower range is narrowed again to live records inside it.
  ASSERT_EQ(DbDeleteRecord(10, db::kIndividual), 1);
  ASSERT_EQ(DbDeleteRecord(20, db::kIndividual), 1);
  FindRecordLogic find;
  find.rinLow = 10;
  find.rinHigh = 20;
  find.Open();
  EXPECT_EQ(find.RangeText(), "Valid Range: 11 to 19");
  EXPECT_EQ(find.number, 11);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(FindRecordTest, WithoutLiveMarriagesMarriageModeIsNotAllowed) {
  AddPeople(3);
  // A marriage that was deleted again leaves no live marriage.
  const std::int32_t gone = AddEmptyMarriage();
  ASSERT_GT(gone, 0);
  ASSERT_EQ(DbDeleteRecord(gone, db::kMarriage), 1);

  FindRecordLogic find;
  find.marriageMode = true;
  find.Open();
  EXPECT_FALSE(find.marriageAllowed);
  EXPECT_FALSE(find.MarriageButtonEnabled());
  EXPECT_FALSE(find.marriageMode);
  EXPECT_EQ(find.Title(), "Find Individual");
  EXPECT_EQ(find.Label(), "RIN:");
  EXPECT_EQ(find.RangeText(), "Valid Range: 1 to 3");

  // Without individual mode as well, nothing can be typed.
  FindRecordLogic none;
  none.individualAllowed = false;
  none.Open();
  EXPECT_FALSE(none.NumberEnabled());
  EXPECT_FALSE(none.IndividualButtonEnabled());
  EXPECT_EQ(none.RangeText(), "");
}

TEST_F(FindRecordTest, MarriageModeRulesAndSwitching) {
  AddPeople(6);
  const std::int32_t m1 = DbSetRelation(1, 2, db::kRelHusband, 0);
  const std::int32_t m2 = DbSetRelation(3, 4, db::kRelHusband, 0);
  const std::int32_t m3 = DbSetRelation(5, 6, db::kRelHusband, 0);
  ASSERT_EQ(m3, 3);
  ASSERT_EQ(DbDeleteRecord(m1, db::kMarriage), 1);

  // Individual mode not allowed forces marriage mode.
  FindRecordLogic forced;
  forced.individualAllowed = false;
  forced.Open();
  EXPECT_TRUE(forced.marriageMode);
  EXPECT_EQ(forced.Label(), "MRIN:");
  EXPECT_EQ(forced.Title(), "Find Marriage");
  EXPECT_EQ(forced.RangeText(), "Valid Range: 2 to 3");
  EXPECT_EQ(forced.number, m2);
  EXPECT_FALSE(forced.DescendancyListEnabled());
  EXPECT_FALSE(forced.IndividualButtonEnabled());

  // Marriage mode asked for but not allowed stays off.
  FindRecordLogic refused;
  refused.marriageAllowed = false;
  refused.marriageMode = true;
  refused.Open();
  EXPECT_FALSE(refused.marriageMode);

  FindRecordLogic find;
  find.kindLabel = "Father";
  find.number = 5;
  find.Open();
  EXPECT_EQ(find.Title(), "Find Father");
  // The MRIN button reads the edit field; text that is no number reads 0.
  struct Switch {
    const char* edit;
    std::int32_t number;
  } switches[] = {{" 3 ", 3}, {"2", 2}, {"abc", 2}, {"99", 3}, {"-1", 2}, {"", 2}};
  for (const Switch& s : switches) {
    find.ChooseMarriageMode(s.edit);
    EXPECT_TRUE(find.marriageMode);
    EXPECT_EQ(find.number, s.number) << s.edit;
    EXPECT_EQ(find.Title(), "Find Marriage");
    EXPECT_EQ(find.RangeText(), "Valid Range: 2 to 3");
    EXPECT_FALSE(find.DescendancyListEnabled());
  }
  // The RIN button takes the number in force, not the edit field's text.
  find.ChooseMarriageMode("3");
  find.ChooseIndividualMode();
  EXPECT_FALSE(find.marriageMode);
  EXPECT_EQ(find.number, 3);
  EXPECT_EQ(find.Label(), "RIN:");
  EXPECT_EQ(find.Title(), "Find Father");
  EXPECT_EQ(find.RangeText(), "Valid Range: 1 to 6");
  EXPECT_TRUE(find.DescendancyListEnabled());
}

TEST_F(FindRecordTest, OkRefusesADeletedRecord) {
  AddPeople(8);
  ASSERT_EQ(DbSetRelation(1, 2, db::kRelHusband, 0), 1);
  ASSERT_EQ(DbSetRelation(3, 4, db::kRelHusband, 0), 2);
  ASSERT_EQ(DbSetRelation(5, 6, db::kRelHusband, 0), 3);

  FindRecordLogic find;
  find.number = 5;
  find.Open();
  ASSERT_EQ(DbDeleteRecord(5, db::kIndividual), 1);
  EXPECT_EQ(find.Accept(), 0);
  EXPECT_EQ(LastMessage(), "This RIN has been deleted ...\nplease select another RIN");
  find.number = 6;
  boxes.Clear();
  EXPECT_EQ(find.Accept(), 1);
  EXPECT_TRUE(boxes.Calls().empty());

  FindRecordLogic marriage;
  marriage.marriageMode = true;
  marriage.number = 2;
  marriage.Open();
  ASSERT_EQ(DbDeleteRecord(2, db::kMarriage), 1);
  EXPECT_EQ(marriage.Accept(), 0);
  EXPECT_EQ(LastMessage(), "This MRIN has been deleted ...\nplease select another MRIN");
  // Without a follow-up a live MRIN is the result as it is.
  marriage.number = 3;
  EXPECT_EQ(marriage.Accept(), 1);
  EXPECT_TRUE(marriage.marriageMode);
  EXPECT_EQ(marriage.number, 3);
}

TEST_F(FindRecordTest, FollowUpTurnsTheMarriageIntoOneOfItsIndividuals) {
  const std::int32_t husband = AddPerson('M'), wife = AddPerson('F'), child = AddPerson('F'),
                     widow = AddPerson('F'), ex = AddPerson('M');
  const std::int32_t withChild = DbSetRelation(husband, wife, db::kRelHusband, 0);
  ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, withChild), 0);
  const std::int32_t wifeOnly = DbSetRelation(ex, widow, db::kRelHusband, 0);
  ASSERT_EQ(DbUnSetRelation(wifeOnly, ex, db::kRelHusband), 1);
  const std::int32_t empty = AddEmptyMarriage();
  // A child but no spouses: follow-up 1 still finds the child.
  const std::int32_t childOnly = AddEmptyMarriage();
  const std::int32_t orphan = AddPerson('M');
  ASSERT_GT(DbSetRelation(orphan, 0, db::kRelParents, childOnly), 0);

  struct Case {
    const char* what;
    std::int32_t mrin;
    int followUp;
    int ok;
    std::int32_t number;
    std::string message;
  } cases[] = {
      {"child first", withChild, FindRecordLogic::kFollowUpChildFirst, 1, child, ""},
      {"spouse only", withChild, FindRecordLogic::kFollowUpSpouseOnly, 1, husband, ""},
      {"wife without husband", wifeOnly, FindRecordLogic::kFollowUpChildFirst, 1, widow, ""},
      {"child without spouses", childOnly, FindRecordLogic::kFollowUpChildFirst, 1, orphan, ""},
      {"no one", empty, FindRecordLogic::kFollowUpChildFirst, 0, empty,
       "MRIN " + std::to_string(empty) + " has no spouses"},
      {"only a child, spouse asked", childOnly, FindRecordLogic::kFollowUpSpouseOnly, 0, childOnly,
       "MRIN " + std::to_string(childOnly) + " has no spouses"},
      {"no follow-up", withChild, FindRecordLogic::kFollowUpNone, 1, withChild, ""},
  };
  for (const Case& c : cases) {
    boxes.Clear();
    FindRecordLogic find;
    find.marriageMode = true;
    find.followUp = c.followUp;
    find.number = c.mrin;
    find.Open();
    ASSERT_EQ(find.number, c.mrin) << c.what;
    EXPECT_EQ(find.Accept(), c.ok) << c.what;
    EXPECT_EQ(find.number, c.number) << c.what;
    // A follow-up that worked leaves a RIN; a failed one keeps the MRIN.
    EXPECT_EQ(find.marriageMode, c.ok == 0 || c.followUp == FindRecordLogic::kFollowUpNone)
        << c.what;
    EXPECT_EQ(boxes.Calls().empty() ? "" : LastMessage(), c.message) << c.what;
  }

  // A marriage that cannot be read.
  FindRecordLogic find;
  find.marriageMode = true;
  find.followUp = FindRecordLogic::kFollowUpSpouseOnly;
  find.number = 99;
  EXPECT_EQ(find.RunFollowUp(), 0);
  EXPECT_EQ(LastMessage(), "Invalid MRIN");
}

TEST_F(FindRecordTest, WhatTheListDialogsResultsDo) {
  const std::int32_t husband = AddPerson('M'), wife = AddPerson('F');
  const std::int32_t couple = DbSetRelation(husband, wife, db::kRelHusband, 0);
  const std::int32_t empty = AddEmptyMarriage();
  constexpr int kOther = 3;  // a result that is neither OK nor Cancel

  struct Case {
    const char* what;
    int list;  // 0 marriages, 1 individuals, 2 descendancy
    int result;
    std::int32_t chosen;
    FindOutcome outcome;
    std::int32_t number;  // the number afterwards
    bool marriageMode;
  } cases[] = {
      {"marriage chosen", 0, plat::kIdOk, couple, FindOutcome::kEndOk, husband, false},
      {"marriage without spouses", 0, plat::kIdOk, empty, FindOutcome::kStayShow, empty, true},
      {"marriage list cancelled", 0, plat::kIdCancel, couple, FindOutcome::kStay, 1, true},
      {"marriage list other", 0, kOther, couple, FindOutcome::kEndCancel, 1, true},
      {"individual chosen", 1, plat::kIdOk, wife, FindOutcome::kEndOk, wife, false},
      {"individual none", 1, plat::kIdOk, 0, FindOutcome::kEndCancel, 0, false},
      {"individual cancelled", 1, plat::kIdCancel, wife, FindOutcome::kStay, 1, false},
      {"individual other", 1, kOther, wife, FindOutcome::kEndCancel, 1, false},
      {"descendant chosen", 2, plat::kIdOk, wife, FindOutcome::kEndOk, wife, false},
      {"descendant none", 2, plat::kIdOk, 0, FindOutcome::kStay, 1, false},
      {"descendancy cancelled", 2, plat::kIdCancel, wife, FindOutcome::kStay, 1, false},
      {"descendancy other", 2, kOther, wife, FindOutcome::kEndCancel, 1, false},
  };
  for (const Case& c : cases) {
    FindRecordLogic find;
    find.marriageMode = c.list == 0;
    find.followUp = FindRecordLogic::kFollowUpSpouseOnly;
    find.Open();
    FindOutcome outcome;
    if (c.list == 0)
      outcome = find.AfterMarriageList(c.result, c.chosen);
    else if (c.list == 1)
      outcome = find.AfterIndividualList(c.result, c.chosen, 7);
    else
      outcome = find.AfterDescendancyList(c.result, c.chosen);
    EXPECT_EQ(outcome, c.outcome) << c.what;
    EXPECT_EQ(find.number, c.number) << c.what;
    EXPECT_EQ(find.marriageMode, c.marriageMode) << c.what;
    // The Individual List's state comes back whatever its result.
    if (c.list == 1) {
      EXPECT_EQ(find.listState, 7) << c.what;
    }
  }
}

TEST(FindRecordParse, EditTextAsUnsignedNumber) {
  struct Case {
    const char* text;
    std::uint32_t value;
  } cases[] = {{"0", 0},  {"17", 17},        {"  42\t", 42}, {"4294967295", 4294967295u},
               {"", 0},   {"4294967296", 0}, {"12a", 0},     {"-3", 0},
               {"+3", 0}, {"1 2", 0}};
  for (const Case& c : cases) EXPECT_EQ(shell::ParseUnsigned(c.text), c.value) << c.text;
}

}  // namespace
