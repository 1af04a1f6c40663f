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
