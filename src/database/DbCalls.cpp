// The database calls of batch mode, counts, records, string stores and the
// record-change log.
#include "DbCalls.h"

#include <algorithm>

#include "Ansel.h"
#include "AnselCompare.h"
#include "ChangeLog.h"
#include "CodePage.h"
#include "DbCodes.h"
#include "DbDispatch.h"
#include "EventTypeRecord.h"
#include "Orv2Reader.h"
#include "Ports.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"
#include "StringIds.h"
#include "StringTable.h"
#include "UserEventRecord.h"

using dbcall::Engine;
using dbcall::EngineQuiet;
using dbcall::OldFormat;

namespace {

constexpr std::size_t kMaxStringEntry = 255;

// Offsets of the individual's time fields.
constexpr int kLastUpdateField = 258;
constexpr int kStirpbankField = 262;
constexpr int kLinerollField = 266;

void BadType(const char* caption) { plat::MessageBox("Bad Type", caption, plat::kMbOk); }

// The text a source or repository record gives its log line.
const std::string* LogTextOf(int type, const RecordRef& record) {
  if (type == db::kSource)
    if (auto* const* s = std::get_if<CSourceRecord*>(&record); s && *s) return &(*s)->title;
  if (type == db::kRepository)
    if (auto* const* r = std::get_if<CRepositoryRecord*>(&record); r && *r) return &(*r)->name;
  return nullptr;
}

// Leading and trailing blanks and control characters removed, at most 255
// characters kept.
std::string Trimmed(const std::string& text) {
  std::size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return text.substr(b, std::min(e - b, kMaxStringEntry));
}

}  // namespace

// ---- the change log of record changes ----

void LogRecordChange(char action, std::int32_t number, int type, std::int32_t second,
                     const std::string* text) {
  if (!CurrentDatabase->host.logChanges || number == 0) return;
  char kind = 0;
  switch (type) {
    case db::kIndividual:
      kind = db::kLogIndividual;
      break;
    case db::kMarriage:
      kind = db::kLogMarriage;
      break;
    case db::kSource:
      kind = db::kLogSource;
      break;
    case db::kRepository:
      kind = db::kLogRepository;
      break;
    default:
      return;
  }
  DbLogChange(kind, action, number, second, text ? text->c_str() : nullptr);
}

// ---- batch mode, flush, counts ----

void DbFlush() {
  CFamilyDatabase& db = *CurrentDatabase;
  if (db.type != CFamilyDatabase::kCurrentFormat) {
    if (db.engine) ShowUnknownFileType(res::kIdsUnknownFileType, 4);
    return;
  }
  if (db.engine) db.engine->Blocks().Flush();
}

int DbAddMissingEventTypes() {
  ORV3* e = EngineQuiet();
  if (e == nullptr || CurrentDatabase->host.readOnly) return 0;
  return e->AddMissingEventTypes();
}

void DbBeginBatch() {
  if (ORV3* e = Engine(4)) e->Blocks().BeginBatch();
}

int DbEndBatch() {
  ORV3* e = Engine(4);
  return e != nullptr && e->Blocks().EndBatch() ? 1 : 0;
}

int DbGetRelationCount(std::int32_t rin, int relation, int, int isIndividual) {
  if (CFamilyDatabase* old = OldFormat())
    return orv2::RelationCount(*old, rin, relation, isIndividual);
  ORV3* e = EngineQuiet();
  if (!e) return -1;
  return e->Families().GetRelationCount(rin, relation, isIndividual != 0);
}

std::int32_t DbGetRIN(std::int32_t rin, int kind, int mode) {
  if (CFamilyDatabase* old = OldFormat()) return orv2::GetRIN(*old, rin, kind, mode);
  ORV3* e = Engine(5);
  if (!e) return 0;
  return e->Calls().GetRIN(rin, kind, mode);
}

std::int32_t DbGetRIN(const std::string& text, int kind, int mode) {
  if (OldFormat()) return 0;
  ORV3* e = Engine(5);
  if (!e) return 0;
  return e->Calls().GetRIN(text, kind, mode);
}

int DbGetNameTreeLinks(std::int32_t rin, std::int32_t& lesser, std::int32_t& greater) {
  lesser = greater = 0;
  ORV3* e = Engine(50);
  if (!e) return 0;
  return e->Trees().GetTreeChildren(rin, lesser, greater);
}

std::int32_t DbGetMaxRecordCount(int type) {
  CFamilyDatabase& db = *CurrentDatabase;
  if (db.type == CFamilyDatabase::kCurrentFormat) return DbGetRecordCount(type);
  if (db.type == CFamilyDatabase::kOldFormat) {
    // The counts the old format's open took from its files' sizes.
    switch (type) {
      case db::kIndividual:
        return db.host.highestIndividual;
      case db::kMarriage:
        return db.host.highestMarriage;
      case db::kNoteBlock:
        return db.host.noteBlocks;
      case db::kNameEntry:
        return db.host.nameEntries;
      default:
        BadType("DllGetMaxRecordCount");
        return -1;
    }
  }
  ShowUnknownFileType(res::kIdsUnknownFileType, 5);
  return 0;
}

