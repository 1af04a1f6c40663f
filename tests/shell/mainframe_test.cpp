// What the main frame decides without windows: status-pane texts, the
// "Start Up" placement it writes and reads, the ditto numbers, and the
// consistency of its menus, toolbar, accelerators and command strings.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>

#include "CommandIds.h"
#include "DittoRins.h"
#include "FakePorts.h"
#include "FramePlacement.h"
#include "FrameTables.h"
#include "StatusPanes.h"
#include "StringTable.h"

namespace {

using shell::FormatStatusPane;

struct PaneCase {
  std::uintptr_t kind;
  std::intptr_t value;
  bool valid;
  int pane;
  const char* text;
};

TEST(StatusPaneTest, KindsAndValuesGiveThePaneAndText) {
  const PaneCase cases[] = {
      {1, 12, true, 1, "RIN: 12"},
      {2, 4000000000LL, true, 2, "MRIN: 4000000000"},
      {3, 2, true, 3, "M: 2"},
      {4, 11, true, 4, "C: 11"},
      {1, 0, true, 1, "RIN: 0"},
      // Numbers are 32-bit and print unsigned.
      {1, -2, true, 1, "RIN: 4294967294"},
      // -1 empties the pane of the kind.
      {1, -1, true, 1, ""},
      {2, -1, true, 2, ""},
      {3, -1, true, 3, ""},
      {4, -1, true, 4, ""},
      // Kinds other than 1-4 and 100 are refused.
      {0, 5, false, 0, ""},
      {5, 5, false, 0, ""},
      {99, 5, false, 0, ""},
      {101, 5, false, 0, ""},
  };
  for (const PaneCase& c : cases) {
    SCOPED_TRACE("kind " + std::to_string(c.kind) + " value " + std::to_string(c.value));
    shell::StatusPaneText out = FormatStatusPane(c.kind, c.value);
    EXPECT_EQ(out.validKind, c.valid);
    if (!c.valid) continue;
    EXPECT_EQ(out.pane, c.pane);
    EXPECT_EQ(out.text, c.text);
  }
}

TEST(StatusPaneTest, FreeTextGoesToPaneZeroCutAt259Characters) {
  std::string longText(300, 'x');
  longText[258] = 'y';
  longText[259] = 'z';
  shell::StatusPaneText out =
      FormatStatusPane(shell::kPaneText, reinterpret_cast<std::intptr_t>(longText.c_str()));
  ASSERT_TRUE(out.validKind);
  EXPECT_EQ(out.pane, 0);
  ASSERT_EQ(out.text.size(), 259u);
  EXPECT_EQ(out.text.back(), 'y');

  std::string exact(259, 'a');
  EXPECT_EQ(FormatStatusPane(shell::kPaneText, reinterpret_cast<std::intptr_t>(exact.c_str())).text,
            exact);
  const char* shortText = "Ready";
  EXPECT_EQ(FormatStatusPane(shell::kPaneText, reinterpret_cast<std::intptr_t>(shortText)).text,
            "Ready");
  shell::StatusPaneText none = FormatStatusPane(shell::kPaneText, 0);
  EXPECT_TRUE(none.validKind);
  EXPECT_EQ(none.pane, 0);
  EXPECT_EQ(none.text, "");
}

TEST(DittoRinsTest, ThreeKindsStartAtZeroAndOthersAreRefused) {
  shell::DittoRins dittos;
  for (std::uintptr_t kind = 0; kind < 3; ++kind) EXPECT_EQ(dittos.Get(kind), 0u);
  EXPECT_TRUE(dittos.Set(1, 77));
  EXPECT_TRUE(dittos.Set(2, 0xFFFFFFFFu));
  EXPECT_EQ(dittos.Get(1), 77u);
  EXPECT_EQ(dittos.Get(2), 0xFFFFFFFFu);
  EXPECT_EQ(dittos.Get(0), 0u);

  EXPECT_FALSE(dittos.Set(3, 5));
  EXPECT_EQ(dittos.Get(3), 0u);
  EXPECT_FALSE(dittos.Set(static_cast<std::uintptr_t>(-1), 5));
  for (std::uintptr_t kind = 0; kind < 3; ++kind) EXPECT_NE(dittos.Get(kind), 5u);
}

class StartUpTest : public ::testing::Test {
 protected:
  // A placement stored by an earlier run.
  void SeedEarlierRun() {
    profile.SetInt("Start Up", "Maximized", 0);
    profile.SetInt("Start Up", "Window x", 7);
    profile.SetInt("Start Up", "Window y", 8);
    profile.SetInt("Start Up", "Window cx", 700);
    profile.SetInt("Start Up", "Window cy", 500);
    profile.SetInt("Start Up", "ViewType", 1);
  }
  int Get(const char* value) { return profile.GetInt("Start Up", value, -99); }

