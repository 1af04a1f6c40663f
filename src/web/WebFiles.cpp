#include "WebFiles.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "CodePage.h"
#include "HtmlTags.h"

namespace web {
namespace fs = std::filesystem;

std::string TwoDigits(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%2.2d", n);
  return text;
}

std::string SiteFileNames::Start() const { return optIndex ? "index.htm" : prefix + "x.htm"; }
std::string SiteFileNames::List() const { return optIndex ? "index2.htm" : prefix + "x2.htm"; }
std::string SiteFileNames::Index() const { return optIndex ? "index3.htm" : prefix + "x3.htm"; }
std::string SiteFileNames::Generation(int page) const {
  return prefix + "g" + TwoDigits(page) + ".htm";
}
std::string SiteFileNames::Notes(int page) const { return prefix + "n" + TwoDigits(page) + ".htm"; }
std::string SiteFileNames::Citations(int page) const {
  return prefix + "c" + TwoDigits(page) + ".htm";
}
std::string SiteFileNames::Scrapbook(std::int32_t rin) {
  char text[32];
  std::snprintf(text, sizeof text, "sb%lx.htm", static_cast<unsigned long>(rin));
  return text;
}

std::string HtmlText(std::string_view text) {
  std::string out = HtmlEscape(text);
  // HtmlEscape leaves the single quote; attributes may be quoted either way.
  std::string result;
  result.reserve(out.size());
  for (char c : out) {
    if (c == '\'')
      result += "&#39;";
    else
      result += c;
  }
  return result;
}

std::string UrlPart(std::string_view text) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (std::isalnum(c) && c < 0x80) {
      out += static_cast<char>(c);
    } else if (c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

std::string Href(std::string_view file, std::string_view anchor) {
  std::string out = "href=\"" + UrlPart(file);
  if (!anchor.empty()) out += "#" + UrlPart(anchor);
  return out + "\"";
}

std::string FolderNameFromDescription(std::string_view description) {
  static constexpr std::string_view kFileNameChars = "$%'-_@~`!{}()#&+,;=[]";
  std::string name;
  for (char c : description) {
    if (name.size() == 9) break;
    const auto u = static_cast<unsigned char>(c);
    if (plat::IsAnsiAlpha(u) || std::isdigit(u) || kFileNameChars.find(c) != std::string_view::npos)
      name += c;
  }
  return name;
}

std::string ChooseWebBase(const std::string& webFolder, const std::string& documents,
                          const std::string& dataFolder, const std::string& familyFolder) {
  for (const std::string* s : {&webFolder, &documents, &dataFolder, &familyFolder})
    if (!s->empty()) return *s;
  return {};
}

SitePathCheck MakeSitePath(const std::string& base, const std::string& folderName,
                           std::string& sitePath) {
  sitePath.clear();
  if (folderName.empty()) return SitePathCheck::kEmpty;
  if (folderName == "." || folderName == ".." ||
      folderName.find_first_of("/\\:") != std::string::npos)
    return SitePathCheck::kBadName;
  if (base.empty()) return SitePathCheck::kNoBase;
  std::error_code ec;
  const fs::path root = fs::weakly_canonical(fs::path(base) / "web", ec);
  if (ec) return SitePathCheck::kOutside;
  const fs::path site = fs::weakly_canonical(root / plat::AnsiToUtf8(folderName), ec);
  if (ec) return SitePathCheck::kOutside;
  // Strictly below: the site's parent is the web folder itself.
  if (site.parent_path() != root || site == root) return SitePathCheck::kOutside;
  sitePath = site.string();
  return SitePathCheck::kOk;
}

}  // namespace web
