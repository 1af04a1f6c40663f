// Reading typed dates: keywords, up to five tokens, and the interpretation
// of their order.

#include <algorithm>
#include <vector>

#include "CodePage.h"
#include "DateKeywords.h"
#include "DateValue.h"

namespace {

constexpr std::string_view kSeparators = " .,-/";

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }
bool IsSeparator(unsigned char c) {
  return IsControl(c) || kSeparators.find(static_cast<char>(c)) != std::string_view::npos;
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The parser's view of the text: leading separators and control characters
// skipped, control characters as blanks, trailing blanks and separators cut.
std::string TrimForParse(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsSeparator(static_cast<unsigned char>(text[start]))) ++start;
  std::string out;
  out.reserve(text.size() - start);
  for (std::size_t i = start; i < text.size(); ++i)
    out.push_back(IsControl(static_cast<unsigned char>(text[i])) ? ' ' : text[i]);
  while (!out.empty() && IsSeparator(static_cast<unsigned char>(out.back()))) out.pop_back();
  return out;
}

// What a text-only date keeps of the typed text: all of it, with control
// characters as blanks and the blanks at both ends cut.
std::string TrimForText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) out.push_back(IsControl(static_cast<unsigned char>(c)) ? ' ' : c);
  const std::size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

struct Token {
  bool isName = false;
  int value = 0;         // the number, or the month of a name
  int leadingZeros = 0;  // '0' characters before the first other digit (all of "0" and "00")
  int digits = 0;        // written digits
  char separator = 0;    // the last non-blank separator after the token, 0 none
};

int DecimalDigits(int v) {
  int n = 1;
  while (v >= 10) {
    v /= 10;
    ++n;
  }
  return n;
}

bool CanBeDay(const Token& t) { return !t.isName && t.value < 32 && t.leadingZeros <= 1; }

class Parser {
 public:
  Parser(const std::string& upper, const DateKeywordSet& keywords, bool dayFirst)
      : s_(upper), kw_(keywords), dayFirst_(dayFirst) {}

  int Run(CDateValue& out);

 private:
  char SkipSeparators();
  int Interpret();
  int InterpretMonthFirst();
  void InterpretTwoNumbers();
  int InterpretThreeNumbers();
  int InterpretDoubleDays();
  int Value(int i) const { return tokens_[static_cast<std::size_t>(i)].value; }
  char Separator(int i) const { return tokens_[static_cast<std::size_t>(i)].separator; }
  void MonthFromNumber(int i) {
    month_ = Value(i);
    monthFromNumber_ = true;
  }
  int TakeDual(const Token& t);
  int Finish(CDateValue& out);

  // Interpretation results.
  int day_ = -1, second_ = -1;  // -1 not given
  int month_ = 0;
  bool monthFromNumber_ = false;
  int yearIndex_ = -1;  // token of the year, -1 none
  int lastUsed_ = -1;   // last token used when there is no year
  int year_ = 0, dual_ = 0, qualifier_ = 0;
  bool bc_ = false;

  const std::string& s_;
  const DateKeywordSet& kw_;
  bool dayFirst_;
  std::size_t pos_ = 0;
  std::vector<Token> tokens_;
};

char Parser::SkipSeparators() {
  char last = 0;
  while (pos_ < s_.size() && IsSeparator(static_cast<unsigned char>(s_[pos_]))) {
    if (s_[pos_] != ' ') last = s_[pos_];
    ++pos_;
  }
  return last;
}

