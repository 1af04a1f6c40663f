#include "PreferencesPages.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ChangeLog.h"
#include "CodePage.h"
#include "DateValue.h"
#include "FamilyDatabase.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "FitUnit.h"
#include "FontDescription.h"
#include "FramePlacement.h"
#include "IndividualNode.h"
#include "StartupLogic.h"
#include "StringIds.h"
#include "StringTable.h"

namespace shell {

std::vector<std::string> StringItems(unsigned id) {
  std::vector<std::string> items;
  const std::string text = res::LoadString(id);
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find('\n', start);
    items.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return items;
}

namespace {

int Bool01(int v) { return v ? 1 : 0; }

}  // namespace

// ---- General ----

void GeneralPage::Load(const CAppOptions& o, plat::ProfilePort& profile) {
  appendVal = o.appendVal;
  editNote = o.editNote;
  noteTool = o.noteTool;
  dateEntry = profile.GetInt("Date", "Entry", 0);
  showZel = o.showZel;
  showZelRpt = o.showZelRpt;
  verifyNew = o.verifyNew;
  autoNames = o.autoNames;
  capSurname = o.capSurname;
  editMarr = o.editMarr;
  shading = o.shading;
  hideShade = profile.GetInt("Reports", "Hide Shade", 0);
  useDescList = profile.GetInt(CAppOptions::kSection, "UseDescList", 1);
  returnAsTab = profile.GetInt(kStartUpSection, "ReturnAsTab", -1);
  allowSbnEdit = o.allowSbnEdit;
}

void GeneralPage::SetShowZel(bool on) {
  showZel = on ? 1 : 0;
  showZelRpt = on ? 1 : 0;
}

namespace {

struct LanguageEntry {
  const char* code;
  unsigned nameId;
};

constexpr LanguageEntry kLanguages[] = {
    {"EN", res::kIdsEnglish},     {"ES", res::kIdsEnglish + 1}, {"PT", res::kIdsEnglish + 2},
    {"FR", res::kIdsEnglish + 3}, {"DE", res::kIdsEnglish + 4},
};

}  // namespace

std::vector<LanguageChoice> AvailableLanguages(
    const std::function<bool(const std::string&)>& hasCatalog) {
  std::vector<LanguageChoice> choices{{"EN", res::LoadString(res::kIdsEnglish)}};
  for (const LanguageEntry& l : kLanguages)
    if (hasCatalog && hasCatalog(l.code)) choices.push_back({l.code, res::LoadString(l.nameId)});
  return choices;
}

int CurrentLanguageIndex(const std::vector<LanguageChoice>& choices, plat::ProfilePort& profile) {
  const std::string current = GetLanguageUI(profile);
  for (std::size_t i = 0; i < choices.size(); ++i)
    if (plat::AnsiUpper(choices[i].code) == current) return static_cast<int>(i);
  return 0;
}

bool ChooseLanguage(const std::string& code, plat::ProfilePort& profile) {
  if (plat::AnsiUpper(code) == GetLanguageUI(profile)) return false;
  SetLanguageUI(profile, code);
  return true;
}

// ---- File ----

void FilePage::Load(const CFamilyFileInfo& info, bool fileReadOnly, int relationship,
                    const std::string& changeLogPath, bool changeLogExists) {
  useHomePerson = info.settings.homeRin != 0 ? 1 : 0;
  const std::int32_t shown =
      info.settings.homeRin != 0 ? info.settings.homeRin : info.settings.lastRin;
  rinText = std::to_string(shown);
  logChanges = info.settings.logChanges;
  relationshipOption = relationship;
  readOnly = fileReadOnly;
  logPath = changeLogPath;
  logExists = changeLogExists;
}

std::int32_t FilePage::HomeRin() const {
  if (!useHomePerson) return 0;
  const long rin = std::strtol(rinText.c_str(), nullptr, 10);
  return rin > 0 && rin <= 2147483647L ? static_cast<std::int32_t>(rin) : 0;
}

std::string FilePage::RelationshipText() const {
  return res::LoadString(relationshipOption ? res::kIdsShowing : res::kIdsNotShowing);
}

std::string FilePage::LogCheckText() const {
  std::string name;
  SplitPathDirFile(logPath, nullptr, &name);
  return "Lo&g to '" + name + "'";
}

// ---- InfoBox ----

void InfoBoxPage::Load(const CAppOptions& o) {
  floaterOpt = o.floaterOpt;
  waitTenths = o.infoTimeOut / 100;
  selectOpt = o.selectOpt;
}

int InfoBoxPage::StoredWait(int tenths) { return std::min(tenths, kWaitCap) * 100; }

// ---- Prepared by ----

const std::array<int, 9> PreparerPage::kLimits = {60, 60, 60, 60, 60, 60, 25, 12, 60};

namespace {

std::array<std::string*, 9> PreparerFields(CFamilyFileInfo& i) {
  return {&i.givenName, &i.surname, &i.address1, &i.address2, &i.address3,
          &i.country,   &i.phone,   &i.sbn,      &i.email};
}

}  // namespace

void PreparerPage::Load(const CFamilyFileInfo& info) {
  auto source = PreparerFields(const_cast<CFamilyFileInfo&>(info));
  for (std::size_t i = 0; i < fields.size(); ++i) fields[i] = *source[i];
}

void PreparerPage::Store(CFamilyFileInfo& info) const {
  auto target = PreparerFields(info);
  for (std::size_t i = 0; i < fields.size(); ++i)
    *target[i] = fields[i].substr(0, static_cast<std::size_t>(kLimits[i]));
}

// ---- Fonts ----

void FontsPage::Load(const CAppOptions& o) {
  views = o.fonts[kFontPedSized];
  notesEdit = o.fonts[kFontNotesEdit];
  notesReport = o.fonts[kFontNotesRpt];
}

void FontsPage::SetDefaults() {
  views = kDefaultViews;
  notesEdit = kDefaultNotes;
  notesReport = kDefaultNotes;
}

std::string FontsPage::Shown(const std::string& description, bool withSize) {
  std::string text = description;
  if (!withSize) {
    const std::size_t last = text.rfind(';');
    if (last != std::string::npos && text.find(';') != last) text.erase(last);
  }
  return FontDescriptionToText(text);
}

FontChoiceLimits ViewsFontLimits() { return {0, 0, false, true}; }
FontChoiceLimits NotesEditFontLimits() { return {4, 32, false, false}; }
FontChoiceLimits NotesReportFontLimits() { return {3, 12, true, false}; }

std::string ChosenFontDescription(const std::string& face, double points, int weight, bool italic,
                                  const FontChoiceLimits& limits) {
  int whole = static_cast<int>(std::lround(points));
  if (limits.minPoints > 0) whole = std::max(whole, limits.minPoints);
  if (limits.maxPoints > 0) whole = std::min(whole, limits.maxPoints);
  return FormatFontDescription(face, whole * 10, weight, italic);
}

// ---- Multimedia ----

namespace {
constexpr const char* kMultimedia = "Multimedia";
}

void MultimediaPage::Load(plat::ProfilePort& p) {
  slideTime = p.GetInt(kMultimedia, "MMSlideTime", 20);
  slideSize = p.GetInt(kMultimedia, "MMSlideSize", 0);
  slideRatio = p.GetInt(kMultimedia, "MMSlideRatio", 50);
  slideColor = p.GetColor(kMultimedia, "MMSlideClr", 0x000000);
  scrapColor = p.GetColor(kMultimedia, "MMScrapClr", 0xFFFFFF);
  photoPlaceholders = p.GetInt(kMultimedia, "MMPPrevPH", 0);
  scaleType = p.GetInt(kMultimedia, "MMScaleType", 1);
  familyViewPhoto = p.GetInt(kMultimedia, "MMFamvwPhoto", 1);
}

void MultimediaPage::Save(plat::ProfilePort& p) const {
  p.SetInt(kMultimedia, "MMSlideTime", slideTime);
  p.SetInt(kMultimedia, "MMSlideSize", slideSize);
  p.SetInt(kMultimedia, "MMSlideRatio", slideRatio);
  p.SetColor(kMultimedia, "MMSlideClr", slideColor);
  p.SetColor(kMultimedia, "MMScrapClr", scrapColor);
  p.SetInt(kMultimedia, "MMPPrevPH", photoPlaceholders);
  p.SetInt(kMultimedia, "MMScaleType", scaleType);
  p.SetInt(kMultimedia, "MMFamvwPhoto", familyViewPhoto);
}

// ---- Formats ----

void FormatsPage::Load(const CAppOptions& o) {
  trim = o.trim;
  dateOrder = o.dateOrder;
  dayStyle = o.dayStyle;
  monthStyle = o.monthStyle;
  dateSeparator = o.dateSeparator;
  placeLevels = o.placeLevels;
}

void FormatsPage::Store(CAppOptions& o) const {
  o.trim = trim;
  o.dateOrder = dateOrder;
  o.dayStyle = dayStyle;
  o.monthStyle = monthStyle;
  o.dateSeparator = dateSeparator;
  o.placeLevels = placeLevels;
}

void FormatsPage::SetMonthStyle(int style) {
  monthStyle = style;
  if (style >= 2) dateSeparator = 0;
}

std::string FormatsPage::DateSample() const {
  // The formatter reads the process-wide style: lend it the page's for the
  // sample and give the old one back.
  const DateDisplayOptions saved = GetDateDisplayOptions();
  DateDisplayOptions style = saved;
  style.order = dateOrder;
  style.dayStyle = dayStyle;
  style.monthStyle = monthStyle;
  style.separator = dateSeparator;
  SetDateDisplayOptions(style);
  CDateValue date;
  date.year = 1886;
  date.month = 8;
  date.day = 3;
  date.qualifier = CDateValue::kQualBef;
  std::string text = date.Format();
  SetDateDisplayOptions(saved);
  return text;
}

std::string FormatsPage::NameSample() const {
  // "Martin Evans Derek Crane" as each clipping method condenses it.
  return trim ? "Martin E D Crane" : "Martin Evan Crane";
}

std::string FormatsPage::PlaceSample(const plat::TextMeasure* measure, int pixelWidth) const {
  const PlaceFitOptions saved = GetPlaceFitOptions();
  PlaceFitOptions fit;
  fit.placeLevelImportance = placeLevels;
  fit.clipping = trim;
  SetPlaceFitOptions(fit);
  // "Årjäng, Lungsund, Värmland, Sweden" in the 8-bit code page.
  const std::string parts[4] = {"\xC5rj\xE4ng", "Lungsund", "V\xE4rmland", "Sweden"};
  std::string text = FitPlaceParts(parts, 80, ", ", measure, pixelWidth);
  SetPlaceFitOptions(saved);
  return text;
}

bool DescendThroughList(plat::ProfilePort& profile, int childCount) {
  return profile.GetInt(CAppOptions::kSection, "UseDescList", 1) != 0 && childCount != 1;
}

void ApplyDisplayOptions(const CAppOptions& o) {
  DateDisplayOptions dates = GetDateDisplayOptions();
  dates.order = o.dateOrder;
  dates.dayStyle = o.dayStyle;
  dates.monthStyle = o.monthStyle;
  dates.separator = o.dateSeparator;
  SetDateDisplayOptions(dates);
  PlaceFitOptions fit;
  fit.placeLevelImportance = o.placeLevels;
  fit.clipping = o.trim;
  SetPlaceFitOptions(fit);
  NodeOptions nodes;
  nodes.capSurname = o.capSurname != 0;
  nodes.appendVal = o.appendVal;
  nodes.showZel = o.showZel != 0;
  SetNodeOptions(nodes);
}

// ---- Folders ----

const std::array<const char*, 5> FoldersPage::kValueNames = {"Data", "Export", "Backup", "Report",
                                                             "Web"};

void FoldersPage::Load(plat::ProfilePort& p) {
  for (std::size_t i = 0; i < folders.size(); ++i)
    folders[i] = p.GetPath("Folders", kValueNames[i], "");
}

void FoldersPage::Save(plat::ProfilePort& p) const {
  for (std::size_t i = 0; i < folders.size(); ++i) {
    std::string folder = folders[i];
    AddTrailingBackslash(folder);
    p.SetPath("Folders", kValueNames[i], folder);
  }
}

bool IsRemovableMountPoint(const std::string& path) {
  // Split into its folders; a mount point is exactly one name below the
  // places where media are mounted.
  if (path.empty() || path.front() != '/') return false;
  std::vector<std::string> parts;
  std::size_t start = 1;
  while (start < path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  if (parts.size() == 2 && (parts[0] == "mnt" || parts[0] == "media")) return true;
  if (parts.size() == 3 && parts[0] == "media") return true;
  return parts.size() == 4 && parts[0] == "run" && parts[1] == "media";
}

bool CheckFolder(std::string& text, const std::function<bool(const std::string&)>& isRemovable) {
  if (text.empty()) return true;
  AddTrailingBackslash(text);
  if (isRemovable && isRemovable(text)) return true;
  if (plat::DirectoryExists(text)) return true;
  const std::string question = res::FormatString(res::kIdsFolderMissing, {plat::PathText(text)});
  if (plat::MessageBox(question, res::LoadString(res::kIdsAppName),
                       plat::kMbYesNo | plat::kMbIconQuestion) != plat::kIdYes)
    return false;
  if (CreateDirectoryPath(text, false) && plat::DirectoryExists(text)) return true;
  plat::MessageBox(res::FormatString(res::kIdsCannotCreateFolder, {plat::PathText(text)}),
                   res::LoadString(res::kIdsAppName), plat::kMbOk | plat::kMbIconExclamation);
  return false;
}

// ---- the sheet ----

PreferencesSheetModel::PreferencesSheetModel(CAppOptions& options, CFamilyFileInfo* info,
                                             plat::ProfilePort& profile)
    : options_(options), info_(info), profile_(profile) {
  general.Load(options, profile);
  if (info) {
    const bool open = CurrentDatabase && CurrentDatabase->IsOpen();
    const std::string log = open ? ChangeLogPath(*CurrentDatabase) : std::string();
    file.Load(*info, open && CurrentDatabase->ReadOnly() != CFamilyDatabase::kWritable,
              open ? CurrentDatabase->GetFileOption(1) : 0, log,
              !log.empty() && plat::FileExists(log));
    preparer.Load(*info);
  }
  infoBox.Load(options);
  fonts.Load(options);
  multimedia.Load(profile);
  formats.Load(options);
  folders.Load(profile);
}

int PreferencesSheetModel::StartPage(int page) const {
  if (page < 0) page = options_.lastPrefsPage;
  return page >= 0 && page < kPrefsPageCount ? page : 0;
}

bool PreferencesSheetModel::AnyConfirmed() const {
  return std::any_of(confirmed_.begin(), confirmed_.end(), [](bool c) { return c; });
}

void PreferencesSheetModel::Close(int activePage) {
  options_.lastPrefsPage = activePage;
  if (AnyConfirmed()) Save();
}

void PreferencesSheetModel::Save() {
  CAppOptions& o = options_;
  if (info_) {
    info_->settings.homeRin = file.HomeRin();
    info_->settings.logChanges = Bool01(file.logChanges);
  }
  o.showZel = Bool01(general.showZel);
  o.showZelRpt = Bool01(general.showZelRpt);
  o.appendVal = general.appendVal >= 0 && general.appendVal <= 3 ? general.appendVal : 0;
  o.verifyNew = general.verifyNew;
  o.capSurname = general.capSurname;
  o.noteTool = Bool01(general.noteTool);
  o.editNote = Bool01(general.editNote);
  o.editMarr = general.editMarr;
  o.shading = general.shading;

  profile_.SetInt("Reports", "Hide Shade", general.hideShade);
  profile_.SetInt(CAppOptions::kSection, "UseDescList", general.useDescList);
  profile_.SetInt("Date", "Entry", general.dateEntry);
  profile_.SetInt(kStartUpSection, "ReturnAsTab", general.returnAsTab);

  o.allowSbnEdit = general.allowSbnEdit;
  o.autoNames = Bool01(general.autoNames);
  o.infoTimeOut = InfoBoxPage::StoredWait(infoBox.waitTenths);
  o.floaterOpt = infoBox.floaterOpt;
  o.selectOpt = infoBox.selectOpt == 1 || infoBox.selectOpt == 2 ? infoBox.selectOpt : 0;

  if (info_) preparer.Store(*info_);
  o.fonts[kFontPedSized] = fonts.views;
  o.fonts[kFontNotesEdit] = fonts.notesEdit;
  o.fonts[kFontNotesRpt] = fonts.notesReport;
  formats.Store(o);

  multimedia.Save(profile_);
  folders.Save(profile_);

  o.Save();
  // A family file opened read-only keeps its settings and preparer.
  if (info_ && !file.readOnly) {
    info_->WriteFileOptions(o);
    info_->WritePreparer();
  }
}

}  // namespace shell
