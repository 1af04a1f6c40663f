#pragma once
// Rows: the model side of the field list's lines. A row knows its label
// (a string id), the text its value starts with, its citation count,
// whether it may be edited and the record part it stands for (its linked
// event or ordinance). It makes its line's three cells, tells whether the
// user changed the value, and carries an accepted edit back to the edit
// model. The edit models build the rows and own them; the list only shows
// them.

#include <memory>
#include <string>
#include <vector>

#include "FieldCell.h"
#include "StringIds.h"

class CDittoList;
class CEditModel;
class CEventObject;
class CFieldListCtrl;
class COrdinanceObject;
class CStringListEx;
class CUserEventRecord;

class CFieldListRow {
 public:
  // The value editor's style of drop-down rows.
  static constexpr unsigned kComboStyle = 0x50200042;
  static constexpr unsigned kSortedComboStyle = 0x50200142;

  CFieldListRow() = default;
  CFieldListRow(int labelId, std::string text, int count, int readOnly, CEventObject* linked);
  virtual ~CFieldListRow() = default;
  CFieldListRow(const CFieldListRow&) = delete;
  CFieldListRow& operator=(const CFieldListRow&) = delete;

  // The label from the string table; "" for id 0.
  virtual std::string GetLabel() const;
  virtual std::unique_ptr<CFieldCell> CreateLabelCell();
  virtual std::unique_ptr<CFieldCell> CreateValueCell();
  virtual std::unique_ptr<CFieldCell> CreateButtonCell();
  // 1 when the cell's text differs from what the model holds.
  virtual int IsChanged(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell);
  // 1 accepts the cell's text (stored in the model), 0 refuses it.
  virtual int Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell);
  virtual unsigned GetComboStyle() const { return kComboStyle; }

  void SetText(const std::string& text) { text_ = text; }
  const std::string& GetText() const { return text_; }
  void SetReadOnly(int readOnly);
  int IsReadOnly() const { return readOnly_; }
  int GetLabelId() const { return labelId_; }
  CEventObject* GetLinked() const { return linked_; }
  int GetCount() const { return count_; }
  void SetCount(int count) { count_ = count; }
  void SetTextLimit(int limit) { textLimit_ = limit; }
  int GetTextLimit() const { return textLimit_; }
  CFieldCell* GetLabelCell() const { return labelCell_; }
  CFieldCell* GetValueCell() const { return valueCell_; }
  CFieldCell* GetButtonCell() const { return buttonCell_; }
  // The model that owns the row (its removal marks decide whether the list
  // shows the row).
  void SetModel(CEditModel* model) { model_ = model; }
  CEditModel* GetModel() const { return model_; }
  // Whether the linked user event is marked removed.
  bool IsLinkRemoved() const;

 protected:
  // A label cell: the label, ":" unless colon is false, read-only.
  std::unique_ptr<CFieldCell> MakeLabelCell(bool colon, int indent, bool bold);
  // A combo value cell over choices.
  std::unique_ptr<CFieldCell> MakeComboCell(CStringListEx* choices);
  // Keeps the cell made for a column.
  CFieldCell* Keep(std::unique_ptr<CFieldCell>& cell, CFieldCell*& slot);

  int labelId_ = 0;
  std::string text_;
  CEventObject* linked_ = nullptr;
  int readOnly_ = 0;
  int count_ = 0;
  CFieldCell* labelCell_ = nullptr;
  CFieldCell* valueCell_ = nullptr;
  CFieldCell* buttonCell_ = nullptr;
  int textLimit_ = 0;
  CEditModel* model_ = nullptr;
};

// The date an event's row shows: a user event's own event date, else the
// event's date.
std::string EventDateText(const CEventObject* event);

// The first row of rows with the label id, or null.
CFieldListRow* FindRowInList(const std::vector<std::unique_ptr<CFieldListRow>>& rows, int labelId);

class CTextRow : public CFieldListRow {
 public:
  using CFieldListRow::CFieldListRow;
  int IsChanged(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
  int Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
};

class CSectionHeadingRow : public CTextRow {
 public:
  explicit CSectionHeadingRow(int labelId);
  std::unique_ptr<CFieldCell> CreateLabelCell() override;
  std::unique_ptr<CFieldCell> CreateValueCell() override;
  std::unique_ptr<CFieldCell> CreateButtonCell() override;
};

class CComboRow : public CTextRow {
 public:
  CComboRow(int labelId, std::string text, int count, int readOnly, CEventObject* linked,
            CStringListEx* choices);
  std::unique_ptr<CFieldCell> CreateValueCell() override;
  CStringListEx* GetChoices() const { return choices_; }

