#pragma once
// What the Add Parents dialog decides without Qt: the parents' marriage
// chosen so far (found, taken from a parent's marriages or newly made), the
// checks a candidate marriage must pass, linking a found or added parent to
// it, and linking the child when the user confirms. Questions and the
// screens it opens go through the hooks.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "MarriageRecord.h"

namespace addparents {

struct Hooks {
  std::function<bool()> canEdit;                          // unset: allowed
  std::function<bool(const std::string& text)> askYesNo;  // unset: No
  std::function<void(const std::string& text)> show;      // a message
  // The Marriages for dialog on a parent, naming the child; the MRIN
  // chosen or made there, 0 for none.
  std::function<std::int32_t(std::int32_t parent)> marriagesFor;
  // The Marriage screen on a marriage chosen or made (with EditMarr on).
  std::function<void(std::int32_t mrin)> openMarriage;
  bool editMarriageOption = false;
};

class CAddParentsModel {
 public:
  explicit CAddParentsModel(std::int32_t child);

  std::int32_t Child() const { return child_; }
  // The chosen marriage's number, 0 while none is chosen.
  std::int32_t ChosenMrin() const { return chosen_ ? chosen_->numbers[CMarriageRecord::kMrin] : 0; }
  std::int32_t Husband() const { return chosen_ ? chosen_->husband : 0; }
  std::int32_t Wife() const { return chosen_ ? chosen_->wife : 0; }
  void DropMarriage() { chosen_.reset(); }

  // Reads and checks a candidate marriage: a family the child is already a
  // child of is refused (or, when the user can edit and agrees, replaced by
  // a new marriage of the same spouses), and so is one the child is a
  // spouse in. False and nothing chosen when refused.
  bool ChooseMarriage(std::int32_t mrin, const Hooks& hooks);
  // The Find dialog's answer: a marriage is checked as above, an individual
  // is taken as a parent.
  void TakeFound(std::int32_t number, bool marriage, const Hooks& hooks);
  // A father (or mother) found or added: linked to the chosen marriage on
  // that side, or else taken as a parent.
  void TakeParent(std::int32_t rin, bool father, const Hooks& hooks);
  // A person becomes a parent: one of their marriages chosen in Marriages
  // for, else a new marriage with them on their side.
  void TakeAsParent(std::int32_t rin, const Hooks& hooks);
  // Reads the chosen marriage again (after the Marriage screen).
  void Reread();
  // OK: links the child to the chosen marriage; the new family link's
  // number, 0 when none is chosen or the link failed.
  std::int32_t Finish();

 private:
  bool Allowed(const Hooks& hooks) const { return !hooks.canEdit || hooks.canEdit(); }
  bool Read(std::int32_t mrin);
  void AfterChosen(const Hooks& hooks);

  std::int32_t child_;
  std::unique_ptr<CMarriageRecord> chosen_;
};

// The question a found father (or mother) already in the chosen family
// raises: kFatherInFamily / kMotherInFamily ask to continue; any other
// refusal is shown and stops. True when the person may be taken.
bool AcceptFoundParent(int messageId, const Hooks& hooks);

}  // namespace addparents
