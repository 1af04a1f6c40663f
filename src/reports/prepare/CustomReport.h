#pragma once
// The custom report's pass and field formatter. The pass writes one line
// record per selected individual, or per marriage of the individual when a
// marriage field is among the columns or keys: the RIN, a marriage
// reference (MRIN x 100 + the marriage's index) and a 17-byte slot per sort
// key; then sorts the records in place and makes a page entry every
// lines-per-page lines. The formatter turns one field of an individual (and
// marriage) into display text or into a sort key; the page, the text
// export and the sort share it. Nothing here writes to the family file.

#include <cstdint>
#include <string>
#include <vector>

#include "CustomReportLayout.h"

class CIndividualRecord;
class CMarriageRecord;

namespace rpt {

class ReportDevice;

struct CustomReportFieldRequest {
  std::int32_t fieldId = 0;
  std::string option;  // the column's or key's parameter text
  int widthChars = 0;  // the column width in characters (Notes)
  bool sortMode = false;
  std::int32_t currentRin = 0;  // whose partner the marriage fields' spouse is
  ReportDevice* dc = nullptr;   // fits names and places when given
  int widthUnits = 480;
};

// True for the name and place fields, whose sort keys are string-store
// positions; the other texts are their own keys.
bool HoldsStorePositions(std::int32_t fieldId);
// True for the fields of a marriage (6015-6019, 6029, 6030, 6038, 6039, 6042).
bool IsCustomMarriageField(std::int32_t fieldId);
// The field's text, or its sort key in sort mode (at most 255 bytes; name
// and place keys are four little-endian string-store positions, dates
// 12 digits). marriage may be null.
std::string FormatCustomReportField(const CustomReportFieldRequest& request,
                                    const CIndividualRecord& individual,
                                    const CMarriageRecord* marriage);
// A note text cut to width characters: width - 3 and "..." when longer and
// the width is above 2; line breaks become "/".
std::string CutNoteText(const std::string& text, int width);

// One line record of the work file.
struct CustomReportLine {
  std::int32_t rin = 0;
  std::int32_t marriageRef = 0;  // MRIN x 100 + marriage index; 0 without
  std::string keys;              // 17 bytes per key
};
constexpr std::size_t kCustomKeySlot = 17;
std::size_t CustomReportRecordSize(const CCustomReportLayout& layout);

// The texts of a line record's columns: its individual's fields, and for
// the marriage fields its marriage's (empty without one). Column i is
// fitted to widthUnits[i] on dc when both are given. An individual that
// cannot be read gives empty texts.
std::vector<std::string> CustomReportLineTexts(const CCustomReportLayout& layout,
                                               const CustomReportLine& line, ReportDevice* dc,
                                               const std::vector<int>& widthUnits);

// The rows of a layout whose columns wrap: the row of each column, and the
// rows a page holds. A line record takes only its rows that hold a text (at
// least one), so an empty row of a person's block takes no room.
struct CustomRowPlan {
  std::vector<int> columnRows;
  int rowsPerPage = 0;
};
// The rows a line record with texts takes, at least 1; set when given
// gets, per row, the row it goes to among them (-1: none).
int CustomReportLineRows(const std::vector<std::string>& texts, const std::vector<int>& columnRows,
                         std::vector<int>* placed = nullptr);

// The pass over rins (the filter set's result, in RIN order); the page
// count, or with lines 0 (the text export) one page and no entries. With
// rows, pages break where their rows are full, else after lines line
// records. 0 on failure or Cancel.
int PaginateCustomReport(const std::vector<std::int32_t>& rins, const CCustomReportLayout& layout,
                         int lines, const CustomRowPlan* rows = nullptr);
int CustomReportLinesPerPage();
std::int64_t CustomReportLineCount();
// The line at index n (from 0); false outside the lines.
bool ReadCustomReportLine(std::int64_t n, CustomReportLine& out);
// The index of the first line of a page (from 1); -1 without one.
std::int64_t CustomReportPageStart(int page);
// The index after the last line of a page (from 1).
std::int64_t CustomReportPageEnd(int page);
void CleanupCustomReportPages();
// The sort comparison of two line records under layout's keys.
int CompareCustomReportLines(const CCustomReportLayout& layout, const std::uint8_t* a,
                             const std::uint8_t* b);

}  // namespace rpt
