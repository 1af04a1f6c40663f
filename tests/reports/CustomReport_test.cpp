// The custom report's field formatter (display and sort mode) and its pass:
// one line per individual or per marriage, the record size, the sort, and
// that nothing is written to the family file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CustomFieldCatalog.h"
#include "CustomReport.h"
#include "EventTypeRecord.h"
#include "ListPagination.h"
#include "MultimediaChain.h"
#include "PaginationRun.h"
#include "ReportFamilies.h"
#include "TimeStamp.h"

namespace {

class CustomReport : public ReportFamiliesFixture {
 protected:
  void TearDown() override {
    rpt::CleanupCustomReportPages();
    ReportFamiliesFixture::TearDown();
  }
  static std::string Field(std::int32_t id, const CIndividualRecord& p,
                           const CMarriageRecord* m = nullptr, bool sort = false,
                           std::int32_t current = 0, const std::string& option = {},
                           int width = 0) {
    rpt::CustomReportFieldRequest r;
    r.fieldId = id;
    r.sortMode = sort;
    r.currentRin = current;
    r.option = option;
    r.widthChars = width;
    return rpt::FormatCustomReportField(r, p, m);
  }
  static void AddColumn(CCustomReportLayout& layout, std::int32_t id, int width = 20) {
    auto c = std::make_unique<CCustomReportColumn>();
    c->fieldId = id;
    c->width = width;
    layout.columns.push_back(std::move(c));
  }
  static void AddKey(CCustomReportLayout& layout, std::int32_t id, std::uint8_t kind,
                     int ascending = 1) {
    auto k = std::make_unique<CCustomReportSortKey>();
    k->fieldId = id;
    k->kind = kind;
    k->ascending = ascending;
    layout.sortKeys.push_back(std::move(k));
  }
  static std::vector<std::pair<std::int32_t, std::int32_t>> Lines() {
    std::vector<std::pair<std::int32_t, std::int32_t>> out;
    rpt::CustomReportLine line;
    for (std::int64_t i = 0; rpt::ReadCustomReportLine(i, line); ++i)
      out.emplace_back(line.rin, line.marriageRef);
    return out;
  }
};

TEST_F(CustomReport, FieldsInDisplayAndSortMode) {
  const std::int32_t rin = Person("Anna", "Berg", 'F', 1901, 1970);
  const std::int32_t husband = Person("Carl", "Dahl", 'M', 1899);
  const std::int32_t mrin = Marry(husband, rin);
  CIndividualRecord p;
  ASSERT_EQ(family::Read(p, rin), 1);
  p.christening.date.Set(1901, 6, 2);
  p.birth.Clear();
  p.texts1[0] = "ID-7";
  CMarriageRecord m;
  ASSERT_EQ(family::Read(m, mrin), 1);
  m.marriage.date.Set(1925, 8, 9);
  m.status = 'D';
  struct Case {
    std::int32_t id;
    bool sort;
    std::string expected;
  };
  const Case cases[] = {
      {rpt::kFieldRin, false, std::to_string(rin)},
      {rpt::kFieldCustomId, false, "ID-7"},
      {rpt::kFieldSex, false, "F"},
      {rpt::kFieldMrin, false, std::to_string(mrin)},
      {rpt::kFieldMarriageStatus, false, "D"},
      {rpt::kFieldMarriageDate, false, "9 Aug 1925"},
      {rpt::kFieldMarriageDate, true, "080919250000"},
      {rpt::kFieldBirthOrChristeningDate, false,
       "2 Jun 1901*"},  // no birth: the christening and a star
      {rpt::kFieldBirthOrChristeningDate, true, "060219010000"},
      {rpt::kFieldDeathDate, false, "2 Nov 1970"},
      {rpt::kFieldAgeAtMarriage, false, ""},  // no birth date: no age at marriage
      {rpt::kFieldAgeAtDeath, false, ""},
      {rpt::kFieldSpouse, false, "Carl Dahl"},
      {6072, false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Field(c.id, p, &m, c.sort, rin), c.expected) << c.id << (c.sort ? " sort" : "");
  }
  CIndividualRecord born = p;
  born.birth.date.Set(1901, 5, 14);
  EXPECT_EQ(Field(rpt::kFieldAgeAtMarriage, born, &m, false, rin), "24");
  EXPECT_EQ(Field(rpt::kFieldAgeAtDeath, born), "69");
  EXPECT_EQ(Field(rpt::kFieldBirthOrChristeningDate, born), "14 May 1901")
      << "a birth needs no star";
  CIndividualRecord unknown;
  unknown.sex = 'U';
  EXPECT_EQ(Field(rpt::kFieldSex, unknown), " ");
}

// The fields read from the individual's chains and links: multimedia,
// citations, user events, parent links, the christening's own type, the
// live baptism and the record's time stamps.
TEST_F(CustomReport, FieldsOfChainsLinksAndStamps) {
  const std::int32_t father = Person("Hal", "Holt", 'M', 1900);
  const std::int32_t mother = Person("Ida", "Holt", 'F', 1902);
  const std::int32_t parents = Marry(father, mother);
  const std::int32_t full = Person("Ruth", "Holt", 'F', 1930);
  const std::int32_t bare = Person("Sam", "Holt", 'M', 1932);
  Child(parents, full);
  Child(parents, bare);

  // Ruth: adopted, a picture, a cited voyage, a christening kept under an
  // event type of its own, a baptism of the living.
  SetParentRelation(full, 'a');
  auto picture = std::make_unique<CMultimediaItem>();
  picture->fileName = "ruth.jpg";
  picture->kind = 'P';
  ASSERT_EQ(DbSaveMultimediaChain(full, picture.get(), db::kIndividual), 1);
  CDateValue arrived, settled;
  arrived.Set(1951, 4, 17);
  settled.Set(1951, 4, 20);
  const std::int32_t voyage =
      AddIndividualUserEvent(full, "Voyage", 2, true, [&](CUserEventRecord& e) {
        e.GetEvent()->date = arrived;
        e.GetEvent()->place[0] = "Halifax";
        e.secondDate = settled;
        e.description = "By sea";
        e.yesNo = 'Y';
      });
  CSourceRecord source;
  source.title = "Passenger lists";
  const std::int32_t src = DbAddRecord(db::kSource, 0, &source);
  ASSERT_GT(src, 0);
  Cite(src, db::kOwnerIndividualUserEvent, voyage, "page 3");
  CEventTypeRecord infant;
  infant.title = "Infant Baptism";
  infant.shortTitle = "Inf Bap";
  const std::int32_t infantType = DbAddRecord(db::kEventType, 0, &infant);
  ASSERT_GT(infantType, 0);
  CIndividualRecord ruth;
  ASSERT_EQ(family::Read(ruth, full), 1);
  ruth.numbers[CIndividualRecord::kChristeningType] = infantType;
  ruth.fifthEvent.place[0] = "Provo";
  ruth.fifthEvent.place[1] = "Utah";
  ruth.baptism.templeCode = "SLAKE";
  std::tm made{};
  made.tm_year = 2020 - 1900;
  made.tm_mon = 2;
  made.tm_mday = 5;
  made.tm_hour = 12;
  made.tm_isdst = -1;
  ruth.numbers[CIndividualRecord::kCreatedStamp] = TimeToStamp(std::mktime(&made));
  made.tm_year = 2021 - 1900;
  ruth.numbers[CIndividualRecord::kUpdatedStamp] = TimeToStamp(std::mktime(&made));

  // Sam: none of it, but a temple baptism and an uncited event with no flag.
  AddIndividualUserEvent(bare, "Voyage", 1, false,
                         [&](CUserEventRecord& e) { e.GetEvent()->date = arrived; });
  CIndividualRecord sam;
  ASSERT_EQ(family::Read(sam, bare), 1);
  sam.baptism.templeCode = "LOGAN";
  sam.numbers[CIndividualRecord::kCreatedStamp] = 0;  // never stamped
  sam.numbers[CIndividualRecord::kUpdatedStamp] = 0;

  struct Case {
    std::int32_t id;
    bool sort;
    std::string ruth, sam;
  };
  const Case cases[] = {
      {rpt::kFieldHasMultimedia, false, "Y", "N"},   // has multimedia
      {rpt::kFieldZelLiveBaptism, false, "Y", "N"},  // live baptism
      {rpt::kFieldHasCitations, false, "Y", "N"},    // citations: Ruth's only on her user event
      {rpt::kFieldChristening, false, "Infant Baptism", "Christening"},
      {rpt::kFieldUserEventConfidence, false, "Y", ""},  // the event's flag letter
      {rpt::kFieldFatherRelationshipType, false, "a", "b"},
      {rpt::kFieldMotherRelationshipType, false, "a", "b"},
      {rpt::kFieldBaptismTemple, false, "Provo, Utah*", "LOGAN"},
      {rpt::kFieldBaptismTemple, true, "Provo, Utah*", "LOGAN"},  // a text key, not store positions
      {rpt::kFieldUserEventDate, false, "17 Apr 1951 to 20 Apr 1951", "17 Apr 1951"},
      {rpt::kFieldUserEventDate, true, "041719510000", "041719510000"},
      {rpt::kFieldUserEventDescription, false, "By sea", ""},
      {rpt::kFieldCreateDate, false, "5 Mar 2020", ""},
      {rpt::kFieldCreateDate, true, "030520200000", "000000000000"},
      {rpt::kFieldModifyDate, false, "5 Mar 2021", ""},
  };
  for (const Case& c : cases) {
    const std::string suffix = c.sort ? " sort" : "";
    EXPECT_EQ(Field(c.id, ruth, nullptr, c.sort, 0, "voyage"), c.ruth) << c.id << suffix;
    EXPECT_EQ(Field(c.id, sam, nullptr, c.sort, 0, "voyage"), c.sam) << c.id << suffix;
  }
  // An event title that no event carries leaves the event fields empty.
  EXPECT_EQ(Field(rpt::kFieldUserEventConfidence, ruth, nullptr, false, 0, "Census"), "");
  EXPECT_EQ(Field(rpt::kFieldUserEventDate, ruth, nullptr, false, 0, "Census"), "");
  // Without parents there is no relationship letter.
  CIndividualRecord hal;
  ASSERT_EQ(family::Read(hal, father), 1);
  EXPECT_EQ(Field(rpt::kFieldFatherRelationshipType, hal), "");
}

// Each field of the catalogue reads its own value: the texts and contacts,
// the dates and places of each event, the second event with its star, the
// parents, the counts and the ordinances.
TEST_F(CustomReport, EachFieldReadsItsOwnValue) {
  const std::int32_t father = Person("Olaf", "Berg", 'M', 1870);
  const std::int32_t mother = Person("Maja", "Berg", 'F', 1872);
  const std::int32_t parents = Marry(father, mother);
  const std::int32_t rin = Person("Anna", "Berg", 'F', 1901, 1970);
  Child(parents, rin);
  const std::int32_t husband = Person("Carl", "Dahl", 'M', 1899);
  const std::int32_t mrin = Marry(husband, rin);
  Child(mrin, Person("Bo", "Dahl", 'M', 1926));
  Child(mrin, Person("Ebba", "Dahl", 'F', 1928));
  CIndividualRecord p;
  ASSERT_EQ(family::Read(p, rin), 1);
  p.suffix = "Jr";
  p.title = "Dr";
  p.nameExtensions[0] = "Nan";
  p.nameExtensions[1] = "Annie";
  p.texts2[0] = "Fever";
  p.texts2[1] = "Lund";
  p.texts2[2] = "Tall";
  p.texts1[1] = "SBN-1";
  const char* contacts[] = {"Name", "Street", "City", "State", "Zip", "Country", "Phone", "Mail"};
  const int slots[] = {CIndividualRecord::kContactName,       CIndividualRecord::kContactAddress1,
                       CIndividualRecord::kContactCity,       CIndividualRecord::kContactState,
                       CIndividualRecord::kContactPostalCode, CIndividualRecord::kContactCountry,
                       CIndividualRecord::kContactPhone,      CIndividualRecord::kContactEmail};
  for (int i = 0; i < 8; ++i) p.contact[slots[i]] = contacts[i];
  p.birth.place[0] = "Oslo";
  p.christening.date.Set(1901, 6, 2);
  p.christening.place[0] = "Bergen";
  p.death.place[0] = "Visby";
  p.burial.date.Set(1970, 11, 9);
  p.burial.place[0] = "Malmo";
  p.baptism.date.Set(1909, 1, 3);
  p.endowment.date.Set(1920, 2, 4);
  p.endowment.templeCode = "SLAKE";
  p.sealingToParents.date.Set(1921, 3, 5);
  p.sealingToParents.templeCode = "MANTI";
  CMarriageRecord m;
  ASSERT_EQ(family::Read(m, mrin), 1);
  m.marriage.place[0] = "Kalmar";
  m.sealingToSpouse.date.Set(1925, 8, 9);
  m.sealingToSpouse.templeCode = "LOGAN";
  m.status = 'M';
  // Without birth and death the second events speak, marked.
  CIndividualRecord second = p;
  second.birth.Clear();
  second.death.Clear();

  struct Case {
    std::int32_t id;
    const CIndividualRecord* person;
    bool sort;
    std::string expected;
  };
  const Case cases[] = {
      {rpt::kFieldSurnameGiven, &p, false, "Berg, Anna Jr"},
      {rpt::kFieldGivenSurname, &p, false, "Dr Anna Berg Jr"},
      {rpt::kFieldTitleSuffix, &p, false, "Jr"},
      {rpt::kFieldParentsMrin, &p, false, std::to_string(parents)},
      {rpt::kFieldFather, &p, false, "Olaf Berg"},
      {rpt::kFieldMother, &p, false, "Maja Berg"},
      {rpt::kFieldBirthDate, &p, false, "14 May 1901"},
      {rpt::kFieldBirthDate, &p, true, "051419010000"},
      {rpt::kFieldBirthPlace, &p, false, "Oslo"},
      {rpt::kFieldBirthOrChristeningPlace, &p, false, "Oslo"},
      {rpt::kFieldBirthOrChristeningPlace, &second, false, "Bergen*"},
      {rpt::kFieldChristeningDate, &p, false, "2 Jun 1901"},
      {rpt::kFieldChristeningPlace, &p, false, "Bergen"},
      {rpt::kFieldMarriageStatus, &p, false, "M"},
      {rpt::kFieldMarriagePlace, &p, false, "Kalmar"},
      {rpt::kFieldDeathPlace, &p, false, "Visby"},
      {rpt::kFieldDeathOrBurialDate, &p, false, "2 Nov 1970"},
      {rpt::kFieldDeathOrBurialDate, &second, false, "9 Nov 1970*"},
      {rpt::kFieldDeathOrBurialDate, &second, true, "110919700000"},
      {rpt::kFieldDeathOrBurialPlace, &second, false, "Malmo*"},
      {rpt::kFieldBurialDate, &p, false, "9 Nov 1970"},
      {rpt::kFieldBurialPlace, &p, false, "Malmo"},
      {rpt::kFieldNumberOfMarriages, &p, false, "1"},
      {rpt::kFieldNumberOfChildren, &p, false, "2"},
      {rpt::kFieldBaptismDate, &p, false, "3 Jan 1909"},
      {rpt::kFieldEndowmentDate, &p, false, "4 Feb 1920"},
      {rpt::kFieldEndowmentTemple, &p, false, "SLAKE"},
      {rpt::kFieldSealedToParentsDate, &p, false, "5 Mar 1921"},
      {rpt::kFieldSealedToParentsTemple, &p, false, "MANTI"},
      {rpt::kFieldSealedToSpouseDate, &p, false, "9 Aug 1925"},
      {rpt::kFieldSealedToSpouseDate, &p, true, "080919250000"},
      {rpt::kFieldSealedToSpouseTemple, &p, false, "LOGAN"},
      {rpt::kFieldQualifiedForBaptismEndowment, &p, false,
       ""},  // baptized and endowed: nothing to qualify for
      {rpt::kFieldQualifiedForSealToParents, &p, false, ""},
      {rpt::kFieldQualifiedForSealToSpouse, &p, false, ""},
      {rpt::kFieldHasUserEvents, &p, false, "N"},
      {rpt::kFieldHasSpecificUserEvent, &p, false, "N"},
      {rpt::kFieldUserEventPlace, &p, false, ""},
      {rpt::kFieldTitlePrefix, &p, false, "Dr"},
      {rpt::kFieldAlsoKnownAs, &p, false, "Annie"},
      {rpt::kFieldNickname, &p, false, "Nan"},
      {rpt::kFieldMarriedName, &p, false, "Lund"},
      {rpt::kFieldCauseOfDeath, &p, false, "Fever"},
      {rpt::kFieldPhysicalDescription, &p, false, "Tall"},
      {rpt::kFieldSbn, &p, false, "SBN-1"},
      {rpt::kFieldNumberOfParents, &p, false, "1"},
      {rpt::kFieldRelationshipIndicator, &p, false, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Field(c.id, *c.person, &m, c.sort, rin), c.expected)
        << c.id << (c.sort ? " sort" : "");
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(Field(rpt::kFieldContactName + i, p), contacts[i]) << rpt::kFieldContactName + i;
  // The marriage fields are empty without a marriage.
  for (const std::int32_t id :
       {rpt::kFieldMrin, rpt::kFieldMarriageStatus, rpt::kFieldMarriageDate,
        rpt::kFieldMarriagePlace, rpt::kFieldSpouse, rpt::kFieldNumberOfChildren,
        rpt::kFieldAgeAtMarriage, rpt::kFieldSealedToSpouseDate, rpt::kFieldSealedToSpouseTemple,
        rpt::kFieldQualifiedForSealToSpouse})
    EXPECT_EQ(Field(id, p, nullptr, false, rin), "") << id;
}

// A field's text fills at most the 255-byte field, a long place as any.
TEST_F(CustomReport, ALongPlaceIsCutToTheField) {
  CIndividualRecord p;
  p.birth.place[0] = std::string(150, 'x');
  p.birth.place[1] = std::string(150, 'y');
  for (const std::int32_t id : {rpt::kFieldBirthPlace, rpt::kFieldBirthOrChristeningPlace}) {
    const std::string text = Field(id, p);
    EXPECT_EQ(text.size(), 255u) << id;
    EXPECT_EQ(text.substr(0, 152), std::string(150, 'x') + ", ") << id;
  }
}

TEST_F(CustomReport, SortKeysOfNamesAndPlacesAddNothingToTheFile) {
  CIndividualRecord p;
  p.surname = "Neverstored";
  p.givenNames[0] = "Zed";
  p.birth.place[0] = "Nowhereton";
  std::string found;
  const std::string name = Field(rpt::kFieldSurnameGiven, p, nullptr, true);
  const std::string place = Field(rpt::kFieldBirthPlace, p, nullptr, true);
  ASSERT_EQ(name.size(), 16u);
  EXPECT_EQ(name, std::string(16, '\0')) << "texts not in the store give 0";
  EXPECT_EQ(place, std::string(16, '\0'));
  EXPECT_EQ(DbFindString("Neverstored", 0, found), 0);
  EXPECT_EQ(DbFindString("Nowhereton", 2, found), 0);
  // A stored surname gives its position.
  const std::int32_t rin = Person("Amy", "Stored", 'F', 1900);
  CIndividualRecord stored;
  ASSERT_EQ(family::Read(stored, rin), 1);
  EXPECT_NE(Field(rpt::kFieldSurnameGiven, stored, nullptr, true).substr(0, 4),
            std::string(4, '\0'));
}

TEST_F(CustomReport, NotesAreCutToTheColumnWidth) {
  struct Case {
    const char* text;
    int width;
    const char* expected;
  };
  const Case cases[] = {{"abcdefghijklmnopqrstuvwxyz0123", 10, "abcdefg..."},
                        {"short", 10, "short"},
                        {"one\r\ntwo", 20, "one/two"},
                        {"abcdef", 2, "ab"}};
  for (const Case& c : cases) EXPECT_EQ(rpt::CutNoteText(c.text, c.width), c.expected) << c.text;
}

TEST_F(CustomReport, ThreeMarriagesGiveThreeLinesAndTheUnmarriedOne) {
  const std::int32_t man = Person("Max", "Much", 'M', 1900);
  const std::int32_t single = Person("Sue", "Single", 'F', 1910);
  std::vector<std::int32_t> mrins;
  for (const char* wife : {"Una", "Vera", "Wanda"})
    mrins.push_back(Marry(man, Person(wife, "Wed", 'F', 1905)));
  CCustomReportLayout layout;
  AddColumn(layout, rpt::kFieldSurnameGiven);
  AddColumn(layout, rpt::kFieldSpouse);  // a marriage field: a line per marriage
  // By sex: the woman first; the man's three lines have equal keys and
  // keep the order of his marriages.
  AddKey(layout, rpt::kFieldSex, CCustomReportSortKey::kPlain);
  ASSERT_EQ(rpt::PaginateCustomReport({man, single}, layout, 2), 2);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], std::make_pair(single, 0));
  EXPECT_EQ(lines[1], std::make_pair(man, mrins[0] * 100 + 0));
  EXPECT_EQ(lines[2], std::make_pair(man, mrins[1] * 100 + 1));
  EXPECT_EQ(lines[3], std::make_pair(man, mrins[2] * 100 + 2));
  EXPECT_EQ(rpt::CustomReportPageStart(2), 2);
  EXPECT_EQ(rpt::CustomReportPageStart(3), -1);
}

