#pragma once
// The key event of an individual read from the open family file.

#include <string>

// GetKeyEventDateOf (KeyEventDate.h) for individual rin: the record is read
// into ScratchIndividualRecord unless that already holds rin, and its
// marriages, when needed, in the order the database gives them.
char GetKeyEventDate(long rin, std::string& text, std::string* place, bool withMarriage);
