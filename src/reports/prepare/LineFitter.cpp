#include "LineFitter.h"

#include <algorithm>

namespace rpt {

namespace {

// Words are measured with tabs expanded at the default stops: every eight
// average characters from the start of the word.
int MeasureWord(const ReportDevice& dc, std::string_view word) {
  if (word.find('\t') == std::string_view::npos) return dc.GetTextExtent(word).cx;
  const int stop = std::max(1, 8 * dc.GetTextExtent("x").cx);
  int width = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = word.find('\t', start);
    width += dc.GetTextExtent(word.substr(start, tab - start)).cx;
    if (tab == std::string_view::npos) return width;
    width = (width / stop + 1) * stop;
    start = tab + 1;
  }
}

bool IsOpeningDelimiter(char c) {
  return c == '(' || c == '{' || c == '[' || c == '<' || c == '_' || c == '~';
}

bool StartsWith(std::string_view text, std::size_t pos, std::string_view what) {
  return text.substr(pos, what.size()) == what;
}

// A tag switches fonts only when the set has its font.
bool TagApplies(const CStyleFontSet* fonts, int tagCode) {
  if (fonts == nullptr) return false;
  switch (tagCode < 0 ? -tagCode : tagCode) {
    case 1:
      return fonts->italic.has_value();
    case 2:
      return fonts->bold.has_value();
    case 4:
      return fonts->small.has_value();
    default:
      return false;
  }
}

}  // namespace

const std::optional<LogFont>& CStyleFontSet::FontFor(int styleCode) const {
  switch (styleCode) {
    case kStyleItalic:
      return italic ? italic : normal;
    case kStyleBold:
      return bold ? bold : normal;
    case kStyleSmall:
      return small ? small : normal;
    default:
      return normal;
  }
}

CStyleFontSet& StyleFonts() {
  static CStyleFontSet fonts;
  return fonts;
}

int ScanStyleTag(std::string_view text) {
  if (text.starts_with("<I>")) return 1;
  if (text.starts_with("</I>")) return -1;
  if (text.starts_with("<B>")) return 2;
  if (text.starts_with("</B>")) return -2;
  if (text.starts_with("<S>")) return 4;
  if (text.starts_with("</S>")) return -4;
  return 0;
}

bool IsLineBreakDelimiter(char c) {
  static constexpr std::string_view kDelimiters = " ,.;:-?_+=/\"\\!&(){}[]<>*^~";
  return kDelimiters.find(c) != std::string_view::npos;
}

void ApplyStyleTag(ReportDevice& dc, int tagCode, CStyleFontSet* fonts, LineFitCursor& cursor) {
  if (fonts == nullptr) return;
  const int kind = tagCode < 0 ? -tagCode : tagCode;
  const std::optional<LogFont>* font = nullptr;
  std::uint8_t style = kStyleNormal;
  switch (kind) {
    case 1:
      font = &fonts->italic;
      style = kStyleItalic;
      break;
    case 2:
      font = &fonts->bold;
      style = kStyleBold;
      break;
    case 4:
      font = &fonts->small;
      style = kStyleSmall;
      break;
    default:
      return;
  }
  if (!font->has_value()) return;
  cursor.lineWidth += MeasureWord(dc, cursor.word);
  cursor.word.clear();
  if (tagCode > 0) {
    cursor.pos += 3;
    dc.SelectFont(**font);
    fonts->style = style;
  } else {
    cursor.pos += 4;
    if (fonts->normal) dc.SelectFont(*fonts->normal);
    fonts->style = kStyleNormal;
  }
}

