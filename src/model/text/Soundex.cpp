#include "Soundex.h"

#include "CodePage.h"

namespace {

// The digit of an upper-cased character; '0' for those that carry none
// (vowels, H, W, Y, letters with accents, digits, punctuation).
char SoundexDigit(char c) {
  static constexpr char kDigits[] = "01230120022455012623010202";  // A-Z
  return c >= 'A' && c <= 'Z' ? kDigits[c - 'A'] : '0';
}

}  // namespace

void Soundex(std::string& text) {
  std::string name;
  name.reserve(text.size());
  // Letters beyond the code page code as the letters they resemble (L for L
  // with stroke, G for g with breve).
  for (char c : plat::WithoutPrivateChars(text, plat::ActiveCodePage())) {
    if (c != ' ') name += static_cast<char>(plat::AnsiToUpper(static_cast<unsigned char>(c)));
  }
  if (name.empty()) {
    text.clear();
    return;
  }
  std::string code(1, name[0]);
  char previous = SoundexDigit(name[0]);
  for (std::size_t i = 1; i < name.size() && code.size() < 4; ++i) {
    char digit = SoundexDigit(name[i]);
    if (digit != '0' && digit != previous) code += digit;
    previous = digit;
  }
  code.resize(4, '0');
  text = std::move(code);
}
