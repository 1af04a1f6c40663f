#pragma once
// The texts of the main frame's status-bar panes. Views and dialogs send a
// pane kind and a value (a number, or for kind 100 a text pointer); this
// decides which pane gets which text.

#include <cstddef>
#include <cstdint>
#include <string>

namespace shell {

// Pane kinds of the set-status-pane message.
inline constexpr std::uintptr_t kPaneRin = 1;
inline constexpr std::uintptr_t kPaneMrin = 2;
inline constexpr std::uintptr_t kPaneMarriages = 3;
inline constexpr std::uintptr_t kPaneChildren = 4;
inline constexpr std::uintptr_t kPaneText = 100;

// Panes of the status bar: 0 free text, 1 RIN, 2 MRIN, 3 marriages,
// 4 children, 5 Caps Lock, 6 Num Lock.
inline constexpr int kStatusPaneCount = 7;
inline constexpr std::intptr_t kClearPane = -1;
// Kind 100 copies at most this many characters (a 260-byte buffer).
inline constexpr std::size_t kStatusTextMax = 259;

struct StatusPaneText {
  bool validKind = false;  // false: "Programmer: Invalid status bar index", nothing set
  int pane = 0;            // may lie outside the bar (then the pane cannot be set)
  std::string text;
};

// The pane and text for a kind and value. Value -1 empties the pane named by
// the kind, whatever the kind; kind 100 takes value as a NUL-ended text
// (null reads as empty) and targets pane 0.
StatusPaneText FormatStatusPane(std::uintptr_t kind, std::intptr_t value);

// The "0 .. 6" test of a pane index.
inline bool IsStatusPane(int pane) { return pane >= 0 && pane < kStatusPaneCount; }

}  // namespace shell
