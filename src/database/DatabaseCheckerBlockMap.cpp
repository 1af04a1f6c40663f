#include "DatabaseChecker.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "AlphaIndexFile.h"
#include "Ansel.h"
#include "AnselCompare.h"
#include "DatabaseCheckerParts.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "FileCopy.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "MixedCase.h"
#include "ORV3.h"
#include "Ports.h"
#include "StringTable.h"

using namespace orv;
using namespace checkrepair;

// ---- header and block map ---------------------------------------------------

int CDatabaseChecker::CheckFileMap() {
  BlockMapCounts counts;
  counts.size = database_.host.Io().Size();
  if (counts.size < kBlockSize + kBlocksOffset) {
    Line("The file is not the proper size.");
    return -1;
  }
  for (auto& list : blocks_) list.clear();
  // The header as the file holds it, before anything here is written.
  FileHead headerBefore;
  if (!engine_.Blocks().ReadAt(0, headerBefore.Data(), kHeaderSize)) headerBefore = head_;
  if (ReadGroupMaps(counts) < 0) return -1;
  mapRead_ = true;

  if (!CheckDBMapType(counts.maps, counts.perGroup, counts.perType, counts.blocks)) return -1;
  if (RetypeBlocks(counts.maps, counts.perGroup, counts.perType, counts.blocks, headerBefore) < 0)
    return -1;
  if (counts.padded) RestoreHeaderNumbers(headerBefore, true);
  if (counts.cutStore.second >= 0) PlaceCutStoreEnd(counts.cutStore);
  int differences = 0;
  for (const auto check :
       {&CDatabaseChecker::CheckDBMapCounts, &CDatabaseChecker::CheckHeaderBlockCounts,
        &CDatabaseChecker::CheckHeaderKindCounts}) {
    const int found = (this->*check)(counts);
    if (found < 0) return -1;
    differences += found;
  }
  return differences;
}

int CDatabaseChecker::ReadGroupMaps(BlockMapCounts& counts) {
  auto& blocks = engine_.Blocks();
  counts.perType.assign(kMapTypes + 1, 0);
  std::vector<std::uint8_t> map(kBlockSize);
  for (int g = 0; FirstBlockOffset(g) < counts.size; ++g) {
    for (int k = 0; k < 8; ++k) {
      if (!blocks.ReadAt(FirstBlockOffset(g) + 1024 * k, map.data() + 1024 * k, 1024)) {
        Line("FILE READ ERROR");
        return -1;
      }
    }
    if (map[0] != kBlockFirst) {
      Line("Datamap is invalid or does not exist.");
      return -1;
    }
    ++counts.groups;
    counts.perGroup.emplace_back(kMapTypes + 1, 0);
    counts.maps.push_back(map);
    if (MendCutBlock(g, map, counts) < 0 || CountGroupBlocks(g, map, counts) < 0) return -1;
    Step(g + 1, 20);
  }
  return 0;
}

int CDatabaseChecker::MendCutBlock(int g, const std::vector<std::uint8_t>& map,
                                   BlockMapCounts& counts) {
  auto& blocks = engine_.Blocks();
  const long long size = counts.size;
  const std::int64_t cutAt = (size - kBlocksOffset) % kBlockSize;
  const std::int64_t cutBlock = (size - kBlocksOffset) / kBlockSize;
  if (cutAt == 0 || cutBlock / kGroupPositions != g || cutBlock % kGroupPositions == 0 ||
      map[cutBlock % kGroupPositions] == 0)
    return 0;
  // The file ends inside a block: what lies before the end is kept, the
  // rest of the block reads as empty slots.
  const int j = static_cast<int>(cutBlock % kGroupPositions);
  const std::vector<std::uint8_t> zeros(static_cast<std::size_t>(kBlockSize - cutAt), 0);
  const bool fixed = repair_ && blocks.Put(size, zeros.data(), zeros.size());
  if (!LogProblem(Format("Block %lu of type %lu is cut short by the end of the file.",
                         U(std::int64_t{g} * kGroupPositions + j + 1), U(map[j])),
                  fixed))
    return -1;
  if (!fixed) return 0;
  counts.size = database_.host.Io().Size();
  blocks.BuildGroupIndex(g);
  counts.padded = true;
  if (map[j] == kBlockNames || map[j] == kBlockOtherNames) {
    counts.cutStore = {map[j], CutStringEntry(BlockOffset(g, j), cutAt)};
  } else if (const RecordLayout* layout = LayoutOfBlockType(map[j])) {
    // The record the cut goes through cannot be read back whole.
    const std::int64_t from = cutAt / layout->size * layout->size;
    const std::vector<std::uint8_t> part(static_cast<std::size_t>(cutAt - from), 0);
    // A failure is counted and told (PutNow), and the repair shows it.
    if (!part.empty()) (void)blocks.Put(BlockOffset(g, j) + from, part.data(), part.size());
  }
  return 0;
}

