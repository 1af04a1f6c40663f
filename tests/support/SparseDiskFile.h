#pragma once
// A disk that runs out of pages, as a small file system does: the file is
// sparse, only the pages a write has touched take room, and a write that
// needs a page beyond the disk's room stores what fits in the pages it may
// have and fails. A write into a hole below the end of the file needs its
// pages as much as one past the end; a cut frees the pages past the new
// length. The room can be raised later (the user made room on the disk).

#include <algorithm>
#include <cstdint>
#include <limits>
#include <set>

#include "MemoryFile.h"

class SparseDiskFile : public PassThroughFile {
 public:
  static constexpr std::uint64_t kNoLimit = std::numeric_limits<std::uint64_t>::max();

  // The file's present bytes hold their pages; room is the disk's size in
  // bytes (whole pages of pageSize count).
  SparseDiskFile(MemoryFile& inner, std::uint64_t pageSize, std::uint64_t room)
      : PassThroughFile(inner), page_(pageSize), room_(room) {
    for (std::uint64_t p = 0; p * page_ < static_cast<std::uint64_t>(inner.Size()); ++p)
      pages_.insert(p);
  }

  void SetRoom(std::uint64_t room) { room_ = room; }
  // The bytes of the pages the file takes.
  std::uint64_t Used() const { return pages_.size() * page_; }

  bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) override {
    if (len == 0) return true;
    const std::uint64_t last = (pos + len - 1) / page_;
    for (std::uint64_t p = pos / page_; p <= last; ++p) {
      if (pages_.count(p)) continue;
      if (Used() + page_ > room_) {
        // What fits in the pages the file may have reaches it.
        const std::uint64_t fits = std::max(pos, p * page_) - pos;
        if (fits > 0) (void)inner_.WriteAt(pos, data, static_cast<std::size_t>(fits));
        return false;
      }
      pages_.insert(p);
    }
    return inner_.WriteAt(pos, data, len);
  }

  bool Truncate(std::uint64_t size) override {
    if (!inner_.Truncate(size)) return false;
    pages_.erase(pages_.lower_bound((size + page_ - 1) / page_), pages_.end());
    return true;
  }

 private:
  std::uint64_t page_;
  std::uint64_t room_;
  std::set<std::uint64_t> pages_;
};
