// The header, the DBMap and group indexes, batch mode and the positioned
// reads and writes of the family file; creating and opening its structures.
#include "BlockStore.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "Ansel.h"
#include "CodePage.h"
#include "FileSystem.h"
#include "ORV3.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

using namespace orv;

namespace {

// Caption of the engine's boxes that name no caption of their own.
constexpr const char* kProgramCaption = "Korvane";

// A family file that cannot be opened: the open core then tells the user
// that the file appears damaged and what to do.
void Yo(const char* text) { plat::MessageBox(text, kProgramCaption, plat::kMbOk); }

constexpr std::uint8_t kNewFileConstants[16] = {1,  30, 63, 112, 249, 79, 27, 31,
                                                31, 31, 59, 121, 63,  31, 31, 1};

// The family title of a new file: its base name without folder and extension.
// The stored title (ANSEL) that a file's name gives.
std::string TitleFromPath(const std::string& path) {
  std::string name = path;
  const auto slash = name.find_last_of("/\\:");
  if (slash != std::string::npos) name = name.substr(slash + 1);
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos) name = name.substr(0, dot);
  name = plat::PathText(name);
  const bool hasUpper = std::any_of(name.begin(), name.end(), [](char c) {
    return plat::IsAnsiUpper(static_cast<unsigned char>(c));
  });
  if (!hasUpper && !name.empty())
    name[0] = static_cast<char>(plat::AnsiToUpper(static_cast<unsigned char>(name[0])));
  return AnsiToAnsel(name, 63);
}

}  // namespace

BlockStore::BlockStore(EngineHost* host) : host_(host) {
  dbMap_.Clear();
  head_.Clear();
}

bool BlockStore::Put(std::int64_t pos, const void* data, std::size_t len) {
  if (host_->readOnly || reading_ > 0) return true;
  if (pos < 0) return false;
  if (holding_ > 0) {
    // Only the header, the mirror and the DBMap are mended at open.
    if (pos < kMirrorOffset)
      heldHeader_ = true;
    else
      heldDBMap_ = true;
    return true;
  }
  if ((heldHeader_ || heldDBMap_) && !WriteHeldMends()) return false;
  if (editing_ > 0) {
    KeepEditWrite(pos, data, len);
    return true;
  }
  if (pendingPos_ >= 0) {
    const std::int64_t end = pos + static_cast<std::int64_t>(len);
    if (pos <= pendingPos_ && end >= pendingPos_ + static_cast<std::int64_t>(pending_.size()))
      pendingPos_ = -1;  // this write takes its place
    else if (!WritePending())
      return false;
  }
  if (heldCount_ == 0) return PutNow(pos, data, len);
  // Held writes under this one take its bytes; those it covers whole are
  // on the file once it is written.
  const HeldCover cover = CopyIntoHeld(pos, data, len);
  if (!PutNow(pos, data, len)) return false;
  if (cover.whole) {
    const std::int64_t end = pos + static_cast<std::int64_t>(len);
    ForHeldBlocks(pos, len, [&](std::vector<HeldWrite>& writes, std::int64_t start) {
      const auto gone = std::remove_if(writes.begin(), writes.end(), [&](const HeldWrite& w) {
        return start + w.at >= pos && start + w.at + w.len <= end;
      });
      heldCount_ -= static_cast<std::size_t>(writes.end() - gone);
      writes.erase(gone, writes.end());
    });
  }
  return true;
}

bool BlockStore::PutNew(std::int64_t pos, const void* data, std::size_t len) {
  if (!batch_ || newRecordWaits_ == 0 || holding_ > 0 || pos < kBlocksOffset)
    return Put(pos, data, len);
  if (host_->readOnly || reading_ > 0) return true;
  if ((heldHeader_ || heldDBMap_) && !WriteHeldMends()) return false;
  if (!WritePending()) return false;
  pendingPos_ = pos;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  pending_.assign(bytes, bytes + len);
  return true;
}

bool BlockStore::WritePending() {
  if (pendingPos_ < 0) return true;
  const std::int64_t pos = std::exchange(pendingPos_, -1);
  return PutNow(pos, pending_.data(), pending_.size());
}

