#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "FakePorts.h"
#include "FileCopy.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "StringIds.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

std::string Pattern(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return s;
}

int CountFiles(const std::string& folder) {
  int n = 0;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    (void)e;
    ++n;
  }
  return n;
}

}  // namespace

TEST(FileMessages, FormatterFillsInsertsThenPlaceholdersOnce) {
  EXPECT_EQ(FormatInsertsAndArgs("Unexpected error in %s\nwhile trying to open %s:\n\n%d - %1",
                                 {"Access is denied to file"}, {"/a/b.orv", "Temp File", "5"}),
            "Unexpected error in /a/b.orv\nwhile trying to open Temp File:\n\n5 - Access is "
            "denied to file");
  // Inserted texts are not read again: a '%s' in a name stays.
  EXPECT_EQ(FormatInsertsAndArgs("%1 in %s (%d%%)", {"100%s"}, {"/x/50%d.orv", "7"}),
            "100%s in /x/50%d.orv (7%)");
  EXPECT_EQ(FormatInsertsAndArgs("%1!lu! of %2, %-5ld %.2s", {"3"}, {"9", "ab"}), "3 of , 9 ab");
  EXPECT_EQ(FormatInsertsAndArgs("%s %s %q 100%", {}, {"one"}), "one  %q 100%");
}

TEST(FileMessages, ErrorTextsOfEveryCause) {
  struct Case {
    int cause;
    const char* text;
  } cases[] = {
      {0, "File Error:"},
      {2, "file could not be located"},
      {-5, "Access is denied to file"},
      {10, "Hardware input/output error"},
      {11, "Sharing violation"},
      {12, "Attempted to lock a region that was already locked"},
      {13, "Disk full"},
      {14, "End of file reached"},
      {15, "Unspecified"},
      {-99, "Unspecified"},
  };
  for (const auto& c : cases) EXPECT_EQ(GetFileErrorText(c.cause), c.text) << c.cause;
}

TEST(FileMessages, StopBoxesAndNothingForNoError) {
  plat::FakeMessageBox box;
  plat::ScopedMessageBox scoped(&box);
  ShowFileError(0, "/a.orv", "Temp File");
  ShowFileActionError(0, res::kIdsFileCopyAction, "/a.orv");
  EXPECT_TRUE(box.Calls().empty());

  ShowFileError(-13, "/tmp/~KorDUPMR.TMP", "Temp File");
  ShowFileActionError(14, res::kIdsReadingFile, "/home/anna/smith.orv");
  ASSERT_EQ(box.Calls().size(), 2u);
  EXPECT_EQ(
      box.Calls()[0].text,
      "Unexpected error in /tmp/~KorDUPMR.TMP\nwhile trying to open Temp File:\n\n13 - Disk full");
  EXPECT_EQ(box.Calls()[1].text,
            "Unexpected error while attempting a Reading file.\nError occurred in file: "
            "/home/anna/smith.orv\n\n14 - End of file reached");
  for (const auto& call : box.Calls()) EXPECT_EQ(call.flags & plat::kMbIconMask, plat::kMbIconStop);
}

TEST(FileCopy, CopiesReplacesAndAppends) {
  TempDir dir;
  const std::string data = Pattern(100000);  // several rounds of 32768
  WriteAll(dir.File("src.orv"), data);
  EXPECT_EQ(CopyFileRaw(dir.File("src.orv"), dir.File("new.orv"), false), 0);
  EXPECT_EQ(ReadAll(dir.File("new.orv")), data);

  WriteAll(dir.File("old.orv"), std::string(200000, 'o'));  // longer than the copy
  EXPECT_EQ(CopyFileRaw(dir.File("src.orv"), dir.File("old.orv"), false), 0);
  EXPECT_EQ(ReadAll(dir.File("old.orv")), data);

  WriteAll(dir.File("log.txt"), "head;");
  WriteAll(dir.File("tail.txt"), "tail");
  EXPECT_EQ(CopyFileRaw(dir.File("tail.txt"), dir.File("log.txt"), true), 0);
  EXPECT_EQ(ReadAll(dir.File("log.txt")), "head;tail");
  EXPECT_EQ(CountFiles(dir.Path()), 5);  // no work file left behind
}

