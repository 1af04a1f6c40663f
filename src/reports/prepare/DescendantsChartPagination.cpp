#include "DescendantsChartPagination.h"

#include <algorithm>

#include "AncestryChartPagination.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

std::vector<std::int32_t> Within(std::vector<std::int32_t> list, std::int32_t highest) {
  std::erase_if(list, [highest](std::int32_t n) { return n <= 0 || n > highest; });
  return list;
}

std::vector<std::int32_t> After(const std::vector<std::int32_t>& list, std::int32_t record) {
  const auto it = std::find(list.begin(), list.end(), record);
  if (it == list.end()) return {};
  return {it + 1, list.end()};
}

char SiblingMark(std::size_t i, std::size_t count) {
  if (count == 1) return 'O';
  if (i + 1 == count) return 'Y';
  return i == 0 ? 'F' : 'N';
}

}  // namespace

std::vector<std::int32_t> ChartMarriagesOf(std::int32_t rin) {
  std::vector<std::int32_t> list;
  const int count = rin > 0 ? DbGetRelationCount(rin, db::kRelMarriages, 0, 1) : 0;
  if (count > 0) DbGetRelation(rin, db::kRelMarriages, count, list);
  return Within(std::move(list), CurrentChartRun().highestMrin);
}

std::vector<std::int32_t> ChartChildrenOf(std::int32_t mrin) {
  std::vector<std::int32_t> list;
  const int count = mrin > 0 ? DbGetRelationCount(mrin, db::kRelChildren, 0, 0) : 0;
  if (count > 0) DbGetRelation(mrin, db::kRelChildren, count, list);
  return Within(std::move(list), CurrentChartRun().highestRin);
}

bool DescendantsChartWalk::StartAt(std::int32_t root) {
  list.clear();
  if (root <= 0 || DbGetRIN(root, db::kQueryIndividuals, db::kWalkExact) != root) return false;
  if (recording) AddChartLegendFlags(root);
  list.push_back({root, 1, 1, 'Y', 'I', 'O'});
  return true;
}

void DescendantsChartWalk::InsertAfter(std::size_t index, const std::vector<std::int32_t>& records,
                                       std::uint8_t generation, char kind) {
  std::vector<DescendantsChartEntry> added;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const char last = i + 1 == records.size() ? 'Y' : 'N';
    added.push_back({records[i], generation, 1, last, kind, SiblingMark(i, records.size())});
  }
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(index) + 1, added.begin(), added.end());
}

void DescendantsChartWalk::Remove(std::size_t index) {
  for (;;) {
    const bool wasLast = list[index].last == 'Y';
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    if (!wasLast || index == 0) return;
    --index;
  }
}

void DescendantsChartWalk::Rebuild(const CChartPageEntry& entry) {
  list.clear();
  int generation = 0;
  const std::size_t n = entry.records.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char kind = i < entry.codes.size() ? static_cast<char>(entry.codes[i]) : 'I';
    if (kind == 'I') ++generation;
    DescendantsChartEntry e;
    e.record = static_cast<std::int32_t>(entry.records[i]);
    e.generation = static_cast<std::uint8_t>(std::max(generation, 1));
    e.pending = i + 1 == n ? 1 : 0;
    e.kind = kind;
    e.last = 'Y';
    list.push_back(e);
  }
  for (std::size_t j = n; j-- > 1;) {
    const DescendantsChartEntry parent = list[j - 1];
    DescendantsChartEntry& self = list[j];
    std::vector<std::int32_t> all, later;
    if (parent.kind == 'I' && self.kind == 'M') {
      all = ChartMarriagesOf(parent.record);
    } else if (parent.kind == 'M' && self.kind == 'I') {
      all = ChartChildrenOf(parent.record);
    }
    later = After(all, self.record);
    const auto at = std::find(all.begin(), all.end(), self.record);
    if (at != all.end())
      self.mark = SiblingMark(static_cast<std::size_t>(at - all.begin()), all.size());
    if (later.empty()) continue;
    self.last = 'N';
    const std::uint8_t generation = self.generation;
    const char kind = self.kind;
    const std::size_t first = static_cast<std::size_t>(at - all.begin()) + 1;
    for (std::size_t k = 0; k < later.size(); ++k) {
      DescendantsChartEntry e{later[k], generation,
                              1,        k + 1 == later.size() ? 'Y' : 'N',
                              kind,     SiblingMark(first + k, all.size())};
      list.push_back(e);
    }
  }
}

