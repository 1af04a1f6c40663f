// The shared pagination frame: page-entry lookups, the list key comparison,
// and passes run to the end, cancelled, starved of disk or of records.
#include "PaginationRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <limits>

#include "FakePaginatorWindow.h"
#include "FakePorts.h"
#include "TempDir.h"

namespace {

namespace fs = std::filesystem;
using rpt::BatchResult;
using rpt::PageEntry;
using rpt::PaginatorState;

std::unique_ptr<PageEntry> Entry(std::int32_t key) {
  auto entry = std::make_unique<PageEntry>();
  entry->key = key;
  return entry;
}

TEST(PageEntryLookups, FirstMatchInPageOrderOrNull) {
  PaginatorState state;
  EXPECT_EQ(rpt::FindPageEntry(state, 0), nullptr);
  EXPECT_EQ(rpt::FindPageEntryByPage(state, 1), nullptr);
  EXPECT_EQ(rpt::GetPageEntry(state, 0), nullptr);

  for (std::int32_t key : {5, 7, 5, -1}) state.AddPage(Entry(key));
  const struct {
    std::int32_t key;
    int index;  // -1 none
  } byKey[] = {{5, 0}, {7, 1}, {-1, 3}, {6, -1}, {0, -1}};
  for (const auto& c : byKey) {
    PageEntry* found = rpt::FindPageEntry(state, c.key);
    EXPECT_EQ(found, c.index < 0 ? nullptr : state.pageEntries[c.index].get()) << c.key;
  }
  for (int page = 0; page <= 5; ++page) {
    PageEntry* found = rpt::FindPageEntryByPage(state, page);
    if (page >= 1 && page <= 4) {
      ASSERT_NE(found, nullptr) << page;
      EXPECT_EQ(found, state.pageEntries[page - 1].get());
      EXPECT_EQ(found->page, page);
    } else {
      EXPECT_EQ(found, nullptr) << page;
    }
  }
  EXPECT_EQ(rpt::GetPageEntry(state, 2), state.pageEntries[2].get());
  EXPECT_EQ(rpt::GetPageEntry(state, 4), nullptr);
}

TEST(CompareListNameKeys, ComparesTheKeyBytesUnsigned) {
  const struct {
    std::size_t offset;
    std::uint8_t a, b;
    int sign;
  } cases[] = {
      {0, 1, 2, 0},      {23, 9, 1, 0},  {24, 'A', 'B', -1},
      {40, 'z', 'a', 1}, {57, 1, 2, -1}, {24, 0x80, 0x7F, 1},
  };
  for (const auto& c : cases) {
    std::uint8_t a[rpt::kListSortRecordSize] = {}, b[rpt::kListSortRecordSize] = {};
    a[c.offset] = c.a;
    b[c.offset] = c.b;
    const int result = rpt::CompareListNameKeys(a, b);
    EXPECT_EQ((result > 0) - (result < 0), c.sign) << "offset " << c.offset;
  }
}

// A list-style pass over the records 1..count: the even ones go into the
// list as their 4-byte number, ten to a page, with a page entry per page.
class ListPassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TMPDIR");
    oldTmp_ = old != nullptr ? old : "";
    hadTmp_ = old != nullptr;
    ::setenv("TMPDIR", temp_.Path().c_str(), 1);
  }
  void TearDown() override {
    if (hadTmp_)
      ::setenv("TMPDIR", oldTmp_.c_str(), 1);
    else
      ::unsetenv("TMPDIR");
  }

  rpt::PaginationPass MakePass(PaginatorState& state, rpt::PaginatorWindow& window,
                               rpt::RecordBatchPass& records, std::int32_t count) {
    state.linesPerPage = 10;
    records.next = [count](std::int32_t after) { return after < count ? after + 1 : 0; };
    records.include = [&state](std::int32_t rin) -> std::vector<std::uint8_t> {
      if (rin % 2 != 0) return {};
      if (state.recordCounter % state.linesPerPage == 0) state.AddPage(Entry(rin));
      std::vector<std::uint8_t> record(4);
      rpt::PutInt32LE(record, 0, rin);
      return record;
    };
    records.lastRecord = count;
    rpt::PaginationPass pass;
    pass.title = "Test List";
    pass.fileErrorName = "Test List";
    pass.neededBytes = 4096;
    pass.files = {{&state.workFile, "~KorDUPLS.TMP"}};
    pass.cleanup = [&state, this] {
      ++cleanups_;
      state.Clear();
    };
    pass.prepare = [&records] {
      records.Start();
      return BatchResult::Done;
    };
    pass.batch = [&records] { return records.RunBatch(); };
    pass.pageCount = [&records] { return records.PageCount(); };
    (void)window;
    return pass;
  }

  // Files left anywhere under the temporary folder.
  int FilesLeft() const {
    int files = 0;
    for (const auto& item : fs::recursive_directory_iterator(temp_.Path()))
      if (!item.is_directory()) ++files;
    return files;
  }

  TempDir temp_;
  int cleanups_ = 0;

 private:
  std::string oldTmp_;
  bool hadTmp_ = false;
};

