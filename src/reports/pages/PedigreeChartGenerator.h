#pragma once
// Draws the pages the Pedigree Chart pass made: chart pages (the tree of one
// chart with its boxes, position numbers, "same as" boxes and continuation
// numbers) and index pages (one row per placed person), through the
// generator base so that printer, preview and RTF get the same page.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "PedigreePagination.h"

#include "FamilyFileInfo.h"
#include "ReportJob.h"

class CIndividualRecord;

namespace rpt {

// Layout constants in thousandths of an inch; the tests read them.
struct PedigreeLayoutConstants {
  int treeTop = 260;     // the tree's room starts this far below the top
  int numberRoom = 120;  // left of the first column: the position numbers
  int spareMax = 380;    // spare width set aside left of the first column at most
  // With ordinance letters the first column and the spare together are at
  // least ordinanceMin wide, else widened to ordinanceSet: room for the
  // letters' legend above the second column.
  int ordinanceMin = 1030, ordinanceSet = 1230;
  int lineGap = 100;      // between a column's line end and the next bracket
  int nameIndent = 15;    // a box's text starts this far right of its column's x
  int numberGap = 30;     // between a continuation number and its box
  int indexTop = 1000;    // first index row below the top
  int indexBottom = 200;  // index rows end this far above the bottom margin
  int indexNameColumn = 1000;
  // The fixed-position chart's points of persons 1 .. 15.
  std::array<std::array<int, 2>, 15> fixedPoints = {{{875, -7500},
                                                     {3125, -5625},
                                                     {3125, -9376},
                                                     {5500, -4688},
                                                     {5500, -6501},
                                                     {5500, -8438},
                                                     {5500, -10313},
                                                     {7750, -4188},
                                                     {7750, -5125},
                                                     {7750, -6063},
                                                     {7750, -7000},
                                                     {7750, -7938},
                                                     {7750, -8938},
                                                     {7750, -9813},
                                                     {7750, -10751}}};
  int fixedTextWidth = 1675;
  // What the fixed-position chart needs: to the right end of the last
  // column's text blocks, and below the last person's three lines.
  int fixedDesignWidth = 7750 + 100 + 1675;
  int fixedDesignHeight = 10751 + 100 + 400;
  int preparedWidth = 3000;  // the "Prepared by" frame at most
  int preparedHeight = 1020;
  int preparedRule = 300;  // the rule across, above the bottom
  // The blank form, designed for 8000 by 10050: the y of the lines of
  // positions 1 .. 15 (the spouse's line apart) and the x where each
  // column's lines start.
  std::array<int, 15> formLineY = {-4950, -2800, -7300, -1850, -3750, -5650, -7550, -1300,
                                   -2400, -3200, -4300, -5100, -6200, -7000, -8100};
  int formSpouseY = -6790;
  std::array<int, 4> formColumnX = {550, 1050, 1050 + 2340, 1050 + 4600};
  std::array<int, 4> formColumnEnd = {3150, 1050 + 2340, 1050 + 4600, 1050 + 6500};
  int formLabelStep = 167;
  int formLetterStep = 140;   // the ordinance letters beside a box, one under the other
  int formLetterInset = 300;  // their x: this far left of the line's end, clear of the next
                              // column's position numbers
  int formPrintedByY = -10350;
  // The chart page's ordinance legend: its top and the letters' spacing.
  int legendTop = 500;  // below the top
  int legendStep = 140;
  int legendMeaningX = 160;      // a meaning's x after its letter
  int relationLegendRoom = 166;  // the bottom margin grows by this for the relationship legend
  // Photos: the margin round a photo box and the smallest box kept.
  int photoMargin = 25;
  int photoMinWidth = 120, photoMinHeight = 160;
};
const PedigreeLayoutConstants& PedigreeLayout();

// A report font as the options describe it.
struct PedigreeFont {
  std::string face = "Arial";
  int points = 8;
  int weight = 400;
  bool italic = false;
};

// What the generator shows beside the run itself.
struct PedigreeChartOptions {
  // Page margins in thousandths of an inch (PedRpt "PageLM" ...).
  int marginLeft = 700, marginTop = 300, marginRight = 300, marginBottom = 300;
  // The chart's fonts; the names font also prints the index rows, the
  // headings font the index headings. The blank form has fonts of its own.
  PedigreeFont titleFont{"Arial", 16, 800}, startNameFont{"Arial", 10, 700},
      nameFont{"Arial", 9, 700}, eventFont{"Arial", 8, 400}, headingFont{"Arial", 8, 700};
  bool suppressNumbers = false;  // no numbers beside names, on marriage lines or in the index
  // The number beside a name and in the index: the RIN, the custom ID or
  // the SBN.
  enum NumberKind { kRin = 1, kId = 2, kSbn = 3 };
  int numberKind = kRin;
  bool showOrdinances = false;     // the B, E, P letters on the name line
  bool fixedPositions = false;     // the "VIP" chart: 15 persons at fixed points, nothing else
  bool split = false;              // "Split": the last generation may stand beside its child
  bool relationshipCodes = false;  // "RelInd": {A} {G} {S} {C} {D} after a name
  bool multipleParents = false;    // "ParInd": {+} after a name with several parent families
  // Photos in the boxes: beside the text (place 0) or above it (any other
  // place), at most photoWidth by photoHeight; with reservePhotoSpace a
  // person without a photo gets an empty frame.
  bool photos = false;
  int photoPlace = 3;
  int photoWidth = 1000, photoHeight = 1000;
  bool reservePhotoSpace = true;
  // The "Prepared by" block's preparer; null prints only today's date.
  const CFamilyFileInfo* preparer = nullptr;
};

class CPedigreeChartGenerator : public CReportPageGenerator {
 public:
  CPedigreeChartGenerator(const PedigreeRunParameters& run, const PedigreeChartOptions& options);

