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

std::uint32_t Checksum(const std::vector<std::uint8_t>& bytes) {
  std::uint32_t h = 2166136261u;
  for (const std::uint8_t b : bytes) h = (h ^ b) * 16777619u;
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

void BlockStore::OverlayEdit(std::int64_t pos, void* data, std::size_t len) const {
  if (edit_.empty() || len == 0) return;
  const std::int64_t end = pos + static_cast<std::int64_t>(len);
  auto it = edit_.upper_bound(pos);
  if (it != edit_.begin()) --it;
  for (; it != edit_.end() && it->first < end; ++it) {
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
  return std::max<long long>(host_->Io().Size(), EditEnd());
}

bool BlockStore::CommitEdit() {
  plat::RandomAccessFile& io = host_->Io();
  const std::uint8_t marked = head_.Byte(kHeadBatchMark);
  const std::uint8_t unmarked = marked & ~kMarkEdit;
  head_.SetByte(kHeadBatchMark, unmarked);
  auto edit = std::move(edit_);
  edit_.clear();
  if (edit.empty()) return true;

  JournalPlace place;
  place.before = io.Size();
  if (place.before < 0) place.before = 0;
  std::int64_t end = 0;
  std::size_t size = 0;
  for (const auto& [pos, bytes] : edit) {
    end = std::max(end, pos + static_cast<std::int64_t>(bytes.size()));
    size += kEntryHead + bytes.size();
  }
  place.at = std::max(place.before, end);
  std::vector<std::uint8_t> journal(size);
  std::uint8_t* p = journal.data();
  for (const auto& [pos, bytes] : edit) {
    PutI64(p, pos);
    PutI32(p + 8, static_cast<std::int32_t>(bytes.size()));
    std::memcpy(p + kEntryHead, bytes.data(), bytes.size());
    p += kEntryHead + bytes.size();
  }
  place.length = static_cast<std::uint32_t>(journal.size());
  place.checksum = Checksum(journal);
  std::uint8_t placeBytes[kEditJournalPlaceSize];
  EncodePlace(place, placeBytes);

  // Until the journal is whole on the file nothing is written in place.
  if (!PutNow(kEditJournalPlace, placeBytes, sizeof placeBytes) ||
      !PutNow(kHeadBatchMark, &marked, 1) || !PutNow(place.at, journal.data(), journal.size())) {
    // Best effort after the failure: the edit is given up either way, and an
    // open that finds a journal that is not whole cuts it off.
    if (io.Size() > place.before) (void)io.Truncate(static_cast<std::uint64_t>(place.before));
    (void)PutNow(kHeadBatchMark, &unmarked, 1);
    DropEdit();
    return false;
  }
  // From here the next open finishes what is not done. A write the disk
  // refused for a moment is tried once more, so that the edit is not left
  // half in place under the mark while later calls go on.
  const auto put = [&](std::int64_t pos, const void* data, std::size_t len) {
    return PutNow(pos, data, len) || PutNow(pos, data, len);
  };
  bool written = true;
  for (const auto& [pos, bytes] : edit) written = written && put(pos, bytes.data(), bytes.size());
  written = written && (io.Size() <= place.at || io.Truncate(static_cast<std::uint64_t>(place.at)));
  written = written && put(kHeadBatchMark, &unmarked, 1);
  if (!written) {
    head_.SetByte(kHeadBatchMark, marked);
    return false;
  }
  if (!std::exchange(editFlushWanted_, false)) return true;
  // The edit took new blocks: it stands once the system has them on the disk.
  const std::uint64_t failures = writeFailures_;
  Flush();
  return writeFailures_ == failures;
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

void BlockStore::RecoverEdit() {
  plat::RandomAccessFile& io = host_->Io();
  std::uint8_t mark = 0;
  if (!io.ReadAt(kHeadBatchMark, &mark, 1) || (mark & kMarkEdit) == 0) return;
  std::uint8_t placeBytes[kEditJournalPlaceSize];
  if (!io.ReadAt(kEditJournalPlace, placeBytes, sizeof placeBytes)) return;
  const JournalPlace place = DecodePlace(placeBytes);
  const long long size = io.Size();
  std::vector<std::uint8_t> journal;
  bool whole = place.at >= kBlocksOffset && place.before >= 0 && place.before <= place.at &&
               size >= place.at + static_cast<std::int64_t>(place.length);
  if (whole) {
    journal.resize(place.length);
    whole = io.ReadAt(static_cast<std::uint64_t>(place.at), journal.data(), journal.size()) &&
            Checksum(journal) == place.checksum;
  }
  std::map<std::int64_t, std::vector<std::uint8_t>> writes;
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
  } else if (size > place.at && size < place.at + static_cast<std::int64_t>(place.length) &&
             place.before <= place.at) {
    // A journal cut short: nothing of it was written in place, so the header
    // names the blocks as they were, and what lies past them is cut off.
    // Never a block the header names: the place may be an old one, and the
    // mark a damaged byte.
    std::uint8_t counts[8];
    if (io.ReadAt(kHeadUsedPositions, counts, sizeof counts)) {
      const std::int32_t used = GetI32(counts), groups = GetI32(counts + 4);
      if (groups >= 1 && groups <= kMaxGroups && used >= 1 && used <= kGroupPositions) {
        const std::int64_t blocksEnd = BlockOffset(groups - 1, used);
        const std::int64_t keep = std::max(place.before, blocksEnd);
        if (size > keep) written = io.Truncate(static_cast<std::uint64_t>(keep));
      }
    }
  }
  if (written && io.ReadAt(kHeadBatchMark, &mark, 1)) {
    mark &= ~kMarkEdit;
    // A mark left (the failure counted and told) has the next open do this again.
    (void)PutNow(kHeadBatchMark, &mark, 1);
  }
}
