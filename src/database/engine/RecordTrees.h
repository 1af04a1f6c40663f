#pragma once
// The record trees: individuals by name, sources and event types by title
// and repositories by name, each a binary search tree threaded through its
// records (lesser child, greater child, parent), with walks in key order and
// in number order, the find by name, the alphabetic index of individuals and
// the index files of sources and repositories.
//
// Keeps: the position of each RIN in the alphabetic index of individuals,
// which is rebuilt when the host marks it stale; for each individual met in
// this session, its tree links and the sort keys of its names (NameNode).
// Guarantees: a record out of its tree has both child fields pointing at
// itself; inserts and removes keep the key order (equal keys go lesser-side
// for individuals, greater-side for the others) and keep each tree a treap
// by a fixed priority per record number, so sorted input stays shallow;
// every walk is bounded by the kind's highest number. Changing a tree marks
// its index stale; the individuals' links also go to the host's name-link
// side file while it is open.
// Needs: BlockStore for the roots in the header and file access,
// RecordStore for the records, StringStores for the key texts.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "FileLayout.h"
#include "Records.h"

struct EngineHost;
class AlphaIndexFile;
class BlockStore;
class RecordStore;
class StringStores;

class RecordTrees {
 public:
  // Key order of a walk: ascending (forward) or descending (backward).
  enum Direction { kForward, kBackward };
  struct TreeLinks {
    std::int32_t lesser = 0, greater = 0, parent = 0;
  };

  RecordTrees(EngineHost* host, BlockStore& blocks, RecordStore& records, StringStores& strings);
  RecordTrees(const RecordTrees&) = delete;
  RecordTrees& operator=(const RecordTrees&) = delete;

  // ---- changes ----
  // Where a call takes the record's buffer (its stored bytes, which the
  // caller may write afterwards), the key is taken from it and its tree
  // fields are kept equal to the file's.
  // Puts a record that is not in its tree into it. 1 or 0.
  int InsertInTree(orv::RecordKind kind, std::int32_t r, std::uint8_t* rec = nullptr);
  // Takes a record out of its tree (nothing when it is not in it); its child
  // fields then point at itself. 1 or 0.
  int RemoveFromTree(orv::RecordKind kind, std::int32_t r, std::uint8_t* rec = nullptr);
  // Re-places a record after its key changed.
  int Resort(orv::RecordKind kind, std::int32_t r, std::uint8_t* rec = nullptr);

  // ---- mending ----
  // The kinds that have a record tree.
  static constexpr orv::RecordKind kTreeKinds[] = {
      orv::RecordKind::Individual, orv::RecordKind::Source, orv::RecordKind::Repository,
      orv::RecordKind::EventType};
  // true when the tree reaches every live record of the kind once, through
  // parent links that agree with the child links.
  bool TreeIsWhole(orv::RecordKind kind);
  // Puts every live record of the kind into a new tree. 1, or 0 when a
  // record could not be placed.
  int RebuildTree(orv::RecordKind kind);
  // Forgets the nodes, keys and indexes kept from the trees (after an edit
  // was given up, the file holds other links than were kept).
  void ForgetKept();
  // A process that died while a tree was being changed left the header's
  // tree-change mark: every tree that is not whole is rebuilt and the mark
  // cleared. 1 when the mark was found (and the file may be written), else 0.
  int RecoverTreeChange();

  // A record whose key stands on the wrong side of its tree: a lesser child
  // sorting after its parent node, a greater child sorting before it, or
  // (child 0) a record that the key-order walk meets after one sorting
  // after it.
  struct OrderFault {
    std::int32_t node = 0, child = 0;
    bool greater = false;
  };
  // The key-order faults of a tree, in record-number order of the nodes;
  // the walk faults only when no child faults. Keys are read once each.
  std::vector<OrderFault> KeyOrderFaults(orv::RecordKind kind);

