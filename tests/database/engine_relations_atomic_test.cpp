// The calls that join and part people, killed at every write (before it and
// after half of it): the family opens again exactly as before the call or
// as after it, in the small sample family and in a generated family of
// 2,000 people.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Clock.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyWorkout.h"
#include "IndividualRecord.h"
#include "KilledCalls.h"
#include "MemoryFile.h"
#include "ORV3.h"
#include "TestHelpers.h"

namespace {

using killed::Session;

// The sample family (workout::BuildSmallFamily): marriage 1 (1 + 2) with
// children 5 and 6, marriage 2 (3 + 4) with children 7 and 8, marriage 3
// (5 + 8); and marriage 4, 1's second (1 + 8). The generated family starts
// the same way.
constexpr std::int32_t kFather = 1, kMother = 2, kFirstChild = 5, kSecondChild = 6;
constexpr std::int32_t kOtherFather = 3, kOtherChild = 7, kOtherDaughter = 8;
constexpr std::int32_t kParents = 1, kOtherParents = 2, kChildrensMarriage = 3;

// The generated family: the sample, then couples of the people from 9 on,
// each couple's marriage with two children from among the later people.
constexpr int kGeneratedPeople = 2000;

bool BuildSample(ORV3& e) {
  return workout::BuildSmallFamily(e) &&
         e.Families().DLLSETORV3RELATION(kFather, kOtherDaughter, db::kRelHusband, 0) == 4;
}

bool BuildGenerated(ORV3& e) {
  if (!BuildSample(e)) return false;
  e.Blocks().BeginBatch();
  bool ok = true;
  for (int rin = 9; rin <= kGeneratedPeople; ++rin) {
    CIndividualRecord person;
    person.surname = "Gen" + std::to_string(rin % 97);
    person.givenNames[0] = "Given" + std::to_string(rin);
    person.sex = rin % 2 == 1 ? 'M' : 'F';
    ok = ok && e.Calls().AddRecord(db::kIndividual, false, &person) == rin;
  }
  // Couples (9, 10), (11, 12), ...: marriages 5 on.
  std::vector<std::int32_t> marriages;
  for (int husband = 9; husband + 1 <= kGeneratedPeople; husband += 2) {
    const std::int32_t m =
        e.Families().DLLSETORV3RELATION(husband, husband + 1, db::kRelHusband, 0);
    ok = ok && m > 0;
    marriages.push_back(m);
  }
  // People from 13 on are children, two to a marriage.
  for (int child = 13; child <= kGeneratedPeople; ++child)
    ok = ok &&
         e.Families().DLLSETORV3RELATION(child, 0, db::kRelParents,
                                         marriages[static_cast<std::size_t>(child - 13) / 2]) > 0;
  return e.Blocks().EndBatch() && ok;
}

struct Call {
  const char* name;
  std::function<bool(ORV3&)> run;  // true when the call reports success
};

// Every call of the engine that writes several records to join or part
// people, reorder them or merge their parent links.
const std::vector<Call>& RelationCalls() {
  static const std::vector<Call> calls = {
      {"marry two people in a new marriage",
       [](ORV3& e) {
         return e.Families().DLLSETORV3RELATION(kOtherChild, kSecondChild, db::kRelHusband, 0) > 0;
       }},
      {"replace the wife of a marriage",
       [](ORV3& e) {
         return e.Families().DLLSETORV3RELATION(kSecondChild, 0, db::kRelWife,
                                                kChildrensMarriage) == kChildrensMarriage;
       }},
      {"add a child to a family",
       [](ORV3& e) {
         return e.Families().DLLSETORV3RELATION(kOtherChild, 0, db::kRelParents, kParents) > 0;
       }},
      {"add a child in a new family",
       [](ORV3& e) { return e.Families().DLLSETORV3RELATION(kFather, 0, db::kRelParents, 0) > 0; }},
      {"add a child to a parent's first marriage",
       [](ORV3& e) {
         return e.Families().DLLSETORV3RELATION(kOtherFather, kSecondChild, db::kRelChildren, 0) >
                0;
       }},
      {"remove a child",
       [](ORV3& e) {
         return e.Families().O3_UnSetRelation(kParents, kFirstChild, db::kRelChildren) == 1;
       }},
      {"remove a husband",
       [](ORV3& e) {
         return e.Families().O3_UnSetRelation(kOtherParents, kOtherFather, db::kRelHusband) == 1;
       }},
      {"move a child to another family",
       [](ORV3& e) {
         return e.Families().MoveChildLink(kFirstChild, kParents, kOtherParents) == 1;
       }},
      {"unlink an individual's parents and marriages",
       [](ORV3& e) { return e.Families().O3_UnlinkRIN(kFirstChild, db::kIndividual) == 1; }},
      {"unlink a marriage",
       [](ORV3& e) { return e.Families().O3_UnlinkRIN(kParents, db::kMarriage) == 1; }},
      {"delete a married individual",
       [](ORV3& e) { return e.Calls().DllDeleteRecord(kFirstChild, db::kIndividual) == 1; }},
      {"delete a marriage",
       [](ORV3& e) { return e.Calls().DllDeleteRecord(kParents, db::kMarriage) == 1; }},
      {"reorder children",
       [](ORV3& e) {
         const std::int32_t order[] = {kSecondChild, kFirstChild};
         return e.Families().O3_SetOrder(kParents, order, db::kRelChildren) == 1;
       }},
      {"reorder marriages",
       [](ORV3& e) {
         const std::vector<std::int32_t> chain = e.Families().SpouseChain(kFather);
         if (chain.size() != 2) return false;
         const std::vector<std::int32_t> order(chain.rbegin(), chain.rend());
         return e.Families().O3_SetOrder(kFather, order, db::kRelMarriages) == 1;
       }},
      {"set a family's children",
       [](ORV3& e) {
         const std::int32_t children[] = {kSecondChild, kOtherChild};
         return e.Families().SetRinList(children, db::kRelChildren, kParents, db::kOwnerMarriage) ==
                1;
       }},
      {"merge parent links",
       [](ORV3& e) {
         return e.Families().MergeFamilyLinks(kOtherChild, kFirstChild, false, false, 0, true) == 1;
       }},
  };
  return calls;
}

class RelationsKilledTest : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() {
    plat::SetFixedTime(LocalTimeOf(2024, 5, 6, 7, 8));
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scoped{&boxes};
    sample_ = new MemoryFile;
    generated_ = new MemoryFile;
    for (MemoryFile* file : {sample_, generated_}) {
      Session s(*file);
      ASSERT_EQ(s.engine->Create("family.orv"), 1);
      ASSERT_TRUE(file == sample_ ? BuildSample(*s.engine) : BuildGenerated(*s.engine));
    }
  }
  static void TearDownTestSuite() {
    delete sample_;
    delete generated_;
    plat::SetFixedTime(0);
  }
  void SetUp() override { plat::SetFixedTime(LocalTimeOf(2024, 5, 6, 7, 8)); }

  static MemoryFile* sample_;
  static MemoryFile* generated_;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
};

MemoryFile* RelationsKilledTest::sample_ = nullptr;
MemoryFile* RelationsKilledTest::generated_ = nullptr;

TEST_P(RelationsKilledTest, InTheSampleFamilyLeavesTheOldOrTheNewState) {
  const Call& call = RelationCalls()[static_cast<std::size_t>(GetParam())];
  killed::ExpectEngineCallOldOrNew(*sample_, call.run);
}

TEST_P(RelationsKilledTest, InAFamilyOf2000LeavesTheOldOrTheNewState) {
  const Call& call = RelationCalls()[static_cast<std::size_t>(GetParam())];
  killed::ExpectEngineCallOldOrNew(*generated_, call.run);
}

std::string CallName(const ::testing::TestParamInfo<int>& info) {
  return killed::TestName(RelationCalls()[static_cast<std::size_t>(info.param)].name);
}

INSTANTIATE_TEST_SUITE_P(EachCall, RelationsKilledTest,
                         ::testing::Range(0, static_cast<int>(RelationCalls().size())), CallName);

}  // namespace
