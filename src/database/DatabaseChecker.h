#pragma once
// Check/Repair of an open family file: every block and record is examined,
// every fault is written as one line of the report, and in repair mode what
// can be mended is mended in the file (bad pointers cleared, header counts
// corrected, delete chains rebuilt, loops cut) without touching sound data.
// What the user stated that a role would not lead one to expect (a spouse
// whose sex is not the role's) is a note line: no fault, never changed.
//
// The run goes stage by stage: the header, the alphabetic index files, the
// type maps of the groups against the header's block counts, then one pass
// per record type. Header corrections are kept in the engine's header image
// and written at the end of a completed run; records are mended as soon as
// their fault is found, through the engine's record writes, and a write that
// fails leaves its line without "(FIXED)".

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "CheckRepairLog.h"
#include "FileLayout.h"
#include "StringStore.h"

class CFamilyDatabase;
class ORV3;

class CDatabaseChecker {
 public:
  static constexpr int kBlockSize = orv::kBlockSize;

  // Checks the open current-format database; repair nonzero mends. Without
  // a report path nothing is written and Finish answers 0.
  CDatabaseChecker(const std::string& filePath, const std::string& reportPath,
                   CFamilyDatabase& database, int repair, CheckRepairDisplay* display = nullptr);
  ~CDatabaseChecker();
  CDatabaseChecker(const CDatabaseChecker&) = delete;
  CDatabaseChecker& operator=(const CDatabaseChecker&) = delete;

  // The whole run; 1 when every stage completed, 0 when it was stopped.
  int Run();
  // Closes the report (opened in the text editor when problems were found)
  // or shows "No problems were found."; 0 without a report path, else 1.
  int Finish();

  // Rewrites every text of the names store in its kind's capitalisation
  // (names::ToMixedCase), in place, then rebuilds the store's tree when a
  // text changed; Cancel stops the rewriting but not the rebuild. Shows how
  // many names were checked and changed; 0 when an entry or block could not
  // be read. changedOut, when given, receives the number changed.
  int ChangeNamesToMixedCase(unsigned long* changedOut = nullptr);

  // Counts a problem and writes its line; 0 when the run must stop.
  int LogProblem(const std::string& text, bool fixed);
  // Writes a line about what the file states that is not damage (not
  // counted, never mended); 0 when the run must stop.
  int LogNote(const std::string& text);
  // File offset of the n-th block (from 0) of a block type, or -1.
  std::int64_t FindBlock(int n, int type);
  // Above 0 when value is a usable pointer to a record or text of the type
  // (0 and below mean no pointer and are valid).
  int IsValidPointer(std::int32_t value, int type, std::int32_t owner = 0);

  unsigned long ProblemCount() const { return problems_; }
  bool Repairing() const { return repair_ != 0; }
  CCheckRepairLog* Log() { return log_.get(); }

 private:
  // A record of one type being walked: its number and stored bytes.
  struct Rec {
    orv::RecordKind kind;
    std::int32_t number;
    std::vector<std::uint8_t> bytes;
  };

  // An entry of a string store as the name-tree check reads it.
  struct NameEntry {
    std::int32_t offset = 0;
    std::int32_t lesser = 0, greater = 0, parent = 0;
    int kind = 0;
    int length = 0;     // stored characters up to the zero
    std::string text;   // in the code page, as the store compares
    std::string ansel;  // as stored, which orders texts that collate equal
  };
  // The links, kind and stored length of the string-store entry read into buf
  // at pos; its text is left to the caller.
  static NameEntry DecodeNameEntry(const std::uint8_t* buf, std::int64_t pos);

  int Stage(const std::string& title, long range = -1);
  int Step(long position, long range);
  int Line(const std::string& text);

