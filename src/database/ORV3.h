#pragma once
// The storage engine of one open family file of the current format: the
// in-memory header, DBMap and group indexes; record location, typed reads and
// writes; block allocation; new record numbers and the delete chains.
//
// Every call returns plain integers (1 success, 0 failure, record numbers,
// 1/-1/0 for live tests) and shows its consistency messages through the
// message-box port; nothing throws.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "AlphaIndexFile.h"
#include "FileHandle.h"
#include "FileLayout.h"
#include "RandomAccessFile.h"
#include "RecordRef.h"
#include "Records.h"
#include "StringStore.h"

// What the engine uses of the database object that owns it: the open family
// file, the read-only and change-log flags, and the record counts the engine
// keeps up to date.
struct EngineHost {
  plat::FileHandle file;
  // Where the engine reads and writes the family file: file itself unless
  // io points at another (a test's file in memory or one that fails).
  plat::RandomAccessFile* io = nullptr;
  plat::RandomAccessFile& Io() { return io ? *io : file; }
  bool readOnly = false;
  bool logChanges = false;
  std::int32_t highestIndividual = 0;
  std::int32_t highestMarriage = 0;
  std::int32_t nameEntries = 0;
  std::int32_t noteBlocks = 0;
  std::int32_t liveIndividuals = -1;  // -1 unknown
  std::int32_t liveMarriages = -1;

  // ---- record trees ----
  std::string path;  // the family file; names the index files beside it
  // The name-tree side file (8 bytes per RIN: lesser and greater child);
  // while it is closed its writes are skipped.
  plat::FileHandle nameLinks;
  bool indexStale = true;          // the alphabetic index of individuals must be rebuilt
  AlphaIndexFile sourceIndex;      // ".ors"
  AlphaIndexFile repositoryIndex;  // ".orr"
};

// The application options a new file records in its header.
struct NewFileOptions {
  bool verifyNew = true;
  bool showZel = false;
  bool capSurname = false;
};

// The per-file options the Preferences read and write (header bytes 1661,
// 268, 1138, 1662, 1728, 1732).
struct FileOptions {
  bool logChanges = false;
  std::int32_t optionA = 1;
  std::int32_t optionB = 1;
  std::int16_t optionC = 0;
  std::int16_t optionD = 10;
  std::int32_t optionE = 0;
};

// The application options refreshed into the header when file options are
// saved (bytes 274 to 276).
struct AppFileOptions {
  bool showZel = false;
  int appendValue = 0;  // 0 to 3: 'N', 'R', 'I', 'A'
  bool capSurname = false;
};

// Fills a new record (its number, its stored bytes) before it is first written.
using RecordFiller = std::function<void(std::int32_t number, std::uint8_t* record)>;

class ORV3 {
 public:
  // Blocks of the family file kept in memory (16 MB).
  static constexpr std::size_t kCachedBlocks = 2048;

  explicit ORV3(EngineHost* host);
  ORV3(const ORV3&) = delete;
  ORV3& operator=(const ORV3&) = delete;

  // ---- file structures ----
  // Writes the structures of a new file into the opened, empty file and sets
  // up the engine's state for it. Returns 1, or 0 when a write failed.
  int Create(const std::string& path, const NewFileOptions& options = {});
  // Reads the header, mends stale allocation counters, builds the group
  // indexes, reads the DBMap (rebuilding it when needed) and merges the
  // mirror into it, then recounts. Returns 1, or -1 when the file cannot be
  // used. Default event types are not added here.
  int OpenStructures();

  // ---- header, batch mode, counts ----
  const orv::FileHead& Head() const { return head_; }
  orv::FileHead& Head() { return head_; }
  const orv::DBMap& Map() const { return dbMap_; }
  // Writes a part of the header. In batch mode the counter area is skipped
  // (success) and the whole header is skipped (failure); the tail is always
  // written. A whole-header write sets the format version to "400".
  bool WriteHeader(orv::HeadPart part);
  void BeginBatch() { batch_ = true; }
  // Leaves batch mode and writes the whole header, counters included; false
  // when that write failed.
  bool EndBatch();
  bool InBatch() const { return batch_; }
  // Flushes the file to disk unless in batch mode, read-only or closed.
  void Flush();
  std::string GetFormatVersion() const { return head_.Text(orv::kHeadFormatVersion, 4); }
  // Highest record number of a call-interface record type.
  std::int32_t GetRecordCount(int apiType);
  // 1 individuals, 2 marriages, 3 names, 4 notes: copies the counts to the host.
  void RecountMaxVars(int index);

