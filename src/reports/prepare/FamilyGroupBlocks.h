#pragma once
// The person blocks of a Family Group Record as rows: the husband's and
// wife's blocks and each child's block, read from the open family file with
// their captions, dates, places, descriptions and citation numbers. The pass
// counts these rows to lay the record out and the page generator draws the
// same rows, so a block is as tall on the page as the pass measured it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "FamilyGroupLayout.h"
#include "FamilyGroupOptions.h"

namespace rpt {

// Roles of a name row: the block's own person, then the people named on
// rows inside a block.
enum FamilyGroupRole : int {
  kRoleChild = 1,
  kRoleHusband = 2,
  kRoleWife = 3,
  kRoleHusbandFather = 4,
  kRoleHusbandMother = 5,
  kRoleWifeFather = 6,
  kRoleWifeMother = 7,
  kRoleChildSpouse = 8,
  kRoleOtherSpouse = 9,
};

// The number a citation prints as in the record; 0 leaves it out. Empty
// when citations are not numbered (source notes off, or a child's rows
// under "notes of parents only").
using FamilyGroupCitationNumber = std::function<int(std::int32_t citation)>;

// Citation numbers shown with a row, ascending without repeats.
struct FamilyGroupMarks {
  std::vector<std::int32_t> date;
  std::vector<std::int32_t> place;
  std::vector<std::int32_t> row;
};

// Files a citation's number by what it applies to: 0 the date, 1 the place,
// 2 both (each present; the row when neither is), 3 the row; other values
// nowhere. A date or place that is absent passes its number to the row.
void FileFamilyGroupCitation(int appliesTo, std::int32_t number, bool hasDate, bool hasPlace,
                             FamilyGroupMarks& marks);

// One row below a block's name row, R high.
struct FamilyGroupRow {
  enum Kind : int {
    kEvent,    // an event row: caption, date, place, description
    kMarried,  // a marriage row, with the sealing to spouse beside it
    kPerson,   // a name row of roles 4 to 9
    kFiller,   // an empty row that keeps the block as tall as its ordinance box
  };
  Kind kind = kEvent;
  int role = 0;             // kPerson: the role
  std::string caption;      // kEvent and kMarried: the caption in the person's form
  std::string date, place;  // texts as printed ("" none)
  std::string description;  // a user event's description
  std::string name;         // kPerson: the name ("" none)
  std::int32_t rin = 0;     // kPerson: the person named
  std::int32_t mrin = 0;    // the family number shown on the row, 0 none
  FamilyGroupMarks marks;
  std::vector<std::int32_t> nameMarks;  // kPerson: the person's own citations
  // kMarried: the sealing to spouse.
  bool sealingCell = false;
  std::string sealDate, sealTemple;
  std::vector<std::int32_t> sealMarks;
};

// One line of the ZEL ordinance box.
struct FamilyGroupOrdinance {
  std::string caption;
  std::string date;    // printed when longer than 3 characters
  std::string temple;  // or "LIVE"
  std::vector<std::int32_t> marks;
};

struct FamilyGroupBlock {
  int role = kRoleHusband;  // kRoleHusband, kRoleWife or kRoleChild
  std::int32_t rin = 0;     // 0: the blank block of a missing spouse
  char sex = 'U';
  std::string name;
  std::vector<std::int32_t> nameMarks;
  std::vector<FamilyGroupOrdinance> ordinances;  // with ZEL data shown
  std::vector<FamilyGroupRow> rows;
  bool hasSpouseRows = false;  // a child with marriage rows
  bool photo = false;          // the person has a default photo

  int Rows() const { return static_cast<int>(rows.size()); }
};

// What the blocks read besides the options.
struct FamilyGroupBlockSetup {
  FamilyGroupOptions options;
  FamilyGroupCitationNumber number;  // empty: no citation numbers
};

// The husband's (role kRoleHusband) or wife's (kRoleWife) block of family
// mrin (0 for a lone parent); rin 0 gives the blank block of a missing
// spouse. Citations are numbered in the order the block shows them.
FamilyGroupBlock BuildSpouseBlock(std::int32_t rin, std::int32_t mrin, int role,
                                  const FamilyGroupBlockSetup& setup);
// The block of a child.
FamilyGroupBlock BuildChildBlock(std::int32_t rin, const FamilyGroupBlockSetup& setup);

// The height of a spouse block as the pass estimates it: H + rows x R; with
// photos, a block shorter than the photo (another H counted for the wife)
// takes the photo's height when room is reserved or the person has one.
int MeasureSpouseBlock(const FamilyGroupBlock& block, const FamilyGroupRows& rows,
                       const FamilyGroupOptions& options, int photoHeight);

// The printed name of a person: given names and surname, with "-RIN"
// unless suppressed; "" for 0 or a person that cannot be read.
std::string FamilyGroupPersonName(std::int32_t rin, bool suppressRin);

// The notes of an owner as printed (marks stripped, "!" only when
// markedOnly, "~" only when confident); mrin for the marriage.
std::string FamilyGroupNotesOf(std::int32_t number, bool marriage, const FamilyGroupOptions& o);

// The source note of a citation as printed on the sources pages.
std::string FamilyGroupCitationText(std::int32_t citation, bool shortForm,
                                    const FamilyGroupOptions& o);

}  // namespace rpt
