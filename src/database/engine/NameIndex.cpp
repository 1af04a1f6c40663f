// The alphabetic index of individuals: their RINs in name-tree order and
// the position of each, with the ".ora" file written beside the family file.
#include <algorithm>

#include "AlphaIndexFile.h"
#include "ORV3.h"
#include "RecordStore.h"
#include "RecordTrees.h"

using namespace orv;

bool RecordTrees::EnsureNameIndex() {
  if (nameIndexBuilt_ && !host_->indexStale) return true;
  nameIndex_ = TreeInOrder(RecordKind::Individual);
  namePosition_.assign(
      static_cast<std::size_t>(std::max(records_.Highest(RecordKind::Individual), 0)) + 1, 0);
  for (std::size_t i = 0; i < nameIndex_.size(); ++i) {
    const std::int32_t rin = nameIndex_[i];
    if (rin > 0 && static_cast<std::size_t>(rin) < namePosition_.size())
      namePosition_[rin] = static_cast<std::int32_t>(i + 1);
  }
  nameIndexBuilt_ = true;
  if (host_->indexStale) {
    // The index file beside the family file is written from the same walk;
    // only a written file counts as current.
    if (host_->path.empty()) {
      host_->indexStale = false;
    } else {
      AlphaIndexFile ora;
      if (ora.Build(AlphaIndexFile::PathFor(host_->path, 'a'), nameIndex_)) {
        host_->indexStale = false;
        ora.Close();
      }
    }
  }
  return true;
}

std::int32_t RecordTrees::NameIndexEntries() {
  EnsureNameIndex();
  return static_cast<std::int32_t>(nameIndex_.size());
}

std::int32_t RecordTrees::NameIndexAt(std::int32_t position) {
  EnsureNameIndex();
  if (position < 1 || position > static_cast<std::int32_t>(nameIndex_.size())) return 0;
  return nameIndex_[position - 1];
}

std::int32_t RecordTrees::NameIndexPositionOf(std::int32_t rin) {
  EnsureNameIndex();
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