  // ---- layout ----
  int GroupCount() const { return static_cast<int>(groups_.size()); }
  const orv::GroupIndex* Group(int g) const;
  // (Re)builds the index of group g from its first block; 1 or 0.
  int BuildGroupIndex(int g);
  // File offset of record r, or -1 when it is not addressable.
  std::int64_t LocateRecord(orv::RecordKind kind, std::int32_t r) const;
  // Highest number in use (extensions: that of the type they extend).
  std::int32_t Highest(orv::RecordKind kind) const;

  // ---- records ----
  // Whole stored records. Read fills the buffer (zeros when not addressable).
  int ReadRaw(orv::RecordKind kind, std::int32_t r, std::uint8_t* buf);
  int WriteRaw(orv::RecordKind kind, std::int32_t r, const std::uint8_t* buf);
  // Typed reads and writes, with the per-type rules: an individual's missing
  // creation stamp is supplied and written; extension reads allocate missing
  // blocks and an individual extension follows its individual's stamp; a
  // live family link with empty rings is written as a ring of one.
  template <class Rec>
  int Read(std::int32_t r, Rec& rec);
  template <class Rec>
  int Write(std::int32_t r, const Rec& rec);
  int ReadIndividual(std::int32_t rin, orv::IndividualRec& rec);
  int ReadIndividualExt(std::int32_t rin, orv::IndividualExtRec& rec);
  int ReadSourceExt(std::int32_t source, orv::SourceExtRec& rec);
  int WriteFamilyLink(std::int32_t link, orv::FamilyLinkRec rec);
  // 1 live, -1 deleted, 0 outside 1 to highest or unreadable; the record is
  // left in buf when one is given (record size bytes).
  int IsLive(orv::RecordKind kind, std::int32_t r, std::uint8_t* buf = nullptr);
  // 1 when the owner named by a kind letter and number is live.
  int IsOwnerLive(std::int32_t r, char letter);

  // ---- blocks ----
  int IncrementFileBlockCount(int type);
  // File offset of a new zeroed block of the type, or -1.
  std::int64_t AllocateBlock(int type);
  // Allocates blocks of the type until record r is addressable; 1 or 0.
  int EnsureRecordBlocks(std::int32_t r, int type, int perBlock);
  int SetFileBlockCount(int type, std::int32_t count, bool setHighest);

  // ---- record numbers and deletes ----
  // A new record of the kind (not for note blocks and extensions); with reuse
  // the head of the delete chain is taken first. Returns the number or 0.
  std::int32_t NewRecord(orv::RecordKind kind, bool reuse, const RecordFiller& fill = {});
  // A new citation of a live source for a live owner (kind letter).
  std::int32_t NewCitation(bool reuse, std::int32_t source, std::int32_t owner, char ownerLetter,
                           const RecordFiller& fill = {});
  std::int32_t NewNoteBlock(bool reuse, std::int32_t owner);
  // Puts every block of the chain from first on the free list; false when a
  // write failed.
  bool FreeNoteChain(std::int32_t first);
  // Each returns 1 when deleted or not live, 0 when a write failed.
  int DeleteRecord(orv::RecordKind kind, std::int32_t r);
  int DeleteIndividual(std::int32_t rin);
  int DeleteMarriage(std::int32_t mrin);
  int DeleteFamilyLink(std::int32_t link);
  int DeleteCitation(std::int32_t citation);
  int DeleteSource(std::int32_t source);
  int DeleteRepository(std::int32_t repository);
  int DeleteUserEvent(std::int32_t event);
  int DeleteEventType(std::int32_t type);
  int DeleteContact(std::int32_t contact);
  int DeleteMultimedia(std::int32_t item);

  // ---- relations, links and order ----
  // Spouse chains, children and parents rings, and the owner chains of
  // citations and user events. Lists come back in chain or ring order; every
  // walk is bounded and stops at the first damaged step (a "Yo" box says
  // where). Relation and type codes are those of the call interface.

