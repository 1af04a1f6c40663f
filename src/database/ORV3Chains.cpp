// New record numbers, the delete chains, the free note-block list and what
// each delete clears around its record.
#include <string>
#include <vector>

#include "ORV3.h"
#include "Ports.h"

using namespace orv;

namespace {

constexpr const char* kProgramCaption = "Korvane";
constexpr unsigned kWarning = plat::kMbOk | plat::kMbIconExclamation;

bool AppendsHighestFirst(RecordKind kind) {
  return kind == RecordKind::Source || kind == RecordKind::Repository ||
         kind == RecordKind::Citation;
}

// Marks a new record: live marks, and tree children pointing at the record
// itself so that the first re-sort only inserts it.
void StartNewRecord(RecordKind kind, std::int32_t r, std::uint8_t* rec) {
  switch (kind) {
    case RecordKind::Individual:
      rec[0] = 'U';
      PutI32(rec + 242, r);
      PutI32(rec + 246, r);
      break;
    case RecordKind::Marriage:
    case RecordKind::Citation:
      rec[0] = 'N';
      break;
    case RecordKind::Source:
      rec[0] = 'N';
      PutI32(rec + 463, r);
      PutI32(rec + 467, r);
      break;
    case RecordKind::Repository:
      rec[0] = 'N';
      PutI32(rec + 287, r);
      PutI32(rec + 291, r);
      break;
    case RecordKind::EventType:
      PutI32(rec + 12, r);
      PutI32(rec + 16, r);
      break;
    case RecordKind::FamilyLink:
      rec[0] = 'b';
      break;
    default:
      break;
  }
}

}  // namespace

std::int32_t ORV3::PopChainHead(RecordKind kind) {
  const RecordLayout& l = LayoutOf(kind);
  const std::int32_t head = head_.I32(l.chainHeadField);
  if (head <= 0) return 0;
  std::vector<std::uint8_t> buf(l.size);
  const bool readable = head <= Highest(kind) && ReadRaw(kind, head, buf.data());
  const std::int32_t link = readable ? GetI32(buf.data() + l.linkOffset) : 0;
  // Free note blocks carry no owner; other records carry their deleted mark.
  const bool free = kind == RecordKind::NoteBlock ? GetI32(buf.data() + 8) == 0
                                                  : IsDeletedRecord(kind, buf.data());
  if (!readable || !free || link == head) {
    // Reusing this number could overwrite a live record or repeat forever;
    // the chain is dropped and new records are added at the end.
    plat::MessageBox("The delete chain of the " + std::string(l.name) +
                         " records is damaged at record " + std::to_string(head) +
                         "; new records are added at the end instead.",
                     "Yo", plat::kMbOk);
    head_.SetI32(l.chainHeadField, 0);
    WriteHeader(l.headPart);
    return 0;
  }
  head_.SetI32(l.chainHeadField, link);
  if (!WriteHeader(l.headPart)) {
    head_.SetI32(l.chainHeadField, head);
    return 0;
  }
  if (kind == RecordKind::NoteBlock && link > 0) {
    std::uint8_t next[NoteBlockRec::kSize];
    if (ReadRaw(kind, link, next)) {
      PutI32(next + 4, 0);
      WriteRaw(kind, link, next);
    }
  }
  return head;
}

std::int32_t ORV3::NewRecord(RecordKind kind, bool reuse, const RecordFiller& fill) {
  if (kind == RecordKind::NoteBlock || kind == RecordKind::IndividualExt ||
      kind == RecordKind::SourceExt)
    return 0;
  const RecordLayout& l = LayoutOf(kind);
  std::int32_t r = reuse ? PopChainHead(kind) : 0;
  const bool append = r == 0;
  if (append) {
    r = Highest(kind) + 1;
    if (!EnsureRecordBlocks(r, l.blockType, l.perBlock)) return 0;
    if (AppendsHighestFirst(kind)) {
      head_.SetI32(l.highestField, r);
      WriteHeader(l.headPart);
    }
  }
  std::vector<std::uint8_t> rec(l.size, 0);
  StartNewRecord(kind, r, rec.data());
  if (fill) fill(r, rec.data());
  if (!WriteRaw(kind, r, rec.data())) return 0;
  if (append && !AppendsHighestFirst(kind)) head_.SetI32(l.highestField, r);
  WriteHeader(l.headPart);
  if (kind == RecordKind::Individual) {
    if (host_->liveIndividuals >= 0) ++host_->liveIndividuals;
    if (append) host_->highestIndividual = r;
  } else if (kind == RecordKind::Marriage) {
    if (host_->liveMarriages >= 0) ++host_->liveMarriages;
    if (append) host_->highestMarriage = r;
  }
  return r;
}

