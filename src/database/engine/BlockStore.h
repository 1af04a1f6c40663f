#pragma once
// The block level of an open family file: the in-memory header, the DBMap
// and the group indexes, batch mode, block allocation, and the engine's only
// positioned reads and writes of the family file.
//
// Keeps: the header (written back by parts: whole, counter area, tail), the
// DBMap (block counts per group and type, mirrored near the header), one
// index per group of where each block type lies, and the batch flag.
// Guarantees: a new block is zeroed, typed in its group's first block and
// counted in the DBMap, its mirror and the header before it is handed out;
// outside batch mode the header reaches the disk with it. Writes are
// skipped (success) on a read-only file and show "Write Error" when short.
// A damaged file is met with limits: at open the groups, the used
// positions and every highest-number and count field of the header are
// held to what the file's size and type maps can really hold (reported once
// as damage, written back only when the file may be written and the user
// goes on); a link into a block is checked against the block's type before
// it is followed; a read scope skips every write (as on a read-only file) so
// that reading never changes the file.
// Needs: only the host's file and read-only flag.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FileLayout.h"

struct EngineHost;
struct NewFileOptions;

class BlockStore {
 public:
  explicit BlockStore(EngineHost* host);
  BlockStore(const BlockStore&) = delete;
  BlockStore& operator=(const BlockStore&) = delete;

  // ---- file structures ----
  // Writes the header, mirror, group 0 and the DBMap of a new file into the
  // opened, empty file. 1, or 0 when a write failed.
  [[nodiscard]] int Create(const std::string& path, const NewFileOptions& options);
  // Reads the header, mends stale allocation counters, builds the group
  // indexes and reads the DBMap (rebuilding it when needed), merging the
  // mirror into it. 1, or -1 when the file cannot be used.
  int OpenStructures();

  // ---- header, batch mode ----
  const orv::FileHead& Head() const { return head_; }
  orv::FileHead& Head() { return head_; }
  const orv::DBMap& Map() const { return dbMap_; }
  // Writes a part of the header. In batch mode the counter area is skipped
  // (success) and the whole header is skipped (failure); the tail is always
  // written. A whole-header write sets the format version to "400".
  [[nodiscard]] bool WriteHeader(orv::HeadPart part);
  // Enters batch mode and marks the header's tail, so that a file left by a
  // process that died in the batch is mended when it is next opened.
  void BeginBatch();
  // Leaves batch mode and writes the whole header, counters included; false
  // when that write failed.
  [[nodiscard]] bool EndBatch();
  bool InBatch() const { return batch_; }
  // Sets or clears the header's tree-change mark (written in the tail);
  // nothing in batch mode, whose own mark covers the trees, nor while
  // nothing may be written.
  void MarkTreeChange(bool on);
  // Sets or clears the header's add mark the same way.
  void MarkAdd(bool on);
  // Flushes the file to disk unless in batch mode, read-only or closed.
  void Flush();
  std::string GetFormatVersion() const { return head_.Text(orv::kHeadFormatVersion, 4); }

  // ---- groups and blocks ----
  int GroupCount() const { return static_cast<int>(groups_.size()); }
  const orv::GroupIndex* Group(int g) const;
  // (Re)builds the index of group g from its first block; 1 or 0.
  int BuildGroupIndex(int g);
  int IncrementFileBlockCount(int type);
  // File offset of a new zeroed block of the type, or -1.
  std::int64_t AllocateBlock(int type);
  // Allocates blocks of the type until record r is addressable; 1 or 0.
  int EnsureRecordBlocks(std::int32_t r, int type, int perBlock);
  int SetFileBlockCount(int type, std::int32_t count, bool setHighest);

  // ---- limits of a damaged file ----
  // The highest record number the blocks of a type address: the last
  // record of a group's blocks that both the DBMap and the type map show.
  std::int32_t RecordCapacity(int blockType, int perBlock) const;
  // Blocks of a type the groups' type maps show.
  std::int32_t TypeMapBlocks(int blockType) const;
  // Type of the block that holds file offset pos (kBlockFirst for a group's
  // first block); 0 for the header area or an offset beyond the groups.
  int BlockTypeAt(std::int64_t pos) const;
  // true when len bytes from pos lie inside one block of the type.
  bool InBlockOfType(std::int64_t pos, std::int64_t len, int type) const;
  // Shows the damaged-file message naming what is wrong, once per open.
  void ReportDamage(const std::string& what);
  // Shows a failure's message the first time its kind is met in this open
  // file and counts it every time, so that a damaged structure met again
  // and again (every individual of a cut file) is told once. The text is
  // followed by what the user does next (run Check/Repair, make room on the
  // disk).
  void TellOnce(const std::string& kind, const std::string& text, const std::string& caption,
                unsigned flags);
  // The kind of a failed write of the family file.
  static constexpr const char* kWriteErrorKind = "Write Error";
  // The caption of the failure boxes: the program's name.
  static constexpr const char* kFailureCaption = "Korvane";
  // How often a kind of failure was met since the file was opened.
  int TimesTold(const std::string& kind) const;
  // The kinds met more than once, with how often each was met: the lines
  // of the summary the user is shown when the file is closed ("" when no
  // kind repeated).
  std::string RepeatedFailures() const;
  // Holds every highest-number and count field of the header to what the
  // blocks can hold (a highest number beyond them to the last record
  // written, as lastWritten finds it below a number); reports a change as
  // damage. With a writable file the user may stop there (-1, nothing
  // written) or go on (the header is written back). The number of fields
  // held, or -1.
  int ClampHeaderToCapacity(
      const std::function<std::int32_t(orv::RecordKind, std::int32_t)>& lastWritten);

