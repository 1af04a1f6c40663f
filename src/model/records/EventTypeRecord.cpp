#include "EventTypeRecord.h"

#include "DbCodes.h"

void CEventTypeRecord::Clear() {
  recordNumber = 0;
  title.clear();
  shortTitle.clear();
  abbreviation.clear();
  tag.clear();
  verbPhrase.clear();
  placePreposition.clear();
  dateKind = 1;
  hasDescription = 0;
  ownerKind = db::kOwnerIndividual;
}
