#pragma once
// A dialog whose controls follow its size by anchors: each anchored control
// moves or stretches by the change of the dialog's client size, as its edge
// flags and mode say. The dialog may have a minimum size and shows a size
// grip in its bottom-right corner.
//
// The anchors move controls themselves, so anchored controls must not stay
// in a layout: a derived dialog builds its controls with a layout (which
// sizes them from their texts and fonts) and then calls FreezeLayout, after
// which the anchors take over.

#include <QPointer>
#include <memory>
#include <vector>

#include "DialogBase.h"

class QSizeGrip;

namespace fw {

// Edge flags of an anchor.
enum AnchorEdge : int {
  kAnchorStretchWidth = 1,
  kAnchorMoveRight = 2,
  kAnchorStretchHeight = 4,
  kAnchorMoveDown = 8,
};
// Anchor modes: 0 only moves (flags 2 and 8); bit 1 enables the horizontal
// flags for stretching or moving, bit 2 the vertical ones.
enum AnchorMode : int {
  kAnchorMoveOnly = 0,
  kAnchorHorizontal = 1,
  kAnchorVertical = 2,
};

// A control's rectangle with exclusive right and bottom edges.
struct AnchorRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const AnchorRect&) const = default;
};

// Moves or stretches rect by the size change (dx, dy) as edges and mode say;
// true when the rectangle changed.
bool MoveAnchorRect(AnchorRect& rect, int edges, int mode, int dx, int dy);
// A proposed window rectangle narrower or lower than the minimum grows at its
// right or bottom edge; the left and top edges never move. Nothing happens
// unless both minimums are above 0.
void ApplyMinimumSize(AnchorRect& proposed, int minWidth, int minHeight);

class CResizableDialog : public CDialogBase {
  Q_OBJECT

 public:
  struct Anchor {
    virtual ~Anchor() = default;
    QPointer<QWidget> control;
    int edges = 0;
    int mode = kAnchorMoveOnly;
  };

  explicit CResizableDialog(QWidget* parent = nullptr);
  ~CResizableDialog() override;

  // Anchors control (nothing for a null control); returns the anchor.
  Anchor* AddAnchor(QWidget* control, int edges, int mode);
  // Minimum width and height of the window (0 = no minimum).
  void SetMinimumTrackSize(int width, int height);
  int MinimumTrackWidth() const { return minWidth_; }
  int MinimumTrackHeight() const { return minHeight_; }
  // Lays the controls out once at the dialog's size hint and removes the
  // layout, so that the anchors move them from then on.
  void FreezeLayout();
  QSizeGrip* SizeGrip() const { return grip_; }

 protected:
  // A new client size: every anchor follows the change since the last one;
  // the first size only records.
  virtual void OnSize(int width, int height);
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PlaceGrip();

  std::vector<std::unique_ptr<Anchor>> anchors_;
  int minWidth_ = 0, minHeight_ = 0;
  int lastWidth_ = 0, lastHeight_ = 0;
  QSizeGrip* grip_ = nullptr;
};

}  // namespace fw
