#include "CitationEditing.h"

#include <algorithm>

#include "DbCalls.h"
#include "DbCodes.h"
#include "Ports.h"
#include "RepositoryRecord.h"
#include "StringIds.h"
#include "StringTable.h"

namespace sources {

namespace {

constexpr std::uint8_t kDialogFormatCode = 3;

std::string FormatTwo(int a, int b) {
  std::string text = res::LoadString(res::kIdsPositionFormat);
  for (int v : {a, b}) {
    const std::size_t at = text.find("%d");
    if (at == std::string::npos) break;
    text.replace(at, 2, std::to_string(v));
  }
  return text;
}

std::uint8_t QualityOf(std::int32_t sourceRin) {
  CSourceRecord source;
  if (DbGetRecord(sourceRin, db::kSource, &source) != 1) return CCitationRecord::kNoQuality;
  return source.formatBytes[0];
}

}  // namespace

CCitationRecord& MemorizedCitation() {
  static CCitationRecord memorized;
  return memorized;
}

bool HasMemorizedCitation() { return MemorizedCitation().sourceRin != 0; }

std::string SourcesForSuffix(const std::string& label, const std::string& name1,
                             const std::string& name2) {
  std::string names = name1;
  if (!name2.empty()) names += (names.empty() ? "" : "/") + name2;
  if (label.empty()) return names;
  std::string shown = label;
  const std::string sealing = res::LoadString(res::kIdsSealing);
  if (!sealing.empty() && label.find(sealing) != std::string::npos) shown = sealing;
  return shown + " " + res::LoadString(res::kIdsOf) + " " + names;
}

CSourcesForModel::CSourcesForModel(std::int32_t citation, std::int32_t owner, char ownerLetter,
                                   std::int32_t secondOwner)
    : requested_(citation), owner_(owner), letter_(ownerLetter), second_(secondOwner) {}

bool CSourcesForModel::Open() {
  DbGetRinList(chain_, db::kCitation, owner_, letter_);
  if (chain_.empty()) {
    ClearShown();
    mode_ = 1;
    position_ = 1;
    return false;
  }
  const auto at = std::find(chain_.begin(), chain_.end(), requested_);
  Load(at == chain_.end() ? 1 : static_cast<int>(at - chain_.begin()) + 1);
  return true;
}

std::string CSourcesForModel::PositionText() const {
  const int count = mode_ == 1 ? Count() + 1 : Count();
  return FormatTwo(position_, count);
}

int CSourcesForModel::TabCount() const { return mode_ == 1 ? Count() + 1 : Count(); }

void CSourcesForModel::ClearShown() {
  shown_.Clear();
  shown_.ownerLetter = letter_;
  shown_.ownerNumber = owner_;
  shown_.secondOwnerNumber = second_;
  shown_.formatCode = kDialogFormatCode;
  loaded_ = shown_;
  rin_ = 0;
  imageChanged_ = false;
  source_.reset();
}

void CSourcesForModel::Load(int position) {
  position_ = position;
  mode_ = 0;
  rin_ = chain_[position - 1];
  imageChanged_ = false;
  if (DbGetRecord(rin_, db::kCitation, &loaded_) != 1) {
    loaded_.Clear();
    loaded_.ownerLetter = letter_;
    loaded_.ownerNumber = owner_;
    loaded_.secondOwnerNumber = second_;
  }
  shown_ = loaded_;
  LoadSource();
}

void CSourcesForModel::LoadSource() {
  source_.reset();
  if (shown_.sourceRin == 0) return;
  auto s = std::make_unique<CSourceRecord>();
  if (DbGetRecord(shown_.sourceRin, db::kSource, s.get()) == 1) source_ = std::move(s);
}

std::string CSourcesForModel::RepositoryName() const {
  if (!source_ || source_->repositoryRin == 0) return {};
  CRepositoryRecord repository;
  if (DbGetRecord(source_->repositoryRin, db::kRepository, &repository) != 1) return {};
  return repository.name;
}

void CSourcesForModel::SetImage(std::unique_ptr<CMultimediaItem> image) {
  shown_.image = std::move(image);
  imageChanged_ = true;
}

bool CSourcesForModel::Changed() const {
  return shown_.pageText != loaded_.pageText || !shown_.entryDate.Equals(loaded_.entryDate) ||
         shown_.detailText != loaded_.detailText || shown_.quality != loaded_.quality ||
         shown_.comments != loaded_.comments || shown_.actualText != loaded_.actualText ||
         shown_.formatCode != loaded_.formatCode || imageChanged_ ||
         shown_.sourceRin != loaded_.sourceRin;
}

SaveAnswer CSourcesForModel::Save(bool ask, const notes::EditGate& gate,
                                  const std::function<bool(unsigned)>& yesNo) {
  if (mode_ == 0 && !Changed()) return SaveAnswer::kDone;
  // A new citation without a source is not a citation yet.
  if (mode_ == 1 && shown_.sourceRin == 0) return SaveAnswer::kDone;
  if (!gate.Allow()) return SaveAnswer::kRefused;
  if (ask && yesNo && !yesNo(res::kIdsAskSaveCitation)) return SaveAnswer::kDone;
  CCitationRecord record(shown_);
  record.ownerLetter = letter_;
  record.ownerNumber = owner_;
  record.secondOwnerNumber = second_;
  if (letter_ == db::kOwnerSealingToParents) {
    // Stored on the sealing of the individual's first parent family link.
    std::vector<std::int32_t> links;
    DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, owner_, 0);
    record.ownerLetter = db::kOwnerFamilyLink;
    record.ownerNumber = links.empty() ? 0 : links.front();
    record.secondOwnerNumber = owner_;
  }
  if (mode_ == 0) {
    // A citation that did not reach the file (the engine told why) stays
    // shown, so that what was typed is not lost.
    if (DbUpdateRecord(rin_, db::kCitation, &record) != 1) return SaveAnswer::kFailed;
  } else {
    const std::int32_t added = DbAddRecord(db::kCitation, 1, &record);
    if (added <= 0) {
      plat::MessageBox(res::LoadString(res::kIdsCannotCreateCitation), "",
                       plat::kMbOk | plat::kMbIconExclamation);
      return SaveAnswer::kFailed;
    }
    rin_ = added;
    DbGetRinList(chain_, db::kCitation, owner_, letter_);
    const auto at = std::find(chain_.begin(), chain_.end(), added);
    position_ = at == chain_.end() ? Count() : static_cast<int>(at - chain_.begin()) + 1;
    mode_ = 0;
  }
  DbGetRecord(rin_, db::kCitation, &loaded_);
  shown_ = loaded_;
  imageChanged_ = false;
  return SaveAnswer::kDone;
}

