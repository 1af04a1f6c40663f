// Person paragraphs of books and web pages, written out by hand.

#include <functional>
#include <string>

#include "narrative_fixture.h"

namespace {

struct PersonCase {
  const char* what;
  std::function<std::int32_t(NarrativeFixture&)> build;
  const char* book;
};

class NarrativePersonTest : public NarrativeFixture {
 protected:
  void Run(const std::vector<PersonCase>& cases) {
    for (const PersonCase& c : cases) {
      ResetCitations();
      const std::int32_t rin = c.build(*this);
      EXPECT_EQ(Paragraph(rin), c.book) << c.what;
    }
  }
};

TEST_F(NarrativePersonTest, BirthAndChristeningSentences) {
  Run({
      {"nothing", [](auto& f) { return f.Person("John", "Smith", 'M'); }, "<B>John Smith</B>."},
      {"birth date",
       [](auto& f) {
         return f.Person("John", "Smith", 'M', [](auto& p) { p.birth = Event(Day(1900, 1, 5)); });
       },
       "<B>John Smith</B> was born on 5 Jan 1900."},
      {"birth place",
       [](auto& f) {
         return f.Person("John", "Smith", 'M', [](auto& p) { p.birth = Place("Oslo"); });
       },
       "<B>John Smith</B> was born in Oslo."},
      {"birth date and place",
       [](auto& f) {
         return f.Person("Mary", "Smith", 'F',
                         [](auto& p) { p.birth = Event(Day(1900, 1, 5), "Oslo"); });
       },
       "<B>Mary Smith</B> was born on 5 Jan 1900 in Oslo."},
      {"christening date only",
       [](auto& f) {
         return f.Person("John", "Smith", 'M', [](auto& p) { p.christening = Event(Year(1900)); });
       },
       "<B>John Smith</B> was christened in 1900."},
      {"christening place only",
       [](auto& f) {
         return f.Person("John", "Smith", 'M', [](auto& p) { p.christening = Place("Bergen"); });
       },
       "<B>John Smith</B> was christened in Bergen."},
      {"christening date and place",
       [](auto& f) {
         return f.Person("John", "Smith", 'M',
                         [](auto& p) { p.christening = Event(Year(1900), "Bergen"); });
       },
       "<B>John Smith</B> was christened in 1900 in Bergen."},
      {"birth and christening",
       [](auto& f) {
         return f.Person("John", "Smith", 'M', [](auto& p) {
           p.birth = Event(Day(1900, 1, 5));
           p.christening = Place("Bergen");
         });
       },
       "<B>John Smith</B> was born on 5 Jan 1900 and was christened in Bergen."},
  });
}

TEST_F(NarrativePersonTest, ChristeningOfItsOwnEventType) {
  const std::int32_t type = EventType("Baptism", "was baptised", "at", 1, false);
  auto with = [&](const CEventValue& value) {
    return Person("John", "Smith", 'M', [&](auto& p) {
      p.christening = value;
      p.numbers[CIndividualRecord::kChristeningType] = type;
    });
  };
  EXPECT_EQ(Paragraph(with(Event(Year(1900)))), "<B>John Smith</B> was baptised in 1900.");
  EXPECT_EQ(Paragraph(with(Place("Bergen"))), "<B>John Smith</B> was baptised in Bergen .");
  // The verb phrase is the user's text, never a template.
  const std::int32_t odd = EventType("Odd", "was %1 <dipped> %s", "at", 1, false);
  const std::int32_t person = Person("John", "Smith", 'M', [&](auto& p) {
    p.christening = Place("Bergen");
    p.numbers[CIndividualRecord::kChristeningType] = odd;
  });
  EXPECT_EQ(Paragraph(person), "<B>John Smith</B> was %1 <dipped> %s in Bergen .");
  PersonNarrativeArgs args;
  args.rin = person;
  args.htmlMode = HtmlMode::kAncestors;
  EXPECT_EQ(Narrate(args), "<b><a name=\"" + std::to_string(person) +
                               "\"></a>John Smith</b> was %1 &lt;dipped&gt; %s in Bergen .");
  EXPECT_EQ(Paragraph(with(Event(Year(1900), "Bergen"))),
            "<B>John Smith</B> was baptised in 1900 in Bergen.");
}

TEST_F(NarrativePersonTest, DeathAndBurialSentences) {
  Run({
      {"death date",
       [](auto& f) {
         return f.Person("John", "Smith", 'M', [](auto& p) { p.death = Event(Day(1950, 3, 3)); });
       },
       "<B>John Smith</B> died on 3 Mar 1950."},
      {"death place",
       [](auto& f) {
         return f.Person("John", "Smith", 'M', [](auto& p) { p.death = Place("Oslo"); });
       },
       "<B>John Smith</B> died in Oslo."},
      {"death date and place after a birth, male",
       [](auto& f) {
         return f.Person("John", "Smith", 'M', [](auto& p) {
           p.birth = Event(Year(1900));
           p.death = Event(Year(1950), "Oslo");
         });
       },
       "<B>John Smith</B> was born in 1900. He died in 1950 in Oslo."},
      {"female subject",
       [](auto& f) {
         return f.Person("Mary", "Smith", 'F', [](auto& p) {
           p.birth = Event(Year(1900));
           p.death = Event(Year(1950));
         });
       },
       "<B>Mary Smith</B> was born in 1900. She died in 1950."},
      {"unknown sex: the short name, the nickname first",
       [](auto& f) {
         return f.Person("Pat", "Smith", 'U', [](auto& p) {
           p.nameExtensions[0] = "Paddy";
           p.birth = Event(Year(1900));
           p.death = Event(Year(1950));
         });
       },
       "<B>Pat Smith</B> \"Paddy\" was born in 1900. Paddy died in 1950."},
      {"an initial is not a short name",
       [](auto& f) {
         return f.Person("P.", "Smith", 'U', [](auto& p) {
           p.birth = Event(Year(1900));
           p.death = Event(Year(1950));
         });
       },
       "<B>P. Smith</B> was born in 1900. P. Smith died in 1950."},
      {"died as a child",
       [](auto& f) {
         return f.Person("John", "Smith", 'M',
                         [](auto& p) { p.death = Event(Status(CDateValue::kStatusChild)); });
       },
       "<B>John Smith</B> died as a child."},
      {"died as an infant, in a place",
       [](auto& f) {
         return f.Person("John", "Smith", 'M', [](auto& p) {
           p.death = Event(Status(CDateValue::kStatusInfant), "Oslo");
         });
       },
       "<B>John Smith</B> died as an infant in Oslo."},
      {"stillborn",
       [](auto& f) {
         return f.Person("Mary", "Smith", 'F',
                         [](auto& p) { p.death = Event(Status(CDateValue::kStatusStillborn)); });
       },
       "<B>Mary Smith</B> died (stillborn)."},
      {"another status without a place",
       [](auto& f) {
         return f.Person("John", "Smith", 'M',
                         [](auto& p) { p.death = Event(Status(CDateValue::kStatusDeceased)); });
       },
       "<B>John Smith</B> died."},
      {"another status with a place",
       [](auto& f) {
         return f.Person("John", "Smith", 'M', [](auto& p) {
           p.death = Event(Status(CDateValue::kStatusDeceased), "Oslo");
         });
       },
       "<B>John Smith</B> died in Oslo."},
      {"cause of death",
       [](auto& f) {
         return f.Person("John", "Smith", 'M', [](auto& p) {
           p.death = Event(Year(1950));
           p.texts2[0] = "fever";
         });
       },
       "<B>John Smith</B> died in 1950 from fever."},
      {"death and burial",
       [](auto& f) {
         return f.Person("John", "Smith", 'M', [](auto& p) {
           p.death = Event(Year(1950));
           p.burial = Event(Day(1950, 3, 9), "Oslo");
         });
       },
       "<B>John Smith</B> died in 1950 and was buried on 9 Mar 1950 in Oslo."},
      {"burial date alone",
       [](auto& f) {
         return f.Person("John", "Smith", 'M', [](auto& p) { p.burial = Event(Year(1950)); });
       },
       "<B>John Smith</B> was buried in 1950."},
      {"burial alone after a birth",
       [](auto& f) {
         return f.Person("Mary", "Smith", 'F', [](auto& p) {
           p.birth = Event(Year(1900));
           p.burial = Place("Oslo");
         });
       },
       "<B>Mary Smith</B> was born in 1900. She was buried in Oslo."},
  });
}

TEST_F(NarrativePersonTest, MarriageSentencesByCase) {
  const std::int32_t john = Person("John", "Smith", 'M');
  const std::int32_t mary = Person("Mary", "Jones", 'F');
  struct Case {
    const char* what;
    bool spouse;
    CEventValue event;
    char status;
    const char* text;  // after "<B>John Smith</B>", MRIN shown
  };
  const CEventValue none;
  const CEventValue notMarried = Event(Status(CDateValue::kStatusNotMarried));
  const CEventValue notMarriedAt = Event(Status(CDateValue::kStatusNotMarried), "Oslo");
  const Case cases[] = {
      {"1 spouse", true, none, 'M', " married Mary Jones (MRIN:%)."},
      {"2 date", false, Event(Year(1925)), 'M', " was married in 1925 (MRIN:%)."},
      {"2 not married", false, notMarried, 'M', " was not married (MRIN:%)."},
      {"3 spouse and date", true, Event(Year(1925)), 'M', " married Mary Jones in 1925 (MRIN:%)."},
      {"3 not married", true, notMarried, 'M', " was not married to Mary Jones (MRIN:%)."},
      {"4 place", false, Place("Oslo"), 'M', " was married in Oslo (MRIN:%)."},
      {"5 spouse and place", true, Place("Oslo"), 'M', " married Mary Jones in Oslo (MRIN:%)."},
      {"6 date and place", false, Event(Year(1925), "Oslo"), 'M',
       " was married in 1925 in Oslo (MRIN:%)."},
      {"6 not married", false, notMarriedAt, 'M', " was not married at Oslo (MRIN:%)."},
      {"7 all", true, Event(Year(1925), "Oslo"), 'M',
       " married Mary Jones in 1925 in Oslo (MRIN:%)."},
      {"7 not married", true, notMarriedAt, 'M',
       " was not married to Mary Jones at Oslo (MRIN:%)."},
      {"divorce", true, none, 'D', " married Mary Jones (MRIN:%). The marriage ended in divorce."},
      {"no divorce when not married", true, notMarried, 'D',
       " was not married to Mary Jones (MRIN:%)."},
  };
  for (const Case& c : cases) {
    const std::int32_t husband = Person("John", "Smith", 'M');
    const std::int32_t mrin = Marry(husband, c.spouse ? mary : 0, [&](CMarriageRecord& m) {
      m.marriage = c.event;
      m.status = c.status;
    });
    std::string expected = std::string("<B>John Smith</B>") + c.text;
    expected.replace(expected.find('%'), 1, std::to_string(mrin));
    EXPECT_EQ(Paragraph(husband, mrin), expected) << c.what;
    // Without the MRIN.
    std::string bare = expected;
    bare.erase(bare.find(" (MRIN:"), 8 + std::to_string(mrin).size());
    EXPECT_EQ(Paragraph(husband, mrin, true), bare) << c.what;
  }
  // A marriage without spouse, date or place says nothing of it.
  const std::int32_t empty = Marry(john, 0);
  EXPECT_EQ(Paragraph(john, empty), "<B>John Smith</B>.");
}

TEST_F(NarrativePersonTest, MarriageSubjectFollowsTheSentencesBefore) {
  const std::int32_t ann = Person("Ann", "Lee", 'F');
  struct Case {
    char sex;
    bool birth, death;
    const char* text;
  };
  const Case cases[] = {
      {'M', false, false, "<B>Kim Smith</B> married Ann Lee."},
      {'M', true, false, "<B>Kim Smith</B> was born in 1900. He married Ann Lee."},
      {'F', false, true, "<B>Kim Smith</B> died in 1950. She married Ann Lee."},
      {'U', true, false, "<B>Kim Smith</B> was born in 1900. Kim married Ann Lee."},
      {'M', true, true, "<B>Kim Smith</B> was born in 1900. He died in 1950. Kim married Ann Lee."},
  };
  for (const Case& c : cases) {
    const std::int32_t kim = Person("Kim", "Smith", c.sex, [&](auto& p) {
      if (c.birth) p.birth = Event(Year(1900));
      if (c.death) p.death = Event(Year(1950));
    });
    const std::int32_t mrin = c.sex == 'F' ? Marry(ann, kim) : Marry(kim, ann);
    EXPECT_EQ(Paragraph(kim, mrin, true), c.text) << c.sex << c.birth << c.death;
  }
}

TEST_F(NarrativePersonTest, RelationshipAndMultipleParentSentences) {
  const std::int32_t father = Person("Peter", "Smith", 'M');
  const std::int32_t mother = Person("Ann", "Lee", 'F');
  const std::int32_t parents = Marry(father, mother);
  const std::int32_t others = Marry(Person("Olaf", "Berg", 'M'), Person("Eva", "Berg", 'F'));
  struct Case {
    const char* given;
    char sex;
    char first, second;
    bool otherParents;
    const char* tail;
  };
  const Case cases[] = {
      // The family file keeps one letter for both parents.
      {"John", 'M', 'a', 'a', false, "  He was related to his parents by adoption."},
      {"Mary", 'F', 'g', 'g', false, "  She was related to her parents by guardianship."},
      {"Pat", 'U', 's', 's', false, "  Pat was related to his/her parents by Sealing."},
      {"John", 'M', 'c', 'c', false, "  The parent relationship has been challenged."},
      {"John", 'M', 'd', 'd', false, "  The parent relationship has been disproved."},
      {"John", 'M', 'b', 'b', true, "  He had other parents."},
      {"Mary", 'F', 'b', 'b', true, "  She had other parents."},
      {"Pat", 'U', 'b', 'b', true, "  There were other parents."},
      {"John", 'M', 'a', 'a', true,
       "  He was related to his parents by adoption; he had other parents."},
      {"John", 'M', 'b', 'b', false, ""},
  };
  for (const Case& c : cases) {
    const std::int32_t child = Person(c.given, "Smith", c.sex);
    AddChild(child, parents);
    SetParentLink(child, c.first, c.second);
    if (c.otherParents) AddChild(child, others);
    PersonNarrativeArgs args;
    args.rin = child;
    args.parentLinks = true;
    args.multipleParents = true;
    EXPECT_EQ(Narrate(args), "<B>" + std::string(c.given) + " Smith</B>." + c.tail)
        << c.given << c.first << c.second;
  }
}

TEST_F(NarrativePersonTest, OtherEventsOfEachDateKind) {
  const std::int32_t emigration = EventType("Emigration", "emigrated", "to", 1, false);
  const std::int32_t service = EventType("Service", "served", "in", 2, false);
  const std::int32_t occupation = EventType("Occupation", "worked as", "in", 0, true);
  struct Case {
    const char* what;
    std::function<void(std::int32_t)> events;
    const char* tail;
  };
  const Case cases[] = {
      {"single date and place",
       [&](std::int32_t p) { UserEvent(p, emigration, Year(1920), "America"); },
       "\r\n\r\nJohn emigrated in 1920 to America."},
      {"single date", [&](std::int32_t p) { UserEvent(p, emigration, Year(1920), ""); },
       "\r\n\r\nJohn emigrated in 1920."},
      {"place only", [&](std::int32_t p) { UserEvent(p, emigration, {}, "America"); },
       "\r\n\r\nJohn emigrated  to America."},
      {"range", [&](std::int32_t p) { UserEvent(p, service, Year(1914), "", "", Year(1918)); },
       "\r\n\r\nJohn served 1914 - 1918."},
      {"no date kind, a description",
       [&](std::int32_t p) { UserEvent(p, occupation, Year(1930), "", "a smith"); },
       "\r\n\r\nJohn worked as a smith."},
      {"two events: a subject after a dated one",
       [&](std::int32_t p) {
         UserEvent(p, emigration, Year(1920), "America");
         UserEvent(p, service, Year(1914), "France", "", Year(1918));
       },
       "\r\n\r\nJohn emigrated in 1920 to America. He served 1914 - 1918 in France."},
      {"nothing to tell", [&](std::int32_t p) { UserEvent(p, emigration, {}, ""); }, ""},
      {"confidential left out",
       [&](std::int32_t p) { UserEvent(p, emigration, Year(1920), "", "", {}, true); }, ""},
  };
  for (const Case& c : cases) {
    const std::int32_t john = Person("John", "Smith", 'M');
    c.events(john);
    PersonNarrativeArgs args;
    args.rin = john;
    args.otherEvents = true;
    EXPECT_EQ(Narrate(args), "<B>John Smith</B>." + std::string(c.tail)) << c.what;
  }
  // Included on request.
  const std::int32_t john = Person("John", "Smith", 'M');
  UserEvent(john, emigration, Year(1920), "", "", {}, true);
  PersonNarrativeArgs args;
  args.rin = john;
  args.otherEvents = true;
  args.confidential = true;
  EXPECT_EQ(Narrate(args), "<B>John Smith</B>.\r\n\r\nJohn emigrated in 1920.");
}

TEST_F(NarrativePersonTest, LivingPersonGetsTheNameOnly) {
  const std::int32_t living = Person("John", "Smith", 'M', [](auto& p) {
    p.birth = Event(Year(1980));
    p.nameExtensions[0] = "Jack";
  });
  const std::int32_t dead = Person("Ann", "Smith", 'F', [](auto& p) {
    p.birth = Event(Year(1900));
    p.death = Event(Year(1950));
  });
  PersonNarrativeArgs args;
  args.livingCheck = true;
  args.rin = living;
  EXPECT_EQ(Narrate(args), "<B>John Smith</B>");
  args.rin = dead;
  EXPECT_EQ(Narrate(args), "<B>Ann Smith</B> was born in 1900. She died in 1950.");
  // On a web page the living person's name is withheld unless names are kept.
  args.rin = living;
  args.htmlMode = HtmlMode::kAncestors;
  EXPECT_EQ(Narrate(args), "<b><a name=\"" + std::to_string(living) + "\"></a>Living</b>");
  NarrativeSettings keep;
  keep.doName = true;
  EXPECT_EQ(Narrate(args, CNarrativeBuilder(keep)),
            "<b><a name=\"" + std::to_string(living) + "\"></a>John Smith</b>");
}

TEST_F(NarrativePersonTest, WebParagraphLinksAndEscapes) {
  const std::int32_t father =
      Person("Peter", "Smith", 'M', [](auto& p) { p.death = Event(Year(1940)); });
  const std::int32_t john = Person("John", "Smith", 'M', [](auto& p) {
    p.birth = Event(Year(1900), "Oslo");
    p.death = Event(Year(1950));
  });
  PersonNarrativeArgs args;
  args.rin = john;
  args.htmlMode = HtmlMode::kFamilyPages;
  args.parentsPage = 4;
  args.parentsAnchor = std::to_string(father);
  args.afterName = "<br>";
  const std::string anchor = "<a name=\"" + std::to_string(john) + "\"></a>";
  EXPECT_EQ(Narrate(args),
            "<b>" + anchor + "John Smith&nbsp;[<a href=\"orvg04.htm#" + std::to_string(father) +
                "\">Parents</a>]</b><br> was born in 1900 in Oslo. He died in 1950.");
  NarrativeSettings settings;
  settings.filePrefix = "fam";
  WebLineageItem parentItem{2, father, nullptr};
  WebLineageItem item{3, john, &parentItem};
  args.htmlMode = HtmlMode::kDescendants;
  args.webItem = &item;
  args.afterName.clear();
  EXPECT_EQ(Narrate(args, CNarrativeBuilder(settings)),
            "<b>" + anchor + "<a href=\"famg03.htm#" + std::to_string(john) +
                "C\">John Smith</a></b> (<a href=\"famg03.htm#" + std::to_string(john) +
                "\">John</a>\n, <a href=\"famg02.htm#" + std::to_string(father) +
                "\">Peter Smith</a>\n) was born in 1900 in Oslo. He died in 1950.");
}

TEST_F(NarrativePersonTest, WebLineageNamesTheSurnameAtTheEndOfEachRun) {
  auto dead = [&](const char* given, const char* surname) {
    return Person(given, surname, 'M', [](auto& p) { p.death = Event(Year(1900)); });
  };
  const std::int32_t ann = dead("Ann", "Smith");
  const std::int32_t john = dead("John", "Smith");
  const std::int32_t olaf = dead("Olaf", "Berg");
  const std::int32_t peter = dead("Peter", "Smith");
  WebLineageItem p4{1, peter, nullptr};
  WebLineageItem p3{1, olaf, &p4};
  WebLineageItem p2{1, john, &p3};
  WebLineageItem p1{1, ann, &p2};
  PersonNarrativeArgs args;
  args.rin = ann;
  args.htmlMode = HtmlMode::kDescendants;
  args.webItem = &p1;
  const std::string text = Narrate(args);
  auto link = [](std::int32_t rin, const char* name) {
    return "<a href=\"orvg01.htm#" + std::to_string(rin) + "\">" + name + "</a>\n";
  };
  EXPECT_NE(text.find(" (" + link(ann, "Ann") + ", " + link(john, "John Smith") + ", " +
                      link(olaf, "Olaf Berg") + ", " + link(peter, "Peter Smith") + ")"),
            std::string::npos)
      << text;
}

TEST_F(NarrativePersonTest, HostileTextIsLiteralInBooksAndEscapedOnWebPages) {
  const std::int32_t type = EventType("Odd", "did %1 %s", "at <", 1, true);
  const std::int32_t person = Person("A%1<script>", "O'Neil & \"Co\"", 'M', [](auto& p) {
    p.nameExtensions[0] = "%%";
    p.birth = Event(Year(1900), "%s <b>&");
    p.death = Event(Year(1950));
    p.texts2[0] = "%2 & <i>";
  });
  UserEvent(person, type, Year(1920), "%%p", "%1 \"q\"");
  const std::int32_t spouse = Person("B%s", "%%", 'F');
  const std::int32_t mrin = Marry(person, spouse, [](auto& m) { m.marriage = Place("%1 & \""); });
  PersonNarrativeArgs args;
  args.rin = person;
  args.marriage = mrin;
  args.suppressMrin = true;
  args.otherEvents = true;
  const std::string book = Narrate(args);
  EXPECT_EQ(
      book,
      "<B>A%1<script> O'Neil & \"Co\"</B> \"%%\" was born in 1900 in %s <b>&. He died in 1950 "
      "from %2 & <i>. %% married B%s %% in %1 & \".\r\n\r\n%% did %1 %s %1 \"q\" in 1920 at "
      "< %%p.");
  args.htmlMode = HtmlMode::kAncestors;
  const std::string web = Narrate(args);
  EXPECT_EQ(web,
            "<b><a name=\"" + std::to_string(person) +
                "\"></a>A%1&lt;script&gt; O'Neil &amp; &quot;Co&quot;</b> \"%%\" was "
                "born in 1900 in %s &lt;b&gt;&amp;. He died in 1950 from %2 &amp; &lt;i&gt;. %% "
                "married B%s %% in %1 &amp; &quot;.\r\n\r\n%% did %1 %s %1 &quot;q&quot; in 1920 "
                "at &lt; %%p.");
}

TEST_F(NarrativePersonTest, SameArgumentsGiveTheSameBytes) {
  const std::int32_t source = Source("Parish book");
  const std::int32_t john = Person("John", "Smith", 'M', [](auto& p) {
    p.birth = Event(Year(1900), "Oslo");
    p.death = Event(Year(1950));
    p.baptism.date = Year(1910);
  });
  Cite(source, john, db::kOwnerBirth);
  Cite(Source("Census"), john, db::kOwnerDeath);
  const std::int32_t mrin = Marry(john, Person("Ann", "Lee", 'F'));
  PersonNarrativeArgs args;
  args.rin = john;
  args.marriage = mrin;
  args.sourceNotes = true;
  args.zel = true;
  ResetCitations();
  const std::string first = Narrate(args);
  ResetCitations();
  const std::string second = Narrate(args);
  EXPECT_EQ(first, second);
  EXPECT_EQ(first,
            "<B>John Smith</B> was born<S>1</S> in 1900 in Oslo. He died<S>2</S> in 1950. "
            "John was baptized in 1910. John married Ann Lee (MRIN:" +
                std::to_string(mrin) + ").");
}

}  // namespace
