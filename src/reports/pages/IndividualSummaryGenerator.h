#pragma once
// Draws the pages of the Individual Summary from the page entries of its
// pass. A page lays its individual out again with the pass's walk, so what
// it draws is exactly what the pass counted for that page, and draws each
// item through the generator base (printer, preview and RTF alike).

#include <cstdint>
#include <string>
#include <vector>

#include "IndividualSummaryLayout.h"
#include "ReportJob.h"

class CIndividualRecord;
class CIndividualNode;

namespace rpt {

// The title of a summary: prefix, the name when useName, suffix, with one
// blank between non-empty parts where neither side brings one.
std::string JoinSummaryTitle(const std::string& prefix, const std::string& name, bool useName,
                             const std::string& suffix);

// The walk set-up both the pass and the pages use for a device: the page
// inside the margins (less the family-group band), the body line height
// and the photo band.
SummaryWalkSetup MakeSummaryWalkSetup(ReportDevice* dc, const IndividualSummaryOptions& options);

class CIndividualSummaryGenerator : public CReportPageGenerator {
 public:
  explicit CIndividualSummaryGenerator(const IndividualSummaryOptions& options);

  void BeginPrinting(ReportDevice* dc, CPrintInfo*) override { CreateSummaryFonts(dc); }
  int PrintPage(CReportJob& job, CPrintInfo* info) override;
  void EndPrinting(ReportDevice* dc, CPrintInfo* info) override { EndSummaryPrinting(dc, info); }

  void CreateSummaryFonts(ReportDevice* dc);
  // Draws page (from 1); in RTF mode every page but the last ends its RTF page.
  int PrintSummaryPage(ReportDevice* dc, int page, bool lastPage);
  // Frees the pagination unless the preview's Print passes the pages on, then
  // finishes the RTF document.
  void EndSummaryPrinting(ReportDevice* dc, CPrintInfo* info);

  // The lowest y drawn on the last page (for tests of the bottom margin).
  int LowestY() const { return lowest_; }
  // The part, position and sub-position at which the last page drawn began.
  const SummaryLayout::Start& LastPageStart() const { return lastStart_; }
  // The footnote numbers printed on the last page, in drawing order.
  const std::vector<int>& LastPageNumbers() const { return numbers_; }

 private:
  struct Frame {
    int left = 0, top = 0, right = 0, width = 0, bottom = 0;
    int third = 0, dateCentre = 0, placeX = 0, descX = 0, motherX = 0, nameX = 0;
    int marriageDateX = 0, sealX = 0, span = 0, lineStep = 0;
  };
  void DrawTitle(ReportDevice* dc, const Frame& f, const CIndividualNode& node, bool firstPage,
                 int& bandBottom);
  void DrawItem(ReportDevice* dc, const Frame& f, const SummaryItem& item,
                const CIndividualRecord& record, const CIndividualNode& node,
                const SummaryPageEntry& entry);
  void DrawSummaryEventRow(ReportDevice* dc, const Frame& f, int kind, std::int32_t userEvent,
                           int y, const CIndividualRecord& record, const CIndividualNode& node,
                           const SummaryPageEntry& entry);
  void DrawSummaryParentRow(ReportDevice* dc, const Frame& f, std::int32_t link, int y);
  void DrawMarriageRow(ReportDevice* dc, const Frame& f, std::int32_t mrin, std::int32_t rin, int y,
                       const SummaryPageEntry& entry);
  void DrawNames(ReportDevice* dc, const Frame& f, int y, const CIndividualRecord& record,
                 const CIndividualNode& node);
  void DrawHeading(ReportDevice* dc, const Frame& f, int y, const std::string& text);
  void DrawNotesHeading(ReportDevice* dc, const Frame& f, int y, unsigned id, bool continued);
  void DrawTaggedLine(ReportDevice* dc, int x, int y, const std::string& text, std::uint8_t style);
  void DoubleRule(ReportDevice* dc, const Frame& f, int y);
  void Rule(ReportDevice* dc, int left, int right, int y);
  // The frame about a photo.
  void FramePhoto(ReportDevice* dc, const Rect& rect);
  // Draws the numbers (ascending, no repeats) raised after x in the number
  // font; answers the x after them.
  int DrawMarks(ReportDevice* dc, int x, int y, std::vector<std::int32_t> numbers);
  std::vector<std::int32_t> NumbersOf(char letter, std::int32_t owner,
                                      const SummaryPageEntry& entry);
  void Text(ReportDevice* dc, const LogFont& font, int x, int y, const std::string& text);
  void Note(int y) { lowest_ = std::min(lowest_, y); }
  std::string PersonName(std::int32_t rin, ReportDevice* dc, int width) const;

  IndividualSummaryOptions options_;
  LogFont titleFont_, sectionFont_, columnFont_, numberFont_, bodyFont_, boldFont_, italicFont_;
  int lowest_ = 0;
  SummaryLayout::Start lastStart_;
  std::vector<int> numbers_;
};

}  // namespace rpt
