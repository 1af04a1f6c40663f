// The alphabetic index of individuals: the ".ora" file beside the family
// file, rebuilt by the index builder when stale, read by position, with the
// position of each RIN kept in memory.
#include <algorithm>
#include <new>

#include "AlphaIndexBuilder.h"
#include "AlphaIndexFile.h"
#include "ORV3.h"
#include "RecordStore.h"
#include "RecordTrees.h"

using namespace orv;

bool RecordTrees::EnsureNameIndex() {
  if (nameIndexReady_) return true;
  try {
    namePosition_.assign(
        static_cast<std::size_t>(std::max(records_.Highest(RecordKind::Individual), 0)) + 1, 0);
  } catch (const std::bad_alloc&) {
    namePosition_.clear();
    return false;
  }
  nameIndex_.clear();
  nameIndexInMemory_ = false;
  CAlphaIndexBuilder::Result built = CAlphaIndexBuilder::kNoFile;
  if (host_->indexStale && !host_->path.empty()) {
    CAlphaIndexBuilder builder(
        *host_, TreeRoot(RecordKind::Individual), records_.Highest(RecordKind::Individual),
        [this](std::int32_t rin, std::int32_t& lesser, std::int32_t& greater) {
          return GetTreeChildren(rin, lesser, greater);
        });
    built = builder.Run();
    // A cancelled build leaves no index; the next request tries again.
    if (built == CAlphaIndexBuilder::kCancelled) return false;
  }
  if (host_->indexStale == 0 && host_->alphaFile.IsOpen() && LoadNamePositions()) {
    nameIndexReady_ = true;
    return true;
  }
  // No index file can be kept beside the family file (no path, or a folder
  // that takes no files): the same order is kept in memory only.
  nameIndex_ = TreeInOrder(RecordKind::Individual);
  nameIndexInMemory_ = true;
  for (std::size_t i = 0; i < nameIndex_.size(); ++i) {
    const std::int32_t rin = nameIndex_[i];
    if (rin > 0 && static_cast<std::size_t>(rin) < namePosition_.size())
      namePosition_[rin] = static_cast<std::int32_t>(i + 1);
  }
  nameIndexReady_ = true;
  return true;
}

bool RecordTrees::LoadNamePositions() {
  const std::int32_t entries = host_->alphaEntries;
  constexpr std::size_t kChunkEntries = 4096;
  std::vector<std::uint8_t> chunk(4 * kChunkEntries);
  for (std::int32_t first = 0; first < entries;) {
    const std::size_t n =
        std::min<std::size_t>(kChunkEntries, static_cast<std::size_t>(entries - first));
    if (!host_->alphaFile.ReadAt(4 * static_cast<std::uint64_t>(first), chunk.data(), 4 * n))
      return false;
    for (std::size_t i = 0; i < n; ++i) {
      const std::int32_t rin = GetI32(chunk.data() + 4 * i);
      if (rin > 0 && static_cast<std::size_t>(rin) < namePosition_.size())
        namePosition_[rin] = first + static_cast<std::int32_t>(i) + 1;
    }
    first += static_cast<std::int32_t>(n);
  }
  return true;
}

std::int32_t RecordTrees::NameIndexEntries() {
  if (!EnsureNameIndex()) return 0;
  return nameIndexInMemory_ ? static_cast<std::int32_t>(nameIndex_.size()) : host_->alphaEntries;
}

std::int32_t RecordTrees::NameIndexAt(std::int32_t position) {
  const std::int32_t entries = NameIndexEntries();
  if (position < 1 || position > entries) return 0;
  if (nameIndexInMemory_) return nameIndex_[position - 1];
  return ReadAlphaEntry(position, host_->alphaFile, entries);
}

std::int32_t RecordTrees::NameIndexPositionOf(std::int32_t rin) {
  if (!EnsureNameIndex()) return 0;
  if (rin < 1 || static_cast<std::size_t>(rin) >= namePosition_.size()) return 0;
  return namePosition_[rin];
}

int RecordTrees::GetTreeChildren(std::int32_t rin, std::int32_t& lesser, std::int32_t& greater) {
  lesser = greater = 0;
  IndividualRec person;
  if (records_.IsLive(RecordKind::Individual, rin) != 1 || !records_.Read(rin, person)) return 0;
  lesser = person.treeLesser;
  greater = person.treeGreater;
  return 1;
}
