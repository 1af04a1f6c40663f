#pragma once
// A change that writes several records, run whole or not at all.

#include "BlockStore.h"

// Runs change under the edit journal (BlockStore::EditScope; nothing in a
// batch, whose own mark covers it): its answer, or 0 when its writes did not
// all reach the file.
template <class Change>
auto WholeEdit(BlockStore& blocks, Change&& change) -> decltype(change()) {
  BlockStore::EditScope edit(blocks);
  const auto answer = change();
  return edit.End() ? answer : decltype(answer){};
}
