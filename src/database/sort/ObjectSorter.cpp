#include "ObjectSorter.h"

#include <algorithm>

#include "FileCopy.h"
#include "Ports.h"
#include "SortTempFiles.h"
#include "StringIds.h"

KOR_IMPLEMENT_DYNCREATE(CObjectSorter, 1)

CObjectSorter::CObjectSorter(int runCapacity) : capacity_(runCapacity) {}

CObjectSorter::~CObjectSorter() {
  reader_.reset();
  sortfiles::RemoveTempFile(resultFile_);
  RemoveSpareFiles();
}

int CObjectSorter::Add(std::unique_ptr<CPersistentObject> object) {
  if (!object) return 1;
  if (sorted_ || error_ != ObjectSortError::kNone) return 0;
  if (runIndex_ == static_cast<int>(runs_.size())) runs_.push_back(NewStore(capacity_));
  CTempObjectStore& run = *runs_[static_cast<std::size_t>(runIndex_)];
  int answer = run.Add(std::move(object));
  if (answer == 0) {
    // A run that stayed in memory would never reach the result.
    if (run.SpoolFailed()) Fail(ObjectSortError::kSpoolFailed, run);
    ++runIndex_;
  }
  return answer;
}

int CObjectSorter::Sort(plat::ProgressPort* progress, int position, int span) {
  if (sorted_ || runs_.empty() || error_ != ObjectSortError::kNone) {
    sorted_ = true;
    return 0;
  }
  sorted_ = true;
  if (runIndex_ < static_cast<int>(runs_.size())) {
    CTempObjectStore& last = *runs_[static_cast<std::size_t>(runIndex_)];
    if (!last.IsSpooled() && !last.Spool()) {
      Fail(ObjectSortError::kSpoolFailed, last);
      return 0;
    }
  }
  progress_ = progress;
  progressStart_ = position;
  progressSpan_ = span;
  stepsPlanned_ = CountMergeSteps(static_cast<int>(runs_.size()));
  stepsDone_ = 0;
  MergeResult result = MergeRuns(runs_);
  progress_ = nullptr;
  RemoveSpareFiles();
  if (result == MergeResult::kCancelled) error_ = ObjectSortError::kCancelled;
  if (result != MergeResult::kDone) {
    // Whatever was written so far goes with the runs.
    runs_.clear();
    return 0;
  }
  return 1;
}

int CObjectSorter::CountMergeSteps(int n) {
  auto roundUpEven = [](int v) { return v + (v & 1); };
  n = roundUpEven(std::max(n, 1));
  if (n == 2) return 1;
  int sum = 0;
  while (n > 2) {
    int b = n / 2;
    sum += b;
    n = roundUpEven(b);
  }
  return sum == 0 ? 1 : sum;
}

CObjectSorter::MergeResult CObjectSorter::MergeRuns(Runs& runs) {
  if (runs.size() % 2 == 1) {
    auto empty = NewStore(0);
    if (!empty->Spool()) {
      Fail(ObjectSortError::kSpoolFailed, *empty);
      return MergeResult::kFailed;
    }
    runs.push_back(std::move(empty));
  }
  if (runs.size() == 2) {
    std::unique_ptr<CTempObjectStore> out = NewStore(0);
    bool merged = out->Merge(runs[0].get(), runs[1].get());
    Recycle(*runs[0]);
    Recycle(*runs[1]);
    if (!merged) {
      Fail(ObjectSortError::kMergeFailed, *out);
      return MergeResult::kFailed;
    }
    resultFile_ = out->ReleaseFile();
    StepProgress(false);
    return MergeResult::kDone;
  }
  Runs next;
  for (std::size_t i = 0; i < runs.size() / 2; ++i) {
    next.push_back(NewStore(0));
    bool merged = next.back()->Merge(runs[2 * i].get(), runs[2 * i + 1].get());
    Recycle(*runs[2 * i]);
    Recycle(*runs[2 * i + 1]);
    if (!merged) {
      Fail(ObjectSortError::kMergeFailed, *next.back());
      return MergeResult::kFailed;
    }
    if (!StepProgress(true)) return MergeResult::kCancelled;
  }
  return MergeRuns(next);
}

bool CObjectSorter::StepProgress(bool askCancel) {
  if (progress_ == nullptr) return true;
  ++stepsDone_;
  // The planned count leaves out the last merge; the position stops at the end of the span.
  long long moved =
      static_cast<long long>(progressSpan_) * std::min(stepsDone_, stepsPlanned_) / stepsPlanned_;
  progress_->SetPosition(progressStart_ + static_cast<int>(moved));
  if (!askCancel) return true;
  bool quit = !plat::PumpWaitingMessages();
  return !quit && !progress_->CancelRequested();
}

void CObjectSorter::Fail(ObjectSortError error, const CTempObjectStore& store) {
  if (error_ != ObjectSortError::kNone) return;
  error_ = error;
  int cause = store.FileErrorCause() != 0 ? store.FileErrorCause() : plat::kFileGeneric;
  ShowFileActionError(
      cause, error == ObjectSortError::kSpoolFailed ? res::kIdsWritingFile : res::kIdsReadingFile,
      store.GetFileName());
}

std::unique_ptr<CTempObjectStore> CObjectSorter::NewStore(int capacity) {
  // Runs are merged by the sorter, which recycles their files, so no store
  // deletes its file after a merge.
  if (spareFiles_.empty()) return std::make_unique<CTempObjectStore>(capacity, false);
  std::string file = std::move(spareFiles_.back());
  spareFiles_.pop_back();
  return std::make_unique<CTempObjectStore>(capacity, false, std::move(file));
}

void CObjectSorter::Recycle(CTempObjectStore& run) {
  std::string file = run.ReleaseFile();
  if (!file.empty()) spareFiles_.push_back(std::move(file));
}

void CObjectSorter::RemoveSpareFiles() {
  for (const std::string& file : spareFiles_) sortfiles::RemoveTempFile(file);
  spareFiles_.clear();
}

std::unique_ptr<CPersistentObject> CObjectSorter::ReadAt(std::int64_t position) {
  if (!reader_) {
    if (resultFile_.empty()) return nullptr;
    // The result file stays the sorter's.
    reader_ = std::make_unique<CTempObjectStore>(0, false, resultFile_);
    reader_->ReleaseFile();
  }
  return reader_->ReadAt(position);
}

std::unique_ptr<CPersistentObject> CObjectSorter::GetNext() {
  return reader_ ? reader_->ReadNext() : nullptr;
}

std::int64_t CObjectSorter::GetPosition() const { return reader_ ? reader_->GetPosition() : -1; }