  // Reports a spouse link ('S') or child link ('C') made ('L') or removed
  // ('U') for (individual, marriage); called only while the host's
  // logChanges flag is on. Empty by default.
  using LinkLogHook =
      std::function<void(char kind, char action, std::int32_t number, std::int32_t second)>;
  void SetLinkLogHook(LinkLogHook hook) { linkLog_ = std::move(hook); }

  // Queries. out is replaced by the numbers the relation gives.
  // 101 'e' husband, wife; 102 'f' first count marriages (zero-filled to
  // count); 103 'g' count 0: marriage, husband, wife of the first parent
  // link, below 0 all parent marriages, above 0 at most count of them;
  // 108 'l' at most count children (-1 when the marriage is not live);
  // 126 '~' the previous sibling, and with count (flag) non-zero also the
  // parents. 1 on success, 0 when the record is not live or the code is bad.
  int GetRelation(std::int32_t record, int relation, int count, std::vector<std::int32_t>& out);
  // 101/102 marriages, 104/105 parent links naming a marriage, 108 children
  // (of an individual over all its marriages, or of a marriage).
  int GetRelationCount(std::int32_t record, int relation, bool individual);
  // The relation lists (101, 103, 108, 142) with their modes; `only` limits
  // 142 to the link of one marriage or child. Number of entries, or -1.
  int GetRelationList(std::vector<std::int32_t>& list, int relation, int mode, std::int32_t record,
                      std::int32_t only = 0);
  // Citations (132) or user events (139) of an owner, in chain order.
  int GetRinList(std::vector<std::int32_t>& list, int type, std::int32_t owner, char ownerLetter);
  // 1 when the marriage (102), or any marriage of the individual (100), has a child.
  int HasChildren(std::int32_t record, int type);
  // Over the individual's marriages (preferred first), the first child who
  // has children of his own; else the last child looked at; 0 without children.
  std::int32_t FindChildWithChildren(std::int32_t rin, std::int32_t preferredMarriage);

  // Changes.
  // 106/107 spouse (returns the marriage, a new one when marriage is 0),
  // 103 child of marriage (-1: a link without parents; 0: a new marriage),
  // 104/105 child of other's marriage, 108 other is the child of individual.
  // Child relations return the family link. 0 when a record is not live,
  // -1 for a bad relation.
  std::int32_t DLLSETORV3RELATION(std::int32_t individual, std::int32_t other, int relation,
                                  std::int32_t marriage);
  // 104/106 as husband, 105/107 as wife, 108 as a child.
  int O3_UnSetRelation(std::int32_t marriage, std::int32_t individual, int relation);
  // Moves the child's link to the end of newMarriage's children (combining
  // with a link already there). 1, 0 on failure, -1 when not a child of oldMarriage.
  int MoveChildLink(std::int32_t child, std::int32_t oldMarriage, std::int32_t newMarriage);
  // 100: takes an individual out of all its families; 102: a marriage away
  // from its spouses and children.
  int O3_UnlinkRIN(std::int32_t record, int type);
  // 102: new order of an individual's marriages; 108: of a marriage's
  // children (child RINs). The list must be a permutation of the present
  // members; otherwise nothing changes and 0 is returned.
  int O3_SetOrder(std::int32_t record, std::span<const std::int32_t> list, int relation);
  // 108: the marriage's children become exactly the listed individuals in
  // that order; 139: the owner's user events become the listed ones (the
  // others of its chain are deleted).
  int SetRinList(std::span<const std::int32_t> list, int type, std::int32_t owner,
                 char ownerLetter);
  // Appends the marriage to the individual's spouse chain; the side is the
  // one the marriage names the individual on, else husband when asHusband.
  int LinkMarr(std::int32_t individual, std::int32_t marriage, char ownerLetter = 'I',
               bool asHusband = true);
  // 102 LinkMarr(owner, record); 132 moves a citation to the owner's chain;
  // 139 appends a user event to the owner's chain. `after` is accepted for
  // the callers' sake; marriages are always appended.
  int LinkRecord(std::int32_t record, int type, std::int32_t owner, char ownerLetter,
                 std::int32_t after = 0, int flag = 0);
  // 132: takes the citation out of the owner's chain when it is there.
  int UnLinkRecord(std::int32_t record, int type, std::int32_t owner, char ownerLetter);

