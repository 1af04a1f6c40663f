#include "Ansel.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "CodePage.h"

namespace {

// Code page bytes from this one on go through the conversion table; the ones
// below are stored as they are.
constexpr int kFirstTableByte = 138;
constexpr int kTableEntries = 256 - kFirstTableByte;  // 118
// ANSEL bytes up to this one are read as they are.
constexpr int kLastCopiedAnselByte = 160;

struct Special {
  unsigned char ansel;
  char32_t unicode;
  char32_t alternate;  // shown where the code page lacks the character; 0 = '?'
  bool written;        // whether code page text is ever stored as this byte
};

constexpr Special kSpecials[] = {
    {0xA1, U'\u0141', U'L', true},       // L with stroke
    {0xA2, U'\u00D8', U'O', true},       // O with stroke
    {0xA3, U'\u0110', U'\u00D0', true},  // D with stroke; capital eth looks the same
    {0xA4, U'\u00DE', 0, true},          // thorn
    {0xA5, U'\u00C6', 0, true},          // AE
    {0xA6, U'\u0152', 0, true},          // OE
    {0xA7, U'\u02B9', U'\'', true},      // soft sign
    {0xA8, U'\u00B7', 0, true},          // middle dot
    {0xA9, U'\u266D', U'b', true},       // music flat
    {0xAA, U'\u00AE', 0, true},          // registered
    {0xAB, U'\u00B1', 0, true},          // plus-minus
    {0xAC, U'\u01A0', U'O', true},       // O with horn
    {0xAD, U'\u01AF', U'U', true},       // U with horn
    {0xAE, U'\u02BC', U'\'', true},      // alif
    {0xB0, U'\u02BB', U'\'', true},      // ayn
    {0xB1, U'\u0142', U'l', true},       // l with stroke
    {0xB2, U'\u00F8', U'o', true},       // o with stroke
    {0xB3, U'\u0111', U'd', true},       // d with stroke
    {0xB4, U'\u00FE', 0, true},          // thorn
    {0xB5, U'\u00E6', 0, true},          // ae
    {0xB6, U'\u0153', 0, true},          // oe
    {0xB7, U'\u02BA', U'"', true},       // hard sign
    {0xB8, U'\u0131', U'i', true},       // dotless i
    {0xB9, U'\u00A3', 0, true},          // pound
    {0xBA, U'\u00F0', U'd', true},       // eth
    {0xBC, U'\u01A1', U'o', true},       // o with horn
    {0xBD, U'\u01B0', U'u', true},       // u with horn
    {0xBE, U'\u25A1', 0, true},          // empty box
    {0xBF, U'\u25A0', 0, true},          // black box
    {0xC0, U'\u00B0', 0, true},          // degree
    {0xC1, U'\u2113', U'l', true},       // script l
    {0xC2, U'\u2117', 0, true},          // sound recording copyright
    {0xC3, U'\u00A9', 0, true},          // copyright
    {0xC4, U'\u266F', U'#', true},       // music sharp
    {0xC5, U'\u00BF', 0, true},          // inverted question mark
    {0xC6, U'\u00A1', 0, true},          // inverted exclamation mark
    {0xC7, U'\u00DF', 0, false},         // sharp s in other ANSEL tables
    {0xC8, U'\u20AC', 0, false},         // euro in other ANSEL tables
    {0xCD, U'e', 0, false},              // midline e
    {0xCE, U'o', 0, false},              // midline o
    {0xCF, U'\u00DF', 0, true},          // sharp s
};

// The precomposed letters of code pages 1252 and 1250: base letter and the
// ANSEL diacritic that precedes it.
struct Precomposed {
  char32_t unicode;
  char base;
  unsigned char mark;
};

constexpr Precomposed kPrecomposed[] = {
    {0x00C0, 'A', 0xE1}, {0x00C1, 'A', 0xE2}, {0x00C2, 'A', 0xE3}, {0x00C3, 'A', 0xE4},
    {0x00C4, 'A', 0xE8}, {0x00C5, 'A', 0xEA}, {0x00C7, 'C', 0xF0}, {0x00C8, 'E', 0xE1},
    {0x00C9, 'E', 0xE2}, {0x00CA, 'E', 0xE3}, {0x00CB, 'E', 0xE8}, {0x00CC, 'I', 0xE1},
    {0x00CD, 'I', 0xE2}, {0x00CE, 'I', 0xE3}, {0x00CF, 'I', 0xE8}, {0x00D1, 'N', 0xE4},
    {0x00D2, 'O', 0xE1}, {0x00D3, 'O', 0xE2}, {0x00D4, 'O', 0xE3}, {0x00D5, 'O', 0xE4},
    {0x00D6, 'O', 0xE8}, {0x00D9, 'U', 0xE1}, {0x00DA, 'U', 0xE2}, {0x00DB, 'U', 0xE3},
    {0x00DC, 'U', 0xE8}, {0x00DD, 'Y', 0xE2}, {0x00E0, 'a', 0xE1}, {0x00E1, 'a', 0xE2},
    {0x00E2, 'a', 0xE3}, {0x00E3, 'a', 0xE4}, {0x00E4, 'a', 0xE8}, {0x00E5, 'a', 0xEA},
    {0x00E7, 'c', 0xF0}, {0x00E8, 'e', 0xE1}, {0x00E9, 'e', 0xE2}, {0x00EA, 'e', 0xE3},
    {0x00EB, 'e', 0xE8}, {0x00EC, 'i', 0xE1}, {0x00ED, 'i', 0xE2}, {0x00EE, 'i', 0xE3},
    {0x00EF, 'i', 0xE8}, {0x00F1, 'n', 0xE4}, {0x00F2, 'o', 0xE1}, {0x00F3, 'o', 0xE2},
    {0x00F4, 'o', 0xE3}, {0x00F5, 'o', 0xE4}, {0x00F6, 'o', 0xE8}, {0x00F9, 'u', 0xE1},
    {0x00FA, 'u', 0xE2}, {0x00FB, 'u', 0xE3}, {0x00FC, 'u', 0xE8}, {0x00FD, 'y', 0xE2},
    {0x00FF, 'y', 0xE8}, {0x0102, 'A', 0xE6}, {0x0103, 'a', 0xE6}, {0x0104, 'A', 0xF1},
    {0x0105, 'a', 0xF1}, {0x0106, 'C', 0xE2}, {0x0107, 'c', 0xE2}, {0x010C, 'C', 0xE9},
    {0x010D, 'c', 0xE9}, {0x010E, 'D', 0xE9}, {0x010F, 'd', 0xE9}, {0x0118, 'E', 0xF1},
    {0x0119, 'e', 0xF1}, {0x011A, 'E', 0xE9}, {0x011B, 'e', 0xE9}, {0x0139, 'L', 0xE2},
    {0x013A, 'l', 0xE2}, {0x013D, 'L', 0xE9}, {0x013E, 'l', 0xE9}, {0x0143, 'N', 0xE2},
    {0x0144, 'n', 0xE2}, {0x0147, 'N', 0xE9}, {0x0148, 'n', 0xE9}, {0x0150, 'O', 0xEE},
    {0x0151, 'o', 0xEE}, {0x0154, 'R', 0xE2}, {0x0155, 'r', 0xE2}, {0x0158, 'R', 0xE9},
    {0x0159, 'r', 0xE9}, {0x015A, 'S', 0xE2}, {0x015B, 's', 0xE2}, {0x015E, 'S', 0xF0},
    {0x015F, 's', 0xF0}, {0x0160, 'S', 0xE9}, {0x0161, 's', 0xE9}, {0x0162, 'T', 0xF0},
    {0x0163, 't', 0xF0}, {0x0164, 'T', 0xE9}, {0x0165, 't', 0xE9}, {0x016E, 'U', 0xEA},
    {0x016F, 'u', 0xEA}, {0x0170, 'U', 0xEE}, {0x0171, 'u', 0xEE}, {0x0178, 'Y', 0xE8},
    {0x0179, 'Z', 0xE2}, {0x017A, 'z', 0xE2}, {0x017B, 'Z', 0xE7}, {0x017C, 'z', 0xE7},
    {0x017D, 'Z', 0xE9}, {0x017E, 'z', 0xE9},
};

// Spacing accents, stored as their diacritic followed by a blank.
struct SpacingAccent {
  char32_t unicode;
  unsigned char mark;
};

constexpr SpacingAccent kSpacingAccents[] = {
    {0x00B4, 0xE2},  // acute
    {0x02C6, 0xE3},  // circumflex
    {0x02DC, 0xE4},  // small tilde
    {0x00AF, 0xE5},  // macron
    {0x02D8, 0xE6},  // breve
    {0x02D9, 0xE7},  // dot above
    {0x00A8, 0xE8},  // diaeresis
    {0x02C7, 0xE9},  // caron
    {0x02DD, 0xEE},  // double acute
    {0x00B8, 0xF0},  // cedilla
    {0x02DB, 0xF1},  // ogonek
};

constexpr int kDiacriticCount = kAnselLastDiacritic - kAnselFirstDiacritic + 1;

// The combining accent of each diacritic 0xE0-0xFE (0 = unassigned).
constexpr char32_t kCombining[kDiacriticCount] = {
    0x0309, 0x0300, 0x0301, 0x0302, 0x0303, 0x0304, 0x0306, 0x0307,  // E0-E7
    0x0308, 0x030C, 0x030A, 0xFE20, 0xFE21, 0x0315, 0x030B, 0x0310,  // E8-EF
    0x0327, 0x0328, 0x0323, 0x0324, 0x0325, 0x0333, 0x0332, 0x0326,  // F0-F7
    0x031C, 0x032E, 0xFE22, 0xFE23, 0,      0,      0x0313,          // F8-FE
};

// The diacritic of a combining accent, or 0.
unsigned char DiacriticOf(char32_t accent) {
  for (int i = 0; i < kDiacriticCount; ++i)
    if (kCombining[i] != 0 && kCombining[i] == accent)
      return static_cast<unsigned char>(kAnselFirstDiacritic + i);
  return 0;
}

// The conversion tables of one code page, built from the lists above.
struct Tables {
  // Code page byte 138 + i -> optional diacritic (0 = none) and base byte.
  std::array<std::array<unsigned char, 2>, kTableEntries> toAnsel{};
  // ANSEL byte 161-255 that is not a diacritic -> code page byte.
  std::array<unsigned char, 256> fromAnsel{};
  // ANSEL byte the code page lacks -> its character, carried as a private
  // pair (0 = none).
  std::array<char32_t, 256> privateFromAnsel{};
  // Diacritic, then base byte -> precomposed code page byte (0 = none).
  std::array<std::array<unsigned char, 256>, kDiacriticCount> compose{};
};

bool FindPrecomposed(char32_t u, unsigned char& mark, unsigned char& base) {
  for (const auto& p : kPrecomposed) {
    if (p.unicode == u) {
      mark = p.mark;
      base = static_cast<unsigned char>(p.base);
      return true;
    }
  }
  for (const auto& s : kSpacingAccents) {
    if (s.unicode == u) {
      mark = s.mark;
      base = ' ';
      return true;
    }
  }
  return false;
}

int WrittenSpecial(char32_t u) {
  if (u == U'\u00D0') return 0xA3;  // capital eth
  for (const auto& s : kSpecials) {
    if (s.written && s.unicode == u) return s.ansel;
  }
  return -1;
}

Tables BuildTables(int codePage) {
  Tables t;
  for (int b = 0x80; b <= 0xFF; ++b) {
    const char32_t u = plat::AnsiCharToUnicode(static_cast<unsigned char>(b), codePage);
    unsigned char mark = 0;
    unsigned char base = 0;
    const bool decomposes = FindPrecomposed(u, mark, base);
    // Bytes below the table are stored as they are, so an accent and its
    // letter never read back as one of them.
    if (b < kFirstTableByte) continue;
    if (decomposes) t.compose[mark - kAnselFirstDiacritic][base] = static_cast<unsigned char>(b);

    auto& entry = t.toAnsel[b - kFirstTableByte];
    if (const int special = WrittenSpecial(u); special >= 0) {
      entry = {0, static_cast<unsigned char>(special)};
    } else if (decomposes) {
      entry = {mark, base};
    } else if (b <= kLastCopiedAnselByte) {
      entry = {0, static_cast<unsigned char>(b)};
    } else {
      entry = {0, static_cast<unsigned char>(kAnselUnmappable)};
    }
  }

  t.fromAnsel.fill(static_cast<unsigned char>(kAnselUnmappable));
  for (const auto& s : kSpecials) {
    int b = plat::UnicodeToAnsiChar(s.unicode, codePage);
    // Characters the page lacks travel as private pairs, so the letter stored
    // is the letter shown and written: D with stroke stays itself in 1252,
    // though the capital eth that looks the same is stored as it too.
    std::string pair;
    if (b < 0 && plat::AppendPrivateChar(pair, s.unicode)) t.privateFromAnsel[s.ansel] = s.unicode;
    if (b < 0 && s.alternate != 0) b = plat::UnicodeToAnsiChar(s.alternate, codePage);
    if (b >= 0) t.fromAnsel[s.ansel] = static_cast<unsigned char>(b);
  }
  return t;
}

const Tables& TablesFor(int codePage) {
  static const Tables western = BuildTables(plat::kCodePageWestern);
  static const Tables central = BuildTables(plat::kCodePageCentralEuropean);
  return codePage == plat::kCodePageCentralEuropean ? central : western;
}

std::string_view UpToZero(std::string_view s) {
  const auto zero = s.find('\0');
  return zero == std::string_view::npos ? s : s.substr(0, zero);
}

}  // namespace