TEST_F(ListPassTest, AFinishedPassKeepsItsRecordsAndPages) {
  PaginatorState state;
  CancellingPaginatorWindow window;
  rpt::RecordBatchPass records(state, window);
  const rpt::PaginationPass pass = MakePass(state, window, records, 100);
  EXPECT_EQ(rpt::RunPagination(state, window, pass), 5);
  EXPECT_EQ(state.recordCounter, 50u);
  EXPECT_EQ(state.pageEntries.size(), 5u);
  EXPECT_EQ(state.running, 0);
  // 100 records at 21 a batch: four pumps between five batches.
  EXPECT_EQ(window.pumps, 4);
  EXPECT_EQ(window.caption, "Test List");
  EXPECT_EQ(window.numbers, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  ASSERT_TRUE(state.workFile.IsOpen());
  const std::string path = state.workFile.Path();
  EXPECT_TRUE(fs::exists(path));
  EXPECT_NE(path.find("korvane-pages-"), std::string::npos) << path;
  std::uint8_t record[4];
  for (const auto& [index, rin] : {std::pair{0, 2}, {3, 8}, {49, 100}}) {
    ASSERT_TRUE(state.workFile.ReadRecord(index, record));
    EXPECT_EQ(rpt::GetInt32LE(record, 0), rin);
  }
  EXPECT_FALSE(state.workFile.ReadRecord(50, record)) << "past the records written";
  EXPECT_EQ(rpt::GetInt32LE(record, 0), 0);
  EXPECT_EQ(fs::file_size(path), 200u);

  // The kind's clean-up at the end of printing leaves nothing behind.
  state.Clear();
  EXPECT_EQ(FilesLeft(), 0);
  EXPECT_FALSE(fs::exists(fs::path(path).parent_path()));
}

TEST_F(ListPassTest, CancelAfterNPumpsReturnsZeroAndLeavesNothing) {
  for (int n : {1, 2, 4}) {
    PaginatorState state;
    CancellingPaginatorWindow window;
    window.cancelOnPump = n;
    rpt::RecordBatchPass records(state, window);
    const rpt::PaginationPass pass = MakePass(state, window, records, 100);
    cleanups_ = 0;
    EXPECT_EQ(rpt::RunPagination(state, window, pass), 0) << n;
    EXPECT_EQ(window.pumps, n) << "the pass stops at the pump that cancelled";
    EXPECT_EQ(cleanups_, 2) << "at the start and after the cancelled pass";
    EXPECT_TRUE(state.pageEntries.empty()) << n;
    EXPECT_FALSE(state.workFile.IsOpen()) << n;
    EXPECT_EQ(state.running, 0);
    EXPECT_EQ(FilesLeft(), 0) << n;
  }
}

TEST_F(ListPassTest, AShortWriteEndsThePassWithTheSpaceMessage) {
  for (std::uint64_t limit : {0u, 4u, 100u}) {
    plat::FakeMessageBox box;
    plat::ScopedMessageBox scoped(&box);
    PaginatorState state;
    CancellingPaginatorWindow window;
    rpt::RecordBatchPass records(state, window);
    rpt::PaginationPass pass = MakePass(state, window, records, 100);
    pass.createFile = ShortWritingFile::Creator(limit);
    EXPECT_EQ(rpt::RunPagination(state, window, pass), 0) << limit;
    ASSERT_EQ(box.Calls().size(), 1u) << limit;
    EXPECT_NE(box.Calls()[0].text.find("insufficient space"), std::string::npos);
    EXPECT_EQ(box.Calls()[0].caption, "Test List");
    EXPECT_TRUE(state.pageEntries.empty());
    EXPECT_EQ(FilesLeft(), 0) << limit;
  }
}

TEST_F(ListPassTest, AnEmptyRangeEndsAtOnce) {
  PaginatorState state;
  CancellingPaginatorWindow window;
  window.cancelOnPump = 1;
  rpt::RecordBatchPass records(state, window);
  rpt::PaginationPass pass = MakePass(state, window, records, 0);
  EXPECT_EQ(rpt::RunPagination(state, window, pass), 0);
  EXPECT_EQ(window.pumps, 0);
  EXPECT_EQ(cleanups_, 1) << "only the clean-up at the start";
  EXPECT_EQ(state.recordCounter, 0u);
  EXPECT_EQ(window.numbers, std::vector<int>{0});
}

TEST_F(ListPassTest, TooLittleRoomOrNoFileStopsBeforeThePass) {
  {
    plat::FakeMessageBox box;
    plat::ScopedMessageBox scoped(&box);
    PaginatorState state;
    CancellingPaginatorWindow window;
    rpt::RecordBatchPass records(state, window);
    rpt::PaginationPass pass = MakePass(state, window, records, 100);
    pass.neededBytes = std::numeric_limits<std::uint64_t>::max() / 2;
    EXPECT_EQ(rpt::RunPagination(state, window, pass), 0);
    ASSERT_EQ(box.Calls().size(), 1u);
    EXPECT_NE(box.Calls()[0].text.find("insufficient space"), std::string::npos);
    EXPECT_EQ(box.Calls()[0].flags & plat::kMbIconMask, unsigned{plat::kMbIconExclamation});
    EXPECT_TRUE(window.numbers.empty()) << "the window never opened";
  }
  {
    plat::FakeMessageBox box;
    plat::ScopedMessageBox scoped(&box);
    PaginatorState state;
    CancellingPaginatorWindow window;
    rpt::RecordBatchPass records(state, window);
    rpt::PaginationPass pass = MakePass(state, window, records, 100);
    pass.createFile = [](const std::string&,
                         int& error) -> std::unique_ptr<plat::RandomAccessFile> {
      error = plat::kFileAccessDenied;
      return nullptr;
    };
    EXPECT_EQ(rpt::RunPagination(state, window, pass), 0);
    ASSERT_EQ(box.Calls().size(), 1u);
    EXPECT_NE(box.Calls()[0].text.find("Test List"), std::string::npos) << box.Calls()[0].text;
    EXPECT_NE(box.Calls()[0].text.find("Temp File"), std::string::npos) << box.Calls()[0].text;
    EXPECT_TRUE(window.numbers.empty());
    EXPECT_EQ(FilesLeft(), 0);
  }
}

}  // namespace
