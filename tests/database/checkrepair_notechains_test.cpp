// Note chains of two records that share blocks (as an edit cut short on a
// full disk once left them): Check finds them, one repair parts them, each
// record keeps its own text up to where its chain ran into the other's,
// and a second check finds nothing. Afterwards writing one record's notes
// leaves the other's alone.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FileLayout.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "ORV3.h"
#include "OpenFamilyFixture.h"
#include "TestHelpers.h"

using orv::RecordKind;

namespace {

// A text whose every note block holds one piece of 244 characters, so that
// a chain cut after k blocks reads as the first k pieces.
std::string Pieces(const std::string& who, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    std::string piece = who + " piece " + std::to_string(i) + " ";
    piece.resize(orv::NoteBlockRec::kTextSize, static_cast<char>('a' + i));
    text += piece;
  }
  return text;
}

// Whose notes are whose: an individual (its RIN) or the marriage.
enum Owner { kFirst, kSecond, kMarriage };

struct Sharing {
  const char* name;
  Owner loser, keeper;
  int keptBlocks;  // of the loser's chain, from its first
  // Makes the loser's chain run into the keeper's, given both chains.
  std::function<void(ORV3&, const std::vector<std::int32_t>& loser,
                     const std::vector<std::int32_t>& keeper)>
      damage;
};

void SetNext(ORV3& e, std::int32_t block, std::int32_t next) {
  std::uint8_t rec[orv::NoteBlockRec::kSize];
  ASSERT_EQ(e.Records().ReadRaw(RecordKind::NoteBlock, block, rec), 1);
  orv::PutI32(rec, next);
  ASSERT_EQ(e.Records().WriteRaw(RecordKind::NoteBlock, block, rec), 1);
}

const Sharing kSharings[] = {
    {"TailRunsIntoAnothersChain", kFirst, kSecond, 3,
     [](ORV3& e, const auto& loser, const auto& keeper) { SetNext(e, loser[2], keeper[1]); }},
    {"MarriageRunsIntoAnIndividual", kMarriage, kFirst, 1,
     [](ORV3& e, const auto& loser, const auto& keeper) { SetNext(e, loser[0], keeper[3]); }},
    {"TwoRecordsNameOneFirstBlock", kSecond, kFirst, 0,
     [](ORV3& e, const auto&, const auto& keeper) {
       std::uint8_t rec[orv::IndividualRec::kSize];
       ASSERT_EQ(e.Records().ReadRaw(RecordKind::Individual, 2, rec), 1);
       orv::PutI32(rec + 226, keeper[0]);
       ASSERT_EQ(e.Records().WriteRaw(RecordKind::Individual, 2, rec), 1);
     }},
};

class SharedNoteChainsTest : public OpenFamilyFixture, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    OpenFamilyFixture::SetUp();
    for (const char* surname : {"Ash", "Birch"}) {
      CIndividualRecord p;
      p.surname = surname;
      ASSERT_GT(DbAddRecord(db::kIndividual, 0, &p), 0);
    }
    ASSERT_GT(DbSetRelation(1, 2, db::kRelHusband, 0), 0);
    for (Owner o : {kFirst, kSecond, kMarriage}) {
      texts.push_back(Pieces(kNames[o], 5 - o));
      ASSERT_GT(DbSetNotes(o == kMarriage ? 1 : o + 1, texts[o], 0, 0, Type(o)), 0);
    }
  }

  static int Type(Owner o) { return o == kMarriage ? db::kMarriage : db::kIndividual; }
  static std::int32_t Number(Owner o) { return o == kMarriage ? 1 : o + 1; }
  std::string Notes(Owner o) { return DbGetNotes(Number(o), 0, Type(o), 0, 1, 0); }
  std::vector<std::int32_t> Chain(Owner o) {
    std::vector<std::int32_t> blocks;
    std::uint8_t rec[orv::NoteBlockRec::kSize];
    for (std::int32_t b = CurrentDatabase->engine->Notes().GetFirstNoteBlock(Number(o), Type(o));
         b > 0 && CurrentDatabase->engine->Records().ReadRaw(RecordKind::NoteBlock, b, rec);
         b = orv::GetI32(rec))
      blocks.push_back(b);
    return blocks;
  }
  unsigned long Check(int repair) {
    const std::string reportPath = dir.File("checkfix.rpt");
    CDatabaseChecker checker(family, reportPath, *CurrentDatabase, repair);
    EXPECT_EQ(checker.Run(), 1);
    checker.Finish();
    report = ReadAll(reportPath);
    return checker.ProblemCount();
  }

  static constexpr const char* kNames[] = {"Ash", "Birch", "Wedding"};
  std::vector<std::string> texts;
  std::string report;
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
};

TEST_P(SharedNoteChainsTest, OneRepairPartsTheChainsKeepingEachText) {
  const Sharing& s = kSharings[GetParam()];
  const std::vector<std::int32_t> lost = Chain(s.loser), kept = Chain(s.keeper);
  ASSERT_GE(lost.size(), 3u);
  ASSERT_GE(kept.size(), 4u);
  s.damage(*CurrentDatabase->engine, lost, kept);
  if (HasFatalFailure()) return;

  const std::string kinds[] = {"Individual 1", "Individual 2", "Marriage 1"};
  const std::int32_t junction = s.keptBlocks == 0 ? kept[0] : Chain(s.loser)[s.keptBlocks];
  const std::string line = "The notes of " + kinds[s.loser] + " run into the notes of " +
                           kinds[s.keeper] + " at note block " + std::to_string(junction) + ".";
  EXPECT_GT(Check(0), 0u);
  EXPECT_NE(report.find(line + "\n"), std::string::npos) << report;
  EXPECT_GT(Check(1), 0u);
  EXPECT_NE(report.find(line + "  Ended the notes of " + kinds[s.loser] + " before it. (FIXED)"),
            std::string::npos)
      << report;
  EXPECT_EQ(Check(0), 0u) << report;

  const std::string keptText = texts[s.keeper];
  const std::string lostText =
      texts[s.loser].substr(0, std::size_t{orv::NoteBlockRec::kTextSize} * s.keptBlocks);
  EXPECT_EQ(Notes(s.keeper), keptText);
  EXPECT_EQ(Notes(s.loser), lostText);
  // Writing one record's notes leaves the other's as they are.
  ASSERT_GT(DbSetNotes(Number(s.keeper), "Written again.", 0, 0, Type(s.keeper)), 0);
  EXPECT_EQ(Notes(s.loser), lostText);
  if (s.keptBlocks > 0) {
    ASSERT_GT(DbSetNotes(Number(s.loser), "Also again.", 0, 0, Type(s.loser)), 0);
    EXPECT_EQ(Notes(s.keeper), "Written again.");
  }
  EXPECT_EQ(Check(0), 0u) << report;
}

std::string SharingName(const ::testing::TestParamInfo<int>& info) {
  return kSharings[info.param].name;
}

INSTANTIATE_TEST_SUITE_P(Sharings, SharedNoteChainsTest,
                         ::testing::Range(0, static_cast<int>(std::size(kSharings))), SharingName);

}  // namespace
