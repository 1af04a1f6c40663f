// The owner chains: citations (doubly linked, head in the owner) and user
// events (doubly linked, head in the individual's extension or the marriage),
// the counts of cited user events and parent links an individual's
// extension keeps, and moving citations and user events between owners.
#include "OwnerChains.h"
#include "BlockStore.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "DbCodes.h"
#include "FamilyLinks.h"
#include "ORV3.h"
#include "Ports.h"
#include "RecordStore.h"
#include "StringIds.h"
#include "StringTable.h"

using namespace orv;

namespace {

constexpr const char* kProgramCaption = "Korvane";
constexpr unsigned kWarning = plat::kMbOk | plat::kMbIconExclamation;
constexpr int kCitedUserEvents = 73;
constexpr int kCitedParentLinks = 74;
constexpr int kLinkSealingHead = 17 + 10;
constexpr int kUserEventHead = 21 + 26;

// Head field of an individual's or marriage's own chains, by owner letter.
int IndividualHeadOffset(char letter) {
  switch (letter) {
    case db::kOwnerIndividual:
      return 234;
    case db::kOwnerBirth:
      return 22 + 26;
    case db::kOwnerChristening:
      return 60 + 26;
    case db::kOwnerDeath:
      return 98 + 26;
    case db::kOwnerBurial:
      return 136 + 26;
    case db::kOwnerBaptism:
      return 174 + 10;
    case db::kOwnerEndowment:
      return 196 + 10;
    default:
      return 0;
  }
}
int MarriageHeadOffset(char letter) {
  switch (letter) {
    case db::kOwnerMarriage:
      return 93;
    case db::kOwnerMarriageEvent:
      return 17 + 26;
    case db::kOwnerSealingToSpouse:
      return 55 + 10;
    default:
      return 0;
  }
}

}  // namespace

OwnerChains::OwnerChains(RecordStore& records, FamilyLinks& families, RecordDeletes& deletes)
    : records_(records), families_(families), deletes_(deletes) {}

bool OwnerChains::CitationSlotOf(std::int32_t owner, char letter, CitationSlot& slot) {
  slot = CitationSlot{};
  if (int off = IndividualHeadOffset(letter)) {
    if (records_.IsLive(RecordKind::Individual, owner) != 1) return false;
    slot = {RecordKind::Individual, owner, off, owner, 0, 0};
    return true;
  }
  if (int off = MarriageHeadOffset(letter)) {
    if (records_.IsLive(RecordKind::Marriage, owner) != 1) return false;
    slot = {RecordKind::Marriage, owner, off, owner, 0, 0};
    return true;
  }
  std::int32_t link = 0;
  switch (letter) {
    case db::kOwnerSealingToParents: {
      // The sealing to parents of the individual's first parent family link.
      IndividualRec person;
      if (records_.IsLive(RecordKind::Individual, owner) != 1 || !records_.Read(owner, person))
        return false;
      link = person.firstParentLink;
      break;
    }
    case db::kOwnerFamilyLink:
      link = owner;
      break;
    case db::kOwnerIndividualUserEvent:
    case db::kOwnerMarriageUserEvent: {
      UserEventRec event;
      if (records_.IsLive(RecordKind::UserEvent, owner) != 1 || !records_.Read(owner, event))
        return false;
      slot = {RecordKind::UserEvent,
              owner,
              kUserEventHead,
              owner,
              event.ownerKind == db::kOwnerIndividual ? event.owner : 0,
              kCitedUserEvents};
      return true;
    }
    default:
      return false;
  }
  FamilyLinkRec rec;
  if (records_.IsLive(RecordKind::FamilyLink, link) != 1 || !records_.Read(link, rec)) return false;
  slot = {RecordKind::FamilyLink, link, kLinkSealingHead, link, rec.child, kCitedParentLinks};
  return true;
}

std::int32_t OwnerChains::SlotHead(const CitationSlot& slot) {
  std::vector<std::uint8_t> buf(LayoutOf(slot.kind).size);
  if (!records_.ReadRaw(slot.kind, slot.record, buf.data())) return 0;
  return GetI32(buf.data() + slot.offset);
}

