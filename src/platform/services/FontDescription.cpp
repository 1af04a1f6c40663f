#include "FontDescription.h"

#include <array>
#include <cctype>
#include <vector>

#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextMeasure.h"

namespace {

constexpr std::array<const char*, 10> kWeightWords = {"Don't-Care", "Thin",   "ExtraLight", "Light",
                                                      "Normal",     "Medium", "SemiBold",   "Bold",
                                                      "ExtraBold",  "Heavy"};

std::vector<std::string_view> SplitAt(std::string_view text, char sep) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find(sep, start);
    if (end == std::string_view::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  for (std::string_view part : SplitAt(text, ' '))
    if (!part.empty()) words.push_back(part);
  return words;
}

// The whole number at the start of the size part ("10pt" -> 10); -1 when
// there is none.
int LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i == text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return -1;
  long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > 10000) return -1;
  }
  return static_cast<int>(value);
}

struct Parts {
  std::string_view face, style, size;
};

bool Split(std::string_view text, Parts& parts) {
  std::vector<std::string_view> fields = SplitAt(text, ';');
  if (fields.size() < 3) return false;
  parts = {fields[0], fields[1], fields[2]};
  return !parts.face.empty() && !Words(parts.style).empty() && LeadingNumber(parts.size) > 0;
}

}  // namespace

const char* FontWeightWord(int weight) {
  int index = weight / 100;
  if (index < 0) index = 0;
  if (index > 9) index = 9;
  return kWeightWords[static_cast<std::size_t>(index)];
}

int FontWeightFromWord(std::string_view word) {
  for (std::size_t i = 0; i < kWeightWords.size(); ++i)
    if (word == kWeightWords[i]) return static_cast<int>(i) * 100;
  return 400;
}

int ParseFontDescription(std::string_view text, std::string& face, int& size, int& weight,
                         int& italic, const plat::TextMeasure* device) {
  Parts parts;
  if (!Split(text, parts)) {
    plat::MessageBox(res::LoadString(res::kIdsInvalidFontMessage), "", plat::kMbOk);
    Split(kFallbackFontDescription, parts);
  }
  face = std::string(parts.face);
  size = LeadingNumber(parts.size);
  if (device) size = size * device->PixelsPerInchY() / 72;

  std::vector<std::string_view> words = Words(parts.style);
  weight = FontWeightFromWord(words[0]);
  italic = words.size() > 1 && words[1] == "Italic" ? 255 : 0;
  return words.size() > 1 && words[1] != "Italic" ? 1 : 0;
}

std::string FormatFontDescription(std::string_view face, int sizeTenths, int weight, bool italic) {
  std::string out(face);
  out += ';';
  out += FontWeightWord(weight);
  if (italic) out += " Italic";
  out += ';';
  out += std::to_string(sizeTenths / 10);
  out += "pt";
  return out;
}

std::string FontDescriptionToText(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == ';') c = ' ';
  return out;
}
