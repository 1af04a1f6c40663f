// Small field accessors of the engine: deleted marks, sex, parents, event
// types by title, time fields, labels, multimedia paths, replacements and
// ordinance states.
#include "FieldAccessors.h"

#include <algorithm>

#include "Ansel.h"
#include "CodePage.h"
#include "DateValue.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FamilyLinks.h"
#include "ORV3.h"
#include "Ports.h"
#include "RecordMaps.h"
#include "RecordStore.h"
#include "StringIds.h"
#include "StringStores.h"
#include "StringTable.h"

using namespace orv;
namespace maps = orv::maps;

namespace {

int StateOf(ORV3& e, const PackedOrdinance& o, char letter) {
  CDateValue date;
  maps::LoadDate(e, o.date, date);
  return CDateValue::GetOrdinanceState(&date, letter);
}

// Walks the live records of Rec's kind from the highest number down and
// points every reference (the member) to from at to. 1, or 0 when a record
// could not be read or written (the walk stops there).
template <class Rec>
int ReplaceReference(RecordStore& records, std::int32_t Rec::*member, std::int32_t from,
                     std::int32_t to) {
  for (std::int32_t r = records.Highest(Rec::kKind); r >= 1; --r) {
    Rec rec;
    const int live = records.IsLive(Rec::kKind, r);
    if (live == -1) continue;
    if (live != 1 || !records.Read(r, rec)) return 0;
    if (rec.*member != from) continue;
    rec.*member = to;
    if (!records.Write(r, rec)) return 0;
  }
  return 1;
}

}  // namespace

FieldAccessors::FieldAccessors(ORV3& engine, EngineHost* host, RecordStore& records,
                               StringStores& strings, FamilyLinks& families)
    : engine_(engine), host_(host), records_(records), strings_(strings), families_(families) {}

int FieldAccessors::IsRecordDeleted(int type, std::int32_t number) {
  RecordKind kind;
  std::uint8_t mark;
  switch (type) {
    case db::kIndividual:
      kind = RecordKind::Individual, mark = 'D';
      break;
    case db::kMarriage:
      kind = RecordKind::Marriage, mark = 'D';
      break;
    case db::kFamilyLink:
      kind = RecordKind::FamilyLink, mark = 'D';
      break;
    case db::kSource:
      kind = RecordKind::Source, mark = 'Y';
      break;
    case db::kRepository:
      kind = RecordKind::Repository, mark = 'Y';
      break;
    case db::kCitation:
      kind = RecordKind::Citation, mark = 'Y';
      break;
    default:
      return 0;
  }
  std::vector<std::uint8_t> buf(LayoutOf(kind).size);
  if (!records_.ReadRaw(kind, number, buf.data())) return 0;
  return buf[0] == mark ? 1 : 0;
}

int FieldAccessors::GetSex(std::int32_t rin) {
  std::uint8_t buf[IndividualRec::kSize];
  if (!records_.ReadRaw(RecordKind::Individual, rin, buf)) return 0;
  return buf[0];
}

int FieldAccessors::HasParents(std::int32_t rin) {
  IndividualRec person;
  if (records_.IsLive(RecordKind::Individual, rin) != 1 || !records_.Read(rin, person)) return 0;
  if (person.firstParentLink <= 0) return 0;
  FamilyLinkRec link;
  if (records_.IsLive(RecordKind::FamilyLink, person.firstParentLink) != 1 ||
      !records_.Read(person.firstParentLink, link))
    return 0;
  return link.marriage > 0 ? 1 : 0;
}

std::int32_t FieldAccessors::FindEventType(const std::string& title, CEventTypeRecord& rec) {
  const std::int32_t highest = records_.Highest(RecordKind::EventType);
  for (std::int32_t t = 1; t <= highest; ++t) {
    EventTypeRec stored;
    if (records_.IsLive(RecordKind::EventType, t) != 1 || !records_.Read(t, stored)) continue;
    if (strings_.GetText(stored.title) == title) {
      maps::LoadEventType(engine_, t, stored, rec, true);
      return t;
    }
  }
  return 0;
}

int FieldAccessors::SetIndividualTimeField(std::int32_t rin, int offset, std::int32_t value) {
  if (offset != 258 && offset != 262 && offset != 266) return 0;
  std::uint8_t buf[IndividualRec::kSize];
  if (records_.IsLive(RecordKind::Individual, rin, buf) != 1) return 0;
  PutI32(buf + offset, value);
  return records_.WriteRaw(RecordKind::Individual, rin, buf);
}

int FieldAccessors::GetChristeningLabel(std::int32_t rin, std::string& out) {
  out = res::LoadString(res::kIdsChristening);
  const int live = records_.IsLive(RecordKind::Individual, rin);
  if (live != 1) return live;
  IndividualExtRec ext;
  records_.ReadIndividualExt(rin, ext);
  EventTypeRec type;
  if (ext.christeningLabel > 0 &&
      records_.IsLive(RecordKind::EventType, ext.christeningLabel) == 1 &&
      records_.Read(ext.christeningLabel, type)) {
    CEventTypeRecord rec;
    maps::LoadEventType(engine_, ext.christeningLabel, type, rec, true);
    out = rec.title;
  }
  return live;
}

