// The match work file: record layout, both build modes, pair and group
// walks, duplicate tests under the match options and the merged marks.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "KinFixture.h"
#include "MergeWorkFile.h"
#include "ParamNames.h"

namespace {

// The sort window's counters as the build sets them.
struct SortCounters : SortCounterPort {
  void Begin(const std::string& c, std::int32_t n) override {
    caption = c;
    records = n;
  }
  void SetProcessed(std::int32_t n) override { processed.push_back(n); }
  void SetSorted(std::int32_t n) override { sorted.push_back(n); }
  bool CancelRequested() override { return cancel; }
  void End() override { ++ends; }
  std::string caption;
  std::int32_t records = -1;
  std::vector<std::int32_t> processed, sorted;
  bool cancel = false;
  int ends = 0;
};

std::string Bytes(const MergeWorkRecord& r) {
  return std::string(reinterpret_cast<const char*>(r.bytes), MergeWorkRecord::kSize);
}

std::string Le(std::int32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i)
    s[i] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
  return s;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(MergeWorkRecordTest, LayoutOfBothModes) {
  struct Case {
    MergeWorkRecord record;
    std::string expected;
  } cases[] = {
      {MergeWorkRecord::MakeName(7, 3, "Lind", "Anna"),
       Le(7) + Le(3) + std::string("L530\0A500\0  ", 12)},
      // An empty name codes as a NUL followed by the blank fill.
      {MergeWorkRecord::MakeName(258, 0, "", "Olaf"),
       Le(258) + Le(0) + std::string("\0    O410\0  ", 12)},
      {MergeWorkRecord::MakeSbn(5, "AB-12", 'F'),
       Le(5) + Le(0) + std::string("AB-12\0    \0F", 12)},
      // Only the first ten characters of a long SBN are kept.
      {MergeWorkRecord::MakeSbn(9, "123456789012", 'M'),
       Le(9) + Le(0) + std::string("1234567890\0M", 12)},
  };
  for (const Case& c : cases) EXPECT_EQ(Bytes(c.record), c.expected);
}

TEST(MergeWorkRecordTest, OrderAndGroupsOfBothModes) {
  const auto a = MergeWorkRecord::MakeName(9, 0, "Lind", "Anna");
  const auto b = MergeWorkRecord::MakeName(2, 0, "Lynd", "Ana");  // same codes, lower RIN
  const auto c = MergeWorkRecord::MakeName(1, 0, "Lind", "Berta");
  EXPECT_GT(CompareNameKeyRIN(&a, &b), 0);
  EXPECT_LT(CompareNameKeyRIN(&a, &c), 0);
  EXPECT_TRUE(SameMergeKey(a, b, CMergeWorkFile::kNameMode));
  EXPECT_FALSE(SameMergeKey(a, c, CMergeWorkFile::kNameMode));

  const auto m = MergeWorkRecord::MakeSbn(4, "100", 'M');
  const auto u = MergeWorkRecord::MakeSbn(3, "100", 'U');
  const auto x = MergeWorkRecord::MakeSbn(1, "100", '?');
  // Any letter other than M and F counts as a blank, which sorts first.
  EXPECT_LT(CompareSBNKeyRIN(&u, &m), 0);
  EXPECT_TRUE(SameMergeKey(u, x, CMergeWorkFile::kSbnMode));
  EXPECT_GT(CompareSBNKeyRIN(&u, &x), 0);
  EXPECT_FALSE(SameMergeKey(m, u, CMergeWorkFile::kSbnMode));
}

TEST(MergeWorkRecordTest, WorkFilePathKeepsTheFolders) {
  EXPECT_EQ(MergeWorkFilePath("/home/ann/trees/family.orv"), "/home/ann/trees/family.orm");
  EXPECT_EQ(MergeWorkFilePath("a/b.ORV"), "a/b.ORm");
}

class MergeWorkFileTest : public KinFamilyFixture {
 protected:
  static std::int32_t WithSbn(std::int32_t rin, const std::string& sbn) {
    CIndividualRecord r;
    EXPECT_EQ(DbGetIndividualRecord(rin, r, 9), 1);
    r.texts1[1] = sbn;
    EXPECT_EQ(family::Update(r, 0), 1);
    return rin;
  }
  std::vector<std::int32_t> Rins() const {
    std::vector<std::int32_t> rins;
    MergeWorkRecord r;
    for (std::int32_t p = 0; work.ReadAt(p, r); ++p) rins.push_back(r.Rin());
    return rins;
  }
  CMergeWorkFile work;
};

TEST_F(MergeWorkFileTest, NameModeFileIsByteExact) {
  const std::int32_t anna = Person("Anna", 'F', 1900);
  const std::int32_t olaf = Person("Olaf", 'M', 1901, "");
  const std::int32_t ana = Person("Ana", 'F', 1902, "Lynd");
  ASSERT_EQ(work.Build(CMergeWorkFile::kNameMode), 1);
  EXPECT_EQ(work.Path(), dir.File("family.orm"));
  // Empty surname first (its code starts with NUL), then L530 A500 by RIN.
  auto first = MergeWorkRecord::MakeName(olaf, 0, "", "Olaf");
  auto second = MergeWorkRecord::MakeName(anna, 1, "Lind", "Anna");
  auto third = MergeWorkRecord::MakeName(ana, 2, "Lynd", "Ana");
  EXPECT_EQ(FileBytes(work.Path()), Bytes(first) + Bytes(second) + Bytes(third));
  EXPECT_EQ(work.Count(), 3);
}

TEST_F(MergeWorkFileTest, CancelIsSilentAndAFileThatCannotBeMadeIsTold) {
  for (int i = 0; i < 120; ++i) Person("Anna", 'F', 1900);
  // Cancel at the first count of 50: no file, no message.
  SortCounters progress;
  progress.cancel = true;
  work.progress = &progress;
  EXPECT_EQ(work.Build(CMergeWorkFile::kNameMode), 2);
  EXPECT_FALSE(work.IsOpen());
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(progress.ends, 1);
  EXPECT_EQ(progress.processed, std::vector<std::int32_t>{50});
  // Shown and not cancelled: the three counters, each count of 50 and the
  // totals.
  SortCounters watched;
  work.progress = &watched;
  ASSERT_EQ(work.Build(CMergeWorkFile::kNameMode), 1);
  EXPECT_EQ(work.Count(), 120);
  EXPECT_EQ(watched.caption, "Merge Sort File");
  EXPECT_EQ(watched.records, 120);
  EXPECT_EQ(watched.processed, (std::vector<std::int32_t>{50, 100, 120}));
  EXPECT_EQ(watched.sorted, (std::vector<std::int32_t>{50, 100, 120}));
  EXPECT_EQ(watched.ends, 1);
  // A folder that does not exist.
  work.progress = nullptr;
  EXPECT_EQ(work.Build(CMergeWorkFile::kNameMode, dir.File("missing/family.orm")), 2);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Unable to open merge file.");
  EXPECT_EQ(boxes.Calls()[0].caption, "Merge File Sort");
  boxes.Clear();
}

TEST_F(MergeWorkFileTest, SbnModeFileIsByteExactAndSkipsEmptySbns) {
  const std::int32_t a = WithSbn(Person("Anna", 'F'), "77");
  Person("Olaf", 'M');
  const std::int32_t c = WithSbn(Person("Nils", 'M'), "12");
  const std::int32_t d = WithSbn(Person("Ida", 'F'), "77");
  ASSERT_EQ(work.Build(CMergeWorkFile::kSbnMode), 1);
  auto r0 = MergeWorkRecord::MakeSbn(c, "12", 'M');
  auto r1 = MergeWorkRecord::MakeSbn(a, "77", 'F');
  auto r2 = MergeWorkRecord::MakeSbn(d, "77", 'F');
  r1.SetPosition(1);
  r2.SetPosition(2);
  EXPECT_EQ(FileBytes(work.Path()), Bytes(r0) + Bytes(r1) + Bytes(r2));
}

TEST_F(MergeWorkFileTest, NoSbnsBuildsNothing) {
  Person("Anna", 'F');
  Person("Anna", 'F');
  EXPECT_EQ(work.Build(CMergeWorkFile::kSbnMode), 2);
  EXPECT_FALSE(work.IsOpen());
  MergeWorkRecord out;
  EXPECT_EQ(work.FindNextPair(-1, 1, CMergeWorkFile::kSbnMode, true, out), -1);
}

TEST_F(MergeWorkFileTest, PairsGroupsAndMergedMarks) {
  const std::int32_t solo = Person("Berta", 'F');
  const std::int32_t a1 = Person("Anna", 'F');
  const std::int32_t a2 = Person("Ana", 'F');
  const std::int32_t a3 = Person("Anne", 'F');  // A500 as well
  const std::int32_t o1 = Person("Olaf", 'M');
  const std::int32_t o2 = Person("Olof", 'M');
  ASSERT_EQ(work.Build(CMergeWorkFile::kNameMode), 1);
  ASSERT_EQ(Rins(), (std::vector<std::int32_t>{a1, a2, a3, solo, o1, o2}));

  MergeWorkRecord pair;
  ASSERT_EQ(work.FindNextPair(-1, 1, CMergeWorkFile::kNameMode, false, pair), 1);
  EXPECT_EQ(pair.Rin(), a1);
  ASSERT_EQ(work.FindNextPair(pair.Position(), 1, CMergeWorkFile::kNameMode, false, pair), 1);
  EXPECT_EQ(pair.Rin(), a2);  // a2 and a3 are a pair too
  ASSERT_EQ(work.FindNextPair(pair.Position(), 1, CMergeWorkFile::kNameMode, false, pair), 1);
  EXPECT_EQ(pair.Rin(), o1);
  EXPECT_EQ(work.FindNextPair(pair.Position(), 1, CMergeWorkFile::kNameMode, false, pair), 0);
  // Backwards from the end.
  ASSERT_EQ(work.FindNextPair(5, -1, CMergeWorkFile::kNameMode, false, pair), 1);
  EXPECT_EQ(pair.Rin(), a3);

  // The group of three offers each later member with the same primary.
  MergeWorkRecord primary;
  ASSERT_TRUE(work.ReadAt(0, primary));
  MergeWorkRecord member = primary;
  EXPECT_EQ(work.GetGroupMember(1, member, CMergeWorkFile::kNameMode, 0), a2);
  member = primary;
  EXPECT_EQ(work.GetGroupMember(1, member, CMergeWorkFile::kNameMode, 1), a3);
  member = primary;
  EXPECT_EQ(work.GetGroupMember(1, member, CMergeWorkFile::kNameMode, 2), -1);

  // Position 0 is a valid record; the count is not.
  EXPECT_EQ(work.MarkMerged(0), 1);
  EXPECT_EQ(work.MarkMerged(work.Count()), 0);
  EXPECT_EQ(work.MarkMerged(-1), 0);
  EXPECT_EQ(work.FindEntry(a1, CMergeWorkFile::kNameMode, false), -1);
  EXPECT_EQ(work.FindEntry(o2, CMergeWorkFile::kNameMode, false), 5);
  ASSERT_EQ(work.FindNextPair(-1, 1, CMergeWorkFile::kNameMode, false, pair), 1);
  EXPECT_EQ(pair.Rin(), a2);
  // A merged member ends a group walk.
  EXPECT_EQ(work.MarkMerged(2), 1);
  MergeWorkRecord out;
  EXPECT_EQ(work.FindDuplicate(pair, 1, CMergeWorkFile::kNameMode, -1, false, MatchOptions{}, out),
            0);
}

TEST_F(MergeWorkFileTest, WorkFileGoesWithItsObject) {
  Person("Anna", 'F');
  std::string path;
  {
    CMergeWorkFile own;
    ASSERT_EQ(own.Build(CMergeWorkFile::kNameMode), 1);
    path = own.Path();
    EXPECT_FALSE(FileBytes(path).empty());
  }
  EXPECT_FALSE(std::ifstream(path).good());
}

struct DuplicateCase {
  const char* what;
  // The candidate (the primary is Anna Lind, F, born 1900, SBN "S1").
  const char* given;
  const char* surname;
  char sex;
  int born;
  const char* sbn;
  const char* middle;
  MatchOptions options;
  bool found;
};

MatchOptions With(void (*change)(MatchOptions&)) {
  MatchOptions o;
  o.mrgParents = 0;
  change(o);
  return o;
}

class FindDuplicateTest : public MergeWorkFileTest,
                          public ::testing::WithParamInterface<DuplicateCase> {};

TEST_P(FindDuplicateTest, Decides) {
  const DuplicateCase& c = GetParam();
  const std::int32_t primary = WithSbn(Person("Anna", 'F', 1900), "S1");
  {
    CIndividualRecord r;
    ASSERT_EQ(DbGetIndividualRecord(primary, r, 9), 1);
    r.givenNames[1] = "Maria";
    ASSERT_EQ(family::Update(r, 0), 1);
  }
  const std::int32_t other = Person(c.given, c.sex, c.born, c.surname);
  if (c.sbn[0] != 0) WithSbn(other, c.sbn);
  if (c.middle[0] != 0) {
    CIndividualRecord r;
    ASSERT_EQ(DbGetIndividualRecord(other, r, 9), 1);
    r.givenNames[1] = c.middle;
    ASSERT_EQ(family::Update(r, 0), 1);
  }
  ASSERT_EQ(work.Build(CMergeWorkFile::kNameMode), 1);
  MergeWorkRecord first;
  ASSERT_TRUE(work.ReadAt(work.FindEntry(primary, 0, false), first));
  MergeWorkRecord out;
  const std::int32_t dup = work.FindDuplicate(first, 1, 0, -1, false, c.options, out);
  // The primary sorts first (lower RIN), so a forward search meets the candidate.
  EXPECT_EQ(dup, c.found ? other : 0) << c.what;
  if (c.found) {
    EXPECT_EQ(out.Position(), 1) << c.what;
  }
}

const MatchOptions kPlain = With([](MatchOptions&) {});

INSTANTIATE_TEST_SUITE_P(
    Options, FindDuplicateTest,
    ::testing::Values(
        DuplicateCase{"alike", "Ana", "Lind", 'F', 1905, "", "", kPlain, true},
        DuplicateCase{"other sex", "Ana", "Lind", 'M', 1900, "", "", kPlain, false},
        DuplicateCase{"unknown sex", "Ana", "Lind", 'U', 1900, "", "", kPlain, false},
        DuplicateCase{"years apart", "Ana", "Lind", 'F', 1911, "", "", kPlain, false},
        DuplicateCase{"at the limit", "Ana", "Lind", 'F', 1910, "", "", kPlain, true},
        DuplicateCase{"years 0, other year", "Ana", "Lind", 'F', 1901, "", "",
                      With([](MatchOptions& o) { o.mrgYears = 0; }), false},
        DuplicateCase{"years 0, same year", "Ana", "Lind", 'F', 1900, "", "",
                      With([](MatchOptions& o) { o.mrgYears = 0; }), true},
        DuplicateCase{"no birth date", "Ana", "Lind", 'F', 0, "", "", kPlain, false},
        DuplicateCase{"no birth date allowed", "Ana", "Lind", 'F', 0, "", "",
                      With([](MatchOptions& o) { o.mrgDOB = 1; }), true},
        DuplicateCase{"other SBN ignored", "Ana", "Lind", 'F', 1900, "S2", "", kPlain, true},
        DuplicateCase{"other SBN considered", "Ana", "Lind", 'F', 1900, "S2", "",
                      With([](MatchOptions& o) { o.mrgIds = 1; }), false},
        DuplicateCase{"same SBN considered", "Ana", "Lind", 'F', 1900, "S1", "",
                      With([](MatchOptions& o) { o.mrgIds = 1; }), true},
        DuplicateCase{"other middle ignored", "Ana", "Lind", 'F', 1900, "", "Karin", kPlain, true},
        DuplicateCase{"other middle considered", "Ana", "Lind", 'F', 1900, "", "Karin",
                      With([](MatchOptions& o) { o.mrgMiddles = 1; }), false},
        DuplicateCase{"alike middle considered", "Ana", "Lind", 'F', 1900, "", "Marie",
                      With([](MatchOptions& o) { o.mrgMiddles = 1; }), true}),
    [](const auto& info) { return ParamName(info.param.what); });

TEST_F(MergeWorkFileTest, SurnamelessAndParents) {
  MatchOptions options;
  options.mrgDOB = 1;
  // A primary without surname has no duplicate unless the option allows it.
  const std::int32_t p = Person("Olaf", 'M', 0, "");
  const std::int32_t q = Person("Olof", 'M', 0, "");
  ASSERT_EQ(work.Build(0), 1);
  MergeWorkRecord first, out;
  ASSERT_TRUE(work.ReadAt(0, first));
  EXPECT_EQ(work.FindDuplicate(first, 1, 0, -1, false, options, out), 0);
  options.mrgSurname = 1;
  EXPECT_EQ(work.FindDuplicate(first, 1, 0, -1, false, options, out), q);

  // A father and his son of the same name are never a pair.
  const std::int32_t father = Person("Nils", 'M', 1900);
  const std::int32_t mrin = Marry(father, 0);
  const std::int32_t son = ChildOf(mrin, "Nils", 'M', 1905);
  ASSERT_EQ(work.Build(0), 1);
  ASSERT_TRUE(work.ReadAt(work.FindEntry(father, 0, false), first));
  EXPECT_EQ(work.FindDuplicate(first, 1, 0, -1, false, options, out), 0);
  EXPECT_EQ(IsParentOrChildByRIN(son, father), 1);
  EXPECT_EQ(IsParentOrChildByRIN(son, p), 0);
}

TEST_F(MergeWorkFileTest, ParentsMustSoundAlike) {
  MatchOptions options;  // parents considered by default
  const std::int32_t dadA = Person("Erik", 'M', 1870);
  const std::int32_t dadB = Person("Sven", 'M', 1870, "Berg");
  const std::int32_t kidA = ChildOf(Marry(dadA, 0), "Anna", 'F', 1900);
  const std::int32_t kidB = ChildOf(Marry(dadB, 0), "Ana", 'F', 1900);
  ASSERT_EQ(work.Build(0), 1);
  MergeWorkRecord first, out;
  ASSERT_TRUE(work.ReadAt(work.FindEntry(kidA, 0, false), first));
  EXPECT_EQ(work.FindDuplicate(first, 1, 0, -1, false, options, out), 0);
  options.mrgParents = 0;
  EXPECT_EQ(work.FindDuplicate(first, 1, 0, -1, false, options, out), kidB);
}

}  // namespace

namespace {

TEST_F(MergeWorkFileTest, MatchCursorWalksEveryPairInOrder) {
  MatchOptions options;
  options.mrgDOB = 1;
  const std::int32_t a1 = Person("Anna", 'F');
  const std::int32_t o1 = Person("Olaf", 'M');
  const std::int32_t a2 = Person("Ana", 'F');
  Person("Anna", 'M');  // other sex: in the group, never a pair
  const std::int32_t a3 = Person("Anne", 'F');
  const std::int32_t o2 = Person("Olof", 'M');
  Person("Berta", 'F');
  CMatchCursor cursor(CMergeWorkFile::kNameMode, options);
  ASSERT_TRUE(cursor.Start());
  std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
  std::int32_t p = 0, d = 0;
  while (cursor.Next(p, d)) pairs.emplace_back(p, d);
  const std::vector<std::pair<std::int32_t, std::int32_t>> expected{
      {a1, a2}, {a1, a3}, {a2, a3}, {o1, o2}};
  EXPECT_EQ(pairs, expected);
  CMatchCursor empty(CMergeWorkFile::kSbnMode, options);
  EXPECT_FALSE(empty.Start());
  EXPECT_FALSE(empty.Next(p, d));
}

}  // namespace
