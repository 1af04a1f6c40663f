#pragma once
// CBTreeIndex: a B+tree on disk mapping fixed-width keys to fixed-width
// values, in a work file of fixed-size pages with a cache of pages in memory.
// The GEDCOM import keeps its cross-reference maps in such indexes.
//
// File (integers big-endian): page n at offset n x page size. Page 0 holds
// the header: next free page (4 bytes), entries (4), page size (2), key
// width (2), value width (2), root page (2), reserved (2); it is written at
// creation and again, with the root and counts, when the index is closed.
// Every other page: kind (1 byte: 1 branch, 2 leaf), key count n (2), the n
// keys in ascending memcmp order from offset 3, and at the page's end either
// the n values (leaf) or n + 1 child page numbers of 2 bytes (branch). In a
// branch, keys below key i lie under child i and keys from key i up under
// child i + 1. Page numbers are 16-bit, so an index has at most 65535 pages.

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "FileHandle.h"

class CBTreeIndex {
 public:
  // Called for every entry by Walk with the entry's page number, the
  // caller's context and the entry's key and value; its answer is Walk's.
  using WalkFn = int (*)(std::uint16_t page, void* context, const std::uint8_t* key,
                         const std::uint8_t* value);
  // Bytes of pages kept in memory; at least one operation's pages always are.
  static constexpr std::size_t kDefaultCacheBytes = 4u << 20;

  CBTreeIndex() = default;
  ~CBTreeIndex() { Close(); }
  CBTreeIndex(const CBTreeIndex&) = delete;
  CBTreeIndex& operator=(const CBTreeIndex&) = delete;

  // Creates (or empties) the file with an empty leaf as the root. Nonzero
  // on success; 0 when the file cannot be made or a page would hold fewer
  // than three entries.
  int Create(const std::string& path, int pageSize, int keyWidth, int valueWidth);
  // Opens an index file written by Create and Close. Nonzero on success.
  int Open(const std::string& path);
  // Writes the changed pages and the header, and closes the file.
  void Close();
  bool IsOpen() const { return file_.IsOpen(); }

  // Inserts a new key (a null value stores zeros). 1, or 0 when no file is
  // open, the key is present, page numbers or memory run out, or a page
  // cannot be read or written.
  int Insert(const void* key, const void* value);
  // Overwrites the value of a present key; 1 when found, else 0.
  int SetValue(const void* key, const void* value);
  // Copies the key's value (value-width bytes); nonzero when found.
  int Find(const void* key, void* valueOut);
  // Calls fn for every entry in ascending key order; answers the last call's
  // answer (0 when there was none).
  int Walk(WalkFn fn, void* context);

  void SetCacheBytes(std::size_t bytes) { cacheBytes_ = bytes; }
  std::uint32_t Count() const { return count_; }
  std::uint16_t Root() const { return root_; }
  // Pages in use, the header's page not counted.
  std::uint32_t PageCount() const { return nextPage_ - 1; }

 private:
  struct Page {
    std::uint16_t number = 0;
    bool leaf = true;
    std::vector<std::uint8_t> keys;       // n x key width
    std::vector<std::uint8_t> values;     // leaf: n x value width
    std::vector<std::uint16_t> children;  // branch: n + 1
    bool dirty = false;
    int pins = 0;  // held by the running operation: not to be reused
    int Count(std::size_t keyWidth) const { return static_cast<int>(keys.size() / keyWidth); }
  };

  bool Fits(bool leaf, int n) const;
  bool Full(const Page& page) const { return !Fits(page.leaf, page.Count(keyWidth_)); }
  const std::uint8_t* Key(const Page& page, int i) const {
    return page.keys.data() + i * keyWidth_;
  }
  // Binary search: found (exact index) or not (insertion position).
  int Search(const Page& page, const void* key, bool& found) const;
  int ChildIndex(const Page& branch, const void* key) const;

  // The page, from the cache or the file, pinned until EndOp; null on a read
  // or write failure.
  Page* Get(std::uint16_t number);
  Page* NewPage(bool leaf);
  // Makes room in the cache for one more page; false when a write failed.
  bool Evict();
  void EndOp();
  bool ReadPage(Page& page);
  bool WritePage(Page& page);
  bool WriteHeader();
  // Descends to the leaf for key; the branches passed and the child taken
  // in each go to path. Null on a page failure.
  Page* FindLeaf(const void* key, std::vector<std::pair<Page*, int>>* path);

  bool EvenOut(Page& left, Page& right, Page& parent, int separator);
  // Splits page (child b of parent) into a new right page, adding a separator to parent.
  bool Split(Page& page, Page& parent, int b);
  int WalkPage(std::uint16_t number, WalkFn fn, void* context, bool& ok);

  plat::FileHandle file_;
  std::size_t pageSize_ = 0, keyWidth_ = 0, valueWidth_ = 0;
  std::uint32_t count_ = 0;
  std::uint32_t nextPage_ = 1;
  std::uint16_t root_ = 0;
  std::size_t cacheBytes_ = kDefaultCacheBytes;
  std::list<Page> cache_;  // most recently used first
  std::unordered_map<std::uint16_t, std::list<Page>::iterator> where_;
  std::vector<Page*> pinned_;
  std::vector<std::uint8_t> buffer_;
};
