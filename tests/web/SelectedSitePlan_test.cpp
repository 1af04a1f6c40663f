#include <gtest/gtest.h>

#include "ReportFamilies.h"
#include "SelectedSitePlan.h"

namespace {

class SelectedSitePlanTest : public ReportFamiliesFixture {
 protected:
  static void Select(std::vector<bool>& set, std::int32_t rin) {
    if (static_cast<std::size_t>(rin) >= set.size()) set.resize(rin + 1);
    set[rin] = true;
  }
};

TEST_F(SelectedSitePlanTest, CoupleOnAFamilyPageLonerOnTheNext) {
  const std::int32_t husband = Person("Adam", "Ames", 'M', 1800, 1870);
  const std::int32_t wife = Person("Beth", "Ames", 'F', 1802, 1880);
  const std::int32_t mrin = Marry(husband, wife);
  const std::int32_t loner = Person("Carl", "Cole", 'M', 1810, 1890);
  const std::int32_t unselected = Person("Dora", "Dale", 'F', 1811, 1891);
  std::vector<bool> selected;
  for (std::int32_t rin : {husband, wife, loner}) Select(selected, rin);
  const web::SelectedSitePlan plan = web::CollectSelectedPages(selected);
  EXPECT_EQ(plan.pageCount, 2);
  EXPECT_EQ(plan.familyStarts, std::vector<std::int32_t>{mrin});
  EXPECT_EQ(plan.personStarts, std::vector<std::int32_t>{loner});
  EXPECT_EQ(plan.firstPersonPage, 2);
  EXPECT_TRUE(plan.IsMember(husband) && plan.IsMember(wife));
  EXPECT_FALSE(plan.IsMember(loner) || plan.IsMember(unselected));
  EXPECT_EQ(plan.FindFamilyPage(husband, mrin), 1);
  EXPECT_EQ(plan.FindFamilyPage(loner, 0), 2);
}

TEST_F(SelectedSitePlanTest, FamilyNeedsTwoSelectedMembers) {
  const std::int32_t father = Person("Ed", "Eyre", 'M', 1800, 1870);
  const std::int32_t mother = Person("Fay", "Eyre", 'F', 1800, 1870);
  const std::int32_t child = Person("Gus", "Eyre", 'M', 1830, 1900);
  const std::int32_t mrin = Marry(father, mother);
  Child(mrin, child);
  struct Case {
    std::vector<std::int32_t> chosen;
    bool placed;
  } cases[] = {
      {{father}, false}, {{father, child}, true}, {{mother, child}, true}, {{child}, false}};
  for (const Case& c : cases) {
    std::vector<bool> selected;
    for (std::int32_t rin : c.chosen) Select(selected, rin);
    const web::SelectedSitePlan plan = web::CollectSelectedPages(selected);
    EXPECT_EQ(plan.IsPlaced(mrin), c.placed);
    EXPECT_EQ(plan.pageCount, 1);
    EXPECT_EQ(plan.firstPersonPage, c.placed ? 0 : 1);
  }
}

TEST_F(SelectedSitePlanTest, ElevenFamiliesGiveTwoPages) {
  std::vector<bool> selected;
  std::vector<std::int32_t> families;
  for (int i = 0; i < 11; ++i) {
    const std::int32_t h = Person("H" + std::to_string(i), "Hart", 'M', 1800, 1860);
    const std::int32_t w = Person("W" + std::to_string(i), "Hart", 'F', 1800, 1860);
    families.push_back(Marry(h, w));
    Select(selected, h);
    Select(selected, w);
  }
  const web::SelectedSitePlan plan = web::CollectSelectedPages(selected);
  EXPECT_EQ(plan.pageCount, 2);
  ASSERT_EQ(plan.familyStarts.size(), 2u);
  EXPECT_EQ(plan.familyStarts[1], families[10]);
  EXPECT_EQ(plan.FindFamilyPage(0, families[9]), 1);
  EXPECT_EQ(plan.FindFamilyPage(0, families[10]), 2);
}

TEST_F(SelectedSitePlanTest, ThirtyOneIndividualsGiveTwoPages) {
  std::vector<bool> selected;
  std::vector<std::int32_t> people;
  for (int i = 0; i < 31; ++i) {
    people.push_back(Person("P" + std::to_string(i), "Page", 'M', 1800, 1860));
    Select(selected, people.back());
  }
  const web::SelectedSitePlan plan = web::CollectSelectedPages(selected);
  EXPECT_EQ(plan.pageCount, 2);
  EXPECT_EQ(plan.firstPersonPage, 1);
  EXPECT_EQ(plan.FindFamilyPage(people[29], 0), 1);
  EXPECT_EQ(plan.FindFamilyPage(people[30], 0), 2);
  EXPECT_EQ(plan.FindFamilyPage(0, 0), 0);
}

}  // namespace