namespace {

// Appends one ANSEL byte that is no diacritic as code page text.
void AppendAnselChar(std::string& out, const Tables& t, unsigned char c) {
  if (c <= kLastCopiedAnselByte)
    out += static_cast<char>(c);
  else if (t.privateFromAnsel[c] != 0)
    plat::AppendPrivateChar(out, t.privateFromAnsel[c]);
  else
    out += static_cast<char>(t.fromAnsel[c]);
}

}  // namespace

std::string AnselToAnsi(std::string_view ansel, int codePage) {
  const Tables& t = TablesFor(codePage);
  const std::string_view s = UpToZero(ansel);
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (!IsAnselDiacritic(c)) {
      AppendAnselChar(out, t, c);
      ++i;
      continue;
    }
    std::size_t baseAt = i;
    while (baseAt < s.size() && IsAnselDiacritic(static_cast<unsigned char>(s[baseAt]))) ++baseAt;
    if (baseAt == s.size()) break;  // diacritics without a letter are dropped
    const auto base = static_cast<unsigned char>(s[baseAt]);
    const std::string_view marks = s.substr(i, baseAt - i);
    i = baseAt + 1;
    // One diacritic that the code page composes with its letter: the
    // precomposed character.
    if (marks.size() == 1) {
      const auto mark = static_cast<unsigned char>(marks[0]);
      if (const unsigned char composed = t.compose[mark - kAnselFirstDiacritic][base]) {
        out += static_cast<char>(composed);
        continue;
      }
    }
    // Else the letter followed by its accents as private pairs, in their
    // stored order, so that storing the text again gives the same bytes.
    AppendAnselChar(out, t, base);
    for (const char m : marks) {
      const char32_t accent = kCombining[static_cast<unsigned char>(m) - kAnselFirstDiacritic];
      if (accent != 0) plat::AppendPrivateChar(out, accent);
    }
  }
  return out;
}

