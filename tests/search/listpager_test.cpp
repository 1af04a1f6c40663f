// Paging of the record lists over a key source: filling, scrolling by line
// and page, the scaled scroll bar, the list keys and "show results only".

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "DbCodes.h"
#include "ListPager.h"

namespace {

// Live keys held in memory; walks as the database calls do them.
class MemoryKeys : public CListKeySource {
 public:
  explicit MemoryKeys(std::set<std::int32_t> keys) : keys_(std::move(keys)) {}
  std::int32_t Walk(std::int32_t key, int mode) override {
    ++reads;
    switch (mode) {
      case db::kWalkNextOrSame: {
        auto it = keys_.lower_bound(key);
        return it == keys_.end() ? 0 : *it;
      }
      case db::kWalkNext: {
        auto it = keys_.upper_bound(key);
        return it == keys_.end() ? 0 : *it;
      }
      case db::kWalkPreviousOrSame: {
        auto it = keys_.upper_bound(key);
        return it == keys_.begin() ? 0 : *std::prev(it);
      }
      case db::kWalkPrevious: {
        auto it = keys_.lower_bound(key);
        return it == keys_.begin() ? 0 : *std::prev(it);
      }
      default:
        return keys_.count(key) ? key : 0;
    }
  }
  int reads = 0;

 private:
  std::set<std::int32_t> keys_;
};

std::set<std::int32_t> Range(std::int32_t from, std::int32_t to) {
  std::set<std::int32_t> out;
  for (std::int32_t k = from; k <= to; ++k) out.insert(k);
  return out;
}

std::vector<std::int32_t> Seq(std::int32_t from, std::int32_t to) {
  std::vector<std::int32_t> out;
  for (std::int32_t k = from; k <= to; ++k) out.push_back(k);
  return out;
}

}  // namespace

TEST(ListPager, FewerThan17KeysShowOnOnePageWithBothArrowsOff) {
  for (int count : {1, 5, 16}) {
    MemoryKeys keys(Range(3, 2 + count));
    CListPager pager(keys, 16, 16);
    pager.SetRange(3, 2 + count);
    pager.FillForward(3);
    EXPECT_EQ(pager.Keys(), Seq(3, 2 + count));
    const CListPager::ScrollBar bar = pager.Scroll();
    EXPECT_FALSE(bar.upEnabled) << count;
    EXPECT_FALSE(bar.downEnabled) << count;
  }
  MemoryKeys keys(Range(1, 17));
  CListPager pager(keys, 16, 16);
  pager.SetRange(1, 17);
  pager.FillForward(1);
  EXPECT_TRUE(pager.Scroll().downEnabled);
  EXPECT_FALSE(pager.Scroll().upEnabled);
}

TEST(ListPager, ScaleKeepsPositionsWithin32767) {
  struct Case {
    std::int32_t first, last, scale, minimum, maximum;
  };
  const Case cases[] = {
      {1, 1000, 1, 1, 984},     {1, 32766, 1, 1, 32750},       {1, 32767, 2, 0, 16375},
      {1, 100000, 4, 0, 24996}, {5000, 200000, 6, 833, 33330},
  };
  for (const Case& c : cases) {
    MemoryKeys keys({c.first, c.last});
    CListPager pager(keys, 16, 16);
    pager.SetRange(c.first, c.last);
    pager.FillForward(c.first);
    const CListPager::ScrollBar bar = pager.Scroll();
    EXPECT_EQ(bar.scale, c.scale) << c.last;
    EXPECT_EQ(bar.minimum, c.minimum) << c.last;
    EXPECT_EQ(bar.maximum, c.maximum) << c.last;
    // From the first RINs on, the positions stay within the scroll limit.
    if (c.first < c.scale) {
      EXPECT_LE(bar.maximum, CListPager::kScrollLimit);
    }
  }
}

TEST(ListPager, FillSkipsMissingKeysAndTopsUpBackwardAtTheEnd) {
  std::set<std::int32_t> live = Range(1, 60);
  for (std::int32_t gone : {5, 6, 7, 50}) live.erase(gone);
  MemoryKeys keys(live);
  CListPager pager(keys, 16, 16);
  pager.SetRange(1, 60);
  pager.FillForward(4);
  EXPECT_EQ(pager.Keys().front(), 4);
  EXPECT_EQ(pager.Keys()[1], 8);
  EXPECT_EQ(pager.Keys().size(), 16u);
  // Near the end the page fills backward so that it stays full.
  pager.FillForward(58);
  EXPECT_EQ(pager.Keys().back(), 60);
  EXPECT_EQ(pager.Keys().front(), 44);
  EXPECT_TRUE(pager.AtLast());
  EXPECT_EQ(pager.Scroll().position, pager.Scroll().maximum);
  EXPECT_FALSE(pager.Scroll().downEnabled);
  pager.FillBackward(20);
  EXPECT_EQ(pager.Keys().back(), 20);
  EXPECT_EQ(pager.Keys().size(), 16u);
}

TEST(ListPager, CentringPutsTheTargetEightLinesDownAndNeverBeforeTheFirst) {
  MemoryKeys keys(Range(1, 500));
  CListPager pager(keys, 16, 16);
  pager.SetRange(1, 500);
  pager.ShowKey(100, true);
  EXPECT_EQ(pager.Keys().front(), 92);
  EXPECT_EQ(pager.Selected(), 8);
  EXPECT_EQ(pager.CurrentKey(), 100);
  pager.ShowKey(3, true);
  EXPECT_EQ(pager.Keys().front(), 1);
  EXPECT_EQ(pager.Selected(), 2);
  // Keeping the selection's place instead of centring.
  pager.FillForward(200);
  pager.Select(5);
  EXPECT_EQ(pager.TopFor(300, false), 295);
}

