#pragma once
// Conversion between ANSEL, the character set the family file stores text in
// (the GEDCOM form of ANSEL: ASCII, special characters 0xA1-0xCF and combining
// diacritics 0xE0-0xFE that precede their letter), and the active ANSI code
// page (1252 Western or 1250 Central European); and the case mapping of ANSEL.
//
// Code page -> ANSEL (AnsiToAnsel):
// - Bytes 0-137 are copied unchanged (so 1252's and 1250's euro, quotes and
//   daggers at 0x80-0x89 are stored as they are).
// - A precomposed letter becomes its ANSEL diacritic followed by the base
//   letter (e acute -> 0xE2 'e'); a letter ANSEL has whole (L with stroke,
//   O with stroke, thorn, ae, oe ...) becomes that special character; the
//   capital eth of 1252 becomes 0xA3 (D with stroke), which looks the same.
// - A spacing accent (acute, diaeresis, cedilla, macron, caron, breve, ogonek,
//   double acute, dot above, small tilde) becomes its diacritic followed by a
//   blank.
// - Other bytes 138-160 (quotes, dashes, bullet, trade mark, the no-break
//   space and undefined bytes) are copied unchanged: ANSEL leaves 0x80-0xA0
//   unused and the way back copies them too, so they survive.
// - A private pair (CodePage.h) becomes its special character or
//   diacritic; diacritics carried as private pairs after their letter are
//   written before it.
// - Unmappable, stored as '?': 1252: cent, currency, yen, broken bar, section,
//   feminine and masculine ordinal, angle quotes, not, soft hyphen,
//   superscripts one to three, micro, pilcrow, the three fractions, times,
//   divide. 1250: currency, broken bar, section, angle quotes, not, soft
//   hyphen, micro, pilcrow, times, divide.
// Every other byte 0x20-0xFF of both pages comes back unchanged from
// AnselToAnsi(AnsiToAnsel(text)), but for the capital eth of 1252, which
// comes back as the letter stored, D with stroke.
//
// ANSEL -> code page (AnselToAnsi):
// - Bytes 0-160 are copied unchanged.
// - A special character becomes the code page's character. Where the page
//   lacks it, it becomes its private pair (CodePage.h). Without one, a
//   letter becomes the letter it is built on (L/l with stroke ->
//   L/l, O/o with stroke -> O/o, D with stroke -> capital eth, d with
//   stroke -> d, O/U with horn -> O/U, dotless i -> i, eth -> d, script l ->
//   l), soft sign, alif and ayn become an apostrophe, hard sign a double
//   quote, flat 'b', sharp '#'; anything else (thorn, ae and oe ligatures and
//   the pound sign, inverted marks in 1250; the boxes and the sound recording
//   copyright everywhere) becomes '?'. 0xC7 (sharp s) and 0xC8 (euro), the
//   places other ANSEL tables give them, are read but never written.
// - One diacritic followed by a letter (or a blank) becomes the precomposed
//   character when the page has it. Otherwise the letter is followed by the
//   private pairs of its diacritics in their stored order, so storing the
//   text again gives the same bytes. Diacritics at the end of the text are
//   dropped. Undefined bytes become '?'.
// - A private pair takes two bytes: the result may be longer than the
//   stored text.
//
// The conversions treat their input as ending at the first zero byte, as the
// stored texts are zero-terminated.

#include <string>
#include <string_view>
#include <vector>

inline constexpr unsigned char kAnselFirstDiacritic = 0xE0;
inline constexpr unsigned char kAnselLastDiacritic = 0xFE;
// What a character without an ANSEL form is stored as.
inline constexpr char kAnselUnmappable = '?';

inline bool IsAnselDiacritic(unsigned char c) {
  return c >= kAnselFirstDiacritic && c <= kAnselLastDiacritic;
}

// Stored ANSEL text to text of a code page (1250, else the Western 1252), or
// of the active code page.
std::string AnselToAnsi(std::string_view ansel, int codePage);
std::string AnselToAnsi(std::string_view ansel);

// Code page text to ANSEL. At most limit bytes are written (a negative limit
// means no limit); a diacritic and its letter are kept together, so a two-byte
// character that does not fit whole ends the text before its diacritic.
std::string AnsiToAnsel(std::string_view ansi, int limit, int codePage);
std::string AnsiToAnsel(std::string_view ansi, int limit = -1);

// A character that an ANSEL file for other programs gets in another form.
struct AnselReplacement {
  std::string original;  // code page text
  std::string written;   // ANSEL
};
// Code page text as ANSEL for a file that other programs read. AnsiToAnsel
// keeps the code page's characters at 0x80-0xA0 (euro, quotes, daggers,
// bullet, dashes, trade mark, no-break space ...) as they are, so that the
// family file gives them back; ANSEL lacks them, and here they become plain
// equivalents ("EUR", '"', "+", "*", "-", "TM", a blank ...), each one
// appended to replaced when given. In a name (nameValue) no plain form
// brings a '/', which marks the surname there: per mille becomes "o%oo".
std::string AnsiToPureAnsel(std::string_view ansi, int codePage,
                            std::vector<AnselReplacement>* replaced, bool nameValue = false);

// How many characters of code page text AnsiToAnsel would store as '?'
// (characters such as the fractions, the section sign or the yen sign,
// which ANSEL lacks).
int AnselLossCount(std::string_view ansi, int codePage);
int AnselLossCount(std::string_view ansi);

// How many bytes of ANSEL text AnselToAnsi leaves out or reads as '?': a
// diacritic with no letter after it or with no accent assigned, and the
// bytes ANSEL leaves undefined (as Latin-1 letters read as ANSEL are). With
// latinSuspect (text that only may be ANSEL), a diacritic before a blank,
// digit or sign counts too: there it is a Latin-1 letter, not an accent.
int AnselUnreadableCount(std::string_view ansel, int codePage, bool latinSuspect);

// Case mapping of ANSEL: a-z <-> A-Z, the lower-case specials 177-182, 188,
// 189 <-> the capitals 161-166, 172, 173; every other code stays. The result
// is one byte (0-255).
int AnselCharToUpper(int c);
int AnselCharToLower(int c);
// In place; the zero-terminated forms stop at the terminating zero and return
// their argument.
std::string& AnselStringToUpper(std::string& text);
std::string& AnselStringToLower(std::string& text);
char* AnselStringToUpper(char* text);
char* AnselStringToLower(char* text);
