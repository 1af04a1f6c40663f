// Family Group Record cascades over a family file: the database's tree
// follows the same links as the report's other kinds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FamilyGroupSelection.h"
#include "MemoryFile.h"
#include "ReportFamilies.h"

namespace {

class FamilyGroupCascadeTest : public ReportFamiliesFixture {
 protected:
  std::vector<rpt::FamilyGroupRequest> Cascade(const rpt::FamilyGroupSelection& selection) {
    rpt::DatabaseFamilyGroupTree tree;
    MemoryFile file;
    rpt::CascadeMarks marks(file);
    EXPECT_TRUE(marks.Prepare(tree.HighestFamily()));
    std::vector<rpt::FamilyGroupRequest> made;
    rpt::SelectFamilyGroupRecords(
        selection, tree, &marks,
        [&](const rpt::FamilyGroupRequest& r) {
          made.push_back(r);
          return true;
        },
        [] { return true; });
    return made;
  }
};

using Kind = rpt::FamilyRecordKind;

TEST_F(FamilyGroupCascadeTest, CousinMarriageUpAndDown) {
  const Collapse f = BuildPedigreeCollapse();
  rpt::FamilyGroupSelection up;
  up.mode = rpt::kFamilyGroupCascadeUp;
  up.startIsChild = true;
  up.startPerson = f.kevin;
  up.chosenFamily = f.cousins;
  // The grandparents come through Frank's side and not again through Helen's.
  EXPECT_EQ(Cascade(up), (std::vector<rpt::FamilyGroupRequest>{
                             {f.cousins, Kind::Family, f.kevin},
                             {f.charlesEdith, Kind::Family, f.frank},
                             {f.grandparents, Kind::Family, f.charles},
                             {f.dianaGeorge, Kind::Family, f.helen},
                         }));

  rpt::FamilyGroupSelection down;
  down.mode = rpt::kFamilyGroupCascadeDown;
  down.startPerson = f.arthur;
  down.chosenFamily = f.grandparents;
  down.generations = 3;
  // The cousins' family is reached through Charles and again through Diana.
  EXPECT_EQ(Cascade(down), (std::vector<rpt::FamilyGroupRequest>{
                               {f.grandparents, Kind::Family, 0},
                               {f.charlesEdith, Kind::Family, 0},
                               {f.cousins, Kind::Family, 0},
                               {f.dianaGeorge, Kind::Family, 0},
                           }));
  down.generations = 2;
  EXPECT_EQ(Cascade(down), (std::vector<rpt::FamilyGroupRequest>{
                               {f.grandparents, Kind::Family, 0},
                               {f.charlesEdith, Kind::Family, 0},
                               {f.dianaGeorge, Kind::Family, 0},
                           }));
}

TEST_F(FamilyGroupCascadeTest, PeopleOfEachRecordKind) {
  const Collapse f = BuildPedigreeCollapse();
  struct Case {
    rpt::FamilyGroupRequest request;
    bool exists;
    std::int32_t husband, wife;
    std::vector<std::int32_t> children;
  };
  const Case cases[] = {
      {{f.grandparents, Kind::Family, 0}, true, f.arthur, f.beatrice, {f.charles, f.diana}},
      {{f.cousins, Kind::Family, 0}, true, f.frank, f.helen, {f.kevin}},
      {{f.cousins + 50, Kind::Family, 0}, false, 0, 0, {}},
      {{f.arthur, Kind::LoneParent, 0}, true, f.arthur, 0, {}},
      {{f.beatrice, Kind::LoneParent, 0}, true, 0, f.beatrice, {}},
      {{f.kevin, Kind::LoneChild, 0}, true, 0, 0, {f.kevin}},
      {{f.kevin + 50, Kind::LoneChild, 0}, false, 0, 0, {}},
  };
  for (const Case& c : cases) {
    rpt::FamilyGroupPeople people;
    EXPECT_EQ(rpt::ReadFamilyGroupPeople(c.request, people), c.exists) << c.request.key;
    EXPECT_EQ(people.husband, c.husband) << c.request.key;
    EXPECT_EQ(people.wife, c.wife) << c.request.key;
    EXPECT_EQ(people.children, c.children) << c.request.key;
  }
}

}  // namespace
