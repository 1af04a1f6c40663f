#pragma once
// The marriage record (record type 102): the buffer between the family file
// and the in-memory marriage.

#include <cstdint>

#include "DbCodes.h"
#include "EventValue.h"
#include "RecordObject.h"

class CMarriageNode;

class CMarriageRecord : public CRecordObject {
 public:
  static constexpr int kRecordType = db::kMarriage;
  static constexpr int kMrin = 0;  // position of the MRIN in numbers[]

  CMarriageRecord();

  long GetRecordNumber() const override { return numbers[kMrin]; }
  int GetRecordType() const override { return kRecordType; }

  // Numbers, husband and wife 0, the event and the sealing empty (the sealing
  // keeps its kind 'S'), value2 -1, count, status and flag 0.
  void Clear();
  // Cleared and filled from an in-memory marriage (defined with CMarriageNode).
  void SetFromNode(const CMarriageNode& node);

  std::int32_t numbers[5] = {};  // the MRIN, then four numbers of the engine
  CEventValue marriage;
  COrdinanceValue sealingToSpouse;
  std::int32_t husband = 0;  // RIN, 0 = none
  std::int32_t wife = 0;     // RIN, 0 = none
  std::int32_t value1 = 0;
  std::int32_t value2 = -1;
  std::int16_t childCount = 0;
  char status = 0;  // 'D' divorced, 'M' otherwise (as the Marriage screen stores it)
  std::uint8_t flags = 0;
};

// Shared read buffer for whoever reads one marriage at a time.
extern CMarriageRecord ScratchMarriageRecord;
