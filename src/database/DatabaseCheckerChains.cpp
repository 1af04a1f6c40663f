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

// ---- chains ------------------------------------------------------------------

int CDatabaseChecker::CheckUserEventChain(std::int32_t first, Rec& ownerRec, int ownerField,
                                          const std::string& ownerKind) {
  auto& records = engine_.Records();
  std::vector<std::uint8_t> buf(UserEventRec::kSize);
  std::unordered_set<std::int32_t> visited;
  std::int32_t before = 0;
  for (std::int32_t e = first; e != 0;) {
    if (e < 0 || !visited.insert(e).second) {
      // Cut the chain after the last event met once.
      bool fixed = false;
      if (repair_) {
        if (before == 0) {
          PutI32(ownerRec.bytes.data() + ownerField, 0);
          fixed = WriteRecord(ownerRec);
        } else if (records.ReadRaw(RecordKind::UserEvent, before, buf.data())) {
          PutI32(buf.data(), 0);
          fixed = records.WriteRaw(RecordKind::UserEvent, before, buf.data()) != 0;
        }
      }
      return LogProblem(Format("Endless loop in user event chain for %s %lu.", ownerKind.c_str(),
                               U(ownerRec.number)),
                        fixed);
    }
    if (records.IsLive(RecordKind::UserEvent, e, buf.data()) == 0) break;
    before = e;
    e = GetI32(buf.data());
  }
  return 1;
}

int CDatabaseChecker::CheckDeleteChain(RecordKind kind, const std::vector<std::int32_t>& deleted,
                                       const std::string& lineFormat) {
  const RecordLayout& layout = LayoutOf(kind);
  if (layout.chainHeadField < 0 || layout.linkOffset < 0) return 1;
  const std::int32_t head = head_.I32(layout.chainHeadField);
  const std::int32_t highest = Highest(kind);
  // The chain is sound when it runs from the head through deleted records
  // only, without a loop, and holds every deleted record.
  std::unordered_set<std::int32_t> members(deleted.begin(), deleted.end());
  std::unordered_set<std::int32_t> seen;
  std::vector<std::uint8_t> buf(layout.size);
  bool sound = true;
  for (std::int32_t r = head; r != 0;) {
    if (r < 0 || r > highest || !members.count(r) || !seen.insert(r).second ||
        !engine_.Records().ReadRaw(kind, r, buf.data())) {
      sound = false;
      break;
    }
    r = GetI32(buf.data() + layout.linkOffset);
  }
  if (sound && seen.size() == members.size()) return 1;
  bool fixed = false;
  if (repair_) {
    fixed = true;
    std::int32_t before = 0;
    for (auto it = deleted.rbegin(); it != deleted.rend(); ++it) {
      if (!engine_.Records().ReadRaw(kind, *it, buf.data())) {
        fixed = false;
        continue;
      }
      PutI32(buf.data() + layout.linkOffset, before);
      if (!engine_.Records().WriteRaw(kind, *it, buf.data())) fixed = false;
      before = *it;
    }
    head_.SetI32(layout.chainHeadField, deleted.empty() ? 0 : deleted.front());
    MarkHeaderDirty(layout.chainHeadField);
  }
  return LogProblem(Format(lineFormat.c_str(), U(head)), fixed);
}

int CDatabaseChecker::CheckBackPointer(RecordKind kind, std::int32_t self, std::int32_t next,
                                       int previousOffset) {
  if (next <= 0 || next > Highest(kind)) return 1;
  std::vector<std::uint8_t> buf(LayoutOf(kind).size);
  if (!engine_.Records().ReadRaw(kind, next, buf.data())) return 1;
  if (GetI32(buf.data() + previousOffset) == self) return 1;
  if (!repair_)
    return LogProblem(
        Format("The next pointer record does not point back to this record (%lu).", U(self)),
        false);
  PutI32(buf.data() + previousOffset, self);
  const bool fixed = engine_.Records().WriteRaw(kind, next, buf.data()) != 0;
  return LogProblem(Format("The next pointer record does not point back to this record (%lu).  "
                           "Reset previous pointer of record %lu to %lu.",
                           U(self), U(next), U(self)),
                    fixed);
}

