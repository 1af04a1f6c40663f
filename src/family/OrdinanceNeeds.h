#pragma once
// Whether an ordinance still has to be done, and whether an individual ends
// a line (no known parents). The incomplete-ordinance lists, the field
// filter and the custom report fields share these rules.

#include <cstdint>

class COrdinanceValue;
class CIndividualRecord;

// The incomplete-ordinance options NeedsOrdinance reads: count ordinances
// marked Submitted or Cleared, and those marked Completed, Done or
// Pre-1970, as still to be done. Both start off; the incomplete-ordinance
// list leaves the values of its last run here.
struct IncompleteOrdinanceOptions {
  bool includeSubmitted = false;
  bool includeCompleted = false;
};
IncompleteOrdinanceOptions& GetIncompleteOrdinanceOptions();

// 1 when the ordinance still has to be done, else 0. Nothing recorded (or
// Uncleared) needs doing; "not to be done" does not; a done ordinance only
// when its status is Completed, Done or Pre-1970 and completed ones are
// included; a cleared or submitted one when submitted ones are included.
int NeedsOrdinance(const COrdinanceValue* value);
// The same rule with the given options.
int NeedsOrdinance(const COrdinanceValue* value, const IncompleteOrdinanceOptions& options);

// 1 when the individual has no parent family, or its parent family has
// neither husband nor wife; else 0.
int IsEndOfLine(const CIndividualRecord& record);
