#pragma once
// A report device that draws nothing and records every drawing call as a
// line of text ("TextOut 10 -20 abc"). Its mapping follows the usual modes at
// a chosen resolution; text is measured as fixed-width characters (charWidth
// logical units each, the font's height plus leading high). The unprintable
// offset and the paper are set by the test.

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "MultimediaItem.h"
#include "ReportDevice.h"

class RecordingDevice : public rpt::ReportDevice {
 public:
  explicit RecordingDevice(int dpi = 1000) : dpi(dpi) {}

  int dpi;
  int offsetX = 0, offsetY = 0;                     // device units
  int paperWidth = 8500, paperHeight = 11000;       // thousandths of an inch
  int printableWidthMm = 0, printableHeightMm = 0;  // 0: paper less offsets
  int charWidth = 50;
  int leading = 20;
  bool fontReadable = true;
  bool photoLoads = true;
  int photoAspectPercent = 50;  // fitted height as a share of the width
  std::vector<std::string> calls;
  std::vector<std::string> photosLoaded;  // "path report"

  int GetMapMode() const override { return mode_; }
  int SetMapMode(int mode) override {
    const int old = mode_;
    mode_ = mode;
    return old;
  }
  int GetDeviceCaps(int index) const override {
    switch (index) {
      case rpt::LOGPIXELSX:
      case rpt::LOGPIXELSY:
        return dpi;
      case rpt::PHYSICALOFFSETX:
        return offsetX;
      case rpt::PHYSICALOFFSETY:
        return offsetY;
      case rpt::PHYSICALWIDTH:
        return paperWidth * dpi / 1000;
      case rpt::PHYSICALHEIGHT:
        return paperHeight * dpi / 1000;
      case rpt::HORZSIZE:
        return printableWidthMm != 0
                   ? printableWidthMm
                   : static_cast<int>((paperWidth - 2000.0 * offsetX / dpi) * 25.4 / 1000);
      case rpt::VERTSIZE:
        return printableHeightMm != 0
                   ? printableHeightMm
                   : static_cast<int>((paperHeight - 2000.0 * offsetY / dpi) * 25.4 / 1000);
      default:
        return 0;
    }
  }
  // Logical units per inch and the sign of y, by mode.
  int PerInch() const {
    switch (mode_) {
      case rpt::MM_LOENGLISH:
        return 100;
      case rpt::MM_HIENGLISH:
        return 1000;
      case rpt::MM_TWIPS:
        return 1440;
      default:
        return dpi;
    }
  }
  int YSign() const { return mode_ == rpt::MM_TEXT ? 1 : -1; }
  rpt::Point LPtoDP(rpt::Point p) const override {
    return {Scale(p.x, dpi, PerInch()), YSign() * Scale(p.y, dpi, PerInch())};
  }
  rpt::Point DPtoLP(rpt::Point p) const override {
    return {Scale(p.x, PerInch(), dpi), YSign() * Scale(p.y, PerInch(), dpi)};
  }

  rpt::LogFont SelectFont(const rpt::LogFont& f) override { return Swap(font_, f); }
  rpt::LogPen SelectPen(const rpt::LogPen& p) override { return Swap(pen_, p); }
  rpt::LogBrush SelectBrush(const rpt::LogBrush& b) override { return Swap(brush_, b); }
  bool GetFont(rpt::LogFont& f) const override {
    f = font_;
    return fontReadable;
  }
  bool GetPen(rpt::LogPen& p) const override {
    p = pen_;
    return true;
  }
  bool GetBrush(rpt::LogBrush& b) const override {
    b = brush_;
    return true;
  }
  unsigned SetTextAlign(unsigned a) override { return Swap(align_, a); }
  unsigned GetTextAlign() const override { return align_; }
  rpt::ColorRef SetTextColor(rpt::ColorRef c) override { return Swap(textColor_, c); }

