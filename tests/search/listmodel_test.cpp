// The list models on family files built through the database calls: the
// range, the start, the RIN and name searches, the order switch, the line
// texts and the Marriages Search List.

#include <gtest/gtest.h>

#include "BitSet.h"
#include "DetailPane.h"
#include "FilterSet.h"
#include "IndividualListModel.h"
#include "KinFixture.h"
#include "MarriageRecord.h"
#include "SealToSpouseStatus.h"
#include "TextMeasure.h"
#include "ZelQualification.h"

TEST(SearchNameSplit, BarOrCommaSeparateAndBlanksCollapse) {
  struct Case {
    const char* text;
    const char* surname;
    const char* given;
  };
  const Case cases[] = {
      {"Lind, Ada", "Lind", "Ada"},
      {"Lind|Ada", "Lind", "Ada"},
      {"  Lind  |  Ada  ", "Lind", "Ada"},
      {"Van   der  Berg,  Ada   Mae ", "Van der Berg", "Ada Mae"},
      {"Lind", "Lind", ""},
      {"Lind|Ada, Mae", "Lind", "Ada, Mae"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    const SearchNameParts parts = SplitSearchName(c.text);
    EXPECT_EQ(parts.surname, c.surname) << c.text;
    EXPECT_EQ(parts.given, c.given) << c.text;
  }
}

class IndividualListModelTest : public KinFamilyFixture {
 protected:
  // 40 individuals: surnames A00 .. A39 in RIN order reversed, so that
  // name order runs against RIN order.
  void Build(int count) {
    for (int i = 0; i < count; ++i) {
      char surname[16];
      std::snprintf(surname, sizeof surname, "N%02d", count - 1 - i);
      rins.push_back(Person("Ada", 'F', 1800 + i, surname));
    }
  }
  std::vector<std::int32_t> rins;
};

TEST_F(IndividualListModelTest, BadRangeTakesTheLiveIndividualsAndAnEmptyFileFails) {
  CIndividualListModel empty;
  EXPECT_FALSE(empty.SetRinRange(0, 0));
  Build(5);
  ASSERT_EQ(DbDeleteRecord(rins[0], db::kIndividual), 1);
  CIndividualListModel model;
  ASSERT_TRUE(model.SetRinRange(0, 99));
  EXPECT_EQ(model.LowestRin(), rins[1]);
  EXPECT_EQ(model.HighestRin(), rins[4]);
}

TEST_F(IndividualListModelTest, RinSearchClampsAndEmptyGoesToTheLowest) {
  Build(40);
  CIndividualListModel model;
  ASSERT_TRUE(model.SetRinRange(1, 40));
  ASSERT_TRUE(model.Start(20, ""));
  EXPECT_EQ(model.SelectedRin(), 20);
  EXPECT_EQ(model.Pager().Keys().front(), 12);
  const std::pair<const char*, std::int32_t> cases[] = {
      {"35", 35}, {"999", 40}, {"", 1}, {"0", 1}, {"-5", 1}, {"7", 7}, {"39", 39}};
  for (auto [text, rin] : cases) {
    model.SearchRin(text);
    EXPECT_EQ(model.SelectedRin(), rin) << text;
    EXPECT_EQ(model.Pager().LineOf(rin), model.Pager().Selected()) << text;
  }
  // A deleted RIN refills from it and selects nothing new.
  ASSERT_EQ(DbDeleteRecord(30, db::kIndividual), 1);
  model.SearchRin("1");
  model.SearchRin("30");
  // 31 to 40 forward, topped up backward over the gap.
  EXPECT_EQ(model.Pager().Keys().front(), 24);
  EXPECT_EQ(model.Pager().Keys().back(), 40);
  EXPECT_EQ(model.Pager().LineOf(30), -1);
  EXPECT_EQ(model.Pager().Selected(), -1);
}

TEST_F(IndividualListModelTest, NameOrderStartsOnTheStartRinAndSearchesByName) {
  Build(40);
  CIndividualListModel model;
  ASSERT_TRUE(model.SetRinRange(1, 40));
  ASSERT_TRUE(model.SetOrder(CIndividualListModel::kNameOrder));
  // RIN 1 is "N39": the last name.
  ASSERT_TRUE(model.Start(1, ""));
  EXPECT_EQ(model.SelectedRin(), 1);
  EXPECT_TRUE(model.Pager().AtLast());
  struct Case {
    const char* text;
    std::int32_t rin;
  };
  // Surname Nkk belongs to RIN 40 - kk.
  const Case cases[] = {
      {"N20", 20}, {"N20|Ada", 20}, {"  N05 ,  Ada ", 35}, {"N05|Bo", 34}, {"N00", 40},
      {"A", 40},   {"Zed", 1},      {"N25", 15},           {"N39", 1},     {"N10, Aaron", 30},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(model.SearchName(c.text)) << c.text;
    EXPECT_EQ(model.SelectedRin(), c.rin) << c.text;
  }
}

TEST_F(IndividualListModelTest, NameOrderOpensOnTheStartNameWithoutARin) {
  Build(30);
  CIndividualListModel model;
  ASSERT_TRUE(model.SetRinRange(1, 30));
  ASSERT_TRUE(model.SetOrder(CIndividualListModel::kNameOrder));
  ASSERT_TRUE(model.Start(0, "N12, Ada"));
  EXPECT_EQ(model.SelectedRin(), 18);
  // Starting without RIN or name opens at the first key.
  ASSERT_TRUE(model.Start(0, ""));
  EXPECT_EQ(model.SelectedRin(), 30);
}

// A typed name finds the same line whatever its letter case.
TEST_F(IndividualListModelTest, TypedNamesFindTheirLineInAnyCase) {
  const std::int32_t eva = Person("Eva", 'F', 1800, "Holm");
  const std::int32_t anders = Person("Anders", 'M', 1801, "Lindqvist");
  const std::int32_t greta = Person("Greta", 'F', 1802, "Lindqvist");
  const std::int32_t per = Person("Per", 'M', 1803, "Lindqvist");
  const std::int32_t ulf = Person("Ulf", 'M', 1804, "Nyberg");
  CIndividualListModel model;
  ASSERT_TRUE(model.SetRinRange(eva, ulf));
  ASSERT_TRUE(model.SetOrder(CIndividualListModel::kNameOrder));
  ASSERT_TRUE(model.Start(eva, ""));
  struct Case {
    const char* text;
    std::int32_t rin;
  };
  const Case cases[] = {
      {"Lindqvist, Per", per}, {"lindqvist, per", per}, {"lindqvist|per", per},
      {"LINDQVIST|PER", per},  {"lindqvist, g", greta}, {"lindqvist", anders},
      {"holm", eva},           {"lindqvist, q", ulf},   {"NYBERG", ulf},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(model.SearchName(c.text)) << c.text;
    EXPECT_EQ(model.SelectedRin(), c.rin) << c.text;
  }
}

TEST_F(IndividualListModelTest, SwitchingOrderKeepsTheCurrentIndividual) {
  Build(40);
  CIndividualListModel model;
  ASSERT_TRUE(model.SetRinRange(1, 40));
  ASSERT_TRUE(model.Start(25, ""));
  ASSERT_TRUE(model.SwitchOrder(CIndividualListModel::kNameOrder));
  EXPECT_EQ(model.GetOrder(), CIndividualListModel::kNameOrder);
  EXPECT_EQ(model.SelectedRin(), 25);
  EXPECT_EQ(model.Pager().Selected(), 8);
  model.Pager().Select(0);
  const std::int32_t rin = model.SelectedRin();
  ASSERT_TRUE(model.SwitchOrder(CIndividualListModel::kRinOrder));
  EXPECT_EQ(model.SelectedRin(), rin);
  EXPECT_EQ(model.SearchTextFor(rin, nullptr), std::to_string(rin));
}

TEST_F(IndividualListModelTest, EmptyNameIndexKeepsRinOrder) {
  CIndividualListModel model;
  EXPECT_FALSE(model.SetOrder(CIndividualListModel::kNameOrder));
  EXPECT_EQ(model.GetOrder(), CIndividualListModel::kRinOrder);
}

TEST_F(IndividualListModelTest, LineTextCarriesMarkRinNameAndKeyEvent) {
  Build(3);
  CFilterSet filter;
  filter.relationFilterPresent = 1;
  filter.CreateSet(CFilterSet::kRelationSet, 3);
  filter.SetInSet(CFilterSet::kRelationSet, 2, 1);
  CIndividualListModel model;
  ASSERT_TRUE(model.SetRinRange(1, 3));
  ASSERT_TRUE(model.Start(1, ""));
  EXPECT_EQ(model.LineText(0, &filter, nullptr), " \t     1\tN02, Ada\tb.1800");
  EXPECT_EQ(model.LineText(1, &filter, nullptr), "\xBB\t     2\tN01, Ada\tb.1801");
  EXPECT_EQ(model.LineText(1, nullptr, nullptr)[0], ' ');
}

TEST_F(IndividualListModelTest, ResultsOnlyListsMembersInEitherOrder) {
  Build(40);
  CBitSet set;
  set.Init(41);
  for (std::int32_t rin : {3, 9, 10, 33}) set.SetBit(rin, 1);
  CIndividualListModel model;
  ASSERT_TRUE(model.SetRinRange(1, 40));
  ASSERT_TRUE(model.SetResultsOnly(&set));
  ASSERT_TRUE(model.Start(20, ""));
  EXPECT_EQ(model.Pager().Keys(), (std::vector<std::int32_t>{3, 9, 10, 33}));
  ASSERT_TRUE(model.SwitchOrder(CIndividualListModel::kNameOrder));
  std::vector<std::int32_t> shown;
  for (std::int32_t key : model.Pager().Keys()) shown.push_back(model.RinOfKey(key));
  EXPECT_EQ(shown, (std::vector<std::int32_t>{33, 10, 9, 3}));
  CBitSet none;
  none.Init(41);
  EXPECT_FALSE(model.SetResultsOnly(&none));
  EXPECT_FALSE(model.Pager().Filtered());
}

class MarriageListModelTest : public KinFamilyFixture {};

TEST_F(MarriageListModelTest, PagesOf21AndSearchByMrin) {
  std::vector<std::int32_t> mrins;
  for (int i = 0; i < 30; ++i) mrins.push_back(Marry(Person("Al", 'M'), Person("Bea", 'F')));
  CMarriageListModel model;
  ASSERT_TRUE(model.SetRange(0, 0));
  ASSERT_TRUE(model.Start(15));
  EXPECT_EQ(model.Pager().Keys().size(), 21u);
  EXPECT_EQ(model.Pager().Keys().front(), 5);
  EXPECT_EQ(model.Pager().Keys()[static_cast<std::size_t>(model.Pager().Selected())], 15);
  model.Search("999");
  EXPECT_EQ(model.Pager().CurrentKey(), 30);
  model.Search("");
  EXPECT_EQ(model.Pager().CurrentKey(), 1);
  EXPECT_EQ(model.Pager().Scroll().maximum, 10);
}

TEST_F(MarriageListModelTest, LineShowsSpousesDateAndStatusOnlyWithAnEvent) {
  const std::int32_t m1 = Marry(Person("Al", 'M', 0, "Berg"), Person("Bea", 'F', 0, "Dahl"));
  const std::int32_t m2 = Marry(Person("Cy", 'M', 0, "Eck"), 0);
  CMarriageRecord record;
  ASSERT_EQ(DbGetRecord(m1, db::kMarriage, &record), 1);
  record.marriage.date.Set(1850, 6, 1);
  record.status = 'D';
  ASSERT_EQ(DbUpdateRecord(m1, db::kMarriage, &record), 1);
  ASSERT_EQ(DbGetRecord(m2, db::kMarriage, &record), 1);
  record.status = 'D';
  ASSERT_EQ(DbUpdateRecord(m2, db::kMarriage, &record), 1);
  CMarriageListModel model;
  ASSERT_TRUE(model.SetRange(0, 0));
  ASSERT_TRUE(model.Start(0));
  EXPECT_EQ(model.LineText(0, nullptr), "     1\tAl Berg\tBea Dahl\t1 Jun 1850 (Div)");
  EXPECT_EQ(model.LineText(1, nullptr), "     2\tCy Eck\t\t");
}

class DetailPaneTest : public KinFamilyFixture {};

TEST_F(DetailPaneTest, ShowsParentsWithTheirLabelAndTheFirstTwoSpouses) {
  const std::int32_t father = Person("Carl", 'M', 0, "Berg");
  const std::int32_t mother = Person("Dora", 'F', 1801, "Eck");
  CIndividualRecord record;
  ASSERT_EQ(DbGetIndividualRecord(father, record, 7), 1);
  record.christening.date.Set(1799, 4, 2);
  ASSERT_EQ(DbUpdateRecord(father, db::kIndividual, &record), 1);
  const std::int32_t parents = Marry(father, mother);
  const std::int32_t son = ChildOf(parents, "Emil", 'M', 1830);
  const std::int32_t wives[3] = {Person("Fay", 'F', 0, "Holm"), Person("Gro", 'F', 0, "Ivar"),
                                 Person("Hel", 'F', 0, "Juul")};
  for (std::int32_t wife : wives) Marry(son, wife);

  const CDetailPaneTexts pane = ReadDetailPane(son, nullptr);
  EXPECT_EQ(pane.name, "Emil Lind");  // ChildOf names the child Lind
  EXPECT_EQ(pane.sex, "M");
  EXPECT_EQ(pane.eventDate[0], "12 Mar 1830");
  EXPECT_EQ(pane.parentName[0], "Carl Berg");
  EXPECT_EQ(pane.parentLabel[0], "C:");
  EXPECT_EQ(pane.parentDate[0], "2 Apr 1799");
  EXPECT_EQ(pane.parentName[1], "Dora Eck");
  EXPECT_EQ(pane.parentLabel[1], "B:");
  EXPECT_EQ(pane.spouseName[0], "Fay Holm");
  EXPECT_EQ(pane.spouseName[1], "Gro Ivar");

  const CDetailPaneTexts none = ReadDetailPane(wives[2] + 100, nullptr);
  EXPECT_EQ(none.name, "");
}

class SealToSpouseTest : public KinFamilyFixture {};

TEST_F(SealToSpouseTest, ResultsOnlyLeavesOutSpousesOutsideTheSetButKeepsTheUnmarried) {
  const std::int32_t man = Person("Al", 'M', 1800);
  const std::int32_t inSet = Person("Bea", 'F', 1801, "Moe");
  const std::int32_t outside = Person("Cia", 'F', 1802, "Vik");
  const std::int32_t m1 = Marry(man, inSet);
  const std::int32_t m2 = Marry(man, outside);
  const std::int32_t m3 = Marry(man, 0);
  CMarriageRecord record;
  ASSERT_EQ(DbGetRecord(m1, db::kMarriage, &record), 1);
  record.marriage.date.Set(1825, 5, 4);
  record.marriage.place[0] = "Oslo";
  ASSERT_EQ(DbUpdateRecord(m1, db::kMarriage, &record), 1);
  CFilterSet filter;
  filter.relationFilterPresent = 1;
  filter.CreateSet(CFilterSet::kRelationSet, outside);
  filter.SetInSet(CFilterSet::kRelationSet, man, 1);
  filter.SetInSet(CFilterSet::kRelationSet, inSet, 1);

  const auto all = BuildSealToSpouseLines(man, &filter, false, nullptr);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].text.substr(0, all[0].text.find("\t", 20)),
            "\xBB\t     " + std::to_string(m1) + "\tBea Moe\t4 May 1825");
  EXPECT_EQ(all[1].text.substr(0, 1), " ");
  // No spouse: a blank mark, the MRIN and an empty name; no event: empty date and place.
  const std::string unmarried = " \t     " + std::to_string(m3) + "\t\t\t\t";
  EXPECT_EQ(all[2].text.substr(0, unmarried.size()), unmarried);
  const auto shown = BuildSealToSpouseLines(man, &filter, true, nullptr);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].mrin, m1);
  EXPECT_EQ(shown[1].mrin, m3);
  (void)m2;
}

