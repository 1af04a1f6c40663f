// Block allocation: ascending positions, the counts kept in the DBMap, mirror
// and header, the full group that opens the next one, message pumping, batch
// mode and the recovery of stale counters after a crash.
#include "EngineFixture.h"

using namespace orv;

TEST_F(EngineTest, BlocksTakeAscendingPositionsAndEveryCountAgrees) {
  const int types[] = {kBlockIndividuals, kBlockMarriages,     kBlockIndividuals, kBlockUserEvents,
                       kBlockNotes,       kBlockIndividualExt, kBlockContacts,    kBlockNames};
  int position = 2;
  for (int t : types) {
    EXPECT_EQ(engine->Blocks().AllocateBlock(t), BlockOffset(0, position)) << t;
    EXPECT_EQ(FileBytes(TypeByteOffset(position + 1), 1)[0], t);
    ++position;
  }
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadIndividualBlocks), 2);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadMarriageBlocks), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadUserEventBlocks), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadContactBlocks), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNameBlocks), 1);
  EXPECT_EQ(FileI32(kHeadIndividualBlocks), 2);  // the whole header was written
  EXPECT_EQ(FileI32(kHeadContactBlocks), 1);
  EXPECT_EQ(FileI32(kHeadUsedPositions), position);
  ExpectCountsAgreeWithTypeMaps();
  // Records of a type whose blocks are not adjacent are found in position order.
  EXPECT_EQ(engine->Records().LocateRecord(RecordKind::Individual, 27),
            BlockOffset(0, 2) + 26 * 298);
  EXPECT_EQ(engine->Records().LocateRecord(RecordKind::Individual, 28), BlockOffset(0, 4));
  ASSERT_EQ(Reopen(), 1);
  EXPECT_EQ(engine->Records().LocateRecord(RecordKind::Individual, 28), BlockOffset(0, 4));
  ExpectCountsAgreeWithTypeMaps();
}

TEST_F(EngineTest, BlockCountsOfUnknownTypesAreRefused) {
  EXPECT_EQ(engine->Blocks().IncrementFileBlockCount(16), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Unknown block type in IncrementFileBlockCount");
  EXPECT_EQ(engine->Blocks().AllocateBlock(0), -1);
  EXPECT_EQ(engine->Blocks().AllocateBlock(41), -1);
}

TEST_F(EngineTest, SetFileBlockCountSetsCountsHighestAndWritesTheirHeaderPart) {
  EXPECT_EQ(engine->Blocks().SetFileBlockCount(kBlockIndividuals, 3, true), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadIndividualBlocks), 3);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadHighestIndividual), 3 * 8192 / 298);
  EXPECT_EQ(FileI32(kHeadHighestIndividual), 3 * 8192 / 298);
  EXPECT_EQ(engine->Blocks().SetFileBlockCount(kBlockIndividuals, 5, true),
            1);  // highest already set
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadHighestIndividual), 3 * 8192 / 298);
  EXPECT_EQ(engine->Blocks().SetFileBlockCount(kBlockNotes, 2, true), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadHighestNote), 64);
  EXPECT_EQ(engine->Blocks().SetFileBlockCount(kBlockMultimedia, 2, false), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadHighestMultimedia), 0);
  EXPECT_EQ(FileI32(kHeadMultimediaBlocks), 2);  // the tail
  EXPECT_EQ(engine->Blocks().SetFileBlockCount(kBlockOtherNames, 1, true), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadOtherNameCount), 4096);
  EXPECT_EQ(engine->Blocks().SetFileBlockCount(1021, 40, false), 1);
  EXPECT_EQ(engine->Blocks().SetFileBlockCount(1022, 3, false), 1);
  EXPECT_EQ(FileI32(kHeadUsedPositions), 40);
  EXPECT_EQ(FileI32(kHeadGroups), 3);
  EXPECT_EQ(engine->Blocks().SetFileBlockCount(kBlockIndividualExt, 1, true), -1);
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(engine->Blocks().SetFileBlockCount(16, 1, true), -1);
  EXPECT_EQ(boxes.Calls().size(), 1u);
}

