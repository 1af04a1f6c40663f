#include "CodePage.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <unordered_map>

namespace plat {
namespace {

constexpr std::array<char16_t, 128> kHigh1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039,
    0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, 0x00A0, 0x00A1, 0x00A2, 0x00A3,
    0x00A4, 0x00A5, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x00B9, 0x00BA, 0x00BB,
    0x00BC, 0x00BD, 0x00BE, 0x00BF, 0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF, 0x00D0, 0x00D1, 0x00D2, 0x00D3,
    0x00D4, 0x00D5, 0x00D6, 0x00D7, 0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7, 0x00E8, 0x00E9, 0x00EA, 0x00EB,
    0x00EC, 0x00ED, 0x00EE, 0x00EF, 0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

constexpr std::array<char16_t, 128> kHigh1250 = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Base letters of U+00C0..U+017F, in the case of the character itself.
constexpr std::string_view kLatinBase =
    "AAAAAAACEEEEIIIIDNOOOOO*OUUUUYTsaaaaaaaceeeeiiiidnooooo/ouuuuyty"
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

// Characters the family file can hold that a code page may lack: letters
// and signs held whole, then the combining accents. Index i travels as the
// pair (lead, kPrivateSecond[i % size]), lead kPrivateLead for the first
// kPrivateSecond.size() entries and kPrivateLead2 after them.
constexpr char32_t kPrivateChars[] = {
    0x0141,
    0x0142,
    0x0110,
    0x0111,
    0x0131,
    0x01A0,
    0x01A1,
    0x01AF,
    0x01B0,
    0x02B9,
    0x02BA,
    0x02BB,
    0x02BC,
    0x266D,
    0x266F,
    0x25A1,
    0x25A0,
    0x2113,
    0x2117,
    0x00D8,
    0x00F8,
    0x00DE,
    0x00FE,
    0x00C6,
    0x00E6,
    0x0152,
    0x0153,
    0x00F0,
    0x00B7,
    0x00AE,
    0x00B1,
    0x00A3,
    0x00B0,
    0x00A9,
    0x00BF,
    0x00A1,
    0x00DF,
    // Combining accents.
    0x0300,
    0x0301,
    0x0302,
    0x0303,
    0x0304,
    0x0306,
    0x0307,
    0x0308,
    0x030A,
    0x030B,
    0x030C,
    0x0310,
    0x0313,
    0x0315,
    0x031C,
    0x0323,
    0x0324,
    0x0325,
    0x0326,
    0x0327,
    0x0328,
    0x032E,
    0x0332,
    0x0333,
    0x0309,
    0xFE20,
    0xFE21,
    0xFE22,
    0xFE23,
};

// Second bytes of a private pair: bytes that are no letter and that no case
// mapping changes, in 1252 and in 1250 alike.
constexpr unsigned char kPrivateSecond[] = {
    0x80, 0x82, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8B, 0x91, 0x92, 0x93, 0x94, 0x95,
    0x96, 0x97, 0x98, 0x99, 0x9B, 0xA0, 0xA1, 0xA2, 0xA4, 0xA6, 0xA7, 0xA8, 0xA9, 0xAB,
    0xAC, 0xAD, 0xAE, 0xB0, 0xB1, 0xB2, 0xB4, 0xB6, 0xB7, 0xB8, 0xBB, 0xBD, 0xD7, 0xF7,
};
constexpr std::size_t kSecondCount = std::size(kPrivateSecond);
static_assert(std::size(kPrivateChars) <= 2 * kSecondCount);

// Letters composed of a base letter and one accent: the capitals of Latin-1
// and Latin Extended-A (each small letter follows from its capital), and
// the ones without such a partner.
struct Composition {
  char32_t composed;
  char base;
  char32_t accent;
};

constexpr Composition kCapitals[] = {
    {0xC0, 'A', 0x300},  {0xC1, 'A', 0x301},  {0xC2, 'A', 0x302},  {0xC3, 'A', 0x303},
    {0xC4, 'A', 0x308},  {0xC5, 'A', 0x30A},  {0xC7, 'C', 0x327},  {0xC8, 'E', 0x300},
    {0xC9, 'E', 0x301},  {0xCA, 'E', 0x302},  {0xCB, 'E', 0x308},  {0xCC, 'I', 0x300},
    {0xCD, 'I', 0x301},  {0xCE, 'I', 0x302},  {0xCF, 'I', 0x308},  {0xD1, 'N', 0x303},
    {0xD2, 'O', 0x300},  {0xD3, 'O', 0x301},  {0xD4, 'O', 0x302},  {0xD5, 'O', 0x303},
    {0xD6, 'O', 0x308},  {0xD9, 'U', 0x300},  {0xDA, 'U', 0x301},  {0xDB, 'U', 0x302},
    {0xDC, 'U', 0x308},  {0xDD, 'Y', 0x301},  {0x100, 'A', 0x304}, {0x102, 'A', 0x306},
    {0x104, 'A', 0x328}, {0x106, 'C', 0x301}, {0x108, 'C', 0x302}, {0x10A, 'C', 0x307},
    {0x10C, 'C', 0x30C}, {0x10E, 'D', 0x30C}, {0x112, 'E', 0x304}, {0x114, 'E', 0x306},
    {0x116, 'E', 0x307}, {0x118, 'E', 0x328}, {0x11A, 'E', 0x30C}, {0x11C, 'G', 0x302},
    {0x11E, 'G', 0x306}, {0x120, 'G', 0x307}, {0x122, 'G', 0x327}, {0x124, 'H', 0x302},
    {0x128, 'I', 0x303}, {0x12A, 'I', 0x304}, {0x12C, 'I', 0x306}, {0x12E, 'I', 0x328},
    {0x134, 'J', 0x302}, {0x136, 'K', 0x327}, {0x139, 'L', 0x301}, {0x13B, 'L', 0x327},
    {0x13D, 'L', 0x30C}, {0x143, 'N', 0x301}, {0x145, 'N', 0x327}, {0x147, 'N', 0x30C},
    {0x14C, 'O', 0x304}, {0x14E, 'O', 0x306}, {0x150, 'O', 0x30B}, {0x154, 'R', 0x301},
    {0x156, 'R', 0x327}, {0x158, 'R', 0x30C}, {0x15A, 'S', 0x301}, {0x15C, 'S', 0x302},
    {0x15E, 'S', 0x327}, {0x160, 'S', 0x30C}, {0x162, 'T', 0x327}, {0x164, 'T', 0x30C},
    {0x168, 'U', 0x303}, {0x16A, 'U', 0x304}, {0x16C, 'U', 0x306}, {0x16E, 'U', 0x30A},
    {0x170, 'U', 0x30B}, {0x172, 'U', 0x328}, {0x174, 'W', 0x302}, {0x176, 'Y', 0x302},
    {0x179, 'Z', 0x301}, {0x17B, 'Z', 0x307}, {0x17D, 'Z', 0x30C},
};

constexpr Composition kUnpaired[] = {
    {0x130, 'I', 0x307},
    {0x178, 'Y', 0x308},
    {0xFF, 'y', 0x308},
};

// The small letter of a capital in kCapitals: Latin-1 lies 0x20 above,
// Latin Extended-A right after.
char32_t SmallOf(char32_t capital) { return capital < 0x100 ? capital + 0x20 : capital + 1; }

// Look-alikes of private characters for output limited to the code page.
constexpr struct {
  char32_t u;
  char32_t alike;
} kLookAlikes[] = {
    {0x0141, 'L'},  {0x0142, 'l'}, {0x0110, 0xD0}, {0x0111, 'd'},  {0x0131, 'i'}, {0x01A0, 'O'},
    {0x01A1, 'o'},  {0x01AF, 'U'}, {0x01B0, 'u'},  {0x02B9, '\''}, {0x02BA, '"'}, {0x02BB, '\''},
    {0x02BC, '\''}, {0x266D, 'b'}, {0x266F, '#'},  {0x2113, 'l'},  {0x00D8, 'O'}, {0x00F8, 'o'},
    {0x00F0, 'd'},  {0x00C6, 'A'}, {0x00E6, 'a'},  {0x0152, 'O'},  {0x0153, 'o'}, {0x00DF, 's'},
};

bool IsCombining(char32_t u) { return (u >= 0x300 && u < 0x370) || (u >= 0xFE20 && u < 0xFE30); }

std::atomic<int> g_codePage{0};

const std::array<char16_t, 128>& HighTable(int codePage) {
  return codePage == kCodePageCentralEuropean ? kHigh1250 : kHigh1252;
}

const std::unordered_map<char32_t, unsigned char>& ReverseTable(int codePage) {
  static const auto build = [](const std::array<char16_t, 128>& table) {
    std::unordered_map<char32_t, unsigned char> map;
    for (int i = 0; i < 128; ++i) map.emplace(table[i], static_cast<unsigned char>(0x80 + i));
    return map;
  };
  static const auto r1252 = build(kHigh1252);
  static const auto r1250 = build(kHigh1250);
  return codePage == kCodePageCentralEuropean ? r1250 : r1252;
}

char BaseOf(char32_t u) {
  if (u < 0x80) return static_cast<char>(u);
  if (u >= 0xC0 && u < 0x180) return kLatinBase[u - 0xC0];
  if (u == 0x178) return 'Y';
  return 0;
}

bool UnicodeIsUpper(char32_t u) {
  if (u < 0x80) return u >= 'A' && u <= 'Z';
  if (u == 0xD7 || u == 0xDF) return false;
  if (u >= 0xC0 && u < 0x180) {
    char b = BaseOf(u);
    return b >= 'A' && b <= 'Z';
  }
  return u == 0x178;
}

bool UnicodeIsLower(char32_t u) {
  if (u < 0x80) return u >= 'a' && u <= 'z';
  if (u == 0xF7) return false;
  if (u == 0xAA || u == 0xBA || u == 0xB5 || u == 0x192) return true;
  if (u >= 0xC0 && u < 0x180) {
    char b = BaseOf(u);
    return b >= 'a' && b <= 'z';
  }
  return false;
}

char32_t UnicodeUpper(char32_t u) {
  if (u < 0x80) return (u >= 'a' && u <= 'z') ? u - 0x20 : u;
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return u - 0x20;
  if (u == 0xFF) return 0x178;
  if (u > 0x100 && u < 0x180 && UnicodeIsLower(u) && UnicodeIsUpper(u - 1) &&
      BaseOf(u - 1) == BaseOf(u) - 0x20)
    return u - 1;
  return u;
}

char32_t UnicodeLower(char32_t u) {
  if (u < 0x80) return (u >= 'A' && u <= 'Z') ? u + 0x20 : u;
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return u + 0x20;
  if (u == 0x178) return 0xFF;
  if (u >= 0x100 && u < 0x17F && UnicodeIsUpper(u) && UnicodeIsLower(u + 1) &&
      BaseOf(u + 1) == BaseOf(u) + 0x20)
    return u + 1;
  return u;
}

unsigned char MapByte(unsigned char c, char32_t (*fn)(char32_t)) {
  int cp = ActiveCodePage();
  int r = UnicodeToAnsiChar(fn(AnsiCharToUnicode(c, cp)), cp);
  return r < 0 ? c : static_cast<unsigned char>(r);
}

}  // namespace

int CodePageForLocale(std::string_view locale) {
  static constexpr std::string_view kCentral[] = {"cs", "sk", "pl", "hu", "sl",
                                                  "hr", "bs", "sr", "ro", "sq"};
  std::string_view lang = locale.substr(0, locale.find_first_of("_.@"));
  for (auto code : kCentral)
    if (lang == code) return kCodePageCentralEuropean;
  return kCodePageWestern;
}

int ActiveCodePage() {
  int cp = g_codePage.load();
  if (cp != 0) return cp;
  cp = kCodePageWestern;
  if (const char* forced = std::getenv("KORVANE_CODEPAGE");
      forced && std::string_view(forced) == "1250") {
    cp = kCodePageCentralEuropean;
  } else if (!forced || std::string_view(forced) != "1252") {
    for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
      if (const char* v = std::getenv(var); v && *v) {
        cp = CodePageForLocale(v);
        break;
      }
    }
  }
  g_codePage.store(cp);
  return cp;
}