int CDatabaseChecker::CountGroupBlocks(int g, const std::vector<std::uint8_t>& map,
                                       BlockMapCounts& counts) {
  for (int j = 0; j < kBlockSize; ++j) {
    const int t = map[j];
    if (t == 0) continue;
    if (j > 0 && BlockOffset(g, j) + kBlockSize > counts.size) {
      // A position the file does not hold holds nothing: it is free.
      bool fixed = false;
      if (repair_) {
        const std::uint8_t zero = 0;
        fixed = engine_.Blocks().Put(FirstBlockOffset(g) + j, &zero, 1);
      }
      if (!LogProblem(Format("Block %lu of type %lu lies beyond the end of the file.",
                             U(std::int64_t{g} * kGroupPositions + j + 1), U(t)),
                      fixed))
        return -1;
      continue;
    }
    ++counts.blocks;
    if (t <= kMapTypes) {
      ++counts.perType[t];
      if (j > 0) ++counts.perGroup.back()[t];
      blocks_[t].push_back(BlockOffset(g, j));
    }
  }
  return 0;
}

void CDatabaseChecker::PlaceCutStoreEnd(const std::pair<int, std::int64_t>& cutStore) {
  const StoreFields& store = StoreOfKind(cutStore.first == kBlockNames ? 0 : 4);
  const std::int64_t start = cutStore.second - (cutStore.second - kBlocksOffset) % kBlockSize;
  head_.SetI32(store.nextField, static_cast<std::int32_t>(cutStore.second));
  head_.SetI32(store.endField, static_cast<std::int32_t>(start + kBlockSize));
  MarkHeaderDirty(store.nextField);
  MarkHeaderDirty(store.endField);
}

int CDatabaseChecker::CheckDBMapCounts(const BlockMapCounts& counts) {
  // The DBMap must count what the type maps show.
  auto& blocks = engine_.Blocks();
  const auto& perGroup = counts.perGroup;
  int differences = 0;
  for (int g = 0; g < static_cast<int>(perGroup.size()) && g < kMaxGroups; ++g)
    for (int t = 1; t <= kMapTypes; ++t) {
      const int stored = blocks.Map().Count(g, t);
      if (stored == perGroup[g][t]) continue;
      ++differences;
      const bool fixed = repair_ && blocks.MendDBMapCount(g, t, perGroup[g][t]);
      if (!LogProblem(Format("The DBMap count of %lu blocks of type %lu in group %lu does not "
                             "match the datamap block count of %lu.",
                             U(stored), U(t), U(g), U(perGroup[g][t])),
                      fixed))
        return -1;
    }
  return differences;
}

int CDatabaseChecker::CheckHeaderBlockCounts(const BlockMapCounts& counts) {
  int differences = 0;
  const std::int32_t headerGroups = head_.I32(kHeadGroups);
  if (headerGroups != counts.groups) {
    ++differences;
    if (!LogProblem(Format("The file header block count of %lu does not match block count of %lu.",
                           U(headerGroups), U(counts.groups)),
                    repair_ != 0))
      return -1;
    if (repair_) {
      head_.SetI32(kHeadGroups, static_cast<std::int32_t>(counts.groups));
      MarkHeaderDirty(kHeadGroups);
    }
  }
  const std::int64_t groups = head_.I32(kHeadGroups);
  const std::int64_t used = head_.I32(kHeadUsedPositions);
  const long blocksCounted = counts.blocks;
  if (used + groups * kGroupPositions != blocksCounted + kGroupPositions) {
    ++differences;
    const bool fixable = counts.size == std::int64_t{kBlockSize} * blocksCounted + kBlocksOffset;
    if (!LogProblem(Format("The file header block count of %lu does not match block count of %lu.",
                           U(used + (groups - 1) * kGroupPositions), U(blocksCounted)),
                    fixable && repair_))
      return -1;
    if (fixable && repair_) {
      head_.SetI32(
          kHeadUsedPositions,
          static_cast<std::int32_t>(blocksCounted - groups * kGroupPositions + kGroupPositions));
      MarkHeaderDirty(kHeadUsedPositions);
    }
  }
  return differences;
}

