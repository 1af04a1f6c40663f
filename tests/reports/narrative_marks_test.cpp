// Citation numbering within sections, the sorted number lists and the
// citation marks after a fact.

#include <string>
#include <vector>

#include "narrative_fixture.h"

namespace {

TEST(InsertSortedNumberTest, KeepsTheListAscendingWithoutRepeats) {
  const struct {
    std::vector<std::int32_t> list;
    std::int32_t number;
    std::vector<std::int32_t> after;
  } cases[] = {
      {{}, 5, {5}},           {{1, 3}, 2, {1, 2, 3}}, {{1, 3}, 0, {0, 1, 3}},
      {{1, 3}, 9, {1, 3, 9}}, {{1, 3}, 3, {1, 3}},    {{1, 3}, 1, {1, 3}},
  };
  for (const auto& c : cases) {
    std::vector<std::int32_t> list = c.list;
    InsertSortedNumber(c.number, list);
    EXPECT_EQ(list, c.after) << c.number;
  }
}

class CitationMarksTest : public NarrativeFixture {
 public:
  void SetUp() override {
    NarrativeFixture::SetUp();
    owner = Person("John", "Smith", 'M');
    parish = Source("Parish book");
    census = Source("Census");
    deeds = Source("Deeds");
    c1 = Cite(parish, owner, db::kOwnerBirth);
    c2 = Cite(census, owner, db::kOwnerBirth);
    c3 = Cite(parish, owner, db::kOwnerDeath);
    c4 = Cite(deeds, owner, db::kOwnerDeath);
  }
  std::int32_t owner = 0, parish = 0, census = 0, deeds = 0;
  std::int32_t c1 = 0, c2 = 0, c3 = 0, c4 = 0;
};

TEST_F(CitationMarksTest, NumbersRepeatWithinASectionAndStartAgainInTheNext) {
  std::vector<std::uint16_t> starts;
  EXPECT_EQ(NumberCitation(c1, numbers, seen, &starts, 1), 1);
  EXPECT_EQ(NumberCitation(c2, numbers, seen, &starts, 1), 2);
  EXPECT_EQ(NumberCitation(c3, numbers, seen, &starts, 1), 1);  // the parish book again
  EXPECT_EQ(numbers, (std::vector<std::int32_t>{c1, c2}));
  EXPECT_EQ(seen, (std::vector<std::uint8_t>{0, 0}));
  // The second section begins after the two sources of the first.
  starts.push_back(2);
  EXPECT_EQ(NumberCitation(c3, numbers, seen, &starts, 2), 1);
  EXPECT_EQ(NumberCitation(c4, numbers, seen, &starts, 2), 2);
  EXPECT_EQ(NumberCitation(c1, numbers, seen, &starts, 2), 1);
  EXPECT_EQ(numbers, (std::vector<std::int32_t>{c1, c2, c3, c4}));
  // The parish book was met in the first section: its second entry is short.
  EXPECT_EQ(seen, (std::vector<std::uint8_t>{0, 0, 1, 0}));
  // Without section starts the whole list is one section.
  EXPECT_EQ(NumberCitation(c2, numbers, seen, nullptr, 2), 2);
  // Discarding the lists starts numbering afresh.
  DiscardCitationNumberLists();
  numbers.clear();
  seen.clear();
  EXPECT_EQ(NumberCitation(c4, numbers, seen, nullptr, 0), 1);
  EXPECT_EQ(seen, (std::vector<std::uint8_t>{0}));
}

TEST_F(CitationMarksTest, EachCitationIsFiledByThePartItSupports) {
  struct Case {
    int appliesTo;
    bool hasDate, hasPlace;
    const char* event;
    const char* date;
    const char* place;
  };
  const Case cases[] = {
      {0, true, true, "", "<S>1</S>", ""},         {0, false, true, "<S>1</S>", "", ""},
      {1, true, true, "", "", "<S>1</S>"},         {1, true, false, "<S>1</S>", "", ""},
      {2, true, true, "", "<S>1</S>", "<S>1</S>"}, {2, true, false, "", "<S>1</S>", ""},
      {2, false, true, "", "", "<S>1</S>"},        {2, false, false, "<S>1</S>", "", ""},
      {3, true, true, "<S>1</S>", "", ""},         {3, false, false, "<S>1</S>", "", ""},
  };
  const CNarrativeBuilder builder;
  for (const Case& c : cases) {
    ResetCitations();
    std::string event = "x", date = "x", place = "x";
    builder.BuildCitationMarks(std::vector<CitationUse>{{c1, c.appliesTo}}, c.hasDate, c.hasPlace,
                               event, date, place, Context(), HtmlMode::kBookText);
    EXPECT_EQ(event, c.event) << c.appliesTo << c.hasDate << c.hasPlace;
    EXPECT_EQ(date, c.date) << c.appliesTo << c.hasDate << c.hasPlace;
    EXPECT_EQ(place, c.place) << c.appliesTo << c.hasDate << c.hasPlace;
  }
  // Several numbers: ascending, each once.
  ResetCitations();
  std::string event, date, place;
  builder.BuildCitationMarks(std::vector<CitationUse>{{c4, 3}, {c1, 0}, {c2, 3}, {c3, 3}, {c1, 3}},
                             true, false, event, date, place, Context(), HtmlMode::kBookText);
  EXPECT_EQ(event, "<S>1,2,3</S>");
  EXPECT_EQ(date, "<S>2</S>");
  EXPECT_EQ(place, "");
  // No citations, or no place to number them in: no marks and no empty pair.
  ResetCitations();
  builder.BuildCitationMarks(std::vector<std::int32_t>{}, true, true, event, date, place, Context(),
                             HtmlMode::kBookText);
  EXPECT_EQ(event + date + place, "");
}

TEST_F(CitationMarksTest, StoredCitationsMarkTheFactAfterTheVerb) {
  Change(owner, [](CIndividualRecord& p) {
    // The events keep the heads of their citation chains.
    p.birth.date = Year(1900);
    p.birth.place[0] = "Oslo";
    p.death.date = Year(1950);
  });
  PersonNarrativeArgs args;
  args.rin = owner;
  args.sourceNotes = true;
  EXPECT_EQ(Narrate(args),
            "<B>John Smith</B> was born<S>1,2</S> in 1900 in Oslo. He died<S>1,3</S> in 1950.");
  args.sourceNotes = false;
  EXPECT_EQ(Narrate(args), "<B>John Smith</B> was born in 1900 in Oslo. He died in 1950.");
  // On a web page numbering starts afresh with every person.
  args.sourceNotes = true;
  args.htmlMode = HtmlMode::kAncestors;
  const std::string web = Narrate(args);
  EXPECT_NE(web.find("was born<SUP><b><a href=\"orvc<?citation-page?>.htm#<?citation-anchor?>C1\"> "
                     "1</a></b>,<b><a href=\"orvc<?citation-page?>.htm#<?citation-anchor?>C2\"> "
                     "2</a></b></SUP> in 1900"),
            std::string::npos)
      << web;
  EXPECT_EQ(Narrate(args), web);
}

TEST_F(CitationMarksTest, WebMarksWithAndWithoutTheirPage) {
  NarrativeSettings settings;
  settings.filePrefix = "fam";
  const CNarrativeBuilder builder(settings);
  std::string out = "x";
  builder.FormatCitationMarks({1, 3}, out, HtmlMode::kAncestors, 4, 17);
  EXPECT_EQ(out,
            "x<SUP><b><a href=\"famc04.htm#17C1\"> 1</a></b>,<b><a href=\"famc04.htm#17C3\"> "
            "3</a></b></SUP>");
  out.clear();
  builder.FormatCitationMarks({12}, out, HtmlMode::kAncestors, -1, 0);
  EXPECT_EQ(out, std::string("<SUP><b><a href=\"famc") + kCitationPageSentinel + ".htm#" +
                     kCitationAnchorSentinel + "C12\"> 12</a></b></SUP>");
  out.clear();
  builder.FormatCitationMarks({12}, out, HtmlMode::kAncestors, 4, 0);  // the anchor unknown
  EXPECT_EQ(out, std::string("<SUP><b><a href=\"famc") + kCitationPageSentinel + ".htm#" +
                     kCitationAnchorSentinel + "C12\"> 12</a></b></SUP>");
  out = "x";
  builder.FormatCitationMarks({}, out, HtmlMode::kAncestors, 4, 17);
  builder.FormatCitationMarks({}, out, HtmlMode::kBookText, -1, 0);
  EXPECT_EQ(out, "x");
  builder.FormatCitationMarks({2, 10}, out, HtmlMode::kBookText, -1, 0);
  EXPECT_EQ(out, "x<S>2,10</S>");
}

}  // namespace

namespace {

TEST(NarrativeSettingsTest, ReadFromTheWebAndLanguageOptions) {
  plat::FakeProfile profile;
  NarrativeSettings s = ReadNarrativeSettings(profile);
  EXPECT_FALSE(s.doName);
  EXPECT_EQ(s.filePrefix, "orv");
  EXPECT_FALSE(s.french);
  profile.SetInt("Web", "DoName", 1);
  profile.SetString("Web", "FilePrefix", "kin");
  profile.SetString("Options", "LanguageUI", "Fr");
  s = ReadNarrativeSettings(profile);
  EXPECT_TRUE(s.doName);
  EXPECT_EQ(s.filePrefix, "kin");
  EXPECT_TRUE(s.french);
}

}  // namespace
