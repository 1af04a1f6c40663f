// The tag table, the source-system quirks and the header and submitter
// records.

#include <algorithm>
#include <set>
#include <string>

#include "GedcomHeader.h"
#include "ReaderFixture.h"

namespace {

using gedcom::LookupTag;

TEST(TagTable, HoldsEveryNameOnceInSearchOrder) {
  auto table = gedcom::TagTable();
  EXPECT_EQ(table.size(), 277u);
  std::set<int> codes;
  for (std::size_t i = 0; i < table.size(); ++i) {
    codes.insert(table[i].code);
    EXPECT_EQ(LookupTag(table[i].name), table[i].code) << table[i].name;
  }
  EXPECT_EQ(codes.size(), 160u);
  EXPECT_EQ(*codes.begin(), 1);
  EXPECT_EQ(*codes.rbegin(), 160);
}

TEST(TagTable, ShortAndLongNamesInAnyCase) {
  struct {
    const char* name;
    int code;
  } cases[] = {
      {"ABBR", 1},         {"abbreviation", 1},
      {"ADOP", 5},         {"Adoption", 5},
      {"SBN", 6},          {"AGE", 7},
      {"birt", 19},        {"BIRTH", 19},
      {"CONC", 33},        {"Concatenation", 33},
      {"CONT", 36},        {"CONTINUED", 36},
      {"NOTE", 84},        {"TEXT", 122},
      {"TRLR", 125},       {"WILL", 129},
      {"_AKA", 130},       {"_birthrite", 131},
      {"_ALT_BIRTH", 131}, {"EMAIL", 137},
      {"_email", 137},     {"URL", 155},
      {"_NAME", 158},      {"_MREL", 160},
      {"NAMEX", 0},        {"", 0},
      {"_UNKNOWN", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(LookupTag(c.name), c.code) << c.name;
  EXPECT_EQ(LookupTag("NAME"), gedcom::kTagName);
  EXPECT_NE(LookupTag("NAME"), LookupTag("_NAME"));
}

TEST(SourceSystemQuirks, Rows) {
  struct {
    const char* id;
    const char* version;
    std::uint32_t flags;
  } cases[] = {
      {"Kormund", "3.0", 0x1},
      {"KORMUND", "2.2", 0x2},
      {"Kormund", "4.0", 0},
      {"ORV 2.1", "", 0x4},
      {"orv 2.31", "9", 0x4},
      {"ORV", "3.0", 0x8},
      {"ORV", "4.0", 0x10},
      {"ORV", "4.0.1", 0x10},
      {"orv", "4.0.1", 0x10},
      {"ORV", "4.1", 0},
      {"ORV", "4.05", 0x10},
      {"ORV 4.0", "x", 0x4},
      {"KVT", "5.00", 0x20},
      {"kvt", "6.00", 0x40},
      {"KVT", "5.0", 0},
      {"Marlok", "2.0", 0x100},
      {"Thistlegrange", "8.0", 0x800},
      {"thistlegrange", "7.0", 0x400},
      {"Thistlegrange", "6.0", 0x200},
      {"Thistlegrange", "9.0", 0},
      {"", "", 0},
      {"Other", "1", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(gedcom::SourceSystemQuirks(c.id, c.version), c.flags) << c.id << " " << c.version;
}

class HeaderTest : public ReaderTest {
 protected:
  gedcom::CGedcomHeaderInfo ReadHead(const std::string& text) {
    OpenText(text);
    gedcom::CGedcomHeaderInfo info;
    EXPECT_NE(reader_.FindNextAtLevel(0, gedcom::kTagHead), nullptr);
    gedcom::ReadHeader(reader_, info);
    return info;
  }
};

TEST_F(HeaderTest, FieldsCharsetAndQuirks) {
  gedcom::CGedcomHeaderInfo info = ReadHead(
      "0 HEAD\n1 SOUR Thistlegrange\n2 NAME Old\n2 VERS 7.0\n2 NAME Thistle Grange\n3 X y\n"
      "2 VERS 8.0\n2 CORP c\n1 DEST d\n1 DATE 1 JAN 2000\n1 GEDC\n2 VERS 5.5\n2 FORM "
      "LINEAGE-LINKED\n"
      "1 char ibmpc\n1 NOTE n\n2 CONT m\n0 @N1@ NOTE Thistle\n1 CONC grange \x81\n0 TRLR\n");
  EXPECT_EQ(info.sourceSystem, "Thistlegrange");
  EXPECT_EQ(info.productName, "Thistle Grange");
  EXPECT_EQ(info.version, "8.0");
  EXPECT_EQ(info.headerDate, "1 JAN 2000");
  EXPECT_EQ(info.gedcomVersion, "5.5");
  EXPECT_EQ(info.gedcomForm, "LINEAGE-LINKED");
  EXPECT_EQ(info.quirkFlags, 0x800u);
  EXPECT_EQ(reader_.GetCharacterSet(), gedcom::kCharsetIbmPc);
  const gedcom::CGedcomLine* note = reader_.NextAtLevel(0, true);
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->value, "Thistle grange \xFC");  // the quirk's blank; 437 u umlaut
  EXPECT_TRUE(sink_.reports.empty()) << sink_.reports.front();
}

TEST_F(HeaderTest, HeadWithoutSourLeavesEverythingEmpty) {
  gedcom::CGedcomHeaderInfo info = ReadHead("0 HEAD\n1 CHAR\n1 CHAR @C1@\n0 TRLR\n");
  EXPECT_EQ(info.sourceSystem, "");
  EXPECT_EQ(info.productName, "");
  EXPECT_EQ(info.version, "");
  EXPECT_EQ(info.quirkFlags, 0u);
  EXPECT_EQ(reader_.GetCharacterSet(), gedcom::kCharsetAnsel);
  EXPECT_TRUE(sink_.reports.empty());
  EXPECT_EQ(Show(*reader_.Next()), "0 TRLR|");
}

TEST_F(HeaderTest, UnknownCharsetIsAnErrorAndKeepsTheSet) {
  ReadHead("0 HEAD\n1 CHAR ANSI\n1 CHAR LATIN1\n0 TRLR\n");
  EXPECT_EQ(reader_.GetCharacterSet(), gedcom::kCharsetAnsi);
  EXPECT_EQ(sink_.reports,
            (std::vector<Report>{Error("test.GED, line 3", "Unknown character set: LATIN1")}));
}

TEST_F(HeaderTest, LastSubmitterNameWins) {
  OpenText(
      "0 HEAD\n0 @U1@ SUBM\n1 NAME First\n1 ADDR a\n2 CONT b\n1 NAME Second\n"
      "0 @U2@ SUBM\n1 PHON p\n1 NAME Third\n0 TRLR\n");
  gedcom::CGedcomHeaderInfo info;
  ASSERT_NE(reader_.NextAtLevel(0, true), nullptr);
  for (int i = 0; i < 2; ++i) {
    const gedcom::CGedcomLine* subm = reader_.NextAtLevel(0, true);
    ASSERT_NE(subm, nullptr);
    ASSERT_EQ(subm->tagCode, gedcom::kTagSubm);
    gedcom::ReadSubmitter(reader_, info);
    EXPECT_EQ(info.submitterName, i == 0 ? "Second" : "Third");
  }
  EXPECT_EQ(reader_.NextAtLevel(0, true)->tagCode, gedcom::kTagTrlr);
  EXPECT_TRUE(sink_.reports.empty());
}

}  // namespace
