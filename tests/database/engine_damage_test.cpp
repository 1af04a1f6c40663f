// Damaged family files: a copy of a small family with one field or bit
// changed, or cut short, must open (or be refused) and be read, edited and
// closed in bounded time and memory, without reads that write, without
// growing by more than a group of blocks per edit, and must open again or be
// refused cleanly afterwards. Then the damage met in the field, one case
// each, with the message the user sees.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "DbCodes.h"
#include "EngineSession.h"
#include "FakePorts.h"
#include "FamilyWorkout.h"
#include "IndividualRecord.h"
#include "MemoryFile.h"
#include "ORV3.h"
#include "StringIds.h"
#include "StringStore.h"
#include "StringTable.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace orv;

constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif
const char* const kDamagedCaption = "Damaged Family File";

// A file in memory that counts its flushes.
class CountingFile : public MemoryFile {
 public:
  using MemoryFile::MemoryFile;
  bool Flush() override {
    ++flushes;
    return true;
  }
  int flushes = 0;
};

using Session = EngineSession;

// The small family, built once.
const Bytes& SmallFamily() {
  static const Bytes bytes = [] {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scoped{&boxes};
    MemoryFile file;
    Session s(file);
    if (s.engine->Create("family.orv") != 1 || !workout::BuildSmallFamily(*s.engine))
      return Bytes{};
    return file.Bytes();
  }();
  return bytes;
}

std::int32_t I32At(const Bytes& b, std::size_t at) { return GetI32(b.data() + at); }
void SetI32(Bytes& b, std::size_t at, std::int32_t v) { PutI32(b.data() + at, v); }
void SetI16(Bytes& b, std::size_t at, std::int16_t v) { PutI16(b.data() + at, v); }

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

int DamageBoxes(const plat::FakeMessageBox& boxes) {
  int n = 0;
  for (const auto& call : boxes.Calls()) n += call.caption == kDamagedCaption;
  return n;
}

struct Damage {
  std::string name;
  std::function<void(Bytes&)> apply;
};

