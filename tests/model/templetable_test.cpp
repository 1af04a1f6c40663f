#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "CatalogFixture.h"
#include "EventKinds.h"
#include "FakePorts.h"
#include "StringTable.h"
#include "TempDir.h"
#include "TempleTable.h"

namespace {

CDateValue MakeDate(int year, int month, int day) {
  CDateValue d;
  d.Set(year, month, day);
  return d;
}

class TempleTableTest : public CatalogFixture {
 protected:
  void SetUp() override { SetDateDisplayOptions(DateDisplayOptions{}); }
  void TearDown() override {
    CatalogFixture::TearDown();
    FreeTempleTable();
  }
  plat::FakeProfile profile_;
  plat::ScopedProfile scopedProfile_{&profile_};
};

TEST_F(TempleTableTest, BuiltInRowsLoadWithoutComplaint) {
  LoadTempleTable();
  EXPECT_TRUE(boxes_.Calls().empty());
  const CTempleTable& table = TempleTable();
  // Thirteen rows; the last Port Calder row takes over the code PCALD.
  EXPECT_EQ(table.GetCount(), 12u);
  const CTempleEntry* renamed = table.Lookup("PCALD");
  ASSERT_NE(renamed, nullptr);
  EXPECT_EQ(renamed->name, "Calder Bay");

  const CTempleEntry* closed = table.Lookup("FENNK");
  ASSERT_NE(closed, nullptr);
  EXPECT_EQ(closed->name, "Old Fennick");
  EXPECT_EQ(closed->place, "Fennick, Norrland");
  EXPECT_EQ(closed->shortCode, "FN");
  EXPECT_TRUE(closed->openingDate.Equals(MakeDate(1877, 6, 10)));
  ASSERT_NE(closed->closingDate, nullptr);
  EXPECT_TRUE(closed->closingDate->Equals(MakeDate(1954, 11, 30)));
  EXPECT_EQ(table.Lookup("HARRO")->closingDate, nullptr);
  EXPECT_NE(table.Lookup("MIRR"), nullptr);  // a four-letter code

  const std::vector<std::string> combo = TempleComboEntries();
  ASSERT_EQ(combo.size(), 13u);
  EXPECT_EQ(combo[0], "");
  EXPECT_EQ(combo[1], "ASHBY - Ashby Cross");

  FreeTempleTable();
  EXPECT_TRUE(TempleTable().IsEmpty());
  EXPECT_EQ(TempleComboEntries(), std::vector<std::string>{""});
}

TEST_F(TempleTableTest, WasOpenOnHonoursOpeningAndClosing) {
  LoadTempleTable();
  const CTempleEntry& closed = *TempleTable().Lookup("FENNK");  // 10 Jun 1877 - 30 Nov 1954
  EXPECT_FALSE(closed.WasOpenOn(MakeDate(1877, 6, 9)));
  EXPECT_TRUE(closed.WasOpenOn(MakeDate(1877, 6, 10)));
  EXPECT_TRUE(closed.WasOpenOn(MakeDate(1954, 11, 30)));
  EXPECT_FALSE(closed.WasOpenOn(MakeDate(1954, 12, 1)));
  const CTempleEntry& open = *TempleTable().Lookup("HARRO");  // 17 May 1884, still open
  EXPECT_FALSE(open.WasOpenOn(MakeDate(1884, 5, 16)));
  EXPECT_TRUE(open.WasOpenOn(MakeDate(2024, 1, 1)));
  CTempleEntry undated;
  EXPECT_TRUE(undated.WasOpenOn(MakeDate(1500, 1, 1)));
}

TEST_F(TempleTableTest, TempleNamesForDisplay) {
  LoadTempleTable();
  struct Case {
    const char* code;
    bool period;
    const char* name;
  };
  const Case cases[] = {
      {"HARRO", false, "Harrowmere temple"},
      {"HARRO", true, "Harrowmere temple"},  // open: the period flag changes nothing
      {"FENNK", true, "Old Fennick."},       // closed: name and period, no "temple"
      {"FENNK", false, "Old Fennick temple"},
      {"FN", true, "Old Fennick."},  // two characters name a short code
      {"fn", false, "fn temple"},    // short codes match in exact case
      {"ZZZZZ", false, "ZZZZZ temple"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatTempleName(c.code, c.period), c.name) << c.code << " " << c.period;
}

TEST_F(TempleTableTest, BadRowsAreReportedAndTakenAsFarAsTheyGo) {
  struct Case {
    const char* row;
    std::vector<int> fields;
  };
  const Case cases[] = {
      {"Ok|Town|ABCD|1 Jan 1900|AB|", {}},
      {"Bad|Town|TOOLONG|1 Jan 1900|AB|", {2}},
      {"Bad|Town|ABC|1 Jan 1900|AB|", {2}},
      {"Bad|Town|ABCDE|sometime|AB|", {3}},
      {"Bad|Town|ABCDE|12 September 1900|AB|", {3}},
      {"Bad|Town|ABCDE|1 Jan 1900|ABC|", {4}},
      {"Bad|Town|ABCDE|1 Jan 1900|AB|1950", {5}},
      {"Bad|Town|ABCDE|1 Jan 1900|AB|whenever", {5}},
      {"Bad|Town|X|||", {2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    boxes_.Clear();
    CTempleEntry entry;
    entry.Parse(c.row);
    std::vector<std::string> expected;
    for (int field : c.fields)
      expected.push_back("Invalid field " + std::to_string(field) + " in temple string " + c.row);
    EXPECT_EQ(Messages(), expected);
  }

  CTempleEntry entry;
  entry.Parse(" Bad | Town |TOOLONG|1 Jan 1900|ABC|2 Feb 1950");
  EXPECT_EQ(entry.name, "Bad");  // leading blanks and one trailing blank dropped
  EXPECT_EQ(entry.place, "Town");
  EXPECT_EQ(entry.code, "TOOLO");  // cut to the code's five characters
  EXPECT_EQ(entry.shortCode, "AB");
  EXPECT_TRUE(entry.openingDate.Equals(MakeDate(1900, 1, 1)));
  ASSERT_NE(entry.closingDate, nullptr);
  EXPECT_TRUE(entry.closingDate->Equals(MakeDate(1950, 2, 2)));
  // Parsing again starts from an empty entry.
  entry.Parse("Other|Place|ABCD|1 Jan 1900|CD|");
  EXPECT_EQ(entry.closingDate, nullptr);
}

TEST_F(TempleTableTest, TwelveCharacterDatesOnlyInFrench) {
  const std::string row = "Name|Place|ABCD|01 Sept 1900|AB|";
  CTempleEntry entry;
  entry.Parse(row);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Invalid field 3 in temple string " + row});
  boxes_.Clear();
  profile_.SetString("Options", "LanguageUI", "fr");
  entry.Parse(row);
  EXPECT_TRUE(boxes_.Calls().empty());
  EXPECT_TRUE(entry.openingDate.Equals(MakeDate(1900, 9, 1)));
}

TEST_F(TempleTableTest, LoadingGoesOnAfterABadRow) {
  LoadCatalog({"4667\t%s-Tempel", "6800\tAlpha|A|ALPHA|1 Jan 1900|AL|",
               "6801\tBeta|B|BETA|sometime|BE|", "6802\tGamma|G||1 Jan 1900|GA|",
               "6803\tDelta|D|DELTA|1 Jan 1900|DE|", "6805\tLost|L|LOSTT|1 Jan 1900|LO|"});
  LoadTempleTable();
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{"Invalid field 3 in temple string Beta|B|BETA|sometime|BE|",
                                      "Invalid field 2 in temple string Gamma|G||1 Jan 1900|GA|"}));
  const CTempleTable& table = TempleTable();
  // Gamma has no code and is left out; loading stops at the missing 6804.
  EXPECT_EQ(table.GetCount(), 3u);
  EXPECT_NE(table.Lookup("ALPHA"), nullptr);
  EXPECT_NE(table.Lookup("BETA"), nullptr);
  EXPECT_NE(table.Lookup("DELTA"), nullptr);
  EXPECT_EQ(table.Lookup("LOSTT"), nullptr);
  EXPECT_EQ(table.Lookup("HARRO"), nullptr);  // the built-in rows are gone
  EXPECT_EQ(FormatTempleName("ALPHA", false), "Alpha-Tempel");
}

TEST_F(TempleTableTest, LanguageWithoutTemplesGivesAnEmptyTable) {
  LoadTempleTable();
  ASSERT_FALSE(TempleTable().IsEmpty());
  LoadCatalog({"7282\t%s: kein Tempelcode", "3520\tV"});
  LoadTempleTable();
  EXPECT_TRUE(TempleTable().IsEmpty());
  EXPECT_TRUE(boxes_.Calls().empty());

  // Every code then fails the check, and is kept all the same.
  CBaptismOrdinance baptism;
  std::string error;
  EXPECT_EQ(baptism.SetTempleCode("harro", &TempleTable(), error), 0);
  EXPECT_EQ(error, "harro: kein Tempelcode");
  EXPECT_EQ(baptism.GetPlace(), "HARRO");
}

}  // namespace
