#include "MultimediaCollection.h"

#include <utility>

#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "MultimediaChain.h"

namespace media {

const char* KindWord(char kind) {
  switch (kind) {
    case CMultimediaItem::kSound:
      return kKindSound;
    case CMultimediaItem::kVideo:
      return kKindVideo;
    default:
      return kKindPhoto;
  }
}

char KindOfWord(const std::string& word) {
  if (word == kKindPhoto) return CMultimediaItem::kPhoto;
  if (word == kKindSound) return CMultimediaItem::kSound;
  if (word == kKindVideo) return CMultimediaItem::kVideo;
  return 0;
}

ItemEditState ItemEditState::Of(const CMultimediaItem& item) {
  ItemEditState s;
  s.cropLeft = item.cropLeft;
  s.cropTop = item.cropTop;
  s.cropRight = item.cropRight;
  s.cropBottom = item.cropBottom;
  s.slideTime = item.slideTime;
  s.editFlags = item.flags & kSavedEditFlags;
  s.soundFile = item.soundFile;
  s.fileName = item.fileName;
  return s;
}

void ItemEditState::RestoreInto(CMultimediaItem& item) const {
  item.cropLeft = cropLeft;
  item.cropTop = cropTop;
  item.cropRight = cropRight;
  item.cropBottom = cropBottom;
  item.slideTime = slideTime;
  item.flags = static_cast<std::uint16_t>((item.flags & ~kSavedEditFlags) | editFlags);
  item.soundFile = soundFile;
  item.fileName = fileName;
}

bool CanEditPhoto(const std::string& kindWord, const std::string& fileName) {
  return !fileName.empty() && KindOfWord(kindWord) == CMultimediaItem::kPhoto;
}

bool ForgetEditsOfOldFile(CMultimediaItem& item, const std::string& newFileName) {
  if (newFileName == item.GetFileName(false)) return false;
  item.cropLeft = item.cropTop = item.cropRight = item.cropBottom = 0;
  item.flags &= static_cast<std::uint16_t>(~CMultimediaItem::kEditedMask);
  return true;
}

CMultimediaCollection::CMultimediaCollection(std::int32_t owner, bool readOnly)
    : owner_(owner), readOnly_(readOnly) {}

void CMultimediaCollection::Load() {
  if (owner_ <= 0 || !CurrentDatabase) return;
  const std::int32_t head = DbGetMultimediaHead(owner_, db::kIndividual);
  if (head <= 0) return;
  Unchain(CurrentDatabase->LoadMultimediaList(DbGetFirstMultimediaItem(head), -1));
}

void CMultimediaCollection::Adopt(CMultimediaList pending) { Unchain(std::move(pending)); }

void CMultimediaCollection::Unchain(CMultimediaList chain) {
  while (chain) {
    CMultimediaList item = std::move(chain);
    chain = std::move(item->next);
    const int index = Count();
    if (item->IsDefault() &&
        (item->kind == CMultimediaItem::kPhoto || item->kind == CMultimediaItem::kSound))
      DefaultOf(item->kind) = index;
    items_.push_back(std::move(item));
    rebuilt_.push_back(false);
  }
}

CMultimediaList CMultimediaCollection::Chain() {
  CMultimediaList head;
  for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
    (*it)->next = std::move(head);
    head = std::move(*it);
  }
  items_.clear();
  rebuilt_.clear();
  return head;
}

CMultimediaItem* CMultimediaCollection::Item(int index) const {
  return index >= 0 && index < Count() ? items_[index].get() : nullptr;
}

int& CMultimediaCollection::DefaultOf(char kind) {
  if (kind == CMultimediaItem::kPhoto) return defaultPhoto_;
  if (kind == CMultimediaItem::kSound) return defaultSound_;
  noDefault_ = -1;
  return noDefault_;
}

bool CMultimediaCollection::IsDefaultEntry(int index) const {
  return index >= 0 && (index == defaultPhoto_ || index == defaultSound_);
}

std::string CMultimediaCollection::EntryText(int index) const {
  const CMultimediaItem* item = Item(index);
  if (!item) return std::string();
  std::string text = IsDefaultEntry(index) ? "*" : " ";
  text += '\t';
  text += KindWord(item->kind);
  if (rebuilt_[index] || !item->caption.empty()) text += '\t' + item->caption;
  return text;
}

CollectionButtons CMultimediaCollection::Buttons(int selection) const {
  CollectionButtons b;
  b.add = !readOnly_;
  if (changed_) b.closeText = "Cancel";
  b.save = changed_ ? !readOnly_ : Count() > 0;
  const CMultimediaItem* item = Item(selection);
  if (Count() > 0) {
    b.modify = true;
    b.remove = !readOnly_;
    b.show = true;
    b.preview = true;
    for (const auto& i : items_) {
      if (i->flags & CMultimediaItem::kFlagSlideShow) b.slideShow = true;
      if (i->flags & CMultimediaItem::kFlagScrapbook) b.scrapbook = true;
    }
  }
  if (item) {
    if (IsDefaultEntry(selection)) {
      b.defaultText = "Clear &Default";
      b.makeDefault = true;
    } else {
      b.makeDefault = item->kind != CMultimediaItem::kVideo;
    }
    if (readOnly_) b.makeDefault = false;
    if (item->kind == CMultimediaItem::kPhoto) {
      b.editPhoto = true;
    } else {
      b.showText = "&Play";
    }
  }
  return b;
}

