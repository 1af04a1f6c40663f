// The citation buttons of the editing screens' rows: which chain each row
// opens, and that a citation added while the screen is open survives its
// Save (the screen writes the chain's first citation back with the record).
#include <gtest/gtest.h>

#include <deque>

#include "CitationRecord.h"
#include "EditFixture.h"
#include "EditSessions.h"
#include "EventTypeRecord.h"
#include "FakeFieldList.h"
#include "FieldListRow.h"
#include "MarriageNode.h"
#include "RowCitations.h"
#include "SourceRecord.h"
#include "StringIds.h"
#include "UserEventRecord.h"

namespace {

class RowCitationsTest : public EditFamilyFixture {
 protected:
  void SetUp() override {
    EditFamilyFixture::SetUp();
    CSourceRecord s;
    s.title = "Parish register";
    source = DbAddRecord(db::kSource, 1, &s);
    ASSERT_GT(source, 0);
  }
  void TearDown() override {
    for (CIndividualNode* node : nodes) node->Release();
    for (CMarriageNode*& node : marriages) ReleaseMarriageRef(node);
    EditFamilyFixture::TearDown();
  }
  CIndividualNode* Keep(CIndividualNode* node) {
    nodes.push_back(node);
    return node;
  }
  // What Sources for does when the user adds a citation: one more in the
  // owner's chain, written at once.
  std::int32_t Cite(const RowCitationOwner& target) const {
    CCitationRecord c;
    c.sourceRin = source;
    c.ownerLetter = target.letter;
    c.ownerNumber = target.owner;
    c.secondOwnerNumber = target.second;
    c.pageText = "p. 12";
    const std::int32_t n = DbAddRecord(db::kCitation, 1, &c);
    EXPECT_GT(n, 0) << target.letter;
    return n;
  }
  static const CFieldListRow* Row(const FakeList& f, int labelId, int offset = 0) {
    return f.list.GetRowObject(f.list.FindRowIndexById(labelId) + offset);
  }

