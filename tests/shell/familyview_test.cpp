// The family view's decisions: the children cursor under keys and the
// scroll bar, and the family model on a real family file: who stands in
// which pane, the moves with the Back history, the texts and the status.
#include <gtest/gtest.h>

#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyLinkRecord.h"
#include "FamilyViewModel.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageNode.h"
#include "MarriageRecord.h"
#include "OpenFamilyFixture.h"
#include "RecordAccess.h"
#include "StringIds.h"

namespace {

using namespace shell::famview;

// ---- the children cursor ----

struct PageCase {
  int count, current, firstRow;   // before
  int wantCurrent, wantFirstRow;  // after Page Down
};

TEST(FamilyChildCursor, PageDownKeepsTheCurrentChildInTheEightRows) {
  const PageCase cases[] = {
      {20, 15, 8, 19, 12},  // past the last stops at it
      {15, 0, 0, 8, 1},    {15, 8, 1, 14, 7}, {16, 8, 1, 15, 8},   {17, 8, 1, 16, 9},
      {18, 8, 1, 16, 9},   {19, 8, 1, 16, 9}, {19, 16, 9, 18, 11}, {9, 0, 0, 8, 1},
      {8, 0, 0, 7, 0},     {3, 1, 0, 2, 0},
  };
  for (const PageCase& c : cases) {
    ChildCursor cursor;
    cursor.Reset(c.count);
    cursor.Restore(c.current, c.firstRow);
    cursor.PageDown();
    EXPECT_EQ(cursor.Current(), c.wantCurrent) << c.count << " children from " << c.current;
    EXPECT_EQ(cursor.FirstRow(), c.wantFirstRow) << c.count << " children from " << c.current;
  }
}

TEST(FamilyChildCursor, PageUpEndAndSingleSteps) {
  ChildCursor cursor;
  cursor.Reset(19);
  cursor.End();
  EXPECT_EQ(cursor.Current(), 18);
  EXPECT_EQ(cursor.FirstRow(), 11);
  cursor.PageUp();
  EXPECT_EQ(cursor.Current(), 10);
  EXPECT_EQ(cursor.FirstRow(), 10);
  cursor.PageUp();
  cursor.PageUp();
  EXPECT_EQ(cursor.Current(), 0);
  EXPECT_EQ(cursor.FirstRow(), 0);
  EXPECT_FALSE(cursor.Previous());
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(cursor.Next());
  EXPECT_EQ(cursor.Current(), 8);
  EXPECT_EQ(cursor.FirstRow(), 1);  // the ninth child scrolls the rows by one

  // End with fewer than 8 children leaves the rows where they start.
  cursor.Reset(7);
  cursor.End();
  EXPECT_EQ(cursor.Current(), 6);
  EXPECT_EQ(cursor.FirstRow(), 0);
  cursor.Reset(8);
  cursor.End();
  EXPECT_EQ(cursor.FirstRow(), 0);
  EXPECT_FALSE(cursor.Next());

  cursor.Reset(0);
  cursor.PageDown();
  cursor.End();
  EXPECT_EQ(cursor.Current(), 0);
  EXPECT_EQ(cursor.FirstRow(), 0);
}

TEST(FamilyChildCursor, ScrollBarMovesTheRowsOnly) {
  struct Case {
    int count, firstRow;
    ScrollAction action;
    int position, want;
  };
  const Case cases[] = {
      {20, 0, ScrollAction::kLineDown, 0, 1},   {9, 1, ScrollAction::kLineDown, 0, 1},
      {20, 0, ScrollAction::kLineUp, 0, 0},     {20, 5, ScrollAction::kLineUp, 0, 4},
      {20, 0, ScrollAction::kPageDown, 0, 8},   {20, 4, ScrollAction::kPageDown, 0, 12},
      {20, 5, ScrollAction::kPageDown, 0, 12},  {20, 10, ScrollAction::kPageUp, 0, 2},
      {20, 3, ScrollAction::kPageUp, 0, 0},     {20, 7, ScrollAction::kTop, 0, 0},
      {20, 0, ScrollAction::kBottom, 0, 12},    {5, 0, ScrollAction::kBottom, 0, 0},
      {20, 0, ScrollAction::kThumbTrack, 6, 6}, {20, 0, ScrollAction::kThumbPosition, 30, 12},
      {20, 3, ScrollAction::kEndScroll, 0, 3},
  };
  for (const Case& c : cases) {
    ChildCursor cursor;
    cursor.Reset(c.count);
    cursor.Restore(c.firstRow, c.firstRow);
    cursor.Scroll(c.action, c.position);
    EXPECT_EQ(cursor.FirstRow(), c.want)
        << c.count << " children, row " << c.firstRow << ", action " << static_cast<int>(c.action);
    EXPECT_EQ(cursor.Current(), c.firstRow);
  }
}

TEST(FamilyChildCursor, ScrollBarFromNineChildren) {
  ChildCursor cursor;
  cursor.Reset(8);
  EXPECT_FALSE(cursor.ScrollBarShown());
  cursor.Reset(9);
  EXPECT_TRUE(cursor.ScrollBarShown());
  EXPECT_EQ(cursor.ScrollRangeMax(), 8);
  EXPECT_EQ(ChildCursor::kScrollPage, 8);
}

TEST(FamilyViewGeometry, MappingHitsPanesAndRows) {
  const Mapping map(1616, 1000);  // twice the logical space
  EXPECT_EQ(map.PaneAt(2 * 40, 2 * 100), kPanePrimary);
  EXPECT_EQ(map.PaneAt(2 * 500, 2 * 150), kPaneMother);
  EXPECT_EQ(map.PaneAt(2 * 400, 2 * 100), -1);
  EXPECT_EQ(map.PaneAt(2 * 100, 2 * 480), kPaneChildren);
  EXPECT_EQ(ChildRowAt(298), 0);
  EXPECT_EQ(ChildRowAt(298 + 23), 1);
  EXPECT_EQ(ChildRowAt(482), 7);
  EXPECT_EQ(ChildRowAt(297), -1);
  EXPECT_EQ(Mapping(0, 0).PaneAt(0, 0), -1);
  EXPECT_EQ(PaneFontHeight(0, 0), 0);
  EXPECT_EQ(PaneFontHeight(808, 500), 16);
  EXPECT_EQ(PaneFontHeight(400, 500), 9);
  // The child buttons stand in rows 23 units apart beside the rows.
  EXPECT_EQ(ControlPlace(kIdFirstChildButton + 7).top, 300 + 7 * 23);
  EXPECT_EQ(ControlPlace(kIdOtherParents).Width(), ControlPlace(kIdOtherMarriages).Width());
}

// ---- the family model on a family file ----

class FamilyModel : public OpenFamilyFixture {
 protected:
  void SetUp() override {
    OpenFamilyFixture::SetUp();
    grandfather = Add("Ahl", "Gustav", 'M');
    grandmother = Add("Berg", "Hanna", 'F');
    john = Add("Ahl", "John", 'M');
    dana = Add("Cole", "Dana", 'U');  // a wife of unknown sex
    ruth = Add("Dahl", "Ruth", 'F');
    alma = Add("Eck", "Alma", 'F');
    tim = Add("Eck", "Tim", 'M');
    parents = Marry(grandfather, grandmother);
    AddChild(parents, john);
    first = Marry(john, dana);
    second = Marry(john, ruth);
    for (int i = 0; i < 8; ++i) firstChildren.push_back(Add("Ahl", "Child A", 'M'));
    for (int i = 0; i < 9; ++i) secondChildren.push_back(Add("Ahl", "Child B", 'F'));
    for (std::int32_t c : firstChildren) AddChild(first, c);
    for (std::int32_t c : secondChildren) AddChild(second, c);
    single = DbSetRelation(alma, 0, db::kRelWife, 0);  // no husband
    AddChild(single, tim);
  }

