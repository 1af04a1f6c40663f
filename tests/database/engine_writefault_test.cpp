// The engine's writing calls against a family file that stops taking bytes
// part way: for a limit at the start and in the middle of every write a call
// makes, the call must report failure (or, once an edit's journal is whole,
// report done with its whole result on the file opened again), and the bytes
// that reached the file must open again with every record the call leaves
// alone intact, and take new records without overwriting them.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Clock.h"
#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FileHandle.h"
#include "IndividualRecord.h"
#include "KilledCalls.h"
#include "MarriageRecord.h"
#include "MemoryFile.h"
#include "ORV3.h"
#include "PreparerRecord.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using orv::RecordKind;

using killed::Session;

constexpr RecordKind kKinds[] = {
    RecordKind::Individual, RecordKind::IndividualExt, RecordKind::Marriage,  RecordKind::NoteBlock,
    RecordKind::FamilyLink, RecordKind::Citation,      RecordKind::Source,    RecordKind::SourceExt,
    RecordKind::Repository, RecordKind::UserEvent,     RecordKind::EventType, RecordKind::Contact,
    RecordKind::Multimedia,
};

// The lesser, greater and parent fields of an individual's place in the
// name tree. A call cut short in the middle of a rotation leaves them
// half-turned; whether the tree still reaches every individual is checked
// apart (checkNameTree).
constexpr int kNameTreeLinks = 242;
constexpr int kNameTreeLinksSize = 12;

// What a file holds as the engine reads it: every stored record up to the
// highest numbers (individuals without their name-tree fields), the names
// and notes of the individuals (texts kept in the string stores and note
// chains, which the records only point at), and the name tree's order.
struct Contents {
  std::map<std::pair<RecordKind, std::int32_t>, Bytes> records;
  std::map<std::int32_t, std::string> individuals;
  std::vector<std::int32_t> nameOrder;
};

Contents Read(ORV3& e) {
  Contents c;
  for (RecordKind kind : kKinds)
    for (std::int32_t r = 1; r <= e.Records().Highest(kind); ++r) {
      Bytes b(orv::LayoutOf(kind).size);
      if (!e.Records().ReadRaw(kind, r, b.data())) b.clear();
      if (kind == RecordKind::Individual && !b.empty())
        std::fill_n(b.begin() + kNameTreeLinks, kNameTreeLinksSize, 0);
      c.records[{kind, r}] = b;
    }
  c.nameOrder = e.Trees().TreeInOrder(RecordKind::Individual);
  for (std::int32_t rin = 1; rin <= e.Records().Highest(RecordKind::Individual); ++rin) {
    CIndividualRecord p;
    std::string notes;
    if (e.Calls().O3_GetRecord(rin, db::kIndividual, &p) != 1) continue;
    e.Notes().GetNotesText(rin, false, db::kIndividual, notes);
    c.individuals[rin] = p.surname + ", " + p.givenNames[0] + " " + p.sex + " / " + notes;
  }
  return c;
}

CIndividualRecord Person(const std::string& surname, const std::string& given, char sex) {
  CIndividualRecord p;
  p.surname = surname;
  p.givenNames[0] = given;
  p.sex = sex;
  return p;
}

std::string LongText(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i)
    text += "Line " + std::to_string(i) + " of a long biography, to fill a few note blocks.\r\n";
  return text;
}

std::int32_t AddPerson(ORV3& e, const std::string& surname, const std::string& given, char sex) {
  CIndividualRecord p = Person(surname, given, sex);
  return e.Calls().AddRecord(db::kIndividual, false, &p);
}

class EngineWriteFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::SetFixedTime(LocalTimeOf(2024, 5, 6, 7, 8));
    // Individuals 1 to 3 (3 a child of marriage 1 of 1 and 2), 4 deleted,
    // and notes of three blocks on 1.
    Session s(base);
    ASSERT_EQ(s.engine->Create("family.orv"), 1);
    ORV3& e = *s.engine;
    ASSERT_EQ(AddPerson(e, "Hale", "Hugh", 'M'), 1);
    ASSERT_EQ(AddPerson(e, "Wood", "Wendy", 'F'), 2);
    ASSERT_EQ(AddPerson(e, "Hale", "Kid", 'M'), 3);
    ASSERT_EQ(AddPerson(e, "Temp", "Tim", 'M'), 4);
    CMarriageRecord m;
    m.husband = 1;
    m.wife = 2;
    m.marriage.place[0] = "Leeds";
    ASSERT_EQ(e.Calls().AddRecord(db::kMarriage, false, &m), 1);
    ASSERT_GT(e.Families().DLLSETORV3RELATION(3, 0, db::kRelParents, 1), 0);
    ASSERT_EQ(e.Notes().SetNotes(1, LongText(50), 0, false, db::kIndividual), 1);
    ASSERT_EQ(e.Calls().DllDeleteRecord(4, db::kIndividual), 1);
    before = Read(e);
    ASSERT_EQ(before.individuals.size(), 3u);
    ASSERT_GE(base.Size(), orv::kBlocksOffset + 6 * orv::kBlockSize);
  }
  void TearDown() override { plat::SetFixedTime(0); }

  struct Op {
    const char* name;
    std::function<bool(ORV3&)> run;  // true when the call reports success
  };

  // Runs op on a copy of the base file that takes at most limit bytes;
  // returns the call's answer and leaves the file's bytes in out.
  bool RunLimited(const Op& op, std::uint64_t limit, MemoryFile& out,
                  std::vector<std::uint64_t>* writeEnds = nullptr) {
    out = base;
    FailingFile failing(out, limit);
    Session s(failing);
    if (s.engine->OpenStructures() != 1) {
      ADD_FAILURE() << "the base file does not open";
      return false;
    }
    const bool ok = op.run(*s.engine);
    if (writeEnds) *writeEnds = failing.WriteEnds();
    return ok;
  }

  // Runs op without a fault: the running byte counts of its writes, and
  // what the file then holds.
  void RunWhole(const Op& op, std::vector<std::uint64_t>& ends, Contents& after) {
    MemoryFile done;
    ASSERT_TRUE(RunLimited(op, FailingFile::kNoLimit, done, &ends)) << "fails without a fault";
    ASSERT_FALSE(ends.empty()) << "writes nothing";
    Session s(done);
    ASSERT_EQ(s.engine->OpenStructures(), 1);
    after = Read(*s.engine);
  }

  // The whole check of one call: see the file comment.
  void Check(const Op& op) {
    SCOPED_TRACE(op.name);
    std::vector<std::uint64_t> ends;
    Contents after;
    RunWhole(op, ends, after);
    if (HasFatalFailure()) return;
    // Limits: the start and the middle of every write.
    std::vector<std::uint64_t> limits;
    std::uint64_t start = 0;
    for (std::uint64_t end : ends) {
      limits.push_back(start);
      if (end - start > 1) limits.push_back(start + (end - start) / 2);
      start = end;
    }
    const Contents whole = ReopenedWhole(op);
    for (std::uint64_t limit : limits) {
      SCOPED_TRACE("limit " + std::to_string(limit) + " of " + std::to_string(ends.back()));
      MemoryFile cut;
      ExpectDoneIsWhole(RunLimited(op, limit, cut), cut, whole);
      ExpectIntact(cut, after);
    }
  }

  // The file the call leaves when it runs whole, opened again.
  Contents ReopenedWhole(const Op& op) {
    MemoryFile whole;
    EXPECT_TRUE(RunLimited(op, FailingFile::kNoLimit, whole));
    return Reopened(whole);
  }

  // A call cut short that reports itself done (an edit whose journal was
  // whole before a write failed) must have its whole result on the file
  // once it is opened again: the user is told what the file holds.
  void ExpectDoneIsWhole(bool done, const MemoryFile& cut, const Contents& whole) {
    if (!done) return;
    const Contents now = Reopened(cut);
    EXPECT_TRUE(Same(now, whole)) << "reported done, but opened again it holds "
                                  << Differences(now, whole, whole);
  }

  // Like Check, with the file stopping after every count of bytes the call
  // writes; besides, when the cut file is opened again, an individual the
  // call added is either gone or whole: no half-made one is left live.
  void CheckEveryByte(const Op& op) {
    SCOPED_TRACE(op.name);
    std::vector<std::uint64_t> ends;
    Contents after;
    RunWhole(op, ends, after);
    if (HasFatalFailure()) return;
    // A single write cut in its middle is the file system's to keep whole;
    // between writes, the engine's.
    std::set<std::uint64_t> between(ends.begin(), ends.end());
    between.insert(0);
    const Contents whole = ReopenedWhole(op);
    for (std::uint64_t limit = 0; limit < ends.back(); ++limit) {
      SCOPED_TRACE("limit " + std::to_string(limit) + " of " + std::to_string(ends.back()));
      MemoryFile cut;
      ExpectDoneIsWhole(RunLimited(op, limit, cut), cut, whole);
      if (between.count(limit)) {
        MemoryFile reopened = cut;
        Session s(reopened);
        ASSERT_EQ(s.engine->Open(false), 1);
        for (const auto& [rin, text] : Read(*s.engine).individuals) {
          if (before.individuals.count(rin)) continue;
          const auto whole = after.individuals.find(rin);
          EXPECT_TRUE(whole != after.individuals.end() && whole->second == text)
              << "individual " << rin << " is half made: " << text;
        }
      }
      ExpectIntact(cut, after);
      if (HasFatalFailure()) return;
    }
  }

  // Like CheckEveryByte for a call that changes what is there (an edit, a
  // note): the file cut after any count of its bytes opens as the whole
  // call left it when the call reports done, else as it was before the
  // call, never a mix; cut at the start or in the middle of any of its
  // writes, Check finds it clean.
  void CheckOldOrNew(const Op& op) {
    SCOPED_TRACE(op.name);
    std::vector<std::uint64_t> ends;
    Contents after;
    RunWhole(op, ends, after);
    if (HasFatalFailure()) return;
    MemoryFile whole;
    RunLimited(op, FailingFile::kNoLimit, whole);
    const Contents old = Reopened(base), changed = Reopened(whole);
    ASSERT_FALSE(Same(old, changed)) << "the call changes nothing";
    std::set<std::uint64_t> checked{0};
    std::uint64_t start = 0;
    for (std::uint64_t end : ends) {
      checked.insert(start + (end - start) / 2);
      start = end;
    }
    TempDir dir;
    for (std::uint64_t limit = 0; limit < ends.back(); ++limit) {
      SCOPED_TRACE("limit " + std::to_string(limit) + " of " + std::to_string(ends.back()));
      MemoryFile cut;
      const bool done = RunLimited(op, limit, cut);
      const Contents now = Reopened(cut);
      EXPECT_TRUE(done ? Same(now, changed) : Same(now, old))
          << (done ? "reported done: " : "reported failed: ") << Differences(now, old, changed);
      if (checked.count(limit)) ExpectCheckClean(cut, dir.File("cut.orv"));
      if (HasFatalFailure()) return;
    }
  }

  // What the file holds once opened again (which recovers what a call cut
  // short left).
  Contents Reopened(const MemoryFile& file) {
    MemoryFile copy = file;
    Session s(copy);
    if (s.engine->Open(false) != 1) {
      ADD_FAILURE() << "does not open";
      return {};
    }
    return Read(*s.engine);
  }

  // Check finds nothing in the file opened as the current family.
  void ExpectCheckClean(const MemoryFile& file, const std::string& path) {
    ASSERT_TRUE(file.ToFile(path));
    ASSERT_EQ(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);
    {
      const std::string report = path + ".rpt";
      CDatabaseChecker checker(path, report, *CurrentDatabase, 0);
      EXPECT_EQ(checker.Run(), 1);
      checker.Finish();
      EXPECT_EQ(checker.ProblemCount(), 0u) << ReadAll(report);
    }
    DbCloseCurrent();
  }

  static bool Same(const Contents& a, const Contents& b) {
    return a.records == b.records && a.individuals == b.individuals && a.nameOrder == b.nameOrder;
  }
  // The records and individuals in which now differs from both.
  static std::string Differences(const Contents& now, const Contents& old,
                                 const Contents& changed) {
    std::string out;
    for (const auto& [key, bytes] : now.records) {
      const auto o = old.records.find(key), c = changed.records.find(key);
      if ((o == old.records.end() || o->second != bytes) &&
          (c == changed.records.end() || c->second != bytes))
        out += std::string(orv::LayoutOf(key.first).name) + " " + std::to_string(key.second) + "; ";
    }
    for (const auto& [rin, text] : now.individuals) out += std::to_string(rin) + ": " + text + "; ";
    return out;
  }

  // The cut file opens, and what the call leaves alone (what it does not
  // change when it runs whole) is there as it was, also after records are
  // added to the file (which must take none of its room).
  void ExpectIntact(MemoryFile& cut, const Contents& after) {
    Session s(cut);
    ASSERT_EQ(s.engine->OpenStructures(), 1);
    ExpectKept(Read(*s.engine), after);

    SCOPED_TRACE("after new records");
    const std::int32_t later = AddPerson(*s.engine, "Later", "Lou", 'F');
    EXPECT_GT(later, 0);
    CMarriageRecord m;
    EXPECT_GT(s.engine->Calls().AddRecord(db::kMarriage, false, &m), 0);
    EXPECT_EQ(s.engine->Notes().SetNotes(later, LongText(10), 0, false, db::kIndividual), 1);
    ExpectKept(Read(*s.engine), after);
  }

  void ExpectKept(const Contents& now, const Contents& after) {
    for (const auto& [key, bytes] : before.records) {
      if (after.records.at(key) != bytes) continue;
      EXPECT_EQ(now.records.at(key), bytes) << orv::LayoutOf(key.first).name << " " << key.second;
    }
    for (const auto& [rin, text] : before.individuals) {
      const auto done = after.individuals.find(rin);
      if (done == after.individuals.end() || done->second != text) continue;
      const auto found = now.individuals.find(rin);
      EXPECT_EQ(found != now.individuals.end() ? found->second : "(gone)", text);
      if (checkNameTree) {
        EXPECT_NE(std::find(now.nameOrder.begin(), now.nameOrder.end(), rin), now.nameOrder.end())
            << "individual " << rin << " is not in the name tree";
      }
    }
  }

  MemoryFile base;
  Contents before;
  bool checkNameTree = false;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
};

