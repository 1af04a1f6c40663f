#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "AsUnprivilegedUser.h"
#include "CodePage.h"
#include "FileHandle.h"
#include "FileSystem.h"
#include "ScopedCodePage.h"
#include "TempDir.h"

namespace {

TEST(FileHandle, PositionedWritesAndReadsAreExact) {
  TempDir dir;
  plat::FileHandle f;
  ASSERT_EQ(f.Create(dir.File("a.bin")), plat::kFileOk);
  ASSERT_TRUE(f.WriteAt(8192, "abc", 3));
  EXPECT_EQ(f.Size(), 8195);
  char buf[4] = {};
  ASSERT_TRUE(f.ReadAt(8192, buf, 3));
  EXPECT_STREQ(buf, "abc");
  // A read past the end is not exact and fails.
  EXPECT_FALSE(f.ReadAt(8193, buf, 4));
  EXPECT_EQ(f.ReadSomeAt(8193, buf, 4), 2);
  ASSERT_TRUE(f.Truncate(100));
  EXPECT_EQ(f.Size(), 100);
  EXPECT_TRUE(f.Flush());
}

TEST(FileHandle, SequentialCallsAdvanceThePosition) {
  TempDir dir;
  plat::FileHandle f;
  ASSERT_EQ(f.Create(dir.File("s.bin")), plat::kFileOk);
  EXPECT_EQ(f.Write("hello", 5), 5);
  EXPECT_EQ(f.Tell(), 5u);
  ASSERT_TRUE(f.Seek(1));
  char buf[3] = {};
  EXPECT_EQ(f.Read(buf, 2), 2);
  EXPECT_EQ(std::string(buf, 2), "el");
}

TEST(FileHandle, MissingFileAndExclusiveCreateReportCauses) {
  TempDir dir;
  plat::FileHandle f;
  EXPECT_EQ(f.Open(dir.File("none"), plat::FileHandle::Access::ReadWrite), plat::kFileNotFound);
  ASSERT_EQ(f.Create(dir.File("x")), plat::kFileOk);
  f.Close();
  EXPECT_EQ(f.Create(dir.File("x"), true), plat::kFileAccessDenied);
  EXPECT_FALSE(f.IsOpen());
}

TEST(FileHandle, UnwritableFileFallsBackToReadOnly) {
  TempDir dir;
  std::string path = dir.File("ro.orv");
  {
    plat::FileHandle f;
    ASSERT_EQ(f.Create(path), plat::kFileOk);
    ASSERT_TRUE(f.WriteAt(0, "x", 1));
  }
  ::chmod(path.c_str(), 0444);
  ::chmod(dir.Path().c_str(), 0755);
  AsUnprivilegedUser user;  // root may write any file
  if (!user.Active()) GTEST_SKIP() << "no unprivileged user to test with";
  plat::FileHandle f;
  EXPECT_EQ(f.Open(path, plat::FileHandle::Access::ReadWrite), plat::kFileAccessDenied);
  ASSERT_EQ(f.Open(path, plat::FileHandle::Access::ReadWrite, true), plat::kFileOk);
  EXPECT_TRUE(f.IsReadOnly());
  EXPECT_FALSE(f.WriteAt(0, "y", 1));
  char c = 0;
  EXPECT_TRUE(f.ReadAt(0, &c, 1));
  EXPECT_EQ(c, 'x');
}

TEST(FileSystem, SameFileSeesThroughOtherNames) {
  TempDir dir;
  std::string a = dir.File("fam.orv");
  plat::FileHandle f;
  ASSERT_EQ(f.Create(a), plat::kFileOk);
  ASSERT_EQ(::symlink(a.c_str(), dir.File("fam.orl").c_str()), 0);
  EXPECT_TRUE(plat::IsSameFile(a, dir.File("fam.orl")));
  EXPECT_TRUE(plat::IsSameFile(a, dir.Path() + "./fam.orv"));
  EXPECT_FALSE(plat::IsSameFile(a, dir.File("other")));
}

TEST(FileSystem, TimesSizesAndFreeSpace) {
  TempDir dir;
  std::string p = dir.File("t");
  plat::FileHandle f;
  ASSERT_EQ(f.Create(p), plat::kFileOk);
  ASSERT_TRUE(f.WriteAt(0, "1234", 4));
  EXPECT_EQ(plat::FileSize(p), 4);
  ASSERT_TRUE(plat::SetFileModified(p, 1000000000));
  EXPECT_EQ(plat::GetFileTimes(p)->modified, 1000000000);
  EXPECT_GT(plat::FreeDiskBytes(dir.Path()), 0u);
  EXPECT_EQ(plat::FreeDiskBytes(dir.File("no/such")), 0u);
  EXPECT_EQ(plat::TempFolder().back(), '/');
  EXPECT_TRUE(plat::DeleteFile(p));
  EXPECT_FALSE(plat::FileExists(p));
}

}  // namespace

