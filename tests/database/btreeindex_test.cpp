// The B+tree index: inserts, duplicates, evening out with neighbours before
// splitting, ordered walks, the header written at Close, page numbers
// running out, and a randomized comparison with std::map.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <vector>

#include "BTreeIndex.h"
#include "TempDir.h"

namespace {

// Keys big-endian, so that memcmp orders them as numbers.
std::array<std::uint8_t, 4> K(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16),
          static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
}
std::uint32_t FromK(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         p[3];
}

struct Entry {
  std::uint16_t page;
  std::uint32_t key;
  std::uint32_t value;
};

std::vector<Entry> WalkAll(CBTreeIndex& index) {
  std::vector<Entry> out;
  index.Walk(
      [](std::uint16_t page, void* context, const std::uint8_t* key, const std::uint8_t* value) {
        std::uint32_t v = 0;
        std::memcpy(&v, value, 4);
        static_cast<std::vector<Entry>*>(context)->push_back({page, FromK(key), v});
        return 1;
      },
      &out);
  return out;
}

// The number of entries of each leaf, leaves left to right.
std::vector<int> LeafSizes(CBTreeIndex& index) {
  std::vector<int> sizes;
  std::uint16_t last = 0;
  for (const Entry& e : WalkAll(index)) {
    if (sizes.empty() || e.page != last) sizes.push_back(0);
    ++sizes.back();
    last = e.page;
  }
  return sizes;
}

class BTreeIndexTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(index_.Create(dir_.File("x.idx"), 2048, 4, 4), 1); }
  int Insert(std::uint32_t key, std::uint32_t value) {
    return index_.Insert(K(key).data(), &value);
  }
  TempDir dir_;
  CBTreeIndex index_;
};

TEST_F(BTreeIndexTest, FindOnAnEmptyIndexFails) {
  std::uint32_t value = 0;
  EXPECT_EQ(index_.Find(K(1).data(), &value), 0);
  EXPECT_EQ(index_.Count(), 0u);
  EXPECT_TRUE(WalkAll(index_).empty());
}

TEST_F(BTreeIndexTest, DuplicateInsertFailsAndKeepsTheValueAndCount) {
  ASSERT_EQ(Insert(5, 50), 1);
  EXPECT_EQ(Insert(5, 99), 0);
  EXPECT_EQ(index_.Count(), 1u);
  std::uint32_t value = 0;
  ASSERT_NE(index_.Find(K(5).data(), &value), 0);
  EXPECT_EQ(value, 50u);
  EXPECT_EQ(index_.SetValue(K(5).data(), nullptr), 1);
  ASSERT_NE(index_.Find(K(5).data(), &value), 0);
  EXPECT_EQ(value, 0u);
  EXPECT_EQ(index_.SetValue(K(6).data(), &value), 0);
  EXPECT_EQ(index_.Find(K(5).data(), nullptr), 0);
}

