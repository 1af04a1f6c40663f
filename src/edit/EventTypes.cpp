#include "EventTypes.h"

#include <algorithm>

#include "CodePage.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

bool SortsBefore(const std::string& a, const std::string& b) {
  const std::string la = plat::AnsiLower(a), lb = plat::AnsiLower(b);
  return la != lb ? la < lb : a < b;
}

std::string ShortKey(const CEventTypeRecord& type) {
  return EventTypeNames::Key(type.shortTitle.empty() ? type.title : type.shortTitle);
}

}  // namespace

std::string EventTypeNames::Key(const std::string& text) { return plat::AnsiLower(text); }

std::string BuildEventSample(char ownerKind, const std::string& verb,
                             const std::string& preposition, bool useDescription, int dateKind) {
  std::string s = res::LoadString(ownerKind == 'I' ? res::kIdsHe : res::kIdsThey);
  s += ' ';
  s += verb;
  s += ' ';
  if (useDescription) s += res::LoadString(res::kIdsSampleDescription) + ' ';
  if (dateKind == 1) s += res::LoadString(res::kIdsSingleDate) + ' ';
  if (dateKind == 2) s += res::LoadString(res::kIdsSampleDateRange) + ' ';
  s += preposition;
  s += ' ';
  s += res::LoadString(res::kIdsSamplePlace);
  s += '.';
  return s;
}

EventTypeCheck CheckEventTypeFields(const EventTypeFields& fields, const std::string& oldTitleKey,
                                    const std::string& oldShortKey, const EventTypeNames& names) {
  using namespace eventtype;
  EventTypeCheck check;
  auto fail = [&check](int id, EventTypeField field, unsigned flags, const std::string& insert) {
    check.messageId = id;
    check.field = field;
    check.flags = flags;
    check.message = insert.empty() ? res::LoadString(id) : res::FormatString(id, {insert});
    return check;
  };
  const unsigned warn = plat::kMbOk | plat::kMbIconExclamation;
  const std::string titleKey = EventTypeNames::Key(fields.title);
  if (!fields.predefined && titleKey != oldTitleKey && names.titles.count(titleKey) != 0)
    return fail(res::kIdsTitleUsed, EventTypeField::kTitle, plat::kMbOk, fields.title);
  if (fields.title.empty()) return fail(res::kIdsNoTitle, EventTypeField::kTitle, warn, "");
  if (fields.shortTitle.empty())
    return fail(res::kIdsNoShortTitle, EventTypeField::kShortTitle, warn, "");
  if (fields.abbreviation.empty())
    return fail(res::kIdsNoAbbreviation, EventTypeField::kAbbreviation, warn, "");
  if (fields.verb.empty()) return fail(res::kIdsNoVerb, EventTypeField::kVerb, warn, "");
  if (fields.preposition.empty())
    return fail(res::kIdsNoPreposition, EventTypeField::kPreposition, warn, "");
  const std::string shortKey = EventTypeNames::Key(fields.shortTitle);
  if (shortKey != oldShortKey && names.shortTitles.count(shortKey) != 0)
    return fail(res::kIdsShortTitleUsed, EventTypeField::kShortTitle, plat::kMbOk,
                fields.shortTitle);
  return check;
}

void CEventTypeList::Load(char ownerKind, std::int32_t preselect) {
  ownerKind_ = ownerKind;
  types_.clear();
  names_ = EventTypeNames();
  selection_ = -1;
  std::vector<CEventTypeRecord> all;
  DbGetRecord(0, db::kEventTypeList, &all);
  for (const CEventTypeRecord& listed : all) {
    auto type = std::make_unique<CEventTypeRecord>();
    if (DbGetRecord(listed.recordNumber, db::kEventType, type.get()) != 1) continue;
    if (type->ownerKind != ownerKind) continue;
    names_.titles.insert(EventTypeNames::Key(type->title));
    names_.shortTitles.insert(ShortKey(*type));
    const std::int32_t number = type->recordNumber;
    const int index = InsertSorted(std::move(type));
    if (number == preselect) {
      selection_ = index;
      preselect = -1;
    } else if (selection_ >= index) {
      ++selection_;
    }
  }
  if (selection_ < 0 && !types_.empty()) selection_ = 0;
}

