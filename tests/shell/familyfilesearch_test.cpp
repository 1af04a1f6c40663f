// The search for family files: what the walk finds and passes over, that
// link loops cannot trap it, the screen-update rhythm, Cancel, and the lines
// of the found-files list.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "AsUnprivilegedUser.h"
#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "FamilyFileSearch.h"
#include "IdentifyFamilyFile.h"
#include "TempDir.h"
#include "TestHelpers.h"
#include "TextMeasure.h"

namespace {

namespace fs = std::filesystem;

void MakeFamily(const std::string& path) {
  ASSERT_EQ(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
}

std::vector<std::string> FoundPaths(const CFamilyFileSearch& search) {
  std::vector<std::string> paths;
  for (const FoundFamilyFile& f : search.Found()) paths.push_back(f.path);
  std::sort(paths.begin(), paths.end());
  return paths;
}

// root/
//   a.orv                 family file
//   notes.txt
//   deep/er/b.orv         family file
//   old/indiv2.dat, marr2.dat, family.ini   an old-format family
//   loop -> root          a link back up: never followed
//   deep/er/up -> ../..   another loop
//   link.orv -> a.orv     a link to a file: checked
//   pipe.orv              a pipe: passed over
class SearchTree : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir.File("deep/er"));
    fs::create_directories(dir.File("old"));
    MakeFamily(dir.File("a.orv"));
    MakeFamily(dir.File("deep/er/b.orv"));
    WriteAll(dir.File("notes.txt"), "text");
    WriteAll(dir.File("old/indiv2.dat"), std::string(92 * 3, 'x'));
    WriteAll(dir.File("old/marr2.dat"), std::string(28 * 2, 'x'));
    WriteAll(dir.File("old/family.ini"), "[Family]\nFamilyName=Holm\n");
    fs::create_directory_symlink(dir.Path(), dir.File("loop"));
    fs::create_directory_symlink("../..", dir.File("deep/er/up"));
    fs::create_symlink(dir.File("a.orv"), dir.File("link.orv"));
    ASSERT_EQ(mkfifo(dir.File("pipe.orv").c_str(), 0600), 0);
  }
  TempDir dir;
};

TEST_F(SearchTree, FindsEveryFamilyFileOnceAndEnds) {
  CFamilyFileSearch search;
  std::vector<std::string> folders;
  search.onFolder = [&](const std::string& f) { folders.push_back(f); };
  ASSERT_TRUE(search.Run({dir.Path()}));
  EXPECT_FALSE(search.Cancelled());
  const std::vector<std::string> expected = {dir.File("a.orv"), dir.File("deep/er/b.orv"),
                                             dir.File("link.orv"), dir.File("old/indiv2.dat")};
  EXPECT_EQ(FoundPaths(search), expected);
  // Regular files and links to files: a.orv, notes.txt, b.orv, the three
  // old-format files and link.orv.
  EXPECT_EQ(search.FilesChecked(), 7u);
  EXPECT_EQ(search.FilesFound(), 4u);
  // The root is shown with "...", each folder once.
  ASSERT_FALSE(folders.empty());
  EXPECT_EQ(folders.front(), dir.Path() + "...");
  EXPECT_EQ(std::count(folders.begin(), folders.end(), dir.File("deep/er") + "/"), 1);
  EXPECT_EQ(std::count(folders.begin(), folders.end(), dir.File("loop") + "/"), 0);

  const auto old = std::find_if(search.Found().begin(), search.Found().end(),
                                [](const FoundFamilyFile& f) { return f.type == 100; });
  ASSERT_NE(old, search.Found().end());
  EXPECT_EQ(old->familyName, "Holm");
  EXPECT_EQ(old->individuals, 2);
  EXPECT_EQ(old->marriages, 1);
  EXPECT_EQ(old->reserved, 0);
}

TEST_F(SearchTree, RootsAreWalkedInOrderAndMissingOnesPassedOver) {
  CFamilyFileSearch search;
  std::vector<std::string> found;
  search.onFound = [&](const FoundFamilyFile& f) { found.push_back(f.path); };
  ASSERT_TRUE(search.Run({dir.File("deep"), dir.File("nowhere"), dir.File("old")}));
  const std::vector<std::string> expected = {dir.File("deep/er/b.orv"), dir.File("old/indiv2.dat")};
  EXPECT_EQ(found, expected);
}

TEST_F(SearchTree, UnreadableFolderIsSkipped) {
  ASSERT_EQ(chmod(dir.File("deep/er").c_str(), 0), 0);
  CFamilyFileSearch search;
  {
    AsUnprivilegedUser nobody;
    if (!nobody.Active()) GTEST_SKIP() << "cannot drop privileges";
    // nobody must reach the tree itself.
    search.Run({dir.Path()});
  }
  chmod(dir.File("deep/er").c_str(), 0755);
  const auto paths = FoundPaths(search);
  EXPECT_EQ(std::count(paths.begin(), paths.end(), dir.File("deep/er/b.orv")), 0);
}

TEST(FamilyFileSearchTest, ScreenUpdateEveryTwentyFifthEntryAndCancel) {
  TempDir dir;
  for (int i = 0; i < 60; ++i) WriteAll(dir.File("f" + std::to_string(i) + ".txt"), "x");
  for (int i = 0; i < 10; ++i) fs::create_directory(dir.File("d" + std::to_string(i)));

  CFamilyFileSearch all;
  int updates = 0;
  all.onScreenUpdate = [&] { ++updates; };
  ASSERT_TRUE(all.Run({dir.Path()}));
  EXPECT_EQ(all.FilesChecked(), 60u);
  EXPECT_EQ(updates, 70 / CFamilyFileSearch::kUpdateInterval);

  // Cancel pressed during the first screen update: the walk stops before
  // the next entry.
  CFamilyFileSearch cancelled;
  std::uint32_t checkedAtCancel = 0;
  cancelled.onScreenUpdate = [&] {
    checkedAtCancel = cancelled.FilesChecked();
    cancelled.Cancel();
  };
  EXPECT_FALSE(cancelled.Run({dir.Path(), dir.Path()}));
  EXPECT_TRUE(cancelled.Cancelled());
  EXPECT_EQ(cancelled.FilesChecked(), checkedAtCancel);
  EXPECT_LE(cancelled.FilesChecked(), 25u);
}

TEST(FamilyFileSearchTest, ListLineShortensThePathOnly) {
  FoundFamilyFile f;
  f.path = "/home/anna/genealogy/families/lind.orv";
  f.familyName = "Lind Family";
  f.individuals = 1234;
  f.marriages = 56;
  const plat::FixedWidthTextMeasure measure(1);
  EXPECT_EQ(FoundFileListLine(f, measure, 100), f.path + "\tLind Family\t1234\t56");
  const std::string line = FoundFileListLine(f, measure, 20);
  const std::string shortPath = line.substr(0, line.find('\t'));
  EXPECT_LE(shortPath.size(), 20u);
  EXPECT_NE(shortPath.find("..."), std::string::npos);
  EXPECT_EQ(line.substr(shortPath.size()), "\tLind Family\t1234\t56");
}

}  // namespace
