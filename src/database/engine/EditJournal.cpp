// An edit written whole or not at all: its writes are kept in memory, then
// written as one journal past the end of the family file, then in place
// under the header's edit mark.
#include <algorithm>
#include <cstring>

#include "BlockStore.h"
#include "ORV3.h"

using namespace orv;

namespace {

// The journal: per kept write its file position (int64), its length
// (uint32) and its bytes.
constexpr std::size_t kEntryHead = 12;

std::uint32_t Checksum(const std::uint8_t* bytes, std::size_t len) {
  std::uint32_t h = 2166136261u;
  for (std::size_t i = 0; i < len; ++i) h = (h ^ bytes[i]) * 16777619u;
  return h;
}

void PutI64(std::uint8_t* p, std::int64_t v) {
  for (int i = 0; i < 8; ++i)
    p[i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(v) >> (8 * i));
}

std::int64_t GetI64(const std::uint8_t* p) {
  std::uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v |= std::uint64_t{p[i]} << (8 * i);
  return static_cast<std::int64_t>(v);
}

struct JournalPlace {
  std::int64_t at = 0;      // where the journal starts
  std::int64_t before = 0;  // the file's length before it
  std::uint32_t length = 0, checksum = 0;
};

void EncodePlace(const JournalPlace& place, std::uint8_t* p) {
  PutI64(p, place.at);
  PutI64(p + 8, place.before);
  PutI32(p + 16, static_cast<std::int32_t>(place.length));
  PutI32(p + 20, static_cast<std::int32_t>(place.checksum));
}

JournalPlace DecodePlace(const std::uint8_t* p) {
  JournalPlace place;
  place.at = GetI64(p);
  place.before = GetI64(p + 8);
  place.length = static_cast<std::uint32_t>(GetI32(p + 16));
  place.checksum = static_cast<std::uint32_t>(GetI32(p + 20));
  return place;
}

}  // namespace

BlockStore::EditScope::EditScope(BlockStore& b) : b_(b) {
  if (b_.batch_ || b_.host_->readOnly || b_.reading_ > 0 || b_.holding_ > 0) {
    ended_ = true;  // a batch has its own mark; nothing is written otherwise
    return;
  }
  if (b_.editing_++ > 0) return;
  // Mends held from the open go to the file before the edit changes what
  // they are written from.
  ok_ = b_.WriteMends();
  b_.editHead_ = b_.head_;
  b_.editMap_ = b_.dbMap_;
  b_.editGroups_.clear();
  for (const auto& g : b_.groups_)
    b_.editGroups_.push_back(g ? std::optional<GroupIndex>(*g) : std::nullopt);
  b_.edit_.clear();
  b_.editFlushWanted_ = false;
  // Every header image the edit writes carries the mark, so that writing
  // them in place never clears it.
  b_.head_.SetByte(kHeadBatchMark, b_.head_.Byte(kHeadBatchMark) | kMarkEdit);
}

bool BlockStore::EditScope::End() {
  if (ended_) return ok_;
  ended_ = true;
  if (--b_.editing_ > 0) return ok_;
  return ok_ = b_.CommitEdit() && ok_;
}

void BlockStore::EditScope::GiveUp() {
  if (ended_) return;
  ended_ = true;
  ok_ = false;
  if (--b_.editing_ > 0) return;
  b_.edit_.clear();
  b_.DropEdit();
}

void BlockStore::KeepEditWrite(std::int64_t pos, const void* data, std::size_t len) {
  if (len == 0) return;
  std::int64_t from = pos, to = pos + static_cast<std::int64_t>(len);
  // The kept writes this one overlaps or touches become one with it.
  auto first = edit_.upper_bound(pos);
  if (first != edit_.begin()) {
    auto before = std::prev(first);
    if (before->first + static_cast<std::int64_t>(before->second.size()) >= pos) first = before;
  }
  auto last = first;
  while (last != edit_.end() && last->first <= to) {
    from = std::min(from, last->first);
    to = std::max(to, last->first + static_cast<std::int64_t>(last->second.size()));
    ++last;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(to - from));
  for (auto it = first; it != last; ++it)
    std::copy(it->second.begin(), it->second.end(), bytes.begin() + (it->first - from));
  std::memcpy(bytes.data() + (pos - from), data, len);
  edit_.erase(first, last);
  edit_.emplace(from, std::move(bytes));
}