  static std::int32_t Add(const char* surname, const char* given, char sex) {
    CIndividualRecord person;
    person.surname = surname;
    person.givenNames[0] = given;
    person.sex = sex;
    return static_cast<std::int32_t>(family::Add(person, 0));
  }
  static std::int32_t Marry(std::int32_t husband, std::int32_t wife) {
    return DbSetRelation(husband, wife, db::kRelHusband, 0);
  }
  static void AddChild(std::int32_t mrin, std::int32_t child) {
    ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, mrin), 0);
  }
  static std::int32_t RinOf(const CIndividualNode* node) { return node ? node->GetRin() : 0; }
  std::int32_t Pane(int pane) const { return RinOf(model.GetPaneContent(pane)); }

  std::int32_t grandfather, grandmother, john, dana, ruth, alma, tim;
  std::int32_t parents, first, second, single;
  std::vector<std::int32_t> firstChildren, secondChildren;
  std::vector<std::uint32_t> history;
  std::int32_t lastShown = 0;
  FamilyViewModel model{history, &lastShown};
};

TEST_F(FamilyModel, PanesHoldThePrimaryHisParentsSpouseAndChildren) {
  ASSERT_TRUE(model.ShowIndividual(john));
  EXPECT_EQ(Pane(kPanePrimary), john);
  EXPECT_EQ(Pane(kPaneFather), grandfather);
  EXPECT_EQ(Pane(kPaneMother), grandmother);
  EXPECT_EQ(Pane(kPaneSpouse), dana);
  ASSERT_NE(model.GetCurrentMarriage(), nullptr);
  EXPECT_EQ(model.GetCurrentMarriage()->GetMrin(), first);
  EXPECT_EQ(model.Children().Count(), 8);
  EXPECT_EQ(RinOf(model.GetPaneContent(kPaneChildren, 0)), firstChildren[0]);
  EXPECT_EQ(RinOf(model.GetLastChild()), firstChildren[7]);
  EXPECT_EQ(lastShown, john);
  EXPECT_EQ(model.SelectedPane(), kPanePrimary);

  const PaneText text = model.IndividualPaneText(kPaneSpouse, nullptr, 0);
  EXPECT_EQ(text.lines[0], "Dana Cole");
  EXPECT_FALSE(model.ShowsUnknown(kPaneSpouse));

  // Eight children: no scroll bar, a button per row.
  EXPECT_FALSE(model.ControlShown(kIdChildScrollBar));
  EXPECT_TRUE(model.ControlShown(kIdFirstChildButton + 7));
  EXPECT_EQ(model.ControlBitmap(kIdFirstChildButton), kBitmapChildUnmarried);
  // Two marriages, one parent family; the grandparents have no parents.
  EXPECT_TRUE(model.ControlShown(kIdOtherMarriages));
  EXPECT_FALSE(model.ControlShown(kIdOtherParents));
  EXPECT_TRUE(model.ControlShown(kIdSpouseButton));
  EXPECT_EQ(model.ControlBitmap(kIdFatherButton), kBitmapParentNoParents);

  const StatusValues status = model.Status();
  EXPECT_EQ(status.rin, john);
  EXPECT_EQ(status.mrin, first);
  EXPECT_EQ(status.marriages, 2);
  EXPECT_EQ(status.children, 8);
}

