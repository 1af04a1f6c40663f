#include "MultimediaItem.h"

#include <cstdio>
#include <filesystem>

#include "CodePage.h"
#include "FileSystem.h"
#include "FileUtil.h"

CMultimediaItem::CMultimediaItem() { Clear(); }

CMultimediaItem::CMultimediaItem(const CMultimediaItem& other)
    : fileName(other.fileName),
      caption(other.caption),
      description(other.description),
      soundFile(other.soundFile),
      cropTop(other.cropTop),
      cropBottom(other.cropBottom),
      cropLeft(other.cropLeft),
      cropRight(other.cropRight),
      slideTime(other.slideTime),
      width(other.width),
      height(other.height),
      ownerNumber(other.ownerNumber),
      recordNumber(other.recordNumber),
      nextRecordNumber(other.nextRecordNumber),
      extraNumber(other.extraNumber),
      flags(other.flags),
      kind(other.kind),
      ownerType(other.ownerType),
      keepStoredChain(other.keepStoredChain) {}

CMultimediaItem& CMultimediaItem::operator=(const CMultimediaItem& other) {
  if (this == &other) return *this;
  fileName = other.fileName;
  caption = other.caption;
  description = other.description;
  soundFile = other.soundFile;
  cropTop = other.cropTop;
  cropBottom = other.cropBottom;
  cropLeft = other.cropLeft;
  cropRight = other.cropRight;
  slideTime = other.slideTime;
  width = other.width;
  height = other.height;
  ownerNumber = other.ownerNumber;
  recordNumber = other.recordNumber;
  nextRecordNumber = other.nextRecordNumber;
  extraNumber = other.extraNumber;
  flags = other.flags;
  kind = other.kind;
  ownerType = other.ownerType;
  keepStoredChain = other.keepStoredChain;
  return *this;
}

CMultimediaItem::~CMultimediaItem() { FreeNodeChain(next); }

void CMultimediaItem::Clear() {
  fileName.clear();
  caption.clear();
  description.clear();
  soundFile.clear();
  cropTop = cropBottom = cropLeft = cropRight = 0;
  slideTime = 0;
  width = height = 0;
  ownerNumber = 0;
  recordNumber = 0;
  nextRecordNumber = 0;
  extraNumber = 0;
  flags &= static_cast<std::uint16_t>(~kClearedFlags);
  kind = 0;
}

std::string CMultimediaItem::GetFileName(bool whole) const {
  if (whole) return fileName;
  return fileName.substr(0, fileName.find('\n'));
}

namespace {

// The open family file's folder, else the current directory.
std::string MultimediaFolder() {
  const std::string& base = GetOpenFamilyFileFolder();
  return base.empty() ? plat::CurrentDirectory() : base;
}

// Resolved by name only, as the C library's full-path call does: "." and
// ".." are folded, links are not followed and the file need not exist.
std::string JoinedPath(const std::string& folder, const std::string& path) {
  std::filesystem::path full = std::filesystem::path(folder) / std::filesystem::path(path);
  if (!full.is_absolute()) return path;
  return full.lexically_normal().string();
}

}  // namespace

std::string MultimediaPath(const std::string& storedName, const std::string& folder) {
  if (storedName.empty()) return storedName;
  const std::string utf8 = plat::AnsiToUtf8(storedName);
  const std::string path = JoinedPath(folder, utf8);
  if (utf8 == storedName || plat::FileExists(path)) return path;
  const std::string asBytes = JoinedPath(folder, storedName);
  return plat::FileExists(asBytes) ? asBytes : path;
}

bool StoreMultimediaPath(const std::string& path, const std::string& folder, std::string& stored) {
  const std::string relative = media::RelativeToFolder(path, folder);
  if (plat::Utf8LossCount(relative, plat::ActiveCodePage()) > 0) return false;
  stored = plat::Utf8ToAnsi(relative);
  return true;
}

namespace media {

std::string RelativeToFolder(const std::string& path, const std::string& folder) {
  if (folder.empty() || path.empty()) return path;
  namespace fs = std::filesystem;
  const fs::path file = fs::path(path).lexically_normal();
  const fs::path base = fs::path(folder).lexically_normal();
  if (!file.is_absolute() || !base.is_absolute()) return path;
  const fs::path relative = file.lexically_relative(base);
  if (relative.empty() || *relative.begin() == "..") return path;
  return relative.string();
}

}  // namespace media

std::string CMultimediaItem::GetFullPath() const {
  return MultimediaPath(GetFileName(false), MultimediaFolder());
}

std::string CMultimediaItem::GetSoundPath() const {
  return MultimediaPath(soundFile, MultimediaFolder());
}

std::string CMultimediaItem::GetSubName() const {
  std::size_t lastBreak = fileName.rfind('\n');
  if (lastBreak == std::string::npos) return std::string();
  return fileName.substr(lastBreak + 1);
}

bool CMultimediaItem::IsEdited() const {
  return cropTop != 0 || cropBottom != 0 || cropLeft != 0 || cropRight != 0 ||
         (flags & kEditedMask) != 0;
}

bool CMultimediaItem::GetCroppedSize(int& outWidth, int& outHeight) const {
  outWidth = 0;
  outHeight = 0;
  if (width == 0 || height == 0) return false;
  // Margins larger than the picture leave nothing rather than a negative size.
  int w = static_cast<int>(width) - cropLeft - cropRight;
  int h = static_cast<int>(height) - cropTop - cropBottom;
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  if (IsSideways()) std::swap(w, h);
  outWidth = w;
  outHeight = h;
  return true;
}

CMultimediaList PickDefaultItems(CMultimediaList chain, int* count) {
  CMultimediaList photo;
  CMultimediaList sound;
  while (chain) {
    CMultimediaList item = std::move(chain);
    chain = std::move(item->next);
    if (!item->IsDefault()) continue;
    if (item->kind == CMultimediaItem::kPhoto && !photo) {
      photo = std::move(item);
    } else if (item->kind == CMultimediaItem::kSound && !sound) {
      sound = std::move(item);
    }
  }
  int kept = (photo ? 1 : 0) + (sound ? 1 : 0);
  if (count) *count = kept;
  if (!photo) return sound;
  photo->next = std::move(sound);
  return photo;
}

std::string MultimediaExportName(long owner, int index, std::string_view sourcePath) {
  std::string_view extension;
  std::size_t dot = sourcePath.rfind('.');
  std::size_t folderEnd = sourcePath.find_last_of("/\\:");
  if (dot != std::string_view::npos && (folderEnd == std::string_view::npos || dot > folderEnd)) {
    extension = sourcePath.substr(dot);
  }
  char head[48];
  std::snprintf(head, sizeof head, "%lx%2.2d", static_cast<unsigned long>(owner), index);
  return std::string(head) + std::string(extension);
}
