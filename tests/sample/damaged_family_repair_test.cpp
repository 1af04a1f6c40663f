// Damaged copies of the sample family and of a family of 2,000 people, then
// one Check/Repair: what can be read back comes back, and a second check
// finds nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FileLayout.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "ORV3.h"
#include "SampleBuilder.h"
#include "SampleDescription.h"
#include "SourceRecord.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

// The bytes of every block of each type in type-map order: the records and
// texts of the file as the engine numbers them.
using Blocks = std::map<int, std::string>;

Blocks BlocksByType(const std::string& file) {
  Blocks out;
  ORV3& engine = *CurrentDatabase->engine;
  for (int g = 0; g < engine.Blocks().GroupCount(); ++g) {
    const orv::GroupIndex* group = engine.Blocks().Group(g);
    for (int t = 1; t <= orv::kMapTypes; ++t) {
      if (t == orv::kBlockFirst || t == orv::kBlockDBMap) continue;
      for (int j = 0; group && j < group->TypeCount(t); ++j) {
        const std::int64_t at = orv::BlockOffset(g, group->Position(t, j));
        out[t] += file.substr(static_cast<std::size_t>(at), orv::kBlockSize);
      }
    }
  }
  return out;
}

// A family of count people: couples of neighbours, each couple with the two
// people after them as children, a note on every tenth person, a source
// cited by every twentieth.
bool BuildLargeFamily(const std::string& path, int count) {
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1 ||
      DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1)
    return false;
  static const char* const kSurnames[] = {"Ek", "Berg", "Lind", "Strand", "Holm", "Sjö", "Dahl"};
  static const char* const kGivens[] = {"Anna", "Per", "Karin", "Olof", "Brita", "Nils", "Stina"};
  bool ok = true;
  DbBeginBatch();
  for (int i = 0; i < count; ++i) {
    CIndividualRecord person;
    person.surname = kSurnames[(i * 3) % 7];
    person.givenNames[0] = kGivens[i % 7];
    person.givenNames[1] = "N" + std::to_string(i);
    person.sex = (i & 1) ? 'F' : 'M';
    person.birth.date.year = static_cast<std::uint16_t>(1700 + i % 200);
    person.birth.place[0] = "Socken " + std::to_string(i % 40);
    ok &= DbAddRecord(db::kIndividual, 0, &person) == i + 1;
  }
  CSourceRecord source;
  source.title = "Husförhör";
  ok &= DbAddRecord(db::kSource, 0, &source) == 1;
  for (int i = 1; i + 3 <= count; i += 4) {
    const std::int32_t m = DbSetRelation(i, i + 1, db::kRelHusband, 0);
    ok &= m > 0;
    ok &= DbSetRelation(i + 2, 0, db::kRelParents, m) > 0;
    ok &= DbSetRelation(i + 3, 0, db::kRelParents, m) > 0;
  }
  for (int i = 1; i <= count; i += 10)
    ok &= DbSetNotes(i, "Noted about person " + std::to_string(i) + ".", 0, 0, db::kIndividual) > 0;
  for (int i = 1; i <= count; i += 20)
    ok &= CurrentDatabase->engine->Owners().NewCitation(false, 1, i, db::kOwnerIndividual) > 0;
  ok &= DbEndBatch() == 1;
  return DbCloseCurrent() == 1 && ok;
}

}  // namespace

class DamagedFamilyRepairTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) {
      ASSERT_TRUE(BuildLargeFamily(file, 2000));
    } else {
      std::vector<std::string> errors;
      const sample::Description description =
          sample::ParseDescription(ReadAll(KORVANE_SAMPLE_DESCRIPTION), errors);
      ASSERT_EQ(errors, std::vector<std::string>{});
      sample::BuildCounts counts;
      std::string error;
      ASSERT_TRUE(sample::BuildFamilyFile(description, file, counts, error)) << error;
    }
    clean = ReadAll(file);
  }
  void TearDown() override { DbCloseCurrent(); }

  unsigned long Check(int repair) {
    CDatabaseChecker checker(file, reportPath, *CurrentDatabase, repair);
    EXPECT_EQ(checker.Run(), 1);
    checker.Finish();
    report = ReadAll(reportPath);
    return checker.ProblemCount();
  }

  // After a repair of the open file: a second check finds nothing, the
  // reopened file is not told damaged, its blocks of each type hold what
  // expected holds, and it still checks clean. The file is left closed.
  void ExpectRepairedTo(const Blocks& expected) {
    const std::string repairReport = report;
    EXPECT_EQ(Check(0), 0u) << report;
    ASSERT_EQ(DbCloseCurrent(), 1);
    const std::string repaired = ReadAll(file);
    boxes.Clear();
    ASSERT_EQ(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_TRUE(boxes.Calls().empty()) << boxes.Calls().front().text;
    const Blocks after = BlocksByType(repaired);
    for (const auto& [type, content] : expected)
      EXPECT_TRUE(after.count(type) && after.at(type) == content)
          << "blocks of type " << type << "\n" << repairReport;
    EXPECT_EQ(Check(0), 0u) << report;
    ASSERT_EQ(DbCloseCurrent(), 1);
  }

  TempDir dir;
  std::string file = dir.File("Släkt Åsa.orv");
  std::string reportPath = dir.File("checkfix.rpt");
  std::string clean, report;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
};

