#pragma once
// The standard capitalisation of the texts of a family file's names store,
// in ANSEL: words capitalised, with lists of words that stay lower-case
// (surname particles, prepositions), Scottish and Irish prefixes (MacDonald,
// O'Brien, FitzGerald), Italian elided articles (dell'Orto) and Roman
// numerals (Henry VIII). A combining diacritic is stored before its letter,
// so a word's first letter is the first byte that is not one.

#include <string>

namespace names {

// Treatment by the kind byte of a names-store entry.
inline constexpr int kKindPersonal = 0;  // mixed case, particle list A
inline constexpr int kKindUpper = 1;     // upper case
inline constexpr int kKindPlace = 2;     // mixed case, list B, first word capitalised

// The ANSEL text in the capitalisation of its kind; other kinds unchanged.
std::string ToMixedCase(const std::string& ansel, int kind);

}  // namespace names
