// The ordinance qualification rules and the presumed-deceased test over
// families built through the database calls; today is 15 Jun 2020.
#include <gtest/gtest.h>

#include "IndividualNode.h"
#include "NodeFixture.h"
#include "ZelQualification.h"

namespace {

class ZelRules : public NodeFamilyFixture {
 protected:
  struct Outcome {
    int result;
    int reason;
  };
  static Outcome Judge(std::int32_t rin, std::int32_t mrin, int kind) {
    int reason = -7;
    const int result = GetZelStatus(rin, mrin, kind, reason);
    return {result, reason};
  }
  // A person born in year with a birth place, of sex 'M'.
  static std::int32_t Born(CIndividualRecord& r, int year, int month = 1, int day = 1) {
    SetBirth(r, Date(year, month, day), "Springfield");
    return Add(r, "Miller", "Anna", 'M');
  }
};

#define EXPECT_OUTCOME(outcome, res, why) \
  do {                                    \
    const auto o = (outcome);             \
    EXPECT_EQ(o.result, res);             \
    EXPECT_EQ(o.reason, why);             \
  } while (0)

TEST_F(ZelRules, IndividualOrdinances) {
  CIndividualRecord child;
  const std::int32_t young = Born(child, 2015, 3, 1);
  EXPECT_OUTCOME(Judge(young, 0, kZelBaptism), kZelNotNeeded, 1);
  EXPECT_EQ(GetZelReasonText(kZelNotNeeded, 1), "Child under 8");

  CIndividualRecord old;
  const std::int32_t oldOne = Born(old, 1909);
  EXPECT_OUTCOME(Judge(oldOne, 0, kZelBaptism), kZelQualified, 0);
  EXPECT_OUTCOME(Judge(oldOne, 0, kZelEndowment), kZelQualified, 0);

  CIndividualRecord recent;
  recent.death.date = Date(2020, 1, 1);
  const std::int32_t died = Born(recent, 1950);
  EXPECT_OUTCOME(Judge(died, 0, kZelBaptism), kZelNotQualified, 2);
  EXPECT_EQ(GetZelReasonText(kZelNotQualified, 2), "Not deceased for 1 year");

  CIndividualRecord byStatus;
  byStatus.death.date = Status(CDateValue::kStatusDead);
  const std::int32_t dead = Born(byStatus, 1950);
  EXPECT_OUTCOME(Judge(dead, 0, kZelBaptism), kZelQualified, 2);
  EXPECT_EQ(GetZelReasonText(kZelQualified, 2), "*Deceased > 1 year?*");

  CIndividualRecord stillborn;
  stillborn.baptism.date = Status(CDateValue::kStatusStillborn);
  const std::int32_t still = Born(stillborn, 1900);
  EXPECT_OUTCOME(Judge(still, 0, kZelEndowment), kZelNotNeeded, 4);
  EXPECT_OUTCOME(Judge(still, 0, kZelSealingToParents), kZelNotNeeded, 4);
  EXPECT_OUTCOME(Judge(still, 0, kZelBaptism), kZelNotNeeded, 3);

  CIndividualRecord endowed;
  endowed.endowment.date = Date(1930, 5, 5);
  const std::int32_t done = Born(endowed, 1900);
  EXPECT_OUTCOME(Judge(done, 0, kZelBaptism), kZelNotNeeded, 2);

  CIndividualRecord living;
  const std::int32_t alive = Born(living, 1960);
  EXPECT_OUTCOME(Judge(alive, 0, kZelBaptism), kZelNotQualified, 16);

  CIndividualRecord noPlace;
  noPlace.birth.date = Date(1900);
  const std::int32_t nowhere = Add(noPlace, "Miller", "Carl", 'M');
  EXPECT_OUTCOME(Judge(nowhere, 0, kZelBaptism), kZelNotQualified, 1);

  CIndividualRecord unnamed;
  const std::int32_t noName = Add(unnamed, "", "", 'M');
  EXPECT_OUTCOME(Judge(noName, 0, kZelBaptism), kZelNotQualified, 15);

  EXPECT_OUTCOME(Judge(9999, 0, kZelBaptism), kZelUnreadable, 0);
}

TEST_F(ZelRules, SexLetterInEitherCaseCounts) {
  CIndividualRecord unknown;
  SetBirth(unknown, Date(1900), "Springfield");
  EXPECT_OUTCOME(Judge(Add(unknown, "Gray", "Lee", 'U'), 0, kZelBaptism), kZelNotQualified, 10);
  EXPECT_EQ(GetZelReasonText(kZelNotQualified, 10), "No sex code");
  CIndividualRecord lower;
  SetBirth(lower, Date(1900), "Springfield");
  EXPECT_OUTCOME(Judge(Add(lower, "Gray", "Ann", 'f'), 0, kZelBaptism), kZelQualified, 0);
}

TEST_F(ZelRules, SealingToParents) {
  CIndividualRecord dad;
  SetBirth(dad, Date(1870), "Springfield");
  const std::int32_t father = Add(dad, "Miller", "Adam", 'M');
  CIndividualRecord mum;
  mum.death.date = Date(2019, 12, 1);  // not dead for a year
  SetBirth(mum, Date(1880), "Springfield");
  const std::int32_t mother = Add(mum, "Ross", "Eve", 'F');
  CIndividualRecord kid;
  const std::int32_t child = Born(kid, 1900);
  const std::int32_t parents = Marry(father, mother);
  AddChild(parents, child);
  EXPECT_OUTCOME(Judge(child, parents, kZelSealingToParents), kZelNotQualified, 6);
  EXPECT_EQ(GetZelReasonText(kZelNotQualified, 6), "Mother not dec. for 1 year");
  // Without the parents' marriage: no father.
  EXPECT_OUTCOME(Judge(child, 0, kZelSealingToParents), kZelNotQualified, 3);

  CIndividualRecord orphan;
  const std::int32_t lone = Born(orphan, 1900);
  const std::int32_t motherOnly = Marry(0, father);
  AddChild(motherOnly, lone);
  EXPECT_OUTCOME(Judge(lone, motherOnly, kZelSealingToParents), kZelNotQualified, 3);

  CIndividualRecord nameless;
  const std::int32_t noName = Add(nameless, "", "", 'M');
  CIndividualRecord other;
  const std::int32_t second = Born(other, 1900);
  const std::int32_t m = Marry(noName, mother);
  AddChild(m, second);
  EXPECT_OUTCOME(Judge(second, m, kZelSealingToParents), kZelNotQualified, 11);
}

TEST_F(ZelRules, SealingToSpouse) {
  CIndividualRecord him;
  const std::int32_t husband = Add(him, "Miller", "John", 'M');
  CIndividualRecord her;
  const std::int32_t wife = Add(her, "Baker", "Mary", 'F');
  const std::int32_t m = Marry(husband, wife);
  // No dated place for the marriage.
  EXPECT_OUTCOME(Judge(husband, m, kZelSealingToSpouse), kZelNotQualified, 14);
  // A hundred years ago: qualified whatever else is recorded.
  SetMarriageEvent(m, Date(1920, 5, 1), "Springfield");
  EXPECT_OUTCOME(Judge(husband, m, kZelSealingToSpouse), kZelQualified, 0);
  EXPECT_OUTCOME(Judge(wife, m, kZelSealingToSpouse), kZelQualified, 0);
  // Fifty years ago, both living: the individual is not presumed dead.
  SetMarriageEvent(m, Date(1970, 5, 1), "Springfield");
  EXPECT_OUTCOME(Judge(husband, m, kZelSealingToSpouse), kZelNotQualified, 16);

  // The wife of a marriage without husband has no spouse.
  const std::int32_t alone = Marry(0, wife);
  SetMarriageEvent(alone, Date(1920), "Springfield");
  EXPECT_OUTCOME(Judge(wife, alone, kZelSealingToSpouse), kZelNotQualified, 8);

  // Both dead long ago, the spouse only by status.
  CIndividualRecord a;
  a.death.date = Date(1990, 1, 1);
  const std::int32_t first = Add(a, "Hill", "Tom", 'M');
  CIndividualRecord b;
  b.death.date = Status(CDateValue::kStatusDeceased);
  const std::int32_t second = Add(b, "Hill", "Sue", 'F');
  const std::int32_t couple = Marry(first, second);
  SetMarriageEvent(couple, Date(1950), "Springfield");
  EXPECT_OUTCOME(Judge(first, couple, kZelSealingToSpouse), kZelQualified, 3);
  EXPECT_OUTCOME(Judge(second, couple, kZelSealingToSpouse), kZelQualified, 2);
  EXPECT_EQ(GetZelReasonText(kZelQualified, 3), "*Spouse Dec > 1 yr?*");
}

TEST_F(ZelRules, PresumedDeceasedByMarriageOrChildren) {
  struct Case {
    CDateValue marriage;
    bool expected;
  } cases[] = {
      {Date(1924, 6, 10), true},   // 96 years ago
      {Date(1926, 6, 20), false},  // 94 years ago
  };
  for (const Case& c : cases) {
    CIndividualRecord person;
    const std::int32_t rin = Add(person, "Miller", "John", 'M');
    const std::int32_t m = Marry(rin, 0);
    SetMarriageEvent(m, c.marriage, "Springfield");
    ASSERT_EQ(family::Read(person, rin), 1);
    EXPECT_EQ(IsPresumedDeceased(person), c.expected) << c.marriage.year;
  }

  // No marriage date: the earliest child's birth or christening decides.
  CIndividualRecord parent;
  const std::int32_t p = Add(parent, "Stone", "Ruth", 'F');
  const std::int32_t m = Marry(0, p);
  CIndividualRecord late;
  SetBirth(late, Date(1960), "Springfield");
  AddChild(m, Add(late, "Stone", "Ann", 'F'));
  ASSERT_EQ(family::Read(parent, p), 1);
  EXPECT_FALSE(IsPresumedDeceased(parent));
  CIndividualRecord early;
  early.christening.date = Date(1920, 2, 2);
  AddChild(m, Add(early, "Stone", "Bob", 'M'));
  EXPECT_TRUE(IsPresumedDeceased(parent));

  CIndividualRecord nobody;
  const std::int32_t n = Add(nobody, "Gray", "Lee", 'M');
  ASSERT_EQ(family::Read(nobody, n), 1);
  EXPECT_FALSE(IsPresumedDeceased(nobody));
  nobody.burial.date = Date(2019);
  EXPECT_TRUE(IsPresumedDeceased(nobody));
  CIndividualRecord born;
  born.birth.date = Date(1910, 6, 1);
  EXPECT_TRUE(IsPresumedDeceased(born));
  born.birth.date = Date(1910, 7, 1);
  EXPECT_FALSE(IsPresumedDeceased(born));
}

TEST_F(ZelRules, RulesLeaveTheStoredRecordsAlone) {
  CIndividualRecord r;
  r.death.date = Status(CDateValue::kStatusDead);
  const std::int32_t rin = Born(r, 1900);
  const std::int32_t spouse = Add("Hill", "Sue", 'F');
  const std::int32_t m = Marry(rin, spouse);
  SetMarriageEvent(m, Date(1990), "Springfield");
  CIndividualRecord before;
  ASSERT_EQ(family::Read(before, rin), 1);
  CMarriageRecord marriageBefore;
  ASSERT_EQ(family::Read(marriageBefore, m), 1);
  for (int kind = kZelBaptism; kind <= kZelSealingToSpouse; ++kind) Judge(rin, m, kind);
  CIndividualRecord after;
  ASSERT_EQ(family::Read(after, rin), 1);
  EXPECT_TRUE(after.birth.date.Equals(before.birth.date));
  EXPECT_TRUE(after.death.date.Equals(before.death.date));
  EXPECT_EQ(after.sex, before.sex);
  EXPECT_EQ(after.numbers[7], before.numbers[7]);  // change stamp
  CMarriageRecord marriageAfter;
  ASSERT_EQ(family::Read(marriageAfter, m), 1);
  EXPECT_TRUE(marriageAfter.marriage.date.Equals(marriageBefore.marriage.date));
  EXPECT_EQ(marriageAfter.sealingToSpouse.date.IsSet(), false);
}

TEST(ZelTexts, HeadlinesAndReasons) {
  EXPECT_EQ(GetZelHeadline(kZelQualified), "Qualified");
  EXPECT_EQ(GetZelHeadline(kZelNotNeeded), "Not needed:");
  EXPECT_EQ(GetZelHeadline(kZelNotQualified), "Not qualified:");
  EXPECT_EQ(GetZelHeadline(kZelUnreadable), "");
  EXPECT_EQ(GetZelReasonText(kZelQualified, 0), "");
  EXPECT_EQ(GetZelReasonText(kZelNotNeeded, 3), "");
  EXPECT_EQ(GetZelReasonText(kZelNotNeeded, 4), "Stillborn");
  EXPECT_EQ(GetZelReasonText(kZelNotQualified, 13), "Missing spouse's name");
  EXPECT_EQ(GetZelReasonText(kZelNotQualified, 19), "No death info on spouse");
}

}  // namespace
