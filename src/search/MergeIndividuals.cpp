#include "MergeIndividuals.h"

#include <algorithm>
#include <string>

#include "DbCalls.h"
#include "DbCodes.h"
#include "DbWholeChange.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "MultimediaItem.h"
#include "RecordAccess.h"

namespace {

bool HasPlace(const CEventValue& e) { return !CEventValue::IsPlaceEmpty(&e); }
bool HasEvent(const CEventValue& e) { return e.date.IsSet() || HasPlace(e); }
bool HasOrdinance(const COrdinanceValue& o) { return o.date.IsSet() || !o.templeCode.empty(); }

void TakeEvent(CEventValue& to, const CEventValue& from, bool date, bool place) {
  if (date) to.date = from.date;
  if (place)
    for (int i = 0; i < 4; ++i) to.place[i] = from.place[i];
}

// A missing event comes whole; an empty place or an unset date is filled.
void CombineEvent(CEventValue& to, const CEventValue& from) {
  if (!HasEvent(to)) {
    to = from;
    return;
  }
  if (!HasPlace(to)) TakeEvent(to, from, false, true);
  if (!to.date.IsSet()) to.date = from.date;
}

// Ordinances move only to a primary that has none; they never overwrite.
void CombineOrdinance(COrdinanceValue& to, const COrdinanceValue& from) {
  if (!HasOrdinance(to) && HasOrdinance(from)) to = from;
}

// The record's flag marks a baptism recorded with a place; that place is
// kept in the record's fifth event.
bool BaptismPlaceFlag(const CIndividualRecord& r) { return r.flags != 0; }
bool HasBaptismPlace(const CIndividualRecord& r) {
  return BaptismPlaceFlag(r) && HasPlace(r.fifthEvent);
}
bool HasBaptism(const CIndividualRecord& r) {
  return HasOrdinance(r.baptism) || HasBaptismPlace(r);
}

// A baptism with a place brings its flag and place along; the place
// replaces the primary's fifth event.
void TakeBaptismPlace(CIndividualRecord& to, const CIndividualRecord& from) {
  to.flags = from.flags;
  if (!HasPlace(from.fifthEvent)) return;
  to.fifthEvent = CEventValue{};
  for (int i = 0; i < 4; ++i) to.fifthEvent.place[i] = from.fifthEvent.place[i];
}

void FillEmpty(std::string& to, const std::string& from) {
  if (to.empty() && !from.empty()) to = from;
}

std::vector<std::int32_t> MarriagesOf(std::int32_t rin) {
  std::vector<std::int32_t> list;
  DbGetRelationList(list, db::kRelSpouses, 0, rin, 0);
  list.erase(std::remove_if(list.begin(), list.end(), [](std::int32_t m) { return m <= 0; }),
             list.end());
  return list;
}

// Whether a write of the family file failed since the watch began (the
// engine counts and tells each): for the calls whose answer does not tell a
// failed write from nothing to do.
class WriteWatch {
 public:
  bool Clean() const { return DbWriteFailures() == failures_; }

