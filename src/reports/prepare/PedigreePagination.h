#pragma once
// The Pedigree Chart pass: numbers the charts of a person's ancestors,
// places every ancestor once on a (chart, position) slot of the placement
// file, makes one page entry per chart and, when asked, an alphabetical
// person index printed as extra pages. Chart numbers are held in 64 bits:
// fixed numbering over many generations passes 32 bits.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "PaginatorState.h"

namespace rpt {

// The run as the Pedigree page of the Reports sheet sets it.
struct PedigreeRunParameters {
  enum RunType { kBlankForm = 0, kSingleChart = 1, kCascading = 2 };
  enum Numbering { kFixed = 0, kSequential = 1 };
  int runType = kCascading;
  bool indexWanted = false;
  bool indexOnly = false;
  int totalGenerations = 4;
  int generationsPerChart = 4;  // 4, 5 or 6
  std::int64_t firstChart = 1;
  std::int64_t sameAsChart = 0;
  std::int32_t sameAsPosition = 0;
  std::int64_t firstContinuation = 2;
  std::int32_t startPerson = 0;
  std::int32_t marriage = 0;  // the start person's chosen marriage, 0 for none
  int numbering = kSequential;
};

struct PedigreeChartRecord {
  std::int32_t root = 0;
  std::int32_t spouse = 0;
  std::int32_t marriage = 0;
  std::int64_t chartNumber = 0;
  std::int64_t previousChart = 0;
  std::int64_t firstContinuation = -1;
  std::int32_t previousPosition = 0;
  std::int32_t generation = 1;
};

struct PedigreePageEntry : PageEntry {
  enum Kind { kChart = 0, kIndex = 1 };
  int kind = kChart;
  std::unique_ptr<PedigreeChartRecord> chart;  // chart pages
  std::uint32_t firstIndexEntry = 0;           // index pages
};

// A sorted index row.
struct PedigreeIndexEntry {
  std::int32_t rin = 0;
  std::int64_t chart = 0;
  std::int32_t position = 0;  // 0 for the start person's spouse
};

// Work-file layouts. A placement slot per RIN: chart (int64), position
// (int32), 4 spare bytes. An index record: the 56-byte name key, RIN
// (int32), chart (int64), position (int32); its last 16 bytes are the
// entry the sorted index keeps.
constexpr std::size_t kPedigreeSlotSize = 16;
constexpr std::size_t kPedigreeSlotsPerBlock = 50;
constexpr std::size_t kPedigreeKeySize = 56;
constexpr std::size_t kPedigreeIndexRecordSize = 72;
constexpr std::size_t kPedigreeIndexEntrySize = 16;
constexpr const char* kPedigreePlacementFileName = "~KorDUPPD.TMP";
constexpr const char* kPedigreeIndexFileName = "pedindex";

// The index key: surname (30), first given name (24) and the first two
// letters of the second given name, upper-cased and blank-padded; then every
// run of blanks in the first 55 bytes shrinks to one blank, the 56th byte is
// kept when not blank, and blanks fill the key to 56 bytes.
std::array<char, kPedigreeKeySize> MakePedigreeIndexKey(const std::string& surname,
                                                        const std::string& given1,
                                                        const std::string& given2);
int ComparePedigreeIndexKeys(const void* a, const void* b);

// Fixed numbering: the chart that continues the line of the person at
// position in the last column of chart. Each chart owns 2^(g - 1) numbers,
// used or not.
std::int64_t FixedContinuationChart(std::int64_t chart, std::int32_t position,
                                    int generationsPerChart);

// The pass; the page count, 0 on failure or Cancel (everything freed).
int PaginatePedigreeChart(const PedigreeRunParameters& run, int indexLinesPerPage);
// Frees the pages, the jobs and the work files.
void CleanupPedigreePages();

// The entry of page, or null; sorts the index when the first index page is
// asked for.
PedigreePageEntry* FindPedigreePageEntry(int page);
// Index row n, or false past the rows. After a failed sort the rows come
// unsorted, straight from the records.
bool GetPedigreeIndexEntry(std::uint32_t n, PedigreeIndexEntry& out);
// Whether the index rows are in name order.
bool PedigreeIndexSorted();
// The sort start the index sort uses (the disk sort's by default; tests
// make it fail). Null restores the default. Answers the previous one.
using PedigreeSortOpenFn = int (*)(std::size_t recordSize, bool distribution,
                                   int (*compare)(const void*, const void*));
PedigreeSortOpenFn SetPedigreeSortOpen(PedigreeSortOpenFn open);
// The number of index rows.
std::uint32_t PedigreeIndexCount();

// The person's place: true with chart and position when placed.
bool GetPedigreeChartPlace(std::int32_t rin, std::int64_t& chart, std::int32_t& position);
// Places the person unless already placed.
void SetPedigreeChartPlace(std::int32_t rin, std::int64_t chart, std::int32_t position);

}  // namespace rpt
