// Fixed-size records: field offsets and widths, byte-exact round trips of
// every type, location by number, the per-type read and write rules, the live
// and owner tests and the read levels.
#include <filesystem>
#include <map>
#include <random>

#include "Clock.h"
#include "DbCodes.h"
#include "EngineFixture.h"
#include "StringIds.h"
#include "StringTable.h"

using namespace orv;

namespace {

// Collects offset and stored width of every field a record lists.
struct FieldCollector {
  std::map<int, int>* fields;
  void Add(int off, int width) const { (*fields)[off] = width; }
  void operator()(int off, const std::int32_t&) const { Add(off, 4); }
  void operator()(int off, const std::int16_t&) const { Add(off, 2); }
  void operator()(int off, const std::uint8_t&) const { Add(off, 1); }
  template <std::size_t N>
  void operator()(int off, const std::array<std::uint8_t, N>&) const {
    Add(off, static_cast<int>(N));
  }
  void operator()(int off, const PackedDate&) const { Add(off, 6); }
  void operator()(int off, const PackedEvent&) const { Add(off, 38); }
  void operator()(int off, const PackedOrdinance&) const { Add(off, 18); }
};

template <class Rec>
std::map<int, int> FieldsOf() {
  std::map<int, int> fields;
  const Rec rec;
  Rec::Map(rec, FieldCollector{&fields});
  return fields;
}

std::map<int, int> Int32sFrom(int start, int count, std::map<int, int> more = {}) {
  for (int i = 0; i < count; ++i) more[start + 4 * i] = 4;
  return more;
}

}  // namespace

TEST(RecordFields, EveryRecordListsItsFieldsAtTheStoredOffsetsAndWidths) {
  EXPECT_EQ(
      FieldsOf<IndividualRec>(),
      Int32sFrom(1, 5, {{0, 1},   {22, 38}, {60, 38}, {98, 38}, {136, 38}, {174, 18}, {196, 18},
                        {218, 4}, {222, 4}, {226, 4}, {234, 4}, {242, 4},  {246, 4},  {250, 4},
                        {254, 4}, {258, 4}, {262, 4}, {266, 4}, {270, 11}, {281, 13}}));
  EXPECT_EQ(FieldsOf<IndividualExtRec>(),
            Int32sFrom(0, 11, Int32sFrom(52, 5, {{72, 1}, {73, 1}, {74, 1}})));
  EXPECT_EQ(FieldsOf<MarriageRec>(),
            Int32sFrom(1, 4, Int32sFrom(77, 5, {{0, 1}, {17, 38}, {55, 18}, {106, 4}})));
  EXPECT_EQ(FieldsOf<FamilyLinkRec>(), Int32sFrom(1, 4, {{0, 1}, {17, 18}, {35, 4}}));
  EXPECT_EQ(FieldsOf<NoteBlockRec>(), Int32sFrom(0, 3, {{12, 244}}));
  EXPECT_EQ(FieldsOf<CitationRec>(), Int32sFrom(103, 6, {{0, 1}, {1, 4}, {5, 92}, {97, 6}}));
  EXPECT_EQ(FieldsOf<SourceRec>(),
            Int32sFrom(459, 5, {{0, 1}, {1, 122}, {123, 122}, {245, 122}, {367, 92}}));
  EXPECT_EQ(FieldsOf<SourceExtRec>(),
            Int32sFrom(0, 5, {{20, 1}, {21, 1}, {22, 1}, {23, 1}, {24, 1}, {25, 1}}));
  EXPECT_EQ(
      FieldsOf<RepositoryRec>(),
      Int32sFrom(287, 3, {{0, 1}, {1, 91}, {92, 42}, {134, 42}, {176, 42}, {218, 42}, {260, 27}}));
  EXPECT_EQ(FieldsOf<UserEventRec>(),
            Int32sFrom(0, 3, {{12, 1}, {13, 4}, {17, 4}, {21, 38}, {59, 6}, {65, 1}, {66, 18}}));
  EXPECT_EQ(FieldsOf<EventTypeRec>(),
            Int32sFrom(0, 6, {{24, 10}, {34, 3}, {37, 7}, {44, 1}, {45, 1}, {46, 1}, {47, 1}}));
  EXPECT_EQ(FieldsOf<ContactRec>(), Int32sFrom(0, 11, {{44, 1}}));
  EXPECT_EQ(FieldsOf<MultimediaRec>(), Int32sFrom(0, 7,
                                                  {{28, 1},
                                                   {29, 1},
                                                   {30, 1},
                                                   {32, 2},
                                                   {34, 2},
                                                   {36, 2},
                                                   {38, 2},
                                                   {40, 2},
                                                   {42, 2},
                                                   {44, 2}}));
}

