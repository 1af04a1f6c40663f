#pragma once
// What a box of the pedigree view offers: the frame command a click on an
// empty box posts (adding the father or mother of the box's child, or an
// individual into the empty root), the context menu a right click opens,
// and whether the box's individual may get a father or a mother.

#include <vector>

#include "PedigreeLayout.h"

namespace shell::pedigree {

// The context menus.
inline constexpr int kMenuNone = 0;
inline constexpr int kMenuIndividual = 106;
inline constexpr int kMenuAddFather = 109;
inline constexpr int kMenuAddMother = 110;
inline constexpr int kMenuAddIndividual = 111;

struct BoxOffer {
  // The command a left click posts to the frame, 0 none.
  unsigned command = 0;
  // The box whose individual the command adds a parent to (the pending
  // relative), kNoBox when the command has none.
  int relativeBox = kNoBox;
  // The menu a right click opens.
  int menu = kMenuNone;
  bool operator==(const BoxOffer&) const = default;
};

// The offer of box (kNoBox for a click beside every box) with current the
// view's current box. A box with an individual posts nothing on a click
// (the click selects it); it has the individual's menu only when it is the
// current box.
BoxOffer OfferOfBox(const Occupancy& occupied, int box, int current);

// The commands of a context menu, in menu order; empty for kMenuNone.
std::vector<unsigned> MenuCommands(int menu);

// Whether the individual of box may get a father (or a mother): a box of
// the last generation, whose parents are not shown, asks the file
// (lastGenerationSlotFree: no parent marriage, or one without a husband,
// without a wife); another box when its father (mother) box is empty. An
// empty box gets no parent.
bool CanAddParentAt(const Occupancy& occupied, int box, bool father, bool lastGenerationSlotFree);

}  // namespace shell::pedigree
