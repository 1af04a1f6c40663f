#pragma once
// The grid of an editing screen without its drawing: lines of three cells
// made from rows, the current cell, the in-place editor that moves from
// cell to cell by keys, clicks and scrolling, and the talk with the owner
// (the screen) that accepts finished edits. The painted control
// (CFieldListWidget) is its platform: it makes the editors, knows where a
// line lies on screen and leaves the list for the next control.

#include <memory>
#include <string>
#include <vector>

#include "FieldCell.h"

class CEditModel;
class CFieldListRow;

// What the list needs of the window that shows it.
class CFieldListPlatform {
 public:
  virtual ~CFieldListPlatform() = default;
  virtual std::unique_ptr<CFieldEditor> CreateEditor(const FieldEditorSetup& setup) = 0;
  // The line's rectangle in client coordinates (the header strip included
  // at the top); with ensureVisible the line is scrolled into view first.
  virtual FieldRect GetLineRect(int line, bool ensureVisible) = 0;
  virtual int GetLineHeight() const = 0;
  virtual int GetItemsPerPage() const = 0;
  // The focus goes on to the next (or previous) control of the window.
  virtual void LeaveForward() = 0;
  virtual void LeaveBackward() = 0;
  virtual void InvalidateLine(int /*line*/) {}
  virtual void InvalidateRect(const FieldRect& /*rect*/) {}
  virtual void EnsureColumnVisible(int /*column*/) {}
  // The list's window height, for placing the Character Map.
  virtual int GetWindowHeight() const { return 0; }
};

// What the list asks of its owner.
class CFieldListOwner {
 public:
  virtual ~CFieldListOwner() = default;
  // 0 accepts the cell's text, a positive answer refuses it.
  virtual int OnCellDone(const FieldCellDone& done) = 0;
  // The citation button of (column, row) was pressed; the new count.
  virtual int OnButton(int /*column*/, int /*row*/, int count) { return count; }
  virtual void OnEditorOpen(CFieldCell* /*cell*/, int /*column*/, int /*row*/) {}
  virtual void OnSorting(int /*column*/) {}
  virtual int OnCompare(int /*itemData1*/, int /*itemData2*/, int /*column*/) { return 0; }
};

class CFieldListCtrl {
 public:
  // The height of the Character Map window (five rows of 20 and its frame).
  static constexpr int kCharacterMapFrame = 2;
  static constexpr int kCharacterMapHeight = 100 + 2 * kCharacterMapFrame;

  CFieldListCtrl() = default;
  ~CFieldListCtrl();
  CFieldListCtrl(const CFieldListCtrl&) = delete;
  CFieldListCtrl& operator=(const CFieldListCtrl&) = delete;

  void SetPlatform(CFieldListPlatform* platform) { platform_ = platform; }
  void SetOwner(CFieldListOwner* owner) { owner_ = owner; }
  CFieldListOwner* GetOwner() const { return owner_; }

  // The three columns' widths and header texts.
  int SetupList();
  void InsertColumn(const std::string& heading, int width);
  void SetColumnWidth(int column, int width);
  int GetColumnCount() const { return static_cast<int>(columns_.size()); }
  int GetColumnWidth(int column) const;
  const std::string& GetColumnHeading(int column) const;

  // Makes the row's line (label, value, button cells); refuses none and a
  // row whose user event is marked removed.
  int AddRow(CFieldListRow* row);
  void AppendLine(std::unique_ptr<CFieldLine> line);
  // Deletes every line, lets the model add its rows and opens the editor on
  // column 0 of row's line (line 0 without one), or the next that opens.
  void Reload(CEditModel* model, CFieldListRow* row);
  void DeleteAllLines();

  CFieldListRow* FindRowById(int labelId) const;
  int FindRowIndexById(int labelId) const;
  int FindRowIndex(const CFieldListRow* row) const;
  CFieldListRow* GetRowObject(int line) const;
  CFieldLine* GetLine(int line) const;
  CFieldCell* GetCell(int column, int line) const;
  int GetLineCount() const { return static_cast<int>(lines_.size()); }

  int GetCurrentColumn() const { return currentColumn_; }
  int GetCurrentLine() const { return currentLine_; }
  CFieldCell* GetCurrentCell() const { return GetCell(currentColumn_, currentLine_); }

  int BeginEdit(int column, int line, bool scroll);
  int EndEdit(int column, int line, int code1, int code2);
  int EndCurrentEdit(int code1, int code2);
  // The cell's rectangle; empty for a column outside or 4 pixels wide or less.
  FieldRect GetCellRect(int column, int line, bool ensureVisible);
  // Where the Character Map opens for the current cell, in the list's
  // client coordinates: under the cell, or above it when there is no room.
  int CharacterMapPosition(int& x, int& y);
  // Opens the map for the current cell; 0 without one.
  int ShowCharacterMapForCell();

  void MoveNext();
  void MovePrevious();
  void MoveDown();
  void MoveUp();
  void OnNavigate(int code);
  // From a sources button to the value of its line, or on to the next field
  // when that opens nothing (a character was typed on the button).
  void MoveToValue();
  // A citation button was pressed (its key or a click): closes the editor,
  // asks the owner and gives the answer to the cell.
  void OnButton(int column, int line);
  // A press on (column, line) (column -1: beside every column). 0 when a
  // refused edit kept the editor and the click is ignored.
  int OnLButtonDown(int column, int line);
  // The list got the focus.
  void OnSetFocus();
  // After a scroll or a resize: the editor follows its cell.
  void MoveCurrentEditor();
  // A header click: closes the editor, asks the owner to sort by the column.
  void SortByColumn(int column);

  // Sent by a closing cell to the owner.
  int SendCellDone(const FieldCellDone& done);
  void NotifyEditorOpen(CFieldCell* cell, int column, int line);
  std::unique_ptr<CFieldEditor> CreateEditor(const FieldEditorSetup& setup);
  void InvalidateRect(const FieldRect& rect);

 private:
  void Leave(bool forward);
  // Moves to the next (or previous) cell that opens an editor, passing over
  // the sources buttons when overSources is set.
  void Step(bool forward, bool overSources);
  bool IsSourcesButton(int column, int line) const;

  struct Column {
    std::string heading;
    int width = 0;
  };
  std::vector<Column> columns_;
  std::vector<std::unique_ptr<CFieldLine>> lines_;
  int currentColumn_ = -1;
  int currentLine_ = -1;
  CFieldListPlatform* platform_ = nullptr;
  CFieldListOwner* owner_ = nullptr;
};