void BlockStore::OverlayWrites(const Writes& writes, std::int64_t pos, void* data,
                               std::size_t len) {
  if (writes.empty() || len == 0) return;
  const std::int64_t end = pos + static_cast<std::int64_t>(len);
  auto it = writes.upper_bound(pos);
  if (it != writes.begin()) --it;
  for (; it != writes.end() && it->first < end; ++it) {
    const std::int64_t wend = it->first + static_cast<std::int64_t>(it->second.size());
    const std::int64_t from = std::max(pos, it->first), to = std::min(end, wend);
    if (from < to)
      std::memcpy(static_cast<std::uint8_t*>(data) + (from - pos),
                  it->second.data() + (from - it->first), static_cast<std::size_t>(to - from));
  }
}

std::int64_t BlockStore::EditEnd() const {
  if (edit_.empty()) return 0;
  const auto& last = *edit_.rbegin();
  return last.first + static_cast<std::int64_t>(last.second.size());
}

long long BlockStore::FileSize() const {
  // An unfinished journal still ends the file; the blocks end where it starts.
  const long long size = journalUnfinished_ ? journalAt_ : host_->Io().Size();
  return std::max<long long>(size, EditEnd());
}

bool BlockStore::CommitEdit() {
  plat::RandomAccessFile& io = host_->Io();
  const std::uint8_t marked = head_.Byte(kHeadBatchMark);
  const std::uint8_t unmarked = marked & ~kMarkEdit;
  head_.SetByte(kHeadBatchMark, unmarked);
  auto edit = std::move(edit_);
  edit_.clear();
  if (edit.empty()) return true;
  // An earlier edit's journal that is not yet in place ends the file: it
  // goes in place first, or this edit is given up.
  if (!FinishJournal()) {
    DropEdit();
    return false;
  }

  JournalPlace place;
  place.before = std::max<long long>(io.Size(), 0);
  std::int64_t end = 0;
  std::size_t size = 0;
  for (const auto& [pos, bytes] : edit) {
    end = std::max(end, pos + static_cast<std::int64_t>(bytes.size()));
    size += kEntryHead + bytes.size();
  }
  place.at = std::max(place.before, end);
  // From the file's end on, one write: the edit's new blocks (zero where
  // nothing was kept), then the journal. The file then holds every page
  // the writes in place need, and a full disk stops the edit before any.
  const auto grown = static_cast<std::size_t>(place.at - place.before);
  std::vector<std::uint8_t> tail(grown + size, 0);
  for (const auto& [pos, bytes] : edit) {
    const std::int64_t from = std::max(pos, place.before);
    if (from >= pos + static_cast<std::int64_t>(bytes.size())) continue;
    std::copy(bytes.begin() + (from - pos), bytes.end(), tail.begin() + (from - place.before));
  }
  std::uint8_t* p = tail.data() + grown;
  for (const auto& [pos, bytes] : edit) {
    PutI64(p, pos);
    PutI32(p + 8, static_cast<std::int32_t>(bytes.size()));
    std::memcpy(p + kEntryHead, bytes.data(), bytes.size());
    p += kEntryHead + bytes.size();
  }
  place.length = static_cast<std::uint32_t>(size);
  place.checksum = Checksum(tail.data() + grown, size);
  std::uint8_t placeBytes[kEditJournalPlaceSize];
  EncodePlace(place, placeBytes);

  // The mark and journal place the file holds, put back when the journal
  // cannot be written.
  std::uint8_t was[kEditJournalPlace + kEditJournalPlaceSize - kHeadBatchMark];
  const bool wasRead = io.ReadAt(kHeadBatchMark, was, sizeof was);
  // Until the journal is whole on the file (and on the disk, when the edit
  // takes new blocks) nothing is written in place.
  const bool journalWritten = PutNow(kEditJournalPlace, placeBytes, sizeof placeBytes) &&
                              PutNow(kHeadBatchMark, &marked, 1) &&
                              PutNow(place.before, tail.data(), tail.size());
  const std::uint64_t failures = writeFailures_;
  if (journalWritten && std::exchange(editFlushWanted_, false)) Flush();
  if (!journalWritten || writeFailures_ != failures) {
    // Best effort after the failure: the edit is given up either way, and an
    // open that finds a journal that is not whole cuts it off.
    if (io.Size() > place.before) (void)io.Truncate(static_cast<std::uint64_t>(place.before));
    if (wasRead) {
      (void)PutNow(kHeadBatchMark, was, 1);
      (void)PutNow(kEditJournalPlace, was + (kEditJournalPlace - kHeadBatchMark),
                   kEditJournalPlaceSize);
    } else {
      (void)PutNow(kHeadBatchMark, &unmarked, 1);
    }
    DropEdit();
    return false;
  }
  // The edit stands from here: what is not yet in place when a write fails
  // waits in memory, and the next open finishes it from the journal.
  unfinished_.clear();
  for (auto& [pos, bytes] : edit) {
    if (pos >= place.before) continue;  // written with the journal
    if (pos + static_cast<std::int64_t>(bytes.size()) > place.before)
      bytes.resize(static_cast<std::size_t>(place.before - pos));
    unfinished_.emplace(pos, std::move(bytes));
  }
  journalAt_ = place.at;
  journalUnfinished_ = true;
  (void)FinishJournal();  // a failure is counted and told
  return true;
}

