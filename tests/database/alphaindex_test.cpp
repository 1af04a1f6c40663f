// The alphabetic index of individuals: the ".orx" link file, the in-order
// walk that writes ".ora", its reuse of an older and longer index file, the
// progress display with Cancel, a tree with a cycle, ReadAlphaEntry and the
// name-tree links call.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "AlphaIndexBuilder.h"
#include "AlphaIndexFile.h"
#include "AlphaNameRecord.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FileSystem.h"
#include "IndividualRecord.h"
#include "MemoryFile.h"
#include "OpenFamilyFixture.h"
#include "TestHelpers.h"

namespace fs = std::filesystem;

namespace {

// The int32 values of a file, little-endian.
std::vector<std::int32_t> Numbers(const std::string& path) {
  const std::string bytes = ReadAll(path);
  std::vector<std::int32_t> out;
  for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4)
    out.push_back(orv::GetI32(reinterpret_cast<const std::uint8_t*>(bytes.data() + i)));
  return out;
}

class AlphaIndexTest : public OpenFamilyFixture {
 protected:
  std::int32_t AddPerson(const std::string& surname, const std::string& given = "") {
    CIndividualRecord person;
    person.surname = surname;
    person.givenNames[0] = given;
    const std::int32_t rin = DbAddRecord(db::kIndividual, 0, &person);
    EXPECT_GT(rin, 0);
    return rin;
  }
  // The individuals as the calls list them in name order.
  static std::vector<std::int32_t> ListedInNameOrder() {
    std::vector<std::int32_t> out;
    CAlphaNameRecord entry;
    for (std::int32_t pos = DbGetRIN(0, db::kQueryNamePositions, db::kWalkNextOrSame); pos != 0;
         pos = DbGetRIN(pos, db::kQueryNamePositions, db::kWalkNext)) {
      if (DbGetRecord(pos, db::kAlphaName, &entry) != 1) break;
      out.push_back(entry.rin);
    }
    return out;
  }
  std::int32_t Entries() { return CurrentDatabase->engine->Trees().NameIndexEntries(); }

  std::string ora = dir.File("family.ora");
  std::string orx = dir.File("family.orx");
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
};

TEST_F(AlphaIndexTest, IndexListsEveryoneInNameOrderWithAClosingZero) {
  const std::int32_t smith = AddPerson("Smith", "John");
  const std::int32_t adams = AddPerson("Adams", "Zed");
  const std::int32_t miller = AddPerson("Miller", "Ann");
  const std::int32_t brown = AddPerson("Brown");
  const std::int32_t gone = AddPerson("Zander");
  ASSERT_EQ(DbDeleteRecord(gone, db::kIndividual), 1);

  ASSERT_EQ(Entries(), 4);
  EXPECT_EQ(Numbers(ora), (std::vector<std::int32_t>{adams, brown, miller, smith, 0}));
  CFamilyDatabase& db = *CurrentDatabase;
  EXPECT_EQ(db.indexStale, 0);
  EXPECT_EQ(db.alphaEntries, 4);
  EXPECT_TRUE(db.host.alphaFile.IsOpen());
  // The working file is gone once the index is written.
  EXPECT_FALSE(db.indexFile.IsOpen());
  EXPECT_FALSE(fs::exists(orx));
  ASSERT_EQ(progress.titles, std::vector<std::string>{"Korvane"});
  EXPECT_EQ(progress.texts,
            std::vector<std::string>{"Creating the alphabetic index file. Please wait..."});
  EXPECT_EQ(progress.ends, 1);

  EXPECT_EQ(ListedInNameOrder(), (std::vector<std::int32_t>{adams, brown, miller, smith}));
  EXPECT_EQ(DbGetRIN(miller, db::kQueryIndividualPositions, db::kWalkExact), 3);
  CAlphaNameRecord entry;
  ASSERT_EQ(DbGetRecord(miller, db::kAlphaNameOfRin, &entry), 1);
  EXPECT_EQ(entry.secondNumber, 3);
  EXPECT_EQ(entry.surname, "Miller");
  EXPECT_TRUE(boxes.Calls().empty());

  // A current index is kept over close and open and read without a rebuild.
  DbClose();
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  ASSERT_EQ(CurrentDatabase->indexStale, 0);
  EXPECT_EQ(ListedInNameOrder(), (std::vector<std::int32_t>{adams, brown, miller, smith}));
  EXPECT_EQ(progress.titles.size(), 1u);
}

TEST_F(AlphaIndexTest, FamilyWithoutIndividualsWritesOnlyTheClosingSlot) {
  EXPECT_EQ(Entries(), 0);
  EXPECT_EQ(Numbers(ora), std::vector<std::int32_t>{0});
  EXPECT_EQ(CurrentDatabase->alphaEntries, 0);
  EXPECT_EQ(CurrentDatabase->indexStale, 0);
}

