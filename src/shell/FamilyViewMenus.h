#pragma once
// The family view's context menus: which menu a right click on a pane
// opens (113 for a pane with content, 112 for an empty one, none on a
// read-only file), which of the main frame's commands it offers, and which
// of them are greyed for what the pane holds.

#include <cstdint>
#include <vector>

namespace shell::famview {

class FamilyViewModel;

inline constexpr int kMenuEmptyPane = 112;
inline constexpr int kMenuPaneContent = 113;

// The sub-menus, by position in their menu: 113 has Primary, Marriage and
// Other; 112 one per pane (Primary, Marriage, Spouse, Father, Mother,
// Children).
inline constexpr int kSubMenuPrimary = 0;
inline constexpr int kSubMenuMarriage = 1;
inline constexpr int kSubMenuOther = 2;

// What the decision looks at, for the selected pane.
struct PaneMenuFacts {
  int pane = 0;
  bool readOnly = false;
  // The pane holds an individual, or the marriage for the marriage pane.
  bool content = false;
  bool primary = false;  // the view has a primary individual
  // The pane's individual (the primary one for the marriage pane).
  std::int32_t individual = 0;
  bool defaultPhoto = false;
  int marriages = 0;
  int parentFamilies = 0;
};

struct MenuEntry {
  unsigned command = 0;  // a main-frame command id
  bool greyed = false;
  bool operator==(const MenuEntry&) const = default;
};

// The entry's text in the view's menus (with its mnemonic); "" for a
// command the menus never offer.
const char* MenuText(unsigned command);

struct PaneMenu {
  int menu = 0;  // 0: no menu
  int subMenu = 0;
  std::vector<MenuEntry> entries;
};

// The menu for facts; menu 0 on a read-only file or a pane out of range.
PaneMenu MenuForPane(const PaneMenuFacts& facts);

// The facts of the model's selected pane, read through the database calls.
PaneMenuFacts SelectedPaneFacts(const FamilyViewModel& model, bool readOnly);

}  // namespace shell::famview
