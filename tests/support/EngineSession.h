#pragma once
// An engine on a file that is not the host's own handle (a file in memory,
// or one standing in for a failing disk), and a readable account of what an
// engine holds, to compare the engine's memory with the file opened again.

#include <cstdint>
#include <memory>
#include <string>

#include "DbCodes.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "ORV3.h"
#include "RandomAccessFile.h"

struct EngineSession {
  explicit EngineSession(plat::RandomAccessFile& f, bool readOnly = false) {
    host.io = &f;
    host.readOnly = readOnly;
    engine = std::make_unique<ORV3>(&host);
  }
  EngineHost host;
  std::unique_ptr<ORV3> engine;
};

// Every live individual (names, sex, notes) and marriage (spouses, notes),
// the highest numbers and the name tree's order, one line each.
inline std::string DescribeFamily(ORV3& e) {
  std::string out = "highest " + std::to_string(e.Records().Highest(orv::RecordKind::Individual)) +
                    " " + std::to_string(e.Records().Highest(orv::RecordKind::Marriage)) + " " +
                    std::to_string(e.Records().Highest(orv::RecordKind::NoteBlock)) + "\n";
  std::string notes;
  for (std::int32_t r = 1; r <= e.Records().Highest(orv::RecordKind::Individual); ++r) {
    CIndividualRecord p;
    if (e.Calls().O3_GetRecord(r, db::kIndividual, &p) != 1) continue;
    e.Notes().GetNotesText(r, false, db::kIndividual, notes);
    out += "individual " + std::to_string(r) + ": " + p.surname + ", " + p.givenNames[0] + " " +
           p.sex + " / " + notes + "\n";
  }
  for (std::int32_t m = 1; m <= e.Records().Highest(orv::RecordKind::Marriage); ++m) {
    CMarriageRecord rec;
    if (e.Calls().O3_GetRecord(m, db::kMarriage, &rec) != 1) continue;
    e.Notes().GetNotesText(m, false, db::kMarriage, notes);
    out += "marriage " + std::to_string(m) + ": " + std::to_string(rec.husband) + " + " +
           std::to_string(rec.wife) + " / " + notes + "\n";
  }
  out += "name order:";
  for (std::int32_t r : e.Trees().TreeInOrder(orv::RecordKind::Individual))
    out += " " + std::to_string(r);
  return out + "\n";
}
