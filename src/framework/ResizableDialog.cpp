#include "ResizableDialog.h"

#include <QLayout>
#include <QResizeEvent>
#include <QSizeGrip>
#include <QStyle>

namespace fw {

bool MoveAnchorRect(AnchorRect& rect, int edges, int mode, int dx, int dy) {
  const AnchorRect before = rect;
  auto moveX = [&] {
    rect.left += dx;
    rect.right += dx;
  };
  auto moveY = [&] {
    rect.top += dy;
    rect.bottom += dy;
  };
  if (mode == kAnchorMoveOnly) {
    if (dx != 0 && (edges & kAnchorMoveRight)) moveX();
    if (dy != 0 && (edges & kAnchorMoveDown)) moveY();
  }
  if ((mode & kAnchorHorizontal) && dx != 0) {
    if (edges & kAnchorStretchWidth)
      rect.right += dx;
    else if (edges & kAnchorMoveRight)
      moveX();
  }
  if ((mode & kAnchorVertical) && dy != 0) {
    if (edges & kAnchorStretchHeight)
      rect.bottom += dy;
    else if (edges & kAnchorMoveDown)
      moveY();
  }
  return !(rect == before);
}

void ApplyMinimumSize(AnchorRect& proposed, int minWidth, int minHeight) {
  if (minWidth <= 0 || minHeight <= 0) return;
  if (proposed.Width() < minWidth) proposed.right = proposed.left + minWidth;
  if (proposed.Height() < minHeight) proposed.bottom = proposed.top + minHeight;
}

CResizableDialog::CResizableDialog(QWidget* parent) : CDialogBase(parent) {
  setSizeGripEnabled(false);  // the dialog places its own grip
  grip_ = new QSizeGrip(this);
  const int side = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  grip_->setFixedSize(side, side);
}

CResizableDialog::~CResizableDialog() = default;

CResizableDialog::Anchor* CResizableDialog::AddAnchor(QWidget* control, int edges, int mode) {
  if (!control) return nullptr;
  auto anchor = std::make_unique<Anchor>();
  anchor->control = control;
  anchor->edges = edges;
  anchor->mode = mode;
  anchors_.push_back(std::move(anchor));
  return anchors_.back().get();
}

void CResizableDialog::SetMinimumTrackSize(int width, int height) {
  minWidth_ = width;
  minHeight_ = height;
  if (width > 0 && height > 0) setMinimumSize(width, height);
}

void CResizableDialog::FreezeLayout() {
  QLayout* current = layout();
  if (!current) return;
  resize(sizeHint().expandedTo(minimumSizeHint()));
  current->setGeometry(rect());
  current->activate();
  delete current;  // the controls keep the places the layout gave them
}

void CResizableDialog::OnSize(int width, int height) {
  if (isMinimized()) return;
  if (lastWidth_ != 0) {
    const int dx = width - lastWidth_, dy = height - lastHeight_;
    for (const auto& anchor : anchors_) {
      QWidget* control = anchor->control;
      if (!control) continue;
      const QRect g = control->geometry();
      AnchorRect r{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
      if (MoveAnchorRect(r, anchor->edges, anchor->mode, dx, dy)) {
        control->setGeometry(r.left, r.top, r.Width(), r.Height());
        control->update();
      }
    }
  }
  lastWidth_ = width;
  lastHeight_ = height;
  update();
}

void CResizableDialog::resizeEvent(QResizeEvent* event) {
  CDialogBase::resizeEvent(event);
  OnSize(event->size().width(), event->size().height());
  PlaceGrip();
}

void CResizableDialog::PlaceGrip() {
  grip_->move(width() - grip_->width(), height() - grip_->height());
  grip_->raise();
}

}  // namespace fw
