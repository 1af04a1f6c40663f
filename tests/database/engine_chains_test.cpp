// New record numbers, delete chains, the free note-block list, damaged chain
// heads and what each delete clears around its record.
#include "DbCodes.h"
#include "EngineFixture.h"
#include "StringIds.h"
#include "StringTable.h"

using namespace orv;

namespace {

const RecordKind kChainKinds[] = {
    RecordKind::Individual, RecordKind::Marriage,   RecordKind::FamilyLink, RecordKind::Citation,
    RecordKind::Source,     RecordKind::Repository, RecordKind::UserEvent,  RecordKind::EventType,
    RecordKind::Contact,    RecordKind::Multimedia};

// Fills a new record so that it is live under its type's test.
void MakeLive(RecordKind kind, std::uint8_t* rec) {
  switch (kind) {
    case RecordKind::UserEvent:
      PutI32(rec + 8, 1);
      break;
    case RecordKind::EventType:
    case RecordKind::Contact:
      PutI32(rec, 1);
      break;
    case RecordKind::Multimedia:
      rec[29] = 1;
      break;
    default:
      break;
  }
}

}  // namespace

TEST_F(EngineTest, DeletedRecordsChainAndAreReusedOnlyWhenAsked) {
  for (RecordKind kind : kChainKinds) {
    const RecordLayout& l = LayoutOf(kind);
    auto live = [kind](std::int32_t, std::uint8_t* rec) { MakeLive(kind, rec); };
    if (kind == RecordKind::Citation) {
      engine->Records().NewRecord(RecordKind::Source, false);
    }
    const std::int32_t a = engine->Records().NewRecord(kind, false, live);
    const std::int32_t b = engine->Records().NewRecord(kind, false, live);
    ASSERT_EQ(b, a + 1) << l.name;
    ASSERT_EQ(engine->Deletes().DeleteRecord(kind, a), 1) << l.name;
    ASSERT_EQ(engine->Deletes().DeleteRecord(kind, b), 1) << l.name;
    EXPECT_EQ(engine->Deletes().DeleteRecord(kind, b), 1) << l.name;  // not live: done
    EXPECT_EQ(engine->Blocks().Head().I32(l.chainHeadField), b) << l.name;
    const auto part = l.headPart == HeadPart::Tail ? kHeadTailOffset : kHeadCountersOffset;
    EXPECT_EQ(FileI32(l.chainHeadField), b) << l.name << part;

    // A deleted record is zero but for its link and mark.
    std::vector<std::uint8_t> rec(l.size), expected(l.size);
    ASSERT_EQ(engine->Records().ReadRaw(kind, b, rec.data()), 1);
    MakeDeletedRecord(kind, expected.data(), a);
    EXPECT_EQ(rec, expected) << l.name;
    EXPECT_EQ(engine->Records().IsLive(kind, b), -1) << l.name;

    // Without reuse: highest + 1, chain untouched.
    EXPECT_EQ(engine->Records().NewRecord(kind, false, live), b + 1) << l.name;
    EXPECT_EQ(engine->Blocks().Head().I32(l.chainHeadField), b) << l.name;
    // With reuse: the chain in reverse order of deleting, then the end.
    EXPECT_EQ(engine->Records().NewRecord(kind, true, live), b) << l.name;
    EXPECT_EQ(engine->Records().NewRecord(kind, true, live), a) << l.name;
    EXPECT_EQ(engine->Blocks().Head().I32(l.chainHeadField), 0) << l.name;
    EXPECT_EQ(engine->Records().NewRecord(kind, true, live), b + 2) << l.name;
    EXPECT_EQ(engine->Records().Highest(kind), b + 2) << l.name;
  }
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(EngineTest, NewRecordsStartWithTheirLiveMarksAndTreeChildrenOnThemselves) {
  std::vector<std::uint8_t> rec(479);
  const std::int32_t rin = engine->Records().NewRecord(RecordKind::Individual, false);
  engine->Records().ReadRaw(RecordKind::Individual, rin, rec.data());
  EXPECT_EQ(rec[0], 'U');
  EXPECT_EQ(GetI32(rec.data() + 242), rin);
  EXPECT_EQ(GetI32(rec.data() + 246), rin);
  EXPECT_EQ(GetI32(rec.data() + 250), 0);
  engine->Records().NewRecord(RecordKind::Source, false);
  const std::int32_t source = engine->Records().NewRecord(RecordKind::Source, false);
  engine->Records().ReadRaw(RecordKind::Source, source, rec.data());
  EXPECT_EQ(rec[0], 'N');
  EXPECT_EQ(GetI32(rec.data() + 463), 2);
  EXPECT_EQ(GetI32(rec.data() + 467), 2);
  const std::int32_t repo = engine->Records().NewRecord(RecordKind::Repository, false);
  engine->Records().ReadRaw(RecordKind::Repository, repo, rec.data());
  EXPECT_EQ(GetI32(rec.data() + 287), repo);
  EXPECT_EQ(GetI32(rec.data() + 291), repo);
  const std::int32_t type = engine->Records().NewRecord(RecordKind::EventType, false);
  engine->Records().ReadRaw(RecordKind::EventType, type, rec.data());
  EXPECT_EQ(GetI32(rec.data() + 12), type);
  EXPECT_EQ(GetI32(rec.data() + 16), type);
  const std::int32_t link = engine->Records().NewRecord(RecordKind::FamilyLink, false);
  engine->Records().ReadRaw(RecordKind::FamilyLink, link, rec.data());
  EXPECT_EQ(rec[0], 'b');
  const std::int32_t marriage = engine->Records().NewRecord(RecordKind::Marriage, false);
  engine->Records().ReadRaw(RecordKind::Marriage, marriage, rec.data());
  EXPECT_EQ(rec[0], 'N');
  // The filler sees the number the record gets.
  std::int32_t seen = 0;
  const std::int32_t third = engine->Records().NewRecord(
      RecordKind::Source, false, [&](std::int32_t r, std::uint8_t*) { seen = r; });
  EXPECT_EQ(seen, third);
  EXPECT_EQ(host->highestIndividual, 1);
  EXPECT_EQ(host->liveIndividuals, 1);
  EXPECT_EQ(host->liveMarriages, 1);
}

TEST_F(EngineTest, DamagedDeleteChainHeadIsRefusedWithAMessage) {
  struct Case {
    const char* what;
    std::function<void(std::int32_t a, std::int32_t b)> damage;
  } cases[] = {
      {"head beyond the highest number",
       [&](std::int32_t, std::int32_t b) {
         engine->Blocks().Head().SetI32(kHeadMarriageChain, b + 50);
       }},
      {"head names a live record",
       [&](std::int32_t a, std::int32_t) {
         engine->Blocks().Head().SetI32(kHeadMarriageChain, a);
       }},
      {"head links to itself",
       [&](std::int32_t, std::int32_t b) {
         std::vector<std::uint8_t> rec(110);
         MakeDeletedRecord(RecordKind::Marriage, rec.data(), b);
         engine->Records().WriteRaw(RecordKind::Marriage, b, rec.data());
         engine->Blocks().Head().SetI32(kHeadMarriageChain, b);
       }},
  };
  for (const auto& c : cases) {
    CreateFamilyFile();
    boxes.Clear();
    const std::int32_t a = engine->Records().NewRecord(RecordKind::Marriage, false);
    const std::int32_t b = engine->Records().NewRecord(RecordKind::Marriage, false);
    c.damage(a, b);
    const std::int32_t highest = engine->Records().Highest(RecordKind::Marriage);
    EXPECT_EQ(engine->Records().NewRecord(RecordKind::Marriage, true), highest + 1) << c.what;
    ASSERT_EQ(boxes.Calls().size(), 1u) << c.what;
    EXPECT_EQ(boxes.Calls()[0].caption, "Korvane");
    EXPECT_NE(boxes.Calls()[0].text.find("\n\n" + res::LoadString(res::kIdsWhatToDoNext)),
              std::string::npos);
    EXPECT_EQ(engine->Blocks().Head().I32(kHeadMarriageChain), 0) << c.what;
    EXPECT_EQ(FileI32(kHeadMarriageChain), 0) << c.what;
    EXPECT_EQ(engine->Records().IsLive(RecordKind::Marriage, a), 1) << c.what;
  }
}

TEST_F(EngineTest, LoopingDeleteChainEndsBothTheCountAndTheReuse) {
  for (int i = 0; i < 3; ++i) engine->Records().NewRecord(RecordKind::Individual, false);
  ASSERT_EQ(engine->Deletes().DeleteIndividual(1), 1);
  ASSERT_EQ(engine->Deletes().DeleteIndividual(2), 1);  // chain 2 -> 1
  std::vector<std::uint8_t> rec(298);
  MakeDeletedRecord(RecordKind::Individual, rec.data(), 2);  // 1 -> 2: a loop
  ASSERT_EQ(engine->Records().WriteRaw(RecordKind::Individual, 1, rec.data()), 1);
  engine->Records().RecountMaxVars(1);
  EXPECT_EQ(host->highestIndividual, 3);
  EXPECT_EQ(host->liveIndividuals, 3 - 4);  // stopped after highest + 1 steps
  EXPECT_EQ(engine->Records().NewRecord(RecordKind::Individual, true), 2);
  EXPECT_EQ(engine->Records().NewRecord(RecordKind::Individual, true), 1);
  EXPECT_TRUE(boxes.Calls().empty());
  // The chain now leads back to 2, which is live again: refused, not reused.
  EXPECT_EQ(engine->Records().NewRecord(RecordKind::Individual, true), 4);
  EXPECT_EQ(boxes.Calls().size(), 1u);
}

TEST_F(EngineTest, FreedNoteBlocksFormADoublyLinkedListReusedInReverseOrder) {
  std::int32_t blocks[3];
  for (auto& b : blocks) b = engine->Notes().NewNoteBlock(false, 9);
  ASSERT_EQ(blocks[2], 3);
  NoteBlockRec note;
  for (int i = 0; i < 3; ++i) {
    engine->Records().Read(blocks[i], note);
    EXPECT_EQ(note.owner, 9);
    note.next = i < 2 ? blocks[i + 1] : 0;
    note.previous = i > 0 ? blocks[i - 1] : 0;
    SetFieldText(note.text, "piece");
    engine->Records().Write(blocks[i], note);
  }
  engine->Notes().FreeNoteChain(1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNoteFreeHead), 3);
  EXPECT_EQ(FileI32(kHeadNoteFreeHead), 3);
  const std::int32_t expectNext[] = {0, 1, 2}, expectPrev[] = {2, 3, 0};
  for (int i = 0; i < 3; ++i) {
    std::vector<std::uint8_t> raw(256), expected(256, 0);
    engine->Records().ReadRaw(RecordKind::NoteBlock, blocks[i], raw.data());
    PutI32(expected.data(), expectNext[i]);
    PutI32(expected.data() + 4, expectPrev[i]);
    EXPECT_EQ(raw, expected) << i;
  }
  EXPECT_EQ(engine->Notes().NewNoteBlock(true, 5), 3);
  engine->Records().Read(2, note);
  EXPECT_EQ(note.previous, 0);  // the new head
  engine->Records().Read(3, note);
  EXPECT_EQ(note.owner, 5);
  EXPECT_EQ(note.next, 0);
  EXPECT_EQ(engine->Notes().NewNoteBlock(true, 5), 2);
  EXPECT_EQ(engine->Notes().NewNoteBlock(true, 5), 1);
  EXPECT_EQ(engine->Notes().NewNoteBlock(true, 5), 4);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(EngineTest, FreeingALoopingNoteChainStopsAtTheRepeatedBlock) {
  const std::int32_t a = engine->Notes().NewNoteBlock(false, 1),
                     b = engine->Notes().NewNoteBlock(false, 1);
  NoteBlockRec note;
  note.owner = 1;
  note.next = b;
  engine->Records().Write(a, note);
  note.next = a;
  engine->Records().Write(b, note);
  engine->Notes().FreeNoteChain(a);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNoteFreeHead), b);
  engine->Records().Read(b, note);
  EXPECT_EQ(note.next, a);
  engine->Records().Read(a, note);
  EXPECT_EQ(note.next, 0);
  EXPECT_EQ(note.previous, b);
}