bool BlockStore::FinishJournal() {
  if (!journalUnfinished_) return true;
  plat::RandomAccessFile& io = host_->Io();
  bool done = true;
  for (auto it = unfinished_.begin(); done && it != unfinished_.end();) {
    done = io.WriteAt(static_cast<std::uint64_t>(it->first), it->second.data(), it->second.size());
    if (done) it = unfinished_.erase(it);
  }
  done = done && (io.Size() <= journalAt_ || io.Truncate(static_cast<std::uint64_t>(journalAt_)));
  const std::uint8_t mark = head_.Byte(kHeadBatchMark) & ~kMarkEdit;
  done = done && io.WriteAt(kHeadBatchMark, &mark, 1);
  if (!done) {
    NoteWriteFailure();
    return false;
  }
  journalUnfinished_ = false;
  return true;
}

void BlockStore::DropEdit() {
  head_ = editHead_;
  dbMap_ = editMap_;
  for (std::size_t g = 0; g < groups_.size(); ++g)
    if (g < editGroups_.size())
      groups_[g] = editGroups_[g] ? std::make_unique<GroupIndex>(*editGroups_[g]) : nullptr;
  groups_.resize(editGroups_.size());
  editFlushWanted_ = false;
  if (onEditDropped_) onEditDropped_();
}

std::int64_t BlockStore::NamedBlocksEnd(std::int64_t bound) {
  plat::RandomAccessFile& io = host_->Io();
  std::uint8_t counts[8];
  if (!io.ReadAt(kHeadUsedPositions, counts, sizeof counts)) return -1;
  const std::int32_t used = GetI32(counts), groups = GetI32(counts + 4);
  if (groups < 1 || groups > kMaxGroups || used < 1 || used > kGroupPositions) return -1;
  std::int64_t end = BlockOffset(groups - 1, used);
  const long long size = io.Size();
  std::vector<std::uint8_t> first(kBlockSize);
  for (int g = 0; g < kMaxGroups && FirstBlockOffset(g) < std::min<long long>(bound, size); ++g) {
    const long long got =
        io.ReadSomeAt(static_cast<std::uint64_t>(FirstBlockOffset(g)), first.data(), first.size());
    if (got < 1 || first[0] != kBlockFirst) break;
    end = std::max(end, FirstBlockOffset(g) + kBlockSize);
    for (int k = 1; k < got; ++k)
      if (first[k] != 0 && BlockOffset(g, k) < size)
        end = std::max(end, BlockOffset(g, k) + kBlockSize);
  }
  return end;
}

