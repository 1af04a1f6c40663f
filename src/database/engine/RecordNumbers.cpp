// New record numbers and the delete chains.
#include <string>
#include <vector>

#include "BlockStore.h"
#include "ORV3.h"
#include "Ports.h"
#include "RecordStore.h"

using namespace orv;

namespace {

bool AppendsHighestFirst(RecordKind kind) {
  return kind == RecordKind::Source || kind == RecordKind::Repository ||
         kind == RecordKind::Citation;
}

}  // namespace

void RecordStore::StartNewRecord(RecordKind kind, std::int32_t r, std::uint8_t* rec) {
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

std::int32_t RecordStore::PopChainHead(RecordKind kind) {
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
    blocks_.TellOnce(std::string("Damaged delete chain of the ") + l.name + " records",
                     "The delete chain of the " + std::string(l.name) +
                         " records is damaged at record " + std::to_string(head) +
                         "; new records are added at the end instead.",
                     BlockStore::kFailureCaption, plat::kMbOk);
    head_.SetI32(l.chainHeadField, 0);
    (void)blocks_.WriteHeader(l.headPart);  // as in NewRecord
    return 0;
  }
  head_.SetI32(l.chainHeadField, link);
  if (!blocks_.WriteHeader(l.headPart)) {
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

std::int32_t RecordStore::NewRecord(RecordKind kind, bool reuse, const RecordFiller& fill) {
  if (kind == RecordKind::NoteBlock || kind == RecordKind::IndividualExt ||
      kind == RecordKind::SourceExt)
    return 0;
  const RecordLayout& l = LayoutOf(kind);
  std::int32_t r = reuse ? PopChainHead(kind) : 0;
  const bool append = r == 0;
  if (append) {
    r = Highest(kind) + 1;
    if (!blocks_.EnsureRecordBlocks(r, l.blockType, l.perBlock)) return 0;
    if (AppendsHighestFirst(kind)) {
      head_.SetI32(l.highestField, r);
      (void)blocks_.WriteHeader(l.headPart);  // as below
    }
  }
  std::vector<std::uint8_t> rec(l.size, 0);
  StartNewRecord(kind, r, rec.data());
  if (fill) fill(r, rec.data());
  if (!WriteRecord(kind, r, rec.data(), true)) return 0;
  if (append && !AppendsHighestFirst(kind)) head_.SetI32(l.highestField, r);
  // In a batch the header waits for its end; outside one a failure is
  // counted and told (PutNow) and the change under way fails by the count.
  (void)blocks_.WriteHeader(l.headPart);
  if (kind == RecordKind::Individual) {
    if (host_->liveIndividuals >= 0) ++host_->liveIndividuals;
    if (append) host_->highestIndividual = r;
  } else if (kind == RecordKind::Marriage) {
    if (host_->liveMarriages >= 0) ++host_->liveMarriages;
    if (append) host_->highestMarriage = r;
  }
  return r;
}

int RecordStore::DeleteToChain(RecordKind kind, std::int32_t r, const char* eraseText,
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
  if (!blocks_.WriteHeader(l.headPart)) {
    plat::MessageBox(chainText, caption, flags);
    return 0;
  }
  return 1;
}
