#include "KeyStore.h"

#include <set>

namespace shell {

std::vector<std::string> MemoryKeyStore::SubKeys(const std::string& path) {
  const std::string prefix = path.empty() ? std::string() : path + "/";
  std::set<std::string> names;
  for (const auto& entry : keys_) {
    const std::string& key = entry.first;
    if (key.size() <= prefix.size() || key.compare(0, prefix.size(), prefix) != 0) continue;
    names.insert(key.substr(prefix.size(), key.find('/', prefix.size()) - prefix.size()));
  }
  return {names.begin(), names.end()};
}

std::optional<std::string> MemoryKeyStore::ReadString(const std::string& path,
                                                      const std::string& name) {
  const auto key = keys_.find(path);
  if (key == keys_.end()) return std::nullopt;
  const auto value = key->second.find(name);
  if (value == key->second.end() || !std::holds_alternative<std::string>(value->second))
    return std::nullopt;
  return std::get<std::string>(value->second);
}

std::optional<int> MemoryKeyStore::ReadInt(const std::string& path, const std::string& name) {
  const auto key = keys_.find(path);
  if (key == keys_.end()) return std::nullopt;
  const auto value = key->second.find(name);
  if (value == key->second.end() || !std::holds_alternative<int>(value->second))
    return std::nullopt;
  return std::get<int>(value->second);
}

bool MemoryKeyStore::MayWrite() {
  if (writesLeft < 0) return true;
  if (writesLeft == 0) return false;
  --writesLeft;
  return true;
}

bool MemoryKeyStore::WriteString(const std::string& path, const std::string& name,
                                 const std::string& text) {
  if (!MayWrite()) return false;
  keys_[path][name] = text;
  return true;
}

bool MemoryKeyStore::WriteInt(const std::string& path, const std::string& name, int value) {
  if (!MayWrite()) return false;
  keys_[path][name] = value;
  return true;
}

}  // namespace shell
