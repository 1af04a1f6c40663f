#pragma once
// The record interface: what a record object tells the database calls that
// fill and store it, its record type and record number. Reading and storing
// through those calls is the family layer's (RecordAccess.h).

class CRecordObject {
 public:
  // The record number (RIN, MRIN or the type's own number); 0 = none.
  virtual long GetRecordNumber() const { return 0; }
  // Stores the number the database assigned. The default keeps nothing, so
  // the caller of an add keeps the number it returns.
  virtual long SetRecordNumber(long n) { return n; }
  // The record-type code of the call interface.
  virtual int GetRecordType() const { return 0; }

 protected:
  CRecordObject() = default;
  CRecordObject(const CRecordObject&) = default;
  CRecordObject& operator=(const CRecordObject&) = default;
  // Record objects are destroyed through their own class, never through the
  // interface; protected so that such a delete does not compile.
  ~CRecordObject() = default;
};
