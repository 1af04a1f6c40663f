// The record trees: individuals by name, sources and event types by title,
// repositories by name, each a binary search tree threaded through its
// records (lesser child, greater child, parent), with walks in key order and
// in number order, the find by name and the index files of sources and
// repositories.
//
// The trees are kept balanced as treaps: every record has a fixed priority
// derived from its number, and inserts and removes rotate so that a parent
// never has a lower priority than its children. Rotations keep the key order,
// so every walk lists the records exactly as an unbalanced tree built from
// the same inserts would, while sorted input (a GEDCOM file sorted by
// surname) no longer turns the tree into a list.
#include "RecordTrees.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "Ansel.h"
#include "AnselCompare.h"
#include "BlockStore.h"
#include "CodePage.h"
#include "DbCodes.h"
#include "ORV3.h"
#include "Ports.h"
#include "RecordStore.h"
#include "StringStores.h"
#include "TextMatch.h"

using namespace orv;

namespace {

void Yo(const char* text) { plat::MessageBox(text, "Yo", plat::kMbOk); }

struct TreeFields {
  int linkOffset;  // lesser, greater and parent child fields follow each other
  int rootField;
  HeadPart rootPart;
};

const TreeFields* FieldsOf(RecordKind kind) {
  static constexpr TreeFields kIndividuals{242, kHeadIndividualRoot, HeadPart::Counters};
  static constexpr TreeFields kSources{463, kHeadSourceRoot, HeadPart::Counters};
  static constexpr TreeFields kRepositories{287, kHeadRepositoryRoot, HeadPart::Counters};
  static constexpr TreeFields kEventTypes{12, kHeadEventTypeRoot, HeadPart::Tail};
  switch (kind) {
    case RecordKind::Individual:
      return &kIndividuals;
    case RecordKind::Source:
      return &kSources;
    case RecordKind::Repository:
      return &kRepositories;
    case RecordKind::EventType:
      return &kEventTypes;
    default:
      return nullptr;
  }
}

// The fixed treap priority of a record number (a 32-bit mix, so that numbers
// handed out in key order get unordered priorities).
std::uint32_t Priority(std::int32_t r) {
  auto x = static_cast<std::uint32_t>(r);
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

// Record numbers of the tree kinds never exceed the highest number, so a
// walk of more steps than that is going round a loop.
std::int64_t StepLimit(std::int32_t highest) { return std::int64_t{highest} + 2; }

}  // namespace

RecordTrees::RecordTrees(EngineHost* host, BlockStore& blocks, RecordStore& records,
                         StringStores& strings)
    : host_(host), blocks_(blocks), records_(records), strings_(strings), head_(blocks.Head()) {}

int RecordTrees::LoCodeToHiCode(int blockType) {
  switch (blockType) {
    case kBlockIndividuals:
      return db::kIndividual;
    case kBlockMarriages:
      return db::kMarriage;
    case kBlockNotes:
      return db::kNoteBlock;
    case kBlockFamilyLinks:
      return db::kFamilyLink;
    case kBlockCitations:
      return db::kCitation;
    case kBlockSources:
      return db::kSource;
    case kBlockRepositories:
      return db::kRepository;
    case kBlockUserEvents:
      return db::kUserEvent;
    case kBlockEventTypes:
      return db::kEventType;
    case kBlockContacts:
      return db::kContact;
    default:
      Yo("Unknown type in LoCodeToHiCode");
      return 0;
  }
}

// ---- links -----------------------------------------------------------------

bool RecordTrees::ReadLinks(RecordKind kind, std::int32_t r, TreeLinks& links) {
  links = TreeLinks{};
  const TreeFields* fields = FieldsOf(kind);
  if (!fields || r < 1 || r > records_.Highest(kind)) return false;
  if (kind == RecordKind::Individual) {
    if (const NameNode* kept = KeptNode(r)) {
      links = kept->links;
      return true;
    }
  }
  if (HeldLinks(kind, r, links)) return true;
  const std::int64_t pos = records_.LocateRecord(kind, r);
  std::uint8_t b[12];
  if (pos < 0 || !blocks_.ReadAt(pos + fields->linkOffset, b, 12)) return false;
  links = LinksAt(b);
  return true;
}

RecordTrees::TreeLinks RecordTrees::LinksAt(const std::uint8_t* b) {
  return TreeLinks{GetI32(b), GetI32(b + 4), GetI32(b + 8)};
}

std::uint64_t RecordTrees::HeldKey(RecordKind kind, std::int32_t r) {
  return std::uint64_t{static_cast<std::uint32_t>(kind)} << 32 | static_cast<std::uint32_t>(r);
}

namespace {

// The first of the held links (in key order) at key or after it.
template <class Held>
auto FirstHeld(Held& held, std::uint64_t key) {
  return std::lower_bound(held.begin(), held.end(), key,
                          [](const auto& h, std::uint64_t k) { return h.key < k; });
}

}  // namespace

bool RecordTrees::HeldLinks(RecordKind kind, std::int32_t r, TreeLinks& links) const {
  if (heldLinks_.empty()) return false;
  const std::uint64_t key = HeldKey(kind, r);
  const auto it = FirstHeld(heldLinks_, key);
  if (it == heldLinks_.end() || it->key != key) return false;
  links = it->links;
  return true;
}

bool RecordTrees::WriteLinks(RecordKind kind, std::int32_t r, const TreeLinks& links) {
  const TreeFields* fields = FieldsOf(kind);
  if (!fields || records_.LocateRecord(kind, r) < 0) return false;
  // What is kept of the node follows its links.
  if (kind == RecordKind::Individual)
    if (NameNode* kept = NameNodeIfAny(r)) kept->links = links;
  // A change's links are written when it ends: a record's links changed
  // again and again by the rotations of one insert reach the file once.
  if (changing_ > 0) {
    const std::uint64_t key = HeldKey(kind, r);
    const auto it = FirstHeld(heldLinks_, key);
    if (it != heldLinks_.end() && it->key == key)
      it->links = links;
    else
      heldLinks_.insert(it, HeldLink{key, links});
    return true;
  }
  return WriteLinksNow(kind, r, links);
}

bool RecordTrees::WriteHeldLinks() {
  bool written = true;
  for (const HeldLink& h : heldLinks_)
    written = WriteLinksNow(static_cast<RecordKind>(h.key >> 32),
                            static_cast<std::int32_t>(h.key & 0xFFFFFFFFU), h.links) &&
              written;
  // The room of a few links stays for the next change; a rebuild's goes.
  if (heldLinks_.size() > 1024)
    std::vector<HeldLink>().swap(heldLinks_);
  else
    heldLinks_.clear();
  return written;
}

bool RecordTrees::WriteLinksNow(RecordKind kind, std::int32_t r, const TreeLinks& links) {
  const TreeFields* fields = FieldsOf(kind);
  const std::int64_t pos = records_.LocateRecord(kind, r);
  if (!fields || pos < 0) return false;
  std::uint8_t b[12];
  PutI32(b, links.lesser);
  PutI32(b + 4, links.greater);
  PutI32(b + 8, links.parent);
  // In a batch the links wait in memory: a batch cut short has its trees
  // rebuilt when the file is opened next.
  if (!blocks_.PutLater(pos + fields->linkOffset, b, 12)) {
    // The node is read again, as the file has it.
    if (kind == RecordKind::Individual)
      if (NameNode* kept = NameNodeIfAny(r)) kept->writesPlusOne = 0;
    return false;
  }
  if (kind == RecordKind::Individual && host_->nameLinks.IsOpen() && !host_->readOnly) {
    PutI32(b, links.lesser == r ? 0 : links.lesser);
    PutI32(b + 4, links.greater == r ? 0 : links.greater);
    // A copy of the links that cannot be kept up is closed: it is built
    // again from the family file when next needed.
    if (!host_->nameLinks.WriteAt(std::uint64_t{8} * static_cast<std::uint32_t>(r), b, 8))
      host_->nameLinks.Close();
  }
  return true;
}

std::int32_t RecordTrees::TreeRoot(RecordKind kind) const {
  const TreeFields* fields = FieldsOf(kind);
  return fields ? head_.I32(fields->rootField) : 0;
}

void RecordTrees::SetTreeRoot(RecordKind kind, std::int32_t r) {
  const TreeFields* fields = FieldsOf(kind);
  head_.SetI32(fields->rootField, r);
  // In a batch the header waits for its end; outside one a failure is
  // counted and told (PutNow) and the change under way fails by the count.
  (void)blocks_.WriteHeader(fields->rootPart);
}

bool RecordTrees::InTree(RecordKind kind, std::int32_t r) {
  TreeLinks links;
  return ReadLinks(kind, r, links) && links.lesser != r && links.greater != r;
}

void RecordTrees::ForgetKept() {
  for (const auto& chunk : nameNodes_)
    for (std::size_t i = 0; i < kNodeChunk; ++i) chunk[i].writesPlusOne = 0;
  surnameKeys_.clear();
  givenKeys_.clear();
  heldLinks_.clear();
  for (const RecordKind kind : kTreeKinds) MarkTreeChanged(kind);
  if (host_->nameLinks.IsOpen()) host_->nameLinks.Close();
}

void RecordTrees::MarkTreeChanged(RecordKind kind) {
  if (kind == RecordKind::Individual) {
    host_->indexStale = 1;
    nameIndexReady_ = false;
  }
  if (kind == RecordKind::Source) host_->sourceIndex.MarkStale();
  if (kind == RecordKind::Repository) host_->repositoryIndex.MarkStale();
}

// ---- keys ------------------------------------------------------------------

std::string RecordTrees::GelAlphaName(std::int32_t r, int blockType) {
  switch (blockType) {
    case kBlockIndividuals: {
      IndividualRec p;
      if (!records_.ReadIndividual(r, p)) return {};
      std::string name = strings_.GetText(p.names[0]) + ",";
      for (int i = 1; i <= 3; ++i) {
        const std::string given = strings_.GetText(p.names[i]);
        if (!given.empty()) name += " " + given;
      }
      return name;
    }
    case kBlockSources: {
      SourceRec s;
      records_.Read(r, s);
      return AnselToAnsi(FieldText(s.title));
    }
    case kBlockRepositories: {
      RepositoryRec rep;
      records_.Read(r, rep);
      return AnselToAnsi(FieldText(rep.name));
    }
    case kBlockEventTypes: {
      EventTypeRec e;
      records_.Read(r, e);
      return strings_.GetText(e.title);
    }
    default:
      Yo("Unknown type in GelAlphaName");
      return {};
  }
}

RecordTrees::TreeKey RecordTrees::KeyOfRecord(RecordKind kind, std::int32_t r,
                                              const std::uint8_t* rec) {
  TreeKey key;
  std::vector<std::uint8_t> stored;
  if (!rec) {
    stored.resize(LayoutOf(kind).size);
    records_.ReadRaw(kind, r, stored.data());
    rec = stored.data();
  }
  switch (kind) {
    case RecordKind::Individual:
      key.surname = NameText(GetI32(rec + 1));
      key.given = GivenNamesText({GetI32(rec + 5), GetI32(rec + 9), GetI32(rec + 13)});
      break;
    case RecordKind::Source: {
      SourceRec s;
      s.Decode(rec);
      key.surname = AnselToAnsi(FieldText(s.title));
      break;
    }
    case RecordKind::Repository: {
      RepositoryRec rep;
      rep.Decode(rec);
      key.surname = AnselToAnsi(FieldText(rep.name));
      break;
    }
    case RecordKind::EventType:
      key.surname = AnselToAnsi(strings_.AnselTextOf(GetI32(rec)));
      break;
    default:
      break;
  }
  return key;
}

bool RecordTrees::NodeKey(RecordKind kind, std::int32_t r, TreeKey& key, TreeLinks& links) {
  std::uint8_t
      rec[IndividualRec::kSize > SourceRec::kSize ? IndividualRec::kSize : SourceRec::kSize];
  const TreeFields* fields = FieldsOf(kind);
  if (!fields || r < 1 || r > records_.Highest(kind) || !records_.ReadRaw(kind, r, rec))
    return false;
  key = KeyOfRecord(kind, r, rec);
  if (!HeldLinks(kind, r, links)) links = LinksAt(rec + fields->linkOffset);
  return true;
}

namespace {

// The tree order of a key against a node's key: surname() and given()
// compare the key's surname and given names with the node's.
template <class SurnameCompare, class GivenCompare>
int CompareTreeKeys(RecordKind kind, bool surnameEmpty, bool givenEmpty, bool nodeSurnameEmpty,
                    bool nodeGivenEmpty, const SurnameCompare& surname, const GivenCompare& given) {
  if (kind != RecordKind::Individual) return surname();
  if (!nodeSurnameEmpty) {
    const int c = surname();
    if (c != kAlphaEqual) return c;
  } else if (!surnameEmpty) {
    return kAlphaAfter;
  }
  if (!nodeGivenEmpty) return given();
  return givenEmpty ? kAlphaEqual : kAlphaAfter;
}

}  // namespace

// kAlphaEqual, kAlphaAfter (key sorts after node) or kAlphaBefore.
int RecordTrees::CompareKeys(RecordKind kind, const TreeKey& key, const TreeKey& node) {
  return CompareTreeKeys(
      kind, key.surname.empty(), key.given.empty(), node.surname.empty(), node.given.empty(),
      [&] { return KeyCompare(key.surname, node.surname, true); },
      [&] { return KeyCompare(key.given, node.given, true); });
}

const RecordTrees::NameNode* RecordTrees::KeptNode(std::int32_t r) const {
  const auto at = static_cast<std::size_t>(r);
  if (at / kNodeChunk >= nameNodes_.size()) return nullptr;
  const NameNode& node = nameNodes_[at / kNodeChunk][at % kNodeChunk];
  return node.writesPlusOne != 0 && node.writesPlusOne == records_.IndividualWrites(r) + 1
             ? &node
             : nullptr;
}

RecordTrees::NameNode* RecordTrees::NameNodeIfAny(std::int32_t r) {
  const auto at = static_cast<std::size_t>(r);
  return at / kNodeChunk < nameNodes_.size() ? &nameNodes_[at / kNodeChunk][at % kNodeChunk]
                                             : nullptr;
}

void RecordTrees::KeepNode(std::int32_t r, const NameKeys& keys, const TreeLinks& links) {
  const auto at = static_cast<std::size_t>(r);
  while (nameNodes_.size() <= at / kNodeChunk)
    nameNodes_.push_back(std::make_unique<NameNode[]>(kNodeChunk));
  if (nameKeys_.size() <= at) nameKeys_.resize(at + 1);
  nameKeys_[at] = NameSortKeys{keys.surname, keys.given};
  NameNode& node = nameNodes_[at / kNodeChunk][at % kNodeChunk];
  node.links = links;
  node.surnameHead = SortKeyHead(keys.surname) | (keys.surnameEmpty ? kKeyHeadFlag : 0);
  node.givenHead = SortKeyHead(keys.given) | (keys.givenEmpty ? kKeyHeadFlag : 0);
  node.writesPlusOne = records_.IndividualWrites(r) + 1;
}

void RecordTrees::KeepNameKeysCurrent() {
  const int codePage = plat::ActiveCodePage();
  if (codePage == keysCodePage_ && strings_.TextChanges() == keysTextChanges_) return;
  keysCodePage_ = codePage;
  keysTextChanges_ = strings_.TextChanges();
  surnameKeys_.clear();
  givenKeys_.clear();
  for (const auto& chunk : nameNodes_)
    for (std::size_t i = 0; i < kNodeChunk; ++i) chunk[i].writesPlusOne = 0;
}

std::string RecordTrees::NameText(std::int32_t ref) {
  return AnselToAnsi(strings_.AnselTextOf(ref));
}

std::string RecordTrees::GivenNamesText(const GivenRefs& refs) {
  std::string text;
  for (const std::int32_t ref : refs) {
    const std::string part = NameText(ref);
    if (part.empty()) continue;
    if (!text.empty()) text += ' ';
    text += part;
  }
  return text;
}

void RecordTrees::NameKeysOf(const std::uint8_t* names, NameKeys& keys) {
  // The kept key of refs, made from text() when there is none.
  const auto keyOf = [](auto& kept, const auto& refs, const auto& text) -> const EntryKey& {
    auto it = kept.find(refs);
    if (it == kept.end()) {
      if (kept.size() >= kMaxEntryKeys) kept.clear();
      const std::string made = text();
      it = kept.emplace(refs, EntryKey{TreeSortKey(made), made.empty()}).first;
    }
    return it->second;
  };
  const std::int32_t surnameRef = GetI32(names);
  const EntryKey& surname = keyOf(surnameKeys_, surnameRef, [&] { return NameText(surnameRef); });
  keys.surname = surname.key;
  keys.surnameEmpty = surname.empty;
  const GivenRefs givenRefs{GetI32(names + 4), GetI32(names + 8), GetI32(names + 12)};
  const EntryKey& given = keyOf(givenKeys_, givenRefs, [&] { return GivenNamesText(givenRefs); });
  keys.given = given.key;
  keys.givenEmpty = given.empty;
}

const RecordTrees::NameNode* RecordTrees::IndividualNode(std::int32_t r) {
  if (const NameNode* kept = KeptNode(r)) return kept;
  // The names and the links are all a descent needs of the record.
  std::uint8_t rec[IndividualRec::kSize];
  const int linkOffset = FieldsOf(RecordKind::Individual)->linkOffset;
  if (records_.ReadRawPart(RecordKind::Individual, r, 1, 16, rec) != 1 ||
      records_.ReadRawPart(RecordKind::Individual, r, static_cast<std::size_t>(linkOffset), 12,
                           rec) != 1)
    return nullptr;
  TreeLinks links;
  if (!HeldLinks(RecordKind::Individual, r, links)) links = LinksAt(rec + linkOffset);
  NameKeys keys;
  NameKeysOf(rec + 1, keys);
  KeepNode(r, keys, links);
  return NameNodeIfAny(r);
}

// ---- insert, remove, re-sort -----------------------------------------------

// Rotates x above its parent, keeping the key order.
void RecordTrees::RotateUp(RecordKind kind, std::int32_t x) {
  TreeLinks X, P;
  if (!ReadLinks(kind, x, X) || X.parent == 0 || !ReadLinks(kind, X.parent, P)) return;
  const std::int32_t p = X.parent;
  const std::int32_t g = P.parent;
  std::int32_t moved;
  if (P.lesser == x) {
    moved = X.greater;
    P.lesser = moved;
    X.greater = p;
  } else if (P.greater == x) {
    moved = X.lesser;
    P.greater = moved;
    X.lesser = p;
  } else {
    return;  // the parent does not hold x: leave the damaged link alone
  }
  P.parent = x;
  X.parent = g;
  WriteLinks(kind, p, P);
  WriteLinks(kind, x, X);
  TreeLinks M;
  if (moved != 0 && ReadLinks(kind, moved, M)) {
    M.parent = p;
    WriteLinks(kind, moved, M);
  }
  TreeLinks G;
  if (g == 0 || TreeRoot(kind) == p) {
    SetTreeRoot(kind, x);
  } else if (ReadLinks(kind, g, G)) {
    if (G.lesser == p) G.lesser = x;
    if (G.greater == p) G.greater = x;
    WriteLinks(kind, g, G);
  }
}

RecordTrees::ChangeMark::ChangeMark(RecordTrees& t) : t_(t) {
  if (t_.changing_++ == 0) t_.blocks_.MarkTreeChange(true);
}

RecordTrees::ChangeMark::~ChangeMark() {
  if (--t_.changing_ > 0) return;
  // The mark stays on the file until every link of the change is there: a
  // change cut short anywhere is rebuilt at the next open.
  t_.WriteHeldLinks();
  t_.blocks_.MarkTreeChange(false);
}

int RecordTrees::InsertInTree(RecordKind kind, std::int32_t r, std::uint8_t* rec) {
  const TreeFields* fields = FieldsOf(kind);
  if (!fields || r < 1 || r > records_.Highest(kind)) return 0;
  MarkTreeChanged(kind);
  ChangeMark mark(*this);
  // The new record's key is compared with every node on the way down.
  const bool individual = kind == RecordKind::Individual;
  NameKeys mine;
  TreeKey key;
  std::optional<KeyComparer> surname, given;
  if (individual) {
    KeepNameKeysCurrent();
    std::uint8_t names[1 + 16];
    if (rec)
      std::memcpy(names + 1, rec + 1, 16);
    else if (records_.ReadRawPart(kind, r, 1, 16, names) != 1)
      return 0;
    NameKeysOf(names + 1, mine);
  } else {
    key = KeyOfRecord(kind, r, rec);
    surname.emplace(key.surname, true);
    given.emplace(key.given, true);
  }
  const std::int32_t root = TreeRoot(kind);
  int result = 1;
  if (root == 0 || root == r) {
    if (individual && host_->nameLinks.IsOpen() && !host_->readOnly &&
        !host_->nameLinks.Truncate(0))
      host_->nameLinks.Close();  // as in WriteLinks
    WriteLinks(kind, r, TreeLinks{});
    SetTreeRoot(kind, r);
    if (!individual) (void)blocks_.WriteHeader(HeadPart::Tail);  // as in SetTreeRoot
  } else {
    // Equal keys go to the lesser side for individuals, to the greater
    // side for the others.
    const std::int32_t highest = records_.Highest(kind);
    const std::int64_t limit = StepLimit(highest);
    std::int32_t node = root;
    TreeLinks links;
    bool greater = false;
    bool found = false;
    const std::uint64_t surnameHead = SortKeyHead(mine.surname);
    const std::uint64_t givenHead = SortKeyHead(mine.given);
    for (std::int64_t steps = 0; steps < limit; ++steps) {
      if (node == r) break;
      int c;
      if (individual) {
        // Every insert descends through the same upper nodes: what it needs
        // of them is kept rather than read and made again, and their heads
        // mostly tell the order without their whole keys.
        const NameNode* kept = node >= 1 && node <= highest ? IndividualNode(node) : nullptr;
        if (!kept) break;
        links = kept->links;
        const auto at = static_cast<std::size_t>(node);
        c = CompareTreeKeys(
            kind, mine.surnameEmpty, mine.givenEmpty, (kept->surnameHead & kKeyHeadFlag) != 0,
            (kept->givenHead & kKeyHeadFlag) != 0,
            [&] {
              const int h = CompareKeyHeads(surnameHead, kept->surnameHead);
              return h != kHeadsUndecided ? h
                                          : CompareSortKeys(mine.surname, nameKeys_[at].surname);
            },
            [&] {
              const int h = CompareKeyHeads(givenHead, kept->givenHead);
              return h != kHeadsUndecided ? h : CompareSortKeys(mine.given, nameKeys_[at].given);
            });
      } else {
        TreeKey nodeKey;
        if (!NodeKey(kind, node, nodeKey, links)) break;
        c = CompareTreeKeys(
            kind, key.surname.empty(), key.given.empty(), nodeKey.surname.empty(),
            nodeKey.given.empty(), [&] { return (*surname)(nodeKey.surname); },
            [&] { return (*given)(nodeKey.given); });
      }
      greater = kind == RecordKind::Individual ? c == kAlphaAfter : c != kAlphaBefore;
      found = true;
      const std::int32_t child = greater ? links.greater : links.lesser;
      if (child == 0 || child == node) break;
      node = child;
    }
    if (!found || node == r) {
      // No node to hang it on: it stays out of the tree.
      WriteLinks(kind, r, TreeLinks{r, r, 0});
      result = 0;
    } else {
      (greater ? links.greater : links.lesser) = r;
      WriteLinks(kind, node, links);
      WriteLinks(kind, r, TreeLinks{0, 0, node});
      const std::uint32_t priority = Priority(r);
      TreeLinks mine;
      for (std::int64_t steps = 0; steps < limit; ++steps) {
        if (!ReadLinks(kind, r, mine) || mine.parent == 0) break;
        if (Priority(mine.parent) >= priority) break;
        RotateUp(kind, r);
      }
    }
  }
  TreeLinks now;
  ReadLinks(kind, r, now);
  if (rec) {
    PutI32(rec + fields->linkOffset, now.lesser);
    PutI32(rec + fields->linkOffset + 4, now.greater);
    PutI32(rec + fields->linkOffset + 8, now.parent);
  } else if (individual) {
    // The key was read from the file: the next descent through the new
    // node need not read it again.
    KeepNode(r, mine, now);
  }
  return result;
}

int RecordTrees::RemoveFromTree(RecordKind kind, std::int32_t r, std::uint8_t* rec) {
  const TreeFields* fields = FieldsOf(kind);
  if (!fields) return 0;
  TreeLinks a;
  if (!ReadLinks(kind, r, a)) return 0;
  if (a.lesser == r || a.greater == r) return 1;
  MarkTreeChanged(kind);
  ChangeMark mark(*this);
  // Rotate r down until it has at most one child, the child of higher
  // priority going up each time.
  const std::int64_t limit = StepLimit(records_.Highest(kind));
  for (std::int64_t steps = 0; steps < limit && a.lesser != 0 && a.greater != 0; ++steps) {
    const std::int32_t up = Priority(a.lesser) > Priority(a.greater) ? a.lesser : a.greater;
    RotateUp(kind, up);
    TreeLinks after;
    if (!ReadLinks(kind, r, after) || after.parent != up) break;
    a = after;
  }
  std::int32_t replacement = a.lesser != 0 ? a.lesser : a.greater;
  if (a.lesser != 0 && a.greater != 0) {
    // Only after a damaged rotation: hang the greater subtree below the
    // lesser subtree's last node.
    std::int32_t d = a.lesser;
    TreeLinks D;
    for (std::int64_t steps = 0; steps < limit && ReadLinks(kind, d, D); ++steps) {
      if (D.greater == 0 || D.greater == d) break;
      d = D.greater;
    }
    D.greater = a.greater;
    WriteLinks(kind, d, D);
    TreeLinks G;
    if (ReadLinks(kind, a.greater, G)) {
      G.parent = d;
      WriteLinks(kind, a.greater, G);
    }
    replacement = a.lesser;
  }
  TreeLinks R;
  if (replacement != 0 && ReadLinks(kind, replacement, R)) {
    R.parent = a.parent;
    WriteLinks(kind, replacement, R);
  }
  TreeLinks P;
  if (TreeRoot(kind) == r) {
    SetTreeRoot(kind, replacement);
  } else if (ReadLinks(kind, a.parent, P)) {
    if (P.lesser == r) P.lesser = replacement;
    if (P.greater == r) P.greater = replacement;
    WriteLinks(kind, a.parent, P);
  }
  // Out of the tree: both children point at the record itself.
  WriteLinks(kind, r, TreeLinks{r, r, 0});
  if (rec) {
    PutI32(rec + fields->linkOffset, r);
    PutI32(rec + fields->linkOffset + 4, r);
    PutI32(rec + fields->linkOffset + 8, 0);
  }
  return 1;
}

int RecordTrees::Resort(RecordKind kind, std::int32_t r, std::uint8_t* rec) {
  if (!FieldsOf(kind)) return 0;
  ChangeMark mark(*this);
  if (InTree(kind, r)) RemoveFromTree(kind, r, nullptr);
  return InsertInTree(kind, r, rec);
}

// ---- mending ---------------------------------------------------------------

bool RecordTrees::TreeIsWhole(RecordKind kind) {
  const std::int32_t highest = records_.Highest(kind);
  std::int64_t live = 0;
  for (std::int32_t r = 1; r <= highest; ++r)
    if (records_.IsLive(kind, r) == 1) ++live;
  std::vector<bool> seen(static_cast<std::size_t>(highest) + 1, false);
  std::vector<std::pair<std::int32_t, std::int32_t>> todo;  // node and its parent
  if (TreeRoot(kind) != 0) todo.emplace_back(TreeRoot(kind), 0);
  std::int64_t reached = 0;
  while (!todo.empty()) {
    const auto [r, parent] = todo.back();
    todo.pop_back();
    TreeLinks links;
    if (r < 1 || r > highest || seen[r] || records_.IsLive(kind, r) != 1 ||
        !ReadLinks(kind, r, links) || links.parent != parent || links.lesser == r ||
        links.greater == r)
      return false;
    seen[r] = true;
    ++reached;
    if (links.lesser != 0) todo.emplace_back(links.lesser, r);
    if (links.greater != 0) todo.emplace_back(links.greater, r);
  }
  return reached == live;
}

int RecordTrees::RebuildTree(RecordKind kind) {
  if (!FieldsOf(kind)) return 0;
  ChangeMark mark(*this);
  MarkTreeChanged(kind);
  std::vector<std::int32_t> live;
  for (std::int32_t r = 1; r <= records_.Highest(kind); ++r)
    if (records_.IsLive(kind, r) == 1) {
      live.push_back(r);
      WriteLinks(kind, r, TreeLinks{r, r, 0});
    }
  SetTreeRoot(kind, 0);
  int result = 1;
  for (const std::int32_t r : live)
    if (!InsertInTree(kind, r)) result = 0;
  return result;
}

std::vector<RecordTrees::OrderFault> RecordTrees::KeyOrderFaults(RecordKind kind) {
  std::vector<OrderFault> faults;
  if (!FieldsOf(kind)) return faults;
  BlockStore::ReadScope reading(blocks_);
  const std::int32_t highest = records_.Highest(kind);
  std::unordered_map<std::int32_t, TreeKey> keys;
  const auto keyOf = [&](std::int32_t r) -> const TreeKey& {
    auto it = keys.find(r);
    if (it == keys.end()) it = keys.emplace(r, KeyOfRecord(kind, r, nullptr)).first;
    return it->second;
  };
  for (std::int32_t r = 1; r <= highest; ++r) {
    TreeLinks links;
    if (records_.IsLive(kind, r) != 1 || !ReadLinks(kind, r, links)) continue;
    for (const bool greater : {false, true}) {
      const std::int32_t child = greater ? links.greater : links.lesser;
      if (child <= 0 || child == r || records_.IsLive(kind, child) != 1) continue;
      const int c = CompareKeys(kind, keyOf(child), keyOf(r));
      if (c == (greater ? kAlphaBefore : kAlphaAfter)) faults.push_back({r, child, greater});
    }
  }
  if (!faults.empty()) return faults;
  const std::vector<std::int32_t> order = TreeInOrder(kind);
  for (std::size_t i = 1; i < order.size(); ++i)
    if (CompareKeys(kind, keyOf(order[i]), keyOf(order[i - 1])) == kAlphaBefore)
      faults.push_back({order[i], 0, false});
  std::sort(faults.begin(), faults.end(),
            [](const OrderFault& a, const OrderFault& b) { return a.node < b.node; });
  return faults;
}

int RecordTrees::RecoverTreeChange() {
  // A batch's own mark is mended with the batch (trees included).
  const std::uint8_t mark = head_.Byte(kHeadBatchMark);
  if ((mark & kMarkTreeChange) == 0 || (mark & kMarkBatch) != 0 || host_->readOnly) return 0;
  // The mark is already set: this one clears it at its end.
  ChangeMark change(*this);
  for (const RecordKind kind : kTreeKinds)
    if (!TreeIsWhole(kind)) RebuildTree(kind);
  return 1;
}

// ---- walks -----------------------------------------------------------------

namespace {

// The child on the side a walk in the direction reaches first (before) or
// last (after).
std::int32_t Before(const RecordTrees::TreeLinks& links, RecordTrees::Direction dir) {
  return dir == RecordTrees::kForward ? links.lesser : links.greater;
}
std::int32_t After(const RecordTrees::TreeLinks& links, RecordTrees::Direction dir) {
  return dir == RecordTrees::kForward ? links.greater : links.lesser;
}

}  // namespace

std::int32_t RecordTrees::TreeEnd(RecordKind kind, Direction dir) {
  std::int32_t node = TreeRoot(kind);
  const std::int64_t limit = StepLimit(records_.Highest(kind));
  TreeLinks links;
  for (std::int64_t steps = 0; node != 0 && steps < limit; ++steps) {
    if (!ReadLinks(kind, node, links)) return 0;
    const std::int32_t before = Before(links, dir);
    if (before == 0 || before == node) return node;
    node = before;
  }
  return node;
}

std::int32_t RecordTrees::TreeNext(RecordKind kind, std::int32_t r, Direction dir) {
  TreeLinks links;
  if (!ReadLinks(kind, r, links)) return 0;
  const std::int64_t limit = StepLimit(records_.Highest(kind));
  const std::int32_t after = After(links, dir);
  if (after != 0 && after != r) {
    // The nearest record of the subtree beyond r.
    std::int32_t node = after;
    for (std::int64_t steps = 0; steps < limit; ++steps) {
      if (!ReadLinks(kind, node, links)) return 0;
      const std::int32_t before = Before(links, dir);
      if (before == 0 || before == node) return node;
      node = before;
    }
    return 0;
  }
  // Else the first ancestor that r lies before.
  std::int32_t child = r;
  std::int32_t parent = links.parent;
  for (std::int64_t steps = 0; parent != 0 && steps < limit; ++steps) {
    if (!ReadLinks(kind, parent, links)) return 0;
    if (Before(links, dir) == child) return parent;
    child = parent;
    parent = links.parent;
  }
  return 0;
}

std::vector<std::int32_t> RecordTrees::TreeInOrder(RecordKind kind) {
  BlockStore::ReadScope reading(blocks_);
  std::vector<std::int32_t> out;
  const std::int32_t highest = records_.Highest(kind);
  for (std::int32_t r = TreeEnd(kind, kForward);
       r != 0 && static_cast<std::int32_t>(out.size()) < highest; r = TreeNext(kind, r, kForward))
    out.push_back(r);
  return out;
}

std::int32_t RecordTrees::NumberWalk(std::int32_t n, int mode, std::int32_t highest,
                                     const std::function<bool(std::int32_t)>& live) {
  std::int32_t r;
  int step;
  switch (mode) {
    case db::kWalkNextOrSame:
      r = n < 1 ? 1 : n;
      step = 1;
      break;
    case db::kWalkPreviousOrSame:
      r = n > highest ? highest : n;
      step = -1;
      break;
    case db::kWalkExact:
      return n >= 1 && n <= highest && live(n) ? n : 0;
    case db::kWalkNext:
      if (n >= highest) return 0;
      r = n < 0 ? 1 : n + 1;
      step = 1;
      break;
    case db::kWalkPrevious:
      if (n < 2) return 0;
      r = n - 1 > highest ? highest : n - 1;
      step = -1;
      break;
    default:
      return 0;
  }
  for (; r >= 1 && r <= highest; r += step)
    if (live(r)) return r;
  return 0;
}

std::int32_t RecordTrees::WalkByNumber(RecordKind kind, std::int32_t n, int mode) {
  BlockStore::ReadScope reading(blocks_);
  return NumberWalk(n, mode, records_.Highest(kind),
                    [&](std::int32_t r) { return records_.IsLive(kind, r) == 1; });
}

std::int32_t RecordTrees::FindByName(RecordKind kind, const std::string& text, int mode) {
  if (kind != RecordKind::Individual && kind != RecordKind::Source &&
      kind != RecordKind::Repository)
    return 0;
  TreeKey key;
  if (kind == RecordKind::Individual)
    SplitNameAtSeparator(text, key.surname, key.given);
  else
    key.surname = text;
  std::int32_t node = TreeRoot(kind);
  if (node == 0) return 0;
  const std::int64_t limit = StepLimit(records_.Highest(kind));
  int outcome = kAlphaBefore;
  for (std::int64_t steps = 0; steps < limit; ++steps) {
    TreeLinks links;
    TreeKey nodeKey;
    if (!NodeKey(kind, node, nodeKey, links)) return 0;
    outcome = CompareKeys(kind, key, nodeKey);
    if (outcome == kAlphaEqual) break;
    const std::int32_t child = outcome == kAlphaBefore ? links.lesser : links.greater;
    if (child == 0 || child == node) break;
    node = child;
  }
  const bool exact = outcome == kAlphaEqual;
  const bool after = outcome == kAlphaAfter;
  const bool before = outcome == kAlphaBefore;
  switch (mode) {
    case db::kWalkExact:
      return exact ? node : 0;
    case db::kWalkNext:
      return exact || after ? TreeNext(kind, node, kForward) : node;
    case db::kWalkNextOrSame:
      return after ? TreeNext(kind, node, kForward) : node;
    case db::kWalkPrevious:
      return exact || before ? TreeNext(kind, node, kBackward) : node;
    case db::kWalkPreviousOrSame:
      return before ? TreeNext(kind, node, kBackward) : node;
    default:
      plat::MessageBox("Invalid Option", "Adjust Alpha Rin", plat::kMbOk);
      return 0;
  }
}

// ---- index files of sources and repositories -------------------------------

int RecordTrees::BuildAlphaIndex(RecordKind kind) {
  AlphaIndexFile* file = kind == RecordKind::Source       ? &host_->sourceIndex
                         : kind == RecordKind::Repository ? &host_->repositoryIndex
                                                          : nullptr;
  if (!file) return 0;
  std::vector<std::int32_t> numbers;
  for (std::int32_t r : TreeInOrder(kind))
    if (records_.IsLive(kind, r) == 1) numbers.push_back(r);
  const char letter = kind == RecordKind::Source ? 's' : 'r';
  return file->Build(AlphaIndexFile::PathFor(host_->path, letter), numbers);
}

AlphaIndexFile* RecordTrees::AlphaIndex(RecordKind kind) {
  AlphaIndexFile* file = kind == RecordKind::Source       ? &host_->sourceIndex
                         : kind == RecordKind::Repository ? &host_->repositoryIndex
                                                          : nullptr;
  if (!file) return nullptr;
  if (file->IsStale() && !BuildAlphaIndex(kind)) return nullptr;
  return file;
}