// Every header count and link field at 0, -1, the 32-bit maximum and beyond
// the file; bit flips in the header, the DBMap mirror, group 0's type map,
// the DBMap block and the records; record fields set to values beyond the
// file; cuts at the places the file's structures begin and end.
std::vector<Damage> Damages(const Bytes& family) {
  std::vector<Damage> out;
  const std::int32_t size = static_cast<std::int32_t>(family.size());
  const int fields[] = {
      kHeadHighestIndividual, kHeadIndividualBlocks,  kHeadIndividualRoot,    kHeadIndividualChain,
      kHeadHighestMarriage,   kHeadMarriageBlocks,    kHeadMarriageChain,     kHeadNameCount,
      kHeadNameBlocks,        kHeadNameRoot,          kHeadNameNext,          kHeadNameBlockEnd,
      kHeadHighestNote,       kHeadNoteBlocks,        kHeadNoteFreeHead,      kHeadHighestCitation,
      kHeadCitationBlocks,    kHeadCitationChain,     kHeadHighestSource,     kHeadSourceBlocks,
      kHeadSourceRoot,        kHeadSourceChain,       kHeadHighestRepository, kHeadRepositoryRoot,
      kHeadHighestFamilyLink, kHeadFamilyLinkChain,   kHeadUsedPositions,     kHeadGroups,
      kHeadDBMapBlock,        kHeadOtherNameCount,    kHeadOtherNameRoot,     kHeadOtherNameNext,
      kHeadOtherNameBlockEnd, kHeadEventTypeRoot,     kHeadHighestEventType,  kHeadHighestUserEvent,
      kHeadHighestContact,    kHeadHighestMultimedia,
  };
  const std::int32_t values[] = {0, -1, kMax32, size, 1 << 30};
  for (int field : fields)
    for (std::int32_t v : values)
      out.push_back({"header field " + std::to_string(field) + " = " + std::to_string(v),
                     [field, v](Bytes& b) { SetI32(b, field, v); }});

  std::mt19937 rng(20);
  const auto flips = [&](const char* where, std::size_t from, std::size_t to, int n) {
    for (int i = 0; i < n; ++i) {
      const std::size_t at = from + rng() % (to - from);
      const int bit = static_cast<int>(rng() % 8);
      out.push_back({std::string("bit ") + std::to_string(bit) + " of " + where + " byte " +
                         std::to_string(at),
                     [at, bit](Bytes& b) { b[at] ^= static_cast<std::uint8_t>(1u << bit); }});
    }
  };
  const std::size_t typeMap = kBlocksOffset;
  const std::size_t dbMap = kBlocksOffset + kBlockSize;
  const std::size_t records = kBlocksOffset + 2 * kBlockSize;
  flips("the header", 0, kHeaderSize, 40);
  flips("the mirror", kMirrorOffset, kMirrorOffset + 40, 12);
  flips("the type map", typeMap, typeMap + 24, 30);
  flips("the DBMap", dbMap, dbMap + 80, 30);
  flips("the records", records, family.size(), 60);

  for (int i = 0; i < 40; ++i) {
    const std::size_t at = records + rng() % (family.size() - records - 4);
    const std::int32_t v = values[rng() % std::size(values)];
    out.push_back({"record bytes at " + std::to_string(at) + " = " + std::to_string(v),
                   [at, v](Bytes& b) { SetI32(b, at, v); }});
  }
  // The link fields of individuals 1 and 5 (names, spouse chain, parent
  // link, notes, name tree) and of marriages 1 and 2 (spouses, children,
  // spouse chains, user events, notes, citations).
  const auto linkFields = [&](RecordKind kind, std::int32_t r, std::initializer_list<int> offsets) {
    plat::FakeMessageBox quiet;
    plat::ScopedMessageBox scoped{&quiet};
    MemoryFile file(family);
    Session s(file, true);
    if (s.engine->OpenStructures() != 1) return;
    const std::int64_t at = s.engine->Records().LocateRecord(kind, r);
    for (int offset : offsets)
      for (std::int32_t v : {-1, kMax32, 1 << 30, 9}) {
        const std::size_t pos = static_cast<std::size_t>(at + offset);
        out.push_back({std::string(LayoutOf(kind).name) + " " + std::to_string(r) + " field " +
                           std::to_string(offset) + " = " + std::to_string(v),
                       [pos, v](Bytes& b) { SetI32(b, pos, v); }});
      }
  };
  for (std::int32_t r : {1, 5})
    linkFields(RecordKind::Individual, r, {1, 5, 218, 222, 226, 242, 246, 250});
  for (std::int32_t m : {1, 2})
    linkFields(RecordKind::Marriage, m, {1, 5, 9, 13, 77, 81, 85, 89, 93});
  for (int t = 1; t <= 20; ++t)
    for (std::int16_t v : {std::int16_t{0}, std::int16_t{-1}, std::int16_t{32767}}) {
      const std::size_t at = dbMap + DBMap::CountOffset(0, t);
      out.push_back({"DBMap count of type " + std::to_string(t) + " = " + std::to_string(v),
                     [at, v](Bytes& b) { SetI16(b, at, v); }});
    }
  const std::size_t cuts[] = {0,
                              100,
                              kHeaderSize,
                              kMirrorOffset,
                              typeMap,
                              dbMap - 1,
                              dbMap,
                              records,
                              records + kBlockSize,
                              family.size() - kBlockSize,
                              family.size() - 1};
  for (std::size_t cut : cuts)
    out.push_back({"cut at " + std::to_string(cut), [cut](Bytes& b) { b.resize(cut); }});
  return out;
}

