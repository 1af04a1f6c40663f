#pragma once
// CTempObjectStore: one sorted run of an external merge sort. Objects are
// kept in order in memory until the run is full, then spooled to the run's
// work file; two spooled runs merge into a third store's file.
//
// Run file: a dword object count, then that many objects in the object
// stream form, in order.

#include <cstdint>
#include <memory>
#include <string>

#include "PersistentFile.h"
#include "PersistentObject.h"

class CTempObjectStore {
 public:
  // The run is full (and spooled) when it holds capacity - 1 objects. With
  // deleteAfterMerge the run's file is deleted once it was merged into another.
  CTempObjectStore(int capacity, bool deleteAfterMerge);
  // The same on an existing work file, which the store takes over as its
  // own (a sort hands on the files of runs already merged).
  CTempObjectStore(int capacity, bool deleteAfterMerge, std::string workFile);
  // Closes the file, and deletes it unless it was handed on (ReleaseFile,
  // SetFileName).
  ~CTempObjectStore();
  CTempObjectStore(const CTempObjectStore&) = delete;
  CTempObjectStore& operator=(const CTempObjectStore&) = delete;

  // Takes the object into the run in Compare order. 1 while the run has
  // room; 0 when it became full: it was then spooled, unless that failed
  // (SpoolFailed), and takes no more objects.
  int Add(std::unique_ptr<CPersistentObject> object);
  // Writes the objects held in memory to the run file and frees them. False
  // when the file cannot be created or written: the objects then stay in
  // memory and the run is not spooled.
  bool Spool();
  bool IsSpooled() const { return spooled_; }
  bool SpoolFailed() const { return spoolFailed_; }
  bool IsFull() const { return full_; }
  int InMemoryCount() const { return objects_.GetSize(); }

  // Opens the file for reading when it is closed, moves to position unless
  // it is -1, reads the object count at position 0, then the object there.
  std::unique_ptr<CPersistentObject> ReadAt(std::int64_t position);
  // The next object; null at the end of the file or on a read error
  // (ReadFailed tells them apart).
  std::unique_ptr<CPersistentObject> ReadNext();
  bool ReadFailed() const { return readFailed_; }
  void Seek(std::int64_t position);
  // -1 when the file is closed.
  std::int64_t GetPosition() const;
  // The object count of the run (read back from the file at position 0).
  std::uint32_t ObjectCount() const { return count_; }

  // Merges two spooled runs into this store's file in Compare order; when
  // two objects compare equal, second's goes first. Deletes the files of
  // the inputs that are marked delete-after-merge. False when a run is
  // missing, the output cannot be written or an input cannot be read.
  bool Merge(CTempObjectStore* first, CTempObjectStore* second);

  void CloseAndDelete();
  const std::string& GetFileName() const { return fileName_; }
  // Works on another file, which this store does not delete; its own work
  // file is deleted.
  void SetFileName(const std::string& name);
  // Hands the file on: this store no longer deletes it. Answers its name,
  // or "" when the file was not the store's to hand on.
  std::string ReleaseFile();
  // The file-error cause of the last failed open or transfer, else 0.
  int FileErrorCause() const { return fileCause_; }

 private:
  bool IsOpen() const { return file_ && file_->IsOpen(); }
  // Opens the run file afresh; false (with the cause noted) when it cannot be opened.
  bool OpenFile(CPersistentFile::Mode mode);
  // Closes and drops the stream; false when pending writes failed.
  bool CloseFile();
  void NoteFileError();

  std::string fileName_;
  bool ownsFile_ = true;
  int capacity_;
  bool deleteAfterMerge_;
  std::unique_ptr<CPersistentFile> file_;  // only while the file is open
  CPersistentArray objects_;
  bool spooled_ = false;
  bool spoolFailed_ = false;
  bool full_ = false;
  bool readFailed_ = false;
  std::uint32_t count_ = 0;
  int fileCause_ = 0;
};