TEST_F(EngineWriteFaultTest, IndividualCalls) {
  Check({"add individual", [](ORV3& e) { return AddPerson(e, "Stone", "Sam", 'M') > 0; }});
  Check({"add individual reusing a deleted number", [](ORV3& e) {
           CIndividualRecord p = Person("Quill", "Quentin", 'M');
           return e.Calls().AddRecord(db::kIndividual, true, &p) == 4;
         }});
  Check({"update individual", [](ORV3& e) {
           CIndividualRecord p;
           if (e.Calls().O3_GetRecord(2, db::kIndividual, &p) != 1) return false;
           p.surname = "Woodward";
           p.givenNames[0] = "Winifred";
           return e.Calls().UpdateRecord(2, db::kIndividual, &p) == 1;
         }});
  Check({"delete individual",
         [](ORV3& e) { return e.Calls().DllDeleteRecord(1, db::kIndividual) == 1; }});
}

TEST_F(EngineWriteFaultTest, MarriageCalls) {
  Check({"add marriage", [](ORV3& e) {
           CMarriageRecord m;
           m.husband = 3;
           m.marriage.place[0] = "York";
           return e.Calls().AddRecord(db::kMarriage, false, &m) > 0;
         }});
  Check({"update marriage", [](ORV3& e) {
           CMarriageRecord m;
           if (e.Calls().O3_GetRecord(1, db::kMarriage, &m) != 1) return false;
           m.marriage.place[0] = "Bradford";
           return e.Calls().UpdateRecord(1, db::kMarriage, &m) == 1;
         }});
  Check({"delete marriage",
         [](ORV3& e) { return e.Calls().DllDeleteRecord(1, db::kMarriage) == 1; }});
}

