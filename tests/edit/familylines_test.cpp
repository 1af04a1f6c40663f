#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../family/NodeFixture.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyLines.h"
#include "MarriageRecord.h"
#include "RecordAccess.h"

namespace {

using List = std::vector<std::int32_t>;

class FamilyLinesTest : public NodeFamilyFixture {
 protected:
  static std::string Cols(int year, int month, int day) {
    return Date(year, month, day).FormatColumns(false, 0, false);
  }
  static void SetStatus(std::int32_t mrin, char status) {
    CMarriageRecord m;
    ASSERT_EQ(family::Read(m, mrin), 1);
    m.status = status;
    ASSERT_EQ(family::Update(m, 0), 1);
  }
};

TEST_F(FamilyLinesTest, SpouseLinesNameThePartnerWhoIsNotTheIndividual) {
  const std::int32_t husband = Add("Hart", "Hal", 'M');
  const std::int32_t wifeUnknownSex = Add("Wren", "Wyn", 'U');
  const std::int32_t m = Marry(husband, wifeUnknownSex);
  SetMarriageEvent(m, Date(1900, 5, 6), "Town");
  const std::int32_t alone = Add("Solo", "Sam", 'M');
  const std::int32_t single = Marry(alone, 0);
  SetStatus(single, 'D');
  SetStatus(m, 'M');
  struct Case {
    std::int32_t mrin, rin;
    std::string line;
  };
  const Case cases[] = {
      {m, husband, "Wyn Wren\t" + Cols(1900, 5, 6)},
      {m, wifeUnknownSex, "Hal Hart\t" + Cols(1900, 5, 6)},
      {single, alone, "UNKNOWN\t(D)"},
  };
  for (const Case& c : cases) EXPECT_EQ(SpouseLine(c.mrin, c.rin), c.line) << c.rin;
  SetStatus(m, 'D');
  EXPECT_EQ(SpouseLine(m, husband), "Wyn Wren\t" + Cols(1900, 5, 6) + "(D)");
}

TEST_F(FamilyLinesTest, ChildLinesMarkAChristeningThatStandsForTheBirth) {
  CIndividualRecord born, christened, both, neither;
  SetBirth(born, Date(1901, 2, 3), "A");
  christened.christening.date = Date(1902, 3, 4);
  SetBirth(both, Date(1903, 1, 1), "B");
  both.christening.date = Date(1903, 2, 2);
  const std::int32_t a = Add(born, "Kid", "Ann", 'F');
  const std::int32_t b = Add(christened, "Kid", "Ben", 'M');
  const std::int32_t c = Add(both, "Kid", "Cy", 'M');
  const std::int32_t d = Add(neither, "Kid", "Di", 'F');
  EXPECT_EQ(ChildLine(a), "Ann Kid\t\t" + Cols(1901, 2, 3));
  EXPECT_EQ(ChildLine(b), "Ben Kid\t*\t" + Cols(1902, 3, 4));
  EXPECT_EQ(ChildLine(c), "Cy Kid\t\t" + Cols(1903, 1, 1));
  EXPECT_EQ(ChildLine(d), "Di Kid\t");
  EXPECT_EQ(ChildLine(0), "UNKNOWN\t");
}

TEST_F(FamilyLinesTest, FamiliesForOffersTheAllLinesOnlyForTwoOrMoreOfAKind) {
  const std::int32_t me = Add("Me", "Max", 'M');
  EXPECT_TRUE(FamiliesForLines(me).empty());

  const std::int32_t parents = Marry(Add("Pa", "Pat", 'M'), Add("Ma", "Meg", 'F'));
  AddChild(parents, me);
  const std::int32_t wife = Add("Wed", "Wilma", 'F');
  const std::int32_t m1 = Marry(me, wife);
  SetMarriageEvent(m1, Date(1950, 1, 2), "X");
  auto lines = FamiliesForLines(me);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].value, 0);
  EXPECT_EQ(lines[0].text, "\tAll families in which this person is a parent or a child");
  EXPECT_EQ(lines[1].value, parents);
  EXPECT_EQ(lines[1].text, std::to_string(parents) + "\tAs a child with parents Pat Pa/Meg Ma");
  EXPECT_EQ(lines[2].value, m1);
  EXPECT_EQ(lines[2].text,
            std::to_string(m1) + "\tAs a parent with spouse Wilma Wed\t" + Cols(1950, 1, 2));

  const std::int32_t adoptive = Marry(0, Add("Ad", "Ada", 'F'));
  AddChild(adoptive, me);
  const std::int32_t m2 = Marry(me, 0);
  lines = FamiliesForLines(me);
  std::vector<std::int32_t> values;
  for (const auto& line : lines) values.push_back(line.value);
  EXPECT_EQ(values, (List{0, -2, parents, adoptive, -1, m1, m2}));
  EXPECT_EQ(lines[3].text, std::to_string(adoptive) + "\tAs a child with parents UNKNOWN/Ada Ad");
  EXPECT_EQ(lines[6].text, std::to_string(m2) + "\tAs a parent with spouse UNKNOWN");
}

