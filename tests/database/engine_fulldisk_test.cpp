// Calls on a disk that runs out of room. For every size of the disk, in
// pages, from what the file takes up to where the call goes through: a call
// that fails leaves the file's bytes exactly as they were and the engine
// reading what the file holds; once room is made the same call goes
// through, and the file opened again holds what the calls reported. An
// edit whose journal is whole stands when its writes in place fail, and no
// later call writes over that journal.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Clock.h"
#include "DbCodes.h"
#include "EngineSession.h"
#include "FakePorts.h"
#include "FamilyWorkout.h"
#include "FileHandle.h"
#include "IndividualRecord.h"
#include "MemoryFile.h"
#include "ORV3.h"
#include "SparseDiskFile.h"
#include "TestHelpers.h"

namespace {

std::string Story(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i)
    text += "Year " + std::to_string(1850 + i) + ": another line of the family's long story.\r\n";
  return text;
}

// Stores individual rin again under a new surname (one the name store does
// not hold yet); true when the update reports success.
bool Rename(ORV3& e, std::int32_t rin, const char* surname) {
  CIndividualRecord p;
  if (e.Calls().O3_GetRecord(rin, db::kIndividual, &p) != 1) return false;
  p.surname = surname;
  return e.Calls().UpdateRecord(rin, db::kIndividual, &p) == 1;
}

struct Call {
  const char* name;
  std::function<bool(ORV3&)> run;  // true when the call reports success
};

const Call kCalls[] = {
    {"Add",
     [](ORV3& e) {
       CIndividualRecord p;
       p.surname = "Quennell";
       p.givenNames[0] = "Quentin";
       p.sex = 'M';
       return e.Calls().AddRecord(db::kIndividual, false, &p) == 9;
     }},
    {"Edit", [](ORV3& e) { return Rename(e, 2, "Woodward"); }},
    {"ShortNote",
     [](ORV3& e) { return e.Notes().SetNotes(3, "Born at sea.", 0, false, db::kIndividual) == 1; }},
    {"NoteGrowingBySeveralBlocks",
     [](ORV3& e) { return e.Notes().SetNotes(4, Story(160), 0, false, db::kIndividual) == 1; }},
    {"RemovedNote",
     [](ORV3& e) { return e.Notes().SetNotes(1, "", 0, false, db::kIndividual) == 1; }},
};

// The small family of the workout, built once.
const MemoryFile& SmallFamily() {
  static const MemoryFile file = [] {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scoped{&boxes};
    plat::SetFixedTime(LocalTimeOf(2024, 5, 6, 7, 8));
    MemoryFile made;
    EngineSession s(made);
    if (s.engine->Create("family.orv") != 1 || !workout::BuildSmallFamily(*s.engine))
      made = MemoryFile();
    plat::SetFixedTime(0);
    return made;
  }();
  return file;
}

// What a file holds, opened again.
std::string Reopened(const MemoryFile& file) {
  MemoryFile copy = file;
  EngineSession s(copy);
  if (s.engine->Open(false) != 1) return "(does not open)";
  return DescribeFamily(*s.engine);
}

class EngineFullDiskTest : public ::testing::TestWithParam<std::tuple<int, std::uint64_t>> {
 protected:
  void SetUp() override {
    plat::SetFixedTime(LocalTimeOf(2024, 5, 6, 7, 8));
    ASSERT_GT(SmallFamily().Size(), 0) << "the small family could not be built";
  }
  void TearDown() override { plat::SetFixedTime(0); }

  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
};

TEST_P(EngineFullDiskTest, AFailedCallLeavesTheFileAsItWas) {
  const Call& call = kCalls[std::get<0>(GetParam())];
  const std::uint64_t page = std::get<1>(GetParam());
  const MemoryFile& base = SmallFamily();
  const std::string before = Reopened(base);

  MemoryFile done = base;
  {
    EngineSession s(done);
    ASSERT_EQ(s.engine->OpenStructures(), 1);
    ASSERT_TRUE(call.run(*s.engine)) << "fails on a disk with room";
  }
  const std::string after = Reopened(done);
  ASSERT_NE(after, before) << "the call changes nothing";

  int failures = 0;
  bool wentThrough = false;
  const std::uint64_t taken = (static_cast<std::uint64_t>(base.Size()) + page - 1) / page * page;
  for (std::uint64_t room = taken; !wentThrough && room < taken + 64 * page; room += page) {
    SCOPED_TRACE("room " + std::to_string(room));
    MemoryFile file = base;
    SparseDiskFile disk(file, page, room);
    EngineSession s(disk);
    ASSERT_EQ(s.engine->OpenStructures(), 1);
    wentThrough = call.run(*s.engine);
    if (!wentThrough) {
      ++failures;
      EXPECT_TRUE(file.Bytes() == base.Bytes()) << "the failed call changed the file";
      EXPECT_EQ(DescribeFamily(*s.engine), before)
          << "the engine does not read what the file holds";
      // Room made on the disk: the same call goes through.
      disk.SetRoom(SparseDiskFile::kNoLimit);
      EXPECT_TRUE(call.run(*s.engine)) << "fails once the disk has room";
    }
    s.engine.reset();
    EXPECT_EQ(Reopened(file), after);
    if (HasFailure()) return;
  }
  EXPECT_TRUE(wentThrough);
  EXPECT_GT(failures, 0) << "the call never met a full disk";
}