 private:
  int failures_ = DbWriteFailures();
};

// The steps below return false when a write failed (the engine has told
// the user), so that the merge stops before it deletes anything more.
bool MoveNotes(std::int32_t from, std::int32_t to, int type, const MatchOptions& options) {
  const bool toHasNotes = DbGetNoteBlock(to, type) != 0;
  if (!options.mrgNotes && toHasNotes) return true;
  const std::string notes = DbGetNotes(from, 0, type, 0, 1, 0);
  if (notes.empty()) return true;
  return DbSetNotes(to, notes, toHasNotes ? 2 : 0, 0, type) != 0;
}

bool MoveCitations(std::int32_t from, std::int32_t to, const char* kinds) {
  const WriteWatch watch;
  for (const char* kind = kinds; *kind != 0; ++kind) {
    std::vector<std::int32_t> theirs, ours;
    DbGetRinList(theirs, db::kCitation, from, *kind);
    DbGetRinList(ours, db::kCitation, to, *kind);
    for (std::int32_t citation : theirs) {
      if (citation <= 0) continue;
      if (std::find(ours.begin(), ours.end(), citation) == ours.end()) {
        if (DbLinkRecord(citation, db::kCitation, to, *kind) <= 0) return false;
        ours.push_back(citation);
      }
      // A citation the link took out of this chain already is not found
      // there (0); a failed write shows in the watch.
      (void)DbUnLinkRecord(citation, db::kCitation, from, *kind);
      if (!watch.Clean()) return false;
    }
  }
  return true;
}

// ownerKind: kOwnerIndividual or kOwnerMarriage.
bool MoveUserEvents(std::int32_t from, std::int32_t to, char ownerKind) {
  std::vector<std::int32_t> events;
  DbGetRinList(events, db::kUserEvent, from, ownerKind);
  for (std::int32_t event : events)
    if (event > 0 && DbMoveUserEvent(event, 0, to, from, ownerKind) != 1) return false;
  return true;
}

// Folds another marriage of the same couple into moved: its children, user
// events, event, sealing, status, notes and citations; the other goes away.
bool FoldSameCoupleMarriage(std::int32_t moved, const MatchOptions& options) {
  CMarriageRecord marriage;
  if (family::Read(marriage, moved) != 1 || marriage.husband <= 0) return true;
  for (std::int32_t other : MarriagesOf(marriage.husband)) {
    if (other == moved) continue;
    CMarriageRecord twin;
    if (family::Read(twin, other) != 1 || twin.wife != marriage.wife) continue;
    std::vector<std::int32_t> children;
    DbGetRelationList(children, db::kRelChildren, 0, other, 0);
    for (std::int32_t child : children)
      if (child > 0 && DbMoveChildLink(child, other, moved) == 0) return false;
    if (!MoveUserEvents(other, moved, db::kOwnerMarriage)) return false;
    if (family::Read(marriage, moved) != 1) return true;
    CombineEvent(marriage.marriage, twin.marriage);
    CombineOrdinance(marriage.sealingToSpouse, twin.sealingToSpouse);
    if (marriage.status != 'D' && marriage.status != 'M' && marriage.status != 'N')
      marriage.status = twin.status;
    if (family::Update(marriage, 0) != 1 || !MoveNotes(other, moved, db::kMarriage, options))
      return false;
    if (options.mrgCitations && !MoveCitations(other, moved, "MGS")) return false;
    return DbUnlinkRIN(other, db::kMarriage) != 0 && DbDeleteRecord(other, db::kMarriage) == 1;
  }
  return true;
}

std::vector<std::int32_t> TakenMarriages(std::int32_t duplicate, const MergeChoices& choices) {
  if (choices.allMarriages) return MarriagesOf(duplicate);
  return choices.marriages;
}

// The duplicate's pictures and clips go to the primary: its whole chain when
// the primary has none, else after the primary's last item, where a default
// mark of a kind the primary already has a default for is dropped. The
// duplicate's own items go with its record. False when the primary's chain
// could not be stored.
bool MergeMultimedia(std::int32_t duplicate, std::int32_t primary) {
  if (CurrentDatabase == nullptr) return true;
  const std::int32_t theirHead = DbGetMultimediaHead(duplicate, db::kIndividual);
  if (theirHead <= 0) return true;
  CMultimediaList theirs = CurrentDatabase->LoadMultimediaList(theirHead);
  if (!theirs) return true;
  const std::int32_t ourHead = DbGetMultimediaHead(primary, db::kIndividual);
  CMultimediaList ours = ourHead > 0 ? CurrentDatabase->LoadMultimediaList(ourHead) : nullptr;
  if (!ours) return DbSaveMultimediaChain(primary, theirs.get(), db::kIndividual) == 1;
  const auto picture = [](const CMultimediaItem& item) {
    return item.kind == CMultimediaItem::kPhoto || item.kind == 'K';
  };
  bool pictureDefault = false, soundDefault = false;
  CMultimediaItem* last = ours.get();
  for (CMultimediaItem* item = ours.get(); item != nullptr; item = item->next.get()) {
    if (item->IsDefault() && picture(*item)) pictureDefault = true;
    if (item->IsDefault() && item->kind == CMultimediaItem::kSound) soundDefault = true;
    last = item;
  }
  for (CMultimediaItem* item = theirs.get(); item != nullptr; item = item->next.get()) {
    if ((pictureDefault && picture(*item)) ||
        (soundDefault && item->kind == CMultimediaItem::kSound))
      item->flags = static_cast<std::uint16_t>(item->flags & ~CMultimediaItem::kFlagDefault);
  }
  last->next = std::move(theirs);
  return DbSaveMultimediaChain(primary, ours.get(), db::kIndividual) == 1;
}

}  // namespace

