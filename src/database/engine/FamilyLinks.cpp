// Walking the spouse chains and the children and parents rings, and the
// relation queries built on them.
#include <algorithm>
#include <string>
#include <unordered_set>

#include "BlockStore.h"
#include "DbCodes.h"
#include "FamilyLinks.h"
#include "ORV3.h"
#include "Ports.h"
#include "RecordStore.h"

using namespace orv;

namespace {

void ReportDamage(BlockStore& blocks, const char* kind, const std::string& what,
                  std::int32_t owner, const char* at, std::int32_t r) {
  blocks.TellOnce(kind,
                  what + " " + std::to_string(owner) + " are damaged at " + at + " " +
                      std::to_string(r) + "; the rest of them is not used.",
                  BlockStore::kFailureCaption, plat::kMbOk);
}

// The link field that leads on around a ring, and the ring's owner a link
// names.
std::int32_t& NextInRing(FamilyLinkRec& rec, FamilyLinks::RingSide side) {
  return side == FamilyLinks::kChildren ? rec.nextInMarriage : rec.nextInChild;
}
std::int32_t OwnerInRing(const FamilyLinkRec& rec, FamilyLinks::RingSide side) {
  return side == FamilyLinks::kChildren ? rec.marriage : rec.child;
}

// The head of a ring as its owner (a marriage or an individual) holds it;
// false when the owner is not live.
template <class Owner>
bool ReadRingHead(RecordStore& records, std::int32_t owner, std::int32_t Owner::*field,
                  std::int32_t& head) {
  Owner rec;
  if (records.IsLive(Owner::kKind, owner) != 1 || !records.Read(owner, rec)) return false;
  head = rec.*field;
  return true;
}

// Stores a new head in the owner; false when it cannot be read or written.
template <class Owner>
bool WriteRingHead(RecordStore& records, std::int32_t owner, std::int32_t Owner::*field,
                   std::int32_t head) {
  Owner rec;
  if (!records.Read(owner, rec)) return false;
  if (rec.*field == head) return true;
  rec.*field = head;
  return records.Write(owner, rec) != 0;
}

}  // namespace

FamilyLinks::FamilyLinks(EngineHost* host, RecordStore& records, OwnerChains& owners,
                         RecordDeletes& deletes)
    : host_(host), records_(records), owners_(owners), deletes_(deletes) {}

void FamilyLinks::LogLink(char kind, char action, std::int32_t number, std::int32_t second) {
  if (host_->logChanges && linkLog_) linkLog_(kind, action, number, second);
}

std::vector<std::int32_t> FamilyLinks::SpouseChain(std::int32_t rin) {
  std::vector<std::int32_t> chain;
  IndividualRec person;
  if (records_.IsLive(RecordKind::Individual, rin) != 1 || !records_.Read(rin, person))
    return chain;
  std::unordered_set<std::int32_t> seen;
  const std::int32_t highest = records_.Highest(RecordKind::Marriage);
  std::int32_t m = person.firstMarriage;
  // Each marriage leads on by the field of the side that names the person;
  // 0 or a marriage naming itself ends the chain.
  while (m != 0) {
    std::uint8_t buf[MarriageRec::kSize];
    MarriageRec rec;
    const bool live = records_.IsLive(RecordKind::Marriage, m, buf) == 1;
    rec.Decode(buf);
    if (!live || !seen.insert(m).second || static_cast<std::int32_t>(seen.size()) > highest ||
        (rec.husband != rin && rec.wife != rin)) {
      ReportDamage(records_.Blocks(), "Damaged marriages of an individual",
                   "The marriages of individual", rin, "marriage", m);
      break;
    }
    chain.push_back(m);
    const std::int32_t next = rec.husband == rin ? rec.husbandNext : rec.wifeNext;
    if (next == m) break;
    m = next;
  }
  return chain;
}

std::vector<std::int32_t> FamilyLinks::WalkRing(RingSide side, std::int32_t head,
                                                std::int32_t owner) {
  std::vector<std::int32_t> ring;
  if (head <= 0) return ring;
  std::unordered_set<std::int32_t> seen;
  std::int32_t link = head;
  while (true) {
    std::uint8_t buf[FamilyLinkRec::kSize];
    FamilyLinkRec rec;
    const bool live = records_.IsLive(RecordKind::FamilyLink, link, buf) == 1;
    rec.Decode(buf);
    if (!live || OwnerInRing(rec, side) != owner || !seen.insert(link).second) {
      const bool children = side == kChildren;
      ReportDamage(records_.Blocks(),
                   children ? "Damaged children of a marriage"
                            : "Damaged parent families of an individual",
                   children ? "The children of marriage" : "The parent families of individual",
                   owner, "family link", link);
      break;
    }
    ring.push_back(link);
    const std::int32_t next = NextInRing(rec, side);
    if (next == head) break;
    link = next;
  }
  return ring;
}