  // The alphabetic index stage: in repair mode the index files are dropped.
  int CheckAlphaIndex();
  // The lines of what the current alphabetic index file (".ora") lists
  // wrongly: an individual twice, a record that is not a live individual,
  // a live individual not at all.
  void NameIndexFileLines(std::vector<std::string>& lines);
  // What the block map stage reads from the groups' type maps, kept up to
  // date by what it mends.
  struct BlockMapCounts {
    long long size = 0;  // of the file, after a cut block is padded
    long groups = 0;
    long blocks = 0;
    std::vector<long> perType;
    // Blocks per group and type as the type maps show them (first blocks
    // aside), for the DBMap.
    std::vector<std::vector<int>> perGroup;
    std::vector<std::vector<std::uint8_t>> maps;
    bool padded = false;
    // A string-store block cut short: its type and where its entries end.
    std::pair<int, std::int64_t> cutStore{0, -1};
  };
  // The type maps against the DBMap and the header's counts: the number of
  // differences, or -1 to stop.
  int CheckFileMap();
  // Reads every group's type map into counts; -1 to stop.
  int ReadGroupMaps(BlockMapCounts& counts);
  // The block of group g that the end of the file cuts short, padded to
  // its end in repair mode; -1 to stop.
  int MendCutBlock(int g, const std::vector<std::uint8_t>& map, BlockMapCounts& counts);
  // Counts the blocks group g's map shows; a block beyond the end of the
  // file is freed in repair mode. -1 to stop.
  int CountGroupBlocks(int g, const std::vector<std::uint8_t>& map, BlockMapCounts& counts);
  // New entries of a cut string store go on where its whole ones end.
  void PlaceCutStoreEnd(const std::pair<int, std::int64_t>& cutStore);
  // The DBMap's counts, the header's group and block counts, and the
  // header's block count of each kind, against the type maps: the number
  // of differences, or -1 to stop.
  int CheckDBMapCounts(const BlockMapCounts& counts);
  int CheckHeaderBlockCounts(const BlockMapCounts& counts);
  int CheckHeaderKindCounts(const BlockMapCounts& counts);
  // Gives back their type to blocks whose type byte was damaged, where the
  // DBMap misses a block of a type and the block's contents show it (or
  // leave it the one choice); maps are the groups' type maps as read, and
  // the counts are kept up to date with what is retyped. The number
  // retyped (in repair mode), or -1 to stop.
  int RetypeBlocks(const std::vector<std::vector<std::uint8_t>>& maps,
                   std::vector<std::vector<int>>& perGroup, std::vector<long>& perType,
                   long& blocksCounted, const orv::FileHead& headerBefore);
  // Clears, in a string-store block that the end of the file cut at cutAt
  // (from the block's start), the entry the cut goes through; the file
  // offset where the whole entries end, or -1.
  std::int64_t CutStringEntry(std::int64_t block, std::int64_t cutAt);
  // The type byte of the DBMap block; false to stop.
  bool CheckDBMapType(const std::vector<std::vector<std::uint8_t>>& maps,
                      std::vector<std::vector<int>>& perGroup, std::vector<long>& perType,
                      long& blocksCounted);
  // Sets the highest numbers and string-store places back to the file's
  // header (before), as far as the blocks of each kind now hold, after
  // blocks were given back; cut: the end of the file was lost, and records
  // after the last one written are gone.
  void RestoreHeaderNumbers(const orv::FileHead& before, bool cut);
  int CheckNames(int type);
  // The kind byte of every entry of a string store (type) against the kinds
  // the records' fields ask of it; in repair mode a wrong one is set (and
  // entries follow). 0 to stop.
  int CheckEntryKinds(int type, std::vector<NameEntry>& entries);
  // Collects the kinds that the live records' text fields ask of the
  // entries they name (kindsAsked_), once per run, after the block map.
  void ReadKindsAsked();
  // True when a live record's text field of the store (type) names the
  // entry at offset, which proves an entry starts there.
  bool NamedByField(std::int32_t offset, int type);
  // True when the entry at offset is reached through the store's tree from
  // its root (links into the store only), which proves it starts there too.
  bool InStoreTree(std::int32_t offset, int type);
  // The first place after pos and before the end of the block where an
  // entry is proved to start (named by a field, or byTree in the tree), or
  // -1.
  std::int64_t NextProvedEntry(int type, std::int64_t pos, std::int64_t blockEnd, bool byTree);
  // Rebuilds a store's tree in file order; false when an entry is bad (the
  // tree is then left alone) or a write failed.
  bool RebuildNameTree(const orv::StoreFields& store, std::vector<NameEntry>& entries);
  int CheckNotes();
  // The notes of individuals, marriages, sources and citations: chains of
  // two records that run into the same block are parted (each block stays
  // in the one chain its owner and back link show, the others end before
  // it), then every block of a chain must name the chain's record as its
  // owner; 0 to stop.
  int CheckNoteOwners();
  int CheckIndividuals();
  // The steps of one live individual; 0 to stop. other is room for a
  // marriage or family link record.
  int CheckIndividual(Rec& rec, std::vector<std::uint8_t>& other);
  int CheckIndividualSex(Rec& rec, std::vector<std::uint8_t>& other);
  int CheckParentChain(const Rec& rec, std::vector<std::uint8_t>& other);
  int CheckMarriageChain(Rec& rec, std::vector<std::uint8_t>& other);
  int CheckIndividualExtension(std::int32_t rin);
  bool RebuildIndividualTree(const std::vector<std::int32_t>& live);
  int CheckContacts();
  int CheckMarriages();
  int CheckFamilyLinks();
  // A family link met in the child ring of marriage m whose marriage field
  // names no live marriage, or one whose own child ring does not hold the
  // link, is given m back (repair mode); true when written.
  bool GiveLinkItsMarriage(std::int32_t link, std::int32_t m, std::uint8_t* linkBytes);
  // Links only one side knows (DatabaseCheckerLinks.cpp): a child's parent
  // link that its marriage's children lack, a marriage's child link that
  // the child's parent links lack; in repair mode the other side takes the
  // link. 0 to stop.
  int CheckOneSidedLinks();
  // The field (husband 5, wife 9) of a marriage that names nobody there, in
  // which the individual can be its spouse (by sex when both are free); 0
  // when both name someone.
  static int FreeSpouseSide(const std::uint8_t* person, const std::uint8_t* marriage);
  // In repair mode, puts a marriage that names individual p (person: p's
  // bytes) in spouseField at the end of p's marriage chain; true when written.
  bool AppendToSpouseChain(std::int32_t p, std::uint8_t* person, Rec& marriage, int spouseField);
  // Whether the children ring of a marriage (ownerKind Marriage) or the
  // parents ring of an individual holds the link.
  bool RingHolds(orv::RecordKind ownerKind, std::int32_t owner, std::int32_t link);
  // In repair mode, puts the link at the end of that ring; true when written.
  bool JoinRing(orv::RecordKind ownerKind, std::int32_t owner, std::int32_t link);
  int CheckRepositories();
  int CheckSources();
  int CheckCitations();
  int CheckUserEvents();
  int CheckEventTypes();
  int CheckMultimedia();

