#include "QtReportDevice.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QtMath>
#include <cmath>

#include "ImageObject.h"
#include "MultimediaItem.h"

namespace fw {

namespace {

QRect LogicalRect(const rpt::Rect& r) {
  return QRect(QPoint(r.left, r.top), QSize(r.right - r.left, r.bottom - r.top));
}

// The layout's paper and printable area at dpi, in device units.
struct PaperPixels {
  int width, height, offsetX, offsetY, printableWidthMm, printableHeightMm;
};

PaperPixels Pixels(const QPageLayout& layout, int dpi) {
  const QRect full = layout.fullRectPixels(dpi);
  const QRect paint = layout.paintRectPixels(dpi);
  const QRectF paintMm = layout.paintRect(QPageLayout::Millimeter);
  return {full.width(),
          full.height(),
          paint.left(),
          paint.top(),
          static_cast<int>(paintMm.width()),
          static_cast<int>(paintMm.height())};
}

}  // namespace

CQtReportDevice::CQtReportDevice(QImage* image) : dc_(std::make_unique<CDC>(image)) {
  paperWidth_ = image->width();
  paperHeight_ = image->height();
  printableWidthMm_ = image->widthMM();
  printableHeightMm_ = image->heightMM();
  dc_->Painter().setRenderHint(QPainter::Antialiasing);
  dc_->Painter().setRenderHint(QPainter::TextAntialiasing);
}

CQtReportDevice::CQtReportDevice(QPrinter* printer) : dc_(std::make_unique<CDC>(printer)) {
  // The painter's origin is the printable area's corner; the offsets say
  // how far that is from the paper's edge.
  SetPaper(printer->pageLayout(), printer->resolution());
}

CQtReportDevice::CQtReportDevice(QPainter& painter, const QPageLayout& layout)
    : dc_(std::make_unique<CDC>(painter)) {
  SetPaper(layout, painter.device() != nullptr ? painter.device()->logicalDpiX() : 96);
}

CQtReportDevice::CQtReportDevice(int dpi, const QPageLayout& layout)
    : scratch_(std::make_unique<QImage>(1, 1, QImage::Format_RGB32)), measureOnly_(true) {
  const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
  scratch_->setDotsPerMeterX(dotsPerMeter);
  scratch_->setDotsPerMeterY(dotsPerMeter);
  dc_ = std::make_unique<CDC>(scratch_.get());
  SetPaper(layout, dpi);
}

CQtReportDevice::~CQtReportDevice() = default;

void CQtReportDevice::SetPaper(const QPageLayout& layout, int dpi) {
  const PaperPixels p = Pixels(layout, dpi);
  paperWidth_ = p.width;
  paperHeight_ = p.height;
  offsetX_ = p.offsetX;
  offsetY_ = p.offsetY;
  printableWidthMm_ = p.printableWidthMm;
  printableHeightMm_ = p.printableHeightMm;
}

void CQtReportDevice::PaperTwips(const QPageLayout& layout, int& width, int& height) {
  const QRectF full = layout.fullRect(QPageLayout::Millimeter);
  width = static_cast<int>(std::lround(full.width() * 1440 / 25.4));
  height = static_cast<int>(std::lround(full.height() * 1440 / 25.4));
}

QPageSize::PageSizeId CQtReportDevice::PaperForLocale(const QLocale& locale) {
  return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                 : QPageSize::A4;
}

QPageLayout CQtReportDevice::DefaultPaper() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (!info.isNull()) {
    QPrinter printer(info, QPrinter::HighResolution);
    return printer.pageLayout();
  }
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setPageSize(QPageSize(PaperForLocale(QLocale::system())));
  return pdf.pageLayout();
}

int CQtReportDevice::GetDeviceCaps(int index) const {
  QPaintDevice* device = dc_->Painter().device();
  switch (index) {
    case rpt::LOGPIXELSX:
      return device->logicalDpiX();
    case rpt::LOGPIXELSY:
      return device->logicalDpiY();
    case rpt::PHYSICALWIDTH:
      return paperWidth_;
    case rpt::PHYSICALHEIGHT:
      return paperHeight_;
    case rpt::PHYSICALOFFSETX:
      return offsetX_;
    case rpt::PHYSICALOFFSETY:
      return offsetY_;
    case rpt::HORZSIZE:
      return printableWidthMm_;
    case rpt::VERTSIZE:
      return printableHeightMm_;
    case rpt::HORZRES:
      return paperWidth_ - 2 * offsetX_;
    case rpt::VERTRES:
      return paperHeight_ - 2 * offsetY_;
    default:
      return 0;
  }
}

