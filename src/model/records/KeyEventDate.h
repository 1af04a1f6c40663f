#pragma once
// The key event of an individual for pages and lists: the first known of
// birth, christening, marriage, death and burial, as a short text of label
// letter and year ("b.1850") with its place.

#include <span>
#include <string>

class CIndividualRecord;
class CMarriageRecord;

// Works on records already read: the individual and its marriages in the
// order the database gives them (used only withMarriage; null entries are
// skipped). Returns the letter of the event used ('b', 'c', 'm', 'd', 'u'),
// or 0 with text and place emptied when none is known. place may be null.
char GetKeyEventDateOf(const CIndividualRecord& individual,
                       std::span<const CMarriageRecord* const> marriages, std::string& text,
                       std::string* place, bool withMarriage);
