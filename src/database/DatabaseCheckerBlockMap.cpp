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
  auto& blocks = engine_.Blocks();
  const long long size = database_.host.Io().Size();
  if (size < kBlockSize + kBlocksOffset) {
    Line("The file is not the proper size.");
    return -1;
  }
  for (auto& list : blocks_) list.clear();
  // The header as the file holds it, before anything here is written.
  FileHead headerBefore;
  if (!blocks.ReadAt(0, headerBefore.Data(), kHeaderSize)) headerBefore = head_;
  long groupsCounted = 0;
  long blocksCounted = 0;
  std::vector<long> perType(kMapTypes + 1, 0);
  // Blocks per group and type as the type maps show them (first blocks
  // aside), for the DBMap.
  std::vector<std::vector<int>> perGroup;
  std::vector<std::uint8_t> map(kBlockSize);
  for (int g = 0; FirstBlockOffset(g) < size; ++g) {
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
    ++groupsCounted;
    perGroup.emplace_back(kMapTypes + 1, 0);
    for (int j = 0; j < kBlockSize; ++j) {
      const int t = map[j];
      if (t == 0) continue;
      if (j > 0 && BlockOffset(g, j) + kBlockSize > size) {
        // A position the file does not hold holds nothing: it is free.
        bool fixed = false;
        if (repair_) {
          const std::uint8_t zero = 0;
          fixed = blocks.Put(FirstBlockOffset(g) + j, &zero, 1);
        }
        if (!LogProblem(Format("Block %lu of type %lu lies beyond the end of the file.",
                               U(std::int64_t{g} * kGroupPositions + j + 1), U(t)),
                        fixed))
          return -1;
        continue;
      }
      ++blocksCounted;
      if (t <= kMapTypes) {
        ++perType[t];
        if (j > 0) ++perGroup.back()[t];
        blocks_[t].push_back(BlockOffset(g, j));
      }
    }
    Step(g + 1, 20);
  }
  mapRead_ = true;

  int differences = 0;
  if (RetypeBlocks(perGroup, perType, headerBefore) < 0) return -1;
  // The DBMap must count what the type maps show.
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
  const std::int32_t headerGroups = head_.I32(kHeadGroups);
  if (headerGroups != groupsCounted) {
    ++differences;
    if (!LogProblem(Format("The file header block count of %lu does not match block count of %lu.",
                           U(headerGroups), U(groupsCounted)),
                    repair_ != 0))
      return -1;
    if (repair_) {
      head_.SetI32(kHeadGroups, static_cast<std::int32_t>(groupsCounted));
      MarkHeaderDirty(kHeadGroups);
    }
  }
  const std::int64_t groups = head_.I32(kHeadGroups);
  const std::int64_t used = head_.I32(kHeadUsedPositions);
  if (used + groups * kGroupPositions != blocksCounted + kGroupPositions) {
    ++differences;
    const bool fixable = size == std::int64_t{kBlockSize} * blocksCounted + kBlocksOffset;
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
  for (const auto& k : kKinds) {
    const int field = BlockCountField(k.type);
    const std::int32_t stored = head_.I32(field);
    if (stored == perType[k.type]) continue;
    ++differences;
    if (!LogProblem(
            Format("The block count for %s of %lu does not match the datamap block count of %lu.",
                   k.name, U(stored), U(perType[k.type])),
            repair_ != 0))
      return -1;
    if (repair_) {
      head_.SetI32(field, static_cast<std::int32_t>(perType[k.type]));
      MarkHeaderDirty(field);
    }
  }
  return differences;
}

