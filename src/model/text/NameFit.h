#pragma once
// Fitting a name into a character count and a pixel width: the surname is
// kept whole when it can be, and the title, given names and suffix are shown
// as an initial, as initials or in full, as far as room allows (or, with
// condensing by cutting, in full from the left until one is cut).

#include <string>
#include <vector>

#include "TextMeasure.h"

struct NameFitInput {
  std::string surname;             // as shown (upper-cased when asked)
  std::vector<std::string> parts;  // title and given names, or given names; empty ones skipped
  std::string suffix;
  std::string tail;  // written after everything, never cut
  int maxChars = 0;
  int pixelWidth = 0;
  const plat::TextMeasure* dc = nullptr;  // null: characters only
  bool trim = true;                       // condense by initials; false: by cutting
};

// Parts (each followed by a blank), surname, suffix (after a blank), tail;
// the text stays below maxChars characters.
std::string FitNameGivenFirst(const NameFitInput& in);
// Surname, ",", then the parts and the suffix each after a blank; at most
// maxChars characters. "" for maxChars 0 or below.
std::string FitNameSurnameFirst(const NameFitInput& in);
