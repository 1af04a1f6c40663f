// The custom report's field formatter (display and sort mode) and its pass:
// one line per individual or per marriage, the record size, the sort, and
// that nothing is written to the family file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CustomReport.h"
#include "ListPagination.h"
#include "ReportFamilies.h"

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
      {6004, false, std::to_string(rin)},
      {6005, false, "ID-7"},
      {6003, false, "F"},
      {6015, false, std::to_string(mrin)},
      {6016, false, "D"},
      {6017, false, "9 Aug 1925"},
      {6017, true, "080919250000"},
      {6011, false, "2 Jun 1901*"},  // no birth: the christening and a star
      {6011, true, "060219010000"},
      {6020, false, "2 Nov 1970"},
      {6030, false, ""},  // no birth date: no age at marriage
      {6031, false, ""},
      {6019, false, "Carl Dahl"},
      {6072, false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Field(c.id, p, &m, c.sort, rin), c.expected) << c.id << (c.sort ? " sort" : "");
  }
  CIndividualRecord born = p;
  born.birth.date.Set(1901, 5, 14);
  EXPECT_EQ(Field(6030, born, &m, false, rin), "24");
  EXPECT_EQ(Field(6031, born), "69");
  EXPECT_EQ(Field(6011, born), "14 May 1901") << "a birth needs no star";
  CIndividualRecord unknown;
  unknown.sex = 'U';
  EXPECT_EQ(Field(6003, unknown), " ");
}

TEST_F(CustomReport, SortKeysOfNamesAndPlacesAddNothingToTheFile) {
  CIndividualRecord p;
  p.surname = "Neverstored";
  p.givenNames[0] = "Zed";
  p.birth.place[0] = "Nowhereton";
  std::string found;
  const std::string name = Field(6000, p, nullptr, true);
  const std::string place = Field(6010, p, nullptr, true);
  ASSERT_EQ(name.size(), 16u);
  EXPECT_EQ(name, std::string(16, '\0')) << "texts not in the store give 0";
  EXPECT_EQ(place, std::string(16, '\0'));
  EXPECT_EQ(DbFindString("Neverstored", 0, found), 0);
  EXPECT_EQ(DbFindString("Nowhereton", 2, found), 0);
  // A stored surname gives its position.
  const std::int32_t rin = Person("Amy", "Stored", 'F', 1900);
  CIndividualRecord stored;
  ASSERT_EQ(family::Read(stored, rin), 1);
  EXPECT_NE(Field(6000, stored, nullptr, true).substr(0, 4), std::string(4, '\0'));
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
  AddColumn(layout, 6000);
  AddColumn(layout, 6019);  // a marriage field: a line per marriage
  // By sex: the woman first; the man's three lines have equal keys and
  // keep the order of his marriages.
  AddKey(layout, 6003, CCustomReportSortKey::kPlain);
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
  AddColumn(layout, 6000);
  EXPECT_EQ(rpt::CustomReportRecordSize(layout), 9u);
  ASSERT_EQ(rpt::PaginateCustomReport({a, b}, layout, 50), 1);
  EXPECT_EQ(Lines(), (std::vector<std::pair<std::int32_t, std::int32_t>>{{a, 0}, {b, 0}}));
  // A name key orders them; descending turns it round.
  rpt::CleanupCustomReportPages();
  AddKey(layout, 6000, CCustomReportSortKey::kText);
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
  AddColumn(layout, 6000);
  AddKey(layout, 6000, CCustomReportSortKey::kText);
  AddKey(layout, 6001, CCustomReportSortKey::kText);
  AddKey(layout, 6009, CCustomReportSortKey::kDate);
  ASSERT_EQ(rpt::PaginateCustomReport({a1, a2, b, c}, layout, 50), 1);
  std::vector<std::int32_t> order;
  for (const auto& line : Lines()) order.push_back(line.first);
  EXPECT_EQ(order, (std::vector<std::int32_t>{c, a2, a1, b}));
}

TEST_F(CustomReport, AnUnreadableIndividualIsSkippedAndThePassGoesOn) {
  const std::int32_t a = Person("Ann", "One", 'F', 1900);
  const std::int32_t gone = Person("Gus", "Gone", 'M', 1901);
  const std::int32_t b = Person("Bea", "Two", 'F', 1902);
  ASSERT_EQ(DbDeleteRecord(gone, db::kIndividual), 1);
  CCustomReportLayout layout;
  AddColumn(layout, 6000);
  ASSERT_EQ(rpt::PaginateCustomReport({a, gone, b}, layout, 50), 1);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].first, b);
}

}  // namespace
