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
#include "StringIds.h"
#include "StringTable.h"

using namespace orv;
using namespace checkrepair;

// ---- trees -------------------------------------------------------------------

int CDatabaseChecker::CheckTreeOrder(Rec& rec, int linkOffset, const std::string& text) {
  int mask = 0;
  for (int i = 0; i < 3; ++i) {
    const std::int32_t to = GetI32(rec.bytes.data() + linkOffset + 4 * i);
    if (to == 0 || engine_.Records().IsLive(rec.kind, to) == 1) mask |= 1 << i;
  }
  if (mask == 7) return 1;
  bool fixed = false;
  if (repair_) {
    fixed = engine_.Trees().Resort(rec.kind, rec.number, rec.bytes.data()) == 1;
    fixed = fixed && WriteRecord(rec);
  }
  return LogProblem(Format(text.c_str(), U(rec.number)), fixed);
}

int CDatabaseChecker::KeyOrderLines(RecordKind kind, const std::string& kindName,
                                    std::vector<std::string>& lines) {
  if (!Step(0, -1)) return 0;
  for (const RecordTrees::OrderFault& f : engine_.Trees().KeyOrderFaults(kind)) {
    if (f.child == 0)
      lines.push_back(Format("%s %lu is out of order.", kindName.c_str(), U(f.node)));
    else
      lines.push_back(Format(f.greater ? "%s %lu greater pointer (%lu) is not greater."
                                       : "%s %lu less pointer (%lu) is not less.",
                             kindName.c_str(), U(f.node), U(f.child)));
  }
  return 1;
}

CDatabaseChecker::NameEntry CDatabaseChecker::DecodeNameEntry(const std::uint8_t* buf,
                                                              std::int64_t pos) {
  NameEntry e;
  e.offset = static_cast<std::int32_t>(pos);
  e.lesser = GetI32(buf + kEntryLesser);
  e.greater = GetI32(buf + kEntryGreater);
  e.parent = GetI32(buf + kEntryParent);
  e.kind = buf[kEntryKind];
  while (e.length < kEntryMaxSize - kEntryText && buf[kEntryText + e.length] != 0) ++e.length;
  return e;
}

bool CDatabaseChecker::InStoreTree(std::int32_t offset, int type) {
  const int which = type == kBlockNames ? 0 : 1;
  std::unordered_set<std::int32_t>& reached = treeEntries_[which];
  if (!treeEntriesRead_[which]) {
    treeEntriesRead_[which] = true;
    const StoreFields& store = StoreOfKind(type == kBlockNames ? 0 : 4);
    const auto inStore = [&](std::int32_t v) {
      for (const std::int64_t start : blocks_[type])
        if (start <= v && v + kEntryText < start + kBlockSize) return true;
      return false;
    };
    std::vector<std::int32_t> todo;
    if (inStore(head_.I32(store.rootField))) todo.push_back(head_.I32(store.rootField));
    while (!todo.empty()) {
      const std::int32_t node = todo.back();
      todo.pop_back();
      std::uint8_t buf[kEntryMaxSize] = {};
      if (!reached.insert(node).second ||
          !engine_.Blocks().ReadAt(node, buf, kEntryText + 1))
        continue;
      const NameEntry e = DecodeNameEntry(buf, node);
      for (const std::int32_t child : {e.lesser, e.greater})
        if (child != 0 && inStore(child)) todo.push_back(child);
    }
  }
  return reached.count(offset) != 0;
}

std::int64_t CDatabaseChecker::NextProvedEntry(int type, std::int64_t pos, std::int64_t blockEnd,
                                               bool byTree) {
  for (std::int64_t q = pos + 1; blockEnd - q >= kEntryMaxSize; ++q)
    if (NamedByField(static_cast<std::int32_t>(q), type) ||
        (byTree && InStoreTree(static_cast<std::int32_t>(q), type)))
      return q;
  return -1;
}

