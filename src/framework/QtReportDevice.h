#pragma once
// The report device on Qt: a painter on a printer (paper or PDF), the
// preview or a picture, or a measuring-only device at a printer's resolution
// that draws nothing (pagination and RTF runs). Logical units follow the
// mapping mode; the printer's paper and unprintable edge come from its page
// layout.

#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <memory>

#include "DC.h"
#include "ReportDevice.h"

class QImage;
class QPaintDevice;
class QPrinter;

namespace fw {

class CQtReportDevice : public rpt::ReportDevice {
 public:
  // Paints on a picture: the whole picture is the printable paper.
  explicit CQtReportDevice(QImage* image);
  // Paints on a printer that has begun; its page layout gives the paper.
  explicit CQtReportDevice(QPrinter* printer);
  // Paints with an active painter (the preview's page), the page showing
  // the given paper.
  CQtReportDevice(QPainter& painter, const QPageLayout& layout);
  // Measures only, at dpi, on the given paper.
  CQtReportDevice(int dpi, const QPageLayout& layout);
  ~CQtReportDevice() override;

  CDC& Dc() { return *dc_; }
  bool MeasuresOnly() const { return measureOnly_; }
  // The paper in twips, turned as the layout says.
  static void PaperTwips(const QPageLayout& layout, int& width, int& height);
  // The paper of the default printer; without a printer, the locale's paper
  // (letter where inches are used, else A4), as the PDF printer would take.
  static QPageLayout DefaultPaper();
  static QPageSize::PageSizeId PaperForLocale(const QLocale& locale);

  int GetMapMode() const override { return dc_->GetMapMode(); }
  int SetMapMode(int mode) override { return dc_->SetMapMode(mode); }
  int GetDeviceCaps(int index) const override;
  rpt::Point LPtoDP(rpt::Point p) const override;
  rpt::Point DPtoLP(rpt::Point p) const override;

  rpt::LogFont SelectFont(const rpt::LogFont& font) override;
  rpt::LogPen SelectPen(const rpt::LogPen& pen) override;
  rpt::LogBrush SelectBrush(const rpt::LogBrush& brush) override;
  bool GetFont(rpt::LogFont& font) const override;
  bool GetPen(rpt::LogPen& pen) const override;
  bool GetBrush(rpt::LogBrush& brush) const override;
  unsigned SetTextAlign(unsigned align) override;
  unsigned GetTextAlign() const override { return align_; }
  rpt::ColorRef SetTextColor(rpt::ColorRef color) override { return dc_->SetTextColor(color); }

  rpt::Size GetTextExtent(std::string_view text) const override;
  int TextOut(int x, int y, std::string_view text) override;
  int ExtTextOut(int x, int y, unsigned options, const rpt::Rect* clip, std::string_view text,
                 const int* widths) override;
  rpt::Size TabbedTextOut(int x, int y, std::string_view text, int tabCount, const int* tabStops,
                          int tabOrigin) override;
  int DrawText(std::string_view text, const rpt::Rect& rect, unsigned format) override;
  rpt::Point MoveTo(int x, int y) override;
  int LineTo(int x, int y) override;
  int Rectangle(const rpt::Rect& rect) override;
  int FillRect(const rpt::Rect& rect, const rpt::LogBrush* brush) override;
  int FillRgn(const rpt::Region& region, const rpt::LogBrush& brush) override;
  int Arc(const rpt::Rect& bounds, rpt::Point start, rpt::Point end) override;
  int FillEllipse(const rpt::Rect& bounds, const rpt::LogBrush& brush) override;
  int DrawPhoto(const CMultimediaItem& item, rpt::Rect& rect, int fitMode, bool report) override;
  int FitPhoto(const CMultimediaItem& item, rpt::Rect& deviceRect, int fitMode,
               bool report) override;

 private:
  void SetPaper(const QPageLayout& layout, int dpi);

  std::unique_ptr<QImage> scratch_;  // the measuring device's surface
  std::unique_ptr<CDC> dc_;
  bool measureOnly_ = false;
  unsigned align_ = rpt::TA_LEFT | rpt::TA_TOP;
  // Device units.
  int paperWidth_ = 0, paperHeight_ = 0, offsetX_ = 0, offsetY_ = 0;
  int printableWidthMm_ = 0, printableHeightMm_ = 0;
};

}  // namespace fw
