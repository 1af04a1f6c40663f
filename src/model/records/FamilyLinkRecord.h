#pragma once
// The family link record (record type 142): one child in one parents'
// marriage, with the child's sealing to those parents.

#include <cstdint>
#include <memory>

#include "DbCodes.h"
#include "OrdinanceObject.h"
#include "RecordObject.h"

class CFamilyLinkRecord : public CRecordObject {
 public:
  static constexpr int kRecordType = db::kFamilyLink;

  CFamilyLinkRecord();

  long GetRecordNumber() const override { return linkNumber; }
  long SetRecordNumber(long n) override {
    linkNumber = static_cast<std::int32_t>(n);
    return n;
  }
  int GetRecordType() const override { return kRecordType; }

  // Relationship letters 'b', 'b', third letter 'V', numbers 0, the sealing
  // cleared (it keeps its kind).
  void Reset();

  // A link whose MRIN is 0 names no family.
  bool HasFamily() const { return mrin != 0; }

  // The sealing to these parents; null only after SetSealingEvent(nullptr).
  COrdinanceObject* GetSealingEvent() { return sealing.get(); }
  const COrdinanceObject* GetSealingEvent() const { return sealing.get(); }
  // Replaces the sealing by the one the engine built (the old one is freed).
  void SetSealingEvent(std::unique_ptr<COrdinanceObject> event) { sealing = std::move(event); }

  char firstParentRelation = 'b';   // the child's relationship to the first parent
  char secondParentRelation = 'b';  // ... to the second parent
  char thirdLetter = 'V';
  std::int32_t mrin = 0;            // the parents' marriage, 0 = none
  std::int32_t nextInMarriage = 0;  // next link in the marriage's children ring
  std::int32_t nextInParents = 0;   // next link in the child's parents ring
  std::int32_t child = 0;           // the child's RIN
  std::int32_t linkNumber = 0;      // the link's own record number

 private:
  std::unique_ptr<COrdinanceObject> sealing;  // kind 'S'
};
