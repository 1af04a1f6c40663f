#include "DateValue.h"

#include <algorithm>
#include <iterator>

#include "Clock.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

DateDisplayOptions& Options() {
  static DateDisplayOptions options;
  return options;
}

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

bool IsTrimmed(unsigned char c, std::string_view chars) {
  return IsControl(c) || c == ' ' || chars.find(static_cast<char>(c)) != std::string_view::npos;
}

std::uint16_t Get16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

void Put16(std::uint8_t* p, unsigned v) {
  p[0] = static_cast<std::uint8_t>(v & 0xFF);
  p[1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

// Leap years among 1..n by FebruaryDays' rule.
long LeapYearsThrough(long n) {
  if (n <= 0) return 0;
  long leaps = n / 4;
  if (n >= 1800) leaps -= (n / 100 - 17) - (n / 400 - 4);  // 1800, 1900, 2100 ... are not leap
  return leaps;
}

}  // namespace

void SetDateDisplayOptions(const DateDisplayOptions& options) { Options() = options; }
const DateDisplayOptions& GetDateDisplayOptions() { return Options(); }

int GetDateEntryOption() { return plat::Profile().GetInt("Date", "Entry", 0); }

CDateValue::CDateValue(std::string_view text, bool english) { Parse(text, false, english); }

void CDateValue::Reset() { *this = CDateValue(); }

void CDateValue::Assign(const CDateValue& other) {
  if (this != &other) *this = other;
}

CDateValue CDateValue::DateValueFromParts(int year, int month, int day, int qualifier) {
  CDateValue d;
  d.year = static_cast<std::uint16_t>(year);
  if (month < 0 || month > 12) month = 0;
  if (day < 0 || day > DaysInMonth(month, year)) day = 0;
  if (qualifier < 0 || qualifier > kQualEst) qualifier = 0;
  d.month = static_cast<std::uint8_t>(month);
  d.day = static_cast<std::uint8_t>(day);
  d.qualifier = static_cast<std::uint8_t>(qualifier);
  return d;
}

void CDateValue::Set(int y, int monthOrStatus, int d, int q, int dualPart, int second, bool isBc) {
  Reset();
  year = static_cast<std::uint16_t>(y);
  month = static_cast<std::uint8_t>(monthOrStatus);
  day = static_cast<std::uint8_t>(d);
  qualifier = static_cast<std::uint8_t>(q);
  dualYear = static_cast<std::uint8_t>(dualPart);
  secondDay = static_cast<std::uint8_t>(second);
  bc = isBc ? 1 : 0;
}

bool CDateValue::IsSet() const {
  return month != 0 || day != 0 || year != 0 || (textOnly && !text.empty());
}

bool CDateValue::IsSet(const CDateValue* date) { return date != nullptr && date->IsSet(); }

bool CDateValue::Equals(const CDateValue& other) const {
  if ((bc != 0) != (other.bc != 0)) return false;
  if (textOnly || other.textOnly) return text == other.text && year == other.year;
  return year == other.year && dualYear == other.dualYear && month == other.month &&
         day == other.day && secondDay == other.secondDay && qualifier == other.qualifier;
}

bool CDateValue::Matches(const CDateValue& other) const {
  if (year && year != other.year) return false;
  if (day && day != other.day) return false;
  if (dualYear && dualYear != other.dualYear) return false;
  if (secondDay && secondDay != other.secondDay) return false;
  if ((bc != 0) != (other.bc != 0)) return false;
  if (month && month != other.month) {
    const bool submittedSub = month == kStatusSubmitted && other.qualifier == kQualSub;
    if (!submittedSub) return false;
  }
  if (qualifier && qualifier != other.qualifier) {
    const bool subSubmitted = qualifier == kQualSub && other.month == kStatusSubmitted;
    if (!subSubmitted) return false;
  }
  return true;
}

void CDateValue::SetToday() { SetFromTime(plat::Now()); }

bool CDateValue::SetFromTime(std::time_t t) {
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return false;
  Reset();
  year = static_cast<std::uint16_t>(local.tm_year + 1900);
  month = static_cast<std::uint8_t>(local.tm_mon + 1);
  day = static_cast<std::uint8_t>(local.tm_mday);
  return true;
}

std::time_t CDateValue::ToTime() const {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_isdst = -1;
  return std::mktime(&local);
}

void CDateValue::SetFromOldFormat(int y, int oldCode, int d, int oldKind, int dualPart) {
  Reset();
  if (y == 0 && oldCode == 0 && d == 0 && oldKind == 0 && dualPart == 0) return;
  if (oldCode > 12) {
    static constexpr std::uint8_t kOldStatus[] = {
        kStatusSubmitted, kStatusCleared,   kStatusUncleared,  kStatusCompleted,
        kStatusCancelled, kStatusStillborn, kStatusInfant,     kStatusDNSCAN,
        kStatusDNS,       kStatusBIC,       kStatusChild,      kStatusDone,
        kStatusDead,      kStatusDeceased,  kStatusNotMarried, kStatusPre1970};
    if (oldCode == 13) {
      year = static_cast<std::uint16_t>(y);
      SetText(res::LoadString(res::kIdsSeeNotes));
    } else if (oldCode - 14 < static_cast<int>(std::size(kOldStatus))) {
      month = kOldStatus[oldCode - 14];
    } else {
      month = static_cast<std::uint8_t>(oldCode);  // unknown: formats as "???"
    }
    return;
  }
  year = static_cast<std::uint16_t>(y);
  month = static_cast<std::uint8_t>(oldCode < 0 ? 0 : oldCode);
  day = static_cast<std::uint8_t>(d);
  dualYear = static_cast<std::uint8_t>(dualPart);
  switch (oldKind) {
    case 0:
      qualifier = kQualBef;
      break;
    case 1:
      qualifier = kQualAbt;
      break;
    case 3:
      qualifier = kQualAft;
      break;
    default:
      qualifier = kQualNone;
      break;
  }
}

int CDateValue::YearsBetween(const CDateValue& other, bool ignoreStatus) const {
  if (year == 0 || other.year == 0) return -1;
  const bool status = month > 12 || other.month > 12;
  if (status && !ignoreStatus) return -1;
  // Astronomical years (1 BC is 0) so that spans across the era count right.
  const int from = bc ? 1 - year : year;
  const int to = other.bc ? 1 - other.year : other.year;
  int years = to - from;
  if (!status && (other.month < month || (other.month == month && other.day < day))) --years;
  return years;
}

void CDateValue::AddSpan(const CDateValue& span) {
  int d = day + span.day;
  int carry = 0;
  const int length = DaysInMonth(month, year);
  if (d > length) {
    d -= length;
    carry = 1;
  }
  int m = month + span.month + carry;
  carry = 0;
  while (m > 12) {
    m -= 12;
    ++carry;
  }
  day = static_cast<std::uint8_t>(d);
  month = static_cast<std::uint8_t>(m);
  year = static_cast<std::uint16_t>(year + span.year + carry);
}

int CDateValue::CheckEntry(std::string& field, bool parseIntoThis, int category,
                           bool useDisplayOrder, bool prompt, bool english, bool declinedResult) {
  const DateDisplayOptions& options = Options();
  bool dayFirst = GetDateEntryOption() != 0;
  if (useDisplayOrder && options.monthStyle < 2) dayFirst = options.order != 0;
  CDateValue temporary;
  CDateValue& date = parseIntoThis ? *this : temporary;
  const int result = date.ParseForCategory(field, category, dayFirst, english);
  if (result == kParseStandard) {
    field = date.Format();
    return 1;
  }
  if (result == kParseEmpty) return 1;
  if (!prompt) return declinedResult ? 1 : 0;
  // The insert is the text the date keeps, so a cut text shows as kept.
  const std::string message = res::FormatString(res::kIdsDateNotStandardQuestion, {date.text});
  if (plat::MessageBox(message, "", plat::kMbYesNo | plat::kMbIconQuestion) == plat::kIdNo) {
    date.Reset();
    return 0;
  }
  return 2;
}

int CDateValue::ValidateText(std::string_view text, int category, std::string& errorText) const {
  CDateValue date;
  if (date.ParseForCategory(text, category, GetDateEntryOption() != 0, false) ==
      kParseNotStandard) {
    errorText = res::LoadString(res::kIdsDateNotStandard);
    return 0;
  }
  return 1;
}

// ---- comparison ----

int CDateValue::CompareCore(const CDateValue& other, int* decidedByQualifier) const {
  int ignored = 0;
  int& out = decidedByQualifier ? *decidedByQualifier : ignored;
  out = 0;
  if (this == &other) return 0;
  if ((month == 0 && year == 0) || (other.month == 0 && other.year == 0)) return -2;
  if (textOnly || other.textOnly) {
    if (year == 0 || other.year == 0 || year == other.year) return -2;
    return year < other.year ? -1 : 1;
  }
  if (bc && !other.bc) return -1;
  if (!bc && other.bc) return 1;
  if (year == 0 || other.year == 0) return -2;
  if (year != other.year) {
    const int earlier = year < other.year ? -1 : 1;
    return bc ? -earlier : earlier;
  }
  bool byQualifier = false;
  if (month == 0 || other.month == 0) {
    byQualifier = true;
  } else if (month != other.month) {
    return month < other.month ? -1 : 1;
  } else if (day != 0 && other.day != 0 && day != other.day) {
    return day < other.day ? -1 : 1;
  } else {
    byQualifier = true;
  }
  if (byQualifier) {
    if (qualifier == kQualAft && other.qualifier != kQualAft) {
      out = 1;
      return -1;
    }
    if (qualifier == kQualBef && other.qualifier != kQualBef) {
      out = 1;
      return 1;
    }
  }
  return 0;
}

int CDateValue::CompareOrder(const CDateValue& other) const {
  int byQualifier = 0;
  const int result = CompareCore(other, &byQualifier);
  if (result == -2) return 0;
  if (byQualifier) return result * 2;
  return result;
}

int CDateValue::SortCompare(const CDateValue& other) const {
  int result = CompareCore(other, nullptr);
  if (result == 0) {
    // CompareCore decides Aft/Bef only from this side; mirror the other
    // side's answer so that a sort sees one order.
    const int reverse = other.CompareCore(*this, nullptr);
    if (reverse == -1 || reverse == 1) return -reverse;
    return 0;
  }
  if (result != -2) return result;
  const bool thisEmpty = month == 0 && year == 0;
  const bool otherEmpty = other.month == 0 && other.year == 0;
  if (thisEmpty && otherEmpty) return (textOnly ? 1 : 0) - (other.textOnly ? 1 : 0);
  if (thisEmpty) return -1;
  if (otherEmpty) return 1;
  const bool thisBare = textOnly && year == 0;
  const bool otherBare = other.textOnly && other.year == 0;
  if (thisBare && otherBare) return 0;
  if (thisBare) return -1;
  if (otherBare) return 1;
  return 0;  // not comparable: no order between them
}

int CDateValue::GetOrdinanceState(const CDateValue* date, char kind) {
  if (!IsSet(date)) return kOrdinanceNothing;
  const bool parents = kind == 'P';
  switch (date->month) {
    case kStatusBIC:
      return parents ? kOrdinanceDone : kOrdinanceNothing;
    case kStatusCancelled:
    case kStatusCompleted:
    case kStatusDone:
    case kStatusPre1970:
      return kOrdinanceDone;
    case kStatusChild:
    case kStatusInfant:
      return parents ? kOrdinanceNothing : kOrdinanceNotToBeDone;
    case kStatusDNS:
    case kStatusDNSCAN:
    case kStatusStillborn:
      return kOrdinanceNotToBeDone;
    case kStatusUncleared:
      return kOrdinanceNothing;
    case kStatusCleared:
    case kStatusSubmitted:
      return kOrdinanceClearedOrSubmitted;
    default:
      if (date->qualifier == kQualSub) return kOrdinanceClearedOrSubmitted;
      if (date->year != 0 || (date->textOnly && !date->text.empty())) return kOrdinanceDone;
      return kOrdinanceNothing;
  }
}

// ---- binary forms ----

std::vector<std::uint8_t> CDateValue::Write(bool withText) const {
  std::vector<std::uint8_t> out(8, 0);
  if (textOnly && withText) {
    const std::size_t length = std::min<std::size_t>(text.size(), 0xFFFF);
    Put16(&out[0], 0xFFFF);
    Put16(&out[2], year);
    out[4] = bc;
    out[5] = 0;
    Put16(&out[6], static_cast<unsigned>(length));
    out.resize(8 + length);
    for (std::size_t i = 0; i < length; ++i) out[8 + i] = static_cast<std::uint8_t>(text[i]);
    return out;
  }
  Put16(&out[0], year);
  out[2] = dualYear;
  out[3] = bc;
  out[4] = month;
  out[5] = day;
  out[6] = secondDay;
  out[7] = qualifier;
  return out;
}

bool CDateValue::Read(std::span<const std::uint8_t> data, std::size_t* consumed) {
  Reset();
  if (consumed) *consumed = 0;
  if (data.size() < 8) return false;
  const std::uint16_t first = Get16(&data[0]);
  if (first == 0xFFFF) {
    const std::size_t length = Get16(&data[6]);
    if (data.size() < 8 + length) return false;
    textOnly = 1;
    year = Get16(&data[2]);
    bc = data[4];
    text.assign(reinterpret_cast<const char*>(&data[8]), length);
    if (consumed) *consumed = 8 + length;
    return true;
  }
  year = first;
  dualYear = data[2];
  bc = data[3];
  month = data[4];
  day = data[5];
  secondDay = data[6];
  qualifier = data[7];
  if (consumed) *consumed = 8;
  return true;
}

bool CDateValue::ReadOld(std::span<const std::uint8_t> data) {
  Reset();
  if (data.size() < 10) return false;
  month = static_cast<std::uint8_t>(Get16(&data[0]));
  day = static_cast<std::uint8_t>(Get16(&data[2]));
  year = Get16(&data[4]);
  dualYear = static_cast<std::uint8_t>(Get16(&data[6]));
  qualifier = static_cast<std::uint8_t>(Get16(&data[8]));
  return true;
}

bool PackDate(const CDateValue& date, std::int32_t textRef, std::uint8_t* out) {
  unsigned first = static_cast<unsigned>(date.year & 0x1FFF) << 3;
  if (date.textOnly) first |= 1;
  if (date.flagA) first |= 2;
  if (date.bc) first |= 4;
  Put16(out, first);
  bool fits = date.year <= 0x1FFF;
  if (date.textOnly) {
    const auto ref = static_cast<std::uint32_t>(textRef);
    Put16(out + 2, ref & 0xFFFF);
    Put16(out + 4, ref >> 16);
    return fits;
  }
  fits = fits && date.month <= 31 && date.day <= 31 && date.secondDay <= 31 && date.qualifier <= 7;
  out[2] = static_cast<std::uint8_t>(((date.month & 0x1F) << 3) | (date.flagB ? 4 : 0));
  out[3] = static_cast<std::uint8_t>((date.day & 0x1F) << 3);
  out[4] = static_cast<std::uint8_t>(((date.secondDay & 0x1F) << 3) | (date.qualifier & 7));
  out[5] = date.dualYear;
  return fits;
}

std::int32_t UnpackDate(const std::uint8_t* in, CDateValue& date) {
  date.Reset();
  const std::uint16_t first = Get16(in);
  date.year = static_cast<std::uint16_t>(first >> 3);
  date.bc = (first & 4) ? 1 : 0;
  if (first & 1) {
    date.textOnly = 1;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(Get16(in + 2)) |
                                     (static_cast<std::uint32_t>(Get16(in + 4)) << 16));
  }
  date.flagB = (in[2] & 4) ? 1 : 0;
  date.month = static_cast<std::uint8_t>(in[2] >> 3);
  date.day = static_cast<std::uint8_t>(in[3] >> 3);
  date.secondDay = static_cast<std::uint8_t>(in[4] >> 3);
  date.qualifier = static_cast<std::uint8_t>(in[4] & 7);
  date.dualYear = in[5];
  return 0;
}

