#include "FindRecordLogic.h"

#include <algorithm>

#include "DbCalls.h"
#include "FamilyLinkRecord.h"
#include "FileCopy.h"
#include "MarriageRecord.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace shell {
namespace {

// numbers[] position of a marriage's first child link.
constexpr int kFirstChildLink = 1;

void Warn(const std::string& text) {
  plat::MessageBox(text, "", plat::kMbOk | plat::kMbIconExclamation);
}

}  // namespace

std::uint32_t ParseUnsigned(const std::string& text) {
  std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return 0;
  std::size_t end = text.find_last_not_of(" \t") + 1;
  std::uint64_t value = 0;
  for (std::size_t i = begin; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return 0;
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
    if (value > 0xFFFFFFFFull) return 0;
  }
  return static_cast<std::uint32_t>(value);
}

FindRecordLogic::FindRecordLogic() : kindLabel(res::LoadString(res::kIdsIndividual)) {}

void FindRecordLogic::Open() {
  initialNumber = number;
  if (individualAllowed) {
    rinLow = DbGetRIN(rinLow, db::kQueryIndividuals, db::kWalkNextOrSame);
    rinHigh = DbGetRIN(rinHigh, db::kQueryIndividuals, db::kWalkPreviousOrSame);
  }
  if (marriageAllowed && DbGetActiveRecordCount(db::kMarriage) != 0) {
    mrinLow = DbGetRIN(mrinLow, db::kQueryMarriages, db::kWalkNextOrSame);
    mrinHigh = DbGetRIN(mrinHigh, db::kQueryMarriages, db::kWalkPreviousOrSame);
  } else {
    marriageAllowed = false;
  }
  marriageMode = marriageAllowed && (marriageMode || !individualAllowed);
  UseCurrentRange();
  Clamp();
}

void FindRecordLogic::UseCurrentRange() {
  currentLow = marriageMode ? mrinLow : rinLow;
  currentHigh = marriageMode ? mrinHigh : rinHigh;
}

void FindRecordLogic::Clamp() { number = std::min(currentHigh, std::max(currentLow, number)); }

void FindRecordLogic::ChooseIndividualMode() {
  marriageMode = false;
  UseCurrentRange();
  Clamp();
}

void FindRecordLogic::ChooseMarriageMode(const std::string& editText) {
  number = static_cast<std::int32_t>(ParseUnsigned(editText));
  marriageMode = true;
  UseCurrentRange();
  Clamp();
}

std::string FindRecordLogic::Label() const {
  return res::LoadString(marriageMode ? res::kIdsMrin : res::kIdsRin) + ":";
}

std::string FindRecordLogic::RangeText() const {
  if (!NumberEnabled()) return "";
  return FormatInsertsAndArgs(res::LoadString(res::kIdsValidRange), {},
                              {std::to_string(currentLow), std::to_string(currentHigh)});
}

std::string FindRecordLogic::Title() const {
  return res::LoadString(res::kIdsFind) + " " +
         (marriageMode ? res::LoadString(res::kIdsMarriage) : kindLabel);
}

int FindRecordLogic::Accept() {
  const int kind = marriageMode ? db::kQueryMarriages : db::kQueryIndividuals;
  if (DbGetRIN(number, kind, db::kWalkExact) != number) {
    const std::string word = res::LoadString(marriageMode ? res::kIdsMrin : res::kIdsRin);
    Warn(FormatInsertsAndArgs(res::LoadString(res::kIdsRecordDeleted), {}, {word, word}));
    return 0;
  }
  return marriageMode ? RunFollowUp() : 1;
}

int FindRecordLogic::RunFollowUp() {
  if (!marriageMode || (followUp != kFollowUpChildFirst && followUp != kFollowUpSpouseOnly))
    return 1;
  CMarriageRecord& marriage = ScratchMarriageRecord;
  if (DbGetRecord(number, db::kMarriage, &marriage) == 0) {
    Warn(res::LoadString(res::kIdsInvalidMrin));
    return 0;
  }
  if (followUp == kFollowUpChildFirst && marriage.numbers[kFirstChildLink] != 0) {
    CFamilyLinkRecord link;
    // A child link that cannot be read counts as no child.
    if (DbGetRecord(marriage.numbers[kFirstChildLink], db::kFamilyLink, &link) != 0) {
      number = link.child;
      marriageMode = false;
      return 1;
    }
  }
  const std::int32_t spouse = marriage.husband != 0 ? marriage.husband : marriage.wife;
  if (spouse == 0) {
    Warn(FormatInsertsAndArgs(res::LoadString(res::kIdsNoSpouses), {}, {std::to_string(number)}));
    return 0;
  }
  number = spouse;
  marriageMode = false;
  return 1;
}

FindOutcome FindRecordLogic::AfterMarriageList(int result, std::int32_t chosenMrin) {
  if (result == plat::kIdCancel) return FindOutcome::kStay;
  if (result != plat::kIdOk) return FindOutcome::kEndCancel;
  number = chosenMrin;
  return RunFollowUp() ? FindOutcome::kEndOk : FindOutcome::kStayShow;
}

FindOutcome FindRecordLogic::AfterIndividualList(int result, std::int32_t chosenRin,
                                                 int newListState) {
  listState = newListState;
  if (result == plat::kIdCancel) return FindOutcome::kStay;
  if (result != plat::kIdOk) return FindOutcome::kEndCancel;
  number = chosenRin;
  return chosenRin != 0 ? FindOutcome::kEndOk : FindOutcome::kEndCancel;
}

FindOutcome FindRecordLogic::AfterDescendancyList(int result, std::int32_t chosenRin) {
  if (result == plat::kIdOk && chosenRin != 0) {
    number = chosenRin;
    return FindOutcome::kEndOk;
  }
  if (result == plat::kIdOk || result == plat::kIdCancel) return FindOutcome::kStay;
  return FindOutcome::kEndCancel;
}

}  // namespace shell