int CDatabaseChecker::CheckNames(int type) {
  const bool names = type == kBlockNames;
  const StoreFields& store = StoreOfKind(names ? 0 : 4);
  const std::int32_t count = head_.I32(store.countField);
  const char* title = names ? "Checking Names:" : "Checking Other Names:";
  if (!names && blocks_[type].empty()) {
    if (count > 0) {
      if (!LogProblem(Format("Resetting %s count from %ld to 0 (block count was invalid)",
                             "Other name record", static_cast<long>(count)),
                      false))
        return 0;
      head_.SetI32(store.countField, 0);
      MarkHeaderDirty(store.countField);
    }
    return Stage(title, 0);
  }
  if (!Stage(title, count)) return 0;

  // The entries in file order: each block holds entries while a whole
  // entry still fits; the last ends at the store's write position.
  std::vector<NameEntry> entries;
  std::unordered_map<std::int32_t, std::size_t> at;
  const std::int32_t writePos = head_.I32(store.nextField);
  const auto& storeBlocks = blocks_[type];
  for (std::size_t bi = 0; bi < storeBlocks.size(); ++bi) {
    const std::int64_t blockEnd = storeBlocks[bi] + kBlockSize;
    const bool last = bi + 1 == storeBlocks.size();
    for (std::int64_t pos = storeBlocks[bi]; blockEnd - pos >= kEntryMaxSize;) {
      if (last && pos >= writePos) break;
      std::uint8_t buf[kEntryMaxSize] = {};
      if (!engine_.Blocks().ReadAt(pos, buf, sizeof buf)) {
        Line("FILE READ ERROR");
        return 0;
      }
      NameEntry e = DecodeNameEntry(buf, pos);
      const int n = e.length;
      if (n == 0) {
        // No text: the end of the block's entries, or an entry whose text
        // was lost. Where it ends cannot be read, so the walk goes on where
        // an entry is proved to start (named by a field or in the tree),
        // and bytes in between are never taken for entries.
        const bool blank = e.lesser == 0 && e.greater == 0 && e.parent == 0 && e.kind == 0;
        const bool proved =
            NamedByField(e.offset, type) || (!blank && InStoreTree(e.offset, type));
        if (proved && textlessEntries_.insert(e.offset).second &&
            !LogProblem(Format("Name %lu has no text; what names it is cleared.", U(e.offset)),
                        repair_ != 0))
          return 0;
        // (Past a blank the tree is read only when a field names a later
        // place: a sound store ends its block's entries with one.)
        pos = NextProvedEntry(type, pos, blockEnd, !blank);
        if (blank && pos >= 0) pos = NextProvedEntry(type, e.offset, blockEnd, true);
        if (pos < 0) break;
        continue;
      }
      e.ansel.assign(reinterpret_cast<const char*>(buf + kEntryText),
                     static_cast<std::size_t>(std::min(n, kEntryMaxText)));
      e.text = AnselToAnsi(e.ansel);
      at[e.offset] = entries.size();
      entries.push_back(std::move(e));
      pos += kEntryText + n + 1;
      if (!Step(static_cast<long>(entries.size()), count)) return 0;
    }
  }

  if (!CheckEntryKinds(type, entries)) return 0;

  // Tree order of every entry; the lines wait for the outcome of a rebuild.
  std::vector<std::string> lines;
  bool rebuild = false;
  const auto pointsToEntry = [&](std::int32_t v) { return v == 0 || at.count(v) != 0; };
  for (const NameEntry& e : entries) {
    if (!pointsToEntry(e.lesser) || !pointsToEntry(e.greater) || !pointsToEntry(e.parent)) {
      lines.push_back("Bad name tree.");
      rebuild = true;
      break;
    }
    // The store's own order; the same kind and bytes twice (left so by
    // Change Names to Mixed Case) belong on the greater side.
    const auto order = [&](std::int32_t child) {
      const NameEntry& c = entries[at[child]];
      const int cmp = StoreCompare(c.text, e.text);
      if (cmp != kAlphaEqual) return cmp;
      const int tie = EntryTieOrder(c.kind, c.ansel, e.kind, e.ansel);
      return tie == kAlphaEqual ? kAlphaAfter : tie;
    };
    if (e.lesser != 0 && order(e.lesser) != kAlphaBefore) {
      lines.push_back(Format("Name %lu less pointer (%lu) is not less.", U(e.offset), U(e.lesser)));
      rebuild = true;
    }
    if (e.greater != 0 && order(e.greater) != kAlphaAfter) {
      lines.push_back(
          Format("Name %lu greater pointer (%lu) is not greater.", U(e.offset), U(e.greater)));
      rebuild = true;
    }
  }
  if (static_cast<std::int64_t>(entries.size()) != count) {
    bool fixed = false;
    if (repair_) {
      head_.SetI32(store.countField, static_cast<std::int32_t>(entries.size()));
      MarkHeaderDirty(store.countField);
      fixed = true;
    }
    if (!LogProblem(Format("The file header name count (%lu) does not match tree count (%lu).",
                           U(count), U(entries.size())),
                    fixed))
      return 0;
  }
  if (!rebuild) {
    // Every entry must be reached once from the root through its children.
    std::unordered_set<std::int32_t> reached;
    std::vector<std::int32_t> todo;
    if (head_.I32(store.rootField) != 0) todo.push_back(head_.I32(store.rootField));
    while (!todo.empty() && !rebuild) {
      const std::int32_t node = todo.back();
      todo.pop_back();
      const auto it = at.find(node);
      if (it == at.end() || !reached.insert(node).second) {
        rebuild = true;
        break;
      }
      for (const std::int32_t child : {entries[it->second].lesser, entries[it->second].greater})
        if (child != 0) todo.push_back(child);
    }
    if (rebuild || reached.size() != entries.size()) {
      lines.push_back("Bad name tree.");
      rebuild = true;
    }
  }
  const bool fixed = rebuild && repair_ && RebuildNameTree(store, entries);
  for (const std::string& line : lines)
    if (!LogProblem(line, fixed)) return 0;
  return stopped_ ? 0 : 1;
}

