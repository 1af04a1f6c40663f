#pragma once
// A genealogical date as the user typed it: year, dual-year part, qualifier,
// days, month or ordinance status, BC, and the typed text of a date kept as
// text only.
//
// Texts are 8-bit strings of the active ANSI code page. Keyword lists
// (qualifiers, months, status words) come from DateKeywords.h; the display
// style comes from the date display options below.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// How dates are shown; the application copies its options here at start-up
// and whenever the user changes them. The defaults are the options' defaults.
struct DateDisplayOptions {
  int order = 1;       // DOrder: 0 month-day-year, 1 day-month-year
  int dayStyle = 0;    // DDay: 0 "3", 1 "03"
  int monthStyle = 2;  // DMM: 0 "8", 1 "08", 2 "Aug", 3 "AUG", 4 long name, 5 long name upper
  int separator = 0;   // DSep: 0 blank, 1 '-', 2 '/', 3 '.', 4 tab
  std::string language = "EN";  // interface language code, for the sentence form
};
void SetDateDisplayOptions(const DateDisplayOptions& options);
const DateDisplayOptions& GetDateDisplayOptions();

// The day-first choice for typed numeric dates: profile "Date"/"Entry"
// (0 month-first, 1 day-first).
int GetDateEntryOption();

class CDateValue {
 public:
  std::uint16_t year = 0;      // 0 = no year
  std::uint8_t dualYear = 0;   // second year minus the first on the low bytes; 0 = not dual
  std::uint8_t qualifier = 0;  // 0 none, 1 Aft, 2 Bef, 3 Abt, 4 Cal, 5 Sub, 6 Est
  std::uint8_t day = 0;        // 1-31, 0 = none
  std::uint8_t secondDay = 0;  // second day of a double day (5/6 Jan), 0 = none
  std::uint8_t month = 0;      // 0 none, 1-12, 13-29 an ordinance status code
  std::uint8_t bc = 0;         // 1 = before Christ
  std::uint8_t flagA = 0;      // kept for other users; the date module neither sets nor reads it
  std::uint8_t flagB = 0;
  std::uint8_t textOnly = 0;  // 1 = kept as text; then only text, year and BC count
  std::string text;           // the typed text of a text-only date

  enum Qualifier : std::uint8_t {
    kQualNone = 0,
    kQualAft = 1,
    kQualBef = 2,
    kQualAbt = 3,
    kQualCal = 4,
    kQualSub = 5,
    kQualEst = 6,
  };
  // Ordinance status codes held in the month field, in keyword-list order.
  enum Status : std::uint8_t {
    kStatusBIC = 13,
    kStatusCancelled = 14,
    kStatusChild = 15,
    kStatusCleared = 16,
    kStatusCompleted = 17,
    kStatusDead = 18,
    kStatusDeceased = 19,
    kStatusDone = 20,
    kStatusDNS = 21,
    kStatusDNSCAN = 22,
    kStatusInfant = 23,
    kStatusNotMarried = 24,
    kStatusPre1970 = 25,
    kStatusStillborn = 26,
    kStatusUncleared = 27,
    kStatusBC = 28,
    kStatusSubmitted = 29,
  };
  static constexpr int kFirstStatus = 13;
  static constexpr int kLastStatus = 29;
  // The longest text a text-only date keeps (what the string store holds).
  static constexpr std::size_t kMaxTextLength = 255;
  // The parser reads at most this many characters; a longer date stays text.
  static constexpr std::size_t kMaxParseLength = 59;
  static constexpr int kMaxYear = 3000;

  // Results of the parse and check calls.
  static constexpr int kParseStandard = 1;
  static constexpr int kParseNotStandard = 0;
  static constexpr int kParseEmpty = -1;

  // Ordinance states of GetOrdinanceState.
  static constexpr int kOrdinanceNothing = 0;
  static constexpr int kOrdinanceNotToBeDone = 1;
  static constexpr int kOrdinanceDone = 2;
  static constexpr int kOrdinanceClearedOrSubmitted = 3;