bool OwnerChains::SetSlotHead(const CitationSlot& slot, std::int32_t head) {
  std::vector<std::uint8_t> buf(LayoutOf(slot.kind).size);
  if (!records_.ReadRaw(slot.kind, slot.record, buf.data())) return false;
  const std::int32_t old = GetI32(buf.data() + slot.offset);
  if (old == head) return true;
  PutI32(buf.data() + slot.offset, head);
  if (!records_.WriteRaw(slot.kind, slot.record, buf.data())) return false;
  if (slot.kind == RecordKind::Individual) {
    // An individual with citations has its extension record.
    IndividualExtRec ext;
    if (records_.ReadIndividualExt(slot.record, ext)) records_.Write(slot.record, ext);
  }
  if (slot.countField != 0 && slot.countRin > 0) {
    if (old == 0 && head != 0) AdjustCitedCount(slot.countRin, slot.countField, 1);
    if (old != 0 && head == 0) AdjustCitedCount(slot.countRin, slot.countField, -1);
  }
  return true;
}

void OwnerChains::AdjustCitedCount(std::int32_t rin, int field, int delta) {
  if (records_.IsLive(RecordKind::Individual, rin) != 1) return;
  IndividualExtRec ext;
  if (!records_.ReadIndividualExt(rin, ext)) return;
  std::uint8_t& count = field == kCitedUserEvents ? ext.citedUserEvents : ext.citedParentLinks;
  count = static_cast<std::uint8_t>(std::clamp(count + delta, 0, 255));
  records_.Write(rin, ext);
}

std::vector<std::int32_t> OwnerChains::CitationChain(std::int32_t first) {
  std::vector<std::int32_t> chain;
  std::unordered_set<std::int32_t> seen;
  for (std::int32_t c = first; c != 0;) {
    CitationRec rec;
    std::uint8_t buf[CitationRec::kSize];
    const bool live = records_.IsLive(RecordKind::Citation, c, buf) == 1;
    rec.Decode(buf);
    if (!live || !seen.insert(c).second) {
      records_.Blocks().TellOnce("Damaged citation chains",
                                 "The citation chain that starts at citation " +
                                     std::to_string(first) + " is damaged at citation " +
                                     std::to_string(c) + "; the rest of it is not used.",
                                 BlockStore::kFailureCaption, plat::kMbOk);
      break;
    }
    chain.push_back(c);
    c = rec.next;
  }
  return chain;
}

// The chain that holds a citation at its head, looked for among the owners
// its owner number can name, in the order individual, its parent links,
// family link, marriage, user event.
bool OwnerChains::FindCitationHead(std::int32_t citation, std::int32_t owner, CitationSlot& slot) {
  std::vector<CitationSlot> candidates;
  CitationSlot s;
  for (char letter : {db::kOwnerIndividual, db::kOwnerBirth, db::kOwnerChristening, db::kOwnerDeath,
                      db::kOwnerBurial, db::kOwnerBaptism, db::kOwnerEndowment})
    if (CitationSlotOf(owner, letter, s)) candidates.push_back(s);
  for (std::int32_t l : families_.Ring(FamilyLinks::kParents, owner))
    if (CitationSlotOf(l, db::kOwnerFamilyLink, s)) candidates.push_back(s);
  if (CitationSlotOf(owner, db::kOwnerFamilyLink, s)) candidates.push_back(s);
  for (char letter : {db::kOwnerMarriage, db::kOwnerMarriageEvent, db::kOwnerSealingToSpouse,
                      db::kOwnerIndividualUserEvent})
    if (CitationSlotOf(owner, letter, s)) candidates.push_back(s);
  for (const CitationSlot& c : candidates) {
    if (SlotHead(c) == citation) {
      slot = c;
      return true;
    }
  }
  return false;
}

int OwnerChains::AppendCitation(std::int32_t citation, std::int32_t owner, char ownerLetter) {
  CitationSlot slot;
  CitationRec rec;
  if (records_.IsLive(RecordKind::Citation, citation) != 1 ||
      !CitationSlotOf(owner, ownerLetter, slot) || !records_.Read(citation, rec))
    return 0;
  const std::vector<std::int32_t> chain = CitationChain(SlotHead(slot));
  if (std::find(chain.begin(), chain.end(), citation) != chain.end()) return 1;
  rec.next = 0;
  rec.previous = chain.empty() ? 0 : chain.back();
  rec.owner = slot.owner;
  if (!records_.Write(citation, rec)) return 0;
  if (chain.empty()) return SetSlotHead(slot, citation) ? 1 : 0;
  CitationRec last;
  if (!records_.Read(chain.back(), last)) return 0;
  last.next = citation;
  return records_.Write(chain.back(), last);
}

