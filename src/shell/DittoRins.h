#pragma once
// The three remembered "ditto" record numbers of a document: kind 0 the
// individual an edit screen saved last, kind 2 the first note block of the
// notes closed last; all zero when the document is made.

#include <array>
#include <cstdint>

namespace shell {

class DittoRins {
 public:
  static constexpr int kCount = 3;
  static bool IsValidKind(std::uintptr_t kind) { return kind < kCount; }

  // The number of a kind; 0 for an invalid kind.
  std::uint32_t Get(std::uintptr_t kind) const { return IsValidKind(kind) ? rins_[kind] : 0; }
  // False, and nothing stored, for an invalid kind.
  bool Set(std::uintptr_t kind, std::uint32_t rin) {
    if (!IsValidKind(kind)) return false;
    rins_[kind] = rin;
    return true;
  }

 private:
  std::array<std::uint32_t, kCount> rins_{};
};

}  // namespace shell