TEST_F(CustomReport, WithoutKeysNineByteRecordsInRinOrder) {
  const std::int32_t a = Person("Zoe", "Zimmer", 'F', 1900);
  const std::int32_t b = Person("Abe", "Adler", 'M', 1901);
  CCustomReportLayout layout;
  AddColumn(layout, rpt::kFieldSurnameGiven);
  EXPECT_EQ(rpt::CustomReportRecordSize(layout), 9u);
  ASSERT_EQ(rpt::PaginateCustomReport({a, b}, layout, 50), 1);
  EXPECT_EQ(Lines(), (std::vector<std::pair<std::int32_t, std::int32_t>>{{a, 0}, {b, 0}}));
  // A name key orders them; descending turns it round.
  rpt::CleanupCustomReportPages();
  AddKey(layout, rpt::kFieldSurnameGiven, CCustomReportSortKey::kText);
  EXPECT_EQ(rpt::CustomReportRecordSize(layout), 26u);
  ASSERT_EQ(rpt::PaginateCustomReport({a, b}, layout, 50), 1);
  EXPECT_EQ(Lines()[0].first, b);
  rpt::CleanupCustomReportPages();
  layout.sortKeys[0]->ascending = 0;
  ASSERT_EQ(rpt::PaginateCustomReport({a, b}, layout, 50), 1);
  EXPECT_EQ(Lines()[0].first, a);
}

