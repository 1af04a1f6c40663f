#include "ReportGenerator.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "AppOptions.h"
#include "FileCopy.h"
#include "MultimediaChain.h"
#include "MultimediaItem.h"
#include "Ports.h"
#include "RTFFile.h"
#include "ReportKinds.h"
#include "StringIds.h"
#include "StringTable.h"

using rpt::Point;
using rpt::Rect;
using rpt::ReportDevice;

namespace {

// Thousandths of an inch to twips, truncated after the product.
int ToTwips(int v) { return static_cast<int>(static_cast<long long>(v) * 1440 / 1000); }

// A device length (x and y) as thousandths of an inch on dc.
Point LengthToHiEnglish(ReportDevice* dc, Point device) {
  Point a = dc->DPtoLP(device), o = dc->DPtoLP({0, 0});
  return {a.x - o.x, a.y - o.y};
}

// The printer's unprintable offset and, when asked, p converted from the
// device's units to thousandths of an inch.
void ToHiEnglish(ReportDevice* dc, Point* p, Point& offset) {
  const Point physical{dc->GetDeviceCaps(rpt::PHYSICALOFFSETX),
                       dc->GetDeviceCaps(rpt::PHYSICALOFFSETY)};
  if (dc->GetMapMode() == rpt::MM_HIENGLISH) {
    offset = LengthToHiEnglish(dc, physical);
    return;
  }
  // Logical units of another mode go to device units and back in thousandths.
  Point device = p != nullptr ? dc->LPtoDP(*p) : Point{};
  const int old = dc->SetMapMode(rpt::MM_HIENGLISH);
  offset = LengthToHiEnglish(dc, physical);
  if (p != nullptr) *p = dc->DPtoLP(device);
  dc->SetMapMode(old);
}

bool RemoveRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         std::remove(path.c_str()) == 0;
}

}  // namespace

CReportGenerator::CReportGenerator() = default;
CReportGenerator::~CReportGenerator() = default;

// ---------------------------------------------------------------- units

Point CReportGenerator::PointToTwips(ReportDevice* dc, Point p, bool addPrinterOffset) {
  Point offset;
  if (dc != nullptr) ToHiEnglish(dc, &p, offset);
  p.y = std::abs(p.y);
  if (addPrinterOffset) {
    p.x += offset.x;
    p.y += std::abs(offset.y);
  }
  return {ToTwips(p.x), ToTwips(p.y)};
}

Rect CReportGenerator::RectToTwips(ReportDevice* dc, Rect r, bool addPrinterOffset) {
  Point a = PointToTwips(dc, {r.left, r.top}, addPrinterOffset);
  Point b = PointToTwips(dc, {r.right, r.bottom}, addPrinterOffset);
  return {a.x, a.y, b.x, b.y};
}

int CReportGenerator::HalfPointsOfHeight(int height) {
  const long long h = height;
  int half = static_cast<int>(std::llabs(h * 7200 / 50000));
  if (std::llabs(h * 7200 / 50) % 1000 > 500) ++half;
  return half;
}

bool CReportGenerator::GetRTFFontAttributes(ReportDevice* dc, FontAttributes& out) {
  rpt::LogFont font;
  if (dc == nullptr || !dc->GetFont(font)) return false;
  int height = font.height;
  if (height > 0) {
    // A cell height: the device fits ascent and descent into it, while a
    // word processor sizes the characters; measured as a character height
    // the font would come out larger than on paper.
    rpt::LogFont character = font;
    character.height = -height;
    const rpt::LogFont previous = dc->SelectFont(character);
    const int cell = dc->GetTextExtent("X").cy;
    dc->SelectFont(previous);
    if (cell > height) height = static_cast<int>(static_cast<long long>(height) * height / cell);
  }
  out.halfPoints = HalfPointsOfHeight(height);
  out.bold = font.weight >= 700;
  out.italic = font.italic;
  out.underline = font.underline;
  int index = document_.FindFont(font.face);
  if (index < 0) {
    document_.AddFont(font.face);
    index = document_.FindFont(font.face);
  }
  out.font = std::max(index, 0);
  return true;
}

int CReportGenerator::GetRTFPenWidth(ReportDevice* dc, rpt::ColorRef* color) {
  rpt::LogPen pen;
  if (dc == nullptr || !dc->GetPen(pen)) {
    if (color != nullptr) *color = 0;
    return 0;
  }
  if (color != nullptr) *color = pen.color;
  return ToTwips(pen.width);
}

