// The string stores: entries found by text and kind in the store's tree,
// added at the store's write position, and read back by reference.
#include "StringStores.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

#include "Ansel.h"
#include "AnselCompare.h"
#include "BlockStore.h"
#include "CodePage.h"
#include "ORV3.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

using namespace orv;

namespace {

void Yo(const char* text) { plat::MessageBox(text, "Yo", plat::kMbOk); }

// The texts cached for the tree walks; dropped whole when this many are held.
constexpr std::size_t kMaxCachedTexts = 1 << 20;
constexpr std::size_t kMaxCachedKeys = 1 << 18;
constexpr std::size_t kMaxFoundTexts = 1 << 18;

}  // namespace

StringStores::StringStores(EngineHost* host, BlockStore& blocks)
    : host_(host), blocks_(blocks), head_(blocks.Head()) {}

bool StringStores::InStoreBlock(std::int32_t offset, int len) {
  const int type = blocks_.BlockTypeAt(offset);
  if ((type == kBlockNames || type == kBlockOtherNames) && blocks_.InBlockOfType(offset, len, type))
    return true;
  blocks_.ReportDamage(res::LoadString(res::kIdsLinkOutsideText));
  return false;
}

int StringStores::ReadEntry(std::int32_t offset, StringEntry& entry, bool convert) {
  entry = StringEntry{};
  if (offset <= 0) return 0;
  // An entry never crosses the end of its block.
  if (!InStoreBlock(offset, kEntryText + 1)) return 0;
  const std::int64_t room = kBlockSize - (std::int64_t{offset} - kBlocksOffset) % kBlockSize;
  std::uint8_t buf[kEntryMaxSize] = {};
  const long long got = blocks_.ReadSomeAt(
      offset, buf, static_cast<std::size_t>(std::min<std::int64_t>(room, sizeof buf)));
  if (got < kEntryText) return 0;
  entry.lesser = GetI32(buf + kEntryLesser);
  entry.greater = GetI32(buf + kEntryGreater);
  entry.parent = GetI32(buf + kEntryParent);
  entry.kind = buf[kEntryKind];
  int n = 0;
  while (n < kEntryMaxText && kEntryText + n < got && buf[kEntryText + n] != 0) ++n;
  entry.storedLength = n;
  entry.text.assign(reinterpret_cast<const char*>(buf + kEntryText), n);
  if (convert) entry.text = AnselToAnsi(entry.text);
  return entry.Size();
}

std::string StringStores::AnselTextOf(std::int32_t reference) {
  if (reference <= 0) return {};
  const auto it = entryTexts_.find(reference);
  if (it != entryTexts_.end()) return it->second;
  StringEntry entry;
  if (!ReadEntry(reference, entry, false)) return {};
  if (entryTexts_.size() >= kMaxCachedTexts) entryTexts_.clear();
  entryTexts_.emplace(reference, entry.text);
  return entry.text;
}

int StringStores::GetText(std::int32_t reference, std::string& out) {
  out.clear();
  StringEntry entry;
  if (!ReadEntry(reference, entry, true)) return 0;
  out = entry.text;
  return 1;
}

std::string StringStores::GetText(std::int32_t reference) {
  std::string out;
  GetText(reference, out);
  return out;
}

std::int32_t StringStores::FindString(const std::string& text, int kind, std::int32_t& parent,
                                      bool sameBytes) {
  return FindStored(text, AnsiToAnsel(text, kEntryMaxText), kind, parent, sameBytes);
}

