// Writing dates in the user's style, in the interchange form, as a sentence
// and in columns.

#include <cstdio>

#include "CodePage.h"
#include "DateKeywords.h"
#include "DateValue.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

std::string Number(const char* format, int value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

std::string YearText(int year) { return year < 100 ? Number("%04d", year) : Number("%d", year); }

char SeparatorFor(int option) {
  switch (option) {
    case 1:
      return '-';
    case 2:
      return '/';
    case 3:
      return '.';
    case 4:
      return '\t';
    default:
      return ' ';
  }
}

const std::string& Word(const std::vector<std::string>& list, std::size_t index) {
  static const std::string kUnknown = "???";
  return index < list.size() ? list[index] : kUnknown;
}

// The parts of a standard date, each formatted, and how to join them.
struct Parts {
  std::string qualifier, day, month, year;
};

std::string Join(const std::string& qualifier, const std::string& first, const std::string& second,
                 const std::string& third, char separator, bool tabLayout) {
  std::string out = qualifier;
  if (tabLayout) out += '\t';
  bool any = false;
  for (const std::string* part : {&first, &second, &third}) {
    if (part->empty()) continue;
    if (any)
      out += separator;
    else if (!tabLayout && !qualifier.empty())
      out += ' ';
    out += *part;
    any = true;
  }
  return out;
}

}  // namespace

std::string CDateValue::FormatQualifier(bool longQualifier, bool interchange) const {
  if (qualifier == 0 || qualifier > kQualEst || year == 0) return {};
  const std::size_t index = qualifier + (longQualifier ? 7u : 0u);
  return interchange ? Word(EnglishDateKeywords().qualifiers.upper, index)
                     : Word(InterfaceDateKeywords().qualifiers.written, index);
}

std::string CDateValue::FormatDay() const {
  if (day == 0) return {};
  return Number(GetDateDisplayOptions().dayStyle == 1 ? "%02d" : "%d", day);
}

std::string CDateValue::FormatMonth(bool interchange) const {
  if (month == 0) return {};
  if (interchange) {
    if (month > 12) return "???";
    return Word(EnglishDateKeywords().months.upper, month - 1u);
  }
  const std::vector<std::string>& names = InterfaceDateKeywords().months.written;
  switch (GetDateDisplayOptions().monthStyle) {
    case 0:
      return Number("%d", month);
    case 1:
      return Number("%02d", month);
    case 3:
      return month > 12 ? "???" : plat::AnsiUpper(Word(names, month - 1u));
    case 4:
      return month > 12 ? "???" : Word(names, month + 11u);
    case 5:
      return month > 12 ? "???" : plat::AnsiUpper(Word(names, month + 11u));
    default:
      return month > 12 ? "???" : Word(names, month - 1u);
  }
}

std::string CDateValue::FormatYear() const {
  if (year == 0) return {};
  return YearText(year);
}

namespace {

// Day with its second day, year with its dual year and BC word.
std::string DayPart(const CDateValue& d, int dayStyle, bool interchange, int qualifierMode) {
  if (d.day == 0) return {};
  std::string out = Number(!interchange && dayStyle == 1 ? "%02d" : "%d", d.day);
  if (d.secondDay && !(qualifierMode & 2))
    out.append(1, '/').append(Number(!interchange && dayStyle != 0 ? "%2.2d" : "%d", d.secondDay));
  return out;
}

std::string YearPart(const CDateValue& d, int qualifierMode) {
  if (d.year == 0) return {};
  std::string out = YearText(d.year);
  if (d.dualYear && !(qualifierMode & 2)) {
    const int second = d.year + d.dualYear;
    out += '/';
    if (second < 100)
      out += Number("%04d", second);
    else if (second < 1000 && d.year < 100)
      out += '0' + Number("%d", second);
    else
      out += Number("%d", second);
  }
  return out;
}

std::string BcWord(bool interchange) {
  return interchange ? Word(EnglishDateKeywords().status.upper, kBcWordIndex)
                     : Word(InterfaceDateKeywords().status.written, kBcWordIndex);
}

std::string StatusWord(int month, bool interchange) {
  if (month > CDateValue::kLastStatus) return "???";
  const std::size_t index = static_cast<std::size_t>(month - CDateValue::kFirstStatus);
  return interchange ? Word(EnglishDateKeywords().status.upper, index)
                     : Word(InterfaceDateKeywords().status.written, index);
}

}  // namespace

std::string CDateValue::Format(bool longQualifier, int qualifierMode, bool tabLayout,
                               bool interchange) const {
  if (textOnly) return text;
  if (month >= kFirstStatus) return StatusWord(month, interchange);
  const DateDisplayOptions& options = GetDateDisplayOptions();
  const char separator = interchange ? ' ' : SeparatorFor(options.separator);

  std::string qualifierText;
  if (qualifierMode != 1 && qualifierMode != 3 && !(interchange && qualifier == kQualSub)) {
    qualifierText = FormatQualifier(longQualifier, interchange);
    if (qualifierMode == 4) qualifierText = plat::AnsiLower(qualifierText);
  }
  const std::string dayText = DayPart(*this, options.dayStyle, interchange, qualifierMode);
  const std::string monthText = FormatMonth(interchange);
  std::string yearText = YearPart(*this, qualifierMode);

  std::string out;
  if (interchange || options.order != 0)
    out = Join(qualifierText, dayText, monthText, yearText, separator, tabLayout);
  else
    out = Join(qualifierText, monthText, dayText, yearText, separator, tabLayout);
  if (bc) out.append(1, ' ').append(BcWord(interchange));
  return out;
}

