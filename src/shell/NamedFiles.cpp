#include "NamedFiles.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "CodePage.h"
#include "FamilyDatabase.h"
#include "FileFinder.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "ReplaceFile.h"

namespace {

bool ReadWord(plat::FileHandle& file, std::uint16_t& value) {
  std::uint8_t b[2];
  if (file.Read(b, 2) != 2) return false;
  value = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
  return true;
}

// Reads length bytes; the text ends at its first zero byte.
bool ReadText(plat::FileHandle& file, std::uint16_t length, std::string& text) {
  std::string bytes(length, '\0');
  if (length > 0 && file.Read(bytes.data(), length) != length) return false;
  text = bytes.substr(0, bytes.find('\0'));
  return true;
}

void PutWord(std::string& out, std::size_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutText(std::string& out, const std::string& text) {
  PutWord(out, text.size() + 1);
  out += text;
  out.push_back('\0');
}

// A family file's name compared without regard to case. Headers hold it as
// the file system names it (UTF-8); those of earlier versions may hold it
// as code page text, which is no valid UTF-8 beyond ASCII.
std::string OwnerKey(const std::string& name) {
  const bool utf8 = plat::Utf8LossCount(name, plat::ActiveCodePage()) == 0;
  return plat::AnsiLower(utf8 ? plat::Utf8ToAnsi(name) : name);
}

// The characters of UTF-8 text, each as its bytes.
std::vector<std::string> Characters(const std::string& utf8) {
  std::vector<std::string> out;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t start = at;
    plat::NextUtf8(utf8, at);
    out.push_back(utf8.substr(start, at - start));
  }
  return out;
}

// The first count characters of a file name's UTF-8, never part of one.
std::string FirstCharacters(const std::string& utf8, std::size_t count) {
  std::string out;
  for (const std::string& c : Characters(utf8)) {
    if (count-- == 0) break;
    out += c;
  }
  return out;
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The open family file's base name and extension; "" when none is open.
std::string OpenFamilyFileName() {
  const CFamilyDatabase& db = *CurrentDatabase;
  return db.type == CFamilyDatabase::kNoDatabase ? std::string() : db.baseName + db.extension;
}

}  // namespace

// ---- the header ------------------------------------------------------------

std::string CNamedFileHeader::Encode() const {
  std::string out;
  if (version == kOldVersion) {
    PutText(out, name);
    return out;
  }
  PutWord(out, kMarker);
  PutText(out, name);
  if (owner.empty())
    PutWord(out, 0);
  else
    PutText(out, owner);
  return out;
}

int CNamedFileHeader::Read(plat::FileHandle& file) {
  name.clear();
  owner.clear();
  if (!file.Seek(0)) return 0;
  std::uint16_t first = 0, length = 0;
  if (!ReadWord(file, first)) return 0;
  if (first < kFirstMarker) {
    if (!ReadText(file, first, name)) return 0;
    version = kOldVersion;
    return version;
  }
  if (!ReadWord(file, length) || !ReadText(file, length, name)) return 0;
  std::uint16_t ownerLength = 0;
  if (!ReadWord(file, ownerLength) || !ReadText(file, ownerLength, owner)) return 0;
  version = kVersion;
  return version;
}

int ReadNamedFileHeader(plat::FileHandle& file, std::string* name) {
  CNamedFileHeader header;
  const int version = header.Read(file);
  if (version != 0 && name) *name = header.name;
  return version;
}

int WriteNamedFile(const std::string& path, const std::string& itemName, const std::string& owner,
                   std::string_view content) {
  CNamedFileHeader header;
  header.name = itemName;
  header.owner = owner;
  const std::string bytes = header.Encode();
  return ReplaceFileContents(path, [&](plat::FileHandle& file) {
    return file.WriteAt(0, bytes.data(), bytes.size()) &&
           (content.empty() || file.WriteAt(bytes.size(), content.data(), content.size()));
  });
}

int WriteNamedFileHeader(const std::string& path, const std::string& itemName, bool shared) {
  return WriteNamedFile(path, itemName, shared ? std::string() : OpenFamilyFileName());
}

// ---- the enumerator ----------------------------------------------------------

CNamedFileEnumerator::CNamedFileEnumerator(const std::string& extension) : shared_(true) {
  pattern_ = "*";
  if (extension.empty() || extension[0] != '.') pattern_ += '.';
  pattern_ += extension;
  // Beside an installed program no user may write: the user's own folder.
  folder_ = WithSlash(UserDataFolder());
  SetOldFolder(GetPathDirectory(plat::ProgramPath()));
}

CNamedFileEnumerator::CNamedFileEnumerator(char kindLetter) : shared_(false) {
  const CFamilyDatabase& db = *CurrentDatabase;
  pattern_ = FirstCharacters(db.baseName, 3) + "*" + FirstCharacters(db.extension, 3) + kindLetter;
  folder_ = WithSlash(db.drive + db.folder);
  owner_ = OpenFamilyFileName();
}

void CNamedFileEnumerator::SetFolder(const std::string& folder) {
  folder_ = WithSlash(folder);
  oldFolder_.clear();
}

void CNamedFileEnumerator::SetOldFolder(const std::string& folder) {
  oldFolder_ = folder.empty() ? std::string() : WithSlash(folder);
  if (oldFolder_ == folder_) oldFolder_.clear();
}

int CNamedFileEnumerator::OnNamedFile(const std::string&, const std::string&) { return 1; }

bool CNamedFileEnumerator::AcceptFile(const std::string& path, std::string& name) const {
  plat::FileHandle file;
  if (file.Open(path, plat::FileHandle::Access::ReadOnly) != plat::kFileOk) return false;
  std::uint16_t first = 0, length = 0;
  if (!ReadWord(file, first)) return false;
  const bool marked = first >= CNamedFileHeader::kFirstMarker;
  if (!marked)
    length = first;
  else if (!ReadWord(file, length))
    return false;
  if (length < 1 || length > kMaxNameLength || !ReadText(file, length, name)) return false;
  if (shared_ || !marked) return true;
  std::uint16_t ownerLength = 0;
  if (!ReadWord(file, ownerLength) || ownerLength > kMaxOwnerLength) return false;
  if (ownerLength == 0) return true;
  std::string owner;
  return ReadText(file, ownerLength, owner) && OwnerKey(owner) == OwnerKey(owner_);
}

int CNamedFileEnumerator::Enumerate() {
  int counted = 0;
  if (EnumerateIn(folder_, counted) && !oldFolder_.empty()) EnumerateIn(oldFolder_, counted);
  return counted;
}

bool CNamedFileEnumerator::EnumerateIn(const std::string& folder, int& counted) {
  CFileFinder finder;
  bool going = true;
  while (going && finder.FindNext(folder + pattern_)) {
    if (finder.IsDirectory() || finder.IsDots()) continue;
    const std::string path = folder + finder.Name();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) continue;  // devices, pipes, sockets
    std::string name;
    if (!AcceptFile(path, name)) continue;
    const int answer = OnNamedFile(name, path);
    if (answer < 0) going = false;
    if (answer > 0) ++counted;
  }
  finder.Close();
  return going;
}

