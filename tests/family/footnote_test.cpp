// Footnote and export texts of citations and sources whose source and
// repository are read from a family file built through the database calls.
#include <gtest/gtest.h>

#include <string>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "Footnotes.h"
#include "IndividualRecord.h"
#include "OpenFamilyFixture.h"
#include "RecordAccess.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"

namespace {

class FootnoteDbTest : public OpenFamilyFixture {
 protected:
  void SetUp() override {
    OpenFamilyFixture::SetUp();
    CRepositoryRecord archive;
    archive.name = "County Archive";
    archive.address[0] = "12 High St";
    archive.address[2] = "York";
    repository = DbAddRecord(db::kRepository, 0, &archive);
    ASSERT_GT(repository, 0);

    CSourceRecord register_;
    register_.author = "Smith, John";
    register_.abbreviatedAuthor = "Smith";
    register_.title = "Parish Register";
    register_.abbreviatedTitle = "Par. Reg.";
    register_.titleSupplement = "vol. 2";
    register_.publication = "London 1850";
    register_.callNumber = "PR-7";
    register_.italicTitle = 1;
    register_.repositoryRin = repository;
    source = DbAddRecord(db::kSource, 0, &register_);
    ASSERT_GT(source, 0);
  }

  CCitationRecord Citation(const char* page) const {
    CCitationRecord citation;
    citation.sourceRin = source;
    citation.pageText = page;
    return citation;
  }
  CSourceRecord ReadSource(std::int32_t number) const {
    CSourceRecord read;
    EXPECT_EQ(DbGetRecord(number, db::kSource, &read), 1);
    return read;
  }

  std::int32_t repository = 0;
  std::int32_t source = 0;
};

TEST_F(FootnoteDbTest, CitationFootnotesReadTheSourceAndItsRepository) {
  struct Case {
    const char* page;
    bool shortForm, noSourceText;
    const char* expected;
  } cases[] = {
      {"12-14", false, false,
       "Smith, John, <I>Parish Register</I>, vol. 2, London 1850, pp. 12-14, County Archive, "
       "12 High St, York, PR-7."},
      {"3, 5", false, false,
       "Smith, John, <I>Parish Register</I>, vol. 2, London 1850, pp. 3, 5, County Archive, "
       "12 High St, York, PR-7."},
      {"12", true, false, "Smith, <I>Par. Reg.</I>, p. 12."},
      {"folio 3a", true, false, "Smith, <I>Par. Reg.</I>, folio 3a."},
      {"", true, false, "Smith, <I>Par. Reg.</I>."},
      {"12", false, true, "<I>Parish Register</I>, p. 12."},
  };
  const CSourceRecord read = ReadSource(source);
  CRepositoryRecord archive;
  ASSERT_EQ(DbGetRecord(repository, db::kRepository, &archive), 1);
  for (const Case& c : cases) {
    const CCitationRecord citation = Citation(c.page);
    std::string out = "old text";
    family::FormatFootnote(citation, out, true, c.shortForm, c.noSourceText, false, false);
    EXPECT_EQ(out, c.expected) << c.page;
    // The same as the form given the records.
    std::string given;
    citation.FormatFootnote(given, true, c.shortForm, c.noSourceText, false, false, &read,
                            &archive);
    EXPECT_EQ(out, given) << c.page;
  }
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(FootnoteDbTest, StoredCitationWithTextsAndMissingParts) {
  CIndividualRecord person;
  person.surname = "Lund";
  const auto owner = static_cast<std::int32_t>(family::Add(person, 0));
  CCitationRecord citation = Citation("7");
  citation.ownerLetter = db::kOwnerIndividual;
  citation.ownerNumber = owner;
  citation.SetActualText("Baptised 3 May  ");
  citation.SetComments("Faded ink");
  const std::int32_t number = DbAddRecord(db::kCitation, 0, &citation);
  ASSERT_GT(number, 0);
  CCitationRecord stored;
  ASSERT_EQ(DbGetRecord(number, db::kCitation, &stored), 1);

  std::string out;
  family::FormatFootnote(stored, out, false, true, false, true, true);
  EXPECT_EQ(out, "Smith, Par. Reg., p. 7. \"Baptised 3 May.\" Faded ink.");

  // A source without a readable repository prints none; without a readable
  // source only the citation's own parts remain.
  ASSERT_EQ(DbDeleteRecord(repository, db::kRepository), 1);
  family::FormatFootnote(stored, out, false, false, false, false, false);
  EXPECT_EQ(out, "Smith, John, Parish Register, vol. 2, London 1850, p. 7, PR-7.");
  stored.sourceRin = source + 40;
  family::FormatFootnote(stored, out, true, false, false, false, false);
  EXPECT_EQ(out, "p. 7.");
  stored.sourceRin = 0;
  stored.pageText.clear();
  family::FormatFootnote(stored, out, true, true, false, false, false);
  EXPECT_EQ(out, "");
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(FootnoteDbTest, ExportTextCarriesTheRepositoryRead) {
  const CCitationRecord citation = Citation("12");
  std::string out;
  family::FormatExportText(citation, out);
  EXPECT_EQ(out,
            "Smith, John, Parish Register; ; London 1850; PR-7, p. 12; County Archive, 12 High St, "
            "York; vol. 2");
  CCitationRecord orphan = Citation("12");
  orphan.sourceRin = 0;
  family::FormatExportText(orphan, out);
  EXPECT_EQ(out, "; ; ; p. 12");
}

TEST_F(FootnoteDbTest, SourceFootnoteAndComparison) {
  CSourceRecord plain;
  plain.author = "Berg";
  plain.title = "Letters";
  plain.publication = "Oslo 1901";
  plain.parenthesizeFacts = 1;
  const std::int32_t letters = DbAddRecord(db::kSource, 0, &plain);
  ASSERT_GT(letters, 0);

  std::string out;
  EXPECT_EQ(family::FormatFootnote(ReadSource(letters), out, false, true),
            "Berg, Letters (Oslo 1901).");
  EXPECT_EQ(family::FormatFootnote(ReadSource(source), out, true, true),
            "Smith, John, <I>Par. Reg.</I>, vol. 2, London 1850, County Archive, 12 High St, "
            "York, PR-7.");

  // A copy of the register naming an equal repository of its own is the same
  // source; one naming another archive is not.
  CRepositoryRecord twin;
  twin.name = "County Archive";
  twin.address[0] = "12 High St";
  twin.address[2] = "York";
  const std::int32_t twinNumber = DbAddRecord(db::kRepository, 0, &twin);
  CRepositoryRecord other = twin;
  other.name = "City Library";
  const std::int32_t otherNumber = DbAddRecord(db::kRepository, 0, &other);
  CSourceRecord copy = ReadSource(source);
  const CSourceRecord original = ReadSource(source);
  copy.repositoryRin = twinNumber;
  EXPECT_TRUE(family::IsSameSource(original, copy));
  copy.repositoryRin = otherNumber;
  EXPECT_FALSE(family::IsSameSource(original, copy));
  copy.repositoryRin = 0;
  EXPECT_FALSE(family::IsSameSource(original, copy));
  EXPECT_FALSE(family::IsSameSource(original, ReadSource(letters)));
}

}  // namespace
