#include "FamilyLinkRecord.h"

CFamilyLinkRecord::CFamilyLinkRecord() {
  Reset();
  sealing = std::make_unique<COrdinanceValue>();
  sealing->kind = 'S';
}

void CFamilyLinkRecord::Reset() {
  firstParentRelation = 'b';
  secondParentRelation = 'b';
  thirdLetter = 'V';
  if (sealing) {
    const char kind = sealing->kind;
    *sealing = COrdinanceValue{};
    sealing->kind = kind;
  }
  mrin = 0;
  nextInMarriage = 0;
  nextInParents = 0;
  child = 0;
  linkNumber = 0;
}
