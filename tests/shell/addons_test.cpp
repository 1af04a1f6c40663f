// The add-on list read from the settings, registering add-ons and the
// companion programs, what an add-on is handed, the launcher's split of a
// command line, and the web links' addresses.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "AddOns.h"
#include "CommandIds.h"
#include "LaunchCommand.h"
#include "WebLinks.h"

namespace {

using shell::CAddOnEntry;
using shell::CAddOnList;
using shell::MemoryKeyStore;

void Put(MemoryKeyStore& store, const std::string& key, const std::string& menu,
         const std::string& target = "/opt/tool/run", int pass = 0) {
  const std::string path = "AddOn/" + key;
  store.WriteString(path, "Menu", menu);
  store.WriteString(path, "Target", target);
  store.WriteString(path, "StartIn", "/opt/tool/");
  store.WriteInt(path, "PassFileName", pass);
}

std::string Key(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "Tool%02d", i);
  return name;
}

TEST(AddOnList, TwentyOneRegisteredShowTwentyAndTheLastEnumeratedIsUnreachable) {
  MemoryKeyStore user;
  for (int i = 0; i < 21; ++i) Put(user, Key(i), "Menu " + Key(i));
  CAddOnList list(user, nullptr);
  ASSERT_EQ(list.GetCount(), 21);
  const std::vector<std::string> texts = list.MenuTexts();
  ASSERT_EQ(texts.size(), 20u);
  // Keys are taken from the last to the first.
  EXPECT_EQ(texts.front(), "Menu Tool20");
  EXPECT_EQ(texts.back(), "Menu Tool01");
  EXPECT_EQ(list.GetAt(20)->menuText, "Menu Tool00");
  EXPECT_EQ(list.GetAt(21), nullptr);
  EXPECT_EQ(list.GetAt(-1), nullptr);
}

TEST(AddOnList, AKeyMissingAnyValueIsSkipped) {
  for (const char* missing : {"Menu", "Target", "StartIn", "PassFileName"}) {
    MemoryKeyStore user;
    Put(user, "Good", "Good Tool");
    const std::string path = "AddOn/Broken";
    for (const char* value : {"Menu", "Target", "StartIn"})
      if (std::string(value) != missing) user.WriteString(path, value, "x");
    if (std::string(missing) != "PassFileName") user.WriteInt(path, "PassFileName", 1);
    CAddOnList list(user, nullptr);
    ASSERT_EQ(list.GetCount(), 1) << missing;
    EXPECT_EQ(list.GetAt(0)->menuText, "Good Tool");
  }
  // A pass mode written as text is not the number the list reads.
  MemoryKeyStore user;
  const std::string path = "AddOn/Text";
  for (const char* value : {"Menu", "Target", "StartIn", "PassFileName"})
    user.WriteString(path, value, "1");
  EXPECT_EQ(CAddOnList(user, nullptr).GetCount(), 0);
}

TEST(AddOnList, ReadsUserThenSystemAndTheUserKeepsAKeyOfTheSameName) {
  MemoryKeyStore user, system;
  Put(user, "Shared", "Mine", "/home/me/tool");
  Put(system, "Shared", "Theirs", "/usr/bin/tool");
  Put(system, "Other", "Site Tool", "/usr/bin/site");
  CAddOnList list(user, &system);
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetAt(0)->target, "/home/me/tool");
  EXPECT_EQ(list.GetAt(1)->menuText, "Site Tool");
}

TEST(AddOnList, LongTextsAreCut) {
  MemoryKeyStore user;
  Put(user, "Long", std::string(150, 'm'), "/" + std::string(300, 't'));
  CAddOnList list(user, nullptr);
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetAt(0)->menuText.size(), CAddOnEntry::kMaxMenuText);
  EXPECT_EQ(list.GetAt(0)->target.size(), CAddOnEntry::kMaxPath);
}

TEST(AddOnList, RegisterWritesTheFourValuesAndUpdatesAnEntryOfTheSameMenuText) {
  MemoryKeyStore user;
  Put(user, "Old", "Plotwell", "/old/plotwell", 0);
  CAddOnList list(user, nullptr);
  ASSERT_EQ(list.Register("Plotwell", "Plotwell", "/new/plotwell", "/new/", 2), 1);
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetAt(0)->target, "/new/plotwell");
  EXPECT_EQ(list.GetAt(0)->startFolder, "/new/");
  EXPECT_EQ(list.GetAt(0)->passMode, 2);
  EXPECT_EQ(user.ReadString("AddOn/Plotwell", "Target"), "/new/plotwell");
  EXPECT_EQ(user.ReadInt("AddOn/Plotwell", "PassFileName"), 2);

  ASSERT_EQ(list.Register("Second", "Second", "/b", "", 0), 1);
  EXPECT_EQ(list.GetCount(), 2);
  // The next start reads both keys.
  EXPECT_EQ(CAddOnList(user, nullptr).GetCount(), 3);
}

