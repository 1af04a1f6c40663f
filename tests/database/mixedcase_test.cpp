// Change Names to Mixed Case: the capitalisation rules by kind, on ANSEL
// texts, and the run over a family file's names store (in place, Cancel,
// the tree rebuilt, the counts reported).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Ansel.h"
#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "MixedCase.h"
#include "OpenFamilyFixture.h"
#include "StringStore.h"

namespace {

// Western code page text in ANSEL, as the names store keeps it.
std::string Ansel(const std::string& latin1) { return AnsiToAnsel(latin1, -1, 1252); }

}  // namespace

TEST(MixedCase, RulesByKind) {
  struct Case {
    int kind;
    std::string in, out;
  };
  const Case cases[] = {
      {0, "ANGUS MACDONALD", "Angus MacDonald"},
      {0, "VAN DER BERG", "van der Berg"},  // list A holds the first word too
      {2, "NEAR THE RIVER", "Near the River"},
      {2, "OF MANCHESTER", "of Manchester"},  // "of" is tested against list B
      {2, "THE HAGUE", "The Hague"},
      {0, "O'BRIEN", "O'Brien"},
      {0, "M'KAY", "M'Kay"},
      {0, "D'AMICO", "d'Amico"},
      {0, "L'ESTRANGE", "l'Estrange"},
      {0, "DELL'ORTO", "dell'Orto"},
      {0, "ALL'ARME", "all'Arme"},
      {0, "FITZGERALD", "FitzGerald"},
      {0, "FITZ", "Fitz"},
      {0, "HENRY VIII", "Henry VIII"},
      {0, "LOUIS IX", "Louis IX"},
      {0, "IXION", "Ixion"},
      {0, "MCNEIL", "McNeil"},
      {0, "MC", "Mc"},
      {0, "MAC", "Mac"},
      {0, "JOHN SMITH-JONES", "John Smith-Jones"},
      {0, "ANNE (NAN) LEE", "Anne (Nan) Lee"},
      {0, "mary ann", "Mary Ann"},
      {1, "abc", "ABC"},
      {1, "Kent, England", "KENT, ENGLAND"},
      {3, "UNCHANGED text", "UNCHANGED text"},
      {0, "", ""},
      // ANSEL: a diacritic stands before its letter, which takes the capital.
      {0, Ansel("\xC9MILE ZOLA"), Ansel("\xC9mile Zola")},
      {0, Ansel("JOS\xC9 \xC1LVAREZ"), Ansel("Jos\xE9 \xC1lvarez")},
      {0, Ansel("O'\xC9IGEARTAIGH"), Ansel("O'\xC9igeartaigh")},
      // The accented words of list B match ANSEL texts.
      {2, Ansel("BAD A\xC1 BERG"), Ansel("Bad a\xE1 Berg")},
      {2,
       Ansel("HAUS U\xC8"
             "BER DEM TAL"),
       Ansel("Haus u\xE8"
             "ber dem Tal")},
  };
  for (const Case& c : cases)
    EXPECT_EQ(names::ToMixedCase(c.in, c.kind), c.out) << c.in << " kind " << c.kind;
}

class ChangeNamesTest : public OpenFamilyFixture {
 protected:
  std::int32_t NameCount() {
    return CurrentDatabase->engine->Blocks().Head().I32(orv::kHeadNameCount);
  }
  int Run(unsigned long* changed) {
    CDatabaseChecker checker(family, "", *CurrentDatabase, 0);
    return checker.ChangeNamesToMixedCase(changed);
  }
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
};

TEST_F(ChangeNamesTest, EveryEntryIsRewrittenInPlaceAndFoundAgain) {
  std::string out;
  const std::vector<std::pair<std::string, int>> added = {
      {"ANGUS MACDONALD", 0}, {"VAN DER BERG", 0}, {"OF MANCHESTER", 2},
      {"Already Fine", 0},    {"kent", 1},         {"ZACHARY", 0}};
  for (const auto& [text, kind] : added) ASSERT_GT(DbFindOrAddString(text, kind, out), 0);
  const std::int32_t count = NameCount();
  const std::string before = ReadAll(family);

  unsigned long changed = 0;
  ASSERT_EQ(Run(&changed), 1);
  EXPECT_EQ(changed, 5u);
  for (const char* text :
       {"Angus MacDonald", "van der Berg", "of Manchester", "Already Fine", "KENT", "Zachary"}) {
    int hits = 0;
    for (int kind = 0; kind <= 2; ++kind) {
      std::string found;
      if (DbFindString(text, kind, found) && found == text) ++hits;
    }
    EXPECT_EQ(hits, 1) << text;
  }
  EXPECT_EQ(NameCount(), count);
  // In place: the file keeps its size.
  EXPECT_EQ(ReadAll(family).size(), before.size());
  ASSERT_FALSE(boxes.Calls().empty());
  EXPECT_EQ(boxes.Calls().back().text,
            "Checked " + std::to_string(count) + " names.\nChanged case for 5 names.");
  EXPECT_EQ(progress.texts.front(), "Changing names to mixed case...");
}

TEST_F(ChangeNamesTest, CancelAfterAHundredStillRebuildsAndReportsTheFullCount) {
  std::string out;
  for (int i = 0; i < 250; ++i) {
    std::string text = "NAME";
    text += static_cast<char>('A' + i / 26 % 26);
    text += static_cast<char>('A' + i % 26);
    ASSERT_GT(DbFindOrAddString(text, 0, out), 0);
  }
  const std::int32_t count = NameCount();
  ASSERT_GE(count, 250);
  progress.cancelAfter = 2;  // at the second step, entry 100
  unsigned long changed = 0;
  ASSERT_EQ(Run(&changed), 1);
  EXPECT_EQ(changed, 100u);
  EXPECT_EQ(boxes.Calls().back().text,
            "Checked " + std::to_string(count) + " names.\nChanged case for 100 names.");
  // The rebuilt tree finds the changed and the unchanged texts alike.
  int mixed = 0, upper = 0;
  for (int i = 0; i < 250; ++i) {
    std::string tail;
    tail += static_cast<char>('A' + i / 26 % 26);
    tail += static_cast<char>('A' + i % 26);
    std::string lower = tail;
    lower[0] = static_cast<char>(lower[0] - 'A' + 'a');
    lower[1] = static_cast<char>(lower[1] - 'A' + 'a');
    std::string found;
    if (DbFindString("Name" + lower, 0, found) && found == "Name" + lower) ++mixed;
    if (DbFindString("NAME" + tail, 0, found) && found == "NAME" + tail) ++upper;
  }
  EXPECT_EQ(mixed, 100);
  EXPECT_EQ(upper, 150);
  ASSERT_FALSE(progress.titles.empty());
  EXPECT_EQ(progress.titles.back(), "Rebuilding name tree...");
}
