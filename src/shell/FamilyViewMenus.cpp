#include "FamilyViewMenus.h"

#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyViewModel.h"
#include "IndividualNode.h"
#include "MarriageNode.h"
#include "MultimediaChain.h"

namespace shell::famview {
namespace {

// The view's commands offered for a pane with content, by sub-menu.
const std::vector<unsigned>& ContentCommands(int subMenu) {
  static const std::vector<unsigned> kPrimary = {
      kIdEditIndividual,    kIdEditNotes,    kIdEditMultimedia,      kIdEditPhoto,
      kIdAddFather,         kIdAddMother,    kIdAddSpouse,           kIdAddChild,
      kIdAddParents,        kIdEditMarriage, kIdEditParentsMarriage, kIdEditDeleteIndividual,
      kIdSearchDescendancy, kIdViewPedigree, kIdFilePrintReports};
  static const std::vector<unsigned> kMarriage = {kIdEditMarriage, kIdEditNotes, kIdAddSpouse,
                                                  kIdAddChild, kIdFilePrintReports};
  static const std::vector<unsigned> kOther = {kIdViewMoveToPrimary,
                                               kIdEditIndividual,
                                               kIdEditNotes,
                                               kIdEditMultimedia,
                                               kIdEditPhoto,
                                               kIdAddSpouse,
                                               kIdAddChild,
                                               kIdAddParents,
                                               kIdEditMarriage,
                                               kIdEditParentsMarriage,
                                               kIdEditUnlinkIndividual,
                                               kIdEditDeleteIndividual,
                                               kIdSearchDescendancy,
                                               kIdViewPedigree,
                                               kIdFilePrintReports};
  switch (subMenu) {
    case kSubMenuPrimary:
      return kPrimary;
    case kSubMenuMarriage:
      return kMarriage;
    default:
      return kOther;
  }
}

// The add commands offered for an empty pane, by pane.
std::vector<unsigned> EmptyPaneCommands(int pane) {
  switch (pane) {
    case kPanePrimary:
      return {kIdAddUnlinkedIndividual, kIdAddFather, kIdAddMother, kIdAddSpouse};
    case kPaneMarriage:
      return {kIdAddSpouse, kIdAddChild};
    case kPaneSpouse:
      return {kIdAddSpouse};
    case kPaneFather:
      return {kIdAddFather};
    case kPaneMother:
      return {kIdAddMother};
    default:
      return {kIdAddChild};
  }
}

struct Text {
  unsigned command;
  const char* text;
};

// Out of the main menu's context the entries name what they add or edit.
constexpr Text kTexts[] = {
    {kIdViewMoveToPrimary, "Move to &Primary"},
    {kIdEditIndividual, "&Edit Individual..."},
    {kIdAddUnlinkedIndividual, "Add &Individual..."},
    {kIdEditNotes, "&Notes..."},
    {kIdEditMultimedia, "M&ultimedia..."},
    {kIdEditPhoto, "P&hoto"},
    {kIdAddFather, "Add &Father..."},
    {kIdAddMother, "Add &Mother..."},
    {kIdAddSpouse, "Add &Spouse..."},
    {kIdAddChild, "Add &Child..."},
    {kIdAddParents, "Add New P&arents..."},
    {kIdEditMarriage, "Edit Ma&rriage..."},
    {kIdEditParentsMarriage, "Edit Parents' Marria&ge..."},
    {kIdEditUnlinkIndividual, "Un&link"},
    {kIdEditDeleteIndividual, "&Delete..."},
    {kIdSearchDescendancy, "Desc&endancy"},
    {kIdViewPedigree, "Pedigree &View"},
    {kIdFilePrintReports, "Rep&orts..."},
};

}  // namespace

const char* MenuText(unsigned command) {
  for (const Text& t : kTexts)
    if (t.command == command) return t.text;
  return "";
}

PaneMenu MenuForPane(const PaneMenuFacts& facts) {
  PaneMenu menu;
  if (facts.readOnly || facts.pane < 0 || facts.pane >= kPaneCount) return menu;
  if (!facts.content) {
    menu.menu = kMenuEmptyPane;
    menu.subMenu = facts.pane;
    for (unsigned id : EmptyPaneCommands(facts.pane)) {
      // Parents and spouses are added to the primary individual.
      const bool needsPrimary = id == kIdAddFather || id == kIdAddMother || id == kIdAddSpouse;
      menu.entries.push_back({id, needsPrimary && !facts.primary});
    }
    return menu;
  }
  menu.menu = kMenuPaneContent;
  menu.subMenu = facts.pane == kPanePrimary    ? kSubMenuPrimary
                 : facts.pane == kPaneMarriage ? kSubMenuMarriage
                                               : kSubMenuOther;
  for (unsigned id : ContentCommands(menu.subMenu)) {
    bool greyed = false;
    if (facts.individual > 0) {
      switch (id) {
        case kIdEditPhoto:
          greyed = !facts.defaultPhoto;
          break;
        case kIdEditMarriage:
          greyed = facts.marriages == 0;
          break;
        case kIdEditParentsMarriage:
        case kIdAddParents:
          greyed = facts.parentFamilies == 0;
          break;
        default:
          break;
      }
    }
    menu.entries.push_back({id, greyed});
  }
  return menu;
}

PaneMenuFacts SelectedPaneFacts(const FamilyViewModel& model, bool readOnly) {
  PaneMenuFacts facts;
  facts.pane = model.SelectedPane();
  facts.readOnly = readOnly;
  facts.primary = model.Primary() != nullptr;
  CIndividualNode* individual =
      facts.pane == kPaneMarriage ? model.Primary() : model.GetSelectedContent();
  facts.content =
      facts.pane == kPaneMarriage ? model.GetCurrentMarriage() != nullptr : individual != nullptr;
  if (individual) {
    facts.individual = individual->GetRin();
    facts.defaultPhoto = DbHasDefaultPhoto(facts.individual, db::kIndividual) == 1;
    facts.marriages = DbGetRelationCount(facts.individual, db::kRelMarriages, 0, 1);
    facts.parentFamilies = static_cast<int>(ParentFamiliesOf(facts.individual).size());
  }
  return facts;
}

}  // namespace shell::famview
