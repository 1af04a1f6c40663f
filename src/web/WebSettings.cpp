#include "WebSettings.h"

#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace web {
namespace {

bool Flag(plat::ProfilePort& p, const char* key, bool def) {
  return p.GetInt(kWebSection, key, def ? 1 : 0) != 0;
}
int Int(plat::ProfilePort& p, const char* key, int def) { return p.GetInt(kWebSection, key, def); }
std::string Text(plat::ProfilePort& p, const char* key, const std::string& def) {
  return p.GetString(kWebSection, key, def);
}
void Put(plat::ProfilePort& p, const char* key, int value) { p.SetInt(kWebSection, key, value); }
void Put(plat::ProfilePort& p, const char* key, const std::string& value) {
  p.SetString(kWebSection, key, value);
}

}  // namespace

WebSettings WebSettings::Read(plat::ProfilePort& p) {
  WebSettings s;
  s.type = Int(p, "Type", 0);
  s.source = Flag(p, "Source", true);
  s.actText = Flag(p, "ActText", true);
  s.comments = Flag(p, "Comments", true);
  s.genrl = Flag(p, "Genrl", true);
  s.markedNotes = Flag(p, "MarkedNotes", false);
  s.notePresent = Int(p, "NotePresent", 1);
  s.places = Flag(p, "Places", true);
  s.photos = Int(p, "Photos", 1);
  s.video = Flag(p, "Video", false);
  s.audio = Flag(p, "Audio", false);
  s.gedcom = Flag(p, "Gedcom", true);
  s.gedType = Int(p, "GedType", 1);
  s.address = Flag(p, "Address", true);
  s.email = Flag(p, "Email", true);
  s.dups = Flag(p, "Dups", false);
  s.live = Flag(p, "Live", false);
  s.relInd = Flag(p, "RelInd", false);
  s.parInd = Flag(p, "ParInd", false);
  s.otherEv = Flag(p, "OtherEv", true);
  s.zel = Flag(p, "Zel", true);
  s.maxGens = Int(p, "MaxGens", 32);
  s.doName = Flag(p, "DoName", false);
  s.optIndex = Flag(p, "OptIndex", true);
  s.optFolder = Flag(p, "OptFolder", true);
  s.useName = Flag(p, "UseName", true);
  s.filePrefix = Text(p, "FilePrefix", "orv");
  s.ancIntro = Text(p, "AncIntro", "");
  s.descIntro = Text(p, "DescIntro", "");
  s.custIntro = Text(p, "CustIntro", "");
  s.background = Text(p, "Background", "");
  s.ancPrefix = Text(p, "AncPrefix", res::LoadString(res::kIdsAncestorsOf) + " ");
  s.ancSuffix = Text(p, "AncSuffix", "");
  s.descPrefix = Text(p, "DescPrefix", res::LoadString(res::kIdsDescendantsOf) + " ");
  s.descSuffix = Text(p, "DescSuffix", "");
  s.custPrefix = Text(p, "CustPrefix", "Selected Families and Individuals");
  s.backLink = Text(p, "BackLink", "");
  s.backLinkText = Text(p, "BackLinkText", "");
  s.header = Text(p, "Header", "");
  s.footer = Text(p, "Footer", "");
  if (s.type < kSiteAncestors || s.type > kSiteSelected) s.type = kSiteAncestors;
  return s;
}

void WebSettings::WriteSetupPage(plat::ProfilePort& p) const {
  Put(p, "Type", type);
  Put(p, "Source", source);
  Put(p, "ActText", actText);
  Put(p, "Comments", comments);
  Put(p, "Genrl", genrl);
  Put(p, "MarkedNotes", markedNotes);
  Put(p, "NotePresent", notePresent);
  Put(p, "Gedcom", gedcom);
  Put(p, "GedType", gedType);
  Put(p, "Address", address);
  Put(p, "Email", email);
  Put(p, "RelInd", relInd);
  Put(p, "ParInd", parInd);
  Put(p, "OtherEv", otherEv);
  Put(p, "Zel", zel);
  Put(p, "Live", live);
  Put(p, "DoName", doName);
  Put(p, "Places", places);
  Put(p, "MaxGens", maxGens);
  Put(p, "Photos", photos);
  if (photos == 2) {
    Put(p, "Video", video);
    Put(p, "Audio", audio);
  }
  if (type == kSiteAncestors) Put(p, "Dups", dups);
}

void WebSettings::WriteAdvancedHtml(plat::ProfilePort& p) const {
  Put(p, "BackLink", backLink);
  Put(p, "BackLinkText", backLinkText);
  Put(p, "Header", header);
  Put(p, "Footer", footer);
}

void WebSettings::WriteAdvancedOptions(plat::ProfilePort& p) const {
  Put(p, "FilePrefix", filePrefix);
  Put(p, "OptIndex", optIndex);
  Put(p, "OptFolder", optFolder);
}

const std::string& WebSettings::Introduction() const {
  return type == kSiteAncestors ? ancIntro : type == kSiteDescendants ? descIntro : custIntro;
}
std::string& WebSettings::Introduction() {
  return type == kSiteAncestors ? ancIntro : type == kSiteDescendants ? descIntro : custIntro;
}

int MaxGenerationsFor(int type) { return type == kSiteAncestors ? 32 : 999; }

}  // namespace web
