#pragma once
// Footnote numbers of citations within a section of a report (a chapter of
// a book, a family record, an individual) and the sorted number lists that
// the marks after a fact are printed from.

#include <cstdint>
#include <vector>

// The footnote number of citation within the current section. numbered holds
// the citations numbered so far (one entry per new number); seenFlags one
// flag per entry of numbered, 1 when the citation's image reference was met
// before (the footnote is then printed in its short form); sectionStarts
// (may be null) the position in the source list at which each section from
// the second on begins; section the current section, counted from 1.
//
// The source and image lists are kept across calls until
// DiscardCitationNumberLists; a citation that cannot be read counts as one of
// source 0.
int NumberCitation(std::int32_t citation, std::vector<std::int32_t>& numbered,
                   std::vector<std::uint8_t>& seenFlags,
                   const std::vector<std::uint16_t>* sectionStarts, int section);

// Forgets the sources and image references NumberCitation has seen: numbering
// starts afresh with the next report, family record or person.
void DiscardCitationNumberLists();

// Inserts number into the ascending list unless it is there already.
void InsertSortedNumber(std::int32_t number, std::vector<std::int32_t>& list);
