// Walks over the multimedia chains that individuals, marriages, sources and
// citations own: the first item of a chain and the delete of a whole chain.
#include "ORV3.h"

using namespace orv;

std::int32_t ORV3::FirstMultimediaItem(std::int32_t item) {
  if (item <= 0) return 0;
  // A chain cannot hold more items than the file has; more steps mean a loop.
  const std::int32_t highest = Highest(RecordKind::Multimedia);
  std::int32_t current = item;
  for (std::int32_t steps = 0; steps <= highest; ++steps) {
    MultimediaRec rec;
    if (IsLive(RecordKind::Multimedia, current) != 1 || !Read(current, rec)) return 0;
    if (rec.previous <= 0) return current;
    current = rec.previous;
  }
  return 0;
}

int ORV3::DeleteMultimediaChainOf(std::int32_t item, std::int32_t owner, int ownerType) {
  if (item <= 0) return 1;
  std::int32_t current = FirstMultimediaItem(item);
  if (current == 0) return 0;
  const std::int32_t highest = Highest(RecordKind::Multimedia);
  for (std::int32_t steps = 0; steps <= highest; ++steps) {
    MultimediaRec rec;
    if (IsLive(RecordKind::Multimedia, current) != 1 || !Read(current, rec)) return 0;
    // A damaged link into another owner's chain must not delete that chain.
    if (owner > 0 && rec.owner != 0 && rec.owner != owner) return 0;
    if (ownerType > 0 && rec.value28 != 0 && rec.value28 != ownerType) return 0;
    const std::int32_t next = rec.next;
    if (!DeleteMultimedia(current)) return 0;
    if (next <= 0) return 1;
    current = next;
  }
  return 0;
}