  // true while mends of the open are held back from the file.
  bool HoldsMends() const { return heldHeader_ || heldDBMap_; }
  // Writes the held mends now; true when there were none or they were written.
  [[nodiscard]] bool WriteMends() { return !HoldsMends() || WriteHeldMends(); }
  // Sets the DBMap count of a type in a group and writes it with its mirror.
  [[nodiscard]] bool MendDBMapCount(int g, int t, int count);

  // ---- read scopes and held flushes ----
  // While a read scope is open every write is skipped (success) and no block
  // is allocated: what a read would mend in passing waits for a write.
  class ReadScope {
   public:
    explicit ReadScope(BlockStore& b) : b_(b) { ++b_.reading_; }
    ~ReadScope() { --b_.reading_; }
    ReadScope(const ReadScope&) = delete;
    ReadScope& operator=(const ReadScope&) = delete;

   private:
    BlockStore& b_;
  };
  bool Reading() const { return reading_ > 0; }
  // While a mend hold is open (the mends of opening a file), the writes of
  // the header, the mirror and the DBMap are held in memory: they reach the
  // file before the first later write (an edit), so that an open in which
  // nothing is edited, or that the user cancels, writes nothing.
  class MendHold {
   public:
    explicit MendHold(BlockStore& b) : b_(b) { ++b_.holding_; }
    ~MendHold() { --b_.holding_; }
    MendHold(const MendHold&) = delete;
    MendHold& operator=(const MendHold&) = delete;

   private:
    BlockStore& b_;
  };
  // Flushes asked for while a hold lasts become one flush at its end.
  class FlushHold {
   public:
    explicit FlushHold(BlockStore& b) : b_(b) { ++b_.flushHolds_; }
    ~FlushHold() {
      if (--b_.flushHolds_ == 0 && b_.flushWanted_) {
        b_.flushWanted_ = false;
        b_.Flush();
      }
    }
    FlushHold(const FlushHold&) = delete;
    FlushHold& operator=(const FlushHold&) = delete;

   private:
    BlockStore& b_;
  };

  // ---- positioned access to the family file ----
  // Write: skipped (success) when read-only; "Write Error" when short.
  [[nodiscard]] bool Put(std::int64_t pos, const void* data, std::size_t len);
  // A write whose order does not matter to a batch cut short, because the
  // next open rebuilds what it holds (the links of the record trees): in
  // batch mode it is held in memory, read back from there, and written with
  // the others of its block when the batch ends (or when many are held).
  // Outside batch mode, or longer than kMaxHeldWrite bytes, it is a Put.
  [[nodiscard]] bool PutLater(std::int64_t pos, const void* data, std::size_t len);
  static constexpr std::size_t kMaxHeldWrite = 12;
  // Writes the held writes, a write per block (one each where small writes
  // are cheap); true when all reached the file (those that did not stay
  // held, and the batch mark stays set).
  [[nodiscard]] bool WriteHeldWrites();
  // The first write of a record just numbered. While a NewRecordWait lives
  // in batch mode it waits, read back from memory, until the next write: one
  // that covers it (the record written whole) reaches the file in its place,
  // any other is preceded by it, so the file goes through the same states
  // less one. Otherwise it is a Put.
  [[nodiscard]] bool PutNew(std::int64_t pos, const void* data, std::size_t len);
  // Opened by a call that numbers a record and writes it whole: when it ends
  // the waiting write, if any, is on the file, so a call that returned has
  // its record there.
  class NewRecordWait {
   public:
    // Outside a batch the add runs under the header's add mark, which stays
    // when a write of the add failed.
    explicit NewRecordWait(BlockStore& b) : b_(b) {
      if (b_.newRecordWaits_++ == 0) {
        b_.failuresAtAdd_ = b_.writeFailures_;
        b_.MarkAdd(true);
      }
    }
    // A call that answers for the add ends the wait itself and reads End's
    // answer; one left on the way (an early return) only finishes the writes.
    ~NewRecordWait() { (void)End(); }
    // Ends the wait (once): writes what still waits and clears the add mark.
    // False when a write of the add or the clearing failed, so that the add
    // fails; the mark then stays for the next open.
    [[nodiscard]] bool End() {
      if (ended_) return ok_;
      ended_ = true;
      if (--b_.newRecordWaits_ > 0) return ok_ = true;
      ok_ = b_.WritePending() && b_.failuresAtAdd_ == b_.writeFailures_;
      if (ok_) {
        b_.MarkAdd(false);
        ok_ = b_.failuresAtAdd_ == b_.writeFailures_;
      }
      return ok_;
    }
    NewRecordWait(const NewRecordWait&) = delete;
    NewRecordWait& operator=(const NewRecordWait&) = delete;

