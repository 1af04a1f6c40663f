#pragma once
// The record interface: a record object that the database calls fill and
// store by its record type and record number.

class CRecordObject {
 public:
  // The record number (RIN, MRIN or the type's own number); 0 = none.
  virtual long GetRecordNumber() const { return 0; }
  // Stores the number the database assigned. The default keeps nothing, so
  // the caller of an add keeps the number it returns.
  virtual long SetRecordNumber(long n) { return n; }
  // The record-type code of the call interface.
  virtual int GetRecordType() const { return 0; }

  // Each of these is one database call with the object's own record type and
  // number. Read: record n into the object; 1 read, 0 deleted, absent or
  // unreadable.
  virtual int Read(long n);
  // Adds the object as a new record (flag: reuse a deleted record's number);
  // SetRecordNumber gets the new number and its result is returned (0 when
  // nothing was added).
  virtual long Add(int flag);
  // Rewrites the stored record from the object; 1, or 0 on a failure.
  virtual int Update(int flag);
  // Deletes the stored record; 1, or 0 on a failure.
  virtual int Delete();

 protected:
  CRecordObject() = default;
  CRecordObject(const CRecordObject&) = default;
  CRecordObject& operator=(const CRecordObject&) = default;
  // Record objects are destroyed through their own class, never through the
  // interface; protected so that such a delete does not compile.
  ~CRecordObject() = default;
};
