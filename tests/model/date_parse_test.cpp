#include <gtest/gtest.h>

#include <string>

#include "DateKeywords.h"
#include "DateValue.h"
#include "FakePorts.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

struct ParseCase {
  const char* text;
  bool dayFirst;
  int result;
  int year, dual, qualifier, day, second, month, bc;
};

// Expected parts of each standard date; the non-standard ones must come back
// as text-only dates holding the typed text.
const ParseCase kCases[] = {
    // keywords
    {"Jan", false, 1, 0, 0, 0, 0, 0, 1, 0},
    {"january", false, 1, 0, 0, 0, 0, 0, 1, 0},
    {"MA 1900", false, 1, 1900, 0, 0, 0, 0, 3, 0},
    {"JU 1900", false, 1, 1900, 0, 0, 0, 0, 6, 0},
    {"Sept 1900", false, 1, 1900, 0, 0, 0, 0, 9, 0},
    {"JAN1900", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"Abt", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"Est", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"Sub Jan", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"Abt Jan", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"Abt 1900", false, 1, 1900, 0, 3, 0, 0, 0, 0},
    {"about 1900", false, 1, 1900, 0, 3, 0, 0, 0, 0},
    {"Aft 1 Jan 1900", false, 1, 1900, 0, 1, 1, 0, 1, 0},
    {"Before 1900", false, 1, 1900, 0, 2, 0, 0, 0, 0},
    {"Cal 1900", false, 1, 1900, 0, 4, 0, 0, 0, 0},
    {"Sub Jan 1900", false, 1, 1900, 0, 5, 0, 0, 1, 0},
    {"Est 1900", false, 1, 1900, 0, 6, 0, 0, 0, 0},
    // status words
    {"DNS/CAN", false, 1, 0, 0, 0, 0, 0, 22, 0},
    {"DN", false, 1, 0, 0, 0, 0, 0, 21, 0},
    {"dns", false, 1, 0, 0, 0, 0, 0, 21, 0},
    {"D", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"BIC", false, 1, 0, 0, 0, 0, 0, 13, 0},
    {"Not Married", false, 1, 0, 0, 0, 0, 0, 24, 0},
    {"Submitted", false, 1, 0, 0, 0, 0, 0, 29, 0},
    {"Done 1900", false, 0, 0, 0, 0, 0, 0, 0, 0},
    // dual years
    {"1745/46", false, 1, 1745, 1, 0, 0, 0, 0, 0},
    {"1745/6", false, 1, 1745, 1, 0, 0, 0, 0, 0},
    {"1749/0", false, 1, 1749, 1, 0, 0, 0, 0, 0},
    {"1799/00", false, 1, 1799, 1, 0, 0, 0, 0, 0},
    {"1745/1800", false, 1, 1745, 55, 0, 0, 0, 0, 0},
    {"1900/1600", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"1745/2001", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"1900/1900", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"Jan 1745/46", false, 1, 1745, 1, 0, 0, 0, 1, 0},
    {"5 Jan 1745/46", false, 1, 1745, 1, 0, 5, 0, 1, 0},
    {"Jan 5 1745/46", false, 1, 1745, 1, 0, 5, 0, 1, 0},
    {"Sub 1745/46", false, 0, 0, 0, 0, 0, 0, 0, 0},
    // month lengths
    {"30 Feb 1900", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"29 Feb 1700", false, 1, 1700, 0, 0, 29, 0, 2, 0},
    {"29 Feb 1900", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"29 Feb 2000", false, 1, 2000, 0, 0, 29, 0, 2, 0},
    {"31 Apr 1900", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"0 Jan 1900", false, 0, 0, 0, 0, 0, 0, 0, 0},
    // double days
    {"5/6 Jan 1900", false, 1, 1900, 0, 0, 5, 6, 1, 0},
    {"Jan 5/6 1900", false, 1, 1900, 0, 0, 5, 6, 1, 0},
    {"Jan 5/6", false, 1, 0, 0, 0, 5, 6, 1, 0},
    {"Jan 5/6 1745/46", false, 1, 1745, 1, 0, 5, 6, 1, 0},
    {"Sub 5/6 Jan 1900", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"5/32 Jan 1900", false, 0, 0, 0, 0, 0, 0, 0, 0},
    // BC
    {"1900 BC", false, 1, 1900, 0, 0, 0, 0, 0, 1},
    {"5 Jan 44 BC", false, 1, 44, 0, 0, 5, 0, 1, 1},
    {"1900 BC x", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"Abt BC", false, 0, 0, 0, 0, 0, 0, 0, 0},
    // years
    {"3000", false, 1, 3000, 0, 0, 0, 0, 0, 0},
    {"3001", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"0005", false, 1, 5, 0, 0, 0, 0, 0, 0},
    {"Jan 0005", false, 1, 5, 0, 0, 0, 0, 1, 0},
    {"0", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"Jan 5", false, 1, 0, 0, 0, 5, 0, 1, 0},
    {"Jan 1900", false, 1, 1900, 0, 0, 0, 0, 1, 0},
    {"January 5, 1900", false, 1, 1900, 0, 0, 5, 0, 1, 0},
    {"5 Jan", false, 1, 0, 0, 0, 5, 0, 1, 0},
    {"Jan 1900 5 6", false, 0, 0, 0, 0, 0, 0, 0, 0},
    // numeric orders
    {"3/4/1900", false, 1, 1900, 0, 0, 4, 0, 3, 0},
    {"3/4/1900", true, 1, 1900, 0, 0, 3, 0, 4, 0},
    {"13/4/1900", false, 1, 1900, 0, 0, 13, 0, 4, 0},
    {"4/13/1900", true, 0, 0, 0, 0, 0, 0, 0, 0},
    {"4/1900/46", true, 1, 1900, 46, 0, 0, 0, 4, 0},
    {"3.4.1900", true, 1, 1900, 0, 0, 3, 0, 4, 0},
    {"3 4", false, 1, 0, 0, 0, 4, 0, 3, 0},
    {"3 4", true, 1, 0, 0, 0, 3, 0, 4, 0},
    {"4 1900", false, 1, 1900, 0, 0, 0, 0, 4, 0},
    {"4/1745/46", false, 1, 1745, 1, 0, 0, 0, 4, 0},
    {"0/1900", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"13 14 15", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"3/4 1900", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"5 6 1 1900", true, 1, 1900, 0, 0, 5, 6, 1, 0},
    {"1 5 6 1900", false, 1, 1900, 0, 0, 5, 6, 1, 0},
    {"1 2 3 4 5 6", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"1 Jan Feb 1900", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"1 2 3 Jan", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"1900 Abt", false, 0, 0, 0, 0, 0, 0, 0, 0},
    {"ca. 1850?", false, 0, 0, 0, 0, 0, 0, 0, 0},
};