TEST(DamagedFamilyFile, TheSmallFamilyIsReadWholeWhenSound) {
  const Bytes& family = SmallFamily();
  ASSERT_FALSE(family.empty());
  MemoryFile file(family);
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scoped{&boxes};
  Session s(file);
  ASSERT_EQ(s.engine->Open(false), 1);
  // 8 individuals, 3 marriages, 8 names in the tree, 2 sources, 3
  // citations and a repository: what the damaged copies are read for.
  EXPECT_EQ(workout::ReadWhole(*s.engine), 25);
  EXPECT_TRUE(boxes.Calls().empty()) << boxes.Calls()[0].text;
  EXPECT_EQ(file.Bytes(), family);
}

TEST(DamagedFamilyFile, EveryDamagedCopyOpensReadsEditsAndClosesWithinBounds) {
  const Bytes& family = SmallFamily();
  ASSERT_FALSE(family.empty());
  const long peakBefore = PeakKilobytes();
  for (const Damage& damage : Damages(family)) {
    SCOPED_TRACE(damage.name);
    Bytes damaged = family;
    damage.apply(damaged);
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    plat::FakeMessagePump pump;
    plat::ScopedMessagePump scopedPump{&pump};
    MemoryFile file(damaged);
    const auto start = std::chrono::steady_clock::now();
    {
      Session s(file);
      const int opened = s.engine->Open(false);
      if (opened == 1) {
        const Bytes before = file.Bytes();
        workout::ReadWhole(*s.engine);
        EXPECT_EQ(file.Bytes(), before) << "reading wrote to the file";
        for (int step = 0; step < 4; ++step) {
          const long long size = file.Size();
          workout::EditOnce(*s.engine, step);
          EXPECT_LE(file.Size() - size, kGroupBytes) << "edit " << step;
        }
      } else {
        EXPECT_EQ(opened, -1);
        EXPECT_FALSE(boxes.Calls().empty()) << "refused without a word";
        EXPECT_EQ(file.Bytes(), damaged) << "a refused file was written";
      }
    }
    EXPECT_LE(DamageBoxes(boxes), 1);
    boxes.Clear();
    {
      Session again(file);
      const int reopened = again.engine->Open(false);
      EXPECT_TRUE(reopened == 1 || reopened == -1) << reopened;
      if (reopened == 1) workout::ReadWhole(*again.engine);
      EXPECT_LE(DamageBoxes(boxes), 1);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 2.0);
  }
  // The whole run takes well under a megabyte more; an address sanitizer
  // keeps freed memory back and is given its quarantine on top.
  EXPECT_LT(PeakKilobytes() - peakBefore, (kAddressSanitizer ? 512 : 64) * 1024)
      << "a damaged copy ballooned";
}

// Where an offset lies and what the blocks can address, on the small family:
// the limits every link and count is held to.
TEST(DamagedFamilyFile, BlockTypesOfOffsetsAndRecordCapacity) {
  const Bytes& family = SmallFamily();
  MemoryFile file(family);
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scoped{&boxes};
  Session s(file);
  ASSERT_EQ(s.engine->Open(false), 1);
  BlockStore& b = s.engine->Blocks();
  const std::int64_t nameBlock = I32At(family, kHeadNameRoot);
  const std::int64_t blockStart = nameBlock - (nameBlock - kBlocksOffset) % kBlockSize;
  const struct {
    std::int64_t pos, len;
    int type;
    bool inside;
  } cases[] = {
      {0, 4, 0, false},                                      // the header
      {kBlocksOffset - 1, 1, 0, false},                      // the mirror's last byte
      {kBlocksOffset, 1, kBlockFirst, true},                 // group 0's type map
      {kBlocksOffset + kBlockSize, 4, kBlockDBMap, true},    // the DBMap
      {nameBlock, kEntryText + 1, kBlockNames, true},        // the first name entry
      {blockStart + kBlockSize - 2, 2, kBlockNames, true},   // the end of its block
      {blockStart + kBlockSize - 2, 3, kBlockNames, false},  // across the end
      {static_cast<std::int64_t>(family.size()) + kGroupBytes, 1, 0, false},  // beyond the groups
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pos);
    EXPECT_EQ(b.BlockTypeAt(c.pos), c.type);
    if (c.type != 0) {
      EXPECT_EQ(b.InBlockOfType(c.pos, c.len, c.type), c.inside);
    }
  }
  const RecordLayout& people = LayoutOf(RecordKind::Individual);
  EXPECT_EQ(b.TypeMapBlocks(kBlockIndividuals), 1);
  EXPECT_EQ(b.RecordCapacity(kBlockIndividuals, people.perBlock), people.perBlock);
  // A block the type map shows beyond the end of the file addresses nothing.
  MemoryFile cut(Bytes(family.begin(), family.end() - kBlockSize));
  Session short_(cut, true);
  ASSERT_EQ(short_.engine->Open(false), 1);
  const int lastType = family[kBlocksOffset + (family.size() - kBlocksOffset) / kBlockSize - 1];
  const RecordLayout* last = LayoutOfBlockType(lastType);
  ASSERT_NE(last, nullptr) << "the last block holds records";
  EXPECT_LT(short_.engine->Blocks().RecordCapacity(lastType, last->perBlock),
            b.RecordCapacity(lastType, last->perBlock));
}

