#pragma once
// The cells of a field-list line (label, value, citation button) and the
// line that owns them. A cell keeps a text and how it is drawn; entering it
// opens an in-place editor that the list's platform side makes (an edit, a
// combo box or a push button), and leaving it takes the editor's text and
// asks the list's owner to accept it before the editor goes.

#include <memory>
#include <string>
#include <vector>

class CFieldListCtrl;
class CFieldListRow;
class CStringListEx;

// The private notifications between editors, the list and its owner; their
// numbers stay fixed.
namespace fln {
inline constexpr unsigned kWmUser = 0x0400;
inline constexpr unsigned kCellDone = kWmUser + 505;
inline constexpr unsigned kSorting = kWmUser + 506;
inline constexpr unsigned kCompare = kWmUser + 507;
inline constexpr unsigned kNavigate = kWmUser + 508;
inline constexpr unsigned kButton = kWmUser + 509;
inline constexpr unsigned kReady = kWmUser + 510;
inline constexpr unsigned kResized = kWmUser + 511;
inline constexpr unsigned kEditorOpen = kWmUser + 512;
inline constexpr unsigned kCaretUnderMap = kWmUser + 514;

// The codes of kNavigate.
enum NavigateCode : int {
  kNavEnter = 0,
  kNavTab = 1,
  kNavShiftTab = 2,
  kNavPageDown = 3,
  kNavPageUp = 4,
  kNavCtrlHome = 5,
  kNavCtrlEnd = 6,
  kNavDown = 7,
  kNavUp = 8,
};
}  // namespace fln

// A rectangle in the list's client coordinates.
struct FieldRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool operator==(const FieldRect&) const = default;
};

// The record sent with kCellDone: which cell closes and the two codes.
struct FieldCellDone {
  CFieldListCtrl* list = nullptr;
  class CFieldCell* cell = nullptr;
  int column = 0;
  int row = 0;
  int code1 = 0;
  int code2 = 0;
};

// The completion options of a combo cell, copied into its editor.
struct ComboOptions {
  int completeMode = 1;       // 1 complete from the choices, 0 a key jumps to a choice
  int completionAllowed = 1;  // in complete mode, 0 leaves the text free
  int keepLength = 0;         // in complete mode, text beyond this many characters is taken back
  int exactPrefix = 0;        // 1 case-sensitive prefix search, 0 case-insensitive
  // 1: a completion keeps the letters typed as typed and adds only the rest
  // of the choice, so that a text typed in another case than a choice stays.
  int keepTyped = 0;
};

enum class CellKind { kEdit, kCombo, kButton };

// Whether a typed text may be taken: true when nothing of it is lost on the
// way to the family file (lostInEditor characters already became '?' on the
// way from the screen, and AnselLossCount tells the rest), else what the
// user answers when asked.
bool AcceptTextLoss(const std::string& typed, int lostInEditor);

// An in-place editor as the cells see it.
class CFieldEditor {
 public:
  virtual ~CFieldEditor() = default;
  virtual std::string GetText() const = 0;
  // Edit: the text, all of it selected. Button: the caption.
  virtual void SetText(const std::string& text) = 0;
  // Combo: selects the choice equal to text (case-sensitive) when there is
  // one; otherwise leaves the text alone.
  virtual void SelectChoice(const std::string& /*text*/) {}
  // Moves the editor over rect and shows it, or hides it.
  virtual void Place(const FieldRect& rect, bool visible) = 0;
  virtual void Focus() = 0;
  virtual bool IsShown() const = 0;
  // Opens the Character Map at (x, y) of the owner; 1 when it ran.
  virtual int ShowCharacterMap(int /*x*/, int /*y*/) { return 0; }
  // How many characters of the typed text GetText had to give as '?'.
  virtual int LostCharacters() const { return 0; }
};

// What a cell hands the platform to make its editor.
struct FieldEditorSetup {
  CellKind kind = CellKind::kEdit;
  std::string text;
  FieldRect rect;
  int textLimit = 0;
  CStringListEx* choices = nullptr;  // combo: shared, not owned
  unsigned comboStyle = 0;
  ComboOptions options;
  class CFieldCell* cell = nullptr;
};

class CFieldCell {
 public:
  static constexpr unsigned kNoFill = 0xFFFFFF;

  virtual ~CFieldCell();
  CFieldCell(const CFieldCell&) = delete;
  CFieldCell& operator=(const CFieldCell&) = delete;

  virtual CellKind GetKind() const = 0;

  // Stores the text; an open editor shows it as its kind does.
  virtual void SetText(const std::string& text);
  // The text trimmed with every run of blanks made one blank; stored so.
  std::string GetText();
  // The text as stored, without normalising.
  const std::string& PeekText() const { return text_; }
  virtual int IsEditing() const { return editor_ != nullptr ? 1 : 0; }
  int IsReadOnly() const { return readOnly_; }
  virtual void SetReadOnly(int readOnly) { readOnly_ = readOnly; }
  void SetBold(int bold) { bold_ = bold; }
  int IsBold() const { return bold_; }
  void SetExtraData(int data) { extraData_ = data; }
  int GetExtraData() const { return extraData_; }
  void SetItemData(int data) { itemData_ = data; }
  int GetItemData() const { return itemData_; }
  void SetIndent(int indent) { indent_ = indent; }
  int GetIndent() const { return indent_; }
  void SetRow(int row) { row_ = row; }
  void SetColumn(int column) { column_ = column; }
  int GetRow() const { return row_; }
  int GetColumn() const { return column_; }
  void SetTextLimit(int limit) { textLimit_ = limit; }
  int GetTextLimit() const { return textLimit_; }
  unsigned GetTextColor() const { return textColor; }

