#pragma once
// What the record readers of the GEDCOM import share: text helpers for
// values and log lines, and the limits of dates and places.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "DbCodes.h"

class CEventValue;

namespace gedcom::importing {

// The cross-reference kind of a NOTE record.
inline constexpr int kNoteType = db::kNoteBlock;
inline constexpr std::size_t kMaxDateLength = 50;
inline constexpr std::size_t kMaxPlaceLength = 120;

// pattern with each "%s" replaced by the next of args.
std::string Format(const char* pattern, std::initializer_list<std::string> args);
std::string Upper(std::string_view text);
bool EqualNoCase(std::string_view a, std::string_view b);
// A Y/N flag's value: yes when it starts with Y or y.
bool IsYes(std::string_view value);
std::string Trim(std::string_view text);
// A note text with CR LF line ends; a paragraph goes after a blank line.
void AddParagraph(std::string& notes, std::string_view text);
// The relationship letter of a pedigree word; 0 for an unknown word.
char PedigreeLetter(std::string_view word);
// The text cut to at most limit bytes, never inside a letter that travels
// as a private pair or apart from the accents that follow it.
std::string CutAtCharacter(std::string_view text, std::size_t limit);
// The characters of code page text, as a person counts them: a letter that
// travels as a private pair, with the accents that follow it, is one.
std::size_t CharacterCount(std::string_view text);
// The first count characters of the text.
std::string FirstCharacters(std::string_view text, std::size_t count);
// A text field of the family file holds at most anselBytes bytes of ANSEL
// (an accented letter takes two): the text is cut to what the field holds.
// False when it fits whole.
bool FitToField(std::string& text, int anselBytes);
// No date, no place, no citation and no mark that the event happened.
bool IsEmptyEvent(const CEventValue& v);
// Empty, or holding no more than that the event happened (the mark, or for a
// death the status Deceased): a later line of the event with its details
// takes the slot.
bool IsOpenSlot(const CEventValue& v);

}  // namespace gedcom::importing