void UnpackDate(const std::uint8_t* in, CDateValue& date,
                const std::function<std::string(std::int32_t)>& lookupText) {
  const std::int32_t ref = UnpackDate(in, date);
  if (date.textOnly && lookupText) date.text = lookupText(ref);
}

// ---- calendar ----

int FebruaryDays(int year) {
  if (year == 0) return 29;
  if (year % 4 != 0) return 28;
  if (year >= 1753 && year % 100 == 0 && year % 400 != 0) return 28;
  return 29;
}

int DaysInMonth(int month, int year) {
  switch (month) {
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    case 2:
      return FebruaryDays(year);
    default:
      return 31;
  }
}

long DayNumber(int year, int month, int day) {
  long days = 365L * (year > 1 ? year - 1 : 0) + LeapYearsThrough(year - 1);
  for (int m = 1; m < month && m <= 12; ++m) days += DaysInMonth(m, year);
  return days + day;
}

bool IsStatusValidForCategory(int category, int code) {
  if (code < CDateValue::kFirstStatus) return true;
  if (code > CDateValue::kLastStatus) return false;
  using D = CDateValue;
  switch (category) {
    case 1:
      return code == D::kStatusChild || code == D::kStatusCleared || code == D::kStatusCompleted ||
             code == D::kStatusDone || code == D::kStatusInfant || code == D::kStatusPre1970 ||
             code == D::kStatusStillborn || code == D::kStatusUncleared ||
             code == D::kStatusSubmitted;
    case 2:
      return code == D::kStatusBIC || code == D::kStatusCleared || code == D::kStatusCompleted ||
             code == D::kStatusDone || code == D::kStatusDNS || code == D::kStatusPre1970 ||
             code == D::kStatusStillborn || code == D::kStatusUncleared ||
             code == D::kStatusSubmitted;
    case 3:
      return code == D::kStatusCancelled || code == D::kStatusCleared ||
             code == D::kStatusCompleted || code == D::kStatusDone || code == D::kStatusDNS ||
             code == D::kStatusDNSCAN || code == D::kStatusNotMarried ||
             code == D::kStatusPre1970 || code == D::kStatusUncleared ||
             code == D::kStatusSubmitted;
    case 4:
      return code == D::kStatusNotMarried;
    case 5:
      return code == D::kStatusChild || code == D::kStatusDead || code == D::kStatusDeceased ||
             code == D::kStatusInfant || code == D::kStatusStillborn;
    default:
      return false;
  }
}

// ---- trimming ----

std::string TrimLeftChars(std::string_view source, std::string_view chars) {
  std::size_t i = 0;
  while (i < source.size() && IsTrimmed(static_cast<unsigned char>(source[i]), chars)) ++i;
  return std::string(source.substr(i));
}

std::string TrimRightChars(std::string_view source, std::string_view chars, std::size_t length) {
  std::size_t end = std::min(length, source.size());
  while (end > 0 && IsTrimmed(static_cast<unsigned char>(source[end - 1]), chars)) --end;
  return std::string(source.substr(0, end));
}

void TrimRightString(std::string& text, std::string_view chars) {
  text = TrimRightChars(text, chars);
}
