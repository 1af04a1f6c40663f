// The relationship filter's walks on a family with a pedigree collapse
// (cousins who married), a child with two parent families, remarriages and
// an unrelated individual: which RINs each kind marks, the generation
// stores in memory and on disk, and the stores' failure without room.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "FilterSet.h"
#include "KinFixture.h"
#include "RelationshipFilter.h"

namespace {

using Rins = std::set<std::int32_t>;

class RelationshipFilterTest : public KinFamilyFixture {
 protected:
  void SetUp() override {
    KinFamilyFixture::SetUp();
    gp1 = Person("Gustav", 'M');
    gp2 = Person("Greta", 'F');
    const std::int32_t ma = Marry(gp1, gp2);
    p1 = ChildOf(ma, "Per", 'M');
    p2 = ChildOf(ma, "Pia", 'F');
    w1 = Person("Wenche", 'F');
    h2 = Person("Hans", 'M');
    const std::int32_t mb = Marry(p1, w1);
    const std::int32_t mc = Marry(h2, p2);
    c1 = ChildOf(mb, "Carl", 'M');
    c2 = ChildOf(mc, "Cecilie", 'F');
    const std::int32_t md = Marry(c1, c2);  // cousins
    x = ChildOf(md, "Xenia", 'F');
    a1 = Person("Arne", 'M');
    a2 = Person("Astrid", 'F');
    me = Marry(a1, a2);
    Child(me, x);  // a second parent family
    y1 = Person("Yngve", 'M');
    y2 = Person("Yrjan", 'M');
    mf = Marry(y1, x);
    mg = Marry(y2, x);
    z = ChildOf(mf, "Zak", 'M');
    z2 = ChildOf(mg, "Zara", 'F');
    y3 = Person("Ylva", 'F');
    const std::int32_t mh = Marry(y2, y3);
    q = ChildOf(mh, "Quinn", 'M');
    o = Person("Outsider", 'M');
  }

  Rins Marked(const CFilterSet& set) const {
    Rins rins;
    for (std::int32_t r = 1; r <= DbGetMaxRecordCount(db::kIndividual); ++r)
      if (set.IsInSet(CFilterSet::kRelationSet, r) == 1) rins.insert(r);
    return rins;
  }
  Rins Everybody() const {
    Rins all;
    for (std::int32_t r = 1; r <= o; ++r) all.insert(r);
    return all;
  }
  static RelationshipFilterHooks Generations(int n, int d, bool spouses, bool allParents) {
    RelationshipFilterHooks hooks;
    hooks.askGenerations = [=](std::int32_t, bool, GenerationChoice& c) {
      c.generations = n;
      c.descendantGenerations = d;
      c.spouses = spouses;
      c.allParents = allParents;
      return true;
    };
    return hooks;
  }
  Rins Walk(int kind, std::int32_t rin, RelationshipFilterHooks hooks = {}, bool files = false) {
    CFilterSet set;
    CRelationshipFilter filter(set, std::move(hooks));
    filter.forceFileStores = files;
    EXPECT_TRUE(filter.Run(kind, rin, 1));
    EXPECT_EQ(set.relationFilterPresent, 1);
    return Marked(set);
  }

