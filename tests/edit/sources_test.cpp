// Sources, citations and repositories through the database calls: the View
// Sources text, the citation screen's model for every owner letter, the
// source and repository stores, the address text and the source cache.

#include <gtest/gtest.h>

#include <functional>

#include "CitationEditing.h"
#include "EditFixture.h"
#include "RepositoryRecord.h"
#include "SourceEditing.h"
#include "WriteFaultRun.h"

namespace {

using sources::CSourcesForModel;
using sources::SaveAnswer;

notes::EditGate Granted() {
  return {[] { return false; }, [] { return true; }};
}

class SourcesTest : public EditFamilyFixture {
 protected:
  void TearDown() override {
    sources::CSourceListCache::Instance().Clear();
    sources::MemorizedCitation().Clear();
    EditFamilyFixture::TearDown();
  }
  static std::int32_t AddSource(const char* title, const char* author = "",
                                std::int32_t repository = 0) {
    CSourceRecord s;
    s.title = title;
    s.author = author;
    s.repositoryRin = repository;
    const std::int32_t n = DbAddRecord(db::kSource, 1, &s);
    EXPECT_GT(n, 0);
    return n;
  }
  static std::int32_t AddRepository(const char* name) {
    CRepositoryRecord r;
    r.name = name;
    const std::int32_t n = DbAddRecord(db::kRepository, 1, &r);
    EXPECT_GT(n, 0);
    return n;
  }
  static std::int32_t Cite(std::int32_t source, std::int32_t owner, char letter, const char* page) {
    CCitationRecord c;
    c.sourceRin = source;
    c.ownerLetter = letter;
    c.ownerNumber = owner;
    c.pageText = page;
    const std::int32_t n = DbAddRecord(db::kCitation, 1, &c);
    EXPECT_GT(n, 0) << letter;
    return n;
  }
  static std::vector<std::int32_t> Chain(std::int32_t owner, char letter) {
    std::vector<std::int32_t> list;
    DbGetRinList(list, db::kCitation, owner, letter);
    return list;
  }
  static std::string Page(std::int32_t citation) {
    CCitationRecord c;
    return DbGetRecord(citation, db::kCitation, &c) == 1 ? c.pageText : "<none>";
  }
};

TEST_F(SourcesTest, ViewSourcesHeadingsNumberingAndZel) {
  const std::int32_t ann = Add("Lund", "Ann", 'F', 1900);
  EXPECT_EQ(sources::ViewSourcesText(sources::CollectCitations(ann, 'I', true)), "");

  const std::int32_t census = AddSource("Census 1910");
  Cite(census, ann, db::kOwnerBirth, "12");
  Cite(census, ann, db::kOwnerBirth, "13");
  Cite(census, ann, db::kOwnerIndividual, "1");
  Cite(census, ann, db::kOwnerBaptism, "7");
  const std::int32_t event = AddUserEvent(ann, "Emigration", 1);
  Cite(census, event, db::kOwnerIndividualUserEvent, "9");

  const auto hidden = sources::CollectCitations(ann, 'I', false);
  std::string letters;
  for (const auto& item : hidden) letters += item.ownerLetter;
  EXPECT_EQ(letters, "IBBU");
  const auto shown = sources::CollectCitations(ann, 'I', true);
  letters.clear();
  for (const auto& item : shown) letters += item.ownerLetter;
  EXPECT_EQ(letters, "IBBUA");

  const std::string text = sources::ViewSourcesText(hidden);
  const std::size_t birth = text.find("BIRTH:\r\n\r\n2. ");
  ASSERT_NE(birth, std::string::npos) << text;
  EXPECT_NE(text.find("\r\n\r\n3. ", birth), std::string::npos) << text;
  EXPECT_EQ(text.find("BIRTH:", birth + 1), std::string::npos) << "one heading for both";
  EXPECT_NE(text.find("EMIGRATION:\r\n\r\n4. "), std::string::npos) << text;
  EXPECT_LT(text.find("1. "), birth);
  EXPECT_NE(text.find("Census 1910"), std::string::npos);
}

TEST_F(SourcesTest, CitationsForEveryOwnerLetter) {
  const std::int32_t ann = Add("Lund", "Ann", 'F', 1900);
  const std::int32_t bo = Add("Lund", "Bo", 'M', 1898);
  const std::int32_t mother = Add("Berg", "Eva", 'F', 1870);
  const std::int32_t mrin = Marry(bo, ann);
  const std::int32_t parents = Marry(0, mother);
  AddChild(parents, ann);
  std::vector<std::int32_t> links;
  DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, ann, 0);
  ASSERT_FALSE(links.empty());
  const std::int32_t personEvent = AddUserEvent(ann, "Census", 1);
  CEventTypeRecord censusType;
  CUserEventRecord marriageEvent(mrin, db::kOwnerMarriage, DbFindEventType("Census", censusType),
                                 0);
  const auto mEvent = static_cast<std::int32_t>(family::Add(marriageEvent, 0));
  ASSERT_GT(DbLinkRecord(mEvent, db::kUserEvent, mrin, db::kOwnerMarriage), 0);

