#pragma once
// Number words, ordinal words and suffixes and Roman numerals for generation
// headings, chart labels and the numbering of children in the books. Words
// come from the string table, so a language catalog translates them.

#include <string>

// String ids: cardinal words at kNumberWordCardinalBase + n ("One" .. "Twelve"),
// ordinal words at kNumberWordOrdinalBase + n ("First" .. "Twelfth"), n 1-12.
inline constexpr unsigned kNumberWordCardinalBase = 6999;
inline constexpr unsigned kNumberWordOrdinalBase = 7021;

// The word of n ("Three" or "Third"). The table holds 1-12; any other n is
// written as a number ("13" or "13.").
std::string NumberWord(int n, bool cardinal);
// The word of tens * 10 + units for 10-12 ("Ten" .. "Twelve", "Tenth" ..
// "Twelfth"); any other number as "%d" (cardinal) or "%d." (ordinal).
std::string TeenWord(int tens, int units, bool cardinal);
// "First" .. "Twelfth" for 1-12, else the number and a period ("13.").
std::string OrdinalWord(int n);
// The number with its English suffix: "1st", "2nd", "3rd", "4th", "11th",
// "12th", "13th", "21st", "112th".
std::string OrdinalSuffix(int n);
// 1-4999 in Roman figures (MMMMCMXCIX), lower case unless upper; any other n
// as a plain number.
std::string FormatRomanNumeral(int n, bool upper);
