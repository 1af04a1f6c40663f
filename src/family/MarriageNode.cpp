#include "MarriageNode.h"

#include "DbCalls.h"
#include "DbCodes.h"
#include "EditModels.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "RecordAccess.h"

namespace {

// An individual's record as the loaders read it; false when it cannot be read.
bool ReadIndividual(std::int32_t rin, CIndividualRecord& record, int detail, int level) {
  return DbGetRecord(rin, CIndividualRecord::kRecordType, &record, detail, db::kWalkExact, 0,
                     level == 3 ? 1 : 0) == 1;
}

}  // namespace

// ---- counting ---------------------------------------------------------------

void SetMarriageRef(CMarriageNode*& slot, CMarriageNode* marriage) {
  if (slot == marriage) return;
  CMarriageNode* old = slot;
  if (marriage != nullptr) marriage->AddRef();
  slot = marriage;
  if (old != nullptr && --old->useCount_ <= 0) std::unique_ptr<CMarriageNode> owner(old);
}

void ReleaseMarriageRef(CMarriageNode*& slot) { SetMarriageRef(slot, nullptr); }

CMarriageNode* CMarriageNode::New(const CMarriageRecord& record) {
  return std::make_unique<CMarriageNode>(record).release();
}

CMarriageNode::CMarriageNode(const CMarriageRecord& record)
    : mrin(record.numbers[CMarriageRecord::kMrin]),
      husbandRin(record.husband),
      wifeRin(record.wife),
      childCount(record.childCount),
      status(record.status),
      flags(record.flags) {
  for (int i = 0; i < 4; ++i) numbers[i] = record.numbers[1 + i];
  if (!IsOrdinanceValueEmpty(record.sealingToSpouse))
    sealing_ = std::make_unique<CSealingToSpouseOrdinance>(&record.sealingToSpouse);
  if (!IsEventValueEmpty(record.marriage))
    marriage_ = std::make_unique<CMarriageEvent>(&record.marriage);
}

CMarriageNode::~CMarriageNode() {
  ReleaseIndividualRef(husband_);
  ReleaseIndividualRef(wife_);
  ReleaseIndividualRef(childOfOrigin_);
  ReleaseLoadedChildren();
}

// ---- spouses ----------------------------------------------------------------

CIndividualNode*& CMarriageNode::SlotFor(std::int32_t rin) {
  return husbandRin == rin ? husband_ : wife_;
}

CIndividualNode* CMarriageNode::LoadSpouse(bool wantWife) {
  CIndividualNode*& slot = wantWife ? wife_ : husband_;
  if (slot != nullptr) return slot;
  std::vector<std::int32_t> spouses;
  DbGetRelation(mrin, db::kRelSpouses, 2, spouses);
  const std::size_t index = wantWife ? 1 : 0;
  if (spouses.size() <= index || spouses[index] == 0) return nullptr;
  CIndividualRecord record;
  if (family::Read(record, spouses[index]) != 1) return nullptr;
  SetIndividualRef(slot, CIndividualNode::New(record, 3, GetNodeOptions().appendVal, 480, nullptr));
  return slot;
}

CIndividualNode* CMarriageNode::GetHusband() { return LoadSpouse(false); }
CIndividualNode* CMarriageNode::GetWife() { return LoadSpouse(true); }

// ---- children ---------------------------------------------------------------

CIndividualNode* CMarriageNode::GetChild(int index) const {
  if (index < 0 || index >= static_cast<int>(children_.size())) return nullptr;
  return children_[index];
}

void CMarriageNode::AddChild(CIndividualNode* node) {
  if (node == nullptr) return;
  children_.push_back(node);
  node->AddRef();
}

void CMarriageNode::LoadChildren(int level, int suffixKind, int pixelWidth,
                                 const plat::TextMeasure* dc) {
  std::vector<std::int32_t> list;
  DbGetRelationList(list, db::kRelChildren, 0, mrin, 0);
  childCount = static_cast<std::int16_t>(list.size());
  for (std::size_t i = children_.size(); i < list.size(); ++i) {
    if (childOfOrigin_ != nullptr && childOfOrigin_->GetRin() == list[i]) {
      AddChild(childOfOrigin_);
      continue;
    }
    CIndividualRecord record;
    if (!ReadIndividual(list[i], record, 0, level)) break;
    AddChild(CIndividualNode::New(record, level, suffixKind, pixelWidth, dc));
  }
}