int Parser::Run(CDateValue& out) {
  bool monthSeen = false;
  int index = MatchKeyword(s_, pos_, kw_.months.upper, kSeparators);
  if (index >= 0) {
    const int month = index < 12 ? index + 1 : index - 11;
    Token name;
    name.isName = true;
    name.value = month;
    name.separator = SkipSeparators();
    if (pos_ == s_.size()) {
      out.month = static_cast<std::uint8_t>(month);
      return CDateValue::kParseStandard;
    }
    tokens_.push_back(name);
    monthSeen = true;
  } else {
    index = MatchKeyword(s_, pos_, kw_.status.upper, "");
    if (index >= 0) {
      out.month = static_cast<std::uint8_t>(index + CDateValue::kFirstStatus);
      return CDateValue::kParseStandard;
    }
    index = MatchKeyword(s_, pos_, kw_.qualifiers.upper, kSeparators);
    if (index >= 0) {
      qualifier_ = index >= 7 ? index - 7 : index;
      SkipSeparators();
      if (pos_ == s_.size()) return CDateValue::kParseNotStandard;
    }
  }

  const std::vector<std::string> bcWord{kw_.status.upper[kBcWordIndex]};
  while (pos_ < s_.size()) {
    Token t;
    if (IsDigit(s_[pos_])) {
      bool nonzeroSeen = false;
      long long value = 0;
      while (pos_ < s_.size() && IsDigit(s_[pos_])) {
        const int digit = s_[pos_] - '0';
        if (digit != 0) nonzeroSeen = true;
        if (!nonzeroSeen) ++t.leadingZeros;
        if (value < 100000000) value = value * 10 + digit;
        ++t.digits;
        ++pos_;
      }
      t.value = static_cast<int>(value);
    } else {
      std::size_t at = pos_;
      int month = -1;
      if (!monthSeen && tokens_.size() < 3)
        month = MatchKeyword(s_, at, kw_.months.upper, kSeparators);
      if (month >= 0) {
        t.isName = true;
        t.value = month < 12 ? month + 1 : month - 11;
        monthSeen = true;
        pos_ = at;
      } else if (MatchKeyword(s_, at, bcWord, kSeparators) >= 0) {
        pos_ = at;
        SkipSeparators();
        // The BC word ends the date; a BC with no number or month before it
        // would leave a date that shows nothing, so it stays text.
        if (pos_ != s_.size() || tokens_.empty()) return CDateValue::kParseNotStandard;
        bc_ = true;
        break;
      } else {
        return CDateValue::kParseNotStandard;
      }
    }
    if (tokens_.size() == 5) return CDateValue::kParseNotStandard;
    t.separator = SkipSeparators();
    tokens_.push_back(t);
  }
  if (tokens_.empty()) return CDateValue::kParseNotStandard;
  if (Interpret() != CDateValue::kParseStandard) return CDateValue::kParseNotStandard;
  return Finish(out);
}

// A month name first: the day, a second day after '/', then the year.
int Parser::InterpretMonthFirst() {
  const std::vector<Token>& t = tokens_;
  month_ = Value(0);
  switch (tokens_.size()) {
    case 1:
      lastUsed_ = 0;
      break;
    case 2:
      if (CanBeDay(t[1])) {
        day_ = Value(1);
        lastUsed_ = 1;
      } else {
        yearIndex_ = 1;
      }
      break;
    case 3:
      if (Separator(1) == '/' && Separator(0) != '/') {
        if (CanBeDay(t[1]) && CanBeDay(t[2])) {
          day_ = Value(1);
          second_ = Value(2);
          lastUsed_ = 2;
        } else {
          yearIndex_ = 1;
        }
      } else {
        day_ = Value(1);
        yearIndex_ = 2;
      }
      break;
    case 4:
      if (Value(1) >= 32) return CDateValue::kParseNotStandard;
      if (Separator(1) == '/' && Separator(1) != Separator(0) && Separator(1) != Separator(2) &&
          Value(2) < 32) {
        day_ = Value(1);
        second_ = Value(2);
        yearIndex_ = 3;
      } else {
        day_ = Value(1);
        yearIndex_ = 2;
      }
      break;
    default:
      day_ = Value(1);
      second_ = Value(2);
      yearIndex_ = 3;
      break;
  }
  return CDateValue::kParseStandard;
}

// Two numbers: a year alone, a month and year, or a day and month in the
// typing order, the other order when the first cannot be.
void Parser::InterpretTwoNumbers() {
  const Token& a = tokens_[0];
  const Token& b = tokens_[1];
  if (a.leadingZeros >= 2 || a.value >= 32) {
    yearIndex_ = 0;
  } else if (b.leadingZeros >= 2 || b.value >= 32) {
    if (a.value <= 12) {
      MonthFromNumber(0);
      yearIndex_ = 1;
    } else {
      yearIndex_ = 0;
    }
  } else if (dayFirst_) {
    if (b.value <= 12) {
      MonthFromNumber(1);
      day_ = a.value;
      lastUsed_ = 1;
    } else if (a.value < 12) {
      MonthFromNumber(0);
      day_ = b.value;
      lastUsed_ = 1;
    } else {
      yearIndex_ = 0;
    }
  } else {
    if (a.value <= 12) {
      MonthFromNumber(0);
      day_ = b.value;
      lastUsed_ = 1;
    } else if (b.value < 12) {
      MonthFromNumber(1);
      day_ = a.value;
      lastUsed_ = 1;
    } else {
      yearIndex_ = 0;
    }
  }
}

