#pragma once
// A multimedia item (record type 148): a photo, sound clip or video clip
// that belongs to an individual, a marriage, a source or a citation. Loaded
// chains are linked through next, each item owning the one after it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "DbCodes.h"

// Frees a chain of nodes that each own the next one through `next`, one node
// at a time so that a long chain does not recurse. Leaves first null.
template <class Node>
std::nullptr_t FreeNodeChain(std::unique_ptr<Node>& first) {
  while (first) first = std::move(first->next);
  return nullptr;
}

class CMultimediaItem {
 public:
  static constexpr int kRecordType = db::kMultimedia;

  // Kind letters.
  static constexpr char kPhoto = 'P';
  static constexpr char kSound = 'S';
  static constexpr char kVideo = 'V';

  // Owner types.
  static constexpr std::uint8_t kOwnerIndividual = db::kIndividual;
  static constexpr std::uint8_t kOwnerMarriage = db::kMarriage;
  static constexpr std::uint8_t kOwnerSource = db::kSource;
  static constexpr std::uint8_t kOwnerCitation = db::kCitation;

  // Bits of flags.
  static constexpr std::uint16_t kFlagDefault = 0x01;    // the owner's default photo or sound
  static constexpr std::uint16_t kFlagSlideShow = 0x02;  // included in the slide show
  static constexpr std::uint16_t kFlagScrapbook = 0x04;  // shown in the scrapbook
  static constexpr std::uint16_t kFlipMask = 0x18;       // 1 flip, 2 reverse, 3 both
  static constexpr int kFlipShift = 3;
  static constexpr std::uint16_t kRotationMask = 0x60;  // quarter turns
  static constexpr int kRotationShift = 5;
  static constexpr std::uint16_t kEditedMask = kFlipMask | kRotationMask;
  // The bits that Clear resets; the upper ones belong to the multimedia screens.
  static constexpr std::uint16_t kClearedFlags = 0x7F;

  CMultimediaItem();
  // Copies every field but the chain: the copy has no next item.
  CMultimediaItem(const CMultimediaItem& other);
  CMultimediaItem& operator=(const CMultimediaItem& other);
  // Frees the rest of the chain too.
  ~CMultimediaItem();

  // Empties the four texts, zeroes the numbers and the kind letter and clears
  // the low seven flag bits. The owner type, the keep marker and the chain
  // are left as they are.
  void Clear();

  // With whole set the whole file-name text; else the path: the text before
  // the first line break.
  std::string GetFileName(bool whole = false) const;
  // The path made absolute against the open family file's folder (the
  // current directory when no file is open) as the file system names it
  // (MultimediaPath); "" for an empty path. The process's current directory
  // is not changed.
  std::string GetFullPath() const;
  // The attached sound's file the same way; "" when there is none.
  std::string GetSoundPath() const;
  // The text after the last line break of the file-name text (a photo disc's
  // label); "" when there is none.
  std::string GetSubName() const;
  std::string GetCaption() const { return caption; }

  bool IsDefault() const { return (flags & kFlagDefault) != 0; }
  int GetFlip() const { return (flags & kFlipMask) >> kFlipShift; }
  int GetRotation() const { return (flags & kRotationMask) >> kRotationShift; }
  // A quarter or three-quarter turn: width and height change places.
  bool IsSideways() const { return (GetRotation() & 1) != 0; }
  // Cropped, flipped or rotated: the picture file alone does not show it so.
  bool IsEdited() const;
  // The picture's size after cropping and rotation; 0 and 0 when the width
  // or the height is unknown. Returns false then.
  bool GetCroppedSize(int& outWidth, int& outHeight) const;

  // The file names are family data (code page text), not the file system's
  // bytes: MultimediaPath and StoreMultimediaPath cross between the two.
  std::string fileName;  // path, optionally "\n" and a sub-name
  std::string caption;
  std::string description;
  std::string soundFile;  // a sound linked to a photo; "" = none

  // Crop margins in pixels of the picture file.
  std::uint16_t cropTop = 0;
  std::uint16_t cropBottom = 0;
  std::uint16_t cropLeft = 0;
  std::uint16_t cropRight = 0;
  std::uint16_t slideTime = 0;  // tenths of a second; 0 = the default
  std::uint16_t width = 0;      // pixels; 0 = unknown
  std::uint16_t height = 0;     // pixels; 0 = unknown
  std::int32_t ownerNumber = 0;
  std::int32_t recordNumber = 0;  // 0 until stored
  std::int32_t nextRecordNumber = 0;
  std::int32_t extraNumber = 0;

  std::unique_ptr<CMultimediaItem> next;  // loaded chains only

  std::uint16_t flags = 0;
  char kind = 0;               // kPhoto, kSound, kVideo; 0 = not set
  std::uint8_t ownerType = 0;  // kOwnerIndividual ...
  std::int32_t keepStoredChain =
      0;  // set on a list's first item: saving leaves the stored chain alone
};

// The file a stored name leads to, as the file system names it: the name's
// code page text made UTF-8, joined to folder when relative and folded by name
// ("." and ".."). A name stored as the file system's own bytes by an earlier
// version is taken as it is when only that form names an existing file.
std::string MultimediaPath(const std::string& storedName, const std::string& folder);
// The name stored for the file at path: relative to folder when the file lies
// inside it, as code page text. False, with stored untouched, when the path
// holds a character that code page text cannot hold.
bool StoreMultimediaPath(const std::string& path, const std::string& folder, std::string& stored);

namespace media {
// The path stored for a chosen file: relative to folder when the file lies
// inside it, else as chosen. Both are the file system's bytes.
std::string RelativeToFolder(const std::string& path, const std::string& folder);
}  // namespace media

// A loaded chain of items; destroying it frees every item.
using CMultimediaList = std::unique_ptr<CMultimediaItem>;

// The owner's default items out of a loaded chain: the first default photo,
// then the first default sound; either may be missing. count, when given,
// gets the number kept. The other items are freed.
CMultimediaList PickDefaultItems(CMultimediaList chain, int* count = nullptr);

// The name under which an owner's item is copied into an export folder: the
// owner number in lower-case hexadecimal, the index in at least two digits
// and the extension of sourcePath ("1a03.JPG").
std::string MultimediaExportName(long owner, int index, std::string_view sourcePath);
