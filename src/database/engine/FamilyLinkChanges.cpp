// Spouse and child links: appending to and taking out of the spouse chains,
// making and removing children, moving a child link and unlinking a record
// from all its families. Each change the rest of the program calls reaches
// the file whole or not at all (WholeEdit): a kill or a failed write at any
// point leaves the old or the new links, never one side of a link without
// the other.
#include <algorithm>

#include "DbCodes.h"
#include "EditWhole.h"
#include "FamilyLinks.h"
#include "ORV3.h"
#include "OwnerChains.h"
#include "Ports.h"
#include "RecordDeletes.h"
#include "RecordStore.h"

using namespace orv;

namespace {

constexpr int kHusband = 0;
constexpr int kWife = 1;

std::int32_t& SpouseField(MarriageRec& m, int side) {
  return side == kHusband ? m.husband : m.wife;
}
std::int32_t& NextField(MarriageRec& m, int side) {
  return side == kHusband ? m.husbandNext : m.wifeNext;
}
// The side on which the marriage names the person, else the fallback.
int SideOf(const MarriageRec& m, std::int32_t rin, int fallback) {
  if (m.husband == rin) return kHusband;
  if (m.wife == rin) return kWife;
  return fallback;
}

void Remove(std::vector<std::int32_t>& v, std::int32_t x) {
  v.erase(std::remove(v.begin(), v.end(), x), v.end());
}

}  // namespace

bool FamilyLinks::HasOrdinanceData(const PackedOrdinance& o) {
  return o.date != PackedDate{} || o.templeCode != 0 || o.firstCitation != 0 || o.secondValue != 0;
}

int FamilyLinks::AppendToSpouseChain(std::int32_t rin, std::int32_t mrin, int side, bool set) {
  IndividualRec person;
  MarriageRec m;
  if (records_.IsLive(RecordKind::Individual, rin) != 1 ||
      records_.IsLive(RecordKind::Marriage, mrin) != 1 || !records_.Read(rin, person) ||
      !records_.Read(mrin, m))
    return 0;
  std::int32_t tail = 0;
  bool present = false;
  if (!KnownSpouseTail(rin, person, mrin, m, side, tail)) {
    const std::vector<std::int32_t> chain = SpouseChain(rin);
    present = std::find(chain.begin(), chain.end(), mrin) != chain.end();
    tail = chain.empty() ? 0 : chain.back();
  }
  if (!present) {
    if (tail == 0) {
      person.firstMarriage = mrin;
      if (!records_.Write(rin, person)) return 0;
    } else {
      MarriageRec last;
      if (!records_.Read(tail, last)) return 0;
      NextField(last, SideOf(last, rin, side)) = mrin;
      if (!records_.Write(tail, last)) return 0;
    }
    // The new end of the chain leads nowhere.
    NextField(m, side) = 0;
    lastSpouseLink_[side] = {rin, mrin};
  }
  if (set) SpouseField(m, side) = rin;
  if (!records_.Write(mrin, m)) return 0;
  LogLink(db::kLogSpouseLink, db::kLogLink, rin, mrin);
  return 1;
}

bool FamilyLinks::KnownSpouseTail(std::int32_t rin, const IndividualRec& person, std::int32_t mrin,
                                  const MarriageRec& m, int side, std::int32_t& tail) {
  // A marriage that names the person on neither side is in none of the
  // person's chains.
  if (side != kHusband && side != kWife) return false;
  const auto& memo = lastSpouseLink_[side];
  if (memo.rin != rin || memo.mrin == mrin || m.husband == rin || m.wife == rin ||
      person.firstMarriage == 0)
    return false;
  const std::int32_t known = memo.mrin;
  MarriageRec last;
  if (records_.IsLive(RecordKind::Marriage, known) != 1 || !records_.Read(known, last))
    return false;
  const int lastSide = SideOf(last, rin, -1);
  if (lastSide == -1) return false;
  const std::int32_t next = NextField(last, lastSide);
  if (next != 0 && next != known) return false;
  tail = known;
  return true;
}

