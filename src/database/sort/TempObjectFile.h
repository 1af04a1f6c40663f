#pragma once
// CTempObjectFile: a plain sequential spool of persistent objects in a work
// file of its own, for content too large to hold in memory (an RTF
// document's elements, the rows of a list report in record order). Writing
// and reading alternate freely: the first write after a read starts the file
// over empty, and a read after writes starts again from the beginning.

#include <cstdint>
#include <memory>
#include <string>

#include "PersistentFile.h"

class CPersistentObject;

class CTempObjectFile {
 public:
  // Creates the (empty) work file. With deleteOnDestroy the file goes with
  // the object.
  explicit CTempObjectFile(bool deleteOnDestroy = true);
  ~CTempObjectFile();
  CTempObjectFile(const CTempObjectFile&) = delete;
  CTempObjectFile& operator=(const CTempObjectFile&) = delete;

  // Appends one object (null only opens the file for writing). False when
  // the file cannot be opened or the write failed.
  bool Write(const CPersistentObject* object);
  // Reopens the file for reading, moves to position (-1: the start) and
  // reads one object; null at the end or on a read error.
  std::unique_ptr<CPersistentObject> ReadAt(std::int64_t position);
  // The next object; null when the file is not open for reading, at its end,
  // or when the object cannot be read.
  std::unique_ptr<CPersistentObject> ReadNext();

  // The position of the next object, for a later ReadAt; -1 when closed.
  std::int64_t GetPosition() const;
  int ObjectsWritten() const { return written_; }

  const std::string& GetFileName() const { return fileName_; }
  // Works on another file from now on (deleted with this object when the
  // delete flag is set); the work file made at construction is deleted.
  void SetFileName(const std::string& name);

 private:
  std::string fileName_;
  bool deleteOnDestroy_;
  bool ownsFile_ = true;  // fileName_ is still the work file made at construction
  CPersistentFile file_;
  bool reopenForWrite_ = true;
  int written_ = 0;
};
