#pragma once
// What every report pagination pass shares: the one paginator state with its
// page entries, job queue and work files, the page-entry lookups and the
// list name comparison of the disk sort. Only one pagination runs at a time;
// each report kind fills the state in its pass and empties it in its
// clean-up.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "RandomAccessFile.h"

namespace rpt {

// A page entry: the kind's key first and, in the kinds that number their
// pages, the page number counted from 1. Kinds derive what else a page
// needs; the state owns the entries until the clean-up.
struct PageEntry {
  std::int32_t key = 0;
  std::int32_t page = 0;
  virtual ~PageEntry() = default;
};

// Work still to be done by a pass that discovers work as it goes.
struct PaginatorJob {
  virtual ~PaginatorJob() = default;
};

// A work file of fixed-size little-endian records in the temporary folder.
// Every write is checked; records not written read back as zeros.
class PaginatorWorkFile {
 public:
  PaginatorWorkFile() = default;
  ~PaginatorWorkFile();
  PaginatorWorkFile(const PaginatorWorkFile&) = delete;
  PaginatorWorkFile& operator=(const PaginatorWorkFile&) = delete;

  // Takes an open file and the path it was created at.
  void Adopt(std::unique_ptr<plat::RandomAccessFile> file, const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Path() const { return path_; }
  // The open file (null when closed), for tools that work on it in place.
  plat::RandomAccessFile* File() { return file_.get(); }

  // Writes bytes at pos; false unless every byte was written.
  bool WriteAt(std::uint64_t pos, std::span<const std::uint8_t> bytes);
  // Record number index of recordSize bytes.
  bool WriteRecord(std::uint64_t index, std::span<const std::uint8_t> record) {
    return WriteAt(index * record.size(), record);
  }
  // Zero-fills count blocks of blockSize bytes from the start.
  bool ZeroFill(std::uint64_t blocks, std::size_t blockSize);
  // Reads a record; zeros (and false) outside the records written.
  bool ReadRecord(std::uint64_t index, std::span<std::uint8_t> record);

  // Closes the file and deletes it by its stored path; nothing when closed.
  void CloseAndDelete();

 private:
  std::unique_ptr<plat::RandomAccessFile> file_;
  std::string path_;
};

// Little-endian fields of work-file records.
void PutInt32LE(std::span<std::uint8_t> bytes, std::size_t offset, std::int32_t value);
std::int32_t GetInt32LE(std::span<const std::uint8_t> bytes, std::size_t offset);

struct PaginatorState {
  std::vector<std::unique_ptr<PageEntry>> pageEntries;
  std::vector<std::unique_ptr<PaginatorJob>> jobQueue;
  PaginatorWorkFile workFile;
  PaginatorWorkFile indexFile;
  std::uint32_t recordCounter = 0;
  int running = 0;
  int pageCounter = 1;
  int linesPerPage = 0;
  int sorted = 0;

  // Adds an entry with the next page number and answers it.
  PageEntry& AddPage(std::unique_ptr<PageEntry> entry);
  // The clean-up every kind's clean-up starts from: frees the entries and the
  // job queue and closes and deletes the work files.
  void Clear();
};

// The one state of the program.
PaginatorState& Paginator();

// The first entry (in page order) whose key equals key, or null.
PageEntry* FindPageEntry(const PaginatorState& state, std::int32_t key);
// The first entry whose page number equals page, or null.
PageEntry* FindPageEntryByPage(const PaginatorState& state, std::int32_t page);
// The entry at index, or null outside the entries.
PageEntry* GetPageEntry(const PaginatorState& state, std::size_t index);

// The lists' disk-sort comparison of two 58-byte sort records: the 34 bytes
// from offset 24 compared as unsigned bytes (negative, zero, positive).
constexpr std::size_t kListSortRecordSize = 58;
int CompareListNameKeys(const void* a, const void* b);

}  // namespace rpt
