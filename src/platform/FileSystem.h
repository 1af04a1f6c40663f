#pragma once
// Files and folders by name: existence, times, sizes, free space, the
// temporary folder, the current and program folders, and the same-file test
// that guards every delete or truncate of a companion file.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace plat {

// Folder separator of this system; paths are kept in this form throughout.
inline constexpr char kPathSep = '/';

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Size in bytes, or -1 when the file cannot be examined.
long long FileSize(const std::string& path);

struct FileTimes {
  std::time_t modified = 0;
  std::time_t accessed = 0;
  std::time_t changed = 0;  // status change; stands in for creation
};
std::optional<FileTimes> GetFileTimes(const std::string& path);
bool SetFileModified(const std::string& path, std::time_t modified);

// Removes a file; true when it is gone. Never removes a folder.
bool DeleteFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);
bool MakeDirectory(const std::string& path);
bool RemoveDirectory(const std::string& path);

// True when both names lead to the same file (same device and inode).
bool IsSameFile(const std::string& a, const std::string& b);
// True when the file or folder lies on a medium mounted read-only.
bool IsOnReadOnlyMedium(const std::string& path);
// True when the calling user may write the existing file.
bool IsWritable(const std::string& path);

// The temporary folder ($TMPDIR, else /tmp), ending in a separator.
std::string TempFolder();
// Free bytes available to the caller on the file system of path; 0 when the
// path cannot be examined.
std::uint64_t FreeDiskBytes(const std::string& path);

std::string CurrentDirectory();
bool SetCurrentDirectory(const std::string& path);
// Full path of the running program file (from /proc/self/exe).
std::string ProgramPath();

}  // namespace plat
