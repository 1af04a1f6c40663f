#pragma once
// Reads a typed list of record numbers ("12, 15-17 20") one item at a time: a
// single number or a range of two numbers joined by a dash. A malformed list
// is reported to the user as "Invalid List".

#include <cstdint>
#include <string_view>

namespace rpt {

// What an item read by ParseNumberListItem is.
enum NumberListItemKind : int {
  kNumberItem = 0,         // one number, in first
  kRangeItem = 1,          // first to last; the list goes on
  kRangeItemThenStop = 2,  // first to last; the rest of the list is abandoned
};

// Reads the item at position and moves position past it. Answers 0 when an
// item was read (kind, first and last tell which), 1 when the list is
// finished or must be abandoned. Numbers have at most 5 digits. Start with
// position 0 and call again with the position returned until the answer is 1.
int ParseNumberListItem(int& position, int& kind, std::int32_t& first, std::int32_t& last,
                        std::string_view text);

}  // namespace rpt
