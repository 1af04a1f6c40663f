#include "BookIndex.h"

#include <cstring>
#include <span>

#include "AnselCompare.h"
#include "CodePage.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "DiskSort.h"
#include "IndividualRecord.h"
#include "PaginatorState.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

struct SortHooks {
  plat::RandomAccessFile* workFile = nullptr;
  std::size_t memoryRunLimit = CDiskSort::kDefaultMemoryRunLimit;
};
SortHooks& Hooks() {
  static SortHooks hooks;
  return hooks;
}

void PutBE(BookIndexRecord& r, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) r[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

void Warn(unsigned text, unsigned caption) {
  plat::MessageBox(res::LoadString(text), res::LoadString(caption),
                   plat::kMbOk | plat::kMbIconExclamation);
}

}  // namespace

std::string MakeBookIndexKey(std::string_view surname, std::string_view given1,
                             std::string_view given2) {
  std::string raw(kBookIndexKeySize, ' ');
  auto put = [&raw](std::string_view text, std::size_t at, std::size_t width) {
    const std::string upper = plat::AnsiUpper(text.substr(0, std::min(width, text.size())));
    raw.replace(at, upper.size(), upper);
  };
  put(surname, 0, 16);
  put(given1, 16, 16);
  put(given2, 32, 2);
  std::string key;
  for (std::size_t c = 0; c + 1 < kBookIndexKeySize; ++c)
    if (!(raw[c] == ' ' && raw[c + 1] == ' ')) key += raw[c];
  if (raw[33] != ' ') key += raw[33];
  key.resize(kBookIndexKeySize, ' ');
  return key;
}

BookIndexRecord MakeBookIndexRecord(const std::string& key, std::uint32_t sort1,
                                    std::uint32_t sort2, std::uint32_t sort3,
                                    const BookIndexEntry& payload) {
  BookIndexRecord r{};
  std::memset(r.data(), ' ', kBookIndexKeySize);
  std::memcpy(r.data(), key.data(), std::min(key.size(), kBookIndexKeySize));
  PutBE(r, 34, sort1);
  PutBE(r, 38, sort2);
  PutBE(r, 42, sort3);
  PutInt32LE(r, 46, payload.payload1);
  PutInt32LE(r, 50, payload.payload2);
  PutInt32LE(r, 54, payload.payload3);
  return r;
}

int CompareBookIndexNames(std::string_view a, std::string_view b) {
  switch (KeyCompare(a, b, true)) {
    case kAlphaBefore:
      return -1;
    case kAlphaAfter:
      return 1;
    default:
      break;
  }
  // Keys that differ only in what the collation ignores keep a fixed order.
  const int r = a.compare(b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CompareBookIndexKeys(const void* a, const void* b) {
  const auto* x = static_cast<const char*>(a);
  const auto* y = static_cast<const char*>(b);
  if (const int r = CompareBookIndexNames(std::string_view(x, kBookIndexKeySize),
                                          std::string_view(y, kBookIndexKeySize)))
    return r;
  return std::memcmp(x + kBookIndexKeySize, y + kBookIndexKeySize,
                     kBookIndexSortedBytes - kBookIndexKeySize);
}

BookIndexEntry BookIndexPayload(const std::uint8_t* record) {
  const std::span<const std::uint8_t> bytes(record + 46, kBookIndexEntrySize);
  return {GetInt32LE(bytes, 0), GetInt32LE(bytes, 4), GetInt32LE(bytes, 8)};
}

void BookIndexFile::SetSortWorkFile(plat::RandomAccessFile* file, std::size_t memoryRunLimit) {
  Hooks() = {file, memoryRunLimit};
}

void BookIndexFile::Reset() {
  count_ = 0;
  sorted_ = false;
  valid_ = false;
  entriesOffset_ = 0;
}

bool BookIndexFile::IsOpen() const { return Paginator().indexFile.IsOpen(); }

bool BookIndexFile::Append(const BookIndexRecord& record) {
  if (!IsOpen() || sorted_) return false;
  if (!Paginator().indexFile.WriteRecord(count_, record)) return false;
  ++count_;
  return true;
}

// The sorted entries go after the records, so that the records stay readable
// when the sort fails half-way.
void BookIndexFile::Sort() {
  sorted_ = true;
  PaginatorWorkFile& file = Paginator().indexFile;
  CDiskSort sort;
  sort.SetMemoryRunLimit(Hooks().memoryRunLimit);
  if (sort.Open(kBookIndexRecordSize, false, CompareBookIndexKeys, Hooks().workFile) < 0) {
    Warn(res::kIdsSortCannotStart, res::kIdsSortTitle);
    return;
  }
  BookIndexRecord record{};
  for (std::uint32_t n = 0; n < count_; ++n) {
    if (!file.ReadRecord(n, record) || sort.Add(record.data()) != 1) {
      Warn(res::kIdsSortFailed, res::kIdsSortTitle);
      return;
    }
  }
  sort.End();
  // On a whole entry after the last record.
  const std::uint64_t records = std::uint64_t{count_} * kBookIndexRecordSize;
  const std::uint64_t base =
      (records + kBookIndexEntrySize - 1) / kBookIndexEntrySize * kBookIndexEntrySize;
  for (std::uint32_t n = 0; n < count_; ++n) {
    const auto* next = static_cast<const std::uint8_t*>(sort.Next());
    if (next == nullptr ||
        !file.WriteAt(base + std::uint64_t{n} * kBookIndexEntrySize,
                      std::span<const std::uint8_t>(next + 46, kBookIndexEntrySize))) {
      Warn(res::kIdsSortFailed, res::kIdsSortTitle);
      return;
    }
  }
  if (sort.Failed()) {
    Warn(res::kIdsSortFailed, res::kIdsSortTitle);
    return;
  }
  entriesOffset_ = base;
  valid_ = true;
}

bool BookIndexFile::Entry(std::uint32_t n, BookIndexEntry& out) {
  out = {};
  if (n >= count_ || !IsOpen()) return false;
  if (!sorted_) Sort();
  PaginatorWorkFile& file = Paginator().indexFile;
  if (valid_) {
    std::array<std::uint8_t, kBookIndexEntrySize> entry{};
    if (!file.ReadRecord(entriesOffset_ / kBookIndexEntrySize + n, entry)) return false;
    out = {GetInt32LE(entry, 0), GetInt32LE(entry, 4), GetInt32LE(entry, 8)};
    return true;
  }
  // Unsorted: the payload of record n, never its raw bytes as an entry.
  BookIndexRecord record{};
  if (!file.ReadRecord(n, record)) return false;
  out = BookIndexPayload(record.data());
  return true;
}

BookIndexFile& BookIndex() {
  static BookIndexFile index;
  return index;
}

void AddBookIndexEntry(std::int32_t rin, std::int32_t payload2, std::int32_t payload3,
                       std::uint32_t sort2, std::uint32_t sort3) {
  if (rin < 1 || rin > DbGetMaxRecordCount(db::kIndividual) || !BookIndex().IsOpen()) return;
  CIndividualRecord person;
  if (DbGetRecord(rin, db::kIndividual, &person) != 1) return;
  const std::string key =
      MakeBookIndexKey(person.surname, person.givenNames[0], person.givenNames[1]);
  BookIndex().Append(MakeBookIndexRecord(key, static_cast<std::uint32_t>(rin), sort2, sort3,
                                         {rin, payload2, payload3}));
}

bool GetBookIndexEntry(std::uint32_t n, BookIndexEntry& out) { return BookIndex().Entry(n, out); }

}  // namespace rpt
