#include "TempObjectStore.h"

#include "FileHandle.h"
#include "SortTempFiles.h"

CTempObjectStore::CTempObjectStore(int capacity, bool deleteAfterMerge)
    : fileName_(sortfiles::CreateTempFile("~", 0, &fileCause_)),
      capacity_(capacity),
      deleteAfterMerge_(deleteAfterMerge) {}

CTempObjectStore::CTempObjectStore(int capacity, bool deleteAfterMerge, std::string workFile)
    : fileName_(std::move(workFile)), capacity_(capacity), deleteAfterMerge_(deleteAfterMerge) {}

CTempObjectStore::~CTempObjectStore() {
  CloseFile();
  if (ownsFile_) sortfiles::RemoveTempFile(fileName_);
}

int CTempObjectStore::Add(std::unique_ptr<CPersistentObject> object) {
  if (full_) return 0;
  objects_.InsertSorted(std::move(object));
  if (objects_.GetSize() < capacity_ - 1) return 1;
  full_ = true;
  Spool();
  return 0;
}

bool CTempObjectStore::Spool() {
  if (!OpenFile(CPersistentFile::Mode::kCreate)) {
    spoolFailed_ = true;
    return false;
  }
  const int count = objects_.GetSize();
  file_->WriteDword(static_cast<std::uint32_t>(count));
  for (int i = 0; i < count && file_->Good(); ++i) file_->WriteObject(objects_.GetAt(i));
  if (!CloseFile()) {
    spoolFailed_ = true;
    return false;
  }
  count_ = static_cast<std::uint32_t>(count);
  objects_.RemoveAll();
  spooled_ = true;
  spoolFailed_ = false;
  return true;
}

std::unique_ptr<CPersistentObject> CTempObjectStore::ReadAt(std::int64_t position) {
  if (!IsOpen()) {
    readFailed_ = false;
    if (!OpenFile(CPersistentFile::Mode::kRead)) {
      readFailed_ = true;
      return nullptr;
    }
  }
  if (position != -1) file_->Seek(static_cast<std::uint64_t>(position));
  if (file_->GetPosition() == 0) count_ = file_->ReadDword();
  return ReadNext();
}

std::unique_ptr<CPersistentObject> CTempObjectStore::ReadNext() {
  if (!IsOpen()) return nullptr;
  if (!file_->Good()) {
    readFailed_ = true;
    return nullptr;
  }
  if (file_->GetPosition() >= file_->GetLength()) return nullptr;
  std::unique_ptr<CPersistentObject> object;
  if (!file_->ReadObject(object) || !object) {
    // A damaged stream (or "no object", which runs never hold) ends the run.
    NoteFileError();
    readFailed_ = true;
    return nullptr;
  }
  return object;
}

void CTempObjectStore::Seek(std::int64_t position) {
  if (IsOpen()) file_->Seek(static_cast<std::uint64_t>(position));
}

std::int64_t CTempObjectStore::GetPosition() const {
  return IsOpen() ? static_cast<std::int64_t>(file_->GetPosition()) : -1;
}

bool CTempObjectStore::Merge(CTempObjectStore* first, CTempObjectStore* second) {
  if (first == nullptr || second == nullptr) return false;
  if (!OpenFile(CPersistentFile::Mode::kCreate)) return false;
  std::unique_ptr<CPersistentObject> q = first->ReadAt(-1);
  std::unique_ptr<CPersistentObject> r = second->ReadAt(-1);
  count_ = first->ObjectCount() + second->ObjectCount();
  file_->WriteDword(count_);
  while ((q || r) && file_->Good()) {
    // Equal objects take the second run's first.
    if (r && (!q || q->Compare(r.get()) >= 0)) {
      file_->WriteObject(r.get());
      r = second->ReadNext();
    } else {
      file_->WriteObject(q.get());
      q = first->ReadNext();
    }
  }
  bool ok = CloseFile();
  if (first->ReadFailed() || second->ReadFailed()) {
    fileCause_ = first->ReadFailed() ? first->FileErrorCause() : second->FileErrorCause();
    if (fileCause_ == 0) fileCause_ = plat::kFileHardIO;
    ok = false;
  }
  for (CTempObjectStore* run : {first, second}) {
    if (run->deleteAfterMerge_) run->CloseAndDelete();
  }
  spooled_ = true;
  return ok;
}

void CTempObjectStore::CloseAndDelete() {
  CloseFile();
  sortfiles::RemoveTempFile(fileName_);
  // The name is free again and may go to another store, whose file this one
  // must not delete later.
  ownsFile_ = false;
}

void CTempObjectStore::SetFileName(const std::string& name) {
  CloseFile();
  if (ownsFile_ && name != fileName_) sortfiles::RemoveTempFile(fileName_);
  fileName_ = name;
  ownsFile_ = false;
}

std::string CTempObjectStore::ReleaseFile() {
  CloseFile();
  if (!ownsFile_) return {};
  ownsFile_ = false;
  return fileName_;
}

bool CTempObjectStore::OpenFile(CPersistentFile::Mode mode) {
  CloseFile();
  file_ = std::make_unique<CPersistentFile>();
  if (!fileName_.empty() && file_->Open(fileName_, mode)) return true;
  NoteFileError();
  file_.reset();
  return false;
}

bool CTempObjectStore::CloseFile() {
  if (!file_) return true;
  bool ok = file_->Good();
  if (file_->IsOpen()) ok = file_->Close() && ok;
  if (!ok) NoteFileError();
  // The stream's buffers go with it: a sort keeps a thousand closed runs.
  file_.reset();
  return ok;
}

void CTempObjectStore::NoteFileError() {
  if (!file_) return;
  if (file_->Error() == ObjectStreamError::kIo && file_->FileErrorCause() != 0) {
    fileCause_ = file_->FileErrorCause();
  } else if (!file_->Good()) {
    fileCause_ = plat::kFileHardIO;
  } else if (fileCause_ == 0) {
    fileCause_ = plat::kFileGeneric;
  }
}
