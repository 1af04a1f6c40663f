// Record location, whole-record reads and writes, the live and owner tests,
// the record counts and the recovery of highest numbers after a crash.
#include "RecordStore.h"

#include <algorithm>
#include <vector>

#include "BlockStore.h"
#include "Clock.h"
#include "DbCodes.h"
#include "ORV3.h"
#include "Ports.h"
#include "TimeStamp.h"

using namespace orv;

namespace {

void Yo(const char* text) { plat::MessageBox(text, "Yo", plat::kMbOk); }

// Record kinds that keep their own highest number in the header.
constexpr RecordKind kNumberedKinds[] = {
    RecordKind::Individual, RecordKind::Marriage, RecordKind::NoteBlock,  RecordKind::FamilyLink,
    RecordKind::Citation,   RecordKind::Source,   RecordKind::Repository, RecordKind::UserEvent,
    RecordKind::EventType,  RecordKind::Contact,  RecordKind::Multimedia,
};

}  // namespace

RecordStore::RecordStore(EngineHost* host, BlockStore& blocks)
    : host_(host), blocks_(blocks), head_(blocks.Head()) {}

std::int32_t RecordStore::Highest(RecordKind kind) const {
  return head_.I32(LayoutOf(kind).highestField);
}

std::int64_t RecordStore::LocateRecord(RecordKind kind, std::int32_t r) const {
  if (r <= 0) return -1;
  const RecordLayout& l = LayoutOf(kind);
  std::int64_t capacity = 0;
  for (int g = 0; g < kMaxGroups; ++g) {
    const std::int64_t inGroup = std::int64_t{l.perBlock} * blocks_.Map().Count(g, l.blockType);
    if (capacity + inGroup < r) {
      capacity += inGroup;
      continue;
    }
    const std::int64_t within = r - capacity;
    const int j = static_cast<int>((within - 1) / l.perBlock);
    const int slot = static_cast<int>((within - 1) % l.perBlock);
    const GroupIndex* group = blocks_.Group(g);
    if (!group) return -1;
    // A count the type map does not back (a lost write) gives no position.
    const int k = group->Position(l.blockType, j);
    if (k < 1 || k >= kGroupPositions) return -1;
    return BlockOffset(g, k) + std::int64_t{slot} * l.size;
  }
  return -1;
}

int RecordStore::ReadRaw(RecordKind kind, std::int32_t r, std::uint8_t* buf) {
  return ReadRawPart(kind, r, 0, LayoutOf(kind).size, buf);
}

int RecordStore::ReadRawPart(RecordKind kind, std::int32_t r, std::size_t from, std::size_t len,
                             std::uint8_t* buf) {
  const std::int64_t pos = LocateRecord(kind, r);
  if (pos >= 0 && blocks_.ReadAt(pos + static_cast<std::int64_t>(from), buf + from, len)) return 1;
  std::fill(buf + from, buf + from + len, 0);
  if (pos >= 0)
    blocks_.TellOnce("File Read Failed", "File Read Failed", BlockStore::kFailureCaption,
                     plat::kMbOk);
  return 0;
}

int RecordStore::WriteRaw(RecordKind kind, std::int32_t r, const std::uint8_t* buf) {
  return WriteRecord(kind, r, buf, false);
}

int RecordStore::WriteRecord(RecordKind kind, std::int32_t r, const std::uint8_t* buf, bool isNew) {
  const std::int64_t pos = LocateRecord(kind, r);
  if (pos < 0) return 0;
  if (kind == RecordKind::Individual) {
    const auto at = static_cast<std::size_t>(r);
    if (individualWrites_.size() <= at)
      individualWrites_.resize(std::max(at + 1, individualWrites_.size() * 2));
    ++individualWrites_[at];
  }
  const std::size_t size = LayoutOf(kind).size;
  return (isNew ? blocks_.PutNew(pos, buf, size) : blocks_.Put(pos, buf, size)) ? 1 : 0;
}

