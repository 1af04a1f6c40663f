#pragma once
// A live baptism (one with a "Place if living") is unlikely for someone
// whose baptism says they died as a child or infant. Built on the order
// rule between the baptism and another event; the edit model tells whether
// the "Place if living" row is filled.

#include <string>

#include "DateRule.h"

class CLiveBaptismRule : public CDateOrderRule {
 public:
  CLiveBaptismRule(const CPlaceIfLivingGate* model, const CEventObject* baptism,
                   const CEventObject* other, int messageId);
  // Passes while "Place if living" is empty; else the order check, then a
  // baptism whose text is "Child" or "Infant" (any case) fails.
  int Check(const CEventObject* changed, std::string& message) const override;

 private:
  const CPlaceIfLivingGate* model_;
  const CEventObject* baptism_;
};
