#include "ParentLinks.h"

#include <algorithm>
#include <utility>

#include "DbCalls.h"
#include "FamilyLines.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "OrdinanceObject.h"
#include "TempleTable.h"

namespace {

std::string GivenNamesFirst(std::int32_t rin, const plat::TextMeasure* measure, int pixels) {
  CIndividualRecord person;
  if (rin == 0 || DbGetRecord(rin, db::kIndividual, &person) != 1) return std::string();
  if (measure != nullptr)
    return FittedName(person, CIndividualNode::kMaxNameChars, pixels, measure);
  return person.GetName(0, false, 0, false);
}

}  // namespace

bool CParentLinkList::Load(std::int32_t rin, std::int32_t shownMrin) {
  links_.clear();
  lone_.clear();
  current_ = -1;
  orderChanged_ = false;
  rin_ = rin;
  CIndividualRecord person;
  if (rin <= 0 || DbGetRecord(rin, db::kIndividual, &person) != 1) return false;
  const std::int32_t primaryMrin = person.numbers[CIndividualRecord::kParentsMrin];
  storedHead_ = person.numbers[CIndividualRecord::kParentLink];

  std::vector<std::int32_t> numbers;
  DbGetRelationList(numbers, db::kRelFamilyLinks, db::kRelParents, rin, 0);
  for (std::int32_t n : numbers) {
    Entry entry;
    entry.link = std::make_unique<CFamilyLinkRecord>();
    if (DbGetRecord(n, db::kFamilyLink, entry.link.get()) != 1) continue;
    if (entry.link->mrin == 0) {
      lone_.push_back(n);
      continue;
    }
    links_.push_back(std::move(entry));
  }
  const std::int32_t wanted = shownMrin != 0 ? shownMrin : primaryMrin;
  for (int i = 0; i < Count(); ++i)
    if (links_[i].link->mrin == wanted) {
      current_ = i;
      break;
    }
  if (current_ < 0 && !links_.empty()) current_ = 0;
  return true;
}

void CParentLinkList::SetIndividual(CIndividualNode* node) {
  node_ = node;
  SyncIndividual();
}

const CParentLinkList::Entry* CParentLinkList::Find(std::int32_t n) const {
  for (const Entry& entry : links_)
    if (entry.link->linkNumber == n) return &entry;
  return nullptr;
}

void CParentLinkList::SyncIndividual() {
  CIndividualLinks* links = node_ != nullptr ? node_->GetLinks() : nullptr;
  if (links == nullptr) return;
  const Entry* head = storedHead_ != 0 ? Find(storedHead_) : nullptr;
  links->parentFamilyCount = static_cast<std::int16_t>(Count());
  links->parentLink = head != nullptr ? storedHead_ : 0;
  links->parentsMrin = head != nullptr ? head->link->mrin : 0;
  // Parents the views chose to show that are no longer a parent family.
  if (links->chosenParentsMrin != 0 &&
      std::none_of(links_.begin(), links_.end(),
                   [&](const Entry& e) { return e.link->mrin == links->chosenParentsMrin; }))
    links->chosenParentsMrin = 0;
  // The sealing to parents is the primary link's; bits 4 and 5 of the
  // ordinance flags hold its state.
  const COrdinanceObject* sealing = head != nullptr ? head->link->GetSealingEvent() : nullptr;
  const CDateValue none;
  const int state = CDateValue::GetOrdinanceState(sealing != nullptr ? &sealing->date : &none, 'P');
  links->ordinanceFlags = static_cast<std::uint16_t>((links->ordinanceFlags & ~0x30u) | state << 4);
  if (CIndividualDetails* details = links->details.get()) {
    if (sealing == nullptr || (!sealing->date.IsSet() && sealing->templeCode.empty() &&
                               sealing->firstCitation == 0 && sealing->secondNumber == 0)) {
      details->sealingToParents.reset();
    } else {
      if (!details->sealingToParents)
        details->sealingToParents = std::make_unique<CSealingToParentsOrdinance>();
      details->sealingToParents->date = sealing->date;
      details->sealingToParents->templeCode = sealing->templeCode;
      details->sealingToParents->firstCitation = sealing->firstCitation;
      details->sealingToParents->secondNumber = sealing->secondNumber;
    }
  }
}