void SetActiveCodePage(int codePage) {
  if (codePage == kCodePageWestern || codePage == kCodePageCentralEuropean)
    g_codePage.store(codePage);
}

char32_t AnsiCharToUnicode(unsigned char c, int codePage) {
  return c < 0x80 ? c : HighTable(codePage)[c - 0x80];
}

int UnicodeToAnsiChar(char32_t u, int codePage) {
  if (u < 0x80) return static_cast<int>(u);
  const auto& rev = ReverseTable(codePage);
  auto it = rev.find(u);
  return it == rev.end() ? -1 : it->second;
}

void AppendUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (u >> 18));
    out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

char32_t NextUtf8(std::string_view s, std::size_t& pos) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char c = byte(pos);
  if (c < 0x80) {
    ++pos;
    return c;
  }
  int extra = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
  if (extra < 0 || pos + extra >= s.size()) {
    ++pos;
    return kUnmappableUnicode;
  }
  char32_t u = c & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    unsigned char cc = byte(pos + i);
    if ((cc & 0xC0) != 0x80) {
      ++pos;
      return kUnmappableUnicode;
    }
    u = (u << 6) | (cc & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (u < kMin[extra] || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) {
    ++pos;
    return kUnmappableUnicode;
  }
  pos += extra + 1;
  return u;
}