class DateParse : public ::testing::Test {
 protected:
  void SetUp() override { LoadDateKeywords(); }
};

TEST_F(DateParse, TableOfTypedDates) {
  for (const ParseCase& c : kCases) {
    SCOPED_TRACE(std::string(c.text) + (c.dayFirst ? " day-first" : " month-first"));
    CDateValue d;
    const int result = d.Parse(c.text, c.dayFirst, false);
    EXPECT_EQ(result, c.result);
    if (result != c.result) continue;
    if (c.result == 1) {
      EXPECT_EQ(d.textOnly, 0);
      EXPECT_EQ(d.year, c.year);
      EXPECT_EQ(d.dualYear, c.dual);
      EXPECT_EQ(d.qualifier, c.qualifier);
      EXPECT_EQ(d.day, c.day);
      EXPECT_EQ(d.secondDay, c.second);
      EXPECT_EQ(d.month, c.month);
      EXPECT_EQ(d.bc, c.bc);
      EXPECT_TRUE(d.IsSet());
    } else {
      EXPECT_EQ(d.textOnly, 1);
      EXPECT_EQ(d.text, c.text);
      EXPECT_TRUE(d.IsSet());
    }
  }
}

TEST_F(DateParse, EmptyAndSeparatorOnlyTextsAreEmpty) {
  for (const char* text : {"", "   ", " .,-/ ", "\t\r\n"}) {
    CDateValue d;
    d.Set(1900, 1, 1);
    EXPECT_EQ(d.Parse(text), -1) << text;
    EXPECT_FALSE(d.IsSet());
  }
}

TEST_F(DateParse, ParseTextTrimsAndLeavesAFailedDateReset) {
  CDateValue d;
  std::string copy;
  EXPECT_EQ(d.ParseText(" -- 5 Jan 1900.. ", false, false, &copy), 1);
  EXPECT_EQ(copy, "5 Jan 1900");
  EXPECT_EQ(d.ParseText("1900 and more", false, false, &copy), 0);
  EXPECT_FALSE(d.IsSet());
}