int RecordStore::ReadIndividual(std::int32_t rin, IndividualRec& rec) {
  std::uint8_t buf[IndividualRec::kSize];
  const int ok = ReadRaw(RecordKind::Individual, rin, buf);
  rec.Decode(buf);
  // A record without a creation stamp takes its last-update time, else now.
  if (ok && rec.created == 0 && rec.sex != 'D') {
    rec.created = rec.updated != 0 ? rec.updated : TimeToStamp(plat::Now());
    rec.Encode(buf);
    rec.Decode(buf);
    WriteRaw(RecordKind::Individual, rin, buf);
  }
  return ok;
}

bool RecordStore::EnsureExtension(RecordKind extension, RecordKind base, std::int32_t r) {
  if (r < 1 || r > Highest(base)) return false;
  if (LocateRecord(extension, r) < 0) {
    const RecordLayout& l = LayoutOf(extension);
    blocks_.EnsureRecordBlocks(r, l.blockType, l.perBlock);
  }
  return true;
}

int RecordStore::ReadIndividualExt(std::int32_t rin, IndividualExtRec& rec, bool writeCleared) {
  const bool exists = EnsureExtension(RecordKind::IndividualExt, RecordKind::Individual, rin);
  std::uint8_t buf[IndividualExtRec::kSize];
  const int ok = ReadRaw(RecordKind::IndividualExt, rin, buf);
  rec.Decode(buf);
  if (ok && exists) {
    // An extension left over from an earlier individual of this number is
    // cleared and takes the present individual's stamp.
    IndividualRec person;
    ReadIndividual(rin, person);
    if (rec.stamp != person.created) {
      rec = IndividualExtRec{};
      rec.stamp = person.created;
      rec.Encode(buf);
      rec.Decode(buf);
      if (writeCleared) WriteRaw(RecordKind::IndividualExt, rin, buf);
    }
  }
  return ok;
}

int RecordStore::ReadSourceExt(std::int32_t source, SourceExtRec& rec) {
  EnsureExtension(RecordKind::SourceExt, RecordKind::Source, source);
  std::uint8_t buf[SourceExtRec::kSize];
  const int ok = ReadRaw(RecordKind::SourceExt, source, buf);
  rec.Decode(buf);
  return ok;
}

int RecordStore::WriteFamilyLink(std::int32_t link, FamilyLinkRec rec) {
  if (rec.relation != 'D') {
    if (rec.nextInMarriage == 0) rec.nextInMarriage = link;
    if (rec.nextInChild == 0) rec.nextInChild = link;
  }
  std::uint8_t buf[FamilyLinkRec::kSize];
  rec.Encode(buf);
  return WriteRaw(RecordKind::FamilyLink, link, buf);
}

int RecordStore::IsLive(RecordKind kind, std::int32_t r, std::uint8_t* buf) {
  if (r < 1 || r > Highest(kind)) return 0;
  if (buf) {
    if (!ReadRaw(kind, r, buf)) return 0;
    return IsDeletedRecord(kind, buf) ? -1 : 1;
  }
  // Without a buffer only the bytes that tell a deleted record are read.
  std::uint8_t head[kDeletedMarkBytes] = {};
  if (!ReadRawPart(kind, r, 0, std::min<std::size_t>(sizeof head, LayoutOf(kind).size), head))
    return 0;
  return IsDeletedRecord(kind, head) ? -1 : 1;
}

int RecordStore::IsOwnerLive(std::int32_t r, char letter) {
  RecordKind kind;
  switch (letter) {
    case db::kOwnerBaptism:
    case db::kOwnerBirth:
    case db::kOwnerChristening:
    case db::kOwnerDeath:
    case db::kOwnerEndowment:
    case db::kOwnerIndividual:
    case db::kOwnerSealingToParents:
    case db::kOwnerBurial:
      kind = RecordKind::Individual;
      break;
    case db::kOwnerMarriageEvent:
    case db::kOwnerMarriage:
    case db::kOwnerSealingToSpouse:
      kind = RecordKind::Marriage;
      break;
    case db::kOwnerIndividualUserEvent:
    case db::kOwnerMarriageUserEvent:
      kind = RecordKind::UserEvent;
      break;
    case db::kOwnerFamilyLink:
      kind = RecordKind::FamilyLink;
      break;
    default:
      return 0;
  }
  return IsLive(kind, r) == 1 ? 1 : 0;
}