namespace {

// The first of a block's held writes (in place order) at `at` or after it.
// Writes lie spread over their block much as its records do, so the search
// starts where `at` falls among evenly spread ones and walks from there: a
// cache line or two, where a binary search over a block's writes meets a
// new one at nearly every step.
template <class It>
It FirstHeldFrom(It begin, It end, std::int64_t at) {
  const auto n = end - begin;
  if (n == 0) return end;
  It w = begin + std::clamp<std::int64_t>(at * n / kBlockSize, 0, n - 1);
  if (w->at < at) {
    while (w != end && w->at < at) ++w;
  } else {
    while (w != begin && (w - 1)->at >= at) --w;
  }
  return w;
}

}  // namespace

bool BlockStore::PutLater(std::int64_t pos, const void* data, std::size_t len) {
  if (!batch_ || len > kMaxHeldWrite || holding_ > 0 || pos < kBlocksOffset)
    return Put(pos, data, len);
  if (host_->readOnly || reading_ > 0) return true;
  if ((heldHeader_ || heldDBMap_) && !WriteHeldMends()) return false;
  if (CopyIntoHeld(pos, data, len).same) return true;
  const auto b = static_cast<std::size_t>(HeldBlock(pos));
  HeldWrite w;
  w.at = static_cast<std::uint16_t>(pos - HeldBlockStart(b));
  w.len = static_cast<std::uint8_t>(len);
  std::memcpy(w.bytes, data, len);
  if (held_.size() <= b) held_.resize(b + 1);
  std::vector<HeldWrite>& writes = held_[b];
  writes.insert(FirstHeldFrom(writes.begin(), writes.end(), w.at + 1), w);
  if (++heldCount_ >= kMaxHeldWrites) return WriteHeldWrites();
  return true;
}

template <class F>
void BlockStore::ForHeldBlocks(std::int64_t pos, std::size_t len, F&& f) {
  const std::int64_t end = pos + static_cast<std::int64_t>(len);
  for (std::int64_t b =
           std::max<std::int64_t>(0, HeldBlock(pos - static_cast<std::int64_t>(kMaxHeldWrite) + 1));
       b <= HeldBlock(end - 1) && b < static_cast<std::int64_t>(held_.size()); ++b)
    f(held_[static_cast<std::size_t>(b)], HeldBlockStart(static_cast<std::size_t>(b)));
}

template <class F>
void BlockStore::ForHeldOverlapping(std::int64_t pos, std::size_t len, F&& f) {
  const std::int64_t end = pos + static_cast<std::int64_t>(len);
  // A held write overlapping the range starts less than kMaxHeldWrite bytes
  // before it.
  const std::int64_t first = pos - static_cast<std::int64_t>(kMaxHeldWrite) + 1;
  ForHeldBlocks(pos, len, [&](std::vector<HeldWrite>& writes, std::int64_t start) {
    for (auto w = FirstHeldFrom(writes.begin(), writes.end(), first - start);
         w != writes.end() && start + w->at < end; ++w) {
      const std::int64_t wpos = start + w->at;
      const std::int64_t from = std::max(pos, wpos);
      const std::int64_t to = std::min(end, wpos + w->len);
      if (from < to) f(*w, wpos, from, to);
    }
  });
}

BlockStore::HeldCover BlockStore::CopyIntoHeld(std::int64_t pos, const void* data,
                                               std::size_t len) {
  HeldCover cover;
  ForHeldOverlapping(
      pos, len, [&](HeldWrite& w, std::int64_t wpos, std::int64_t from, std::int64_t to) {
        std::memcpy(w.bytes + (from - wpos), static_cast<const std::uint8_t*>(data) + (from - pos),
                    static_cast<std::size_t>(to - from));
        cover.whole = cover.whole || (from == wpos && to == wpos + w.len);
        cover.same = cover.same || (wpos == pos && w.len == len);
      });
  return cover;
}

