#pragma once
// The decisions a Pedigree Chart page makes before it draws: how many text
// lines a box of a column gets, whether the "same as" line is printed, the
// marriage line, the ordinance letters and the relation captions. Kept apart
// from the drawing so that they are checked without a device.

#include <cstdint>
#include <string>

#include "PedigreePagination.h"

namespace rpt {

// Text lines per box (0 name only, 1, 2, 3 or 6) from the box's room counted
// in event lines (rows) and, with a photo beside the text, the room left
// beside the photo (rowsBesidePhoto).
int PedigreeLinesPerBox(int rows, int rowsBesidePhoto, bool photoBeside);

// How a chart of g generations fits the tree's room (width by height): 0
// it fits; 1 and 2 split the last generation, its father and mother side by
// side on their child's line (1 with room for six-line boxes there, 2
// without); 3 squeezed; 4 squeezed to names only. The root shares the
// first column with his parents, so the chart takes g - 1 columns, g split
// (the last generation's mothers beside their husbands). sixLineBox and
// threeLineBox are the boxes' heights, baseBox the name-only box, eventLine
// the event line height.
struct PedigreeFit {
  int fitCase = 0;
  bool split = false;
};
PedigreeFit PedigreeFitCase(int width, int height, int g, int sixLineBox, int threeLineBox,
                            int baseBox, int eventLine, int boxWidth, bool allowSplit);

// Whether a chart page prints "No. 1 on this chart is the same as no.".
bool ShowsSameAsLine(const PedigreeChartRecord& chart);
// That line's text: the caption, the position, "on chart no." and the chart.
std::string SameAsLineText(const PedigreeChartRecord& chart);
// The text of a "same as" box for a person placed elsewhere.
std::string SameAsBoxText(std::int32_t position, std::int64_t chart);

// The marriage line: date, then "(Div)" for status 'D' or "(nm)" for 'N'
// (short forms when tight), then the marriage number unless numbers are
// suppressed.
std::string PedigreeMarriageText(const std::string& date, char status, std::int32_t mrin,
                                 bool suppressNumbers, bool tight);

// An ordinance letter for a state: the capital when done (2), the small
// letter when cleared or submitted (3), nothing (0) otherwise.
char OrdinanceLetter(char letter, int state);

// "(Father of no. 4)": the relation letter 'F', 'M' or 'S', any other
// "Unknown", and the child's position.
std::string RelationCaption(char relation, int position);

}  // namespace rpt