void CParentLinkList::MakePrimary(int i) {
  if (!CanMakePrimary(i)) return;
  std::rotate(links_.begin(), links_.begin() + i, links_.begin() + i + 1);
  current_ = 0;
  orderChanged_ = true;
}

bool CParentLinkList::MoveCurrent(int step) {
  if (current_ < 0 || step == 0) return false;
  const int to = current_ + (step < 0 ? -1 : 1);
  if (to < 0 || to >= Count()) return false;
  std::swap(links_[current_], links_[to]);
  current_ = to;
  orderChanged_ = true;
  return true;
}

bool CParentLinkList::WarnsSecondBiological(char letter) const {
  if (current_ < 0 || letter != 'b') return false;
  if (links_[current_].link->firstParentRelation == 'b') return false;
  for (int i = 0; i < Count(); ++i)
    if (i != current_ && links_[i].link->firstParentRelation == 'b') return true;
  return false;
}

bool CParentLinkList::RelationshipDiffers(char letter) const {
  return current_ >= 0 && links_[current_].link->firstParentRelation != letter;
}

void CParentLinkList::SetRelationship(char letter) {
  if (!RelationshipDiffers(letter)) return;
  CFamilyLinkRecord& link = *links_[current_].link;
  link.firstParentRelation = letter;
  link.secondParentRelation = letter;
  links_[current_].changed = true;
}

namespace {

// The sealing to parents' date category, as its ordinance rows use.
constexpr int kSealingCategory = 2;

std::string TempleOf(const std::string& typed) {
  std::string code = NormalizeTempleCode(typed);
  if (code.size() > 5) code.resize(5);
  return code;
}

}  // namespace

std::string CParentLinkList::SealingDateText() const {
  const COrdinanceObject* sealing =
      current_ >= 0 ? links_[current_].link->GetSealingEvent() : nullptr;
  return sealing != nullptr ? sealing->GetDateString() : std::string();
}

std::string CParentLinkList::SealingTemple() const {
  const COrdinanceObject* sealing =
      current_ >= 0 ? links_[current_].link->GetSealingEvent() : nullptr;
  return sealing != nullptr ? sealing->templeCode : std::string();
}

std::int32_t CParentLinkList::SealingFirstCitation() const {
  const COrdinanceObject* sealing =
      current_ >= 0 ? links_[current_].link->GetSealingEvent() : nullptr;
  return sealing != nullptr ? sealing->firstCitation : 0;
}

bool CParentLinkList::SealingDiffers(const std::string& dateText, const std::string& temple) const {
  if (current_ < 0) return false;
  const COrdinanceObject* sealing = links_[current_].link->GetSealingEvent();
  COrdinanceObject typed(nullptr, 'S');
  typed.SetDateText(dateText, true, kSealingCategory, true);
  if (sealing == nullptr) return typed.date.IsSet() || !TempleOf(temple).empty();
  return !typed.date.Equals(sealing->date) || TempleOf(temple) != sealing->templeCode;
}

void CParentLinkList::SetSealing(const std::string& dateText, const std::string& temple) {
  if (!SealingDiffers(dateText, temple)) return;
  CFamilyLinkRecord& link = *links_[current_].link;
  if (link.GetSealingEvent() == nullptr)
    link.SetSealingEvent(std::make_unique<COrdinanceObject>(nullptr, 'S'));
  COrdinanceObject* sealing = link.GetSealingEvent();
  sealing->SetDateText(dateText, true, kSealingCategory, true);
  sealing->templeCode = TempleOf(temple);
  links_[current_].changed = true;
}

void CParentLinkList::SetSealingFirstCitation(std::int32_t citation) {
  if (current_ < 0) return;
  CFamilyLinkRecord& link = *links_[current_].link;
  if (link.GetSealingEvent() == nullptr)
    link.SetSealingEvent(std::make_unique<COrdinanceObject>(nullptr, 'S'));
  link.GetSealingEvent()->firstCitation = citation;
}

bool CParentLinkList::StoreCurrent() {
  if (current_ < 0 || !links_[current_].changed) return true;
  CFamilyLinkRecord& link = *links_[current_].link;
  if (DbUpdateRecord(link.linkNumber, db::kFamilyLink, &link, 0) != 1) return false;
  links_[current_].changed = false;
  SyncIndividual();
  return true;
}

