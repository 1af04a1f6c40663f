#pragma once
// The storage-medium port on Qt: QStorageInfo names the file system that
// holds a path; it counts as removable when its block device is marked
// removable by the kernel or when it is a network file system, and its free
// space is what QStorageInfo reports available to the user.

#include <string>

#include "StorageMedium.h"

namespace fw {

class QtStorageMedium : public plat::StorageMediumPort {
 public:
  bool IsRemovable(const std::string& path) override;
  std::uint64_t FreeBytes(const std::string& path) override;

  // Whether a file system type is a network one ("nfs4", "cifs", "fuse.sshfs").
  static bool IsNetworkType(const std::string& type);
};

}  // namespace fw