// ---- the damage met in the field -------------------------------------------

class DamagedFileTest : public ::testing::Test {
 protected:
  DamagedFileTest() : family(SmallFamily()) {}

  // Opens the bytes of file; with an answer queued for the first box.
  int Open(MemoryFile& file, bool readOnly = false) {
    session = std::make_unique<Session>(file, readOnly);
    return session->engine->Open(false);
  }
  ORV3& E() { return *session->engine; }
  std::int32_t LiveByNumberWalk(RecordKind kind) {
    std::int32_t n = 0;
    for (std::int32_t r = E().Trees().WalkByNumber(kind, 0, db::kWalkNextOrSame); r != 0;
         r = E().Trees().WalkByNumber(kind, r, db::kWalkNext))
      ++n;
    return n;
  }

  const Bytes& family;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  std::unique_ptr<Session> session;
};

// One bit raises a highest number: 3 marriages read as 1,073,741,827. The
// header is held to the blocks, the user is asked once, and the number walk
// finds the three marriages there are.
TEST_F(DamagedFileTest, HighestMarriageRaisedByOneBitIsHeldToTheBlocks) {
  Bytes damaged = family;
  ASSERT_EQ(I32At(damaged, kHeadHighestMarriage), 3);
  damaged[kHeadHighestMarriage + 3] ^= 0x40;
  MemoryFile file(damaged);
  ASSERT_EQ(Open(file), 1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].caption, kDamagedCaption);
  EXPECT_EQ(boxes.Calls()[0].text, res::LoadString(res::kIdsHeldCountsText));
  EXPECT_EQ(boxes.Calls()[0].flags & plat::kMbOkCancel, plat::kMbOkCancel);
  const std::int32_t held = E().Records().Highest(RecordKind::Marriage);
  EXPECT_GE(held, 3);
  EXPECT_LE(held, LayoutOf(RecordKind::Marriage).perBlock);
  EXPECT_EQ(LiveByNumberWalk(RecordKind::Marriage), 3);
  EXPECT_EQ(LiveByNumberWalk(RecordKind::Individual), 8);
  // The user went on: the held header is written with the first edit.
  EXPECT_EQ(file.Bytes(), damaged);
  ASSERT_EQ(E().Notes().SetNotes(2, "Edited.", 0, false, db::kIndividual), 1);
  EXPECT_EQ(I32At(file.Bytes(), kHeadHighestMarriage), held);
}

