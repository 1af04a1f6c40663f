// Spouse chains, children and parents rings, owner chains, their queries and
// changes, the order calls, the merge steps and the delete cascades that
// need them; every change is followed by a walk of all rings and chains.
#include <gtest/gtest-spi.h>

#include <functional>

#include "StringIds.h"
#include "StringTable.h"

#include "RelationsFixture.h"

using namespace orv;

TEST_F(RelationsTest, FixtureIsConsistentAndAnswersTheQueries) {
  ASSERT_EQ(Join(CheckFamily()), "");
  EXPECT_EQ(Relation(M[1], db::kRelSpouses, 0), (std::vector<std::int32_t>{I[1], I[2]}));
  EXPECT_EQ(Relation(I[1], db::kRelMarriages, 3), (std::vector<std::int32_t>{M[1], M[2], 0}));
  EXPECT_EQ(Relation(I[4], db::kRelParents, 0), (std::vector<std::int32_t>{M[1], I[1], I[2]}));
  EXPECT_EQ(Children(M[1]), (std::vector<std::int32_t>{I[3], I[4], I[5]}));
  EXPECT_EQ(Relation(M[1], db::kRelChildren, 2), (std::vector<std::int32_t>{I[3], I[4]}));
  EXPECT_EQ(Relation(I[5], db::kRelPreviousSibling, 1),
            (std::vector<std::int32_t>{I[4], I[1], I[2]}));
  EXPECT_EQ(Relation(I[3], db::kRelPreviousSibling, 0), (std::vector<std::int32_t>{0}));
  EXPECT_EQ(engine->Families().GetRelationCount(I[1], db::kRelSpouses, true), 2);
  EXPECT_EQ(engine->Families().GetRelationCount(I[1], db::kRelChildren, true), 4);
  EXPECT_EQ(engine->Families().GetRelationCount(I[4], db::kRelFather, true), 1);
  EXPECT_EQ(engine->Families().GetRelationCount(M[1], db::kRelChildren, false), 3);
  EXPECT_EQ(engine->Families().HasChildren(I[1], db::kIndividual), 1);
  EXPECT_EQ(engine->Families().HasChildren(I[8], db::kIndividual), 0);
  EXPECT_EQ(engine->Families().HasChildren(M[3], db::kMarriage), 0);
  EXPECT_EQ(Citations(I[3], db::kOwnerIndividual), (std::vector<std::int32_t>{citeI3a, citeI3b}));
  EXPECT_EQ(Citations(I[4], db::kOwnerSealingToParents), (std::vector<std::int32_t>{citeI4P}));
  // The citation of a sealing to parents names the family link.
  EXPECT_EQ(Get<CitationRec>(citeI4P).owner, Get<IndividualRec>(I[4]).firstParentLink);
  EXPECT_EQ(Get<IndividualExtRec>(I[4]).citedParentLinks, 1);
  EXPECT_EQ(Get<IndividualExtRec>(I[1]).citedUserEvents, 1);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(RelationsTest, RelationListsByMode) {
  std::vector<std::int32_t> list;
  EXPECT_EQ(engine->Families().GetRelationList(list, db::kRelSpouses, 2, I[1]), 8);
  EXPECT_EQ(list,
            (std::vector<std::int32_t>{M[1], I[1], I[2], Get<MarriageRec>(M[1]).firstChildLink,
                                       M[2], I[1], I[6], Get<MarriageRec>(M[2]).firstChildLink}));
  engine->Families().GetRelationList(list, db::kRelSpouses, 3, I[1]);
  EXPECT_EQ(list, (std::vector<std::int32_t>{I[2], I[6]}));
  engine->Families().GetRelationList(list, db::kRelSpouses, 4, I[6]);
  EXPECT_EQ(list, (std::vector<std::int32_t>{M[2], I[1]}));
  // A second parent family after a link without parents.
  const std::int32_t orphanLink =
      engine->Families().DLLSETORV3RELATION(I[9], 0, db::kRelParents, -1);
  ASSERT_GT(orphanLink, 0);
  const std::int32_t m4 = engine->Families().DLLSETORV3RELATION(I[8], 0, db::kRelWife, 0);
  const std::int32_t link9 = engine->Families().DLLSETORV3RELATION(I[9], 0, db::kRelParents, M[3]);
  EXPECT_EQ(link9, orphanLink);  // the link without parents takes the marriage
  const std::int32_t link9b = engine->Families().MakeChild(I[9], m4);
  EXPECT_EQ(engine->Families().GetRelationList(list, db::kRelParents, 0, I[9]), 2);
  EXPECT_EQ(list, (std::vector<std::int32_t>{M[3], m4}));
  engine->Families().GetRelationList(list, db::kRelParents, 3, I[9]);
  EXPECT_EQ(list, (std::vector<std::int32_t>{M[3], I[3], I[8], link9, m4, 0, I[8], link9b}));
  EXPECT_EQ(engine->Families().GetRelationList(list, db::kRelParents, 4, I[9]), -1);
  engine->Families().GetRelationList(list, db::kRelFamilyLinks, db::kRelParents, I[9], m4);
  EXPECT_EQ(list, (std::vector<std::int32_t>{link9b}));
  engine->Families().GetRelationList(list, db::kRelFamilyLinks, db::kRelChildren, M[1]);
  EXPECT_EQ(list.size(), 3u);
  engine->Families().GetRelationList(list, db::kRelChildren, 1,
                                     Get<MarriageRec>(M[1]).firstChildLink);
  EXPECT_EQ(list, (std::vector<std::int32_t>{I[3], I[4], I[5]}));
  EXPECT_EQ(engine->Families().GetRelationList(list, 999, 0, I[1]), -1);
  EXPECT_EQ(Join(CheckFamily()), "");
}

TEST_F(RelationsTest, FindChildWithChildrenPrefersTheGivenMarriage) {
  EXPECT_EQ(engine->Families().FindChildWithChildren(I[1], M[2]),
            I[5]);  // none has children: last looked at
  EXPECT_EQ(engine->Families().FindChildWithChildren(I[8], 0), 0);
  const std::int32_t grandchild = Person('M');
  engine->Families().MakeChild(grandchild, M[3]);
  EXPECT_EQ(engine->Families().FindChildWithChildren(I[1], M[2]), I[3]);
}

// One operation of the table: what it does and what it must have done.
struct Operation {
  const char* name;
  std::function<void(RelationsTest&)> run;
};

namespace {

using V = std::vector<std::int32_t>;

const Operation kOperations[] = {
    {"child linked twice keeps one link",
     [](RelationsTest& t) {
       const auto before = t.engine->Records().Highest(RecordKind::FamilyLink);
       EXPECT_EQ(t.engine->Families().MakeChild(t.I[3], t.M[1]),
                 t.Get<IndividualRec>(t.I[3]).firstParentLink);
       EXPECT_EQ(t.engine->Records().Highest(RecordKind::FamilyLink), before);
       EXPECT_EQ(t.Children(t.M[1]), (V{t.I[3], t.I[4], t.I[5]}));
     }},
    {"child of a parent's first marriage",
     [](RelationsTest& t) {
       EXPECT_GT(t.engine->Families().DLLSETORV3RELATION(t.I[9], t.I[6], db::kRelMother, 0), 0);
       EXPECT_EQ(t.Children(t.M[2]), (V{t.I[7], t.I[9]}));
     }},
    {"parent without marriage gets one",
     [](RelationsTest& t) {
       EXPECT_GT(t.engine->Families().DLLSETORV3RELATION(t.I[9], t.I[7], db::kRelChildren, 0), 0);
       const V m = t.Marriages(t.I[9]);
       ASSERT_EQ(m.size(), 1u);
       EXPECT_EQ(t.Get<MarriageRec>(m[0]).husband, t.I[9]);
       EXPECT_EQ(t.ParentFamilies(t.I[7]), (V{t.M[2], m[0]}));
     }},
    {"second parent family gets code a",
     [](RelationsTest& t) {
       const std::int32_t l =
           t.engine->Families().DLLSETORV3RELATION(t.I[4], 0, db::kRelParents, t.M[3]);
       EXPECT_EQ(t.Get<FamilyLinkRec>(l).relation, 'a');
       EXPECT_EQ(t.ParentFamilies(t.I[4]), (V{t.M[1], t.M[3]}));
     }},
    {"husband taken out of second marriage",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Families().O3_UnSetRelation(t.M[2], t.I[1], db::kRelHusband), 1);
       EXPECT_EQ(t.Marriages(t.I[1]), (V{t.M[1]}));
       EXPECT_EQ(t.Get<MarriageRec>(t.M[2]).husband, 0);
     }},
    {"husband taken out of first marriage",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Families().O3_UnSetRelation(t.M[1], t.I[1], db::kRelFather), 1);
       EXPECT_EQ(t.Marriages(t.I[1]), (V{t.M[2]}));
     }},
    {"wrong side changes nothing",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Families().O3_UnSetRelation(t.M[1], t.I[1], db::kRelWife), 0);
       EXPECT_EQ(t.Marriages(t.I[1]), (V{t.M[1], t.M[2]}));
     }},
    {"child taken out with its sealing citation",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Families().O3_UnSetRelation(t.M[1], t.I[4], db::kRelChildren), 1);
       EXPECT_EQ(t.Children(t.M[1]), (V{t.I[3], t.I[5]}));
       EXPECT_FALSE(t.Live(RecordKind::Citation, t.citeI4P));
       EXPECT_EQ(t.Get<IndividualExtRec>(t.I[4]).citedParentLinks, 0);
     }},
    {"child link moved",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Families().MoveChildLink(t.I[4], t.M[1], t.M[2]), 1);
       EXPECT_EQ(t.Children(t.M[1]), (V{t.I[3], t.I[5]}));
       EXPECT_EQ(t.Children(t.M[2]), (V{t.I[7], t.I[4]}));
       EXPECT_EQ(t.Citations(t.I[4], db::kOwnerSealingToParents), (V{t.citeI4P}));
     }},
    {"child link moved onto an existing link combines them",
     [](RelationsTest& t) {
       t.engine->Families().MakeChild(t.I[4], t.M[2]);
       EXPECT_EQ(t.engine->Families().MoveChildLink(t.I[4], t.M[1], t.M[2]), 1);
       EXPECT_EQ(t.ParentFamilies(t.I[4]), (V{t.M[2]}));
       // The sealing citation went with the sealing into the remaining link.
       EXPECT_EQ(t.Citations(t.I[4], db::kOwnerSealingToParents), (V{t.citeI4P}));
     }},
    {"move of a child that is not there",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Families().MoveChildLink(t.I[7], t.M[1], t.M[3]), -1);
     }},
    {"individual unlinked",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Families().O3_UnlinkRIN(t.I[3], db::kIndividual), 1);
       EXPECT_EQ(t.Children(t.M[1]), (V{t.I[4], t.I[5]}));
       EXPECT_EQ(t.Marriages(t.I[8]), (V{t.M[3]}));
       EXPECT_EQ(t.Get<MarriageRec>(t.M[3]).husband, 0);
     }},
    {"individual unlinked deletes emptied marriages",
     [](RelationsTest& t) {
       t.engine->Families().O3_UnSetRelation(t.M[3], t.I[8], db::kRelWife);
       EXPECT_EQ(t.engine->Families().O3_UnlinkRIN(t.I[3], db::kIndividual), 1);
       EXPECT_FALSE(t.Live(RecordKind::Marriage, t.M[3]));
     }},
    {"marriage unlinked",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Families().O3_UnlinkRIN(t.M[1], db::kMarriage), 1);
       EXPECT_EQ(t.Marriages(t.I[1]), (V{t.M[2]}));
       EXPECT_EQ(t.Marriages(t.I[2]), V{});
       EXPECT_EQ(t.Children(t.M[1]), V{});
       // I4's link carries a sealing citation and is kept without parents.
       EXPECT_EQ(t.engine->Families().GetRelationCount(t.I[4], db::kRelFather, true), 0);
       EXPECT_EQ(t.Citations(t.I[4], db::kOwnerSealingToParents), (V{t.citeI4P}));
       EXPECT_EQ(t.Get<IndividualRec>(t.I[3]).firstParentLink, 0);
     }},
    {"spouse order",
     [](RelationsTest& t) {
       const V order{t.M[2], t.M[1]};
       EXPECT_EQ(t.engine->Families().O3_SetOrder(t.I[1], order, db::kRelMarriages), 1);
       EXPECT_EQ(t.Marriages(t.I[1]), order);
     }},
    {"children order",
     [](RelationsTest& t) {
       const V order{t.I[5], t.I[3], t.I[4]};
       EXPECT_EQ(t.engine->Families().O3_SetOrder(t.M[1], order, db::kRelChildren), 1);
       EXPECT_EQ(t.Children(t.M[1]), order);
       EXPECT_EQ(t.Get<MarriageRec>(t.M[1]).firstChildLink,
                 t.Get<IndividualRec>(t.I[5]).firstParentLink);
     }},
    {"children order that is not a permutation is refused",
     [](RelationsTest& t) {
       for (const V& bad : {V{t.I[5], t.I[3]}, V{t.I[5], t.I[5], t.I[3]}, V{t.I[5], t.I[3], t.I[9]},
                            V{t.I[5], t.I[3], t.I[4], t.I[9]}, V{}})
         EXPECT_EQ(t.engine->Families().O3_SetOrder(t.M[1], bad, db::kRelChildren), 0);
       EXPECT_EQ(t.Children(t.M[1]), (V{t.I[3], t.I[4], t.I[5]}));
     }},
    {"spouse order that is not a permutation is refused",
     [](RelationsTest& t) {
       for (const V& bad : {V{t.M[2]}, V{t.M[2], t.M[2]}, V{t.M[2], t.M[3]}, V{}})
         EXPECT_EQ(t.engine->Families().O3_SetOrder(t.I[1], bad, db::kRelMarriages), 0);
       EXPECT_EQ(t.Marriages(t.I[1]), (V{t.M[1], t.M[2]}));
     }},
    {"children list rewritten",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Families().SetRinList(V{t.I[9], t.I[4]}, db::kRelChildren, t.M[1],
                                                 db::kOwnerMarriage),
                 1);
       EXPECT_EQ(t.Children(t.M[1]), (V{t.I[9], t.I[4]}));
       EXPECT_EQ(t.ParentFamilies(t.I[3]), V{});
     }},
    {"spouse added to an existing marriage replaces the old one",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Families().DLLSETORV3RELATION(t.I[9], 0, db::kRelWife, t.M[3]), t.M[3]);
       EXPECT_EQ(t.Get<MarriageRec>(t.M[3]).wife, t.I[9]);
       EXPECT_EQ(t.Marriages(t.I[8]), V{});
       EXPECT_EQ(t.Marriages(t.I[9]), (V{t.M[3]}));
     }},
    {"marriage linked through LinkRecord",
     [](RelationsTest& t) {
       const std::int32_t m = t.engine->Records().NewRecord(RecordKind::Marriage, false);
       EXPECT_EQ(
           t.engine->Owners().LinkRecord(m, db::kMarriage, t.I[1], db::kOwnerIndividual, t.M[1], 1),
           1);
       EXPECT_EQ(t.Marriages(t.I[1]), (V{t.M[1], t.M[2], m}));
       EXPECT_EQ(t.Get<MarriageRec>(m).husband, t.I[1]);
     }},
    {"citation moved to another owner",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Owners().LinkRecord(t.citeI3a, db::kCitation, t.I[5], db::kOwnerBirth),
                 1);
       EXPECT_EQ(t.Citations(t.I[3], db::kOwnerIndividual), (V{t.citeI3b}));
       EXPECT_EQ(t.Citations(t.I[5], db::kOwnerBirth), (V{t.citeI3a}));
     }},
    {"citation moved to a sealing to parents",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Owners().LinkRecord(t.citeI3b, db::kCitation, t.I[5],
                                               db::kOwnerSealingToParents),
                 1);
       EXPECT_EQ(t.Get<IndividualExtRec>(t.I[5]).citedParentLinks, 1);
     }},
    {"citation unlinked from the middle of its chain",
     [](RelationsTest& t) {
       const std::int32_t third =
           t.engine->Owners().NewCitation(false, t.source, t.I[3], db::kOwnerIndividual);
       EXPECT_EQ(
           t.engine->Owners().UnLinkRecord(t.citeI3b, db::kCitation, t.I[3], db::kOwnerIndividual),
           1);
       EXPECT_EQ(t.Citations(t.I[3], db::kOwnerIndividual), (V{t.citeI3a, third}));
       t.engine->Deletes().DeleteCitation(t.citeI3b);  // its caller deletes it
     }},
    {"citation unlinked from another owner changes nothing",
     [](RelationsTest& t) {
       EXPECT_EQ(
           t.engine->Owners().UnLinkRecord(t.citeI3a, db::kCitation, t.I[4], db::kOwnerIndividual),
           0);
       EXPECT_EQ(t.Citations(t.I[3], db::kOwnerIndividual), (V{t.citeI3a, t.citeI3b}));
     }},
    {"individual deleted",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Deletes().DeleteIndividual(t.I[1]), 1);
       EXPECT_EQ(t.Get<MarriageRec>(t.M[1]).husband, 0);
       EXPECT_FALSE(t.Live(RecordKind::UserEvent, t.userEvent));
     }},
    {"parent deleted",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Deletes().DeleteIndividual(t.I[6]), 1);
       EXPECT_EQ(t.Marriages(t.I[1]), (V{t.M[1], t.M[2]}));
       EXPECT_EQ(t.engine->Deletes().DeleteIndividual(t.I[7]), 1);
       EXPECT_EQ(t.engine->Deletes().DeleteIndividual(t.I[1]), 1);
       EXPECT_FALSE(t.Live(RecordKind::Marriage, t.M[2]));  // no spouse nor child left
     }},
    {"child deleted",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Deletes().DeleteIndividual(t.I[4]), 1);
       EXPECT_EQ(t.Children(t.M[1]), (V{t.I[3], t.I[5]}));
       EXPECT_FALSE(t.Live(RecordKind::Citation, t.citeI4P));
     }},
    {"marriage deleted",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Deletes().DeleteMarriage(t.M[1]), 1);
       EXPECT_EQ(t.Marriages(t.I[2]), V{});
       EXPECT_FALSE(t.Live(RecordKind::Citation, t.citeM1));
     }},
    {"family link deleted directly",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Deletes().DeleteFamilyLink(t.Get<IndividualRec>(t.I[4]).firstParentLink),
                 1);
       EXPECT_EQ(t.Children(t.M[1]), (V{t.I[3], t.I[5]}));
     }},
    {"citation deleted from the head of its chain",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Deletes().DeleteCitation(t.citeI3a), 1);
       EXPECT_EQ(t.Citations(t.I[3], db::kOwnerIndividual), (V{t.citeI3b}));
       EXPECT_EQ(t.engine->Deletes().DeleteCitation(t.citeEvent), 1);
       EXPECT_EQ(t.Get<IndividualExtRec>(t.I[1]).citedUserEvents, 0);
     }},
    {"user event deleted",
     [](RelationsTest& t) {
       EXPECT_EQ(t.engine->Deletes().DeleteUserEvent(t.userEvent), 1);
       std::vector<std::int32_t> list;
       EXPECT_EQ(t.engine->Owners().GetRinList(list, db::kUserEvent, t.I[1], db::kOwnerIndividual),
                 0);
       EXPECT_FALSE(t.Live(RecordKind::Citation, t.citeEvent));
     }},
    {"user events rewritten",
     [](RelationsTest& t) {
       // (Skipped when an earlier step of the sequence removed the owners.)
       if (!t.Live(RecordKind::Individual, t.I[1]) || !t.Live(RecordKind::Marriage, t.M[1])) return;
       const std::int32_t a = t.NewUserEvent(), b = t.NewUserEvent();
       t.engine->Owners().LinkRecord(a, db::kUserEvent, t.I[1], db::kOwnerIndividual);
       t.engine->Owners().LinkRecord(b, db::kUserEvent, t.M[1], db::kOwnerMarriage);
       EXPECT_EQ(
           t.engine->Families().SetRinList(V{b, a}, db::kUserEvent, t.I[1], db::kOwnerIndividual),
           1);
       std::vector<std::int32_t> list;
       t.engine->Owners().GetRinList(list, db::kUserEvent, t.I[1], db::kOwnerIndividual);
       EXPECT_EQ(list, (V{b, a}));
       EXPECT_FALSE(t.Live(RecordKind::UserEvent, t.userEvent));
       EXPECT_EQ(t.engine->Owners().GetRinList(list, db::kUserEvent, t.M[1], db::kOwnerMarriage),
                 0);
     }},
    {"user event moved",
     [](RelationsTest& t) {
       EXPECT_EQ(
           t.engine->Owners().MoveUserEvent(t.userEvent, t.I[3], t.I[1], db::kOwnerIndividual), 1);
       EXPECT_EQ(t.Get<IndividualExtRec>(t.I[3]).citedUserEvents, 1);
     }},
    {"sealing citations moved",
     [](RelationsTest& t) {
       const std::int32_t to = t.Get<IndividualRec>(t.I[5]).firstParentLink;
       EXPECT_EQ(t.engine->Owners().MoveSealingCitations(
                     t.Get<IndividualRec>(t.I[4]).firstParentLink, to),
                 1);
       EXPECT_EQ(t.Citations(t.I[5], db::kOwnerSealingToParents), (V{t.citeI4P}));
     }},
    {"parent links merged",
     [](RelationsTest& t) {
       // I7 (child of M2) merged into I3 (child of M1).
       EXPECT_EQ(t.engine->Families().MergeFamilyLinks(t.I[7], t.I[3], true, true, t.M[2], true),
                 1);
       EXPECT_EQ(t.ParentFamilies(t.I[3]), (V{t.M[2], t.M[1]}));
       EXPECT_EQ(t.ParentFamilies(t.I[7]), V{});
       EXPECT_EQ(t.Children(t.M[2]), (V{t.I[3]}));
     }},
    {"parent links merged into the same marriage",
     [](RelationsTest& t) {
       // I4 (with a sealing citation) merged into I5: one link remains.
       EXPECT_EQ(t.engine->Families().MergeFamilyLinks(t.I[4], t.I[5], true, false, 0, true), 1);
       EXPECT_EQ(t.Children(t.M[1]), (V{t.I[3], t.I[5]}));
       EXPECT_EQ(t.Citations(t.I[5], db::kOwnerSealingToParents), (V{t.citeI4P}));
     }},
};

}  // namespace

