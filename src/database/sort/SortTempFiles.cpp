#include "SortTempFiles.h"

#include <cerrno>

#include "FileHandle.h"
#include "FileSystem.h"
#include "FileUtil.h"

namespace sortfiles {

std::string CreateTempFile(std::string_view hint, std::uint64_t neededBytes, int* errorOut) {
  std::string folder;
  GetTempPathWithSpace(folder, neededBytes);
  int failure = plat::kFileOk;
  std::string taken = FindTempName(folder, hint, [&](const std::string& name) {
    plat::FileHandle file;
    int cause = file.Create(name, /*exclusive=*/true);
    if (cause == plat::kFileOk) return TempNameAnswer::Take;
    if (file.LastErrno() == EEXIST) return TempNameAnswer::Next;
    failure = cause;
    return TempNameAnswer::Stop;
  });
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