TEST_F(FamilyModel, TheNextMarriageWithNineChildrenScrolls) {
  ASSERT_TRUE(model.ShowIndividual(john));
  history = {99};
  const Outcome out = model.HandleKey(NavKey::kPageDown);
  EXPECT_TRUE(out.familyChanged);
  EXPECT_EQ(model.GetCurrentMarriage()->GetMrin(), second);
  EXPECT_EQ(Pane(kPaneSpouse), ruth);
  EXPECT_TRUE(history.empty());
  EXPECT_EQ(model.Children().Count(), 9);
  EXPECT_TRUE(model.ControlShown(kIdChildScrollBar));
  EXPECT_EQ(model.Children().ScrollRangeMax(), 8);
  // Past the last marriage nothing happens.
  EXPECT_FALSE(model.HandleKey(NavKey::kPageDown).familyChanged);
  EXPECT_TRUE(model.HandleKey(NavKey::kPageUp).familyChanged);
  EXPECT_EQ(model.GetCurrentMarriage()->GetMrin(), first);
}

TEST_F(FamilyModel, TheWifesRoleComesFromTheMarriageNotHerSex) {
  // Dana's sex is 'U': her husband is her spouse, and she is her child's mother.
  ASSERT_TRUE(model.ShowIndividual(dana));
  EXPECT_EQ(Pane(kPanePrimary), dana);
  EXPECT_EQ(Pane(kPaneSpouse), john);
  EXPECT_EQ(model.Children().Count(), 8);
  ASSERT_TRUE(model.ShowIndividual(firstChildren[0]));
  EXPECT_EQ(Pane(kPaneFather), john);
  EXPECT_EQ(Pane(kPaneMother), dana);
  EXPECT_EQ(model.ControlBitmap(kIdFatherButton), kBitmapParentHasParents);
  EXPECT_EQ(model.ControlBitmap(kIdMotherButton), kBitmapParentNoParents);
}

