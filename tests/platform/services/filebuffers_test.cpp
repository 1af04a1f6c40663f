#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "FileFinder.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "MemoryBuffer.h"
#include "TempDir.h"
#include "TestHelpers.h"
#include "Win32File.h"

namespace {}  // namespace

TEST(Buffers, AllocationsAreZeroedAndReplaceOldData) {
  CGlobalBuffer global(16);
  ASSERT_NE(global.Data(), nullptr);
  EXPECT_EQ(global.Size(), 16u);
  EXPECT_TRUE(std::all_of(global.Data(), global.Data() + 16, [](auto b) { return b == 0; }));
  global.Free();
  EXPECT_EQ(global.Data(), nullptr);
  EXPECT_EQ(global.Size(), 0u);

  CGrowBuffer grow;
  std::uint8_t* p = grow.Allocate(4);
  ASSERT_NE(p, nullptr);
  std::fill(p, p + 4, std::uint8_t{0xAB});
  p = grow.Allocate(8);  // the old contents are not kept
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(grow.Size(), 8u);
  EXPECT_TRUE(std::all_of(p, p + 8, [](auto b) { return b == 0; }));
  EXPECT_EQ(grow.Allocate(0), nullptr);
  EXPECT_EQ(grow.Size(), 0u);
}

TEST(Win32File, Dispositions) {
  TempDir dir;
  const std::string name = dir.File("f.dat");
  CWin32File f;
  int error = -1;
  EXPECT_EQ(f.Open("", CWin32File::kGenericRead, CWin32File::kOpenExisting, 0, &error), 0);
  EXPECT_EQ(error, plat::kFileBadPath);
  EXPECT_EQ(f.Open(name, CWin32File::kGenericRead, CWin32File::kOpenExisting, 0, &error), 0);
  EXPECT_EQ(error, plat::kFileNotFound);
  EXPECT_EQ(f.Open(name, CWin32File::kGenericWrite, CWin32File::kTruncateExisting, 0, &error), 0);

  const unsigned rw = CWin32File::kGenericRead | CWin32File::kGenericWrite;
  ASSERT_EQ(f.Open(name, rw, CWin32File::kOpenAlways, 0, &error), 1);
  EXPECT_EQ(error, 0);
  ASSERT_TRUE(f.Handle().WriteAt(0, "12345", 5));
  ASSERT_EQ(f.Open(name, rw, CWin32File::kOpenAlways, 0, &error), 1);  // opens, keeps data
  EXPECT_EQ(f.Handle().Size(), 5);
  EXPECT_EQ(f.Open(name, rw, CWin32File::kCreateNew, 0, &error), 0);
  EXPECT_EQ(error, plat::kFileAccessDenied);
  ASSERT_EQ(f.Open(name, CWin32File::kGenericRead, CWin32File::kOpenExisting, 0, &error), 1);
  EXPECT_TRUE(f.Handle().IsReadOnly());
  ASSERT_EQ(f.Open(name, rw, CWin32File::kTruncateExisting, 0, &error), 1);
  EXPECT_EQ(f.Handle().Size(), 0);
  ASSERT_EQ(f.Open(name, rw, CWin32File::kCreateAlways, CWin32File::kDeleteOnClose, &error), 1);
  EXPECT_FALSE(plat::FileExists(name));
  EXPECT_TRUE(f.IsOpen());
  f.Close();
  EXPECT_FALSE(f.IsOpen());
}

TEST(BufferedWriter, WritesInBufferOrderAndFlushesAtTheEnd) {
  TempDir dir;
  const std::string name = dir.File("out.txt");
  plat::FileHandle file;
  ASSERT_EQ(file.Create(name), 0);
  {
    CBufferedFileWriter w(file, 8);
    EXPECT_EQ(w.Write("abc", 3), 1);
    EXPECT_EQ(w.Pending(), 3u);
    EXPECT_EQ(plat::FileSize(name), 0);
    EXPECT_EQ(w.Write("defgh", 5), 1);  // exactly fills the buffer
    EXPECT_EQ(w.Pending(), 8u);
    EXPECT_EQ(w.Write("ij", 2), 1);  // a full buffer is written first
    EXPECT_EQ(plat::FileSize(name), 8);
    EXPECT_EQ(w.Write("klmnopq", 7), 1);  // overflows: fill, write, keep the rest
    EXPECT_EQ(plat::FileSize(name), 16);
    EXPECT_EQ(w.Pending(), 1u);
    EXPECT_EQ(w.Write("0123456789", 10), 1);  // larger than the buffer: pending, then direct
    EXPECT_EQ(w.Pending(), 0u);
    EXPECT_EQ(w.Write("rs", 2), 1);
    EXPECT_EQ(ReadAll(name), "abcdefghijklmnopq0123456789");
  }  // the writer writes what is pending when it goes
  EXPECT_EQ(ReadAll(name), "abcdefghijklmnopq0123456789rs");
}