void CMarriageNode::ReleaseLoadedChildren() {
  std::vector<CIndividualNode*> loaded;
  loaded.swap(children_);
  for (CIndividualNode* child : loaded) ReleaseIndividualRef(child);
  childCount = -1;
}

// ---- events -----------------------------------------------------------------

CMarriageEvent* CMarriageNode::GetMarriageEvent() {
  if (!marriage_) marriage_ = std::make_unique<CMarriageEvent>();
  return marriage_.get();
}

CSealingToSpouseOrdinance* CMarriageNode::GetSealingEvent() {
  if (!sealing_) sealing_ = std::make_unique<CSealingToSpouseOrdinance>();
  return sealing_.get();
}

std::string CMarriageNode::FormatMarriage(int maxChars, const plat::TextMeasure* dc,
                                          int pixelWidth) const {
  return marriage_ ? marriage_->FormatDatePlace(maxChars, dc, pixelWidth, mrin) : std::string();
}

std::string CMarriageNode::GetMarriageDateText() const {
  return marriage_ ? marriage_->GetDateText() : std::string();
}

void CMarriageNode::SetFromScreen(const CMarriageEditValues& model) {
  status = model.divorced ? 'D' : 'M';
  CMarriageEvent* event = GetMarriageEvent();
  event->date = model.marriage.date;
  for (int i = 0; i < 4; ++i) event->place[i] = model.marriage.place[i];
  event->firstCitation = model.marriage.firstCitation;
  event->secondNumber = model.marriage.secondNumber;
  if (GetNodeOptions().showZel) {
    CSealingToSpouseOrdinance* sealing = GetSealingEvent();
    sealing->date = model.sealingToSpouse.date;
    sealing->templeCode = model.sealingToSpouse.templeCode;
    sealing->firstCitation = model.sealingToSpouse.firstCitation;
    sealing->secondNumber = model.sealingToSpouse.secondNumber;
  }
  numbers[1] = model.firstUserEvent;
  numbers[2] = model.firstNote;
}

void CMarriageRecord::SetFromNode(const CMarriageNode& node) {
  Clear();
  numbers[kMrin] = node.mrin;
  for (int i = 0; i < 4; ++i) numbers[1 + i] = node.numbers[i];
  flags = node.flags;
  if (const CMarriageEvent* event = node.GetMarriageEventIfAny()) marriage.SetFromObject(*event);
  if (const CSealingToSpouseOrdinance* sealing = node.GetSealingEventIfAny())
    sealingToSpouse.SetFromObject(*sealing);
  husband = node.husbandRin;
  wife = node.wifeRin;
  status = node.status;
}

// ---- family loading ---------------------------------------------------------

void CIndividualNode::LoadMarriages(int level, int suffixKind, int pixelWidth,
                                    const plat::TextMeasure* dc) {
  if (!links_) {
    CIndividualRecord record;
    if (DbGetRecord(rin_, CIndividualRecord::kRecordType, &record, 1, db::kWalkExact) != 1) return;
    LoadLinks(record, 2);
  }
  if (links_->marriageCount == -1)
    links_->marriageCount =
        static_cast<std::int16_t>(DbGetRelationCount(rin_, db::kRelSpouses, 1, 1));
  const int count = links_->marriageCount;
  if (count < 1) return;
  std::vector<std::int32_t> mrins;
  DbGetRelation(rin_, db::kRelMarriages, count, mrins);
  for (int i = static_cast<int>(links_->marriages.size());
       i < count && i < static_cast<int>(mrins.size()); ++i) {
    CMarriageNode* marriage = nullptr;
    if (links_->currentMarriage != nullptr && links_->currentMarriage->mrin == mrins[i]) {
      marriage = links_->currentMarriage;
    } else {
      CMarriageRecord record;
      if (mrins[i] == 0 ||
          DbGetRecord(mrins[i], CMarriageRecord::kRecordType, &record, 1, db::kWalkExact) != 1)
        break;
      marriage = CMarriageNode::New(record);
    }
    AddMarriage(marriage);
    // The side comes from the marriage's own numbers, never from the sex.
    SetIndividualRef(marriage->SlotFor(rin_), this);
    const std::int32_t spouseRin = marriage->SpouseRinOf(rin_);
    CIndividualNode*& spouseSlot =
        marriage->husbandRin == rin_ ? marriage->wife_ : marriage->husband_;
    if (spouseRin == 0 || spouseSlot != nullptr) continue;
    CIndividualRecord record;
    if (ReadIndividual(spouseRin, record, 0, level))
      SetIndividualRef(spouseSlot, New(record, level, suffixKind, pixelWidth, dc));
  }
}