  std::int32_t gp1 = 0, gp2 = 0, p1 = 0, p2 = 0, w1 = 0, h2 = 0, c1 = 0, c2 = 0, x = 0;
  std::int32_t a1 = 0, a2 = 0, y1 = 0, y2 = 0, y3 = 0, z = 0, z2 = 0, q = 0, o = 0;
  std::int32_t me = 0, mf = 0, mg = 0;
};

TEST_F(RelationshipFilterTest, AncestorsAndDescendantsByGenerations) {
  struct Case {
    const char* what;
    int kind;
    std::int32_t root;
    int n, d;
    bool spouses, allParents;
    Rins expected;
  };
  const Rins ancestors = {x, c1, c2, p1, w1, p2, h2, gp1, gp2};
  Rins withAdoptive = ancestors;
  withAdoptive.insert({a1, a2});
  const Case cases[] = {
      {"one generation is the person alone", relkind::kAncestors, x, 1, 0, false, false, {x}},
      {"two generations", relkind::kAncestors, x, 2, 0, false, false, {x, c1, c2}},
      {"three generations",
       relkind::kAncestors,
       x,
       3,
       0,
       false,
       false,
       {x, c1, c2, p1, w1, p2, h2}},
      {"every line, primary parents", relkind::kAncestors, x, 999, 0, false, false, ancestors},
      {"every line, all parents", relkind::kAncestors, x, 999, 0, false, true, withAdoptive},
      {"one generation with children", relkind::kAncestors, x, 1, 1, false, false, {x, z, z2}},
      {"two generations with children",
       relkind::kAncestors,
       x,
       2,
       1,
       false,
       false,
       {x, c1, c2, z, z2}},
      {"two generations with spouses",
       relkind::kAncestors,
       x,
       2,
       0,
       true,
       false,
       {x, c1, c2, y1, y2}},
      {"descendants, two generations",
       relkind::kDescendants,
       gp1,
       2,
       0,
       false,
       false,
       {gp1, p1, p2}},
      {"descendants, three generations",
       relkind::kDescendants,
       gp1,
       3,
       0,
       false,
       false,
       {gp1, p1, p2, c1, c2}},
      {"descendants through the collapse",
       relkind::kDescendants,
       gp1,
       999,
       0,
       false,
       false,
       {gp1, p1, p2, c1, c2, x, z, z2}},
      {"descendants of a remarried man with spouses",
       relkind::kDescendants,
       y2,
       2,
       0,
       true,
       false,
       {y2, x, y3, z2, q}},
  };
  for (const Case& c : cases) {
    const Rins got = Walk(c.kind, c.root, Generations(c.n, c.d, c.spouses, c.allParents));
    EXPECT_EQ(got, c.expected) << c.what;
    // The same walk with its stores on disk marks the same individuals.
    EXPECT_EQ(Walk(c.kind, c.root, Generations(c.n, c.d, c.spouses, c.allParents), true),
              c.expected)
        << c.what << " (file stores)";
  }
}

TEST_F(RelationshipFilterTest, RelatedWalksFollowTheirBounds) {
  boxes.QueueAnswer(plat::kIdNo);
  Rins related = Everybody();
  related.erase(o);
  related.erase(a1);
  related.erase(a2);
  EXPECT_EQ(Walk(relkind::kAllRelated, x), related) << "primary parents only";
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].caption, "Relatives of Xenia Lind");
  EXPECT_EQ(profile.GetInt("Search", "FilterAncParents", -1), -1) << "unchanged answer kept";

  boxes.QueueAnswer(plat::kIdYes);
  related.insert({a1, a2});
  EXPECT_EQ(Walk(relkind::kAllRelated, x), related) << "all parents";
  EXPECT_EQ(profile.GetInt("Search", "FilterAncParents", -1), 1);

  boxes.QueueAnswer(plat::kIdNo);
  EXPECT_EQ(Walk(relkind::kAllRelated, o), Rins{o});

  // Without the person's own marriages and descendants.
  boxes.QueueAnswer(plat::kIdNo);
  EXPECT_EQ(Walk(relkind::kAncestralRelated, x), (Rins{x, c1, c2, p1, w1, p2, h2, gp1, gp2}));

  // Without the person's ancestors and the spouse's ancestors; no question.
  const std::size_t asked = boxes.Calls().size();
  Rins descendantRelated = Everybody();
  for (std::int32_t r : {o, a1, a2}) descendantRelated.erase(r);
  EXPECT_EQ(Walk(relkind::kDescendantRelated, gp1), descendantRelated);
  // The spouses reached at the first generation are not walked upward.
  EXPECT_EQ(Walk(relkind::kDescendantRelated, y3), (Rins{y3, y2, q, x, z2, y1, z}));
  EXPECT_EQ(boxes.Calls().size(), asked);
}

