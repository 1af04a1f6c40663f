#include "AncDescPageOptions.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "AppOptions.h"
#include "CodePage.h"
#include "CustomDialogModels.h"
#include "DbCalls.h"
#include "EventTypeRecord.h"
#include "Ports.h"
#include "StartupTables.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {
namespace {

const char* ChartSection(bool ancestry) {
  return ancestry ? CAncDescOptions::kAncestrySection : CAncDescOptions::kDescendantsSection;
}

}  // namespace

CAncDescOptions::CAncDescOptions(bool anc, int display)
    : ancestry(anc), identifierDisplay(display) {
  plat::ProfilePort& profile = plat::Profile();
  const char* section = Section();
  auto get = [&](const char* key, int def) { return profile.GetInt(section, key, def); };
  type = get("Type", kStandard);
  gens = get("Gens", 999);
  indent = get("Indent", 3);
  title = get("Title", 1);
  printGens = get("PrintGens", ancestry ? 0 : 1);
  dateType = get("DateType", 1);
  stdBirthPl = get("StdBirthPl", 0);
  stdDeathPl = get("StdDeathPl", 0);
  gensPerPage = get("GensPg", 3);
  photos.opt = get("PhotoOpt", 0);
  box = get("Box", 0);
  suppressRin = identifierDisplay != 0 ? get("SuppressRIN", 0) : 1;
  relInd = get("RelInd", 0);
  parInd = get("ParInd", 0);
  photos.width = get("PhotoX", 1000);
  photos.height = get("PhotoY", 1000);
  photos.place = get("PhotoPlace", 3);
  photos.reserve = get("PhotoRsrv", 1);
  standardMargins = {profile.GetInt(kAncestrySection, "StdPageLM", 500),
                     profile.GetInt(kAncestrySection, "StdPageTM", 300),
                     profile.GetInt(kAncestrySection, "StdPageRM", 300),
                     profile.GetInt(kAncestrySection, "StdPageBM", 300)};
  wallMargins = {profile.GetInt(kDescendantsSection, "WCPageLM", 250),
                 profile.GetInt(kDescendantsSection, "WCPageTM", 250),
                 profile.GetInt(kDescendantsSection, "WCPageRM", 250),
                 profile.GetInt(kDescendantsSection, "WCPageBM", 250)};
}

void CAncDescOptions::StepGensPerPage(int delta) {
  gensPerPage = std::clamp(gensPerPage + delta, kGensPerPageLow, kGensPerPageHigh);
}

void CAncDescOptions::SetMargins(const PageMargins& m) {
  (WallChart() ? wallMargins : standardMargins) = m;
}

void CAncDescOptions::WriteSettings() {
  plat::ProfilePort& profile = plat::Profile();
  const char* section = Section();
  auto put = [&](const char* key, int value) { profile.SetInt(section, key, value); };
  put("Gens", gens);
  put("Indent", indent);
  put("Title", title);
  put("PrintGens", printGens);
  put("StdBirthPl", stdBirthPl);
  put("StdDeathPl", stdDeathPl);
  put("SuppressRIN", suppressRin);
  put("Type", type);
  put("GensPg", gensPerPage);
  put("PhotoOpt", photos.opt);
  put("Box", box);
  put("ParInd", parInd);
  put("RelInd", relInd);
  put("DateType", dateType);
  if (WallChart()) {
    profile.SetInt(kDescendantsSection, "WCPageLM", wallMargins.left);
    profile.SetInt(kDescendantsSection, "WCPageRM", wallMargins.right);
    profile.SetInt(kDescendantsSection, "WCPageTM", wallMargins.top);
    profile.SetInt(kDescendantsSection, "WCPageBM", wallMargins.bottom);
  } else {
    profile.SetInt(kAncestrySection, "StdPageLM", standardMargins.left);
    profile.SetInt(kAncestrySection, "StdPageRM", standardMargins.right);
    profile.SetInt(kAncestrySection, "StdPageTM", standardMargins.top);
    profile.SetInt(kAncestrySection, "StdPageBM", standardMargins.bottom);
  }
  put("PhotoX", photos.width);
  put("PhotoY", photos.height);
  put("PhotoPlace", photos.place);
  put("PhotoRsrv", photos.reserve);
}

bool CAncDescOptions::FillRequest(ReportRequest& request) {
  request.startRin = startingRin ? startingRin() : 0;
  request.count = gens;
  request.options[kRequestTitleSlot] = title;
  return true;
}

WallBoxStyle ReadWallBoxStyle(const char* section) {
  plat::ProfilePort& profile = plat::Profile();
  WallBoxStyle style;
  style.corner = profile.GetInt(section, "BoxCorner", 0);
  style.line = profile.GetInt(section, "BoxLine", 0);
  style.shade = profile.GetInt(section, "BoxShade", 0);
  style.shadow = profile.GetInt(section, "BoxShadow", 0);
  style.shadeColor = plat::Profile().GetColor("Reports", "WallShadeClr", style.shadeColor);
  style.shadowColor = plat::Profile().GetColor("Reports", "WallShadowClr", style.shadowColor);
  return style;
}

