#include "AddParents.h"

#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "RecordAccess.h"
#include "StringIds.h"
#include "StringTable.h"

namespace addparents {

namespace {

bool Ask(const Hooks& hooks, const std::string& text) {
  return hooks.askYesNo && hooks.askYesNo(text);
}

void Show(const Hooks& hooks, const std::string& text) {
  if (hooks.show) hooks.show(text);
}

// A new marriage of the same husband and wife; its MRIN, or 0.
std::int32_t CopyMarriage(std::int32_t husband, std::int32_t wife) {
  std::int32_t mrin = 0;
  if (husband > 0) mrin = DbSetRelation(husband, 0, db::kRelHusband, 0);
  if (wife > 0) mrin = DbSetRelation(wife, 0, db::kRelWife, mrin);
  if (mrin <= 0) {
    CMarriageRecord empty;
    mrin = DbAddRecord(db::kMarriage, 1, &empty);
  }
  return mrin > 0 ? mrin : 0;
}

}  // namespace

CAddParentsModel::CAddParentsModel(std::int32_t child) : child_(child) {}

bool CAddParentsModel::Read(std::int32_t mrin) {
  auto record = std::make_unique<CMarriageRecord>();
  if (mrin <= 0 || family::Read(*record, mrin) != 1) {
    chosen_.reset();
    return false;
  }
  chosen_ = std::move(record);
  return true;
}

void CAddParentsModel::Reread() {
  if (chosen_) Read(ChosenMrin());
}

bool CAddParentsModel::ChooseMarriage(std::int32_t mrin, const Hooks& hooks) {
  if (!Read(mrin)) return false;
  std::vector<std::int32_t> families;
  DbGetRelationList(families, db::kRelParents, 4, child_, 0);
  for (std::int32_t family : families) {
    if (family != ChosenMrin()) continue;
    const std::string text = res::LoadString(res::kIdsAlreadyChild);
    if (!Allowed(hooks)) {
      Show(hooks, text);
      chosen_.reset();
      return false;
    }
    if (!Ask(hooks, text + " " + res::LoadString(res::kIdsCreateMarriage))) {
      chosen_.reset();
      return false;
    }
    const std::int32_t made = CopyMarriage(chosen_->husband, chosen_->wife);
    if (!Read(made)) return false;
    if (hooks.editMarriageOption && hooks.openMarriage) {
      hooks.openMarriage(made);
      Reread();
      if (!chosen_) return false;
    }
  }
  if (chosen_->husband == child_ || chosen_->wife == child_) {
    Show(hooks, res::LoadString(res::kIdsAlreadySpouse));
    chosen_.reset();
    return false;
  }
  return true;
}

void CAddParentsModel::TakeFound(std::int32_t number, bool marriage, const Hooks& hooks) {
  chosen_.reset();
  if (number <= 0) return;
  if (marriage) {
    ChooseMarriage(number, hooks);
    return;
  }
  if (number == child_) {
    Show(hooks, res::LoadString(res::kIdsLinkedToItself));
    return;
  }
  TakeAsParent(number, hooks);
}

void CAddParentsModel::TakeParent(std::int32_t rin, bool father, const Hooks& hooks) {
  if (rin <= 0) return;
  if (chosen_) {
    // What the file holds is read again, so a link that failed (told by the
    // engine) is not shown.
    (void)DbSetRelation(rin, 0, father ? db::kRelHusband : db::kRelWife, ChosenMrin());
    Reread();
    return;
  }
  TakeAsParent(rin, hooks);
}

void CAddParentsModel::TakeAsParent(std::int32_t rin, const Hooks& hooks) {
  if (!Allowed(hooks)) return;
  if (DbGetRelationCount(rin, db::kRelSpouses, 0, 1) > 0 && hooks.marriagesFor) {
    const std::int32_t mrin = hooks.marriagesFor(rin);
    if (mrin > 0) ChooseMarriage(mrin, hooks);
  }
  if (!chosen_) {
    const bool wife = DbGetSex(rin) == 'F';
    const std::int32_t mrin = DbSetRelation(rin, 0, wife ? db::kRelWife : db::kRelHusband, 0);
    if (mrin <= 0 || !Read(mrin)) return;
  }
  if (chosen_ && hooks.editMarriageOption && hooks.openMarriage) {
    hooks.openMarriage(ChosenMrin());
    Reread();
  }
}

std::int32_t CAddParentsModel::Finish() {
  if (!chosen_) return 0;
  const std::int32_t link = DbSetRelation(child_, 0, db::kRelParents, ChosenMrin());
  return link > 0 ? link : 0;
}

bool AcceptFoundParent(int messageId, const Hooks& hooks) {
  if (messageId == 0) return true;
  const std::string text = res::LoadString(static_cast<unsigned>(messageId));
  if (messageId == res::kIdsAlreadyFather || messageId == res::kIdsAlreadyMother)
    return Ask(hooks, text + "\n" + res::LoadString(res::kIdsContinue));
  Show(hooks, text);
  return false;
}

}  // namespace addparents
