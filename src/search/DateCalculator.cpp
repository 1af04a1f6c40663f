#include "DateCalculator.h"

#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace kin {

void CDateCalculatorLogic::Clear() {
  startText.clear();
  endText.clear();
  span = DateSpan{};
  startValue.SetToday();
  endValue.SetToday();
  startCalendarHidden = endCalendarHidden = false;
}

void CDateCalculatorLogic::ShowDate(bool start, CDateValue date) {
  if (date.year != 0) {
    if (date.day == 0) date.day = 1;
    if (date.month == 0) date.month = 1;
  }
  (start ? startValue : endValue) = date;
  (start ? startCalendarHidden : endCalendarHidden) = CalendarHiddenFor(date);
}

bool CDateCalculatorLogic::AcceptText(bool start) {
  std::string& text = start ? startText : endText;
  if (text.empty()) {
    (start ? startCalendarHidden : endCalendarHidden) = false;
    return true;
  }
  CDateValue date;
  const std::string typed = text;
  if (date.CheckEntry(text, true, 0, true, true, false, false) == 0) {
    plat::MessageBox(typed + res::LoadString(res::kIdsInvalidDate), {}, plat::kMbOk);
    return false;
  }
  ShowDate(start, date);
  return true;
}

void CDateCalculatorLogic::ChooseDay(bool start, int year, int month, int day) {
  const CDateValue date = CDateValue::DateValueFromParts(year, month, day, 0);
  (start ? startText : endText) = date.Format();
  ShowDate(start, date);
}

int CDateCalculatorLogic::Calculate(const std::function<int()>& askSolver) {
  const bool haveStart = !startText.empty();
  const bool haveEnd = !endText.empty();
  const bool haveSpan = span.years != 0 || span.months != 0 || span.days != 0;
  const int filled = int(haveStart) + int(haveEnd) + int(haveSpan);
  if (filled < 2) {
    plat::MessageBox(res::LoadString(res::kIdsFillTwoPortions), {}, plat::kMbOk);
    return 0;
  }
  int mode = !haveStart ? kSolveStart : !haveEnd ? kSolveEnd : kSolveDifference;
  if (filled == 3) {
    mode = askSolver ? askSolver() : kSolveCancel;
    if (mode == kSolveStart)
      startText.clear();
    else if (mode == kSolveDifference)
      span = DateSpan{};
    else if (mode == kSolveEnd)
      endText.clear();
    else
      return 0;
  }
  if (!startText.empty() && !AcceptText(true)) return kStartEdit;
  if (!endText.empty() && !AcceptText(false)) return kEndEdit;
  if (mode == kSolveStart)
    ComputeStartDate();
  else if (mode == kSolveEnd)
    ComputeEndDate();
  else
    ComputeDifferenceSpan();
  return 0;
}

void CDateCalculatorLogic::ComputeStartDate() {
  const CDateValue date = FromCounted(ComputeStart(ToCounted(endValue), span));
  startText = date.Format();
  ShowDate(true, date);
}

void CDateCalculatorLogic::ComputeEndDate() {
  const CDateValue date = FromCounted(ComputeEnd(ToCounted(startValue), span));
  endText = date.Format();
  ShowDate(false, date);
}

void CDateCalculatorLogic::ComputeDifferenceSpan() {
  DateSpan result;
  if (!ComputeDifference(ToCounted(startValue), ToCounted(endValue), result)) {
    plat::MessageBox(res::LoadString(res::kIdsStartAfterEnd), {}, plat::kMbOk);
    return;
  }
  span = result;
}

}  // namespace kin
