// The record calls: the four calls by record type dispatch through the
// table of record types (RecordTypes.cpp); here are the record numbers by
// kind and mode, the individual read at a detail level and the default
// event types.
#include "RecordCalls.h"
#include "BlockStore.h"

#include <vector>

#include "AlphaIndexFile.h"
#include "CodePage.h"
#include "CustomEventTable.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "IndividualRecord.h"
#include "ORV3.h"
#include "Ports.h"
#include "RecordMaps.h"
#include "RecordTypes.h"

using namespace orv;
namespace maps = orv::maps;

namespace {

void Yo(const char* text) { plat::MessageBox(text, "Yo", plat::kMbOk); }

}  // namespace

RecordCalls::RecordCalls(ORV3& engine)
    : engine_(engine),
      blocks_(engine.Blocks()),
      records_(engine.Records()),
      trees_(engine.Trees()) {}

// ---- the calls by record type ----------------------------------------------

int RecordCalls::O3_GetRecord(std::int32_t number, int type, RecordRef rec, int detail, int mode,
                              int flag) {
  BlockStore::ReadScope reading(blocks_);
  const RecordTypes::Entry* entry = RecordTypes::Find(type);
  // Resolve the number in the mode's walk.
  if (entry && entry->walk != 0) number = GetRIN(number, entry->walk, mode);
  if (number <= 0 && (!entry || entry->needsNumber)) return 0;
  if (!entry || !entry->read) {
    Yo("Bad type in O3_GetRecord");
    return 0;
  }
  return entry->read(engine_, number, type, rec, detail, flag);
}

std::int32_t RecordCalls::AddRecord(int type, bool reuse, RecordRef rec) {
  const RecordTypes::Entry* entry = RecordTypes::Find(type);
  if (!entry || !entry->add) {
    plat::MessageBox("Unknown Record Type", "AddRecord", plat::kMbOk);
    return 0;
  }
  // Outside a batch an add reaches the file whole or not at all: one that
  // fails (a full disk) leaves nothing of it.
  BlockStore::EditScope edit(blocks_);
  const std::int32_t added = entry->add(engine_, reuse, rec);
  if (added <= 0) {
    edit.GiveUp();
    return 0;
  }
  return edit.End() ? added : 0;
}

int RecordCalls::UpdateRecord(std::int32_t number, int type, RecordRef rec, int) {
  const RecordTypes::Entry* entry = RecordTypes::Find(type);
  if (!entry || !entry->update) {
    plat::MessageBox("Bad Type", "UpdateRecord", plat::kMbOk);
    return 0;
  }
  BlockStore::EditScope edit(blocks_);
  const int updated = entry->update(engine_, number, type, rec);
  if (updated == 0) edit.GiveUp();
  return edit.End() ? updated : 0;
}

int RecordCalls::DllDeleteRecord(std::int32_t number, int type) {
  const RecordTypes::Entry* entry = RecordTypes::Find(type);
  if (!entry || !entry->remove) {
    Yo("Bad Relation Type in DllDeleteRecord");
    return 0;
  }
  BlockStore::EditScope edit(blocks_);
  const int removed = entry->remove(engine_, number);
  if (removed == 0) edit.GiveUp();
  return edit.End() ? removed : 0;
}

// ---- record numbers -------------------------------------------------------

std::int32_t RecordCalls::GetRIN(std::int32_t number, int kind, int mode) {
  BlockStore::ReadScope reading(blocks_);
  const auto all = [](std::int32_t) { return true; };
  switch (kind) {
    case db::kQueryIndividuals:
      return trees_.WalkByNumber(RecordKind::Individual, number, mode);
    case db::kQueryMarriages:
      return trees_.WalkByNumber(RecordKind::Marriage, number, mode);
    case db::kQuerySources:
      return trees_.WalkByNumber(RecordKind::Source, number, mode);
    case db::kQueryRepositories:
      return trees_.WalkByNumber(RecordKind::Repository, number, mode);
    case db::kQueryNamePositions:
    case db::kQueryIndividualPositions:
      return trees_.NumberWalk(number, mode, trees_.NameIndexEntries(), all);
    case db::kQueryDeletedMarriages:
    case db::kQueryDeletedIndividuals: {
      const RecordKind k =
          kind == db::kQueryDeletedMarriages ? RecordKind::Marriage : RecordKind::Individual;
      const RecordLayout& l = LayoutOf(k);
      if (number == 0) return blocks_.Head().I32(l.chainHeadField);
      std::vector<std::uint8_t> buf(l.size);
      if (records_.IsLive(k, number, buf.data()) != -1) return 0;
      return GetI32(buf.data() + l.linkOffset);
    }
    case db::kQuerySourcePositions:
    case db::kQueryRepositoryPositions: {
      AlphaIndexFile* index = trees_.AlphaIndex(
          kind == db::kQuerySourcePositions ? RecordKind::Source : RecordKind::Repository);
      if (!index) return 0;
      return trees_.NumberWalk(number, mode, index->Entries(), all);
    }
    default:
      Yo("Unknown Type in GetRIN");
      return 0;
  }
}

std::int32_t RecordCalls::GetRIN(const std::string& text, int kind, int mode) {
  BlockStore::ReadScope reading(blocks_);
  switch (kind) {
    case db::kQueryNameText: {
      const std::int32_t rin = trees_.FindByName(RecordKind::Individual, text, mode);
      return rin > 0 ? trees_.NameIndexPositionOf(rin) : 0;
    }
    case db::kQuerySourceTitle:
    case db::kQueryRepositoryName: {
      const RecordKind k =
          kind == db::kQuerySourceTitle ? RecordKind::Source : RecordKind::Repository;
      const std::int32_t r = trees_.FindByName(k, text, mode);
      if (r <= 0) return 0;
      AlphaIndexFile* index = trees_.AlphaIndex(k);
      return index ? index->PositionOf(r) : 0;
    }
    default:
      Yo("Unknown Type in GetRIN");
      return 0;
  }
}

int RecordCalls::ReadIndividualRecord(std::int32_t rin, CIndividualRecord& rec, int level) {
  BlockStore::ReadScope reading(blocks_);
  std::uint8_t buf[IndividualRec::kSize];
  if (records_.IsLive(RecordKind::Individual, rin, buf) != 1) return 0;
  IndividualRec person;
  if (!records_.ReadIndividual(rin, person)) return 0;
  IndividualExtRec ext;
  records_.ReadIndividualExt(rin, ext);
  maps::LoadIndividual(engine_, rin, person, ext, rec, PlanForLevel(level));
  return 1;
}

// ---- default event types -------------------------------------------------

int RecordCalls::AddDefaultEventTypes(const std::set<std::string>& skipTitles) {
  const CCustomEventTable& table = CustomEventTable();
  int added = 0;
  for (int i = 0; i < table.GetSize(); ++i) {
    const CEventTypeRecord* row = table.GetAt(i);
    if (!row || skipTitles.count(plat::AnsiLower(row->title)) != 0) continue;
    const std::int32_t t = records_.NewRecord(RecordKind::EventType, true);
    if (t <= 0) {
      Yo("Problem adding event type");
      return 0;
    }
    if (!RecordTypes::StoreEventType(engine_, t, *row, true)) {
      Yo("Problem updating event type");
      return 0;
    }
    added = 1;
  }
  return added;
}
