#pragma once
// What a storage engine needs of a file: exact and short positioned reads,
// positioned writes, flush, size and truncate. The real file (FileHandle)
// is one; tests hand the engine files kept in memory or failing on purpose.

#include <cstddef>
#include <cstdint>

namespace plat {

class RandomAccessFile {
 public:
  virtual ~RandomAccessFile() = default;

  // A positioned read that may come short at the end of the file; returns the
  // count read, or -1 on error.
  virtual long long ReadSomeAt(std::uint64_t pos, void* data, std::size_t len) = 0;
  // True only when every byte was written.
  [[nodiscard]] virtual bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) = 0;
  [[nodiscard]] virtual bool Flush() = 0;
  // The length in bytes, or -1 when it cannot be had.
  virtual long long Size() const = 0;
  [[nodiscard]] virtual bool Truncate(std::uint64_t size) = 0;
  // True when a small write inside the file costs no system call (it is a
  // store into a mapping): many small writes then cost less than one write
  // of the bytes they span.
  virtual bool SmallWritesAreCheap() const { return false; }

  // An exact positioned read: true only when every byte came.
  bool ReadAt(std::uint64_t pos, void* data, std::size_t len) {
    return ReadSomeAt(pos, data, len) == static_cast<long long>(len);
  }

 protected:
  RandomAccessFile() = default;
  RandomAccessFile(const RandomAccessFile&) = default;
  RandomAccessFile& operator=(const RandomAccessFile&) = default;
};

}  // namespace plat
