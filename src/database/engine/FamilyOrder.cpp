// The order of an individual's marriages, of its parent family links and of
// a marriage's children, rewriting an owner's list of children or user
// events, and the engine's share of merging one individual into another:
// handing over the parent family links.
#include <algorithm>
#include <string>

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

bool IsPermutation(std::span<const std::int32_t> list, std::vector<std::int32_t> members) {
  std::vector<std::int32_t> listed(list.begin(), list.end());
  std::sort(listed.begin(), listed.end());
  std::sort(members.begin(), members.end());
  return listed == members;
}

}  // namespace

int FamilyLinks::O3_SetOrder(std::int32_t record, std::span<const std::int32_t> list,
                             int relation) {
  return WholeEdit(records_.Blocks(), [&]() -> int {
    if (relation == db::kRelMarriages) {
      IndividualRec person;
      if (records_.IsLive(RecordKind::Individual, record) != 1 || !records_.Read(record, person))
        return 0;
      const std::vector<std::int32_t> chain = SpouseChain(record);
      // Anything but a reordering of the present marriages would drop some of them.
      if (!IsPermutation(list, chain)) return 0;
      if (list.empty()) return 1;
      // Each marriage leads on by the side that names the individual (by sex
      // when it names him on neither).
      const bool wife = SexLetterOf(person.sex) == 'F';
      for (std::size_t i = 0; i < list.size(); ++i) {
        MarriageRec m;
        if (!records_.Read(list[i], m)) return 0;
        const std::int32_t next = i + 1 < list.size() ? list[i + 1] : 0;
        const bool asWife = m.wife == record || (m.husband != record && wife);
        (asWife ? m.wifeNext : m.husbandNext) = next;
        if (!records_.Write(list[i], m)) return 0;
      }
      if (!records_.Read(record, person)) return 0;
      person.firstMarriage = list.front();
      return records_.Write(record, person);
    }
    if (relation == db::kRelParents) {
      // The individual's parent family links (by link number) in a new order;
      // the first becomes the primary parent set.
      if (records_.IsLive(RecordKind::Individual, record) != 1) return 0;
      if (!IsPermutation(list, Ring(kParents, record))) return 0;
      if (list.size() <= 1) return 1;
      return WriteRing(kParents, record, std::vector<std::int32_t>(list.begin(), list.end())) ? 1
                                                                                              : 0;
    }
    if (relation == db::kRelChildren) {
      if (records_.IsLive(RecordKind::Marriage, record) != 1) return 0;
      const std::vector<std::int32_t> ring = Ring(kChildren, record);
      std::vector<std::int32_t> children;
      for (std::int32_t l : ring) {
        FamilyLinkRec link;
        if (!records_.Read(l, link)) return 0;
        children.push_back(link.child);
      }
      if (!IsPermutation(list, children)) return 0;
      if (list.size() <= 1) return 1;
      std::vector<std::int32_t> order;
      std::vector<bool> used(ring.size(), false);
      for (std::int32_t child : list) {
        for (std::size_t i = 0; i < ring.size(); ++i) {
          if (!used[i] && children[i] == child) {
            used[i] = true;
            order.push_back(ring[i]);
            break;
          }
        }
      }
      return WriteRing(kChildren, record, order) ? 1 : 0;
    }
    plat::MessageBox("Bad Relation Type in O3_SetOrder", "Yo", plat::kMbOk);
    return 0;
  });
}

int FamilyLinks::SetRinList(std::span<const std::int32_t> list, int type, std::int32_t owner,
                            char ownerLetter) {
  return WholeEdit(records_.Blocks(), [&]() -> int {
    std::vector<std::int32_t> wanted;
    for (std::int32_t r : list)
      if (r > 0 && std::find(wanted.begin(), wanted.end(), r) == wanted.end()) wanted.push_back(r);
    if (type == db::kRelChildren) {
      if (records_.IsLive(RecordKind::Marriage, owner) != 1) return 0;
      std::vector<std::int32_t> present;
      for (std::int32_t l : Ring(kChildren, owner)) {
        FamilyLinkRec link;
        if (records_.Read(l, link)) present.push_back(link.child);
      }
      for (std::int32_t child : present)
        if (std::find(wanted.begin(), wanted.end(), child) == wanted.end())
          TakeChildOut(owner, child);
      std::vector<std::int32_t> linked;
      for (std::int32_t child : wanted)
        if (MakeChild(child, owner) > 0) linked.push_back(child);
      return O3_SetOrder(owner, linked, db::kRelChildren);
    }
    if (type == db::kUserEvent) {
      if (ownerLetter != db::kOwnerIndividual && ownerLetter != db::kOwnerMarriage) {
        plat::MessageBox("Unknown Owner type of User-Event Chain", "Yo", plat::kMbOk);
        return 0;
      }
      const RecordKind ownerKind =
          ownerLetter == db::kOwnerIndividual ? RecordKind::Individual : RecordKind::Marriage;
      if (records_.IsLive(ownerKind, owner) != 1) return 0;
      for (std::int32_t e : owners_.UserEventChain(owner, ownerLetter))
        if (std::find(wanted.begin(), wanted.end(), e) == wanted.end()) deletes_.DeleteUserEvent(e);
      // Rebuilt from an empty chain: each listed event leaves the chain it is
      // in and is appended in list order.
      for (std::int32_t e : owners_.UserEventChain(owner, ownerLetter)) owners_.DetachUserEvent(e);
      int ok = 1;
      for (std::int32_t e : wanted) {
        owners_.DetachUserEvent(e);
        if (!owners_.AppendUserEvent(e, owner, ownerLetter)) ok = 0;
      }
      return ok;
    }
    return 0;
  });
}