// The index file is reused in place: a rebuild with fewer entries than the
// file held before must end it right after the new closing 0.
TEST_F(AlphaIndexTest, ShorterRebuildCutsTheReusedFile) {
  std::vector<std::int32_t> rins;
  for (const char* name : {"E", "D", "C", "B", "A"}) rins.push_back(AddPerson(name));
  ASSERT_EQ(Entries(), 5);
  ASSERT_EQ(fs::file_size(ora), 24u);
  ASSERT_EQ(DbDeleteRecord(rins[2], db::kIndividual), 1);  // C
  ASSERT_EQ(DbDeleteRecord(rins[0], db::kIndividual), 1);  // E
  ASSERT_EQ(Entries(), 3);
  EXPECT_EQ(Numbers(ora), (std::vector<std::int32_t>{rins[4], rins[3], rins[1], 0}));

  // A stale index from an earlier, longer file left beside the family file
  // (older than it) is opened by the freshness test and then rewritten.
  DbClose();
  WriteAll(ora, std::string(4 * 40, '\x7F'));
  plat::SetFileModified(ora, 1'000'000'000);
  plat::SetFileModified(family, 1'000'000'100);
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  ASSERT_EQ(CurrentDatabase->indexStale, 1);
  ASSERT_TRUE(CurrentDatabase->host.alphaFile.IsOpen());
  ASSERT_EQ(Entries(), 3);
  EXPECT_EQ(Numbers(ora), (std::vector<std::int32_t>{rins[4], rins[3], rins[1], 0}));
}

// Enough individuals for the progress display to be asked for Cancel in
// both steps (once every 256 steps).
class AlphaIndexCancelTest : public AlphaIndexTest {
 protected:
  void SetUp() override {
    AlphaIndexTest::SetUp();
    DbBeginBatch();
    for (int i = 0; i < 300; ++i) people.push_back(AddPerson("P" + std::to_string(2000 - i)));
    ASSERT_EQ(DbEndBatch(), 1);
  }
  std::vector<std::int32_t> people;
};

TEST_F(AlphaIndexCancelTest, CancelDuringTheLinkFileRemovesIt) {
  progress.cancelAfter = 1;  // the first question, at RIN 256
  EXPECT_EQ(Entries(), 0);
  EXPECT_EQ(DbGetRIN(0, db::kQueryNamePositions, db::kWalkNextOrSame), 0);
  CFamilyDatabase& db = *CurrentDatabase;
  EXPECT_EQ(db.indexStale, 1);
  EXPECT_FALSE(db.indexFile.IsOpen());
  EXPECT_FALSE(fs::exists(orx));
  EXPECT_EQ(progress.ends, 2);  // each request tried and was cancelled
  EXPECT_EQ(progress.position, 256);

  // Without Cancel the next request builds it.
  progress.cancelAfter = -1;
  EXPECT_EQ(Entries(), 300);
  EXPECT_EQ(db.indexStale, 0);
}

TEST_F(AlphaIndexCancelTest, CancelDuringTheWalkKeepsTheIndexStale) {
  progress.cancelAfter = 2;  // the walk's first question
  EXPECT_EQ(Entries(), 0);
  CFamilyDatabase& db = *CurrentDatabase;
  EXPECT_EQ(db.indexStale, 1);
  EXPECT_EQ(db.alphaEntries, 0);
  EXPECT_FALSE(db.host.alphaFile.IsOpen());
  // The link file stays open and follows the tree, so the next build skips
  // step 1 and still sees a person added meanwhile.
  ASSERT_TRUE(db.indexFile.IsOpen());
  const std::int32_t first = AddPerson("A");
  progress.cancelAfter = -1;
  progress.cancelTests = 0;
  ASSERT_EQ(Entries(), 301);
  std::vector<std::int32_t> want = {first};
  for (auto it = people.rbegin(); it != people.rend(); ++it) want.push_back(*it);
  want.push_back(0);
  EXPECT_EQ(Numbers(ora), want);
  EXPECT_FALSE(fs::exists(orx));

  // A stale index is deleted at close.
  AddPerson("B");
  progress.cancelAfter = 1;
  progress.cancelTests = 0;
  EXPECT_EQ(Entries(), 0);
  DbClose();
  EXPECT_FALSE(fs::exists(ora));
  EXPECT_FALSE(fs::exists(orx));
}

// Broken links: the walk gives up after three steps per individual, says so
// and leaves the index stale.
TEST_F(AlphaIndexTest, TreeWithACycleStopsWithTheIndexingError) {
  AddPerson("B");
  AddPerson("A");
  AddPerson("C");
  ORV3& engine = *CurrentDatabase->engine;
  const std::int32_t root = engine.Trees().TreeRoot(orv::RecordKind::Individual);
  std::int32_t lesser = 0, greater = 0;
  ASSERT_EQ(DbGetNameTreeLinks(root, lesser, greater), 1);
  ASSERT_TRUE(lesser > 0 || greater > 0);
  // A child's link on the far side leads back up to the root.
  const std::int32_t child = lesser > 0 ? lesser : greater;
  orv::IndividualRec person;
  ASSERT_TRUE(engine.Records().Read(child, person));
  (lesser > 0 ? person.treeGreater : person.treeLesser) = root;
  std::uint8_t buf[orv::IndividualRec::kSize];
  person.Encode(buf);
  ASSERT_EQ(engine.Records().WriteRaw(orv::RecordKind::Individual, child, buf), 1);

  EXPECT_EQ(Entries(), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].caption, "ORV Error");
  EXPECT_EQ(boxes.Calls()[0].text,
            "An error was encountered during indexing. Before continuing, please run "
            "Check/Repair to see if the problem can be fixed.");
  EXPECT_EQ(boxes.Calls()[0].flags & plat::kMbIconMask, plat::kMbIconStop);
  EXPECT_EQ(CurrentDatabase->indexStale, 1);
  EXPECT_FALSE(CurrentDatabase->host.alphaFile.IsOpen());
}

// The builder's steps on their own, over a host with a hand-made tree.
TEST(AlphaIndexBuilder, WalkWritesLesserSubtreeThenTheNodeThenGreater) {
  TempDir dir;
  EngineHost host;
  host.path = dir.File("family.orv");
  WriteAll(host.path, "family");
  //        4
  //      2   6
  //     1 3 5  7
  const std::int32_t links[8][2] = {{0, 0}, {0, 0}, {1, 3}, {0, 0}, {2, 6}, {0, 0}, {5, 7}, {0, 0}};
  CAlphaIndexBuilder builder(host, 4, 7,
                             [&](std::int32_t rin, std::int32_t& lesser, std::int32_t& greater) {
                               lesser = links[rin][0];
                               greater = links[rin][1];
                               return 1;
                             });
  ASSERT_EQ(builder.BuildLinkFile(), 1);
  EXPECT_EQ(host.indexStale, 1);
  const std::vector<std::int32_t> linkFile = {0, 0, 0, 0, 1, 3, 0, 0, 2, 6, 0, 0, 5, 7, 0, 0};
  EXPECT_EQ(Numbers(dir.File("family.orx")), linkFile);
  ASSERT_EQ(builder.BuildIndexFile(), 1);
  EXPECT_EQ(Numbers(dir.File("family.ora")), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 0}));
  EXPECT_EQ(host.alphaEntries, 7);
  EXPECT_EQ(host.indexStale, 0);
  EXPECT_FALSE(fs::exists(dir.File("family.orx")));
  EXPECT_EQ(ReadAll(host.path), "family");
}

