#pragma once
// Field accessors: single facts of a record read or changed without going
// through a whole call-interface object (deleted marks, sex, parents, event
// types by title, time fields, the christening label, the relationship
// indicator, multimedia paths, reference replacements, ordinance states).
//
// Keeps: nothing of its own.
// Guarantees: a change writes only the record it names (the replacements
// walk every live record of the kind from the highest number down and stop
// at the first that cannot be read or written).
// Needs: the owner (for the record maps' texts and dates), RecordStore,
// StringStores and FamilyLinks.

#include <cstdint>
#include <string>

class CEventTypeRecord;
class FamilyLinks;
class ORV3;
class RecordStore;
class StringStores;
struct EngineHost;

class FieldAccessors {
 public:
  FieldAccessors(ORV3& engine, EngineHost* host, RecordStore& records, StringStores& strings,
                 FamilyLinks& families);
  FieldAccessors(const FieldAccessors&) = delete;
  FieldAccessors& operator=(const FieldAccessors&) = delete;

  // 1 when the stored record carries its type's deleted mark (individuals,
  // marriages, family links: 'D'; sources, repositories, citations: 'Y');
  // else 0.
  int IsRecordDeleted(int type, std::int32_t number);
  // The stored sex byte; 0 when the record cannot be read.
  int GetSex(std::int32_t rin);
  // 1 when a live individual's first parent link names a marriage.
  int HasParents(std::int32_t rin);
  // The first live event type (by number) whose title is exactly title; its
  // number, 0 when none.
  std::int32_t FindEventType(const std::string& title, CEventTypeRecord& rec);
  // Stores value at offset 258 (last update), 262 or 266 of a live
  // individual and writes it. 1, or 0.
  int SetIndividualTimeField(std::int32_t rin, int offset, std::int32_t value);
  // The christening's label (event type title or string 5523); returns the
  // individual's live test (1, -1, 0).
  int GetChristeningLabel(std::int32_t rin, std::string& out);
  int SetRelationshipIndicator(std::int32_t rin, const std::string& text);
  // Replaces the folder of multimedia paths; the number of items changed.
  int ChangeMultimediaFolder(const std::string& oldFolder, const std::string& newFolder);
  // 1, or 0 when a record could not be read or written (the walk stops).
  int ReplaceCitationSource(std::int32_t oldSource, std::int32_t newSource);
  int ReplaceSourceRepository(std::int32_t oldRepository, std::int32_t newRepository);
  // Ordinance states (0 nothing recorded, 1 not to be done, 2 done, 3
  // cleared or submitted).
  int SealingState(std::int32_t record, int type);
  int IndividualOrdinanceState(std::int32_t rin, std::int32_t marriage);
  int FamilyOrdinanceState(std::int32_t record, int type);

 private:
  ORV3& engine_;
  EngineHost* host_;
  RecordStore& records_;
  StringStores& strings_;
  FamilyLinks& families_;
};
