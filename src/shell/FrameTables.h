#pragma once
// What the main frame shows, as plain tables: the menu without a document
// window (101), the menu of the document windows (107), the toolbar (101)
// and its accelerator table (101), and which commands work yet.

#include <string>
#include <vector>

namespace shell {

// A menu entry: a popup (items filled), a command (id, text) or a separator
// (id 0, no text). Texts carry '&' before the mnemonic letter; a shortcut is
// shown from the accelerator table, not written into the text.
struct MenuItem {
  unsigned id = 0;
  std::string text;
  std::vector<MenuItem> items;

  bool IsSeparator() const { return id == 0 && text.empty(); }
  bool IsPopup() const { return id == 0 && !text.empty(); }
};

inline constexpr unsigned kMenuNoDocument = 101;
inline constexpr unsigned kMenuDocument = 107;
inline constexpr unsigned kToolbarMain = 101;

// The top-level popups of menu 101 or 107.
const std::vector<MenuItem>& FrameMenu(unsigned resourceId);

// Toolbar 101's buttons from left to right; 0 marks a gap.
const std::vector<unsigned>& ToolbarButtons();

struct Accelerator {
  unsigned id;
  const char* keys;  // "Ctrl+O", "Shift+Ctrl+P": modifiers, then the key
};
// Accelerator table 101 of the main frame.
const std::vector<Accelerator>& FrameAccelerators();
// The keys of a command in table 101, or "" when it has none.
std::string AcceleratorKeys(unsigned id);

// The command ids of a menu in order, popups walked depth first.
std::vector<unsigned> MenuCommandIds(const std::vector<MenuItem>& menu);

// True for the commands whose handlers exist; every other command stays
// disabled until the screen behind it is built.
bool IsCommandAvailable(unsigned id);

}  // namespace shell
