#pragma once
// What the sheet's small dialogs decide: the joined report title, the font
// choices of each report, the photo dialog's caption and enabled parts, the
// report preferences a page leaves off, the name-line preview and the
// exclusive pairs of the wall-chart item choice, and the range text of the
// marriages list.

#include <array>
#include <string>

#include "AppOptions.h"
#include "SettingsDialogs.h"

namespace rpt {

// Prefix, name (when included) and suffix joined by single blanks, empty
// parts skipped; the name is cut to 80 characters.
std::string JoinReportTitle(const std::string& prefix, const std::string& name,
                            const std::string& suffix, bool includeName);

// The Fonts button: the choices of a page (its caption and entries filled
// from the options), and their return after OK. The Custom report and the
// calendar keep their fonts in the profile's Options section, the others in
// the options object.
shell::FontListModel ReportFontChoices(int pageKind, bool wallChart, const CAppOptions& options);
void StoreReportFontChoices(int pageKind, bool wallChart, const shell::FontListModel& model,
                            CAppOptions& options);

// The Photos dialog.
struct PhotoDialogState {
  int reportIndex = 1;  // 1 Pedigree ... 6 Individual
  bool hint = false;
  bool sizeEnabled = true, reserveEnabled = true;
  // Left, Center, Right, Above, Below.
  std::array<bool, 5> placeEnabled{true, false, true, true, false};
  int placement = -1;
  int width = 0, height = 0;  // thousandths of an inch
  int reserve = 0;
};
std::string PhotoDialogCaption(int reportIndex);
// The explanation with the hint appended when asked.
std::string PhotoDialogExplanation(const std::string& base, bool hint);

// The report preferences a page cannot use.
struct PreferencesDisabled {
  bool zel = false, shading = false, placeholders = false;
  bool operator==(const PreferencesDisabled&) const = default;
};
PreferencesDisabled ReportPreferencesDisabled(int pageKind);

// The name line of the item choice: "Name (b.9999 m.9999 d.9999)".
std::string NameLinePreview(bool birth, bool marriage, bool death);
// The exclusive pairs of the item choice: checking one side clears the
// other. The items, in this order:
enum WallItem : int {
  kItemBirth,
  kItemChristening,
  kItemBirthOrChristening,
  kItemDeath,
  kItemBurial,
  kItemDeathOrBurial,
  kItemDateLine,
  kItemPlaceLine,
  kItemDateAndPlace,
  kWallItemCount
};
void CheckWallItem(std::array<bool, kWallItemCount>& items, int item, bool checked);

// "first to last" of the marriages list dialog.
std::string NumberRangeText(long first, long last);

}  // namespace rpt

namespace rpt {

// The title of a report: the dialog's report name, the profile section of
// TitlePrefix, TitleSuffix and UseName, and their defaults. Empty section:
// the page has no title.
struct TitleSettings {
  std::string reportName, section, prefix, suffix;
};
TitleSettings TitleSettingsOf(int pageKind, bool modifiedRegister);

}  // namespace rpt
