#include "WebWizard.h"

#include "MultimediaChain.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextRoutines.h"

namespace web {
namespace {

void ReplaceFirst(std::string& text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
}

}  // namespace

SetupEnabling SetupPageEnabling(const WebSettings& s, bool showZel) {
  SetupEnabling e;
  e.actualText = e.comments = s.source;
  e.markedOnly = e.embed = e.link = s.genrl;
  e.duplicates = s.type == kSiteAncestors;
  e.video = e.audio = s.photos == 2;
  e.zelShown = showZel;
  return e;
}

bool PreparerIncomplete(const SitePreparer& p) {
  return p.name.empty() || p.address1.empty() || p.phone.empty() ||
         (p.address2.empty() && p.address3.empty());
}

bool BackLinkPairValid(const std::string& address, const std::string& text) {
  return address.empty() == text.empty();
}

void CSiteFolderName::DescriptionChanged(const std::string& description) {
  if (!typed_) folder_ = FolderNameFromDescription(description);
}

void CSiteFolderName::FolderTyped(const std::string& folder) {
  folder_ = folder;
  typed_ = true;
}

void CSiteFolderName::Reset(const std::string& folder) {
  folder_ = folder;
  typed_ = !folder.empty();
}

std::string SiteTitle(const WebSettings& s, const std::string& startName) {
  const std::string name = s.useName ? startName : std::string();
  switch (s.type) {
    case kSiteAncestors:
      return JoinWithBlanks(s.ancPrefix, name, s.ancSuffix);
    case kSiteDescendants:
      return JoinWithBlanks(s.descPrefix, name, s.descSuffix);
    default:
      return s.custPrefix;
  }
}

bool IsPictureFile(const std::string& path) {
  int width = 0, height = 0;
  return !path.empty() && ReadPictureFileSize(path, width, height);
}

bool FindWebIcons(const std::string& folder, bool withEmail, WebIcons& icons) {
  const std::pair<std::string*, const char*> order[] = {
      {&icons.home, "home.jpg"}, {&icons.end, "end.jpg"},   {&icons.start, "start.jpg"},
      {&icons.next, "next.jpg"}, {&icons.prev, "prev.jpg"}, {&icons.email, "email.jpg"}};
  icons = WebIcons{};
  for (const auto& [member, name] : order) {
    if (member == &icons.email && !withEmail) return true;
    const std::string path = folder + "/icons/" + name;
    if (!IsPictureFile(path)) return false;
    *member = path;
  }
  return true;
}

std::string StartPageName(const WebSettings& s) {
  return SiteFileNames{s.filePrefix, s.optIndex}.Start();
}

std::string CompletionMessage(const std::string& sitePath, const std::string& startPage) {
  std::string hint = res::LoadString(res::kIdsUploadHint);
  ReplaceFirst(hint, "%1", startPage);
  std::string text = res::LoadString(res::kIdsComplete);
  // Each insert once, so that a "%2" inside the path stays as it is.
  const std::size_t p1 = text.find("%1");
  const std::size_t p2 = text.find("%2");
  if (p1 != std::string::npos && p2 != std::string::npos && p1 < p2) {
    text = text.substr(0, p1) + sitePath + text.substr(p1 + 2, p2 - p1 - 2) + hint +
           text.substr(p2 + 2);
  }
  return text;
}

}  // namespace web