// Damage that opening mends in memory, one case each: nothing reaches the
// file before the user says yes, nor while nothing is edited; an edit grows
// the file by a group of blocks at most; each message is shown once.
TEST_F(DamagedFileTest, MendsAtOpenWaitForConsentAndAnEdit) {
  const std::size_t typeMap = kBlocksOffset;
  const std::size_t dbMap = kBlocksOffset + kBlockSize;
  const std::int32_t names = I32At(family, kHeadNameCount);
  const std::int32_t nameNext = I32At(family, kHeadNameNext);
  ASSERT_GT(names, 2);
  const auto positionOf = [&](int type) {
    for (std::size_t k = 1; k < kGroupPositions; ++k)
      if (family[typeMap + k] == type) return k;
    ADD_FAILURE() << "no block of type " << type;
    return std::size_t{0};
  };
  const std::size_t individualExt = positionOf(kBlockIndividualExt);
  const std::size_t sourceExt = positionOf(kBlockSourceExt);
  struct Case {
    const char* name;
    std::function<void(Bytes&)> apply;
  };
  const Case cases[] = {
      {"used positions lowered", [](Bytes& b) { SetI32(b, kHeadUsedPositions, 2); }},
      {"name count lowered", [&](Bytes& b) { SetI32(b, kHeadNameCount, names - 2); }},
      {"name store's next entry lowered",
       [&](Bytes& b) {
         SetI32(b, kHeadNameCount, names - 1);
         SetI32(b, kHeadNameNext, nameNext - 12);
       }},
      {"name store's block end cleared", [](Bytes& b) { SetI32(b, kHeadNameBlockEnd, 0); }},
      {"highest source lowered", [](Bytes& b) { SetI32(b, kHeadHighestSource, 1); }},
      {"DBMap cells below the mirror",
       [&](Bytes& b) {
         SetI16(b, dbMap + DBMap::CountOffset(0, kBlockIndividuals), 0);
         SetI16(b, dbMap + DBMap::CountOffset(0, kBlockNotes), 0);
       }},
      {"DBMap location -1", [](Bytes& b) { SetI32(b, kHeadDBMapBlock, -1); }},
      {"DBMap type byte changed", [&](Bytes& b) { b[typeMap + 1] ^= 0x04; }},
      {"format version bit", [](Bytes& b) { b[kHeadFormatVersion] ^= 0x01; }},
      {"free position typed as a names block", [&](Bytes& b) { b[typeMap + 2816] ^= 0x01; }},
      {"individual-ext block typed as individuals",
       [&](Bytes& b) { b[typeMap + individualExt] = kBlockIndividuals; }},
      {"source-ext block typed as notes", [&](Bytes& b) { b[typeMap + sourceExt] = kBlockNotes; }},
      {"highest marriage bit and used positions lowered",
       [](Bytes& b) {
         b[kHeadHighestMarriage + 3] ^= 0x40;
         SetI32(b, kHeadUsedPositions, 2);
       }},
  };
  for (const Case& c : cases)
    for (const int answer : {plat::kIdOk, plat::kIdCancel}) {
      SCOPED_TRACE(std::string(c.name) + (answer == plat::kIdOk ? " / OK" : " / Cancel"));
      Bytes damaged = family;
      c.apply(damaged);
      ASSERT_NE(damaged, family);
      MemoryFile file(damaged);
      boxes.Clear();
      boxes.QueueAnswer(answer);
      const int opened = Open(file);
      EXPECT_EQ(file.Bytes(), damaged) << "written at open";
      std::map<std::string, int> told;
      for (const auto& call : boxes.Calls()) ++told[call.text];
      for (const auto& [text, times] : told) EXPECT_EQ(times, 1) << text;
      if (opened != 1) {
        EXPECT_EQ(opened, -1);
        continue;
      }
      EXPECT_GT(workout::ReadWhole(E()), 0);
      session.reset();
      EXPECT_EQ(file.Bytes(), damaged) << "written with nothing edited";
      boxes.Clear();
      ASSERT_EQ(Open(file), 1);
      for (int step = 0; step < 4; ++step) {
        const long long size = file.Size();
        workout::EditOnce(E(), step);
        EXPECT_LE(file.Size() - size, kGroupBytes) << "edit " << step;
      }
      EXPECT_LE(file.Size() - static_cast<long long>(damaged.size()), 8 * kBlockSize);
      session.reset();
      boxes.Clear();
      ASSERT_EQ(Open(file), 1);
      EXPECT_GT(workout::ReadWhole(E()), 20) << "after the edits";
    }
}

