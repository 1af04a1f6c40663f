#include "MixedCase.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

#include "Ansel.h"

namespace names {
namespace {

// Words that stay lower-case in personal names.
constexpr const char* kListA[] = {
    "ap",    "au",  "da",     "de",  "degli", "dei",    "dela",   "delas", "della",  "dello",
    "delos", "den", "der",    "di",  "do",    "du",     "el",     "et",    "las",    "los",
    "of",    "op",  "or",     "te",  "ten",   "ter",    "uijt",   "uit",   "uitden", "und",
    "under", "up",  "uyt",    "van", "vande", "vanden", "vander", "vd",    "vdr",    "vn",
    "vom",   "von", "vonder", "zer", "zu",    "zum",    "zur"};

// Words that stay lower-case in place names and other texts; the accented
// ones in the Western code page, converted to ANSEL with the rest.
constexpr const char* kListB[] = {"'r",
                                  "'s",
                                  "'t",
                                  "a",
                                  "a'r",
                                  "aan",
                                  "abu",
                                  "ad",
                                  "agli",
                                  "ai",
                                  "al",
                                  "alla",
                                  "alle",
                                  "am",
                                  "an",
                                  "and",
                                  "ap",
                                  "as",
                                  "ash",
                                  "at",
                                  "au",
                                  "auf",
                                  "aux",
                                  "az",
                                  "a\xE1",
                                  "bei",
                                  "by",
                                  "cogli",
                                  "coi",
                                  "col",
                                  "colla",
                                  "colle",
                                  "da",
                                  "dans",
                                  "das",
                                  "de",
                                  "degli",
                                  "dei",
                                  "del",
                                  "della",
                                  "dello",
                                  "dem",
                                  "den",
                                  "der",
                                  "des",
                                  "det",
                                  "di",
                                  "do",
                                  "dos",
                                  "du",
                                  "ed",
                                  "el",
                                  "en",
                                  "es",
                                  "et",
                                  "het",
                                  "ibn",
                                  "im",
                                  "in",
                                  "juxta",
                                  "la",
                                  "las",
                                  "le",
                                  "les",
                                  "los",
                                  "med",
                                  "n",
                                  "na",
                                  "naarbij",
                                  "nad",
                                  "near",
                                  "negli",
                                  "nei",
                                  "nel",
                                  "nella",
                                  "nelle",
                                  "nr",
                                  "o",
                                  "ob",
                                  "och",
                                  "of",
                                  "og",
                                  "on",
                                  "op",
                                  "or",
                                  "os",
                                  "pri",
                                  "przy",
                                  "sous",
                                  "sugli",
                                  "sui",
                                  "sul",
                                  "sulla",
                                  "sullo",
                                  "super",
                                  "sur",
                                  "te",
                                  "ten",
                                  "ter",
                                  "the",
                                  "to",
                                  "u",
                                  "uber",
                                  "ueber",
                                  "um",
                                  "und",
                                  "under",
                                  "upon",
                                  "u\xE8"
                                  "ber",
                                  "van",
                                  "vander",
                                  "ved",
                                  "von",
                                  "vor",
                                  "y",
                                  "y'r",
                                  "zu",
                                  "zum",
                                  "zur"};

using WordList = std::set<std::string, std::less<>>;

WordList ToAnselList(const char* const* words, std::size_t n) {
  WordList list;
  for (std::size_t i = 0; i < n; ++i) {
    std::string word = AnsiToAnsel(words[i], -1, 1252);
    list.insert(AnselStringToLower(word));
  }
  return list;
}

const WordList& ListA() {
  static const WordList list = ToAnselList(kListA, std::size(kListA));
  return list;
}

const WordList& ListB() {
  static const WordList list = ToAnselList(kListB, std::size(kListB));
  return list;
}

bool IsSeparator(unsigned char c) {
  switch (c) {
    case ' ':
    case '"':
    case '(':
    case ')':
    case '-':
    case '.':
    case '/':
    case ';':
    case '<':
    case '>':
    case '[':
    case ']':
      return true;
    default:
      return false;
  }
}

bool IsPieceBreak(unsigned char c) {
  switch (c) {
    case ' ':
    case '(':
    case ')':
    case '"':
    case '.':
    case '\'':
    case '-':
    case ',':
    case '<':
    case '>':
      return true;
    default:
      return false;
  }
}

// The word, or a piece of it between the break characters, is in the list.
bool InList(std::string_view word, const WordList& list) {
  if (list.count(word)) return true;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= word.size(); ++i) {
    if (i == word.size() || IsPieceBreak(static_cast<unsigned char>(word[i]))) {
      if (i > start && list.count(word.substr(start, i - start))) return true;
      start = i + 1;
    }
  }
  return false;
}

// The letters of a word, not counting combining diacritics.
std::size_t Letters(std::string_view word) {
  return static_cast<std::size_t>(std::count_if(word.begin(), word.end(), [](char c) {
    return !IsAnselDiacritic(static_cast<unsigned char>(c));
  }));
}

// Upper-cases the first letter at or after byte position at of the word.
void Capitalise(std::string& text, std::size_t wordStart, std::size_t wordEnd, std::size_t at) {
  for (std::size_t i = wordStart + at; i < wordEnd; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsAnselDiacritic(c)) continue;
    text[i] = static_cast<char>(AnselCharToUpper(c));
    return;
  }
}