int FamilyLinks::RemoveFromSpouseChain(std::int32_t rin, std::int32_t mrin, int side) {
  MarriageRec m;
  if (records_.IsLive(RecordKind::Marriage, mrin) != 1 || !records_.Read(mrin, m)) return 0;
  // A marriage that names the person on the other side is not taken from that side.
  if (SpouseField(m, side) != rin && SideOf(m, rin, -1) != -1) return 0;
  const std::vector<std::int32_t> chain = SpouseChain(rin);
  const auto at = std::find(chain.begin(), chain.end(), mrin);
  if (at != chain.end()) {
    const std::int32_t next = at + 1 != chain.end() ? *(at + 1) : 0;
    if (at == chain.begin()) {
      IndividualRec person;
      if (!records_.Read(rin, person)) return 0;
      person.firstMarriage = next;
      if (!records_.Write(rin, person)) return 0;
    } else {
      MarriageRec before;
      if (!records_.Read(*(at - 1), before)) return 0;
      NextField(before, SideOf(before, rin, side)) = next;
      if (!records_.Write(*(at - 1), before)) return 0;
    }
  }
  if (!records_.Read(mrin, m)) return 0;
  if (SpouseField(m, side) == rin) SpouseField(m, side) = 0;
  NextField(m, side) = 0;
  if (!records_.Write(mrin, m)) return 0;
  LogLink(db::kLogSpouseLink, db::kLogUnlink, rin, mrin);
  return 1;
}

std::int32_t FamilyLinks::MakeChild(std::int32_t child, std::int32_t marriage) {
  return WholeEdit(records_.Blocks(), [&]() -> std::int32_t {
    if (records_.IsLive(RecordKind::Individual, child) != 1 ||
        records_.IsLive(RecordKind::Marriage, marriage) != 1)
      return 0;
    std::vector<std::int32_t> parents = Ring(kParents, child);
    std::uint8_t code = 'b';
    for (std::int32_t l : parents) {
      FamilyLinkRec link;
      if (records_.Read(l, link) && link.relation == 'b') code = 'a';
    }
    auto ensureInChildren = [&](std::int32_t l) -> std::int32_t {
      std::vector<std::int32_t> ring = Ring(kChildren, marriage);
      if (std::find(ring.begin(), ring.end(), l) == ring.end()) {
        ring.push_back(l);
        if (!WriteRing(kChildren, marriage, ring)) return 0;
      }
      return l;
    };
    for (std::int32_t l : parents) {
      FamilyLinkRec link;
      if (!records_.Read(l, link)) continue;
      if (link.marriage == 0) {
        // A link without parents takes the marriage, and joins its children.
        link.marriage = marriage;
        link.nextInMarriage = l;
        if (!records_.Write(l, link)) return 0;
        if (!ensureInChildren(l)) return 0;
        LogLink(db::kLogChildLink, db::kLogLink, child, marriage);
        return l;
      }
      if (link.marriage == marriage) return ensureInChildren(l);
    }
    std::int32_t head = 0, tail = 0;
    const bool knownTail = KnownChildTail(marriage, head, tail);
    std::vector<std::int32_t> children;
    if (!knownTail) {
      children = Ring(kChildren, marriage);
      for (std::int32_t l : children) {
        FamilyLinkRec link;
        if (records_.Read(l, link) && link.child == child) {
          // Reached from the marriage but not from the child: join the child's ring.
          parents.push_back(l);
          return WriteRing(kParents, child, parents) ? l : 0;
        }
      }
    }
    const std::int32_t l =
        records_.NewRecord(RecordKind::FamilyLink, true, [&](std::int32_t, std::uint8_t* rec) {
          rec[0] = code;
          PutI32(rec + 1, marriage);
          PutI32(rec + 13, child);
        });
    if (l == 0) return 0;
    parents.push_back(l);
    if (!WriteRing(kParents, child, parents)) return 0;
    if (knownTail) {
      // The new link goes between the last and the first.
      FamilyLinkRec added, last;
      if (!records_.Read(l, added) || !records_.Read(tail, last)) return 0;
      added.nextInMarriage = head;
      last.nextInMarriage = l;
      if (!records_.Write(l, added) || !records_.Write(tail, last)) return 0;
    } else {
      children.push_back(l);
      if (!WriteRing(kChildren, marriage, children)) return 0;
    }
    lastChildLink_ = {marriage, l};
    LogLink(db::kLogChildLink, db::kLogLink, child, marriage);
    return l;
  });
}