bool CReportGenerator::GetRTFBrushColor(ReportDevice* dc, rpt::ColorRef& color) {
  rpt::LogBrush brush;
  if (dc == nullptr || !dc->GetBrush(brush)) return false;
  color = brush.color;
  return true;
}

std::unique_ptr<CRTFText> CReportGenerator::MakeText(ReportDevice* dc, const std::string& text,
                                                     int alignment) {
  FontAttributes a;
  GetRTFFontAttributes(dc, a);
  return std::make_unique<CRTFText>(text, a.font, a.halfPoints, a.bold, a.italic, a.underline,
                                    alignment, false);
}

// ---------------------------------------------------------------- text

int CReportGenerator::TextOut(ReportDevice* dc, int x, int y, const char* text, int length) {
  return TextOutString(dc, x, y,
                       text != nullptr ? std::string(text, std::max(length, 0)) : std::string());
}

int CReportGenerator::TextOutString(ReportDevice* dc, int x, int y, const std::string& text) {
  if (!rtf_) return dc != nullptr ? dc->TextOut(x, y, text) : 0;
  if (dc == nullptr || text.empty()) return 0;
  Point at = PointToTwips(dc, {x, std::abs(y)}, true);
  auto element = MakeText(dc, text, CRTFText::kNone);
  if (dc->GetTextAlign() == rpt::TA_BASELINE) {
    // Placed by the baseline: raise by the font's height and half the
    // extent's leading.
    rpt::LogFont font;
    if (dc->GetFont(font)) {
      const int h = std::abs(font.height);
      const int cy = dc->GetTextExtent(text).cy;
      at.y -= PointToTwips(dc, {0, (cy - h) / 2 + h}, false).y;
    }
  } else {
    at.y -= 20;
  }
  element->SetPosition(at.x, at.y);
  pageTexts_.AddElement(std::move(element));
  return 0;
}

int CReportGenerator::TextOutPrintOnly(ReportDevice* dc, int x, int y, const std::string& text) {
  if (rtf_ || dc == nullptr) return 0;
  return dc->TextOut(x, y, text);
}

int CReportGenerator::TextOutPrintOnlyChars(ReportDevice* dc, int x, int y, const char* text,
                                            int length) {
  if (text == nullptr) return 0;
  return TextOutPrintOnly(dc, x, y, std::string(text, std::max(length, 0)));
}

int CReportGenerator::DrawTextAligned(ReportDevice* dc, const std::string& text, Rect rect,
                                      unsigned format) {
  if (!rtf_) return dc != nullptr ? dc->DrawText(text, rect, format) : 0;
  if (dc == nullptr || rect.right - rect.left <= 0) return 0;
  const int cx = dc->GetTextExtent(text).cx;
  int x = rect.left;
  const int y = std::abs(rect.top);
  // The alignment bits decide, whatever other flags come with them.
  if ((format & rpt::DT_CENTER) != 0) {
    x = rect.right - (rect.right - rect.left) / 2 - cx / 2;
  } else if ((format & rpt::DT_RIGHT) != 0) {
    x = rect.right - cx;
  }
  if (text.empty()) return 0;
  const Point at = PointToTwips(dc, {x, y}, true);
  auto element = MakeText(dc, text, CRTFText::kNone);
  element->SetPosition(at.x, at.y);
  pageTexts_.AddElement(std::move(element));
  return 0;
}

std::string CReportGenerator::FitTextToWidth(ReportDevice* dc, Rect rect, const std::string& text) {
  if (dc == nullptr) return {};
  const int width = rect.right - rect.left;
  std::string fitted;
  for (std::size_t n = 1; n <= text.size(); ++n) {
    if (dc->GetTextExtent(std::string_view(text).substr(0, n)).cx >= width) break;
    fitted.assign(text, 0, n);
  }
  return fitted;
}

int CReportGenerator::ExtTextOutString(ReportDevice* dc, int x, int y, unsigned options,
                                       const Rect* clip, const std::string& text,
                                       const int* widths) {
  if (!rtf_) return dc != nullptr ? dc->ExtTextOut(x, y, options, clip, text, widths) : 0;
  const std::string fitted = clip != nullptr ? FitTextToWidth(dc, *clip, text) : text;
  return TextOutString(dc, x, y, fitted);
}

