#include "AddRelatives.h"

#include <gtest/gtest.h>

#include <vector>

#include "EditFixture.h"
#include "StringIds.h"

using namespace addrelative;

namespace {

struct SexCase {
  Relative kind;
  char sex;
  int refusal;
  char preset;
};

TEST(AddRelativeSex, RefusalsAndPresets) {
  const SexCase cases[] = {
      {Relative::kSpouse, ' ', res::kIdsSpouseNeedsSex, ' '},
      {Relative::kSpouse, '?', res::kIdsSpouseNeedsSex, ' '},
      {Relative::kSpouse, 'M', 0, 'F'},
      {Relative::kSpouse, 'F', 0, 'M'},
      {Relative::kChild, ' ', res::kIdsChildNeedsSex, ' '},
      {Relative::kChild, 'F', 0, ' '},
      {Relative::kFather, ' ', 0, 'M'},
      {Relative::kMother, 'M', 0, 'F'},
  };
  for (const SexCase& c : cases) {
    SCOPED_TRACE(std::string("sex '") + c.sex + "' kind " + std::to_string(int(c.kind)));
    EXPECT_EQ(SexRefusal(c.kind, c.sex), c.refusal);
    EXPECT_EQ(PresetSex(c.kind, c.sex), c.preset);
  }
}

TEST(AddRelativeSex, MarriageScreenOnlyForAMadeMarriageWithTheOptionOn) {
  const LinkResult made{7, true}, joined{7, false}, failed{0, true};
  EXPECT_TRUE(OpensMarriageScreen(made, true));
  EXPECT_FALSE(OpensMarriageScreen(made, false));
  EXPECT_FALSE(OpensMarriageScreen(joined, true));
  EXPECT_FALSE(OpensMarriageScreen(failed, true));
}

class AddRelativeLinks : public EditFamilyFixture {
 protected:
  static CMarriageRecord Marriage(std::int32_t mrin) {
    CMarriageRecord m;
    EXPECT_EQ(family::Read(m, mrin), 1);
    return m;
  }
  static std::vector<std::int32_t> ParentsOf(std::int32_t rin) {
    std::vector<std::int32_t> list;
    DbGetRelationList(list, db::kRelParents, 4, rin, 0);
    return list;
  }
};

TEST_F(AddRelativeLinks, FatherJoinsTheParentsMarriageThatHasOnlyAWife) {
  const std::int32_t mother = Add("Ash", "Mary", 'F');
  const std::int32_t child = Add("Ash", "Tom", 'M');
  const std::int32_t mrin = Marry(0, mother);
  AddChild(mrin, child);
  const std::int32_t father = Add("Ash", "John", 'M');
  const std::int32_t marriagesBefore = DbGetActiveRecordCount(db::kMarriage);

  EXPECT_TRUE(CanAddParent(child, 0, true));
  EXPECT_FALSE(CanAddParent(child, 0, false));
  const LinkResult result = LinkParent(child, 0, father, true);
  EXPECT_EQ(result.mrin, mrin);
  EXPECT_FALSE(result.created);
  EXPECT_EQ(DbGetActiveRecordCount(db::kMarriage), marriagesBefore);
  const CMarriageRecord m = Marriage(mrin);
  EXPECT_EQ(m.husband, father);
  EXPECT_EQ(m.wife, mother);
  EXPECT_EQ(ParentsOf(child), std::vector<std::int32_t>{mrin});
  EXPECT_FALSE(CanAddParent(child, 0, true));
}

TEST_F(AddRelativeLinks, ParentOfAChildWithoutParentsMakesAMarriage) {
  const std::int32_t child = Add("Birch", "Ann", 'F');
  const std::int32_t mother = Add("Birch", "Eve", 'F');
  EXPECT_TRUE(CanAddParent(child, 0, true));
  EXPECT_TRUE(CanAddParent(child, 0, false));
  const LinkResult result = LinkParent(child, 0, mother, false);
  ASSERT_TRUE(result.ok());
  EXPECT_TRUE(result.created);
  const CMarriageRecord m = Marriage(result.mrin);
  EXPECT_EQ(m.wife, mother);
  EXPECT_EQ(m.husband, 0);
  EXPECT_EQ(ParentsOf(child), std::vector<std::int32_t>{result.mrin});
}

TEST_F(AddRelativeLinks, ParentRefusedWhenThatSideIsTaken) {
  const std::int32_t father = Add("Cole", "Sam", 'M');
  const std::int32_t child = Add("Cole", "Joe", 'M');
  const std::int32_t mrin = Marry(father, 0);
  AddChild(mrin, child);
  const std::int32_t other = Add("Dane", "Rob", 'M');
  EXPECT_FALSE(LinkParent(child, 0, other, true).ok());
  EXPECT_EQ(Marriage(mrin).husband, father);
}

TEST_F(AddRelativeLinks, ParentGoesIntoTheShownParentFamily) {
  const std::int32_t child = Add("Eld", "Kim", 'F');
  const std::int32_t first = Marry(Add("Eld", "Bo", 'M'), 0);
  const std::int32_t second = Marry(0, Add("Eld", "Di", 'F'));
  AddChild(first, child);
  AddChild(second, child);
  const std::int32_t father = Add("Fenn", "Al", 'M');
  EXPECT_FALSE(CanAddParent(child, first, true));
  EXPECT_TRUE(CanAddParent(child, second, true));
  const LinkResult result = LinkParent(child, second, father, true);
  EXPECT_EQ(result.mrin, second);
  EXPECT_EQ(Marriage(second).husband, father);
}

TEST_F(AddRelativeLinks, SpouseFillsTheFreeSideOrMakesAMarriage) {
  const std::int32_t wife = Add("Gray", "Lil", 'F');
  const std::int32_t alone = Marry(0, wife);
  const std::int32_t husband = Add("Hale", "Ned", 'M');
  const LinkResult joined = LinkSpouse(wife, husband, alone);
  EXPECT_EQ(joined.mrin, alone);
  EXPECT_FALSE(joined.created);
  EXPECT_EQ(Marriage(alone).husband, husband);

  // The marriage is now full: a second husband gets a marriage of his own.
  const std::int32_t second = Add("Ives", "Ben", 'M');
  const LinkResult made = LinkSpouse(wife, second, alone);
  ASSERT_TRUE(made.ok());
  EXPECT_TRUE(made.created);
  EXPECT_NE(made.mrin, alone);
  EXPECT_EQ(Marriage(made.mrin).husband, second);
  EXPECT_EQ(Marriage(made.mrin).wife, wife);
}

TEST_F(AddRelativeLinks, SpouseOfUnknownSexAddsNothing) {
  const std::int32_t unknown = Add("Jule", "Pat", ' ');
  const std::int32_t spouse = Add("Jule", "Max", 'M');
  const std::int32_t before = DbGetActiveRecordCount(db::kMarriage);
  EXPECT_EQ(SexRefusal(Relative::kSpouse, static_cast<char>(DbGetSex(unknown))),
            res::kIdsSpouseNeedsSex);
  EXPECT_FALSE(LinkSpouse(unknown, spouse, 0).ok());
  EXPECT_EQ(DbGetActiveRecordCount(db::kMarriage), before);
}

TEST_F(AddRelativeLinks, ChildIntoTheFocusMarriageOrANewOne) {
  const std::int32_t mother = Add("Kerr", "Ada", 'F');
  const std::int32_t mrin = Marry(Add("Kerr", "Ian", 'M'), mother);
  const std::int32_t first = Add("Kerr", "Una", 'F');
  const LinkResult into = LinkChild(mother, mrin, first);
  EXPECT_EQ(into.mrin, mrin);
  EXPECT_FALSE(into.created);
  EXPECT_EQ(ParentsOf(first), std::vector<std::int32_t>{mrin});

  const std::int32_t second = Add("Kerr", "Vic", 'M');
  const LinkResult made = LinkChild(mother, 0, second);
  ASSERT_TRUE(made.ok());
  EXPECT_TRUE(made.created);
  EXPECT_EQ(Marriage(made.mrin).wife, mother);
  EXPECT_EQ(Marriage(made.mrin).husband, 0);
  EXPECT_EQ(ParentsOf(second), std::vector<std::int32_t>{made.mrin});

  const std::int32_t unknown = Add("Lowe", "Sky", ' ');
  EXPECT_FALSE(LinkChild(unknown, 0, Add("Lowe", "Ray", 'M')).ok());
}

// Where a child goes, from the view's focus: a parent and its marriage, a
// marriage alone, or a parent whose marriage is picked (or made) later.
TEST_F(AddRelativeLinks, ChildRoadFollowsTheFocus) {
  const std::int32_t husband = Add("Berg", "Olof", 'M');
  const std::int32_t wife = Add("Dahl", "Karin", 'F');
  const std::int32_t single = Add("Ek", "Nils", 'M');
  const std::int32_t other = Add("Falk", "Ida", 'F');
  const std::int32_t both = Marry(husband, wife);
  ASSERT_GT(Marry(husband, other), 0);  // the husband's second marriage
  CMarriageRecord empty;
  const std::int32_t nobody = DbAddRecord(db::kMarriage, 0, &empty);
  ASSERT_GT(nobody, 0);
  struct Case {
    const char* what;
    std::int32_t focus, marriage, fallback;
    ChildRoad want;
  };
  const Case cases[] = {
      {"parent in its marriage", husband, both, 0, {husband, both, false}},
      {"mother in the marriage", wife, both, 0, {wife, both, false}},
      {"marriage not the parent's", single, both, 0, {single, 0, false}},
      {"several marriages, none in focus", husband, 0, 0, {husband, 0, true}},
      {"one marriage, none in focus", other, 0, 0, {other, 0, true}},
      {"no marriage at all", single, 0, 0, {single, 0, false}},
      {"marriage alone", 0, both, husband, {0, both, false}},
      {"marriage without partners", 0, nobody, 0, {0, nobody, false}},
      {"nothing in focus: the primary", 0, 0, husband, {husband, 0, true}},
      {"nothing at all", 0, 0, 0, {0, 0, false}},
      {"a deleted marriage is none", single, 999, 0, {single, 0, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ChildRoad road = DecideChildRoad(c.focus, c.marriage, c.fallback);
    EXPECT_EQ(road.parent, c.want.parent);
    EXPECT_EQ(road.marriage, c.want.marriage);
    EXPECT_EQ(road.chooseMarriage, c.want.chooseMarriage);
    EXPECT_EQ(road.ok(), c.want.parent > 0 || c.want.marriage > 0);
  }
}

TEST_F(AddRelativeLinks, ChildCaptionsAndSurnames) {
  const std::int32_t husband = Add("Berg", "Olof", 'M');
  const std::int32_t wife = Add("Dahl", "Karin", 'F');
  const std::int32_t both = Marry(husband, wife);
  const std::int32_t wifeOnly = Marry(0, wife);
  const ChildRoad ofFather{husband, both, false}, ofMother{wife, both, false},
      ofMarriage{0, both, false}, ofLoneWife{0, wifeOnly, false}, ofMotherAlone{wife, 0, true};
  EXPECT_EQ(ChildCaption(ofFather, false, "Olof Berg"), "Add child for Olof Berg");
  EXPECT_EQ(ChildCaption(ofFather, true, "Olof Berg"), "Child for Olof Berg");
  EXPECT_EQ(ChildCaption(ofMarriage, false, ""),
            "Add Child for Marriage - " + std::to_string(both));
  EXPECT_EQ(ChildCaption(ofMarriage, true, ""), "Child for Marriage - " + std::to_string(both));
  // The surname comes from the father: the parent when male, else the
  // marriage's husband.
  EXPECT_EQ(ChildSurnameSource(ofFather), husband);
  EXPECT_EQ(ChildSurnameSource(ofMother), husband);
  EXPECT_EQ(ChildSurnameSource(ofMarriage), husband);
  EXPECT_EQ(ChildSurnameSource(ofLoneWife), 0);
  EXPECT_EQ(ChildSurnameSource(ofMotherAlone), 0);
  // A child of the marriage alone goes into it.
  const std::int32_t child = Add("Berg", "Lisa", 'F');
  const LinkResult result = LinkChild(ofMarriage.parent, ofMarriage.marriage, child);
  EXPECT_EQ(result.mrin, both);
  EXPECT_FALSE(result.created);
  EXPECT_EQ(ParentsOf(child), std::vector<std::int32_t>{both});
}

}  // namespace
