#pragma once
// CFamilyGroupGenerator: draws the pages of the Family Group Record from the
// page entries of its pass: the page frame (title, page number, "Prepared
// by" box, legend, date), the couple's blocks, the children, the notes and
// sources section, and the three pages of the blank form. Every drawing
// goes through the generator base, so printer, preview, PDF and RTF get the
// same page. Blocks are the rows the pass measured (FamilyGroupBlocks.h);
// the page entries say which rows, children, note bytes and citation lines
// each page holds.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "FamilyGroupRun.h"
#include "ReportJob.h"

namespace rpt {

// The page geometry of the Family Group Record in thousandths of an inch
// (y negative downward).
struct FamilyGroupGeometry {
  int formLeft = 0, formRight = 0;
  int topY = 0, footerY = 0, formTop = 0;
  int textInset = 40;
  int sexX = 0, nameX = 0, dateX = 0, descX = 0, zelX = 0, templeX = 0, middleX = 0;
  int notesWidth = 0;
  bool photo = false, photoLeft = false;
  int photoX = 0, photoWidth = 0, photoHeight = 0;
  int preparedHeight = 0;
  int minBlock = 0;
  int labelOffset = 10;
  int H = 240, R = 210;

  int BodyHeight() const { return formTop - footerY; }
};

// What the generator knows of the run beside the options: the starting
// person and the role a lone person takes on a page without a family.
struct FamilyGroupRunPerson {
  std::int32_t startRin = 0;
  int role = 1;  // 1 husband, 2 wife, 3 only child
};

class CFamilyGroupGenerator : public CReportPageGenerator {
 public:
  CFamilyGroupGenerator(const FamilyGroupOptions& options, const FamilyGroupRunPerson& run);

  // The fonts and the page geometry on dc.
  void SetUp(ReportDevice& dc);
  // Draws page (from 1); a page without an entry draws nothing but its
  // title. In RTF mode the caller ends each RTF page.
  void DrawPage(ReportDevice& dc, int page);
  const FamilyGroupGeometry& Geometry() const { return g_; }
  // The geometry a device gives for options, before any drawing.
  static FamilyGroupGeometry GeometryFor(ReportDevice& dc, const FamilyGroupOptions& options);

  // CReportPageGenerator
  void BeginPrinting(ReportDevice* dc, CPrintInfo* info) override;
  int PrintPage(CReportJob& job, CPrintInfo* info) override;
  void EndPrinting(ReportDevice* dc, CPrintInfo* info) override;

  // Rows the page entries gave a page that did not fit above its foot:
  // 0 when the pass and the pages agree.
  int OverflowRows() const { return overflowRows_; }
  // The lines of notes and sources drawn, per page drawn.
  const std::vector<std::string>& NoteLines() const { return noteLines_; }

 private:
  struct Record;
  struct Section;

  void Fonts(ReportDevice& dc);
  bool LoadRecord(const FamilyGroupPageEntry& entry, Record& record);
  int Number(std::int32_t citation);

  void DrawTitle(ReportDevice& dc, std::int32_t mrin);
  void DrawPageNumber(ReportDevice& dc, const FamilyGroupPageEntry& entry);
  void DrawFoot(ReportDevice& dc, bool preparedBy, int contentBottom);
  void DrawPreparedBox(ReportDevice& dc, int top, bool blank);
  void DrawFamilyPage(ReportDevice& dc, const FamilyGroupPageEntry& entry, Record& record);
  void DrawChildrenPage(ReportDevice& dc, const FamilyGroupPageEntry& entry, Record& record);
  void DrawNotesPage(ReportDevice& dc, const FamilyGroupPageEntry& entry, Record& record);
  void DrawContinuationHeading(ReportDevice& dc, const Record& record, bool children);
  void DrawChildren(ReportDevice& dc, const FamilyGroupPageEntry& entry, Record& record, int first,
                    int firstOffset, int limit);
  // The notes-and-sources section below the blocks of a family or children
  // page, when it begins there; used is the height the pass counted.
  void DrawSectionBelowBlocks(ReportDevice& dc, const FamilyGroupPageEntry& entry, Record& record,
                              int used);
  bool SectionStartsHere(const FamilyGroupPageEntry& entry, const Record& record) const;

  // Blocks and rows.
  void DrawNameRow(ReportDevice& dc, int top, int role, const std::string& name,
                   const std::vector<std::int32_t>& marks, int childNumber, char sex, bool direct,
                   bool photoBeside);
  void DrawChildrenHeading(ReportDevice& dc, int top);
  void DrawRow(ReportDevice& dc, const FamilyGroupRow& row, int top, bool photoBeside);
  void DrawOrdinanceBox(ReportDevice& dc, const FamilyGroupBlock& block, int top, bool heading);
  // Draws rows [from, to) of a block below y; answers the rows drawn. The
  // name row (or heading row on a continued page) is drawn first.
  int DrawBlock(ReportDevice& dc, const FamilyGroupBlock& block, int from, int to, int limit,
                int childNumber, bool direct);
  void DrawPhoto(ReportDevice& dc, const FamilyGroupBlock& block, int top, int bottom);
  void DrawBlankSpouseBlock(ReportDevice& dc, int role);
  void DrawBlankChildBlock(ReportDevice& dc, int number);
  void DrawBlankNameCaptions(ReportDevice& dc, int top, int role);
  void DrawBlankPage(ReportDevice& dc, int page);
  void DrawPrintedBy(ReportDevice& dc, int y);

  // Notes and sources.
  void DrawNotesAndSources(ReportDevice& dc, const FamilyGroupPageEntry& entry, Record& record,
                           int lines, const Section& start);
  void SideRules(ReportDevice& dc, int top, int bottom);
  void Text(ReportDevice& dc, int x, int y, const std::string& text);
  void RightText(ReportDevice& dc, int right, int y, const std::string& text);
  void Rule(ReportDevice& dc, int x1, int y1, int x2, int y2);
  std::string Marks(const std::vector<std::int32_t>& numbers) const;

  FamilyGroupOptions o_;
  FamilyGroupRunPerson run_;
  FamilyGroupGeometry g_;
  bool blank_ = false;
  int c1_ = -85, c2_ = -20;
  LogFont title_, captionBold_, smallCaption_, captionData_, captionHeading_, data_, citation_,
      parent_, child_;
  CStyleFontSet notes_;
  LogPen thick_{PS_SOLID, 20, 0}, thin_{PS_SOLID, 10, 0};
  LogBrush shade_{0xE0E0E0, false};
  int notesLine_ = 1;
  int titleHeight_ = 0, dataHeight_ = 0;
  int y_ = 0;
  int legendFlags_ = 0;
  const FamilyGroupPageEntry* entry_ = nullptr;
  std::map<std::int32_t, std::int32_t> sourceOf_;
  int overflowRows_ = 0;
  std::vector<std::string> noteLines_;
};

}  // namespace rpt