TEST_F(CustomReport, TwoNameKeysAndADateKey) {
  const std::int32_t a1 = Person("Ann", "Smith", 'F', 1920);
  const std::int32_t a2 = Person("Ann", "Smith", 'F', 1910);
  const std::int32_t b = Person("Bob", "Smith", 'M', 1905);
  const std::int32_t c = Person("Cid", "Adams", 'M', 1930);
  CCustomReportLayout layout;
  AddColumn(layout, rpt::kFieldSurnameGiven);
  AddKey(layout, rpt::kFieldSurnameGiven, CCustomReportSortKey::kText);
  AddKey(layout, rpt::kFieldGivenSurname, CCustomReportSortKey::kText);
  AddKey(layout, rpt::kFieldBirthDate, CCustomReportSortKey::kDate);
  ASSERT_EQ(rpt::PaginateCustomReport({a1, a2, b, c}, layout, 50), 1);
  std::vector<std::int32_t> order;
  for (const auto& line : Lines()) order.push_back(line.first);
  EXPECT_EQ(order, (std::vector<std::int32_t>{c, a2, a1, b}));
}

// Plain texts kept under the name-and-place comparison (a nickname, a
// married name) sort by their own text.
TEST_F(CustomReport, TextFieldsUnderTheNameComparisonSortByTheirText) {
  std::vector<std::int32_t> rins;
  for (const char* nick : {"Midge", "Bunny", "Zed", "Ace"}) {
    CIndividualRecord p;
    p.surname = "Same";
    p.givenNames[0] = "Given";
    p.nameExtensions[0] = nick;
    rins.push_back(static_cast<std::int32_t>(family::Add(p, 0)));
  }
  CCustomReportLayout layout;
  AddColumn(layout, rpt::kFieldNickname);
  AddKey(layout, rpt::kFieldNickname, CCustomReportSortKey::kText);
  ASSERT_EQ(rpt::PaginateCustomReport(rins, layout, 50), 1);
  std::vector<std::int32_t> order;
  for (const auto& line : Lines()) order.push_back(line.first);
  EXPECT_EQ(order, (std::vector<std::int32_t>{rins[3], rins[1], rins[0], rins[2]}));
}

