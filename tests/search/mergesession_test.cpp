// The decisions of the Merge Individuals screen: Next Match and Previous
// through groups and merges, Switch, sides chosen by hand and when Merge
// may run.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "KinFixture.h"
#include "MarriageRecord.h"
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

// The duplicate has a marriage with a child that the user did not choose:
// the merge asks once, before anything changes, and Yes deletes that
// marriage while No keeps it, with its husband and child, without the
// duplicate. The chosen marriage moves either way.
TEST_F(MergeSessionTest, MarriagesLeftBehindAreDeletedOnlyOnYes) {
  const struct {
    int answer;
    bool kept;
  } cases[] = {{plat::kIdYes, false}, {plat::kIdNo, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    boxes.Clear();
    const std::int32_t primary = Person("Anna", 'F');
    const std::int32_t duplicate = Person("Ana", 'F');
    const std::int32_t bo = Person("Bo", 'M');
    const std::int32_t cy = Person("Cy", 'M');
    const std::int32_t taken = Marry(bo, duplicate);
    const std::int32_t left = Marry(cy, duplicate);
    const std::int32_t child = ChildOf(left, "Dag", 'M');
    CMergeSession session(CMergeWorkFile::kNameMode);
    ASSERT_TRUE(session.ChoosePrimary(primary));
    ASSERT_TRUE(session.ChooseDuplicate(duplicate));
    MergeChoices choices;
    choices.allMarriages = false;
    choices.marriages = {taken};
    boxes.QueueAnswer(c.answer);
    ASSERT_EQ(session.Merge(choices, options), 1);

    ASSERT_EQ(boxes.Calls().size(), 1u);
    const plat::FakeMessageBox::Call& asked = boxes.Calls()[0];
    EXPECT_EQ(asked.text.rfind("1 of the duplicate's marriages", 0), 0u) << asked.text;
    EXPECT_EQ(asked.flags & plat::kMbButtonMask, unsigned{plat::kMbYesNo});
    // No, the answer that keeps data, is the default.
    EXPECT_EQ(asked.flags & plat::kMbDefMask, unsigned{plat::kMbDefButton2});

    CMarriageRecord m;
    ASSERT_EQ(family::Read(m, taken), 1);
    EXPECT_EQ(m.wife, primary);
    std::vector<std::int32_t> cysMarriages, parents;
    DbGetRelationList(cysMarriages, db::kRelSpouses, 0, cy, 0);
    DbGetRelationList(parents, db::kRelParents, 4, child, 0);
    cysMarriages.erase(std::remove(cysMarriages.begin(), cysMarriages.end(), 0),
                       cysMarriages.end());
    parents.erase(std::remove(parents.begin(), parents.end(), 0), parents.end());
    if (c.kept) {
      ASSERT_EQ(family::Read(m, left), 1);
      EXPECT_EQ(m.husband, cy);
      EXPECT_EQ(m.wife, 0);
      EXPECT_EQ(cysMarriages, (std::vector<std::int32_t>{left}));
      EXPECT_EQ(parents, (std::vector<std::int32_t>{left}));
    } else {
      EXPECT_NE(family::Read(m, left), 1);
      EXPECT_TRUE(cysMarriages.empty());
      EXPECT_TRUE(parents.empty());
    }
    // The child and the spouse stay in the file either way.
    CIndividualRecord r;
    EXPECT_EQ(DbGetIndividualRecord(child, r, 1), 1);
    EXPECT_EQ(DbGetIndividualRecord(cy, r, 1), 1);
    EXPECT_NE(DbGetIndividualRecord(duplicate, r, 1), 1);
  }
}

// Nothing is asked when every marriage moves, or none is left to lose.
TEST_F(MergeSessionTest, NoQuestionWhenNoMarriageIsLeftBehind) {
  const std::int32_t primary = Person("Anna", 'F');
  const std::int32_t duplicate = Person("Ana", 'F');
  const std::int32_t married = Marry(Person("Bo", 'M'), duplicate);
  const std::int32_t second = Person("Anne", 'F');
  CMergeSession session(CMergeWorkFile::kNameMode);
  ASSERT_TRUE(session.ChoosePrimary(primary));
  ASSERT_TRUE(session.ChooseDuplicate(duplicate));
  ASSERT_EQ(session.Merge(MergeChoices{}, options), 1);  // every marriage taken
  CMarriageRecord m;
  ASSERT_EQ(family::Read(m, married), 1);
  EXPECT_EQ(m.wife, primary);
  ASSERT_TRUE(session.ChooseDuplicate(second));
  MergeChoices none;
  none.allMarriages = false;  // the list was shown, nothing chosen, nothing to lose
  ASSERT_EQ(session.Merge(none, options), 1);
  EXPECT_TRUE(boxes.Calls().empty()) << LastBox();
}

TEST(AskBeforeMergeTest, ShiftOrTheOptionSkipsTheQuestion) {
  EXPECT_TRUE(AskBeforeMerge(false, 1));
  EXPECT_FALSE(AskBeforeMerge(true, 1));
  EXPECT_FALSE(AskBeforeMerge(false, 0));
  EXPECT_FALSE(AskBeforeMerge(true, 0));
}

TEST(MergeSessionTitleTest, TheModeNamesTheScreen) {
  const struct {
    int mode;
    std::string title;
  } cases[] = {{CMergeWorkFile::kNameMode, "Merge Individuals"},
               {CMergeWorkFile::kSbnMode, "Merge on SBNs"}};
  for (const auto& c : cases) EXPECT_EQ(CMergeSession(c.mode).Title(), c.title) << c.mode;
}

}  // namespace
