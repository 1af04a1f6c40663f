// Notes: long texts in chains of 256-byte note blocks, each carrying a piece
// of up to 244 ANSEL characters. Line ends are stored as a single CR.
#include "NoteChains.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "Ansel.h"
#include "BlockStore.h"
#include "DbCodes.h"
#include "Ports.h"
#include "RecordStore.h"

using namespace orv;

namespace {

constexpr const char* kProgramCaption = "Korvane";
constexpr unsigned kWarning = plat::kMbOk | plat::kMbIconExclamation;

constexpr int kPiece = NoteBlockRec::kTextSize;
constexpr int kMaxChainBlocks = 32000;
constexpr int kNextField = 0;
constexpr int kPreviousField = 4;
constexpr int kOwnerField = 8;
constexpr int kTextField = 12;

std::string WithoutLineFeeds(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != '\n') out.push_back(c);
  return out;
}

// Length of a block's piece: up to its first zero, at most 244.
int PieceLength(const std::uint8_t* block) {
  int n = 0;
  while (n < kPiece && block[kTextField + n] != 0) ++n;
  return n;
}

int NoteFieldOffset(int apiType) {
  if (apiType == db::kIndividual) return 226;
  if (apiType == db::kMarriage) return 89;
  return -1;
}

RecordKind NoteOwnerKind(int apiType) {
  return apiType == db::kIndividual ? RecordKind::Individual : RecordKind::Marriage;
}

}  // namespace

NoteChains::NoteChains(BlockStore& blocks, RecordStore& records)
    : blocks_(blocks), records_(records), head_(blocks.Head()) {}

std::int32_t NoteChains::NewNoteBlock(bool reuse, std::int32_t owner) {
  const RecordLayout& l = LayoutOf(RecordKind::NoteBlock);
  std::int32_t b = reuse ? records_.PopChainHead(RecordKind::NoteBlock) : 0;
  const bool append = b == 0;
  if (append) {
    b = records_.Highest(RecordKind::NoteBlock) + 1;
    if (!blocks_.EnsureRecordBlocks(b, l.blockType, l.perBlock)) return 0;
  }
  std::uint8_t rec[NoteBlockRec::kSize] = {};
  PutI32(rec + 8, owner);
  if (!records_.WriteRaw(RecordKind::NoteBlock, b, rec)) return 0;
  if (append) head_.SetI32(l.highestField, b);
  // In a batch the header waits for its end; outside one a failure is
  // counted and told (PutNow) and the change under way fails by the count.
  (void)blocks_.WriteHeader(l.headPart);
  return b;
}

bool NoteChains::FreeNoteChain(std::int32_t first) {
  const std::int32_t highest = records_.Highest(RecordKind::NoteBlock);
  if (first <= 0 || first > highest) return true;
  // Each freed block becomes the new head of the free list; a chain that
  // loops back on itself is freed up to its first repeated block.
  std::vector<bool> seen(static_cast<std::size_t>(highest) + 1, false);
  bool written = true;
  std::int32_t b = first;
  while (b > 0 && b <= highest && !seen[b]) {
    seen[b] = true;
    std::uint8_t rec[NoteBlockRec::kSize];
    if (!records_.ReadRaw(RecordKind::NoteBlock, b, rec)) break;
    const std::int32_t next = GetI32(rec);
    const std::int32_t freeHead = head_.I32(kHeadNoteFreeHead);
    std::fill(rec, rec + NoteBlockRec::kSize, 0);
    PutI32(rec, freeHead);
    if (!records_.WriteRaw(RecordKind::NoteBlock, b, rec)) {
      records_.Blocks().TellOnce("Failed to delete note", "Failed to delete note", kProgramCaption,
                                 kWarning);
      written = false;
      b = next;
      continue;
    }
    if (freeHead > 0) {
      std::uint8_t old[NoteBlockRec::kSize];
      if (records_.ReadRaw(RecordKind::NoteBlock, freeHead, old)) {
        PutI32(old + 4, b);
        written = records_.WriteRaw(RecordKind::NoteBlock, freeHead, old) && written;
      }
    }
    head_.SetI32(kHeadNoteFreeHead, b);
    b = next;
  }
  // A batch holds the whole header back: that is no failure.
  return (blocks_.WriteHeader(HeadPart::Whole) || blocks_.InBatch()) && written;
}

