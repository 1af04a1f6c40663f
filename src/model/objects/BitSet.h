#pragma once
// A set of bits addressed by record number: the export marks what it writes,
// filters keep their selections here, Check/Repair its visited records. Bit i
// lives in byte i / 8 at bit i % 8 (least significant first). The set is
// saved inside filter-set files as bit count, set count and bytes.

#include <cstdint>
#include <istream>
#include <ostream>
#include <vector>

class CBitSet {
 public:
  // The largest set a stream may claim and the set may grow to; a set that
  // can be held can also be saved and read back.
  static constexpr std::uint32_t kMaxBits = 0x1000000;

  CBitSet() = default;

  // Clears the set, then sizes it to bits when nonzero. 1, or 0 when the
  // memory cannot be had or bits exceeds kMaxBits.
  int Init(std::uint32_t bits);
  // Bit count becomes bits rounded up to a multiple of 8; existing bytes are
  // kept, new bytes are zero; 0 clears the set. 1, or 0 when refused.
  int Resize(std::uint32_t bits);
  // Releases the bits and zeroes the counts.
  void Clear();
  // Releases the memory of the bits (the counts follow: the set is empty).
  void Free() { Clear(); }

  // 1 when the bit is set; positions outside the set read as 0.
  int Test(std::int32_t position) const;
  // Sets or clears a bit, growing the set to hold it. 0, or -1 for a negative
  // position or when the set cannot grow that far.
  int SetBit(std::int32_t position, int value);
  // The byte at a byte position, 0 outside the set.
  std::uint8_t GetByte(std::int32_t bytePosition) const;
  // Stores a byte inside the set (the set count follows); ignored outside.
  void SetByte(std::int32_t bytePosition, std::uint8_t value);

  // Takes sizes, set count and bytes of other. 1, or 0 when out of memory.
  int Copy(const CBitSet& other);

  // Stream form, little-endian: bit count (4 bytes); when nonzero, set count
  // (4 bytes) and then the bytes. True when everything was written.
  bool Save(std::ostream& out) const;
  // Reads the stream form after clearing the set. 1 on success (an empty set
  // for a bit count of 0); 0 for a bit count above kMaxBits, a short stream
  // or missing memory, and the set stays empty.
  int Load(std::istream& in);

  std::uint32_t BitCount() const { return bitCount_; }
  std::uint32_t ByteCount() const { return byteCount_; }
  std::uint32_t SetCount() const { return setCount_; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint32_t bitCount_ = 0;
  std::uint32_t byteCount_ = 0;
  std::uint32_t setCount_ = 0;
};
