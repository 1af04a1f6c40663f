// Record location, whole-record reads and writes, and the live and owner tests.
#include <algorithm>
#include <vector>

#include "Clock.h"
#include "ORV3.h"
#include "Ports.h"

using namespace orv;

std::int32_t ORV3::Highest(RecordKind kind) const { return head_.I32(LayoutOf(kind).highestField); }

std::int64_t ORV3::LocateRecord(RecordKind kind, std::int32_t r) const {
  if (r <= 0) return -1;
  const RecordLayout& l = LayoutOf(kind);
  std::int64_t capacity = 0;
  for (int g = 0; g < kMaxGroups; ++g) {
    const std::int64_t inGroup = std::int64_t{l.perBlock} * dbMap_.Count(g, l.blockType);
    if (capacity + inGroup < r) {
      capacity += inGroup;
      continue;
    }
    const std::int64_t within = r - capacity;
    const int j = static_cast<int>((within - 1) / l.perBlock);
    const int slot = static_cast<int>((within - 1) % l.perBlock);
    const GroupIndex* group = Group(g);
    if (!group) return -1;
    // A count the type map does not back (a lost write) gives no position.
    const int k = group->Position(l.blockType, j);
    if (k < 1 || k >= kGroupPositions) return -1;
    return BlockOffset(g, k) + std::int64_t{slot} * l.size;
  }
  return -1;
}

int ORV3::ReadRaw(RecordKind kind, std::int32_t r, std::uint8_t* buf) {
  const RecordLayout& l = LayoutOf(kind);
  std::fill(buf, buf + l.size, 0);
  const std::int64_t pos = LocateRecord(kind, r);
  if (pos < 0) return 0;
  if (!host_->Io().ReadAt(static_cast<std::uint64_t>(pos), buf, l.size)) {
    std::fill(buf, buf + l.size, 0);
    plat::MessageBox("File Read Failed", "Yo", plat::kMbOk);
    return 0;
  }
  return 1;
}

int ORV3::WriteRaw(RecordKind kind, std::int32_t r, const std::uint8_t* buf) {
  const std::int64_t pos = LocateRecord(kind, r);
  if (pos < 0) return 0;
  return Put(pos, buf, LayoutOf(kind).size) ? 1 : 0;
}

int ORV3::ReadIndividual(std::int32_t rin, IndividualRec& rec) {
  std::uint8_t buf[IndividualRec::kSize];
  const int ok = ReadRaw(RecordKind::Individual, rin, buf);
  rec.Decode(buf);
  // A record without a creation stamp takes its last-update time, else now.
  if (ok && rec.created == 0 && rec.sex != 'D') {
    rec.created = rec.updated != 0 ? rec.updated : static_cast<std::int32_t>(plat::Now());
    rec.Encode(buf);
    rec.Decode(buf);
    WriteRaw(RecordKind::Individual, rin, buf);
  }
  return ok;
}

int ORV3::ReadIndividualExt(std::int32_t rin, IndividualExtRec& rec) {
  const bool exists = rin >= 1 && rin <= Highest(RecordKind::Individual);
  if (exists) {
    const RecordLayout& l = LayoutOf(RecordKind::IndividualExt);
    if (LocateRecord(RecordKind::IndividualExt, rin) < 0)
      EnsureRecordBlocks(rin, l.blockType, l.perBlock);
  }
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
      WriteRaw(RecordKind::IndividualExt, rin, buf);
    }
  }
  return ok;
}

int ORV3::ReadSourceExt(std::int32_t source, SourceExtRec& rec) {
  if (source >= 1 && source <= Highest(RecordKind::Source) &&
      LocateRecord(RecordKind::SourceExt, source) < 0) {
    const RecordLayout& l = LayoutOf(RecordKind::SourceExt);
    EnsureRecordBlocks(source, l.blockType, l.perBlock);
  }
  std::uint8_t buf[SourceExtRec::kSize];
  const int ok = ReadRaw(RecordKind::SourceExt, source, buf);
  rec.Decode(buf);
  return ok;
}

int ORV3::WriteFamilyLink(std::int32_t link, FamilyLinkRec rec) {
  if (rec.relation != 'D') {
    if (rec.nextInMarriage == 0) rec.nextInMarriage = link;
    if (rec.nextInChild == 0) rec.nextInChild = link;
  }
  std::uint8_t buf[FamilyLinkRec::kSize];
  rec.Encode(buf);
  return WriteRaw(RecordKind::FamilyLink, link, buf);
}

int ORV3::IsLive(RecordKind kind, std::int32_t r, std::uint8_t* buf) {
  std::vector<std::uint8_t> local;
  if (!buf) {
    local.resize(LayoutOf(kind).size);
    buf = local.data();
  }
  if (r < 1 || r > Highest(kind)) return 0;
  if (!ReadRaw(kind, r, buf)) return 0;
  return IsDeletedRecord(kind, buf) ? -1 : 1;
}

int ORV3::IsOwnerLive(std::int32_t r, char letter) {
  RecordKind kind;
  switch (letter) {
    case 'A':
    case 'B':
    case 'C':
    case 'D':
    case 'E':
    case 'I':
    case 'P':
    case 'R':
      kind = RecordKind::Individual;
      break;
    case 'G':
    case 'M':
    case 'S':
      kind = RecordKind::Marriage;
      break;
    case 'U':
    case 'V':
      kind = RecordKind::UserEvent;
      break;
    case 'p':
      kind = RecordKind::FamilyLink;
      break;
    default:
      return 0;
  }
  return IsLive(kind, r) == 1 ? 1 : 0;
}
