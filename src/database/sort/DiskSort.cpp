#include "DiskSort.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "FileCopy.h"
#include "Ports.h"
#include "RandomAccessFile.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

// Free room the work file asks of its folder.
constexpr std::uint64_t kWorkFileRoom = 65535;
// Bytes read ahead from each run kept in the work file.
constexpr std::size_t kReadAheadBytes = 4096;
// Bytes moved at a time by SortFileInPlace.
constexpr std::size_t kFileChunkBytes = 64 * 1024;

std::unique_ptr<std::uint8_t[]> Allocate(std::size_t bytes) {
  return std::unique_ptr<std::uint8_t[]>(new (std::nothrow) std::uint8_t[bytes]());
}

}  // namespace

int CDiskSort::Open(std::size_t recordSize, bool distribution, SortCompareFn compare,
                    plat::RandomAccessFile* workFile) {
  Close();
  if (recordSize == 0 || compare == nullptr) return -1;
  recordSize_ = recordSize;
  distribution_ = distribution;
  compare_ = compare;

  if (workFile != nullptr) {
    file_ = workFile;
  } else {
    int error = plat::kFileOk;
    if (!ownFile_.CreateTempFile("orvwsort", kWorkFileRoom, &error)) {
      ShowFileError(error, "Sort", "Temp File");
      Close();
      return -1;
    }
    file_ = &ownFile_.Handle();
  }

  for (int kb : kBufferSizesKb) {
    std::uint32_t capacity = static_cast<std::uint32_t>(kb * 1024 / recordSize) & ~1u;
    if (capacity < 2) continue;  // a record this large gets no buffer of its own
    work_ = Allocate(capacity * recordSize);
    if (work_) {
      capacity_ = capacity;
      break;
    }
  }
  if (!work_) {
    Close();
    return -1;
  }
  if (distribution_) {
    const std::size_t halfBytes = capacity_ * recordSize_ / 2;
    halfA_ = Allocate(halfBytes);
    halfB_ = Allocate(halfBytes);
    occupied_ = Allocate(capacity_);
    if (!halfA_ || !halfB_ || !occupied_) {
      Close();
      return -1;
    }
  }
  open_ = true;
  return distribution_ ? static_cast<int>(capacity_) : 0;
}

int CDiskSort::Add(const void* record, std::uint32_t positionHint) {
  if (!open_ || ended_ || failed_) return 0;
  if (distribution_) {
    std::uint32_t slot = std::min(positionHint, capacity_ - 1);
    if (occupied_[slot]) {
      // The first free slot after the hint, else the nearest free one before
      // it; the buffer is flushed at half its slots, so one is always free.
      std::uint32_t s = slot + 1;
      while (s < capacity_ && occupied_[s]) ++s;
      if (s == capacity_) {
        s = slot;
        while (s > 0 && occupied_[s]) --s;
      }
      slot = s;
    }
    std::memcpy(Slot(work_.get(), slot), record, recordSize_);
    occupied_[slot] = 1;
    lastSlot_ = slot;
  } else {
    std::memcpy(Slot(work_.get(), inBuffer_), record, recordSize_);
  }
  ++inBuffer_;
  const std::uint32_t full = distribution_ ? capacity_ / 2 : capacity_;
  return inBuffer_ == full ? Flush() : 1;
}

int CDiskSort::Flush() {
  if (distribution_) {
    if (halfState_ == 0) {
      Compact(halfA_.get(), inBuffer_);
      SortRecords(halfA_.get(), inBuffer_);
      halfState_ = 1;
      inBuffer_ = 0;
      return 1;
    }
    Compact(halfB_.get(), inBuffer_);
    SortRecords(halfB_.get(), inBuffer_);
    MergeHalves(inBuffer_);
    halfState_ = 0;
  } else {
    SortRecords(work_.get(), capacity_);
  }
  inBuffer_ = 0;
  if (!StoreRun(capacity_)) {
    failed_ = true;
    return 0;
  }
  return 1;
}

void CDiskSort::Compact(std::uint8_t* out, std::uint32_t count) {
  std::uint32_t moved = 0;
  for (std::uint32_t s = 0; s < capacity_ && moved < count; ++s) {
    if (!occupied_[s]) continue;
    std::memcpy(Slot(out, moved++), Slot(work_.get(), s), recordSize_);
    occupied_[s] = 0;
  }
}

