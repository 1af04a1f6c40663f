// Ordinance sentences of a person and of a couple, in English and French.

#include <string>

#include "narrative_fixture.h"

namespace {

class NarrativeOrdinanceTest : public NarrativeFixture {
 public:
  struct Ordinances {
    CDateValue sealing, baptism, endowment;
    const char* sealingTemple = "";
    const char* baptismTemple = "";
    const char* endowmentTemple = "";
    const char* baptismPlace = nullptr;  // the place of a baptism of the living
  };
  std::string Sentences(char sex, const Ordinances& o, const char* nickname = "",
                        const CNarrativeBuilder& builder = {}) {
    const std::int32_t rin = Person("John", "Smith", sex, [&](CIndividualRecord& p) {
      p.nameExtensions[0] = nickname;
      p.baptism.date = o.baptism;
      p.baptism.templeCode = o.baptismTemple;
      p.endowment.date = o.endowment;
      p.endowment.templeCode = o.endowmentTemple;
      if (o.baptismPlace) p.fifthEvent = Place(o.baptismPlace);
    });
    if (o.sealing.IsSet() || *o.sealingTemple) {
      AddChild(rin, Marry(Person("Peter", "Smith", 'M'), Person("Ann", "Lee", 'F')));
      SetParentSealing(rin, o.sealing, o.sealingTemple);
    }
    CIndividualRecord person;
    EXPECT_EQ(DbGetRecord(rin, db::kIndividual, &person), 1);
    std::string out = "left over";
    ResetCitations();
    builder.BuildOrdinanceSentences(person, out, false, true, Context(), HtmlMode::kBookText);
    return out;
  }
};

TEST_F(NarrativeOrdinanceTest, SealingToParents) {
  using D = CDateValue;
  struct Case {
    char sex;
    CDateValue date;
    const char* temple;
    const char* text;
  };
  const Case cases[] = {
      {'M', Year(1950), "", "He was sealed to his parents in 1950."},
      {'M', {}, "HARRO", "He was sealed to his parents in the Harrowmere temple."},
      {'F', Year(1950), "HARRO", "She was sealed to her parents in 1950 in the Harrowmere temple."},
      {'U', Year(1950), "", "Jo was sealed to his/her parents in 1950."},
      {'M', Status(D::kStatusBIC), "", "He was born in the covenant."},
      {'F', Status(D::kStatusDNS), "", "The sealing to her parents should not be done."},
      {'M', Status(D::kStatusStillborn), "",
       "Because he was stillborn, sealing to parents is not necessary."},
      {'M', Status(D::kStatusCancelled), "HARRO", "His sealing to parents was cancelled."},
      {'M', Status(D::kStatusCleared), "HARRO",
       "His sealing to parents was cleared at the Harrowmere temple."},
      {'F', Status(D::kStatusCleared), "", "Her sealing to parents was cleared."},
      {'U', Status(D::kStatusCompleted), "HARRO",
       "His/Her sealing to parents was completed at the Harrowmere temple."},
      {'M', Status(D::kStatusCompleted), "", "His sealing to parents was completed."},
      {'M', Status(D::kStatusDone), "HARRO",
       "His sealing to parents was done at the Harrowmere temple."},
      {'M', Status(D::kStatusDone), "", "His sealing to parents is done."},
      {'M', Status(D::kStatusPre1970), "HARRO",
       "His sealing to parents was completed before 1970 at the Harrowmere temple."},
      {'M', Status(D::kStatusPre1970), "", "His sealing to parents was completed before 1970."},
      {'M', Status(D::kStatusUncleared), "HARRO", "His sealing to parents was uncleared."},
      {'M', Status(D::kStatusSubmitted), "HARRO",
       "His sealing to parents was submitted to the Harrowmere temple."},
      {'M', Status(D::kStatusSubmitted), "", "His sealing to parents was submitted."},
      {'M', Status(D::kStatusDead), "HARRO", ""},
      {'M', Status(D::kStatusInfant), "", ""},
  };
  for (const Case& c : cases) {
    Ordinances o;
    o.sealing = c.date;
    o.sealingTemple = c.temple;
    EXPECT_EQ(Sentences(c.sex, o, "Jo"), c.text) << c.text;
  }
}

TEST_F(NarrativeOrdinanceTest, SealingToParentsInFrench) {
  using D = CDateValue;
  NarrativeSettings settings;
  settings.french = true;
  const CNarrativeBuilder french(settings);
  struct Case {
    int status;
    const char* temple;
    const char* text;  // Western code page
  };
  const Case cases[] = {
      {D::kStatusCancelled, "HARRO", "Le scellement \xE0 ses parents a \xE9t\xE9 annul\xE9."},
      {D::kStatusCleared, "HARRO",
       "Le scellement \xE0 ses parents a \xE9t\xE9 autoris\xE9 au Harrowmere temple."},
      {D::kStatusCleared, "", "Le scellement \xE0 ses parents a \xE9t\xE9 autoris\xE9."},
      {D::kStatusCompleted, "HARRO",
       "Le scellement \xE0 ses parents a \xE9t\xE9 accompli au Harrowmere temple."},
      {D::kStatusCompleted, "", "Le scellement \xE0 ses parents a \xE9t\xE9 accompli."},
      {D::kStatusDone, "HARRO",
       "Le scellement \xE0 ses parents a \xE9t\xE9 fait au Harrowmere temple."},
      {D::kStatusDone, "", "Le scellement \xE0 ses parents est fait."},
      {D::kStatusPre1970, "HARRO",
       "Le scellement \xE0 ses parents a \xE9t\xE9 accompli avant 1970 au Harrowmere temple."},
      {D::kStatusPre1970, "", "Le scellement \xE0 ses parents a \xE9t\xE9 accompli avant 1970. "},
      {D::kStatusUncleared, "HARRO",
       "Le scellement \xE0 ses parents n'a pas \xE9t\xE9 autoris\xE9."},
      {D::kStatusSubmitted, "HARRO",
       "Le scellement \xE0 ses parents a \xE9t\xE9 demand\xE9 au Harrowmere temple."},
      {D::kStatusSubmitted, "", "Le scellement \xE0 ses parents a \xE9t\xE9 demand\xE9."},
  };
  for (const Case& c : cases) {
    Ordinances o;
    o.sealing = Status(c.status);
    o.sealingTemple = c.temple;
    EXPECT_EQ(Sentences('F', o, "", french), c.text) << c.status << c.temple;
  }
  // The interface language comes from the options.
  profile.SetString("Options", "LanguageUI", "fr");
  EXPECT_TRUE(ReadNarrativeSettings(profile).french);
  profile.SetString("Options", "LanguageUI", "DE");
  EXPECT_FALSE(ReadNarrativeSettings(profile).french);
}

TEST_F(NarrativeOrdinanceTest, Baptism) {
  using D = CDateValue;
  struct Case {
    char sex;
    CDateValue date;
    const char* temple;
    const char* place;
    const char* text;
  };
  const Case cases[] = {
      {'M', Year(1950), "", nullptr, "John was baptized in 1950."},
      {'M', Year(1950), "live", nullptr, "John was baptized in 1950."},
      {'M', {}, "HARRO", nullptr, "John was baptized in the Harrowmere temple."},
      {'F', Year(1950), "HARRO", nullptr, "John was baptized in 1950 in the Harrowmere temple."},
      {'M', Year(1950), "", "Oslo", "John was baptized in 1950 in Oslo."},
      {'M', {}, "", "Oslo", "John was baptized in Oslo."},
      {'M', Status(D::kStatusChild), "", nullptr,
       "Because he died as a child, baptism is not necessary."},
      {'F', Status(D::kStatusInfant), "", nullptr,
       "Because she died as an infant, baptism is not necessary."},
      {'U', Status(D::kStatusStillborn), "", nullptr,
       "Because he/she was stillborn, baptism is not necessary."},
      {'M', Status(D::kStatusCleared), "HARRO", nullptr,
       "His baptism was cleared at the Harrowmere temple."},
      {'F', Status(D::kStatusCleared), "", nullptr, "Her baptism was cleared."},
      {'M', Status(D::kStatusCompleted), "", "Oslo", "His baptism was completed at Oslo."},
      {'M', Status(D::kStatusCompleted), "HARRO", nullptr,
       "His baptism was completed at the Harrowmere temple."},
      {'U', Status(D::kStatusCompleted), "", nullptr, "His/Her baptism was completed."},
      {'M', Status(D::kStatusDone), "", "Oslo", "His baptism was done at Oslo."},
      {'M', Status(D::kStatusDone), "HARRO", nullptr,
       "His baptism was done at the Harrowmere temple."},
      {'M', Status(D::kStatusDone), "", nullptr, "His baptism is done."},
      {'M', Status(D::kStatusPre1970), "HARRO", nullptr,
       "His baptism was completed before 1970 at the Harrowmere temple."},
      {'M', Status(D::kStatusPre1970), "", nullptr, "His baptism was completed before 1970."},
      {'M', Status(D::kStatusUncleared), "HARRO", nullptr, "His baptism was uncleared."},
      {'M', Status(D::kStatusSubmitted), "HARRO", nullptr,
       "His baptism was submitted to the Harrowmere temple."},
      {'M', Status(D::kStatusSubmitted), "", nullptr, "His baptism was submitted."},
      {'M', Status(D::kStatusCancelled), "HARRO", nullptr, ""},
  };
  for (const Case& c : cases) {
    Ordinances o;
    o.baptism = c.date;
    o.baptismTemple = c.temple;
    o.baptismPlace = c.place;
    EXPECT_EQ(Sentences(c.sex, o), c.text) << c.text;
  }
}

TEST_F(NarrativeOrdinanceTest, Endowment) {
  using D = CDateValue;
  struct Case {
    char sex;
    CDateValue date;
    const char* temple;
    const char* text;
  };
  const Case cases[] = {
      {'M', Year(1950), "", "He was endowed in 1950."},
      {'F', {}, "HARRO", "She was endowed in the Harrowmere temple."},
      {'U', Year(1950), "HARRO", "John was endowed in 1950 in the Harrowmere temple."},
      {'M', Status(D::kStatusChild), "", "Because he died as a child, endowment is not necessary."},
      {'F', Status(D::kStatusInfant), "",
       "Because she died as an infant, endowment is not necessary."},
      {'M', Status(D::kStatusStillborn), "",
       "Because he was stillborn, endowment is not necessary."},
      {'M', Status(D::kStatusCleared), "HARRO",
       "His endowment was cleared at the Harrowmere temple."},
      {'M', Status(D::kStatusCleared), "", "His endowment was cleared."},
      {'F', Status(D::kStatusCompleted), "HARRO",
       "Her endowment was completed at the Harrowmere temple."},
      {'M', Status(D::kStatusCompleted), "", "His endowment was completed."},
      {'M', Status(D::kStatusDone), "HARRO", "His endowment was done at the Harrowmere temple."},
      {'M', Status(D::kStatusDone), "", "His endowment is done."},
      {'M', Status(D::kStatusPre1970), "HARRO",
       "His endowment was completed before 1970 at the Harrowmere temple."},
      {'U', Status(D::kStatusPre1970), "", "His/Her endowment was completed before 1970."},
      {'M', Status(D::kStatusUncleared), "HARRO", "His endowment was uncleared."},
      {'M', Status(D::kStatusSubmitted), "HARRO",
       "His endowment was submitted to the Harrowmere temple."},
      {'M', Status(D::kStatusSubmitted), "", "His endowment was submitted."},
  };
  for (const Case& c : cases) {
    Ordinances o;
    o.endowment = c.date;
    o.endowmentTemple = c.temple;
    EXPECT_EQ(Sentences(c.sex, o), c.text) << c.text;
  }
}

TEST_F(NarrativeOrdinanceTest, StillbornAndChildStatusesFoldTheOrdinancesTogether) {
  using D = CDateValue;
  const CDateValue stillborn = Status(D::kStatusStillborn);
  struct Case {
    Ordinances o;
    const char* text;
  };
  const Case cases[] = {
      {{stillborn, stillborn, {}},
       "Because he was stillborn, sealing to parents and baptism are not necessary."},
      {{stillborn, {}, stillborn},
       "Because he was stillborn, sealing to parents and endowment are not necessary."},
      {{stillborn, stillborn, stillborn}, "Because he was stillborn, no ordinances are necessary."},
      {{{}, stillborn, stillborn},
       "Because he was stillborn, baptism and endowment are not necessary."},
      {{{}, Status(D::kStatusChild), Status(D::kStatusChild)},
       "Because he died as a child, baptism and endowment are not necessary."},
      {{{}, Status(D::kStatusInfant), Status(D::kStatusInfant)},
       "Because he died as an infant, baptism and endowment are not necessary."},
      {{{}, Status(D::kStatusChild), Status(D::kStatusInfant)},
       "Because he died as a child, baptism is not necessary. Because he died as an infant, "
       "endowment is not necessary."},
      {{Year(1950), Year(1951), Year(1952)},
       "He was sealed to his parents in 1950. John was baptized in 1951. He was endowed in 1952."},
  };
  for (const Case& c : cases) EXPECT_EQ(Sentences('M', c.o), c.text);
}

TEST_F(NarrativeOrdinanceTest, CitationMarksOfOrdinances) {
  const std::int32_t source = Source("Temple records");
  const std::int32_t rin = Person("John", "Smith", 'M', [](CIndividualRecord& p) {
    p.endowment.date = Status(CDateValue::kStatusInfant);
  });
  AddChild(rin, Marry(Person("Peter", "Smith", 'M'), Person("Ann", "Lee", 'F')));
  SetParentSealing(rin, Year(1950), "HARRO");
  Cite(source, rin, db::kOwnerEndowment);
  Cite(Source("Letters"), rin, db::kOwnerSealingToParents);
  CIndividualRecord person;
  ASSERT_EQ(DbGetRecord(rin, db::kIndividual, &person), 1);
  std::string out;
  CNarrativeBuilder().BuildOrdinanceSentences(person, out, false, true, Context(),
                                              HtmlMode::kBookText);
  // The infant endowment's own mark follows "endowment".
  EXPECT_EQ(out,
            "He was sealed<S>1</S> to his parents in 1950 in the Harrowmere temple. Because "
            "he died as an infant, endowment<S>2</S> is not necessary.");
  // Without source notes no mark at all.
  CNarrativeBuilder().BuildOrdinanceSentences(person, out, false, false, Context(),
                                              HtmlMode::kBookText);
  EXPECT_EQ(out,
            "He was sealed to his parents in 1950 in the Harrowmere temple. Because he died as "
            "an infant, endowment is not necessary.");
}

TEST_F(NarrativeOrdinanceTest, SealingToSpouse) {
  using D = CDateValue;
  struct Case {
    CDateValue date;
    const char* temple;
    const char* text;
  };
  const Case cases[] = {
      {Year(1960), "", "They were sealed in 1960."},
      {{}, "HARRO", "They were sealed in the Harrowmere temple."},
      {Year(1960), "HARRO", "They were sealed in 1960 in the Harrowmere temple."},
      {Status(D::kStatusCancelled), "HARRO", "Their sealing was uncleared."},
      {Status(D::kStatusUncleared), "", "Their sealing was uncleared."},
      {Status(D::kStatusCleared), "HARRO", "Their sealing was cleared at the Harrowmere temple."},
      {Status(D::kStatusCleared), "", "Their sealing was cleared."},
      {Status(D::kStatusCompleted), "HARRO",
       "Their sealing was completed at the Harrowmere temple."},
      {Status(D::kStatusCompleted), "", "Their sealing was completed."},
      {Status(D::kStatusDone), "HARRO", "Their sealing was done at the Harrowmere temple."},
      {Status(D::kStatusDone), "", "Their sealing is done."},
      {Status(D::kStatusPre1970), "HARRO",
       "Their sealing was completed before 1970 in the Harrowmere temple."},
      {Status(D::kStatusPre1970), "", "Their sealing was completed before 1970."},
      {Status(D::kStatusSubmitted), "HARRO",
       "Their sealing was submitted to the Harrowmere temple."},
      {Status(D::kStatusSubmitted), "", "Their sealing was submitted."},
      {Status(D::kStatusDNS), "HARRO", "Their sealing should not be done."},
      {Status(D::kStatusDNSCAN), "", "Their sealing was cancelled and should not be done."},
      {Status(D::kStatusBIC), "", ""},
      {{}, "", ""},
  };
  const std::int32_t husband = Person("John", "Smith", 'M');
  const std::int32_t wife = Person("Ann", "Lee", 'F');
  for (const Case& c : cases) {
    const std::int32_t mrin = Marry(husband, wife, [&](CMarriageRecord& m) {
      m.sealingToSpouse.date = c.date;
      m.sealingToSpouse.templeCode = c.temple;
    });
    CMarriageRecord marriage;
    ASSERT_EQ(DbGetRecord(mrin, db::kMarriage, &marriage), 1);
    std::string out = "left over";
    CNarrativeBuilder().BuildSealingToSpouse(marriage, out, true, Context(), HtmlMode::kBookText);
    EXPECT_EQ(out, c.text) << c.text;
  }
}

TEST_F(NarrativeOrdinanceTest, OrdinancesInThePersonParagraph) {
  const std::int32_t alone =
      Person("John", "Smith", 'M', [](CIndividualRecord& p) { p.baptism.date = Year(1950); });
  PersonNarrativeArgs args;
  args.rin = alone;
  args.zel = true;
  EXPECT_EQ(Narrate(args), "<B>John Smith</B>.  John was baptized in 1950.");
  const std::int32_t born = Person("John", "Smith", 'M', [](CIndividualRecord& p) {
    p.birth = Event(Year(1900));
    p.baptism.date = Year(1950);
  });
  const std::int32_t wife = Person("Ann", "Lee", 'F');
  const std::int32_t mrin = Marry(born, wife, [](CMarriageRecord& m) {
    m.marriage = Event(Year(1925));
    m.sealingToSpouse.date = Year(1960);
  });
  args.rin = born;
  args.marriage = mrin;
  args.suppressMrin = true;
  EXPECT_EQ(Narrate(args),
            "<B>John Smith</B> was born in 1900. John was baptized in 1950. He married Ann Lee in "
            "1925. They were sealed in 1960.");
  args.zel = false;
  EXPECT_EQ(Narrate(args), "<B>John Smith</B> was born in 1900. He married Ann Lee in 1925.");
}

}  // namespace
