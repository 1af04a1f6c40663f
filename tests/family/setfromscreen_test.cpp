// What the Edit Individual screen hands back reaches the in-memory individual,
// its record, and the family link that carries the sealing to parents.
#include <gtest/gtest.h>

#include "EditModels.h"
#include "EventKinds.h"
#include "FamilyLinkRecord.h"
#include "IndividualNode.h"
#include "NodeFixture.h"
#include "OrdinanceObject.h"

namespace {

class SetFromScreen : public NodeFamilyFixture {
 protected:
  void SetUp() override {
    NodeFamilyFixture::SetUp();
    SetNodeOptions(NodeOptions{});  // ZEL data shown
    father = Add("Hale", "Tom", 'M');
    mother = Add("Quill", "Ada", 'F');
    parents = Marry(father, mother);
    child = Add("Hale", "Ben", 'M');
    AddChild(parents, child);
    orphan = Add("Lorn", "Ivy", 'F');
  }
  void TearDown() override {
    SetNodeOptions(saved_);
    NodeFamilyFixture::TearDown();
  }

  // The screen's values for rin as the record holds them.
  CIndividualNode* Load(std::int32_t rin, CIndividualEditValues& model) {
    CIndividualRecord r;
    EXPECT_EQ(family::Read(r, rin), 1);
    model.rin = rin;
    model.surname = r.surname;
    model.givenNames = r.givenNames[0];
    model.sex = r.sex;
    model.parentLink = r.numbers[CIndividualRecord::kParentLink];
    CIndividualNode* node = CIndividualNode::New(r, 3, 0, 0, nullptr);
    node->AddRef();
    return node;
  }

  static CDateValue Day(int year, int month, int day) {
    CDateValue d;
    d.Set(year, month, day);
    return d;
  }

  // The sealing to parents stored on rin's family link.
  static const COrdinanceObject* StoredSealing(std::int32_t rin, CFamilyLinkRecord& link) {
    CIndividualRecord r;
    EXPECT_EQ(family::Read(r, rin), 1);
    const std::int32_t linkNumber = r.numbers[CIndividualRecord::kParentLink];
    EXPECT_GT(linkNumber, 0);
    EXPECT_EQ(family::Read(link, linkNumber), 1);
    return link.GetSealingEvent();
  }

  NodeOptions saved_ = GetNodeOptions();
  std::int32_t father = 0, mother = 0, parents = 0, child = 0, orphan = 0;
};

TEST_F(SetFromScreen, NamesEventsAndSexReachTheRecord) {
  CIndividualEditValues model;
  CIndividualNode* node = Load(child, model);
  model.surname = "Hale-Quill";
  model.givenNames = "Benjamin Otto Karl";
  model.sex = 'f';
  model.birth.date = Day(1901, 4, 2);
  model.birth.place[0] = "Norbury";
  model.death.date.SetText("lost at sea");
  model.baptism.date = Day(1910, 5, 1);
  model.baptism.templeCode = "HARRO";
  node->SetFromScreen(model);

  CIndividualRecord back;
  ASSERT_EQ(family::Read(back, child), 1);
  back.SetFromIndividualNode(*node);
  ASSERT_EQ(family::Update(back, 0), 1);
  CIndividualRecord stored;
  ASSERT_EQ(family::Read(stored, child), 1);
  EXPECT_EQ(stored.surname, "Hale-Quill");
  EXPECT_EQ(stored.givenNames[0], "Benjamin");
  EXPECT_EQ(stored.givenNames[1], "Otto");
  EXPECT_EQ(stored.givenNames[2], "Karl");
  EXPECT_EQ(stored.sex, 'F');
  EXPECT_TRUE(stored.birth.date.Equals(Day(1901, 4, 2)));
  EXPECT_EQ(stored.birth.place[0], "Norbury");
  EXPECT_EQ(stored.death.date.text, "lost at sea");
  EXPECT_EQ(stored.baptism.templeCode, "HARRO");
  // The link to the parents is kept as the record had it.
  EXPECT_EQ(stored.numbers[CIndividualRecord::kParentLink], model.parentLink);
  node->Release();
}

TEST_F(SetFromScreen, SealingToParentsIsWrittenToTheFamilyLink) {
  CIndividualEditValues model;
  CIndividualNode* node = Load(child, model);
  ASSERT_GT(model.parentLink, 0);
  model.sealingToParents.date = Day(1925, 6, 7);
  model.sealingToParents.templeCode = "saltb";
  node->SetFromScreen(model);

  CFamilyLinkRecord link;
  const COrdinanceObject* sealing = StoredSealing(child, link);
  ASSERT_NE(sealing, nullptr);
  EXPECT_TRUE(sealing->date.Equals(Day(1925, 6, 7)));
  EXPECT_EQ(sealing->templeCode, "SALTB");
  EXPECT_EQ(link.mrin, parents);  // still the same parents
  node->Release();
}

TEST_F(SetFromScreen, SealingOfSomeoneWithoutParentsGetsALinkOfItsOwn) {
  CIndividualEditValues model;
  CIndividualNode* node = Load(orphan, model);
  ASSERT_EQ(model.parentLink, 0);
  model.sealingToParents.date.Set(0, CDateValue::kStatusBIC);
  node->SetFromScreen(model);

  CFamilyLinkRecord link;
  const COrdinanceObject* sealing = StoredSealing(orphan, link);
  ASSERT_NE(sealing, nullptr);
  EXPECT_EQ(sealing->date.month, CDateValue::kStatusBIC);
  EXPECT_EQ(link.mrin, 0);
  EXPECT_EQ(link.child, orphan);
  node->Release();
}

}  // namespace