TEST(AddOnList, AFailedWriteRegistersNothing) {
  for (int writes = 0; writes < 4; ++writes) {
    MemoryKeyStore user;
    CAddOnList list(user, nullptr);
    user.writesLeft = writes;
    EXPECT_EQ(list.Register("T", "T", "/t", "/", 1), 0) << writes;
    EXPECT_EQ(list.GetCount(), 0) << writes;
  }
}

TEST(AddOnList, CompanionsFoundInstalledAreRegistered) {
  MemoryKeyStore user, machine;
  machine.WriteString("SOFTWARE/Quenmoor/Plotwell", "", "/opt/plotwell/bin/plotwell");
  machine.WriteString("SOFTWARE/Arvendel/Citewell", "InstallDir", "/opt/citewell");
  machine.WriteString("SOFTWARE/Arvendel/Viewer", "InstallDir", "/opt/viewer/");
  // A value of the wrong kind does not count.
  machine.WriteInt("SOFTWARE/Arvendel/Lineroll", "TARGETDIR", 7);
  Put(user, "Citewell", "Citewell", "/stale/Citewell.exe", 1);
  CAddOnList list(user, nullptr);
  list.RegisterCompanions(machine);

  struct Expected {
    const char* menu;
    const char* target;
    const char* start;
    int pass;
  };
  const Expected expected[] = {
      {"Citewell", "/opt/citewell/Citewell.exe", "/opt/citewell/", 0},
      {"Plotwell", "/opt/plotwell/bin/plotwell", "/opt/plotwell/bin/", 2},
      {"Lineroll Viewer", "/opt/viewer/Viewer.exe", "/opt/viewer/", 0},
  };
  ASSERT_EQ(list.GetCount(), 3);
  for (int i = 0; i < 3; ++i) {
    const CAddOnEntry* entry = list.GetAt(i);
    EXPECT_EQ(entry->menuText, expected[i].menu);
    EXPECT_EQ(entry->target, expected[i].target);
    EXPECT_EQ(entry->startFolder, expected[i].start);
    EXPECT_EQ(entry->passMode, expected[i].pass);
  }
  EXPECT_EQ(user.ReadString("AddOn/Lineroll Viewer", "StartIn"), "/opt/viewer/");
  EXPECT_FALSE(user.ReadString("AddOn/Lineroll", "Menu").has_value());

  machine.WriteString("SOFTWARE/Arvendel/Lineroll", "TARGETDIR", "/opt/lineroll");
  list.RegisterCompanions(machine);
  ASSERT_EQ(list.GetCount(), 4);
  EXPECT_EQ(list.GetAt(3)->target, "/opt/lineroll/lrl.exe");
}

TEST(AddOnEntry, PassModesShapeTheCommandLineAndTheFileText) {
  struct Case {
    int pass;
    const char* path;
    const char* line;
    const char* file;
  };
  const Case cases[] = {
      {0, "/home/a b/family.orv", "/opt/t -x", ""},
      {1, "/home/a b/family.orv", "/opt/t -x \"/home/a b/family.orv\"", "/home/a b/family.orv"},
      {2, "/home/ab/family.orv", "/opt/t -x /home/ab/family.orv", "/home/ab/family.orv"},
      {2, "", "/opt/t -x", ""},
  };
  for (const Case& c : cases) {
    CAddOnEntry entry{"T", "/opt/t -x", "/", c.pass};
    EXPECT_EQ(entry.CommandLine(c.path), c.line) << c.pass;
    EXPECT_EQ(entry.FileText(c.path), c.file) << c.pass;
  }
}

TEST(AddOnEntry, LibrariesAreKnownByTheirExtension) {
  struct Case {
    const char* target;
    bool library;
  };
  const Case cases[] = {{"/opt/a/libtool.so", true}, {"/opt/a/LIBTOOL.SO", true},
                        {"/opt/a.so/tool", false},   {"/opt/a/tool", false},
                        {"/opt/a/tool.sox", false},  {"/opt/a/tool.dll", false}};
  for (const Case& c : cases)
    EXPECT_EQ((CAddOnEntry{"T", c.target, "", 0}.IsLibrary()), c.library) << c.target;
}

TEST(AddOnEntry, TheCallBlockCarriesSizeFileAndNumbers) {
  const std::string file = "/home/f.orv";
  const KorAddOnBlock block = shell::MakeAddOnBlock(file, 12, 0);
  EXPECT_EQ(block.size, 24u);
  EXPECT_EQ(block.reserved, 0u);
  EXPECT_EQ(block.file, file.c_str());
  EXPECT_EQ(block.rin, 12);
  EXPECT_EQ(block.mrin, 0);
}