int FieldAccessors::SetRelationshipIndicator(std::int32_t rin, const std::string& text) {
  if (records_.IsLive(RecordKind::Individual, rin) != 1) return 0;
  IndividualExtRec ext;
  if (!records_.ReadIndividualExt(rin, ext)) return 0;
  strings_.SetTextReference(text, maps::kKindOther, ext.relationshipText);
  return records_.Write(rin, ext);
}

int FieldAccessors::ChangeMultimediaFolder(const std::string& oldFolder,
                                           const std::string& newFolder) {
  if (host_->readOnly) return 0;
  auto folderOf = [](const std::string& path) {
    const auto cut = path.find_last_of("/\\:");
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
  };
  auto strip = [](std::string f) {
    while (!f.empty() && (f.back() == '/' || f.back() == '\\')) f.pop_back();
    return f;
  };
  const std::string from = strip(oldFolder);
  int changed = 0;
  const std::int32_t highest = records_.Highest(RecordKind::Multimedia);
  for (std::int32_t m = 1; m <= highest; ++m) {
    MultimediaRec item;
    if (records_.IsLive(RecordKind::Multimedia, m) != 1 || !records_.Read(m, item)) continue;
    const std::string path = strings_.GetText(item.path);
    // The path's first line is the file; a photo disc's label may follow.
    const auto lineEnd = path.find('\n');
    const std::string file = path.substr(0, lineEnd);
    const std::string folder = folderOf(file);
    if (plat::CompareAnsi(folder, from, true) != 0) continue;
    const std::string rest = path.substr(folder.size());
    strings_.SetTextReference(strip(newFolder) + rest, maps::kKindOther5, item.path);
    if (records_.Write(m, item)) ++changed;
  }
  return changed;
}

int FieldAccessors::ReplaceCitationSource(std::int32_t oldSource, std::int32_t newSource) {
  return ReplaceReference(records_, &CitationRec::source, oldSource, newSource);
}

int FieldAccessors::ReplaceSourceRepository(std::int32_t oldRepository,
                                            std::int32_t newRepository) {
  return ReplaceReference(records_, &SourceRec::repository, oldRepository, newRepository);
}

int FieldAccessors::SealingState(std::int32_t record, int type) {
  std::int32_t mrin = record;
  if (type == db::kIndividual) {
    IndividualRec person;
    if (records_.IsLive(RecordKind::Individual, record) != 1 || !records_.Read(record, person))
      return -1;
    mrin = person.firstMarriage;
  }
  MarriageRec m;
  if (records_.IsLive(RecordKind::Marriage, mrin) != 1 || !records_.Read(mrin, m)) return -1;
  return StateOf(engine_, m.sealing, 'S');
}

int FieldAccessors::IndividualOrdinanceState(std::int32_t rin, std::int32_t marriage) {
  IndividualRec person;
  if (records_.IsLive(RecordKind::Individual, rin) != 1 || !records_.Read(rin, person)) return 0;
  std::vector<int> states;
  const int baptism = StateOf(engine_, person.baptism, 'B');
  states.push_back(baptism);
  states.push_back(StateOf(engine_, person.endowment, 'E'));
  // The sealing to parents of the first parent link to the marriage, or of
  // every parent link for -1.
  for (std::int32_t l : families_.Ring(FamilyLinks::kParents, rin)) {
    FamilyLinkRec link;
    if (!records_.Read(l, link)) continue;
    if (marriage != -1 && link.marriage != marriage) continue;
    states.push_back(StateOf(engine_, link.sealing, 'P'));
    if (marriage != -1) break;
  }
  std::vector<std::int32_t> marriages;
  families_.GetRelationList(marriages, db::kRelSpouses, 0, rin);
  for (std::int32_t m : marriages) {
    MarriageRec rec;
    if (records_.IsLive(RecordKind::Marriage, m) == 1 && records_.Read(m, rec))
      states.push_back(StateOf(engine_, rec.sealing, 'S'));
  }
  if (std::find(states.begin(), states.end(), 0) != states.end()) return 0;
  if (std::find(states.begin(), states.end(), 3) != states.end()) return 3;
  return baptism;
}

int FieldAccessors::FamilyOrdinanceState(std::int32_t record, int type) {
  std::int32_t mrin = record;
  if (type == db::kIndividual) {
    IndividualRec person;
    if (records_.IsLive(RecordKind::Individual, record) != 1 || !records_.Read(record, person))
      return 0;
    mrin = person.firstMarriage;
  }
  std::vector<std::int32_t> children;
  if (families_.GetRelation(mrin, db::kRelChildren, 0x7fffffff, children) != 1 || children.empty())
    return 0;
  int state = 0;
  bool any3 = false;
  for (std::int32_t child : children) {
    if (child <= 0) continue;
    state = IndividualOrdinanceState(child, mrin);
    if (state == 0) return 0;
    if (state == 3) any3 = true;
  }
  return any3 ? 3 : state;
}
