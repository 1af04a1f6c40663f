#include "FrameTables.h"

#include "CommandIds.h"

namespace shell {
namespace {

MenuItem Cmd(unsigned id, const char* text) { return MenuItem{id, text, {}}; }
MenuItem Sep() { return MenuItem{}; }
MenuItem Popup(const char* text, std::vector<MenuItem> items) {
  return MenuItem{0, text, std::move(items)};
}

// The help items are the same with and without a document window.
MenuItem HelpMenu() {
  return Popup("&Help", {Cmd(kIdHelp, "&Help Topics"), Cmd(kIdHelpKeyboard, "&Keyboard"), Sep(),
                         Cmd(kIdHelpGettingStarted, "&Getting Started Guide"),
                         Cmd(kIdHelpFeedback, "&Feedback and Frequently Asked Questions"),
                         Cmd(kIdHelpPublisherHome, "About &Quenmoor"), Sep(),
                         Cmd(kIdAppAbout, "&About Korvane...")});
}

// The Tools menu ends with the add-on items; the application gives them
// the texts of the registered add-ons and removes those beyond the count.
MenuItem ToolsMenu(std::vector<MenuItem> items) {
  items.push_back(Sep());
  for (unsigned id = kIdToolsAddOnFirst; id <= kIdToolsAddOnLast; ++id)
    items.push_back(Cmd(id, "Add-On"));
  return Popup("&Tools", std::move(items));
}

MenuItem ViewMenu(std::vector<MenuItem> before) {
  before.push_back(Cmd(kIdViewToolbar, "&Toolbar"));
  before.push_back(Cmd(kIdViewStatusBar, "&Status Bar"));
  return Popup("&View", std::move(before));
}

std::vector<MenuItem> BuildNoDocumentMenu() {
  return {
      Popup("&File",
            {Cmd(kIdFileNew, "&New Family File..."), Cmd(kIdFileOpen, "&Open Family File..."),
             Sep(), Cmd(kIdFileImport, "&Import..."), Sep(), Cmd(kIdFileRestore, "&Restore..."),
             Cmd(kIdFileCheckRepair, "Chec&k/Repair..."),
             Cmd(kIdFileDelete, "&Delete Family File..."), Sep(),
             Cmd(kIdFileRecent1, "Recent File"), Sep(), Cmd(kIdAppExit, "E&xit")}),
      ViewMenu({}),
      Popup("&Tools", {Cmd(kIdToolsSeekwellService, "Seekwell &Internet Genealogy Service")}),
      HelpMenu(),
  };
}

std::vector<MenuItem> BuildDocumentMenu() {
  return {
      Popup("&File",
            {Cmd(kIdFileNew, "&New Family File..."), Cmd(kIdFileOpen, "&Open Family File..."),
             Cmd(kIdFileClose, "&Close"), Cmd(kIdFileSaveAs, "Save &As..."), Sep(),
             Cmd(kIdFileImport, "&Import..."), Cmd(kIdFileExport, "&Export..."), Sep(),
             Cmd(kIdFileBackup, "&Backup..."), Cmd(kIdFileRestore, "&Restore..."),
             Cmd(kIdFileCheckRepair, "Chec&k/Repair..."),
             Cmd(kIdFileDelete, "&Delete Family File..."), Cmd(kIdFileProperties, "Proper&ties..."),
             Sep(), Cmd(kIdFilePrintReports, "&Print Reports..."), Sep(),
             Cmd(kIdFileRecent1, "Recent File"), Sep(), Cmd(kIdAppExit, "E&xit")}),
      Popup(
          "&Edit",
          {Cmd(kIdEditIndividual, "&Individual..."), Cmd(kIdEditMarriage, "&Marriage..."),
           Cmd(kIdEditParents, "&Parents..."), Cmd(kIdEditParentsMarriage, "Parents' Ma&rriage..."),
           Sep(), Cmd(kIdEditNotes, "&Notes..."), Cmd(kIdEditMultimedia, "Multimedi&a..."),
           Cmd(kIdEditPhoto, "P&hoto"), Sep(), Cmd(kIdEditOrderSpouses, "Order &Spouses..."),
           Cmd(kIdEditOrderChildren, "Order &Children..."), Sep(),
           Cmd(kIdEditUnlinkIndividual, "&Unlink Individual"),
           Cmd(kIdEditDeleteIndividual, "&Delete Individual..."), Sep(),
           Cmd(kIdEditSourceList, "S&ource List..."),
           Cmd(kIdEditRepositoryList, "Reposi&tory List...")}),
      Popup("&Add", {Cmd(kIdAddIndividual, "&Individual..."), Cmd(kIdAddFather, "&Father..."),
                     Cmd(kIdAddMother, "&Mother..."), Cmd(kIdAddSpouse, "&Spouse..."),
                     Cmd(kIdAddChild, "&Child..."), Cmd(kIdAddParents, "&Parents...")}),
      ViewMenu({Cmd(kIdViewPedigree, "&Pedigree"), Cmd(kIdViewFamily, "&Family"), Sep(),
                Cmd(kIdViewMoveToPrimary, "&Move to Primary"), Sep()}),
      Popup("&Search", {Cmd(kIdSearchIndividualList, "Individual &List..."),
                        Cmd(kIdSearchMarriageList, "&Marriage List..."),
                        Cmd(kIdSearchDescendancy, "&Descendancy List..."),
                        Cmd(kIdSearchFindRecord, "&Find by RIN/MRIN..."),
                        Cmd(kIdSearchAdvancedFilter, "&Advanced Focus/Filter..."),
                        Cmd(kIdSearchHomePerson, "&Home Person"), Sep(),
                        Cmd(kIdSearchSeekwell, "On &Seekwell Internet"),
                        Cmd(kIdSearchOutside1, "On Outside Search Site &1"),
                        Cmd(kIdSearchOutside2, "On Outside Search Site &2")}),
      ToolsMenu({Cmd(kIdToolsMatchMerge, "&Match/Merge..."),
                 Cmd(kIdToolsMergeSbns, "Merge on &SBNs..."),
                 Cmd(kIdToolsMergeSources, "Merge D&uplicate Sources and Citations"), Sep(),
                 Cmd(kIdToolsSearchReplace, "&Global Search and Replace..."),
                 Cmd(kIdToolsMixedCase, "Change &Names to Mixed Case"), Sep(),
                 Cmd(kIdToolsWebPage, "Create &Web Page..."), Sep(),
                 Cmd(kIdToolsRelationshipCalculator, "&Relationship Calculator..."),
                 Cmd(kIdToolsDateCalculator, "&Date Calculator..."),
                 Cmd(kIdToolsSoundexCalculator, "S&oundex Calculator..."), Sep(),
                 Cmd(kIdToolsSeekwellService, "Seekwell &Internet Genealogy Service"), Sep(),
                 Cmd(kIdToolsPreferences, "&Preferences...")}),
      Popup("&Window", {Cmd(kIdWindowCascade, "&Cascade"), Cmd(kIdWindowTile, "&Tile")}),
      HelpMenu(),
  };
}

void CollectIds(const std::vector<MenuItem>& items, std::vector<unsigned>& out) {
  for (const MenuItem& item : items) {
    if (item.IsPopup())
      CollectIds(item.items, out);
    else if (!item.IsSeparator())
      out.push_back(item.id);
  }
}

}  // namespace

const std::vector<MenuItem>& FrameMenu(unsigned resourceId) {
  static const std::vector<MenuItem> noDocument = BuildNoDocumentMenu();
  static const std::vector<MenuItem> document = BuildDocumentMenu();
  return resourceId == kMenuDocument ? document : noDocument;
}

const std::vector<unsigned>& ToolbarButtons() {
  static const std::vector<unsigned> buttons = {
      kIdFileOpen,
      kIdFileImport,
      kIdFileExport,
      kIdFilePrintReports,
      0,
      kIdViewPedigree,
      kIdViewFamily,
      0,
      kIdEditIndividual,
      kIdEditNotes,
      kIdEditMultimedia,
      kIdAddIndividual,
      kIdAddParents,
      0,
      kIdSearchIndividualList,
      kIdSearchFindRecord,
      kIdSearchDescendancy,
      kIdSearchHomePerson,
      0,
      kIdToolsMatchMerge,
      kIdToolsWebPage,
      0,
      kIdHelpPublisherHome,
      kIdHelp,
  };
  return buttons;
}

const std::vector<Accelerator>& FrameAccelerators() {
  static const std::vector<Accelerator> table = {
      {kIdFileOpen, "Ctrl+O"},
      {kIdFileClose, "Ctrl+F4"},
      {kIdFilePrintReports, "Ctrl+P"},
      {kIdEditIndividual, "Ctrl+I"},
      {kIdEditNotes, "Ctrl+N"},
      {kIdEditMultimedia, "Ctrl+M"},
      {kIdAddIndividual, "Ctrl+A"},
      {kIdAddFather, "Ctrl+T"},
      {kIdAddMother, "Ctrl+H"},
      {kIdAddSpouse, "Ctrl+U"},
      {kIdAddChild, "Ctrl+L"},
      {kIdViewSwitch, "Ctrl+S"},
      {kIdViewOtherMarriages, "Alt+M"},
      {kIdViewParents, "Alt+P"},
      {kIdSearchIndividualList, "Ctrl+F"},
      {kIdSearchDescendancy, "Ctrl+D"},
      {kIdSearchFindRecord, "Ctrl+R"},
      {kIdSearchHomePerson, "Ctrl+Home"},
      {kIdToolsPreferences, "Shift+Ctrl+P"},
      {kIdHelp, "F1"},
  };
  return table;
}

std::string AcceleratorKeys(unsigned id) {
  for (const Accelerator& a : FrameAccelerators())
    if (a.id == id) return a.keys;
  return {};
}

std::vector<unsigned> MenuCommandIds(const std::vector<MenuItem>& menu) {
  std::vector<unsigned> ids;
  CollectIds(menu, ids);
  return ids;
}

bool IsCommandAvailable(unsigned id) {
  switch (id) {
    case kIdAppExit:
    case kIdViewToolbar:
    case kIdViewStatusBar:
    case kIdWindowCascade:
    case kIdWindowTile:
    case kIdViewPedigree:
    case kIdViewFamily:
    case kIdViewSwitch:
    case kIdViewMoveToPrimary:
    case kIdFileRestore:
    case kIdFileCheckRepair:
    case kIdFileDelete:
      return true;
    default:
      return false;
  }
}

}  // namespace shell
