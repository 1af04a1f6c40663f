#include "StatusPanes.h"

#include <cstring>

#include "StringIds.h"
#include "StringTable.h"

namespace shell {
namespace {

// Numbers travel as 32-bit values and print unsigned.
std::string Unsigned(std::intptr_t value) {
  return std::to_string(static_cast<std::uint32_t>(value));
}

}  // namespace

StatusPaneText FormatStatusPane(std::uintptr_t kind, std::intptr_t value) {
  StatusPaneText out;
  out.validKind = true;
  out.pane = static_cast<int>(kind);
  if (value == kClearPane) return out;
  switch (kind) {
    case kPaneRin:
      out.text = res::FormatString(res::kIdsRinPane, {Unsigned(value)});
      break;
    case kPaneMrin:
      out.text = res::FormatString(res::kIdsMrinPane, {Unsigned(value)});
      break;
    case kPaneMarriages:
      out.text = res::LoadString(res::kIdsMarriagesLabel) + " " + Unsigned(value);
      break;
    case kPaneChildren:
      out.text = res::LoadString(res::kIdsChildrenLabel) + " " + Unsigned(value);
      break;
    case kPaneText: {
      const char* text = reinterpret_cast<const char*>(value);
      if (text) out.text.assign(text, ::strnlen(text, kStatusTextMax));
      out.pane = 0;
      break;
    }
    default:
      out.validKind = false;
      break;
  }
  return out;
}

}  // namespace shell