TEST(RecordFields, NestedFormsAreLittleEndianAtTheirInnerOffsetsAndNewRecordsZeroTheRest) {
  IndividualRec person;
  person.sex = 'F';
  person.birth.place[2] = 0x01020304;
  person.birth.firstCitation = 7;
  person.birth.secondValue = -2;
  person.burial.date.bytes = {1, 2, 3, 4, 5, 6};
  person.baptism.templeCode = 11;
  person.baptism.firstCitation = 9;
  person.endowment.secondValue = 12;
  SetFieldText(person.sbn, "1234567890123456");
  std::uint8_t buf[IndividualRec::kSize];
  std::memset(buf, 0xEE, sizeof buf);
  person.Encode(buf);
  EXPECT_EQ(buf[0], 'F');
  EXPECT_EQ(buf[22 + 6 + 8], 0x04);
  EXPECT_EQ(buf[22 + 6 + 11], 0x01);
  EXPECT_EQ(GetI32(buf + 22 + 26), 7);
  EXPECT_EQ(GetI32(buf + 22 + 30), -2);
  EXPECT_EQ(buf[136], 1);
  EXPECT_EQ(buf[141], 6);
  EXPECT_EQ(GetI32(buf + 174 + 6), 11);
  EXPECT_EQ(GetI32(buf + 174 + 10), 9);
  EXPECT_EQ(GetI32(buf + 196 + 14), 12);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(buf + 281)), "123456789012");
  for (int off : {21, 192, 193, 194, 195, 214, 217, 230, 233, 238, 241, 294, 297})
    EXPECT_EQ(buf[off], 0) << off;
}

TEST(RecordFields, PackedDateBitFields) {
  PackedDate d;
  // year 1845 (bits 3-15), BC, flag A; month 7 with flag B; day 21;
  // qualifier 3 and second day 22; dual-year part 6
  const int word = (1845 << 3) | 4 | 2;
  d.bytes = {static_cast<std::uint8_t>(word),          static_cast<std::uint8_t>(word >> 8),
             static_cast<std::uint8_t>((7 << 3) | 4),  static_cast<std::uint8_t>(21 << 3),
             static_cast<std::uint8_t>((22 << 3) | 3), 6};
  EXPECT_FALSE(d.TextOnly());
  EXPECT_TRUE(d.FlagA());
  EXPECT_TRUE(d.Bc());
  EXPECT_EQ(d.Year(), 1845);
  EXPECT_TRUE(d.FlagB());
  EXPECT_EQ(d.Month(), 7);
  EXPECT_EQ(d.Day(), 21);
  EXPECT_EQ(d.Qualifier(), 3);
  EXPECT_EQ(d.SecondDay(), 22);
  EXPECT_EQ(d.DualYear(), 6);
  // A text-only date keeps its year bits; bytes 2-5 are the text reference.
  const int textWord = (8191 << 3) | 1;
  d.bytes = {static_cast<std::uint8_t>(textWord),
             static_cast<std::uint8_t>(textWord >> 8),
             0x10,
             0x20,
             0x30,
             0x00};
  EXPECT_TRUE(d.TextOnly());
  EXPECT_EQ(d.Year(), 8191);
  EXPECT_EQ(d.TextRef(), 0x302010);
}

template <class Rec>
class RecordRoundTrip : public EngineTest {};
using AllRecords =
    ::testing::Types<IndividualRec, IndividualExtRec, MarriageRec, NoteBlockRec, FamilyLinkRec,
                     CitationRec, SourceRec, SourceExtRec, RepositoryRec, UserEventRec,
                     EventTypeRec, ContactRec, MultimediaRec>;
TYPED_TEST_SUITE(RecordRoundTrip, AllRecords);

