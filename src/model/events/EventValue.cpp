#include "EventValue.h"

#include "OrdinanceObject.h"
#include "PlaceEventObject.h"

namespace {

bool IsBlankOrControl(unsigned char c) { return c <= ' ' || c == 0x7F; }

}  // namespace

CEventValue CEventValue::EventValueFrom(const CDateValue& date, std::string_view part1,
                                        std::string_view part2, std::string_view part3,
                                        std::string_view part4) {
  CEventValue value;
  value.date = date;
  value.place[0] = part1;
  value.place[1] = part2;
  value.place[2] = part3;
  value.place[3] = part4;
  return value;
}

void CEventValue::Clear() { *this = CEventValue(); }

bool CEventValue::IsPlaceEmpty(const CEventValue* value) {
  if (value == nullptr) return true;
  for (const std::string& part : value->place)
    if (!part.empty()) return false;
  return true;
}

std::string CEventValue::FormatPlace(std::string_view separator) const {
  return JoinPlaceParts(place[0], place[1], place[2], place[3], separator);
}

void CEventValue::SetFromObject(const CPlaceEventObject& object) {
  date = *object.GetDate();
  for (int i = 0; i < 4; ++i) place[i] = object.place[i];
  firstCitation = static_cast<std::int32_t>(object.GetFirstCitation());
  secondNumber = object.secondNumber;
}

void COrdinanceValue::Clear() { *this = COrdinanceValue(); }

void COrdinanceValue::SetFromObject(const COrdinanceObject& object) {
  date = *object.GetDate();
  templeCode = object.GetPlace();
  kind = object.GetKind();
  firstCitation = static_cast<std::int32_t>(object.GetFirstCitation());
  secondNumber = object.secondNumber;
}

std::string JoinPlaceParts(std::string_view part1, std::string_view part2, std::string_view part3,
                           std::string_view part4, std::string_view separator) {
  std::string out(part1);
  if (part2.empty() && part3.empty() && part4.empty()) return out;
  out.append(separator).append(part2);
  if (part3.empty() && part4.empty()) return out;
  out.append(separator).append(part3);
  if (!part4.empty()) out.append(separator).append(part4);
  return out;
}

void SplitPlaceParts(std::string_view text, std::string (&parts)[4]) {
  std::size_t pos = 0;
  for (int round = 0; round < 4; ++round) {
    while (pos < text.size() && IsBlankOrControl(static_cast<unsigned char>(text[pos]))) ++pos;
    std::size_t end = text.size();
    if (round < 3) {
      const std::size_t comma = text.find(',', pos);
      if (comma != std::string_view::npos) end = comma;
    }
    std::size_t last = end;
    while (last > pos && IsBlankOrControl(static_cast<unsigned char>(text[last - 1]))) --last;
    parts[round].assign(text.substr(pos, last - pos));
    pos = end < text.size() ? end + 1 : text.size();
  }
}
