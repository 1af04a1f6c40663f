#include "TextRoutines.h"
#include "TestHelpers.h"

#include <gtest/gtest.h>

#include <fstream>

#include "DbCodes.h"
#include "FakePorts.h"
#include "StringTable.h"
#include "TempDir.h"

namespace {

constexpr auto npos = std::string_view::npos;

// Every paragraph of text as FindParagraphEnd hands them out.
std::vector<std::string> Paragraphs(std::string_view text) {
  std::vector<std::string> out;
  for (;;) {
    std::size_t next = 0, firstBreak = 0;
    std::size_t length = FindParagraphEnd(text, next, firstBreak);
    out.emplace_back(text.substr(0, length));
    if (next == npos) break;
    text.remove_prefix(next);
  }
  return out;
}

TEST(FindParagraphEnd, SplitsAtEmptyLines) {
  std::size_t next = 0, firstBreak = 0;
  std::string_view text = "NOTE: first line\r\nsecond\r\n\r\nNext one\r\n\r\n\r\n\r\nlast";
  EXPECT_EQ(FindParagraphEnd(text, next, firstBreak), 24u);
  EXPECT_EQ(next, 28u);
  EXPECT_EQ(firstBreak, 5u);  // "NOTE:" is the first word
  EXPECT_EQ(Paragraphs(text),
            (std::vector<std::string>{"NOTE: first line\r\nsecond", "Next one", "", "last"}));

  // A single CR LF is a line break inside the paragraph, not its end.
  EXPECT_EQ(FindParagraphEnd("a\r\nb\r\n", next, firstBreak), 6u);
  EXPECT_EQ(next, npos);
  EXPECT_EQ(firstBreak, 1u);
  // Separator at the very end: an empty last paragraph follows.
  EXPECT_EQ(Paragraphs("abc\r\n\r\n"), (std::vector<std::string>{"abc", ""}));
}

TEST(FindParagraphEnd, FirstBreak) {
  struct Case {
    std::string_view text;
    std::size_t length, firstBreak;
  };
  const Case cases[] = {
      {"", 0, 0},
      {"word", 4, 4},                    // no break: the paragraph length
      {" leading blank", 14, 14},        // a break at offset 0 counts as none
      {"\r\nafter a line end", 18, 18},  //
      {"TAG:\r\nrest", 10, 4},           // CR LF ends the first word
      {"a b", 3, 1},                     //
      {"TAG:\r\n\r\nrest", 4, 4},        // the separator is not inside the paragraph
      {"\r\n\r\nnext", 0, 0},            // empty first paragraph
      {"x\ry z", 5, 3},                  // a lone CR is no break
  };
  for (const Case& c : cases) {
    std::size_t next = 0, firstBreak = 99;
    EXPECT_EQ(FindParagraphEnd(c.text, next, firstBreak), c.length) << c.text;
    EXPECT_EQ(firstBreak, c.firstBreak) << c.text;
  }
}

TEST(FindParagraphEnd, LongParagraphIsHandedOutInPiecesWithoutLoss) {
  std::string text(kMaxParagraphLength + 10, 'x');
  text += "\r\n\r\nend";
  std::size_t next = 0, firstBreak = 0;
  EXPECT_EQ(FindParagraphEnd(text, next, firstBreak), kMaxParagraphLength);
  EXPECT_EQ(next, kMaxParagraphLength);
  EXPECT_EQ(firstBreak, kMaxParagraphLength);
  std::vector<std::string> parts = Paragraphs(text);
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[1], std::string(10, 'x'));
  EXPECT_EQ(parts[2], "end");
}

TEST(SplitTextInHalf, SplitsAtTheBlankNearestTheMiddle) {
  struct Case {
    std::string_view text, first, second;
  };
  // Comments: middle = length / 2; characters between the earlier blank and
  // the middle against the later blank's offset from the middle.
  const Case cases[] = {
      {"", "", ""},
      {"Pedigree", "Pedigree", ""},  // no blank
      {"Ancestors of John Smith", "Ancestors of", "John Smith"},
      {"ab cd", "ab", "cd"},                  // blank at the middle (2)
      {"abc defghij", "abc", "defghij"},      // only a blank before the middle
      {"abcdefg hij", "abcdefg", "hij"},      // only a blank after it
      {"abcd efg hijk", "abcd", "efg hijk"},  // 13/2 = 6: blanks at 4 and 8, 1 < 2
      {"ab cdef gh", "ab cdef", "gh"},        // 10/2 = 5: blanks at 2 and 7, 2 = 2, tie
      {"abc de fghi", "abc de", "fghi"},      // 11/2 = 5: blanks at 3 and 6, 1 = 1, tie
      {"abcd ef ghij", "abcd ef", "ghij"},    // 12/2 = 6: blanks at 4 and 7, 1 = 1, tie
      {"abcde fg hij", "abcde", "fg hij"},    // 12/2 = 6: blanks at 5 and 8, 0 < 2
      {" a", "", "a"},                        // the blank itself is dropped
      {"a  b", "a ", "b"},                    // blanks at 1 and 2, 0 = 0, tie; one blank dropped
  };
  for (const Case& c : cases) {
    std::string first = "old", second = "old";
    SplitTextInHalf(c.text, first, second);
    EXPECT_EQ(first, c.first) << c.text;
    EXPECT_EQ(second, c.second) << c.text;
  }
}

