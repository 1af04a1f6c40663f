#include "Records.h"

namespace orv {

bool IsDeletedRecord(RecordKind kind, const std::uint8_t* rec) {
  switch (kind) {
    case RecordKind::Individual:
    case RecordKind::Marriage:
    case RecordKind::FamilyLink:
      return rec[0] == 'D';
    case RecordKind::Citation:
    case RecordKind::Source:
    case RecordKind::Repository:
      return rec[0] == 'Y';
    case RecordKind::UserEvent:
      return GetI32(rec + 8) <= 0;
    case RecordKind::EventType:
    case RecordKind::Contact:
      return GetI32(rec) == 0;
    case RecordKind::Multimedia:
      return rec[29] == 0;
    case RecordKind::NoteBlock:
    case RecordKind::IndividualExt:
    case RecordKind::SourceExt:
      return false;
  }
  return false;
}

void MakeDeletedRecord(RecordKind kind, std::uint8_t* rec, std::int32_t link) {
  const RecordLayout& l = LayoutOf(kind);
  std::memset(rec, 0, l.size);
  if (l.linkOffset >= 0) PutI32(rec + l.linkOffset, link);
  switch (kind) {
    case RecordKind::Individual:
    case RecordKind::Marriage:
    case RecordKind::FamilyLink:
      rec[0] = 'D';
      break;
    case RecordKind::Citation:
    case RecordKind::Source:
    case RecordKind::Repository:
      rec[0] = 'Y';
      break;
    case RecordKind::Contact:
      rec[44] = 'D';
      break;
    default:
      break;  // the zero owner, title or kind is the mark
  }
}

IndividualReadPlan PlanForLevel(int level) {
  IndividualReadPlan p;
  p.names = level >= 3;
  p.birthChristeningPlaces = level >= 5;
  p.deathBurialPlaces = level >= 6;
  p.fullOrdinances = level >= 7;
  p.relationCounts = level == 10;
  p.parentsFromLink = level == 2 || level >= 4;
  return p;
}

}  // namespace orv
