#pragma once
// What the pedigree view decides, without Qt: the fixed tree of 31 name
// boxes (the primary individual and four generations of ancestors) in the
// view's logical window of 808 x 500 units with y upwards, its stretch onto
// the client area, the hit test, the keyboard moves, the arrow-button
// cursor, the Back-history paths and where the InfoBox goes.
//
// Box numbering: box 0 is the primary individual; the father of box i is
// box 2i+1 and the mother box 2i+2; boxes 15 to 30 are the last generation.

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace shell::pedigree {

inline constexpr int kBoxCount = 31;
inline constexpr int kGenerationCount = 5;
inline constexpr int kFirstLastGeneration = 15;
inline constexpr int kBoxWidth = 235;
inline constexpr int kBoxHeight = 23;
// Names are fitted to this width inside a box.
inline constexpr int kNameWidth = 215;
inline constexpr int kWindowWidth = 808;
inline constexpr int kWindowHeight = 500;
// The right edge of the last generation; the InfoBox does not pass it.
inline constexpr int kRightEdge = 785;
inline constexpr int kNoBox = -1;
// The label band above the tree.
inline constexpr int kHeaderLeft = 20;
inline constexpr int kHeaderRight = 785;
inline constexpr int kHeaderTop = 494;
inline constexpr int kHeaderBottom = 474;
inline constexpr int kHeaderLabelY = 491;
// The buttons: 700 descends from box 0, 701-716 stand beside boxes 15-30.
inline constexpr int kIdDescendButton = 700;
inline constexpr int kIdFirstArrowButton = 701;
inline constexpr int kArrowButtonCount = 16;
inline constexpr int kButtonCount = 17;
// A pending arrow move keeps the current box at 114 + button number.
inline constexpr int kArrowPendingBase = 114;

// Which boxes hold an individual.
using Occupancy = std::bitset<kBoxCount>;

// A rectangle in logical units (y upwards: top > bottom) or in device
// pixels (y downwards: top < bottom; right and bottom exclusive).
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom > top ? bottom - top : top - bottom; }
  bool operator==(const Rect&) const = default;
};
struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

int GenerationOf(int box);
inline int FatherOf(int box) { return 2 * box + 1; }
inline int MotherOf(int box) { return 2 * box + 2; }
// The box of the child whose parent box is; -1 for box 0.
inline int ChildOf(int box) { return box > 0 ? (box - 1) / 2 : kNoBox; }
// The logical rectangle of a box.
Rect BoxRect(int box);
// The generation label positions: x of the label of generation g.
int HeaderLabelX(int generation);
// The five label texts: the ordinals of historyLength + 1 to + 5.
std::array<std::string, kGenerationCount> HeaderLabels(std::size_t historyLength);
// The logical rectangles of the descend button (0) and arrow buttons 1-16.
Rect ButtonRect(int button);
// The box beside arrow button k (1-16) and the other way round.
inline int BoxOfArrowButton(int button) { return 14 + button; }
inline int ArrowButtonOfBox(int box) { return box - 14; }

// A connecting line as logical points.
struct Line {
  Point from, to;
};
// The lines between each father-mother pair and their child, with the stubs
// from the last generation's mothers; drawn before the boxes, which cover
// the parts that run behind them.
std::vector<Line> ConnectingLines();

// The anisotropic stretch of the logical window onto a client area of
// width x height pixels, y upwards. An empty client area maps nothing.
class Mapping {
 public:
  Mapping(int clientWidth, int clientHeight) : width_(clientWidth), height_(clientHeight) {}
  bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
  int ClientWidth() const { return width_; }
  int ClientHeight() const { return height_; }
  Point ToDevice(Point logical) const;
  Point ToLogical(Point device) const;
  // Logical rectangle to device pixels (top < bottom).
  Rect ToDevice(const Rect& logical) const;
  // A device length along y in logical units.
  int HeightToLogical(int pixels) const;
  int WidthToLogical(int pixels) const;
  // The name font's character height in logical units: min(16, width * 12 /
  // height), 0 for an empty client area; and the same in pixels.
  int FontHeight() const;
  int FontPixelHeight() const;

 private:
  int width_, height_;
};

// The first box whose device rectangle holds the point, or -1.
int HitTest(const Mapping& mapping, Point device);

// ---- keyboard ----

// The view's keys after the navigation letters are mapped (Page Up, F and
// numeric 9 are all kFather, and so on).
enum class NavKey {
  kFather,          // Page Up, F, numeric 9
  kMother,          // Page Down, M, numeric 3
  kLast,            // End, numeric 1
  kRoot,            // Home, numeric 7
  kChild,           // Left, C, numeric 4
  kPrevious,        // Up, numeric 8
  kFatherOrMother,  // Right, numeric 6
  kNext,            // Down, numeric 2
};

struct NavResult {
  enum Kind {
    kNone,            // nothing to do
    kMove,            // move the cursor to box
    kPressArrow,      // press arrow button `button` (when it is visible)
    kPressArrowDown,  // press it, then post a Down key
    kPressDescend,    // press the descend button (when it is visible)
  };
  Kind kind = kNone;
  int box = kNoBox;
  int button = 0;
  bool operator==(const NavResult&) const = default;
};

// What a key does from the current box; a move goes only to a box with an
// individual.
NavResult Navigate(NavKey key, int current, const Occupancy& occupied);

// ---- moves along the tree ----

// The cursor value a show message starts from: a current box of 100 or less
// becomes 0 (returned in cursor); a pending arrow value (115-130) gives the
// box of the shifted tree whose parent takes the cursor after the load
// (returned in arrowBase), else -1.
struct CursorPrep {
  int cursor = 0;
  int arrowBase = -1;
};
CursorPrep PrepareCursor(int current);
// After the load: the father of the arrow base, or the mother when the
// father's box is empty.
int CursorAfterArrow(int arrowBase, const Occupancy& occupied);

// The boxes from box 0 up to the child of box (box itself excluded), box 0
// first: the order in which their RINs join the Back history when box
// becomes the primary individual.
std::vector<int> PathFromRoot(int box);

// ---- InfoBox ----

// Where the InfoBox goes beside a box, as the top-left corner in logical
// units: below the box when the large form fits between the box's bottom
// edge and the bottom of the window, else above it; left-aligned with the
// box unless the large form would pass the right edge, then right-aligned.
// Sizes in logical units.
Point InfoBoxCorner(int box, int largeWidth, int largeHeight, int formWidth, int formHeight);

// The ordinance summary " - BEPSC": baptism, endowment and sealing to
// parents from their two-bit states, sealing to spouse from its state and
// the children from their combined status; a letter shows upper case for
// state 2 (done), lower case for 3 (cleared or submitted).
std::string OrdinanceSummary(int baptism, int endowment, int sealingToParents, int sealingToSpouse,
                             int children);

// A child's line in the InfoBox's children list: "<" when the child has
// children of his own, else a blank, then a tab and the name.
std::string ChildLine(bool hasChildren, const std::string& name);

}  // namespace shell::pedigree