MergeChoices PrecheckedChoices(const CIndividualRecord& primary,
                               const CIndividualRecord& duplicate) {
  MergeChoices choices;
  const auto precheck = [](const CEventValue& ours, const CEventValue& theirs, bool& date,
                           bool& place) {
    if (!HasEvent(ours)) {
      date = theirs.date.IsSet();
      place = HasPlace(theirs);
      return;
    }
    if (!HasPlace(ours) && HasPlace(theirs)) place = true;
    if (!ours.date.IsSet() && theirs.date.IsSet()) date = true;
  };
  precheck(primary.birth, duplicate.birth, choices.birthDate, choices.birthPlace);
  precheck(primary.christening, duplicate.christening, choices.christeningDate,
           choices.christeningPlace);
  precheck(primary.death, duplicate.death, choices.deathDate, choices.deathPlace);
  precheck(primary.burial, duplicate.burial, choices.burialDate, choices.burialPlace);
  choices.baptism = !HasBaptism(primary) && HasBaptism(duplicate);
  choices.endowment = !HasOrdinance(primary.endowment) && HasOrdinance(duplicate.endowment);
  choices.sealingToParents =
      !HasOrdinance(primary.sealingToParents) && HasOrdinance(duplicate.sealingToParents);
  return choices;
}

std::vector<std::int32_t> MarriagesLeftBehind(std::int32_t duplicate, const MergeChoices& choices) {
  std::vector<std::int32_t> left;
  const std::vector<std::int32_t> taken = TakenMarriages(duplicate, choices);
  for (std::int32_t m : MarriagesOf(duplicate))
    if (std::find(taken.begin(), taken.end(), m) == taken.end()) left.push_back(m);
  return left;
}

void TakeOrdinances(CIndividualRecord& primary, const CIndividualRecord& duplicate,
                    const MergeChoices& choices) {
  if (choices.zelShown) {
    const auto take = [](COrdinanceValue& to, const COrdinanceValue& from, bool chosen,
                         bool temple) {
      if (!chosen) return;
      to.date = from.date;
      if (temple) to.templeCode = from.templeCode;
    };
    // A baptism recorded with a place has that place instead of a temple.
    const bool place = BaptismPlaceFlag(duplicate);
    take(primary.baptism, duplicate.baptism, choices.baptism, !place);
    if (choices.baptism && place) TakeBaptismPlace(primary, duplicate);
    take(primary.endowment, duplicate.endowment, choices.endowment, true);
    take(primary.sealingToParents, duplicate.sealingToParents, choices.sealingToParents, true);
    return;
  }
  if (!HasBaptism(primary) && HasBaptism(duplicate)) {
    primary.baptism = duplicate.baptism;
    if (BaptismPlaceFlag(duplicate)) TakeBaptismPlace(primary, duplicate);
  }
  CombineOrdinance(primary.endowment, duplicate.endowment);
  CombineOrdinance(primary.sealingToParents, duplicate.sealingToParents);
}

