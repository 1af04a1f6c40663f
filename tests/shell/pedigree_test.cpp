// The pedigree view's decisions: box geometry and its stretch onto the
// client area, the keyboard moves, the arrow-button cursor, the history
// paths, the InfoBox placement and texts, and the tree of individuals.
#include <gtest/gtest.h>

#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "MarriageNode.h"
#include "OpenFamilyFixture.h"
#include "PedigreeLayout.h"
#include "PedigreeTree.h"
#include "RecordAccess.h"

using namespace shell::pedigree;

namespace {

Occupancy Boxes(std::initializer_list<int> boxes) {
  Occupancy occupied;
  for (int box : boxes) occupied.set(box);
  return occupied;
}

}  // namespace

TEST(PedigreeLayout, BoxesFollowTheGenerationTable) {
  // Left edge, top of the generation's first box, spacing per generation.
  struct Case {
    int box, left, top;
  } cases[] = {{0, 20, 257},  {1, 50, 373},  {2, 50, 141},   {3, 145, 431}, {6, 145, 83},
               {7, 299, 460}, {14, 299, 54}, {15, 550, 474}, {30, 550, 39}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    const Rect r = BoxRect(c.box);
    EXPECT_EQ(r.left, c.left);
    EXPECT_EQ(r.top, c.top);
    EXPECT_EQ(r.right, c.left + 235);
    EXPECT_EQ(r.bottom, c.top - 23);
  }
  // No two boxes overlap, and all lie inside the logical window.
  for (int a = 0; a < kBoxCount; ++a) {
    const Rect ra = BoxRect(a);
    EXPECT_GE(ra.bottom, 0);
    EXPECT_LE(ra.right, kRightEdge);
    for (int b = a + 1; b < kBoxCount; ++b) {
      const Rect rb = BoxRect(b);
      const bool apart =
          ra.right <= rb.left || rb.right <= ra.left || ra.bottom >= rb.top || rb.bottom >= ra.top;
      EXPECT_TRUE(apart) << a << " and " << b;
    }
  }
}

TEST(PedigreeLayout, HeaderAndButtons) {
  EXPECT_EQ(HeaderLabelX(0), 20);
  EXPECT_EQ(HeaderLabelX(1), 74);
  EXPECT_EQ(HeaderLabelX(2), 163);
  EXPECT_EQ(HeaderLabelX(3), 311);
  EXPECT_EQ(HeaderLabelX(4), 556);
  EXPECT_EQ(HeaderLabels(0), (std::array<std::string, 5>{"1st", "2nd", "3rd", "4th", "5th"}));
  EXPECT_EQ(HeaderLabels(3), (std::array<std::string, 5>{"4th", "5th", "6th", "7th", "8th"}));
  EXPECT_EQ(HeaderLabels(8), (std::array<std::string, 5>{"9th", "10th", "11th", "12th", "13th"}));

  EXPECT_EQ(ButtonRect(0), (Rect{4, 256, 17, 235}));
  // Button k stands right of box 14 + k.
  EXPECT_EQ(ButtonRect(1), (Rect{789, 473, 802, 452}));
  EXPECT_EQ(ButtonRect(16).top, BoxRect(30).top - 1);
}

TEST(PedigreeLayout, MappingStretchesAndSurvivesAnEmptyClient) {
  const Mapping full(808, 500);
  EXPECT_EQ(full.ToDevice(Point{0, 500}), (Point{0, 0}));
  EXPECT_EQ(full.ToDevice(Point{808, 0}), (Point{808, 500}));
  EXPECT_EQ(full.ToDevice(BoxRect(0)), (Rect{20, 243, 255, 266}));
  EXPECT_EQ(full.FontHeight(), 16);

  const Mapping wide(1616, 250);
  EXPECT_EQ(wide.ToDevice(Point{404, 250}), (Point{808, 125}));
  EXPECT_EQ(wide.ToLogical(Point{808, 125}), (Point{404, 250}));
  // A narrow window shrinks the font: 400 * 12 / 500.
  EXPECT_EQ(Mapping(400, 500).FontHeight(), 9);

  for (const Mapping empty : {Mapping(0, 0), Mapping(0, 300), Mapping(300, 0)}) {
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.FontHeight(), 0);
    EXPECT_EQ(empty.FontPixelHeight(), 0);
    EXPECT_EQ(empty.ToLogical(Point{10, 10}), (Point{0, 0}));
    EXPECT_EQ(HitTest(empty, Point{0, 0}), kNoBox);
  }
}