namespace {

bool IsFreeNoteBlock(const std::uint8_t* rec) {
  return std::all_of(rec + 8, rec + NoteBlockRec::kSize, [](std::uint8_t b) { return b == 0; });
}

}  // namespace

bool NoteChains::FreeListIsSound() {
  const std::int32_t highest = records_.Highest(RecordKind::NoteBlock);
  std::vector<bool> inList(static_cast<std::size_t>(std::max(highest, 0)) + 1, false);
  std::uint8_t rec[NoteBlockRec::kSize];
  std::int32_t listed = 0;
  for (std::int32_t b = head_.I32(kHeadNoteFreeHead); b != 0; b = GetI32(rec)) {
    if (b < 0 || b > highest || inList[b] || !records_.ReadRaw(RecordKind::NoteBlock, b, rec) ||
        !IsFreeNoteBlock(rec))
      return false;
    inList[b] = true;
    ++listed;
  }
  std::int32_t free = 0;
  for (std::int32_t b = 1; b <= highest; ++b)
    if (records_.ReadRaw(RecordKind::NoteBlock, b, rec) && IsFreeNoteBlock(rec)) ++free;
  return free == listed;
}

bool NoteChains::RebuildFreeList() {
  const std::int32_t highest = records_.Highest(RecordKind::NoteBlock);
  std::vector<std::int32_t> free;
  std::uint8_t rec[NoteBlockRec::kSize];
  for (std::int32_t b = 1; b <= highest; ++b)
    if (records_.ReadRaw(RecordKind::NoteBlock, b, rec) && IsFreeNoteBlock(rec)) free.push_back(b);
  bool written = true;
  for (std::size_t i = 0; i < free.size(); ++i) {
    const std::int32_t next = i + 1 < free.size() ? free[i + 1] : 0;
    const std::int32_t previous = i > 0 ? free[i - 1] : 0;
    if (!records_.ReadRaw(RecordKind::NoteBlock, free[i], rec)) continue;
    if (GetI32(rec) == next && GetI32(rec + 4) == previous) continue;
    PutI32(rec, next);
    PutI32(rec + 4, previous);
    written = records_.WriteRaw(RecordKind::NoteBlock, free[i], rec) && written;
  }
  const std::int32_t first = free.empty() ? 0 : free.front();
  if (head_.I32(kHeadNoteFreeHead) != first) {
    head_.SetI32(kHeadNoteFreeHead, first);
    written = (blocks_.WriteHeader(HeadPart::Whole) || blocks_.InBatch()) && written;
  }
  return written;
}

std::int32_t NoteChains::GetFirstNoteBlock(std::int32_t r, int apiType) {
  const int field = NoteFieldOffset(apiType);
  if (field < 0) return 0;
  std::vector<std::uint8_t> rec(LayoutOf(NoteOwnerKind(apiType)).size);
  if (records_.IsLive(NoteOwnerKind(apiType), r, rec.data()) != 1) return 0;
  return GetI32(rec.data() + field);
}

std::int32_t NoteChains::CreateFirstNoteBlock(std::int32_t r, int apiType) {
  const int field = NoteFieldOffset(apiType);
  if (field < 0) return 0;
  const RecordKind kind = NoteOwnerKind(apiType);
  std::vector<std::uint8_t> rec(LayoutOf(kind).size);
  if (records_.IsLive(kind, r, rec.data()) != 1) return 0;
  const std::int32_t block = NewNoteBlock(true, r);
  if (block == 0) return 0;
  PutI32(rec.data() + field, block);
  records_.WriteRaw(kind, r, rec.data());
  return block;
}

