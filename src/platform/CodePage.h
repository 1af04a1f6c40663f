#pragma once
// The active ANSI code page (1252 Western or 1250 Central European) and exact
// conversion between it and UTF-8. In memory every text is an 8-bit string in
// this code page; widgets and files in UTF-8 go through here.

#include <string>
#include <string_view>

namespace plat {

inline constexpr int kCodePageWestern = 1252;
inline constexpr int kCodePageCentralEuropean = 1250;
// What a character without a place in the target code page becomes.
inline constexpr char kUnmappableAnsi = '?';
inline constexpr char32_t kUnmappableUnicode = U'\uFFFD';

// 1252 unless KORVANE_CODEPAGE says 1250/1252 or the user's locale
// (LC_ALL, LC_CTYPE, LANG) is a Central European language.
int ActiveCodePage();
// Overrides the active code page (1252 or 1250; anything else is ignored).
void SetActiveCodePage(int codePage);
// The code page a locale name such as "cs_CZ.UTF-8" implies.
int CodePageForLocale(std::string_view locale);

// One byte of the code page as a Unicode code point. Bytes the code page
// leaves undefined map to the C1 control of the same value, so every byte
// round-trips.
char32_t AnsiCharToUnicode(unsigned char c, int codePage);
// The byte of a code point, or -1 when the code page has none.
int UnicodeToAnsiChar(char32_t u, int codePage);

// Private pairs become their characters, and a letter followed by a
// combining accent becomes the composed letter where Unicode has one.
std::string AnsiToUtf8(std::string_view ansi, int codePage);
std::string AnsiToUtf8(std::string_view ansi);
// Characters the code page lacks become private pairs where they have one
// (AppendAnsiChar); others and malformed UTF-8 become kUnmappableAnsi.
std::string Utf8ToAnsi(std::string_view utf8, int codePage);
std::string Utf8ToAnsi(std::string_view utf8);
// How many characters of UTF-8 text Utf8ToAnsi turns into kUnmappableAnsi.
int Utf8LossCount(std::string_view utf8, int codePage);

// Characters beyond the code page that the family file can hold (letters
// such as L with stroke or dotless i, and the combining accents that put a
// letter such as g with breve together from its base letter) travel in
// memory as a private pair of bytes: a lead byte that both code pages leave
// undefined, then a byte that is no letter in either page, so no case
// mapping, word split or name parse changes the pair. The conversions to and
// from UTF-8 here, and the family file's ANSEL conversion, know the pairs;
// a lead byte without its second byte is a plain byte.
inline constexpr unsigned char kPrivateLead = 0x81;
inline constexpr unsigned char kPrivateLead2 = 0x90;
// The code point of the private pair at s[pos], or 0 when none starts there.
char32_t PrivateCharAt(std::string_view s, std::size_t pos);
// Appends u's private pair; false (nothing appended) when u has none.
bool AppendPrivateChar(std::string& out, char32_t u);
// Appends u as code page text: its byte, its private pair, or its base letter
// and its accent's private pair. Otherwise appends kUnmappableAnsi and
// returns false.
bool AppendAnsiChar(std::string& out, char32_t u, int codePage);
// The character at pos (one byte, or a private pair) as a code point,
// advancing pos past it.
char32_t NextAnsiChar(std::string_view s, std::size_t& pos, int codePage);
// A letter that Unicode composes from a base letter and one combining
// accent: the composed letter, or 0.
char32_t ComposeLetter(char32_t base, char32_t accent);
// The base letter and accent of a composed letter; false when u is none.
bool DecomposeLetter(char32_t u, char32_t& base, char32_t& accent);
// Whether text may be cut before pos without parting a private pair or a
// letter from the accents that follow it as private pairs.
bool IsCharacterBoundary(std::string_view s, std::size_t pos);
// Text with every private pair replaced by the nearest code page text (the
// base letter of an accented one, a look-alike, or kUnmappableAnsi), for
// output that can carry only the code page.
std::string WithoutPrivateChars(std::string_view ansi, int codePage);

// Case and letter tests of one byte of the active code page.
bool IsAnsiAlpha(unsigned char c);
bool IsAnsiUpper(unsigned char c);
bool IsAnsiLower(unsigned char c);
unsigned char AnsiToUpper(unsigned char c);
unsigned char AnsiToLower(unsigned char c);
// These two map private pairs too.
std::string AnsiUpper(std::string_view s);
std::string AnsiLower(std::string_view s);
// The letter without its accent (A for Ä), in the same case; others unchanged.
unsigned char AnsiBaseLetter(unsigned char c);

// Locale-style comparison of two texts of the active code page: letters
// compare without accents and case first, then by accent, then by case
// (lower before upper). Returns <0, 0 or >0.
int CompareAnsi(std::string_view a, std::string_view b, bool ignoreCase);

// Encodes one code point as UTF-8 onto out.
void AppendUtf8(std::string& out, char32_t u);
// Decodes one code point from s at pos, advancing pos; malformed input gives
// kUnmappableUnicode and advances by one byte.
char32_t NextUtf8(std::string_view s, std::size_t& pos);

}  // namespace plat