TEST(PedigreeLayout, HitTestFindsTheBoxUnderThePoint) {
  const Mapping m(1010, 625);  // 1.25 times the logical window
  for (int box : {0, 1, 2, 7, 15, 30}) {
    const Rect r = m.ToDevice(BoxRect(box));
    EXPECT_EQ(HitTest(m, Point{r.left + 2, r.top + 2}), box);
    EXPECT_EQ(HitTest(m, Point{r.right - 1, r.bottom - 1}), box);
  }
  EXPECT_EQ(HitTest(m, Point{2, 2}), kNoBox);
  const Rect r0 = m.ToDevice(BoxRect(0));
  EXPECT_EQ(HitTest(m, Point{r0.right, r0.top + 2}), kNoBox);  // right edge exclusive
}

TEST(PedigreeLayout, KeysMoveAsTheTableSays) {
  const Occupancy all = Occupancy().set();
  const Occupancy some = Boxes({0, 1, 2, 4, 9, 10, 22});
  struct Case {
    NavKey key;
    int from;
    Occupancy occupied;
    NavResult expected;
  } cases[] = {
      {NavKey::kFather, 0, all, {NavResult::kMove, 1, 0}},
      {NavKey::kMother, 0, all, {NavResult::kMove, 2, 0}},
      {NavKey::kFather, 2, some, {}},  // box 5 is empty: no move
      {NavKey::kMother, 4, some, {NavResult::kMove, 10, 0}},
      {NavKey::kFatherOrMother, 2, some, {}},
      {NavKey::kFatherOrMother, 2, Boxes({0, 2, 5, 6}), {NavResult::kMove, 5, 0}},
      {NavKey::kFatherOrMother, 4, some, {NavResult::kMove, 9, 0}},
      {NavKey::kFatherOrMother, 1, Boxes({0, 1}), {}},
      {NavKey::kChild, 10, some, {NavResult::kMove, 4, 0}},
      {NavKey::kChild, 0, some, {NavResult::kPressDescend, kNoBox, 0}},
      {NavKey::kRoot, 22, some, {NavResult::kMove, 0, 0}},
      {NavKey::kLast, 0, some, {NavResult::kMove, 22, 0}},
      {NavKey::kPrevious, 9, some, {NavResult::kMove, 4, 0}},
      {NavKey::kPrevious, 0, some, {}},
      {NavKey::kNext, 4, some, {NavResult::kMove, 9, 0}},
      {NavKey::kNext, 22, some, {}},
      // The last generation leads on through its arrow buttons.
      {NavKey::kFather, 15, all, {NavResult::kPressArrow, kNoBox, 1}},
      {NavKey::kFatherOrMother, 22, some, {NavResult::kPressArrow, kNoBox, 8}},
      {NavKey::kMother, 30, all, {NavResult::kPressArrowDown, kNoBox, 16}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.key) * 100 + c.from);
    EXPECT_EQ(Navigate(c.key, c.from, c.occupied), c.expected);
  }
}

