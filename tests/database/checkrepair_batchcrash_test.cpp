// A process that dies in the middle of a batch (an import, a large merge)
// leaves the header's counters as they were when the batch began. Opened
// again, the file must show every individual the batch wrote in the name
// walk and the counts, and Check must find it clean.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "MemoryFile.h"
#include "OpenFamilyFixture.h"
#include "RandomAccessFile.h"
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

// A batch keeps its tree links in memory until it ends. A record re-placed
// after its key changed, with none of its links on the file, leaves the
// stored tree whole but the record where its old key sorted: reopening puts
// every record where its key sorts now.
TEST_F(BatchCrashTest, RecordsRePlacedInABatchCutShortSortByTheirNewKeys) {
  for (int i = 0; i < 60; ++i) ASSERT_EQ(AddPerson(SurnameOf(i), "Old", 'M'), i + 1);
  const std::map<std::int32_t, std::string> renamed = {
      {4, "Aaberg"}, {17, "Zzyzx"}, {33, "Mmm"}, {58, "Aab"}};
  CrashInBatch([&] {
    ORV3& engine = *CurrentDatabase->engine;
    for (const auto& [rin, surname] : renamed) {
      std::uint8_t rec[orv::IndividualRec::kSize];
      if (!engine.Records().ReadRaw(orv::RecordKind::Individual, rin, rec)) return false;
      orv::PutI32(rec + 1, engine.Strings().FindOrAddString(surname, 0));
      if (!engine.Records().WriteRaw(orv::RecordKind::Individual, rin, rec)) return false;
      if (engine.Trees().Resort(orv::RecordKind::Individual, rin) != 1) return false;
    }
    return true;
  });
  auto& trees = CurrentDatabase->engine->Trees();
  EXPECT_EQ(NameWalk().size(), 60u);
  EXPECT_TRUE(trees.KeyOrderFaults(orv::RecordKind::Individual).empty());
  for (const auto& [rin, surname] : renamed)
    EXPECT_EQ(trees.FindByName(orv::RecordKind::Individual, surname + ", Old", db::kWalkExact), rin)
        << surname;
  ExpectClean();
}

// Free note blocks taken by the batch are in use when the process dies, but
// the header still names the first of them as the head of the free list:
// reopening relinks the free blocks, so that a new note takes none in use.
TEST_F(BatchCrashTest, FreeNoteBlocksTakenInTheBatchAreNotHandedOutAgain) {
  for (int i = 0; i < 6; ++i) ASSERT_EQ(AddPerson(SurnameOf(i), "Old", 'M'), i + 1);
  for (const std::int32_t r : {1, 2, 3})
    ASSERT_GT(DbSetNotes(r, std::string(r == 2 ? 1500 : 600, static_cast<char>('a' + r)), 0, 0,
                         db::kIndividual),
              0);
  ASSERT_GE(DbSetNotes(2, "", 0, 0, db::kIndividual), 0);
  ASSERT_NE(CurrentDatabase->engine->Blocks().Head().I32(orv::kHeadNoteFreeHead), 0);
  CrashInBatch([] { return DbSetNotes(4, std::string(500, 'd'), 0, 0, db::kIndividual) > 0; });
  // Four of the seven freed blocks are still free, and the next notes take
  // two of them, silently.
  const std::int32_t highest = DbGetMaxRecordCount(db::kNoteBlock);
  boxes.Clear();
  ASSERT_GT(DbSetNotes(5, std::string(300, 'e'), 0, 0, db::kIndividual), 0);
  EXPECT_EQ(DbGetMaxRecordCount(db::kNoteBlock), highest);
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(DbGetNotes(4, 0, db::kIndividual, 0, 1, 0), std::string(500, 'd'));
  EXPECT_EQ(DbGetNotes(5, 0, db::kIndividual, 0, 1, 0), std::string(300, 'e'));
  EXPECT_EQ(DbGetNotes(1, 0, db::kIndividual, 0, 1, 0), std::string(600, 'b'));
  EXPECT_EQ(DbGetNotes(3, 0, db::kIndividual, 0, 1, 0), std::string(600, 'd'));
  ExpectClean();
}

// The family file as a process that is killed just before its write number
// killAt sees it: every earlier write reached the file, none after.
class KilledAtWrite : public PassThroughFile {
 public:
  KilledAtWrite(plat::RandomAccessFile& inner, long killAt)
      : PassThroughFile(inner), killAt_(killAt) {}
  long Writes() const { return writes_; }
  bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) override {
    if (++writes_ == killAt_) _exit(9);
    return inner_.WriteAt(pos, data, len);
  }

 private:
  long killAt_;
  long writes_ = 0;
};