  // ---- walks ----
  bool InTree(orv::RecordKind kind, std::int32_t r);
  std::int32_t TreeRoot(orv::RecordKind kind) const;
  // The first record in the direction's key order; 0 for an empty tree.
  std::int32_t TreeEnd(orv::RecordKind kind, Direction dir);
  // The record after r in the direction's key order; 0 at the end.
  std::int32_t TreeNext(orv::RecordKind kind, std::int32_t r, Direction dir);
  // Every record of the tree in key order.
  std::vector<std::int32_t> TreeInOrder(orv::RecordKind kind);
  // Record-number walk over live records (mode: db::WalkMode).
  std::int32_t WalkByNumber(orv::RecordKind kind, std::int32_t n, int mode);
  // The same walk over 1 to highest with a caller's live test.
  static std::int32_t NumberWalk(std::int32_t n, int mode, std::int32_t highest,
                                 const std::function<bool(std::int32_t)>& live);
  // Finds by key text (individuals "surname, given names" or with '|') and
  // picks by mode (db::WalkMode); 0 when none.
  std::int32_t FindByName(orv::RecordKind kind, const std::string& text, int mode);
  // Name-tree children of a live individual (0, 0 otherwise); 1 when live.
  int GetTreeChildren(std::int32_t rin, std::int32_t& lesser, std::int32_t& greater);

  // ---- keys ----
  // The key text of a record by block type (2, 7, 8, 13), in the code page.
  std::string GelAlphaName(std::int32_t r, int blockType);
  // API record type of a block type; 0 (and "Yo") for another.
  static int LoCodeToHiCode(int blockType);

  // ---- indexes ----
  // The index file of sources or repositories, rebuilt when stale; nullptr
  // for another kind or when it cannot be built.
  AlphaIndexFile* AlphaIndex(orv::RecordKind kind);
  int BuildAlphaIndex(orv::RecordKind kind);
  // The alphabetic index of individuals (name-tree order): the host's ".ora"
  // file, rebuilt through CAlphaIndexBuilder when the host marks it stale
  // (kept in memory only when no file can be written beside the family
  // file). Positions count from 1; 0 when outside or not listed, and
  // everything 0 after a cancelled rebuild.
  std::int32_t NameIndexEntries();
  std::int32_t NameIndexAt(std::int32_t position);
  std::int32_t NameIndexPositionOf(std::int32_t rin);

