#include "AddRelatives.h"

#include <vector>

#include "DbCalls.h"
#include "MarriageRecord.h"
#include "RecordAccess.h"
#include "StringIds.h"
#include "StringTable.h"

namespace addrelative {
namespace {

bool KnownSex(char sex) { return sex == 'M' || sex == 'F'; }

bool ReadMarriage(std::int32_t mrin, CMarriageRecord& record) {
  return mrin > 0 && family::Read(record, mrin) == 1;
}

std::vector<std::int32_t> ParentMarriages(std::int32_t child) {
  std::vector<std::int32_t> list;
  if (child > 0) DbGetRelationList(list, db::kRelParents, 4, child, 0);
  return list;
}

}  // namespace

int SexRefusal(Relative kind, char sex) {
  if (KnownSex(sex)) return 0;
  if (kind == Relative::kSpouse) return res::kIdsSpouseNeedsSex;
  if (kind == Relative::kChild) return res::kIdsChildNeedsSex;
  return 0;
}

char PresetSex(Relative kind, char focusSex) {
  switch (kind) {
    case Relative::kFather:
      return 'M';
    case Relative::kMother:
      return 'F';
    case Relative::kSpouse:
      return focusSex == 'M' ? 'F' : focusSex == 'F' ? 'M' : ' ';
    case Relative::kChild:
      break;
  }
  return ' ';
}

std::int32_t ParentMarriageOf(std::int32_t child, std::int32_t shown) {
  const std::vector<std::int32_t> list = ParentMarriages(child);
  for (std::int32_t mrin : list)
    if (mrin == shown && shown > 0) return shown;
  return list.empty() ? 0 : list.front();
}

bool CanAddParent(std::int32_t child, std::int32_t shownParentMarriage, bool father) {
  if (child <= 0) return false;
  const std::int32_t mrin = ParentMarriageOf(child, shownParentMarriage);
  if (mrin == 0) return true;
  CMarriageRecord marriage;
  if (!ReadMarriage(mrin, marriage)) return false;
  return (father ? marriage.husband : marriage.wife) == 0;
}

LinkResult LinkParent(std::int32_t child, std::int32_t shownParentMarriage, std::int32_t parent,
                      bool father) {
  LinkResult result;
  if (child <= 0 || parent <= 0 || child == parent) return result;
  const int side = father ? db::kRelHusband : db::kRelWife;
  const std::int32_t existing = ParentMarriageOf(child, shownParentMarriage);
  if (existing != 0) {
    CMarriageRecord marriage;
    if (!ReadMarriage(existing, marriage)) return result;
    if ((father ? marriage.husband : marriage.wife) != 0) return result;
    if (DbSetRelation(parent, 0, side, existing) <= 0) return result;
    result.mrin = existing;
    return result;
  }
  const std::int32_t mrin = DbSetRelation(parent, 0, side, 0);
  if (mrin <= 0) return result;
  if (DbSetRelation(child, 0, db::kRelParents, mrin) <= 0) return result;
  result.mrin = mrin;
  result.created = true;
  return result;
}

LinkResult LinkSpouse(std::int32_t individual, std::int32_t spouse, std::int32_t freeMarriage) {
  LinkResult result;
  if (individual <= 0 || spouse <= 0 || individual == spouse) return result;
  const char sex = static_cast<char>(DbGetSex(individual));
  if (!KnownSex(sex)) return result;
  const bool husband = sex == 'M';
  CMarriageRecord marriage;
  if (ReadMarriage(freeMarriage, marriage) &&
      (husband ? marriage.husband : marriage.wife) == individual &&
      (husband ? marriage.wife : marriage.husband) == 0) {
    if (DbSetRelation(spouse, 0, husband ? db::kRelWife : db::kRelHusband, freeMarriage) <= 0)
      return result;
    result.mrin = freeMarriage;
    return result;
  }
  const std::int32_t mrin =
      DbSetRelation(individual, spouse, husband ? db::kRelHusband : db::kRelWife, 0);
  if (mrin <= 0) return result;
  result.mrin = mrin;
  result.created = true;
  return result;
}

LinkResult LinkChild(std::int32_t parent, std::int32_t marriage, std::int32_t child) {
  LinkResult result;
  if (child <= 0 || child == parent) return result;
  std::int32_t mrin = marriage;
  if (mrin <= 0) {
    const char sex = static_cast<char>(DbGetSex(parent));
    if (parent <= 0 || !KnownSex(sex)) return result;
    mrin = DbSetRelation(parent, 0, sex == 'M' ? db::kRelHusband : db::kRelWife, 0);
    if (mrin <= 0) return result;
    result.created = true;
  }
  if (DbSetRelation(child, 0, db::kRelParents, mrin) <= 0) return LinkResult{};
  result.mrin = mrin;
  return result;
}

ChildRoad DecideChildRoad(std::int32_t focusIndividual, std::int32_t focusMarriage,
                          std::int32_t fallbackParent) {
  ChildRoad road;
  road.parent = focusIndividual > 0 ? focusIndividual : 0;
  CMarriageRecord marriage;
  if (ReadMarriage(focusMarriage, marriage) &&
      (road.parent == 0 || marriage.husband == road.parent || marriage.wife == road.parent))
    road.marriage = focusMarriage;
  if (road.parent == 0 && road.marriage == 0 && fallbackParent > 0) road.parent = fallbackParent;
  if (road.parent > 0 && road.marriage == 0)
    road.chooseMarriage = DbGetRelationCount(road.parent, db::kRelMarriages, 0, 1) > 0;
  return road;
}

std::string ChildCaption(const ChildRoad& road, bool existing, const std::string& parentName) {
  if (road.parent > 0)
    return res::LoadString(existing ? res::kIdsChildFor : res::kIdsAddChildFor) + " " + parentName;
  std::string text =
      res::LoadString(existing ? res::kIdsChildForMarriage : res::kIdsAddChildForMarriage);
  const std::size_t at = text.find("%ld");
  if (at != std::string::npos) text.replace(at, 3, std::to_string(road.marriage));
  return text;
}

std::int32_t ChildSurnameSource(const ChildRoad& road) {
  if (road.parent > 0 && DbGetSex(road.parent) == 'M') return road.parent;
  CMarriageRecord marriage;
  return ReadMarriage(road.marriage, marriage) ? marriage.husband : 0;
}

bool OpensMarriageScreen(const LinkResult& result, bool editMarriageOption) {
  return editMarriageOption && result.created && result.ok();
}

}  // namespace addrelative