int OwnerChains::DetachCitation(std::int32_t citation) {
  CitationRec rec;
  if (records_.IsLive(RecordKind::Citation, citation) != 1 || !records_.Read(citation, rec))
    return 0;
  bool ok = true;
  CitationRec before;
  const bool inside = rec.previous > 0 &&
                      records_.IsLive(RecordKind::Citation, rec.previous) == 1 &&
                      records_.Read(rec.previous, before) && before.next == citation;
  if (inside) {
    before.next = rec.next;
    ok = records_.Write(rec.previous, before) && ok;
  } else {
    CitationSlot slot;
    if (FindCitationHead(citation, rec.owner, slot)) ok = SetSlotHead(slot, rec.next) && ok;
  }
  CitationRec after;
  if (rec.next > 0 && records_.IsLive(RecordKind::Citation, rec.next) == 1 &&
      records_.Read(rec.next, after) && after.previous == citation) {
    after.previous = inside ? rec.previous : 0;
    ok = records_.Write(rec.next, after) && ok;
  }
  rec.next = rec.previous = 0;
  return records_.Write(citation, rec) && ok ? 1 : 0;
}

std::vector<std::int32_t> OwnerChains::UserEventChain(std::int32_t owner, char letter) {
  std::vector<std::int32_t> chain;
  std::int32_t first = 0;
  if (letter == db::kOwnerIndividual) {
    IndividualExtRec ext;
    if (records_.IsLive(RecordKind::Individual, owner) != 1 ||
        !records_.ReadIndividualExt(owner, ext))
      return chain;
    first = ext.firstUserEvent;
  } else if (letter == db::kOwnerMarriage) {
    MarriageRec m;
    if (records_.IsLive(RecordKind::Marriage, owner) != 1 || !records_.Read(owner, m)) return chain;
    first = m.firstUserEvent;
  } else {
    plat::MessageBox("Unknown Owner type of User-Event Chain", "Yo", plat::kMbOk);
    return chain;
  }
  std::unordered_set<std::int32_t> seen;
  for (std::int32_t e = first; e > 0;) {
    if (!seen.insert(e).second) {
      plat::MessageBox(res::LoadString(res::kIdsLoopInUserEvents), "Yo", plat::kMbOk);
      break;
    }
    UserEventRec rec;
    std::uint8_t buf[UserEventRec::kSize];
    if (records_.IsLive(RecordKind::UserEvent, e, buf) != 1) break;
    rec.Decode(buf);
    chain.push_back(e);
    e = rec.next;
  }
  return chain;
}

bool OwnerChains::SetUserEventHead(std::int32_t owner, char letter, std::int32_t head) {
  if (letter == db::kOwnerIndividual) {
    IndividualExtRec ext;
    if (!records_.ReadIndividualExt(owner, ext)) return false;
    if (ext.firstUserEvent == head) return true;
    ext.firstUserEvent = head;
    return records_.Write(owner, ext);
  }
  MarriageRec m;
  if (!records_.Read(owner, m)) return false;
  if (m.firstUserEvent == head) return true;
  m.firstUserEvent = head;
  return records_.Write(owner, m);
}

int OwnerChains::AppendUserEvent(std::int32_t event, std::int32_t owner, char ownerLetter) {
  if (ownerLetter != db::kOwnerIndividual && ownerLetter != db::kOwnerMarriage) {
    plat::MessageBox("Unknown Owner type of User-Event Chain", "Yo", plat::kMbOk);
    return 0;
  }
  const RecordKind ownerKind =
      ownerLetter == db::kOwnerIndividual ? RecordKind::Individual : RecordKind::Marriage;
  UserEventRec rec;
  if (records_.IsLive(RecordKind::UserEvent, event) != 1 || records_.IsLive(ownerKind, owner) != 1)
    return 0;
  std::int32_t tail = 0;
  if (!KnownUserEventTail(event, owner, ownerLetter, tail)) {
    const std::vector<std::int32_t> chain = UserEventChain(owner, ownerLetter);
    if (std::find(chain.begin(), chain.end(), event) != chain.end()) return 1;
    // An event still in another owner's chain leaves it first, so that chain
    // stays whole.
    DetachUserEvent(event);
    tail = chain.empty() ? 0 : chain.back();
  }
  if (!records_.Read(event, rec)) return 0;
  rec.next = 0;
  rec.previous = tail;
  rec.owner = owner;
  rec.ownerKind = static_cast<std::uint8_t>(ownerLetter);
  if (!records_.Write(event, rec)) return 0;
  if (ownerLetter == db::kOwnerIndividual && rec.event.firstCitation != 0)
    AdjustCitedCount(owner, kCitedUserEvents, 1);
  if (tail == 0) {
    if (!SetUserEventHead(owner, ownerLetter, event)) return 0;
  } else {
    UserEventRec last;
    if (!records_.Read(tail, last)) return 0;
    last.next = event;
    if (!records_.Write(tail, last)) return 0;
  }
  lastUserEvent_ = {owner, event, ownerLetter};
  return 1;
}