void BlockStore::OverlayHeld(std::int64_t pos, void* data, std::size_t len) {
  if (len == 0) return;
  const std::int64_t end = pos + static_cast<std::int64_t>(len);
  if (pendingPos_ >= 0) {
    const std::int64_t from = std::max(pos, pendingPos_);
    const std::int64_t to = std::min(end, pendingPos_ + static_cast<std::int64_t>(pending_.size()));
    if (from < to)
      std::memcpy(static_cast<std::uint8_t*>(data) + (from - pos),
                  pending_.data() + (from - pendingPos_), static_cast<std::size_t>(to - from));
  }
  if (heldCount_ == 0) return;
  ForHeldOverlapping(pos, len,
                     [&](HeldWrite& w, std::int64_t wpos, std::int64_t from, std::int64_t to) {
                       std::memcpy(static_cast<std::uint8_t*>(data) + (from - pos),
                                   w.bytes + (from - wpos), static_cast<std::size_t>(to - from));
                     });
}

bool BlockStore::WriteHeldWrites() {
  // The waiting write is the latest: it goes first, the held ones carry no
  // order.
  if (!WritePending()) return false;
  if (heldCount_ == 0) return true;
  auto held = std::move(held_);
  held_.clear();
  heldCount_ = 0;
  bool written = true;
  std::vector<std::uint8_t> span;
  // Where a small write costs no system call, each held write goes on its
  // own; elsewhere one write per block.
  const bool oneByOne = host_->Io().SmallWritesAreCheap();
  for (std::size_t b = 0; b < held.size(); ++b) {
    std::vector<HeldWrite>& writes = held[b];
    if (writes.empty()) continue;
    const std::int64_t start = HeldBlockStart(b);
    bool ok = true;
    if (oneByOne) {
      for (const HeldWrite& w : writes) ok = PutNow(start + w.at, w.bytes, w.len) && ok;
    } else {
      // One write from the first held byte of the block to the last, the
      // bytes between as the file has them.
      std::int64_t from = start + writes.front().at, to = from;
      for (const HeldWrite& w : writes) to = std::max(to, start + w.at + w.len);
      span.resize(static_cast<std::size_t>(to - from));
      ok = ReadAt(from, span.data(), span.size());
      if (ok) {
        for (const HeldWrite& w : writes)
          std::memcpy(span.data() + (start + w.at - from), w.bytes, w.len);
        ok = PutNow(from, span.data(), span.size());
      }
    }
    if (!ok) {
      // Kept, so that this session reads them still; the batch mark left
      // on the file has the trees rebuilt at the next open.
      if (held_.size() <= b) held_.resize(b + 1);
      heldCount_ += writes.size();
      held_[b] = std::move(writes);
      written = false;
    }
  }
  return written;
}

bool BlockStore::PutNow(std::int64_t pos, const void* data, std::size_t len) {
  // Nothing is written over the journal of an edit that stands before its
  // writes are in place (a failure there is counted and told).
  if (!FinishJournal()) return false;
  if (!host_->Io().WriteAt(static_cast<std::uint64_t>(pos), data, len)) {
    NoteWriteFailure();
    return false;
  }
  return true;
}

void BlockStore::NoteWriteFailure() {
  ++writeFailures_;
  TellOnce(kWriteErrorKind, "Write Error", kFailureCaption, plat::kMbOk);
}

bool BlockStore::WriteHeldMends() {
  const bool header = std::exchange(heldHeader_, false);
  const bool dbMap = std::exchange(heldDBMap_, false);
  if (header && !PutNow(0, head_.Data(), kHeaderSize)) return false;
  if (!dbMap) return true;
  std::vector<std::uint8_t> mirror(kMirrorSize, 0);
  for (int g = 0; g < kMaxGroups; ++g)
    for (int t = 1; t <= kMirrorTypes; ++t)
      PutI16(mirror.data() + DBMap::MirrorOffset(g, t) - kMirrorOffset,
             static_cast<std::int16_t>(dbMap_.Count(g, t)));
  return PutNow(BlockNumberOffset(head_.I32(kHeadDBMapBlock)), dbMap_.Data(), kBlockSize) &&
         PutNow(kMirrorOffset, mirror.data(), kMirrorSize);
}

