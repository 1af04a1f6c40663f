#include "FileFinder.h"

#include <dirent.h>
#include <sys/stat.h>

#include "FileUtil.h"

int CFileFinder::FindNext(const std::string& pattern) {
  if (!dir_) {
    std::string name;
    SplitPathDirFile(pattern, &folder_, &name);
    pattern_ = name.empty() ? "*" : name;
    dir_ = ::opendir(folder_.empty() ? "." : folder_.c_str());
    if (!dir_) return 0;
  }
  while (dirent* e = ::readdir(static_cast<DIR*>(dir_))) {
    std::string name = e->d_name;
    if (!MatchFilePattern(pattern_, name)) continue;
    name_ = name;
    struct stat st {};
    std::string path = folder_ + name;
    if (::stat(path.c_str(), &st) != 0 && ::lstat(path.c_str(), &st) != 0) st = {};
    directory_ = S_ISDIR(st.st_mode);
    size_ = static_cast<std::uint64_t>(st.st_size);
    modified_ = st.st_mtime;
    return 1;
  }
  Close();
  return 0;
}

void CFileFinder::Close() {
  if (dir_) ::closedir(static_cast<DIR*>(dir_));
  dir_ = nullptr;
}
