// The export read back by the import: what a second export loses against
// the first is only what GEDCOM cannot carry back, and a third export equals
// the second. Golden files hold the whole export of each mode and character
// set.

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ExportFamily.h"
#include "ParamNames.h"
#include "PreparerRecord.h"

namespace {

// The lines of a that b lacks and those b adds, by a longest common
// subsequence, each prefixed "-" or "+".
std::vector<std::string> Differences(const std::string& a, const std::string& b) {
  const std::vector<std::string> x = GedcomLines(a), y = GedcomLines(b);
  std::vector<std::vector<int>> lcs(x.size() + 1, std::vector<int>(y.size() + 1, 0));
  for (std::size_t i = x.size(); i-- > 0;)
    for (std::size_t j = y.size(); j-- > 0;)
      lcs[i][j] = x[i] == y[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
  std::vector<std::string> out;
  std::size_t i = 0, j = 0;
  while (i < x.size() || j < y.size()) {
    if (i < x.size() && j < y.size() && x[i] == y[j]) {
      ++i, ++j;
    } else if (j < y.size() && (i == x.size() || lcs[i][j + 1] >= lcs[i + 1][j])) {
      out.push_back("+" + y[j++]);
    } else {
      out.push_back("-" + x[i++]);
    }
  }
  return out;
}

// The text with its identifiers renumbered by first use ("@I7@" becomes
// "@I1@" when it is the first individual named), and its level-0 records
// sorted, HEAD first and TRLR last: two exports that differ only in the
// record numbers their files gave become equal.
std::string Renumbered(const std::string& text) {
  std::map<std::string, std::string> names;
  std::map<std::string, int> counts;
  std::string out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find('@', at);
    const std::size_t close = open == std::string::npos ? open : text.find('@', open + 1);
    if (close == std::string::npos || close - open > 25) {
      const std::size_t stop = open == std::string::npos ? text.size() : open + 1;
      out += text.substr(at, stop - at);
      at = stop;
      continue;
    }
    const std::string id = text.substr(open + 1, close - open - 1);
    std::size_t digits = id.find_first_of("0123456789");
    if (id.empty() || digits == std::string::npos ||
        id.find_first_not_of("0123456789", digits) != std::string::npos) {
      out += text.substr(at, open + 1 - at);  // "@@" and other texts with an "@"
      at = open + 1;
      continue;
    }
    const std::string prefix = id.substr(0, digits);
    auto [it, added] = names.try_emplace(id, "");
    if (added) it->second = prefix + std::to_string(++counts[prefix]);
    out += text.substr(at, open - at) + "@" + it->second + "@";
    at = close + 1;
  }
  std::vector<std::string> records;
  for (const std::string& line : GedcomLines(out)) {
    if (line.rfind("0 ", 0) == 0 || records.empty()) records.emplace_back();
    records.back() += line + "\r\n";
  }
  if (records.size() > 2) std::sort(records.begin() + 1, records.end() - 1);
  std::string sorted;
  for (const std::string& r : records) sorted += r;
  return sorted;
}

// Standard 5.5 in ANSEL with every option but the submitter.
gedcom::ExportOptions AllButSubmitter() {
  gedcom::ExportOptions o;
  o.mode = gedcom::kExportStandard;
  o.zel = true;
  o.fullLiving = true;
  o.notesAndSources = 3;
  o.confidential = true;
  o.namesOnLiving = true;
  o.contact = true;
  o.multimedia = true;
  return o;
}

class RoundTripTest : public ExportFamilyFixture {
 protected:
  // The open file exported, the export imported into a new file and that
  // exported, twice: the three exports.
  std::vector<std::string> ThreeExports() {
    std::vector<std::string> exports{Export(AllButSubmitter())};
    for (const char* name : {"second", "third"}) {
      ImportIntoNewFile(exports.back(), name);
      exports.push_back(Export(AllButSubmitter()));
    }
    return exports;
  }
  // The three exports, each next one equal to the one before up to the
  // record numbers; the first.
  std::string ExpectStableRoundTrip() {
    const std::vector<std::string> exports = ThreeExports();
    EXPECT_EQ(Differences(Renumbered(exports[0]), Renumbered(exports[1])),
              std::vector<std::string>{});
    EXPECT_EQ(Differences(Renumbered(exports[1]), Renumbered(exports[2])),
              std::vector<std::string>{});
    return exports[0];
  }
};

TEST_F(RoundTripTest, ExportImportExportLosesOnlyDialectDifferences) {
  BuildFamily();
  const std::vector<std::string> exports = ThreeExports();
  const std::string &first = exports[0], &second = exports[1], &third = exports[2];
  EXPECT_EQ(third, second);
  // What the first export has that cannot come back the same, and why, in
  // the file's order.
  const std::vector<std::string> losses = {
      // A step link, which a family link cannot hold, comes back foster.
      "-3 TYPE step",
      // A source without a short title takes its title as the short title.
      "+1 ABBR Parish book of Voss",
  };
  EXPECT_EQ(Differences(first, second), losses);
}

// A file imported, exported, imported and exported again, and once more:
// the first export says all the family file holds, so the second and third
// say the same, up to the record numbers.
class SampleRoundTrip : public RoundTripTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SampleRoundTrip, ExportsAgreeUpToRenumbering) {
  ASSERT_EQ(Import(std::string(KORVANE_GEDCOM_SAMPLES) + "/" + GetParam()), 1);
  ExpectStableRoundTrip();
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleRoundTrip,
                         ::testing::Values("gedcom555-555SAMPLE.GED", "gedcom555-555SAMPLE16LE.GED",
                                           "gedcom555-555SAMPLE16BE.GED", "gedcom555-REMARR.GED",
                                           "gedcom555-SSMARR.GED", "gedcom555-MINIMAL555.GED",
                                           "misc-allged.ged", "letters-ansel.ged",
                                           "letters-utf8.ged", "letters-utf16.ged"),
                         ParamNameOfFile());

