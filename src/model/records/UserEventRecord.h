#pragma once
// The user event record (record type 139): an event of a custom kind (an
// event type record) attached to an individual or a marriage, with its date,
// place, description and a second date of its own. It is an event object
// itself; its date, place and first citation live in an owned dated-place
// event object, and in sorted arrays it orders by that event's date.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "DateValue.h"
#include "DbCodes.h"
#include "EventObject.h"
#include "EventTypeRecord.h"
#include "PlaceEventObject.h"

// Reads event type number from the open family file; null when it cannot be
// read. The database installs its reader, so that user events find their
// types' titles while the model itself knows no file; without one, every
// event type is unreadable.
using EventTypeReader = std::unique_ptr<CEventTypeRecord> (*)(std::int32_t number);
void SetEventTypeReader(EventTypeReader reader);

class CUserEventRecord : public CEventObject {
 public:
  static constexpr int kRecordType = db::kUserEvent;

  // value is kept in the event object's value field; the rest as after Clear.
  explicit CUserEventRecord(long value = 0);
  // A new event of the given type for an owner; the further numbers and the
  // yes/no letter 0, an empty event.
  CUserEventRecord(long ownerNumber, char ownerKind, long eventTypeNumber, long value);
  CUserEventRecord(const CUserEventRecord&) = delete;
  CUserEventRecord& operator=(const CUserEventRecord&) = delete;
  ~CUserEventRecord() override = default;

  long GetRecordNumber() const override { return recordNumber; }
  long SetRecordNumber(long n) override {
    recordNumber = static_cast<std::int32_t>(n);
    return n;
  }
  int GetRecordType() const override { return kRecordType; }

  // Numbers 0, owner kind a blank, yes/no letter 0, a new empty event. The
  // second date and the texts stay.
  void Clear();

  // Orders by the dates of the two records' events
  // (CDateValue::CompareOrder); -1 for null.
  int Compare(const CPersistentObject* other) const override;

  // The event's date, place and first citation; null only after
  // SetEvent(nullptr).
  CPlaceEventObject* GetEvent() { return event.get(); }
  const CPlaceEventObject* GetEvent() const { return event.get(); }
  // Replaces the event by the one the engine built (the old one is freed).
  void SetEvent(std::unique_ptr<CPlaceEventObject> newEvent) { event = std::move(newEvent); }

  // The event's date (null without an event) and the record's second date.
  CDateValue* GetDate() override { return event ? &event->date : nullptr; }
  const CDateValue* GetDate() const override { return event ? &event->date : nullptr; }
  CDateValue* GetSecondDate() override { return &secondDate; }

  // The title of its event type, read from the family file; "" when it
  // cannot be read.
  std::string GetLabel() const override;
  // Its event type read from the family file. With out: a new record handed
  // to the caller (*out, null when it cannot be read). Without: the one the
  // record keeps, read on first use and again when the number changed. The
  // record read, or null.
  CEventTypeRecord* GetEventType(std::unique_ptr<CEventTypeRecord>* out = nullptr);

  std::string GetDescription() const override { return description; }
  void SetDescription(std::string_view text) override { description = text; }

  // The event's date string; "" without an event.
  std::string GetDateString() const override;
  // The second date in the user's style; "" when it is not set.
  std::string GetSecondDateString() const override { return secondDate.ToString(); }
  // The event's place; "" without an event.
  std::string GetPlace() const override;
  std::string GetPlaceText() const override { return GetPlace(); }
  // Checks a typed date for the event (0 without an event).
  int ValidateDate(std::string_view text, std::string& error) const override;
  // Checks a typed second date, with the record's category.
  int ValidateSecondDate(std::string_view text, std::string& error) const override;
  // The event's place from text (0 without an event); no temple check.
  int SetPlaceText(std::string_view text, const CTempleTable* temples, std::string& error) override;

  // 1 when the yes/no letter is 'Y'; setting stores 'Y' or 'N'.
  int GetYesNo() const override { return yesNo == 'Y' ? 1 : 0; }
  void SetYesNo(int yes) override { yesNo = yes ? 'Y' : 'N'; }

  // The event's first citation; 0, or nothing stored, without an event.
  long GetFirstCitation() const override { return event ? event->firstCitation : 0; }
  void SetFirstCitation(long citation) override {
    if (event) event->firstCitation = static_cast<std::int32_t>(citation);
  }

  char GetKindLetter() const override { return 'U'; }
  long GetOwnerNumber() const override { return ownerNumber; }

  std::int32_t recordNumber = 0;
  std::int32_t number2 = 0;
  std::int32_t number3 = 0;
  std::int32_t eventTypeNumber = 0;  // the event type record (type 141)
  std::int32_t ownerNumber = 0;      // RIN or MRIN of the owner
  char ownerKind = ' ';              // kOwnerIndividual or kOwnerMarriage
  char yesNo = 0;                    // 'Y', 'N' or 0
  CDateValue secondDate;
  std::string text1;
  std::string description;
  std::string text3;

 private:
  std::unique_ptr<CPlaceEventObject> event;
  std::unique_ptr<CEventTypeRecord> eventType;  // kept by GetEventType
};