TEST(JoinWithBlanks, JoinsNonEmptyTextsWithOneBlank) {
  EXPECT_EQ(JoinWithBlanks("Dr.", "John Smith", "Jr."), "Dr. John Smith Jr.");
  EXPECT_EQ(JoinWithBlanks("", "John", ""), "John");
  EXPECT_EQ(JoinWithBlanks("", "", "Jr."), "Jr.");
  EXPECT_EQ(JoinWithBlanks("Dr.", "", "Jr."), "Dr. Jr.");
  EXPECT_EQ(JoinWithBlanks("Dr. ", "John", ""), "Dr. John");   // no second blank
  EXPECT_EQ(JoinWithBlanks("Dr.", " John", ""), "Dr.  John");  // parts are not trimmed
  EXPECT_EQ(JoinWithBlanks("Dr.", "", ""), "Dr.");
  EXPECT_EQ(JoinWithBlanks("", "", ""), "");
}

TEST(StarredName, PreferredNameBetweenAsterisks) {
  struct Case {
    const char* name;
    const char* result;
    int code;
  };
  const Case cases[] = {
      {"*Bob* Robert", "Bob", 1}, {"**", "", 1},           {"*Bob*", "Bob", 1},
      {"Rob*ert", "Rob*", 0},     {"Ro*b*ert", "Ro*", 0},  {"Robert*", "Robert*", 0},
      {"*Bob", "*Bob", 0},        {"Robert", "Robert", 0}, {"", "", 0},
  };
  for (const Case& c : cases) {
    std::string name = c.name;
    EXPECT_EQ(GetStarredName(name), c.code) << c.name;
    EXPECT_EQ(name, c.result) << c.name;
  }
  std::string name = "*Bob* Ro*bert*";
  RemoveAsterisks(name);
  EXPECT_EQ(name, "Bob Robert");
}

TEST(FormatWithArgs, ReplacesNumberedInserts) {
  EXPECT_EQ(FormatWithArgs("%1 and %2", {"Anna", "Ben"}), "Anna and Ben");
  EXPECT_EQ(FormatWithArgs("%2, %1 %1", {"Anna", "Ben"}), "Ben, Anna Anna");
  EXPECT_EQ(FormatWithArgs("%1 and %2", {"Anna"}), "Anna and ?");
  EXPECT_EQ(FormatWithArgs("%9", {}), "?");
  EXPECT_EQ(FormatWithArgs("[%1][%2]", {nullptr, "x"}), "[][x]");
  // Other '%' forms are copied as they are.
  EXPECT_EQ(FormatWithArgs("100% %0 %a %%1 %", {"z"}), "100% %0 %a %z %");
  EXPECT_EQ(FormatWithArgs("%10", {"one"}), "one0");
  // No fixed work buffer: long results are complete.
  std::string big(20000, 'b');
  EXPECT_EQ(FormatWithArgs("<%1>", {big.c_str()}).size(), 20002u);
}

TEST(ComboItems, SplitsAtBars) {
  using Items = std::vector<std::string>;
  EXPECT_EQ(SplitComboItems("Inches|Centimetres"), (Items{"Inches", "Centimetres"}));
  EXPECT_EQ(SplitComboItems("a||b|"), (Items{"a", "", "b", ""}));
  EXPECT_EQ(SplitComboItems("|"), (Items{"", ""}));
  EXPECT_EQ(SplitComboItems("single"), (Items{"single"}));
  EXPECT_EQ(SplitComboItems(""), Items{});
  EXPECT_EQ(ComboItemsFromString(4294967000u), Items{});  // no such string
}

class AndWordTest : public ::testing::Test {
 protected:
  void TearDown() override { res::UnloadCatalog(); }
  plat::FakeProfile profile_;
  plat::ScopedProfile scoped_{&profile_};
};

TEST_F(AndWordTest, CommaOnlyInTheFrenchInterface) {
  EXPECT_EQ(GetAndWord(), " and");
  profile_.SetString("Options", "LanguageUI", "DE");
  EXPECT_EQ(GetAndWord(), " and");
  profile_.SetString("Options", "LanguageUI", "fr");
  EXPECT_EQ(GetAndWord(), ", and");

  TempDir dir;
  std::string path = dir.File("korvaneFR.res");
  WriteAll(path, "5859\t et\n");
  ASSERT_TRUE(res::LoadCatalogFile(path));
  EXPECT_EQ(GetAndWord(), ", et");
}

TEST(CitationOwner, FixedLabels) {
  struct Case {
    char letter;
    const char* label;
  };
  const Case cases[] = {
      {db::kOwnerBaptism, "Baptism"},
      {db::kOwnerBirth, "Birth"},
      {db::kOwnerDeath, "Death"},
      {db::kOwnerEndowment, "Endowment"},
      {db::kOwnerMarriageEvent, "Marriage Event"},
      {db::kOwnerIndividual, "Record"},
      {db::kOwnerMarriage, "Marriage Record"},
      {db::kOwnerSealingToParents, "Sealing to Parent"},
      {db::kOwnerFamilyLink, "Sealing to Parent"},
      {db::kOwnerBurial, "Burial"},
      {db::kOwnerSealingToSpouse, "Sealing to Spouse"},
  };
  for (const Case& c : cases) {
    unsigned id = CitationOwnerStringId(c.letter);
    ASSERT_NE(id, 0u) << c.letter;
    EXPECT_EQ(res::LoadString(id), c.label) << c.letter;
  }
  const char kReadFromFile[] = {db::kOwnerChristening, db::kOwnerIndividualUserEvent,
                                db::kOwnerMarriageUserEvent};
  for (char letter : kReadFromFile) EXPECT_EQ(CitationOwnerStringId(letter), 0u) << letter;
  for (char letter : {'a', 'X', '\0'}) EXPECT_EQ(CitationOwnerStringId(letter), 0u);
}

}  // namespace