namespace {

// Reads through the block cache agree with the file whatever was written
// before or after the blocks came into the cache.
TEST(FileHandleCache, ReadsSeeEveryWriteThroughTheHandle) {
  TempDir dir;
  plat::FileHandle f;
  ASSERT_EQ(f.Create(dir.File("c.bin")), plat::kFileOk);
  std::vector<std::uint8_t> model(3 * 16 + 5);
  for (std::size_t i = 0; i < model.size(); ++i) model[i] = static_cast<std::uint8_t>(i);
  ASSERT_TRUE(f.WriteAt(0, model.data(), model.size()));
  f.EnableCache(16, 8);  // small blocks, room for all of them

  auto expectAll = [&] {
    std::vector<std::uint8_t> got(model.size() + 10, 0xEE);
    EXPECT_EQ(f.ReadSomeAt(0, got.data(), got.size()), static_cast<long long>(model.size()));
    got.resize(model.size());
    EXPECT_EQ(got, model);
  };
  expectAll();
  // A write across two cached blocks, one that is not cached, and one past the
  // old end (the partial last block grows, with zeros in the gap).
  const std::uint8_t patch[] = {0xA1, 0xA2, 0xA3, 0xA4};
  ASSERT_TRUE(f.WriteAt(14, patch, 4));
  std::copy(patch, patch + 4, model.begin() + 14);
  expectAll();
  ASSERT_TRUE(f.WriteAt(60, patch, 4));
  model.resize(64, 0);
  std::copy(patch, patch + 4, model.begin() + 60);
  expectAll();
  std::uint8_t one = 0;
  ASSERT_TRUE(f.ReadAt(62, &one, 1));
  EXPECT_EQ(one, 0xA3);
  EXPECT_FALSE(f.ReadAt(63, &one, 2));  // past the end stays a short read

  ASSERT_TRUE(f.Truncate(20));
  model.resize(20);
  expectAll();

  // Room for two blocks only: blocks are given up and read again, reads stay right.
  model.assign(80, 0);
  for (std::size_t i = 0; i < model.size(); ++i) model[i] = static_cast<std::uint8_t>(200 - i);
  ASSERT_TRUE(f.WriteAt(0, model.data(), model.size()));
  f.EnableCache(16, 2);
  for (std::uint64_t block : {0, 1, 2, 0, 3, 1, 4, 2}) {
    std::uint8_t b[16];
    ASSERT_TRUE(f.ReadAt(block * 16, b, 16));
    EXPECT_TRUE(std::equal(b, b + 16, model.begin() + block * 16)) << block;
    b[3] ^= 0xFF;  // and a write into the block just read
    ASSERT_TRUE(f.WriteAt(block * 16, b, 16));
    std::copy(b, b + 16, model.begin() + block * 16);
  }
  expectAll();
}

// A write of the bytes the cached blocks already hold does not reach the
// file (the handle's view is the cache), but one past the end of the file,
// even of zeros where the cache has none, grows it.
TEST(FileHandleCache, UnchangedWritesAreLeftOutButGrowthIsNot) {
  TempDir dir;
  const std::string path = dir.File("u.bin");
  plat::FileHandle f;
  ASSERT_EQ(f.Create(path), plat::kFileOk);
  const std::vector<std::uint8_t> data(20, 0x5A);
  ASSERT_TRUE(f.WriteAt(0, data.data(), data.size()));
  f.EnableCache(16, 8);
  std::vector<std::uint8_t> got(20);
  ASSERT_TRUE(f.ReadAt(0, got.data(), got.size()));

  // Another handle changes a byte; the same bytes again through the cached
  // handle leave it, a changed byte does not.
  plat::FileHandle other;
  ASSERT_EQ(other.Open(path, plat::FileHandle::Access::ReadWrite), plat::kFileOk);
  const std::uint8_t mark = 0x11;
  ASSERT_TRUE(other.WriteAt(3, &mark, 1));
  ASSERT_TRUE(f.WriteAt(0, data.data(), 8));
  std::uint8_t seen = 0;
  ASSERT_TRUE(other.ReadAt(3, &seen, 1));
  EXPECT_EQ(seen, mark);
  std::vector<std::uint8_t> changed(data.begin(), data.begin() + 8);
  changed[7] = 0x00;
  ASSERT_TRUE(f.WriteAt(0, changed.data(), changed.size()));
  ASSERT_TRUE(other.ReadAt(3, &seen, 1));
  EXPECT_EQ(seen, 0x5A);

  const std::vector<std::uint8_t> zeros(6, 0);
  ASSERT_TRUE(f.WriteAt(20, zeros.data(), zeros.size()));
  EXPECT_EQ(f.Size(), 26);
  EXPECT_EQ(other.Size(), 26);
}

// The blocks a write adds past the end of the file are known without reading
// them: they are kept as the write left them, so that a later read through the
// handle does not go to the file (another handle's change meanwhile is not
// seen, as for every cached block).
TEST(FileHandleCache, BlocksAddedPastTheEndAreKeptWithoutAReadBack) {
  TempDir dir;
  plat::FileHandle f;
  ASSERT_EQ(f.Create(dir.File("n.bin")), plat::kFileOk);
  f.EnableCache(16, 8);
  const std::vector<std::uint8_t> start(5, 0x21);
  ASSERT_TRUE(f.WriteAt(0, start.data(), start.size()));
  std::uint8_t b[5];
  ASSERT_TRUE(f.ReadAt(0, b, sizeof b));  // the partial last block is cached
  // Past the end: the rest of block 0, blocks 1 and 2 whole, block 3 in part;
  // then after a gap of a whole block, block 5 in part.
  const std::vector<std::uint8_t> grow(50, 0x42);
  ASSERT_TRUE(f.WriteAt(5, grow.data(), grow.size()));
  const std::uint8_t far[] = {0x63, 0x64};
  ASSERT_TRUE(f.WriteAt(82, far, sizeof far));

  plat::FileHandle other;
  ASSERT_EQ(other.Open(dir.File("n.bin"), plat::FileHandle::Access::ReadWrite), plat::kFileOk);
  const std::uint8_t mark = 0x7E;
  for (std::uint64_t at : {20, 40, 54, 83}) ASSERT_TRUE(other.WriteAt(at, &mark, 1));
  const struct {
    std::uint64_t at;
    std::uint8_t held;
  } cases[] = {{20, 0x42}, {40, 0x42}, {54, 0x42}, {83, 0x64}};
  for (const auto& c : cases) {
    std::uint8_t seen = 0;
    ASSERT_TRUE(f.ReadAt(c.at, &seen, 1));
    EXPECT_EQ(seen, c.held) << "at " << c.at;
  }
  // The gap reads as zeros and the file ends where the last write did.
  std::vector<std::uint8_t> all(100, 0xEE);
  ASSERT_EQ(f.ReadSomeAt(0, all.data(), all.size()), 84);
  EXPECT_EQ(all[60], 0);
  EXPECT_EQ(all[81], 0);
}

// A growing file: the block that ends it is kept while partial, and each
// write past the end (inside it, after a gap, or blocks further on) must show
// in later reads just as the file holds it.
TEST(FileHandleCache, PartialLastBlockFollowsTheGrowingFile) {
  TempDir dir;
  plat::FileHandle f;
  ASSERT_EQ(f.Create(dir.File("g.bin")), plat::kFileOk);
  f.EnableCache(16, 8);
  std::vector<std::uint8_t> model;
  struct Step {
    std::uint64_t pos;
    std::size_t len;
  };
  const Step steps[] = {
      {0, 5},   // a first partial block
      {5, 3},   // appended inside it
      {10, 2},  // after a gap of zeros inside it
      {11, 9},  // across its end into the next, partial, block
      {40, 3},  // blocks further on: block 1 becomes whole with zeros
      {2, 40},  // over everything written so far and one byte more
      {47, 1},  // the last byte of block 2
      {48, 0},  // nothing at all
  };
  std::uint8_t value = 1;
  for (const Step& step : steps) {
    // Read everything first, so the partial block is in the cache.
    std::vector<std::uint8_t> before(model.size() + 16, 0xEE);
    ASSERT_EQ(f.ReadSomeAt(0, before.data(), before.size()), static_cast<long long>(model.size()));
    std::vector<std::uint8_t> data(step.len);
    for (auto& b : data) b = value++;
    ASSERT_TRUE(f.WriteAt(step.pos, data.data(), data.size()));
    if (step.len > 0) {
      model.resize(std::max<std::size_t>(model.size(), step.pos + step.len), 0);
      std::copy(data.begin(), data.end(), model.begin() + step.pos);
    }
    std::vector<std::uint8_t> got(model.size() + 16, 0xEE);
    ASSERT_EQ(f.ReadSomeAt(0, got.data(), got.size()), static_cast<long long>(model.size()))
        << "after the write at " << step.pos;
    got.resize(model.size());
    EXPECT_EQ(got, model) << "after the write at " << step.pos;
    EXPECT_EQ(f.Size(), static_cast<long long>(model.size()));
  }
  // A read starting in the partial block stops at the end of the file.
  std::uint8_t tail[8];
  EXPECT_EQ(f.ReadSomeAt(44, tail, sizeof tail), 4);
  EXPECT_FALSE(f.ReadAt(46, tail, 3));
}

// The whole file as another handle reads it (positioned reads, no mapping).
std::vector<std::uint8_t> FileAsOthersSeeIt(const std::string& path) {
  plat::FileHandle other;
  EXPECT_EQ(other.Open(path, plat::FileHandle::Access::ReadOnly), plat::kFileOk);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max(other.Size(), 0LL)));
  EXPECT_EQ(other.ReadSomeAt(0, bytes.data(), bytes.size()), static_cast<long long>(bytes.size()));
  return bytes;
}