  // Pieces of the delete cascades and of the calls above.
  // Makes c a child of m; returns the family link, or 0.
  std::int32_t MakeChild(std::int32_t child, std::int32_t marriage);
  // Appends a citation to the chain of (owner, letter) and sets its owner field.
  int AppendCitation(std::int32_t citation, std::int32_t owner, char ownerLetter);
  // Takes a citation out of whatever chain holds it.
  int DetachCitation(std::int32_t citation);
  // Takes a family link out of its children and parents rings.
  int DetachFamilyLink(std::int32_t link);
  // Appends a user event to the chain of owner ('I' or 'M').
  int AppendUserEvent(std::int32_t event, std::int32_t owner, char ownerLetter);
  // Takes a user event out of its owner's chain.
  int DetachUserEvent(std::int32_t event);

  // Merging individual a into b (Match/Merge).
  // Every citation of the chain from first whose owner is from gets owner to.
  int ReownCitations(std::int32_t first, std::int32_t from, std::int32_t to);
  int MoveUserEvent(std::int32_t event, std::int32_t newOwner, std::int32_t oldOwner,
                    char ownerLetter);
  // Appends fromLink's sealing citations to toLink's chain.
  int MoveSealingCitations(std::int32_t fromLink, std::int32_t toLink);
  // Hands every parent family link of a to b; links to a marriage b already
  // has are combined into b's (sealing date and temple from a's when asked,
  // citations moved when asked). firstMarriage, when b has a link to it,
  // becomes b's first parent family.
  int MergeFamilyLinks(std::int32_t a, std::int32_t b, bool takeDate, bool takeTemple,
                       std::int32_t firstMarriage, bool moveCitations);

  // ---- string stores ----
  // Reads the entry at offset (up to 269 bytes); with convert its text is
  // turned into the code page. Returns the entry's size (stored text length
  // + 14), or 0 when there is no entry.
  int ReadEntry(std::int32_t offset, orv::StringEntry& entry, bool convert);
  // The text a reference names, in the code page; 0 and "" when none.
  int GetText(std::int32_t reference, std::string& out);
  std::string GetText(std::int32_t reference);
  // Searches the kind's store: the entry's offset (parent = its parent), 0
  // for an empty store, -1 / -2 when missing and due as the greater / lesser
  // child of parent, -3 on a read failure or a bad comparison.
  std::int32_t FindString(const std::string& text, int kind, std::int32_t& parent);
  // The entry of text and kind, added when missing; 0 for an empty text or a
  // failed search. With replace, a found entry whose stored text has the new
  // text's length is overwritten in place; another length adds a new entry.
  std::int32_t FindOrAddString(const std::string& text, int kind, bool replace = false);
  // Points field at the new text: 0 when it already names an equal text
  // (nothing written), else 1 (the field is 0 for an empty text).
  int SetTextReference(const std::string& text, int kind, std::int32_t& field);
  // Overwrites an entry's text when the new text has exactly its length; 1,
  // or 0 (other length, bad offset, failed read or write).
  int ReplaceEntryText(std::int32_t offset, const std::string& text, bool convert);
  // Writes one int32 of an entry (its tree fields); 0 for offset <= 0.
  int WriteEntryField(std::int32_t offset, int fieldOffset, std::int32_t value);
  // 1 and the stored text when text of the kind is present, else 0.
  int FindText(const std::string& text, int kind, std::string& out);

  // ---- notes ----
  // First note block of a live individual (100) or marriage (102), else 0.
  std::int32_t GetFirstNoteBlock(std::int32_t r, int apiType);
  // Takes a note block for a live individual or marriage, stores it as the
  // record's first note block and returns it; 0 otherwise.
  std::int32_t CreateFirstNoteBlock(std::int32_t r, int apiType);
  // The text of a chain, CR LF line ends, in the code page; 0 when the first
  // block is 0 or unreadable. At most 32000 blocks are read (NotesCut()).
  int ReadNoteChain(std::int32_t first, std::string& out);
  bool NotesCut() const { return notesCut_; }
  // Stores text in the chain from first, reusing its blocks, taking new ones
  // and freeing the rest; returns first (0 when it cannot be read, a block
  // cannot be had or a write failed).
  std::int32_t WriteNoteChain(std::int32_t first, const std::string& text,
                              std::int32_t previous = 0);
  // A non-empty text goes into the chain of field (a block is taken when
  // field <= 0); an empty text frees the chain and sets field to 0. 1 or 0.
  int SetNoteText(std::int32_t& field, const std::string& text, std::int32_t owner);
  // Adds text at the end of the chain from first; returns first.
  std::int32_t AppendNotes(std::int32_t first, const std::string& text);

