#pragma once
// CReportGenerator: the base of every report page generator. A generator
// draws through these operations, never on the device directly, so that one
// drawing code serves two outputs:
//  - device mode (no RTF output): each operation draws on the device it is
//    given, in thousandths of an inch with y growing upward;
//  - RTF mode: nothing is drawn; each operation becomes RTF elements kept per
//    page (texts, shapes, pictures) and moved into the report's document,
//    which is written to a file and opened at the end. The device then only
//    measures text, reports the selected font, pen and brush and converts the
//    printer's unprintable offset.

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "RTFColumns.h"
#include "RTFDocument.h"
#include "RTFElements.h"
#include "ReportDevice.h"

class CMultimediaItem;

// The state of a print run that the page operations read.
struct CPrintInfo {
  int currentPage = 1;
  int maxPage = 0xFFFF;
  bool continuePrinting = true;  // cleared when the user cancels
};

class CReportGenerator {
 public:
  // Codes that FlushPage and the list header and footer write.
  static constexpr const char* kPageBreakCode = "\\par \\pard \\par \\page \\par ";
  static constexpr const char* kHeaderRuleCode = "\\brdrb\\brdrs\\brdrw15\\brsp50";
  static constexpr const char* kFooterRuleCode = "\\brdrt\\brdrs\\brdrw15\\brsp150";

  CReportGenerator();
  virtual ~CReportGenerator();
  CReportGenerator(const CReportGenerator&) = delete;
  CReportGenerator& operator=(const CReportGenerator&) = delete;

  // RTF mode on or off.
  void SetRTFOutput(bool on) { rtf_ = on; }
  bool IsRTFMode() const { return rtf_; }
  // The file the RTF report is written to.
  void SetOutputFileName(const std::string& path) { outputPath_ = path; }
  const std::string& GetOutputFileName() const { return outputPath_; }
  // The paper in twips. Unless told, the RTF document takes the paper of
  // the device the pages are laid out on (portrait letter when it cannot
  // tell).
  void SetPaperSize(int widthTwips, int heightTwips) {
    paperWidth_ = widthTwips;
    paperHeight_ = heightTwips;
    paperSet_ = true;
  }

  // ---- units ----
  static rpt::Point PointToTwips(rpt::ReportDevice* dc, rpt::Point p, bool addPrinterOffset);
  static rpt::Rect RectToTwips(rpt::ReportDevice* dc, rpt::Rect r, bool addPrinterOffset);
  // Half-points of a font height in thousandths of an inch: |h*7200/50000|,
  // plus one above an exact half.
  static int HalfPointsOfHeight(int height);
  struct FontAttributes {
    int font = 0;
    int halfPoints = 20;
    bool bold = false;
    bool italic = false;
    bool underline = false;
  };
  // False (values left as they are) without a device or a readable font.
  bool GetRTFFontAttributes(rpt::ReportDevice* dc, FontAttributes& out);
  int GetRTFPenWidth(rpt::ReportDevice* dc, rpt::ColorRef* color);
  bool GetRTFBrushColor(rpt::ReportDevice* dc, rpt::ColorRef& color);

  // ---- virtual operations ----
  virtual CRTFDocument& GetDocument() { return document_; }
  virtual void SaveAndOpenRTF(rpt::ReportDevice* dc, const CPrintInfo* info);
  int TextOutEx(rpt::ReportDevice* dc, int, int x, int y, const char* text, int length) {
    return TextOut(dc, x, y, text, length);
  }
  int TextOutStringEx(rpt::ReportDevice* dc, int, int x, int y, const std::string& text) {
    return TextOutString(dc, x, y, text);
  }
  virtual int TextOut(rpt::ReportDevice* dc, int x, int y, const char* text, int length);
  virtual int TextOutString(rpt::ReportDevice* dc, int x, int y, const std::string& text);
  int DrawPictureEx(int owner, rpt::ReportDevice* dc, rpt::Rect* rect, int option1, int option2,
                    const CMultimediaItem* item, int ownerKind) {
    return DrawPicture(owner, ownerKind, dc, rect, option1, option2, item);
  }
  virtual int DrawPicture(int owner, int ownerKind, rpt::ReportDevice* dc, rpt::Rect* rect,
                          int option1, int option2, const CMultimediaItem* item);
  virtual int SetFooterText(rpt::ReportDevice* dc, int x, int y, const std::string& text);
  virtual void WriteRTFFooter(const CPrintInfo* info);

  // ---- text ----
  int TextOutPrintOnly(rpt::ReportDevice* dc, int x, int y, const std::string& text);
  int TextOutPrintOnlyChars(rpt::ReportDevice* dc, int x, int y, const char* text, int length);
  int DrawTextAligned(rpt::ReportDevice* dc, const std::string& text, rpt::Rect rect,
                      unsigned format);
  int ExtTextOutString(rpt::ReportDevice* dc, int x, int y, unsigned options, const rpt::Rect* clip,
                       const std::string& text, const int* widths);
  int ExtTextOut(rpt::ReportDevice* dc, int x, int y, unsigned options, const rpt::Rect* clip,
                 const char* text, int length, const int* widths);
  rpt::Size TabbedTextOut(rpt::ReportDevice* dc, int x, int y, const char* text, int length,
                          int tabCount, const int* tabStops, int tabOrigin);
  rpt::Size TabbedTextOutString(rpt::ReportDevice* dc, int x, int y, const std::string& text,
                                int tabCount, const int* tabStops, int tabOrigin);
  // The longest prefix narrower than the rectangle ("" without a device).
  std::string FitTextToWidth(rpt::ReportDevice* dc, rpt::Rect rect, const std::string& text);