std::string AnselToAnsi(std::string_view ansel) {
  return AnselToAnsi(ansel, plat::ActiveCodePage());
}

std::string AnsiToAnsel(std::string_view ansi, int limit, int codePage) {
  const std::string_view s = UpToZero(ansi);
  const std::size_t room = limit < 0 ? std::string::npos : static_cast<std::size_t>(limit);
  // Plain ASCII is the same in ANSEL: most names and places are copied.
  if (std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return std::string(s.substr(0, room));
  const Tables& t = TablesFor(codePage);
  std::string out;
  out.reserve(s.size() + s.size() / 4);
  std::string cluster;  // one character: its diacritics, then its letter
  std::size_t i = 0;
  while (i < s.size()) {
    cluster.clear();
    unsigned char letter = 0;
    if (const char32_t u = plat::PrivateCharAt(s, i)) {
      i += 2;
      const int special = WrittenSpecial(u);
      if (special < 0) {
        // An accent with no letter before it keeps its place.
        const unsigned char mark = DiacriticOf(u);
        cluster += static_cast<char>(mark != 0 ? mark : kAnselUnmappable);
        if (out.size() + cluster.size() > room) break;
        out += cluster;
        continue;
      }
      letter = static_cast<unsigned char>(special);
    } else {
      const auto c = static_cast<unsigned char>(s[i++]);
      if (c < kFirstTableByte) {
        letter = c;
      } else {
        const auto& entry = t.toAnsel[c - kFirstTableByte];
        if (entry[0] != 0) cluster += static_cast<char>(entry[0]);
        letter = entry[1];
      }
    }
    // Accents that follow the letter as private pairs precede it in ANSEL.
    while (i < s.size()) {
      const unsigned char mark = DiacriticOf(plat::PrivateCharAt(s, i));
      if (mark == 0) break;
      cluster += static_cast<char>(mark);
      i += 2;
    }
    cluster += static_cast<char>(letter);
    if (out.size() + cluster.size() > room) break;
    out += cluster;
  }
  return out;
}

std::string AnsiToAnsel(std::string_view ansi, int limit) {
  return AnsiToAnsel(ansi, limit, plat::ActiveCodePage());
}

namespace {

// Plain ANSEL for the code page characters that ANSEL lacks but the family
// file keeps.
constexpr struct {
  char32_t unicode;
  const char* plain;
} kPlainForms[] = {
    {0x20AC, "EUR"}, {0x201A, ","},  {0x0192, "f"},  {0x201E, "\""},   {0x2026, "..."},
    {0x2020, "+"},   {0x2021, "++"}, {0x02C6, "^"},  {0x2030, "o/oo"}, {0x2039, "<"},
    {0x2018, "'"},   {0x2019, "'"},  {0x201C, "\""}, {0x201D, "\""},   {0x2022, "*"},
    {0x2013, "-"},   {0x2014, "--"}, {0x02DC, "~"},  {0x2122, "TM"},   {0x203A, ">"},
    {0x00A0, " "},
};

// Whether AnsiToAnsel copies code page byte c, 0x80-0xA0, as it is.
bool CopiedAsItIs(const Tables& t, unsigned char c) {
  if (c < 0x80 || c > kLastCopiedAnselByte) return false;
  if (c < kFirstTableByte) return true;
  const auto& entry = t.toAnsel[c - kFirstTableByte];
  return entry[0] == 0 && entry[1] == c;
}

}  // namespace

std::string AnsiToPureAnsel(std::string_view ansi, int codePage,
                            std::vector<AnselReplacement>* replaced, bool nameValue) {
  const std::string_view s = UpToZero(ansi);
  // Plain ASCII is written as it is (most lines of a GEDCOM file).
  if (std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return std::string(s);
  const Tables& t = TablesFor(codePage);
  std::string plain;
  plain.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (plat::PrivateCharAt(s, i) != 0) {
      plain.append(s.substr(i, 2));
      ++i;
      continue;
    }
    const auto c = static_cast<unsigned char>(s[i]);
    if (!CopiedAsItIs(t, c)) {
      plain += s[i];
      continue;
    }
    const char32_t u = plat::AnsiCharToUnicode(c, codePage);
    const auto* form = std::find_if(std::begin(kPlainForms), std::end(kPlainForms),
                                    [u](const auto& f) { return f.unicode == u; });
    std::string written =
        form == std::end(kPlainForms) ? std::string(1, kAnselUnmappable) : form->plain;
    if (nameValue) std::replace(written.begin(), written.end(), '/', '%');
    plain += written;
    if (replaced) replaced->push_back({std::string(1, s[i]), written});
  }
  return AnsiToAnsel(plain, -1, codePage);
}

int AnselLossCount(std::string_view ansi, int codePage) {
  const Tables& t = TablesFor(codePage);
  const std::string_view s = UpToZero(ansi);
  int lost = 0;
  for (std::size_t i = 0; i < s.size();) {
    if (const char32_t u = plat::PrivateCharAt(s, i)) {
      i += 2;
      if (WrittenSpecial(u) < 0 && DiacriticOf(u) == 0) ++lost;
      continue;
    }
    const auto c = static_cast<unsigned char>(s[i++]);
    if (c < kFirstTableByte) continue;
    const auto& entry = t.toAnsel[c - kFirstTableByte];
    if (entry[0] == 0 && entry[1] == static_cast<unsigned char>(kAnselUnmappable)) ++lost;
  }
  return lost;
}

int AnselLossCount(std::string_view ansi) { return AnselLossCount(ansi, plat::ActiveCodePage()); }

int AnselUnreadableCount(std::string_view ansel, int codePage, bool latinSuspect) {
  const Tables& t = TablesFor(codePage);
  const std::string_view s = UpToZero(ansel);
  int lost = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (IsAnselDiacritic(c)) {
      std::size_t baseAt = i + 1;
      while (baseAt < s.size() && IsAnselDiacritic(static_cast<unsigned char>(s[baseAt]))) ++baseAt;
      const auto base = baseAt < s.size() ? static_cast<unsigned char>(s[baseAt]) : 0;
      const bool letter =
          (base >= 'A' && base <= 'Z') || (base >= 'a' && base <= 'z') || base > 0x7F;
      if (base == 0 || kCombining[c - kAnselFirstDiacritic] == 0 || (latinSuspect && !letter))
        ++lost;
    } else if (c > kLastCopiedAnselByte && t.privateFromAnsel[c] == 0 &&
               t.fromAnsel[c] == static_cast<unsigned char>(kAnselUnmappable)) {
      ++lost;
    }
  }
  return lost;
}