// The bytes of this process's mapping of path that are in its memory, from
// /proc/self/smaps; -1 when the file is not mapped.
long long MappedResidentBytes(const std::string& path) {
  std::ifstream smaps("/proc/self/smaps");
  bool inMapping = false;
  long long total = -1;
  for (std::string line; std::getline(smaps, line);) {
    // A mapping's first line starts with its address range, "start-end ".
    const std::string first = line.substr(0, line.find(' '));
    const bool header = first.find('-') != std::string::npos &&
                        first.find_first_not_of("0123456789abcdef-") == std::string::npos;
    if (header) {
      inMapping = line.size() >= path.size() &&
                  line.compare(line.size() - path.size(), path.size(), path) == 0;
      if (inMapping && total < 0) total = 0;
    } else if (inMapping && line.rfind("Rss:", 0) == 0) {
      total += std::stoll(line.substr(4)) * 1024;
    }
  }
  return total;
}

// Writes through a mapped handle reach the file at once, inside it, past its
// end, after a gap and after a truncation, and reads through it agree, from
// the chunks mapped by writes and from the blocks cached by reads alike.
TEST(FileHandleMapping, EveryWriteIsInTheFileWhenItReturns) {
  TempDir dir;
  const std::string path = dir.File("m.bin");
  plat::FileHandle f;
  ASSERT_EQ(f.Create(path), plat::kFileOk);
  f.EnableCache(4096, 64);
  f.EnableMapping(2 * 16384);  // two chunks: they are given back and mapped again
  std::vector<std::uint8_t> model(5000);
  for (std::size_t i = 0; i < model.size(); ++i) model[i] = static_cast<std::uint8_t>(i * 7);
  ASSERT_TRUE(f.WriteAt(0, model.data(), model.size()));
  EXPECT_TRUE(f.IsMapped());
  struct Step {
    std::uint64_t pos;
    std::size_t len;
    std::uint64_t truncateTo;  // before the write, when not 0
  };
  const Step steps[] = {
      {10, 20, 0},      // inside the first page
      {4090, 12, 0},    // across a page boundary
      {4995, 10, 0},    // across the end of the file
      {9000, 3, 0},     // after a gap of zeros
      {70000, 100, 0},  // chunks further on
      {65530, 12, 0},   // across a chunk boundary, now inside the file
      {100, 50, 3000},  // after the file was truncated
      {2990, 20, 0},    // across the new end
  };
  std::uint8_t value = 1;
  for (const Step& step : steps) {
    SCOPED_TRACE("write at " + std::to_string(step.pos));
    if (step.truncateTo > 0) {
      ASSERT_TRUE(f.Truncate(step.truncateTo));
      model.resize(step.truncateTo);
    }
    std::vector<std::uint8_t> data(step.len);
    for (auto& b : data) b = value++;
    ASSERT_TRUE(f.WriteAt(step.pos, data.data(), data.size()));
    model.resize(std::max<std::size_t>(model.size(), step.pos + step.len), 0);
    std::copy(data.begin(), data.end(), model.begin() + static_cast<std::ptrdiff_t>(step.pos));
    EXPECT_EQ(FileAsOthersSeeIt(path), model);
    std::vector<std::uint8_t> got(model.size() + 16, 0xEE);
    ASSERT_EQ(f.ReadSomeAt(0, got.data(), got.size()), static_cast<long long>(model.size()));
    got.resize(model.size());
    EXPECT_EQ(got, model);
    EXPECT_EQ(f.Size(), static_cast<long long>(model.size()));
  }
  EXPECT_TRUE(f.IsMapped());
}

