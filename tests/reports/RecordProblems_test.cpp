// The Possible Record Problems rules, each raised and not raised at its
// boundary, and the pass that pages their lines.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DateValue.h"
#include "ListPagination.h"
#include "RecordProblems.h"
#include "ReportFamilies.h"
#include "StringTable.h"
#include "TempleTable.h"

namespace {

CDateValue D(int year, int month = 0, int day = 0) {
  CDateValue d;
  d.year = static_cast<std::uint16_t>(year);
  d.month = static_cast<std::uint8_t>(month);
  d.day = static_cast<std::uint8_t>(day);
  return d;
}

std::string Rule(unsigned id) { return res::LoadString(id); }

TEST(CompareProblemDates, PartialDatesDoNotCompare) {
  struct Case {
    CDateValue a, b;
    int expected;
  };
  const Case cases[] = {
      {D(1900), D(1900, 3), -2},           // one month, same year
      {D(1900, 3, 5), D(1950, 3), -2},     // one day, same month, any year
      {D(0, 3, 5), D(1950, 3, 5), -2},     // no year
      {D(1901), D(1900, 3), 1},            // years decide
      {D(1900, 1, 1), D(1900, 1, 2), -1},  // days decide
      {D(1900, 2), D(1900, 1), 1},         // months decide
      {D(1900, 4, 6), D(1900, 4, 6), 0},
      {D(1900, 3, 5), D(1900, 4), -1},  // a day, different months: compared
  };
  for (const Case& c : cases)
    EXPECT_EQ(rpt::CompareProblemDates(c.a, c.b), c.expected)
        << c.a.year << "-" << int(c.a.month) << "-" << int(c.a.day);
}

TEST(RecordProblemMrins, AListEndsInDotsUnder64Characters) {
  std::string list;
  for (int mrin = 10000; mrin < 10020; ++mrin) rpt::CRecordProblemChecker::AddMrin(list, mrin);
  EXPECT_LT(list.size(), 64u);
  EXPECT_EQ(list.substr(list.size() - 3), "...");
  EXPECT_EQ(list.substr(0, 14), "10000, 10001, ");
  const std::string before = list;
  rpt::CRecordProblemChecker::AddMrin(list, 7);
  EXPECT_EQ(list, before) << "nothing after the dots";
}

class RecordProblems : public ReportFamiliesFixture {
 protected:
  void TearDown() override {
    rpt::CleanupListPages();
    ReportFamiliesFixture::TearDown();
  }
  static std::vector<std::string> Lines(const CIndividualRecord& record,
                                        const rpt::RecordProblemOptions& options = {}) {
    std::vector<std::string> lines;
    const int n = rpt::CRecordProblemChecker::Check(
        static_cast<std::int32_t>(record.GetRecordNumber()), options, &lines, &record, 0);
    EXPECT_EQ(n, static_cast<int>(lines.size()));
    return lines;
  }
};

TEST_F(RecordProblems, OwnDateRulesAtTheirBoundaries) {
  // Today is 3 Jul 2001.
  struct Case {
    const char* what;
    CDateValue birth, chr, death, burial, baptism, endowment;
    std::vector<unsigned> expected;
  };
  const CDateValue none;
  const Case cases[] = {
      {"bare year against a month", D(1900), D(1900, 3), none, none, none, none, {}},
      {"birth after christening", D(1900, 5, 5), D(1900, 1, 1), none, none, none, none, {3277}},
      {"christening exactly ten years on",
       D(1900, 1, 1),
       D(1910, 1, 1),
       none,
       none,
       none,
       none,
       {7086}},
      {"christening a day short of ten years",
       D(1900, 1, 1),
       D(1909, 12, 31),
       none,
       none,
       none,
       none,
       {}},
      {"death after burial", none, none, D(1950, 5, 1), D(1950, 4, 30), none, none, {3294}},
      {"baptism in 1829", none, none, none, none, D(1829), none, {3296}},
      {"baptism a bare 1830 does not compare", none, none, none, none, D(1830), none, {}},
      {"baptism on 5 Apr 1830", none, none, none, none, D(1830, 4, 5), none, {3296}},
      {"baptism on 6 Apr 1830", none, none, none, none, D(1830, 4, 6), none, {}},
      {"endowment in 1841", none, none, none, none, none, D(1841, 6, 1), {3297}},
      {"endowment in 1842", none, none, none, none, none, D(1842), {}},
      {"baptism after today", none, none, none, none, D(2001, 7, 4), none, {3299}},
      {"baptism before eight", D(1900, 1, 1), none, none, none, D(1907, 12, 31), none, {5339}},
      {"baptism at eight", D(1900, 1, 1), none, none, none, D(1908, 1, 1), none, {}},
      {"birth after endowment, before eight",
       D(1950, 1, 1),
       none,
       none,
       none,
       none,
       D(1949, 1, 1),
       {3282, 5521}},
  };
  for (const Case& c : cases) {
    CIndividualRecord r;
    r.birth.date = c.birth;
    r.christening.date = c.chr;
    r.death.date = c.death;
    r.burial.date = c.burial;
    r.baptism.date = c.baptism;
    r.endowment.date = c.endowment;
    std::vector<std::string> expected;
    for (unsigned id : c.expected) expected.push_back(Rule(id));
    EXPECT_EQ(Lines(r), expected) << c.what;
  }
}

TEST_F(RecordProblems, StatusesAreNoDatesAndZelRulesNeedTheOption) {
  CIndividualRecord r;
  r.birth.date = D(1950, 1, 1);
  r.baptism.date.Set(0, CDateValue::kStatusCompleted);
  r.endowment.date.Set(0, CDateValue::kStatusSubmitted);
  EXPECT_TRUE(Lines(r).empty());
  r.baptism.date = D(1829);
  rpt::RecordProblemOptions noZel;
  noZel.checkZel = 0;
  EXPECT_TRUE(Lines(r, noZel).empty());
  EXPECT_FALSE(Lines(r).empty());
}

TEST_F(RecordProblems, TemplesOnlyOfTheTableAreChecked) {
  auto temple = std::make_unique<CTempleEntry>();
  temple->code = "QTEST";
  temple->openingDate = D(1950, 1, 1);
  TempleTable().SetAt(std::move(temple));
  struct Case {
    const char* code;
    CDateValue date;
    bool raised;
  };
  const Case cases[] = {{"QTEST", D(1949, 12, 31), true},
                        {"QTEST", D(1950, 1, 1), false},
                        {"NOSUCH", D(1900, 1, 1), false}};
  for (const Case& c : cases) {
    CIndividualRecord r;
    r.endowment.date = c.date;
    r.endowment.templeCode = c.code;
    const auto lines = Lines(r);
    EXPECT_EQ(std::find(lines.begin(), lines.end(), Rule(5291)) != lines.end(), c.raised)
        << c.code << " " << c.date.year;
  }
}

TEST_F(RecordProblems, SpousesApartByMoreThanTheSpanAfterTheExactYears) {
  struct Case {
    CDateValue husband, wife;
    bool raised;
  };
  const Case cases[] = {
      {D(1900, 1, 1), D(1915, 1, 1), false},  // exactly 15 years
      {D(1900, 1, 1), D(1915, 1, 2), true},   // a day later
      {D(1915, 1, 2), D(1900, 1, 1), true},   // either one the elder
      {D(1900), D(1915, 6, 1), false},        // 1915 against a bare 1900: 15 years by year
      {D(1900, 1, 1), D(1900), false},        // not comparable
  };
  for (const Case& c : cases) {
    CIndividualRecord h, w;
    h.surname = "Hart";
    h.sex = 'M';
    h.birth.date = c.husband;
    w.surname = "Wren";
    w.sex = 'F';
    w.birth.date = c.wife;
    const auto hr = static_cast<std::int32_t>(family::Add(h, 0));
    const auto wr = static_cast<std::int32_t>(family::Add(w, 0));
    const std::int32_t mrin = Marry(hr, wr);
    CIndividualRecord read;
    ASSERT_EQ(family::Read(read, hr), 1);
    const auto lines = Lines(read);
    const std::string text =
        "Age between husband and wife is greater than 15 years in marriage(s):";
    if (c.raised) {
      ASSERT_EQ(lines.size(), 2u) << c.husband.year;
      EXPECT_EQ(lines[0], text);
      EXPECT_EQ(lines[1], "MRIN: " + std::to_string(mrin));
    } else {
      EXPECT_TRUE(lines.empty()) << c.husband.year << " " << c.wife.year;
    }
  }
}

TEST_F(RecordProblems, MarriageAndChildRules) {
  const std::int32_t man = Person("Adam", "Ames", 'M', 1900, 1960);
  const std::int32_t w1 = Person("Bea", "Ames", 'F', 1902);
  const std::int32_t w2 = Person("Cleo", "Cole", 'F', 1905);
  const std::int32_t w3 = Person("Dora", "Dane", 'F', 1906);
  const std::int32_t m1 = Marry(man, w1);
  const std::int32_t m2 = Marry(man, w2);
  const std::int32_t m3 = Marry(man, w3);
  auto setDate = [](std::int32_t mrin, const CDateValue& date) {
    CMarriageRecord m;
    ASSERT_EQ(family::Read(m, mrin), 1);
    m.marriage.date = date;
    ASSERT_EQ(family::Update(m, 0), 1);
  };
  setDate(m1, D(1925, 6, 1));
  setDate(m2, D(1920, 6, 1));  // earlier than the first: out of order
  setDate(m3, D(1930, 6, 1));
  // Children of the second marriage: one born at 14, then an elder after a younger.
  Child(m2, Person("Eli", "Ames", 'M', 1930));
  Child(m2, Person("Fay", "Ames", 'F', 1914));
  Child(m3, Person("Gus", "Ames", 'M', 1962));  // after the father's death
  CIndividualRecord r;
  ASSERT_EQ(family::Read(r, man), 1);
  r.birth.date = D(1900, 5, 14);
  r.death.date = D(1960, 11, 2);
  const auto lines = Lines(r);
  const std::vector<std::string> expected = {
      Rule(3306),
      Rule(3307),
      "MRIN: " + std::to_string(m2),
      "Was not between 16 and 45 when children were born in marriage(s):",
      "MRIN: " + std::to_string(m2),
      Rule(4563),
      Rule(3989),
      "MRIN: " + std::to_string(m3),
  };
  EXPECT_EQ(lines, expected);
  rpt::RecordProblemOptions noOrder;
  noOrder.checkOrder = 0;
  const auto withoutOrder = Lines(r, noOrder);
  EXPECT_EQ(withoutOrder.size(), expected.size() - 3);
}

TEST_F(RecordProblems, BirthAfterAMarriageListsItsMrin) {
  const std::int32_t him = Person("Hal", "Hunt", 'M', 1950);
  const std::int32_t her = Person("Ida", "Ives", 'F', 1930);
  const std::int32_t mrin = Marry(him, her);
  CMarriageRecord m;
  ASSERT_EQ(family::Read(m, mrin), 1);
  m.marriage.date = D(1948, 3, 1);
  ASSERT_EQ(family::Update(m, 0), 1);
  CIndividualRecord r;
  ASSERT_EQ(family::Read(r, him), 1);
  const auto lines = Lines(r);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], Rule(3302));
  EXPECT_EQ(lines[1], "MRIN: " + std::to_string(mrin));
}