TEST_F(FamilyModel, AMarriageWithoutHusbandShowsUnknown) {
  ASSERT_TRUE(model.ShowIndividual(alma));
  EXPECT_EQ(Pane(kPaneSpouse), 0);
  EXPECT_TRUE(model.ShowsUnknown(kPaneSpouse));
  EXPECT_EQ(model.IndividualPaneText(kPaneSpouse, nullptr, 0).lines[0], "Unknown");
  EXPECT_EQ(model.Children().Count(), 1);
  EXPECT_FALSE(model.HandleKey(NavKey::kSpouse).familyChanged);

  ASSERT_TRUE(model.ShowIndividual(tim));
  EXPECT_EQ(Pane(kPaneFather), 0);
  EXPECT_TRUE(model.ShowsUnknown(kPaneFather));
  EXPECT_EQ(Pane(kPaneMother), alma);
  EXPECT_FALSE(model.ControlShown(kIdFatherButton));
  EXPECT_TRUE(model.ControlShown(kIdMotherButton));
  // Without a marriage: no spouse pane text, no "Unknown" there.
  EXPECT_FALSE(model.ShowsUnknown(kPaneSpouse));
  EXPECT_TRUE(model.IndividualPaneText(kPaneSpouse, nullptr, 0).empty);
  EXPECT_FALSE(model.ControlShown(kIdSpouseButton));
  EXPECT_EQ(model.Status().mrin, -1);
  EXPECT_EQ(model.Status().children, -1);
}

TEST_F(FamilyModel, AMarriageWithoutPartnersIsShownAlone) {
  CMarriageRecord empty;
  const std::int32_t lone = DbAddRecord(db::kMarriage, 0, &empty);
  ASSERT_GT(lone, 0);
  AddChild(lone, secondChildren[0]);
  ASSERT_TRUE(model.ShowMarriage(lone));
  EXPECT_EQ(model.Primary(), nullptr);
  ASSERT_NE(model.LoneMarriage(), nullptr);
  EXPECT_EQ(model.SelectedPane(), kPaneChildren);
  EXPECT_EQ(model.IndividualPaneText(kPanePrimary, nullptr, 0).lines[0], "Unknown");
  EXPECT_EQ(model.IndividualPaneText(kPaneSpouse, nullptr, 0).lines[0], "Unknown");
  EXPECT_EQ(RinOf(model.GetPaneContent(kPaneChildren)), secondChildren[0]);
  EXPECT_EQ(model.Status().marriages, -1);
  EXPECT_EQ(model.Status().children, 1);
  // A marriage with a partner shows that partner as primary.
  ASSERT_TRUE(model.ShowMarriage(single));
  EXPECT_EQ(Pane(kPanePrimary), alma);
}

