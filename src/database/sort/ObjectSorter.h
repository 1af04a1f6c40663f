#pragma once
// CObjectSorter: an external merge sort of persistent objects in bounded
// memory. Objects are collected into runs of (capacity - 1) objects, each
// kept in order and spooled to its own work file when full; Sort merges the
// runs pairwise, level by level, into one result file, which is then read
// back in order. Objects' Compare gives the order; objects that compare
// equal and lie in different runs come out with the later run's object
// first. The sorted list reports use runs of 1000.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "PersistentObject.h"
#include "TempObjectStore.h"

namespace plat {
class ProgressPort;
}

enum class ObjectSortError {
  kNone = 0,
  kSpoolFailed,  // a full run could not be written to its work file
  kMergeFailed,  // a merge could not write its output or read a run back
  kCancelled,    // Cancel was pressed (or the program asked to quit) during the merge
};

class CObjectSorter : public CPersistentObject {
  KOR_DECLARE_DYNCREATE(CObjectSorter)

 public:
  explicit CObjectSorter(int runCapacity = 1000);
  // Deletes the result file and every run file still there.
  ~CObjectSorter() override;
  CObjectSorter(const CObjectSorter&) = delete;
  CObjectSorter& operator=(const CObjectSorter&) = delete;

  // Adds an object to the current run. 1 while the run has room; 0 when the
  // run became full (the next object starts a new run), and 0 for an object
  // refused because the sort already failed or was done.
  int Add(std::unique_ptr<CPersistentObject> object);

  // Merges the runs into the result file. With a progress window, its
  // position moves from position to position + span over the merges and
  // Cancel (or a quit request from the message pump) stops the merge.
  // 1 when the result is ready; 0 when there was nothing to sort, the sort
  // was already done, it was cancelled or it failed (Error says which). A
  // run that could not be written fails the sort, with a file-error message,
  // rather than dropping its objects.
  int Sort(plat::ProgressPort* progress = nullptr, int position = 0, int span = 0);
  ObjectSortError Error() const { return error_; }

  // Reads the result from position (-1 or 0: the first object).
  std::unique_ptr<CPersistentObject> ReadAt(std::int64_t position);
  // The next object of the result; null at its end or before ReadAt.
  std::unique_ptr<CPersistentObject> GetNext();
  // Where the next object lies, for ReadAt; -1 before reading.
  std::int64_t GetPosition() const;

  int RunCount() const { return static_cast<int>(runs_.size()); }

  // The number of progress steps the merge of n runs is given (n >= 1).
  static int CountMergeSteps(int n);

 private:
  using Runs = std::vector<std::unique_ptr<CTempObjectStore>>;
  enum class MergeResult { kDone, kCancelled, kFailed };
  MergeResult MergeRuns(Runs& runs);
  // Moves the progress window one merge on; false when the merge should stop.
  bool StepProgress(bool askCancel);
  void Fail(ObjectSortError error, const CTempObjectStore& store);
  // A store on a spare work file when there is one: creating and deleting
  // thousands of files costs more than the merge itself.
  std::unique_ptr<CTempObjectStore> NewStore(int capacity);
  // Takes a merged run's file as a spare.
  void Recycle(CTempObjectStore& run);
  void RemoveSpareFiles();

  int capacity_;
  int runIndex_ = 0;
  Runs runs_;
  std::unique_ptr<CTempObjectStore> reader_;
  std::string resultFile_;
  std::vector<std::string> spareFiles_;
  bool sorted_ = false;
  ObjectSortError error_ = ObjectSortError::kNone;

  // Progress of the running Sort.
  plat::ProgressPort* progress_ = nullptr;
  int progressStart_ = 0, progressSpan_ = 0, stepsPlanned_ = 1, stepsDone_ = 0;
};
