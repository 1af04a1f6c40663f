#pragma once
// The Ancestry chart's walk: an in-order walk of the root's ancestors,
// father's side before the person and mother's side after, so that the rows
// run father's ancestors, the person, mother's ancestors. A person reached a
// second time gets a box of his own but no ancestors. The pass runs the walk
// to place every box on a page; the page generator rebuilds the stack a page
// was opened with and runs the same walk for the rows of that page.

#include <cstdint>
#include <functional>
#include <vector>

#include "ChartPagination.h"

namespace rpt {

struct AncestryChartNode {
  enum State : std::uint8_t { kFinished = 0, kBoxPlaced = 1, kBoxDue = 2, kNew = 3 };
  std::int32_t rin = 0;
  std::int32_t child = 0;           // reached through; the root holds itself
  std::int32_t parentFamily = 0;    // 0 when the walk goes no further
  std::int32_t secondParent = 0;    // the mother, once the family is read
  std::int32_t familyOfOrigin = 0;  // the child's parent family; 0 for the root
  std::uint8_t generation = 1;
  std::uint8_t state = kNew;
  std::uint8_t parentsDrawn = 0;  // +1 father present, +2 mother present
  char sex = ' ';
};

class AncestryChartWalk {
 public:
  enum class Step { kMoved, kPlaced, kStopped, kFinished };

  // Called when a box is due, the node on top of the stack; answers false
  // to stop the walk before the box (the page is full).
  std::function<bool(const AncestryChartNode& node)> placeBox;
  // The pass records pages and first reaches; the pages only read.
  bool recording = true;

  std::vector<AncestryChartNode> stack;

  // The root node; false when the root is not a live individual.
  bool StartAt(std::int32_t root);
  // Rebuilds the stack a page was opened with.
  void Rebuild(const CChartPageEntry& entry);
  Step RunStep();

 private:
  void PushParent(const AncestryChartNode& child, std::int32_t rin, bool father);
  void ReadParentFamily(AncestryChartNode& node);
};

// The pass. On entry *generations is the generation limit; on success it
// receives the deepest generation reached and *repeatDepth the deepest
// generation at which a repeated ancestor was cut (0 when none was).
int PaginateAncestryChart(int* generations, int* repeatDepth, std::int32_t rootRin,
                          int firstPageRows, int otherPageRows);

// 'M' or 'F' from the person's record, a blank otherwise.
char ChartSexLetter(std::int32_t rin);

}  // namespace rpt
