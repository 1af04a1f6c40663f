#include "ReportDevice.h"

namespace rpt {

void FitRectToAspect(Rect& r, int aw, int ah, int mode) {
  if (aw == 0) aw = 1;
  if (ah == 0) ah = 1;
  const long long W = static_cast<long long>(r.right) - r.left;
  const long long H = static_cast<long long>(r.bottom) - r.top;
  long long h = W * ah / aw;
  long long w = W;
  if (h > H) {
    w = H * aw / ah;
    h = H;
  }
  const int wi = static_cast<int>(w);
  const int hi = static_cast<int>(h);
  const int centreX = (r.left + r.right - wi) >> 1;
  const int centreY = (r.top + r.bottom - hi) >> 1;
  int left = r.left, top = r.top;
  switch (mode) {
    case 0:
      left = centreX;
      top = centreY;
      break;
    case 1:
      top = centreY;
      break;
    case 2:
      left = r.right - wi;
      top = centreY;
      break;
    case 3:
      left = centreX;
      break;
    case 4:
      left = centreX;
      top = r.bottom - hi;
      break;
    case 5:
      break;
    case 6:
      left = r.right - wi;
      break;
    case 7:
      top = r.bottom - hi;
      break;
    case 8:
      left = r.right - wi;
      top = r.bottom - hi;
      break;
    default:
      return;
  }
  r = {left, top, left + wi, top + hi};
}

}  // namespace rpt
