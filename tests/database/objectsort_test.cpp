// The object spools and the external merge sort: order, ties between runs,
// run boundaries, progress and Cancel, and that no work file outlives its
// sorter whatever way the sort ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "ObjectSorter.h"
#include "PersistentFile.h"
#include "SortFixture.h"
#include "TempObjectFile.h"
#include "TempObjectStore.h"

namespace {

// A row with a sort key and a tag that tells rows of equal keys apart.
class SortItem : public CPersistentObject {
  KOR_DECLARE_DYNCREATE(SortItem)

 public:
  SortItem() = default;
  SortItem(int key, int tag) : key(key), tag(tag) {}
  int Compare(const CPersistentObject* other) const override {
    const auto* o = dynamic_cast<const SortItem*>(other);
    return o == nullptr ? -1 : (key > o->key) - (key < o->key);
  }
  void Store(CPersistentFile* file) const override {
    file->WriteDword(static_cast<std::uint32_t>(key));
    file->WriteDword(static_cast<std::uint32_t>(tag));
  }
  void Load(CPersistentFile* file) override {
    key = static_cast<int>(file->ReadDword());
    tag = static_cast<int>(file->ReadDword());
  }
  int key = 0;
  int tag = 0;
};
KOR_IMPLEMENT_DYNCREATE(SortItem, 1)

std::unique_ptr<CPersistentObject> Item(int key, int tag = 0) {
  return std::make_unique<SortItem>(key, tag);
}

const SortItem& As(const std::unique_ptr<CPersistentObject>& object) {
  return dynamic_cast<const SortItem&>(*object);
}

std::vector<SortItem> ReadAll(CObjectSorter& sorter) {
  std::vector<SortItem> out;
  for (auto object = sorter.ReadAt(-1); object; object = sorter.GetNext())
    out.push_back(As(object));
  return out;
}

using TempObjectFileTest = SortFilesTest;

TEST_F(TempObjectFileTest, WritingAfterReadingStartsTheFileOver) {
  {
    CTempObjectFile file(true);
    ASSERT_FALSE(file.GetFileName().empty());
    EXPECT_EQ(std::filesystem::path(file.GetFileName()).parent_path(),
              std::filesystem::path(dir_.Path()).parent_path());
    ASSERT_TRUE(file.Write(Item(1).get()));
    ASSERT_TRUE(file.Write(Item(2).get()));
    auto a = file.ReadAt(-1);
    ASSERT_TRUE(a);
    std::int64_t second = file.GetPosition();
    auto b = file.ReadNext();
    ASSERT_TRUE(b);
    EXPECT_EQ(As(a).key, 1);
    EXPECT_EQ(As(b).key, 2);
    EXPECT_FALSE(file.ReadNext());
    auto again = file.ReadAt(second);
    ASSERT_TRUE(again);
    EXPECT_EQ(As(again).key, 2);

    ASSERT_TRUE(file.Write(Item(3).get()));
    auto c = file.ReadAt(-1);
    ASSERT_TRUE(c);
    EXPECT_EQ(As(c).key, 3);
    EXPECT_FALSE(file.ReadNext());
  }
  EXPECT_TRUE(WorkFiles().empty());
}

TEST_F(TempObjectFileTest, FileStaysWithoutTheDeleteFlag) {
  std::string name;
  {
    CTempObjectFile file(false);
    name = file.GetFileName();
    ASSERT_TRUE(file.Write(Item(7).get()));
  }
  EXPECT_TRUE(std::filesystem::exists(name));
}

TEST_F(TempObjectFileTest, StorePositionIsMinusOneWhileClosed) {
  CTempObjectStore store(10, true);
  EXPECT_EQ(store.GetPosition(), -1);
  EXPECT_FALSE(store.ReadNext());
}

using ObjectSorterTest = SortFilesTest;

TEST_F(ObjectSorterTest, FullRunSpoolsAtCapacityLessOne) {
  CObjectSorter sorter(1000);
  for (int i = 0; i < 998; ++i) ASSERT_EQ(sorter.Add(Item(i)), 1) << i;
  EXPECT_EQ(sorter.Add(Item(998)), 0);  // the 999th object fills the run
  EXPECT_EQ(sorter.RunCount(), 1);
  EXPECT_EQ(sorter.Add(Item(999)), 1);  // the 1000th starts run 2
  EXPECT_EQ(sorter.RunCount(), 2);
}

TEST_F(ObjectSorterTest, EqualObjectsOfTwoRunsComeOutWithTheSecondRunsFirst) {
  CObjectSorter sorter(3);  // runs of two objects
  sorter.Add(Item(5, 1));
  sorter.Add(Item(7, 1));
  sorter.Add(Item(9, 2));
  sorter.Add(Item(5, 2));
  ASSERT_EQ(sorter.Sort(), 1);
  std::vector<std::pair<int, int>> got;
  for (const SortItem& item : ReadAll(sorter)) got.emplace_back(item.key, item.tag);
  EXPECT_EQ(got, (std::vector<std::pair<int, int>>{{5, 2}, {5, 1}, {7, 1}, {9, 2}}));
}

// Every object comes back once, in key order, and equal keys of different
// runs come out later run first, whatever the number of runs (odd counts
// get an empty partner at some level).
TEST_F(ObjectSorterTest, SortsEveryCountOfRuns) {
  constexpr int kCapacity = 1000;
  for (int count : {1, 998, 999, 1000, 1998, 2997, 4995, 7000}) {
    SCOPED_TRACE(count);
    std::mt19937 rng(static_cast<unsigned>(count));
    std::uniform_int_distribution<int> keys(0, count / 3 + 1);  // plenty of ties
    std::multimap<int, int> expected;
    {
      CObjectSorter sorter(kCapacity);
      for (int tag = 0; tag < count; ++tag) {
        int key = keys(rng);
        expected.emplace(key, tag);
        sorter.Add(Item(key, tag));
      }
      EXPECT_EQ(sorter.RunCount(), count / (kCapacity - 1) + (count % (kCapacity - 1) != 0));
      ASSERT_EQ(sorter.Sort(), 1);
      EXPECT_EQ(WorkFiles().size(), 1u);  // only the result is left
      std::vector<SortItem> got = ReadAll(sorter);
      ASSERT_EQ(got.size(), static_cast<std::size_t>(count));
      std::vector<int> tags;
      for (std::size_t i = 0; i < got.size(); ++i) {
        tags.push_back(got[i].tag);
        if (i == 0) continue;
        ASSERT_LE(got[i - 1].key, got[i].key) << i;
        if (got[i - 1].key == got[i].key) {
          ASSERT_GE(got[i - 1].tag / (kCapacity - 1), got[i].tag / (kCapacity - 1)) << i;
        }
      }
      std::sort(tags.begin(), tags.end());
      for (int tag = 0; tag < count; ++tag) ASSERT_EQ(tags[static_cast<std::size_t>(tag)], tag);
    }
    EXPECT_TRUE(WorkFiles().empty());
  }
}

TEST_F(ObjectSorterTest, EmptySorterHasNothingToSortOrRead) {
  CObjectSorter sorter(1000);
  EXPECT_EQ(sorter.Sort(), 0);
  EXPECT_EQ(sorter.Error(), ObjectSortError::kNone);
  EXPECT_FALSE(sorter.GetNext());
  EXPECT_FALSE(sorter.ReadAt(-1));
  EXPECT_EQ(sorter.GetPosition(), -1);
}

TEST_F(ObjectSorterTest, SecondSortDoesNothingAndLaterObjectsAreRefused) {
  CObjectSorter sorter(10);
  sorter.Add(Item(2));
  sorter.Add(Item(1));
  ASSERT_EQ(sorter.Sort(), 1);
  EXPECT_EQ(sorter.Add(Item(0)), 0);
  EXPECT_EQ(sorter.Sort(), 0);
  std::vector<int> keys;
  for (const SortItem& item : ReadAll(sorter)) keys.push_back(item.key);
  EXPECT_EQ(keys, (std::vector<int>{1, 2}));
}

TEST_F(ObjectSorterTest, ReadAtReturnsToAPositionTaken) {
  CObjectSorter sorter(4);
  for (int k : {8, 3, 6, 1, 9, 4, 2}) sorter.Add(Item(k));
  ASSERT_EQ(sorter.Sort(), 1);
  ASSERT_TRUE(sorter.ReadAt(-1));
  sorter.GetNext();
  std::int64_t third = sorter.GetPosition();
  auto object = sorter.GetNext();
  ASSERT_TRUE(object);
  EXPECT_EQ(As(object).key, 3);
  while (sorter.GetNext()) {
  }
  auto back = sorter.ReadAt(third);
  ASSERT_TRUE(back);
  EXPECT_EQ(As(back).key, 3);
}

TEST(ObjectSorterSteps, CountMergeSteps) {
  const std::pair<int, int> cases[] = {{1, 1}, {2, 1}, {3, 2}, {4, 2}, {6, 5}, {8, 6}, {16, 14}};
  for (auto [runs, steps] : cases) EXPECT_EQ(CObjectSorter::CountMergeSteps(runs), steps) << runs;
}

TEST_F(ObjectSorterTest, ProgressMovesThroughTheSpan) {
  plat::FakeProgress progress;
  CObjectSorter sorter(3);
  for (int k = 0; k < 16; ++k) sorter.Add(Item(15 - k));  // 8 runs
  ASSERT_EQ(sorter.Sort(&progress, 100, 60), 1);
  EXPECT_EQ(progress.position, 160);
  EXPECT_EQ(progress.cancelTests, 6);  // one per merge below the last
}

TEST_F(ObjectSorterTest, CancelStopsTheMergeAndRemovesItsFiles) {
  plat::FakeProgress progress;
  progress.cancelAfter = 2;
  {
    CObjectSorter sorter(3);
    for (int k = 0; k < 20; ++k) sorter.Add(Item(k % 7));
    EXPECT_EQ(sorter.Sort(&progress, 0, 100), 0);
    EXPECT_EQ(sorter.Error(), ObjectSortError::kCancelled);
    EXPECT_EQ(progress.cancelTests, 2);
    EXPECT_TRUE(WorkFiles().empty());
    EXPECT_FALSE(sorter.ReadAt(-1));
  }
  EXPECT_TRUE(boxes_.Calls().empty());
}

TEST_F(ObjectSorterTest, QuitRequestStopsTheMerge) {
  plat::FakeProgress progress;
  plat::FakeMessagePump pump;
  pump.quitAfter = 0;
  plat::ScopedMessagePump scoped(&pump);
  CObjectSorter sorter(3);
  for (int k = 0; k < 10; ++k) sorter.Add(Item(k));
  EXPECT_EQ(sorter.Sort(&progress, 0, 10), 0);
  EXPECT_EQ(sorter.Error(), ObjectSortError::kCancelled);
  EXPECT_TRUE(WorkFiles().empty());
}

// A run that cannot reach its file must not lose its objects silently.
TEST_F(ObjectSorterTest, RunThatCannotBeSpooledFailsTheSort) {
  CObjectSorter sorter(4);
  sorter.Add(Item(3));  // run 1's work file is made now
  std::filesystem::remove_all(dir_.Path());
  sorter.Add(Item(2));
  EXPECT_EQ(sorter.Add(Item(1)), 0);  // full, but the spool fails
  EXPECT_EQ(sorter.Error(), ObjectSortError::kSpoolFailed);
  EXPECT_EQ(sorter.Add(Item(0)), 0);
  EXPECT_EQ(sorter.Sort(), 0);
  EXPECT_FALSE(sorter.ReadAt(-1));
  ASSERT_EQ(boxes_.Calls().size(), 1u);
  EXPECT_NE(boxes_.Calls()[0].text.find("Writing file"), std::string::npos);
}

TEST_F(ObjectSorterTest, LastRunThatCannotBeSpooledFailsTheSort) {
  CObjectSorter sorter(100);
  sorter.Add(Item(3));
  sorter.Add(Item(1));
  std::filesystem::remove_all(dir_.Path());
  EXPECT_EQ(sorter.Sort(), 0);
  EXPECT_EQ(sorter.Error(), ObjectSortError::kSpoolFailed);
  EXPECT_EQ(boxes_.Calls().size(), 1u);
}

TEST_F(ObjectSorterTest, TwoSortersAtOnceKeepTheirOwnFiles) {
  CObjectSorter up(3), down(3);
  for (int k = 0; k < 9; ++k) {
    up.Add(Item(k, 1));
    down.Add(Item(-k, 2));
  }
  ASSERT_EQ(up.Sort(), 1);
  ASSERT_EQ(down.Sort(), 1);
  std::vector<SortItem> a = ReadAll(up), b = ReadAll(down);
  ASSERT_EQ(a.size(), 9u);
  ASSERT_EQ(b.size(), 9u);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(a[static_cast<std::size_t>(i)].key, i);
    EXPECT_EQ(a[static_cast<std::size_t>(i)].tag, 1);
    EXPECT_EQ(b[static_cast<std::size_t>(i)].key, i - 8);
    EXPECT_EQ(b[static_cast<std::size_t>(i)].tag, 2);
  }
}

}  // namespace
