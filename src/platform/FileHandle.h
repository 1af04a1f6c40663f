#pragma once
// A file by handle: open, create, exact positioned reads and writes, flush,
// size and truncate. This is what the family file engine and every work file
// sit on; it never throws, and reports failures as file-error causes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "RandomAccessFile.h"

namespace plat {

// File-error causes, numbered as the program's error texts are (string 6216 + cause).
enum FileErrorCause : int {
  kFileOk = 0,
  kFileGeneric = 1,
  kFileNotFound = 2,
  kFileBadPath = 3,
  kFileTooManyOpen = 4,
  kFileAccessDenied = 5,
  kFileInvalidHandle = 6,
  kFileRemoveCurrentDir = 7,
  kFileDirectoryFull = 8,
  kFileBadSeek = 9,
  kFileHardIO = 10,
  kFileSharingViolation = 11,
  kFileLockViolation = 12,
  kFileDiskFull = 13,
  kFileEndOfFile = 14,
};

// Maps an errno value to a file-error cause.
int FileErrorFromErrno(int err);

// How the opens of a file hold it through FileHandle::Lock: not at all, for
// reading (writing denied to others), or for writing (others denied).
enum class FileHold { None, Reading, Writing };
// How the file at path is held by the opens of any program, this one
// included (None also when it cannot be opened).
FileHold HoldOf(const std::string& path);

class FileHandle : public RandomAccessFile {
 public:
  enum class Access { ReadWrite, ReadOnly };

  FileHandle() = default;
  ~FileHandle() override;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  FileHandle(FileHandle&& other) noexcept;
  FileHandle& operator=(FileHandle&& other) noexcept;

  // Opens an existing file. With fallbackReadOnly, a file that may not be
  // written (permissions, read-only medium) is opened for reading and
  // IsReadOnly() answers true. Returns a FileErrorCause (0 on success).
  int Open(const std::string& path, Access access, bool fallbackReadOnly = false);
  // Creates a file for reading and writing; truncates an existing one unless
  // exclusive, in which case an existing file fails with kFileAccessDenied
  // and LastErrno() == EEXIST.
  int Create(const std::string& path, bool exclusive = false);
  void Close();

  // Holds the whole file for this open until it is closed: for writing
  // (exclusive) or for reading (shared with other readers). The lock
  // belongs to the open, not to the process, so the system drops it when
  // the handle closes or the program dies, and a second open in this
  // program is refused as another program's is. False, with
  // kFileSharingViolation as the cause, when another open holds the file
  // in a way that conflicts; a file system without such locks takes it.
  bool Lock(bool forWriting);

  bool IsOpen() const { return fd_ >= 0; }
  bool IsReadOnly() const { return readOnly_; }
  const std::string& Path() const { return path_; }
  int LastErrno() const { return lastErrno_; }
  int Descriptor() const { return fd_; }

  // Positioned transfers (ReadAt, the exact read, comes with the interface).
  long long ReadSomeAt(std::uint64_t pos, void* data, std::size_t len) override;
  [[nodiscard]] bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) override;

  // Sequential transfers from the current position (the old 16-bit calls).
  long long Read(void* data, std::size_t len);
  [[nodiscard]] long long Write(const void* data, std::size_t len);
  bool Seek(std::uint64_t pos);
  std::uint64_t Tell() const { return pos_; }

  [[nodiscard]] bool Flush() override;
  long long Size() const override;
  [[nodiscard]] bool Truncate(std::uint64_t size) override;

  // Keeps up to maxBlocks recently read blocks of blockSize bytes in memory
  // (a clock sweep gives up those not read for longest), the file's partial
  // last block with the bytes that exist. Writes go straight to the file and
  // into the cached blocks (growing the partial one when they pass the end of
  // the file), so every read through this handle sees them; a write of bytes
  // the cached blocks already hold is left out. A file changed through
  // another handle meanwhile is not seen. 0 blocks turns the cache off.
  // Close and Truncate empty it.
  void EnableCache(std::size_t blockSize, std::size_t maxBlocks);

