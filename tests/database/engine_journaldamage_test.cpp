// A family file whose edit mark is set by damage, with a journal record
// that does not agree with the file (an old journal place that reaches past
// the file's end, and a wrong used-position count in the header): the open
// cuts nothing off and writes nothing before the user answers the damaged
// file question; Cancel leaves the file byte for byte; OK keeps everyone;
// a Check that only reports finds it, and a repair mends it.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "FileLayout.h"
#include "IndividualRecord.h"
#include "OpenFamilyFixture.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TestHelpers.h"

namespace {

// The place of the journal as the header's unused room keeps it.
struct Place {
  std::int64_t at = 0, before = 0;
  std::uint32_t length = 0;
};

std::int64_t GetI64(const char* p) {
  std::uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v |= std::uint64_t{static_cast<std::uint8_t>(p[i])} << (8 * i);
  return static_cast<std::int64_t>(v);
}
void PutI64(char* p, std::int64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<char>(static_cast<std::uint64_t>(v) >> (8 * i));
}

Place PlaceIn(const std::string& bytes) {
  const char* p = bytes.data() + orv::kEditJournalPlace;
  return {GetI64(p), GetI64(p + 8),
          static_cast<std::uint32_t>(orv::GetI32(reinterpret_cast<const std::uint8_t*>(p + 16)))};
}
void PutPlace(std::string& bytes, const Place& place) {
  char* p = bytes.data() + orv::kEditJournalPlace;
  PutI64(p, place.at);
  PutI64(p + 8, place.before);
  orv::PutI32(reinterpret_cast<std::uint8_t*>(p + 16), static_cast<std::int32_t>(place.length));
}

// The individuals added, with their surnames.
using People = std::vector<std::pair<std::int32_t, std::string>>;

struct Damage {
  const char* name;
  // Builds the family through the calls (the fixture's file open), and
  // damages its closed bytes.
  std::function<void(People& people)> build;
  std::function<void(std::string& bytes)> damage;
};

void AddPerson(People& people, const std::string& surname) {
  CIndividualRecord p;
  p.surname = surname;
  p.givenNames[0] = "Ida";
  p.sex = 'F';
  const std::int32_t rin = DbAddRecord(db::kIndividual, 0, &p);
  ASSERT_GT(rin, 0);
  people.emplace_back(rin, surname);
}

std::string LongNote() {
  std::string text;
  for (int i = 0; i < 30; ++i)
    text += "A line of the notes of the first person, number " + std::to_string(i) + ".\r\n";
  return text;
}

const Damage kDamages[] = {
    {"OldPlacePastTheEnd",
     [](People& people) {
       for (int i = 0; i < 120; ++i) AddPerson(people, "Many" + std::to_string(i));
       ASSERT_GT(DbSetNotes(people[0].first, LongNote(), 0, 0, db::kIndividual), 0);
     },
     [](std::string& bytes) {
       // The place of a journal from when the file ended at its fifth
       // block, reaching past today's end; the header's used positions
       // end there too.
       const std::int64_t size = static_cast<std::int64_t>(bytes.size());
       PutPlace(bytes, {size - orv::kBlockSize, orv::BlockOffset(0, 5), 3 * orv::kBlockSize});
       orv::PutI32(reinterpret_cast<std::uint8_t*>(bytes.data()) + orv::kHeadUsedPositions, 5);
       bytes[orv::kHeadBatchMark] = static_cast<char>(bytes[orv::kHeadBatchMark] | orv::kMarkEdit);
     }},
    {"StalePlaceAfterAddsGrewTheFile",
     [](People& people) {
       for (int i = 0; i < 3; ++i) AddPerson(people, "Few" + std::to_string(i));
       // The first notes of the file take a new block: the edit's journal
       // lies past it.
       ASSERT_GT(DbSetNotes(people[0].first, LongNote(), 0, 0, db::kIndividual), 0);
       // An import then grows the file by one block of individuals.
       CurrentDatabase->engine->Blocks().BeginBatch();
       for (int i = 0; i < 30; ++i) AddPerson(people, "Later" + std::to_string(i));
       ASSERT_TRUE(CurrentDatabase->engine->Blocks().EndBatch());
     },
     [](std::string& bytes) {
       const Place place = PlaceIn(bytes);
       const auto size = static_cast<std::int64_t>(bytes.size());
       ASSERT_GT(size, place.at) << "the adds did not grow the file";
       ASSERT_LT(size, place.at + place.length) << "the old journal does not reach past the end";
       orv::PutI32(reinterpret_cast<std::uint8_t*>(bytes.data()) + orv::kHeadUsedPositions, 3);
       bytes[orv::kHeadBatchMark] = static_cast<char>(bytes[orv::kHeadBatchMark] | orv::kMarkEdit);
     }},
};

class JournalDamageTest : public OpenFamilyFixture, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    OpenFamilyFixture::SetUp();
    const Damage& d = kDamages[GetParam()];
    d.build(people);
    if (HasFatalFailure()) return;
    ASSERT_EQ(DbCloseCurrent(), 1);
    damaged = ReadAll(family);
    d.damage(damaged);
    if (HasFatalFailure()) return;
    WriteAll(family, damaged);
  }

  // Everyone the calls added is there, with the name given.
  void ExpectEveryone() {
    for (const auto& [rin, surname] : people) {
      CIndividualRecord p;
      ASSERT_EQ(DbGetRecord(rin, db::kIndividual, &p), 1) << "RIN " << rin;
      EXPECT_EQ(p.surname, surname);
    }
  }

  unsigned long CheckFile(bool repair, std::string& report) {
    CFamilyDatabase check;
    if (check.OpenForCheck(family, repair) != 1) {
      ADD_FAILURE() << "does not open for Check/Repair";
      return 0;
    }
    CFamilyDatabase* const saved = CurrentDatabase;
    CurrentDatabase = &check;
    const std::string reportPath = dir.File("checkfix.rpt");
    CDatabaseChecker checker(family, reportPath, check, repair ? 1 : 0);
    EXPECT_EQ(checker.Run(), 1);
    checker.Finish();
    CurrentDatabase = saved;
    check.Close();
    report = ReadAll(reportPath);
    return checker.ProblemCount();
  }

  People people;
  std::string damaged;
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
};