void CDiskSort::MergeHalves(std::uint32_t nb) {
  const std::uint32_t na = capacity_ / 2;
  std::uint32_t i = 0, j = 0, o = 0;
  while (i < na || j < nb) {
    // B's record goes first only when it is strictly lower: A wins ties.
    bool takeB = j < nb && (i == na || compare_(Slot(halfB_.get(), j), Slot(halfA_.get(), i)) < 0);
    const std::uint8_t* from = takeB ? Slot(halfB_.get(), j++) : Slot(halfA_.get(), i++);
    std::memcpy(Slot(work_.get(), o++), from, recordSize_);
  }
}

// A diminishing-increment insertion sort whose increments adapt to the
// disorder met: nearly sorted input (distribution mode) finishes in few
// passes. The last pass always has increment 1, a plain insertion sort.
void CDiskSort::SortRecords(std::uint8_t* records, std::uint32_t n) const {
  if (n < 2) return;
  std::vector<std::uint8_t> spare(recordSize_);
  auto at = [&](std::uint32_t i) { return Slot(records, i); };
  auto swap = [&](std::uint32_t a, std::uint32_t b) {
    std::memcpy(spare.data(), at(a), recordSize_);
    std::memcpy(at(a), at(b), recordSize_);
    std::memcpy(at(b), spare.data(), recordSize_);
  };
  std::uint32_t h = distribution_ ? std::min(n / 2, std::max(n / 130, 8u)) : n / 2;
  while (h > 0) {
    std::uint64_t comparisons = 0, swaps = 0;
    for (std::uint32_t j = 0; j + h < n; ++j) {
      ++comparisons;
      if (compare_(at(j), at(j + h)) <= 0) continue;
      swap(j, j + h);
      ++swaps;
      for (std::uint32_t k = j; k >= h; k -= h) {
        ++comparisons;
        if (compare_(at(k - h), at(k)) <= 0) break;
        swap(k - h, k);
        ++swaps;
      }
    }
    if (h < 6) {
      h /= 2;
    } else if (swaps == 0) {
      h = h < 16 ? 2 : h / 8;
    } else {
      std::uint64_t r = comparisons / swaps;
      std::uint64_t d = (r & ~std::uint64_t{1}) <= 4 ? 2 : std::min<std::uint64_t>(r / 2, 8);
      h = h / d < 2 ? 2 : static_cast<std::uint32_t>(h / d);
    }
  }
}

bool CDiskSort::StoreRun(std::uint32_t count) {
  const std::size_t bytes = static_cast<std::size_t>(capacity_) * recordSize_;
  Run run;
  run.count = count;
  if (memoryRunBytes_ + bytes <= memoryRunLimit_) {
    if (auto fresh = Allocate(bytes)) {
      run.memory = std::move(work_);
      work_ = std::move(fresh);
      memoryRunBytes_ += bytes;
      runs_.push_back(std::move(run));
      return true;
    }
  }
  run.firstRecord = recordsInFile_;
  if (!file_->WriteAt(recordsInFile_ * recordSize_, work_.get(), bytes)) return false;
  recordsInFile_ += capacity_;
  ++diskRuns_;
  runs_.push_back(std::move(run));
  return true;
}

void CDiskSort::End() {
  if (!open_ || ended_) return;
  ended_ = true;
  std::uint32_t length = 0;
  if (distribution_) {
    if (halfState_ == 0) {
      if (inBuffer_ > 0) {
        Compact(halfA_.get(), inBuffer_);
        SortRecords(halfA_.get(), inBuffer_);
        work_ = std::move(halfA_);
        length = inBuffer_;
      }
    } else if (inBuffer_ > 0) {
      Compact(halfB_.get(), inBuffer_);
      SortRecords(halfB_.get(), inBuffer_);
      MergeHalves(inBuffer_);
      length = capacity_ / 2 + inBuffer_;
    } else {
      work_ = std::move(halfA_);
      length = capacity_ / 2;
    }
  } else {
    SortRecords(work_.get(), inBuffer_);
    length = inBuffer_;
  }
  inBuffer_ = 0;
  if (length > 0) {
    Run run;
    run.memory = std::move(work_);
    run.count = length;
    runs_.push_back(std::move(run));
  }
  halfA_.reset();
  halfB_.reset();
  occupied_.reset();
  if (!runs_.empty()) {
    best_.resize(recordSize_);
    BuildTree();
  }
}

