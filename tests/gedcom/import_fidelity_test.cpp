// Hand-written GEDCOM files whose content the import used to drop, cut or
// change without a word: each imports into a family file that Check finds
// clean, says in its log what it could not keep, and exports the same again
// after a second import.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Ansel.h"
#include "CodePage.h"
#include "ExportFamily.h"
#include "ParamNames.h"
#include "ScopedCodePage.h"
#include "SourceRecord.h"

namespace {

// The export's lines after its header (which holds the day and the file name).
std::vector<std::string> Records(const std::string& text) {
  std::vector<std::string> out = GedcomLines(text);
  const auto first = std::find_if(out.begin() + (out.empty() ? 0 : 1), out.end(),
                                  [](const std::string& l) { return l.starts_with("0 "); });
  out.erase(out.begin(), first);
  return out;
}

bool HasLine(const std::string& text, const std::string& line) {
  const std::vector<std::string> lines = GedcomLines(text);
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

gedcom::ExportOptions Standard55() {
  gedcom::ExportOptions o;
  o.mode = gedcom::kExportStandard;
  o.fullLiving = true;
  o.notesAndSources = 3;
  return o;
}

class ImportFidelityTest : public ExportFamilyFixture {
 protected:
  using ImportFixture::Person;  // an imported individual by identifier

  // Check finds the open file clean, and its export imported into a new file
  // exports the same records, which Check finds clean too. The first export
  // (exportSummary_ and importLog_ stay those of the open file).
  std::string ExpectCleanAndStable(const gedcom::ExportOptions& options = Standard55()) {
    std::string report;
    EXPECT_EQ(CheckProblems(report), 0u) << report;
    const std::string first = Export(options);
    const std::string log = importLog_, summary = exportSummary_;
    ImportIntoNewFile(first, "again");
    EXPECT_EQ(CheckProblems(report), 0u) << report;
    EXPECT_EQ(Records(Export(options)), Records(first));
    importLog_ = log;
    exportSummary_ = summary;
    return first;
  }
};

// ---- letters ANSEL composes, from every encoding ----------------------------

// Vietnamese letters with two marks, Romanian comma below and letters of
// Latin Extended-B and Latin Extended Additional.
const std::vector<std::string> kNfc = {"Nguy\u1EC5n Th\u1ECB /Tr\u1EA7n/",
                                       "\u0218tefan /\u021Aurcanu/", "\u01F4or\u01F5i /\u1E30iro/",
                                       "A\u1E25mad /H\u1EC7/", "H\u00E0 N\u1ED9i"};
const std::vector<std::string> kNfd = {
    "Nguye\u0302\u0303n Thi\u0323 /Tra\u0302\u0300n/", "S\u0326tefan /T\u0326urcanu/",
    "G\u0301org\u0301i /K\u0301iro/", "Ah\u0323mad /He\u0323\u0302/", "Ha\u0300 No\u0323\u0302i"};
const std::vector<std::string> kAnsel = {
    "Nguy\xE3\xE4"
    "en Th\xF2i /Tr\xE3\xE1"
    "an/",
    "\xF7Stefan /\xF7Turcanu/", "\xE2Gor\xE2gi /\xE2Kiro/",
    "A\xF2hmad /H\xF2\xE3"
    "e/",
    "H\xE1"
    "a N\xF2\xE3oi"};

std::string LettersFile(const std::string& charset, const std::vector<std::string>& v) {
  return "0 HEAD\r\n1 CHAR " + charset + "\r\n0 @I1@ INDI\r\n1 NAME " + v[0] +
         "\r\n1 BIRT\r\n2 PLAC " + v[4] + "\r\n0 @I2@ INDI\r\n1 NAME " + v[1] +
         "\r\n0 @I3@ INDI\r\n1 NAME " + v[2] + "\r\n0 @I4@ INDI\r\n1 NAME " + v[3] +
         "\r\n0 TRLR\r\n";
}

std::string Utf16(const std::string& utf8, bool little) {
  std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t u = plat::NextUtf8(utf8, pos);
    const auto unit = static_cast<unsigned>(u);  // every letter here is in the BMP
    const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
    out += little ? lo : hi;
    out += little ? hi : lo;
  }
  return out;
}

class ComposedLettersTest : public ImportFidelityTest, public ::testing::WithParamInterface<int> {};

TEST_P(ComposedLettersTest, EveryEncodingStoresTheSameAnselAndExportsIt) {
  ScopedCodePage page(GetParam());
  const std::string ansel = LettersFile("ANSEL", kAnsel);
  const struct {
    const char* name;
    std::string bytes;
  } forms[] = {
      {"UTF-8 composed", LettersFile("UTF-8", kNfc)},
      {"UTF-8 decomposed", LettersFile("UTF-8", kNfd)},
      {"UTF-16 LE", Utf16(LettersFile("UNICODE", kNfc), true)},
      {"UTF-16 BE", Utf16(LettersFile("UNICODE", kNfc), false)},
      {"ANSEL", ansel},
  };
  for (const auto& form : forms) {
    SCOPED_TRACE(form.name);
    ImportIntoNewFile(form.bytes, "letters");
    std::vector<std::string> stored;
    for (const char* xref : {"I1", "I2", "I3", "I4"}) {
      const CIndividualRecord p = Person(xref);
      stored.push_back(AnsiToAnsel(p.GetGivenNames() + " /" + p.surname + "/"));
    }
    stored.push_back(AnsiToAnsel(Person("I1").birth.place[0]));
    EXPECT_EQ(stored, kAnsel);
    EXPECT_FALSE(LogHas("replaced by '?'")) << importLog_;
    gedcom::ExportOptions options = Standard55();
    EXPECT_EQ(NameAndPlaceLines(ExpectCleanAndStable(options)), NameAndPlaceLines(ansel));
  }
}

INSTANTIATE_TEST_SUITE_P(BothCodePages, ComposedLettersTest, ::testing::Values(1252, 1250),
                         ParamNameOfCodePage());

// ---- what a FAMS line holds --------------------------------------------------

TEST_F(ImportFidelityTest, NotesAndCitationsUnderFamsGoToTheFamily) {
  ImportIntoNewFile(
      "0 HEAD\r\n1 CHAR ANSEL\r\n0 @I1@ INDI\r\n1 NAME Per /Lind/\r\n1 SEX M\r\n"
      "1 FAMS @F1@\r\n2 NOTE Married in the old church.\r\n2 SOUR @S1@\r\n3 PAGE p. 12\r\n"
      "2 _PREF Y\r\n2 NOTE @N1@\r\n0 @I2@ INDI\r\n1 NAME Eva /Berg/\r\n1 SEX F\r\n1 FAMS @F1@\r\n"
      "2 _PREF N\r\n0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 MARR\r\n2 DATE 1 MAY 1900\r\n"
      "1 NOTE The family's own note.\r\n0 @S1@ SOUR\r\n1 TITL Parish book\r\n"
      "0 @N1@ NOTE A shared note.\r\n0 TRLR\r\n",
      "fams");
  const std::string notes = DbGetNotes(Rin("F1"), 0, db::kMarriage, 0, 1, 0);
  EXPECT_NE(notes.find("The family's own note."), std::string::npos) << notes;
  EXPECT_NE(notes.find("Married in the old church."), std::string::npos) << notes;
  EXPECT_NE(notes.find("A shared note."), std::string::npos) << notes;
  const std::vector<CCitationRecord> cited = Citations(Rin("F1"), db::kOwnerMarriage);
  ASSERT_EQ(cited.size(), 1u);
  EXPECT_EQ(cited[0].pageText, "p. 12");
  EXPECT_EQ(cited[0].sourceRin, Rin("S1"));
  EXPECT_TRUE(LogHas("_PREF of a FAMS line: 2")) << importLog_;
  const std::string exported = ExpectCleanAndStable();
  EXPECT_NE(exported.find("Married in the old church."), std::string::npos);
}

// ---- escapes, cuts and characters ---------------------------------------------

TEST_F(ImportFidelityTest, CalendarEscapesAreWrittenAsTheyAre) {
  ImportIntoNewFile(
      "0 HEAD\r\n1 CHAR ANSEL\r\n0 @I1@ INDI\r\n1 NAME Ole /Holm/\r\n1 BIRT\r\n"
      "2 DATE @#DJULIAN@ 1 MAR 1700\r\n1 NOTE Write to ole@holm.example\r\n0 TRLR\r\n",
      "escape");
  const std::string exported = ExpectCleanAndStable();
  EXPECT_TRUE(HasLine(exported, "2 DATE @#DJULIAN@ 1 MAR 1700")) << exported;
  EXPECT_EQ(exported.find("@@#"), std::string::npos) << exported;
  EXPECT_NE(exported.find("ole@@holm.example"), std::string::npos) << exported;
}

// A place over 120 bytes and a date over 50 are cut between letters, never
// inside one; no export writes the family file's two-byte form.
TEST_F(ImportFidelityTest, CutsFallBetweenLetters) {
  for (const int codePage : {1252, 1250}) {
    SCOPED_TRACE(codePage);
    ScopedCodePage page(codePage);
    // In 1252 "ł" travels as two bytes: the first at byte 120 of the place,
    // and at byte 50 of the date.
    const std::string place = std::string(119, 'p') + "\u0142\u0141\u0111 end";
    const std::string date = "ABT 1900 in the winter of the great frost at " + std::string(4, 'x') +
                             "\u0142\u0141\u0111 and more";
    ImportIntoNewFile(
        "0 HEAD\r\n1 CHAR UTF-8\r\n0 @I1@ INDI\r\n1 NAME Ida /Krol/\r\n1 BIRT\r\n"
        "2 DATE " +
            date + "\r\n2 PLAC " + place + "\r\n0 TRLR\r\n",
        "cuts");
    const CIndividualRecord p = Person("I1");
    const std::string storedPlace = plat::AnsiToUtf8(p.birth.place[0]);
    const std::string storedDate = plat::AnsiToUtf8(p.birth.date.Format(false, 0, false, true));
    EXPECT_TRUE(place.starts_with(storedPlace)) << storedPlace;
    EXPECT_GE(storedPlace.size(), 119u);
    EXPECT_TRUE(date.starts_with(storedDate)) << storedDate;
    EXPECT_GE(storedDate.size(), 49u);
    gedcom::ExportOptions ansi = Standard55();
    ansi.ansel = false;
    const std::string exported = ExpectCleanAndStable(ansi);
    EXPECT_EQ(exported.find_first_of("\x81\x90"), std::string::npos);
  }
}

TEST_F(ImportFidelityTest, LatinOneBytesInAnAnselFileWithoutCharLineAreLogged) {
  ImportIntoNewFile("0 HEAD\r\n0 @I1@ INDI\r\n1 NAME Jos\xE9 /M\xFCller/\r\n0 TRLR\r\n", "latin1");
  EXPECT_TRUE(LogHas("were left out or read as '?': 2")) << importLog_;
  EXPECT_TRUE(LogHas("no CHAR line")) << importLog_;
  ExpectCleanAndStable();
}

TEST_F(ImportFidelityTest, ATrailerInTheMiddleSaysWhereReadingStopped) {
  ImportIntoNewFile(
      "0 HEAD\r\n0 @I1@ INDI\r\n1 NAME Read /One/\r\n0 TRLR\r\n0 @I2@ INDI\r\n"
      "1 NAME Lost /One/\r\n\r\n0 TRLR\r\n\x1A",
      "trailer");
  EXPECT_EQ(CountLive(db::kQueryIndividuals), 1);
  EXPECT_TRUE(
      LogHas("test.GED, line 4: The file ends with this TRLR line; 3 lines after it were "
             "not read."))
      << importLog_;
  ExpectCleanAndStable();
}

TEST_F(ImportFidelityTest, ControlCharactersInValuesAreLeftOutAndCounted) {
  ImportIntoNewFile(
      "0 HEAD\r\n1 CHAR ANSEL\r\n0 @I1@ INDI\r\n1 NAME An\x01na /Ber\x1Bg\x7F/\r\n"
      "0 TRLR\r\n",
      "controls");
  EXPECT_EQ(Person("I1").GetGivenNames(), "Anna");
  EXPECT_EQ(Person("I1").surname, "Berg");
  EXPECT_TRUE(
      LogHas("test.GED, line 4: The value holds control characters, which are left out: 3."))
      << importLog_;
  ExpectCleanAndStable();
}

// The log is UTF-8 for a person: a letter beyond the code page is printed as
// itself, not as the family file's two-byte form.
TEST_F(ImportFidelityTest, TheLogPrintsLettersInUtf8) {
  for (const int codePage : {1252, 1250}) {
    SCOPED_TRACE(codePage);
    ScopedCodePage page(codePage);
    ImportIntoNewFile(
        "0 HEAD\r\n1 CHAR UTF-8\r\n0 @I1@ INDI\r\n1 NAME \u0141ukasz /Nowak/\r\n"
        "1 _ODD \u0141\u00F3d\u017A \u0131\r\n0 TRLR\r\n",
        "log");
    EXPECT_TRUE(LogHas("1 _ODD \u0141\u00F3d\u017A \u0131")) << importLog_;
  }
}

// ---- the ANSEL export's plain forms -------------------------------------------

TEST_F(ImportFidelityTest, APlainFormPutsNoSlashIntoAName) {
  ImportIntoNewFile(
      "0 HEAD\r\n1 CHAR UTF-8\r\n0 @I1@ INDI\r\n1 NAME Anna \u2030 /Berg/\r\n"
      "1 NOTE 5 \u2030 of the estate\r\n0 TRLR\r\n",
      "permille");
  const std::string exported = ExpectCleanAndStable();
  EXPECT_EQ(Person("I1").surname, "Berg");
  const std::vector<std::string> lines = GedcomLines(exported);
  const auto nameLine = std::find_if(lines.begin(), lines.end(),
                                     [](const std::string& l) { return l.starts_with("1 NAME "); });
  ASSERT_NE(nameLine, lines.end());
  EXPECT_EQ(std::count(nameLine->begin(), nameLine->end(), '/'), 2) << *nameLine;
  // Elsewhere the usual plain form; the summary names each replacement.
  EXPECT_NE(exported.find("5 o/oo of the estate"), std::string::npos);
  EXPECT_NE(exportSummary_.find(plat::Utf8ToAnsi("\u2030") + " -> o%oo"), std::string::npos)
      << plat::AnsiToUtf8(exportSummary_);
  EXPECT_NE(exportSummary_.find(plat::Utf8ToAnsi("\u2030") + " -> o/oo"), std::string::npos)
      << plat::AnsiToUtf8(exportSummary_);
}

// ---- the 4.0 form and repositories ------------------------------------------

TEST_F(ImportFidelityTest, TheFormFourExportIsAnsel) {
  ImportIntoNewFile(
      "0 HEAD\r\n1 CHAR UTF-8\r\n0 @I1@ INDI\r\n1 NAME J\u00F6rg /\u0141ada/\r\n"
      "0 TRLR\r\n",
      "form40");
  gedcom::ExportOptions form40 = Standard55();
  form40.mode = gedcom::kExportGedcom40;
  form40.form55 = false;
  const std::string exported = ExpectCleanAndStable(form40);
  EXPECT_TRUE(HasLine(exported, "1 CHAR ANSEL")) << exported;
  EXPECT_TRUE(HasLine(exported,
                      "1 NAME J\xE8org /\xA1"
                      "ada/"))
      << exported;
}

TEST_F(ImportFidelityTest, ASourceKeepsItsFirstRepositoryWithItsOwnCallNumber) {
  ImportIntoNewFile(
      "0 HEAD\r\n1 CHAR ANSEL\r\n0 @I1@ INDI\r\n1 NAME Ole /Holm/\r\n1 SOUR @S1@\r\n"
      "0 @S1@ SOUR\r\n1 TITL Parish book\r\n1 REPO @R1@\r\n2 CALN A-1\r\n1 REPO @R2@\r\n"
      "2 CALN B-2\r\n0 @R1@ REPO\r\n1 NAME First archive\r\n0 @R2@ REPO\r\n"
      "1 NAME Second archive\r\n0 TRLR\r\n",
      "repo");
  CSourceRecord source;
  ASSERT_EQ(DbGetRecord(Rin("S1"), db::kSource, &source), 1);
  EXPECT_EQ(source.repositoryRin, Rin("R1"));
  EXPECT_EQ(source.callNumber, "A-1");
  EXPECT_TRUE(LogHas("REPO of a source after its first: 1")) << importLog_;
  const std::string exported = ExpectCleanAndStable();
  EXPECT_EQ(exported.find("B-2"), std::string::npos);
}

}  // namespace