int CDatabaseChecker::CheckHeaderKindCounts(const BlockMapCounts& counts) {
  static const struct {
    int type;
    const char* name;
  } kKinds[] = {{kBlockNames, "Names"},
                {kBlockIndividuals, "Individual"},
                {kBlockMarriages, "Marriage"},
                {kBlockNotes, "Notes"},
                {kBlockCitations, "Citation"},
                {kBlockSources, "Sources"},
                {kBlockRepositories, "Repository"},
                {kBlockFamilyLinks, "Family link"},
                {kBlockDescriptors, "Descriptor"},
                {kBlockOtherNames, "Other name record"},
                {kBlockEventTypes, "Event type"},
                {kBlockMultimedia, "Multimedia record"},
                {kBlockUserEvents, "User event"},
                {kBlockContacts, "Contact"}};
  int differences = 0;
  for (const auto& k : kKinds) {
    const int field = BlockCountField(k.type);
    const std::int32_t stored = head_.I32(field);
    const long counted = counts.perType[k.type];
    if (stored == counted) continue;
    ++differences;
    if (!LogProblem(
            Format("The block count for %s of %lu does not match the datamap block count of %lu.",
                   k.name, U(stored), U(counted)),
            repair_ != 0))
      return -1;
    if (repair_) {
      head_.SetI32(field, static_cast<std::int32_t>(counted));
      MarkHeaderDirty(field);
    }
  }
  return differences;
}

std::int64_t CDatabaseChecker::CutStringEntry(std::int64_t block, std::int64_t cutAt) {
  // The entries before the cut stay; the one the cut goes through cannot be
  // read back and is cleared with what follows it.
  std::vector<std::uint8_t> buf(kBlockSize);
  auto& blocks = engine_.Blocks();
  if (!blocks.ReadAt(block, buf.data(), kBlockSize)) return -1;
  std::int64_t pos = 0;
  while (kBlockSize - pos >= kEntryMaxSize) {
    const NameEntry e = DecodeNameEntry(buf.data() + pos, block + pos);
    if (e.length == 0 || pos + kEntryText + e.length + 1 > cutAt) break;
    pos += kEntryText + e.length + 1;
  }
  if (pos < cutAt) {
    const std::vector<std::uint8_t> zeros(static_cast<std::size_t>(cutAt - pos), 0);
    if (!blocks.Put(block + pos, zeros.data(), zeros.size())) return -1;
  }
  return block + pos;
}

bool CDatabaseChecker::CheckDBMapType(const std::vector<std::vector<std::uint8_t>>& maps,
                                      std::vector<std::vector<int>>& perGroup,
                                      std::vector<long>& perType, long& blocksCounted) {
  // The block the header names as the DBMap (the open found it) must be
  // typed as the DBMap, or every later open finds the file damaged.
  auto& blocks = engine_.Blocks();
  const std::int32_t b = head_.I32(kHeadDBMapBlock);
  if (b < 1) return true;
  const int g = static_cast<int>((b - 1) / kGroupPositions);
  const int k = static_cast<int>((b - 1) % kGroupPositions);
  if (g >= static_cast<int>(maps.size()) || k == 0 || maps[g][k] == kBlockDBMap) return true;
  const int shown = maps[g][k];
  bool fixed = false;
  if (repair_) {
    const std::uint8_t type = kBlockDBMap;
    fixed = blocks.Put(FirstBlockOffset(g) + k, &type, 1) && blocks.BuildGroupIndex(g);
  }
  if (!LogProblem(Format("Block %lu of type %lu holds records of type %lu.", U(b), U(shown),
                         U(kBlockDBMap)),
                  fixed))
    return false;
  if (!fixed) return true;
  const std::int64_t offset = BlockOffset(g, k);
  if (shown >= 1 && shown <= kMapTypes) {
    auto& from = blocks_[shown];
    from.erase(std::remove(from.begin(), from.end(), offset), from.end());
    --perGroup[g][shown];
    --perType[shown];
  }
  if (shown == 0) ++blocksCounted;
  blocks_[kBlockDBMap].push_back(offset);
  ++perGroup[g][kBlockDBMap];
  ++perType[kBlockDBMap];
  return true;
}