std::int32_t ORV3::NewCitation(bool reuse, std::int32_t source, std::int32_t owner,
                               char ownerLetter, const RecordFiller& fill) {
  CitationSlot slot;
  if (IsLive(RecordKind::Source, source) != 1 || IsOwnerLive(owner, ownerLetter) != 1 ||
      !CitationSlotOf(owner, ownerLetter, slot)) {
    plat::MessageBox("Unable to add new citation", kProgramCaption, kWarning);
    return 0;
  }
  const std::int32_t c =
      NewRecord(RecordKind::Citation, reuse, [&](std::int32_t r, std::uint8_t* rec) {
        PutI32(rec + 111, source);
        PutI32(rec + 123, owner);
        if (fill) fill(r, rec);
      });
  if (c > 0) AppendCitation(c, owner, ownerLetter);
  return c;
}

std::int32_t ORV3::NewNoteBlock(bool reuse, std::int32_t owner) {
  const RecordLayout& l = LayoutOf(RecordKind::NoteBlock);
  std::int32_t b = reuse ? PopChainHead(RecordKind::NoteBlock) : 0;
  const bool append = b == 0;
  if (append) {
    b = Highest(RecordKind::NoteBlock) + 1;
    if (!EnsureRecordBlocks(b, l.blockType, l.perBlock)) return 0;
  }
  std::uint8_t rec[NoteBlockRec::kSize] = {};
  PutI32(rec + 8, owner);
  if (!WriteRaw(RecordKind::NoteBlock, b, rec)) return 0;
  if (append) head_.SetI32(l.highestField, b);
  WriteHeader(l.headPart);
  return b;
}

bool ORV3::FreeNoteChain(std::int32_t first) {
  const std::int32_t highest = Highest(RecordKind::NoteBlock);
  if (first <= 0 || first > highest) return true;
  // Each freed block becomes the new head of the free list; a chain that
  // loops back on itself is freed up to its first repeated block.
  std::vector<bool> seen(static_cast<std::size_t>(highest) + 1, false);
  bool written = true;
  std::int32_t b = first;
  while (b > 0 && b <= highest && !seen[b]) {
    seen[b] = true;
    std::uint8_t rec[NoteBlockRec::kSize];
    if (!ReadRaw(RecordKind::NoteBlock, b, rec)) break;
    const std::int32_t next = GetI32(rec);
    const std::int32_t freeHead = head_.I32(kHeadNoteFreeHead);
    std::fill(rec, rec + NoteBlockRec::kSize, 0);
    PutI32(rec, freeHead);
    if (!WriteRaw(RecordKind::NoteBlock, b, rec)) {
      plat::MessageBox("Failed to delete note", kProgramCaption, kWarning);
      written = false;
      b = next;
      continue;
    }
    if (freeHead > 0) {
      std::uint8_t old[NoteBlockRec::kSize];
      if (ReadRaw(RecordKind::NoteBlock, freeHead, old)) {
        PutI32(old + 4, b);
        written = WriteRaw(RecordKind::NoteBlock, freeHead, old) && written;
      }
    }
    head_.SetI32(kHeadNoteFreeHead, b);
    b = next;
  }
  // A batch holds the whole header back: that is no failure.
  return (WriteHeader(HeadPart::Whole) || batch_) && written;
}

int ORV3::DeleteToChain(RecordKind kind, std::int32_t r, const char* eraseText,
                        const char* chainText, const char* caption, unsigned flags) {
  const RecordLayout& l = LayoutOf(kind);
  const std::int32_t oldHead = head_.I32(l.chainHeadField);
  std::vector<std::uint8_t> rec(l.size);
  MakeDeletedRecord(kind, rec.data(), oldHead);
  if (!WriteRaw(kind, r, rec.data())) {
    plat::MessageBox(eraseText, caption, flags);
    return 0;
  }
  head_.SetI32(l.chainHeadField, r);
  if (!WriteHeader(l.headPart)) {
    plat::MessageBox(chainText, caption, flags);
    return 0;
  }
  return 1;
}

