#include "BitSet.h"

#include <bit>
#include <new>

namespace {

std::uint32_t CountBits(const std::uint8_t* p, std::size_t n) {
  std::uint32_t count = 0;
  for (std::size_t i = 0; i < n; ++i) count += static_cast<std::uint32_t>(std::popcount(p[i]));
  return count;
}

void PutU32(std::ostream& out, std::uint32_t v) {
  char b[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
               static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
  out.write(b, 4);
}

bool GetU32(std::istream& in, std::uint32_t& v) {
  unsigned char b[4];
  if (!in.read(reinterpret_cast<char*>(b), 4)) return false;
  v = static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
      (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
  return true;
}

}  // namespace

int CBitSet::Init(std::uint32_t bits) {
  Clear();
  return bits ? Resize(bits) : 1;
}

int CBitSet::Resize(std::uint32_t bits) {
  if (bits == 0) {
    Clear();
    return 1;
  }
  if (bits > kMaxBits) return 0;
  std::uint32_t newBits = (bits + 7) & ~std::uint32_t{7};
  std::uint32_t newBytes = newBits / 8;
  if (newBytes < byteCount_)
    setCount_ -= CountBits(bytes_.data() + newBytes, byteCount_ - newBytes);
  try {
    bytes_.resize(newBytes, 0);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  bitCount_ = newBits;
  byteCount_ = newBytes;
  return 1;
}

void CBitSet::Clear() {
  std::vector<std::uint8_t>().swap(bytes_);
  bitCount_ = byteCount_ = setCount_ = 0;
}

int CBitSet::Test(std::int32_t position) const {
  if (position < 0 || static_cast<std::uint32_t>(position) >= bitCount_) return 0;
  return (bytes_[static_cast<std::uint32_t>(position) / 8] >> (position % 8)) & 1;
}

int CBitSet::SetBit(std::int32_t position, int value) {
  if (position < 0) return -1;
  auto pos = static_cast<std::uint32_t>(position);
  if (pos >= bitCount_ && !Resize(pos + 1)) return -1;
  std::uint8_t& byte = bytes_[pos / 8];
  const std::uint8_t mask = static_cast<std::uint8_t>(1u << (pos % 8));
  const bool was = (byte & mask) != 0;
  if (value && !was) {
    byte |= mask;
    ++setCount_;
  } else if (!value && was) {
    byte &= static_cast<std::uint8_t>(~mask);
    --setCount_;
  }
  return 0;
}

std::uint8_t CBitSet::GetByte(std::int32_t bytePosition) const {
  if (bytePosition < 0 || static_cast<std::uint32_t>(bytePosition) >= byteCount_) return 0;
  return bytes_[static_cast<std::uint32_t>(bytePosition)];
}

void CBitSet::SetByte(std::int32_t bytePosition, std::uint8_t value) {
  if (bytePosition < 0 || static_cast<std::uint32_t>(bytePosition) >= byteCount_) return;
  std::uint8_t& byte = bytes_[static_cast<std::uint32_t>(bytePosition)];
  setCount_ = setCount_ - static_cast<std::uint32_t>(std::popcount(byte)) +
              static_cast<std::uint32_t>(std::popcount(value));
  byte = value;
}

int CBitSet::Copy(const CBitSet& other) {
  if (this == &other) return 1;
  try {
    bytes_ = other.bytes_;
  } catch (const std::bad_alloc&) {
    Clear();
    return 0;
  }
  bitCount_ = other.bitCount_;
  byteCount_ = other.byteCount_;
  setCount_ = other.setCount_;
  return 1;
}

bool CBitSet::Save(std::ostream& out) const {
  PutU32(out, bitCount_);
  if (bitCount_) {
    PutU32(out, setCount_);
    out.write(reinterpret_cast<const char*>(bytes_.data()),
              static_cast<std::streamsize>(byteCount_));
  }
  return static_cast<bool>(out);
}

int CBitSet::Load(std::istream& in) {
  Clear();
  std::uint32_t bits = 0, stored = 0;
  if (!GetU32(in, bits)) return 0;
  if (bits == 0) return 1;
  if (bits > kMaxBits || !GetU32(in, stored) || !Resize(bits)) return 0;
  if (!in.read(reinterpret_cast<char*>(bytes_.data()), static_cast<std::streamsize>(byteCount_))) {
    Clear();
    return 0;
  }
  // The count is taken from the bytes themselves, so a damaged stream cannot
  // leave the set with a count that disagrees with its bits.
  setCount_ = CountBits(bytes_.data(), byteCount_);
  return 1;
}
