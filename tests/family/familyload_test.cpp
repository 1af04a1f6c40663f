// A family loaded through the database calls into in-memory nodes: stored
// orders, sharing by count, a second load, a marriage without a husband,
// and release of the whole graph.
#include <gtest/gtest.h>

#include "DbCodes.h"
#include "IndividualNode.h"
#include "MarriageNode.h"
#include "NodeFixture.h"

namespace {

using List = std::vector<std::int32_t>;

class FamilyLoad : public NodeFamilyFixture {
 protected:
  void SetUp() override {
    NodeFamilyFixture::SetUp();
    grandfather = Add("Miller", "Adam", 'M');
    grandmother = Add("Ross", "Eve", 'F');
    father = Add("Miller", "John", 'U');  // unknown sex: his side comes from the marriages
    mother = Add("Baker", "Mary", 'f');
    second = Add("Stone", "Ruth", 'F');
    for (const char* name : {"Anna", "Paul", "Carl"}) children.push_back(Add("Miller", name, 'M'));
    parents = Marry(grandfather, grandmother);
    AddChild(parents, father);
    first = Marry(father, mother);
    for (std::int32_t c : children) AddChild(first, c);
    later = Marry(father, second);
    // Stored orders that differ from the order of creation.
    ASSERT_EQ(DbSetOrder(father, {later, first}, db::kRelMarriages, 2), 1);
    ASSERT_EQ(DbSetOrder(first, {children[2], children[0], children[1]}, db::kRelChildren, 3), 1);
  }

  CIndividualNode* Load(std::int32_t rin) {
    CIndividualRecord r;
    EXPECT_EQ(family::Read(r, rin), 1);
    CIndividualNode* node = CIndividualNode::New(r, 2, 0, 0, nullptr);
    node->AddRef();  // the test's own hold
    return node;
  }

