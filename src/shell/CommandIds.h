#pragma once
// Command ids of the main menus, the toolbar and the accelerators. The
// numbers are the program's command numbers: the string table holds each
// command's status prompt and tooltip under the same number.

namespace shell {

// File
inline constexpr unsigned kIdFilePrintReports = 32776;
inline constexpr unsigned kIdFileOpen = 32786;
inline constexpr unsigned kIdFileNew = 32787;
inline constexpr unsigned kIdFileBackup = 32789;
inline constexpr unsigned kIdFileRestore = 32790;
inline constexpr unsigned kIdFileImport = 32791;
inline constexpr unsigned kIdFileExport = 32792;
inline constexpr unsigned kIdFileCheckRepair = 32800;
inline constexpr unsigned kIdFileClose = 32806;
inline constexpr unsigned kIdFileRecent1 = 32826;
inline constexpr unsigned kIdFileRecent2 = 32827;
inline constexpr unsigned kIdFileRecent3 = 32828;
inline constexpr unsigned kIdFileRecent4 = 32829;
inline constexpr unsigned kIdFileDelete = 32847;
inline constexpr unsigned kIdFileProperties = 32887;
inline constexpr unsigned kIdFileSaveAs = 32934;
inline constexpr unsigned kIdAppExit = 57665;

// Edit
inline constexpr unsigned kIdEditIndividual = 32793;
inline constexpr unsigned kIdEditNotes = 32807;
inline constexpr unsigned kIdEditMultimedia = 32824;
inline constexpr unsigned kIdEditPhoto = 32825;
inline constexpr unsigned kIdEditUnlinkIndividual = 32851;
inline constexpr unsigned kIdEditDeleteIndividual = 32852;
inline constexpr unsigned kIdEditOrderSpouses = 32858;
inline constexpr unsigned kIdEditOrderChildren = 32859;
inline constexpr unsigned kIdEditMarriage = 32860;
inline constexpr unsigned kIdEditParentsMarriage = 32861;
inline constexpr unsigned kIdEditRepositoryList = 32877;
inline constexpr unsigned kIdEditSourceList = 32878;
inline constexpr unsigned kIdEditParents = 32883;

// Add
inline constexpr unsigned kIdAddUnlinkedIndividual = 32796;
inline constexpr unsigned kIdAddFather = 32854;
inline constexpr unsigned kIdAddMother = 32855;
inline constexpr unsigned kIdAddSpouse = 32856;
inline constexpr unsigned kIdAddChild = 32857;
inline constexpr unsigned kIdAddFatherBox = 32866;
inline constexpr unsigned kIdAddMotherBox = 32867;
inline constexpr unsigned kIdAddIndividual = 32868;
inline constexpr unsigned kIdAddParents = 32884;

// View
inline constexpr unsigned kIdViewPedigree = 32849;
inline constexpr unsigned kIdViewMoveToPrimary = 32890;
inline constexpr unsigned kIdViewFamily = 32891;
inline constexpr unsigned kIdViewSwitch = 32920;
inline constexpr unsigned kIdViewOtherMarriages = 32922;
inline constexpr unsigned kIdViewParents = 32923;
inline constexpr unsigned kIdViewToolbar = 59392;
inline constexpr unsigned kIdViewStatusBar = 59393;

// Search
inline constexpr unsigned kIdSearchFindRecord = 32797;
inline constexpr unsigned kIdSearchDescendancy = 32863;
inline constexpr unsigned kIdSearchIndividualList = 32865;
inline constexpr unsigned kIdSearchHomePerson = 32875;
inline constexpr unsigned kIdSearchAdvancedFilter = 32892;
inline constexpr unsigned kIdSearchMarriageList = 32921;
inline constexpr unsigned kIdSearchSeekwell = 32929;
inline constexpr unsigned kIdSearchOutside1 = 32930;
inline constexpr unsigned kIdSearchOutside3 = 32931;
inline constexpr unsigned kIdSearchOutside2 = 32932;
inline constexpr unsigned kIdSearchKind4 = 32933;

// Tools
inline constexpr unsigned kIdToolsPreferences = 32794;
inline constexpr unsigned kIdToolsMatchMerge = 32798;
inline constexpr unsigned kIdToolsMergeSbns = 32799;
inline constexpr unsigned kIdToolsWebPage = 32869;
inline constexpr unsigned kIdToolsSoundexCalculator = 32873;
inline constexpr unsigned kIdToolsDateCalculator = 32874;
inline constexpr unsigned kIdToolsRelationshipCalculator = 32876;
inline constexpr unsigned kIdToolsMixedCase = 32881;
inline constexpr unsigned kIdToolsSeekwellService = 32889;
inline constexpr unsigned kIdToolsAddOnFirst = 32900;
inline constexpr unsigned kIdToolsAddOnLast = 32919;
inline constexpr unsigned kIdToolsMergeSources = 32925;
inline constexpr unsigned kIdToolsSearchReplace = 32928;

// Window
inline constexpr unsigned kIdWindowCascade = 57650;
inline constexpr unsigned kIdWindowTile = 57651;

// Help
inline constexpr unsigned kIdHelpPublisherHome = 32888;
inline constexpr unsigned kIdHelpKeyboard = 32924;
inline constexpr unsigned kIdHelpFeedback = 32926;
inline constexpr unsigned kIdHelpGettingStarted = 32927;
inline constexpr unsigned kIdAppAbout = 57664;
inline constexpr unsigned kIdHelp = 57670;

// Printing from the views
inline constexpr unsigned kIdFilePrint = 57607;
inline constexpr unsigned kIdFilePrintPreview = 57609;

}  // namespace shell
