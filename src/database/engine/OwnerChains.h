#pragma once
// The chains records own: citations (doubly linked; the head lies in the
// owner, named by an owner letter (db::OwnerKind): an individual, one of its events or
// ordinances, a marriage, a family link's sealing or a user event), user
// events (doubly linked; head in an individual's extension or a marriage)
// and multimedia items (linked both ways; the owner's field may name any
// item of the chain).
//
// Keeps: nothing of its own.
// Guarantees: a citation or user event is in at most one chain, its
// owner field names that chain's owner and its previous field the record
// before it in the chain (0 at the head); every walk stops at the first
// damaged or repeated step (with a message for citations and user events);
// an individual's extension counts the user events and parent links of his
// that have citations.
// Needs: RecordStore for the records, FamilyLinks for an individual's parent
// links and for linking marriages, RecordDeletes for the multimedia items a
// chain delete takes.

#include <cstdint>
#include <vector>

#include "RecordStore.h"
#include "Records.h"

class FamilyLinks;
class RecordDeletes;

class OwnerChains {
 public:
  OwnerChains(RecordStore& records, FamilyLinks& families, RecordDeletes& deletes);
  OwnerChains(const OwnerChains&) = delete;
  OwnerChains& operator=(const OwnerChains&) = delete;

  // ---- lists ----
  // Citations (db::kCitation) or user events (db::kUserEvent) of an owner,
  // in chain order.
  int GetRinList(std::vector<std::int32_t>& list, int type, std::int32_t owner, char ownerLetter);
  // The citation chain from first.
  std::vector<std::int32_t> CitationChain(std::int32_t first);
  // The user events of a live individual (db::kOwnerIndividual) or marriage
  // (db::kOwnerMarriage).
  std::vector<std::int32_t> UserEventChain(std::int32_t owner, char letter);

  // ---- links ----
  // db::kMarriage LinkMarr(owner, record); db::kCitation moves a citation to
  // the owner's chain; db::kUserEvent appends a user event to the owner's
  // chain. `after` is accepted for
  // the callers' sake; marriages are always appended.
  int LinkRecord(std::int32_t record, int type, std::int32_t owner, char ownerLetter,
                 std::int32_t after = 0, int flag = 0);
  // db::kCitation: takes the citation out of the owner's chain when it is
  // there.
  int UnLinkRecord(std::int32_t record, int type, std::int32_t owner, char ownerLetter);
  // A new citation of a live source for a live owner (kind letter), at the
  // end of the owner's chain.
  std::int32_t NewCitation(bool reuse, std::int32_t source, std::int32_t owner, char ownerLetter,
                           const RecordFiller& fill = {});
  // Appends a citation to the chain of (owner, letter) and sets its owner field.
  int AppendCitation(std::int32_t citation, std::int32_t owner, char ownerLetter);
  // Takes a citation out of whatever chain holds it.
  int DetachCitation(std::int32_t citation);
  // Appends a user event to the chain of owner (db::kOwnerIndividual or
  // db::kOwnerMarriage), taking it out of the chain it was in.
  int AppendUserEvent(std::int32_t event, std::int32_t owner, char ownerLetter);
  // Takes a user event out of its owner's chain.
  int DetachUserEvent(std::int32_t event);
  // Adds delta to an individual's count (field 73 user events, 74 parent
  // links) of chains with citations, kept within 0 to 255.
  void AdjustCitedCount(std::int32_t rin, int field, int delta);

  // ---- merging individual a into b ----
  // Every citation of the chain from first whose owner is from gets owner to.
  int ReownCitations(std::int32_t first, std::int32_t from, std::int32_t to);
  int MoveUserEvent(std::int32_t event, std::int32_t newOwner, std::int32_t oldOwner,
                    char ownerLetter);
  // Appends fromLink's sealing citations to toLink's chain.
  int MoveSealingCitations(std::int32_t fromLink, std::int32_t toLink);

  // ---- multimedia chains ----
  // Multimedia chain head of an owner of type kIndividual, kMarriage, kSource
  // or kCitation; -1 when
  // the record cannot be read. Set returns the old head (-1 on a failure).
  std::int32_t GetMultimediaHead(std::int32_t owner, int type);
  std::int32_t SetMultimediaHead(std::int32_t owner, int type, std::int32_t head);
  // The first item of the chain that holds item (previous links followed);
  // 0 for 0, an item that cannot be read or a loop of previous links.
  std::int32_t FirstMultimediaItem(std::int32_t item);
  // Deletes every item of the chain that holds item, first to last. An item
  // that names another owner or owner type (kIndividual, kMarriage, kSource,
  // kCitation; 0 for any),
  // cannot be read or closes a loop ends the walk. 1 when the walk reached
  // the end (also for item 0), else 0.
  int DeleteMultimediaChainOf(std::int32_t item, std::int32_t owner, int ownerType);

 private:
  // Where a chain of citations hangs: the record and field of its head.
  struct CitationSlot {
    orv::RecordKind kind = orv::RecordKind::Individual;
    std::int32_t record = 0;    // record holding the chain head
    int offset = 0;             // head field in that record
    std::int32_t owner = 0;     // value of the citations' owner field
    std::int32_t countRin = 0;  // individual whose extension counts the chain
    int countField = 0;         // 73 user events, 74 parent links, 0 none
  };
  bool CitationSlotOf(std::int32_t owner, char letter, CitationSlot& slot);
  std::int32_t SlotHead(const CitationSlot& slot);
  bool SetSlotHead(const CitationSlot& slot, std::int32_t head);
  bool FindCitationHead(std::int32_t citation, std::int32_t owner, CitationSlot& slot);
  bool SetUserEventHead(std::int32_t owner, char letter, std::int32_t head);
  // The last event of the owner's chain without walking it, when event is
  // one of the owner's that no chain holds yet and the event appended last
  // is the owner's and still ends its chain (an owner getting many new
  // events, as an import gives them, appends each in constant time).
  bool KnownUserEventTail(std::int32_t event, std::int32_t owner, char letter, std::int32_t& last);

  RecordStore& records_;
  FamilyLinks& families_;
  RecordDeletes& deletes_;
  struct {
    std::int32_t owner = 0, event = 0;
    char letter = 0;
  } lastUserEvent_;  // the event AppendUserEvent appended last, and its owner
};