TEST_F(EngineWriteFaultTest, StringsNotesAndRelations) {
  Check(
      {"string store add", [](ORV3& e) { return e.Strings().FindOrAddString("Quennell", 0) > 0; }});
  Check({"new notes over several blocks", [](ORV3& e) {
           return e.Notes().SetNotes(3, LongText(40), 0, false, db::kIndividual) == 1;
         }});
  Check({"shorter notes free blocks", [](ORV3& e) {
           return e.Notes().SetNotes(1, "Short now.", 0, false, db::kIndividual) == 1;
         }});
  Check({"appended notes", [](ORV3& e) {
           return e.Notes().SetNotes(1, LongText(5), 2, false, db::kIndividual) == 1;
         }});
  Check({"spouse in a new marriage",
         [](ORV3& e) { return e.Families().DLLSETORV3RELATION(3, 0, db::kRelHusband, 0) > 0; }});
  Check({"child of a marriage",
         [](ORV3& e) { return e.Families().DLLSETORV3RELATION(2, 0, db::kRelParents, 1) > 0; }});
}

// A disk that fills at any byte of an add, an edit or a note: the call
// fails, and the file opens with what the call left alone intact and no
// individual half added.
TEST_F(EngineWriteFaultTest, CallsCutAtEveryByteFailWholeOrLeaveNoHalfMadeRecord) {
  CheckEveryByte({"add individual", [](ORV3& e) { return AddPerson(e, "Stone", "Sam", 'M') > 0; }});
  CheckEveryByte({"update individual", [](ORV3& e) {
                    CIndividualRecord p;
                    if (e.Calls().O3_GetRecord(2, db::kIndividual, &p) != 1) return false;
                    p.surname = "Woodward";
                    p.givenNames[0] = "Winifred";
                    return e.Calls().UpdateRecord(2, db::kIndividual, &p) == 1;
                  }});
  CheckEveryByte({"new notes", [](ORV3& e) {
                    return e.Notes().SetNotes(3, LongText(12), 0, false, db::kIndividual) == 1;
                  }});
}

