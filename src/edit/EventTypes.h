#pragma once
// The event types behind user events, as the Select Event and Define Custom
// Event screens handle them: the types of one owner kind in title order,
// the titles and short titles in use (lower-cased), adding, changing and
// deleting types, the checks a type's fields must pass and the sample
// sentence that shows how a narrative will read.

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "EventTypeRecord.h"

namespace eventtype {
// Text limits of the fields.
inline constexpr int kTitleLimit = 30;
inline constexpr int kShortTitleLimit = 9;
inline constexpr int kAbbreviationLimit = 2;
inline constexpr int kVerbLimit = 80;
inline constexpr int kPrepositionLimit = 12;
}  // namespace eventtype

// What Define Custom Event shows and returns.
struct EventTypeFields {
  std::string title;
  std::string shortTitle;
  std::string abbreviation;
  std::string verb;
  std::string preposition;
  int dateKind = 1;  // 0 none, 1 single date, 2 range
  bool useDescription = false;
  bool predefined = false;
};

// The field a check sends the focus to.
enum class EventTypeField { kNone, kTitle, kShortTitle, kAbbreviation, kVerb, kPreposition };

// The first failing check of a type's fields: the message (empty when all
// pass), its box flags and the field to focus.
struct EventTypeCheck {
  int messageId = 0;
  std::string message;
  unsigned flags = 0;
  EventTypeField field = EventTypeField::kNone;
  bool Passed() const { return messageId == 0; }
};

// Titles and short titles in use, lower-cased.
struct EventTypeNames {
  std::set<std::string> titles;
  std::set<std::string> shortTitles;
  static std::string Key(const std::string& text);
};

// The sentence a narrative makes of a type: "He immigrated 29 Feb 1980 to
// Yuma, Arizona." for an individual type with a single date.
std::string BuildEventSample(char ownerKind, const std::string& verb,
                             const std::string& preposition, bool useDescription, int dateKind);

// The checks of OK in Define Custom Event; oldTitleKey and oldShortKey are the
// lower-cased texts the type had when the dialog opened.
EventTypeCheck CheckEventTypeFields(const EventTypeFields& fields, const std::string& oldTitleKey,
                                    const std::string& oldShortKey, const EventTypeNames& names);

class CEventTypeList {
 public:
  // Reads the types of ownerKind ('I' or 'M') in title order; a type numbered
  // preselect becomes the selection, else the first line.
  void Load(char ownerKind, std::int32_t preselect);

  int GetCount() const { return static_cast<int>(types_.size()); }
  const CEventTypeRecord& At(int index) const { return *types_[index]; }
  int GetSelection() const { return selection_; }
  void SetSelection(int index) { selection_ = index; }
  std::int32_t SelectedNumber() const;
  std::vector<std::string> Titles() const;
  const EventTypeNames& Names() const { return names_; }
  char OwnerKind() const { return ownerKind_; }

  // The fields of a type as Edit shows them (the title for an empty short
  // title).
  EventTypeFields FieldsOf(int index) const;
  // Adds a new type (never on a deleted type's number, so that user events
  // of a deleted type do not take the new one) and selects it; the new
  // index, or -1 when the file refused it.
  int Add(const EventTypeFields& fields);
  // Stores changed fields of a type; a title or short title that differs only
  // in letter case is no change. The type's index after re-sorting, or -1.
  int Update(int index, const EventTypeFields& fields);
  // Deletes a type from the file; its titles stay in use while the list
  // lives. The selection stays at the index (the previous one at the end).
  bool Delete(int index);
  // Delete is allowed on a writable file for a type that is not predefined.
  bool CanDelete(int index, bool readOnly) const;

 private:
  int InsertSorted(std::unique_ptr<CEventTypeRecord> type);

  char ownerKind_ = 'I';
  std::vector<std::unique_ptr<CEventTypeRecord>> types_;
  EventTypeNames names_;
  int selection_ = -1;
};