TEST(PedigreeLayout, ArrowButtonsLandOnTheParentOfTheirBoxInTheShiftedTree) {
  // Button 1 (box 15): the father becomes primary; old box 15 is new box 7,
  // whose father is box 15.
  CursorPrep prep = PrepareCursor(kArrowPendingBase + 1);
  EXPECT_EQ(prep.arrowBase, 7);
  EXPECT_EQ(prep.cursor, 0);
  EXPECT_EQ(CursorAfterArrow(prep.arrowBase, Occupancy().set()), 15);
  EXPECT_EQ(CursorAfterArrow(prep.arrowBase, Boxes({0, 7, 16})), 16);
  EXPECT_EQ(PrepareCursor(kArrowPendingBase + 8).arrowBase, 14);
  // The mother's side: button 9 (box 23) is new box 7, button 16 new box 14.
  EXPECT_EQ(PrepareCursor(kArrowPendingBase + 9).arrowBase, 7);
  EXPECT_EQ(PrepareCursor(kArrowPendingBase + 16).arrowBase, 14);
  EXPECT_EQ(PrepareCursor(12).arrowBase, -1);
  EXPECT_EQ(PrepareCursor(100).arrowBase, -1);
  EXPECT_EQ(CursorAfterArrow(-1, Occupancy().set()), 0);
}

TEST(PedigreeLayout, PathFromRootIsRootFirst) {
  EXPECT_EQ(PathFromRoot(30), (std::vector<int>{0, 2, 6, 14}));
  EXPECT_EQ(PathFromRoot(15), (std::vector<int>{0, 1, 3, 7}));
  EXPECT_EQ(PathFromRoot(1), (std::vector<int>{0}));
  EXPECT_TRUE(PathFromRoot(0).empty());
}

TEST(PedigreeLayout, InfoBoxGoesBelowOrAboveAndStaysLeftOfTheEdge) {
  // Box 0 (top 257, bottom 234): a 200-unit form fits below.
  EXPECT_EQ(InfoBoxCorner(0, 300, 200, 300, 200), (Point{20, 234}));
  // Box 14 (bottom 31) has no room below: above, its bottom at the box's top.
  EXPECT_EQ(InfoBoxCorner(14, 300, 200, 300, 200), (Point{299, 54 + 200}));
  // The small form above sits on the box with its own height.
  EXPECT_EQ(InfoBoxCorner(14, 300, 200, 300, 76), (Point{299, 54 + 76}));
  // The last generation would pass x 785: right-aligned with the box.
  EXPECT_EQ(InfoBoxCorner(15, 300, 200, 300, 200), (Point{785 - 300, 451}));
}

TEST(PedigreeLayout, OrdinanceSummaryAndChildLines) {
  EXPECT_EQ(OrdinanceSummary(3, 2, 0, 0, 0), " - bE");
  EXPECT_EQ(OrdinanceSummary(2, 2, 2, 2, 2), " - BEPSC");
  EXPECT_EQ(OrdinanceSummary(1, 0, 3, 3, 3), " - psc");
  EXPECT_EQ(OrdinanceSummary(0, 0, 0, 0, 0), " - ");
  EXPECT_EQ(ChildLine(true, "Ann Lee"), "<\tAnn Lee");
  EXPECT_EQ(ChildLine(false, "Tom Lee"), " \tTom Lee");
}

// ---- the tree of individuals --------------------------------------------

class PedigreeTreeTest : public OpenFamilyFixture {
 protected:
  static std::int32_t Person(const char* surname, const char* given, char sex) {
    CIndividualRecord person;
    person.surname = surname;
    person.givenNames[0] = given;
    person.sex = sex;
    return static_cast<std::int32_t>(family::Add(person, 0));
  }
  static std::int32_t Marry(std::int32_t husband, std::int32_t wife) {
    return husband != 0 ? DbSetRelation(husband, wife, db::kRelHusband, 0)
                        : DbSetRelation(wife, 0, db::kRelWife, 0);
  }
  static void Child(std::int32_t mrin, std::int32_t child) {
    ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, mrin), 0);
  }
};

