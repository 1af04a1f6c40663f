#pragma once
// An event with a date and a four-part place (birth, christening, death,
// burial, marriage, and the event of a user event record): with the date,
// exactly the content of a CEventValue.

#include <cstdint>
#include <string>
#include <string_view>

#include "EventObject.h"
#include "EventValue.h"
#include "TextMeasure.h"

class CPlaceEventObject : public CEventObject {
 public:
  // Date, parts, citation and second number from value (a null value
  // leaves them empty and 0), and the kind.
  explicit CPlaceEventObject(const CEventValue* value = nullptr, char kind = 0);
  static CPlaceEventObject PlaceEventObjectFrom(char kind, const CEventValue* value);
  // Copies the base numbers, date, parts and kind; the first citation and
  // second number only withNumbers.
  CPlaceEventObject(const CPlaceEventObject& other, bool withNumbers = true);
  CPlaceEventObject& operator=(const CPlaceEventObject& other) = default;
  // Copies everything.
  void Assign(const CPlaceEventObject& other) { *this = other; }

  // The place parts joined with ", ".
  std::string GetPlace() const override;
  std::string GetPlaceText() const override { return GetPlace(); }
  long GetFirstCitation() const override { return firstCitation; }
  void SetFirstCitation(long citation) override {
    firstCitation = static_cast<std::int32_t>(citation);
  }
  // Splits the text into the four parts; always 1.
  int SetPlaceText(std::string_view text, const CTempleTable* temples, std::string& error) override;
  int PlaceEquals(std::string_view text) const override { return GetPlace() == text ? 1 : 0; }

  bool IsPlaceEmpty() const;

  // "<date> - <place> -- <number>" within fewer than charLimit characters
  // and pixelWidth pixels of dc (null: no measuring); the place is fitted
  // into what the head and the tail leave, and without room for it the
  // head is followed directly by the number. number 0 means none.
  std::string FormatDatePlace(int charLimit, const plat::TextMeasure* dc, int pixelWidth,
                              long number) const;
  // The date shortened to pixelWidth; "" when it is not set.
  std::string FormatDateFitted(int pixelWidth, const plat::TextMeasure* dc) const;
  // The place fitted to the limits by the place options (FitPlaceParts).
  std::string FitPlace(int charLimit, std::string_view separator, const plat::TextMeasure* dc,
                       int pixelWidth) const;

  std::string place[4];  // most particular (town) first, country last
  std::int32_t firstCitation = 0;
  std::int32_t secondNumber = 0;
};
