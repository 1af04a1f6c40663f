#pragma once
// Files and folders by name: existence, times, sizes, free space, the
// temporary folder, the current and program folders, and the same-file test
// that guards every delete or truncate of a companion file.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace plat {

// A path here is the file system's own bytes (UTF-8 on this desktop), as
// the system calls take it; only family data is code page text. These two
// are the crossings between the two where a path is shown inside a text or
// a stored text holds a path.

// The path as code page text, for messages and lists that show it.
std::string PathText(const std::string& path);
// The path a stored setting's UTF-8 text names. Earlier settings hold a path
// whose UTF-8 bytes were taken as code page text and stored once more as
// UTF-8 ("SlÃ¤kt" for "Släkt"); such a text gives back the bytes it was made
// from, unless the text itself names an existing file or folder.
std::string PathFromStoredText(const std::string& utf8);

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
