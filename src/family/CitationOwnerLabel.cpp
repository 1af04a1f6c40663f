#include "CitationOwnerLabel.h"

#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextRoutines.h"
#include "UserEventRecord.h"

void GetCitationOwnerLabel(char ownerLetter, std::string& label, long recordNumber) {
  label.clear();
  const auto number = static_cast<std::int32_t>(recordNumber);
  switch (ownerLetter) {
    case db::kOwnerChristening:
      DbGetUserEventTitle(number, label);
      return;
    case db::kOwnerIndividualUserEvent:
    case db::kOwnerMarriageUserEvent: {
      CUserEventRecord event;
      CEventTypeRecord eventType;
      if (DbGetRecord(number, CUserEventRecord::kRecordType, &event) == 1 &&
          event.eventTypeNumber != 0 &&
          DbGetRecord(event.eventTypeNumber, CEventTypeRecord::kRecordType, &eventType) == 1)
        label = eventType.title;
      else
        label = res::LoadString(res::kIdsUnknown);
      return;
    }
    default:
      if (const unsigned id = CitationOwnerStringId(ownerLetter)) label = res::LoadString(id);
      return;
  }
}