TEST_F(EngineTest, DeletingAnIndividualClearsItsNotesCitationsUserEventsAndContact) {
  const std::int32_t source = engine->Records().NewRecord(RecordKind::Source, false);
  const std::int32_t rin = engine->Records().NewRecord(RecordKind::Individual, false);
  const std::int32_t other = engine->Records().NewRecord(RecordKind::Individual, false);
  auto cite = [&](std::int32_t owner) {
    return engine->Owners().NewCitation(false, source, owner, db::kOwnerIndividual);
  };
  const std::int32_t own1 = cite(rin), own2 = cite(rin), birth = cite(rin), keep = cite(other);
  CitationRec c;
  engine->Records().Read(own1, c);
  EXPECT_EQ(c.source, source);
  EXPECT_EQ(c.owner, rin);
  c.next = own2;
  engine->Records().Write(own1, c);
  const std::int32_t note = engine->Notes().NewNoteBlock(false, rin);
  const std::int32_t userEvent = engine->Records().NewRecord(
      RecordKind::UserEvent, false, [&](std::int32_t, std::uint8_t* rec) { PutI32(rec + 8, rin); });
  const std::int32_t contact = engine->Records().NewRecord(
      RecordKind::Contact, false, [&](std::int32_t, std::uint8_t* rec) { PutI32(rec, rin); });
  IndividualRec person;
  engine->Records().Read(rin, person);
  person.firstNote = note;
  person.firstCitation = own1;
  person.birth.firstCitation = birth;
  engine->Records().Write(rin, person);
  IndividualExtRec ext;
  engine->Records().Read(rin, ext);
  ext.firstUserEvent = userEvent;
  ext.contact = contact;
  engine->Records().Write(rin, ext);
  ASSERT_EQ(host->liveIndividuals, 2);

  ASSERT_EQ(engine->Deletes().DeleteIndividual(rin), 1);
  EXPECT_EQ(host->liveIndividuals, 1);
  EXPECT_EQ(engine->Records().IsLive(RecordKind::Individual, rin), -1);
  for (std::int32_t gone : {own1, own2, birth})
    EXPECT_EQ(engine->Records().IsLive(RecordKind::Citation, gone), -1) << gone;
  EXPECT_EQ(engine->Records().IsLive(RecordKind::Citation, keep), 1);
  EXPECT_EQ(engine->Records().IsLive(RecordKind::UserEvent, userEvent), -1);
  EXPECT_EQ(engine->Records().IsLive(RecordKind::Contact, contact), -1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNoteFreeHead), note);
  std::vector<std::uint8_t> raw(96);
  engine->Records().ReadRaw(RecordKind::IndividualExt, rin, raw.data());
  EXPECT_EQ(raw, std::vector<std::uint8_t>(96, 0));
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(EngineTest, DeletingAMarriageClearsItsCitationsUserEventsAndNotes) {
  const std::int32_t source = engine->Records().NewRecord(RecordKind::Source, false);
  const std::int32_t mrin = engine->Records().NewRecord(RecordKind::Marriage, false);
  const std::int32_t sealing =
      engine->Owners().NewCitation(false, source, mrin, db::kOwnerSealingToSpouse);
  const std::int32_t event =
      engine->Records().NewRecord(RecordKind::UserEvent, false,
                                  [&](std::int32_t, std::uint8_t* rec) { PutI32(rec + 8, mrin); });
  const std::int32_t eventCitation =
      engine->Owners().NewCitation(false, source, event, db::kOwnerIndividualUserEvent);
  UserEventRec ue;
  engine->Records().Read(event, ue);
  ue.event.firstCitation = eventCitation;
  engine->Records().Write(event, ue);
  MarriageRec m;
  engine->Records().Read(mrin, m);
  m.sealing.firstCitation = sealing;
  m.firstUserEvent = event;
  m.firstNote = engine->Notes().NewNoteBlock(false, mrin);
  engine->Records().Write(mrin, m);
  ASSERT_EQ(engine->Deletes().DeleteMarriage(mrin), 1);
  EXPECT_EQ(host->liveMarriages, 0);
  EXPECT_EQ(engine->Records().IsLive(RecordKind::Citation, sealing), -1);
  EXPECT_EQ(engine->Records().IsLive(RecordKind::UserEvent, event), -1);
  EXPECT_EQ(engine->Records().IsLive(RecordKind::Citation, eventCitation), -1);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNoteFreeHead), m.firstNote);
}