// Reading and writing a file many times the budget keeps the mapping's part
// in memory within it, and nothing written is lost when parts are given back.
TEST(FileHandleMapping, KeepsToItsBudgetAndLosesNoWrite) {
  TempDir dir;
  const std::string path = dir.File("b.bin");
  constexpr std::size_t kSize = 16 << 20, kBudget = 4 << 20;
  {
    plat::FileHandle make;
    ASSERT_EQ(make.Create(path), plat::kFileOk);
    const std::vector<std::uint8_t> zeros(kSize, 0);
    ASSERT_TRUE(make.WriteAt(0, zeros.data(), zeros.size()));
  }
  plat::FileHandle f;
  ASSERT_EQ(f.Open(path, plat::FileHandle::Access::ReadWrite), plat::kFileOk);
  f.EnableMapping(kBudget);
  std::vector<std::uint8_t> model(kSize, 0);
  // Three passes of small writes over the whole file, each followed by a
  // read of everything: every part is given back and taken in again.
  for (int pass = 0; pass < 3; ++pass) {
    for (std::size_t pos = static_cast<std::size_t>(pass) * 997; pos + 40 <= kSize; pos += 5003) {
      std::uint8_t data[40];
      for (std::size_t i = 0; i < sizeof data; ++i)
        data[i] = static_cast<std::uint8_t>(pos + i + pass * 31);
      ASSERT_TRUE(f.WriteAt(pos, data, sizeof data));
      std::copy(data, data + sizeof data, model.begin() + static_cast<std::ptrdiff_t>(pos));
    }
    std::vector<std::uint8_t> got(kSize);
    ASSERT_EQ(f.ReadSomeAt(0, got.data(), got.size()), static_cast<long long>(kSize));
    EXPECT_EQ(got, model);
    ASSERT_TRUE(f.IsMapped());
    const long long resident = MappedResidentBytes(path);
    EXPECT_GT(resident, 0);
    EXPECT_LE(resident, static_cast<long long>(kBudget));
  }
  EXPECT_EQ(FileAsOthersSeeIt(path), model);
}

