// The decisions of the Merge Individuals screen: Next Match and Previous
// through groups and merges, Switch, sides chosen by hand and when Merge
// may run.

#include <gtest/gtest.h>

#include "KinFixture.h"
#include "MergeSession.h"

namespace {

class MergeSessionTest : public KinFamilyFixture {
 protected:
  MatchOptions options = [] {
    MatchOptions o;
    o.mrgDOB = 1;
    return o;
  }();
  std::string LastBox() const {
    return boxes.Calls().empty() ? std::string()
                                 : boxes.Calls().back().text + " | " + boxes.Calls().back().caption;
  }
};

TEST_F(MergeSessionTest, NextThroughAGroupOfThreeWithMerges) {
  const std::int32_t a1 = Person("Anna", 'F');
  const std::int32_t a2 = Person("Ana", 'F');
  const std::int32_t a3 = Person("Anne", 'F');
  const std::int32_t o1 = Person("Olaf", 'M');
  const std::int32_t o2 = Person("Olof", 'M');
  CMergeSession session(CMergeWorkFile::kNameMode);
  ASSERT_TRUE(session.Step(1, options));
  EXPECT_EQ(session.Primary(), a1);
  EXPECT_EQ(session.Duplicate(), a2);
  EXPECT_EQ(session.DuplicatePosition(), 1);
  ASSERT_EQ(session.Merge(MergeChoices{}, options), 1);
  EXPECT_EQ(session.Duplicate(), 0);
  // The third member is offered with the same primary, after the merge.
  ASSERT_TRUE(session.Step(1, options));
  EXPECT_EQ(session.Primary(), a1);
  EXPECT_EQ(session.Duplicate(), a3);
  ASSERT_TRUE(session.Step(1, options));
  EXPECT_EQ(session.Primary(), o1);
  EXPECT_EQ(session.Duplicate(), o2);
  EXPECT_TRUE(boxes.Calls().empty()) << LastBox();
  EXPECT_FALSE(session.Step(1, options));
  EXPECT_EQ(LastBox(), "No more next matches. | Auto Match");
}

TEST_F(MergeSessionTest, PreviousWalksBack) {
  const std::int32_t a1 = Person("Anna", 'F');
  const std::int32_t a2 = Person("Ana", 'F');
  Person("Olaf", 'M');
  Person("Olof", 'M');
  CMergeSession session(CMergeWorkFile::kNameMode);
  ASSERT_TRUE(session.Step(1, options));
  ASSERT_TRUE(session.Step(1, options));
  ASSERT_TRUE(session.Step(-1, options));
  EXPECT_EQ(session.Primary(), a2);
  EXPECT_EQ(session.Duplicate(), a1);
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_FALSE(session.Step(-1, options));
  EXPECT_EQ(LastBox(), "No more previous matches. | Auto Match");
}

TEST_F(MergeSessionTest, SwitchAndSidesChosenByHand) {
  const std::int32_t a1 = Person("Anna", 'F');
  const std::int32_t a2 = Person("Ana", 'F');
  CMergeSession session(CMergeWorkFile::kNameMode);
  ASSERT_TRUE(session.Step(1, options));
  session.Switch();
  EXPECT_EQ(session.Primary(), a2);
  EXPECT_EQ(session.Duplicate(), a1);
  EXPECT_EQ(session.PrimaryPosition(), 1);
  EXPECT_EQ(session.DuplicatePosition(), 0);
  EXPECT_FALSE(session.ChooseDuplicate(a2));
  EXPECT_EQ(LastBox(),
            "You cannot have the same individual as both\nthe primary and the duplicate.\nPlease "
            "choose a different individual. | Invalid Merge RIN");
  EXPECT_EQ(session.Duplicate(), a1);
  EXPECT_TRUE(session.ChooseDuplicate(a1));
  EXPECT_EQ(session.DuplicatePosition(), 0);
}

TEST_F(MergeSessionTest, HandChosenDuplicateOutsideTheFile) {
  KinFamilyFixture::Person("Anna", 'F');
  CIndividualRecord r;
  const std::int32_t withSbn = Person("Anna", 'F');
  ASSERT_EQ(DbGetIndividualRecord(withSbn, r, 9), 1);
  r.texts1[1] = "X";
  ASSERT_EQ(family::Update(r, 0), 1);
  const std::int32_t other = Person("Ana", 'F');
  ASSERT_EQ(DbGetIndividualRecord(other, r, 9), 1);
  r.texts1[1] = "X";
  ASSERT_EQ(family::Update(r, 0), 1);
  const std::int32_t noSbn = Person("Anne", 'F');
  CMergeSession session(CMergeWorkFile::kSbnMode);
  ASSERT_TRUE(session.Step(1, options));
  EXPECT_EQ(session.Duplicate(), other);
  ASSERT_TRUE(session.ChooseDuplicate(noSbn));
  EXPECT_EQ(session.DuplicatePosition(), -1);
  // Next starts from the primary again and finds the SBN twin.
  ASSERT_TRUE(session.Step(1, options));
  EXPECT_EQ(session.Primary(), withSbn);
  EXPECT_EQ(session.Duplicate(), other);
}

TEST_F(MergeSessionTest, MergeBlocks) {
  const std::int32_t anna = Person("Anna", 'F');
  const std::int32_t olaf = Person("Anna", 'M');
  const std::int32_t mother = Person("Eva", 'F');
  const std::int32_t child = ChildOf(Marry(0, mother), "Eva", 'F');
  CMergeSession session(CMergeWorkFile::kNameMode);
  EXPECT_EQ(session.MergeBlock(), -1);
  session.ChoosePrimary(anna);
  EXPECT_EQ(session.MergeBlock(), -1);
  session.ChooseDuplicate(olaf);
  EXPECT_EQ(session.MergeBlock(), 4025);
  EXPECT_EQ(session.Merge(MergeChoices{}, options), 0);
  session.ChoosePrimary(mother);
  session.ChooseDuplicate(child);
  EXPECT_EQ(session.MergeBlock(), 4026);
  session.ChooseDuplicate(anna);
  EXPECT_EQ(session.MergeBlock(), 0);
}

TEST(AskBeforeMergeTest, ShiftOrTheOptionSkipsTheQuestion) {
  EXPECT_TRUE(AskBeforeMerge(false, 1));
  EXPECT_FALSE(AskBeforeMerge(true, 1));
  EXPECT_FALSE(AskBeforeMerge(false, 0));
  EXPECT_FALSE(AskBeforeMerge(true, 0));
}

}  // namespace
