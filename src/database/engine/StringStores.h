#pragma once
// The two string stores of a family file (StringStore.h): texts kept once
// each and named by their entry's file offset, found through each store's
// search tree by text and kind.
//
// Keeps: a cache of stored (ANSEL) texts by entry offset for the record
// trees' key comparisons, kept equal to what it writes; the entries found
// by text, each checked against what it holds before it is handed out again.
// Guarantees: an entry never moves and is only rewritten in place with a
// text of its own length; a new entry is written at the store's next
// position (a new block when fewer than an entry's largest size remain) and
// hung into the tree; the store's count, root and position reach the header
// part that holds them (the host's name count follows the name store).
// Walks are bounded by the store's count, so a looping tree ends.
// Needs: BlockStore for the header, new blocks and file access.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "FileLayout.h"
#include "StringStore.h"

struct EngineHost;
class BlockStore;

class StringStores {
 public:
  StringStores(EngineHost* host, BlockStore& blocks);
  StringStores(const StringStores&) = delete;
  StringStores& operator=(const StringStores&) = delete;

  // Reads the entry at offset (up to 269 bytes); with convert its text is
  // turned into the code page. Returns the entry's size (stored text length
  // + 14), or 0 when there is no entry.
  int ReadEntry(std::int32_t offset, orv::StringEntry& entry, bool convert);
  // The text a reference names, in the code page; 0 and "" when none.
  int GetText(std::int32_t reference, std::string& out);
  std::string GetText(std::int32_t reference);
  // The stored (ANSEL) text a reference names, from the cache when held.
  std::string AnselTextOf(std::int32_t reference);
  // Searches the kind's store: the entry's offset (parent = its parent), 0
  // for an empty store, -1 / -2 when missing and due as the greater / lesser
  // child of parent, -3 on a read failure or a bad comparison. An entry is
  // found by its stored bytes; without sameBytes any entry that collates
  // equal is found. The tree orders by collation, then kind, then bytes.
  std::int32_t FindString(const std::string& text, int kind, std::int32_t& parent,
                          bool sameBytes = true);
  // The entry of text and kind, added when missing; 0 for an empty text or a
  // failed search. With replace, an entry that collates equal is found, and
  // when its stored text has the new text's length it is overwritten in
  // place; another length adds a new entry.
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
  // The stores' next-entry position, block end, count and root live in
  // header parts a batch holds back; entries written past the stored
  // position are walked over, so new texts never overwrite them. Returns the
  // number of stores mended.
  int RecoverStringStores();

  // Counts the rewrites of stored texts in place: a key kept for an entry
  // (or for a record naming entries) holds while the count and the active
  // code page are what they were.
  std::uint64_t TextChanges() const { return textChanges_; }
  // Forgets the texts and keys kept from the stores (after an edit was
  // given up, the file holds other texts where they were read).
  void ForgetKept();

 private:
  // FindString and FindOrAddString of a text whose stored (ANSEL) form,
  // ansel, is known.
  std::int32_t FindStored(const std::string& text, const std::string& ansel, int kind,
                          std::int32_t& parent, bool sameBytes);
  std::int32_t FindOrAddStored(const std::string& text, const std::string& ansel, int kind,
                               bool replace);
  // StoredSortKey of the entry at offset; kept for the tree descents of
  // FindString.
  const std::string& EntrySortKey(std::int32_t offset);
  // true when an entry's first len bytes at offset lie in a block of a
  // string store; else the damage is reported.
  bool InStoreBlock(std::int32_t offset, int len);
  std::int32_t AddEntry(const std::string& ansel, int kind, std::int32_t parent,
                        std::int32_t found);
  // The entry FindString found before for the text of hash (FoundHash)
  // when it still holds ansel and kind (parent = its parent), else 0.
  std::int32_t KnownEntry(std::uint64_t hash, const std::string& ansel, int kind,
                          std::int32_t& parent);
  // A hash of kind and text; never 0.
  static std::uint64_t FoundHash(const std::string& text, int kind);
  // The slot of hash in foundEntries_, or the empty slot where it goes.
  std::size_t FoundSlot(std::uint64_t hash) const;
  // Keeps offset as the entry found for the text of hash.
  void KeepFound(std::uint64_t hash, std::int32_t offset);

  EngineHost* host_;
  BlockStore& blocks_;
  orv::FileHead& head_;  // the header BlockStore keeps
  // Stored texts by entry offset, for the tree walks' key comparisons.
  std::unordered_map<std::int32_t, std::string> entryTexts_;
  // Sort keys by entry offset, made under keysCodePage_.
  std::unordered_map<std::int32_t, std::string> entryKeys_;
  int keysCodePage_ = -1;
  // The entries found by their stored bytes, by kind and text in the code
  // page foundCodePage_: a text met again (a surname, a place) is not
  // searched for through the tree again. Held by a hash of kind and text in
  // one flat array (a look-up reads one slot, not a chain of nodes); offset
  // 0 is a slot whose entry no longer held the text. Every entry is checked
  // against the text before it is handed out.
  struct FoundEntry {
    std::uint64_t hash = 0;  // 0: an empty slot
    std::int32_t offset = 0;
  };
  std::vector<FoundEntry> foundEntries_;
  std::size_t foundCount_ = 0;  // slots in use
  int foundCodePage_ = -1;
  std::uint64_t textChanges_ = 0;
};