// A file cut short by another handle under a mapped one: reads past the new
// end are short, not a crash, and the handle goes on without the mapping.
TEST(FileHandleMapping, AFileCutShortUnderItReadsShortAndWritesOn) {
  TempDir dir;
  const std::string path = dir.File("c.bin");
  plat::FileHandle f;
  ASSERT_EQ(f.Create(path), plat::kFileOk);
  f.EnableMapping(1 << 20);
  const std::vector<std::uint8_t> data(256 << 10, 0x42);
  ASSERT_TRUE(f.WriteAt(0, data.data(), data.size()));
  ASSERT_TRUE(f.WriteAt(128 << 10, data.data(), 16));  // inside the file: its chunk is mapped
  ASSERT_TRUE(f.IsMapped());

  plat::FileHandle other;
  ASSERT_EQ(other.Open(path, plat::FileHandle::Access::ReadWrite), plat::kFileOk);
  ASSERT_TRUE(other.Truncate(64 << 10));
  std::uint8_t b[16];
  EXPECT_EQ(f.ReadSomeAt(128 << 10, b, sizeof b), 0);
  EXPECT_FALSE(f.IsMapped());
  EXPECT_EQ(f.ReadSomeAt(1000, b, sizeof b), static_cast<long long>(sizeof b));
  EXPECT_EQ(b[0], 0x42);
  ASSERT_TRUE(f.WriteAt(128 << 10, "end", 3));
  EXPECT_EQ(other.Size(), (128 << 10) + 3);
}

