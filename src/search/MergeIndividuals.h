#pragma once
// Merging a duplicate individual into a primary one through the database
// calls, and the automatic merge of individuals that share an SBN.

#include <cstdint>
#include <vector>

#include "MergeWorkFile.h"

class CIndividualRecord;

// What the user chose on the duplicate's side.
struct MergeChoices {
  bool name = false;  // surname, given names and suffix
  bool birthDate = false, birthPlace = false;
  bool christeningDate = false, christeningPlace = false;
  bool deathDate = false, deathPlace = false;
  bool burialDate = false, burialPlace = false;
  bool sbn = false;
  bool sex = false;
  bool parents = false;  // the duplicate's parent family becomes the primary's first
  // With ZEL data shown the ordinances are chosen like the events (date and
  // temple); without, each moves only to a primary that has none.
  bool zelShown = false;
  bool baptism = false, endowment = false, sealingToParents = false;
  // The duplicate's marriages to take over; every one when allMarriages.
  bool allMarriages = true;
  std::vector<std::int32_t> marriages;
  // The duplicate's marriages that are not taken over: deleted with it when
  // set, else they stay in the file without it.
  bool deleteLeftBehind = false;
};

// The duplicate's boxes as the merge screen first checks them: a date or
// place the primary lacks is taken from the duplicate.
MergeChoices PrecheckedChoices(const CIndividualRecord& primary,
                               const CIndividualRecord& duplicate);

// What the ordinance rows move to the primary's record. With ZEL data shown
// each chosen ordinance's date and temple are taken; a baptism recorded with
// a place brings its flag and place instead of the temple. Without, each
// ordinance moves whole to a primary that has none (a baptism with its
// place and flag).
void TakeOrdinances(CIndividualRecord& primary, const CIndividualRecord& duplicate,
                    const MergeChoices& choices);

// Moves what choices and options say from duplicate to primary, fills the
// primary's empty text and contact fields, hands over parent links, notes,
// citations, user events and marriages (a marriage of the same couple folded
// into one), deletes the marriages left behind when choices say so, marks
// the duplicate's work-file entry (position >= 0) merged and deletes the
// duplicate. 1, or 0 when either cannot be read or a write failed; a failed
// write stops the merge before the duplicate is deleted.
int MergeIndividuals(std::int32_t primary, std::int32_t duplicate, const MergeChoices& choices,
                     const MatchOptions& options, CMergeWorkFile* work = nullptr,
                     std::int32_t duplicatePosition = -1);

// Marriages of the duplicate that a merge with these choices would leave
// behind (they lose the duplicate when it is deleted).
std::vector<std::int32_t> MarriagesLeftBehind(std::int32_t duplicate, const MergeChoices& choices);

// Two individuals that Yes to All may merge unasked: equal non-empty SBN,
// display name and sex, and either one has no event data at all or every
// event and ordinance is absent on both or equal in date and place.
bool IsSafeAutoMerge(const CIndividualRecord& primary, const CIndividualRecord& duplicate);

// The question of the automatic merge, one pair at a time.
class MergeConfirmPort {
 public:
  enum Answer { kYes, kNo, kYesToAll, kCancel };
  virtual ~MergeConfirmPort() = default;
  virtual Answer Ask(std::int32_t primary, std::int32_t duplicate) = 0;
};

// Merges individuals with equal SBN and sex, asking confirm for each pair
// until Yes to All (after which only safe pairs merge). The number merged.
int AutoMergeOnSbn(CMergeWorkFile& work, MergeConfirmPort& confirm, const MatchOptions& options);