// Batch adds cut by a kill at many points: what reopens is every committed
// record, in number and in name order with its name and notes, and the add
// in flight either whole or gone.
class BatchKillTest : public BatchCrashTest {
 protected:
  static constexpr int kOld = 20;    // committed before the batch
  static constexpr int kAdds = 120;  // added in the batch
  static std::string NotesOf(int i) {
    return "Notes of " + std::to_string(i) + std::string(300, '.');
  }
  static bool HasNotes(int i) { return i % 4 == 1; }

  bool inBatch = true;  // the adds run in a batch, else each on its own

  // Runs the batch in a child on the family file; the child reports each
  // finished call on a pipe ('a' an add, 'n' its notes) and, when it is not
  // killed, the number of writes it made. Returns the reports.
  std::string RunChild(long killAt, long* writes = nullptr) {
    DbCloseCurrent();
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    const pid_t child = fork();
    EXPECT_GE(child, 0);
    if (child == 0) {
      close(fds[0]);
      if (DbOpen(family, CFamilyDatabase::kCurrentFormat) != 1) _exit(3);
      KilledAtWrite killer(CurrentDatabase->host.file, killAt);
      CurrentDatabase->host.io = &killer;
      if (inBatch) CurrentDatabase->engine->Blocks().BeginBatch();
      for (int i = kOld; i < kOld + kAdds; ++i) {
        if (AddPerson(SurnameOf(i), "Kay", 'F') != i + 1) _exit(4);
        if (write(fds[1], "a", 1) != 1) _exit(5);
        if (!HasNotes(i)) continue;
        if (DbSetNotes(i + 1, NotesOf(i), 0, 0, db::kIndividual) <= 0) _exit(4);
        if (write(fds[1], "n", 1) != 1) _exit(5);
      }
      const std::string count = std::to_string(killer.Writes());
      if (write(fds[1], count.data(), count.size()) != static_cast<ssize_t>(count.size())) _exit(5);
      _exit(0);
    }
    close(fds[1]);
    std::string reports;
    char buf[256];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) reports.append(buf, n);
    close(fds[0]);
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    EXPECT_EQ(code, killAt > 0 ? 9 : 0) << reports;
    if (writes) *writes = std::stol(reports.substr(reports.find_first_not_of("an")));
    return reports;
  }

  void RestoreBase(const std::string& base) {
    DbCloseCurrent();
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
      std::filesystem::remove(entry.path());
    WriteAll(family, base);
  }

  // The surname of every live individual, by RIN.
  static std::map<std::int32_t, std::string> LiveSurnames() {
    std::map<std::int32_t, std::string> out;
    for (std::int32_t rin = 1; rin <= DbGetMaxRecordCount(db::kIndividual); ++rin) {
      CIndividualRecord person;
      if (DbGetIndividualRecord(rin, person, 10) == 1) out[rin] = person.surname;
    }
    return out;
  }

  // Repairs the open file; then a check finds it clean, every individual
  // of before keeps its surname, and the name walk reaches each of them.
  void RepairKeeps(const std::map<std::int32_t, std::string>& before) {
    {
      CDatabaseChecker repair(family, dir.File("checkfix.rpt"), *CurrentDatabase, 1);
      EXPECT_EQ(repair.Run(), 1);
    }
    ExpectClean();
    const std::map<std::int32_t, std::string> after = LiveSurnames();
    std::set<std::int32_t> numbers;
    for (const auto& entry : after) numbers.insert(entry.first);
    EXPECT_EQ(after, before);
    EXPECT_EQ(NameWalk(), numbers);
  }

  // The reopened file against the reports of the child killed in it.
  void ExpectCommitted(const std::string& reports) {
    boxes.Clear();
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    const int added = static_cast<int>(std::count(reports.begin(), reports.end(), 'a'));
    const bool notesInFlight =
        !reports.empty() && reports.back() == 'a' && HasNotes(kOld + added - 1);
    const std::int32_t inFlight = kOld + added + 1;  // the add under way, if any
    std::set<std::int32_t> live;
    for (std::int32_t rin = 1; rin <= DbGetMaxRecordCount(db::kIndividual); ++rin) {
      CIndividualRecord person;
      if (DbGetIndividualRecord(rin, person, 10) != 1) continue;
      live.insert(rin);
      const int i = rin - 1;
      ASSERT_LE(rin, inFlight) << "a record no add wrote";
      EXPECT_EQ(person.surname, SurnameOf(i)) << "individual " << rin << " is blank or wrong";
      EXPECT_EQ(person.givenNames[0], i < kOld ? "Old" : "Kay");
      const bool notesDone =
          i >= kOld && HasNotes(i) && rin < inFlight && !(notesInFlight && rin == inFlight - 1);
      if (notesDone) {
        EXPECT_EQ(DbGetNotes(rin, 0, db::kIndividual, 0, 1, 0), NotesOf(i));
      }
    }
    for (std::int32_t rin = 1; rin < inFlight; ++rin)
      EXPECT_EQ(live.count(rin), 1u) << "committed individual " << rin << " is lost";
    EXPECT_EQ(NameWalk(), live);
    EXPECT_EQ(DbGetActiveRecordCount(db::kIndividual), static_cast<std::int32_t>(live.size()));
    // Recovering asks nothing of the user.
    EXPECT_TRUE(boxes.Calls().empty()) << boxes.Calls().front().text;
    // The file goes on taking individuals after it.
    const std::int32_t next = AddPerson("After", "Kill", 'M');
    EXPECT_GT(next, 0);
    EXPECT_EQ(NameWalk().size(), live.size() + 1);
  }

  // The adds killed at points spread over their writes, each on the file
  // as it was before them.
  void KillAtPoints(int points) {
    for (int i = 0; i < kOld; ++i) ASSERT_EQ(AddPerson(SurnameOf(i), "Old", 'M'), i + 1);
    DbCloseCurrent();
    const std::string base = ReadAll(family);
    long writes = 0;
    RunChild(0, &writes);
    ASSERT_GT(writes, 100);
    for (int k = 1; k <= points; ++k) {
      const long killAt = writes * k / (points + 1) + (k * 7) % 11;
      SCOPED_TRACE("killed at write " + std::to_string(killAt) + " of " + std::to_string(writes));
      RestoreBase(base);
      const std::string reports = RunChild(killAt);
      ExpectCommitted(reports);
      if (HasFatalFailure()) return;
    }
  }
};