  rpt::Size GetTextExtent(std::string_view text) const override {
    return {charWidth * static_cast<int>(text.size()), std::abs(font_.height) + leading};
  }
  int TextOut(int x, int y, std::string_view text) override {
    Record("TextOut " + Num(x, y) + " " + std::string(text));
    return 1;
  }
  int ExtTextOut(int x, int y, unsigned options, const rpt::Rect* clip, std::string_view text,
                 const int*) override {
    Record("ExtTextOut " + Num(x, y) + " " + std::to_string(options) + " " +
           (clip != nullptr ? Num(*clip) : "-") + " " + std::string(text));
    return 1;
  }
  rpt::Size TabbedTextOut(int x, int y, std::string_view text, int, const int*, int) override {
    Record("TabbedTextOut " + Num(x, y) + " " + std::string(text));
    return GetTextExtent(text);
  }
  int DrawText(std::string_view text, const rpt::Rect& r, unsigned format) override {
    Record("DrawText " + Num(r) + " " + std::to_string(format) + " " + std::string(text));
    return GetTextExtent(text).cy;
  }
  rpt::Point MoveTo(int x, int y) override {
    Record("MoveTo " + Num(x, y));
    return Swap(current_, rpt::Point{x, y});
  }
  int LineTo(int x, int y) override {
    Record("LineTo " + Num(x, y));
    current_ = {x, y};
    return 1;
  }
  int Rectangle(const rpt::Rect& r) override {
    Record("Rectangle " + Num(r));
    return 1;
  }
  int FillRect(const rpt::Rect& r, const rpt::LogBrush* b) override {
    Record("FillRect " + Num(r) + (b != nullptr ? " " + std::to_string(b->color) : " -"));
    return 1;
  }
  int FillRgn(const rpt::Region& region, const rpt::LogBrush& b) override {
    std::string line = "FillRgn";
    for (const rpt::Rect& r : region.rects) line += " [" + Num(r) + "]";
    Record(line + " " + std::to_string(b.color));
    return 1;
  }
  int Arc(const rpt::Rect& bounds, rpt::Point a, rpt::Point b) override {
    Record("Arc " + Num(bounds) + " " + Num(a.x, a.y) + " " + Num(b.x, b.y));
    return 1;
  }
  int FillEllipse(const rpt::Rect& bounds, const rpt::LogBrush& b) override {
    Record("FillEllipse " + Num(bounds) + " " + std::to_string(b.color));
    return 1;
  }
  int DrawPhoto(const CMultimediaItem& item, rpt::Rect& rect, int, bool report) override {
    photosLoaded.push_back(item.GetFileName() + (report ? " report" : " quiet"));
    if (!photoLoads) return 0;
    rect.bottom = rect.top - rect.Width() * photoAspectPercent / 100;
    Record("DrawPhoto " + item.GetFileName() + " " + Num(rect));
    return 1;
  }
  int FitPhoto(const CMultimediaItem& item, rpt::Rect& r, int, bool report) override {
    photosLoaded.push_back(item.GetFileName() + (report ? " report" : " quiet"));
    if (!photoLoads) return 0;
    r.bottom = r.top + r.Width() * photoAspectPercent / 100;
    return 1;
  }

  static std::string Num(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
  static std::string Num(const rpt::Rect& r) {
    return Num(r.left, r.top) + " " + Num(r.right, r.bottom);
  }

 private:
  static int Scale(int v, int to, int from) {
    return static_cast<int>(std::lround(static_cast<double>(v) * to / from));
  }
  template <class T>
  static T Swap(T& field, const T& value) {
    T old = field;
    field = value;
    return old;
  }
  void Record(std::string line) { calls.push_back(std::move(line)); }

  int mode_ = rpt::MM_HIENGLISH;
  rpt::LogFont font_{-100, 400, false, false, "Arial"};
  rpt::LogPen pen_;
  rpt::LogBrush brush_{0xFFFFFF, false};
  unsigned align_ = rpt::TA_LEFT | rpt::TA_TOP;
  rpt::ColorRef textColor_ = 0;
  rpt::Point current_;
};
