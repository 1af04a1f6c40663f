#include "FileUtil.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "Clock.h"
#include "CodePage.h"
#include "FileSystem.h"
#include "StringTable.h"

namespace {

std::string& OpenFamilyFolder() {
  static std::string folder;
  return folder;
}

bool IsSep(char c) { return c == '/' || c == '\\'; }

std::string WithSlash(std::string path) {
  AddTrailingBackslash(path);
  return path;
}

// The nearest folder or file of path that exists (path itself, else its
// parents), so that free space can be asked about a file not yet created.
std::string ExistingAncestor(std::string path) {
  while (!path.empty()) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return path;
    while (!path.empty() && IsSep(path.back())) path.pop_back();
    std::size_t sep = path.find_last_of('/');
    if (sep == std::string::npos) return ".";
    path.erase(sep == 0 ? 1 : sep);
    if (path == "/") return path;
  }
  return {};
}

std::uint64_t FreeBytes(const std::string& path) {
  std::string existing = ExistingAncestor(path);
  return existing.empty() ? 0 : plat::FreeDiskBytes(existing);
}

// Mount points in /proc/self/mounts write blanks and the like as \ooo.
std::string DecodeMountField(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 4 <= field.size() &&
        field.substr(i + 1, 3).find_first_not_of("01234567") == std::string_view::npos) {
      out += static_cast<char>(std::stoi(std::string(field.substr(i + 1, 3)), nullptr, 8));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

const std::set<std::string, std::less<>>& PseudoFileSystems() {
  static const std::set<std::string, std::less<>> types = {"proc",
                                                           "sysfs",
                                                           "devtmpfs",
                                                           "devpts",
                                                           "cgroup",
                                                           "cgroup2",
                                                           "securityfs",
                                                           "debugfs",
                                                           "tracefs",
                                                           "pstore",
                                                           "bpf",
                                                           "mqueue",
                                                           "hugetlbfs",
                                                           "configfs",
                                                           "fusectl",
                                                           "autofs",
                                                           "binfmt_misc",
                                                           "efivarfs",
                                                           "nsfs",
                                                           "rpc_pipefs",
                                                           "selinuxfs",
                                                           "ramfs",
                                                           "overlayfs-meta",
                                                           "fuse.gvfsd-fuse",
                                                           "fuse.portal",
                                                           "fuse.lxcfs",
                                                           "nfsd",
                                                           "sockfs",
                                                           "pipefs",
                                                           "squashfs",
                                                           "none"};
  return types;
}

int DriveTypeOf(std::string_view type, std::string_view root) {
  static const std::set<std::string, std::less<>> remote = {
      "nfs", "nfs4",       "cifs", "smb3",      "smbfs",          "ncpfs", "afs",
      "9p",  "fuse.sshfs", "ceph", "glusterfs", "fuse.glusterfs", "davfs", "fuse.rclone"};
  if (remote.count(type)) return kDriveRemote;
  if (type == "iso9660" || type == "udf") return kDriveCdRom;
  if (type == "tmpfs") return kDriveRamDisk;
  if (root.starts_with("/media/") || root.starts_with("/run/media/")) return kDriveRemovable;
  return kDriveFixed;
}

bool HasOption(std::string_view options, std::string_view option) {
  std::size_t start = 0;
  while (start <= options.size()) {
    std::size_t end = options.find(',', start);
    if (end == std::string_view::npos) end = options.size();
    if (options.substr(start, end - start) == option) return true;
    start = end + 1;
  }
  return false;
}

std::string ProgramBase() {
  std::string program = plat::ProgramPath();
  std::size_t sep = program.find_last_of('/');
  std::size_t dot = program.rfind('.');
  if (dot != std::string::npos && (sep == std::string::npos || dot > sep + 1)) program.erase(dot);
  return program;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) : std::string("/");
}

std::string ConfigHome() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config) return config;
  return HomeFolder() + "/.config";
}