  std::int32_t grandfather, grandmother, father, mother, second, parents, first, later;
  List children;
};

TEST_F(FamilyLoad, MarriagesChildrenAndParentsLoadInStoredOrderAndShareNodes) {
  CIndividualNode* john = Load(father);
  john->LoadMarriages(3, 0, 0, nullptr);
  ASSERT_EQ(john->GetLoadedMarriageCount(), 2);
  EXPECT_EQ(john->GetLinks()->marriageCount, 2);
  CMarriageNode* m0 = john->GetMarriage(0);
  CMarriageNode* m1 = john->GetMarriage(1);
  EXPECT_EQ(john->GetMarriage(2), nullptr);
  EXPECT_EQ(john->GetMarriage(-1), nullptr);
  EXPECT_EQ(m0->GetMrin(), later);
  EXPECT_EQ(m1->GetMrin(), first);
  // Sex 'U': the side comes from the marriage, so he is the husband of both.
  EXPECT_EQ(m0->HusbandNode(), john);
  EXPECT_EQ(m1->HusbandNode(), john);
  ASSERT_NE(m1->WifeNode(), nullptr);
  EXPECT_EQ(m1->WifeNode()->GetRin(), mother);
  EXPECT_EQ(m1->WifeNode()->GetSexLetter(), 'F');  // stored 'f'
  EXPECT_EQ(m0->WifeNode()->GetRin(), second);
  EXPECT_EQ(john->GetRefCount(), 3);
  EXPECT_EQ(m0->GetUseCount(), 1);

  // A second load adds nothing.
  CIndividualNode* wife = m1->WifeNode();
  john->LoadMarriages(3, 0, 0, nullptr);
  EXPECT_EQ(john->GetLoadedMarriageCount(), 2);
  EXPECT_EQ(john->GetMarriage(1), m1);
  EXPECT_EQ(m1->WifeNode(), wife);
  EXPECT_EQ(john->GetRefCount(), 3);
  EXPECT_EQ(wife->GetRefCount(), 1);
  EXPECT_EQ(m1->GetUseCount(), 1);

  m1->LoadChildren(2, 0, 0, nullptr);
  m1->LoadChildren(2, 0, 0, nullptr);
  ASSERT_EQ(m1->GetLoadedChildCount(), 3);
  EXPECT_EQ(m1->childCount, 3);
  EXPECT_EQ(m1->GetChild(0)->GetRin(), children[2]);
  EXPECT_EQ(m1->GetChild(1)->GetRin(), children[0]);
  EXPECT_EQ(m1->GetChild(2)->GetRin(), children[1]);
  EXPECT_EQ(m1->GetChild(3), nullptr);
  EXPECT_EQ(m1->GetChild(0)->GetRefCount(), 1);

  // Parents, with John as the child of origin and the marriage as each
  // parent's current marriage.
  john->LoadParents(2, 0, true, false, 0, nullptr);
  CMarriageNode* pm = john->GetParents();
  ASSERT_NE(pm, nullptr);
  EXPECT_EQ(pm->GetMrin(), parents);
  EXPECT_EQ(pm->ChildOfOrigin(), john);
  ASSERT_NE(pm->HusbandNode(), nullptr);
  EXPECT_EQ(pm->HusbandNode()->GetRin(), grandfather);
  EXPECT_EQ(pm->WifeNode()->GetRin(), grandmother);
  EXPECT_EQ(pm->HusbandNode()->GetLinks()->currentMarriage, pm);
  EXPECT_EQ(john->GetRefCount(), 4);

  // Loading the parents again: without addRef nothing changes; with addRef
  // one more use, which ReleaseParents takes back while the marriage stays.
  john->LoadParents(2, 0, true, false, 0, nullptr);
  EXPECT_EQ(john->GetParents(), pm);
  EXPECT_EQ(pm->HusbandNode()->GetRefCount(), 1);
  const int uses = pm->GetUseCount();
  john->LoadParents(2, 0, true, true, 0, nullptr);
  EXPECT_EQ(pm->GetUseCount(), uses + 1);
  EXPECT_EQ(pm->HusbandNode()->GetRefCount(), 2);
  EXPECT_EQ(john->ReleaseParents(), pm);
  EXPECT_EQ(pm->GetUseCount(), uses);
  EXPECT_EQ(pm->HusbandNode()->GetRefCount(), 1);

  // The marriage's children reuse the child of origin.
  pm->LoadChildren(2, 0, 0, nullptr);
  ASSERT_EQ(pm->GetLoadedChildCount(), 1);
  EXPECT_EQ(pm->GetChild(0), john);

  // Release of the whole graph; the sanitizer run checks that all went.
  m1->ReleaseLoadedChildren();
  EXPECT_EQ(m1->childCount, -1);
  EXPECT_EQ(m1->GetLoadedChildCount(), 0);
  EXPECT_EQ(john->ReleaseParents(), nullptr);
  EXPECT_EQ(john->GetParents(), nullptr);
  EXPECT_EQ(john->GetRefCount(), 3);
  EXPECT_EQ(john->ReleaseMarriages(), 2);
  EXPECT_EQ(john->GetLinks()->marriageCount, -1);
  EXPECT_EQ(john->GetRefCount(), 1);
  EXPECT_EQ(john->ReleaseMarriages(), 0);
  // The next load counts again.
  john->LoadMarriages(2, 0, 0, nullptr);
  EXPECT_EQ(john->GetLinks()->marriageCount, 2);
  john->ReleaseMarriages();
  john->Release();
}

TEST_F(FamilyLoad, WifeOfAMarriageWithoutHusbandGetsNoSpouse) {
  const std::int32_t alone = Add("Gray", "Jane", 'U');
  const std::int32_t m = Marry(0, alone);
  ASSERT_GT(m, 0);
  CIndividualNode* jane = Load(alone);
  jane->LoadMarriages(2, 0, 0, nullptr);
  ASSERT_EQ(jane->GetLoadedMarriageCount(), 1);
  CMarriageNode* marriage = jane->GetMarriage(0);
  EXPECT_EQ(marriage->WifeNode(), jane);
  EXPECT_EQ(marriage->HusbandNode(), nullptr);
  EXPECT_EQ(marriage->GetHusband(), nullptr);
  EXPECT_EQ(marriage->GetWife(), jane);
  jane->ReleaseMarriages();
  jane->Release();

  // A marriage read on its own loads its spouses on first use.
  CMarriageRecord record;
  ASSERT_EQ(family::Read(record, m), 1);
  CMarriageNode* lone = nullptr;
  SetMarriageRef(lone, CMarriageNode::New(record));
  EXPECT_EQ(lone->GetHusband(), nullptr);
  ASSERT_NE(lone->GetWife(), nullptr);
  EXPECT_EQ(lone->GetWife()->GetRin(), alone);
  EXPECT_EQ(lone->GetWife()->GetDetails() != nullptr, true);
  ReleaseMarriageRef(lone);
  EXPECT_EQ(lone, nullptr);
}

TEST_F(FamilyLoad, IndividualWithoutMarriagesCachesZero) {
  CIndividualNode* anna = Load(children[0]);
  anna->LoadMarriages(2, 0, 0, nullptr);
  EXPECT_EQ(anna->GetLoadedMarriageCount(), 0);
  EXPECT_EQ(anna->GetLinks()->marriageCount, 0);
  EXPECT_EQ(CIndividualLinks::GetParentFamilyCount(anna->GetLinks(), children[0], true), 1);
  EXPECT_EQ(anna->GetLinks()->parentFamilyCount, 1);
  anna->Release();
}

TEST_F(FamilyLoad, ParentsGoWithReleaseParentsOrWithTheChild) {
  // With setCurrent the parents hold their marriage as current marriage;
  // ReleaseParents ends that hold too, so the marriage and the parents go.
  CIndividualNode* anna = Load(children[0]);
  anna->LoadParents(3, 0, true, false, 0, nullptr);
  ASSERT_NE(anna->GetParents(), nullptr);
  EXPECT_EQ(anna->GetParents()->HusbandNode()->GetRin(), father);
  EXPECT_NE(anna->GetParents()->WifeNode()->GetDetails(), nullptr);
  EXPECT_EQ(anna->ReleaseParents(), nullptr);
  anna->Release();

  // Without setCurrent nothing holds the child but the test: its going
  // gives the parents' marriage up.
  CIndividualNode* paul = Load(children[1]);
  paul->LoadParents(2, 0, false, false, 0, nullptr);
  ASSERT_NE(paul->GetParents(), nullptr);
  EXPECT_EQ(paul->GetParents()->ChildOfOrigin(), nullptr);
  paul->Release();
}

TEST_F(FamilyLoad, StoredLowerCaseSexReadsAsCapital) {
  CIndividualRecord r;
  ASSERT_EQ(family::Read(r, mother), 1);
  EXPECT_EQ(r.sex, 'F');
  EXPECT_EQ(DbGetSex(mother), 'F');
}

}  // namespace