namespace {

// Whether a block's bytes read as records of a block type: every slot empty,
// deleted or live by its own marks, and at least one not empty. Known for
// individuals, whose live records begin with their sex letter, and family
// links, which begin with their link-type letter.
bool LooksLikeBlockOf(int type, const std::vector<std::uint8_t>& block) {
  const std::string_view marks = type == kBlockIndividuals   ? "FMUfmu"
                                 : type == kBlockFamilyLinks ? "abcdgs"
                                                             : "";
  if (marks.empty()) return false;
  const RecordLayout& layout = *LayoutOfBlockType(type);
  int used = 0;
  for (int i = 0; i < layout.perBlock; ++i) {
    const std::uint8_t* slot = block.data() + i * layout.size;
    if (std::all_of(slot, slot + layout.size, [](std::uint8_t b) { return b == 0; })) continue;
    ++used;
    if (IsDeletedRecord(layout.kind, slot)) continue;
    if (marks.find(static_cast<char>(slot[0])) == std::string_view::npos) return false;
    if (type == kBlockFamilyLinks) {
      // A link names its child, its marriage or both (a child of unknown
      // parents has marriage 0).
      const std::int32_t marriage = GetI32(slot + 1), child = GetI32(slot + 13);
      if (marriage < 0 || child < 0 || marriage + std::int64_t{child} == 0) return false;
    }
  }
  return used > 0;
}

}  // namespace

int CDatabaseChecker::RetypeBlocks(std::vector<std::vector<int>>& perGroup,
                                   std::vector<long>& perType, const FileHead& headerBefore) {
  auto& blocks = engine_.Blocks();
  int retyped = 0;
  std::vector<std::uint8_t> block(kBlockSize);
  for (int g = 0; g < static_cast<int>(perGroup.size()) && g < kMaxGroups; ++g) {
    for (int want = 1; want <= kMapTypes; ++want) {
      // A type the DBMap counts more blocks of than the type map shows, and
      // a type shown more often than counted: a block of the second may be
      // one of the first whose type byte was damaged.
      for (int shown = 1; shown <= kMapTypes; ++shown) {
        if (shown == want || shown == kBlockFirst || shown == kBlockDBMap) continue;
        auto& list = blocks_[shown];
        for (std::size_t i = 0; i < list.size();) {
          if (blocks.Map().Count(g, want) <= perGroup[g][want] ||
              perGroup[g][shown] <= blocks.Map().Count(g, shown))
            break;
          const std::int64_t offset = list[i];
          const int k = static_cast<int>((offset - FirstBlockOffset(g)) / kBlockSize);
          if (k < 1 || k >= kGroupPositions || BlockOffset(g, k) != offset ||
              !blocks.ReadAt(offset, block.data(), kBlockSize) || !LooksLikeBlockOf(want, block)) {
            ++i;
            continue;
          }
          bool fixed = false;
          if (repair_) {
            const std::uint8_t type = static_cast<std::uint8_t>(want);
            fixed = blocks.Put(FirstBlockOffset(g) + k, &type, 1) && blocks.BuildGroupIndex(g);
          }
          if (!LogProblem(Format("Block %lu of type %lu holds records of type %lu.",
                                 U(std::int64_t{g} * kGroupPositions + k + 1), U(shown), U(want)),
                          fixed))
            return -1;
          if (!repair_) {
            ++i;
            continue;
          }
          ++retyped;
          list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
          auto& into = blocks_[want];
          into.insert(std::upper_bound(into.begin(), into.end(), offset), offset);
          --perGroup[g][shown];
          ++perGroup[g][want];
          --perType[shown];
          ++perType[want];
        }
      }
    }
  }
  if (retyped == 0) return 0;
  // The highest numbers that the open held to the blocks it saw come back
  // to what the file's header said, as far as the blocks now hold.
  for (const RecordKind kind : {RecordKind::Individual, RecordKind::FamilyLink}) {
    const RecordLayout& layout = LayoutOf(kind);
    const std::int64_t capacity =
        static_cast<std::int64_t>(blocks_[layout.blockType].size()) * layout.perBlock;
    const std::int32_t wanted = static_cast<std::int32_t>(
        std::min<std::int64_t>(headerBefore.I32(layout.highestField), capacity));
    if (wanted > Highest(kind)) SetHighest(kind, wanted);
  }
  return retyped;
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