// A disk that fills, or a process that stops, at any byte of an edit or of
// notes: the family opens as before the call or as after it, and Check finds
// it clean.
TEST_F(EngineWriteFaultTest, EditsAndNotesCutAtEveryByteLeaveTheOldOrTheNewState) {
  const Op ops[] = {
      {"update individual",
       [](ORV3& e) {
         CIndividualRecord p;
         if (e.Calls().O3_GetRecord(2, db::kIndividual, &p) != 1) return false;
         p.surname = "Woodward";
         p.givenNames[0] = "Winifred";
         return e.Calls().UpdateRecord(2, db::kIndividual, &p) == 1;
       }},
      {"update marriage",
       [](ORV3& e) {
         CMarriageRecord m;
         if (e.Calls().O3_GetRecord(1, db::kMarriage, &m) != 1) return false;
         m.marriage.place[0] = "Bradford";
         return e.Calls().UpdateRecord(1, db::kMarriage, &m) == 1;
       }},
      {"short new notes",
       [](ORV3& e) {
         return e.Notes().SetNotes(3, "Born at sea.", 0, false, db::kIndividual) == 1;
       }},
      {"new notes over several blocks",
       [](ORV3& e) { return e.Notes().SetNotes(3, LongText(12), 0, false, db::kIndividual) == 1; }},
      {"notes made shorter",
       [](ORV3& e) { return e.Notes().SetNotes(1, LongText(8), 0, false, db::kIndividual) == 1; }},
      {"notes made longer",
       [](ORV3& e) { return e.Notes().SetNotes(1, LongText(56), 0, false, db::kIndividual) == 1; }},
      {"notes appended",
       [](ORV3& e) { return e.Notes().SetNotes(1, LongText(4), 2, false, db::kIndividual) == 1; }},
      {"notes removed",
       [](ORV3& e) { return e.Notes().SetNotes(1, "", 0, false, db::kIndividual) == 1; }},
  };
  for (const Op& op : ops) CheckOldOrNew(op);
}

