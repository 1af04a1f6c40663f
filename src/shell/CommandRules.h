#pragma once
// When each main-menu command is enabled, as a plain table the main frame
// reads: a rule per command over a snapshot of what is open and what the
// current view has in focus. Commands the table does not name keep the
// frame's own rule (always, or while a file is open).

#include <cstdint>
#include <vector>

namespace shell {

// What the enabling rules look at; the application fills it from the open
// file and the active view before it updates the menus.
struct CommandContext {
  bool fileOpen = false;
  bool readOnly = false;
  std::int32_t individuals = 0;  // live individuals
  std::int32_t marriages = 0;    // live marriages
  std::int32_t sources = 0;      // sources (only "more than one" matters)
  bool familyView = false;       // the active view is the family view
  // The view's focus individual (0 none), whether the family view's focus
  // is in its marriage pane, and the focus individual's parent families.
  std::int32_t focusIndividual = 0;
  bool focusInMarriagePane = false;  // then the focus individual is the primary one
  int focusParentFamilies = 0;
  // The father (mother) slot is free: of the focus individual, in the
  // family view of the primary individual.
  bool canAddFather = false;
  bool canAddMother = false;
  // Who would get a spouse (the family view: the selected individual, else
  // the primary one), and whether a child has a parent or marriage to go to.
  std::int32_t spouseTarget = 0;
  bool childTarget = false;
  std::int32_t currentMarriage = 0;  // the view's current marriage
  int currentMarriageChildren = 0;
  int primaryMarriages = 0;              // family view: the primary individual's
  bool selectionOutsidePrimary = false;  // family view: a selected relative pane
};

enum class CommandRule {
  kAlways,
  kFileOpen,
  kWritableFile,          // open and not read-only
  kImport,                // no file, or a writable one
  kIndividuals,           // open with individuals
  kMarriages,             // open with marriages
  kFocusIndividual,       // the view has a focus individual
  kEditIndividual,        // as above, family view not in the marriage pane
  kFocusWithIndividuals,  // individuals and a focus individual
  kCurrentMarriage,       // the view has a current marriage
  kParentFamily,          // the focus individual has a parent family
  kFamilyParentFamily,    // as above, in the family view
  kFamilyView,            // the family view is active
  kAddFather,
  kAddMother,
  kAddSpouse,        // someone to give a spouse to
  kAddChild,         // a parent or marriage to give a child to
  kUnlink,           // family view with a relative pane selected
  kOrderSpouses,     // family view, primary with two marriages or more
  kOrderChildren,    // current marriage with more than one child
  kMoreThanOneLive,  // more than one live individual
  kMergeSbns,        // as above, on a writable file
  kMoreThanOneSource,
};

struct CommandRuleEntry {
  unsigned id;
  CommandRule rule;
};

// The rules of the document menu's commands.
const std::vector<CommandRuleEntry>& CommandRules();
// The rule of a command; false when the table does not name it.
bool FindCommandRule(unsigned id, CommandRule& rule);
bool IsRuleMet(CommandRule rule, const CommandContext& context);

}  // namespace shell
