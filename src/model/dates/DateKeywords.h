#pragma once
// The keyword lists of dates: ordinance status words, month names and
// qualifiers, in English (the interchange form) and in the interface language
// (strings 6200-6202), each as written and upper-cased.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct DateKeywordList {
  std::vector<std::string> written;  // entries as the text has them
  std::vector<std::string> upper;    // the same entries upper-cased
};

struct DateKeywordSet {
  DateKeywordList status;      // 17 entries; entry 15 is also the BC word
  DateKeywordList months;      // 24 entries: short names 0-11, long names 12-23
  DateKeywordList qualifiers;  // 14 entries: short 0-6, long 7-13 (0 and 7 empty)
};

inline constexpr std::size_t kStatusWordCount = 17;
inline constexpr std::size_t kMonthNameCount = 24;
inline constexpr std::size_t kQualifierWordCount = 14;
inline constexpr std::size_t kBcWordIndex = 15;

// Splits a '|'-separated list.
DateKeywordList SplitKeywordList(std::string_view text);

// Builds the English lists and the interface-language lists from the string
// table (a list missing or of the wrong length there falls back to English).
// Called once at start-up and again after the interface language changes;
// the accessors load on first use as well.
void LoadDateKeywords();
void ReleaseDateKeywords();
const DateKeywordSet& EnglishDateKeywords();
const DateKeywordSet& InterfaceDateKeywords();

// Matches a keyword of list at text[pos]: an entry matches when the text
// equals it and ends there, or when at least minimum leading characters
// agree and the text at the first difference ends or holds one of the
// terminators. Advances pos past the agreeing characters and returns the
// entry's index; -1 (pos unchanged) when none matches or fewer than minimum
// characters remain.
int MatchKeyword(std::string_view text, std::size_t& pos, const std::vector<std::string>& list,
                 std::string_view terminators, std::size_t minimum = 2);
