#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../family/NodeFixture.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyLinkRecord.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "ParentLinks.h"

namespace {

using List = std::vector<std::int32_t>;

class ParentLinksTest : public NodeFamilyFixture {
 protected:
  // A child with `families` parent families, made in order; their MRINs.
  List MakeChild(int families) {
    child = Add("Child", "Ann", 'F');
    List mrins;
    for (int i = 0; i < families; ++i) {
      const std::string given = "F" + std::to_string(i);
      const std::int32_t m = Marry(Add("Dad", given.c_str(), 'M'), Add("Mum", given.c_str(), 'F'));
      EXPECT_GT(DbSetRelation(child, 0, db::kRelParents, m), 0);
      mrins.push_back(m);
    }
    return mrins;
  }
  // The parents' MRINs of the child's stored chain, walked from its head
  // link; checks the ring closes on the head.
  List StoredChain() {
    CIndividualRecord person;
    EXPECT_EQ(DbGetRecord(child, db::kIndividual, &person), 1);
    const std::int32_t head = person.numbers[CIndividualRecord::kParentLink];
    List out;
    std::int32_t n = head;
    for (int guard = 0; n != 0 && guard < 10; ++guard) {
      CFamilyLinkRecord link;
      EXPECT_EQ(DbGetRecord(n, db::kFamilyLink, &link), 1);
      out.push_back(link.mrin);
      n = link.nextInParents;
      if (n == head) return out;
    }
    if (n != 0) ADD_FAILURE() << "the chain does not close on its head";
    return out;
  }
  std::int32_t PrimaryMrin() {
    CIndividualRecord person;
    DbGetRecord(child, db::kIndividual, &person);
    return person.numbers[CIndividualRecord::kParentsMrin];
  }
  static List Mrins(const CParentLinkList& list) {
    List out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Link(i).mrin);
    return out;
  }
  std::int32_t child = 0;
};