TEST_F(FamilyLinesTest, OrderListsStoreTheNewOrderAndAnswerFivePlusTheIndex) {
  const std::int32_t me = Add("Me", "Max", 'M');
  const List wives = {Add("W", "One", 'F'), Add("W", "Two", 'F'), Add("W", "Three", 'F')};
  List marriages;
  for (std::int32_t w : wives) marriages.push_back(Marry(me, w));
  const std::int32_t family = marriages[0];
  const List kids = {Add("K", "A", 'M'), Add("K", "B", 'F'), Add("K", "C", 'M')};
  for (std::int32_t k : kids) AddChild(family, k);

  struct Case {
    COrderList::Mode mode;
    std::int32_t owner;
    List made;
    int select;
    std::vector<int> steps;
    std::vector<int> order;  // expected, as indexes into made
    int current;
  };
  const Case cases[] = {
      {COrderList::kSpouses, me, marriages, 0, {+1, +1}, {1, 2, 0}, 2},
      {COrderList::kSpouses, me, marriages, 0, {-1}, {0, 1, 2}, 0},
      {COrderList::kChildren, family, kids, 2, {-1}, {0, 2, 1}, 1},
      {COrderList::kChildren, family, kids, 2, {+1}, {0, 1, 2}, 2},
  };
  for (const Case& c : cases) {
    // Each case starts from the order the owner has now.
    COrderList list;
    list.Load(c.owner, c.mode, c.select);
    const List before = list.Numbers();
    for (int step : c.steps) list.MoveCurrent(step);
    EXPECT_EQ(list.Current(), c.current);
    EXPECT_EQ(list.Store(), 5 + c.current);
    List expected;
    for (int i : c.order) expected.push_back(before[i]);
    COrderList again;
    again.Load(c.owner, c.mode, 0);
    EXPECT_EQ(again.Numbers(), expected);
  }
  COrderList spouses;
  spouses.Load(me, COrderList::kSpouses, 0);
  EXPECT_EQ(spouses.LineText(0), "Two W\t");
}

