#pragma once
// What the editing screens borrow from the application: the options they
// read, the Enter-as-Tab answer and the four recent-entry lists. The
// application fills it at start-up (and on a change of options); tests set
// what they need.

#include <functional>

#include "DittoList.h"

struct EditOptions {
  bool verifyNew = false;     // ask "Is this name correct?" for new names and places
  bool autoNames = false;     // complete given names and surnames while typing
  bool showZel = true;        // ZEL ordinance rows
  bool allowSbnEdit = false;  // the Stirpbank number row
};

class CEditEnvironment {
 public:
  EditOptions options;
  // Whether Enter moves to the next field; false when not set.
  std::function<bool()> returnAsTab;
  CDittoList places;
  CDittoList dates;
  CDittoList givenNames;
  CDittoList surnames;

  bool IsReturnAsTab() const { return returnAsTab ? returnAsTab() : false; }
  // The four lists from the profile, in the order Places, Dates, GivenNames,
  // Surnames; and back.
  void LoadDittoLists();
  void SaveDittoLists();
};

// The process-wide environment.
CEditEnvironment& EditEnvironment();
