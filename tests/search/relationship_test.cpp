// The Relationship Calculator on small families built through the database
// calls: common ancestors, lines of descent, couples, short codes, sentences
// and the messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KinFixture.h"
#include "RelationshipCalculator.h"

using kin::CRelationshipCalculator;
using kin::RelationshipShortCode;

namespace {

class RelationshipTest : public KinFamilyFixture {
 protected:
  void SetUp() override {
    KinFamilyFixture::SetUp();
    profile.SetString("Options", "LanguageUI", "EN");
    // Grandparents with two sons; one son's children and the other's
    // daughter; a half-uncle from the grandfather's second marriage.
    gf = Person("Arne", 'M', 1900);
    gm = Person("Berit", 'F', 1902);
    gm2 = Person("Cilla", 'F', 1910);
    grand = Marry(gf, gm);
    second = Marry(gf, gm2);
    dad = ChildOf(grand, "Dag", 'M', 1925);
    uncle = ChildOf(grand, "Erik", 'M', 1927);
    halfUncle = ChildOf(second, "Frans", 'M', 1935);
    mom = Person("Gun", 'F', 1926, "Holm");
    aunt = Person("Hedda", 'F', 1928, "Berg");
    parents = Marry(dad, mom);
    me = ChildOf(parents, "Ivar", 'M', 1950);
    sis = ChildOf(parents, "Jana", 'F', 1952);
    const std::int32_t uncles = Marry(uncle, aunt);
    cousin = ChildOf(uncles, "Karin", 'F', 1953);
  }

  CRelationshipCalculator Calculator() { return CRelationshipCalculator(&measure, 0, {}); }

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& call : boxes.Calls()) texts.push_back(call.text);
    return texts;
  }

  std::int32_t gf = 0, gm = 0, gm2 = 0, grand = 0, second = 0, dad = 0, uncle = 0, halfUncle = 0,
               mom = 0, aunt = 0, parents = 0, me = 0, sis = 0, cousin = 0;
};

