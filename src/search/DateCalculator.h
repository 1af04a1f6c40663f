#pragma once
// What the Date Calculator decides: the start and end texts, the difference,
// the calendar values and whether each calendar gives way to its note, the
// check of typed dates and which portion a calculation computes. Messages go
// through the message-box port.

#include <functional>
#include <string>

#include "DateArithmetic.h"
#include "DateValue.h"

namespace kin {

class CDateCalculatorLogic {
 public:
  // Answers of the Solver: which portion to compute when all three are filled.
  static constexpr int kSolveStart = 1;
  static constexpr int kSolveDifference = 998;
  static constexpr int kSolveEnd = 999;
  static constexpr int kSolveCancel = 2;
  // Ids of the start and end edits (where the focus goes after a refusal).
  static constexpr int kStartEdit = 1113;
  static constexpr int kEndEdit = 1327;

  CDateCalculatorLogic() { Clear(); }

  // Texts empty, difference 0, both calendar values today, both calendars shown.
  void Clear();
  // The start (or end) edit was left: an empty text shows the calendar; a
  // date is checked with prompting and shown, or refused with a message
  // (false).
  bool AcceptText(bool start);
  // A day chosen in a calendar becomes that side's date and text.
  void ChooseDay(bool start, int year, int month, int day);
  // The Calculate button. askSolver is run when all three portions are
  // filled. Returns 0, or the edit id that must take the focus after a
  // refused date.
  int Calculate(const std::function<int()>& askSolver);

  std::string startText, endText;
  DateSpan span;
  CDateValue startValue, endValue;  // the calendars' values
  bool startCalendarHidden = false, endCalendarHidden = false;

 private:
  void ShowDate(bool start, CDateValue date);
  void ComputeStartDate();
  void ComputeEndDate();
  void ComputeDifferenceSpan();
};

}  // namespace kin