// The edit mark set by damage (one changed byte of the header) finds the
// place of a journal long since cut off and written over by the blocks that
// followed: the open keeps every block, however few or many followed.
TEST_F(EngineWriteFaultTest, ADamagedEditMarkCutsNoBlockOff) {
  for (const int later : {30, 120}) {
    SCOPED_TRACE(std::to_string(later) + " individuals added after the edit");
    MemoryFile file = base;
    {
      Session s(file);
      ASSERT_EQ(s.engine->OpenStructures(), 1);
      ASSERT_EQ(s.engine->Notes().SetNotes(2, LongText(30), 0, false, db::kIndividual), 1);
      for (int i = 0; i < later; ++i) {
        const std::int32_t rin = AddPerson(*s.engine, "After" + std::to_string(i), "Al", 'M');
        ASSERT_GT(rin, 0);
      }
    }
    const Contents whole = Reopened(file);
    std::vector<std::uint8_t> bytes = file.Bytes();
    bytes[orv::kHeadBatchMark] |= orv::kMarkEdit;
    MemoryFile damaged(bytes);
    const Contents opened = Reopened(damaged);
    EXPECT_TRUE(Same(opened, whole)) << Differences(opened, whole, whole);
    EXPECT_EQ(damaged.Size(), file.Size());
  }
}

// A rotation of the name tree is several link writes; a file cut between
// them must still reach every individual in name order when it is opened.
TEST_F(EngineWriteFaultTest, NameTreeReachesEveryoneAfterACutRotation) {
  checkNameTree = true;
  Check({"add individual", [](ORV3& e) { return AddPerson(e, "Stone", "Sam", 'M') > 0; }});
  Check({"delete individual",
         [](ORV3& e) { return e.Calls().DllDeleteRecord(1, db::kIndividual) == 1; }});
}

TEST_F(EngineWriteFaultTest, HeaderAndNewBlockTypes) {
  Check({"batch ended by the header write", [](ORV3& e) {
           e.Blocks().BeginBatch();
           const bool added = AddPerson(e, "Batch", "Bea", 'F') > 0;
           return e.Blocks().EndBatch() && added;
         }});
  Check({"first event type allocates its block", [](ORV3& e) {
           CEventTypeRecord t;
           t.title = "Emigration";
           t.ownerKind = db::kOwnerIndividual;
           return e.Calls().AddRecord(db::kEventType, false, &t) > 0;
         }});
  Check({"preparer in the header", [](ORV3& e) {
           CPreparerRecord prep;
           prep.surname = "Prepper";
           return e.Calls().UpdateRecord(1, db::kPreparer, &prep) == 1;
         }});
}

// A disk whose cache the system cannot write out (the sync answers an I/O
// error): the sync an add asks for after taking a new block is a failed
// write, counted and told, so the add is not reported stored. An edit that
// allocates nothing is not synced, and stands.
TEST_F(EngineWriteFaultTest, ASyncTheSystemRefusesIsAWriteError) {
  struct SyncRefused : PassThroughFile {
    using PassThroughFile::PassThroughFile;
    bool Flush() override { return false; }
  };
  MemoryFile copy = base;
  SyncRefused file(copy);
  Session s(file);
  ORV3& e = *s.engine;
  ASSERT_EQ(e.OpenStructures(), 1);
  CIndividualRecord p;
  ASSERT_EQ(e.Calls().O3_GetRecord(2, db::kIndividual, &p), 1);
  p.givenNames[0] = "Winifred";
  EXPECT_EQ(e.Calls().UpdateRecord(2, db::kIndividual, &p), 1);
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(e.Notes().SetNotes(3, LongText(40), 0, false, db::kIndividual), 0);
  EXPECT_EQ(e.Blocks().TimesTold(BlockStore::kWriteErrorKind), 1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text.rfind("Write Error", 0), 0u) << boxes.Calls()[0].text;
}

// The same calls on the real file and on the file in memory leave the same
// bytes: the seam changes nothing the engine stores.
TEST(EngineOnMemoryFile, StoresTheSameBytesAsOnTheRealFile) {
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::SetFixedTime(LocalTimeOf(2024, 5, 6, 7, 8));
  auto fill = [](ORV3& e) {
    ASSERT_EQ(e.Create("family.orv"), 1);
    ASSERT_EQ(AddPerson(e, "Hale", "Hugh", 'M'), 1);
    ASSERT_EQ(AddPerson(e, "Wood", "Wendy", 'F'), 2);
    ASSERT_GT(e.Families().DLLSETORV3RELATION(1, 2, db::kRelHusband, 0), 0);
    ASSERT_EQ(e.Notes().SetNotes(1, LongText(30), 0, false, db::kIndividual), 1);
    e.Blocks().BeginBatch();
    ASSERT_EQ(AddPerson(e, "Batch", "Bea", 'F'), 3);
    ASSERT_TRUE(e.Blocks().EndBatch());
  };
  TempDir dir;
  const std::string path = dir.File("family.orv");
  {
    EngineHost host;
    ASSERT_EQ(host.file.Create(path), plat::kFileOk);
    ORV3 engine(&host);
    fill(engine);
  }
  MemoryFile memory;
  {
    Session s(memory);
    fill(*s.engine);
  }
  plat::SetFixedTime(0);
  EXPECT_EQ(memory.Bytes(), MemoryFile::FromFile(path).Bytes());
  EXPECT_GT(memory.Size(), orv::kBlocksOffset + 3 * orv::kBlockSize);
}

}  // namespace

