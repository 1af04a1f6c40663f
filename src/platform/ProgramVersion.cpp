#include "ProgramVersion.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "ProgramVersionInfo.h"

namespace plat {
namespace {

constexpr int kMinVersionBuffer = 16;

// The version lives in the program itself, so a file carries one when it is
// the running program's file (under any name that reaches it).
bool IsProgramFile(const char* path) {
  struct stat self {};
  struct stat file {};
  return ::stat("/proc/self/exe", &self) == 0 && ::stat(path, &file) == 0 &&
         self.st_dev == file.st_dev && self.st_ino == file.st_ino;
}

}  // namespace

int GetFileVersion(const char* path, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  buffer[0] = '\0';
  if (path == nullptr || size < kMinVersionBuffer || !IsProgramFile(path)) return 0;
  std::snprintf(buffer, static_cast<std::size_t>(size), "%d.%d.%d.%d", KORVANE_VERSION_MAJOR,
                KORVANE_VERSION_MINOR, KORVANE_VERSION_PATCH, KORVANE_VERSION_BUILD);
  return static_cast<int>(std::strlen(buffer));
}

int GetProgramVersion(char* buffer, int size) {
  return GetFileVersion("/proc/self/exe", buffer, size);
}

int IsWindowsNT() { return 1; }

}  // namespace plat
