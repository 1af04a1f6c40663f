#pragma once
// The Scrapbook's options and the caption layout of one person: how many
// caption and description lines every cell prints, whether the file name is
// printed, and the picture size that the rest of the cell leaves.

#include <string>
#include <string_view>
#include <vector>

#include "ReportDevice.h"
#include "ScrapbookPagination.h"

namespace rpt {

// Profile section "ScrapRpt" and the fonts of section Options. Across,
// Down, PhotoX and PhotoY are at least 1 as read, so no cell size or picture
// ratio divides by zero.
struct ScrapbookOptions {
  int pageLM = 700, pageRM = 300, pageTM = 300, pageBM = 300;
  int across = 2, down = 3;
  int photoX = 1000, photoY = 1000;
  bool caption = true;
  bool captionAbove = false;  // "CapPos" 0
  bool fileName = false;
  bool description = true;
  bool photoUse = true;
  bool box = true;
  int boxCorner = 0, boxLine = 0;
  bool boxShade = false, boxShadow = false;
  ColorRef shadeColor = 0xF0F0F0, shadowColor = 0xD8D8D8;
  bool useName = true;
  std::string titlePrefix;  // string 3391 and a blank
  std::string titleSuffix;
  bool suppressRin = true;
  bool listOpt = false;
  std::string titleFont, captionFont, fileNameFont, descriptionFont;

  ScrapbookOptions();
  static ScrapbookOptions Load();
  int PicturesPerPage() const { return across * down; }
};

// A font of a description ("face;style;size") in thousandths of an inch.
LogFont ScrapbookFont(const std::string& description);
// The line height of a cell text font: 4/3 of the font height.
int ScrapbookLineHeight(const LogFont& font);

// The lines of text fitted to width, at most maxLines: each extra CR-LF pair
// is a line of its own; fitting stops when a line makes no progress.
std::vector<std::string> FitScrapbookLines(std::string_view text, ReportDevice& dc, int width,
                                           int maxLines);

// What the pictures of a person need, measured on the cell's inner width.
struct ScrapbookTextNeeds {
  int captionLines = 0;      // the most caption lines any picture needs
  int descriptionLines = 0;  // the most description lines
  bool anyCaption = false;
  bool anyDescription = false;
};

// The figures of one cell the layout works on (positive lengths).
struct ScrapbookCellMetrics {
  int innerWidth = 0;
  int innerHeight = 0;
  int captionLineHeight = 0;
  int fileNameLineHeight = 0;
  int descriptionLineHeight = 0;
};

// Fills the layout fields of entry (picture size, caption and description
// lines, file-name flag) and marks it computed.
void ComputeScrapbookLayout(CScrapbookEntry& entry, const ScrapbookOptions& options,
                            const ScrapbookCellMetrics& cell, const ScrapbookTextNeeds& needs);

}  // namespace rpt
