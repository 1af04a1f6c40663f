#include "AncDescPageOptions.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Ports.h"

namespace rpt {
namespace {

std::uint32_t ReadColor(const char* key, std::uint32_t def) {
  const std::string text = plat::Profile().GetString("Reports", key, "");
  if (text.empty()) return def;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text.c_str(), &end, 16);
  return end == text.c_str() ? def : static_cast<std::uint32_t>(value);
}

void WriteColor(const char* key, std::uint32_t color) {
  char text[16];
  std::snprintf(text, sizeof text, "0X%lX", static_cast<unsigned long>(color));
  plat::Profile().SetString("Reports", key, text);
}

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
  style.shadeColor = ReadColor("WallShadeClr", style.shadeColor);
  style.shadowColor = ReadColor("WallShadowClr", style.shadowColor);
  return style;
}

void WriteWallBoxStyle(const char* section, const WallBoxStyle& style) {
  plat::ProfilePort& profile = plat::Profile();
  profile.SetInt(section, "BoxCorner", style.corner);
  profile.SetInt(section, "BoxLine", style.line);
  profile.SetInt(section, "BoxShade", style.shade);
  profile.SetInt(section, "BoxShadow", style.shadow);
  WriteColor("WallShadeClr", style.shadeColor);
  WriteColor("WallShadowClr", style.shadowColor);
}

namespace {

struct ItemKey {
  const char* key;
  int WallBoxItems::*member;
};
constexpr ItemKey kItemKeys[] = {
    {"WCNameB", &WallBoxItems::nameBirth},     {"WCNameM", &WallBoxItems::nameMarriage},
    {"WCNameD", &WallBoxItems::nameDeath},     {"WCBirth", &WallBoxItems::birth},
    {"WCChr", &WallBoxItems::christening},     {"WCBorC", &WallBoxItems::birthOrChristening},
    {"WCDeath", &WallBoxItems::death},         {"WCBurial", &WallBoxItems::burial},
    {"WCDorBu", &WallBoxItems::deathOrBurial}, {"WCDate", &WallBoxItems::dateLine},
    {"WCPlace", &WallBoxItems::placeLine},     {"WCDNP", &WallBoxItems::dateAndPlace},
};

}  // namespace

WallBoxItems ReadWallBoxItems(bool ancestry) {
  WallBoxItems items;
  if (!ancestry) items.nameMarriage = 1;
  for (const ItemKey& k : kItemKeys)
    items.*k.member = plat::Profile().GetInt(ChartSection(ancestry), k.key, items.*k.member);
  return items;
}

void WriteWallBoxItems(bool ancestry, const WallBoxItems& items) {
  for (const ItemKey& k : kItemKeys)
    plat::Profile().SetInt(ChartSection(ancestry), k.key, items.*k.member);
}

}  // namespace rpt
