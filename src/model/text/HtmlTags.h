#pragma once
// The tags the web site writer builds its pages from.

#include <string>
#include <string_view>

// Alignment attributes of MakeHtmlTag.
enum HtmlAlign : int {
  kHtmlAlignNone = 0,
  kHtmlAlignCenter = 1,  // " align=center"
  kHtmlAlignMiddle = 2,  // " align=middle"
  kHtmlValignTop = 3,    // " valign=top"
};

// The tag word of a tag kind (0 "html" ... 22 "br"; 13 is `a name="` and
// 17 `a href="`, which the caller completes); "" for other kinds.
const char* HtmlTagWord(int kind);

// "<", "/" when closing, the tag word and the alignment attribute; then ">"
// when closeBracket is set. A closed closing tag is followed by CR LF. Tags
// that take attributes are opened without the bracket for the caller to
// complete.
std::string MakeHtmlTag(int kind, bool closing, bool closeBracket, int alignment = kHtmlAlignNone);

// text with "&", "<", ">" and the double quote written as character
// entities, so that a value from the family file shows as typed on a web page
// and can stand inside an attribute.
std::string HtmlEscape(std::string_view text);
