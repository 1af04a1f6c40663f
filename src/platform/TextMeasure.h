#pragma once
// Text measurement with a device's current font, for the core code that fits
// text to a width. The framework implements it on a Qt font and paint device;
// tests use the fixed-width measure below.

#include <string_view>

namespace plat {

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // Width in device pixels of an 8-bit text of the active code page.
  virtual int TextWidth(std::string_view text) const = 0;
  // Average character width of the current font, in device pixels.
  virtual int AverageCharWidth() const = 0;
  // Device pixels per logical inch, vertically (font points to pixels).
  virtual int PixelsPerInchY() const = 0;
};

// Every character the same width: the stand-in for tests and headless use.
class FixedWidthTextMeasure : public TextMeasure {
 public:
  explicit FixedWidthTextMeasure(int charWidth = 8, int pixelsPerInchY = 96)
      : charWidth_(charWidth), pixelsPerInchY_(pixelsPerInchY) {}
  int TextWidth(std::string_view text) const override {
    return static_cast<int>(text.size()) * charWidth_;
  }
  int AverageCharWidth() const override { return charWidth_; }
  int PixelsPerInchY() const override { return pixelsPerInchY_; }

 private:
  int charWidth_;
  int pixelsPerInchY_;
};

}  // namespace plat
