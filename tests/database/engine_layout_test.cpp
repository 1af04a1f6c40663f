// File layout: a new file's bytes, offsets of blocks and type bytes, the group
// index, the DBMap and its mirror at open, and the open-time failures.
#include <filesystem>

#include "DbCodes.h"
#include "EngineFixture.h"

using namespace orv;

TEST_F(EngineTest, NewFileHasHeaderMirrorFirstBlockAndDBMap) {
  EXPECT_EQ(host->file.Size(), kBlocksOffset + 2 * kBlockSize);
  const auto head = FileBytes(0, kHeaderSize);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(head.data())), "ORV");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(head.data() + 4)), "300");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(head.data() + 8)), "400");
  EXPECT_EQ(GetI32(head.data() + 186), 2);
  EXPECT_EQ(GetI32(head.data() + 190), 1);
  EXPECT_EQ(GetI32(head.data() + 268), 1);
  EXPECT_EQ(head[272], 0);
  EXPECT_EQ(head[275], 'N');
  const std::vector<std::uint8_t> constants = {1,  30, 63, 112, 249, 79, 27, 31,
                                               31, 31, 59, 121, 63,  31, 31, 1};
  EXPECT_EQ(std::vector<std::uint8_t>(head.begin() + 280, head.begin() + 296), constants);
  EXPECT_EQ(GetI32(head.data() + 1138), 1);
  EXPECT_EQ(GetI16(head.data() + 1728), 10);
  EXPECT_EQ(GetI32(head.data() + 1736), 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(head.data() + 1664)), "Family");
  for (int off : {14, 26, 30, 42, 62, 74, 86, 102, 130, 1780, 1792, 1804, 1816})
    EXPECT_EQ(GetI32(head.data() + off), 0) << off;

  const auto gap = FileBytes(kHeaderSize, kBlocksOffset - kHeaderSize);
  EXPECT_EQ(gap, std::vector<std::uint8_t>(gap.size(), 0));  // unused bytes and mirror
  auto first = FileBytes(kBlocksOffset, kBlockSize);
  EXPECT_EQ(first[0], 11);
  EXPECT_EQ(first[1], 14);
  first[0] = first[1] = 0;
  EXPECT_EQ(first, std::vector<std::uint8_t>(kBlockSize, 0));
  auto map = FileBytes(12288, kBlockSize);
  EXPECT_EQ(GetI16(map.data() + 26), 1);
  map[26] = 0;
  EXPECT_EQ(map, std::vector<std::uint8_t>(kBlockSize, 0));
  ExpectCountsAgreeWithTypeMaps();
}

TEST(EngineCreate, TitleAndOptionBytesComeFromPathAndOptions) {
  struct Case {
    std::string name, title;
  } cases[] = {
      {"smith.orv", "Smith"},
      {"McDonald.orv", "McDonald"},
      {"my.family.orv", "My.family"},
      {std::string(70, 'a') + ".orv", "A" + std::string(62, 'a')},
  };
  TempDir dir;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scoped(&boxes);
  for (const auto& c : cases) {
    EngineHost host;
    const std::string path = dir.File(c.name);
    ASSERT_EQ(host.file.Create(path), 0);
    ORV3 engine(&host);
    NewFileOptions options;
    options.verifyNew = false;
    options.showZel = true;
    options.capSurname = true;
    ASSERT_EQ(engine.Create(path, options), 1);
    EXPECT_EQ(engine.Blocks().Head().Text(kHeadTitle, 64), c.title);
    EXPECT_EQ(engine.Blocks().Head().Byte(kHeadVerifyOff), 1);
    EXPECT_EQ(engine.Blocks().Head().Byte(kHeadShowZel), 1);
    EXPECT_EQ(engine.Blocks().Head().Byte(kHeadCapSurname), 1);
  }
}

TEST(FileLayoutOffsets, BlocksAndTypeBytesFollowTheGroupArithmetic) {
  EXPECT_EQ(BlockOffset(0, 1), 12288);
  EXPECT_EQ(BlockOffset(1, 0), 67108864 + 4096);
  EXPECT_EQ(BlockOffset(3, 5), 3LL * 67108864 + 5 * 8192 + 4096);
  EXPECT_EQ(BlockOffset(101, 8191), 101LL * 67108864 + 8191LL * 8192 + 4096);
  for (std::int32_t b : {1, 2, 8192, 8193, 8194, 3 * 8192 + 17, 102 * 8192}) {
    const int g = (b - 1) / 8192, k = (b - 1) % 8192;
    EXPECT_EQ(TypeByteOffset(b), FirstBlockOffset(g) + k) << b;
    EXPECT_EQ(BlockNumberOffset(b), BlockOffset(g, k)) << b;
  }
}

