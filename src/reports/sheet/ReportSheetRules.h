#pragma once
// The fixed rules of the Reports and Charts sheet: which report kind each
// page starts, the smallest printable area each report accepts, the names
// Page Setup uses for its margins, photo sizes typed in inches, and the
// measure of a wall chart's widest sample box with the warning shown when a
// column is narrower than it.

#include <cstdint>
#include <functional>
#include <string>

#include "ChartBox.h"
#include "ReportKinds.h"

namespace rpt {

// The sheet's pages, numbered in their tab order.
enum SheetPageKind : int {
  kPagePedigree = 1,
  kPageFamilyGroup = 2,
  kPageAncestry = 3,
  kPageDescendants = 4,
  kPageBooks = 5,
  kPageIndividualSummary = 6,
  kPageScrapbook = 7,
  kPageCustom = 8,
  kPageLists = 9,
  kPageCalendar = 10,
};

// The report kind a page starts: the Books page 200 (Ahnentafel) or 201
// (Modified Register), the Lists page 100 plus the list index (0..14),
// every other page its own number.
int ReportKindOfPage(int pageKind, bool modifiedRegister, int listIndex);

// Width and height in thousandths of an inch.
struct PrintableSize {
  int width = 0;
  int height = 0;
  bool operator==(const PrintableSize&) const = default;
};
// The smallest printable area the report of a page accepts; the Ancestry and
// Descendants pages by their chart type.
PrintableSize GetMinimumPrintableSize(int pageKind, bool wallChart);

// Margins in thousandths of an inch, in the order left, top, right, bottom.
struct PageMargins {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const PageMargins&) const = default;
};

// The report's names in Page Setup: the singular (the caption is it and
// " Margins") and the plural used in the refusal.
struct PageSetupNames {
  std::string singular, plural;
};
PageSetupNames PageSetupNamesOf(int pageKind, bool wallChart);
std::string PageSetupCaption(int pageKind, bool wallChart);
// The refusal of margins that leave too little area.
std::string PageSetupRefusal(int pageKind, bool wallChart);
// True when paper less the margins leaves at least the page's minimum.
bool PageSetupMarginsFit(int pageKind, bool wallChart, int paperWidth, int paperHeight,
                         const PageMargins& margins);

// The check before every print and preview: the printable area that the
// printer leaves inside the margins must hold the page's minimum (a tenth
// of it for an Ancestry or Descendants chart over 32 inches). Without a
// printer (null) it says "Unable to connect to printer"; too small an area
// draws the Page Setup advice. False when the report must not start.
bool CheckPrintableArea(const ReportDevice* printer, int pageKind, bool wallChart,
                        const PageMargins& margins);

// A size typed in inches ("2.5", ".75", "1.234\"") in thousandths of an
// inch; -1 when refused. A refusal other than an empty text is told in a
// "Size Error" box that names the typed text.
int ParseInches(const std::string& text);
// Thousandths of an inch as the size edits show them: "1.250\"".
std::string FormatInches(int thousandths);

// What a wall chart's sample box shows, from the chart's section.
struct WallChartSample {
  int chart = 0;              // 0 Ancestry, 1 Descendants
  int identifierDisplay = 0;  // the options' AppendVal
  bool suppressRin = false;
  bool anyEvent = false;  // birth, christening, ... marriage: any on
  bool placeLine = false, dateAndPlace = false;
  bool birthYear = false, marriageYear = false, deathYear = false;
  bool photo = false;
  int photoWidth = 0;  // thousandths of an inch
  int photoPlace = 0;  // 0-2 beside the text, 3-4 above or below
  bool box = false;
  int boxCorner = 0;  // 0 square, 1 round, 2 inverted
  int boxLine = 0;    // 0 single
  bool boxShadow = false;
};
// The name line and the event line of the sample ("" when none).
std::string WallChartSampleNameLine(const WallChartSample& sample);
std::string WallChartSampleEventLine(const WallChartSample& sample);
// Text width in thousandths of an inch in the name font (nameFont) or the
// event font.
using SampleTextWidth = std::function<int(const std::string& text, bool nameFont)>;
// Width of the widest sample box in thousandths of an inch.
int MeasureWallChartSampleBox(const WallChartSample& sample, const SampleTextWidth& width);
// True when a column of the chart (printable width over generations per
// page) holds the sample box; over32 divides the sample by ten, as the
// chart then draws in hundredths.
bool WallChartColumnFits(int printableWidth, int gensPerPage, int sampleWidth, bool over32);
std::string WallChartWarningText();
std::string WallChartWarningCaption();

}  // namespace rpt
