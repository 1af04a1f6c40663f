#pragma once
// Helpers shared by the stages of the Check/Repair run (DatabaseChecker*.cpp).

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>

#include "FileLayout.h"

namespace checkrepair {

inline std::string Format(const char* format, ...) {
  char buf[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  return buf;
}

inline unsigned long U(std::int64_t v) { return static_cast<unsigned long>(v); }

inline constexpr const char* kSetToZero = "Set the pointer to 0.";

// The record kind of a block type of fixed-size records with a live test
// (extensions and note blocks have none).
inline bool KindOfBlockType(int type, orv::RecordKind& kind) {
  const orv::RecordLayout* layout = orv::LayoutOfBlockType(type);
  if (!layout || layout->kind == orv::RecordKind::IndividualExt ||
      layout->kind == orv::RecordKind::SourceExt || layout->kind == orv::RecordKind::NoteBlock)
    return false;
  kind = layout->kind;
  return true;
}

inline bool IsLinkType(std::uint8_t c) {
  return c == 'a' || c == 'b' || c == 'c' || c == 'd' || c == 'g' || c == 's';
}

}  // namespace checkrepair