  const std::int32_t s1 = AddSource("Parish book");
  const std::int32_t s2 = AddSource("Tax list");
  struct Owner {
    char letter;
    std::int32_t owner;
  } owners[] = {{'I', ann},  {'B', ann},  {'C', ann},      {'D', ann},         {'R', ann},
                {'A', ann},  {'E', ann},  {'p', links[0]}, {'U', personEvent}, {'G', mrin},
                {'M', mrin}, {'S', mrin}, {'V', mEvent}};
  for (const Owner& o : owners) {
    SCOPED_TRACE(o.letter);
    // An owner without citations starts on a new one with the source choice.
    CSourcesForModel model(0, o.owner, o.letter, ann);
    ASSERT_FALSE(model.Open());
    EXPECT_TRUE(model.IsNew());
    EXPECT_EQ(model.PositionText(), "1 of 1");
    model.ChooseSource(s1, false);
    model.Shown().pageText = "first";
    ASSERT_TRUE(model.Ok(Granted()));
    ASSERT_EQ(Chain(o.owner, o.letter).size(), 1u);

    // New, memorize, paste, move and edit, then read back.
    ASSERT_TRUE(model.BeginNew(Granted()));
    EXPECT_EQ(model.PositionText(), "2 of 2");
    model.ChooseSource(s2, false);
    model.Shown().pageText = "second";
    model.Memorize();
    ASSERT_TRUE(model.PasteMemorized(Granted()));
    EXPECT_EQ(model.Shown().pageText, "second");
    ASSERT_TRUE(model.MoveTo(1, Granted()));
    EXPECT_EQ(model.Count(), 3);
    EXPECT_EQ(model.Shown().pageText, "first");
    model.Shown().pageText = "first, edited";
    ASSERT_TRUE(model.MoveTo(3, Granted()));

    const auto chain = Chain(o.owner, o.letter);
    ASSERT_EQ(chain.size(), 3u);
    EXPECT_EQ(Page(chain[0]), "first, edited");
    EXPECT_EQ(Page(chain[1]), "second");
    EXPECT_EQ(Page(chain[2]), "second");
    CCitationRecord pasted;
    ASSERT_EQ(DbGetRecord(chain[2], db::kCitation, &pasted), 1);
    EXPECT_EQ(pasted.sourceRin, s2);

    // Delete from the end down; the last delete closes.
    bool deleted = false;
    EXPECT_FALSE(model.Delete(
        Granted(), [](unsigned) { return true; }, &deleted));
    EXPECT_TRUE(deleted);
    EXPECT_EQ(model.PositionText(), "2 of 2");
    EXPECT_FALSE(model.Delete(Granted(), [](unsigned) { return true; }));
    EXPECT_TRUE(model.Delete(Granted(), [](unsigned) { return true; }));
    EXPECT_TRUE(Chain(o.owner, o.letter).empty());
  }
}

TEST_F(SourcesTest, OpensOnGivenCitationAndNewAfterThreeShowsFourOfFour) {
  const std::int32_t ann = Add("Lund", "Ann", 'F', 1900);
  const std::int32_t s = AddSource("Parish book");
  Cite(s, ann, 'B', "a");
  const std::int32_t second = Cite(s, ann, 'B', "b");
  Cite(s, ann, 'B', "c");
  CSourcesForModel model(second, ann, 'B', 0);
  ASSERT_TRUE(model.Open());
  EXPECT_EQ(model.Position(), 2);
  EXPECT_EQ(model.Shown().pageText, "b");
  CSourcesForModel other(9999, ann, 'B', 0);
  ASSERT_TRUE(other.Open());
  EXPECT_EQ(other.Position(), 1);

  ASSERT_TRUE(model.BeginNew(Granted()));
  EXPECT_EQ(model.PositionText(), "4 of 4");
  EXPECT_EQ(model.TabCount(), 4);
  model.CancelNew();
  EXPECT_EQ(model.PositionText(), "2 of 3");
  EXPECT_EQ(model.Shown().pageText, "b");
}

