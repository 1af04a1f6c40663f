#include <gtest/gtest.h>

#include "CodePage.h"

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

INSTANTIATE_TEST_SUITE_P(BothCodePages, CodePageTest, ::testing::Values(1252, 1250));

TEST(CodePage, KnownCharactersOfEachPage) {
  EXPECT_EQ(plat::AnsiToUtf8("\x80", 1252), "\xE2\x82\xAC");  // euro in both
  EXPECT_EQ(plat::AnsiToUtf8("\x8A", 1250), "\xC5\xA0");      // S caron
  EXPECT_EQ(plat::AnsiToUtf8("\xA3", 1250), "\xC5\x81");      // L stroke
  EXPECT_EQ(plat::AnsiToUtf8("\xA3", 1252), "\xC2\xA3");      // pound sign
  EXPECT_EQ(plat::Utf8ToAnsi("\xC5\x81", 1252), "?");         // L stroke not in 1252
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
