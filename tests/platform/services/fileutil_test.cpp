#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "Clock.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "TempDir.h"
#include "TestHelpers.h"
#include "Win32File.h"

namespace {

void Touch(const std::string& path, const std::string& text = "x") { WriteAll(path, text); }

// Points the system temporary folder at a test folder and fixes the clock.
class TempNameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TMPDIR");
    hadTmp_ = old != nullptr;
    if (old) oldTmp_ = old;
    ::setenv("TMPDIR", dir_.Path().c_str(), 1);
  }
  void TearDown() override {
    if (hadTmp_)
      ::setenv("TMPDIR", oldTmp_.c_str(), 1);
    else
      ::unsetenv("TMPDIR");
    plat::SetFixedTime(0);
    SetOpenFamilyFileFolder("");
  }
  // A time whose low 20 bits are low20.
  static void FixCounterStart(std::uint32_t low20) {
    plat::SetFixedTime(static_cast<std::time_t>(0x60000000u | low20));
  }

  TempDir dir_;
  bool hadTmp_ = false;
  std::string oldTmp_;
};

}  // namespace

TEST(FileUtil, TempPrefixComesFromTheHint) {
  struct Case {
    const char* hint;
    const char* prefix;
  } cases[] = {{"", "~Kor"},   {"C:x", "~Kor"},   {"a\\b", "~Kor"}, {"dir/f", "~Kor"},
               {"GD1", "GD1"}, {"GEDCOM", "GED"}, {"ab", "ab"},     {"~KorRELS", "~Ko"}};
  for (const auto& c : cases) EXPECT_EQ(TempFilePrefix(c.hint), c.prefix) << c.hint;
}

TEST_F(TempNameTest, NamesStartAtTheClockAndWrapToZero) {
  FixCounterStart(0x12345);
  EXPECT_EQ(MakeTempFileName(0, "GD1"), dir_.Path() + "GD112345.TMP");

  FixCounterStart(0xFFFFF);
  Touch(dir_.File("~KorFFFFF.TMP"));
  EXPECT_EQ(MakeTempFileName(0, ""), dir_.Path() + "~Kor00000.TMP");
  Touch(dir_.File("~Kor00000.TMP"));
  EXPECT_EQ(MakeTempFileName(0, "C:\\x"), dir_.Path() + "~Kor00001.TMP");
}

TEST_F(TempNameTest, CreateTempFileSkipsTakenNamesAndDeletesOnClose) {
  FixCounterStart(0xFFFFF);
  Touch(dir_.File("tmpFFFFF.TMP"), "keep");
  CWin32File file;
  int error = -1;
  ASSERT_EQ(file.CreateTempFile("tmp", 0, &error, dir_.Path()), 1);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(file.Path(), dir_.Path() + "tmp00000.TMP");
  // The file lives by its handle only and has left no name behind.
  EXPECT_FALSE(plat::FileExists(file.Path()));
  ASSERT_TRUE(file.Handle().WriteAt(0, "abc", 3));
  char back[3] = {};
  ASSERT_TRUE(file.Handle().ReadAt(0, back, 3));
  EXPECT_EQ(std::string(back, 3), "abc");
  file.Close();
  EXPECT_EQ(plat::FileSize(dir_.File("tmpFFFFF.TMP")), 4);

  // Without a folder the system temporary folder is used.
  FixCounterStart(7);
  ASSERT_EQ(file.CreateTempFile("", 0, &error), 1);
  EXPECT_EQ(file.Path(), dir_.Path() + "~Kor00007.TMP");
}

