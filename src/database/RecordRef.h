#pragma once
// The record object a record call of the engine fills or stores, chosen by
// the call's record type. A call whose type does not match the object it is
// handed fails instead of touching memory of another class.

#include <cstdint>
#include <variant>
#include <vector>

class CAlphaNameRecord;
class CCitationRecord;
class CContactRecord;
class CEventTypeRecord;
class CFamilyLinkRecord;
class CIndividualRecord;
class CMarriageRecord;
class CMultimediaItem;
class CPreparerRecord;
class CRepositoryRecord;
class CSourceRecord;
class CUserEventRecord;

// Types and the object each takes:
//   100, 121 CIndividualRecord     102 CMarriageRecord
//   118, 119, 120 CAlphaNameRecord 125 CPreparerRecord
//   130 CSourceRecord              131 CRepositoryRecord
//   132 CCitationRecord            139 CUserEventRecord
//   141 CEventTypeRecord           142 CFamilyLinkRecord
//   145 CContactRecord             148 CMultimediaItem
//   137 std::vector<CSourceRecord>      138 std::vector<CRepositoryRecord>
//   140 std::vector<CEventTypeRecord>
//   149, 150 (updates only) a note block number
using RecordRef =
    std::variant<std::monostate, std::int32_t, CIndividualRecord*, CMarriageRecord*,
                 CFamilyLinkRecord*, CAlphaNameRecord*, CPreparerRecord*, CSourceRecord*,
                 CRepositoryRecord*, CCitationRecord*, CUserEventRecord*, CEventTypeRecord*,
                 CContactRecord*, CMultimediaItem*, std::vector<CSourceRecord>*,
                 std::vector<CRepositoryRecord>*, std::vector<CEventTypeRecord>*>;
