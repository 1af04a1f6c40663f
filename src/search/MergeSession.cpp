#include "MergeSession.h"

#include <cstdio>
#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

bool Live(std::int32_t rin) {
  CIndividualRecord r;
  return rin > 0 && DbGetIndividualRecord(rin, r, 1) == 1;
}

char SexOf(std::int32_t rin) {
  const int sex = DbGetSex(rin);
  return sex == 'M' || sex == 'F' ? static_cast<char>(sex) : ' ';
}

}  // namespace

bool AskBeforeMerge(bool shiftHeld, int mrgVerify) { return !shiftHeld && mrgVerify != 0; }

const char* CMergeSession::Title() const {
  return mode_ == CMergeWorkFile::kSbnMode ? "Merge on SBNs" : "Merge Individuals";
}

MergeWorkRecord CMergeSession::RecordOf(std::int32_t rin, std::int32_t position) {
  MergeWorkRecord record;
  if (position >= 0 && work_.ReadAt(position, record) && record.Rin() == rin) return record;
  const std::int32_t found = work_.FindEntry(rin, mode_, false);
  if (found >= 0 && work_.ReadAt(found, record)) return record;
  record.SetRin(rin);
  record.SetPosition(-1);
  return record;
}

bool CMergeSession::Step(int direction, const MatchOptions& options) {
  bool found = false;
  if (rebuild_) {
    rebuild_ = false;
    if (work_.Build(mode_) != 1) {
      plat::MessageBox(
          res::LoadString(direction > 0 ? res::kIdsNoMoreNext : res::kIdsNoMorePrevious),
          res::LoadString(res::kIdsAutoMatch), plat::kMbOk | plat::kMbIconExclamation);
      return false;
    }
  }
  MergeWorkRecord out;
  if (primary_ > 0) {
    const MergeWorkRecord primary = RecordOf(primary_, primaryPosition_);
    primaryPosition_ = primary.Position();
    if (primary.Position() >= 0) {
      // From the shown (or just merged) duplicate; -1 is the primary itself.
      const std::int32_t from = duplicatePosition_;
      const std::int32_t dup =
          work_.FindDuplicate(primary, direction, mode_, from, false, options, out);
      if (dup > 0) {
        duplicate_ = dup;
        duplicatePosition_ = out.Position();
        found = true;
      }
    }
  }
  if (!found) {
    MergeWorkRecord candidate;
    std::int32_t from = primary_ > 0 ? primaryPosition_ : -1;
    while (work_.FindNextPair(from, direction, mode_, false, candidate) == 1) {
      from = candidate.Position();
      if (!Live(candidate.Rin())) continue;
      const std::int32_t dup =
          work_.FindDuplicate(candidate, direction, mode_, -1, false, options, out);
      if (dup > 0) {
        primary_ = candidate.Rin();
        primaryPosition_ = candidate.Position();
        duplicate_ = dup;
        duplicatePosition_ = out.Position();
        found = true;
        break;
      }
    }
  }
  if (!found)
    plat::MessageBox(res::LoadString(direction > 0 ? res::kIdsNoMoreNext : res::kIdsNoMorePrevious),
                     res::LoadString(res::kIdsAutoMatch), plat::kMbOk | plat::kMbIconExclamation);
  return found;
}

void CMergeSession::Switch() {
  std::swap(primary_, duplicate_);
  std::swap(primaryPosition_, duplicatePosition_);
}

bool CMergeSession::ChoosePrimary(std::int32_t rin) {
  if (rin > 0 && rin == duplicate_) {
    plat::MessageBox(res::LoadString(res::kIdsSameBothSides),
                     res::LoadString(res::kIdsInvalidMergeRin), plat::kMbOk);
    return false;
  }
  primary_ = rin;
  primaryPosition_ = -1;
  if (duplicate_ == 0) duplicatePosition_ = -1;
  return true;
}

bool CMergeSession::ChooseDuplicate(std::int32_t rin) {
  if (rin > 0 && rin == primary_) {
    plat::MessageBox(res::LoadString(res::kIdsSameBothSides),
                     res::LoadString(res::kIdsInvalidMergeRin), plat::kMbOk);
    return false;
  }
  duplicate_ = rin;
  duplicatePosition_ = work_.IsOpen() ? work_.FindEntry(rin, mode_, false) : -1;
  return true;
}

int CMergeSession::MergeBlock() const {
  if (!Live(primary_) || !Live(duplicate_)) return -1;
  if (SexOf(primary_) != SexOf(duplicate_)) return static_cast<int>(res::kIdsSexDiffers);
  if (IsParentOrChildByRIN(primary_, duplicate_)) return static_cast<int>(res::kIdsParentOfOther);
  return 0;
}

int CMergeSession::Merge(const MergeChoices& chosen, const MatchOptions& options) {
  if (MergeBlock() != 0) return 0;
  // Marriages of the duplicate that were not chosen would lose it: the user
  // says whether they go with it or stay in the file without it.
  MergeChoices choices = chosen;
  const std::vector<std::int32_t> left = MarriagesLeftBehind(duplicate_, choices);
  if (!left.empty()) {
    char text[512];
    std::snprintf(text, sizeof text, res::LoadString(res::kIdsDeleteLeftBehind).c_str(),
                  static_cast<int>(left.size()));
    choices.deleteLeftBehind = plat::MessageBox(text, res::LoadString(res::kIdsWarning),
                                                plat::kMbYesNo | plat::kMbIconQuestion |
                                                    plat::kMbDefButton2) == plat::kIdYes;
  }
  const int merged =
      MergeIndividuals(primary_, duplicate_, choices, options, &work_, duplicatePosition_);
  // The duplicate side empties; its position stays, so that Next goes on
  // from there.
  if (merged == 1) duplicate_ = 0;
  return merged;
}
