// The export's line writers: plain and tag-and-value lines, the long-text
// splitter of both forms, and the pedigree words of parent links.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CodePage.h"
#include "GedcomLineWriter.h"

namespace {

using gedcom::GedcomForm;
using gedcom::GedcomLineWriter;
using Lines = std::vector<std::string>;

struct ListSink : gedcom::GedcomLineSink {
  bool WriteLine(std::string_view line) override {
    if (failAt >= 0 && static_cast<int>(lines.size()) == failAt) return false;
    lines.emplace_back(line);
    return true;
  }
  Lines lines;
  int failAt = -1;
};

Lines Split(GedcomForm form, const std::string& text, int level = 1) {
  ListSink sink;
  GedcomLineWriter writer(sink, form);
  EXPECT_TRUE(writer.LongText(level, "NOTE", text));
  return sink.lines;
}

std::string Word(char c, std::size_t n) { return std::string(n, c); }

TEST(LongText55, NoteOf250CharactersIs93ThenConcLinesWithoutEdgeBlanks) {
  // Words of nine letters and a blank: cuts fall next to blanks.
  std::string text;
  while (text.size() < 250) text += "abcdefghi ";
  text.resize(250);
  const Lines lines = Split(GedcomForm::k55, text);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0].rfind("1 NOTE ", 0), 0u);
  std::string joined = lines[0].substr(7);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    ASSERT_EQ(lines[i].rfind("2 CONC ", 0), 0u) << lines[i];
    EXPECT_LE(lines[i].size(), 100u);
    const std::string part = lines[i].substr(7);
    EXPECT_NE(part.front(), ' ') << i;
    EXPECT_NE(lines[i - 1].back(), ' ') << i;
    joined += part;
  }
  EXPECT_EQ(joined, text);
}

