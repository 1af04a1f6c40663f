#pragma once
// A device context over QPainter for the views, charts and report pages:
// pens, brushes and fonts selected into it, text out and text extents,
// lines, rectangles, rounded rectangles, ellipses, a clip rectangle, pictures
// drawn into a rectangle, and mapping modes. Coordinates are logical units
// of the mapping mode: pixels with y down (MM_TEXT), or hundredths of an
// inch, thousandths of an inch or twips with y up. Every figure is mapped to
// device pixels before it is drawn, so outlines keep the device's pixel rules
// (right and bottom edges of rectangles exclusive) in every mode.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <cstdint>
#include <memory>
#include <string>

#include "QtTextMeasure.h"

class QPaintDevice;

namespace fw {

// A colour as the options store it: 0x00BBGGRR.
using ColorRef = std::uint32_t;
constexpr ColorRef Rgb(int r, int g, int b) {
  return static_cast<ColorRef>(r & 0xFF) | (static_cast<ColorRef>(g & 0xFF) << 8) |
         (static_cast<ColorRef>(b & 0xFF) << 16);
}
QColor ToQColor(ColorRef color);

enum MapMode : int {
  MM_TEXT = 1,       // device pixels, y down
  MM_LOENGLISH = 4,  // 0.01 inch, y up
  MM_HIENGLISH = 5,  // 0.001 inch, y up
  MM_TWIPS = 6,      // 1/1440 inch, y up
};

enum PenStyle : int { PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_NULL = 5 };
enum BkMode : int { TRANSPARENT = 1, OPAQUE = 2 };

// Text alignment of TextOut: horizontal and vertical reference of the point.
enum TextAlign : unsigned {
  TA_LEFT = 0,
  TA_TOP = 0,
  TA_RIGHT = 2,
  TA_CENTER = 6,
  TA_BOTTOM = 8,
  TA_BASELINE = 24,
};

// DrawText formats.
enum DrawTextFormat : unsigned {
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_NOPREFIX = 0x800,
  DT_END_ELLIPSIS = 0x8000,
};

// A pen: style, width in logical units (0 = one device pixel) and colour.
struct CPen {
  int style = PS_SOLID;
  int width = 0;
  ColorRef color = 0;
};

// A solid brush, or a hollow one that fills nothing.
struct CBrush {
  ColorRef color = Rgb(255, 255, 255);
  bool hollow = false;
  static CBrush Hollow() { return {0, true}; }
};

// A font as a logical font describes it: height in logical units (negative:
// the character height; positive: the cell height with internal leading),
// weight 100-900, italic, underline and face name.
struct CFont {
  int height = -12;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  std::string face = "Arial";
};

class CDC {
 public:
  // Paints on device with a painter of its own.
  explicit CDC(QPaintDevice* device);
  // Paints with a painter that is already active (a widget's paint event).
  explicit CDC(QPainter& painter);
  ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  QPainter& Painter() { return *painter_; }

  // Mapping.
  int SetMapMode(int mode);
  int GetMapMode() const { return mapMode_; }
  // Logical point mapped to the device's origin (window origin), and the
  // device point that logical origin lands on (viewport origin).
  QPoint SetWindowOrg(int x, int y);
  QPoint SetViewportOrg(int x, int y);
  QPoint LPtoDP(QPoint logical) const;
  QPoint DPtoLP(QPoint device) const;
  // Rectangles keep their edges, normalised so that left < right, top < bottom.
  QRect LPtoDP(const QRect& logical) const;
  // Lengths (no origin, no sign).
  int LengthToDeviceX(int logical) const;
  int LengthToDeviceY(int logical) const;
  int LengthToLogicalX(int device) const;
  int LengthToLogicalY(int device) const;

  // Selected objects; each answers the previous one.
  CPen SelectObject(const CPen& pen);
  CBrush SelectObject(const CBrush& brush);
  CFont SelectObject(const CFont& font);
  const CPen& GetPen() const { return pen_; }
  const CBrush& GetBrush() const { return brush_; }
  const CFont& GetFont() const { return font_; }

  ColorRef SetTextColor(ColorRef color);
  ColorRef SetBkColor(ColorRef color);
  int SetBkMode(int mode);
  unsigned SetTextAlign(unsigned align);

  // Text of the active code page.
  void TextOut(int x, int y, const std::string& text);
  // Width and height of the text in logical units.
  QSize GetTextExtent(const std::string& text) const;
  // Draws text into a logical rectangle; answers the text's height in
  // logical units.
  int DrawText(const std::string& text, const QRect& logicalRect, unsigned format);
  // The selected font measured on this device, for the core's fitting code.
  QtTextMeasure TextMeasure() const;

  // Lines from the current position.
  QPoint MoveTo(int x, int y);
  void LineTo(int x, int y);
  // Outlined with the pen and filled with the brush; right and bottom
  // exclusive as on the device.
  void Rectangle(int left, int top, int right, int bottom);
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
  void Ellipse(int left, int top, int right, int bottom);
  // Fills without an outline.
  void FillSolidRect(int left, int top, int right, int bottom, ColorRef color);
  // The picture scaled into the logical rectangle.
  void DrawImage(const QImage& image, const QRect& logicalRect);

  // Clip rectangle in logical units; SelectClipRect(nullptr) removes it.
  void IntersectClipRect(int left, int top, int right, int bottom);
  void SelectClipRect(const QRect* logicalRect);
  bool HasClip() const { return painter_->hasClipping(); }

 private:
  double ScaleX() const;
  double ScaleY() const;  // negative for modes with y up
  QFont DeviceFont() const;
  QPen DevicePen() const;
  void ApplyPenAndBrush(bool fill);

  std::unique_ptr<QPainter> owned_;
  QPainter* painter_;
  int dpiX_, dpiY_;
  int mapMode_ = MM_TEXT;
  QPoint windowOrg_, viewportOrg_;
  QPoint current_;
  CPen pen_;
  CBrush brush_;
  CFont font_;
  ColorRef textColor_ = 0;
  ColorRef bkColor_ = Rgb(255, 255, 255);
  int bkMode_ = OPAQUE;
  unsigned textAlign_ = TA_LEFT | TA_TOP;
};

}  // namespace fw
