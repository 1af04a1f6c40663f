#include "ReplaceFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "FileSystem.h"
#include "FileUtil.h"

int ReplaceFileContents(const std::string& path,
                        const std::function<bool(plat::FileHandle& file)>& write) {
  std::string folder, fileName;
  SplitPathDirFile(path, &folder, &fileName);
  if (folder.empty()) folder = "./";
  plat::FileHandle temp;
  int cause = plat::kFileOk;
  const std::string tempPath = FindTempName(folder, fileName, [&](const std::string& candidate) {
    cause = temp.Create(candidate, true);
    if (cause == plat::kFileOk) return TempNameAnswer::Take;
    return temp.LastErrno() == EEXIST ? TempNameAnswer::Next : TempNameAnswer::Stop;
  });
  if (tempPath.empty()) return cause != plat::kFileOk ? cause : plat::kFileTooManyOpen;

  struct stat target {};
  if (::stat(path.c_str(), &target) == 0) ::fchmod(temp.Descriptor(), target.st_mode & 07777);
  int result = plat::kFileOk;
  if (!write(temp)) {
    result = plat::kFileGeneric;
  } else if (!temp.Flush()) {
    // A flush that fails without a reason is a full disk.
    result =
        temp.LastErrno() != 0 ? plat::FileErrorFromErrno(temp.LastErrno()) : plat::kFileDiskFull;
  }
  temp.Close();
  if (result != plat::kFileOk) {
    plat::DeleteFile(tempPath);
    return result;
  }
  if (!plat::RenameFile(tempPath, path)) {
    const int renameErrno = errno;
    plat::DeleteFile(tempPath);
    return plat::FileErrorFromErrno(renameErrno);
  }
  return plat::kFileOk;
}