TEST_F(ParentLinksTest, ReorderingIsStoredAsACircularChainWithTheNewPrimaryParents) {
  struct Case {
    int families;
    const char* what;
    std::vector<int> ops;    // >= 100: make primary (op - 100); else select op, then move +1
    std::vector<int> order;  // expected order as indexes into the made MRINs
  };
  const Case cases[] = {
      {2, "make the second primary", {101}, {1, 0}},
      {3, "make the last primary", {102}, {2, 0, 1}},
      {3, "move the first one down", {0}, {1, 0, 2}},
      {3, "move the middle one down", {1}, {0, 2, 1}},
      {3, "move the last down: no change", {2}, {0, 1, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const List mrins = MakeChild(c.families);
    CParentLinkList list;
    ASSERT_TRUE(list.Load(child));
    ASSERT_EQ(Mrins(list), mrins);
    for (int op : c.ops) {
      if (op >= 100) {
        list.MakePrimary(op - 100);
        EXPECT_EQ(list.Current(), 0);
      } else {
        list.SetCurrent(op);
        list.MoveCurrent(+1);
      }
    }
    ASSERT_TRUE(list.Save());
    List expected;
    for (int i : c.order) expected.push_back(mrins[i]);
    EXPECT_EQ(StoredChain(), expected);
    EXPECT_EQ(PrimaryMrin(), expected.front());
    CParentLinkList again;
    ASSERT_TRUE(again.Load(child));
    EXPECT_EQ(Mrins(again), expected);
    EXPECT_EQ(again.LineText(0).substr(0, 2), "*\t");
    EXPECT_EQ(again.LineText(1).substr(0, 2), " \t");
  }
}

TEST_F(ParentLinksTest, MovingStopsAtBothEnds) {
  const List mrins = MakeChild(2);
  CParentLinkList list;
  ASSERT_TRUE(list.Load(child));
  list.SetCurrent(0);
  EXPECT_FALSE(list.MoveCurrent(-1));
  EXPECT_FALSE(list.OrderChanged());
  EXPECT_TRUE(list.MoveCurrent(+1));
  EXPECT_EQ(list.Current(), 1);
  EXPECT_FALSE(list.MoveCurrent(+1));
  EXPECT_EQ(Mrins(list), (List{mrins[1], mrins[0]}));
}

TEST_F(ParentLinksTest, AnOrderThatIsNotAPermutationOfTheLinksIsRefused) {
  const List mrins = MakeChild(2);
  CParentLinkList list;
  ASSERT_TRUE(list.Load(child));
  const std::int32_t first = list.Link(0).linkNumber, second = list.Link(1).linkNumber;
  const List refused[] = {{second}, {second, second}, {second, first, first}, {second, 999}};
  for (const List& order : refused)
    EXPECT_EQ(DbSetOrder(child, order, db::kRelParents, static_cast<int>(order.size())), 0);
  EXPECT_EQ(StoredChain(), mrins);
  EXPECT_EQ(DbSetOrder(child, {second, first}, db::kRelParents, 2), 1);
  EXPECT_EQ(StoredChain(), (List{mrins[1], mrins[0]}));
}

// The link that holds the sealing of an individual without parents (made by
// Edit Individual's Save) is no parent family: nothing is listed, and the
// first parents given take it over.
TEST_F(ParentLinksTest, ALinkWithoutParentsIsNotListed) {
  child = Add("Child", "Ann", 'F');
  const std::int32_t lone = DbSetRelation(child, 0, db::kRelParents, -1);
  ASSERT_GT(lone, 0);
  CParentLinkList list;
  ASSERT_TRUE(list.Load(child));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Current(), -1);

  const std::int32_t m = Marry(Add("Dad", "Per", 'M'), Add("Mum", "Eva", 'F'));
  const std::int32_t link = DbSetRelation(child, 0, db::kRelParents, m);
  ASSERT_EQ(link, lone);
  ASSERT_TRUE(list.AppendLink(link));
  EXPECT_EQ(Mrins(list), (List{m}));
  ASSERT_TRUE(list.Save());
  ASSERT_TRUE(list.Load(child));
  EXPECT_EQ(Mrins(list), (List{m}));
  EXPECT_EQ(PrimaryMrin(), m);
}

TEST_F(ParentLinksTest, OneFamilyOffersNoMakePrimary) {
  MakeChild(1);
  CParentLinkList list;
  ASSERT_TRUE(list.Load(child));
  EXPECT_FALSE(list.CanMakePrimary(0));
  MakeChild(2);
  ASSERT_TRUE(list.Load(child));
  EXPECT_FALSE(list.CanMakePrimary(0));
  EXPECT_TRUE(list.CanMakePrimary(1));
}

TEST_F(ParentLinksTest, UnlinkingThePrimaryMakesTheNextPrimaryAndTheLastClearsThem) {
  const List mrins = MakeChild(3);
  CParentLinkList list;
  ASSERT_TRUE(list.Load(child));
  list.SetCurrent(0);
  ASSERT_TRUE(list.UnlinkCurrent());
  EXPECT_EQ(Mrins(list), (List{mrins[1], mrins[2]}));
  EXPECT_EQ(list.LineText(0).substr(0, 2), "*\t");
  ASSERT_TRUE(list.Save());
  EXPECT_EQ(StoredChain(), (List{mrins[1], mrins[2]}));
  EXPECT_EQ(PrimaryMrin(), mrins[1]);
  List kids;
  DbGetRelation(mrins[0], db::kRelChildren, 5, kids);
  EXPECT_TRUE(kids.empty());

  list.SetCurrent(1);
  ASSERT_TRUE(list.UnlinkCurrent());
  EXPECT_EQ(list.Current(), 0);
  ASSERT_TRUE(list.UnlinkCurrent());
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Current(), -1);
  EXPECT_EQ(PrimaryMrin(), 0);
  EXPECT_TRUE(StoredChain().empty());
}