bool BlockStore::ReadAt(std::int64_t pos, void* data, std::size_t len) {
  if (pos < 0) return false;
  if (!edit_.empty() || journalUnfinished_)
    return ReadSomeAt(pos, data, len) == static_cast<long long>(len);
  if (!host_->Io().ReadAt(static_cast<std::uint64_t>(pos), data, len)) return false;
  OverlayHeld(pos, data, len);
  return true;
}

long long BlockStore::ReadSomeAt(std::int64_t pos, void* data, std::size_t len) {
  if (pos < 0) return -1;
  long long got = host_->Io().ReadSomeAt(static_cast<std::uint64_t>(pos), data, len);
  if (got > 0) OverlayWrites(unfinished_, pos, data, static_cast<std::size_t>(got));
  if (!edit_.empty()) {
    // What an edit keeps past the end of the file reads as written there.
    const std::int64_t end = std::min(pos + static_cast<std::int64_t>(len), EditEnd());
    if (got >= 0 && pos + got < end) {
      std::memset(static_cast<std::uint8_t*>(data) + got, 0,
                  static_cast<std::size_t>(end - pos - got));
      got = end - pos;
    }
    if (got > 0) OverlayWrites(edit_, pos, data, static_cast<std::size_t>(got));
  }
  if (got > 0) OverlayHeld(pos, data, static_cast<std::size_t>(got));
  return got;
}

bool BlockStore::WriteHeader(HeadPart part) {
  switch (part) {
    case HeadPart::Whole:
      if (batch_) return false;
      head_.SetText(kHeadFormatVersion, 4, "400");
      return Put(0, head_.Data(), kHeaderSize);
    case HeadPart::Counters:
      if (batch_) return true;
      return Put(kHeadCountersOffset, head_.Data() + kHeadCountersOffset, kHeadCountersSize);
    case HeadPart::Tail:
      return Put(kHeadTailOffset, head_.Data() + kHeadTailOffset, kHeadTailSize);
  }
  return false;
}

void BlockStore::BeginBatch() {
  if (!batch_ && (head_.Byte(kHeadBatchMark) & kMarkBatch) == 0) {
    head_.SetByte(kHeadBatchMark, head_.Byte(kHeadBatchMark) | kMarkBatch);
    (void)WriteHeader(HeadPart::Tail);  // failure counted and told (PutNow)
  }
  batch_ = true;
}

void BlockStore::MarkTreeChange(bool on) {
  if (batch_ || reading_ > 0 || host_->readOnly) return;
  const std::uint8_t was = head_.Byte(kHeadBatchMark);
  const std::uint8_t now = on ? was | kMarkTreeChange : was & ~kMarkTreeChange;
  if (now == was) return;
  head_.SetByte(kHeadBatchMark, now);
  // A failure is counted and told (PutNow); the change under way fails by
  // the count (EditScope, NewRecordWait).
  (void)WriteHeader(HeadPart::Tail);
}

void BlockStore::MarkAdd(bool on) {
  if (batch_ || reading_ > 0 || host_->readOnly) return;
  const std::uint8_t was = head_.Byte(kHeadBatchMark);
  const std::uint8_t now = on ? was | kMarkAdd : was & ~kMarkAdd;
  if (now == was) return;
  head_.SetByte(kHeadBatchMark, now);
  (void)WriteHeader(HeadPart::Tail);  // as in MarkTreeChange
}

bool BlockStore::EndBatch() {
  // The held writes reach the file before the batch mark is cleared; when
  // they cannot, the mark stays and the next open rebuilds the trees.
  const bool heldWritten = WriteHeldWrites();
  batch_ = false;
  if (heldWritten) head_.SetByte(kHeadBatchMark, 0);
  // The counter area was held back for the whole batch; it carries the used
  // positions and group count that the next allocation relies on.
  const bool written = WriteHeader(HeadPart::Whole);
  Flush();
  return written && heldWritten;
}

void BlockStore::Flush() {
  // A failure is counted and told (PutNow); the add waiting fails by the count.
  (void)WritePending();
  if (batch_ || host_->readOnly || holding_ > 0) return;  // a closed file flushes nothing
  if (editing_ > 0) {
    editFlushWanted_ = true;
    return;
  }
  if (flushHolds_ > 0) {
    flushWanted_ = true;
    return;
  }
  // Writes the system could not put on the disk failed as surely as a short
  // write: counted, so that a change waiting fails, and told.
  if (!host_->Io().Flush()) NoteWriteFailure();
}