std::int32_t StringStores::FindStored(const std::string& text, const std::string& ansel, int kind,
                                      std::int32_t& parent, bool sameBytes) {
  parent = 0;
  const StoreFields& store = StoreOfKind(kind);
  std::int32_t node = head_.I32(store.rootField);
  if (node == 0) return 0;
  // A tree that loops cannot be searched to an end.
  const std::int64_t maxSteps = std::int64_t{head_.I32(store.countField)} + 2;
  // Texts the collation weighs as equal (differing only in marks it ignores)
  // are still different texts: only the same stored bytes find an entry, and
  // the bytes order such entries after the kind.
  const std::uint64_t foundHash = sameBytes ? FoundHash(text, kind) : 0;
  if (sameBytes)
    if (const std::int32_t known = KnownEntry(foundHash, ansel, kind, parent)) return known;
  const StoreComparer compare(text);
  for (std::int64_t steps = 0; steps <= maxSteps; ++steps) {
    // The links and kind of each entry on the way; its text only when its
    // sort key is not kept or the keys tie.
    StringEntry entry;
    std::uint8_t head[kEntryText];
    if (!InStoreBlock(node, kEntryText + 1) || !blocks_.ReadAt(node, head, kEntryText)) return -3;
    entry.lesser = GetI32(head + kEntryLesser);
    entry.greater = GetI32(head + kEntryGreater);
    entry.parent = GetI32(head + kEntryParent);
    entry.kind = head[kEntryKind];
    bool lesser;
    switch (compare.ByKey(EntrySortKey(node))) {
      case kAlphaEqual: {
        const std::string stored = kind == entry.kind ? AnselTextOf(node) : std::string();
        const int tie = EntryTieOrder(kind, sameBytes ? ansel : stored, entry.kind, stored);
        if (tie == kAlphaEqual) {
          parent = entry.parent;
          if (sameBytes) KeepFound(foundHash, node);
          return node;
        }
        lesser = tie == kAlphaBefore;
        break;
      }
      case kAlphaBefore:
        lesser = true;
        break;
      case kAlphaAfter:
        lesser = false;
        break;
      default:
        Yo("Unknown Alpha Comparison");
        return -3;
    }
    const std::int32_t child = lesser ? entry.lesser : entry.greater;
    if (child == 0 || child == node) {
      parent = node;
      return lesser ? -2 : -1;
    }
    node = child;
  }
  return -3;
}

std::uint64_t StringStores::FoundHash(const std::string& text, int kind) {
  const std::uint64_t hash = std::hash<std::string_view>{}(text) ^
                             (static_cast<std::uint64_t>(kind) * 0x9E3779B97F4A7C15u);
  return hash == 0 ? 1 : hash;
}

std::size_t StringStores::FoundSlot(std::uint64_t hash) const {
  const std::size_t mask = foundEntries_.size() - 1;
  std::size_t at = static_cast<std::size_t>(hash) & mask;
  while (foundEntries_[at].hash != 0 && foundEntries_[at].hash != hash) at = (at + 1) & mask;
  return at;
}

void StringStores::KeepFound(std::uint64_t hash, std::int32_t offset) {
  // At most half the slots are used, so that a probe ends soon.
  if ((foundCount_ + 1) * 2 > foundEntries_.size()) {
    std::vector<FoundEntry> held;
    held.swap(foundEntries_);
    foundEntries_.resize(std::max<std::size_t>(1024, held.size() * 2));
    for (const FoundEntry& entry : held)
      if (entry.hash != 0) foundEntries_[FoundSlot(entry.hash)] = entry;
  }
  FoundEntry& slot = foundEntries_[FoundSlot(hash)];
  if (slot.hash == 0) ++foundCount_;
  slot = {hash, offset};
}

std::int32_t StringStores::KnownEntry(std::uint64_t hash, const std::string& ansel, int kind,
                                      std::int32_t& parent) {
  const int codePage = plat::ActiveCodePage();
  if (codePage != foundCodePage_ || foundCount_ >= kMaxFoundTexts) {
    foundEntries_.clear();
    foundCount_ = 0;
    foundCodePage_ = codePage;
  }
  if (foundEntries_.empty()) return 0;
  FoundEntry& found = foundEntries_[FoundSlot(hash)];
  if (found.offset == 0) return 0;
  // Entries never move and a search meets a text's entry before any added
  // later; one rewritten since (in place, or by a repair) is searched again.
  // A text whose hash another has meets that one's entry, which fails the
  // check as well.
  const std::int32_t offset = found.offset;
  const std::size_t len = kEntryText + ansel.size() + 1;
  std::uint8_t entry[kEntryMaxSize];
  const int type = blocks_.BlockTypeAt(offset);
  if ((type != kBlockNames && type != kBlockOtherNames) ||
      !blocks_.InBlockOfType(offset, static_cast<std::int64_t>(len), type) ||
      !blocks_.ReadAt(offset, entry, len) || entry[kEntryKind] != kind ||
      std::memcmp(entry + kEntryText, ansel.data(), ansel.size()) != 0 || entry[len - 1] != 0) {
    found.offset = 0;
    return 0;
  }
  parent = GetI32(entry + kEntryParent);
  return offset;
}