TEST_F(EngineTest, AllocationPumpsWaitingMessagesEvery512Passes) {
  // 1100 blocks of one type: 1101 passes through the allocation loop.
  ASSERT_EQ(engine->Blocks().EnsureRecordBlocks(1100 * 32, kBlockNotes, 32), 1);
  EXPECT_EQ(engine->Blocks().Map().Count(0, kBlockNotes), 1100);
  EXPECT_EQ(pump.pumps, 2);
  EXPECT_EQ(FileI32(kHeadUsedPositions), 1102);  // written once at the end
  EXPECT_EQ(FileI32(kHeadNoteBlocks), 1100);
}

TEST_F(EngineTest, FullGroupOpensTheNextAtPositionOne) {
  engine->Blocks().BeginBatch();
  ASSERT_GE(engine->Blocks().AllocateBlock(kBlockIndividuals), 0);  // position 2
  // Fill the group up to position 8190 with note blocks.
  ASSERT_EQ(engine->Blocks().EnsureRecordBlocks(8188 * 32, kBlockNotes, 32), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadUsedPositions), 8191);
  // Position 8191 still belongs to group 0.
  EXPECT_EQ(engine->Blocks().AllocateBlock(kBlockMarriages), BlockOffset(0, 8191));
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadUsedPositions), 8192);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadGroups), 1);
  // The last individual of group 0 sits in the last slot of its only block;
  // the next one needs a block, which opens group 1 although group 0 has
  // no further individual block.
  EXPECT_EQ(engine->Records().LocateRecord(RecordKind::Individual, 27),
            BlockOffset(0, 2) + 26 * 298);
  ASSERT_EQ(engine->Blocks().EnsureRecordBlocks(28, kBlockIndividuals, 27), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadGroups), 2);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadUsedPositions), 2);
  EXPECT_EQ(engine->Records().LocateRecord(RecordKind::Individual, 28), BlockOffset(1, 1));
  EXPECT_EQ(FileBytes(FirstBlockOffset(1), 2), (std::vector<std::uint8_t>{11, kBlockIndividuals}));
  ASSERT_TRUE(engine->Blocks().EndBatch());
  EXPECT_EQ(FileI32(kHeadGroups), 2);
  EXPECT_EQ(FileI32(kHeadUsedPositions), 2);
  ExpectCountsAgreeWithTypeMaps();
  ASSERT_EQ(Reopen(), 1);
  EXPECT_EQ(engine->Records().LocateRecord(RecordKind::Individual, 28), BlockOffset(1, 1));
  EXPECT_EQ(engine->Records().LocateRecord(RecordKind::Individual, 55), -1);
  ExpectCountsAgreeWithTypeMaps();
}

TEST_F(EngineTest, CrashInBatchModeLosesNoBlockToTheNextAllocation) {
  engine->Blocks().BeginBatch();
  std::vector<std::int32_t> rins;
  for (int i = 0; i < 60; ++i) {
    const std::int32_t rin = engine->Records().NewRecord(RecordKind::Individual, false,
                                                         [](std::int32_t r, std::uint8_t* rec) {
                                                           rec[0] = 'F';
                                                           PutI32(rec + 262, r * 7);
                                                         });
    ASSERT_EQ(rin, i + 1);
    rins.push_back(rin);
  }
  // The counter area never reached the disk: the crash happens here.
  ASSERT_EQ(FileI32(kHeadUsedPositions), 2);
  ASSERT_EQ(Reopen(), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadUsedPositions), 5);  // three individual blocks
  // The highest number itself was lost with the counter area; the next
  // blocks must still go after the existing ones.
  ASSERT_GE(engine->Blocks().AllocateBlock(kBlockMarriages), BlockOffset(0, 5));
  EXPECT_EQ(FileI32(kHeadUsedPositions), 6);
  ASSERT_EQ(engine->Blocks().EnsureRecordBlocks(27 * 4, kBlockIndividuals, 27), 1);
  for (std::int32_t rin : rins) {
    IndividualRec person;
    ASSERT_EQ(engine->Records().Read(rin, person), 1);
    EXPECT_EQ(person.sex, 'F');
    EXPECT_EQ(person.value262, rin * 7);
  }
  ExpectCountsAgreeWithTypeMaps();
}

