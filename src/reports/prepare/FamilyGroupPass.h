#pragma once
// The Family Group Record pass over the records of a selection: each record
// is measured (by the caller's record reader), laid out on pages after the
// records before it, and its entries get the record's page count and share
// the record's citation list.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "FamilyGroupLayout.h"
#include "FamilyGroupNotes.h"
#include "FamilyGroupSelection.h"

namespace rpt {

// One record as measured: its blocks, notes owners and citations.
struct FamilyGroupRecordContent {
  FamilyGroupRecordShape shape;
  std::vector<FamilyGroupNotesOwner> notes;  // owners with notes, in order
  std::vector<std::int32_t> citations;       // the record's citation list
  std::vector<std::uint8_t> citationSeen;    // seen-before flags, parallel
  std::vector<std::string> citationTexts;    // the source notes, parallel
};

// Reads and measures a record; none for a family that does not exist.
using FamilyGroupRecordReader =
    std::function<std::optional<FamilyGroupRecordContent>(const FamilyGroupRequest&)>;

struct FamilyGroupPassSetup {
  FamilyGroupPageSetup pages;
  FamilyGroupNotesSetup notes;
};

// Lays out one measured record from report page firstPage: its entries,
// numbered within the record, sharing the record's citation list.
std::vector<FamilyGroupPageEntry> LayOutFamilyGroupRecord(FamilyGroupRecordContent content,
                                                          const FamilyGroupPassSetup& setup,
                                                          const FamilyGroupLineFit& fit,
                                                          std::int32_t firstPage);

// Runs the selection and lays out every record it makes. Answers the page
// entries of the report, numbered from 1.
std::vector<FamilyGroupPageEntry> PaginateFamilyGroupRecords(
    const FamilyGroupSelection& selection, FamilyGroupTree& tree, CascadeMarks* marks,
    const FamilyGroupRecordReader& read, const FamilyGroupPassSetup& setup,
    const FamilyGroupLineFit& fit, const std::function<bool()>& running);

}  // namespace rpt
