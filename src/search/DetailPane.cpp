#include "DetailPane.h"

#include <vector>

#include "DbCalls.h"
#include "FitUnit.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "StringIds.h"
#include "StringTable.h"
#include "ZelQualification.h"

namespace {

// Pixel widths of the pane's names.
constexpr int kNameWidth = 320;
constexpr int kRelativeWidth = 155;
// The events' places.
constexpr int kPlaceChars = 81;
constexpr int kPlaceWidth = 192;
// A baptism's "Place if living", in the place of the temple code.
constexpr int kLivePlaceWidth = 300;

std::string DisplayName(const CIndividualRecord& record, int width, const plat::TextMeasure* dc) {
  const CIndividualNode node(record, 0, GetNodeOptions().appendVal, width, dc);
  return node.GetDisplayName();
}

}  // namespace

CDetailPaneTexts ReadDetailPane(std::int32_t rin, const plat::TextMeasure* dc, bool qualification) {
  CDetailPaneTexts pane;
  CIndividualRecord person;
  if (rin <= 0 || DbGetIndividualRecord(rin, person, 7) != 1) return pane;
  pane.name = DisplayName(person, kNameWidth, dc);
  // The first letter of the sex's word, else a blank.
  const char sex = person.sex;
  std::string word;
  if (sex == 'M' || sex == 'm') word = res::LoadString(res::kIdsMaleLetter);
  if (sex == 'F' || sex == 'f') word = res::LoadString(res::kIdsFemaleLetter);
  pane.sex.assign(1, word.empty() ? ' ' : word.front());
  pane.id = person.CustomId();
  pane.sbn = person.Sbn();
  const CEventValue* events[4] = {&person.birth, &person.christening, &person.death,
                                  &person.burial};
  for (int i = 0; i < 4; ++i) {
    pane.eventDate[i] = events[i]->date.Format();
    pane.eventPlace[i] = FitPlaceParts(events[i]->place, kPlaceChars, ",", dc, kPlaceWidth);
  }
  const COrdinanceValue* ordinances[3] = {&person.baptism, &person.endowment,
                                          &person.sealingToParents};
  for (int i = 0; i < 3; ++i) {
    pane.ordinanceDate[i] = ordinances[i]->date.Format();
    pane.ordinanceTemple[i] = ordinances[i]->templeCode;
    // A baptism's "Place if living" is kept as the fifth event's place.
    if (i == kZelBaptism && !CEventValue::IsPlaceEmpty(&person.fifthEvent))
      pane.ordinanceTemple[i] =
          FitPlaceParts(person.fifthEvent.place, kPlaceChars, ",", dc, kLivePlaceWidth);
    if (!qualification) continue;
    int reason = 0;
    const std::int32_t mrin =
        i == kZelSealingToParents ? person.numbers[CIndividualRecord::kParentsMrin] : 0;
    const int state = GetZelStatusForRecord(person, mrin, i, reason);
    pane.ordinanceState[i] = state;
    if (state == kZelNotNeeded && reason == 3) continue;  // the ordinance itself
    pane.ordinanceDate[i] = GetZelHeadline(state);
    pane.ordinanceTemple[i] = GetZelReasonText(state, reason);
  }

  const std::int32_t parents = person.numbers[CIndividualRecord::kParentsMrin];
  CMarriageRecord family;
  if (parents > 0 && DbGetRecord(parents, db::kMarriage, &family) == 1) {
    const std::int32_t rins[2] = {family.husband, family.wife};
    for (int i = 0; i < 2; ++i) {
      CIndividualRecord parent;
      if (rins[i] <= 0 || DbGetIndividualRecord(rins[i], parent, 3) != 1) continue;
      pane.parentName[i] = DisplayName(parent, kRelativeWidth, dc);
      const bool born = parent.birth.date.IsSet();
      pane.parentLabel[i] =
          res::LoadString(born || !parent.christening.date.IsSet() ? res::kIdsBirthLabel
                                                                   : res::kIdsChristeningLabel);
      pane.parentDate[i] = (born ? parent.birth.date : parent.christening.date).Format();
    }
  }

  int shown = 0;
  for (std::int32_t mrin : DbGetRelationChain(rin, db::kRelMarriages)) {
    if (shown == 2) break;
    CMarriageRecord marriage;
    if (mrin <= 0 || DbGetRecord(mrin, db::kMarriage, &marriage) != 1) continue;
    const std::int32_t spouse = marriage.husband == rin ? marriage.wife : marriage.husband;
    CIndividualRecord partner;
    if (spouse > 0 && DbGetIndividualRecord(spouse, partner, 3) == 1)
      pane.spouseName[shown] = DisplayName(partner, kRelativeWidth, dc);
    pane.marriageDate[shown] = marriage.marriage.date.Format();
    ++shown;
  }
  return pane;
}
