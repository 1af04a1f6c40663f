#pragma once
// What the Multimedia Collection dialog decides, without the dialog: the
// ordered items of one owner, the list texts, the default photo and sound,
// the button states, reordering and removal, and Save. Items of an owner
// that is not stored yet (a new individual) stay pending and are handed
// back to the caller, who stores them once the owner exists.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "MultimediaItem.h"

namespace media {

// The item kind words of the list and of the Add/Modify dialog's combo.
inline constexpr const char* kKindPhoto = "Photo";
inline constexpr const char* kKindSound = "Sound Clip";
inline constexpr const char* kKindVideo = "Video Clip";

// The kind word of a kind letter, and the letter of a word (0 unknown).
const char* KindWord(char kind);
char KindOfWord(const std::string& word);

// The display edits of an item that the Add/Modify dialog saves at opening
// and writes back on Cancel, so that changes made through Edit Photo are
// undone.
struct ItemEditState {
  std::uint16_t cropLeft = 0, cropTop = 0, cropRight = 0, cropBottom = 0;
  std::uint16_t slideTime = 0;
  std::uint16_t editFlags = 0;  // rotation, flip, slide show and scrapbook bits
  std::string soundFile;
  std::string fileName;

  static ItemEditState Of(const CMultimediaItem& item);
  void RestoreInto(CMultimediaItem& item) const;
};

// The bits ItemEditState keeps.
inline constexpr std::uint16_t kSavedEditFlags = CMultimediaItem::kEditedMask |
                                                 CMultimediaItem::kFlagSlideShow |
                                                 CMultimediaItem::kFlagScrapbook;

// The Add/Modify dialog's Edit button: a photo with a file name to edit.
bool CanEditPhoto(const std::string& kindWord, const std::string& fileName);
// Leaving the file-name field: a changed name drops the crop, rotation and
// flip made for the old file. True when they were dropped.
bool ForgetEditsOfOldFile(CMultimediaItem& item, const std::string& newFileName);

// What the collection's buttons show.
struct CollectionButtons {
  bool add = true;
  bool modify = false;
  bool remove = false;
  bool editPhoto = false;
  bool show = false;
  std::string showText = "S&how";
  bool makeDefault = false;
  std::string defaultText = "Make &Default";
  bool save = false;
  std::string closeText = "&Close";
  bool slideShow = false;
  bool scrapbook = false;
  bool preview = false;
};

class CMultimediaCollection {
 public:
  // How Save ended.
  enum SaveResult { kSaved, kReadOnly, kPending, kFailed };

  CMultimediaCollection(std::int32_t owner, bool readOnly);

  // Reads the owner's stored chain (owner above 0); the flagged photo and
  // sound become the defaults, a later flagged item of a kind winning.
  void Load();
  // Takes a pending list (of a new owner) in place of a stored chain.
  void Adopt(CMultimediaList pending);

  int Count() const { return static_cast<int>(items_.size()); }
  CMultimediaItem* Item(int index) const;
  std::int32_t Owner() const { return owner_; }
  bool Changed() const { return changed_; }
  bool ReadOnly() const { return readOnly_; }
  int DefaultPhoto() const { return defaultPhoto_; }
  int DefaultSound() const { return defaultSound_; }

  // "*" or a blank, a tab and the kind word, then a tab and the caption when
  // there is one (always for entries made by Add or Modify).
  std::string EntryText(int index) const;
  bool IsDefaultEntry(int index) const;
  CollectionButtons Buttons(int selection) const;

  // Appends a new item (kind, caption and description already set); a photo
  // takes part in the slide show and the scrapbook. The first and only
  // entry, when a photo, becomes the default photo. Its index.
  int Add(std::unique_ptr<CMultimediaItem> item);
  // The entry at index was changed by the Add/Modify dialog.
  void Modified(int index);
  // Another change of an item (Edit Photo, a new file name).
  void Touch() { changed_ = true; }
  // Moves the entry one place (delta below 0 up, above 0 down); the new
  // index of the entry, unchanged at the ends.
  int Move(int index, int delta);
  // Make Default / Clear Default on the entry.
  void ToggleDefault(int index);
  // Removes and frees the entry; the index to select next (-1 none left).
  int Remove(int index);

  // Writes the items in list order as the owner's chain. Read-only files
  // refuse; a new owner (0) keeps the items pending.
  SaveResult Save();
  // Hands the pending items over as a chain in list order, with the default
  // photo (or else the default sound) in defaultItem; the collection is
  // empty afterwards.
  CMultimediaList TakeItems(CMultimediaItem** defaultItem = nullptr);

 private:
  int& DefaultOf(char kind);
  CMultimediaList Chain();
  void Unchain(CMultimediaList chain);

  std::int32_t owner_;
  bool readOnly_;
  bool changed_ = false;
  int defaultPhoto_ = -1;
  int defaultSound_ = -1;
  int noDefault_ = -1;  // the default "index" of a kind that has none
  std::vector<std::unique_ptr<CMultimediaItem>> items_;
  std::vector<bool> rebuilt_;  // made or rebuilt by Add/Modify
};

}  // namespace media
