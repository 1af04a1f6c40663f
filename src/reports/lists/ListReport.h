#pragma once
// The list-report writer: reports whose pages are made of self-printing rows
// (places, individuals with notes, sources, the citations of one source).
// A report walks its records once, spooling each row to a row stream (or a
// sorter) while measuring it to count pages and to map each page to its
// first row; a page is then printed by seeking to that row and replaying the
// rows up to the next page's first row. In RTF mode the same cells become
// tab-separated text lines in the report's RTF document.
//
// Units are thousandths of an inch with y growing upwards: the page runs
// from its top margin downwards into negative values.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ObjectSorter.h"
#include "PersistentObject.h"
#include "ReportJob.h"
#include "TempObjectFile.h"

class CRTFDocument;
class CRTFText;
class CRTFObject;
class CRTFHeader;
class CListReport;

namespace plat {
class ProgressPort;
}

// A column of a list report, in page units.
struct CReportColumn {
  std::string text;
  int left = 0;
  int right = 0;
  int alignment = 0;  // 0 left, 1 centred, 2 right
  int x = 0;          // where the next text of the row goes
  int bottom = 0;     // the bottom of the column's last line
};

// One row of a list report; it prints itself into the report's columns.
class COrvListReportObject : public CPersistentObject {
  KOR_DECLARE_DYNCREATE(COrvListReportObject)

 public:
  int Compare(const CPersistentObject* other) const override;
  // Prints the row at the report's current y and moves y down (only moves y
  // when measuring); nonzero when the row ended below the page.
  virtual int PrintRow(CListReport& report, rpt::ReportDevice* dc, CPrintInfo* info,
                       CRTFDocument* document, bool measuring);
};

// Breaks a text into lines that fit a width on a device: at line feeds and
// at blanks; a single word wider than the width still makes a line of its own.
class CLineBreaker {
 public:
  explicit CLineBreaker(std::string text) : text_(std::move(text)) {}
  std::string GetFirstLine(rpt::ReportDevice* dc, int width, bool& more, rpt::Size& size);
  std::string GetNextLine(rpt::ReportDevice* dc, int width, bool& more, rpt::Size& size);

 private:
  std::string text_;
  std::size_t pos_ = 0;
};

class CListReport : public CReportPageGenerator {
 public:
  static constexpr int kLineHeight = 175;

  explicit CListReport(int kind);
  ~CListReport() override;

  int Kind() const { return kind_; }

  // The paper (thousandths of an inch), its orientation and the margins
  // (left, top, right, bottom, thousandths of an inch) that pages use.
  void SetPaper(int width, int height, bool portrait);
  void SetMargins(const rpt::Rect& margins) { margins_ = margins; }
  bool IsPortrait() const { return portrait_; }

  // Counts the pages (walking the records the first time only) with dc as
  // the measuring device; 0 when there is nothing to print or the walk was
  // cancelled. progress null: no window, and no pages.
  int Paginate(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress);
  int PageCount() const { return pageCount_; }
  // The stream position of the first row of a page (-1 when not mapped).
  std::int64_t PageStart(int page) const;

  // The job's printing cycle.
  void BeginPrinting(rpt::ReportDevice* dc, CPrintInfo* info) override;
  int PrintPage(CReportJob& job, CPrintInfo* info) override;
  void EndPrinting(rpt::ReportDevice* dc, CPrintInfo* info) override;
  // Prints info->currentPage on dc.
  void PrintPageOn(rpt::ReportDevice* dc, CPrintInfo* info);

