#pragma once
// Soundex code of a name, used by the lists, Match/Merge and the Soundex
// calculator to find names that sound alike.

#include <string>

// Replaces text by its Soundex code: the first character (upper-cased) and
// three digits. Blanks are dropped first, so "Van Dyke" codes as one word; a
// text without any other character becomes empty. H, W, Y, vowels and every
// other character without a digit separate equal digits (ASHCRAFT is A226).
void Soundex(std::string& text);
