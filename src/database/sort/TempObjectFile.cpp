#include "TempObjectFile.h"

#include "PersistentObject.h"
#include "SortTempFiles.h"

CTempObjectFile::CTempObjectFile(bool deleteOnDestroy)
    : fileName_(sortfiles::CreateTempFile("~", 0)), deleteOnDestroy_(deleteOnDestroy) {}

CTempObjectFile::~CTempObjectFile() {
  if (file_.IsOpen()) file_.Close();
  if (deleteOnDestroy_) sortfiles::RemoveTempFile(fileName_);
}

bool CTempObjectFile::Write(const CPersistentObject* object) {
  if (reopenForWrite_) {
    if (file_.IsOpen()) file_.Close();
    // A fresh file names its first class again, so any reader can start at 0.
    file_.SetLastClassName({});
    if (fileName_.empty() || !file_.Open(fileName_, CPersistentFile::Mode::kCreate)) return false;
    reopenForWrite_ = false;
    written_ = 0;
  }
  if (object == nullptr) return file_.Good();
  if (!file_.WriteObject(object)) return false;
  ++written_;
  return true;
}

std::unique_ptr<CPersistentObject> CTempObjectFile::ReadAt(std::int64_t position) {
  if (file_.IsOpen()) file_.Close();
  if (fileName_.empty() || !file_.Open(fileName_, CPersistentFile::Mode::kRead)) return nullptr;
  reopenForWrite_ = true;
  if (position != -1 && !file_.Seek(static_cast<std::uint64_t>(position))) return nullptr;
  return ReadNext();
}

std::unique_ptr<CPersistentObject> CTempObjectFile::ReadNext() {
  if (!file_.IsOpen() || !file_.Good() || file_.GetPosition() >= file_.GetLength()) return nullptr;
  std::unique_ptr<CPersistentObject> object;
  if (!file_.ReadObject(object)) return nullptr;
  return object;
}

std::int64_t CTempObjectFile::GetPosition() const {
  return file_.IsOpen() ? static_cast<std::int64_t>(file_.GetPosition()) : -1;
}

void CTempObjectFile::SetFileName(const std::string& name) {
  if (file_.IsOpen()) file_.Close();
  // The work file made at construction would otherwise be left behind.
  if (ownsFile_ && name != fileName_) sortfiles::RemoveTempFile(fileName_);
  fileName_ = name;
  ownsFile_ = false;
  reopenForWrite_ = true;
}