TEST_F(RecordProblems, APageEntryAtEveryPageBoundaryOfLongIndividuals) {
  // Two lines for the first person, six for the second: with three lines a
  // page, the second person starts on page 1 and runs over pages 2 and 3.
  CIndividualRecord a;
  a.surname = "Two";
  a.birth.date = D(1900, 5, 5);
  a.christening.date = D(1900, 1, 1);
  a.baptism.date = D(2005, 1, 1);
  const auto ar = static_cast<std::int32_t>(family::Add(a, 0));
  CIndividualRecord b;
  b.surname = "Six";
  b.birth.date = D(1900, 5, 5);
  b.christening.date = D(1900, 4, 1);
  b.death.date = D(1900, 3, 1);
  b.burial.date = D(1900, 2, 1);
  const auto br = static_cast<std::int32_t>(family::Add(b, 0));
  Person("Clean", "Person", 'M', 1900);
  std::vector<std::string> lines;
  ASSERT_EQ(rpt::CRecordProblemChecker::Check(ar, {}, nullptr, nullptr, 0), 2);
  ASSERT_EQ(rpt::CRecordProblemChecker::Check(br, {}, &lines, nullptr, 0), 6);

  EXPECT_EQ(rpt::PaginateRecordProblems(1, 100, {}, 3), 3);
  struct Page {
    std::int32_t entry, line;
  };
  const Page pages[] = {{0, 1}, {1, 2}, {1, 5}};
  for (int p = 1; p <= 3; ++p) {
    rpt::ProblemPageStart start;
    ASSERT_TRUE(rpt::GetProblemPage(p, start)) << p;
    EXPECT_EQ(start.entry, pages[p - 1].entry) << p;
    EXPECT_EQ(start.line, pages[p - 1].line) << p;
  }
  std::int32_t rin = 0, count = 0;
  ASSERT_TRUE(rpt::ReadProblemEntry(1, rin, count));
  EXPECT_EQ(rin, br);
  EXPECT_EQ(count, 6);
  EXPECT_FALSE(rpt::ReadProblemEntry(2, rin, count)) << "the clean person writes no entry";
  // From a given line on, only the rest is written.
  lines.clear();
  EXPECT_EQ(rpt::CRecordProblemChecker::Check(br, {}, &lines, nullptr, 5), 6);
  EXPECT_EQ(lines.size(), 2u);
}