rpt::Point CQtReportDevice::LPtoDP(rpt::Point p) const {
  const QPoint d = dc_->LPtoDP(QPoint(p.x, p.y));
  return {d.x(), d.y()};
}

rpt::Point CQtReportDevice::DPtoLP(rpt::Point p) const {
  const QPoint l = dc_->DPtoLP(QPoint(p.x, p.y));
  return {l.x(), l.y()};
}

rpt::LogFont CQtReportDevice::SelectFont(const rpt::LogFont& font) {
  const CFont old =
      dc_->SelectObject(CFont{font.height, font.weight, font.italic, font.underline, font.face});
  return {old.height, old.weight, old.italic, old.underline, old.face};
}

rpt::LogPen CQtReportDevice::SelectPen(const rpt::LogPen& pen) {
  const CPen old = dc_->SelectObject(CPen{pen.style, pen.width, pen.color});
  return {old.style, old.width, old.color};
}

rpt::LogBrush CQtReportDevice::SelectBrush(const rpt::LogBrush& brush) {
  const CBrush old = dc_->SelectObject(CBrush{brush.color, brush.hollow});
  return {old.color, old.hollow};
}

bool CQtReportDevice::GetFont(rpt::LogFont& font) const {
  const CFont& f = dc_->GetFont();
  font = {f.height, f.weight, f.italic, f.underline, f.face};
  return true;
}

bool CQtReportDevice::GetPen(rpt::LogPen& pen) const {
  const CPen& p = dc_->GetPen();
  pen = {p.style, p.width, p.color};
  return true;
}

bool CQtReportDevice::GetBrush(rpt::LogBrush& brush) const {
  const CBrush& b = dc_->GetBrush();
  brush = {b.color, b.hollow};
  return true;
}

unsigned CQtReportDevice::SetTextAlign(unsigned align) {
  const unsigned old = align_;
  align_ = align;
  dc_->SetTextAlign(align);
  return old;
}

rpt::Size CQtReportDevice::GetTextExtent(std::string_view text) const {
  const QSize s = dc_->GetTextExtent(std::string(text));
  return {s.width(), s.height()};
}

int CQtReportDevice::TextOut(int x, int y, std::string_view text) {
  if (measureOnly_) return 1;
  dc_->SetBkMode(TRANSPARENT);
  dc_->TextOut(x, y, std::string(text));
  return 1;
}

int CQtReportDevice::ExtTextOut(int x, int y, unsigned options, const rpt::Rect* clip,
                                std::string_view text, const int*) {
  if (measureOnly_) return 1;
  const bool clipped = clip != nullptr && (options & rpt::ETO_CLIPPED) != 0;
  if (clipped) {
    dc_->Painter().save();
    dc_->IntersectClipRect(clip->left, clip->top, clip->right, clip->bottom);
  }
  TextOut(x, y, text);
  if (clipped) dc_->Painter().restore();
  return 1;
}

rpt::Size CQtReportDevice::TabbedTextOut(int x, int y, std::string_view text, int tabCount,
                                         const int* tabStops, int tabOrigin) {
  // Each tab moves to the next stop (every eight average characters when none
  // is given).
  int at = x, stop = 0;
  const int every =
      tabCount == 1 && tabStops != nullptr ? tabStops[0] : GetTextExtent("xxxxxxxx").cx;
  std::size_t start = 0;
  const int height = GetTextExtent("X").cy;
  while (true) {
    const std::size_t tab = text.find('\t', start);
    const std::string_view part =
        text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
    TextOut(at, y, part);
    at += GetTextExtent(part).cx;
    if (tab == std::string_view::npos) break;
    int next = 0;
    if (tabCount > 1 && tabStops != nullptr) {
      while (stop < tabCount && tabOrigin + tabStops[stop] <= at) ++stop;
      next = stop < tabCount ? tabOrigin + tabStops[stop] : at + every;
    } else {
      next = every > 0 ? tabOrigin + ((at - tabOrigin) / every + 1) * every : at;
    }
    at = next;
    start = tab + 1;
  }
  return {at - x, height};
}

int CQtReportDevice::DrawText(std::string_view text, const rpt::Rect& rect, unsigned format) {
  if (measureOnly_) return GetTextExtent(text).cy;
  dc_->SetBkMode(TRANSPARENT);
  return dc_->DrawText(std::string(text), LogicalRect(rect), format);
}

rpt::Point CQtReportDevice::MoveTo(int x, int y) {
  const QPoint old = dc_->MoveTo(x, y);
  return {old.x(), old.y()};
}

