#pragma once
// What File > Properties shows of a family file: where it is, its size and
// modification time, the free space of the data folder's file system, and
// the record counts of the open file.

#include <cstdint>
#include <string>

namespace shell {

struct FileProperties {
  std::string location;
  std::uint32_t size = 0;  // bytes; 0 when the file cannot be examined
  std::string modified;    // date in the user's style and " %H:%M:%S"; "" likewise
  std::string freeSpace;   // FreeSpaceText
  std::int32_t individuals = 0, marriages = 0, sources = 0, citations = 0, repositories = 0,
               notes = 0, events = 0, multimedia = 0;
  std::int32_t deletedIndividuals = 0, deletedMarriages = 0;
};

// Free bytes as "%lu KB", or "%lu MB" from 10241 KB on (and whenever the
// kilobytes need more than 32 bits); less than 1 KB shows as 1 KB.
std::string FreeSpaceText(std::uint64_t freeBytes);

// The facts of path with the counts of the open database; freeBytes is the
// free space of the program's data folder.
FileProperties ReadFileProperties(const std::string& path, std::uint64_t freeBytes);

}  // namespace shell
