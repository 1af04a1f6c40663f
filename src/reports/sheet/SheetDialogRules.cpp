#include "SheetDialogRules.h"

#include <cctype>
#include <cstdio>
#include <iterator>
#include <vector>

#include "Ports.h"
#include "ReportSheetRules.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextRoutines.h"

namespace rpt {
namespace {

// One font choice: where it is kept (an options font, or a key of the
// profile's Options section), its label, default and size limits.
struct FontChoice {
  int font;                // AppFont, or -1
  const char* profileKey;  // with font -1
  const char* label;
  const char* def;
  int minSize, maxSize;
};

struct FontSet {
  const char* reportName;
  std::vector<FontChoice> choices;
};

FontSet FontsOf(int pageKind, bool wallChart) {
  switch (pageKind) {
    case kPagePedigree:
      return {"Pedigree",
              {{kFontPedTitle, nullptr, "Title", "Arial;Bold;16pt", 10, 32},
               {kFontPedPrim, nullptr, "Primary Individual", "Times New Roman;Bold;10pt", 6, 14},
               {kFontPedName, nullptr, "Other Individuals", "Times New Roman;Bold;9pt", 4, 12},
               {kFontPedData, nullptr, "Event Information", "Times New Roman;Normal;9pt", 4, 12},
               {kFontPedHdrs, nullptr, "Index Headers", "Arial;Bold;11pt", 6, 12}}};
    case kPageFamilyGroup:
      return {"Family Group Record",
              {{kFontFgrTitle, nullptr, "Title", "Arial;Bold;16pt", 10, 36},
               {kFontFgrParent, nullptr, "Parent", "Times New Roman;Bold;12pt", 8, 20},
               {kFontFgrChild, nullptr, "Child", "Times New Roman;Bold;11pt", 6, 18},
               {kFontFgrData, nullptr, "Event Information", "Times New Roman;Normal;9pt", 6, 12},
               {kFontNotesRpt, nullptr, "Report Notes", "Times New Roman;Normal;9pt", 3, 12}}};
    case kPageAncestry:
    case kPageDescendants: {
      const bool anc = pageKind == kPageAncestry;
      if (wallChart)
        return {anc ? "Ancestry Wall Chart" : "Descendants Wall Chart",
                {{anc ? kFontAncMain : kFontDescMain, nullptr, "Main Header", "Arial;Bold;14pt", 5,
                  150},
                 {anc ? kFontAncGen : kFontDescGen, nullptr, "Generation Headers",
                  "Arial;Normal;11pt", 4, 150},
                 {anc ? kFontAncPrim : kFontDescPrim, nullptr, "Primary Individual (or Name)",
                  "Times New Roman;Bold;10pt", 3, 150},
                 {anc ? kFontAncOther : kFontDescOther, nullptr, "Other Individuals (or Events)",
                  "Times New Roman;Normal;9pt", 5, 150}}};
      return {anc ? "Ancestry Chart" : "Descendants Chart",
              {{anc ? kFontAncStdMain : kFontDescStdMain, nullptr, "Main Header", "Arial;Bold;14pt",
                5, 48},
               {anc ? kFontAncStdPrim : kFontDescStdPrim, nullptr, "Primary Individual",
                "Times New Roman;Bold;10pt", 5, 24},
               {anc ? kFontAncStdOther : kFontDescStdOther, nullptr, "Other Individuals",
                "Times New Roman;Normal;9pt", anc ? 3 : 4, 18}}};
    }
    case kPageBooks:
    case kPageIndividualSummary:
      return {"", {{kFontNotesRpt, nullptr, "Report Notes", "Times New Roman;Normal;9pt", 3, 12}}};
    case kPageScrapbook:
      return {"Scrapbook",
              {{kFontScrapTitle, nullptr, "Title", "Arial;Bold;14pt", 5, 150},
               {kFontScrapCaption, nullptr, "Caption", "Times New Roman;Normal;10pt", 4, 32},
               {kFontScrapFN, nullptr, "File Name", "Times New Roman;Normal;10pt", 3, 32},
               {kFontScrapDesc, nullptr, "Description", "Times New Roman;Normal;10pt", 5, 16}}};
    case kPageCustom:
      return {"Custom Report",
              {{-1, "FontListTitle", "Title", "Arial;Bold;14pt", 5, 32},
               {-1, "FontListHead", "Header", "Arial;Normal;10pt", 3, 16},
               {-1, "FontListBody", "Body", "Arial;Normal;10pt", 3, 16}}};
    case kPageCalendar:
      return {"Event Calendar",
              {{-1, "FontCalTitle", "Title", "Times New Roman;Bold;48pt", 6, 108},
               {-1, "FontCalDays", "Day Headings", "Times New Roman;Bold;16pt", 6, 48},
               {-1, "FontCalDate", "Date Numbers", "Arial;Bold;11pt", 6, 24},
               {-1, "FontCalText", "Names", "Times New Roman;Normal;8pt", 5, 14}}};
    default:
      return {"", {}};
  }
}

}  // namespace

std::string JoinReportTitle(const std::string& prefix, const std::string& name,
                            const std::string& suffix, bool includeName) {
  // The stored prefixes end with their blank ("Ancestors of "): no second one.
  return JoinWithBlanks(prefix, includeName ? name.substr(0, 80) : std::string(), suffix);
}

shell::FontListModel ReportFontChoices(int pageKind, bool wallChart, const CAppOptions& options) {
  const FontSet set = FontsOf(pageKind, wallChart);
  shell::FontListModel model;
  const std::string selection = res::LoadString(res::kIdsFontSelection);
  if (pageKind == kPageBooks || pageKind == kPageIndividualSummary)
    model.caption = res::LoadString(res::kIdsNotesFontCaption);
  else if (!set.choices.empty())
    model.caption = res::LoadString(res::kIdsFontsFor) + " " + set.reportName;
  for (const FontChoice& choice : set.choices) {
    shell::FontEntry entry;
    entry.label = choice.label;
    entry.defaultDescription = choice.def;
    entry.description = choice.font >= 0 ? options.fonts[static_cast<std::size_t>(choice.font)]
                                         : plat::Profile().GetString(CAppOptions::kSection,
                                                                     choice.profileKey, choice.def);
    if (entry.description.empty()) entry.description = choice.def;
    entry.flags = shell::kFontScreen | shell::kFontPrinter | shell::kFontLimitSize;
    entry.minSize = choice.minSize;
    entry.maxSize = choice.maxSize;
    model.entries.push_back(entry);
  }
  return model;
}

void StoreReportFontChoices(int pageKind, bool wallChart, const shell::FontListModel& model,
                            CAppOptions& options) {
  const FontSet set = FontsOf(pageKind, wallChart);
  for (std::size_t i = 0; i < set.choices.size() && i < model.entries.size(); ++i) {
    const FontChoice& choice = set.choices[i];
    if (choice.font >= 0)
      options.fonts[static_cast<std::size_t>(choice.font)] = model.entries[i].description;
    else
      plat::Profile().SetString(CAppOptions::kSection, choice.profileKey,
                                model.entries[i].description);
  }
}

std::string PhotoDialogCaption(int reportIndex) {
  static const char* const kNames[] = {"Pedigree", "FGR",        "Ancestry", "Descendants",
                                       "Books",    "Individual", "Scrapbook"};
  const int count = static_cast<int>(std::size(kNames));
  const char* name = reportIndex >= 1 && reportIndex <= count ? kNames[reportIndex - 1] : "";
  return res::LoadString(res::kIdsPhotoOptionsFor) + " " + name;
}

std::string PhotoDialogExplanation(const std::string& base, bool hint) {
  return hint ? base + " " + res::LoadString(res::kIdsLeaveAtZero) : base;
}

PreferencesDisabled ReportPreferencesDisabled(int pageKind) {
  switch (pageKind) {
    case kPagePedigree:
    case kPageIndividualSummary:
      return {false, true, false};
    case kPageAncestry:
    case kPageDescendants:
      return {true, false, false};
    case kPageBooks:
    case kPageScrapbook:
      return {true, true, false};
    case kPageCalendar:
      return {true, true, true};
    case kPageCustom:
    case kPageLists:
      return {true, false, true};
    default:
      return {};
  }
}

std::string NameLinePreview(bool birth, bool marriage, bool death) {
  std::string text = res::LoadString(res::kIdsName);
  if (!birth && !marriage && !death) return text;
  std::string years;
  auto add = [&years](bool on, unsigned letter) {
    if (!on) return;
    std::string mark = res::LoadString(letter);
    for (char& c : mark) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!years.empty()) years += ' ';
    years += mark + ".9999";
  };
  add(birth, res::kIdsBirthLetter);
  add(marriage, res::kIdsMarriageLetter);
  add(death, res::kIdsDeathLetter);
  return text + " (" + years + ")";
}

