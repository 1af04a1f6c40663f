#pragma once
// A ZEL ordinance (baptism, endowment, sealing to spouse, sealing to
// parents): a date or status and a temple code.

#include <cstdint>
#include <string>
#include <string_view>

#include "EventObject.h"
#include "EventValue.h"

class COrdinanceObject : public CEventObject {
 public:
  // Date, temple code (upper-cased), citation and second number from value
  // (a null value leaves them empty and 0), the kind and the kind text.
  explicit COrdinanceObject(const COrdinanceValue* value = nullptr, char kind = 0,
                            const char* kindText = nullptr);
  static COrdinanceObject OrdinanceObjectOfKind(char kind, const COrdinanceValue* value,
                                                const char* kindText = nullptr);
  // Copies the base numbers, date, temple code and kind; the first citation
  // and second number only withNumbers; other's kind text unless one is
  // given.
  COrdinanceObject(const COrdinanceObject& other, bool withNumbers = true,
                   const char* kindText = nullptr);
  COrdinanceObject& operator=(const COrdinanceObject& other) = default;

  // Resets date and code, zeroes the numbers and stores kind.
  void Clear(char newKind);

  // The date text cut to 50 characters.
  std::string GetDateString() const override;
  // The temple code.
  std::string GetPlace() const override { return templeCode; }
  // The temple's name (FormatTempleName); "" without a code.
  std::string GetPlaceText() const override;
  long GetFirstCitation() const override { return firstCitation; }
  void SetFirstCitation(long citation) override {
    firstCitation = static_cast<std::int32_t>(citation);
  }
  // CDateValue::CheckEntry of the text without prompt.
  std::string SetDateText(std::string_view text, bool parseIntoThis, int category,
                          bool useDisplayOrder) override;
  int SetPlaceText(std::string_view text, const CTempleTable* temples,
                   std::string& error) override {
    return SetTempleCode(text, temples, error);
  }
  // 1 when text, normalised as a temple code, equals the code.
  int PlaceEquals(std::string_view text) const override;

  // Stores the normalised code (NormalizeTempleCode), also an invalid one.
  // With a table, a code whose first five characters match no temple's
  // (ignoring case) gives 0 and error "<text> is not a valid temple code"
  // (string 7282); else 1.
  int SetTempleCode(std::string_view text, const CTempleTable* temples, std::string& error);

  std::string templeCode;  // upper case
  std::int32_t firstCitation = 0;
  std::int32_t secondNumber = 0;
  const char* kindText = nullptr;  // supplied by the creator, not owned
};
