#pragma once
// The database calls: the one route through which screens, lists, reports,
// transfers and tools read and write the open family file. Each call works
// on CurrentDatabase and dispatches on its type: the current format (101)
// goes to the engine; the old format (100) is read through its reader
// (orv2/Orv2Reader.h) and refuses every writing call; any other type gets
// the "Unknown File Type (%1)" box with the call's number and the call's
// failure value, unless noted otherwise.
//
// Results are plain integers (record numbers, 1 success and 0 failure, 1 live
// / -1 deleted / 0 beyond the highest number); nothing throws. Calls that
// change records write a change-log line when the file logs changes and the
// change succeeded. Record types, relations, walk modes, query kinds and
// owner letters are the codes of DbCodes.h (namespace db), named without the
// namespace below.

#include <cstdint>
#include <string>
#include <vector>

#include "DbCodes.h"
#include "RecordRef.h"

class CIndividualRecord;
class CEventTypeRecord;

// ---- batch mode, flush, counts ----
void DbFlush();
// Batch mode holds back header writes and flushes; its end writes the header once:
// 1, or 0 when that write (or a held one) failed.
void DbBeginBatch();
[[nodiscard]] int DbEndBatch();
// The default event types a writable open file lacks (ORV3::AddMissingEventTypes),
// for a file opened before the custom event table was loaded. 1 when added.
[[nodiscard]] int DbAddMissingEventTypes();
// Of an individual (isIndividual 1): kRelSpouses/kRelMarriages marriages,
// kRelFather/kRelMother parent families, kRelChildren children over all
// marriages; of a marriage: kRelChildren children.
// -1 on a database of another type (no message).
int DbGetRelationCount(std::int32_t rin, int relation, int unused, int isIndividual);
// kind: a db::QueryKind; mode: a db::WalkMode. 0 when none.
std::int32_t DbGetRIN(std::int32_t rin, int kind, int mode);
// By a text: kQueryNameText the name-index position of the individual found
// for "Surname, Given names" (mode kWalkNextOrSame the first at or after the
// text, kWalkPrevious the last before it). 0 when none, or on the old format.
std::int32_t DbGetRIN(const std::string& text, int kind, int mode);
// The lesser and greater name-tree links of a live individual and 1; 0 and
// (0, 0) for a deleted or unreadable one.
int DbGetNameTreeLinks(std::int32_t rin, std::int32_t& lesser, std::int32_t& greater);
// The highest record number of a record type.
std::int32_t DbGetMaxRecordCount(int type);
// kIndividual live individuals, kMarriage live marriages (-1 unknown); other
// types: "Bad Type" box and -1.
std::int32_t DbGetActiveRecordCount(int type);
// The header's format version ("400"); "" on another type.
std::string DbGetFormatVersion();
// Writes of the current family file that failed since it was opened (a full
// disk); 0 with no family file of the current format.
int DbWriteFailures();
std::int32_t DbGetRecordCount(int type);

// ---- relations, links and order ----
// Replaces list by the relation list (kRelSpouses, kRelParents, kRelChildren,
// kRelFamilyLinks) of rin; for kRelParents with subKind 4 the marriage
// numbers without zero entries. The engine's count, or for that case the
// list's size.
int DbGetRelationList(std::vector<std::int32_t>& list, int relation, int subKind, std::int32_t rin,
                      int flag);
// Citations (kCitation) or user events (kUserEvent) of an owner (a
// db::OwnerKind letter); the list is emptied first.
int DbGetRinList(std::vector<std::int32_t>& list, int type, std::int32_t ownerRin, char ownerKind);
// kRelChildren: the marriage's children become the listed individuals; kUserEvent: the
// owner's user events become the listed ones (the others are deleted).
[[nodiscard]] int DbSetRinList(const std::vector<std::int32_t>& list, int type,
                               std::int32_t ownerRin, char ownerKind);
// kMarriage a marriage rin into individual ownerRin's spouse chain, kCitation a
// citation and kUserEvent a user event into an owner's chain. after and flag
// go to the engine unchanged. Logs kLogLink with rin and ownerRin.
[[nodiscard]] int DbLinkRecord(std::int32_t rin, int type, std::int32_t ownerRin, char ownerKind,
                               std::int32_t after = 0, int flag = 0);
// Citations (kCitation) only. Logs kLogUnlink with rin and ownerRin.
[[nodiscard]] int DbUnLinkRecord(std::int32_t rin, int type, std::int32_t ownerRin, char ownerKind);
// Moves a user event from oldOwner's chain to newOwner's (kOwnerIndividual individuals,
// otherwise marriages). 1 when moved; 0 when the event or the new owner is not
// live or a write of either chain failed.
[[nodiscard]] int DbMoveUserEvent(std::int32_t eventRin, int unused, std::int32_t newOwner,
                                  std::int32_t oldOwner, char ownerKind);
