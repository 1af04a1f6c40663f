#include "DateRule.h"

#include <utility>

#include "CodePage.h"
#include "EventObject.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TempleTable.h"

namespace {

const CDateValue* DateOf(const CEventObject* event) {
  return event != nullptr ? event->GetDate() : nullptr;
}

// A date that holds nothing at all (what an untouched date row holds).
bool IsEmptyDate(const CDateValue* date) {
  static const CDateValue kEmpty;
  return date == nullptr || date->Equals(kEmpty);
}

// Whether a two-event rule has something to compare.
bool BothDated(const CEventObject* changed, const CEventObject* first, const CEventObject* second) {
  return changed != nullptr && first != nullptr && second != nullptr &&
         !IsEmptyDate(DateOf(first)) && !IsEmptyDate(DateOf(second));
}

std::string Label(const CEventObject* event) { return plat::AnsiLower(event->GetLabel()); }

std::string LoadId(int id) { return id != 0 ? res::LoadString(static_cast<unsigned>(id)) : ""; }

}  // namespace

int CDateRule::Check(const CEventObject* /*changed*/, std::string& /*message*/) const { return 1; }

// ---- order ----

CDateOrderRule::CDateOrderRule(const CEventObject* first, const CEventObject* second,
                               int firstMessageId, int secondMessageId)
    : first_(first),
      second_(second),
      firstMessageId_(firstMessageId),
      secondMessageId_(secondMessageId) {}

int CDateOrderRule::Check(const CEventObject* changed, std::string& message) const {
  if (!BothDated(changed, first_, second_)) return 1;
  const CDateValue& firstDate = *DateOf(first_);
  const CDateValue& secondDate = *DateOf(second_);
  if (changed == first_ && firstDate.CompareOrder(secondDate) >= 1) {
    message = firstMessageId_ != 0
                  ? LoadId(firstMessageId_)
                  : res::FormatString(res::kIdsDateAfter, {Label(first_), Label(second_)});
    return 0;
  }
  if (changed == second_ && secondDate.CompareOrder(firstDate) < 0) {
    if (secondMessageId_ != 0)
      message = LoadId(secondMessageId_);
    else if (firstMessageId_ != 0)
      message = LoadId(firstMessageId_);
    else
      message = res::FormatString(res::kIdsDateBefore, {Label(second_), Label(first_)});
    return 0;
  }
  return 1;
}

// ---- span ----

CDateSpanRule::CDateSpanRule(const CEventObject* first, const CDateValue& span,
                             const CEventObject* second, int messageId)
    : CDateSpanRule(first, second, span, messageId, true) {}

CDateSpanRule::CDateSpanRule(const CEventObject* first, const CEventObject* second,
                             const CDateValue& span, int messageId, bool spanOnFirst)
    : first_(first),
      second_(second),
      span_(span),
      message_(LoadId(messageId)),
      spanOnFirst_(spanOnFirst) {}

std::unique_ptr<CDateSpanRule> CDateSpanRule::DateSpanRuleReverse(const CEventObject* first,
                                                                  const CEventObject* second,
                                                                  const CDateValue& span,
                                                                  int messageId) {
  return std::unique_ptr<CDateSpanRule>(new CDateSpanRule(first, second, span, messageId, false));
}

int CDateSpanRule::Check(const CEventObject* changed, std::string& message) const {
  if (!BothDated(changed, first_, second_)) return 1;
  // The span is added to copies: the events' dates stay as they are.
  CDateValue firstDate = *DateOf(first_);
  CDateValue secondDate = *DateOf(second_);
  if (!firstDate.IsSet() || !secondDate.IsSet() || firstDate.IsStatus() || secondDate.IsStatus())
    return 1;
  if (spanOnFirst_)
    firstDate.AddSpan(span_);
  else
    secondDate.AddSpan(span_);
  const bool broken = (changed == first_ && firstDate.CompareOrder(secondDate) > 0) ||
                      (changed == second_ && secondDate.CompareOrder(firstDate) < 0);
  if (!broken) return 1;
  message = message_;
  return 0;
}

// ---- fixed date ----

CFixedDateRule::CFixedDateRule(const CDateValue& fixed, const CEventObject* event,
                               std::string overrideText)
    : event_(event), fixed_(fixed), after_(false), override_(std::move(overrideText)) {}

std::unique_ptr<CFixedDateRule> CFixedDateRule::FixedDateRuleFromId(const CEventObject* event,
                                                                    const CDateValue& fixed,
                                                                    int overrideId) {
  auto rule = std::make_unique<CFixedDateRule>(fixed, event, LoadId(overrideId));
  rule->after_ = true;
  return rule;
}

int CFixedDateRule::Check(const CEventObject* changed, std::string& message) const {
  if (changed == nullptr || changed != event_) return 1;
  const CDateValue* date = DateOf(event_);
  if (!CDateValue::IsSet(date) || !fixed_.IsSet()) return 1;
  const int order = date->CompareOrder(fixed_);
  const bool broken = after_ ? order >= 1 : order < 0;
  if (!broken) return 1;
  if (!override_.empty()) {
    message = override_;
  } else {
    const std::string year = std::to_string(fixed_.year);
    message = res::FormatString(after_ ? res::kIdsAfterFixed : res::kIdsBeforeFixed,
                                {Label(event_), year});
  }
  return 0;
}

// ---- temple ----

CTempleOpenRule::CTempleOpenRule(const CEventObject* ordinance, const CPlaceIfLivingGate* gate)
    : ordinance_(ordinance), gate_(gate) {}

int CTempleOpenRule::Check(const CEventObject* changed, std::string& message) const {
  if (changed == nullptr || changed != ordinance_) return 1;
  if (gate_ != nullptr && gate_->IsPlaceIfLivingEmpty() != 1) return 1;
  const CTempleEntry* temple = TempleTable().Lookup(ordinance_->GetPlace());
  if (temple == nullptr) return 1;
  const CDateValue* date = DateOf(ordinance_);
  if (!CDateValue::IsSet(date) || !temple->openingDate.IsSet()) return 1;
  if (temple->WasOpenOn(*date)) return 1;
  message = res::FormatString(res::kIdsTempleClosed, {Label(ordinance_), temple->name});
  return 0;
}

// ---- dual date ----

int CDualDateRule::Check(const CEventObject* changed, std::string& message) const {
  const CDateValue* date = DateOf(changed);
  if (date == nullptr || date->dualYear <= kMaxDualSpan) return 1;
  message = res::LoadString(res::kIdsDualDateTooWide);
  return 0;
}

// ---- list ----

void CDateRuleList::Add(std::unique_ptr<CDateRule> rule) {
  if (rule) rules_.push_back(std::move(rule));
}

int CDateRuleList::CheckAll(const CEventObject* changed, std::string& message) const {
  for (const auto& rule : rules_)
    if (rule->Check(changed, message) == 0) return 0;
  return 1;
}
