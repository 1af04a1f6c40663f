#pragma once
// Writing a user's file so that a failure never leaves it half written: the
// new contents go into a temporary file in the same folder, which is renamed
// over the target only once it is complete and (unless its caller syncs the
// whole folder later) on the disk.

#include <functional>
#include <string>

#include "FileHandle.h"

// Whether the temporary file is put on the disk before it is renamed
// (kNow), or left to a caller that writes a whole folder of new files and
// makes that folder durable in one pass once everything in it is written
// (kWithFolder).
enum class ReplaceSync { kNow, kWithFolder };

// Creates or replaces the file at path with what write puts into the open,
// empty temporary file (write answers false on failure). The temporary file
// takes an existing target's permission bits; on any failure it is removed
// and an existing target is left as it was. Returns 0 or the file error's
// cause (plat::FileErrorCause; kFileGeneric when write itself failed, so a
// writer with a more telling error keeps its own).
int ReplaceFileContents(const std::string& path,
                        const std::function<bool(plat::FileHandle& file)>& write,
                        ReplaceSync sync = ReplaceSync::kNow);
