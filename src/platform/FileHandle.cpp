#include "FileHandle.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csetjmp>
#include <csignal>
#include <cstring>
#include <mutex>
#include <utility>

namespace plat {

namespace {

// The file is mapped a chunk at a time, each chunk a mapping of its own, so
// that the system never maps more of the file than the chunks in use (it
// may otherwise map up to a large page's worth around the byte touched).
constexpr std::uint64_t kMapChunk = 16 << 10;

// A transfer through a mapping meets a bus error where the file lost the
// bytes (cut short by another program) or could not be read or stored
// (I/O error, no room on a copy-on-write disk). The copy is then abandoned
// and reported, and the handle goes on without the mapping. The jump is
// volatile and fenced around the copies, so that the compiler neither drops
// its store nor moves the copy past it.
thread_local sigjmp_buf* volatile tBusJump = nullptr;
struct sigaction gBusBefore {};

void OnBusError(int sig, siginfo_t* info, void* context) {
  if (sigjmp_buf* jump = tBusJump) {
    tBusJump = nullptr;
    siglongjmp(*jump, 1);
  }
  // Not a transfer of ours: as before this handler was put in.
  if ((gBusBefore.sa_flags & SA_SIGINFO) != 0 && gBusBefore.sa_sigaction != nullptr) {
    gBusBefore.sa_sigaction(sig, info, context);
    return;
  }
  if ((gBusBefore.sa_flags & SA_SIGINFO) == 0 && gBusBefore.sa_handler != SIG_DFL &&
      gBusBefore.sa_handler != SIG_IGN) {
    gBusBefore.sa_handler(sig);
    return;
  }
  ::sigaction(SIGBUS, &gBusBefore, nullptr);  // the fault repeats, with the default action
}

void GuardBusErrors() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    // Not blocked while handled, so that leaving the handler by the jump
    // leaves the signal mask as it was.
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &gBusBefore);
  });
}

// Copies from the mapping; false when it faulted.
bool CopyFromMapping(void* to, const std::uint8_t* from, std::size_t len) {
  sigjmp_buf jump;
  if (sigsetjmp(jump, 0) != 0) return false;
  tBusJump = &jump;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  std::memcpy(to, from, len);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  tBusJump = nullptr;
  return true;
}

// Stores into the mapping unless it holds the bytes already; false when it
// faulted (part of the bytes may have been stored).
bool StoreIntoMapping(std::uint8_t* to, const void* from, std::size_t len) {
  sigjmp_buf jump;
  if (sigsetjmp(jump, 0) != 0) return false;
  tBusJump = &jump;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  if (std::memcmp(to, from, len) != 0) std::memcpy(to, from, len);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  tBusJump = nullptr;
  return true;
}

}  // namespace

int FileErrorFromErrno(int err) {
  switch (err) {
    case 0:
      return kFileOk;
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return kFileBadPath;
    case EMFILE:
    case ENFILE:
      return kFileTooManyOpen;
    case EACCES:
    case EPERM:
    case EROFS:
    case EEXIST:
    case EISDIR:
      return kFileAccessDenied;
    case EBADF:
      return kFileInvalidHandle;
    case ESPIPE:
    case EINVAL:
      return kFileBadSeek;
    case EIO:
      return kFileHardIO;
    case ETXTBSY:
    case EBUSY:
      return kFileSharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kFileDiskFull;
    default:
      return kFileGeneric;
  }
}

namespace {

// An open-file-description lock over the whole file.
struct flock WholeFile(short type) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = 0;
  lock.l_len = 0;
  return lock;
}

// The system cannot lock files there (some network file systems).
bool LocksUnsupported(int err) { return err == EINVAL || err == ENOLCK || err == EOPNOTSUPP; }

}  // namespace

FileHold HoldOf(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return FileHold::None;
  struct flock probe = WholeFile(F_WRLCK);
  FileHold hold = FileHold::None;
  if (::fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK)
    hold = probe.l_type == F_WRLCK ? FileHold::Writing : FileHold::Reading;
  ::close(fd);
  return hold;
}

