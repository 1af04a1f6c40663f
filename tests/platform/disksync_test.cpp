// The system's syncs answer 0 only when the sync was made: a folder that
// cannot be opened or a descriptor that is no file is a failure, so that a
// writer never reports files written that are not on the disk.
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>

#include "DiskSync.h"
#include "FileHandle.h"
#include "TempDir.h"

namespace {

TEST(DiskSync, SystemSyncsAnswerTheirFailures) {
  TempDir dir;
  plat::FileHandle file;
  ASSERT_EQ(file.Create(dir.File("page.htm")), plat::kFileOk);
  plat::DiskSyncPort& sync = plat::DiskSync();
  const std::string missing = dir.File("missing");
  struct Case {
    const char* what;
    std::function<int()> call;
    int error;
  } cases[] = {
      {"file", [&] { return sync.SyncFile(file.Descriptor()); }, 0},
      {"closed file", [&] { return sync.SyncFile(-1); }, EBADF},
      {"file system", [&] { return sync.SyncFileSystem(dir.Path()); }, 0},
      {"file system of a missing folder", [&] { return sync.SyncFileSystem(missing); }, ENOENT},
      {"file system of a file", [&] { return sync.SyncFileSystem(file.Path()); }, ENOTDIR},
      {"folder", [&] { return sync.SyncFolder(dir.Path()); }, 0},
      {"missing folder", [&] { return sync.SyncFolder(missing); }, ENOENT},
  };
  for (const Case& c : cases) EXPECT_EQ(c.call(), c.error) << c.what;
}

}  // namespace
