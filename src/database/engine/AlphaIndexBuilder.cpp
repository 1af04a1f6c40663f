#include "AlphaIndexBuilder.h"

#include <limits>

#include <algorithm>

#include "AlphaIndexFile.h"
#include "FileLayout.h"
#include "FileSystem.h"
#include "ORV3.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

using orv::GetI32;
using orv::PutI32;

namespace {

constexpr std::size_t kLinkBufferEntries = 4096;   // 32 KB of ".orx" entries
constexpr std::size_t kIndexBufferEntries = 4096;  // 16 KB of ".ora" entries

// Opens path read-write, creating it when missing; an existing file keeps its
// bytes. A name that leads to the family file itself is never opened. True
// when open.
bool OpenOrCreate(plat::FileHandle& file, const std::string& path, const std::string& family) {
  if (path.empty() || path == family || plat::IsSameFile(path, family)) return false;
  if (file.Open(path, plat::FileHandle::Access::ReadWrite) == plat::kFileOk) return true;
  return !plat::FileExists(path) && file.Create(path) == plat::kFileOk;
}

}  // namespace

CAlphaIndexBuilder::CAlphaIndexBuilder(EngineHost& host, std::int32_t root, std::int32_t highest,
                                       LinkReader links)
    : host_(host),
      root_(root),
      highest_(std::max<std::int32_t>(highest, 0)),
      links_(std::move(links)),
      orxPath_(AlphaIndexFile::PathFor(host.path, 'x')),
      oraPath_(AlphaIndexFile::PathFor(host.path, 'a')) {}

CAlphaIndexBuilder::Result CAlphaIndexBuilder::Run() {
  cancelled_ = fileFailed_ = false;
  plat::ProgressPort& progress = plat::Progress();
  progress.Begin(kTitle, static_cast<int>(std::clamp<std::int64_t>(
                             2 * std::int64_t{highest_}, 1, std::numeric_limits<int>::max())));
  progress.SetText(kText);
  const int built = BuildIndexFile();
  progress.End();
  if (built) return kBuilt;
  return fileFailed_ && !cancelled_ ? kNoFile : kCancelled;
}

bool CAlphaIndexBuilder::Poll(std::int64_t step, std::int64_t position) {
  if (step % kPollSteps != 0) return false;
  plat::ProgressPort& progress = plat::Progress();
  progress.SetPosition(
      static_cast<int>(std::min<std::int64_t>(position, 2 * std::int64_t{highest_})));
  if (progress.CancelRequested()) cancelled_ = true;
  return cancelled_;
}

void CAlphaIndexBuilder::RemoveLinkFile() {
  host_.nameLinks.Close();
  if (!orxPath_.empty() && orxPath_ != host_.path && !plat::IsSameFile(orxPath_, host_.path))
    plat::DeleteFile(orxPath_);
}

int CAlphaIndexBuilder::BuildLinkFile() {
  plat::FileHandle& orx = host_.nameLinks;
  if (host_.path.empty() || !OpenOrCreate(orx, orxPath_, host_.path)) {
    fileFailed_ = true;
    return 0;
  }
  const std::uint64_t length = 8 * (std::uint64_t{static_cast<std::uint32_t>(highest_)} + 1);
  if (static_cast<std::uint64_t>(std::max<long long>(orx.Size(), 0)) != length &&
      !orx.Truncate(length)) {
    fileFailed_ = true;
    RemoveLinkFile();
    return 0;
  }
  std::vector<std::uint8_t> buffer(8 * kLinkBufferEntries, 0);
  std::size_t used = 1;  // entry 0 stays (0, 0)
  std::uint64_t written = 0;
  auto flush = [&]() {
    const bool ok = orx.WriteAt(written, buffer.data(), 8 * used);
    written += 8 * used;
    used = 0;
    return ok;
  };
  for (std::int32_t n = 1; n <= highest_; ++n) {
    if (Poll(n, n)) {
      host_.indexStale = 1;
      RemoveLinkFile();
      return 0;
    }
    std::int32_t lesser = 0, greater = 0;
    if (!links_(n, lesser, greater)) lesser = greater = 0;
    PutI32(buffer.data() + 8 * used, lesser);
    PutI32(buffer.data() + 8 * used + 4, greater);
    if (++used == kLinkBufferEntries && !flush()) {
      fileFailed_ = true;
      RemoveLinkFile();
      return 0;
    }
  }
  if (used > 0 && !flush()) {
    fileFailed_ = true;
    RemoveLinkFile();
    return 0;
  }
  host_.indexStale = 1;  // step 2 clears it
  return 1;
}

