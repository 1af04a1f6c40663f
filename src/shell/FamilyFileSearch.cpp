#include "FamilyFileSearch.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <memory>

#include "CompactPath.h"
#include "FileSystem.h"
#include "IdentifyFamilyFile.h"
#include "TextMeasure.h"

namespace {

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

}  // namespace

bool CFamilyFileSearch::Run(const std::vector<std::string>& roots) {
  for (const std::string& root : roots) {
    if (cancelled_) break;
    const std::string folder = WithSlash(root);
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) continue;
    if (onFolder) onFolder(folder + "...");
    ScanFolder(folder, info.st_dev);
  }
  return !cancelled_;
}

void CFamilyFileSearch::ScanFolder(const std::string& folder, unsigned long long device) {
  std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
  if (!dir) return;  // unreadable: passed over
  const int fd = dirfd(dir.get());
  while (!cancelled_) {
    const dirent* entry = readdir(dir.get());
    if (!entry) break;
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat info {};
    if (fstatat(fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
      const std::string path = folder + name;
      if (S_ISDIR(info.st_mode)) {
        // Another file system mounted here is a root of its own.
        if (static_cast<unsigned long long>(info.st_dev) == device) {
          if (onFolder) onFolder(path + "/");
          ScanFolder(path + "/", device);
        }
      } else if (S_ISLNK(info.st_mode)) {
        // A link to a file is checked; a link to a folder is never followed.
        struct stat target {};
        if (stat(path.c_str(), &target) == 0 && S_ISREG(target.st_mode)) CheckFile(path);
      } else if (S_ISREG(info.st_mode)) {
        CheckFile(path);
      }
    }
    ScreenUpdate();
  }
}

void CFamilyFileSearch::CheckFile(const std::string& path) {
  ++checked_;
  FoundFamilyFile file;
  file.type = IdentifyFamilyFile(path, &file.individuals, &file.marriages, &file.familyName,
                                 nullptr, nullptr);
  if (file.type == kNoFamilyFile) return;
  file.path = path;
  found_.push_back(file);
  if (onFound) onFound(found_.back());
}

void CFamilyFileSearch::ScreenUpdate() {
  if (--countdown_ > 0) return;
  countdown_ = kUpdateInterval;
  if (onScreenUpdate) onScreenUpdate();
}

std::string FoundFileListLine(const FoundFamilyFile& file, const plat::TextMeasure& measure,
                              int pathWidth) {
  return CompactPathToWidth(plat::PathText(file.path), measure, pathWidth) + "\t" +
         file.familyName + "\t" + std::to_string(file.individuals) + "\t" +
         std::to_string(file.marriages);
}
