// Small field accessors of the engine: deleted marks, sex, parents, event
// types by title, tree children, time fields, labels, multimedia heads,
// replacements, ordinance states and the notes calls.

#include <algorithm>

#include "Ansel.h"
#include "CodePage.h"
#include "DateValue.h"
#include "EventTypeRecord.h"
#include "ORV3.h"
#include "Ports.h"
#include "RecordMaps.h"
#include "StringTable.h"

using namespace orv;
namespace maps = orv::maps;

int ORV3::IsRecordDeleted(int type, std::int32_t number) {
  RecordKind kind;
  std::uint8_t mark;
  switch (type) {
    case 100:
      kind = RecordKind::Individual, mark = 'D';
      break;
    case 102:
      kind = RecordKind::Marriage, mark = 'D';
      break;
    case 142:
      kind = RecordKind::FamilyLink, mark = 'D';
      break;
    case 130:
      kind = RecordKind::Source, mark = 'Y';
      break;
    case 131:
      kind = RecordKind::Repository, mark = 'Y';
      break;
    case 132:
      kind = RecordKind::Citation, mark = 'Y';
      break;
    default:
      return 0;
  }
  std::vector<std::uint8_t> buf(LayoutOf(kind).size);
  if (!ReadRaw(kind, number, buf.data())) return 0;
  return buf[0] == mark ? 1 : 0;
}

int ORV3::GetSex(std::int32_t rin) {
  std::uint8_t buf[IndividualRec::kSize];
  if (!ReadRaw(RecordKind::Individual, rin, buf)) return 0;
  return buf[0];
}

int ORV3::HasParents(std::int32_t rin) {
  IndividualRec person;
  if (IsLive(RecordKind::Individual, rin) != 1 || !Read(rin, person)) return 0;
  if (person.firstParentLink <= 0) return 0;
  FamilyLinkRec link;
  if (IsLive(RecordKind::FamilyLink, person.firstParentLink) != 1 ||
      !Read(person.firstParentLink, link))
    return 0;
  return link.marriage > 0 ? 1 : 0;
}

std::int32_t ORV3::FindEventType(const std::string& title, CEventTypeRecord& rec) {
  const std::int32_t highest = Highest(RecordKind::EventType);
  for (std::int32_t t = 1; t <= highest; ++t) {
    EventTypeRec stored;
    if (IsLive(RecordKind::EventType, t) != 1 || !Read(t, stored)) continue;
    if (GetText(stored.title) == title) {
      maps::LoadEventType(*this, t, stored, rec, true);
      return t;
    }
  }
  return 0;
}

int ORV3::GetTreeChildren(std::int32_t rin, std::int32_t& lesser, std::int32_t& greater) {
  lesser = greater = 0;
  IndividualRec person;
  if (IsLive(RecordKind::Individual, rin) != 1 || !Read(rin, person)) return 0;
  lesser = person.treeLesser;
  greater = person.treeGreater;
  return 1;
}

int ORV3::SetIndividualTimeField(std::int32_t rin, int offset, std::int32_t value) {
  if (offset != 258 && offset != 262 && offset != 266) return 0;
  std::uint8_t buf[IndividualRec::kSize];
  if (IsLive(RecordKind::Individual, rin, buf) != 1) return 0;
  PutI32(buf + offset, value);
  return WriteRaw(RecordKind::Individual, rin, buf);
}

int ORV3::GetChristeningLabel(std::int32_t rin, std::string& out) {
  out = res::LoadString(5523);
  const int live = IsLive(RecordKind::Individual, rin);
  if (live != 1) return live;
  IndividualExtRec ext;
  ReadIndividualExt(rin, ext);
  EventTypeRec type;
  if (ext.christeningLabel > 0 && IsLive(RecordKind::EventType, ext.christeningLabel) == 1 &&
      Read(ext.christeningLabel, type)) {
    CEventTypeRecord rec;
    maps::LoadEventType(*this, ext.christeningLabel, type, rec, true);
    out = rec.title;
  }
  return live;
}

int ORV3::SetRelationshipIndicator(std::int32_t rin, const std::string& text) {
  if (IsLive(RecordKind::Individual, rin) != 1) return 0;
  IndividualExtRec ext;
  if (!ReadIndividualExt(rin, ext)) return 0;
  SetTextReference(text, maps::kKindOther, ext.relationshipText);
  return Write(rin, ext);
}

