#include "RecordObject.h"

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

int CRecordObject::Read(long n) {
  return DbGetRecord(static_cast<std::int32_t>(n), GetRecordType(), RefOf(this), 0, db::kWalkExact,
                     1, 1);
}

long CRecordObject::Add(int flag) {
  const std::int32_t n = DbAddRecord(GetRecordType(), flag, RefOf(this));
  if (n == 0) return 0;
  return SetRecordNumber(n);
}

int CRecordObject::Update(int flag) {
  return DbUpdateRecord(static_cast<std::int32_t>(GetRecordNumber()), GetRecordType(), RefOf(this),
                        flag);
}

int CRecordObject::Delete() {
  return DbDeleteRecord(static_cast<std::int32_t>(GetRecordNumber()), GetRecordType());
}