TEST_F(EngineTest, DeletingASourceDeletesItsCitationsExtensionMediaAndNotes) {
  const std::int32_t rin = engine->Records().NewRecord(RecordKind::Individual, false);
  const std::int32_t s1 = engine->Records().NewRecord(RecordKind::Source, false);
  const std::int32_t s2 = engine->Records().NewRecord(RecordKind::Source, false);
  const std::int32_t c1 = engine->Owners().NewCitation(false, s1, rin, db::kOwnerIndividual);
  const std::int32_t c2 = engine->Owners().NewCitation(false, s2, rin, db::kOwnerIndividual);
  const std::int32_t c3 = engine->Owners().NewCitation(false, s1, rin, db::kOwnerBirth);
  auto media = [](std::int32_t, std::uint8_t* rec) { rec[29] = 1; };
  const std::int32_t item = engine->Records().NewRecord(RecordKind::Multimedia, false, media);
  const std::int32_t citedItem = engine->Records().NewRecord(RecordKind::Multimedia, false, media);
  CitationRec c;
  engine->Records().Read(c1, c);
  c.multimedia = citedItem;
  c.firstNoteA = engine->Notes().NewNoteBlock(false, c1);
  engine->Records().Write(c1, c);
  SourceExtRec ext;
  engine->Records().Read(s1, ext);
  ext.multimedia = item;
  ext.firstNote = engine->Notes().NewNoteBlock(false, s1);
  ext.value20 = 4;
  engine->Records().Write(s1, ext);

  ASSERT_EQ(engine->Deletes().DeleteSource(s1), 1);
  EXPECT_EQ(engine->Records().IsLive(RecordKind::Source, s1), -1);
  EXPECT_EQ(engine->Records().IsLive(RecordKind::Citation, c1), -1);
  EXPECT_EQ(engine->Records().IsLive(RecordKind::Citation, c3), -1);
  EXPECT_EQ(engine->Records().IsLive(RecordKind::Citation, c2), 1);
  EXPECT_EQ(engine->Records().IsLive(RecordKind::Multimedia, item), -1);
  EXPECT_EQ(engine->Records().IsLive(RecordKind::Multimedia, citedItem), -1);
  engine->Records().Read(s1, ext);
  EXPECT_EQ(ext.value20, 0);
  // The extension's note is freed before the citations' notes.
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNoteFreeHead), 1);
  NoteBlockRec freed;
  engine->Records().Read(1, freed);
  EXPECT_EQ(freed.next, 2);

  // A citation of a deleted source, or for an owner that is not live, is refused.
  EXPECT_EQ(engine->Owners().NewCitation(false, s1, rin, db::kOwnerIndividual), 0);
  EXPECT_EQ(engine->Owners().NewCitation(false, s2, rin + 1, db::kOwnerIndividual), 0);
  EXPECT_EQ(engine->Owners().NewCitation(false, s2, rin, 'X'), 0);
  ASSERT_EQ(boxes.Calls().size(), 3u);
  EXPECT_EQ(boxes.Calls()[0].text, "Unable to add new citation");
}