TEST_F(RelationshipFilterTest, CoupleAndFamilyChoices) {
  boxes.QueueAnswer(plat::kIdYes);
  EXPECT_EQ(Walk(relkind::kCouple, x), (Rins{x, y1, y2}));
  EXPECT_EQ(boxes.Calls().back().text, "Xenia Lind has more than one marriage. Select for all?");

  RelationshipFilterHooks one;
  one.chooseMarriage = [&](std::int32_t) { return mg; };
  boxes.QueueAnswer(plat::kIdNo);
  EXPECT_EQ(Walk(relkind::kCouple, x, one), (Rins{x, y2}));

  EXPECT_EQ(Walk(relkind::kCouple, o), Rins{o});
  EXPECT_EQ(boxes.Calls().back().text, "Outsider Lind has no marriages!");
  EXPECT_EQ(Walk(relkind::kFamily, o), Rins{o});
  EXPECT_EQ(boxes.Calls().back().text, "Outsider Lind is not a member of any family!");

  struct Case {
    int choice;
    std::int32_t family;
    Rins expected;
  };
  const Case cases[] = {
      {0, 0, {x, y1, z, y2, z2, c1, c2, a1, a2}},
      {1, 0, {x, y1, z, y2, z2}},
      {2, 0, {x, y1, z, y2, z2, c1, c2, a1, a2}},
      {3, me, {x, a1, a2}},
      {3, mf, {x, y1, z}},
  };
  for (const Case& c : cases) {
    RelationshipFilterHooks hooks;
    hooks.chooseFamily = [&](std::int32_t, int& choice, std::int32_t& mrin) {
      choice = c.choice;
      mrin = c.family;
      return true;
    };
    EXPECT_EQ(Walk(relkind::kFamily, x, hooks), c.expected) << "choice " << c.choice;
  }
  RelationshipFilterHooks cancel;
  cancel.chooseFamily = [](std::int32_t, int&, std::int32_t&) { return false; };
  EXPECT_EQ(Walk(relkind::kFamily, x, cancel), Rins{x});
}

TEST_F(RelationshipFilterTest, DeselectAllAndDeletedIndividuals) {
  CFilterSet set;
  CRelationshipFilter filter(set);
  ASSERT_EQ(DbDeleteRecord(q, db::kIndividual), 1);
  ASSERT_TRUE(filter.Run(relkind::kAll, x, 1));
  Rins all = Everybody();
  all.erase(q);
  EXPECT_EQ(Marked(set), all);
  EXPECT_EQ(set.GetCount(CFilterSet::kCombinedSet), static_cast<int>(all.size()));

  ASSERT_TRUE(filter.Run(relkind::kIndividual, x, 0));
  all.erase(x);
  EXPECT_EQ(Marked(set), all);
  ASSERT_TRUE(filter.Run(relkind::kAll, x, 0));
  EXPECT_EQ(set.GetCount(CFilterSet::kRelationSet), 0);
}

TEST_F(RelationshipFilterTest, StoresWithoutRoomAbandonTheCommand) {
  CFilterSet set;
  RelationshipFilterHooks hooks = Generations(3, 2, false, false);
  hooks.chooseFolder = [&](std::string& folder, std::uint64_t) {
    folder = dir.Path();
    return std::uint64_t{0};
  };
  CRelationshipFilter filter(set, hooks);
  ASSERT_TRUE(filter.Run(relkind::kIndividual, o, 1));
  filter.forceFileStores = true;
  EXPECT_FALSE(filter.Run(relkind::kAncestors, x, 1));
  EXPECT_EQ(Marked(set), Rins{o});
  ASSERT_FALSE(boxes.Calls().empty());
  EXPECT_EQ(boxes.Calls().back().caption, "Select Ancestral Related");
  EXPECT_EQ(boxes.Calls().back().text,
            "There is insufficient space on your disk\nto perform this operation.  Please free\n"
            "up some space and try again.");
  EXPECT_EQ(boxes.Calls().back().flags & plat::kMbIconMask, plat::kMbIconExclamation);

  RelationshipFilterHooks cancelled;
  cancelled.askGenerations = [](std::int32_t, bool, GenerationChoice&) { return false; };
  CRelationshipFilter asking(set, cancelled);
  EXPECT_FALSE(asking.Run(relkind::kDescendants, gp1, 1));
  EXPECT_EQ(Marked(set), Rins{o});
}