  CDateValue() = default;
  // Parses text month-first, with the English keywords when english is set.
  CDateValue(std::string_view text, bool english);

  void Reset();
  void Assign(const CDateValue& other);
  // Parts outside their range (month 0-12, day 0-length of the month,
  // qualifier 0-6) become 0.
  static CDateValue DateValueFromParts(int year, int month, int day, int qualifier);
  // Resets, then stores the parts as given.
  void Set(int year, int monthOrStatus, int day = 0, int qualifier = 0, int dualPart = 0,
           int secondDay = 0, bool bc = false);

  // True when month (or status), day or year is set, or the date is text-only
  // with a text. The static form answers false for a null pointer.
  bool IsSet() const;
  static bool IsSet(const CDateValue* date);
  bool IsStatus() const { return month >= kFirstStatus; }

  // Text-only dates: equal texts (case-sensitive) and years; others: every
  // part but the flags. BC flags must agree in both cases.
  bool Equals(const CDateValue& other) const;
  // Filter matching, this value being the pattern: its nonzero parts must
  // agree with other's (status Submitted and qualifier Sub match each other).
  bool Matches(const CDateValue& other) const;

  void SetToday();
  // The local calendar date of t; false when t cannot be broken down.
  bool SetFromTime(std::time_t t);
  // Midnight local time of the date's year, month and day.
  std::time_t ToTime() const;

  // The older family-file form: old codes 0-12 are months, 13 "See Notes",
  // 14-29 status words; old kinds 0 Bef, 1 Abt, 2 none, 3 Aft.
  void SetFromOldFormat(int year, int oldCode, int day, int oldKind, int dualPart);

  // Whole years from this date to other (an age); -1 when either year is
  // missing, or a status code is involved and ignoreStatus is false.
  int YearsBetween(const CDateValue& other, bool ignoreStatus) const;
  // Adds a span held in a date value (years, months, days).
  void AddSpan(const CDateValue& span);

  // Parsing. Results: 1 standard date, 0 not standard, -1 empty.
  // ParseText leaves the date reset unless it returns 1; copyOut receives
  // the trimmed text as the parser read it.
  int ParseText(std::string_view text, bool dayFirst, bool english, std::string* copyOut = nullptr);
  // ParseText; a 0 keeps the whole typed text (trimmed) as a text-only date.
  int Parse(std::string_view text, bool dayFirst = false, bool english = false);
  // Parse, then the category's rules (category of the event: 1 baptism and
  // endowment, 2 sealing to parents, 3 sealing to spouse, 4 marriage, 5 death).
  int ParseForCategory(std::string_view text, int category, bool dayFirst, bool english);
  // Makes the date text-only with text (cut to kMaxTextLength), keeping the
  // year, and takes a year from the numbers in the text.
  void SetText(std::string_view text);
  // Clears the text-only flag and the text.
  void ClearText();

  // The check behind every date field. field is rewritten in the user's style
  // when it holds a standard date. Returns 1 for a standard or empty date;
  // for a non-standard one, without prompt the declined result (0/1), with
  // prompt 2 when the user accepts it as text and 0 (date reset) when not.
  // Without parseIntoThis the check runs on a temporary date.
  int CheckEntry(std::string& field, bool parseIntoThis, int category, bool useDisplayOrder,
                 bool prompt, bool english, bool declinedResult);
  // 1 standard or empty; 0 with errorText set for a non-standard date.
  int ValidateText(std::string_view text, int category, std::string& errorText) const;

  // Comparison in time: -1 this earlier, 1 later, 0 equal, -2 not
  // comparable. decidedByQualifier (may be null) is set when only the
  // qualifiers decided: Aft sorts before the plain date of the same year and
  // Bef after it.
  int CompareCore(const CDateValue& other, int* decidedByQualifier) const;
  // CompareCore with qualifier-decided results as -2 / 2 and "equal" and
  // "not comparable" both 0.
  int CompareOrder(const CDateValue& other) const;
  // Ordering for sorted lists (negative, 0, positive); consistent in both
  // directions, so it can drive a sort.
  int SortCompare(const CDateValue& other) const;
  // 0 nothing usable, 1 not to be done, 2 done, 3 cleared or submitted, for
  // the ordinance kind letters 'B', 'E' and 'P'.
  static int GetOrdinanceState(const CDateValue* date, char kind);

