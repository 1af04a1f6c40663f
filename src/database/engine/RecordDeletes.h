#pragma once
// The deletes: each takes its record out of everything that names it (its
// tree, families, chains, notes, multimedia items, extension) and then puts
// it on its kind's delete chain.
//
// Keeps: nothing of its own.
// Guarantees: deleting a record that is not live succeeds and changes
// nothing; the cascades delete what only the record could reach (its notes,
// citations, user events, contact and multimedia items; a source's
// citations) and clear what others keep of it (a repository named by
// sources); the host's live counts follow individuals and marriages.
// Needs: RecordStore for the records and delete chains, RecordTrees,
// NoteChains, FamilyLinks and OwnerChains for what a record is taken out of.

#include <cstdint>

#include "Records.h"

struct EngineHost;
class FamilyLinks;
class NoteChains;
class OwnerChains;
class RecordStore;
class RecordTrees;

class RecordDeletes {
 public:
  RecordDeletes(EngineHost* host, RecordStore& records, RecordTrees& trees, NoteChains& notes,
                FamilyLinks& families, OwnerChains& owners);
  RecordDeletes(const RecordDeletes&) = delete;
  RecordDeletes& operator=(const RecordDeletes&) = delete;

  // Each returns 1 when deleted or not live, 0 when a write failed; kinds
  // without a delete (note blocks, extensions) answer 0.
  int DeleteRecord(orv::RecordKind kind, std::int32_t r);
  int DeleteIndividual(std::int32_t rin);
  int DeleteMarriage(std::int32_t mrin);
  int DeleteFamilyLink(std::int32_t link);
  int DeleteCitation(std::int32_t citation);
  int DeleteSource(std::int32_t source);
  int DeleteRepository(std::int32_t repository);
  int DeleteUserEvent(std::int32_t event);
  int DeleteEventType(std::int32_t type);
  int DeleteContact(std::int32_t contact);
  int DeleteMultimedia(std::int32_t item);

 private:
  // Deletes the live citations or user events of the chain from first.
  void DeleteChain(orv::RecordKind kind, std::int32_t first);

  EngineHost* host_;
  RecordStore& records_;
  RecordTrees& trees_;
  NoteChains& notes_;
  FamilyLinks& families_;
  OwnerChains& owners_;
};