  // Closes the editor (codes 0 and 0; a refusal does not keep it) and drops it.
  void DestroyEditor();
  // Called for every cell when its line is added; 1.
  virtual int Attach(CFieldListCtrl* list, const FieldRect& rect, int column, int row);
  int HasEditor() const { return editor_ != nullptr ? 1 : 0; }
  // Opens the editor over rect; 0 when read-only, already open or no list.
  virtual int OpenEditor(CFieldListCtrl* list, const FieldRect& rect, int column, int row);
  // Takes the editor's text and asks the owner; 1 closed, 0 refused (the
  // editor keeps the focus).
  int CloseEditor(CFieldListCtrl* list, int code1, int code2);
  // Button cells: the citation count and its caption.
  virtual void SetCount(int /*count*/) {}
  virtual int GetCount() const { return 0; }
  // Moves the editor to the cell's new rectangle; hidden while the line lies
  // under the header or above it.
  virtual void MoveEditor(const FieldRect& rect);
  CFieldEditor* GetEditor() const { return editor_.get(); }
  const FieldRect& GetEditorRect() const { return editorRect_; }
  virtual void SetCompleteMode(int) {}
  virtual int GetCompleteMode() const { return 1; }
  virtual void SetCompletionAllowed(int) {}
  virtual int GetCompletionAllowed() const { return 1; }
  virtual void SetKeepLength(int) {}
  virtual int GetKeepLength() const { return 0; }
  virtual void SetExactPrefix(int) {}
  virtual int GetExactPrefix() const { return 1; }
  virtual void SetKeepTyped(int) {}
  // Opens the Character Map for the editor at (x, y); 0 without an editor or
  // for a button.
  virtual int ShowCharacterMap(int x, int y);

  unsigned textColor = 0;
  unsigned backgroundColor = kNoFill;

 protected:
  CFieldCell(std::string text, int readOnly);
  // The setup of this cell's editor over rect.
  virtual FieldEditorSetup MakeSetup(const FieldRect& rect) const;

  std::string text_;
  int readOnly_ = 0;
  FieldRect editorRect_;
  int column_ = -1;
  int row_ = -1;
  int bold_ = 0;
  int itemData_ = 0;
  int extraData_ = 0;
  int indent_ = 0;
  int textLimit_ = 0;
  std::unique_ptr<CFieldEditor> editor_;
  CFieldListCtrl* list_ = nullptr;  // where the editor lives
  bool takesEditorText_ = true;     // a button's caption is no value
};

class CEditFieldCell : public CFieldCell {
 public:
  CEditFieldCell(std::string text, int readOnly) : CFieldCell(std::move(text), readOnly) {}
  CellKind GetKind() const override { return CellKind::kEdit; }
};

class CComboFieldCell : public CFieldCell {
 public:
  CComboFieldCell(std::string text, CStringListEx* choices, unsigned comboStyle, int readOnly);
  CellKind GetKind() const override { return CellKind::kCombo; }
  void SetText(const std::string& text) override;
  void SetCompleteMode(int v) override { options_.completeMode = v; }
  int GetCompleteMode() const override { return options_.completeMode; }
  void SetCompletionAllowed(int v) override { options_.completionAllowed = v; }
  int GetCompletionAllowed() const override { return options_.completionAllowed; }
  void SetKeepLength(int v) override { options_.keepLength = v; }
  int GetKeepLength() const override { return options_.keepLength; }
  void SetExactPrefix(int v) override { options_.exactPrefix = v; }
  int GetExactPrefix() const override { return options_.exactPrefix; }
  void SetKeepTyped(int v) override { options_.keepTyped = v; }
  CStringListEx* GetChoices() const { return choices_; }
  unsigned GetComboStyle() const { return comboStyle_; }
  const ComboOptions& GetOptions() const { return options_; }

 protected:
  FieldEditorSetup MakeSetup(const FieldRect& rect) const override;

 private:
  CStringListEx* choices_;
  unsigned comboStyle_;
  ComboOptions options_;
};

class CButtonFieldCell : public CFieldCell {
 public:
  CButtonFieldCell(int count, int readOnly);
  CellKind GetKind() const override { return CellKind::kButton; }
  void SetText(const std::string& text) override;
  int IsEditing() const override { return 0; }
  void SetReadOnly(int readOnly) override;
  void SetCount(int count) override;
  int GetCount() const override { return count_; }
  void MoveEditor(const FieldRect& rect) override;
  int ShowCharacterMap(int, int) override { return 0; }
  // The caption: "" when read-only, else "s" with "*" before it when the
  // count is not 0.
  static std::string CaptionFor(int count, int readOnly);

 protected:
  FieldEditorSetup MakeSetup(const FieldRect& rect) const override;

 private:
  int count_ = 0;
};

// One line of the list: its cells in column order (owned) and the row it
// shows (not owned).
class CFieldLine {
 public:
  explicit CFieldLine(CFieldListRow* row = nullptr) : row_(row) {}
  // Appends a cell; -1 for none, else the new count.
  int AddCell(std::unique_ptr<CFieldCell> cell);
  // The cell of a column; null outside.
  CFieldCell* GetCell(int column) const;
  int GetCount() const { return static_cast<int>(cells_.size()); }
  CFieldCell* GetFirst();
  CFieldCell* GetNext();
  void DeleteAll() { cells_.clear(); }
  // Lets every cell attach at (column, row); stops at the first that answers 0.
  int Attach(CFieldListCtrl* list, int row);
  CFieldListRow* GetRow() const { return row_; }
  int owner = 1;

 private:
  std::vector<std::unique_ptr<CFieldCell>> cells_;
  CFieldListRow* row_;
  int cursor_ = 0;
};

// Trims blanks at both ends and makes every run of blanks one blank.
std::string NormalizeCellText(const std::string& text);