TEST_F(TempNameTest, CreateTempFileFailures) {
  CWin32File file;
  int error = 0;
  EXPECT_EQ(file.CreateTempFile("", UINT64_MAX, &error, dir_.Path()), 0);
  EXPECT_EQ(error, plat::kFileDiskFull);
  EXPECT_EQ(file.CreateTempFile("", 0, &error, dir_.File("missing") + "/"), 0);
  EXPECT_EQ(error, plat::kFileNotFound);
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(TempNameTest, FolderWithSpace) {
  // Free space moves while other tests write; compare in megabytes.
  auto mb = [](std::uint64_t bytes) { return static_cast<double>(bytes >> 20); };
  std::string folder;
  std::uint64_t free = GetTempPathWithSpace(folder, 0);
  EXPECT_EQ(folder, dir_.Path());
  EXPECT_NEAR(mb(free), mb(plat::FreeDiskBytes(dir_.Path())), 64);

  // Nothing has this much room: the folder with the most room wins.
  TempDir family;
  SetOpenFamilyFileFolder(family.Path());
  free = GetTempPathWithSpace(folder, UINT64_MAX);
  EXPECT_NEAR(mb(free), mb(plat::FreeDiskBytes(folder)), 64);
  EXPECT_GE(mb(free) + 64, mb(plat::FreeDiskBytes(dir_.Path())));
  EXPECT_GE(mb(free) + 64, mb(plat::FreeDiskBytes(family.Path())));
  EXPECT_EQ(folder.back(), '/');
  SetOpenFamilyFileFolder("");
}

TEST(FileUtil, DiskFreeBytesInTwoHalves) {
  TempDir dir;
  std::uint64_t expected = plat::FreeDiskBytes(dir.Path());
  std::uint32_t high = 99;
  std::uint32_t low = GetDiskFreeBytes(dir.Path(), &high);
  // Free space moves while tests run; compare in megabytes.
  std::uint64_t got = (static_cast<std::uint64_t>(high) << 32) | low;
  EXPECT_NEAR(static_cast<double>(got >> 20), static_cast<double>(expected >> 20), 64);
  std::uint32_t capped = GetDiskFreeBytes(dir.Path());
  if (expected >= (std::uint64_t{1} << 32) + (std::uint64_t{1} << 28)) {
    EXPECT_EQ(capped, 0xFFFFFFFFu);
  } else if (expected < (std::uint64_t{1} << 32) - (std::uint64_t{1} << 28)) {
    EXPECT_LT(capped, 0xFFFFFFFFu);
  }
  // A file not created yet is asked about through its folder.
  EXPECT_NEAR(static_cast<double>(GetDiskFreeBytes(dir.File("new/file.orv"), &high) >> 20),
              static_cast<double>(low >> 20), 64);
  EXPECT_EQ(GetDiskFreeBytes("", &high), 0u);
  EXPECT_EQ(high, 0u);
}

TEST(FileUtil, MountTableGivesRealFileSystems) {
  const char* table =
      "sysfs /sys sysfs rw,nosuid 0 0\n"
      "proc /proc proc rw 0 0\n"
      "/dev/sda2 / ext4 rw,relatime 0 0\n"
      "tmpfs /run tmpfs rw,nosuid 0 0\n"
      "/dev/sdb1 /media/anna/USB\\040STICK vfat rw 0 0\n"
      "server:/export /mnt/nfs nfs4 rw 0 0\n"
      "/dev/sr0 /media/cdrom iso9660 ro 0 0\n"
      "/dev/sda3 /home ext4 ro,relatime 0 0\n";
  auto mounts = ParseMountTable(table);
  ASSERT_EQ(mounts.size(), 6u);
  EXPECT_EQ(mounts[0].root, "/");
  EXPECT_EQ(mounts[0].driveType, kDriveFixed);
  EXPECT_EQ(mounts[1].driveType, kDriveRamDisk);
  EXPECT_EQ(mounts[2].root, "/media/anna/USB STICK/");
  EXPECT_EQ(mounts[2].driveType, kDriveRemovable);
  EXPECT_EQ(mounts[3].driveType, kDriveRemote);
  EXPECT_EQ(mounts[4].driveType, kDriveCdRom);
  EXPECT_FALSE(mounts[0].readOnly);
  EXPECT_TRUE(mounts[5].readOnly);

  // The machine's own table: every fixed root is a folder; "/" lies on one.
  for (const std::string& root : GetDriveRoots(false, false)) {
    EXPECT_TRUE(plat::DirectoryExists(root)) << root;
    EXPECT_EQ(root.back(), '/');
  }
  EXPECT_NE(GetPathDriveType("/"), kDriveNoRoot);
  EXPECT_EQ(GetPathDriveType(""), kDriveNoRoot);
}

TEST(FileUtil, PathRootAndSplitting) {
  std::string root, rest;
  EXPECT_EQ(GetPathRoot("/home/anna/a.orv", &root, &rest), 3);
  EXPECT_EQ(root, "/");
  EXPECT_EQ(rest, "/home/anna/a.orv");
  EXPECT_EQ(GetPathRoot("data/a.orv", &root, nullptr), 1);
  EXPECT_EQ(GetPathRoot("data/a.orv", nullptr, &rest), 2);
  EXPECT_EQ(rest, "data/a.orv");
  EXPECT_EQ(GetPathRoot("", &root, &rest), 0);

  std::string dir, file;
  SplitPathDirFile("/home/anna/smith.orv", &dir, &file);
  EXPECT_EQ(dir, "/home/anna/");
  EXPECT_EQ(file, "smith.orv");
  SplitPathDirFile("smith.orv", &dir, &file);
  EXPECT_EQ(dir, "");
  EXPECT_EQ(file, "smith.orv");
  EXPECT_EQ(GetPathDirectory("/home/anna/", &file), "/home/anna/");
  EXPECT_EQ(file, "");
  EXPECT_EQ(GetPathDirectory("/a.orv"), "/");
}

TEST(FileUtil, PathPrefixLength) {
  struct Case {
    const char* folder;
    const char* path;
    std::size_t length;
  } cases[] = {
      {"/home/anna", "/home/anna", 10},
      {"/home/anna", "/HOME/Anna/x.orv", 11},   // case ignored
      {"/home/anna", "/home/anna//x.orv", 12},  // both separators count
      {"/home/anna/", "/home/anna/x.orv", 11},
      {"/home/anna/", "/home/anna//x.orv", 12},
      {"/home/anna", "/home/annabel/x.orv", 0},  // the last name goes on
      {"/home/anna", "/home", 0},
      {"/home/anna", "/var/anna/x", 0},
      {"", "/x", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetPathPrefixLength(c.folder, c.path), c.length) << c.folder << " " << c.path;
}

TEST(FileUtil, ExtensionLastCharNamesCompanionFiles) {
  struct Case {
    const char* path;
    char ch;
    const char* result;
  } cases[] = {
      {"/home/anna/smith.orv", 'l', "/home/anna/smith.orl"},
      {"/home/anna/smith.o", 'a', "/home/anna/smith.oa"},
      {"/home/anna/smith.", 'a', "/home/anna/smith.a"},
      {"/home/anna/smith", 'a', "/home/anna/smith.a"},
      {"/home/my.folder/smith", 'a', "/home/my.folder/smith.a"},
      {"C:smith", 'a', "C:smith.a"},
      {"dir\\smith", 'a', "dir\\smith.a"},
      {"smith", 'a', "smith"},
  };
  for (const auto& c : cases) {
    std::string path = c.path;
    SetExtensionLastChar(path, c.ch);
    EXPECT_EQ(path, c.result) << c.path;
    EXPECT_EQ(SetExtensionLastCharStr(c.path, c.ch), c.result);
  }
}

TEST(FileUtil, SmallStringHelpers) {
  std::string path = "/home/anna";
  AddTrailingBackslash(path);
  EXPECT_EQ(path, "/home/anna/");
  AddTrailingBackslash(path);
  EXPECT_EQ(path, "/home/anna/");
  std::string empty;
  AddTrailingBackslash(empty);
  EXPECT_EQ(empty, "");

  char buf[6];
  std::memset(buf, 'Z', sizeof buf);
  EXPECT_STREQ(CopyStringN(buf, "Korvane", 5), "Korva");
  EXPECT_STREQ(CopyStringN(buf, "Ko", 5), "Ko");
}

TEST(FileUtil, CreateDirectoryPath) {
  TempDir dir;
  std::string deep = dir.File("a/b/c");
  EXPECT_EQ(CreateDirectoryPath(deep, false), 1);
  EXPECT_TRUE(plat::DirectoryExists(deep));
  EXPECT_EQ(CreateDirectoryPath(deep, false), 1);  // already there
  EXPECT_EQ(CreateDirectoryPath("", false), 0);

  // A file in the way: reported, not passed off as done.
  Touch(dir.File("file"));
  EXPECT_EQ(CreateDirectoryPath(dir.File("file/sub"), false), 0);

  std::string before = plat::CurrentDirectory();
  EXPECT_EQ(CreateDirectoryPath(dir.File("d/e"), true), 1);
  EXPECT_TRUE(plat::IsSameFile(plat::CurrentDirectory(), dir.File("d/e")));
  plat::SetCurrentDirectory(before);
}

TEST(FileUtil, ProgramCompanionPaths) {
  const std::string program = plat::ProgramPath();
  ASSERT_FALSE(program.empty());
  EXPECT_EQ(GetHelpFilePath("en"), program + ".hlp");
  EXPECT_EQ(GetHelpFilePath("EN"), program + ".hlp");
  EXPECT_EQ(GetHelpFilePath("DE"), program + "DE.hlp");
  EXPECT_EQ(GetProgramDllPath("DE"), program + "DE.res");
}

TEST(FileUtil, SpecialFoldersFollowTheDesktopsUserDirs) {
  TempDir home;
  std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
  std::string keepConfig = oldConfig ? oldConfig : "";
  std::string homePath = home.Path().substr(0, home.Path().size() - 1);
  ::setenv("HOME", homePath.c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", home.File("cfg").c_str(), 1);

  EXPECT_EQ(GetSpecialFolderPath(kCsidlPersonal), homePath);  // no Documents folder
  plat::MakeDirectory(home.File("Documents"));
  EXPECT_EQ(GetSpecialFolderPath(kCsidlPersonal), home.File("Documents"));
  plat::MakeDirectory(home.File("cfg"));
  Touch(home.File("cfg/user-dirs.dirs"),
        "# written by xdg-user-dirs-update\n"
        "XDG_DOCUMENTS_DIR=\"$HOME/Meine Dokumente\"\n");
  EXPECT_EQ(GetSpecialFolderPath(kCsidlPersonal), homePath + "/Meine Dokumente");
  EXPECT_EQ(GetSpecialFolderPath(kCsidlAppData), home.File("cfg"));
  EXPECT_EQ(GetSpecialFolderPath(12345), "");

  ::setenv("HOME", oldHome.c_str(), 1);
  if (oldConfig)
    ::setenv("XDG_CONFIG_HOME", keepConfig.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
}

TEST(FileUtil, CenteredWindowPosition) {
  int x = 0, y = 0;
  // Over the desktop: x = ((right - width) / 2 + 4) rounded down to 8.
  CenterWindowPosition({0, 0, 1024, 768}, 300, 200, x, y);
  EXPECT_EQ(x, 360);
  EXPECT_EQ(y, 284);
  // Over a parent away from the origin the window stands over the parent.
  CenterWindowPosition({400, 100, 800, 500}, 200, 100, x, y);
  EXPECT_EQ(x, 504);
  EXPECT_EQ(y, 250);
}