std::int32_t StringStores::AddEntry(const std::string& ansel, int kind, std::int32_t parent,
                                    std::int32_t found) {
  const StoreFields& store = StoreOfKind(kind);
  const bool empty = head_.I32(store.rootField) == 0;
  std::int32_t next = head_.I32(store.nextField);
  const std::int32_t end = head_.I32(store.endField);
  // The write position must lie in a block of the store with room for any
  // entry; a damaged one is left for a new block.
  const bool roomAtNext = std::int64_t{end} - next >= kEntryMaxSize &&
                          blocks_.InBlockOfType(next, kEntryMaxSize, store.blockType);
  if (empty || !roomAtNext) {
    const std::int64_t block = blocks_.AllocateBlock(store.blockType);
    // Entries are named by 32-bit offsets: a block beyond them cannot hold one.
    if (block < 0 || block > std::numeric_limits<std::int32_t>::max() - kBlockSize) return 0;
    next = static_cast<std::int32_t>(block);
    head_.SetI32(store.endField, next + kBlockSize);
    if (empty) head_.SetI32(store.rootField, next);
  }
  const int size = static_cast<int>(ansel.size()) + kEntryText + 1;
  std::uint8_t buf[kEntryMaxSize] = {};
  PutI32(buf + kEntryParent, found < 0 ? parent : 0);
  buf[kEntryKind] = static_cast<std::uint8_t>(kind);
  std::memcpy(buf + kEntryText, ansel.data(), ansel.size());
  if (!blocks_.Put(next, buf, static_cast<std::size_t>(size))) return 0;
  const std::int32_t count = head_.I32(store.countField);
  head_.SetI32(store.countField,
               count < std::numeric_limits<std::int32_t>::max() ? count + 1 : count);
  head_.SetI32(store.nextField, next + size);
  bool written = blocks_.WriteHeader(store.part);
  if (store.part == HeadPart::Counters) host_->nameEntries = head_.I32(store.countField);
  if (found == -2 || found == -1)
    written = WriteEntryField(parent, found == -2 ? kEntryLesser : kEntryGreater, next) && written;
  entryTexts_[next] = ansel;
  return written ? next : 0;
}

std::int32_t StringStores::FindOrAddString(const std::string& text, int kind, bool replace) {
  if (text.empty()) return 0;
  return FindOrAddStored(text, AnsiToAnsel(text, kEntryMaxText), kind, replace);
}

std::int32_t StringStores::FindOrAddStored(const std::string& text, const std::string& ansel,
                                           int kind, bool replace) {
  std::int32_t parent = 0;
  const std::int32_t found = FindStored(text, ansel, kind, parent, !replace);
  if (found > 0) {
    if (!replace) return found;
    // Rewriting in place keeps the entry's size, which the walks through a
    // store's blocks step by; a text of another length gets an entry of its
    // own, right after the found one in the tree.
    if (ReplaceEntryText(found, text, true)) return found;
    StringEntry entry;
    if (!ReadEntry(found, entry, false)) return 0;
    std::int32_t node = found;
    bool lesser = false;
    if (entry.greater != 0 && entry.greater != found) {
      node = entry.greater;
      lesser = true;
      const std::int64_t maxSteps = std::int64_t{head_.I32(StoreOfKind(kind).countField)} + 2;
      for (std::int64_t steps = 0; steps <= maxSteps; ++steps) {
        StringEntry e;
        if (!ReadEntry(node, e, false)) return 0;
        if (e.lesser == 0 || e.lesser == node) break;
        node = e.lesser;
      }
    }
    return AddEntry(ansel, kind, node, lesser ? -2 : -1);
  }
  if (found < -2) return 0;
  return AddEntry(ansel, kind, parent, found);
}

int StringStores::SetTextReference(const std::string& text, int kind, std::int32_t& field) {
  // The same stored bytes, not an equal collation, leave the field as it is.
  const std::string ansel = AnsiToAnsel(text, kEntryMaxText);
  if (ansel == AnselTextOf(field)) return 0;
  field = text.empty() ? 0 : FindOrAddStored(text, ansel, kind, false);
  return 1;
}

