#pragma once
// The program's numbered texts. Lookups answer in the active ANSI code page.
// A language catalog ("korvane" + two-letter code + ".res" beside the
// program, same line format as resources/strings/*.txt) replaces the built-in
// table whole while it is loaded.

#include <initializer_list>
#include <string>
#include <string_view>

namespace res {

// The text of id, or "" when the table has none.
std::string LoadString(unsigned id);
// True when the table has id (several tables load up to the first id missing).
bool HasString(unsigned id);

// Replaces the numbered inserts %1 .. %99 of text by args (1-based); an
// insert may carry a printf-style type between '!' marks ("%1!lu!"), which is
// dropped, since args are texts already. "%%" gives "%"; any other '%' is
// kept for a later printf-style pass. A missing argument inserts nothing.
std::string FormatInserts(std::string_view text, std::initializer_list<std::string_view> args);
// The same on the text of a string id.
std::string FormatString(unsigned id, std::initializer_list<std::string_view> args);

// Loads the catalog of code (for example "DE"); "EN" or "" returns to the
// built-in table. False, and the built-in table stays, when the catalog file
// is missing or malformed.
bool LoadLanguageCatalog(const std::string& code);
bool LoadCatalogFile(const std::string& path);
void UnloadCatalog();
// The catalog path of a code: the program path, the code, ".res".
std::string CatalogPath(const std::string& programPath, const std::string& code);

}  // namespace res
