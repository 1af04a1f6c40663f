#pragma once
// The names of a site's files, the text rules for what goes into its pages
// (escaped values, percent-encoded file names and anchors) and the site
// folder: its name made from the description and the checks that keep every
// delete and every write strictly inside the web folder.

#include <cstdint>
#include <string>
#include <string_view>

namespace web {

// The file names of one site. The prefix starts the generation, notes and
// citations pages always, and the start and index pages only when the
// start page is not "index.htm".
struct SiteFileNames {
  std::string prefix = "orv";
  bool optIndex = true;

  std::string Start() const;  // "index.htm" or P + "x.htm"
  std::string List() const;   // the surname list
  std::string Index() const;  // the name index
  std::string Generation(int page) const;
  std::string Notes(int page) const;
  std::string Citations(int page) const;
  static std::string Scrapbook(std::int32_t rin);
};

// "%2.2d" of a page number.
std::string TwoDigits(int n);

// A value shown on a page: "&", "<", ">" and quotes as entities.
std::string HtmlText(std::string_view text);
// A file name, a relative path or an anchor placed in href or src: every
// byte but letters, digits and "-._~/" percent-encoded, so that "#", "%",
// blanks, quotes and accented letters reach the browser unchanged.
std::string UrlPart(std::string_view text);
// href="file#anchor" with both parts encoded.
std::string Href(std::string_view file, std::string_view anchor = {});

// The site folder's name from the description: letters, digits and the
// file-name characters $ % ' - _ @ ~ ` ! { } ( ) # & + , ; = [ ] kept from
// its start, at most nine ("My Family 1850." gives "MyFamily1").
std::string FolderNameFromDescription(std::string_view description);

// Where the web folder lies: the first non-empty of the profile's web
// folder, the documents folder, the data folder, the family file's folder.
std::string ChooseWebBase(const std::string& webFolder, const std::string& documents,
                          const std::string& dataFolder, const std::string& familyFolder);

enum class SitePathCheck {
  kOk,
  kEmpty,    // no folder name
  kBadName,  // a separator, ":", "." or ".." as the name
  kOutside,  // the resolved path is not strictly below base/web
  kNoBase,   // no base folder
};
// The site folder base + "/web/" + name, checked: a name is one plain
// folder name, and the lexically resolved path (symbolic links of the
// existing part followed) lies strictly below base/web.
SitePathCheck MakeSitePath(const std::string& base, const std::string& folderName,
                           std::string& sitePath);

}  // namespace web