TEST_F(SourcesTest, SaveDecisionQualityAndRefusal) {
  const std::int32_t ann = Add("Lund", "Ann", 'F', 1900);
  CSourceRecord graded;
  graded.title = "Graded";
  graded.formatBytes[0] = 2;
  const std::int32_t s = DbAddRecord(db::kSource, 1, &graded);
  const std::int32_t plain = AddSource("Plain");
  const std::int32_t c = Cite(plain, ann, 'D', "x");

  CSourcesForModel model(c, ann, 'D', 0);
  ASSERT_TRUE(model.Open());
  // Nothing changed: done without asking for the password.
  const notes::EditGate refused{[] { return false; }, [] { return false; }};
  EXPECT_EQ(model.Save(false, refused), SaveAnswer::kDone);
  model.Shown().comments = "checked";
  EXPECT_EQ(model.Save(false, refused), SaveAnswer::kRefused);
  EXPECT_FALSE(model.Ok(refused));
  // Asked and answered No: done, nothing stored.
  EXPECT_EQ(model.Save(true, Granted(), [](unsigned id) { return id != 5372; }), SaveAnswer::kDone);
  CCitationRecord stored;
  ASSERT_EQ(DbGetRecord(c, db::kCitation, &stored), 1);
  EXPECT_EQ(stored.comments, "");

  // Replacing the source keeps the quality; a new citation takes the source's.
  const std::uint8_t before = model.Shown().quality;
  model.ChooseSource(s, false);
  EXPECT_EQ(model.Shown().quality, before);
  ASSERT_TRUE(model.BeginNew(Granted()));
  model.ChooseSource(s, false);
  EXPECT_EQ(model.Shown().quality, 2);
}

TEST_F(SourcesTest, CitationImageIsStoredAndRemoved) {
  const std::int32_t ann = Add("Lund", "Ann", 'F', 1900);
  const std::int32_t c = Cite(AddSource("Ship list"), ann, 'B', "12");
  CSourcesForModel model(c, ann, 'B', 0);
  ASSERT_TRUE(model.Open());
  auto item = std::make_unique<CMultimediaItem>();
  item->kind = CMultimediaItem::kPhoto;
  item->fileName = "/pictures/page12.png";
  item->width = 120;
  model.SetImage(std::move(item));
  EXPECT_TRUE(model.Changed());
  ASSERT_TRUE(model.Ok(Granted()));
  CCitationRecord back;
  ASSERT_EQ(DbGetRecord(c, db::kCitation, &back), 1);
  ASSERT_NE(back.image, nullptr);
  EXPECT_EQ(back.image->fileName, "/pictures/page12.png");
  EXPECT_EQ(back.image->width, 120);

  CSourcesForModel again(c, ann, 'B', 0);
  ASSERT_TRUE(again.Open());
  again.SetImage(nullptr);
  ASSERT_TRUE(again.Ok(Granted()));
  ASSERT_EQ(DbGetRecord(c, db::kCitation, &back), 1);
  EXPECT_EQ(back.image, nullptr);
}

TEST_F(SourcesTest, FailedCitationAddKeepsTheDialogOpen) {
  const std::int32_t ann = Add("Lund", "Ann", 'F', 1900);
  CSourcesForModel model(0, 999999, 'B', 0);  // an owner that does not exist
  ASSERT_FALSE(model.Open());
  model.ChooseSource(AddSource("Parish book"), false);
  EXPECT_FALSE(model.Ok(Granted()));
  EXPECT_NE(LastMessage().find("Unable to create a Citation Record"), std::string::npos);
  (void)ann;
}