// ---- multimedia heads -----------------------------------------------------

std::int32_t ORV3::GetMultimediaHead(std::int32_t owner, int type) {
  switch (type) {
    case 100: {
      IndividualExtRec ext;
      if (!ReadIndividualExt(owner, ext)) return -1;
      return ext.firstMultimediaLink;
    }
    case 102: {
      MarriageRec m;
      if (!Read(owner, m)) return -1;
      return m.firstMultimedia;
    }
    case 130: {
      SourceExtRec ext;
      if (!ReadSourceExt(owner, ext)) return -1;
      return ext.multimedia;
    }
    case 132: {
      CitationRec c;
      if (!Read(owner, c)) return -1;
      return c.multimedia;
    }
    default:
      return -1;
  }
}

std::int32_t ORV3::SetMultimediaHead(std::int32_t owner, int type, std::int32_t head) {
  auto set = [&](auto& rec, std::int32_t& field) -> std::int32_t {
    const std::int32_t old = field;
    if (old == head) return old;
    field = head;
    return Write(owner, rec) ? old : -1;
  };
  switch (type) {
    case 100: {
      IndividualExtRec ext;
      if (!ReadIndividualExt(owner, ext)) return -1;
      return set(ext, ext.firstMultimediaLink);
    }
    case 102: {
      MarriageRec m;
      if (!Read(owner, m)) return -1;
      return set(m, m.firstMultimedia);
    }
    case 130: {
      SourceExtRec ext;
      if (!ReadSourceExt(owner, ext)) return -1;
      return set(ext, ext.multimedia);
    }
    case 132: {
      CitationRec c;
      if (!Read(owner, c)) return -1;
      return set(c, c.multimedia);
    }
    default:
      return -1;
  }
}

int ORV3::ChangeMultimediaFolder(const std::string& oldFolder, const std::string& newFolder) {
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
  const std::int32_t highest = Highest(RecordKind::Multimedia);
  for (std::int32_t m = 1; m <= highest; ++m) {
    MultimediaRec item;
    if (IsLive(RecordKind::Multimedia, m) != 1 || !Read(m, item)) continue;
    const std::string path = GetText(item.path);
    // The path's first line is the file; a photo disc's label may follow.
    const auto lineEnd = path.find('\n');
    const std::string file = path.substr(0, lineEnd);
    const std::string folder = folderOf(file);
    if (plat::CompareAnsi(folder, from, true) != 0) continue;
    const std::string rest = path.substr(folder.size());
    SetTextReference(strip(newFolder) + rest, maps::kKindOther5, item.path);
    if (Write(m, item)) ++changed;
  }
  return changed;
}

int ORV3::ReplaceCitationSource(std::int32_t oldSource, std::int32_t newSource) {
  for (std::int32_t c = Highest(RecordKind::Citation); c >= 1; --c) {
    CitationRec rec;
    const int live = IsLive(RecordKind::Citation, c);
    if (live == -1) continue;
    if (live != 1 || !Read(c, rec)) return 0;
    if (rec.source != oldSource) continue;
    rec.source = newSource;
    if (!Write(c, rec)) return 0;
  }
  return 1;
}

int ORV3::ReplaceSourceRepository(std::int32_t oldRepository, std::int32_t newRepository) {
  for (std::int32_t s = Highest(RecordKind::Source); s >= 1; --s) {
    SourceRec rec;
    const int live = IsLive(RecordKind::Source, s);
    if (live == -1) continue;
    if (live != 1 || !Read(s, rec)) return 0;
    if (rec.repository != oldRepository) continue;
    rec.repository = newRepository;
    if (!Write(s, rec)) return 0;
  }
  return 1;
}

// ---- ordinance states -----------------------------------------------------

namespace {

int StateOf(ORV3& e, const PackedOrdinance& o, char letter) {
  CDateValue date;
  maps::LoadDate(e, o.date, date);
  return CDateValue::GetOrdinanceState(&date, letter);
}

}  // namespace