namespace {

// What a block's bytes say about a kind of block: they cannot be of it, they
// show nothing either way (no slot in use, or a kind without marks), or they
// read as its records or texts.
enum class Fit { No, Unknown, Yes };

bool InFile(std::int32_t offset, long long size) {
  return offset == 0 || (offset >= kBlocksOffset && offset < size);
}

bool TextsInFile(const std::uint8_t* slot, int from, int count, long long size) {
  for (int i = 0; i < count; ++i)
    if (!InFile(GetI32(slot + from + 4 * i), size)) return false;
  return true;
}

// Bytes where a block's kind writes nothing that still leave it its kind.
constexpr long kMostStrayBytes = 4;

// The entries of a string store from the block's first byte on: links
// inside the file, a kind of the store, a text of 1 to 255 characters.
// Bytes after whole entries that read as none make the block dirty, not
// another kind's.
Fit FitsStringStore(int type, const std::vector<std::uint8_t>& block, long long size,
                    bool& dirty) {
  const int lowKind = type == kBlockNames ? 0 : 4;
  int entries = 0;
  for (std::size_t pos = 0; block.size() - pos >= kEntryMaxSize;) {
    const std::uint8_t* e = block.data() + pos;
    if (std::all_of(e, e + kEntryText + 1, [](std::uint8_t b) { return b == 0; })) break;
    std::size_t n = 0;
    while (n <= kEntryMaxText && e[kEntryText + n] != 0) ++n;
    if (!InFile(GetI32(e + kEntryLesser), size) || !InFile(GetI32(e + kEntryGreater), size) ||
        !InFile(GetI32(e + kEntryParent), size) || e[kEntryKind] < lowKind ||
        e[kEntryKind] > lowKind + 3 || n == 0 || n > kEntryMaxText) {
      // A stray byte or two after the entries; more is another kind's data.
      const auto stray = std::count_if(block.begin() + static_cast<std::ptrdiff_t>(pos),
                                       block.end(), [](std::uint8_t b) { return b != 0; });
      if (entries == 0 || stray > kMostStrayBytes) return Fit::No;
      dirty = true;
      break;
    }
    ++entries;
    pos += kEntryText + n + 1;
  }
  if (entries > 0) return Fit::Yes;
  return std::all_of(block.begin(), block.end(), [](std::uint8_t b) { return b == 0; })
             ? Fit::Unknown
             : Fit::No;
}

// Whether one record in use fits its kind: the marks a live record carries
// and text references that lie inside the file. Kinds without marks (the
// extensions) only fail on their text references.
// What a block is read against: the file's size, and the creation stamps of
// the individuals, which their extensions repeat.
struct FitContext {
  long long size = 0;
  std::unordered_set<std::int32_t> stamps;
};

bool FitsRecord(RecordKind kind, const std::uint8_t* r, const FitContext& context, bool& marked) {
  const long long size = context.size;
  const auto letter = [&](int at, std::string_view letters) {
    return letters.find(static_cast<char>(r[at])) != std::string_view::npos;
  };
  marked = true;
  switch (kind) {
    case RecordKind::Individual:
      return letter(0, "FMUfmu") && TextsInFile(r, 1, 5, size);
    case RecordKind::Marriage: {
      // A marriage of no stated status has status 0; it names a spouse.
      const std::int32_t husband = GetI32(r + 5), wife = GetI32(r + 9);
      return (letter(0, "NY") || (r[0] == 0 && husband + std::int64_t{wife} > 0)) &&
             husband >= 0 && wife >= 0;
    }
    case RecordKind::FamilyLink: {
      // A link names its child, its marriage or both (a child of unknown
      // parents has marriage 0).
      const std::int32_t marriage = GetI32(r + 1), child = GetI32(r + 13);
      return IsLinkType(r[0]) && marriage >= 0 && child >= 0 && marriage + std::int64_t{child} > 0;
    }
    case RecordKind::Citation:
    case RecordKind::Source:
    case RecordKind::Repository:
      return r[0] == 'N';
    case RecordKind::UserEvent:
      return letter(12, "IM") && GetI32(r) >= 0 && GetI32(r + 4) >= 0;
    case RecordKind::EventType:
      return letter(46, "IM") && TextsInFile(r, 0, 3, size);
    case RecordKind::Contact:
      return GetI32(r) > 0 && TextsInFile(r, 4, 10, size);
    case RecordKind::Multimedia:
      return GetI32(r) >= 0 && TextsInFile(r, 12, 4, size);
    case RecordKind::NoteBlock: {
      // Note numbers: no more blocks than the file could hold.
      const std::int64_t most = size / NoteBlockRec::kSize;
      const std::int32_t next = GetI32(r), previous = GetI32(r + 4), owner = GetI32(r + 8);
      return next >= 0 && next <= most && previous >= 0 && previous <= most && owner >= 0;
    }
    case RecordKind::IndividualExt: {
      const std::int32_t stamp = GetI32(r);
      marked = stamp != 0 && context.stamps.count(stamp) > 0;
      return (stamp == 0 || marked) && TextsInFile(r, 20, 6, size) && TextsInFile(r, 52, 5, size);
    }
    case RecordKind::SourceExt:
      marked = false;
      return TextsInFile(r, 12, 2, size);
  }
  return false;
}

// What the block's bytes say about a block type. A stray byte where the
// kind writes nothing (after its last slot, or after a store's entries)
// does not undo what the records or entries show; it sets dirty, so that a
// clean block is preferred where several read as the kind.
Fit FitsBlockType(int type, const std::vector<std::uint8_t>& block, const FitContext& context,
                  bool& dirty) {
  dirty = false;
  if (type == kBlockNames || type == kBlockOtherNames)
    return FitsStringStore(type, block, context.size, dirty);
  const RecordLayout* layout = LayoutOfBlockType(type);
  if (!layout) return Fit::No;
  bool marked = false, anyMarked = false;
  int used = 0;
  for (int i = 0; i < layout->perBlock; ++i) {
    const std::uint8_t* slot = block.data() + i * layout->size;
    if (std::all_of(slot, slot + layout->size, [](std::uint8_t b) { return b == 0; })) continue;
    ++used;
    if (IsDeletedRecord(layout->kind, slot)) continue;
    if (!FitsRecord(layout->kind, slot, context, marked)) return Fit::No;
    anyMarked = anyMarked || marked;
  }
  // The rest of the block after the last slot is never written: alone it
  // shows no kind.
  const auto tail = block.begin() + layout->perBlock * layout->size;
  const auto stray = std::count_if(tail, block.end(), [](std::uint8_t b) { return b != 0; });
  dirty = stray > 0;
  if (stray > kMostStrayBytes) return Fit::No;
  if (used > 0 && anyMarked) return Fit::Yes;
  // Records of a kind without marks read as it; a stray byte alone does not.
  return dirty && used == 0 ? Fit::No : Fit::Unknown;
}

// Block types the engine writes, each with its count in the DBMap.
bool IsKindInUse(int type) {
  return type == kBlockNames || type == kBlockOtherNames || type == kBlockDBMap ||
         LayoutOfBlockType(type) != nullptr;
}

}  // namespace

