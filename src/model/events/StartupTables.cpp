#include "StartupTables.h"

#include "StringIds.h"
#include "StringTable.h"

namespace {

constexpr char kFixedNavigationKeys[4] = {'F', 'M', 'C', 'S'};

bool IsBlankOrControl(unsigned char c) { return c <= ' ' || c == 0x7F; }

std::vector<std::string>& NoteTags() {
  static std::vector<std::string> tags;
  return tags;
}

char* NavigationKeys() {
  static char keys[4] = {'F', 'M', 'C', 'S'};
  return keys;
}

}  // namespace

std::string TableRowReader::Next() {
  while (pos_ < row_.size() && IsBlankOrControl(static_cast<unsigned char>(row_[pos_]))) ++pos_;
  std::size_t end = row_.find('|', pos_);
  if (end == std::string_view::npos) end = row_.size();
  std::string field(row_.substr(pos_, end - pos_));
  if (!field.empty() && static_cast<unsigned char>(field.back()) < '!') field.pop_back();
  pos_ = end < row_.size() ? end + 1 : row_.size();
  return field;
}

void LoadStandardNoteTags() {
  std::vector<std::string>& tags = NoteTags();
  tags.clear();
  for (unsigned id = res::kIdsAllNoteTags; tags.size() < kMaxStandardNoteTags && res::HasString(id);
       ++id)
    tags.push_back(res::LoadString(id));
}

void FreeStandardNoteTags() {
  NoteTags().clear();
  NoteTags().shrink_to_fit();
}

const std::vector<std::string>& GetStandardNoteTags() { return NoteTags(); }

void LoadNavigationKeys() {
  char* keys = NavigationKeys();
  for (unsigned i = 0; i < 4; ++i) {
    const std::string letter = res::LoadString(res::kIdsFirstNavigationKey + i);
    keys[i] = letter.empty() ? kFixedNavigationKeys[i] : letter[0];
  }
}

char MapNavigationKey(char key) {
  const char* keys = NavigationKeys();
  for (int i = 0; i < 4; ++i)
    if (keys[i] == key) return kFixedNavigationKeys[i];
  return key;
}
