#pragma once
// Small tables built from the interface language's string table at start-up
// and read-only afterwards: the standard note tags and the letters of the
// views' keyboard navigation. Also the field reader shared by the rows of
// the start-up tables (temples, predefined event kinds).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Reads the '|'-separated fields of a table row in turn: blanks and control
// characters before a field are skipped, a field ends at '|' or the end of
// the row, and one trailing character below '!' is dropped from it. Past the
// end every field is empty.
class TableRowReader {
 public:
  explicit TableRowReader(std::string_view row) : row_(row) {}
  std::string Next();
  bool AtEnd() const { return pos_ >= row_.size(); }

 private:
  std::string_view row_;
  std::size_t pos_ = 0;
};

inline constexpr std::size_t kMaxStandardNoteTags = 48;

// Loads the standard note tags ("All", "BIOGRAPHY:", ...) from string 6346 on,
// up to the first missing id and at most 48.
void LoadStandardNoteTags();
void FreeStandardNoteTags();
const std::vector<std::string>& GetStandardNoteTags();

// Takes the first character of strings 3520-3523, the interface language's
// letters for father, mother, child and spouse (a missing string keeps the
// English letter).
void LoadNavigationKeys();
// The fixed letter F, M, C or S for the language letter of the same
// position (exact match, first match wins); any other key unchanged.
char MapNavigationKey(char key);
