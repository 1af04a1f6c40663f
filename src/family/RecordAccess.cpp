#include "RecordAccess.h"

#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FamilyLinkRecord.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "UserEventRecord.h"

namespace {

// The object as the record calls take it, by its record type; an object
// whose class does not carry that type goes as no record, which the engine
// refuses.
RecordRef RefOf(CRecordObject* r) {
  switch (r->GetRecordType()) {
    case CIndividualRecord::kRecordType:
      if (auto* p = dynamic_cast<CIndividualRecord*>(r)) return p;
      break;
    case CMarriageRecord::kRecordType:
      if (auto* p = dynamic_cast<CMarriageRecord*>(r)) return p;
      break;
    case CFamilyLinkRecord::kRecordType:
      if (auto* p = dynamic_cast<CFamilyLinkRecord*>(r)) return p;
      break;
    case CUserEventRecord::kRecordType:
      if (auto* p = dynamic_cast<CUserEventRecord*>(r)) return p;
      break;
    case CEventTypeRecord::kRecordType:
      if (auto* p = dynamic_cast<CEventTypeRecord*>(r)) return p;
      break;
    default:
      break;
  }
  return {};
}

}  // namespace

namespace family {

int Read(CRecordObject& record, long n) {
  return DbGetRecord(static_cast<std::int32_t>(n), record.GetRecordType(), RefOf(&record), 0,
                     db::kWalkExact, 1, 1);
}

long Add(CRecordObject& record, int flag) {
  const std::int32_t n = DbAddRecord(record.GetRecordType(), flag, RefOf(&record));
  if (n == 0) return 0;
  return record.SetRecordNumber(n);
}

int Update(CRecordObject& record, int flag) {
  return DbUpdateRecord(static_cast<std::int32_t>(record.GetRecordNumber()), record.GetRecordType(),
                        RefOf(&record), flag);
}

int Delete(CRecordObject& record) {
  return DbDeleteRecord(static_cast<std::int32_t>(record.GetRecordNumber()),
                        record.GetRecordType());
}

}  // namespace family
