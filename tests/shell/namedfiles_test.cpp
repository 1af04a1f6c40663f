// Named files: the header in both versions, damaged headers, the enumerator
// of shared and family-file items, new file names, and writes that replace a
// file only when complete.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "AsUnprivilegedUser.h"
#include "CodePage.h"
#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "FileHandle.h"
#include "FileSystem.h"
#include "NamedFiles.h"
#include "OpenFamilyFixture.h"
#include "ScopedCodePage.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace fs = std::filesystem;

namespace {

std::string Word(unsigned v) {
  return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
std::string Text(const std::string& s) {
  return Word(static_cast<unsigned>(s.size() + 1)) + s + '\0';
}

// A marked header with an owner field of the given length word.
std::string Marked(const std::string& name, const std::string& ownerPart) {
  return Word(0xFF1E) + Text(name) + ownerPart;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

// Records what the enumerator hands on; answers from a list (1 when it runs out).
class Recorder : public CNamedFileEnumerator {
 public:
  using CNamedFileEnumerator::CNamedFileEnumerator;
  int OnNamedFile(const std::string& name, const std::string& path) override {
    seen.emplace_back(name, fs::path(path).filename().string());
    const std::size_t i = seen.size() - 1;
    return i < answers.size() ? answers[i] : 1;
  }
  std::vector<std::pair<std::string, std::string>> seen;  // name, file name
  std::vector<int> answers;
};

TEST(NamedFileHeader, OldHeaderWithoutMarkerReadsAsVersion29) {
  TempDir dir;
  WriteAll(dir.File("old.lyt"), std::string("\x05\x00Test\x00rest", 11));
  plat::FileHandle file;
  ASSERT_EQ(file.Open(dir.File("old.lyt"), plat::FileHandle::Access::ReadOnly), 0);
  std::string name;
  EXPECT_EQ(ReadNamedFileHeader(file, &name), 29);
  EXPECT_EQ(name, "Test");
  EXPECT_EQ(file.Tell(), 7u);  // the item's content follows
  EXPECT_EQ(ReadNamedFileHeader(file, nullptr), 29);
}

TEST(NamedFileHeader, RoundTripsInBothVersions) {
  TempDir dir;
  const struct {
    int version;
    const char* name;
    const char* owner;
    std::string bytes;
  } cases[] = {
      {30, "Wide chart", "", Word(0xFF1E) + Text("Wide chart") + Word(0)},
      {30, "Mine", "Andersen.orv", Word(0xFF1E) + Text("Mine") + Text("Andersen.orv")},
      {29, "Old one", "", Text("Old one")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CNamedFileHeader header;
    header.version = c.version;
    header.name = c.name;
    header.owner = c.owner;
    ASSERT_EQ(header.Encode(), c.bytes);
    const std::string path = dir.File("item");
    WriteAll(path, c.bytes + "CONTENT");
    plat::FileHandle file;
    ASSERT_EQ(file.Open(path, plat::FileHandle::Access::ReadOnly), 0);
    CNamedFileHeader read;
    EXPECT_EQ(read.Read(file), c.version);
    EXPECT_EQ(read.name, c.name);
    EXPECT_EQ(read.owner, c.owner);
    EXPECT_EQ(file.Tell(), c.bytes.size());
    std::string name;
    EXPECT_EQ(ReadNamedFileHeader(file, &name), c.version);
    EXPECT_EQ(name, c.name);
    EXPECT_EQ(file.Tell(), c.bytes.size());
  }
}

TEST(NamedFileHeader, ShortFilesReadAsZero) {
  TempDir dir;
  const std::string whole = Marked("Layout", Text("Family.orv"));
  for (std::size_t n = 0; n < whole.size(); ++n) {
    SCOPED_TRACE(n);
    WriteAll(dir.File("cut"), whole.substr(0, n));
    plat::FileHandle file;
    ASSERT_EQ(file.Open(dir.File("cut"), plat::FileHandle::Access::ReadOnly), 0);
    std::string name = "untouched";
    EXPECT_EQ(ReadNamedFileHeader(file, &name), 0);
    EXPECT_EQ(name, "untouched");
  }
  // An old header whose name runs past the end.
  WriteAll(dir.File("cut"), Word(9) + "abc");
  plat::FileHandle file;
  ASSERT_EQ(file.Open(dir.File("cut"), plat::FileHandle::Access::ReadOnly), 0);
  EXPECT_EQ(ReadNamedFileHeader(file, nullptr), 0);
}

TEST(NamedFileEnumerator, SharedItemsInTheFolder) {
  TempDir dir;
  Recorder items(".lyt");
  EXPECT_EQ(items.Pattern(), "*.lyt");
  EXPECT_EQ(Recorder("fld").Pattern(), "*.fld");
  items.SetFolder(dir.Path());
  WriteAll(dir.File("a.lyt"), Marked("Alpha", Word(0)) + "body");
  WriteAll(dir.File("b.LYT"), Text("Beta"));
  WriteAll(dir.File("c.lyt"), Marked("Gamma", Text("Other.orv")));  // owners do not matter here
  WriteAll(dir.File("long.lyt"), Marked(std::string(47, 'x'), Word(0)));  // 48 with the zero
  WriteAll(dir.File("max.lyt"), Marked(std::string(46, 'y'), Word(0)));
  WriteAll(dir.File("empty.lyt"), Word(0xFF1E) + Word(0));
  WriteAll(dir.File("short.lyt"), "\x1E");
  WriteAll(dir.File("cut.lyt"), Word(0xFF1E) + Word(20) + "abc");
  WriteAll(dir.File("a.txt"), Marked("Text", Word(0)));
  fs::create_directory(dir.File("folder.lyt"));

  EXPECT_EQ(items.Enumerate(), 4);
  std::sort(items.seen.begin(), items.seen.end(),
            [](const auto& a, const auto& b) { return a.second < b.second; });
  const std::vector<std::pair<std::string, std::string>> want = {
      {"Alpha", "a.lyt"}, {"Beta", "b.LYT"}, {"Gamma", "c.lyt"}, {std::string(46, 'y'), "max.lyt"}};
  EXPECT_EQ(items.seen, want);

  // 0 skips a file, a negative answer ends the scan.
  Recorder stopping(".lyt");
  stopping.SetFolder(dir.Path());
  stopping.answers = {0, 1, -1};
  EXPECT_EQ(stopping.Enumerate(), 1);
  EXPECT_EQ(stopping.seen.size(), 3u);
}

class NamedFilesOfAFamilyTest : public OpenFamilyFixture {
 protected:
  void SetUp() override {
    family = dir.File("Andersen.orv");
    OpenFamilyFixture::SetUp();
  }
};

TEST_F(NamedFilesOfAFamilyTest, OnlyItemsOfTheOpenFileAreListed) {
  Recorder items('t');
  EXPECT_EQ(items.Pattern(), "And*.ort");
  EXPECT_EQ(items.Folder(), dir.Path());
  WriteAll(dir.File("And00001.ort"), Marked("Upper owner", Text("ANDERSEN.ORV")));
  WriteAll(dir.File("And00002.ort"), Marked("Other owner", Text("Berg.orv")));
  WriteAll(dir.File("And00003.ort"), Text("Old header"));
  WriteAll(dir.File("And00004.ort"), Marked("No owner", Word(0)));
  WriteAll(dir.File("And00005.ort"), Marked("Owner too long", Word(261) + std::string(261, 'a')));
  WriteAll(dir.File("And00006.ort"), Marked("Owner cut", Word(13) + "Ander"));
  WriteAll(dir.File("And00007.orq"), Marked("Other kind", Word(0)));
  WriteAll(dir.File("Berg0001.ort"), Marked("Other family", Text("Andersen.orv")));
  EXPECT_EQ(items.Enumerate(), 3);
  std::vector<std::string> names;
  for (const auto& s : items.seen) names.push_back(s.first);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"No owner", "Old header", "Upper owner"}));
}

TEST_F(NamedFilesOfAFamilyTest, HeadersNameTheOwnerWithoutItsFolder) {
  ASSERT_EQ(WriteNamedFileHeader(dir.File("mine.ort"), "Mine", false), 0);
  EXPECT_EQ(ReadAll(dir.File("mine.ort")), Marked("Mine", Text("Andersen.orv")));
  ASSERT_EQ(WriteNamedFileHeader(dir.File("shared.lyt"), "Shared", true), 0);
  EXPECT_EQ(ReadAll(dir.File("shared.lyt")), Marked("Shared", Word(0)));

  Recorder items('t');
  ASSERT_EQ(items.CreateNamedFile("First"), 1);
  EXPECT_EQ(items.CreatedPath(), dir.File("And00001.ort"));
  ASSERT_EQ(items.CreateNamedFile("Second"), 1);
  EXPECT_EQ(items.CreatedPath(), dir.File("And00002.ort"));
  EXPECT_EQ(items.Enumerate(), 2);
}

TEST(NamedFileEnumerator, NewSharedFileNamesComeFromTheItemName) {
  TempDir dir;
  CNamedFileEnumerator layouts(".lyt");
  layouts.SetFolder(dir.Path());
  ASSERT_EQ(layouts.CreateNamedFile("My layout 2"), 1);
  EXPECT_EQ(layouts.CreatedPath(), dir.File("Mylayou1.lyt"));
  ASSERT_EQ(layouts.CreateNamedFile("My layout 2"), 1);
  EXPECT_EQ(layouts.CreatedPath(), dir.File("Mylayou2.lyt"));
  for (int i = 3; i <= 9; ++i) WriteAll(dir.File("Mylayou" + std::to_string(i) + ".lyt"), "x");
  ASSERT_EQ(layouts.CreateNamedFile("My layout 2"), 1);
  EXPECT_EQ(layouts.CreatedPath(), dir.File("Mylayo10.lyt"));
  plat::FileHandle file;
  ASSERT_EQ(file.Open(layouts.CreatedPath(), plat::FileHandle::Access::ReadOnly), 0);
  std::string name;
  EXPECT_EQ(ReadNamedFileHeader(file, &name), 30);
  EXPECT_EQ(name, "My layout 2");

  // Short names are filled with zeros; nothing usable gives eight of them.
  ASSERT_EQ(layouts.CreateNamedFile("A b"), 1);
  EXPECT_EQ(layouts.CreatedPath(), dir.File("Ab000001.lyt"));
  ASSERT_EQ(layouts.CreateNamedFile(" \t "), 1);
  EXPECT_EQ(layouts.CreatedPath(), dir.File("00000001.lyt"));
}

// Family files and items named with national letters: new files are named
// in whole letters of the family file's name or the item's, and an item is
// listed for its family file whatever the case of the name in its header or
// the form an earlier version wrote it in (code page text).
TEST(NamedFilesInNationalLetters, FamilyItemsAreNamedAndListedByTheFamilyName) {
  ScopedCodePage page(plat::kCodePageWestern);
  struct Case {
    std::string family, pattern, created, upper;
  } cases[] = {
      {"Släkt Åsa", "Slä*.ort", "Slä00001.ort", "SLÄKT ÅSA.ORV"},
      {"Łódź", "Łód*.ort", "Łód00001.ort", "ŁÓDŹ.ORV"},
      {"Ærø", "Ærø*.ort", "Ærø00001.ort", "ÆRØ.ORV"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.family);
    TempDir dir;
    fs::create_directories(dir.File(c.family));
    const std::string folder = dir.File(c.family) + "/";
    ASSERT_EQ(DbCreate(folder + c.family + ".orv", CFamilyDatabase::kCurrentFormat), 1);
    ASSERT_EQ(DbOpen(folder + c.family + ".orv", CFamilyDatabase::kCurrentFormat), 1);
    Recorder items('t');
    EXPECT_EQ(items.Pattern(), c.pattern);
    ASSERT_EQ(items.CreateNamedFile("Mine"), 1);
    EXPECT_EQ(items.CreatedPath(), folder + c.created);
    EXPECT_EQ(ReadAll(folder + c.created), Marked("Mine", Text(c.family + ".orv")));
    const std::string prefix = c.created.substr(0, c.created.size() - 9);
    WriteAll(folder + prefix + "00002.ort", Marked("Upper", Text(c.upper)));
    WriteAll(folder + prefix + "00003.ort",
             Marked("Code page", Text(plat::Utf8ToAnsi(c.family + ".orv"))));
    WriteAll(folder + prefix + "00004.ort", Marked("Other", Text(c.family + "2.orv")));
    EXPECT_EQ(items.Enumerate(), 3);
    std::vector<std::string> names;
    for (const auto& seen : items.seen) names.push_back(seen.first);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Code page", "Mine", "Upper"}));
    DbCloseCurrent();
  }
}

TEST(NamedFilesInNationalLetters, SharedItemsAreNamedInTheItemsLetters) {
  ScopedCodePage page(plat::kCodePageWestern);
  const std::pair<std::string, std::string> cases[] = {
      {"Släkt Åsa", "SläktÅs1.lyt"}, {"Łódź 1900", "Łódź1901.lyt"}, {"Ærø", "Ærø00001.lyt"}};
  TempDir dir;
  CNamedFileEnumerator layouts(".lyt");
  layouts.SetFolder(dir.Path());
  for (const auto& [item, file] : cases) {
    ASSERT_EQ(layouts.CreateNamedFile(plat::Utf8ToAnsi(item)), 1) << item;
    EXPECT_EQ(layouts.CreatedPath(), dir.File(file));
    plat::FileHandle handle;
    ASSERT_EQ(handle.Open(dir.File(file), plat::FileHandle::Access::ReadOnly), 0) << file;
    std::string name;
    EXPECT_EQ(ReadNamedFileHeader(handle, &name), 30);
    EXPECT_EQ(plat::AnsiToUtf8(name), item);
  }
}

// Shared items are written to the user's data folder, which an installed
// program's own folder is not; those kept beside the program before are
// still listed.
TEST(NamedFileEnumerator, SharedItemsLiveInTheUsersDataFolder) {
  TempDir data, old, home;
  const char* savedData = std::getenv("XDG_DATA_HOME");
  const std::string restoreData = savedData ? savedData : "";
  const std::string restoreHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("XDG_DATA_HOME", data.Path().c_str(), 1);

  Recorder layouts(".lyt");
  EXPECT_EQ(layouts.Folder(), data.Path() + "Korvane/");
  EXPECT_EQ(layouts.OldFolder(), fs::path(plat::ProgramPath()).parent_path().string() + "/");
  ASSERT_EQ(layouts.CreateNamedFile("Mine"), 1);
  EXPECT_EQ(layouts.CreatedPath(), data.Path() + "Korvane/Mine0001.lyt");
  layouts.SetOldFolder(old.Path());
  WriteAll(old.File("older.lyt"), Marked("Older", Word(0)));
  EXPECT_EQ(layouts.Enumerate(), 2);
  const std::vector<std::pair<std::string, std::string>> want = {{"Mine", "Mine0001.lyt"},
                                                                 {"Older", "older.lyt"}};
  EXPECT_EQ(layouts.seen, want);

  // Without XDG_DATA_HOME, the data home is ~/.local/share.
  ::unsetenv("XDG_DATA_HOME");
  const std::string homeFolder = home.Path().substr(0, home.Path().size() - 1);
  ::setenv("HOME", homeFolder.c_str(), 1);
  EXPECT_EQ(CNamedFileEnumerator("fld").Folder(), home.Path() + ".local/share/Korvane/");

  ::setenv("HOME", restoreHome.c_str(), 1);
  if (savedData)
    ::setenv("XDG_DATA_HOME", restoreData.c_str(), 1);
  else
    ::unsetenv("XDG_DATA_HOME");
}

// A replaced item keeps its old bytes when the new ones cannot be written
// completely (here: its folder takes no temporary file).
TEST(NamedFileWrite, FailedReplaceLeavesTheOldItemWhole) {
  TempDir dir;
  const std::string folder = dir.File("shared");
  fs::create_directory(folder);
  const std::string target = folder + "/filter.fld";
  WriteAll(target, "old filter");
  fs::permissions(dir.Path(), fs::perms::owner_all | fs::perms::others_exec);
  ::chmod(target.c_str(), 0666);  // the file itself may be written
  ::chmod(folder.c_str(), 0555);
  {
    AsUnprivilegedUser user;
    if (!user.Active()) GTEST_SKIP() << "cannot leave the privileged user";
    EXPECT_EQ(WriteNamedFile(target, "Filter", "", "new filter"), plat::kFileAccessDenied);
  }
  ::chmod(folder.c_str(), 0755);
  EXPECT_EQ(ReadAll(target), "old filter");
  EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"filter.fld"});

  ASSERT_EQ(WriteNamedFile(target, "Filter", "", "new filter"), 0);
  EXPECT_EQ(ReadAll(target), Marked("Filter", Word(0)) + "new filter");
  EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"filter.fld"});
}

}  // namespace