// Every sample file, the malformed ones too: what its import made comes back
// through an export and an import with the same counts, into a file that
// Check finds sound.
TEST_F(RoundTripTest, EverySampleReadsBackWithTheSameCounts) {
  std::vector<std::string> files;
  for (const auto& entry :
       std::filesystem::recursive_directory_iterator(std::string(KORVANE_GEDCOM_SAMPLES))) {
    std::string ext = entry.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) { return std::tolower(c); });
    if (entry.is_regular_file() && ext == ".ged") files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  ASSERT_GE(files.size(), 16u);
  // A marriage that links no one (a FAMS line naming a family the file never
  // defines) is not reached by an export of everyone: such are not counted.
  auto counts = [] {
    int linked = 0;
    for (std::int32_t m = DbGetRIN(0, db::kQueryMarriages, db::kWalkNext); m > 0;
         m = DbGetRIN(m, db::kQueryMarriages, db::kWalkNext)) {
      CMarriageRecord r;
      std::vector<std::int32_t> children;
      DbGetRelationList(children, db::kRelChildren, 0, m, 0);
      if (DbGetRecord(m, db::kMarriage, &r) == 1 && (r.husband || r.wife || !children.empty()))
        ++linked;
    }
    return std::vector<int>{CountLive(db::kQueryIndividuals), linked, CountLive(db::kQuerySources),
                            CountLive(db::kQueryRepositories)};
  };
  for (std::size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(files[i]);
    DbCloseCurrent();
    family = dir.File("sample" + std::to_string(i) + ".orv");
    ASSERT_EQ(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    Import(files[i]);
    const std::vector<int> imported = counts();
    ImportIntoNewFile(Export(AllButSubmitter()), "again" + std::to_string(i));
    EXPECT_EQ(counts(), imported);
    std::string report;
    EXPECT_EQ(CheckProblems(report), 0u) << report;
  }
}

// A family made by the program's own calls with what a first import cannot
// give back by itself: an event type with a long title and no short title,
// a wife of unknown sex, a second parent family that is a birth family, one
// without parents, and a source short title too long for one line.
TEST_F(RoundTripTest, GeneratedFamilyExportsAgreeUpToRenumbering) {
  CEventTypeRecord naming;
  naming.title = "Hebrew Month Naming";
  naming.verbPhrase = "was named";
  const std::int32_t type = DbAddRecord(db::kEventType, 0, &naming);
  ASSERT_GT(type, 0);
  const std::int32_t father = Person("Avram", "Levi", 'M', "1801", "1870");
  const std::int32_t mother = Person("Dina", "Levi", 'U', "1803", "1880");
  const std::int32_t child = Person("Eli", "Levi", 'M', "1830", "1900");
  UserEvent(child, db::kOwnerIndividual, type, "in Nisan", 'N', "1830");
  const std::int32_t parents = DbSetRelation(father, mother, db::kRelHusband, 0);
  ASSERT_GT(parents, 0);
  SetRelations(child, parents, 'b', 'b');
  // A second family of the father's, where the child is a birth child too.
  const std::int32_t fathers = DbSetRelation(father, 0, db::kRelHusband, 0);
  ASSERT_GT(fathers, 0);
  SetRelations(child, fathers, 'b', 'b');
  // A family without parents, a foster home.
  CMarriageRecord home;
  const std::int32_t foster = DbAddRecord(db::kMarriage, 0, &home);
  ASSERT_GT(foster, 0);
  SetRelations(child, foster, 'g', 'g');
  // A source whose short title is too long for one line.
  CSourceRecord book;
  book.title = "Book of names";
  book.abbreviatedTitle = std::string(200, 'a') + " @ " + std::string(60, 'b');
  const std::int32_t source = DbAddRecord(db::kSource, 0, &book);
  ASSERT_GT(source, 0);
  Cite(source, child, db::kOwnerBirth, "p. 1", "");
  CSourceRecord stored;
  ASSERT_EQ(DbGetRecord(source, db::kSource, &stored), 1);
  ASSERT_GT(stored.abbreviatedTitle.size(), 250u);

  const std::string first = ExpectStableRoundTrip();
  for (const char* line : {"2 ABBR Hebrew Month Naming", "1 SEX U", "1 FAMC @F3@"})
    EXPECT_NE(first.find(line), std::string::npos) << line << "\n" << first;
  for (const std::string& line : GedcomLines(first)) EXPECT_LE(line.size(), 255u) << line;
  CSourceRecord kept;
  ASSERT_EQ(DbGetRecord(1, db::kSource, &kept), 1);
  EXPECT_EQ(kept.abbreviatedTitle, stored.abbreviatedTitle);
}

