#include "DiskSync.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace plat {
namespace {

// Runs sync on the opened folder; 0 or the errno of the open or the sync.
template <class Sync>
int WithFolder(const std::string& folder, Sync sync) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int error = sync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return error;
}

class SystemDiskSync : public DiskSyncPort {
 public:
  int SyncFile(int descriptor) override { return ::fsync(descriptor) == 0 ? 0 : errno; }
  // syncfs reports a write-back failure that happened on the file system
  // before the folder was opened as long as no other syncfs has reported it,
  // so the files written earlier are covered too.
  int SyncFileSystem(const std::string& folder) override { return WithFolder(folder, ::syncfs); }
  int SyncFolder(const std::string& folder) override { return WithFolder(folder, ::fsync); }
};

SystemDiskSync g_system;
DiskSyncPort* g_sync = nullptr;

}  // namespace

DiskSyncPort& DiskSync() { return g_sync ? *g_sync : g_system; }

DiskSyncPort* SetDiskSyncPort(DiskSyncPort* port) {
  DiskSyncPort* old = g_sync;
  g_sync = port;
  return old;
}

}  // namespace plat
