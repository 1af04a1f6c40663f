#pragma once
// What the Find dialog decides: the valid RIN and MRIN ranges of the open
// family file, which mode is in force, the label, range text and title it
// shows, whether the chosen number is a live record, and the step that turns
// a chosen marriage into one of its individuals. The dialog shows this state
// and forwards the user's choices; messages go through the message-box port.

#include <cstdint>
#include <string>

namespace shell {

// What the dialog does after a list dialog it opened has closed.
enum class FindOutcome {
  kStay,       // the Find dialog stays open
  kStayShow,   // it stays open and shows the number in its edit field
  kEndOk,      // it ends with OK; the number is the result
  kEndCancel,  // it ends with Cancel
};

class FindRecordLogic {
 public:
  // Follow-up of a chosen marriage.
  enum FollowUp : int {
    kFollowUpNone = 0,
    kFollowUpChildFirst = 1,  // first child, else husband, else wife
    kFollowUpSpouseOnly = 2,  // husband, else wife
  };
  static constexpr std::int32_t kMaxNumber = 2147483647;

  FindRecordLogic();

  // Opening: narrows the ranges to the live records of the open file, settles
  // the mode, clamps the number and fills the texts. Call once, before showing.
  void Open();

  // The user chose the RIN radio button.
  void ChooseIndividualMode();
  // The user chose the MRIN radio button; editText is the edit field's text,
  // read as an unsigned number (0 when it is none).
  void ChooseMarriageMode(const std::string& editText);

  // OK after the number passed the range check: 1 when the dialog may end
  // with OK (number and marriageMode hold the result), 0 when it stays open
  // after a message.
  int Accept();
  // Turns the marriage in number into one of its individuals as followUp
  // says; 1 done (or nothing to do), 0 after a message.
  int RunFollowUp();

  // Results of the list dialogs the Find dialog opens (dialog results are
  // plat::kIdOk, plat::kIdCancel or others).
  FindOutcome AfterMarriageList(int result, std::int32_t chosenMrin);
  FindOutcome AfterIndividualList(int result, std::int32_t chosenRin, int listState);
  FindOutcome AfterDescendancyList(int result, std::int32_t chosenRin);

  // The state the dialog shows.
  std::string Label() const;      // "RIN:" or "MRIN:"
  std::string RangeText() const;  // "" when neither mode is allowed
  std::string Title() const;      // "Find Individual", "Find Marriage"
  bool IndividualButtonEnabled() const { return individualAllowed; }
  bool MarriageButtonEnabled() const { return marriageAllowed; }
  bool NumberEnabled() const { return individualAllowed || marriageAllowed; }
  bool IndividualListEnabled() const { return individualListAllowed; }
  bool DescendancyListEnabled() const { return !marriageMode; }
  // The individual the Descendancy List opens on: the number the dialog
  // opened with, or the number shown when it opened without one.
  std::int32_t DescendancyStart() const { return initialNumber > 0 ? initialNumber : number; }
  bool InCurrentRange(std::int64_t n) const { return n >= currentLow && n <= currentHigh; }

  // The caller's settings and the result (the Find dialog's members).
  std::int32_t rinLow = 1, rinHigh = kMaxNumber;
  std::int32_t mrinLow = 1, mrinHigh = kMaxNumber;
  std::int32_t currentLow = 0, currentHigh = 0;
  std::int32_t number = 1;
  std::int32_t initialNumber = 0;
  bool individualAllowed = true;
  bool marriageAllowed = true;
  bool individualListAllowed = true;
  int firstListOption = 1;  // 0: the Individual List offers no Edit or Delete
  int listState = 0;
  int secondListOption = 0;
  bool marriageMode = false;
  int followUp = kFollowUpNone;
  std::string kindLabel;
  std::string searchText;

 private:
  void UseCurrentRange();
  void Clamp();
};

// The edit field's text as an unsigned number, as a dialog reads it: blanks
// around digits only; 0 when it is no number or too large.
std::uint32_t ParseUnsigned(const std::string& text);

}  // namespace shell
