// The multimedia chains that individuals, marriages, sources and citations
// own: the head an owner holds, the first item of a chain and the delete of
// a whole chain.
#include "OwnerChains.h"

#include "DbCodes.h"
#include "RecordDeletes.h"
#include "RecordStore.h"

using namespace orv;

namespace {

// Reads the record that holds the multimedia chain head of an owner of type
// kIndividual, kMarriage, kSource or kCitation and hands it to use with that
// field; -1 for another type or when the record cannot be read.
template <class Use>
std::int32_t WithMultimediaHead(RecordStore& records, std::int32_t owner, int type, Use use) {
  switch (type) {
    case db::kIndividual: {
      IndividualExtRec ext;
      if (!records.Read(owner, ext)) return -1;
      return use(ext, ext.firstMultimediaLink);
    }
    case db::kMarriage: {
      MarriageRec m;
      if (!records.Read(owner, m)) return -1;
      return use(m, m.firstMultimedia);
    }
    case db::kSource: {
      SourceExtRec ext;
      if (!records.Read(owner, ext)) return -1;
      return use(ext, ext.multimedia);
    }
    case db::kCitation: {
      CitationRec c;
      if (!records.Read(owner, c)) return -1;
      return use(c, c.multimedia);
    }
    default:
      return -1;
  }
}

}  // namespace

std::int32_t OwnerChains::FirstMultimediaItem(std::int32_t item) {
  if (item <= 0) return 0;
  // A chain cannot hold more items than the file has; more steps mean a loop.
  const std::int32_t highest = records_.Highest(RecordKind::Multimedia);
  std::int32_t current = item;
  for (std::int32_t steps = 0; steps <= highest; ++steps) {
    MultimediaRec rec;
    if (records_.IsLive(RecordKind::Multimedia, current) != 1 || !records_.Read(current, rec))
      return 0;
    if (rec.previous <= 0) return current;
    current = rec.previous;
  }
  return 0;
}

int OwnerChains::DeleteMultimediaChainOf(std::int32_t item, std::int32_t owner, int ownerType) {
  if (item <= 0) return 1;
  std::int32_t current = FirstMultimediaItem(item);
  if (current == 0) return 0;
  const std::int32_t highest = records_.Highest(RecordKind::Multimedia);
  for (std::int32_t steps = 0; steps <= highest; ++steps) {
    MultimediaRec rec;
    if (records_.IsLive(RecordKind::Multimedia, current) != 1 || !records_.Read(current, rec))
      return 0;
    // A damaged link into another owner's chain must not delete that chain.
    if (owner > 0 && rec.owner != 0 && rec.owner != owner) return 0;
    if (ownerType > 0 && rec.value28 != 0 && rec.value28 != ownerType) return 0;
    const std::int32_t next = rec.next;
    if (!deletes_.DeleteMultimedia(current)) return 0;
    if (next <= 0) return 1;
    current = next;
  }
  return 0;
}

std::int32_t OwnerChains::GetMultimediaHead(std::int32_t owner, int type) {
  return WithMultimediaHead(records_, owner, type,
                            [](auto&, std::int32_t& field) -> std::int32_t { return field; });
}

std::int32_t OwnerChains::SetMultimediaHead(std::int32_t owner, int type, std::int32_t head) {
  return WithMultimediaHead(records_, owner, type,
                            [&](auto& rec, std::int32_t& field) -> std::int32_t {
                              const std::int32_t old = field;
                              if (old == head) return old;
                              field = head;
                              return records_.Write(owner, rec) ? old : -1;
                            });
}
