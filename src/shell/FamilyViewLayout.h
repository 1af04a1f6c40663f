#pragma once
// The family view's geometry and its children list cursor, without Qt: the
// six panes in the view's logical space of 808 x 500 units (stretched over
// the client area, y down), the fixed captions and lines, the places of the
// view's buttons and scroll bar, the eight child rows and their columns, and
// how the current child and the first shown row move under keys and the
// scroll bar.

#include <cstdint>
#include "StringIds.h"

namespace shell::famview {

// A rectangle in logical units; right and bottom exclusive.
struct LRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Contains(int x, int y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  constexpr LRect Shrunk(int dx, int dy) const {
    return {left + dx, top + dy, right - dx, bottom - dy};
  }
  constexpr bool operator==(const LRect&) const = default;
};

inline constexpr int kLogicalWidth = 808;
inline constexpr int kLogicalHeight = 500;

enum Pane : int {
  kPanePrimary = 0,
  kPaneMarriage = 1,
  kPaneSpouse = 2,
  kPaneFather = 3,
  kPaneMother = 4,
  kPaneChildren = 5,
  kPaneCount = 6
};

inline constexpr LRect kPaneRects[kPaneCount] = {
    {32, 77, 365, 145},    // primary individual
    {43, 149, 328, 176},   // current marriage
    {32, 203, 365, 271},   // spouse
    {420, 40, 753, 108},   // father
    {420, 130, 753, 198},  // mother
    {32, 298, 775, 483},   // children
};

// Captions drawn above the panes, left-aligned at (x, y) or centred on x.
struct Caption {
  unsigned stringId;
  int x, y;
  bool centred;
  bool zelOnly;  // drawn only while ZEL data is shown
};
inline constexpr Caption kCaptions[] = {
    {res::kIdsSpouse, 37, 185, false, false},     {res::kIdsParents, 425, 22, false, false},
    {res::kIdsChildren, 37, 280, false, false},   {res::kIdsBorn, 500, 280, true, false},
    {res::kIdsParentLink, 618, 280, true, false}, {res::kIdsOrdinancesWord, 730, 280, true, true},
};

// The connecting lines: primary to the parents' bracket, and the bracket.
struct LPoint {
  int x, y;
};
inline constexpr LPoint kPrimaryLine[] = {{365, 111}, {392, 111}};
inline constexpr LPoint kParentsBracket[] = {{420, 74}, {392, 74}, {392, 164}, {420, 164}};

// Control ids of the view's buttons and scroll bar.
inline constexpr int kIdFatherButton = 700;
inline constexpr int kIdMotherButton = 701;
inline constexpr int kIdOtherParents = 702;
inline constexpr int kIdOtherMarriages = 703;
inline constexpr int kIdSpouseButton = 704;
inline constexpr int kIdFirstChildButton = 705;  // 705 to 712, one per row
inline constexpr int kIdChildScrollBar = 713;

// Bitmaps of the arrow buttons.
inline constexpr int kBitmapChildMarried = 146;
inline constexpr int kBitmapParentHasParents = 147;
inline constexpr int kBitmapSpouse = 148;
inline constexpr int kBitmapChildMarriedNoChildren = 152;
inline constexpr int kBitmapChildUnmarried = 154;
inline constexpr int kBitmapParentNoParents = 155;

// Logical places of the controls. A child row's button sits with its right
// edge 2 device pixels left of x 30: its logical rectangle ends at 30 and
// the view moves it by those pixels.
LRect ControlPlace(int id);
// The scroll bar's logical place without its width (left edge, top, height).
inline constexpr LRect kScrollBarPlace = {775, 298, 775, 483};

// ---- children pane ----
inline constexpr int kChildRows = 8;
// Children from which the scroll bar shows.
inline constexpr int kScrollBarFrom = kChildRows + 1;
// Height of one child row in logical units.
inline constexpr int kChildRowHeight =
    (kPaneRects[kPaneChildren].bottom - kPaneRects[kPaneChildren].top) / kChildRows;
// The full rectangle of row 0-7.
LRect ChildRowRect(int row);
// The row under logical y inside the children pane, or -1.
int ChildRowAt(int y);

// The columns of a child row's text, in logical units.
struct ChildColumns {
  LRect fill;        // the row's coloured area
  LRect text;        // number and name
  int nameTab;       // x of the name's tab stop
  int nameWidth;     // the width the name is fitted to
  LRect birth;       // right-aligned birth date
  LRect parentLink;  // left-aligned parent-link label
  LRect ordinances;  // ordinance columns, from here to the row's end
  int ordinanceTab;  // distance of the ordinance tab stops
  LRect marks;       // the area of the notes and multimedia marks
};
ChildColumns ChildRowColumns(int row);

// The pane font's character height in logical units for a client area:
// min(16, width x 12 / height); 0 for an empty client area.
int PaneFontHeight(int clientWidth, int clientHeight);

// The stretch of the logical space over a client area.
class Mapping {
 public:
  Mapping(int clientWidth, int clientHeight) : cw_(clientWidth), ch_(clientHeight) {}
  bool IsEmpty() const { return cw_ <= 0 || ch_ <= 0; }
  int X(int x) const { return Scale(x, cw_, kLogicalWidth); }
  int Y(int y) const { return Scale(y, ch_, kLogicalHeight); }
  LRect ToDevice(const LRect& r) const { return {X(r.left), Y(r.top), X(r.right), Y(r.bottom)}; }
  // Device point to logical; (-1, -1) for an empty client area.
  int LogicalX(int x) const { return cw_ > 0 ? Scale(x, kLogicalWidth, cw_) : -1; }
  int LogicalY(int y) const { return ch_ > 0 ? Scale(y, kLogicalHeight, ch_) : -1; }
  // The pane under a device point, or -1.
  int PaneAt(int deviceX, int deviceY) const;

