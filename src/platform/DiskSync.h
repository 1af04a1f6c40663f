#pragma once
// Putting written files on the disk. A single file replaced for the user is
// synced on its own; a whole folder of many new files (a web site) is
// written without a sync per file and then made durable in one pass over
// its file system, which costs one flush of the disk where a sync per file
// costs one each. The headless default asks the system; tests install the
// fake of FakePorts.h, which records what it was asked and can fail.

#include <string>

namespace plat {

class DiskSyncPort {
 public:
  virtual ~DiskSyncPort() = default;
  // Puts the open file's contents and size on the disk. 0, or the errno of
  // the failure.
  virtual int SyncFile(int descriptor) = 0;
  // Puts everything written so far on the file system that holds folder on
  // the disk: every file's contents and every folder's entries, the ones
  // under folder among them. 0, or the errno of the failure, a write-back
  // failure of any file there included.
  virtual int SyncFileSystem(const std::string& folder) = 0;
  // Puts folder's own entries on the disk (a rename inside it). 0, or the
  // errno of the failure.
  virtual int SyncFolder(const std::string& folder) = 0;
};

DiskSyncPort& DiskSync();
// Installs a port (nullptr restores the headless default); returns the
// previous one. The caller keeps ownership.
DiskSyncPort* SetDiskSyncPort(DiskSyncPort* port);

}  // namespace plat
