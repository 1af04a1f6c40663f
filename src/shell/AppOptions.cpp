#include "AppOptions.h"

#include <span>

#include "Clock.h"
#include "Ports.h"
#include "SystemColors.h"

namespace {

using IntField = int CAppOptions::*;

struct IntOption {
  const char* name;
  IntField field;
};

// Integer defaults in declaration order; the reunion year is computed.
struct IntDefault {
  IntField field;
  int value;
};

constexpr IntDefault kIntDefaults[] = {
    {&CAppOptions::floaterOpt, 1},    {&CAppOptions::selectOpt, 2},
    {&CAppOptions::trim, 1},          {&CAppOptions::dateOrder, 1},
    {&CAppOptions::dayStyle, 0},      {&CAppOptions::monthStyle, 2},
    {&CAppOptions::dateSeparator, 0}, {&CAppOptions::placeLevels, 5},
    {&CAppOptions::appendVal, 0},     {&CAppOptions::infoTimeOut, 1000},
    {&CAppOptions::sortDef, 0},       {&CAppOptions::lastPrefsPage, 0},
    {&CAppOptions::showZel, 1},       {&CAppOptions::showZelRpt, 1},
    {&CAppOptions::noteTool, 0},      {&CAppOptions::editNote, 0},
    {&CAppOptions::verifyNew, 0},     {&CAppOptions::editMarr, 1},
    {&CAppOptions::capSurname, 0},    {&CAppOptions::shading, 1},
    {&CAppOptions::mrgDob, 0},        {&CAppOptions::mrgIds, 0},
    {&CAppOptions::mrgMiddles, 0},    {&CAppOptions::mrgNotes, 1},
    {&CAppOptions::mrgCitations, 1},  {&CAppOptions::mrgMedia, 1},
    {&CAppOptions::mrgSurname, 0},    {&CAppOptions::mrgParents, 1},
    {&CAppOptions::mrgVerify, 1},     {&CAppOptions::allowSbnEdit, 0},
    {&CAppOptions::allow3PSearch, 0}, {&CAppOptions::showSpsBullet, 0},
    {&CAppOptions::autoNames, 0},     {&CAppOptions::mrgYears, 10},
    {&CAppOptions::famReunType, 1},   {&CAppOptions::famReunAll, 0},
};

// Read by Load after "ShowZEL" and "ShowZelRpt", up to the colours.
constexpr IntOption kLoadBeforeColors[] = {
    {"Trim", &CAppOptions::trim},
    {"DOrder", &CAppOptions::dateOrder},
    {"DDay", &CAppOptions::dayStyle},
    {"DMM", &CAppOptions::monthStyle},
    {"DSep", &CAppOptions::dateSeparator},
    {"FPos", &CAppOptions::placeLevels},
    {"AppendVal", &CAppOptions::appendVal},
    {"NoteTool", &CAppOptions::noteTool},
    {"EditNote", &CAppOptions::editNote},
    {"SortDef", &CAppOptions::sortDef},
    {"VerifyNew", &CAppOptions::verifyNew},
    {"CapSurname", &CAppOptions::capSurname},
    {"AllowSbnEdit", &CAppOptions::allowSbnEdit},
    {"ShowSpsBullet", &CAppOptions::showSpsBullet},
    {"Allow3PSearch", &CAppOptions::allow3PSearch},
    {"AutoNames", &CAppOptions::autoNames},
    {"EditMarr", &CAppOptions::editMarr},
    {"Shading", &CAppOptions::shading},
};

// Read by Load and written by Save after the colours, in the same order.
constexpr IntOption kAfterColors[] = {
    {"FloaterOpt", &CAppOptions::floaterOpt},   {"SelectOpt", &CAppOptions::selectOpt},
    {"InfoTimeOut", &CAppOptions::infoTimeOut}, {"MrgDOB", &CAppOptions::mrgDob},
    {"MrgIds", &CAppOptions::mrgIds},           {"MrgMiddles", &CAppOptions::mrgMiddles},
    {"MrgNotes", &CAppOptions::mrgNotes},       {"MrgCitations", &CAppOptions::mrgCitations},
    {"MrgMedia", &CAppOptions::mrgMedia},       {"MrgSurname", &CAppOptions::mrgSurname},
    {"MrgParents", &CAppOptions::mrgParents},   {"MrgYears", &CAppOptions::mrgYears},
    {"MrgVerify", &CAppOptions::mrgVerify},     {"FamReunType", &CAppOptions::famReunType},
    {"FamReunAll", &CAppOptions::famReunAll},   {"FamReunYr", &CAppOptions::famReunYr},
};

constexpr IntOption kSaveBeforeColors[] = {
    {"ShowZEL", &CAppOptions::showZel},
    {"ShowZelRpt", &CAppOptions::showZelRpt},
    {"Trim", &CAppOptions::trim},
    {"DOrder", &CAppOptions::dateOrder},
    {"DDay", &CAppOptions::dayStyle},
    {"DMM", &CAppOptions::monthStyle},
    {"DSep", &CAppOptions::dateSeparator},
    {"FPos", &CAppOptions::placeLevels},
    {"AppendVal", &CAppOptions::appendVal},
    {"NoteTool", &CAppOptions::noteTool},
    {"EditNote", &CAppOptions::editNote},
    {"SortDef", &CAppOptions::sortDef},
    {"VerifyNew", &CAppOptions::verifyNew},
    {"CapSurname", &CAppOptions::capSurname},
    {"EditMarr", &CAppOptions::editMarr},
    {"Shading", &CAppOptions::shading},
    {"AllowSbnEdit", &CAppOptions::allowSbnEdit},
    {"AutoNames", &CAppOptions::autoNames},
};

struct ColorOption {
  const char* name;
  IntField field;
  plat::SystemColor system;
};

constexpr ColorOption kColors[] = {
    {"ColorSelectedNameText", &CAppOptions::colorSelectedNameText,
     plat::SystemColor::kHighlightText},
    {"ColorSelectedNameBackground", &CAppOptions::colorSelectedNameBackground,
     plat::SystemColor::kHighlight},
    {"ColorNameText", &CAppOptions::colorNameText, plat::SystemColor::kWindowText},
    {"ColorNameBackground", &CAppOptions::colorNameBackground, plat::SystemColor::kWindow},
    {"ColorBackground", &CAppOptions::colorBackground, plat::SystemColor::kButtonFace},
};

struct FontOption {
  const char* name;
  const char* def;
};

constexpr FontOption kFonts[kAppFontCount] = {
    {"FontPedSized", "Arial;Normal;8pt"},
    {"FontNotesEdit", "Times New Roman;Normal;9pt"},
    {"FontNotesRpt", "Times New Roman;Normal;9pt"},
    {"FontPedHdrs", "Arial;Bold;11pt"},
    {"FontPedTitle", "Arial;Bold;16pt"},
    {"FontPedPrim", "Times New Roman;Bold;10pt"},
    {"FontPedName", "Times New Roman;Bold;9pt"},
    {"FontPedData", "Times New Roman;Normal;9pt"},
    {"FontFgrTitle", "Arial;Bold;16pt"},
    {"FontFgrParent", "Times New Roman;Bold;12pt"},
    {"FontFgrChild", "Times New Roman;Bold;11pt"},
    {"FontFgrData", "Times New Roman;Normal;9pt"},
    {"FontAncMain", "Arial;Bold;14pt"},
    {"FontAncGen", "Arial;Normal;11pt"},
    {"FontAncPrim", "Times New Roman;Bold;10pt"},
    {"FontAncOther", "Times New Roman;Normal;9pt"},
    {"FontDescMain", "Arial;Bold;14pt"},
    {"FontDescGen", "Arial;Normal;11pt"},
    {"FontDescPrim", "Times New Roman;Bold;10pt"},
    {"FontDescOther", "Times New Roman;Normal;9pt"},
    {"FontAncStdMain", "Arial;Bold;14pt"},
    {"FontAncStdPrim", "Times New Roman;Bold;10pt"},
    {"FontAncStdOther", "Times New Roman;Normal;9pt"},
    {"FontDescStdMain", "Arial;Bold;14pt"},
    {"FontDescStdPrim", "Times New Roman;Bold;10pt"},
    {"FontDescStdOther", "Times New Roman;Normal;9pt"},
    {"FontScrapTitle", "Arial;Bold;14pt"},
    {"FontScrapCaption", "Times New Roman;Normal;10pt"},
    {"FontScrapFN", "Times New Roman;Normal;10pt"},
    {"FontScrapDesc", "Times New Roman;Normal;10pt"},
};

constexpr const char* kPasswordValue = "Pwd";

void ReadInts(CAppOptions& o, std::span<const IntOption> table) {
  plat::ProfilePort& profile = plat::Profile();
  for (const IntOption& i : table)
    o.*(i.field) = profile.GetInt(CAppOptions::kSection, i.name, o.*(i.field));
}

void WriteInts(const CAppOptions& o, std::span<const IntOption> table) {
  plat::ProfilePort& profile = plat::Profile();
  for (const IntOption& i : table) profile.SetInt(CAppOptions::kSection, i.name, o.*(i.field));
}

}  // namespace

