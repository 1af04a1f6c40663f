#include "OrdinanceObject.h"

#include "CodePage.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TempleTable.h"

namespace {

constexpr std::size_t kDateStringLength = 50;
constexpr std::size_t kComparedCodeLength = 5;

// The first "%s" of format replaced by text.
std::string InsertText(const std::string& format, std::string_view text) {
  std::string out = format;
  const std::size_t at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, text);
  return out;
}

// Compares as far as the first five characters go, ignoring case; a shorter
// text matches only a code of the same length.
bool SameCodeStart(std::string_view text, std::string_view code) {
  for (std::size_t i = 0; i < kComparedCodeLength; ++i) {
    const unsigned char a = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
    const unsigned char b = i < code.size() ? static_cast<unsigned char>(code[i]) : 0;
    if (plat::AnsiToUpper(a) != plat::AnsiToUpper(b)) return false;
    if (a == 0) return true;
  }
  return true;
}

}  // namespace

COrdinanceObject::COrdinanceObject(const COrdinanceValue* value, char newKind,
                                   const char* newKindText)
    : kindText(newKindText) {
  if (value != nullptr) {
    date = value->date;
    templeCode = plat::AnsiUpper(value->templeCode);
    firstCitation = value->firstCitation;
    secondNumber = value->secondNumber;
  }
  kind = newKind;
}

COrdinanceObject COrdinanceObject::OrdinanceObjectOfKind(char kind, const COrdinanceValue* value,
                                                         const char* kindText) {
  return COrdinanceObject(value, kind, kindText);
}

COrdinanceObject::COrdinanceObject(const COrdinanceObject& other, bool withNumbers,
                                   const char* newKindText)
    : CEventObject(other),
      templeCode(other.templeCode),
      kindText(newKindText != nullptr ? newKindText : other.kindText) {
  if (withNumbers) {
    firstCitation = other.firstCitation;
    secondNumber = other.secondNumber;
  }
}

void COrdinanceObject::Clear(char newKind) {
  date.Reset();
  templeCode.clear();
  firstCitation = 0;
  secondNumber = 0;
  kind = newKind;
}

std::string COrdinanceObject::GetDateString() const {
  std::string text = GetDateText();
  if (text.size() > kDateStringLength) text.resize(kDateStringLength);
  return text;
}

std::string COrdinanceObject::GetPlaceText() const {
  return templeCode.empty() ? std::string() : FormatTempleName(templeCode, false);
}

std::string COrdinanceObject::SetDateText(std::string_view text, bool parseIntoThis, int category,
                                          bool useDisplayOrder) {
  std::string field(text);
  date.CheckEntry(field, parseIntoThis, category, useDisplayOrder, false, false, false);
  return field;
}

int COrdinanceObject::PlaceEquals(std::string_view text) const {
  return NormalizeTempleCode(text) == templeCode ? 1 : 0;
}

int COrdinanceObject::SetTempleCode(std::string_view text, const CTempleTable* temples,
                                    std::string& error) {
  int result = 1;
  if (temples != nullptr) {
    bool found = false;
    for (const auto& [code, entry] : temples->Entries()) {
      if (SameCodeStart(text, code)) {
        found = true;
        break;
      }
    }
    if (!found) {
      error = InsertText(res::LoadString(res::kIdsInvalidTempleCode), text);
      result = 0;
    }
  }
  templeCode = NormalizeTempleCode(text);
  return result;
}