// Events under standard tags that the family file has no event type for:
// the types the import makes keep the tag, so every export writes the events
// under their own tags again, with no event definitions.
TEST_F(RoundTripTest, EventTypesMadeForStandardTagsKeepTheirTags) {
  const std::string text =
      "0 HEAD\r\n1 CHAR ANSI\r\n"
      "0 @I1@ INDI\r\n1 NAME Ada /Holm/\r\n1 SEX F\r\n"
      "1 EDUC Teachers' college\r\n2 DATE 1871\r\n2 PLAC Oslo\r\n"
      "1 SSN 078-05-1120\r\n1 NATU\r\n2 DATE 1890\r\n1 FAMS @F1@\r\n"
      "0 @I2@ INDI\r\n1 NAME Per /Holm/\r\n1 SEX M\r\n1 FAMS @F1@\r\n"
      "0 @F1@ FAM\r\n1 HUSB @I2@\r\n1 WIFE @I1@\r\n1 ENGA\r\n2 DATE 1875\r\n"
      "0 TRLR\r\n";
  ImportIntoNewFile(text, "first");
  const std::string first = ExpectStableRoundTrip();
  for (const char* line : {"1 EDUC Teachers' college", "1 SSN 078-05-1120", "1 NATU ", "1 ENGA "})
    EXPECT_NE(first.find(std::string("\r\n") + line), std::string::npos) << line << "\n" << first;
  for (const char* line : {"1 EVEN", "_EVENT_DEFN"})
    EXPECT_EQ(first.find(line), std::string::npos) << line << "\n" << first;
}

// Golden files: the fixture family exported in each mode and character set,
// byte for byte. KORVANE_UPDATE_GOLDEN=1 writes them anew; a new file is read
// line by line before it is kept.
class GoldenTest : public ExportFamilyFixture {};

TEST_F(GoldenTest, EachModeAndCharacterSet) {
  BuildFamily();
  CPreparerRecord prep;
  prep.givenNames = "Siri";
  prep.surname = "Moe";
  prep.address2 = "Storgata 1";
  prep.address3 = "Oslo";
  prep.sbn = "SB-1";
  prep.email = "siri@moe.no";
  ASSERT_EQ(DbUpdateRecord(CPreparerRecord::kRecordNumber, db::kPreparer, &prep), 1);
  struct Case {
    const char* file;
    int mode;
    bool form55, ansel;
  };
  const Case cases[] = {
      {"gedcom40-ansi.ged", gedcom::kExportGedcom40, false, false},
      {"stirpbank-ansel.ged", gedcom::kExportStirpbank, true, true},
      {"stirpbank-ansi.ged", gedcom::kExportStirpbank, true, false},
      {"rosterly-ansel.ged", gedcom::kExportRosterly, true, true},
      {"rosterly-ansi.ged", gedcom::kExportRosterly, true, false},
      {"standard-ansel.ged", gedcom::kExportStandard, true, true},
      {"standard-ansi.ged", gedcom::kExportStandard, true, false},
      {"lineroll-ansel.ged", gedcom::kExportLineroll, true, true},
      {"lineroll-ansi.ged", gedcom::kExportLineroll, true, false},
  };
  const bool update = std::getenv("KORVANE_UPDATE_GOLDEN") != nullptr;
  for (const Case& c : cases) {
    gedcom::ExportOptions options = AllButSubmitter();
    options.submitter = true;
    options.mode = c.mode;
    options.form55 = c.form55;
    options.ansel = c.ansel;
    const std::string text = Export(options);
    const std::string golden = std::string(KORVANE_GEDCOM_GOLDEN) + "/" + c.file;
    if (update) WriteAll(golden, text);
    EXPECT_EQ(text, ReadAll(golden)) << c.file;
    for (const std::string& line : GedcomLines(text))
      EXPECT_LE(line.size(), 255u) << c.file << line;
  }
}

}  // namespace
