// The engine's share of merging one individual into another: re-owning
// citations, moving user events and sealing citations, and handing over the
// parent family links.
#include <algorithm>
#include <string>

#include "ORV3.h"
#include "Ports.h"

using namespace orv;

int ORV3::ReownCitations(std::int32_t first, std::int32_t from, std::int32_t to) {
  int changed = 0;
  for (std::int32_t c : CitationChain(first)) {
    CitationRec rec;
    if (!Read(c, rec) || rec.owner != from) continue;
    rec.owner = to;
    if (Write(c, rec)) ++changed;
  }
  return changed;
}

int ORV3::MoveUserEvent(std::int32_t event, std::int32_t newOwner, std::int32_t oldOwner,
                        char ownerLetter) {
  const char letter = ownerLetter == 'I' ? 'I' : 'M';
  UserEventRec rec;
  if (IsLive(RecordKind::UserEvent, event) != 1 || !Read(event, rec)) return 0;
  // The event leaves the chain it is in (its owner field says which), which
  // is normally oldOwner's.
  if (rec.owner != oldOwner) {
    plat::MessageBox("User event " + std::to_string(event) + " belongs to " +
                         std::to_string(rec.owner) + ", not to " + std::to_string(oldOwner) + ".",
                     "Yo", plat::kMbOk);
  }
  DetachUserEvent(event);
  return AppendUserEvent(event, newOwner, letter);
}

int ORV3::MoveSealingCitations(std::int32_t fromLink, std::int32_t toLink) {
  CitationSlot from, to;
  if (fromLink == toLink || !CitationSlotOf(fromLink, 'p', from) ||
      !CitationSlotOf(toLink, 'p', to))
    return 0;
  const std::vector<std::int32_t> moved = CitationChain(SlotHead(from));
  if (moved.empty()) return 1;
  const std::vector<std::int32_t> kept = CitationChain(SlotHead(to));
  for (std::size_t i = 0; i < moved.size(); ++i) {
    CitationRec rec;
    if (!Read(moved[i], rec)) return 0;
    rec.owner = to.owner;
    rec.previous = i > 0 ? moved[i - 1] : (kept.empty() ? 0 : kept.back());
    rec.next = i + 1 < moved.size() ? moved[i + 1] : 0;
    if (!Write(moved[i], rec)) return 0;
  }
  if (!SetSlotHead(from, 0)) return 0;
  if (kept.empty()) return SetSlotHead(to, moved.front()) ? 1 : 0;
  CitationRec last;
  if (!Read(kept.back(), last)) return 0;
  last.next = moved.front();
  return Write(kept.back(), last);
}

int ORV3::MergeFamilyLinks(std::int32_t a, std::int32_t b, bool takeDate, bool takeTemple,
                           std::int32_t firstMarriage, bool moveCitations) {
  if (a == b || IsLive(RecordKind::Individual, a) != 1 || IsLive(RecordKind::Individual, b) != 1)
    return 0;
  const std::vector<std::int32_t> aLinks = ParentsRing(a);
  std::vector<std::int32_t> bLinks = ParentsRing(b);
  // a's links leave its parents ring first, so that each can be handled alone.
  if (!WriteParentsRing(a, {})) return 0;
  for (std::int32_t l : aLinks) {
    FamilyLinkRec rec;
    if (!Read(l, rec)) return 0;
    rec.nextInChild = l;
    if (!Write(l, rec)) return 0;
  }
  std::vector<std::int32_t> handed;
  for (std::int32_t l : aLinks) {
    FamilyLinkRec rec;
    if (!Read(l, rec)) return 0;
    std::int32_t match = 0;
    for (std::int32_t bl : bLinks) {
      FamilyLinkRec brec;
      if (Read(bl, brec) && brec.marriage == rec.marriage) {
        match = bl;
        break;
      }
    }
    if (match == 0) {
      // Re-pointed to b, with its citations and their count.
      rec.child = b;
      if (!Write(l, rec)) return 0;
      ReownCitations(rec.sealing.firstCitation, a, b);
      if (rec.sealing.firstCitation != 0) {
        AdjustCitedCount(a, 74, -1);
        AdjustCitedCount(b, 74, 1);
      }
      handed.push_back(l);
      continue;
    }
    FamilyLinkRec brec;
    if (!Read(match, brec)) return 0;
    if (takeDate) brec.sealing.date = rec.sealing.date;
    if (takeTemple) brec.sealing.templeCode = rec.sealing.templeCode;
    if (!Write(match, brec)) return 0;
    if (moveCitations) MoveSealingCitations(l, match);
    // Taken out of the marriage and deleted with the citations it still has.
    DeleteFamilyLink(l);
    if (rec.marriage > 0) LogLink('C', 'U', a, rec.marriage);
  }
  bLinks.insert(bLinks.end(), handed.begin(), handed.end());
  if (firstMarriage > 0) {
    for (auto it = bLinks.begin(); it != bLinks.end(); ++it) {
      FamilyLinkRec rec;
      if (Read(*it, rec) && rec.marriage == firstMarriage) {
        std::rotate(bLinks.begin(), it, bLinks.end());
        break;
      }
    }
  }
  for (std::int32_t l : handed) {
    FamilyLinkRec rec;
    if (Read(l, rec) && rec.marriage > 0) {
      LogLink('C', 'U', a, rec.marriage);
      LogLink('C', 'L', b, rec.marriage);
    }
  }
  return WriteParentsRing(b, bLinks) ? 1 : 0;
}
