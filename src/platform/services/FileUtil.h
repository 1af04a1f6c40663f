#pragma once
// Files, folders and drives for the whole program: temporary names in a
// folder with enough room, free space, the mounted file systems in place of
// drives, path splitting and building, the program's companion file paths,
// the user's special folders and recursive deletion.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// --- Temporary files and free space ---

// The prefix of temporary names: the first three characters of hint, or
// "~Kor" for an empty hint or one that holds ':', '\\' or '/'.
std::string TempFilePrefix(std::string_view hint);

// What a FindTempName attempt answers for one name.
enum class TempNameAnswer { Take, Next, Stop };
// Offers folder + prefix + "%05X.TMP" names in turn, the counter starting at
// the low 20 bits of the current time, up to 0xFFFFF, then from 0 up to the
// start; returns the name taken, or "" when an attempt stopped or every name
// was refused.
std::string FindTempName(const std::string& folder, std::string_view hint,
                         const std::function<TempNameAnswer(const std::string&)>& attempt);

// A full path of a file that does not exist yet, in the folder that
// GetTempPathWithSpace picks for neededBytes.
std::string MakeTempFileName(std::uint64_t neededBytes, std::string_view hint);

// Chooses a folder for temporary files with more than neededBytes free: the
// system temporary folder; else the open family file's folder (the current
// folder when none is open) when it has more room; else the writable mounted
// file system with the most room, stopping at the first with enough. out gets
// the folder (ending in '/'); returns its free bytes.
std::uint64_t GetTempPathWithSpace(std::string& out, std::uint64_t neededBytes);

// The folder of the open family file ("" when none is open); the database
// sets it when it opens or closes a file.
void SetOpenFamilyFileFolder(const std::string& folder);
const std::string& GetOpenFamilyFileFolder();

// The low 32 bits of the bytes free to the caller on the file system of path;
// highOut, when given, receives the high 32 bits, and without it 4 GB or more
// answers 0xFFFFFFFF. 0 for an empty path or one that cannot be examined.
std::uint32_t GetDiskFreeBytes(const std::string& path, std::uint32_t* highOut = nullptr);

// --- Mounted file systems, in place of drives ---

// Drive types as the callers number them.
enum DriveType : int {
  kDriveUnknown = 0,
  kDriveNoRoot = 1,
  kDriveRemovable = 2,
  kDriveFixed = 3,
  kDriveRemote = 4,
  kDriveCdRom = 5,
  kDriveRamDisk = 6,
};

struct MountPoint {
  std::string root;  // the mount point, ending in '/'
  std::string type;  // the file system type
  int driveType = kDriveUnknown;
  bool readOnly = false;
};

// The real file systems of a mount table in /proc/self/mounts form, in
// table order; kernel and memory-only pseudo file systems are left out.
std::vector<MountPoint> ParseMountTable(std::string_view text);
std::vector<MountPoint> ReadMountTable();

// The roots of the fixed file systems, plus network ones when remote is set
// and removable ones (CD-ROMs included) when removable is set; with both, the
// roots of every file system, RAM disks included.
std::vector<std::string> GetDriveRoots(bool removable, bool remote);
// The drive type of the file system that holds path (the longest mount point
// it lies under); kDriveNoRoot when there is none.
int GetPathDriveType(const std::string& path);

// --- Paths ---

// The current folder, with a trailing '/' when addSlash is set.
std::string GetCurrentDir(bool addSlash);

// The root of a path: "/" for every non-empty path (a relative path lies on
// the current folder's root); rest receives the whole path. Returns 0 for an
// empty path, else 1 when rootOut was filled plus 2 when restOut was filled.
int GetPathRoot(std::string_view path, std::string* rootOut, std::string* restOut);

// Splits a path after its last '/' or '\\': the folder (with its separator)
// and the file name with its extension.
void SplitPathDirFile(std::string_view path, std::string* dirOut, std::string* fileOut);
// The folder part of a path; the file name into fileOut when given.
std::string GetPathDirectory(std::string_view path, std::string* fileOut = nullptr);

// The length of the prefix of path that is folder, 0 when path does not lie
// in folder. Case is ignored; equal texts give their length; a longer path
// must continue the folder with separators (all of them count) or the folder
// must end with one.
std::size_t GetPathPrefixLength(std::string_view folder, std::string_view path);

// Creates every missing folder of path from its root. With setCurrent the
// path becomes the current folder. 1 on success, 0 for an empty path or when
// a folder could not be created (or made current).
int CreateDirectoryPath(const std::string& path, bool setCurrent);

// Appends '/' to a non-empty path that does not end in one.
void AddTrailingBackslash(std::string& path);

// Names a companion file: searching from the end, at the first '.' the
// extension's last character becomes ch when the extension has 3 or more
// characters, else ch is appended; when a ':', '\\' or '/' comes first, '.'
// and ch are appended; a path without any of these stays as it is.
void SetExtensionLastChar(std::string& path, char ch);
std::string SetExtensionLastCharStr(std::string_view path, char ch);

// Copies at most max characters of src, stopping at its end, and always
// terminates dest, which must hold max + 1 characters. Returns dest.
char* CopyStringN(char* dest, const char* src, std::size_t max);

// --- Program companion files and special folders ---

// The interface-language catalog of code beside the program.
std::string GetProgramDllPath(std::string_view code);
// The program path without extension, then code unless it is "EN" (any
// case), then ".hlp".
std::string GetHelpFilePath(std::string_view code);

// Shell special folders by their classic numbers.
enum SpecialFolder : int {
  kCsidlPersonal = 0x05,          // the user's documents
  kCsidlDesktopDirectory = 0x10,  // the desktop folder
  kCsidlAppData = 0x1A,           // per-user application settings
};
// The path of a special folder (the desktop's user folders), without a
// trailing '/'; "" for a number it does not know.
std::string GetSpecialFolderPath(int csidl);
// The user's own folder of the program's data files (saved filters and
// layouts): "Korvane" in the XDG data home ($XDG_DATA_HOME, else
// ~/.local/share), without a trailing '/'. It may not exist yet.
std::string UserDataFolder();

// --- Folders ---

// In the current folder, deletes every file whose name matches pattern
// ('*' and '?', case ignored, "*.*" for every name); with recurse, every
// matching folder is cleared the same way and removed. Symbolic links are
// removed as links and never followed.
void DeleteFilesRecursive(const std::string& pattern, bool recurse);

// True when name matches a pattern of '*' and '?' as folder listings match
// them (case ignored; "*.*" matches every name).
bool MatchFilePattern(const std::string& pattern, const std::string& name);

// --- Window placement ---

struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
// Where a window of width x height goes to stand centred over parent (screen
// coordinates): x rounded to a multiple of 8.
void CenterWindowPosition(const ScreenRect& parent, int width, int height, int& x, int& y);