int CEventTypeList::InsertSorted(std::unique_ptr<CEventTypeRecord> type) {
  const auto at = std::upper_bound(
      types_.begin(), types_.end(), type,
      [](const auto& a, const auto& b) { return SortsBefore(a->title, b->title); });
  const int index = static_cast<int>(at - types_.begin());
  types_.insert(at, std::move(type));
  return index;
}

std::int32_t CEventTypeList::SelectedNumber() const {
  return selection_ >= 0 && selection_ < GetCount() ? types_[selection_]->recordNumber : -1;
}

std::vector<std::string> CEventTypeList::Titles() const {
  std::vector<std::string> titles;
  for (const auto& type : types_) titles.push_back(type->title);
  return titles;
}

EventTypeFields CEventTypeList::FieldsOf(int index) const {
  const CEventTypeRecord& type = *types_[index];
  EventTypeFields f;
  f.title = type.title;
  f.shortTitle = type.shortTitle.empty() ? type.title : type.shortTitle;
  f.abbreviation = type.abbreviation;
  f.verb = type.verbPhrase;
  f.preposition = type.placePreposition;
  f.dateKind = type.dateKind;
  f.useDescription = type.hasDescription != 0;
  f.predefined = type.hasTag != 0;
  return f;
}

int CEventTypeList::Add(const EventTypeFields& fields) {
  auto type = std::make_unique<CEventTypeRecord>();
  type->title = fields.title;
  type->shortTitle = fields.shortTitle;
  type->abbreviation = fields.abbreviation;
  type->hasDescription = fields.useDescription ? 1 : 0;
  type->dateKind = static_cast<std::uint8_t>(fields.dateKind);
  type->verbPhrase = fields.verb;
  type->placePreposition = fields.preposition;
  type->ownerKind = ownerKind_;
  const std::int32_t number = DbAddRecord(db::kEventType, 0, type.get());
  if (number <= 0) return -1;
  type->recordNumber = number;
  names_.titles.insert(EventTypeNames::Key(type->title));
  names_.shortTitles.insert(EventTypeNames::Key(type->shortTitle));
  selection_ = InsertSorted(std::move(type));
  return selection_;
}

int CEventTypeList::Update(int index, const EventTypeFields& fields) {
  if (index < 0 || index >= GetCount()) return -1;
  std::unique_ptr<CEventTypeRecord> type = std::move(types_[index]);
  types_.erase(types_.begin() + index);
  const std::string oldTitle = EventTypeNames::Key(type->title);
  if (EventTypeNames::Key(fields.title) != oldTitle) {
    names_.titles.erase(oldTitle);
    type->title = fields.title;
    names_.titles.insert(EventTypeNames::Key(fields.title));
  }
  const std::string oldShort = ShortKey(*type);
  if (EventTypeNames::Key(fields.shortTitle) != oldShort) {
    names_.shortTitles.erase(oldShort);
    type->shortTitle = fields.shortTitle;
    names_.shortTitles.insert(EventTypeNames::Key(fields.shortTitle));
  }
  type->abbreviation = fields.abbreviation;
  type->hasDescription = fields.useDescription ? 1 : 0;
  type->dateKind = static_cast<std::uint8_t>(fields.dateKind);
  type->verbPhrase = fields.verb;
  type->placePreposition = fields.preposition;
  const int stored = DbUpdateRecord(type->recordNumber, db::kEventType, type.get(), 0);
  selection_ = InsertSorted(std::move(type));
  return stored == 1 ? selection_ : -1;
}

bool CEventTypeList::Delete(int index) {
  if (index < 0 || index >= GetCount()) return false;
  if (DbDeleteRecord(types_[index]->recordNumber, db::kEventType) != 1) return false;
  types_.erase(types_.begin() + index);
  selection_ = types_.empty() ? -1 : std::min(index, GetCount() - 1);
  return true;
}

bool CEventTypeList::CanDelete(int index, bool readOnly) const {
  return !readOnly && index >= 0 && index < GetCount() && types_[index]->hasTag == 0;
}
