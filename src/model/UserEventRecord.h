#pragma once
// The user event record (record type 139): an event of a custom kind (an
// event type record) attached to an individual or a marriage, with its date,
// place, description and a second date of its own.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "DateValue.h"
#include "EventValue.h"
#include "RecordObject.h"

class CUserEventRecord : public CRecordObject {
 public:
  static constexpr int kRecordType = 139;

  // value is kept for the event part; the rest as after Clear.
  explicit CUserEventRecord(long value = 0);
  // A new event of the given type for an owner; the further numbers and the
  // yes/no letter 0, an empty event.
  CUserEventRecord(long ownerNumber, char ownerKind, long eventTypeNumber, long value);
  CUserEventRecord(const CUserEventRecord&) = delete;
  CUserEventRecord& operator=(const CUserEventRecord&) = delete;
  ~CUserEventRecord() = default;

  long GetRecordNumber() const override { return recordNumber; }
  long SetRecordNumber(long n) override {
    recordNumber = static_cast<std::int32_t>(n);
    return n;
  }
  int GetRecordType() const override { return kRecordType; }

  // Numbers 0, owner kind a blank, yes/no letter 0, a new empty event. The
  // second date and the texts stay.
  void Clear();

  // The event's date, place and first citation; null only after
  // SetEvent(nullptr).
  CEventValue* GetEvent() { return event.get(); }
  const CEventValue* GetEvent() const { return event.get(); }
  // Replaces the event by the one the engine built (the old one is freed).
  void SetEvent(std::unique_ptr<CEventValue> newEvent) { event = std::move(newEvent); }

  // The event's date (null without an event) and the record's second date.
  CDateValue* GetDate() { return event ? &event->date : nullptr; }
  CDateValue* GetSecondDate() { return &secondDate; }

  std::string GetDescription() const { return description; }
  void SetDescription(std::string_view text) { description = text; }

  // 1 when the yes/no letter is 'Y'; setting stores 'Y' or 'N'.
  int GetYesNo() const { return yesNo == 'Y' ? 1 : 0; }
  void SetYesNo(int yes) { yesNo = yes ? 'Y' : 'N'; }

  // The event's first citation; 0, or nothing stored, without an event.
  long GetFirstCitation() const { return event ? event->firstCitation : 0; }
  void SetFirstCitation(long citation) {
    if (event) event->firstCitation = static_cast<std::int32_t>(citation);
  }

  char GetKindLetter() const { return 'U'; }
  long GetOwnerNumber() const { return ownerNumber; }

  long value;  // the value given at construction
  std::int32_t recordNumber = 0;
  std::int32_t number2 = 0;
  std::int32_t number3 = 0;
  std::int32_t eventTypeNumber = 0;  // the event type record (type 141)
  std::int32_t ownerNumber = 0;      // RIN or MRIN of the owner
  char ownerKind = ' ';              // 'I' individual, 'M' marriage
  char yesNo = 0;                    // 'Y', 'N' or 0
  CDateValue secondDate;
  std::string text1;
  std::string description;
  std::string text3;

 private:
  std::unique_ptr<CEventValue> event;
};
