#include "FileSystem.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utime.h>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "CodePage.h"

namespace plat {
namespace {

// True when text is well-formed UTF-8 holding at least one character
// beyond ASCII.
bool IsUtf8BeyondAscii(std::string_view text) {
  bool beyond = false;
  for (std::size_t pos = 0; pos < text.size();) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      ++pos;
      continue;
    }
    std::string one;
    const std::size_t start = pos;
    AppendUtf8(one, NextUtf8(text, pos));
    if (text.compare(start, pos - start, one) != 0) return false;
    beyond = true;
  }
  return beyond;
}

}  // namespace

std::string PathText(const std::string& path) { return Utf8ToAnsi(path); }

std::string PathFromStoredText(const std::string& utf8) {
  const std::string bytes = Utf8ToAnsi(utf8);
  if (bytes == utf8 || !IsUtf8BeyondAscii(bytes) || AnsiToUtf8(bytes) != utf8) return utf8;
  struct stat st {};
  if (::stat(utf8.c_str(), &st) == 0) return utf8;
  return bytes;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

long long FileSize(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return -1;
  return static_cast<long long>(st.st_size);
}

std::optional<FileTimes> GetFileTimes(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileTimes{st.st_mtime, st.st_atime, st.st_ctime};
}

bool SetFileModified(const std::string& path, std::time_t modified) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  struct utimbuf times {
    st.st_atime, modified
  };
  return ::utime(path.c_str(), &times) == 0;
}

bool DeleteFile(const std::string& path) {
  if (DirectoryExists(path)) return false;
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool RenameFile(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool MakeDirectory(const std::string& path) {
  return ::mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(path));
}

bool RemoveDirectory(const std::string& path) { return ::rmdir(path.c_str()) == 0; }

bool IsSameFile(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool IsOnReadOnlyMedium(const std::string& path) {
  struct statvfs vs {};
  if (::statvfs(path.c_str(), &vs) != 0) return false;
  return (vs.f_flag & ST_RDONLY) != 0;
}

bool IsWritable(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

std::string TempFolder() {
  std::string dir;
  if (const char* env = std::getenv("TMPDIR"); env && *env && DirectoryExists(env))
    dir = env;
  else
    dir = "/tmp";
  if (dir.back() != kPathSep) dir += kPathSep;
  return dir;
}

std::uint64_t FreeDiskBytes(const std::string& path) {
  struct statvfs vs {};
  if (path.empty() || ::statvfs(path.c_str(), &vs) != 0) return 0;
  return static_cast<std::uint64_t>(vs.f_bavail) * vs.f_frsize;
}

std::string CurrentDirectory() {
  std::vector<char> buf(PATH_MAX + 1);
  if (!::getcwd(buf.data(), buf.size())) return {};
  return buf.data();
}

bool SetCurrentDirectory(const std::string& path) { return ::chdir(path.c_str()) == 0; }

std::string ProgramPath() {
  std::vector<char> buf(PATH_MAX + 1);
  ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return {};
  return std::string(buf.data(), static_cast<std::size_t>(n));
}

}  // namespace plat
