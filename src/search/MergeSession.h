#pragma once
// What the Merge Individuals screen decides: the primary and duplicate with
// their work-file positions, Next Match and Previous, Switch, choosing a
// side by hand, whether Merge may run and the merge itself.

#include <cstdint>

#include "MergeIndividuals.h"
#include "MergeWorkFile.h"

class CMergeSession {
 public:
  explicit CMergeSession(int mode) : mode_(mode) {}

  std::int32_t Primary() const { return primary_; }
  std::int32_t Duplicate() const { return duplicate_; }
  std::int32_t PrimaryPosition() const { return primaryPosition_; }
  std::int32_t DuplicatePosition() const { return duplicatePosition_; }
  CMergeWorkFile& Work() { return work_; }
  int Mode() const { return mode_; }
  // The Merge Individuals screen's title in this mode.
  const char* Title() const;

  // Next Match (+1) or Previous (-1) under the options of the moment: a
  // further duplicate of the shown primary, else the next primary with a
  // duplicate. False, after the "No more ... matches." warning, when none.
  bool Step(int direction, const MatchOptions& options);
  void Switch();
  // A side chosen by hand (its position unknown in the work file; for the
  // duplicate it is looked up). False, after the "Invalid Merge RIN"
  // message, for the individual already on the other side.
  bool ChoosePrimary(std::int32_t rin);
  bool ChooseDuplicate(std::int32_t rin);
  // 0 when Merge may run; else the id of the message that says why not
  // (different sexes 4025, parent and child 4026), or -1 for an empty side.
  int MergeBlock() const;
  // Merges the duplicate into the primary, marks its work-file entry and
  // empties the duplicate side. When some of the duplicate's marriages were
  // not chosen, first asks whether they are deleted with it (Yes) or stay
  // in the file without it (No). 1 merged, 0 not.
  int Merge(const MergeChoices& choices, const MatchOptions& options);
  // The auto-merge has changed the file: rebuild before the next search.
  void SetRebuild() { rebuild_ = true; }

 private:
  MergeWorkRecord RecordOf(std::int32_t rin, std::int32_t position);

  int mode_;
  CMergeWorkFile work_;
  bool rebuild_ = true;
  std::int32_t primary_ = 0, duplicate_ = 0;
  std::int32_t primaryPosition_ = -1, duplicatePosition_ = -1;
};

// Whether the Merge button asks first: not with Shift held or MrgVerify off.
bool AskBeforeMerge(bool shiftHeld, int mrgVerify);