  // Keeps a copy of the preparer for the "Prepared by" block.
  void SetPreparer(const CFamilyFileInfo& preparer);
  const PedigreeRunParameters& Run() const { return run_; }
  const PedigreeChartOptions& Options() const { return options_; }

  // The report job's calls.
  void BeginPrinting(ReportDevice* dc, CPrintInfo* info) override;
  int PrintPage(CReportJob& job, CPrintInfo* info) override;
  // Frees the pass's pages (kept while the preview's Print prints them),
  // then writes the RTF document when there is one.
  void EndPrinting(ReportDevice* dc, CPrintInfo* info) override;

  // Fonts and the column layout; shows message 3489 once when the columns
  // are narrower than a box.
  void BeginPrinting(ReportDevice& dc);
  // Draws page (from 1); a page without an entry draws nothing. In RTF
  // mode every page but the last of the run ends its RTF page.
  void DrawPage(ReportDevice& dc, int page, bool lastPage = true);
  // Frees the pass's pages and files.
  void EndPrinting();

  // The boxes of one generation: their x (where the lines start), width,
  // pitch, text lines per box and photo box (0 by 0 without one). The root
  // shares the first column with his parents, so a chart of g generations
  // has g - 1 columns; split, the last generation's mothers (generation
  // g + 1 here) have a column of their own.
  struct Column {
    int x = 0, width = 0, pitch = 0, lines = 0;
    int photoWidth = 0, photoHeight = 0;
  };
  const Column& ColumnAt(int generation) const { return columns_[generation - 1]; }
  int ColumnCount() const { return columnCount_; }
  // Where the root's line starts, left of his parents' bracket.
  int RootLineX() const { return rootLineX_; }
  bool SpaceMessageShown() const { return spaceMessageShown_; }
  // Whether the last generation is split (fathers and mothers side by side).
  bool Split() const { return split_; }

 private:
  void DrawChartPage(ReportDevice& dc, const PedigreeChartRecord& chart);
  void DrawIndexPage(ReportDevice& dc, std::uint32_t first, int page);
  void DrawFixedChart(ReportDevice& dc);
  void DrawPreparedBy(ReportDevice& dc);
  void DrawBlankForm(ReportDevice& dc);
  // Draws the person at position of chart and his ancestors on it; family
  // is the marriage in which he is a parent on this chart.
  void DrawPerson(ReportDevice& dc, const PedigreeChartRecord& chart, std::int32_t rin,
                  std::int32_t family, std::int32_t position, int column,
                  std::int64_t& nextContinuation);
  // The event lines of a box from lineY down, at textX; the marriage line
  // for a husband or the root.
  void DrawEventLines(ReportDevice& dc, const Column& c, const CIndividualRecord& person,
                      std::int32_t family, bool husband, int textX, int right, int lineY);
  // The person's photo (or its reserved frame) in the column's photo box
  // under the line at y; answers how far the text moves right (beside) or
  // down (above).
  int DrawPhoto(ReportDevice& dc, const Column& c, std::int32_t rin, int y, bool& beside);
  void DrawOrdinanceLegend(ReportDevice& dc);
  int BoxY(std::int32_t position, int column) const;
  // How far a box of the column reaches under its line: its event lines and
  // photo.
  int BoxDepth(const Column& c) const;
  void RightText(ReportDevice& dc, int right, int y, const std::string& text);
  // The number printed beside a person, empty when none is shown.
  std::string NumberOf(const CIndividualRecord& person, std::int32_t rin) const;

  PedigreeRunParameters run_;
  PedigreeChartOptions options_;
  LogFont titleFont_, nameFont_, startNameFont_, eventFont_, boldFont_, numberFont_, headingFont_;
  std::array<Column, 7> columns_{};  // by generation; a split chart's mothers last
  int columnCount_ = 0, rootLineX_ = 0;
  bool split_ = false;
  int left_ = 0, right_ = 0, top_ = 0, bottom_ = 0, eventHeight_ = 0, nameHeight_ = 0;
  int indexLines_ = 1;
  bool spaceMessageShown_ = false;
  int relationFlags_ = 0;  // the relationship codes printed on the page
  std::optional<CFamilyFileInfo> ownPreparer_;
};

}  // namespace rpt
