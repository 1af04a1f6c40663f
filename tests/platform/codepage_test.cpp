#include <gtest/gtest.h>

#include "CodePage.h"
#include "ParamNames.h"

namespace {

class CodePageTest : public ::testing::TestWithParam<int> {};

TEST_P(CodePageTest, EveryPrintableByteRoundTripsThroughUtf8) {
  const int cp = GetParam();
  for (int b = 0x20; b <= 0xFF; ++b) {
    std::string one(1, static_cast<char>(b));
    std::string utf8 = plat::AnsiToUtf8(one, cp);
    EXPECT_EQ(plat::Utf8ToAnsi(utf8, cp), one) << "byte 0x" << std::hex << b;
  }
}

TEST_P(CodePageTest, UnmappableCharacterBecomesReplacement) {
  const int cp = GetParam();
  // U+4E2D (a CJK letter) and U+0416 (Cyrillic Zhe) exist in neither code page.
  EXPECT_EQ(plat::Utf8ToAnsi("a\xE4\xB8\xAD"
                             "b\xD0\x96",
                             cp),
            "a?b?");
}

INSTANTIATE_TEST_SUITE_P(BothCodePages, CodePageTest, ::testing::Values(1252, 1250),
                         ParamNameOfCodePage());

TEST(CodePage, KnownCharactersOfEachPage) {
  EXPECT_EQ(plat::AnsiToUtf8("\x80", 1252), "\xE2\x82\xAC");  // euro in both
  EXPECT_EQ(plat::AnsiToUtf8("\x8A", 1250), "\xC5\xA0");      // S caron
  EXPECT_EQ(plat::AnsiToUtf8("\xA3", 1250), "\xC5\x81");      // L stroke
  EXPECT_EQ(plat::AnsiToUtf8("\xA3", 1252), "\xC2\xA3");      // pound sign
  // L stroke is not in 1252: it travels as a private pair.
  EXPECT_EQ(plat::Utf8ToAnsi("\xC5\x81", 1252).size(), 2u);
  EXPECT_EQ(plat::AnsiToUtf8(plat::Utf8ToAnsi("\xC5\x81", 1252), 1252), "\xC5\x81");
}

// Names of the languages the family file holds come back from the code page
// letter for letter, whichever page is in use.
TEST_P(CodePageTest, LettersTheFamilyFileHoldsSurviveTheCodePage) {
  const int cp = GetParam();
  const char* names[] = {
      "W\u0142adys\u0142aw \u0141ukasiewicz \u017Ab\u0142\u0105d \u0106\u0119\u015B\u0144",
      "Ji\u0159\u00ED \u010Capek \u016Fd \u0147\u011B\u0165",
      "\u00C5se \u00D8rjan \u00C6r\u00F8 \u00FE\u00F0 \u00E5",
      "M\u00FCller Stra\u00DFe \u00C4\u00D6\u00DC",
      "Fran\u00E7ois \u00C9lo\u00EFse \u0152uvre \u00E0 \u00F9 \u00EE \u00FF",
      "\u0130stanbul Ya\u011Fmur D\u0131\u015F \u015Eeker \u011E",
      "Nguye\u0302\u0303n",  // two accents: the first composes
  };
  for (const char* name : names) {
    const std::string ansi = plat::Utf8ToAnsi(name, cp);
    EXPECT_EQ(ansi.find('?'), std::string::npos) << name;
    const std::string back = plat::AnsiToUtf8(ansi, cp);
    if (std::string_view(name).starts_with("Nguy"))
      EXPECT_EQ(back, "Nguy\u00EA\u0303n") << cp;
    else
      EXPECT_EQ(back, name) << cp;
  }
}

// The second byte of a private pair is no letter and keeps its value under
// every case mapping, in both pages; whole texts map the pairs' letters.
TEST_P(CodePageTest, PrivatePairsSurviveCaseMapping) {
  const int cp = GetParam();
  plat::SetActiveCodePage(cp);
  for (char32_t u : {U'\u0142', U'\u0131', U'\u0301', U'\u0306', U'\u25A0'}) {
    std::string pair;
    if (!plat::AppendPrivateChar(pair, u)) continue;
    for (const char c : pair) {
      const auto b = static_cast<unsigned char>(c);
      EXPECT_FALSE(plat::IsAnsiAlpha(b)) << std::hex << b;
      EXPECT_EQ(plat::AnsiToUpper(b), b);
      EXPECT_EQ(plat::AnsiToLower(b), b);
    }
  }
  const std::string name = plat::Utf8ToAnsi("\u0142ukasz ya\u011Fmur \u00F8", cp);
  EXPECT_EQ(plat::AnsiToUtf8(plat::AnsiUpper(name), cp), "\u0141UKASZ YA\u011EMUR \u00D8");
  EXPECT_EQ(plat::AnsiToUtf8(plat::AnsiLower(plat::AnsiUpper(name)), cp),
            "\u0142ukasz ya\u011Fmur \u00F8");
  // A lead byte without its second byte stays a plain byte.
  EXPECT_EQ(plat::AnsiToUtf8("\x81", cp), "\xC2\x81");
  EXPECT_EQ(plat::PrivateCharAt("\x81x", 0), 0u);
  plat::SetActiveCodePage(1252);
}

// Output that can carry only the code page gets look-alikes.
TEST(CodePage, WithoutPrivateCharsGivesLookAlikes) {
  const std::string text = plat::Utf8ToAnsi("\u0141ukasz D\u0131\u011F \u25A0", 1252);
  EXPECT_EQ(plat::WithoutPrivateChars(text, 1252), "Lukasz Dig ?");
}

TEST(CodePage, MalformedUtf8NeverYieldsGarbage) {
  // A lone continuation byte, a truncated sequence, an overlong form and a surrogate.
  EXPECT_EQ(plat::Utf8ToAnsi("\x80", 1252), "?");
  EXPECT_EQ(plat::Utf8ToAnsi("x\xC3", 1252), "x?");
  EXPECT_EQ(plat::Utf8ToAnsi("\xC0\xAF", 1252), "??");
  EXPECT_EQ(plat::Utf8ToAnsi("\xED\xA0\x80", 1252), "???");
}

TEST(CodePage, LocaleChoosesThePage) {
  EXPECT_EQ(plat::CodePageForLocale("cs_CZ.UTF-8"), 1250);
  EXPECT_EQ(plat::CodePageForLocale("pl"), 1250);
  EXPECT_EQ(plat::CodePageForLocale("de_DE.UTF-8"), 1252);
  EXPECT_EQ(plat::CodePageForLocale("C.UTF-8"), 1252);
}

TEST(CodePage, CaseMappingAndCompare) {
  plat::SetActiveCodePage(1252);
  EXPECT_EQ(plat::AnsiUpper("m\xFCller \xFF"), "M\xDCLLER \x9F");  // ü→Ü, ÿ→Ÿ
  EXPECT_EQ(plat::AnsiLower("\x8A\xC9"), "\x9A\xE9");
  EXPECT_TRUE(plat::IsAnsiAlpha(0xE9));
  EXPECT_FALSE(plat::IsAnsiAlpha(0xD7));  // multiplication sign
  // Accents and case decide only when the letters are equal.
  EXPECT_LT(plat::CompareAnsi("M\xFCller", "Mz", false), 0);
  EXPECT_GT(plat::CompareAnsi("M\xFCller", "Muller", false), 0);
  EXPECT_EQ(plat::CompareAnsi("smith", "SMITH", true), 0);
  EXPECT_LT(plat::CompareAnsi("smith", "Smith", false), 0);
}

}  // namespace