TEST_F(EngineTest, DeletingARepositoryClearsItFromItsSources) {
  const std::int32_t repo = engine->Records().NewRecord(RecordKind::Repository, false);
  const std::int32_t other = engine->Records().NewRecord(RecordKind::Repository, false);
  std::int32_t sources[3];
  const std::int32_t names[] = {repo, other, repo};
  for (int i = 0; i < 3; ++i)
    sources[i] = engine->Records().NewRecord(
        RecordKind::Source, false,
        [&](std::int32_t, std::uint8_t* rec) { PutI32(rec + 475, names[i]); });
  ASSERT_EQ(engine->Deletes().DeleteRepository(repo), 1);
  SourceRec s;
  engine->Records().Read(sources[0], s);
  EXPECT_EQ(s.repository, 0);
  engine->Records().Read(sources[1], s);
  EXPECT_EQ(s.repository, other);
  engine->Records().Read(sources[2], s);
  EXPECT_EQ(s.repository, 0);
}

TEST_F(EngineTest, FailedDeleteWriteReportsAndKeepsTheChain) {
  const std::int32_t a = engine->Records().NewRecord(
      RecordKind::EventType, false, [](std::int32_t, std::uint8_t* rec) { PutI32(rec, 4); });
  host->file.Close();
  ASSERT_EQ(host->file.Open(path, plat::FileHandle::Access::ReadOnly), 0);
  EXPECT_EQ(engine->Deletes().DeleteEventType(a), 0);
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(boxes.Calls()[0].text, "Write Error\n\n" + res::LoadString(res::kIdsWhatToDoNext));
  EXPECT_EQ(boxes.Calls()[1].text, "Failed to erase event type info");
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadEventTypeChain), 0);
}