bool FamilyLinks::KnownChildTail(std::int32_t marriage, std::int32_t& head, std::int32_t& tail) {
  if (lastChildLink_.marriage != marriage) return false;
  MarriageRec m;
  FamilyLinkRec last;
  if (!records_.Read(marriage, m) || m.firstChildLink <= 0 ||
      records_.IsLive(RecordKind::FamilyLink, lastChildLink_.link) != 1 ||
      !records_.Read(lastChildLink_.link, last) || last.marriage != marriage ||
      last.nextInMarriage != m.firstChildLink)
    return false;
  head = m.firstChildLink;
  tail = lastChildLink_.link;
  return true;
}

int FamilyLinks::DetachFamilyLink(std::int32_t link) {
  return WholeEdit(records_.Blocks(), [&]() -> int {
    FamilyLinkRec rec;
    if (records_.IsLive(RecordKind::FamilyLink, link) != 1 || !records_.Read(link, rec)) return 0;
    bool ok = true;
    if (rec.marriage > 0) {
      std::vector<std::int32_t> ring = Ring(kChildren, rec.marriage);
      if (std::find(ring.begin(), ring.end(), link) != ring.end()) {
        Remove(ring, link);
        ok = WriteRing(kChildren, rec.marriage, ring) && ok;
      }
    }
    if (rec.child > 0) {
      std::vector<std::int32_t> ring = Ring(kParents, rec.child);
      if (std::find(ring.begin(), ring.end(), link) != ring.end()) {
        Remove(ring, link);
        ok = WriteRing(kParents, rec.child, ring) && ok;
      }
    }
    // Left as a ring of one in both rings.
    if (!records_.Read(link, rec)) return 0;
    rec.nextInMarriage = link;
    rec.nextInChild = link;
    return records_.Write(link, rec) && ok ? 1 : 0;
  });
}

// Deleting a link takes its sealing citations and takes it out of both rings.
int FamilyLinks::DeleteLinkCompletely(std::int32_t link) { return deletes_.DeleteFamilyLink(link); }

int FamilyLinks::TakeChildOut(std::int32_t mrin, std::int32_t child) {
  for (std::int32_t l : Ring(kChildren, mrin)) {
    FamilyLinkRec link;
    if (records_.Read(l, link) && link.child == child) {
      const int done = DeleteLinkCompletely(l);
      LogLink(db::kLogChildLink, db::kLogUnlink, child, mrin);
      return done;
    }
  }
  return 0;
}

std::int32_t FamilyLinks::DLLSETORV3RELATION(std::int32_t individual, std::int32_t other,
                                             int relation, std::int32_t marriage) {
  return WholeEdit(records_.Blocks(), [&]() -> std::int32_t {
    switch (relation) {
      case db::kRelHusband:
      case db::kRelWife: {
        const int side = relation == db::kRelHusband ? kHusband : kWife;
        if (marriage > 0) {
          MarriageRec m;
          if (records_.IsLive(RecordKind::Marriage, marriage) != 1 ||
              records_.IsLive(RecordKind::Individual, individual) != 1 ||
              !records_.Read(marriage, m))
            return 0;
          // A spouse replaced on this side leaves the marriage first, so that
          // his chain does not keep a marriage that no longer names him.
          const std::int32_t previous = SpouseField(m, side);
          if (previous > 0 && previous != individual)
            RemoveFromSpouseChain(previous, marriage, side);
          return AppendToSpouseChain(individual, marriage, side, true) ? marriage : 0;
        }
        const std::int32_t husband = side == kHusband ? individual : other;
        const std::int32_t wife = side == kHusband ? other : individual;
        for (std::int32_t p : {husband, wife})
          if (p != 0 && records_.IsLive(RecordKind::Individual, p) != 1) return 0;
        const std::int32_t m = records_.NewRecord(RecordKind::Marriage, true);
        if (m == 0) return 0;
        if (husband > 0 && !AppendToSpouseChain(husband, m, kHusband, true)) return 0;
        if (wife > 0 && !AppendToSpouseChain(wife, m, kWife, true)) return 0;
        return m;
      }
      case db::kRelParents: {
        if (records_.IsLive(RecordKind::Individual, individual) != 1) return 0;
        if (marriage == -1) {
          // The link that carries the sealing to parents of an individual
          // without parents.
          IndividualRec person;
          if (!records_.Read(individual, person)) return 0;
          if (person.firstParentLink > 0) return person.firstParentLink;
          const std::int32_t l = records_.NewRecord(
              RecordKind::FamilyLink, true,
              [&](std::int32_t, std::uint8_t* rec) { PutI32(rec + 13, individual); });
          if (l == 0) return 0;
          return WriteRing(kParents, individual, {l}) ? l : 0;
        }
        if (marriage == 0) marriage = records_.NewRecord(RecordKind::Marriage, true);
        return marriage > 0 ? MakeChild(individual, marriage) : 0;
      }
      case db::kRelFather:
      case db::kRelMother:
      case db::kRelChildren: {
        const std::int32_t child = relation == db::kRelChildren ? other : individual;
        const std::int32_t parent = relation == db::kRelChildren ? individual : other;
        if (marriage > 0) return MakeChild(child, marriage);
        IndividualRec p;
        if (records_.IsLive(RecordKind::Individual, parent) != 1 ||
            records_.IsLive(RecordKind::Individual, child) != 1 || !records_.Read(parent, p))
          return 0;
        const std::vector<std::int32_t> chain = SpouseChain(parent);
        std::int32_t m = chain.empty() ? 0 : chain.front();
        if (m == 0) {
          m = records_.NewRecord(RecordKind::Marriage, true);
          // No marriage names the parent yet, so only the sex tells the side.
          if (m == 0 ||
              !AppendToSpouseChain(parent, m, SexLetterOf(p.sex) == 'F' ? kWife : kHusband, true))
            return 0;
        }
        return MakeChild(child, m);
      }
      default:
        plat::MessageBox("Bad relation in DLLSETORV3RELATION", "Yo", plat::kMbOk);
        return -1;
    }
  });
}