// A folder named in the desktop's user-dirs.dirs ("XDG_DOCUMENTS_DIR" ...),
// else home + fallback when that exists, else home.
std::string UserDir(const char* key, const char* fallback) {
  std::ifstream in(ConfigHome() + "/user-dirs.dirs");
  std::string line;
  const std::string prefix = std::string(key) + "=";
  while (std::getline(in, line)) {
    if (!line.starts_with(prefix)) continue;
    std::string value = line.substr(prefix.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    if (value.starts_with("$HOME")) value = HomeFolder() + value.substr(5);
    if (!value.empty() && value[0] == '/') return value;
  }
  std::string candidate = HomeFolder() + "/" + fallback;
  return plat::DirectoryExists(candidate) ? candidate : HomeFolder();
}

// Translates a listing pattern into an fnmatch pattern: only '*' and '?'
// are special.
std::string ToFnmatch(const std::string& pattern) {
  if (pattern == "*.*") return "*";
  std::string out;
  for (char c : pattern) {
    if (c == '[' || c == ']' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

void DeleteIn(const std::string& dir, const std::string& pattern, bool recurse) {
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return;
  std::vector<std::string> names;
  while (dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    if (MatchFilePattern(pattern, name)) names.push_back(name);
  }
  ::closedir(d);
  for (const std::string& name : names) {
    std::string path = dir.empty() ? name : dir + "/" + name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      if (!recurse) continue;
      DeleteIn(path, pattern, recurse);
      ::rmdir(path.c_str());
    } else {
      ::unlink(path.c_str());
    }
  }
}

}  // namespace

// --- Temporary files and free space ---

std::string TempFilePrefix(std::string_view hint) {
  if (hint.empty() || hint.find_first_of(":\\/") != std::string_view::npos) return "~Kor";
  return std::string(hint.substr(0, 3));
}

std::string FindTempName(const std::string& folder, std::string_view hint,
                         const std::function<TempNameAnswer(const std::string&)>& attempt) {
  const std::string base = WithSlash(folder) + TempFilePrefix(hint);
  const std::uint32_t start = static_cast<std::uint32_t>(plat::Now()) & 0xFFFFF;
  auto tryCounter = [&](std::uint32_t counter, std::string& taken) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%05X.TMP", counter);
    std::string name = base + digits;
    TempNameAnswer answer = attempt(name);
    if (answer == TempNameAnswer::Take) taken = std::move(name);
    return answer;
  };
  std::string taken;
  for (std::uint32_t c = start; c <= 0xFFFFF; ++c) {
    TempNameAnswer a = tryCounter(c, taken);
    if (a == TempNameAnswer::Take) return taken;
    if (a == TempNameAnswer::Stop) return {};
  }
  for (std::uint32_t c = 0; c < start; ++c) {
    TempNameAnswer a = tryCounter(c, taken);
    if (a == TempNameAnswer::Take) return taken;
    if (a == TempNameAnswer::Stop) return {};
  }
  return {};
}

std::string MakeTempFileName(std::uint64_t neededBytes, std::string_view hint) {
  std::string folder;
  GetTempPathWithSpace(folder, neededBytes);
  return FindTempName(folder, hint, [](const std::string& name) {
    struct stat st {};
    return ::lstat(name.c_str(), &st) == 0 ? TempNameAnswer::Next : TempNameAnswer::Take;
  });
}

void SetOpenFamilyFileFolder(const std::string& folder) { OpenFamilyFolder() = folder; }

const std::string& GetOpenFamilyFileFolder() { return OpenFamilyFolder(); }

std::uint64_t GetTempPathWithSpace(std::string& out, std::uint64_t neededBytes) {
  out = plat::TempFolder();
  std::uint64_t best = FreeBytes(out);
  if (best > neededBytes) return best;

  std::string second = OpenFamilyFolder().empty() ? plat::CurrentDirectory() : OpenFamilyFolder();
  if (!second.empty()) {
    std::uint64_t free = FreeBytes(second);
    if (free > best) {
      out = WithSlash(second);
      best = free;
      if (free > neededBytes) return best;
    }
  }

  for (const MountPoint& m : ReadMountTable()) {
    if (m.readOnly || (m.driveType != kDriveFixed && m.driveType != kDriveRemote)) continue;
    if (::access(m.root.c_str(), W_OK) != 0) continue;
    std::uint64_t free = plat::FreeDiskBytes(m.root);
    if (free > best) {
      out = m.root;
      best = free;
      if (free > neededBytes) break;
    }
  }
  return best;
}

std::uint32_t GetDiskFreeBytes(const std::string& path, std::uint32_t* highOut) {
  if (path.empty()) {
    if (highOut) *highOut = 0;
    return 0;
  }
  std::uint64_t free = FreeBytes(path);
  if (highOut) {
    *highOut = static_cast<std::uint32_t>(free >> 32);
    return static_cast<std::uint32_t>(free & 0xFFFFFFFFu);
  }
  return free > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(free);
}

// --- Mounted file systems ---

std::vector<MountPoint> ParseMountTable(std::string_view text) {
  std::vector<MountPoint> mounts;
  std::istringstream in{std::string(text)};
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string device, dir, type, options;
    if (!(fields >> device >> dir >> type >> options)) continue;
    if (PseudoFileSystems().count(type)) continue;
    MountPoint m;
    m.root = WithSlash(DecodeMountField(dir));
    m.type = type;
    m.driveType = DriveTypeOf(type, m.root);
    m.readOnly = HasOption(options, "ro");
    mounts.push_back(std::move(m));
  }
  return mounts;
}

std::vector<MountPoint> ReadMountTable() {
  std::ifstream in("/proc/self/mounts");
  std::stringstream text;
  text << in.rdbuf();
  return ParseMountTable(text.str());
}

std::vector<std::string> GetDriveRoots(bool removable, bool remote) {
  std::vector<std::string> roots;
  for (const MountPoint& m : ReadMountTable()) {
    bool take = m.driveType == kDriveFixed || (remote && m.driveType == kDriveRemote) ||
                (removable && (m.driveType == kDriveRemovable || m.driveType == kDriveCdRom)) ||
                (removable && remote);
    if (take) roots.push_back(m.root);
  }
  return roots;
}