bool CDatabaseChecker::RebuildNameTree(const StoreFields& store, std::vector<NameEntry>& entries) {
  if (entries.empty()) {
    // No entry left (a store cut off by the end of the file): no root.
    head_.SetI32(store.rootField, 0);
    MarkHeaderDirty(store.rootField);
    return true;
  }
  // Every entry is checked before any pointer changes, so that a bad one
  // leaves the tree as it was.
  for (const NameEntry& e : entries) {
    if (e.length < 1 || e.length > kEntryMaxText) {
      Line(Format("Bad name at offset %lu; name tree NOT fixed.", U(e.offset)));
      return false;
    }
  }
  plat::Progress().Begin("Rebuilding name tree...", static_cast<int>(entries.size()));
  std::vector<std::int32_t> lesser(entries.size(), 0), greater(entries.size(), 0),
      parent(entries.size(), 0);
  std::unordered_map<std::int32_t, std::size_t> at;
  for (std::size_t i = 0; i < entries.size(); ++i) at[entries[i].offset] = i;
  for (std::size_t i = 1; i < entries.size(); ++i) {
    if (i % 100 == 0) plat::Progress().SetPosition(static_cast<int>(i));
    const NameEntry& e = entries[i];
    std::size_t node = 0;
    for (;;) {
      const NameEntry& n = entries[node];
      const int cmp = StoreCompare(e.text, n.text);
      const bool less =
          cmp == kAlphaBefore ||
          (cmp == kAlphaEqual && EntryTieOrder(e.kind, e.ansel, n.kind, n.ansel) == kAlphaBefore);
      std::int32_t& child = less ? lesser[node] : greater[node];
      if (child == 0) {
        child = e.offset;
        parent[i] = n.offset;
        break;
      }
      node = at[child];
    }
  }
  bool written = true;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    NameEntry& e = entries[i];
    if (e.lesser == lesser[i] && e.greater == greater[i] && e.parent == parent[i]) continue;
    std::uint8_t links[12];
    PutI32(links + kEntryLesser, lesser[i]);
    PutI32(links + kEntryGreater, greater[i]);
    PutI32(links + kEntryParent, parent[i]);
    if (!engine_.Blocks().Put(e.offset, links, sizeof links)) {
      written = false;
      continue;
    }
    e.lesser = lesser[i];
    e.greater = greater[i];
    e.parent = parent[i];
  }
  head_.SetI32(store.rootField, entries.front().offset);
  MarkHeaderDirty(store.rootField);
  plat::Progress().End();
  return written;
}

