#pragma once
// The choices of the Create Web Page wizard, kept in the profile section
// "Web" and read back the next time so that the wizard opens with the last
// site's choices. Read() reads every key afresh; nothing is cached.

#include <string>

namespace plat {
class ProfilePort;
}

namespace web {

inline constexpr const char* kWebSection = "Web";

// The three kinds of site.
enum SiteType : int { kSiteAncestors = 0, kSiteDescendants = 1, kSiteSelected = 2 };

struct WebSettings {
  int type = kSiteAncestors;
  bool source = true;        // citations on
  bool actText = true;       // citations show their actual text
  bool comments = true;      // citations show their comments
  bool genrl = true;         // general notes on
  bool markedNotes = false;  // only notes marked with "!"
  int notePresent = 1;       // 0 embedded, 1 on linked notes pages
  bool places = true;        // places in the name index
  int photos = 1;            // 0 none, 1 default picture, 2 full scrapbook
  bool video = false;
  bool audio = false;
  bool gedcom = true;  // a GEDCOM file for download
  int gedType = 1;     // 0 version 4, 1 version 5
  bool address = true;
  bool email = true;
  bool dups = false;  // repeated ancestors printed in full
  bool live = false;  // hide details of living individuals
  bool relInd = false;
  bool parInd = false;
  bool otherEv = true;
  bool zel = true;
  int maxGens = 32;
  bool doName = false;  // living individuals keep their names
  bool optIndex = true;
  bool optFolder = true;
  bool useName = true;
  std::string filePrefix = "orv";
  std::string ancIntro, descIntro, custIntro;
  std::string background;
  std::string ancPrefix = "Ancestors of ", ancSuffix;
  std::string descPrefix = "Descendants of ", descSuffix;
  std::string custPrefix = "Selected Families and Individuals";
  std::string backLink, backLinkText;
  std::string header, footer;

  static WebSettings Read(plat::ProfilePort& profile);
  // The values the first page of the wizard edits: Video and Audio only
  // with the full scrapbook, Dups only for the ancestors site.
  void WriteSetupPage(plat::ProfilePort& profile) const;
  void WriteAdvancedHtml(plat::ProfilePort& profile) const;
  void WriteAdvancedOptions(plat::ProfilePort& profile) const;
  // The introduction of the current site type.
  const std::string& Introduction() const;
  std::string& Introduction();
};

// Generations the wizard accepts for a site type: 1..32 for the ancestors,
// 1..999 for the others.
int MaxGenerationsFor(int type);

}  // namespace web
