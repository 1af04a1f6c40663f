// What the pedigree view's boxes offer: the command a click on an empty box
// posts and the relative it adds to, the context menu of each kind of box,
// and when a box's individual may get a father or a mother.
#include <gtest/gtest.h>

#include <string>

#include "CommandIds.h"
#include "PedigreeBoxCommands.h"

using namespace shell::pedigree;

namespace {

Occupancy Boxes(std::initializer_list<int> boxes) {
  Occupancy occupied;
  for (int box : boxes) occupied.set(box);
  return occupied;
}

// A root with both parents, the mother's mother, and one line up to the
// last generation through the mother's side: 0, 1, 2, 6, 14, 30.
const Occupancy kFamily = Boxes({0, 1, 2, 6, 14, 30});

}  // namespace

TEST(PedigreeBoxes, OfferOfEachKindOfBox) {
  using shell::kIdAddFatherBox;
  using shell::kIdAddMotherBox;
  using shell::kIdAddUnlinkedIndividual;
  struct Case {
    const char* what;
    Occupancy occupied;
    int box, current;
    BoxOffer offer;
  } cases[] = {
      {"empty root", Occupancy{}, 0, 0, {kIdAddUnlinkedIndividual, kNoBox, kMenuAddIndividual}},
      {"current box", kFamily, 0, 0, {0, kNoBox, kMenuIndividual}},
      {"another person's box", kFamily, 1, 0, {}},
      {"current parent box", kFamily, 6, 6, {0, kNoBox, kMenuIndividual}},
      {"father's empty father", kFamily, 3, 0, {kIdAddFatherBox, 1, kMenuAddFather}},
      {"father's empty mother", kFamily, 4, 0, {kIdAddMotherBox, 1, kMenuAddMother}},
      {"mother's empty father", kFamily, 5, 6, {kIdAddFatherBox, 2, kMenuAddFather}},
      {"last generation father", kFamily, 29, 0, {kIdAddFatherBox, 14, kMenuAddFather}},
      {"child box empty", kFamily, 7, 0, {}},
      {"last generation, child empty", kFamily, 15, 0, {}},
      {"beside every box", kFamily, kNoBox, 0, {}},
      {"past the last box", kFamily, kBoxCount, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const BoxOffer offer = OfferOfBox(c.occupied, c.box, c.current);
    EXPECT_EQ(offer.command, c.offer.command);
    EXPECT_EQ(offer.relativeBox, c.offer.relativeBox);
    EXPECT_EQ(offer.menu, c.offer.menu);
  }
}

// On every box of several trees, the click and the menu of an empty box
// give the same command, and the relative it names is one whose parent
// slot the view shows empty, so that the command is enabled for it.
TEST(PedigreeBoxes, ClickAndMenuAgreeWithTheParentRule) {
  const Occupancy trees[] = {Occupancy{}, Boxes({0}), kFamily, Boxes({0, 1, 3, 7, 15, 16}),
                             Occupancy{}.set()};
  for (const Occupancy& occupied : trees) {
    for (int box = 0; box < kBoxCount; ++box) {
      SCOPED_TRACE(occupied.to_string() + " box " + std::to_string(box));
      const BoxOffer offer = OfferOfBox(occupied, box, 0);
      if (offer.command == 0) {
        EXPECT_TRUE(occupied.test(box) || (box > 0 && !occupied.test(ChildOf(box))));
        continue;
      }
      EXPECT_EQ(MenuCommands(offer.menu), std::vector<unsigned>{offer.command});
      if (box == 0) {
        EXPECT_EQ(offer.relativeBox, kNoBox);
        continue;
      }
      const bool father = offer.command == shell::kIdAddFatherBox;
      EXPECT_EQ(father, box == FatherOf(offer.relativeBox));
      EXPECT_TRUE(CanAddParentAt(occupied, offer.relativeBox, father, false));
    }
  }
}

TEST(PedigreeBoxes, IndividualMenuOpensTheBoxScreens) {
  const std::vector<unsigned> menu = MenuCommands(kMenuIndividual);
  const std::vector<unsigned> expected = {
      shell::kIdEditIndividual,    shell::kIdEditNotes,         shell::kIdEditMultimedia,
      shell::kIdEditPhoto,         shell::kIdViewMoveToPrimary, shell::kIdViewFamily,
      shell::kIdSearchDescendancy, shell::kIdEditMarriage,      shell::kIdFilePrintReports};
  EXPECT_EQ(menu, expected);
  EXPECT_TRUE(MenuCommands(kMenuNone).empty());
}

TEST(PedigreeBoxes, CanAddParentByBox) {
  struct Case {
    const char* what;
    int box;
    bool father, fileSlotFree, can;
  } cases[] = {
      {"root with both parents", 0, true, true, false},
      {"root with both parents", 0, false, true, false},
      {"father without parents", 1, true, false, true},
      {"father without parents", 1, false, false, true},
      {"mother with her mother only: father", 2, true, false, true},
      {"mother with her mother only: mother", 2, false, true, false},
      {"empty box", 3, true, true, false},
      {"last generation, file says free", 30, true, true, true},
      {"last generation, file says taken", 30, false, false, false},
      {"empty last generation box", 29, true, true, false},
      {"no box", kNoBox, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + (c.father ? " (father)" : " (mother)"));
    EXPECT_EQ(CanAddParentAt(kFamily, c.box, c.father, c.fileSlotFree), c.can);
  }
}