int ORV3::SealingState(std::int32_t record, int type) {
  std::int32_t mrin = record;
  if (type == 100) {
    IndividualRec person;
    if (IsLive(RecordKind::Individual, record) != 1 || !Read(record, person)) return -1;
    mrin = person.firstMarriage;
  }
  MarriageRec m;
  if (IsLive(RecordKind::Marriage, mrin) != 1 || !Read(mrin, m)) return -1;
  return StateOf(*this, m.sealing, 'S');
}

int ORV3::IndividualOrdinanceState(std::int32_t rin, std::int32_t marriage) {
  IndividualRec person;
  if (IsLive(RecordKind::Individual, rin) != 1 || !Read(rin, person)) return 0;
  std::vector<int> states;
  const int baptism = StateOf(*this, person.baptism, 'B');
  states.push_back(baptism);
  states.push_back(StateOf(*this, person.endowment, 'E'));
  // The sealing to parents of the first parent link to the marriage, or of
  // every parent link for -1.
  for (std::int32_t l : ParentsRing(rin)) {
    FamilyLinkRec link;
    if (!Read(l, link)) continue;
    if (marriage != -1 && link.marriage != marriage) continue;
    states.push_back(StateOf(*this, link.sealing, 'P'));
    if (marriage != -1) break;
  }
  std::vector<std::int32_t> marriages;
  GetRelationList(marriages, 101, 0, rin);
  for (std::int32_t m : marriages) {
    MarriageRec rec;
    if (IsLive(RecordKind::Marriage, m) == 1 && Read(m, rec))
      states.push_back(StateOf(*this, rec.sealing, 'S'));
  }
  if (std::find(states.begin(), states.end(), 0) != states.end()) return 0;
  if (std::find(states.begin(), states.end(), 3) != states.end()) return 3;
  return baptism;
}

int ORV3::FamilyOrdinanceState(std::int32_t record, int type) {
  std::int32_t mrin = record;
  if (type == 100) {
    IndividualRec person;
    if (IsLive(RecordKind::Individual, record) != 1 || !Read(record, person)) return 0;
    mrin = person.firstMarriage;
  }
  std::vector<std::int32_t> children;
  if (GetRelation(mrin, 108, 0x7fffffff, children) != 1 || children.empty()) return 0;
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

// ---- notes ------------------------------------------------------------------

int ORV3::GetNotesText(std::int32_t recordOrBlock, bool isBlock, int type, std::string& out) {
  out.clear();
  const std::int32_t first = isBlock ? recordOrBlock : GetFirstNoteBlock(recordOrBlock, type);
  if (first <= 0) return 0;
  return ReadNoteChain(first, out) ? 1 : 0;
}

int ORV3::SetNotes(std::int32_t recordOrBlock, const std::string& text, int mode, bool isBlock,
                   int type) {
  std::int32_t first = recordOrBlock;
  if (!isBlock) {
    if (type != 100 && type != 102) return 0;
    first = GetFirstNoteBlock(recordOrBlock, type);
    if (first <= 0) {
      if (mode == 0 && text.empty()) return 1;
      first = CreateFirstNoteBlock(recordOrBlock, type);
      if (first <= 0) return 0;
      if (mode == 2) mode = 1;
    }
  }
  if (first <= 0) return 0;
  switch (mode) {
    case 0:
      if (text.empty()) {
        if (isBlock) {
          FreeNoteChain(first);
          return 1;
        }
        return DeleteNotes(recordOrBlock, type);
      }
      return WriteNoteChain(first, text) == first ? 1 : 0;
    case 1:
      return AppendNotes(first, text) == first ? 1 : 0;
    case 2:
      return AppendNotes(first, "\r\n\r\n" + text) == first ? 1 : 0;
    default:
      return 0;
  }
}

int ORV3::DeleteNotes(std::int32_t record, int type) {
  const std::int32_t first = GetFirstNoteBlock(record, type);
  if (type == 100) {
    IndividualRec person;
    if (IsLive(RecordKind::Individual, record) != 1 || !Read(record, person)) return 0;
    person.firstNote = 0;
    if (!Write(record, person)) return 0;
  } else if (type == 102) {
    MarriageRec m;
    if (IsLive(RecordKind::Marriage, record) != 1 || !Read(record, m)) return 0;
    m.firstNote = 0;
    if (!Write(record, m)) return 0;
  } else {
    return 0;
  }
  FreeNoteChain(first);
  return 1;
}