void CAlphaIndexBuilder::Push(std::int32_t rin) {
  if (depth_ == chunks_.size() * kStackChunk)
    chunks_.push_back(std::make_unique<StackItem[]>(kStackChunk));
  StackItem& item = chunks_[depth_ / kStackChunk][depth_ % kStackChunk];
  ++depth_;
  std::uint8_t b[8] = {};
  if (!host_.nameLinks.ReadAt(8 * std::uint64_t{static_cast<std::uint32_t>(rin)}, b, 8))
    std::fill(std::begin(b), std::end(b), 0);
  item = StackItem{GetI32(b), GetI32(b + 4), rin};
}

CAlphaIndexBuilder::StackItem& CAlphaIndexBuilder::Top() {
  const std::size_t i = depth_ - 1;
  return chunks_[i / kStackChunk][i % kStackChunk];
}

int CAlphaIndexBuilder::BuildIndexFile() {
  if (!host_.nameLinks.IsOpen() && !BuildLinkFile()) return 0;
  if (host_.indexStale == 0) return 0;

  plat::FileHandle& ora = host_.alphaFile;
  if (!ora.IsOpen() && !OpenOrCreate(ora, oraPath_, host_.path)) {
    fileFailed_ = true;
    return 0;
  }
  std::vector<std::uint8_t> buffer(4 * kIndexBufferEntries, 0);
  std::size_t used = 0;
  std::int32_t count = 0;
  std::uint64_t written = 0;
  bool writeFailed = false;
  auto flush = [&]() {
    if (used > 0 && !ora.WriteAt(written, buffer.data(), 4 * used)) writeFailed = true;
    written += 4 * used;
    used = 0;
  };

  // In-order walk: the lesser subtree, the individual, the greater subtree.
  // Visited links and written numbers are marked -1 in their stack item.
  const std::int64_t limit = 3 * std::int64_t{highest_};
  std::int64_t steps = 0;
  bool overrun = false;
  depth_ = 0;
  if (root_ > 0) Push(root_);
  while (depth_ > 0 && !writeFailed) {
    if (++steps > limit) {
      overrun = true;
      break;
    }
    if (Poll(steps, std::int64_t{highest_} + count)) break;
    StackItem& top = Top();
    if (top.lesser > 0) {
      const std::int32_t next = top.lesser;
      top.lesser = -1;
      Push(next);
      continue;
    }
    if (top.rin > 0) {
      PutI32(buffer.data() + 4 * used, top.rin);
      ++count;
      top.rin = -1;
      if (++used == kIndexBufferEntries) flush();
    }
    if (top.greater > 0) {
      const std::int32_t next = top.greater;
      top.greater = -1;
      Push(next);
    } else {
      Pop();
    }
  }
  chunks_.clear();
  depth_ = 0;
  flush();
  if (overrun) {
    plat::MessageBox(res::LoadString(res::kIdsIndexingError), "ORV Error", plat::kMbIconStop);
    cancelled_ = true;
  }

  // The closing slot is written as 0 and the file cut behind it: a file
  // reused from a longer index must not keep entries past the new end.
  std::uint8_t zero[4] = {};
  if (!ora.WriteAt(written, zero, 4) || !ora.Truncate(written + 4) || !ora.Flush())
    writeFailed = true;
  if (writeFailed) fileFailed_ = true;
  if (cancelled_ || writeFailed) {
    host_.alphaEntries = 0;
    host_.indexStale = 1;
    ora.Close();
    return 0;
  }
  host_.alphaEntries = count;
  host_.indexStale = 0;
  RemoveLinkFile();
  return 1;
}