  // Formatting in the user's style (DateDisplayOptions). qualifierMode: 1 or
  // 3 leave the qualifier out, 4 writes it in lower case, bit value 2 leaves
  // out the second day and the dual year. tabLayout puts a tab after the
  // qualifier place. interchange writes the English upper-case form.
  std::string Format(bool longQualifier = false, int qualifierMode = 0, bool tabLayout = false,
                     bool interchange = false) const;
  // Format, or "" when the date is not set.
  std::string ToString() const;
  // Format, shortened until measure(text) is at most width.
  std::string FormatFitted(int width, const std::function<int(const std::string&)>& measure) const;
  // The sentence form ("on 5 Jan 1900", "in 1900", "about 1900").
  std::string FormatPhrase(bool longQualifier, int qualifierMode) const;
  // The column form of order and list dialogs (tab-separated parts).
  std::string FormatColumns(bool longQualifier, int qualifierMode, bool pad) const;
  std::string FormatQualifier(bool longQualifier, bool interchange = false) const;
  std::string FormatDay() const;
  std::string FormatMonth(bool interchange = false) const;
  std::string FormatYear() const;

  // The 8-byte binary form of saved filters (a text-only date followed by its
  // text when withText is set).
  std::vector<std::uint8_t> Write(bool withText) const;
  // Resets, then reads the binary form; false when the data is short.
  // consumed (may be null) receives the bytes read.
  bool Read(std::span<const std::uint8_t> data, std::size_t* consumed = nullptr);
  // The older 10-byte form: 16-bit month, day, year, dual-year part, qualifier.
  bool ReadOld(std::span<const std::uint8_t> data);
};

// Days from the start of year 1 to the date; strictly increasing in time,
// with February counted as FebruaryDays gives it.
long DayNumber(int year, int month, int day);
// 29 for year 0 (unknown) and every fourth year, except that from 1753 on a
// century year is leap only when divisible by 400.
int FebruaryDays(int year);
// 30 for months 4, 6, 9, 11; FebruaryDays for 2; 31 for any other value.
int DaysInMonth(int month, int year);
// Whether an ordinance status code suits the event category (codes below 13
// always do).
bool IsStatusValidForCategory(int category, int code);

// The 6-byte packed date of the family file's records.
// A text-only date stores a 32-bit text reference (the name-store entry of
// its text, kind 3) in place of month, day, qualifier and dual part: the
// caller stores the text first and passes the reference to PackDate; for any
// other date textRef is ignored. UnpackDate restores every field except flag A
// (which reads as 0) and, for a text-only date, returns the text reference and
// leaves the text empty for the caller to resolve; the overload with lookup
// fills the text itself. PackDate returns false when a part does not fit its
// bits (year above 8191, month/day/second day above 31, qualifier above 7);
// the low bits are written then.
inline constexpr std::size_t kPackedDateSize = 6;
bool PackDate(const CDateValue& date, std::int32_t textRef, std::uint8_t* out);
std::int32_t UnpackDate(const std::uint8_t* in, CDateValue& date);
void UnpackDate(const std::uint8_t* in, CDateValue& date,
                const std::function<std::string(std::int32_t)>& lookupText);

// Trimming routines of the date module. Control characters and blanks are
// always trimmed, and the characters of chars as well.
std::string TrimLeftChars(std::string_view source, std::string_view chars);
// Scans from length (when shorter than the text) backwards.
std::string TrimRightChars(std::string_view source, std::string_view chars,
                           std::size_t length = std::string_view::npos);
void TrimRightString(std::string& text, std::string_view chars);