std::vector<std::int32_t> FamilyLinks::Ring(RingSide side, std::int32_t owner) {
  std::int32_t head = 0;
  const bool live = side == kChildren
                        ? ReadRingHead(records_, owner, &MarriageRec::firstChildLink, head)
                        : ReadRingHead(records_, owner, &IndividualRec::firstParentLink, head);
  if (!live) return {};
  return WalkRing(side, head, owner);
}

bool FamilyLinks::WriteRing(RingSide side, std::int32_t owner,
                            const std::vector<std::int32_t>& links) {
  bool ok = true;
  for (std::size_t i = 0; i < links.size(); ++i) {
    FamilyLinkRec rec;
    if (!records_.Read(links[i], rec)) return false;
    const std::int32_t next = links[(i + 1) % links.size()];
    if (NextInRing(rec, side) != next) {
      NextInRing(rec, side) = next;
      ok = records_.Write(links[i], rec) && ok;
    }
  }
  const std::int32_t head = links.empty() ? 0 : links.front();
  const bool written = side == kChildren
                           ? WriteRingHead(records_, owner, &MarriageRec::firstChildLink, head)
                           : WriteRingHead(records_, owner, &IndividualRec::firstParentLink, head);
  return written && ok;
}

int FamilyLinks::GetRelation(std::int32_t record, int relation, int count,
                             std::vector<std::int32_t>& out) {
  BlockStore::ReadScope reading(records_.Blocks());
  out.clear();
  switch (relation) {
    case db::kRelSpouses: {
      MarriageRec m;
      if (records_.IsLive(RecordKind::Marriage, record) != 1 || !records_.Read(record, m)) {
        out = {0, 0};
        return 0;
      }
      out = {m.husband, m.wife};
      return 1;
    }
    case db::kRelMarriages: {
      const bool live = records_.IsLive(RecordKind::Individual, record) == 1;
      const std::vector<std::int32_t> chain =
          live ? SpouseChain(record) : std::vector<std::int32_t>{};
      for (int i = 0; i < count; ++i)
        out.push_back(i < static_cast<int>(chain.size()) ? chain[i] : 0);
      return live ? 1 : 0;
    }
    case db::kRelParents: {
      if (records_.IsLive(RecordKind::Individual, record) != 1) {
        if (count == 0) out = {0, 0, 0};
        return 0;
      }
      const std::vector<std::int32_t> ring = Ring(kParents, record);
      if (count == 0) {
        out = {0, 0, 0};
        FamilyLinkRec link;
        MarriageRec m;
        if (!ring.empty() && records_.Read(ring.front(), link) && link.marriage > 0) {
          out[0] = link.marriage;
          if (records_.IsLive(RecordKind::Marriage, link.marriage) == 1 &&
              records_.Read(link.marriage, m)) {
            out[1] = m.husband;
            out[2] = m.wife;
          }
        }
        return 1;
      }
      for (std::int32_t l : ring) {
        if (count > 0 && static_cast<int>(out.size()) >= count) break;
        FamilyLinkRec link;
        if (records_.Read(l, link) && link.marriage > 0) out.push_back(link.marriage);
      }
      return 1;
    }
    case db::kRelChildren: {
      if (records_.IsLive(RecordKind::Marriage, record) != 1) return -1;
      for (std::int32_t l : Ring(kChildren, record)) {
        if (static_cast<int>(out.size()) >= count) break;
        FamilyLinkRec link;
        if (records_.Read(l, link)) out.push_back(link.child);
      }
      return 1;
    }
    case db::kRelPreviousSibling: {
      out.assign(count != 0 ? 3 : 1, 0);
      if (records_.IsLive(RecordKind::Individual, record) != 1) return 0;
      const std::vector<std::int32_t> parents = Ring(kParents, record);
      FamilyLinkRec first;
      if (parents.empty() || !records_.Read(parents.front(), first) || first.marriage <= 0)
        return 1;
      const std::vector<std::int32_t> ring = Ring(kChildren, first.marriage);
      const auto at = std::find(ring.begin(), ring.end(), parents.front());
      if (at != ring.end() && at != ring.begin()) {
        FamilyLinkRec before;
        if (records_.Read(*(at - 1), before)) out[0] = before.child;
      }
      MarriageRec m;
      if (count != 0 && records_.Read(first.marriage, m)) {
        out[1] = m.husband;
        out[2] = m.wife;
      }
      return 1;
    }
    default:
      plat::MessageBox("Bad Relation", "GetRelation", plat::kMbOk);
      return 0;
  }
}

int FamilyLinks::GetRelationCount(std::int32_t record, int relation, bool individual) {
  BlockStore::ReadScope reading(records_.Blocks());
  if (!individual) {
    if (relation != db::kRelChildren) {
      plat::MessageBox("MRin can't have that relationship", "Yo", plat::kMbOk);
      return 0;
    }
    return static_cast<int>(Ring(kChildren, record).size());
  }
  switch (relation) {
    case db::kRelSpouses:
    case db::kRelMarriages:
      return static_cast<int>(SpouseChain(record).size());
    case db::kRelFather:
    case db::kRelMother: {
      int n = 0;
      for (std::int32_t l : Ring(kParents, record)) {
        FamilyLinkRec link;
        if (records_.Read(l, link) && link.marriage > 0) ++n;
      }
      return n;
    }
    case db::kRelChildren: {
      int n = 0;
      for (std::int32_t m : SpouseChain(record)) n += static_cast<int>(Ring(kChildren, m).size());
      return n;
    }
    default:
      plat::MessageBox("Unsupported case in GetRelationCount", "Yo", plat::kMbOk);
      return 0;
  }
}