  // ---- record trees ----
  // The trees of individuals (by name), sources (title), repositories (name)
  // and event types (title). Where a call takes the record's buffer (its
  // stored bytes, which the caller may write afterwards), the key is taken
  // from it and its tree fields are kept equal to the file's.
  // Puts a record that is not in its tree into it. 1 or 0.
  int InsertInTree(orv::RecordKind kind, std::int32_t r, std::uint8_t* rec = nullptr);
  // Takes a record out of its tree (nothing when it is not in it); its child
  // fields then point at itself. 1 or 0.
  int RemoveFromTree(orv::RecordKind kind, std::int32_t r, std::uint8_t* rec = nullptr);
  // Re-places a record after its key changed.
  int Resort(orv::RecordKind kind, std::int32_t r, std::uint8_t* rec = nullptr);
  bool InTree(orv::RecordKind kind, std::int32_t r);
  std::int32_t TreeRoot(orv::RecordKind kind) const;
  std::int32_t TreeFirst(orv::RecordKind kind);
  std::int32_t TreeLast(orv::RecordKind kind);
  std::int32_t TreeSuccessor(orv::RecordKind kind, std::int32_t r);
  std::int32_t TreePredecessor(orv::RecordKind kind, std::int32_t r);
  // Every record of the tree in key order.
  std::vector<std::int32_t> TreeInOrder(orv::RecordKind kind);
  // Record-number walk over live records (modes 109 to 113).
  std::int32_t WalkByNumber(orv::RecordKind kind, std::int32_t n, int mode);
  // The same walk over 1 to highest with a caller's live test.
  static std::int32_t NumberWalk(std::int32_t n, int mode, std::int32_t highest,
                                 const std::function<bool(std::int32_t)>& live);
  // Finds by key text (individuals "surname, given names" or with '|') and
  // picks by mode 109 to 113; 0 when none.
  std::int32_t FindByName(orv::RecordKind kind, const std::string& text, int mode);
  // The key text of a record by block type (2, 7, 8, 13), in the code page.
  std::string GelAlphaName(std::int32_t r, int blockType);
  // API record type of a block type; 0 (and "Yo") for another.
  static int LoCodeToHiCode(int blockType);
  // The index file of sources or repositories, rebuilt when stale; nullptr
  // for another kind or when it cannot be built.
  AlphaIndexFile* AlphaIndex(orv::RecordKind kind);
  int BuildAlphaIndex(orv::RecordKind kind);

  // ---- record calls ----
  // Record-number walk modes: 109 the number or the next live one, 110 the
  // number or the previous live one, 111 exactly the number, 112 the next
  // live one after it, 113 the previous live one before it.
  static constexpr int kModeNextOrSame = 109;
  static constexpr int kModePreviousOrSame = 110;
  static constexpr int kModeExact = 111;
  static constexpr int kModeNext = 112;
  static constexpr int kModePrevious = 113;

  // Opens the file (OpenStructures), raises stale highest record numbers
  // left by a crash in batch mode, and adds the default event types to a
  // file that has none when asked. 1, or -1 when the file cannot be used.
  int Open(bool createDefaultEventTypes);
  // One event type per row of the custom event table; 1, or 0 when a number
  // could not be had or a write failed (the rows after it are not added).
  int AddDefaultEventTypes();
  // Per record kind, slots past the stored highest number that lie in
  // allocated blocks and hold a written or deleted record raise the highest
  // number. Returns the number of kinds raised.
  int RecoverHighestNumbers();
  // The same for the two string stores: their next-entry position, block end,
  // count and root live in header parts a batch holds back. Entries written
  // past the stored position are walked over, so new texts never overwrite
  // them. Returns the number of stores mended.
  int RecoverStringStores();

