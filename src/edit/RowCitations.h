#pragma once
// The citation buttons of the editing screens' rows: which citation chain a
// row's button opens in Sources for, and what the screen keeps of it after
// the dialog (the chain's first citation, which Save writes back with the
// event or the record).

#include <cstdint>
#include <string>

class CEventObject;
class CFieldListRow;
class CIndividualEditModel;
class CMarriageEditModel;

struct RowCitationOwner {
  std::int32_t owner = 0;         // the record the chain hangs on
  char letter = 0;                // the owner letter of the chain
  std::int32_t second = 0;        // a user event's type
  std::int32_t first = 0;         // the first citation the screen knows
  std::string label;              // the row's label ("" for the record's own)
  CEventObject* event = nullptr;  // null: the record's own citations
};

// For a row of Edit Individual on the individual rin. The Title (suffix) row
// opens the individual's own citations; an event row its event's chain (a
// user event's on the user event record; the sealing to parents on the
// individual's sealing family link, made when there is none yet). False
// when the row has no citations or the link could not be made.
bool IndividualRowCitations(CIndividualEditModel& model, std::int32_t rin, const CFieldListRow* row,
                            RowCitationOwner& out);
// For a row of Edit Marriage on the marriage mrin: user events on their own
// record, the other events on the marriage by their letter.
bool MarriageRowCitations(CMarriageEditModel& model, std::int32_t mrin, const CFieldListRow* row,
                          RowCitationOwner& out);
// The first citation of an owner's chain in the file; 0 when it is empty.
std::int32_t FirstCitationOf(std::int32_t owner, char letter);
// After Sources for: reads the chain's first citation from the file and
// stores it in the event, or as the individual's own (model non-null).
// Answers it (0 when the chain is empty).
std::int32_t TakeRowCitations(const RowCitationOwner& target,
                              CIndividualEditModel* model = nullptr);
