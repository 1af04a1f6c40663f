// The disk sort of fixed-size records: buffer capacity, order and the order
// of ties between runs, in memory and through the work file, distribution
// mode and its slots, position hints, failures, and sorting a file in place.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "DiskSort.h"
#include "FakePorts.h"
#include "MemoryFile.h"
#include "SortFixture.h"

namespace {

// A 58-byte index record: a key, the order it was added in, and filler.
#pragma pack(push, 1)
struct Rec {
  std::uint32_t key;
  std::uint32_t seq;
  char filler[50];
};
#pragma pack(pop)
static_assert(sizeof(Rec) == 58);

Rec Make(std::uint32_t key, std::uint32_t seq) {
  Rec r{};
  r.key = key;
  r.seq = seq;
  std::memset(r.filler, static_cast<int>('a' + seq % 26), sizeof r.filler);
  return r;
}

int ByKey(const void* a, const void* b) {
  const auto* x = static_cast<const Rec*>(a);
  const auto* y = static_cast<const Rec*>(b);
  return (x->key > y->key) - (x->key < y->key);
}

// As the report index comparisons: equal keys answer 1, never 0.
int ByKeyNeverEqual(const void* a, const void* b) {
  int c = ByKey(a, b);
  return c == 0 ? 1 : c;
}

// The fields by value: the checks bind references, which a packed field
// at an odd place may not take.
std::uint32_t KeyOf(const Rec& r) { return r.key; }
std::uint32_t SeqOf(const Rec& r) { return r.seq; }

std::vector<Rec> Drain(CDiskSort& sort) {
  std::vector<Rec> out;
  while (const void* r = sort.Next()) out.push_back(*static_cast<const Rec*>(r));
  return out;
}

TEST(DiskSortCapacity, BufferSizeByRecordSize) {
  const struct {
    std::size_t recordSize;
    int capacity;  // -1: no buffer fits two records
  } cases[] = {{58, 1112}, {1, 64512}, {2, 32256}, {100, 644}, {32256, 2}, {40000, -1}};
  for (const auto& c : cases) {
    CDiskSort sort;
    int answer = sort.Open(c.recordSize, true, ByKey);
    EXPECT_EQ(answer, c.capacity) << c.recordSize;
    if (c.capacity > 0) {
      EXPECT_EQ(sort.Capacity(), static_cast<std::uint32_t>(c.capacity));
    }
  }
  CDiskSort plain;
  EXPECT_EQ(plain.Open(58, false, ByKey), 0);
  EXPECT_EQ(plain.Capacity(), 1112u);
}

using DiskSortTest = SortFilesTest;

// Every record comes back once, in key order; equal keys keep the order of
// their runs. In both modes, with comparisons that answer 0 or never 0, and
// with runs in memory or all in the work file.
TEST_F(DiskSortTest, SortsInOrderAndTiesFollowTheRuns) {
  struct Case {
    bool distribution;
    SortCompareFn compare;
    std::size_t memoryLimit;
  };
  const Case modes[] = {{false, ByKey, CDiskSort::kDefaultMemoryRunLimit},
                        {false, ByKeyNeverEqual, 0},
                        {true, ByKey, 0},
                        {true, ByKeyNeverEqual, CDiskSort::kDefaultMemoryRunLimit}};
  for (const Case& mode : modes) {
    for (std::uint32_t count : {1u, 555u, 556u, 1111u, 1112u, 1113u, 5000u, 40000u}) {
      SCOPED_TRACE(testing::Message() << "distribution " << mode.distribution << " never-0 "
                                      << (mode.compare == ByKeyNeverEqual) << " limit "
                                      << mode.memoryLimit << " count " << count);
      CDiskSort sort;
      sort.SetMemoryRunLimit(mode.memoryLimit);
      int capacity = sort.Open(sizeof(Rec), mode.distribution, mode.compare);
      ASSERT_GE(capacity, 0);
      std::mt19937 rng(count);
      std::uniform_int_distribution<std::uint32_t> keys(0, count / 4 + 1);
      for (std::uint32_t seq = 0; seq < count; ++seq) {
        Rec r = Make(keys(rng), seq);
        std::uint32_t hint =
            mode.distribution
                ? static_cast<std::uint32_t>(std::uint64_t{r.key} * capacity / (count / 4 + 2))
                : 0;
        ASSERT_EQ(sort.Add(&r, hint), 1);
      }
      if (mode.memoryLimit == 0 && count > sort.Capacity()) {
        EXPECT_GT(sort.DiskRunCount(), 0);
      }
      std::vector<Rec> out = Drain(sort);
      ASSERT_FALSE(sort.Failed());
      ASSERT_EQ(out.size(), count);
      std::vector<bool> seen(count);
      const std::uint32_t perRun = sort.Capacity();
      for (std::size_t i = 0; i < out.size(); ++i) {
        ASSERT_FALSE(seen[out[i].seq]);
        seen[out[i].seq] = true;
        const Rec expected = Make(out[i].key, out[i].seq);
        ASSERT_EQ(std::memcmp(&out[i], &expected, sizeof(Rec)), 0);
        if (i == 0) continue;
        ASSERT_LE(KeyOf(out[i - 1]), KeyOf(out[i])) << i;
        if (out[i - 1].key == out[i].key) {
          ASSERT_LE(out[i - 1].seq / perRun, out[i].seq / perRun);
        }
      }
    }
  }
  EXPECT_TRUE(WorkFiles().empty());
}

TEST_F(DiskSortTest, EqualRecordsOfTwoRunsComeOutEarlierRunFirst) {
  CDiskSort sort;
  sort.SetMemoryRunLimit(0);
  ASSERT_EQ(sort.Open(sizeof(Rec), false, ByKeyNeverEqual), 0);
  const std::uint32_t cap = sort.Capacity();
  for (std::uint32_t seq = 0; seq < 3 * cap; ++seq) {
    Rec r = Make(seq < cap ? 7 : (seq < 2 * cap ? 5 : 7), seq);
    sort.Add(&r);
  }
  std::vector<Rec> out = Drain(sort);
  ASSERT_EQ(out.size(), 3 * cap);
  // All 5s (run 2) first, then the 7s of run 1 before those of run 3.
  for (std::uint32_t i = 0; i < cap; ++i) EXPECT_EQ(KeyOf(out[i]), 5u);
  for (std::uint32_t i = cap; i < 2 * cap; ++i) EXPECT_LT(SeqOf(out[i]), cap) << i;
  for (std::uint32_t i = 2 * cap; i < 3 * cap; ++i) EXPECT_GE(SeqOf(out[i]), 2 * cap) << i;
}

TEST_F(DiskSortTest, NothingAddedGivesNothing) {
  CDiskSort sort;
  ASSERT_EQ(sort.Open(sizeof(Rec), false, ByKey), 0);
  EXPECT_EQ(sort.Next(), nullptr);
  EXPECT_EQ(sort.RunCount(), 0);
}

TEST_F(DiskSortTest, AddAfterEndIsRefused) {
  CDiskSort sort;
  ASSERT_EQ(sort.Open(sizeof(Rec), false, ByKey), 0);
  Rec a = Make(2, 0), b = Make(1, 1);
  ASSERT_EQ(sort.Add(&a), 1);
  sort.End();
  EXPECT_EQ(sort.Add(&b), 0);
  std::vector<Rec> out = Drain(sort);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(SeqOf(out[0]), 0u);
}

TEST_F(DiskSortTest, DistributionSlotsTakeTheNearestFreeSlot) {
  CDiskSort sort;
  const int capacity = sort.Open(sizeof(Rec), true, ByKey);
  ASSERT_EQ(capacity, 1112);
  const std::uint32_t last = 1111;
  const struct {
    std::uint32_t hint, slot;
  } steps[] = {
      {last, last},         // free
      {last, last - 1},     // every later slot taken: the nearest below
      {last, last - 2},     //
      {500, 500},           //
      {500, 501},           // the first free slot after
      {500, 502},           //
      {5000, last - 3},     // a hint past the buffer counts as its last slot
      {last - 2, last - 4}  // nothing free above: down from the hint
  };
  std::uint32_t seq = 0;
  for (const auto& step : steps) {
    Rec r = Make(step.hint, seq++);
    ASSERT_EQ(sort.Add(&r, step.hint), 1);
    EXPECT_EQ(sort.LastSlot(), step.slot) << step.hint;
  }
  std::vector<Rec> out = Drain(sort);
  ASSERT_EQ(out.size(), std::size(steps));
  EXPECT_TRUE(std::is_sorted(out.begin(), out.end(),
                             [](const Rec& a, const Rec& b) { return a.key < b.key; }));
}

TEST(DiskSortKeyPosition, HintsByKind) {
  const struct {
    std::uint32_t slots;
    int kind;
    const char* key;
    std::uint32_t hint;
  } cases[] = {
      {1000, 0, "Bob", 90},       // 2, 15, 2 of radix 28
      {1000, 0, "bob", 90},       // case ignored
      {1000, 0, "BOBBY", 90},     // three characters count
      {1000, 0, "B", 71},         // 2 x 28 x 28
      {1000, 0, "", 0},           //
      {1000, 0, "9zz", 34},       // a digit is 0, "z" upper-cased 26
      {1000, 1, "Z9", 955},       // 37, 10, 0 of radix 39
      {1000, 2, "1a", 243},       // 2, 11, 0 of radix 12
      {1000, 4, "Bob", 50},       // 2, 42, 29 of radix 55
      {1000, 5, "a~", 620},       // 40, 65, 0 of radix 66
      {1000, 5, "\xE9", 0},       // a high character is a negative byte: below "0"
      {1000, 3, "Bob", 0},        // no such kind
      {100000, 5, "zzz", 99999},  // no wrap of slots x value
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SortKeyPosition(c.slots, c.kind, c.key), c.hint) << c.kind << " " << c.key;
  }
}

