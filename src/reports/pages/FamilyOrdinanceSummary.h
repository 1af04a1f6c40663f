#pragma once
// The Family Ordinance Summary (list report kind 114): the ordinance state
// of an individual, the spouse and children, the parents with their children
// and the ancestor couples up to a number of generations, one line per
// person in a table with a column per ordinance.
//
// It paginates itself: the pass walks the family and writes every line as
// text to the work file "FOSContent" (a kind letter, then fields each led by
// the byte 0x01, ended by a line feed) and where each page begins, as 32-bit
// little-endian offsets, to "FOSOffset". A page reads its lines back from its
// offset to the next page's and draws them. Both sides start a new page
// before a line that would not fit whole, so they break alike.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ReportJob.h"

namespace rpt {

struct FamilyOrdinanceOptions {
  int generations = 4;      // "FOSRpt" Generations
  std::string titlePrefix;  // "FamOrdSumRpt" TitlePrefix
  std::string titleSuffix;
  bool useName = true;                                         // the Individual Summary's UseName
  int pageLM = 400, pageRM = 400, pageTM = 500, pageBM = 500;  // "LstRpt"
  int nameFormat = 0;  // suffix kind of names ("Options" AppendVal)

  FamilyOrdinanceOptions();
  static FamilyOrdinanceOptions Load();
};

// Which marriage of an individual with several the summary shows; answers
// the MRIN (0: the first). The screens install the Marriages for dialog in
// its choosing mode; without one the first marriage is shown.
using FosMarriageChooser = std::function<std::int32_t(std::int32_t rin)>;
void SetFosMarriageChooser(FosMarriageChooser chooser);

// One column of the table.
struct CFosColumn {
  std::string heading;
  int left = 0;
  int right = 0;
  unsigned format = 0;  // DT_LEFT or DT_RIGHT
};

// The cursor over a page in thousandths of an inch (y negative downward).
struct CFosLineCursor {
  int left = 0, top = 0, right = 0, bottom = 0;
  int step = -170;
  int y = 0;
  void Advance(int d) { y += d == 0 ? step : d; }
  bool IsPageFull() const { return y < bottom; }
  bool IsWide() const { return right - left > 9000; }
};

// Heights of the line kinds and the page header.
constexpr int kFosLine = 170;
constexpr int kFosThird = 56;
constexpr int kFosHeader = 470 + 170 + 100 + 170;
constexpr int kFosHeading = kFosThird + kFosLine + kFosThird;
constexpr int kFosGroupHeading = kFosThird + 2 * kFosLine + kFosThird;

// The columns for a page from left to right.
std::vector<CFosColumn> BuildFosColumns(int left, int right);
// The heading line of a couple's section at depth (kind letter and fields).
// childName is the name of the person through whom the couple is reached,
// rootName the individual's; male: that person's sex.
std::string FosHeadingLine(int depth, bool male, const std::string& childName,
                           const std::string& rootName);
// A field as it may stand in the content file: line feeds, carriage returns
// and the separator byte become blanks.
std::string FosField(std::string text);

class CFamilyOrdinanceSummaryGenerator : public CReportPageGenerator {
 public:
  static constexpr const char* kContentName = "FOSContent";
  static constexpr const char* kOffsetName = "FOSOffset";

  CFamilyOrdinanceSummaryGenerator(std::int32_t rin, const FamilyOrdinanceOptions& options);
  ~CFamilyOrdinanceSummaryGenerator() override;

  // The pass; answers the page count, 0 on failure or Cancel.
  int PaginateFamilyOrdinanceSummary(ReportDevice* dc);
  void BeginPrinting(ReportDevice* dc, CPrintInfo*) override { OpenFosFiles(dc); }
  int PrintPage(CReportJob& job, CPrintInfo* info) override;
  void EndPrinting(ReportDevice* dc, CPrintInfo* info) override { EndFosPrinting(dc, info); }

  void OpenFosFiles(ReportDevice* dc);
  int PrintFosPage(ReportDevice* dc, int page, bool lastPage);
  // Closes and deletes the work files and finishes the RTF document when the
  // pagination was not cancelled; answers 0 otherwise.
  int EndFosPrinting(ReportDevice* dc, CPrintInfo* info);

  int PageCount() const { return pageCount_; }
  bool Cancelled() const { return cancelled_; }
  const std::string& Folder() const { return folder_; }
  // The lines the pass put on each page (kept for the tests and the bench).
  const std::vector<std::vector<std::string>>& PassPages() const { return passPages_; }
  // The lines the last drawn page read back.
  const std::vector<std::string>& LastPageLines() const { return lastLines_; }
  // The lowest y the last drawn page drew at.
  int LowestY() const { return lowest_; }

 private:
  bool SetUpCursor(ReportDevice* dc);
  void Walk(std::int32_t child, std::int32_t person, bool isFather, int depth);
  void CoupleSection(std::int32_t person, std::int32_t child, int depth);
  // Writes a line of height h, starting a new page first when it would not
  // fit whole.
  void WriteLine(const std::string& line, int h);
  // False once Cancel was pressed.
  bool PersonLineAllowed();
  std::string PersonLine(char kind, std::int32_t rin);
  std::string NameOf(std::int32_t rin, int width);
  std::vector<std::string> ReadPage(int page);
  void DrawLine(ReportDevice* dc, const std::string& line, CFosLineCursor& cursor);
  void CloseFiles(bool remove);

  std::int32_t rin_;
  FamilyOrdinanceOptions options_;
  LogFont titleFont_, bodyFont_, headingFont_;
  LogPen thinPen_, thickPen_;
  LogBrush headingBrush_;
  std::FILE* content_ = nullptr;
  std::FILE* offsets_ = nullptr;
  std::vector<CFosColumn> columns_;
  CFosLineCursor cursor_;
  ReportDevice* dc_ = nullptr;
  std::string folder_;
  std::string rootName_;
  int pageCount_ = 0;
  bool pageOpen_ = false;
  bool cancelled_ = false;
  long written_ = 0;
  std::vector<std::vector<std::string>> passPages_;
  std::vector<std::string> lastLines_;
  int lowest_ = 0;
};

}  // namespace rpt
