// The Family Reunion Contact List preparation: who is listed, under which
// surname, in which order, and that the walk stays linear through cousin
// marriages.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FamilyReunion.h"
#include "ReportFamilies.h"

namespace {

// The database reads, counted.
class CountingSource : public rpt::ReunionSource {
 public:
  bool ReadIndividual(std::int32_t rin, CIndividualRecord& out) override {
    ++individuals;
    return ReunionSource::ReadIndividual(rin, out);
  }
  bool ReadMarriage(std::int32_t mrin, CMarriageRecord& out) override {
    ++marriages;
    return ReunionSource::ReadMarriage(mrin, out);
  }
  std::vector<std::int32_t> Children(std::int32_t mrin) override {
    ++childLists;
    return ReunionSource::Children(mrin);
  }
  int individuals = 0, marriages = 0, childLists = 0;
};

class FamilyReunion : public ReportFamiliesFixture {
 protected:
  void TearDown() override {
    rpt::CloseFamilyReunionWorkFile();
    ReportFamiliesFixture::TearDown();
  }
  static std::vector<std::int32_t> Listed() {
    std::vector<std::int32_t> out;
    for (std::int64_t i = 0; i < rpt::FamilyReunionCount(); ++i)
      out.push_back(rpt::GetFamilyReunionEntry(i));
    return out;
  }
  static void SetStatus(std::int32_t mrin, char status) { SetMarriageStatus(mrin, status); }
};

TEST_F(FamilyReunion, ContactKeysCollapseBlanks) {
  struct Case {
    const char *surname, *given, *key;
  };
  const Case cases[] = {
      {"Smith", "Ann", "SMITH ANN                       "},
      {"Abcdefghijklmnopq", "Zed", "ABCDEFGHIJKLMNOPZED             "},
      {"", "Solo", " SOLO                           "},
  };
  for (const Case& c : cases) {
    std::uint8_t out[rpt::kContactSortRecordSize];
    rpt::BuildContactKey(c.surname, c.given, 7, out);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 32), c.key);
    EXPECT_EQ(out[32], 7);
  }
}

TEST_F(FamilyReunion, ALivingStartPersonAloneIsAListOfOne) {
  const std::int32_t solo = Person("Solo", "Single", 'M', 1970);
  ASSERT_EQ(rpt::PrepareFamilyReunionList(solo), 1);
  EXPECT_EQ(Listed(), std::vector<std::int32_t>{solo});
  EXPECT_EQ(rpt::GetFamilyReunionEntry(1), 0) << "one past the end";
  EXPECT_EQ(rpt::PrepareFamilyReunionList(9999), 0) << "no such person";
}

TEST_F(FamilyReunion, WidowsMarriedWomenAndDeceasedSpouses) {
  // A deceased start person; his living widow remarried; a living married
  // daughter; a divorced daughter; a deceased son whose wife died too.
  const std::int32_t dad = Person("Abel", "Kent", 'M', 1900, 1970);
  const std::int32_t widow = Person("Mona", "Lee", 'F', 1930);
  const std::int32_t second = Person("Otto", "Zorn", 'M', 1928);
  const std::int32_t first = Marry(dad, widow);
  Marry(second, widow);
  const std::int32_t married = Person("Beth", "Kent", 'F', 1955);
  const std::int32_t divorced = Person("Cora", "Kent", 'F', 1957);
  const std::int32_t son = Person("Dirk", "Kent", 'M', 1950, 1990);
  for (std::int32_t child : {married, divorced, son}) Child(first, child);
  Marry(Person("Paul", "Adams", 'M', 1953), married);
  SetStatus(Marry(Person("Rex", "Ash", 'M', 1955), divorced), 'D');
  const std::int32_t sonsWife = Person("Vera", "Vale", 'F', 1951, 1995);
  const std::int32_t sonsMarriage = Marry(son, sonsWife);
  const std::int32_t grandchild = Person("Eve", "Kent", 'F', 1980);
  Child(sonsMarriage, grandchild);

  ASSERT_EQ(rpt::PrepareFamilyReunionList(dad), 1);
  // Beth under Adams; Cora, Eve and the widow Mona under Kent.
  EXPECT_EQ(Listed(), (std::vector<std::int32_t>{married, divorced, grandchild, widow}));
}

TEST_F(FamilyReunion, CousinMarriagesOverThreeGenerationsListEachPersonOnce) {
  // Two brothers marry outsiders; their children marry each other crosswise
  // (first cousins); the grandchildren marry crosswise again, so every
  // grandchild and great-grandchild descends along two or four lines.
  const std::int32_t root = Person("Root", "Hale", 'M', 1850, 1920);
  const std::int32_t top = Marry(root, Person("Ruth", "Hale", 'F', 1852, 1925));
  const std::int32_t a = Person("Adam", "Hale", 'M', 1880, 1950);
  const std::int32_t c = Person("Carl", "Hale", 'M', 1882, 1952);
  Child(top, a);
  Child(top, c);
  const std::int32_t fa = Marry(a, Person("Xena", "Oak", 'F', 1881, 1951));
  const std::int32_t fc = Marry(c, Person("Yola", "Elm", 'F', 1883, 1953));
  const std::int32_t a1 = Person("Abe", "Hale", 'M', 1910, 1980);
  const std::int32_t a2 = Person("Ada", "Hale", 'F', 1912, 1982);
  const std::int32_t c1 = Person("Cy", "Hale", 'M', 1911, 1981);
  const std::int32_t c2 = Person("Cleo", "Hale", 'F', 1913, 1983);
  Child(fa, a1);
  Child(fa, a2);
  Child(fc, c1);
  Child(fc, c2);
  const std::int32_t f1 = Marry(a1, c2);
  const std::int32_t f2 = Marry(c1, a2);
  const std::int32_t e = Person("Ed", "Hale", 'M', 1950);
  const std::int32_t g = Person("Gia", "Hale", 'F', 1951);
  const std::int32_t h = Person("Hal", "Hale", 'M', 1952);
  const std::int32_t i = Person("Ivy", "Hale", 'F', 1953);
  Child(f1, e);
  Child(f1, g);
  Child(f2, h);
  Child(f2, i);
  const std::int32_t j = Person("Jo", "Hale", 'M', 1980);
  const std::int32_t k = Person("Kim", "Hale", 'F', 1982);
  Child(Marry(e, i), j);
  Child(Marry(h, g), k);

  CountingSource counting;
  ASSERT_EQ(rpt::PrepareFamilyReunionList(root, &counting), 1);
  // The living, by given name under the one surname.
  EXPECT_EQ(Listed(), (std::vector<std::int32_t>{e, g, h, i, j, k}));
  // Each person is visited once and each marriage handled once: the reads
  // do not grow with the lines of descent.
  const int people = static_cast<int>(DbGetActiveRecordCount(db::kIndividual));
  const int marriages = static_cast<int>(DbGetActiveRecordCount(db::kMarriage));
  EXPECT_LE(counting.individuals, people + marriages * 2);
  EXPECT_LE(counting.marriages, marriages * 2);
  EXPECT_EQ(counting.childLists, marriages);
}

}  // namespace
