#include "RecentFileList.h"

#include "CodePage.h"

namespace shell {

std::string RecentFileList::ValueName(int index) { return "File" + std::to_string(index + 1); }

std::string RecentFileList::Get(int index) const {
  if (index < 0 || index >= kSize) return {};
  return Profile().GetPath(kSection, ValueName(index), "");
}

void RecentFileList::Set(int index, const std::string& path) {
  Profile().SetPath(kSection, ValueName(index), path);
}

std::vector<std::string> RecentFileList::Entries() const {
  std::vector<std::string> out;
  for (int i = 0; i < kSize; ++i) {
    std::string path = Get(i);
    if (path.empty()) break;
    out.push_back(path);
  }
  return out;
}

bool RecentFileList::SamePath(const std::string& a, const std::string& b) {
  return plat::AnsiLower(a) == plat::AnsiLower(b);
}

void RecentFileList::Add(const std::string& path) {
  int found = kSize - 1;
  for (int i = 0; i < kSize - 1; ++i)
    if (SamePath(Get(i), path)) {
      found = i;
      break;
    }
  for (int i = found; i > 0; --i) Set(i, Get(i - 1));
  Set(0, path);
}

void RecentFileList::Remove(const std::string& path) {
  if (path.empty()) return;
  for (int i = 0; i < kSize; ++i) {
    if (!SamePath(Get(i), path)) continue;
    for (int j = i; j < kSize - 1; ++j) Set(j, Get(j + 1));
    Set(kSize - 1, "");
    return;
  }
}

}  // namespace shell