TEST(GroupIndexBuild, ListsEachTypeInPositionOrderAndIgnoresOtherBytes) {
  std::vector<std::uint8_t> first(kBlockSize, 0);
  first[0] = 11;
  first[1] = 14;
  first[2] = 2;
  first[3] = 3;
  first[4] = 2;
  first[5] = 200;  // not a block type: ignored
  first[6] = 40;
  first[9] = 2;
  first[8191] = 3;
  GroupIndex index;
  index.Build(first.data());
  EXPECT_EQ(index.TypeCount(2), 3);
  EXPECT_EQ(index.Position(2, 0), 2);
  EXPECT_EQ(index.Position(2, 1), 4);
  EXPECT_EQ(index.Position(2, 2), 9);
  EXPECT_EQ(index.Position(2, 3), -1);
  EXPECT_EQ(index.Position(3, 1), 8191);
  EXPECT_EQ(index.Position(40, 0), 6);
  EXPECT_EQ(index.Position(14, 0), 1);
  EXPECT_EQ(index.Position(1, 0), -1);
  // The stored form: type t's list starts at entry t - 1.
  const auto& e = index.Entries();
  EXPECT_EQ(e[0], 40);
  EXPECT_EQ(e[1], 40);
  EXPECT_EQ(e[e[1] + 2], 9);
  EXPECT_EQ(index.UsedPositions(), 8192);
}

// Adding positions one by one, as allocation does, indexes the map exactly as
// building it from the written type bytes: at the end of a group, into a full
// one, below the last used position, and over a used one.
TEST(GroupIndexAdd, MatchesABuildOfTheWrittenMap) {
  std::vector<std::uint8_t> first(kBlockSize, 0);
  first[0] = 11;
  first[1] = 14;
  GroupIndex added;
  added.Build(first.data());
  const struct {
    int position;
    int type;
  } adds[] = {{2, 2},  {3, 40},    {4, 2},    {5, 1},   {6, 3},
              {7, 2},  {8190, 40}, {8191, 1}, {100, 2},  // below the last used position
              {4, 3},                                    // over a used position
              {200, 0}};                                 // not a block type
  for (const auto& a : adds) {
    added.Add(a.position, a.type);
    first[a.position] = static_cast<std::uint8_t>(a.type);
    GroupIndex built;
    built.Build(first.data());
    EXPECT_EQ(added.Entries(), built.Entries()) << a.position;
    EXPECT_EQ(added.UsedPositions(), built.UsedPositions()) << a.position;
    for (int t = 1; t <= kMapTypes; ++t)
      EXPECT_EQ(added.TypeCount(t), built.TypeCount(t)) << a.position << " type " << t;
  }
}

TEST_F(EngineTest, MirrorCountAboveDBMapRaisesItAtOpenButASmallerOneDoesNot) {
  ASSERT_GE(engine->Blocks().AllocateBlock(kBlockIndividuals), 0);
  ASSERT_GE(engine->Blocks().AllocateBlock(kBlockMarriages), 0);
  ASSERT_GE(engine->Blocks().AllocateBlock(kBlockMarriages), 0);
  // The DBMap write of the individuals' block was lost, the mirror's kept.
  PokeFile(12288 + DBMap::CountOffset(0, kBlockIndividuals), I16Bytes(0));
  PokeFile(DBMap::MirrorOffset(0, kBlockMarriages), I16Bytes(1));
  ASSERT_EQ(Reopen(), 1);
  EXPECT_EQ(engine->Blocks().Map().Count(0, kBlockIndividuals), 1);
  EXPECT_EQ(engine->Blocks().Map().Count(0, kBlockMarriages), 2);
  EXPECT_GT(engine->Records().LocateRecord(RecordKind::Individual, 27), 0);
  EXPECT_EQ(engine->Records().LocateRecord(RecordKind::Individual, 28), -1);
  EXPECT_TRUE(boxes.Calls().empty());
  // Opening writes nothing; the first edit writes the raised DBMap first,
  // with its mirror.
  EXPECT_EQ(FileI16(12288 + DBMap::CountOffset(0, kBlockIndividuals)), 0);
  EXPECT_EQ(FileI16(DBMap::MirrorOffset(0, kBlockMarriages)), 1);
  ASSERT_GE(engine->Blocks().AllocateBlock(kBlockNotes), 0);
  EXPECT_EQ(FileI16(12288 + DBMap::CountOffset(0, kBlockIndividuals)), 1);
  EXPECT_EQ(FileI16(12288 + DBMap::CountOffset(0, kBlockMarriages)), 2);
  EXPECT_EQ(FileI16(DBMap::MirrorOffset(0, kBlockMarriages)), 2);
}

