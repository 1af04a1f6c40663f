#pragma once
// Named work files of the sorts: each is created empty and exclusively, so
// that no two sorters (in this process or another) ever share one, in the
// temporary folder the file utilities choose for the room it needs.

#include <cstdint>
#include <string>
#include <string_view>

namespace sortfiles {

// Creates a new empty file named from hint (TempFilePrefix) in the folder
// GetTempPathWithSpace picks for neededBytes and returns its path; "" when no
// file could be created, with the file-error cause in errorOut when given.
std::string CreateTempFile(std::string_view hint, std::uint64_t neededBytes,
                           int* errorOut = nullptr);

// Deletes a work file; a file that is already gone (or an empty name) is no error.
void RemoveTempFile(const std::string& path);

}  // namespace sortfiles
