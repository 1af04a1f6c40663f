#pragma once
// The Family Group Record's pagination run: the arguments the print set-up
// passes, the reading and measuring of each record from the open family
// file, the PAGINATOR window around the pass, the cascade's work file, and
// the page entries kept in the paginator state for the page generator.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FamilyGroupBlocks.h"
#include "FamilyGroupLayout.h"
#include "FamilyGroupOptions.h"
#include "FamilyGroupPass.h"
#include "LineFitter.h"
#include "PaginationRun.h"
#include "PaginatorState.h"
#include "ReportDevice.h"

namespace rpt {

// The arguments of a run, in the order the print set-up gives them.
struct FamilyGroupRunArgs {
  int mode = kFamilyGroupSingle;  // 0 single (also a list), 1 cascade up, 2 cascade down
  int notesOption = 0;            // bit 0 source notes, bit 1 general notes
  bool otherMarriages = false;
  int generations = 999;
  bool startIsChild = false;
  std::int32_t startRin = 0;
  std::int32_t chosenFamily = 0;
  ReportDevice* dc = nullptr;  // measures the note lines
  int notesWidth = 0;
  int bodyHeight = 0;
  int reserved = 0;
  bool parentsOnly = false;  // no notes or citations of children
  bool notesOnFirstPage = false;
  bool preparedBy = true;
  int notesLineHeight = 1;
  std::string list;  // typed family numbers, "" none
};

// A page entry of the run as the paginator state keeps it.
struct FamilyGroupPage : PageEntry {
  FamilyGroupPageEntry entry;
};

// A report font from its description ("face;style;size"): height -(points x
// 1000 / 72); points, when asked, gets the size in points.
LogFont FamilyGroupFontOf(const std::string& description, int* points = nullptr);

// The fonts of note and source texts from the "FontNotesRpt" description:
// normal, italic inverted, and bold with the weight doubled (900 at most).
CStyleFontSet FamilyGroupNoteFonts(const std::string& description);
// The notes line height of a "FontNotesRpt" description: points x 1000 / 72
// x 13 / 10.
int FamilyGroupNotesLineHeight(const std::string& description);

// What the pass and the pages measure one record with.
struct FamilyGroupMeasure {
  FamilyGroupOptions options;
  FamilyGroupRows rows;
  int photoHeight = 0;  // P with photos, else 0
  bool parentsOnly = false;
  int notesOption = 0;
};
FamilyGroupMeasure FamilyGroupMeasureOf(const FamilyGroupOptions& options, int notesOption,
                                        bool parentsOnly);

// Reads and measures a record from the open family file: its blocks, its
// owners with notes, its citation list (numbered afresh from 1) and their
// source notes. None for a family or individual that does not exist.
std::optional<FamilyGroupRecordContent> ReadFamilyGroupRecord(const FamilyGroupRequest& request,
                                                              const FamilyGroupMeasure& measure);

// Paginates the report; answers the page count, 0 on failure or Cancel
// (the clean-up has then run). options: the "FgrRpt" values the arguments
// do not carry (layout, photos, the row options).
int PaginateFamilyGroupRecord(const FamilyGroupRunArgs& args, const FamilyGroupOptions& options,
                              PaginatorWindow& window, const WorkFileCreator& createFile = {});

// Frees the page entries, the citation lists and the numbering's source
// and picture lists, and ends the report picture mode.
void CleanupFamilyGroupPages();

// The entry of report page page, or null.
const FamilyGroupPageEntry* FindFamilyGroupPage(std::int32_t page);

}  // namespace rpt
