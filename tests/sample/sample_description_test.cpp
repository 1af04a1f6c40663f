// Reading a sample description: records and their statements, and every
// mistake reported with its line before a family file is begun.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SampleDescription.h"

namespace {

using sample::ParseDescription;

TEST(SampleDescriptionTest, ReadsRecordsAndForwardReferences) {
  const char* text =
      "# a comment\r\n"
      "family f\r\n"
      "  husband a\r\n"
      "  marriage Abt 1800 |  Brunnby, Norrbo \r\n"
      "  status D\r\n"
      "  child c\r\n"
      "  cite marriage | reg | p. 4\r\n"
      "\r\n"
      "person a\r\n"
      "\tsurname  Holm\r\n"
      "\tgiven Anna Lisa\r\n"
      "\tsex F\r\n"
      "\tdeath | Östvik\r\n"
      "\tnote One.\r\n"
      "\tnote Two | three.\r\n"
      "person c\n"
      "person u\n"
      "  unknown-parents\n"
      "source reg\n"
      "  title Register\n";
  std::vector<std::string> errors;
  const sample::Description d = ParseDescription(text, errors);
  EXPECT_EQ(errors, std::vector<std::string>{});

  ASSERT_EQ(d.families.size(), 1u);
  const sample::FamilyEntry& f = d.families[0];
  EXPECT_EQ(f.line, 2);
  EXPECT_EQ(f.husband, "a");
  EXPECT_EQ(f.wife, "");
  EXPECT_EQ(f.marriage.date, "Abt 1800");
  EXPECT_EQ(f.marriage.place, "Brunnby, Norrbo");
  EXPECT_EQ(f.status, 'D');
  EXPECT_EQ(f.children, std::vector<std::string>{"c"});
  ASSERT_EQ(f.citations.size(), 1u);
  EXPECT_EQ(f.citations[0].owner, "marriage");
  EXPECT_EQ(f.citations[0].source, "reg");
  EXPECT_EQ(f.citations[0].page, "p. 4");

  ASSERT_EQ(d.people.size(), 3u);
  const sample::PersonEntry* a = d.FindPerson("a");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->surname, "Holm");
  EXPECT_EQ(a->given, "Anna Lisa");
  EXPECT_EQ(a->sex, 'F');
  ASSERT_EQ(a->events.size(), 1u);
  EXPECT_EQ(a->events[0].keyword, "death");
  EXPECT_EQ(a->events[0].date, "");
  EXPECT_EQ(a->events[0].place, "Östvik");
  // A note is free text: a bar in it is no field separator.
  EXPECT_EQ(a->notes, std::vector<std::string>({"One.", "Two | three."}));
  EXPECT_FALSE(a->unknownParents);
  EXPECT_EQ(d.FindPerson("c")->sex, 'U');
  EXPECT_FALSE(d.FindPerson("c")->unknownParents);
  EXPECT_TRUE(d.FindPerson("u")->unknownParents);
  EXPECT_EQ(d.FindSource("reg")->title, "Register");
  EXPECT_EQ(d.FindPerson("reg"), nullptr);
}

TEST(SampleDescriptionTest, ReportsEachMistakeWithItsLine) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"surname Holm\n", "line 1: \"surname\" outside a person, family or source"},
      {"person\n", "line 1: person needs one word as its id"},
      {"person a\nperson a\n", "line 2: a person \"a\" exists already"},
      {"person a\n  sex X\n", "line 2: sex is M, F or U"},
      {"person a\n  height 180\n", "line 2: a person has no \"height\""},
      {"person a\n  surname A\n  surname B\n", "line 3: surname given twice"},
      {"person a\n  birth 1800\n  birth 1801\n", "line 3: birth given twice"},
      {"person a\n  birth 31 Foo 1800\n", "line 2: \"31 Foo 1800\" is not a standard date"},
      {"person a\n  birth |\n", "line 2: birth takes a date, a place, or both: DATE | PLACE"},
      {"person a\n  note\n", "line 2: note needs a text"},
      {"person a\n  cite marriage | s | p\nsource s\n",
       "line 2: \"marriage\" cannot own a citation here"},
      {"person a\n  cite birth | s\n", "line 2: cite takes OWNER | SOURCE | PAGE"},
      {"person a\n  cite birth | nowhere | p. 1\n", "line 2: source \"nowhere\" is not a source"},
      {"family f\n  husband x\n", "line 1: husband \"x\" is not a person"},
      {"person a\nfamily f\n  husband a\n  wife a\n", "line 2: \"a\" is both husband and wife"},
      {"family f\n", "line 1: family \"f\" has nobody in it"},
      {"person a\nperson c\nfamily f\n  wife a\n  child c\n  child c\n",
       "line 6: \"c\" is a child of this family already"},
      {"family f\n  status M\n  child c\nperson c\n", "line 2: status is D (divorced)"},
      {"person c\n  unknown-parents\nfamily f\n  child c\n",
       "line 1: \"c\" has unknown parents but is listed as a child"},
      {"source s\n  pages 12\n", "line 2: a source has no \"pages\""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> errors;
    ParseDescription(c.text, errors);
    EXPECT_EQ(errors, std::vector<std::string>{c.error}) << c.text;
  }
}

}  // namespace
