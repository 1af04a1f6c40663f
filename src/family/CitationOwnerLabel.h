#pragma once
// The label of the event a citation belongs to, with user events' titles
// read from the open family file.

#include <string>

// The string of CitationOwnerStringId (TextRoutines.h); for 'C' the title of
// user event recordNumber's type (DbGetUserEventTitle); for 'U' and 'V' the
// title of the event type of user event recordNumber, or "Unknown" when that
// cannot be read; "" for letters without a label.
void GetCitationOwnerLabel(char ownerLetter, std::string& label, long recordNumber);
