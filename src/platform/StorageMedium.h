#pragma once
// The medium a backup is written to: whether it is one that is changed by
// hand (a removable or network file system), and how many bytes it still
// takes. The framework installs a port that asks the desktop; the headless
// default treats every medium as fixed. Tests install a fake with set free
// space, so that a backup spreads over several volumes.

#include <cstdint>
#include <string>
#include <vector>

namespace plat {

class StorageMediumPort {
 public:
  virtual ~StorageMediumPort() = default;
  // True when the file system holding path is removable or a network one.
  virtual bool IsRemovable(const std::string& path) = 0;
  // Bytes still free to the caller on the file system holding path.
  virtual std::uint64_t FreeBytes(const std::string& path) = 0;
};

StorageMediumPort& StorageMedium();
// Installs a port (nullptr restores the headless default); returns the
// previous one. The caller keeps ownership.
StorageMediumPort* SetStorageMediumPort(StorageMediumPort* port);

// A medium for tests: removable or not, with the same free space on every
// volume the user "inserts"; it records the paths it was asked about.
class FakeStorageMedium : public StorageMediumPort {
 public:
  bool IsRemovable(const std::string& path) override {
    asked.push_back(path);
    return removable;
  }
  std::uint64_t FreeBytes(const std::string& path) override {
    asked.push_back(path);
    return freeBytes;
  }
  bool removable = true;
  std::uint64_t freeBytes = 0;
  std::vector<std::string> asked;
};

class ScopedStorageMedium {
 public:
  explicit ScopedStorageMedium(StorageMediumPort* port) : previous_(SetStorageMediumPort(port)) {}
  ~ScopedStorageMedium() { SetStorageMediumPort(previous_); }
  ScopedStorageMedium(const ScopedStorageMedium&) = delete;
  ScopedStorageMedium& operator=(const ScopedStorageMedium&) = delete;

 private:
  StorageMediumPort* previous_;
};

}  // namespace plat