 private:
  struct TreeKey {
    std::string surname, given;  // given: only for individuals
  };
  bool ReadLinks(orv::RecordKind kind, std::int32_t r, TreeLinks& links);
  // The lesser, greater and parent fields stored at b.
  static TreeLinks LinksAt(const std::uint8_t* b);
  // Inside a change (ChangeMark) link writes are held in heldLinks_, read
  // back from there, and written when the outermost change ends.
  bool WriteLinks(orv::RecordKind kind, std::int32_t r, const TreeLinks& links);
  bool WriteLinksNow(orv::RecordKind kind, std::int32_t r, const TreeLinks& links);
  bool HeldLinks(orv::RecordKind kind, std::int32_t r, TreeLinks& links) const;
  // The links a change holds, by kind and record (HeldKey).
  struct HeldLink {
    std::uint64_t key;
    TreeLinks links;
  };
  static std::uint64_t HeldKey(orv::RecordKind kind, std::int32_t r);
  bool WriteHeldLinks();
  void SetTreeRoot(orv::RecordKind kind, std::int32_t r);
  TreeKey KeyOfRecord(orv::RecordKind kind, std::int32_t r, const std::uint8_t* rec);
  // Key and links of a node from one read of its record.
  bool NodeKey(orv::RecordKind kind, std::int32_t r, TreeKey& key, TreeLinks& links);
  static int CompareKeys(orv::RecordKind kind, const TreeKey& key, const TreeKey& node);
  // What a descent needs of an individual's node, half a cache line each:
  // its tree links as last written, its record's write count when its names
  // were read (plus one; 0 while nothing is kept), and the heads of the sort
  // keys of its surname and given names (kKeyHeadFlag: the name is empty).
  // A descent then reads nothing of a node whose record was not written
  // since, and mostly touches nothing else of it.
  struct alignas(32) NameNode {
    TreeLinks links;
    std::uint32_t writesPlusOne = 0;
    std::uint64_t surnameHead = 0, givenHead = 0;
  };
  // The whole sort keys of a kept node, for keys whose heads tie.
  struct NameSortKeys {
    std::string surname, given;
  };
  static constexpr std::size_t kNodeChunk = 4096;
  // The kept node of individual r while it holds, else nullptr.
  const NameNode* KeptNode(std::int32_t r) const;
  NameNode* NameNodeIfAny(std::int32_t r);
  // The sort keys of an individual's surname and given names (TreeSortKey
  // of each as the code page reads it) and whether each is empty.
  struct NameKeys {
    std::string surname, given;
    bool surnameEmpty = true, givenEmpty = true;
  };
  // The keys of the names an individual's record refers to (its four
  // references, from offset 1): made once for each surname and each set of
  // given names, and kept by their references while the kept nodes hold.
  void NameKeysOf(const std::uint8_t* names, NameKeys& keys);
  struct EntryKey {
    std::string key;
    bool empty = true;
  };
  using GivenRefs = std::array<std::int32_t, 3>;
  // The text of a name entry in the code page; the given names of a record,
  // one space between each two.
  std::string NameText(std::int32_t ref);
  std::string GivenNamesText(const GivenRefs& refs);
  struct GivenRefsHash {
    std::size_t operator()(const GivenRefs& g) const {
      return std::hash<std::uint64_t>{}(
          (static_cast<std::uint64_t>(static_cast<std::uint32_t>(g[0])) << 32 |
           static_cast<std::uint32_t>(g[1])) ^
          static_cast<std::uint64_t>(static_cast<std::uint32_t>(g[2])) * 0x9E3779B97F4A7C15ULL);
    }
  };
  // Keys kept at most: a file of many names makes them again now and then
  // rather than keep them all.
  static constexpr std::size_t kMaxEntryKeys = 1 << 16;
  // Keeps the node of individual r from its names' sort keys and its links.
  void KeepNode(std::int32_t r, const NameKeys& keys, const TreeLinks& links);
  // The node of an individual on a descent, read again when its record was
  // written since; nullptr when its record cannot be read.
  const NameNode* IndividualNode(std::int32_t r);
  // Drops the kept nodes when the code page or a stored text changed.
  void KeepNameKeysCurrent();
  void RotateUp(orv::RecordKind kind, std::int32_t x);
  // While one lives (outermost), the header carries the tree-change mark:
  // the links of one change are several writes.
  class ChangeMark {
   public:
    explicit ChangeMark(RecordTrees& t);
    ~ChangeMark();
    ChangeMark(const ChangeMark&) = delete;
    ChangeMark& operator=(const ChangeMark&) = delete;

   private:
    RecordTrees& t_;
  };
  void MarkTreeChanged(orv::RecordKind kind);
  // Makes the index of individuals current; false when its rebuild was
  // cancelled.
  bool EnsureNameIndex();
  // Fills namePosition_ from the open ".ora" file; false on a read error.
  bool LoadNamePositions();

  EngineHost* host_;
  BlockStore& blocks_;
  RecordStore& records_;
  StringStores& strings_;
  orv::FileHead& head_;                     // the header BlockStore keeps
  std::vector<std::int32_t> nameIndex_;     // RINs in name order, when kept in memory
  std::vector<std::int32_t> namePosition_;  // position by RIN
  bool nameIndexReady_ = false;             // false after a change of the name tree
  bool nameIndexInMemory_ = false;          // nameIndex_ stands in for the ".ora" file
  int changing_ = 0;                        // ChangeMark depth
  // Kept nodes by RIN, in chunks that stay where they are as more are added.
  std::vector<std::unique_ptr<NameNode[]>> nameNodes_;
  std::deque<NameSortKeys> nameKeys_;                       // by RIN, beside the kept nodes
  std::unordered_map<std::int32_t, EntryKey> surnameKeys_;  // by name reference
  // By the three given-name references of a record.
  std::unordered_map<GivenRefs, EntryKey, GivenRefsHash> givenKeys_;
  int keysCodePage_ = -1;  // what the kept keys were made under
  std::uint64_t keysTextChanges_ = 0;
  std::vector<HeldLink> heldLinks_;  // in key order
};