TEST_F(PedigreeTreeTest, AncestorsFillTheirBoxesAndButtonsFollowTheLinks) {
  const std::int32_t kid = Person("Lee", "Kid", 'M');
  const std::int32_t dad = Person("Lee", "Dad", 'M');
  // A wife of unknown sex is still the mother: the marriage says so.
  const std::int32_t mom = Person("Ray", "Mom", 'U');
  const std::int32_t granddad = Person("Lee", "Grandpa", 'M');
  const std::int32_t parents = Marry(dad, mom);
  Child(parents, kid);
  Child(Marry(granddad, 0), dad);

  shell::PedigreeTree tree;
  tree.Load(shell::PedigreeTree::ReadRoot(kid, 0, nullptr), 0, nullptr);
  EXPECT_EQ(tree.RinOf(0), kid);
  EXPECT_EQ(tree.RinOf(1), dad);
  EXPECT_EQ(tree.RinOf(2), mom);
  EXPECT_EQ(tree.RinOf(3), granddad);
  EXPECT_EQ(tree.RinOf(4), 0);
  EXPECT_EQ(tree.Occupied(), Boxes({0, 1, 2, 3}));
  EXPECT_FALSE(tree.DescendVisible());
  EXPECT_EQ(tree.Box(1)->GetLinks()->currentMarriage->GetMrin(), parents);

  // Dad's tree: Kid is below, so the descend button shows.
  tree.Load(shell::PedigreeTree::ReadRoot(dad, 0, nullptr), 0, nullptr);
  EXPECT_EQ(tree.RinOf(1), granddad);
  EXPECT_TRUE(tree.DescendVisible());

  // Kid again as the child of the primary: Dad keeps his place.
  ASSERT_TRUE(tree.LoadAsChild(kid, 0, nullptr));
  EXPECT_EQ(tree.RinOf(0), kid);
  EXPECT_EQ(tree.RinOf(1), dad);
  EXPECT_FALSE(tree.LoadAsChild(9999, 0, nullptr));
  tree.Clear();
  EXPECT_TRUE(tree.IsEmpty());
}

TEST_F(PedigreeTreeTest, ChildOfSeveralFamiliesShowsTheOneOfThePrimary) {
  const std::int32_t kid = Person("Lee", "Kid", 'F');
  const std::int32_t birthDad = Person("Lee", "Birth", 'M');
  const std::int32_t stepDad = Person("Ash", "Step", 'M');
  const std::int32_t first = Marry(birthDad, 0);
  const std::int32_t second = Marry(stepDad, 0);
  Child(first, kid);
  Child(second, kid);

  shell::PedigreeTree tree;
  tree.Load(shell::PedigreeTree::ReadRoot(stepDad, 0, nullptr), 0, nullptr);
  ASSERT_TRUE(tree.LoadAsChild(kid, 0, nullptr));
  EXPECT_EQ(tree.RinOf(1), stepDad);
  tree.Load(shell::PedigreeTree::ReadRoot(kid, 0, nullptr), 0, nullptr);
  EXPECT_EQ(tree.RinOf(1), birthDad);
}

TEST_F(PedigreeTreeTest, LastGenerationArrowsShowOnlyWithParentsBeyond) {
  // A straight line of fathers six generations deep.
  std::int32_t line[6];
  for (int i = 0; i < 6; ++i) line[i] = Person("Root", ("G" + std::to_string(i)).c_str(), 'M');
  for (int i = 0; i < 5; ++i) Child(Marry(line[i + 1], 0), line[i]);
  shell::PedigreeTree tree;
  tree.Load(shell::PedigreeTree::ReadRoot(line[0], 0, nullptr), 0, nullptr);
  EXPECT_EQ(tree.RinOf(15), line[4]);
  EXPECT_TRUE(tree.ArrowVisible(1));
  for (int button = 2; button <= 16; ++button) EXPECT_FALSE(tree.ArrowVisible(button)) << button;
  // A root that is gone: the next live one is taken.
  CIndividualNode* next = nullptr;
  SetIndividualRef(next, shell::PedigreeTree::ReadRoot(line[5] + 50, 0, nullptr));
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->GetRin(), line[5]);
  ReleaseIndividualRef(next);
}
