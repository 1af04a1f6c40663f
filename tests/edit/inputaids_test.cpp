// Name checks, the recent-entry lists over a profile, and the Character
// Map's table and selection.
#include <gtest/gtest.h>

#include "CharacterMap.h"
#include "CodePage.h"
#include "DittoList.h"
#include "FakePorts.h"
#include "NameChecks.h"

namespace {

TEST(NameChecks, CharactersAndTermsDecide) {
  struct Case {
    const char* text;
    int result;
    const char* message;  // start of the message, "" when accepted
  } cases[] = {
      {"O'Brien-Smith, Jr. (\"Jack\")", 1, ""},
      {"M\xFCller", 1, ""},  // an accented letter of the code page
      {"John 3rd", 0, "Numbers and punctuation"},
      {"Smith/Jones", 0, "Numbers and punctuation"},
      {"Dunkel", 0, "Relationships and special terms"},
      {"MOTHER", 0, "Relationships and special terms"},
      {"Twinning", 0, "Relationships and special terms"},
      {"Unknown", 0, "Relationships and special terms"},
      {"Anna", 1, ""},
  };
  for (const Case& c : cases) {
    std::string message;
    EXPECT_EQ(CheckNameText(CCheckedText(c.text), message), c.result) << c.text;
    EXPECT_EQ(message.rfind(c.message, 0), 0u) << c.text << ": " << message;
  }
}

// Letters beyond the code page are letters to the check; signs are not.
TEST(NameChecks, LettersBeyondTheCodePageAreLetters) {
  const int saved = plat::ActiveCodePage();
  plat::SetActiveCodePage(plat::kCodePageWestern);
  std::string message;
  EXPECT_EQ(
      CheckNameText(CCheckedText(plat::Utf8ToAnsi("\u0141ukasiewicz-Y\u0131ld\u0131z A\u011Fa")),
                    message),
      1)
      << message;
  EXPECT_EQ(CheckNameText(CCheckedText(plat::Utf8ToAnsi("Ann \u25A0")), message), 0);
  plat::SetActiveCodePage(saved);
}

TEST(NameChecks, GivenNamesSplitIntoThreeParts) {
  EXPECT_EQ(SplitGivenNameParts("  Anna  Maria Louise  Rose "),
            (std::vector<std::string>{"Anna", "Maria", "Louise  Rose"}));
  EXPECT_EQ(SplitGivenNameParts("Anna"), (std::vector<std::string>{"Anna"}));
  EXPECT_TRUE(SplitGivenNameParts("   ").empty());
}

class DittoListStore : public ::testing::Test {
 protected:
  plat::FakeProfile profile;
  plat::ScopedProfile scoped{&profile};
};

TEST_F(DittoListStore, AddMovesAnExistingEntryToTheHead) {
  CDittoList list;
  for (const char* text : {"Lynn", "Boston", "Salem"}) list.Add(text);
  list.Add("Boston");
  EXPECT_EQ(std::vector<std::string>(list.begin(), list.end()),
            (std::vector<std::string>{"Boston", "Salem", "Lynn"}));
  list.Add("boston");
  EXPECT_EQ(list.GetCount(), 4);
  EXPECT_EQ(list.GetHead(), "boston");
  list.Add("");
  EXPECT_EQ(list.GetCount(), 4);
}

TEST_F(DittoListStore, TheBoundDropsTheOldest) {
  profile.SetInt("Ditto\\Places", "MaxEntries", 2);
  CDittoList list;
  EXPECT_EQ(list.Load("Places"), 0);
  for (const char* text : {"A", "B", "C"}) list.Add(text);
  EXPECT_EQ(std::vector<std::string>(list.begin(), list.end()),
            (std::vector<std::string>{"C", "B"}));
  CDittoList none;
  none.SetMaxEntries(0);
  none.Add("A");
  EXPECT_TRUE(none.IsEmpty());
}

TEST_F(DittoListStore, SaveAndLoadKeepTheOrder) {
  CDittoList list;
  for (const char* text : {"3 Mar 1900", "1 Jan 1900"}) list.Add(text);
  EXPECT_EQ(list.Save("Dates"), 2);
  EXPECT_EQ(profile.GetString("Ditto\\Dates", "Dates0", ""), "1 Jan 1900");
  EXPECT_FALSE(profile.Has("Ditto\\Dates", "MaxEntries"));
  CDittoList loaded;
  EXPECT_EQ(loaded.Load("Dates"), 2);
  EXPECT_EQ(std::vector<std::string>(loaded.begin(), loaded.end()),
            std::vector<std::string>(list.begin(), list.end()));
}

TEST_F(DittoListStore, SaveRemovesEntriesOfALongerEarlierList) {
  CDittoList list;
  for (const char* text : {"A", "B", "C"}) list.Add(text);
  list.Save("Surnames");
  list.RemoveAt(0);
  EXPECT_EQ(list.Save("Surnames"), 2);
  EXPECT_FALSE(profile.Has("Ditto\\Surnames", "Surnames2"));
  CDittoList loaded;
  EXPECT_EQ(loaded.Load("Surnames"), 2);
}

TEST_F(DittoListStore, LoadClampsTheStoredBound) {
  profile.SetInt("Ditto\\Places", "MaxEntries", 2000000000);
  profile.SetString("Ditto\\Places", "Places0", "Salem");
  CDittoList list;
  EXPECT_EQ(list.Load("Places"), 1);
  EXPECT_EQ(list.GetMaxEntries(), CDittoList::kMaxMaxEntries);
  profile.SetInt("Ditto\\Places", "MaxEntries", -5);
  CDittoList negative;
  EXPECT_EQ(negative.Load("Places"), 0);
  EXPECT_EQ(negative.GetMaxEntries(), 0);
}

TEST(CharacterMap, TablesAndLayoutByCodePage) {
  struct Case {
    int codePage;
    int count, columns, rows, lastRow;
    const char* last;  // the last character as UTF-8
  } cases[] = {{1250, 87, 18, 5, 15, "\xC3\x9F"}, {1252, 75, 15, 5, 15, "\xC2\xB7"}};
  for (const Case& c : cases) {
    CCharacterMapModel map(c.codePage);
    EXPECT_EQ(map.GetCount(), c.count);
    EXPECT_EQ(map.GetColumns(), c.columns);
    EXPECT_EQ(map.GetRows(), c.rows);
    EXPECT_EQ(map.GetCount() - (c.rows - 1) * c.columns, c.lastRow);
    const std::string last(1, static_cast<char>(map.GetCharacter(map.GetCount() - 1)));
    EXPECT_EQ(plat::AnsiToUtf8(last, c.codePage), c.last);
  }
  int l, t, r, b;
  CCharacterMapModel(1250).GetCellRect(19, l, t, r, b);
  EXPECT_EQ(l, 20);
  EXPECT_EQ(t, 20);
  EXPECT_EQ(r, 40);
  EXPECT_EQ(CCharacterMapModel(1250).HitTest(25, 25), 19);
  EXPECT_EQ(CCharacterMapModel(1250).HitTest(20 * 18 + 1, 5), -1);
  EXPECT_EQ(CCharacterMapModel(1250).HitTest(20 * 16, 20 * 4 + 1), -1) << "past the last cell";
}

TEST(CharacterMap, MovesThatLeaveTheTableKeepTheSelection) {
  CCharacterMapModel map(1250);
  map.Select(80);  // in the last row
  map.MoveSelection(CCharacterMapModel::kDown);
  EXPECT_EQ(map.GetSelected(), 80);
  map.Select(86);
  map.MoveSelection(CCharacterMapModel::kRight);
  EXPECT_EQ(map.GetSelected(), 86);
  map.MoveSelection(CCharacterMapModel::kUp);
  EXPECT_EQ(map.GetSelected(), 86 - 18);
  map.Select(0);
  map.MoveSelection(CCharacterMapModel::kLeft);
  EXPECT_EQ(map.GetSelected(), 0);
  map.MoveSelection(CCharacterMapModel::kDown);
  EXPECT_EQ(map.GetSelected(), 18);
  map.Select(72);  // row 4, column 0: the row below has no cell under the last row
  map.MoveSelection(CCharacterMapModel::kDown);
  EXPECT_EQ(map.GetSelected(), 72);
}

TEST(CharacterMap, KeysOfTheActiveTable) {
  plat::SetActiveCodePage(1252);
  EXPECT_EQ(IsCharacterMapKey(0xDF), 1);
  EXPECT_EQ(IsCharacterMapKey('A'), 0);
  EXPECT_EQ(IsCharacterMapKey(0xA5), 0);
  EXPECT_EQ(GetCharacterMapColumns(), 15);
  plat::SetActiveCodePage(1250);
  EXPECT_EQ(IsCharacterMapKey(0xA5), 1);
  EXPECT_EQ(GetCharacterMapColumns(), 18);
  plat::SetActiveCodePage(1252);
}

}  // namespace