  // Reads record number (resolved by mode for 100, 102, 118, 120, 121, 130
  // and 131) of an API type into rec, which must be of the type's class
  // (RecordRef.h). detail: individuals at level 10 when non-zero, else 9
  // when flag is non-zero, else 8; marriages count their children when
  // detail is non-zero. 1 read; 0 none, not live, bad type or wrong object.
  int O3_GetRecord(std::int32_t number, int type, RecordRef rec, int detail = 0,
                   int mode = kModeExact, int flag = 0);
  // A new record of the type (100, 102, 130, 131, 132, 139, 141, 142, 145,
  // 148) filled from rec when one is given (monostate: an empty record);
  // reuse takes the head of the delete chain first. The number, or 0.
  std::int32_t AddRecord(int type, bool reuse, RecordRef rec = {});
  // Rewrites record number of the type from rec (149/150: rec is the note
  // block number). 1, or 0 on a failure (its message shown once).
  int UpdateRecord(std::int32_t number, int type, RecordRef rec, int flag = 0);
  // Deletes (100, 102, 130, 131, 132, 139, 141, 142, 148) or frees the note
  // chain from number (122). 1, or 0 on a failure or a bad type.
  int DllDeleteRecord(std::int32_t number, int type);
  // Record numbers and index positions by kind and mode (numbers: 114, 115,
  // 120, 121, 128, 129, 130, 131, 134, 136; texts: 118, 133, 135). 0 none.
  std::int32_t GetRIN(std::int32_t number, int kind, int mode = kModeExact);
  std::int32_t GetRIN(const std::string& text, int kind, int mode = kModeExact);

  // An individual at a detail level (1 to 11; PlanForLevel). 1, or 0 when
  // it is not live.
  int ReadIndividualRecord(std::int32_t rin, CIndividualRecord& rec, int level);

  // Field accessors.
  // 1 when the stored record carries its type's deleted mark (100, 102,
  // 142: 'D'; 130, 131, 132: 'Y'); else 0.
  int IsRecordDeleted(int type, std::int32_t number);
  // The stored sex byte; 0 when the record cannot be read.
  int GetSex(std::int32_t rin);
  int HasParents(std::int32_t rin);
  // The first live event type (by number) whose title is exactly title; its
  // number, 0 when none.
  std::int32_t FindEventType(const std::string& title, CEventTypeRecord& rec);
  // Name-tree children of a live individual (0, 0 otherwise); 1 when live.
  int GetTreeChildren(std::int32_t rin, std::int32_t& lesser, std::int32_t& greater);
  // Stores value at offset 258 (last update), 262 or 266 of a live
  // individual and writes it. 1, or 0.
  int SetIndividualTimeField(std::int32_t rin, int offset, std::int32_t value);
  // The christening's label (event type title or string 5523); returns the
  // individual's live test (1, -1, 0).
  int GetChristeningLabel(std::int32_t rin, std::string& out);
  int SetRelationshipIndicator(std::int32_t rin, const std::string& text);
  // Multimedia chain head of an owner of type 100, 102, 130 or 132; -1 when
  // the record cannot be read. Set returns the old head (-1 on a failure).
  std::int32_t GetMultimediaHead(std::int32_t owner, int type);
  std::int32_t SetMultimediaHead(std::int32_t owner, int type, std::int32_t head);
  // Replaces the folder of multimedia paths; the number of items changed.
  int ChangeMultimediaFolder(const std::string& oldFolder, const std::string& newFolder);
  // 1, or 0 when a record could not be read or written (the walk stops).
  int ReplaceCitationSource(std::int32_t oldSource, std::int32_t newSource);
  int ReplaceSourceRepository(std::int32_t oldRepository, std::int32_t newRepository);
  // Ordinance states (0 nothing recorded, 1 not to be done, 2 done, 3
  // cleared or submitted).
  int SealingState(std::int32_t record, int type);
  int IndividualOrdinanceState(std::int32_t rin, std::int32_t marriage);
  int FamilyOrdinanceState(std::int32_t record, int type);
  // Notes of an individual (100) or marriage (102), or of a note block
  // (isBlock). Get: 1 and the text, 0 without notes. Set: mode 0 the whole
  // notes (empty text frees them), 1 appends, 2 appends an empty line and
  // the text; 1 or 0. Delete: 1 or 0.
  int GetNotesText(std::int32_t recordOrBlock, bool isBlock, int type, std::string& out);
  int SetNotes(std::int32_t recordOrBlock, const std::string& text, int mode, bool isBlock,
               int type);
  int DeleteNotes(std::int32_t record, int type);