  plat::FakeProfile profile;
};

TEST_F(StartUpTest, MinimisedCloseKeepsThePlacementButWritesTheFile) {
  SeedEarlierRun();
  shell::FrameCloseState state;
  state.show = shell::WindowShow::kMinimized;
  state.rect = {1, 2, 3, 4};
  state.familyFile = "/home/a/smith.orv";
  state.viewType = 3;
  shell::SaveFrameCloseState(profile, state);
  EXPECT_EQ(Get("Maximized"), 0);
  EXPECT_EQ(Get("Window x"), 7);
  EXPECT_EQ(Get("Window cx"), 700);
  EXPECT_EQ(profile.GetString("Start Up", "FamilyFile", "?"), "/home/a/smith.orv");
  EXPECT_EQ(Get("ViewType"), 3);
}

TEST_F(StartUpTest, MaximisedCloseWritesOnlyTheFlag) {
  shell::FrameCloseState state;
  state.show = shell::WindowShow::kMaximized;
  state.rect = {1, 2, 3, 4};
  shell::SaveFrameCloseState(profile, state);
  EXPECT_EQ(Get("Maximized"), 1);
  for (const char* value : {"Window x", "Window y", "Window cx", "Window cy", "ViewType"})
    EXPECT_FALSE(profile.Has("Start Up", value)) << value;
  // No file open: the value is written empty.
  EXPECT_TRUE(profile.Has("Start Up", "FamilyFile"));
  EXPECT_EQ(profile.GetString("Start Up", "FamilyFile", "?"), "");
}

TEST_F(StartUpTest, NormalCloseWritesTheRectangleAndKeepsAnEarlierViewType) {
  SeedEarlierRun();
  shell::FrameCloseState state;
  state.rect = {-5, 20, 800, 600};
  state.viewType = 0;
  shell::SaveFrameCloseState(profile, state);
  EXPECT_EQ(Get("Maximized"), 0);
  EXPECT_EQ(Get("Window x"), -5);
  EXPECT_EQ(Get("Window y"), 20);
  EXPECT_EQ(Get("Window cx"), 800);
  EXPECT_EQ(Get("Window cy"), 600);
  EXPECT_EQ(Get("ViewType"), 1);

  shell::StartPlacement place = shell::ReadStartPlacement(profile, 1280, 800);
  EXPECT_FALSE(place.maximized);
  EXPECT_EQ(place.rect, (shell::WindowRect{-5, 20, 800, 600}));
}

TEST_F(StartUpTest, StartPlacementDefaults) {
  // Nothing stored: maximised.
  EXPECT_TRUE(shell::ReadStartPlacement(profile, 1280, 800).maximized);
  profile.SetInt("Start Up", "Maximized", 1);
  profile.SetInt("Start Up", "Window x", 30);
  EXPECT_TRUE(shell::ReadStartPlacement(profile, 1280, 800).maximized);
  // Not maximised and no rectangle: the whole screen at 0,0.
  profile.Remove("Start Up", "Window x");
  profile.SetInt("Start Up", "Maximized", 0);
  shell::StartPlacement place = shell::ReadStartPlacement(profile, 1280, 800);
  EXPECT_FALSE(place.maximized);
  EXPECT_EQ(place.rect, (shell::WindowRect{0, 0, 1280, 800}));
  // Any other stored value counts as not maximised.
  profile.SetInt("Start Up", "Maximized", 2);
  EXPECT_FALSE(shell::ReadStartPlacement(profile, 1280, 800).maximized);
}

// ---- menus, toolbar, accelerators, command strings ----

std::set<unsigned> IdsOf(unsigned menu) {
  std::vector<unsigned> ids = shell::MenuCommandIds(shell::FrameMenu(menu));
  return {ids.begin(), ids.end()};
}

std::set<unsigned> AllCommandIds() {
  std::set<unsigned> ids = IdsOf(shell::kMenuDocument);
  for (unsigned id : IdsOf(shell::kMenuNoDocument)) ids.insert(id);
  for (unsigned id : shell::ToolbarButtons())
    if (id) ids.insert(id);
  for (const shell::Accelerator& a : shell::FrameAccelerators()) ids.insert(a.id);
  return ids;
}

TEST(FrameTablesTest, MenuWithoutDocumentHoldsOnlyTheFileLevelCommands) {
  std::set<unsigned> ids = IdsOf(shell::kMenuNoDocument);
  for (unsigned id : {shell::kIdFileNew, shell::kIdFileOpen, shell::kIdFileImport,
                      shell::kIdFileRestore, shell::kIdFileCheckRepair, shell::kIdFileDelete,
                      shell::kIdFileRecent1, shell::kIdAppExit, shell::kIdViewToolbar,
                      shell::kIdViewStatusBar, shell::kIdToolsSeekwellService, shell::kIdHelp})
    EXPECT_TRUE(ids.count(id)) << id;
  // Commands on an open file are not offered without a document window.
  for (unsigned id : {shell::kIdFileClose, shell::kIdFileExport, shell::kIdFileBackup,
                      shell::kIdFileProperties, shell::kIdFilePrintReports,
                      shell::kIdEditIndividual, shell::kIdAddIndividual, shell::kIdViewPedigree})
    EXPECT_FALSE(ids.count(id)) << id;

  std::vector<std::string> popups;
  for (const shell::MenuItem& p : shell::FrameMenu(shell::kMenuNoDocument))
    popups.push_back(p.text);
  EXPECT_EQ(popups, (std::vector<std::string>{"&File", "&View", "&Tools", "&Help"}));
  popups.clear();
  for (const shell::MenuItem& p : shell::FrameMenu(shell::kMenuDocument)) popups.push_back(p.text);
  EXPECT_EQ(popups, (std::vector<std::string>{"&File", "&Edit", "&Add", "&View", "&Search",
                                              "&Tools", "&Window", "&Help"}));
}

TEST(FrameTablesTest, ToolbarAndAcceleratorsReachCommandsOfTheDocumentMenu) {
  std::set<unsigned> menu = IdsOf(shell::kMenuDocument);
  for (unsigned id : shell::ToolbarButtons()) {
    if (id == 0) continue;
    EXPECT_TRUE(menu.count(id)) << "toolbar button " << id;
  }
  // Three accelerators have no menu item of their own.
  const std::set<unsigned> keyOnly = {shell::kIdViewSwitch, shell::kIdViewOtherMarriages,
                                      shell::kIdViewParents};
  std::set<std::string> keys;
  for (const shell::Accelerator& a : shell::FrameAccelerators()) {
    EXPECT_TRUE(keys.insert(a.keys).second) << "two commands on " << a.keys;
    if (!keyOnly.count(a.id)) {
      EXPECT_TRUE(menu.count(a.id)) << "accelerator " << a.keys;
    }
  }
  EXPECT_EQ(shell::AcceleratorKeys(shell::kIdFileOpen), "Ctrl+O");
  EXPECT_EQ(shell::AcceleratorKeys(shell::kIdToolsPreferences), "Shift+Ctrl+P");
  EXPECT_EQ(shell::AcceleratorKeys(shell::kIdFileNew), "");
}

// Within one popup no two items share a mnemonic letter and no id repeats.
void CheckPopup(const shell::MenuItem& popup) {
  std::set<char> letters;
  std::set<unsigned> ids;
  for (const shell::MenuItem& item : popup.items) {
    if (item.IsSeparator()) continue;
    if (item.IsPopup()) CheckPopup(item);
    if (item.id) {
      EXPECT_TRUE(ids.insert(item.id).second) << popup.text << ": id " << item.id;
    }
    std::size_t amp = item.text.find('&');
    if (amp == std::string::npos || amp + 1 >= item.text.size()) continue;
    char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(item.text[amp + 1])));
    EXPECT_TRUE(letters.insert(letter).second) << popup.text << ": " << item.text;
  }
}

