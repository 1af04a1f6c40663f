#include "MultimediaItem.h"

#include <cstdio>
#include <filesystem>

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

std::string CMultimediaItem::GetFullPath() const {
  std::string path = GetFileName(false);
  if (path.empty()) return path;
  std::string base = GetOpenFamilyFileFolder();
  if (base.empty()) base = plat::CurrentDirectory();
  // Resolved by name only, as the C library's full-path call does: "." and
  // ".." are folded, links are not followed and the file need not exist.
  std::filesystem::path full = std::filesystem::path(base) / std::filesystem::path(path);
  if (!full.is_absolute()) return path;
  return full.lexically_normal().string();
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
