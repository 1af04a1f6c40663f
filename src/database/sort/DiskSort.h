#pragma once
// The disk sort: any number of fixed-size records, ordered by a caller's
// comparison function, in bounded memory. Records collect in a work buffer;
// each full buffer is sorted in memory and kept as a run, in memory up to a
// limit and in the sort's own work file beyond it; the runs are merged
// record by record as the caller takes them. Records that compare equal come
// out in the order of their runs (within one buffer their order is not
// kept). Comparison functions need not answer 0 for equal records, so
// nothing here relies on a strict ordering: the buffer sort and the merge
// only ask "does a sort after b".
//
// Distribution mode places each record near its expected final slot (a hint
// from SortKeyPosition), so that the buffer sort has little left to do; it
// uses half of the buffer for the records and half for sorting.
//
// CDiskSort is one sort with its own buffers and work file, so sorts never
// share state. The Sort* functions drive the program's one global sort.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Win32File.h"

namespace plat {
class ProgressPort;
class RandomAccessFile;
}  // namespace plat

// Negative when a sorts before b, positive after, 0 (or either) when equal.
using SortCompareFn = int (*)(const void* a, const void* b);

class CDiskSort {
 public:
  // Work-buffer sizes tried in turn, in KB.
  static constexpr int kBufferSizesKb[] = {63, 48, 32, 24, 20};
  // Bytes of sorted runs kept in memory before further runs go to the work file.
  static constexpr std::size_t kDefaultMemoryRunLimit = 4u << 20;

  CDiskSort() = default;
  ~CDiskSort() { Close(); }
  CDiskSort(const CDiskSort&) = delete;
  CDiskSort& operator=(const CDiskSort&) = delete;

  // Starts a sort (closing any previous one). Runs that do not stay in
  // memory go to workFile when given (not owned), else to a new temporary
  // file in the folder with room, removed when the sort closes. Answers the
  // capacity in distribution mode, 0 otherwise, and -1 when the work file or
  // the buffers cannot be had (a file-error message tells the user).
  int Open(std::size_t recordSize, bool distribution, SortCompareFn compare,
           plat::RandomAccessFile* workFile = nullptr);
  // Adds a copy of the record; the hint (a slot below the capacity) counts in
  // distribution mode only. 1, or 0 when input has ended, no sort is open or
  // a run could not be written.
  int Add(const void* record, std::uint32_t positionHint = 0);
  // Ends the input; the records still in the buffer become the last run.
  void End();
  // The next record in order (valid until the next call), or null after the
  // last. Ends the input first. Failed() tells a read error from the end.
  const void* Next();
  // Frees everything and removes the work file.
  void Close();

  // Memory for sorted runs before they go to the work file; set before Open.
  void SetMemoryRunLimit(std::size_t bytes) { memoryRunLimit_ = bytes; }
  // Records per work buffer (even).
  std::uint32_t Capacity() const { return capacity_; }
  int RunCount() const { return static_cast<int>(runs_.size()); }
  // Runs written to the work file.
  int DiskRunCount() const { return diskRuns_; }
  // The slot the last record went to (distribution mode).
  std::uint32_t LastSlot() const { return lastSlot_; }
  // A run could not be written or read back: the output is incomplete.
  bool Failed() const { return failed_; }

 private:
  struct Run {
    std::unique_ptr<std::uint8_t[]> memory;  // an in-memory run
    std::uint64_t firstRecord = 0;           // a run in the work file
    std::uint32_t count = 0;
    std::uint32_t next = 0;
    // Read-ahead of a run in the work file: records [aheadFirst, aheadFirst + aheadCount).
    std::vector<std::uint8_t> ahead;
    std::uint32_t aheadFirst = 0, aheadCount = 0;
  };

  std::uint8_t* Slot(std::uint8_t* buffer, std::uint32_t i) const {
    return buffer + static_cast<std::size_t>(i) * recordSize_;
  }
  int Flush();
  // Moves the occupied slots, in slot order, to out and clears the map.
  void Compact(std::uint8_t* out, std::uint32_t count);
  // Merges the sorted halves A and B (n records each, nb for B) into the work buffer.
  void MergeHalves(std::uint32_t nb);
  void SortRecords(std::uint8_t* records, std::uint32_t n) const;
  // Keeps the work buffer (full, sorted) as a run; false when writing it failed.
  bool StoreRun(std::uint32_t count);
  // The head record of a run, reading ahead from the work file as needed; null when used up.
  const std::uint8_t* Head(std::size_t run);
  // The run of the smaller head of two, the earlier winning unless the later is strictly lower.
  int Match(int earlier, int later);
  void BuildTree();
  void Replay(std::size_t run);

  std::size_t recordSize_ = 0;
  bool distribution_ = false;
  SortCompareFn compare_ = nullptr;
  std::uint32_t capacity_ = 0;
  std::unique_ptr<std::uint8_t[]> work_;
  std::unique_ptr<std::uint8_t[]> halfA_, halfB_;
  std::unique_ptr<std::uint8_t[]> occupied_;
  std::uint32_t inBuffer_ = 0;
  int halfState_ = 0;
  std::uint64_t recordsInFile_ = 0;
  bool open_ = false;
  bool ended_ = false;
  bool failed_ = false;
  std::uint32_t lastSlot_ = 0;
  std::size_t memoryRunLimit_ = kDefaultMemoryRunLimit;
  std::size_t memoryRunBytes_ = 0;
  std::vector<Run> runs_;
  int diskRuns_ = 0;
  std::vector<int> tree_;  // tournament over the runs' heads: winners, leaves from leaves_
  std::size_t leaves_ = 0;
  std::vector<std::uint8_t> best_;

  CWin32File ownFile_;
  plat::RandomAccessFile* file_ = nullptr;
};

// The program's one global sort, as CDiskSort's operations.
int SortOpen(std::size_t recordSize, bool distribution, SortCompareFn compare);
int SortAdd(const void* record, std::uint32_t positionHint = 0);
void SortEnd();
const void* SortNext();
void SortClose();
bool SortFailed();

// The position hint for a record whose key begins with key: its first three
// characters read as digits of radix 28 (kind 0), 39 (1), 12 (2), 55 (4) or
// 66 (5), scaled to slots. Kinds 0 and 1 ignore case. Other kinds answer 0.
std::uint32_t SortKeyPosition(std::uint32_t slots, int kind, const char* key);

// A file of fixed-size records to sort in place.
struct SortFileBlock {
  plat::RandomAccessFile* file = nullptr;
  std::uint32_t count = 0;
  std::size_t recordSize = 0;
  SortCompareFn compare = nullptr;
  // Shows "Sorting..." meanwhile, then restoreText.
  plat::ProgressPort* progress = nullptr;
  std::string restoreText;
};
// Sorts the block's records in place. 1 on success; 0 when the sort could
// not be made or a record could not be read (the file is then untouched) or
// written back.
int SortFileInPlace(const SortFileBlock& block);
