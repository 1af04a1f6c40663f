#pragma once
// What the Create Web Page wizard decides, apart from its widgets: which
// boxes are enabled, the folder name that follows the description, the
// checks before Next and Finish, the title of the site, the navigation
// pictures and the closing message.

#include <string>

#include "WebSettings.h"
#include "WebSiteWriter.h"

namespace web {

// The first page's dependent boxes.
struct SetupEnabling {
  bool actualText = false, comments = false;             // need "Source notes"
  bool markedOnly = false, embed = false, link = false;  // need "General notes"
  bool duplicates = false;                               // the ancestors site only
  bool video = false, audio = false;                     // the full scrapbook only
  bool zelShown = false;                                 // the ShowZEL option
};
SetupEnabling SetupPageEnabling(const WebSettings& settings, bool showZel);

// The preparer's address is incomplete without a name, a first address
// line or a telephone number, or without both further address lines.
bool PreparerIncomplete(const SitePreparer& preparer);

// Back-link address and text: both or neither.
bool BackLinkPairValid(const std::string& address, const std::string& text);

// The site folder's name: it follows the description until the user types
// in the folder edit.
class CSiteFolderName {
 public:
  void DescriptionChanged(const std::string& description);
  void FolderTyped(const std::string& folder);
  const std::string& Folder() const { return folder_; }
  bool Typed() const { return typed_; }
  void Reset(const std::string& folder);  // the page opens with this folder

 private:
  std::string folder_;
  bool typed_ = false;
};

// The title of an ancestors or descendants site: prefix, the starting
// person's name (when UseName is on) and suffix, joined with single blanks;
// the selected site's title is CustPrefix.
std::string SiteTitle(const WebSettings& settings, const std::string& startName);

// Finds the navigation pictures of folder (the program's "web" folder:
// icons/home.jpg ...) in the order home, end, start, next, previous, stopping
// at the first that is missing or no picture; the e-mail picture only when
// those five loaded and withEmail. Pictures not found stay empty (text
// links). True when every picture checked loaded.
bool FindWebIcons(const std::string& folder, bool withEmail, WebIcons& icons);

// True when path names a picture the pages can show.
bool IsPictureFile(const std::string& path);

// "index.htm", or the prefix and "x.htm".
std::string StartPageName(const WebSettings& settings);
// The closing message of a written site.
std::string CompletionMessage(const std::string& sitePath, const std::string& startPage);

}  // namespace web
