// The Family Group page's starting couple, its roles, "Use list", the
// enabled states and what a run puts into the request.

#include <gtest/gtest.h>

#include <map>

#include "FakePorts.h"
#include "FamilyGroupPageOptions.h"

namespace {

using namespace rpt;

// A family of people and marriages kept in maps.
class FakeCoupleFamily : public CoupleSource {
 public:
  struct Marriage {
    std::int32_t husband = 0, wife = 0;
  };
  std::map<std::int32_t, Person> people;
  std::map<std::int32_t, Marriage> marriages;
  std::int32_t picked = 0;
  int picks = 0;
  std::vector<std::string> warnings;

  void AddMarriage(std::int32_t mrin, std::int32_t husband, std::int32_t wife) {
    marriages[mrin] = {husband, wife};
    if (husband) people[husband].marriages.push_back(mrin);
    if (wife) people[wife].marriages.push_back(mrin);
  }
  void AddPerson(std::int32_t rin, const char* name, char sex, std::int32_t parents = 0) {
    people[rin].name = name;
    people[rin].sex = sex;
    people[rin].parentFamily = parents;
  }

  bool ReadPerson(std::int32_t rin, Person& out) override {
    auto it = people.find(rin);
    if (it == people.end()) return false;
    out = it->second;
    return true;
  }
  bool ReadMarriage(std::int32_t mrin, std::int32_t& husband, std::int32_t& wife) override {
    auto it = marriages.find(mrin);
    if (it == marriages.end()) return false;
    husband = it->second.husband;
    wife = it->second.wife;
    return true;
  }
  std::string SpouseName(std::int32_t rin) override {
    auto it = people.find(rin);
    return it == people.end() ? "" : it->second.name;
  }
  std::int32_t PickMarriage(std::int32_t, const std::vector<std::int32_t>&) override {
    ++picks;
    return picked;
  }
  void Warn(const std::string& text) override { warnings.push_back(text); }
};

class ReportSheetFamilyGroupTest : public ::testing::Test {
 protected:
  ReportSheetFamilyGroupTest() {
    family.AddPerson(1, "Adam Hart", 'M');
    family.AddPerson(2, "Beth Hart", 'F');
    family.AddPerson(3, "Cole Hart", 'M', 10);
    family.AddPerson(4, "Dana Vey", 'F');
    family.AddPerson(5, "Eli Lone", 'M');
    family.AddPerson(6, "Fay Lone", 'F');
    family.AddPerson(7, "Gil Lone", 'U');
    family.AddPerson(8, "Hal Lone", 'U', 10);
    family.AddMarriage(10, 1, 2);
    family.AddMarriage(11, 1, 4);
    family.AddMarriage(12, 0, 6);
    family.people[6].marriages.clear();  // Fay is the wife of 12 only through the marriage
  }
  plat::FakeProfile profile;
  plat::ScopedProfile scope{&profile};
  FakeCoupleFamily family;
};

TEST_F(ReportSheetFamilyGroupTest, CoupleFromAMarriage) {
  struct Case {
    std::int32_t mrin, rin;
    std::int32_t primary;
    const char *primaryName, *spouseName;
  } cases[] = {
      {10, 0, 1, "Adam Hart", "Beth Hart"},
      {10, 2, 2, "Beth Hart", "Adam Hart"},
      {11, 1, 1, "Adam Hart", "Dana Vey"},
      // Without a husband the wife is the primary person and there is no spouse.
      {12, 0, 6, "Fay Lone", "UNKNOWN"},
      {99, 0, 0, "UNKNOWN", "UNKNOWN"},
  };
  for (const Case& c : cases) {
    CFamilyGroupOptions page(family, 1);
    page.SetCoupleFromMarriage(c.mrin, c.rin);
    const StartingCouple& couple = page.Couple();
    EXPECT_EQ(couple.primaryRin, c.primary) << c.mrin;
    EXPECT_EQ(couple.primaryName, c.primaryName) << c.mrin;
    EXPECT_EQ(couple.spouseName, c.spouseName) << c.mrin;
    EXPECT_EQ(couple.mrin, c.mrin);
    EXPECT_EQ(couple.chosenMarriage, c.mrin);
    EXPECT_EQ(couple.role, StartingCouple::kParent);
    EXPECT_EQ(couple.parentFamily, -1);
  }
}

TEST_F(ReportSheetFamilyGroupTest, CoupleFromAPerson) {
  struct Case {
    std::int32_t rin;
    std::int32_t picked;
    std::int32_t mrin;
    int role, blankRole;
    const char* spouse;
    int picks;
  } cases[] = {
      {1, 11, 11, StartingCouple::kParent, 0, "Dana Vey", 1},  // picked among two
      {1, 0, 10, StartingCouple::kParent, 0, "Beth Hart", 1},  // none picked: the first
      {2, 0, 10, StartingCouple::kParent, 0, "Adam Hart", 0},  // the only one
      {3, 0, 10, StartingCouple::kChild, 0, "", 0},            // no marriage: the parents
      {5, 0, 0, StartingCouple::kParent, StartingCouple::kBlankHusband, "", 0},
      {6, 0, 0, StartingCouple::kParent, StartingCouple::kBlankWife, "", 0},
      {7, 0, 0, StartingCouple::kChild, StartingCouple::kBlankChild, "", 0},
  };
  for (const Case& c : cases) {
    family.picked = c.picked;
    family.picks = 0;
    CFamilyGroupOptions page(family, 1);
    page.SetCoupleFromPerson(c.rin);
    const StartingCouple& couple = page.Couple();
    EXPECT_EQ(couple.primaryRin, c.rin);
    EXPECT_EQ(couple.mrin, c.mrin) << c.rin;
    EXPECT_EQ(couple.role, c.role) << c.rin;
    EXPECT_EQ(couple.blankRole, c.blankRole) << c.rin;
    EXPECT_EQ(couple.spouseName, c.spouse) << c.rin;
    EXPECT_EQ(family.picks, c.picks) << c.rin;
  }
}

TEST_F(ReportSheetFamilyGroupTest, RoleClicks) {
  // A father of two marriages as a child of nobody, and back.
  CFamilyGroupOptions page(family, 1);
  family.picked = 11;
  page.SetCoupleFromPerson(1);
  EXPECT_TRUE(page.ClickRole(StartingCouple::kChild));
  EXPECT_EQ(page.Couple().mrin, 0);
  EXPECT_EQ(page.Couple().blankRole, StartingCouple::kBlankChild);
  EXPECT_TRUE(page.ClickRole(StartingCouple::kParent));
  EXPECT_EQ(page.Couple().mrin, 11) << "the chosen marriage comes back";
  EXPECT_EQ(page.Couple().blankRole, StartingCouple::kNoBlank);

  // A man without marriages becomes a blank-form husband.
  CFamilyGroupOptions son(family, 1);
  son.SetCoupleFromPerson(3);
  ASSERT_EQ(son.Couple().role, StartingCouple::kChild);
  EXPECT_TRUE(son.ClickRole(StartingCouple::kParent));
  EXPECT_EQ(son.Couple().blankRole, StartingCouple::kBlankHusband);
  EXPECT_EQ(son.Couple().mrin, 0);
  EXPECT_TRUE(son.ClickRole(StartingCouple::kChild));
  EXPECT_EQ(son.Couple().mrin, 10);
  EXPECT_EQ(son.Couple().blankRole, StartingCouple::kNoBlank);

  // Unknown sex cannot be a parent: a warning, and the role stays Child.
  CFamilyGroupOptions unknown(family, 1);
  unknown.SetCoupleFromPerson(8);
  ASSERT_EQ(unknown.Couple().role, StartingCouple::kChild);
  EXPECT_FALSE(unknown.ClickRole(StartingCouple::kParent));
  EXPECT_EQ(unknown.Couple().role, StartingCouple::kChild);
  EXPECT_EQ(unknown.Couple().mrin, 10);
  ASSERT_EQ(family.warnings.size(), 1u);
  EXPECT_EQ(family.warnings[0], "This person has no specified sex. You cannot make it a parent!");
}

TEST_F(ReportSheetFamilyGroupTest, UseListDropsCascadingAndShowsSeeList) {
  CFamilyGroupOptions page(family, 1);
  CReportChoiceState choices;
  ASSERT_TRUE(page.LoadStartingCouple(choices, 10, 1));
  page.SetChartType(CFamilyGroupOptions::kCascading);
  EXPECT_TRUE(page.EnabledStates().cascadingOnly);
  EXPECT_EQ(page.MrinText(), "10");
  page.SetUseList(true);
  EXPECT_EQ(page.type, CFamilyGroupOptions::kSingleFamily);
  EXPECT_EQ(page.MrinText(), "See List");
  EXPECT_EQ(page.Couple().primaryName, "");
  EXPECT_FALSE(page.EnabledStates().cascadingRadio);
  EXPECT_FALSE(page.EnabledStates().blankRadio);
  ReportRequest request;
  request.startRin = request.familyMrin = 5;
  page.FillRequest(request);
  EXPECT_EQ(request.startRin, 0);
  EXPECT_EQ(request.familyMrin, 0);
  page.SetUseList(false);
  EXPECT_EQ(page.MrinText(), "10");
  EXPECT_EQ(page.Couple().primaryName, "Adam Hart");
  EXPECT_EQ(page.Couple().spouseName, "Beth Hart");
  EXPECT_TRUE(page.EnabledStates().cascadingRadio);
}

TEST_F(ReportSheetFamilyGroupTest, KeptCoupleComesBackAndAnUnreadablePersonClosesTheSheet) {
  CReportChoiceState choices;
  {
    CFamilyGroupOptions page(family, 1);
    ASSERT_TRUE(page.LoadStartingCouple(choices, 0, 3));
    EXPECT_EQ(choices.coupleSet, 1);
    page.BeforeRun(choices, false);
  }
  CFamilyGroupOptions again(family, 1);
  ASSERT_TRUE(again.LoadStartingCouple(choices, 11, 1)) << "the view is not asked again";
  EXPECT_EQ(again.Couple().primaryRin, 3);
  EXPECT_EQ(again.Couple().mrin, 10);
  EXPECT_EQ(again.Couple().role, StartingCouple::kChild);
  family.people.erase(3);
  CFamilyGroupOptions gone(family, 1);
  EXPECT_FALSE(gone.LoadStartingCouple(choices, 11, 1));
}

TEST_F(ReportSheetFamilyGroupTest, NotesValueEnabledStatesAndRequest) {
  struct Case {
    bool source, general;
    int value;
  } cases[] = {{false, false, 0}, {true, false, 1}, {false, true, 2}, {true, true, 3}};
  for (const Case& c : cases) {
    CFamilyGroupOptions page(family, 1);
    page.sourceNotes = c.source;
    page.generalNotes = c.general;
    page.titleOnly = 0;
    EXPECT_EQ(page.SourceNotesValue(), c.value);
    page.WriteSettings();
    EXPECT_EQ(profile.GetInt("FgrRpt", "SourceNotes", -1), c.value);
    const CFamilyGroupOptions loaded(family, 1);
    EXPECT_EQ(loaded.sourceNotes, c.source);
    EXPECT_EQ(loaded.generalNotes, c.general);
    const auto on = page.EnabledStates();
    EXPECT_EQ(on.markedOnly, c.general);
    EXPECT_EQ(on.titlesOnly, c.source);
    EXPECT_EQ(on.actualText, c.source);
    page.titleOnly = 1;
    EXPECT_FALSE(page.EnabledStates().comments);
  }
  CFamilyGroupOptions page(family, 0);
  EXPECT_EQ(page.photos, (PagePhotos{0, 0, 0, 2, 1})) << "the section's defaults";
  EXPECT_EQ(page.margins, (PageMargins{700, 300, 300, 300}));
  EXPECT_FALSE(page.EnabledStates().suppressRin);
  EXPECT_EQ(page.suppressRin, 1);
  page.layout = 2;
  page.SetChartType(CFamilyGroupOptions::kBlankForm);
  EXPECT_EQ(page.layout, 0);
  EXPECT_FALSE(page.EnabledStates().couple);

  CFamilyGroupOptions run(family, 1);
  run.SetCoupleFromMarriage(11, 4);
  run.SetChartType(CFamilyGroupOptions::kCascading);
  run.totGens = 7;
  run.otherMarr = 1;
  run.sourceNotes = false;
  run.generalNotes = true;
  ReportRequest request;
  run.FillRequest(request);
  EXPECT_EQ(request.mode, CFamilyGroupOptions::kCascading);
  EXPECT_EQ(request.count, 7);
  EXPECT_EQ(request.startRin, 4);
  EXPECT_EQ(request.familyMrin, 11);
  EXPECT_EQ(request.options[kFgrSlotRole], StartingCouple::kParent);
  EXPECT_EQ(request.options[kFgrSlotSourceNotes], 2);
  EXPECT_EQ(request.options[kFgrSlotOtherMarriages], 1);
  EXPECT_EQ(run.ReportKind(), 2);
  EXPECT_TRUE(request.nameStart.empty());

  // "Use list": the typed family numbers go in the request instead of the
  // couple.
  const std::string typed = "3, 7-9";
  run.SetUseList(true);
  run.listText = &typed;
  run.FillRequest(request);
  EXPECT_EQ(request.nameStart, typed);
  EXPECT_EQ(request.startRin, 0);
  EXPECT_EQ(request.familyMrin, 0);
}

}  // namespace