const std::uint8_t* CDiskSort::Head(std::size_t index) {
  Run& run = runs_[index];
  if (run.next >= run.count) return nullptr;
  if (run.memory) return Slot(run.memory.get(), run.next);
  if (run.next < run.aheadFirst || run.next >= run.aheadFirst + run.aheadCount) {
    const std::uint32_t chunk =
        static_cast<std::uint32_t>(std::max<std::size_t>(1, kReadAheadBytes / recordSize_));
    const std::uint32_t n = std::min(chunk, run.count - run.next);
    run.ahead.resize(static_cast<std::size_t>(n) * recordSize_);
    if (!file_->ReadAt((run.firstRecord + run.next) * recordSize_, run.ahead.data(),
                       run.ahead.size())) {
      failed_ = true;
      run.aheadCount = 0;
      return nullptr;
    }
    run.aheadFirst = run.next;
    run.aheadCount = n;
  }
  return run.ahead.data() + static_cast<std::size_t>(run.next - run.aheadFirst) * recordSize_;
}

int CDiskSort::Match(int earlier, int later) {
  if (earlier < 0) return later;
  if (later < 0) return earlier;
  const std::uint8_t* a = Head(static_cast<std::size_t>(earlier));
  const std::uint8_t* b = Head(static_cast<std::size_t>(later));
  return compare_(b, a) < 0 ? later : earlier;
}

void CDiskSort::BuildTree() {
  leaves_ = 1;
  while (leaves_ < runs_.size()) leaves_ *= 2;
  tree_.assign(2 * leaves_, -1);
  for (std::size_t i = 0; i < runs_.size(); ++i) {
    if (Head(i) != nullptr) tree_[leaves_ + i] = static_cast<int>(i);
  }
  // Within every match the left side holds the earlier runs.
  for (std::size_t n = leaves_ - 1; n >= 1; --n) tree_[n] = Match(tree_[2 * n], tree_[2 * n + 1]);
}

void CDiskSort::Replay(std::size_t run) {
  std::size_t n = leaves_ + run;
  tree_[n] = Head(run) != nullptr ? static_cast<int>(run) : -1;
  for (n /= 2; n >= 1; n /= 2) tree_[n] = Match(tree_[2 * n], tree_[2 * n + 1]);
}

const void* CDiskSort::Next() {
  if (!open_) return nullptr;
  if (!ended_) End();
  if (failed_ || tree_.size() < 2 || tree_[1] < 0) return nullptr;
  const std::size_t winner = static_cast<std::size_t>(tree_[1]);
  Run& run = runs_[winner];
  std::memcpy(best_.data(), Head(winner), recordSize_);
  if (++run.next >= run.count) {
    run.memory.reset();
    run.ahead = {};
  }
  Replay(winner);
  // A run that could not be read back would leave a gap: deliver no more.
  return failed_ ? nullptr : best_.data();
}

void CDiskSort::Close() {
  ownFile_.Close();  // a delete-on-close file: its name is already gone
  file_ = nullptr;
  work_.reset();
  halfA_.reset();
  halfB_.reset();
  occupied_.reset();
  runs_.clear();
  tree_.clear();
  leaves_ = 0;
  best_.clear();
  capacity_ = 0;
  inBuffer_ = 0;
  halfState_ = 0;
  recordsInFile_ = 0;
  memoryRunBytes_ = 0;
  diskRuns_ = 0;
  lastSlot_ = 0;
  open_ = ended_ = failed_ = false;
}

// ---- The global sort

namespace {

CDiskSort& GlobalSort() {
  static CDiskSort sort;
  return sort;
}

}  // namespace

int SortOpen(std::size_t recordSize, bool distribution, SortCompareFn compare) {
  return GlobalSort().Open(recordSize, distribution, compare);
}
int SortAdd(const void* record, std::uint32_t positionHint) {
  return GlobalSort().Add(record, positionHint);
}
void SortEnd() { GlobalSort().End(); }
const void* SortNext() { return GlobalSort().Next(); }
void SortClose() { GlobalSort().Close(); }
bool SortFailed() { return GlobalSort().Failed(); }

// ---- Position hints

