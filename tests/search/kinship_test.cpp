// Kinship terms of relationship codes: English and German words, the in-law
// step, lower-casing, and the text form read back.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "CodePage.h"
#include "FakePorts.h"
#include "RelationshipCode.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

class KinshipTest : public ::testing::Test {
 protected:
  void SetLanguage(const char* code) {
    profile_.SetString("Options", "LanguageUI", code);
    if (std::strcmp(code, "DE") == 0) {
      ASSERT_TRUE(res::LoadCatalogFile(KORVANE_DE_CATALOG));
    }
  }
  void TearDown() override { res::UnloadCatalog(); }

  plat::FakeProfile profile_;
  plat::ScopedProfile scoped_{&profile_};
};

struct TermCase {
  const char* code;
  bool keepCapitals;
  bool variant;
  const char* term;
};

TEST_F(KinshipTest, EnglishTermsOfEveryTableRow) {
  const TermCase cases[] = {
      {"", false, false, "Not Set"},
      {"0UN0", true, false, "Root Person"},
      {"0UN0", false, true, "same person"},
      {"0MN0", true, true, "Same Person"},
      {"0FL0", true, false, "Wife"},
      {"0ML0", true, false, "Husband"},
      {"1ML1", true, false, "Brother-In-Law"},
      {"1FL1", true, false, "Sister-In-Law"},
      {"0ML1", true, false, "Father-In-Law"},
      {"1FL0", true, false, "Daughter-In-Law"},
      {"2FL1", true, false, "Wife of Nephew"},
      {"2ML0", true, false, "Husband of Granddaughter"},
      {"3FL3", true, false, "Wife of 2nd Cousin"},
      {"2FL2", true, false, "Wife of 1st Cousin"},
      {"1ML2", true, false, "Uncle"},
      {"1FL2", true, false, "Aunt"},
      {"3MN2", false, false, "1st cousin 1 time removed"},
      {"3MN2", true, false, "1st Cousin 1 Time Removed"},
      {"2MN2", true, false, "1st Cousin"},
      {"2FN2", true, true, "1st Cousins"},
      {"5MN3", true, false, "2nd Cousin 2 Times Removed"},
      {"13MN13", true, false, "12th Cousin"},
      {"4MN0", true, false, "2nd Great Grandson"},
      {"0FN4", true, false, "2nd Great Grandmother"},
      {"1FN5", true, false, "2nd Great Grand Aunt"},
      {"5FN1", true, false, "2nd Great Grand Niece"},
      {"1MN0", true, false, "Son"},
      {"1FN0", true, false, "Daughter"},
      {"2MN0", true, false, "Grandson"},
      {"3FN0", true, false, "Great Granddaughter"},
      {"0MN1", true, false, "Father"},
      {"0FN1", true, false, "Mother"},
      {"1MN1", true, false, "Brother"},
      {"2FN1", true, false, "Niece"},
      {"3MN1", true, false, "Grand Nephew"},
      {"4FN1", true, false, "Great Grand Niece"},
      {"0MN2", true, false, "Grandfather"},
      {"0MN3", true, false, "Great Grandfather"},
      {"1MN3", true, false, "Grand Uncle"},
      {"1MN4", true, false, "Great Grand Uncle"},
      {"0FN13", true, false, "11th Great Grandmother"},
      {"0UN1", true, false, "Father"},  // 'U' takes the male words
      {"2UN1", true, false, "Nephew"},
  };
  SetLanguage("EN");
  for (const TermCase& c : cases) {
    CRelationshipCode code(c.code);
    EXPECT_EQ(code.GetName(c.keepCapitals, c.variant), c.term) << c.code;
  }
}

TEST_F(KinshipTest, GermanFormsUseTheCatalogAndNeverLowerCase) {
  const TermCase cases[] = {
      {"1ML1", false, false, "Schwager"},
      {"1FL1", false, false, "Schwagerin"},
      {"0ML1", false, false, "Schwiegervater"},
      {"0FL1", true, false, "Schwiegermutter"},
      {"1FL0", true, false, "Schwiegertochter"},
      {"1ML0", true, false, "Schwiegersohn"},
      {"2FL1", false, false, "Ehefrau von Neffe"},
      {"1MN2", false, false, "Onkel"},
      {"0MN4", false, false, "Ururgroßvater (Urgroßvater in 2. Generation)"},
      {"0FN22", false, false, "Urgroßmutter in 20. Generation"},
      {"1MN4", false, false, "Urgroßonkel"},
      {"1MN5", false, false, "Ururgroßonkel (Urgroßonkel in 2. Generation)"},
      {"1FN21", false, false, "Urgroßtante in 18. Generation"},
      {"3MN2", false, false, "1. Cousin 1 Mal entfernt"},
      {"", false, false, "Nicht gesetzt"},
  };
  SetLanguage("DE");
  // The catalog keeps the built-in texts it does not translate.
  EXPECT_EQ(res::LoadString(res::kIdsAppName), "Korvane");
  for (const TermCase& c : cases) {
    CRelationshipCode code(c.code);
    EXPECT_EQ(plat::AnsiToUtf8(code.GetName(c.keepCapitals, c.variant)), c.term) << c.code;
  }
}

TEST(RelationshipCodeText, FormatThenParseKeepsEveryCount) {
  for (int n = 0; n <= 32767; ++n) {
    CRelationshipCode code;
    code.personCount = static_cast<std::int16_t>(n);
    code.referenceCount = static_cast<std::int16_t>(32767 - n);
    code.sex = "MFU"[n % 3];
    code.kind = n % 2 ? 'L' : 'N';
    const std::string text = code.Format();
    CRelationshipCode back(text.c_str());
    ASSERT_EQ(back, code) << text;
  }
}

TEST(RelationshipCodeText, FormatWritesCountsAndLetters) {
  CRelationshipCode code;
  EXPECT_EQ(code.Format(), "0NN0");
  code.personCount = 2;
  code.referenceCount = 1;
  code.sex = 'M';
  code.kind = 'L';
  EXPECT_EQ(code.Format(), "2ML1");
}

TEST(RelationshipCodeText, ShortAndMalformedTextsStayInsideTheirBytes) {
  // Each text is copied into a buffer of exactly its length plus the end
  // mark, so the address sanitizer sees any read past it.
  const char* texts[] = {"",    "1",   "12",       "-",     " 7",   "M",  "3M",
                         "3MN", "0UN", "\x80\x81", "99999", "+5FL", "ML7"};
  for (const char* text : texts) {
    const std::size_t n = std::strlen(text);
    auto buffer = std::make_unique<char[]>(n + 1);
    std::memcpy(buffer.get(), text, n + 1);
    CRelationshipCode code(buffer.get());
    (void)code.Format();
  }
  EXPECT_FALSE(CRelationshipCode("").IsSet());
  EXPECT_FALSE(CRelationshipCode("123").IsSet());
  EXPECT_FALSE(CRelationshipCode(nullptr).IsSet());
  const CRelationshipCode partial("3M");
  EXPECT_EQ(partial.personCount, 3);
  EXPECT_EQ(partial.sex, 'M');
  EXPECT_EQ(partial.referenceCount, 0);
  const CRelationshipCode signedCount(" -2FL5");
  EXPECT_EQ(signedCount.personCount, -2);
  EXPECT_EQ(signedCount.referenceCount, 5);
  // Characters from 128 up are passed over like digits.
  const CRelationshipCode high(
      "\x80"
      "2MN1");
  EXPECT_EQ(high.sex, 'M');
  EXPECT_EQ(high.referenceCount, 1);
}

}  // namespace
