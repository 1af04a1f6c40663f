// A process that dies in the middle of a batch (an import, a large merge)
// leaves the header's counters as they were when the batch began. Opened
// again, the file must show every individual the batch wrote in the name
// walk and the counts, and Check must find it clean.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <string>

#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "OpenFamilyFixture.h"
#include "TestHelpers.h"

namespace {

std::int32_t AddPerson(const std::string& surname, const std::string& given, char sex) {
  CIndividualRecord person;
  person.surname = surname;
  person.givenNames[0] = given;
  person.sex = sex;
  return DbAddRecord(db::kIndividual, 0, &person);
}

// Names that reach the tree in an order that rotates its root often.
std::string SurnameOf(int i) {
  static const char* const kNames[] = {"Miller", "Adams", "Zane",  "Brown", "Young",
                                       "Clark",  "Xu",    "Davis", "Wood",  "Evans"};
  return std::string(kNames[i % 10]) + std::to_string(i * 7919 % 1000);
}

}  // namespace

class BatchCrashTest : public OpenFamilyFixture {
 protected:
  // Runs work in a child process on the reopened file inside a batch that
  // never ends: the child leaves with _exit, as a crash would.
  template <class Work>
  void CrashInBatch(Work work) {
    DbCloseCurrent();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (DbOpen(family, CFamilyDatabase::kCurrentFormat) != 1) _exit(3);
      CurrentDatabase->engine->Blocks().BeginBatch();
      const bool ok = work();
      _exit(ok ? 0 : 4);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  }

  std::set<std::int32_t> NameWalk() {
    auto& trees = CurrentDatabase->engine->Trees();
    std::set<std::int32_t> out;
    for (std::int32_t r = trees.TreeEnd(orv::RecordKind::Individual, RecordTrees::kForward);
         r != 0 && out.insert(r).second;
         r = trees.TreeNext(orv::RecordKind::Individual, r, RecordTrees::kForward)) {
    }
    return out;
  }

  void ExpectClean() {
    const std::string report = dir.File("checkfix.rpt");
    CDatabaseChecker checker(family, report, *CurrentDatabase, 0);
    EXPECT_EQ(checker.Run(), 1);
    EXPECT_EQ(checker.ProblemCount(), 0u) << ReadAll(report);
  }

  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
};

TEST_F(BatchCrashTest, NewFileWrittenInABatchIsWholeWhenReopened) {
  CrashInBatch([] {
    for (int i = 0; i < 400; ++i)
      if (AddPerson(SurnameOf(i), "Ann", (i & 1) ? 'M' : 'F') != i + 1) return false;
    return DbSetNotes(5, std::string(900, 'n'), 0, 0, db::kIndividual) > 0;
  });
  EXPECT_EQ(DbGetMaxRecordCount(db::kIndividual), 400);
  EXPECT_EQ(DbGetActiveRecordCount(db::kIndividual), 400);
  const std::set<std::int32_t> walked = NameWalk();
  EXPECT_EQ(walked.size(), 400u);
  EXPECT_EQ(DbGetNotes(5, 0, db::kIndividual, 0, 1, 0).size(), 900u);
  // The names store counts every name written, and more can be added.
  EXPECT_EQ(CurrentDatabase->engine->Blocks().Head().I32(orv::kHeadNameCount), 401);
  EXPECT_EQ(AddPerson("After", "Crash", 'M'), 401);
  EXPECT_EQ(NameWalk().size(), 401u);
  ExpectClean();
}

TEST_F(BatchCrashTest, ExistingFileChangedInABatchIsWholeWhenReopened) {
  for (int i = 0; i < 50; ++i) ASSERT_EQ(AddPerson(SurnameOf(i), "Old", 'M'), i + 1);
  CrashInBatch([] {
    for (int i = 50; i < 300; ++i)
      if (AddPerson(SurnameOf(i), "New", 'F') != i + 1) return false;
    CIndividualRecord person;
    for (const std::int32_t r : {3, 60, 120}) {
      if (DbGetIndividualRecord(r, person, 0) != 1) return false;
      person.surname = "Renamed" + std::to_string(r);
      if (DbUpdateRecord(r, db::kIndividual, &person) != 1) return false;
    }
    for (const std::int32_t r : {7, 70, 140})
      if (DbDeleteRecord(r, db::kIndividual) != 1) return false;
    return DbSetNotes(9, std::string(700, 'x'), 0, 0, db::kIndividual) > 0;
  });
  EXPECT_EQ(DbGetMaxRecordCount(db::kIndividual), 300);
  const std::set<std::int32_t> walked = NameWalk();
  EXPECT_EQ(walked.size(), 297u);
  EXPECT_EQ(DbGetActiveRecordCount(db::kIndividual), 297);
  EXPECT_EQ(DbGetNotes(9, 0, db::kIndividual, 0, 1, 0).size(), 700u);
  for (const std::int32_t gone : {7, 70, 140}) EXPECT_EQ(walked.count(gone), 0u);
  // The deleted numbers are on the delete chain again.
  std::set<std::int32_t> reused;
  for (int i = 0; i < 3; ++i)
    reused.insert(CurrentDatabase->engine->Records().NewRecord(orv::RecordKind::Individual, true));
  EXPECT_EQ(reused, (std::set<std::int32_t>{7, 70, 140}));
}

TEST_F(BatchCrashTest, ExistingFileChangedInABatchChecksClean) {
  for (int i = 0; i < 50; ++i) ASSERT_EQ(AddPerson(SurnameOf(i), "Old", 'M'), i + 1);
  CrashInBatch([] {
    for (int i = 50; i < 300; ++i)
      if (AddPerson(SurnameOf(i), "New", 'F') != i + 1) return false;
    for (const std::int32_t r : {7, 70, 140})
      if (DbDeleteRecord(r, db::kIndividual) != 1) return false;
    return true;
  });
  ExpectClean();
}
