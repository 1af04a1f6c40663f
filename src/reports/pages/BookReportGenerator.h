#pragma once
// CBookReportGenerator: the pages of both books (the Ahnentafel and the
// Modified Register). A page is drawn from its page entry by walking the
// book's blocks from where the page begins, exactly as the paginator
// measured them. On paper and in the preview every operation draws at once;
// in RTF mode the book becomes flowing word-processor text: each printed
// line one tab set and one indented paragraph with its number hanging left,
// hidden index entries for the word processor's index, and a page break at
// the end of each page. The word processor is held to the printed page: each
// line is set exactly a printed line high, the space above a line is an empty
// paragraph of exactly that height, and a line has room past the right margin,
// since the word processor sets text a little wider (its font sizes are whole
// half-points): so it breaks no line of the book's again and fills no page
// further than the printer.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BookPagination.h"
#include "ReportJob.h"

class CBookReportGenerator : public CReportPageGenerator {
 public:
  explicit CBookReportGenerator(bool modifiedRegister) : register_(modifiedRegister) {}

  void BeginPrinting(rpt::ReportDevice* dc, CPrintInfo* info) override;
  int PrintPage(CReportJob& job, CPrintInfo* info) override { return DrawPage(job.DC(), info); }
  // Ends the run: the RTF document is written, and the book's pages are
  // freed unless the preview's Print is about to print them.
  void EndPrinting(rpt::ReportDevice* dc, CPrintInfo* info) override;

  // Draws info->currentPage.
  int DrawPage(rpt::ReportDevice* dc, CPrintInfo* info);

  // ---- book output operations ----
  int TextOut(rpt::ReportDevice* dc, int x, int y, const char* text, int length) override;
  // RTF: a run of the current line's body.
  int TextOutString(rpt::ReportDevice* dc, int x, int y, const std::string& text) override;
  int SetFooterText(rpt::ReportDevice* dc, int x, int y, const std::string& text) override;
  // RTF: a linked picture in the text flow.
  int DrawPicture(int owner, int ownerKind, rpt::ReportDevice* dc, rpt::Rect* rect, int option1,
                  int option2, const CMultimediaItem* item) override;
  // The photo box of a block whose top line is at y; an empty frame when no
  // photo could be drawn and space is reserved.
  void DrawBlockPhoto(rpt::ReportDevice* dc, const rpt::BookBlock& block, int y);
  void WriteRTFFooter(const CPrintInfo* info) override;
  // A number or label left of the line's text: 'r' ends at x + its width
  // (right-aligned, after a tab), 'l' starts at x.
  void AddLinePrefix(rpt::ReportDevice* dc, char align, int x, int y, const std::string& text);
  // RTF: the line's tab set and its paragraph.
  void EndBookLine(rpt::ReportDevice* dc);
  // RTF: an empty paragraph halfLines half-lines high.
  void AddParagraphBreak(rpt::ReportDevice* dc, int halfLines = 1);
  void AddPageBreak(rpt::ReportDevice* dc);
  void DrawCentredLine(rpt::ReportDevice* dc, int x, int y, const std::string& text);
  void SetFooterCentreText(rpt::ReportDevice* dc, int x, int y, const std::string& text);
  void SetBookFooterPageNumber(rpt::ReportDevice* dc, int x, int y, const std::string& text);
  // RTF: a hidden index entry of the individual (nothing for RIN 0).
  void AddIndexMark(rpt::ReportDevice* dc, std::int32_t rin);
  // RTF: the index entry of the spouse of rin in marriage mrin.
  void AddSpouseIndexMark(rpt::ReportDevice* dc, std::int32_t mrin, std::int32_t rin);

  // The page geometry of the last page drawn (thousandths of an inch).
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Bottom() const { return bottom_; }

  // Draws tagged text from x in the fonts of set, starting in style; answers
  // the x after it.
  int DrawTaggedText(rpt::ReportDevice* dc, rpt::CStyleFontSet& set, int x, int y,
                     std::string_view text, std::uint8_t style);

 private:
  class PageSink;
  void DrawFooter(rpt::ReportDevice* dc, const CPrintInfo* info);
  void DrawIndexPage(rpt::ReportDevice* dc, const rpt::BookPageEntry& entry);
  // A text in the narrative's small font is a citation mark, raised; the
  // footer's texts (a font of the same size) never are.
  std::unique_ptr<CRTFText> MakeRtfText(rpt::ReportDevice* dc, const std::string& text,
                                        int alignment, bool marks = true);
  int Twips(rpt::ReportDevice* dc, int x);
  // RTF: the empty paragraph that brings the text down to y, where the next
  // line or picture of the page goes.
  void SpaceDownTo(rpt::ReportDevice* dc, int y);
  // RTF: the empty paragraphs of the page break next to no height.
  void FlattenPageBreak(rpt::ReportDevice* dc);

  bool register_;
  int left_ = 0, top_ = 0, bottom_ = 0, width_ = 0;
  // The RTF line being built.
  std::vector<std::unique_ptr<CRTFText>> prefixes_;
  std::vector<std::unique_ptr<CRTFText>> body_;
  std::string tabs_;
  int leftIndent_ = 0, firstIndent_ = 0;
  int lineY_ = 0;  // where the line being built is printed
  // Where the word processor's text has come down to on the page, below the
  // top of the text; and the height of a picture in the line being built.
  int rtfDown_ = 0;
  int pictureHeight_ = 0;
  std::unique_ptr<CRTFText> footerText_, footerCentre_, footerPage_;
};

namespace rpt {
// The life-year tag of the index: "(b.1900)", else christening "c", death
// "d", burial "bu"; "" when none of them has a year.
std::string FormatLifeYearTag(std::int32_t rin);
}  // namespace rpt