void CIndividualNode::LoadParents(int level, int suffixKind, bool setCurrent, bool addRef,
                                  int pixelWidth, const plat::TextMeasure* dc) {
  if (!links_) {
    CIndividualRecord record;
    if (!ReadIndividual(rin_, record, 0, 0)) return;
    LoadLinks(record, 2);
  }
  const std::int32_t parentsMrin = links_->ParentsMrin();
  if (parentsMrin == 0) return;
  CMarriageNode* marriage = links_->parents;
  if (marriage != nullptr && marriage->mrin == parentsMrin) {
    if (addRef) {
      marriage->AddRef();
      ++marriage->extraUses_;
    }
  } else {
    CMarriageRecord record;
    if (DbGetRecord(parentsMrin, CMarriageRecord::kRecordType, &record, 0, db::kWalkExact) != 1)
      return;
    // Parents chosen anew replace the ones loaded before.
    if (links_->parents != nullptr) ReleaseParents();
    marriage = CMarriageNode::New(record);
    SetMarriageRef(links_->parents, marriage);
    if (setCurrent) SetIndividualRef(marriage->childOfOrigin_, this);
  }
  for (bool wife : {false, true}) {
    const std::int32_t parentRin = wife ? marriage->wifeRin : marriage->husbandRin;
    CIndividualNode*& slot = wife ? marriage->wife_ : marriage->husband_;
    if (parentRin == 0) continue;
    if (slot != nullptr) {
      if (addRef) slot->AddRef();
      if (level > 1 && !slot->links_) {
        CIndividualRecord record;
        if (ReadIndividual(parentRin, record, 0, 0)) slot->LoadLinks(record, 2);
      }
      continue;
    }
    CIndividualRecord record;
    if (!ReadIndividual(parentRin, record, 0, level)) continue;
    SetIndividualRef(slot, New(record, level, suffixKind, pixelWidth, dc));
    if (setCurrent && slot->links_) SetMarriageRef(slot->links_->currentMarriage, marriage);
  }
}

int CIndividualNode::ReleaseMarriages() {
  if (!links_ || links_->marriages.empty()) return 0;
  std::vector<CMarriageNode*> loaded;
  loaded.swap(links_->marriages);
  links_->marriageCount = -1;
  for (CMarriageNode*& marriage : loaded) ReleaseMarriageRef(marriage);
  return static_cast<int>(loaded.size());
}

CMarriageNode* CIndividualNode::ReleaseParents() {
  if (!links_ || links_->parents == nullptr) return nullptr;
  CMarriageNode* marriage = links_->parents;
  if (marriage->extraUses_ > 0) {
    // A second load with addRef raised the parents and the marriage once
    // more; that is taken back, and the marriage stays.
    --marriage->extraUses_;
    if (marriage->husband_ != nullptr) --marriage->husband_->refCount_;
    if (marriage->wife_ != nullptr) --marriage->wife_->refCount_;
    --marriage->useCount_;
    return marriage;
  }
  return CMarriageNode::GiveUpAsParents(links_->parents);
}

CMarriageNode* CMarriageNode::GiveUpAsParents(CMarriageNode*& slot) {
  CMarriageNode* marriage = slot;
  // The parents hold this marriage as their current one only because it was
  // loaded as someone's parents; that hold ends with it, or the marriage and
  // its parents would keep each other alive.
  for (CIndividualNode* parent : {marriage->husband_, marriage->wife_})
    if (parent != nullptr && parent->links_ && parent->links_->currentMarriage == marriage)
      ReleaseMarriageRef(parent->links_->currentMarriage);
  const bool stillUsed = marriage->useCount_ > 1;
  ReleaseMarriageRef(slot);
  return stillUsed ? marriage : nullptr;
}
