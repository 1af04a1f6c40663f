#include "DittoList.h"

#include <algorithm>

#include "Ports.h"

namespace {

std::string SectionOf(const std::string& name) { return "Ditto\\" + name; }
std::string ValueOf(const std::string& name, int index) { return name + std::to_string(index); }

}  // namespace

void CDittoList::Add(const std::string& text) {
  if (text.empty() || maxEntries_ <= 0) return;
  const int found = Find(text);
  if (found == 0) return;
  if (found > 0) RemoveAt(found);
  AddHead(text);
  while (GetCount() > maxEntries_) RemoveTail();
}

int CDittoList::Load(const std::string& name) {
  plat::ProfilePort& profile = plat::Profile();
  const std::string section = SectionOf(name);
  maxEntries_ =
      std::clamp(profile.GetInt(section, "MaxEntries", kDefaultMaxEntries), 0, kMaxMaxEntries);
  int loaded = 0;
  for (int i = 0; i < maxEntries_; ++i) {
    const std::string text = profile.GetString(section, ValueOf(name, i), "");
    if (text.empty()) continue;
    AddTail(text);
    ++loaded;
  }
  return loaded;
}

int CDittoList::Save(const std::string& name) const {
  plat::ProfilePort& profile = plat::Profile();
  const std::string section = SectionOf(name);
  int written = 0;
  for (const std::string& text : *this) {
    if (profile.SetString(section, ValueOf(name, written), text)) ++written;
  }
  // Values past the list are left from a longer one: without this, entries
  // deleted from a drop-down would come back at the next start.
  const int stale = std::max(GetCount(), std::max(maxEntries_, kDefaultMaxEntries));
  for (int i = GetCount(); i < std::min(stale, kMaxMaxEntries); ++i)
    profile.Remove(section, ValueOf(name, i));
  return written;
}
