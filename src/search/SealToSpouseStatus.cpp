#include "SealToSpouseStatus.h"

#include <cstdio>

#include "DbCalls.h"
#include "FilterSet.h"
#include "FitUnit.h"
#include "IndividualListModel.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "ZelQualification.h"

namespace {

constexpr int kSpouseWidth = 142;
// The marriage place's column.
constexpr int kPlaceChars = 121;
constexpr int kPlaceWidth = 130;

bool BothMembers(const CFilterSet* filter, std::int32_t a, std::int32_t b) {
  return filter && filter->IsInSet(CFilterSet::kCombinedSet, a) == 1 &&
         filter->IsInSet(CFilterSet::kCombinedSet, b) == 1;
}

}  // namespace

bool BuildSealToSpouseLine(std::int32_t rin, std::int32_t mrin, const CFilterSet* filter,
                           bool resultsOnly, const plat::TextMeasure* dc, SealToSpouseLine& out) {
  CMarriageRecord marriage;
  if (DbGetRecord(mrin, db::kMarriage, &marriage) != 1) return false;
  const std::int32_t spouse = marriage.husband == rin ? marriage.wife : marriage.husband;
  char number[16];
  std::snprintf(number, sizeof number, "%6ld", static_cast<long>(mrin));
  std::string text;
  if (spouse <= 0) {
    text = std::string(" \t") + number + "\t";
  } else {
    if (resultsOnly && !BothMembers(filter, spouse, rin)) return false;
    CIndividualRecord partner;
    std::string name;
    if (DbGetIndividualRecord(spouse, partner, 3) == 1)
      name = CIndividualNode(partner, 0, GetNodeOptions().appendVal, kSpouseWidth, dc)
                 .GetDisplayName();
    const char mark = BothMembers(filter, spouse, rin) ? CIndividualListModel::kMemberMark : ' ';
    text = std::string(1, mark) + "\t" + number + "\t" + name;
  }
  text += "\t";
  if (marriage.marriage.date.IsSet() || !CEventValue::IsPlaceEmpty(&marriage.marriage))
    text += marriage.marriage.date.Format() + "\t" +
            FitPlaceParts(marriage.marriage.place, kPlaceChars, ",", dc, kPlaceWidth) + "\t";
  else
    text += "\t\t";
  int reason = 0;
  const std::int16_t state = GetZelStatus(rin, mrin, kZelSealingToSpouse, reason);
  if (state == kZelNotNeeded && reason == 3)
    text += marriage.sealingToSpouse.date.Format() + "\t" + marriage.sealingToSpouse.templeCode;
  else if (state >= kZelQualified)
    text += GetZelHeadline(state) +
            (state == kZelQualified ? std::string() : "\t" + GetZelReasonText(state, reason));
  out.mrin = mrin;
  out.text = text;
  return true;
}

std::vector<SealToSpouseLine> BuildSealToSpouseLines(std::int32_t rin, const CFilterSet* filter,
                                                     bool resultsOnly,
                                                     const plat::TextMeasure* dc) {
  std::vector<SealToSpouseLine> lines;
  for (std::int32_t mrin : DbGetRelationChain(rin, db::kRelMarriages)) {
    SealToSpouseLine line;
    if (mrin > 0 && BuildSealToSpouseLine(rin, mrin, filter, resultsOnly, dc, line))
      lines.push_back(std::move(line));
  }
  return lines;
}