// Whom the frame's commands act on, pane by pane: the individual and
// marriage in focus, who gets a spouse and whether the shown marriage lacks
// the partner, and whether a relative is selected.
TEST_F(FamilyModel, TheSelectedPaneDecidesTheCommandsFocus) {
  CMarriageRecord empty;
  const std::int32_t lone = DbAddRecord(db::kMarriage, 0, &empty);
  ASSERT_GT(lone, 0);
  struct Case {
    const char* what;
    std::int32_t show;  // > 0 an individual, < 0 marriage -show alone
    int pane, row;
    std::int32_t individual, marriage, spouseFor, partnerless;
    bool relative, marriagePane;
  };
  const Case cases[] = {
      {"primary", john, kPanePrimary, -1, john, first, john, 0, false, false},
      {"marriage pane", john, kPaneMarriage, -1, john, first, john, 0, false, true},
      {"spouse", john, kPaneSpouse, -1, dana, first, dana, 0, true, false},
      {"father", john, kPaneFather, -1, grandfather, parents, grandfather, 0, true, false},
      {"mother", john, kPaneMother, -1, grandmother, parents, grandmother, 0, true, false},
      {"a child", john, kPaneChildren, 2, firstChildren[2], 0, firstChildren[2], 0, true, false},
      {"wife without husband", alma, kPanePrimary, -1, alma, single, alma, single, false, false},
      {"her empty spouse pane", alma, kPaneSpouse, -1, 0, single, alma, single, false, false},
      {"her child", alma, kPaneChildren, 0, tim, 0, tim, 0, true, false},
      {"empty father pane", tim, kPaneFather, -1, 0, single, tim, 0, false, false},
      {"grandfather without parents", grandfather, kPaneFather, -1, 0, 0, grandfather, 0, false,
       false},
      {"lone marriage", -lone, kPaneChildren, -1, 0, lone, 0, 0, false, false},
      {"lone marriage pane", -lone, kPaneMarriage, -1, 0, lone, 0, 0, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(c.show > 0 ? model.ShowIndividual(c.show) : model.ShowLoneMarriage(-c.show));
    model.Click(c.pane, c.row);
    const CommandFocus f = model.Focus();
    EXPECT_EQ(f.primary, c.show > 0 ? c.show : 0);
    EXPECT_EQ(f.individual, c.individual);
    EXPECT_EQ(f.marriage, c.marriage);
    EXPECT_EQ(f.spouseFor, c.spouseFor);
    EXPECT_EQ(f.partnerless, c.partnerless);
    EXPECT_EQ(f.relativeSelected, c.relative);
    EXPECT_EQ(f.marriagePane, c.marriagePane);
    EXPECT_EQ(f.parents, c.show == john ? parents : c.show == tim ? single : 0);
    // Add Individual asks to link only while a marriage is shown alone.
    EXPECT_EQ(f.asksToLinkChild(), c.show < 0);
    EXPECT_EQ(f.individual, RinOf(model.FocusIndividual()));
  }
}

// Unlink takes the selected relative out of the marriage the pane belongs
// to, with the pane's question; the primary, the marriage pane and empty
// panes unlink nothing.
TEST_F(FamilyModel, UnlinkPlansFollowThePane) {
  struct Case {
    const char* what;
    std::int32_t show;
    int pane, row;
    std::int32_t rin, mrin;
    int relation;
    unsigned question;
  };
  const Case cases[] = {
      {"spouse as wife", john, kPaneSpouse, -1, dana, first, db::kRelWife, res::kIdsUnlinkSpouse},
      {"spouse as husband", dana, kPaneSpouse, -1, john, first, db::kRelHusband,
       res::kIdsUnlinkSpouse},
      {"father", john, kPaneFather, -1, grandfather, parents, db::kRelFather,
       res::kIdsUnlinkFather},
      {"mother", john, kPaneMother, -1, grandmother, parents, db::kRelMother,
       res::kIdsUnlinkMother},
      {"a child", john, kPaneChildren, 3, firstChildren[3], first, db::kRelChildren,
       res::kIdsUnlinkChild},
      {"primary", john, kPanePrimary, -1, 0, 0, 0, 0},
      {"marriage pane", john, kPaneMarriage, -1, 0, 0, 0, 0},
      {"empty spouse pane", alma, kPaneSpouse, -1, 0, 0, 0, 0},
      {"empty father pane", tim, kPaneFather, -1, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(model.ShowIndividual(c.show));
    model.Click(c.pane, c.row);
    const UnlinkPlan plan = model.PlanUnlink();
    EXPECT_EQ(plan.rin, c.rin);
    EXPECT_EQ(plan.mrin, c.mrin);
    EXPECT_EQ(plan.relation, c.relation);
    EXPECT_EQ(plan.question, c.question);
  }
  // The plan unsets what it names: the father leaves the parents' marriage.
  ASSERT_TRUE(model.ShowIndividual(john));
  model.Click(kPaneFather);
  const UnlinkPlan plan = model.PlanUnlink();
  ASSERT_GE(DbUnSetRelation(plan.mrin, plan.rin, plan.relation), 0);
  model.Reload();
  EXPECT_EQ(Pane(kPaneFather), 0);
  EXPECT_EQ(Pane(kPaneMother), grandmother);
}

TEST_F(FamilyModel, ArrowKeysWalkThePanesAsTheTableSays) {
  ASSERT_TRUE(model.ShowIndividual(john));
  struct Step {
    NavKey key;
    int pane, child;
  };
  const Step steps[] = {
      {NavKey::kDown, kPaneMarriage, 0},     {NavKey::kDown, kPaneSpouse, 0},
      {NavKey::kDown, kPaneChildren, 0},     {NavKey::kDown, kPaneChildren, 1},
      {NavKey::kUp, kPaneChildren, 0},       {NavKey::kUp, kPaneSpouse, 0},
      {NavKey::kRight, kPaneMother, 0},      {NavKey::kUp, kPaneFather, 0},
      {NavKey::kDown, kPaneMother, 0},       {NavKey::kLeft, kPanePrimary, 0},
      {NavKey::kRight, kPaneFather, 0},      {NavKey::kLeft, kPanePrimary, 0},
      {NavKey::kUp, kPanePrimary, 0},        {NavKey::kLeft, kPaneChildren, 0},
      {NavKey::kEnd, kPaneChildren, 7},      {NavKey::kPageUp, kPaneChildren, 0},
      {NavKey::kPageDown, kPaneChildren, 7}, {NavKey::kHome, kPanePrimary, 7},
      {NavKey::kDown, kPaneMarriage, 7},     {NavKey::kRight, kPaneFather, 7},
  };
  int n = 0;
  for (const Step& step : steps) {
    const Outcome out = model.HandleKey(step.key);
    EXPECT_FALSE(out.familyChanged) << "step " << n;
    EXPECT_EQ(model.SelectedPane(), step.pane) << "step " << n;
    EXPECT_EQ(model.Children().Current(), step.child) << "step " << n;
    ++n;
  }
  EXPECT_EQ(model.HandleKey(NavKey::kHome, true).command, kCmdHomePerson);
  EXPECT_EQ(model.HandleKey(NavKey::kHome, false).command, 0u);
}

TEST_F(FamilyModel, DownFromTheSpouseStartsAtTheFirstChildEvenWhenScrolled) {
  ASSERT_TRUE(model.ShowIndividual(john, second));
  model.HandleKey(NavKey::kEnd);
  EXPECT_EQ(model.Children().FirstRow(), 1);
  model.Click(kPaneSpouse);
  model.HandleKey(NavKey::kDown);
  EXPECT_EQ(model.SelectedPane(), kPaneChildren);
  EXPECT_EQ(model.Children().Current(), 0);
  EXPECT_EQ(model.Children().FirstRow(), 0);
}

TEST_F(FamilyModel, MovesKeepTheBackHistory) {
  const std::int32_t child = firstChildren[2];
  ASSERT_TRUE(model.ShowIndividual(child));
  // Up to the father and on to the grandfather: each step is remembered.
  EXPECT_TRUE(model.HandleKey(NavKey::kFather).familyChanged);
  EXPECT_EQ(Pane(kPanePrimary), john);
  // The parents' marriage (the one the child came from) is current.
  EXPECT_EQ(model.GetCurrentMarriage()->GetMrin(), first);
  EXPECT_EQ(history, (std::vector<std::uint32_t>{static_cast<std::uint32_t>(child)}));
  model.HandleKey(NavKey::kRight);
  EXPECT_TRUE(model.HandleKey(NavKey::kRight).familyChanged);
  EXPECT_EQ(Pane(kPanePrimary), grandfather);
  EXPECT_EQ(history.size(), 2u);

  // The spouse move leaves the history alone.
  EXPECT_TRUE(model.HandleKey(NavKey::kSpouse).familyChanged);
  EXPECT_EQ(Pane(kPanePrimary), grandmother);
  EXPECT_EQ(history.size(), 2u);

  // Descending takes the newest entry back.
  EXPECT_TRUE(model.HandleKey(NavKey::kDescend).familyChanged);
  EXPECT_EQ(Pane(kPanePrimary), john);
  EXPECT_EQ(history.size(), 1u);

  // The child of the history's newest entry: the entry goes.
  model.Click(kPaneChildren, 2);
  EXPECT_TRUE(model.HandleKey(NavKey::kLeft).familyChanged);
  EXPECT_EQ(Pane(kPanePrimary), child);
  EXPECT_TRUE(history.empty());

  // Another child empties the history.
  model.HandleKey(NavKey::kFather);
  history.insert(history.begin(), 77);
  model.Click(kPaneChildren, 5);
  EXPECT_TRUE(model.MoveToPrimary());
  EXPECT_EQ(Pane(kPanePrimary), firstChildren[5]);
  EXPECT_TRUE(history.empty());
}

TEST_F(FamilyModel, DescendWithoutHistoryFindsAChild) {
  ASSERT_TRUE(model.ShowIndividual(grandfather));
  EXPECT_TRUE(model.HandleKey(NavKey::kDescend).familyChanged);
  EXPECT_EQ(Pane(kPanePrimary), john);
  EXPECT_EQ(RinOf(model.ParentsMarriage() ? model.ParentsMarriage()->HusbandNode() : nullptr),
            grandfather);
}

TEST_F(FamilyModel, ClicksSelectPanesAndChildRows) {
  ASSERT_TRUE(model.ShowIndividual(john, second));
  Outcome out = model.Click(kPaneChildren, 3);
  EXPECT_TRUE(out.selectionChanged);
  EXPECT_EQ(model.Children().Current(), 3);
  EXPECT_EQ(model.Status().rin, secondChildren[3]);
  model.Scroll(ScrollAction::kBottom);
  model.Click(kPaneChildren, 7);
  EXPECT_EQ(model.Children().Current(), 8);
  // A click on an empty row keeps the child.
  ASSERT_TRUE(model.ShowIndividual(alma));
  model.Click(kPaneChildren, 4);
  EXPECT_EQ(model.Children().Current(), 0);
  EXPECT_FALSE(model.Click(kPaneChildren, 4).selectionChanged);
  model.Click(kPaneMarriage);
  EXPECT_EQ(model.Status().rin, -1);
  EXPECT_EQ(model.FocusIndividual(), model.Primary());
}

TEST_F(FamilyModel, DoubleClicksAskForTheRightCommand) {
  ASSERT_TRUE(model.ShowIndividual(tim));
  model.Click(kPaneFather);
  EXPECT_EQ(model.DoubleClick(false).command, kCmdAddFather);
  model.Click(kPaneMother);
  EXPECT_EQ(model.DoubleClick(false).command, kCmdEditIndividualFrame);
  EXPECT_EQ(model.HandleKey(NavKey::kEnter).command, kCmdEditIndividualFrame);
  const Outcome moved = model.DoubleClick(true);
  EXPECT_TRUE(moved.familyChanged);
  EXPECT_EQ(Pane(kPanePrimary), alma);
  model.Click(kPaneMarriage);
  EXPECT_EQ(model.DoubleClick(false).command, kCmdEditMarriage);
}

TEST_F(FamilyModel, MarriageAndChildTexts) {
  CMarriageRecord m;
  ASSERT_EQ(family::Read(m, first), 1);
  m.marriage.date.Set(1901, 6, 2);
  m.status = 'D';
  ASSERT_EQ(family::Update(m, 0), 1);
  CIndividualRecord child;
  ASSERT_EQ(family::Read(child, firstChildren[1]), 1);
  child.christening.date.Set(1903, 2, 1);
  child.christening.place[0] = "Ostvik";
  ASSERT_EQ(family::Update(child, 0), 1);
  // The second child is adopted into this family.
  std::vector<std::int32_t> links;
  DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, firstChildren[2], 0);
  ASSERT_EQ(links.size(), 1u);
  CFamilyLinkRecord link;
  ASSERT_EQ(DbGetRecord(links[0], db::kFamilyLink, &link), 1);
  link.firstParentRelation = 'a';
  ASSERT_EQ(family::Update(link, 0), 1);

  model.SetOptions({.showZel = false, .appendVal = 1});
  ASSERT_TRUE(model.ShowIndividual(john));
  const std::string line = model.MarriagePaneText(nullptr, 0);
  EXPECT_EQ(line.rfind("Marriage: ", 0), 0u) << line;
  EXPECT_NE(line.find("1901"), std::string::npos) << line;
  EXPECT_NE(line.find("(D)"), std::string::npos) << line;
  EXPECT_EQ(line.substr(line.size() - 3 - std::to_string(first).size()),
            " --" + std::to_string(first));

  const ChildRowText row = model.ChildRow(1, nullptr, 0, 0);
  EXPECT_EQ(row.number, "2");
  EXPECT_EQ(row.birth.rfind("*", 0), 0u) << row.birth;
  EXPECT_NE(row.birth.find("1903"), std::string::npos);
  EXPECT_EQ(model.ChildRow(2, nullptr, 0, 0).parentLink, "Adopted");
  EXPECT_EQ(model.ChildRow(0, nullptr, 0, 0).parentLink, "");
  EXPECT_EQ(model.ChildRow(8, nullptr, 0, 0).number, "");
  // The primary's birth line falls back to the christening the same way.
  ASSERT_TRUE(model.ShowIndividual(firstChildren[1]));
  EXPECT_EQ(model.IndividualPaneText(kPanePrimary, nullptr, 0).lines[1].rfind("*", 0), 0u);
}

TEST_F(FamilyModel, ShowMessageReplacesADeletedPrimary) {
  ASSERT_TRUE(model.ShowIndividual(firstChildren[0]));
  model.OnShowMessage(-firstChildren[0]);
  EXPECT_EQ(Pane(kPanePrimary), john);
  // A list choice empties the history at the next show.
  history = {1, 2};
  model.SetListChoice();
  model.OnShowMessage(tim);
  EXPECT_EQ(Pane(kPanePrimary), tim);
  EXPECT_TRUE(history.empty());
  // Looking up again: still the same individual.
  model.OnShowMessage(0);
  EXPECT_EQ(Pane(kPanePrimary), tim);
}

TEST_F(FamilyModel, DescendGoesThroughTheListOnlyWithoutHistoryAndWithAMarriage) {
  // John has 17 children; the list is asked with that count.
  std::vector<int> asked;
  auto throughList = [&](int children) {
    asked.push_back(children);
    return true;
  };
  ASSERT_TRUE(model.ShowIndividual(john));
  EXPECT_EQ(model.DescendListStart(throughList), john);
  EXPECT_EQ(asked, std::vector<int>{17});
  EXPECT_EQ(model.DescendListStart([](int) { return false; }), 0);
  // A Back history comes first.
  model.HandleKey(NavKey::kFather);
  EXPECT_EQ(model.DescendListStart(throughList), 0);
  // Without a marriage nothing is asked.
  history.clear();
  ASSERT_TRUE(model.ShowIndividual(tim));
  asked.clear();
  EXPECT_EQ(model.DescendListStart(throughList), 0);
  EXPECT_TRUE(asked.empty());
}

}  // namespace