TEST(BufferedWriter, FailedWritesAreReported) {
  TempDir dir;
  WriteAll(dir.File("ro.txt"), "x");
  plat::FileHandle file;
  ASSERT_EQ(file.Open(dir.File("ro.txt"), plat::FileHandle::Access::ReadOnly), 0);
  CBufferedFileWriter w(file, 4);
  EXPECT_EQ(w.Write("ab", 2), 1);  // only buffered so far
  EXPECT_EQ(w.Flush(), 0);
  EXPECT_EQ(w.Write("abcdef", 6), 0);
  EXPECT_EQ(w.Write("abcd", 4), 1);
  EXPECT_EQ(w.Write("e", 1), 0);  // the full buffer could not be written
  EXPECT_EQ(ReadAll(dir.File("ro.txt")), "x");
}

TEST(FileFinder, ListsMatchingEntriesAndStartsAgainAfterTheEnd) {
  TempDir dir;
  WriteAll(dir.File("a.orv"), "1");
  WriteAll(dir.File("B.ORV"), "22");
  WriteAll(dir.File("c.txt"), "3");
  plat::MakeDirectory(dir.File("sub.orv"));

  CFileFinder finder;
  std::set<std::string> names;
  while (finder.FindNext(dir.Path() + "*.orv")) {
    names.insert(finder.Name());
    if (finder.Name() == "B.ORV") {
      EXPECT_EQ(finder.Size(), 2u);
    }
    EXPECT_EQ(finder.IsDirectory(), finder.Name() == "sub.orv");
  }
  EXPECT_EQ(names, (std::set<std::string>{"a.orv", "B.ORV", "sub.orv"}));
  ASSERT_EQ(finder.FindNext(dir.Path() + "c.*"), 1);
  EXPECT_EQ(finder.Name(), "c.txt");
  EXPECT_EQ(finder.FindNext(dir.Path() + "c.*"), 0);

  int dots = 0, all = 0;
  while (finder.FindNext(dir.Path() + "*.*")) {
    ++all;
    if (finder.IsDots()) ++dots;
  }
  EXPECT_EQ(dots, 2);
  EXPECT_EQ(all, 6);
  EXPECT_EQ(finder.FindNext(dir.File("missing") + "/*"), 0);
}

TEST(DeleteFiles, ClearsTheCurrentFolderWithoutFollowingLinks) {
  TempDir dir, outside;
  WriteAll(outside.File("precious.orv"), "keep");
  plat::MakeDirectory(dir.File("tree"));
  WriteAll(dir.File("tree/a.tmp"), "1");
  WriteAll(dir.File("tree/b.TMP"), "2");
  WriteAll(dir.File("tree/keep.orv"), "3");
  plat::MakeDirectory(dir.File("tree/sub.tmp"));
  WriteAll(dir.File("tree/sub.tmp/x.tmp"), "4");
  WriteAll(dir.File("tree/sub.tmp/y.orv"), "5");
  ASSERT_EQ(::symlink(outside.Path().c_str(), dir.File("tree/link.tmp").c_str()), 0);
  WriteAll(dir.File("tree/[x].tmp"), "6");

  const std::string before = plat::CurrentDirectory();
  ASSERT_TRUE(plat::SetCurrentDirectory(dir.File("tree")));
  DeleteFilesRecursive("*.tmp", false);  // files only; case ignored
  EXPECT_FALSE(plat::FileExists(dir.File("tree/a.tmp")));
  EXPECT_FALSE(plat::FileExists(dir.File("tree/b.TMP")));
  EXPECT_FALSE(plat::FileExists(dir.File("tree/[x].tmp")));
  EXPECT_TRUE(plat::FileExists(dir.File("tree/keep.orv")));
  EXPECT_TRUE(plat::FileExists(dir.File("tree/sub.tmp/x.tmp")));

  DeleteFilesRecursive("*", true);
  plat::SetCurrentDirectory(before);
  EXPECT_TRUE(std::filesystem::is_empty(dir.File("tree")));
  EXPECT_EQ(ReadAll(outside.File("precious.orv")), "keep");
}