bool StartsWith(std::string_view word, std::string_view head) {
  return word.substr(0, head.size()) == head;
}

constexpr const char* kRoman[] = {"i", "ii", "iii", "iv", "v", "vi", "vii", "viii", "ix", "x"};

void ConvertWord(std::string& text, std::size_t start, std::size_t end, const WordList& list,
                 bool skipList) {
  const std::string_view word(text.data() + start, end - start);
  if (!skipList && InList(word, list)) return;
  const std::size_t letters = Letters(word);
  // Prefixes: a second capital after them.
  std::size_t second = 0;
  if (StartsWith(word, "mac") && word.size() > 3)
    second = 3;
  else if (StartsWith(word, "mc") && letters >= 3)
    second = 2;
  else if (StartsWith(word, "fitz") && word.size() > 4)
    second = 4;
  else if ((StartsWith(word, "o'") || StartsWith(word, "m'")) && letters >= 3)
    second = 2;
  if (second) {
    Capitalise(text, start, end, 0);
    Capitalise(text, start, end, second);
    return;
  }
  // Elided articles: the article stays lower-case, the name after it not.
  std::size_t only = 0;
  for (const char* article : {"coll'", "dell'", "nell'", "sull'"})
    if (StartsWith(word, article) && word.size() > 5) only = 5;
  if (!only && StartsWith(word, "all'") && letters >= 5) only = 4;
  if (!only && (StartsWith(word, "l'") || StartsWith(word, "d'")) && word.size() > 2) only = 2;
  if (only) {
    Capitalise(text, start, end, only);
    return;
  }
  for (const char* numeral : kRoman) {
    if (word == numeral) {
      for (std::size_t i = start; i < end; ++i)
        text[i] = static_cast<char>(AnselCharToUpper(static_cast<unsigned char>(text[i])));
      return;
    }
  }
  Capitalise(text, start, end, 0);
}

}  // namespace

std::string ToMixedCase(const std::string& ansel, int kind) {
  std::string text = ansel;
  if (kind == kKindUpper) return AnselStringToUpper(text);
  if (kind != kKindPersonal && kind != kKindPlace) return text;
  AnselStringToLower(text);
  const WordList& list = kind == kKindPersonal ? ListA() : ListB();
  const bool firstWordException = kind == kKindPlace;
  bool first = true;
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsSeparator(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && !IsSeparator(static_cast<unsigned char>(text[end]))) ++end;
    const bool skipList =
        first && firstWordException && std::string_view(text.data() + i, end - i) != "of";
    ConvertWord(text, i, end, list, skipList);
    first = false;
    i = end;
  }
  return text;
}

}  // namespace names
