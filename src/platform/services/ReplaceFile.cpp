#include "ReplaceFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "DiskSync.h"
#include "FileSystem.h"
#include "FileUtil.h"

int ReplaceFileContents(const std::string& path,
                        const std::function<bool(plat::FileHandle& file)>& write,
                        ReplaceSync sync) {
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
  } else if (sync == ReplaceSync::kNow) {
    if (const int error = plat::DiskSync().SyncFile(temp.Descriptor()); error != 0)
      result = plat::FileErrorFromErrno(error);
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
