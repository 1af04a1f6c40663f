// The program-wide work queues: first in, first out, copies of the caller's
// entries, and two queues that never share entries.

#include <gtest/gtest.h>

#include "WorkQueues.h"

namespace {

using gedcom::WorkQueueEntry;

TEST(WorkQueues, FirstInFirstOutWithCopiesAndSeparateQueues) {
  WorkQueueEntry entry{7, 1};
  gedcom::WorkQueuePush(entry, 0);
  entry = {8, 2};  // the queue keeps its own copy
  gedcom::WorkQueuePush(entry, 0);
  gedcom::WorkQueuePush({42, 5}, 1);

  const WorkQueueEntry* front = gedcom::WorkQueueFront(1);
  ASSERT_NE(front, nullptr);
  EXPECT_EQ(front->rin, 42);
  gedcom::WorkQueuePop(1);
  EXPECT_EQ(gedcom::WorkQueueFront(1), nullptr);
  EXPECT_EQ(gedcom::WorkQueueFront(5), nullptr);  // any non-zero number is queue 1

  // Emptying queue 1 left queue 0 whole.
  front = gedcom::WorkQueueFront(0);
  ASSERT_NE(front, nullptr);
  EXPECT_EQ(front->rin, 7);
  EXPECT_EQ(front->generation, 1);
  gedcom::WorkQueuePop(0);
  front = gedcom::WorkQueueFront(0);
  ASSERT_NE(front, nullptr);
  EXPECT_EQ(front->rin, 8);
  EXPECT_EQ(front->generation, 2);
  gedcom::WorkQueuePop(0);
  EXPECT_EQ(gedcom::WorkQueueFront(0), nullptr);
  gedcom::WorkQueuePop(0);  // popping an empty queue is harmless
  EXPECT_EQ(gedcom::WorkQueueFront(0), nullptr);
}

}  // namespace
