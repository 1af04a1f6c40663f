#pragma once
// The four most recently opened family files, newest first, kept in the
// profile section "Recent File List" as "File1" to "File4". Paths compare
// without regard to case.

#include <string>
#include <vector>

#include "Ports.h"

namespace shell {

class RecentFileList {
 public:
  static constexpr int kSize = 4;
  static constexpr const char* kSection = "Recent File List";

  // Without a profile, the installed profile port at each use.
  RecentFileList() = default;
  explicit RecentFileList(plat::ProfilePort& profile) : profile_(&profile) {}

  // Entry 0 to 3; "" when empty or out of range.
  std::string Get(int index) const;
  // The entries up to the first empty one.
  std::vector<std::string> Entries() const;
  // Makes path File1: an entry found among File1 to File3 moves to the top,
  // the entries above it one place down; a new path pushes File4 out.
  void Add(const std::string& path);
  // Removes path from File1 to File4; the later entries move up and File4
  // becomes empty. Nothing changes for a path not in the list.
  void Remove(const std::string& path);

  static bool SamePath(const std::string& a, const std::string& b);

 private:
  static std::string ValueName(int index);
  void Set(int index, const std::string& path);

  plat::ProfilePort& Profile() const { return profile_ ? *profile_ : plat::Profile(); }

  plat::ProfilePort* profile_ = nullptr;
};

}  // namespace shell