bool FileHandle::Lock(bool forWriting) {
  if (fd_ < 0) {
    lastErrno_ = EBADF;
    return false;
  }
  struct flock lock = WholeFile(forWriting ? F_WRLCK : F_RDLCK);
  while (::fcntl(fd_, F_OFD_SETLK, &lock) != 0) {
    if (errno == EINTR) continue;
    if (LocksUnsupported(errno)) return true;
    lastErrno_ = EAGAIN;
    return false;
  }
  return true;
}

FileHandle::~FileHandle() { Close(); }

FileHandle::FileHandle(FileHandle&& other) noexcept { *this = std::move(other); }

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    readOnly_ = other.readOnly_;
    lastErrno_ = other.lastErrno_;
    pos_ = other.pos_;
    path_ = std::move(other.path_);
    cacheBlockSize_ = other.cacheBlockSize_;
    cacheMaxBlocks_ = other.cacheMaxBlocks_;
    blocks_ = std::move(other.blocks_);  // the blocks stay where slots_ points
    cacheRing_ = std::move(other.cacheRing_);
    cacheHand_ = other.cacheHand_;
    partialBlock_ = other.partialBlock_;
    slots_ = std::move(other.slots_);
    other.ClearCache();
    mapResidentBytes_ = other.mapResidentBytes_;
    mapFailed_ = other.mapFailed_;
    mapped_ = std::exchange(other.mapped_, false);
    mapFileSize_ = std::exchange(other.mapFileSize_, 0);
    chunkMap_ = std::move(other.chunkMap_);
    chunkUsed_ = std::move(other.chunkUsed_);
    chunkRing_ = std::move(other.chunkRing_);
    chunkHand_ = std::exchange(other.chunkHand_, 0);
    other.chunkMap_.clear();
    other.chunkUsed_.clear();
    other.chunkRing_.clear();
  }
  return *this;
}

int FileHandle::Open(const std::string& path, Access access, bool fallbackReadOnly) {
  Close();
  if (path.empty()) {
    lastErrno_ = ENOENT;
    return kFileBadPath;
  }
  int flags = O_CLOEXEC | (access == Access::ReadOnly ? O_RDONLY : O_RDWR);
  int fd = ::open(path.c_str(), flags);
  if (fd < 0 && access == Access::ReadWrite && fallbackReadOnly &&
      (errno == EACCES || errno == EROFS || errno == EPERM)) {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) access = Access::ReadOnly;
  }
  if (fd < 0) {
    lastErrno_ = errno;
    return FileErrorFromErrno(lastErrno_);
  }
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    lastErrno_ = EISDIR;
    return kFileAccessDenied;
  }
  fd_ = fd;
  readOnly_ = access == Access::ReadOnly;
  lastErrno_ = 0;
  pos_ = 0;
  path_ = path;
  return kFileOk;
}

int FileHandle::Create(const std::string& path, bool exclusive) {
  Close();
  int flags = O_RDWR | O_CREAT | O_CLOEXEC | (exclusive ? O_EXCL : O_TRUNC);
  int fd = ::open(path.c_str(), flags, 0666);
  if (fd < 0) {
    lastErrno_ = errno;
    return FileErrorFromErrno(lastErrno_);
  }
  fd_ = fd;
  readOnly_ = false;
  lastErrno_ = 0;
  pos_ = 0;
  path_ = path;
  return kFileOk;
}

void FileHandle::Close() {
  ClearCache();
  Unmap();
  mapFailed_ = false;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  readOnly_ = false;
  pos_ = 0;
}