TEST_F(SourcesTest, EditSourceKeepsFieldsItDoesNotShow) {
  CSourceRecord imported;
  imported.title = "Church register";
  imported.abbreviatedTitle = "Ch. reg.";
  imported.abbreviatedAuthor = "Parish";
  imported.titleSupplement = "vol. 2";
  imported.formatBytes[0] = 1;
  const std::int32_t rin = DbAddRecord(db::kSource, 1, &imported);
  ASSERT_GT(rin, 0);

  CSourceRecord record;
  ASSERT_EQ(DbGetRecord(rin, db::kSource, &record), 1);
  sources::SourceFields fields = sources::FieldsOf(record);
  fields.author = "Vicar Holm";
  fields.italics = true;
  sources::ApplyFields(fields, record);
  ASSERT_EQ(sources::StoreSource(record), rin);

  CSourceRecord back;
  ASSERT_EQ(DbGetRecord(rin, db::kSource, &back), 1);
  EXPECT_EQ(back.author, "Vicar Holm");
  EXPECT_EQ(back.italicTitle, 1);
  EXPECT_EQ(back.abbreviatedTitle, "Ch. reg.");
  EXPECT_EQ(back.abbreviatedAuthor, "Parish");
  EXPECT_EQ(back.titleSupplement, "vol. 2");
  EXPECT_EQ(back.formatBytes[0], 1);

  // A new source is added, then written.
  CSourceRecord fresh;
  sources::SourceFields f;
  f.title = "Tax list";
  sources::ApplyFields(f, fresh);
  const std::int32_t added = sources::StoreSource(fresh);
  ASSERT_GT(added, 0);
  ASSERT_EQ(DbGetRecord(added, db::kSource, &back), 1);
  EXPECT_EQ(back.title, "Tax list");
}

TEST_F(SourcesTest, LostRepositoryIsDroppedAndSampleFootnoteFollowsFields) {
  const std::int32_t archive = AddRepository("County Archive");
  const std::int32_t rin = AddSource("Census 1910", "State", archive);
  CSourceRecord record;
  ASSERT_EQ(DbGetRecord(rin, db::kSource, &record), 1);
  EXPECT_FALSE(sources::DropLostRepository(record));
  EXPECT_EQ(record.repositoryRin, archive);

  ASSERT_EQ(DbDeleteRecord(archive, db::kRepository), 1);
  record.repositoryRin = archive;  // as a record read before the delete
  EXPECT_TRUE(sources::DropLostRepository(record));
  EXPECT_EQ(record.repositoryRin, 0);

  sources::SourceFields f = sources::FieldsOf(record);
  const std::string plain = sources::SampleFootnote(record);
  EXPECT_NE(plain.find("Census 1910"), std::string::npos);
  f.italics = true;
  sources::ApplyFields(f, record);
  EXPECT_NE(sources::SampleFootnote(record).find("<I>Census 1910</I>"), std::string::npos);
  f.title = "Census 1920";
  sources::ApplyFields(f, record);
  EXPECT_NE(sources::SampleFootnote(record).find("Census 1920"), std::string::npos);
}

TEST_F(SourcesTest, CopySourceAndCache) {
  const std::int32_t b = AddSource("Beta");
  const std::int32_t a = AddSource("Alpha");
  auto& cache = sources::CSourceListCache::Instance();
  ASSERT_TRUE(cache.Fill());
  ASSERT_EQ(cache.Entries().size(), 2u);
  EXPECT_EQ(cache.Entries()[0].rin, a);  // title order
  EXPECT_EQ(cache.Entries()[1].rin, b);

  const std::int32_t copy = sources::CopySource(a);
  ASSERT_GT(copy, 0);
  CSourceRecord c;
  ASSERT_EQ(DbGetRecord(copy, db::kSource, &c), 1);
  EXPECT_EQ(c.title, "Alpha");
  cache.Append(copy);
  // Retire: the last entry is removed, another one cleared.
  cache.Retire(0);
  EXPECT_EQ(cache.Entries()[0].rin, 0);
  cache.Retire(2);
  EXPECT_EQ(cache.Entries().size(), 2u);
  EXPECT_EQ(sources::CopySource(987654), 0);
  EXPECT_NE(LastMessage().find("Unable to create new copy of source"), std::string::npos);
}