TEST_F(RelationsTest, EachOperationKeepsEveryRingAndChainConsistent) {
  for (const Operation& op : kOperations) {
    SCOPED_TRACE(op.name);
    CreateFamilyFile();
    boxes.Clear();
    I.clear();
    M.clear();
    BuildFamily();
    op.run(*this);
    EXPECT_EQ(Join(CheckFamily()), "");
    EXPECT_TRUE(boxes.Calls().empty()) << boxes.Calls().front().text;
  }
}

TEST_F(RelationsTest, OperationsInSequenceKeepTheFileConsistent) {
  // Each operation meets what the ones before left; whatever they return,
  // the rings and chains must stay whole.
  for (const Operation& op : kOperations) {
    SCOPED_TRACE(op.name);
    testing::TestPartResultArray ignored;
    {
      testing::ScopedFakeTestPartResultReporter quiet(
          testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &ignored);
      op.run(*this);
    }
    ASSERT_EQ(Join(CheckFamily()), "");
  }
}

TEST_F(RelationsTest, UserEventChainsKeepTheirPreviousPointers) {
  // I1's chain: the fixture's event, then a, b, c. Each step changes the
  // middle, head or tail of a chain; CheckFamily follows every chain and
  // tests each event's previous pointer against the event before it.
  using V = std::vector<std::int32_t>;
  const std::int32_t a = NewUserEvent(), b = NewUserEvent(), c = NewUserEvent();
  const auto events = [&](std::int32_t owner, char letter) {
    V list;
    engine->Owners().GetRinList(list, db::kUserEvent, owner, letter);
    return list;
  };
  const auto unlinked = [&](std::int32_t e) {
    const auto rec = Get<UserEventRec>(e);
    return rec.next == 0 && rec.previous == 0;
  };
  for (std::int32_t e : {a, b, c})
    ASSERT_EQ(engine->Owners().LinkRecord(e, db::kUserEvent, I[1], db::kOwnerIndividual), 1);
  EXPECT_EQ(Get<UserEventRec>(a).previous, userEvent);
  EXPECT_EQ(Get<UserEventRec>(c).previous, b);
  ASSERT_EQ(Join(CheckFamily()), "");

  struct Step {
    const char* name;
    std::function<int()> run;
    V individual, marriage;  // I1's and M1's chains after the step
  };
  const Step steps[] = {
      {"middle event moved to a marriage",
       [&] { return engine->Owners().MoveUserEvent(b, M[1], I[1], db::kOwnerMarriage); },
       {userEvent, a, c},
       {b}},
      {"middle event deleted",
       [&] { return engine->Deletes().DeleteUserEvent(a); },
       {userEvent, c},
       {b}},
      {"tail linked to the marriage, leaving its old chain",
       [&] { return engine->Owners().LinkRecord(c, db::kUserEvent, M[1], db::kOwnerMarriage); },
       {userEvent},
       {b, c}},
      {"marriage's events reordered",
       [&] {
         return engine->Families().SetRinList(V{c, b}, db::kUserEvent, M[1], db::kOwnerMarriage);
       },
       {userEvent},
       {c, b}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    EXPECT_EQ(step.run(), 1);
    EXPECT_EQ(events(I[1], db::kOwnerIndividual), step.individual);
    EXPECT_EQ(events(M[1], db::kOwnerMarriage), step.marriage);
    EXPECT_EQ(Join(CheckFamily()), "");
  }
  EXPECT_FALSE(Live(RecordKind::UserEvent, a));
  // The head taken out: the next event becomes the head, with no previous.
  EXPECT_EQ(engine->Owners().DetachUserEvent(c), 1);
  EXPECT_EQ(events(M[1], db::kOwnerMarriage), V{b});
  EXPECT_TRUE(unlinked(c));
  EXPECT_EQ(Get<UserEventRec>(b).previous, 0);
  // Deleting the owner takes its chain, head first.
  ASSERT_EQ(engine->Owners().LinkRecord(c, db::kUserEvent, M[1], db::kOwnerMarriage), 1);
  EXPECT_EQ(Get<UserEventRec>(c).previous, b);
  EXPECT_EQ(engine->Deletes().DeleteMarriage(M[1]), 1);
  EXPECT_FALSE(Live(RecordKind::UserEvent, b));
  EXPECT_FALSE(Live(RecordKind::UserEvent, c));
  EXPECT_EQ(Join(CheckFamily()), "");
  EXPECT_TRUE(boxes.Calls().empty()) << boxes.Calls().front().text;
}

TEST_F(RelationsTest, LinkWithoutParentsJoinsTheChildrenOfItsNewMarriage) {
  const std::int32_t link = engine->Families().DLLSETORV3RELATION(I[9], 0, db::kRelParents, -1);
  ASSERT_GT(link, 0);
  EXPECT_EQ(Get<FamilyLinkRec>(link).marriage, 0);
  EXPECT_EQ(engine->Families().DLLSETORV3RELATION(I[9], 0, db::kRelParents, -1),
            link);  // only one such link
  EXPECT_EQ(engine->Families().MakeChild(I[9], M[3]), link);
  EXPECT_EQ(Get<FamilyLinkRec>(link).marriage, M[3]);
  // Reached from the marriage too, not only from the child.
  EXPECT_EQ(Children(M[3]), (std::vector<std::int32_t>{I[9]}));
  EXPECT_EQ(Get<MarriageRec>(M[3]).firstChildLink, link);
  EXPECT_EQ(Join(CheckFamily()), "");
}

TEST_F(RelationsTest, UnlinkedMarriageKeepsOnlyChildLinksThatCarrySealingData) {
  // I4 has a sealing citation; I5 gets a sealing date; I3 has nothing.
  FamilyLinkRec l5 = Get<FamilyLinkRec>(Get<IndividualRec>(I[5]).firstParentLink);
  l5.sealing.date.bytes[1] = 0x40;
  Put(Get<IndividualRec>(I[5]).firstParentLink, l5);
  const std::int32_t link3 = Get<IndividualRec>(I[3]).firstParentLink;
  ASSERT_EQ(engine->Families().O3_UnlinkRIN(M[1], db::kMarriage), 1);
  EXPECT_FALSE(Live(RecordKind::FamilyLink, link3));
  for (int c : {4, 5}) {
    const std::int32_t l = Get<IndividualRec>(I[c]).firstParentLink;
    ASSERT_TRUE(Live(RecordKind::FamilyLink, l));
    EXPECT_EQ(Get<FamilyLinkRec>(l).marriage, 0);
    EXPECT_EQ(Get<FamilyLinkRec>(l).nextInMarriage, l);
  }
  EXPECT_EQ(Join(CheckFamily()), "");
}

TEST_F(RelationsTest, LinkChangesGoToTheLogHookOnlyWhenLogging) {
  std::vector<std::string> lines;
  engine->Families().SetLinkLogHook(
      [&](char kind, char action, std::int32_t n, std::int32_t second) {
        lines.push_back(std::string{kind, action} + " " + std::to_string(n) + " " +
                        std::to_string(second));
      });
  engine->Families().MakeChild(I[9], M[3]);
  EXPECT_TRUE(lines.empty());
  host->logChanges = true;
  engine->Families().MoveChildLink(I[9], M[3], M[2]);
  engine->Families().O3_UnSetRelation(M[3], I[8], db::kRelWife);
  engine->Families().DLLSETORV3RELATION(I[9], 0, db::kRelHusband, M[3]);
  engine->Families().O3_UnSetRelation(M[1], I[3], db::kRelChildren);
  const auto s = [](std::int32_t a, std::int32_t b) {
    return std::to_string(a) + " " + std::to_string(b);
  };
  EXPECT_EQ(lines, (std::vector<std::string>{"CU " + s(I[9], M[3]), "CL " + s(I[9], M[2]),
                                             "SU " + s(I[8], M[3]), "SU " + s(I[3], M[3]),
                                             "SL " + s(I[9], M[3]), "CU " + s(I[3], M[1])}));
}

TEST_F(RelationsTest, SpouseChainEndsAtAMarriageNamingItself) {
  MarriageRec m2 = Get<MarriageRec>(M[2]);
  m2.husbandNext = M[2];
  Put(M[2], m2);
  EXPECT_EQ(Marriages(I[1]), (std::vector<std::int32_t>{M[1], M[2]}));
  // Appending overwrites the self-reference.
  const std::int32_t m = engine->Families().DLLSETORV3RELATION(I[1], I[9], db::kRelHusband, 0);
  EXPECT_EQ(Marriages(I[1]), (std::vector<std::int32_t>{M[1], M[2], m}));
  EXPECT_TRUE(boxes.Calls().empty());
}

// Damaged rings and chains: every walk ends, says so once per walk, and the
// queries give what lies before the damage.
TEST_F(RelationsTest, LoopingSpouseChainEndsWithAMessage) {
  MarriageRec m2 = Get<MarriageRec>(M[2]);
  m2.husbandNext = M[1];  // back to the first: a loop
  Put(M[2], m2);
  EXPECT_NE(Join(CheckFamily()), "");
  EXPECT_EQ(Marriages(I[1]), (std::vector<std::int32_t>{M[1], M[2]}));
  ASSERT_FALSE(boxes.Calls().empty());
  EXPECT_EQ(boxes.Calls().back().caption, "Korvane");
  EXPECT_NE(boxes.Calls().back().text.find("marriage " + std::to_string(M[1])), std::string::npos);
  EXPECT_EQ(engine->Families().GetRelationCount(I[1], db::kRelSpouses, true), 2);
  EXPECT_EQ(engine->Families().HasChildren(I[1], db::kIndividual), 1);
}

TEST_F(RelationsTest, CrossLinkedChildrenRingEndsWithAMessage) {
  // I5's link leads into M2's ring instead of back to I3's.
  const std::int32_t l5 = Get<IndividualRec>(I[5]).firstParentLink;
  FamilyLinkRec rec = Get<FamilyLinkRec>(l5);
  rec.nextInMarriage = Get<IndividualRec>(I[7]).firstParentLink;
  Put(l5, rec);
  EXPECT_NE(Join(CheckFamily()), "");
  EXPECT_EQ(Children(M[1]), (std::vector<std::int32_t>{I[3], I[4], I[5]}));
  EXPECT_EQ(boxes.Calls().size(), 1u);
  // A ring that loops without passing its head again.
  rec.nextInMarriage = Get<IndividualRec>(I[4]).firstParentLink;
  Put(l5, rec);
  boxes.Clear();
  EXPECT_EQ(Children(M[1]), (std::vector<std::int32_t>{I[3], I[4], I[5]}));
  // The same kind of damage is told once per open file, and counted.
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_GE(engine->Blocks().TimesTold("Damaged children of a marriage"), 2);
  // Reordering or adding rewrites the ring whole from what was found.
  EXPECT_EQ(engine->Families().O3_SetOrder(M[1], std::vector<std::int32_t>{I[5], I[4], I[3]},
                                           db::kRelChildren),
            1);
  EXPECT_EQ(Join(CheckFamily()), "");
}

TEST_F(RelationsTest, LoopingParentsRingEndsWithAMessage) {
  engine->Families().MakeChild(I[3], M[2]);
  const std::int32_t first = Get<IndividualRec>(I[3]).firstParentLink;
  FamilyLinkRec rec = Get<FamilyLinkRec>(first);
  const std::int32_t second = rec.nextInChild;
  FamilyLinkRec rec2 = Get<FamilyLinkRec>(second);
  rec2.nextInChild = second;  // the second link points at itself, never back to the head
  Put(second, rec2);
  EXPECT_EQ(ParentFamilies(I[3]), (std::vector<std::int32_t>{M[1], M[2]}));
  EXPECT_EQ(boxes.Calls().size(), 1u);
}

TEST_F(RelationsTest, LoopingOwnerChainsEndWithAMessage) {
  CitationRec b = Get<CitationRec>(citeI3b);
  b.next = citeI3a;
  Put(citeI3b, b);
  EXPECT_EQ(Citations(I[3], db::kOwnerIndividual), (std::vector<std::int32_t>{citeI3a, citeI3b}));
  EXPECT_EQ(boxes.Calls().size(), 1u);

  boxes.Clear();
  const std::int32_t second = NewUserEvent();
  engine->Owners().LinkRecord(second, db::kUserEvent, I[1], db::kOwnerIndividual);
  UserEventRec e = Get<UserEventRec>(second);
  e.next = userEvent;
  Put(second, e);
  std::vector<std::int32_t> list;
  EXPECT_EQ(engine->Owners().GetRinList(list, db::kUserEvent, I[1], db::kOwnerIndividual), 2);
  EXPECT_EQ(list, (std::vector<std::int32_t>{userEvent, second}));
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, res::LoadString(res::kIdsLoopInUserEvents));
  EXPECT_FALSE(boxes.Calls()[0].text.empty());
}