int FamilyLinks::O3_UnSetRelation(std::int32_t marriage, std::int32_t individual, int relation) {
  return WholeEdit(records_.Blocks(), [&]() -> int {
    switch (relation) {
      case db::kRelFather:
      case db::kRelHusband:
        return RemoveFromSpouseChain(individual, marriage, kHusband);
      case db::kRelMother:
      case db::kRelWife:
        return RemoveFromSpouseChain(individual, marriage, kWife);
      case db::kRelChildren:
        return TakeChildOut(marriage, individual);
      default:
        plat::MessageBox("Bad Relation Type", "O3_UnSetRelation", plat::kMbOk);
        return 0;
    }
  });
}

int FamilyLinks::MoveChildLink(std::int32_t child, std::int32_t oldMarriage,
                               std::int32_t newMarriage) {
  return WholeEdit(records_.Blocks(), [&]() -> int {
    std::vector<std::int32_t> parents = Ring(kParents, child);
    std::int32_t moved = 0, remaining = 0;
    for (std::int32_t l : parents) {
      FamilyLinkRec link;
      if (!records_.Read(l, link)) continue;
      if (link.marriage == oldMarriage && oldMarriage > 0 && moved == 0)
        moved = l;
      else if (link.marriage == newMarriage && remaining == 0)
        remaining = l;
    }
    if (moved == 0) return -1;
    if (newMarriage == oldMarriage) return 1;
    if (records_.IsLive(RecordKind::Marriage, newMarriage) != 1) return 0;
    if (remaining > 0) {
      // Combine: the remaining link takes the moved one's sealing when it has none.
      FamilyLinkRec from, to;
      if (!records_.Read(moved, from) || !records_.Read(remaining, to)) return 0;
      if (!HasOrdinanceData(to.sealing) && HasOrdinanceData(from.sealing)) {
        to.sealing = from.sealing;
        from.sealing.firstCitation = 0;
        if (!records_.Write(moved, from) || !records_.Write(remaining, to)) return 0;
        for (std::int32_t c : owners_.CitationChain(to.sealing.firstCitation)) {
          CitationRec cit;
          if (records_.Read(c, cit) && cit.owner != remaining) {
            cit.owner = remaining;
            records_.Write(c, cit);
          }
        }
      }
      LogLink(db::kLogChildLink, db::kLogUnlink, child, oldMarriage);
      const int done = DeleteLinkCompletely(moved);
      LogLink(db::kLogChildLink, db::kLogLink, child, newMarriage);
      return done;
    }
    LogLink(db::kLogChildLink, db::kLogUnlink, child, oldMarriage);
    std::vector<std::int32_t> oldRing = Ring(kChildren, oldMarriage);
    Remove(oldRing, moved);
    if (!WriteRing(kChildren, oldMarriage, oldRing)) return 0;
    FamilyLinkRec link;
    if (!records_.Read(moved, link)) return 0;
    link.marriage = newMarriage;
    link.nextInMarriage = moved;
    if (!records_.Write(moved, link)) return 0;
    std::vector<std::int32_t> newRing = Ring(kChildren, newMarriage);
    newRing.push_back(moved);
    Remove(parents, moved);
    parents.push_back(moved);
    if (!WriteRing(kChildren, newMarriage, newRing) || !WriteRing(kParents, child, parents))
      return 0;
    LogLink(db::kLogChildLink, db::kLogLink, child, newMarriage);
    return 1;
  });
}