// The PAGINATOR window says "Sorting..." while the lines are sorted and
// returns to its own text; a layout without keys never sorts.
TEST_F(CustomReport, TheWindowSaysSortingWhileTheLinesAreSorted) {
  rpt::HeadlessPaginatorWindow window;
  rpt::PaginatorWindow* previous = rpt::SetPaginatorWindow(&window);
  const std::int32_t a = Person("Ann", "One", 'F', 1900);
  const std::int32_t b = Person("Bea", "Two", 'F', 1902);
  CCustomReportLayout layout;
  AddColumn(layout, rpt::kFieldSurnameGiven);
  ASSERT_EQ(rpt::PaginateCustomReport({a, b}, layout, 50), 1);
  EXPECT_TRUE(window.texts.empty());
  AddKey(layout, rpt::kFieldRin, CCustomReportSortKey::kNumber, 0);
  ASSERT_EQ(rpt::PaginateCustomReport({a, b}, layout, 50), 1);
  EXPECT_EQ(window.texts,
            (std::vector<std::string>{"Sorting...", rpt::PaginatorWindow::PreparingText()}));
  EXPECT_EQ(Lines()[0].first, b);
  rpt::SetPaginatorWindow(previous);
}

TEST_F(CustomReport, AnUnreadableIndividualIsSkippedAndThePassGoesOn) {
  const std::int32_t a = Person("Ann", "One", 'F', 1900);
  const std::int32_t gone = Person("Gus", "Gone", 'M', 1901);
  const std::int32_t b = Person("Bea", "Two", 'F', 1902);
  ASSERT_EQ(DbDeleteRecord(gone, db::kIndividual), 1);
  CCustomReportLayout layout;
  AddColumn(layout, rpt::kFieldSurnameGiven);
  ASSERT_EQ(rpt::PaginateCustomReport({a, gone, b}, layout, 50), 1);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].first, b);
}

}  // namespace