  // File options, the flag at 1730 (flag 1 only) and the preparer (record
  // 125, always in the header). Set calls rewrite the whole header; 1 or 0.
  FileOptions GetFileOptions();
  int SetFileOptions(const FileOptions& options, const AppFileOptions& app);
  int GetFileOption(int flag) const;
  int SetFileOption(int flag, int value);
  int ReadPreparer(CPreparerRecord& rec);
  int WritePreparer(const CPreparerRecord& rec);
  // Without an engine: 101 and the header's facts when path is a family
  // file of the current format, else 0 (cause: the file error, if any).
  static int ProbeFamilyFile(const std::string& path, std::int32_t& highestRin,
                             std::int32_t& highestMrin, std::string& title, std::uint64_t& length,
                             int* cause = nullptr);
  // The alphabetic index of individuals (name-tree order), rebuilt when the
  // host marks it stale; rebuilding also writes the ".ora" file. Positions
  // count from 1; 0 when outside or not listed.
  std::int32_t NameIndexEntries();
  std::int32_t NameIndexAt(std::int32_t position);
  std::int32_t NameIndexPositionOf(std::int32_t rin);

  // ---- multimedia chains ----
  // The items of an owner form a chain through their next and previous
  // numbers; the owner's field may name any item of it.
  // The first item of the chain that holds item (previous links followed);
  // 0 for 0, an item that cannot be read or a loop of previous links.
  std::int32_t FirstMultimediaItem(std::int32_t item);
  // Deletes every item of the chain that holds item, first to last. An item
  // that names another owner or owner type (100, 102, 130, 132; 0 for any),
  // cannot be read or closes a loop ends the walk. 1 when the walk reached
  // the end (also for item 0), else 0.
  int DeleteMultimediaChainOf(std::int32_t item, std::int32_t owner, int ownerType);

 private:
  // Positioned write of the family file: skipped (success) when read-only;
  // "Write Error" when short.
  bool Put(std::int64_t pos, const void* data, std::size_t len);
  void WriteDBMapCount(int g, int t);
  // Chooses the position of the next block (opening a group when the last is
  // full) and sets the used-position count to it; 1 or 0.
  int TakePosition(int& g, int& p);
  int RecoverAllocationCounters();
  int CheckDBMapBlock();
  int LoadDBMap();
  std::int32_t PopChainHead(orv::RecordKind kind);
  int DeleteToChain(orv::RecordKind kind, std::int32_t r, const char* eraseText,
                    const char* chainText, const char* caption, unsigned flags);
  void DeleteCitationChain(std::int32_t first);
  void DeleteUserEventChain(std::int32_t first);

  // ---- relations, links and order ----
  struct CitationSlot {
    orv::RecordKind kind = orv::RecordKind::Individual;
    std::int32_t record = 0;    // record holding the chain head
    int offset = 0;             // head field in that record
    std::int32_t owner = 0;     // value of the citations' owner field
    std::int32_t countRin = 0;  // individual whose extension counts the chain
    int countField = 0;         // 73 user events, 74 parent links, 0 none
  };
  bool CitationSlotOf(std::int32_t owner, char letter, CitationSlot& slot);
  std::int32_t SlotHead(const CitationSlot& slot);
  bool SetSlotHead(const CitationSlot& slot, std::int32_t head);
  bool FindCitationHead(std::int32_t citation, std::int32_t owner, CitationSlot& slot);
  void AdjustCitedCount(std::int32_t rin, int field, int delta);
  std::vector<std::int32_t> CitationChain(std::int32_t first);
  std::vector<std::int32_t> UserEventChain(std::int32_t owner, char letter);
  bool SetUserEventHead(std::int32_t owner, char letter, std::int32_t head);
  std::vector<std::int32_t> SpouseChain(std::int32_t rin);
  std::vector<std::int32_t> WalkRing(std::int32_t head, bool children, std::int32_t owner);
  std::vector<std::int32_t> ChildrenRing(std::int32_t mrin);
  std::vector<std::int32_t> ParentsRing(std::int32_t rin);
  bool WriteChildrenRing(std::int32_t mrin, const std::vector<std::int32_t>& links);
  bool WriteParentsRing(std::int32_t rin, const std::vector<std::int32_t>& links);
  int AppendToSpouseChain(std::int32_t rin, std::int32_t mrin, int side, bool set);
  int RemoveFromSpouseChain(std::int32_t rin, std::int32_t mrin, int side);
  int TakeChildOut(std::int32_t mrin, std::int32_t child);
  int DeleteLinkCompletely(std::int32_t link);
  void LogLink(char kind, char action, std::int32_t number, std::int32_t second);
  LinkLogHook linkLog_;

