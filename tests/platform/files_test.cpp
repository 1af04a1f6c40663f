#include <gtest/gtest.h>

#include <sys/stat.h>

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
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
  TempDir dir;
  std::string path = dir.File("ro.orv");
  {
    plat::FileHandle f;
    ASSERT_EQ(f.Create(path), plat::kFileOk);
    ASSERT_TRUE(f.WriteAt(0, "x", 1));
  }
  ::chmod(path.c_str(), 0444);
  plat::FileHandle f;
  EXPECT_EQ(f.Open(path, plat::FileHandle::Access::ReadWrite), plat::kFileAccessDenied);
  ASSERT_EQ(f.Open(path, plat::FileHandle::Access::ReadWrite, true), plat::kFileOk);
  EXPECT_TRUE(f.IsReadOnly());
  EXPECT_FALSE(f.WriteAt(0, "y", 1));
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