int CReportGenerator::ExtTextOut(ReportDevice* dc, int x, int y, unsigned options, const Rect* clip,
                                 const char* text, int length, const int* widths) {
  return ExtTextOutString(dc, x, y, options, clip,
                          text != nullptr ? std::string(text, std::max(length, 0)) : "", widths);
}

rpt::Size CReportGenerator::TabbedTextOut(ReportDevice* dc, int x, int y, const char* text,
                                          int length, int tabCount, const int* tabStops,
                                          int tabOrigin) {
  return TabbedTextOutString(dc, x, y,
                             text != nullptr ? std::string(text, std::max(length, 0)) : "",
                             tabCount, tabStops, tabOrigin);
}

rpt::Size CReportGenerator::TabbedTextOutString(ReportDevice* dc, int x, int y,
                                                const std::string& text, int tabCount,
                                                const int* tabStops, int tabOrigin) {
  if (!rtf_) {
    return dc != nullptr ? dc->TabbedTextOut(x, y, text, tabCount, tabStops, tabOrigin)
                         : rpt::Size{};
  }
  TextOutString(dc, x, y, text);
  return {};
}

// ---------------------------------------------------------------- shapes

Point CReportGenerator::MoveTo(ReportDevice* dc, int x, int y) {
  if (!rtf_) return dc != nullptr ? dc->MoveTo(x, y) : Point{};
  if (dc == nullptr) return {};
  current_ = PointToTwips(dc, {x, std::abs(y)}, true);
  return current_;
}

int CReportGenerator::LineTo(ReportDevice* dc, int x, int y) {
  if (!rtf_ || dc == nullptr) return dc != nullptr ? dc->LineTo(x, y) : 0;
  const Point end = PointToTwips(dc, {x, std::abs(y)}, true);
  const Point start = current_;
  rpt::ColorRef color = 0;
  const int width = GetRTFPenWidth(dc, &color);
  // A line that rises to the right runs from the box's bottom-left to its
  // top-right corner: the shape over the normalised box is flipped.
  const bool rising = (end.x - start.x) * (end.y - start.y) < 0;
  auto line =
      std::make_unique<CRTFLine>(std::min(start.x, end.x), std::min(start.y, end.y),
                                 std::max(start.x, end.x), std::max(start.y, end.y), width, color);
  line->SetFlipV(rising);
  AddShape(std::move(line));
  current_ = end;
  return 1;
}

int CReportGenerator::Rectangle(ReportDevice* dc, const Rect& rect) {
  if (!rtf_ || dc == nullptr) return dc != nullptr ? dc->Rectangle(rect) : 0;
  const Rect r = RectToTwips(dc, rect, true);
  rpt::ColorRef line = 0, fill = 0;
  const int width = GetRTFPenWidth(dc, &line);
  GetRTFBrushColor(dc, fill);
  AddShape(std::make_unique<CRTFRectangle>(r.left, r.top, r.right, r.bottom, width, true, line,
                                           true, fill));
  return 1;
}

int CReportGenerator::FillRect(ReportDevice* dc, const Rect& rect, const rpt::LogBrush* brush) {
  if (!rtf_ || dc == nullptr) return dc != nullptr ? dc->FillRect(rect, brush) : 0;
  const Rect r = RectToTwips(dc, rect, true);
  if (brush == nullptr || brush->hollow) return 0;
  AddShape(std::make_unique<CRTFRectangle>(r.left, r.top, r.right, r.bottom, 0, false, 0, true,
                                           brush->color));
  return 1;
}

int CReportGenerator::FillRgn(ReportDevice* dc, const rpt::Region& region,
                              const rpt::LogBrush& brush) {
  if (!rtf_ || dc == nullptr) return dc != nullptr ? dc->FillRgn(region, brush) : 0;
  if (!region.rectangleList) return 0;
  for (const Rect& r : region.rects) FillRect(dc, r, &brush);
  return 1;
}

