#pragma once
// The two string stores of a family file: append-only heaps of text entries
// in blocks of their own type, each entry a node of the store's search tree.
// An entry is 13 header bytes (lesser, greater and parent entry offsets and
// the kind) followed by the zero-terminated ANSEL text.

#include <cstdint>
#include <string>
#include <string_view>

#include "AnselCompare.h"
#include "FileLayout.h"

namespace orv {

inline constexpr int kEntryLesser = 0;
inline constexpr int kEntryGreater = 4;
inline constexpr int kEntryParent = 8;
inline constexpr int kEntryKind = 12;
inline constexpr int kEntryText = 13;
inline constexpr int kEntryMaxText = 255;
// The most an entry can take: header, 255 characters and the zero. A new
// entry never starts where fewer bytes than this remain in the block.
inline constexpr int kEntryMaxSize = kEntryText + kEntryMaxText + 1;

// One entry as read from the file.
struct StringEntry {
  std::int32_t lesser = 0;
  std::int32_t greater = 0;
  std::int32_t parent = 0;
  int kind = 0;
  std::string text;      // ANSEL, or converted to the code page when asked
  int storedLength = 0;  // length of the stored ANSEL text
  int Size() const { return storedLength + kEntryText + 1; }
};

// The order of two entries whose texts collate equal, as a store's tree
// keeps them: the lower kind first, then the lower stored (ANSEL) bytes, so
// that texts differing only in what the collation ignores stay apart.
// kAlphaEqual only for the same kind and bytes.
inline int EntryTieOrder(int kindA, std::string_view anselA, int kindB, std::string_view anselB) {
  if (kindA != kindB) return kindA < kindB ? kAlphaBefore : kAlphaAfter;
  const int c = anselA.compare(anselB);
  return c == 0 ? kAlphaEqual : (c < 0 ? kAlphaBefore : kAlphaAfter);
}

// Where one store keeps its state in the header.
struct StoreFields {
  int blockType;
  int countField;
  int rootField;
  int nextField;  // where the next entry is written
  int endField;   // end of the current block
  HeadPart part;  // header part holding these fields
};

// Kinds 0 to 3 live in the name store, 4 to 7 in the other-name store.
inline const StoreFields& StoreOfKind(int kind) {
  static constexpr StoreFields kNames{kBlockNames,   kHeadNameCount,    kHeadNameRoot,
                                      kHeadNameNext, kHeadNameBlockEnd, HeadPart::Counters};
  static constexpr StoreFields kOther{kBlockOtherNames,       kHeadOtherNameCount,
                                      kHeadOtherNameRoot,     kHeadOtherNameNext,
                                      kHeadOtherNameBlockEnd, HeadPart::Tail};
  return kind >= 4 ? kOther : kNames;
}

}  // namespace orv