bool OwnerChains::KnownUserEventTail(std::int32_t event, std::int32_t owner, char letter,
                                     std::int32_t& last) {
  const auto known = lastUserEvent_;
  if (known.owner != owner || known.letter != letter || known.event == event) return false;
  UserEventRec rec, tail;
  if (!records_.Read(event, rec) || rec.owner != owner || rec.ownerKind != letter ||
      rec.next != 0 || rec.previous != 0)
    return false;
  if (records_.IsLive(RecordKind::UserEvent, known.event) != 1 ||
      !records_.Read(known.event, tail) || tail.owner != owner || tail.ownerKind != letter ||
      tail.next != 0)
    return false;
  // The head shows that event is not the owner's only one, and that a tail
  // without a previous event is the owner's only one.
  std::int32_t head = 0;
  if (letter == db::kOwnerIndividual) {
    IndividualExtRec ext;
    if (!records_.ReadIndividualExt(owner, ext)) return false;
    head = ext.firstUserEvent;
  } else {
    MarriageRec m;
    if (!records_.Read(owner, m)) return false;
    head = m.firstUserEvent;
  }
  if (head == event || (tail.previous == 0 && head != known.event)) return false;
  last = known.event;
  return true;
}

int OwnerChains::DetachUserEvent(std::int32_t event) {
  UserEventRec rec;
  if (records_.IsLive(RecordKind::UserEvent, event) != 1 || !records_.Read(event, rec)) return 0;
  const char letter = static_cast<char>(rec.ownerKind);
  if (letter != db::kOwnerIndividual && letter != db::kOwnerMarriage) return 0;
  const std::vector<std::int32_t> chain = UserEventChain(rec.owner, letter);
  const auto at = std::find(chain.begin(), chain.end(), event);
  if (at == chain.end()) return 0;
  const std::int32_t next = at + 1 != chain.end() ? *(at + 1) : 0;
  const std::int32_t previous = at != chain.begin() ? *(at - 1) : 0;
  if (previous == 0) {
    if (!SetUserEventHead(rec.owner, letter, next)) return 0;
  } else {
    UserEventRec before;
    if (!records_.Read(previous, before)) return 0;
    before.next = next;
    if (!records_.Write(previous, before)) return 0;
  }
  if (next != 0) {
    UserEventRec after;
    if (!records_.Read(next, after)) return 0;
    after.previous = previous;
    if (!records_.Write(next, after)) return 0;
  }
  if (letter == db::kOwnerIndividual && rec.event.firstCitation != 0)
    AdjustCitedCount(rec.owner, kCitedUserEvents, -1);
  rec.next = rec.previous = 0;
  return records_.Write(event, rec);
}

int OwnerChains::GetRinList(std::vector<std::int32_t>& list, int type, std::int32_t owner,
                            char ownerLetter) {
  BlockStore::ReadScope reading(records_.Blocks());
  list.clear();
  if (type == db::kCitation) {
    CitationSlot slot;
    if (!CitationSlotOf(owner, ownerLetter, slot)) return 0;
    list = CitationChain(SlotHead(slot));
  } else if (type == db::kUserEvent) {
    list = UserEventChain(owner, ownerLetter);
  } else {
    plat::MessageBox("Unknown case in GetRinList", "Yo", plat::kMbOk);
    return 0;
  }
  return static_cast<int>(list.size());
}

int OwnerChains::LinkRecord(std::int32_t record, int type, std::int32_t owner, char ownerLetter,
                            std::int32_t /*after*/, int flag) {
  switch (type) {
    case db::kMarriage:
      return families_.LinkMarr(owner, record, ownerLetter, flag != 0);
    case db::kCitation: {
      CitationSlot slot;
      if (records_.IsLive(RecordKind::Citation, record) != 1 ||
          !CitationSlotOf(owner, ownerLetter, slot))
        return 0;
      DetachCitation(record);
      return AppendCitation(record, owner, ownerLetter);
    }
    case db::kUserEvent:
      return AppendUserEvent(record, owner, ownerLetter);
    default:
      plat::MessageBox("Invalid call to LinkRecord", "Yo", plat::kMbOk);
      return 0;
  }
}

