#include "RowCitations.h"

#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "EditModel.h"
#include "FieldListRow.h"
#include "StringIds.h"
#include "StringTable.h"
#include "UserEventRecord.h"

namespace {

bool UserEventTarget(CEditModel& model, const CFieldListRow* row, char letter,
                     RowCitationOwner& out) {
  CUserEventRecord* event = model.KeptUserEvent(row->GetLinked());
  if (event == nullptr || event->recordNumber <= 0) return false;
  out.owner = event->recordNumber;
  out.letter = letter;
  out.second = event->eventTypeNumber;
  out.first = static_cast<std::int32_t>(event->GetFirstCitation());
  out.event = event;
  return true;
}

// The event's own label ("Birth"), not that of its place or temple row.
std::string EventLabel(const CFieldListRow* row) {
  const CEventObject* event = row->GetLinked();
  if (event != nullptr && event->labelId > 0) return res::LoadString(event->labelId);
  return row->GetLabel();
}

}  // namespace

bool IndividualRowCitations(CIndividualEditModel& model, std::int32_t rin, const CFieldListRow* row,
                            RowCitationOwner& out) {
  out = RowCitationOwner{};
  if (row == nullptr || rin <= 0) return false;
  CEventObject* event = row->GetLinked();
  if (event == nullptr) {
    if (row->GetLabelId() != res::kIdsTitleSuffix) return false;
    out.owner = rin;
    out.letter = db::kOwnerIndividual;
    out.first = model.GetOwnFirstCitation();
    return true;
  }
  out.label = EventLabel(row);
  const char letter = event->GetKindLetter();
  if (letter == db::kOwnerIndividualUserEvent)
    return UserEventTarget(model, row, db::kOwnerIndividualUserEvent, out);
  if (letter == 0) return false;
  if (letter == db::kOwnerSealingToParents && model.GetSealingFamilyLink() <= 0) {
    // The sealing's citations hang on a parent family link; one without a
    // marriage is made for them.
    const std::int32_t link = DbSetRelation(rin, 0, db::kRelParents, -1);
    if (link <= 0) return false;
    model.SetSealingFamilyLink(link);
  }
  out.owner = rin;
  out.letter = letter;
  out.first = static_cast<std::int32_t>(event->GetFirstCitation());
  out.event = event;
  return true;
}

bool MarriageRowCitations(CMarriageEditModel& model, std::int32_t mrin, const CFieldListRow* row,
                          RowCitationOwner& out) {
  out = RowCitationOwner{};
  if (row == nullptr || mrin <= 0 || row->GetLinked() == nullptr) return false;
  CEventObject* event = row->GetLinked();
  out.label = EventLabel(row);
  const char letter = event->GetKindLetter();
  if (letter == db::kOwnerIndividualUserEvent)
    return UserEventTarget(model, row, db::kOwnerMarriageUserEvent, out);
  if (letter != db::kOwnerMarriageEvent && letter != db::kOwnerSealingToSpouse) return false;
  out.owner = mrin;
  out.letter = letter;
  out.first = static_cast<std::int32_t>(event->GetFirstCitation());
  out.event = event;
  return true;
}

std::int32_t FirstCitationOf(std::int32_t owner, char letter) {
  std::vector<std::int32_t> chain;
  DbGetRinList(chain, db::kCitation, owner, letter);
  return chain.empty() ? 0 : chain.front();
}

std::int32_t TakeRowCitations(const RowCitationOwner& target, CIndividualEditModel* model) {
  const std::int32_t first = FirstCitationOf(target.owner, target.letter);
  if (target.event != nullptr)
    target.event->SetFirstCitation(first);
  else if (model != nullptr)
    model->SetOwnFirstCitation(first);
  return first;
}
