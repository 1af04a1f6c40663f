#include "ZelQualification.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "Clock.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageNode.h"
#include "MarriageRecord.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

constexpr int kQualifiedReasonBase = 5798;
constexpr int kNotQualifiedReasonBase = 5807;

CDateValue Today() {
  CDateValue today;
  today.SetFromTime(plat::Now());
  return today;
}

CDateValue PlusYears(const CDateValue& date, int years) {
  CDateValue moved = date;
  moved.year = static_cast<std::uint16_t>(std::max(1, static_cast<int>(date.year) + years));
  return moved;
}

bool After(const CDateValue& a, const CDateValue& b) { return a.CompareOrder(b) > 0; }

bool IsDeadStatus(const CDateValue& date) {
  return date.month == CDateValue::kStatusDead || date.month == CDateValue::kStatusDeceased;
}

// What an individual's four life events tell.
struct LifeDates {
  std::optional<CDateValue> birth;  // birth or christening with a year
  std::optional<CDateValue> death;  // death (year or dead status) or burial with a year
  bool deathByStatusOnly = false;
  bool placeKnown = false;
};

LifeDates LifeDatesOf(const CIndividualNode& node) {
  LifeDates out;
  const CPlaceEventObject* birth = node.GetBirth();
  const CPlaceEventObject* christening = node.GetChristening();
  const CPlaceEventObject* death = node.GetDeath();
  const CPlaceEventObject* burial = node.GetBurial();
  for (const CPlaceEventObject* e : {birth, christening}) {
    if (e != nullptr && e->date.year != 0) {
      out.birth = e->date;
      break;
    }
  }
  if (death != nullptr && (death->date.year != 0 || IsDeadStatus(death->date))) {
    out.death = death->date;
    out.deathByStatusOnly = death->date.year == 0;
  }
  if (burial != nullptr && burial->date.year != 0 && (!out.death || out.deathByStatusOnly)) {
    out.death = burial->date;
    out.deathByStatusOnly = false;
  }
  for (const CPlaceEventObject* e : {birth, christening, death, burial})
    if (e != nullptr && e->date.IsSet() && !e->IsPlaceEmpty()) out.placeKnown = true;
  return out;
}

bool HasYear(const std::optional<CDateValue>& date) { return date && date->year != 0; }

bool NamesEmpty(const std::string& surname, const std::string& g1, const std::string& g2,
                const std::string& g3) {
  return surname.empty() && g1.empty() && g2.empty() && g3.empty();
}

bool NamesEmpty(const CIndividualNode& node) {
  return NamesEmpty(node.GetSurname(), node.GetGivenName(0), node.GetGivenName(1),
                    node.GetGivenName(2));
}

bool NamesEmpty(const CIndividualRecord& r) {
  return NamesEmpty(r.surname, r.givenNames[0], r.givenNames[1], r.givenNames[2]);
}

int StateOf(const COrdinanceObject* ordinance) {
  return ordinance != nullptr
             ? CDateValue::GetOrdinanceState(&ordinance->date, ordinance->GetKind())
             : 0;
}

// The individual's record as the presumed-deceased test reads it.
CIndividualRecord RecordOf(const CIndividualNode& node) {
  CIndividualRecord record;
  if (node.GetDetails() != nullptr)
    record.SetFromIndividualNode(node);
  else
    DbGetRecord(node.GetRin(), CIndividualRecord::kRecordType, &record);
  return record;
}

// A parent's baptism judged for the sealing to parents: the reason for the
// child when the parent holds it up, else 0.
int ParentHoldsUp(std::int32_t parentRin, const LifeDates& child, const CDateValue& today,
                  int notDeadReason, int noDeathInfoReason) {
  int parentReason = 0;
  const std::int16_t result = GetZelStatus(parentRin, 0, kZelBaptism, parentReason);
  if (result != kZelNotQualified) return 0;
  if (parentReason == 2) return notDeadReason;
  if (parentReason == 16 && child.birth && After(PlusYears(*child.birth, 95), today))
    return noDeathInfoReason;
  return 0;
}

std::int16_t Judge(std::int16_t result, int code, int& reason) {
  reason = code;
  return result;
}

}  // namespace

