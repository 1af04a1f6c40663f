#pragma once
// Owned blocks of bytes: CGlobalBuffer for transfer buffers (copy, buffered
// writing), CGrowBuffer for work areas that are reallocated as they grow.
// New memory is always zero.

#include <cstddef>
#include <cstdint>
#include <memory>

class CGlobalBuffer {
 public:
  explicit CGlobalBuffer(std::size_t bytes = 0);
  virtual ~CGlobalBuffer() = default;
  CGlobalBuffer(const CGlobalBuffer&) = delete;
  CGlobalBuffer& operator=(const CGlobalBuffer&) = delete;

  // Frees the old block, then allocates bytes zeroed bytes; the data pointer,
  // or null when bytes is 0 or the memory cannot be had.
  std::uint8_t* Allocate(std::size_t bytes);
  void Free();
  std::uint8_t* Data() { return data_.get(); }
  const std::uint8_t* Data() const { return data_.get(); }
  std::size_t Size() const { return size_; }

 private:
  std::unique_ptr<std::uint8_t[]> data_;
  std::size_t size_ = 0;
};

// A work area reallocated as it grows: Allocate drops the old contents.
class CGrowBuffer : public CGlobalBuffer {
 public:
  CGrowBuffer() = default;
};