void BlockStore::RecoverEdit() {
  journalDoubtful_ = false;
  plat::RandomAccessFile& io = host_->Io();
  std::uint8_t mark = 0;
  if (!io.ReadAt(kHeadBatchMark, &mark, 1) || (mark & kMarkEdit) == 0) return;
  std::uint8_t placeBytes[kEditJournalPlaceSize];
  if (!io.ReadAt(kEditJournalPlace, placeBytes, sizeof placeBytes)) return;
  const JournalPlace place = DecodePlace(placeBytes);
  const long long size = io.Size();
  const std::int64_t journalEnd = place.at + std::int64_t{place.length};
  const bool sane = place.before >= kBlocksOffset && place.before <= place.at &&
                    place.length >= kEntryHead && place.at <= kMaxGroups * kGroupBytes;
  std::vector<std::uint8_t> journal;
  bool whole = sane && size == journalEnd;
  if (whole) {
    journal.resize(place.length);
    whole = io.ReadAt(static_cast<std::uint64_t>(place.at), journal.data(), journal.size()) &&
            Checksum(journal.data(), journal.size()) == place.checksum;
  }
  Writes writes;
  for (std::size_t at = 0; whole && at < journal.size();) {
    if (journal.size() - at < kEntryHead) {
      whole = false;
      break;
    }
    const std::int64_t pos = GetI64(journal.data() + at);
    const auto len = static_cast<std::uint32_t>(GetI32(journal.data() + at + 8));
    at += kEntryHead;
    if (pos < 0 || len > journal.size() - at || pos + len > place.at) {
      whole = false;
      break;
    }
    writes[pos].assign(journal.begin() + at, journal.begin() + at + len);
    at += len;
  }
  // A journal is trusted only as the commit leaves it: whole, with no block
  // named past it; cut short before anything went in place, with no block
  // named past the file's length before it (that is all it cuts off); or cut
  // off after everything went in place. Anything else is damage (the mark
  // a damaged byte, the place an old one): nothing is written or cut off.
  const auto namesNothingPast = [this](std::int64_t end) {
    const std::int64_t named = NamedBlocksEnd(end);
    return named >= 0 && named <= end;
  };
  bool trusted = false, cut = false;
  if (whole) {
    trusted = namesNothingPast(place.at);
  } else if (sane && size >= place.before && size <= journalEnd) {
    cut = namesNothingPast(place.before);
    trusted = cut || (size == place.at && namesNothingPast(place.at));
  }
  if (!trusted) {
    journalDoubtful_ = true;
    return;
  }
  if (host_->readOnly) {
    // Read as the edit left it; nothing is written.
    if (whole) edit_ = std::move(writes);
    return;
  }
  bool written = true;
  if (whole) {
    for (const auto& [pos, bytes] : writes)
      written = written && PutNow(pos, bytes.data(), bytes.size());
    if (written && size > place.at) written = io.Truncate(static_cast<std::uint64_t>(place.at));
  } else if (cut && size > place.before) {
    // A journal cut short: nothing of it was written in place, so the
    // header and type maps name the blocks as they were, and what lies past
    // them is cut off.
    written = io.Truncate(static_cast<std::uint64_t>(place.before));
  }
  if (written && io.ReadAt(kHeadBatchMark, &mark, 1)) {
    mark &= ~kMarkEdit;
    // A mark left (the failure counted and told) has the next open do this again.
    (void)PutNow(kHeadBatchMark, &mark, 1);
  }
}
