#include "Soundex.h"

#include <gtest/gtest.h>

#include "CodePage.h"

namespace {

std::string Code(std::string name) {
  Soundex(name);
  return name;
}

class SoundexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = plat::ActiveCodePage();
    plat::SetActiveCodePage(plat::kCodePageWestern);
  }
  void TearDown() override { plat::SetActiveCodePage(saved_); }

 private:
  int saved_ = plat::kCodePageWestern;
};

struct Case {
  const char* name;
  const char* code;
};

TEST_F(SoundexTest, CodesOfNames) {
  const Case cases[] = {
      {"ROBERT", "R163"},  {"RUPERT", "R163"},   {"PFISTER", "P236"},  // F shares P's digit
      {"TYMCZAK", "T522"}, {"LEE", "L000"},      {"WASHINGTON", "W252"}, {"JACKSON", "J250"},
      {"LLOYD", "L300"},   {"SCHMIDT", "S530"},  {"GUTIERREZ", "G362"},  {"O'BRIEN", "O165"},
      {"1234", "1000"},    {"HONEYMAN", "H555"},
  };
  for (const Case& c : cases) EXPECT_EQ(Code(c.name), c.code) << c.name;
}

TEST_F(SoundexTest, HWAndYSeparateEqualDigits) {
  // A plain Soundex would merge the S and C of ASHCRAFT across the H (A261).
  EXPECT_EQ(Code("ASHCRAFT"), "A226");
  EXPECT_EQ(Code("TSCHWZ"), "T220");  // C after S dropped; Z after H W counts
  EXPECT_EQ(Code("BYBEE"), "B100");
  EXPECT_EQ(Code("BBEE"), "B000");
}

TEST_F(SoundexTest, CaseBlanksAndShortTexts) {
  EXPECT_EQ(Code("ashcraft"), "A226");
  EXPECT_EQ(Code("Van Dyke"), "V532");
  EXPECT_EQ(Code(" Van  Dyke "), "V532");
  EXPECT_EQ(Code("A"), "A000");
  EXPECT_EQ(Code("a"), "A000");
  EXPECT_EQ(Code(" q "), "Q000");
  EXPECT_EQ(Code(""), "");
  EXPECT_EQ(Code("    "), "");
}

TEST_F(SoundexTest, AccentedLettersInTheActiveCodePage) {
  EXPECT_EQ(Code("\xe9lise"),
            "\xc9"
            "420");  // é upper-cased to É; accented letters carry no digit
  EXPECT_EQ(Code("M\xfcller"), "M460");
  plat::SetActiveCodePage(plat::kCodePageCentralEuropean);
  EXPECT_EQ(Code("\x9akoda"),
            "\x8a"
            "230");  // š -> Š in 1250
}

}  // namespace

namespace {

// Letters beyond the code page, carried as private pairs, code as the
// letters they resemble.
TEST_F(SoundexTest, LettersBeyondTheCodePage) {
  EXPECT_EQ(Code(plat::Utf8ToAnsi("\u0141ukasiewicz")), Code("Lukasiewicz"));
  EXPECT_EQ(Code(plat::Utf8ToAnsi("Y\u0131ld\u0131z")), Code("Yildiz"));
  EXPECT_EQ(Code(plat::Utf8ToAnsi("\u011Eeorge")), Code("George"));
}

}  // namespace
