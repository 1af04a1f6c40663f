#pragma once
// The pages of the Ancestry chart (kind 3) and the Descendants chart
// (kind 4), drawn from their pass. A standard chart is a run of one-line
// rows, generations indented to the right. A wall chart is a grid of boxes,
// one column a generation, printed as R x C tiles (R row pages of the pass,
// C = (deepest generation - 1) / generations per tile + 1 tile columns) with
// cut marks on the inner edges and a label on each tile, to be pasted
// together. Each page rebuilds the open branch its entry recorded and runs
// the pass's own walk for its rows, so page and pass always agree.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "AncestryChartPagination.h"
#include "ChartPageOptions.h"
#include "DescendantsChartPagination.h"
#include "ReportJob.h"

class CIndividualRecord;
class CMarriageRecord;

namespace rpt {

// Where a page of a wall chart falls: tile column and tile row, from 1.
struct ChartTile {
  int column = 1;
  int row = 1;
};
ChartTile WallChartTileOf(int page, int rowPages);
// Tile columns for the deepest generation.
int WallChartTileColumns(int deepest, int gensPerPage);

// The row's parenthesised events: "(b.1850;m.1874;d.1920)", "" without any.
struct ChartEventParts {
  std::string birth, marriage, death;  // "b.1850", "c.1850", "m.1874" ...
};
std::string JoinChartEvents(const ChartEventParts& parts);

// The ordinance letters of a box from the states of baptism, endowment,
// sealing to parents, sealing to spouse and children's ordinances (in that
// order): upper case when done (2), lower case when cleared or submitted
// (3), nothing for any other state.
std::string ChartOrdinanceLetters(const int (&states)[5]);

class CChartPagesGenerator : public CReportPageGenerator {
 public:
  CChartPagesGenerator(bool ancestry, const ChartPageOptions& options);

  // Fonts, page frame and row figures; the pass needs the rows it answers.
  void Measure(ReportDevice& dc);
  int FirstPageRows() const { return firstRows_; }
  int OtherPageRows() const { return otherRows_; }
  // Measure and the indent (which needs the pass's deepest generation).
  void BeginChart(ReportDevice& dc);
  // Page (from 1); every page but the last ends its RTF page.
  void DrawChartPage(ReportDevice& dc, int page, bool lastPage);
  void EndChart(ReportDevice* dc, const CPrintInfo* info);

  void BeginPrinting(ReportDevice* dc, CPrintInfo* info) override;
  int PrintPage(CReportJob& job, CPrintInfo* info) override;
  void EndPrinting(ReportDevice* dc, CPrintInfo* info) override;

  const ChartPageOptions& Options() const { return options_; }
  bool LargeArea() const { return large_; }
  int Indent() const { return indent_; }
  int RowPitch() const { return pitch_; }

 private:
  struct RowPlace {
    int top = 0, bottom = 0, middle = 0;
  };
  void DrawHeading(ReportDevice& dc, int page);
  void DrawStandardPage(ReportDevice& dc, int page);
  void DrawWallPage(ReportDevice& dc, int page);
  void DrawTileMarks(ReportDevice& dc, const ChartTile& tile, int columns, int rows);
  void DrawWallHeading(ReportDevice& dc, const ChartTile& tile, int columns);
  void DrawError(ReportDevice& dc);
  // Standard rows.
  void DrawAncestryRow(ReportDevice& dc, const AncestryChartWalk& walk, int row);
  void DrawDescendantsRow(ReportDevice& dc, const DescendantsChartWalk& walk, std::size_t index,
                          int page, int row);
  void DrawRowText(ReportDevice& dc, int x, int y, const std::string& prefix,
                   const std::string& name, bool primary, const std::string& rest);
  // Wall boxes.
  int ColumnX(int generation, int tileColumn) const;
  bool InTile(int generation, int tileColumn) const;
  RowPlace WallRow(int row, bool firstTileRow) const;
  void DrawWallBox(ReportDevice& dc, std::int32_t rin, std::int32_t marriage, int left, int right,
                   int middle, bool repeated);
  // The steps of a wall box.
  struct WallBoxLines;
  void DrawWallLine(WallBoxLines& lines, const std::string& text);
  Rect DrawWallBoxFrame(ReportDevice& dc, int left, int right, int middle);
  void DrawWallBoxPhoto(ReportDevice& dc, std::int32_t rin, Rect& text);
  void DrawWallPersonLines(WallBoxLines& lines, std::int32_t rin, const CIndividualRecord& person,
                           const CMarriageRecord* marriage);
  void DrawWallEventLine(WallBoxLines& lines, const std::string& letters,
                         const CIndividualRecord& person, const CMarriageRecord* marriage);
  void DrawWallExtraLine(WallBoxLines& lines, const std::vector<std::int32_t>& userEvents,
                         std::int32_t typeNumber, const std::string& label);
  void DrawWallZelInLine(WallBoxLines& lines, int lineY);
  void DrawWallZelLine(WallBoxLines& lines);
  void DrawWallNoteLines(WallBoxLines& lines, std::int32_t rin);
  void Line(ReportDevice& dc, int x1, int y1, int x2, int y2);

  std::string Title() const;
  std::string PersonName(std::int32_t rin) const;
  // With dc (its font the row's other font) each place is fitted to the
  // room left for the places; without it only to the characters allowed.
  ChartEventParts EventParts(std::int32_t rin, std::int32_t marriage, bool withMarriage,
                             bool places, int room, rpt::ReportDevice* dc = nullptr) const;
  // The text after a standard row's name: its events, the places fitted to
  // what the rest of the row leaves them up to the right margin, then after.
  std::string RowEvents(rpt::ReportDevice& dc, int x, const std::string& prefix,
                        const std::string& name, bool primary, std::int32_t rin,
                        std::int32_t marriage, bool withMarriage, const std::string& after) const;
  std::string Codes(std::int32_t rin, std::int32_t marriage);
  std::string SampleLine() const;

  bool ancestry_;
  ChartPageOptions options_;
  const ChartUnits* u_ = &kChartThousandths;
  bool large_ = false;
  bool previewing_ = false;  // Hide Shade leaves the shading out
  LogFont titleFont_, labelFont_, primaryFont_, otherFont_, smallFont_, boldFont_;
  int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0, width_ = 0, height_ = 0;
  int pitch_ = 1, rowsTop_ = 0, firstRows_ = 1, otherRows_ = 1, indent_ = 300;
  int headingBlock_ = 0;
  // Wall chart.
  int boxHeight_ = 1, columnWidth_ = 1, rowPages_ = 1, deepest_ = 1;
  WallChartMeasure measure_;
  // The extra event types (WCEvent1, WCEvent2) that exist: number and label.
  std::vector<std::pair<std::int32_t, std::string>> extraTypes_;
};

}  // namespace rpt
