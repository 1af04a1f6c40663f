#pragma once
// The reader of old-format (ORV 2.x) families: the open with its cached live
// counts and recount schedule, and the read routines the database calls
// dispatch to for database type 100. Every routine works on the database
// object it is handed (normally *CurrentDatabase) and never writes the old
// family's data files; the open only updates the recount values of
// family.ini.
//
// Every walk over an old chain (deleted records, spouse chains, child chains,
// note blocks, multimedia entries) is bounded: a number met twice ends the
// walk, with the "Endless loop error" box where the walk is interactive.
// Header counts are limited to the records the file actually holds.

#include <cstdint>
#include <string>
#include <vector>

#include "MultimediaItem.h"
#include "RecordRef.h"

class CFamilyDatabase;
class CIndividualRecord;
class CMarriageRecord;
class CFamilyLinkRecord;
class CPreparerRecord;

namespace orv2 {

// ---- open and the recount schedule ----

// The recount schedule kept in family.ini [StartUp]: OpenCnt opens are left
// until the next recount, OpenCntSet is the interval.
struct RecountSchedule {
  int opensLeft = 0;
  int interval = 0;
  bool firstSetting = false;  // the interval had never been set (11)
  bool recount = false;       // this open discards the saved counts
};
// The schedule of an open from the stored values.
RecountSchedule PlanRecount(int openCnt, int openCntSet);
// After a recount: matching counts double the interval (at most 10), others
// halve it (at least 1, opens left limited to it) unless it was a first
// setting.
void AfterRecount(RecountSchedule& s, bool countsMatched);

// The last-write time of a file as 24 characters "Www Mmm dd hh:mm:ss yyyy"
// (local time); "" when the file is missing.
std::string FileTimeText(const std::string& path);

// Opens the old family in folder (or the path of its indiv2.dat) into db:
// 1 opened, 0 a data file missing, -2 the live records could not be
// counted (a looping delete chain, or Cancel in the progress window shown
// while the delete chains are walked).
int Open(CFamilyDatabase& db, const std::string& path);

// Live records of type (100 or 102): the header count minus the deleted
// chain; -1 when the chain leaves the file or loops.
std::int32_t CountLive(CFamilyDatabase& db, int type);

// ---- the read calls ----
std::int32_t GetRIN(CFamilyDatabase& db, std::int32_t number, int kind, int mode);
// Types 100, 102, 125, 142; others show "Bad Type". 1 read, 0 not.
int GetRecord(CFamilyDatabase& db, std::int32_t number, int type, RecordRef record, int detail,
              int mode);
int ReadIndividual(CFamilyDatabase& db, std::int32_t rin, CIndividualRecord& out, int detail);
int ReadMarriage(CFamilyDatabase& db, std::int32_t mrin, CMarriageRecord& out);
int ReadPreparer(CFamilyDatabase& db, CPreparerRecord& out);
// The family link of child rin (the link's number is the child's).
int ReadFamilyLink(CFamilyDatabase& db, std::int32_t rin, CFamilyLinkRecord& out);

int RelationCount(CFamilyDatabase& db, std::int32_t number, int relation, int isIndividual);
int Relation(CFamilyDatabase& db, std::int32_t number, int relation, int count,
             std::vector<std::int32_t>& out);
// Over the marriages (preferred first), oldest child first: the first child
// with children of his own, else the last child looked at; 0 without any.
std::int32_t FindChildWithChildren(CFamilyDatabase& db, std::int32_t rin, std::int32_t preferred);
int HasParents(CFamilyDatabase& db, std::int32_t rin);
int HasChildren(CFamilyDatabase& db, std::int32_t number, int type);
// The status byte ('M', 'F', 'D', other); 'E' when it cannot be read.
int Sex(CFamilyDatabase& db, std::int32_t rin);
// The text of name entry n; "" for 0 or an entry out of range.
std::string NameEntry(CFamilyDatabase& db, std::int32_t n);
int SealingStatus(CFamilyDatabase& db, std::int32_t number, int type);
int ChildrenOrdinanceStatus(CFamilyDatabase& db, std::int32_t number, int type);
std::int32_t RecordCount(CFamilyDatabase& db, int type);
// The number of individuals or marriages (type) the data file's header
// states, before it is held to the records the file holds.
std::int32_t StatedCount(CFamilyDatabase& db, int type);
int IsDeleted(CFamilyDatabase& db, int type, std::int32_t number);

// ---- notes and multimedia ----
std::int32_t FirstNoteBlock(CFamilyDatabase& db, std::int32_t rin);
// The notes from individual rin (or from block n with isBlock) as CR LF text;
// db.oldNotesWrap joins the stored lines of a paragraph.
std::string NotesText(CFamilyDatabase& db, std::int32_t rinOrBlock, bool isBlock);
// Joins stored lines as the wrap option does; lines without their ends.
std::string JoinStoredLines(const std::vector<std::string>& lines, bool wrap);
// Type 100: rin when indivex2.dat names an entry for it, else 0.
std::int32_t MultimediaHead(CFamilyDatabase& db, std::int32_t rin, int type);
// The individual's items in chain order.
CMultimediaList MultimediaList(CFamilyDatabase& db, std::int32_t rin);

}  // namespace orv2
