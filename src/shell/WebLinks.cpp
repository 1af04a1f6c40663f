#include "WebLinks.h"

#include "CommandIds.h"
#include "StringIds.h"
#include "StringTable.h"

namespace shell {

int WebSearchKindOf(unsigned commandId) {
  switch (commandId) {
    case kIdSearchSeekwell:
      return kWebSearchSeekwell;
    case kIdSearchOutside1:
      return kWebSearchOutside1;
    case kIdSearchOutside2:
      return kWebSearchOutside2;
    case kIdSearchOutside3:
      return kWebSearchOutside3;
    case kIdSearchKind4:
      return kWebSearchNone;
    default:
      return -1;
  }
}

std::string EncodeBlanks(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == ' ')
      out += "%20";
    else
      out += c;
  }
  return out;
}

std::string WebSearchAddress(int kind, const SearchName& name) {
  std::string given;
  for (const std::string& part : name.given) {
    if (part.empty()) continue;
    if (!given.empty()) given += ' ';
    given += part;
  }
  std::string address;
  switch (kind) {
    case kWebSearchSeekwell:
      address = res::LoadString(res::kIdsSeekwellSearchHost) +
                "/Search/ancestorsearchresults.asp?first_name=" + given +
                "&last_name=" + name.surname;
      break;
    case kWebSearchOutside1:
      address = res::LoadString(res::kIdsOutside1SearchHost) +
                "/cgi-bin/sse.dll?gl=allgs&gl=allgs&prox=1&gsfn=" + given + "&gsln=" + name.surname;
      break;
    case kWebSearchOutside2:
      address =
          res::LoadString(res::kIdsOutside2SearchHost) +
          "/genealogy/cgi-bin/iffgen?ref=gen&lo=li&lo=lglc&lo=la&lo=lffi&first=" + name.given[0] +
          "&middle=" + name.given[1] + "&last=" + name.surname;
      break;
    case kWebSearchOutside3:
      address = res::LoadString(res::kIdsOutside3SearchHost) +
                "/cgi-bin/iff?lo=li&lo=lglc&lo=la&lo=lffi&lo=lw&first=" + name.given[0] +
                "&middle=" + name.given[1] + "&last=" + name.surname;
      break;
    default:
      return {};
  }
  return EncodeBlanks(address);
}

std::string GettingStartedPath(const std::string& programFolder, const std::string& language) {
  std::string path = programFolder;
  if (!path.empty() && path.back() != '/') path += '/';
  path += "readme";
  if (language != "EN") path += language;
  return path + ".rtf";
}

}  // namespace shell