int NoteChains::ReadNoteChain(std::int32_t first, std::string& out) {
  out.clear();
  notesCut_ = false;
  const std::int32_t highest = records_.Highest(RecordKind::NoteBlock);
  if (first <= 0 || first > highest) return 0;
  std::vector<bool> seen(static_cast<std::size_t>(highest) + 1, false);
  std::string ansel;
  std::uint8_t block[NoteBlockRec::kSize];
  std::int32_t b = first;
  int blocks = 0;
  while (b > 0 && b <= highest && !seen[b]) {
    if (blocks == kMaxChainBlocks) {
      notesCut_ = true;
      break;
    }
    if (!records_.ReadRaw(RecordKind::NoteBlock, b, block)) {
      if (blocks == 0) return 0;
      break;
    }
    seen[b] = true;
    ++blocks;
    ansel.append(reinterpret_cast<const char*>(block + kTextField), PieceLength(block));
    b = GetI32(block + kNextField);
  }
  std::string joined;
  joined.reserve(ansel.size() + ansel.size() / 16);
  for (char c : ansel) {
    joined.push_back(c);
    if (c == '\r') joined.push_back('\n');
  }
  out = AnselToAnsi(joined);
  return 1;
}

std::int32_t NoteChains::WriteNoteChain(std::int32_t first, const std::string& text,
                                        std::int32_t previous) {
  return WriteNoteChainAnsel(first, AnsiToAnsel(WithoutLineFeeds(text), -1), previous);
}

std::int32_t NoteChains::WriteNoteChainAnsel(std::int32_t first, const std::string& ansel,
                                             std::int32_t previous) {
  // A long note takes many blocks; the file is flushed once for all of them.
  BlockStore::FlushHold hold(blocks_);
  const std::int32_t highest = records_.Highest(RecordKind::NoteBlock);
  if (first <= 0 || first > highest) return 0;
  std::uint8_t block[NoteBlockRec::kSize];
  if (!records_.ReadRaw(RecordKind::NoteBlock, first, block)) return 0;
  const std::int32_t owner = GetI32(block + kOwnerField);

  // Blocks written in this call; an old chain that loops or runs into
  // another record's notes must not be written over twice or taken over.
  std::vector<std::int32_t> used;
  auto isUsed = [&](std::int32_t b) {
    return std::find(used.begin(), used.end(), b) != used.end();
  };
  auto ownBlock = [&](std::int32_t b) {
    if (b <= 0 || b > records_.Highest(RecordKind::NoteBlock) || isUsed(b)) return false;
    std::uint8_t other[NoteBlockRec::kSize];
    return records_.ReadRaw(RecordKind::NoteBlock, b, other) &&
           GetI32(other + kOwnerField) == owner;
  };

  std::int32_t c = first;
  std::int32_t prev = previous;
  std::size_t pos = 0;
  std::int32_t following = 0;
  for (;;) {
    records_.ReadRaw(RecordKind::NoteBlock, c, block);
    following = GetI32(block + kNextField);
    used.push_back(c);
    const std::size_t len = std::min<std::size_t>(kPiece, ansel.size() - pos);
    std::memset(block, 0, sizeof block);
    PutI32(block + kOwnerField, owner);
    PutI32(block + kPreviousField, prev);
    std::memcpy(block + kTextField, ansel.data() + pos, len);
    pos += len;
    const bool remains = pos < ansel.size();
    std::int32_t next = 0;
    if (remains) {
      next = ownBlock(following) ? following : NewNoteBlock(true, owner);
      // Without a further block the text ends here.
      if (next != 0) following = 0;
    }
    PutI32(block + kNextField, next);
    if (!records_.WriteRaw(RecordKind::NoteBlock, c, block) || (remains && next == 0)) return 0;
    if (!remains) break;
    prev = c;
    c = next;
  }

  // The rest of the old chain, as far as it is this owner's and not reused.
  if (ownBlock(following)) {
    std::int32_t last = following;
    std::vector<std::int32_t> rest{following};
    for (;;) {
      records_.ReadRaw(RecordKind::NoteBlock, last, block);
      const std::int32_t n = GetI32(block + kNextField);
      if (!ownBlock(n) || std::find(rest.begin(), rest.end(), n) != rest.end()) {
        if (n != 0) {
          PutI32(block + kNextField, 0);
          if (!records_.WriteRaw(RecordKind::NoteBlock, last, block)) return 0;
        }
        break;
      }
      rest.push_back(n);
      last = n;
    }
    if (!FreeNoteChain(following)) return 0;
  }
  return first;
}