  orv::DBMap dbMap_;
  std::vector<std::unique_ptr<orv::GroupIndex>> groups_;
  EngineHost* host_;
  orv::FileHead head_;
  bool batch_ = false;

  // ---- string stores, notes, record trees ----
  std::int32_t AddEntry(const std::string& ansel, int kind, std::int32_t parent,
                        std::int32_t found);
  std::int32_t WriteNoteChainAnsel(std::int32_t first, const std::string& ansel,
                                   std::int32_t previous);
  struct TreeLinks {
    std::int32_t lesser = 0, greater = 0, parent = 0;
  };
  struct TreeKey {
    std::string surname, given;  // given: only for individuals
  };
  bool ReadLinks(orv::RecordKind kind, std::int32_t r, TreeLinks& links);
  bool WriteLinks(orv::RecordKind kind, std::int32_t r, const TreeLinks& links);
  void SetTreeRoot(orv::RecordKind kind, std::int32_t r);
  TreeKey KeyOfRecord(orv::RecordKind kind, std::int32_t r, const std::uint8_t* rec);
  // Key and links of a node from one read of its record.
  bool NodeKey(orv::RecordKind kind, std::int32_t r, TreeKey& key, TreeLinks& links);
  static int CompareKeys(orv::RecordKind kind, const TreeKey& key, const TreeKey& node);
  void RotateUp(orv::RecordKind kind, std::int32_t x);
  void MarkTreeChanged(orv::RecordKind kind);
  std::string AnselTextOf(std::int32_t reference);

  bool notesCut_ = false;
  // Stored texts by entry offset, for the tree walks' key comparisons.
  std::unordered_map<std::int32_t, std::string> entryTexts_;

  // ---- record calls ----
  bool EnsureNameIndex();
  int ReadAlphaName(std::int32_t position, CAlphaNameRecord& rec);
  int ReadSourceRecord(std::int32_t r, CSourceRecord& rec);
  int ReadCitationRecord(std::int32_t r, CCitationRecord& rec);
  int StoreIndividualRecord(std::int32_t rin, const CIndividualRecord& obj, bool isNew);
  int StoreSourceRecord(std::int32_t r, const CSourceRecord& obj, bool isNew);
  int StoreCitationRecord(std::int32_t r, const CCitationRecord& obj);
  int StoreEventTypeRecord(std::int32_t t, const CEventTypeRecord& obj, bool isNew);
  // The multimedia item an owner's field names: updated when item is that
  // record, else replaced by a new record (owner type given); none deletes it.
  int StoreOwnedItem(std::int32_t& field, const CMultimediaItem* item, std::int32_t owner,
                     std::uint8_t ownerType);
  std::vector<std::int32_t> nameIndex_;     // RINs in name order
  std::vector<std::int32_t> namePosition_;  // position by RIN
  bool nameIndexBuilt_ = false;
};

template <class Rec>
int ORV3::Read(std::int32_t r, Rec& rec) {
  if constexpr (std::is_same_v<Rec, orv::IndividualRec>) {
    return ReadIndividual(r, rec);
  } else if constexpr (std::is_same_v<Rec, orv::IndividualExtRec>) {
    return ReadIndividualExt(r, rec);
  } else if constexpr (std::is_same_v<Rec, orv::SourceExtRec>) {
    return ReadSourceExt(r, rec);
  } else {
    std::uint8_t buf[Rec::kSize];
    const int ok = ReadRaw(Rec::kKind, r, buf);
    rec.Decode(buf);
    return ok;
  }
}

template <class Rec>
int ORV3::Write(std::int32_t r, const Rec& rec) {
  if constexpr (std::is_same_v<Rec, orv::FamilyLinkRec>) {
    return WriteFamilyLink(r, rec);
  } else {
    std::uint8_t buf[Rec::kSize];
    rec.Encode(buf);
    return WriteRaw(Rec::kKind, r, buf);
  }
}
