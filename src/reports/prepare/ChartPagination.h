#pragma once
// What the Ancestry and Descendants chart passes share with each other and
// with their page generators: the run figures (rows per page, generation
// limit, deepest generation, repeat depth), the per-person slots of the
// placement work file, the page entries with their snapshot of the open
// branch, the relationship-legend flags and the one clean-up of both charts.
// Only one chart pagination exists at a time; its results stay until the
// clean-up so that the generator can draw any page.

#include <cstdint>
#include <functional>
#include <vector>

#include "PaginatorState.h"

namespace rpt {

// Legend bits of the chart: several parent sets, adopted, guardian, sealing.
enum ChartLegendFlag : std::uint16_t {
  kChartMultipleParents = 0x0001,
  kChartAdopted = 0x0010,
  kChartGuardian = 0x0100,
  kChartSealing = 0x1000,
};

// One page of a chart: the open branch at the moment the page was opened,
// bottom first. Ancestry: the whole stack with each node's state.
// Descendants: the list up to the entry opening the page, with the kind
// letter ('I' or 'M') of each entry.
struct CChartPageEntry : PageEntry {
  std::vector<std::uint32_t> records;
  std::vector<std::uint16_t> codes;
};

// A person's slot of the placement file. Ancestry: page of the first box and
// the child through whom the person was first reached. Descendants: page and
// row of the first box.
struct ChartSlot {
  std::int32_t first = 0;
  std::int32_t second = 0;
};

constexpr const char* kChartWorkFileName = "~KorDUPPD.TMP";
constexpr std::size_t kChartSlotSize = 8;
constexpr std::size_t kChartSlotsPerBlock = 50;

// The figures of the current pagination.
struct ChartRun {
  bool ancestry = true;
  bool wallChart = false;
  std::int32_t root = 0;
  int firstPageRows = 1;
  int otherPageRows = 1;
  int rowLimit = 1;
  int generationLimit = 1;
  int deepest = 0;
  int repeatDepth = 0;
  int rowCounter = 0;
  std::uint16_t legend = 0;
  std::int32_t highestRin = 0;
  std::int32_t highestMrin = 0;
  bool writeFailed = false;
};
ChartRun& CurrentChartRun();

// The rows of page (from 1) of the current pagination.
int ChartRowsOnPage(int page);

// Reads and writes a slot; a slot never written reads as zeros.
ChartSlot ReadChartSlot(std::int32_t rin);
void WriteChartSlot(std::int32_t rin, const ChartSlot& slot);

std::uint16_t GetChartLegendFlags();
// The legend pass: ORs the bits the person's parent links carry.
void AddChartLegendFlags(std::int32_t rin);

// Opens a row for the next box. A full page (or the first row) opens a new
// page entry made by snapshot; answers true when a page was opened.
bool OpenChartRow(const std::function<std::unique_ptr<CChartPageEntry>()>& snapshot);

// The entry of page, or null.
const CChartPageEntry* FindChartPage(int page);

// Frees the pages and deletes the work file; ends the report image mode.
void CleanupChartPages();

// Both passes: the work file, the PAGINATOR window, at most 50 walk steps a
// batch. step answers false when the walk is finished. Answers the page
// count, 0 on failure or Cancel (everything freed).
int RunChartPagination(const char* title, const char* fileErrorName,
                       const std::function<bool()>& start, const std::function<bool()>& step);

}  // namespace rpt