const std::string kJournalLine =
    "The file is marked as left in the middle of a change, but the record of that change does not "
    "agree with the file.  Nothing of the file was cut off.";

TEST_P(JournalDamageTest, CancelAtTheQuestionLeavesTheFileAsItWas) {
  boxes.Clear();
  boxes.QueueAnswer(plat::kIdCancel);
  EXPECT_LT(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, res::LoadString(res::kIdsDoubtfulJournalText));
  EXPECT_TRUE(ReadAll(family) == damaged) << "the open wrote to the file before the answer";
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);  // OK, for the fixture's close
}

TEST_P(JournalDamageTest, GoingOnKeepsEveryoneAndCutsNothing) {
  boxes.Clear();
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, res::LoadString(res::kIdsDoubtfulJournalText));
  ExpectEveryone();
  // An edit writes the mended header; the file is not cut.
  EXPECT_GT(DbSetNotes(people.back().first, "Checked after the damage.", 0, 0, db::kIndividual), 0);
  ASSERT_EQ(DbCloseCurrent(), 1);
  EXPECT_GE(ReadAll(family).size(), damaged.size());
  boxes.Clear();
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  EXPECT_TRUE(boxes.Calls().empty()) << boxes.Calls().front().text;
  ExpectEveryone();
}

TEST_P(JournalDamageTest, CheckReportsWhatTheOpenAsksAbout) {
  ASSERT_EQ(DbCloseCurrent(), 1);
  std::string report;
  EXPECT_GT(CheckFile(false, report), 0u);
  EXPECT_NE(report.find(kJournalLine + "\n"), std::string::npos) << report;
  EXPECT_TRUE(ReadAll(family) == damaged) << "the report-only check wrote to the file";
  EXPECT_GT(CheckFile(true, report), 0u);
  EXPECT_NE(report.find(kJournalLine + " (FIXED)"), std::string::npos) << report;
  EXPECT_EQ(CheckFile(false, report), 0u) << report;
  boxes.Clear();
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  EXPECT_TRUE(boxes.Calls().empty()) << boxes.Calls().front().text;
  ExpectEveryone();
}

std::string DamageName(const ::testing::TestParamInfo<int>& info) {
  return kDamages[info.param].name;
}

INSTANTIATE_TEST_SUITE_P(Damages, JournalDamageTest,
                         ::testing::Range(0, static_cast<int>(std::size(kDamages))), DamageName);

}  // namespace
