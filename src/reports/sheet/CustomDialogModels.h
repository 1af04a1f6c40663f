#pragma once
// What the Report Fields, Column Options and Sort Order screens decide. Each
// list screen works on copies of the layout's columns or sort keys: OK puts
// the copies in list order into the layout, Cancel drops them. Both lists
// end with an empty entry that marks where a new entry goes and is never a
// column or key.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CustomReportLayout.h"

namespace rpt {

struct CustomFieldChoice {
  std::int32_t id = 0;
  std::string text;  // the field's label
};

// The Possible Fields entries: the catalogue in order, the ordinance fields
// only with showZel; a field whose label is missing is left out.
std::vector<CustomFieldChoice> CustomPossibleFields(bool showZel);

// The questions a field asks before it is added; false when cancelled.
struct CustomFieldQuestions {
  std::function<bool(std::string& tag)> noteTag;      // the Notes field
  std::function<bool(std::string& title)> eventType;  // the user-event fields
};

bool IsCustomUserEventField(std::int32_t id);

// The note tags the Notes question offers ("Note Tags"/Tag1, Tag2, ... up to
// the first empty one); the built-in note tags when Tag1 is empty.
std::vector<std::string> CustomNoteTags();
// The titles of the open family file's event types, sorted.
std::vector<std::string> CustomEventTypeTitles();
// " (" option ")" for Notes and the user-event fields, else "".
std::string CustomOptionSuffix(std::int32_t id, const std::string& option);

class CCustomFieldsModel {
 public:
  CCustomFieldsModel(const CCustomReportLayout& layout, bool showZel,
                     CustomFieldQuestions questions);

  const std::vector<CustomFieldChoice>& Possible() const { return possible_; }
  // The selected Possible Fields entries (indices, any order).
  const std::vector<int>& PossibleSelection() const { return possibleSelection_; }
  void SetPossibleSelection(std::vector<int> indices);

  // The Selected Columns entries, the empty one last.
  int EntryCount() const { return static_cast<int>(entries_.size()) + 1; }
  int ColumnCount() const { return static_cast<int>(entries_.size()); }
  std::string EntryText(int index) const;
  int Selected() const { return selected_; }
  void Select(int index);
  // The selected column's copy; null on the empty entry.
  CCustomReportColumn* SelectedColumn();

  void Add();        // ">"
  void Remove();     // "<"
  void RemoveAll();  // "<<"
  // The up-down control: positive moves the selected column down.
  void Move(int delta);

  bool CanAdd() const;
  bool CanRemove() const;
  bool CanRemoveAll() const { return !entries_.empty(); }
  bool CanOptions() const { return CanRemove(); }
  bool CanOk() const { return !entries_.empty(); }

  // OK: the layout's columns become the copies in list order.
  void Apply(CCustomReportLayout& layout);

 private:
  struct Entry {
    std::string text;
    std::unique_ptr<CCustomReportColumn> column;
  };
  bool HasText(const std::string& text) const;
  bool HasField(std::int32_t id) const;
  bool HasNameColumn() const;

  std::vector<CustomFieldChoice> possible_;
  std::vector<int> possibleSelection_;
  std::vector<Entry> entries_;
  int selected_ = 0;
  CustomFieldQuestions questions_;
};

// Column Options: the heading and the width (1-200) of one column copy.
// False, and the column unchanged, for a width outside the range.
bool ApplyColumnOptions(CCustomReportColumn& column, const std::string& heading, int width);
// The screen's caption: its own caption, ": " and the field's label.
std::string ColumnOptionsCaption(const std::string& caption, std::int32_t fieldId);

class CCustomSortModel {
 public:
  static constexpr int kMaxKeys = 3;

  CCustomSortModel(const CCustomReportLayout& layout, bool showZel, CustomFieldQuestions questions);

  const std::vector<CustomFieldChoice>& Possible() const { return possible_; }
  int PossibleSelected() const { return possibleSelected_; }
  void SelectPossible(int index);

  int EntryCount() const { return static_cast<int>(entries_.size()) + 1; }
  int KeyCount() const { return static_cast<int>(entries_.size()); }
  // "A" or "D", a tab, the label; "" for the empty entry.
  std::string EntryText(int index) const;
  int Selected() const { return selected_; }
  void SelectEntry(int index);

  bool Ascending() const { return ascending_; }
  // The radio buttons: the state for new keys and the selected key's direction.
  void SetAscending(bool ascending);
  // A double-click on a key turns its direction round.
  void Toggle(int index);

  void Add();     // ">"
  void Remove();  // "<"

  bool CanAdd() const { return addEnabled_; }
  bool CanRemove() const { return keyControls_; }
  bool RadiosEnabled() const { return keyControls_; }

  void Apply(CCustomReportLayout& layout);

 private:
  struct Entry {
    std::string label;
    std::unique_ptr<CCustomReportSortKey> key;
  };
  std::string TextOf(const Entry& entry) const;
  void UpdateKeyControls();

  std::vector<CustomFieldChoice> possible_;
  int possibleSelected_ = 0;
  std::vector<Entry> entries_;
  int selected_ = 0;
  bool ascending_ = true;
  bool addEnabled_ = true;
  bool keyControls_ = false;
  CustomFieldQuestions questions_;
};

}  // namespace rpt
