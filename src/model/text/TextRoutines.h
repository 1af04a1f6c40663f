#pragma once
// Small text routines shared by lists, reports, charts and web pages: note
// paragraphs, splitting a title in two lines, joining texts, the preferred
// name between asterisks, numbered inserts, combo items from one string and
// the conjunction that joins names. Texts are in the active ANSI code page.

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Longest paragraph FindParagraphEnd hands out in one piece.
inline constexpr std::size_t kMaxParagraphLength = 65535;

// Scans the paragraph at the start of text; paragraphs are separated by an
// empty line (CR LF CR LF). Returns its length. next receives the offset of
// the following paragraph (just after the CR LF CR LF) or npos when this one
// ends the text. firstBreak receives the offset of the first blank or CR LF
// inside the paragraph, or the paragraph's length when there is none or it
// is at offset 0 (so that text[0, firstBreak) is the first word). A paragraph
// longer than kMaxParagraphLength is handed out in pieces of that length:
// next then points at the rest.
std::size_t FindParagraphEnd(std::string_view text, std::size_t& next, std::size_t& firstBreak);

// Splits text in two lines at the blank nearest its middle, the blank itself
// dropped. The last blank before the middle wins only when it is strictly
// nearer than the first blank at or after it. No blank: the whole text is
// the first line and the second is empty.
void SplitTextInHalf(std::string_view text, std::string& firstLine, std::string& secondLine);

// first, then second and third when not empty, each after one blank unless
// the text so far is empty or already ends with a blank.
std::string JoinWithBlanks(std::string_view first, std::string_view second, std::string_view third);

// The preferred (called) name written between asterisks: "*Bob* Robert"
// becomes "Bob", result 1. A name with an asterisk further on ("Rob*ert") is
// cut after that asterisk ("Rob*"), result 0; otherwise (also "*Bob" and
// "Bob*") the name stays, result 0.
int GetStarredName(std::string& name);
// Removes every '*'.
void RemoveAsterisks(std::string& name);

// Copies format with %1 .. %9 replaced by texts[0] .. texts[8]: a null text
// inserts nothing, a number beyond the texts given inserts '?'. Every other
// character, '%' included, is copied.
std::string FormatWithArgs(std::string_view format, std::span<const char* const> texts);
std::string FormatWithArgs(std::string_view format, std::initializer_list<const char*> texts);

// The items of a '|'-separated list ("Inches|Centimetres"); a trailing '|'
// adds an empty item, an empty list has no item.
std::vector<std::string> SplitComboItems(std::string_view list);
// The items of a string resource; the dialogs fill their combo boxes with
// them (FillComboFromString).
std::vector<std::string> ComboItemsFromString(unsigned stringId);

// The conjunction that joins two names or clauses (string 5859, " and"); in
// the French interface ("Options"/"LanguageUI" "FR") with a comma before it.
std::string GetAndWord();

// The string id of the label of a citation's owner event for the owner
// letters whose label is fixed ('B' "Birth", 'M' "Marriage Record" ...); 0
// for 'C', 'U' and 'V', whose label is the title of a user event's type and
// must be read from the family file, and for letters without a label.
unsigned CitationOwnerStringId(char ownerLetter);
