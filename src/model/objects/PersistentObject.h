#pragma once
// Objects that write themselves to an object stream (CPersistentFile) and are
// read back without knowing their class in advance: the stream names each
// object's class, and reading creates the object from that name. Every
// derived class must declare its own run-time record
// (KOR_DECLARE_DYNCREATE / KOR_IMPLEMENT_DYNCREATE with schema 1) and be
// default-constructible; a class without one would be written under its
// base's name and read back as the base.
//
// CPersistentArray and CPersistentList are the owning containers of such
// objects.

#include <cstdint>
#include <memory>

#include "ObArrayEx.h"
#include "ObListEx.h"
#include "Object.h"

class CPersistentFile;

class CPersistentObject : public CObject {
  KOR_DECLARE_DYNCREATE(CPersistentObject)

 public:
  CPersistentObject() = default;

  // Negative when this object sorts before `other`, 0 equal, positive after.
  // Called with null when a merge run is used up (the answer is then not
  // used), so every override accepts null.
  virtual int Compare(const CPersistentObject* other) const;
  // Whether this object answers to a search key; what a key means is the
  // derived class's business.
  virtual bool Matches(std::int32_t key) const;
  // Write and read back the object's own fields, in the same order. Errors
  // are kept by the file (CPersistentFile::Good); Load may also report bad
  // values with CPersistentFile::SetError.
  virtual void Store(CPersistentFile* file) const;
  virtual void Load(CPersistentFile* file);
};

// An array of persistent objects, owning them unless told otherwise. It
// holds no null elements.
class CPersistentArray : public CObArrayEx {
  KOR_DECLARE_DYNCREATE(CPersistentArray)

 public:
  CPersistentArray() = default;

  CPersistentObject* GetAt(int index) const;
  // An owning array takes over a raw pointer; the unique_ptr forms are for
  // owning arrays only. Null elements are refused (Add answers -1).
  int Add(CPersistentObject* element);
  int Add(std::unique_ptr<CPersistentObject> element);

  // Cursor, as CObArrayEx's.
  CPersistentObject* GetFirst();
  CPersistentObject* GetNext();
  CPersistentObject* GetCurrent() const;

  // The first element (walking with the cursor) that matches `key`, else null.
  virtual CPersistentObject* Find(std::int32_t key);
  // The index of that element, else -1.
  virtual int IndexOf(std::int32_t key);
  // Inserts in the order of the new object's Compare: after the elements it
  // equals, except that an object equal to the last element goes just before
  // it. Answers the index, or -1 for a null object (not inserted).
  virtual int InsertSorted(CPersistentObject* object);
  int InsertSorted(std::unique_ptr<CPersistentObject> object);

  // Writes the count, then each element as an object.
  virtual bool Store(CPersistentFile* file) const;
  // Reads the count and appends up to that many objects. Stops at the first
  // object that fails to read or reads as none; the elements read so far
  // stay, the file keeps the error, and the answer is false.
  virtual bool Load(CPersistentFile* file);

  // The stream form without a count: storing writes each element as an
  // object; loading appends objects until the end of the file. False when
  // the file failed.
  bool Serialize(CPersistentFile& file, bool storing);
};

// A list of persistent objects, owning them unless told otherwise.
class CPersistentList : public CObListEx {
  KOR_DECLARE_DYNCREATE(CPersistentList)

 public:
  CPersistentList() = default;

  // As CPersistentArray::Serialize, appending at the tail.
  bool Serialize(CPersistentFile& file, bool storing);
};
