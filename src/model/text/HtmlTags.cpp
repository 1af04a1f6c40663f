#include "HtmlTags.h"

#include <array>

namespace {

constexpr std::array<const char*, 23> kTagWords = {
    "html", "head",      "title",      "body",  "h1", "h2",        "h3", "h4",
    "h5",   "h6",        "blockquote", "p",     "hr", "a name=\"", "a",  "ul",
    "li",   "a href=\"", "img",        "table", "tr", "td",        "br"};

}  // namespace

const char* HtmlTagWord(int kind) {
  if (kind < 0 || kind >= static_cast<int>(kTagWords.size())) return "";
  return kTagWords[static_cast<std::size_t>(kind)];
}

std::string MakeHtmlTag(int kind, bool closing, bool closeBracket, int alignment) {
  std::string out = "<";
  if (closing) out += '/';
  out += HtmlTagWord(kind);
  switch (alignment) {
    case kHtmlAlignCenter:
      out += " align=center";
      break;
    case kHtmlAlignMiddle:
      out += " align=middle";
      break;
    case kHtmlValignTop:
      out += " valign=top";
      break;
    default:
      break;
  }
  if (closeBracket) {
    out += '>';
    if (closing) out += "\r\n";
  }
  return out;
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}