int CNamedFileEnumerator::CreateNamedFile(const std::string& itemName) {
  createdPath_.clear();
  constexpr std::size_t kBaseLength = 8;
  const std::size_t dot = pattern_.rfind('.');
  const std::string extension = dot == std::string::npos ? std::string() : pattern_.substr(dot);
  // The base name in whole characters: a file name is UTF-8, the item name
  // code page text.
  std::vector<std::string> base;
  if (shared_) {
    for (const std::string& c : Characters(plat::AnsiToUtf8(itemName)))
      if (static_cast<unsigned char>(c[0]) > ' ' && c != "\x7F" && base.size() < kBaseLength)
        base.push_back(c);
  } else {
    base = Characters(pattern_.substr(0, dot == std::string::npos ? pattern_.size() : dot));
    for (std::string& c : base)
      if (c == "?" || c == "*") c = "0";
    if (base.size() > kBaseLength) base.resize(kBaseLength);
  }
  base.resize(kBaseLength, "0");
  std::error_code error;
  std::filesystem::create_directories(folder_, error);

  for (int i = 1; i < kNumberLimit; ++i) {
    const std::string digits = std::to_string(i);
    std::string path = folder_;
    for (std::size_t k = 0; k < kBaseLength - digits.size(); ++k) path += base[k];
    path += digits + extension;
    if (plat::FileExists(path) || plat::DirectoryExists(path)) continue;
    const int cause = WriteNamedFileHeader(path, itemName, shared_);
    if (cause == plat::kFileOk) {
      createdPath_ = path;
      return 1;
    }
    if (cause != plat::kFileAccessDenied) return 0;
  }
  return 0;
}
