#pragma once
// The custom event table: the predefined event kinds offered for user events
// (immigration, census, ...), one event type record per kind in string-table
// order, built from the interface language's strings 4300 on at start-up and
// read-only afterwards. The family file takes the texts of its built-in
// event types from here.

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "EventTypeRecord.h"

class CCustomEventTable {
 public:
  int GetSize() const { return static_cast<int>(records_.size()); }
  // The record at index, or null outside the table.
  const CEventTypeRecord* GetAt(int index) const;
  void Add(std::unique_ptr<CEventTypeRecord> record) { records_.push_back(std::move(record)); }
  // Frees the records, the last first.
  void RemoveAll();

 private:
  std::vector<std::unique_ptr<CEventTypeRecord>> records_;
};

inline constexpr int kMaxCustomEvents = 100;

// Fills record from one row "title|short|abbreviation|tag|verb phrase|
// preposition|digit|digit|I or M". Each of the last three fields must be one
// character (a digit, a digit, a letter); the first that is not is reported
// in a message box with rowIndex and its field index (both from 0), and the
// fields after it are not read. Returns false then.
bool ParseCustomEventRow(std::string_view row, int rowIndex, CEventTypeRecord& record);

// The process-wide table.
CCustomEventTable& CustomEventTable();
// Rebuilds the table from strings 4300 on, up to the first missing id and
// at most 100 rows; a bad row is reported and kept as far as it was read.
void LoadCustomEventTable();
void FreeCustomEventTable();
