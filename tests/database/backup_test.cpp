// Backup and restore: the LZW block coder against a plain model of its
// rules, the stream and volume layout, restores of families built through
// the database calls (byte for byte, also over several volumes), the volume
// prompts, and damaged or cut backups that must leave the old family file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "Backup.h"
#include "Clock.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "StorageMedium.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::time_t kStamp = 1000000000;  // the backup's time stamp in these tests

// The coder's rules written plainly: a dictionary of strings, codes 1-256
// for the single bytes, new codes from 257, the width of the code written
// when code n is assigned 9 bits up to 512, 10 up to 1024, 11 up to 2048,
// then 12; after code 4094 the string so far is written and all starts
// again.
Bytes ModelCompress(const Bytes& in) {
  std::vector<std::pair<unsigned, int>> codes;  // code and width
  std::size_t i = 0;
  while (i < in.size()) {
    std::map<std::string, unsigned> dict;
    for (int b = 0; b < 256; ++b) dict[std::string(1, static_cast<char>(b))] = b + 1u;
    unsigned next = 257;
    int width = 9;
    std::string current(1, static_cast<char>(in[i++]));
    bool full = false;
    while (i < in.size() && !full) {
      std::string longer = current + static_cast<char>(in[i++]);
      if (dict.count(longer)) {
        current = longer;
        continue;
      }
      dict[longer] = next;
      codes.emplace_back(dict[current], width);
      if (next == 512 || next == 1024 || next == 2048) ++width;
      ++next;
      current = longer.substr(longer.size() - 1);
      full = next > 4094;
    }
    codes.emplace_back(dict[current], width);
  }
  std::size_t bits = 0;
  for (const auto& c : codes) bits += static_cast<std::size_t>(c.second);
  Bytes out(bits / 8 + 1, 0);
  std::size_t at = 0;
  for (const auto& [code, width] : codes)
    for (int b = width - 1; b >= 0; --b, ++at)
      if (code >> b & 1u) out[at / 8] |= static_cast<std::uint8_t>(0x80u >> (at % 8));
  return out;
}

Bytes Compress(const Bytes& in) {
  Bytes out(in.size() * 2 + 16);
  const std::size_t n = backup::LzwCompressBlock(in.data(), in.size(), out.data(), out.size());
  out.resize(n);
  return out;
}

Bytes Expand(const Bytes& in, std::size_t capacity) {
  Bytes out(capacity);
  const long n = backup::LzwExpandBlock(in.data(), in.size(), out.data(), out.size());
  if (n < 0) return {0xDE, 0xAD};
  out.resize(static_cast<std::size_t>(n));
  return out;
}

Bytes RandomBytes(std::size_t n, unsigned seed, int alphabet = 256) {
  std::mt19937 gen(seed);
  Bytes out(n);
  for (auto& b : out) b = static_cast<std::uint8_t>(gen() % static_cast<unsigned>(alphabet));
  return out;
}

Bytes TextBytes(std::size_t n) {
  const std::string words = "the family of John Smith lived in the county of Kent; ";
  Bytes out;
  while (out.size() < n) out.insert(out.end(), words.begin(), words.end());
  out.resize(n);
  return out;
}

// Codes read back most significant bit first with the given widths.
std::vector<unsigned> ReadCodes(const Bytes& in, const std::vector<int>& widths) {
  std::vector<unsigned> codes;
  std::size_t at = 0;
  for (const int w : widths) {
    unsigned code = 0;
    for (int b = 0; b < w; ++b, ++at) code = code << 1 | (in[at / 8] >> (7 - at % 8) & 1u);
    codes.push_back(code);
  }
  return codes;
}

std::uint32_t U32(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint8_t>(bytes[at + 2]) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 3])) << 24;
}

}  // namespace

// ---- the block coder ----------------------------------------------------------

