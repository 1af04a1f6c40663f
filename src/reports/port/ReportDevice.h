#pragma once
// The report device: what a report page draws on. Printers, PDF files, the
// preview and pictures implement it on top of a painter; a measuring-only
// device serves pagination and RTF runs; tests record the calls. The calls
// follow the usual device-context model: logical units of a mapping mode,
// selected font, pen and brush that can be read back, text alignment,
// device capabilities, regions given as rectangle lists.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CMultimediaItem;

namespace rpt {

using ColorRef = std::uint32_t;  // 0x00BBGGRR

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};
struct Size {
  int cx = 0;
  int cy = 0;
  bool operator==(const Size&) const = default;
};
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// Shrinks r (device units: y down, right and bottom exclusive) to the
// largest rectangle of aspect aw:ah (0 counts as 1) and places it by mode: 0
// centred, 1 left edge, 2 right edge, 3 top edge, 4 bottom edge (each centred
// the other way), 5 top-left, 6 top-right, 7 bottom-left, 8 bottom-right
// corner kept; a mode above 8 leaves r as it is. Halves round toward minus
// infinity.
void FitRectToAspect(Rect& r, int aw, int ah, int mode);

enum MapMode : int { MM_TEXT = 1, MM_LOENGLISH = 4, MM_HIENGLISH = 5, MM_TWIPS = 6 };

enum DeviceCap : int {
  HORZSIZE = 4,  // millimetres
  VERTSIZE = 6,
  HORZRES = 8,  // pixels of the printable area
  VERTRES = 10,
  LOGPIXELSX = 88,
  LOGPIXELSY = 90,
  PHYSICALWIDTH = 110,  // device units of the whole paper
  PHYSICALHEIGHT = 111,
  PHYSICALOFFSETX = 112,  // unprintable edge, device units
  PHYSICALOFFSETY = 113,
};

enum TextAlign : unsigned {
  TA_LEFT = 0,
  TA_TOP = 0,
  TA_RIGHT = 2,
  TA_CENTER = 6,
  TA_BOTTOM = 8,
  TA_BASELINE = 24,
};

enum DrawTextFormat : unsigned {
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_NOPREFIX = 0x800,
};

enum ExtTextOptions : unsigned { ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4 };

enum PenStyle : int { PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_NULL = 5 };

// Height in logical units: positive the cell height, negative the character
// height. Weight 100 to 900.
struct LogFont {
  int height = -12;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  std::string face = "Arial";
  bool operator==(const LogFont&) const = default;
};
// Width in logical units (0: one device pixel).
struct LogPen {
  int style = PS_SOLID;
  int width = 0;
  ColorRef color = 0;
  bool operator==(const LogPen&) const = default;
};
struct LogBrush {
  ColorRef color = 0;
  bool hollow = false;
  bool operator==(const LogBrush&) const = default;
};

// A region as its rectangle list; complex regions (ellipses, polygons) are
// not rectangle lists and carry their outline only for the painting devices.
struct Region {
  bool rectangleList = true;
  std::vector<Rect> rects;
};

class ReportDevice {
 public:
  virtual ~ReportDevice() = default;

  virtual int GetMapMode() const = 0;
  virtual int SetMapMode(int mode) = 0;
  virtual int GetDeviceCaps(int index) const = 0;
  virtual Point LPtoDP(Point logical) const = 0;
  virtual Point DPtoLP(Point device) const = 0;

  // Selected objects; each Select answers the previous one. The getters
  // answer false when the device has none it can report.
  virtual LogFont SelectFont(const LogFont& font) = 0;
  virtual LogPen SelectPen(const LogPen& pen) = 0;
  virtual LogBrush SelectBrush(const LogBrush& brush) = 0;
  virtual bool GetFont(LogFont& font) const = 0;
  virtual bool GetPen(LogPen& pen) const = 0;
  virtual bool GetBrush(LogBrush& brush) const = 0;
  virtual unsigned SetTextAlign(unsigned align) = 0;
  virtual unsigned GetTextAlign() const = 0;
  virtual ColorRef SetTextColor(ColorRef color) = 0;

  // Text in the active code page.
  virtual Size GetTextExtent(std::string_view text) const = 0;
  virtual int TextOut(int x, int y, std::string_view text) = 0;
  virtual int ExtTextOut(int x, int y, unsigned options, const Rect* clip, std::string_view text,
                         const int* widths) = 0;
  // Answers the extent drawn.
  virtual Size TabbedTextOut(int x, int y, std::string_view text, int tabCount, const int* tabStops,
                             int tabOrigin) = 0;
  // Answers the height of the text drawn.
  virtual int DrawText(std::string_view text, const Rect& rect, unsigned format) = 0;

  // Lines from the current position, shapes with the pen and brush.
  virtual Point MoveTo(int x, int y) = 0;
  virtual int LineTo(int x, int y) = 0;
  virtual int Rectangle(const Rect& rect) = 0;
  virtual int FillRect(const Rect& rect, const LogBrush* brush) = 0;
  virtual int FillRgn(const Region& region, const LogBrush& brush) = 0;
  // The arc of the ellipse in bounds, counter-clockwise from the ray through
  // start to the ray through end.
  virtual int Arc(const Rect& bounds, Point start, Point end) = 0;
  // Quarter ellipse fill and pie used by rounded shadows and fills: the
  // ellipse in bounds painted with the brush and no outline.
  virtual int FillEllipse(const Rect& bounds, const LogBrush& brush) = 0;

  // The item's photo, edited as the item says, fitted to rect (logical) by
  // fitMode; rect receives the fitted rectangle. 1 drawn, 0 not loaded.
  virtual int DrawPhoto(const CMultimediaItem& item, Rect& rect, int fitMode, bool report) = 0;
  // Loads the item's photo only to fit it (RTF runs): rect (device units)
  // receives the fitted rectangle. 1 loaded, 0 not.
  virtual int FitPhoto(const CMultimediaItem& item, Rect& deviceRect, int fitMode, bool report) = 0;
};

}  // namespace rpt
