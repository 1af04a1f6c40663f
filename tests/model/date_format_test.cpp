#include <gtest/gtest.h>

#include <string>

#include "DateKeywords.h"
#include "DateValue.h"

namespace {

CDateValue Typed(const char* text) {
  CDateValue d;
  d.Parse(text, false, true);
  return d;
}

class DateFormat : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadDateKeywords();
    SetDateDisplayOptions(DateDisplayOptions{});
  }
  void TearDown() override { SetDateDisplayOptions(DateDisplayOptions{}); }
  static void Use(int order, int dayStyle, int monthStyle, int separator,
                  const char* language = "EN") {
    DateDisplayOptions o;
    o.order = order;
    o.dayStyle = dayStyle;
    o.monthStyle = monthStyle;
    o.separator = separator;
    o.language = language;
    SetDateDisplayOptions(o);
  }
};

TEST_F(DateFormat, UserStyles) {
  struct {
    int order, dayStyle, monthStyle, separator;
    const char* typed;
    const char* shown;
  } cases[] = {
      {1, 0, 2, 0, "Abt 5 Jan 1900", "Abt 5 Jan 1900"},
      {0, 0, 2, 0, "Abt 5 Jan 1900", "Abt Jan 5 1900"},
      {1, 1, 3, 0, "5 Jan 1900", "05 JAN 1900"},
      {0, 0, 0, 2, "5 Jan 1900", "1/5/1900"},
      {1, 1, 1, 1, "5 Aug 1900", "05-08-1900"},
      {1, 0, 0, 3, "5 Aug 1900", "5.8.1900"},
      {1, 0, 4, 0, "5 Aug 1900", "5 August 1900"},
      {1, 0, 5, 0, "Aug 1900", "AUGUST 1900"},
      {1, 0, 2, 0, "Jan", "Jan"},
      {1, 0, 2, 0, "1900", "1900"},
      {1, 0, 2, 0, "0005", "0005"},
      {1, 0, 2, 0, "50", "0050"},
      {1, 0, 2, 0, "1745/46", "1745/1746"},
      {1, 0, 2, 0, "50/120", "0050/0120"},
      {1, 0, 2, 0, "5/6 Jan 1900", "5/6 Jan 1900"},
      {1, 1, 2, 0, "5/6 Jan 1900", "05/06 Jan 1900"},
      {1, 0, 2, 0, "440 BC", "440 BC"},
      {1, 0, 2, 0, "44 BC", "0044 BC"},
      {1, 0, 2, 0, "Aft 5 Jan 44 BC", "Aft 5 Jan 0044 BC"},
      {1, 0, 2, 0, "DNS/CAN", "DNS/CAN"},
      {1, 0, 2, 0, "Not Mar", "Not Married"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Use(c.order, c.dayStyle, c.monthStyle, c.separator);
    EXPECT_EQ(Typed(c.typed).Format(), c.shown);
  }
}

TEST_F(DateFormat, QualifierModesAndTabLayout) {
  const CDateValue d = Typed("Abt 5/6 Jan 1745/46");
  EXPECT_EQ(d.Format(true), "About 5/6 Jan 1745/1746");
  EXPECT_EQ(d.Format(false, 1), "5/6 Jan 1745/1746");
  EXPECT_EQ(d.Format(false, 2), "Abt 5 Jan 1745");
  EXPECT_EQ(d.Format(false, 3), "5 Jan 1745");
  EXPECT_EQ(d.Format(true, 4), "about 5/6 Jan 1745/1746");
  EXPECT_EQ(d.Format(false, 0, true), "Abt\t5/6 Jan 1745/1746");
  EXPECT_EQ(Typed("1900").Format(false, 0, true), "\t1900");
}

TEST_F(DateFormat, InterchangeForm) {
  Use(0, 1, 0, 2);  // the user's style must not leak into it
  EXPECT_EQ(Typed("Abt 5 Jan 1900").Format(false, 0, false, true), "ABT 5 JAN 1900");
  EXPECT_EQ(Typed("Abt 5 Jan 1900").Format(true, 0, false, true), "ABOUT 5 JAN 1900");
  EXPECT_EQ(Typed("Sub Jan 1900").Format(false, 0, false, true), "JAN 1900");
  EXPECT_EQ(Typed("Done").Format(false, 0, false, true), "DONE");
  EXPECT_EQ(Typed("Pre-1970").Format(false, 0, false, true), "PRE-1970");
  EXPECT_EQ(Typed("44 BC").Format(false, 0, false, true), "0044 BC");
}

TEST_F(DateFormat, InterchangeRoundTrip) {
  for (const char* typed :
       {"Abt 5 Jan 1900", "Aft 5/6 Jan 1900", "Bef 1745/46", "Cal Mar 1700", "Est 0005",
        "29 Feb 1700", "44 BC", "DNS/CAN", "Uncleared", "Dec", "Jan 5", "5/6 Jan 1745/46"}) {
    SCOPED_TRACE(typed);
    const CDateValue d = Typed(typed);
    ASSERT_EQ(d.textOnly, 0);
    CDateValue back;
    ASSERT_EQ(back.Parse(d.Format(false, 0, false, true), false, true), 1);
    EXPECT_TRUE(back.Equals(d));
  }
}

TEST_F(DateFormat, UnknownCodesAndLongTexts) {
  CDateValue d;
  d.Set(0, 30);
  EXPECT_EQ(d.Format(), "???");
  Use(1, 0, 0, 0);
  EXPECT_EQ(d.FormatMonth(), "30");
  Use(1, 0, 2, 0);
  EXPECT_EQ(d.FormatMonth(), "???");
  // A text-only date of any length comes back whole.
  const std::string text = "recorded in the parish register of St Mary as the Feast of St John";
  d.SetText(text);
  EXPECT_EQ(d.Format(), text);
  EXPECT_EQ(d.ToString(), text);
  EXPECT_EQ(CDateValue().ToString(), "");
}

TEST_F(DateFormat, PartFormatters) {
  const CDateValue d = Typed("Cal 7 Mar 0012");
  EXPECT_EQ(d.FormatQualifier(false), "Cal");
  EXPECT_EQ(d.FormatQualifier(true), "Calculated");
  EXPECT_EQ(d.FormatQualifier(false, true), "CAL");
  EXPECT_EQ(d.FormatDay(), "7");
  EXPECT_EQ(d.FormatMonth(), "Mar");
  EXPECT_EQ(d.FormatMonth(true), "MAR");
  EXPECT_EQ(d.FormatYear(), "0012");
  const CDateValue none;
  EXPECT_EQ(none.FormatQualifier(false), "");
  EXPECT_EQ(none.FormatDay(), "");
  EXPECT_EQ(none.FormatMonth(), "");
  EXPECT_EQ(none.FormatYear(), "");
}

TEST_F(DateFormat, FittedShortensToTheWidth) {
  auto chars = [](const std::string& s) { return static_cast<int>(s.size()); };
  const CDateValue d = Typed("Abt 5 Jan 1900");
  EXPECT_EQ(d.FormatFitted(20, chars), "Abt 5 Jan 1900");
  EXPECT_EQ(d.FormatFitted(10, chars), "5 Jan 1900");
  EXPECT_EQ(d.FormatFitted(8, chars), "Jan 1900");
  CDateValue text;
  text.SetText("in the spring of the year");
  EXPECT_EQ(text.FormatFitted(10, chars), "in the ...");
}

TEST_F(DateFormat, PhrasesByLanguage) {
  EXPECT_EQ(Typed("5 Jan 1900").FormatPhrase(false, 0), "on 5 Jan 1900");
  EXPECT_EQ(Typed("Jan 1900").FormatPhrase(false, 0), "in Jan 1900");
  EXPECT_EQ(Typed("1900").FormatPhrase(false, 0), "in 1900");
  EXPECT_EQ(Typed("Abt 1900").FormatPhrase(true, 4), "about 1900");
  EXPECT_EQ(Typed("Cal 5 Jan 1900").FormatPhrase(false, 0), "Cal 5 Jan 1900");

  Use(1, 0, 2, 0, "DE");
  EXPECT_EQ(Typed("5 Jan 1900").FormatPhrase(false, 0), "on 5. January 1900");
  EXPECT_EQ(Typed("Jan 1900").FormatPhrase(false, 0), "in January 1900");
  EXPECT_EQ(Typed("1900").FormatPhrase(false, 0), "1900");
  EXPECT_EQ(Typed("Bef 1900").FormatPhrase(false, 0), "Bef 1900");
  EXPECT_EQ(Typed("Est 1900").FormatPhrase(false, 0), "1900 (Est)");

  Use(1, 0, 2, 0, "FR");
  EXPECT_EQ(Typed("Aft 5 Jan 1900").FormatPhrase(false, 0), "Aft on 5 January 1900");
  EXPECT_EQ(Typed("Aft 1900").FormatPhrase(false, 0), "Aft 1900");
  EXPECT_EQ(Typed("Cal 1900").FormatPhrase(false, 0), "in 1900 (Cal)");

  Use(1, 0, 2, 0, "NL");
  EXPECT_EQ(Typed("5 Jan 1900").FormatPhrase(false, 0), "5 January 1900");
  EXPECT_EQ(Typed("Abt 1900").FormatPhrase(false, 0), "1900 Abt");
}

TEST_F(DateFormat, Columns) {
  EXPECT_EQ(Typed("Abt 5 Jan 1900").FormatColumns(false, 0, false), "Abt\t05\tJan\t1900");
  EXPECT_EQ(Typed("5 Jan 950").FormatColumns(false, 0, true), "\t05\tJan\t 950");
  EXPECT_EQ(Typed("1900").FormatColumns(false, 0, false), "\t1900");
  Use(0, 0, 2, 0);
  EXPECT_EQ(Typed("Abt 5 Jan 1900").FormatColumns(false, 0, false), "Abt\tJan 5 1900");
}

}  // namespace
