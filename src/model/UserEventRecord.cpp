#include "UserEventRecord.h"

CUserEventRecord::CUserEventRecord(long value) : value(value) { Clear(); }

CUserEventRecord::CUserEventRecord(long ownerNumber, char ownerKind, long eventTypeNumber,
                                   long value)
    : value(value),
      eventTypeNumber(static_cast<std::int32_t>(eventTypeNumber)),
      ownerNumber(static_cast<std::int32_t>(ownerNumber)),
      ownerKind(ownerKind),
      event(std::make_unique<CEventValue>()) {}

void CUserEventRecord::Clear() {
  recordNumber = 0;
  number2 = 0;
  number3 = 0;
  eventTypeNumber = 0;
  ownerNumber = 0;
  ownerKind = ' ';
  yesNo = 0;
  event = std::make_unique<CEventValue>();
}