// A block whose type byte names another kind that has no count of its own
// in the header (the extension records) is found by the DBMap counting more
// blocks of its kind than the type map shows, and told once at open.
TEST_F(DamagedFileTest, BlockRetypedToAnotherKindIsToldAtOpen) {
  for (const int kind : {kBlockIndividualExt, kBlockSourceExt})
    for (const int as : {kBlockIndividuals, kBlockNotes, kBlockNames}) {
      SCOPED_TRACE(std::to_string(kind) + " as " + std::to_string(as));
      Bytes damaged = family;
      int retyped = 0;
      for (std::size_t k = 1; k < kGroupPositions && !retyped; ++k)
        if (damaged[kBlocksOffset + k] == kind) {
          damaged[kBlocksOffset + k] = static_cast<std::uint8_t>(as);
          retyped = 1;
        }
      ASSERT_EQ(retyped, 1);
      MemoryFile file(damaged);
      boxes.Clear();
      ASSERT_EQ(Open(file), 1);
      ASSERT_EQ(boxes.Calls().size(), 1u);
      EXPECT_EQ(boxes.Calls()[0].caption, kDamagedCaption);
      EXPECT_NE(boxes.Calls()[0].text.find(res::LoadString(res::kIdsBlockKindsWhat)),
                std::string::npos);
      EXPECT_GT(workout::ReadWhole(E()), 0);
      session.reset();
      EXPECT_EQ(file.Bytes(), damaged);
    }
  // The sound family says nothing.
  MemoryFile sound(family);
  boxes.Clear();
  ASSERT_EQ(Open(sound), 1);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(DamagedFileTest, CancelLeavesTheDamagedFileAsItWas) {
  Bytes damaged = family;
  damaged[kHeadHighestMarriage + 3] ^= 0x40;
  MemoryFile file(damaged);
  boxes.QueueAnswer(plat::kIdCancel);
  EXPECT_EQ(Open(file), -1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(file.Bytes(), damaged);
}

// A read-only file is told about, never written.
TEST_F(DamagedFileTest, ReadOnlyFileIsHeldInMemoryOnly) {
  Bytes damaged = family;
  SetI32(damaged, kHeadHighestIndividual, kMax32);
  SetI32(damaged, kHeadHighestNote, 1 << 30);
  MemoryFile file(damaged);
  ASSERT_EQ(Open(file, true), 1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text,
            res::FormatString(res::kIdsDamagedText, {res::LoadString(res::kIdsHeldCountsWhat)}));
  EXPECT_EQ(boxes.Calls()[0].flags & plat::kMbOkCancel, 0u);
  EXPECT_EQ(workout::ReadWhole(E()), 25);
  EXPECT_EQ(file.Bytes(), damaged);
}

// The highest individual and note numbers, the block count and the name
// count at the 32-bit maximum: the name index, the note reads and the next
// additions are sized by what the file holds and count on without overflow.
TEST_F(DamagedFileTest, CountsAtTheLargestNumberAreHeldAndAddsCountOn) {
  const int fields[] = {kHeadHighestIndividual, kHeadHighestNote, kHeadIndividualBlocks,
                        kHeadNameCount};
  for (int field : fields) {
    SCOPED_TRACE(field);
    Bytes damaged = family;
    SetI32(damaged, field, kMax32);
    MemoryFile file(damaged);
    boxes.Clear();
    ASSERT_EQ(Open(file), 1);
    EXPECT_EQ(DamageBoxes(boxes), 1);
    EXPECT_LT(E().Blocks().Head().I32(field), 1 << 20);
    EXPECT_EQ(E().Trees().TreeInOrder(RecordKind::Individual).size(), 8u);
    std::string note;
    EXPECT_EQ(E().Notes().GetNotesText(5, false, db::kIndividual, note), 1);
    EXPECT_EQ(note, "A short note.");
    CIndividualRecord person;
    person.surname = "Elm";
    const std::int32_t added = E().Calls().AddRecord(db::kIndividual, false, &person);
    EXPECT_GT(added, 8);
    EXPECT_EQ(E().Notes().SetNotes(added, "Note of the new one.", 0, false, db::kIndividual), 1);
    EXPECT_LE(static_cast<long long>(file.Bytes().size()),
              static_cast<long long>(damaged.size()) + 4 * kBlockSize);
  }
}

// The group's block counts and its type map disagree: reading grows
// nothing, and a short note grows the file by a block at most.
TEST_F(DamagedFileTest, DBMapCountsAgainstTheTypeMapGrowNothingOnRead) {
  Bytes damaged = family;
  const std::size_t dbMap = kBlocksOffset + kBlockSize;
  for (int t : {kBlockSources, kBlockSourceExt, kBlockNotes, kBlockIndividualExt})
    SetI16(damaged, dbMap + DBMap::CountOffset(0, t), 0);
  MemoryFile file(damaged);
  ASSERT_EQ(Open(file), 1);
  const Bytes opened = file.Bytes();
  std::vector<CSourceRecord> sources;
  E().Calls().O3_GetRecord(0, db::kSourceList, &sources);
  CIndividualRecord person;
  E().Calls().ReadIndividualRecord(1, person, 10);
  EXPECT_EQ(file.Bytes(), opened);
  E().Notes().SetNotes(2, "One short note.", 0, false, db::kIndividual);
  EXPECT_LE(file.Size() - static_cast<long long>(opened.size()), kBlockSize);
}

// A link of the name store's tree pointing into the DBMap: the next add
// follows it no further, writes nothing there and reports the damage once.
TEST_F(DamagedFileTest, StringTreeLinkIntoTheBlockMapIsNeverWrittenThrough) {
  Bytes damaged = family;
  const std::int32_t root = I32At(damaged, kHeadNameRoot);
  ASSERT_GT(root, kBlocksOffset);
  const std::size_t dbMap = kBlocksOffset + kBlockSize;
  SetI32(damaged, static_cast<std::size_t>(root) + kEntryGreater,
         static_cast<std::int32_t>(dbMap + 40));
  SetI32(damaged, static_cast<std::size_t>(root) + kEntryLesser,
         static_cast<std::int32_t>(dbMap + 40));
  MemoryFile file(damaged);
  ASSERT_EQ(Open(file), 1);
  ASSERT_TRUE(boxes.Calls().empty());
  const Bytes mapBefore(file.Bytes().begin() + dbMap, file.Bytes().begin() + dbMap + kBlockSize);
  EXPECT_EQ(E().Strings().FindOrAddString("Zebedee", 0), 0);
  EXPECT_EQ(E().Strings().FindOrAddString("Aaron", 0), 0);
  const Bytes mapAfter(file.Bytes().begin() + dbMap, file.Bytes().begin() + dbMap + kBlockSize);
  EXPECT_EQ(mapAfter, mapBefore);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].caption, kDamagedCaption);
  EXPECT_EQ(boxes.Calls()[0].text,
            res::FormatString(res::kIdsDamagedText, {res::LoadString(res::kIdsLinkOutsideText)}));
  // A note edit after it stays a note edit.
  const long long size = file.Size();
  EXPECT_EQ(E().Notes().SetNotes(1, "Shorter.", 0, false, db::kIndividual), 1);
  EXPECT_LE(file.Size() - size, kBlockSize);
}

