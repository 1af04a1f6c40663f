#include "PlaceEventObject.h"

#include "FitUnit.h"

CPlaceEventObject::CPlaceEventObject(const CEventValue* value, char newKind) {
  if (value != nullptr) {
    date = value->date;
    for (int i = 0; i < 4; ++i) place[i] = value->place[i];
    firstCitation = value->firstCitation;
    secondNumber = value->secondNumber;
  }
  kind = newKind;
}

CPlaceEventObject CPlaceEventObject::PlaceEventObjectFrom(char kind, const CEventValue* value) {
  return CPlaceEventObject(value, kind);
}

CPlaceEventObject::CPlaceEventObject(const CPlaceEventObject& other, bool withNumbers)
    : CEventObject(other) {
  for (int i = 0; i < 4; ++i) place[i] = other.place[i];
  if (withNumbers) {
    firstCitation = other.firstCitation;
    secondNumber = other.secondNumber;
  }
}

std::string CPlaceEventObject::GetPlace() const {
  return JoinPlaceParts(place[0], place[1], place[2], place[3], ", ");
}

int CPlaceEventObject::SetPlaceText(std::string_view text, const CTempleTable* /*temples*/,
                                    std::string& /*error*/) {
  SplitPlaceParts(text, place);
  return 1;
}

bool CPlaceEventObject::IsPlaceEmpty() const {
  for (const std::string& part : place)
    if (!part.empty()) return false;
  return true;
}

std::string CPlaceEventObject::FormatDatePlace(int charLimit, const plat::TextMeasure* dc,
                                               int pixelWidth, long number) const {
  const std::string dateText = GetDateText();
  const std::string head = dateText.empty() ? std::string("- ") : dateText + " - ";
  const std::string tail = number != 0 ? " -- " + std::to_string(number) : std::string();
  // Without a measure every width is 0 and the room is 3 pixels, enough for
  // the three separators of a full place.
  if (dc == nullptr) pixelWidth = 3;
  const int headWidth = dc != nullptr ? dc->TextWidth(head) : 0;
  const int tailWidth = dc != nullptr ? dc->TextWidth(tail) : 0;
  const int usedChars = static_cast<int>(head.size() + tail.size());
  if (usedChars < charLimit && headWidth + tailWidth < pixelWidth) {
    return head + FitPlace(charLimit - usedChars, ", ", dc, pixelWidth - headWidth - tailWidth) +
           tail;
  }
  return number != 0 ? head + std::to_string(number) : head;
}

std::string CPlaceEventObject::FormatDateFitted(int pixelWidth, const plat::TextMeasure* dc) const {
  if (!date.IsSet()) return {};
  if (dc == nullptr) return date.Format();
  return date.FormatFitted(pixelWidth,
                           [dc](const std::string& text) { return dc->TextWidth(text); });
}

std::string CPlaceEventObject::FitPlace(int charLimit, std::string_view separator,
                                        const plat::TextMeasure* dc, int pixelWidth) const {
  return FitPlaceParts(place, charLimit, separator, dc, pixelWidth);
}