int CDatabaseChecker::CheckCitationChain(std::int32_t first, std::int32_t owner, Rec& ownerRec,
                                         int ownerFieldOffset, const std::string& ownerKind) {
  auto& records = engine_.Records();
  std::vector<std::uint8_t> buf(CitationRec::kSize);
  std::unordered_set<std::int32_t> visited;
  std::int32_t before = 0;
  for (std::int32_t c = first; c > 0;) {
    if (!visited.insert(c).second) {
      // The chain comes back to a citation it already passed: cut it there.
      bool fixed = false;
      if (repair_) {
        if (before == 0) {
          PutI32(ownerRec.bytes.data() + ownerFieldOffset, 0);
          fixed = WriteRecord(ownerRec);
        } else if (records.ReadRaw(RecordKind::Citation, before, buf.data())) {
          PutI32(buf.data() + 115, 0);
          fixed = records.WriteRaw(RecordKind::Citation, before, buf.data()) != 0;
        }
      }
      return LogProblem(Format("%s %lu citation chain loops back to citation %lu.",
                               ownerKind.c_str(), U(owner), U(c)),
                        fixed);
    }
    const int live = records.IsLive(RecordKind::Citation, c, buf.data());
    if (live == 0) break;
    if (live == -1) {
      if (!LogProblem(Format("%s %lu citation pointer %lu is deleted but is in citation chain.",
                             ownerKind.c_str(), U(owner), U(c)),
                      false))
        return 0;
      before = c;
      c = GetI32(buf.data() + 1);  // a deleted citation keeps its link there
      continue;
    }
    const std::int32_t previous = GetI32(buf.data() + 119);
    if (previous != before &&
        !LogProblem(Format("%s %lu citation %lu previous pointer should be %lu but is %lu.",
                           ownerKind.c_str(), U(owner), U(c), U(before), U(previous)),
                    false))
      return 0;
    const std::int32_t found = GetI32(buf.data() + 123);
    if (found != owner) {
      bool fixed = false;
      if (repair_) {
        PutI32(buf.data() + 123, owner);
        fixed = records.WriteRaw(RecordKind::Citation, c, buf.data()) != 0;
      }
      if (!LogProblem(Format("%s %lu citation pointer %lu pointing to wrong owner (%lu).",
                             ownerKind.c_str(), U(owner), U(c), U(found)),
                      fixed))
        return 0;
    }
    before = c;
    c = GetI32(buf.data() + 115);
  }
  return 1;
}

bool CDatabaseChecker::GiveLinkItsMarriage(std::int32_t link, std::int32_t m,
                                           std::uint8_t* linkBytes) {
  if (!repair_) return false;
  // The marriage the link names keeps it when its own child ring holds it.
  const std::int32_t named = GetI32(linkBytes + 1);
  std::vector<std::uint8_t> rec(LayoutOf(RecordKind::Marriage).size);
  if (engine_.Records().IsLive(RecordKind::Marriage, named, rec.data()) == 1) {
    std::vector<std::uint8_t> other(LayoutOf(RecordKind::FamilyLink).size);
    std::unordered_set<std::int32_t> visited;
    for (std::int32_t at = GetI32(rec.data() + 13); at > 0 && visited.insert(at).second;) {
      if (at == link) return false;
      if (engine_.Records().IsLive(RecordKind::FamilyLink, at, other.data()) != 1) break;
      at = GetI32(other.data() + 5);
    }
  }
  PutI32(linkBytes + 1, m);
  return engine_.Records().WriteRaw(RecordKind::FamilyLink, link, linkBytes) != 0;
}