const GroupIndex* BlockStore::Group(int g) const {
  if (g < 0 || g >= GroupCount()) return nullptr;
  return groups_[g].get();
}

int BlockStore::BuildGroupIndex(int g) {
  std::vector<std::uint8_t> first(kBlockSize);
  if (!ReadAt(FirstBlockOffset(g), first.data(), kBlockSize)) {
    Yo("First Block File Read Error");
    return 0;
  }
  if (first[0] != kBlockFirst) {
    Yo("Problem with first Block");
    return 0;
  }
  FreePositionsBeyondTheFile(g, first.data());
  if (GroupCount() <= g) groups_.resize(g + 1);
  if (!groups_[g]) groups_[g] = std::make_unique<GroupIndex>();
  groups_[g]->Build(first.data());
  return 1;
}

int BlockStore::FreePositionsBeyondTheFile(int g, std::uint8_t* first) {
  // A block the file does not hold holds nothing: its type byte is left by
  // an allocation cut before the block was written (the block would start
  // at the file's end) or is damage. Either way the position is free, and
  // the type map is held to that in memory; a later allocation writes it.
  const long long size = host_->Io().Size();
  int freed = 0;
  for (int k = 1; k < kGroupPositions; ++k) {
    if (first[k] == 0 || BlockOffset(g, k) + kBlockSize <= size) continue;
    // A cut allocation leaves a kind the engine writes, at the file's end.
    const int t = first[k];
    const bool written = t == kBlockNames || t == kBlockOtherNames || t == kBlockDBMap ||
                         LayoutOfBlockType(t) != nullptr;
    if (BlockOffset(g, k) > size || !written) typeMapDamaged_ = true;
    first[k] = 0;
    ++freed;
  }
  return freed;
}

void BlockStore::WriteDBMapCount(int g, int t) {
  std::uint8_t two[2];
  PutI16(two, static_cast<std::int16_t>(dbMap_.Count(g, t)));
  // Failures counted and told (PutNow); the change under way fails by the count.
  (void)Put(BlockNumberOffset(head_.I32(kHeadDBMapBlock)) + DBMap::CountOffset(g, t), two, 2);
  if (t <= kMirrorTypes) (void)Put(DBMap::MirrorOffset(g, t), two, 2);
}

bool BlockStore::MendDBMapCount(int g, int t, int count) {
  if (g < 0 || g >= kMaxGroups || t < 1 || t > kMapTypes) return false;
  dbMap_.SetCount(g, t, count);
  std::uint8_t two[2];
  PutI16(two, static_cast<std::int16_t>(count));
  return Put(BlockNumberOffset(head_.I32(kHeadDBMapBlock)) + DBMap::CountOffset(g, t), two, 2) &&
         (t > kMirrorTypes || Put(DBMap::MirrorOffset(g, t), two, 2));
}

int BlockStore::Create(const std::string& path, const NewFileOptions& options) {
  head_.Clear();
  head_.SetText(kHeadMagic, 4, "ORV");
  head_.SetText(kHeadVersion300, 4, "300");
  head_.SetText(kHeadFormatVersion, 4, "400");
  head_.SetI32(kHeadUsedPositions, 2);
  head_.SetI32(kHeadGroups, 1);
  head_.SetI32(kHeadOptionA, 1);
  head_.SetByte(kHeadVerifyOff, options.verifyNew ? 0 : 1);
  head_.SetByte(kHeadShowZel, options.showZel ? 1 : 0);
  head_.SetByte(kHeadAppendLetter, 'N');
  head_.SetByte(kHeadCapSurname, options.capSurname ? 1 : 0);
  for (int i = 0; i < 16; ++i) head_.SetByte(kHeadConstants + i, kNewFileConstants[i]);
  head_.SetText(kHeadTitle, 64,
                TitleFromPath(options.titleFrom.empty() ? path : options.titleFrom));
  head_.SetI32(kHeadOptionB, 1);
  head_.SetI32(kHeadDBMapBlock, 2);
  head_.SetI16(kHeadOptionD, 10);

  // Header, unused bytes and the zeroed mirror, then group 0's first block
  // (itself and the DBMap at position 1) and the DBMap.
  std::vector<std::uint8_t> start(kBlocksOffset, 0);
  std::copy(head_.Data(), head_.Data() + kHeaderSize, start.begin());
  std::vector<std::uint8_t> first(kBlockSize, 0);
  first[0] = kBlockFirst;
  first[1] = kBlockDBMap;
  dbMap_.Clear();
  dbMap_.SetCount(0, kBlockDBMap, 1);
  if (!Put(0, start.data(), start.size()) || !Put(FirstBlockOffset(0), first.data(), kBlockSize) ||
      !Put(BlockNumberOffset(2), dbMap_.Data(), kBlockSize))
    return 0;
  groups_.clear();
  groups_.push_back(std::make_unique<GroupIndex>());
  groups_[0]->Build(first.data());
  return 1;
}