bool CSourcesForModel::MoveTo(int position, const notes::EditGate& gate) {
  const int count = Count();
  if (count == 0) return false;
  position = std::clamp(position, 1, count);
  if (position == position_ && mode_ == 0) return false;
  if (Save(false, gate) != SaveAnswer::kDone) return false;
  Load(position);
  return true;
}

bool CSourcesForModel::BeginNew(const notes::EditGate& gate) {
  if (!gate.Allow()) return false;
  if (Save(false, gate) != SaveAnswer::kDone) return false;
  positionBeforeNew_ = mode_ == 0 ? position_ : 0;
  ClearShown();
  if (!chain_.empty()) shown_.previousCitation = chain_.back();
  mode_ = 1;
  position_ = Count() + 1;
  return true;
}

void CSourcesForModel::CancelNew() {
  if (positionBeforeNew_ > 0 && positionBeforeNew_ <= Count())
    Load(positionBeforeNew_);
  else if (Count() > 0)
    Load(1);
}

void CSourcesForModel::CopyTexts(const CCitationRecord& from) {
  shown_.pageText = from.pageText;
  shown_.quality = from.quality;
  shown_.comments = from.comments;
  shown_.actualText = from.actualText;
  shown_.detailText = from.detailText;
  shown_.entryDate = from.entryDate;
}

void CSourcesForModel::ChooseSource(std::int32_t sourceRin, bool useMemorized) {
  if (useMemorized && HasMemorizedCitation()) {
    CopyTexts(MemorizedCitation());
    sourceRin = MemorizedCitation().sourceRin;
  }
  shown_.sourceRin = sourceRin;
  if (mode_ == 1 && !useMemorized) shown_.quality = QualityOf(sourceRin);
  LoadSource();
}

void CSourcesForModel::TakeNewSource(std::int32_t sourceRin) {
  shown_.sourceRin = sourceRin;
  shown_.formatCode = kDialogFormatCode;
  shown_.quality = QualityOf(sourceRin);
  LoadSource();
}

bool CSourcesForModel::Delete(const notes::EditGate& gate,
                              const std::function<bool(unsigned)>& yesNo, bool* deleted) {
  if (deleted) *deleted = false;
  if (!gate.Allow()) return false;
  if (yesNo && !yesNo(res::kIdsAskDeleteCitation)) return false;
  if (mode_ == 0 && rin_ != 0) {
    if (DbDeleteRecord(rin_, db::kCitation) != 1) return false;  // still there and shown
    if (deleted) *deleted = true;
  }
  const int old = position_;
  DbGetRinList(chain_, db::kCitation, owner_, letter_);
  if (chain_.empty()) {
    ClearShown();
    mode_ = 1;
    return true;
  }
  Load(std::min(old, Count()));
  return false;
}

void CSourcesForModel::Memorize() {
  CCitationRecord& m = MemorizedCitation();
  m.Clear();
  m.pageText = shown_.pageText;
  m.entryDate = shown_.entryDate;
  m.quality = shown_.quality;
  m.detailText = shown_.detailText;
  m.comments = shown_.comments;
  m.actualText = shown_.actualText;
  m.formatCode = shown_.formatCode;
  m.sourceRin = shown_.sourceRin;
  m.ownerLetter = letter_;
  m.ownerNumber = owner_;
  m.secondOwnerNumber = second_;
}

bool CSourcesForModel::PasteMemorized(const notes::EditGate& gate) {
  if (!HasMemorizedCitation()) return false;
  if (!BeginNew(gate)) return false;
  CopyTexts(MemorizedCitation());
  shown_.sourceRin = MemorizedCitation().sourceRin;
  LoadSource();
  return true;
}

bool CSourcesForModel::Ok(const notes::EditGate& gate) {
  return Save(false, gate) == SaveAnswer::kDone;
}

}  // namespace sources