int NoteChains::SetNoteText(std::int32_t& field, const std::string& text, std::int32_t owner) {
  if (text.empty()) {
    FreeNoteChain(field);
    field = 0;
    return 1;
  }
  if (field <= 0) {
    field = NewNoteBlock(true, owner);
    if (field == 0) return 0;
  }
  return WriteNoteChain(field, text, 0) != 0 ? 1 : 0;
}

std::int32_t NoteChains::AppendNotes(std::int32_t first, const std::string& text) {
  const std::int32_t highest = records_.Highest(RecordKind::NoteBlock);
  if (first <= 0 || first > highest) return 0;
  // The whole text is converted first; the pieces are cut from the result.
  const std::string ansel = AnsiToAnsel(WithoutLineFeeds(text), -1);
  std::vector<bool> seen(static_cast<std::size_t>(highest) + 1, false);
  std::uint8_t block[NoteBlockRec::kSize];
  std::int32_t last = 0;
  for (std::int32_t b = first; b > 0 && b <= highest && !seen[b];) {
    std::uint8_t rec[NoteBlockRec::kSize];
    if (!records_.ReadRaw(RecordKind::NoteBlock, b, rec)) break;
    seen[b] = true;
    std::memcpy(block, rec, sizeof block);
    last = b;
    b = GetI32(rec + kNextField);
  }
  if (last == 0) return 0;
  const int length = PieceLength(block);
  const std::size_t room = static_cast<std::size_t>(kPiece - length);
  const std::size_t take = std::min(room, ansel.size());
  std::memcpy(block + kTextField + length, ansel.data(), take);
  std::int32_t next = 0;
  bool written = true;
  if (take < ansel.size()) {
    next = NewNoteBlock(true, GetI32(block + kOwnerField));
    written = next != 0 && WriteNoteChainAnsel(next, ansel.substr(take), last) != 0;
  }
  // The last block ends the chain (also one that looped back).
  PutI32(block + kNextField, next);
  if (!records_.WriteRaw(RecordKind::NoteBlock, last, block) || !written) return 0;
  return first;
}

int NoteChains::GetNotesText(std::int32_t recordOrBlock, bool isBlock, int type, std::string& out) {
  BlockStore::ReadScope reading(blocks_);
  out.clear();
  const std::int32_t first = isBlock ? recordOrBlock : GetFirstNoteBlock(recordOrBlock, type);
  if (first <= 0) return 0;
  return ReadNoteChain(first, out) ? 1 : 0;
}

int NoteChains::SetNotes(std::int32_t recordOrBlock, const std::string& text, int mode,
                         bool isBlock, int type) {
  BlockStore::EditScope edit(blocks_);
  const int set = SetNotesNow(recordOrBlock, text, mode, isBlock, type);
  if (set == 0) edit.GiveUp();
  return edit.End() ? set : 0;
}

int NoteChains::SetNotesNow(std::int32_t recordOrBlock, const std::string& text, int mode,
                            bool isBlock, int type) {
  BlockStore::FlushHold hold(blocks_);
  std::int32_t first = recordOrBlock;
  if (!isBlock) {
    if (type != db::kIndividual && type != db::kMarriage) return 0;
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
        return DeleteNotesNow(recordOrBlock, type);
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

int NoteChains::DeleteNotes(std::int32_t record, int type) {
  BlockStore::EditScope edit(blocks_);
  const int deleted = DeleteNotesNow(record, type);
  if (deleted == 0) edit.GiveUp();
  return edit.End() ? deleted : 0;
}

int NoteChains::DeleteNotesNow(std::int32_t record, int type) {
  const std::int32_t first = GetFirstNoteBlock(record, type);
  if (type == db::kIndividual) {
    IndividualRec person;
    if (records_.IsLive(RecordKind::Individual, record) != 1 || !records_.Read(record, person))
      return 0;
    person.firstNote = 0;
    if (!records_.Write(record, person)) return 0;
  } else if (type == db::kMarriage) {
    MarriageRec m;
    if (records_.IsLive(RecordKind::Marriage, record) != 1 || !records_.Read(record, m)) return 0;
    m.firstNote = 0;
    if (!records_.Write(record, m)) return 0;
  } else {
    return 0;
  }
  FreeNoteChain(first);
  return 1;
}