// Index names that lead back to the family file are never opened.
TEST(AlphaIndexBuilder, CompanionThatIsTheFamilyFileIsLeftAlone) {
  TempDir dir;
  EngineHost host;
  host.path = dir.File("family.orv");
  WriteAll(host.path, "family");
  fs::create_symlink(host.path, dir.File("family.orx"));
  CAlphaIndexBuilder builder(host, 0, 3,
                             [](std::int32_t, std::int32_t&, std::int32_t&) { return 0; });
  EXPECT_EQ(builder.Run(), CAlphaIndexBuilder::kNoFile);
  EXPECT_EQ(ReadAll(host.path), "family");
  EXPECT_TRUE(fs::is_symlink(dir.File("family.orx")));
}

TEST(ReadAlphaEntry, PositionsOutsideAndShortReads) {
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scoped{&boxes};
  MemoryFile file({7, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0});
  const struct {
    std::int32_t position, count, want;
    const char* box;  // nullptr: none
  } cases[] = {
      {1, 2, 7, nullptr},        {2, 2, 9, nullptr},         {0, 2, 0, "Record Error"},
      {3, 2, 0, "Record Error"}, {-1, 2, 0, "Record Error"}, {4, 5, 0, "Read Error"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    boxes.Clear();
    EXPECT_EQ(ReadAlphaEntry(c.position, file, c.count), c.want);
    if (c.box) {
      ASSERT_EQ(boxes.Calls().size(), 1u);
      EXPECT_EQ(boxes.Calls()[0].text, c.box);
      EXPECT_EQ(boxes.Calls()[0].caption, "Alpha File");
    } else {
      EXPECT_TRUE(boxes.Calls().empty());
    }
  }
}

TEST_F(AlphaIndexTest, NameTreeLinksOfLiveAndDeletedIndividuals) {
  std::vector<std::int32_t> rins;
  for (const char* name : {"M", "A", "Z", "K", "Q"}) rins.push_back(AddPerson(name));
  ASSERT_EQ(DbDeleteRecord(rins[2], db::kIndividual), 1);
  for (std::int32_t rin : rins) {
    SCOPED_TRACE(rin);
    orv::IndividualRec stored;
    ASSERT_TRUE(CurrentDatabase->engine->Records().Read(rin, stored));
    const bool live = rin != rins[2];
    std::int32_t lesser = -5, greater = -5;
    EXPECT_EQ(DbGetNameTreeLinks(rin, lesser, greater), live ? 1 : 0);
    EXPECT_EQ(lesser, live ? stored.treeLesser : 0);
    EXPECT_EQ(greater, live ? stored.treeGreater : 0);
  }
  std::int32_t lesser = -5, greater = -5;
  EXPECT_EQ(DbGetNameTreeLinks(99, lesser, greater), 0);
  EXPECT_TRUE(boxes.Calls().empty());
}

}  // namespace