TYPED_TEST(RecordRoundTrip, EveryStoredByteSurvivesReadAndWrite) {
  using Rec = TypeParam;
  ORV3& engine = *this->engine;
  const RecordLayout& l = LayoutOf(Rec::kKind);
  const std::int32_t r = l.perBlock + 2;  // slot 1 of the type's second block
  ASSERT_EQ(engine.Blocks().EnsureRecordBlocks(r + 1, l.blockType, l.perBlock), 1);
  EXPECT_EQ(engine.Blocks().Map().Count(0, l.blockType), 2);
  EXPECT_EQ(engine.Records().LocateRecord(Rec::kKind, r), BlockOffset(0, 3) + l.size);
  EXPECT_EQ(engine.Records().LocateRecord(Rec::kKind, 2 * l.perBlock + 1), -1);

  std::mt19937 random(static_cast<unsigned>(l.blockType));
  std::vector<std::uint8_t> stored(l.size);
  for (auto& b : stored) b = static_cast<std::uint8_t>(random() | 1);  // no zero field
  ASSERT_EQ(engine.Records().WriteRaw(Rec::kKind, r, stored.data()), 1);
  EXPECT_EQ(this->FileBytes(BlockOffset(0, 3) + l.size, l.size), stored);

  Rec rec;
  ASSERT_EQ(engine.Records().Read(r, rec), 1);
  ASSERT_EQ(engine.Records().Write(r + 1, rec), 1);
  std::vector<std::uint8_t> back(l.size);
  ASSERT_EQ(engine.Records().ReadRaw(Rec::kKind, r + 1, back.data()), 1);
  EXPECT_EQ(back, stored);
  // The neighbours were not touched.
  ASSERT_EQ(engine.Records().ReadRaw(Rec::kKind, r + 2, back.data()), 1);
  EXPECT_EQ(back, std::vector<std::uint8_t>(l.size, 0));
  EXPECT_TRUE(this->boxes.Calls().empty());
}