// A leaf of 2048-byte pages with 4-byte keys and values holds 255 entries.
TEST_F(BTreeIndexTest, FullLeafEvensOutWithItsNeighbourBeforeSplitting) {
  for (std::uint32_t i = 0; i < 255; ++i) ASSERT_EQ(Insert(1000 * i, i), 1);
  EXPECT_EQ(LeafSizes(index_), (std::vector<int>{255}));
  ASSERT_EQ(Insert(1000 * 255, 255), 1);  // the root leaf has no neighbours: it splits
  EXPECT_EQ(LeafSizes(index_), (std::vector<int>{128, 128}));
  EXPECT_EQ(index_.PageCount(), 3u);

  for (std::uint32_t i = 0; i < 127; ++i) ASSERT_EQ(Insert(1000 * i + 1, 0), 1);
  EXPECT_EQ(LeafSizes(index_), (std::vector<int>{255, 128}));
  ASSERT_EQ(Insert(127001, 0), 1);  // the left leaf overflows into its right neighbour
  EXPECT_EQ(LeafSizes(index_), (std::vector<int>{192, 192}));
  EXPECT_EQ(index_.PageCount(), 3u);

  // Both full: the next overflow splits.
  for (std::uint32_t i = 0; i < 63; ++i) ASSERT_EQ(Insert(1000 * i + 2, 0), 1);
  for (std::uint32_t i = 192; i < 255; ++i) ASSERT_EQ(Insert(1000 * i + 2, 0), 1);
  EXPECT_EQ(LeafSizes(index_), (std::vector<int>{255, 255}));
  ASSERT_EQ(Insert(3, 0), 1);
  EXPECT_EQ(LeafSizes(index_), (std::vector<int>{128, 128, 255}));
  EXPECT_EQ(index_.PageCount(), 4u);

  // The last leaf has only a left neighbour, which takes the overflow.
  ASSERT_EQ(Insert(1000 * 300, 300), 1);
  EXPECT_EQ(LeafSizes(index_), (std::vector<int>{128, 192, 192}));
  EXPECT_EQ(index_.PageCount(), 4u);

  std::uint32_t value = 0;
  ASSERT_NE(index_.Find(K(1000 * 200).data(), &value), 0);
  EXPECT_EQ(value, 200u);
  std::vector<Entry> all = WalkAll(index_);
  EXPECT_EQ(all.size(), index_.Count());
  for (std::size_t i = 1; i < all.size(); ++i) ASSERT_LT(all[i - 1].key, all[i].key);
}

TEST_F(BTreeIndexTest, CloseWritesTheRootAndCountsForAReader) {
  for (std::uint32_t i = 0; i < 20000; ++i) ASSERT_EQ(Insert(i * 7919u % 20011u, i), 1);
  const std::uint16_t root = index_.Root();
  const std::uint32_t pages = index_.PageCount();
  EXPECT_NE(root, 1);
  index_.Close();

  std::ifstream in(dir_.File("x.idx"), std::ios::binary);
  std::uint8_t header[18] = {};
  in.read(reinterpret_cast<char*>(header), sizeof header);
  const std::uint8_t expected[18] = {static_cast<std::uint8_t>((pages + 1) >> 24),
                                     static_cast<std::uint8_t>((pages + 1) >> 16),
                                     static_cast<std::uint8_t>((pages + 1) >> 8),
                                     static_cast<std::uint8_t>(pages + 1),
                                     0,
                                     0,
                                     0x4E,
                                     0x20,  // 20000 entries
                                     0x08,
                                     0x00,
                                     0,
                                     4,
                                     0,
                                     4,
                                     static_cast<std::uint8_t>(root >> 8),
                                     static_cast<std::uint8_t>(root),
                                     0,
                                     0};
  EXPECT_EQ(std::memcmp(header, expected, sizeof header), 0);
  EXPECT_EQ(std::filesystem::file_size(dir_.File("x.idx")), (pages + 1) * 2048u);

  CBTreeIndex reader;
  ASSERT_EQ(reader.Open(dir_.File("x.idx")), 1);
  EXPECT_EQ(reader.Count(), 20000u);
  for (std::uint32_t i = 0; i < 20000; ++i) {
    std::uint32_t value = 0;
    ASSERT_NE(reader.Find(K(i * 7919u % 20011u).data(), &value), 0) << i;
    ASSERT_EQ(value, i);
  }
}

TEST(BTreeIndexLimits, PagesThatCannotHoldThreeEntriesAreRefused) {
  TempDir dir;
  CBTreeIndex index;
  EXPECT_EQ(index.Create(dir.File("a"), 20, 4, 4), 0);  // 17 bytes: two entries
  EXPECT_EQ(index.Create(dir.File("b"), 27, 4, 4), 1);
  EXPECT_EQ(index.Create(dir.File("c"), 2048, 0, 4), 0);
  EXPECT_EQ(index.Insert(nullptr, nullptr), 0);
  CBTreeIndex closed;
  std::uint32_t v = 1;
  EXPECT_EQ(closed.Insert(K(1).data(), &v), 0);
  EXPECT_EQ(closed.Find(K(1).data(), &v), 0);
}

