// Add Parents without its dialog: which marriage becomes the parents', the
// refusals with their messages, and the links it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "AddParents.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EditFixture.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

using addparents::CAddParentsModel;
using addparents::Hooks;

class AddParentsTest : public EditFamilyFixture {
 protected:
  void SetUp() override {
    EditFamilyFixture::SetUp();
    child = Add("Lind", "Eva", 'F', 1950);
    hooks.show = [this](const std::string& text) { shown.push_back(text); };
    hooks.askYesNo = [this](const std::string& text) {
      asked.push_back(text);
      return answer;
    };
  }
  static std::vector<std::int32_t> ParentsOf(std::int32_t rin) {
    std::vector<std::int32_t> list;
    DbGetRelationList(list, db::kRelParents, 4, rin, 0);
    return list;
  }
  static CMarriageRecord Marriage(std::int32_t mrin) {
    CMarriageRecord record;
    EXPECT_EQ(family::Read(record, mrin), 1);
    return record;
  }

  std::int32_t child = 0;
  Hooks hooks;
  bool answer = false;
  std::vector<std::string> shown, asked;
};

TEST_F(AddParentsTest, APersonWithoutMarriagesGetsANewOneOnTheirSide) {
  for (const char sex : {'M', 'F'}) {
    SCOPED_TRACE(sex);
    const std::int32_t parent = Add("Lind", "Per", sex, 1920);
    CAddParentsModel model(child);
    model.TakeFound(parent, false, hooks);
    ASSERT_GT(model.ChosenMrin(), 0);
    EXPECT_EQ(sex == 'F' ? model.Wife() : model.Husband(), parent);
    const std::int32_t link = model.Finish();
    EXPECT_GT(link, 0);
    const std::vector<std::int32_t> parents = ParentsOf(child);
    EXPECT_NE(std::find(parents.begin(), parents.end(), model.ChosenMrin()), parents.end());
  }
  EXPECT_TRUE(shown.empty());
}

TEST_F(AddParentsTest, AParentWithMarriagesChoosesOneAndTheOtherSideJoinsIt) {
  const std::int32_t father = Add("Lind", "Per", 'M', 1920);
  const std::int32_t mother = Add("Berg", "Ada", 'F', 1922);
  const std::int32_t existing = Marry(father, 0);
  std::int32_t offeredFor = 0;
  hooks.marriagesFor = [&](std::int32_t rin) {
    offeredFor = rin;
    return existing;
  };
  CAddParentsModel model(child);
  model.TakeParent(father, true, hooks);
  EXPECT_EQ(offeredFor, father);
  EXPECT_EQ(model.ChosenMrin(), existing);
  model.TakeParent(mother, false, hooks);
  EXPECT_EQ(model.Wife(), mother);
  EXPECT_EQ(Marriage(existing).wife, mother);
  // Marriages for without a choice leaves a new marriage to be made.
  hooks.marriagesFor = [](std::int32_t) { return std::int32_t{0}; };
  CAddParentsModel other(child);
  other.TakeParent(father, true, hooks);
  EXPECT_NE(other.ChosenMrin(), existing);
  EXPECT_EQ(other.Husband(), father);
}

TEST_F(AddParentsTest, RefusedCandidatesLeaveNoMarriageChosen) {
  const std::int32_t father = Add("Lind", "Per", 'M', 1920);
  const std::int32_t mother = Add("Berg", "Ada", 'F', 1922);
  const std::int32_t parents = Marry(father, mother);
  ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, parents), 0);
  const std::int32_t ownMarriage = Marry(Add("Holm", "Bo", 'M', 1948), child);

  CAddParentsModel model(child);
  model.TakeFound(child, false, hooks);
  EXPECT_EQ(model.ChosenMrin(), 0);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], res::LoadString(res::kIdsLinkedToItself));

  EXPECT_FALSE(model.ChooseMarriage(ownMarriage, hooks));
  EXPECT_EQ(shown.back(), res::LoadString(res::kIdsAlreadySpouse));
  EXPECT_EQ(model.ChosenMrin(), 0);

  // Already a child there: without edit rights only the message; with them
  // No refuses and Yes makes a new marriage of the same couple.
  hooks.canEdit = [] { return false; };
  EXPECT_FALSE(model.ChooseMarriage(parents, hooks));
  EXPECT_EQ(shown.back(), res::LoadString(res::kIdsAlreadyChild));
  EXPECT_TRUE(asked.empty());
  hooks.canEdit = [] { return true; };
  answer = false;
  EXPECT_FALSE(model.ChooseMarriage(parents, hooks));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], res::LoadString(res::kIdsAlreadyChild) + " " +
                          res::LoadString(res::kIdsCreateMarriage));
  answer = true;
  std::int32_t opened = 0;
  hooks.editMarriageOption = true;
  hooks.openMarriage = [&](std::int32_t mrin) { opened = mrin; };
  ASSERT_TRUE(model.ChooseMarriage(parents, hooks));
  EXPECT_NE(model.ChosenMrin(), parents);
  EXPECT_EQ(opened, model.ChosenMrin());
  EXPECT_EQ(model.Husband(), father);
  EXPECT_EQ(model.Wife(), mother);
}

