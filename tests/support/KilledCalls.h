#pragma once
// A change killed at each of its writes: run once whole to learn its writes,
// then again on a fresh copy of the family file's bytes for each write, the
// file stopping there (before the write, or after half of it), as a killed
// process leaves it. Each cut copy is opened by a fresh engine, and what a
// user can read of it through the calls (FamilyState) is compared with the
// state before the change and after it.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MemoryFile.h"
#include "ORV3.h"

namespace killed {

// An engine on a file that is not the host's own handle.
struct Session {
  explicit Session(plat::RandomAccessFile& f) {
    host.io = &f;
    engine = std::make_unique<ORV3>(&host);
  }
  EngineHost host;
  std::unique_ptr<ORV3> engine;
};

// A case's words as a test name: "add a child" gives "AddAChild".
inline std::string TestName(const std::string& words) {
  std::string name;
  bool upper = true;
  for (const char c : words) {
    if (!std::isalnum(static_cast<unsigned char>(c))) {
      upper = true;
      continue;
    }
    name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
    upper = false;
  }
  return name;
}

inline std::string Join(const std::vector<std::int32_t>& list) {
  std::string out;
  for (const std::int32_t n : list) out += std::to_string(n) + ",";
  return out;
}

// Every live individual's and marriage's fields, relations, family links,
// citations and notes, and every live family link, one line each, as the
// engine's calls read them.
inline std::string FamilyState(ORV3& e) {
  std::ostringstream out;
  FamilyLinks& families = e.Families();
  std::vector<std::int32_t> list;
  for (std::int32_t rin = 1; rin <= e.Records().Highest(orv::RecordKind::Individual); ++rin) {
    CIndividualRecord p;
    if (e.Calls().O3_GetRecord(rin, db::kIndividual, &p, 1) != 1) continue;
    out << "I" << rin << " " << p.surname << ", " << p.givenNames[0] << " " << p.sex << " #";
    for (const std::int32_t n : p.numbers) out << n << ",";
    families.GetRelationList(list, db::kRelSpouses, 0, rin);
    out << " marriages " << Join(list);
    families.GetRelationList(list, db::kRelParents, 5, rin);
    out << " parents " << Join(list);
    families.GetRelationList(list, db::kRelFamilyLinks, db::kRelParents, rin);
    out << " links " << Join(list);
    list.clear();
    e.Owners().GetRinList(list, db::kCitation, rin, db::kOwnerIndividual);
    out << " citations " << Join(list);
    std::string notes;
    e.Notes().GetNotesText(rin, false, db::kIndividual, notes);
    out << " notes " << notes.size() << ":" << notes << "\n";
  }
  for (std::int32_t m = 1; m <= e.Records().Highest(orv::RecordKind::Marriage); ++m) {
    CMarriageRecord r;
    if (e.Calls().O3_GetRecord(m, db::kMarriage, &r, 1) != 1) continue;
    out << "M" << m << " " << r.husband << "+" << r.wife << " #";
    for (const std::int32_t n : r.numbers) out << n << ",";
    families.GetRelation(m, db::kRelChildren, 100000, list);
    out << " children " << Join(list);
    families.GetRelationList(list, db::kRelFamilyLinks, db::kRelChildren, m);
    out << " links " << Join(list);
    list.clear();
    e.Owners().GetRinList(list, db::kCitation, m, db::kOwnerMarriage);
    out << " citations " << Join(list) << "\n";
  }
  for (std::int32_t l = 1; l <= e.Records().Highest(orv::RecordKind::FamilyLink); ++l) {
    orv::FamilyLinkRec link;
    if (e.Records().IsLive(orv::RecordKind::FamilyLink, l) != 1 || !e.Records().Read(l, link))
      continue;
    out << "L" << l << " " << link.relation << " " << link.marriage << ">" << link.child << "\n";
  }
  return out.str();
}

// The state of a file's bytes once a fresh engine has opened them (which
// finishes or undoes what a kill left); "(does not open)" when it cannot.
inline std::string StateOf(const MemoryFile& bytes) {
  MemoryFile copy = bytes;
  Session s(copy);
  if (s.engine->Open(false) != 1) return "(does not open)";
  return FamilyState(*s.engine);
}

// The byte limits of a kill before each write and after half of it, from
// the running byte counts at the end of each write.
inline std::vector<std::uint64_t> KillLimits(const std::vector<std::uint64_t>& ends) {
  std::vector<std::uint64_t> limits;
  std::uint64_t start = 0;
  for (const std::uint64_t end : ends) {
    limits.push_back(start);
    if (end - start > 1) limits.push_back(start + (end - start) / 2);
    start = end;
  }
  return limits;
}

// Runs a change killed at each write (run: the change on a file that stops
// taking bytes at a limit, leaving the bytes in out; the running byte counts
// of its writes when ends is given) and expects every cut file to open as
// before or after the change, never between.
inline void ExpectOldOrNew(const MemoryFile& base,
                           const std::function<void(std::uint64_t limit, MemoryFile& out,
                                                    std::vector<std::uint64_t>* ends)>& run) {
  std::vector<std::uint64_t> ends;
  MemoryFile whole;
  run(FailingFile::kNoLimit, whole, &ends);
  ASSERT_FALSE(ends.empty()) << "the change writes nothing";
  const std::string before = StateOf(base), after = StateOf(whole);
  ASSERT_NE(before, after) << "the change changes nothing";
  const std::vector<std::uint64_t> limits = KillLimits(ends);
  for (const std::uint64_t limit : limits) {
    MemoryFile cut;
    run(limit, cut, nullptr);
    const std::string now = StateOf(cut);
    EXPECT_TRUE(now == before || now == after)
        << "killed at byte " << limit << " of " << ends.back() << ":\n"
        << now << "\n--- before:\n"
        << before << "\n--- after:\n"
        << after;
    if (::testing::Test::HasFailure()) return;
  }
}

// An engine change (true when it reports success) killed at each write.
inline void ExpectEngineCallOldOrNew(const MemoryFile& base,
                                     const std::function<bool(ORV3&)>& change) {
  ExpectOldOrNew(base, [&](std::uint64_t limit, MemoryFile& out, std::vector<std::uint64_t>* ends) {
    out = base;
    FailingFile failing(out, limit);
    Session s(failing);
    ASSERT_EQ(s.engine->Open(false), 1);
    const bool done = change(*s.engine);
    if (ends) {
      EXPECT_TRUE(done) << "fails without a kill";
      *ends = failing.WriteEnds();
    }
  });
}

// Database calls on the family at path (its bytes are base) killed at each
// write: the calls run on the current database, whose writes go to a copy
// of the bytes; what the closing writes does not reach that copy.
inline void ExpectDbCallsOldOrNew(const std::string& path, const MemoryFile& base,
                                  const std::function<bool()>& change) {
  ExpectOldOrNew(base, [&](std::uint64_t limit, MemoryFile& out, std::vector<std::uint64_t>* ends) {
    ASSERT_TRUE(base.ToFile(path));
    ASSERT_EQ(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);
    out = base;
    bool done = false;
    {
      FailingFile failing(out, limit);
      CurrentDatabase->host.io = &failing;
      done = change();
      if (ends) *ends = failing.WriteEnds();
    }
    MemoryFile closing = out;
    CurrentDatabase->host.io = &closing;
    DbCloseCurrent();
    CurrentDatabase->host.io = nullptr;
    if (ends) {
      EXPECT_TRUE(done) << "fails without a kill";
    }
  });
}

}  // namespace killed
