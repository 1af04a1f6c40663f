#pragma once
// The footnote and export texts of citations and sources, and the
// comparison of sources, with the cited source and its repository read from
// the open family file (one that cannot be read adds nothing).

#include <string>

#include "CitationRecord.h"
#include "SourceRecord.h"

namespace family {

const std::string& FormatFootnote(const CCitationRecord& citation, std::string& out, bool italics,
                                  bool shortForm, bool noSourceText, bool withActualText,
                                  bool withComments);
const std::string& FormatExportText(const CCitationRecord& citation, std::string& out);
const std::string& FormatFootnote(const CSourceRecord& source, std::string& out, bool abbreviated,
                                  bool italics);
// The same source for the merging of duplicates, their repositories compared too.
bool IsSameSource(const CSourceRecord& a, const CSourceRecord& b);

}  // namespace family
