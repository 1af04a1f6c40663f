#pragma once
// How one Family Group Record spreads its couple and children over pages:
// the husband's and wife's blocks (moved whole to a new page, or split with
// their rows continued under heading rows), then the children, whole or
// split, on children pages. Heights are thousandths of an inch of the page
// body; the blocks arrive measured in rows.

#include <cstdint>
#include <memory>
#include <vector>

namespace rpt {

// Heading-row and row heights of a layout (0 Expanded, 1 Medium, 2 Condensed).
struct FamilyGroupRows {
  int heading = 240;
  int row = 210;
};
FamilyGroupRows FamilyGroupRowsOf(int layout);

// What a page of a family record shows.
enum FamilyGroupPageKind : int {
  kFamilyPage = 0,
  kChildrenPage = 1,
  kNotesPage = 2,
  kSourcesPage = 3,
};

// The page entry of one report page.
struct FamilyGroupPageEntry {
  std::int32_t key = 0;              // MRIN; 0 for a lone parent or lone child
  std::int32_t page = 0;             // report-wide page number
  std::int32_t pageInRecord = 0;     // from 1 within the record
  std::int32_t recordPageCount = 0;  // pages of the record
  std::int32_t kind = kFamilyPage;
  // Family page: 0 the record's first page, 1 continues the husband's block,
  // 2 the wife's; children page: 1-based first child; notes page: the owner
  // (-1 marriage, 0 husband, 1 wife, 2 + n child n); sources page: 0-based
  // first citation.
  std::int32_t start = 0;
  // Family and children pages: 1-based direct-line child beginning on the
  // page, else 0; notes pages: 1.
  std::int32_t directChild = 0;
  // Family page: rows of the continued block already printed; children
  // page: rows of the first child printed before; notes page: byte offset
  // into the owner's notes; sources page: lines of the first citation
  // already printed.
  std::int32_t lineOffset = 0;
  // The record's citations in order of first use and their seen-before
  // flags, shared by all entries of the record.
  std::shared_ptr<std::vector<std::int32_t>> citations;
  std::shared_ptr<std::vector<std::uint8_t>> citationSeen;
};

// A child's block as the record lays it out.
struct FamilyGroupChild {
  int rows = 0;                // rows below the child's heading row
  bool hasSpouseRows = false;  // rows of a marriage (a split leaves 2 of them)
  bool photo = false;          // a photo, or room reserved for a missing one
};

struct FamilyGroupRecordShape {
  std::int32_t key = 0;
  int husbandHeight = 0;  // whole block heights, heading row included
  int wifeHeight = 0;
  std::vector<FamilyGroupChild> children;
  int directChild = 0;  // 1-based index of the direct-line child, 0 none
  bool preparedBy = false;
  bool legend = false;  // the relationship legend row under "Prepared by"
};

struct FamilyGroupPageSetup {
  int bodyHeight = 0;
  FamilyGroupRows rows;
  bool photos = false;        // photos printed
  bool reservePhoto = false;  // room kept for a missing photo
  int photoHeight = 0;        // P when photos are printed
};

// The photo height of a layout: the chosen height, else H + 6R; at most 10R.
int FamilyGroupPhotoHeight(const FamilyGroupRows& rows, int chosenHeight);

// Lays out the couple and children of one record from page number
// firstPage: the entries made (pageInRecord from 1; recordPageCount is left
// to the caller, who may add notes and sources pages) and the used height
// of the last page.
struct FamilyGroupRecordPages {
  std::vector<FamilyGroupPageEntry> entries;
  int usedHeight = 0;
};
FamilyGroupRecordPages LayoutFamilyGroupRecord(const FamilyGroupRecordShape& shape,
                                               const FamilyGroupPageSetup& setup,
                                               std::int32_t firstPage);

}  // namespace rpt
