#include "Orv2Layout.h"

#include "DateValue.h"

namespace orv2 {

PackedDate UnpackDate(const std::uint8_t* p, bool threeBytes) {
  const std::uint32_t v = (static_cast<std::uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) |
                          (threeBytes ? 0u : p[3]);
  PackedDate d;
  d.year = static_cast<int>(v >> 20);
  d.code = static_cast<int>((v >> 15) & 0x1F);
  d.day = static_cast<int>((v >> 10) & 0x1F);
  d.kind = static_cast<int>((v >> 8) & 0x3);
  d.dual = static_cast<int>(v & 0xFF);
  return d;
}

void DecodeDate(const std::uint8_t* p, bool threeBytes, CDateValue& out) {
  const PackedDate d = UnpackDate(p, threeBytes);
  out.SetFromOldFormat(d.year, d.code, d.day, d.kind, d.dual);
}

std::int32_t HeaderNumber(const std::uint8_t* header, std::size_t at) {
  std::size_t i = at;
  const std::size_t end = at + kHeaderFieldWidth;
  while (i < end && header[i] == ' ') ++i;
  std::int64_t n = 0;
  while (i < end && header[i] >= '0' && header[i] <= '9') {
    n = n * 10 + (header[i] - '0');
    if (n > 0x7FFFFFFF) return 0x7FFFFFFF;
    ++i;
  }
  return static_cast<std::int32_t>(n);
}

std::string FixedText(const std::uint8_t* p, std::size_t size) {
  std::size_t n = 0;
  while (n < size && p[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(p), n);
}

}  // namespace orv2