TEST_F(RelationshipFilterTest, FileStoreHoldsCountsAndGoesAfterwards) {
  CGenerationStore store;
  const std::string folder = dir.Path();
  auto roomy = [&](std::string& out, std::uint64_t) {
    out = folder;
    return std::uint64_t{1} << 40;
  };
  ASSERT_EQ(store.Create(5000, "~KorRELSL.TMP", true, roomy), CGenerationStore::kCreated);
  ASSERT_TRUE(store.InFile());
  EXPECT_EQ(store.Path(), folder + "~KorRELSL.TMP");
  EXPECT_GE(std::filesystem::file_size(store.Path()), 10000u);
  EXPECT_EQ(store.Get(4999), -1);
  store.Set(4999, 300);
  store.Set(1, 2);
  EXPECT_EQ(store.Get(4999), 300);
  EXPECT_EQ(store.Get(1), 2);
  EXPECT_EQ(store.Get(2), -1);
  store.Close();
  EXPECT_FALSE(std::filesystem::exists(folder + "~KorRELSL.TMP"));

  CGenerationStore small;
  ASSERT_EQ(small.Create(100, "~KorRELSL.TMP", false, roomy), CGenerationStore::kCreated);
  EXPECT_FALSE(small.InFile());
}

TEST_F(RelationshipFilterTest, LongWalksDispatchWaitingMessages) {
  std::int32_t parent = o;
  for (int i = 0; i < 60; ++i) {
    const std::int32_t mrin = Marry(parent, 0);
    parent = ChildOf(mrin, "Heir", 'M');
  }
  CFilterSet set;
  RelationshipFilterHooks hooks;
  int dispatched = 0;
  hooks.dispatch = [&] { ++dispatched; };
  CRelationshipFilter filter(set, hooks);
  boxes.QueueAnswer(plat::kIdNo);
  ASSERT_TRUE(filter.Run(relkind::kAllRelated, parent, 1));
  EXPECT_EQ(set.GetCount(CFilterSet::kRelationSet), 61);
  EXPECT_EQ(dispatched, filter.dispatches);
  EXPECT_GE(dispatched, 60 / CRelationshipFilter::kUpwardDispatch);
}

TEST_F(RelationshipFilterTest, AChildBeforeTheLastIsNotWalkedUpAgainAsASpouse) {
  // Rolf's two children each have a second parent family and a spouse.
  const std::int32_t rolf = Person("Rolf", 'M');
  const std::int32_t wera = Person("Wera", 'F');
  const std::int32_t mr = Marry(rolf, wera);
  const std::int32_t first = ChildOf(mr, "Kai", 'M');
  const std::int32_t last = ChildOf(mr, "Kim", 'F');
  std::int32_t secondParents[2][2] = {};
  for (int i = 0; i < 2; ++i) {
    secondParents[i][0] = Person(i == 0 ? "Alf" : "Bo", 'M');
    secondParents[i][1] = Person(i == 0 ? "Asta" : "Britt", 'F');
    Child(Marry(secondParents[i][0], secondParents[i][1]), i == 0 ? first : last);
  }
  const std::int32_t firstsWife = Person("Sara", 'F');
  const std::int32_t lastsHusband = Person("Sven", 'M');
  Marry(first, firstsWife);
  Marry(lastsHusband, last);

  boxes.QueueAnswer(plat::kIdYes);  // all parents
  const Rins walked = Walk(relkind::kAllRelated, rolf);
  // The last child, met again as her husband's spouse, leads up to her
  // second parents; the first child does not.
  EXPECT_EQ(walked, (Rins{rolf, wera, first, last, firstsWife, lastsHusband, secondParents[1][0],
                          secondParents[1][1]}));
}

}  // namespace