 protected:
  CStringListEx* choices_;
};

class CFullNameRow : public CComboRow {
 public:
  CFullNameRow(std::string text, CStringListEx* choices);
  std::unique_ptr<CFieldCell> CreateValueCell() override;
  int IsChanged(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
  int Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
};

class CNamePartRow : public CTextRow {
 public:
  using CTextRow::CTextRow;
  int Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override {
    return CheckNewName(model, list, cell);
  }
  // The new-name question for the cell's text, then the text commit.
  int CheckNewName(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell);
};

class CYesNoRow : public CComboRow {
 public:
  CYesNoRow(CEventObject* linked, CStringListEx* choices, int count);
  std::unique_ptr<CFieldCell> CreateLabelCell() override;
  std::unique_ptr<CFieldCell> CreateValueCell() override;
  std::unique_ptr<CFieldCell> CreateButtonCell() override;
  int IsChanged(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
  int Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
  // 1 when text is "Yes", ignoring case.
  static int IsYes(const std::string& text);
};

class CDescriptionRow : public CFieldListRow {
 public:
  explicit CDescriptionRow(CEventObject* event);
  std::unique_ptr<CFieldCell> CreateLabelCell() override;
  int IsChanged(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
  int Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
};

class CEndDateRow : public CFieldListRow {
 public:
  explicit CEndDateRow(CEventObject* event);
  std::unique_ptr<CFieldCell> CreateLabelCell() override;
  int IsChanged(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
  int Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
};

class CDateRow : public CComboRow {
 public:
  static constexpr unsigned kLabelColor = 0x323232;

  // readOnly: the event's kind has no date.
  CDateRow(CEventObject* event, CStringListEx* choices, int readOnly = 0);
  std::unique_ptr<CFieldCell> CreateLabelCell() override;
  std::unique_ptr<CFieldCell> CreateValueCell() override;
  int IsChanged(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
  int Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
};

// The date row of a built-in event or ordinance, over the application's
// Dates list.
class CEventDateRow : public CDateRow {
 public:
  CEventDateRow(CEventObject* event, CDittoList* dates);
  std::unique_ptr<CFieldCell> CreateLabelCell() override;
};

// The place of an event: checked, asked about when new to the family file,
// handed to the event and remembered among the recent places.
class CPlaceRow : public CComboRow {
 public:
  CPlaceRow(CEventObject* event, CStringListEx* choices, int labelId = res::kIdsPlace);
  std::unique_ptr<CFieldCell> CreateValueCell() override;
  std::unique_ptr<CFieldCell> CreateButtonCell() override;
  int IsChanged(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
  int Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
  // 1 when text passes the character rule of names; else 0 and message 7280.
  static int CheckText(const std::string& text, std::string& message);
  // 1 when the event accepts the place text.
  static int StorePlaceText(CEventObject* event, const std::string& text);
};

// Of the two places of an ordinance ("Place if living" and "Temple") the one
// that has a value holds the citation button; a commit of one clears the
// other.
class CPlaceIfLivingRow : public CPlaceRow {
 public:
  // buttonReadOnly: whether the button cell starts read-only.
  CPlaceIfLivingRow(CEventObject* livePlace, CStringListEx* choices, int count, int buttonReadOnly);
  std::unique_ptr<CFieldCell> CreateButtonCell() override;
  int Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;

 private:
  int buttonReadOnly_;
};

class CTempleOrdinanceRow : public CComboRow {
 public:
  CTempleOrdinanceRow(COrdinanceObject* ordinance, CStringListEx* choices,
                      int labelId = res::kIdsOrdinanceTemple);
  std::unique_ptr<CFieldCell> CreateLabelCell() override;
  std::unique_ptr<CFieldCell> CreateValueCell() override;
  std::unique_ptr<CFieldCell> CreateButtonCell() override;
  int IsChanged(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
  int Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
  unsigned GetComboStyle() const override { return kSortedComboStyle; }
};

class CTempleRow : public CTempleOrdinanceRow {
 public:
  CTempleRow(COrdinanceObject* ordinance, CStringListEx* choices, int buttonReadOnly);
  std::unique_ptr<CFieldCell> CreateButtonCell() override;
  int Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;

 private:
  int buttonReadOnly_;
};

// ---- the rows only the edit-record model makes ----

class CSexRow : public CComboRow {
 public:
  CSexRow(std::string text, CStringListEx* choices, int readOnly);
  std::unique_ptr<CFieldCell> CreateValueCell() override;
};

class CSurnameRow : public CComboRow {
 public:
  CSurnameRow(std::string text, CStringListEx* choices);
  std::unique_ptr<CFieldCell> CreateValueCell() override;
  int IsChanged(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
  int Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
};

class CTitleRow : public CNamePartRow {
 public:
  // suffix: the Title (suffix) row, which carries the individual's own
  // citation button.
  CTitleRow(bool suffix, std::string text, int count);
  std::unique_ptr<CFieldCell> CreateLabelCell() override;
  std::unique_ptr<CFieldCell> CreateButtonCell() override;
  int IsChanged(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;
  int Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) override;

 private:
  bool suffix_;
};

class CTitlePrefixRow : public CTitleRow {
 public:
  explicit CTitlePrefixRow(std::string text) : CTitleRow(false, std::move(text), 0) {}
};

class CTitleSuffixRow : public CTitleRow {
 public:
  CTitleSuffixRow(std::string text, int count) : CTitleRow(true, std::move(text), count) {}
};

// The date of a user event, labelled with its event type's own title.
class CUserEventDateRow : public CDateRow {
 public:
  CUserEventDateRow(CUserEventRecord* event, CStringListEx* choices, int readOnly);
  std::string GetLabel() const override { return title_; }

 private:
  std::string title_;
};

class CUserEventPlaceRow : public CPlaceRow {
 public:
  CUserEventPlaceRow(CUserEventRecord* event, CStringListEx* choices);
  std::unique_ptr<CFieldCell> CreateButtonCell() override;
};
