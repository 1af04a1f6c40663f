// Mending a family file left by a process that died in batch mode: the
// header's counter area then holds the values of when the batch began.
#include <algorithm>
#include <vector>

#include "ORV3.h"

using namespace orv;

namespace {

// The record kinds with a delete chain, and those with a record tree (with
// the offset of their lesser, greater and parent links).
const RecordKind kChained[] = {
    RecordKind::Individual, RecordKind::Marriage,   RecordKind::FamilyLink, RecordKind::Citation,
    RecordKind::Source,     RecordKind::Repository, RecordKind::UserEvent,  RecordKind::EventType,
    RecordKind::Contact,    RecordKind::Multimedia};
struct TreeOf {
  RecordKind kind;
  int linkOffset;
  int rootField;
};
const TreeOf kTrees[] = {{RecordKind::Individual, 242, kHeadIndividualRoot},
                         {RecordKind::Source, 463, kHeadSourceRoot},
                         {RecordKind::Repository, 287, kHeadRepositoryRoot},
                         {RecordKind::EventType, 12, kHeadEventTypeRoot}};

}  // namespace

int ORV3::RecoverInterruptedBatch() {
  FileHead& head = blocks_.Head();
  if ((head.Byte(kHeadBatchMark) & (kMarkBatch | kMarkAdd)) == 0) return 0;

  // Block counts per type, as the groups' type maps show them.
  for (int t = 1; t <= kMapTypes; ++t) {
    const int field = BlockCountField(t);
    if (field < 0 || t == kBlockFirst) continue;
    int count = 0;
    for (int g = 0; g < blocks_.GroupCount(); ++g)
      if (const GroupIndex* group = blocks_.Group(g)) count += group->TypeCount(t);
    head.SetI32(field, count);
  }
  records_.RecoverHighestNumbers();

  // The string stores: every entry of every block, in the order written.
  for (const int kind : {0, 4}) {
    const StoreFields& store = StoreOfKind(kind);
    std::int32_t count = 0;
    std::int64_t first = -1, next = -1, end = -1;
    for (int g = 0; g < blocks_.GroupCount(); ++g) {
      const GroupIndex* group = blocks_.Group(g);
      for (int j = 0; group && j < group->TypeCount(store.blockType); ++j) {
        const std::int64_t block = BlockOffset(g, group->Position(store.blockType, j));
        if (first < 0) first = block;
        std::int64_t pos = block;
        while (block + kBlockSize - pos >= kEntryMaxSize) {
          std::uint8_t mark[kEntryText + 1] = {};
          if (!blocks_.ReadAt(pos, mark, sizeof mark) ||
              std::all_of(std::begin(mark), std::end(mark), [](std::uint8_t b) { return b == 0; }))
            break;
          StringEntry entry;
          const int size = strings_.ReadEntry(static_cast<std::int32_t>(pos), entry, false);
          if (size <= 0) break;
          pos += size;
          ++count;
        }
        next = pos;
        end = block + kBlockSize;
      }
    }
    if (first < 0) continue;
    head.SetI32(store.countField, count);
    head.SetI32(store.nextField, static_cast<std::int32_t>(next));
    head.SetI32(store.endField, static_cast<std::int32_t>(end));
    if (count > 0 && head.I32(store.rootField) == 0)
      head.SetI32(store.rootField, static_cast<std::int32_t>(first));
  }

  // A record the batch had just numbered but not yet filled in (the process
  // died in its add) holds only its new-record marks, and perhaps the links
  // of a half-done tree insert: the add is undone, so that no blank record
  // is left live. It joins the delete chain below.
  for (const TreeOf& tree : kTrees) {
    const std::size_t size = LayoutOf(tree.kind).size;
    std::vector<std::uint8_t> buf(size), fresh(size);
    for (std::int32_t n = records_.Highest(tree.kind); n >= 1; --n) {
      if (records_.IsLive(tree.kind, n, buf.data()) != 1) continue;
      std::fill(fresh.begin(), fresh.end(), 0);
      RecordStore::StartNewRecord(tree.kind, n, fresh.data());
      // The first read of a new individual gives it its creation stamp,
      // which follows its tree links.
      const int kept = tree.kind == RecordKind::Individual ? 16 : 12;
      std::copy_n(buf.begin() + tree.linkOffset, kept, fresh.begin() + tree.linkOffset);
      if (buf != fresh) continue;
      MakeDeletedRecord(tree.kind, buf.data(), 0);
      records_.WriteRaw(tree.kind, n, buf.data());
    }
  }

  // Record trees: rotations move the root, and the stored one may be stale.
  // Climb the parent links from it (or from a record in the tree); a tree
  // that then does not reach every live record once, or not in key order,
  // is built again.
  for (const TreeOf& tree : kTrees) {
    const std::int32_t highest = records_.Highest(tree.kind);
    std::vector<std::uint8_t> buf(LayoutOf(tree.kind).size);
    const auto parentOf = [&](std::int32_t r) {
      return records_.IsLive(tree.kind, r, buf.data()) == 1
                 ? GetI32(buf.data() + tree.linkOffset + 8)
                 : -1;
    };
    std::int32_t r = head.I32(tree.rootField);
    if (parentOf(r) < 0) {
      r = 0;
      for (std::int32_t n = 1; n <= highest && r == 0; ++n)
        if (parentOf(n) > 0) r = n;
      for (std::int32_t n = 1; n <= highest && r == 0; ++n)
        if (parentOf(n) == 0) r = n;
    }
    for (std::int32_t steps = 0; r > 0 && steps <= highest; ++steps) {
      const std::int32_t up = parentOf(r);
      if (up <= 0 || up == r) break;
      r = up;
    }
    head.SetI32(tree.rootField, r);
    // The batch held its tree links back: what reached the file may be
    // links of different moments, a tree that misses records or, whole,
    // places a record by the key it had before.
    if (!trees_.TreeIsWhole(tree.kind) || !trees_.KeyOrderFaults(tree.kind).empty())
      trees_.RebuildTree(tree.kind);
  }

  // Delete chains from the deleted records: highest first, so that the
  // lowest number is handed out first.
  for (const RecordKind kind : kChained) {
    const RecordLayout& layout = LayoutOf(kind);
    if (layout.chainHeadField < 0 || layout.linkOffset < 0) continue;
    std::vector<std::uint8_t> buf(layout.size);
    std::int32_t before = 0;
    for (std::int32_t n = records_.Highest(kind); n >= 1; --n) {
      if (records_.IsLive(kind, n, buf.data()) != -1) continue;
      if (GetI32(buf.data() + layout.linkOffset) != before) {
        PutI32(buf.data() + layout.linkOffset, before);
        records_.WriteRaw(kind, n, buf.data());
      }
      before = n;
    }
    head.SetI32(layout.chainHeadField, before);
  }

  // The free note blocks, from what the blocks hold: the stored head is the
  // one of when the batch began.
  notes_.RebuildFreeList();

  head.SetByte(kHeadBatchMark, 0);
  // A mark left (the failure counted and told) has the next open recover again.
  (void)blocks_.WriteHeader(HeadPart::Whole);
  blocks_.Flush();
  for (int i = 1; i <= 4; ++i) records_.RecountMaxVars(i);
  return 1;
}
