#pragma once
// Date-consistency rules. An editing screen keeps a list of small rule objects
// over its event objects and runs them when the user changes a date; a broken
// rule answers with a message, and the screen decides what to do with it.
//
// Rules only read: they compare dates through CDateValue::CompareOrder (so a
// date decided only by its qualifier counts like any other order) and never
// change a stored date. The event objects belong to the screen and must
// outlive the rules.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "DateValue.h"
#include "Object.h"

class CEventObject;

class CDateRule : public CObject {
 public:
  ~CDateRule() override = default;
  // 1 when the rule holds for the changed event object; 0 with message set
  // when the change breaks it. The base rule always holds.
  virtual int Check(const CEventObject* changed, std::string& message) const;

 protected:
  CDateRule() = default;
};

// The first event's date must not be after the second's.
class CDateOrderRule : public CDateRule {
 public:
  // Message ids 0 mean the standard texts ("The %1 date is after the %2
  // date." and "... before ...").
  CDateOrderRule(const CEventObject* first, const CEventObject* second, int firstMessageId = 0,
                 int secondMessageId = 0);
  int Check(const CEventObject* changed, std::string& message) const override;

 private:
  const CEventObject* first_;
  const CEventObject* second_;
  int firstMessageId_;
  int secondMessageId_;
};

// The first date plus a span must not be after the second date (span on the
// first), or the first date must not be after the second date plus the span
// (the reverse form). The span is a date value holding years, months and days.
class CDateSpanRule : public CDateRule {
 public:
  CDateSpanRule(const CEventObject* first, const CDateValue& span, const CEventObject* second,
                int messageId);
  static std::unique_ptr<CDateSpanRule> DateSpanRuleReverse(const CEventObject* first,
                                                            const CEventObject* second,
                                                            const CDateValue& span, int messageId);
  int Check(const CEventObject* changed, std::string& message) const override;

 private:
  CDateSpanRule(const CEventObject* first, const CEventObject* second, const CDateValue& span,
                int messageId, bool spanOnFirst);

  const CEventObject* first_;
  const CEventObject* second_;
  CDateValue span_;
  std::string message_;
  bool spanOnFirst_;
};

// An event compared with a fixed date: as a lower bound (the constructor; the
// event must not be before the fixed date) or as an upper bound
// (FixedDateRuleFromId; the event must not be after it).
class CFixedDateRule : public CDateRule {
 public:
  // An empty override text gives "The %1 date is before %2.".
  CFixedDateRule(const CDateValue& fixed, const CEventObject* event, std::string overrideText = {});
  // overrideId 0 gives "The %1 date is after %2.".
  static std::unique_ptr<CFixedDateRule> FixedDateRuleFromId(const CEventObject* event,
                                                             const CDateValue& fixed,
                                                             int overrideId);
  int Check(const CEventObject* changed, std::string& message) const override;

 private:
  const CEventObject* event_;
  CDateValue fixed_;
  bool after_ = false;
  std::string override_;
};

// What the temple rule asks of the Edit Individual screen's model, which
// implements it: 1 when its "Place if living" row holds no text.
class CPlaceIfLivingGate {
 public:
  virtual ~CPlaceIfLivingGate() = default;
  virtual int IsPlaceIfLivingEmpty() const = 0;
};

// An ordinance must lie within the time its temple (from the process-wide
// temple table) was open. With a gate, the rule is checked only while the
// "Place if living" row is empty.
class CTempleOpenRule : public CDateRule {
 public:
  CTempleOpenRule(const CEventObject* ordinance, const CPlaceIfLivingGate* gate);
  int Check(const CEventObject* changed, std::string& message) const override;

 private:
  const CEventObject* ordinance_;
  const CPlaceIfLivingGate* gate_;
};

// The two years of a dual date may be at most ten years apart; holds for any
// changed event.
class CDualDateRule : public CDateRule {
 public:
  static constexpr int kMaxDualSpan = 10;

  CDualDateRule() = default;
  int Check(const CEventObject* changed, std::string& message) const override;
};

// The rules of one editing screen, owned and checked in the order added.
class CDateRuleList {
 public:
  CDateRuleList() = default;
  CDateRuleList(const CDateRuleList&) = delete;
  CDateRuleList& operator=(const CDateRuleList&) = delete;
  ~CDateRuleList() { DeleteAll(); }

  void Add(std::unique_ptr<CDateRule> rule);
  // 1 when every rule holds; else 0 with the message of the first broken one.
  int CheckAll(const CEventObject* changed, std::string& message) const;
  void DeleteAll() { rules_.clear(); }
  std::size_t GetCount() const { return rules_.size(); }

 private:
  std::vector<std::unique_ptr<CDateRule>> rules_;
};
