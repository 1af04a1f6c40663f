#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CitationRecord.h"
#include "DbCodes.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"

namespace {

// Footnotes print dates in the user's style; the tests pin the default one.
class FootnoteTest : public ::testing::Test {
 protected:
  void SetUp() override { SetDateDisplayOptions(DateDisplayOptions{}); }
  void TearDown() override { SetDateDisplayOptions(DateDisplayOptions{}); }
};

CRepositoryRecord MakeRepository() {
  CRepositoryRecord r;
  r.name = "County Archive";
  r.address[0] = "1 High St";
  r.address[2] = "Leeds";  // the empty line between is skipped
  r.phone = "555";
  return r;
}

CSourceRecord MakeSource() {
  CSourceRecord s;
  s.author = "Smith, John";
  s.abbreviatedAuthor = "Smith";
  s.title = "Parish Register";
  s.abbreviatedTitle = "PR";
  s.titleSupplement = "2nd ed";
  s.publication = "London, 1890";
  s.callNumber = "MS 12";
  s.repositoryRin = 4;
  return s;
}

TEST(CompareNullableStrings, NullsSortFirstThenBytes) {
  const char* same = "abc";
  EXPECT_EQ(CompareNullableStrings(nullptr, nullptr), 0);
  EXPECT_EQ(CompareNullableStrings(same, same), 0);
  EXPECT_EQ(CompareNullableStrings(nullptr, ""), -1);
  EXPECT_EQ(CompareNullableStrings("", nullptr), 1);
  EXPECT_EQ(CompareNullableStrings("abc", std::string("abc").c_str()), 0);
  EXPECT_LT(CompareNullableStrings("abc", "abd"), 0);
  EXPECT_GT(CompareNullableStrings("b", "a"), 0);
  // Bytes compare unsigned: a code-page letter sorts after ASCII.
  EXPECT_GT(CompareNullableStrings("\xE9", "z"), 0);
}

TEST(Footnote, PagePieceByContent) {
  struct Case {
    const char* page;
    const char* expected;
  } cases[] = {
      {"12", "p. 12"},
      {"12-14", "pp. 12-14"},
      {"3, 5", "pp. 3, 5"},
      {"3,5", "pp. 3,5"},
      {"12 ", "p. 12 "},
      {"12a", "12a"},
      {"Film 1234", "Film 1234"},
      {"Vol. 3, p. 5", "Vol. 3, p. 5"},
  };
  for (const Case& c : cases) EXPECT_EQ(footnote::PagePiece(c.page), c.expected) << c.page;
}

TEST(Footnote, TrailingBlanksAreControlCodesAndSpaces) {
  EXPECT_EQ(footnote::TrimTrailingBlanks("text \t\r\n"), "text");
  EXPECT_EQ(footnote::TrimTrailingBlanks("  "), "");
  // Code-page letters above 127 are not blanks.
  EXPECT_EQ(footnote::TrimTrailingBlanks("caf\xE9"), "caf\xE9");
  EXPECT_EQ(footnote::TrimTrailingBlanks("a\xA0"), "a\xA0");
}

TEST_F(FootnoteTest, SourceFootnoteForms) {
  const CRepositoryRecord repo = MakeRepository();
  struct Case {
    const char* name;
    std::function<void(CSourceRecord&)> edit;
    bool abbreviated;
    bool italics;
    bool withRepository;
    const char* expected;
  };
  std::vector<Case> cases = {
      {"everything", [](CSourceRecord&) {}, false, false, true,
       "Smith, John, Parish Register, 2nd ed, London, 1890, County Archive, 1 High St, Leeds, "
       "MS 12."},
      {"abbreviated title", [](CSourceRecord&) {}, true, false, false,
       "Smith, John, PR, 2nd ed, London, 1890, MS 12."},
      {"abbreviated falls back to title", [](CSourceRecord& s) { s.abbreviatedTitle.clear(); },
       true, false, false, "Smith, John, Parish Register, 2nd ed, London, 1890, MS 12."},
      {"full falls back to abbreviated", [](CSourceRecord& s) { s.title.clear(); }, false, false,
       false, "Smith, John, PR, 2nd ed, London, 1890, MS 12."},
      {"italics when the source asks", [](CSourceRecord& s) { s.italicTitle = 1; }, false, true,
       false, "Smith, John, <I>Parish Register</I>, 2nd ed, London, 1890, MS 12."},
      {"no italics unless asked", [](CSourceRecord& s) { s.italicTitle = 1; }, false, false, false,
       "Smith, John, Parish Register, 2nd ed, London, 1890, MS 12."},
      {"no italics unless the source asks", [](CSourceRecord&) {}, false, true, false,
       "Smith, John, Parish Register, 2nd ed, London, 1890, MS 12."},
      {"publication in brackets",
       [](CSourceRecord& s) {
         s.parenthesizeFacts = 1;
         s.titleSupplement.clear();
         s.callNumber.clear();
       },
       false, false, false, "Smith, John, Parish Register (London, 1890)."},
      {"publication alone in brackets",
       [](CSourceRecord& s) {
         s = CSourceRecord();
         s.parenthesizeFacts = 1;
         s.publication = "1890";
       },
       false, false, false, "(1890)."},
      {"nothing at all", [](CSourceRecord& s) { s = CSourceRecord(); }, false, true, true, ""},
      {"repository not named",
       [](CSourceRecord& s) {
         s.repositoryRin = 0;
         s.callNumber.clear();
       },
       false, false, true, "Smith, John, Parish Register, 2nd ed, London, 1890."},
      {"author only",
       [](CSourceRecord& s) {
         s = CSourceRecord();
         s.author = "Smith";
       },
       false, false, false, "Smith."},
      {"repository only",
       [](CSourceRecord& s) {
         s = CSourceRecord();
         s.repositoryRin = 4;
       },
       false, false, true, "County Archive, 1 High St, Leeds."},
      {"no second period",
       [](CSourceRecord& s) {
         s = CSourceRecord();
         s.title = "Register, vol. 2 ed.";
       },
       false, false, false, "Register, vol. 2 ed."},
      {"actual text and comments",
       [](CSourceRecord& s) {
         s = CSourceRecord();
         s.title = "Register";
         s.SetActualText("Baptized 5 May \r\n");
         s.SetComments("Hard to read  ");
       },
       false, false, false, "Register. \"Baptized 5 May\" Hard to read."},
      {"comments already ended",
       [](CSourceRecord& s) {
         s = CSourceRecord();
         s.title = "Register";
         s.SetComments("Hard to read.");
       },
       false, false, false, "Register. Hard to read."},
  };
  for (const Case& c : cases) {
    CSourceRecord source = MakeSource();
    c.edit(source);
    std::string out = "left over";
    EXPECT_EQ(
        source.FormatFootnote(out, c.abbreviated, c.italics, c.withRepository ? &repo : nullptr),
        c.expected)
        << c.name;
    EXPECT_EQ(out, c.expected) << c.name;
  }
}

TEST_F(FootnoteTest, CitationFootnoteForms) {
  const CRepositoryRecord repo = MakeRepository();
  struct Case {
    const char* name;
    std::function<void(CCitationRecord&, CSourceRecord&)> edit;
    bool italics, shortForm, noSourceText, withActualText, withComments;
    bool withSource = true;
  };
  auto withTexts = [](CCitationRecord& c, CSourceRecord& s) {
    s.SetActualText("Source text ");
    s.SetComments("Source note ");
    c.SetActualText("Entry reads \"John\"");
    c.SetComments("Faded.\r\n");
  };
  struct Expected {
    Case c;
    const char* text;
  };
  std::vector<Expected> cases = {
      {{"full", [](CCitationRecord&, CSourceRecord&) {}, false, false, false, false, false},
       "Smith, John, Parish Register, 2nd ed, London, 1890, p. 12, 5 Jan 1900, County Archive, "
       "1 High St, Leeds, MS 12."},
      {{"short", [](CCitationRecord&, CSourceRecord&) {}, false, true, false, false, false},
       "Smith, PR, p. 12, 5 Jan 1900."},
      {{"short falls back to author and title",
        [](CCitationRecord&, CSourceRecord& s) {
          s.abbreviatedAuthor.clear();
          s.abbreviatedTitle.clear();
        },
        false, true, false, false, false},
       "Smith, John, Parish Register, p. 12, 5 Jan 1900."},
      {{"short italics", [](CCitationRecord&, CSourceRecord& s) { s.italicTitle = 1; }, true, true,
        false, false, false},
       "Smith, <I>PR</I>, p. 12, 5 Jan 1900."},
      {{"full italics", [](CCitationRecord&, CSourceRecord& s) { s.italicTitle = 1; }, true, false,
        true, false, false},
       "<I>Parish Register</I>, p. 12, 5 Jan 1900."},
      {{"title only", [](CCitationRecord&, CSourceRecord&) {}, false, false, true, true, true},
       "Parish Register, p. 12, 5 Jan 1900."},
      {{"short title only", [](CCitationRecord&, CSourceRecord&) {}, false, true, true, true, true},
       "PR, p. 12, 5 Jan 1900."},
      {{"page range, no date",
        [](CCitationRecord& c, CSourceRecord&) {
          c.pageText = "12-14";
          c.entryDate.Reset();
        },
        false, true, false, false, false},
       "Smith, PR, pp. 12-14."},
      {{"page with a letter",
        [](CCitationRecord& c, CSourceRecord&) { c.pageText = "Film 1234, item 5"; }, false, true,
        false, false, false},
       "Smith, PR, Film 1234, item 5, 5 Jan 1900."},
      {{"no page", [](CCitationRecord& c, CSourceRecord&) { c.pageText.clear(); }, false, true,
        false, false, false},
       "Smith, PR, 5 Jan 1900."},
      {{"short with texts", withTexts, false, true, false, true, true},
       "Smith, PR, p. 12, 5 Jan 1900. \"Entry reads \"John\".\" Faded."},
      {{"full with texts", withTexts, false, false, false, true, true},
       "Smith, John, Parish Register, 2nd ed, London, 1890, p. 12, 5 Jan 1900, County Archive, "
       "1 High St, Leeds, MS 12. \"Source text.\" Source note. \"Entry reads \"John\".\" Faded."},
      {{"full with actual texts only", withTexts, false, false, false, true, false},
       "Smith, John, Parish Register, 2nd ed, London, 1890, p. 12, 5 Jan 1900, County Archive, "
       "1 High St, Leeds, MS 12. \"Source text.\" \"Entry reads \"John\".\""},
      {{"texts left out without source text", withTexts, false, false, true, true, true},
       "Parish Register, p. 12, 5 Jan 1900."},
      {{"source text ending the sentence",
        [](CCitationRecord& c, CSourceRecord& s) {
          s.SetActualText("Born.");
          c.pageText.clear();
          c.entryDate.Reset();
        },
        false, false, false, true, false},
       "Smith, John, Parish Register, 2nd ed, London, 1890, County Archive, 1 High St, Leeds, "
       "MS 12. \"Born.\""},
      {{"call number ending in a period",
        [](CCitationRecord& c, CSourceRecord& s) {
          s.callNumber = "MS 12 etc.";
          c.pageText.clear();
          c.entryDate.Reset();
        },
        false, false, false, false, false},
       "Smith, John, Parish Register, 2nd ed, London, 1890, County Archive, 1 High St, Leeds, "
       "MS 12 etc."},
      {{"unreadable source", [](CCitationRecord&, CSourceRecord&) {}, true, false, false, true,
        true, false},
       "p. 12, 5 Jan 1900."},
      {{"nothing at all",
        [](CCitationRecord& c, CSourceRecord& s) {
          c = CCitationRecord();
          s = CSourceRecord();
        },
        true, false, false, true, true},
       ""},
  };
  for (const Expected& e : cases) {
    CSourceRecord source = MakeSource();
    CCitationRecord citation;
    citation.sourceRin = 1;
    citation.pageText = "12";
    citation.entryDate.Set(1900, 1, 5);
    e.c.edit(citation, source);
    std::string out = "left over";
    citation.FormatFootnote(out, e.c.italics, e.c.shortForm, e.c.noSourceText, e.c.withActualText,
                            e.c.withComments, e.c.withSource ? &source : nullptr,
                            e.c.withSource ? &repo : nullptr);
    EXPECT_EQ(out, e.text) << e.c.name;
  }
}

TEST_F(FootnoteTest, CitationExportText) {
  const CRepositoryRecord repo = MakeRepository();
  struct Case {
    const char* name;
    std::function<void(CCitationRecord&, CSourceRecord&)> edit;
    bool withRepository;
    const char* expected;
  };
  std::vector<Case> cases = {
      {"everything",
       [](CCitationRecord& c, CSourceRecord& s) {
         s.SetActualText("Source text");
         s.SetComments("Source note.");
         c.SetActualText("Entry");
         c.SetComments("Faded");
       },
       true,
       "Smith, John, Parish Register; ; London, 1890; MS 12, line 4, pp. 3-4; County Archive, "
       "1 High St, Leeds; 2nd ed. 5 Jan 1900. Source text. Source note. Entry. Faded"},
      {"no repository", [](CCitationRecord&, CSourceRecord&) {}, false,
       "Smith, John, Parish Register; ; London, 1890; MS 12, line 4, pp. 3-4; ; 2nd ed. 5 Jan "
       "1900"},
      {"date starts the last field",
       [](CCitationRecord&, CSourceRecord& s) { s.titleSupplement.clear(); }, false,
       "Smith, John, Parish Register; ; London, 1890; MS 12, line 4, pp. 3-4; ; 5 Jan 1900"},
      {"title without author",
       [](CCitationRecord& c, CSourceRecord& s) {
         s.author.clear();
         s.callNumber.clear();
         c.detailText.clear();
         c.entryDate.Reset();
         s.titleSupplement.clear();
       },
       false, "Parish Register; ; London, 1890; pp. 3-4"},
      {"page only",
       [](CCitationRecord& c, CSourceRecord& s) {
         s = CSourceRecord();
         c.detailText.clear();
         c.pageText = "7";
         c.entryDate.Reset();
       },
       false, "; ; ; p. 7"},
      {"text only",
       [](CCitationRecord& c, CSourceRecord& s) {
         s = CSourceRecord();
         c = CCitationRecord();
         c.SetComments("Note");
       },
       false, "; ; ; ; ; Note"},
      {"nothing",
       [](CCitationRecord& c, CSourceRecord& s) {
         s = CSourceRecord();
         c = CCitationRecord();
       },
       true, ""},
  };
  for (const Case& c : cases) {
    CSourceRecord source = MakeSource();
    CCitationRecord citation;
    citation.pageText = "3-4";
    citation.detailText = "line 4";
    citation.entryDate.Set(1900, 1, 5);
    c.edit(citation, source);
    std::string out = "left over";
    EXPECT_EQ(citation.FormatExportText(out, &source, c.withRepository ? &repo : nullptr),
              c.expected)
        << c.name;
  }
}

CCitationRecord MakeCitation() {
  CCitationRecord c;
  c.pageText = "12";
  c.detailText = "line 4";
  c.entryDate.Set(1900, 1, 5);
  c.SetComments("note");
  c.SetActualText("text");
  c.sourceRin = 3;
  c.ownerLetter = db::kOwnerIndividual;
  c.ownerNumber = 7;
  return c;
}

TEST(CitationRecord, NewAndClearedState) {
  CCitationRecord fresh;
  CCitationRecord c = MakeCitation();
  c.image = std::make_unique<CMultimediaItem>();
  c.nextCitation = c.previousCitation = c.numbers[0] = c.secondOwnerNumber = 9;
  c.formatCode = 3;
  c.quality = 1;
  c.Clear();
  for (const CCitationRecord* r : {&fresh, &c}) {
    EXPECT_TRUE(r->pageText.empty());
    EXPECT_TRUE(r->detailText.empty());
    EXPECT_FALSE(r->entryDate.IsSet());
    EXPECT_TRUE(r->comments.empty());
    EXPECT_TRUE(r->actualText.empty());
    EXPECT_EQ(r->image, nullptr);
    EXPECT_EQ(r->sourceRin, 0);
    EXPECT_EQ(r->nextCitation, 0);
    EXPECT_EQ(r->previousCitation, 0);
    EXPECT_EQ(r->numbers[0], 0);
    EXPECT_EQ(r->ownerLetter, ' ');
    EXPECT_EQ(r->ownerNumber, 0);
    EXPECT_EQ(r->secondOwnerNumber, 0);
    EXPECT_EQ(r->formatCode, 2);
    EXPECT_EQ(r->quality, 4);
  }
}

TEST(CitationRecord, SetTextsReplaceAndNullLeavesNone) {
  CCitationRecord c = MakeCitation();
  c.SetComments(static_cast<const char*>(nullptr));
  c.SetActualText("new");
  EXPECT_TRUE(c.comments.empty());
  EXPECT_EQ(c.actualText, "new");
}

TEST(CitationRecord, CopyOwnsItsOwnImage) {
  CCitationRecord c = MakeCitation();
  c.image = std::make_unique<CMultimediaItem>();
  c.image->caption = "scan";
  c.image->next = std::make_unique<CMultimediaItem>();
  CCitationRecord copy = c;
  ASSERT_NE(copy.image, nullptr);
  EXPECT_NE(copy.image.get(), c.image.get());
  EXPECT_EQ(copy.image->caption, "scan");
  EXPECT_EQ(copy.image->next, nullptr);
  EXPECT_TRUE(copy.IsSame(c));
  copy = CCitationRecord();
  copy = c;
  EXPECT_EQ(copy.image->caption, "scan");
}

TEST(CitationRecord, IsSameComparesSourceOwnerTextsAndDate) {
  const CCitationRecord base = MakeCitation();
  EXPECT_TRUE(base.IsSame(MakeCitation()));

  std::vector<std::pair<const char*, std::function<void(CCitationRecord&)>>> differ = {
      {"source", [](CCitationRecord& c) { c.sourceRin = 4; }},
      {"owner letter", [](CCitationRecord& c) { c.ownerLetter = db::kOwnerMarriage; }},
      {"owner number", [](CCitationRecord& c) { c.ownerNumber = 8; }},
      {"page", [](CCitationRecord& c) { c.pageText = "13"; }},
      {"detail", [](CCitationRecord& c) { c.detailText.clear(); }},
      {"date", [](CCitationRecord& c) { c.entryDate.Set(1900, 1, 6); }},
      {"actual text", [](CCitationRecord& c) { c.SetActualText("other"); }},
      {"comments", [](CCitationRecord& c) { c.SetComments(static_cast<const char*>(nullptr)); }},
  };
  for (auto& [name, edit] : differ) {
    CCitationRecord other = MakeCitation();
    edit(other);
    EXPECT_FALSE(base.IsSame(other)) << name;
    EXPECT_FALSE(other.IsSame(base)) << name;
  }

  // Chain places, the second owner number and the image do not count.
  CCitationRecord moved = MakeCitation();
  moved.nextCitation = 5;
  moved.previousCitation = 6;
  moved.secondOwnerNumber = 2;
  moved.image = std::make_unique<CMultimediaItem>();
  EXPECT_TRUE(base.IsSame(moved));

  // A missing text is an empty one.
  CCitationRecord a = MakeCitation();
  CCitationRecord b = MakeCitation();
  a.SetComments(static_cast<const char*>(nullptr));
  b.SetComments("");
  EXPECT_TRUE(a.IsSame(b));
}

TEST(SourceRecord, NewAndClearedState) {
  CSourceRecord fresh;
  CSourceRecord s = MakeSource();
  s.recordNumber = 5;
  s.bytes[2] = 1;
  s.formatBytes[0] = 0;
  s.formatBytes[1] = 3;
  s.italicTitle = s.parenthesizeFacts = 1;
  s.SetComments("c");
  s.SetActualText("t");
  s.numbers[1] = 3;
  s.SetImage(std::make_unique<CMultimediaItem>());
  s.Clear();
  for (const CSourceRecord* r : {&fresh, &s}) {
    EXPECT_EQ(r->recordNumber, 0);
    EXPECT_EQ(r->bytes[2], 0);
    EXPECT_EQ(r->formatBytes[0], 4);
    EXPECT_EQ(r->formatBytes[1], 1);
    EXPECT_EQ(r->italicTitle, 0);
    EXPECT_EQ(r->parenthesizeFacts, 0);
    for (const std::string* t :
         {&r->abbreviatedTitle, &r->title, &r->callNumber, &r->author, &r->abbreviatedAuthor,
          &r->publication, &r->titleSupplement, &r->comments, &r->actualText}) {
      EXPECT_TRUE(t->empty());
    }
    EXPECT_EQ(r->image, nullptr);
    EXPECT_EQ(r->repositoryRin, 0);
    EXPECT_EQ(r->numbers[1], 0);
  }
}

TEST(SourceRecord, SetImageHandsBackTheOldOne) {
  CSourceRecord s;
  auto first = std::make_unique<CMultimediaItem>();
  CMultimediaItem* firstPtr = first.get();
  EXPECT_EQ(s.SetImage(std::move(first)), nullptr);
  auto old = s.SetImage(std::make_unique<CMultimediaItem>());
  EXPECT_EQ(old.get(), firstPtr);
  EXPECT_NE(s.image.get(), firstPtr);

  CSourceRecord copy = s;
  ASSERT_NE(copy.image, nullptr);
  EXPECT_NE(copy.image.get(), s.image.get());
}

TEST_F(FootnoteTest, SourceIsSameByFieldsAndFootnote) {
  const CRepositoryRecord repo = MakeRepository();
  const CSourceRecord base = MakeSource();
  EXPECT_TRUE(base.IsSame(MakeSource(), &repo, &repo));

  struct Case {
    const char* name;
    std::function<void(CSourceRecord&)> edit;
    bool same;
  };
  std::vector<Case> cases = {
      {"title", [](CSourceRecord& s) { s.title = "Other"; }, false},
      {"author", [](CSourceRecord& s) { s.author = "Other"; }, false},
      {"publication", [](CSourceRecord& s) { s.publication = "Other"; }, false},
      {"supplement", [](CSourceRecord& s) { s.titleSupplement.clear(); }, false},
      {"call number", [](CSourceRecord& s) { s.callNumber = "MS 13"; }, false},
      {"italic title", [](CSourceRecord& s) { s.italicTitle = 1; }, false},
      {"brackets", [](CSourceRecord& s) { s.parenthesizeFacts = 1; }, false},
      {"comments", [](CSourceRecord& s) { s.SetComments("note"); }, false},
      {"abbreviated title", [](CSourceRecord& s) { s.abbreviatedTitle = "X"; }, true},
      {"abbreviated author", [](CSourceRecord& s) { s.abbreviatedAuthor = "X"; }, true},
      {"record number", [](CSourceRecord& s) { s.recordNumber = 99; }, true},
  };
  for (const Case& c : cases) {
    CSourceRecord other = MakeSource();
    c.edit(other);
    EXPECT_EQ(base.IsSame(other, &repo, &repo), c.same) << c.name;
  }

  // Different repositories print different footnotes.
  CRepositoryRecord otherRepo = MakeRepository();
  otherRepo.address[0] = "2 High St";
  EXPECT_FALSE(base.IsSame(MakeSource(), &repo, &otherRepo));
  EXPECT_FALSE(base.IsSame(MakeSource(), &repo, nullptr));
}

TEST(RepositoryRecord, ClearAndIsSame) {
  const CRepositoryRecord base = MakeRepository();
  CRepositoryRecord r = MakeRepository();
  EXPECT_TRUE(base.IsSame(r));
  r.address[3] = "UK";
  EXPECT_FALSE(base.IsSame(r));
  r = MakeRepository();
  r.note = "open Mondays";
  EXPECT_FALSE(base.IsSame(r));
  r.recordNumber = 6;
  r.numbers[0] = r.numbers[1] = 2;
  r.Clear();
  EXPECT_TRUE(r.name.empty());
  for (const std::string& line : r.address) EXPECT_TRUE(line.empty());
  EXPECT_TRUE(r.phone.empty());
  EXPECT_TRUE(r.note.empty());
  EXPECT_EQ(r.numbers[0], 0);
  EXPECT_EQ(r.numbers[1], 0);
  EXPECT_EQ(r.recordNumber, 6);  // not one of the cleared fields
  EXPECT_TRUE(r.IsSame(CRepositoryRecord()));
}

}  // namespace