std::string CDateValue::ToString() const { return IsSet() ? Format() : std::string(); }

std::string CDateValue::FormatFitted(int width,
                                     const std::function<int(const std::string&)>& measure) const {
  std::string out = Format();
  if (measure(out) <= width) return out;
  if (textOnly) {
    while (!out.empty() && measure(out + "...") > width) out.pop_back();
    return out + "...";
  }
  while (measure(out) > width) {
    const std::size_t blank = out.find(' ');
    if (blank == std::string::npos) break;
    out.erase(0, blank + 1);
  }
  return out;
}

std::string CDateValue::FormatPhrase(bool longQualifier, int qualifierMode) const {
  if (textOnly || month >= kFirstStatus) return Format(longQualifier, qualifierMode);
  DateDisplayOptions options = GetDateDisplayOptions();
  const std::string language = plat::AnsiUpper(options.language);
  const bool english = language == "EN" || language.empty();
  if (!english) options.monthStyle = 4;

  const char separator = SeparatorFor(options.separator);
  std::string dayText = DayPart(*this, options.dayStyle, false, qualifierMode);
  if (language == "DE" && !dayText.empty()) dayText += '.';
  std::string monthText;
  if (month != 0) {
    const std::vector<std::string>& names = InterfaceDateKeywords().months.written;
    switch (options.monthStyle) {
      case 0:
        monthText = Number("%d", month);
        break;
      case 1:
        monthText = Number("%02d", month);
        break;
      case 3:
        monthText = plat::AnsiUpper(Word(names, month - 1u));
        break;
      case 4:
        monthText = Word(names, month + 11u);
        break;
      case 5:
        monthText = plat::AnsiUpper(Word(names, month + 11u));
        break;
      default:
        monthText = Word(names, month - 1u);
        break;
    }
  }
  const std::string yearText = YearPart(*this, qualifierMode);
  std::string core = options.order != 0 ? Join("", dayText, monthText, yearText, separator, false)
                                        : Join("", monthText, dayText, yearText, separator, false);
  if (bc) core.append(1, ' ').append(BcWord(false));

  int q = (qualifierMode == 1 || qualifierMode == 3 || year == 0) ? 0 : qualifier;
  if (q > kQualEst) q = 0;
  std::string qualifierText = q ? FormatQualifier(longQualifier) : std::string();
  if (qualifierMode == 4) qualifierText = plat::AnsiLower(qualifierText);
  const std::string on = res::LoadString(res::kIdsOn);
  const std::string in = res::LoadString(res::kIdsInDate);
  const bool front = q == kQualAft || q == kQualBef || q == kQualAbt;

  std::string out;
  bool placed = q == 0;
  if (english || language == "ES" || language == "PT") {
    out = (q ? qualifierText : (day ? on : in)) + " " + core;
    placed = true;
  } else if (language == "FR") {
    if (front) {
      out = qualifierText + (day ? " " + on : std::string()) + " " + core;
      placed = true;
    } else {
      out = (day ? on : in) + " " + core;
    }
  } else if (language == "DE") {
    if (front) {
      out = qualifierText + " " + core;
      placed = true;
    } else if (day) {
      out = on + " " + core;
    } else if (month) {
      out = in + " " + core;
    } else {
      out = core;
    }
  } else {
    out = core;
  }
  if (!placed) {
    if (q == kQualCal || q == kQualSub || q == kQualEst)
      out += " (" + qualifierText + ")";
    else
      out += " " + qualifierText;
  }
  return out;
}

std::string CDateValue::FormatColumns(bool longQualifier, int qualifierMode, bool pad) const {
  const DateDisplayOptions& options = GetDateDisplayOptions();
  const bool columns = options.order == 1 && options.separator == 0 &&
                       (options.monthStyle == 2 || options.monthStyle == 3) && !textOnly &&
                       month >= 1 && month <= 12;
  if (!columns) return Format(longQualifier, qualifierMode, true);
  std::string qualifierText;
  if (qualifierMode != 1 && qualifierMode != 3) {
    qualifierText = FormatQualifier(longQualifier);
    if (qualifierMode == 4) qualifierText = plat::AnsiLower(qualifierText);
  }
  std::string out = qualifierText + '\t';
  if (day) out += Number("%02d", day);
  if (secondDay && !(qualifierMode & 2)) out.append(1, '/').append(Number("%02d", secondDay));
  out += '\t' + FormatMonth() + '\t';
  if (year) {
    std::string yearText = YearPart(*this, qualifierMode);
    if (pad && year < 1000 && YearText(year).size() < 4)
      yearText.insert(0, 4 - YearText(year).size(), ' ');
    out += yearText;
  }
  if (bc) out.append(1, ' ').append(BcWord(false));
  return out;
}