std::int32_t RecordStore::GetRecordCount(int apiType) {
  switch (apiType) {
    case db::kIndividual:
      return head_.I32(kHeadHighestIndividual);
    case db::kMarriage:
      return head_.I32(kHeadHighestMarriage);
    case db::kNoteBlock:
      return head_.I32(kHeadHighestNote);
    case db::kSource:
      return head_.I32(kHeadHighestSource);
    case db::kRepository:
      return head_.I32(kHeadHighestRepository);
    case db::kCitation:
      return head_.I32(kHeadHighestCitation);
    case db::kUserEvent:
      return head_.I32(kHeadHighestUserEvent);
    case db::kEventType:
      return head_.I32(kHeadHighestEventType);
    case db::kFamilyLink:
      return head_.I32(kHeadHighestFamilyLink);
    case db::kMultimedia:
      return head_.I32(kHeadHighestMultimedia);
    default:
      Yo("Bad type in ORV3::GetRecordCount");
      return 0;
  }
}

void RecordStore::RecountMaxVars(int index) {
  // Live count = highest minus the length of the delete chain, walked at most
  // highest + 1 steps so that a looping chain ends.
  auto liveCount = [this](RecordKind kind) {
    const RecordLayout& l = LayoutOf(kind);
    const std::int32_t highest = head_.I32(l.highestField);
    std::vector<std::uint8_t> buf(l.size);
    std::int32_t length = 0;
    std::int32_t r = head_.I32(l.chainHeadField);
    for (std::int64_t steps = 0; r > 0 && steps < std::int64_t{highest} + 1; ++steps) {
      if (!ReadRaw(kind, r, buf.data())) break;
      ++length;
      r = GetI32(buf.data() + l.linkOffset);
    }
    return highest - length;
  };
  switch (index) {
    case 1:
      host_->highestIndividual = head_.I32(kHeadHighestIndividual);
      host_->liveIndividuals = liveCount(RecordKind::Individual);
      break;
    case 2:
      host_->highestMarriage = head_.I32(kHeadHighestMarriage);
      host_->liveMarriages = liveCount(RecordKind::Marriage);
      break;
    case 3:
      host_->nameEntries = head_.I32(kHeadNameCount);
      break;
    case 4:
      host_->noteBlocks = head_.I32(kHeadHighestNote);
      break;
    default:
      Yo("Unknown Index in RecountMaxVars");
      break;
  }
}

int RecordStore::RecoverHighestNumbers() {
  // New records are written before the header's highest number in batch
  // mode reaches the disk; after a crash the next new record would reuse
  // (and overwrite) a record that exists. A slot inside the allocated blocks
  // that holds any non-zero byte was written (live or deleted).
  int raised = 0;
  for (RecordKind kind : kNumberedKinds) {
    const RecordLayout& l = LayoutOf(kind);
    const std::int32_t stored = Highest(kind);
    std::vector<std::uint8_t> buf(l.size);
    std::int32_t r = std::max(stored, 0);
    while (LocateRecord(kind, r + 1) >= 0) {
      if (!ReadRaw(kind, r + 1, buf.data())) break;
      if (std::all_of(buf.begin(), buf.end(), [](std::uint8_t b) { return b == 0; })) break;
      ++r;
    }
    if (r > stored) {
      head_.SetI32(l.highestField, r);
      ++raised;
    }
  }
  // A mend of the open: memory holds it; a failed write is counted and told.
  if (raised) (void)blocks_.WriteHeader(HeadPart::Whole);
  return raised;
}

std::int32_t RecordStore::LastWritten(RecordKind kind, std::int32_t upTo) {
  std::vector<std::uint8_t> buf(LayoutOf(kind).size);
  for (std::int32_t r = upTo; r >= 1; --r)
    if (ReadRaw(kind, r, buf.data()) &&
        std::any_of(buf.begin(), buf.end(), [](std::uint8_t b) { return b != 0; }))
      return r;
  return 0;
}
