#pragma once
// The record calls: reads, adds, updates and deletes of call-interface
// objects by record type (RecordRef.h), record numbers and index positions
// by kind and mode, and the default event types of a new file.
//
// Keeps: nothing of its own.
// Guarantees: a call whose object does not match its type fails without
// touching the object; each record type's read, add, update and delete are
// one entry of a table (RecordTypes.h), so a type behaves the same in every
// call; a failed add or update shows its type's message once.
// Needs: the owner and every part below it (the record types and the record
// maps convert between stored records and objects through the owner).

#include <cstdint>
#include <set>
#include <string>

#include "DbCodes.h"
#include "RecordRef.h"

class BlockStore;
class CIndividualRecord;
class ORV3;
class RecordStore;
class RecordTrees;

class RecordCalls {
 public:
  explicit RecordCalls(ORV3& engine);
  RecordCalls(const RecordCalls&) = delete;
  RecordCalls& operator=(const RecordCalls&) = delete;

  // Reads record number of an API type into rec, which must be of the
  // type's class; the number is resolved by mode (db::WalkMode) for
  // kIndividual, kMarriage, kAlphaNameFound, kAlphaName, kIndividualAtName,
  // kSource and kRepository. detail: individuals at level 10 when
  // non-zero, else 9 when flag is non-zero, else 8; marriages count their
  // children when detail is non-zero. 1 read; 0 none, not live, bad type or
  // wrong object.
  int O3_GetRecord(std::int32_t number, int type, RecordRef rec, int detail = 0,
                   int mode = db::kWalkExact, int flag = 0);
  // A new record of the type (individual, marriage, source, repository,
  // citation, user event, event type, family link, contact, multimedia)
  // filled from rec when one is given (monostate: an empty record); reuse
  // takes the head of the delete chain first. The number, or 0.
  std::int32_t AddRecord(int type, bool reuse, RecordRef rec = {});
  // Rewrites record number of the type from rec (kMarriageNoteBlock,
  // kIndividualNoteBlock: rec is the note block number). 1, or 0 on a
  // failure (its message shown once).
  int UpdateRecord(std::int32_t number, int type, RecordRef rec, int flag = 0);
  // Deletes a record (the types AddRecord takes but contacts) or frees the
  // note chain from number (kNoteBlock). 1, or 0 on a failure or a bad type.
  int DllDeleteRecord(std::int32_t number, int type);
  // Record numbers and index positions by kind (db::QueryKind: the number
  // walks, or the text kinds kQueryNameText, kQuerySourceTitle and
  // kQueryRepositoryName) and mode. 0 none.
  std::int32_t GetRIN(std::int32_t number, int kind, int mode = db::kWalkExact);
  std::int32_t GetRIN(const std::string& text, int kind, int mode = db::kWalkExact);
  // An individual at a detail level (1 to 11; PlanForLevel). 1, or 0 when
  // it is not live.
  int ReadIndividualRecord(std::int32_t rin, CIndividualRecord& rec, int level);
  // One event type per row of the custom event table whose lower-cased title
  // is not in skipTitles; 1 when any was added, 0 when none was, or when a
  // number could not be had or a write failed (the rows after it are not
  // added).
  int AddDefaultEventTypes(const std::set<std::string>& skipTitles = {});

 private:
  ORV3& engine_;
  BlockStore& blocks_;
  RecordStore& records_;
  RecordTrees& trees_;
};