CAppOptions::CAppOptions() {
  for (const ColorOption& c : kColors)
    this->*(c.field) = static_cast<int>(plat::GetSystemColor(c.system));
  SetDefaults();
}

void CAppOptions::SetDefaults() {
  for (const IntDefault& d : kIntDefaults) this->*(d.field) = d.value;
  famReunYr = DefaultReunionYear();
  for (int i = 0; i < kAppFontCount; ++i) fonts[i] = kFonts[i].def;
}

int CAppOptions::DefaultReunionYear() {
  // Today's date read through a two-digit year: 80 to 93 all stand for 1995.
  const int yy = plat::LocalNow().year % 100;
  int year;
  if (yy < 80)
    year = 2000 + yy;
  else if (yy <= 93)
    year = 1995;
  else
    year = 1900 + yy;
  return year - 18;
}

void CAppOptions::Load() {
  plat::ProfilePort& profile = plat::Profile();
  showZel = profile.GetInt(kSection, "ShowZEL", showZel);
  showZelRpt = profile.GetInt(kSection, "ShowZelRpt", showZel);
  ReadInts(*this, kLoadBeforeColors);
  LoadColors();
  ReadInts(*this, kAfterColors);
  for (int i = 0; i < kAppFontCount; ++i)
    fonts[i] = profile.GetString(kSection, kFonts[i].name, fonts[i]);
  password = profile.GetString(kSection, kPasswordValue, password);
}