  std::int32_t source = 0;
  std::vector<CIndividualNode*> nodes;
  std::deque<CMarriageNode*> marriages;
  EditSessionHooks granted;
};

TEST_F(RowCitationsTest, IndividualRowsOpenTheirOwnChains) {
  const std::int32_t rin = Add("Hale", "Anna", 'F', 1900);
  CIndividualEditSession session(Keep(Node(rin)), nullptr, 0);
  FakeList f;
  session.Model().FillList(f.list);
  struct Case {
    int labelId;
    int offset;
    char letter;
  };
  // Birth date and place share the birth's chain; death and the
  // endowment's temple row have theirs.
  for (const Case& c :
       {Case{3710, 0, 'B'}, Case{3710, 1, 'B'}, Case{3712, 0, 'D'}, Case{3713, 0, 'R'},
        Case{7207, 1, 'E'}, Case{res::kIdsTitleSuffix, 0, 'I'}}) {
    SCOPED_TRACE(c.labelId);
    RowCitationOwner target;
    ASSERT_TRUE(IndividualRowCitations(session.Model(), rin, Row(f, c.labelId, c.offset), target));
    EXPECT_EQ(target.owner, rin);
    EXPECT_EQ(target.letter, c.letter);
    EXPECT_EQ(target.event == nullptr, c.letter == 'I');
  }
  // A heading and the given-name row have no citations.
  RowCitationOwner none;
  EXPECT_FALSE(IndividualRowCitations(session.Model(), rin, Row(f, res::kIdsGivenName), none));
  EXPECT_FALSE(IndividualRowCitations(session.Model(), rin, nullptr, none));
}

TEST_F(RowCitationsTest, CitationsAddedWhileEditingSurviveSave) {
  const std::int32_t rin = Add("Hale", "Anna", 'F', 1900);
  CIndividualEditSession session(Keep(Node(rin)), nullptr, 0);
  FakeList f;
  session.Model().FillList(f.list);

  RowCitationOwner birth, own;
  ASSERT_TRUE(IndividualRowCitations(session.Model(), rin, Row(f, 3710), birth));
  ASSERT_TRUE(IndividualRowCitations(session.Model(), rin, Row(f, res::kIdsTitleSuffix), own));
  const std::int32_t birthCitation = Cite(birth);
  const std::int32_t ownCitation = Cite(own);
  EXPECT_EQ(TakeRowCitations(birth, &session.Model()), birthCitation);
  EXPECT_EQ(TakeRowCitations(own, &session.Model()), ownCitation);
  EXPECT_EQ(session.Model().HasCitations(), 1);

  session.SetChanged();
  ASSERT_EQ(session.Save(granted), editsession::kIdOk);
  CIndividualRecord back;
  ASSERT_EQ(family::Read(back, rin), 1);
  EXPECT_EQ(back.birth.firstCitation, birthCitation);
  std::vector<std::int32_t> chain;
  DbGetRinList(chain, db::kCitation, rin, 'B');
  EXPECT_EQ(chain, std::vector<std::int32_t>{birthCitation});
  DbGetRinList(chain, db::kCitation, rin, 'I');
  EXPECT_EQ(chain, std::vector<std::int32_t>{ownCitation});
}

TEST_F(RowCitationsTest, SealingToParentsGetsAFamilyLinkFirst) {
  const std::int32_t rin = Add("Hale", "Anna", 'F', 1900);
  CIndividualEditSession session(Keep(Node(rin)), nullptr, 0);
  FakeList f;
  session.Model().FillList(f.list);
  ASSERT_EQ(session.Model().GetSealingFamilyLink(), 0);
  RowCitationOwner sealing;
  ASSERT_TRUE(IndividualRowCitations(session.Model(), rin, Row(f, 3715, 1), sealing));
  EXPECT_EQ(sealing.letter, 'P');
  EXPECT_GT(session.Model().GetSealingFamilyLink(), 0);
  const std::int32_t citation = Cite(sealing);
  EXPECT_EQ(TakeRowCitations(sealing, &session.Model()), citation);
  ASSERT_EQ(session.Save(granted), editsession::kIdOk);
  std::vector<std::int32_t> chain;
  DbGetRinList(chain, db::kCitation, rin, 'P');
  EXPECT_EQ(chain, std::vector<std::int32_t>{citation});
}

TEST_F(RowCitationsTest, UserEventsCiteTheirOwnRecord) {
  const std::int32_t rin = Add("Hale", "Anna", 'F', 1900);
  CEventTypeRecord type;
  type.title = "Immigration";
  type.ownerKind = 'I';
  const std::int32_t typeNumber = DbAddRecord(db::kEventType, 0, &type);
  CIndividualEditSession session(Keep(Node(rin)), nullptr, 0);
  CFieldListRow* row = session.AddUserEvent(typeNumber, granted);
  ASSERT_NE(row, nullptr);
  RowCitationOwner target;
  ASSERT_TRUE(IndividualRowCitations(session.Model(), rin, row, target));
  const CUserEventRecord* event = session.Model().UserEvents().front().get();
  EXPECT_EQ(target.letter, 'U');
  EXPECT_EQ(target.owner, event->recordNumber);
  EXPECT_EQ(target.second, typeNumber);
  const std::int32_t citation = Cite(target);
  EXPECT_EQ(TakeRowCitations(target, &session.Model()), citation);
  ASSERT_EQ(session.Save(granted), editsession::kIdOk);
  CUserEventRecord back;
  ASSERT_EQ(family::Read(back, event->recordNumber), 1);
  EXPECT_EQ(back.GetFirstCitation(), citation);
  // A removed user event has nothing to open.
  session.Model().RemoveUserEvent(session.Model().UserEvents().front().get());
  EXPECT_FALSE(IndividualRowCitations(session.Model(), rin, row, target));
}

TEST_F(RowCitationsTest, MarriageRowsCiteTheMarriageByEvent) {
  const std::int32_t husband = Add("Hale", "Tom", 'M', 1890);
  const std::int32_t mrin = Marry(husband, Add("Ross", "Ann", 'F', 1892));
  CMarriageRecord record;
  ASSERT_EQ(family::Read(record, mrin), 1);
  marriages.push_back(nullptr);
  SetMarriageRef(marriages.back(), CMarriageNode::New(record));
  CMarriageEditSession session(marriages.back());
  FakeList f;
  session.Model().FillList(f.list);
  RowCitationOwner married, sealed;
  ASSERT_TRUE(MarriageRowCitations(session.Model(), mrin, Row(f, 7159), married));
  ASSERT_TRUE(MarriageRowCitations(session.Model(), mrin, Row(f, 3714, 1), sealed));
  EXPECT_EQ(married.letter, 'G');
  EXPECT_EQ(sealed.letter, 'S');
  EXPECT_EQ(married.owner, mrin);
  const std::int32_t citation = Cite(married);
  EXPECT_EQ(TakeRowCitations(married), citation);
  session.SetChanged();
  ASSERT_EQ(session.Save(false, granted), editsession::kIdOk);
  ASSERT_EQ(family::Read(record, mrin), 1);
  EXPECT_EQ(record.marriage.firstCitation, citation);
}

}  // namespace
