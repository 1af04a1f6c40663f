#include <gtest/gtest.h>

#include "HtmlTags.h"

TEST(HtmlTags, BuildsTags) {
  struct Case {
    int kind;
    bool closing, bracket;
    int align;
    const char* tag;
  } cases[] = {
      {21, true, true, kHtmlAlignNone, "</td>\r\n"},
      {21, false, true, kHtmlValignTop, "<td valign=top>"},
      {0, false, true, kHtmlAlignNone, "<html>"},
      {10, true, true, kHtmlAlignNone, "</blockquote>\r\n"},
      {11, false, true, kHtmlAlignCenter, "<p align=center>"},
      {18, false, false, kHtmlAlignMiddle, "<img align=middle"},
      {17, false, false, kHtmlAlignNone, "<a href=\""},
      {13, false, false, kHtmlAlignNone, "<a name=\""},
      {14, true, false, kHtmlAlignNone, "</a"},
      {22, false, true, 7, "<br>"},
      {23, false, true, kHtmlAlignNone, "<>"},
      {-1, false, true, kHtmlAlignNone, "<>"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MakeHtmlTag(c.kind, c.closing, c.bracket, c.align), c.tag) << c.kind;
}

TEST(HtmlEscapeTest, MarkupCharactersBecomeEntities) {
  const struct {
    const char* text;
    const char* escaped;
  } cases[] = {
      {"", ""},
      {"Smith", "Smith"},
      {"<script>alert('x')</script>", "&lt;script&gt;alert('x')&lt;/script&gt;"},
      {"Tom & \"Jerry\"", "Tom &amp; &quot;Jerry&quot;"},
      {"&amp;", "&amp;amp;"},  // an entity typed by the user stays as typed
      {"%1 %s %%", "%1 %s %%"},
      {"M\xFCller", "M\xFCller"},
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlEscape(c.text), c.escaped) << c.text;
}