// Three numbers: day, month and year in the typing order, or the shorter
// readings when a number cannot be a month.
int Parser::InterpretThreeNumbers() {
  // Three numbers with different separators have no settled reading.
  if (Separator(0) != Separator(1)) return CDateValue::kParseNotStandard;
  if (Value(0) > 12 && Value(1) > 12 && Value(2) > 12) return CDateValue::kParseNotStandard;
  if (dayFirst_) {
    if (Value(1) <= 12) {
      day_ = Value(0);
      MonthFromNumber(1);
      yearIndex_ = 2;
    } else if (Value(0) <= 12) {
      MonthFromNumber(0);
      yearIndex_ = 1;
    } else {
      yearIndex_ = 0;
    }
  } else {
    if (Value(0) <= 12) {
      MonthFromNumber(0);
      if (Value(1) >= 32) {
        yearIndex_ = 1;
      } else {
        day_ = Value(1);
        yearIndex_ = 2;
      }
    } else if (Value(1) <= 12) {
      day_ = Value(0);
      MonthFromNumber(1);
      yearIndex_ = 2;
    } else {
      yearIndex_ = 0;
    }
  }
  return CDateValue::kParseStandard;
}

// Double days without a month name: day, second day, month (or month, day,
// second day when typing month-first), year, dual part.
int Parser::InterpretDoubleDays() {
  if (dayFirst_) {
    day_ = Value(0);
    second_ = Value(1);
    MonthFromNumber(2);
  } else {
    MonthFromNumber(0);
    day_ = Value(1);
    second_ = Value(2);
  }
  if (!CanBeDay(tokens_[dayFirst_ ? 0 : 1]) || !CanBeDay(tokens_[dayFirst_ ? 1 : 2]))
    return CDateValue::kParseNotStandard;
  yearIndex_ = 3;
  return CDateValue::kParseStandard;
}

// Assigns day, second day, month and the year token from the token forms.
int Parser::Interpret() {
  int nameIndex = -1;
  for (std::size_t i = 0; i < tokens_.size(); ++i)
    if (tokens_[i].isName) nameIndex = static_cast<int>(i);
  if (nameIndex == 0) return InterpretMonthFirst();
  if (nameIndex == 1 || nameIndex == 2) {
    month_ = Value(nameIndex);
    day_ = Value(0);
    if (nameIndex == 2) second_ = Value(1);
    if (static_cast<int>(tokens_.size()) > nameIndex + 1)
      yearIndex_ = nameIndex + 1;
    else
      lastUsed_ = nameIndex;
    return CDateValue::kParseStandard;
  }
  if (nameIndex > 2) return CDateValue::kParseNotStandard;
  switch (tokens_.size()) {
    case 1:
      yearIndex_ = 0;
      return CDateValue::kParseStandard;
    case 2:
      InterpretTwoNumbers();
      return CDateValue::kParseStandard;
    case 3:
      return InterpretThreeNumbers();
    default:
      return InterpretDoubleDays();
  }
}

// The dual-year token: a short second year is widened from the year's
// leading digits; the full second year lies above the year, by at most 255.
int Parser::TakeDual(const Token& t) {
  if (t.isName) return CDateValue::kParseNotStandard;
  long full = t.value;
  const int yearDigits = DecimalDigits(year_);
  if (full < year_ && (t.digits < yearDigits || yearDigits < 3)) {
    long unit = 0;
    if (t.digits == 1)
      unit = 10;
    else if (t.digits == 2)
      unit = 100;
    else if (t.digits == 3)
      unit = 1000;
    if (unit) {
      full += year_ / unit * unit;
      if (full < year_) full += unit;
    }
  }
  if (full <= year_ || full > year_ + 255) return CDateValue::kParseNotStandard;
  dual_ = static_cast<int>((full - year_) & 0xFF);
  return CDateValue::kParseStandard;
}

