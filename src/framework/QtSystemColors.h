#pragma once
// The Qt side of the system colours: the application palette, asked afresh
// each time so that a theme change reaches the next caller.

#include <QColor>

#include "SystemColors.h"

namespace fw {

// A colour value of the options (red in the low byte) from a QColor, and back.
plat::ColorValue ToColorValue(const QColor& color);
QColor FromColorValue(plat::ColorValue value);

class QtSystemColors : public plat::SystemColorsPort {
 public:
  plat::ColorValue Color(plat::SystemColor which) override;
};

}  // namespace fw
