#include "DC.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "QtPorts.h"

namespace fw {
namespace {

// Logical units per inch of the modes with y up.
int UnitsPerInch(int mode) {
  switch (mode) {
    case MM_LOENGLISH:
      return 100;
    case MM_HIENGLISH:
      return 1000;
    case MM_TWIPS:
      return 1440;
    default:
      return 0;
  }
}

int Round(double v) { return static_cast<int>(std::lround(v)); }

// A device rectangle with exclusive right and bottom edges as Qt's outline
// rectangle: the outline of a one-pixel pen then covers left..right-1.
QRect OutlineRect(const QRect& device) {
  return QRect(device.left(), device.top(), device.width() - 1, device.height() - 1);
}

}  // namespace

QColor ToQColor(ColorRef color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

CDC::CDC(QPaintDevice* device)
    : owned_(std::make_unique<QPainter>(device)),
      painter_(owned_.get()),
      dpiX_(device->logicalDpiX()),
      dpiY_(device->logicalDpiY()) {}

CDC::CDC(QPainter& painter)
    : painter_(&painter),
      dpiX_(painter.device() ? painter.device()->logicalDpiX() : 96),
      dpiY_(painter.device() ? painter.device()->logicalDpiY() : 96) {}

CDC::~CDC() = default;

int CDC::SetMapMode(int mode) {
  const int previous = mapMode_;
  mapMode_ = UnitsPerInch(mode) != 0 ? mode : MM_TEXT;
  return previous;
}

QPoint CDC::SetWindowOrg(int x, int y) {
  const QPoint previous = windowOrg_;
  windowOrg_ = QPoint(x, y);
  return previous;
}

QPoint CDC::SetViewportOrg(int x, int y) {
  const QPoint previous = viewportOrg_;
  viewportOrg_ = QPoint(x, y);
  return previous;
}

double CDC::ScaleX() const {
  const int units = UnitsPerInch(mapMode_);
  return units == 0 ? 1.0 : static_cast<double>(dpiX_) / units;
}

double CDC::ScaleY() const {
  const int units = UnitsPerInch(mapMode_);
  return units == 0 ? 1.0 : -static_cast<double>(dpiY_) / units;
}

QPoint CDC::LPtoDP(QPoint p) const {
  return QPoint(Round((p.x() - windowOrg_.x()) * ScaleX()) + viewportOrg_.x(),
                Round((p.y() - windowOrg_.y()) * ScaleY()) + viewportOrg_.y());
}

QPoint CDC::DPtoLP(QPoint p) const {
  return QPoint(Round((p.x() - viewportOrg_.x()) / ScaleX()) + windowOrg_.x(),
                Round((p.y() - viewportOrg_.y()) / ScaleY()) + windowOrg_.y());
}

QRect CDC::LPtoDP(const QRect& logical) const {
  // QRect's right() and bottom() are inclusive; the edges are left + width.
  const QPoint a = LPtoDP(QPoint(logical.left(), logical.top()));
  const QPoint b =
      LPtoDP(QPoint(logical.left() + logical.width(), logical.top() + logical.height()));
  return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
               QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
}

int CDC::LengthToDeviceX(int logical) const { return Round(std::abs(logical * ScaleX())); }
int CDC::LengthToDeviceY(int logical) const { return Round(std::abs(logical * ScaleY())); }
int CDC::LengthToLogicalX(int device) const { return Round(std::abs(device / ScaleX())); }
int CDC::LengthToLogicalY(int device) const { return Round(std::abs(device / ScaleY())); }

CPen CDC::SelectObject(const CPen& pen) {
  CPen previous = pen_;
  pen_ = pen;
  return previous;
}

CBrush CDC::SelectObject(const CBrush& brush) {
  CBrush previous = brush_;
  brush_ = brush;
  return previous;
}

CFont CDC::SelectObject(const CFont& font) {
  CFont previous = font_;
  font_ = font;
  return previous;
}

ColorRef CDC::SetTextColor(ColorRef color) {
  const ColorRef previous = textColor_;
  textColor_ = color;
  return previous;
}

ColorRef CDC::SetBkColor(ColorRef color) {
  const ColorRef previous = bkColor_;
  bkColor_ = color;
  return previous;
}

int CDC::SetBkMode(int mode) {
  const int previous = bkMode_;
  bkMode_ = mode;
  return previous;
}

unsigned CDC::SetTextAlign(unsigned align) {
  const unsigned previous = textAlign_;
  textAlign_ = align;
  return previous;
}

QFont CDC::DeviceFont() const {
  QFont font(ToQString(font_.face));
  font.setWeight(
      static_cast<QFont::Weight>(std::clamp(font_.weight == 0 ? 400 : font_.weight, 100, 900)));
  font.setItalic(font_.italic);
  font.setUnderline(font_.underline);
  const int pixels = std::max(1, LengthToDeviceY(font_.height));
  font.setPixelSize(pixels);
  if (font_.height > 0) {
    // A cell height: scale so that ascent and descent fill it.
    const int cell = QFontMetrics(font, painter_->device()).height();
    if (cell > 0) font.setPixelSize(std::max(1, pixels * pixels / cell));
  }
  return font;
}

QPen CDC::DevicePen() const {
  if (pen_.style == PS_NULL) return QPen(Qt::NoPen);
  QPen pen(ToQColor(pen_.color));
  const int width = pen_.width == 0 ? 1 : std::max(1, LengthToDeviceX(pen_.width));
  pen.setWidth(width);
  switch (pen_.style) {
    case PS_DASH:
      pen.setStyle(Qt::DashLine);
      break;
    case PS_DOT:
      pen.setStyle(Qt::DotLine);
      break;
    case PS_DASHDOT:
      pen.setStyle(Qt::DashDotLine);
      break;
    default:
      pen.setStyle(Qt::SolidLine);
      break;
  }
  if (width > 1) {
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
  }
  return pen;
}

void CDC::ApplyPenAndBrush(bool fill) {
  painter_->setPen(DevicePen());
  if (fill && !brush_.hollow)
    painter_->setBrush(ToQColor(brush_.color));
  else
    painter_->setBrush(Qt::NoBrush);
}

void CDC::TextOut(int x, int y, const std::string& text) {
  const QString t = ToQString(text);
  const QFont font = DeviceFont();
  const QFontMetrics metrics(font, painter_->device());
  const int width = metrics.horizontalAdvance(t);
  QPoint p = LPtoDP(QPoint(x, y));
  int left = p.x();
  if ((textAlign_ & TA_CENTER) == TA_CENTER)
    left -= width / 2;
  else if (textAlign_ & TA_RIGHT)
    left -= width;
  int baseline = p.y() + metrics.ascent();
  if ((textAlign_ & TA_BASELINE) == TA_BASELINE)
    baseline = p.y();
  else if (textAlign_ & TA_BOTTOM)
    baseline = p.y() - metrics.descent();
  if (bkMode_ == OPAQUE)
    painter_->fillRect(QRect(left, baseline - metrics.ascent(), width, metrics.height()),
                       ToQColor(bkColor_));
  painter_->setFont(font);
  painter_->setPen(ToQColor(textColor_));
  painter_->drawText(QPoint(left, baseline), t);
}

QSize CDC::GetTextExtent(const std::string& text) const {
  const QFontMetrics metrics(DeviceFont(), painter_->device());
  return QSize(LengthToLogicalX(metrics.horizontalAdvance(ToQString(text))),
               LengthToLogicalY(metrics.height()));
}

int CDC::DrawText(const std::string& text, const QRect& logicalRect, unsigned format) {
  const QRect device = LPtoDP(logicalRect);
  const QFont font = DeviceFont();
  const QFontMetrics metrics(font, painter_->device());
  int flags = 0;
  if (format & DT_CENTER)
    flags |= Qt::AlignHCenter;
  else if (format & DT_RIGHT)
    flags |= Qt::AlignRight;
  else
    flags |= Qt::AlignLeft;
  if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
    flags |= Qt::AlignVCenter;
  else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
    flags |= Qt::AlignBottom;
  else
    flags |= Qt::AlignTop;
  if (format & DT_SINGLELINE)
    flags |= Qt::TextSingleLine;
  else if (format & DT_WORDBREAK)
    flags |= Qt::TextWordWrap;
  if (!(format & DT_NOPREFIX)) flags |= Qt::TextShowMnemonic;
  QString t = ToQString(text);
  if ((format & DT_END_ELLIPSIS) && !(format & DT_WORDBREAK))
    t = metrics.elidedText(t, Qt::ElideRight, device.width());
  const QRect bounds = metrics.boundingRect(device, flags, t);
  painter_->save();
  painter_->setClipRect(device, painter_->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  if (bkMode_ == OPAQUE) painter_->fillRect(bounds.intersected(device), ToQColor(bkColor_));
  painter_->setFont(font);
  painter_->setPen(ToQColor(textColor_));
  painter_->drawText(device, flags, t);
  painter_->restore();
  return LengthToLogicalY(bounds.height());
}

QtTextMeasure CDC::TextMeasure() const { return QtTextMeasure(DeviceFont(), painter_->device()); }

QPoint CDC::MoveTo(int x, int y) {
  const QPoint previous = current_;
  current_ = QPoint(x, y);
  return previous;
}

void CDC::LineTo(int x, int y) {
  painter_->setPen(DevicePen());
  painter_->drawLine(LPtoDP(current_), LPtoDP(QPoint(x, y)));
  current_ = QPoint(x, y);
}

void CDC::Rectangle(int left, int top, int right, int bottom) {
  const QRect device = LPtoDP(QRect(QPoint(left, top), QSize(right - left, bottom - top)));
  if (device.width() < 1 || device.height() < 1) return;
  ApplyPenAndBrush(true);
  painter_->drawRect(OutlineRect(device));
}

void CDC::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  const QRect device = LPtoDP(QRect(QPoint(left, top), QSize(right - left, bottom - top)));
  if (device.width() < 1 || device.height() < 1) return;
  ApplyPenAndBrush(true);
  painter_->drawRoundedRect(OutlineRect(device), LengthToDeviceX(cornerWidth) / 2.0,
                            LengthToDeviceY(cornerHeight) / 2.0);
}

void CDC::Ellipse(int left, int top, int right, int bottom) {
  const QRect device = LPtoDP(QRect(QPoint(left, top), QSize(right - left, bottom - top)));
  if (device.width() < 1 || device.height() < 1) return;
  ApplyPenAndBrush(true);
  painter_->drawEllipse(OutlineRect(device));
}

void CDC::FillSolidRect(int left, int top, int right, int bottom, ColorRef color) {
  painter_->fillRect(LPtoDP(QRect(QPoint(left, top), QSize(right - left, bottom - top))),
                     ToQColor(color));
}

void CDC::DrawImage(const QImage& image, const QRect& logicalRect) {
  painter_->save();
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter_->drawImage(LPtoDP(logicalRect), image);
  painter_->restore();
}

void CDC::IntersectClipRect(int left, int top, int right, int bottom) {
  const QRect device = LPtoDP(QRect(QPoint(left, top), QSize(right - left, bottom - top)));
  painter_->setClipRect(device, painter_->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void CDC::SelectClipRect(const QRect* logicalRect) {
  if (!logicalRect)
    painter_->setClipping(false);
  else
    painter_->setClipRect(LPtoDP(*logicalRect), Qt::ReplaceClip);
}

}  // namespace fw
