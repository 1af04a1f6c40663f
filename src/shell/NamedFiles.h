#pragma once
// Small user files that carry a user-given name inside them rather than in
// their file name: report layouts (".lyt"), field filters (".fld") and items
// of one family file whose extension is made from the family file's own.
// Each begins with a named-file header; the item's own content follows it.
//
// Header (little-endian, at offset 0):
//   word   marker 0xFF1E, whose low byte 30 is the format version
//   word   N, the item name's length with its terminating zero byte
//   N      the item name
//   word   M, the owner name's length with its zero byte; 0 for a shared item
//   M      the owning family file's base name and extension (no folder)
// The older version 29 has no marker and no owner: it begins with N (a value
// below 0xFF01) and the name. A first word of 0xFF01 or more is a marker.

#include <cstdint>
#include <string>
#include <string_view>

#include "FileHandle.h"

class CNamedFileHeader {
 public:
  static constexpr std::uint16_t kMarker = 0xFF1E;
  static constexpr std::uint16_t kFirstMarker = 0xFF01;  // first words from here on are markers
  static constexpr int kVersion = 30;
  static constexpr int kOldVersion = 29;

  int version = kVersion;
  std::string name;
  std::string owner;  // "" for a shared item; never written by version 29

  // The header's bytes in its version's form.
  std::string Encode() const;
  // Reads a header from the file's position 0 and leaves the file after it.
  // The version (29 or 30), or 0 when the file is too short for it.
  int Read(plat::FileHandle& file);
};

// Reads the header from offset 0 and leaves the file positioned after it;
// the owner is skipped. With name, the item name is stored (up to its first
// zero byte). The version (29 or 30), or 0 when the file is too short.
int ReadNamedFileHeader(plat::FileHandle& file, std::string* name);

// Creates or replaces the file at path with a version 30 header (item name
// and owner, "" for a shared item) followed by content. The bytes go into a
// temporary file in the same folder that is renamed over path only when
// complete, so a failure leaves an existing file whole. 0, or the file
// error's cause.
int WriteNamedFile(const std::string& path, const std::string& itemName, const std::string& owner,
                   std::string_view content = {});
// The header alone; a family-file item (shared false) is owned by the open
// family file (its base name and extension). 0, or the file error's cause.
int WriteNamedFileHeader(const std::string& path, const std::string& itemName, bool shared);

// Finds the named files of one kind and makes new ones.
class CNamedFileEnumerator {
 public:
  // Item names (with their zero byte) longer than this skip the file.
  static constexpr std::uint16_t kMaxNameLength = 47;
  // Owner names longer than this skip the file.
  static constexpr std::uint16_t kMaxOwnerLength = 260;
  // CreateNamedFile numbers its names from 1 to below this.
  static constexpr int kNumberLimit = 99999;

  // Shared items of an extension (".lyt" or "lyt"), kept in the user's data
  // folder (UserDataFolder), with those an older version kept beside the
  // program still listed: pattern "*.lyt".
  explicit CNamedFileEnumerator(const std::string& extension);
  // Items of the open family file with a kind letter, kept in its folder: for
  // Andersen.orv and 't' the pattern is "And*.ort".
  explicit CNamedFileEnumerator(char kindLetter);
  virtual ~CNamedFileEnumerator() = default;

  // Called for every acceptable file: negative stops the scan, positive
  // counts the file, 0 skips it. Counts every file unless overridden.
  virtual int OnNamedFile(const std::string& name, const std::string& path);

  // Calls OnNamedFile for every matching file in the folder whose header
  // holds a name of 1 to 47 bytes and, for family-file items, no other
  // family file as owner. The number of files counted.
  int Enumerate();
  // Creates a new file with a free name in the folder and writes its header
  // (WriteNamedFileHeader); CreatedPath() then names it. 1, or 0 when it
  // could not be created (or every number was taken).
  int CreateNamedFile(const std::string& itemName);

  bool Shared() const { return shared_; }
  const std::string& Pattern() const { return pattern_; }
  const std::string& CreatedPath() const { return createdPath_; }
  // The folder scanned and written (ending in '/'): the user's data folder
  // or the open family file's; callers with another home for the files set
  // it, which leaves the old folder out.
  const std::string& Folder() const { return folder_; }
  void SetFolder(const std::string& folder);
  // A folder scanned after Folder() but never written ("" none): for shared
  // items the program's folder, where they were kept before.
  const std::string& OldFolder() const { return oldFolder_; }
  void SetOldFolder(const std::string& folder);

 private:
  // The header's name when the file is acceptable; false to skip it.
  bool AcceptFile(const std::string& path, std::string& name) const;
  // Enumerate in one folder; false when OnNamedFile stopped the scan.
  bool EnumerateIn(const std::string& folder, int& counted);

  bool shared_;
  std::string pattern_;
  std::string folder_;
  std::string oldFolder_;
  std::string owner_;  // the open family file's name and extension (family-file items)
  std::string createdPath_;
};