std::size_t FitTextLine(std::string_view text, ReportDevice& dc, int maxWidth, int /*spare*/,
                        CStyleFontSet* fonts) {
  LogFont previous;
  bool restore = false;
  if (fonts != nullptr) {
    if (const auto& start = fonts->FontFor(fonts->style)) {
      previous = dc.SelectFont(*start);
      restore = true;
    } else {
      // No body font: the line starts in the device's font, which a tag may
      // still change.
      restore = dc.GetFont(previous);
    }
  }
  LineFitCursor cursor;
  std::size_t breakPoint = 0;
  std::size_t wordStart = 0;
  const std::uint8_t startStyle = fonts != nullptr ? fonts->style : std::uint8_t{kStyleNormal};
  std::uint8_t styleAtBreak = startStyle;

  // A line that would end without progress, or with its only word too wide,
  // breaks the current word after the last character that fits.
  auto cutWord = [&]() -> std::size_t {
    const std::string_view word = text.substr(wordStart, cursor.pos - wordStart);
    std::size_t lo = 0, hi = word.size();
    while (lo < hi) {
      const std::size_t mid = (lo + hi + 1) / 2;
      if (cursor.lineWidth + MeasureWord(dc, word.substr(0, mid)) <= maxWidth)
        lo = mid;
      else
        hi = mid - 1;
    }
    if (lo == 0 && (cursor.lineWidth == 0 || wordStart == 0))
      lo = std::min<std::size_t>(1, word.size());
    return wordStart + lo;
  };
  auto finish = [&](std::size_t end, bool atBreakPoint) {
    if (restore) dc.SelectFont(previous);
    if (fonts != nullptr && atBreakPoint) fonts->style = styleAtBreak;
    return end;
  };
  auto overflow = [&]() {
    return breakPoint != 0 ? finish(breakPoint, true) : finish(cutWord(), false);
  };

  for (;;) {
    if (cursor.pos < text.size()) {
      if (const int tag = ScanStyleTag(text.substr(cursor.pos)); TagApplies(fonts, tag)) {
        // The word before a tag ends in its font: it must fit like any other.
        if (cursor.lineWidth + MeasureWord(dc, cursor.word) > maxWidth) return overflow();
        ApplyStyleTag(dc, tag, fonts, cursor);
        wordStart = cursor.pos;
        continue;
      }
    }
    const bool atEnd = cursor.pos >= text.size();
    if (atEnd || StartsWith(text, cursor.pos, "\r\n")) {
      if (cursor.lineWidth + MeasureWord(dc, cursor.word) <= maxWidth)
        return finish(cursor.pos, false);
      return overflow();
    }
    const char c = text[cursor.pos];
    if (IsLineBreakDelimiter(c)) {
      const int width = MeasureWord(dc, cursor.word);
      if (cursor.lineWidth + width > maxWidth) return overflow();
      // A line may end before an opening delimiter, or after any other one
      // that still fits (a blank at the end of a line is not printed).
      const bool opening = IsOpeningDelimiter(c);
      if (opening || c == ' ' ||
          cursor.lineWidth + width + MeasureWord(dc, std::string_view(&c, 1)) <= maxWidth) {
        breakPoint = opening ? cursor.pos : cursor.pos + 1;
        styleAtBreak = fonts != nullptr ? fonts->style : std::uint8_t{kStyleNormal};
      }
      cursor.lineWidth += width;
      cursor.word.clear();
      wordStart = cursor.pos;
    }
    cursor.word += c;
    ++cursor.pos;
  }
}

std::size_t SkipFittedLines(std::string_view text, int& lineCount, int spare, ReportDevice& dc,
                            int maxWidth, CStyleFontSet* fonts) {
  std::size_t pos = 0;
  for (;;) {
    pos += FitTextLine(text.substr(pos), dc, maxWidth, spare, fonts);
    --lineCount;
    if (pos >= text.size()) return std::string_view::npos;
    if (StartsWith(text, pos, "\r\n\r\n")) {
      --lineCount;
      pos += 4;
    } else if (StartsWith(text, pos, "\r\n")) {
      pos += 2;
    }
    if (lineCount <= 0) {
      lineCount = 0;
      return pos;
    }
  }
}

}  // namespace rpt
