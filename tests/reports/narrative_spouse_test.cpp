// Spouse paragraphs and children lines.

#include <string>

#include "narrative_fixture.h"

namespace {

class NarrativeSpouseTest : public NarrativeFixture {
 public:
  void SetUp() override {
    NarrativeFixture::SetUp();
    john = Person("John", "Smith", 'M', [](CIndividualRecord& p) { p.death = Event(Year(1960)); });
    mary = Person("Mary", "Jones", 'F');
    parents = Marry(Person("Peter", "Jones", 'M'), Person("Ann", "Lee", 'F'));
    AddChild(mary, parents);
    marriage =
        Marry(john, mary, [](CMarriageRecord& m) { m.marriage = Event(Year(1925), "Oslo"); });
  }
  std::string Spouse(SpouseNarrativeArgs args, int* result = nullptr,
                     const CNarrativeBuilder& builder = {}) {
    std::string text = "left over";
    args.text = &text;
    args.citations = Context();
    const int r = builder.BuildSpouseNarrative(args);
    if (result) *result = r;
    return text;
  }
  SpouseNarrativeArgs Args(int ordinal, bool suppressMrin) {
    SpouseNarrativeArgs args;
    args.rin = john;
    args.marriage = marriage;
    args.ordinal = ordinal;
    args.suppressMrin = suppressMrin;
    return args;
  }
  std::string M(std::int32_t n) { return std::to_string(n); }

