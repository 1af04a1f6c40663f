#include "DatabaseChecker.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

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

// ---- indexes -----------------------------------------------------------------

int CDatabaseChecker::CheckAlphaIndex() {
  if (!Stage("Checking Alpha Index:")) return 0;
  std::vector<std::string> lines;
  NameIndexFileLines(lines);
  if (repair_) {
    // The index files (the name-tree links and the index itself) are
    // rebuilt from the trees when next needed.
    database_.host.nameLinks.Close();
    database_.host.alphaFile.Close();
    database_.host.indexStale = 1;
    plat::DeleteFile(SetExtensionLastCharStr(filePath_, 'x'));
    plat::DeleteFile(SetExtensionLastCharStr(filePath_, 'a'));
  }
  // Dropped, the index is built anew from the name tree before its next use.
  const bool fixed = repair_ && !plat::FileExists(SetExtensionLastCharStr(filePath_, 'a'));
  for (const std::string& line : lines)
    if (!LogProblem(line, fixed)) return 0;
  return 1;
}

void CDatabaseChecker::NameIndexFileLines(std::vector<std::string>& lines) {
  // An index that is not current is built anew before it is read.
  auto& host = database_.host;
  if (host.indexStale != 0 || !host.alphaFile.IsOpen() || host.alphaEntries < 0) return;
  const std::int32_t highest = std::max(Highest(RecordKind::Individual), 0);
  std::vector<std::uint8_t> listed(static_cast<std::size_t>(highest) + 1, 0);
  unsigned long twice = 0, notLive = 0, missing = 0;
  constexpr std::int32_t kChunk = 4096;
  std::vector<std::uint8_t> chunk(4 * kChunk);
  for (std::int32_t first = 0; first < host.alphaEntries; first += kChunk) {
    const std::int32_t n = std::min(kChunk, host.alphaEntries - first);
    if (!host.alphaFile.ReadAt(4 * static_cast<std::uint64_t>(first), chunk.data(),
                               4 * static_cast<std::size_t>(n))) {
      lines.push_back("The alphabetic index file cannot be read.");
      return;
    }
    for (std::int32_t i = 0; i < n; ++i) {
      const std::int32_t rin = GetI32(chunk.data() + 4 * i);
      if (rin < 1 || rin > highest || engine_.Records().IsLive(RecordKind::Individual, rin) != 1)
        ++notLive;
      else if (std::exchange(listed[static_cast<std::size_t>(rin)], 1) != 0)
        ++twice;
    }
  }
  for (std::int32_t rin = 1; rin <= highest; ++rin)
    if (listed[static_cast<std::size_t>(rin)] == 0 &&
        engine_.Records().IsLive(RecordKind::Individual, rin) == 1)
      ++missing;
  if (twice != 0)
    lines.push_back(Format("The alphabetic index lists %lu individuals more than once.", twice));
  if (notLive != 0)
    lines.push_back(
        Format("The alphabetic index lists %lu records that are not live individuals.", notLive));
  if (missing != 0)
    lines.push_back(Format("The alphabetic index does not list %lu individuals.", missing));
}
