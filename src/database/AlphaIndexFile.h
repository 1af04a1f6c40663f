#pragma once
// An alphabetic index file of sources (".ors") or repositories (".orr"): the
// record numbers of the live records in tree order, int32 each, followed by
// an int32 0. The owner keeps it open between uses and marks it stale when
// the tree changes; it is rebuilt before its next use.

#include <cstdint>
#include <string>
#include <vector>

#include "FileHandle.h"

// The record number at a position (from 1) of an open alphabetic index file
// of count entries. A position outside 1 to count shows "Record Error", a
// short read "Read Error" (both titled "Alpha File"); either gives 0.
std::int32_t ReadAlphaEntry(std::int32_t position, plat::RandomAccessFile& file,
                            std::int32_t count);

class AlphaIndexFile {
 public:
  // The family file's path with the extension's last letter replaced.
  static std::string PathFor(const std::string& familyPath, char letter);

  bool IsStale() const { return stale_ || !handle_.IsOpen(); }
  void MarkStale() { stale_ = true; }
  std::int32_t Entries() const { return entries_; }

  // Creates the file anew at path with the numbers and the terminating 0;
  // "Creation error" ("Alpha File") and 0 entries when it cannot be created.
  // Returns 1 or 0.
  int Build(const std::string& path, const std::vector<std::int32_t>& numbers);
  // Position (from 1) of a record number; 1 when it is not listed.
  std::int32_t PositionOf(std::int32_t number);
  // Record number at a position from 1; 0 outside 1 to Entries().
  std::int32_t At(std::int32_t position);
  void Flush();
  void Close();

 private:
  plat::FileHandle handle_;
  std::int32_t entries_ = 0;
  bool stale_ = true;
};