std::int32_t DbGetActiveRecordCount(int type) {
  const EngineHost& host = CurrentDatabase->host;
  if (type == db::kIndividual) return host.liveIndividuals;
  if (type == db::kMarriage) return host.liveMarriages;
  BadType("DllGetActiveRecordCount");
  return -1;
}

std::string DbGetFormatVersion() {
  ORV3* e = Engine(6);
  return e ? e->Blocks().GetFormatVersion() : std::string();
}

int DbWriteFailures() {
  ORV3* e = Engine(6);
  return e ? e->Blocks().TimesTold(BlockStore::kWriteErrorKind) : 0;
}

std::int32_t DbGetRecordCount(int type) {
  if (CFamilyDatabase* old = OldFormat()) return orv2::RecordCount(*old, type);
  ORV3* e = Engine(6);
  return e ? e->Records().GetRecordCount(type) : 0;
}

// ---- records ----

int DbGetRecord(std::int32_t rin, int type, RecordRef record, int detail, int mode, int, int flag) {
  if (CFamilyDatabase* old = OldFormat())
    return orv2::GetRecord(*old, rin, type, record, detail, mode);
  ORV3* e = Engine(15);
  if (!e) return 0;
  return e->Calls().O3_GetRecord(rin, type, record, detail, mode, flag) >= 1 ? 1 : 0;
}

int DbGetIndividualRecord(std::int32_t rin, CIndividualRecord& record, int level) {
  if (CFamilyDatabase* old = OldFormat())
    return orv2::GetRecord(*old, rin, db::kIndividual, &record, level, db::kWalkExact);
  ORV3* e = Engine(13);
  if (!e) return 0;
  return e->Calls().ReadIndividualRecord(rin, record, level) == 1 ? 1 : 0;
}

std::int32_t DbAddRecord(int type, int flag, RecordRef record) {
  ORV3* e = Engine(22);
  if (!e) return 0;
  const std::int32_t n = e->Calls().AddRecord(type, flag != 0, record);
  if (n > 0) LogRecordChange(db::kLogAdd, n, type, 0, LogTextOf(type, record));
  return n > 0 ? n : 0;
}

int DbUpdateRecord(std::int32_t rin, int type, RecordRef record, int flag) {
  ORV3* e = Engine(24);
  if (!e) return 0;
  const int result = e->Calls().UpdateRecord(rin, type, record, flag);
  if (result == 1) LogRecordChange(db::kLogModify, rin, type, 0, LogTextOf(type, record));
  return result;
}

int DbDeleteRecord(std::int32_t rin, int type) {
  ORV3* e = Engine(25);
  if (!e) return 0;
  // The engine also answers 1 for a record that was not live, which deletes
  // nothing and writes no line. A source or repository line names the
  // record, which must be read before it goes.
  std::string name;
  bool wasLive = false;
  if (CurrentDatabase->host.logChanges) {
    switch (type) {
      case db::kIndividual:
        wasLive = e->Records().IsLive(orv::RecordKind::Individual, rin) == 1;
        break;
      case db::kMarriage:
        wasLive = e->Records().IsLive(orv::RecordKind::Marriage, rin) == 1;
        break;
      case db::kSource:
        wasLive = e->Records().IsLive(orv::RecordKind::Source, rin) == 1;
        if (wasLive) name = e->Trees().GelAlphaName(rin, orv::kBlockSources);
        break;
      case db::kRepository:
        wasLive = e->Records().IsLive(orv::RecordKind::Repository, rin) == 1;
        if (wasLive) name = e->Trees().GelAlphaName(rin, orv::kBlockRepositories);
        break;
      default:
        break;
    }
  }
  const int result = e->Calls().DllDeleteRecord(rin, type) == 1 ? 1 : 0;
  if (result == 1 && wasLive)
    LogRecordChange(db::kLogDelete, rin, type, 0,
                    type == db::kSource || type == db::kRepository ? &name : nullptr);
  return result;
}

int DbIsRecordDeleted(int type, std::int32_t rin) {
  if (CFamilyDatabase* old = OldFormat()) return orv2::IsDeleted(*old, type, rin);
  ORV3* e = Engine(28);
  return e ? e->Fields().IsRecordDeleted(type, rin) : 0;
}

int DbSetIndividualUpdateTime(std::int32_t rin, int type, std::int32_t value) {
  ORV3* e = EngineQuiet();
  if (!e || type != db::kIndividual) return 0;
  return e->Fields().SetIndividualTimeField(rin, kLastUpdateField, value);
}

int DbSetSubmittedStirpbankDate(std::int32_t rin, int, std::int32_t time) {
  ORV3* e = EngineQuiet();
  return e ? e->Fields().SetIndividualTimeField(rin, kStirpbankField, time) : 0;
}