int CMultimediaCollection::Add(std::unique_ptr<CMultimediaItem> item) {
  if (!item) return -1;
  if (item->kind == CMultimediaItem::kPhoto)
    item->flags |= CMultimediaItem::kFlagSlideShow | CMultimediaItem::kFlagScrapbook;
  // A new item is nobody's default until chosen.
  item->flags &= static_cast<std::uint16_t>(~CMultimediaItem::kFlagDefault);
  items_.push_back(std::move(item));
  rebuilt_.push_back(true);
  changed_ = true;
  const int index = Count() - 1;
  if (Count() == 1 && items_[0]->kind == CMultimediaItem::kPhoto) ToggleDefault(0);
  return index;
}

void CMultimediaCollection::Modified(int index) {
  if (!Item(index)) return;
  CMultimediaItem& item = *items_[index];
  // A default entry whose kind changed is no longer the default of the old
  // kind; it stays marked only as the default of its new kind.
  if (index == defaultPhoto_ && item.kind != CMultimediaItem::kPhoto) {
    defaultPhoto_ = -1;
    item.flags &= static_cast<std::uint16_t>(~CMultimediaItem::kFlagDefault);
  }
  if (index == defaultSound_ && item.kind != CMultimediaItem::kSound) {
    defaultSound_ = -1;
    item.flags &= static_cast<std::uint16_t>(~CMultimediaItem::kFlagDefault);
  }
  rebuilt_[index] = true;
  changed_ = true;
}

int CMultimediaCollection::Move(int index, int delta) {
  if (!Item(index) || delta == 0) return index;
  const int other = delta > 0 ? index + 1 : index - 1;
  if (other < 0 || other >= Count()) return index;
  std::swap(items_[index], items_[other]);
  // std::vector<bool> has no swap of references: exchange by value.
  const bool rebuiltHere = rebuilt_[index];
  rebuilt_[index] = rebuilt_[other];
  rebuilt_[other] = rebuiltHere;
  for (int* def : {&defaultPhoto_, &defaultSound_}) {
    if (*def == index)
      *def = other;
    else if (*def == other)
      *def = index;
  }
  changed_ = true;
  return other;
}

void CMultimediaCollection::ToggleDefault(int index) {
  CMultimediaItem* item = Item(index);
  if (!item) return;
  if (IsDefaultEntry(index)) {
    item->flags &= static_cast<std::uint16_t>(~CMultimediaItem::kFlagDefault);
    (index == defaultPhoto_ ? defaultPhoto_ : defaultSound_) = -1;
  } else {
    if (item->kind != CMultimediaItem::kPhoto && item->kind != CMultimediaItem::kSound) return;
    int& def = DefaultOf(item->kind);
    if (CMultimediaItem* previous = Item(def))
      previous->flags &= static_cast<std::uint16_t>(~CMultimediaItem::kFlagDefault);
    item->flags |= CMultimediaItem::kFlagDefault;
    def = index;
  }
  changed_ = true;
}

int CMultimediaCollection::Remove(int index) {
  if (!Item(index)) return -1;
  for (int* def : {&defaultPhoto_, &defaultSound_}) {
    if (*def == index)
      *def = -1;
    else if (*def > index)
      --*def;
  }
  items_.erase(items_.begin() + index);
  rebuilt_.erase(rebuilt_.begin() + index);
  changed_ = true;
  if (items_.empty()) return -1;
  return index < Count() ? index : Count() - 1;
}

CMultimediaCollection::SaveResult CMultimediaCollection::Save() {
  if (readOnly_) return kReadOnly;
  if (!changed_) return kSaved;
  if (owner_ <= 0) return kPending;
  const std::vector<bool> rebuilt = rebuilt_;
  CMultimediaList chain = Chain();
  const int result = DbSaveMultimediaChain(owner_, chain.get(), db::kIndividual);
  defaultPhoto_ = defaultSound_ = -1;
  Unchain(std::move(chain));
  rebuilt_ = rebuilt;
  if (result != 1) return kFailed;
  changed_ = false;
  return kSaved;
}

CMultimediaList CMultimediaCollection::TakeItems(CMultimediaItem** defaultItem) {
  CMultimediaItem* chosen = Item(defaultPhoto_ >= 0 ? defaultPhoto_ : defaultSound_);
  if (defaultItem) *defaultItem = chosen;
  defaultPhoto_ = defaultSound_ = -1;
  return Chain();
}

}  // namespace media