int FamilyLinks::GetRelationList(std::vector<std::int32_t>& list, int relation, int mode,
                                 std::int32_t record, std::int32_t only) {
  BlockStore::ReadScope reading(records_.Blocks());
  list.clear();
  switch (relation) {
    case db::kRelSpouses: {
      if (records_.IsLive(RecordKind::Individual, record) != 1) return -1;
      for (std::int32_t m : SpouseChain(record)) {
        MarriageRec rec;
        records_.Read(m, rec);
        const std::int32_t other = rec.husband == record ? rec.wife : rec.husband;
        if (mode == 0) {
          list.push_back(m);
        } else if (mode == 1 || mode == 2) {
          list.insert(list.end(), {m, rec.husband, rec.wife});
          if (mode == 2) list.push_back(rec.firstChildLink);
        } else if (mode == 3) {
          list.push_back(other);
        } else {
          list.insert(list.end(), {m, other});
        }
      }
      break;
    }
    case db::kRelParents: {
      if (records_.IsLive(RecordKind::Individual, record) != 1 || mode < 0 || mode == 4 || mode > 5)
        return -1;
      for (std::int32_t l : Ring(kParents, record)) {
        FamilyLinkRec link;
        records_.Read(l, link);
        if (mode == 0) {
          if (link.marriage > 0) list.push_back(link.marriage);
        } else if (mode == 5) {
          list.insert(list.end(), {link.marriage, l});
        } else {
          MarriageRec m;
          const bool live = link.marriage > 0 &&
                            records_.IsLive(RecordKind::Marriage, link.marriage) == 1 &&
                            records_.Read(link.marriage, m);
          if (live) {
            list.insert(list.end(), {link.marriage, m.husband, m.wife});
          } else {
            list.insert(list.end(), {0, 0, 0});
          }
          if (mode == 2) list.push_back(live ? m.firstChildLink : 0);
          if (mode == 3) list.push_back(l);
        }
      }
      break;
    }
    case db::kRelChildren: {
      std::vector<std::int32_t> ring;
      if (mode == 0) {
        if (records_.IsLive(RecordKind::Marriage, record) != 1) return -1;
        ring = Ring(kChildren, record);
      } else {
        // The record is the first link of a children ring.
        FamilyLinkRec first;
        if (records_.IsLive(RecordKind::FamilyLink, record) != 1 || !records_.Read(record, first))
          return -1;
        ring = WalkRing(kChildren, record, first.marriage);
      }
      for (std::int32_t l : ring) {
        FamilyLinkRec link;
        if (records_.Read(l, link)) list.push_back(link.child);
      }
      break;
    }
    case db::kRelFamilyLinks: {
      const bool ofIndividual = mode == db::kRelParents;
      if (mode != db::kRelParents && mode != db::kRelChildren) return -1;
      if (records_.IsLive(ofIndividual ? RecordKind::Individual : RecordKind::Marriage, record) !=
          1)
        return -1;
      for (std::int32_t l : ofIndividual ? Ring(kParents, record) : Ring(kChildren, record)) {
        FamilyLinkRec link;
        records_.Read(l, link);
        if (only == 0 || (ofIndividual ? link.marriage : link.child) == only) list.push_back(l);
      }
      break;
    }
    default:
      return -1;
  }
  return static_cast<int>(list.size());
}

int FamilyLinks::HasChildren(std::int32_t record, int type) {
  BlockStore::ReadScope reading(records_.Blocks());
  auto hasChild = [this](std::int32_t m) {
    MarriageRec rec;
    return records_.IsLive(RecordKind::Marriage, m) == 1 && records_.Read(m, rec) &&
           rec.firstChildLink > 0;
  };
  if (type == db::kMarriage) return hasChild(record) ? 1 : 0;
  if (type != db::kIndividual) return 0;
  for (std::int32_t m : SpouseChain(record))
    if (hasChild(m)) return 1;
  return 0;
}

std::int32_t FamilyLinks::FindChildWithChildren(std::int32_t rin, std::int32_t preferredMarriage) {
  std::vector<std::int32_t> marriages = SpouseChain(rin);
  const auto preferred = std::find(marriages.begin(), marriages.end(), preferredMarriage);
  if (preferred != marriages.end()) std::rotate(marriages.begin(), preferred, preferred + 1);
  std::int32_t last = 0;
  for (std::int32_t m : marriages) {
    for (std::int32_t l : Ring(kChildren, m)) {
      FamilyLinkRec link;
      if (!records_.Read(l, link)) continue;
      last = link.child;
      if (HasChildren(link.child, db::kIndividual)) return link.child;
    }
  }
  return last;
}
