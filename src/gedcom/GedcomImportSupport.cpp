#include "GedcomImportSupport.h"

#include <cctype>

#include "Ansel.h"
#include "CodePage.h"
#include "EventValue.h"

namespace gedcom::importing {

std::string Format(const char* pattern, std::initializer_list<std::string> args) {
  std::string out;
  auto it = args.begin();
  for (const char* p = pattern; *p; ++p) {
    if (p[0] == '%' && p[1] == 's' && it != args.end()) {
      out += *it++;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

std::string CutAtCharacter(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return std::string(text);
  std::size_t end = limit;
  while (end > 0 && !plat::IsCharacterBoundary(text, end)) --end;
  return std::string(text.substr(0, end));
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++pos)
    if (plat::IsCharacterBoundary(text, pos)) ++count;
  return count;
}

std::string FirstCharacters(std::string_view text, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t seen = 0; pos < text.size(); ++pos)
    if (plat::IsCharacterBoundary(text, pos) && seen++ == count) break;
  return std::string(text.substr(0, pos));
}

bool FitToField(std::string& text, int anselBytes) {
  // A byte of the code page, or a private pair, is at most two of ANSEL.
  if (text.size() * 2 <= static_cast<std::size_t>(anselBytes)) return false;
  if (AnsiToAnsel(text).size() <= static_cast<std::size_t>(anselBytes)) return false;
  text = AnselToAnsi(AnsiToAnsel(text, anselBytes));
  return true;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool EqualNoCase(std::string_view a, std::string_view b) { return Upper(a) == Upper(b); }

// A Y/N flag's value: yes when it starts with Y or y.
bool IsYes(std::string_view value) {
  return !value.empty() && (value[0] == 'Y' || value[0] == 'y');
}

std::string Trim(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
  return std::string(text.substr(b, e - b));
}

// A note text with CR LF line ends; a paragraph goes after a blank line.
void AddParagraph(std::string& notes, std::string_view text) {
  if (Trim(text).empty()) return;
  if (!notes.empty()) notes += "\r\n\r\n";
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) notes += '\r';
    notes += text[i];
  }
}

// The relationship letter of a pedigree word; 0 for an unknown word.
char PedigreeLetter(std::string_view word) {
  const std::string w = Upper(Trim(word));
  if (w == "ADOPTED") return 'a';
  if (w == "FOSTER" || w == "STEP") return 'g';
  if (w == "SEALING") return 's';
  if (w == "CHALLENGED") return 'c';
  if (w == "DISPROVED") return 'd';
  if (w == "BIRTH" || w == "NATURAL") return 'b';
  return 0;
}

bool IsEmptyEvent(const CEventValue& v) {
  return v.date.ToString().empty() && CEventValue::IsPlaceEmpty(&v) && v.firstCitation == 0 &&
         !v.HappenedWithoutDetails();
}

bool IsOpenSlot(const CEventValue& v) {
  if (IsEmptyEvent(v)) return true;
  const CDateValue& d = v.date;
  const bool deceased = !d.textOnly && d.month == CDateValue::kStatusDeceased && d.year == 0 &&
                        d.day == 0;
  return (deceased || !d.IsSet()) && CEventValue::IsPlaceEmpty(&v) && v.firstCitation == 0;
}

}  // namespace gedcom::importing