// Paths named with national letters: shown as code page text, and read back
// from settings in either form they were stored in.
TEST(PathText, NationalNamesInBothCodePages) {
  TempDir dir;
  for (const int codePage : {plat::kCodePageWestern, plat::kCodePageCentralEuropean}) {
    ScopedCodePage page(codePage);
    for (const std::string name : {"Släkt Åsa", "Łódź", "Ærø", "O'Neil family"}) {
      SCOPED_TRACE(name + " in " + std::to_string(codePage));
      const std::string path = dir.File(name);
      // Shown: the code page text that turns back into the same name.
      EXPECT_EQ(plat::AnsiToUtf8(plat::PathText(path)), path);
      // Stored now: the path's UTF-8 as it is.
      EXPECT_EQ(plat::PathFromStoredText(path), path);
      // Stored before: the path's bytes taken as code page text.
      const std::string earlier = plat::AnsiToUtf8(path);
      EXPECT_EQ(plat::PathFromStoredText(earlier), path);
      // A folder that really has the earlier form's name keeps it.
      if (earlier != path) {
        ASSERT_TRUE(plat::MakeDirectory(earlier));
        EXPECT_EQ(plat::PathFromStoredText(earlier), earlier);
        EXPECT_TRUE(plat::RemoveDirectory(earlier));
      }
    }
  }
  // Text that is no earlier form stays as it is.
  for (const std::string text : {"/home/anna/plain", "/data/Ã", "/data/Ã©tÃ"})
    EXPECT_EQ(plat::PathFromStoredText(text), text);
}

}  // namespace