int CDatabaseChecker::RetypeBlocks(const std::vector<std::vector<std::uint8_t>>& maps,
                                   std::vector<std::vector<int>>& perGroup,
                                   std::vector<long>& perType, long& blocksCounted,
                                   const FileHead& headerBefore) {
  auto& blocks = engine_.Blocks();
  const long long size = database_.host.Io().Size();
  int retyped = 0;
  std::vector<std::uint8_t> block(kBlockSize);
  FitContext context{size, {}};
  bool stampsRead = false;
  for (int g = 0; g < static_cast<int>(perGroup.size()) && g < kMaxGroups; ++g) {
    // A block is typed before the DBMap counts it, so a kind the DBMap counts
    // more blocks of than the type map shows has lost blocks to damaged type
    // bytes: they are among the positions typed free, as no kind in use, or
    // as a kind shown more often than counted.
    std::vector<int> missing(kMapTypes + 1, 0);
    bool anyMissing = false;
    for (int t = 1; t <= kMapTypes; ++t) {
      if (t == kBlockFirst || !IsKindInUse(t)) continue;
      missing[t] = std::max(0, blocks.Map().Count(g, t) - perGroup[g][t]);
      anyMissing = anyMissing || missing[t] > 0;
    }
    if (!anyMissing) continue;
    if (!stampsRead) {
      stampsRead = true;
      const RecordLayout& individuals = LayoutOf(RecordKind::Individual);
      for (const std::int64_t at : blocks_[kBlockIndividuals]) {
        if (!blocks.ReadAt(at, block.data(), kBlockSize)) continue;
        for (int i = 0; i < individuals.perBlock; ++i) {
          const std::uint8_t* r = block.data() + i * individuals.size;
          if (!IsDeletedRecord(RecordKind::Individual, r) &&
              GetI32(r + IndividualRec::kCreatedOffset) != 0)
            context.stamps.insert(GetI32(r + IndividualRec::kCreatedOffset));
        }
      }
    }
    struct Candidate {
      int position;
      int shown;  // the type byte
      std::vector<Fit> fits;
      Fit fitsShown = Fit::Unknown;
      std::vector<bool> dirty;  // per kind: read as it past a stray byte
    };
    std::vector<Candidate> candidates;
    const std::vector<std::uint8_t>& map = maps[g];
    for (int k = 1; k < kGroupPositions; ++k) {
      const int shown = map[k];
      if (BlockOffset(g, k) + kBlockSize > size) break;
      const bool surplus = shown >= 1 && shown <= kMapTypes && IsKindInUse(shown) &&
                           shown != kBlockDBMap &&
                           perGroup[g][shown] > blocks.Map().Count(g, shown);
      if (shown != 0 && IsKindInUse(shown) && !surplus) continue;
      if (!blocks.ReadAt(BlockOffset(g, k), block.data(), kBlockSize)) continue;
      Candidate c{k, shown, std::vector<Fit>(kMapTypes + 1, Fit::No), Fit::Unknown,
                  std::vector<bool>(kMapTypes + 1, false)};
      for (int t = 1; t <= kMapTypes; ++t) {
        if (missing[t] <= 0 || t == kBlockDBMap) continue;
        bool dirty = false;
        c.fits[t] = FitsBlockType(t, block, context, dirty);
        c.dirty[t] = dirty;
      }
      bool dirtyShown = false;
      if (surplus) c.fitsShown = FitsBlockType(shown, block, context, dirtyShown);
      candidates.push_back(std::move(c));
    }
    // First the blocks that read as a missing kind, then those that read as
    // no kind, where the DBMap leaves one choice; a block shown as a kind in
    // use that also reads as that kind keeps it.
    const auto take = [&](Candidate& c, int want) -> int {
      bool fixed = false;
      if (repair_) {
        const std::uint8_t type = static_cast<std::uint8_t>(want);
        fixed = blocks.Put(FirstBlockOffset(g) + c.position, &type, 1) && blocks.BuildGroupIndex(g);
      }
      if (!LogProblem(
              Format("Block %lu of type %lu holds records of type %lu.",
                     U(std::int64_t{g} * kGroupPositions + c.position + 1), U(c.shown), U(want)),
              fixed))
        return -1;
      --missing[want];
      c.position = -c.position;  // taken
      if (!fixed) return 0;
      const std::int64_t offset = BlockOffset(g, -c.position);
      if (c.shown == 0) ++blocksCounted;
      if (c.shown >= 1 && c.shown <= kMapTypes) {
        auto& from = blocks_[c.shown];
        from.erase(std::remove(from.begin(), from.end(), offset), from.end());
        --perGroup[g][c.shown];
        --perType[c.shown];
      }
      auto& into = blocks_[want];
      into.insert(std::upper_bound(into.begin(), into.end(), offset), offset);
      ++perGroup[g][want];
      ++perType[want];
      ++retyped;
      return 0;
    };
    // First each block that reads as one missing kind only (and not as the
    // kind it is shown as), clean blocks before dirty ones, again while
    // that settles more: several blocks damaged at once are each given the
    // kind their own bytes show. Then the blocks that read as a missing
    // kind and not as the kind they are shown as; then, where that leaves
    // no more of them than are missing, those that read as both; last the
    // blocks that read as no kind, where the DBMap leaves one choice.
    for (const bool withDirty : {false, true}) {
      for (bool settled = true; settled;) {
        settled = false;
        for (Candidate& c : candidates) {
          if (c.position < 0 || c.fitsShown == Fit::Yes) continue;
          int only = 0, kinds = 0;
          for (int t = 1; t <= kMapTypes; ++t) {
            if (missing[t] <= 0 || c.fits[t] != Fit::Yes) continue;
            only = t;
            ++kinds;
          }
          if (kinds != 1 || (c.dirty[only] && !withDirty)) continue;
          if (take(c, only) < 0) return -1;
          settled = true;
        }
      }
    }
    for (int t = 1; t <= kMapTypes; ++t) {
      for (const bool readsAsShown : {false, true}) {
        for (const bool dirty : {false, true}) {
          std::vector<Candidate*> fitting;
          for (Candidate& c : candidates)
            if (c.position > 0 && c.fits[t] == Fit::Yes && c.dirty[t] == dirty &&
                (c.fitsShown == Fit::Yes) == readsAsShown)
              fitting.push_back(&c);
          if (readsAsShown && static_cast<int>(fitting.size()) > missing[t]) continue;
          for (Candidate* c : fitting) {
            if (missing[t] <= 0) break;
            if (take(*c, t) < 0) return -1;
          }
        }
      }
    }
    for (Candidate& c : candidates) {
      if (c.position < 0) continue;
      // A block shown as a kind in use is left to it unless its bytes
      // cannot be of it.
      if (c.shown != 0 && IsKindInUse(c.shown) && c.fitsShown != Fit::No) continue;
      int want = 0, choices = 0;
      for (int t = 1; t <= kMapTypes; ++t) {
        if (missing[t] <= 0 || c.fits[t] != Fit::Unknown) continue;
        if (want == 0) want = t;
        ++choices;
      }
      if (choices == 1 && take(c, want) < 0) return -1;
    }
  }
  if (retyped > 0) RestoreHeaderNumbers(headerBefore, false);
  return retyped;
}