TEST(LongText55, Table) {
  struct Case {
    const char* name;
    std::string text;
    Lines expected;
  };
  const std::string a93 = Word('a', 93), b93 = Word('b', 93);
  const std::vector<Case> cases = {
      {"empty", "", {}},
      {"one line", "hello", {"1 NOTE hello"}},
      {"no blanks: full cut", a93 + b93 + "c", {"1 NOTE " + a93, "2 CONC " + b93, "2 CONC c"}},
      {"cut moves back off a blank",
       Word('a', 92) + " bb",
       {"1 NOTE " + Word('a', 91), "2 CONC a bb"}},
      {"CR LF makes CONT", "one\r\ntwo", {"1 NOTE one", "2 CONT two"}},
      {"lone CR and lone LF each one break", "a\rb\nc", {"1 NOTE a", "2 CONT b", "2 CONT c"}},
      {"blank line in the middle", "a\n\nb", {"1 NOTE a", "2 CONT ", "2 CONT b"}},
      {"trailing break writes no pending CONT", "a\r\n", {"1 NOTE a"}},
      {"break right after a full line", a93 + "\nb", {"1 NOTE " + a93, "2 CONT b"}},
      {"@ is doubled", "me@home", {"1 NOTE me@@home"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Split(GedcomForm::k55, c.text), c.expected) << c.name;
}

TEST(LongText55, CutNeverEndsOrBeginsLineWithBlank) {
  // The cut at 93 lands on "x y" boundaries; it moves back past both.
  const std::string text = Word('a', 91) + " x y" + Word('z', 20);
  const Lines lines = Split(GedcomForm::k55, text);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "1 NOTE " + Word('a', 90));
  EXPECT_EQ(lines[1], "2 CONC a x y" + Word('z', 20));
}

TEST(LongText40, Table) {
  struct Case {
    const char* name;
    std::string text;
    Lines expected;
  };
  const std::string word100 = Word('w', 100);
  const std::vector<Case> cases = {
      {"one 100-character word: 33 then 67",
       word100,
       {"1 NOTE " + Word('w', 33), "2 CONT " + Word('w', 67)}},
      {"CR LF makes a new NOTE", "one\r\ntwo", {"1 NOTE one", "1 NOTE two"}},
      {"runs of breaks are one", "one\r\n\r\n\ntwo", {"1 NOTE one", "1 NOTE two"}},
      {"leading blanks skipped", "   x", {"1 NOTE x"}},
      {"cut ends before the last blank, blank dropped",
       Word('a', 50) + " " + Word('b', 50),
       {"1 NOTE " + Word('a', 50), "2 CONT " + Word('b', 50)}},
      {"blank at the cut itself",
       Word('a', 79) + " " + Word('b', 5),
       {"1 NOTE " + Word('a', 79), "2 CONT " + Word('b', 5)}},
      {"blank too early: 40-character floor",
       "ab " + Word('c', 100),
       {"1 NOTE ab " + Word('c', 30), "2 CONT " + Word('c', 70)}},
  };
  for (const Case& c : cases) EXPECT_EQ(Split(GedcomForm::k40, c.text), c.expected) << c.name;
}

TEST(LineWriter, PlainAndTagValue) {
  ListSink sink;
  GedcomLineWriter w(sink, GedcomForm::k55);
  EXPECT_TRUE(w.TagValue("1 NAME", ""));  // an empty value writes nothing
  w.TagValue("2 PLAC", "Line one\r\nLine two");
  w.TagValue("1 _EMAIL", "a@b.org");
  w.Plain(Word('x', 300));
  w.Plain("0 @I1@ INDI");
  EXPECT_EQ(sink.lines, (Lines{"2 PLAC Line one~~Line two", "1 _EMAIL a@@b.org", Word('x', 260),
                               "0 @I1@ INDI"}));
  EXPECT_TRUE(w.CutValues().empty());
}

TEST(LineWriter, NoTagValueLineIsLongerThan255) {
  // 5.5: a value too long for its line goes on as a long text, on CONC lines.
  ListSink sink55;
  GedcomLineWriter w55(sink55, GedcomForm::k55);
  w55.TagValue("1 ABBR", Word('v', 248));  // 255 in all: one line
  w55.TagValue("1 ABBR", Word('v', 257));
  w55.TagValue("2 PHON", Word('p', 240) + "@" + Word('q', 20));
  EXPECT_EQ(sink55.lines,
            (Lines{"1 ABBR " + Word('v', 248), "1 ABBR " + Word('v', 93), "2 CONC " + Word('v', 93),
                   "2 CONC " + Word('v', 71), "2 PHON " + Word('p', 93), "3 CONC " + Word('p', 93),
                   "3 CONC " + Word('p', 54) + "@@" + Word('q', 20)}));
  EXPECT_TRUE(w55.CutValues().empty());

  // 4.0 has no CONC: the value is cut to fit, and remembered.
  ListSink sink40;
  GedcomLineWriter w40(sink40, GedcomForm::k40);
  w40.TagValue("1 DSCR", Word('v', 300));
  // A doubled "@" straddling the limit is not split in half.
  w40.TagValue("1 PHON", Word('p', 247) + "@tail");
  ASSERT_EQ(sink40.lines.size(), 2u);
  EXPECT_EQ(sink40.lines[0], "1 DSCR " + Word('v', 248));
  EXPECT_EQ(sink40.lines[1], "1 PHON " + Word('p', 247));
  ASSERT_EQ(w40.CutValues().size(), 2u);
  EXPECT_EQ(w40.CutValues()[0], "1 DSCR " + Word('v', 40) + "...");
}

TEST(LineWriter, FailedWriteStaysFailed) {
  ListSink sink;
  sink.failAt = 1;
  GedcomLineWriter w(sink, GedcomForm::k55);
  EXPECT_TRUE(w.Plain("0 HEAD"));
  EXPECT_FALSE(w.TagValue("1 SOUR", "ORV"));
  EXPECT_FALSE(w.Plain("0 TRLR"));
  sink.failAt = -1;
  EXPECT_FALSE(w.LongText(1, "NOTE", "later"));
  EXPECT_EQ(sink.lines, (Lines{"0 HEAD"}));
}

TEST(PedigreeWord, Rules) {
  struct Case {
    char father, mother, status;
    const char* word;
  };
  const Case cases[] = {
      {'b', 'b', 'V', "birth"},      {'b', 'b', 'C', "challenged"}, {'a', 'b', 'd', "disproved"},
      {'b', 'C', ' ', "challenged"}, {'a', 'd', ' ', "disproved"},  {'c', 'b', ' ', "challenged"},
      {'d', 'a', ' ', "disproved"},  {'a', 'b', ' ', "birth"},      {'a', 'g', ' ', "adopted"},
      {'g', 's', ' ', "foster"},     {'s', 's', ' ', "sealing"},    {'t', 't', ' ', "foster"},
      {'s', 't', ' ', "foster"},     {'x', 'y', ' ', "sealing"},
  };
  for (const Case& c : cases)
    EXPECT_STREQ(gedcom::PedigreeWord(c.father, c.mother, c.status), c.word)
        << c.father << c.mother << c.status;
}

TEST(PedigreeWord, RelationshipWords) {
  EXPECT_STREQ(gedcom::RelationshipWord('t', false), "foster");
  EXPECT_STREQ(gedcom::RelationshipWord('g', true), "foster");
  EXPECT_STREQ(gedcom::RelationshipWord('s', false), "sealing");
  EXPECT_STREQ(gedcom::RelationshipWord('C', true), "challenged");
  EXPECT_STREQ(gedcom::RelationshipWord('C', false), "birth");  // capitals only for the mother
  EXPECT_STREQ(gedcom::RelationshipWord('D', true), "disproved");
  EXPECT_STREQ(gedcom::RelationshipWord('b', false), "birth");
}

}  // namespace

namespace {

// A cut never parts the two bytes of a letter beyond the code page, nor a
// letter from the accent that follows it, in either form or a cut value.
TEST(LongText, CutsKeepLettersBeyondTheCodePageWhole) {
  const std::string l = plat::Utf8ToAnsi("\u0142", plat::kCodePageWestern);
  const std::string g = plat::Utf8ToAnsi("\u011F", plat::kCodePageWestern);
  ASSERT_EQ(l.size(), 2u);
  ASSERT_EQ(g.size(), 3u);
  for (const std::string& unit : {l, g, "a" + l, "ab" + g}) {
    std::string text;
    while (text.size() < 600) text += unit;
    for (GedcomForm form : {GedcomForm::k55, GedcomForm::k40}) {
      std::string joined;
      for (const std::string& line : Split(form, text)) {
        const std::string piece = line.substr(line.find(' ', 2) + 1);
        EXPECT_TRUE(plat::IsCharacterBoundary(text, joined.size()));
        joined += piece;
      }
      EXPECT_EQ(joined, text);
    }
  }
  // The 4.0 form has no CONC for a tag value: it is cut between characters.
  ListSink sink;
  GedcomLineWriter writer(sink, GedcomForm::k40);
  std::string value;
  while (value.size() < 300) value += l;
  writer.TagValue("1 NAME", value);
  ASSERT_EQ(sink.lines.size(), 1u);
  EXPECT_LE(sink.lines[0].size(), 255u);
  const std::string written = sink.lines[0].substr(7);
  EXPECT_GT(written.size(), 240u);
  EXPECT_TRUE(plat::IsCharacterBoundary(value, written.size()));
  EXPECT_EQ(written, value.substr(0, written.size()));
}

}  // namespace