namespace {

// The digit of one character (a signed byte) for a hint of the kind.
std::uint32_t KeyDigit(int kind, signed char c) {
  const bool below0 = c < '0';
  const bool digit = c >= '0' && c <= '9';
  const bool upper = c >= 'A' && c <= 'Z';
  const bool lower = c >= 'a' && c <= 'z';
  const bool aboveZ = c > 'z';
  const bool beforeA = c > '9' && c < 'A';  // between "9" and "A"
  switch (kind) {
    case 0:
      if (upper) return static_cast<std::uint32_t>(c - 'A' + 1);
      return below0 || digit || beforeA ? 0 : 27;
    case 1:
      if (below0) return 0;
      if (digit) return static_cast<std::uint32_t>(c - '0' + 1);
      if (beforeA) return 11;
      if (upper) return static_cast<std::uint32_t>(c - 'A' + 12);
      return 38;
    case 2:
      if (below0) return 0;
      if (digit) return static_cast<std::uint32_t>(c - '0' + 1);
      return 11;
    case 4:
      if (upper) return static_cast<std::uint32_t>(c - 'A' + 1);
      if (lower) return static_cast<std::uint32_t>(c - 'a' + 28);
      if (aboveZ) return 54;
      return below0 || digit || beforeA ? 0 : 27;
    case 5:
      if (below0) return 0;
      if (digit) return static_cast<std::uint32_t>(c - '0' + 1);
      if (beforeA) return 11;
      if (upper) return static_cast<std::uint32_t>(c - 'A' + 12);
      if (lower) return static_cast<std::uint32_t>(c - 'a' + 40);
      if (aboveZ) return 65;
      return 39;
    default:
      return 0;
  }
}

}  // namespace

std::uint32_t SortKeyPosition(std::uint32_t slots, int kind, const char* key) {
  std::uint32_t radix = 0;
  switch (kind) {
    case 0:
      radix = 28;
      break;
    case 1:
      radix = 39;
      break;
    case 2:
      radix = 12;
      break;
    case 4:
      radix = 55;
      break;
    case 5:
      radix = 66;
      break;
    default:
      return 0;
  }
  std::uint32_t value = 0;
  for (int i = 0; i < 3; ++i) {
    char c = key != nullptr && std::strlen(key) > static_cast<std::size_t>(i) ? key[i] : '\0';
    std::uint32_t digit = 0;
    if (c != '\0') {
      if ((kind == 0 || kind == 1) && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      digit = KeyDigit(kind, static_cast<signed char>(c));
    }
    value = value * radix + digit;
  }
  // In 64 bits, so that large buffers never see the product wrap.
  return static_cast<std::uint32_t>(std::uint64_t{slots} * value / (radix * radix * radix));
}

// ---- Sorting a file in place

int SortFileInPlace(const SortFileBlock& block) {
  if (block.file == nullptr || block.compare == nullptr || block.recordSize == 0) return 0;
  if (block.progress) block.progress->SetText(res::LoadString(res::kIdsSorting));
  const std::size_t size = block.recordSize;
  const std::uint32_t perChunk =
      static_cast<std::uint32_t>(std::max<std::size_t>(1, kFileChunkBytes / size));
  std::vector<std::uint8_t> chunk(static_cast<std::size_t>(perChunk) * size);

  CDiskSort sort;
  bool ok = sort.Open(size, false, block.compare) >= 0;
  // Every record is read before any is written back, so a failure while
  // reading leaves the file as it was.
  for (std::uint32_t i = 0; ok && i < block.count; i += perChunk) {
    const std::uint32_t n = std::min(perChunk, block.count - i);
    ok = block.file->ReadAt(std::uint64_t{i} * size, chunk.data(), n * size);
    for (std::uint32_t k = 0; ok && k < n; ++k) ok = sort.Add(chunk.data() + k * size) == 1;
  }
  if (ok) sort.End();
  for (std::uint32_t i = 0; ok && i < block.count; i += perChunk) {
    const std::uint32_t n = std::min(perChunk, block.count - i);
    for (std::uint32_t k = 0; ok && k < n; ++k) {
      const void* record = sort.Next();
      if (record == nullptr) {
        ok = false;
      } else {
        std::memcpy(chunk.data() + k * size, record, size);
      }
    }
    if (ok) ok = block.file->WriteAt(std::uint64_t{i} * size, chunk.data(), n * size);
  }
  sort.Close();
  if (block.progress) block.progress->SetText(block.restoreText);
  return ok ? 1 : 0;
}
