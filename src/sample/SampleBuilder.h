#pragma once
// Writes a new family file from a sample description through the database
// calls, as the program's own screens would store the same people: each
// person, then each family (spouses, marriage event, children in order),
// then the notes, sources and citations. UTF-8 texts are converted to the
// active code page on the way in.

#include <string>

#include "SampleDescription.h"

namespace sample {

struct BuildCounts {
  int individuals = 0;
  int marriages = 0;
  int sources = 0;
  int citations = 0;
};

// Creates the family file at path, which must not exist yet, fills it from
// the description and closes it. The description must have parsed without
// errors. False with error set when the file exists or a call failed; a file
// begun is then left closed as far as it got.
bool BuildFamilyFile(const Description& description, const std::string& path, BuildCounts& counts,
                     std::string& error);

}  // namespace sample
