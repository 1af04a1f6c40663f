#include "NumberWords.h"

#include <cstdlib>

#include "StringIds.h"
#include "StringTable.h"

namespace {

constexpr int kWordTableSize = 12;

std::string NumberText(int n, bool cardinal) {
  std::string text = std::to_string(n);
  if (!cardinal) text += '.';
  return text;
}

}  // namespace

std::string NumberWord(int n, bool cardinal) {
  if (n < 1 || n > kWordTableSize) return NumberText(n, cardinal);
  return res::LoadString((cardinal ? kNumberWordCardinalBase : kNumberWordOrdinalBase) + n);
}

std::string TeenWord(int tens, int units, bool cardinal) {
  if (tens == 1 && units >= 0 && units <= 2) return NumberWord(10 + units, cardinal);
  return NumberText(tens * 10 + units, cardinal);
}

std::string OrdinalWord(int n) { return NumberWord(n, false); }

std::string OrdinalSuffix(int n) {
  // The digits of the magnitude decide; "-1st" reads like "1st".
  long magnitude = std::labs(static_cast<long>(n));
  unsigned id = res::kIdsSuffixTh;
  if ((magnitude / 10) % 10 != 1) {
    switch (magnitude % 10) {
      case 1:
        id = res::kIdsSuffixSt;
        break;
      case 2:
        id = res::kIdsSuffixNd;
        break;
      case 3:
        id = res::kIdsSuffixRd;
        break;
      default:
        break;
    }
  }
  return std::to_string(n) + res::LoadString(id);
}

std::string FormatRomanNumeral(int n, bool upper) {
  if (n < 1 || n > 4999) return std::to_string(n);
  struct Figure {
    int value;
    const char* upper;
    const char* lower;
  };
  static constexpr Figure kFigures[] = {
      {1000, "M", "m"}, {900, "CM", "cm"}, {500, "D", "d"},  {400, "CD", "cd"}, {100, "C", "c"},
      {90, "XC", "xc"}, {50, "L", "l"},    {40, "XL", "xl"}, {10, "X", "x"},    {9, "IX", "ix"},
      {5, "V", "v"},    {4, "IV", "iv"},   {1, "I", "i"},
  };
  std::string text;
  for (const Figure& f : kFigures) {
    for (; n >= f.value; n -= f.value) text += upper ? f.upper : f.lower;
  }
  return text;
}
