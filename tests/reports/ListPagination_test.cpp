// The list passes on small families: which records each kind selects, in
// which order, how pages are cut, and what happens when the sort fails.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DateValue.h"
#include "ListPagination.h"
#include "MergeWorkFile.h"
#include "OrdinanceNeeds.h"
#include "PaginatorState.h"
#include "ReportFamilies.h"
#include "StringTable.h"

namespace {

std::vector<std::int32_t> Listed() {
  std::vector<std::int32_t> out;
  for (std::int64_t i = 0; i < rpt::ListRecordCount(); ++i) out.push_back(rpt::ReadListEntry4(i));
  return out;
}

std::vector<std::int32_t> PageStarts() {
  std::vector<std::int32_t> out;
  rpt::ListPageStart entry;
  for (int page = 1; rpt::FindListPage(page, entry); ++page) out.push_back(entry.firstRecord);
  return out;
}

// A sort that refuses to open, or refuses the k-th record (from 1).
class FailingSort : public rpt::ListSort {
 public:
  FailingSort(bool opens, int failAt) : opens_(opens), failAt_(failAt) {}
  bool Open() override { return opens_; }
  bool Add(const std::uint8_t* record) override {
    if (++added_ == failAt_) return false;
    records_.emplace_back(record, record + rpt::kListSortRecordSize);
    return true;
  }
  void End() override {
    std::stable_sort(records_.begin(), records_.end(), [](const auto& a, const auto& b) {
      return rpt::CompareListNameKeys(a.data(), b.data()) < 0;
    });
  }
  const std::uint8_t* Next() override {
    return next_ < records_.size() ? records_[next_++].data() : nullptr;
  }
  void Close() override { records_.clear(); }

 private:
  bool opens_;
  int failAt_;
  int added_ = 0;
  std::size_t next_ = 0;
  std::vector<std::vector<std::uint8_t>> records_;
};

class ListPagination : public ReportFamiliesFixture {
 protected:
  void TearDown() override {
    rpt::CleanupListPages();
    rpt::SetListSortFactory(nullptr);
    rpt::ListParams().includeCompleted = 0;
    rpt::ListParams().includeSubmitted = 0;
    GetIncompleteOrdinanceOptions() = {};
    ReportFamiliesFixture::TearDown();
  }
  // Five unlinked people whose RIN order is not their name order.
  std::vector<std::int32_t> Scrambled() {
    return {Person("Zed", "Young", 'M', 1900), Person("Amy", "Adams", 'F', 1901),
            Person("Max", "Moore", 'M', 1902), Person("Bea", "Adams", 'F', 1903),
            Person("Cal", "Carter", 'M', 1904)};
  }
};

TEST_F(ListPagination, NameKeysCollapseBlanksAndKeepInitials) {
  struct Case {
    const char *surname, *given, *second, *key;
  };
  const Case cases[] = {
      {"Smith", "John", "", "SMITH JOHN                        "},
      {"Smith", "John", "Quincy", "SMITH JOHN QU                     "},
      {"de la Cruz", "Ana", "", "DE LA CRUZ ANA                    "},
      {"Abcdefghijklmnopqrs", "Given", "", "ABCDEFGHIJKLMNOPGIVEN             "},
      {"", "Solo", "", " SOLO                             "},
  };
  for (const Case& c : cases) {
    CIndividualRecord record;
    record.surname = c.surname;
    record.givenNames[0] = c.given;
    record.givenNames[1] = c.second;
    std::uint8_t out[rpt::kListSortRecordSize];
    rpt::BuildNameSortKey(record, 0x01020304, out);
    EXPECT_EQ(rpt::NameKeyOf(out), c.key) << c.surname;
    EXPECT_EQ(out[0], 4);
    EXPECT_EQ(out[3], 1);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out + 4), 20), std::string(20, ' '));
  }
}