int BlockStore::RealGroupCount() {
  const long long size = host_->Io().Size();
  int groups = 0;
  while (groups < kMaxGroups && FirstBlockOffset(groups) + kBlockSize <= size) {
    std::uint8_t mark = 0;
    if (!ReadAt(FirstBlockOffset(groups), &mark, 1) || mark != kBlockFirst) break;
    ++groups;
  }
  return groups;
}

int BlockStore::RecoverAllocationCounters() {
  // In batch mode the counter area reaches the disk only when the batch ends.
  // After a crash the stored used-position and group counts can lag behind
  // the blocks that exist; the first blocks say how far the file really goes.
  // Counts beyond the blocks the file holds are damage: they are held to the
  // file here and written back with the rest of the header's limits.
  const std::int32_t storedGroups = head_.I32(kHeadGroups);
  const std::int32_t storedUsed = head_.I32(kHeadUsedPositions);
  const int groups = RealGroupCount();
  if (groups < 1) return 0;
  std::vector<std::uint8_t> first(kBlockSize);
  if (!ReadAt(FirstBlockOffset(groups - 1), first.data(), kBlockSize))
    return 0;  // the group index build reports it
  FreePositionsBeyondTheFile(groups - 1, first.data());
  int used = 1;
  for (int k = kGroupPositions - 1; k > 0; --k)
    if (first[k] != 0) {
      used = k + 1;
      break;
    }
  const bool usedInRange = storedUsed >= 1 && storedUsed <= kGroupPositions;
  if (groups == storedGroups && usedInRange) used = std::max(used, storedUsed);
  allocationDamaged_ = storedGroups < 1 || storedGroups > groups || !usedInRange;
  if (groups != storedGroups || used != storedUsed) {
    head_.SetI32(kHeadGroups, groups);
    head_.SetI32(kHeadUsedPositions, used);
    // A mend of the open: memory holds it; a failed write is counted and told.
    if (!allocationDamaged_) (void)WriteHeader(HeadPart::Counters);
  }
  return 1;
}

bool BlockStore::AgreesWithMirror(std::int32_t b) {
  if (b < 1 || b - 1 >= std::int64_t{GroupCount()} * kGroupPositions ||
      (b - 1) % kGroupPositions == 0)
    return false;
  DBMap map;
  std::vector<std::uint8_t> mirror(kMirrorSize);
  if (!ReadAt(BlockNumberOffset(b), map.Data(), kBlockSize) ||
      !ReadAt(kMirrorOffset, mirror.data(), kMirrorSize))
    return false;
  bool counted = false;
  for (int g = 0; g < GroupCount(); ++g)
    for (int t = 1; t <= kMirrorTypes; ++t) {
      const int m = GetI16(mirror.data() + DBMap::MirrorOffset(g, t) - kMirrorOffset);
      if (map.Count(g, t) != m) return false;
      counted = counted || m > 0;
    }
  return counted;
}

