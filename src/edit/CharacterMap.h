#pragma once
// The Character Map's table: the accented and special characters of the
// active code page that the map offers, laid out in rows, with the
// selection the map's keys move. The map window draws and sends them.

#include <string>
#include <vector>

// The table of a code page (1250 has its own; every other page the second).
const std::vector<unsigned char>& CharacterMapTable(int codePage);
// The table of the active code page.
const std::vector<unsigned char>& ActiveCharacterMapTable();
// 18 under code page 1250, else 15.
int GetCharacterMapColumns();
int CharacterMapColumnsFor(int codePage);
// 1 when value is a character of the active table.
int IsCharacterMapKey(int value);

// The cells of the map and its selection.
class CCharacterMapModel {
 public:
  static constexpr int kCellSize = 20;
  static constexpr int kVisibleRows = 5;

  explicit CCharacterMapModel(int codePage);

  enum Move { kLeft, kRight, kUp, kDown };

  int GetCount() const { return static_cast<int>(table_.size()); }
  int GetColumns() const { return columns_; }
  int GetRows() const { return (GetCount() + columns_ - 1) / columns_; }
  unsigned char GetCharacter(int index) const { return table_[index]; }
  // The cell's rectangle: 20 x 20 at (20 * column, 20 * row).
  void GetCellRect(int index, int& left, int& top, int& right, int& bottom) const;
  // The cell under a point, or -1.
  int HitTest(int x, int y) const;

  int GetSelected() const { return selected_; }
  void Select(int index);
  // Moves the selection; a move that would leave the table does nothing.
  void MoveSelection(Move move);

 private:
  std::vector<unsigned char> table_;
  int columns_;
  int selected_ = 0;
};
