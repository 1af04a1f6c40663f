#pragma once
// Families: the spouse chains (an individual's marriages, linked through the
// next field of the side that names him) and the children and parents rings
// of family links (each link is in its marriage's children ring and its
// child's parents ring), with the relation queries and changes built on
// them, the order of marriages and children, and the merge of parent links.
//
// Keeps: the hook that reports spouse and child links made or removed.
// Guarantees: lists come back in chain or ring order; every walk is bounded
// and stops at the first damaged step (a "Yo" box says where); a live link
// is always in both its rings or a ring of one; an order change that is not
// a permutation of the present members changes nothing. Relation and type
// codes are those of the call interface (DbCodes.h).
// Needs: RecordStore for the records, OwnerChains for the sealing citations
// and user events a change moves, RecordDeletes for the links and marriages
// a change deletes.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "DbCodes.h"

struct EngineHost;
namespace orv {
struct IndividualRec;
struct MarriageRec;
struct PackedOrdinance;
}  // namespace orv
class OwnerChains;
class RecordDeletes;
class RecordStore;

class FamilyLinks {
 public:
  // The two rings a family link is in: its marriage's children and its
  // child's parent families.
  enum RingSide { kChildren, kParents };

  FamilyLinks(EngineHost* host, RecordStore& records, OwnerChains& owners, RecordDeletes& deletes);
  FamilyLinks(const FamilyLinks&) = delete;
  FamilyLinks& operator=(const FamilyLinks&) = delete;

  // Reports a spouse link (db::kLogSpouseLink) or child link
  // (db::kLogChildLink) made (db::kLogLink) or removed (db::kLogUnlink) for
  // (individual, marriage); called only while the host's
  // logChanges flag is on. Empty by default.
  using LinkLogHook =
      std::function<void(char kind, char action, std::int32_t number, std::int32_t second)>;
  void SetLinkLogHook(LinkLogHook hook) { linkLog_ = std::move(hook); }

  // ---- chains and rings ----
  // The marriages of a live individual in chain order.
  std::vector<std::int32_t> SpouseChain(std::int32_t rin);
  // The family links of a live marriage's children (kChildren) or of a live
  // individual's parent families (kParents), in ring order.
  std::vector<std::int32_t> Ring(RingSide side, std::int32_t owner);

  // ---- queries ----
  // out is replaced by the numbers the relation gives.
  // kRelSpouses husband, wife; kRelMarriages first count marriages
  // (zero-filled to count); kRelParents count 0: marriage, husband, wife of
  // the first parent link, below 0 all parent marriages, above 0 at most
  // count of them; kRelChildren at most count children (-1 when the marriage
  // is not live); kRelPreviousSibling the previous sibling, and with count
  // (flag) non-zero also the parents. 1 on success, 0 when the record is not live or the code is
  // bad.
  int GetRelation(std::int32_t record, int relation, int count, std::vector<std::int32_t>& out);
  // kRelSpouses/kRelMarriages marriages, kRelFather/kRelMother parent links
  // naming a marriage, kRelChildren children (of an individual over all its
  // marriages, or of a marriage).
  int GetRelationCount(std::int32_t record, int relation, bool individual);
  // The relation lists (kRelSpouses, kRelParents, kRelChildren,
  // kRelFamilyLinks) with their modes (for kRelFamilyLinks the mode is
  // kRelParents or kRelChildren: the links of an individual or of a
  // marriage); `only` limits kRelFamilyLinks to the link of one marriage or
  // child. Number of entries, or -1.
  int GetRelationList(std::vector<std::int32_t>& list, int relation, int mode, std::int32_t record,
                      std::int32_t only = 0);
  // 1 when the marriage (db::kMarriage), or any marriage of the individual
  // (db::kIndividual), has a child.
  int HasChildren(std::int32_t record, int type);
  // Over the individual's marriages (preferred first), the first child who
  // has children of his own; else the last child looked at; 0 without children.
  std::int32_t FindChildWithChildren(std::int32_t rin, std::int32_t preferredMarriage);

