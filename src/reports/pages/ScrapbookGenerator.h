#pragma once
// CScrapbookGenerator draws the Scrapbook (report kind 7): for each page's
// entry a title with the person's name and a grid of cells, each holding one
// of the person's scrapbook pictures with its caption, file name and
// description. The first page drawn of a person computes the person's
// caption layout and stores it in the person's first entry, so that all of
// the person's pages share it whichever is drawn first.

#include <string>
#include <vector>

#include "ReportJob.h"
#include "ScrapbookLayout.h"

class CMultimediaItem;

namespace rpt {

class CScrapbookGenerator : public CReportPageGenerator {
 public:
  static constexpr int kCellGap = 200;

  explicit CScrapbookGenerator(const ScrapbookOptions& options) : options_(options) {}

  void BeginPrinting(ReportDevice* dc, CPrintInfo* /*info*/) override { BeginScrapbook(dc); }
  int PrintPage(CReportJob& job, CPrintInfo* info) override;
  void EndPrinting(ReportDevice* dc, CPrintInfo* info) override;

  // Fonts and the page layout for the entries of the last pagination.
  void BeginScrapbook(ReportDevice* dc);
  // Draws page (from 1); in RTF mode every page but the last ends its page.
  int PrintScrapbookPage(ReportDevice* dc, int page);

  // The cell grid, in logical units (y up): for tests and the layout.
  struct Grid {
    int left = 0, right = 0, pageTop = 0, top = 0, bottom = 0;
    int cellWidth = 0, cellHeight = 0;  // cellHeight negative (downward)
    int titleBand = 0;
  };
  const Grid& GetGrid() const { return grid_; }
  // The inner rectangle of the cell at column, row.
  Rect CellInner(int column, int row) const;

 private:
  void DrawTitle(ReportDevice* dc, std::int32_t rin);
  void EnsureLayout(ReportDevice* dc, int entryIndex, CScrapbookEntry& entry,
                    const std::vector<const CMultimediaItem*>& pictures);
  void DrawCell(ReportDevice* dc, int column, int row, const CScrapbookEntry& layout,
                const CMultimediaItem& item);
  void Text(ReportDevice* dc, const LogFont& font, int x, int y, const std::string& text);

  ScrapbookOptions options_;
  LogFont titleFont_, captionFont_, fileNameFont_, descriptionFont_, pageFont_;
  int captionLine_ = 0, fileNameLine_ = 0, descriptionLine_ = 0;
  int pageCount_ = 0;
  bool titled_ = false;
  Grid grid_;
};

}  // namespace rpt