int BlockStore::CheckDBMapBlock() {
  const std::int32_t b = head_.I32(kHeadDBMapBlock);
  if (b > 0 && b - 1 < std::int64_t{GroupCount()} * kGroupPositions &&
      BlockNumberOffset(b) + kBlockSize > host_->Io().Size()) {
    // The file ends before the end of the DBMap its type map shows: it
    // cannot be read, and nothing may be built in its place.
    std::uint8_t type = 0;
    const std::int64_t at = FirstBlockOffset((b - 1) / kGroupPositions) + (b - 1) % kGroupPositions;
    if ((b - 1) % kGroupPositions != 0 && ReadAt(at, &type, 1) && type == kBlockDBMap) {
      TellOnce("DBMap File Read Error", "DBMap File Read Error", kFailureCaption, plat::kMbOk);
      return -1;
    }
  }
  if (b > 0 && b - 1 < std::int64_t{GroupCount()} * kGroupPositions) {
    const GroupIndex* group = Group((b - 1) / kGroupPositions);
    if (group && group->TypeAt((b - 1) % kGroupPositions) == kBlockDBMap) return 1;
  }
  // Damage, not a missing DBMap: the header's location is wrong and a type
  // map shows the DBMap, or the DBMap's type byte is wrong and the block the
  // header names agrees with the mirror. Held in memory, told at open.
  for (int g = 0; g < GroupCount(); ++g)
    for (int j = 0; groups_[g] && j < groups_[g]->TypeCount(kBlockDBMap); ++j) {
      const int k = groups_[g]->Position(kBlockDBMap, j);
      if (k < 1 || BlockOffset(g, k) + kBlockSize > host_->Io().Size()) continue;
      head_.SetI32(kHeadDBMapBlock, g * kGroupPositions + k + 1);
      allocationDamaged_ = true;
      return 1;
    }
  if (AgreesWithMirror(b)) {
    const int g = (b - 1) / kGroupPositions;
    std::vector<std::uint8_t> first(kBlockSize);
    if (ReadAt(FirstBlockOffset(g), first.data(), kBlockSize)) {
      FreePositionsBeyondTheFile(g, first.data());
      first[(b - 1) % kGroupPositions] = kBlockDBMap;
      groups_[g]->Build(first.data());
      typeMapDamaged_ = true;
      return 1;
    }
  }
  // No DBMap anywhere: a new one is allocated (and written) now.
  const int held = std::exchange(holding_, 0);
  const int made = NewDBMapBlock();
  holding_ = held;
  return made;
}

int BlockStore::NewDBMapBlock() {
  const std::uint64_t need =
      (static_cast<std::uint32_t>(std::int64_t{head_.I32(kHeadHighestIndividual)} * 96) / 8192 +
       6) *
      8192ull;
  const std::uint64_t free = plat::FreeDiskBytes(host_->file.Path());
  if (free < need) {
    plat::MessageBox(
        "There is not enough free space on your drive to open this ORV database.  You need " +
            std::to_string(need) + "bytes.  Your drive only has " + std::to_string(free) +
            "bytes free.",
        "Not enough free space", plat::kMbOk | plat::kMbIconExclamation);
    return -1;
  }
  int g = 0, p = 0;
  if (!TakePosition(g, p)) return -1;
  const std::uint8_t type = kBlockDBMap;
  const std::vector<std::uint8_t> zeros(kBlockSize, 0);
  if (!Put(FirstBlockOffset(g) + p, &type, 1) || !Put(BlockOffset(g, p), zeros.data(), kBlockSize))
    return -1;
  IncrementFileBlockCount(kBlockDBMap);
  if (!BuildGroupIndex(g)) return -1;
  Flush();
  head_.SetI32(kHeadDBMapBlock, g * kGroupPositions + p + 1);
  return 0;
}

