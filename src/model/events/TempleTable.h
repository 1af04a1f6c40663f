#pragma once
// The temple table: the temples at which ZEL ordinances are done, by code,
// with their opening and closing dates. It is built from the interface
// language's string table at start-up (strings 6800-6999, one temple each)
// and read-only afterwards.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DateValue.h"

class CTempleEntry {
 public:
  static constexpr std::size_t kCodeLength = 5;  // the longest code
  static constexpr std::size_t kShortCodeLength = 2;

  // Empties every field and drops the closing date.
  void Clear();
  // Reads one row "name|place|code|opening date|short code|closing date".
  // Every field that breaks its rule is reported in a message box; the row
  // is taken as far as it goes.
  void Parse(std::string_view row);
  // Whether the temple was open on date: not before its opening date and,
  // when it has closed, not after its closing date.
  bool WasOpenOn(const CDateValue& date) const;

  std::string name;
  std::string place;
  std::string code;       // 4 or 5 characters; the table's key
  std::string shortCode;  // two letters
  CDateValue openingDate;
  std::unique_ptr<CDateValue> closingDate;  // null while the temple is open
};

class CTempleTable {
 public:
  using Map = std::map<std::string, std::unique_ptr<CTempleEntry>>;

  // The entry of code (exact key), or null.
  const CTempleEntry* Lookup(std::string_view code) const;
  // The first entry whose short code is shortCode (exact case), or null.
  const CTempleEntry* FindShortCode(std::string_view shortCode) const;
  // Puts entry under its code; a former entry of that code is freed.
  void SetAt(std::unique_ptr<CTempleEntry> entry);
  void RemoveAll() { entries_.clear(); }
  bool IsEmpty() const { return entries_.empty(); }
  std::size_t GetCount() const { return entries_.size(); }
  const Map& Entries() const { return entries_; }

 private:
  Map entries_;
};

inline constexpr unsigned kTempleStringEnd = 7000;  // first id past the temple rows

// The process-wide temple table.
CTempleTable& TempleTable();
// Rebuilds the temple table from the string table: rows from 6800 up to the
// first missing id; a row without a code is left out, and a later row with
// the same code takes its place.
void LoadTempleTable();
void FreeTempleTable();

// The entries of the temple choice list: an empty first entry, then every
// temple's code, " - " and name in table order. The combo box that shows
// them applies its own sorting.
std::vector<std::string> TempleComboEntries();

// The name of a temple for display: a two-character code is looked up as a
// short code, any other as a code. A closed temple with periodWhenClosed
// gives its name and "."; otherwise "<name> temple" (string 4667), with the
// code itself in place of the name of an unknown temple.
std::string FormatTempleName(std::string_view code, bool periodWhenClosed);

// A typed temple code as it is stored: upper case, and a leading run of 4
// or 5 letters or digits followed by anything else is cut after the run.
std::string NormalizeTempleCode(std::string_view text);