int AnselCharToUpper(int c) {
  c &= 0xFF;
  if (c >= 'a' && c <= 'z') return c - 32;
  if ((c >= 177 && c <= 182) || c == 188 || c == 189) return c - 16;
  return c;
}

int AnselCharToLower(int c) {
  c &= 0xFF;
  if (c >= 'A' && c <= 'Z') return c + 32;
  if ((c >= 161 && c <= 166) || c == 172 || c == 173) return c + 16;
  return c;
}

std::string& AnselStringToUpper(std::string& text) {
  for (char& ch : text) ch = static_cast<char>(AnselCharToUpper(static_cast<unsigned char>(ch)));
  return text;
}

std::string& AnselStringToLower(std::string& text) {
  for (char& ch : text) ch = static_cast<char>(AnselCharToLower(static_cast<unsigned char>(ch)));
  return text;
}

char* AnselStringToUpper(char* text) {
  if (text == nullptr) return text;
  for (char* p = text; *p != '\0'; ++p) {
    *p = static_cast<char>(AnselCharToUpper(static_cast<unsigned char>(*p)));
  }
  return text;
}

char* AnselStringToLower(char* text) {
  if (text == nullptr) return text;
  for (char* p = text; *p != '\0'; ++p) {
    *p = static_cast<char>(AnselCharToLower(static_cast<unsigned char>(*p)));
  }
  return text;
}