// Match/Merge: hands rin1's parent family links to rin2. flag1 and flag2 take
// the sealing date and temple of rin1's links, value (when not 0) becomes
// rin2's first parent family, flag3 moves the sealing citations.
[[nodiscard]] int DbMergeFamilyLinks(std::int32_t rin1, std::int32_t rin2, int flag1, int flag2,
                                     std::int32_t value, int flag3);
// kRelSpouses husband and wife, kRelMarriages marriages, kRelParents parents,
// kRelChildren children, kRelPreviousSibling the previous sibling; out is
// replaced.
int DbGetRelation(std::int32_t rin, int relation, int count, std::vector<std::int32_t>& out);
// The whole relation without the padding a count brings: kRelMarriages an
// individual's marriages, kRelParents the marriages of its parent families,
// kRelChildren a marriage's children, each in stored order. Empty when the
// record is not live or has none. Another relation answers as DbGetRelation
// with a count of 0.
[[nodiscard]] std::vector<std::int32_t> DbGetRelationChain(std::int32_t rin, int relation);
std::int32_t DbFindChildWithChildren(std::int32_t rin, std::int32_t preferredMrin);
int DbHasParents(std::int32_t rin);
// 1 when individual (kIndividual) or marriage (kMarriage) rin has a child.
int DbHasChildren(std::int32_t rin, int type);
// 'M', 'F' or another value for unknown.
int DbGetSex(std::int32_t rin);
// kRelParents to kRelChildren (see ORV3::DLLSETORV3RELATION); -1 for another
// relation.
[[nodiscard]] std::int32_t DbSetRelation(std::int32_t rin, std::int32_t rin2, int relation,
                                         std::int32_t extra);
// -1 when rin is not a child of mrin.
[[nodiscard]] int DbMoveChildLink(std::int32_t rin, std::int32_t mrin, std::int32_t newMrin);
// Takes individual rin out of marriage mrin: kRelFather/kRelHusband as
// husband, kRelMother/kRelWife as wife, kRelChildren as a child.
[[nodiscard]] int DbUnSetRelation(std::int32_t mrin, std::int32_t rin, int relation);
// Takes individual (kIndividual) or marriage (kMarriage) rin out of all its
// families.
[[nodiscard]] int DbUnlinkRIN(std::int32_t rin, int type);
// kRelMarriages: new order of rin's marriages; kRelParents: of individual
// rin's parent family links (link numbers, the first becomes the primary
// parents); kRelChildren: of marriage rin's children.
[[nodiscard]] int DbSetOrder(std::int32_t rin, const std::vector<std::int32_t>& list, int relation,
                             int count);

// ---- records ----
// Reads record rin (resolved by mode) of type into record. 1 read; 0 absent,
// deleted, bad type, no open file or a database of another type.
int DbGetRecord(std::int32_t rin, int type, RecordRef record, int detail = 0,
                int mode = db::kWalkExact, int extra = 0, int flag = 0);
// Individual rin at a detail level; 1 read, 0 not live.
int DbGetIndividualRecord(std::int32_t rin, CIndividualRecord& record, int level);
// A new record of type from record (reuse: a deleted record's number first).
// The new number, or 0. Logs kLogAdd.
[[nodiscard]] std::int32_t DbAddRecord(int type, int flag, RecordRef record);
// Rewrites record rin of type; 1, or 0 on a failure. Logs kLogModify on success.
[[nodiscard]] int DbUpdateRecord(std::int32_t rin, int type, RecordRef record, int flag = 0);
// Deletes record rin of type; 1, or 0 on a failure. Logs kLogDelete on success.
[[nodiscard]] int DbDeleteRecord(std::int32_t rin, int type);
// 1 when the stored record carries its type's deleted mark.
int DbIsRecordDeleted(int type, std::int32_t rin);
// Type kIndividual only: the last-update time of live individual rin.
[[nodiscard]] int DbSetIndividualUpdateTime(std::int32_t rin, int type, std::int32_t value);
[[nodiscard]] int DbSetSubmittedStirpbankDate(std::int32_t rin, int unused, std::int32_t time);
[[nodiscard]] int DbSetSubmittedLinerollDate(std::int32_t rin, int unused, std::int32_t time);
[[nodiscard]] int DbSetRelationshipIndicator(std::int32_t rin, const std::string& text);
// Re-points every citation of oldSource / every source of oldRepository. 1 or 0.
[[nodiscard]] int DbReplaceCitationSource(std::int32_t oldSource, std::int32_t newSource);
[[nodiscard]] int DbReplaceSourceRepository(std::int32_t oldRepository, std::int32_t newRepository);
// The title of user event rin's event type, or "Christening" without one.
// The read's result when it is not above 0, else 1.
int DbGetUserEventTitle(std::int32_t rin, std::string& out);
// The live event type titled exactly title, read into record; 0 when none.
std::int32_t DbFindEventType(const std::string& title, CEventTypeRecord& record);
// Ordinance states: 0 nothing recorded, 1 not to be done, 2 done, 3 cleared
// or submitted; the sealing status is -1 when the marriage is not live.
int DbGetSealingStatus(std::int32_t rin, int type);
int DbGetChildrenOrdinanceStatus(std::int32_t rin, int type);

