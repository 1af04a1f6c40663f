#include "PhotoEdits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace media {

int NextRotation(int rotation) { return rotation >= 3 ? 0 : rotation + 1; }

int FlipAfterFlip(int flip) {
  static constexpr int next[] = {1, 0, 3, 2};
  return next[flip & 3];
}

int FlipAfterReverse(int flip) {
  static constexpr int next[] = {2, 3, 0, 1};
  return next[flip & 3];
}

bool CropFits(const Margins& crop, int width, int height) {
  return crop.left + crop.right <= width - 1 && crop.top + crop.bottom <= height - 1;
}

bool CropAxisAllowed(int first, int second, int uncropped) {
  return first + second < uncropped - 1;
}

bool DragToFileMargins(const Box& displayed, const Box& drag, int fileWidth, int fileHeight,
                       const Margins& crop, int rotation, int flip, Margins& added) {
  added = Margins{};
  if (drag.Width() < kMinimumDrag || drag.Height() < kMinimumDrag) return false;
  if (displayed.Width() <= 0 || displayed.Height() <= 0) return false;
  Margins m;
  m.left = std::max(drag.left, displayed.left) - displayed.left;
  m.top = std::max(drag.top, displayed.top) - displayed.top;
  m.right = displayed.right - std::min(displayed.right, drag.right);
  m.bottom = displayed.bottom - std::min(displayed.bottom, drag.bottom);

  // The displayed picture is the cropped file, turned: scale back to its
  // pixels.
  const double croppedWidth = fileWidth - crop.right - crop.left;
  const double croppedHeight = fileHeight - crop.top - crop.bottom;
  const bool sideways = (rotation & 1) != 0;
  const double h = (sideways ? croppedHeight : croppedWidth) / displayed.Width();
  const double v = (sideways ? croppedWidth : croppedHeight) / displayed.Height();
  m.left = static_cast<int>(m.left * h);
  m.right = static_cast<int>(m.right * h);
  m.top = static_cast<int>(m.top * v);
  m.bottom = static_cast<int>(m.bottom * v);

  // The flip is applied after the turn: undo it first, in turned axes.
  int f = flip & 3;
  if (sideways && (f == 1 || f == 2)) f = 3 - f;
  if (f & 1) std::swap(m.top, m.bottom);
  if (f & 2) std::swap(m.left, m.right);

  Margins r = m;
  switch (rotation & 3) {
    case 1:
      r = {m.top, m.right, m.bottom, m.left};
      break;
    case 2:
      r = {m.right, m.bottom, m.left, m.top};
      break;
    case 3:
      r = {m.bottom, m.left, m.top, m.right};
      break;
    default:
      break;
  }
  added = r;
  return true;
}

int PixelsToHundredths(int pixels, double dpi) {
  return static_cast<int>(std::lround(pixels * 100.0 / dpi));
}

int HundredthsToPixels(int hundredths, double dpi) {
  return static_cast<int>(std::lround(hundredths * dpi / 100.0));
}

std::string InchesText(int hundredths) {
  char text[32];
  if (hundredths % 100 == 0) {
    std::snprintf(text, sizeof text, "%d", hundredths / 100);
  } else {
    std::snprintf(text, sizeof text, "%.3f", hundredths / 100.0);
    std::string s = text;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s + "\"";
  }
  return std::string(text) + "\"";
}

}  // namespace media