  // Maps the file into memory once it is open, a chunk at a time, for the
  // writes through this handle: a write of bytes inside the file is a store
  // into its chunk's mapping (left out when they are the bytes already
  // there). That is the system's copy of the file, as a positioned write
  // would be, so every write reaches the file when it is made and in the
  // order made; a write that grows the file stays a positioned write. Reads
  // copy from the chunks mapped, and go through the block cache elsewhere
  // (mapping a chunk costs more than reading a block). At most residentBytes
  // of chunks are mapped: the one not used for longest is given back (what
  // was written in it stays with the file). Where the file cannot be mapped,
  // or a transfer through the mapping faults (a file cut short under it, an
  // I/O error), the handle goes on with its block cache alone. 0 turns it
  // off.
  void EnableMapping(std::size_t residentBytes);
  bool IsMapped() const { return mapped_; }
  bool SmallWritesAreCheap() const override { return mapped_; }

 private:
  struct CachedBlock {
    std::vector<std::uint8_t> bytes;  // always a whole block
    bool used = false;                // read since the ring's hand last passed it
  };
  long long ReadUncached(std::uint64_t pos, void* data, std::size_t len);
  // The cached block of index, or nullptr.
  CachedBlock* Cached(std::uint64_t index) const;
  // The cached block of index, read in when needed; nullptr for a block past
  // the end of the file (then partial is empty, lastErrno_ 0) or a read error.
  CachedBlock* CacheBlock(std::uint64_t index, std::vector<std::uint8_t>& partial);
  // Keeps bytes as the cached block of index (not cached yet), giving up
  // another when the cache is full.
  CachedBlock& KeepBlock(std::uint64_t index, std::vector<std::uint8_t>&& bytes);
  // true when every byte of the range is cached and already holds data.
  bool SameAsCached(std::uint64_t pos, const void* data, std::size_t len) const;
  void UpdateCache(std::uint64_t pos, const void* data, std::size_t len);
  void ClearCache();
  // Takes up mapping the open file when it is on; false when the handle
  // goes without it.
  bool EnsureMapped();
  void Unmap();
  // After a fault: the rest of this open goes without the mapping.
  void GiveUpMapping();
  // Reads through the block cache (or straight from the file without one).
  long long ReadBlocks(std::uint64_t pos, void* data, std::size_t len);
  // Stores data into the mapped file, a chunk at a time, mapping the chunks
  // it needs; false when the mapping faulted or a chunk could not be mapped.
  bool StoreMapped(std::uint64_t pos, const void* data, std::size_t len);
  // The mapping of a chunk when it has one (noted as used), or nullptr.
  std::uint8_t* MappedChunk(std::uint64_t chunk);
  // The mapping of a chunk, made when it has none, giving back the chunk not
  // used for longest when the budget is full; nullptr when it cannot be made.
  std::uint8_t* UseChunk(std::uint64_t chunk);

  std::size_t cacheBlockSize_ = 0;
  std::size_t cacheMaxBlocks_ = 0;
  std::vector<CachedBlock> blocks_;       // the cached blocks, in their places in the ring
  std::vector<std::uint64_t> cacheRing_;  // the cached block indexes, in their places
  std::size_t cacheHand_ = 0;             // the next place to look for one to give up
  static constexpr std::uint64_t kNoBlock = ~std::uint64_t{0};
  std::uint64_t partialBlock_ = kNoBlock;  // the cached block that ends the file
  std::vector<CachedBlock*> slots_;        // by block index: the cached block or nullptr
  std::vector<std::uint8_t> spare_;        // the bytes of the block given up last

  std::size_t mapResidentBytes_ = 0;
  bool mapFailed_ = false;  // this open goes without the mapping
  bool mapped_ = false;
  std::uint64_t mapFileSize_ = 0;         // the bytes known to exist
  std::vector<std::uint8_t*> chunkMap_;   // by chunk: its mapping, or nullptr
  std::vector<std::uint8_t> chunkUsed_;   // by chunk: used since the hand passed it
  std::vector<std::uint64_t> chunkRing_;  // the mapped chunks, in their places
  std::size_t chunkHand_ = 0;

  int fd_ = -1;
  bool readOnly_ = false;
  int lastErrno_ = 0;
  std::uint64_t pos_ = 0;
  std::string path_;
};

}  // namespace plat