long long FileHandle::ReadSomeAt(std::uint64_t pos, void* data, std::size_t len) {
  if (!EnsureMapped() || len == 0 || pos >= mapFileSize_) return ReadBlocks(pos, data, len);
  // The chunks that are mapped are read there, the others through the
  // block cache: a read does not map a chunk (mapping one costs more than
  // reading a block), a write does.
  auto* out = static_cast<std::uint8_t*>(data);
  const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(len, mapFileSize_ - pos));
  for (std::size_t done = 0; done < n;) {
    const std::uint64_t at = pos + done;
    const std::size_t piece =
        static_cast<std::size_t>(std::min<std::uint64_t>(n - done, kMapChunk - at % kMapChunk));
    if (std::uint8_t* chunk = MappedChunk(at / kMapChunk)) {
      if (!CopyFromMapping(out + done, chunk + at % kMapChunk, piece)) {
        GiveUpMapping();
        return ReadSomeAt(pos, data, len);
      }
    } else {
      const long long got = ReadBlocks(at, out + done, piece);
      if (got < 0) return -1;
      if (got < static_cast<long long>(piece)) return static_cast<long long>(done) + got;
    }
    done += piece;
  }
  if (n == len) return static_cast<long long>(n);
  // Past the end the file had when last seen: as without the mapping.
  const long long more = ReadBlocks(pos + n, out + n, len - n);
  return more < 0 ? -1 : static_cast<long long>(n) + more;
}

long long FileHandle::ReadBlocks(std::uint64_t pos, void* data, std::size_t len) {
  if (cacheMaxBlocks_ == 0 || fd_ < 0) return ReadUncached(pos, data, len);
  auto* out = static_cast<std::uint8_t*>(data);
  std::size_t done = 0;
  std::vector<std::uint8_t> partial;
  while (done < len) {
    const std::uint64_t at = pos + done;
    const std::vector<std::uint8_t>* bytes = nullptr;
    if (CachedBlock* block = CacheBlock(at / cacheBlockSize_, partial)) {
      bytes = &block->bytes;
    } else if (lastErrno_ == 0) {
      bytes = &partial;  // past the end of the file: empty
    } else {
      return -1;
    }
    const std::size_t offset = static_cast<std::size_t>(at % cacheBlockSize_);
    if (offset >= bytes->size()) break;  // the end of the file
    const std::size_t n = std::min(len - done, bytes->size() - offset);
    std::memcpy(out + done, bytes->data() + offset, n);
    done += n;
    if (bytes->size() < cacheBlockSize_) break;
  }
  return static_cast<long long>(done);
}

