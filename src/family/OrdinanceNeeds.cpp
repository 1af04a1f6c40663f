#include "OrdinanceNeeds.h"

#include "DbCalls.h"
#include "DbCodes.h"
#include "EventValue.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"

IncompleteOrdinanceOptions& GetIncompleteOrdinanceOptions() {
  static IncompleteOrdinanceOptions options;
  return options;
}

int NeedsOrdinance(const COrdinanceValue* value) {
  return NeedsOrdinance(value, GetIncompleteOrdinanceOptions());
}

int NeedsOrdinance(const COrdinanceValue* value, const IncompleteOrdinanceOptions& options) {
  if (value == nullptr) return 1;
  const CDateValue& date = value->date;
  switch (CDateValue::GetOrdinanceState(&date, value->kind)) {
    case CDateValue::kOrdinanceNothing:
      return 1;
    case CDateValue::kOrdinanceNotToBeDone:
      return 0;
    case CDateValue::kOrdinanceDone:
      return (date.month == CDateValue::kStatusCompleted || date.month == CDateValue::kStatusDone ||
              date.month == CDateValue::kStatusPre1970) &&
                     options.includeCompleted
                 ? 1
                 : 0;
    default:
      return options.includeSubmitted ? 1 : 0;
  }
}

int IsEndOfLine(const CIndividualRecord& record) {
  const std::int32_t mrin = record.numbers[CIndividualRecord::kParentsMrin];
  if (mrin <= 0) return 1;
  CMarriageRecord parents;
  if (DbGetRecord(mrin, db::kMarriage, &parents) != 1) return 1;
  return parents.husband == 0 && parents.wife == 0 ? 1 : 0;
}
