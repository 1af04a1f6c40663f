#include "ChartBox.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ReportGenerator.h"

namespace rpt {

namespace {

// The drawing calls of a box, on the device or through a generator.
struct Pen {
  ReportDevice& dc;
  CReportGenerator* generator;
  void MoveTo(Point p) {
    if (generator != nullptr) {
      generator->MoveTo(&dc, p.x, p.y);
    } else {
      dc.MoveTo(p.x, p.y);
    }
  }
  void LineTo(Point p) {
    if (generator != nullptr) {
      generator->LineTo(&dc, p.x, p.y);
    } else {
      dc.LineTo(p.x, p.y);
    }
  }
  void Arc(const Rect& bounds, Point a, Point b) {
    if (generator != nullptr) {
      generator->Arc(&dc, bounds, a.x, a.y, b.x, b.y);
    } else {
      dc.Arc(bounds, a, b);
    }
  }
  void FillRgn(const Region& region, const LogBrush& brush) {
    if (generator != nullptr) {
      generator->FillRgn(&dc, region, brush);
    } else {
      dc.FillRgn(region, brush);
    }
  }
  void FillEllipse(const Rect& bounds, const LogBrush& brush) {
    if (generator == nullptr || !generator->IsRTFMode()) dc.FillEllipse(bounds, brush);
  }
};

constexpr int kMaxHundredths = 3200;  // 32 inches

// A device length in hundredths of an inch.
int DeviceToHundredths(int value, int dpi) { return dpi > 0 ? value * 100 / dpi : 0; }

int LengthToDevice(const ReportDevice& dc, int length) {
  return std::abs(dc.LPtoDP({length, 0}).x - dc.LPtoDP({0, 0}).x);
}

Rect ToDevice(const ReportDevice& dc, const Rect& r) {
  Point a = dc.LPtoDP({r.left, r.top}), b = dc.LPtoDP({r.right, r.bottom});
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

Rect ToLogical(const ReportDevice& dc, const Rect& r) {
  Point a = dc.DPtoLP({r.left, r.top}), b = dc.DPtoLP({r.right, r.bottom});
  return {a.x, a.y, b.x, b.y};
}

Point ToLogical(const ReportDevice& dc, int x, int y) { return dc.DPtoLP({x, y}); }

// Fills the device rectangles on dc as one region.
void FillDeviceRects(Pen& pen, std::initializer_list<Rect> rects, const LogBrush& brush) {
  Region region;
  for (const Rect& r : rects) {
    if (r.right > r.left && r.bottom > r.top) region.rects.push_back(ToLogical(pen.dc, r));
  }
  if (!region.rects.empty()) pen.FillRgn(region, brush);
}

void FillCornerEllipses(Pen& pen, const Rect& d, int c, const LogBrush& brush,
                        bool bottomRightOnly) {
  const int c2 = 2 * c;
  const Rect corners[] = {{d.right - c2, d.bottom - c2, d.right, d.bottom},
                          {d.left, d.top, d.left + c2, d.top + c2},
                          {d.right - c2, d.top, d.right, d.top + c2},
                          {d.left, d.bottom - c2, d.left + c2, d.bottom}};
  for (const Rect& e : corners) {
    pen.FillEllipse(ToLogical(pen.dc, e), brush);
    if (bottomRightOnly) break;
  }
}

// The outline of a box in device units: sides between the corners, a
// quarter arc at each corner.
void DrawOutline(Pen& pen, const Rect& d, int corners, int c) {
  ReportDevice& dc = pen.dc;
  if (corners == kSquareCorners) c = 0;
  auto line = [&](int x1, int y1, int x2, int y2) {
    pen.MoveTo(ToLogical(dc, x1, y1));
    pen.LineTo(ToLogical(dc, x2, y2));
  };
  line(d.left + c, d.top, d.right - c, d.top);
  line(d.right, d.top + c, d.right, d.bottom - c);
  line(d.right - c, d.bottom, d.left + c, d.bottom);
  line(d.left, d.bottom - c, d.left, d.top + c);
  if (c == 0) return;
  auto arc = [&](Rect bounds, int x1, int y1, int x2, int y2) {
    pen.Arc(ToLogical(dc, bounds), ToLogical(dc, x1, y1), ToLogical(dc, x2, y2));
  };
  const int c2 = 2 * c;
  if (corners == kRoundCorners) {
    // Convex quarters, counter-clockwise on the page.
    arc({d.left, d.top, d.left + c2, d.top + c2}, d.left + c, d.top, d.left, d.top + c);
    arc({d.left, d.bottom - c2, d.left + c2, d.bottom}, d.left, d.bottom - c, d.left + c, d.bottom);
    arc({d.right - c2, d.bottom - c2, d.right, d.bottom}, d.right - c, d.bottom, d.right,
        d.bottom - c);
    arc({d.right - c2, d.top, d.right, d.top + c2}, d.right, d.top + c, d.right - c, d.top);
  } else {
    // Concave quarters around the corner points.
    arc({d.left - c, d.top - c, d.left + c, d.top + c}, d.left, d.top + c, d.left + c, d.top);
    arc({d.right - c, d.top - c, d.right + c, d.top + c}, d.right - c, d.top, d.right, d.top + c);
    arc({d.right - c, d.bottom - c, d.right + c, d.bottom + c}, d.right, d.bottom - c, d.right - c,
        d.bottom);
    arc({d.left - c, d.bottom - c, d.left + c, d.bottom + c}, d.left + c, d.bottom, d.left,
        d.bottom - c);
  }
}

}  // namespace

int GetPrintableMargins(const ReportDevice& dc, int left, int top, int right, int bottom,
                        PrintableArea& out, bool checkSize) {
  const int dpiX = dc.GetDeviceCaps(LOGPIXELSX), dpiY = dc.GetDeviceCaps(LOGPIXELSY);
  const int pageW = DeviceToHundredths(dc.GetDeviceCaps(PHYSICALWIDTH), dpiX);
  const int pageH = DeviceToHundredths(dc.GetDeviceCaps(PHYSICALHEIGHT), dpiY);
  const int printW = dc.GetDeviceCaps(HORZSIZE) * 394 / 100;
  const int printH = dc.GetDeviceCaps(VERTSIZE) * 394 / 100;
  const int offX = DeviceToHundredths(dc.GetDeviceCaps(PHYSICALOFFSETX), dpiX);
  const int offY = DeviceToHundredths(dc.GetDeviceCaps(PHYSICALOFFSETY), dpiY);
  left = std::max(left / 10, offX);
  top = std::max(top / 10, offY);
  right = std::max(right / 10, pageW - offX - printW);
  bottom = std::max(bottom / 10, pageH - offY - printH);
  out = {left - offX, top - offY, pageW - right - left, pageH - bottom - top};
  if (checkSize &&
      (out.width + out.left > kMaxHundredths || out.height + out.top > kMaxHundredths)) {
    return 1;
  }
  out = {out.left * 10, out.top * 10, out.width * 10, out.height * 10};
  return 0;
}

int ChartCornerSize(int length, bool hundredths) {
  const double unit = hundredths ? 100.0 : 1000.0;
  const double inches = std::abs(length) / unit;
  const double size = 0.1 * (inches > 1.0 ? std::pow(inches, 0.33) : std::sqrt(inches));
  return static_cast<int>(size * std::sqrt(2.0) * unit);
}

int ChartCornerLeg(int cornerSize) {
  return static_cast<int>(std::lround(cornerSize / std::sqrt(2.0)));
}

Rect DrawChartBox(ReportDevice& dc, const ChartBox& box, CReportGenerator* generator) {
  Pen pen{dc, generator};
  const int unit = box.hundredths ? 1 : 10;
  Rect d = ToDevice(dc, box.rect);
  const int shadow = LengthToDevice(dc, 8 * unit);
  const int inner = LengthToDevice(dc, 2 * unit);
  const int insetUnits = box.corners == kRoundCorners    ? 2 * unit
                         : box.corners == kSquareCorners ? 5 * unit
                                                         : 0;
  const int inset = LengthToDevice(dc, insetUnits);
  int cornerUnits = box.cornerSize;
  if (cornerUnits == 0 && box.corners != kSquareCorners) {
    cornerUnits = ChartCornerSize(box.rect.Height(), box.hundredths);
  }
  const int c = box.corners == kSquareCorners ? 0 : LengthToDevice(dc, cornerUnits);

  if (box.shadow) {
    if (box.corners == kRoundCorners) {
      const Rect s{d.left + shadow, d.top + shadow, d.right + shadow, d.bottom + shadow};
      FillDeviceRects(pen,
                      {{d.right, s.top + c, s.right, s.bottom - c},
                       {s.left + c, d.bottom, s.right - c, s.bottom}},
                      box.shadowBrush);
      FillCornerEllipses(pen, s, c, box.shadowBrush, true);
    } else {
      FillDeviceRects(pen,
                      {{d.right, d.top + shadow, d.right + shadow, d.bottom + shadow},
                       {d.left + shadow, d.bottom, d.right, d.bottom + shadow}},
                      box.shadowBrush);
    }
  }
  if (box.fill) {
    if (c == 0) {
      FillDeviceRects(pen, {d}, box.brush);
    } else {
      // The rectangle less its corners, region by region.
      FillDeviceRects(pen,
                      {{d.left + c, d.top, d.right - c, d.bottom},
                       {d.left, d.top + c, d.left + c, d.bottom - c},
                       {d.right - c, d.top + c, d.right, d.bottom - c}},
                      box.brush);
      if (box.corners == kRoundCorners) FillCornerEllipses(pen, d, c, box.brush, false);
    }
  }
  const LogPen oldPen = dc.SelectPen(box.pen);
  DrawOutline(pen, d, box.corners, c);
  if (box.lineStyle == 2) {
    d = {d.left + inner, d.top + inner, d.right - inner, d.bottom - inner};
    DrawOutline(pen, d, box.corners, c);
  }
  dc.SelectPen(oldPen);
  const Rect text{d.left + inset + c, d.top + inset, d.right - inset - c, d.bottom - inset};
  return ToLogical(dc, text);
}

namespace {

int Measure(const ReportDevice& dc, const WallChartOptions& o, bool ancestry,
            WallChartMeasure& out) {
  out = {};
  // Event kinds shown and the lines each takes.
  int kinds = 0, descriptionLines = 0;
  for (const std::string& title : o.otherEvents) {
    if (title.empty() || !o.eventKindDigit) continue;
    const int digit = o.eventKindDigit(title);
    if (digit < 0) continue;
    ++kinds;
    if (o.descriptionLine && digit == 1) ++descriptionLines;
  }
  for (bool on : {o.birth, o.christening, o.birthOrChristening, o.death, o.burial, o.deathOrBurial,
                  o.marriage}) {
    kinds += on ? 1 : 0;
  }
  const int linesPerKind = (o.date ? 1 : 0) + (o.place ? 1 : 0) + (o.dateAndPlace ? 1 : 0);
  const bool sbn = ancestry && o.sbn;
  int otherLines = (o.causeOfDeath ? 1 : 0) + (o.id ? 1 : 0) + (sbn ? 1 : 0);
  if (o.zel && o.showZel && !sbn && !(o.date && kinds > 0)) ++otherLines;
  int noteLines = 0;
  for (const std::string& tag : o.noteTags) {
    if (!tag.empty()) noteLines += o.noteLines + 1;
  }
  const int textLines = linesPerKind * kinds + descriptionLines + otherLines + noteLines;
  if (textLines == 0 && o.photoOpt == 0 && !o.box) return 1;

  PrintableArea area;
  out.hundredths =
      GetPrintableMargins(dc, o.pageLeft, o.pageTop, o.pageRight, o.pageBottom, area, true) == 1;
  const double u = out.hundredths ? 0.1 : 1.0;  // thousandths-based constants scaled
  const double perInch = out.hundredths ? 100.0 : 1000.0;
  auto len = [u](double thousandths) { return thousandths * u; };

  double textWidth = area.width / std::max(o.gensPerPage, 1) - len(200);
  double allowance = 0;
  if (o.box) {
    const int corner = ChartCornerSize(static_cast<int>(textWidth), out.hundredths);
    const int leg = ChartCornerLeg(corner);
    if (o.boxShadow) {
      textWidth -= len(80);
      allowance += len(80);
    }
    if (o.boxCorner == kRoundCorners) {
      allowance += len(40);
      textWidth -= len(40) + 2.0 * (corner - leg);
    } else if (o.boxCorner == kNotchedCorners) {
      textWidth -= 2.0 * leg;
    } else {
      allowance += len(100);
      textWidth -= len(100);
    }
    if (o.boxLine != 0) {
      allowance += len(60);
      textWidth -= len(60);
    }
  }
  double photoHeight = 0;
  if (o.photoOpt != 0) {
    photoHeight = len(o.photoY);
    const double photoWidth = len(o.photoX);
    if (photoWidth > 0 && textWidth < photoWidth)
      photoHeight = photoHeight * textWidth / photoWidth;
  }
  auto fontHeight = [perInch](int points) { return perInch * points / 72.0; };
  double height =
      fontHeight(o.namePoints) * 1.3 + allowance + textLines * fontHeight(o.textPoints) * 1.3;
  if (o.photoOpt != 0) {
    if (o.photoPlace < 3) {
      height = std::max(height, photoHeight + allowance);
    } else {
      height += photoHeight + len(50);
    }
  }
  if (o.box && o.boxCorner != kSquareCorners) {
    out.cornerSize = ChartCornerSize(static_cast<int>(height), out.hundredths);
    const int leg = ChartCornerLeg(out.cornerSize);
    height += o.boxCorner == kRoundCorners ? 2.0 * (out.cornerSize - leg) : 2.0 * leg;
  }
  const int box = std::max(static_cast<int>(height), 1);
  const int columns = ancestry ? 2 : 1;
  const int columnHeight = columns * area.height;
  const int gap = static_cast<int>(len(100));
  out.boxesPerColumn = std::max(columnHeight / (box + gap), 1);
  out.slotHeight = columnHeight / out.boxesPerColumn;
  const double titles = columns * 1.5 * (fontHeight(o.headingPoints) + fontHeight(o.footerPoints));
  out.slotCount =
      out.slotHeight > 0 ? static_cast<int>((columnHeight - titles) / out.slotHeight) : 0;
  return box;
}

}  // namespace

int MeasureAncestryWallChartBox(const ReportDevice& dc, const WallChartOptions& options,
                                WallChartMeasure& out) {
  return Measure(dc, options, true, out);
}

int MeasureDescendantsWallChartBox(const ReportDevice& dc, const WallChartOptions& options,
                                   WallChartMeasure& out) {
  return Measure(dc, options, false, out);
}

}  // namespace rpt
