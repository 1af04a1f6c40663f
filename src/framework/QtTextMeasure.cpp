#include "QtTextMeasure.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QScreen>
#include <string>

#include "QtPorts.h"

namespace fw {
namespace {

int DeviceDpiY(QPaintDevice* device) {
  if (device) return device->logicalDpiY();
  if (QScreen* screen = QGuiApplication::primaryScreen())
    return qRound(screen->logicalDotsPerInchY());
  return 96;
}

}  // namespace

QtTextMeasure::QtTextMeasure(const QFont& font, QPaintDevice* device)
    : metrics_(font, device), dpiY_(DeviceDpiY(device)) {}

int QtTextMeasure::TextWidth(std::string_view text) const {
  return metrics_.horizontalAdvance(ToQString(std::string(text)));
}

int QtTextMeasure::AverageCharWidth() const { return metrics_.averageCharWidth(); }

int QtTextMeasure::PixelsPerInchY() const { return dpiY_; }

}  // namespace fw