std::int16_t GetZelQualification(const CIndividualNode& individual, const CMarriageNode* marriage,
                                 int kind, int& reason) {
  reason = 0;
  const COrdinanceObject* ordinance = nullptr;
  switch (kind) {
    case kZelBaptism:
      ordinance = individual.GetBaptism();
      break;
    case kZelEndowment:
      ordinance = individual.GetEndowment();
      break;
    case kZelSealingToParents:
      ordinance = individual.GetSealingToParents();
      break;
    case kZelSealingToSpouse:
      ordinance = marriage != nullptr ? marriage->GetSealingEventIfAny() : nullptr;
      break;
    default:
      break;
  }
  if (StateOf(ordinance) > 0) return Judge(kZelNotNeeded, 3, reason);

  const CBaptismOrdinance* baptism = individual.GetBaptism();
  const bool stillborn = baptism != nullptr && baptism->date.month == CDateValue::kStatusStillborn;
  if (kind == kZelBaptism && StateOf(individual.GetEndowment()) != 0)
    return Judge(kZelNotNeeded, 2, reason);
  if (kind == kZelEndowment && StateOf(baptism) == CDateValue::kOrdinanceNotToBeDone)
    return Judge(kZelNotNeeded, stillborn ? 4 : 1, reason);
  if (kind == kZelSealingToParents && stillborn) return Judge(kZelNotNeeded, 4, reason);

  if (NamesEmpty(individual)) return Judge(kZelNotQualified, 15, reason);

  const CDateValue today = Today();
  LifeDates life = LifeDatesOf(individual);

  if (kind != kZelSealingToSpouse) {
    bool presumed = false;
    if (life.birth && !HasYear(life.death) && !After(PlusYears(*life.birth, 110), today)) {
      life.death = PlusYears(*life.birth, 110);
      life.deathByStatusOnly = false;
      presumed = true;
    }
    if (kind != kZelSealingToParents && life.birth) {
      const CDateValue eight = PlusYears(*life.birth, 8);
      if (After(eight, today) || (HasYear(life.death) && After(eight, *life.death)))
        return Judge(kZelNotNeeded, 1, reason);
    }
    const char sex = individual.GetSexLetter();
    if (sex != 'M' && sex != 'F') return Judge(kZelNotQualified, 10, reason);
    if (!life.death) return Judge(kZelNotQualified, 16, reason);
    if (!presumed && After(PlusYears(*life.death, 1), today))
      return Judge(kZelNotQualified, 2, reason);
    if (!life.placeKnown) return Judge(kZelNotQualified, 1, reason);
    const int statusReason = life.deathByStatusOnly ? 2 : 0;
    if (kind != kZelSealingToParents) return Judge(kZelQualified, statusReason, reason);

    if (marriage == nullptr || marriage->husbandRin == 0) return Judge(kZelNotQualified, 3, reason);
    CIndividualRecord father;
    if (DbGetRecord(marriage->husbandRin, CIndividualRecord::kRecordType, &father) != 1)
      return Judge(kZelNotQualified, 3, reason);
    if (NamesEmpty(father)) return Judge(kZelNotQualified, 11, reason);
    if (int r = ParentHoldsUp(marriage->husbandRin, life, today, 5, 17))
      return Judge(kZelNotQualified, r, reason);
    if (marriage->wifeRin != 0)
      if (int r = ParentHoldsUp(marriage->wifeRin, life, today, 6, 18))
        return Judge(kZelNotQualified, r, reason);
    return Judge(kZelQualified, statusReason, reason);
  }

  // Sealing to spouse. The spouse is found by the marriage's numbers.
  if (marriage == nullptr) return Judge(kZelNotQualified, 8, reason);
  const std::int32_t spouseRin =
      marriage->husbandRin == individual.GetRin() ? marriage->wifeRin : marriage->husbandRin;
  if (spouseRin == 0) return Judge(kZelNotQualified, 8, reason);
  const CMarriageEvent* event = marriage->GetMarriageEventIfAny();
  if (event == nullptr || event->date.year == 0 || event->IsPlaceEmpty())
    return Judge(kZelNotQualified, 14, reason);
  if (!After(PlusYears(event->date, 95), today)) return Judge(kZelQualified, 0, reason);

  if (!IsPresumedDeceased(RecordOf(individual))) return Judge(kZelNotQualified, 16, reason);
  if (HasYear(life.death) && After(PlusYears(*life.death, 1), today))
    return Judge(kZelNotQualified, 2, reason);

  CIndividualRecord spouse;
  if (DbGetRecord(spouseRin, CIndividualRecord::kRecordType, &spouse) != 1)
    return Judge(kZelNotQualified, 8, reason);
  if (NamesEmpty(spouse)) return Judge(kZelNotQualified, 13, reason);
  if (!IsPresumedDeceased(spouse)) return Judge(kZelNotQualified, 19, reason);
  CIndividualNode* spouseNode = CIndividualNode::New(spouse, 3, 0, 0, nullptr);
  spouseNode->AddRef();
  const LifeDates spouseLife = LifeDatesOf(*spouseNode);
  spouseNode->Release();
  if (HasYear(spouseLife.death) && After(PlusYears(*spouseLife.death, 1), today))
    return Judge(kZelNotQualified, 2, reason);
  return Judge(kZelQualified,
               life.deathByStatusOnly         ? 2
               : spouseLife.deathByStatusOnly ? 3
                                              : 0,
               reason);
}