namespace {

// The blocks of a type as the file's type maps, its DBMap and its header
// count them.
struct BlockCounts {
  int typeMap = 0, dbMap = 0, header = 0;
};
BlockCounts CountsOnDisk(const std::vector<std::uint8_t>& b, int type, int headerField) {
  BlockCounts c;
  const std::int32_t groups = orv::GetI32(b.data() + orv::kHeadGroups);
  const std::int32_t dbMapBlock = orv::GetI32(b.data() + orv::kHeadDBMapBlock);
  for (int g = 0; g < groups; ++g) {
    for (int k = 1; k < orv::kGroupPositions; ++k)
      c.typeMap += b[orv::FirstBlockOffset(g) + k] == type;
    c.dbMap += orv::GetI16(b.data() + orv::BlockNumberOffset(dbMapBlock) +
                           orv::DBMap::CountOffset(g, type));
  }
  c.header = orv::GetI32(b.data() + headerField);
  return c;
}

}  // namespace

// Adds with notes outside a batch until the disk is full: each failure is
// told once, the file's block counts agree, and everything whose call
// succeeded opens again.
TEST_F(EngineWriteFaultTest, FullDiskLeavesTheBlockCountsAgreeing) {
  for (std::uint64_t room : {std::uint64_t{3} * orv::kBlockSize, std::uint64_t{7} * 4096 + 100}) {
    SCOPED_TRACE("room " + std::to_string(room));
    MemoryFile disk(base.Bytes());
    FullDiskFile full(disk, base.Size() + room);
    std::map<std::int32_t, std::string> added, noted;
    boxes.Clear();
    {
      Session s(full);
      ASSERT_EQ(s.engine->OpenStructures(), 1);
      for (int i = 0; i < 60; ++i) {
        const std::string surname = "Full" + std::to_string(i);
        const std::int32_t rin = AddPerson(*s.engine, surname, "Disk", 'F');
        if (rin <= 0) continue;
        added[rin] = surname;
        if (s.engine->Notes().SetNotes(rin, LongText(3 + i % 5), 0, false, db::kIndividual) == 1)
          noted[rin] = LongText(3 + i % 5);
      }
    }
    int writeErrors = 0;
    for (const auto& call : boxes.Calls())
      writeErrors += call.text.rfind("Write Error\n\n", 0) == 0;
    EXPECT_EQ(writeErrors, 1);
    ASSERT_FALSE(added.empty());
    for (const auto& [type, field] :
         {std::pair{int{orv::kBlockNotes}, int{orv::kHeadNoteBlocks}},
          std::pair{int{orv::kBlockIndividuals}, int{orv::kHeadIndividualBlocks}}}) {
      const BlockCounts c = CountsOnDisk(disk.Bytes(), type, field);
      EXPECT_EQ(c.typeMap, c.dbMap) << "type " << type;
      EXPECT_EQ(c.typeMap, c.header) << "type " << type;
    }
    Session s(disk);
    ASSERT_EQ(s.engine->OpenStructures(), 1);
    for (const auto& [rin, surname] : added) {
      CIndividualRecord p;
      ASSERT_EQ(s.engine->Calls().O3_GetRecord(rin, db::kIndividual, &p), 1);
      EXPECT_EQ(p.surname, surname);
    }
    for (const auto& [rin, text] : noted) {
      std::string notes;
      s.engine->Notes().GetNotesText(rin, false, db::kIndividual, notes);
      EXPECT_EQ(notes, text) << rin;
    }
  }
}