int StringStores::ReplaceEntryText(std::int32_t offset, const std::string& text, bool convert) {
  if (offset <= 0) return 0;
  StringEntry entry;
  if (!ReadEntry(offset, entry, false)) return 0;
  std::string ansel = convert ? AnsiToAnsel(text, kEntryMaxText) : text;
  if (ansel.size() > static_cast<std::size_t>(kEntryMaxText)) ansel.resize(kEntryMaxText);
  if (static_cast<int>(ansel.size()) != entry.storedLength) return 0;
  if (host_->readOnly) return 1;
  ++textChanges_;
  entryKeys_.erase(offset);
  if (!blocks_.Put(std::int64_t{offset} + kEntryText, ansel.data(), ansel.size())) return 0;
  entryTexts_[offset] = ansel;
  return 1;
}

void StringStores::ForgetKept() {
  entryTexts_.clear();
  entryKeys_.clear();
  foundEntries_.clear();
  foundCount_ = 0;
  ++textChanges_;
}

const std::string& StringStores::EntrySortKey(std::int32_t offset) {
  const int codePage = plat::ActiveCodePage();
  if (codePage != keysCodePage_ || entryKeys_.size() >= kMaxCachedKeys) {
    entryKeys_.clear();
    keysCodePage_ = codePage;
  }
  const auto it = entryKeys_.find(offset);
  if (it != entryKeys_.end()) return it->second;
  return entryKeys_.emplace(offset, StoredSortKey(AnselTextOf(offset))).first->second;
}

int StringStores::WriteEntryField(std::int32_t offset, int fieldOffset, std::int32_t value) {
  if (offset <= 0 || !InStoreBlock(offset, kEntryText + 1)) return 0;
  std::uint8_t b[4];
  PutI32(b, value);
  return blocks_.Put(std::int64_t{offset} + fieldOffset, b, 4) ? 1 : 0;
}

int StringStores::FindText(const std::string& text, int kind, std::string& out) {
  out.clear();
  if (text.empty()) return 0;
  std::int32_t parent = 0;
  const std::int32_t found = FindString(text, kind, parent);
  if (found <= 0) return 0;
  return GetText(found, out);
}

int StringStores::RecoverStringStores() {
  int mended = 0;
  for (int kind : {0, 4}) {
    const StoreFields& store = StoreOfKind(kind);
    // Blocks are allocated in ascending positions of the last group, so the
    // store's last block in group and position order is its newest.
    std::int64_t firstBlock = -1, lastBlock = -1;
    for (int g = 0; g < blocks_.GroupCount(); ++g) {
      const GroupIndex* group = blocks_.Group(g);
      const int n = group ? group->TypeCount(store.blockType) : 0;
      if (n <= 0) continue;
      if (firstBlock < 0) firstBlock = BlockOffset(g, group->Position(store.blockType, 0));
      lastBlock = BlockOffset(g, group->Position(store.blockType, n - 1));
    }
    if (lastBlock < 0) continue;
    auto written = [this](std::int64_t offset) {
      std::uint8_t head[kEntryText + 1] = {};
      if (blocks_.ReadSomeAt(offset, head, sizeof head) < static_cast<long long>(sizeof head))
        return false;
      return std::any_of(std::begin(head), std::end(head), [](std::uint8_t b) { return b != 0; });
    };
    bool changed = false;
    if (head_.I32(store.rootField) == 0 && written(firstBlock)) {
      head_.SetI32(store.rootField, static_cast<std::int32_t>(firstBlock));
      changed = true;
    }
    std::int64_t next = head_.I32(store.nextField);
    std::int64_t end = head_.I32(store.endField);
    if (end != lastBlock + kBlockSize || next < lastBlock || next > end) {
      // The stored position lies in an older block: the newest block holds
      // entries from its start on (or none, and then it is used from there).
      next = lastBlock;
      end = lastBlock + kBlockSize;
      changed = true;
    }
    std::int32_t count = head_.I32(store.countField);
    StringEntry entry;
    while (end - next > kEntryText && written(next)) {
      const int size = ReadEntry(static_cast<std::int32_t>(next), entry, false);
      if (size <= 0 || next + size > end) break;
      next += size;
      ++count;
      changed = true;
    }
    if (!changed) continue;
    head_.SetI32(store.nextField, static_cast<std::int32_t>(next));
    head_.SetI32(store.endField, static_cast<std::int32_t>(end));
    head_.SetI32(store.countField, count);
    ++mended;
  }
  // A mend of the open: memory holds it; a failed write is counted and told.
  if (mended) (void)blocks_.WriteHeader(HeadPart::Whole);
  return mended;
}
