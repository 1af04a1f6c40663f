// The order of an individual's marriages and of a marriage's children, and
// rewriting an owner's list of children or user events.
#include <algorithm>

#include "ORV3.h"
#include "Ports.h"

using namespace orv;

namespace {

bool IsPermutation(std::span<const std::int32_t> list, std::vector<std::int32_t> members) {
  std::vector<std::int32_t> listed(list.begin(), list.end());
  std::sort(listed.begin(), listed.end());
  std::sort(members.begin(), members.end());
  return listed == members;
}

}  // namespace

int ORV3::O3_SetOrder(std::int32_t record, std::span<const std::int32_t> list, int relation) {
  if (relation == 102) {
    IndividualRec person;
    if (IsLive(RecordKind::Individual, record) != 1 || !Read(record, person)) return 0;
    const std::vector<std::int32_t> chain = SpouseChain(record);
    // Anything but a reordering of the present marriages would drop some of them.
    if (!IsPermutation(list, chain)) return 0;
    if (list.empty()) return 1;
    // Each marriage leads on by the side that names the individual (by sex
    // when it names him on neither).
    const bool wife = SexLetterOf(person.sex) == 'F';
    for (std::size_t i = 0; i < list.size(); ++i) {
      MarriageRec m;
      if (!Read(list[i], m)) return 0;
      const std::int32_t next = i + 1 < list.size() ? list[i + 1] : 0;
      const bool asWife = m.wife == record || (m.husband != record && wife);
      (asWife ? m.wifeNext : m.husbandNext) = next;
      if (!Write(list[i], m)) return 0;
    }
    if (!Read(record, person)) return 0;
    person.firstMarriage = list.front();
    return Write(record, person);
  }
  if (relation == 108) {
    if (IsLive(RecordKind::Marriage, record) != 1) return 0;
    const std::vector<std::int32_t> ring = ChildrenRing(record);
    std::vector<std::int32_t> children;
    for (std::int32_t l : ring) {
      FamilyLinkRec link;
      if (!Read(l, link)) return 0;
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
    return WriteChildrenRing(record, order) ? 1 : 0;
  }
  plat::MessageBox("Bad Relation Type in O3_SetOrder", "Yo", plat::kMbOk);
  return 0;
}

int ORV3::SetRinList(std::span<const std::int32_t> list, int type, std::int32_t owner,
                     char ownerLetter) {
  std::vector<std::int32_t> wanted;
  for (std::int32_t r : list)
    if (r > 0 && std::find(wanted.begin(), wanted.end(), r) == wanted.end()) wanted.push_back(r);
  if (type == 108) {
    if (IsLive(RecordKind::Marriage, owner) != 1) return 0;
    std::vector<std::int32_t> present;
    for (std::int32_t l : ChildrenRing(owner)) {
      FamilyLinkRec link;
      if (Read(l, link)) present.push_back(link.child);
    }
    for (std::int32_t child : present)
      if (std::find(wanted.begin(), wanted.end(), child) == wanted.end())
        TakeChildOut(owner, child);
    std::vector<std::int32_t> linked;
    for (std::int32_t child : wanted)
      if (MakeChild(child, owner) > 0) linked.push_back(child);
    return O3_SetOrder(owner, linked, 108);
  }
  if (type == 139) {
    if (ownerLetter != 'I' && ownerLetter != 'M') {
      plat::MessageBox("Unknown Owner type of User-Event Chain", "Yo", plat::kMbOk);
      return 0;
    }
    const RecordKind ownerKind = ownerLetter == 'I' ? RecordKind::Individual : RecordKind::Marriage;
    if (IsLive(ownerKind, owner) != 1) return 0;
    for (std::int32_t e : UserEventChain(owner, ownerLetter))
      if (std::find(wanted.begin(), wanted.end(), e) == wanted.end()) DeleteUserEvent(e);
    // Rebuilt from an empty chain: each listed event leaves the chain it is
    // in and is appended in list order.
    for (std::int32_t e : UserEventChain(owner, ownerLetter)) DetachUserEvent(e);
    int ok = 1;
    for (std::int32_t e : wanted) {
      DetachUserEvent(e);
      if (!AppendUserEvent(e, owner, ownerLetter)) ok = 0;
    }
    return ok;
  }
  return 0;
}