// ---- notes ----
// Notes are CR LF text. A paragraph ends at an empty line; one beginning
// with '~' is hidden unless withTilde, one beginning with '!' is marked.
// The notes of individual (kIndividual) or marriage (kMarriage) rinOrBlock, or of the
// chain from note block rinOrBlock (isBlock). onlyBang keeps only marked
// paragraphs; stripMarks drops the marks. "" when nothing is left.
std::string DbGetNotes(std::int32_t rinOrBlock, int isBlock, int type, int onlyBang, int withTilde,
                       int stripMarks);
// mode 0 the whole notes (an empty text deletes them), 1 appends, 2 appends
// after an empty line. The record's first note block afterwards (0 when it
// has none or on a failure).
[[nodiscard]] std::int32_t DbSetNotes(std::int32_t rinOrBlock, const std::string& text, int mode,
                                      int isBlock, int type);
// First note block of individual (kIndividual) or marriage (kMarriage) rin; 0
// without notes.
std::int32_t DbGetNoteBlock(std::int32_t rin, int type);
[[nodiscard]] int DbDeleteNotes(std::int32_t rin, int type);
// The note tags of the notes, one per tagged paragraph in text order.
std::vector<std::string> DbGetNoteTagList(std::int32_t rinOrBlock, int isBlock, int type);
// Removes every paragraph tagged tag and puts newText (each paragraph
// prefixed with the tag and a blank) where the first one was, or at the end.
// The record's first note block afterwards.
[[nodiscard]] std::int32_t DbReplaceTaggedNote(std::int32_t rinOrBlock, const std::string& newText,
                                               const std::string& tag, int isBlock, int type);
// The paragraphs tagged tag (with the tag when keepTag), the closing line
// ends removed; "" when none.
std::string DbGetTaggedNote(std::int32_t rinOrBlock, const std::string& tag, int keepTag,
                            int isBlock, int type);

// The filter and tag rules of the notes calls, on a text.
std::string FilterNotesText(const std::string& text, bool onlyBang, bool withTilde,
                            bool stripMarks);
// The tag of the paragraph starting at text[pos] ("" without one).
std::string NoteTagAt(const std::string& text, std::size_t pos);
std::vector<std::string> NoteTagsOf(const std::string& text);
std::string TaggedParagraphs(const std::string& text, const std::string& tag, bool keepTag);
// The notes after replacing tag's paragraphs by newText; empty when nothing
// remains.
std::string ReplaceTaggedParagraphs(const std::string& notes, const std::string& newText,
                                    const std::string& tag);

// ---- string stores ----
// 1 and the stored text in out when text of kind is in its store, else 0.
int DbFindString(const std::string& text, int kind, std::string& out);
// The position of text of kind in its store, 0 when it is not there; adds
// nothing (for readers that must not write, such as reports).
std::int32_t DbFindStringPosition(const std::string& text, int kind);
// The entry at position (at most 255 characters); 1, or 0 and "".
int DbGetString(std::int32_t position, std::string& out);
// The entry of text and kind, added when missing (kind 0 name parts, 2 place
// parts; above 3 the second store); out gets the stored text. 0 for "".
std::int32_t DbFindOrAddString(const std::string& text, int kind, std::string& out);
// Alphabetic order of two names: below 0, 0, above 0; with trim both are
// first stripped of leading and trailing blanks and control characters.
// -1 on a database of another type.
int DbAlphaCompare(const std::string& text1, const std::string& text2, int trim);
// Two names in the family file's name order, letter case ignored: 1 when a
// sorts after b, 2 when before, 0 when equal; with convert both are texts of
// the active code page. -1 on a database of another type.
int DbCompareNames(const std::string& a, const std::string& b, int convert);

// ---- helpers ----
// A text without any upper-case letter gets its first character upper-cased.
std::string CapitalizeIfNoCapitals(const std::string& text);
// The record type's change-log line after a change that succeeded: kIndividual
// kLogIndividual, kMarriage kLogMarriage, kSource kLogSource (with the
// source's title), kRepository kLogRepository (with the repository's name);
// other types and number 0 are not logged, nor anything while the file does
// not log changes.
void LogRecordChange(char action, std::int32_t number, int type, std::int32_t second,
                     const std::string* text = nullptr);