void CDatabaseChecker::RestoreHeaderNumbers(const FileHead& headerBefore, bool cut) {
  // The open held the highest numbers and the string stores' places to the
  // blocks it saw; with blocks given back they are what the file's header
  // said, as far as the blocks now hold.
  for (const RecordKind kind :
       {RecordKind::Individual, RecordKind::Marriage, RecordKind::NoteBlock, RecordKind::FamilyLink,
        RecordKind::Citation, RecordKind::Source, RecordKind::Repository, RecordKind::UserEvent,
        RecordKind::EventType, RecordKind::Contact, RecordKind::Multimedia}) {
    const RecordLayout& layout = LayoutOf(kind);
    const std::int64_t capacity =
        static_cast<std::int64_t>(blocks_[layout.blockType].size()) * layout.perBlock;
    const std::int32_t stored = headerBefore.I32(layout.highestField);
    // Beyond the blocks the number is lost, and so are records the end of
    // the file cut off: the records written say where it was. (A free note
    // block may be all zeros.)
    const bool lost = stored > capacity || (cut && kind != RecordKind::NoteBlock);
    const std::int32_t wanted =
        lost ? engine_.Records().LastWritten(
                   kind, static_cast<std::int32_t>(std::min<std::int64_t>(stored, capacity)))
             : std::max(stored, 0);
    if (wanted != Highest(kind)) SetHighest(kind, wanted);
  }
  for (const int kind : {0, 4}) {
    const StoreFields& store = StoreOfKind(kind);
    const auto inStore = [&](std::int32_t offset) {
      for (const std::int64_t start : blocks_[store.blockType])
        if (start <= offset && offset <= start + kBlockSize) return true;
      return false;
    };
    const std::int32_t next = headerBefore.I32(store.nextField);
    const std::int32_t end = headerBefore.I32(store.endField);
    const std::int32_t root = headerBefore.I32(store.rootField);
    if (!inStore(next) || !inStore(end) || next > end || (root != 0 && !inStore(root))) continue;
    for (const int field : {store.nextField, store.endField, store.rootField, store.countField}) {
      head_.SetI32(field, headerBefore.I32(field));
      MarkHeaderDirty(field);
    }
  }
}

std::int64_t CDatabaseChecker::FindBlock(int n, int type) {
  if (!mapRead_) {
    const long long size = database_.host.Io().Size();
    if (size < kBlockSize + kBlocksOffset) {
      Line(Format("This file (%s) does not contain any record blocks.", filePath_.c_str()));
      return -1;
    }
    if (CheckFileMap() < 0) return -1;
  }
  if (type < 1 || type > kMapTypes || n < 0 || n >= static_cast<int>(blocks_[type].size()))
    return -1;
  return blocks_[type][n];
}
