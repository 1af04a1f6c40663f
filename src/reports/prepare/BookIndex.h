#pragma once
// The name index of a book, kept in the work file "~bkindex.tmp": one 58-byte
// record per listed person while the book is paginated, sorted on disk by
// name and numbers the first time a reader asks for an entry, and then read
// as 12-byte entries (the three payload words of each record in sorted
// order). When the sort fails the index stays readable: the entries are then
// the payloads of the records in the order they were written.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {
class RandomAccessFile;
}

namespace rpt {

constexpr std::size_t kBookIndexKeySize = 34;
constexpr std::size_t kBookIndexRecordSize = 58;
constexpr std::size_t kBookIndexEntrySize = 12;
constexpr std::size_t kBookIndexSortedBytes = 46;  // key and the three sort numbers
constexpr const char* kBookIndexFileName = "~bkindex.tmp";

using BookIndexRecord = std::array<std::uint8_t, kBookIndexRecordSize>;

struct BookIndexEntry {
  std::int32_t payload1 = 0;  // the RIN
  std::int32_t payload2 = 0;  // Ahnentafel 0; register: the position code
  std::int32_t payload3 = 0;  // the queue position or register node
};

// The 34-column name key: surname (16 columns), first given name (16), the
// first two letters of the second given name (2), all upper-cased; columns
// 0-32 compacted so that no two blanks stand together, then column 33, then
// blanks.
std::string MakeBookIndexKey(std::string_view surname, std::string_view given1,
                             std::string_view given2);

// A record: the key, the three sort numbers big-endian (so that bytes compare
// as numbers), the three payload words little-endian.
BookIndexRecord MakeBookIndexRecord(const std::string& key, std::uint32_t sort1,
                                    std::uint32_t sort2, std::uint32_t sort3,
                                    const BookIndexEntry& payload);
// Two name keys in the family file's alphabetic order (case ignored);
// keys equal there compare by their bytes. <0, 0 or >0.
int CompareBookIndexNames(std::string_view a, std::string_view b);
// Two records: their name keys (CompareBookIndexNames), then the three sort
// numbers as unsigned bytes.
int CompareBookIndexKeys(const void* a, const void* b);
BookIndexEntry BookIndexPayload(const std::uint8_t* record);

// The index of the current book in the shared paginator state's index file.
// Count() records were written; Entry(n) sorts on the first call.
class BookIndexFile {
 public:
  // A new index for a run (the file is the state's index file).
  void Reset();
  bool IsOpen() const;
  // Appends one record; counted only when all of it was written.
  bool Append(const BookIndexRecord& record);
  std::uint32_t Count() const { return count_; }
  // Entry n, sorting the file first when no reader has asked yet; false
  // when n is not below Count() or the file cannot be read.
  bool Entry(std::uint32_t n, BookIndexEntry& out);
  // True once the sort wrote every entry: Entry reads sorted entries.
  bool Valid() const { return valid_; }
  bool Sorted() const { return sorted_; }

  // Tests: the sort's work file (not owned) and its memory for runs.
  static void SetSortWorkFile(plat::RandomAccessFile* file, std::size_t memoryRunLimit);

 private:
  void Sort();

  std::uint32_t count_ = 0;
  bool sorted_ = false;
  bool valid_ = false;
  std::uint64_t entriesOffset_ = 0;  // where the sorted entries start
};

BookIndexFile& BookIndex();

// Appends a record for individual rin (1 to the highest RIN, readable);
// nothing otherwise.
void AddBookIndexEntry(std::int32_t rin, std::int32_t payload2, std::int32_t payload3,
                       std::uint32_t sort2, std::uint32_t sort3);
// Entry n, or false (see BookIndexFile::Entry).
bool GetBookIndexEntry(std::uint32_t n, BookIndexEntry& out);

}  // namespace rpt