TEST_F(DiskSortTest, RunThatCannotBeWrittenFailsTheAdd) {
  MemoryFile memory;
  FailingFile file(memory, 10 * 1024);
  CDiskSort sort;
  sort.SetMemoryRunLimit(0);
  ASSERT_EQ(sort.Open(sizeof(Rec), false, ByKey, &file), 0);
  int answer = 1;
  std::uint32_t added = 0;
  while (answer == 1 && added < 10 * sort.Capacity()) {
    Rec r = Make(added, added);
    answer = sort.Add(&r);
    ++added;
  }
  EXPECT_EQ(answer, 0);
  EXPECT_EQ(added, sort.Capacity());  // the first run's write crosses the limit
  EXPECT_TRUE(sort.Failed());
  Rec more = Make(1, 1);
  EXPECT_EQ(sort.Add(&more), 0);
  EXPECT_EQ(sort.Next(), nullptr);
}

// A work file whose reads fail once told to.
class UnreadableFile : public MemoryFile {
 public:
  long long ReadSomeAt(std::uint64_t pos, void* data, std::size_t len) override {
    return failReads ? -1 : MemoryFile::ReadSomeAt(pos, data, len);
  }
  bool failReads = false;
};

TEST_F(DiskSortTest, RunThatCannotBeReadBackStopsTheOutput) {
  UnreadableFile file;
  CDiskSort sort;
  sort.SetMemoryRunLimit(0);
  ASSERT_EQ(sort.Open(sizeof(Rec), false, ByKey, &file), 0);
  for (std::uint32_t i = 0; i < 3 * sort.Capacity(); ++i) {
    Rec r = Make(i % 1000, i);
    ASSERT_EQ(sort.Add(&r), 1);
  }
  file.failReads = true;
  EXPECT_EQ(sort.Next(), nullptr);
  EXPECT_TRUE(sort.Failed());
}