std::int16_t GetZelMarriageStatus(CIndividualNode& individual, std::int32_t mrin, int kind,
                                  int& reason) {
  if (mrin == 0 || kind < kZelSealingToParents)
    return GetZelQualification(individual, nullptr, kind, reason);
  CMarriageRecord record;
  if (DbGetRecord(mrin, CMarriageRecord::kRecordType, &record) != 1) {
    reason = 0;
    return kZelUnreadable;
  }
  CMarriageNode* marriage = nullptr;
  SetMarriageRef(marriage, CMarriageNode::New(record));
  const std::int16_t result = GetZelQualification(individual, marriage, kind, reason);
  ReleaseMarriageRef(marriage);
  return result;
}

std::int16_t GetZelStatusForRecord(const CIndividualRecord& record, std::int32_t mrin, int kind,
                                   int& reason) {
  CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
  node->AddRef();
  const std::int16_t result = mrin != 0 && kind >= kZelSealingToParents
                                  ? GetZelMarriageStatus(*node, mrin, kind, reason)
                                  : GetZelQualification(*node, nullptr, kind, reason);
  node->Release();
  return result;
}

std::int16_t GetZelStatus(std::int32_t rin, std::int32_t mrin, int kind, int& reason) {
  CIndividualRecord record;
  if (DbGetRecord(rin, CIndividualRecord::kRecordType, &record) != 1) {
    reason = 0;
    return kZelUnreadable;
  }
  return GetZelStatusForRecord(record, mrin, kind, reason);
}

bool IsPresumedDeceased(const CIndividualRecord& record) {
  if (record.death.date.IsSet() || record.burial.date.IsSet()) return true;
  // A death or burial stated with no date or place ("1 BURI Y").
  if (record.death.HappenedWithoutDetails() || record.burial.HappenedWithoutDetails()) return true;
  const CDateValue today = Today();
  for (const CEventValue* e : {&record.birth, &record.christening})
    if (e->date.year != 0) return !After(PlusYears(e->date, 110), today);

  const std::int32_t rin = record.numbers[CIndividualRecord::kRin];
  const int count = DbGetRelationCount(rin, db::kRelSpouses, 1, 1);
  std::vector<std::int32_t> marriages;
  if (count > 0) DbGetRelation(rin, db::kRelMarriages, count, marriages);
  std::optional<CDateValue> reference;
  for (std::int32_t mrin : marriages) {
    CMarriageRecord marriage;
    if (mrin != 0 && DbGetRecord(mrin, CMarriageRecord::kRecordType, &marriage) == 1 &&
        marriage.marriage.date.year != 0) {
      reference = marriage.marriage.date;
      break;
    }
  }
  if (!reference) {
    for (std::int32_t mrin : marriages) {
      std::vector<std::int32_t> children;
      if (mrin == 0) continue;
      DbGetRelationList(children, db::kRelChildren, 0, mrin, 0);
      for (std::int32_t child : children) {
        CIndividualRecord c;
        if (DbGetRecord(child, CIndividualRecord::kRecordType, &c) != 1) continue;
        for (const CEventValue* e : {&c.birth, &c.christening}) {
          if (e->date.year == 0) continue;
          if (!reference || e->date.CompareOrder(*reference) < 0) reference = e->date;
          break;
        }
      }
    }
  }
  if (!reference) return false;
  return !After(PlusYears(PlusYears(*reference, -15), 110), today);
}

std::string GetZelHeadline(int result) {
  if (result < kZelQualified || result > kZelNotQualified) return {};
  return res::LoadString(res::kIdsHeadline + result);
}

std::string GetZelReasonText(int result, int reason) {
  switch (result) {
    case kZelQualified:
      return reason != 0 ? res::LoadString(kQualifiedReasonBase + reason) : std::string();
    case kZelNotNeeded:
      return reason != 3 ? res::LoadString(res::kIdsNotNeededReasonBase + reason) : std::string();
    case kZelNotQualified:
      return res::LoadString(kNotQualifiedReasonBase + reason);
    default:
      return {};
  }
}
