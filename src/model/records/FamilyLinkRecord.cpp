#include "FamilyLinkRecord.h"

CFamilyLinkRecord::CFamilyLinkRecord() {
  Reset();
  sealing = std::make_unique<COrdinanceObject>(nullptr, 'S');
}

void CFamilyLinkRecord::Reset() {
  firstParentRelation = 'b';
  secondParentRelation = 'b';
  thirdLetter = 'V';
  if (sealing) sealing->Clear(sealing->kind);
  mrin = 0;
  nextInMarriage = 0;
  nextInParents = 0;
  child = 0;
  linkNumber = 0;
}