TEST_F(DateParse, TextOnlyDateKeepsEverythingTyped) {
  CDateValue d;
  // Trailing punctuation and leading separators of an unreadable date stay.
  EXPECT_EQ(d.Parse("-summer 1900."), 0);
  EXPECT_EQ(d.text, "-summer 1900.");
  EXPECT_EQ(d.year, 1900);
  // Longer than the parser reads: kept whole, never parsed from a cut part.
  const std::string padded = "1 Jan 1900" + std::string(60, ' ') + "or 2 Jan";
  EXPECT_EQ(d.Parse(padded), 0);
  EXPECT_EQ(d.text, padded);
  // Beyond what the string store holds: the first 255 characters.
  const std::string huge(400, 'x');
  EXPECT_EQ(d.Parse(huge), 0);
  EXPECT_EQ(d.text, huge.substr(0, 255));
  // Control characters become blanks.
  EXPECT_EQ(d.Parse("circa\t1850\r"), 0);
  EXPECT_EQ(d.text, "circa 1850");
}

TEST_F(DateParse, SetTextTakesTheYearFromTheText) {
  struct {
    const char* text;
    int year;
  } cases[] = {
      {"ca. 1850 in the parish", 1850},
      {"between 1850 and 1860", 1850},
      {"5 or 850, 1850", 1850},
      {"in 3500 or 2999", 2999},
      {"12345 1850", 0},
      {"no digits", 0},
  };
  for (const auto& c : cases) {
    CDateValue d;
    d.SetText(c.text);
    EXPECT_EQ(d.year, c.year) << c.text;
    EXPECT_EQ(d.textOnly, 1);
    EXPECT_EQ(d.text, c.text);
  }
  CDateValue kept;
  kept.Set(1700, 3, 4, 3);
  kept.bc = 1;
  kept.SetText("see register");
  EXPECT_EQ(kept.year, 1700);
  EXPECT_EQ(kept.month, 0);
  EXPECT_EQ(kept.qualifier, 0);
  EXPECT_EQ(kept.bc, 0);
  kept.ClearText();
  EXPECT_EQ(kept.textOnly, 0);
  EXPECT_TRUE(kept.text.empty());
}

TEST_F(DateParse, CategoryRules) {
  struct {
    const char* text;
    int category;
    int result;
  } cases[] = {
      {"DNS", 2, 1},
      {"DNS", 1, 0},
      {"Child", 5, 1},
      {"Child", 4, 0},
      {"Not Married", 4, 1},
      {"BIC", 0, 0},
      {"5/6 Jan 1745/46", 1, 0},
      {"5/6 Jan 1745/46", 3, 0},
      {"5/6 Jan 1745/46", 4, 1},
      {"1 Jan 1900", 0, 1},
  };
  for (const auto& c : cases) {
    CDateValue d;
    EXPECT_EQ(d.ParseForCategory(c.text, c.category, false, false), c.result)
        << c.text << " category " << c.category;
    if (c.result == 0) {
      EXPECT_EQ(d.textOnly, 1);
      EXPECT_EQ(d.text, c.text);
    }
  }
}

TEST_F(DateParse, StatusValidityByCategory) {
  using D = CDateValue;
  EXPECT_TRUE(IsStatusValidForCategory(7, 12));
  EXPECT_FALSE(IsStatusValidForCategory(0, D::kStatusDone));
  EXPECT_FALSE(IsStatusValidForCategory(1, 30));
  EXPECT_TRUE(IsStatusValidForCategory(1, D::kStatusInfant));
  EXPECT_FALSE(IsStatusValidForCategory(1, D::kStatusBIC));
  EXPECT_TRUE(IsStatusValidForCategory(2, D::kStatusBIC));
  EXPECT_FALSE(IsStatusValidForCategory(2, D::kStatusDNSCAN));
  EXPECT_TRUE(IsStatusValidForCategory(3, D::kStatusDNSCAN));
  EXPECT_TRUE(IsStatusValidForCategory(3, D::kStatusCancelled));
  EXPECT_FALSE(IsStatusValidForCategory(4, D::kStatusDone));
  EXPECT_TRUE(IsStatusValidForCategory(5, D::kStatusDeceased));
  EXPECT_FALSE(IsStatusValidForCategory(5, D::kStatusSubmitted));
}

TEST_F(DateParse, EnglishKeywordsReadTheInterchangeForm) {
  CDateValue d("ABT 5 JAN 1900", true);
  EXPECT_EQ(d.qualifier, 3);
  EXPECT_EQ(d.day, 5);
  EXPECT_EQ(d.month, 1);
  EXPECT_EQ(d.year, 1900);
}

