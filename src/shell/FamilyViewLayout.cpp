#include "FamilyViewLayout.h"

#include <algorithm>

namespace shell::famview {

LRect ControlPlace(int id) {
  switch (id) {
    case kIdFatherButton:
      return {757, 64, 773, 84};
    case kIdMotherButton:
      return {757, 154, 773, 174};
    case kIdOtherMarriages:
      return {239, 46, 365, 73};
    case kIdOtherParents: {
      const LRect m = ControlPlace(kIdOtherMarriages);
      return {753 - m.Width(), 10, 753, 10 + m.Height()};
    }
    case kIdSpouseButton:
      return {349, 181, 365, 201};
    default:
      if (id >= kIdFirstChildButton && id < kIdFirstChildButton + kChildRows) {
        const int top = 300 + 23 * (id - kIdFirstChildButton);
        return {14, top, 30, top + 20};
      }
      return {};
  }
}

LRect ChildRowRect(int row) {
  const LRect& pane = kPaneRects[kPaneChildren];
  const int top = pane.top + row * kChildRowHeight;
  return {pane.left, top, pane.right, top + kChildRowHeight};
}

int ChildRowAt(int y) {
  const LRect& pane = kPaneRects[kPaneChildren];
  if (y < pane.top || y >= pane.bottom) return -1;
  return std::min((y - pane.top) / kChildRowHeight, kChildRows - 1);
}

ChildColumns ChildRowColumns(int row) {
  const LRect r = ChildRowRect(row);
  const int w = r.Width();
  ChildColumns c;
  c.fill = {r.left + 1, r.top + 1, r.right - 2, r.bottom - 1};
  c.text = {c.fill.left + 3, c.fill.top + 1, c.fill.right - 3, c.fill.bottom - 1};
  c.nameTab = 25;
  c.nameWidth = w / 2 - c.nameTab;
  c.birth = {r.left + w * 54 / 100, c.text.top, r.left + w * 71 / 100, c.text.bottom};
  c.parentLink = {r.left + w * 72 / 100, c.text.top, r.left + w * 88 / 100, c.text.bottom};
  c.ordinances = {r.left + w * 89 / 100, c.text.top, c.text.right, c.text.bottom};
  c.ordinanceTab = 20;
  c.marks = {c.fill.right - 9, c.fill.top, c.fill.right, c.fill.top + 7};
  return c;
}

int PaneFontHeight(int clientWidth, int clientHeight) {
  if (clientWidth <= 0 || clientHeight <= 0) return 0;
  return std::min(16, clientWidth * 12 / clientHeight);
}

int Mapping::PaneAt(int deviceX, int deviceY) const {
  if (IsEmpty()) return -1;
  for (int pane = 0; pane < kPaneCount; ++pane)
    if (ToDevice(kPaneRects[pane]).Contains(deviceX, deviceY)) return pane;
  return -1;
}

// ---- the children list's cursor ----

void ChildCursor::Restore(int current, int firstRow) {
  current_ = std::clamp(current, 0, std::max(0, count_ - 1));
  firstRow_ = std::clamp(firstRow, 0, std::max(0, count_ - 1));
  KeepCurrentInView();
}

void ChildCursor::KeepCurrentInView() {
  if (current_ < firstRow_) firstRow_ = current_;
  if (current_ >= firstRow_ + kChildRows) firstRow_ = current_ - (kChildRows - 1);
}

void ChildCursor::PageDown() {
  if (count_ == 0) return;
  current_ = std::min(current_ + kChildRows, count_ - 1);
  KeepCurrentInView();
}

void ChildCursor::PageUp() {
  if (count_ == 0) return;
  current_ = std::max(current_ - kChildRows, 0);
  KeepCurrentInView();
}

void ChildCursor::End() {
  current_ = count_ > 0 ? count_ - 1 : 0;
  firstRow_ = count_ > kChildRows - 1 ? count_ - kChildRows : 0;
}

bool ChildCursor::Next() {
  if (current_ + 1 >= count_) return false;
  ++current_;
  KeepCurrentInView();
  return true;
}

bool ChildCursor::Previous() {
  if (current_ <= 0) return false;
  --current_;
  KeepCurrentInView();
  return true;
}

bool ChildCursor::SelectRow(int row) {
  if (row < 0 || row >= kChildRows || firstRow_ + row >= count_) return false;
  current_ = firstRow_ + row;
  return true;
}

bool ChildCursor::Scroll(ScrollAction action, int position) {
  const int old = firstRow_;
  const int bottom = count_ > kChildRows ? count_ - kChildRows : 0;
  switch (action) {
    case ScrollAction::kLineUp:
      firstRow_ = std::max(firstRow_ - 1, 0);
      break;
    case ScrollAction::kLineDown:
      if (firstRow_ + kChildRows < count_) ++firstRow_;
      break;
    case ScrollAction::kPageUp:
      firstRow_ = std::max(firstRow_ - kChildRows, 0);
      break;
    case ScrollAction::kPageDown:
      // Less than two pages left: the last page.
      firstRow_ = count_ - firstRow_ < 2 * kChildRows ? bottom : firstRow_ + kChildRows;
      break;
    case ScrollAction::kTop:
      firstRow_ = 0;
      break;
    case ScrollAction::kBottom:
      firstRow_ = bottom;
      break;
    case ScrollAction::kThumbPosition:
    case ScrollAction::kThumbTrack:
      firstRow_ = std::clamp(position, 0, bottom);
      break;
    case ScrollAction::kEndScroll:
      break;
  }
  return firstRow_ != old;
}

}  // namespace shell::famview
