#include "QtSystemColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace fw {

plat::ColorValue ToColorValue(const QColor& color) {
  return plat::MakeColor(color.red(), color.green(), color.blue());
}

QColor FromColorValue(plat::ColorValue value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

plat::ColorValue QtSystemColors::Color(plat::SystemColor which) {
  QPalette::ColorRole role = QPalette::Base;
  switch (which) {
    case plat::SystemColor::kWindow:
      role = QPalette::Base;
      break;
    case plat::SystemColor::kWindowText:
      role = QPalette::Text;
      break;
    case plat::SystemColor::kHighlight:
      role = QPalette::Highlight;
      break;
    case plat::SystemColor::kHighlightText:
      role = QPalette::HighlightedText;
      break;
    case plat::SystemColor::kButtonFace:
      role = QPalette::Button;
      break;
  }
  return ToColorValue(QGuiApplication::palette().color(QPalette::Active, role));
}

}  // namespace fw