   private:
    BlockStore& b_;
    bool ended_ = false;
    bool ok_ = false;
  };
  // An edit reaches the file whole or not at all. While an EditScope lives
  // outside a batch, every write is kept in memory (and read back from
  // there). When the outermost one ends, its place beside the header is
  // noted and the header's edit mark set, then the kept writes are written
  // as one journal past the end of the file, in one write with the edit's
  // new blocks before it (so that the file holds every page the edit needs
  // before anything goes in place), then they are written in place, the
  // journal is cut off and the mark cleared. A process stopped on the way
  // leaves the mark: the next open writes a whole journal in place again,
  // and cuts off one that is not whole (never a block the file's header or
  // type maps name; a journal record that does not agree with the file is
  // damage, asked about before anything is written). When the journal
  // cannot be written (a full disk) the file is put back as it was, nothing
  // is written in place, and the header, the DBMap and the group indexes in
  // memory go back to what the file holds. Once the journal is whole the
  // edit stands: writes in place that fail are kept in memory (reads see
  // them) and made again before any later write, which fails while they
  // cannot be made, so that nothing is written over the journal.
  class EditScope {
   public:
    explicit EditScope(BlockStore& b);
    ~EditScope() { (void)End(); }  // as for NewRecordWait
    // Ends the scope (once); false when the outermost one's writes did not
    // all reach the file, so that the edit fails.
    [[nodiscard]] bool End();
    // Ends the scope of a call that failed: the outermost one's writes are
    // given up (the file is left as it was); an inner one leaves the answer
    // to the call around it.
    void GiveUp();
    EditScope(const EditScope&) = delete;
    EditScope& operator=(const EditScope&) = delete;

   private:
    BlockStore& b_;
    bool ended_ = false;
    bool ok_ = true;
  };
  // Called when the writes of an edit were given up: what the engine keeps
  // of the file in memory is read again.
  void SetOnEditDropped(std::function<void()> f) { onEditDropped_ = std::move(f); }
  // The family file's length, with what an edit keeps in memory past its end.
  long long FileSize() const;
  // true when the open found the header's edit mark with a journal record
  // that does not agree with the file (damage): nothing was written or cut
  // off, and the mark is cleared in memory, written with the first edit.
  bool JournalDoubtful() const { return journalDoubtful_; }

  // Read of exactly len bytes; false when fewer could be read.
  bool ReadAt(std::int64_t pos, void* data, std::size_t len);
  // Read of up to len bytes (near the end of the file); the count read, or -1.
  long long ReadSomeAt(std::int64_t pos, void* data, std::size_t len);

