#include <gtest/gtest.h>

#include <string>

#include "CodePage.h"
#include "TextMatch.h"

class TextMatchTest : public ::testing::Test {
 protected:
  void SetUp() override { plat::SetActiveCodePage(plat::kCodePageWestern); }
};

TEST_F(TextMatchTest, PrefixComparisonLooksAtNCharactersOnly) {
  EXPECT_EQ(CompareTextPrefix("SMITHSON", "SMITH", 5), 0);
  EXPECT_EQ(CompareTextPrefix("SMITHSON", "SMYTHE", 5), -1);
  EXPECT_EQ(CompareTextPrefix("SMYTHE", "SMITHSON", 5), 1);
  EXPECT_NE(CompareTextPrefix("smith", "SMITH", 5), 0);
  EXPECT_EQ(CompareTextPrefixNoCase("smith", "SMITHSON", 5), 0);
  EXPECT_EQ(CompareTextPrefix("SMI", "SMITH", 5), -1);  // shorter text runs out
}

TEST_F(TextMatchTest, WildcardMatches) {
  struct Case {
    const char* pattern;
    const char* text;
    bool ignoreCase;
  } matches[] = {
      {"SM?TH*", "SMITHSON", false},
      {"*SON", "SMITHSON", false},
      {"*son", "SMITHSON", true},
      {"SMITHSON", "SMITHSON", false},
      {"*", "", false},
      {"*", "ANY", false},
      {"S*H*N", "SMITHSON", false},
      {"*S?N", "SMITHSON", false},
      {"??", "AB", false},
      {"A*?", "AB", false},
      {"", "", false},
      {"*ITH*", "SMITHSON", false},
  };
  for (const auto& c : matches)
    EXPECT_EQ(WildcardCompare(c.pattern, c.text, c.ignoreCase), 0) << c.pattern << " " << c.text;
}

TEST_F(TextMatchTest, WildcardMismatchesOrderTheText) {
  struct Case {
    const char* pattern;
    const char* text;
    int result;
  } cases[] = {
      {"SMITH", "SMITHSON", -1},  // pattern sorts before the text
      {"SMITHSONS", "SMITHSON", 1},
      {"JO*", "SMITHSON", -1},
      {"TA*", "SMITHSON", 1},
      {"SMI?", "SMI", 1},     // '?' past the end of the text
      {"*X", "SMITHSON", 1},  // no occurrence of the next pattern character
      {"A*?", "A", 1},        // the '?' after a '*' still needs a character
      {"*son", "SMITHSON", 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WildcardCompare(c.pattern, c.text, false), c.result) << c.pattern << " " << c.text;
}

TEST_F(TextMatchTest, WildcardWithManyStarsStaysFast) {
  std::string text(300, 'A');
  EXPECT_NE(WildcardCompare("*A*A*A*A*A*A*A*A*B", text, false), 0);
  EXPECT_EQ(WildcardCompare("*A*A*A*A*A*A*A*A*A", text, false), 0);
}

TEST_F(TextMatchTest, SqueezeBlanks) {
  std::string out;
  SqueezeBlanks(out, "  John   Smith ");
  EXPECT_EQ(out, "John Smith");
  SqueezeBlanks(out, "   ");
  EXPECT_EQ(out, "");
  SqueezeBlanks(out, "a\t b");  // only the blank counts
  EXPECT_EQ(out, "a\t b");
  std::string same = " x  y ";
  SqueezeBlanks(same, same);
  EXPECT_EQ(same, "x y");
}

TEST_F(TextMatchTest, SplitNameAtSeparator) {
  struct Case {
    const char* text;
    const char* first;
    const char* second;
  } cases[] = {
      {" Smith | John  Henry", "Smith", "John Henry"}, {"Smith, John", "Smith", "John"},
      {"Smith, Jr.|John", "Smith, Jr.", "John"},  // '|' wins over ','
      {"  John   Smith ", "John Smith", ""},           {"    ", "", ""},
  };
  for (const auto& c : cases) {
    std::string first = "old", second = "old";
    SplitNameAtSeparator(c.text, first, second);
    EXPECT_EQ(first, c.first) << c.text;
    EXPECT_EQ(second, c.second) << c.text;
  }
}