DescendantsChartWalk::Step DescendantsChartWalk::RunStep() {
  std::size_t i = 0;
  while (i < list.size() && list[i].pending == 0) ++i;
  if (i == list.size()) return Step::kFinished;
  ChartRun& run = CurrentChartRun();
  run.deepest = std::max<int>(run.deepest, list[i].generation);
  if (placeRow && !placeRow(list[i], i)) return Step::kStopped;
  DescendantsChartEntry& e = list[i];
  e.pending = 0;
  if (e.kind == 'I') {
    if (firstBox && !firstBox(e)) {
      Remove(i);
      return Step::kPlaced;
    }
    const std::vector<std::int32_t> marriages = ChartMarriagesOf(e.record);
    if (marriages.empty()) {
      Remove(i);
      return Step::kPlaced;
    }
    InsertAfter(i, marriages, e.generation, 'M');
    return Step::kPlaced;
  }
  if (e.generation >= run.generationLimit) {
    Remove(i);
    return Step::kPlaced;
  }
  const std::vector<std::int32_t> children = ChartChildrenOf(e.record);
  if (children.empty()) {
    Remove(i);
    return Step::kPlaced;
  }
  if (wallChart && takeRowBack) takeRowBack();
  if (recording)
    for (std::int32_t child : children) AddChartLegendFlags(child);
  InsertAfter(i, children, static_cast<std::uint8_t>(e.generation + 1), 'I');
  return Step::kPlaced;
}

int PaginateDescendantsChart(int* generations, int* repeatDepth, std::int32_t rootRin,
                             int firstPageRows, int otherPageRows, int wallChart) {
  CleanupChartPages();
  ChartRun& run = CurrentChartRun();
  run.ancestry = false;
  run.wallChart = wallChart != 0;
  run.root = rootRin;
  run.firstPageRows = std::max(1, firstPageRows);
  run.otherPageRows = std::max(1, otherPageRows);
  run.generationLimit = std::max(1, generations != nullptr ? *generations : 1);

  DescendantsChartWalk walk;
  walk.recording = true;
  walk.wallChart = run.wallChart;
  walk.placeRow = [&walk](const DescendantsChartEntry&, std::size_t index) {
    OpenChartRow([&walk, index] {
      auto entry = std::make_unique<CChartPageEntry>();
      for (std::size_t k = 0; k <= index; ++k) {
        entry->records.push_back(static_cast<std::uint32_t>(walk.list[k].record));
        entry->codes.push_back(static_cast<std::uint16_t>(walk.list[k].kind));
      }
      entry->key = walk.list[index].record;
      return entry;
    });
    return true;
  };
  walk.takeRowBack = [] { --CurrentChartRun().rowCounter; };
  walk.firstBox = [](const DescendantsChartEntry& e) {
    ChartSlot slot = ReadChartSlot(e.record);
    if (slot.first != 0) return false;
    slot.first = static_cast<std::int32_t>(Paginator().pageEntries.size());
    slot.second = CurrentChartRun().rowCounter;
    WriteChartSlot(e.record, slot);
    return true;
  };
  const std::string title = res::LoadString(res::kIdsDescendantsChart);
  const int pages = RunChartPagination(
      title.c_str(), "Descendency Chart", [&] { return walk.StartAt(rootRin); },
      [&] { return walk.RunStep() != DescendantsChartWalk::Step::kFinished; });
  if (generations != nullptr) *generations = pages > 0 ? run.deepest : 0;
  if (repeatDepth != nullptr) *repeatDepth = 0;
  return pages;
}

}  // namespace rpt