TEST_F(SealToSpouseTest, ADoneSealingShowsItsDateAndTemple) {
  const std::int32_t man = Person("Al", 'M', 1800);
  const std::int32_t mrin = Marry(man, Person("Bea", 'F', 1801, "Moe"));
  CMarriageRecord record;
  ASSERT_EQ(DbGetRecord(mrin, db::kMarriage, &record), 1);
  record.sealingToSpouse.date.Set(1990, 2, 10);
  record.sealingToSpouse.templeCode = "LOGAN";
  ASSERT_EQ(DbUpdateRecord(mrin, db::kMarriage, &record), 1);
  const auto lines = BuildSealToSpouseLines(man, nullptr, false, nullptr);
  ASSERT_EQ(lines.size(), 1u);
  const std::string& text = lines[0].text;
  EXPECT_EQ(text.substr(text.size() - 17), "10 Feb 1990\tLOGAN");
}

// Long places keep to their columns: 192 pixels in the detail pane, 130 in
// a Seal to Spouse Status line.
TEST_F(DetailPaneTest, LongPlacesAreFittedToTheirColumns) {
  const plat::FixedWidthTextMeasure measure(8);
  const std::string parts[4] = {"Kirkby Stephen Over Hill", "Westmorland Upper Ward",
                                "Cumbria Region North West", "England and the Borders"};
  const std::int32_t man = Person("Al", 'M', 1800);
  CIndividualRecord person;
  ASSERT_EQ(DbGetIndividualRecord(man, person, 7), 1);
  for (int i = 0; i < 4; ++i) person.birth.place[i] = parts[i];
  ASSERT_EQ(DbUpdateRecord(man, db::kIndividual, &person), 1);
  const std::int32_t mrin = Marry(man, Person("Bea", 'F', 1801, "Moe"));
  CMarriageRecord marriage;
  ASSERT_EQ(DbGetRecord(mrin, db::kMarriage, &marriage), 1);
  marriage.marriage.date.Set(1825, 5, 4);
  for (int i = 0; i < 4; ++i) marriage.marriage.place[i] = parts[i];
  ASSERT_EQ(DbUpdateRecord(mrin, db::kMarriage, &marriage), 1);

  const std::string shown = ReadDetailPane(man, &measure).eventPlace[0];
  EXPECT_NE(shown.find("England"), std::string::npos) << shown;
  EXPECT_LE(measure.TextWidth(shown), 192) << shown;

  const auto lines = BuildSealToSpouseLines(man, nullptr, false, &measure);
  ASSERT_EQ(lines.size(), 1u);
  std::vector<std::string> fields;
  std::string rest = lines[0].text;
  for (std::size_t tab; (tab = rest.find('\t')) != std::string::npos; rest.erase(0, tab + 1))
    fields.push_back(rest.substr(0, tab));
  fields.push_back(rest);
  ASSERT_GE(fields.size(), 5u);
  EXPECT_NE(fields[4].find("England"), std::string::npos) << fields[4];
  EXPECT_LE(measure.TextWidth(fields[4]), 130) << fields[4];
}

TEST_F(DetailPaneTest, QualificationLinesReplaceTheOrdinances) {
  const std::int32_t living = Person("Al", 'M', 1990);
  CIndividualRecord record;
  ASSERT_EQ(DbGetIndividualRecord(living, record, 7), 1);
  record.endowment.date.Set(2001, 3, 4);
  record.endowment.templeCode = "LOGAN";
  ASSERT_EQ(DbUpdateRecord(living, db::kIndividual, &record), 1);
  const CDetailPaneTexts plain = ReadDetailPane(living, nullptr);
  EXPECT_EQ(plain.ordinanceDate[1], "4 Mar 2001");
  EXPECT_EQ(plain.ordinanceState[0], -1);
  const CDetailPaneTexts judged = ReadDetailPane(living, nullptr, true);
  // A done endowment shows its own date and temple.
  EXPECT_EQ(judged.ordinanceState[1], kZelNotNeeded);
  EXPECT_EQ(judged.ordinanceDate[1], "4 Mar 2001");
  EXPECT_EQ(judged.ordinanceTemple[1], "LOGAN");
  EXPECT_EQ(judged.ordinanceDate[0], GetZelHeadline(judged.ordinanceState[0]));
  EXPECT_NE(judged.ordinanceDate[0], "");
}
