#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "AsUnprivilegedUser.h"
#include "FileHandle.h"
#include "FileSystem.h"
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

}  // namespace
