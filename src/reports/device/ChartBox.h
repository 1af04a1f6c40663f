#pragma once
// The framed person boxes of the ancestry and descendants charts, the
// printable area of a page from its margins, and the measure of a wall-chart
// box. Charts draw in thousandths of an inch; a wall chart larger than 32
// inches either way draws in hundredths, so that every coordinate stays in
// the 16-bit range of a printer driver.

#include <array>
#include <functional>
#include <string>

#include "ReportDevice.h"

class CReportGenerator;

namespace rpt {

// A page's printable area: its corner from the printable origin, its size.
struct PrintableArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PrintableArea&) const = default;
};

// Margins in thousandths of an inch, raised to what the device cannot print.
// 0 with the area in thousandths; 1 (only with checkSize) when the area is
// over 32 inches either way, the area then in hundredths.
int GetPrintableMargins(const ReportDevice& dc, int left, int top, int right, int bottom,
                        PrintableArea& out, bool checkSize);

enum BoxCorner : int { kSquareCorners = 0, kRoundCorners = 1, kNotchedCorners = 2 };

struct ChartBox {
  Rect rect;  // logical units
  int corners = kSquareCorners;
  int lineStyle = 1;   // 2 double frame, any other a single one
  int cornerSize = 0;  // 0: from the box height
  bool shadow = false;
  bool fill = false;
  LogPen pen;
  LogBrush brush;        // fill
  LogBrush shadowBrush;  // shadow
  bool hundredths = false;
};

// The corner size for a box (or text) length in units, in units:
// 0.1 * inches^0.33 (the square root up to one inch) on both axes.
int ChartCornerSize(int length, bool hundredths);
// The leg of that corner: its size on one axis.
int ChartCornerLeg(int cornerSize);

// Draws the box; answers the text rectangle in logical units. Through a
// generator, the lines, arcs and fills go by its operations (and so into its
// RTF pages in RTF mode); the rounded corners' fills have no RTF form.
Rect DrawChartBox(ReportDevice& dc, const ChartBox& box, CReportGenerator* generator = nullptr);

// Wall-chart box settings (the chart's section of the options).
struct WallChartOptions {
  std::array<std::string, 2> otherEvents;  // event titles, "" none
  bool birth = false, christening = false, birthOrChristening = false, death = false,
       burial = false, deathOrBurial = false, marriage = false;
  bool date = false, place = false, dateAndPlace = false;
  bool descriptionLine = false;
  bool id = false, causeOfDeath = false, sbn = false, zel = false;
  bool showZel = false;  // the ZEL option of the whole program
  std::array<std::string, 2> noteTags;
  int noteLines = 0;
  bool box = false;
  int boxCorner = 0;
  int boxLine = 0;
  bool boxShadow = false;
  int photoOpt = 0;
  int photoX = 0, photoY = 0;  // thousandths of an inch
  int photoPlace = 0;          // below 3: beside the text
  int gensPerPage = 1;
  int pageLeft = 250, pageTop = 250, pageRight = 250, pageBottom = 250;
  // Point sizes of the chart's fonts.
  int namePoints = 10, textPoints = 8, headingPoints = 12, footerPoints = 8;
  // The second digit field of the named event type; -1 when no event type
  // has that title.
  std::function<int(const std::string&)> eventKindDigit;
};

struct WallChartMeasure {
  int slotCount = 0;
  int boxesPerColumn = 0;
  int slotHeight = 0;
  int cornerSize = 0;
  bool hundredths = false;
};

// The box height (1 when the box shows nothing) and how boxes fill a column.
int MeasureAncestryWallChartBox(const ReportDevice& dc, const WallChartOptions& options,
                                WallChartMeasure& out);
int MeasureDescendantsWallChartBox(const ReportDevice& dc, const WallChartOptions& options,
                                   WallChartMeasure& out);

}  // namespace rpt