TEST_F(DiskSortTest, TwoSortsAtOnceKeepTheirOwnWork) {
  CDiskSort up, down;
  up.SetMemoryRunLimit(0);
  down.SetMemoryRunLimit(0);
  ASSERT_EQ(up.Open(sizeof(Rec), false, ByKey), 0);
  ASSERT_EQ(down.Open(sizeof(Rec), false, ByKey), 0);
  const std::uint32_t n = 3 * up.Capacity() + 7;
  for (std::uint32_t i = 0; i < n; ++i) {
    Rec a = Make(n - i, i), b = Make(i + n, i);
    ASSERT_EQ(up.Add(&a), 1);
    ASSERT_EQ(down.Add(&b), 1);
  }
  for (std::uint32_t i = 0; i < n; ++i) {
    const auto* a = static_cast<const Rec*>(up.Next());
    const auto* b = static_cast<const Rec*>(down.Next());
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->key, i + 1);
    EXPECT_EQ(b->key, i + n);
  }
  EXPECT_EQ(up.Next(), nullptr);
  EXPECT_EQ(down.Next(), nullptr);
  EXPECT_TRUE(WorkFiles().empty());  // work files have no name to leave behind
}

TEST_F(DiskSortTest, GlobalSortReopensClean) {
  ASSERT_EQ(SortOpen(sizeof(Rec), false, ByKey), 0);
  Rec a = Make(3, 0), b = Make(1, 1);
  SortAdd(&a);
  ASSERT_EQ(SortOpen(sizeof(Rec), false, ByKey), 0);  // the first sort is dropped
  SortAdd(&b);
  SortAdd(&a);
  const auto* first = static_cast<const Rec*>(SortNext());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->key, 1u);
  EXPECT_EQ(static_cast<const Rec*>(SortNext())->key, 3u);
  EXPECT_EQ(SortNext(), nullptr);
  EXPECT_FALSE(SortFailed());
  SortClose();
  EXPECT_EQ(SortNext(), nullptr);
}