char32_t PrivateCharAt(std::string_view s, std::size_t pos) {
  if (pos + 1 >= s.size()) return 0;
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (lead != kPrivateLead && lead != kPrivateLead2) return 0;
  const auto second = static_cast<unsigned char>(s[pos + 1]);
  const auto* end = std::end(kPrivateSecond);
  const auto* at = std::find(std::begin(kPrivateSecond), end, second);
  if (at == end) return 0;
  const std::size_t index = static_cast<std::size_t>(at - std::begin(kPrivateSecond)) +
                            (lead == kPrivateLead2 ? kSecondCount : 0);
  return index < std::size(kPrivateChars) ? kPrivateChars[index] : 0;
}

bool AppendPrivateChar(std::string& out, char32_t u) {
  const auto* end = std::end(kPrivateChars);
  const auto* at = std::find(std::begin(kPrivateChars), end, u);
  if (at == end) return false;
  const auto index = static_cast<std::size_t>(at - std::begin(kPrivateChars));
  out += static_cast<char>(index < kSecondCount ? kPrivateLead : kPrivateLead2);
  out += static_cast<char>(kPrivateSecond[index % kSecondCount]);
  return true;
}

char32_t ComposeLetter(char32_t base, char32_t accent) {
  for (const auto& c : kCapitals) {
    if (c.accent != accent) continue;
    if (base == static_cast<char32_t>(c.base)) return c.composed;
    if (base == static_cast<char32_t>(c.base) + 0x20) return SmallOf(c.composed);
  }
  for (const auto& c : kUnpaired)
    if (c.accent == accent && base == static_cast<char32_t>(c.base)) return c.composed;
  return 0;
}