// A file cut inside group 0's first block, its header zeroed but the magic
// kept, is refused before anything is written.
TEST_F(DamagedFileTest, CutFileWithZeroedHeaderIsRefusedUnwritten) {
  Bytes damaged(family.begin(), family.begin() + kBlocksOffset + kBlockSize / 2);
  std::fill(damaged.begin() + 4, damaged.begin() + kHeaderSize, 0);
  MemoryFile file(damaged);
  EXPECT_EQ(Open(file), -1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Problem with first Block");
  EXPECT_EQ(file.Bytes(), damaged);
}

// A larger family cut at a block boundary: every family, citation chain and
// write that meets the cut says so once, not once per individual.
TEST_F(DamagedFileTest, CutFamilyTellsEachKindOfDamageOnce) {
  MemoryFile whole;
  {
    Session s(whole);
    ASSERT_EQ(s.engine->Create("family.orv"), 1);
    ASSERT_TRUE(workout::BuildSmallFamily(*s.engine));
    for (int f = 0; f < 150; ++f) {
      std::int32_t rins[3];
      for (int i = 0; i < 3; ++i) {
        CIndividualRecord person;
        person.surname = "Family" + std::to_string(f);
        person.givenNames[0] = i == 2 ? "Child" : i == 0 ? "Father" : "Mother";
        rins[i] = s.engine->Calls().AddRecord(db::kIndividual, false, &person);
        ASSERT_GT(rins[i], 0);
        ASSERT_GT(s.engine->Owners().NewCitation(false, 1, rins[i], db::kOwnerIndividual), 0);
      }
      CMarriageRecord m;
      m.husband = rins[0];
      m.wife = rins[1];
      const std::int32_t mr = s.engine->Calls().AddRecord(db::kMarriage, false, &m);
      ASSERT_GT(mr, 0);
      ASSERT_GT(s.engine->Families().DLLSETORV3RELATION(rins[2], 0, db::kRelParents, mr), 0);
    }
  }
  // The first block of family links and of citations lost (zeroed), and the
  // file cut at a block boundary.
  Bytes lost = whole.Bytes();
  for (const int type : {kBlockFamilyLinks, kBlockCitations}) {
    int k = 1;
    while (k < kGroupPositions && lost[kBlocksOffset + k] != type) ++k;
    ASSERT_LT(k, kGroupPositions);
    std::fill_n(lost.begin() + BlockOffset(0, k), kBlockSize, 0);
  }
  const std::size_t blocks = (whole.Bytes().size() - kBlocksOffset) / kBlockSize;
  const Bytes cut(whole.Bytes().begin(),
                  whole.Bytes().begin() + kBlocksOffset + (blocks - 2) * kBlockSize);
  for (const Bytes& damaged : {lost, cut}) {
    MemoryFile file(damaged);
    boxes.Clear();
    ASSERT_EQ(Open(file), 1);
    workout::ReadWhole(E());
    for (int step = 0; step < 4; ++step) workout::EditOnce(E(), step);
    EXPECT_LE(boxes.Calls().size(), 6u);
    std::map<std::string, int> told;
    for (const auto& call : boxes.Calls()) ++told[call.text];
    for (const auto& [text, times] : told) EXPECT_EQ(times, 1) << text;
  }
}

// A note of a megabyte reaches the disk with one flush.
TEST_F(DamagedFileTest, MegabyteNoteIsFlushedOnce) {
  CountingFile file(family);
  ASSERT_EQ(Open(file), 1);
  std::string text;
  while (text.size() < (1 << 20)) text += "A line of a very long note, again and again.\r\n";
  file.flushes = 0;
  ASSERT_EQ(E().Notes().SetNotes(3, text, 0, false, db::kIndividual), 1);
  EXPECT_EQ(file.flushes, 1);
  std::string back;
  ASSERT_EQ(E().Notes().GetNotesText(3, false, db::kIndividual, back), 1);
  EXPECT_EQ(back, text);
}

}  // namespace