TEST_F(DiskSortTest, SortFileInPlace) {
  const std::uint32_t count = 5000;
  std::vector<std::uint8_t> bytes(count * sizeof(Rec));
  std::mt19937 rng(5);
  for (std::uint32_t i = 0; i < count; ++i) {
    Rec r = Make(rng() % 3000, i);
    std::memcpy(bytes.data() + i * sizeof(Rec), &r, sizeof r);
  }
  MemoryFile file(bytes);
  plat::FakeProgress progress;
  SortFileBlock block;
  block.file = &file;
  block.count = count;
  block.recordSize = sizeof(Rec);
  block.compare = ByKey;
  block.progress = &progress;
  block.restoreText = "Index 2 of 3";
  ASSERT_EQ(SortFileInPlace(block), 1);
  EXPECT_EQ(progress.texts, (std::vector<std::string>{"Sorting...", "Index 2 of 3"}));
  std::vector<Rec> out(count);
  ASSERT_TRUE(file.ReadAt(0, out.data(), count * sizeof(Rec)));
  EXPECT_TRUE(std::is_sorted(out.begin(), out.end(),
                             [](const Rec& a, const Rec& b) { return a.key < b.key; }));
  std::vector<bool> seen(count);
  for (const Rec& r : out) seen[r.seq] = true;
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), count);
}

TEST_F(DiskSortTest, SortFileInPlaceLeavesAShortFileAlone) {
  std::vector<std::uint8_t> bytes(10 * sizeof(Rec));
  for (std::uint32_t i = 0; i < 10; ++i) {
    Rec r = Make(10 - i, i);
    std::memcpy(bytes.data() + i * sizeof(Rec), &r, sizeof r);
  }
  MemoryFile file(bytes);
  SortFileBlock block;
  block.file = &file;
  block.count = 11;  // one more than the file holds
  block.recordSize = sizeof(Rec);
  block.compare = ByKey;
  EXPECT_EQ(SortFileInPlace(block), 0);
  std::vector<std::uint8_t> after(bytes.size());
  ASSERT_TRUE(file.ReadAt(0, after.data(), after.size()));
  EXPECT_EQ(after, bytes);
}

}  // namespace
