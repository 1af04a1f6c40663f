#include "SortTempFiles.h"

#include <cerrno>
#include <cstdio>

#include "Clock.h"

#include "FileHandle.h"
#include "FileSystem.h"
#include "FileUtil.h"

namespace sortfiles {

namespace {

constexpr std::uint32_t kCounterMask = 0xFFFFF;

}  // namespace

std::string CreateTempFile(std::string_view hint, std::uint64_t neededBytes, int* errorOut) {
  std::string folder;
  GetTempPathWithSpace(folder, neededBytes);
  AddTrailingBackslash(folder);
  const std::string base = folder + TempFilePrefix(hint);
  // Names are the file utilities' (prefix and "%05X.TMP", the counter first
  // taken from the clock), but the counter goes on from the last name taken:
  // a merge sort makes thousands of files within a second, and starting over
  // at the clock each time would try every name taken so far.
  static std::uint32_t next = static_cast<std::uint32_t>(plat::Now()) & kCounterMask;
  int failure = plat::kFileOk;
  std::string taken;
  for (std::uint32_t tries = 0; tries <= kCounterMask && taken.empty(); ++tries) {
    const std::uint32_t counter = next;
    next = (next + 1) & kCounterMask;
    char digits[16];
    std::snprintf(digits, sizeof digits, "%05X.TMP", counter);
    std::string name = base + digits;
    plat::FileHandle file;
    int cause = file.Create(name, /*exclusive=*/true);
    if (cause == plat::kFileOk) {
      taken = std::move(name);
    } else if (file.LastErrno() != EEXIST) {
      failure = cause;
      break;
    }
  }
  if (errorOut) {
    *errorOut = !taken.empty()             ? plat::kFileOk
                : failure != plat::kFileOk ? failure
                                           : plat::kFileTooManyOpen;
  }
  return taken;
}

void RemoveTempFile(const std::string& path) {
  if (!path.empty()) plat::DeleteFile(path);
}

}  // namespace sortfiles