TEST_F(ListPagination, SortedRinListHoldsTheLiveRecordsOfTheRange) {
  const auto p = Scrambled();
  ASSERT_EQ(DbDeleteRecord(p[2], db::kIndividual), 1);
  struct Case {
    std::int32_t first, last;
    std::vector<std::int32_t> expected;
  };
  const Case cases[] = {
      {1, 100, {p[0], p[1], p[3], p[4]}},
      {p[1], p[3], {p[1], p[3]}},
      {p[2], p[2], {}},
      {p[4] + 1, 100, {}},
  };
  for (const Case& c : cases) {
    const int count = rpt::PaginateSortedRINList(c.first, c.last, 10);
    EXPECT_EQ(count, static_cast<int>(c.expected.size())) << c.first;
    EXPECT_EQ(Listed(), c.expected) << c.first;
    EXPECT_EQ(rpt::ReadListEntry4(count), 0) << "one past the end";
    rpt::CloseListWorkFile();
  }
}

TEST_F(ListPagination, AlphaListFollowsTheNameIndexWithinTheBounds) {
  const auto p = Scrambled();
  struct Case {
    const char *start, *end;
    std::vector<std::int32_t> expected;
  };
  const Case cases[] = {
      {"", "", {p[1], p[3], p[4], p[2], p[0]}},
      {"B", "N", {p[4], p[2]}},
      {"ADAMS, B", "", {p[3], p[4], p[2], p[0]}},
      {"ZZZ", "", {}},
  };
  for (const Case& c : cases) {
    rpt::PaginateAlphaList(c.start, c.end, 10);
    EXPECT_EQ(Listed(), c.expected) << c.start << ".." << c.end;
    rpt::CloseListWorkFile();
  }
}

TEST_F(ListPagination, UnlinkedIndividualsByNameWithAPageEntryPerFullPage) {
  const auto p = Scrambled();
  const Collapse linked = BuildPedigreeCollapse();  // nobody here is unlinked
  (void)linked;
  EXPECT_EQ(rpt::PaginateUnlinkedList(2), 3);
  EXPECT_EQ(Listed(), (std::vector<std::int32_t>{p[1], p[3], p[4], p[2], p[0]}));
  EXPECT_EQ(PageStarts(), (std::vector<std::int32_t>{0, 2, 4}));
}

TEST_F(ListPagination, AFamilyWithoutUnlinkedPeopleHasNoPage) {
  BuildPedigreeCollapse();
  EXPECT_EQ(rpt::PaginateUnlinkedList(50), 0);
  EXPECT_TRUE(PageStarts().empty());
}

TEST_F(ListPagination, SortFallbacksListEveryRecordOnce) {
  const auto p = Scrambled();
  struct Case {
    bool opens;
    int failAt;
    unsigned message;
    std::vector<std::int32_t> expected;
  };
  const Case cases[] = {
      // Not opened: RIN order.
      {false, 0, 4645, {p[0], p[1], p[2], p[3], p[4]}},
      // Full at the third record: the two sorted, the third, then the rest.
      {true, 3, 4646, {p[1], p[0], p[2], p[3], p[4]}},
      // Full at the first: nothing sorted.
      {true, 1, 4646, {p[0], p[1], p[2], p[3], p[4]}},
  };
  for (const Case& c : cases) {
    rpt::SetListSortFactory([&c] { return std::make_unique<FailingSort>(c.opens, c.failAt); });
    boxes.Clear();
    EXPECT_EQ(rpt::PaginateUnlinkedList(2), 3);
    EXPECT_EQ(Listed(), c.expected) << c.failAt;
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, res::LoadString(c.message));
    rpt::CleanupListPages();
  }
}