TEST_F(RecordProblems, ARangeWithoutProblemsHasNoPages) {
  BuildCouples();
  EXPECT_EQ(rpt::PaginateRecordProblems(1, 100, {}, 50), 0);
}

}  // namespace

namespace {

TEST_F(RecordProblems, ParentsMarriageYoungMarriageAndSealingsToSpouse) {
  // Rule 39: born before the parents married; rule 40: married at eleven;
  // rules 22 and 23: a sealing to spouse before 1842 and one after today.
  const std::int32_t dad = Person("Dan", "Dix", 'M', 1870);
  const std::int32_t mum = Person("Meg", "Moe", 'F', 1872);
  const std::int32_t parents = Marry(dad, mum);
  const std::int32_t kid = Person("Kit", "Dix", 'M', 1895);
  Child(parents, kid);
  auto setMarriage = [](std::int32_t mrin, const CDateValue& date, const CDateValue& sealing) {
    CMarriageRecord m;
    ASSERT_EQ(family::Read(m, mrin), 1);
    m.marriage.date = date;
    m.sealingToSpouse.date = sealing;
    ASSERT_EQ(family::Update(m, 0), 1);
  };
  setMarriage(parents, D(1896, 1, 1), CDateValue());
  const std::int32_t early = Marry(kid, Person("Ann", "Ash", 'F', 1896));
  setMarriage(early, D(1906, 5, 14), D(1840, 1, 1));
  const std::int32_t later = Marry(kid, Person("Bea", "Bow", 'F', 1897));
  setMarriage(later, D(1930, 1, 1), D(2002, 1, 1));
  CIndividualRecord r;
  ASSERT_EQ(family::Read(r, kid), 1);
  const auto lines = Lines(r);
  const std::vector<std::string> expected = {
      Rule(3303),  // married 1906, sealed 1840: marriage later than the sealing
      "MRIN: " + std::to_string(early),
      Rule(3304),
      "MRIN: " + std::to_string(early),
      Rule(3305),
      "MRIN: " + std::to_string(later),
      Rule(4564),
      Rule(3612),
  };
  EXPECT_EQ(lines, expected);
}

TEST_F(RecordProblems, OwnEventsAgainstBirthDeathAndTheirOwnRange) {
  struct Case {
    const char* what;
    CDateValue first, second;
    std::vector<unsigned> expected;
  };
  const Case cases[] = {
      {"a year before birth", D(1899, 5, 14), CDateValue(), {5330}},
      {"a day less than a year before", D(1899, 5, 15), CDateValue(), {}},
      {"ten years after death", D(1960, 11, 2), CDateValue(), {}},
      {"more than ten years after death", D(1960, 11, 3), CDateValue(), {5331}},
      {"to before from", D(1930, 1, 1), D(1920, 1, 1), {5332}},
  };
  for (const Case& c : cases) {
    const std::int32_t rin = Person("Eve", "Event", 'F', 1900, 1950);
    AddIndividualUserEvent(rin, std::string("Kind ") + c.what, 2, false, [&](CUserEventRecord& e) {
      e.GetDate()->Assign(c.first);
      e.secondDate = c.second;
    });
    CIndividualRecord r;
    ASSERT_EQ(family::Read(r, rin), 1);
    std::vector<std::string> expected;
    for (unsigned id : c.expected) expected.push_back(Rule(id));
    EXPECT_EQ(Lines(r), expected) << c.what;
  }
}

}  // namespace
