#pragma once
// What the eight pages of the Preferences sheet decide: each page's values
// as read from the options, the profile and the open family file when the
// sheet opens, the rules that tie its controls together, and what the sheet
// writes back. The sheet writes once, when it closes, and only when a page
// was confirmed with OK; Cancel leaves every store as it was except the
// index of the last page shown.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "AppOptions.h"
#include "FamilyFileInfo.h"
#include "Ports.h"
#include "TextMeasure.h"

namespace shell {

// The items of a list string: its lines.
std::vector<std::string> StringItems(unsigned id);

// The pages in tab order.
enum PrefsPage : int {
  kPageGeneral,
  kPageFile,
  kPageInfoBox,
  kPagePreparer,
  kPageFonts,
  kPageMultimedia,
  kPageFormats,
  kPageFolders,
  kPrefsPageCount
};

// ---- General ----

struct LanguageChoice {
  std::string code;  // "EN", "ES", ...
  std::string name;  // "English", ...
};

struct GeneralPage {
  int appendVal = 0;  // 0 nothing, 1 RIN, 2 custom ID, 3 SBN
  int editNote = 0;
  int noteTool = 0;
  int dateEntry = 0;  // "Date"/"Entry": 0 U.S., 1 European
  int showZel = 0;
  int showZelRpt = 0;
  int verifyNew = 0;
  int autoNames = 0;
  int capSurname = 0;
  int editMarr = 0;
  int shading = 0;
  int hideShade = 0;     // "Reports"/"Hide Shade"
  int useDescList = 1;   // "Options"/"UseDescList"
  int returnAsTab = -1;  // "Start Up"/"ReturnAsTab": -1 not yet chosen
  int allowSbnEdit = 0;

  void Load(const CAppOptions& options, plat::ProfilePort& profile);
  // "Show ZEL data on reports" is enabled only with "Use ZEL data".
  bool ZelReportEnabled() const { return showZel != 0; }
  // Checking "Use ZEL data" checks the report box too; unchecking clears it.
  void SetShowZel(bool on);
};

// English first, then each language whose catalog exists (hasCatalog(code)).
std::vector<LanguageChoice> AvailableLanguages(
    const std::function<bool(const std::string&)>& hasCatalog);
// The entry of choices whose code is the stored interface language (case
// ignored); 0 (English) when none is.
int CurrentLanguageIndex(const std::vector<LanguageChoice>& choices, plat::ProfilePort& profile);
// The user picked code: when it differs (case ignored) from the stored
// language it is stored at once and the answer is true (tell the user it
// takes effect at the next start); the same language changes nothing.
bool ChooseLanguage(const std::string& code, plat::ProfilePort& profile);

// ---- File ----

struct FilePage {
  int useHomePerson = 0;  // 0 the person last shown, 1 the RIN typed
  std::string rinText;    // the home person, or the last used RIN when none
  int logChanges = 0;
  int relationshipOption = 0;  // the file's relationship-indicator option
  bool readOnly = false;
  std::string logPath;  // the change log's full path
  bool logExists = false;

  static constexpr int kRinChars = 7;

  void Load(const CFamilyFileInfo& info, bool fileReadOnly, int relationship,
            const std::string& changeLogPath, bool changeLogExists);
  // The home person to store: the typed RIN with "Use:", else 0.
  std::int32_t HomeRin() const;
  // The relationship-indicator text ("Showing" / "Not showing").
  std::string RelationshipText() const;
  // The check box text "Lo&g to '<log file name>'".
  std::string LogCheckText() const;
  bool ControlsEnabled() const { return !readOnly; }
  bool LogButtonsEnabled() const { return !readOnly && logExists; }
};

// ---- InfoBox ----

struct InfoBoxPage {
  int floaterOpt = 1;  // 0 none, 1 dates, 2 dates and family
  int waitTenths = 10;
  int selectOpt = 2;

  static constexpr int kWaitMax = 655;  // what the box accepts
  static constexpr int kWaitCap = 600;  // what is stored at most

  void Load(const CAppOptions& options);
  bool WaitEnabled() const { return floaterOpt != 0; }
  // Milliseconds to store for a wait in tenths of a second.
  static int StoredWait(int tenths);
};

// ---- Prepared by ----

struct PreparerPage {
  // Given name, surname, address 1-3, country, phone, SBN, e-mail.
  std::array<std::string, 9> fields;
  static const std::array<int, 9> kLimits;

  void Load(const CFamilyFileInfo& info);
  void Store(CFamilyFileInfo& info) const;
};

// ---- Fonts ----

struct FontsPage {
  std::string views;        // "FontPedSized"
  std::string notesEdit;    // "FontNotesEdit"
  std::string notesReport;  // "FontNotesRpt"

  static constexpr const char* kDefaultViews = "Arial;Normal;8pt";
  static constexpr const char* kDefaultNotes = "Times New Roman;Normal;9pt";