TEST_F(BatchKillTest, EveryCommittedRecordIsReachableAfterAKillAtAnyPoint) {
  // A few dozen kill points spread over the run, on no regular stride.
  KillAtPoints(36);
}

// The same adds one by one, outside a batch: a kill at any point leaves no
// blank individual, only the add in flight whole or gone.
TEST_F(BatchKillTest, OutsideABatchEveryCommittedRecordIsReachableAfterAKillAtAnyPoint) {
  inBatch = false;
  KillAtPoints(45);
}

// Check/Repair of a file left by a kill: the repair reaches a fixed point (a
// second check is clean) and loses no individual that the reopened file
// showed, by number or by name.
TEST_F(BatchKillTest, RepairAfterAKillLeavesAFileThatChecksClean) {
  for (int i = 0; i < kOld; ++i) ASSERT_EQ(AddPerson(SurnameOf(i), "Old", 'M'), i + 1);
  DbCloseCurrent();
  const std::string base = ReadAll(family);
  long writes = 0;
  RunChild(0, &writes);
  constexpr int kPoints = 12;
  for (int k = 1; k <= kPoints; ++k) {
    const long killAt = writes * k / (kPoints + 1) + (k * 5) % 13;
    SCOPED_TRACE("killed at write " + std::to_string(killAt) + " of " + std::to_string(writes));
    RestoreBase(base);
    RunChild(killAt);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    RepairKeeps(LiveSurnames());
    DbCloseCurrent();
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    ExpectClean();
    if (HasFatalFailure()) return;
  }
}

// The same for a file written through a full disk, inside and outside a
// batch.
TEST_F(BatchKillTest, RepairAfterAFullDiskLeavesAFileThatChecksClean) {
  for (int i = 0; i < kOld; ++i) ASSERT_EQ(AddPerson(SurnameOf(i), "Old", 'M'), i + 1);
  DbCloseCurrent();
  const std::string base = ReadAll(family);
  for (const bool batch : {false, true}) {
    for (const std::uint64_t room :
         {std::uint64_t{2} * orv::kBlockSize + 300, std::uint64_t{5} * orv::kBlockSize + 4100}) {
      SCOPED_TRACE(std::string(batch ? "batch" : "no batch") + ", room " + std::to_string(room));
      RestoreBase(base);
      ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
      FullDiskFile full(CurrentDatabase->host.file, base.size() + room);
      CurrentDatabase->host.io = &full;
      if (batch) CurrentDatabase->engine->Blocks().BeginBatch();
      for (int i = kOld; i < kOld + kAdds; ++i) {
        const std::int32_t rin = AddPerson(SurnameOf(i), "Kay", 'F');
        // A write the killed or full disk refuses fails here; what the
        // file holds afterwards is what the test looks at.
        if (rin > 0) (void)DbSetNotes(rin, NotesOf(i), 0, 0, db::kIndividual);
      }
      DbCloseCurrent();
      ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
      const std::map<std::int32_t, std::string> before = LiveSurnames();
      ASSERT_LT(before.size(), std::size_t{kOld + kAdds}) << "the disk never filled";
      RepairKeeps(before);
    }
  }
}