// Page numbers are 16-bit: when they run out inserts fail and what is in
// the index stays findable.
TEST(BTreeIndexLimits, RunningOutOfPagesFailsCleanly) {
  TempDir dir;
  CBTreeIndex index;
  ASSERT_EQ(index.Create(dir.File("small.idx"), 32, 4, 4), 1);  // three entries a leaf
  std::uint32_t inserted = 0;
  while (index.Insert(K(inserted).data(), &inserted) == 1) ++inserted;
  EXPECT_GT(inserted, 60000u);
  EXPECT_LE(index.PageCount(), 65535u);
  EXPECT_EQ(index.Count(), inserted);
  std::uint32_t value = 0;
  for (std::uint32_t k : {0u, inserted / 2, inserted - 1}) {
    ASSERT_NE(index.Find(K(k).data(), &value), 0) << k;
    EXPECT_EQ(value, k);
  }
  EXPECT_EQ(index.Find(K(inserted).data(), &value), 0);
}

// 200,000 random inserts and finds against std::map, through a cache far
// smaller than the tree so that pages are written out and read back, for
// both page layouts the import uses, and for tiny pages that make branches
// even out and split all the time.
TEST(BTreeIndexRandom, MatchesStdMap) {
  struct Layout {
    int pageSize, keyWidth, valueWidth, operations;
  };
  for (const Layout layout :
       {Layout{2048, 4, 4, 200000}, Layout{8192, 23, 132, 30000}, Layout{40, 4, 4, 30000}}) {
    SCOPED_TRACE(layout.pageSize);
    TempDir dir;
    CBTreeIndex index;
    index.SetCacheBytes(static_cast<std::size_t>(layout.pageSize) * 16);
    ASSERT_EQ(index.Create(dir.File("r.idx"), layout.pageSize, layout.keyWidth, layout.valueWidth),
              1);
    const auto kw = static_cast<std::size_t>(layout.keyWidth);
    const auto vw = static_cast<std::size_t>(layout.valueWidth);
    std::map<std::vector<std::uint8_t>, std::vector<std::uint8_t>> model;
    std::mt19937 rng(42);
    auto makeKey = [&](std::uint32_t n) {
      std::vector<std::uint8_t> key(kw, ' ');
      auto k = K(n);
      std::copy(k.begin(), k.end(), key.begin());
      return key;
    };
    const std::uint32_t keyRange = static_cast<std::uint32_t>(layout.operations);
    std::vector<std::uint8_t> value(vw), got(vw);
    for (int op = 0; op < layout.operations; ++op) {
      auto key = makeKey(rng() % keyRange);
      for (auto& b : value) b = static_cast<std::uint8_t>(rng());
      const bool fresh = model.emplace(key, value).second;
      ASSERT_EQ(index.Insert(key.data(), value.data()), fresh ? 1 : 0) << op;
      auto probe = makeKey(rng() % keyRange);
      auto it = model.find(probe);
      const int found = index.Find(probe.data(), got.data());
      ASSERT_EQ(found != 0, it != model.end()) << op;
      if (found) {
        ASSERT_EQ(got, it->second) << op;
      }
    }
    EXPECT_EQ(index.Count(), model.size());
    std::vector<std::pair<std::vector<std::uint8_t>, std::vector<std::uint8_t>>> walked;
    index.Walk(
        [](std::uint16_t, void* context, const std::uint8_t* key, const std::uint8_t* v) {
          auto* w = static_cast<decltype(walked)*>(context);
          w->emplace_back(std::vector<std::uint8_t>(key, key + 4),
                          std::vector<std::uint8_t>(v, v + 1));
          return 1;
        },
        &walked);
    ASSERT_EQ(walked.size(), model.size());
    auto it = model.begin();
    for (std::size_t i = 0; i < walked.size(); ++i, ++it) {
      ASSERT_TRUE(std::equal(walked[i].first.begin(), walked[i].first.end(), it->first.begin()))
          << i;
      ASSERT_EQ(walked[i].second[0], it->second[0]) << i;
    }
  }
}

}  // namespace