  void Load(const CAppOptions& options);
  void SetDefaults();
  // A description as the page shows it: the parts separated by blanks; the
  // views' size is left out, as the views fit it themselves.
  static std::string Shown(const std::string& description, bool withSize);
};

// What a font chooser may offer for one font: sizes from min to max points
// (0 = no limit) and whether it needs the default printer.
struct FontChoiceLimits {
  int minPoints = 0;
  int maxPoints = 0;
  bool needsPrinter = false;
  bool trueTypeOnly = false;
};
FontChoiceLimits ViewsFontLimits();
FontChoiceLimits NotesEditFontLimits();
FontChoiceLimits NotesReportFontLimits();
// The description of a chosen font: face; weight word (" Italic"); whole
// points, the size kept within limits.
std::string ChosenFontDescription(const std::string& face, double points, int weight, bool italic,
                                  const FontChoiceLimits& limits);

// ---- Multimedia ----

struct MultimediaPage {
  int slideTime = 20;  // tenths of a second
  int slideSize = 0;   // 0 default size, 1 ratio to the screen
  int slideRatio = 50;
  std::uint32_t slideColor = 0x000000;
  std::uint32_t scrapColor = 0xFFFFFF;
  int photoPlaceholders = 0;
  int scaleType = 1;  // 0 fast, 1 quality
  int familyViewPhoto = 1;

  static constexpr int kSlideTimeMin = 0, kSlideTimeMax = 590;  // tenths
  static constexpr int kRatioMin = 10, kRatioMax = 100;

  void Load(plat::ProfilePort& profile);
  void Save(plat::ProfilePort& profile) const;
  bool RatioEnabled() const { return slideSize == 1; }
  // The colour the Color button edits: 0 slide show, 1 scrapbook.
  std::uint32_t& ColorOf(int target) { return target == 1 ? scrapColor : slideColor; }
};

// ---- Formats ----

struct FormatsPage {
  int trim = 1;
  int dateOrder = 1;
  int dayStyle = 0;
  int monthStyle = 2;
  int dateSeparator = 0;
  int placeLevels = 5;

  void Load(const CAppOptions& options);
  void Store(CAppOptions& options) const;
  // A month style of 2 or more (month names) forces the space separator.
  void SetMonthStyle(int style);
  bool SeparatorsEnabled() const { return monthStyle < 2; }

  // The samples in the page's current style.
  std::string DateSample() const;  // 3 August 1886, "Bef"
  std::string NameSample() const;  // the clipping method's example
  // The sample place fitted into a width in the page's place order.
  std::string PlaceSample(const plat::TextMeasure* measure, int pixelWidth) const;
};

// Descend goes through the Descendancy List: the option "UseDescList" (on
// unless stored as 0) and a number of children other than one.
bool DescendThroughList(plat::ProfilePort& profile, int childCount);

// Copies the date, place and name display choices of options to the
// formatters that the views and reports use, and to the in-memory records
// (name suffix, capitalised surnames, ZEL data).
void ApplyDisplayOptions(const CAppOptions& options);

// ---- Folders ----

struct FoldersPage {
  // "Folders"/"Data", "Export", "Backup", "Report", "Web".
  std::array<std::string, 5> folders;
  static const std::array<const char*, 5> kValueNames;
  static constexpr int kPathChars = 260;  // the first three boxes

  void Load(plat::ProfilePort& profile);
  void Save(plat::ProfilePort& profile) const;
};

// True for a path that names where removable or network media are mounted
// ("/media/<user>/<name>/", "/run/media/<user>/<name>/", "/mnt/<name>/"):
// accepted even while nothing is mounted there.
bool IsRemovableMountPoint(const std::string& path);

// Checks one folder box's text: a trailing separator is added to a
// non-empty text (the text is changed in place); an empty text and a
// removable mount point pass as they are; a missing folder is offered for
// creation (Yes creates the whole path, a failure is reported). False keeps
// the page open.
bool CheckFolder(std::string& text, const std::function<bool(const std::string&)>& isRemovable =
                                        IsRemovableMountPoint);

// ---- the sheet ----

class PreferencesSheetModel {
 public:
  // Reads every page from the stores. info is the open document's file
  // information (null when none); the other file facts are the caller's.
  PreferencesSheetModel(CAppOptions& options, CFamilyFileInfo* info, plat::ProfilePort& profile);

  // The page the sheet opens on: page, or the last one used for -1.
  int StartPage(int page) const;

  GeneralPage general;
  FilePage file;
  InfoBoxPage infoBox;
  PreparerPage preparer;
  FontsPage fonts;
  MultimediaPage multimedia;
  FormatsPage formats;
  FoldersPage folders;

  // A page was confirmed with OK (folders: only when every folder passed).
  void Confirm(int page) { confirmed_[page] = true; }
  bool AnyConfirmed() const;

  // The sheet closes with activePage shown: the index is kept in the
  // options; when a page was confirmed every value is written back, the
  // options saved and the per-file settings and the preparer stored.
  void Close(int activePage);

 private:
  void Save();

  CAppOptions& options_;
  CFamilyFileInfo* info_;
  plat::ProfilePort& profile_;
  std::array<bool, kPrefsPageCount> confirmed_{};
};

}  // namespace shell