void ORV3::DeleteCitationChain(std::int32_t first) {
  const std::int32_t highest = Highest(RecordKind::Citation);
  std::int32_t c = first;
  for (std::int32_t steps = 0; c > 0 && steps <= highest; ++steps) {
    std::uint8_t rec[CitationRec::kSize];
    if (IsLive(RecordKind::Citation, c, rec) != 1) break;
    const std::int32_t next = GetI32(rec + 115);
    DeleteCitation(c);
    c = next;
  }
}

void ORV3::DeleteUserEventChain(std::int32_t first) {
  const std::int32_t highest = Highest(RecordKind::UserEvent);
  std::int32_t e = first;
  for (std::int32_t steps = 0; e > 0 && steps <= highest; ++steps) {
    std::uint8_t rec[UserEventRec::kSize];
    if (IsLive(RecordKind::UserEvent, e, rec) != 1) break;
    const std::int32_t next = GetI32(rec);
    DeleteUserEvent(e);
    e = next;
  }
}

int ORV3::DeleteRecord(RecordKind kind, std::int32_t r) {
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

int ORV3::DeleteIndividual(std::int32_t rin) {
  std::uint8_t buf[IndividualRec::kSize];
  if (IsLive(RecordKind::Individual, rin, buf) != 1) return 1;
  RemoveFromTree(RecordKind::Individual, rin, buf);
  IndividualRec person;
  person.Decode(buf);
  O3_UnlinkRIN(rin, 100);
  if (host_->liveIndividuals > 0) --host_->liveIndividuals;
  FreeNoteChain(person.firstNote);
  DeleteCitationChain(person.firstCitation);
  for (const PackedEvent* e : {&person.birth, &person.christening, &person.death, &person.burial})
    DeleteCitationChain(e->firstCitation);
  DeleteCitationChain(person.baptism.firstCitation);
  DeleteCitationChain(person.endowment.firstCitation);
  std::uint8_t extBuf[IndividualExtRec::kSize];
  if (ReadRaw(RecordKind::IndividualExt, rin, extBuf)) {
    IndividualExtRec ext;
    ext.Decode(extBuf);
    DeleteUserEventChain(ext.firstUserEvent);
    if (ext.contact > 0) DeleteContact(ext.contact);
    DeleteMultimediaChainOf(ext.firstMultimediaLink, rin, 100);
    std::fill(extBuf, extBuf + IndividualExtRec::kSize, 0);
    WriteRaw(RecordKind::IndividualExt, rin, extBuf);
  }
  return DeleteToChain(RecordKind::Individual, rin, "Failed to erase indiv info",
                       "Failed to add indiv to delete chain", kProgramCaption, kWarning);
}

int ORV3::DeleteMarriage(std::int32_t mrin) {
  std::uint8_t buf[MarriageRec::kSize];
  if (IsLive(RecordKind::Marriage, mrin, buf) != 1) return 1;
  MarriageRec marriage;
  marriage.Decode(buf);
  if (host_->liveMarriages > 0) --host_->liveMarriages;
  O3_UnlinkRIN(mrin, 102);
  FreeNoteChain(marriage.firstNote);
  DeleteCitationChain(marriage.firstCitation);
  DeleteCitationChain(marriage.marriage.firstCitation);
  DeleteCitationChain(marriage.sealing.firstCitation);
  DeleteUserEventChain(marriage.firstUserEvent);
  DeleteMultimediaChainOf(marriage.firstMultimedia, mrin, 102);
  return DeleteToChain(RecordKind::Marriage, mrin, "Failed to erase marr info",
                       "Failed to add marriage to delete chain", "Yo", plat::kMbOk);
}

int ORV3::DeleteFamilyLink(std::int32_t link) {
  std::uint8_t buf[FamilyLinkRec::kSize];
  if (IsLive(RecordKind::FamilyLink, link, buf) != 1) return 1;
  FamilyLinkRec rec;
  rec.Decode(buf);
  DeleteCitationChain(rec.sealing.firstCitation);
  DetachFamilyLink(link);
  return DeleteToChain(RecordKind::FamilyLink, link, "Failed to erase family link info",
                       "Failed to add family link to delete chain", kProgramCaption, kWarning);
}

int ORV3::DeleteCitation(std::int32_t citation) {
  std::uint8_t buf[CitationRec::kSize];
  if (IsLive(RecordKind::Citation, citation, buf) != 1) return 1;
  CitationRec rec;
  rec.Decode(buf);
  FreeNoteChain(rec.firstNoteA);
  FreeNoteChain(rec.firstNoteB);
  DeleteMultimediaChainOf(rec.multimedia, citation, 132);
  DetachCitation(citation);
  return DeleteToChain(RecordKind::Citation, citation, "Failed to delete citation",
                       "Failed to add citation to delete chain", kProgramCaption, kWarning);
}

int ORV3::DeleteSource(std::int32_t source) {
  std::uint8_t buf[SourceRec::kSize];
  if (IsLive(RecordKind::Source, source, buf) != 1) return 1;
  RemoveFromTree(RecordKind::Source, source, buf);
  SourceRec rec;
  rec.Decode(buf);
  FreeNoteChain(rec.firstNote);
  const int done =
      DeleteToChain(RecordKind::Source, source, "Failed to fully delete source record",
                    "Failed to add source to delete chain", kProgramCaption, plat::kMbOk);
  if (!done) return 0;
  std::uint8_t extBuf[SourceExtRec::kSize];
  if (ReadRaw(RecordKind::SourceExt, source, extBuf)) {
    SourceExtRec ext;
    ext.Decode(extBuf);
    FreeNoteChain(ext.firstNote);
    DeleteMultimediaChainOf(ext.multimedia, source, 130);
    std::fill(extBuf, extBuf + SourceExtRec::kSize, 0);
    WriteRaw(RecordKind::SourceExt, source, extBuf);
  }
  const std::int32_t citations = Highest(RecordKind::Citation);
  for (std::int32_t c = 1; c <= citations; ++c) {
    std::uint8_t cit[CitationRec::kSize];
    if (IsLive(RecordKind::Citation, c, cit) == 1 && GetI32(cit + 111) == source) DeleteCitation(c);
  }
  return 1;
}

int ORV3::DeleteRepository(std::int32_t repository) {
  if (IsLive(RecordKind::Repository, repository) != 1) return 1;
  RemoveFromTree(RecordKind::Repository, repository);
  const int done =
      DeleteToChain(RecordKind::Repository, repository, "Unable to delete repository",
                    "Failed to add repository to delete chain", kProgramCaption, plat::kMbOk);
  if (!done) return 0;
  const std::int32_t sources = Highest(RecordKind::Source);
  for (std::int32_t s = 1; s <= sources; ++s) {
    std::uint8_t src[SourceRec::kSize];
    if (IsLive(RecordKind::Source, s, src) == 1 && GetI32(src + 475) == repository) {
      PutI32(src + 475, 0);
      WriteRaw(RecordKind::Source, s, src);
    }
  }
  return 1;
}

int ORV3::DeleteUserEvent(std::int32_t event) {
  std::uint8_t buf[UserEventRec::kSize];
  if (IsLive(RecordKind::UserEvent, event, buf) != 1) return 1;
  UserEventRec rec;
  rec.Decode(buf);
  DeleteCitationChain(rec.event.firstCitation);
  DetachUserEvent(event);
  return DeleteToChain(RecordKind::UserEvent, event, "Failed to erase user event info",
                       "Failed to add user event to delete chain", "Yo", plat::kMbOk);
}

int ORV3::DeleteEventType(std::int32_t type) {
  if (IsLive(RecordKind::EventType, type) != 1) return 1;
  RemoveFromTree(RecordKind::EventType, type);
  return DeleteToChain(RecordKind::EventType, type, "Failed to erase event type info",
                       "Failed to add event type to delete chain", "Yo", plat::kMbOk);
}

int ORV3::DeleteContact(std::int32_t contact) {
  if (IsLive(RecordKind::Contact, contact) != 1) return 1;
  return DeleteToChain(RecordKind::Contact, contact, "Failed to erase contact info",
                       "Failed to add contact to delete chain", "Yo", plat::kMbOk);
}

int ORV3::DeleteMultimedia(std::int32_t item) {
  if (IsLive(RecordKind::Multimedia, item) != 1) return 1;
  return DeleteToChain(RecordKind::Multimedia, item, "Erase failure", "Delete chain failure",
                       "Delete Media", plat::kMbOk);
}
