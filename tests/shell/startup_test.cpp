// What start-up decides without windows: the command line, the language
// code, the start-up file, the clock test, the Enter-key preference, and the
// recent-file list.
#include <gtest/gtest.h>

#include "FakePorts.h"
#include "RecentFileList.h"
#include "StartupLogic.h"
#include "TestHelpers.h"

namespace {

using shell::CommandLine;
using shell::ParseCommandLine;

TEST(CommandLineTest, GrammarCases) {
  struct Case {
    const char* text;
    bool languageGiven;
    const char* language;
    bool splash, extendedCharts, fileGiven;
    const char* file;
  };
  const Case cases[] = {
      {"", false, "", true, false, false, ""},
      {"family.orv", false, "", true, false, true, "family.orv"},
      // A quoted name may hold blanks and suppresses the splash window.
      {"\"My Family/tree one.orv\"", false, "", false, false, true, "My Family/tree one.orv"},
      {"\"unclosed name", false, "", false, false, true, "unclosed name"},
      {"-s a.orv", false, "", false, false, true, "a.orv"},
      {"-v", false, "", true, true, false, ""},
      // The last file name counts.
      {"first.orv second.orv", false, "", true, false, true, "second.orv"},
      {"\"first.orv\" second.orv", false, "", false, false, true, "second.orv"},
      // Trailing blanks give an empty name that still counts.
      {"a.orv ", false, "", true, false, true, ""},
      {"   ", false, "", true, false, true, ""},
      {"\"\"", false, "", false, false, true, ""},
      // Two characters right after "-l", blanks included; cut short at the end.
      {"-lDE a.orv", true, "DE", true, false, true, "a.orv"},
      {"-lDEUTSCH a.orv", true, "DE", true, false, true, "a.orv"},
      {"a.orv -l", true, "", true, false, true, "a.orv"},
      {"-lD", true, "D", true, false, false, ""},
      {"-l DE x.orv", true, " D", true, false, true, "x.orv"},
      // Unknown options are skipped up to the next blank.
      {"-xyz b.orv -", false, "", true, false, true, "b.orv"},
      {"-s-v c.orv", false, "", false, false, true, "c.orv"},
  };
  for (const Case& c : cases) {
    CommandLine got = ParseCommandLine(c.text);
    EXPECT_EQ(got.languageGiven, c.languageGiven) << c.text;
    EXPECT_EQ(got.language, c.language) << c.text;
    EXPECT_EQ(got.splash, c.splash) << c.text;
    EXPECT_EQ(got.extendedCharts, c.extendedCharts) << c.text;
    EXPECT_EQ(got.fileGiven, c.fileGiven) << c.text;
    EXPECT_EQ(got.fileName, c.file) << c.text;
  }
}

TEST(CommandLineTest, JoinedArgumentsParseBackToTheSameFile) {
  EXPECT_EQ(shell::JoinCommandLine({"-s", "/home/a b/f.orv", ""}), "-s \"/home/a b/f.orv\" \"\"");
  CommandLine got = ParseCommandLine(shell::JoinCommandLine({"-lDE", "/home/a b/f.orv"}));
  EXPECT_EQ(got.fileName, "/home/a b/f.orv");
  EXPECT_EQ(got.language, "DE");
  EXPECT_FALSE(got.splash);
  EXPECT_TRUE(ParseCommandLine(shell::JoinCommandLine({"/tmp/plain.orv"})).splash);
}

TEST(CommandLineTest, AFileNameIsResolvedAgainstTheStartFolder) {
  struct Case {
    const char* text;
    const char* file;  // after resolving against "/home/Släkt Åsa"
  };
  const Case cases[] = {
      {"work/s1.orv", "/home/Släkt Åsa/work/s1.orv"},
      {"-s ./my.orv", "/home/Släkt Åsa/my.orv"},
      {"\"../Andra släkten/b.ged\"", "/home/Andra släkten/b.ged"},
      {"/data/abs.orv", "/data/abs.orv"},
      {"-s ", ""},
  };
  for (const Case& c : cases) {
    CommandLine line = ParseCommandLine(c.text);
    shell::ResolveCommandLineFile(line, "/home/Släkt Åsa");
    EXPECT_EQ(line.fileName, c.file) << c.text;
    // The hand-over to a running program names the same file.
    CommandLine handed = ParseCommandLine(shell::HandOverLine(line));
    EXPECT_TRUE(handed.fileGiven) << c.text;
    EXPECT_EQ(handed.fileName, c.file) << c.text;
  }
  CommandLine none = ParseCommandLine("-s -v");
  shell::ResolveCommandLineFile(none, "/home");
  EXPECT_FALSE(none.fileGiven);
  EXPECT_EQ(shell::HandOverLine(none), "");
}

TEST(StartupTest, LanguageAndStartupFileComeFromTheProfile) {
  plat::FakeProfile profile;
  EXPECT_EQ(shell::GetLanguageUI(profile), "EN");
  shell::SetLanguageUI(profile, "de");
  EXPECT_EQ(shell::GetLanguageUI(profile), "DE");
  shell::SetLanguageUI(profile, "");
  EXPECT_EQ(shell::GetLanguageUI(profile), "EN");

  profile.SetString("Start Up", "FamilyFile", "/data/remembered.orv");
  EXPECT_EQ(shell::ChooseStartupFile(ParseCommandLine(""), profile), "/data/remembered.orv");
  EXPECT_EQ(shell::ChooseStartupFile(ParseCommandLine("given.orv"), profile), "given.orv");
  // A line ending in a blank names an empty file: not even the remembered one.
  EXPECT_EQ(shell::ChooseStartupFile(ParseCommandLine("-s "), profile), "");
}

TEST(StartupTest, ClockTest) {
  const std::time_t built = LocalTimeOf(2024, 5, 1, 12, 0);
  struct Case {
    std::time_t now;
    bool warn, expired;
  };
  const Case cases[] = {
      {built + 86400, false, false},
      {built - 86400, true, false},
      // 32-bit signed stamps would end in 2038: unsigned ones run on.
      {LocalTimeOf(2038, 6, 1, 12, 0), false, false},
      {LocalTimeOf(2105, 12, 30, 12, 0), false, false},
      {LocalTimeOf(2106, 1, 2, 12, 0), false, true},
  };
  for (const Case& c : cases) {
    shell::ClockCheck got = shell::CheckClock(c.now, built);
    EXPECT_EQ(got.warnEarly, c.warn) << c.now;
    EXPECT_EQ(got.expired, c.expired) << c.now;
  }
  // Without the program file's time the test says nothing, not even late.
  shell::ClockCheck unknown = shell::CheckClock(LocalTimeOf(2107, 1, 1, 0, 0), std::nullopt);
  EXPECT_FALSE(unknown.warnEarly);
  EXPECT_FALSE(unknown.expired);
}

TEST(StartupTest, ReturnAsTabAsksUntilAnswered) {
  plat::FakeProfile profile;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scoped(&boxes);
  shell::ReturnAsTab state;
  state.Load(profile);
  EXPECT_EQ(state.State(), -1);

  boxes.QueueAnswer(plat::kIdCancel);
  EXPECT_FALSE(state.IsReturnAsTab(profile));
  EXPECT_FALSE(profile.Has("Start Up", "ReturnAsTab"));
  boxes.QueueAnswer(plat::kIdYes);
  EXPECT_TRUE(state.IsReturnAsTab(profile));
  EXPECT_TRUE(state.IsReturnAsTab(profile));
  EXPECT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(profile.GetInt("Start Up", "ReturnAsTab", -1), 1);

  shell::ReturnAsTab next;
  profile.SetInt("Start Up", "ReturnAsTab", 0);
  next.Load(profile);
  EXPECT_FALSE(next.IsReturnAsTab(profile));
  EXPECT_EQ(boxes.Calls().size(), 2u);
}

class RecentFileListTest : public ::testing::Test {
 protected:
  void Fill(std::vector<std::string> entries) {
    for (int i = 0; i < 4; ++i)
      profile.SetString("Recent File List", "File" + std::to_string(i + 1),
                        i < static_cast<int>(entries.size()) ? entries[i] : "");
  }
  std::vector<std::string> All() {
    std::vector<std::string> out;
    for (int i = 0; i < 4; ++i) out.push_back(list.Get(i));
    return out;
  }
  plat::FakeProfile profile;
  shell::RecentFileList list{profile};
};

TEST_F(RecentFileListTest, AddMovesAnEntryToTheTop) {
  struct Case {
    const char* added;
    std::vector<std::string> after;
  };
  const Case cases[] = {
      // File3 becomes File1; File1 and File2 move down; File4 stays.
      {"c", {"c", "a", "b", "d"}},
      {"A", {"A", "b", "c", "d"}},
      {"b", {"b", "a", "c", "d"}},
      // New paths, and File4 itself, push File4 out.
      {"e", {"e", "a", "b", "c"}},
      {"d", {"d", "a", "b", "c"}},
  };
  for (const Case& c : cases) {
    Fill({"a", "b", "c", "d"});
    list.Add(c.added);
    EXPECT_EQ(All(), c.after) << c.added;
  }
}

TEST_F(RecentFileListTest, RemoveMovesLaterEntriesUp) {
  Fill({"a", "b", "c", "d"});
  list.Remove("B");
  EXPECT_EQ(All(), (std::vector<std::string>{"a", "c", "d", ""}));
  list.Remove("zzz");
  EXPECT_EQ(All(), (std::vector<std::string>{"a", "c", "d", ""}));
  list.Remove("");
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"a", "c", "d"}));
  Fill({"a", "", "c"});
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"a"}));
}

}  // namespace
