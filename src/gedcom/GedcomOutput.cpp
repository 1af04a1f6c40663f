#include "GedcomOutput.h"

#include <algorithm>
#include <filesystem>

#include "Ansel.h"
#include "CodePage.h"
#include "FileUtil.h"
#include "Ports.h"
#include "StringTable.h"

namespace gedcom {

namespace {

// The drive's free bytes as a 32-bit count, as the disk accounting keeps it.
constexpr std::uint64_t kMaxCountedFree = 0xFFFFFFFFull;

std::uint64_t Clamp(std::uint64_t free) { return free > kMaxCountedFree ? kMaxCountedFree : free; }

// "<level> NAME ..." (whose slashes mark the surname) or a line of a name
// piece, which has to agree with it.
bool IsNameLine(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
  if (i == 0 || i >= line.size() || line[i] != ' ') return false;
  const std::string_view rest = line.substr(i + 1);
  const std::string_view tag = rest.substr(0, rest.find(' '));
  for (std::string_view name :
       {"NAME", "GIVN", "SURN", "NPFX", "NSFX", "SPFX", "NICK", "_AKA", "_MARNM"})
    if (tag == name) return true;
  return false;
}

}  // namespace

bool SystemDrive::IsRemovable(const std::string& path) {
  return GetPathDriveType(path) == kDriveRemovable;
}

std::uint64_t SystemDrive::FreeBytes(const std::string& path) {
  std::uint32_t high = 0;
  const std::uint32_t low = GetDiskFreeBytes(path, &high);
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

GedcomOutput::~GedcomOutput() {
  if (file_) std::fclose(file_);
}

bool GedcomOutput::Open(const std::string& path) {
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) return false;
  parts_ = {path};
  removable_ = drive_.IsRemovable(path);
  free_ = Clamp(drive_.FreeBytes(path));
  written_ = 0;
  partCounter_ = 0;
  changedDisk_ = false;
  failed_ = false;
  return true;
}

std::string GedcomOutput::PartName(int counter) const {
  const std::filesystem::path first(parts_.front());
  char suffix[8];
  std::snprintf(suffix, sizeof suffix, ".G%2.2d", counter % 100);
  return (first.parent_path() / (first.stem().string() + suffix)).string();
}

bool GedcomOutput::Fail(bool reportWrite) {
  if (!failed_ && reportWrite)
    plat::MessageBox(res::FormatInserts(kWriteFailed, {parts_.back()}), kExportCaption,
                     plat::kMbOk | plat::kMbIconExclamation);
  failed_ = true;
  return false;
}

// Closes the full part and opens the next on a new disk; false on Cancel or
// when the part cannot be created.
bool GedcomOutput::NextDisk() {
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!closed) return Fail(true);
  const std::string prompt = res::FormatInserts(kInsertDisk, {std::to_string(partCounter_ + 2)});
  const unsigned flags = plat::kMbOkCancel | plat::kMbIconInformation;
  if (plat::MessageBox(prompt, kExportCaption, flags) != plat::kIdOk) return Fail(false);
  const std::string name = PartName(partCounter_);
  std::error_code ec;
  std::filesystem::remove(name, ec);
  free_ = Clamp(drive_.FreeBytes(name));
  while (free_ == 0) {
    if (plat::MessageBox(prompt, kExportCaption, flags) != plat::kIdOk) return Fail(false);
    free_ = Clamp(drive_.FreeBytes(name));
  }
  file_ = std::fopen(name.c_str(), "wb");
  if (!file_) {
    parts_.push_back(name);
    return Fail(true);
  }
  parts_.push_back(name);
  written_ = 0;
  changedDisk_ = true;
  return true;
}

bool GedcomOutput::WriteLine(std::string_view line) {
  if (failed_ || !file_) return false;
  std::vector<AnselReplacement> changed;
  std::string bytes;
  if (ansel_) {
    bytes = AnsiToPureAnsel(line, plat::ActiveCodePage(), &changed, IsNameLine(line));
  } else {
    bytes = plat::WithoutPrivateChars(line, plat::ActiveCodePage());
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
      if (plat::PrivateCharAt(line, i) == 0) continue;
      changed.push_back({std::string(line.substr(i, 2)),
                         plat::WithoutPrivateChars(line.substr(i, 2), plat::ActiveCodePage())});
      ++i;
    }
    // A lead byte left without its pair (text cut inside a letter before
    // cuts kept letters whole) is no character of either code page.
    for (char& c : bytes) {
      const auto b = static_cast<unsigned char>(c);
      if (b != plat::kPrivateLead && b != plat::kPrivateLead2) continue;
      changed.push_back({std::string(1, c), std::string(1, plat::kUnmappableAnsi)});
      c = plat::kUnmappableAnsi;
    }
  }
  for (const AnselReplacement& c : changed) {
    auto it = std::find_if(replaced_.begin(), replaced_.end(), [&c](const Replaced& r) {
      return r.original == c.original && r.written == c.written;
    });
    if (it == replaced_.end()) it = replaced_.insert(replaced_.end(), {c.original, c.written, 0});
    ++it->count;
  }
  bytes += "\r\n";
  // Counted after the conversion: that is what reaches the disk.
  while (written_ + bytes.size() > free_) {
    if (!removable_) {
      plat::MessageBox(kNotEnoughSpace, kExportCaption, plat::kMbOk | plat::kMbIconExclamation);
      return Fail(false);
    }
    if (!NextDisk()) return false;
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) return Fail(true);
  written_ += bytes.size();
  if (changedDisk_) {
    ++partCounter_;
    changedDisk_ = false;
  }
  return true;
}

bool GedcomOutput::Close() {
  if (!file_) return !failed_;
  const bool ok = std::fclose(file_) == 0;
  file_ = nullptr;
  return ok ? !failed_ : Fail(true);
}

void GedcomOutput::Discard() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  std::error_code ec;
  for (const std::string& part : parts_) std::filesystem::remove(part, ec);
  parts_.clear();
  failed_ = true;
}

}  // namespace gedcom