// Choosing among the marriages an individual already has with one spouse:
// two with Odd, one with Per and one without a partner.
TEST_F(FamilyLinesTest, MarriageChoicesWithOneSpouse) {
  const std::int32_t her = Add("Berg", "Liv", 'F');
  const std::int32_t odd = Add("Dahl", "Odd", 'M');
  const std::int32_t per = Add("Eck", "Per", 'M');
  const std::int32_t first = Marry(odd, her);
  const std::int32_t withPer = Marry(per, her);
  const std::int32_t again = Marry(odd, her);
  Marry(0, her);
  const auto mrins = [](const std::vector<MarriageChoice>& choices) {
    std::vector<std::int32_t> out;
    for (const MarriageChoice& c : choices) out.push_back(c.mrin);
    return out;
  };
  struct Case {
    std::int32_t rin, with;
    std::vector<std::int32_t> want;
  };
  const Case cases[] = {
      {her, odd, {first, again}}, {her, per, {withPer}}, {her, her, {}},
      {odd, her, {first, again}}, {per, odd, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(mrins(MarriageChoices(c.rin, false, nullptr, c.with)), c.want)
        << c.rin << " with " << c.with;
  EXPECT_EQ(MarriageChoices(her, false, nullptr, 0).size(), 4u);
}

TEST_F(FamilyLinesTest, MarriageChoicesAndANewMarriageOnTheIndividualsSide) {
  const std::int32_t her = Add("Berg", "Liv", 'F');
  EXPECT_TRUE(MarriageChoices(her, false).empty());
  const std::int32_t m1 = Marry(Add("Dahl", "Odd", 'M'), her);
  SetMarriageEvent(m1, Date(1950, 6, 7), "X");
  const std::int32_t m2 = Marry(0, her);
  const std::int32_t m3 = Marry(0, her);
  auto all = MarriageChoices(her, false);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].text, std::to_string(m1) + "\tOdd Dahl\t" + Cols(1950, 6, 7));
  EXPECT_EQ(all[1].text, std::to_string(m2) + "\tUNKNOWN");
  // Only those without a spouse: the second line is the third marriage.
  auto open = MarriageChoices(her, true);
  ASSERT_EQ(open.size(), 2u);
  EXPECT_EQ(open[1].mrin, m3);

  struct Case {
    char sex;
    bool asWife;
  };
  for (const Case c : {Case{'F', true}, Case{'M', false}, Case{'U', false}}) {
    const std::int32_t person = Add("New", "Person", c.sex);
    const std::int32_t m = AddMarriageFor(person);
    ASSERT_GT(m, 0);
    CMarriageRecord stored;
    ASSERT_EQ(family::Read(stored, m), 1);
    EXPECT_EQ(stored.wife == person, c.asWife) << c.sex;
    EXPECT_EQ(stored.husband == person, !c.asWife) << c.sex;
  }
}

TEST(TabbedLine, EachPieceStartsAtTheFirstStopBeyondTheTextBeforeIt) {
  const plat::FixedWidthTextMeasure six(6);
  const int stops[] = {10, 20};
  struct Case {
    const char* line;
    std::vector<TabbedPiece> pieces;
  };
  const Case cases[] = {
      {"a\tb", {{0, "a"}, {10, "b"}}},
      {"abc\tb", {{0, "abc"}, {20, "b"}}},    // past the first stop
      {"abcd\tx", {{0, "abcd"}, {30, "x"}}},  // past the last stop: a blank on
      {"\tx", {{10, "x"}}},                   // a leading tab
      {"\t\tx", {{20, "x"}}},                 // an empty column
      {"x\t", {{0, "x"}}},                    // nothing after the tab
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(LayOutTabbedLine(c.line, stops, six), c.pieces);
  }
  // Text that ends exactly on a stop goes on to the next one.
  const int exact[] = {12, 20};
  EXPECT_EQ(LayOutTabbedLine("ab\tx", exact, six),
            (std::vector<TabbedPiece>{{0, "ab"}, {20, "x"}}));
}