  // ---- changes ----
  // kRelHusband/kRelWife spouse (returns the marriage, a new one when
  // marriage is 0), kRelParents child of marriage (-1: a link without
  // parents; 0: a new marriage), kRelFather/kRelMother child of other's
  // marriage, kRelChildren other is the child of individual.
  // Child relations return the family link. 0 when a record is not live,
  // -1 for a bad relation.
  std::int32_t DLLSETORV3RELATION(std::int32_t individual, std::int32_t other, int relation,
                                  std::int32_t marriage);
  // kRelFather/kRelHusband as husband, kRelMother/kRelWife as wife,
  // kRelChildren as a child.
  int O3_UnSetRelation(std::int32_t marriage, std::int32_t individual, int relation);
  // Moves the child's link to the end of newMarriage's children (combining
  // with a link already there). 1, 0 on failure, -1 when not a child of oldMarriage.
  int MoveChildLink(std::int32_t child, std::int32_t oldMarriage, std::int32_t newMarriage);
  // db::kIndividual: takes an individual out of all its families;
  // db::kMarriage: a marriage away from its spouses and children.
  int O3_UnlinkRIN(std::int32_t record, int type);
  // Appends the marriage to the individual's spouse chain; the side is the
  // one the marriage names the individual on, else husband when asHusband.
  int LinkMarr(std::int32_t individual, std::int32_t marriage,
               char ownerLetter = db::kOwnerIndividual, bool asHusband = true);
  // Makes child a child of marriage; returns the family link, or 0.
  std::int32_t MakeChild(std::int32_t child, std::int32_t marriage);
  // Takes a family link out of its children and parents rings.
  int DetachFamilyLink(std::int32_t link);

  // ---- order ----
  // kRelMarriages: new order of an individual's marriages; kRelParents: of
  // an individual's parent family links (link numbers); kRelChildren: of
  // a marriage's children (child RINs). The list must be a permutation of the present
  // members; otherwise nothing changes and 0 is returned.
  int O3_SetOrder(std::int32_t record, std::span<const std::int32_t> list, int relation);
  // db::kRelChildren: the marriage's children become exactly the listed
  // individuals in that order; db::kUserEvent: the owner's user events
  // (db::kOwnerIndividual or db::kOwnerMarriage) become the listed ones (the
  // others of its chain are deleted).
  int SetRinList(std::span<const std::int32_t> list, int type, std::int32_t owner,
                 char ownerLetter);

  // ---- merge ----
  // Hands every parent family link of a to b; links to a marriage b already
  // has are combined into b's (sealing date and temple from a's when asked,
  // citations moved when asked). firstMarriage, when b has a link to it,
  // becomes b's first parent family. A link without parents (the holder of a
  // sealing of an individual without parent families) does not stay beside a
  // family: its sealing goes to b's first family when that has none.
  int MergeFamilyLinks(std::int32_t a, std::int32_t b, bool takeDate, bool takeTemple,
                       std::int32_t firstMarriage, bool moveCitations);
  // True when a sealing holds a date, a temple, a citation or a further value.
  static bool HasOrdinanceData(const orv::PackedOrdinance& sealing);

 private:
  std::vector<std::int32_t> WalkRing(RingSide side, std::int32_t head, std::int32_t owner);
  // Makes links (in that order) the owner's ring of the side.
  bool WriteRing(RingSide side, std::int32_t owner, const std::vector<std::int32_t>& links);
  // The first and the last link of the marriage's children without walking
  // its ring, when the link MakeChild made last is the marriage's and still
  // leads round to the first (a family getting many new children, as an
  // import gives them, takes each in constant time).
  bool KnownChildTail(std::int32_t marriage, std::int32_t& head, std::int32_t& tail);
  // The last marriage of the person's chain without walking it, when mrin
  // (read as m) does not name the person yet and the marriage appended last
  // on that side is the person's and still ends the chain.
  bool KnownSpouseTail(std::int32_t rin, const orv::IndividualRec& person, std::int32_t mrin,
                       const orv::MarriageRec& m, int side, std::int32_t& tail);
  int AppendToSpouseChain(std::int32_t rin, std::int32_t mrin, int side, bool set);
  int RemoveFromSpouseChain(std::int32_t rin, std::int32_t mrin, int side);
  int TakeChildOut(std::int32_t mrin, std::int32_t child);
  int DeleteLinkCompletely(std::int32_t link);
  void LogLink(char kind, char action, std::int32_t number, std::int32_t second);

  EngineHost* host_;
  RecordStore& records_;
  OwnerChains& owners_;
  RecordDeletes& deletes_;
  LinkLogHook linkLog_;
  struct {
    std::int32_t marriage = 0, link = 0;
  } lastChildLink_;  // the link MakeChild made last, and its marriage
  struct SpouseLink {
    std::int32_t rin = 0, mrin = 0;
  };
  SpouseLink lastSpouseLink_[2];  // per side, the marriage appended last and to whom
};