bool CParentLinkList::UnlinkCurrent() {
  if (current_ < 0) return false;
  const CFamilyLinkRecord removed = [&] {
    CFamilyLinkRecord copy;
    copy.mrin = links_[current_].link->mrin;
    copy.linkNumber = links_[current_].link->linkNumber;
    copy.nextInParents = links_[current_].link->nextInParents;
    return copy;
  }();
  if (DbUnSetRelation(removed.mrin, rin_, db::kRelChildren) < 0) return false;
  links_.erase(links_.begin() + current_);
  // The engine has closed the ring over the removed link; keep our copies
  // of the next numbers in step with it.
  for (Entry& entry : links_)
    if (entry.link->nextInParents == removed.linkNumber)
      entry.link->nextInParents = removed.nextInParents;
  // The engine makes the removed head's next link the head.
  if (links_.empty())
    storedHead_ = 0;
  else if (storedHead_ == removed.linkNumber)
    storedHead_ = removed.nextInParents != removed.linkNumber ? removed.nextInParents : 0;
  if (links_.empty()) {
    current_ = -1;
    orderChanged_ = false;
  } else if (current_ >= Count()) {
    current_ = Count() - 1;
  }
  SyncIndividual();
  return true;
}

bool CParentLinkList::AppendLink(std::int32_t linkNumber) {
  Entry entry;
  entry.link = std::make_unique<CFamilyLinkRecord>();
  if (DbGetRecord(linkNumber, db::kFamilyLink, entry.link.get()) != 1) return false;
  // A link without parents takes the first parents given.
  std::erase(lone_, linkNumber);
  if (!links_.empty()) links_.back().link->nextInParents = linkNumber;
  links_.push_back(std::move(entry));
  current_ = Count() - 1;
  // The first parent family heads the chain.
  if (storedHead_ == 0 || Find(storedHead_) == nullptr) storedHead_ = linkNumber;
  SyncIndividual();
  return true;
}

bool CParentLinkList::Save() {
  if (links_.empty()) return true;
  bool ok = true;
  for (Entry& entry : links_) {
    if (!entry.changed) continue;
    if (DbUpdateRecord(entry.link->linkNumber, db::kFamilyLink, entry.link.get(), 0) != 1)
      ok = false;
    else
      entry.changed = false;
  }
  if (orderChanged_) {
    std::vector<std::int32_t> order;
    for (const Entry& entry : links_) order.push_back(entry.link->linkNumber);
    order.insert(order.end(), lone_.begin(), lone_.end());
    if (DbSetOrder(rin_, order, db::kRelParents, static_cast<int>(order.size())) != 1) return false;
    for (int i = 0; i < Count(); ++i)
      links_[i].link->nextInParents = links_[(i + 1) % Count()].link->linkNumber;
    storedHead_ = links_.front().link->linkNumber;
    orderChanged_ = false;
  }
  SyncIndividual();
  return ok;
}

std::string CParentLinkList::LineText(int i, const plat::TextMeasure* measure,
                                      int namePixels) const {
  const CFamilyLinkRecord& link = *links_[i].link;
  std::string line = i == 0 ? "*" : " ";
  line += "\t" + std::to_string(link.mrin);
  if (!link.HasFamily()) return line;
  CMarriageRecord marriage;
  if (DbGetRecord(link.mrin, db::kMarriage, &marriage) != 1) return line;
  line += "\t" + GivenNamesFirst(marriage.husband, measure, namePixels) + "\t" +
          GivenNamesFirst(marriage.wife, measure, namePixels);
  return line;
}

std::string JoinStreetAddress(const std::string& line1, const std::string& line2) {
  return line2.empty() ? line1 : line1 + "\r\n" + line2;
}

void SplitStreetAddress(const std::string& text, std::string& line1, std::string& line2) {
  const std::size_t at = text.find("\r\n");
  if (at != std::string::npos && at > 0) {
    line1 = text.substr(0, at);
    line2 = text.substr(at + 2);
  } else {
    line1 = text;
    line2.clear();
  }
}