TEST(ListPager, LinesAndThumbMoveThePage) {
  MemoryKeys keys(Range(1, 100000));
  CListPager pager(keys, 16, 16);
  pager.SetRange(1, 100000);
  pager.FillForward(1);
  pager.Select(2);
  EXPECT_FALSE(pager.LineUp());
  EXPECT_TRUE(pager.LineDown());
  EXPECT_EQ(pager.Keys().front(), 2);
  EXPECT_EQ(pager.Selected(), 1);  // the selection stays on key 3
  EXPECT_EQ(pager.ScrollLines(16), 16);
  EXPECT_EQ(pager.Selected(), -1);  // key 3 left the page
  EXPECT_EQ(pager.CurrentKey(), 3);

  // Thumb to the middle: key = position x scale.
  pager.ThumbTo(12500);
  EXPECT_EQ(pager.Keys().front(), 50000);
  EXPECT_EQ(pager.Scroll().position, 12500);
  EXPECT_TRUE(pager.Scroll().upEnabled && pager.Scroll().downEnabled);
  pager.ThumbTo(pager.Scroll().maximum);
  EXPECT_EQ(pager.Keys().back(), 100000);
  pager.ThumbTo(0);
  EXPECT_EQ(pager.Keys().front(), 1);
  // A position with fewer than a page of keys after it fills from the end.
  pager.ThumbTo(24998 - 1);
  EXPECT_EQ(pager.Keys().back(), 100000);
}

TEST(ListPager, ListKeysMoveTheSelectionAndStopAtTheEnds) {
  MemoryKeys keys(Range(1, 100));
  CListPager pager(keys, 16, 16);
  pager.SetRange(1, 100);
  pager.FillForward(1);
  pager.Select(0);
  for (auto key : {CListPager::Key::Up, CListPager::Key::PageUp, CListPager::Key::Home})
    EXPECT_FALSE(pager.HandleKey(key));
  EXPECT_TRUE(pager.HandleKey(CListPager::Key::Down));
  EXPECT_EQ(pager.CurrentKey(), 2);
  pager.Select(3);
  EXPECT_TRUE(pager.HandleKey(CListPager::Key::PageDown));
  EXPECT_EQ(pager.Keys().front(), 17);
  EXPECT_EQ(pager.Selected(), 3);
  EXPECT_EQ(pager.CurrentKey(), 20);
  pager.Select(15);
  EXPECT_TRUE(pager.HandleKey(CListPager::Key::Down));  // scrolls one line
  EXPECT_EQ(pager.Keys().front(), 18);
  EXPECT_EQ(pager.CurrentKey(), 33);
  EXPECT_TRUE(pager.HandleKey(CListPager::Key::End));
  EXPECT_EQ(pager.CurrentKey(), 100);
  EXPECT_EQ(pager.Selected(), 15);
  for (auto key : {CListPager::Key::Down, CListPager::Key::PageDown, CListPager::Key::End})
    EXPECT_FALSE(pager.HandleKey(key));
  // Page Down near the end moves as far as it can and keeps the selection
  // on the page.
  pager.FillForward(80);
  pager.Select(10);
  EXPECT_TRUE(pager.HandleKey(CListPager::Key::PageDown));
  EXPECT_EQ(pager.Keys().back(), 100);
  EXPECT_EQ(pager.CurrentKey(), 100);
  // Without a selection the current key moves a page and is selected.
  pager.FillForward(40);
  pager.SetCurrentKey(5);
  ASSERT_EQ(pager.Selected(), -1);
  EXPECT_TRUE(pager.HandleKey(CListPager::Key::PageDown));
  EXPECT_EQ(pager.CurrentKey(), 21);
  EXPECT_EQ(pager.Keys()[static_cast<std::size_t>(pager.Selected())], 21);
}

TEST(ListPager, ResultsOnlyPagesOverMembersByIndex) {
  MemoryKeys keys(Range(1, 100000));
  CListPager pager(keys, 16, 16);
  pager.SetRange(1, 100000);
  std::vector<std::int32_t> members;
  for (std::int32_t k = 37; k <= 100000; k += 97) members.push_back(k);
  pager.SetFilter(members);
  const int size = static_cast<int>(members.size());
  pager.FillForward(1);
  EXPECT_EQ(pager.Keys().front(), 37);
  EXPECT_EQ(pager.Keys()[1], 134);
  CListPager::ScrollBar bar = pager.Scroll();
  EXPECT_EQ(bar.minimum, 0);
  EXPECT_EQ(bar.maximum, size - 17);
  pager.ThumbTo(500);
  EXPECT_EQ(pager.TopIndex(), 500);
  EXPECT_EQ(pager.Keys().front(), members[500]);
  EXPECT_EQ(pager.Scroll().position, 500);
  // A target between members goes to the next member, centred by members.
  pager.ShowKey(members[300] - 5, true);
  EXPECT_EQ(pager.TopIndex(), 292);
  EXPECT_TRUE(pager.LineDown());
  EXPECT_EQ(pager.TopIndex(), 293);
  // A small filtered set sits on one page with both arrows off.
  pager.SetFilter({5, 9, 400});
  pager.FillForward(1);
  EXPECT_EQ(pager.Keys(), (std::vector<std::int32_t>{5, 9, 400}));
  bar = pager.Scroll();
  EXPECT_FALSE(bar.upEnabled || bar.downEnabled);
}

TEST(ListPager, ScrollingReadsOneKeyPerLine) {
  MemoryKeys keys(Range(1, 100000));
  CListPager pager(keys, 16, 16);
  pager.SetRange(1, 100000);
  pager.FillForward(5000);
  keys.reads = 0;
  ASSERT_TRUE(pager.LineDown());
  EXPECT_EQ(keys.reads, 1);
}
