#include "TextRoutines.h"

#include <algorithm>

#include "CodePage.h"
#include "DbCodes.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

std::size_t FindParagraphEnd(std::string_view text, std::size_t& next, std::size_t& firstBreak) {
  std::size_t end = text.find("\r\n\r\n");
  std::size_t length = end == std::string_view::npos ? text.size() : end;
  if (length > kMaxParagraphLength) {
    // Hand out the rest as the next piece instead of skipping it.
    length = kMaxParagraphLength;
    next = length;
  } else {
    next = end == std::string_view::npos ? std::string_view::npos : end + 4;
  }
  // A break at offset 0 counts as none: the first word is the paragraph.
  firstBreak = length;
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] == ' ' || (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      if (i > 0) firstBreak = i;
      break;
    }
  }
  return length;
}

void SplitTextInHalf(std::string_view text, std::string& firstLine, std::string& secondLine) {
  const std::size_t middle = text.size() / 2;
  const std::size_t before = middle == 0 ? std::string_view::npos : text.rfind(' ', middle - 1);
  const std::size_t after = text.find(' ', middle);
  std::size_t split = std::string_view::npos;
  if (before == std::string_view::npos) {
    split = after;
  } else if (after == std::string_view::npos) {
    split = before;
  } else {
    // The characters between the earlier blank and the middle against the
    // later blank's offset from the middle; a tie goes to the later blank.
    split = middle - before - 1 < after - middle ? before : after;
  }
  if (split == std::string_view::npos) {
    firstLine.assign(text);
    secondLine.clear();
    return;
  }
  firstLine.assign(text.substr(0, split));
  secondLine.assign(text.substr(split + 1));
}

std::string JoinWithBlanks(std::string_view first, std::string_view second,
                           std::string_view third) {
  std::string out(first);
  for (std::string_view part : {second, third}) {
    if (part.empty()) continue;
    if (!out.empty() && out.back() != ' ') out += ' ';
    out += part;
  }
  return out;
}

int GetStarredName(std::string& name) {
  if (!name.empty() && name[0] == '*') {
    std::size_t close = name.find('*', 1);
    if (close == std::string::npos) return 0;
    name = name.substr(1, close - 1);
    return 1;
  }
  std::size_t star = name.find('*');
  if (star != std::string::npos && star + 1 < name.size()) name.resize(star + 1);
  return 0;
}

void RemoveAsterisks(std::string& name) { std::erase(name, '*'); }

std::string FormatWithArgs(std::string_view format, std::span<const char* const> texts) {
  std::string out;
  out.reserve(format.size());
  for (std::size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c == '%' && i + 1 < format.size() && format[i + 1] >= '1' && format[i + 1] <= '9') {
      std::size_t n = static_cast<std::size_t>(format[++i] - '0');
      if (n > texts.size()) {
        out += '?';
      } else if (texts[n - 1] != nullptr) {
        out += texts[n - 1];
      }
      continue;
    }
    out += c;
  }
  return out;
}

std::string FormatWithArgs(std::string_view format, std::initializer_list<const char*> texts) {
  return FormatWithArgs(format, std::span<const char* const>(texts.begin(), texts.size()));
}

std::vector<std::string> SplitComboItems(std::string_view list) {
  std::vector<std::string> items;
  if (list.empty()) return items;
  for (;;) {
    std::size_t bar = list.find('|');
    items.emplace_back(list.substr(0, bar));
    if (bar == std::string_view::npos) break;
    list.remove_prefix(bar + 1);
  }
  return items;
}

std::vector<std::string> ComboItemsFromString(unsigned stringId) {
  return SplitComboItems(res::LoadString(stringId));
}

std::string GetAndWord() {
  std::string word = res::LoadString(res::kIdsAndWord);
  std::string language = plat::AnsiUpper(plat::Profile().GetString("Options", "LanguageUI", ""));
  if (language == "FR") word.insert(word.begin(), ',');
  return word;
}

unsigned CitationOwnerStringId(char ownerLetter) {
  switch (ownerLetter) {
    case db::kOwnerBaptism:
      return 7101;  // "Baptism"
    case db::kOwnerBirth:
      return 5498;  // "Birth"
    case db::kOwnerDeath:
      return 5499;  // "Death"
    case db::kOwnerEndowment:
      return 7207;  // "Endowment"
    case db::kOwnerMarriageEvent:
      return 5250;  // "Marriage Event"
    case db::kOwnerIndividual:
      return 5497;  // "Record"
    case db::kOwnerMarriage:
      return 5288;  // "Marriage Record"
    case db::kOwnerSealingToParents:
    case db::kOwnerFamilyLink:
      return 5249;  // "Sealing to Parent"
    case db::kOwnerBurial:
      return 5500;  // "Burial"
    case db::kOwnerSealingToSpouse:
      return 5259;  // "Sealing to Spouse"
    default:
      return 0;
  }
}