int FamilyLinks::O3_UnlinkRIN(std::int32_t record, int type) {
  return WholeEdit(records_.Blocks(), [&]() -> int {
    if (type == db::kIndividual) {
      if (records_.IsLive(RecordKind::Individual, record) != 1) return 0;
      for (std::int32_t l : Ring(kParents, record)) {
        FamilyLinkRec link;
        if (!records_.Read(l, link)) continue;
        DeleteLinkCompletely(l);
        if (link.marriage > 0) LogLink(db::kLogChildLink, db::kLogUnlink, record, link.marriage);
      }
      for (std::int32_t mrin : SpouseChain(record)) {
        MarriageRec m;
        if (!records_.Read(mrin, m)) continue;
        const int side = SideOf(m, record, kHusband);
        SpouseField(m, side) = 0;
        NextField(m, side) = 0;
        if (!records_.Write(mrin, m)) return 0;
        LogLink(db::kLogSpouseLink, db::kLogUnlink, record, mrin);
        if (m.husband == 0 && m.wife == 0 && m.firstChildLink == 0) deletes_.DeleteMarriage(mrin);
      }
      IndividualRec person;
      if (!records_.Read(record, person)) return 0;
      person.firstMarriage = 0;
      person.firstParentLink = 0;
      return records_.Write(record, person);
    }
    if (type == db::kMarriage) {
      MarriageRec m;
      if (records_.IsLive(RecordKind::Marriage, record) != 1 || !records_.Read(record, m)) return 0;
      for (std::int32_t l : Ring(kChildren, record)) {
        FamilyLinkRec link;
        if (!records_.Read(l, link)) continue;
        const bool otherParents = Ring(kParents, link.child).size() > 1;
        if (!otherParents && HasOrdinanceData(link.sealing)) {
          // Kept as a link without parents: it carries the sealing to parents.
          std::vector<std::int32_t> ring = Ring(kChildren, record);
          Remove(ring, l);
          if (!WriteRing(kChildren, record, ring) || !records_.Read(l, link)) return 0;
          link.marriage = 0;
          link.nextInMarriage = l;
          if (!records_.Write(l, link)) return 0;
        } else {
          DeleteLinkCompletely(l);
        }
        LogLink(db::kLogChildLink, db::kLogUnlink, link.child, record);
      }
      if (m.husband > 0) RemoveFromSpouseChain(m.husband, record, kHusband);
      if (m.wife > 0) RemoveFromSpouseChain(m.wife, record, kWife);
      // Spouse fields that named no chain are cleared all the same.
      if (!records_.Read(record, m)) return 0;
      if (m.husband != 0 || m.wife != 0 || m.husbandNext != 0 || m.wifeNext != 0) {
        m.husband = m.wife = m.husbandNext = m.wifeNext = 0;
        if (!records_.Write(record, m)) return 0;
      }
      return 1;
    }
    plat::MessageBox("Unknown type in O3_UnlinkRIN", "Yo", plat::kMbOk);
    return 0;
  });
}

int FamilyLinks::LinkMarr(std::int32_t individual, std::int32_t marriage, char ownerLetter,
                          bool asHusband) {
  if (ownerLetter != db::kOwnerIndividual) {
    plat::MessageBox("Case not implemented", "LinkMarr", plat::kMbOk);
    return 0;
  }
  MarriageRec m;
  if (records_.IsLive(RecordKind::Marriage, marriage) != 1 || !records_.Read(marriage, m)) return 0;
  return WholeEdit(records_.Blocks(), [&] {
    return AppendToSpouseChain(individual, marriage,
                               SideOf(m, individual, asHusband ? kHusband : kWife), true);
  });
}
