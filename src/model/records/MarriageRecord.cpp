#include "MarriageRecord.h"

#include <algorithm>

CMarriageRecord ScratchMarriageRecord;

CMarriageRecord::CMarriageRecord() {
  sealingToSpouse.kind = 'S';
  Clear();
}

void CMarriageRecord::Clear() {
  std::fill(std::begin(numbers), std::end(numbers), 0);
  marriage = CEventValue{};
  const char kind = sealingToSpouse.kind;
  sealingToSpouse = COrdinanceValue{};
  sealingToSpouse.kind = kind;
  husband = 0;
  wife = 0;
  value1 = 0;
  value2 = -1;
  childCount = 0;
  status = 0;
  flags = 0;
}
