#pragma once
// The line fitter: where a line of report text breaks for a width on a
// device, measuring each word in the font that prints it. Paginators count
// lines with it and page generators print the same lines again, so both
// sides break identically. Text may carry the style tags "<I>", "<B>", "<S>"
// and their closing forms; a tag whose font is absent is ordinary text.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ReportDevice.h"

namespace rpt {

// The current style of tagged text: the font a continued line starts in.
enum StyleCode : std::uint8_t {
  kStyleNormal = 0,
  kStyleItalic = 1,
  kStyleBold = 2,
  kStyleSmall = 3,
};

// The fonts of tagged text. The generator that prints tagged text fills it in
// its font set-up; an absent font makes that style's tags plain text.
struct CStyleFontSet {
  std::optional<LogFont> normal;
  std::optional<LogFont> italic;
  std::optional<LogFont> bold;
  std::optional<LogFont> small;
  // Written by every tag the fitter reads, so that the next line starts in
  // the style the previous one ended in.
  std::uint8_t style = kStyleNormal;

  // The font of a style; the normal font for a style whose font is absent.
  const std::optional<LogFont>& FontFor(int styleCode) const;
};

// The shared instance the report generators fill.
CStyleFontSet& StyleFonts();

// The style tag that begins exactly at text: 1 "<I>", -1 "</I>", 2 "<B>",
// -2 "</B>", 4 "<S>", -4 "</S>", 0 for none (case-sensitive).
int ScanStyleTag(std::string_view text);

// The characters at which a line may break.
bool IsLineBreakDelimiter(char c);

// Where the line that starts at text ends for maxWidth (logical units): the
// first character of the next line after a soft break, the CR of a CR LF
// pair, or text.size() at the end. A word wider than the line breaks after
// the last character that fits, at least one, so a non-empty text always
// makes progress. The device's font is the same on return as on entry.
// spare is not used (callers pass the width divided by 80).
std::size_t FitTextLine(std::string_view text, ReportDevice& dc, int maxWidth, int spare,
                        CStyleFontSet* fonts);

// The state of FitTextLine while it reads a line.
struct LineFitCursor {
  int lineWidth = 0;    // width of the words measured so far
  std::string word;     // the word being collected
  std::size_t pos = 0;  // position in the text
};

// Reads the style tag (code from ScanStyleTag) at the cursor: the word so far
// is added to the line width in the font it was collected in, the tag's
// font is selected and the cursor steps over the tag. Without fonts, or with
// the tag's font absent, it does nothing and the tag is read as text.
void ApplyStyleTag(ReportDevice& dc, int tagCode, CStyleFontSet* fonts, LineFitCursor& cursor);

// Where text continues after lineCount fitted lines, or npos when it ends
// within them. lineCount comes back reduced by the lines consumed (0 when all
// were used); a blank line (CR LF CR LF) costs one line more.
std::size_t SkipFittedLines(std::string_view text, int& lineCount, int spare, ReportDevice& dc,
                            int maxWidth, CStyleFontSet* fonts);

}  // namespace rpt
