#include "AddOns.h"

#include <algorithm>
#include <cctype>

namespace shell {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Cut(std::string text, std::size_t limit) {
  if (text.size() > limit) text.resize(limit);
  return text;
}

std::string WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

bool CAddOnEntry::IsLibrary() const {
  const std::size_t slash = target.find_last_of('/');
  const std::size_t dot = target.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  return Lower(target.substr(dot)) == ".so";
}

std::string CAddOnEntry::FileText(const std::string& path) const {
  return passMode == kPassQuoted || passMode == kPassPlain ? path : std::string();
}

std::string CAddOnEntry::CommandLine(const std::string& path) const {
  std::string line = target;
  if (passMode == kPassQuoted)
    line += " \"" + path + "\"";
  else if (passMode == kPassPlain && !path.empty())
    line += " " + path;
  return line;
}

KorAddOnBlock MakeAddOnBlock(const std::string& file, std::int32_t rin, std::int32_t mrin) {
  KorAddOnBlock block{};
  block.size = KOR_ADDON_BLOCK_SIZE;
  block.file = file.c_str();
  block.rin = rin;
  block.mrin = mrin;
  return block;
}

CAddOnList::CAddOnList(KeyStore& user, KeyStore* system) : user_(user) {
  std::vector<std::string> seen;
  ReadFrom(user, seen);
  if (system) ReadFrom(*system, seen);
}

void CAddOnList::ReadFrom(KeyStore& store, std::vector<std::string>& seen) {
  const std::vector<std::string> keys = store.SubKeys(kSection);
  std::vector<std::string> own;
  for (auto name = keys.rbegin(); name != keys.rend(); ++name) {
    if (std::find(seen.begin(), seen.end(), *name) != seen.end()) continue;
    own.push_back(*name);
    const std::string path = std::string(kSection) + "/" + *name;
    const auto menu = store.ReadString(path, "Menu");
    if (!menu) continue;
    const auto target = store.ReadString(path, "Target");
    if (!target) continue;
    const auto start = store.ReadString(path, "StartIn");
    if (!start) continue;
    const auto pass = store.ReadInt(path, "PassFileName");
    if (!pass) continue;
    auto entry = std::make_unique<CAddOnEntry>();
    entry->menuText = Cut(*menu, CAddOnEntry::kMaxMenuText);
    entry->target = Cut(*target, CAddOnEntry::kMaxPath);
    entry->startFolder = Cut(*start, CAddOnEntry::kMaxPath);
    entry->passMode = *pass;
    entries_.push_back(std::move(entry));
  }
  seen.insert(seen.end(), own.begin(), own.end());
}

int CAddOnList::Register(const std::string& key, const std::string& menuText,
                         const std::string& target, const std::string& startFolder, int passMode) {
  const std::string path = std::string(kSection) + "/" + key;
  if (!user_.WriteString(path, "Menu", menuText) || !user_.WriteString(path, "Target", target) ||
      !user_.WriteString(path, "StartIn", startFolder) ||
      !user_.WriteInt(path, "PassFileName", passMode))
    return 0;
  for (auto& entry : entries_)
    if (entry->menuText == menuText) {
      entry->target = target;
      entry->startFolder = startFolder;
      entry->passMode = passMode;
      return 1;
    }
  auto entry = std::make_unique<CAddOnEntry>();
  entry->menuText = menuText;
  entry->target = target;
  entry->startFolder = startFolder;
  entry->passMode = passMode;
  entries_.push_back(std::move(entry));
  return 1;
}

const std::vector<CompanionKey>& CompanionKeys() {
  static const std::vector<CompanionKey> keys = {
      {"Plotwell", "SOFTWARE/Quenmoor/Plotwell", "", nullptr, kPassPlain},
      {"Citewell", "SOFTWARE/Arvendel/Citewell", "InstallDir", "Citewell.exe", kPassNone},
      {"Lineroll Viewer", "SOFTWARE/Arvendel/Viewer", "InstallDir", "Viewer.exe", kPassNone},
      {"Lineroll", "SOFTWARE/Arvendel/Lineroll", "TARGETDIR", "lrl.exe", kPassNone},
  };
  return keys;
}

void CAddOnList::RegisterCompanions(KeyStore& machine) {
  for (const CompanionKey& companion : CompanionKeys()) {
    const auto value = machine.ReadString(companion.key, companion.value);
    if (!value) continue;
    std::string target, start;
    if (companion.program) {
      start = WithSeparator(*value);
      target = start + companion.program;
    } else {
      target = *value;
      const std::size_t slash = target.find_last_of('/');
      start = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    }
    Register(companion.name, companion.name, target, start, companion.passMode);
  }
}

const CAddOnEntry* CAddOnList::GetAt(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return entries_[static_cast<std::size_t>(index)].get();
}

std::vector<std::string> CAddOnList::MenuTexts() const {
  std::vector<std::string> texts;
  for (int i = 0; i < GetCount() && i < kMenuLimit; ++i) texts.push_back(GetAt(i)->menuText);
  return texts;
}

}  // namespace shell