void CheckWallItem(std::array<bool, kWallItemCount>& items, int item, bool checked) {
  items[static_cast<std::size_t>(item)] = checked;
  if (!checked) return;
  // Each group of three: two single items and the item that joins them.
  const int first = item / 3 * 3;
  const int joined = first + 2;
  if (item == joined) {
    items[static_cast<std::size_t>(first)] = false;
    items[static_cast<std::size_t>(first + 1)] = false;
  } else {
    items[static_cast<std::size_t>(joined)] = false;
  }
}

std::string NumberRangeText(long first, long last) {
  const std::string pattern = res::LoadString(res::kIdsRangeText);
  char text[64];
  std::snprintf(text, sizeof text, pattern.c_str(), first, last);
  return text;
}

}  // namespace rpt

namespace rpt {

TitleSettings TitleSettingsOf(int pageKind, bool modifiedRegister) {
  switch (pageKind) {
    case kPageAncestry:
      return {"Ancestry Chart", "AncRpt", "Ancestors of ", ""};
    case kPageDescendants:
      return {"Descendants Chart", "DescRpt", "Descendants of ", ""};
    case kPageBooks:
      return modifiedRegister
                 ? TitleSettings{"Modified Register", "MRRpt", "Modified Register for", ""}
                 : TitleSettings{"Ahnentafel", "AhnRpt", "Ahnentafel Chart for ", ""};
    case kPageIndividualSummary:
      return {"Individual Summary", "IndRpt", "Individual Summary for", ""};
    case kPageScrapbook:
      return {"Scrapbook", "ScrapRpt", "Scrapbook Page for ", ""};
    case kPageCalendar:
      return {"Event Calendar", "CalendarRpt", "", ""};
    default:
      return {};
  }
}

}  // namespace rpt
