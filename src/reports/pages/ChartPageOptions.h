#pragma once
// The settings of the Ancestry and Descendants chart pages (sections AncRpt
// and DescRpt) and the unit constants of a chart page in both units: the
// usual thousandths of an inch, and hundredths for a wall chart larger than
// 32 inches.

#include <string>

#include "ChartBox.h"
#include "ReportDevice.h"

namespace rpt {

// Lengths of a chart page; every figure of one unit is a tenth of the other
// (rounded), with 95 dropped in hundredths.
struct ChartUnits {
  int lineStep;           // pen width, the step inside a row edge
  int textInset;          // text inset, connector stub
  int perInch;            // units per inch
  int rule25;             // lower heading rule above the first row
  int rule40;             // gap under the generation labels
  int rule45;             // upper heading rule above the first row
  int minIndent;          // smallest standard-chart indent
  int boxInset;           // a wall-chart box's left inset in its column; cut-mark length
  int labelGap30;         // between the title and the generation labels
  int cutOffset;          // cut marks start this far outside the frame
  int headingGap250;      // the wall chart's heading block below the title lines
  int textTop80;          // first text line below a box's top
  int tileLabelGap;       // tile label below the frame
  int titleGap95;         // part of the standard chart's title block
  int dateAbove170;       // date and page number above the first row
  int legendGap140;       // legend after the date
  int tileLabel145;       // tile label below the frame's top
  int generationDrop100;  // generation labels move down for the legend
};
constexpr ChartUnits kChartThousandths{10, 100, 1000, 25, 40, 45,  15,  200, 30,
                                       50, 250, 80,   20, 95, 170, 140, 145, 100};
constexpr ChartUnits kChartHundredths{1, 10, 100, 2, 4, 4,  1,  20, 3,
                                      5, 25, 8,   2, 0, 17, 14, 14, 10};

struct ChartPageOptions {
  bool ancestry = true;
  bool wallChart = false;
  std::string titlePrefix;
  bool useName = true;
  std::string titleSuffix;
  int generations = 999;
  int gensPerPage = 3;  // at least 1
  int indent = 3;       // tenths of an inch
  bool pageNumber = true;
  bool printGens = false;
  bool birthPlace = false, deathPlace = false;
  int dateType = 1;  // 0 none, 1 years, 2 full dates
  bool suppressRin = false;
  bool parInd = false, relInd = false;
  bool nameBirth = true, nameMarriage = false, nameDeath = true;
  bool shading = true;
  bool hideShade = false;
  bool headingEveryPage = false;
  ColorRef shadeColor = 0xF6F6F6, wallShadeColor = 0xF0F0F0, wallShadowColor = 0xD8D8D8;
  bool boxShade = false;
  bool noteTagName = true;   // the tag before a note
  bool photoReserve = true;  // keep the photo's room without a photo
  // Font descriptions of the wall chart (title, generation labels, name,
  // text) and of the standard chart (title, name, text).
  std::string wallMain, wallGen, wallPrim, wallOther;
  std::string stdMain, stdPrim, stdOther;
  Rect standardMargins{500, 300, 300, 300};  // left, top, right, bottom
  Rect wallMargins{250, 250, 250, 250};
  WallChartOptions wall;  // the box settings
};

// The chart's settings as stored (defaults where nothing is), with the
// generations per tile held to at least 1.
ChartPageOptions ReadChartPageOptions(bool ancestry);

}  // namespace rpt
