// Which family records a Family Group Record report holds, in which order,
// and the cascade's marks in its work file.
#include "FamilyGroupSelection.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "FakePorts.h"
#include "MemoryFile.h"

namespace {

using rpt::FamilyGroupRequest;
using rpt::FamilyRecordKind;

// A family tree kept in maps.
class FakeTree : public rpt::FamilyGroupTree {
 public:
  struct Family {
    std::int32_t husband = 0, wife = 0;
    std::vector<std::int32_t> children;
  };
  std::map<std::int32_t, Family> families;
  std::map<std::int32_t, std::vector<std::int32_t>> parentFamilies;

  void Add(std::int32_t mrin, std::int32_t husband, std::int32_t wife,
           std::vector<std::int32_t> children = {}) {
    families[mrin] = {husband, wife, children};
    for (std::int32_t child : children) parentFamilies[child].push_back(mrin);
  }
  std::int32_t Husband(std::int32_t mrin) override { return Get(mrin).husband; }
  std::int32_t Wife(std::int32_t mrin) override { return Get(mrin).wife; }
  std::vector<std::int32_t> Children(std::int32_t mrin) override { return Get(mrin).children; }
  std::int32_t FirstParentFamily(std::int32_t rin) override {
    const auto at = parentFamilies.find(rin);
    return at == parentFamilies.end() || at->second.empty() ? 0 : at->second.front();
  }
  std::vector<std::int32_t> Marriages(std::int32_t rin) override {
    std::vector<std::int32_t> out;
    for (const auto& [mrin, f] : families)
      if (f.husband == rin || f.wife == rin) out.push_back(mrin);
    return out;
  }
  std::int32_t HighestIndividual() override { return 99; }
  std::int32_t HighestFamily() override { return families.empty() ? 0 : families.rbegin()->first; }