// ---- change names to mixed case ------------------------------------------------

int CDatabaseChecker::ChangeNamesToMixedCase(unsigned long* changedOut) {
  const StoreFields& store = StoreOfKind(0);
  const std::int32_t count = head_.I32(store.countField);
  const std::int32_t endPos = head_.I32(store.nextField);
  auto& progress = plat::Progress();
  progress.Begin(res::LoadString(res::kIdsAppName),
                 static_cast<int>(std::max<std::int32_t>(count, 0)));
  progress.SetText(res::LoadString(res::kIdsChangingNames));

  // Every entry is read, so that a rebuild after Cancel still has the whole
  // store; only those before Cancel are rewritten.
  std::vector<NameEntry> entries;
  unsigned long changed = 0;
  bool cancelled = false;
  int result = 1;
  for (int bi = 0; result && static_cast<std::int32_t>(entries.size()) < count; ++bi) {
    const std::int64_t block = FindBlock(bi, kBlockNames);
    if (block < 0) break;
    const std::int64_t blockEnd = block + kBlockSize;
    std::int64_t pos = block;
    for (; blockEnd - pos >= kEntryMaxSize && pos < endPos &&
           static_cast<std::int32_t>(entries.size()) < count;) {
      std::uint8_t buf[kEntryMaxSize] = {};
      if (!engine_.Blocks().ReadAt(pos, buf, sizeof buf)) {
        result = 0;
        break;
      }
      NameEntry e = DecodeNameEntry(buf, pos);
      const int n = e.length;
      std::string text(reinterpret_cast<const char*>(buf + kEntryText),
                       static_cast<std::size_t>(n));
      const std::size_t index = entries.size();
      if (index % 100 == 0 && !cancelled) {
        progress.SetPosition(static_cast<int>(index));
        if (!plat::PumpWaitingMessages() || progress.CancelRequested()) cancelled = true;
      }
      if (!cancelled) {
        const std::string mixed = names::ToMixedCase(text, e.kind);
        if (mixed != text && mixed.size() == text.size() &&
            engine_.Strings().ReplaceEntryText(e.offset, mixed, false)) {
          ++changed;
          text = mixed;
        }
      }
      e.text = AnselToAnsi(text);
      e.ansel = text;
      entries.push_back(std::move(e));
      pos += kEntryText + n + 1;
    }
  }
  progress.End();
  if (!result) return 0;
  if (changed > 0 && RebuildNameTree(store, entries)) {
    if (headerDirty_ && engine_.Blocks().WriteHeader(HeadPart::Counters)) headerDirty_ = false;
  }
  if (changedOut) *changedOut = changed;
  const std::string checked = std::to_string(static_cast<unsigned long>(count));
  const std::string changedText = std::to_string(changed);
  plat::MessageBox(FormatInsertsAndArgs(res::LoadString(res::kIdsNamesChanged),
                                        {checked, changedText}, {checked, changedText}),
                   res::LoadString(res::kIdsAppName), plat::kMbOk);
  return 1;
}