TEST(LzwBlock, MatchesThePlainModelAndExpandsBack) {
  struct Case {
    const char* name;
    Bytes input;
  };
  const Case cases[] = {
      {"one byte", {0x41}},
      {"two bytes", {0x00, 0xFF}},
      {"text block", TextBytes(2048)},
      {"random block", RandomBytes(2048, 7)},
      {"small alphabet", RandomBytes(2048, 3, 4)},
      {"short last block", RandomBytes(1000, 11)},
      {"zeros", Bytes(2048, 0)},
      // Long enough for the dictionary to fill and start again.
      {"random past a full dictionary", RandomBytes(9000, 5)},
      {"text past a full dictionary", TextBytes(60000)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes packed = Compress(c.input);
    ASSERT_FALSE(packed.empty());
    EXPECT_EQ(packed, ModelCompress(c.input));
    EXPECT_EQ(Expand(packed, c.input.size()), c.input);
  }
}

TEST(LzwBlock, RepeatedByteGivesGrowingRunCodesAndAZeroByteOnABoundary) {
  // 2048 bytes 'A': 'A' (66), then codes 257 .. 318 for runs of 2 to 63,
  // then the run of the last 32 (code 287); 64 codes of 9 bits end on a byte
  // boundary, so one zero byte follows.
  const Bytes input(2048, 'A');
  const Bytes packed = Compress(input);
  ASSERT_EQ(packed.size(), 64u * 9 / 8 + 1);
  EXPECT_EQ(packed.back(), 0);
  std::vector<unsigned> expected = {66};
  for (unsigned c = 257; c <= 318; ++c) expected.push_back(c);
  expected.push_back(287);
  EXPECT_EQ(ReadCodes(packed, std::vector<int>(64, 9)), expected);
  EXPECT_EQ(Expand(packed, 2048), input);
}

TEST(LzwBlock, CodeWidthsGrowAtTheAssignedCodes) {
  // Distinct pairs only: every byte after the first assigns a code, so the
  // code written when code n is assigned is the n-257th, and its width
  // follows n.
  Bytes input;
  for (int a = 0; a < 64 && input.size() < 2047; ++a)
    for (int b = 0; b < 64 && input.size() < 2047; ++b) {
      input.push_back(static_cast<std::uint8_t>(a));
      input.push_back(static_cast<std::uint8_t>(b + 64));
    }
  const Bytes packed = Compress(input);
  std::vector<int> widths;
  for (std::size_t n = 257; n < 257 + input.size() - 1; ++n)
    widths.push_back(n <= 512 ? 9 : n <= 1024 ? 10 : n <= 2048 ? 11 : 12);
  widths.push_back(widths.back());
  const std::vector<unsigned> codes = ReadCodes(packed, widths);
  for (std::size_t i = 0; i < input.size(); ++i) ASSERT_EQ(codes[i], input[i] + 1u) << i;
  std::size_t bits = 0;
  for (int w : widths) bits += static_cast<std::size_t>(w);
  EXPECT_EQ(packed.size(), bits / 8 + 1);
}

TEST(LzwBlock, DamagedBlocksAreRefusedNotExpandedPastTheirBounds) {
  const Bytes good = Compress(TextBytes(2048));
  struct Case {
    const char* name;
    Bytes block;
    std::size_t capacity;
  };
  Bytes zeroFirst = good;
  zeroFirst[0] = 0;
  zeroFirst[1] &= 0x7F;                          // first code 0
  Bytes aheadOfNext = {0x20, 0x9F, 0xF8, 0x00};  // 'A' (65+1), then 511 before 257 exists
  Bytes firstAboveByte = {0xFF, 0x80, 0x00};     // a first code of 511
  const Case cases[] = {
      {"first code 0", zeroFirst, 2048},
      {"code above the next free one", aheadOfNext, 2048},
      {"first code that is no byte", firstAboveByte, 2048},
      {"output past the block", good, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes out(c.capacity + 64, 0xEE);
    EXPECT_EQ(backup::LzwExpandBlock(c.block.data(), c.block.size(), out.data(), c.capacity), -1);
    for (std::size_t i = c.capacity; i < out.size(); ++i) ASSERT_EQ(out[i], 0xEE) << i;
  }
}

TEST(BackupVolumeName, CountsInTheLastTwoCharacters) {
  const std::pair<std::string, std::string> cases[] = {
      {"/d/smith.bak", "/d/smith.b00"}, {"/d/smith.b00", "/d/smith.b01"},
      {"/d/smith.b08", "/d/smith.b09"}, {"/d/smith.b09", "/d/smith.b10"},
      {"/d/smith.b19", "/d/smith.b20"}, {"/d/SMITH.BAK", "/d/SMITH.B00"},
  };
  for (const auto& [from, to] : cases) {
    std::string name = from;
    backup::NextBackupVolumeName(name);
    EXPECT_EQ(name, to) << from;
  }
}

// ---- backup and restore of files -------------------------------------------------

class BackupFileTest : public ::testing::Test {
 protected:
  void SetUp() override { plat::SetFixedTime(kStamp); }
  void TearDown() override {
    if (CurrentDatabase->IsOpen()) DbCloseCurrent();
    plat::SetFixedTime(0);
  }

  // A family file built through the calls with people named in turn, some
  // with notes; closed again.
  std::string BuildFamily(const std::string& name, int people) {
    const std::string path = dir.File(name);
    EXPECT_EQ(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_EQ(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);
    std::int32_t previous = 0;
    for (int i = 0; i < people; ++i) {
      CIndividualRecord person;
      person.surname = "Surname" + std::to_string(i % 97);
      person.givenNames[0] = "Given" + std::to_string(i);
      person.sex = i % 2 ? 'F' : 'M';
      const std::int32_t rin = DbAddRecord(db::kIndividual, 0, &person);
      EXPECT_GT(rin, 0);
      if (i % 5 == 0) {
        EXPECT_GT(DbSetNotes(rin, "Note of person " + std::to_string(i), 0, 0, db::kIndividual), 0);
      }
      if (i % 2 == 1) {
        EXPECT_GT(DbSetRelation(previous, rin, db::kRelHusband, 0), 0);
      }
      previous = rin;
    }
    DbCloseCurrent();
    return path;
  }

  // The stream a backup wrote: the volumes joined without their stamps.
  std::string JoinedStream(const std::string& first) {
    std::string joined;
    std::string name = first;
    while (std::filesystem::exists(name)) {
      const std::string volume = ReadAll(name);
      EXPECT_GE(volume.size(), 4u);
      EXPECT_EQ(U32(volume, 0), static_cast<std::uint32_t>(kStamp)) << name;
      joined += volume.substr(4);
      backup::NextBackupVolumeName(name);
    }
    return joined;
  }

  std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
};

TEST_F(BackupFileTest, AnEmptyFamilyFileGivesAnEightByteStreamInATwelveByteVolume) {
  const std::string family = dir.File("empty.orv");
  WriteAll(family, std::string());
  const std::string bak = dir.File("empty.bak");
  ASSERT_EQ(backup::CompressToBackup(family, bak), backup::kBackupOk);
  const std::string volume = ReadAll(bak);
  ASSERT_EQ(volume.size(), 12u);
  EXPECT_EQ(U32(volume, 0), static_cast<std::uint32_t>(kStamp));
  EXPECT_EQ(U32(volume, 4), 0u);
  EXPECT_EQ(U32(volume, 8), 8u);

  WriteAll(family, "old contents");
  ASSERT_EQ(backup::RestoreFromBackup(bak, family), backup::kRestoreOk);
  EXPECT_EQ(ReadAll(family), "");
}

TEST_F(BackupFileTest, TheStreamHoldsLengthsAndOneCodedRecordPerBlock) {
  const std::string family = BuildFamily("smith.orv", 30);
  const std::string original = ReadAll(family);
  const std::string bak = dir.File("smith.bak");
  ASSERT_EQ(backup::CompressToBackup(family, bak), backup::kBackupOk);
  const std::string stream = JoinedStream(bak);
  EXPECT_EQ(U32(stream, 0), original.size());
  EXPECT_EQ(U32(stream, 4), stream.size());
  std::size_t at = 8, blocks = 0;
  while (at < stream.size()) {
    const std::size_t length =
        static_cast<std::uint8_t>(stream[at]) | static_cast<std::uint8_t>(stream[at + 1]) << 8;
    const std::size_t from = blocks * 2048;
    const Bytes block(original.begin() + static_cast<long>(from),
                      original.begin() + static_cast<long>(std::min(from + 2048, original.size())));
    EXPECT_EQ(Bytes(stream.begin() + static_cast<long>(at + 2),
                    stream.begin() + static_cast<long>(at + 2 + length)),
              ModelCompress(block))
        << "block " << blocks;
    at += 2 + length;
    ++blocks;
  }
  EXPECT_EQ(at, stream.size());
  EXPECT_EQ(blocks, (original.size() + 2047) / 2048);
}

TEST_F(BackupFileTest, RestoreGivesBackEveryFamilyByteForByte) {
  struct Case {
    const char* name;
    int people;
    std::uint64_t volumeRoom;  // 0: a fixed medium
  };
  const Case cases[] = {
      {"new", 0, 0},
      {"small", 12, 0},
      {"larger", 200, 0},
      {"several volumes", 200, 4000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    plat::FakeStorageMedium medium;
    medium.removable = c.volumeRoom != 0;
    medium.freeBytes = c.volumeRoom;
    plat::ScopedStorageMedium scopedMedium(&medium);
    const std::string base =
        std::string("f") + std::to_string(c.people) + (c.volumeRoom ? "v" : "");
    const std::string family = BuildFamily(base + ".orv", c.people);
    const std::string original = ReadAll(family);
    const std::string bak = dir.File(base + ".bak");
    ASSERT_EQ(backup::CompressToBackup(family, bak), backup::kBackupOk);
    if (c.volumeRoom) {
      EXPECT_TRUE(std::filesystem::exists(dir.File(base + ".b00")));
      EXPECT_TRUE(std::filesystem::exists(dir.File(base + ".b01")));
    }
    // Restored over an existing file and to a new one.
    WriteAll(family, "something else");
    ASSERT_EQ(backup::RestoreFromBackup(bak, family), backup::kRestoreOk);
    EXPECT_TRUE(ReadAll(family) == original);
    const std::string fresh = dir.File(base + "-copy.orv");
    ASSERT_EQ(backup::RestoreFromBackup(bak, fresh), backup::kRestoreOk);
    EXPECT_TRUE(ReadAll(fresh) == original);
  }
}

TEST_F(BackupFileTest, FilesOfAnyLengthComeBackWholeAcrossManyReads) {
  // Lengths around the reads of many blocks at once and a short last block.
  for (const std::size_t length :
       {std::size_t{2049}, std::size_t{65536}, std::size_t{65537}, std::size_t{3 * 65536 + 100}}) {
    SCOPED_TRACE(length);
    const Bytes text = TextBytes(length), noise = RandomBytes(length, 13, 16);
    std::string original(length, '\0');
    // Runs of text and of noise, so that blocks compress unevenly.
    for (std::size_t i = 0; i < length; ++i)
      original[i] = static_cast<char>((i / 5000) % 2 ? noise[i] : text[i]);
    const std::string family = dir.File("raw.orv"), bak = dir.File("raw.bak");
    WriteAll(family, original);
    ASSERT_EQ(backup::CompressToBackup(family, bak), backup::kBackupOk);
    const std::string stream = JoinedStream(bak);
    EXPECT_EQ(U32(stream, 0), length);
    const std::string restored = dir.File("back.orv");
    ASSERT_EQ(backup::RestoreFromBackup(bak, restored), backup::kRestoreOk);
    EXPECT_TRUE(ReadAll(restored) == original);
  }
}

TEST_F(BackupFileTest, AFullMediumAsksForTheNextVolumesAndTheRestContinuesThere) {
  plat::FakeStorageMedium medium;
  medium.freeBytes = 5000;
  plat::ScopedStorageMedium scopedMedium(&medium);
  const std::string family = BuildFamily("jones.orv", 200);
  const std::string bak = dir.File("jones.bak");
  ASSERT_EQ(backup::CompressToBackup(family, bak), backup::kBackupOk);

  // The same backup on one fixed medium, for comparison.
  const std::string single = dir.File("single.bak");
  {
    plat::ScopedStorageMedium fixed(nullptr);
    ASSERT_EQ(backup::CompressToBackup(family, single), backup::kBackupOk);
  }
  const std::string stream = ReadAll(single).substr(4);
  EXPECT_TRUE(JoinedStream(bak) == stream);

  const std::size_t volumes = (stream.size() + 4995) / 4996;
  ASSERT_GE(volumes, 3u);
  ASSERT_EQ(boxes.Calls().size(), volumes - 1);
  for (std::size_t i = 0; i + 1 < volumes; ++i)
    EXPECT_EQ(boxes.Calls()[i].text,
              "Backup disk is full.  Remove it and insert disk " + std::to_string(i + 2) + ".");
  std::string name = bak;
  for (std::size_t i = 0; i < volumes; ++i) {
    EXPECT_LE(ReadAll(name).size(), 5000u) << name;
    if (i + 1 < volumes) {
      EXPECT_EQ(ReadAll(name).size(), 5000u) << name;
    }
    backup::NextBackupVolumeName(name);
  }
  EXPECT_FALSE(std::filesystem::exists(name));
  EXPECT_EQ(std::filesystem::path(dir.File("jones.b00")).filename(), "jones.b00");
}

TEST_F(BackupFileTest, CancelAtTheVolumePromptOrInTheLoopEndsTheBackup) {
  plat::FakeStorageMedium medium;
  medium.freeBytes = 3000;
  plat::ScopedStorageMedium scopedMedium(&medium);
  const std::string family = BuildFamily("brown.orv", 200);
  boxes.QueueAnswer(plat::kIdCancel);
  EXPECT_EQ(backup::CompressToBackup(family, dir.File("brown.bak")), backup::kBackupCancelled);

  medium.removable = false;
  progress.cancelAfter = 1;
  EXPECT_EQ(backup::CompressToBackup(family, dir.File("brown2.bak")), backup::kBackupCancelled);
  EXPECT_EQ(backup::BackupResultText(backup::kBackupCancelled),
            "Backup cancelled before completion");
}

TEST_F(BackupFileTest, AFirstVolumeWithoutRoomForTheStampIsAFullFirstDisk) {
  plat::FakeStorageMedium medium;
  medium.freeBytes = 3;
  plat::ScopedStorageMedium scopedMedium(&medium);
  const std::string family = BuildFamily("green.orv", 2);
  EXPECT_EQ(backup::CompressToBackup(family, dir.File("green.bak")), backup::kBackupFirstDiskFull);
}

// A volume whose bytes the system cannot flush to the medium (a device that
// takes writes but cannot sync, such as /dev/null) fails the backup, whether
// it is the last volume or a full one the backup goes on from.
TEST_F(BackupFileTest, AVolumeThatCannotBeFlushedFailsTheBackup) {
  const std::string family = BuildFamily("white.orv", 200);
  const struct {
    const char* what;
    bool removable;
  } cases[] = {{"the last volume", false}, {"a full volume", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    plat::FakeStorageMedium medium;
    medium.removable = c.removable;
    medium.freeBytes = 3000;
    plat::ScopedStorageMedium scopedMedium(&medium);
    const std::string bak = dir.File(std::string("null-") + (c.removable ? "r" : "f") + ".bak");
    std::filesystem::create_symlink("/dev/null", bak);
    boxes.Clear();
    EXPECT_EQ(backup::BackupWithMessage(family, bak), backup::kBackupCannotCreate);
    ASSERT_FALSE(boxes.Calls().empty());
    EXPECT_EQ(boxes.Calls().back().text, "Backup failed: Can't create backup file");
    EXPECT_EQ(boxes.Calls().size(), 1u) << "no prompt for a next volume";
  }
}

TEST_F(BackupFileTest, NamesAreCheckedAndShownWithTheirMessages) {
  const std::string family = BuildFamily("Upper.ORV", 1);
  EXPECT_EQ(backup::CompressToBackup(family, dir.File("Upper.BAK")), backup::kBackupOk);
  EXPECT_EQ(backup::CompressToBackup(dir.File("x.txt"), dir.File("x.bak")), backup::kBackupNotOrv);
  EXPECT_EQ(backup::CompressToBackup(family, dir.File("x.zip")), backup::kBackupNotBak);
  EXPECT_EQ(backup::CompressToBackup(dir.File("missing.orv"), dir.File("m.bak")),
            backup::kBackupCannotOpenOrv);
  EXPECT_EQ(backup::RestoreFromBackup(dir.File("x.zip"), family), backup::kRestoreNotBak);
  EXPECT_EQ(backup::RestoreFromBackup(dir.File("Upper.BAK"), dir.File("x.txt")),
            backup::kRestoreNotOrv);
  EXPECT_EQ(backup::RestoreFromBackup(dir.File("missing.bak"), family), backup::kRestoreCannotOpen);

  boxes.Clear();
  EXPECT_EQ(backup::BackupWithMessage(family, dir.File("y.bak")), backup::kBackupOk);
  EXPECT_EQ(backup::RestoreWithMessage(dir.File("nothing.bak"), family),
            backup::kRestoreCannotOpen);
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(boxes.Calls()[0].text, "Backup complete.");
  EXPECT_EQ(boxes.Calls()[0].flags & plat::kMbIconMask, 0u);
  EXPECT_EQ(boxes.Calls()[1].text, "Restore failed: Can't open backup file");
  EXPECT_EQ(boxes.Calls()[1].flags & plat::kMbIconMask, plat::kMbIconExclamation);
}

// The user changes disks between the prompts: each prompt hands over the
// volume that the test lines up for it.
class DiskChanger : public plat::MessageBoxPort {
 public:
  int Show(const std::string& text, const std::string&, unsigned) override {
    prompts.push_back(text);
    if (!inserts.empty()) {
      const auto [path, contents] = inserts.front();
      inserts.erase(inserts.begin());
      WriteAll(path, contents);
    }
    return answer;
  }
  std::vector<std::string> prompts;
  std::vector<std::pair<std::string, std::string>> inserts;
  int answer = plat::kIdOk;
};

TEST_F(BackupFileTest, RestoreAsksForEachVolumeAndRefusesOneOfAnotherBackup) {
  const std::string family = BuildFamily("white.orv", 200);
  const std::string original = ReadAll(family);
  {
    plat::FakeStorageMedium medium;
    medium.freeBytes = 4000;
    plat::ScopedStorageMedium scopedMedium(&medium);
    ASSERT_EQ(backup::CompressToBackup(family, dir.File("white.bak")), backup::kBackupOk);
  }
  const std::string second = ReadAll(dir.File("white.b00"));
  int volumes = 1;
  for (std::string name = dir.File("white.bak"); std::filesystem::exists(name); ++volumes)
    backup::NextBackupVolumeName(name);
  --volumes;
  ASSERT_GE(volumes, 3);
  std::string foreign = second;
  foreign[0] = static_cast<char>(foreign[0] + 1);
  // First a disk of another backup, then the right one.
  WriteAll(dir.File("white.b00"), foreign);
  DiskChanger changer;
  changer.inserts = {{dir.File("white.b00"), foreign}, {dir.File("white.b00"), second}};
  plat::ScopedMessageBox scoped(&changer);
  WriteAll(family, "old");
  ASSERT_EQ(backup::RestoreFromBackup(dir.File("white.bak"), family), backup::kRestoreOk);
  EXPECT_TRUE(ReadAll(family) == original);
  std::vector<std::string> expected = {"Insert backup disk 2"};
  for (int disk = 2; disk <= volumes; ++disk)
    expected.push_back("Insert backup disk " + std::to_string(disk));
  EXPECT_EQ(changer.prompts, expected);
}

TEST_F(BackupFileTest, DamagedOrCutBackupsLeaveTheOldFamilyFile) {
  const std::string family = BuildFamily("black.orv", 60);
  const std::string bak = dir.File("black.bak");
  ASSERT_EQ(backup::CompressToBackup(family, bak), backup::kBackupOk);
  const std::string good = ReadAll(bak);
  const std::string old = "the family file before the restore";

  struct Case {
    const char* name;
    std::string volume;
    int answer;  // at a prompt for another disk
    int expected;
  };
  const auto withU32 = [&](std::size_t at, std::uint32_t v) {
    std::string s = good;
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
    return s;
  };
  std::string badCode = good;
  for (std::size_t i = 14; i < 40; ++i) badCode[i] = static_cast<char>(0xFF);
  std::string badLength = good;
  badLength[12] = static_cast<char>(0xFF);
  badLength[13] = static_cast<char>(0x7F);
  const Case cases[] = {
      {"cut short, no further disk", good.substr(0, good.size() - 100), plat::kIdCancel,
       backup::kRestoreCancelled},
      {"family length larger than the blocks give", withU32(4, U32(good, 4) + 2048), plat::kIdOk,
       backup::kRestoreCannotRead},
      {"family length smaller than the blocks give", withU32(4, U32(good, 4) - 4096), plat::kIdOk,
       backup::kRestoreCannotRead},
      {"stream length below its head", withU32(8, 4), plat::kIdOk, backup::kRestoreCannotRead},
      {"codes that cannot stand", badCode, plat::kIdOk, backup::kRestoreCannotRead},
      {"block length past the stream", badLength, plat::kIdOk, backup::kRestoreCannotRead},
      {"only a stamp", good.substr(0, 6), plat::kIdOk, backup::kRestoreCannotRead},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteAll(bak, c.volume);
    WriteAll(family, old);
    DiskChanger changer;
    changer.answer = c.answer;
    plat::ScopedMessageBox scoped(&changer);
    EXPECT_EQ(backup::RestoreFromBackup(bak, family), c.expected);
    EXPECT_EQ(ReadAll(family), old);
    const std::vector<std::string> left = {"black.bak", "black.orv"};
    EXPECT_EQ(FilesIn(dir.Path()), left);
  }
}

TEST_F(BackupFileTest, EachPassShowsItsTextAndRange) {
  const std::string family = BuildFamily("grey.orv", 20);
  const long long size = static_cast<long long>(ReadAll(family).size());
  ASSERT_EQ(backup::CompressToBackup(family, dir.File("grey.bak")), backup::kBackupOk);
  const long long stream = static_cast<long long>(ReadAll(dir.File("grey.bak")).size()) - 4;
  EXPECT_EQ(progress.titles, (std::vector<std::string>{"Backup", "Backup"}));
  EXPECT_EQ(progress.texts,
            (std::vector<std::string>{"Compressing file...", "Backing up compressed file..."}));
  EXPECT_EQ(progress.range, stream);
  EXPECT_EQ(progress.position, stream);
  EXPECT_EQ(progress.ends, 2);

  progress = plat::FakeProgress();
  ASSERT_EQ(backup::RestoreFromBackup(dir.File("grey.bak"), family), backup::kRestoreOk);
  EXPECT_EQ(progress.titles, (std::vector<std::string>{"Restore", "Restore"}));
  EXPECT_EQ(progress.texts,
            (std::vector<std::string>{"Reading compressed file...", "Uncompressing file..."}));
  EXPECT_EQ(progress.range, size);
  EXPECT_EQ(progress.position, size);
  EXPECT_EQ(progress.ends, 2);
}
