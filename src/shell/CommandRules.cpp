#include "CommandRules.h"

#include "CommandIds.h"

namespace shell {

const std::vector<CommandRuleEntry>& CommandRules() {
  using R = CommandRule;
  static const std::vector<CommandRuleEntry> table = {
      {kIdFilePrintReports, R::kIndividuals},
      {kIdFileBackup, R::kIndividuals},
      {kIdFileExport, R::kIndividuals},
      {kIdFileImport, R::kImport},
      {kIdFileProperties, R::kFileOpen},
      {kIdEditIndividual, R::kEditIndividual},
      {kIdEditNotes, R::kFocusIndividual},
      {kIdEditMultimedia, R::kFocusWithIndividuals},
      {kIdEditPhoto, R::kFocusWithIndividuals},
      {kIdEditUnlinkIndividual, R::kUnlink},
      {kIdEditDeleteIndividual, R::kEditIndividual},
      {kIdEditMarriage, R::kCurrentMarriage},
      {kIdEditParents, R::kParentFamily},
      {kIdEditParentsMarriage, R::kFamilyParentFamily},
      {kIdEditOrderSpouses, R::kOrderSpouses},
      {kIdEditOrderChildren, R::kOrderChildren},
      {kIdEditSourceList, R::kAlways},
      {kIdEditRepositoryList, R::kAlways},
      {kIdAddIndividual, R::kWritableFile},
      {kIdAddUnlinkedIndividual, R::kWritableFile},
      {kIdAddFather, R::kAddFather},
      {kIdAddFatherBox, R::kAddFather},
      {kIdAddMother, R::kAddMother},
      {kIdAddMotherBox, R::kAddMother},
      {kIdAddSpouse, R::kAddSpouse},
      {kIdAddChild, R::kAddChild},
      {kIdAddParents, R::kParentFamily},
      {kIdViewPedigree, R::kFileOpen},
      {kIdViewFamily, R::kFileOpen},
      {kIdViewSwitch, R::kAlways},
      {kIdViewOtherMarriages, R::kFamilyView},
      {kIdViewParents, R::kFamilyView},
      {kIdSearchIndividualList, R::kIndividuals},
      {kIdSearchMarriageList, R::kMarriages},
      {kIdSearchDescendancy, R::kFocusIndividual},
      {kIdSearchFindRecord, R::kIndividuals},
      {kIdSearchAdvancedFilter, R::kIndividuals},
      {kIdSearchHomePerson, R::kIndividuals},
      {kIdToolsMatchMerge, R::kMoreThanOneLive},
      {kIdToolsMergeSbns, R::kMergeSbns},
      {kIdToolsMergeSources, R::kMoreThanOneSource},
      {kIdToolsSearchReplace, R::kAlways},
      {kIdToolsWebPage, R::kIndividuals},
      {kIdToolsRelationshipCalculator, R::kIndividuals},
      {kIdToolsDateCalculator, R::kAlways},
      {kIdToolsSoundexCalculator, R::kAlways},
      {kIdToolsPreferences, R::kFileOpen},
      {kIdHelpKeyboard, R::kAlways},
      {kIdAppAbout, R::kAlways},
  };
  return table;
}

bool FindCommandRule(unsigned id, CommandRule& rule) {
  for (const CommandRuleEntry& entry : CommandRules())
    if (entry.id == id) {
      rule = entry.rule;
      return true;
    }
  return false;
}

bool IsRuleMet(CommandRule rule, const CommandContext& c) {
  const bool open = c.fileOpen;
  const bool focus = open && c.focusIndividual > 0;
  switch (rule) {
    case CommandRule::kAlways:
      return true;
    case CommandRule::kFileOpen:
      return open;
    case CommandRule::kWritableFile:
      return open && !c.readOnly;
    case CommandRule::kImport:
      return !open || !c.readOnly;
    case CommandRule::kIndividuals:
      return open && c.individuals > 0;
    case CommandRule::kMarriages:
      return open && c.marriages > 0;
    case CommandRule::kFocusIndividual:
      return focus;
    case CommandRule::kEditIndividual:
      return focus && !(c.familyView && c.focusInMarriagePane);
    case CommandRule::kFocusWithIndividuals:
      return focus && c.individuals > 0;
    case CommandRule::kCurrentMarriage:
      return open && c.currentMarriage > 0;
    case CommandRule::kParentFamily:
      return focus && c.focusParentFamilies > 0;
    case CommandRule::kFamilyParentFamily:
      return focus && c.familyView && c.focusParentFamilies > 0;
    case CommandRule::kFamilyView:
      return open && c.familyView;
    // The family view adds parents to its primary individual, also from an
    // empty pane.
    case CommandRule::kAddFather:
      return (focus || (open && c.familyView)) && c.canAddFather;
    case CommandRule::kAddMother:
      return (focus || (open && c.familyView)) && c.canAddMother;
    case CommandRule::kAddSpouse:
      return open && c.spouseTarget > 0;
    case CommandRule::kAddChild:
      return open && c.childTarget;
    case CommandRule::kUnlink:
      return open && c.familyView && c.selectionOutsidePrimary;
    case CommandRule::kOrderSpouses:
      return open && c.familyView && c.primaryMarriages >= 2;
    case CommandRule::kOrderChildren:
      return open && c.currentMarriage > 0 && c.currentMarriageChildren > 1;
    case CommandRule::kMoreThanOneLive:
      return open && c.individuals > 1;
    case CommandRule::kMergeSbns:
      return open && c.individuals > 1 && !c.readOnly;
    case CommandRule::kMoreThanOneSource:
      return open && c.sources > 1;
  }
  return false;
}

}  // namespace shell
