#include "LiveBaptismRule.h"

#include <cctype>

#include "EventObject.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace

CLiveBaptismRule::CLiveBaptismRule(const CPlaceIfLivingGate* model, const CEventObject* baptism,
                                   const CEventObject* other, int messageId)
    : CDateOrderRule(baptism, other, messageId, messageId), model_(model), baptism_(baptism) {}

int CLiveBaptismRule::Check(const CEventObject* changed, std::string& message) const {
  if (model_ == nullptr || model_->IsPlaceIfLivingEmpty()) return 1;
  if (!CDateOrderRule::Check(changed, message)) return 0;
  if (changed == nullptr || changed != baptism_) return 1;
  const std::string text = changed->GetDateText();
  if (EqualNoCase(text, res::LoadString(res::kIdsStatusChild)) ||
      EqualNoCase(text, res::LoadString(res::kIdsStatusInfant))) {
    message = res::LoadString(res::kIdsLiveBaptismUnlikely);
    return 0;
  }
  return 1;
}