namespace {

// The merge's calls; 1 when all were made.
int MergeSteps(std::int32_t primaryRin, std::int32_t duplicateRin, const MergeChoices& choices,
               const MatchOptions& options) {
  CIndividualRecord primary, duplicate;
  if (DbGetIndividualRecord(primaryRin, primary, 9) != 1 ||
      DbGetIndividualRecord(duplicateRin, duplicate, 9) != 1)
    return 0;

  if (choices.name) {
    primary.surname = duplicate.surname;
    for (int i = 0; i < 3; ++i) primary.givenNames[i] = duplicate.givenNames[i];
    primary.suffix = duplicate.suffix;
  }
  TakeEvent(primary.birth, duplicate.birth, choices.birthDate, choices.birthPlace);
  TakeEvent(primary.christening, duplicate.christening, choices.christeningDate,
            choices.christeningPlace);
  TakeEvent(primary.death, duplicate.death, choices.deathDate, choices.deathPlace);
  TakeEvent(primary.burial, duplicate.burial, choices.burialDate, choices.burialPlace);
  if (choices.sbn) primary.texts1[1] = duplicate.texts1[1];
  if (choices.sex) primary.sex = duplicate.sex;
  TakeOrdinances(primary, duplicate, choices);

  for (int i = 0; i < 2; ++i) FillEmpty(primary.nameExtensions[i], duplicate.nameExtensions[i]);
  FillEmpty(primary.texts1[0], duplicate.texts1[0]);
  FillEmpty(primary.texts1[1], duplicate.texts1[1]);
  for (int i = 0; i < 3; ++i) FillEmpty(primary.texts2[i], duplicate.texts2[i]);
  FillEmpty(primary.linkText, duplicate.linkText);
  for (int i = 0; i < CIndividualRecord::kContactFieldCount; ++i)
    FillEmpty(primary.contact[i], duplicate.contact[i]);
  // Written before the links and notes change, so that the stored link and
  // note numbers are not overwritten by this copy.
  if (family::Update(primary, 0) != 1) return 0;

  // From here on a failed write stops the merge before the duplicate (or
  // anything of it) is deleted, so that nothing it still holds is lost.
  const WriteWatch watch;
  const std::int32_t duplicateParents = duplicate.numbers[CIndividualRecord::kParentsMrin];
  // The links' merge answers 0 also when there is nothing to hand over.
  if (duplicateParents > 0 || primary.numbers[CIndividualRecord::kParentsMrin] > 0)
    (void)DbMergeFamilyLinks(duplicateRin, primaryRin, choices.zelShown && choices.sealingToParents,
                             choices.zelShown && choices.sealingToParents,
                             choices.parents && duplicateParents > 0 ? duplicateParents : 0,
                             options.mrgCitations);
  if (!watch.Clean()) return 0;

  if (!MoveNotes(duplicateRin, primaryRin, db::kIndividual, options)) return 0;
  if (options.mrgCitations && !MoveCitations(duplicateRin, primaryRin, "IBCDRAE")) return 0;
  if (!MoveUserEvents(duplicateRin, primaryRin, db::kOwnerIndividual)) return 0;

  const std::vector<std::int32_t> leftBehind = choices.deleteLeftBehind
                                                   ? MarriagesLeftBehind(duplicateRin, choices)
                                                   : std::vector<std::int32_t>{};
  for (std::int32_t mrin : TakenMarriages(duplicateRin, choices)) {
    CMarriageRecord marriage;
    if (family::Read(marriage, mrin) != 1) continue;
    // The role is the duplicate's place in this marriage.
    int role = 0;
    std::int32_t spouse = 0;
    if (marriage.husband == duplicateRin) {
      role = db::kRelHusband;
      spouse = marriage.wife;
    } else if (marriage.wife == duplicateRin) {
      role = db::kRelWife;
      spouse = marriage.husband;
    } else {
      continue;
    }
    // Taking the duplicate out answers 0 also when the marriage's chain did
    // not hold it; a failed write shows in the watch.
    (void)DbUnSetRelation(mrin, duplicateRin, role);
    if (!watch.Clean() || DbSetRelation(primaryRin, spouse, role, mrin) <= 0 ||
        !FoldSameCoupleMarriage(mrin, options))
      return 0;
  }

  if (options.mrgMedia && !MergeMultimedia(duplicateRin, primaryRin)) return 0;

  for (std::int32_t mrin : leftBehind)
    if (DbUnlinkRIN(mrin, db::kMarriage) == 0 || DbDeleteRecord(mrin, db::kMarriage) != 1) return 0;

  return DbDeleteRecord(duplicateRin, db::kIndividual) == 1 ? 1 : 0;
}

}  // namespace

int MergeIndividuals(std::int32_t primaryRin, std::int32_t duplicateRin,
                     const MergeChoices& choices, const MatchOptions& options, CMergeWorkFile* work,
                     std::int32_t duplicatePosition) {
  if (primaryRin <= 0 || duplicateRin <= 0 || primaryRin == duplicateRin) return 0;
  // The merge reaches the file as one change: a kill or a failed write
  // leaves both individuals as they were, or the merge done.
  DbWholeChange change;
  const int merged = MergeSteps(primaryRin, duplicateRin, choices, options);
  if (!change.End() || merged != 1) return 0;
  if (work != nullptr && duplicatePosition >= 0) work->MarkMerged(duplicatePosition);
  return 1;
}

