// Links known to one side only: a marriage and a spouse, a family link and
// the ring of its marriage or of its child. Each side alone is a sound
// record; a change stopped between its writes (a file written before edits
// were journaled) leaves them disagreeing. The side that is missing is
// added, so that nobody leaves a family the other side still shows.
#include <algorithm>
#include <cctype>
#include <unordered_set>
#include <vector>

#include "DatabaseChecker.h"
#include "DatabaseCheckerParts.h"
#include "ORV3.h"

using namespace orv;
using namespace checkrepair;

namespace {

// Fields of the stored records the rings and chains run through.
constexpr int kPersonFirstMarriage = 218;
constexpr int kPersonFirstParentLink = 222;
constexpr int kMarriageHusband = 5;
constexpr int kMarriageWife = 9;
constexpr int kMarriageFirstChildLink = 13;
constexpr int kMarriageHusbandNext = 77;
constexpr int kMarriageWifeNext = 81;
constexpr int kLinkMarriage = 1;
constexpr int kLinkNextInMarriage = 5;
constexpr int kLinkNextInChild = 9;
constexpr int kLinkChild = 13;

}  // namespace

// ---- spouses -----------------------------------------------------------------

int CDatabaseChecker::FreeSpouseSide(const std::uint8_t* person, const std::uint8_t* marriage) {
  const bool husbandFree = GetI32(marriage + kMarriageHusband) == 0;
  const bool wifeFree = GetI32(marriage + kMarriageWife) == 0;
  if (husbandFree && wifeFree)
    return std::toupper(person[0]) == 'F' ? kMarriageWife : kMarriageHusband;
  if (husbandFree) return kMarriageHusband;
  if (wifeFree) return kMarriageWife;
  return 0;
}

bool CDatabaseChecker::AppendToSpouseChain(std::int32_t p, std::uint8_t* person, Rec& marriage,
                                           int spouseField) {
  if (!repair_) return false;
  auto& records = engine_.Records();
  std::vector<std::uint8_t> other(MarriageRec::kSize);
  // The chain's last marriage: the one whose field on p's side leads
  // nowhere, to itself, or back to a marriage met before.
  std::int32_t last = 0;
  int lastField = 0;
  std::unordered_set<std::int32_t> visited;
  for (std::int32_t x = GetI32(person + kPersonFirstMarriage); x > 0 && visited.insert(x).second;) {
    if (records.IsLive(RecordKind::Marriage, x, other.data()) != 1) return false;
    const int field = GetI32(other.data() + kMarriageHusband) == p ? kMarriageHusbandNext
                      : GetI32(other.data() + kMarriageWife) == p  ? kMarriageWifeNext
                                                                   : 0;
    if (field == 0) return false;  // a chain left bad by damage this run did not mend
    last = x;
    lastField = field;
    const std::int32_t next = GetI32(other.data() + field);
    if (next == x) break;
    x = next;
  }
  const int nextField = spouseField == kMarriageHusband ? kMarriageHusbandNext : kMarriageWifeNext;
  PutI32(marriage.bytes.data() + nextField, 0);
  if (!WriteRecord(marriage)) return false;
  if (last == 0) {
    PutI32(person + kPersonFirstMarriage, marriage.number);
    return records.WriteRaw(RecordKind::Individual, p, person) != 0;
  }
  if (!records.ReadRaw(RecordKind::Marriage, last, other.data())) return false;
  PutI32(other.data() + lastField, marriage.number);
  return records.WriteRaw(RecordKind::Marriage, last, other.data()) != 0;
}

// ---- children and parents ----------------------------------------------------

bool CDatabaseChecker::RingHolds(orv::RecordKind ownerKind, std::int32_t owner, std::int32_t link) {
  auto& records = engine_.Records();
  const bool children = ownerKind == RecordKind::Marriage;
  std::vector<std::uint8_t> buf(std::max(MarriageRec::kSize, IndividualRec::kSize));
  if (!records.ReadRaw(ownerKind, owner, buf.data())) return false;
  const std::int32_t first =
      GetI32(buf.data() + (children ? kMarriageFirstChildLink : kPersonFirstParentLink));
  std::unordered_set<std::int32_t> visited;
  for (std::int32_t l = first; l > 0 && visited.insert(l).second;) {
    if (l == link) return true;
    if (records.IsLive(RecordKind::FamilyLink, l, buf.data()) != 1) return false;
    l = GetI32(buf.data() + (children ? kLinkNextInMarriage : kLinkNextInChild));
  }
  return false;
}