void WriteWallBoxStyle(const char* section, const WallBoxStyle& style) {
  plat::ProfilePort& profile = plat::Profile();
  profile.SetInt(section, "BoxCorner", style.corner);
  profile.SetInt(section, "BoxLine", style.line);
  profile.SetInt(section, "BoxShade", style.shade);
  profile.SetInt(section, "BoxShadow", style.shadow);
  plat::Profile().SetColor("Reports", "WallShadeClr", style.shadeColor);
  plat::Profile().SetColor("Reports", "WallShadowClr", style.shadowColor);
}

namespace {

// The item keys in the dialog's order.
struct ItemKey {
  const char* key;
  int WallBoxItems::*number;
  std::string WallBoxItems::*text;
};
constexpr ItemKey kItemKeys[] = {
    {"WCNameB", &WallBoxItems::nameBirth, nullptr},
    {"WCNameM", &WallBoxItems::nameMarriage, nullptr},
    {"WCNameD", &WallBoxItems::nameDeath, nullptr},
    {"WCBirth", &WallBoxItems::birth, nullptr},
    {"WCChr", &WallBoxItems::christening, nullptr},
    {"WCBorC", &WallBoxItems::birthOrChristening, nullptr},
    {"WCDeath", &WallBoxItems::death, nullptr},
    {"WCBurial", &WallBoxItems::burial, nullptr},
    {"WCDorBu", &WallBoxItems::deathOrBurial, nullptr},
    {"WCMar", &WallBoxItems::marriage, nullptr},
    {"WCEvent1", nullptr, &WallBoxItems::event1},
    {"WCEvent2", nullptr, &WallBoxItems::event2},
    {"WCDate", &WallBoxItems::dateLine, nullptr},
    {"WCPlace", &WallBoxItems::placeLine, nullptr},
    {"WCDNP", &WallBoxItems::dateAndPlace, nullptr},
    {"WCDescr", &WallBoxItems::descriptionLine, nullptr},
    {"WCNote1", nullptr, &WallBoxItems::note1},
    {"WCNote2", nullptr, &WallBoxItems::note2},
    {"WCTagNm", &WallBoxItems::tagName, nullptr},
    {"WCLpt", &WallBoxItems::linesPerNote, nullptr},
    {"WCDthCs", &WallBoxItems::causeOfDeath, nullptr},
    {"WCID", &WallBoxItems::id, nullptr},
    {"WCSBN", &WallBoxItems::sbn, nullptr},
    {"WCZEL", &WallBoxItems::zel, nullptr},
};

}  // namespace

WallBoxItems ReadWallBoxItems(bool ancestry) {
  WallBoxItems items;
  if (!ancestry) {
    items.nameMarriage = 1;
    items.linesPerNote = 1;
  }
  plat::ProfilePort& profile = plat::Profile();
  const char* section = ChartSection(ancestry);
  for (const ItemKey& k : kItemKeys) {
    if (k.number != nullptr)
      items.*k.number = profile.GetInt(section, k.key, items.*k.number);
    else
      items.*k.text = profile.GetString(section, k.key, items.*k.text);
  }
  return items;
}

void WriteWallBoxItems(bool ancestry, const WallBoxItems& items) {
  plat::ProfilePort& profile = plat::Profile();
  const char* section = ChartSection(ancestry);
  for (const ItemKey& k : kItemKeys) {
    if (k.number != nullptr)
      profile.SetInt(section, k.key, items.*k.number);
    else
      profile.SetString(section, k.key, items.*k.text);
  }
}

std::vector<std::string> WallItemNoteTagChoices() {
  const std::vector<std::string> tags = CustomNoteTags();
  const std::string all = res::LoadString(res::kIdsAllNoteTags);
  std::vector<std::string> choices{std::string()};
  for (const std::string& t : tags)
    if (!t.empty() && plat::CompareAnsi(t, all, true) != 0) choices.push_back(t);
  return choices;
}

std::vector<std::string> WallItemEventChoices() {
  std::vector<std::string> choices{std::string()};
  std::vector<CEventTypeRecord> listed;
  if (DbGetRecord(0, db::kEventTypeList, &listed) <= 0) return choices;
  for (const CEventTypeRecord& entry : listed) {
    CEventTypeRecord type;
    if (DbGetRecord(entry.recordNumber, db::kEventType, &type) == 1 &&
        type.ownerKind == db::kOwnerIndividual && !type.title.empty())
      choices.push_back(type.title);
  }
  return choices;
}

}  // namespace rpt
