#pragma once
// What the database calls share: the choice of the engine by database type
// and the unknown-type message with the call's number.

#include "FamilyDatabase.h"
#include "ORV3.h"
#include "StringIds.h"

namespace dbcall {

// The engine of the open current-format file. On a database of another type
// (the old format included, which is read-only and whose reads the calls
// hand to its reader first) the unknown-type box with the call number is
// shown first; a current-format
// database that is closed answers null without a message.
inline ORV3* Engine(long call) {
  CFamilyDatabase& db = *CurrentDatabase;
  if (db.type == CFamilyDatabase::kCurrentFormat) return db.engine.get();
  ShowUnknownFileType(res::kIdsUnknownFileType, call);
  return nullptr;
}

// The same without any message (the calls whose other types answer silently).
inline ORV3* EngineQuiet() {
  CFamilyDatabase& db = *CurrentDatabase;
  return db.type == CFamilyDatabase::kCurrentFormat ? db.engine.get() : nullptr;
}

// The open database when it is an old-format family, whose reads go to its
// reader (orv2::); null otherwise.
inline CFamilyDatabase* OldFormat() {
  CFamilyDatabase& db = *CurrentDatabase;
  return db.type == CFamilyDatabase::kOldFormat ? &db : nullptr;
}

}  // namespace dbcall
