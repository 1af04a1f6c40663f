#pragma once
// Fitting a place (or a name) into a character count and a pixel width: each
// part becomes a fit unit that can be shown whole, as its initials, as one
// initial or cut, and the parts that matter most by the user's place option
// are kept first.

#include <string>
#include <string_view>

#include "TextMeasure.h"

// The two condensing options of the display preferences; the application
// copies its options ("FPos", "Trim") here at start-up and whenever the user
// changes them.
struct PlaceFitOptions {
  // FPos, which place parts survive condensing: 0 smallest toward largest,
  // 1 smallest, largest, next smallest, 2 smallest, largest, next largest,
  // 3 largest toward smallest, 4 largest, smallest, next largest,
  // 5 largest, smallest, next smallest.
  int placeLevelImportance = 5;  // the options' default
  // Trim, how a part that does not fit is condensed: 0 cut, nonzero initials.
  int clipping = 1;
};
void SetPlaceFitOptions(const PlaceFitOptions& options);
const PlaceFitOptions& GetPlaceFitOptions();

// The first character of each word; words are separated by blanks, quotes,
// apostrophes, parentheses, '/', '<', '>', brackets and braces.
std::string MakeInitials(std::string_view text);

class CFitUnit {
 public:
  // Place parts have levels 1-4 (town to country). Name parts use 101-200
  // (their text carries a trailing blank) and above 200 (a leading blank).
  // Widths are 0 without a measure.
  CFitUnit(int level, std::string_view text, const plat::TextMeasure* dc);

  // Cuts the text to chars characters (at least 0), then, with a measure,
  // drops characters from the end until its width is within width (a
  // negative width counts as 0). Name parts of levels 101-199 get their
  // trailing blank back after each cut.
  void Truncate(int chars, const plat::TextMeasure* dc, int width);

  int level;
  std::string text;  // the full text (after Truncate, the cut text)
  int width;
  std::string initials;
  int initialsWidth;
  int initialWidth;  // the width of the first initial alone
};

// The four place parts (town first) fitted into fewer than charLimit
// characters (capped at 81) and pixelWidth pixels, parts joined by
// separator, by the options above. Every left-out level between shown parts
// keeps its separator, so each shown part stays in its position. Without a
// measure every text counts 0 pixels wide and a separator 1.
std::string FitPlaceParts(const std::string (&parts)[4], int charLimit, std::string_view separator,
                          const plat::TextMeasure* dc, int pixelWidth);
