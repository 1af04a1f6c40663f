#pragma once
// The search of the mounted file systems for family files: a walk over
// every folder under the given roots that checks every regular file with
// IdentifyFamilyFile and collects the family files it finds. The search
// dialog shows its counters and lets the user cancel; this class holds what
// the walk decides, so that it runs the same without a screen.
//
// The walk stays on the file system of each root (other mounts are roots of
// their own, or not searched), never follows a symbolic link to a folder, so
// link loops cannot trap it, passes over devices, pipes and sockets, and
// skips folders it may not read.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plat {
class TextMeasure;
}

// One family file found.
struct FoundFamilyFile {
  std::string path;
  std::string familyName;
  std::int32_t individuals = 0;
  std::int32_t marriages = 0;
  std::int32_t reserved = 0;  // always 0
  int type = 0;               // kOldFormatFamily or kCurrentFormatFamily
};

class CFamilyFileSearch {
 public:
  // Entries between two screen updates.
  static constexpr int kUpdateInterval = 25;

  // Called with the folder text whenever the walk enters a root or folder.
  std::function<void(const std::string& folder)> onFolder;
  // Called after every kUpdateInterval-th entry: the place to show the count
  // of checked files and let waiting input (Cancel) through.
  std::function<void()> onScreenUpdate;
  // Called with each family file found, after it was added to Found().
  std::function<void(const FoundFamilyFile& file)> onFound;

  // Walks the roots in order. True when every root was walked, false when
  // cancelled.
  bool Run(const std::vector<std::string>& roots);
  // Stops the walk before its next entry.
  void Cancel() { cancelled_ = true; }
  bool Cancelled() const { return cancelled_; }

  const std::vector<FoundFamilyFile>& Found() const { return found_; }
  std::uint32_t FilesChecked() const { return checked_; }
  std::uint32_t FilesFound() const { return static_cast<std::uint32_t>(found_.size()); }

 private:
  void ScanFolder(const std::string& folder, unsigned long long device);
  void CheckFile(const std::string& path);
  void ScreenUpdate();

  std::vector<FoundFamilyFile> found_;
  std::uint32_t checked_ = 0;
  int countdown_ = kUpdateInterval;
  bool cancelled_ = false;
};

// The line of the found-files list for file: the path shortened to
// pathWidth by measure, the family name and the two counts, separated by
// tabs.
std::string FoundFileListLine(const FoundFamilyFile& file, const plat::TextMeasure& measure,
                              int pathWidth);