  // Walks records 1 to highest of a kind under a stage title; live records go
  // to check (which answers 0 to stop); deleted ones are listed and, with a
  // chainLine, the delete chain is checked against them.
  template <class Fn>
  int WalkRecords(orv::RecordKind kind, const std::string& title, const std::string& kindName,
                  bool resetWithLine, std::vector<std::int32_t>& deleted, Fn&& check,
                  const char* chainLine = nullptr);
  int CheckDeleteChain(orv::RecordKind kind, const std::vector<std::int32_t>& deleted,
                       const std::string& lineFormat);
  // A pointer field of a live record; in repair mode cleared in the record
  // and the record rewritten. 1 to go on, 0 to stop.
  int CheckInPlace(Rec& rec, int fieldOffset, int targetType, const std::string& kindName,
                   const std::string& pointerName, std::int32_t owner = 0);
  // The text and citation pointers of an event (or ordinance) sub-block at
  // offset, named by its label in the lines.
  int CheckEventFields(Rec& rec, int offset, bool ordinance, const std::string& kindName,
                       const std::string& label);
  // The user events of an owner by their next pointers, ended by a visited
  // set; a loop is cut after the last event met once.
  int CheckUserEventChain(std::int32_t first, Rec& ownerRec, int ownerField,
                          const std::string& ownerKind);
  // The three tree links of a record (lesser, greater, parent at
  // linkOffset) must be 0 or live records of its kind; otherwise the line
  // (with the record's number) and, in repair mode, the record is re-placed.
  int CheckTreeOrder(Rec& rec, int linkOffset, const std::string& text);
  // The key-order lines of a record tree ("is not less", "is not greater",
  // "is out of order"), added to lines; 0 when the run was stopped.
  int KeyOrderLines(orv::RecordKind kind, const std::string& kindName,
                    std::vector<std::string>& lines);
  // The reach of a record tree from its root (links lesser and greater at
  // lesserOffset): every live record once, no record twice, none that is
  // not live; the lines of what is not so, added to lines. 0 when stopped.
  int TreeReachLines(orv::RecordKind kind, int rootField, int lesserOffset,
                     const std::string& kindName, const std::string& treeName,
                     std::vector<std::string>& lines);
  // The chain of citations of an owner, ended by a visited set.
  int CheckCitationChain(std::int32_t first, std::int32_t owner, Rec& ownerRec,
                         int ownerFieldOffset, const std::string& ownerKind);
  // The back pointer of a doubly linked chain: the next record's previous
  // field must name this one.
  int CheckBackPointer(orv::RecordKind kind, std::int32_t self, std::int32_t next,
                       int previousOffset);
  bool WriteRecord(Rec& rec);
  bool SetHighest(orv::RecordKind kind, std::int32_t value);
  void MarkHeaderDirty(int field);
  std::int32_t Highest(orv::RecordKind kind) const;

  std::string filePath_;
  std::string reportPath_;
  CFamilyDatabase& database_;
  ORV3& engine_;
  int repair_;
  orv::FileHead& head_;
  int progressBase_ = 0;
  bool headerDirty_ = false;
  bool extensionHeaderDirty_ = false;
  unsigned long problems_ = 0;
  std::unique_ptr<CCheckRepairLog> log_;
  bool stopped_ = false;
  // File offsets of the blocks of each type in file order, from the type maps.
  std::vector<std::vector<std::int64_t>> blocks_ =
      std::vector<std::vector<std::int64_t>>(orv::kMapTypes + 1);
  bool mapRead_ = false;
  // One byte per byte of the string stores' blocks, a bit for each kind the
  // naming fields ask of the entry that starts there; kindsAskedRow_ gives a
  // block number its row of 8192 bytes (from 1; 0 for a block of no store).
  std::vector<std::int32_t> kindsAskedRow_;
  std::vector<std::uint8_t> kindsAsked_;
  bool kindsAskedRead_ = false;
  // The entries reached through each store's tree (names, other names),
  // read when first asked.
  std::unordered_set<std::int32_t> treeEntries_[2];
  bool treeEntriesRead_[2] = {false, false};
  // Proved entries whose text was lost: what names them cannot be read back.
  std::unordered_set<std::int32_t> textlessEntries_;
};