int FamilyLinks::MergeFamilyLinks(std::int32_t a, std::int32_t b, bool takeDate, bool takeTemple,
                                  std::int32_t firstMarriage, bool moveCitations) {
  return WholeEdit(records_.Blocks(), [&]() -> int {
    if (a == b || records_.IsLive(RecordKind::Individual, a) != 1 ||
        records_.IsLive(RecordKind::Individual, b) != 1)
      return 0;
    const std::vector<std::int32_t> aLinks = Ring(kParents, a);
    std::vector<std::int32_t> bLinks = Ring(kParents, b);
    // a's links leave its parents ring first, so that each can be handled alone.
    if (!WriteRing(kParents, a, {})) return 0;
    for (std::int32_t l : aLinks) {
      FamilyLinkRec rec;
      if (!records_.Read(l, rec)) return 0;
      rec.nextInChild = l;
      if (!records_.Write(l, rec)) return 0;
    }
    std::vector<std::int32_t> handed;
    for (std::int32_t l : aLinks) {
      FamilyLinkRec rec;
      if (!records_.Read(l, rec)) return 0;
      std::int32_t match = 0;
      for (std::int32_t bl : bLinks) {
        FamilyLinkRec brec;
        if (records_.Read(bl, brec) && brec.marriage == rec.marriage) {
          match = bl;
          break;
        }
      }
      if (match == 0) {
        // Re-pointed to b, with its citations and their count.
        rec.child = b;
        if (!records_.Write(l, rec)) return 0;
        owners_.ReownCitations(rec.sealing.firstCitation, a, b);
        if (rec.sealing.firstCitation != 0) {
          owners_.AdjustCitedCount(a, 74, -1);
          owners_.AdjustCitedCount(b, 74, 1);
        }
        handed.push_back(l);
        continue;
      }
      FamilyLinkRec brec;
      if (!records_.Read(match, brec)) return 0;
      if (takeDate) brec.sealing.date = rec.sealing.date;
      if (takeTemple) brec.sealing.templeCode = rec.sealing.templeCode;
      if (!records_.Write(match, brec)) return 0;
      if (moveCitations) owners_.MoveSealingCitations(l, match);
      // Taken out of the marriage and deleted with the citations it still has.
      deletes_.DeleteFamilyLink(l);
      if (rec.marriage > 0) LogLink(db::kLogChildLink, db::kLogUnlink, a, rec.marriage);
    }
    bLinks.insert(bLinks.end(), handed.begin(), handed.end());
    const auto marriageOf = [this](std::int32_t l) {
      FamilyLinkRec rec;
      return records_.Read(l, rec) ? rec.marriage : -1;
    };
    const auto lone = std::find_if(bLinks.begin(), bLinks.end(),
                                   [&](std::int32_t l) { return marriageOf(l) == 0; });
    const auto family = std::find_if(bLinks.begin(), bLinks.end(),
                                     [&](std::int32_t l) { return marriageOf(l) > 0; });
    if (lone != bLinks.end() && family != bLinks.end()) {
      const std::int32_t loneLink = *lone;
      FamilyLinkRec from, to;
      if (!records_.Read(loneLink, from) || !records_.Read(*family, to)) return 0;
      if (!HasOrdinanceData(to.sealing) && HasOrdinanceData(from.sealing)) {
        to.sealing.date = from.sealing.date;
        to.sealing.templeCode = from.sealing.templeCode;
        to.sealing.secondValue = from.sealing.secondValue;
        if (!records_.Write(*family, to)) return 0;
        owners_.MoveSealingCitations(loneLink, *family);
      }
      bLinks.erase(lone);
      handed.erase(std::remove(handed.begin(), handed.end(), loneLink), handed.end());
      deletes_.DeleteFamilyLink(loneLink);
    }
    if (firstMarriage > 0) {
      for (auto it = bLinks.begin(); it != bLinks.end(); ++it) {
        FamilyLinkRec rec;
        if (records_.Read(*it, rec) && rec.marriage == firstMarriage) {
          std::rotate(bLinks.begin(), it, bLinks.end());
          break;
        }
      }
    }
    for (std::int32_t l : handed) {
      FamilyLinkRec rec;
      if (records_.Read(l, rec) && rec.marriage > 0) {
        LogLink(db::kLogChildLink, db::kLogUnlink, a, rec.marriage);
        LogLink(db::kLogChildLink, db::kLogLink, b, rec.marriage);
      }
    }
    return WriteRing(kParents, b, bLinks) ? 1 : 0;
  });
}