int CQtReportDevice::LineTo(int x, int y) {
  if (measureOnly_) {
    dc_->MoveTo(x, y);
    return 1;
  }
  dc_->LineTo(x, y);
  return 1;
}

int CQtReportDevice::Rectangle(const rpt::Rect& r) {
  if (!measureOnly_) dc_->Rectangle(r.left, r.top, r.right, r.bottom);
  return 1;
}

int CQtReportDevice::FillRect(const rpt::Rect& r, const rpt::LogBrush* brush) {
  if (measureOnly_ || brush == nullptr || brush->hollow) return 1;
  dc_->FillSolidRect(r.left, r.top, r.right, r.bottom, brush->color);
  return 1;
}

int CQtReportDevice::FillRgn(const rpt::Region& region, const rpt::LogBrush& brush) {
  for (const rpt::Rect& r : region.rects) FillRect(r, &brush);
  return 1;
}

int CQtReportDevice::Arc(const rpt::Rect& bounds, rpt::Point start, rpt::Point end) {
  if (measureOnly_) return 1;
  const QRect box = dc_->LPtoDP(LogicalRect(bounds));
  if (box.width() < 1 || box.height() < 1) return 0;
  const QPoint s = dc_->LPtoDP(QPoint(start.x, start.y));
  const QPoint e = dc_->LPtoDP(QPoint(end.x, end.y));
  const QPointF c = QRectF(box).center();
  // Angles as seen on the page, counter-clockwise from three o'clock.
  auto angle = [&](QPoint p) {
    return qRadiansToDegrees(std::atan2(c.y() - p.y(), p.x() - c.x()));
  };
  const double from = angle(s);
  double span = angle(e) - from;
  while (span <= 0) span += 360;
  const CPen& pen = dc_->GetPen();
  if (pen.style == rpt::PS_NULL) return 1;
  QPainter& painter = dc_->Painter();
  painter.save();
  painter.setPen(QPen(ToQColor(pen.color), std::max(1, dc_->LengthToDeviceX(pen.width)),
                      Qt::SolidLine, Qt::FlatCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawArc(QRectF(box), static_cast<int>(std::lround(from * 16)),
                  static_cast<int>(std::lround(span * 16)));
  painter.restore();
  return 1;
}

int CQtReportDevice::FillEllipse(const rpt::Rect& bounds, const rpt::LogBrush& brush) {
  if (measureOnly_ || brush.hollow) return 1;
  const QRect box = dc_->LPtoDP(LogicalRect(bounds));
  QPainter& painter = dc_->Painter();
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(ToQColor(brush.color));
  painter.drawEllipse(box);
  painter.restore();
  return 1;
}

namespace {

// Loads and edits the item's photo and fits device to it; false when the
// photo cannot be loaded.
bool LoadFitted(CImageObject& image, const CMultimediaItem& item, QRect& device, int fitMode,
                bool report) {
  const QSize size = device.size();
  if (image.LoadFile(item.GetFullPath(), item.GetSubName(), item.recordNumber, &size, report) ==
      0) {
    return false;
  }
  image.SetEdits(item);
  image.ApplyEdits();
  image.FitToRect(device, fitMode);
  return true;
}

}  // namespace

int CQtReportDevice::DrawPhoto(const CMultimediaItem& item, rpt::Rect& rect, int fitMode,
                               bool report) {
  QRect device = dc_->LPtoDP(LogicalRect(rect));
  CImageObject image;
  if (!LoadFitted(image, item, device, fitMode, report)) return 0;
  const QPoint a = dc_->DPtoLP(device.topLeft());
  const QPoint b = dc_->DPtoLP(device.topLeft() + QPoint(device.width(), device.height()));
  rect = {a.x(), a.y(), b.x(), b.y()};
  if (!measureOnly_) image.Paint(dc_->Painter(), device);
  return 1;
}

int CQtReportDevice::FitPhoto(const CMultimediaItem& item, rpt::Rect& deviceRect, int fitMode,
                              bool report) {
  QRect device(QPoint(std::min(deviceRect.left, deviceRect.right),
                      std::min(deviceRect.top, deviceRect.bottom)),
               QSize(std::abs(deviceRect.Width()), std::abs(deviceRect.Height())));
  CImageObject image;
  if (!LoadFitted(image, item, device, fitMode, report)) return 0;
  deviceRect = {device.left(), device.top(), device.left() + device.width(),
                device.top() + device.height()};
  return 1;
}

}  // namespace fw