int OwnerChains::UnLinkRecord(std::int32_t record, int type, std::int32_t owner, char ownerLetter) {
  if (type != db::kCitation) {
    plat::MessageBox("Case not implemented", "UnLinkRecord", plat::kMbOk);
    return 0;
  }
  CitationSlot slot;
  if (!CitationSlotOf(owner, ownerLetter, slot)) return 0;
  const std::vector<std::int32_t> chain = CitationChain(SlotHead(slot));
  if (std::find(chain.begin(), chain.end(), record) == chain.end()) return 0;
  return DetachCitation(record);
}

std::int32_t OwnerChains::NewCitation(bool reuse, std::int32_t source, std::int32_t owner,
                                      char ownerLetter, const RecordFiller& fill) {
  CitationSlot slot;
  if (records_.IsLive(RecordKind::Source, source) != 1 ||
      records_.IsOwnerLive(owner, ownerLetter) != 1 || !CitationSlotOf(owner, ownerLetter, slot)) {
    plat::MessageBox("Unable to add new citation", kProgramCaption, kWarning);
    return 0;
  }
  const std::int32_t c =
      records_.NewRecord(RecordKind::Citation, reuse, [&](std::int32_t r, std::uint8_t* rec) {
        PutI32(rec + 111, source);
        PutI32(rec + 123, owner);
        if (fill) fill(r, rec);
      });
  if (c > 0) AppendCitation(c, owner, ownerLetter);
  return c;
}

int OwnerChains::ReownCitations(std::int32_t first, std::int32_t from, std::int32_t to) {
  int changed = 0;
  for (std::int32_t c : CitationChain(first)) {
    CitationRec rec;
    if (!records_.Read(c, rec) || rec.owner != from) continue;
    rec.owner = to;
    if (records_.Write(c, rec)) ++changed;
  }
  return changed;
}

int OwnerChains::MoveUserEvent(std::int32_t event, std::int32_t newOwner, std::int32_t oldOwner,
                               char ownerLetter) {
  const char letter =
      ownerLetter == db::kOwnerIndividual ? db::kOwnerIndividual : db::kOwnerMarriage;
  UserEventRec rec;
  if (records_.IsLive(RecordKind::UserEvent, event) != 1 || !records_.Read(event, rec)) return 0;
  // An owner that cannot take the event leaves it where it is.
  if (records_.IsOwnerLive(newOwner, letter) != 1) return 0;
  // The event leaves the chain it is in (its owner field says which), which
  // is normally oldOwner's.
  if (rec.owner != oldOwner) {
    plat::MessageBox("User event " + std::to_string(event) + " belongs to " +
                         std::to_string(rec.owner) + ", not to " + std::to_string(oldOwner) + ".",
                     "Yo", plat::kMbOk);
  }
  // The chain the event is in must let go of it whole before it joins the
  // new one; an event in no chain has nothing to leave.
  const char from = static_cast<char>(rec.ownerKind);
  bool chained = false;
  if (from == db::kOwnerIndividual || from == db::kOwnerMarriage) {
    const std::vector<std::int32_t> chain = UserEventChain(rec.owner, from);
    chained = std::find(chain.begin(), chain.end(), event) != chain.end();
  }
  if (DetachUserEvent(event) != 1 && chained) return 0;
  return AppendUserEvent(event, newOwner, letter);
}

int OwnerChains::MoveSealingCitations(std::int32_t fromLink, std::int32_t toLink) {
  CitationSlot from, to;
  if (fromLink == toLink || !CitationSlotOf(fromLink, db::kOwnerFamilyLink, from) ||
      !CitationSlotOf(toLink, db::kOwnerFamilyLink, to))
    return 0;
  const std::vector<std::int32_t> moved = CitationChain(SlotHead(from));
  if (moved.empty()) return 1;
  const std::vector<std::int32_t> kept = CitationChain(SlotHead(to));
  for (std::size_t i = 0; i < moved.size(); ++i) {
    CitationRec rec;
    if (!records_.Read(moved[i], rec)) return 0;
    rec.owner = to.owner;
    rec.previous = i > 0 ? moved[i - 1] : (kept.empty() ? 0 : kept.back());
    rec.next = i + 1 < moved.size() ? moved[i + 1] : 0;
    if (!records_.Write(moved[i], rec)) return 0;
  }
  if (!SetSlotHead(from, 0)) return 0;
  if (kept.empty()) return SetSlotHead(to, moved.front()) ? 1 : 0;
  CitationRec last;
  if (!records_.Read(kept.back(), last)) return 0;
  last.next = moved.front();
  return records_.Write(kept.back(), last);
}