  // ---- lines and shapes ----
  rpt::Point MoveTo(rpt::ReportDevice* dc, int x, int y);
  int LineTo(rpt::ReportDevice* dc, int x, int y);
  int Rectangle(rpt::ReportDevice* dc, const rpt::Rect& rect);
  int RectangleXY(rpt::ReportDevice* dc, int left, int top, int right, int bottom) {
    return Rectangle(dc, {left, top, right, bottom});
  }
  int FillRect(rpt::ReportDevice* dc, const rpt::Rect& rect, const rpt::LogBrush* brush);
  int FillRgn(rpt::ReportDevice* dc, const rpt::Region& region, const rpt::LogBrush& brush);
  int Arc(rpt::ReportDevice* dc, const rpt::Rect& bounds, int x1, int y1, int x2, int y2);
  int ArcXY(rpt::ReportDevice* dc, int left, int top, int right, int bottom, int x1, int y1, int x2,
            int y2) {
    return Arc(dc, {left, top, right, bottom}, x1, y1, x2, y2);
  }
  rpt::Point MoveToPrintOnly(rpt::ReportDevice* dc, int x, int y);
  int LineToPrintOnly(rpt::ReportDevice* dc, int x, int y);
  int FillRectPrintOnly(rpt::ReportDevice* dc, const rpt::Rect* rect, const rpt::LogBrush* brush);
  int RectanglePrintOnly(rpt::ReportDevice* dc, const rpt::Rect* rect);

  // ---- page cycle ----
  // The first call in RTF mode fixes the document's paper and margins
  // (logical units in, twips stored); every call answers the stored margins.
  rpt::Rect SetPageMargins(rpt::ReportDevice* dc, const rpt::Rect& margins);
  int FlushPage(bool pageBreak);
  void EndRTFPage() { FlushPage(true); }
  void FinishRTFDocument(rpt::ReportDevice* dc, const CPrintInfo* info);

  // ---- list pages ----
  int SetHeaderTitle(rpt::ReportDevice* dc, int x, int y, const std::string& title);
  int SetFooterPageNumber(rpt::ReportDevice* dc, int x, int y, const std::string& text);
  void WriteRTFListHeader(rpt::ReportDevice* dc, const CPrintInfo* info, bool keepLayout);
  int AddColumnHeading(int id, char alignment, int left, int right, rpt::ReportDevice* dc, int x,
                       int y, const std::string& heading);
  int AddColumnHeadingExt(int id, char alignment, int left, int right, rpt::ReportDevice* dc, int x,
                          int y, unsigned options, const rpt::Rect* clip,
                          const std::string& heading, const int* widths);
  int AddColumnHeadingExtChars(int id, char alignment, int left, int right, rpt::ReportDevice* dc,
                               int x, int y, unsigned options, const rpt::Rect* clip,
                               const char* heading, int length, const int* widths);
  void EndHeadingLine(int, bool endOfLayout);
  int AddColumnText(int id, rpt::ReportDevice* dc, int x, int y, const std::string& text);
  int AddColumnTextExt(int id, rpt::ReportDevice* dc, int x, int y, unsigned options,
                       const rpt::Rect* clip, const std::string& text, const int* widths);
  int AddColumnTextExtChars(int id, rpt::ReportDevice* dc, int x, int y, unsigned options,
                            const rpt::Rect* clip, const char* text, int length, const int* widths);
  void WriteListRow(rpt::ReportDevice* dc, int layoutIndex);
  void WriteColumnRow(rpt::ReportDevice* dc, CRTFObject& container, const CRTFColumnLayout* layout,
                      CPersistentArray& row);
  int FindColumnById(const CRTFColumnSpan& span, int layoutIndex) const;
  int FindColumnContaining(const CRTFColumnSpan& span, int layoutIndex) const;

  // The page's elements, for callers that inspect a page before it is flushed.
  CRTFDocument& PageTexts() { return pageTexts_; }
  CRTFDocument& PageShapes() { return pageShapes_; }
  CRTFDocument& PagePictures() { return pagePictures_; }
  const rpt::Rect& Margins() const { return margins_; }
  // Owners whose photo failed to load in this run (reported once each).
  const std::set<int>& PhotoFailures() const { return photoFailures_; }

 protected:
  // Hooks of saving: the file error, opening the written file.
  virtual void ShowFileError(int cause);
  virtual void OpenFile(const std::string& path);

 private:
  std::unique_ptr<CRTFText> MakeText(rpt::ReportDevice* dc, const std::string& text, int alignment);
  void AddShape(std::unique_ptr<CRTFObject> shape) { pageShapes_.AddElement(std::move(shape)); }
  const CRTFColumnLayout* FinishedLayout(int index) const;

  bool rtf_ = false;
  CRTFDocument document_;
  CRTFDocument pageTexts_;
  CRTFDocument pageShapes_;
  CRTFDocument pagePictures_;
  bool pageSetUp_ = false;
  rpt::Point current_;  // twips, RTF mode
  std::unique_ptr<CRTFColumnLayout> layout_;
  std::vector<std::unique_ptr<CRTFColumnLayout>> layouts_;
  int lastLayoutWritten_ = -1;
  std::unique_ptr<CPersistentArray> headingLine_;
  std::vector<std::unique_ptr<CPersistentArray>> headingLines_;
  CPersistentArray row_;
  rpt::Rect margins_;  // twips
  std::unique_ptr<CRTFText> headerTitle_;
  std::unique_ptr<CRTFText> footerText_;
  std::unique_ptr<CRTFText> footerPageNumber_;
  std::string outputPath_;
  int paperWidth_ = CRTFDocument::kLetterWidth;
  int paperHeight_ = CRTFDocument::kLetterHeight;
  bool paperSet_ = false;
  std::set<int> photoFailures_;
};
