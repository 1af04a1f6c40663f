#pragma once
// The file form of a custom report layout (".lyt"): a named-file header
// holding the title, then the body: the second text, the columns (field id,
// width, heading, option) and the sort keys (field id, ascending flag,
// comparison kind, option). Numbers are little-endian; field ids and widths
// take two bytes. A counted string is a word length that includes a stored
// zero byte; an empty string is the word 0 alone. Version 29 files carry one
// more counted string before the second text and store field ids 6000 lower.

#include <string>
#include <string_view>

#include "CustomReportLayout.h"

namespace rpt {

inline constexpr int kCustomLayoutMaxSortKeys = 3;
inline constexpr int kCustomLayoutMinWidth = 1;
inline constexpr int kCustomLayoutMaxWidth = 200;

// The body's bytes (everything after the header).
std::string EncodeCustomLayoutBody(const CCustomReportLayout& layout);
// The whole file: a version 30 header for a shared item, then the body.
std::string EncodeCustomLayoutFile(const CCustomReportLayout& layout);

// Decodes a whole file into out, which is changed only on success. Counts
// that run past the end fail; sort keys past the third are dropped and
// widths are held to 1-200. version receives the header's version (29/30).
bool DecodeCustomLayoutFile(std::string_view bytes, CCustomReportLayout& out,
                            int* version = nullptr);

// Reads the layout file at path; out is replaced only on success.
bool LoadCustomLayout(const std::string& path, CCustomReportLayout& out, int* version = nullptr);
// Writes the whole file through a temporary file renamed over path, so a
// failure leaves an existing file as it was. 0, or the file error's cause.
int SaveCustomLayout(const std::string& path, const CCustomReportLayout& layout);

// A layout with no columns or keys and the default title ("Custom Report").
void ResetCustomLayout(CCustomReportLayout& layout);

}  // namespace rpt