// The header names a block of another type: the type map still shows where
// the DBMap is. It is used from there, the user is told, and the header is
// written back with the first edit; no block is added.
TEST_F(EngineTest, HeaderNamingABlockOfAnotherTypeFindsTheDBMapByTheTypeMap) {
  ASSERT_GE(engine->Blocks().AllocateBlock(kBlockIndividuals), 0);  // block 3
  ASSERT_GE(engine->Blocks().AllocateBlock(kBlockUserEvents), 0);   // block 4
  PokeFile(kHeadDBMapBlock, I32Bytes(3));
  ASSERT_EQ(Reopen(), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadDBMapBlock), 2);
  EXPECT_EQ(engine->Blocks().Map().Count(0, kBlockIndividuals), 1);
  EXPECT_EQ(engine->Blocks().Map().Count(0, kBlockUserEvents), 1);
  EXPECT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(FileI32(kHeadDBMapBlock), 3);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadUsedPositions), 4);
  ASSERT_EQ(engine->Blocks().AllocateBlock(kBlockNotes), BlockOffset(0, 4));
  EXPECT_EQ(FileI32(kHeadDBMapBlock), 2);
  EXPECT_EQ(FileI16(BlockNumberOffset(2) + DBMap::CountOffset(0, kBlockNotes)), 1);
  boxes.Clear();
  EXPECT_EQ(Reopen(), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadDBMapBlock), 2);
  EXPECT_TRUE(boxes.Calls().empty());
}

// No block is typed as the DBMap and the block the header names is not one:
// a fresh DBMap is made from the mirror.
TEST_F(EngineTest, NoDBMapAnywhereGetsAFreshOneFromTheMirror) {
  ASSERT_GE(engine->Blocks().AllocateBlock(kBlockIndividuals), 0);  // block 3
  ASSERT_GE(engine->Blocks().AllocateBlock(kBlockUserEvents), 0);   // block 4
  PokeFile(kHeadDBMapBlock, I32Bytes(3));
  PokeFile(TypeByteOffset(2), {0});
  ASSERT_EQ(Reopen(), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadDBMapBlock), 5);
  EXPECT_EQ(FileI32(kHeadDBMapBlock), 5);
  EXPECT_EQ(FileBytes(TypeByteOffset(5), 1)[0], kBlockDBMap);
  EXPECT_EQ(engine->Blocks().Map().Count(0, kBlockIndividuals), 1);
  EXPECT_EQ(engine->Blocks().Map().Count(0, kBlockUserEvents), 0);  // not mirrored: starts at 0
  EXPECT_EQ(engine->Blocks().Map().Count(0, kBlockDBMap), 1);
  EXPECT_EQ(FileI16(BlockNumberOffset(5) + DBMap::CountOffset(0, kBlockDBMap)), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadUsedPositions), 5);
  EXPECT_EQ(Reopen(), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadDBMapBlock), 5);
}

TEST_F(EngineTest, OpenRefusesWrongMagicShortHeaderAndBadFirstBlock) {
  PokeFile(0, {'O', 'R', 'X', 0});
  EXPECT_EQ(Reopen(), -1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "This is not a ORV file.");
  EXPECT_EQ(boxes.Calls()[0].caption, "Error Opening Database");

  boxes.Clear();
  PokeFile(0, {'O', 'R', 'V', 0});
  PokeFile(kBlocksOffset, {12});
  EXPECT_EQ(Reopen(), -1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Problem with first Block");
  EXPECT_EQ(boxes.Calls()[0].caption, "Korvane");

  boxes.Clear();
  engine.reset();
  host.reset();
  std::filesystem::resize_file(path, 100);
  EXPECT_EQ(Reopen(), -1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "FileHead File Read Error");
}

TEST_F(EngineTest, RecordCountsAnswerFromTheHeader) {
  engine->Blocks().Head().SetI32(kHeadHighestSource, 7);
  engine->Blocks().Head().SetI32(kHeadHighestMultimedia, 9);
  EXPECT_EQ(engine->Records().GetRecordCount(db::kSource), 7);
  EXPECT_EQ(engine->Records().GetRecordCount(db::kMultimedia), 9);
  EXPECT_EQ(engine->Records().GetRecordCount(db::kPreparer), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Bad type in ORV3::GetRecordCount");
  EXPECT_EQ(engine->Blocks().GetFormatVersion(), "400");
}
