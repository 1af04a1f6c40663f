#pragma once
// Font descriptions: how the options and report settings store a font as one
// line of text, "face;style;size" such as "Arial;Bold Italic;14pt". The style
// is a weight word, optionally followed by " Italic".

#include <string>
#include <string_view>

namespace plat {
class TextMeasure;
}

// Read when a stored description cannot be used.
inline constexpr const char* kFallbackFontDescription = "Arial;Regular;10pt";

// The weight word of a weight (weight / 100 in the table "Don't-Care" ...
// "Heavy"); weights outside 0-999 take the nearest end of the table.
const char* FontWeightWord(int weight);
// The weight of a weight word (exact, case-sensitive); 400 for any other word.
int FontWeightFromWord(std::string_view word);

// Parses a description into face, size in points (in pixels when a device
// is given), weight and italic (255 or 0). A description without a style, a
// face or a size shows the message "Invalid Font: ..." (string 4666) and the
// fallback description is read instead. Returns nonzero when a word other
// than "Italic" follows the weight word.
int ParseFontDescription(std::string_view text, std::string& face, int& size, int& weight,
                         int& italic, const plat::TextMeasure* device = nullptr);

// "face;Weight[ Italic];Npt" from a size in tenths of a point.
std::string FormatFontDescription(std::string_view face, int sizeTenths, int weight, bool italic);

// The description with every ';' replaced by a blank, for display.
std::string FontDescriptionToText(std::string_view text);
