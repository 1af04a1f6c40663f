#pragma once
// Two program-wide first-in-first-out queues of (RIN, generation) entries,
// chosen by a queue number, for the ancestor and descendant walks of the
// relationship filters. Each queue has storage of its own, so a walk on one
// never takes the entries of another user (such as a chart's work list).

#include <cstdint>

namespace gedcom {

struct WorkQueueEntry {
  std::int32_t rin = 0;
  std::int16_t generation = 0;
};

// The first entry of queue (non-zero: queue 1, else queue 0), or null when
// it is empty; the entry stays owned by the queue, valid until its next Pop.
const WorkQueueEntry* WorkQueueFront(int queue);
// Appends a copy of entry at the back.
void WorkQueuePush(const WorkQueueEntry& entry, int queue);
// Removes the first entry; nothing when the queue is empty.
void WorkQueuePop(int queue);

}  // namespace gedcom
