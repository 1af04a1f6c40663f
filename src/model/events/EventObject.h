#pragma once
// The one interface through which the in-memory individual and marriage, the
// editing screens, reports and transfers handle every event and ordinance.
// Two families sit under it: dated places (PlaceEventObject.h) and
// ordinances with a temple (OrdinanceObject.h); EventKinds.h has one class
// per event kind. The user event record is an event object as well.
//
// The record operations answer 0: event objects are not records of their own.

#include <cstdint>
#include <string>
#include <string_view>

#include "DateValue.h"
#include "PersistentObject.h"
#include "RecordObject.h"

class CTempleTable;

class CEventObject : public CRecordObject, public CPersistentObject {
 public:
  ~CEventObject() override = default;

  // Selects the status words valid for the kind: 5 death, 4 marriage,
  // 1 baptism and endowment, 2 sealing to parents, 3 sealing to spouse,
  // 0 the others.
  virtual int GetCategory() const { return 0; }
  // The date in the user's style; "" when it is not set.
  virtual std::string GetDateText() const;
  virtual CDateValue* GetDate() { return &date; }
  virtual const CDateValue* GetDate() const { return &date; }
  // The second date of kinds that have one (user events); else the date.
  virtual CDateValue* GetSecondDate() { return &date; }
  // The string of the label id; "" for 0.
  virtual std::string GetLabel() const;
  virtual std::string GetDescription() const { return {}; }
  virtual std::string GetDateString() const;
  virtual std::string GetSecondDateString() const { return {}; }
  // The place as stored: joined place parts, or the temple code.
  virtual std::string GetPlace() const { return {}; }
  // The place as shown: joined place parts, or the temple's name.
  virtual std::string GetPlaceText() const { return {}; }
  virtual int GetYesNo() const { return 0; }
  virtual long GetFirstCitation() const { return 0; }
  // The kind character stored in the object (burial 'U', marriage 'M',
  // baptism 'B'); it travels into the ordinance value.
  virtual char GetKind() const { return kind; }
  virtual void SetDescription(std::string_view /*text*/) {}
  // Takes a typed date for the given category (parseIntoThis as in
  // CDateValue::CheckEntry, which rewrites a standard date in the user's
  // style, without prompt). Returns the text as rewritten.
  virtual std::string SetDateText(std::string_view text, bool parseIntoThis, int category,
                                  bool useDisplayOrder);
  virtual void SetDate(const CDateValue& value) { date = value; }
  // 1 when text is a standard or empty date for the object's category; 0
  // with error set otherwise.
  virtual int ValidateDate(std::string_view text, std::string& error) const;
  virtual int ValidateSecondDate(std::string_view /*text*/, std::string& /*error*/) const {
    return 0;
  }
  // Takes a typed place (or temple code, checked against temples when given).
  // 1 accepted; 0 with error set when the temple code is not in the table (the
  // code is stored all the same).
  virtual int SetPlaceText(std::string_view /*text*/, const CTempleTable* /*temples*/,
                           std::string& /*error*/) {
    return 0;
  }
  virtual int PlaceEquals(std::string_view /*text*/) const { return 0; }
  virtual void SetYesNo(int /*yes*/) {}
  virtual void SetFirstCitation(long /*citation*/) {}
  virtual void SetKind(char newKind) { kind = newKind; }
  // The class's letter: B birth, C christening, D death, R burial,
  // G marriage, A baptism, E endowment, S sealing to spouse, P sealing to
  // parents; 0 for the plain families.
  virtual char GetKindLetter() const { return 0; }
  virtual long GetOwnerNumber() const { return 0; }

  std::int32_t labelId = 0;  // string id of the label, 0 = none
  std::int32_t value = 0;    // three numbers carried with the object
  std::int32_t value2 = 0;
  std::int32_t value3 = 0;
  char kind = 0;
  CDateValue date;

 protected:
  CEventObject() = default;
  CEventObject(const CEventObject&) = default;
  CEventObject& operator=(const CEventObject&) = default;
};
