#pragma once
// Text measurement of the core on a Qt font and paint device.

#include <QFont>
#include <QFontMetrics>

#include "TextMeasure.h"

class QPaintDevice;

namespace fw {

class QtTextMeasure : public plat::TextMeasure {
 public:
  // Measures with font as it is laid out on device (the screen when null).
  explicit QtTextMeasure(const QFont& font, QPaintDevice* device = nullptr);
  int TextWidth(std::string_view text) const override;
  int AverageCharWidth() const override;
  int PixelsPerInchY() const override;

 private:
  QFontMetrics metrics_;
  int dpiY_;
};

}  // namespace fw