int GetPathDriveType(const std::string& path) {
  if (path.empty()) return kDriveNoRoot;
  std::string full = path[0] == '/' ? path : WithSlash(plat::CurrentDirectory()) + path;
  full = WithSlash(full);
  const MountPoint* best = nullptr;
  std::vector<MountPoint> mounts = ReadMountTable();
  for (const MountPoint& m : mounts)
    if (full.starts_with(m.root) && (!best || m.root.size() >= best->root.size())) best = &m;
  return best ? best->driveType : kDriveNoRoot;
}

// --- Paths ---

std::string GetCurrentDir(bool addSlash) {
  std::string dir = plat::CurrentDirectory();
  if (addSlash) AddTrailingBackslash(dir);
  return dir;
}

int GetPathRoot(std::string_view path, std::string* rootOut, std::string* restOut) {
  if (path.empty()) return 0;
  int result = 0;
  if (rootOut) {
    rootOut->assign(1, '/');
    result |= 1;
  }
  if (restOut) {
    *restOut = std::string(path);
    result |= 2;
  }
  return result;
}

void SplitPathDirFile(std::string_view path, std::string* dirOut, std::string* fileOut) {
  std::size_t sep = path.find_last_of("/\\");
  std::size_t split = sep == std::string_view::npos ? 0 : sep + 1;
  if (dirOut) *dirOut = std::string(path.substr(0, split));
  if (fileOut) *fileOut = std::string(path.substr(split));
}

std::string GetPathDirectory(std::string_view path, std::string* fileOut) {
  std::string dir;
  SplitPathDirFile(path, &dir, fileOut);
  return dir;
}

std::size_t GetPathPrefixLength(std::string_view folder, std::string_view path) {
  const std::size_t n = folder.size();
  if (n == 0 || path.size() < n) return 0;
  if (plat::CompareAnsi(folder, path.substr(0, n), true) != 0) return 0;
  if (path.size() == n) return n;
  std::size_t len = n;
  if (!IsSep(path[n]) && !IsSep(folder.back())) return 0;
  while (len < path.size() && IsSep(path[len])) ++len;
  return len;
}

int CreateDirectoryPath(const std::string& path, bool setCurrent) {
  if (path.empty()) return 0;
  if (!plat::DirectoryExists(path)) {
    std::size_t pos = 0;
    while (pos != std::string::npos) {
      pos = path.find('/', pos + 1);
      std::string part = path.substr(0, pos);
      if (!part.empty() && part != "/") plat::MakeDirectory(part);
    }
    if (!plat::DirectoryExists(path)) return 0;
  }
  if (setCurrent) return plat::SetCurrentDirectory(path) ? 1 : 0;
  return 1;
}

void AddTrailingBackslash(std::string& path) {
  if (!path.empty() && path.back() != '/') path += '/';
}

void SetExtensionLastChar(std::string& path, char ch) {
  std::size_t pos = path.find_last_of(".:\\/");
  if (pos == std::string::npos) return;
  if (path[pos] != '.') {
    path += '.';
    path += ch;
  } else if (path.size() - pos - 1 >= 3) {
    path.back() = ch;
  } else {
    path += ch;
  }
}

std::string SetExtensionLastCharStr(std::string_view path, char ch) {
  std::string out(path);
  SetExtensionLastChar(out, ch);
  return out;
}

char* CopyStringN(char* dest, const char* src, std::size_t max) {
  std::size_t i = 0;
  for (; i < max && src[i]; ++i) dest[i] = src[i];
  dest[i] = '\0';
  return dest;
}

// --- Program companion files and special folders ---

std::string GetProgramDllPath(std::string_view code) {
  return res::CatalogPath(plat::ProgramPath(), std::string(code));
}

std::string GetHelpFilePath(std::string_view code) {
  std::string path = ProgramBase();
  if (plat::AnsiUpper(code) != "EN") path += code;
  return path + ".hlp";
}

std::string GetSpecialFolderPath(int csidl) {
  switch (csidl) {
    case kCsidlPersonal:
      return UserDir("XDG_DOCUMENTS_DIR", "Documents");
    case kCsidlDesktopDirectory:
      return UserDir("XDG_DESKTOP_DIR", "Desktop");
    case kCsidlAppData:
      return ConfigHome();
    default:
      return {};
  }
}

std::string UserDataFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  std::string home = data && *data == '/' ? std::string(data) : HomeFolder() + "/.local/share";
  while (home.size() > 1 && home.back() == '/') home.pop_back();
  return home + "/Korvane";
}

// --- Folders ---

bool MatchFilePattern(const std::string& pattern, const std::string& name) {
  return ::fnmatch(ToFnmatch(pattern).c_str(), name.c_str(), FNM_CASEFOLD) == 0;
}

void DeleteFilesRecursive(const std::string& pattern, bool recurse) {
  DeleteIn("", pattern, recurse);
}

// --- Window placement ---

void CenterWindowPosition(const ScreenRect& parent, int width, int height, int& x, int& y) {
  int cx = parent.left + (parent.right - parent.left - width) / 2 + 4;
  int q = cx / 8;
  if (cx < 0 && cx % 8 != 0) --q;  // rounds down for positions left of the screen too
  x = q * 8;
  y = parent.top + (parent.bottom - parent.top - height) / 2;
}