void CAppOptions::Save() {
  plat::ProfilePort& profile = plat::Profile();
  WriteInts(*this, kSaveBeforeColors);
  SaveColors();
  WriteInts(*this, kAfterColors);
  for (int i = 0; i < kAppFontCount; ++i) profile.SetString(kSection, kFonts[i].name, fonts[i]);
}

void CAppOptions::LoadColors() {
  plat::ProfilePort& profile = plat::Profile();
  for (const ColorOption& c : kColors)
    this->*(c.field) =
        profile.GetInt(kSection, c.name, static_cast<int>(plat::GetSystemColor(c.system)));
}

void CAppOptions::SaveColors() {
  bool differs = false;
  for (const ColorOption& c : kColors)
    if (this->*(c.field) != static_cast<int>(plat::GetSystemColor(c.system))) differs = true;
  if (!differs) return;
  plat::ProfilePort& profile = plat::Profile();
  for (const ColorOption& c : kColors) profile.SetInt(kSection, c.name, this->*(c.field));
}

void CAppOptions::ResetColors() {
  plat::ProfilePort& profile = plat::Profile();
  for (const ColorOption& c : kColors) profile.Remove(kSection, c.name);
  LoadColors();
}

void CAppOptions::SetPassword(const std::string& text) {
  password = text;
  plat::Profile().SetString(kSection, kPasswordValue, password);
}

int CAppOptions::GetReportsHideShade() {
  return plat::Profile().GetInt("Reports", "Hide Shade", 0);
}

std::uint32_t CAppOptions::GetReportsShadeClr() {
  return plat::Profile().GetColor("Reports", "ShadeClr", 0xF6F6F6);
}

std::uint32_t CAppOptions::GetReportsWallShadeClr() {
  return plat::Profile().GetColor("Reports", "WallShadeClr", 0xF0F0F0);
}

std::uint32_t CAppOptions::GetReportsWallShadowClr() {
  return plat::Profile().GetColor("Reports", "WallShadowClr", 0xD8D8D8);
}

#define KOR_DEFINE_INT_SETTING(section, key, def) \
  int CAppOptions::Get##section##key() { return plat::Profile().GetInt(#section, #key, def); }
#define KOR_DEFINE_FONT_SETTING(section, key, def)         \
  void CAppOptions::Get##section##key(std::string& text) { \
    text = plat::Profile().GetString(#section, #key, def); \
  }
KOR_REPORT_INT_SETTINGS(KOR_DEFINE_INT_SETTING)
KOR_REPORT_FONT_SETTINGS(KOR_DEFINE_FONT_SETTING)
#undef KOR_DEFINE_INT_SETTING
#undef KOR_DEFINE_FONT_SETTING

const char* CAppOptions::FontValueName(AppFont font) { return kFonts[font].name; }

const char* CAppOptions::DefaultFont(AppFont font) { return kFonts[font].def; }

void GetNoteTag(int index, std::string& text) {
  text = plat::Profile().GetString("Note Tags", "Tag" + std::to_string(index), "");
}

void SetNoteTag(int index, const std::string& text) {
  plat::Profile().SetString("Note Tags", "Tag" + std::to_string(index), text);
}

int GetPreviewPhotoPlaceholder() { return plat::Profile().GetInt("Multimedia", "MMPPrevPH", 0); }

void GetWebFolder(std::string& text) { text = plat::Profile().GetPath("Folders", "Web", ""); }