// The in-memory individual a screen holds follows every store at once: it
// agrees with a node read afresh from the file, without being read again.
TEST_F(ParentLinksTest, TheInMemoryIndividualFollowsWhatIsStored) {
  const List mrins = MakeChild(2);
  CIndividualRecord record;
  ASSERT_EQ(DbGetRecord(child, db::kIndividual, &record), 1);
  CIndividualNode* held = CIndividualNode::New(record, 3, 0, 0, nullptr);
  held->AddRef();
  CParentLinkList list;
  ASSERT_TRUE(list.Load(child));
  list.SetIndividual(held);

  // The sealing state in bits 4 and 5 of the ordinance flags; the primary
  // parents and first link; the sealing date the detail part holds.
  auto sealingState = [](const CIndividualNode& n) {
    return (n.GetLinks()->ordinanceFlags >> 4) & 3;
  };
  auto expectAsStored = [&](int state, std::int32_t primaryMrin) {
    CIndividualRecord stored;
    ASSERT_EQ(DbGetRecord(child, db::kIndividual, &stored), 1);
    CIndividualNode* fresh = CIndividualNode::New(stored, 3, 0, 0, nullptr);
    fresh->AddRef();
    const CIndividualLinks& a = *held->GetLinks();
    const CIndividualLinks& b = *fresh->GetLinks();
    EXPECT_EQ(sealingState(*held), state);
    EXPECT_EQ(sealingState(*held), sealingState(*fresh));
    EXPECT_EQ(a.ordinanceFlags, b.ordinanceFlags);
    EXPECT_EQ(a.parentsMrin, primaryMrin);
    EXPECT_EQ(a.parentsMrin, b.parentsMrin);
    EXPECT_EQ(a.parentLink, b.parentLink);
    EXPECT_EQ(a.parentFamilyCount, list.Count());
    const CSealingToParentsOrdinance* mine = held->GetSealingToParents();
    const CSealingToParentsOrdinance* theirs = fresh->GetSealingToParents();
    ASSERT_EQ(mine == nullptr, theirs == nullptr);
    if (mine != nullptr) {
      EXPECT_TRUE(mine->date.Equals(theirs->date));
      EXPECT_EQ(mine->templeCode, theirs->templeCode);
    }
    fresh->Release();
  };

  {
    SCOPED_TRACE("a sealing stored on the primary link");
    list.SetCurrent(0);
    list.SetSealing("12 Mar 1901", "SLAKE");
    ASSERT_TRUE(list.StoreCurrent());
    expectAsStored(CDateValue::kOrdinanceDone, mrins[0]);
  }
  {
    SCOPED_TRACE("a sealing stored on another link leaves the primary's state");
    list.SetCurrent(1);
    list.SetSealing("Cleared", "LOGAN");
    ASSERT_TRUE(list.StoreCurrent());
    expectAsStored(CDateValue::kOrdinanceDone, mrins[0]);
  }
  {
    SCOPED_TRACE("the second family made primary");
    list.MakePrimary(1);
    ASSERT_TRUE(list.Save());
    expectAsStored(CDateValue::kOrdinanceClearedOrSubmitted, mrins[1]);
  }
  {
    SCOPED_TRACE("the primary unlinked: the next one is primary");
    list.SetCurrent(0);
    ASSERT_TRUE(list.UnlinkCurrent());
    expectAsStored(CDateValue::kOrdinanceDone, mrins[0]);
  }
  {
    SCOPED_TRACE("the last unlinked");
    ASSERT_TRUE(list.UnlinkCurrent());
    expectAsStored(CDateValue::kOrdinanceNothing, 0);
    EXPECT_EQ(held->GetLinks()->parentLink, 0);
  }
  {
    SCOPED_TRACE("a family added again heads the chain");
    const std::int32_t link = DbSetRelation(child, 0, db::kRelParents, mrins[1]);
    ASSERT_GT(link, 0);
    ASSERT_TRUE(list.AppendLink(link));
    expectAsStored(CDateValue::kOrdinanceNothing, mrins[1]);
    EXPECT_EQ(held->GetLinks()->parentLink, link);
  }
  held->Release();
}

TEST_F(ParentLinksTest, ARelationshipChangeIsStoredForBothParents) {
  const List mrins = MakeChild(2);
  CParentLinkList list;
  ASSERT_TRUE(list.Load(child));
  list.SetCurrent(1);
  list.SetRelationship('g');
  EXPECT_TRUE(list.IsChanged(1));
  EXPECT_EQ(list.Link(1).secondParentRelation, 'g');
  ASSERT_TRUE(list.StoreCurrent());
  EXPECT_FALSE(list.IsChanged(1));
  CFamilyLinkRecord stored;
  ASSERT_EQ(DbGetRecord(list.Link(1).linkNumber, db::kFamilyLink, &stored), 1);
  EXPECT_EQ(stored.firstParentRelation, 'g');
  EXPECT_EQ(stored.secondParentRelation, 'g');
  EXPECT_EQ(stored.mrin, mrins[1]);

  // Choosing the stored letter again is no change.
  ASSERT_TRUE(list.Load(child));
  list.SetCurrent(1);
  list.SetRelationship('g');
  EXPECT_FALSE(list.IsChanged(1));
}

