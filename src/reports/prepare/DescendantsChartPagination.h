#pragma once
// The Descendants chart's walk: a pre-order walk over a person, each of his
// marriages (a spouse row) and under each marriage its children, kept as an
// ordered list of the open branch. A person met a second time (a child of
// two descendants, a loop in the data) takes a row but is not expanded. The
// pass runs the walk to place every row; the page generator rebuilds the
// list a page was opened with and runs the same walk for that page's rows.

#include <cstdint>
#include <functional>
#include <vector>

#include "ChartPagination.h"

namespace rpt {

struct DescendantsChartEntry {
  std::int32_t record = 0;  // RIN of an individual, MRIN of a marriage
  std::uint8_t generation = 1;
  std::uint8_t pending = 1;
  char last = 'Y';  // 'Y' the last of the entries added with it
  char kind = 'I';  // 'I' individual, 'M' marriage
  // Among its siblings: 'O' only child, 'F' first, 'N' middle, 'Y' last.
  char mark = 'O';
};

class DescendantsChartWalk {
 public:
  enum class Step { kPlaced, kStopped, kFinished };

  // Opens the row of the entry at index; false stops the walk before it.
  std::function<bool(const DescendantsChartEntry& entry, std::size_t index)> placeRow;
  // The wall chart gives a marriage's row back: it shares it with the first child.
  std::function<void()> takeRowBack;
  // Whether an individual's row is his first box (and so is expanded). The
  // pass answers it from the slots and records the box.
  std::function<bool(const DescendantsChartEntry& entry)> firstBox;
  bool recording = true;
  bool wallChart = false;

  std::vector<DescendantsChartEntry> list;

  bool StartAt(std::int32_t root);
  // Rebuilds the open list of a page: the snapshot, the last entry pending,
  // and the later siblings of each snapshot entry put back after it.
  void Rebuild(const CChartPageEntry& entry);
  Step RunStep();

 private:
  void Remove(std::size_t index);
  void InsertAfter(std::size_t index, const std::vector<std::int32_t>& records,
                   std::uint8_t generation, char kind);
};

// The pass; *generations is the limit on entry and the deepest generation
// reached on success; *repeatDepth receives 0. On the wall chart a marriage
// with children shares its row with the first child.
int PaginateDescendantsChart(int* generations, int* repeatDepth, std::int32_t rootRin,
                             int firstPageRows, int otherPageRows, int wallChart);

// The later marriages of an individual after mrin, and the later children
// of a marriage after rin, within the highest record numbers.
std::vector<std::int32_t> ChartMarriagesOf(std::int32_t rin);
std::vector<std::int32_t> ChartChildrenOf(std::int32_t mrin);

}  // namespace rpt