int BlockStore::LoadDBMap() {
  const std::int32_t b = head_.I32(kHeadDBMapBlock);
  if (!ReadAt(BlockNumberOffset(b), dbMap_.Data(), kBlockSize)) {
    TellOnce("DBMap File Read Error", "DBMap File Read Error", kFailureCaption, plat::kMbOk);
    return -1;
  }
  std::vector<std::uint8_t> mirror(kMirrorSize);
  if (!ReadAt(kMirrorOffset, mirror.data(), kMirrorSize)) {
    TellOnce("ORVDBMap File Read Error", "ORVDBMap File Read Error", kFailureCaption,
             plat::kMbOk | plat::kMbIconExclamation);
    return -1;
  }
  // The mirror is written after the DBMap; a larger mirror count means the
  // DBMap write was lost.
  bool grew = false;
  for (int g = 0; g < kMaxGroups; ++g)
    for (int t = 1; t <= kMirrorTypes; ++t) {
      const int m = GetI16(mirror.data() + DBMap::MirrorOffset(g, t) - kMirrorOffset);
      if (m > dbMap_.Count(g, t)) {
        dbMap_.SetCount(g, t, m);
        grew = true;
      }
    }
  if (grew) (void)Put(BlockNumberOffset(b), dbMap_.Data(), kBlockSize);  // a mend, as above
  // Counts a group cannot hold, and counts of groups the file does not
  // have, are damage; in memory they are held to what can be, so that every
  // walk over the map stays inside the file.
  for (int g = 0; g < kMaxGroups; ++g)
    for (int t = 1; t <= kMapTypes; ++t) {
      const int c = dbMap_.Count(g, t);
      if (g >= GroupCount()) {
        if (c != 0) dbMap_.SetCount(g, t, 0);
      } else if (c < 0 || c > kGroupPositions - 1) {
        dbMap_.SetCount(g, t, groups_[g]->TypeCount(t));
      } else if (c > groups_[g]->TypeCount(t)) {
        // A block is typed before the DBMap counts it, so a DBMap that
        // counts more blocks of a kind than the type map shows means a
        // type byte was changed (or the cell was). Records are found
        // through the type map; the user is told at open, and Check/Repair
        // sees the counts as they stand.
        blockKindsDamaged_ = true;
      }
    }
  return 1;
}

int BlockStore::OpenStructures() {
  damageReported_ = false;
  allocationDamaged_ = false;
  typeMapDamaged_ = false;
  blockKindsDamaged_ = false;
  heldHeader_ = heldDBMap_ = false;
  told_.clear();
  edit_.clear();
  unfinished_.clear();
  journalUnfinished_ = false;
  RecoverEdit();
  if (!ReadAt(0, head_.Data(), kHeaderSize)) {
    plat::MessageBox("FileHead File Read Error", kProgramCaption,
                     plat::kMbOk | plat::kMbIconExclamation);
    return -1;
  }
  // The mark of a journal that does not agree with the file is damage: it
  // is cleared in memory, written back only when the user goes on (or a
  // repair writes the header).
  if (journalDoubtful_) head_.SetByte(kHeadBatchMark, head_.Byte(kHeadBatchMark) & ~kMarkEdit);
  if (head_.Text(kHeadMagic, 4) != "ORV") {
    plat::MessageBox(res::LoadString(res::kIdsNotAnOrvFile),
                     res::LoadString(res::kIdsErrorOpeningDatabase),
                     plat::kMbOk | plat::kMbIconExclamation);
    return -1;
  }
  // Nothing is written before group 0's first block is known good: a file
  // cut or overwritten at its start cannot be made sense of.
  if (RealGroupCount() < 1) {
    Yo("Problem with first Block");
    return -1;
  }
  RecoverAllocationCounters();
  groups_.clear();
  for (int g = 0; g < head_.I32(kHeadGroups); ++g)
    if (!BuildGroupIndex(g)) return -1;
  const int dbMapState = CheckDBMapBlock();
  if (dbMapState < 0) return -1;
  if (LoadDBMap() < 0) return -1;
  if (dbMapState == 0) {
    // A new DBMap block counts itself; the header names it from now on.
    const int held = std::exchange(holding_, 0);
    const std::int32_t b = head_.I32(kHeadDBMapBlock);
    const int g = (b - 1) / kGroupPositions;
    dbMap_.SetCount(g, kBlockDBMap, dbMap_.Count(g, kBlockDBMap) + 1);
    WriteDBMapCount(g, kBlockDBMap);
    (void)WriteHeader(HeadPart::Whole);  // a mend of the open, as above
    Flush();
    holding_ = held;
  }
  return 1;
}