TEST_F(ParentLinksTest, TheSealingIsComparedParsedAndStoredWithTheLink) {
  MakeChild(1);
  CParentLinkList list;
  ASSERT_TRUE(list.Load(child));
  EXPECT_EQ(list.SealingDateText(), "");
  struct Case {
    const char* date;
    const char* temple;
    bool differs;
  };
  // Nothing typed is no change; any date or temple is one.
  for (const Case& c :
       {Case{"", "", false}, Case{"12 Mar 1901", "", true}, Case{"", "slake", true}}) {
    SCOPED_TRACE(std::string(c.date) + "|" + c.temple);
    EXPECT_EQ(list.SealingDiffers(c.date, c.temple), c.differs);
  }
  list.SetSealing("12 MAR 1901", "slake");
  EXPECT_EQ(list.SealingTemple(), "SLAKE");
  // The same date typed another way, or the code in lower case with more
  // characters, is no change.
  for (const Case& c : {Case{"12 March 1901", "slakeX", false}, Case{"13 Mar 1901", "SLAKE", true},
                        Case{"12 Mar 1901", "LOGAN", true}}) {
    SCOPED_TRACE(std::string(c.date) + "|" + c.temple);
    EXPECT_EQ(list.SealingDiffers(c.date, c.temple), c.differs);
  }
  ASSERT_TRUE(list.Save());
  CParentLinkList back;
  ASSERT_TRUE(back.Load(child));
  EXPECT_EQ(back.SealingTemple(), "SLAKE");
  EXPECT_FALSE(back.SealingDiffers("12 Mar 1901", "SLAKE"));
  EXPECT_NE(back.SealingDateText(), "");
}

TEST_F(ParentLinksTest, ASecondBiologicalFamilyWarns) {
  MakeChild(2);
  CParentLinkList list;
  ASSERT_TRUE(list.Load(child));
  ASSERT_EQ(list.Link(0).firstParentRelation, 'b');
  // The first family stays biological; choosing 'b' for it again is no change.
  list.SetCurrent(0);
  EXPECT_FALSE(list.WarnsSecondBiological('b'));
  list.SetCurrent(1);
  list.SetRelationship('a');
  EXPECT_FALSE(list.WarnsSecondBiological('g'));
  EXPECT_TRUE(list.WarnsSecondBiological('b'));
  list.SetCurrent(0);
  list.SetRelationship('g');
  list.SetCurrent(1);
  EXPECT_FALSE(list.WarnsSecondBiological('b'));
}

TEST_F(ParentLinksTest, LinesNameTheParentsGivenNamesFirst) {
  const List mrins = MakeChild(1);
  CParentLinkList list;
  ASSERT_TRUE(list.Load(child));
  EXPECT_EQ(list.LineText(0), "*\t" + std::to_string(mrins[0]) + "\tF0 Dad\tF0 Mum");
}

TEST(StreetAddress, SplitsAtTheFirstLineBreakAfterTheFirstCharacter) {
  struct Case {
    const char* text;
    const char* line1;
    const char* line2;
  };
  const Case cases[] = {
      {"1 Main St", "1 Main St", ""},     {"1 Main St\r\nApt 2", "1 Main St", "Apt 2"},
      {"1 Main St\r\n", "1 Main St", ""}, {"\r\nApt 2", "\r\nApt 2", ""},
      {"a\r\nb\r\nc", "a", "b\r\nc"},     {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string one = "old", two = "old";
    SplitStreetAddress(c.text, one, two);
    EXPECT_EQ(one, c.line1);
    EXPECT_EQ(two, c.line2);
  }
  EXPECT_EQ(JoinStreetAddress("a", ""), "a");
  EXPECT_EQ(JoinStreetAddress("a", "b"), "a\r\nb");
}

}  // namespace
