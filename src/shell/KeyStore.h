#pragma once
// Settings kept as keys in folders, with named values: the place of the
// add-on list and of the companion programs' install keys. Key paths use '/'
// between key names; the value name "" is a key's default value.

#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace shell {

class KeyStore {
 public:
  virtual ~KeyStore() = default;
  // The names of the keys directly below path, in the store's order.
  virtual std::vector<std::string> SubKeys(const std::string& path) = 0;
  // A value of a key; nothing when the key or value is missing or of the
  // other kind.
  virtual std::optional<std::string> ReadString(const std::string& path,
                                                const std::string& name) = 0;
  virtual std::optional<int> ReadInt(const std::string& path, const std::string& name) = 0;
  // Creates the key when missing; false when the value was not written.
  virtual bool WriteString(const std::string& path, const std::string& name,
                           const std::string& text) = 0;
  virtual bool WriteInt(const std::string& path, const std::string& name, int value) = 0;
};

// Keys held in memory, subkeys in name order: the base of test stores.
class MemoryKeyStore : public KeyStore {
 public:
  std::vector<std::string> SubKeys(const std::string& path) override;
  std::optional<std::string> ReadString(const std::string& path, const std::string& name) override;
  std::optional<int> ReadInt(const std::string& path, const std::string& name) override;
  bool WriteString(const std::string& path, const std::string& name,
                   const std::string& text) override;
  bool WriteInt(const std::string& path, const std::string& name, int value) override;

  // Writes succeed while this many remain (-1: always); then they fail.
  int writesLeft = -1;

 private:
  bool MayWrite();
  std::map<std::string, std::map<std::string, std::variant<std::string, int>>> keys_;
};

}  // namespace shell
