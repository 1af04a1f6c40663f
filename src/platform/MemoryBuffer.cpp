#include "MemoryBuffer.h"

#include <new>

namespace {

std::unique_ptr<std::uint8_t[]> AllocateZeroed(std::size_t bytes) {
  if (bytes == 0) return nullptr;
  return std::unique_ptr<std::uint8_t[]>(new (std::nothrow) std::uint8_t[bytes]());
}

}  // namespace

CGlobalBuffer::CGlobalBuffer(std::size_t bytes) {
  if (bytes) Allocate(bytes);
}

std::uint8_t* CGlobalBuffer::Allocate(std::size_t bytes) {
  Free();
  data_ = AllocateZeroed(bytes);
  size_ = data_ ? bytes : 0;
  return data_.get();
}

void CGlobalBuffer::Free() {
  data_.reset();
  size_ = 0;
}
