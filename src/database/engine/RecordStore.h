#pragma once
// The fixed-size records of a family file: where record r of a kind lies,
// whole-record and typed reads and writes, the live tests, new record
// numbers and the delete chains, and the record counts.
//
// Keeps: nothing of its own; the highest numbers and chain heads live in the
// header (BlockStore), the counts it reports in the host.
// Guarantees: a read of a record that is not addressable fills zeros and
// answers 0; a typed read applies the per-type rules (an individual's missing
// creation stamp is supplied and written; extension reads allocate missing
// blocks and an individual's extension follows its individual's stamp); a
// live family link with empty rings is written as a ring of one. A new
// record is written with its live marks before its number is counted; a
// damaged delete chain is dropped rather than followed.
// Needs: BlockStore for the header, block allocation and file access.

#include <cstdint>
#include <functional>
#include <type_traits>
#include <vector>

#include "FileLayout.h"
#include "Records.h"

struct EngineHost;
class BlockStore;

// Fills a new record (its number, its stored bytes) before it is first written.
using RecordFiller = std::function<void(std::int32_t number, std::uint8_t* record)>;

class RecordStore {
 public:
  RecordStore(EngineHost* host, BlockStore& blocks);
  RecordStore(const RecordStore&) = delete;
  RecordStore& operator=(const RecordStore&) = delete;

  BlockStore& Blocks() { return blocks_; }

  // ---- location ----
  // File offset of record r, or -1 when it is not addressable.
  std::int64_t LocateRecord(orv::RecordKind kind, std::int32_t r) const;
  // Highest number in use (extensions: that of the type they extend).
  std::int32_t Highest(orv::RecordKind kind) const;

  // ---- reads and writes ----
  // Whole stored records. Read fills the buffer (zeros when not addressable).
  int ReadRaw(orv::RecordKind kind, std::int32_t r, std::uint8_t* buf);
  // Bytes from to from+len of the record, read into the same place of buf.
  int ReadRawPart(orv::RecordKind kind, std::int32_t r, std::size_t from, std::size_t len,
                  std::uint8_t* buf);
  int WriteRaw(orv::RecordKind kind, std::int32_t r, const std::uint8_t* buf);
  // How often individual r's record was written whole (its tree links,
  // written apart, do not count): what is kept of a record from a read
  // stays right while this is unchanged.
  std::uint32_t IndividualWrites(std::int32_t r) const {
    return r >= 0 && static_cast<std::size_t>(r) < individualWrites_.size()
               ? individualWrites_[static_cast<std::size_t>(r)]
               : 0;
  }
  // Typed reads and writes with the per-type rules above.
  template <class Rec>
  int Read(std::int32_t r, Rec& rec);
  template <class Rec>
  int Write(std::int32_t r, const Rec& rec);
  int ReadIndividual(std::int32_t rin, orv::IndividualRec& rec);
  // An extension left by an earlier individual of the number reads as
  // cleared; it is written so unless the caller writes it itself.
  int ReadIndividualExt(std::int32_t rin, orv::IndividualExtRec& rec, bool writeCleared = true);
  int ReadSourceExt(std::int32_t source, orv::SourceExtRec& rec);
  int WriteFamilyLink(std::int32_t link, orv::FamilyLinkRec rec);
  // 1 live, -1 deleted, 0 outside 1 to highest or unreadable; the record is
  // left in buf when one is given (record size bytes).
  int IsLive(orv::RecordKind kind, std::int32_t r, std::uint8_t* buf = nullptr);
  // 1 when the owner named by a kind letter and number is live.
  int IsOwnerLive(std::int32_t r, char letter);

  // ---- counts ----
  // Highest record number of a call-interface record type.
  std::int32_t GetRecordCount(int apiType);
  // 1 individuals, 2 marriages, 3 names, 4 notes: copies the counts to the host.
  void RecountMaxVars(int index);

  // ---- record numbers and delete chains ----
  // A new record of the kind (not for note blocks and extensions); with reuse
  // the head of the delete chain is taken first. Returns the number or 0.
  std::int32_t NewRecord(orv::RecordKind kind, bool reuse, const RecordFiller& fill = {});
  // The record NewRecord writes before its caller fills it in: live marks,
  // and tree children pointing at the record itself so that the first
  // re-sort only inserts it.
  static void StartNewRecord(orv::RecordKind kind, std::int32_t r, std::uint8_t* rec);
  // Takes the head of the kind's delete chain (free list for note blocks);
  // 0 when the chain is empty or damaged (then it is dropped).
  std::int32_t PopChainHead(orv::RecordKind kind);
  // Overwrites r with its kind's deleted record and makes it the head of
  // the delete chain; the texts are shown when a write fails. 1 or 0.
  int DeleteToChain(orv::RecordKind kind, std::int32_t r, const char* eraseText,
                    const char* chainText, const char* caption, unsigned flags);
  // Per record kind, slots past the stored highest number that lie in
  // allocated blocks and hold a written or deleted record raise the highest
  // number (a crash in batch mode). Returns the number of kinds raised.
  int RecoverHighestNumbers();
  // The highest number up to upTo whose slot holds a written (live or
  // deleted) record; 0 when none does.
  std::int32_t LastWritten(orv::RecordKind kind, std::int32_t upTo);

 private:
  // WriteRaw, or for a record just numbered (isNew) the write that waits for
  // the next one (BlockStore::PutNew).
  int WriteRecord(orv::RecordKind kind, std::int32_t r, const std::uint8_t* buf, bool isNew);
  // Makes record r of an extension kind addressable when the record it
  // extends exists; false when it does not.
  bool EnsureExtension(orv::RecordKind extension, orv::RecordKind base, std::int32_t r);

  EngineHost* host_;
  BlockStore& blocks_;
  orv::FileHead& head_;                          // the header BlockStore keeps
  std::vector<std::uint32_t> individualWrites_;  // by RIN
};

template <class Rec>
int RecordStore::Read(std::int32_t r, Rec& rec) {
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
int RecordStore::Write(std::int32_t r, const Rec& rec) {
  if constexpr (std::is_same_v<Rec, orv::FamilyLinkRec>) {
    return WriteFamilyLink(r, rec);
  } else {
    std::uint8_t buf[Rec::kSize];
    rec.Encode(buf);
    return WriteRaw(Rec::kKind, r, buf);
  }
}