TEST_F(DateParse, KeywordMatching) {
  const DateKeywordSet& en = EnglishDateKeywords();
  ASSERT_EQ(en.status.written.size(), kStatusWordCount);
  ASSERT_EQ(en.months.written.size(), kMonthNameCount);
  ASSERT_EQ(en.qualifiers.written.size(), kQualifierWordCount);
  EXPECT_EQ(en.status.upper[15], "BC");
  std::size_t pos = 0;
  EXPECT_EQ(MatchKeyword("MA 1900", pos, en.months.upper, " "), 2);
  EXPECT_EQ(pos, 2u);
  pos = 0;
  EXPECT_EQ(MatchKeyword("MARCH", pos, en.months.upper, " "), 14);
  pos = 0;
  EXPECT_EQ(MatchKeyword("M", pos, en.months.upper, " "), -1);
  EXPECT_EQ(pos, 0u);
  pos = 0;
  EXPECT_EQ(MatchKeyword("DNS/CAN", pos, en.status.upper, ""), 9);
  EXPECT_EQ(pos, 7u);
  // Interface lists come from the string table.
  EXPECT_EQ(InterfaceDateKeywords().months.written[12], "January");
  EXPECT_EQ(res::LoadString(res::kIdsQualifierWords).substr(0, 4), "|Aft");
}

TEST_F(DateParse, CheckEntryRewritesOrPrompts) {
  plat::FakeProfile profile;
  plat::ScopedProfile profileScope(&profile);
  plat::FakeMessageBox box;
  plat::ScopedMessageBox boxScope(&box);
  SetDateDisplayOptions(DateDisplayOptions{});

  // Day-first typing from the profile.
  profile.SetInt("Date", "Entry", 1);
  EXPECT_EQ(GetDateEntryOption(), 1);
  CDateValue d;
  std::string field = "3/4/1900";
  EXPECT_EQ(d.CheckEntry(field, true, 0, false, true, false, false), 1);
  EXPECT_EQ(field, "3 Apr 1900");
  EXPECT_EQ(d.month, 4);

  // The display order replaces it while the month is shown as a number.
  DateDisplayOptions numeric;
  numeric.order = 0;
  numeric.monthStyle = 0;
  SetDateDisplayOptions(numeric);
  field = "3/4/1900";
  EXPECT_EQ(d.CheckEntry(field, true, 0, true, true, false, false), 1);
  EXPECT_EQ(field, "3 4 1900");
  EXPECT_EQ(d.month, 3);
  SetDateDisplayOptions(DateDisplayOptions{});

  field = "";
  EXPECT_EQ(d.CheckEntry(field, true, 0, false, true, false, false), 1);
  EXPECT_TRUE(box.Calls().empty());

  // Not standard, no prompt: the declined result.
  field = "summer 1900";
  EXPECT_EQ(d.CheckEntry(field, true, 0, false, false, false, true), 1);
  EXPECT_EQ(d.CheckEntry(field, true, 0, false, false, false, false), 0);
  EXPECT_TRUE(box.Calls().empty());

  // Prompted: Yes keeps the text, No resets.
  box.QueueAnswer(plat::kIdYes);
  EXPECT_EQ(d.CheckEntry(field, true, 0, false, true, false, false), 2);
  EXPECT_EQ(d.textOnly, 1);
  EXPECT_EQ(d.text, "summer 1900");
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_NE(box.Calls()[0].text.find("Is this correct? summer 1900"), std::string::npos);
  EXPECT_EQ(box.Calls()[0].flags, plat::kMbYesNo | plat::kMbIconQuestion);
  box.QueueAnswer(plat::kIdNo);
  EXPECT_EQ(d.CheckEntry(field, true, 0, false, true, false, false), 0);
  EXPECT_FALSE(d.IsSet());
  EXPECT_EQ(field, "summer 1900");

  // Without parse-into-this the date is left alone.
  CDateValue untouched;
  untouched.Set(1800, 0);
  field = "1 Jan 1900";
  EXPECT_EQ(untouched.CheckEntry(field, false, 0, false, false, false, false), 1);
  EXPECT_EQ(untouched.year, 1800);
  EXPECT_EQ(field, "1 Jan 1900");
}

TEST_F(DateParse, ValidateTextReportsNonStandardDates) {
  plat::FakeProfile profile;
  plat::ScopedProfile scope(&profile);
  CDateValue d;
  std::string error;
  EXPECT_EQ(d.ValidateText("5 Jan 1900", 0, error), 1);
  EXPECT_TRUE(error.empty());
  EXPECT_EQ(d.ValidateText("", 0, error), 1);
  EXPECT_EQ(d.ValidateText("Done", 4, error), 0);
  EXPECT_EQ(error, "The date you entered is not standard.");
}

}  // namespace
