// What each delete clears around its record before the record goes onto
// its delete chain.
#include "RecordDeletes.h"

#include <algorithm>

#include "DbCodes.h"
#include "FamilyLinks.h"
#include "NoteChains.h"
#include "ORV3.h"
#include "OwnerChains.h"
#include "Ports.h"
#include "RecordStore.h"
#include "RecordTrees.h"

using namespace orv;

namespace {

constexpr const char* kProgramCaption = "Korvane";
constexpr unsigned kWarning = plat::kMbOk | plat::kMbIconExclamation;

}  // namespace

RecordDeletes::RecordDeletes(EngineHost* host, RecordStore& records, RecordTrees& trees,
                             NoteChains& notes, FamilyLinks& families, OwnerChains& owners)
    : host_(host),
      records_(records),
      trees_(trees),
      notes_(notes),
      families_(families),
      owners_(owners) {}

int RecordDeletes::DeleteRecord(RecordKind kind, std::int32_t r) {
  switch (kind) {
    case RecordKind::Individual:
      return DeleteIndividual(r);
    case RecordKind::Marriage:
      return DeleteMarriage(r);
    case RecordKind::FamilyLink:
      return DeleteFamilyLink(r);
    case RecordKind::Citation:
      return DeleteCitation(r);
    case RecordKind::Source:
      return DeleteSource(r);
    case RecordKind::Repository:
      return DeleteRepository(r);
    case RecordKind::UserEvent:
      return DeleteUserEvent(r);
    case RecordKind::EventType:
      return DeleteEventType(r);
    case RecordKind::Contact:
      return DeleteContact(r);
    case RecordKind::Multimedia:
      return DeleteMultimedia(r);
    default:
      return 0;
  }
}

int RecordDeletes::DeleteIndividual(std::int32_t rin) {
  std::uint8_t buf[IndividualRec::kSize];
  if (records_.IsLive(RecordKind::Individual, rin, buf) != 1) return 1;
  trees_.RemoveFromTree(RecordKind::Individual, rin, buf);
  IndividualRec person;
  person.Decode(buf);
  families_.O3_UnlinkRIN(rin, db::kIndividual);
  if (host_->liveIndividuals > 0) --host_->liveIndividuals;
  notes_.FreeNoteChain(person.firstNote);
  DeleteChain(RecordKind::Citation, person.firstCitation);
  for (const PackedEvent* e : {&person.birth, &person.christening, &person.death, &person.burial})
    DeleteChain(RecordKind::Citation, e->firstCitation);
  DeleteChain(RecordKind::Citation, person.baptism.firstCitation);
  DeleteChain(RecordKind::Citation, person.endowment.firstCitation);
  std::uint8_t extBuf[IndividualExtRec::kSize];
  if (records_.ReadRaw(RecordKind::IndividualExt, rin, extBuf)) {
    IndividualExtRec ext;
    ext.Decode(extBuf);
    DeleteChain(RecordKind::UserEvent, ext.firstUserEvent);
    if (ext.contact > 0) DeleteContact(ext.contact);
    owners_.DeleteMultimediaChainOf(ext.firstMultimediaLink, rin, db::kIndividual);
    std::fill(extBuf, extBuf + IndividualExtRec::kSize, 0);
    records_.WriteRaw(RecordKind::IndividualExt, rin, extBuf);
  }
  return records_.DeleteToChain(RecordKind::Individual, rin, "Failed to erase indiv info",
                                "Failed to add indiv to delete chain", kProgramCaption, kWarning);
}

int RecordDeletes::DeleteMarriage(std::int32_t mrin) {
  std::uint8_t buf[MarriageRec::kSize];
  if (records_.IsLive(RecordKind::Marriage, mrin, buf) != 1) return 1;
  MarriageRec marriage;
  marriage.Decode(buf);
  if (host_->liveMarriages > 0) --host_->liveMarriages;
  families_.O3_UnlinkRIN(mrin, db::kMarriage);
  notes_.FreeNoteChain(marriage.firstNote);
  DeleteChain(RecordKind::Citation, marriage.firstCitation);
  DeleteChain(RecordKind::Citation, marriage.marriage.firstCitation);
  DeleteChain(RecordKind::Citation, marriage.sealing.firstCitation);
  DeleteChain(RecordKind::UserEvent, marriage.firstUserEvent);
  owners_.DeleteMultimediaChainOf(marriage.firstMultimedia, mrin, db::kMarriage);
  return records_.DeleteToChain(RecordKind::Marriage, mrin, "Failed to erase marr info",
                                "Failed to add marriage to delete chain", "Yo", plat::kMbOk);
}

int RecordDeletes::DeleteFamilyLink(std::int32_t link) {
  std::uint8_t buf[FamilyLinkRec::kSize];
  if (records_.IsLive(RecordKind::FamilyLink, link, buf) != 1) return 1;
  FamilyLinkRec rec;
  rec.Decode(buf);
  DeleteChain(RecordKind::Citation, rec.sealing.firstCitation);
  families_.DetachFamilyLink(link);
  return records_.DeleteToChain(RecordKind::FamilyLink, link, "Failed to erase family link info",
                                "Failed to add family link to delete chain", kProgramCaption,
                                kWarning);
}

