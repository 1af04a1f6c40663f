#pragma once
// The name list of string ids (resources/string_names.txt): lines of
// "id<TAB>kIdsName", blank lines and lines starting with '#' skipped. The
// build turns it into StringIds.h, where every layer finds a string id by name
// instead of copying its number.
#include <cctype>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace res {

// Builds the text of StringIds.h from the name list. Every name must start
// with "kIds", be a C++ identifier and name one id of the table (knownIds);
// no id or name may be given twice. False, with error naming the line, when a
// line breaks a rule.
inline bool BuildStringIdsHeader(std::istream& names, const std::set<unsigned>& knownIds,
                                 std::string& header, std::string& error) {
  std::map<unsigned, std::string> byId;
  std::map<std::string, unsigned> byName;
  std::string line;
  int lineNo = 0;
  while (std::getline(names, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::string where = "line " + std::to_string(lineNo) + ": ";
    const std::size_t tab = line.find('\t');
    const std::string idText = line.substr(0, tab);
    if (tab == std::string::npos || idText.empty() || idText.size() > 9 ||
        idText.find_first_not_of("0123456789") != std::string::npos) {
      error = where + "expected id<TAB>name";
      return false;
    }
    const unsigned id = static_cast<unsigned>(std::stoul(idText));
    const std::string name = line.substr(tab + 1);
    bool identifier = name.size() > 4 && name.compare(0, 4, "kIds") == 0;
    for (char c : name)
      identifier = identifier && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
    if (!identifier) {
      error = where + "\"" + name + "\" is not a name starting with kIds";
      return false;
    }
    if (!knownIds.count(id)) {
      error = where + "the string table has no id " + idText;
      return false;
    }
    if (byId.count(id)) {
      error = where + "id " + idText + " already named " + byId[id];
      return false;
    }
    if (byName.count(name)) {
      error = where + name + " already names id " + std::to_string(byName[name]);
      return false;
    }
    byId[id] = name;
    byName[name] = id;
  }
  std::ostringstream out;
  out << "#pragma once\n"
         "// Generated from resources/string_names.txt; do not edit. The named ids of\n"
         "// the string table.\n\n"
         "namespace res {\n";
  for (const auto& [id, name] : byId)
    out << "inline constexpr unsigned " << name << " = " << id << ";\n";
  out << "}  // namespace res\n";
  header = out.str();
  return true;
}

}  // namespace res
