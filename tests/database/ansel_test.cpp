#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "Ansel.h"
#include "AnselCompare.h"
#include "CodePage.h"
#include "ParamNames.h"
#include "ScopedCodePage.h"

namespace {

std::string Hex(std::string_view s) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (const char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

// ---------------------------------------------------------------- conversion

// The characters each code page has no ANSEL form for.
const std::set<int> kUnmappable1252 = {0xA2, 0xA4, 0xA5, 0xA6, 0xA7, 0xAA, 0xAB,
                                       0xAC, 0xAD, 0xB2, 0xB3, 0xB5, 0xB6, 0xB9,
                                       0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xD7, 0xF7};
const std::set<int> kUnmappable1250 = {0xA4, 0xA6, 0xA7, 0xAB, 0xAC, 0xAD,
                                       0xB5, 0xB6, 0xBB, 0xD7, 0xF7};

// The capital eth of 1252, which ANSEL holds only as the D with stroke that
// looks the same: it is stored as that letter and read back as it.
constexpr int kCapitalEth1252 = 0xD0;

class AnselRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(AnselRoundTrip, EveryCharacterAnselCanHoldComesBack) {
  const int cp = GetParam();
  const auto& unmappable = cp == 1250 ? kUnmappable1250 : kUnmappable1252;
  for (int b = 0x20; b <= 0xFF; ++b) {
    const std::string one(1, static_cast<char>(b));
    const std::string ansel = AnsiToAnsel(one, -1, cp);
    if (unmappable.count(b) != 0) {
      EXPECT_EQ(ansel, "?") << "byte 0x" << std::hex << b;
    } else if (cp == 1252 && b == kCapitalEth1252) {
      EXPECT_EQ(Hex(ansel), "A3");
      EXPECT_EQ(plat::AnsiToUtf8(AnselToAnsi(ansel, cp), cp), "\u0110");
    } else {
      EXPECT_EQ(AnselToAnsi(ansel, cp), one)
          << "byte 0x" << std::hex << b << " stored as " << Hex(ansel);
    }
  }
}

TEST_P(AnselRoundTrip, WholeTextOfEveryMappableCharacterComesBack) {
  const int cp = GetParam();
  const auto& unmappable = cp == 1250 ? kUnmappable1250 : kUnmappable1252;
  std::string text;
  for (int b = 0x20; b <= 0xFF; ++b) {
    // The lead bytes of private pairs are no characters of either page.
    if (b == plat::kPrivateLead || b == plat::kPrivateLead2) continue;
    if (cp == 1252 && b == kCapitalEth1252) continue;
    if (unmappable.count(b) == 0) text += static_cast<char>(b);
  }
  EXPECT_EQ(AnselToAnsi(AnsiToAnsel(text, -1, cp), cp), text);
}

// Whatever the code page, every character of the family file comes back to
// the same stored bytes when a text is read and stored again: one ANSEL
// character alone, and a diacritic with each letter it may stand before.
TEST_P(AnselRoundTrip, EveryStoredCharacterIsStoredAgainAsItWas) {
  const int cp = GetParam();
  auto defined = [](int c) {
    if (c >= 0x20 && c < 0x7F) return true;
    static const std::set<int> kNeverWritten = {0xA0, 0xAF, 0xBB, 0xC7, 0xC8, 0xCD, 0xCE};
    return c >= 0xA1 && c <= 0xCF && (c <= 0xC6 || c == 0xCF) && kNeverWritten.count(c) == 0;
  };
  for (int a = 0x20; a <= 0xFF; ++a) {
    const bool diacritic = IsAnselDiacritic(static_cast<unsigned char>(a));
    if (!defined(a) && !(diacritic && a != 0xFC && a != 0xFD)) continue;
    for (int b = 0x20; b <= 0xFF; ++b) {
      if (!defined(b)) continue;
      const std::string stored = diacritic ? std::string{static_cast<char>(a), static_cast<char>(b)}
                                           : std::string{static_cast<char>(a)};
      const std::string read = AnselToAnsi(stored, cp);
      ASSERT_EQ(Hex(AnsiToAnsel(read, -1, cp)), Hex(stored)) << cp << " read as " << Hex(read);
      if (!diacritic) break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BothCodePages, AnselRoundTrip, ::testing::Values(1252, 1250),
                         ParamNameOfCodePage());

struct Encoding {
  int codePage;
  const char* ansi;
  const char* ansel;
};

TEST(Ansel, CodePageCharactersAndTheirAnselForms) {
  const Encoding cases[] = {
      {1252, "Ren\xE9",
       "Ren\xE2"
       "e"},  // e acute: diacritic before the letter
      {1252,
       "\x8A"
       "koda",
       "\xE9"
       "Skoda"},                          // S caron
      {1252, "M\xFCller", "M\xE8uller"},  // u diaeresis
      {1252, "\x9F", "\xE8Y"},            // Y diaeresis
      {1252,
       "\xC6"
       "blet\xF8",
       "\xA5"
       "blet\xB2"},                    // AE, o with stroke
      {1252, "\x8C\x9C", "\xA6\xB6"},  // OE oe
      {1252,
       "Stra\xDF"
       "e",
       "Stra\xCF"
       "e"},                                   // sharp s
      {1252, "\xF0\xDE\xFE", "\xBA\xA4\xB4"},  // eth, thorn
      {1252, "\xA9\xAE\xB0\xB1\xB7\xA3\xBF\xA1", "\xC3\xAA\xC0\xAB\xA8\xB9\xC5\xC6"},
      {1252, "\xB4\xA8\xB8\xAF\x98", "\xE2 \xE8 \xF0 \xE5 \xE4 "},     // spacing accents
      {1252, "\x80\x85\x93\x94\x96\xA0", "\x80\x85\x93\x94\x96\xA0"},  // stored as they are
      {1250,
       "\xA3\xF3"
       "d\xBF",
       "\xA1\xE2o"
       "d\xE7z"},                                          // Lodz with stroke, acute, dot
      {1250, "\x8C\x9C\x8F\x9F", "\xE2S\xE2s\xE2Z\xE2z"},  // S, s, Z, z acute
      {1250, "\x8D\x9D\xCF\xEF",
       "\xE9T\xE9t\xE9"
       "D\xE9"
       "d"},  // carons
      {1250, "\xA5\xB9\xCA\xEA",
       "\xF1"
       "A\xF1"
       "a\xF1"
       "E\xF1"
       "e"},                                               // ogonek
      {1250, "\xD5\xFB\xD9\xF9", "\xEEO\xEEu\xEAU\xEAu"},  // double acute, ring
      {1250, "\xC3\xAA\xDE\xFE",
       "\xE6"
       "A\xF0S\xF0T\xF0t"},                                         // breve, cedilla
      {1250, "\xD0\xF0", "\xA3\xB3"},                               // D and d with stroke
      {1250, "\xA1\xA2\xB2\xBD\xFF", "\xE9 \xE6 \xF1 \xEE \xE7 "},  // spacing accents
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Hex(AnsiToAnsel(c.ansi, -1, c.codePage)), Hex(c.ansel))
        << c.codePage << " " << Hex(c.ansi);
    EXPECT_EQ(Hex(AnselToAnsi(c.ansel, c.codePage)), Hex(c.ansi))
        << c.codePage << " " << Hex(c.ansel);
  }
}

// Characters and accented letters the code page lacks travel as private
// pairs and show as themselves.
TEST(Ansel, CharactersTheCodePageLacksAreKept) {
  const Encoding cases[] = {
      {1252, "\u0141", "\xA1"},
      {1252, "\u0142", "\xB1"},
      {1252, "\u0111", "\xB3"},
      {1252, "\u0110", "\xA3"},  // D with stroke, not the capital eth that looks the same
      {1252, "\u0131", "\xB8"},
      {1252, "\u01A0", "\xAC"},
      {1252, "\u01B0", "\xBD"},
      {1252, "\u02B9", "\xA7"},
      {1252, "\u02BA", "\xB7"},
      {1252, "\u02BB", "\xB0"},
      {1252, "\u2113", "\xC1"},
      {1252, "\u266F", "\xC4"},
      {1252, "\u266D", "\xA9"},
      {1252, "\u25A1", "\xBE"},
      {1252, "\u2117", "\xC2"},
      {1250, "\u00D8", "\xA2"},
      {1250, "\u00F8", "\xB2"},
      {1250, "\u00C6", "\xA5"},
      {1250, "\u0153", "\xB6"},
      {1250, "\u00DE", "\xA4"},
      {1250, "\u00F0", "\xBA"},
      {1250, "\u00A3", "\xB9"},
      {1250, "\u00BF", "\xC5"},
      // Letters the code page has only in pieces.
      {1252, "\u011F\u015F\u0130", "\xE6g\xF0s\xE7I"},
      {1252, "\u0141\u00F3d\u017A", "\xA1\xE2od\xE2z"},
      {1252, "x\u0301", "\xE2x"},
      {1252, "e\u0323\u0302",
       "\xF2\xE3"
       "e"},  // several accents keep their order
      {1252, "\u00EA\u0323",
       "\xE3\xF2"
       "e"},
      {1252, "t\uFE20s\uFE21", "\xEBt\xECs"},
      {1252, "\u00D8\u0301", "\xE2\xA2"},
      {1250, "\u00E3\u00E5\u00F1",
       "\xE4"
       "a\xEA"
       "a\xE4n"},
      {1250, "S\u0303", "\xE4S"},
  };
  for (const auto& c : cases) {
    const std::string read = AnselToAnsi(c.ansel, c.codePage);
    EXPECT_EQ(plat::AnsiToUtf8(read, c.codePage), c.ansi) << c.codePage << " " << Hex(c.ansel);
    EXPECT_EQ(Hex(AnsiToAnsel(read, -1, c.codePage)), Hex(c.ansel)) << c.codePage;
    // Typed or imported as Unicode, the same bytes are stored.
    EXPECT_EQ(Hex(AnsiToAnsel(plat::Utf8ToAnsi(c.ansi, c.codePage), -1, c.codePage)), Hex(c.ansel))
        << c.codePage << " " << c.ansi;
  }
}

TEST(Ansel, UnreadableBytesAndLoneDiacritics) {
  const Encoding cases[] = {
      // Places other ANSEL tables give sharp s and the euro are read too.
      {1252, "\xDF\x80", "\xC7\xC8"},
      {1250, "\xDF\x80", "\xC7\xC8"},
      {1252, "e", "\xCD"},
      // Undefined ANSEL bytes.
      {1252, "?", "\xAF"},
      {1252, "?", "\xBB"},
      {1252, "??", "\xD5\xFF"},
      // Diacritics at the end of the text are dropped.
      {1252, "ab", "ab\xE2"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Hex(AnselToAnsi(c.ansel, c.codePage)), Hex(c.ansi))
        << c.codePage << " " << Hex(c.ansel);
  }
}

// What the family file cannot hold is counted before it is stored as '?'.
TEST(Ansel, LossCount) {
  EXPECT_EQ(AnselLossCount("\xBD \xA5 \xA7 \xD7 \xF7 ?", 1252), 5);
  EXPECT_EQ(AnselLossCount(plat::Utf8ToAnsi("\u0141\u00F3d\u017A \u011F", 1252), 1252), 0);
  EXPECT_EQ(AnselLossCount("\xA7\xA3", 1250), 1);
}

// An ANSEL file for other programs gets plain forms of the code page's
// characters that the family file keeps but ANSEL lacks.
TEST(Ansel, PureAnselForExport) {
  std::vector<AnselReplacement> replaced;
  const std::string text =
      "\x80 5\x86\x87 \x93Hi\x94 \x91o\x92 \x95 a\x96"
      "b\x97 c\x85 X\x99\xA0Y \x84q\x82 \x89 \x8B\x9B";
  const std::string out = AnsiToPureAnsel(text, 1252, &replaced);
  EXPECT_EQ(out, "EUR 5+++ \"Hi\" 'o' * a-b-- c... XTM Y \"q, o/oo <>");
  EXPECT_TRUE(std::none_of(out.begin(), out.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 && u <= 0xA0;
  }));
  ASSERT_EQ(replaced.size(), 18u);
  EXPECT_EQ(replaced[0].original, "\x80");
  EXPECT_EQ(replaced[0].written, "EUR");
  // Letters keep their ANSEL forms and nothing is reported for them.
  replaced.clear();
  EXPECT_EQ(AnsiToPureAnsel("Ren\xE9 \x8A", 1252, &replaced),
            "Ren\xE2"
            "e \xE9S");
  EXPECT_TRUE(replaced.empty());
  EXPECT_EQ(AnsiToPureAnsel("\x93\xA3\x94", 1250, nullptr), "\"\xA1\"");
}

TEST(Ansel, LimitKeepsADiacriticWithItsLetter) {
  EXPECT_EQ(AnsiToAnsel("Ren\xE9", 3, 1252), "Ren");
  EXPECT_EQ(AnsiToAnsel("Ren\xE9", 4, 1252), "Ren");  // e acute needs two bytes
  EXPECT_EQ(AnsiToAnsel("Ren\xE9", 5, 1252),
            "Ren\xE2"
            "e");
  EXPECT_EQ(AnsiToAnsel("\xE9"
                        "a",
                        1, 1252),
            "");  // cut, not continued after it
  EXPECT_EQ(AnsiToAnsel("abc", 0, 1252), "");
  EXPECT_EQ(AnsiToAnsel(std::string(300, '\xE9'), -1, 1252).size(), 600u);
}

TEST(Ansel, TextsEndAtTheirFirstZeroByte) {
  const std::string stored(
      "Ren\xE2"
      "e\0junk",
      10);
  EXPECT_EQ(AnselToAnsi(stored, 1252), "Ren\xE9");
  const std::string typed("M\xFCller\0xx", 9);
  EXPECT_EQ(AnsiToAnsel(typed, -1, 1252), "M\xE8uller");
}

TEST(Ansel, ActiveCodePageChoosesTheTable) {
  {
    ScopedCodePage page(1250);
    EXPECT_EQ(AnselToAnsi("\xE2S"), "\x8C");
    EXPECT_EQ(AnsiToAnsel("\xA3"), "\xA1");  // L with stroke
  }
  {
    ScopedCodePage page(1252);
    EXPECT_EQ(plat::AnsiToUtf8(AnselToAnsi("\xE2S")), "\u015A");  // 1252 has no S acute
    EXPECT_EQ(AnsiToAnsel("\xA3"), "\xB9");                       // pound
  }
}

TEST(Ansel, CaseMapping) {
  const std::pair<int, int> pairs[] = {{'a', 'A'}, {'z', 'Z'}, {177, 161},
                                       {182, 166}, {188, 172}, {189, 173}};
  for (const auto& [lower, upper] : pairs) {
    EXPECT_EQ(AnselCharToUpper(lower), upper) << lower;
    EXPECT_EQ(AnselCharToLower(upper), lower) << upper;
  }
  for (const int same : {int{'0'}, int{' '}, int{'['}, int{'`'}, int{'{'}, 0xA7, 0xB7, 0xB8, 0xB9,
                         0xBA, 0xCF, 0xE2, 0xFF}) {
    EXPECT_EQ(AnselCharToUpper(same), same) << same;
    EXPECT_EQ(AnselCharToLower(same), same) << same;
  }
  EXPECT_EQ(AnselCharToUpper(static_cast<char>(0xB1)), 0xA1);  // a signed char works too

  std::string text =
      "\xA1ukasz \xE2"
      "O\xB6uvre";
  EXPECT_EQ(AnselStringToUpper(text), "\xA1UKASZ \xE2O\xA6UVRE");
  EXPECT_EQ(AnselStringToLower(text), "\xB1ukasz \xE2o\xB6uvre");

  char buffer[] = "Sm\xB1th";
  EXPECT_STREQ(AnselStringToUpper(buffer), "SM\xA1TH");
  EXPECT_STREQ(AnselStringToLower(buffer), "sm\xB1th");
}

// ----------------------------------------------------------------- collation

// ANSEL texts in the order the collation gives: letters first (case and
// accents ignored; blank, digits, then letters with AE after A, sharp s after
// s), then accents with the last accent counting first, then case with lower
// case first. Any accent outweighs any case difference.
const std::vector<std::string> kCollated = {
    "",
    "1900",
    "aaron",
    "Aaron",
    "AARON",
    "Azure",
    "\xA5"
    "ble",  // AEble
    "Baker",
    "cote",
    "c\xE3ote",  // cote with circumflex on o
    "cot\xE2"
    "e",  // e acute
    "c\xE3ot\xE2"
    "e",  // both
    "Lukasz",
    "\xA1ukasz",  // L with stroke
    "Luz",
    "resume",
    "Resume",
    "r\xE2"
    "esum\xE2"
    "e",
    "R\xE2"
    "esum\xE2"
    "e",
    "Strasse",
    "Stra\xCF"
    "e",  // sharp s
    "Strat",
    "Van Dyke",
    "Vanderbilt",
};

TEST(AnselCollation, FixtureIsInCollationOrder) {
  for (std::size_t i = 0; i < kCollated.size(); ++i) {
    EXPECT_EQ(anselcmp(kCollated[i], kCollated[i]), 0) << Hex(kCollated[i]);
    for (std::size_t j = i + 1; j < kCollated.size(); ++j) {
      EXPECT_LT(anselcmp(kCollated[i], kCollated[j]), 0)
          << Hex(kCollated[i]) << " | " << Hex(kCollated[j]);
      EXPECT_GT(anselcmp(kCollated[j], kCollated[i]), 0)
          << Hex(kCollated[j]) << " | " << Hex(kCollated[i]);
    }
  }
  std::vector<std::string> shuffled = kCollated;
  std::mt19937 random(7);
  std::shuffle(shuffled.begin(), shuffled.end(), random);
  std::sort(shuffled.begin(), shuffled.end(),
            [](const std::string& a, const std::string& b) { return anselcmp(a, b) < 0; });
  EXPECT_EQ(shuffled, kCollated);
}

TEST(AnselCollation, PunctuationWeightsAndLeftOutBytes) {
  EXPECT_LT(anselcmp("Smith-Jones", "Smith, John"), 0);  // hyphen before comma
  EXPECT_LT(anselcmp("Smith John", "Smith-Jones"), 0);   // blank before both
  EXPECT_LT(anselcmp("O'Brien", "OBrien"), 0);           // apostrophe is weighed
  // Bytes no level weighs (0x80-0xA0, undefined specials) change nothing.
  EXPECT_EQ(anselcmp("Sm\x93ith\xA0", "Smith"), 0);
  EXPECT_EQ(anselcmp("Smi\xAFth", "Smith"), 0);
  // A text ends at its first zero byte.
  EXPECT_EQ(anselcmp(std::string("Smith\0Z", 7), "Smith"), 0);
  // Eth and dotless i sort as d and i, after them by their accent weight.
  EXPECT_LT(anselcmp("d", "\xBA"), 0);
  EXPECT_LT(anselcmp("\xBA", "e"), 0);
  EXPECT_LT(anselcmp("i", "\xB8"), 0);
}

TEST(AnselCollation, SpecialLettersSortWithTheLettersTheyResemble) {
  struct Case {
    const char* special;
    const char* sortsAfter;
    const char* sortsBefore;
  };
  const Case cases[] = {
      {"\xA1", "L", "M"},  {"\xB1", "l", "m"},  {"\xA2", "O", "P"},  {"\xB2", "o", "p"},
      {"\xA3", "D", "E"},  {"\xB3", "d", "e"},  {"\xA4", "T", "U"},  {"\xB4", "tz", "u"},
      {"\xA5", "Az", "B"}, {"\xB5", "az", "b"}, {"\xA6", "Oz", "P"}, {"\xB6", "oz", "p"},
      {"\xAC", "O", "P"},  {"\xBC", "o", "p"},  {"\xAD", "U", "V"},  {"\xBD", "u", "v"},
      {"\xB8", "i", "j"},  {"\xBA", "d", "e"},  {"\xCD", "e", "f"},  {"\xCE", "o", "p"},
      {"\xCF", "sz", "t"}, {"\xC6", "!", "?"},  {"\xC5", "?", "/"},  {"\xC0", "|", "0"},
  };
  for (const auto& c : cases) {
    EXPECT_LT(anselcmp(c.sortsAfter, c.special), 0) << Hex(c.special);
    EXPECT_LT(anselcmp(c.special, c.sortsBefore), 0) << Hex(c.special);
  }
  // Every letter pair: the next letter sorts after both cases of the one before.
  for (char l = 'a'; l < 'z'; ++l) {
    const std::string lower(1, l);
    const std::string upper(1, static_cast<char>(l - 32));
    const std::string next(1, static_cast<char>(l + 1));
    EXPECT_LT(anselcmp(lower, upper), 0) << l;
    EXPECT_LT(anselcmp(upper, next), 0) << l;
  }
  // Case of the specials: small forms first; eth between d with stroke and its capital.
  EXPECT_LT(anselcmp("\xB3", "\xBA"), 0);
  EXPECT_LT(anselcmp("\xBA", "\xA3"), 0);
  EXPECT_LT(anselcmp("\xB6", "\xA6"), 0);
}

TEST(AnselCollation, AlphaCompareCommonResults) {
  ScopedCodePage page(1252);
  struct Case {
    const char* a;
    const char* b;
    bool convert;
    bool caseSensitive;
    int expected;
  };
  const Case cases[] = {
      {"smith", "SMITH", true, false, kAlphaEqual},
      {"smith", "SMITH", true, true, kAlphaBefore},
      {"SMITH", "smith", true, true, kAlphaAfter},
      {"M\xFCller", "Muller", true, false, kAlphaAfter},  // accent counts without case
      {"M\xFCller", "MULLER", true, false, kAlphaAfter},
      {"M\xFCller", "Mv", true, false, kAlphaBefore},
      {"", "", true, true, kAlphaEqual},
      {"", "A", true, false, kAlphaBefore},
      {"A", "", false, false, kAlphaAfter},
      {"\xC6"
       "SIR",
       "\xE6sir", true, false, kAlphaEqual},                  // AE lower-cased in ANSEL
      {"\xA1UKASZ", "\xB1ukasz", false, false, kAlphaEqual},  // already ANSEL
      {"\xA1UKASZ", "\xB1ukasz", false, true, kAlphaAfter},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AlphaCompareCommon(c.a, c.b, c.convert, c.caseSensitive), c.expected)
        << Hex(c.a) << " | " << Hex(c.b) << " convert " << c.convert << " case " << c.caseSensitive;
  }
  EXPECT_EQ(StoreCompare("Smith", "smith"), kAlphaAfter);
  EXPECT_EQ(StoreCompare("Smith", "Smith"), kAlphaEqual);
  EXPECT_EQ(KeyCompare("Smith", "smith", true), kAlphaEqual);
  EXPECT_EQ(KeyCompare("Smyth", "smith", true), kAlphaAfter);
}

// One text compared with many keeps its own sort key, however many other
// texts pass through the shared key cache meanwhile.
TEST(AnselCollation, ComparersAgreeWithTheirComparisons) {
  const std::vector<std::string> texts = {
      "", "Smith", "smith", "Smyth", "Sm\xE9th", "Smith John", "Abel", std::string(1200, 'z')};
  for (const bool convert : {true, false}) {
    for (const std::string& a : texts) {
      const KeyComparer compare(a, convert);
      for (int i = 0; i < 70000; ++i) KeyCompare("filler" + std::to_string(i), a, convert);
      for (const std::string& b : texts)
        EXPECT_EQ(compare(b), KeyCompare(a, b, convert)) << a << " / " << b << " " << convert;
    }
  }
  for (const std::string& a : texts) {
    const StoreComparer compare(a);
    for (int i = 0; i < 70000; ++i) StoreCompare("filler" + std::to_string(i), a);
    for (const std::string& b : texts) {
      const std::string stored = AnsiToAnsel(b);
      EXPECT_EQ(compare(stored), StoreCompare(a, AnselToAnsi(stored))) << a << " / " << b;
    }
  }
}

// The heads of two sort keys either tell the order of the keys or say they
// cannot; they always can when one key is shorter than a head. Texts from a
// few letters, accents, case and punctuation, so that long shared beginnings
// and keys equal but for accents or case are frequent.
TEST(AnselCollation, KeyHeadsOrderAsTheirKeysOrCannotTell) {
  const std::vector<std::string> pieces = {"a", "A", "b", "\xE9", "\xFC",
                                           "u", " ", "-", "\xE6", "ss"};
  std::mt19937 rng(2026);
  std::vector<std::string> texts = {"",       "Andersson",    "Anderssen",    "ANDERSSON",
                                    "Anders", "Anderss\xF6n", "Jonesborough", "Jonesboroughs"};
  for (int i = 0; i < 400; ++i) {
    std::string t;
    for (unsigned n = rng() % 9; n > 0; --n) t += pieces[rng() % pieces.size()];
    texts.push_back(t);
  }
  int told = 0, untold = 0;
  for (const std::string& a : texts) {
    const std::string keyA = TreeSortKey(a);
    const std::uint64_t headA = SortKeyHead(keyA) | (a.empty() ? kKeyHeadFlag : 0);
    for (const std::string& b : texts) {
      const std::string keyB = TreeSortKey(b);
      const int byHeads =
          CompareKeyHeads(headA, SortKeyHead(keyB) | (b.size() % 2 ? kKeyHeadFlag : 0));
      if (byHeads == kHeadsUndecided) {
        ++untold;
        EXPECT_TRUE(keyA.size() >= 7 && keyB.size() >= 7) << Hex(a) << " | " << Hex(b);
        continue;
      }
      ++told;
      // The tree's own comparison of the two texts.
      EXPECT_EQ(byHeads, KeyCompare(a, b, true)) << Hex(a) << " | " << Hex(b);
      EXPECT_EQ(byHeads, CompareSortKeys(keyA, keyB)) << Hex(a) << " | " << Hex(b);
    }
  }
  // Both outcomes occur, so both paths above were weighed.
  EXPECT_GT(told, 0);
  EXPECT_GT(untold, 0);
}

TEST(AnselCollation, CentralEuropeanTextsAreConvertedWithTheirOwnPage) {
  ScopedCodePage page(1250);
  EXPECT_EQ(KeyCompare("\xA3UKASZ", "\xB3ukasz", true), kAlphaEqual);  // L, l with stroke
  EXPECT_EQ(KeyCompare("\xB3ukasz", "lukasz", true), kAlphaAfter);
  EXPECT_EQ(KeyCompare("\xB3ukasz", "luz", true), kAlphaBefore);
  EXPECT_EQ(StoreCompare("\x8C"
                         "wi\xEA"
                         "cki",
                         "\x9C"
                         "wi\xEA"
                         "cki"),
            kAlphaAfter);
}

TEST(AnselCollation, LongTextsCompareOnTheirFirst1023Characters) {
  const std::string head(1000, 'a');
  const std::string a = head + std::string(1500, 'b');
  const std::string b = head + std::string(23, 'b') + std::string(1477, 'c');
  EXPECT_EQ(AlphaCompareCommon(a, b, true, true), kAlphaEqual);
  EXPECT_EQ(AlphaCompareCommon(a, b, false, false), kAlphaEqual);
  const std::string c = head + std::string(22, 'b') + std::string(1478, 'c');
  EXPECT_EQ(KeyCompare(a, c, true), kAlphaBefore);
  EXPECT_EQ(KeyCompare(c, a, false), kAlphaAfter);
  // A two-byte character that does not fit in the 1023 stored bytes is left out.
  const std::string fill(1022, 'a');
  ScopedCodePage page(1252);
  EXPECT_EQ(StoreCompare(fill + "\xE9", fill), kAlphaEqual);
  EXPECT_EQ(StoreCompare(fill + "f", fill), kAlphaAfter);
}

}  // namespace