std::string CallName(const ::testing::TestParamInfo<std::tuple<int, std::uint64_t>>& info) {
  return std::string(kCalls[std::get<0>(info.param)].name) + "Pages" +
         std::to_string(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(
    EveryCall, EngineFullDiskTest,
    ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(kCalls))),
                       ::testing::Values(std::uint64_t{4096}, std::uint64_t{1024})),
    CallName);

// A disk that takes no writes for a while (numbered from first on, until
// healed), passing the others on.
class BrokenForAWhile : public PassThroughFile {
 public:
  using PassThroughFile::PassThroughFile;
  std::uint64_t first = SIZE_MAX;
  bool healed = false;
  std::vector<std::int64_t> positions;  // of every write asked for
  bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) override {
    positions.push_back(static_cast<std::int64_t>(pos));
    return (healed || positions.size() <= first) && inner_.WriteAt(pos, data, len);
  }
};

// An edit whose journal is whole on the file stands, even when the disk
// refuses its writes in place: it reports success, reads as done, and the
// file opened again holds it. While the disk refuses writes a later call
// fails without touching that journal; once it takes them again the next
// call first finishes the edit, then goes through.
TEST_F(EngineFullDiskTest, AnEditWhoseJournalIsWholeStands) {
  const MemoryFile& base = SmallFamily();
  const auto edit = [](ORV3& e) {
    return e.Notes().SetNotes(1, "Rewritten after the move.", 0, false, db::kIndividual) == 1;
  };
  const auto rename = [](const char* surname) {
    return [surname](ORV3& e) { return Rename(e, 3, surname); };
  };
  // The journal is the write at the file's end; the writes in place follow.
  std::uint64_t inPlace = 0;
  std::string edited, healed;
  {
    MemoryFile file = base;
    BrokenForAWhile watch(file);
    EngineSession s(watch);
    ASSERT_EQ(s.engine->OpenStructures(), 1);
    ASSERT_TRUE(edit(*s.engine));
    for (std::size_t i = 0; i < watch.positions.size(); ++i)
      if (watch.positions[i] == base.Size()) inPlace = i + 1;
    ASSERT_GT(inPlace, 0u);
    ASSERT_LT(inPlace, watch.positions.size());
    edited = DescribeFamily(*s.engine);
    ASSERT_TRUE(rename("Healed")(*s.engine));
    healed = DescribeFamily(*s.engine);
  }

  MemoryFile file = base;
  BrokenForAWhile disk(file);
  disk.first = inPlace;
  EngineSession s(disk);
  ASSERT_EQ(s.engine->OpenStructures(), 1);
  EXPECT_TRUE(edit(*s.engine));
  EXPECT_EQ(DescribeFamily(*s.engine), edited);
  EXPECT_EQ(Reopened(file), edited);

  const std::vector<std::uint8_t> journalLeft = file.Bytes();
  EXPECT_FALSE(rename("Refused")(*s.engine));
  EXPECT_TRUE(file.Bytes() == journalLeft) << "a later call wrote over the journal";
  EXPECT_EQ(DescribeFamily(*s.engine), edited);

  disk.healed = true;
  EXPECT_TRUE(rename("Healed")(*s.engine));
  EXPECT_EQ(DescribeFamily(*s.engine), healed);
  EXPECT_EQ(file.Bytes()[orv::kHeadBatchMark] & orv::kMarkEdit, 0);
  EXPECT_EQ(Reopened(file), healed);
}

// On a real small file system (a folder named by KORVANE_SMALL_DISK, such
// as a tmpfs of a few hundred KB): adds with notes until the disk is full;
// every call that failed left the file's bytes as they were, and the file
// opened again holds exactly the calls that reported success.
TEST_F(EngineFullDiskTest, ARealSmallDiskKeepsWhatTheCallsReported) {
  const char* folder = std::getenv("KORVANE_SMALL_DISK");
  if (!folder) GTEST_SKIP() << "KORVANE_SMALL_DISK names no folder on a small file system";
  const std::string path = std::string(folder) + "/small.orv";
  std::filesystem::remove(path);
  EngineHost host;
  ASSERT_EQ(host.file.Create(path), plat::kFileOk);
  auto engine = std::make_unique<ORV3>(&host);
  ASSERT_EQ(engine->Create(path), 1);
  int failed = 0;
  // A call that fails leaves the file's bytes as they were.
  const auto run = [&](const std::string& name, const std::function<bool()>& call) {
    const std::vector<std::uint8_t> bytesBefore = MemoryFile::FromFile(path).Bytes();
    if (call()) return true;
    ++failed;
    EXPECT_TRUE(MemoryFile::FromFile(path).Bytes() == bytesBefore) << name;
    return false;
  };
  for (int i = 0; i < 400 && failed < 40; ++i) {
    CIndividualRecord p;
    p.surname = "Full" + std::to_string(i);
    p.givenNames[0] = "Disk";
    p.sex = 'F';
    std::int32_t rin = 0;
    if (!run("add " + std::to_string(i), [&] {
          rin = engine->Calls().AddRecord(db::kIndividual, false, &p);
          return rin > 0;
        }))
      continue;
    run("notes of " + std::to_string(rin), [&] {
      return engine->Notes().SetNotes(rin, Story(5 + i % 40), 0, false, db::kIndividual) == 1;
    });
  }
  EXPECT_GT(failed, 0) << "the disk never filled";
  const std::string reported = DescribeFamily(*engine);
  engine.reset();
  host.file.Close();
  EXPECT_EQ(Reopened(MemoryFile::FromFile(path)), reported);
  std::filesystem::remove(path);
}

}  // namespace