TEST_F(ListPagination, MarriagesByMrinOrBySpouseNameWithinTheNameRange) {
  const std::int32_t m1 = Marry(Person("Tom", "Young", 'M'), Person("Ann", "Baker", 'F'));
  const std::int32_t m2 = Marry(Person("Bob", "Adams", 'M'), Person("Cat", "Zane", 'F'));
  const std::int32_t m3 = Marry(Person("Dan", "Moore", 'M'), Person("Eve", "Moss", 'F'));
  struct Case {
    int order;
    std::int32_t first, last;
    const char *start, *end;
    std::vector<std::int32_t> expected;
  };
  const Case cases[] = {
      {0, 1, 100, "", "", {m1, m2, m3}}, {0, m2, m3, "", "", {m2, m3}},
      {1, 0, 0, "", "", {m2, m3, m1}},   {2, 0, 0, "", "", {m1, m3, m2}},
      {1, 0, 0, "B", "N", {m3}},         {2, 0, 0, "MOSS", "", {m3, m2}},
  };
  for (const Case& c : cases) {
    rpt::PaginateMarriageList(c.order, c.first, c.last, c.start, c.end, 10);
    EXPECT_EQ(Listed(), c.expected) << c.order << " " << c.start;
    rpt::CloseListWorkFile();
  }
}

TEST_F(ListPagination, EndOfLineAncestorsAreListedOnceThroughACousinMarriage) {
  const Collapse f = BuildPedigreeCollapse();
  EXPECT_EQ(rpt::PaginateEndOfLineList(1, f.kevin, 10), 4);
  EXPECT_EQ(Listed(), (std::vector<std::int32_t>{f.arthur, f.beatrice, f.edith, f.george}));
  rpt::CloseListWorkFile();
  // The whole file: the same four, with nobody's descendants.
  const std::int32_t loner = Person("Lone", "Aaron", 'M', 1900);
  EXPECT_EQ(rpt::PaginateEndOfLineList(0, 0, 10), 5);
  EXPECT_EQ(Listed(), (std::vector<std::int32_t>{loner, f.arthur, f.beatrice, f.edith, f.george}));
}

TEST_F(ListPagination, NeedsOrdinanceByStateAndTheIncludeFields) {
  struct Case {
    int status;  // 0: nothing recorded; -1: a real date
    int submitted, completed, expected;
  };
  const Case cases[] = {
      {0, 0, 0, 1},
      {CDateValue::kStatusUncleared, 0, 0, 1},
      {-1, 1, 1, 0},
      {CDateValue::kStatusCompleted, 0, 0, 0},
      {CDateValue::kStatusCompleted, 0, 1, 1},
      {CDateValue::kStatusDone, 0, 1, 1},
      {CDateValue::kStatusPre1970, 0, 1, 1},
      {CDateValue::kStatusSubmitted, 0, 0, 0},
      {CDateValue::kStatusSubmitted, 1, 0, 1},
      {CDateValue::kStatusCleared, 1, 0, 1},
      {CDateValue::kStatusInfant, 1, 1, 0},
  };
  for (const Case& c : cases) {
    COrdinanceValue value;
    value.kind = 'B';
    if (c.status > 0) value.date.Set(0, c.status);
    if (c.status < 0) value.date.Set(1950, 3, 4);
    EXPECT_EQ(
        NeedsOrdinance(&value, IncompleteOrdinanceOptions{c.submitted != 0, c.completed != 0}),
        c.expected)
        << c.status;
  }
  EXPECT_EQ(NeedsOrdinance(nullptr, IncompleteOrdinanceOptions{}), 1);
}

TEST_F(ListPagination, IncompleteOrdinancesByYearsNamesAndEndOfLine) {
  const Collapse f = BuildPedigreeCollapse();
  // Temple status 2 (both) never asks for qualification: everyone needs all.
  struct Case {
    int startYear, endYear;
    const char *start, *end;
    int endOfLine;
    std::vector<std::int32_t> expected;
  };
  const Case cases[] = {
      {0,
       0,
       "",
       "",
       1,
       {f.arthur, f.charles, f.diana, f.frank, f.kevin, f.beatrice, f.edith, f.george, f.helen}},
      {0, 0, "", "", 0, {f.charles, f.diana, f.frank, f.kevin, f.helen}},
      {1876, 1906, "", "", 0, {f.diana, f.frank, f.helen}},
      {0, 0, "B", "F", 1, {f.beatrice, f.edith}},
  };
  for (const Case& c : cases) {
    rpt::PaginateIncompleteOrdinances(50, c.startYear, c.endYear, c.start, c.end, 0, c.endOfLine, 0,
                                      0, 2);
    EXPECT_EQ(Listed(), c.expected) << c.startYear << " " << c.start;
    rpt::CleanupListPages();
  }
}