bool IsSafeAutoMerge(const CIndividualRecord& primary, const CIndividualRecord& duplicate) {
  if (primary.texts1[1].empty() || primary.texts1[1] != duplicate.texts1[1]) return false;
  if (primary.GetName(0, false, 0, true) != duplicate.GetName(0, false, 0, true)) return false;
  if (primary.sex != duplicate.sex) return false;
  const auto empty = [](const CIndividualRecord& r) {
    if (HasEvent(r.birth) || HasEvent(r.christening) || HasEvent(r.death) || HasEvent(r.burial) ||
        HasBaptism(r) || HasOrdinance(r.endowment) || HasOrdinance(r.sealingToParents))
      return false;
    if (!r.nameExtensions[0].empty() || !r.nameExtensions[1].empty()) return false;
    for (const std::string& t : r.texts2)
      if (!t.empty()) return false;
    return r.texts1[0].empty();
  };
  if (empty(primary) || empty(duplicate)) return true;
  const auto sameEvent = [](const CEventValue& a, const CEventValue& b) {
    if (!HasEvent(a) && !HasEvent(b)) return true;
    return HasEvent(a) && HasEvent(b) && a.FormatPlace(",") == b.FormatPlace(",") &&
           a.date.Format() == b.date.Format();
  };
  const auto sameOrdinance = [](const COrdinanceValue& a, const COrdinanceValue& b) {
    if (!HasOrdinance(a) && !HasOrdinance(b)) return true;
    return HasOrdinance(a) && HasOrdinance(b) && a.templeCode == b.templeCode &&
           a.date.Format() == b.date.Format();
  };
  // A baptism's place, when it was recorded with one, counts with its temple.
  const auto baptismPlace = [](const CIndividualRecord& r) {
    return HasBaptismPlace(r) ? r.fifthEvent.FormatPlace(",") : std::string();
  };
  const bool sameBaptism =
      HasBaptism(primary) == HasBaptism(duplicate) &&
      (!HasBaptism(primary) || (primary.baptism.templeCode == duplicate.baptism.templeCode &&
                                primary.baptism.date.Format() == duplicate.baptism.date.Format() &&
                                baptismPlace(primary) == baptismPlace(duplicate)));
  return sameEvent(primary.birth, duplicate.birth) &&
         sameEvent(primary.christening, duplicate.christening) &&
         sameEvent(primary.death, duplicate.death) && sameEvent(primary.burial, duplicate.burial) &&
         sameBaptism && sameOrdinance(primary.endowment, duplicate.endowment);
}

int AutoMergeOnSbn(CMergeWorkFile& work, MergeConfirmPort& confirm, const MatchOptions& options) {
  MergeWorkRecord primary;
  if (work.FindNextPair(-1, 1, CMergeWorkFile::kSbnMode, true, primary) != 1) return 0;
  int merged = 0;
  bool yesToAll = false;
  for (;;) {
    CIndividualRecord first;
    const std::string sbnKey(
        reinterpret_cast<const char*>(primary.bytes + 8),
        std::find(primary.bytes + 8, primary.bytes + 18, 0) - (primary.bytes + 8));
    const bool blankSbn = sbnKey.find_first_not_of(' ') == std::string::npos;
    if (!blankSbn && DbGetIndividualRecord(primary.Rin(), first, 9) == 1) {
      for (std::int32_t p = primary.Position() + 1; p < work.Count(); ++p) {
        MergeWorkRecord member;
        if (!work.ReadAt(p, member) || !SameMergeKey(primary, member, CMergeWorkFile::kSbnMode))
          break;
        if (member.Rin() == 0) continue;
        if (IsParentOrChildByRIN(primary.Rin(), member.Rin())) continue;
        CIndividualRecord second;
        if (DbGetIndividualRecord(member.Rin(), second, 9) != 1) continue;
        bool merge = false;
        if (yesToAll) {
          merge = IsSafeAutoMerge(first, second);
        } else {
          switch (confirm.Ask(primary.Rin(), member.Rin())) {
            case MergeConfirmPort::kYes:
              merge = true;
              break;
            case MergeConfirmPort::kNo:
              break;
            case MergeConfirmPort::kYesToAll:
              yesToAll = true;
              merge = true;
              break;
            case MergeConfirmPort::kCancel:
              return merged;
          }
        }
        if (merge && MergeIndividuals(primary.Rin(), member.Rin(), PrecheckedChoices(first, second),
                                      options, &work, p) == 1) {
          ++merged;
          DbGetIndividualRecord(primary.Rin(), first, 9);
        }
      }
    }
    // The next primary: the next live entry after this one, whatever its key.
    std::int32_t p = primary.Position() + 1;
    while (p < work.Count() && work.ReadAt(p, primary) && primary.Rin() == 0) ++p;
    if (p >= work.Count()) return merged;
  }
}