// One damaged type byte in a group's type map: every record comes back as
// it was, whether the byte became free, a kind nobody uses or another kind
// in use.
TEST_P(DamagedFamilyRepairTest, OneRepairAfterATypeByteBringsBackEveryRecord) {
  ASSERT_EQ(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
  const Blocks before = BlocksByType(clean);
  ORV3& engine = *CurrentDatabase->engine;
  // Each kind in use, and of it the second block where there is one (the
  // blocks after it would take its numbers).
  std::map<int, std::int64_t> damaged;
  std::vector<int> used;
  const orv::GroupIndex* group = engine.Blocks().Group(0);
  ASSERT_NE(group, nullptr);
  for (const auto& [t, bytes] : before) {
    const int n = group->TypeCount(t);
    if (n == 0) continue;
    used.push_back(t);
    damaged[t] = orv::FirstBlockOffset(0) + group->Position(t, n > 1 ? 1 : 0);
  }
  ASSERT_EQ(DbCloseCurrent(), 1);
  ASSERT_GE(used.size(), 8u);

  for (std::size_t i = 0; i < used.size(); ++i) {
    const int t = used[i];
    const int otherUsed = used[(i + 1) % used.size()];
    for (const int to : {0, 16, otherUsed}) {
      SCOPED_TRACE("type " + std::to_string(t) + " typed " + std::to_string(to));
      std::string bytes = clean;
      bytes[static_cast<std::size_t>(damaged.at(t))] = static_cast<char>(to);
      WriteAll(file, bytes);
      boxes.Clear();
      ASSERT_EQ(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
      // The numbers the open sees slide past the lost block: the user is
      // told before anyone is shown.
      if (t != orv::kBlockIndividualExt && t != orv::kBlockSourceExt) {
        EXPECT_FALSE(boxes.Calls().empty()) << "the open did not tell of the damage";
      }
      EXPECT_GT(Check(0), 0u) << "the damage was not found";
      EXPECT_GT(Check(1), 0u);
      ASSERT_NO_FATAL_FAILURE(ExpectRepairedTo(before));
      boxes.Clear();
    }
  }
}

// Damage that a block's own records still show through: a type byte set
// free together with a stray byte where the block's kind writes nothing,
// and two type bytes of different kinds set free at once. Every record
// comes back as it was (the stray byte stays where it does no harm).
TEST_P(DamagedFamilyRepairTest, StrayBytesAndTwoDamagedTypeBytesLoseNothing) {
  ASSERT_EQ(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
  ORV3& engine = *CurrentDatabase->engine;
  const orv::GroupIndex* group = engine.Blocks().Group(0);
  ASSERT_NE(group, nullptr);
  // The first block of each kind of records in use.
  std::map<int, std::int64_t> first;
  for (const auto& [t, bytes] : BlocksByType(clean))
    if (group->TypeCount(t) > 0 && orv::LayoutOfBlockType(t))
      first[t] = orv::BlockOffset(0, group->Position(t, 0));
  ASSERT_GE(first.size(), 6u);
  struct Case {
    std::string name, bytes;
    Blocks expected;  // the blocks of each type as the damaged file holds them
  };
  std::vector<Case> cases;
  const auto typeByte = [](std::int64_t block) {
    return static_cast<std::size_t>(orv::FirstBlockOffset(0) +
                                    (block - orv::BlockOffset(0, 0)) / orv::kBlockSize);
  };
  std::vector<int> kinds;
  for (const auto& [t, block] : first) kinds.push_back(t);
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    const int t = kinds[i];
    const orv::RecordLayout& layout = *orv::LayoutOfBlockType(t);
    if (layout.perBlock * layout.size < orv::kBlockSize) {
      std::string bytes = clean;
      bytes[typeByte(first.at(t))] = 0;
      bytes[static_cast<std::size_t>(first.at(t) + orv::kBlockSize - 1)] = '\x5A';
      cases.push_back({"type " + std::to_string(t) + " free with a stray byte", bytes,
                       BlocksByType(bytes)});
    }
    const int u = kinds[(i + 1) % kinds.size()];
    std::string bytes = clean;
    bytes[typeByte(first.at(t))] = 0;
    bytes[typeByte(first.at(u))] = 0;
    cases.push_back({"types " + std::to_string(t) + " and " + std::to_string(u) + " free", bytes,
                     BlocksByType(bytes)});
  }
  ASSERT_EQ(DbCloseCurrent(), 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteAll(file, c.bytes);
    ASSERT_EQ(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_GT(Check(0), 0u) << "the damage was not found";
    Check(1);
    ASSERT_NO_FATAL_FAILURE(ExpectRepairedTo(c.expected));
  }
}

// A file cut inside its DBMap cannot be opened, and the open writes nothing.
TEST_P(DamagedFamilyRepairTest, FileCutInsideItsDBMapIsRefusedUnwritten) {
  const std::int64_t dbMap = orv::BlockNumberOffset(2);
  ASSERT_EQ(static_cast<std::uint8_t>(clean[orv::FirstBlockOffset(0) + 1]), orv::kBlockDBMap);
  for (const std::int64_t cut : {dbMap, dbMap + 1, dbMap + 4096, dbMap + orv::kBlockSize - 1}) {
    SCOPED_TRACE(cut);
    const std::string bytes = clean.substr(0, static_cast<std::size_t>(cut));
    WriteAll(file, bytes);
    boxes.Clear();
    EXPECT_NE(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
    DbCloseCurrent();
    ASSERT_FALSE(boxes.Calls().empty());
    // The box says what the read error is and what to do next.
    EXPECT_EQ(boxes.Calls().front().text,
              "DBMap File Read Error\n\n" + res::LoadString(res::kIdsWhatToDoNext));
    EXPECT_EQ(boxes.Calls().front().caption, "Korvane");
    EXPECT_TRUE(ReadAll(file) == bytes) << "the open wrote to the file";
  }
}

// A file cut inside a block of each kind: one repair keeps every record that
// lies whole before the cut and leaves a file that checks clean.
TEST_P(DamagedFamilyRepairTest, FileCutInsideABlockIsRepairedInOneRun) {
  ASSERT_EQ(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
  ORV3& engine = *CurrentDatabase->engine;
  const orv::RecordKind kinds[] = {orv::RecordKind::Individual, orv::RecordKind::Marriage,
                                   orv::RecordKind::NoteBlock,  orv::RecordKind::FamilyLink,
                                   orv::RecordKind::Citation,   orv::RecordKind::Source};
  // Where each record lies, and whether it is live.
  struct Stored {
    orv::RecordKind kind;
    std::int32_t number;
    std::int64_t at;
    int live;
  };
  std::vector<Stored> records;
  for (const orv::RecordKind kind : kinds)
    for (std::int32_t r = 1; r <= engine.Records().Highest(kind); ++r)
      records.push_back(
          {kind, r, engine.Records().LocateRecord(kind, r), engine.Records().IsLive(kind, r)});
  // Cuts inside the first block of each kind in use.
  std::vector<std::int64_t> cuts;
  const orv::GroupIndex* group = engine.Blocks().Group(0);
  for (int t = 1; t <= orv::kMapTypes; ++t)
    if (t != orv::kBlockDBMap && t != orv::kBlockFirst && group->TypeCount(t) > 0)
      for (const int into : {1, 3000, orv::kBlockSize - 1})
        cuts.push_back(orv::BlockOffset(0, group->Position(t, 0)) + into);
  ASSERT_EQ(DbCloseCurrent(), 1);
  ASSERT_GE(cuts.size(), 24u);

  for (const std::int64_t cut : cuts) {
    SCOPED_TRACE(cut);
    WriteAll(file, clean.substr(0, static_cast<std::size_t>(cut)));
    ASSERT_EQ(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
    Check(1);
    EXPECT_EQ(Check(0), 0u) << report;
    for (const Stored& s : records)
      if (s.at + orv::LayoutOf(s.kind).size <= cut) {
        EXPECT_EQ(CurrentDatabase->engine->Records().IsLive(s.kind, s.number), s.live)
            << "record " << s.number << " of kind " << static_cast<int>(s.kind);
      }
    ASSERT_EQ(DbCloseCurrent(), 1);
    ASSERT_EQ(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_EQ(Check(0), 0u) << report;
    ASSERT_EQ(DbCloseCurrent(), 1);
  }
}

// The open and Check agree on a damaged file: damage to the header or the
// block map makes the open say "Damaged Family File" and Check report it,
// damage inside a record (which the open does not read) is reported by
// Check; after one repair the open says nothing and Check finds nothing.
// Check runs as on a file that is not open (the user cancelled the open).
TEST_P(DamagedFamilyRepairTest, OpenAndCheckAgreeOnDamageAndOneRepairClearsBoth) {
  ASSERT_EQ(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
  ORV3& engine = *CurrentDatabase->engine;
  const std::int64_t dbMap =
      orv::BlockNumberOffset(engine.Blocks().Head().I32(orv::kHeadDBMapBlock));
  // A child's link in the ring of the first couple's children.
  const std::int64_t link = engine.Records().LocateRecord(orv::RecordKind::FamilyLink, 2);
  ASSERT_EQ(DbCloseCurrent(), 1);
  ASSERT_GT(link, 0);
  const std::int32_t linkMarriage =
      orv::GetI32(reinterpret_cast<const std::uint8_t*>(clean.data()) + link + 1);
  ASSERT_GT(linkMarriage, 0);
  const std::int32_t otherMarriage = linkMarriage == 1 ? 2 : 1;
  // The type-map position of the block that would start at the file's end.
  const std::int64_t endPosition =
      (static_cast<std::int64_t>(clean.size()) - orv::kBlocksOffset) / orv::kBlockSize;
  const auto i32 = [](std::int32_t v) {
    std::string b(4, '\0');
    orv::PutI32(reinterpret_cast<std::uint8_t*>(b.data()), v);
    return b;
  };
  struct Case {
    const char* name;
    std::int64_t at;
    std::string bytes;
    bool toldAtOpen;  // damage of the header or the block map
  };
  const Case cases[] = {
      {"header counts a million individuals", orv::kHeadHighestIndividual, i32(1000000), true},
      {"DBMap counts blocks of the type-map kind",
       dbMap + orv::DBMap::CountOffset(0, orv::kBlockFirst), std::string("\x80\0", 2), true},
      {"DBMap counts more blocks of individuals",
       dbMap + orv::DBMap::CountOffset(0, orv::kBlockIndividuals), std::string("\x7f\0", 2), true},
      {"type map gives the position at the file's end a kind never written",
       orv::FirstBlockOffset(0) + endPosition, std::string("\x10", 1), true},
      {"family link names no marriage", link + 1, i32(0x20000001), false},
      {"family link names another couple's marriage", link + 1, i32(otherMarriage), false},
  };
  const std::string damagedCaption = res::LoadString(res::kIdsDamagedCaption);
  // Check or Check/Repair of the closed file, opened for the check alone.
  const auto checkClosed = [&](int repair) -> long {
    CFamilyDatabase other;
    if (other.OpenForCheck(file, repair != 0) <= 0) return -1;
    CFamilyDatabase* const saved = CurrentDatabase;
    CurrentDatabase = &other;
    const long found = static_cast<long>(Check(repair));
    CurrentDatabase = saved;
    other.Close();
    return found;
  };
  const auto openSaysDamaged = [&] {
    boxes.Clear();
    EXPECT_EQ(DbOpen(file, CFamilyDatabase::kCurrentFormat), 1);
    DbCloseCurrent();
    for (const auto& call : boxes.Calls())
      if (call.caption == damagedCaption) return true;
    return false;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes = clean;
    bytes.replace(static_cast<std::size_t>(c.at), c.bytes.size(), c.bytes);
    WriteAll(file, bytes);
    EXPECT_EQ(openSaysDamaged(), c.toldAtOpen);
    EXPECT_GT(checkClosed(0), 0) << "the damage was not found";
    EXPECT_GT(checkClosed(1), 0);
    EXPECT_FALSE(openSaysDamaged());
    EXPECT_EQ(checkClosed(0), 0) << report;
  }
}

INSTANTIATE_TEST_SUITE_P(Families, DamagedFamilyRepairTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Large" : "Sample"; });
