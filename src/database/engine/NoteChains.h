#pragma once
// Notes: long texts kept in chains of 256-byte note blocks (next, previous,
// owner and a piece of up to 244 ANSEL characters), with line ends stored as
// a single CR; free blocks form a list of their own.
//
// Keeps: whether the last chain read was cut at its block limit.
// Guarantees: every walk of a chain stops at its first repeated block and
// never follows a block of another owner; a rewrite reuses the chain's own
// blocks, takes new ones as needed and frees the rest; a freed block becomes
// the head of the free list and a taken one leaves it.
// Needs: BlockStore for the header and new blocks, RecordStore for the note
// blocks and the records (individuals, marriages) that own chains.

#include <cstdint>
#include <string>

#include "FileLayout.h"

class BlockStore;
class RecordStore;

class NoteChains {
 public:
  NoteChains(BlockStore& blocks, RecordStore& records);
  NoteChains(const NoteChains&) = delete;
  NoteChains& operator=(const NoteChains&) = delete;

  // ---- blocks ----
  // A note block of the owner, from the free list first with reuse; 0 on failure.
  std::int32_t NewNoteBlock(bool reuse, std::int32_t owner);
  // Puts every block of the chain from first on the free list; false when a
  // write failed.
  bool FreeNoteChain(std::int32_t first);
  // The free list as the blocks' contents show it: a free block carries no
  // owner and no text. FreeListIsSound: the list from the header's head
  // holds exactly those blocks, once each (back links are the notes
  // pass's own check).
  // RebuildFreeList links them in ascending order (the lowest handed out
  // first) and writes the blocks and header that change; false when a write
  // failed. A process that died in batch mode leaves a stale head, which
  // may name a block taken since.
  bool FreeListIsSound();
  bool RebuildFreeList();

  // ---- chains ----
  // First note block of a live individual (db::kIndividual) or marriage
  // (db::kMarriage), else 0.
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

  // ---- notes of a record ----
  // Notes of an individual (db::kIndividual) or marriage (db::kMarriage),
  // or of a note block (isBlock). Get: 1 and the text, 0 without notes. Set: mode 0 the whole
  // notes (empty text frees them), 1 appends, 2 appends an empty line and
  // the text; 1 or 0. Delete: 1 or 0. Set and Delete reach the file whole or
  // not at all (BlockStore::EditScope).
  int GetNotesText(std::int32_t recordOrBlock, bool isBlock, int type, std::string& out);
  int SetNotes(std::int32_t recordOrBlock, const std::string& text, int mode, bool isBlock,
               int type);
  int DeleteNotes(std::int32_t record, int type);

 private:
  // SetNotes and DeleteNotes without their edit scope.
  int SetNotesNow(std::int32_t recordOrBlock, const std::string& text, int mode, bool isBlock,
                  int type);
  int DeleteNotesNow(std::int32_t record, int type);
  std::int32_t WriteNoteChainAnsel(std::int32_t first, const std::string& ansel,
                                   std::int32_t previous);

  BlockStore& blocks_;
  RecordStore& records_;
  orv::FileHead& head_;  // the header BlockStore keeps
  bool notesCut_ = false;
};