bool DecomposeLetter(char32_t u, char32_t& base, char32_t& accent) {
  for (const auto& c : kUnpaired) {
    if (c.composed == u) {
      base = static_cast<unsigned char>(c.base);
      accent = c.accent;
      return true;
    }
  }
  for (const auto& c : kCapitals) {
    if (c.composed == u || SmallOf(c.composed) == u) {
      base = static_cast<unsigned char>(c.base) + (c.composed == u ? 0 : 0x20);
      accent = c.accent;
      return true;
    }
  }
  return false;
}

bool AppendAnsiChar(std::string& out, char32_t u, int codePage) {
  if (const int b = UnicodeToAnsiChar(u, codePage); b >= 0) {
    out += static_cast<char>(b);
    return true;
  }
  if (AppendPrivateChar(out, u)) return true;
  // Capital eth and D with stroke look the same and are one letter in ANSEL.
  if (u == 0xD0) return AppendAnsiChar(out, 0x110, codePage);
  char32_t base = 0, accent = 0;
  if (DecomposeLetter(u, base, accent)) {
    out += static_cast<char>(base);
    return AppendPrivateChar(out, accent);
  }
  out += kUnmappableAnsi;
  return false;
}

char32_t NextAnsiChar(std::string_view s, std::size_t& pos, int codePage) {
  if (const char32_t u = PrivateCharAt(s, pos)) {
    pos += 2;
    return u;
  }
  return AnsiCharToUnicode(static_cast<unsigned char>(s[pos++]), codePage);
}

bool IsCharacterBoundary(std::string_view s, std::size_t pos) {
  if (pos == 0 || pos >= s.size()) return true;
  if (PrivateCharAt(s, pos - 1) != 0) return false;  // the second byte of a pair
  return !IsCombining(PrivateCharAt(s, pos));
}

std::string WithoutPrivateChars(std::string_view ansi, int codePage) {
  std::string out;
  out.reserve(ansi.size());
  for (std::size_t pos = 0; pos < ansi.size();) {
    const char32_t u = PrivateCharAt(ansi, pos);
    if (u == 0) {
      out += ansi[pos++];
      continue;
    }
    pos += 2;
    if (IsCombining(u)) continue;  // the base letter stands alone
    const auto* alike = std::find_if(std::begin(kLookAlikes), std::end(kLookAlikes),
                                     [u](const auto& a) { return a.u == u; });
    const int b = alike == std::end(kLookAlikes) ? -1 : UnicodeToAnsiChar(alike->alike, codePage);
    out += b < 0 ? kUnmappableAnsi : static_cast<char>(b);
  }
  return out;
}