  // ---- what the rows call
  void AddColumn(const CReportColumn& column) { columns_.push_back(column); }
  CReportColumn& GetColumn(int i) { return columns_.at(static_cast<std::size_t>(i)); }
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  // 0 normal, 1 bold, 2 large bold.
  const rpt::LogFont& GetFont(int i) const { return fonts_.at(static_cast<std::size_t>(i)); }
  void SelectFont(rpt::ReportDevice* dc, int font);
  void StartRow(int y);
  void WriteCellText(rpt::ReportDevice* dc, int column, const std::string& text, bool measuring,
                     bool newLineAfter);
  int GetRowBottom() const;
  // y 0: the current y.
  bool IsBelowPage(int y) const;
  void WriteRTFRow(rpt::ReportDevice* dc, CRTFObject* container, int y, int heading);
  int CurrentY() const { return y_; }
  void SetCurrentY(int y) { y_ = y; }
  const rpt::Rect& DrawRect() const { return rect_; }
  CRTFDocument* RTFDocument() { return IsRTFMode() ? &GetDocument() : nullptr; }

  void DoubleRule(rpt::ReportDevice* dc, bool measuring);
  void Rule(rpt::ReportDevice* dc, bool measuring);
  void ThickRule(rpt::ReportDevice* dc, bool measuring);

 protected:
  // ---- what each report supplies
  virtual void BuildColumns() {}
  // Adds the rows and answers the page count (0: none, or cancelled).
  virtual int WalkRecords(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                          bool* cancelled);
  virtual unsigned GetTitleId() const { return 0; }
  virtual std::string GetRTFTabStops() const { return {}; }
  virtual std::unique_ptr<COrvListReportObject> FirstRow(std::int64_t position);
  virtual std::unique_ptr<COrvListReportObject> NextRow();
  // Called as each page starts, when paging and when printing.
  virtual void OnPageStart() {}

  // Rows in record order: stored, measured and paged at once.
  void AddRow(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress, int* pageCount,
              std::unique_ptr<COrvListReportObject> row);
  int RowsAdded() const { return rows_.ObjectsWritten(); }

  void SetUpDC(rpt::ReportDevice* dc);
  void PreparePageRect(rpt::ReportDevice* dc);
  void PrintPageHeader(rpt::ReportDevice* dc, CPrintInfo* info, bool measuring);
  // Measures the page header and starts a new page at the row's position;
  // used by both ways of adding rows.
  void BreakPage(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                 int* pageCount);

  std::int64_t currentRowPosition_ = 0;
  std::map<int, std::int64_t> pageMap_;

 private:
  static std::unique_ptr<COrvListReportObject> AsRow(std::unique_ptr<CPersistentObject> object);
  void CreateFonts();
  void WriteHeaderCell(rpt::ReportDevice* dc, CPrintInfo* info, CReportColumn& column,
                       const std::string& text, bool measuring, int heading, bool raw);

  struct PendingCell {
    int x = 0;  // twips
    int alignment = 0;
    std::string text;
    int font = 0, halfPoints = 20;
    bool bold = false, italic = false, underline = false, raw = false;
  };

  int kind_;
  std::vector<CReportColumn> columns_;
  int y_ = 0;
  std::vector<rpt::LogFont> fonts_;
  int fontIndex_ = 0;
  int paperWidth_ = 8500, paperHeight_ = 11000;
  bool portrait_ = true;
  rpt::Rect margins_{500, 500, 500, 500};
  rpt::Rect rect_;
  bool paginated_ = false;
  int pageCount_ = 0;
  CTempObjectFile rows_;
  std::vector<PendingCell> pending_;
  std::string lastTabStops_;
  std::unique_ptr<CRTFHeader> header_;
  bool headerAdded_ = false;
  friend class CSortedListReport;
};

// A list report whose rows come out in the order of their Compare.
class CSortedListReport : public CListReport {
 public:
  using CListReport::CListReport;

 protected:
  void AddSortedRow(std::unique_ptr<COrvListReportObject> row);
  // Sorts the rows and pages them; the page count, 0 when cancelled or empty.
  // The merge and the paging take the progress range from position on.
  int SortedWalk(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                 int position);
  std::unique_ptr<COrvListReportObject> FirstRow(std::int64_t position) override;
  std::unique_ptr<COrvListReportObject> NextRow() override;

 private:
  CObjectSorter sorter_{1000};
  int added_ = 0;
};