TEST(LaunchCommand, SplitsTheProgramFromItsParameters) {
  struct Case {
    const char* line;
    const char* program;
    const char* parameters;
  };
  const Case cases[] = {
      {"\"/opt/my tools/run\" -a \"/home/x y.orv\"", "/opt/my tools/run", " -a \"/home/x y.orv\""},
      {"\"/opt/my tools/run\"", "/opt/my tools/run", ""},
      {"\"/opt/unclosed tool -a", "/opt/unclosed tool -a", ""},
      {"/opt/tools/run -a b", "/opt/tools/run", "-a b"},
      {"  \t/opt/run\t-a", "/opt/run", "-a"},
      {"/opt/run", "/opt/run", ""},
  };
  for (const Case& c : cases) {
    const auto split = shell::SplitLaunchCommandLine(c.line);
    ASSERT_TRUE(split.has_value()) << c.line;
    EXPECT_EQ(split->program, c.program) << c.line;
    EXPECT_EQ(split->parameters, c.parameters) << c.line;
  }
  for (const char* empty : {"", "   ", "\"\" -a"})
    EXPECT_FALSE(shell::SplitLaunchCommandLine(empty).has_value()) << '[' << empty << ']';
  // Text beyond the longest command line is not passed on.
  const std::string longLine = "/opt/run " + std::string(600, 'p');
  EXPECT_EQ(shell::SplitLaunchCommandLine(longLine)->parameters.size(),
            shell::kMaxLaunchCommandLine - 9);
}

TEST(WebLinks, SearchAddressesCarryTheNamesWithBlanksEncoded) {
  const shell::SearchName name{{"Anna", "Maria", "Louise"}, "de Vries"};
  struct Case {
    int kind;
    const char* address;
  };
  const Case cases[] = {
      {0,
       "https://www.seekwell.example/Search/ancestorsearchresults.asp?"
       "first_name=Anna%20Maria%20Louise&last_name=de%20Vries"},
      {1,
       "https://search.outside-one.example/cgi-bin/sse.dll?gl=allgs&gl=allgs&prox=1&"
       "gsfn=Anna%20Maria%20Louise&gsln=de%20Vries"},
      {2,
       "https://www.outside-two.example/genealogy/cgi-bin/iffgen?ref=gen&lo=li&lo=lglc&lo=la&"
       "lo=lffi&first=Anna&middle=Maria&last=de%20Vries"},
      {3,
       "https://www.outside-three.example/cgi-bin/iff?lo=li&lo=lglc&lo=la&lo=lffi&lo=lw&"
       "first=Anna&middle=Maria&last=de%20Vries"},
      {4, ""},
      {5, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(shell::WebSearchAddress(c.kind, name), c.address);

  const shell::SearchName two{{"Anna", "Maria", ""}, "de Vries"};
  const std::string seekwell = shell::WebSearchAddress(0, two);
  EXPECT_NE(seekwell.find("?first_name=Anna%20Maria&last_name=de%20Vries"), std::string::npos)
      << seekwell;
  // An empty second name leaves no blank of its own.
  const shell::SearchName gap{{"Anna", "", "Louise"}, "Berg"};
  EXPECT_NE(shell::WebSearchAddress(0, gap).find("first_name=Anna%20Louise&"), std::string::npos);
  // Only blanks are encoded.
  EXPECT_EQ(shell::EncodeBlanks("a b&c%d e"), "a%20b&c%d%20e");
}

TEST(WebLinks, CommandsMapToSearchKinds) {
  EXPECT_EQ(shell::WebSearchKindOf(shell::kIdSearchSeekwell), 0);
  EXPECT_EQ(shell::WebSearchKindOf(shell::kIdSearchOutside1), 1);
  EXPECT_EQ(shell::WebSearchKindOf(shell::kIdSearchOutside2), 2);
  EXPECT_EQ(shell::WebSearchKindOf(shell::kIdSearchOutside3), 3);
  EXPECT_EQ(shell::WebSearchKindOf(shell::kIdSearchKind4), 4);
  EXPECT_EQ(shell::WebSearchKindOf(shell::kIdSearchHomePerson), -1);
}

TEST(WebLinks, GettingStartedDocumentFollowsTheInterfaceLanguage) {
  EXPECT_EQ(shell::GettingStartedPath("/opt/korvane/", "EN"), "/opt/korvane/readme.rtf");
  EXPECT_EQ(shell::GettingStartedPath("/opt/korvane/", "DE"), "/opt/korvane/readmeDE.rtf");
  EXPECT_EQ(shell::GettingStartedPath("/opt/korvane", "FR"), "/opt/korvane/readmeFR.rtf");
}

}  // namespace