long long FileHandle::ReadUncached(std::uint64_t pos, void* data, std::size_t len) {
  if (fd_ < 0) {
    lastErrno_ = EBADF;
    return -1;
  }
  auto* p = static_cast<char*>(data);
  std::size_t done = 0;
  while (done < len) {
    ssize_t n = ::pread(fd_, p + done, len - done, static_cast<off_t>(pos + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      lastErrno_ = errno;
      return -1;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<long long>(done);
}

bool FileHandle::WriteAt(std::uint64_t pos, const void* data, std::size_t len) {
  if (fd_ < 0 || readOnly_) {
    lastErrno_ = fd_ < 0 ? EBADF : EACCES;
    return false;
  }
  // Inside the file, a store into the chunk's mapping (the cached blocks
  // follow it).
  if (EnsureMapped() && len > 0 && pos + len <= mapFileSize_) {
    if (StoreMapped(pos, data, len)) {
      UpdateCache(pos, data, len);
      return true;
    }
    GiveUpMapping();  // and the positioned write below tells what went wrong
  }
  // A write of the bytes the file already holds changes nothing: it is
  // left out (the engine writes a record whole after changing a part of it).
  if (SameAsCached(pos, data, len)) return true;
  const auto* p = static_cast<const char*>(data);
  std::size_t done = 0;
  while (done < len) {
    ssize_t n = ::pwrite(fd_, p + done, len - done, static_cast<off_t>(pos + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      lastErrno_ = errno;
      ClearCache();  // part of the data may have reached the file
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  UpdateCache(pos, data, len);
  if (mapped_ && pos + len > mapFileSize_) mapFileSize_ = pos + len;
  return true;
}

long long FileHandle::Read(void* data, std::size_t len) {
  long long n = ReadSomeAt(pos_, data, len);
  if (n > 0) pos_ += static_cast<std::uint64_t>(n);
  return n;
}

long long FileHandle::Write(const void* data, std::size_t len) {
  if (!WriteAt(pos_, data, len)) return -1;
  pos_ += len;
  return static_cast<long long>(len);
}

bool FileHandle::Seek(std::uint64_t pos) {
  if (fd_ < 0) return false;
  pos_ = pos;
  return true;
}

bool FileHandle::Flush() {
  if (fd_ < 0) return false;
  if (::fsync(fd_) != 0) {
    lastErrno_ = errno;
    return false;
  }
  return true;
}

long long FileHandle::Size() const {
  struct stat st {};
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return -1;
  return static_cast<long long>(st.st_size);
}

bool FileHandle::Truncate(std::uint64_t size) {
  if (fd_ < 0 || readOnly_) return false;
  ClearCache();
  if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
    lastErrno_ = errno;
    GiveUpMapping();  // the size may or may not have changed
    return false;
  }
  if (mapped_) mapFileSize_ = size;  // the chunks' pages past it are gone with it
  return true;
}

void FileHandle::EnableCache(std::size_t blockSize, std::size_t maxBlocks) {
  ClearCache();
  cacheBlockSize_ = maxBlocks > 0 ? blockSize : 0;
  cacheMaxBlocks_ = blockSize > 0 ? maxBlocks : 0;
}

void FileHandle::EnableMapping(std::size_t residentBytes) {
  Unmap();
  mapFailed_ = false;
  mapResidentBytes_ = residentBytes;
}

bool FileHandle::EnsureMapped() {
  if (mapped_) return true;
  if (mapResidentBytes_ == 0 || mapFailed_ || fd_ < 0) return false;
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    mapFailed_ = true;
    return false;
  }
  // A file system without shared mappings goes on with the block cache.
  void* probe = ::mmap(nullptr, kMapChunk, readOnly_ ? PROT_READ : PROT_READ | PROT_WRITE,
                       MAP_SHARED, fd_, 0);
  if (probe == MAP_FAILED) {
    mapFailed_ = true;
    return false;
  }
  ::munmap(probe, kMapChunk);
  GuardBusErrors();
  mapped_ = true;
  mapFileSize_ = static_cast<std::uint64_t>(st.st_size);
  return true;
}

void FileHandle::Unmap() {
  for (const std::uint64_t chunk : chunkRing_) ::munmap(chunkMap_[chunk], kMapChunk);
  mapped_ = false;
  mapFileSize_ = 0;
  chunkMap_.clear();
  chunkUsed_.clear();
  chunkRing_.clear();
  chunkHand_ = 0;
}

void FileHandle::GiveUpMapping() {
  Unmap();
  mapFailed_ = true;
}

bool FileHandle::StoreMapped(std::uint64_t pos, const void* data, std::size_t len) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  for (std::size_t done = 0; done < len;) {
    const std::uint64_t at = pos + done;
    const std::size_t piece =
        static_cast<std::size_t>(std::min<std::uint64_t>(len - done, kMapChunk - at % kMapChunk));
    std::uint8_t* chunk = UseChunk(at / kMapChunk);
    if (!chunk || !StoreIntoMapping(chunk + at % kMapChunk, bytes + done, piece)) return false;
    done += piece;
  }
  return true;
}

std::uint8_t* FileHandle::MappedChunk(std::uint64_t chunk) {
  if (chunk >= chunkMap_.size() || !chunkMap_[chunk]) return nullptr;
  chunkUsed_[chunk] = 1;
  return chunkMap_[chunk];
}

std::uint8_t* FileHandle::UseChunk(std::uint64_t chunk) {
  if (std::uint8_t* at = MappedChunk(chunk)) return at;
  if (chunkMap_.size() <= chunk) {
    chunkMap_.resize(chunk + 1, nullptr);
    chunkUsed_.resize(chunk + 1, 0);
  }
  // A full budget gives back the first chunk in the ring not used since the
  // hand last passed it (what was written in it stays with the file): the
  // new chunk is mapped in its place, in one call.
  const std::size_t maxChunks =
      std::max<std::size_t>(2, static_cast<std::size_t>(mapResidentBytes_ / kMapChunk));
  void* place = nullptr;
  std::size_t slot = chunkRing_.size();
  if (slot >= maxChunks) {
    for (; chunkUsed_[chunkRing_[chunkHand_]] != 0;
         chunkHand_ = (chunkHand_ + 1) % chunkRing_.size())
      chunkUsed_[chunkRing_[chunkHand_]] = 0;
    slot = chunkHand_;
    place = chunkMap_[chunkRing_[slot]];
  }
  // Its pages are mapped at once (they are mostly the system's already).
  void* m = ::mmap(place, kMapChunk, readOnly_ ? PROT_READ : PROT_READ | PROT_WRITE,
                   MAP_SHARED | MAP_POPULATE | (place ? MAP_FIXED : 0), fd_,
                   static_cast<off_t>(chunk * kMapChunk));
  if (m == MAP_FAILED) {
    if (place) {  // the old chunk's mapping may be gone with it
      ::munmap(place, kMapChunk);
      chunkMap_[chunkRing_[slot]] = nullptr;
      chunkRing_.erase(chunkRing_.begin() + static_cast<std::ptrdiff_t>(slot));
      chunkHand_ = chunkRing_.empty() ? 0 : chunkHand_ % chunkRing_.size();
    }
    return nullptr;
  }
  if (place) {
    chunkMap_[chunkRing_[slot]] = nullptr;
    chunkRing_[slot] = chunk;
    chunkHand_ = (chunkHand_ + 1) % chunkRing_.size();
  } else {
    chunkRing_.push_back(chunk);
  }
  chunkMap_[chunk] = static_cast<std::uint8_t*>(m);
  chunkUsed_[chunk] = 0;
  return chunkMap_[chunk];
}

void FileHandle::ClearCache() {
  partialBlock_ = kNoBlock;
  slots_.clear();
  blocks_.clear();
  cacheRing_.clear();
  cacheHand_ = 0;
}

FileHandle::CachedBlock* FileHandle::Cached(std::uint64_t index) const {
  return index < slots_.size() ? slots_[index] : nullptr;
}

FileHandle::CachedBlock* FileHandle::CacheBlock(std::uint64_t index,
                                                std::vector<std::uint8_t>& partial) {
  if (CachedBlock* block = Cached(index)) {
    block->used = true;
    return block;
  }
  // The bytes of the block given up last are read into again: a block read
  // costs no allocation, and no clearing of what the read overwrites.
  partial.swap(spare_);
  partial.resize(cacheBlockSize_);
  lastErrno_ = 0;
  const long long got = ReadUncached(index * cacheBlockSize_, partial.data(), partial.size());
  if (got < 0) return nullptr;
  // The file's partial last block is kept with the bytes that exist (the
  // new records of a growing file are read there again and again); writes
  // past its end grow it. A block wholly past the end is not kept.
  if (got == 0) {
    partial.clear();
    return nullptr;
  }
  partial.resize(static_cast<std::size_t>(got));
  if (partial.size() < cacheBlockSize_) partialBlock_ = index;
  return &KeepBlock(index, std::move(partial));
}

FileHandle::CachedBlock& FileHandle::KeepBlock(std::uint64_t index,
                                               std::vector<std::uint8_t>&& bytes) {
  // A full cache gives up the first block in the ring not used since the
  // hand last passed it; the new block takes its place.
  CachedBlock* kept = nullptr;
  if (cacheRing_.size() >= cacheMaxBlocks_) {
    for (;; cacheHand_ = (cacheHand_ + 1) % cacheRing_.size()) {
      CachedBlock* old = slots_[cacheRing_[cacheHand_]];
      if (!old->used) break;
      old->used = false;
    }
    const std::size_t place = cacheHand_;
    cacheHand_ = (cacheHand_ + 1) % cacheRing_.size();
    slots_[cacheRing_[place]] = nullptr;
    kept = &blocks_[place];
    spare_ = std::move(kept->bytes);
    cacheRing_[place] = index;
  } else {
    // Room for every block the cache may hold, taken before the first:
    // slots_ points into it.
    if (blocks_.empty()) blocks_.reserve(cacheMaxBlocks_);
    cacheRing_.push_back(index);
    kept = &blocks_.emplace_back();
  }
  CachedBlock& block = *kept;
  block.bytes = std::move(bytes);
  block.used = false;
  if (slots_.size() <= index) slots_.resize(index + 1, nullptr);
  slots_[index] = &block;
  return block;
}

bool FileHandle::SameAsCached(std::uint64_t pos, const void* data, std::size_t len) const {
  if (cacheRing_.empty() || len == 0) return false;
  const auto* in = static_cast<const std::uint8_t*>(data);
  const std::uint64_t end = pos + len;
  for (std::uint64_t index = pos / cacheBlockSize_; index * cacheBlockSize_ < end; ++index) {
    const CachedBlock* block = Cached(index);
    if (!block) return false;
    const std::uint64_t blockStart = index * cacheBlockSize_;
    const std::uint64_t from = std::max(pos, blockStart);
    const std::uint64_t to = std::min<std::uint64_t>(end, blockStart + cacheBlockSize_);
    if (to - blockStart > block->bytes.size()) return false;  // past the end of the file
    if (std::memcmp(block->bytes.data() + (from - blockStart), in + (from - pos),
                    static_cast<std::size_t>(to - from)) != 0)
      return false;
  }
  return true;
}

void FileHandle::UpdateCache(std::uint64_t pos, const void* data, std::size_t len) {
  if (cacheRing_.empty() || len == 0) return;
  const auto* in = static_cast<const std::uint8_t*>(data);
  const std::uint64_t end = pos + len;
  // A write past the end of the file makes every byte up to it exist (zeros
  // in a gap): the partial block that ended the file grows first.
  const std::uint64_t first = pos / cacheBlockSize_;
  const std::uint64_t last = (end - 1) / cacheBlockSize_;
  if (CachedBlock* partial = Cached(partialBlock_)) {
    const std::uint64_t grown = partialBlock_;
    const std::uint64_t blockStart = grown * cacheBlockSize_;
    auto& bytes = partial->bytes;
    if (end > blockStart + bytes.size()) {
      bytes.resize(
          static_cast<std::size_t>(std::min<std::uint64_t>(end - blockStart, cacheBlockSize_)), 0);
      if (bytes.size() == cacheBlockSize_) partialBlock_ = kNoBlock;
      // The blocks of the write past that one were not in the file: they hold
      // zeros and the write's bytes (copied in below), so they are kept
      // without reading them back (a growing file reads its new blocks next).
      for (std::uint64_t index = std::max(grown + 1, first); index <= last; ++index) {
        const std::uint64_t size =
            std::min<std::uint64_t>(end - index * cacheBlockSize_, cacheBlockSize_);
        std::vector<std::uint8_t> zeros;
        zeros.swap(spare_);
        zeros.reserve(cacheBlockSize_);  // the block grows with the file
        zeros.assign(static_cast<std::size_t>(size), 0);
        (void)KeepBlock(index, std::move(zeros));
        if (size < cacheBlockSize_) partialBlock_ = index;
      }
    }
  }
  for (std::uint64_t index = first; index <= last; ++index) {
    CachedBlock* block = Cached(index);
    if (!block) continue;
    const std::uint64_t blockStart = index * cacheBlockSize_;
    const std::uint64_t from = std::max(pos, blockStart);
    const std::uint64_t to = std::min<std::uint64_t>(end, blockStart + cacheBlockSize_);
    auto& bytes = block->bytes;  // it reaches the write's end in this block
    std::memcpy(bytes.data() + (from - blockStart), in + (from - pos),
                static_cast<std::size_t>(to - from));
  }
}

}  // namespace plat