TEST(FileCopy, FailuresCarryTheirSideAndLeaveFilesAlone) {
  TempDir dir;
  WriteAll(dir.File("src.orv"), "family");
  EXPECT_EQ(CopyFileRaw(dir.File("missing.orv"), dir.File("t.orv"), false), plat::kFileNotFound);
  EXPECT_EQ(CopyFileRaw(dir.File("src.orv"), dir.File("no/such/t.orv"), false),
            -plat::kFileNotFound);
  EXPECT_EQ(CopyFileRaw(dir.File("src.orv"), dir.File("missing.log"), true), -plat::kFileNotFound);
  // Onto itself: refused, and the file keeps its contents.
  EXPECT_EQ(CopyFileRaw(dir.File("src.orv"), dir.File("src.orv"), false),
            -plat::kFileSharingViolation);
  EXPECT_EQ(CopyFileRaw(dir.File("src.orv"), dir.File("./src.orv"), true),
            -plat::kFileSharingViolation);
  EXPECT_EQ(ReadAll(dir.File("src.orv")), "family");
  EXPECT_EQ(CopyFileRaw(dir.File("src.orv"), dir.Path(), false), -plat::kFileAccessDenied);

  plat::FakeMessageBox box;
  plat::ScopedMessageBox scoped(&box);
  EXPECT_EQ(CopyFileWithMessage(dir.File("src.orv"), dir.File("ok.orv"), false), 0);
  EXPECT_TRUE(box.Calls().empty());
  EXPECT_EQ(CopyFileWithMessage(dir.File("missing.orv"), dir.File("t.orv"), false), 2);
  EXPECT_EQ(CopyFileWithMessage(dir.File("src.orv"), dir.File("no/t.orv"), false), -2);
  ASSERT_EQ(box.Calls().size(), 2u);
  EXPECT_EQ(box.Calls()[0].text,
            "Unexpected error while attempting a file copy.\nError occurred "
            "in file: " +
                dir.File("missing.orv") + "\n\n2 - file could not be located");
  EXPECT_NE(box.Calls()[1].text.find(dir.File("no/t.orv")), std::string::npos);
}

TEST(FileCopy, AFailedReplaceKeepsTheOldTarget) {
  TempDir dir;
  WriteAll(dir.File("src.orv"), Pattern(100000));
  WriteAll(dir.File("target.orv"), "the user's old file");
  // Writes past 40000 bytes fail as on a full disk.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 40000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  int error = CopyFileRaw(dir.File("src.orv"), dir.File("target.orv"), false);
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(error, -plat::kFileDiskFull);
  EXPECT_EQ(ReadAll(dir.File("target.orv")), "the user's old file");
  EXPECT_EQ(CountFiles(dir.Path()), 2);
}

TEST(FileCopy, CopyDataCountsAndStops) {
  TempDir dir;
  const std::string data = Pattern(70000);
  WriteAll(dir.File("src"), data);
  plat::FileHandle in, out;
  ASSERT_EQ(in.Open(dir.File("src"), plat::FileHandle::Access::ReadOnly), 0);
  ASSERT_EQ(out.Create(dir.File("dst")), 0);
  long long copied = -1;
  EXPECT_EQ(CopyFileData(out, in, 40000, &copied), 0);
  EXPECT_EQ(copied, 40000);
  EXPECT_EQ(CopyFileData(out, in, -1, &copied), 0);  // the rest
  EXPECT_EQ(copied, 30000);
  out.Close();
  EXPECT_EQ(ReadAll(dir.File("dst")), data);

  // Writing into a file open for reading only fails on the target side.
  plat::FileHandle readOnly;
  ASSERT_EQ(readOnly.Open(dir.File("dst"), plat::FileHandle::Access::ReadOnly), 0);
  ASSERT_TRUE(in.Seek(0));
  int error = CopyFileData(readOnly, in, -1, &copied);
  EXPECT_LT(error, 0);
  EXPECT_EQ(copied, 0);
}
