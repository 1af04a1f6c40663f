#pragma once
// The page generator of the prepared lists: Unlinked Individuals (100),
// Duplicates (101), the Sorted Individuals Lists (102, 103), Sorted
// Marriages (104), the End-of-Line Report (106), Missing Individual
// Ordinances (112), Missing Marriage Sealings (113) and Possible Record
// Problems (105), and the Custom Report (8) once its layout is set. Every page shares one
// frame: the title, two heading rows over two rules, the lines at 162
// units, shading, and a footer with the date and the page number. The page
// data (work file and page entries) is read afresh for every page, so pages
// may be drawn in any order and more than once.

#include <cstdint>
#include <string>
#include <vector>

#include "CustomReport.h"
#include "ReportJob.h"

class CIndividualRecord;

class CListPagesGenerator : public CReportPageGenerator {
 public:
  static constexpr int kLineHeight = 162;

  CListPagesGenerator(int kind, std::int32_t startRin) : kind_(kind), startRin_(startRin) {}

  void BeginPrinting(rpt::ReportDevice* dc, CPrintInfo* info) override;
  int PrintPage(CReportJob& job, CPrintInfo* info) override;
  void EndPrinting(rpt::ReportDevice* dc, CPrintInfo* info) override;

  // Draws one page on dc; job null draws no "Printed by" line.
  void DrawPage(rpt::ReportDevice* dc, CPrintInfo* info, CReportJob* job);
  // Preview: no "Printed by" line, and no shading when Reports/Hide Shade is set.
  void SetPreviewing(bool previewing) { previewing_ = previewing; }
  // Paper size in thousandths of an inch when the device cannot tell.
  void SetPaper(int width, int height) {
    paperWidth_ = width;
    paperHeight_ = height;
  }
  // Lines per page for a printable height.
  static int LinesPerPage(int height) { return (height - 950) / kLineHeight; }

  int Kind() const { return kind_; }
  // The custom report's layout (kind 8); not owned, kept for the run.
  void SetCustomLayout(const CCustomReportLayout* layout) { layout_ = layout; }
  // The custom report's line records that fit on a page of dc between its
  // headings and its footer, in the fonts of a run.
  static int CustomLinesPerPage(rpt::ReportDevice* dc, const CCustomReportLayout& layout);
  // The custom report's rows on a page of dc: the row of each column and
  // the rows above the footer.
  static rpt::CustomRowPlan CustomRows(rpt::ReportDevice* dc, const CCustomReportLayout& layout);

 private:
  struct Geometry {
    int left = 0, top = 0, right = 0, bottom = 0, width = 0, height = 0;
    int lines = 0, firstLine = 0;
  };
  // Where the custom report's columns and rows go on a page.
  struct CustomPlan {
    struct Place {
      int row = 0, left = 0, right = 0;
    };
    std::vector<Place> places;
    int rows = 1;                  // rows of one line record
    int headRow = 0, bodyRow = 0;  // row heights
    int headTop = 0, headBottom = 0, firstRow = 0;
    int lines = 1;     // line records of all rows above the footer
    int pageRows = 1;  // rows above the footer
  };
  Geometry PageGeometry(rpt::ReportDevice* dc) const;
  void CreateFonts();
  CustomPlan PlanCustom(rpt::ReportDevice* dc, const Geometry& g) const;
  std::string Title() const;
  void DrawHeadings(rpt::ReportDevice* dc, const Geometry& g);
  void DrawFooter(rpt::ReportDevice* dc, CPrintInfo* info, const Geometry& g);
  void Shade(rpt::ReportDevice* dc, const Geometry& g, int y);
  bool Shading() const;

  // The columns every individual line starts with.
  void WriteIdAndName(rpt::ReportDevice* dc, const Geometry& g, int y,
                      const CIndividualRecord* record, std::int32_t rin, int nameRight);
  // A text fitted to its column [left, right] (a right-aligned one keeps a
  // gap at its left edge), so that it never runs into the next column.
  void WriteRight(rpt::ReportDevice* dc, int column, int left, int right, int y,
                  const std::string& text);
  void WriteLeft(rpt::ReportDevice* dc, int column, int left, int right, int y,
                 const std::string& text);
  void WriteDates(rpt::ReportDevice* dc, int y, const CIndividualRecord& record, int bornLeft,
                  int bornRight, int diedRight);
  void WriteRelated(rpt::ReportDevice* dc, const Geometry& g, int y, std::int32_t rin,
                    int mrinRight, bool spouseOrChildOnly);

  void DrawIndividualLines(rpt::ReportDevice* dc, const Geometry& g, int page);
  void DrawDuplicates(rpt::ReportDevice* dc, const Geometry& g, int page);
  void DrawMarriages(rpt::ReportDevice* dc, const Geometry& g, int page);
  void DrawSealings(rpt::ReportDevice* dc, const Geometry& g, int page);
  void DrawProblems(rpt::ReportDevice* dc, const Geometry& g, int page);
  // The custom report: its own headings, wrapped columns and row heights.
  void DrawCustom(rpt::ReportDevice* dc, CPrintInfo* info, CReportJob* job, int page);
  int ProblemColumn(const Geometry& g) const;

  int NameColumn(const Geometry& g) const;
  bool CustomIds() const;

  int kind_;
  std::int32_t startRin_;
  bool previewing_ = false;
  int paperWidth_ = 8500, paperHeight_ = 11000;
  rpt::LogFont titleFont_, headingFont_, bodyFont_, footerFont_;
  rpt::LogBrush shade_;
  const CCustomReportLayout* layout_ = nullptr;
};

namespace rpt {
// Registers the generators and passes of kinds 100-106, 112 and 113.
void RegisterMoreListReports();
}  // namespace rpt