TEST_F(FamilyLinesTest, MarriagesForLinesFallIntoTheirColumns) {
  const std::int32_t her = Add("Berg", "Liv", 'F');
  const std::int32_t m1 = Marry(Add("Dahl", "Odd", 'M'), her);
  SetMarriageEvent(m1, Date(1950, 6, 7), "X");
  const std::int32_t m2 = Marry(0, her);
  const auto lines = MarriageChoices(her, false);
  ASSERT_EQ(lines.size(), 2u);
  const plat::FixedWidthTextMeasure six(6);
  const std::string date = Cols(1950, 6, 7);
  ASSERT_EQ(date.find('\t'), 0u) << "no qualifier: the date starts with its tab";
  // MRIN, spouse at 36, then the qualifier, day, month and year columns.
  std::vector<TabbedPiece> expected = {{0, std::to_string(m1)}, {36, "Odd Dahl"}};
  const std::string day = date.substr(1, date.find('\t', 1) - 1);
  expected.push_back({319, day});
  expected.push_back({336, "Jun"});
  expected.push_back({358, "1950"});
  EXPECT_EQ(LayOutTabbedLine(lines[0].text, kMarriagesForTabStops, six), expected);
  EXPECT_EQ(LayOutTabbedLine(lines[1].text, kMarriagesForTabStops, six),
            (std::vector<TabbedPiece>{{0, std::to_string(m2)}, {36, "UNKNOWN"}}));
  // "Add Marriage" stands in the spouse column.
  EXPECT_EQ(AddMarriageLine(), "\tAdd Marriage");
  EXPECT_EQ(LayOutTabbedLine(AddMarriageLine(), kMarriagesForTabStops, six),
            (std::vector<TabbedPiece>{{36, "Add Marriage"}}));
}

// With the list's measure each name is fitted into its column; a name that
// fits stays whole.
TEST_F(FamilyLinesTest, NamesAreFittedIntoTheirColumns) {
  const plat::FixedWidthTextMeasure eight(8);
  CIndividualRecord longOne;
  longOne.givenNames[0] = "Bartholomew";
  longOne.givenNames[1] = "Maximilian";
  longOne.givenNames[2] = "Augustinus";
  const std::int32_t him = Add(longOne, "Vandermeulenbroek", "Bartholomew", 'M');
  const std::int32_t her = Add("Berg", "Liv", 'F');
  const std::int32_t mrin = Marry(him, her);
  const std::int32_t child = Add("Berg", "Ola", 'M');
  ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, mrin), 0);
  CIndividualRecord whole;
  ASSERT_EQ(family::Read(whole, him), 1);
  const std::string full = whole.GetName(0, false, 0, false);
  ASSERT_GT(eight.TextWidth(full), 280);

  // The name in a line: after the text up to `from`, before the next tab
  // (or "/" for a parent pair).
  auto nameIn = [](const std::string& line, const std::string& from, char end) {
    const std::size_t at = line.find(from);
    EXPECT_NE(at, std::string::npos) << line;
    const std::size_t start = at + from.size();
    return line.substr(start, line.find(end, start) - start);
  };
  struct Case {
    const char* what;
    std::string name;
    int pixels;
  };
  COrderList spouses;
  spouses.Load(her, COrderList::kSpouses, 0);
  const auto families = FamiliesForLines(child, &eight);
  ASSERT_GE(families.size(), 2u);
  const Case cases[] = {
      {"Marriages for", nameIn(MarriageChoices(her, false, &eight)[0].text, "\t", '\t'), 280},
      {"Spouse Order", nameIn(spouses.LineText(0, &eight), "", '\t'), 200},
      {"Families for, a parent", nameIn(families[1].text, "parents ", '/'), 135},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_LE(eight.TextWidth(c.name), c.pixels);
    EXPECT_NE(c.name, full);
    // The surname is kept whole where it fits.
    if (eight.TextWidth("Vandermeulenbroek") <= c.pixels) {
      EXPECT_NE(c.name.find("Vandermeulenbroek"), std::string::npos) << c.name;
    }
  }
  // Her name fits: whole, as without a measure.
  EXPECT_EQ(nameIn(FamiliesForLines(child, &eight)[1].text, "/", '\t'), "Liv Berg");
  EXPECT_EQ(MarriageChoices(him, false, &eight)[0].text, MarriageChoices(him, false)[0].text);
}

}  // namespace
