// Block allocation and the used-position counters; making record numbers
// addressable.
#include <algorithm>
#include <limits>
#include <vector>

#include "BlockStore.h"
#include "ORV3.h"
#include "Ports.h"

using namespace orv;

namespace {

const std::vector<std::uint8_t>& ZeroBlock() {
  static const std::vector<std::uint8_t> zeros(kBlockSize, 0);
  return zeros;
}

}  // namespace

namespace {

// One more of a count read from the file, held at the largest int32.
std::int32_t OneMore(std::int32_t v) {
  return v < std::numeric_limits<std::int32_t>::max() ? v + 1 : v;
}

}  // namespace

int BlockStore::IncrementFileBlockCount(int type) {
  head_.SetI32(kHeadUsedPositions, OneMore(head_.I32(kHeadUsedPositions)));
  if (type == kBlockDBMap || type == kBlockIndividualExt || type == kBlockSourceExt) return 1;
  const int field = BlockCountField(type);
  if (field < 0) {
    plat::MessageBox("Unknown block type in IncrementFileBlockCount", "Yo", plat::kMbOk);
    return 0;
  }
  head_.SetI32(field, OneMore(head_.I32(field)));
  return 1;
}

int BlockStore::TakePosition(int& g, int& p) {
  const int groups = head_.I32(kHeadGroups);
  if (groups >= 1 && groups <= kMaxGroups) {
    g = groups - 1;
    p = head_.I32(kHeadUsedPositions);
    // Never hand out a position the group's type map shows in use, even when
    // the stored counter lags behind it.
    if (const GroupIndex* group = Group(g)) p = std::max(p, group->UsedPositions());
    if (p >= 1 && p < kGroupPositions) {
      head_.SetI32(kHeadUsedPositions, p);
      return 1;
    }
  }
  const int next = std::max(groups, 1);
  if (next >= kMaxGroups) {
    plat::MessageBox("The family file has no room for another group of blocks", "Yo", plat::kMbOk);
    return 0;
  }
  std::vector<std::uint8_t> first(kBlockSize, 0);
  first[0] = kBlockFirst;
  if (!Put(FirstBlockOffset(next), first.data(), kBlockSize)) return 0;
  head_.SetI32(kHeadGroups, next + 1);
  head_.SetI32(kHeadUsedPositions, 1);
  if (!BuildGroupIndex(next)) return 0;
  g = next;
  p = 1;
  return 1;
}

std::int64_t BlockStore::AllocateBlock(int type) {
  // A file that may not be written gets no blocks: the group index is built
  // from the disk and would not show one.
  if (host_->readOnly || reading_ > 0 || type < 1 || type > kMapTypes) return -1;
  int g = 0, p = 0;
  if (!TakePosition(g, p)) return -1;
  const auto typeByte = static_cast<std::uint8_t>(type);
  if (!Put(FirstBlockOffset(g) + p, &typeByte, 1)) return -1;
  if (!Put(BlockOffset(g, p), ZeroBlock().data(), kBlockSize)) {
    // The block did not reach the file (a full disk): its type byte goes
    // too, so that the type map counts what the DBMap and header count.
    const std::uint8_t free = 0;
    (void)Put(FirstBlockOffset(g) + p, &free, 1);  // best effort: the allocation failed already
    return -1;
  }
  dbMap_.SetCount(g, type, dbMap_.Count(g, type) + 1);
  WriteDBMapCount(g, type);
  IncrementFileBlockCount(type);
  // A failure is counted and told (PutNow); the change under way fails by
  // the count (EditScope, NewRecordWait).
  (void)WriteHeader(HeadPart::Whole);
  Flush();
  // The type byte just written is the only change to the group's type map.
  if (g < GroupCount() && groups_[g])
    groups_[g]->Add(p, type);
  else
    BuildGroupIndex(g);
  return BlockOffset(g, p);
}

int BlockStore::EnsureRecordBlocks(std::int32_t r, int type, int perBlock) {
  if (r <= 0 || perBlock <= 0) return 0;
  const bool savedBatch = batch_;
  batch_ = true;
  int ok = 1;
  bool allocated = false;
  std::int64_t capacity = 0;
  int row = 0;
  // One call grows the file by at most one group of blocks, however far
  // the number asked for lies beyond the blocks there are.
  int allocations = 0;
  for (long passes = 1;; ++passes) {
    if (row >= kMaxGroups || allocations >= kGroupPositions - 1) {
      ok = 0;
      break;
    }
    const std::int64_t inRow = std::int64_t{perBlock} * dbMap_.Count(row, type);
    if (capacity + inRow >= r) break;
    if (passes % 512 == 0) plat::PumpWaitingMessages();
    const bool full = dbMap_.UsedPositions(row) > kGroupPositions - 1;
    const bool beforeLast = row < head_.I32(kHeadGroups) - 1;
    if (full || beforeLast) {
      capacity += inRow;
      ++row;
      continue;
    }
    if (AllocateBlock(type) < 0) {
      ok = 0;
      break;
    }
    ++allocations;
    allocated = true;
  }
  batch_ = savedBatch;
  // The allocations above held back the header; outside batch mode it must
  // reach the disk now, or a later allocation could reuse these positions.
  if (allocated && !batch_ && !WriteHeader(HeadPart::Whole)) ok = 0;
  Flush();
  return ok;
}

int BlockStore::SetFileBlockCount(int type, std::int32_t count, bool setHighest) {
  int highestField = -1;
  std::int64_t highest = 0;
  switch (type) {
    case 1021:
      head_.SetI32(kHeadUsedPositions, count);
      break;
    case 1022:
    case kBlockFirst:
      head_.SetI32(kHeadGroups, count);
      break;
    case kBlockIndividualExt:
    case kBlockSourceExt:
      return -1;
    case kBlockNames:
    case kBlockOtherNames:
      highestField = type == kBlockNames ? kHeadNameCount : kHeadOtherNameCount;
      highest = std::int64_t{count} * 4096;
      break;
    case kBlockDescriptors:
      highestField = kHeadHighestDescriptor;
      highest = std::int64_t{count} * kBlockSize / 316;
      break;
    default: {
      const RecordLayout* l = LayoutOfBlockType(type);
      if (!l || BlockCountField(type) < 0) {
        plat::MessageBox("Unknown block type in IncrementFileBlockCount", "Yo", plat::kMbOk);
        return -1;
      }
      highestField = l->highestField;
      highest = std::int64_t{count} * kBlockSize / l->size;
      break;
    }
  }
  if (type != 1021 && type != 1022 && type != kBlockFirst) {
    head_.SetI32(BlockCountField(type), count);
    if (setHighest && count != 0 && head_.I32(highestField) == 0)
      head_.SetI32(highestField, static_cast<std::int32_t>(highest));
  }
  const bool inTail = type == kBlockUserEvents || type == kBlockEventTypes ||
                      type == kBlockContacts || type == kBlockOtherNames ||
                      type == kBlockMultimedia;
  (void)WriteHeader(inTail ? HeadPart::Tail : HeadPart::Counters);  // as in AllocateBlock
  return 1;
}
