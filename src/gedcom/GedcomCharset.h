#pragma once
// The character sets a GEDCOM file may be written in, and the conversion of
// its values to the active code page (1252 or 1250).

#include <cstddef>
#include <string>
#include <string_view>

namespace gedcom {

// The conversion a value goes through. ANSI and ASCII text is taken as it is;
// UNICODE is UTF-8 (a UTF-16 file is transcoded to UTF-8 as it is read).
enum CharacterSet : int {
  kCharsetAnsi = 0,
  kCharsetAnsel = 1,
  kCharsetIbmPc = 2,
  kCharsetUnicode = 3,
  kCharsetMacintosh = 4,
};

// The set a CHAR value names ("ANSI", "ASCII", "ANSEL", "IBMPC", "MACINTOSH",
// "UNICODE", "UTF-8"; case ignored); false for any other value.
bool ParseCharacterSet(std::string_view name, CharacterSet& out);

// The IBM PC (OEM) code page that goes with a Windows code page: 852 with
// 1250, else 437.
int OemCodePageFor(int codePage);
// One byte of the OEM code page (437 or 852) or of Mac Roman as a code point.
char32_t OemCharToUnicode(unsigned char c, int oemCodePage);
char32_t MacRomanCharToUnicode(unsigned char c);

// A value of the character set as text of the code page. Characters the
// family file can hold but the code page lacks become private pairs
// (CodePage.h); others become '?', and unmappable is raised by their count
// (ANSEL has its own substitutions, which are not counted).
std::string ToCodePage(std::string_view text, CharacterSet set, int codePage, int& unmappable);

// Where a value written in the character set is cut so that it keeps at most
// limit characters, npos when it has no more. A letter and its accents count
// once and stay together: an ANSEL diacritic goes with the letter after it, a
// combining accent of UTF-8 with the character before it, and a multi-byte
// character is never parted. The one-byte sets count bytes.
std::size_t CharacterCut(std::string_view text, CharacterSet set, std::size_t limit);

}  // namespace gedcom
