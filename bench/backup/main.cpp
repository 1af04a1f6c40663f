// Times a backup and a restore of the engine bench's family file (100,000
// individuals and 40,000 marriages built through the record calls). Without
// an argument the engine bench is run to write the file; with one, that
// family file is used. Prints both times, the compression ratio and whether
// the restored file equals the original byte for byte.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "Backup.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "Ports.h"

namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void RemoveFamily(const std::string& path) {
  for (const char letter : {'a', 'x', 'l', 's', 'r'})
    plat::DeleteFile(SetExtensionLastCharStr(path, letter));
  plat::DeleteFile(path);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder =
      plat::TempFolder() + "korvane-backup-bench-" + std::to_string(getpid());
  if (!plat::MakeDirectory(folder)) return 1;
  std::string family;
  if (argc > 1) {
    family = argv[1];
  } else {
    const std::string command = std::string("KORVANE_BENCH_KEEP='") + folder + "' '" +
                                ENGINE_BENCH + "' '" + folder + "/bench.orv' > /dev/null";
    if (std::system(command.c_str()) != 0) {
      std::printf("engine bench: FAILED\n");
      return 1;
    }
    family = folder + "/record-calls.orv";
  }
  const std::string bak = folder + "/bench.bak";
  const std::string restored = folder + "/restored.orv";

  auto start = std::chrono::steady_clock::now();
  const int backedUp = backup::CompressToBackup(family, bak);
  const double backupSeconds = Seconds(start);
  start = std::chrono::steady_clock::now();
  const int restoredCode = backedUp == 0 ? backup::RestoreFromBackup(bak, restored) : -1;
  const double restoreSeconds = Seconds(start);

  const long long original = plat::FileSize(family);
  const long long packed = plat::FileSize(bak);
  const bool same = restoredCode == 0 && ReadWhole(family) == ReadWhole(restored);
  std::printf("family file: %lld bytes\n", original);
  std::printf(
      "backup: %.3f s (%s 3 s), result %d, %lld bytes, ratio %.3f (%.1f%% of the file)\n",
      backupSeconds, backupSeconds < 3.0 ? "under" : "NOT under", backedUp, packed,
      packed > 0 ? static_cast<double>(original) / static_cast<double>(packed) : 0.0,
      original > 0 ? 100.0 * static_cast<double>(packed) / static_cast<double>(original) : 0.0);
  std::printf("restore: %.3f s (%s 3 s), result %d, %s\n", restoreSeconds,
              restoreSeconds < 3.0 ? "under" : "NOT under", restoredCode,
              same ? "byte for byte equal" : "DIFFERENT");

  plat::DeleteFile(bak);
  plat::DeleteFile(restored);
  if (argc <= 1)
    for (const char* kept : {"record-calls", "records", "name-tree-random", "name-tree-sorted"})
      RemoveFamily(folder + "/" + kept + ".orv");
  plat::RemoveDirectory(folder);
  return same ? 0 : 2;
}