TEST(RelationshipShortCode, TableOfCounts) {
  struct Case {
    int a, b;
    char sex1, sex2;
    const char* code;
  } cases[] = {
      {0, 0, 'M', 'M', "Same"}, {0, 1, 'M', 'F', "Fath"}, {1, 0, 'M', 'F', "Moth"},
      {0, 2, 'F', 'M', "GMom"}, {0, 2, 'U', 'M', "GDad"}, {0, 3, 'M', 'M', "GGF"},
      {0, 4, 'M', 'M', "2GGF"}, {5, 0, 'M', 'F', "3GGM"}, {1, 1, 'F', 'M', "Sis"},
      {1, 1, ' ', 'F', "Bro"},  {1, 2, 'M', 'F', "U"},    {2, 1, 'M', 'F', "A"},
      {1, 3, 'M', 'M', "GU"},   {1, 4, 'F', 'M', "GGA"},  {1, 6, 'M', 'M', "3GGU"},
      {2, 2, 'M', 'F', "1C"},   {2, 4, 'M', 'F', "1C2R"}, {5, 3, 'M', 'F', "2C2R"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RelationshipShortCode(c.a, c.b, c.sex1, c.sex2), c.code) << c.a << "," << c.b;
}

TEST_F(RelationshipTest, SamePersonIsOneResultWithTheSameSentence) {
  CRelationshipCalculator calc = Calculator();
  calc.SetPerson(1, me);
  calc.SetPerson(2, me);
  ASSERT_EQ(calc.Calculate(), 1);
  EXPECT_FALSE(calc.Results()[0].couple);
  EXPECT_EQ(calc.Results()[0].id, me);
  EXPECT_EQ(calc.ResultLines()[0], "Ivar Lind\tSame");
  const auto shown = calc.ShowResult(0);
  EXPECT_EQ(shown.sentence, "Ivar Lind is the same person as Ivar Lind.");
  EXPECT_EQ(shown.lines1, std::vector<std::string>{"Ivar Lind\tb.1950"});
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(RelationshipTest, GrandfatherIsTheOnlyCommonAncestorAndStandsAlone) {
  CRelationshipCalculator calc = Calculator();
  calc.SetPerson(1, gf);
  calc.SetPerson(2, me);
  ASSERT_EQ(calc.Calculate(), 1);
  const auto& result = calc.Results()[0];
  EXPECT_EQ(result.id, gf);
  EXPECT_EQ(result.count1, 0);
  EXPECT_EQ(result.count2, 2);
  EXPECT_EQ(result.line2, std::vector<std::int32_t>{dad});
  EXPECT_EQ(calc.ResultLines()[0], "Arne Lind\tGDad");
  const auto shown = calc.ShowResult(0);
  EXPECT_EQ(shown.lines1, std::vector<std::string>{"Arne Lind\tb.1900"});
  EXPECT_EQ(shown.lines2, (std::vector<std::string>{"Ivar Lind\tb.1950", "Dag Lind\tb.1925",
                                                    "Arne Lind\tb.1900"}));
  EXPECT_EQ(shown.sentence, "Arne Lind is the grandfather of Ivar Lind.");
}

TEST_F(RelationshipTest, FullSiblingsGiveOneCoupleResult) {
  CRelationshipCalculator calc = Calculator();
  calc.SetPerson(1, sis);
  calc.SetPerson(2, me);
  ASSERT_EQ(calc.Calculate(), 1);
  EXPECT_TRUE(calc.Results()[0].couple);
  EXPECT_EQ(calc.Results()[0].id, parents);
  EXPECT_EQ(calc.ResultLines()[0], "Dag Lind & Gun Holm\tSis");
  EXPECT_EQ(calc.ShowResult(0).sentence,
            "Jana Lind is the sister of Ivar Lind.  Their common ancestors are Dag Lind and Gun "
            "Holm.");
}

TEST_F(RelationshipTest, SiblingsWithOnlyAMotherShowUnknownHusband) {
  const std::int32_t single = Marry(0, aunt);
  const std::int32_t a = ChildOf(single, "Lars", 'M');
  const std::int32_t b = ChildOf(single, "Mia", 'F');
  CRelationshipCalculator calc = Calculator();
  calc.SetPerson(1, a);
  calc.SetPerson(2, b);
  ASSERT_EQ(calc.Calculate(), 1);
  EXPECT_TRUE(calc.Results()[0].couple);
  EXPECT_EQ(calc.ResultLines()[0], "Unknown & Hedda Berg\tBro");
  EXPECT_EQ(calc.ShowResult(0).sentence,
            "Lars Lind is the brother of Mia Lind.  Their common ancestors are Unknown and Hedda "
            "Berg.");
}

TEST_F(RelationshipTest, HalfSiblingsShareOneParent) {
  CRelationshipCalculator calc = Calculator();
  calc.SetPerson(1, halfUncle);
  calc.SetPerson(2, dad);
  ASSERT_EQ(calc.Calculate(), 1);
  EXPECT_FALSE(calc.Results()[0].couple);
  EXPECT_EQ(calc.Results()[0].id, gf);
  EXPECT_EQ(calc.ShowResult(0).sentence,
            "Frans Lind is the brother of Dag Lind.  Their common ancestor is Arne Lind.");
}

TEST_F(RelationshipTest, CousinsTakeThePluralWord) {
  CRelationshipCalculator calc = Calculator();
  calc.SetPerson(1, cousin);
  calc.SetPerson(2, me);
  ASSERT_EQ(calc.Calculate(), 1);
  EXPECT_EQ(calc.ResultLines()[0], "Arne Lind & Berit Lind\t1C");
  EXPECT_EQ(calc.ShowResult(0).sentence,
            "Karin Lind and Ivar Lind are 1st cousins.  Their common ancestors are Arne Lind and "
            "Berit Lind.");
}

TEST_F(RelationshipTest, RemovedCousinsAndGreatGrandparents) {
  // me -> son -> grandson: the cousin is 1C2R of the grandson; the
  // great-great-grandson of the grandfather is 2GGF apart.
  const std::int32_t wife = Person("Nora", 'F', 1951, "Ek");
  const std::int32_t m1 = Marry(me, wife);
  const std::int32_t son = ChildOf(m1, "Olof", 'M', 1975);
  const std::int32_t m2 = Marry(son, 0);
  const std::int32_t grandson = ChildOf(m2, "Per", 'M', 2000);
  CRelationshipCalculator calc = Calculator();
  calc.SetPerson(1, cousin);
  calc.SetPerson(2, grandson);
  ASSERT_EQ(calc.Calculate(), 1);
  EXPECT_EQ(calc.ResultLines()[0], "Arne Lind & Berit Lind\t1C2R");
  EXPECT_EQ(calc.ShowResult(0).sentence,
            "Karin Lind and Per Lind are 1st cousins 2 times removed.  Their common ancestors are "
            "Arne Lind and Berit Lind.");
  calc.SetPerson(1, gf);
  ASSERT_EQ(calc.Calculate(), 1);
  EXPECT_EQ(calc.ResultLines()[0], "Arne Lind\t2GGF");
  EXPECT_EQ(calc.ShowResult(0).sentence, "Arne Lind is the 2nd great grandfather of Per Lind.");
}

TEST_F(RelationshipTest, ShortCodesOnlyForEnglish) {
  CRelationshipCalculator calc = Calculator();
  calc.SetPerson(1, cousin);
  calc.SetPerson(2, me);
  profile.SetString("Options", "LanguageUI", "FR");
  ASSERT_EQ(calc.Calculate(), 1);
  EXPECT_EQ(calc.ResultLines()[0], "Arne Lind & Berit Lind\t");
  profile.SetString("Options", "LanguageUI", "");
  ASSERT_EQ(calc.Calculate(), 1);
  EXPECT_EQ(calc.ResultLines()[0], "Arne Lind & Berit Lind\t1C");
}

TEST_F(RelationshipTest, SpousesWithoutCommonAncestor) {
  CRelationshipCalculator calc = Calculator();
  calc.SetPerson(1, dad);
  calc.SetPerson(2, mom);
  EXPECT_EQ(calc.Calculate(), 0);
  EXPECT_EQ(BoxTexts(),
            (std::vector<std::string>{
                "They are spouses.",
                "There is no documented blood relationship between these two people."}));
  EXPECT_EQ(boxes.Calls()[0].caption, "Marital Relationship");
}

TEST_F(RelationshipTest, MissingPersonAsksForTwo) {
  CRelationshipCalculator calc = Calculator();
  calc.SetPerson(1, me);
  EXPECT_EQ(calc.Calculate(), 0);
  ASSERT_EQ(BoxTexts(), std::vector<std::string>{"Please select two people first."});
  EXPECT_EQ(boxes.Calls()[0].caption, "Who?");
  EXPECT_FALSE(calc.Busy());
}

TEST_F(RelationshipTest, PedigreeCollapseListsOnlyDisjointPairs) {
  // P and Q have sons X and Y; X's son A marries Y's daughter B; K is their
  // child and S is A's brother. Seen from K and S, the couple X + Xs is the
  // nearest through A, and P + Q through B and Y; the pair that would pass
  // through X twice is not listed.
  const std::int32_t p = Person("Paul", 'M'), q = Person("Quinta", 'F');
  const std::int32_t pq = Marry(p, q);
  const std::int32_t x = ChildOf(pq, "Xander", 'M'), y = ChildOf(pq, "Yngve", 'M');
  const std::int32_t xs = Person("Xenia", 'F'), ys = Person("Ylva", 'F');
  const std::int32_t xm = Marry(x, xs), ym = Marry(y, ys);
  const std::int32_t a = ChildOf(xm, "Anton", 'M'), s = ChildOf(xm, "Sven", 'M');
  const std::int32_t b = ChildOf(ym, "Bodil", 'F');
  const std::int32_t ab = Marry(a, b);
  const std::int32_t k = ChildOf(ab, "Kalle", 'M');
  CRelationshipCalculator calc = Calculator();
  calc.SetPerson(1, k);
  calc.SetPerson(2, s);
  ASSERT_EQ(calc.Calculate(), 2);
  const auto& first = calc.Results()[0];
  EXPECT_TRUE(first.couple);
  EXPECT_EQ(first.id, xm);
  EXPECT_EQ(first.line1, std::vector<std::int32_t>{a});
  EXPECT_TRUE(first.line2.empty());
  EXPECT_EQ(calc.ResultLines()[0], "Xander Lind & Xenia Lind\tU");
  const auto& second = calc.Results()[1];
  EXPECT_TRUE(second.couple);
  EXPECT_EQ(second.id, pq);
  EXPECT_EQ(second.line1, (std::vector<std::int32_t>{b, y}));
  EXPECT_EQ(second.line2, std::vector<std::int32_t>{x});
  EXPECT_EQ(calc.ShowResult(1).sentence,
            "Kalle Lind and Sven Lind are 1st cousins 1 time removed.  Their common ancestors are "
            "Paul Lind and Quinta Lind.");

  // From the grandfather down to K there are two lines, one per son.
  calc.SetPerson(1, p);
  calc.SetPerson(2, k);
  ASSERT_EQ(calc.Calculate(), 2);
  EXPECT_EQ(calc.Results()[0].line2, (std::vector<std::int32_t>{a, x}));
  EXPECT_EQ(calc.Results()[1].line2, (std::vector<std::int32_t>{b, y}));
  EXPECT_EQ(calc.ResultLines()[1], "Paul Lind\tGGF");
}

TEST_F(RelationshipTest, AHundredResultsAtMostAndTheMessageNamesIt) {
  // Both persons have eleven parent families, each headed by another child
  // of one couple: 121 disjoint pairs of lines.
  const std::int32_t p = Person("Paul", 'M'), q = Person("Quinta", 'F');
  const std::int32_t pq = Marry(p, q);
  const std::int32_t k1 = Person("Kim", 'M'), k2 = Person("Kaj", 'M');
  for (int i = 0; i < 11; ++i) {
    Child(Marry(ChildOf(pq, "Ola", 'M'), 0), k1);
    Child(Marry(ChildOf(pq, "Ulf", 'M'), 0), k2);
  }
  CRelationshipCalculator calc = Calculator();
  calc.SetPerson(1, k1);
  calc.SetPerson(2, k2);
  EXPECT_EQ(calc.Calculate(), 100);
  ASSERT_EQ(BoxTexts(), std::vector<std::string>{"Only first 100 relationships are shown"});
  EXPECT_EQ(boxes.Calls()[0].caption, "Many relationships");
  for (const auto& result : calc.Results()) {
    EXPECT_EQ(result.id, pq);
    ASSERT_EQ(result.line1.size(), 1u);
    ASSERT_EQ(result.line2.size(), 1u);
    EXPECT_NE(result.line1[0], result.line2[0]);
  }
}

TEST_F(RelationshipTest, LoopingParentLinksEndTheWalk) {
  // X is the child of a marriage of Z, and Z the child of X's own marriage:
  // a loop in the links that must neither hang nor list a line twice.
  const std::int32_t x = Person("Xor", 'M'), z = Person("Zed", 'M');
  const std::int32_t xm = Marry(x, 0), zm = Marry(z, 0);
  Child(xm, z);
  Child(zm, x);
  const std::int32_t other = ChildOf(xm, "Olle", 'M');
  CRelationshipCalculator calc = Calculator();
  calc.SetPerson(1, other);
  calc.SetPerson(2, z);
  const int count = calc.Calculate();
  EXPECT_LE(count, 100);
  for (const auto& result : calc.Results()) {
    EXPECT_LE(result.line1.size(), 2u);
    EXPECT_LE(result.line2.size(), 2u);
  }
}

TEST_F(RelationshipTest, PersonDisplayTakesThePartnerWhoIsNotThePerson) {
  // A wife of unknown sex is not shown as her own spouse.
  const std::int32_t u = Person("Ulla", 'U', 0, "Ek");
  const std::int32_t h = Person("Hans", 'M', 0, "Ek");
  Marry(h, u);
  CRelationshipCalculator calc = Calculator();
  calc.SetPerson(1, u);
  EXPECT_EQ(calc.Person(1).spouse1, "Hans Ek");
  EXPECT_EQ(calc.Person(1).sex, " ");
  calc.SetPerson(2, me);
  EXPECT_EQ(calc.Person(2).father, "Dag Lind");
  EXPECT_EQ(calc.Person(2).mother, "Gun Holm");
  EXPECT_EQ(calc.Person(2).rinText, std::to_string(me));
  EXPECT_EQ(calc.Person(2).keyEvent, "b.1950");
}

}  // namespace
