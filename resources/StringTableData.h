#pragma once
// The compiled string table, sorted by id (texts in UTF-8).
#include <cstddef>

namespace res::detail {
struct StringEntry {
  unsigned id;
  const char* text;
  std::size_t length;
};
extern const StringEntry kBuiltInStrings[];
extern const std::size_t kBuiltInStringCount;
}  // namespace res::detail