TEST_F(ListPagination, MissingSealingsSkipAMarriageWithoutSpousesUnlessBoth) {
  const Couples c = BuildCouples();
  CMarriageRecord empty;
  const auto lonely = static_cast<std::int32_t>(family::Add(empty, 0));
  ASSERT_GT(lonely, 0);
  CMarriageRecord sealed;
  ASSERT_EQ(family::Read(sealed, c.married), 1);
  sealed.sealingToSpouse.date.Set(1999, 1, 2);
  ASSERT_EQ(family::Update(sealed, 0), 1);

  rpt::PaginateMissingSealings(50, 0, 0, 1, 0, 0, 0, 0, 2);
  EXPECT_EQ(Listed(), (std::vector<std::int32_t>{c.divorced, lonely}));
  rpt::CleanupListPages();
  // Qualified or not: the marriage without spouses has nobody to ask.
  for (int temple : {0, 1}) {
    rpt::PaginateMissingSealings(50, 0, 0, 1, 0, 0, 0, 0, temple);
    for (std::int32_t mrin : Listed()) EXPECT_NE(mrin, lonely) << temple;
    rpt::CleanupListPages();
  }
}

class DuplicatesList : public ListPagination {
 protected:
  MatchOptions Options() const {
    MatchOptions m;
    m.mrgParents = 0;
    m.mrgYears = 2;
    return m;
  }
  // count people of one name born in year.
  std::vector<std::int32_t> Group(const char* given, const char* surname, int count, int year) {
    std::vector<std::int32_t> out;
    for (int i = 0; i < count; ++i) out.push_back(Person(given, surname, 'M', year));
    return out;
  }
  std::vector<rpt::DuplicatesListEntry> Entries() {
    std::vector<rpt::DuplicatesListEntry> out;
    rpt::DuplicatesListEntry e;
    for (std::int64_t i = 0; rpt::ReadListEntry8(i, e); ++i) out.push_back(e);
    return out;
  }
};

TEST_F(DuplicatesList, EachGroupOnceLowestRinFirst) {
  const auto a = Group("John", "Smith", 3, 1900);
  Person("John", "Smith", 'M', 1950);  // too far apart: no duplicate
  const auto b = Group("Pete", "Brown", 2, 1920);
  EXPECT_EQ(rpt::PaginateDuplicatesList(Options(), 50), 1);
  const auto e = Entries();
  ASSERT_EQ(e.size(), 5u) << "the group of the second Smith is not listed again";
  std::vector<std::int32_t> rins;
  std::vector<std::int32_t> flags;
  for (const auto& x : e) {
    rins.push_back(x.rin);
    flags.push_back(x.continuation);
  }
  // Group order follows the match index (Brown before Smith by Soundex).
  EXPECT_EQ(rins, (std::vector<std::int32_t>{b[0], b[1], a[0], a[1], a[2]}));
  EXPECT_EQ(flags, (std::vector<std::int32_t>{0, 1, 0, 1, 1}));
}

TEST_F(DuplicatesList, AGroupNeverStartsOnTheLastThreeLines) {
  Group("Anna", "Abel", 2, 1900);
  Group("Bert", "Cole", 2, 1900);
  Group("Dora", "Dunn", 2, 1900);
  Group("Emil", "Fox", 4, 1900);
  // Six lines: group 1 on lines 1-2, blank, group 2 on 4-5; group 3 would
  // start on line 7 > 6 - 3, so page 2; the four-member group after it
  // runs over to page 3 with continuation entries.
  EXPECT_EQ(rpt::PaginateDuplicatesList(Options(), 6), 3);
  EXPECT_EQ(PageStarts(), (std::vector<std::int32_t>{0, 4, 9}));
  const auto e = Entries();
  ASSERT_EQ(e.size(), 10u);
  EXPECT_EQ(e[9].continuation, 1);
}

}  // namespace