TEST(FrameTablesTest, MnemonicsAreUniqueWithinEachMenu) {
  for (unsigned menu : {shell::kMenuNoDocument, shell::kMenuDocument}) {
    shell::MenuItem bar{0, "bar", shell::FrameMenu(menu)};
    CheckPopup(bar);
  }
}

TEST(FrameTablesTest, EveryCommandHasAPromptAndATooltipNamingItsKeys) {
  for (unsigned id : AllCommandIds()) {
    SCOPED_TRACE(id);
    std::string text = res::LoadString(id);
    std::size_t newline = text.find('\n');
    ASSERT_NE(newline, std::string::npos) << "no \"prompt\\ntooltip\": " << text;
    EXPECT_GT(newline, 0u);
    std::string tooltip = text.substr(newline + 1);
    EXPECT_FALSE(tooltip.empty());
    std::string keys = shell::AcceleratorKeys(id);
    if (!keys.empty()) {
      std::string suffix = " (" + keys + ")";
      EXPECT_TRUE(tooltip.size() > suffix.size() &&
                  tooltip.compare(tooltip.size() - suffix.size(), suffix.size(), suffix) == 0)
          << tooltip;
    }
  }
  EXPECT_EQ(res::LoadString(shell::kIdFileOpen),
            "Open an existing family file (Ctrl+O)\nOpen File (Ctrl+O)");
}

}  // namespace