 private:
  // value x num / den, rounded to the nearest.
  static int Scale(int value, int num, int den) {
    const std::int64_t product = static_cast<std::int64_t>(value) * num;
    return static_cast<int>(product >= 0 ? (product + den / 2) / den : (product - den / 2) / den);
  }
  int cw_, ch_;
};

// ---- the children list's cursor ----

enum class ScrollAction {
  kLineUp,
  kLineDown,
  kPageUp,
  kPageDown,
  kTop,
  kBottom,
  kThumbPosition,
  kThumbTrack,
  kEndScroll
};

// The current child and the first shown row of a marriage's children.
class ChildCursor {
 public:
  void Reset(int count) {
    count_ = count < 0 ? 0 : count;
    current_ = 0;
    firstRow_ = 0;
  }
  int Count() const { return count_; }
  int Current() const { return current_; }
  int FirstRow() const { return firstRow_; }
  // Sets both as a view restores them; each is kept in range.
  void Restore(int current, int firstRow);

  // Page Down: 8 on, not past the last; the first row keeps it in view.
  void PageDown();
  // Page Up: 8 back, not below 0; the first row keeps it in view.
  void PageUp();
  // The last child current, its page shown.
  void End();
  // The next child; false at the last.
  bool Next();
  // The previous child; false at the first (nothing changes).
  bool Previous();
  // A click on row 0-7: the child there becomes current; false when the row
  // holds no child.
  bool SelectRow(int row);
  // The scroll bar moves the first row only. True when it changed.
  bool Scroll(ScrollAction action, int position = 0);

  bool ScrollBarShown() const { return count_ >= kScrollBarFrom; }
  // The scroll bar's range 0 to count-1 with a page of 8 rows.
  int ScrollRangeMax() const { return count_ > 0 ? count_ - 1 : 0; }
  static constexpr int kScrollPage = kChildRows;

 private:
  void KeepCurrentInView();
  int count_ = 0;
  int current_ = 0;
  int firstRow_ = 0;
};

}  // namespace shell::famview