int RecordDeletes::DeleteCitation(std::int32_t citation) {
  std::uint8_t buf[CitationRec::kSize];
  if (records_.IsLive(RecordKind::Citation, citation, buf) != 1) return 1;
  CitationRec rec;
  rec.Decode(buf);
  notes_.FreeNoteChain(rec.firstNoteA);
  notes_.FreeNoteChain(rec.firstNoteB);
  owners_.DeleteMultimediaChainOf(rec.multimedia, citation, db::kCitation);
  owners_.DetachCitation(citation);
  return records_.DeleteToChain(RecordKind::Citation, citation, "Failed to delete citation",
                                "Failed to add citation to delete chain", kProgramCaption,
                                kWarning);
}

int RecordDeletes::DeleteSource(std::int32_t source) {
  std::uint8_t buf[SourceRec::kSize];
  if (records_.IsLive(RecordKind::Source, source, buf) != 1) return 1;
  trees_.RemoveFromTree(RecordKind::Source, source, buf);
  SourceRec rec;
  rec.Decode(buf);
  notes_.FreeNoteChain(rec.firstNote);
  const int done =
      records_.DeleteToChain(RecordKind::Source, source, "Failed to fully delete source record",
                             "Failed to add source to delete chain", kProgramCaption, plat::kMbOk);
  if (!done) return 0;
  std::uint8_t extBuf[SourceExtRec::kSize];
  if (records_.ReadRaw(RecordKind::SourceExt, source, extBuf)) {
    SourceExtRec ext;
    ext.Decode(extBuf);
    notes_.FreeNoteChain(ext.firstNote);
    owners_.DeleteMultimediaChainOf(ext.multimedia, source, db::kSource);
    std::fill(extBuf, extBuf + SourceExtRec::kSize, 0);
    records_.WriteRaw(RecordKind::SourceExt, source, extBuf);
  }
  const std::int32_t citations = records_.Highest(RecordKind::Citation);
  for (std::int32_t c = 1; c <= citations; ++c) {
    std::uint8_t cit[CitationRec::kSize];
    if (records_.IsLive(RecordKind::Citation, c, cit) == 1 && GetI32(cit + 111) == source)
      DeleteCitation(c);
  }
  return 1;
}

int RecordDeletes::DeleteRepository(std::int32_t repository) {
  if (records_.IsLive(RecordKind::Repository, repository) != 1) return 1;
  trees_.RemoveFromTree(RecordKind::Repository, repository);
  const int done = records_.DeleteToChain(
      RecordKind::Repository, repository, "Unable to delete repository",
      "Failed to add repository to delete chain", kProgramCaption, plat::kMbOk);
  if (!done) return 0;
  const std::int32_t sources = records_.Highest(RecordKind::Source);
  for (std::int32_t s = 1; s <= sources; ++s) {
    std::uint8_t src[SourceRec::kSize];
    if (records_.IsLive(RecordKind::Source, s, src) == 1 && GetI32(src + 475) == repository) {
      PutI32(src + 475, 0);
      records_.WriteRaw(RecordKind::Source, s, src);
    }
  }
  return 1;
}

int RecordDeletes::DeleteUserEvent(std::int32_t event) {
  std::uint8_t buf[UserEventRec::kSize];
  if (records_.IsLive(RecordKind::UserEvent, event, buf) != 1) return 1;
  UserEventRec rec;
  rec.Decode(buf);
  DeleteChain(RecordKind::Citation, rec.event.firstCitation);
  owners_.DetachUserEvent(event);
  return records_.DeleteToChain(RecordKind::UserEvent, event, "Failed to erase user event info",
                                "Failed to add user event to delete chain", "Yo", plat::kMbOk);
}

int RecordDeletes::DeleteEventType(std::int32_t type) {
  if (records_.IsLive(RecordKind::EventType, type) != 1) return 1;
  trees_.RemoveFromTree(RecordKind::EventType, type);
  return records_.DeleteToChain(RecordKind::EventType, type, "Failed to erase event type info",
                                "Failed to add event type to delete chain", "Yo", plat::kMbOk);
}

int RecordDeletes::DeleteContact(std::int32_t contact) {
  if (records_.IsLive(RecordKind::Contact, contact) != 1) return 1;
  return records_.DeleteToChain(RecordKind::Contact, contact, "Failed to erase contact info",
                                "Failed to add contact to delete chain", "Yo", plat::kMbOk);
}

int RecordDeletes::DeleteMultimedia(std::int32_t item) {
  if (records_.IsLive(RecordKind::Multimedia, item) != 1) return 1;
  return records_.DeleteToChain(RecordKind::Multimedia, item, "Erase failure",
                                "Delete chain failure", "Delete Media", plat::kMbOk);
}

void RecordDeletes::DeleteChain(RecordKind kind, std::int32_t first) {
  // Citations lead on by their next field, user events by their first.
  const int nextField = kind == RecordKind::Citation ? 115 : 0;
  const std::int32_t highest = records_.Highest(kind);
  std::int32_t r = first;
  for (std::int32_t steps = 0; r > 0 && steps <= highest; ++steps) {
    std::uint8_t rec[std::max(CitationRec::kSize, UserEventRec::kSize)];
    if (records_.IsLive(kind, r, rec) != 1) break;
    const std::int32_t next = GetI32(rec + nextField);
    DeleteRecord(kind, r);
    r = next;
  }
}