int Parser::Finish(CDateValue& out) {
  const int n = static_cast<int>(tokens_.size());
  if (yearIndex_ >= 0) {
    const Token& y = tokens_[yearIndex_];
    if (y.isName || y.value == 0) return CDateValue::kParseNotStandard;
    year_ = y.value;
    const int after = n - 1 - yearIndex_;
    if (after > 1) return CDateValue::kParseNotStandard;
    if (after == 1 && TakeDual(tokens_[yearIndex_ + 1]) != CDateValue::kParseStandard)
      return CDateValue::kParseNotStandard;
  } else if (lastUsed_ < n - 1) {
    return CDateValue::kParseNotStandard;
  }
  // A month read from a number must be a month; a zero day or month would
  // drop what was typed.
  if (monthFromNumber_ && (month_ < 1 || month_ > 12)) return CDateValue::kParseNotStandard;
  if (day_ == 0 || second_ == 0) return CDateValue::kParseNotStandard;
  day_ = std::max(day_, 0);
  second_ = std::max(second_, 0);
  if (day_ > DaysInMonth(month_, year_) || second_ > DaysInMonth(month_, year_))
    return CDateValue::kParseNotStandard;
  if (qualifier_ != 0 && year_ == 0) return CDateValue::kParseNotStandard;
  if (qualifier_ == CDateValue::kQualSub && (dual_ != 0 || second_ != 0))
    return CDateValue::kParseNotStandard;
  if (year_ > CDateValue::kMaxYear) return CDateValue::kParseNotStandard;
  out.year = static_cast<std::uint16_t>(year_);
  out.dualYear = static_cast<std::uint8_t>(dual_);
  out.month = static_cast<std::uint8_t>(month_);
  out.day = static_cast<std::uint8_t>(day_);
  out.secondDay = static_cast<std::uint8_t>(second_);
  out.qualifier = static_cast<std::uint8_t>(qualifier_);
  out.bc = bc_ ? 1 : 0;
  return CDateValue::kParseStandard;
}

}  // namespace

int CDateValue::ParseText(std::string_view text, bool dayFirst, bool english,
                          std::string* copyOut) {
  Reset();
  const DateKeywordSet& keywords = english ? EnglishDateKeywords() : InterfaceDateKeywords();
  const std::string trimmed = TrimForParse(text);
  if (copyOut) *copyOut = trimmed;
  if (trimmed.empty()) return kParseEmpty;
  // Nothing standard is that long; reading only a part would drop the rest.
  if (trimmed.size() > kMaxParseLength) return kParseNotStandard;
  const std::string upper = plat::AnsiUpper(trimmed);
  CDateValue parsed;
  Parser parser(upper, keywords, dayFirst);
  if (parser.Run(parsed) != kParseStandard) return kParseNotStandard;
  *this = std::move(parsed);
  return kParseStandard;
}

int CDateValue::Parse(std::string_view text, bool dayFirst, bool english) {
  const int result = ParseText(text, dayFirst, english);
  if (result == kParseNotStandard) SetText(TrimForText(text));
  return result;
}

int CDateValue::ParseForCategory(std::string_view text, int category, bool dayFirst, bool english) {
  const int result = Parse(text, dayFirst, english);
  if (result != kParseStandard) return result;
  const bool doubleAndDual = category >= 1 && category <= 3 && secondDay != 0 && dualYear != 0;
  if (doubleAndDual || !IsStatusValidForCategory(category, month)) {
    SetText(TrimForText(text));
    return kParseNotStandard;
  }
  return kParseStandard;
}

void CDateValue::SetText(std::string_view newText) {
  const std::uint16_t keptYear = year;
  Reset();
  year = keptYear;
  textOnly = 1;
  text.assign(newText.substr(0, kMaxTextLength));
  std::size_t i = 0;
  while (year < 1000 && i < text.size()) {
    if (!IsDigit(text[i])) {
      ++i;
      continue;
    }
    const std::size_t start = i;
    int value = 0;
    while (i < text.size() && IsDigit(text[i]) && i - start < 5)
      value = value * 10 + (text[i++] - '0');
    if (i - start > 4) break;  // a run of more than four digits ends the scan
    if (value > year && value < kMaxYear) year = static_cast<std::uint16_t>(value);
  }
}

void CDateValue::ClearText() {
  textOnly = 0;
  text.clear();
}
