// The books' name index: the key, the record bytes, the page plan, and the
// index file read sorted, or unsorted after a failed sort.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "BookIndex.h"
#include "BookLayout.h"
#include "CodePage.h"
#include "FakePorts.h"
#include "FileHandle.h"
#include "MemoryFile.h"
#include "PaginatorState.h"
#include "ScopedCodePage.h"
#include "TempDir.h"

using namespace rpt;

TEST(BookIndexKey, CompactsTheThirtyFourColumns) {
  ScopedCodePage western(plat::kCodePageWestern);
  struct Case {
    const char* surname;
    const char* given1;
    const char* given2;
    const char* key;  // before the padding blanks
  } cases[] = {
      {"Smith", "John", "Paulus", "SMITH JOHN PA"},
      {"Smith", "John", "P", "SMITH JOHN P"},
      {"Smith", "John", "", "SMITH JOHN"},
      {"Smith", "", "Paul", "SMITH PA"},
      {"", "John", "", " JOHN"},  // the blank before the name stays
      // A full 16-letter surname leaves no blank before the given name.
      {"Abcdefghijklmnopqrst", "Jo", "", "ABCDEFGHIJKLMNOPJO"},
      {"Ashdown", "Bartholomew-Charles", "Xy", "ASHDOWN BARTHOLOMEW-CHARXY"},
      {"M\xfcller", "\xe9mile", "", "M\xdcLLER \xc9MILE"},
  };
  for (const Case& c : cases) {
    std::string expected = c.key;
    expected.resize(kBookIndexKeySize, ' ');
    EXPECT_EQ(MakeBookIndexKey(c.surname, c.given1, c.given2), expected) << c.surname;
  }
}

TEST(BookIndexRecord, SortNumbersAreBigEndianAndPayloadsLittleEndian) {
  const std::string key = MakeBookIndexKey("Bell", "Ann", "");
  const BookIndexRecord r =
      MakeBookIndexRecord(key, 0x01020304u, 0xA0B0C0D0u, 1, {7, -2, 0x01000000});
  EXPECT_EQ(std::string(r.begin(), r.begin() + 34), key);
  EXPECT_EQ(std::vector<int>(r.begin() + 34, r.begin() + 38), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(std::vector<int>(r.begin() + 38, r.begin() + 42),
            (std::vector<int>{0xA0, 0xB0, 0xC0, 0xD0}));
  const BookIndexEntry payload = BookIndexPayload(r.data());
  EXPECT_EQ(payload.payload1, 7);
  EXPECT_EQ(payload.payload2, -2);
  EXPECT_EQ(payload.payload3, 0x01000000);
  EXPECT_EQ(r[46], 7);

  // Equal names order by RIN as numbers: 2 before 256, whose low byte is 0.
  const BookIndexRecord low = MakeBookIndexRecord(key, 2, 9, 0, {});
  const BookIndexRecord high = MakeBookIndexRecord(key, 256, 1, 0, {});
  EXPECT_LT(CompareBookIndexKeys(low.data(), high.data()), 0);
  // The name comes first.
  const BookIndexRecord adams =
      MakeBookIndexRecord(MakeBookIndexKey("Adams", "Zoe", ""), 999, 0, 0, {});
  EXPECT_LT(CompareBookIndexKeys(adams.data(), low.data()), 0);
}

TEST(BookIndexPages, FirstPageThenFurtherPages) {
  struct Case {
    int lines, columns;
    std::uint32_t records;
    std::vector<std::uint32_t> starts;
  } cases[] = {
      {100, 2, 0, {0}},          {100, 2, 90, {0}},  // (100/2 - 5) x 2 fit the first page
      {100, 2, 91, {0, 90}},                         // then (97/2) x 2 = 96 a page
      {100, 2, 186, {0, 90}},    {100, 2, 187, {0, 90, 186}}, {101, 1, 45, {0}},  // (101/2 - 5) x 1
      {101, 1, 46, {0, 45}},     {101, 1, 94, {0, 45}},  // then (98/2) x 1 = 49 a page
      {101, 1, 95, {0, 45, 94}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BookIndexPageStarts(c.lines, c.columns, c.records), c.starts)
        << c.lines << " " << c.columns << " " << c.records;
}

class BookIndexFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BookIndex().Reset();
    auto file = std::make_unique<plat::FileHandle>();
    ASSERT_EQ(file->Create(dir.File(kBookIndexFileName)), plat::kFileOk);
    Paginator().indexFile.Adopt(std::move(file), dir.File(kBookIndexFileName));
  }
  void TearDown() override {
    BookIndexFile::SetSortWorkFile(nullptr, 4u << 20);
    Paginator().Clear();
    BookIndex().Reset();
  }
  // Records named by number n: descending keys, so the written order is the
  // reverse of the sorted one.
  void Write(int count) {
    for (int n = 0; n < count; ++n) {
      char name[16];
      std::snprintf(name, sizeof name, "N%06d", count - n);
      ASSERT_TRUE(BookIndex().Append(MakeBookIndexRecord(MakeBookIndexKey(name, "", ""),
                                                         static_cast<std::uint32_t>(n + 1), 0, 0,
                                                         {n + 1, 10 * n, 100 * n})));
    }
  }

  TempDir dir;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scoped{&boxes};
};

TEST_F(BookIndexFileTest, EntriesComeSortedAfterTheFirstRead) {
  Write(5);
  EXPECT_FALSE(BookIndex().Sorted());
  BookIndexEntry e;
  for (std::uint32_t n = 0; n < 5; ++n) {
    ASSERT_TRUE(GetBookIndexEntry(n, e));
    EXPECT_EQ(e.payload1, static_cast<std::int32_t>(5 - n)) << n;
    EXPECT_EQ(e.payload2, static_cast<std::int32_t>(10 * (4 - n)));
    EXPECT_EQ(e.payload3, static_cast<std::int32_t>(100 * (4 - n)));
  }
  EXPECT_TRUE(BookIndex().Valid());
  EXPECT_FALSE(GetBookIndexEntry(5, e));
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(BookIndexFileTest, AFailedSortLeavesTheRecordsPayloadsInWrittenOrder) {
  // The sort's runs must go to a work file that refuses every byte.
  MemoryFile memory;
  FailingFile refusing(memory, 0);
  BookIndexFile::SetSortWorkFile(&refusing, 0);
  const int count = 3000;  // more than one sort buffer
  Write(count);
  BookIndexEntry e;
  ASSERT_TRUE(GetBookIndexEntry(0, e));
  EXPECT_TRUE(BookIndex().Sorted());
  EXPECT_FALSE(BookIndex().Valid());
  ASSERT_EQ(boxes.Calls().size(), 1u);
  for (std::uint32_t n = 0; n < static_cast<std::uint32_t>(count); n += 299) {
    ASSERT_TRUE(GetBookIndexEntry(n, e));
    EXPECT_EQ(e.payload1, static_cast<std::int32_t>(n + 1)) << n;
    EXPECT_EQ(e.payload3, static_cast<std::int32_t>(100 * n)) << n;
  }
  EXPECT_EQ(boxes.Calls().size(), 1u) << "the sort is tried once";
}
