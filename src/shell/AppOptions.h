#pragma once
// The user's options for the whole run, kept in the profile section
// "Options": display choices of the views and the InfoBox, date and name
// formats, editing habits, merge settings, family-reunion settings, the five
// name-display colours, thirty font descriptions and the edit password.
// Beside it the small profile stores that share its style: note tags,
// reports shading, photo placeholders and the web folder.
//
// Load takes a stored value as it stands (no range check); a missing value,
// or one that is not a number, leaves the field as it was.

#include <array>
#include <cstdint>
#include <string>

#include "ReportSettingKeys.h"

// The thirty font descriptions, in the order the options keep them.
enum AppFont : int {
  kFontPedSized,   // pedigree and family views
  kFontNotesEdit,  // notes editing screen
  kFontNotesRpt,   // notes on reports
  kFontPedHdrs,
  kFontPedTitle,
  kFontPedPrim,
  kFontPedName,
  kFontPedData,
  kFontFgrTitle,
  kFontFgrParent,
  kFontFgrChild,
  kFontFgrData,
  kFontAncMain,
  kFontAncGen,
  kFontAncPrim,
  kFontAncOther,
  kFontDescMain,
  kFontDescGen,
  kFontDescPrim,
  kFontDescOther,
  kFontAncStdMain,
  kFontAncStdPrim,
  kFontAncStdOther,
  kFontDescStdMain,
  kFontDescStdPrim,
  kFontDescStdOther,
  kFontScrapTitle,
  kFontScrapCaption,
  kFontScrapFN,
  kFontScrapDesc,
  kAppFontCount
};

class CAppOptions {
 public:
  static constexpr const char* kSection = "Options";

  // 31 empty texts, then the defaults; the colours start as the desktop's.
  CAppOptions();

  // Every integer and font default (the colours are left alone: LoadColors
  // supplies theirs).
  void SetDefaults();
  // Reads every value of "Options"; each defaults to the field's value.
  void Load();
  // Writes "Options", except "Allow3PSearch" and "ShowSpsBullet" (set only
  // outside the program) and "Pwd" (SetPassword writes it).
  void Save();
  // The five colours, each defaulting to its current system colour.
  void LoadColors();
  // Writes all five colours when at least one differs from its system colour,
  // else nothing (so a desktop theme change still reaches the views).
  void SaveColors();
  // Deletes the five stored colours, then LoadColors.
  void ResetColors();
  // Keeps text as the edit password and writes it at once.
  void SetPassword(const std::string& text);

  // "Reports"/"Hide Shade": 1 = print preview draws reports without shading.
  static int GetReportsHideShade();
  // "Reports" colours: the shade of the standard charts, family group
  // records and lists, and the shade and shadow of the wall charts.
  static std::uint32_t GetReportsShadeClr();
  static std::uint32_t GetReportsWallShadeClr();
  static std::uint32_t GetReportsWallShadowClr();

  // Report settings, read afresh on every call (the stored value, or the
  // default when none is stored): GetLstRptPageLM(), GetAncRptType(),
  // GetOptionsFontListTitle(text) and the rest of ReportSettingKeys.h.
#define KOR_DECLARE_INT_SETTING(section, key, def) static int Get##section##key();
#define KOR_DECLARE_FONT_SETTING(section, key, def) \
  static void Get##section##key(std::string& text);
  KOR_REPORT_INT_SETTINGS(KOR_DECLARE_INT_SETTING)
  KOR_REPORT_FONT_SETTINGS(KOR_DECLARE_FONT_SETTING)
#undef KOR_DECLARE_INT_SETTING
#undef KOR_DECLARE_FONT_SETTING

  // The family-reunion year the options start with: the year of today's date
  // read through a two-digit year, minus 18.
  static int DefaultReunionYear();

  static const char* FontValueName(AppFont font);
  static const char* DefaultFont(AppFont font);

  // ---- integer fields, in declaration order ----
  int floaterOpt = 0;     // InfoBox on hover: 0 none, 1 dates, 2 dates and family
  int selectOpt = 0;      // InfoBox when locked by a click: same codes
  int trim = 0;           // condensing names and places: 0 truncate, 1 initials
  int dateOrder = 0;      // 0 month-day-year, 1 day-month-year
  int dayStyle = 0;       // 0 "3", 1 "03"
  int monthStyle = 0;     // 0 "8", 1 "08", 2 "Aug", 3 "AUG"
  int dateSeparator = 0;  // 0 space, 1 dash, 2 slash, 3 dot
  int placeLevels = 0;    // place parts kept when condensing (string 3636 index)
  int appendVal = 0;      // after names: 0 nothing, 1 RIN, 2 custom ID, 3 SBN
  int infoTimeOut = 0;    // hover delay of the floating InfoBox, milliseconds
  int sortDef = 0;        // sort choice of the Individual List
  int lastPrefsPage = 0;  // Preferences page last active (not stored)
  int showZel = 0;        // ZEL ordinance data on screens
  int showZelRpt = 0;     // ZEL data on reports
  int noteTool = 0;       // notes selector while browsing
  int editNote = 0;       // notes selector from edit individual
  int verifyNew = 0;      // verify new names
  int editMarr = 0;       // edit a marriage when it is created
  int capSurname = 0;     // capitalise surnames
  int shading = 0;        // shade reports
  int mrgDob = 0;         // Match/Merge criteria and choices ...
  int mrgIds = 0;
  int mrgMiddles = 0;
  int mrgNotes = 0;
  int mrgCitations = 0;
  int mrgMedia = 0;
  int mrgSurname = 0;
  int mrgParents = 0;
  int mrgVerify = 0;
  int allowSbnEdit = 0;
  int allow3PSearch = 0;  // 0 removes the outside web-search commands
  int showSpsBullet = 0;  // spouse bullet
  int autoNames = 0;      // autocomplete name fields
  int mrgYears = 0;       // Match/Merge year range
  int famReunType = 0;    // family-reunion contact list ...
  int famReunAll = 0;
  int famReunYr = 0;
  // The name-display colours (red in the low byte).
  int colorSelectedNameText = 0;
  int colorSelectedNameBackground = 0;
  int colorNameText = 0;
  int colorNameBackground = 0;
  int colorBackground = 0;

  std::array<std::string, kAppFontCount> fonts;  // font descriptions by AppFont
  std::string password;  // edit password exactly as typed; empty = not locked
};

// Note tags: "Note Tags"/"Tag<index>"; a tag never written reads as empty.
void GetNoteTag(int index, std::string& text);
void SetNoteTag(int index, const std::string& text);
// "Multimedia"/"MMPPrevPH": 1 = print preview draws photos as placeholders.
int GetPreviewPhotoPlaceholder();
// "Folders"/"Web": the folder of generated web pages; empty when not set.
void GetWebFolder(std::string& text);