bool CDatabaseChecker::JoinRing(orv::RecordKind ownerKind, std::int32_t owner, std::int32_t link) {
  if (!repair_) return false;
  auto& records = engine_.Records();
  const bool children = ownerKind == RecordKind::Marriage;
  const int headField = children ? kMarriageFirstChildLink : kPersonFirstParentLink;
  const int nextField = children ? kLinkNextInMarriage : kLinkNextInChild;
  std::vector<std::uint8_t> ownerBytes(std::max(MarriageRec::kSize, IndividualRec::kSize));
  std::vector<std::uint8_t> linkBytes(FamilyLinkRec::kSize), buf(FamilyLinkRec::kSize);
  if (!records.ReadRaw(ownerKind, owner, ownerBytes.data()) ||
      !records.ReadRaw(RecordKind::FamilyLink, link, linkBytes.data()))
    return false;
  const std::int32_t first = GetI32(ownerBytes.data() + headField);
  // The ring's last link: the one that leads back to the first, nowhere, or
  // to a link met before.
  std::int32_t last = 0;
  std::unordered_set<std::int32_t> visited;
  for (std::int32_t l = first; l > 0 && visited.insert(l).second;) {
    if (records.IsLive(RecordKind::FamilyLink, l, buf.data()) != 1) return false;
    last = l;
    const std::int32_t next = GetI32(buf.data() + nextField);
    if (next == first) break;
    l = next;
  }
  if (last == 0) {
    PutI32(linkBytes.data() + nextField, link);
    PutI32(ownerBytes.data() + headField, link);
    return records.WriteRaw(RecordKind::FamilyLink, link, linkBytes.data()) != 0 &&
           records.WriteRaw(ownerKind, owner, ownerBytes.data()) != 0;
  }
  PutI32(linkBytes.data() + nextField, first);
  if (!records.WriteRaw(RecordKind::FamilyLink, link, linkBytes.data()) ||
      !records.ReadRaw(RecordKind::FamilyLink, last, buf.data()))
    return false;
  PutI32(buf.data() + nextField, link);
  return records.WriteRaw(RecordKind::FamilyLink, last, buf.data()) != 0;
}

int CDatabaseChecker::CheckOneSidedLinks() {
  auto& records = engine_.Records();
  std::vector<std::uint8_t> owner(std::max(MarriageRec::kSize, IndividualRec::kSize));
  std::vector<std::uint8_t> link(FamilyLinkRec::kSize);

  // Walks the ring of an owner (a child's parent links or a marriage's
  // children) and calls check(link, bytes) for each member the ring's owner
  // field names; ends at the first member that is not, which the other
  // stages judge.
  const auto walk = [&](RecordKind kind, std::int32_t n, auto&& check) -> int {
    const bool children = kind == RecordKind::Marriage;
    if (records.IsLive(kind, n, owner.data()) != 1) return 1;
    const std::int32_t first =
        GetI32(owner.data() + (children ? kMarriageFirstChildLink : kPersonFirstParentLink));
    std::unordered_set<std::int32_t> visited;
    std::vector<std::int32_t> members;
    for (std::int32_t l = first; l > 0 && visited.insert(l).second;) {
      if (records.IsLive(RecordKind::FamilyLink, l, link.data()) != 1 ||
          GetI32(link.data() + (children ? kLinkMarriage : kLinkChild)) != n)
        break;
      members.push_back(l);
      const std::int32_t next =
          GetI32(link.data() + (children ? kLinkNextInMarriage : kLinkNextInChild));
      if (next == first) break;
      l = next;
    }
    for (const std::int32_t l : members) {
      if (records.IsLive(RecordKind::FamilyLink, l, link.data()) != 1) continue;
      if (!check(l)) return 0;
    }
    return 1;
  };

  // A child's parent link that its marriage's children lack, and a
  // marriage's child link that the child's parent links lack.
  static const struct {
    RecordKind owner, other;
    int otherField;
    const char* text;
  } kSides[] = {
      {RecordKind::Individual, RecordKind::Marriage, kLinkMarriage,
       "Individual %lu has marriage %lu as parents (family link %lu) but the marriage does not "
       "list the child."},
      {RecordKind::Marriage, RecordKind::Individual, kLinkChild,
       "Marriage %lu lists child %lu (family link %lu) but the child's parent links do not name "
       "the marriage."}};
  for (const auto& side : kSides) {
    const std::int32_t highest = Highest(side.owner);
    for (std::int32_t n = 1; n <= highest; ++n) {
      if (stopped_) return 0;
      const int done = walk(side.owner, n, [&](std::int32_t l) -> int {
        const std::int32_t other = GetI32(link.data() + side.otherField);
        if (other <= 0 || records.IsLive(side.other, other) != 1 || RingHolds(side.other, other, l))
          return 1;
        return LogProblem(Format(side.text, U(n), U(other), U(l)), JoinRing(side.other, other, l));
      });
      if (!done) return 0;
    }
  }
  return stopped_ ? 0 : 1;
}
