#pragma once
// Record objects read and stored through the database calls, each by its own
// record type and record number. Every call answers as the database call it
// makes; an object whose class does not carry its record type is refused.

#include "RecordObject.h"

namespace family {

// Record n into the object: 1 read, 0 deleted, absent or unreadable.
int Read(CRecordObject& record, long n);
// Adds the object as a new record (flag: reuse a deleted record's number);
// SetRecordNumber gets the new number and its result is returned (0 when
// nothing was added).
[[nodiscard]] long Add(CRecordObject& record, int flag);
// Rewrites the stored record from the object; 1, or 0 on a failure.
[[nodiscard]] int Update(CRecordObject& record, int flag);
// Deletes the stored record; 1, or 0 on a failure.
[[nodiscard]] int Delete(CRecordObject& record);

}  // namespace family