TEST_F(AddParentsTest, AFoundParentAlreadyInTheFamilyIsAskedAboutOthersRefused) {
  struct Case {
    int message;
    bool answer;
    bool accepted;
    bool asks;
  };
  for (const Case& c : {Case{0, false, true, false}, Case{res::kIdsAlreadyFather, true, true, true},
                        Case{res::kIdsAlreadyMother, false, false, true},
                        Case{res::kIdsAlreadySpouse, true, false, false}}) {
    SCOPED_TRACE(c.message);
    asked.clear();
    shown.clear();
    answer = c.answer;
    EXPECT_EQ(addparents::AcceptFoundParent(c.message, hooks), c.accepted);
    EXPECT_EQ(asked.size(), c.asks ? 1u : 0u);
    EXPECT_EQ(shown.size(), !c.asks && c.message != 0 ? 1u : 0u);
  }
}

// Every way to parents, with the option to open the Marriage screen on and
// off: which marriage is chosen, whether the screen opens on it, and the
// child's link written on OK.
TEST_F(AddParentsTest, EveryRoadToParentsWithAndWithoutTheMarriageScreen) {
  enum Chosen { kNone, kExisting, kNew };
  struct Case {
    const char* what;
    // Runs the road on the model; the MRIN it should choose when kExisting.
    std::function<std::int32_t(CAddParentsModel&)> road;
    Chosen chosen;
    bool opensScreen;  // with the option on
    int message;       // shown, 0 none
  };
  const Case cases[] = {
      {"a marriage found by search",
       [&](CAddParentsModel& m) {
         const std::int32_t mrin =
             Marry(Add("Lind", "Per", 'M', 1920), Add("Berg", "Ada", 'F', 1922));
         m.TakeFound(mrin, true, hooks);
         return mrin;
       },
       kExisting, false, 0},
      {"a found father with a marriage",
       [&](CAddParentsModel& m) {
         const std::int32_t father = Add("Lind", "Ole", 'M', 1920);
         const std::int32_t mrin = Marry(father, Add("Berg", "Una", 'F', 1921));
         hooks.marriagesFor = [mrin](std::int32_t) { return mrin; };
         m.TakeFound(father, false, hooks);
         return mrin;
       },
       kExisting, true, 0},
      {"a new father from the add screen",
       [&](CAddParentsModel& m) {
         m.TakeParent(Add("Lind", "Nils", 'M', 1921), true, hooks);
         return std::int32_t{0};
       },
       kNew, true, 0},
      {"already a child of the couple, a new marriage made",
       [&](CAddParentsModel& m) {
         const std::int32_t mrin =
             Marry(Add("Lind", "Jon", 'M', 1920), Add("Berg", "Eli", 'F', 1922));
         EXPECT_GT(DbSetRelation(child, 0, db::kRelParents, mrin), 0);
         answer = true;
         m.ChooseMarriage(mrin, hooks);
         return std::int32_t{0};
       },
       kNew, true, 0},
      {"the individual himself",
       [&](CAddParentsModel& m) {
         m.TakeFound(child, false, hooks);
         return std::int32_t{0};
       },
       kNone, false, res::kIdsLinkedToItself},
  };
  for (const bool option : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (option ? ", screen on" : ", screen off"));
      child = Add("Lind", "Eva", 'F', 1950);
      shown.clear();
      answer = false;
      hooks.marriagesFor = nullptr;
      std::vector<std::int32_t> opened;
      hooks.editMarriageOption = option;
      hooks.openMarriage = [&](std::int32_t mrin) { opened.push_back(mrin); };
      CAddParentsModel model(child);
      const std::int32_t existing = c.road(model);
      const std::vector<std::int32_t> before = ParentsOf(child);
      switch (c.chosen) {
        case kNone:
          EXPECT_EQ(model.ChosenMrin(), 0);
          break;
        case kExisting:
          EXPECT_EQ(model.ChosenMrin(), existing);
          break;
        case kNew:
          EXPECT_GT(model.ChosenMrin(), 0);
          EXPECT_EQ(std::find(before.begin(), before.end(), model.ChosenMrin()), before.end());
          break;
      }
      EXPECT_EQ(opened, option && c.opensScreen ? std::vector<std::int32_t>{model.ChosenMrin()}
                                                : std::vector<std::int32_t>{});
      EXPECT_EQ(shown, c.message != 0 ? std::vector<std::string>{res::LoadString(c.message)}
                                      : std::vector<std::string>{});
      const std::int32_t link = model.Finish();
      EXPECT_EQ(link > 0, c.chosen != kNone);
      const std::vector<std::int32_t> after = ParentsOf(child);
      EXPECT_EQ(after.size(), before.size() + (c.chosen != kNone ? 1 : 0));
      if (c.chosen != kNone) {
        EXPECT_NE(std::find(after.begin(), after.end(), model.ChosenMrin()), after.end());
      }
    }
  }
}

}  // namespace