 private:
  void WriteDBMapCount(int g, int t);
  // The write itself ("Write Error" once per open when short).
  [[nodiscard]] bool PutNow(std::int64_t pos, const void* data, std::size_t len);
  // A write (or flush) the file refused: counted and told "Write Error".
  void NoteWriteFailure();
  // Writes what a mend hold kept back: the whole header, the DBMap and its
  // mirror as they are in memory.
  [[nodiscard]] bool WriteHeldMends();
  // Clears, in a group's type map as read, the positions of blocks past the
  // end of the file; the number cleared.
  int FreePositionsBeyondTheFile(int g, std::uint8_t* first);
  // true when block b (a block number) reads as a DBMap with the counts the
  // mirror has.
  bool AgreesWithMirror(std::int32_t b);
  // Held writes: each kept under the file block of its first byte, a
  // block's in the order of their places in it.
  struct HeldWrite {
    std::uint16_t at = 0;  // from the start of its block
    std::uint8_t len = 0;
    std::uint8_t bytes[kMaxHeldWrite] = {};
  };
  static_assert(orv::kBlockSize <= 65536, "a place in a block fits HeldWrite::at");
  static std::int64_t HeldBlock(std::int64_t pos) {
    return (pos - orv::kBlocksOffset) / orv::kBlockSize;
  }
  static std::int64_t HeldBlockStart(std::size_t b) {
    return orv::kBlocksOffset + static_cast<std::int64_t>(b) * orv::kBlockSize;
  }
  // Calls f(writes, start) for the held writes of every block that may hold
  // one overlapping [pos, pos+len); start is the block's file position.
  template <class F>
  void ForHeldBlocks(std::int64_t pos, std::size_t len, F&& f);
  // Calls f(write, wpos, from, to) for every held write overlapping
  // [pos, pos+len): its file position and the overlapping file range.
  template <class F>
  void ForHeldOverlapping(std::int64_t pos, std::size_t len, F&& f);
  // Copies a write's bytes into the held writes it overlaps; whole when it
  // covers one of them, same when one is held for exactly its range.
  struct HeldCover {
    bool whole = false, same = false;
  };
  HeldCover CopyIntoHeld(std::int64_t pos, const void* data, std::size_t len);
  // Copies the waiting and the held bytes over what was read from
  // [pos, pos+len).
  void OverlayHeld(std::int64_t pos, void* data, std::size_t len);
  // Writes the waiting first write of a new record, if any.
  [[nodiscard]] bool WritePending();
  // The edit journal: writes kept by an edit, by file position, none
  // overlapping or touching another.
  using Writes = std::map<std::int64_t, std::vector<std::uint8_t>>;
  void KeepEditWrite(std::int64_t pos, const void* data, std::size_t len);
  static void OverlayWrites(const Writes& writes, std::int64_t pos, void* data, std::size_t len);
  std::int64_t EditEnd() const;
  [[nodiscard]] bool CommitEdit();
  // Writes in place what a whole journal holds and the file does not yet,
  // cuts the journal off and clears the edit mark; true when there was
  // nothing to do or all of it was done.
  [[nodiscard]] bool FinishJournal();
  // Puts back the header, the DBMap and the group indexes an edit began with.
  void DropEdit();
  // At open: a journal left by an edit under the edit mark is written in
  // place when whole (kept in memory on a read-only file), else cut off as
  // far as no block the file names lies past where it is cut; a journal
  // record that does not agree with the file leaves the file as it is
  // (JournalDoubtful).
  void RecoverEdit();
  // The end of the blocks the file's header and the type maps of its groups
  // that start below bound name (type-map blocks only as far as the file
  // holds them); -1 when the header's group or used-position count is out
  // of range.
  std::int64_t NamedBlocksEnd(std::int64_t bound);
  int NewDBMapBlock();
  // Chooses the position of the next block (opening a group when the last is
  // full) and sets the used-position count to it; 1 or 0.
  int TakePosition(int& g, int& p);
  int RecoverAllocationCounters();
  // Groups from 0 on whose first block reads and is marked; 0 when group 0's
  // does not.
  int RealGroupCount();
  int CheckDBMapBlock();
  int LoadDBMap();

  EngineHost* host_;
  orv::FileHead head_;
  orv::DBMap dbMap_;
  std::vector<std::unique_ptr<orv::GroupIndex>> groups_;
  bool batch_ = false;
  int reading_ = 0;
  int flushHolds_ = 0;
  bool flushWanted_ = false;
  bool damageReported_ = false;
  bool allocationDamaged_ = false;   // groups, used positions or DBMap location wrong
  bool typeMapDamaged_ = false;      // a type map shows blocks the file cannot hold
  bool blockKindsDamaged_ = false;   // the DBMap counts blocks of a kind the type map lacks
  std::map<std::string, int> told_;  // failures met, by kind
  int holding_ = 0;
  bool heldHeader_ = false;
  bool heldDBMap_ = false;
  int newRecordWaits_ = 0;
  std::uint64_t writeFailures_ = 0;  // failed writes since the file was opened
  std::uint64_t failuresAtAdd_ = 0;  // ... when the add mark was set
  std::int64_t pendingPos_ = -1;     // the waiting first write of a new record
  std::vector<std::uint8_t> pending_;
  int editing_ = 0;  // EditScope depth
  Writes edit_;      // kept writes by position
  // Writes of an edit that stands (its journal is whole on the file) and
  // that are not yet in place; the journal ends the file from journalAt_ on.
  Writes unfinished_;
  bool journalUnfinished_ = false;
  std::int64_t journalAt_ = 0;
  bool journalDoubtful_ = false;
  bool editFlushWanted_ = false;
  orv::FileHead editHead_;  // what the outermost edit began with
  orv::DBMap editMap_;
  std::vector<std::optional<orv::GroupIndex>> editGroups_;  // none: not read
  std::function<void()> onEditDropped_;
  std::vector<std::vector<HeldWrite>> held_;  // by block of the file
  std::size_t heldCount_ = 0;
  // Held writes that make the batch write them out before it goes on (4 MB
  // at most): tree links held over a long batch lie all over the file, and
  // each writing out of them goes through most of it.
  static constexpr std::size_t kMaxHeldWrites = 262144;
};
