#include "StorageMedium.h"

#include "FileSystem.h"

namespace plat {
namespace {

class FixedMedium : public StorageMediumPort {
 public:
  bool IsRemovable(const std::string&) override { return false; }
  std::uint64_t FreeBytes(const std::string& path) override { return FreeDiskBytes(path); }
};

FixedMedium g_fixed;
StorageMediumPort* g_medium = nullptr;

}  // namespace

StorageMediumPort& StorageMedium() { return g_medium ? *g_medium : g_fixed; }

StorageMediumPort* SetStorageMediumPort(StorageMediumPort* port) {
  StorageMediumPort* old = g_medium;
  g_medium = port;
  return old;
}

}  // namespace plat
