#include "UserEventRecord.h"

CUserEventRecord::CUserEventRecord(long newValue) {
  value = static_cast<std::int32_t>(newValue);
  Clear();
}

CUserEventRecord::CUserEventRecord(long ownerNumber, char ownerKind, long eventTypeNumber,
                                   long newValue)
    : eventTypeNumber(static_cast<std::int32_t>(eventTypeNumber)),
      ownerNumber(static_cast<std::int32_t>(ownerNumber)),
      ownerKind(ownerKind),
      event(std::make_unique<CPlaceEventObject>()) {
  value = static_cast<std::int32_t>(newValue);
}

void CUserEventRecord::Clear() {
  recordNumber = 0;
  number2 = 0;
  number3 = 0;
  eventTypeNumber = 0;
  ownerNumber = 0;
  ownerKind = ' ';
  yesNo = 0;
  event = std::make_unique<CPlaceEventObject>();
}

int CUserEventRecord::Compare(const CPersistentObject* other) const {
  if (other == nullptr) return -1;
  // A record without an event (or another kind of object) counts as undated.
  static const CDateValue kNoDate;
  const auto* otherEvent = dynamic_cast<const CEventObject*>(other);
  const CDateValue* otherDate = otherEvent != nullptr ? otherEvent->GetDate() : nullptr;
  const CDateValue* ownDate = GetDate();
  return (ownDate != nullptr ? *ownDate : kNoDate)
      .CompareOrder(otherDate != nullptr ? *otherDate : kNoDate);
}

std::string CUserEventRecord::GetDateString() const {
  return event ? event->GetDateString() : std::string();
}

std::string CUserEventRecord::GetPlace() const { return event ? event->GetPlace() : std::string(); }

int CUserEventRecord::ValidateDate(std::string_view text, std::string& error) const {
  return event ? event->ValidateDate(text, error) : 0;
}

int CUserEventRecord::ValidateSecondDate(std::string_view text, std::string& error) const {
  return secondDate.ValidateText(text, GetCategory(), error);
}

int CUserEventRecord::SetPlaceText(std::string_view text, const CTempleTable* /*temples*/,
                                   std::string& error) {
  return event ? event->SetPlaceText(text, nullptr, error) : 0;
}

namespace {

EventTypeReader eventTypeReader = nullptr;

// The event type of a number; null when it cannot be read.
std::unique_ptr<CEventTypeRecord> ReadEventType(std::int32_t number) {
  if (number == 0 || eventTypeReader == nullptr) return nullptr;
  return eventTypeReader(number);
}

}  // namespace

void SetEventTypeReader(EventTypeReader reader) { eventTypeReader = reader; }

std::string CUserEventRecord::GetLabel() const {
  const auto record = ReadEventType(eventTypeNumber);
  return record ? record->title : std::string();
}

CEventTypeRecord* CUserEventRecord::GetEventType(std::unique_ptr<CEventTypeRecord>* out) {
  if (out) {
    *out = ReadEventType(eventTypeNumber);
    return out->get();
  }
  if (!eventType || eventType->recordNumber != eventTypeNumber)
    eventType = ReadEventType(eventTypeNumber);
  return eventType.get();
}
