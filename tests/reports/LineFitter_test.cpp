// Line breaking of report text with a fixed-advance measurer: each font has
// its own advance, so a test sees which font measured which word.
#include "LineFitter.h"

#include <gtest/gtest.h>

#include <string>

#include "RecordingDevice.h"

namespace {

using rpt::CStyleFontSet;
using rpt::FitTextLine;
using rpt::LogFont;
using rpt::SkipFittedLines;

const LogFont kNormal{-100, 400, false, false, "Arial"};
const LogFont kItalic{-100, 400, true, false, "Arial"};
const LogFont kBold{-100, 700, false, false, "Arial"};
const LogFont kSmall{-66, 400, false, false, "Arial"};

// Advance per character: normal 10, italic 15, bold 20, small 5.
class FontAdvanceDevice : public RecordingDevice {
 public:
  rpt::Size GetTextExtent(std::string_view text) const override {
    LogFont f;
    GetFont(f);
    int advance = 10;
    if (f.italic)
      advance = 15;
    else if (f.weight >= 700)
      advance = 20;
    else if (std::abs(f.height) < 100)
      advance = 5;
    return {advance * static_cast<int>(text.size()), std::abs(f.height)};
  }
};

CStyleFontSet AllFonts() {
  CStyleFontSet fonts;
  fonts.normal = kNormal;
  fonts.italic = kItalic;
  fonts.bold = kBold;
  fonts.small = kSmall;
  return fonts;
}

TEST(ScanStyleTag, RecognisesExactlyTheSixTags) {
  const struct {
    const char* text;
    int code;
  } cases[] = {{"<I>x", 1},  {"</I>", -1}, {"<B>", 2},  {"</B>x", -2}, {"<S>", 4},
               {"</S>", -4}, {"<i>", 0},   {"</s>", 0}, {"<I", 0},     {"< I>", 0},
               {"x<I>", 0},  {"", 0},      {"<U>", 0},  {"</I", 0}};
  for (const auto& c : cases) EXPECT_EQ(rpt::ScanStyleTag(c.text), c.code) << c.text;
}

TEST(LineBreakDelimiter, TheTwentySixBreakCharacters) {
  const std::string delimiters = " ,.;:-?_+=/\"\\!&(){}[]<>*^~";
  EXPECT_EQ(delimiters.size(), 26u);
  for (char c : delimiters) EXPECT_TRUE(rpt::IsLineBreakDelimiter(c)) << c;
  for (char c : std::string("aZ09'#$%@|`\t\r\n")) EXPECT_FALSE(rpt::IsLineBreakDelimiter(c)) << c;
}

TEST(FitTextLine, BreaksPlainTextWhereThePrintedLineEnds) {
  const struct {
    const char* text;
    int width;
    std::size_t end;
  } cases[] = {
      // The parenthesis opens the next line; the comma and blank stay behind.
      {"Surname, Given (Nick)", 200, 15},
      {"Surname, Given (Nick)", 150, 15},
      {"Surname, Given (Nick)", 210, 21},
      {"Surname, Given (Nick)", 100, 9},
      {"one two", 70, 7},
      {"one two", 69, 4},
      {"", 10, 0},
      // A hard break inside the width ends at the CR; one outside it does not.
      {"ab cd\r\nef", 100, 5},
      {"abc defgh\r\nx", 60, 4},
      // A closing delimiter is part of the line it ends, so it must fit too.
      {"aaaa,bbbb", 50, 5},
      {"aaaa,bbbb", 45, 4},
      {"abc_def", 50, 3},
      // A word wider than the line breaks after the last character that fits,
      // at least one.
      {"abcdefghij", 35, 3},
      {"abcdefghij klm", 35, 3},
      {"abcdefghij, k", 35, 3},
      {"abc", 5, 1},
  };
  for (const auto& c : cases) {
    FontAdvanceDevice dc;
    dc.SelectFont(kNormal);
    EXPECT_EQ(FitTextLine(c.text, dc, c.width, c.width / 80, nullptr), c.end)
        << '"' << c.text << "\" at " << c.width;
  }
}

// Every fitted line of a text is as wide as the device measures at most.
TEST(FitTextLine, NoFittedLineIsWiderThanTheWidth) {
  const std::string text =
      "Born 12 Mar 1850 in Springfield, Sangamon, Illinois; (christened) "
      "[see notes] {x} a-very-long-hyphenated-word and_underscored~tilde "
      "supercalifragilisticexpialidocious!";
  for (int width : {15, 40, 75, 130, 260}) {
    FontAdvanceDevice dc;
    dc.SelectFont(kNormal);
    std::size_t pos = 0;
    while (pos < text.size()) {
      const std::size_t length =
          FitTextLine(std::string_view(text).substr(pos), dc, width, 0, nullptr);
      ASSERT_GT(length, 0u) << "no progress at " << pos << " width " << width;
      std::string line = text.substr(pos, length);
      while (!line.empty() && line.back() == ' ') line.pop_back();
      EXPECT_LE(dc.GetTextExtent(line).cx, width) << '"' << line << "\" width " << width;
      pos += length;
    }
  }
}

TEST(FitTextLine, TagsTakeNoWidthAndSwitchFontsOnlyWhenTheFontExists) {
  const struct {
    const char* text;
    int width;
    bool withFonts;
    std::size_t end;
  } cases[] = {
      // Bold "abc" is 60 wide, " de" 30.
      {"<B>abc</B> de", 90, true, 13},
      {"<B>abc</B> de", 89, true, 11},
      // Small type fits where the tag characters read as text do not.
      {"<S>ab cd", 30, true, 8},
      {"<S>ab cd", 30, false, 3},
      // Without the set every character is text of the normal font.
      {"<B>ab cd", 80, false, 8},
      // A word too wide for the line that ends at a tag is broken like any
      // other (italic is 15 a character).
      {"<I>abcdefghij</I>, k", 100, true, 9},
      {"ab <I>cdefghij</I>, k", 100, true, 3},
  };
  for (const auto& c : cases) {
    FontAdvanceDevice dc;
    dc.SelectFont(kNormal);
    CStyleFontSet fonts = AllFonts();
    EXPECT_EQ(FitTextLine(c.text, dc, c.width, 0, c.withFonts ? &fonts : nullptr), c.end)
        << c.text << " at " << c.width << (c.withFonts ? " with fonts" : "");
  }
}

TEST(FitTextLine, AnAbsentStyleFontLeavesItsTagsAsText) {
  FontAdvanceDevice dc;
  dc.SelectFont(kNormal);
  CStyleFontSet fonts = AllFonts();
  fonts.bold.reset();
  // "<B>ab" as text is 50 wide and "<B" breaks after ">": 30 + " cd" 30.
  EXPECT_EQ(FitTextLine("<B>ab cd", dc, 79, 0, &fonts), 6u);
  EXPECT_EQ(FitTextLine("<B>ab cd", dc, 80, 0, &fonts), 8u);
  EXPECT_EQ(fonts.style, rpt::kStyleNormal);
}

TEST(FitTextLine, TheDeviceFontComesBackEvenWithoutABodyFont) {
  FontAdvanceDevice dc;
  dc.SelectFont(kSmall);
  CStyleFontSet fonts;
  fonts.italic = kItalic;
  // "ab " in the device's small font (15), then "cd" in italic (30).
  const struct {
    int width;
    std::size_t end;
    int styleAfter;
  } cases[] = {{44, 3, rpt::kStyleNormal}, {45, 8, rpt::kStyleItalic}};
  for (const auto& c : cases) {
    fonts.style = rpt::kStyleNormal;
    EXPECT_EQ(FitTextLine("ab <I>cd", dc, c.width, 0, &fonts), c.end) << c.width;
    EXPECT_EQ(fonts.style, c.styleAfter) << c.width;
    LogFont after;
    dc.GetFont(after);
    EXPECT_EQ(after, kSmall) << c.width;
  }
}

TEST(FitTextLine, ALineEndingInsideItalicStartsTheNextInItalic) {
  FontAdvanceDevice dc;
  dc.SelectFont(kNormal);
  CStyleFontSet fonts = AllFonts();
  const std::string text = "<I>aaa bbb</I> ccc";
  const std::size_t first = FitTextLine(text, dc, 100, 0, &fonts);
  ASSERT_EQ(first, 7u);  // "<I>aaa " then "bbb</I> ccc"
  EXPECT_EQ(fonts.style, rpt::kStyleItalic);
  LogFont after;
  dc.GetFont(after);
  EXPECT_EQ(after, kNormal) << "the device's font is restored";
  // In italic "bbb" is 45 and " ccc" 40: 85 does not fit in 80 (in the
  // normal font it would, at 70).
  const std::string_view rest = std::string_view(text).substr(first);
  EXPECT_EQ(FitTextLine(rest, dc, 80, 0, &fonts), 8u);
  EXPECT_EQ(fonts.style, rpt::kStyleNormal);
  fonts.style = rpt::kStyleItalic;
  EXPECT_EQ(FitTextLine(rest, dc, 85, 0, &fonts), rest.size());
}

TEST(FitTextLine, BoldAndSmallCarryToTheNextLineToo) {
  for (const auto& [open, style] : {std::pair{"<B>", rpt::kStyleBold}, {"<S>", rpt::kStyleSmall}}) {
    FontAdvanceDevice dc;
    dc.SelectFont(kNormal);
    CStyleFontSet fonts = AllFonts();
    const std::string text = std::string(open) + "aa bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb";
    ASSERT_EQ(FitTextLine(text, dc, 60, 0, &fonts), 6u) << open;
    EXPECT_EQ(fonts.style, style) << open;
  }
}

TEST(SkipFittedLines, CountsLinesAndBlankLines) {
  const struct {
    const char* text;
    int width;
    int count;
    std::size_t next;  // npos: the text ended within the lines
    int countLeft;
  } cases[] = {
      {"aaa bbb ccc", 40, 2, 8, 0},
      {"aaa bbb ccc", 40, 5, std::string_view::npos, 2},
      {"ab\r\ncd", 100, 1, 4, 0},
      // CR LF CR LF costs a line of its own.
      {"ab\r\n\r\ncd", 100, 2, 6, 0},
      {"ab\r\n\r\ncd", 100, 3, std::string_view::npos, 0},
      {"ab\r\n\r\ncd", 100, 4, std::string_view::npos, 1},
      // A word wider than the line still moves on, a piece per line.
      {"abcdefghij", 35, 2, 6, 0},
      {"abcdefghij", 35, 4, std::string_view::npos, 0},
  };
  for (const auto& c : cases) {
    FontAdvanceDevice dc;
    dc.SelectFont(kNormal);
    int count = c.count;
    EXPECT_EQ(SkipFittedLines(c.text, count, 0, dc, c.width, nullptr), c.next)
        << c.text << " lines " << c.count;
    EXPECT_EQ(count, c.countLeft) << c.text << " lines " << c.count;
  }
}

}  // namespace