std::string AnsiToUtf8(std::string_view ansi, int codePage) {
  std::string out;
  out.reserve(ansi.size() + ansi.size() / 4);
  char32_t held = 0;  // the last character, kept back to compose with an accent
  for (std::size_t pos = 0; pos < ansi.size();) {
    const char32_t u = NextAnsiChar(ansi, pos, codePage);
    if (held != 0) {
      if (const char32_t composed = ComposeLetter(held, u)) {
        held = composed;
        continue;
      }
      AppendUtf8(out, held);
    }
    held = u;
  }
  if (held != 0) AppendUtf8(out, held);
  return out;
}

std::string AnsiToUtf8(std::string_view ansi) { return AnsiToUtf8(ansi, ActiveCodePage()); }

std::string Utf8ToAnsi(std::string_view utf8, int codePage) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) AppendAnsiChar(out, NextUtf8(utf8, pos), codePage);
  return out;
}

std::string Utf8ToAnsi(std::string_view utf8) { return Utf8ToAnsi(utf8, ActiveCodePage()); }

int Utf8LossCount(std::string_view utf8, int codePage) {
  int lost = 0;
  std::string scratch;
  for (std::size_t pos = 0; pos < utf8.size();) {
    scratch.clear();
    if (!AppendAnsiChar(scratch, NextUtf8(utf8, pos), codePage)) ++lost;
  }
  return lost;
}

bool IsAnsiUpper(unsigned char c) { return UnicodeIsUpper(AnsiCharToUnicode(c, ActiveCodePage())); }
bool IsAnsiLower(unsigned char c) { return UnicodeIsLower(AnsiCharToUnicode(c, ActiveCodePage())); }
bool IsAnsiAlpha(unsigned char c) { return IsAnsiUpper(c) || IsAnsiLower(c); }
unsigned char AnsiToUpper(unsigned char c) { return MapByte(c, UnicodeUpper); }
unsigned char AnsiToLower(unsigned char c) { return MapByte(c, UnicodeLower); }

namespace {

std::string MapCase(std::string_view s, unsigned char (*byteMap)(unsigned char),
                    char32_t (*charMap)(char32_t)) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t pos = 0; pos < s.size();) {
    if (const char32_t u = PrivateCharAt(s, pos)) {
      const std::size_t at = out.size();
      if (!AppendAnsiChar(out, charMap(u), ActiveCodePage())) {
        out.resize(at);
        out.append(s.substr(pos, 2));
      }
      pos += 2;
    } else {
      out += static_cast<char>(byteMap(static_cast<unsigned char>(s[pos++])));
    }
  }
  return out;
}

}  // namespace

std::string AnsiUpper(std::string_view s) { return MapCase(s, AnsiToUpper, UnicodeUpper); }

std::string AnsiLower(std::string_view s) { return MapCase(s, AnsiToLower, UnicodeLower); }

unsigned char AnsiBaseLetter(unsigned char c) {
  char32_t u = AnsiCharToUnicode(c, ActiveCodePage());
  char b = BaseOf(u);
  if (u >= 0x80 && b != 0 && ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')))
    return static_cast<unsigned char>(b);
  return c;
}

int CompareAnsi(std::string_view a, std::string_view b, bool ignoreCase) {
  auto primary = [](unsigned char c) { return static_cast<int>(AnsiToUpper(AnsiBaseLetter(c))); };
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    int d = primary(static_cast<unsigned char>(a[i])) - primary(static_cast<unsigned char>(b[i]));
    if (d != 0) return d;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (std::size_t i = 0; i < n; ++i) {
    auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
    int d = static_cast<int>(AnsiToUpper(ca)) - static_cast<int>(AnsiToUpper(cb));
    if (d != 0) return d;
  }
  if (ignoreCase) return 0;
  for (std::size_t i = 0; i < n; ++i) {
    auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
    if (ca != cb) return IsAnsiLower(ca) ? -1 : IsAnsiLower(cb) ? 1 : ca - cb;
  }
  return 0;
}

}  // namespace plat