TEST_F(EngineTest, CrashAfterABatchOpenedAGroupFindsThatGroupAtOpen) {
  engine->Blocks().BeginBatch();
  ASSERT_EQ(engine->Blocks().EnsureRecordBlocks(8190 * 32, kBlockNotes, 32), 1);
  ASSERT_EQ(engine->Blocks().EnsureRecordBlocks(27, kBlockIndividuals, 27), 1);
  ASSERT_EQ(engine->Blocks().Head().I32(kHeadGroups), 2);
  std::vector<std::uint8_t> rec(298, 0);
  rec[0] = 'M';
  ASSERT_EQ(engine->Records().WriteRaw(RecordKind::Individual, 5, rec.data()), 1);
  ASSERT_EQ(FileI32(kHeadGroups), 1);
  ASSERT_EQ(Reopen(), 1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadGroups), 2);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadUsedPositions), 2);
  ASSERT_GE(engine->Blocks().AllocateBlock(kBlockMarriages), 0);
  EXPECT_EQ(engine->Records().LocateRecord(RecordKind::Marriage, 1), BlockOffset(1, 2));
  std::vector<std::uint8_t> back(298);
  ASSERT_EQ(engine->Records().ReadRaw(RecordKind::Individual, 5, back.data()), 1);
  EXPECT_EQ(back, rec);
  ExpectCountsAgreeWithTypeMaps();
}

TEST_F(EngineTest, OutsideBatchModeNewRecordsKeepTheCountersOnDisk) {
  // User events keep their highest number in the header's tail; the used
  // positions live in the counter area and must reach the disk as well.
  ASSERT_EQ(engine->Records().NewRecord(RecordKind::UserEvent, false), 1);
  EXPECT_EQ(FileI32(kHeadUsedPositions), 3);
  EXPECT_EQ(FileI32(kHeadUserEventBlocks), 1);
  EXPECT_EQ(FileI32(kHeadHighestUserEvent), 1);
  // In batch mode they wait for its end.
  engine->Blocks().BeginBatch();
  ASSERT_EQ(engine->Records().NewRecord(RecordKind::Marriage, false), 1);
  EXPECT_EQ(FileI32(kHeadUsedPositions), 3);
  EXPECT_EQ(FileI32(kHeadHighestMarriage), 0);
  ASSERT_TRUE(engine->Blocks().EndBatch());
  EXPECT_EQ(FileI32(kHeadUsedPositions), 4);
  EXPECT_EQ(FileI32(kHeadHighestMarriage), 1);
}

TEST_F(EngineTest, StaleUsedPositionCountNeverHandsOutAUsedBlock) {
  ASSERT_GE(engine->Blocks().AllocateBlock(kBlockSources), 0);
  std::vector<std::uint8_t> rec(479, 'q');
  ASSERT_EQ(engine->Records().WriteRaw(RecordKind::Source, 1, rec.data()), 1);
  engine->Blocks().Head().SetI32(kHeadUsedPositions, 2);  // as if the count were lost
  EXPECT_EQ(engine->Blocks().AllocateBlock(kBlockMarriages), BlockOffset(0, 3));
  std::vector<std::uint8_t> back(479);
  ASSERT_EQ(engine->Records().ReadRaw(RecordKind::Source, 1, back.data()), 1);
  EXPECT_EQ(back, rec);
  ExpectCountsAgreeWithTypeMaps();
}
