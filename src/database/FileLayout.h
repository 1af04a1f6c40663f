#pragma once
// The on-disk layout of a family file: the header (FileHead), the block-count
// mirror, 8192-byte blocks in groups of 8192, each group's first block with
// the type of every position, the DBMap of block counts, and the table of
// fixed-size record types. Every stored integer is little-endian and is read
// and written field by field through the helpers below.

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace orv {

// ---- little-endian field access -------------------------------------------

inline std::int32_t GetI32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
      (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}
inline void PutI32(std::uint8_t* p, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  p[0] = static_cast<std::uint8_t>(u);
  p[1] = static_cast<std::uint8_t>(u >> 8);
  p[2] = static_cast<std::uint8_t>(u >> 16);
  p[3] = static_cast<std::uint8_t>(u >> 24);
}
inline std::int16_t GetI16(const std::uint8_t* p) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}
inline void PutI16(std::uint8_t* p, std::int16_t v) {
  const auto u = static_cast<std::uint16_t>(v);
  p[0] = static_cast<std::uint8_t>(u);
  p[1] = static_cast<std::uint8_t>(u >> 8);
}

// A text stored in a fixed-width field: the bytes up to the first zero.
template <std::size_t N>
std::string FieldText(const std::array<std::uint8_t, N>& field) {
  std::size_t n = 0;
  while (n < N && field[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(field.data()), n);
}
// Stores a text cut to N - 1 characters, zero-terminated and zero-filled.
template <std::size_t N>
void SetFieldText(std::array<std::uint8_t, N>& field, const std::string& text) {
  field.fill(0);
  const std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
  std::memcpy(field.data(), text.data(), n);
}

// ---- regions, blocks and groups -------------------------------------------

inline constexpr int kHeaderSize = 1844;
inline constexpr int kMirrorOffset = 2048;
inline constexpr int kMirrorSize = 2048;    // 102 rows of 10 int16, then 8 zero bytes
inline constexpr int kMirrorTypes = 10;     // block types 1 to 10 are mirrored
inline constexpr int kBlocksOffset = 4096;  // block 1
inline constexpr int kBlockSize = 8192;
inline constexpr int kGroupPositions = 8192;  // positions per group, first block included
inline constexpr int kMaxGroups = 102;
inline constexpr int kMapTypes = 40;  // DBMap columns: block types 1 to 40
inline constexpr int kMapRowBytes = 2 * kMapTypes;
inline constexpr std::int64_t kGroupBytes = std::int64_t{kGroupPositions} * kBlockSize;

// File offset of position k of group g.
inline std::int64_t BlockOffset(int g, int k) {
  return (std::int64_t{g} * kGroupPositions + k) * kBlockSize + kBlocksOffset;
}
inline std::int64_t FirstBlockOffset(int g) { return BlockOffset(g, 0); }
// File offset of block number b (counted from 1 over all groups).
inline std::int64_t BlockNumberOffset(std::int32_t b) {
  return (std::int64_t{b} - 1) * kBlockSize + kBlocksOffset;
}
// File offset of the type byte of block number b in its group's first block.
inline std::int64_t TypeByteOffset(std::int32_t b) {
  return (std::int64_t{b} - 1) / kGroupPositions * 67100672 + b + 4095;
}

// Block types.
enum BlockType : int {
  kBlockNames = 1,
  kBlockIndividuals = 2,
  kBlockMarriages = 3,
  kBlockNotes = 4,
  kBlockFamilyLinks = 5,
  kBlockCitations = 6,
  kBlockSources = 7,
  kBlockRepositories = 8,
  kBlockDescriptors = 9,
  kBlockFirst = 11,
  kBlockUserEvents = 12,
  kBlockEventTypes = 13,
  kBlockDBMap = 14,
  kBlockIndividualExt = 15,
  kBlockContacts = 17,
  kBlockOtherNames = 18,
  kBlockSourceExt = 19,
  kBlockMultimedia = 20,
};

// ---- the file header ------------------------------------------------------

// Header field offsets.
enum HeadField : int {
  kHeadMagic = 0,
  kHeadVersion300 = 4,
  kHeadFormatVersion = 8,
  kHeadHighestIndividual = 14,
  kHeadIndividualBlocks = 18,
  kHeadIndividualRoot = 22,
  kHeadIndividualChain = 26,
  kHeadHighestMarriage = 30,
  kHeadMarriageBlocks = 34,
  kHeadMarriageChain = 38,
  kHeadNameCount = 42,
  kHeadNameBlocks = 46,
  kHeadNameRoot = 50,
  kHeadNameNext = 54,
  kHeadNameBlockEnd = 58,
  kHeadHighestNote = 62,
  kHeadNoteBlocks = 66,
  kHeadNoteFreeHead = 70,
  kHeadHighestCitation = 74,
  kHeadCitationBlocks = 78,
  kHeadCitationChain = 82,
  kHeadHighestSource = 86,
  kHeadSourceBlocks = 90,
  kHeadSourceRoot = 94,
  kHeadSourceChain = 98,
  kHeadHighestRepository = 102,
  kHeadRepositoryBlocks = 106,
  kHeadRepositoryRoot = 110,
  kHeadRepositoryChain = 114,
  kHeadHighestFamilyLink = 130,
  kHeadFamilyLinkBlocks = 134,
  kHeadFamilyLinkChain = 138,
  kHeadHighestDescriptor = 142,
  kHeadDescriptorBlocks = 146,
  kHeadUsedPositions = 186,  // used positions of the last group, first block included
  kHeadGroups = 190,
  kHeadOptionA = 268,
  kHeadVerifyOff = 272,
  kHeadShowZel = 274,
  kHeadAppendLetter = 275,
  kHeadCapSurname = 276,
  kHeadConstants = 280,  // 16 bytes
  kHeadPreparer = 416,   // fields 1 to 7, 61 bytes each
  kHeadPreparerPhone = 843,
  kHeadPreparerSbn = 869,
  kHeadOptionB = 1138,
  kHeadPreparerEmail = 1600,
  kHeadLogChanges = 1661,
  kHeadOptionC = 1662,
  kHeadTitle = 1664,  // 64 bytes
  kHeadOptionD = 1728,
  kHeadFlag1 = 1730,
  kHeadOptionE = 1732,
  kHeadDBMapBlock = 1736,
  kHeadOtherNameCount = 1740,
  kHeadOtherNameBlocks = 1744,
  kHeadOtherNameRoot = 1748,
  kHeadOtherNameNext = 1752,
  kHeadOtherNameBlockEnd = 1756,
  kHeadBatchMark = 1760,  // kMarkBatch, kMarkTreeChange; left set by a process that died
  kHeadEventTypeRoot = 1776,
  kHeadHighestEventType = 1780,
  kHeadEventTypeBlocks = 1784,
  kHeadEventTypeChain = 1788,
  kHeadHighestMultimedia = 1792,
  kHeadMultimediaBlocks = 1796,
  kHeadMultimediaChain = 1800,
  kHeadHighestUserEvent = 1804,
  kHeadUserEventBlocks = 1808,
  kHeadUserEventChain = 1812,
  kHeadHighestContact = 1816,
  kHeadContactBlocks = 1820,
  kHeadContactChain = 1824,
};

// Bits of the header's batch mark: a batch runs, or a record tree is being
// changed outside a batch (its links are several writes; a file left with
// this bit has its trees checked and rebuilt when it is next opened), or a
// record is being added outside a batch (a file left with this bit, by a
// kill or a failed write, is recovered at its next open as after a batch
// cut short: a record left blank is undone).
inline constexpr std::uint8_t kMarkBatch = 1;
inline constexpr std::uint8_t kMarkTreeChange = 2;
inline constexpr std::uint8_t kMarkAdd = 4;
// An edit's journal lies past the end of the file and its writes are being
// made in place (see BlockStore::EditScope).
inline constexpr std::uint8_t kMarkEdit = 8;
// Where the edit journal lies, in the unused room after the header: its
// file offset and the file's length before it (int64 each), its length and
// its checksum (uint32 each).
inline constexpr int kEditJournalPlace = 1848;
inline constexpr int kEditJournalPlaceSize = 24;

// The header is written whole, as its counter area or as its tail.
enum class HeadPart { Whole, Counters, Tail };
inline constexpr int kHeadCountersOffset = 12;
inline constexpr int kHeadCountersSize = 256;
inline constexpr int kHeadTailOffset = 1736;
inline constexpr int kHeadTailSize = 108;

// The 1844 header bytes as they lie in the file, with typed access by offset.
class FileHead {
 public:
  std::int32_t I32(int off) const { return GetI32(bytes_.data() + off); }
  void SetI32(int off, std::int32_t v) { PutI32(bytes_.data() + off, v); }
  std::int16_t I16(int off) const { return GetI16(bytes_.data() + off); }
  void SetI16(int off, std::int16_t v) { PutI16(bytes_.data() + off, v); }
  std::uint8_t Byte(int off) const { return bytes_[off]; }
  void SetByte(int off, std::uint8_t v) { bytes_[off] = v; }
  // Zero-terminated text of at most width bytes at off.
  std::string Text(int off, int width) const;
  // Stores text cut to width - 1 characters and zero-fills the rest of the field.
  void SetText(int off, int width, const std::string& text);

  void Clear() { bytes_.fill(0); }
  std::uint8_t* Data() { return bytes_.data(); }
  const std::uint8_t* Data() const { return bytes_.data(); }

 private:
  std::array<std::uint8_t, kHeaderSize> bytes_{};
};

// ---- DBMap and group index ------------------------------------------------

// Counts of blocks per group and type (first blocks not counted), as the
// 8192-byte DBMap block holds them.
class DBMap {
 public:
  int Count(int g, int t) const { return GetI16(bytes_.data() + CountOffset(g, t)); }
  void SetCount(int g, int t, int v) {
    PutI16(bytes_.data() + CountOffset(g, t), static_cast<std::int16_t>(v));
  }
  // Positions group g uses: its first block plus all counted blocks.
  int UsedPositions(int g) const;
  static int CountOffset(int g, int t) { return kMapRowBytes * g + 2 * (t - 1); }
  static int MirrorOffset(int g, int t) { return kMirrorOffset + 20 * g + 2 * (t - 1); }

  void Clear() { bytes_.fill(0); }
  std::uint8_t* Data() { return bytes_.data(); }
  const std::uint8_t* Data() const { return bytes_.data(); }

 private:
  std::array<std::uint8_t, kBlockSize> bytes_{};
};

// The index of one group, built from its first block: per block type the
// positions of its blocks in ascending order. Entry t - 1 (t = 1 to 40) is
// where type t's list starts; the lists follow from entry 40 on.
class GroupIndex {
 public:
  static constexpr int kEntries = 8232;

  // Builds the index from the group's first block (8192 type bytes).
  void Build(const std::uint8_t* firstBlock);
  // Records type t at position k, as Build of the first block with that
  // byte written would.
  void Add(int k, int t);
  // Position of the j-th block (from 0) of type t, or -1 when there is none.
  int Position(int t, int j) const;
  // Number of blocks of type t the type map shows.
  int TypeCount(int t) const { return counts_[t]; }
  // Type byte of position k as read from the first block.
  std::uint8_t TypeAt(int k) const { return types_[k]; }
  // Positions up to and including the last used one (first block included).
  int UsedPositions() const;
  const std::vector<std::int16_t>& Entries() const { return index_; }

 private:
  std::vector<std::int16_t> index_ = std::vector<std::int16_t>(kEntries, 0);
  std::array<int, kMapTypes + 1> counts_{};
  std::vector<std::uint8_t> types_ = std::vector<std::uint8_t>(kBlockSize, 0);
};

// ---- fixed-size record types ----------------------------------------------

enum class RecordKind {
  Individual,
  IndividualExt,
  Marriage,
  NoteBlock,
  FamilyLink,
  Citation,
  Source,
  SourceExt,
  Repository,
  UserEvent,
  EventType,
  Contact,
  Multimedia,
};

// Where a fixed-size record type lives and which header fields serve it.
struct RecordLayout {
  RecordKind kind;
  int blockType;
  int size;
  int perBlock;
  int highestField;     // header field of the highest number (of the numbering type)
  int blockCountField;  // -1: the type keeps no block count
  int chainHeadField;   // -1: no delete chain
  int linkOffset;       // link field in a deleted record; -1: none
  HeadPart headPart;    // header part that holds the highest number and chain head
  int apiType;          // record type of the call interface; 0 none
  const char* name;
};

const RecordLayout& LayoutOf(RecordKind kind);
// Layout of a block type of fixed-size records, or nullptr.
const RecordLayout* LayoutOfBlockType(int blockType);
// Header field of the block count of a block type, or -1.
int BlockCountField(int blockType);

}  // namespace orv
