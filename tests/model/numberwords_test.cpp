#include "NumberWords.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <set>

#include "CodePage.h"
#include "StringTable.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

TEST(NumberWords, WordsOverTheTableAndNumbersBeyond) {
  struct Case {
    int n;
    const char* cardinal;
    const char* ordinal;
  };
  const Case cases[] = {
      {1, "One", "First"},       {2, "Two", "Second"}, {3, "Three", "Third"},
      {9, "Nine", "Ninth"},      {10, "Ten", "Tenth"}, {11, "Eleven", "Eleventh"},
      {12, "Twelve", "Twelfth"}, {13, "13", "13."},    {0, "0", "0."},
      {-1, "-1", "-1."},         {100, "100", "100."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumberWord(c.n, true), c.cardinal) << c.n;
    EXPECT_EQ(NumberWord(c.n, false), c.ordinal) << c.n;
    EXPECT_EQ(OrdinalWord(c.n), c.ordinal) << c.n;
  }
  const char* ordinals[] = {"First",   "Second", "Third", "Fourth", "Fifth",    "Sixth",
                            "Seventh", "Eighth", "Ninth", "Tenth",  "Eleventh", "Twelfth"};
  for (int n = 1; n <= 12; ++n) EXPECT_EQ(OrdinalWord(n), ordinals[n - 1]) << n;
}

TEST(NumberWords, TeenWords) {
  struct Case {
    int tens, units;
    const char* cardinal;
    const char* ordinal;
  };
  const Case cases[] = {
      {1, 0, "Ten", "Tenth"},      {1, 1, "Eleven", "Eleventh"},
      {1, 2, "Twelve", "Twelfth"}, {1, 3, "13", "13."},
      {0, 9, "9", "9."},           {2, 0, "20", "20."},
      {1, -1, "9", "9."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TeenWord(c.tens, c.units, true), c.cardinal) << c.tens << c.units;
    EXPECT_EQ(TeenWord(c.tens, c.units, false), c.ordinal) << c.tens << c.units;
  }
}

TEST(NumberWords, OrdinalSuffix) {
  const std::map<int, const char*> cases = {
      {0, "0th"},     {1, "1st"},     {2, "2nd"},     {3, "3rd"},     {4, "4th"},
      {10, "10th"},   {11, "11th"},   {12, "12th"},   {13, "13th"},   {14, "14th"},
      {20, "20th"},   {21, "21st"},   {22, "22nd"},   {23, "23rd"},   {101, "101st"},
      {111, "111th"}, {112, "112th"}, {113, "113th"}, {122, "122nd"}, {1001, "1001st"},
      {-2, "-2nd"},
  };
  for (const auto& [n, text] : cases) EXPECT_EQ(OrdinalSuffix(n), text) << n;
}

TEST(NumberWords, RomanNumeralsAtTheBoundaries) {
  const std::map<int, const char*> cases = {
      {1, "i"},          {3, "iii"},
      {4, "iv"},         {5, "v"},
      {9, "ix"},         {14, "xiv"},
      {40, "xl"},        {49, "xlix"},
      {90, "xc"},        {400, "cd"},
      {444, "cdxliv"},   {900, "cm"},
      {1994, "mcmxciv"}, {3888, "mmmdccclxxxviii"},
      {4000, "mmmm"},    {4999, "mmmmcmxcix"},
  };
  for (const auto& [n, text] : cases) EXPECT_EQ(FormatRomanNumeral(n, false), text) << n;
  EXPECT_EQ(FormatRomanNumeral(1994, true), "MCMXCIV");
  EXPECT_EQ(FormatRomanNumeral(4999, true), "MMMMCMXCIX");
  for (int n : {0, -3, 5000, 12345}) {
    EXPECT_EQ(FormatRomanNumeral(n, false), std::to_string(n));
    EXPECT_EQ(FormatRomanNumeral(n, true), std::to_string(n));
  }
}

int ParseRoman(const std::string& text) {
  static const std::map<char, int> kValues = {{'I', 1},   {'V', 5},   {'X', 10},  {'L', 50},
                                              {'C', 100}, {'D', 500}, {'M', 1000}};
  int total = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto it = kValues.find(text[i]);
    if (it == kValues.end()) return -1;
    int v = it->second;
    int following = i + 1 < text.size() && kValues.count(text[i + 1]) ? kValues.at(text[i + 1]) : 0;
    total += v < following ? -v : v;
  }
  return total;
}

TEST(NumberWords, EveryRomanNumeralReadsBackAndIsMinimal) {
  std::set<std::string> seen;
  for (int n = 1; n <= 4999; ++n) {
    std::string upper = FormatRomanNumeral(n, true);
    std::string lower = FormatRomanNumeral(n, false);
    ASSERT_EQ(ParseRoman(upper), n) << upper;
    std::string lowered = upper;
    for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    ASSERT_EQ(lower, lowered);
    // Greedy figures: never four of I, X or C in a row, never two of V, L or D.
    for (const char* bad : {"IIII", "XXXX", "CCCC", "VV", "LL", "DD"})
      ASSERT_EQ(upper.find(bad), std::string::npos) << n << " " << upper;
    ASSERT_TRUE(seen.insert(upper).second) << upper;
  }
}

TEST(NumberWords, WordsComeFromTheLanguageCatalog) {
  const int savedPage = plat::ActiveCodePage();
  plat::SetActiveCodePage(plat::kCodePageWestern);
  TempDir dir;
  std::string path = dir.File("korvaneFR.res");
  WriteAll(path, "7000\tUn\n7023\tDeuxième\n7082\ter\n7085\te\n");
  ASSERT_TRUE(res::LoadCatalogFile(path));
  EXPECT_EQ(NumberWord(1, true), "Un");
  EXPECT_EQ(plat::AnsiToUtf8(OrdinalWord(2)), "Deuxième");
  EXPECT_EQ(OrdinalSuffix(1), "1er");
  EXPECT_EQ(OrdinalSuffix(11), "11e");
  res::UnloadCatalog();
  EXPECT_EQ(NumberWord(1, true), "One");
  plat::SetActiveCodePage(savedPage);
}

}  // namespace
