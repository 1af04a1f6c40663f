#pragma once
// The general notes and sources pages of one Family Group Record: where the
// notes of each owner (the marriage, husband, wife, children) and the lines
// of each citation fall on the record's pages, and the number a citation
// prints as within its record.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "FamilyGroupLayout.h"

namespace rpt {

// Owner codes of notes pages: the marriage, husband, wife, then child n at
// kNotesOwnerChild + n.
constexpr int kNotesOwnerMarriage = -1;
constexpr int kNotesOwnerHusband = 0;
constexpr int kNotesOwnerWife = 1;
constexpr int kNotesOwnerChild = 2;

struct FamilyGroupNotesOwner {
  int owner = kNotesOwnerHusband;
  std::string text;  // the notes as printed (marks stripped), CR LF between paragraphs
};

// Where a line starting at the front of the text ends (as FitTextLine
// answers: the next line's first character or the CR of a CR LF).
using FamilyGroupLineFit = std::function<std::size_t(std::string_view)>;

// Where the next line of text begins after the line that starts at pos (a
// line always moves on), and past one CR LF at pos. The pass and the pages
// step through note and source texts with these two alone.
std::size_t FamilyGroupNextLine(std::string_view text, std::size_t pos,
                                const FamilyGroupLineFit& fit);
std::size_t FamilyGroupSkipLineBreak(std::string_view text, std::size_t pos);

struct FamilyGroupNotesSetup {
  int bodyHeight = 0;
  int heading = 240;       // H of the layout
  int lineHeight = 1;      // notes line height
  bool firstPage = false;  // notes may begin on the record's first page
};

// Adds the notes pages (kNotesPage) and sources pages (kSourcesPage) of a
// record to pages, whose usedHeight is where the couple and children end.
// owners: those with notes, in printing order (none when general notes are
// off); citations: the texts of the record's citation list, in order (none
// when source notes are off). New entries carry the key of the record's
// first entry and follow on its page numbers.
void PaginateFamilyGroupNotes(FamilyGroupRecordPages& pages,
                              const std::vector<FamilyGroupNotesOwner>& owners,
                              const std::vector<std::string>& citations,
                              const FamilyGroupNotesSetup& setup, const FamilyGroupLineFit& fit);

// The number a citation prints as in its record: one more than the position
// of the first citation of the same source in the record's list, 0 when the
// citation's source is not in it. sourceOf answers a citation's source.
int RecordCitationNumber(const std::vector<std::int32_t>& recordCitations, std::int32_t citation,
                         const std::function<std::int32_t(std::int32_t)>& sourceOf);

}  // namespace rpt
