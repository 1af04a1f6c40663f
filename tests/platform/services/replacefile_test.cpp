// Replacing a file through a temporary file in its folder: a failed write
// leaves the old file whole and no temporary file behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "FileHandle.h"
#include "ReplaceFile.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

TEST(ReplaceFile, ReplacesOnlyWhenTheWriteCompletes) {
  TempDir dir;
  const std::string target = dir.File("layout.lyt");
  WriteAll(target, "old contents");
  ::chmod(target.c_str(), 0640);

  // A write that fails halfway leaves the old file and no temporary file.
  const int cause = ReplaceFileContents(
      target, [](plat::FileHandle& file) { return file.WriteAt(0, "new", 3) && false; });
  EXPECT_NE(cause, 0);
  EXPECT_EQ(ReadAll(target), "old contents");
  EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"layout.lyt"});

  // A complete write replaces it and keeps its permission bits.
  ASSERT_EQ(
      ReplaceFileContents(target, [](plat::FileHandle& file) { return file.WriteAt(0, "new", 3); }),
      0);
  EXPECT_EQ(ReadAll(target), "new");
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"layout.lyt"});

  // A new file is created the same way.
  ASSERT_EQ(ReplaceFileContents(dir.File("new.fld"),
                                [](plat::FileHandle& file) { return file.WriteAt(0, "x", 1); }),
            0);
  EXPECT_EQ(ReadAll(dir.File("new.fld")), "x");
}

TEST(ReplaceFile, MissingFolderGivesTheCause) {
  TempDir dir;
  EXPECT_EQ(ReplaceFileContents(dir.File("none/file.lyt"), [](plat::FileHandle&) { return true; }),
            plat::kFileNotFound);
}

}  // namespace