TEST_F(EngineTest, NumbersOutsideTheAllocatedBlocksReadZerosQuietly) {
  std::vector<std::uint8_t> buf(298, 0xAA);
  for (std::int32_t r : {0, -1, -100000, 1}) {
    std::fill(buf.begin(), buf.end(), 0xAA);
    EXPECT_EQ(engine->Records().ReadRaw(RecordKind::Individual, r, buf.data()), 0) << r;
    EXPECT_EQ(buf, std::vector<std::uint8_t>(298, 0)) << r;
    EXPECT_EQ(engine->Records().WriteRaw(RecordKind::Individual, r, buf.data()), 0) << r;
  }
  ASSERT_EQ(engine->Blocks().EnsureRecordBlocks(1, kBlockIndividuals, 27), 1);
  EXPECT_EQ(engine->Records().ReadRaw(RecordKind::Individual, 27, buf.data()), 1);
  EXPECT_EQ(engine->Records().ReadRaw(RecordKind::Individual, 28, buf.data()), 0);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(EngineTest, ShortReadAndFailedWriteAreReported) {
  ASSERT_EQ(engine->Blocks().EnsureRecordBlocks(1, kBlockMarriages, 74), 1);
  std::vector<std::uint8_t> buf(110, 0);
  std::filesystem::resize_file(path, BlockOffset(0, 2) + 50);
  EXPECT_EQ(engine->Records().ReadRaw(RecordKind::Marriage, 1, buf.data()), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "File Read Failed\n\n" + res::LoadString(res::kIdsWhatToDoNext));
  EXPECT_EQ(boxes.Calls()[0].caption, "Korvane");

  boxes.Clear();
  host->file.Close();
  ASSERT_EQ(host->file.Open(path, plat::FileHandle::Access::ReadOnly), 0);
  EXPECT_EQ(engine->Records().WriteRaw(RecordKind::Marriage, 1, buf.data()), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Write Error\n\n" + res::LoadString(res::kIdsWhatToDoNext));
}

TEST_F(EngineTest, ReadOnlyDatabaseSkipsEveryWriteAndAllocatesNothing) {
  ASSERT_EQ(engine->Blocks().EnsureRecordBlocks(1, kBlockMarriages, 74), 1);
  host->readOnly = true;
  std::vector<std::uint8_t> buf(110, 'x');
  EXPECT_EQ(engine->Records().WriteRaw(RecordKind::Marriage, 1, buf.data()), 1);
  EXPECT_EQ(FileBytes(BlockOffset(0, 2), 110), std::vector<std::uint8_t>(110, 0));
  const auto size = host->file.Size();
  EXPECT_EQ(engine->Blocks().AllocateBlock(kBlockMarriages), -1);
  EXPECT_EQ(host->file.Size(), size);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(EngineTest, IndividualWithoutCreationStampGetsOneAndIsWrittenBack) {
  const std::int32_t rin = engine->Records().NewRecord(RecordKind::Individual, false);
  const std::int32_t rin2 = engine->Records().NewRecord(RecordKind::Individual, false);
  IndividualRec person;
  person.sex = 'M';
  person.updated = 1234;
  ASSERT_EQ(engine->Records().Write(rin, person), 1);
  IndividualRec read;
  ASSERT_EQ(engine->Records().Read(rin, read), 1);
  EXPECT_EQ(read.created, 1234);
  EXPECT_EQ(FileI32(engine->Records().LocateRecord(RecordKind::Individual, rin) + 254), 1234);

  plat::SetFixedTime(987654);
  ASSERT_EQ(engine->Records().Read(rin2, read), 1);
  plat::SetFixedTime(0);
  EXPECT_EQ(read.created, 987654);
  EXPECT_EQ(FileI32(engine->Records().LocateRecord(RecordKind::Individual, rin2) + 254), 987654);
}

TEST_F(EngineTest, FamilyLinkWithEmptyRingsIsWrittenAsARingOfOne) {
  const std::int32_t link = engine->Records().NewRecord(RecordKind::FamilyLink, false);
  FamilyLinkRec rec;
  rec.relation = 'b';
  rec.marriage = 3;
  rec.child = 4;
  ASSERT_EQ(engine->Records().Write(link, rec), 1);
  FamilyLinkRec read;
  ASSERT_EQ(engine->Records().Read(link, read), 1);
  EXPECT_EQ(read.nextInMarriage, link);
  EXPECT_EQ(read.nextInChild, link);
  rec.nextInMarriage = 9;
  ASSERT_EQ(engine->Records().Write(link, rec), 1);
  ASSERT_EQ(engine->Records().Read(link, read), 1);
  EXPECT_EQ(read.nextInMarriage, 9);
  EXPECT_EQ(read.nextInChild, link);
}

TEST_F(EngineTest, ExtensionReadsAllocateMissingBlocksAndFollowTheIndividualsStamp) {
  IndividualRec person;
  const std::int32_t rin =
      engine->Records().NewRecord(RecordKind::Individual, false,
                                  [](std::int32_t, std::uint8_t* rec) { PutI32(rec + 254, 77); });
  ASSERT_EQ(engine->Blocks().Map().Count(0, kBlockIndividualExt), 0);
  IndividualExtRec ext;
  ASSERT_EQ(engine->Records().Read(rin, ext), 1);
  EXPECT_EQ(engine->Blocks().Map().Count(0, kBlockIndividualExt), 1);
  EXPECT_EQ(ext.stamp, 77);  // an extension of another stamp is cleared to this one
  ext.firstUserEvent = 5;
  ASSERT_EQ(engine->Records().Write(rin, ext), 1);
  ASSERT_EQ(engine->Records().Read(rin, ext), 1);
  EXPECT_EQ(ext.firstUserEvent, 5);
  // The individual's number now belongs to someone else: the old extension goes.
  ASSERT_EQ(engine->Records().Read(rin, person), 1);
  person.created = 78;
  ASSERT_EQ(engine->Records().Write(rin, person), 1);
  ASSERT_EQ(engine->Records().Read(rin, ext), 1);
  EXPECT_EQ(ext.stamp, 78);
  EXPECT_EQ(ext.firstUserEvent, 0);
  // Beyond the highest individual nothing is allocated.
  ASSERT_EQ(engine->Records().Read(500, ext), 0);
  EXPECT_EQ(engine->Blocks().Map().Count(0, kBlockIndividualExt), 1);

  const std::int32_t source = engine->Records().NewRecord(RecordKind::Source, false);
  SourceExtRec sext;
  ASSERT_EQ(engine->Records().Read(source, sext), 1);
  EXPECT_EQ(engine->Blocks().Map().Count(0, kBlockSourceExt), 1);
  ExpectCountsAgreeWithTypeMaps();
}

TEST_F(EngineTest, LiveTestFollowsEachTypesDeletedMark) {
  const RecordKind kinds[] = {RecordKind::Individual, RecordKind::Marriage,  RecordKind::FamilyLink,
                              RecordKind::Citation,   RecordKind::Source,    RecordKind::Repository,
                              RecordKind::UserEvent,  RecordKind::EventType, RecordKind::Contact,
                              RecordKind::Multimedia};
  for (RecordKind kind : kinds) {
    const RecordLayout& l = LayoutOf(kind);
    const std::int32_t live =
        engine->Records().NewRecord(kind, false, [&](std::int32_t, std::uint8_t* rec) {
          PutI32(rec, 1);  // a non-zero owner, title or contact owner
          PutI32(rec + 8, 1);
          rec[29] = 1;
        });
    const std::int32_t gone = engine->Records().NewRecord(kind, false);
    std::vector<std::uint8_t> rec(l.size);
    MakeDeletedRecord(kind, rec.data(), 0);
    ASSERT_EQ(engine->Records().WriteRaw(kind, gone, rec.data()), 1);
    EXPECT_EQ(engine->Records().IsLive(kind, live), 1) << l.name;
    EXPECT_EQ(engine->Records().IsLive(kind, gone, rec.data()), -1) << l.name;
    EXPECT_TRUE(IsDeletedRecord(kind, rec.data())) << l.name;
    EXPECT_EQ(engine->Records().IsLive(kind, 0), 0) << l.name;
    EXPECT_EQ(engine->Records().IsLive(kind, gone + 1), 0) << l.name;
  }
  const std::int32_t note = engine->Notes().NewNoteBlock(false, 1);
  EXPECT_EQ(engine->Records().IsLive(RecordKind::NoteBlock, note), 1);
  EXPECT_EQ(engine->Records().IsLive(RecordKind::NoteBlock, note + 1), 0);

  struct Owner {
    char letter;
    std::int32_t number;
    int expected;
  } owners[] = {{db::kOwnerBaptism, 1, 1},
                {db::kOwnerEndowment, 1, 1},
                {db::kOwnerIndividual, 1, 1},
                {db::kOwnerSealingToParents, 1, 1},
                {db::kOwnerBurial, 1, 1},
                {db::kOwnerIndividual, 2, 0},
                {db::kOwnerMarriageEvent, 1, 1},
                {db::kOwnerMarriage, 2, 0},
                {db::kOwnerSealingToSpouse, 1, 1},
                {db::kOwnerIndividualUserEvent, 1, 1},
                {db::kOwnerMarriageUserEvent, 2, 0},
                {db::kOwnerFamilyLink, 1, 1},
                // letters that name no owner
                {'F', 1, 0},
                {'X', 1, 0},
                {db::kOwnerIndividual, 0, 0}};
  for (const auto& o : owners)
    EXPECT_EQ(engine->Records().IsOwnerLive(o.number, o.letter), o.expected)
        << o.letter << o.number;
}

TEST(RecordReadLevels, HigherLevelsFillMore) {
  struct Case {
    int level;
    bool names, firstPlaces, laterPlaces, ordinances, counts, parents;
  } cases[] = {
      {0, false, false, false, false, false, false}, {1, false, false, false, false, false, false},
      {2, false, false, false, false, false, true},  {3, true, false, false, false, false, false},
      {4, true, false, false, false, false, true},   {5, true, true, false, false, false, true},
      {6, true, true, true, false, false, true},     {7, true, true, true, true, false, true},
      {10, true, true, true, true, true, true},      {11, true, true, true, true, false, true},
  };
  for (const auto& c : cases) {
    const IndividualReadPlan p = PlanForLevel(c.level);
    EXPECT_EQ(p.names, c.names) << c.level;
    EXPECT_EQ(p.birthChristeningPlaces, c.firstPlaces) << c.level;
    EXPECT_EQ(p.deathBurialPlaces, c.laterPlaces) << c.level;
    EXPECT_EQ(p.fullOrdinances, c.ordinances) << c.level;
    EXPECT_EQ(p.relationCounts, c.counts) << c.level;
    EXPECT_EQ(p.parentsFromLink, c.parents) << c.level;
  }
}
