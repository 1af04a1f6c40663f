// Merge Duplicate Sources and Citations on a small family file.

#include <gtest/gtest.h>

#include <vector>

#include "EditFixture.h"
#include "SourceEditing.h"
#include "WriteFaultRun.h"

namespace {

class MergeSourcesTest : public EditFamilyFixture {
 protected:
  void TearDown() override {
    sources::CSourceListCache::Instance().Clear();
    EditFamilyFixture::TearDown();
  }
  static std::int32_t Repository(const char* name, const char* phone = "") {
    CRepositoryRecord r;
    r.name = name;
    r.phone = phone;
    return DbAddRecord(db::kRepository, 1, &r);
  }
  static std::int32_t Source(const char* title, const char* author, std::int32_t repository = 0) {
    CSourceRecord s;
    s.title = title;
    s.author = author;
    s.repositoryRin = repository;
    return DbAddRecord(db::kSource, 1, &s);
  }
  static std::int32_t Cite(std::int32_t source, std::int32_t owner, char letter, const char* page) {
    CCitationRecord c;
    c.sourceRin = source;
    c.ownerLetter = letter;
    c.ownerNumber = owner;
    c.pageText = page;
    return DbAddRecord(db::kCitation, 1, &c);
  }
  static std::vector<std::int32_t> Chain(std::int32_t owner, char letter) {
    std::vector<std::int32_t> list;
    DbGetRinList(list, db::kCitation, owner, letter);
    return list;
  }
  static bool Live(std::int32_t rin, int type) {
    CSourceRecord s;
    CRepositoryRecord r;
    return type == db::kSource ? DbGetRecord(rin, type, &s) == 1 : DbGetRecord(rin, type, &r) == 1;
  }

  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
};

TEST_F(MergeSourcesTest, RepositoriesSourcesAndCitations) {
  const std::int32_t ann = Add("Lund", "Ann", 'F', 1900);
  const std::int32_t bo = Add("Lund", "Bo", 'M', 1898);
  const std::int32_t mrin = Marry(bo, ann);

  // Neighbours in name order merge: "Archive" twice. The first and third
  // "Library" are identical but the second (another phone) stands between.
  const std::int32_t archive1 = Repository("Archive");
  const std::int32_t archive2 = Repository("Archive");
  const std::int32_t library1 = Repository("Library", "1");
  const std::int32_t library2 = Repository("Library", "2");
  const std::int32_t library3 = Repository("Library", "1");

  // Two identical sources; the later in the source list survives.
  const std::int32_t censusA = Source("Census", "State", archive1);
  const std::int32_t censusB = Source("Census", "State", archive2);
  const std::int32_t other = Source("Census", "County");

  // Three identical citations on one birth, on a marriage event too.
  for (int i = 0; i < 3; ++i) Cite(censusA, ann, 'B', "p. 4");
  Cite(other, ann, 'B', "p. 4");
  for (int i = 0; i < 3; ++i) Cite(other, mrin, 'G', "12");
  // A user event's citations are not compared.
  const std::int32_t event = AddUserEvent(ann, "Emigration", 1);
  Cite(other, event, 'U', "1");
  Cite(other, event, 'U', "1");

  const sources::MergeCounts counts = sources::MergeDuplicateSources();
  EXPECT_EQ(counts.repositories, 1u);
  EXPECT_EQ(counts.sources, 1u);
  EXPECT_EQ(counts.citations, 4u);
  EXPECT_FALSE(counts.cancelled);
  EXPECT_NE(Live(archive1, db::kRepository), Live(archive2, db::kRepository));
  EXPECT_TRUE(Live(library1, db::kRepository));
  EXPECT_TRUE(Live(library2, db::kRepository));
  EXPECT_TRUE(Live(library3, db::kRepository));

  std::vector<CSourceRecord> list;
  ASSERT_EQ(DbGetRecord(1, db::kSourceList, &list), 1);
  int census = 0;
  std::int32_t survivor = 0;
  for (const auto& s : list)
    if (s.title == "Census" && s.author == "State") ++census, survivor = s.recordNumber;
  EXPECT_EQ(census, 1);
  EXPECT_TRUE(survivor == censusA || survivor == censusB);

  const auto births = Chain(ann, 'B');
  ASSERT_EQ(births.size(), 2u);
  CCitationRecord c;
  ASSERT_EQ(DbGetRecord(births[0], db::kCitation, &c), 1);
  EXPECT_EQ(c.sourceRin, survivor) << "citations follow the surviving source";
  EXPECT_EQ(Chain(mrin, 'G').size(), 1u);
  EXPECT_EQ(Chain(event, 'U').size(), 2u);

  ASSERT_FALSE(boxes.Calls().empty());
  EXPECT_EQ(boxes.Calls().back().text,
            "Merged duplicates:\n\n1 repositories\n1 source records\n4 source citations");
  EXPECT_EQ(progress.texts.front(), "Merging duplicate repositories...");
  EXPECT_EQ(progress.texts.back(), "Merging duplicate marriage citations...");
}

// A write that fails while citations or sources are pointed at the
// survivor stops the delete of what they still name: opened again, every
// citation's source and every source's repository is there.
TEST_F(MergeSourcesTest, AFailedWriteDeletesNothingStillNamed) {
  const std::int32_t ann = Add("Lund", "Ann", 'F', 1900);
  const std::int32_t archive1 = Repository("Archive");
  const std::int32_t archive2 = Repository("Archive");
  const std::int32_t register1 = Source("Register", "Clerk", archive1);
  const std::int32_t register2 = Source("Register", "Clerk", archive2);
  const std::vector<std::int32_t> citations{Cite(register1, ann, 'B', "1"),
                                            Cite(register1, ann, 'D', "2"),
                                            Cite(register2, ann, 'I', "3")};
  const auto merge = [] { return static_cast<int>(sources::MergeDuplicateSources(false).sources); };
  WriteFaultRun run(family);
  ASSERT_EQ(run.Whole(merge), 1);
  run.EachFault(merge, [&](const std::string&, int) {
    for (std::int32_t c : citations) {
      CCitationRecord citation;
      ASSERT_EQ(DbGetRecord(c, db::kCitation, &citation), 1);
      EXPECT_TRUE(Live(citation.sourceRin, db::kSource)) << "citation " << c;
    }
    for (std::int32_t s : {register1, register2}) {
      CSourceRecord source;
      if (DbGetRecord(s, db::kSource, &source) != 1) continue;
      EXPECT_TRUE(Live(source.repositoryRin, db::kRepository)) << "source " << s;
    }
  });
  run.Restore();
}

TEST_F(MergeSourcesTest, LaterOfTwoIdenticalSourcesSurvives) {
  const std::int32_t ann = Add("Lund", "Ann", 'F', 1900);
  const std::int32_t first = Source("Register", "Parish");
  const std::int32_t second = Source("Register", "Parish");
  std::vector<CSourceRecord> list;
  ASSERT_EQ(DbGetRecord(1, db::kSourceList, &list), 1);
  ASSERT_EQ(list.size(), 2u);
  const std::int32_t earlier = list[0].recordNumber;
  const std::int32_t later = list[1].recordNumber;
  const std::int32_t c = Cite(earlier, ann, 'D', "3");
  sources::MergeDuplicateSources(false);
  EXPECT_FALSE(Live(earlier, db::kSource));
  EXPECT_TRUE(Live(later, db::kSource));
  CCitationRecord back;
  ASSERT_EQ(DbGetRecord(c, db::kCitation, &back), 1) << "the citation is kept";
  EXPECT_EQ(back.sourceRin, later);
  (void)first;
  (void)second;
}

TEST_F(MergeSourcesTest, CancelDuringRepositoryPassStillSummarizes) {
  const std::int32_t ann = Add("Lund", "Ann", 'F', 1900);
  for (int i = 0; i < 40; ++i) Repository("Same");
  const std::int32_t s = Source("Census", "State");
  Cite(s, ann, 'B', "1");
  Cite(s, ann, 'B', "1");
  progress.cancelAfter = 0;
  const sources::MergeCounts counts = sources::MergeDuplicateSources();
  EXPECT_TRUE(counts.cancelled);
  EXPECT_EQ(counts.repositories, 39u) << "the repository pass finishes";
  EXPECT_EQ(counts.citations, 0u);
  EXPECT_EQ(Chain(ann, 'B').size(), 2u);
  EXPECT_EQ(boxes.Calls().back().text,
            "Merged duplicates:\n\n39 repositories\n0 source records\n0 source citations");
}

}  // namespace