TEST_F(RelationsTest, DeletingAfterDamageStillEnds) {
  MarriageRec m2 = Get<MarriageRec>(M[2]);
  m2.husbandNext = M[1];
  Put(M[2], m2);
  const std::int32_t l5 = Get<IndividualRec>(I[5]).firstParentLink;
  FamilyLinkRec rec = Get<FamilyLinkRec>(l5);
  rec.nextInMarriage = Get<IndividualRec>(I[4]).firstParentLink;
  Put(l5, rec);
  EXPECT_EQ(engine->Deletes().DeleteIndividual(I[1]), 1);
  EXPECT_EQ(engine->Deletes().DeleteMarriage(M[1]), 1);
  EXPECT_FALSE(boxes.Calls().empty());
}

TEST_F(RelationsTest, BadCodesAnswerWithTheirMessages) {
  struct Case {
    std::function<int()> call;
    int result;
    const char* text;
    const char* caption;
  };
  std::vector<std::int32_t> out;
  const std::vector<Case> cases = {
      {[&] { return engine->Families().GetRelation(I[1], 999, 1, out); }, 0, "Bad Relation",
       "GetRelation"},
      {[&] { return engine->Families().GetRelationCount(I[1], 999, true); }, 0,
       "Unsupported case in GetRelationCount", "Yo"},
      {[&] { return engine->Families().GetRelationCount(M[1], db::kRelSpouses, false); }, 0,
       "MRin can't have that relationship", "Yo"},
      {[&] { return engine->Families().DLLSETORV3RELATION(I[1], I[2], 999, 0); }, -1,
       "Bad relation in DLLSETORV3RELATION", "Yo"},
      {[&] { return engine->Families().O3_UnSetRelation(M[1], I[1], 999); }, 0, "Bad Relation Type",
       "O3_UnSetRelation"},
      {[&] { return engine->Families().O3_UnlinkRIN(I[1], 999); }, 0,
       "Unknown type in O3_UnlinkRIN", "Yo"},
      {[&] { return engine->Families().O3_SetOrder(I[1], std::vector<std::int32_t>{}, 999); }, 0,
       "Bad Relation Type in O3_SetOrder", "Yo"},
      {[&] { return engine->Owners().LinkRecord(1, 999, I[1], db::kOwnerIndividual); }, 0,
       "Invalid call to LinkRecord", "Yo"},
      {[&] { return engine->Owners().LinkRecord(M[3], db::kMarriage, I[9], db::kOwnerMarriage); },
       0, "Case not implemented", "LinkMarr"},
      {[&] { return engine->Owners().UnLinkRecord(1, db::kUserEvent, I[1], db::kOwnerIndividual); },
       0, "Case not implemented", "UnLinkRecord"},
      {[&] { return engine->Owners().GetRinList(out, 999, I[1], db::kOwnerIndividual); }, 0,
       "Unknown case in GetRinList", "Yo"},
      {[&] { return engine->Owners().GetRinList(out, db::kUserEvent, I[1], 'X'); }, 0,
       "Unknown Owner type of User-Event Chain", "Yo"},
  };
  for (const Case& c : cases) {
    boxes.Clear();
    EXPECT_EQ(c.call(), c.result) << c.text;
    ASSERT_EQ(boxes.Calls().size(), 1u) << c.text;
    EXPECT_EQ(boxes.Calls()[0].text, c.text);
    EXPECT_EQ(boxes.Calls()[0].caption, c.caption);
  }
  EXPECT_EQ(Join(CheckFamily()), "");
}

TEST_F(RelationsTest, NewCitationOfASealingNeedsAParentLink) {
  EXPECT_EQ(engine->Owners().NewCitation(false, source, I[9], db::kOwnerSealingToParents), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Unable to add new citation");
  const std::int32_t c =
      engine->Owners().NewCitation(false, source, I[3], db::kOwnerSealingToParents);
  EXPECT_EQ(Citations(I[3], db::kOwnerSealingToParents), (std::vector<std::int32_t>{c}));
  EXPECT_EQ(Get<IndividualExtRec>(I[3]).citedParentLinks, 1);
  EXPECT_EQ(Join(CheckFamily()), "");
}