  std::int32_t john = 0, mary = 0, parents = 0, marriage = 0;
};

TEST_F(NarrativeSpouseTest, LabelsByOrdinalAndMrinOption) {
  const std::string tail =
      ", daughter of Peter Jones and Ann Lee (MRIN:" + M(parents) + "), in 1925 in Oslo.";
  const std::string bareTail = ", daughter of Peter Jones and Ann Lee, in 1925 in Oslo.";
  struct Case {
    int ordinal;
    bool suppress;
    std::string text;
  };
  const Case cases[] = {
      {0, false, "John married (MRIN:" + M(marriage) + ") <B>Mary Jones</B>" + tail},
      {1, false, "John married (1-MRIN:" + M(marriage) + ") <B>Mary Jones</B>" + tail},
      {2, false, "John also married (2-MRIN:" + M(marriage) + ") <B>Mary Jones</B>" + tail},
      {3, false, "John also married (3-MRIN:" + M(marriage) + ") <B>Mary Jones</B>" + tail},
      {0, true, "John married <B>Mary Jones</B>" + bareTail},
      {1, true, "John married (1) <B>Mary Jones</B>" + bareTail},
      {2, true, "John also married (2) <B>Mary Jones</B>" + bareTail},
  };
  for (const Case& c : cases) {
    int result = 0;
    EXPECT_EQ(Spouse(Args(c.ordinal, c.suppress), &result), c.text) << c.ordinal << c.suppress;
    EXPECT_EQ(result, mary);
  }
}

TEST_F(NarrativeSpouseTest, NotMarriedCouples) {
  const std::int32_t m = Marry(john, mary, [](CMarriageRecord& r) {
    r.marriage = Event(Status(CDateValue::kStatusNotMarried));
    r.status = 'D';
  });
  SpouseNarrativeArgs args = Args(0, true);
  args.marriage = m;
  EXPECT_EQ(Spouse(args),
            "John was not married to <B>Mary Jones</B>, daughter of Peter Jones and Ann Lee.");
  args.ordinal = 2;
  EXPECT_EQ(
      Spouse(args),
      "John was also not married (2) to <B>Mary Jones</B>, daughter of Peter Jones and Ann Lee.");
  args.ordinal = 1;
  args.suppressMrin = false;
  EXPECT_EQ(Spouse(args), "John was not married (1-MRIN:" + M(m) +
                              ") to <B>Mary Jones</B>, daughter of Peter Jones and Ann Lee (MRIN:" +
                              M(parents) + ").");
}

TEST_F(NarrativeSpouseTest, ParentWordsAndRelationshipNotes) {
  struct Case {
    char sex;
    char link;
    bool oneParent;
    const char* text;
  };
  const Case cases[] = {
      {'M', 'b', false,
       "John married <B>Kim Jones</B>, son of Peter Jones and Ann Lee, in 1925 in Oslo."},
      {'U', 'b', false,
       "John married <B>Kim Jones</B>, child of Peter Jones and Ann Lee, in 1925 in Oslo."},
      {'F', 'a', false,
       "John married <B>Kim Jones</B>, daughter (adopted) of Peter Jones and Ann Lee, in 1925 in "
       "Oslo."},
      {'F', 'g', false,
       "John married <B>Kim Jones</B>, daughter (guardian) of Peter Jones and Ann Lee, in 1925 in "
       "Oslo."},
      {'F', 'c', false,
       "John married <B>Kim Jones</B>, daughter (challenged) of Peter Jones and Ann Lee, in 1925 "
       "in "
       "Oslo."},
      {'F', 'd', false,
       "John married <B>Kim Jones</B>, daughter (disproved) of Peter Jones and Ann Lee, in 1925 in "
       "Oslo."},
      {'F', 's', false,
       "John married <B>Kim Jones</B>, daughter (sealing) of Peter Jones and Ann Lee, in 1925 in "
       "Oslo."},
      {'F', 'b', true, "John married <B>Kim Jones</B>, daughter of Olaf Jones, in 1925 in Oslo."},
  };
  const std::int32_t single = Marry(Person("Olaf", "Jones", 'M'), 0);
  for (const Case& c : cases) {
    const std::int32_t kim = Person("Kim", "Jones", c.sex);
    AddChild(kim, c.oneParent ? single : parents);
    SetParentLink(kim, c.link, c.link);
    SpouseNarrativeArgs args = Args(0, true);
    args.marriage =
        Marry(john, kim, [](CMarriageRecord& m) { m.marriage = Event(Year(1925), "Oslo"); });
    args.parentLinks = true;
    EXPECT_EQ(Spouse(args), c.text) << c.sex << c.link;
  }
}

TEST_F(NarrativeSpouseTest, TheSpouseOwnSentencesNeedAVitalEvent) {
  Change(mary, [](CIndividualRecord& p) {
    p.birth = Event(Year(1901));
    p.death = Event(Year(1980), "Bergen");
    p.nameExtensions[0] = "Molly";
  });
  SpouseNarrativeArgs args = Args(0, true);
  args.multipleParents = true;
  const std::string head =
      "John married <B>Mary Jones</B> \"Molly\", daughter of Peter Jones and Ann Lee, in 1925 in "
      "Oslo.";
  EXPECT_EQ(Spouse(args), head + " Molly was born in 1901. She died in 1980 in Bergen.");
  AddChild(mary, Marry(Person("Olaf", "Berg", 'M'), 0));
  EXPECT_EQ(Spouse(args),
            head + " Molly was born in 1901. She died in 1980 in Bergen.  She had other parents.");
  // Only ordinances: the spouse's part goes again.
  const std::int32_t eve =
      Person("Eve", "Moss", 'F', [](CIndividualRecord& p) { p.baptism.date = Year(1950); });
  args.marriage = Marry(john, eve);
  args.zel = true;
  EXPECT_EQ(Spouse(args), "John married <B>Eve Moss</B>.");
}

TEST_F(NarrativeSpouseTest, ALivingSpouseIsNamedOnly) {
  Change(mary, [](CIndividualRecord& p) {
    p.birth = Event(Year(1950));
    p.nameExtensions[0] = "Molly";
  });
  SpouseNarrativeArgs args = Args(0, true);
  args.livingCheck = true;
  int result = 0;
  EXPECT_EQ(Spouse(args, &result), "John married <B>Living</B>");
  EXPECT_EQ(result, mary);
  // Keeping the names of the living shows the name, still nothing more.
  NarrativeSettings keep;
  keep.doName = true;
  EXPECT_EQ(Spouse(args, &result, CNarrativeBuilder(keep)), "John married <B>Mary Jones</B>");
  // In the main person's paragraph the living spouse is "Living" too.
  PersonNarrativeArgs person;
  person.rin = john;
  person.marriage = marriage;
  person.suppressMrin = true;
  person.livingCheck = true;
  EXPECT_EQ(Narrate(person), "<B>John Smith</B> died in 1960. He married Living in 1925 in Oslo.");
}

TEST_F(NarrativeSpouseTest, MarriagesWithoutASpouse) {
  int result = 7;
  SpouseNarrativeArgs args = Args(0, false);
  args.marriage = Marry(john, 0, [](CMarriageRecord& m) { m.marriage = Event(Year(1925)); });
  EXPECT_EQ(Spouse(args, &result), "John was married in 1925.");
  EXPECT_EQ(result, 0);
  args.marriage = Marry(john, 0);
  EXPECT_EQ(Spouse(args, &result), ".");
  EXPECT_EQ(result, 0);
  args.marriage = 0;
  Spouse(args, &result);
  EXPECT_EQ(result, -1);
}

TEST_F(NarrativeSpouseTest, ChildrenHeadings) {
  const std::int32_t husbandOnly = Marry(john, 0);
  const std::int32_t wifeOnly = Marry(0, mary);
  CMarriageRecord none;
  const std::int32_t nobody = DbAddRecord(db::kMarriage, 0, &none);
  ASSERT_GT(nobody, 0);
  struct Case {
    std::int32_t mrin;
    bool names;
    const char* text;
  };
  const Case cases[] = {
      {marriage, true, "John Smith and Mary Jones had the following children:"},
      {husbandOnly, true, "John Smith and his spouse had the following children:"},
      {wifeOnly, true, "Mary Jones and her spouse had the following children:"},
      {nobody, true, "They had the following children:"},
      {marriage, false, "They had the following children:"},
      {husbandOnly, false, "He had the following children:"},
      {wifeOnly, false, "She had the following children:"},
      {nobody, false, "They had the following children:"},
  };
  const CNarrativeBuilder builder;
  for (const Case& c : cases) {
    std::string out = "left over";
    builder.BuildChildrenHeading(c.mrin, c.names, out, 0, false);
    EXPECT_EQ(out, c.text);
    builder.BuildChildrenHeading(c.mrin, c.names, out, 0, true);
    EXPECT_EQ(out, (c.names ? "\r\n" : "") + std::string(c.text) + "\r\n");
  }
  // A living partner is not named under the living check.
  Change(mary, [](CIndividualRecord& p) { p.birth = Event(Year(1950)); });
  std::string out;
  builder.BuildChildrenHeading(marriage, true, out, 0, false, true);
  EXPECT_EQ(out, "John Smith and Living had the following children:");
}

TEST_F(NarrativeSpouseTest, ChildEntries) {
  using D = CDateValue;
  struct Case {
    char sex;
    CEventValue birth, christening, death, burial;
    const char* text;
  };
  const Case cases[] = {
      {'M', Event(Year(1920), "Oslo"), {}, {}, {}, "<B>Tom Smith</B> was born in 1920."},
      {'M', {}, Event(Year(1921)), {}, {}, "<B>Tom Smith</B> was christened in 1921."},
      {'M',
       Event(Year(1920)),
       {},
       Event(Status(D::kStatusChild)),
       {},
       "<B>Tom Smith</B> was born in 1920 and died as a child."},
      {'F', {}, {}, Event(Status(D::kStatusInfant)), {}, "<B>Tom Smith</B> died as an infant."},
      {'F', {}, {}, Event(Status(D::kStatusStillborn)), {}, "<B>Tom Smith</B> died (stillborn)."},
      {'M', {}, {}, Event(Status(D::kStatusDeceased)), {}, "<B>Tom Smith</B> died."},
      {'M',
       Event(Year(1920)),
       {},
       Event(Day(1990, 4, 2), "Oslo"),
       {},
       "<B>Tom Smith</B> was born in 1920 and died on 2 Apr 1990."},
      {'M',
       Event(Year(1920)),
       {},
       {},
       Event(Year(1990)),
       "<B>Tom Smith</B> was born in 1920 and was buried in 1990."},
      {'M', Place("Oslo"), {}, {}, {}, "<B>Tom Smith</B>."},
  };
  const CNarrativeBuilder builder;
  for (const Case& c : cases) {
    const std::int32_t tom = Person("Tom", "Smith", c.sex, [&](CIndividualRecord& p) {
      p.birth = c.birth;
      p.christening = c.christening;
      p.death = c.death;
      p.burial = c.burial;
    });
    std::string out;
    ChildEntryArgs args;
    args.rin = tom;
    args.text = &out;
    builder.BuildChildEntry(args);
    EXPECT_EQ(out, c.text);
  }
  // Under the living check: the name only, "Living" for the living; on a
  // web page the caller's bold link is closed.
  const std::int32_t dead = Person("Tom", "Smith", 'M', [](CIndividualRecord& p) {
    p.birth = Event(Year(1900));
    p.death = Event(Year(1950));
  });
  const std::int32_t living =
      Person("Tom", "<Smith>", 'M', [](CIndividualRecord& p) { p.birth = Event(Year(1990)); });
  std::string out;
  ChildEntryArgs args;
  args.text = &out;
  args.livingCheck = true;
  args.rin = dead;
  builder.BuildChildEntry(args);
  EXPECT_EQ(out, "<B>Tom Smith</B>");
  out.clear();
  args.rin = living;
  builder.BuildChildEntry(args);
  EXPECT_EQ(out, "<B>Living</B>");
  out.clear();
  args.livingCheck = false;
  args.web = true;
  builder.BuildChildEntry(args);
  EXPECT_EQ(out, "Tom &lt;Smith&gt;</b></a> was born in 1990.");
}

}  // namespace