 private:
  Family Get(std::int32_t mrin) {
    const auto at = families.find(mrin);
    return at == families.end() ? Family{} : at->second;
  }
};

// Four generations around family 1 (husband 1, wife 2, children 3 and 4):
//   up:   1's parents are family 2 (5, 6); 2's parents family 3 (7, 8);
//         5's parents family 5 (11, 12);
//   down: 3 marries 9 in family 4 (child 10); 10 marries 13 in family 6
//         (child 14); 4 marries 15 in family 7.
FakeTree Generations() {
  FakeTree tree;
  tree.Add(1, 1, 2, {3, 4});
  tree.Add(2, 5, 6, {1});
  tree.Add(3, 7, 8, {2});
  tree.Add(5, 11, 12, {5});
  tree.Add(4, 3, 9, {10});
  tree.Add(6, 10, 13, {14});
  tree.Add(7, 4, 15);
  return tree;
}

std::string Describe(const std::vector<FamilyGroupRequest>& requests) {
  std::string text;
  for (const auto& r : requests) {
    if (!text.empty()) text += ' ';
    switch (r.kind) {
      case FamilyRecordKind::Family:
        text += 'F';
        break;
      case FamilyRecordKind::LoneParent:
        text += 'P';
        break;
      case FamilyRecordKind::LoneChild:
        text += 'C';
        break;
    }
    text += std::to_string(r.key);
    if (r.directChild != 0) text += '/' + std::to_string(r.directChild);
  }
  return text;
}

struct Outcome {
  std::string records;
  std::vector<std::string> messages;
  int mode = -1;
};

// Runs a selection; families missing from the tree fail to paginate.
Outcome Select(FakeTree& tree, const rpt::FamilyGroupSelection& selection) {
  plat::FakeMessageBox box;
  plat::ScopedMessageBox scoped(&box);
  MemoryFile file;
  rpt::CascadeMarks marks(file);
  EXPECT_TRUE(marks.Prepare(tree.HighestFamily()));
  std::vector<FamilyGroupRequest> made;
  Outcome run;
  run.mode = rpt::SelectFamilyGroupRecords(
      selection, tree, &marks,
      [&](const FamilyGroupRequest& r) {
        if (r.kind == FamilyRecordKind::Family && !tree.families.contains(r.key)) return false;
        made.push_back(r);
        return true;
      },
      [] { return true; });
  run.records = Describe(made);
  for (const auto& call : box.Calls()) run.messages.push_back(call.text);
  return run;
}

TEST(SelectFamilyGroupRecords, ModesGenerationsAndLists) {
  struct Case {
    const char* what;
    int mode;
    bool startIsChild;
    int generations;
    std::int32_t start, chosen;
    const char* list;
    const char* expected;
  };
  const Case cases[] = {
      {"single family", 0, false, 999, 1, 1, "", "F1"},
      {"lone parent", 0, false, 999, 16, 0, "", "P16"},
      {"lone child", 0, true, 999, 16, 0, "", "C16"},
      {"list in its order", 0, false, 999, 0, 0, "7, 2-4 1", "F7 F2 F3 F4 F1"},
      {"missing families skipped", 0, false, 999, 0, 0, "12, 15-17 20 5", "F5"},
      {"numbers before an invalid list", 0, false, 999, 0, 0, "2, 123456", "F2"},
      {"range from high to low: its first number", 0, false, 999, 0, 0, "5-3", "F5"},
      {"high to low, then the list goes on", 0, false, 999, 0, 0, "7-2, 1", "F7 F1"},
      {"up, one generation", 1, false, 1, 1, 1, "", "F1"},
      {"up, two generations", 1, false, 2, 1, 1, "", "F1 F2/1"},
      {"up, all", 1, false, 999, 1, 1, "", "F1 F2/1 F5/5"},
      {"up from a child", 1, true, 2, 3, 1, "", "F1/3 F2/1 F3/2"},
      {"up from a child, one generation", 1, true, 1, 3, 1, "", "F1/3"},
      {"up from a child without family", 1, true, 999, 16, 0, "", "C16"},
      {"up from a lone parent", 1, false, 999, 1, 0, "", "P1 F2/1 F5/5"},
      {"down, one generation", 2, false, 1, 1, 1, "", "F1"},
      {"down, two generations", 2, false, 2, 1, 1, "", "F1 F4 F7"},
      {"down, all", 2, false, 999, 1, 1, "", "F1 F4 F6 F7"},
      {"down from a child", 2, true, 999, 3, 1, "", "F1 F4 F6"},
  };
  for (const Case& c : cases) {
    FakeTree tree = Generations();
    rpt::FamilyGroupSelection selection;
    selection.mode = c.mode;
    selection.startIsChild = c.startIsChild;
    selection.generations = c.generations;
    selection.startPerson = c.start;
    selection.chosenFamily = c.chosen;
    selection.list = c.list;
    EXPECT_EQ(Select(tree, selection).records, c.expected) << c.what;
  }
}

TEST(SelectFamilyGroupRecords, InvalidListIsReportedOnce) {
  FakeTree tree = Generations();
  rpt::FamilyGroupSelection selection;
  selection.list = "2, 123456";
  const Outcome run = Select(tree, selection);
  EXPECT_EQ(run.records, "F2");
  EXPECT_EQ(run.messages, std::vector<std::string>{"Invalid List"});
}

TEST(SelectFamilyGroupRecords, SharedAncestorsPrintOnce) {
  // Cousins 20 and 21 marry (family 10); their parents' families 11 and 12
  // both descend from family 13, which is reached through husband and wife.
  FakeTree tree;
  tree.Add(10, 20, 21, {22});
  tree.Add(11, 23, 24, {20});
  tree.Add(12, 25, 26, {21});
  tree.Add(13, 27, 28, {23, 25});
  rpt::FamilyGroupSelection up;
  up.mode = rpt::kFamilyGroupCascadeUp;
  up.startPerson = 22;
  up.startIsChild = true;
  up.chosenFamily = 10;
  EXPECT_EQ(Select(tree, up).records, "F10/22 F11/20 F13/23 F12/21");

  // Downwards the cousins' family is reached from both sides of family 13.
  rpt::FamilyGroupSelection down;
  down.mode = rpt::kFamilyGroupCascadeDown;
  down.startPerson = 27;
  down.chosenFamily = 13;
  EXPECT_EQ(Select(tree, down).records, "F13 F11 F10 F12");
}

TEST(SelectFamilyGroupRecords, OwnAncestorLoopPrintsStartOnce) {
  // Person 1 is recorded as a child of his own grandparents' family, and
  // family 1 as the parents of 5: both directions come back to family 1.
  FakeTree tree;
  tree.Add(1, 1, 2, {3, 5});
  tree.Add(2, 5, 6, {1});
  tree.Add(3, 3, 7, {5});
  tree.parentFamilies[5] = {1};
  rpt::FamilyGroupSelection up;
  up.mode = rpt::kFamilyGroupCascadeUp;
  up.startPerson = 1;
  up.chosenFamily = 1;
  EXPECT_EQ(Select(tree, up).records, "F1 F2/1");

  rpt::FamilyGroupSelection down;
  down.mode = rpt::kFamilyGroupCascadeDown;
  down.startPerson = 1;
  down.chosenFamily = 1;
  EXPECT_EQ(Select(tree, down).records, "F1 F3 F2");
}

TEST(SelectFamilyGroupRecords, CancelStopsTheCascade) {
  FakeTree tree = Generations();
  MemoryFile file;
  rpt::CascadeMarks marks(file);
  ASSERT_TRUE(marks.Prepare(tree.HighestFamily()));
  rpt::FamilyGroupSelection selection;
  selection.mode = rpt::kFamilyGroupCascadeDown;
  selection.startPerson = 1;
  selection.chosenFamily = 1;
  std::vector<FamilyGroupRequest> made;
  rpt::SelectFamilyGroupRecords(
      selection, tree, &marks,
      [&](const FamilyGroupRequest& r) {
        made.push_back(r);
        return true;
      },
      [&] { return made.size() < 2; });
  EXPECT_EQ(Describe(made), "F1 F4");
}

TEST(CascadeMarks, SlotsInWholeBlocks) {
  for (const auto& [highest, length] : std::vector<std::pair<std::int32_t, std::uint64_t>>{
           {0, 200}, {49, 200}, {50, 400}, {120, 600}}) {
    MemoryFile file(std::vector<std::uint8_t>(1000, 0xEE));
    rpt::CascadeMarks marks(file);
    ASSERT_TRUE(marks.Prepare(highest));
    EXPECT_EQ(rpt::CascadeMarks::FileLength(highest), length) << highest;
    EXPECT_EQ(file.Bytes(), std::vector<std::uint8_t>(length, 0)) << highest;
  }
  MemoryFile file;
  rpt::CascadeMarks marks(file);
  ASSERT_TRUE(marks.Prepare(300));
  EXPECT_FALSE(marks.IsMarked(258));
  ASSERT_TRUE(marks.Mark(258));
  EXPECT_TRUE(marks.IsMarked(258));
  EXPECT_FALSE(marks.IsMarked(257));
  EXPECT_FALSE(marks.IsMarked(259));
  const std::vector<std::uint8_t> slot(file.Bytes().begin() + 258 * 4,
                                       file.Bytes().begin() + 259 * 4);
  EXPECT_EQ(slot, (std::vector<std::uint8_t>{0x02, 0x01, 0, 0}));
}

}  // namespace