int DbSetSubmittedLinerollDate(std::int32_t rin, int, std::int32_t time) {
  ORV3* e = EngineQuiet();
  return e ? e->Fields().SetIndividualTimeField(rin, kLinerollField, time) : 0;
}

int DbSetRelationshipIndicator(std::int32_t rin, const std::string& text) {
  ORV3* e = Engine(14);
  return e ? e->Fields().SetRelationshipIndicator(rin, text) : 0;
}

int DbReplaceCitationSource(std::int32_t oldSource, std::int32_t newSource) {
  ORV3* e = Engine(16);
  return e ? e->Fields().ReplaceCitationSource(oldSource, newSource) : 0;
}

int DbReplaceSourceRepository(std::int32_t oldRepository, std::int32_t newRepository) {
  ORV3* e = Engine(16);
  return e ? e->Fields().ReplaceSourceRepository(oldRepository, newRepository) : 0;
}

int DbGetUserEventTitle(std::int32_t rin, std::string& out) {
  out.clear();
  if (!Engine(16)) return 0;
  CUserEventRecord event;
  const int read = DbGetRecord(rin, CUserEventRecord::kRecordType, &event);
  if (read <= 0) return read;
  CEventTypeRecord eventType;
  if (event.eventTypeNumber != 0 &&
      DbGetRecord(event.eventTypeNumber, CEventTypeRecord::kRecordType, &eventType) == 1)
    out = eventType.title;
  else
    out = res::LoadString(res::kIdsChristening);
  return 1;
}

std::int32_t DbFindEventType(const std::string& title, CEventTypeRecord& record) {
  ORV3* e = EngineQuiet();
  return e ? e->Fields().FindEventType(title, record) : 0;
}

int DbGetSealingStatus(std::int32_t rin, int type) {
  if (CFamilyDatabase* old = OldFormat()) return orv2::SealingStatus(*old, rin, type);
  ORV3* e = Engine(39);
  return e ? e->Fields().SealingState(rin, type) : 0;
}

int DbGetChildrenOrdinanceStatus(std::int32_t rin, int type) {
  if (CFamilyDatabase* old = OldFormat()) return orv2::ChildrenOrdinanceStatus(*old, rin, type);
  ORV3* e = Engine(40);
  return e ? e->Fields().FamilyOrdinanceState(rin, type) : 0;
}

// ---- string stores ----

int DbFindString(const std::string& text, int kind, std::string& out) {
  out.clear();
  ORV3* e = Engine(37);
  return e ? e->Strings().FindText(text, kind, out) : 0;
}

std::int32_t DbFindStringPosition(const std::string& text, int kind) {
  if (text.empty()) return 0;
  ORV3* e = Engine(37);
  if (!e) return 0;
  std::int32_t parent = 0;
  const std::int32_t found = e->Strings().FindString(text, kind, parent);
  return found > 0 ? found : 0;
}

int DbGetString(std::int32_t position, std::string& out) {
  if (CFamilyDatabase* old = OldFormat()) {
    out = orv2::NameEntry(*old, position);
    return out.empty() ? 0 : 1;
  }
  out.clear();
  ORV3* e = Engine(37);
  if (!e || e->Strings().GetText(position, out) != 1) {
    out.clear();
    return 0;
  }
  if (out.size() > kMaxStringEntry) out.resize(kMaxStringEntry);
  return 1;
}

std::int32_t DbFindOrAddString(const std::string& text, int kind, std::string& out) {
  out.clear();
  ORV3* e = Engine(38);
  if (!e) return 0;
  const std::int32_t position = e->Strings().FindOrAddString(text, kind);
  if (position > 0) e->Strings().GetText(position, out);
  return position > 0 ? position : 0;
}

int DbAlphaCompare(const std::string& text1, const std::string& text2, int trim) {
  if (CurrentDatabase->type != CFamilyDatabase::kCurrentFormat) {
    ShowUnknownFileType(res::kIdsUnknownFileType, 45);
    return -1;
  }
  const std::string a = trim ? Trimmed(text1) : text1;
  const std::string b = trim ? Trimmed(text2) : text2;
  return anselcmp(AnsiToAnsel(a), AnsiToAnsel(b));
}

int DbCompareNames(const std::string& a, const std::string& b, int convert) {
  if (CurrentDatabase->type != CFamilyDatabase::kCurrentFormat) {
    ShowUnknownFileType(res::kIdsUnknownFileType, 45);
    return -1;
  }
  return AlphaCompareCommon(a, b, convert != 0, false);
}

// ---- helpers ----

std::string CapitalizeIfNoCapitals(const std::string& text) {
  const bool hasUpper = std::any_of(text.begin(), text.end(), [](char c) {
    return plat::IsAnsiUpper(static_cast<unsigned char>(c));
  });
  std::string out = text;
  if (!hasUpper && !out.empty())
    out[0] = static_cast<char>(plat::AnsiToUpper(static_cast<unsigned char>(out[0])));
  return out;
}
