#include "CommandRules.h"

#include <gtest/gtest.h>

#include <set>

#include "CommandIds.h"
#include "FrameTables.h"

using namespace shell;

namespace {

// A writable file with a few people, the pedigree view on a child of one
// parent family whose marriage has a wife only.
CommandContext Sample() {
  CommandContext c;
  c.fileOpen = true;
  c.individuals = 5;
  c.marriages = 2;
  c.sources = 2;
  c.focusIndividual = 3;
  c.spouseTarget = 3;
  c.childTarget = true;
  c.focusParentFamilies = 1;
  c.canAddFather = true;
  c.currentMarriage = 1;
  c.currentMarriageChildren = 1;
  return c;
}

bool Enabled(unsigned id, const CommandContext& c) {
  CommandRule rule;
  EXPECT_TRUE(FindCommandRule(id, rule)) << id;
  return IsRuleMet(rule, c);
}

struct Case {
  const char* what;
  void (*change)(CommandContext&);
  unsigned id;
  bool enabled;
};

TEST(CommandRules, EnablingFollowsTheContext) {
  const Case cases[] = {
      {"sample", [](CommandContext&) {}, kIdAddParents, true},
      {"no parent family", [](CommandContext& c) { c.focusParentFamilies = 0; }, kIdAddParents,
       false},
      {"no parent family", [](CommandContext& c) { c.focusParentFamilies = 0; }, kIdEditParents,
       false},
      {"father slot free", [](CommandContext&) {}, kIdAddFather, true},
      {"mother slot taken", [](CommandContext&) {}, kIdAddMother, false},
      {"no focus", [](CommandContext& c) { c.focusIndividual = 0; }, kIdAddFather, false},
      {"family view, empty father pane: the primary gets the father",
       [](CommandContext& c) { c.familyView = true, c.focusIndividual = 0; }, kIdAddFather, true},
      {"family view, empty pane, the primary's father there",
       [](CommandContext& c) {
         c.familyView = true, c.focusIndividual = 0, c.canAddFather = false;
       },
       kIdAddFather, false},
      {"family view, empty pane, no file",
       [](CommandContext& c) { c.familyView = true, c.focusIndividual = 0, c.fileOpen = false; },
       kIdAddFather, false},
      {"no one for a spouse", [](CommandContext& c) { c.spouseTarget = 0; }, kIdAddSpouse, false},
      {"family view, empty pane: the primary gets the spouse",
       [](CommandContext& c) { c.familyView = true, c.focusIndividual = 0; }, kIdAddSpouse, true},
      {"family view, empty pane: the marriage gets the child",
       [](CommandContext& c) { c.familyView = true, c.focusIndividual = 0; }, kIdAddChild, true},
      {"nowhere for a child", [](CommandContext& c) { c.childTarget = false; }, kIdAddChild, false},
      {"no file", [](CommandContext& c) { c.fileOpen = false; }, kIdAddChild, false},
      {"no focus", [](CommandContext& c) { c.focusIndividual = 0; }, kIdEditIndividual, false},
      {"marriage pane", [](CommandContext& c) { c.familyView = c.focusInMarriagePane = true; },
       kIdEditIndividual, false},
      {"marriage pane", [](CommandContext& c) { c.familyView = c.focusInMarriagePane = true; },
       kIdEditNotes, true},
      {"read-only", [](CommandContext& c) { c.readOnly = true; }, kIdAddIndividual, false},
      {"read-only", [](CommandContext& c) { c.readOnly = true; }, kIdFileImport, false},
      {"read-only", [](CommandContext& c) { c.readOnly = true; }, kIdToolsMergeSbns, false},
      {"read-only", [](CommandContext& c) { c.readOnly = true; }, kIdToolsMatchMerge, true},
      {"no file", [](CommandContext& c) { c = CommandContext{}; }, kIdFileImport, true},
      {"no file", [](CommandContext& c) { c = CommandContext{}; }, kIdFileExport, false},
      {"no file", [](CommandContext& c) { c = CommandContext{}; }, kIdToolsDateCalculator, true},
      {"no file", [](CommandContext& c) { c = CommandContext{}; }, kIdToolsPreferences, false},
      {"one individual", [](CommandContext& c) { c.individuals = 1; }, kIdToolsMatchMerge, false},
      {"empty file", [](CommandContext& c) { c.individuals = c.marriages = 0; },
       kIdSearchIndividualList, false},
      {"empty file", [](CommandContext& c) { c.individuals = c.marriages = 0; },
       kIdSearchMarriageList, false},
      {"one source", [](CommandContext& c) { c.sources = 1; }, kIdToolsMergeSources, false},
      {"one child", [](CommandContext&) {}, kIdEditOrderChildren, false},
      {"two children", [](CommandContext& c) { c.currentMarriageChildren = 2; },
       kIdEditOrderChildren, true},
      {"pedigree view", [](CommandContext& c) { c.primaryMarriages = 3; }, kIdEditOrderSpouses,
       false},
      {"family view", [](CommandContext& c) { c.familyView = true, c.primaryMarriages = 2; },
       kIdEditOrderSpouses, true},
      {"pedigree view", [](CommandContext& c) { c.selectionOutsidePrimary = true; },
       kIdEditUnlinkIndividual, false},
      {"family view relative",
       [](CommandContext& c) { c.familyView = c.selectionOutsidePrimary = true; },
       kIdEditUnlinkIndividual, true},
      {"no marriage", [](CommandContext& c) { c.currentMarriage = 0; }, kIdEditMarriage, false},
      {"marriage pane", [](CommandContext& c) { c.familyView = c.focusInMarriagePane = true; },
       kIdEditDeleteIndividual, false},
      {"pedigree view", [](CommandContext&) {}, kIdEditDeleteIndividual, true},
      {"pedigree view", [](CommandContext&) {}, kIdEditParentsMarriage, false},
      {"family view", [](CommandContext& c) { c.familyView = true; }, kIdEditParentsMarriage, true},
      {"family view, no parent family",
       [](CommandContext& c) { c.familyView = true, c.focusParentFamilies = 0; },
       kIdEditParentsMarriage, false},
      {"pedigree view", [](CommandContext&) {}, kIdViewOtherMarriages, false},
      {"family view", [](CommandContext& c) { c.familyView = true; }, kIdViewParents, true},
      {"no file", [](CommandContext& c) { c = CommandContext{}; }, kIdViewSwitch, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.what) + " id " + std::to_string(k.id));
    CommandContext c = Sample();
    k.change(c);
    EXPECT_EQ(Enabled(k.id, c), k.enabled);
  }
}

// Every rule names a command of the document menu (or a key of the main
// frame, or the views' add boxes), once.
TEST(CommandRules, EveryRuleIsAMenuCommandNamedOnce) {
  const std::vector<unsigned> menu = MenuCommandIds(FrameMenu(kMenuDocument));
  const std::set<unsigned> onMenu(menu.begin(), menu.end());
  std::set<unsigned> seen;
  for (const CommandRuleEntry& entry : CommandRules()) {
    EXPECT_TRUE(seen.insert(entry.id).second) << entry.id;
    const bool boxCommand = entry.id == kIdAddUnlinkedIndividual || entry.id == kIdAddFatherBox ||
                            entry.id == kIdAddMotherBox;
    EXPECT_TRUE(boxCommand || onMenu.count(entry.id) || !AcceleratorKeys(entry.id).empty())
        << entry.id;
  }
}

}  // namespace