int CReportGenerator::Arc(ReportDevice* dc, const Rect& bounds, int x1, int y1, int x2, int y2) {
  if (!rtf_ || dc == nullptr) return dc != nullptr ? dc->Arc(bounds, {x1, y1}, {x2, y2}) : 0;
  bool flipH = false, flipV = false;
  if (y1 == bounds.top && x2 == bounds.left) flipH = true;
  if (x1 == bounds.left && y2 == bounds.bottom) flipH = flipV = true;
  if (y1 == bounds.bottom && x2 == bounds.right) {
    flipH = false;
    flipV = true;
  }
  if (x1 == bounds.right && y2 == bounds.top) flipH = flipV = false;
  Rect quarter{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  Rect r = RectToTwips(dc, quarter, true);
  // Made absolute, y-up units turn over: keep the top above the bottom.
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  rpt::ColorRef color = 0;
  const int width = GetRTFPenWidth(dc, &color);
  AddShape(std::make_unique<CRTFArc>(r.left, r.top, r.right, r.bottom, flipH, flipV, width, color));
  return 1;
}

Point CReportGenerator::MoveToPrintOnly(ReportDevice* dc, int x, int y) {
  if (rtf_ || dc == nullptr) return {};
  return dc->MoveTo(x, y);
}

int CReportGenerator::LineToPrintOnly(ReportDevice* dc, int x, int y) {
  if (rtf_ || dc == nullptr) return 0;
  return dc->LineTo(x, y);
}

int CReportGenerator::FillRectPrintOnly(ReportDevice* dc, const Rect* rect,
                                        const rpt::LogBrush* brush) {
  if (rtf_ || dc == nullptr || rect == nullptr) return 0;
  return dc->FillRect(*rect, brush);
}

int CReportGenerator::RectanglePrintOnly(ReportDevice* dc, const Rect* rect) {
  if (!rtf_ && dc != nullptr && rect != nullptr) dc->Rectangle(*rect);
  return 0;
}

// ---------------------------------------------------------------- pictures

namespace {

constexpr rpt::ColorRef kLightGrey = 0xC0C0C0;

// The font of the words in a photo's place: Arial, 7 points.
rpt::LogFont PhotoCaptionFont() { return {-(7 * 1000 / 72), 500, false, false, "Arial"}; }

// rect (logical) shrunk to the aspect width:height and placed by fitMode.
Rect FitLogicalRect(ReportDevice& dc, const Rect& rect, int width, int height, int fitMode) {
  const Point a = dc.LPtoDP({rect.left, rect.top}), b = dc.LPtoDP({rect.right, rect.bottom});
  Rect device{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  rpt::FitRectToAspect(device, width, height, fitMode);
  const Point c = dc.DPtoLP({device.left, device.top});
  const Point d = dc.DPtoLP({device.right, device.bottom});
  return {c.x, c.y, d.x, d.y};
}

// A light grey box with text in it, in the caption font.
void GreyBox(ReportDevice& dc, const Rect& box, const Rect& textRect, const std::string& text,
             unsigned format) {
  const rpt::LogBrush grey{kLightGrey, false};
  dc.FillRect(box, &grey);
  const rpt::LogFont previous = dc.SelectFont(PhotoCaptionFont());
  dc.DrawText(text, textRect, format);
  dc.SelectFont(previous);
}

}  // namespace

int CReportGenerator::DrawPicture(int owner, int ownerKind, ReportDevice* dc, Rect* rect,
                                  int /*option1*/, int option2, const CMultimediaItem* item) {
  if (rect == nullptr || dc == nullptr) return 0;
  CMultimediaList looked;
  if (item == nullptr) {
    looked = DbGetDefaultMultimedia(owner, ownerKind);
    item = looked.get();
  }
  if (item == nullptr || item->kind != CMultimediaItem::kPhoto) return 1;
  const bool report = owner > 0 && photoFailures_.count(owner) == 0;
  auto failed = [&] {
    if (report) photoFailures_.insert(owner);
    return 2;
  };
  if (!rtf_) {
    int width = 0, height = 0;
    if (rpt::ReportPreviewShown() && GetPreviewPhotoPlaceholder() != 0 &&
        item->GetCroppedSize(width, height)) {
      // "Use photo placeholders": the preview shows where each photo goes.
      *rect = FitLogicalRect(*dc, *rect, width, height, option2);
      GreyBox(*dc, *rect, *rect, res::LoadString(res::kIdsPhoto),
              rpt::DT_CENTER | rpt::DT_VCENTER | rpt::DT_SINGLELINE);
      return 0;
    }
    Rect drawn = *rect;
    if (dc->DrawPhoto(*item, drawn, option2, report) == 0) {
      // The photo's area says that it could not be printed.
      Rect text = *rect;
      text.top = std::min(rect->top, rect->top - std::abs(rect->Width()) / 2 + 150);
      GreyBox(*dc, *rect, text, res::LoadString(res::kIdsUnableToPrintPhoto),
              rpt::DT_CENTER | rpt::DT_WORDBREAK);
      return failed();
    }
    *rect = drawn;
    return 0;
  }
  const Point a = dc->LPtoDP({rect->left, rect->top}), b = dc->LPtoDP({rect->right, rect->bottom});
  Rect device{a.x, a.y, b.x, b.y};
  if (dc->FitPhoto(*item, device, option2, report) == 0) return failed();
  const Point c = dc->DPtoLP({device.left, device.top});
  const Point d = dc->DPtoLP({device.right, device.bottom});
  *rect = {c.x, c.y, d.x, d.y};
  const Rect t = RectToTwips(dc, *rect, true);
  pagePictures_.AddElement(std::make_unique<CRTFImage>(item->GetFullPath(), t.left, t.top,
                                                       t.right - t.left, t.bottom - t.top));
  return 0;
}

// ---------------------------------------------------------------- page cycle

Rect CReportGenerator::SetPageMargins(ReportDevice* dc, const Rect& margins) {
  if (rtf_ && !pageSetUp_) {
    if (!paperSet_ && dc != nullptr && dc->GetDeviceCaps(rpt::LOGPIXELSX) > 0 &&
        dc->GetDeviceCaps(rpt::LOGPIXELSY) > 0 && dc->GetDeviceCaps(rpt::PHYSICALWIDTH) > 0 &&
        dc->GetDeviceCaps(rpt::PHYSICALHEIGHT) > 0) {
      paperWidth_ =
          dc->GetDeviceCaps(rpt::PHYSICALWIDTH) * 1440 / dc->GetDeviceCaps(rpt::LOGPIXELSX);
      paperHeight_ =
          dc->GetDeviceCaps(rpt::PHYSICALHEIGHT) * 1440 / dc->GetDeviceCaps(rpt::LOGPIXELSY);
    }
    document_.SetPaperSize(paperWidth_, paperHeight_);
    margins_ = RectToTwips(dc, margins, false);
    document_.SetMargins(margins_.left, margins_.top, margins_.right, margins_.bottom);
    pageSetUp_ = true;
  }
  return margins_;
}

int CReportGenerator::FlushPage(bool pageBreak) {
  if (!rtf_) return 0;
  for (CRTFDocument* page : {&pageShapes_, &pageTexts_, &pagePictures_}) {
    for (auto e = page->FirstElement(); e != nullptr; e = page->NextElement()) {
      document_.AddElement(std::move(e));
    }
    page->Clear();
  }
  if (pageBreak) document_.AddElement(std::make_unique<CRTFCode>(kPageBreakCode));
  return 1;
}

void CReportGenerator::FinishRTFDocument(ReportDevice* dc, const CPrintInfo* info) {
  if (!rtf_ || info == nullptr || !info->continuePrinting) return;
  FlushPage(false);
  SaveAndOpenRTF(dc, info);
}

void CReportGenerator::SaveAndOpenRTF(ReportDevice*, const CPrintInfo* info) {
  if (!rtf_ || info == nullptr || !info->continuePrinting) return;
  CRTFFile file;
  if (!file.Open(outputPath_)) {
    ShowFileError(file.ErrorCause());
    return;
  }
  int result = document_.Write(file);
  if (!file.Close()) result = 0;
  if (result != 0) {
    OpenFile(outputPath_);
  } else {
    RemoveRegularFile(outputPath_);
  }
}

void CReportGenerator::ShowFileError(int cause) {
  plat::MessageBox(GetFileErrorText(cause), {}, plat::kMbOk | plat::kMbIconStop);
}

void CReportGenerator::OpenFile(const std::string& path) { plat::Shell().Open(path); }

// ---------------------------------------------------------------- list pages

int CReportGenerator::SetHeaderTitle(ReportDevice* dc, int x, int y, const std::string& title) {
  if (!rtf_) return dc != nullptr ? dc->TextOut(x, y, title) : 0;
  headerTitle_ = MakeText(dc, title + "\r\r", CRTFText::kCentre);
  return 1;
}

int CReportGenerator::SetFooterText(ReportDevice* dc, int x, int y, const std::string& text) {
  if (!rtf_) return dc != nullptr ? dc->TextOut(x, y, text) : 0;
  footerText_ = MakeText(dc, "\t" + text, CRTFText::kNone);
  return 1;
}

int CReportGenerator::SetFooterPageNumber(ReportDevice* dc, int x, int y, const std::string& text) {
  if (!rtf_) return dc != nullptr ? dc->TextOut(x, y, text) : 0;
  // The word processor numbers the pages.
  footerPageNumber_ =
      MakeText(dc, "\t" + rtf::QuoteBackslashes(res::LoadString(res::kIdsPage)) + " \\chpgn \r",
               CRTFText::kNone);
  footerPageNumber_->SetRaw(true);
  return 1;
}

const CRTFColumnLayout* CReportGenerator::FinishedLayout(int index) const {
  if (index < 0 || index >= static_cast<int>(layouts_.size())) return nullptr;
  return layouts_[static_cast<std::size_t>(index)].get();
}

void CReportGenerator::WriteRTFListHeader(ReportDevice* dc, const CPrintInfo* info,
                                          bool keepLayout) {
  if (!rtf_ || info == nullptr) return;
  if (info->currentPage >= 2) {
    // Page 1 made the one header of the whole list.
    headingLines_.clear();
    headerTitle_.reset();
    layout_.reset();
    return;
  }
  if (!keepLayout && layout_ != nullptr) layouts_.push_back(std::move(layout_));
  auto header = std::make_unique<CRTFHeader>(std::move(headerTitle_), nullptr);
  const CRTFColumnLayout* layout = nullptr;
  for (std::size_t i = 0; i < headingLines_.size(); ++i) {
    if (const CRTFColumnLayout* own = FinishedLayout(static_cast<int>(i))) layout = own;
    if (layout == nullptr) continue;
    header->AddChild(std::make_unique<CRTFTabSet>(layout->BuildTabStops(margins_.left)));
    if (i + 1 == headingLines_.size()) {
      header->AddChild(std::make_unique<CRTFCode>(kHeaderRuleCode));
    }
    WriteColumnRow(dc, *header, layout, *headingLines_[i]);
  }
  headingLines_.clear();
  document_.SetMargins(margins_.left, margins_.top, margins_.right, margins_.bottom);
  document_.AddElement(std::move(header));
}

void CReportGenerator::WriteRTFFooter(const CPrintInfo* info) {
  if (!rtf_ || info == nullptr) return;
  if (info->currentPage >= 2) {
    footerText_.reset();
    footerPageNumber_.reset();
    layout_.reset();
    return;
  }
  const int w = document_.PageWidth(), l = margins_.left, r = margins_.right;
  auto footer = std::make_unique<CRTFFooter>(
      std::make_unique<CRTFTabSet>(rtf::Format("%d|c %d|r", (w - l) / 2, w - r - l)),
      std::make_unique<CRTFCode>(kFooterRuleCode));
  if (footerText_ != nullptr) footer->AddChild(std::move(footerText_));
  if (footerPageNumber_ != nullptr) footer->AddChild(std::move(footerPageNumber_));
  document_.AddElement(std::move(footer));
}

int CReportGenerator::AddColumnHeading(int id, char alignment, int left, int right,
                                       ReportDevice* dc, int x, int y, const std::string& heading) {
  if (!rtf_) return dc != nullptr ? dc->TextOut(x, y, heading) : 0;
  const Rect r = RectToTwips(dc, {left, 0, right, 0}, true);
  if (layout_ == nullptr) layout_ = std::make_unique<CRTFColumnLayout>();
  CRTFColumnSpan span(id, r.left, r.right, alignment);
  if (layout_->FindById(span) < 0) layout_->InsertSorted(std::make_unique<CRTFColumnSpan>(span));
  if (headingLine_ == nullptr) headingLine_ = std::make_unique<CPersistentArray>();
  headingLine_->InsertSorted(std::make_unique<CRTFReportColumnHeaderEntry>(id, heading));
  return 1;
}

int CReportGenerator::AddColumnHeadingExt(int id, char alignment, int left, int right,
                                          ReportDevice* dc, int x, int y, unsigned options,
                                          const Rect* clip, const std::string& heading,
                                          const int* widths) {
  if (!rtf_) return dc != nullptr ? dc->ExtTextOut(x, y, options, clip, heading, widths) : 0;
  return AddColumnHeading(id, alignment, left, right, dc, x, y,
                          clip != nullptr ? FitTextToWidth(dc, *clip, heading) : heading);
}

int CReportGenerator::AddColumnHeadingExtChars(int id, char alignment, int left, int right,
                                               ReportDevice* dc, int x, int y, unsigned options,
                                               const Rect* clip, const char* heading, int length,
                                               const int* widths) {
  return AddColumnHeadingExt(id, alignment, left, right, dc, x, y, options, clip,
                             heading != nullptr ? std::string(heading, std::max(length, 0)) : "",
                             widths);
}

void CReportGenerator::EndHeadingLine(int, bool endOfLayout) {
  if (!rtf_ || headingLine_ == nullptr) return;
  headingLines_.push_back(std::move(headingLine_));
  if (endOfLayout && layout_ != nullptr) layouts_.push_back(std::move(layout_));
}

int CReportGenerator::AddColumnText(int id, ReportDevice* dc, int x, int y,
                                    const std::string& text) {
  if (!rtf_) return dc != nullptr ? dc->TextOut(x, y, text) : 0;
  row_.InsertSorted(std::make_unique<CRTFReportColumnEntry>(id, text));
  return 1;
}

int CReportGenerator::AddColumnTextExt(int id, ReportDevice* dc, int x, int y, unsigned options,
                                       const Rect* clip, const std::string& text,
                                       const int* widths) {
  if (!rtf_) return dc != nullptr ? dc->ExtTextOut(x, y, options, clip, text, widths) : 0;
  return AddColumnText(id, dc, x, y, clip != nullptr ? FitTextToWidth(dc, *clip, text) : text);
}

int CReportGenerator::AddColumnTextExtChars(int id, ReportDevice* dc, int x, int y,
                                            unsigned options, const Rect* clip, const char* text,
                                            int length, const int* widths) {
  return AddColumnTextExt(id, dc, x, y, options, clip,
                          text != nullptr ? std::string(text, std::max(length, 0)) : "", widths);
}

void CReportGenerator::WriteListRow(ReportDevice* dc, int layoutIndex) {
  if (!rtf_) return;
  const CRTFColumnLayout* layout = FinishedLayout(layoutIndex);
  if (layoutIndex != lastLayoutWritten_ && layout != nullptr) {
    document_.AddElement(std::make_unique<CRTFTabSet>(layout->BuildTabStops(margins_.left)));
    lastLayoutWritten_ = layoutIndex;
  }
  WriteColumnRow(dc, document_, layout, row_);
}

void CReportGenerator::WriteColumnRow(ReportDevice* dc, CRTFObject& container,
                                      const CRTFColumnLayout* layout, CPersistentArray& row) {
  if (layout == nullptr) return;
  FontAttributes a;
  GetRTFFontAttributes(dc, a);
  std::string line;
  int previous = -1;
  const int origin = layout->GetTabOrigin(margins_.left);
  for (int i = 0; i < row.GetSize(); ++i) {
    const auto* entry = dynamic_cast<const CRTFReportObject*>(row.GetAt(i));
    if (entry == nullptr) continue;
    const int index = entry->GetColumnIndex(layout, origin);
    const CRTFColumnSpan* span = index >= 0 ? layout->Span(index) : nullptr;
    if (span == nullptr) continue;
    if (index > previous) {
      const bool atOrigin = span->Alignment() == 'l' && span->Left() == origin;
      if (!atOrigin) line.append(static_cast<std::size_t>(index - previous), '\t');
      previous = index;
    }
    line += entry->GetText();
  }
  if (!line.empty()) {
    container.AddChild(std::make_unique<CRTFText>(line + "\r", a.font, a.halfPoints, a.bold,
                                                  a.italic, a.underline, CRTFText::kNone, false));
  }
  row.RemoveAll();
}

int CReportGenerator::FindColumnById(const CRTFColumnSpan& span, int layoutIndex) const {
  const CRTFColumnLayout* layout = FinishedLayout(layoutIndex);
  return layout != nullptr ? layout->FindById(span) : -1;
}

int CReportGenerator::FindColumnContaining(const CRTFColumnSpan& span, int layoutIndex) const {
  const CRTFColumnLayout* layout = FinishedLayout(layoutIndex);
  return layout != nullptr ? layout->FindContaining(span) : -1;
}
