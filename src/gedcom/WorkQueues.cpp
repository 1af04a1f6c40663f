#include "WorkQueues.h"

#include <deque>

namespace gedcom {

namespace {

std::deque<WorkQueueEntry>& Queue(int queue) {
  static std::deque<WorkQueueEntry> queues[2];
  return queues[queue != 0 ? 1 : 0];
}

}  // namespace

const WorkQueueEntry* WorkQueueFront(int queue) {
  std::deque<WorkQueueEntry>& q = Queue(queue);
  return q.empty() ? nullptr : &q.front();
}

void WorkQueuePush(const WorkQueueEntry& entry, int queue) { Queue(queue).push_back(entry); }

void WorkQueuePop(int queue) {
  std::deque<WorkQueueEntry>& q = Queue(queue);
  if (!q.empty()) q.pop_front();
}

}  // namespace gedcom