TEST(RepositoryAddress, JoinAndSplit) {
  struct Join {
    std::string lines[4];
    std::string text;
  } joins[] = {
      {{"1 High St", "", "Leeds", ""}, "1 High St\r\n\r\nLeeds"},
      {{"1 High St", "Leeds", "", ""}, "1 High St\r\nLeeds"},
      {{"", "", "", "UK"}, "\r\n\r\n\r\nUK"},
      {{"", "", "", ""}, ""},
  };
  for (const Join& j : joins) EXPECT_EQ(sources::JoinAddress(j.lines), j.text);

  struct Split {
    std::string text;
    std::array<std::string, 4> lines;
  } splits[] = {
      {"a\r\nb\r\nc\r\nd\r\ne", {"a", "b", "c", "d\r\ne"}},
      {"a\nb", {"a", "b", "", ""}},
      {"a\r\n\r\nc", {"a", "", "c", ""}},
      {"", {"", "", "", ""}},
  };
  for (const Split& s : splits) EXPECT_EQ(sources::SplitAddress(s.text), s.lines) << s.text;
}

TEST_F(SourcesTest, RepositoryStoreWritesShownFields) {
  CRepositoryRecord imported;
  imported.name = "Archive";
  const std::int32_t rin = DbAddRecord(db::kRepository, 1, &imported);
  CRepositoryRecord record;
  ASSERT_EQ(DbGetRecord(rin, db::kRepository, &record), 1);
  record.note = "kept";
  ASSERT_EQ(sources::StoreRepository(record, "State Archive", "1 Main\r\n\r\nOslo\r\nNorway\r\nEU",
                                     "555"),
            rin);
  CRepositoryRecord back;
  ASSERT_EQ(DbGetRecord(rin, db::kRepository, &back), 1);
  EXPECT_EQ(back.name, "State Archive");
  EXPECT_EQ(back.address[1], "");
  EXPECT_EQ(back.address[3], "Norway\r\nEU");
  EXPECT_EQ(back.phone, "555");
  EXPECT_EQ(record.note, "kept") << "the note read is not emptied";
  EXPECT_EQ(sources::JoinAddress(back.address), "1 Main\r\n\r\nOslo\r\nNorway\r\nEU");
}

// A citation, source or repository that did not reach the file is not
// reported stored (its dialog stays open with what was typed): whatever
// write fails, an answer of success finds the file, opened again, as the
// store left it without a fault.
TEST_F(SourcesTest, AStoreReportedDoneIsOnTheFile) {
  const std::int32_t ann = Add("Lund", "Ann", 'F', 1900);
  const std::int32_t source = AddSource("Ship list");
  const std::int32_t repository = AddRepository("Archive");
  const std::int32_t citation = Cite(source, ann, 'B', "12");
  struct Case {
    const char* what;
    std::function<bool()> store;
    std::function<std::string()> stored;
  } const cases[] = {
      {"citation",
       [&] {
         CSourcesForModel model(citation, ann, 'B', 0);
         if (!model.Open()) return false;
         model.Shown().pageText = "13";
         return model.Ok(Granted());
       },
       [&] { return Page(citation); }},
      {"source",
       [&] {
         CSourceRecord record;
         if (DbGetRecord(source, db::kSource, &record) != 1) return false;
         record.title = "Passenger list";
         return sources::StoreSource(record) == source;
       },
       [&] {
         CSourceRecord record;
         return DbGetRecord(source, db::kSource, &record) == 1 ? record.title : "<none>";
       }},
      {"repository",
       [&] {
         CRepositoryRecord record;
         if (DbGetRecord(repository, db::kRepository, &record) != 1) return false;
         return sources::StoreRepository(record, "State Archive", "", "555") == repository;
       },
       [&] {
         CRepositoryRecord record;
         return DbGetRecord(repository, db::kRepository, &record) == 1 ? record.name : "<none>";
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto store = [&] { return c.store() ? 1 : 0; };
    ExpectDoneIsOnTheFile(family, store, 1, c.stored);
  }
}

TEST(SourcesForCaption, SuffixTable) {
  EXPECT_EQ(sources::SourcesForSuffix("Sealing to Parents", "Ann Lund", ""), "Sealing of Ann Lund");
  EXPECT_EQ(sources::SourcesForSuffix("Birth", "Ann Lund", ""), "Birth of Ann Lund");
  EXPECT_EQ(sources::SourcesForSuffix("Marriage", "Bo Lund", "Ann Lund"),
            "Marriage of Bo Lund/Ann Lund");
  EXPECT_EQ(sources::SourcesForSuffix("", "Ann Lund", ""), "Ann Lund");
}

}  // namespace
