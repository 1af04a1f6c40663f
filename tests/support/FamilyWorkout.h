#pragma once
// A small family built through the engine, and the three things a user does
// with an opened family file: read it whole, edit it, close it. Used by the
// damaged-file tests and by the fuzz driver, which both open changed copies
// of the small family and must get through each step in bounded time.

#include <cstdint>
#include <string>
#include <vector>

#include "CitationRecord.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "ORV3.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"

namespace workout {

// Builds three generations (8 individuals, 3 marriages with children), notes
// on two individuals and a marriage (one of them spanning several note
// blocks), a repository, two sources and citations of an individual and a
// marriage. true when every call succeeded.
inline bool BuildSmallFamily(ORV3& engine) {
  static const char* const kSurnames[] = {"Alder", "Birch", "Cedar", "Dogwood"};
  static const char* const kGivens[] = {"Ann",  "Bert", "Cora", "Dan",
                                        "Edna", "Finn", "Gwen", "Hal"};
  bool ok = true;
  for (int i = 0; i < 8; ++i) {
    CIndividualRecord person;
    person.surname = kSurnames[i / 2];
    person.givenNames[0] = kGivens[i];
    person.sex = (i & 1) ? 'F' : 'M';
    person.birth.date.year = static_cast<std::uint16_t>(1850 + 10 * i);
    person.birth.place[0] = i < 4 ? "Ashford" : "Brampton";
    ok &= engine.Calls().AddRecord(db::kIndividual, false, &person) == i + 1;
  }
  // Marriages 1 (1+2) and 2 (3+4); marriage 3 joins children of both.
  const std::int32_t spouses[3][2] = {{1, 2}, {3, 4}, {5, 8}};
  for (int m = 0; m < 3; ++m) {
    CMarriageRecord marriage;
    marriage.husband = spouses[m][0];
    marriage.wife = spouses[m][1];
    marriage.marriage.date.year = static_cast<std::uint16_t>(1880 + m);
    ok &= engine.Calls().AddRecord(db::kMarriage, false, &marriage) == m + 1;
  }
  ok &= engine.Families().DLLSETORV3RELATION(5, 0, db::kRelParents, 1) > 0;
  ok &= engine.Families().DLLSETORV3RELATION(6, 0, db::kRelParents, 1) > 0;
  ok &= engine.Families().DLLSETORV3RELATION(7, 0, db::kRelParents, 2) > 0;
  ok &= engine.Families().DLLSETORV3RELATION(8, 0, db::kRelParents, 2) > 0;

  std::string longNote;
  for (int line = 0; line < 12; ++line)
    longNote += "Line " + std::to_string(line) + " of a note long enough for blocks.\r\n";
  ok &= engine.Notes().SetNotes(1, longNote, 0, false, db::kIndividual) == 1;
  ok &= engine.Notes().SetNotes(5, "A short note.", 0, false, db::kIndividual) == 1;
  ok &= engine.Notes().SetNotes(1, "Married in the spring.", 0, false, db::kMarriage) == 1;

  CRepositoryRecord repository;
  repository.name = "County Archive";
  ok &= engine.Calls().AddRecord(db::kRepository, false, &repository) == 1;
  for (int s = 0; s < 2; ++s) {
    CSourceRecord source;
    source.title = s == 0 ? "Parish Register" : "Census 1881";
    source.author = "Clerk";
    source.repositoryRin = 1;
    ok &= engine.Calls().AddRecord(db::kSource, false, &source) == s + 1;
  }
  ok &= engine.Owners().NewCitation(false, 1, 1, db::kOwnerIndividual) > 0;
  ok &= engine.Owners().NewCitation(false, 2, 5, db::kOwnerBirth) > 0;
  ok &= engine.Owners().NewCitation(false, 1, 1, db::kOwnerMarriage) > 0;
  return ok;
}

// Reads everything a user's first look at the file reads: every individual
// and marriage by number walk at full detail with their relations and
// notes, the name tree in order, sources, repositories and citations, event
// types. Returns how many records were read (a walk that repeats a number
// or goes past the real highest number is what the tests look for).
inline long ReadWhole(ORV3& engine) {
  long read = 0;
  const std::int32_t highestIndividual = engine.Records().Highest(orv::RecordKind::Individual);
  const std::int32_t highestMarriage = engine.Records().Highest(orv::RecordKind::Marriage);
  std::vector<std::int32_t> list;
  std::string text;
  long steps = 0;
  for (std::int32_t r = engine.Calls().GetRIN(0, db::kQueryIndividuals, db::kWalkNextOrSame);
       r > 0 && steps <= highestIndividual;
       r = engine.Calls().GetRIN(r, db::kQueryIndividuals, db::kWalkNext), ++steps) {
    CIndividualRecord person;
    read += engine.Calls().ReadIndividualRecord(r, person, 10);
    engine.Families().GetRelationList(list, db::kRelMarriages, 0, r, 0);
    engine.Families().GetRelationList(list, db::kRelParents, 0, r, 0);
    engine.Notes().GetNotesText(r, false, db::kIndividual, text);
    engine.Owners().GetRinList(list, db::kCitation, r, db::kOwnerIndividual);
    engine.Owners().GetRinList(list, db::kUserEvent, r, db::kOwnerIndividual);
  }
  steps = 0;
  for (std::int32_t m = engine.Calls().GetRIN(0, db::kQueryMarriages, db::kWalkNextOrSame);
       m > 0 && steps <= highestMarriage;
       m = engine.Calls().GetRIN(m, db::kQueryMarriages, db::kWalkNext), ++steps) {
    CMarriageRecord marriage;
    read += engine.Calls().O3_GetRecord(m, db::kMarriage, &marriage, 1);
    engine.Families().GetRelationList(list, db::kRelChildren, 0, m, 0);
    engine.Notes().GetNotesText(m, false, db::kMarriage, text);
    engine.Owners().GetRinList(list, db::kCitation, m, db::kOwnerMarriage);
    engine.Owners().GetRinList(list, db::kUserEvent, m, db::kOwnerMarriage);
  }
  read += static_cast<long>(engine.Trees().TreeInOrder(orv::RecordKind::Individual).size());
  std::vector<CSourceRecord> sources;
  engine.Calls().O3_GetRecord(0, db::kSourceList, &sources);
  read += static_cast<long>(sources.size());
  const std::int32_t highestCitation = engine.Records().Highest(orv::RecordKind::Citation);
  for (std::int32_t c = 1; c <= highestCitation && c <= 64; ++c) {
    CCitationRecord citation;
    read += engine.Calls().O3_GetRecord(c, db::kCitation, &citation);
  }
  CRepositoryRecord repository;
  read += engine.Calls().O3_GetRecord(1, db::kRepository, &repository);
  return read;
}

// One edit of each kind: a new individual with a note, a rename, a delete
// and a note replaced. The results are not checked: on a damaged file any of
// them may be refused; what counts is that each ends and leaves a file that
// opens again or is refused cleanly.
inline void EditOnce(ORV3& engine, int step) {
  switch (step) {
    case 0: {
      CIndividualRecord person;
      person.surname = "Elm";
      person.givenNames[0] = "Ivy";
      person.sex = 'F';
      const std::int32_t r = engine.Calls().AddRecord(db::kIndividual, true, &person);
      if (r > 0) engine.Notes().SetNotes(r, "Added to a damaged file.", 0, false, db::kIndividual);
      break;
    }
    case 1: {
      CIndividualRecord person;
      if (engine.Calls().ReadIndividualRecord(3, person, 10) == 1) {
        person.surname = "Renamed";
        engine.Calls().UpdateRecord(3, db::kIndividual, &person);
      }
      break;
    }
    case 2:
      engine.Calls().DllDeleteRecord(6, db::kIndividual);
      break;
    default:
      engine.Notes().SetNotes(2, "A new note for the second individual.", 0, false,
                              db::kIndividual);
      break;
  }
}

}  // namespace workout
