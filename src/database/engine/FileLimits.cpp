// The limits a damaged family file is held to: what its blocks can address,
// which type of block an offset lies in, and the header's counts held to
// them at open.
#include <algorithm>
#include <limits>

#include "BlockStore.h"
#include "ORV3.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringStore.h"
#include "StringTable.h"

using namespace orv;

namespace {

// Record kinds that keep their own highest number in the header.
constexpr RecordKind kNumberedKinds[] = {
    RecordKind::Individual, RecordKind::Marriage, RecordKind::NoteBlock,  RecordKind::FamilyLink,
    RecordKind::Citation,   RecordKind::Source,   RecordKind::Repository, RecordKind::UserEvent,
    RecordKind::EventType,  RecordKind::Contact,  RecordKind::Multimedia,
};

// The smallest string entry: its fields, one character and the terminator.
constexpr int kSmallestEntry = kEntryText + 2;

std::int32_t ToI32(std::int64_t v) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(v, 0, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::int32_t BlockStore::TypeMapBlocks(int blockType) const {
  std::int64_t n = 0;
  for (int g = 0; g < GroupCount(); ++g)
    if (const GroupIndex* group = Group(g)) n += group->TypeCount(blockType);
  return ToI32(n);
}

std::int32_t BlockStore::RecordCapacity(int blockType, int perBlock) const {
  // Numbers run through the DBMap's counts group by group (as a record is
  // located); a number counts only when its block is in the type map and
  // inside the file.
  const long long size = FileSize();
  std::int64_t numbered = 0, highest = 0;
  for (int g = 0; g < kMaxGroups; ++g) {
    const int counted = std::max(dbMap_.Count(g, blockType), 0);
    const GroupIndex* group = Group(g);
    int backed = 0;
    while (group && backed < counted) {
      const int k = group->Position(blockType, backed);
      if (k < 1 || BlockOffset(g, k) + kBlockSize > size) break;
      ++backed;
    }
    if (backed > 0) highest = numbered + std::int64_t{backed} * perBlock;
    numbered += std::int64_t{counted} * perBlock;
  }
  return ToI32(highest);
}

int BlockStore::BlockTypeAt(std::int64_t pos) const {
  if (pos < kBlocksOffset) return 0;
  const std::int64_t b = (pos - kBlocksOffset) / kBlockSize;
  const std::int64_t g = b / kGroupPositions;
  const int k = static_cast<int>(b % kGroupPositions);
  if (g >= GroupCount()) return 0;
  const GroupIndex* group = Group(static_cast<int>(g));
  if (!group) return 0;
  return k == 0 ? static_cast<int>(kBlockFirst) : group->TypeAt(k);
}

bool BlockStore::InBlockOfType(std::int64_t pos, std::int64_t len, int type) const {
  if (len < 0 || BlockTypeAt(pos) != type) return false;
  return (pos - kBlocksOffset) % kBlockSize + len <= kBlockSize;
}

void BlockStore::ReportDamage(const std::string& what) {
  if (damageReported_ || host_->damageLeftToCheck) return;
  damageReported_ = true;
  plat::MessageBox(res::FormatString(res::kIdsDamagedText, {what}),
                   res::LoadString(res::kIdsDamagedCaption),
                   plat::kMbOk | plat::kMbIconExclamation);
}

void BlockStore::TellOnce(const std::string& kind, const std::string& text,
                          const std::string& caption, unsigned flags) {
  if (told_[kind]++ == 0)
    plat::MessageBox(text + "\n\n" + res::LoadString(res::kIdsWhatToDoNext), caption, flags);
}

int BlockStore::TimesTold(const std::string& kind) const {
  const auto found = told_.find(kind);
  return found == told_.end() ? 0 : found->second;
}

std::string BlockStore::RepeatedFailures() const {
  std::string lines;
  for (const auto& [kind, times] : told_)
    if (times > 1)
      lines += res::FormatString(res::kIdsRepeatedLine, {kind, std::to_string(times)}) + "\n";
  return lines;
}

int BlockStore::ClampHeaderToCapacity(
    const std::function<std::int32_t(RecordKind, std::int32_t)>& lastWritten) {
  int held = 0;
  const auto hold = [&](int field, std::int64_t highest) {
    const std::int32_t v = head_.I32(field);
    const std::int32_t c = std::clamp<std::int32_t>(v, 0, ToI32(highest));
    if (c != v) {
      head_.SetI32(field, c);
      ++held;
    }
  };
  for (RecordKind kind : kNumberedKinds) {
    const RecordLayout& l = LayoutOf(kind);
    const std::int32_t capacity = RecordCapacity(l.blockType, l.perBlock);
    // Beyond the blocks the number is lost; the records written say where
    // it was.
    hold(l.highestField,
         head_.I32(l.highestField) > capacity ? lastWritten(kind, capacity) : capacity);
  }
  for (int t = 1; t <= kMapTypes; ++t) {
    const int field = BlockCountField(t);
    if (field >= 0 && t != kBlockFirst) hold(field, TypeMapBlocks(t));
  }
  for (const int kind : {0, 4}) {
    const StoreFields& store = StoreOfKind(kind);
    hold(store.countField,
         std::int64_t{TypeMapBlocks(store.blockType)} * (kBlockSize / kSmallestEntry));
  }
  if (held == 0 && !allocationDamaged_ && !journalDoubtful_) {
    // Free positions held to free need no write: the user is only told.
    if (typeMapDamaged_) ReportDamage(res::LoadString(res::kIdsTypeMapWhat));
    if (blockKindsDamaged_) ReportDamage(res::LoadString(res::kIdsBlockKindsWhat));
    return 0;
  }
  damageReported_ = true;
  // The record of an edit cut short that does not agree with the file is
  // asked about first: going on keeps every byte and only clears the mark.
  const unsigned what = journalDoubtful_ ? res::kIdsDoubtfulJournalWhat : res::kIdsHeldCountsWhat;
  const unsigned question =
      journalDoubtful_ ? res::kIdsDoubtfulJournalText : res::kIdsHeldCountsText;
  if (host_->damageLeftToCheck) {
    // Held as with OK; a repair writes the header with its first write, and
    // a check that only reports is told that the header was held.
    if (host_->readOnly)
      heldHeader_ = true;
    else
      (void)WriteHeader(HeadPart::Whole);  // a mend: memory holds it; a failure is told
    return held;
  }
  if (host_->readOnly) {
    plat::MessageBox(res::FormatString(res::kIdsDamagedText, {res::LoadString(what)}),
                     res::LoadString(res::kIdsDamagedCaption),
                     plat::kMbOk | plat::kMbIconExclamation);
    return held;
  }
  if (plat::MessageBox(res::LoadString(question), res::LoadString(res::kIdsDamagedCaption),
                       plat::kMbOkCancel | plat::kMbIconExclamation) == plat::kIdCancel)
    return -1;
  // Written with the first edit (the open holds its mends back); as above.
  (void)WriteHeader(HeadPart::Whole);
  return held;
}
