#include "PedigreeBoxCommands.h"

#include "CommandIds.h"

namespace shell::pedigree {
namespace {

bool Holds(const Occupancy& occupied, int box) {
  return box >= 0 && box < kBoxCount && occupied.test(static_cast<std::size_t>(box));
}

}  // namespace

BoxOffer OfferOfBox(const Occupancy& occupied, int box, int current) {
  BoxOffer offer;
  if (box < 0 || box >= kBoxCount) return offer;
  if (Holds(occupied, box)) {
    if (box == current) offer.menu = kMenuIndividual;
    return offer;
  }
  if (box == 0) {
    offer.command = kIdAddUnlinkedIndividual;
    offer.menu = kMenuAddIndividual;
    return offer;
  }
  const int child = ChildOf(box);
  if (!Holds(occupied, child)) return offer;
  const bool father = box % 2 == 1;
  offer.command = father ? kIdAddFatherBox : kIdAddMotherBox;
  offer.relativeBox = child;
  offer.menu = father ? kMenuAddFather : kMenuAddMother;
  return offer;
}

std::vector<unsigned> MenuCommands(int menu) {
  switch (menu) {
    case kMenuIndividual:
      return {kIdEditIndividual,    kIdEditNotes,         kIdEditMultimedia,
              kIdEditPhoto,         kIdViewMoveToPrimary, kIdViewFamily,
              kIdSearchDescendancy, kIdEditMarriage,      kIdFilePrintReports};
    case kMenuAddFather:
      return {kIdAddFatherBox};
    case kMenuAddMother:
      return {kIdAddMotherBox};
    case kMenuAddIndividual:
      return {kIdAddUnlinkedIndividual};
    default:
      return {};
  }
}

bool CanAddParentAt(const Occupancy& occupied, int box, bool father, bool lastGenerationSlotFree) {
  if (!Holds(occupied, box)) return false;
  if (box >= kFirstLastGeneration) return lastGenerationSlotFree;
  return !Holds(occupied, father ? FatherOf(box) : MotherOf(box));
}

}  // namespace shell::pedigree
